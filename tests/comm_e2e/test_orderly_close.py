"""The orderly end of a connection, with a comm-driver of each tree against
the kit's server: a message that the client refuses is answered with the
whole error report and the closing frame, which reach the server whole even
when the server writes on, the report outgrows the socket buffers or the
server keeps sending during the close; and a server that never closes does
not keep the client's socket beyond a few seconds."""
import pytest

from zrkit import messages as M
from zrkit.wire import Writer

TALK = 17
ROOM_LINE = 5


def enter(driver, server, name):
    """Connects and enters a place; the member's identifier."""
    driver.send("connect 127.0.0.1 %d %s" % (server.port, name))
    member = driver.expect("OnConnected")["member"]
    driver.send("enter http://page/ 100 100")
    driver.expect("OnEntered", name="http://page/")
    return member


def room_line(key, member, text_length, text, tail=b"\0\0\0\0"):
    """A room line (place operation 17) from the member to itself, with the
    given text length field."""
    return (M.header(15) + Writer().u16(key).u32(member).u16(TALK).u32(member).u16(ROOM_LINE)
            .u16(text_length).bytes() + text + tail)


def valid_line(key, member):
    return room_line(key, member, 5, b"after")


def session_of(server, name):
    return next(s for s in server.control("sessions")["sessions"] if s["name"] == name)


def event(server, name, after=0, **fields):
    return server.wait_log(dict(event=name, **fields), timeout=60, after=after)


def closed_connection(server):
    """The `closed` event of the client's connection (the only one)."""
    entries = [e for e in server.log() if e.get("event") == "closed"]
    assert len(entries) == 1, entries
    return entries[0]


def reports(server):
    return [e["msg"] for e in server.messages("in", type=3)]


def assert_whole_report(server, bad):
    """The server holds one type-3 report whose message field is the bad
    message byte for byte, then the closing frame, and the client's end was
    no reset."""
    event(server, "end_frame")
    sent = reports(server)
    assert len(sent) == 1
    assert sent[0]["code"] == 222
    assert len(sent[0]["offending"]) == 2 * len(bad)
    assert sent[0]["offending"] == bad.hex()
    assert 0 < sent[0]["offset"] <= len(bad)
    event(server, "closed")
    assert closed_connection(server)["reset"] is False


# (name, body of the text field, seconds the server does not read, flood)
SCENARIOS = [
    ("back-to-back", b"\x4c" * 0xFFFF, 0, False),
    ("larger-than-socket-buffers", b"\x4c" * (8 << 20), 3, False),
    ("server-sends-during-close", b"\x4c" * 0xFFFF, 0, True),
]


@pytest.mark.parametrize("text,pause,flood", [s[1:] for s in SCENARIOS], ids=[s[0] for s in SCENARIOS])
def test_refused_message_is_answered_whole_before_the_end(community_server, drivers, text, pause,
                                                          flood):
    driver = drivers()
    member = enter(driver, community_server, "ann")
    session = session_of(community_server, "ann")
    bad = room_line(session["key"], member, 0xFFFF, text)
    if flood:
        community_server.control("flood", session="ann", seconds=30, size=1000)
    if pause:
        community_server.control("pause", session="ann", seconds=pause)
    community_server.control("send", session="ann",
                             hexes=[bad.hex(), valid_line(session["key"], member).hex()])
    driver.expect("OnConnectionEnded", timeout=30, reason=222)
    assert_whole_report(community_server, bad)
    assert not [e for e in driver.events if e["event"] == "OnReceive"], "nothing after the bad message"
    if flood:
        # The flood was still running when the closing frame arrived.
        flooded = event(community_server, "flooded")
        assert flooded["index"] > event(community_server, "end_frame")["index"]
        assert flooded["count"] > 0


def test_a_server_that_never_closes_holds_the_client_only_for_the_bound(community_server, drivers):
    driver = drivers()
    member = enter(driver, community_server, "ann")
    session = session_of(community_server, "ann")
    community_server.control("hold", session="ann")
    bad = room_line(session["key"], member, 0xFFFF, b"\x4c" * 100)
    community_server.control("send", session="ann", hex=bad.hex())
    driver.expect("OnConnectionEnded", timeout=30, reason=222)
    ended = event(community_server, "end_frame")
    gone = event(community_server, "client_gone")
    waited = gone["t"] - ended["t"]
    # The client waits a few seconds (5) for the server's end, then closes.
    assert 3.5 <= waited <= 9.0, waited
    assert reports(community_server)[0]["offending"] == bad.hex()


def test_quitting_sends_the_leave_and_the_closing_frame_first(community_server, drivers):
    driver = drivers()
    enter(driver, community_server, "ann")
    driver.send("say last words")
    driver.send("quit")
    assert driver.proc.wait(timeout=30) == 0
    event(community_server, "end_frame")
    said = [e["msg"] for e in community_server.messages("in", type=15) if e["msg"]["op"] == TALK]
    assert [m["text"] for m in said] == ["last words"]
    event(community_server, "closed")
    assert closed_connection(community_server)["reset"] is False
