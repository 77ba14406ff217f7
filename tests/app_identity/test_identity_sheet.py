"""The identity sheet of the running client as a user meets it: opened from
the Me menu with real keys over a main window that is disabled while it is
up, typed into through the window probe, and read from outside: the window
tree, zrplaces.ini and the community server's log of what the client sent.

One client, connected to the kit's server, serves the module; each test
leaves the sheet closed behind it."""
import configparser
import time

import pytest

from app_window.window_tools import NICK, START_SECONDS, ProbeError, entered_member, program_client
from dde_session.dde_client import DdeClient
from zrkit.harness import ServerProcess

DIALOG = "#32770"
TITLE = "My Identity"
IDOK, IDCANCEL, APPLY, HELP, PAGE_TABS = 1, 2, 0x3021, 9, 0x3020
NICKNAME, NAME, LOCATION, EMAIL = 1083, 1066, 1067, 1082
GENDER, OCCUPATION, QUOTE = 1058, 1064, 1065
IDENTITY_OP = 23
SECTION = "Identity-127.0.0.1"
SHEET_SECONDS = 20
# The full name the server gives the client at login, unlike the one of its
# settings: a request that leaves the name out keeps this one.
SERVER_NAME = "Name From Server"


@pytest.fixture(scope="module")
def server(tmp_path_factory):
    srv = ServerProcess(tmp_path_factory.mktemp("server"), time_limit=900,
                        scenario={"welcome": {"entry_count": 30, "full_name": SERVER_NAME}})
    yield srv
    srv.stop()


def dde_driver(build_win):
    return build_win / "tests" / "dde_session" / "dde_driver.exe"


@pytest.fixture(scope="module")
def client(build_win, tmp_path_factory, server):
    running = program_client(build_win, tmp_path_factory.mktemp("program"), server,
                             needed=(dde_driver(build_win),))
    running.settings[SECTION].update({"Name": "Ann Before", "Address": "Oslo",
                                      "Email": "ann@before.example"})
    running.start()
    running.wait_frame()
    running.member = entered_member(server, NICK)
    yield running
    running.stop()


@pytest.fixture
def dde(build_win, client, tmp_path):
    """The other program, following the client's presence notices."""
    driver = DdeClient(dde_driver(build_win), tmp_path / "driver.log", client.env)
    driver.connect("ZR_PresenceInfo")
    driver.advise("ZR_PresenceInfo", "SetPresenceIdentity")
    yield driver
    driver.stop()


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def controls(tree):
    return {node["id"]: node for node in walk(tree)}


def sheet_tree(client):
    """The client's open dialog, or None."""
    try:
        answer = client.probe("tree", window_class=DIALOG, find_seconds=1)[0]
    except ProbeError:
        return None
    return None if "error" in answer else answer["window"]


def wait_sheet(client):
    deadline = time.monotonic() + SHEET_SECONDS
    while time.monotonic() < deadline:
        tree = sheet_tree(client)
        if tree is not None and tree["text"] == TITLE and tree["visible"]:
            return tree
        time.sleep(0.3)
    raise AssertionError("no identity sheet within %d s" % SHEET_SECONDS)


def wait_sheet_gone(client):
    deadline = time.monotonic() + SHEET_SECONDS
    while time.monotonic() < deadline:
        tree = sheet_tree(client)
        if tree is None or tree["text"] != TITLE:
            return
        time.sleep(0.3)
    raise AssertionError("the identity sheet is still open")


def open_sheet(client):
    """Me menu (Alt+M); its first item is Edit Identity..."""
    client.probe("openmenu 3 M keep", "key RETURN")
    return wait_sheet(client)


def on_sheet(client, *commands):
    answers = client.probe(*commands, window_class=DIALOG)
    errors = [answer for answer in answers if "error" in answer]
    assert not errors, errors
    return answers


def focus(client):
    return on_sheet(client, "focus")[0]


def tab_to(client, control):
    for _ in range(30):
        if focus(client)["id"] == control:
            return
        on_sheet(client, "key TAB")
    raise AssertionError("control %d never got the focus" % control)


def type_into(client, control, text):
    """Tab to the edit (which selects its text) and type over it."""
    tab_to(client, control)
    on_sheet(client, "type \"%s\"" % text)


def press_ok(client):
    """A real click on the sheet's OK button."""
    left, top, right, bottom = controls(wait_sheet(client))[APPLY]["rect"]
    on_sheet(client, "click %d %d" % ((left + right) // 2, (top + bottom) // 2))
    wait_sheet_gone(client)


def read_ini(client):
    parser = configparser.RawConfigParser(strict=False)
    parser.optionxform = str
    parser.read_string((client.folder / "zrplaces.ini").read_text(errors="replace"))
    return parser


def identity_requests(server, after):
    """The local user's information requests the server got since log entry
    `after`: (full name, location, e-mail)."""
    sent = []
    for entry in server.log()[after:]:
        msg = entry.get("msg") or {}
        msg = msg.get("inner", msg)
        if entry.get("dir") == "in" and msg.get("op") == IDENTITY_OP:
            sent.append((msg["full_name"], msg["location"], msg["email"]))
    return sent


def wait_identity_request(server, after):
    deadline = time.monotonic() + SHEET_SECONDS
    while time.monotonic() < deadline:
        sent = identity_requests(server, after)
        if sent:
            return sent
        time.sleep(0.3)
    raise AssertionError("the server got no information request")


def test_sheet_shows_ok_alone_and_cancel_changes_nothing(client, server):
    before = (client.folder / "zrplaces.ini").read_bytes()
    mark = len(server.log())
    sheet = open_sheet(client)
    assert not client.ask("frame")["enabled"], "the main window is disabled under the sheet"
    ids = controls(sheet)
    assert ids[APPLY]["text"] == "OK" and ids[APPLY]["visible"] and ids[APPLY]["enabled"]
    assert not ids[IDOK]["visible"] and not ids[HELP]["visible"]
    assert ids[IDCANCEL]["visible"]
    # OK stands left of Cancel, both at the right.
    assert ids[APPLY]["rect"][2] <= ids[IDCANCEL]["rect"][0]
    assert ids[NICKNAME]["text"] == NICK and not ids[NICKNAME]["enabled"], "fixed while connected"
    assert ids[NAME]["text"] == "Ann Before" and ids[NAME]["enabled"]
    assert ids[EMAIL]["text"] == "ann@before.example"
    assert focus(client)["id"] == NAME, "the first edit the user may change has the focus"

    type_into(client, LOCATION, "Somewhere else")
    on_sheet(client, "key ESCAPE")
    wait_sheet_gone(client)
    assert client.ask("frame")["enabled"]
    assert (client.folder / "zrplaces.ini").read_bytes() == before
    assert identity_requests(server, mark) == []


def test_ok_stores_the_texts_cut_to_30_and_sends_only_the_changed_ones(client, server, dde):
    # Only the e-mail changes: the request carries it; the name and location
    # stay as the client's member record has them (the name the server gave).
    mark = len(server.log())
    open_sheet(client)
    typed = "ann.identity@mail.example.orgX"
    typed31 = typed + "Y"
    type_into(client, EMAIL, typed31)
    shown = controls(wait_sheet(client))[EMAIL]["text"]
    assert shown == typed31[:30] == typed
    assert focus(client)["sel"] == [30, 30], "the caret stays after the kept text"
    press_ok(client)
    assert wait_identity_request(server, mark) == [(SERVER_NAME, "Oslo", typed)]
    told = dde.wait_advised("ZR_PresenceInfo", "SetPresenceIdentity", lambda f: f["email"] == typed)
    assert told == {"id": client.member, "nick": NICK, "full_name": SERVER_NAME, "location": "Oslo",
                    "email": typed}
    ini = read_ini(client)
    assert ini.get(SECTION, "Email") == typed
    assert ini.get(SECTION, "Name") == "Ann Before"
    assert ini.get(SECTION, "Address") == "Oslo"
    assert ini.get(SECTION, "NickName") == NICK

    # Name and location change; the e-mail stays as just stored.
    mark = len(server.log())
    sheet = open_sheet(client)
    assert controls(sheet)[EMAIL]["text"] == typed
    type_into(client, NAME, "Ann After")
    type_into(client, LOCATION, "A town with a long long name!!Z")
    press_ok(client)
    assert wait_identity_request(server, mark) == [
        ("Ann After", "A town with a long long name!!", typed)]
    ini = read_ini(client)
    assert ini.get(SECTION, "Name") == "Ann After"
    assert ini.get(SECTION, "Address") == "A town with a long long name!!"

    # OK without a change sends nothing.
    mark = len(server.log())
    open_sheet(client)
    press_ok(client)
    time.sleep(2)
    assert identity_requests(server, mark) == []


def test_about_me_texts_are_stored_within_their_lengths(client, server):
    mark = len(server.log())
    open_sheet(client)
    tab_to(client, PAGE_TABS)
    on_sheet(client, "key RIGHT")  # the About Me page
    type_into(client, GENDER, "female, really, truly, yes")  # 26 typed, 20 kept
    type_into(client, OCCUPATION, "pilot")
    quote = "Sky-and-back" * 18  # 216 typed, 200 kept
    type_into(client, QUOTE, quote)
    press_ok(client)
    ini = read_ini(client)
    assert ini.get(SECTION, "Gender") == "female, really, trul"
    assert ini.get(SECTION, "Occupation") == "pilot"
    assert ini.get(SECTION, "Personal Quote") == quote[:200]
    assert identity_requests(server, mark) == [], "the About Me texts are not sent"
