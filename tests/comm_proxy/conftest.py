"""Fixtures of the proxy integration tests: the kit's server, proxies and
the native proxy_probe program."""
import pytest

from zrkit.fixtures import (community_server, dante, scripted_proxy,  # noqa: F401
                            server_factory, tinyproxy, tunnel_server)


@pytest.fixture
def probe_path(build_native):
    path = build_native / "tests" / "comm" / "proxy_probe"
    assert path.exists(), "build the native tree first (tools/build.sh): %s" % path
    return path
