"""Fixtures of the tour set-up tests: the kit's community server with the
home place and zrplaces.exe under Wine entered there, with the 11-seat
vehicle stored in its settings (started once for the module).

server   the kit's community server (zrkit.harness.ServerProcess).
client   the running WindowClient, `.member` its member id."""
import pytest

from app_window.window_tools import NICK, PLACE, entered_member, program_client
from zrkit.harness import ServerProcess


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=600,
                        scenario={"places": [{"name": PLACE, "title": "Home Page"}]})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server)
    running.settings["Tour"] = {"Capacity": 11}
    running.start()
    running.wait_frame()
    running.member = entered_member(server, NICK)
    yield running
    running.stop()
