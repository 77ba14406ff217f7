"""The conference server's behaviour over TCP: greeting, joins and rosters,
relays, ejection and breakouts, scripted lines, refusals, log and time
limit."""
import socket

import pytest

from voiceserver.client import VoiceClient
from voiceserver.harness import VoiceServerProcess


def client(server, **kw):
    return VoiceClient(server.host, server.port, **kw)


def test_join_builds_the_roster_for_both_sides(voice_server):
    ann = client(voice_server)
    assert ann.join("lobby", "Ann", icon=4) == 101
    assert ann.receive() == ["ROSTERADD", "101", "Ann", "4"]

    bob = client(voice_server)
    assert bob.join("lobby", "Bob") == 102
    assert bob.receive() == ["ROSTERADD", "102", "Bob", "0"]
    assert bob.receive() == ["ROSTERADD", "101", "Ann", "4"]
    assert ann.receive() == ["ROSTERADD", "102", "Bob", "0"]

    # Another clone of the same conference is another roster.
    cyd = client(voice_server)
    cyd.join("lobby", "Cyd", clone=1)
    assert cyd.receive() == ["ROSTERADD", "103", "Cyd", "0"]
    cyd.send("APP", "APPBROADCAST", "alone")
    cyd.send("DISCONNECT")
    assert cyd.closed()

    bob.send("DISCONNECT")
    assert ann.receive() == ["ROSTERDEL", "102"]


def test_server_lines_are_enciphered_as_worked_by_hand(voice_server):
    raw = socket.create_connection((voice_server.host, voice_server.port), 5)
    raw.sendall(b"CONNECT\t2\t4\ten-US\t73920461\n")
    reply = b""
    while not reply.endswith(b"\n"):
        reply += raw.recv(100)
    # "1\tCONNECT\n" is 10 bytes: two blocks.
    assert len(reply) == 25
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    voice_server.control("send", user=101, fields=["ACCEPT", "3"], sequence=8)
    ann.receive()
    assert ann.read_line() == b"sjFJIDZKCGHH5A0GF4U8Qg=="
    voice_server.control("send", user=101, fields=["CONNECT"], sequence=7)
    assert ann.read_line() == b"RGfB40WKGaz7uXoOeojblg=="
    raw.close()


def test_account_keys_select_the_cipher(voice_server_factory):
    server = voice_server_factory("--account", "47205318:Qm4TzK7pWa2")
    keyed = client(server, account="47205318", account_key="Qm4TzK7pWa2")
    assert keyed.join("lobby", "Kay") == 101
    # An account the server does not know gets the default key, which the
    # client cannot read.
    stranger = client(server, account="555", account_key="QUJDREVGR0g=")
    with pytest.raises(ValueError):
        stranger.receive()


def test_roster_changes_are_echoed_to_everyone(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    bob = client(voice_server)
    bob.join("lobby", "Bob")
    ann.expect("ROSTERADD", 102)
    ann.send("ROSTERCHANGE", "NAME", 101, "Annie")
    ann.send("ROSTERCHANGE", "ICON", 101, 9)
    # Changing someone else is refused.
    ann.send("ROSTERCHANGE", "NAME", 102, "Mallory")
    for side in (ann, bob):
        assert side.expect("ROSTERCHANGE") == ["ROSTERCHANGE", "NAME", "101", "Annie"]
        assert side.receive() == ["ROSTERCHANGE", "ICON", "101", "9"]
    voice_server.wait_log(lambda e: e.get("event") == "bad-rosterchange")


def test_messages_and_app_lines_are_relayed(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    bob = client(voice_server)
    bob.join("lobby", "Bob")
    ann.expect("ROSTERADD", 102)
    bob.expect("ROSTERADD", 101)
    ann.send("MESSAGE", 102, "two\x01lines")
    assert bob.receive() == ["MESSAGE", "101", "Ann", "two\x01lines"]
    ann.send("APP", "WARN", 102, "calm")
    assert bob.receive() == ["APP", "WARN", "101", "Ann", "calm"]
    ann.send("APP", "APPMESSAGE", 102, "data")
    assert bob.receive() == ["APP", "APPMESSAGE", "101", "Ann", "data"]
    ann.send("APP", "APPBROADCAST", "hello all")
    assert bob.receive() == ["APP", "APPBROADCAST", "101", "Ann", "hello all"]
    ann.send("APP", "GAG", 102, 32769, 60)
    assert ann.receive() == ["APP", "GAGSTATE", "102", "32769", "60", "101"]
    assert bob.receive() == ["APP", "GAGSTATE", "102", "32769", "60", "101"]
    ann.send("PHONE", "DTMF", "5")
    ann.send("APP", "MUTE", 102, 1)
    voice_server.wait_log(lambda e: e.get("event") == "mute" and e["flag"] == "1")
    assert voice_server.wait_log(lambda e: e.get("event") == "dtmf")["args"] == ["DTMF", "5"]


def test_breakout_lines_are_relayed_and_the_name_checked(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    bob = client(voice_server)
    bob.join("lobby", "Bob")
    ann.expect("ROSTERADD", 102)
    bob.expect("ROSTERADD", 101)
    ann.send("APP", "BREAKOUT", 102, "INVITE")
    assert bob.receive() == ["APP", "BREAKOUT", "101", "INVITE"]
    bob.send("APP", "BREAKOUT", 101, "ACCEPT", "lobby (0)_$101")
    assert ann.receive() == ["APP", "BREAKOUT", "102", "ACCEPT", "lobby (0)_$101"]
    entry = voice_server.wait_log(lambda e: e.get("event") == "breakout-accept")
    assert entry["name_ok"] is True
    bob.send("APP", "BREAKOUT", 101, "REJECT")
    assert ann.receive() == ["APP", "BREAKOUT", "102", "REJECT"]


def test_eject_disconnects_the_target(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    bob = client(voice_server)
    bob.join("lobby", "Bob")
    ann.expect("ROSTERADD", 102)
    ann.send("APP", "EJECT", 102, "rude\x01again")
    assert bob.expect("DISCONNECT") == ["DISCONNECT", "rude again"]
    assert bob.closed()
    assert ann.receive() == ["ROSTERDEL", "102"]


def test_closing_without_goodbye_removes_the_member(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    bob = client(voice_server)
    bob.join("lobby", "Bob")
    ann.expect("ROSTERADD", 102)
    bob.close()
    assert ann.receive() == ["ROSTERDEL", "102"]


@pytest.mark.parametrize("args, conference, reason", [
    ((), None, "JOIN needs 15 fields"),
    (("--reject", "closed"), "closed", "conference closed"),
])
def test_refused_joins(voice_server_factory, args, conference, reason):
    server = voice_server_factory(*args)
    c = client(server)
    c.expect("CONNECT")
    if conference is None:
        c.send("JOIN", "lobby", 0, "Ann")
    else:
        c.send("JOIN", conference, 0, "Ann", "0", "h", "v", "d", "1.0", "NT", "a", "1", "u",
               0, "0", ";;;")
    assert c.receive() == ["REJECT", reason]


def test_channel_test_is_answered(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    ann.send("CHANNEL", "TEST", "UDP", 5004, 10)
    assert ann.expect("CHANNEL") == ["CHANNEL", "TESTED", "0"]


def test_undecipherable_lines_end_the_connection(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann")
    ann.sock.sendall(b"bm90IGEgbGluZQ==\n")
    assert ann.closed()
    voice_server.wait_log(lambda e: e.get("event") == "bad-line")


def test_the_log_holds_every_decoded_line(voice_server):
    ann = client(voice_server)
    ann.join("lobby", "Ann", token="tok-1", phone="1;2:3;4;5")
    ann.receive()
    joined = voice_server.wait_log(lambda e: e.get("event") == "joined")
    assert joined["token"] == "tok-1" and joined["phone"] == "1;2:3;4;5"
    entries = voice_server.log()
    assert {"dir": "in", "fields": ["CONNECT", "2", "4", "en-US", "73920461"]}.items() <= \
        entries[1].items()
    assert any(e.get("dir") == "out" and e["fields"] == ["ACCEPT", "101"] for e in entries)


def test_the_server_stops_at_its_time_limit(tmp_path):
    server = VoiceServerProcess(tmp_path, time_limit=1)
    try:
        server.proc.wait(10)
        assert server.proc.returncode == 0
        assert any(e.get("event") == "time-limit" for e in server.log())
    finally:
        server.stop()
