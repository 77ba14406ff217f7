"""Two running clients on one kit server, each in a Wine prefix of its own:
an instant message sent from one client's Send Instant Message dialog
opens a conversation page at the other, whose answer typed there opens the
conversation at the first, its first message above the answer."""

import pytest

from app_messages.test_instant_messages import (INPUT_ID, NAME_EDIT, RESPOND_ID, SEND_BUTTON, SEND_IM_TITLE,
                                                TEXT_EDIT, FLOAT_CLASS, centre, click, open_send_dialog,
                                                page_controls, start_client, type_into, wait_transcript)
from app_window.window_tools import NICK, entered_member

OTHER = "watcher"


@pytest.fixture
def second_client(window_client, zr_server, tmp_path):
    client = window_client.copy_beside(tmp_path / "second", OTHER)
    client.settings["Settings"].update(MainXPos=640, WinWidth=630, MyselfXPos=3000, MyselfYPos=3000)
    yield client
    client.end_beside()


def test_an_instant_message_goes_both_ways(window_client, second_client, zr_server):
    window_client.settings["Settings"]["WinWidth"] = 630
    first = start_client(window_client, zr_server)
    second_client.start()
    second_client.wait_frame()
    entered_member(zr_server, OTHER)

    open_send_dialog(first)
    type_into(first, SEND_IM_TITLE, NAME_EDIT, OTHER)
    type_into(first, SEND_IM_TITLE, TEXT_EDIT, "are you watching")
    click(first, SEND_IM_TITLE, SEND_BUTTON)

    title = "IM>" + NICK
    wait_transcript(second_client, title, [NICK, "are you watching"], timeout=30)
    x, y = centre(page_controls(second_client, title)[RESPOND_ID]["rect"])
    second_client.ask("click %d %d" % (x, y), window_class=FLOAT_CLASS, window_title=title)
    x, y = centre(page_controls(second_client, title)[INPUT_ID]["rect"])
    second_client.probe("click %d %d" % (x, y), 'type "always"', "key RETURN", window_class=FLOAT_CLASS,
                        window_title=title)
    wait_transcript(second_client, title, ["are you watching", OTHER, "always"])
    wait_transcript(first, "IM>" + OTHER, [NICK, "are you watching", OTHER, "always"], timeout=30)
