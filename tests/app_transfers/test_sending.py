"""Sending objects between two running clients on one kit server: alice
chooses "Send File..." on bob's avatar (or on bob's row of the people list,
or drops a file on bob's avatar), the Send File dialog offers the file, bob
saves it from his Receive File dialog, and the bytes on bob's disk are the
bytes of alice's file; the server relays offer, request and data in that
order. Sends that may not start are refused in a "Send File" box and send
nothing.

Module-scoped: the server comes from conftest.py; alice's and bob's clients
(each in a Wine prefix of its own) are made here."""
import hashlib
import os
import time

import pytest

from app_avatar_groups.test_avatar_groups import centre
from app_avatars.test_avatar_windows import avatars, wait_for
from app_people.test_people_list import row_point, wait_rows
from app_transfers.test_transfers import DIALOG, REJECT, SAVE_AS, SAVE_BUTTON, TEXT, click, dialog_gone, \
    on_dialog, windows_of
from app_window.window_tools import ProbeError, entered_member, program_client

SEND_TITLE = "Send File to bob"
RECEIVE = "Receive File"
BOX = "Send File"
FILE_EDIT, SEND_BUTTON, CANCEL = 1186, 1, 2
PREVIEW_BUTTON = 1191
YES = 6
OK = 1
BIGGEST = 130048
WAIT_SECONDS = 40
# The dispatcher hands on one transfer message a second.
GAP = 1.2
SEND_FILE = "Send File..."


def wine_path(path):
    return "Z:" + str(path).replace("/", "\\")


def settings_for(client, nick, main_x, avatar_x):
    client.settings["Identity-127.0.0.1"] = {"NickName": nick}
    client.settings["Settings"].update(MainXPos=main_x, WinWidth=630, MyselfXPos=avatar_x, MyselfYPos=avatar_x)
    client.settings["SendFiles"] = {"EnableSendingFiles": 1}


@pytest.fixture(scope="module")
def alice(build_win, tmp_path_factory, server):
    running = program_client(build_win, tmp_path_factory.mktemp("alice"), server)
    settings_for(running, "alice", 0, 7000)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, "alice")
    yield running
    running.stop()


@pytest.fixture(scope="module")
def bob(alice, tmp_path_factory, server):
    running = alice.copy_beside(tmp_path_factory.mktemp("bob"), "bob")
    settings_for(running, "bob", 640, 3000)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, "bob")
    yield running
    running.end_beside()


@pytest.fixture(scope="module")
def bob_avatar(alice, bob):
    """Bob's avatar window on alice's page: the one of the two that stands
    further up and left (alice stands at 7000, 7000, bob at 3000, 3000)."""
    found = wait_for(alice, lambda windows: windows if len(windows) == 2 else None, "alice's and bob's avatars")
    return min(found.values(), key=lambda window: window["rect"][0])


def transfer_log(server, after=0):
    """(sender, recipient, kind, blob) of every transfer payload the server
    got from a client, in order."""
    found = []
    for entry in server.messages("in", type=5)[after:]:
        blob = bytes.fromhex(entry["msg"]["blob"])
        if blob[:2] == bytes([6, 1]):
            found.append((entry["member"], entry["msg"]["target"], blob[2], blob))
    return found


def wait_transfers(server, count, after=0):
    deadline = time.monotonic() + WAIT_SECONDS
    while len(transfer_log(server, after)) < count:
        assert time.monotonic() < deadline, "transfers: %r" % [t[:3] for t in transfer_log(server, after)]
        time.sleep(0.3)
    return transfer_log(server, after)


def offered_name(blob):
    length = int.from_bytes(blob[11:13], "big")
    return blob[13:13 + length].decode("latin-1"), int.from_bytes(blob[13 + length:17 + length], "big")


def message_count(server):
    return len(server.messages("in", type=5))


def control(client, title, ident):
    return [w for w in windows_of(on_dialog(client, title, "tree")[0]) if w["id"] == ident][0]


def box_text(client, title=BOX):
    """The text of the message box with that title."""
    texts = [w["text"] for w in windows_of(on_dialog(client, title, "tree")[0]) if w["class"] == "Static"]
    return " ".join(t for t in texts if t)


def open_menu_on(client, window):
    client.ask("rclick %d %d" % centre(window))
    return client.ask("popup")


def choose(client, menu, text):
    """Clicks the item of the open popup (its items are all of one height):
    with two clients on the screen, keys could go to the other one."""
    left, top, right, bottom = menu["rect"]
    index = [item["text"] for item in menu["items"]].index(text)
    height = (bottom - top) / len(menu["items"])
    client.ask("click %d %d" % ((left + right) // 2, top + int((index + 0.5) * height)))


def close_menu(client):
    """Closes the open popup with a click on the frame's caption."""
    left, top = client.ask("frame")["rect"][:2]
    client.ask("click %d %d" % (left + 150, top + 10))


def menu_item(menu, text):
    return next(item for item in menu["items"] if item["text"] == text)


def send_from_menu(client, window):
    menu = open_menu_on(client, window)
    assert menu_item(menu, SEND_FILE)["enabled"], menu
    choose(client, menu, SEND_FILE)
    on_dialog(client, SEND_TITLE, "frame")


def type_path(client, path):
    left, top, right, bottom = control(client, SEND_TITLE, FILE_EDIT)["rect"]
    on_dialog(client, SEND_TITLE, "click %d %d" % ((left + right) // 2, (top + bottom) // 2),
              "type %s" % wine_path(path))


def drop(client, window, path):
    return client.ask("dropfile %d %d %s" % (centre(window) + (wine_path(path),)))


def write_file(path, size):
    path.write_bytes(os.urandom(size))
    return path


def close_send_dialog(client):
    click(client, SEND_TITLE, CANCEL)
    assert dialog_gone(client, SEND_TITLE)


def save_at_bob(bob, target):
    """Bob saves the offer at target (Yes to the question about its size)."""
    click(bob, RECEIVE, SAVE_BUTTON)
    assert "128K" in box_text(bob)
    click(bob, BOX, YES)
    save = on_dialog(bob, SAVE_AS, "tree")[0]
    proposed = [w["text"] for w in windows_of(save) if w["class"] == "Edit"][0]
    on_dialog(bob, SAVE_AS, "key END", *["key BACK"] * len(proposed), "type %s" % wine_path(target), "key RETURN")


def test_a_file_sent_from_bobs_avatar_arrives_byte_exact(alice, bob, bob_avatar, server, tmp_path):
    source = write_file(tmp_path / "random.bin", BIGGEST)
    target = tmp_path / "saved" / "random.bin"
    target.parent.mkdir()
    before = message_count(server)

    send_from_menu(alice, bob_avatar)
    assert control(alice, SEND_TITLE, FILE_EDIT)["enabled"]
    type_path(alice, source)
    click(alice, SEND_TITLE, SEND_BUTTON)
    assert "The size of this file is 128K." in box_text(alice)
    click(alice, BOX, YES)
    assert dialog_gone(alice, SEND_TITLE)

    (offer,) = wait_transfers(server, 1, before)
    assert offer[:3] == (alice.member, bob.member, 0)
    assert offered_name(offer[3]) == ("random.bin", BIGGEST)
    text = control(bob, RECEIVE, TEXT)["text"]
    assert "alice" in text and "random.bin (128 K)" in text and "WARNING: Files may contain viruses !" in text
    assert not control(bob, RECEIVE, PREVIEW_BUTTON)["visible"]

    time.sleep(GAP)
    save_at_bob(bob, target)
    deadline = time.monotonic() + WAIT_SECONDS
    while not (target.exists() and target.stat().st_size == BIGGEST):
        assert time.monotonic() < deadline, "bob did not save the file"
        time.sleep(0.3)
    assert hashlib.sha256(target.read_bytes()).digest() == hashlib.sha256(source.read_bytes()).digest()

    log = wait_transfers(server, 3, before)
    assert [entry[:3] for entry in log] == [(alice.member, bob.member, 0), (bob.member, alice.member, 1),
                                             (alice.member, bob.member, 2)]
    assert len(log[2][3]) > BIGGEST
    assert alice.ask("waitstatus \"File: %s successfully sent\" 10000" % wine_path(source))["found"]
    assert bob.ask("waitstatus \"File %s successfully saved.\" 10000" % wine_path(target))["found"]
    assert dialog_gone(bob, RECEIVE)
    # Bob is told in a box too; it goes with Return.
    told = bob.probe("tree", window_class=DIALOG)[0]
    assert "successfully saved" in " ".join(w["text"] for w in windows_of(told))
    bob.probe("key RETURN", window_class=DIALOG)


def test_a_file_dropped_on_bobs_avatar_is_offered_to_bob(alice, bob, bob_avatar, server, tmp_path):
    source = write_file(tmp_path / "dropped.txt", 5000)
    before = message_count(server)
    time.sleep(GAP)

    drop(alice, bob_avatar, source)
    assert control(alice, SEND_TITLE, FILE_EDIT)["text"] == wine_path(source)
    click(alice, SEND_TITLE, SEND_BUTTON)
    (offer,) = wait_transfers(server, 1, before)
    assert offer[:3] == (alice.member, bob.member, 0)
    assert offered_name(offer[3]) == ("dropped.txt", 5000)
    click(bob, RECEIVE, REJECT)
    assert dialog_gone(bob, RECEIVE)


def test_only_other_persons_avatars_take_dropped_files(alice, bob_avatar, tmp_path):
    source = write_file(tmp_path / "nowhere.txt", 10)
    own = [w for w in avatars(alice).values() if w["hwnd"] != bob_avatar["hwnd"]][0]
    answer = alice.probe("dropfile %d %d %s" % (centre(own) + (wine_path(source),)))[0]
    assert answer.get("window") != own["hwnd"], answer
    with pytest.raises(ProbeError):
        alice.probe("frame", window_class=DIALOG, window_title="Send File to alice", find_seconds=2)


def test_send_file_from_bobs_row_in_the_people_list(alice, bob, bob_avatar, server, tmp_path):
    answer = wait_rows(alice, lambda rows: "bob" in rows)
    alice.ask("rclick %d %d" % row_point(answer, "bob"))
    menu = alice.ask("popup")
    assert menu_item(menu, SEND_FILE)["enabled"], menu
    choose(alice, menu, SEND_FILE)
    on_dialog(alice, SEND_TITLE, "frame")
    close_send_dialog(alice)


# ---- Refusals -----------------------------------------------------------------

def refuse_too_big(alice, bob_avatar, tmp_path):
    send_from_menu(alice, bob_avatar)
    type_path(alice, write_file(tmp_path / "toobig.bin", BIGGEST + 1))
    click(alice, SEND_TITLE, SEND_BUTTON)


def ignore_bob(alice, bob_avatar):
    choose(alice, open_menu_on(alice, bob_avatar), "I&gnore")
    assert not menu_item(open_menu_on(alice, bob_avatar), SEND_FILE)["enabled"]
    close_menu(alice)


def refuse_ignored(alice, bob_avatar, tmp_path):
    ignore_bob(alice, bob_avatar)
    drop(alice, bob_avatar, write_file(tmp_path / "ignored.txt", 10))


def refuse_second_dialog(alice, bob_avatar, tmp_path):
    send_from_menu(alice, bob_avatar)
    assert not menu_item(open_menu_on(alice, bob_avatar), SEND_FILE)["enabled"]
    close_menu(alice)
    drop(alice, bob_avatar, write_file(tmp_path / "second.txt", 10))


def refuse_long_path(alice, bob_avatar, tmp_path):
    folder = tmp_path / ("f" * 60) / ("g" * 60)
    folder.mkdir(parents=True)
    drop(alice, bob_avatar, write_file(folder / "long.txt", 10))


def undo_ignore(alice, bob_avatar):
    choose(alice, open_menu_on(alice, bob_avatar), "I&gnore")
    menu = open_menu_on(alice, bob_avatar)
    close_menu(alice)
    assert not menu_item(menu, "I&gnore")["checked"] and menu_item(menu, SEND_FILE)["enabled"]


def nothing_to_undo(alice, bob_avatar):
    pass


def close_dialog(alice, bob_avatar):
    close_send_dialog(alice)


REFUSALS = [
    ("too big", refuse_too_big, ["Send File : File", "toobig.bin (128.0 K) can not be sent; exceeds maximum size "
                                                      "of 127 K"], close_dialog),
    ("ignored", refuse_ignored, ["You can not send a file to someone (bob) you selected to ignore."], undo_ignore),
    ("second dialog", refuse_second_dialog, ["A Send File dialog is already open. Close it to send this file."],
     close_dialog),
    ("long path", refuse_long_path, ["longer than 120 characters"], nothing_to_undo),
]


@pytest.mark.parametrize("name,refuse,texts,undo", REFUSALS, ids=[r[0] for r in REFUSALS])
def test_a_refused_send_says_why_and_sends_nothing(alice, bob, bob_avatar, server, tmp_path, name, refuse, texts,
                                                   undo):
    before = message_count(server)
    refuse(alice, bob_avatar, tmp_path)
    shown = box_text(alice)
    for text in texts:
        assert text in shown, shown
    click(alice, BOX, OK)
    assert dialog_gone(alice, BOX)
    undo(alice, bob_avatar)
    time.sleep(GAP)
    assert transfer_log(server, before) == []
    with pytest.raises(ProbeError):
        bob.probe("frame", window_class=DIALOG, window_title=RECEIVE, find_seconds=1)
