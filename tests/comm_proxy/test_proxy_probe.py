"""The library's proxy handshakes over real sockets: the native proxy_probe
reaches the kit's community server through tinyproxy (HTTP CONNECT), danted
(SOCKS4, SOCKS5 with and without user and password), the kit's HTTP POST
tunnel endpoint and scripted proxies, reads the server's 4-byte first frame
and exchanges the hello."""
import socket
import subprocess

import pytest

from zrkit import messages as M

HELLO = M.encode(M.TO_SERVER, dict(type=0, major=3, minor=1, mode=1, safe=0))
LOOPBACK = socket.inet_aton("127.0.0.1")


class ProbeResult:
    def __init__(self, completed):
        self.returncode = completed.returncode
        self.lines = completed.stdout.splitlines()
        self.stderr = completed.stderr

    def value(self, key):
        for line in self.lines:
            if line.startswith(key + " "):
                return line[len(key) + 1:]
        raise AssertionError("no %s line in %r (stderr %s)" % (key, self.lines, self.stderr[-2000:]))

    def bytes(self, key):
        return bytes.fromhex(self.value(key))


def run_probe(probe_path, kind, proxy_port, target, address=None, user=None, password=None,
              auth=False, send=None):
    args = [str(probe_path), "--kind", kind, "--proxy", "127.0.0.1:%d" % proxy_port,
            "--target", target]
    if address:
        args += ["--address", address]
    if user is not None:
        args += ["--user", user]
    if password is not None:
        args += ["--password", password]
    if auth:
        args.append("--auth")
    if send is not None:
        args += ["--send", send.hex()]
    return ProbeResult(subprocess.run(args, capture_output=True, text=True, timeout=60))


def assert_reached(result):
    assert result.returncode == 0, (result.lines, result.stderr[-2000:])
    assert result.lines[0] == "CONNECTED"
    assert result.bytes("FIRST") == LOOPBACK
    answer = M.decode(M.TO_CLIENT, result.bytes("FRAME"))
    assert (answer["type"], answer["major"]) == (0, 3)


@pytest.mark.parametrize("host,address", [("127.0.0.1", "127.0.0.1"), ("localhost", None)],
                         ids=["by-address", "by-name"])
def test_http_connect_through_tinyproxy(probe_path, community_server, tinyproxy, host, address):
    result = run_probe(probe_path, "connect", tinyproxy.port,
                       "%s:%d" % (host, community_server.port), address=address, send=HELLO)
    assert_reached(result)


def test_socks4_through_danted(probe_path, community_server, dante):
    # danted answers with version byte 0, which is accepted along with 4
    proxy = dante()
    result = run_probe(probe_path, "socks4", proxy.port, "127.0.0.1:%d" % community_server.port,
                       address="127.0.0.1", user="zr", send=HELLO)
    assert_reached(result)


@pytest.mark.parametrize("host,address", [("127.0.0.1", "127.0.0.1"), ("localhost", None)],
                         ids=["by-address", "by-name"])
def test_socks5_through_danted(probe_path, community_server, dante, host, address):
    proxy = dante()
    result = run_probe(probe_path, "socks5", proxy.port, "%s:%d" % (host, community_server.port),
                       address=address, send=HELLO)
    assert_reached(result)


@pytest.fixture
def dante_auth(dante):
    try:
        return dante(auth=True)
    except PermissionError as err:
        pytest.skip(str(err))


def test_socks5_with_user_and_password_through_danted(probe_path, community_server, dante_auth):
    result = run_probe(probe_path, "socks5", dante_auth.port, "127.0.0.1:%d" % community_server.port,
                       address="127.0.0.1", user=dante_auth.user, password=dante_auth.password,
                       auth=True, send=HELLO)
    assert_reached(result)


def test_socks5_wrong_password_refused_by_danted(probe_path, community_server, dante_auth):
    result = run_probe(probe_path, "socks5", dante_auth.port, "127.0.0.1:%d" % community_server.port,
                       address="127.0.0.1", user=dante_auth.user, password="wrong", auth=True)
    assert result.returncode == 2
    assert result.value("REFUSED") == "12"


def test_post_tunnel_through_the_kit_endpoint(probe_path, tunnel_server):
    srv = tunnel_server
    result = run_probe(probe_path, "post", srv.tunnel_port, "127.0.0.1:%d" % srv.port, send=HELLO)
    assert_reached(result)
    # the primary's request, then the hello frame in one secondary request
    assert srv.wait_log({"event": "tunnel_request", "role": 1, "tunnel": 0, "length": 0})
    assert srv.wait_log({"event": "tunnel_request", "role": 0, "length": len(HELLO) + 4})


def test_scripted_socks4_version_4_reply_accepted(probe_path, community_server, scripted_proxy):
    proxy = scripted_proxy("socks4")
    result = run_probe(probe_path, "socks4", proxy.port, "127.0.0.1:%d" % community_server.port,
                       address="127.0.0.1", user="zr", send=HELLO)
    assert_reached(result)
    assert proxy.requests[0] == (b"\x04\x01" + community_server.port.to_bytes(2, "big")
                                 + LOOPBACK + b"zr\x00")


def test_scripted_http_11_status_accepted(probe_path, community_server, scripted_proxy):
    # the scripted proxy closes after any reply but "HTTP/1.0 200", so only
    # the handshake's outcome is seen
    proxy = scripted_proxy("http", reply=b"HTTP/1.1 200 Connection established\r\n\r\n")
    result = run_probe(probe_path, "connect", proxy.port, "127.0.0.1:%d" % community_server.port)
    assert result.lines[0] == "CONNECTED"
    assert proxy.requests[0] == b"CONNECT 127.0.0.1:%d HTTP/1.0\r\n\r\n" % community_server.port


REFUSALS = [
    ("socks4 rejected", "socks4", dict(reply=b"\x04\x5b" + bytes(6)), {}),
    ("socks5 method 2 unasked", "socks5", dict(method_reply=b"\x05\x02"), dict(user="u")),
    ("socks5 no method", "socks5", dict(method_reply=b"\x05\xff"), {}),
    ("socks5 connect refused", "socks5", dict(reply=b"\x05\x05\x00\x01" + bytes(6)), {}),
    ("socks5 connect reply with a name address", "socks5",
     dict(reply=b"\x05\x00\x00\x03" + bytes(6)), {}),
    ("http 403", "http", dict(reply=b"HTTP/1.0 403 Forbidden\r\n\r\n"), {}),
    ("http 1.2", "http", dict(reply=b"HTTP/1.2 200 OK\r\n\r\n"), {}),
]


@pytest.mark.parametrize("name,kind,script,extra", REFUSALS, ids=[r[0] for r in REFUSALS])
def test_scripted_refusals_give_code_12(probe_path, community_server, scripted_proxy, name, kind,
                                        script, extra):
    proxy = scripted_proxy(kind, **script)
    probe_kind = {"http": "connect"}.get(kind, kind)
    result = run_probe(probe_path, probe_kind, proxy.port, "127.0.0.1:%d" % community_server.port,
                       address="127.0.0.1", **extra)
    assert result.returncode == 2, result.lines
    assert result.value("REFUSED") == "12"


@pytest.mark.parametrize("field", ["user", "password"])
def test_socks5_credentials_over_255_bytes_never_sent(probe_path, community_server, scripted_proxy,
                                                      field):
    proxy = scripted_proxy("socks5", user="u", password="pw")
    credentials = dict(user="u", password="pw")
    credentials[field] = "x" * 300
    result = run_probe(probe_path, "socks5", proxy.port, "127.0.0.1:%d" % community_server.port,
                       address="127.0.0.1", auth=True, **credentials)
    assert result.value("REFUSED") == "12"
    assert proxy.requests == [b"\x05\x02\x00\x02"]


def test_socks5_host_name_over_255_bytes_never_sent(probe_path, community_server, scripted_proxy):
    proxy = scripted_proxy("socks5")
    result = run_probe(probe_path, "socks5", proxy.port, "%s:%d" % ("h" * 256, community_server.port))
    assert result.value("REFUSED") == "12"
    assert proxy.requests == [b"\x05\x01\x00"]
