"""The real SnCom.dll under Wine joins the voice test server: engine_host.exe
drives SDK instances of the library by line commands and prints every event
the library raises; the server listens on port 3450 of a loopback address of
its own, where the engine's fixed control port reaches it."""
import os
import pathlib

import pytest

from voiceserver.enginehost import EngineHost, loopback_address
from voiceserver.harness import VoiceServerProcess

UNABLE_TO_CONNECT = "Unable to connect to server."
NO_SERVER = "The conference server could not be reached."


@pytest.fixture
def host(build_win, tmp_path):
    program = build_win / "tests" / "voice_api" / "win32" / "engine_host.exe"
    if not program.exists():
        pytest.skip("engine_host.exe is not built in this tree")
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    engine_host = EngineHost(program, tmp_path, prefix)
    assert engine_host.run("agree -")[0] == "0"
    yield engine_host
    engine_host.stop()


@pytest.fixture
def server(tmp_path):
    for attempt in range(5):
        address = loopback_address()
        try:
            started = VoiceServerProcess(tmp_path / ("server%d" % attempt), "--host", address,
                                         "--port", "3450")
        except RuntimeError:
            continue  # the port of that address is taken: another one
        yield started
        started.stop()
        return
    pytest.fail("no loopback address with a free port 3450")


def test_two_engines_see_each_other_join_and_leave(host, server):
    host.engine("A", server.host, "lobby", "Ann")
    host.engine("B", server.host, "lobby", "Bob")
    assert host.run("hosturl A http://localhost/room.html")[0] == "0"

    assert host.run("join A")[0] == "0"
    host.event("A", 0)  # joined
    ann = host.event("A", 4)
    assert ann[2:] == ("Ann", "")

    assert host.run("join B")[0] == "0"
    host.event("B", 0)
    listed = {host.event("B", 4)[2], host.event("B", 4)[2]}
    assert listed == {"Ann", "Bob"}
    bob = host.event("A", 4)
    assert bob[2] == "Bob" and bob[0] != ann[0]

    # The server saw both joins, with the page host resolved off the host's
    # thread and the engine's own version.
    joins = [e for e in server.log() if e.get("dir") == "in" and e["fields"][0] == "JOIN"]
    assert [j["fields"][3] for j in joins] == ["Ann", "Bob"]
    assert joins[0]["fields"][5] == "127.0.0.1"
    assert joins[0]["fields"][6] == "2.1.0.7"

    # Bob leaves: Ann's roster loses him, Bob's host hears of its own end.
    assert host.run("disconnect B") == ["0"]
    host.event("B", 1)
    assert host.event("A", 5)[0] == bob[0]
    assert host.run("disconnect B") == ["1304"]
    # Joined without an account key: user calls are refused.
    assert host.run("message A %d hello" % ann[0]) == ["1307"]

    # Destroying a joined instance leaves the conference as well.
    assert host.run("destroy A") == ["0"]
    host.event("A", 1)
    server.wait_log(lambda e: e.get("event") == "left" and e.get("user") == ann[0])


ACCOUNT, ACCOUNT_KEY = "47205318", "Qm4TzK7pWa2"


@pytest.fixture
def keyed_server(tmp_path):
    address = loopback_address()
    started = VoiceServerProcess(tmp_path / "keyed", "--host", address, "--port", "3450",
                                 "--account", "%s:%s" % (ACCOUNT, ACCOUNT_KEY))
    yield started
    started.stop()


def test_keyed_engines_exchange_messages_and_ignore(host, keyed_server):
    for name, user in (("A", "Ann"), ("B", "Bob")):
        host.engine(name, keyed_server.host, "desk", user)
        assert host.run("set %s Account %s" % (name, ACCOUNT)) == ["0"]
        assert host.run("key %s %s" % (name, ACCOUNT_KEY)) == ["0"]
        assert host.run("join " + name)[0] == "0"
        host.event(name, 0)
    bob = host.event("A", 4, timeout=15)
    while bob[2] != "Bob":
        bob = host.event("A", 4)
    ann_user = [m["user"] for m in keyed_server.control("members")["members"]
                if m["name"] == "Ann"][0]

    assert host.run("message A %d hello Bob" % bob[0]) == ["0"]
    host.wait_line(lambda line: line == "EVENT A 3 0 0 Message sent|")
    received = host.event("B", 9)
    assert received[0] == ann_user and received[2:] == ("Ann", "hello Bob")
    assert host.run("message A 999 hello") == ["1305"]

    assert host.run("ignore A %d" % bob[0]) == ["0"]
    mute = keyed_server.wait_log(lambda e: e.get("event") == "mute")
    assert (mute["target"], mute["flag"]) == (str(bob[0]), "1")


def test_a_dispatch_moves_the_engine_to_another_server(host, server, tmp_path):
    second = VoiceServerProcess(tmp_path / "second", "--host", loopback_address(),
                                "--port", "3450", "--first-user", "501")
    try:
        host.engine("A", server.host, "lobby", "Ann")
        assert host.run("join A")[0] == "0"
        host.event("A", 0)
        user = host.event("A", 4)[0]
        server.control("send", user=user,
                       fields=["DISPATCH", second.host, "overflow", "3", "tok-77"])
        # Joined again on the second server, in its conference, with the token.
        host.event("A", 0)
        assert host.event("A", 4)[0] == 501
        join = second.wait_log(lambda e: e.get("event") == "joined")
        assert (join["conference"], join["token"]) == (["overflow", "3"], "tok-77")
        # A redirection is no disconnection for the host.
        assert 1 not in [code for code, _ in host.events("A")]
        server.wait_log(lambda e: e.get("event") == "left" and e.get("user") == user)
        assert host.run("disconnect A") == ["0"]
        host.event("A", 1)
        second.wait_log(lambda e: e.get("event") == "left" and e.get("user") == 501)
    finally:
        second.stop()


NO_CODEC = ("Could not negotiate a compatible voice codec for this conference.\\n"
            "Connection terminated.")


def test_a_media_offer_without_a_usable_codec_ends_the_session(host, tmp_path):
    # No codec library lies beside the engine here, so the offered codec
    # cannot be negotiated.
    media_server = VoiceServerProcess(tmp_path / "media", "--host", loopback_address(),
                                      "--port", "3450", "--media-port", "0")
    try:
        host.engine("A", media_server.host, "lobby", "Ann")
        assert host.run("join A")[0] == "0"
        host.event("A", 0)
        error = host.event("A", 2)
        assert (error[0], error[2]) == (1004, NO_CODEC)
        assert (1, NO_CODEC) in host.events("A")
        assert host.run("disconnect A") == ["1304"]
    finally:
        media_server.stop()


def test_the_tunnel_only_strategy_joins_over_http(host, tmp_path):
    address = loopback_address()
    try:
        tunnel_server = VoiceServerProcess(tmp_path / "tunnel", "--host", address,
                                           "--port", "3450", "--tunnel-port", "80")
    except RuntimeError as error:
        pytest.skip("port 80 cannot be bound here: %s" % error)
    try:
        host.engine("A", address, "lobby", "Ann")
        host.engine("B", address, "lobby", "Bob")
        assert host.run("set A Tunnel 8618200") == ["0"]
        assert host.run("join A")[0] == "0"
        host.event("A", 0)
        assert host.run("join B")[0] == "0"  # direct, beside the tunnelled one
        host.event("B", 0)
        assert host.event("A", 4, timeout=15)[2] in ("Ann", "Bob")
        tunnel_server.wait_log(lambda e: e.get("event") == "tunnel-request")
        joins = [e for e in tunnel_server.log() if e.get("event") == "joined"]
        assert len(joins) == 2
        assert host.run("disconnect A") == ["0"]
        host.event("B", 5)
    finally:
        tunnel_server.stop()


def test_a_join_to_a_closed_port_reports_the_failure(host):
    host.engine("A", loopback_address(), "lobby", "Ann")
    assert host.run("set A Tunnel 0") == ["0"]
    assert host.run("join A")[0] == "0"
    error = host.event("A", 2)
    assert error[0] == 1005 and error[2] == NO_SERVER
    assert (3, UNABLE_TO_CONNECT) in host.events("A")
    assert (1, UNABLE_TO_CONNECT) in host.events("A")
    # The failed join is over: a new one may start.
    assert host.run("disconnect A") == ["1304"]


def test_an_unknown_page_host_does_not_stop_the_join(host, server):
    host.engine("A", server.host, "lobby", "Ann")
    assert host.run("hosturl A http://no-such-host.invalid/page")[0] == "0"
    assert host.run("join A")[0] == "0"
    host.event("A", 0)
    join = server.wait_log(lambda e: e.get("dir") == "in" and e["fields"][0] == "JOIN")
    assert join["fields"][5] == "0.0.0.0"
