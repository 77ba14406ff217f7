"""Promotions over the page of the running client: a bot broadcasts a
record for the page's content with a picture (made by ImageMagick), and the
client shows it as a window centred on the page, cut to the picture's
outline when the record asks for it, captioned in a bubble under it, for
the record's display time; then it zooms into the indicator (the main window
holds the mouse while the outline runs) and goes. With the flash asked for, the
window first shows red, the picture, green, the picture, blue, the picture.
Read from outside: the window tree, the caption's window and screenshots."""
import subprocess
import time

import pytest

from app_window.window_tools import PLACE, ProbeError
from zrkit.wire import Broadcast, Position

PROMO = "ZR promo"
BUBBLE_CLASS = "ZR_PromoBubble"
TITLE = "ZRC member"
CAPTION = "Summer sale"
SECONDS = 20


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def windows(client, title):
    tree = client.ask("tree")["window"]
    return [node for node in walk(tree) if node["text"] == title]


def wait(test, what, timeout=SECONDS):
    deadline = time.monotonic() + timeout
    while True:
        result = test()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(what)
        time.sleep(0.2)


def picture(size, draw):
    return subprocess.run(["/usr/bin/convert", "-size", size, "xc:white", "-fill", "#ff0000"] + draw
                          + ["-type", "Palette", "gif:-"], capture_output=True, check=True, timeout=60).stdout


def screen(rect):
    """Pixels of a screen rectangle: rows of (r, g, b)."""
    left, top, right, bottom = rect
    data = subprocess.run(["import", "-silent", "-window", "root", "-crop",
                           "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage",
                           "-depth", "8", "ppm:-"], capture_output=True, check=True, timeout=60).stdout
    # P6 header: magic, width, height, maximum, then the bytes.
    fields = data.split(maxsplit=4)
    width, height, pixels = int(fields[1]), int(fields[2]), fields[4]
    return [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def broadcast(bot, image, flash=0, shaped=0, seconds=2, caption=CAPTION):
    # values: target 2 (content), size kind, two display times, duration
    # kind 1 (the first time); further values: final value, shaped, flash.
    record = Broadcast(texts=[caption, "second", "third"], picture=image,
                       first=[2, 1, seconds, 60, 1], middle=b"", second=[0, 77, shaped, flash],
                       last=b"kept")
    bot.send(dict(type=7, id=0, record=record))


@pytest.fixture(scope="module")
def herald(bots):
    """A bot at the centre of the page; it also sends the broadcasts."""
    bot = bots.bot("herald")
    bot.enter(PLACE, position=Position.xy(5000, 5000))
    return bot


def shown_promo(client):
    found = [w for w in windows(client, PROMO) if w["visible"]]
    return found[0] if found else None


def test_a_shaped_promotion_is_centred_captioned_cut_to_its_picture_and_goes(client, herald):
    centre = wait(lambda: [w for w in windows(client, TITLE) if w["visible"] and w["text"] == TITLE
                           and tuple(w["rect"][:2]) != (0, 0)] and client.ask("tree"), "avatars shown")
    avatars = [w for w in walk(centre["window"]) if w["text"] == TITLE and w["visible"]]
    image = picture("60x40", ["-draw", "circle 30,20 30,1"])
    corners = {tuple(w["rect"][:2]) for w in avatars}
    before = {corner: screen((corner[0] - 30, corner[1] - 20, corner[0] + 30, corner[1] + 20))
              for corner in corners}
    broadcast(herald, image, shaped=1, seconds=3)

    promo = wait(lambda: shown_promo(client), "no promotion window")
    left, top, right, bottom = promo["rect"]
    assert (right - left, bottom - top) == (60, 40)
    # Centred on the page: the herald's avatar has its corner at the centre.
    assert (left + 30, top + 20) in corners, (promo["rect"], corners)
    page = before[(left + 30, top + 20)]

    (bubble,) = client.probe("tree", window_class=BUBBLE_CLASS, window_title=CAPTION, find_seconds=10)
    assert bubble["window"]["visible"]
    # Under the circle's left-bottom corner, not the picture's.
    bubble_left, bubble_top = bubble["window"]["rect"][:2]
    assert left + 8 <= bubble_left <= left + 14 and bottom - 3 <= bubble_top <= bottom, bubble["window"]["rect"]

    # Cut to the circle: red in the middle, in the corners the page as it
    # was before (the picture's white border is not drawn there).
    pixels = screen(promo["rect"])
    assert pixels[20][30] == (255, 0, 0)
    for x, y in ((1, 1), (58, 1), (1, 38), (30, 0)):
        assert pixels[y][x] == page[y][x], (x, y, pixels[y][x], page[y][x])

    # After its display time it zooms into the indicator: the outline runs
    # step by step with the mouse held by the main window, which lets go of
    # it at the end.
    zoom = client.ask("watchcapture 5000", timeout=60)
    assert zoom["spans"] == 1, zoom
    assert 20 < zoom["held_ms"] < 3000, zoom
    assert zoom["held_at_end"] is False
    # It has gone, caption and all.
    wait(lambda: shown_promo(client) is None, "the promotion is still shown", timeout=15)
    try:
        (gone,) = client.probe("tree", window_class=BUBBLE_CLASS, window_title=CAPTION, find_seconds=1)
        assert "error" in gone or not gone["window"]["visible"]
    except ProbeError:
        pass


def test_flash_value_5_flashes_red_green_blue_between_the_picture(client, herald):
    image = subprocess.run(["/usr/bin/convert", "-size", "40x40", "xc:#ffff00", "-type", "Palette", "gif:-"],
                           capture_output=True, check=True, timeout=60).stdout
    broadcast(herald, image, flash=5, seconds=1, caption="Flash")
    promo = wait(lambda: shown_promo(client), "no promotion window", timeout=10)
    left, top, _, _ = promo["rect"]
    spot = (left + 20, top + 20, left + 21, top + 21)
    seen = []
    deadline = time.monotonic() + 4
    while time.monotonic() < deadline:
        colour = screen(spot)[0][0]
        if not seen or seen[-1] != colour:
            seen.append(colour)
    names = {(255, 0, 0): "red", (0, 255, 0): "green", (0, 0, 255): "blue", (255, 255, 0): "picture"}
    order = [names.get(colour, "page") for colour in seen]
    flashes = [name for name in order if name in ("red", "green", "blue")]
    assert flashes == ["red", "green", "blue"], order
    # The picture shows between the flashes and after them.
    first_red = order.index("red")
    assert "picture" in order[order.index("green"):order.index("blue")], order
    assert "picture" in order[order.index("blue"):], order
    assert first_red >= 0
    wait(lambda: shown_promo(client) is None, "the flashing promotion is still shown", timeout=15)


def test_a_picture_taller_than_the_page_is_shown_no_larger_than_the_page(client, herald):
    image = subprocess.run(["/usr/bin/convert", "-size", "4x3000", "xc:#00ffff", "-type", "Palette", "gif:-"],
                           capture_output=True, check=True, timeout=60).stdout
    broadcast(herald, image, seconds=1, caption="Tall")
    promo = wait(lambda: shown_promo(client), "no promotion window", timeout=10)
    left, top, right, bottom = promo["rect"]
    frame = client.ask("frame")
    assert right - left == 4
    assert 0 < bottom - top < 3000
    assert bottom - top <= frame["rect"][3] - frame["rect"][1]
    wait(lambda: shown_promo(client) is None, "the tall promotion is still shown", timeout=15)
