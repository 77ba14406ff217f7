"""Fixtures of the places tests: the kit's community server with several
places, zrplaces.exe under Wine entered into its home place (started once
for the module) and a pool of kit bots. The window tools come from
app_window.window_tools.

server   the kit's community server (zrkit.harness.ServerProcess) with the
         places of PLACES.
client   the running WindowClient, `.member` its member id.
bots     a zrkit BotPool on the server.
"""
import pytest

from app_window.window_tools import NICK, PLACE, entered_member, program_client
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess

# Kind of the places that the places manager's first page lists.
SERVICE_PLACE = 0x880
PLACES = [
    {"name": PLACE, "kind": SERVICE_PLACE, "title": "Home Page"},
    {"name": "http://garden/", "kind": SERVICE_PLACE, "title": "Garden",
     "persons": [{"name": "gnome"}]},
    {"name": "http://roof/", "kind": SERVICE_PLACE, "title": "Roof Terrace"},
    {"name": "http://attic/", "title": "Attic"},
]


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=900,
                        scenario={"welcome": {"entry_count": 30}, "places": PLACES})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, NICK)
    yield running
    running.stop()


@pytest.fixture(scope="module")
def bots(server):
    pool = BotPool(server.host, server.port)
    yield pool
    pool.stop()
