"""Fixtures of the transfer tests: the kit's community server with the home
place, zrplaces.exe under Wine entered there with sending files allowed
(started once for the module), and a pool of kit bots for the other users.

server   the kit's community server (zrkit.harness.ServerProcess).
client   the running WindowClient, `.member` its member id.
bots     a zrkit BotPool on the server."""
import pytest

from app_window.window_tools import NICK, PLACE, entered_member, program_client
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=600,
                        scenario={"places": [{"name": PLACE, "title": "Home Page"}],
                                  # The client's idle limit in minutes: no idle
                                  # prompt comes up during the tests.
                                  "welcome": {"entry_count": 30}})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server)
    running.settings["SendFiles"] = {"EnableSendingFiles": 1}
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
