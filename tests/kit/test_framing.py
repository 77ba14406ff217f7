"""Frames with sequence bytes and keep-alive bytes, and the window counts."""
import pytest

from zrkit.framing import END, FrameReader, FrameWriter, FramingError
from zrkit.session import Window, WindowError


def read_all(data):
    r = FrameReader()
    r.feed(data)
    out = []
    while True:
        f = r.next_frame()
        if f is False:
            return out, r
        out.append(f)


def test_sequence_runs_1_to_127_then_1_again():
    w = FrameWriter(seq=True)
    firsts = [w.frame(b"x")[0] for _ in range(129)]
    assert firsts[0] == 0x81 and firsts[126] == 0xFF and firsts[127] == 0x81
    w = FrameWriter(seq=True)
    frames, r = read_all(b"".join(w.frame(b"%d" % i) for i in range(130)))
    assert frames == [b"%d" % i for i in range(130)]


def test_keepalive_bytes_between_frames_are_skipped():
    w = FrameWriter(seq=True)
    data = b"\x80\x80" + w.frame(b"a") + b"\x80" + w.frame(b"b") + b"\x80"
    frames, r = read_all(data)
    assert frames == [b"a", b"b"] and r.keepalives == 4


def test_frames_without_sequence_bytes():
    w = FrameWriter(seq=False)
    assert w.frame(b"ab") == bytes.fromhex("00000002 6162")
    frames, r = read_all(w.frame(b"ab") + w.frame(b""))
    assert frames == [b"ab", END] and not r.seen_seq


@pytest.mark.parametrize("data", [
    "82 00000001 61",                      # first number must be 1
    "81 00000001 61 83 00000001 62",       # a gap
    "81 00000001 61 00000001 62",          # a frame without number after one with
])
def test_sequence_faults(data):
    with pytest.raises(FramingError):
        read_all(bytes.fromhex(data))


def test_partial_frames_wait_for_more_bytes():
    r = FrameReader()
    whole = FrameWriter(seq=True).frame(b"hello")
    for i, byte in enumerate(whole):
        assert r.next_frame() is False
        r.feed(bytes([byte]))
    assert r.next_frame() == b"hello"


def test_empty_frame_is_the_end():
    frames, _ = read_all(FrameWriter(seq=True).end())
    assert frames == [END]


def test_window_counts_and_acknowledgements():
    w = Window(window_id=5)
    for t in (0, 5, 33, 15, 2):
        w.on_sent(t, b"%d" % t)
    assert w.sent == 3 and w.pending() == [b"5", b"15", b"2"]
    w.acknowledge(2)
    assert w.pending() == [b"2"]
    w.acknowledge(2)                    # the same count again drops nothing
    assert w.pending() == [b"2"]
    with pytest.raises(WindowError):
        w.acknowledge(4)                # more than was sent
    with pytest.raises(WindowError):
        w.acknowledge(1)                # going back
    assert [w.on_received(t) for t in (0, 33, 5)] == [False, False, True]


def test_window_off_keeps_and_counts_nothing():
    w = Window()
    w.on_sent(5, b"x")
    assert not w.on_received(5)
    assert (w.sent, w.received, w.pending()) == (0, 0, [])
