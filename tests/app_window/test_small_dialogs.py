"""The small dialogs of the running client as a user meets them: opened by
their commands (or by the server's refusal of a full room), typed into with
real keys through the window probe, and seen from outside: the dialog's
window tree, the community server's log and the settings file.

One client serves the module; each test leaves no dialog open behind it.
The call-program test ends the client to read the settings it saves and
what the call program was told."""
import configparser
import shutil
import subprocess
import time

import pytest

from app_window.window_tools import NICK, START_SECONDS, entered_member, program_client
from zrkit.harness import ServerProcess
from zrkit.wire import Writer

DIALOG = "#32770"
ID_ABOUT = 32780
ID_CALL_PROGRAM = 32772
ID_OPEN_LOCATION = 32859
ID_PRIVATE_ROOM = 1326
ID_INVITEE_SELECTION = 61255
DIALOG_SECONDS = 20


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=900,
                        scenario={"welcome": {"entry_count": 30}})
    yield srv
    srv.stop()


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server)
    # The audio/video program name is kept in the settings while audio is on.
    running.settings["Audio"] = {"Enabled": 1}
    running.start()
    running.wait_frame()
    running.member = entered_member(server, NICK)
    yield running
    running.stop()


def dialog_tree(client):
    """The client's open dialog (the probe waits for one to show)."""
    answer = client.probe("tree", window_class=DIALOG, timeout=START_SECONDS + 30)[0]
    assert "error" not in answer, answer
    return answer["window"]


def wait_dialog(client, title):
    deadline = time.monotonic() + DIALOG_SECONDS
    while True:
        tree = dialog_tree(client)
        if tree["text"] == title and tree["visible"]:
            return tree
        assert time.monotonic() < deadline, "no dialog %r but %r" % (title, tree["text"])
        time.sleep(0.3)


def close_with(client, *commands):
    """Runs the commands on the dialog and waits until its window is gone."""
    answers = on_dialog(client, *commands, "waitgone %d" % (DIALOG_SECONDS * 1000))
    assert answers[-1]["gone"], "the dialog stays open"


def control(tree, control_id):
    return next(child for child in tree["children"] if child["id"] == control_id)


def open_dialog(client, command, title):
    client.ask("command %d" % command)
    return wait_dialog(client, title)


def on_dialog(client, *commands):
    answers = client.probe(*commands, window_class=DIALOG, timeout=START_SECONDS + 30)
    for answer in answers:
        assert "error" not in answer, answer
    return answers


def entered(server, place, after):
    return server.wait_log({"event": "entered", "place": place}, timeout=START_SECONDS,
                           after=after)


def sent_place_ops(server, after):
    """Numbers of the place operations that the client sent since log entry
    `after`, inside a channel message or not."""
    ops = []
    for entry in server.log()[after:]:
        msg = entry.get("msg") or {}
        msg = msg.get("inner", msg)
        if entry.get("dir") == "in" and "op" in msg:
            ops.append(msg["op"])
    return ops


def log_length(server):
    return len(server.log())


def test_about_shows_version_creation_date_and_build(client):
    tree = open_dialog(client, ID_ABOUT, "About Lumora Chat")
    assert control(tree, 1008)["text"] == "Lumora Zanthe Chat Version 3.0 Lum"
    assert control(tree, 1011)["text"] == "Created on Dec 18 2000"
    assert control(tree, 1205)["text"] == "Build 160  (32 bit )"
    assert control(tree, 1)["text"] == "OK"
    close_with(client, "key RETURN")


def test_warning_from_the_host_is_shown_until_ok(client, server):
    fields = Writer().u32(client.member).text("Please keep it friendly.").bytes()
    server.control("message", session=NICK, type=16, fields=fields.hex())
    tree = wait_dialog(client, "Warning from the host!")
    assert control(tree, 1048)["visible"]
    assert control(tree, 1048)["text"] == "Please keep it friendly."
    assert not control(tree, 1108)["visible"], "nothing to type when a warning is shown"
    close_with(client, "key RETURN")


def test_private_room_name_is_cut_at_100_and_go_enters_the_room(client, server):
    tree = open_dialog(client, ID_PRIVATE_ROOM, "Private Room")
    assert control(tree, 1048)["text"].startswith("To create or enter a private chat room")
    on_dialog(client, "type " + "r" * 101)
    assert control(dialog_tree(client), 1143)["text"] == "r" * 100
    focus = on_dialog(client, "focus")[0]
    assert focus["id"] == 1143 and focus["sel"] == [100, 100], "the caret at the end"
    close_with(client, "key ESCAPE")

    before = log_length(server)
    open_dialog(client, ID_PRIVATE_ROOM, "Private Room")
    close_with(client, "type den", "key RETURN")
    assert entered(server, "den", before)["member"] == client.member


def test_open_location_is_centred_takes_the_typed_place_and_enters_it(client, server):
    tree = open_dialog(client, ID_OPEN_LOCATION, "Open Location")
    screen = client.ask("frame")["screen"]
    left, top, right, bottom = tree["rect"]
    assert abs((left + right) // 2 - screen[0] // 2) <= 2
    assert abs((top + bottom) // 2 - screen[1] // 2) <= 40, "centred (the task bar aside)"
    before = log_length(server)
    on_dialog(client, "type garden")
    assert control(dialog_tree(client), 1182)["text"] == "garden", "the focus is on the field"
    close_with(client, "key RETURN")
    assert entered(server, "garden", before)["member"] == client.member


def test_full_room_leaves_the_user_outside_with_the_room_full_prompt(client, server):
    server.control("full", place="cellar")
    try:
        before = log_length(server)
        open_dialog(client, ID_OPEN_LOCATION, "Open Location")
        close_with(client, "type cellar", "key RETURN")
        assert entered(server, "cellar", before)["full"] is True
        tree = wait_dialog(client, "Room is Full")
        assert control(tree, 1048)["text"] == ("The requested chat room is full. You can stay "
                                               "and observe or navigate to another chat room.")
        assert not control(tree, 1)["visible"], "no room like it to go to"
        close_with(client, "key ESCAPE")
    finally:
        server.control("full", place="cellar", on=False)


def test_invitee_buttons_follow_the_name_and_a_guest_cannot_invite(client, server):
    tree = open_dialog(client, ID_INVITEE_SELECTION, "Event Invitee Selection")
    assert not control(tree, 1195)["enabled"] and not control(tree, 1194)["enabled"]
    on_dialog(client, "type guest")
    tree = dialog_tree(client)
    assert control(tree, 1195)["enabled"] and control(tree, 1194)["enabled"]
    on_dialog(client, *["key BACK"] * 5)
    tree = dialog_tree(client)
    assert not control(tree, 1195)["enabled"] and not control(tree, 1194)["enabled"]

    on_dialog(client, "type guest")
    before = log_length(server)
    left, top, right, bottom = control(dialog_tree(client), 1195)["rect"]
    close_with(client, "click %d %d" % ((left + right) // 2, (top + bottom) // 2))
    # Something the client sends after the click shows that nothing went
    # before it: the next dialog's entry.
    open_dialog(client, ID_PRIVATE_ROOM, "Private Room")
    close_with(client, "type hall", "key RETURN")
    entered(server, "hall", before)
    ops = sent_place_ops(server, before)
    assert 0 in ops, "the entry into the hall is seen among the client's operations"
    assert 28 not in ops and 29 not in ops, ops


def test_call_program_is_started_logged_in_and_its_name_stored(client, build_win):
    """The typed program is looked up in the registry, started and logged in
    under the own nickname; the client's exit ends the call and the program.
    call_program_peer.exe plays the program and logs what it gets."""
    peer = build_win / "tests" / "browser_links" / "call_program_peer.exe"
    if not peer.exists():
        pytest.skip("%s is not built" % peer)
    shutil.copy(peer, client.folder / "callme.exe")
    key = r"HKCU\Software\ZrTestVendor\callme\Settings"
    folder = "Z:" + str(client.folder).replace("/", "\\") + "\\"
    for name, value in (("Path", folder), ("Topic", "Phone")):
        subprocess.run(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], env=client.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    try:
        tree = open_dialog(client, ID_CALL_PROGRAM, "Start Audio/Video Application")
        assert control(tree, 1066)["text"] == "vododivi.exe"
        close_with(client, "type callme.exe", "key RETURN")
        log = client.folder / "callme.log"
        deadline = time.monotonic() + START_SECONDS
        while "poked AutoAnswer 1 (2 bytes)" not in (log.read_text() if log.exists() else ""):
            assert time.monotonic() < deadline, "the call program was not logged in"
            time.sleep(0.2)
        client.ask("close")
        assert client.wait_exit() == 0
        lines = log.read_text().splitlines()
        assert lines[:5] == ["started /ready", "serving", "connected Phone",
                             "poked UserID %s (%d bytes)" % (NICK, len(NICK) + 1),
                             "poked AutoAnswer 1 (2 bytes)"]
        # The exit hangs up, then quits (which hangs up once more).
        assert lines[5:8] == ["executed HangUp", "executed HangUp", "executed Quit"]
        settings = configparser.RawConfigParser(strict=False)
        settings.read(client.folder / "zrplaces.ini")
        assert settings.get("Audio", "ExeName") == "callme.exe"
    finally:
        subprocess.run(["wine", "reg", "delete", r"HKCU\Software\ZrTestVendor", "/f"], env=client.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
