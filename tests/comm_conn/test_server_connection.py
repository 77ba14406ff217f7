"""The server connection against the kit's community server, through the
conn_probe of each tree: look-up or none, addresses in turn, the first-frame
rule, the hello answer, framing of what the server writes, output that waits
while the server does not read, and the one resumption after a break."""
import time

import pytest

from zrkit import messages as M

SCENARIO = {
    "items": [{"type": 0, "code": 1002, "value": "http://home/"},
              {"type": 2, "code": 1019, "value": 5}],
    "references": [{"owner": 7, "kind": 289, "id": 8, "parent_le": 9}],
}


def texts(server):
    """Texts of the type-35 messages the server received, in order."""
    return [bytes.fromhex(m["msg"]["raw"])[2:].decode() for m in server.messages("in", type=35)]


def said(server):
    return [text.split(":")[0] for text in texts(server)]


def saying(n, size=0):
    """Log match of the probe's n-th text."""
    text = ("m%d:" % n).ljust(size, "x").encode()
    return {"msg": {"type": 35, "raw": (len(text).to_bytes(2, "big") + text).hex()}}


def reason(probe, timeout=15.0):
    return int(probe.expect("DISCONNECTED", timeout=timeout).split()[1])


@pytest.mark.parametrize("host", ["localhost", "127.0.0.1"])
def test_connects_says_hello_and_reads_the_answer(server_factory, start_probe, host):
    srv = server_factory(scenario=SCENARIO, window_id=5)
    probe = start_probe({"ZRS_PORT_NUM": srv.port})
    probe.send("connect " + host)
    assert probe.expect("HELLO") == "HELLO 1 2 5"
    probe.expect("READY")
    hello = srv.messages("in", type=0)[0]["msg"]
    assert (hello["major"], hello["minor"], hello["mode"]) == (3, 1, 1)
    probe.send("say 2")
    probe.expect("SENT 2")
    srv.wait_log(saying(2))
    assert said(srv) == ["m1", "m2"]
    assert probe.count("DISCONNECTED") == 0


def test_refused_connect_reports_217(start_probe, closed_port):
    probe = start_probe({"ZRS_PORT_NUM": closed_port})
    probe.send("connect 127.0.0.1")
    assert reason(probe) == 217
    probe.settle(1)
    assert probe.count("DISCONNECTED") == 1


@pytest.mark.parametrize("addresses,outcome", [("127.0.0.2,127.0.0.1", "READY"),
                                                ("127.0.0.2,127.0.0.3", "DISCONNECTED 217")],
                         ids=["second-answers", "both-refuse"])
def test_addresses_are_tried_in_turn(community_server, start_probe, addresses, outcome):
    probe = start_probe({"ZRS_PORT_NUM": community_server.port},
                        "--host", "twohomes=" + addresses)
    probe.send("connect twohomes")
    probe.expect(outcome)
    probe.settle(0.5)
    assert probe.count("DISCONNECTED") == (1 if outcome.startswith("DISCONNECTED") else 0)


def test_five_byte_first_frame_reports_210(server_factory, start_probe):
    srv = server_factory("--first-frame", "7f00000101")
    probe = start_probe({"ZRS_PORT_NUM": srv.port})
    probe.send("connect 127.0.0.1")
    assert reason(probe) == 210
    assert srv.messages("in", type=0) == []


def test_server_writing_byte_by_byte_with_keep_alive_bytes_and_a_large_frame(community_server,
                                                                            start_probe):
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    large = M.header(35) + bytes(range(256)) * 400
    community_server.control("send", session=1, hex=large.hex())
    assert probe.expect("MESSAGE 35", timeout=30) == "MESSAGE 35 " + large[len(M.header(35)):].hex()
    community_server.control("pace", session=1, seconds=0.005)
    for n in range(3):
        community_server.control("raw", session=1, hex="80")
        community_server.control("message", session=1, type=35, fields="%02x0102" % n)
    for n in range(3):
        assert probe.expect("MESSAGE 35", timeout=30) == "MESSAGE 35 %02x0102" % n
    assert probe.count("DISCONNECTED") == 0


def test_output_waits_while_the_server_does_not_read(community_server, start_probe):
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    community_server.control("pause", session=1, seconds=4)
    probe.send("say 66 32000")          # about 2 MiB
    probe.expect("SENT 66")
    community_server.wait_log(saying(66, 32000), timeout=60)
    assert said(community_server) == ["m%d" % n for n in range(1, 67)]
    assert all(len(t) == 32000 for t in texts(community_server))
    assert probe.count("DISCONNECTED") == 0


def test_output_stuck_for_two_ticks_breaks_with_240(community_server, start_probe):
    probe = start_probe({"ZRS_PORT_NUM": community_server.port, "UCM_TIMER_COUNT": 2},
                        "--keepalive-ms", "1000")
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    community_server.control("pause", session=1, seconds=600)
    # More than the loopback's socket buffers can take, however far they
    # grow, so that the output is stuck whatever the machine's load.
    probe.send("say 600 32000")
    probe.expect("SENT 600")
    started = time.monotonic()
    # Two ticks of stuck output; a loaded machine fills the socket buffers
    # late, so the wait is generous.
    assert reason(probe, timeout=60) == 240
    assert time.monotonic() - started < 60


def test_break_without_window_reports_240_without_reconnecting(community_server, start_probe):
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    community_server.control("drop", session=1)
    assert reason(probe) == 240
    probe.settle(1)
    assert probe.count("DISCONNECTED") == 1
    assert len([e for e in community_server.log() if e.get("event") == "connected"]) == 1


def test_broken_connection_resumes_once_without_loss(server_factory, start_probe, platform):
    srv = server_factory(window_id=9)
    probe = start_probe({"ZRS_PORT_NUM": srv.port}, *BOX_OPTIONS[platform])
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    probe.send("say 3")
    srv.wait_log(saying(3))
    srv.control("message", session=1, type=35, fields="aa")
    probe.expect("MESSAGE 35 aa")
    dropped = time.time()
    srv.control("drop", session=1)
    box = probe.expect(BOX_LINE[platform])
    assert box.endswith("|Connection to server broken (41), starting ttl")
    if platform == "wine":
        # sent while the box is up: kept, and sent after the resumption
        probe.send("say 1")
        probe.expect("SENT 4")
        probe.expect("BOX_CLOSED")
    probe.expect("RESUMED 3")
    reconnected = [e["t"] for e in srv.log() if e.get("event") == "connected"][1]
    assert reconnected - dropped >= BOX_SECONDS[platform]
    probe.send("say 2")
    total = 6 if platform == "wine" else 5
    srv.wait_log(saying(total))
    srv.control("message", session=1, type=35, fields="bb")
    probe.expect("MESSAGE 35 bb")
    assert said(srv) == ["m%d" % n for n in range(1, total + 1)]
    assert probe.count("MESSAGE 35 aa") == 1 and probe.count("READY") == 1
    assert probe.count("DISCONNECTED") == 0
    assert [e["event"] for e in srv.log() if e.get("event") == "resumed"] == ["resumed"]


def test_keep_alive_byte_after_a_silent_minute(server_factory, start_probe, platform):
    """The one real wait of the 60-second tick under Wine (natively the tick
    is 1 s). The first tick only clears the progress of the hello; the
    second finds a silent minute and sends the byte."""
    community_server = server_factory(time_limit=300)
    options = () if platform == "wine" else ("--keepalive-ms", "1000")
    probe = start_probe({"ZRS_PORT_NUM": community_server.port}, *options)
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    probe.settle(125 if platform == "wine" else 3.5)
    probe.send("disconnect")
    probe.expect("DISCONNECTED local")
    closed = community_server.wait_log({"event": "closed"}, timeout=10)
    assert closed["keepalives"] >= 1
    assert probe.count("DISCONNECTED") == 1


def test_failed_reconnect_reports_once(server_factory, start_probe, platform):
    srv = server_factory(window_id=3)
    probe = start_probe({"ZRS_PORT_NUM": srv.port}, *BOX_OPTIONS[platform])
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    srv.stop()
    probe.expect(BOX_LINE[platform])
    assert reason(probe) == 217
    probe.settle(1)
    assert probe.count("DISCONNECTED") == 1 and probe.count("RESUMED") == 0


BOX_OPTIONS = {"native": (), "wine": ("--dismiss-boxes", "1500")}
BOX_LINE = {"native": "LOG Zanthe|", "wine": "BOX Zanthe ("}
# How long the box stays up before the watcher closes it.
BOX_SECONDS = {"native": 0, "wine": 1.4}


def test_refused_message_on_a_secondary_channel_is_reported_there_whole(community_server,
                                                                        start_probe):
    """The report goes out on the channel where the message was refused;
    that channel closes and the session goes on."""
    probe = start_probe({"ZRS_PORT_NUM": community_server.port})
    probe.send("connect 127.0.0.1")
    probe.expect("READY")
    channel = 5
    refused = M.header(99) + bytes(range(256)) * 40
    opening = M.header(1) + channel.to_bytes(4, "big") + b"\0\4side"
    on_channel = M.header(2) + channel.to_bytes(4, "big") + refused
    after = M.header(35) + b"\0\5after"
    community_server.control("send", session=1,
                             hexes=[opening.hex(), on_channel.hex(), after.hex()])
    assert probe.expect("MESSAGE 35") == "MESSAGE 35 " + b"\0\5after".hex()
    entry = community_server.wait_log({"dir": "in", "msg": {"type": 2, "channel": channel}})
    report = entry["msg"]["inner"]
    assert (report["type"], report["code"]) == (3, 222)
    assert report["offending"] == refused.hex()
    assert probe.count("DISCONNECTED") == 0
