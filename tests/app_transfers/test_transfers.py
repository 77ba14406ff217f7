"""Objects sent to the running client by a kit bot, seen from outside: the
Receive File dialog, the file dialog of Save As, the file on disk and the
payloads that come back to the bot. A file arrives byte-exact; a name made
to climb out of the folder is saved only as a plain name in the folder the
user chose; a second offer while a dialog is open is refused with status 6;
a rejected offer gets no answer at all."""
import os
import struct
import time

from app_window.window_tools import PLACE, ProbeError
from zrkit.wire import Position

DIALOG = "#32770"
RECEIVE = "Receive File"
SAVE_AS = "Save As"
TEXT = 1178
SAVE_BUTTON = 1192
REJECT = 2
# The dispatcher hands on one transfer message a second.
GAP = 1.2
WAIT_SECONDS = 30


def descriptor(serial, sender, name, size):
    name = name.encode("latin-1")
    return struct.pack(">II", serial, sender) + struct.pack(">H", len(name)) + name + struct.pack(">I", size)


def offer(serial, sender, name, size):
    return bytes([6, 1, 0]) + descriptor(serial, sender, name, size)


def data(serial, sender, name, content):
    return (bytes([6, 1, 2]) + descriptor(serial, sender, name, len(content))
            + struct.pack(">I", len(content)) + content)


def parse(payload):
    """(kind, status, serial, sender, name, size) of a transfer payload."""
    assert payload[:2] == bytes([6, 1]), payload[:8]
    kind, rest, status = payload[2], payload[3:], None
    if kind == 3:
        status, rest = rest[0], rest[1:]
    serial, sender, length = struct.unpack(">IIH", rest[:10])
    name = rest[10:10 + length].decode("latin-1")
    (size,) = struct.unpack(">I", rest[10 + length:14 + length])
    return kind, status, serial, sender, name, size


def windows_of(answer):
    found, todo = [], [answer["window"]]
    while todo:
        window = todo.pop()
        found.append(window)
        todo.extend(window.get("children", []))
    return found


def on_dialog(client, title, *commands):
    answers = client.probe(*commands, window_class=DIALOG, window_title=title)
    for answer in answers:
        assert "error" not in answer, answer
    return answers


def click(client, title, control):
    left, top, right, bottom = on_dialog(client, title, "rect %d" % control)[0]["rect"]
    on_dialog(client, title, "click %d %d" % ((left + right) // 2, (top + bottom) // 2))


def dialog_gone(client, title, seconds=10):
    """True once no window of the client has that title."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            client.probe("frame", window_class=DIALOG, window_title=title, find_seconds=1)
        except ProbeError:
            return True
        time.sleep(0.3)
    return False


def transfers_to(bot, timeout=WAIT_SECONDS):
    return bot.expect(type=5, match=lambda m: m["blob"][:2] == bytes([6, 1]), timeout=timeout)


def test_file_arrives_byte_exact_under_a_plain_name(client, bots, tmp_path):
    ann = bots.bot("ann")
    ann.enter(PLACE, Position.xy(3000, 3000))
    content = os.urandom(5000)
    inbox = tmp_path / "inbox"
    inbox.mkdir()
    hostile = "..\\..\\evil.txt"
    time.sleep(GAP)
    ann.whisper(client.member, "", offer(1, ann.member_id, hostile, len(content)))

    text = [w["text"] for w in windows_of(on_dialog(client, RECEIVE, "tree")[0]) if w["id"] == TEXT][0]
    assert "ann" in text and "(5 K)" in text and "WARNING: Files may contain viruses !" in text

    # A second offer while the dialog is open is refused with status 6.
    time.sleep(GAP)
    ann.whisper(client.member, "", offer(2, ann.member_id, "other.txt", 10))
    refusal = parse(transfers_to(ann)["blob"])
    assert refusal[:3] == (3, 6, 2)

    click(client, RECEIVE, SAVE_BUTTON)
    save = on_dialog(client, SAVE_AS, "tree")[0]
    assert "evil.txt" in [w["text"] for w in windows_of(save) if w["class"] == "Edit"]
    target = "Z:" + str(inbox / "evil.txt").replace("/", "\\")
    on_dialog(client, SAVE_AS, "key END", *["key BACK"] * len("evil.txt"), "type %s" % target, "key RETURN")

    request = parse(transfers_to(ann)["blob"])
    assert request == (1, None, 1, ann.member_id, hostile, len(content))
    time.sleep(GAP)
    ann.whisper(client.member, "", data(1, ann.member_id, hostile, content))
    saved = inbox / "evil.txt"
    deadline = time.monotonic() + WAIT_SECONDS
    while not (saved.exists() and saved.stat().st_size == len(content)):
        assert time.monotonic() < deadline, "the file was not saved"
        time.sleep(0.3)
    assert saved.read_bytes() == content
    assert sorted(p.name for p in tmp_path.rglob("*")) == ["evil.txt", "inbox"]
    # Nothing climbed out of the program's folder either.
    for folder in (client.folder, client.folder.parent, client.folder.parent.parent):
        assert not (folder / "evil.txt").exists()
    assert dialog_gone(client, RECEIVE)


def test_rejected_offer_gets_no_answer(client, bots):
    bob = bots.bot("bob")
    bob.enter(PLACE, Position.xy(4000, 3000))
    time.sleep(GAP)
    bob.whisper(client.member, "", offer(1, bob.member_id, "keep.txt", 100))
    on_dialog(client, RECEIVE, "tree")
    click(client, RECEIVE, REJECT)
    assert dialog_gone(client, RECEIVE)
    time.sleep(2)
    assert not [m for m in bob.bot.received if m.get("type") == 5 and m["blob"][:2] == bytes([6, 1])]
