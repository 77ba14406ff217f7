"""Broadcasts and the participate window in the people page of the running
client against the kit's server: a broadcast for the people page's panel
shows its picture there for its display time, then the default picture
comes back; in an auditorium the PARTICIPATE button shows and blinks.
Read from outside: the window tree through the window probe and the
screen's pixels."""
import re
import subprocess
import time

import pytest

from app_window.window_tools import NICK, PLACE, entered_member
from zrkit import wire

SEND_IM_BUTTON = 1030
PANEL_WIDTH, PANEL_TOP = 134, 2
# The picture area inside the panel: from (3, 3) to (128, 93).
PICTURE_POINT = (60, 20)
AUDITORIUM_KIND = 0x801
WS_VISIBLE = 0x10000000


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def people_page(client):
    """The people page: the window whose children hold the Send IM button."""
    for node in walk(client.ask("tree")["window"]):
        if any(child["id"] == SEND_IM_BUTTON for child in node["children"]):
            return node
    raise AssertionError("no people page in the window tree")


def pixel(pictures, name, point):
    """The screen's colour at point as (r, g, b)."""
    x, y = point
    path = pictures.capture(name, [x, y, x + 1, y + 1])
    out = subprocess.run(["convert", str(path), "-format", "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]",
                          "info:"], capture_output=True, text=True, check=True, timeout=30).stdout
    return tuple(int(v) for v in out.split())


def gif(colour):
    return subprocess.run(["convert", "-size", "40x30", "xc:" + colour, "gif:-"], capture_output=True,
                          check=True, timeout=30).stdout


def start(window_client, zr_server):
    window_client.start()
    window_client.wait_frame()
    window_client.member = entered_member(zr_server, NICK)
    return window_client


def wait_colour(pictures, point, wanted, timeout, tolerance=40):
    deadline = time.monotonic() + timeout
    while True:
        colour = pixel(pictures, "panel", point)
        if all(abs(a - b) <= tolerance for a, b in zip(colour, wanted)):
            return colour
        if time.monotonic() > deadline:
            raise AssertionError("colour %r at %r, wanted %r" % (colour, point, wanted))
        time.sleep(0.3)


def test_panel_shows_a_broadcast_for_its_display_time(window_client, zr_server, bots, pictures):
    client = start(window_client, zr_server)
    page = people_page(client)
    participate = [n for n in walk(page) if n["text"] == "PARTICIPATE"]
    assert participate and not participate[0]["visible"], "no invitation outside an auditorium"
    left, top, right, _ = page["client"]
    panel_left = left + (right - left - PANEL_WIDTH) // 2
    point = (panel_left + PICTURE_POINT[0], top + PANEL_TOP + PICTURE_POINT[1])
    before = pixel(pictures, "before", point)

    sender = bots.bot("admin")
    record = wire.Broadcast(texts=["", "big news", ""], picture=gif("#00ff00"), first=[4, 0, 3, 0, 0])
    sender.send(dict(type=7, id=0, record=record, flag=None))
    wait_colour(pictures, point, (0, 255, 0), timeout=10)
    # Three seconds later the default picture is back.
    time.sleep(2)
    wait_colour(pictures, point, before, timeout=6)

    # A broadcast for the "What's Hot" page only leaves the panel alone.
    record = wire.Broadcast(texts=["", "page only", ""], picture=gif("#ff0000"), first=[1, 0, 3, 0, 0])
    sender.send(dict(type=7, id=0, record=record, flag=None))
    zr_server.wait_log({"dir": "out", "member": client.member, "msg": {"type": 7}}, timeout=10)
    time.sleep(1)
    assert pixel(pictures, "page-only", point) == before


@pytest.fixture
def auditorium_server(server_factory):
    return server_factory(time_limit=900, scenario={
        "welcome": {"entry_count": 30}, "places": [{"name": PLACE, "kind": 0x800 | AUDITORIUM_KIND}]})


def test_participate_blinks_in_an_auditorium(build_win, tmp_path, auditorium_server, pictures):
    from app_window.window_tools import program_client
    client = program_client(build_win, tmp_path / "program", auditorium_server)
    try:
        start(client, auditorium_server)
        deadline = time.monotonic() + 20
        while True:
            button = [n for n in walk(client.ask("tree")["window"]) if n["text"] == "PARTICIPATE"]
            if button and button[0]["visible"]:
                break
            if time.monotonic() > deadline:
                raise AssertionError("no visible PARTICIPATE button: %r" % button)
            time.sleep(0.5)
        left, top, right, bottom = button[0]["rect"]
        # Away from the caption: the face alone, which changes every 2 s.
        point = (left + 3, (top + bottom) // 2)
        seen = set()
        deadline = time.monotonic() + 7
        while time.monotonic() < deadline and len(seen) < 2:
            seen.add(pixel(pictures, "participate", point))
            time.sleep(0.4)
        assert len(seen) >= 2, "the button kept one colour: %r" % seen
    finally:
        client.stop()


def broadcast_lines(client):
    """(time line, text) of the "What's Hot" page; the time line is empty
    while it is hidden."""
    for node in walk(client.ask("tree")["window"]):
        if node["text"] == "Broadcast Text":
            lines = {child["id"]: child for child in node["children"]}
            time_line = lines.get(1)
            shown = time_line["text"] if time_line and time_line["style"] & WS_VISIBLE else ""
            return shown, lines[2]["text"]
    raise AssertionError("no broadcast page in the window tree")


def test_whats_hot_page_shows_a_broadcast_then_the_bulletins(window_client, zr_server, bots):
    client = start(window_client, zr_server)
    _, bulletins = broadcast_lines(client)
    sender = bots.bot("admin")
    record = wire.Broadcast(texts=["", "page news", ""], picture=gif("#0000ff"), first=[5, 0, 3, 0, 0])
    sender.send(dict(type=7, id=0, record=record, flag=None))
    deadline = time.monotonic() + 10
    while broadcast_lines(client)[1] != "page news":
        if time.monotonic() > deadline:
            raise AssertionError("the page shows %r" % (broadcast_lines(client),))
        time.sleep(0.3)
    stamp, _ = broadcast_lines(client)
    assert re.fullmatch(r"\d\d:\d\d [AP]M", stamp), stamp
    # After its display time the bulletin text is back, without a time line.
    time.sleep(3.5)
    assert broadcast_lines(client) == ("", bulletins)

    # A broadcast for the panel only leaves the page alone.
    record = wire.Broadcast(texts=["", "panel only", ""], picture=gif("#0000ff"), first=[4, 0, 3, 0, 0])
    sender.send(dict(type=7, id=0, record=record, flag=None))
    zr_server.wait_log({"dir": "out", "member": client.member, "msg": {"type": 7}}, timeout=10)
    time.sleep(1)
    assert broadcast_lines(client) == ("", bulletins)


BROADCAST_COMMAND = 32800
BROADCAST_TITLE = "Lumora Chat Broadcast Extension"
FILE_EDIT, TEXT_EDIT, DISPLAY_TIME_EDIT, MONITOR_CHECK, SEND_BUTTON = 1114, 1111, 1195, 1203, 1


def test_broadcast_extension_dialog_checks_and_sends(window_client, zr_server, bots, tmp_path):
    from app_messages.test_instant_messages import (DIALOG, click, dialog_controls, type_into,
                                                    wait_message_box)
    picture = tmp_path / "ad.gif"
    picture.write_bytes(gif("#ff00ff"))
    listener = bots.bot("listener")
    client = start(window_client, zr_server)
    client.ask("command %d" % BROADCAST_COMMAND)
    dialog_controls(client, BROADCAST_TITLE)

    # Without a picture, then without a place to show it: told, nothing sent.
    click(client, BROADCAST_TITLE, SEND_BUTTON)
    wait_message_box(client, "Please select image file to broadcast.")
    type_into(client, BROADCAST_TITLE, FILE_EDIT, "Z:" + str(picture).replace("/", "\\"))
    type_into(client, BROADCAST_TITLE, TEXT_EDIT, "  big   sale")
    click(client, BROADCAST_TITLE, SEND_BUTTON)
    wait_message_box(client, "Please select broadcast type.")
    assert [e for e in zr_server.log() if e.get("dir") == "in" and e.get("msg", {}).get("type") == 7] == []

    click(client, BROADCAST_TITLE, MONITOR_CHECK)
    type_into(client, BROADCAST_TITLE, DISPLAY_TIME_EDIT, "7")
    click(client, BROADCAST_TITLE, SEND_BUTTON)
    zr_server.wait_log({"dir": "in", "msg": {"type": 7}}, timeout=20)
    record = listener.expect(type=7, timeout=20)["record"]
    assert record.texts[1] == "big sale", "the text is cleaned like a chat line"
    assert record.first[0] == 4 and record.first[2] == 7
    assert record.picture == picture.read_bytes()
    # The dialog closed; opened again it keeps its values.
    client.ask("command %d" % BROADCAST_COMMAND)
    controls = dialog_controls(client, BROADCAST_TITLE)
    assert controls[TEXT_EDIT]["text"] == "  big   sale"
    assert controls[DISPLAY_TIME_EDIT]["text"] == "7"
    client.ask("key ESCAPE", window_class=DIALOG, window_title=BROADCAST_TITLE)
