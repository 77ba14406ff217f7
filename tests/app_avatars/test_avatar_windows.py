"""The persons of the place as avatar windows over the page of the running
client: a bot that enters gets a window at its position in ten-thousandths of
the page, as does one that was there before the client entered; a move moves
it, and the window goes when the bot leaves. The user's own avatar stands at
the user's position and, dragged with the mouse, asks the server to move the
user there. The page area is read off two bots standing in its corners."""
import subprocess
import time

import pytest

from app_avatars.conftest import EARLY_POSITION
from app_window.window_tools import PLACE
from zrkit.wire import Position

TITLE = "ZRC member"
AVATAR = (36, 48)


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def avatars(client):
    """hwnd -> window of every visible avatar window."""
    tree = client.ask("tree")["window"]
    return {node["hwnd"]: node for node in walk(tree) if node["text"] == TITLE and node["visible"]}


def wait_for(client, test, what, timeout=30):
    deadline = time.monotonic() + timeout
    while True:
        found = avatars(client)
        result = test(found)
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError("%s: %r" % (what, found))
        time.sleep(0.3)


def new_avatar(client, known):
    """The one avatar window that was not among `known`."""
    def test(found):
        fresh = [window for hwnd, window in found.items() if hwnd not in known]
        return fresh[0] if len(fresh) == 1 else None
    return wait_for(client, test, "one new avatar")


def enter(bots, name, x, y):
    bot = bots.bot(name)
    bot.enter(PLACE, position=Position.xy(x, y))
    return bot


class Page:
    """The page area in screen pixels, read off the avatars of two bots in
    its top-left and bottom-right corners."""

    def __init__(self, corner, far):
        self.left, self.top = corner["rect"][0], corner["rect"][1]
        self.width = far["rect"][2] - self.left
        self.height = far["rect"][3] - self.top

    def at(self, x, y):
        return (self.left + int(x * self.width / 10000 + 0.5), self.top + int(y * self.height / 10000 + 0.5))


@pytest.fixture(scope="module")
def page(client, bots):
    """The page area, with the avatars present at the start: hwnd -> window
    of the own avatar and the early bot's."""
    start = wait_for(client, lambda found: found if len(found) == 2 else None, "the own and the early avatar")
    known = set(start)
    corners = []
    for name, x, y in (("tl", 0, 0), ("br", 10000, 10000)):
        enter(bots, name, x, y)
        window = new_avatar(client, known)
        known.add(window["hwnd"])
        corners.append(window)
    for window in corners:
        assert (window["rect"][2] - window["rect"][0], window["rect"][3] - window["rect"][1]) == AVATAR
    area = Page(*corners)
    assert area.width > 200 and area.height > 100, "page area %dx%d" % (area.width, area.height)
    area.start = start
    area.known = known
    return area


def test_avatars_follow_entries_moves_and_departures(client, server, bots, page):
    early = [w for w in page.start.values() if tuple(w["rect"][:2]) == page.at(*EARLY_POSITION)]
    assert len(early) == 1, "no avatar at the early bot's position: %r" % page.start

    walker = enter(bots, "walker", 2500, 4000)
    middle = new_avatar(client, page.known)
    assert tuple(middle["rect"][:2]) == page.at(2500, 4000)

    walker.move(walker.g1024, Position.xy(6000, 2000))
    moved = wait_for(client, lambda found: found.get(middle["hwnd"]) if found.get(middle["hwnd"]) and
                     tuple(found[middle["hwnd"]]["rect"][:2]) != tuple(middle["rect"][:2]) else None,
                     "the walker's avatar moved")
    assert tuple(moved["rect"][:2]) == page.at(6000, 2000)

    walker.leave()
    wait_for(client, lambda found: middle["hwnd"] not in found, "the walker's avatar went")


def test_dragging_the_own_avatar_moves_the_user(client, server, page):
    entry = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 0}}, timeout=30)
    position = entry["msg"]["position"]
    (own,) = [w for w in page.start.values() if tuple(w["rect"][:2]) == page.at(position["a"], position["b"])]

    left, top = own["rect"][0], own["rect"][1]
    grab = (left + AVATAR[0] // 2, top + AVATAR[1] // 2)
    step = (100 if grab[0] + 100 + AVATAR[0] < page.left + page.width else -140,
            50 if grab[1] + 50 + AVATAR[1] < page.top + page.height else -90)
    client.ask("drag %d %d %d %d" % (grab[0], grab[1], grab[0] + step[0], grab[1] + step[1]))
    moved = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 6}}, timeout=30)
    units = moved["msg"]["position"]
    landed = wait_for(client, lambda found: found.get(own["hwnd"]) if found.get(own["hwnd"]) and
                      tuple(found[own["hwnd"]]["rect"][:2]) != (left, top) else None, "the own avatar moved")
    # The server's position, and within rounding the point where the mouse
    # let go: the avatar's corner goes there.
    release = (grab[0] + step[0], grab[1] + step[1])
    assert tuple(landed["rect"][:2]) == page.at(units["a"], units["b"])
    assert abs(landed["rect"][0] - release[0]) <= 2 and abs(landed["rect"][1] - release[1]) <= 2


def colour_at(point):
    """The screen's colour at the point, as "r,g,b"."""
    out = subprocess.run(["import", "-silent", "-window", "root", "-crop", "1x1+%d+%d" % point, "+repage",
                          "-format", "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]", "info:-"],
                         capture_output=True, text=True, check=True, timeout=60).stdout
    return out.strip()


def test_a_bots_own_picture_replaces_its_mood(client, bots, page):
    red = subprocess.run(["convert", "-size", "%dx%d" % AVATAR, "xc:#ff0000", "gif:-"],
                         capture_output=True, check=True, timeout=60).stdout
    known = set(avatars(client))
    painter = enter(bots, "painter", 5000, 2000)
    window = new_avatar(client, known)
    centre = ((window["rect"][0] + window["rect"][2]) // 2, (window["rect"][1] + window["rect"][3]) // 2)
    assert colour_at(centre) != "255,0,0", "a red avatar before any picture was published"

    # The client hears that a picture is on offer, asks for it and draws it.
    painter.op(22, serial=1, has_data=1, data=red)
    deadline = time.monotonic() + 30
    while colour_at(centre) != "255,0,0":
        assert time.monotonic() < deadline, "the bot's picture was never drawn: %s" % colour_at(centre)
        time.sleep(0.3)
    painter.leave()


def test_resting_the_mouse_on_an_avatar_names_the_person(client, page):
    (early,) = [w for w in page.start.values() if tuple(w["rect"][:2]) == page.at(*EARLY_POSITION)]
    centre = ((early["rect"][0] + early["rect"][2]) // 2, (early["rect"][1] + early["rect"][3]) // 2)
    client.ask("move %d %d" % centre)
    # Any window class of the client's own registration, titled with the name.
    (bubble,) = client.probe("frame", window_class="ZrWnd:*", window_title="early", find_seconds=10)
    assert bubble.get("visible"), bubble
    client.ask("move %d %d" % (page.left + page.width // 2, page.top + 5))
