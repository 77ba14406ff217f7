"""Fixtures of the DDE session tests, shared by the cases of a module: the
kit's community server, zrplaces.exe under Wine in its place (started once),
bots that the tests move and make talk, and dde_driver.exe, the other
program, connected to the client's service.

client   the running WindowClient (app_window.window_tools), `.member` its
         member id.
bots     a zrkit BotPool on the server.
dde      a DdeClient (dde_client.py) with nothing connected yet.
"""

import pytest

from app_window.window_tools import NICK, entered_member, program_client
from dde_session.dde_client import DdeClient
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess

# The texts the client answers an identity request with.
IDENTITY = {"Gender": "F", "Hobbies": "chess", "Occupation": "tester", "Personal Quote": "hello there"}


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=900,
                        scenario={"welcome": {"entry_count": 30}})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server):
    driver = build_win / "tests" / "dde_session" / "dde_driver.exe"
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server, needed=(driver,))
    running.settings["Identity-127.0.0.1"].update(IDENTITY)
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


@pytest.fixture
def dde(build_win, client, tmp_path):
    driver = DdeClient(build_win / "tests" / "dde_session" / "dde_driver.exe",
                       tmp_path / "driver.log", client.env)
    yield driver
    driver.stop()
