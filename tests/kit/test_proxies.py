"""Each proxy fixture reached from a plain socket: the proxy handshake, then
the community server's first frame and a hello exchange through it."""
import socket
import struct

import pytest

from zrkit import messages as M
from zrkit.framing import FrameReader, FrameWriter

HELLO = M.encode(M.TO_SERVER, dict(type=0, major=3, minor=1, mode=1, safe=0))
LOOPBACK = socket.inet_aton("127.0.0.1")


def connect(port):
    s = socket.create_connection(("127.0.0.1", port), 5)
    s.settimeout(5)
    return s


def recv_exactly(s, n):
    data = b""
    while len(data) < n:
        chunk = s.recv(n - len(data))
        if not chunk:
            raise ConnectionError("closed after %r" % data)
        data += chunk
    return data


def recv_header(s):
    data = b""
    while not data.endswith(b"\r\n\r\n"):
        chunk = s.recv(1)
        if not chunk:
            raise ConnectionError("closed inside the header %r" % data)
        data += chunk
    return data


def next_frame(s, reader):
    while True:
        frame = reader.next_frame()
        if frame is not False:
            return frame
        data = s.recv(4096)
        if not data:
            raise ConnectionError("closed before a whole frame")
        reader.feed(data)


def hello_through(s, seq=True):
    """First frame, hello and the hello answer over an open socket."""
    reader = FrameReader()
    first = next_frame(s, reader)
    assert first == LOOPBACK
    s.sendall(FrameWriter(seq).frame(HELLO))
    answer = M.decode(M.TO_CLIENT, next_frame(s, reader))
    assert (answer["type"], answer["major"]) == (0, 3)
    return answer


def socks4_request(port, user=b"zr"):
    return b"\x04\x01" + struct.pack(">H", port) + LOOPBACK + user + b"\x00"


def socks5_connect(port):
    return b"\x05\x01\x00\x01" + LOOPBACK + struct.pack(">H", port)


def test_tinyproxy_connect(community_server, tinyproxy):
    with connect(tinyproxy.port) as s:
        s.sendall(b"CONNECT 127.0.0.1:%d HTTP/1.0\r\n\r\n" % community_server.port)
        assert recv_header(s).startswith(b"HTTP/1.0 200")
        hello_through(s)


def test_dante_socks4(community_server, dante):
    proxy = dante()
    with connect(proxy.port) as s:
        s.sendall(socks4_request(community_server.port))
        reply = recv_exactly(s, 8)
        # danted answers with version byte 0, as SOCKS4 servers do
        assert reply[:2] == b"\x00\x5a"
        hello_through(s)


def test_dante_socks5_without_authentication(community_server, dante):
    proxy = dante()
    with connect(proxy.port) as s:
        s.sendall(b"\x05\x01\x00")
        assert recv_exactly(s, 2) == b"\x05\x00"
        s.sendall(socks5_connect(community_server.port))
        assert recv_exactly(s, 10)[:4] == b"\x05\x00\x00\x01"
        hello_through(s)


@pytest.fixture
def dante_auth(dante):
    try:
        return dante(auth=True)
    except PermissionError as err:
        pytest.skip(str(err))


def test_dante_socks5_with_user_and_password(community_server, dante_auth):
    user, password = dante_auth.user.encode(), dante_auth.password.encode()
    with connect(dante_auth.port) as s:
        s.sendall(b"\x05\x02\x00\x02")
        assert recv_exactly(s, 2) == b"\x05\x02"
        s.sendall(b"\x01" + bytes([len(user)]) + user + bytes([len(password)]) + password)
        assert recv_exactly(s, 2) == b"\x01\x00"
        s.sendall(socks5_connect(community_server.port))
        assert recv_exactly(s, 10)[:4] == b"\x05\x00\x00\x01"
        hello_through(s)


def test_dante_socks5_refuses_a_wrong_password_and_no_method(dante_auth):
    user = dante_auth.user.encode()
    with connect(dante_auth.port) as s:
        s.sendall(b"\x05\x02\x00\x02")
        assert recv_exactly(s, 2) == b"\x05\x02"
        s.sendall(b"\x01" + bytes([len(user)]) + user + b"\x05wrong")
        reply = s.recv(2)
        assert reply[:1] == b"\x01" and reply[1:] != b"\x00"
    with connect(dante_auth.port) as s:
        s.sendall(b"\x05\x01\x00")
        assert recv_exactly(s, 2) == b"\x05\xff"


def post(port, body, host_port):
    s = connect(port)
    s.sendall(b"POST http://127.0.0.1:%d HTTP/1.0\r\nPragma: No-Cache\r\n"
              b"Content-Length: %d\r\n\r\n" % (host_port, len(body)) + body)
    return s


def test_post_tunnel_carries_frames_both_ways(tunnel_server):
    srv = tunnel_server
    primary = post(srv.tunnel_port, b"\x01" + bytes(4), srv.port)
    header = recv_header(primary)
    assert header.startswith(b"HTTP/1.0 200")
    assert int(header.lower().split(b"content-length: ")[1].split(b"\r\n")[0]) >= 4
    tunnel_id = recv_exactly(primary, 4)
    reader = FrameReader()
    assert next_frame(primary, reader) == LOOPBACK
    # the client sends neither sequence nor keep-alive bytes in the tunnel;
    # a frame may be split over two secondary requests
    batch = FrameWriter(seq=False).frame(HELLO)
    secondary = post(srv.tunnel_port, b"\x00" + tunnel_id + batch[:5], srv.port)
    reply = recv_header(secondary)
    assert reply.startswith(b"HTTP/1.0 200") and recv_exactly(secondary, 4) == tunnel_id
    secondary.close()
    secondary = post(srv.tunnel_port, b"\x00" + tunnel_id + batch[5:], srv.port)
    assert recv_header(secondary).startswith(b"HTTP/1.0 200")
    secondary.close()
    answer = M.decode(M.TO_CLIENT, next_frame(primary, reader))
    assert (answer["type"], answer["major"]) == (0, 3)
    assert srv.wait_log({"event": "tunnel_request", "role": 0, "length": len(batch) - 5})
    primary.close()
    srv.wait_log({"event": "closed"})


def test_post_tunnel_unknown_id_is_not_found(tunnel_server):
    s = post(tunnel_server.tunnel_port, b"\x00\x00\x00\x00\x09abc", tunnel_server.port)
    assert recv_header(s).startswith(b"HTTP/1.0 404")
    s.close()


ACCEPTING = [
    ("socks4", {}, lambda port: socks4_request(port), 8),
    ("http", {}, lambda port: b"CONNECT 127.0.0.1:%d HTTP/1.0\r\n\r\n" % port, None),
]


@pytest.mark.parametrize("kind,kw,request_for,reply_len", ACCEPTING, ids=["socks4", "http"])
def test_scripted_proxies_relay_when_accepting(community_server, scripted_proxy, kind, kw,
                                               request_for, reply_len):
    proxy = scripted_proxy(kind, **kw)
    with connect(proxy.port) as s:
        s.sendall(request_for(community_server.port))
        reply = recv_exactly(s, reply_len) if reply_len else recv_header(s)
        assert reply[:2] in (b"\x04\x5a", b"HT")
        hello_through(s)
    assert proxy.requests[0] == request_for(community_server.port)


def test_scripted_socks5_with_user_and_password(community_server, scripted_proxy):
    proxy = scripted_proxy("socks5", user="u", password="pw")
    with connect(proxy.port) as s:
        s.sendall(b"\x05\x02\x00\x02")
        assert recv_exactly(s, 2) == b"\x05\x02"
        s.sendall(b"\x01\x01u\x02pw")
        assert recv_exactly(s, 2) == b"\x01\x00"
        s.sendall(socks5_connect(community_server.port))
        assert recv_exactly(s, 10)[:4] == b"\x05\x00\x00\x01"
        hello_through(s)
    assert proxy.requests[1] == b"\x01\x01u\x02pw"


REFUSALS = [
    ("socks4 version byte 0", "socks4", dict(reply=b"\x00\x5a" + bytes(6)),
     lambda port: socks4_request(port), b"\x00\x5a" + bytes(6)),
    ("socks4 rejected", "socks4", dict(reply=b"\x04\x5b" + bytes(6)),
     lambda port: socks4_request(port), b"\x04\x5b" + bytes(6)),
    ("socks5 method 2 unasked", "socks5", dict(method_reply=b"\x05\x02"),
     lambda port: b"\x05\x01\x00", b"\x05\x02"),
    ("socks5 no method", "socks5", dict(method_reply=b"\x05\xff"),
     lambda port: b"\x05\x01\x00", b"\x05\xff"),
    ("socks5 auth refused", "socks5", dict(user="u", password="x"),
     lambda port: b"\x05\x01\x02" + b"\x01\x01u\x01y", b"\x05\x02\x01\x01"),
    ("socks5 connect refused", "socks5", dict(reply=b"\x05\x05\x00\x01" + bytes(6)),
     lambda port: b"\x05\x01\x00" + socks5_connect(port), b"\x05\x00\x05\x05\x00\x01" + bytes(6)),
    ("http 1.1", "http", dict(reply=b"HTTP/1.1 200 OK\r\n\r\n"),
     lambda port: b"CONNECT 127.0.0.1:%d HTTP/1.0\r\n\r\n" % port, b"HTTP/1.1 200 OK\r\n\r\n"),
    ("http 403", "http", dict(reply=b"HTTP/1.0 403 Forbidden\r\n\r\n"),
     lambda port: b"CONNECT 127.0.0.1:%d HTTP/1.0\r\n\r\n" % port,
     b"HTTP/1.0 403 Forbidden\r\n\r\n"),
]


@pytest.mark.parametrize("name,kind,kw,request_for,expected", REFUSALS,
                         ids=[r[0] for r in REFUSALS])
def test_scripted_refusals_answer_and_close(community_server, scripted_proxy, name, kind, kw,
                                            request_for, expected):
    proxy = scripted_proxy(kind, **kw)
    with connect(proxy.port) as s:
        s.sendall(request_for(community_server.port))
        s.shutdown(socket.SHUT_WR)
        got = b""
        while True:
            chunk = s.recv(4096)
            if not chunk:
                break
            got += chunk
    assert got == expected
