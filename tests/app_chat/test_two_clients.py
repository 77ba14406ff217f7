"""Two running clients on one kit server, each in a Wine prefix of its own
(a copy of the test prefix, so that each has its own single-copy guard and
wineserver): a line typed in one reaches the other's transcript and shows
in a balloon over the speaker's avatar there."""

import pytest

from app_window.window_tools import NICK, entered_member
from app_chat.chat_tools import BALLOON_CLASS, balloons, start, transcript_text, type_into_input, wait_for

OTHER = "watcher"


@pytest.fixture
def second_client(window_client, zr_server, tmp_path):
    client = window_client.copy_beside(tmp_path / "second", OTHER)
    # Side by side, and the avatars apart: a balloon shows only where its
    # avatar's corner is seen.
    client.settings["Settings"].update(MainXPos=640, WinWidth=630, MyselfXPos=3000, MyselfYPos=3000)
    yield client
    client.end_beside()


def test_a_line_of_one_client_reaches_the_other(window_client, second_client, zr_server):
    window_client.settings["Settings"]["WinWidth"] = 630
    speaker = start(window_client, zr_server)
    second_client.start()
    second_client.wait_frame()
    entered_member(zr_server, OTHER)

    type_into_input(speaker, "hi from the first")
    speaker.probe("key RETURN")
    # The balloon first: it stays up for a few seconds only.
    found = wait_for("balloon at the other client",
                     lambda: [b for b in balloons(second_client) if b["text"] == "hi from the first"])
    assert found[0]["class"] == BALLOON_CLASS
    text = wait_for("the line at the other client",
                    lambda: "hi from the first" in transcript_text(second_client)
                    and transcript_text(second_client))
    assert text.split()[0] == NICK
    # The speaker sees the line once, as the server sent it back.
    own = wait_for("own line", lambda: "hi from the first" in transcript_text(speaker)
                   and transcript_text(speaker))
    assert own.count("hi from the first") == 1
