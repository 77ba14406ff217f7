"""The places manager, the favourite places and the locate dialog of the
running client, driven with real input through the window probe and seen
from outside: the room list's rows, the server's log and the favourite
places file.

One client serves the module; the tests run in order and each says where
it leaves the user. The favourites test ends the client and starts it
again, which the later tests use."""
import time

from app_window.window_tools import NICK, PLACE, START_SECONDS, ProbeError
from zrkit.wire import Position

ID_LOCATE = 32810
ID_QUICK_DIRECTORY = 32874
ID_ADD_FAVORITE = 32855
ID_ORGANIZE_FAVORITES = 32856
MANAGER = "Quick Directory"
MANAGER_CLASS = "ZrPlacesManager"
LOCATE = "Locate"
DIALOG = "#32770"
ROOM_LIST = 1190
GO_BUTTON = 1021
SEARCH_BUTTON = 1123
MAKE_BUTTON = 1124
FOUND_LIST = 1028
NAME_EDIT = 1024
NEW_SEARCH = 1003
GO_TO_PLACE = 1031
WAIT_SECONDS = 20


def on_window(client, title, *commands, window_class=MANAGER_CLASS):
    answers = client.probe(*commands, window_title=title, window_class=window_class,
                           timeout=START_SECONDS + 30)
    for answer in answers:
        assert "error" not in answer, answer
    return answers


def wait_rows(client, title, list_id, window_class=MANAGER_CLASS):
    """The list's answer once it has rows."""
    deadline = time.monotonic() + WAIT_SECONDS
    while True:
        rows = on_window(client, title, "list %d" % list_id, window_class=window_class)[0]
        if rows["count"] > 0:
            return rows
        assert time.monotonic() < deadline, "the list stays empty"
        time.sleep(0.3)


def selected_row(client):
    return on_window(client, MANAGER, "list %d" % ROOM_LIST)[0]["selected"]


def wait_selected(client, row):
    deadline = time.monotonic() + WAIT_SECONDS
    while selected_row(client) != row:
        assert time.monotonic() < deadline, "row %d is not selected" % row
        time.sleep(0.3)


def row_point(rows, row):
    """Screen point inside a row of an item list: the rows start one row
    height (the column header) below the top of the list's client area."""
    left, top, right, _ = rows["client"]
    height = rows["height"]
    return (left + right) // 2, top + height * (1 + row - rows["top"]) + height // 2


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def entered_after(server, place, member, after):
    return server.wait_log({"event": "entered", "place": place, "member": member},
                           timeout=START_SECONDS, after=after)


def wait_gone(client, title, window_class=MANAGER_CLASS):
    """Until the window is gone; one already gone is found no more."""
    try:
        answer = client.probe("waitgone %d" % (WAIT_SECONDS * 1000), window_title=title,
                              window_class=window_class, find_seconds=1,
                              timeout=WAIT_SECONDS + 30)[-1]
    except ProbeError as error:
        assert "no window" in str(error), error
        return
    assert answer.get("gone"), "%s stays open: %s" % (title, answer)


def test_places_manager_lists_the_service_places_and_enters_the_chosen_one(client, server):
    client.ask("command %d" % ID_QUICK_DIRECTORY)
    rows = wait_rows(client, MANAGER, ROOM_LIST)
    # The first page lists the service places, the fuller first, then by
    # title; the plain room is not one of them. The user's place is
    # selected.
    assert rows["rows"] == ["Garden", "Home Page", "Roof Terrace"]
    assert rows["selected"] == 1

    on_window(client, MANAGER, "click %d %d" % row_point(rows, 0))
    assert selected_row(client) == 0
    # Search finds the next row whose text holds the words, ignoring case.
    search = on_window(client, MANAGER, "rect %d" % SEARCH_BUTTON)[0]
    on_window(client, MANAGER, "click %d %d" % centre(search["rect"]))
    on_window(client, "Find Places", "type terr", "key RETURN", window_class=DIALOG)
    wait_selected(client, 2)
    on_window(client, "Find Places", "key ESCAPE", window_class=DIALOG)
    wait_gone(client, "Find Places", window_class=DIALOG)

    # Make @ Place keeps the selected place among the favourites (saved at
    # exit, see the favourites test).
    make = on_window(client, MANAGER, "rect %d" % MAKE_BUTTON)[0]
    assert make["text"] == "Make @ Place"
    on_window(client, MANAGER, "click %d %d" % centre(make["rect"]))

    before = len(server.log())
    go = on_window(client, MANAGER, "rect %d" % GO_BUTTON)[0]
    on_window(client, MANAGER, "click %d %d" % centre(go["rect"]))
    wait_gone(client, MANAGER)
    entered_after(server, "http://roof/", client.member, before)

    # Opened again, the manager selects the place the client is in now.
    client.ask("command %d" % ID_QUICK_DIRECTORY)
    rows = wait_rows(client, MANAGER, ROOM_LIST)
    assert rows["rows"][rows["selected"]] == "Roof Terrace"
    on_window(client, MANAGER, "close")
    wait_gone(client, MANAGER)


def favourites_file(client):
    return (client.folder / "zrplaces.txt").read_bytes()


def test_favourites_keep_the_added_place_and_it_can_be_chosen_after_a_restart(client, server):
    client.ask("command %d" % ID_ADD_FAVORITE)
    client.ask("close")
    assert client.wait_exit() == 0
    # The place made a favourite in the manager under its title, the page
    # added from the menu under its address, each on a line ended by CR LF.
    lines = favourites_file(client).split(b"\r\n")
    assert lines[-1] == b""
    assert sorted(lines[:-1]) == [b"Roof Terrace\thttp://roof/", b"http://roof/\thttp://roof/"]

    restart = len(server.log())
    client.start(write_settings=False)
    client.wait_frame()
    welcome = server.wait_log({"dir": "out", "msg": {"type": 12, "name": NICK}},
                              timeout=START_SECONDS, after=restart)
    client.member = welcome["msg"]["member"]
    entered_after(server, PLACE, client.member, restart)
    before = len(server.log())
    # Places, Favorites, then down past Organize to the favourite: the
    # item drawn selected shows its address on the status line.
    client.ask("key P alt")
    client.ask("key A")
    client.ask("key DOWN")
    client.ask("key DOWN")
    assert client.ask("waitstatus http://roof/ %d" % (WAIT_SECONDS * 1000))["found"]
    client.ask("key RETURN")
    entered_after(server, "http://roof/", client.member, before)


def test_organize_favourites_lists_them_and_deletes_the_chosen_one(client):
    client.ask("command %d" % ID_ORGANIZE_FAVORITES)
    rows = wait_rows(client, MANAGER, ROOM_LIST)
    # Both favourites of the roof, by text (the scheme cut from the one
    # listed under its address).
    assert rows["rows"] == ["Roof Terrace", "roof/"]
    status = on_window(client, MANAGER, "status")[0]
    assert status["panes"][0].startswith("Welcome to Favorite Places. ")
    on_window(client, MANAGER, "click %d %d" % row_point(rows, 1))
    delete = on_window(client, MANAGER, "rect %d" % MAKE_BUTTON)[0]
    assert delete["text"] == "Delete @ Place"
    on_window(client, MANAGER, "click %d %d" % centre(delete["rect"]))
    assert on_window(client, MANAGER, "list %d" % ROOM_LIST)[0]["rows"] == ["Roof Terrace"]
    on_window(client, MANAGER, "close")
    wait_gone(client, MANAGER)


def test_locate_finds_a_bot_in_another_place_and_goes_there(client, server, bots):
    dora = bots.bot("dora")
    dora.enter("http://garden/", Position.xy(10, 10))
    client.ask("command %d" % ID_LOCATE)
    # A name of 61 characters is refused and nothing is asked; New Search
    # clears it.
    before = len(server.log())
    on_window(client, LOCATE, "type " + "x" * 61, "key RETURN", window_class=DIALOG)
    box = on_window(client, "Find people", "tree", window_class=DIALOG)[0]["window"]
    assert any("greater than 60" in child["text"] for child in box["children"])
    on_window(client, "Find people", "key RETURN", window_class=DIALOG)
    new_search = on_window(client, LOCATE, "rect %d" % NEW_SEARCH, window_class=DIALOG)[0]
    on_window(client, LOCATE, "click %d %d" % centre(new_search["rect"]), window_class=DIALOG)
    box = on_window(client, "Find people", "tree", window_class=DIALOG)[0]["window"]
    assert any(child["text"] == "This will clear your current search." for child in box["children"])
    on_window(client, "Find people", "key RETURN", window_class=DIALOG)
    name = on_window(client, LOCATE, "rect %d" % NAME_EDIT, window_class=DIALOG)[0]
    assert name["text"] == ""
    assert not [entry for entry in server.log()[before:]
                if entry.get("dir") == "in" and entry.get("msg", {}).get("type") == 10]

    on_window(client, LOCATE, "type dora", "key RETURN", window_class=DIALOG)
    rows = wait_rows(client, LOCATE, FOUND_LIST, window_class=DIALOG)
    assert rows["count"] == 1
    nickname, _, location = rows["rows"][0].split("\t")
    assert (nickname, location) == ("dora", "Garden")
    assert rows["selected"] == 0
    status = on_window(client, LOCATE, "status", window_class=DIALOG)[0]
    assert status["panes"][0] == "1 user[s] found."

    before = len(server.log())
    go = on_window(client, LOCATE, "rect %d" % GO_TO_PLACE, window_class=DIALOG)[0]
    assert go["enabled"] and go["text"] == "Go to Place"
    on_window(client, LOCATE, "click %d %d" % centre(go["rect"]), window_class=DIALOG)
    wait_gone(client, LOCATE, window_class=DIALOG)
    entered_after(server, "http://garden/", client.member, before)
