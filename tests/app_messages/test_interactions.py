"""Page interactions handed over by the directory program (its question
before a navigation, WM_COPYDATA 1553): the client takes an interaction
link (answer 1546) and carries it out on the place: a guest look-up asks
the server for the guest's screen name without the host service's ending;
a line for the event's administrator without one, and speaking to the
audience outside an auditorium, are refused with their messages. Read from
outside: the stand-in directory program's log, the server's log and the
client's message boxes."""
from app_window.test_directory_link import DirectoryPeer, start_client
from app_messages.test_instant_messages import wait_message_box
from zrkit.wire import Position

import pytest

from app_window.window_tools import PLACE

TAKEN = 1546
EVENT_PAGE = "http://events.example/q?"


@pytest.fixture
def peer(build_win, window_client):
    directory = DirectoryPeer(build_win, window_client.env)
    yield directory
    directory.stop()


def test_interaction_links_are_taken_and_carried_out(peer, window_client, zr_server, bots):
    bots.bot("star").enter(PLACE, Position.xy(1000, 1000))
    client = start_client(window_client, zr_server)

    link = EVENT_PAGE + "intrctionType=1&intrctionId=q1&msg=Why&sndr=ann&guestName=star@hvn&actn=2"
    mark, _ = peer.send(1553, link)
    assert peer.wait_received(1, mark) == [(TAKEN, link)]
    lookup = zr_server.wait_log({"dir": "in", "msg": {"type": 10, "text": "star"}}, timeout=20)
    assert lookup["msg"]["f1"] == 1

    # Nobody administers this place's event.
    link = EVENT_PAGE + "msg=help&actn=6"
    mark, _ = peer.send(1553, link)
    assert peer.wait_received(1, mark) == [(TAKEN, link)]
    wait_message_box(client, "This Auditorium is not active. Try again later.")

    # Speaking to the audience needs the stage of an auditorium.
    link = EVENT_PAGE + "msg=hello+all&actn=1"
    mark, _ = peer.send(1553, link)
    assert peer.wait_received(1, mark) == [(TAKEN, link)]
    wait_message_box(client, "You must be on the stage to speak to the audience.")
    said = [e for e in zr_server.log() if e.get("dir") == "in" and e.get("msg", {}).get("op") == 17]
    assert said == []
