"""Fixtures of the instant message, broadcast and participate window tests:
the main window tests' fixtures (the kit's community server, the client
under Wine, the window probe) and a pool of kit bots."""
import pytest

from app_window.conftest import pictures, window_client  # noqa: F401
from zrkit.bot import BotPool
from zrkit.fixtures import server_factory  # noqa: F401


@pytest.fixture
def zr_server(server_factory):  # noqa: F811
    return server_factory(time_limit=900, scenario={"welcome": {"entry_count": 30}})


@pytest.fixture
def bots(zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    yield pool
    pool.stop()
