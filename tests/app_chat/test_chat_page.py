"""The chat area of the running client against the kit's server: the room
page in the tab container below the page, its input line sending place
operation 17 (with the typing operations 15 and 16 around it) that a bot in
the place receives, the input's line history on Up and Down, a bot's line
in the transcript (read back through the transcript's copy and the
clipboard) and in a balloon over the bot's avatar, the community's word
list masking words, and a one-on-one page opened as a tab that takes the
group's lines; the typing state cleared when the input loses the focus,
and a user whom the server does not let send seeing the own line only
locally."""
import time

from app_chat.chat_tools import (INPUT_ID, ONE_ON_ONE, TRANSCRIPT_ID, balloons, centre, chat_pages, ops_of,
                                 said_by, screen_pixel, start, tail_point, transcript_text, type_into_input, visible,
                                 wait_for, windows)
from app_window.window_tools import NICK, PLACE
from zrkit import wire
from zrkit.bot import BotPool
from zrkit.wire import Position


def test_room_page_sends_and_shows_lines(window_client, zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        ann = pool.bot("ann")
        ann.enter(PLACE, Position.xy(3000, 3000))
        client = start(window_client, zr_server)
        member = client.member

        # A typed line goes out cleaned, once, as the room's talk request;
        # typing told the place first, sending cleared it again.
        type_into_input(client, "  hello   world")
        client.probe("key RETURN")
        zr_server.wait_log({"dir": "in", "msg": {"type": 15, "op": 17, "text": "hello world"}})
        assert said_by(zr_server, member) == ["hello world"]
        assert len(ops_of(zr_server, member, 15)) == 1
        wait_for("op 16", lambda: ops_of(zr_server, member, 16))
        assert visible(client, INPUT_ID)["text"] == ""
        # The bot in the place hears it.
        heard = ann.expect(type=15, op=17, text="hello world", timeout=10)
        assert heard["about"] == member

        # Up recalls the sent line as it was typed, Down goes back to the
        # empty draft.
        client.probe("key UP")
        assert wait_for("recalled line", lambda: visible(client, INPUT_ID)["text"] == "hello   world")
        client.probe("key DOWN")
        assert wait_for("draft", lambda: visible(client, INPUT_ID)["text"] == "")
        type_into_input(client, "second")
        client.probe("key RETURN")
        wait_for("second line", lambda: said_by(zr_server, member) == ["hello world", "second"])
        client.probe("key UP", "key UP")
        assert wait_for("older line", lambda: visible(client, INPUT_ID)["text"] == "hello   world")
        client.probe("key DOWN", "key DOWN")

        # A bot's line: a balloon over the bot's avatar, and the transcript
        # (after the own lines, which came back from the server). Listed
        # words are masked in both.
        ann.say("darn it, HECK")
        masked = "#### it, ####"
        found = wait_for("balloon", lambda: [b for b in balloons(client) if b["text"] == masked])
        # Its white tail is painted into the avatar's corner it stands at.
        balloon = found[0]
        (avatar,) = [w for w in windows(client) if w["text"] == "ZRC member"
                     and w["rect"][0] < balloon["rect"][2] and balloon["rect"][0] < w["rect"][2]
                     and w["rect"][1] < balloon["rect"][3] + 10 and balloon["rect"][1] < w["rect"][3] + 10]
        assert screen_pixel(*tail_point(avatar, balloon)) == "#FFFFFF"
        assert screen_pixel(*centre(avatar)) != "#FFFFFF"
        text = wait_for("transcript", lambda: masked in transcript_text(client) and transcript_text(client))
        rows = text.split("\r\n")
        assert [row.split()[0] for row in rows] == [NICK, NICK, "ann"]
        assert rows[0].endswith("hello world") and rows[2].endswith(masked)
    finally:
        pool.stop()


def test_one_on_one_page_opens_as_a_tab(window_client, zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    try:
        kim = pool.bot("kim")
        kim.enter(PLACE, Position.xy(3000, 3000))
        client = start(window_client, zr_server)
        wait_for("the client in kim's tree", lambda: client.member in kim.tree)
        assert len(chat_pages(client)) == 1

        # kim pairs with the user: a one-on-one page joins as a second tab,
        # not shown until chosen.
        kim.op(10, info=wire.GroupInfo(name="", capacity=2, flags=1), kind=ONE_ON_ONE,
               other=kim.tree[kim.member_id]["parent"], value=0, pair=1, partner=client.member)
        group = kim.expect(type=15, op=10, timeout=10)["group"]
        pages = wait_for("second page", lambda: len(chat_pages(client)) == 2 and chat_pages(client))
        assert [page["visible"] for page in pages] == [True, False]

        # kim's line to the group goes to that page only.
        kim.say("just between us", obj=group)
        room_text = transcript_text(client)
        assert "just between us" not in room_text

        # Choosing the tab (the last, right of the room's and the "What's
        # Hot" tab) shows the page; its line goes to the group.
        strip = [w for w in windows(client) if w["class"].startswith("ZrWnd")
                 and w["rect"][1] >= pages[0]["rect"][3] - 2 and w["rect"][3] - w["rect"][1] < 40]
        left, top, right, bottom = strip[0]["rect"]
        shown = lambda: [page["visible"] for page in chat_pages(client)] == [False, True]  # noqa: E731
        for x in range(left + 110, right, 30):
            client.probe("click %d %d" % (x, (top + bottom) // 2))
            if shown():
                break
        wait_for("the one-on-one page shown", shown)
        text = wait_for("group line", lambda: "just between us" in transcript_text(client)
                        and transcript_text(client))
        assert text.split()[0] == "kim"
        type_into_input(client, "psst")
        client.probe("key RETURN")
        line = zr_server.wait_log({"dir": "in", "msg": {"type": 15, "op": 17, "text": "psst"}})
        assert line["msg"]["object"] == group
    finally:
        pool.stop()


def test_typing_state_and_a_user_who_may_not_send(window_client, zr_server):
    client = start(window_client, zr_server)
    member = client.member

    # Leaving the input with a half-typed line clears the typing state once
    # and keeps the text.
    type_into_input(client, "half typed")
    wait_for("op 15", lambda: len(ops_of(zr_server, member, 15)) == 1)
    transcript = visible(client, TRANSCRIPT_ID)
    client.probe("click %d %d" % centre(transcript))
    wait_for("op 16", lambda: len(ops_of(zr_server, member, 16)) == 1)
    assert visible(client, INPUT_ID)["text"] == "half typed"
    assert len(ops_of(zr_server, member, 15)) == 1

    # The server takes the right to send (member flag 0x2): the line stays
    # here, shown as the user's own line and in the own balloon.
    zr_server.control("op", session=NICK, about=member, op=24, fields="0002")
    time.sleep(1)
    type_into_input(client, " and muted")
    client.probe("key RETURN")
    found = wait_for("own balloon", lambda: [b for b in balloons(client) if b["text"] == "half typed and muted"])
    assert found
    text = wait_for("echo", lambda: "half typed and muted" in transcript_text(client) and transcript_text(client))
    assert text.split()[0] == NICK
    assert said_by(zr_server, member) == []

    # Ctrl+V (an accelerator of the main window) pastes the copied
    # transcript into the input, which starts the typing state as typing
    # does.
    typing = len(ops_of(zr_server, member, 15))
    x, y = centre(visible(client, INPUT_ID))
    client.probe("click %d %d" % (x, y), "key V ctrl")
    wait_for("pasted text", lambda: visible(client, INPUT_ID)["text"].startswith(NICK))
    wait_for("op 15 on paste", lambda: len(ops_of(zr_server, member, 15)) == typing + 1)
