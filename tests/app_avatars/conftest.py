"""Fixtures of the avatar window tests, shared by the cases of a module: the
kit's community server, zrplaces.exe under Wine in its place (started once,
seen from outside by the window probe) and bots that enter, move and leave.

server   the kit's community server.
client   the running WindowClient (app_window.window_tools), `.member` its
         member id.
bots     a zrkit BotPool on the server.
early    a bot that entered the place before the client.
"""
import pytest

from app_window.window_tools import NICK, PLACE, entered_member, program_client
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess
from zrkit.wire import Position

EARLY_POSITION = (7000, 7000)


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=600,
                        scenario={"welcome": {"entry_count": 30}})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def bots(server):
    pool = BotPool(server.host, server.port)
    yield pool
    pool.stop()


@pytest.fixture(scope="module")
def early(bots):
    """A bot that stands in the place before the client enters it."""
    bot = bots.bot("early")
    bot.enter(PLACE, position=Position.xy(*EARLY_POSITION))
    return bot


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server, early):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, NICK)
    yield running
    running.stop()
