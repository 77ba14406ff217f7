"""The people column of the running client against the kit's server: bots
entering, moving, grouping and leaving are shown in the people list, the
person menu's Ignore greys the row red and sorts it with the ignored, the
"Other Observers" row lists the observers the place holds back, and the
column's status line follows the participation state; a modal dialog
disables the list with the main windows; a moderator's person menu warns
and bans a person through the moderation service, the ban cut to 24 for
all but administrators. The list is read
from outside with list box queries (texts and row flags)."""
import time

from app_window.window_tools import NICK, PLACE, START_SECONDS, entered_member
from app_people.conftest import CROWD, MODERATION_OWNER
from zrkit import wire
from zrkit.wire import Writer
from zrkit.bot import BotPool
from zrkit.wire import Position

LIST_ID = 1118
STATUS_ID = 1119
ABOUT_COMMAND = 32780
DIALOG = "#32770"
IDENTITY_BUTTON, SEND_IM_BUTTON, IGNORE_BUTTON, LOCATE_BUTTON = 1032, 1030, 1144, 1176
# The identity dialog's More Info button and the More Info dialog's four
# texts (gender, hobbies, occupation, quote).
MORE_INFO_BUTTON = 1068
ABOUT_LABELS = (1076, 1075, 1074, 1073)
ABOUT_KIM = (b"F", b"chess and go", b"tester", b"hello there")
# Row flags of the people list (item data of a row).
EXPANDED, GREYED, IGNORED, SELECTED, HEADER, OWN, LIST_MADE = 1, 2, 4, 8, 16, 32, 64


def read_list(client):
    return client.ask("list %d" % LIST_ID)


def wait_rows(client, wanted, timeout=20):
    """The list once its row texts are `wanted` (a list, or a predicate)."""
    check = wanted if callable(wanted) else (lambda rows: rows == wanted)
    deadline = time.monotonic() + timeout
    while True:
        answer = read_list(client)
        if check(answer["rows"]):
            return answer
        if time.monotonic() > deadline:
            raise AssertionError("people list %r, wanted %r" % (answer["rows"], wanted))
        time.sleep(0.3)


def wait_flag(client, name, flag, on, timeout=10):
    """The list once the row `name` has (or lacks) the flag."""
    deadline = time.monotonic() + timeout
    while True:
        answer = read_list(client)
        if name in answer["rows"] and bool(flags_of(answer, name) & flag) == on:
            return answer
        if time.monotonic() > deadline:
            raise AssertionError("row %s flags %r" % (name, answer["data"]))
        time.sleep(0.3)


def row_point(answer, text):
    """Screen point on the text of the row that reads `text`."""
    row = answer["rows"].index(text)
    left, top = answer["client"][0], answer["client"][1]
    height = answer["height"]
    inset = height // 3
    return left + 60, top + inset + (row - answer["top"]) * height + height // 2


def flags_of(answer, text):
    return answer["data"][answer["rows"].index(text)]


def controls(client):
    found = {}

    def walk(window):
        found.setdefault(window["id"], window)
        for child in window["children"]:
            walk(child)
    walk(client.ask("tree")["window"])
    return found


def wait_enabled(client, enabled, timeout=20):
    deadline = time.monotonic() + timeout
    while controls(client)[LIST_ID]["enabled"] != enabled:
        if time.monotonic() > deadline:
            raise AssertionError("the people list is not %s" % ("enabled" if enabled else "disabled"))
        time.sleep(0.3)


def start(window_client, zr_server, **settings):
    window_client.settings.update(settings)
    window_client.start()
    window_client.wait_frame()
    window_client.member = entered_member(zr_server, NICK)
    return window_client


def test_people_list_follows_the_place(window_client, zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        ann = pool.bot("ann")
        hal = pool.bot("hal")
        obs = pool.bot("obs")
        room = ann.enter(PLACE, Position.xy(1000, 1000))["snapshot"]["g1024"].id
        hal.enter(PLACE, Position.xy(2000, 2000))
        obs.enter(PLACE)
        client = start(window_client, zr_server)
        # The corridor's header sorts before the room's; the observers' row
        # stays last and, the user being inside, reads "Observers". The
        # place does not show the persons of its corridor.
        answer = wait_rows(client, ["_Observing", "_Chatting here: 3", "ann", "hal", NICK, "Observers"])
        assert flags_of(answer, "_Observing") & HEADER
        assert flags_of(answer, NICK) & OWN and not flags_of(answer, "ann") & OWN
        assert not flags_of(answer, "Observers") & EXPANDED
        # The status line of the column tells the participation.
        status = client.ask("waitstatus Participating 5000 %d" % STATUS_ID)
        assert status["found"], status
        # Nobody is selected: Identity has no person to show.
        buttons = controls(client)
        assert buttons[IDENTITY_BUTTON]["enabled"] is False
        assert buttons[SEND_IM_BUTTON]["enabled"] and buttons[LOCATE_BUTTON]["enabled"]

        # A newcomer appears, and so does the observer moving into the room.
        cat = pool.bot("cat")
        cat.enter(PLACE, Position.xy(3000, 3000))
        wait_rows(client, ["_Observing", "_Chatting here: 4", "ann", "cat", "hal", NICK, "Observers"])
        obs.move(room, Position.xy(4000, 4000))
        wait_rows(client, ["_Observing", "_Chatting here: 5", "ann", "cat", "hal", "obs", NICK, "Observers"])

        # Ignore from the person menu: the row turns red and sorts as
        # "ignored"; a second Ignore puts it back.
        x, y = row_point(read_list(client), "ann")
        client.ask("rclick %d %d" % (x, y))
        client.ask("key G")
        answer = wait_rows(client, ["_Observing", "_Chatting here: 5", "cat", "hal", "ann", "obs", NICK,
                                    "Observers"])
        assert flags_of(answer, "ann") & IGNORED
        x, y = row_point(answer, "ann")
        client.ask("rclick %d %d" % (x, y))
        client.ask("key G")
        answer = wait_rows(client, ["_Observing", "_Chatting here: 5", "ann", "cat", "hal", "obs", NICK,
                                    "Observers"])
        assert not flags_of(answer, "ann") & IGNORED

        # The page's Ignore button works on the selected person of the place.
        x, y = row_point(answer, "hal")
        client.ask("click %d %d" % (x, y))
        buttons = controls(client)
        assert buttons[IGNORE_BUTTON]["enabled"] and buttons[IDENTITY_BUTTON]["enabled"]
        left, top, right, bottom = buttons[IGNORE_BUTTON]["rect"]
        client.ask("click %d %d" % ((left + right) // 2, (top + bottom) // 2))
        answer = wait_flag(client, "hal", IGNORED, True)
        assert answer["rows"] == ["_Observing", "_Chatting here: 5", "ann", "cat", "hal", "obs", NICK,
                                  "Observers"]
        x, y = row_point(answer, "hal")
        client.ask("rclick %d %d" % (x, y))
        client.ask("key G")
        wait_flag(client, "hal", IGNORED, False)

        # hal pairs with ann and cat leaves: the pair's rows stand under
        # their group's row, and cat's row is gone.
        hal.op(10, info=wire.GroupInfo(name="duo", capacity=2, flags=2), kind=0x202, other=room,
               value=0, pair=1, partner=ann.member_id)
        cat.leave()
        answer = wait_rows(client, ["_Observing", "_Chatting here: 4", "duo", "ann", "hal", "obs", NICK,
                                    "Observers"])
        assert flags_of(answer, "duo") & EXPANDED
        # hal steps out: the group of one left dissolves and ann is back in
        # the room.
        hal.move(room, Position.xy(5000, 5000))
        wait_rows(client, ["_Observing", "_Chatting here: 4", "ann", "hal", "obs", NICK, "Observers"])
    finally:
        pool.stop()


def test_other_observers_lists_the_crowd_the_place_holds_back(window_client, zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        pool.bot("obs").enter(PLACE)
        client = start(window_client, zr_server, Query={"MaxObservers": 3})
        answer = wait_rows(client, ["_Observing", "_Chatting here: 1", NICK, "Observers"])
        x, y = row_point(answer, "Observers")
        client.ask("dblclick %d %d" % (x, y))
        request = zr_server.wait_log({"dir": "in", "msg": {"type": 21, "b": 0}}, timeout=START_SECONDS)
        assert request["msg"]["e"] == request["msg"]["c"] != 0
        # The corridor's observer and the crowd, at most MaxObservers of
        # them, made by the list under its row in the order of names.
        shown = CROWD[:2] + ["obs"]
        answer = wait_rows(client, ["_Observing", "_Chatting here: 1", NICK, "Observers"] + shown)
        assert flags_of(answer, "Observers") & EXPANDED
        assert all(flags_of(answer, name) & LIST_MADE for name in shown)

        # While a modal dialog is up the list is disabled with the main
        # windows.
        client.ask("command %d" % ABOUT_COMMAND)
        wait_enabled(client, False)
        closed = client.probe("key RETURN", "waitgone %d" % (START_SECONDS * 1000), window_class=DIALOG)
        assert closed[-1]["gone"], "the About dialog stays open"
        wait_enabled(client, True)

        # When the server goes, the column says so and the place's rows go.
        zr_server.control("close", session=NICK, code=0)
        status = client.ask("waitstatus Disconnected %d %d" % (START_SECONDS * 1000, STATUS_ID))
        assert status["found"], status
        wait_rows(client, lambda rows: NICK not in rows and "_Chatting here: 1" not in rows)
    finally:
        pool.stop()


def test_a_moderator_warns_a_person_from_the_person_menu(window_client, zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        ann = pool.bot("ann")
        ann.enter(PLACE, Position.xy(1000, 1000))
        client = start(window_client, zr_server)
        answer = wait_rows(client, ["_Observing", "_Chatting here: 2", "ann", NICK, "Observers"])
        # The server makes the user an administrator (class 272).
        fields = Writer().u32(client.member).u16(0x110).bytes()
        zr_server.control("message", session=NICK, type=32, fields=fields.hex())
        zr_server.wait_log({"dir": "out", "msg": {"type": 32}}, timeout=START_SECONDS)
        time.sleep(1)
        # The menu ends with Warn, Gag, Ban Avatar and Eject from Community.
        x, y = row_point(answer, "ann")
        client.ask("rclick %d %d" % (x, y))
        for key in ("END", "UP", "UP", "UP", "RETURN"):
            client.ask("key %s" % key)
        # The warning dialog offers the community's text; OK sends it.
        dialog = client.probe("tree", window_class=DIALOG)[0]["window"]
        edit = next(c for c in dialog["children"] if c["id"] == 1108)
        assert edit["text"].startswith("Your actions are inappropriate")
        ok = next(c for c in dialog["children"] if c["id"] == 1)
        left, top, right, bottom = ok["rect"]
        closed = client.probe("click %d %d" % ((left + right) // 2, (top + bottom) // 2),
                              "waitgone %d" % (START_SECONDS * 1000), window_class=DIALOG)
        assert closed[-1]["gone"]
        sent = zr_server.wait_log({"dir": "in", "msg": {"type": 28}}, timeout=START_SECONDS)["msg"]
        assert (sent["value"], sent["target"]) == (ann.member_id, MODERATION_OWNER)
        assert b"Your actions are inappropriate" in bytes.fromhex(sent["blob"])
    finally:
        pool.stop()


def ban_for_minutes(client, answer, name, menu_keys, minutes):
    """Ban Avatar from the person menu of `name`'s row (reached by
    menu_keys), with `other` minutes typed into the duration dialog."""
    x, y = row_point(answer, name)
    client.ask("rclick %d %d" % (x, y))
    for key in menu_keys + ("RETURN",):
        client.ask("key %s" % key)
    choices = client.probe("list 1046", window_class=DIALOG)[0]
    assert choices["rows"] == ["60", "120", "other"], choices
    left, top = choices["client"][0], choices["client"][1]
    height = choices["height"]
    client.probe("click %d %d" % (left + 10, top + 2 * height + height // 2), window_class=DIALOG)
    client.probe("type %d" % minutes, window_class=DIALOG)
    dialog = client.probe("tree", window_class=DIALOG)[0]["window"]
    ok = next(c for c in dialog["children"] if c["id"] == 1)
    left, top, right, bottom = ok["rect"]
    closed = client.probe("click %d %d" % ((left + right) // 2, (top + bottom) // 2),
                          "waitgone %d" % (START_SECONDS * 1000), window_class=DIALOG)
    assert closed[-1]["gone"]


def set_user_class(client, zr_server, kind):
    fields = Writer().u32(client.member).u16(kind).bytes()
    after = len(zr_server.log())
    zr_server.control("message", session=NICK, type=32, fields=fields.hex())
    zr_server.wait_log({"dir": "out", "msg": {"type": 32, "kind": kind}}, timeout=START_SECONDS,
                       after=after)
    time.sleep(1)


def test_ban_lasts_at_most_24_but_for_administrators(window_client, zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        ann = pool.bot("ann")
        ann.enter(PLACE, Position.xy(1000, 1000))
        client = start(window_client, zr_server)
        answer = wait_rows(client, ["_Observing", "_Chatting here: 2", "ann", NICK, "Observers"])
        sent = []
        # A moderator (class 276): Ban Avatar ends the menu; 100 goes out as 24.
        # An administrator (class 272): Eject from Community follows it; 100 stays.
        for kind, keys in ((0x114, ("END",)), (0x110, ("END", "UP"))):
            set_user_class(client, zr_server, kind)
            after = len(zr_server.log())
            ban_for_minutes(client, answer, "ann", keys, 100)
            request = zr_server.wait_log({"dir": "in", "msg": {"type": 28}}, timeout=START_SECONDS,
                                         after=after)["msg"]
            assert (request["value"], request["target"]) == (ann.member_id, MODERATION_OWNER)
            blob = bytes.fromhex(request["blob"])
            # The record ends with the mode (2: ban), the minutes and the
            # empty comment.
            sent.append(blob[-7:])
        assert sent == [b"\x02" + (24).to_bytes(4, "big") + b"\x00\x00",
                        b"\x02" + (100).to_bytes(4, "big") + b"\x00\x00"]
    finally:
        pool.stop()


def click_control(client, control):
    left, top, right, bottom = control["rect"]
    client.ask("click %d %d" % ((left + right) // 2, (top + bottom) // 2))


def dialog_texts(client, title):
    """Control id -> text of the client's dialog with the title."""
    (answer,) = client.probe("tree", window_class=DIALOG, window_title=title, find_seconds=20)
    assert "window" in answer, answer
    texts = {}

    def walk(window):
        texts[window["id"]] = window["text"]
        for child in window["children"]:
            walk(child)
    walk(answer["window"])
    return texts, answer["window"]


def test_a_persons_identity_shows_what_the_person_sent(window_client, zr_server):
    """Identity opens the selected person's identity dialog; its More Info
    asks the person, and the texts the person sends back are shown."""
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        kim = pool.bot("kim")
        kim.enter(PLACE, Position.xy(1500, 1500))
        client = start(window_client, zr_server)
        answer = wait_rows(client, lambda rows: "kim" in rows)
        x, y = row_point(answer, "kim")
        client.ask("click %d %d" % (x, y))
        click_control(client, controls(client)[IDENTITY_BUTTON])
        texts, dialog = dialog_texts(client, "kim's Identity")

        more_info = [w for w in dialog["children"] if w["id"] == MORE_INFO_BUTTON]
        assert more_info, texts
        click_control(client, more_info[0])
        request = kim.expect(type=5, match=lambda m: m.get("blob", b"")[:1] == b"\x02", timeout=30)
        assert request["text"] == ""
        kim.whisper(client.member, "", blob=b"\x03\x00" + b"\0".join(ABOUT_KIM) + b"\0")
        deadline = time.monotonic() + 20
        while True:
            about, _ = dialog_texts(client, "kim's More Info")
            shown = [about.get(label) for label in ABOUT_LABELS]
            if shown == [text.decode() for text in ABOUT_KIM] or time.monotonic() > deadline:
                break
            time.sleep(0.3)
        assert shown == [text.decode() for text in ABOUT_KIM]
    finally:
        pool.stop()
