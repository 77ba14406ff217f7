"""Fixtures of the people list tests: the main window tests' fixtures (the
kit's community server, the client under Wine, the window probe), with a
server whose place holds back a crowd of observers."""
import pytest

from app_window.conftest import window_client  # noqa: F401
from app_window.window_tools import PLACE
from zrkit.fixtures import server_factory  # noqa: F401

# The observers the place reports when asked, but does not show.
CROWD = ["crowd1", "crowd2", "crowd3", "crowd4"]
# The community's moderation service: a member of kind 289.
MODERATION_OWNER = 7


@pytest.fixture
def zr_server(server_factory):  # noqa: F811
    return server_factory(time_limit=900, scenario={
        "welcome": {"entry_count": 30},
        "places": [{"name": PLACE, "observers": CROWD}],
        "references": [{"owner": MODERATION_OWNER, "kind": 289, "id": 8, "parent_le": 0}],
    })
