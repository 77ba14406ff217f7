"""Fixtures of the games tests: the kit's community server with the home
place, zrplaces.exe under Wine entered there (started once for the module)
with the test game's log file named in its environment, and a pool of kit
bots for the other players.

server    the kit's community server (zrkit.harness.ServerProcess).
client    the running WindowClient, `.member` its member id, `.game_log`
          the test game's log file (a pathlib.Path).
bots      a zrkit BotPool on the server.
testgame  the path of the built test game (testgame.dll)."""
import pytest

from app_window.window_tools import NICK, PLACE, entered_member, program_client
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=600,
                        scenario={"places": [{"name": PLACE, "title": "Home Page"}]})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def testgame(build_win):
    path = build_win / "tests" / "app_games" / "testgame.dll"
    if not path.exists():
        pytest.skip("%s is not built" % path)
    return path


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server, testgame):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server)
    running.game_log = tmp_path_factory.mktemp("game") / "testgame.log"
    running.env["ZR_TESTGAME_LOG"] = "Z:" + str(running.game_log).replace("/", "\\")
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
