"""An auditorium event with the running client in the audience or as the
moderator: the administrator's announcement opens the welcome, the
participate dialog sends a question to the administrator and the
administrator's acknowledgement names its kind; a host's vote definition
opens the vote and the options chosen go to the administrator; a host's
queue item opens the moderator's queue, whose answer goes to the
administrator and back to the host; a host's invitation onto the stage
moves the user there when accepted. The administrator and the host are kit
bots; what the client sends is read in the server's log and by the bots,
what it shows through the window probe."""
import subprocess
import time

from app_avatars.test_avatar_windows import colour_at
from app_avatar_groups.test_avatar_groups import choose
from app_events.conftest import HALL, HOST_CLASS
from app_messages.test_instant_messages import DIALOG, click, dialog_controls, type_into, wait_message_box, walk
from app_people.test_people_list import row_point, wait_rows
from app_window.window_tools import NICK, ProbeError
from zrkit.wire import Position, Writer

PARTICIPATE_COMMAND = 32835
PERSON_PARTICIPATE_COMMAND = 32860
DOWNLOAD_TRANSCRIPT_COMMAND = 32836
ANNOUNCEMENT = "xxxxxxxEVT01 2 Question,Comment,Welcome to the show+"
ADD, VOTE, ANSWER = 1, 3, 4
COMMAND_PAYLOAD = 4
VOTE_CODE, QUEUE_CODE, ANSWER_TO_HOST_CODE, STAGE_INVITATION = 6, 7, 22, 3

WELCOME = "Welcome to the Auditorium"
PARTICIPATE = "Participate In The Event"
QUEUE = "Event Invitee Interaction Queue"
RESPONSE = "Event Invitee Response"


def wait_until(condition, what, timeout=20):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("waited in vain for %s" % what)
        time.sleep(0.3)


def wait_gone(client, title, timeout=20):
    """Waits until no dialog of that title is shown."""
    def gone():
        try:
            client.ask("frame", window_class=DIALOG, window_title=title, find_seconds=1)
            return False
        except ProbeError:
            return True
    wait_until(gone, "the dialog %r to close" % title, timeout)


def command_payload(code):
    return bytes([COMMAND_PAYLOAD, code])


def test_question_reaches_the_administrator_and_is_acknowledged(event):
    client = event.client
    event.admin_says(22, ANNOUNCEMENT)
    welcome = dialog_controls(client, WELCOME)
    assert welcome[778]["text"] == "Welcome to the show"
    # The picture is announced: the text stands to the right of its place,
    # which shows a frame crossed by its diagonals until the picture comes.
    left, top = welcome[777]["rect"][:2]
    assert welcome[778]["rect"][0] >= left + 100
    middle = (left + 50, top + 50)
    assert colour_at(middle) == "0,0,0"
    red = subprocess.run(["convert", "-size", "20x20", "xc:#ff0000", "gif:-"],
                         capture_output=True, check=True, timeout=60).stdout
    event.admin_says(23, "", red)
    wait_until(lambda: colour_at(middle) == "255,0,0", "the welcome picture")

    client.ask("command %d" % PARTICIPATE_COMMAND)
    controls = dialog_controls(client, PARTICIPATE)
    assert controls[1147]["text"] == "Question"
    assert controls[1148]["text"] == "Comment"
    assert controls[1148]["rect"][0] > controls[1147]["rect"][2]
    assert controls[1194]["text"] == ("Type your Question or Comment here, then click on the appropriate "
                                      "button below to send it to the stage.")
    type_into(client, PARTICIPATE, 756, "Why<,>not?")
    click(client, PARTICIPATE, 757)
    click(client, PARTICIPATE, 1147)
    wait_gone(client, PARTICIPATE)
    assert wait_until(lambda: event.requests_to_admin(ADD), "the question") == ["ADD %s 1 -a Why,not?" % HALL]

    event.admin_says(20, "1")
    wait_message_box(client, "Your Question has been received.")


def test_an_empty_question_is_refused_and_an_unknown_event_is_not_active(event):
    client = event.client
    event.admin_says(22, ANNOUNCEMENT.rstrip("+"))
    # No picture announced: the text takes the dialog's whole width, centred.
    welcome = dialog_controls(client, WELCOME)
    frame = client.ask("frame", window_class=DIALOG, window_title=WELCOME)["rect"]
    text = welcome[778]["rect"]
    assert text[0] == welcome[777]["rect"][0]
    assert abs((text[0] - frame[0]) - (frame[2] - text[2])) <= 2
    # The person menu's PARTICIPATE opens the same dialog.
    client.ask("command %d" % PERSON_PARTICIPATE_COMMAND)
    click(client, PARTICIPATE, 1148)
    wait_message_box(client, "Please enter your Comment.")
    client.ask("close", window_class=DIALOG, window_title=PARTICIPATE)
    wait_gone(client, PARTICIPATE)

    event.admin_says(22, "xxxxxxxUNKNOWNEVENT 1 Question,Gone")
    wait_message_box(client, "This Auditorium is not active. Try again later.")
    # The event takes no question any more: nothing opens.
    client.ask("command %d" % PARTICIPATE_COMMAND)
    client.ask("wait 1000")
    wait_gone(client, PARTICIPATE, timeout=5)
    assert event.requests_to_admin(ADD) == []


def test_vote_definition_opens_the_vote_and_the_choice_goes_to_the_administrator(event):
    client = event.client
    event.host.say("xxxxxxxv1 Lunch,3 1 A pizza,B salad,C soup,Pick one", blob=command_payload(VOTE_CODE))
    title = "Auditorium Vote: Lunch"
    controls = dialog_controls(client, title)
    assert [controls[1163 + i]["text"] for i in range(3)] == ["A pizza", "B salad", "C soup"]
    assert all(controls[1153 + i]["class"] == "Button" for i in range(3))
    assert 1156 not in controls and 1166 not in controls
    assert controls[767]["text"] == "Vote options (select one)"
    assert controls[779]["text"] == "Pick one"
    # The dialog grew: Vote Now stands below the last option.
    assert controls[1173]["rect"][1] > controls[1155]["rect"][3]
    # A single choice: the second option replaces the first.
    click(client, title, 1153)
    click(client, title, 1154)
    click(client, title, 1173)
    wait_gone(client, title)
    assert wait_until(lambda: event.requests_to_admin(VOTE), "the vote") == ["VOTE v1 1 2 "]


def test_a_vote_of_several_choices_refuses_one_too_many_and_replaces_the_open_vote(event):
    client = event.client
    event.host.say("xxxxxxxv1 Lunch,3 1 A pizza,B salad,C soup,Pick one", blob=command_payload(VOTE_CODE))
    dialog_controls(client, "Auditorium Vote: Lunch")
    time.sleep(1.1)
    event.host.say("xxxxxxxv2 Dinner,3 2 A pasta,B rice,C bread,Pick two", blob=command_payload(VOTE_CODE))
    title = "Auditorium Vote: Dinner"
    controls = dialog_controls(client, title)
    assert controls[767]["text"] == "Vote options (select up to 2 options)"
    wait_gone(client, "Auditorium Vote: Lunch")
    click(client, title, 1173)
    wait_message_box(client, "Please select up to 2 vote option(s).")
    for option in (1153, 1155, 1154):
        click(client, title, option)
    wait_message_box(client, "Please select up to 2 vote option(s).")
    click(client, title, 1173)
    wait_gone(client, title)
    assert wait_until(lambda: event.requests_to_admin(VOTE), "the vote") == ["VOTE v2 2 1 3 "]


def test_queued_question_is_answered_to_the_administrator_and_the_host(event):
    client = event.client
    event.host.whisper(event.member, "ITEM 1,q17,bob,Why,not?", blob=command_payload(QUEUE_CODE))
    rows = wait_until(lambda: client.ask("list 1175", window_class=DIALOG, window_title=QUEUE), "the queue")
    assert rows["rows"] == ["bob Why,not?"]
    controls = dialog_controls(client, QUEUE)
    assert not controls[1176]["enabled"] and not controls[1177]["enabled"]
    left, top, right, _ = rows["client"]
    client.ask("click %d %d" % ((left + right) // 2, top + rows["height"] // 2), window_class=DIALOG,
               window_title=QUEUE)
    assert dialog_controls(client, QUEUE)[1176]["enabled"]
    click(client, QUEUE, 1176)

    response = dialog_controls(client, RESPONSE)
    assert response[1205]["text"] == "1 From:"
    assert response[1179]["text"] == "bob"
    assert response[1178]["text"] == "Why,not?"
    click(client, RESPONSE, 1)
    wait_message_box(client, "Please enter your Answer.")
    type_into(client, RESPONSE, 1176, "Because.")
    click(client, RESPONSE, 1)
    wait_gone(client, RESPONSE)
    assert wait_until(lambda: event.requests_to_admin(ANSWER), "the answer") == ["ANSWER q17,Because."]
    answer = event.host.expect(type=5, timeout=20)
    assert answer["text"] == "ANSWER 1,bob,Why,not?<,>Because."
    assert answer["blob"] == command_payload(ANSWER_TO_HOST_CODE)
    # The answered item was the last: the queue closed.
    wait_gone(client, QUEUE)


def test_stage_invitation_accepted_enters_the_stage(event):
    client = event.client
    event.host.whisper(event.member, "Stage", blob=command_payload(STAGE_INVITATION))
    controls = dialog_controls(client, "Invitation")
    assert controls[1189]["text"] == "host1 is inviting you to enter the auditorium stage at  Stage"
    click(client, "Invitation", 1)
    event.server.wait_log({"event": "entered", "place": "Stage", "member": event.member}, timeout=30)


def select_row(client, title, row):
    rows = client.ask("list 1175", window_class=DIALOG, window_title=title)
    left, top, right, _ = rows["client"]
    y = top + rows["height"] * (row - rows["top"]) + rows["height"] // 2
    client.ask("click %d %d" % ((left + right) // 2, y), window_class=DIALOG, window_title=title)


def test_queue_items_are_deleted_and_closing_with_items_left_asks_first(event):
    client = event.client
    event.host.whisper(event.member, "ITEM 1,q17,bob,Why,not?", blob=command_payload(QUEUE_CODE))
    dialog_controls(client, QUEUE)
    time.sleep(1.1)
    # Two commas only: no item.
    event.host.whisper(event.member, "ITEM 1,q18,ann", blob=command_payload(QUEUE_CODE))
    time.sleep(1.1)
    event.host.whisper(event.member, "ITEM 2,q19,cat,Nice talk", blob=command_payload(QUEUE_CODE))
    wait_until(lambda: client.ask("list 1175", window_class=DIALOG, window_title=QUEUE)["count"] == 2,
               "the second item")
    assert client.ask("list 1175", window_class=DIALOG, window_title=QUEUE)["rows"] == ["bob Why,not?",
                                                                                     "cat Nice talk"]
    select_row(client, QUEUE, 0)
    click(client, QUEUE, 1177)
    rows = client.ask("list 1175", window_class=DIALOG, window_title=QUEUE)
    assert rows["rows"] == ["cat Nice talk"]
    assert not dialog_controls(client, QUEUE)[1176]["enabled"]
    # Closing with an item left asks; Yes closes.
    client.ask("close", window_class=DIALOG, window_title=QUEUE)
    wait_message_box(client, "All the items will be deleted. Are you sure you want to close the window?")
    wait_gone(client, QUEUE)
    assert event.requests_to_admin(ANSWER) == []


def test_transcript_is_asked_of_the_transcript_member(event_with_transcript):
    event = event_with_transcript
    client = event.client

    def transcript_requests():
        return [e["msg"]["text"] for e in event.server.messages("in", type=28)
                if e["msg"]["mode"] == 2 and e["msg"]["target"] == event.transcript.member_id]
    event.admin_says(22, ANNOUNCEMENT.rstrip("+"))
    assert dialog_controls(client, WELCOME)[3]["visible"]
    click(client, WELCOME, 3)
    assert wait_until(transcript_requests, "the transcript request") == ["%s 100" % HALL]
    client.ask("command %d" % DOWNLOAD_TRANSCRIPT_COMMAND)
    wait_until(lambda: len(transcript_requests()) == 2, "the second transcript request")


def test_without_transcript_member_the_welcome_offers_no_download(event):
    event.admin_says(22, ANNOUNCEMENT.rstrip("+"))
    assert not dialog_controls(event.client, WELCOME)[3]["visible"]


def test_a_host_invites_a_person_to_the_stage_it_stands_on(event, bots):
    """The host's Invite to Stage names the host's own place, which the
    invited person's client takes as the stage to go to."""
    bob = bots.bot("bob")
    bob.enter(HALL, Position.xy(3000, 3000))
    client = event.client
    fields = Writer().u32(event.member).u16(HOST_CLASS).bytes()
    event.server.control("message", session=NICK, type=32, fields=fields.hex())
    event.server.wait_log({"dir": "out", "msg": {"type": 32, "kind": HOST_CLASS}}, timeout=20)
    answer = wait_rows(client, lambda rows: "bob" in rows)
    client.ask("rclick %d %d" % row_point(answer, "bob"))
    items = client.ask("popup")["items"]
    assert "Invite to Stage" in [item["text"] for item in items], items
    choose(client, items, "Invite to Stage")
    invitation = bob.expect(type=5, match=lambda m: m["blob"][:2] == command_payload(STAGE_INVITATION),
                            timeout=20)
    assert invitation["text"] == HALL


def test_a_person_on_the_stage_is_offered_participate_only(event):
    """The person menu of an avatar on the auditorium's stage holds
    PARTICIPATE instead of the person-to-person items; it is enabled once
    the administrator has announced the event's kinds."""
    client = event.client

    def host_menu():
        """The open menu of host1's avatar: the one that is not the user's
        own (whose menu edits the own identity)."""
        avatars = [node for node in walk(client.ask("tree")["window"])
                   if node["text"] == "ZRC member" and node["visible"]]
        assert len(avatars) == 2, avatars
        for avatar in avatars:
            left, top, right, bottom = avatar["rect"]
            client.ask("rclick %d %d" % ((left + right) // 2, (top + bottom) // 2))
            items = client.ask("popup")["items"]
            if "Edit Identity..." not in [item["text"] for item in items]:
                return items
            client.ask("key ESCAPE")
        raise AssertionError("no avatar of host1")

    items = host_menu()
    texts = [item["text"] for item in items]
    assert "PARTICIPATE" in texts and "Identity..." in texts, texts
    for gone in ("Send Instant Message...", "Alert", "Call", "I&gnore", "Eject from My Tour", "Send File..."):
        assert gone not in texts, texts
    assert next(item for item in items if item["text"] == "PARTICIPATE")["grayed"]
    client.ask("key ESCAPE")

    event.admin_says(22, ANNOUNCEMENT.rstrip("+"))
    dialog_controls(client, WELCOME)
    client.ask("close", window_class=DIALOG, window_title=WELCOME)
    items = host_menu()
    assert not next(item for item in items if item["text"] == "PARTICIPATE")["grayed"]
    choose(client, items, "PARTICIPATE")
    assert dialog_controls(client, PARTICIPATE)
