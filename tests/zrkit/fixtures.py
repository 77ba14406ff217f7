"""pytest fixtures of the kit, for the kit's own tests and for any later
test: `from zrkit.fixtures import community_server, bots` (import the names
into a test module or a conftest.py so that pytest finds them).

community_server  the server process on free ports (window off), stopped at
                  the end; `.port`, `.control(...)`, `.wait_log(...)`.
server_factory    a callable making servers with other options
                  (scenario, window id, tunnel, extra CLI arguments).
bots              a BotPool on the community_server; `bots.bot("ann")`.
"""
import pytest

from .bot import BotPool
from .harness import ServerProcess


@pytest.fixture
def server_factory(tmp_path):
    started = []

    def make(*extra_args, **kw):
        srv = ServerProcess(tmp_path / ("server%d" % len(started)), *extra_args, **kw)
        started.append(srv)
        return srv
    yield make
    for srv in started:
        srv.stop()


@pytest.fixture
def community_server(server_factory):
    return server_factory()


@pytest.fixture
def bots(community_server):
    pool = BotPool(community_server.host, community_server.port)
    yield pool
    pool.stop()
