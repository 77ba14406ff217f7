"""The chat tests' tools: the chat area's windows read from the window
tree, typing into the current page's input line, the transcript's text
through a drag, Ctrl+C and the clipboard, and the balloons shown."""
import os
import re
import subprocess
import time

from app_window.window_tools import NICK, entered_member

INPUT_ID, TRANSCRIPT_ID, SEND_ID = 1105, 1106, 1107
BALLOON_CLASS = "ZrChatBalloon"
# Kind of a one-on-one group.
ONE_ON_ONE = 514


def windows(client):
    """Every window below the frame, depth first."""
    found = []

    def walk(window):
        found.append(window)
        for child in window["children"]:
            walk(child)
    walk(client.ask("tree")["window"])
    return found


def visible(client, control_id):
    """The visible window with that control id (the current page's)."""
    matches = [w for w in windows(client) if w["id"] == control_id and w["visible"]]
    assert matches, "no visible window %d" % control_id
    return matches[0]


def centre(window):
    left, top, right, bottom = window["rect"]
    return (left + right) // 2, (top + bottom) // 2


def wait_for(what, check, timeout=20):
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("no %s in %d s" % (what, timeout))
        time.sleep(0.3)


def said_by(server, member):
    """Texts of the op 17 requests of member, in order."""
    return [e["msg"]["text"] for e in server.messages("in", type=15, op=17)
            if e["msg"].get("about") == member]


def ops_of(server, member, op):
    return [e for e in server.messages("in", type=15, op=op) if e["msg"].get("about") == member]


def type_into_input(client, text):
    x, y = centre(visible(client, INPUT_ID))
    client.probe("click %d %d" % (x, y), 'type "%s"' % text)


def transcript_text(client):
    """The transcript's whole text: dragged over from its first row (below
    the top margin of about a character's width) to below its last, copied
    with Ctrl+C and read from the clipboard."""
    view = visible(client, TRANSCRIPT_ID)
    left, top, right, bottom = view["client"]
    answers = client.probe("drag %d %d %d %d" % (left + 2, top + 10, right - 4, bottom - 4),
                           "key C ctrl", "wait 300", "clipboard")
    return answers[-1]["text"] or ""


def balloons(client):
    return [w for w in windows(client) if w["class"] == BALLOON_CLASS and w["visible"]]


def start(window_client, zr_server):
    window_client.start()
    window_client.wait_frame()
    window_client.member = entered_member(zr_server, NICK)
    return window_client


def chat_pages(client):
    """The chat page dialogs in the chat area: (visible, input id) pairs."""
    return [w for w in windows(client) if w["class"] == "#32770"
            and any(child["id"] == INPUT_ID for child in w["children"])]


def screen_pixel(x, y):
    """The colour of a screen pixel as "#RRGGBB", from a screenshot of the
    display."""
    shot = subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root",
                           "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                          capture_output=True, text=True, check=True).stdout
    return re.search(r"#[0-9A-Fa-f]{6}", shot).group(0).upper()


def tail_point(avatar, balloon):
    """A screen point inside the tail that a balloon paints into the corner
    of its avatar's client area that it stands at."""
    left, top, right, bottom = avatar["client"]
    on_right = balloon["rect"][0] > left
    below = balloon["rect"][1] > top
    x = right - 1 - 5 if on_right else left + 6
    y = bottom - 1 - 3 if below else top + 3
    return x, y
