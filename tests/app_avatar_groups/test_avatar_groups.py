"""Groups and menus of the avatars over the page of the running client: a
bot's tour shows as its window at its position, with the guide in front and
a rider who joins behind; a right click on a bot's avatar opens the person
menu of the people page, whose Ignore and Identity act on that person; the
own avatar's menu flips and changes the mood, published to the server and
drawn; the own avatar dropped on a bot starts a group with it, shown as a
group window holding both."""
import os
import subprocess
import tempfile
import time

import pytest

from app_avatars.conftest import EARLY_POSITION
from app_avatars.test_avatar_windows import AVATAR, TITLE, avatars, enter, new_avatar, wait_for, walk
from zrkit import wire
from zrkit.wire import Position

DIALOG = "#32770"
TOUR = 513
GAME = 518
SMALL = (24, 32)
# Three riders a row behind the guide, a border around.
TOUR_SIZE = (4 * SMALL[0] + 2, SMALL[1] + 2)
PAIR_SIZE = (2 * AVATAR[0] + 2, AVATAR[1] + 2)


def size(window):
    return (window["rect"][2] - window["rect"][0], window["rect"][3] - window["rect"][1])


def members_in(window):
    """The avatar windows lying in a group window, left to right."""
    inside = [node for child in window["children"] for node in walk(child)
              if node["text"] == TITLE and node["visible"]]
    return sorted(inside, key=lambda node: node["rect"][0])


def group_window(client, at, extent, count, what):
    """The visible group window with its corner at `at`, of the size, with
    `count` avatars in it."""
    def test(found):
        for window in found.values():
            if tuple(window["rect"][:2]) == at and size(window) == extent and \
                    len(members_in(window)) == count:
                return window
        return None
    return wait_for(client, test, what)


def centre(window):
    return ((window["rect"][0] + window["rect"][2]) // 2, (window["rect"][1] + window["rect"][3]) // 2)


def grab(point, extent):
    """A screenshot of the rectangle at `point` as a PNG file's bytes."""
    return subprocess.run(["import", "-silent", "-window", "root", "-crop",
                           "%dx%d+%d+%d" % (extent[0], extent[1], point[0], point[1]), "+repage",
                           "png:-"], capture_output=True, check=True, timeout=60).stdout


def differing(first, second, flop=False):
    """Pixels that differ between two PNG images (the first mirrored when
    flop is set)."""
    with tempfile.TemporaryDirectory() as folder:
        paths = [os.path.join(folder, name) for name in ("first.png", "second.png", "compared.png")]
        for path, image in zip(paths, (first, second)):
            with open(path, "wb") as out:
                out.write(image)
        subprocess.run(["convert", paths[0]] + (["-flop"] if flop else []) + [paths[2]], check=True, timeout=60)
        out = subprocess.run(["compare", "-metric", "AE", paths[2], paths[1], "null:"],
                             capture_output=True, text=True, timeout=60)
    return int(float(out.stderr.split()[0]))


def choose(client, items, text):
    """Chooses the item of the open popup with the keyboard: down to it
    (separators are skipped), then Return."""
    live = [item for item in items if item["text"]]
    index = [item["text"] for item in live].index(text)
    for _ in range(index + 1):
        client.ask("key DOWN")
    client.ask("key RETURN")


@pytest.fixture(scope="module")
def own(client, server, page):
    """The own avatar window's handle, found at the user's entry position."""
    entry = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 0}}, timeout=30)
    position = entry["msg"]["position"]
    at = page.at(position["a"], position["b"])
    return wait_for(client, lambda found: next((w for w in found.values() if tuple(w["rect"][:2]) == at),
                                               None), "the own avatar")["hwnd"]


def own_window(client, own):
    """The own avatar window as it stands now, visible on the page."""
    return wait_for(client, lambda found: found.get(own) if found.get(own) and size(found[own]) == AVATAR
                    else None, "the own avatar on the page")


def test_a_bots_tour_shows_its_window_with_guide_and_riders(client, bots, page):
    known = set(avatars(client))
    guide = enter(bots, "guide", 2000, 2000)
    known.add(new_avatar(client, known)["hwnd"])
    guide.make_group(TOUR, Position.xy(2000, 5000), capacity=4, name="bus")
    group = guide.expect(type=15, op=10)["group"]

    at = page.at(2000, 5000)
    tour = group_window(client, at, TOUR_SIZE, 1, "the tour window with its guide")
    (front,) = members_in(tour)
    # Inside the border, the guide at the front in a small avatar.
    assert tuple(front["rect"]) == (at[0] + 1, at[1] + 1, at[0] + 1 + SMALL[0], at[1] + 1 + SMALL[1])

    known = set(avatars(client))
    rider = enter(bots, "rider", 6000, 2000)
    new_avatar(client, known)
    rider.move(group, Position())
    tour = group_window(client, at, TOUR_SIZE, 2, "the rider in the tour")
    behind = members_in(tour)[1]
    assert tuple(behind["rect"]) == (at[0] + 1 + SMALL[0], at[1] + 1, at[0] + 1 + 2 * SMALL[0],
                                     at[1] + 1 + SMALL[1])

    rider.leave()
    group_window(client, at, TOUR_SIZE, 1, "the tour without its rider")
    guide.leave()
    wait_for(client, lambda found: tour["hwnd"] not in found, "the tour window went")


def hover(client, page, point, title):
    """The name bubble shown when the mouse comes to rest on the point."""
    client.ask("move %d %d" % (page.left + page.width // 2, page.top + 5))
    client.ask("move %d %d" % point)
    (bubble,) = client.probe("frame", window_class="ZrWnd:*", window_title=title, find_seconds=10)
    client.ask("move %d %d" % (page.left + page.width // 2, page.top + 5))
    return bubble


def test_the_person_menu_of_a_bots_avatar(client, page):
    early = next(w for w in page.start.values() if size(w) == AVATAR and
                 tuple(w["rect"][:2]) != tuple(page.at(8000, 7000)))
    point = centre(early)

    client.ask("rclick %d %d" % point)
    menu = client.ask("popup")
    texts = [item["text"] for item in menu["items"]]
    assert texts[:2] == ["Identity...", "Send Instant Message..."] and "I&gnore" in texts, texts
    assert not next(item for item in menu["items"] if item["text"] == "I&gnore")["checked"]
    client.ask("key G")

    # Ignored: the bubble no longer names the person.
    assert hover(client, page, point, "ignored").get("visible")

    client.ask("rclick %d %d" % point)
    menu = client.ask("popup")
    assert next(item for item in menu["items"] if item["text"] == "I&gnore")["checked"]
    client.ask("key G")
    assert hover(client, page, point, "early").get("visible")


def test_identity_from_a_bots_avatar_opens_the_persons_identity(client, page):
    (window,) = [w for w in page.start.values() if tuple(w["rect"][:2]) == page.at(*EARLY_POSITION)]
    client.ask("rclick %d %d" % centre(window))
    menu = client.ask("popup")
    choose(client, menu["items"], "Identity...")
    (dialog,) = client.probe("tree", window_class=DIALOG, window_title="early's Identity", find_seconds=20)
    assert dialog["window"]["visible"], dialog
    client.probe("close", window_class=DIALOG, window_title="early's Identity")


def test_a_person_who_targets_the_place_wears_the_overlay(client, bots, page):
    known = set(avatars(client))
    pointer = enter(bots, "pointer", 6000, 3000)
    window = new_avatar(client, known)
    inner = (window["rect"][0] + 1, window["rect"][1] + 1)
    extent = (AVATAR[0] - 2, AVATAR[1] - 2)
    before = grab(inner, extent)
    middle = (inner[0] + extent[0] // 2 - 2, inner[1] + extent[1] // 2 - 2)
    middle_before = grab(middle, (4, 4))

    # The bot targets the place: its avatar wears the overlay ring.
    pointer.op(15, target=pointer.place_id)
    deadline = time.monotonic() + 20
    while differing(before, grab(inner, extent)) == 0:
        assert time.monotonic() < deadline, "no overlay drawn"
        time.sleep(0.3)
    # The ring leaves the avatar's middle as it was.
    assert differing(middle_before, grab(middle, (4, 4))) == 0

    # Cleared, the avatar is drawn as before, all of it.
    pointer.op(16)
    deadline = time.monotonic() + 20
    while differing(before, grab(inner, extent)) != 0:
        assert time.monotonic() < deadline, "the overlay stayed"
        time.sleep(0.3)
    pointer.leave()


def test_the_own_avatar_menu_flips_and_changes_the_mood(client, server, page, own):
    own = own_window(client, own)
    # The picture inside the window's border.
    inner = (own["rect"][0] + 1, own["rect"][1] + 1)
    extent = (AVATAR[0] - 2, AVATAR[1] - 2)
    before = grab(inner, extent)

    client.ask("rclick %d %d" % centre(own))
    menu = client.ask("popup")
    texts = [item["text"] for item in menu["items"]]
    assert "Flip Horizontally" in texts and "Sad" in texts, texts
    choose(client, menu["items"], "Flip Horizontally")
    flipped = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 19}}, timeout=30)
    assert flipped["msg"]["item"]["code"] == 30 and flipped["msg"]["item"]["value"] == "YN", flipped

    deadline = time.monotonic() + 20
    while differing(before, grab(inner, extent), flop=True) != 0:
        assert time.monotonic() < deadline, "the own avatar was not drawn mirrored"
        time.sleep(0.3)
    assert differing(before, grab(inner, extent)) > 0, "the mood picture is symmetric"

    client.ask("rclick %d %d" % centre(own))
    menu = client.ask("popup")
    choose(client, menu["items"], "Sad")
    sad = server.wait_log({"dir": "in", "member": client.member,
                           "msg": {"type": 15, "op": 19, "item": {"code": 31}}}, timeout=30)
    assert sad["msg"]["item"]["value"] == "480"
    client.ask("rclick %d %d" % centre(own))
    menu = client.ask("popup")
    assert next(item for item in menu["items"] if item["text"] == "Sad")["checked"]
    client.ask("key ESCAPE")


def test_the_own_avatar_dropped_on_a_tour_joins_it(client, server, bots, page, own):
    known = set(avatars(client))
    guide = enter(bots, "driver", 1000, 1000)
    new_avatar(client, known)
    guide.make_group(TOUR, Position.xy(1000, 3000), capacity=4, name="coach")
    group = guide.expect(type=15, op=10)["group"]
    at = page.at(1000, 3000)
    tour = group_window(client, at, TOUR_SIZE, 1, "the coach")

    own = own_window(client, own)
    start = centre(own)
    target = centre(tour)
    client.ask("drag %d %d %d %d" % (start[0], start[1], target[0], target[1]))
    joined = server.wait_log({"dir": "in", "member": client.member,
                              "msg": {"type": 15, "op": 6, "dest": group}}, timeout=30)
    assert joined["msg"]["about"] == client.member
    # The own avatar rides behind the driver.
    tour = group_window(client, at, TOUR_SIZE, 2, "the own avatar in the coach")
    assert members_in(tour)[1]["hwnd"] == own["hwnd"]

    # The tour's own menu, opened on a free seat of the coach, leaves it:
    # the avatar goes back to the page.
    client.ask("rclick %d %d" % (tour["rect"][2] - 5, tour["rect"][3] - 5))
    menu = client.ask("popup")
    assert [item["text"] for item in menu["items"]] == ["&Leave Tour", "Retrieve Picture"], menu["items"]
    client.ask("key L")
    own_window(client, own["hwnd"])
    guide.leave()


def test_a_game_seats_its_players_on_their_slots(client, server, bots, page, own):
    known = set(avatars(client))
    dealer = enter(bots, "dealer", 9000, 1000)
    new_avatar(client, known)
    # Two slots, given for big avatars; this client shows medium ones, so
    # they are taken at three quarters.
    slots = "4,4,40,56,North;60,4,40,56,South;"
    info = wire.GroupInfo(name="cards", items=[wire.Item(wire.ITEM_TEXT, 3, slots),
                                               wire.Item(wire.ITEM_TEXT, 8, "N")], capacity=2, flags=1)
    dealer.op(10, info=info, kind=GAME, other=dealer.tree[dealer.member_id]["parent"], value=0, pair=0,
              position=Position.xy(4000, 1000))
    group = dealer.expect(type=15, op=10)["group"]

    at = page.at(4000, 1000)
    # The default board of 144 x 64 at three quarters.
    board = (108, 48)
    game = group_window(client, at, board, 1, "the game window with its dealer")
    (north,) = members_in(game)
    assert tuple(north["rect"]) == (at[0] + 1 + 3, at[1] + 1 + 3, at[0] + 1 + 33, at[1] + 1 + 45)

    # The own avatar dropped on the free slot takes it.
    own = own_window(client, own)
    start = centre(own)
    client.ask("drag %d %d %d %d" % (start[0], start[1], at[0] + 1 + 60, at[1] + 1 + 20))
    joined = server.wait_log({"dir": "in", "member": client.member,
                              "msg": {"type": 15, "op": 6, "dest": group}}, timeout=30)
    assert joined["msg"]["position"]["kind"] == 1 and joined["msg"]["position"]["a"] == 2, joined
    game = group_window(client, at, board, 2, "the own avatar on the South slot")
    south = members_in(game)[1]
    assert south["hwnd"] == own["hwnd"]
    assert tuple(south["rect"]) == (at[0] + 1 + 45, at[1] + 1 + 3, at[0] + 1 + 75, at[1] + 1 + 45)

    # The game's menu, opened beside the slots, names them; the user's own
    # slot is checked and leaves the game, the dealer's is taken.
    client.ask("rclick %d %d" % (at[0] + 1 + 90, at[1] + 1 + 20))
    menu = client.ask("popup")
    assert [item["text"] for item in menu["items"]] == ["Show Game Details...", "Retrieve Picture",
                                                         "Join Game As"], menu["items"]
    for key in ("DOWN", "DOWN", "DOWN", "RIGHT"):
        client.ask("key " + key)
    # The submenu opened last lies on top: the probe reads it.
    seats = {item["text"]: item for item in client.ask("popup")["items"]}
    assert list(seats) == ["North", "South"]
    assert seats["North"]["grayed"] and not seats["North"]["checked"]
    assert seats["South"]["enabled"] and seats["South"]["checked"]
    client.ask("key DOWN")
    client.ask("key RETURN")
    own_window(client, own["hwnd"])
    dealer.leave()



def test_the_own_avatar_dropped_on_a_bot_starts_a_group_with_it(client, server, bots, page, own):
    known = set(avatars(client))
    friend = enter(bots, "friend", 3000, 8000)
    theirs = new_avatar(client, known)
    own = own_window(client, own)
    start = centre(own)
    target = centre(theirs)
    client.ask("drag %d %d %d %d" % (start[0], start[1], target[0], target[1]))
    paired = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 10}}, timeout=30)
    assert paired["msg"]["pair"] == 1 and paired["msg"]["partner"] == friend.member_id

    # The pair stands where the friend stood, side by side in its window.
    pair = group_window(client, tuple(theirs["rect"][:2]), PAIR_SIZE, 2, "the pair's window")
    assert {window["hwnd"] for window in members_in(pair)} == {own["hwnd"], theirs["hwnd"]}
    assert [size(window) for window in members_in(pair)] == [AVATAR, AVATAR]
    # The friend goes; the user stays in the group, as the server keeps it.
    friend.leave()
    pair = group_window(client, tuple(theirs["rect"][:2]), PAIR_SIZE, 1, "the pair's window without the friend")
    assert members_in(pair)[0]["hwnd"] == own["hwnd"]


ROW = 519


def row_window(client, name):
    """The row window (titled with the row's name) of the page."""
    tree = client.ask("tree")["window"]
    found = [node for node in walk(tree) if node["text"] == name and node["visible"]]
    return found[0] if found else None


def cells(row):
    """Seat number -> what sits in the cell ("Empty Seat" or the avatar's
    window handle), by the cell's position in the row."""
    width = None
    out = {}
    for child in row["children"]:
        if not child["visible"]:
            continue
        width = child["rect"][2] - child["rect"][0]
        seat = (child["rect"][0] - row["rect"][0]) // width + 1
        out[seat] = "Empty Seat" if child["text"] == "Empty Seat" else child["hwnd"]
    return out


def wait_cells(client, name, test, what, timeout=30):
    deadline = time.monotonic() + timeout
    while True:
        row = row_window(client, name)
        if row and test(cells(row)):
            return row
        if time.monotonic() > deadline:
            raise AssertionError("%s: %r" % (what, row and cells(row)))
        time.sleep(0.3)


def test_a_seat_row_fills_and_frees_its_seats(build_win, client, server, bots, page, own, tmp_path):
    from dde_session import dde_items
    from dde_session.dde_client import DdeClient

    usher = enter(bots, "usher", 5000, 5000)
    usher.make_group(ROW, Position.xy(5000, 5000), capacity=5, name="row A")
    row_id = usher.expect(type=15, op=10)["group"]

    # The user leaves the group it stands in and goes into the row (as the
    # DDE session asks), without a seat.
    dde = DdeClient(build_win / "tests" / "dde_session" / "dde_driver.exe", tmp_path / "driver.log", client.env)
    try:
        dde.connect("ZR_Group")
        assert dde.poke("ZR_Group", "LeaveGroup", dde_items.join_group(0)) == "ok"
        own_window(client, own)
        assert dde.poke("ZR_Group", "JoinGroup", dde_items.join_group(row_id)) == "ok"
    finally:
        dde.stop()
    row = wait_cells(client, "row A", lambda c: len(c) == 5, "the row with the usher and four free seats")
    seated = cells(row)
    assert seated[1] != "Empty Seat" and all(seated[seat] == "Empty Seat" for seat in (2, 3, 4, 5)), seated
    # Five cells share the page's width, at most 48 wide.
    cell = next(child for child in row["children"] if child["text"] == "Empty Seat")
    assert size(cell) == (48, 64)

    # The marker of seat 3 names its seat and chooses it from its menu.
    marker = next(child for child in row["children"]
                  if child["text"] == "Empty Seat" and (child["rect"][0] - row["rect"][0]) // 48 == 2)
    assert hover(client, page, centre(marker), "Seat #3").get("visible")
    client.ask("rclick %d %d" % centre(marker))
    menu = client.ask("popup")
    assert [item["text"] for item in menu["items"]] == ["&Choose This Seat"]
    client.ask("key C")
    chosen = server.wait_log({"dir": "in", "member": client.member,
                              "msg": {"type": 15, "op": 6, "dest": row_id, "position": {"kind": 1}}},
                             timeout=30)
    assert chosen["msg"]["position"] == {"kind": 1, "a": 3, "b": 0, "name": ""}, chosen
    wait_cells(client, "row A", lambda c: c.get(3) == own and c.get(2) == "Empty Seat", "the user on seat 3")

    # A bot takes seat 4 and leaves it again.
    sitter = enter(bots, "sitter", 6000, 6000)
    sitter.move(row_id, Position.seat(4))
    wait_cells(client, "row A", lambda c: c.get(4) not in (None, "Empty Seat", own), "the sitter on seat 4")
    sitter.leave()
    row = wait_cells(client, "row A", lambda c: c.get(4) == "Empty Seat" and c.get(3) == own,
                     "seat 4 free again")

    # The row's menu, beside the seats, leaves the row for the room.
    client.ask("rclick %d %d" % (row["rect"][2] - 10, row["rect"][1] + 10))
    menu = client.ask("popup")
    assert [item["text"] for item in menu["items"]] == ["Leave Row"]
    choose(client, menu["items"], "Leave Row")
    own_window(client, own)
    usher.leave()
