"""pytest fixtures of the kit, for the kit's own tests and for any later
test: `from zrkit.fixtures import community_server, bots` (import the names
into a test module or a conftest.py so that pytest finds them).

community_server  the server process on free ports (window off), stopped at
                  the end; `.port`, `.control(...)`, `.wait_log(...)`.
server_factory    a callable making servers with other options
                  (scenario, window id, tunnel, extra CLI arguments).
bots              a BotPool on the community_server; `bots.bot("ann")`.
tunnel_server     a server with the HTTP POST tunnel endpoint.
tinyproxy         Debian's tinyproxy (HTTP CONNECT) on a free port.
dante             a callable starting Debian's danted (SOCKS4/5, auth=...).
scripted_proxy    a callable starting a scripted proxy for refusal cases.
"""
import pytest

from .bot import BotPool
from .harness import LoopThread, ServerProcess
from .proxies import DanteProxy, ScriptedProxy, TinyProxy


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


@pytest.fixture
def tunnel_server(server_factory):
    """A community server that also serves the HTTP POST tunnel
    (`.tunnel_port`)."""
    return server_factory(tunnel=True)


@pytest.fixture
def tinyproxy(tmp_path):
    """Debian's tinyproxy as an HTTP CONNECT proxy on a free port."""
    proxy = TinyProxy(tmp_path / "tinyproxy").start()
    yield proxy
    proxy.stop()


@pytest.fixture
def dante(tmp_path):
    """A callable starting Debian's danted: dante(auth=False) for SOCKS4 and
    SOCKS5 without authentication, dante(auth=True) for SOCKS5 with the
    system test user (`.user`, `.password`; needs root)."""
    started = []

    def make(auth=False):
        proxy = DanteProxy(tmp_path / ("dante%d" % len(started)), auth=auth).start()
        started.append(proxy)
        return proxy
    yield make
    for proxy in started:
        proxy.stop()


@pytest.fixture
def scripted_proxy():
    """A callable starting a `ScriptedProxy` (kind, replies...) in-process."""
    loop = LoopThread()
    started = []

    def make(kind, **kw):
        proxy = loop.run(ScriptedProxy(kind, **kw).start())
        started.append(proxy)
        return proxy
    yield make
    for proxy in started:
        loop.run(proxy.stop())
    loop.stop()
