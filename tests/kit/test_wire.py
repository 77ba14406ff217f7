"""The kit's coder against byte vectors worked out by hand from the protocol
description, and round trips of every record and message layout."""
import itertools

import pytest

from zrkit import messages as M
from zrkit import wire
from zrkit.framing import FrameWriter
from zrkit.wire import (Broadcast, Child, GroupForm, GroupInfo, Item, MemberRecord, NameKey,
                        NestedDesc, ObjectRef, PersonDesc, PersonForm, PersonInfo, PlaceDesc,
                        Position, Reader, Selector, TextMessage, WireError, Writer)


def h(text):
    return bytes.fromhex(text.replace(" ", ""))


# ---------------------------------------------------------------- golden vectors

GOLDEN_MESSAGES = [
    # the hello of a new session without the safe switch
    ("hello new", M.TO_SERVER, dict(type=0, major=3, minor=1, mode=1, safe=0),
     "0000 00 0003 0001 01 00"),
    ("hello resumed", M.TO_SERVER,
     dict(type=0, major=3, minor=1, mode=5, window=0x01020304, received=7),
     "0000 00 0003 0001 05 01020304 00000007"),
    ("login", M.TO_SERVER,
     dict(type=11, key=0, namekey=NameKey("Ann", 1), kind=0x100, credentials=h("0000")),
     "000b 00 0000 0003 416e6e 01 0100 00000002 0000"),
    ("leave", M.TO_SERVER, dict(type=14, key=1, id=1000, code=0),
     "000e 00 0001 000003e8 0000"),
    ("whisper", M.TO_SERVER, dict(type=5, sender=1000, text="hi", blob=h("0102"), target=1004),
     "0005 00 000003e8 0002 6869 00000002 0102 000003ec"),
    ("acknowledge", M.TO_SERVER, dict(type=33, count=1000), "0021 00 000003e8"),
    ("enter", M.TO_SERVER,
     M.place_op(0, 1000, 0, new_key=1, name="p", has_pos=1, position=Position.xy(1, 2),
                selector=Selector(number=1), text=""),
     "000f 00 0000 000003e8 0000 0001 0001 70 01 02 0001 0002 01 01 0000"),
    ("talk", M.TO_SERVER,
     M.place_op(1, 1000, 17, object=1001, value=5, text="yo", blob=b""),
     "000f 00 0001 000003e8 0011 000003e9 0005 0002 796f 00000000"),
    ("data request without blob is two bytes of fields", M.TO_SERVER,
     M.place_op(1, 1004, 21, mode=3, blob=None), "000f 00 0001 000003ec 0015 0003"),
    ("close 222", M.TO_CLIENT,
     dict(type=3, code=222, module=1, error=12, offending=h("abcd"), offset=1),
     "0003 00 00de 01 0c 00000002 abcd 00000001"),
    ("object reference, parent little-endian", M.TO_CLIENT,
     dict(type=26, ref=ObjectRef(1, 0x121, 2, 3)), "001a 00 00000001 0121 00000002 03000000"),
    ("window acknowledgement", M.TO_CLIENT, dict(type=33, count=5), "0021 00 00000005"),
    ("hello answer, new session", M.TO_CLIENT,
     dict(type=0, major=3, minor=1, refs=[], items=[Item(wire.ITEM_U32, 1019, 7)], window=9),
     "0000 00 0003 0001 0000 0001 02 03fb 00000007 00000009"),
    ("hello answer, resumed", M.TO_CLIENT, dict(type=0, resume=True, major=3, minor=1, count=4),
     "0000 00 0003 0001 00000004"),
    ("welcome", M.TO_CLIENT,
     dict(type=12, key=0, member=1000, name="A", kind=0x100, place_id=1, g1025=2, g1024=3,
          entry_count=1, member_flags=0, full_name=None),
     "000c 00 0000 000003e8 0001 41 0100 00000001 00000002 00000003 0001 0000"),
    ("whisper delivered", M.TO_CLIENT,
     dict(type=5, recipient=1004, text="", blob=b"", record=TextMessage(1000, 0x100, "A", 0, 1),
          text2=""),
     "0005 00 000003ec 0000 00000000 000003e8 0100 0001 41 00 01000000 0000"),
    ("whisper refused", M.TO_CLIENT, dict(type=6, recipient=1000, target=5, code=1),
     "0006 00 000003e8 00000005 0001"),
]


@pytest.mark.parametrize("name,direction,msg,expected", GOLDEN_MESSAGES,
                         ids=[g[0] for g in GOLDEN_MESSAGES])
def test_golden_messages(name, direction, msg, expected):
    payload = M.encode(direction, msg)
    assert payload == h(expected)
    back = M.decode(direction, payload, resume=bool(msg.get("resume")))
    for key, value in msg.items():
        assert back[key] == value, key


def test_hello_frame_of_a_new_session():
    frame = FrameWriter(seq=True).frame(M.encode(M.TO_SERVER, dict(
        type=0, major=3, minor=1, mode=1, safe=0)))
    assert frame == h("81 00000009 0000 00 0003 0001 01 00")


def test_channel_prefix_before_the_inner_message():
    payload = M.encode(M.TO_CLIENT, dict(type=2, channel=7, inner=dict(type=3, code=220)))
    assert payload == h("0002 00000007" "0003 00 00dc")
    assert M.decode(M.TO_CLIENT, payload)["inner"]["code"] == 220


GOLDEN_VALUES = [
    ("no position", lambda w: Position().encode(w), "00"),
    ("seat", lambda w: Position.seat(3).encode(w), "01 0003"),
    ("x y", lambda w: Position.xy(100, 200).encode(w), "02 0064 00c8"),
    ("named position", lambda w: Position.named("ab").encode(w), "03 0002 6162"),
    ("text item", lambda w: Item(wire.ITEM_TEXT, 1002, "x").encode(w), "00 03ea 0001 78"),
    ("blob item", lambda w: Item(wire.ITEM_BLOB, 1, b"\x09").encode(w), "01 0001 00000001 09"),
    ("u16 item", lambda w: Item(wire.ITEM_U16, 1022, 0x1234).encode(w), "03 03fe 1234"),
    ("byte item", lambda w: Item(wire.ITEM_U8, 2, 0x7F).encode(w), "04 0002 7f"),
    ("bool item", lambda w: Item(wire.ITEM_BOOL, 3, True).encode(w), "05 0003 01"),
    ("item without value, short form", lambda w: Item(3, 5).encode(w, full=False), "83 0005"),
    ("selector by number", lambda w: Selector(number=2).encode(w), "01 02"),
    ("selector by name", lambda w: Selector(name="r").encode(w), "00 0001 72"),
    ("person marshal form, info short, value little-endian",
     lambda w: PersonForm(7, Position.xy(1, 1), PersonInfo(
         "b", MemberRecord(2, True, b"zz"), [], value_le=0x0100007F), 1, 2).encode(w),
     "00000007 02 0001 0001 00 0001 62 02 01 0000 0000 0000 0000 0000 7f000001 01 0002"),
    ("group info in full form carries the data blob",
     lambda w: GroupInfo("", MemberRecord(1, True, b"d"), [], 2, 5).encode(w, full=True),
     "01 0000 01 01 00000001 64 0000 0002 0005"),
    ("group with a host child",
     lambda w: GroupForm(9, Position(), GroupInfo(capacity=4), [
         Child(0x100, PersonForm(7))], host=7).encode(w),
     "00000009 00 00 0000 01 00 0000 0004 0000 0001"
     " 0100 00000007 00 00 0000 01 00 0000 0000 0000 0000 0000 00000000 01 0000"
     " 01 00000007"),
]


@pytest.mark.parametrize("name,write,expected", GOLDEN_VALUES, ids=[g[0] for g in GOLDEN_VALUES])
def test_golden_values(name, write, expected):
    w = Writer()
    write(w)
    assert w.bytes() == h(expected)


# ---------------------------------------------------------------- reader rules

def test_text_limits():
    assert len(Writer().text("a" * 0x7FFF).bytes()) == 0x8001
    with pytest.raises(WireError):
        Writer().text("a" * 0x8000)
    with pytest.raises(WireError):  # negative length, even with the bytes present
        Reader(h("8000") + b"a" * 0x8000).text()
    assert Reader(h("0003 610062")).text_bytes() == b"a\x00b"


@pytest.mark.parametrize("data,ok", [("0100", True), ("0800", True), ("0900", False),
                                     ("0001", False), ("0180", True)])
def test_kind_needs_exactly_one_class_bit(data, ok):
    if ok:
        assert Reader(h(data)).kind() == int(data, 16)
    else:
        with pytest.raises(WireError):
            Reader(h(data)).kind()


@pytest.mark.parametrize("data,expected", [("fe", 0), ("03", 1), ("01", 1)])
def test_flag_keeps_bit_0(data, expected):
    assert Reader(h(data)).flag() == expected


@pytest.mark.parametrize("data", [
    "0006 0001 00",              # item type 6
    "0001 83 0005",              # item without value in a table (short form refused)
    "0001 02 0005 0000",         # short u32 value
])
def test_bad_item_tables(data):
    with pytest.raises(WireError):
        wire.decode_items(Reader(h(data)), full=False)


def test_item_table_merges_by_code():
    items = wire.decode_items(Reader(h("0002 03 0001 0005 03 0001 0006")))
    assert items == [Item(3, 1, 6)]


@pytest.mark.parametrize("data", ["05", "02 0001", "03 0005 61"])
def test_bad_positions(data):
    with pytest.raises(WireError):
        Position.decode(Reader(h(data)))


def test_group_host_must_be_a_person_child():
    w = Writer()
    GroupForm(9, info=GroupInfo(capacity=4), children=[Child(0x100, PersonForm(7))],
              host=8).encode(w)
    with pytest.raises(WireError):
        GroupForm.decode(Reader(w.bytes()))


def test_child_person_with_own_bit_is_refused():
    w = Writer()
    Child(0x180, PersonForm(7)).encode(w)
    with pytest.raises(WireError):
        Child.decode(Reader(w.bytes()))


@pytest.mark.parametrize("payload,fields_at", [
    ("0005 00", 3), ("0005 81 00", 4), ("0005 81 82 00", 5), ("0002", 2), ("0004", 2)])
def test_header_extension_bytes(payload, fields_at):
    t, flags, r = M.parse_header(h(payload))
    assert r.pos == fields_at


def test_header_cut_inside_is_an_error():
    for payload in ("00", "0005", "0005 81"):
        with pytest.raises(WireError):
            M.parse_header(h(payload))


# ---------------------------------------------------------------- round trips

PERSON = PersonForm(7, Position.xy(10, 20), PersonInfo("p", MemberRecord(3, True), [
    Item(wire.ITEM_TEXT, 1, "mood")], "Full", "Here", "e@x", "4th", 0xA1B2C3D4), 2, 0x0A)
GROUP = GroupForm(9, Position.named("n"), GroupInfo("g", MemberRecord(), [], 6, 0x13),
                  [Child(0x100, PERSON), Child(0x202, GroupForm(11, info=GroupInfo(capacity=2)))],
                  host=7)

RECORDS = [
    (Position, Position.seat(4)),
    (Position, Position.named("window")),
    (Item, Item(wire.ITEM_U32, 1019, 0xDEADBEEF)),
    (Item, Item(wire.ITEM_BLOB, 5, bytes(range(10)))),
    (PersonForm, PERSON),
    (GroupForm, GROUP),
    (Child, Child(0x200, GROUP)),
    (NameKey, NameKey("someone", 3)),
    (Selector, Selector(name="room")),
    (ObjectRef, ObjectRef(1, 0x143, 2, 0x01020304)),
    (TextMessage, TextMessage(1, 0x101, "n", 2, 0x11223344)),
    (Broadcast, Broadcast(["a", "b", "c"], b"pic", [1, 2, 3, 4, 5], b"m", [6, 7, 8, 9], b"l")),
    (PersonDesc, PersonDesc(5, 0x101, True, "n", 2, ["x", "y", "z"], 9, "t4", "t5", 0x840, 3,
                            77, "pl", 0x400, True, [Item(wire.ITEM_U8, 1, 2)])),
    (PersonDesc, PersonDesc(5, place_kind=0x800)),
    (PlaceDesc, PlaceDesc(0x840, "n", "t", 3, 4, 5, 6, 2)),
    (PlaceDesc, PlaceDesc(0x800, "n", "t", 3, 4, 5, 6)),
    (NestedDesc, NestedDesc(1, 0x840, True, "pl", Position(), [], 5, 2, 0, [
        NestedDesc(2, 0x100, name="p", texts=["a", "b", "c"], value_le=3),
        NestedDesc(3, 0x200, capacity=2, value_a=0)], place_byte=4)),
]


@pytest.mark.parametrize("cls,record", RECORDS, ids=[type(r[1]).__name__ for r in RECORDS])
def test_record_round_trip(cls, record):
    w = Writer()
    record.encode(w)
    r = Reader(w.bytes())
    assert cls.decode(r) == record
    assert r.at_end()


@pytest.mark.parametrize("info", [PersonInfo("a", MemberRecord(1, True, b"x")),
                                  GroupInfo("g", MemberRecord(4, True, b"yy"), [], 3, 1)])
def test_info_full_and_short_forms(info):
    for full in (False, True):
        w = Writer()
        info.encode(w, full=full)
        back = type(info).decode(Reader(w.bytes()))
        assert back.member.data == (info.member.data if full else b"")
        assert back.member.has_data == info.member.has_data


def test_nested_description_counts_over_capacity_fail():
    w = Writer()
    NestedDesc(1, 0x200, capacity=1, value_a=2).encode(w)
    with pytest.raises(WireError):
        NestedDesc.decode(Reader(w.bytes()))


SAMPLES = {
    "u8": 0x7E, "u16": 0xBEEF, "u32": 0xCAFEF00D, "u32le": 0x01020304, "flag": 1, "bool": 1,
    "text": "text", "blob": b"\x00\x01blob", "kind": 0x201, "pos": Position.xy(3, 4),
    "sel": Selector(number=5), "child": Child(0x100, PERSON), "person": PERSON, "group": GROUP,
    "ginfo": GroupInfo("g", MemberRecord(2, True), [], 5, 1),
    "ginfo_full": GroupInfo("g", MemberRecord(2, True, b"d"), [], 5, 1),
    "item": Item(wire.ITEM_U16, 9, 99), "items": [Item(wire.ITEM_TEXT, 1, "x")],
    "namekey": NameKey("k", 2), "oref": ObjectRef(1, 0x121, 2, 3),
    "tmsg": TextMessage(1, 0x100, "s", 0, 1), "bcast": Broadcast(),
    "pdesc": PersonDesc(3, name="d"), "pldesc": PlaceDesc(0x840, "pl", number=2),
    "ndesc": NestedDesc(4, wire.GROUP_1025, name="c", value_a=1,
                        children=[NestedDesc(5, 0x100, name="p", texts=["f", "l", "e"])]),
}


def _snapshot(second, kind):
    s = dict(place_id=1, kind=kind, g1025=2, g1024=GroupForm(3, info=GroupInfo(capacity=5),
                                                             children=[Child(0x100, PERSON)]),
             code=0, last="last")
    if second:
        s.update(name="room", selector=Selector(number=1))
    if wire.normalise_place_kind(kind) == 2049:
        s.update(v1=1, v2=2, location="loc")
    return s


def _sample(form):
    if isinstance(form, tuple) and form[0] in ("list", "rest"):
        return [_sample(form[-1]), _sample(form[-1])]
    if isinstance(form, tuple) and form[0] == "opt":
        return _sample(form[1])
    return SAMPLES[form]


def _variants(fields):
    """Every combination of the values that switch conditional fields."""
    keys = sorted({f[1][1] for f in fields if isinstance(f[1], tuple)
                   and f[1][0] in ("when", "unless")})
    choices = {"has_pos": (0, 1), "with_child": (0, 1), "pair": (0, 1), "has_data": (0, 1),
               "present": (0, 1), "open": (0, 1), "mode": (1, 5), "code": (222, 3),
               "field": (0, 2)}
    for combo in itertools.product(*(choices[k] for k in keys)):
        chosen = dict(zip(keys, combo))
        msg = {}
        for name, form in fields:
            if name in chosen:
                msg[name] = chosen[name]
            elif isinstance(form, tuple) and form[0] in ("when", "unless"):
                if (chosen[form[1]] == form[2]) == (form[0] == "when"):
                    msg[name] = _sample(form[3])
            else:
                msg[name] = _sample(form)
        yield msg


def _layouts():
    for direction in (M.TO_SERVER, M.TO_CLIENT):
        for t, fields in M.TYPES[direction].items():
            if fields:
                yield direction, dict(type=t), fields
        for op, fields in M.OPS[direction].items():
            if op in (1, 3) and direction == M.TO_CLIENT:
                continue
            yield direction, M.place_op(2, 1000, op), fields
    yield M.TO_SERVER, dict(type=0), M._HELLO_TO_SERVER
    yield M.TO_CLIENT, dict(type=0), M.HELLO_ANSWER_NEW
    yield M.TO_CLIENT, dict(type=0, resume=True), M.HELLO_ANSWER_RESUME
    yield M.TO_CLIENT, dict(type=3), M._CLOSE


LAYOUTS = list(_layouts())


@pytest.mark.parametrize("direction,head,fields", LAYOUTS, ids=[
    "%s-%s%s" % (d, "op" if h_["type"] == 15 else "type", h_.get("op", h_["type"]))
    for d, h_, _ in LAYOUTS])
def test_message_round_trip(direction, head, fields):
    for values in _variants(fields):
        msg = dict(head, **values)
        payload = M.encode(direction, msg)
        back = M.decode(direction, payload, resume=bool(msg.get("resume")))
        assert "trailing" not in back
        for key, value in msg.items():
            assert back[key] == value, (key, values)


@pytest.mark.parametrize("kind", [0x800, 0x801, 0x821, 0x840])
@pytest.mark.parametrize("op", [1, 3])
def test_snapshot_round_trip(op, kind):
    fields = dict(snapshot=_snapshot(op == 3, kind))
    if op == 1:
        fields.update(name="g", has_pos=1, position=Position.xy(1, 1), selector=Selector(name="s"))
    msg = M.place_op(1, 1000, op, **fields)
    back = M.decode(M.TO_CLIENT, M.encode(M.TO_CLIENT, msg))
    assert back["snapshot"] == fields["snapshot"]


def test_snapshot_without_last_text_and_with_zero_ids():
    snap = dict(_snapshot(True, 0x800), last=None)
    payload = M.encode(M.TO_CLIENT, M.place_op(1, 1000, 3, snapshot=snap))
    assert M.decode(M.TO_CLIENT, payload)["snapshot"]["last"] is None
    bad = dict(snap, g1025=0)
    with pytest.raises(WireError):
        M.decode(M.TO_CLIENT, M.encode(M.TO_CLIENT, M.place_op(1, 1000, 3, snapshot=bad)))


def test_unknown_op_keeps_its_bytes():
    payload = h("000f 01 0001 000003e8 0028 abcdef")
    msg = M.decode(M.TO_CLIENT, payload)
    assert (msg["flags"], msg["op"], msg["raw"]) == (1, 40, h("abcdef"))
    assert M.encode(M.TO_CLIENT, msg) == payload
