"""The server connection reaching the kit's server through proxies, with the
conn_probe of each tree: tinyproxy (HTTP CONNECT), danted (SOCKS4, SOCKS5
with and without user and password), the kit's HTTP POST tunnel endpoint,
and scripted proxies that refuse (reason 212)."""
import pytest


def reach(probe, server, proxy_command, host="127.0.0.1"):
    probe.send(proxy_command)
    probe.send("connect " + host)
    probe.expect("READY", timeout=30)
    probe.send("say 2")
    probe.expect("SENT 2")
    server.wait_log({"msg": {"type": 35, "raw": "00036d323a"}}, timeout=20)
    assert probe.count("DISCONNECTED") == 0


@pytest.mark.parametrize("host", ["127.0.0.1", "localhost"])
def test_http_connect_through_tinyproxy(community_server, tinyproxy, start_probe, host):
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    reach(probe, community_server, "proxy connect 127.0.0.1 %d" % tinyproxy.port, host)


def test_socks4_through_danted(community_server, dante, start_probe):
    proxy = dante()
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    reach(probe, community_server, "proxy socks4 127.0.0.1 %d user zr" % proxy.port)


@pytest.mark.parametrize("option", [0, 1, 2], ids=["proxy-resolves", "client-resolves", "client-first"])
def test_socks5_through_danted(community_server, dante, start_probe, option):
    proxy = dante()
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    reach(probe, community_server, "proxy socks5 127.0.0.1 %d option %d" % (proxy.port, option),
          "localhost")


def test_socks5_with_user_and_password_through_danted(community_server, dante, start_probe):
    try:
        proxy = dante(auth=True)
    except PermissionError as err:
        pytest.skip(str(err))
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    reach(probe, community_server,
          "proxy socks5 127.0.0.1 %d auth %s %s" % (proxy.port, proxy.user, proxy.password))


def test_post_tunnel_through_the_kit_endpoint(tunnel_server, start_probe):
    srv = tunnel_server
    probe = start_probe({"ZRS_PORT_NUM": srv.port})
    reach(probe, srv, "proxy post 127.0.0.1 %d" % srv.tunnel_port)
    assert srv.wait_log({"event": "tunnel_request", "role": 1, "tunnel": 0, "length": 0})


def test_post_tunnel_carries_what_is_queued_before_a_disconnect(tunnel_server, start_probe):
    srv = tunnel_server
    probe = start_probe({"ZRS_PORT_NUM": srv.port})
    reach(probe, srv, "proxy post 127.0.0.1 %d" % srv.tunnel_port)
    probe.send("say 40 2000")
    probe.send("disconnect")
    probe.expect("DISCONNECTED local")
    last = ("m42:".ljust(2000, "x")).encode()
    srv.wait_log({"msg": {"type": 35, "raw": (len(last).to_bytes(2, "big") + last).hex()}}, timeout=20)
    said = [bytes.fromhex(m["msg"]["raw"])[2:].decode().split(":")[0]
            for m in srv.messages("in", type=35)]
    assert said == ["m%d" % n for n in range(1, 43)]


def test_post_tunnel_carries_the_error_report_of_a_refused_message(tunnel_server, start_probe):
    srv = tunnel_server
    probe = start_probe({"ZRS_PORT_NUM": srv.port})
    reach(probe, srv, "proxy post 127.0.0.1 %d" % srv.tunnel_port)
    unknown = (99).to_bytes(2, "big") + b"\0" + bytes(range(256)) * 80
    valid = (35).to_bytes(2, "big") + b"\0" + b"\0\x05after"
    srv.control("send", session=1, hexes=[unknown.hex(), valid.hex()])
    assert probe.expect("DISCONNECTED", timeout=20) == "DISCONNECTED 222"
    report = srv.wait_log({"msg": {"type": 3, "code": 222}}, timeout=20)["msg"]
    assert report["offending"] == unknown.hex()
    assert probe.count("MESSAGE 35") == 0


REFUSALS = [
    ("socks4 rejected", "socks4", dict(reply=b"\x04\x5b" + bytes(6))),
    ("socks5 no method", "socks5", dict(method_reply=b"\x05\xff")),
    ("socks5 connect refused", "socks5", dict(reply=b"\x05\x05\x00\x01" + bytes(6))),
    ("http 403", "http", dict(reply=b"HTTP/1.0 403 Forbidden\r\n\r\n")),
]


@pytest.mark.parametrize("name,kind,script", REFUSALS, ids=[r[0] for r in REFUSALS])
def test_refusing_proxies_report_212(community_server, scripted_proxy, start_probe, name, kind,
                                     script):
    proxy = scripted_proxy(kind, **script)
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    probe.send("proxy %s 127.0.0.1 %d" % ({"http": "connect"}.get(kind, kind), proxy.port))
    probe.send("connect 127.0.0.1")
    assert probe.expect("DISCONNECTED", timeout=20) == "DISCONNECTED 212"
    probe.settle(0.5)
    assert probe.count("DISCONNECTED") == 1
