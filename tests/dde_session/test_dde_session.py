"""The running client's DDE service, driven and followed by another program
(dde_driver.exe) while kit bots share the client's place: requests on every
topic, pokes whose effects the bots and the server see, advise data of what
the bots do, and malformed input after which the client still answers.

The cases share one client; the last one drops its connection."""
import time

from app_window.test_reconnect import BOX, wait_for_question
from app_window.window_tools import NICK, PLACE, START_SECONDS
from dde_session import dde_items
from dde_session.conftest import IDENTITY
from dde_session.dde_client import RUN_SERVICE, SERVICE
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess
from zrkit.wire import Position

TOPICS = ("ZR_Place", "ZR_Movemant", "ZR_Message", "ZR_Group", "ZR_MyInfo", "ZR_PresenceInfo",
          "ZR_GroupInfo", "ZR_IdInfo", "ZR_Version", "ZR_GameInfo")
MINUS_ONE = 0xFFFFFFFF
# A refused poke is answered without DDE_FACK; a refused execute is not
# answered (DMLERR_NOTPROCESSED).
REFUSED = "refused"
NOT_PROCESSED = "error 0x4009"


def enter_bot(bots, name, x=5000, y=5000):
    bot = bots.bot(name)
    bot.enter(PLACE, position=Position.xy(x, y))
    return bot


def wait_known(dde, member, timeout=30):
    """The client's ParametersList answer about the member, once it knows the
    member (ZR_PresenceInfo must be connected)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        answer = dde.request("ZR_PresenceInfo", str(member))
        if answer is not None:
            return dde_items.read("ZR_PresenceInfo", "ParametersList", answer)
        time.sleep(0.2)
    raise AssertionError("the client never knew member %d" % member)


def said_to(bot, text, **fields):
    """The place operation 17 with the text that reaches the bot."""
    return bot.expect(match=lambda m: m.get("text") == text, type=15, op=17, **fields)


def test_every_topic_of_both_services_answers(client, dde):
    # Topics are found whatever their case; one conversation a service and
    # topic.
    for service, case in ((SERVICE, str.lower), (RUN_SERVICE, str)):
        for topic in TOPICS:
            assert dde.connect(case(topic), service, name=service + topic) == "ok", (service, topic)
    assert dde.connect("ZR_Nowhere").startswith("error ")

    for service in (SERVICE, RUN_SERVICE):
        def ask(topic, item):
            return dde.ask(topic, item, name=service + topic)
        assert ask("ZR_Version", "ParametersList") == {"version": 0x10000}
        assert ask("ZR_Place", "PlaceInfo")["community"] == "127.0.0.1"
        me = ask("ZR_MyInfo", "MyInfo")
        assert (me["id"], me["nick"]) == (client.member, NICK)
        assert ask("ZR_MyInfo", "MyPosition")["outside"] in (0, MINUS_ONE)
        own = ask("ZR_IdInfo", str(client.member))
        assert (own["kind"], own["name"]) == (513, NICK)
        assert ask("ZR_GroupInfo", "0")["flag"] == 0
        # Executes are refused on every topic.
        for topic in TOPICS:
            assert dde.command("exec %s quit" % (service + topic)) == NOT_PROCESSED, topic


def test_bots_arrival_talk_and_departure_are_advised(client, bots, dde):
    for topic, items in (("ZR_Movemant", ("EnterRoom", "LeaveRoom")), ("ZR_Message", ("Say",))):
        dde.connect(topic)
        for item in items:
            dde.advise(topic, item)

    dan = enter_bot(bots, "dan")
    entered = dde.wait_advised("ZR_Movemant", "EnterRoom", lambda f: f["name"] == "dan")
    assert (entered["id"], entered["kind"]) == (dan.member_id, 512)

    dan.say("hello over dde")
    said = dde.wait_advised("ZR_Message", "Say", lambda f: f["text"] == "hello over dde")
    assert (said["sender"], said["name"], said["a"], said["b"]) == (dan.member_id, "dan", 1, 0)

    dan.leave()
    left = dde.wait_advised("ZR_Movemant", "LeaveRoom", lambda f: f["id"] == dan.member_id)
    assert (left["kind"], left["name"]) == (512, "dan")


def test_requests_about_other_members(client, bots, dde):
    eve = enter_bot(bots, "eve", 2000, 3000)
    for topic in ("ZR_PresenceInfo", "ZR_IdInfo", "ZR_GroupInfo"):
        dde.connect(topic)
    assert wait_known(dde, eve.member_id)["nick"] == "eve"
    info = dde.ask("ZR_IdInfo", str(eve.member_id))
    assert (info["own"], info["kind"], info["name"]) == (0, 512, "eve")
    assert (info["x"], info["y"]) == (2000, 3000)
    room = dde.ask("ZR_IdInfo", str(info["container"])) if info["container"] not in (0, MINUS_ONE) else None
    assert room is None, "eve stands in a group: %r" % room
    place = dde.ask("ZR_GroupInfo", "0")
    assert place["members"], "the place lists no members"
    # Nothing to answer: a person as a group, a group id as a person, an
    # unknown id, a parameter that is not a number.
    assert dde.request("ZR_GroupInfo", str(eve.member_id)) is None
    assert dde.request("ZR_PresenceInfo", "99999") is None
    assert dde.request("ZR_IdInfo", "99999") is None
    assert dde.request("ZR_IdInfo", "abc") is None
    eve.leave()


def test_poked_say_and_send_reach_the_bots(client, bots, dde):
    fay = enter_bot(bots, "fay")
    dde.connect("ZR_Message")
    dde.connect("ZR_PresenceInfo")
    wait_known(dde, fay.member_id)

    assert dde.poke("ZR_Message", "Say", dde_items.say("said from outside", a=1)) == "ok"
    line = said_to(fay, "said from outside")
    assert line["value"] == 5

    assert dde.poke("ZR_Message", "Send", dde_items.send("coded", b"\x01\x02", a=1, c=7)) == "ok"
    coded = said_to(fay, "coded")
    assert (coded["value"], coded["blob"]) == (7, b"\x01\x02")

    # A whisper to one person.
    assert dde.poke("ZR_Message", "Say", dde_items.say("just for fay", a=4, b=fay.member_id)) == "ok"
    whisper = fay.expect(match=lambda m: m.get("text") == "just for fay", type=5)
    assert whisper["text"] == "just for fay"

    # Say to no target (kind 0) sends nothing; the next line still goes.
    dde.poke("ZR_Message", "Say", dde_items.say("to nobody", a=0))
    dde.poke("ZR_Message", "Say", dde_items.say("after nobody", a=2))
    said_to(fay, "after nobody")
    assert not any(m.get("text") == "to nobody" for m in fay.received)
    fay.leave()


def test_move_and_alert_pokes_act_in_the_room(client, server, bots, dde):
    ivy = enter_bot(bots, "ivy")
    for topic in ("ZR_Movemant", "ZR_Message", "ZR_MyInfo", "ZR_PresenceInfo"):
        dde.connect(topic)
    wait_known(dde, ivy.member_id)
    dde.advise("ZR_Movemant", "Move")
    assert dde.ask("ZR_MyInfo", "MyPosition")["outside"] == 0, "the client is not in the room"

    assert dde.poke("ZR_Movemant", "Move", dde_items.move(4000, 6000)) == "ok"
    moved = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 6}},
                            timeout=30)
    assert (moved["msg"]["position"]["a"], moved["msg"]["position"]["b"]) == (4000, 6000)
    deadline = time.monotonic() + 30
    position = dde.ask("ZR_MyInfo", "MyPosition")
    while position["x"] != 40 and time.monotonic() < deadline:
        time.sleep(0.2)
        position = dde.ask("ZR_MyInfo", "MyPosition")
    assert (position["outside"], position["x"], position["y"]) == (0, 40, 60)
    advised = dde.wait_advised("ZR_Movemant", "Move", lambda f: f["x"] == 40)
    assert advised["y"] == 60

    assert dde.poke("ZR_Message", "Alert", dde_items.alert(ivy.member_id)) == "ok"
    server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 18}}, timeout=30)
    ivy.leave()


def test_whispers_alerts_and_groups_of_the_bots(client, server, bots, dde):
    """An identity request is answered with the user's identity; an alert and
    a tour that a bot starts and leaves are advised."""
    kim = enter_bot(bots, "kim")
    for topic, items in (("ZR_Message", ("Alert",)), ("ZR_Group", ("StartGroup", "BreakGroup"))):
        dde.connect(topic)
        for item in items:
            dde.advise(topic, item)
    dde.connect("ZR_PresenceInfo")
    wait_known(dde, kim.member_id)

    kim.whisper(client.member, "", blob=b"\x02\x00")
    answer = kim.expect(type=5, match=lambda m: m.get("blob", b"")[:1] == b"\x03", timeout=30)
    texts = answer["blob"][2:].split(b"\0")[:4]
    assert texts == [IDENTITY[key].encode() for key in ("Gender", "Hobbies", "Occupation", "Personal Quote")]

    kim.op(18, object=client.member)
    alert = dde.wait_advised("ZR_Message", "Alert", lambda f: f["id"] == kim.member_id)
    assert alert["name"] == "kim"

    kim.make_group(513, Position.xy(2000, 2000), name="kim's tour")
    started = dde.wait_advised("ZR_Group", "StartGroup", lambda f: f["starter"] == kim.member_id)
    assert started["name"] == "kim's tour"
    kim.leave()
    broken = dde.wait_advised("ZR_Group", "BreakGroup", lambda f: f["group"] == started["group"])
    assert broken["container"] != 0


def test_group_commands_start_join_and_leave_tours(client, server, bots, dde):
    """Pokes of the group commands: the client starts a tour of its own and
    leaves it, then joins a bot's tour."""
    dde.connect("ZR_Group")
    for item in ("StartGroup", "JoinGroup", "LeaveGroup"):
        dde.advise("ZR_Group", item)

    assert dde.poke("ZR_Group", "StartGroup", dde_items.start_group(258, "dde tour", 2)) == "ok"
    made = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 10}}, timeout=30)
    assert made["msg"]["kind"] == 513
    started = dde.wait_advised("ZR_Group", "StartGroup", lambda f: f["starter"] == client.member)
    assert started["name"] == "dde tour"

    assert dde.poke("ZR_Group", "LeaveGroup", dde_items.join_group(0)) == "ok"
    left = dde.wait_advised("ZR_Group", "LeaveGroup", lambda f: f["person"] == client.member)
    assert left["group"] == started["group"]

    lea = enter_bot(bots, "lea", 3000, 3000)
    lea.make_group(513, Position.xy(3000, 3000), name="lea's tour")
    dde.connect("ZR_PresenceInfo")
    theirs = dde.wait_advised("ZR_Group", "StartGroup", lambda f: f["starter"] == lea.member_id)
    assert dde.poke("ZR_Group", "JoinGroup", dde_items.join_group(theirs["group"])) == "ok"
    joined = dde.wait_advised("ZR_Group", "JoinGroup", lambda f: f["person"] == client.member)
    assert joined["group"] == theirs["group"]
    assert dde.poke("ZR_Group", "LeaveGroup", dde_items.join_group(0)) == "ok"
    dde.wait_advised("ZR_Group", "LeaveGroup", lambda f: f["person"] == client.member and
                     f["group"] == theirs["group"])
    lea.leave()


def test_my_info_poke_changes_the_identity(client, server, dde):
    dde.connect("ZR_MyInfo")
    assert dde.poke("ZR_MyInfo", "MyInfo",
                    dde_items.my_info(NICK, "Test Person", "Testville", "t@example.org")) == "ok"
    server.wait_log({"dir": "in", "msg": {"type": 15, "op": 23, "full_name": "Test Person"}},
                    timeout=30)
    ini = (client.folder / "zrplaces.ini").read_text(errors="replace")
    assert "Test Person" in ini and "t@example.org" in ini


def test_query_places_poke_asks_the_server(client, server, dde):
    dde.connect("ZR_Place")
    dde.advise("ZR_Place", "QueryPlaces")
    assert dde.poke("ZR_Place", "QueryPlaces", b"") == "ok"
    server.wait_log({"dir": "in", "msg": {"type": 24}}, timeout=30)


MALFORMED_POKES = [
    ("ZR_Movemant", "Move", b"\x01\x00\x00"),                       # short value
    ("ZR_Movemant", "Move", dde_items.u32(1) + b";" + dde_items.u32(2)),  # wrong separator
    ("ZR_Message", "Say", b"\xff\xff" + b"x" * 10),                  # length past the end
    ("ZR_Message", "Send", dde_items.say("no code", a=1)),            # C missing
    ("ZR_Message", "Alert", b""),                                    # no id
    ("ZR_Group", "JoinGroup", b"\x01"),
    ("ZR_MyInfo", "MyInfo", dde_items.text("only one")),
    ("ZR_Message", "Nothing", b"abc"),                               # unknown item
]


def test_malformed_input_is_refused_and_the_client_goes_on(client, bots, dde):
    gus = enter_bot(bots, "gus")
    for topic in ("ZR_Movemant", "ZR_Message", "ZR_Group", "ZR_MyInfo", "ZR_Place", "ZR_IdInfo",
                  "ZR_Version", "ZR_GameInfo"):
        dde.connect(topic)
    for topic, item, data in MALFORMED_POKES:
        assert dde.poke(topic, item, data) == REFUSED, (topic, item, data)
    # Items that are no commands are taken and ignored; a Move outside the
    # page is ignored; requests of unknown or notice-only items get nothing.
    for topic, item, data in (("ZR_Group", "Start1on1", dde_items.u32(1)),
                              ("ZR_Movemant", "Move", dde_items.move(60000, 60000)),
                              ("ZR_Message", "Say", dde_items.say("x" * 3000, a=77))):
        assert dde.poke(topic, item, data) == "ok", (topic, item)
    for topic, item in (("ZR_Message", "Nothing"), ("ZR_IdInfo", "4294967296"),
                        ("ZR_Place", "ParametersList"), ("ZR_GameInfo", "GameSlots")):
        assert dde.request(topic, item) is None, (topic, item)

    assert dde.ask("ZR_Place", "PlaceInfo")["community"] == "127.0.0.1"
    assert dde.poke("ZR_Message", "Say", dde_items.say("still here", a=1)) == "ok"
    said_to(gus, "still here")
    assert client.proc.poll() is None
    gus.leave()


def test_commands_wait_while_disconnected_and_run_after_reentry(client, server, dde, tmp_path):
    """Last: the server goes away. A Say poked while the client cannot reach
    it waits, and is said once the client is back in its place on the
    server that came back."""
    for topic in ("ZR_Place", "ZR_Message", "ZR_MyInfo"):
        dde.connect(topic)
    for item in ("DisconnectCommunity", "ConnectCommunity", "Navigate"):
        dde.advise("ZR_Place", item)
    port = server.port
    server.stop()
    dde.wait_advised("ZR_Place", "DisconnectCommunity")
    # After its silent attempts the client asks whether to reconnect.
    wait_for_question(client)

    assert dde.poke("ZR_Message", "Say", dde_items.say("said while away", a=1)) == "ok"
    # Out of its place the client names no community.
    assert dde.ask("ZR_Place", "PlaceInfo")["community"] == ""

    again = ServerProcess(tmp_path / "again", "--port", str(port), time_limit=300,
                          scenario={"welcome": {"entry_count": 30}})
    pool = BotPool(again.host, again.port)
    try:
        hal = pool.bot("hal")
        hal.enter(PLACE, position=Position.xy(5000, 5000))
        client.probe("key RETURN", window_class=BOX)
        connected = dde.wait_advised("ZR_Place", "ConnectCommunity", timeout=START_SECONDS)
        assert connected["community"] == "127.0.0.1"
        dde.wait_advised("ZR_Place", "Navigate", timeout=START_SECONDS)
        said_to(hal, "said while away", timeout=START_SECONDS)
    finally:
        pool.stop()
        again.stop()
