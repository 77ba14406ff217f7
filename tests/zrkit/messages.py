"""Protocol messages: the header, the fields of every message type in both
directions, and the place operations carried by type 15.

A decoded message is a dict: {"type": T, "flags": F, <field>: value, ...};
records are the dataclasses of `wire`. `encode(direction, msg)` writes such a
dict back. Direction TO_SERVER is what a client sends, TO_CLIENT what the
server sends. Field lists are tables of (name, form); forms:
  a primitive or record name ("u16", "text", "pos", "child", ...),
  ("opt", form)            present when bytes remain / when not None,
  ("when", key, v, form)   present when the earlier field `key` equals v,
  ("unless", key, v, form) present when it does not,
  ("list", count, form)    a count of the given form and that many elements,
  ("rest", form)           elements until the message ends.
"""
import dataclasses

from . import wire
from .wire import Reader, Writer, WireError

TO_SERVER = "to_server"
TO_CLIENT = "to_client"

NO_FLAGS_BYTE = (2, 4)


# ---------------------------------------------------------------- header

def header(msg_type, flags=0):
    w = Writer().u16(msg_type)
    if msg_type not in NO_FLAGS_BYTE:
        w.u8(flags)
    return w.bytes()


def parse_header(payload):
    """Returns (type, flags, reader after the header). The flags byte and any
    extension bytes (while bit 7 is set) are skipped."""
    r = Reader(payload)
    msg_type = r.u16()
    flags = 0
    if msg_type not in NO_FLAGS_BYTE:
        flags = r.u8()
        b = flags
        while b & 0x80:
            b = r.u8()
    return msg_type, flags, r


def is_counted(msg_type):
    return msg_type not in (0, 33)


# ---------------------------------------------------------------- forms

def _snapshot(second):
    def enc(w, s):
        w.u32(s["place_id"]).kind(s["kind"])
        if second:
            w.text(s["name"])
            s["selector"].encode(w)
        w.u32(s["g1025"])
        s["g1024"].encode(w)
        w.u16(s.get("code", 0))
        if wire.normalise_place_kind(s["kind"]) == 2049:
            w.u16(s.get("v1", 0)).u16(s.get("v2", 0)).text(s.get("location", ""))
        if s.get("last") is not None:
            w.text(s["last"])

    def dec(r):
        s = {"place_id": r.u32(), "kind": r.kind()}
        if not s["kind"] & wire.KIND_PLACE:
            raise WireError("snapshot place kind 0x%04x" % s["kind"])
        if second:
            s["name"] = r.text()
            s["selector"] = wire.Selector.decode(r)
        s["g1025"] = r.u32()
        s["g1024"] = wire.GroupForm.decode(r)
        s["code"] = r.u16()
        if wire.normalise_place_kind(s["kind"]) == 2049:
            s["v1"], s["v2"], s["location"] = r.u16(), r.u16(), r.text()
        s["last"] = r.text() if not r.at_end() else None
        if s["place_id"] == 0 or s["g1025"] == 0 or s["g1024"].id == 0:
            raise WireError("snapshot with an identifier 0")
        return s
    return enc, dec


def _record(cls, **kw):
    return (lambda w, v: v.encode(w, **kw)), cls.decode


def _prim(name):
    return (lambda w, v: getattr(w, name)(v)), (lambda r: getattr(r, name)())


FORMS = {name: _prim(name) for name in ("u8", "u16", "u32", "u32le", "text", "blob", "kind")}
FORMS.update({
    "flag": ((lambda w, v: w.flag(v)), (lambda r: r.flag())),
    "bool": ((lambda w, v: w.flag(v)), (lambda r: r.flag())),
    "pos": _record(wire.Position),
    "sel": _record(wire.Selector),
    "child": _record(wire.Child),
    "person": _record(wire.PersonForm),
    "group": _record(wire.GroupForm),
    "ginfo": _record(wire.GroupInfo),
    "ginfo_full": ((lambda w, v: v.encode(w, full=True)), wire.GroupInfo.decode),
    "item": _record(wire.Item),
    "items": ((lambda w, v: wire.encode_items(w, v)), wire.decode_items),
    "namekey": _record(wire.NameKey),
    "oref": _record(wire.ObjectRef),
    "tmsg": _record(wire.TextMessage),
    "bcast": _record(wire.Broadcast),
    "pdesc": _record(wire.PersonDesc),
    "ndesc": _record(wire.NestedDesc),
    "pldesc": _record(wire.PlaceDesc),
    "snap1": _snapshot(False),
    "snap2": _snapshot(True),
})


def _encode_form(w, form, value):
    if isinstance(form, tuple) and form[0] == "list":
        FORMS[form[1]][0](w, len(value))
        for v in value:
            _encode_form(w, form[2], v)
    elif isinstance(form, tuple) and form[0] == "rest":
        for v in value:
            _encode_form(w, form[1], v)
    else:
        FORMS[form][0](w, value)


def _decode_form(r, form):
    if isinstance(form, tuple) and form[0] == "list":
        return [_decode_form(r, form[2]) for _ in range(FORMS[form[1]][1](r))]
    if isinstance(form, tuple) and form[0] == "rest":
        out = []
        while not r.at_end():
            out.append(_decode_form(r, form[1]))
        return out
    return FORMS[form][1](r)


def encode_fields(w, fields, values):
    for name, form in fields:
        if isinstance(form, tuple) and form[0] in ("when", "unless"):
            hit = values.get(form[1]) == form[2]
            if hit == (form[0] == "when"):
                _encode_form(w, form[3], values[name])
        elif isinstance(form, tuple) and form[0] == "opt":
            if values.get(name) is not None:
                _encode_form(w, form[1], values[name])
        else:
            if name not in values:
                raise WireError("field %r missing" % name)
            _encode_form(w, form, values[name])


def decode_fields(r, fields, out):
    for name, form in fields:
        if isinstance(form, tuple) and form[0] in ("when", "unless"):
            hit = out.get(form[1]) == form[2]
            if hit == (form[0] == "when"):
                out[name] = _decode_form(r, form[3])
        elif isinstance(form, tuple) and form[0] == "opt":
            out[name] = None if r.at_end() else _decode_form(r, form[1])
        else:
            out[name] = _decode_form(r, form)
    return out


# ---------------------------------------------------------------- place operations

_ENTER = [("has_pos", "flag"), ("position", ("when", "has_pos", 1, "pos")),
          ("selector", "sel"), ("text", "text")]

OPS_TO_SERVER = {
    0: [("new_key", "u16"), ("name", "text")] + _ENTER,
    1: [("name", "text")] + _ENTER,
    6: [("dest", "u32"), ("position", "pos"), ("value", "u16"), ("with_child", "flag"),
        ("child", ("when", "with_child", 1, "child"))],
    7: [("dest", "u32"), ("value", "u16"), ("value2", "u16")],
    8: [("dest", "u32"), ("value", "u16")],
    10: [("info", "ginfo_full"), ("kind", "kind"), ("other", "u32"), ("value", "u16"),
         ("pair", "flag"), ("partner", ("when", "pair", 1, "u32")),
         ("position", ("unless", "pair", 1, "pos"))],
    15: [("target", "u32")],
    16: [],
    17: [("object", "u32"), ("value", "u16"), ("text", "text"), ("blob", "blob")],
    18: [("object", "u32")],
    19: [("item", "item")],
    20: [("code", "u16")],
    21: [("mode", "u16"), ("blob", ("opt", "blob"))],
    22: [("serial", "u8"), ("has_data", "flag"), ("data", ("when", "has_data", 1, "blob"))],
    23: [("full_name", "text"), ("location", "text"), ("email", "text")],
    25: [("group", "u32"), ("position", "pos")],
    26: [("group", ("opt", "u32"))],
    28: [("value", "u16"), ("id", "u32"), ("namekey", "namekey"), ("value2", ("opt", "u16"))],
    29: [("value", "u16"), ("id", "u32"), ("namekey", "namekey"), ("value2", ("opt", "u16"))],
}

OPS_TO_CLIENT = {
    1: [("name", "text"), ("has_pos", "flag"), ("position", ("when", "has_pos", 1, "pos")),
        ("selector", "sel"), ("snapshot", "snap1")],
    2: [("value", "u16")],
    3: [("snapshot", "snap2")],
    4: [("child", "child")],
    5: [("text", "text")],
    6: OPS_TO_SERVER[6],
    9: [("code", "u16"), ("object", "u32"), ("value", "u16")],
    10: [("info", "ginfo"), ("kind", "kind"), ("group", "u32"), ("value", "u16"),
         ("pair", "flag"), ("partner", ("when", "pair", 1, "u32")),
         ("position", ("unless", "pair", 1, "pos"))],
    11: [("code", "u16"), ("kind", "kind"), ("value", "u16")],
    12: [("group", "u32")],
    13: [("group", "u32")],
    14: [("value", "u16")],
    15: [("object", "u32")],
    16: [],
    17: OPS_TO_SERVER[17],
    18: [("object", "u32")],
    19: [("item", "item")],
    20: [("code", "u16")],
    21: [("value", "u16"), ("blob", ("opt", "blob"))],
    22: [("serial", "u8"), ("has_data", "flag")],
    23: OPS_TO_SERVER[23],
    24: [("member_flags", "u16")],
    25: OPS_TO_SERVER[25],
    26: [],
    27: [("value", "u16")],
    28: [("value", "u16"), ("id", "u32"), ("namekey", "namekey"), ("value2", "u16")],
    29: [("value", "u16"), ("id", "u32"), ("namekey", "namekey"), ("value2", "u16")],
    30: [("value", "u16"), ("id", "u32"), ("field", "u16"),
         ("keys", ("when", "field", 0, ("list", "u32", "namekey"))),
         ("keys_rest", ("unless", "field", 0, ("rest", "namekey")))],
    31: [("value", "u16"), ("id", "u32"), ("value2", "u16"), ("flag", "flag")],
}

OPS = {TO_SERVER: OPS_TO_SERVER, TO_CLIENT: OPS_TO_CLIENT}


# ---------------------------------------------------------------- message types

TYPES_TO_SERVER = {
    3: None,  # close, see _CLOSE
    5: [("sender", "u32"), ("text", "text"), ("blob", "blob"), ("target", "u32")],
    7: [("id", "u32"), ("record", "bcast"), ("flag", ("opt", "bool"))],
    10: [("a", "u32"), ("b", "u32"), ("c", "u32"), ("text", "text"), ("f1", "bool"),
         ("f2", "bool")],
    11: [("key", "u16"), ("namekey", "namekey"), ("kind", "kind"), ("credentials", "blob")],
    13: [("key", "u16"), ("person", "person"), ("login1", "u32"), ("login2", "u32")],
    14: [("key", "u16"), ("id", "u32"), ("code", "u16")],
    19: [("sender", "u32"), ("person", "u32"), ("present", "bool"),
         ("blob", ("when", "present", 1, "blob"))],
    21: [("a", "u32"), ("b", "u32"), ("c", "u32"), ("d", "u16"), ("e", "u32"), ("f", "u32")],
    23: [("id", "u32"), ("text1", "text"), ("text2", "text")],
    24: [("a", "u32"), ("b", "u32")],
    25: [("a", "u32"), ("b", "u32"), ("c", "u32"), ("flag", "bool")],
    28: [("sender", "u32"), ("value", "u32"), ("mode", "u16"), ("text", "text"),
         ("blob", "blob"), ("target", "u32")],
    33: [("count", "u32")],
}

TYPES_TO_CLIENT = {
    1: [("channel", "u32"), ("name", "text")],
    5: [("recipient", "u32"), ("text", "text"), ("blob", "blob"), ("record", "tmsg"),
        ("text2", "text")],
    6: [("recipient", "u32"), ("target", "u32"), ("code", "u16")],
    7: [("recipient", "u32"), ("record", "bcast")],
    8: [("recipient", "u32"), ("value", "u16")],
    10: [("recipient", "u32"), ("id", "u32"), ("text", "text"),
         ("persons", ("list", "u32", "pdesc"))],
    12: [("key", "u16"), ("member", "u32"), ("name", "text"), ("kind", "kind"),
         ("place_id", "u32"), ("g1025", "u32"), ("g1024", "u32"), ("entry_count", "u16"),
         ("member_flags", "u16"), ("full_name", ("opt", "text"))],
    14: [("key", "u16"), ("id", "u32"), ("code", "u16")],
    16: [("recipient", "u32"), ("text", "text")],
    17: [("recipient", "u32"), ("action", "u8"), ("member", "u32")],
    18: [("recipient", "u32"), ("action", "u8")],
    19: [("recipient", "u32"), ("person", "u32"), ("present", "bool"),
         ("blob", ("when", "present", 1, "blob"))],
    20: [("recipient", "u32"), ("a", "u32"), ("b", "u16")],
    21: [("recipient", "u32"), ("a", "u32"), ("b", "u32"), ("c", "u16"), ("d", "u32"),
         ("desc", "ndesc")],
    22: [("recipient", "u32"), ("a", "u32"), ("b", "u32"), ("c", "u32"), ("d", "u16")],
    25: [("recipient", "u32"), ("a", "u32"), ("b", "u32"), ("flag", "bool"), ("v1", "u32"),
         ("v2", "u32"), ("v3", "u32"), ("places", ("list", "u32", "pldesc"))],
    26: [("ref", "oref")],
    27: [("owner", "u32")],
    28: [("recipient", "u32"), ("id", "u32"), ("mode", "u16"), ("text", "text"),
         ("blob", "blob"), ("record", "tmsg")],
    29: [("recipient", "u32"), ("id", "u32"), ("mode", "u16"), ("text", "text"),
         ("blob", "blob"), ("member", "u32")],
    30: [("recipient", "u32"), ("a", "u32"), ("b", "u32"), ("c", "u16")],
    31: [("recipient", "u32"), ("a", "u32"), ("b", "u32"), ("c", "u16")],
    32: [("recipient", "u32"), ("kind", "kind")],
    33: [("count", "u32")],
    35: [("text", "text")],
    36: [("open", "bool"), ("channel", "u32"), ("name", "text"),
         ("value", ("unless", "open", 1, "u32"))],
}

TYPES = {TO_SERVER: TYPES_TO_SERVER, TO_CLIENT: TYPES_TO_CLIENT}

_CLOSE = [("code", "u16"), ("module", ("when", "code", 222, "u8")),
          ("error", ("when", "code", 222, "u8")), ("offending", ("when", "code", 222, "blob")),
          ("offset", ("when", "code", 222, "u32"))]

_HELLO_TO_SERVER = [("major", "u16"), ("minor", "u16"), ("mode", "u8"),
                    ("safe", ("when", "mode", 1, "u8")),
                    ("window", ("when", "mode", 5, "u32")),
                    ("received", ("when", "mode", 5, "u32"))]
HELLO_ANSWER_NEW = [("major", "u16"), ("minor", "u16"), ("refs", ("list", "u16", "oref")),
                    ("items", "items"), ("window", ("opt", "u32"))]
HELLO_ANSWER_RESUME = [("major", "u16"), ("minor", "u16"), ("count", "u32")]


def _fields_for(direction, msg_type, msg):
    if msg_type == 0:
        if direction == TO_SERVER:
            return _HELLO_TO_SERVER
        return HELLO_ANSWER_RESUME if msg.get("resume") else HELLO_ANSWER_NEW
    if msg_type == 3:
        return _CLOSE
    table = TYPES[direction].get(msg_type)
    if table is None:
        raise WireError("no layout for type %d %s" % (msg_type, direction))
    return table


# ---------------------------------------------------------------- encode / decode

def encode(direction, msg):
    """Writes a message dict as a frame payload."""
    t = msg["type"]
    w = Writer().raw(header(t, msg.get("flags", 0)))
    if t == 2:
        w.u32(msg["channel"]).raw(encode(direction, msg["inner"]) if isinstance(
            msg["inner"], dict) else msg["inner"])
    elif t == 15:
        w.u16(msg.get("key", 0)).u32(msg["about"]).u16(msg["op"])
        fields = OPS[direction].get(msg["op"])
        if fields is None:
            w.raw(msg.get("raw", b""))
        else:
            encode_fields(w, fields, msg)
    else:
        encode_fields(w, _fields_for(direction, t, msg), msg)
    return w.bytes()


def decode(direction, payload, resume=False):
    """Reads a frame payload into a message dict; raises WireError when it is
    malformed. `resume` picks the resumed form of a type-0 answer."""
    t, flags, r = parse_header(payload)
    msg = {"type": t, "flags": flags}
    if t == 2:
        msg["channel"] = r.u32()
        msg["inner"] = decode(direction, r.rest())
        return msg
    if t == 15:
        msg.update(key=r.u16(), about=r.u32(), op=r.u16())
        fields = OPS[direction].get(msg["op"])
        if fields is None:
            msg["raw"] = r.rest()
            return msg
        decode_fields(r, fields, msg)
    else:
        if t == 0 and direction == TO_CLIENT:
            msg["resume"] = resume
        if t not in (0, 3) and t not in TYPES[direction]:
            msg["raw"] = r.rest()
            return msg
        decode_fields(r, _fields_for(direction, t, msg), msg)
    if not r.at_end():
        msg["trailing"] = r.rest()
    return msg


def place_op(key, about, op, **fields):
    """A type-15 message: `about` is the object the operation is about."""
    return dict(type=15, flags=0, key=key, about=about, op=op, **fields)


def to_json(value):
    """A JSON-friendly copy of a decoded message: bytes as hex strings,
    records as dicts."""
    if dataclasses.is_dataclass(value):
        return {f.name: to_json(getattr(value, f.name)) for f in dataclasses.fields(value)}
    if isinstance(value, (bytes, bytearray)):
        return value.hex()
    if isinstance(value, dict):
        return {k: to_json(v) for k, v in value.items()}
    if isinstance(value, (list, tuple)):
        return [to_json(v) for v in value]
    return value
