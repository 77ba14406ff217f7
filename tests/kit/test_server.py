"""Bot-to-bot runs through the community server: the main road, resumption
with the acknowledgement window, the control socket and the scenario file."""
import socket
import time

import pytest

from zrkit import messages as M
from zrkit import wire
from zrkit.bot import BotError, BotPool
from zrkit.framing import END, FrameReader, FrameWriter
from zrkit.wire import Position, Selector

PAGE = "http://example.org/page.html"


def test_main_road_two_bots(community_server, bots):
    ann = bots.bot("ann")
    bob = bots.bot("bob")
    assert ann.member_id and bob.member_id and ann.member_id != bob.member_id
    assert ann.peer_role == socket.inet_aton("127.0.0.1")

    snap_a = ann.enter(PAGE, Position.xy(1000, 2000))["snapshot"]
    assert snap_a["g1024"].children == [] and snap_a["code"] == 0
    assert ann.key == 1

    op3 = bob.enter(PAGE, Position.xy(3000, 4000), selector=Selector(number=2))
    snap_b = op3["snapshot"]
    assert op3["about"] == bob.member_id and op3["key"] == 1
    assert snap_b["place_id"] == snap_a["place_id"] and snap_b["selector"] == Selector(number=2)
    listed = [c.obj.id for c in snap_b["g1024"].children]
    assert listed == [ann.member_id]                       # without the entering user
    assert snap_b["g1024"].info.capacity > len(listed)
    assert all(not c.kind & wire.KIND_OWN for c in snap_b["g1024"].children)

    appeared = ann.expect(type=15, op=4)
    assert (appeared["key"], appeared["about"]) == (ann.key, snap_a["g1024"].id)
    assert appeared["child"].obj.id == bob.member_id
    assert appeared["child"].obj.position == Position.xy(3000, 4000)

    # talk: op 17 about the speaker to everyone below the addressed object
    bob.say("hello there")
    heard = ann.expect(type=15, op=17)
    assert (heard["about"], heard["object"], heard["text"], heard["value"]) == (
        bob.member_id, snap_a["place_id"], "hello there", 5)
    assert bob.expect(type=15, op=17)["text"] == "hello there"

    # whispers
    ann.whisper(bob.member_id, "psst", blob=b"\x01\x02")
    got = bob.expect(type=5)
    assert (got["recipient"], got["text"], got["blob"]) == (bob.member_id, "psst", b"\x01\x02")
    assert (got["record"].sender, got["record"].name) == (ann.member_id, "ann")
    assert got["record"].kind == wire.KIND_PERSON
    ann.whisper(424242, "nobody")
    refused = ann.expect(type=6)
    assert (refused["recipient"], refused["target"]) == (ann.member_id, 424242)

    # a move inside group 1024
    bob.move(snap_b["g1024"].id, Position.xy(5, 6))
    moved = ann.expect(type=15, op=6)
    assert (moved["about"], moved["dest"], moved["position"]) == (
        bob.member_id, snap_a["g1024"].id, Position.xy(5, 6))

    # a group at a position: the creator becomes its host in seat 1
    ann.make_group(0x202, Position.xy(7000, 7000), capacity=4, flags=1, name="pair")
    made = bob.expect(type=15, op=10)
    assert (made["about"], made["kind"], made["pair"]) == (ann.member_id, 0x202, 0)
    group_id = made["group"]
    assert ann.expect(type=15, op=10)["group"] == group_id
    assert bob.tree[ann.member_id]["parent"] == group_id

    # talk to the group reaches its member only
    ann.say("in the group", obj=group_id)
    assert ann.expect(type=15, op=17)["object"] == group_id
    bob.say("to the place")
    assert bob.expect(type=15, op=17)["text"] == "to the place"
    assert ann.expect(type=15, op=17)["text"] == "to the place"
    assert not [m for m in bob.received if m.get("text") == "in the group"]

    # leave: the others hear op 5 about the one who left
    bob.leave()
    gone = ann.expect(type=15, op=5)
    assert gone["about"] == bob.member_id and bob.member_id not in ann.tree

    ann.close()
    community_server.wait_log({"event": "end_frame"})
    closed = community_server.wait_log({"event": "closed", "seq_from_client": True})
    assert closed


def test_operations_with_a_stale_key_are_dropped(community_server, bots):
    ann = bots.bot("ann")
    bob = bots.bot("bob")
    ann.enter(PAGE, Position.xy(1, 1))
    bob.enter(PAGE, Position.xy(2, 2))
    ann.expect(type=15, op=4)
    bots.run(bob.bot.send(M.place_op(0, bob.member_id, 17, object=bob.place_id, value=5,
                                     text="old key", blob=b"")))
    community_server.wait_log({"event": "stale_key", "key": 0, "current": 1})
    bob.say("new key")
    assert ann.expect(type=15, op=17)["text"] == "new key"


def test_items_member_data_and_identity_are_relayed(community_server, bots):
    ann = bots.bot("ann")
    bob = bots.bot("bob")
    ann.enter(PAGE, Position.xy(1, 1))
    bob.enter(PAGE, Position.xy(2, 2))
    ann.expect(type=15, op=4)
    mood = wire.Item(wire.ITEM_TEXT, 7, "happy")
    bob.op(19, item=mood)
    assert ann.expect(type=15, op=19, about=bob.member_id)["item"] == mood
    bob.op(22, serial=2, has_data=1, data=b"picture")
    assert ann.expect(type=15, op=22, about=bob.member_id)["has_data"] == 1
    ann.op(21, about=bob.member_id, mode=0)
    assert ann.expect(type=15, op=21, about=bob.member_id)["blob"] == b"picture"
    bob.op(23, full_name="Bob B", location="Here", email="b@x")
    assert ann.expect(type=15, op=23)["full_name"] == "Bob B"
    bob.op(20, code=7)
    assert ann.expect(type=15, op=20)["code"] == 7


def test_queries_answered_with_descriptions(community_server, bots):
    ann = bots.bot("ann")
    ann.enter(PAGE, Position.xy(1, 1))
    ann.send(dict(type=10, a=ann.member_id, b=33, c=0, text="an", f1=0, f2=0))
    found = ann.expect(type=10)
    assert found["id"] == 33 and [p.id for p in found["persons"]] == [ann.member_id]
    assert found["persons"][0].place_text == PAGE
    ann.send(dict(type=25, flags=1, a=ann.member_id, b=0, c=0, flag=0))
    places = ann.expect(type=25)["places"]
    assert [(p.name, p.count) for p in places] == [(PAGE, 1)]
    ann.send(dict(type=19, sender=ann.member_id, person=ann.member_id, present=0))
    assert ann.expect(type=19)["present"] == 0


def test_place_queries_page_through_the_places_with_titles_and_counts(server_factory):
    server = server_factory(scenario={"places": [
        {"name": "http://a/", "kind": 0x880, "title": "Alpha"},
        {"name": "http://b/", "title": "Beta", "persons": [{"name": "pat"}]},
        {"name": "http://c/"}]})
    pool = BotPool(server.host, server.port)
    try:
        ann = pool.bot("ann")
        ann.enter("http://c/", Position.xy(1, 1))
        ann.send(dict(type=25, flags=1, a=ann.member_id, b=1, c=5, flag=1))
        page = ann.expect(type=25)
        assert (page["a"], page["b"], page["flag"], page["v1"], page["v2"]) == (1, 2, 1, 3, 2)
        assert [(p.name, p.text, p.count) for p in page["places"]] == [
            ("http://b/", "Beta", 1), ("http://c/", "", 1)]
        ann.send(dict(type=25, flags=1, a=ann.member_id, b=0, c=0, flag=0))
        community = ann.expect(type=25)
        assert [(p.kind, p.name, p.text) for p in community["places"]] == [
            (0x880, "http://a/", "Alpha"), (wire.KIND_PLACE, "http://b/", "Beta"),
            (wire.KIND_PLACE, "http://c/", "")]
        assert all(p.value16 > p.count for p in community["places"])
    finally:
        pool.stop()


@pytest.mark.parametrize("text, case, exact, found", [
    ("ANN", 0, 0, ["ann", "annabel"]),
    ("ANN", 1, 0, []),
    ("ann", 0, 1, ["ann"]),
    ("nab", 0, 0, ["annabel"]),
])
def test_look_ups_follow_the_case_and_exact_flags(community_server, bots, text, case, exact, found):
    ann = bots.bot("ann")
    ann.enter(PAGE, Position.xy(1, 1))
    bots.bot("annabel").enter("http://example.org/other", Position.xy(2, 2))
    ann.send(dict(type=10, a=ann.member_id, b=7, c=case, text=text, f1=exact, f2=0))
    answer = ann.expect(type=10)
    assert answer["id"] == 7
    assert sorted(p.name for p in answer["persons"]) == found
    for person in answer["persons"]:
        expected = PAGE if person.name == "ann" else "http://example.org/other"
        assert (person.text5, person.place_text) == (expected, expected)


def test_control_injects_closes_and_drops(community_server, bots):
    ann = bots.bot("ann")
    ann.enter(PAGE, Position.xy(1, 1))
    # an operation injected with the member's current key, fields as hex
    community_server.control("op", session="ann", about=ann.member_id, op=14, fields="0007")
    notice = ann.expect(type=15, op=14)
    assert (notice["key"], notice["value"]) == (ann.key, 7)
    community_server.control("message", session="ann", type=35,
                             fields=wire.Writer().text("note").bytes().hex())
    assert ann.expect(type=35)["text"] == "note"
    community_server.control("close", session="ann", code=224)
    assert ann.expect(type=3)["code"] == 224
    ann.expect(type="end")
    bob = bots.bot("bob")
    community_server.control("drop", session="bob")
    bob.expect(type="end")
    info = community_server.control("sessions")["sessions"]
    assert [s["ended"] for s in info] == [True, True]


def test_control_delay_and_pause(community_server, bots):
    ann = bots.bot("ann")
    ann.enter(PAGE, Position.xy(1, 1))
    community_server.control("pause", session="ann", seconds=0.6)
    community_server.control("delay", session="ann", seconds=0.3)
    started = time.monotonic()
    ann.say("late")
    assert ann.expect(type=15, op=17, timeout=5)["text"] == "late"
    assert time.monotonic() - started >= 0.85


def test_raw_bytes_reach_the_client_unframed(community_server, bots):
    ann = bots.bot("ann")
    # a keep-alive byte then a frame with the wrong sequence number
    community_server.control("raw", session="ann", hex="80" + "ff00000003000000")
    with pytest.raises(BotError, match="sequence"):
        ann.expect(type=15)


def test_scenario_items_references_and_persons(server_factory):
    scenario = {
        "items": [{"type": 0, "code": 1002, "value": "http://home/"},
                  {"type": 2, "code": 1019, "value": 5}],
        "references": [{"owner": 7, "kind": 289, "id": 8, "parent_le": 9}],
        "places": [{"name": PAGE, "persons": [{"name": "ghost", "position": [10, 20]}]}],
        "welcome": {"entry_count": 3, "full_name": "Ann A"},
    }
    srv = server_factory(scenario=scenario)
    pool = BotPool(srv.host, srv.port)
    try:
        ann = pool.bot("ann", start=False)
        hello = ann.connect()
        assert hello["items"] == [wire.Item(0, 1002, "http://home/"), wire.Item(2, 1019, 5)]
        assert hello["refs"] == [wire.ObjectRef(7, 289, 8, 9)] and hello["window"] == 0
        welcome = ann.login()
        assert (welcome["entry_count"], welcome["full_name"]) == (3, "Ann A")
        snap = ann.enter(PAGE, Position.xy(1, 1))["snapshot"]
        assert [c.obj.info.name for c in snap["g1024"].children] == ["ghost"]
    finally:
        pool.stop()


def test_resume_resends_what_the_client_missed(server_factory):
    srv = server_factory("--ack-every", "2", window_id=77)
    pool = BotPool(srv.host, srv.port)
    try:
        ann = pool.bot("ann")
        bob = pool.bot("bob")
        assert ann.window.window_id == 77 and bob.window.window_id == 78
        ann.enter(PAGE, Position.xy(1, 1))
        bob.enter(PAGE, Position.xy(2, 2))
        ann.expect(type=15, op=4)
        # the server confirms every 2 counted messages: login, welcome answer
        assert [m["count"] for m in ann.received if m.get("type") == 33][:1] == [2]
        assert ann.window.acknowledged >= 2
        pool.run(ann.bot.abort())               # TCP lost, no empty frame
        srv.wait_log({"event": "dropped"})
        bob.say("while you were away")
        srv.wait_log({"dir": "out", "member": ann.member_id, "msg": {"op": 17}})
        answer = ann.resume()
        assert answer["count"] == srv.control("sessions")["sessions"][0]["received"]
        assert ann.expect(type=15, op=17)["text"] == "while you were away"
        ann.say("back")
        assert bob.expect(type=15, op=17, match=lambda m: m["text"] == "back")
        srv.wait_log({"event": "resumed"})
    finally:
        pool.stop()


def test_resumed_hello_takes_the_session_over_from_a_connection_still_open(server_factory):
    """A resumed hello on a new connection while the server has not yet seen
    the old one end: the new connection carries the session on, the old one
    is dropped, and what the server sent unconfirmed is sent again."""
    srv = server_factory("--ack-every", "100", window_id=41)
    pool = BotPool(srv.host, srv.port)
    try:
        ann = pool.bot("ann")
        srv.control("say", session="ann", count=2)
        ann.expect(type=35, match=lambda m: m["text"] == "s2:")
        with socket.create_connection(("127.0.0.1", srv.port), 5) as s:
            s.settimeout(5)
            reader, writer = FrameReader(), FrameWriter()
            hello = M.encode(M.TO_SERVER, dict(type=0, major=3, minor=1, mode=5, window=41,
                                               received=ann.window.received - 1))
            s.sendall(writer.frame(hello))
            frames = []
            while len(frames) < 3:
                data = s.recv(4096)
                if not data:
                    break
                reader.feed(data)
                while (f := reader.next_frame()) is not False:
                    frames.append(f)
            answer = M.decode(M.TO_CLIENT, frames[1], resume=True)
            assert (answer["type"], answer["count"]) == (0, srv.control(
                "sessions")["sessions"][0]["received"])
            assert M.decode(M.TO_CLIENT, frames[2])["text"] == "s2:"
            taken = srv.wait_log({"event": "taken_over"})
            srv.wait_log({"event": "superseded", "conn": taken["conn"]})
            s.sendall(writer.frame(M.header(35) + wire.Writer().text("back").bytes()))
            srv.wait_log({"dir": "in", "msg": {"type": 35}})
            assert srv.control("sessions")["sessions"][0]["connected"]
    finally:
        pool.stop()


def test_resume_with_unknown_window_is_refused(server_factory):
    srv = server_factory(window_id=5)
    with socket.create_connection(("127.0.0.1", srv.port), 5) as s:
        s.settimeout(5)
        reader = FrameReader()
        hello = M.encode(M.TO_SERVER, dict(type=0, major=3, minor=1, mode=5, window=999,
                                           received=0))
        s.sendall(FrameWriter().frame(hello))
        frames = []
        while END not in frames:
            data = s.recv(4096)
            if not data:
                break
            reader.feed(data)
            while (f := reader.next_frame()) is not False:
                frames.append(f)
    assert len(frames[0]) == 4
    refusal = M.decode(M.TO_CLIENT, frames[1])
    assert (refusal["type"], refusal["code"]) == (3, 222)


def test_cli_prints_its_ports_and_stops_after_the_time_limit(server_factory):
    srv = server_factory("--time-limit", "1")
    assert srv.port and srv.ports["CONTROL"]
    assert srv.proc.wait(10) == 0
    assert srv.log()[-1] == dict(srv.log()[-1], event="stopped", why="time limit")


def test_pair_group_and_dissolving_seen_by_a_newcomer(community_server, bots):
    ann = bots.bot("ann")
    bob = bots.bot("bob")
    ann.enter(PAGE, Position.xy(1, 1))
    g1024 = bob.enter(PAGE, Position.xy(2, 2))["snapshot"]["g1024"].id
    ann.expect(type=15, op=4)
    # bob pairs with ann: a group of two, ann (the partner) its host
    bob.op(10, info=wire.GroupInfo(name="duo", capacity=2, flags=2), kind=0x202, other=g1024,
           value=0, pair=1, partner=ann.member_id)
    pair = ann.expect(type=15, op=10)
    assert (pair["about"], pair["pair"], pair["partner"]) == (bob.member_id, 1, ann.member_id)
    cy = bots.bot("cy")
    group = cy.enter(PAGE, Position.xy(3, 3))["snapshot"]["g1024"].children[0]
    assert group.kind == 0x202 and group.obj.host == ann.member_id
    assert sorted(c.obj.id for c in group.obj.children) == sorted([ann.member_id, bob.member_id])
    # bob moves out; with one member left the group dissolves (flag bit 1)
    bob.move(g1024, Position.xy(4, 4))
    assert cy.expect(type=15, op=6)["about"] == bob.member_id
    dan = bots.bot("dan")
    kids = dan.enter(PAGE, Position.xy(5, 5))["snapshot"]["g1024"].children
    assert sorted((c.kind, c.obj.id) for c in kids) == sorted(
        (0x100, m.member_id) for m in (ann, bob, cy))


def test_group_request_refusals(community_server, bots):
    ann = bots.bot("ann")
    ann.enter(PAGE, Position.xy(1, 1))
    # a group at a seat position is refused with op 11 about the requester
    ann.make_group(0x202, Position.seat(1))
    refused = ann.expect(type=15, op=11)
    assert (refused["about"], refused["kind"]) == (ann.member_id, 0x202)
    # a pair with an unknown partner too
    ann.op(10, info=wire.GroupInfo(capacity=2), kind=0x202, other=0, value=0, pair=1,
           partner=4242)
    assert ann.expect(type=15, op=11)["about"] == ann.member_id
    # a move into a container that does not exist is denied with op 9
    ann.move(777777, Position.xy(1, 1))
    denied = ann.expect(type=15, op=9)
    assert (denied["object"], denied["value"]) == (777777, 1)


def test_members_request_about_a_member(community_server, bots):
    ann = bots.bot("ann")
    bob = bots.bot("bob")
    bob.enter(PAGE, Position.xy(1, 1))
    ann.send(dict(type=21, a=1, b=bob.member_id, c=0, d=2, e=0, f=0))
    desc = ann.expect(type=21)
    assert (desc["recipient"], desc["desc"].id, desc["desc"].name) == (
        ann.member_id, bob.member_id, "bob")
    assert wire.kind_is_person(desc["desc"].kind)
    assert desc["desc"].position == Position.xy(1, 1)


def read_some(s, n, timeout=5):
    s.settimeout(timeout)
    data = b""
    while len(data) < n:
        chunk = s.recv(n - len(data))
        if not chunk:
            break
        data += chunk
    return data


def test_members_request_about_a_place_lists_its_corridor_and_held_back_observers(server_factory):
    srv = server_factory(scenario={"places": [{"name": PAGE, "observers": ["crowd1", "crowd2"]}]})
    pool = BotPool(srv.host, srv.port)
    try:
        ann = pool.bot("ann")
        bob = pool.bot("bob")
        ann.enter(PAGE, Position.xy(1, 1))
        bob.enter(PAGE)
        ann.send(dict(type=21, a=ann.member_id, b=0, c=ann.place_id, d=0, e=ann.place_id, f=0))
        answer = ann.expect(type=21)
        assert (answer["a"], answer["b"]) == (0, ann.place_id)
        corridor = answer["desc"]
        assert corridor.kind == wire.GROUP_1025
        assert [m.name for m in corridor.children] == ["bob", "crowd1", "crowd2"]
        assert corridor.value_a == 3
        # An object that does not exist is a fault of the asker.
        ann.send(dict(type=21, a=ann.member_id, b=0, c=0, d=0, e=987654, f=0))
        srv.wait_log({"event": "refused", "type": 21,
                      "error": "type 21 about unknown object 987654"}, timeout=10)
    finally:
        pool.stop()


@pytest.mark.parametrize("seq,first", [("on", "81 00000004 7f000001"),
                                       ("off", "00000004 7f000001")])
def test_first_frame_sequence_bytes_and_keepalive(server_factory, seq, first):
    srv = server_factory("--seq", seq, "--keepalive", "0.2")
    with socket.create_connection(("127.0.0.1", srv.port), 5) as s:
        expected = bytes.fromhex(first)
        assert read_some(s, len(expected)) == expected
        assert read_some(s, 2) == b"\x80\x80"           # idle: keep-alive bytes


def test_malformed_messages_and_bad_acknowledgements_are_logged(server_factory):
    srv = server_factory(window_id=3)
    pool = BotPool(srv.host, srv.port)
    try:
        ann = pool.bot("ann")
        pool.run(ann.bot.send_payload(bytes.fromhex("0005 00 0000")))     # cut short
        assert srv.wait_log({"event": "malformed"})["hex"] == "0005000000"
        ann.send(dict(type=33, count=50))                 # more than the server sent
        assert "acknowledged 50" in srv.wait_log({"event": "bad_ack"})["error"]
    finally:
        pool.stop()


def test_paced_writes_and_first_frame_option(server_factory):
    srv = server_factory("--first-frame", "0102030405")
    with socket.create_connection((srv.host, srv.port), 5) as raw:
        raw.settimeout(5)
        reader = FrameReader()
        while (first := reader.next_frame()) is False:
            reader.feed(raw.recv(100))
        assert first == bytes.fromhex("0102030405")
        raw.sendall(FrameWriter(True).frame(M.encode(M.TO_SERVER, dict(
            type=0, major=3, minor=1, mode=1, safe=0))))
        while reader.next_frame() is False:
            reader.feed(raw.recv(1000))
        srv.control("pace", session=1, seconds=0.05)
        srv.control("raw", session=1, hex="80" * 6)
        started = time.monotonic()
        chunks = []
        while sum(map(len, chunks)) < 6:
            chunks.append(raw.recv(100))
        assert b"".join(chunks) == b"\x80" * 6
        assert len(chunks) >= 3 and time.monotonic() - started >= 0.2


def test_a_full_room_leaves_the_entering_member_outside_until_it_is_freed(community_server,
                                                                          bots):
    ann = bots.bot("ann")
    bob = bots.bot("bob")
    community_server.control("full", place=PAGE)
    snap = ann.enter(PAGE, Position.xy(1000, 2000))["snapshot"]
    assert snap["code"] == 307
    assert ann.member_id not in [c.obj.id for c in snap["g1024"].children]
    assert community_server.wait_log({"event": "entered", "member": ann.member_id})["placed"] is False

    community_server.control("full", place=PAGE, on=False)
    snap = bob.enter(PAGE, Position.xy(3000, 4000))["snapshot"]
    assert snap["code"] == 0
    entry = community_server.wait_log({"event": "entered", "member": bob.member_id})
    assert entry["placed"] is True and entry["full"] is False


def test_service_members_are_made_known_and_requests_relayed_both_ways(community_server, bots):
    early = bots.bot("early")
    admin = bots.bot("AuditoriumAdmin", kind=321)
    # A client already there hears of the service; one that logs in later
    # hears of it after its welcome.
    assert early.expect(type=26)["ref"] == wire.ObjectRef(admin.member_id, 321, admin.member_id, 0)
    late = bots.bot("late")
    assert late.expect(type=26)["ref"].owner == admin.member_id
    late.request(admin.member_id, 1, "ADD Hall 1 Why?")
    asked = admin.expect(type=28)
    assert (asked["mode"], asked["text"], asked["record"].sender) == (1, "ADD Hall 1 Why?", late.member_id)
    admin.request(late.member_id, 20, "1", blob=b"\x01")
    answer = late.expect(type=28)
    assert (answer["mode"], answer["text"], answer["blob"]) == (20, "1", b"\x01")
    assert (answer["record"].sender, answer["record"].kind) == (admin.member_id, 321)
    # Plain members are no services: nobody hears of them.
    assert not [m for m in admin.received if m.get("type") == 26]


def test_an_auditoriums_snapshot_carries_its_rows(server_factory):
    srv = server_factory(scenario={"places": [{"name": "Hall", "kind": 2049, "rows": 20, "seats": 10,
                                               "row_name": "Row"}]})
    pool = BotPool(srv.host, srv.port)
    try:
        snap = pool.bot("ann").enter("Hall", Position.xy(1, 1))["snapshot"]
        assert (snap["v1"], snap["v2"], snap["location"]) == (20, 10, "Row")
    finally:
        pool.stop()
