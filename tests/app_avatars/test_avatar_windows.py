"""The persons of the place as avatar windows over the page of the running
client: a bot that enters gets a window at its position in ten-thousandths of
the page, as does one that was there before the client entered; a move moves
it, and the window goes when the bot leaves. The page area is read off two
bots standing in its corners."""
import time

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


def test_avatars_follow_entries_moves_and_departures(client, server, bots, early):
    # The bot that was there before the client entered has its avatar too.
    before = wait_for(client, lambda found: found if len(found) == 1 else None, "the early bot's avatar")
    (early_window,) = before.values()
    known = set(before)
    top_left = enter(bots, "tl", 0, 0)
    corner = new_avatar(client, known)
    known.add(corner["hwnd"])
    bottom_right = enter(bots, "br", 10000, 10000)
    far = new_avatar(client, known)
    known.add(far["hwnd"])

    left, top = corner["rect"][0], corner["rect"][1]
    assert (corner["rect"][2] - left, corner["rect"][3] - top) == AVATAR
    assert (far["rect"][2] - far["rect"][0], far["rect"][3] - far["rect"][1]) == AVATAR
    width, height = far["rect"][2] - left, far["rect"][3] - top
    assert width > 200 and height > 100, "page area %dx%d" % (width, height)

    def expected(x, y):
        return (left + int(x * width / 10000 + 0.5), top + int(y * height / 10000 + 0.5))

    assert tuple(early_window["rect"][:2]) == expected(*EARLY_POSITION)

    walker = enter(bots, "walker", 2500, 4000)
    middle = new_avatar(client, known)
    assert tuple(middle["rect"][:2]) == expected(2500, 4000)

    walker.move(walker.g1024, Position.xy(6000, 2000))
    moved = wait_for(client, lambda found: found.get(middle["hwnd"]) if found.get(middle["hwnd"]) and
                     tuple(found[middle["hwnd"]]["rect"][:2]) != tuple(middle["rect"][:2]) else None,
                     "the walker's avatar moved")
    assert tuple(moved["rect"][:2]) == expected(6000, 2000)

    walker.leave()
    wait_for(client, lambda found: middle["hwnd"] not in found, "the walker's avatar went")
    for bot in (top_left, bottom_right):
        bot.leave()
    wait_for(client, lambda found: not (set(found) & {corner["hwnd"], far["hwnd"]}), "the corner avatars went")
