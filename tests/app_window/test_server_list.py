"""The Community Servers dialog as a user meets it: opened from the Places
menu of the running client, it shows the servers of the list file, lets the
user add, modify and remove them with real keys, keeps the list on "OK",
drops the edits on Cancel, makes a server the default and connects to it.

One client serves the whole module: every case writes the list file it
needs before it opens the dialog. The client starts with a list file path in
a folder that does not exist, so the dialog works on zrserver.hst in the
program folder. Connecting to another server comes last."""
import subprocess
import time

import pytest

from app_window.window_tools import NICK, START_SECONDS, entered_member, program_client
from zrkit.harness import ServerProcess

DIALOG_CLASS = "#32770"
DIALOG_TITLE = "Community Servers"
BOX_TITLE = "Zanthe"
PLACES_MENU = "openmenu 5 P keep"

LIST, ADDRESS, NAME = 1087, 1088, 1098
ADD, MODIFY, REMOVE, SET_DEFAULT, CONNECT, KEEP, CANCEL = 1089, 1093, 1097, 1022, 1, 1115, 2

# The current server of the client is "127.0.0.1" (its port comes from the
# switch file).
LIST_TEXT = ("  Kit Home \t 127.0.0.1 \n"
             "zulu club\tzulu.example\n"
             "a line without a tab\n"
             "-- Alpha Club\talpha.example\n"
             "Last\tno-line-feed.example")
ROWS = ["Alpha Club", "Kit Home", "zulu club"]
# The colour of the mark before the server in use.
MARK_GREEN = "#008000"
# What the list is written as (text mode: CR LF).
WRITTEN = "Kit Home\t127.0.0.1\r\nzulu club\tzulu.example\r\nAlpha Club\talpha.example\r\n"


@pytest.fixture(scope="module")
def kit_server(tmp_path_factory):
    server = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=900,
                           scenario={"welcome": {"entry_count": 30}})
    yield server
    server.stop()


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, kit_server):
    client = program_client(build_win, tmp_path_factory.mktemp("servers") / "program", kit_server)
    client.settings["Community"]["ListFile"] = "Z:\\no\\such\\folder\\servers.hst"
    client.start()
    client.wait_frame()
    client.member = entered_member(kit_server, NICK)
    yield client
    client.stop()


@pytest.fixture
def list_file(client):
    """The list file in the program folder, written with LIST_TEXT."""
    path = client.folder / "zrserver.hst"
    path.write_bytes(LIST_TEXT.encode())
    return path


def assert_soon(read, expected, seconds=10):
    """read() answers expected within the time: real input reaches the
    client a little after the probe sent it."""
    deadline = time.monotonic() + seconds
    value = read()
    while value != expected and time.monotonic() < deadline:
        time.sleep(0.2)
        value = read()
    assert value == expected


def dialog(client, *commands):
    return client.probe(*commands, window_class=DIALOG_CLASS, window_title=DIALOG_TITLE)


def open_dialog(client):
    """Places > Community Servers... with real keys; the dialog's controls."""
    client.probe(PLACES_MENU, "key C")
    return controls(client)


def controls(client):
    tree = dialog(client, "tree")[0]["window"]
    return {child["id"]: child for child in tree["children"]}


def rows(client):
    return dialog(client, "list %d" % LIST)[0]


def fields(client):
    found = controls(client)
    return found[NAME]["text"], found[ADDRESS]["text"]


def enabled(client, *ids):
    found = controls(client)
    return [found[i]["enabled"] for i in ids]


def click_command(client, control, below_top=None):
    """A click on the control's middle, or below_top pixels under its top."""
    left, top, right, bottom = controls(client)[control]["rect"]
    y = (top + bottom) // 2 if below_top is None else top + below_top
    return "click %d %d" % ((left + right) // 2, y)


def select_row(client, name):
    """Selects the row with the keyboard: a click on the list box's empty
    lower end gives it the focus, then Home, then Down to the row."""
    index = rows(client)["rows"].index(name)
    left, top, right, bottom = controls(client)[LIST]["rect"]
    dialog(client, "click %d %d" % ((left + right) // 2, bottom - 6),
           *(["key HOME"] + ["key DOWN"] * index))
    assert_soon(lambda: rows(client)["selected"], index)


def marked_rows(client, pictures):
    """The rows whose mark strip (the left 20 pixels) shows the mark."""
    info = rows(client)
    left, top, right, bottom = info["client"]
    picture = pictures.capture("mark_strip", [left, top, left + 20, bottom])
    pixels = subprocess.run(["convert", str(picture), "txt:-"], capture_output=True, text=True,
                            check=True, timeout=60).stdout.splitlines()[1:]
    marked = set()
    for pixel in pixels:
        where, colour = pixel.split(":", 1)
        if MARK_GREEN in colour.upper():
            marked.add(info["top"] + int(where.split(",")[1]) // info["height"])
    return sorted(marked)


def fill(client, name, address):
    """Types into the two fields: a click into the field, Home, Shift+End
    to select its text, then the typing replaces it (Delete empties it)."""
    commands = []
    for control, text in ((NAME, name), (ADDRESS, address)):
        commands += [click_command(client, control), "key HOME", "key END shift",
                     "type \"%s\"" % text if text else "key DELETE"]
    dialog(client, *commands)


def box_text(client):
    """The message box's text; it is closed with Return."""
    tree = client.probe("tree", window_class=DIALOG_CLASS, window_title=BOX_TITLE)[0]["window"]
    texts = [child["text"] for child in tree["children"]
             if child["class"] == "Static" and child["text"]]
    gone = client.probe("key RETURN", "waitgone %d" % (START_SECONDS * 1000),
                        window_class=DIALOG_CLASS, window_title=BOX_TITLE)[-1]["gone"]
    assert gone
    return texts


def close(client, *commands):
    """Runs the commands that end the dialog and waits until it is gone."""
    answers = dialog(client, *commands, "waitgone %d" % (START_SECONDS * 1000))
    assert answers[-1]["gone"]


def test_the_dialog_shows_the_list_file_and_guards_the_current_server(client, list_file,
                                                                      pictures):
    open_dialog(client)
    # Sorted by name ignoring case; the lines without a TAB or without a
    # line feed are not read.
    assert rows(client)["rows"] == ROWS
    assert rows(client)["selected"] == -1
    assert_soon(lambda: fields(client), ("Untitled", "Untitled"))
    assert enabled(client, MODIFY, REMOVE, SET_DEFAULT, CONNECT) == [False] * 4
    # The server in use is marked: the user is in a place there.
    assert marked_rows(client, pictures) == [ROWS.index("Kit Home")]

    select_row(client, "zulu club")
    assert_soon(lambda: fields(client), ("zulu club", "zulu.example"))
    assert_soon(lambda: enabled(client, MODIFY, REMOVE, SET_DEFAULT, CONNECT), [True] * 4)

    # The server in use is neither modified nor removed, not even by its
    # buttons' keys.
    select_row(client, "Kit Home")
    assert_soon(lambda: fields(client), ("Kit Home", "127.0.0.1"))
    assert enabled(client, MODIFY, REMOVE, SET_DEFAULT, CONNECT) == [False, False, True, True]
    dialog(client, "key R alt", "key M alt")
    assert rows(client)["rows"] == ROWS

    close(client, "key ESCAPE")
    assert list_file.read_bytes() == LIST_TEXT.encode()


def test_add_checks_its_fields_and_ok_keeps_the_list(client, list_file, kit_server):
    open_dialog(client)
    cases = [
        ("", "new.example", "Community Servers: Please enter a new server name.", NAME),
        ("New Place", "", "Community Servers: Please enter a new server address.", ADDRESS),
        # A shown name begins with it, in another letter case.
        ("alpha", "other.example", "Community Servers: Server alpha already exists.", NAME),
    ]
    for name, address, message, focused in cases:
        fill(client, name, address)
        dialog(client, "key A alt")
        assert box_text(client) == [message]
        # The focus went back to the field at fault: typing lands there.
        dialog(client, "type typed")
        field = 0 if focused == NAME else 1
        assert_soon(lambda: fields(client)[field][-5:], "typed")
        assert rows(client)["rows"] == ROWS

    fill(client, "Beta", "beta.example")
    dialog(client, "key A alt")
    assert_soon(lambda: rows(client)["rows"], ["Alpha Club", "Beta", "Kit Home", "zulu club"])

    close(client, click_command(client, KEEP))
    assert list_file.read_bytes() == (WRITTEN + "Beta\tbeta.example\r\n").encode()
    # "OK" goes nowhere: the client stays on its server.
    assert not [entry for entry in kit_server.log() if entry.get("event") == "left"
                and entry.get("member") == client.member]


def test_modify_and_remove_then_cancel_leaves_the_file_as_it_was(client, list_file):
    open_dialog(client)
    select_row(client, "zulu club")
    fill(client, "Yankee", "yankee.example")
    dialog(client, "key M alt")
    assert_soon(lambda: rows(client)["rows"], ["Alpha Club", "Kit Home", "Yankee"])
    assert rows(client)["selected"] == 2
    assert_soon(lambda: fields(client), ("Yankee", "yankee.example"))

    # Another row's name and address: refused.
    fill(client, "Alpha", "alpha.example")
    dialog(client, "key M alt")
    assert box_text(client) == ["Community Servers: Server Alpha already exists."]

    # Remove finds the row by the fields: a wrong address finds none.
    select_row(client, "Alpha Club")
    fill(client, "Alpha Club", "elsewhere.example")
    dialog(client, "key R alt")
    assert box_text(client) == ["Community Servers: Server Alpha Club was not found."]
    fill(client, "Alpha Club", "alpha.example")
    dialog(client, "key R alt")
    assert_soon(lambda: rows(client)["rows"], ["Kit Home", "Yankee"])
    assert rows(client)["selected"] == -1
    assert_soon(lambda: fields(client), ("Untitled", "Untitled"))

    # Typing the server in use into the fields does not remove it either.
    select_row(client, "Yankee")
    fill(client, "Kit Home", "127.0.0.1")
    dialog(client, "key R alt")
    assert box_text(client) == ["Community Servers: Server Kit Home was not found."]
    assert rows(client)["rows"] == ["Kit Home", "Yankee"]

    close(client, click_command(client, CANCEL))
    assert list_file.read_bytes() == LIST_TEXT.encode()


def test_set_default_makes_the_server_the_home_server(client, list_file):
    open_dialog(client)
    select_row(client, "Alpha Club")
    dialog(client, "key S alt")
    wanted = ("HomeServer=alpha.example", "ServerTitle=Alpha Club")
    settings = ""
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline and not all(line in settings for line in wanted):
        time.sleep(0.2)
        settings = (client.folder / "zrplaces.ini").read_text()
    assert all(line in settings for line in wanted), settings
    close(client, "key ESCAPE")


def test_an_unopenable_list_file_is_reported_and_the_dialog_works_without_it(client, list_file):
    list_file.unlink()
    list_file.mkdir()
    try:
        client.probe(PLACES_MENU, "key C")
        texts = box_text(client)
        assert len(texts) == 1
        assert texts[0].startswith("Community Servers: Can not create file ")
        assert texts[0].endswith("zrserver.hst.")
        # Only the server in use, named by its address.
        assert rows(client)["rows"] == ["127.0.0.1"]
        close(client, click_command(client, KEEP))
        assert list_file.is_dir() and not list(list_file.iterdir())
    finally:
        list_file.rmdir()


def test_connect_goes_to_the_chosen_server(client, list_file, tmp_path):
    other = ServerProcess(tmp_path / "other", time_limit=300,
                          scenario={"welcome": {"entry_count": 30}})
    try:
        address = "127.0.0.1:%d" % other.port
        text = "Kit Home\t127.0.0.1\nOther Kit\t%s\n" % address
        list_file.write_bytes(text.encode())
        open_dialog(client)
        select_row(client, "Other Kit")
        # Connect is the default button.
        close(client, "key RETURN")
        entered_member(other, NICK)
        assert client.ask("waitstatus Connected %d" % (START_SECONDS * 1000))["found"]
        assert client.ask("frame")["text"].endswith(" - [%s]" % address)
        # Rewritten (in text mode) before the client left.
        assert list_file.read_bytes() == text.replace("\n", "\r\n").encode()

        # The dialog now marks the new server as the one in use.
        open_dialog(client)
        select_row(client, "Other Kit")
        assert enabled(client, MODIFY, REMOVE) == [False, False]
        close(client, "key ESCAPE")
    finally:
        other.stop()
