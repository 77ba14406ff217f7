"""The Preferences sheet as a user meets it: opened from the Edit menu with
real keys over a main window that is disabled while it is up, changed with
the keyboard, and read from outside in the window tree and in zrplaces.ini.
Cancel and refused observer counts leave the settings file as it was; OK
writes what the pages show, and the next start reads it back."""
import configparser
import shutil
import time

from app_window.window_tools import NICK, START_SECONDS, ProbeError, entered_member

DIALOG = "#32770"
TITLE = "Preferences"
OBSERVER_RANGE = "Please enter a number of observers between 1 and 200."
NOT_ACCEPTING = "Not accepting IMs at this time."
IDOK, APPLY, HELP, PAGE_TABS = 1, 0x3021, 9, 0x3020
# Controls of the General page.
AUTO_LANDING, BALLOON_SHORT, BALLOON_MEDIUM, BALLOON_LONG = 1095, 1043, 1044, 1045
HOME_URL, OBSERVERS, IGNORE_IMS, AWAY_MESSAGE, SEND_FILES = 1100, 1060, 763, 774, 1183
# Controls of the Folders page.
TOURS, FAVORITE, FAVORITE_BROWSE = 1104, 1132, 1133
BST_CHECKED = 1


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def controls(tree):
    """Control id -> node of every window in the dialog's tree."""
    return {node["id"]: node for node in walk(tree)}


def dialog_tree(client):
    """The client's topmost dialog window (the sheet, or a box over it);
    None when it has none."""
    try:
        answer = client.probe("tree", window_class=DIALOG, find_seconds=1)[0]
    except ProbeError:
        return None
    return None if "error" in answer else answer["window"]


def wait_dialog(client, matches, what):
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline:
        tree = dialog_tree(client)
        if tree is not None and matches(tree):
            return tree
        time.sleep(0.3)
    raise AssertionError("no %s within %d s" % (what, START_SECONDS))


def is_sheet(tree):
    return tree["text"] == TITLE and any(node["class"] == "SysTabControl32"
                                         for node in walk(tree))


def box_text(tree):
    return [node["text"] for node in tree["children"] if node["class"] == "Static"]


def open_preferences(client):
    """Edit menu (Alt+E), up to its last item, Preferences..., Return."""
    client.probe("openmenu 1 E keep", "key UP", "key RETURN")
    return wait_dialog(client, is_sheet, "Preferences sheet")


def sheet_keys(client, *commands):
    """Probe commands sent to the sheet (keys go to it, brought forward)."""
    answers = client.probe(*commands, window_class=DIALOG)
    errors = [answer for answer in answers if "error" in answer]
    assert not errors, errors
    return answers


def focus(client):
    return sheet_keys(client, "focus")[0]


def tab_to(client, control):
    """Tab (forward) until control has the keyboard focus."""
    for _ in range(40):
        if focus(client)["id"] == control:
            return
        sheet_keys(client, "key TAB")
    raise AssertionError("control %d never got the focus" % control)


def read_ini(client):
    parser = configparser.RawConfigParser(strict=False)
    parser.optionxform = str
    parser.read_string((client.folder / "zrplaces.ini").read_text(errors="replace"))
    return parser


def ini_bytes(client):
    return (client.folder / "zrplaces.ini").read_bytes()


def wait_sheet_gone(client):
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline:
        tree = dialog_tree(client)
        if tree is None or not is_sheet(tree):
            return
        time.sleep(0.3)
    raise AssertionError("the sheet is still open after %d s" % START_SECONDS)


def test_cancel_and_refused_observer_counts_write_nothing(running_client):
    client = running_client
    before = ini_bytes(client)
    sheet = open_preferences(client)
    # Modal over the main window, which is disabled meanwhile; Apply and
    # Help are not offered.
    assert not client.ask("frame")["enabled"]
    ids = controls(sheet)
    assert not ids[APPLY]["visible"] and not ids[HELP]["visible"]
    # OK and Cancel take the places at the right, under the pages' edge;
    # the sheet is centred on the screen, not on the main window.
    ok, cancel, tabs = ids[1]["rect"], ids[2]["rect"], ids[PAGE_TABS]["rect"]
    assert ids[1]["visible"] and ids[2]["visible"]
    assert ok[2] <= cancel[0] and ok[1] == cancel[1]
    assert abs(cancel[2] - tabs[2]) <= 4, (cancel, tabs)
    screen = client.ask("frame")["screen"]
    rect = sheet["rect"]
    assert abs((rect[0] + rect[2]) - screen[0]) <= 2 and abs((rect[1] + rect[3]) - screen[1]) <= 2
    assert ids[SEND_FILES]["visible"]
    assert ids[OBSERVERS]["text"] == "10"

    tab_to(client, OBSERVERS)
    for refused in ("0", "201", "1a", ""):
        # Tabbing in selected the whole text; after a refusal the page
        # selects it again, so typing replaces it.
        selection = focus(client)
        assert selection["id"] == OBSERVERS
        assert selection["sel"] == [0, selection["length"]], refused
        sheet_keys(client, "type \"%s\"" % refused if refused else "key DELETE", "key RETURN")
        box = wait_dialog(client, lambda tree: not is_sheet(tree), "message box")
        assert any(OBSERVER_RANGE in text for text in box_text(box)), box_text(box)
        assert ini_bytes(client) == before, refused
        sheet_keys(client, "key RETURN")
        sheet = wait_dialog(client, is_sheet, "sheet after the box")
        assert controls(sheet)[OBSERVERS]["text"] == refused
        assert not client.ask("frame")["enabled"]

    sheet_keys(client, "key ESCAPE")
    wait_sheet_gone(client)
    assert ini_bytes(client) == before
    assert client.ask("frame")["enabled"]


def test_ok_writes_the_pages_and_the_next_start_reads_them_back(running_client, zr_server):
    client = running_client
    open_preferences(client)
    # General page: the first box off, balloon time Long, another default
    # place, 200 observers, no response message of one's own.
    tab_to(client, AUTO_LANDING)
    sheet_keys(client, "key SPACE")
    tab_to(client, BALLOON_MEDIUM)
    sheet_keys(client, "key RIGHT")
    tab_to(client, HOME_URL)
    sheet_keys(client, "type http://elsewhere/")
    tab_to(client, OBSERVERS)
    sheet_keys(client, "type 200")
    tab_to(client, AWAY_MESSAGE)
    sheet_keys(client, "key DELETE", "key TAB shift", "key SPACE")
    assert focus(client)["id"] == IGNORE_IMS
    # Folders page (Right on the page tabs): another tour gallery typed in,
    # another favourite places list chosen with Browse in the Open dialog.
    tab_to(client, PAGE_TABS)
    sheet_keys(client, "key RIGHT")
    tab_to(client, TOURS)
    sheet_keys(client, "type D:\\rides\\")
    (client.folder / "my places.txt").write_text("")
    chosen = "Z:" + str(client.folder / "my places.txt").replace("/", "\\")
    tab_to(client, FAVORITE_BROWSE)
    sheet_keys(client, "key SPACE")
    wait_dialog(client, lambda tree: tree["text"] == "Open", "Open dialog")
    sheet_keys(client, "type \"%s\"" % chosen, "key RETURN")
    sheet = wait_dialog(client, is_sheet, "sheet after the Open dialog")
    assert controls(sheet)[FAVORITE]["text"].lower() == chosen.lower()
    # The focus is back on Browse: Return there would browse again.
    tab_to(client, IDOK)
    sheet_keys(client, "key RETURN")
    wait_sheet_gone(client)
    assert client.ask("frame")["enabled"]

    ini = read_ini(client)
    assert ini.get("Settings", "AutoLanding") == "0"
    assert ini.get("Settings", "BalloonTime") == "2"
    assert ini.get("Community", "HomeURL") == "http://elsewhere/"
    assert ini.get("Query", "MaxObservers") == "200"
    assert ini.get("Settings", "IgnoreAllIMs") == "1"
    assert ini.get("Settings", "AwayMsg") == NOT_ACCEPTING
    assert ini.get("Files", "Tours") == "D:\\rides\\"
    # A file in the program folder is kept relative to it.
    assert ini.get("Files", "Favorite").lower() == "my places.txt"
    assert ini.get("Identity-127.0.0.1", "NickName") == NICK

    # The next start clamps the count to 50; clearing the ignore box empties
    # the response message.
    client.stop()
    client.start(write_settings=False)
    client.wait_frame()
    entered_member(zr_server, NICK)
    sheet = open_preferences(client)
    assert controls(sheet)[OBSERVERS]["text"] == "50"
    assert controls(sheet)[HOME_URL]["text"] == "http://elsewhere/"
    assert controls(sheet)[AWAY_MESSAGE]["text"] == NOT_ACCEPTING
    tab_to(client, IGNORE_IMS)
    sheet_keys(client, "key SPACE", "key RETURN")
    wait_sheet_gone(client)
    ini = read_ini(client)
    assert ini.get("Settings", "IgnoreAllIMs") == "0"
    assert ini.get("Settings", "AwayMsg") == ""
    assert ini.get("Query", "MaxObservers") == "50"


def test_without_file_sending_its_box_is_hidden(window_client, place_bots, zr_server, build_win):
    # The test brand of the resource library answers GetSendFile with 0.
    shutil.copy(build_win / "testbrand" / "ZrRes.dll", window_client.folder)
    window_client.settings["SendFiles"] = {"EnableSendingFiles": 1}
    window_client.start()
    window_client.wait_frame()
    sheet = open_preferences(window_client)
    ids = controls(sheet)
    assert not ids[SEND_FILES]["visible"]
    assert ids[IGNORE_IMS]["visible"]
    sheet_keys(window_client, "key ESCAPE")
    wait_sheet_gone(window_client)
