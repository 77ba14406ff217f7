"""A guided tour between two running clients on one kit server, with a bot
as a third person in the room: the guide (the module's client) names the
tour in Tour Setup, gives the large vehicle a picture and drops the vehicle
on its own avatar; the passenger's client (a Wine prefix of its own) shows
the tour's window and joins it by dropping its own avatar on it. Both then
have a "Tour" page, a line said there reaches the two tour pages and not the
bot, the passenger's browser follows the guide's, and leaving the tour
brings the passenger's page back. The tests run in order on one set-up."""
import subprocess
import time

import pytest

from app_chat.chat_tools import INPUT_ID, balloons, chat_pages, transcript_text, visible
from app_tours.test_tour_setup import (DIALOG, GARAGE, LARGE_PREVIEW, SETUP, CHANGE, NAME_EDIT, click, controls,
                                       on_dialog, open_setup, replace_name, tour_settings)
from app_window.test_page_frame import ADDRESS_FIELD, type_address
from app_window.window_tools import NICK, PLACE, ProbeError, entered_member, program_client
from zrkit.bot import BotPool
from zrkit.wire import Position

TITLE = "ZRC member"
TOUR = 513
ID_GUIDE_TOUR = 32789
PASSENGER = "bob"
WAIT = 40
# Nothing listens there: the embedded browser ends loading at once.
WING = "http://127.0.0.1:9/left-wing.htm"


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def wait_for(what, check, timeout=WAIT):
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        assert time.monotonic() < deadline, "no %s in %d s" % (what, timeout)
        time.sleep(0.3)


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def member_windows(client):
    return [node for node in walk(client.ask("tree")["window"]) if node["text"] == TITLE and node["visible"]]


def tour_windows(client):
    """The visible group windows: member windows holding member windows."""
    return [node for node in member_windows(client)
            if any(child["text"] == TITLE for child in node["children"])]


def own_avatar(client):
    """The own avatar: the loose avatar farthest right (the own users stand
    right of the bot, the guide right of the passenger)."""
    inside = {child["hwnd"] for group in tour_windows(client) for child in group["children"]}
    loose = [node for node in member_windows(client)
             if not node["children"] and node["hwnd"] not in inside]
    return max(loose, key=lambda node: node["rect"][0])


def select_tour_page(client):
    """Chooses the last tab (after the room's, "What's Hot" and the tour's):
    clicks along the tab strip until the second chat page shows."""
    pages = chat_pages(client)
    strip = [w for w in walk(client.ask("tree")["window"]) if w["class"].startswith("ZrWnd")
             and w["rect"][1] >= pages[0]["rect"][3] - 2 and w["rect"][3] - w["rect"][1] < 40]
    left, top, right, bottom = strip[0]["rect"]
    shown = lambda: [page["visible"] for page in chat_pages(client)] == [False, True]  # noqa: E731
    for x in range(left + 110, right, 25):
        client.probe("click %d %d" % (x, (top + bottom) // 2))
        if shown():
            return
    wait_for("the tour page shown", shown)


def address_of(client):
    (field,) = [node for node in walk(client.ask("tree")["window"]) if node["id"] == ADDRESS_FIELD]
    return field["text"]


def entries_of(server, member):
    return [e["place"] for e in server.log() if e.get("event") == "entered" and e.get("member") == member]


@pytest.fixture(scope="module")
def carol(server):
    pool = BotPool(server.host, server.port)
    bot = pool.bot("carol")
    bot.enter(PLACE, Position.xy(1000, 6000))
    yield bot
    pool.stop()


@pytest.fixture(scope="module")
def guide(build_win, tmp_path_factory, server, carol):
    """The guide's client, its frame on the screen's left half, its avatar
    at the page's top right, the large vehicle stored."""
    running = program_client(build_win, tmp_path_factory.mktemp("guide"), server)
    running.settings["Tour"] = {"Capacity": 11}
    running.settings["Settings"].update(WinWidth=630, MyselfXPos=9000, MyselfYPos=1000)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, NICK)
    yield running
    running.stop()


@pytest.fixture(scope="module")
def passenger(build_win, tmp_path_factory, server, guide):
    running = guide.copy_beside(tmp_path_factory.mktemp("passenger"), PASSENGER)
    running.settings["Settings"].update(MainXPos=640, WinWidth=630, MyselfXPos=3000, MyselfYPos=3000)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, PASSENGER)
    yield running
    running.end_beside()


@pytest.fixture(scope="module")
def tour(guide, passenger, server, tmp_path_factory):
    """The tour the guide starts by dropping the large vehicle of Tour Setup
    on its own avatar: its group id."""
    bus = tmp_path_factory.mktemp("tours") / "bus.gif"
    subprocess.run(["convert", "-size", "150x75", "xc:orange", "gif:%s" % bus], check=True, timeout=60)
    wait_for("the passenger's avatar at the guide", lambda: len(member_windows(guide)) == 3)

    shown = open_setup(guide)
    assert shown[LARGE_PREVIEW]["visible"]
    replace_name(guide, len(shown[NAME_EDIT]["text"]), "Museum")
    click(guide, SETUP, CHANGE)
    path = "Z:" + str(bus).replace("/", "\\")
    on_dialog(guide, GARAGE, "type %s" % path, "key RETURN")
    preview = wait_for("the large vehicle named", lambda: controls(guide)[LARGE_PREVIEW]["text"] == "Museum"
                       and controls(guide)[LARGE_PREVIEW])
    target = centre(own_avatar(guide)["rect"])
    guide.ask("drag %d %d %d %d" % (centre(preview["rect"]) + target))

    created = server.wait_log({"dir": "in", "member": guide.member, "msg": {"type": 15, "op": 10, "kind": TOUR}},
                              timeout=WAIT)
    group = server.wait_log({"event": "group_created", "kind": TOUR}, timeout=WAIT)["group"]
    info = created["msg"]["info"]
    assert (info["name"], info["capacity"]) == ("Museum", 11)
    assert info["member"]["has_data"], "the vehicle's picture goes with the tour"
    settings = tour_settings(guide)
    assert (settings["Capacity"], settings["Name"], settings["11Picture"]) == ("11", "Museum", path)
    with pytest.raises(ProbeError):
        guide.probe("frame", window_class=DIALOG, window_title=SETUP, find_seconds=3)
    return group


def test_the_passenger_sees_the_tour_and_joins_it_by_dropping_its_avatar(guide, passenger, server, tour):
    (window,) = wait_for("the tour window at the passenger", lambda: tour_windows(passenger))
    own = own_avatar(passenger)
    passenger.ask("drag %d %d %d %d" % (centre(own["rect"]) + centre(window["rect"])))
    joined = server.wait_log({"dir": "in", "member": passenger.member, "msg": {"type": 15, "op": 6, "dest": tour}},
                             timeout=WAIT)
    assert joined["msg"]["about"] == passenger.member
    wait_for("both in the tour at the guide",
             lambda: [len([c for c in w["children"] if c["text"] == TITLE]) for w in tour_windows(guide)] == [2])


def test_both_have_a_tour_page_and_its_lines_reach_only_the_tour(guide, passenger, server, carol, tour):
    for client in (guide, passenger):
        wait_for("a tour page", lambda: len(chat_pages(client)) == 2)
        select_tour_page(client)
    x, y = centre(visible(guide, INPUT_ID)["rect"])
    guide.probe("click %d %d" % (x, y), 'type "left wing"', "key RETURN")
    said = server.wait_log({"dir": "in", "member": guide.member, "msg": {"type": 15, "op": 17, "text": "left wing"}},
                           timeout=WAIT)
    assert said["msg"]["object"] == tour
    for client in (guide, passenger):
        text = wait_for("the line on the tour page", lambda: "left wing" in transcript_text(client)
                        and transcript_text(client))
        assert text.split()[0] == NICK
    # The room's page stays without it, and the bot in the room hears nothing.
    time.sleep(1)
    assert not [m for m in carol.received if m.get("op") == 17 and m.get("text") == "left wing"]


def test_the_passengers_browser_follows_the_guides_page(guide, passenger, server, tour):
    guide_entries = len(entries_of(server, guide.member))
    passenger_entries = len(entries_of(server, passenger.member))
    # The balloon of the tour's line stands by the guide's avatar, near the
    # location bar: it goes first.
    wait_for("the balloons gone", lambda: not balloons(guide))
    type_address(guide, WING)
    put = server.wait_log({"dir": "in", "member": guide.member, "msg": {"type": 15, "op": 19, "about": tour}},
                          timeout=WAIT)
    assert put["msg"]["item"]["value"] == WING
    wait_for("the passenger's browser on the guide's page", lambda: address_of(passenger) == WING)
    # The tour stays in its place: nobody entered another.
    time.sleep(2)
    assert len(entries_of(server, guide.member)) == guide_entries
    assert len(entries_of(server, passenger.member)) == passenger_entries


def test_leaving_the_tour_brings_the_passengers_page_back(guide, passenger, server, tour):
    after = len(server.log())
    passenger.ask("command %d" % ID_GUIDE_TOUR)
    left = server.wait_log({"dir": "in", "member": passenger.member, "msg": {"type": 15, "op": 6}}, timeout=WAIT,
                           after=after)
    assert left["msg"]["dest"] != tour
    wait_for("the passenger's page again", lambda: address_of(passenger).rstrip("/") == PLACE.rstrip("/"))
    wait_for("the passenger's tour page closed", lambda: len(chat_pages(passenger)) == 1)


def test_guide_a_tour_ends_the_tour_and_starts_a_new_one(guide, server, tour):
    after = len(server.log())
    guide.ask("command %d" % ID_GUIDE_TOUR)
    ended = server.wait_log({"dir": "in", "member": guide.member, "msg": {"type": 15, "op": 6}}, timeout=WAIT,
                            after=after)
    assert ended["msg"]["dest"] != tour
    wait_for("the tour window gone", lambda: not tour_windows(guide))

    after = len(server.log())
    guide.ask("command %d" % ID_GUIDE_TOUR)
    again = server.wait_log({"dir": "in", "member": guide.member, "msg": {"type": 15, "op": 10, "kind": TOUR}},
                            timeout=WAIT, after=after)
    assert (again["msg"]["info"]["name"], again["msg"]["info"]["capacity"]) == ("Museum", 11)
