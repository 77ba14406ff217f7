"""Instant messages of the running client against the kit's server: the
Send Instant Message dialog looks the typed name up and sends to the one
person found, or says why not, and the first message stands above the
reply on the conversation page that the reply opens; a bot's message opens
a conversation page, and the user's answer typed there reaches the bot; a
message sent while the user ignores all messages is answered with the away
text, at most once a second, and a person the user ignores gets nothing.
Read from outside: the dialogs' and pages' window trees and message boxes
through the window probe, transcripts through their copy command and the
clipboard, and what the bots receive."""
import time

import pytest

from app_window.window_tools import NICK, PLACE, START_SECONDS, ProbeError, entered_member
from zrkit.bot import BotError
from zrkit.wire import Position

SEND_IM_COMMAND = 32797
DIALOG = "#32770"
SEND_IM_TITLE = "Send Instant Message"
NAME_EDIT, TEXT_EDIT, AVAILABLE_BUTTON, SEND_BUTTON = 1029, 1108, 1001, 1
LIST_ID = 1118
INPUT_ID, TRANSCRIPT_ID, RESPOND_ID = 1105, 1106, 1110
# A floating conversation page's frame: a class the framework names.
FLOAT_CLASS = "ZrWnd:*"
AWAY = "gone fishing"
# The title of the client's message boxes.
BOX_TITLE = "Zanthe"


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def dialog_controls(client, title):
    tree = client.ask("tree", window_class=DIALOG, window_title=title, find_seconds=20)
    return {node["id"]: node for node in walk(tree["window"])}


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def type_into(client, title, control, text):
    x, y = centre(dialog_controls(client, title)[control]["rect"])
    client.ask("click %d %d" % (x, y), window_class=DIALOG, window_title=title)
    client.ask('type "%s"' % text, window_class=DIALOG, window_title=title)


def click(client, title, control):
    x, y = centre(dialog_controls(client, title)[control]["rect"])
    client.ask("click %d %d" % (x, y), window_class=DIALOG, window_title=title)


def wait_message_box(client, text, timeout=20):
    """The message box that says `text`; closes it."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            tree = client.ask("tree", window_class=DIALOG, window_title=BOX_TITLE, find_seconds=2)
            texts = [node["text"] for node in walk(tree["window"])]
            if any(text in t for t in texts):
                client.ask("key RETURN", window_class=DIALOG, window_title=BOX_TITLE)
                return texts
        except ProbeError:
            pass
        if time.monotonic() > deadline:
            raise AssertionError("no message box saying %r" % text)


def page_controls(client, title):
    tree = client.ask("tree", window_class=FLOAT_CLASS, window_title=title, find_seconds=20)
    return {node["id"]: node for node in walk(tree["window"])}


def page_transcript(client, title):
    """The conversation page's transcript: dragged over, copied with Ctrl+C
    and read from the clipboard."""
    left, top, right, bottom = page_controls(client, title)[TRANSCRIPT_ID]["client"]
    answers = client.probe("drag %d %d %d %d" % (left + 2, top + 10, right - 4, bottom - 4),
                           "key C ctrl", "wait 300", "clipboard", window_class=FLOAT_CLASS,
                           window_title=title)
    if "text" not in answers[-1]:
        raise AssertionError("copy of the transcript: %r" % answers)
    return answers[-1]["text"] or ""


def wait_transcript(client, title, wanted, timeout=20):
    """The transcript once every text of wanted stands in it, in order."""
    deadline = time.monotonic() + timeout
    while True:
        text = page_transcript(client, title)
        at = 0
        for piece in wanted:
            at = text.find(piece, at)
            if at < 0:
                break
            at += len(piece)
        if at >= 0:
            return text
        if time.monotonic() > deadline:
            raise AssertionError("transcript %r lacks %r" % (text, wanted))
        time.sleep(0.5)


def start_client(window_client, zr_server, **settings):
    for section, values in settings.items():
        window_client.settings.setdefault(section, {}).update(values)
    window_client.start()
    window_client.wait_frame()
    window_client.member = entered_member(zr_server, NICK)
    return window_client


def open_send_dialog(client):
    client.ask("command %d" % SEND_IM_COMMAND)
    return dialog_controls(client, SEND_IM_TITLE)


def test_send_dialog_looks_the_name_up_and_sends(window_client, zr_server, bots):
    bob = bots.bot("bob")
    bob.enter(PLACE, Position.xy(1000, 1000))
    bots.bot("bobby").enter(PLACE, Position.xy(2000, 2000))
    client = start_client(window_client, zr_server)

    controls = open_send_dialog(client)
    assert controls[NAME_EDIT]["enabled"]
    assert not controls[SEND_BUTTON]["enabled"] and not controls[AVAILABLE_BUTTON]["enabled"]
    type_into(client, SEND_IM_TITLE, NAME_EDIT, "BOB")
    controls = dialog_controls(client, SEND_IM_TITLE)
    assert controls[AVAILABLE_BUTTON]["enabled"] and not controls[SEND_BUTTON]["enabled"], \
        "a name without a text cannot be sent"

    # Available? asks only: the person is found whatever the case.
    click(client, SEND_IM_TITLE, AVAILABLE_BUTTON)
    wait_message_box(client, "User BOB is available.")
    lookup = zr_server.wait_log({"dir": "in", "msg": {"type": 10, "text": "BOB"}}, timeout=20)
    assert lookup["msg"]["f1"] == 1, "the look-up asks for the whole name"

    type_into(client, SEND_IM_TITLE, TEXT_EDIT, "hello bob")
    click(client, SEND_IM_TITLE, SEND_BUTTON)
    got = bob.expect(type=5, timeout=20)
    assert got["text"] == "hello bob"
    assert got["record"].sender == client.member
    # Sent: the dialog closes.
    with pytest.raises(ProbeError):
        client.ask("tree", window_class=DIALOG, window_title=SEND_IM_TITLE, find_seconds=3)

    # bob's reply opens the conversation, the first message above it.
    bob.whisper(client.member, "hi there")
    wait_transcript(client, "IM>bob", [NICK, "hello bob", "bob", "hi there"])


def test_message_opens_a_page_where_the_user_answers(window_client, zr_server, bots):
    bob = bots.bot("bob")
    bob.enter(PLACE, Position.xy(1000, 1000))
    client = start_client(window_client, zr_server)
    bob.whisper(client.member, "are you there")
    wait_transcript(client, "IM>bob", ["bob", "are you there"])
    # The page opens in respond mode: Respond brings the input line.
    controls = page_controls(client, "IM>bob")
    assert not controls[INPUT_ID]["visible"] and controls[RESPOND_ID]["visible"]
    x, y = centre(controls[RESPOND_ID]["rect"])
    client.ask("click %d %d" % (x, y), window_class=FLOAT_CLASS, window_title="IM>bob")
    controls = page_controls(client, "IM>bob")
    assert controls[INPUT_ID]["visible"] and not controls[RESPOND_ID]["visible"]
    x, y = centre(controls[INPUT_ID]["rect"])
    client.probe("click %d %d" % (x, y), 'type "yes I am"', "key RETURN", window_class=FLOAT_CLASS,
                 window_title="IM>bob")
    got = bob.expect(type=5, timeout=20)
    assert got["text"] == "yes I am" and got["record"].sender == client.member
    wait_transcript(client, "IM>bob", ["bob", "are you there", NICK, "yes I am"])
    # A second message lands on the same page.
    bob.whisper(client.member, "good")
    wait_transcript(client, "IM>bob", ["yes I am", "bob", "good"])


def test_send_dialog_tells_unknown_and_ambiguous_names(window_client, zr_server, bots):
    bots.bot("ann").enter(PLACE, Position.xy(1000, 1000))
    client = start_client(window_client, zr_server)
    open_send_dialog(client)
    type_into(client, SEND_IM_TITLE, NAME_EDIT, "nobody")
    type_into(client, SEND_IM_TITLE, TEXT_EDIT, "hi")
    click(client, SEND_IM_TITLE, SEND_BUTTON)
    wait_message_box(client, "User nobody not found.")
    # The dialog stays for another try, its buttons usable again.
    controls = dialog_controls(client, SEND_IM_TITLE)
    assert controls[SEND_BUTTON]["enabled"] and controls[NAME_EDIT]["enabled"]
    sent = [e for e in zr_server.log() if e.get("dir") == "in" and e.get("msg", {}).get("type") == 5]
    assert sent == [], "nothing goes to a name not found"


def test_away_text_answers_at_most_once_a_second_and_never_the_ignored(window_client, zr_server, bots):
    bob = bots.bot("bob")
    bob.enter(PLACE, Position.xy(1000, 1000))
    cat = bots.bot("cat")
    cat.enter(PLACE, Position.xy(2000, 2000))
    client = start_client(window_client, zr_server, Settings={"IgnoreAllIMs": 1, "AwayMsg": AWAY})

    # Two messages close together get one answer; one after a pause another.
    bob.whisper(client.member, "first")
    bob.whisper(client.member, "second")
    answer = bob.expect(type=5, timeout=20)
    assert answer["text"] == AWAY and answer["record"].sender == client.member
    with pytest.raises(BotError):
        bob.expect(type=5, timeout=2)
    time.sleep(1.2)
    bob.whisper(client.member, "third")
    assert bob.expect(type=5, timeout=20)["text"] == AWAY

    # cat, ignored from the person menu, hears nothing.
    ignore_person(client, "cat")
    time.sleep(1.2)
    cat.whisper(client.member, "let me in")
    with pytest.raises(BotError):
        cat.expect(type=5, timeout=3)


def ignore_person(client, name):
    deadline = time.monotonic() + START_SECONDS
    while True:
        answer = client.ask("list %d" % LIST_ID)
        if name in answer["rows"]:
            break
        if time.monotonic() > deadline:
            raise AssertionError("%s not in the people list %r" % (name, answer["rows"]))
        time.sleep(0.3)
    row = answer["rows"].index(name)
    height = answer["height"]
    x = answer["client"][0] + 60
    y = answer["client"][1] + height // 3 + (row - answer["top"]) * height + height // 2
    client.ask("rclick %d %d" % (x, y))
    client.ask("key G")
    deadline = time.monotonic() + 20
    while not client.ask("list %d" % LIST_ID)["data"][row] & 4:
        if time.monotonic() > deadline:
            raise AssertionError("%s is not ignored" % name)
        time.sleep(0.3)
