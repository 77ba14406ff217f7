"""Fixtures of the chat tests: the main window tests' fixtures (the kit's
community server, the client under Wine, the window probe), with a server
that sends the community's word list (item 1013)."""
import pytest

from app_window.conftest import window_client  # noqa: F401
from zrkit.fixtures import server_factory  # noqa: F401

# The word list: its empty piece must not mask anything.
WORD_LIST = "darn,,Heck"


@pytest.fixture
def zr_server(server_factory):  # noqa: F811
    return server_factory(time_limit=900, scenario={
        "welcome": {"entry_count": 30},
        "items": [{"type": 0, "code": 1013, "value": WORD_LIST}],
    })
