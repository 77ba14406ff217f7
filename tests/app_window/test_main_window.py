"""The main window as a user meets it: zrplaces.exe under Wine against the
kit's server with bots in its place, read and driven from outside by the
window probe. Menus and bars come from the resource library, commands are
enabled by their rules, the status line falls back to its lasting text, the
layout modes divide the window, the layout survives a restart, and the
connected client does not spin while nothing happens."""
import shutil
import time

import pytest

from app_window.window_tools import NICK, START_SECONDS, entered_member

# Commands of the menus.
OPEN_LOCATION = 32859
SAVE_TRANSCRIPT = 32790
ENTER_LEAVE = 32782
SAVE_LAYOUT = 32829
EXIT = 57665
FLIP_HORIZONTAL = 32861
MOOD_NORMAL = 32793
MOOD_SAD = 32806
CLASSIC, BROWSER_ONLY, AVATARS_ONLY, TEXT_ONLY = 0, 1, 2, 3
LAYOUT_COMMANDS = {CLASSIC: 32847, TEXT_ONLY: 32848, AVATARS_ONLY: 32849, BROWSER_ONLY: 32850}
# The status-line prompt of the tool bar's help button.
HELP_PROMPT = "Open the Lumora Chat help pages"
# Width of the participation text at the right of the status line.
STATUS_INDICATOR_WIDTH = 240
# Static frames (the chat transcript's border) show no text.
SS_TYPEMASK, SS_BLACKFRAME, SS_WHITEFRAME = 0x1F, 7, 9


def is_text_static(node):
    return node["class"] == "Static" and node["style"] & SS_TYPEMASK not in (SS_BLACKFRAME, SS_WHITEFRAME)
# The people column keeps at least this width; the splitter bar between
# panes is this wide.
MIN_PEOPLE_WIDTH = 165
SPLITTER_BAR = 6
# Child ids of the splitters' panes.
FIRST_PANE, SECOND_COLUMN, SECOND_ROW = 0xE900, 0xE901, 0xE910


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def menu_items(menu):
    """Popup text -> {command id: item} of the menu bar's answer."""
    return {popup["text"]: {item["id"]: item for item in popup["submenu"] if item["id"]}
            for popup in menu["popups"]}


def panes(client):
    """Screen rectangles of the page, chat and people panes and the frame's
    client area."""
    tree = client.ask("tree")
    frame = tree["window"]
    (outer,) = [child for child in frame["children"] if child["id"] == FIRST_PANE]
    (nested,) = [child for child in outer["children"] if child["id"] == FIRST_PANE]
    (people,) = [child for child in outer["children"] if child["id"] == SECOND_COLUMN]
    inner = {child["id"]: child for child in nested["children"]}
    return inner[FIRST_PANE]["rect"], inner[SECOND_ROW]["rect"], people["rect"], frame


def panes_once(client, settled, timeout=15):
    """The panes once settled(page, chat, people, frame) holds, or as they
    are when the time is up: a menu choice is carried out after the key."""
    deadline = time.monotonic() + timeout
    while True:
        found = panes(client)
        if settled(*found) or time.monotonic() > deadline:
            return found
        time.sleep(0.2)


def width(rect):
    return rect[2] - rect[0]


def height(rect):
    return rect[3] - rect[1]


def test_connected_window_has_menus_bars_status_line_and_panes(running_client):
    frame = running_client.wait_frame()
    assert frame["text"].startswith("Lumora Zanthe Chat - [")
    page, chat, people, tree = panes(running_client)
    client_left, client_top, client_right, _ = frame["client"]

    # The status line: pane 0 ends where the participation text begins.
    status = running_client.ask("status")
    assert len(status["panes"]) == 2
    assert width(status["rects"][0]) == (client_right - client_left) - STATUS_INDICATOR_WIDTH
    nodes = list(walk(tree))
    assert [node["text"] for node in nodes
            if is_text_static(node) and node["visible"]] == ["Participating"]
    # The participation indicator stands on the page.
    (indicator,) = [node for node in nodes if node["text"] == "INDICATION"]
    assert indicator["visible"] and page[0] <= indicator["rect"][0] < page[2]

    # The bar host across the top holds the two tool bars and the busy
    # animation's row; the panes start below it.
    hosts = [node for node in tree["children"] if node["rect"][1] == client_top and node["children"]]
    assert len(hosts) == 1 and len(hosts[0]["children"]) == 3
    # (The page and chat column has a one-pixel border.)
    assert people[1] == hosts[0]["rect"][3] and page[1] - people[1] <= 1
    # Classic layout: the page column takes 75 percent, the people column
    # the rest.
    assert abs(width(page) - (client_right - client_left) * 75 // 100) <= 4
    assert width(people) >= MIN_PEOPLE_WIDTH and height(chat) > 0

    # The local start pages are in the program folder, written as text.
    welcome = (running_client.folder / "welcome.htm").read_bytes()
    assert welcome.startswith(b"<HTML>\r\n<HEAD>\r\n<TITLE>Welcome to Lumora Chat</TITLE>")
    assert b"Connecting to community...<BR>\r\n" in welcome
    assert all((running_client.folder / name).exists() for name in ("blank.htm", "error.htm"))

    menu = menu_items(running_client.ask("menu"))
    assert list(menu) == ["&File", "&Edit", "&View", "&Me", "&Go", "&Places", "&Community",
                          "&Help"]
    # A command nothing takes yet is disabled; Open Location and Exit are not.
    assert not menu["&File"][SAVE_TRANSCRIPT]["enabled"]
    assert menu["&File"][OPEN_LOCATION]["enabled"] and menu["&File"][EXIT]["enabled"]
    view = menu["&View"]
    assert view[LAYOUT_COMMANDS[CLASSIC]]["checked"] and view[LAYOUT_COMMANDS[CLASSIC]]["enabled"]
    assert not view[LAYOUT_COMMANDS[BROWSER_ONLY]]["checked"]
    assert view[LAYOUT_COMMANDS[TEXT_ONLY]]["text"] == "T&ext Only"
    assert view[SAVE_LAYOUT]["enabled"]
    # Inside the room: Leave Room, and the own avatar's flip and mood items,
    # every mood while no picture is chosen, Normal checked.
    assert menu["&Go"][ENTER_LEAVE]["text"] == "L&eave Room"
    me = menu["&Me"]
    assert FLIP_HORIZONTAL in me
    assert me[MOOD_NORMAL]["checked"] and not me[MOOD_SAD]["checked"]


def test_before_the_connection_the_room_commands_keep_their_resource_texts(window_client,
                                                                          zr_server):
    # The switch file sends the client to a port where nothing listens.
    zr_server.stop()
    window_client.start()
    window_client.wait_frame()
    menu = menu_items(window_client.ask("menu"))
    assert menu["&Go"][ENTER_LEAVE]["text"] == "&Enter Chat Room"
    assert FLIP_HORIZONTAL not in menu["&Me"] and MOOD_NORMAL not in menu["&Me"]
    # The layout commands work on the place objects, which exist already.
    assert menu["&View"][LAYOUT_COMMANDS[CLASSIC]]["enabled"]
    nodes = list(walk(window_client.ask("tree")["window"]))
    assert [node["text"] for node in nodes
            if is_text_static(node) and node["visible"]] == ["Disconnected"]


def all_items(items):
    for item in items:
        yield item
        yield from all_items(item.get("submenu", []))


def test_every_text_of_the_window_comes_from_the_resource_library(window_client, place_bots,
                                                                 zr_server, build_win):
    # The marked twin of the library puts "~" in front of each of its texts.
    shutil.copy(build_win / "marked" / "ZrRes.dll", window_client.folder)
    window_client.start()
    window_client.wait_frame()
    zr_server.wait_log({"event": "entered"}, timeout=START_SECONDS)
    # The status line's texts as well.
    assert window_client.ask("waitstatus ~ %d" % (START_SECONDS * 1000))["found"]
    assert window_client.ask("frame")["text"].startswith("~")

    menu = window_client.ask("menu")
    texts = [item["text"] for item in all_items(menu["popups"])
             if not item["separator"] and not item["ownerdraw"]]
    assert len(texts) > 40
    assert [text for text in texts if not text.startswith("~")] == []
    nodes = list(walk(window_client.ask("tree")["window"]))
    # The "What's Hot" page shows the library's product strings (its
    # bulletin text), which the marked twin leaves as they are.
    product = {id(line) for window in nodes if window["text"] == "Broadcast Text" for line in window["children"]}
    shown = [node["text"] for node in nodes if is_text_static(node) and id(node) not in product]
    assert shown and all(text.startswith("~") for text in shown)


def test_layout_modes_chosen_with_the_keyboard_divide_the_window(running_client):
    running_client.wait_frame()
    # View > Browser Only with real keys: the page takes the column's whole
    # height and the width that the people column leaves.
    running_client.probe("openmenu 2 V keep", "key B")
    page, chat, people, frame = panes_once(running_client, lambda page, chat, people, frame: height(chat) <= 0)
    client_width = frame["client"][2] - frame["client"][0]
    # (The page and chat column has a one-pixel border.)
    assert width(page) == client_width - MIN_PEOPLE_WIDTH - 2
    assert width(people) == MIN_PEOPLE_WIDTH - SPLITTER_BAR
    assert height(chat) <= 0
    view = menu_items(running_client.ask("menu"))["&View"]
    assert view[LAYOUT_COMMANDS[BROWSER_ONLY]]["checked"]
    assert not view[SAVE_LAYOUT]["enabled"]

    # View > Text Only: the chat area takes the column, the page none.
    running_client.probe("openmenu 2 V keep", "key E")
    page, chat, people, _ = panes_once(running_client, lambda page, chat, people, frame: height(page) <= 0)
    assert height(page) <= 0 and height(chat) > 0

    # View > Classic again: the first item of the menu.
    running_client.probe("openmenu 2 V keep", "key RETURN")
    page, chat, people, _ = panes_once(
        running_client, lambda page, chat, people, frame: height(page) > 0 and height(chat) > 0)
    assert abs(width(page) - client_width * 75 // 100) <= 4 and height(chat) > 0


def test_tool_bar_buttons_prompt_on_the_status_line_while_the_mouse_is_over_them(
        running_client):
    frame = running_client.wait_frame()
    tree = running_client.ask("tree")["window"]
    (host,) = [node for node in tree["children"] if node["rect"][1] == frame["client"][1]
               and node["children"]]
    tool_bars = sorted((bar for bar in host["children"] if width(bar["rect"]) > 0),
                       key=lambda bar: bar["rect"][0])[:2]
    # The bars follow the mouse only in the active window; a key press
    # brings the frame to the front. The timed connection text goes first.
    running_client.probe("key SHIFT", "wait 12000")
    # Along the tool bars' middle line, button by button. Only an enabled
    # button takes the mouse: help (placed) and the guided tours menu
    # (connected) do; back (its page frame is not there yet) and the
    # directory (no navigation object yet) do not.
    prompts = []
    for bar in tool_bars:
        left, top, right, bottom = bar["rect"]
        for x in range(left + 4, right, 6):
            running_client.probe("move %d %d" % (x, (top + bottom) // 2), "wait 100")
            prompts.append(running_client.ask("status")["panes"][0])
    assert HELP_PROMPT in prompts and "Choose a guided tour" in prompts
    assert "Go back to the previous page" not in prompts
    assert "Open the directory of places" not in prompts
    # Away from the bars the prompt goes.
    page = panes(running_client)[0]
    running_client.probe("move %d %d" % ((page[0] + page[2]) // 2, (page[1] + page[3]) // 2),
                         "wait 300")
    assert running_client.ask("status")["panes"][0] == ""


def test_dragging_the_splitter_keeps_the_people_column_wide_enough(running_client):
    running_client.wait_frame()
    page, _, people, frame = panes(running_client)
    client_right = frame["client"][2]
    middle = (people[1] + people[3]) // 2
    bar = people[0] - SPLITTER_BAR // 2
    # Far to the right: the bar stops where the mouse last was before it came
    # too close to the edge, and the people column keeps its least width.
    before = width(people)
    running_client.probe("drag %d %d %d %d" % (bar, middle, client_right - 10, middle), "wait 500")
    page, _, people, _ = panes(running_client)
    assert MIN_PEOPLE_WIDTH - SPLITTER_BAR <= width(people) < before
    # To the left: the page column follows the mouse.
    bar = people[0] - SPLITTER_BAR // 2
    running_client.probe("drag %d %d %d %d" % (bar, middle, 400, middle), "wait 500")
    page, _, people, _ = panes(running_client)
    assert abs(page[2] - 400) <= SPLITTER_BAR
    assert width(people) > MIN_PEOPLE_WIDTH


def test_timed_status_text_falls_back_to_the_lasting_text(running_client):
    running_client.wait_frame()
    # The place's connection text is timed: it stays for 11 seconds, then the
    # lasting text (none) comes back.
    assert running_client.ask("waitstatus Connected %d" % (START_SECONDS * 1000))["found"]
    first_seen = time.monotonic()
    time.sleep(6)
    assert "Connected" in running_client.ask("status")["panes"][0]
    texts = []
    while time.monotonic() < first_seen + 15:
        texts.append(running_client.ask("status")["panes"][0])
        if texts[-1] == "":
            break
        time.sleep(0.5)
    assert texts[-1] == ""


@pytest.mark.parametrize("maximised", [False, True])
def test_saved_layout_comes_back_after_a_restart(window_client, place_bots, zr_server,
                                                  maximised):
    if maximised:
        window_client.settings["Settings"].update(WinWidth=-1, WinHeight=-1)
    window_client.start()
    window_client.wait_frame()
    zr_server.wait_log({"event": "entered"}, timeout=START_SECONDS)
    # Avatars Only, saved: the mode and the panes are kept.
    window_client.probe("command %d" % LAYOUT_COMMANDS[AVATARS_ONLY], "wait 500",
                        "command %d" % SAVE_LAYOUT, "wait 500")
    before = panes(window_client)[:3]
    placement = window_client.ask("placement")
    assert placement["zoomed"] == maximised
    window_client.probe("close", "waitgone %d" % (START_SECONDS * 1000))
    assert window_client.wait_exit() == 0

    saved = (window_client.folder / "zrplaces.ini").read_text()
    assert "LayoutMode=2" in saved
    if maximised:
        assert "WinWidth=-1" in saved and "WinHeight=-1" in saved
    else:
        assert "WinWidth=1000" in saved and "WinHeight=700" in saved

    # The next start reads the file the first one left.
    window_client.start(write_settings=False)
    frame = window_client.wait_frame()
    zr_server.wait_log({"event": "entered"}, timeout=START_SECONDS)
    after = window_client.ask("placement")
    assert (after["zoomed"], after["rect"]) == (placement["zoomed"], placement["rect"])
    assert panes(window_client)[:3] == before
    if maximised:
        # The client area covers the whole screen below the caption.
        left, top, right, bottom = frame["client"]
        assert (left, right, bottom) == (0, frame["screen"][0], frame["screen"][1])


@pytest.mark.parametrize("mode", [CLASSIC, BROWSER_ONLY, AVATARS_ONLY, TEXT_ONLY])
def test_each_layout_mode_looks_as_its_reference(window_client, place_bots, zr_server, pictures, mode):
    # The bots stand still and silent before the client comes, so that the
    # chat area shows no line of theirs.
    place_bots.park()
    window_client.start()
    window_client.wait_frame()
    entered_member(zr_server, NICK)
    # The timed connection text is gone before the picture is taken.
    window_client.probe("command %d" % LAYOUT_COMMANDS[mode], "wait 13000")
    picture = pictures.capture_frame(window_client, "layout%d" % mode)
    pictures.check("main_window_layout%d" % mode, picture, max_pixels=300)


def test_connected_client_does_not_spin_while_nothing_happens(running_client, place_bots):
    running_client.wait_frame()
    place_bots.pause()
    time.sleep(3)
    first = running_client.ask("cputime")
    time.sleep(30)
    second = running_client.ask("cputime")
    # Loose: a busy loop would use most of the 30 seconds.
    assert second["total_ms"] - first["total_ms"] < 3000
