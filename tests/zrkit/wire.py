"""Value forms and records of the community protocol, written from the
protocol's description alone (no tables are shared with the client's coder).

Every integer is big-endian except the few fields named `*_le`, which travel
little-endian. A text is a 16-bit length (at most 0x7FFF) and its bytes; a
blob is a 32-bit length and its bytes; a flag is one byte whose bit 0 counts.
"""
import struct
from dataclasses import dataclass, field
from typing import List, Optional, Union

TEXT_MAX = 0x7FFF

KIND_PERSON = 0x100
KIND_GROUP = 0x200
KIND_STANDING = 0x400
KIND_PLACE = 0x800
KIND_OWN = 0x80
GROUP_1024 = 1024
GROUP_1025 = 1025


class WireError(ValueError):
    """A short or malformed field."""


def kind_valid(kind: int) -> bool:
    """Exactly one of bits 8 to 15 set."""
    return bin(kind & 0xFF00).count("1") == 1


def kind_is_person(kind: int) -> bool:
    return bool(kind & 0x100)


def kind_is_container(kind: int) -> bool:
    return bool(kind & 0xE00)


def kind_has_840(kind: int) -> bool:
    return (kind & 0x840) == 0x840


def normalise_place_kind(kind: int) -> int:
    """A place kind with bits 5 to 7 cleared."""
    return kind & ~0xE0 if kind & 0x800 else kind


def as_bytes(text: Union[str, bytes]) -> bytes:
    return text.encode("utf-8") if isinstance(text, str) else bytes(text)


class Writer:
    def __init__(self):
        self.buf = bytearray()

    def u8(self, v):
        self.buf += struct.pack(">B", v & 0xFF)
        return self

    def u16(self, v):
        self.buf += struct.pack(">H", v & 0xFFFF)
        return self

    def u32(self, v):
        self.buf += struct.pack(">I", v & 0xFFFFFFFF)
        return self

    def u32le(self, v):
        self.buf += struct.pack("<I", v & 0xFFFFFFFF)
        return self

    def flag(self, v):
        return self.u8(1 if v else 0)

    def text(self, v):
        data = as_bytes(v)
        if len(data) > TEXT_MAX:
            raise WireError("text of %d bytes is longer than %d" % (len(data), TEXT_MAX))
        self.u16(len(data))
        self.buf += data
        return self

    def blob(self, v):
        data = bytes(v)
        self.u32(len(data))
        self.buf += data
        return self

    def kind(self, v):
        return self.u16(v)

    def raw(self, v):
        self.buf += bytes(v)
        return self

    def bytes(self):
        return bytes(self.buf)


class Reader:
    def __init__(self, data, pos=0):
        self.data = bytes(data)
        self.pos = pos

    def remaining(self):
        return len(self.data) - self.pos

    def at_end(self):
        return self.pos >= len(self.data)

    def _take(self, n, what):
        if self.remaining() < n:
            raise WireError("%s needs %d bytes, %d left at offset %d"
                            % (what, n, self.remaining(), self.pos))
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def u8(self):
        return self._take(1, "byte")[0]

    def u16(self):
        return struct.unpack(">H", self._take(2, "u16"))[0]

    def u32(self):
        return struct.unpack(">I", self._take(4, "u32"))[0]

    def u32le(self):
        return struct.unpack("<I", self._take(4, "u32le"))[0]

    def flag(self):
        return self.u8() & 1

    def text_bytes(self):
        n = self.u16()
        if n > TEXT_MAX:
            raise WireError("text length 0x%04x is negative" % n)
        return self._take(n, "text")

    def text(self):
        return self.text_bytes().decode("utf-8", "surrogateescape")

    def blob(self):
        n = self.u32()
        return self._take(n, "blob")

    def kind(self):
        k = self.u16()
        if not kind_valid(k):
            raise WireError("kind 0x%04x has not exactly one of bits 8-15" % k)
        return k

    def raw(self, n):
        return self._take(n, "raw")

    def rest(self):
        return self._take(self.remaining(), "rest")


# ---------------------------------------------------------------- records

@dataclass
class Position:
    """Kind 0 none, 1 seat, 2 (x, y) in 1/10000 of the page, 3 a name."""
    kind: int = 0
    a: int = 0
    b: int = 0
    name: str = ""

    @staticmethod
    def seat(n):
        return Position(1, n)

    @staticmethod
    def xy(x, y):
        return Position(2, x, y)

    @staticmethod
    def named(name):
        return Position(3, name=name)

    def encode(self, w: Writer):
        w.u8(self.kind)
        if self.kind == 1:
            w.u16(self.a)
        elif self.kind == 2:
            w.u16(self.a).u16(self.b)
        elif self.kind == 3:
            w.text(self.name)
        elif self.kind != 0:
            raise WireError("position kind %d" % self.kind)

    @staticmethod
    def decode(r: Reader):
        k = r.u8()
        if k == 0:
            return Position()
        if k == 1:
            return Position(1, r.u16())
        if k == 2:
            return Position(2, r.u16(), r.u16())
        if k == 3:
            return Position(3, name=r.text())
        raise WireError("position kind %d" % k)


ITEM_TEXT, ITEM_BLOB, ITEM_U32, ITEM_U16, ITEM_U8, ITEM_BOOL = range(6)


@dataclass
class Item:
    """A named value on an object: type 0 text, 1 blob, 2 u32, 3 u16, 4 byte,
    5 boolean. `value` None means an item without value (type byte | 0x80)."""
    type: int
    code: int
    value: object = None

    def encode(self, w: Writer, full=True):
        has_value = self.value is not None
        w.u8(self.type | (0 if has_value else 0x80))
        w.u16(self.code)
        if not has_value and not full:
            return
        value = self.value if has_value else _item_default(self.type)
        if self.type == ITEM_TEXT:
            w.text(value)
        elif self.type == ITEM_BLOB:
            w.blob(value)
        elif self.type == ITEM_U32:
            w.u32(value)
        elif self.type == ITEM_U16:
            w.u16(value)
        elif self.type == ITEM_U8:
            w.u8(value)
        elif self.type == ITEM_BOOL:
            w.u8(1 if value else 0)
        else:
            raise WireError("item type %d" % self.type)

    @staticmethod
    def decode(r: Reader, full=True):
        tb = r.u8()
        t = tb & 0x7F
        code = r.u16()
        if t > 5:
            raise WireError("item type %d" % t)
        if tb & 0x80 and not full:
            raise WireError("item %d without value" % code)
        readers = {ITEM_TEXT: r.text, ITEM_BLOB: r.blob, ITEM_U32: r.u32,
                   ITEM_U16: r.u16, ITEM_U8: r.u8, ITEM_BOOL: lambda: bool(r.u8())}
        return Item(t, code, readers[t]())


def _item_default(t):
    return {ITEM_TEXT: "", ITEM_BLOB: b"", ITEM_BOOL: False}.get(t, 0)


def encode_items(w: Writer, items: List[Item], full=True):
    w.u16(len(items))
    for it in items:
        it.encode(w, full)


def decode_items(r: Reader, full=True) -> List[Item]:
    merged = {}
    for _ in range(r.u16()):
        it = Item.decode(r, full)
        merged[it.code] = it
    return list(merged.values())


@dataclass
class MemberRecord:
    serial: int = 1
    has_data: bool = False
    data: bytes = b""

    def encode(self, w: Writer, full):
        w.u8(self.serial).flag(self.has_data)
        if full and self.has_data:
            w.blob(self.data)

    @staticmethod
    def decode(r: Reader, full):
        serial = r.u8()
        has = bool(r.flag())
        data = r.blob() if full and has else b""
        return MemberRecord(serial, has, data)


@dataclass
class Info:
    name: str = ""
    member: MemberRecord = field(default_factory=MemberRecord)
    items: List[Item] = field(default_factory=list)

    def encode_base(self, w: Writer, full):
        w.flag(full).text(self.name)
        self.member.encode(w, full)
        encode_items(w, self.items)

    @staticmethod
    def decode_base(r: Reader):
        full = bool(r.u8() & 1)
        name = r.text()
        member = MemberRecord.decode(r, full)
        items = decode_items(r)
        return name, member, items


@dataclass
class PersonInfo(Info):
    full_name: str = ""
    location: str = ""
    email: str = ""
    fourth: str = ""
    value_le: int = 0

    def encode(self, w: Writer, full=False):
        self.encode_base(w, full)
        w.text(self.full_name).text(self.location).text(self.email).text(self.fourth)
        w.u32le(self.value_le)

    @staticmethod
    def decode(r: Reader):
        name, member, items = Info.decode_base(r)
        return PersonInfo(name, member, items, r.text(), r.text(), r.text(), r.text(), r.u32le())


@dataclass
class GroupInfo(Info):
    capacity: int = 0
    flags: int = 0

    def encode(self, w: Writer, full=False):
        self.encode_base(w, full)
        w.u16(self.capacity).u16(self.flags)

    @staticmethod
    def decode(r: Reader):
        name, member, items = Info.decode_base(r)
        return GroupInfo(name, member, items, r.u16(), r.u16())


@dataclass
class PersonForm:
    """A person's marshal form: identifier, position, info (short form),
    name tag and member flags."""
    id: int
    position: Position = field(default_factory=Position)
    info: PersonInfo = field(default_factory=PersonInfo)
    name_tag: int = 1
    member_flags: int = 0

    def encode(self, w: Writer):
        w.u32(self.id)
        self.position.encode(w)
        self.info.encode(w, full=False)
        w.u8(self.name_tag).u16(self.member_flags)

    @staticmethod
    def decode(r: Reader):
        oid = r.u32()
        pos = Position.decode(r)
        info = PersonInfo.decode(r)
        return PersonForm(oid, pos, info, r.u8(), r.u16())


@dataclass
class Child:
    kind: int
    obj: Union[PersonForm, "GroupForm"]

    def encode(self, w: Writer):
        w.kind(self.kind)
        self.obj.encode(w)

    @staticmethod
    def decode(r: Reader):
        k = r.kind()
        if kind_is_person(k):
            if k & KIND_OWN:
                raise WireError("child person kind 0x%04x carries the own bit" % k)
            return Child(k, PersonForm.decode(r))
        if k & KIND_GROUP:
            return Child(k, GroupForm.decode(r))
        raise WireError("child kind 0x%04x is neither person nor group" % k)


@dataclass
class GroupForm:
    """A group's marshal form: identifier, position, group info (short form),
    children, and the host's identifier (one of its person children)."""
    id: int
    position: Position = field(default_factory=Position)
    info: GroupInfo = field(default_factory=GroupInfo)
    children: List[Child] = field(default_factory=list)
    host: Optional[int] = None

    def encode(self, w: Writer):
        w.u32(self.id)
        self.position.encode(w)
        self.info.encode(w, full=False)
        w.u16(len(self.children))
        for c in self.children:
            c.encode(w)
        w.flag(self.host is not None)
        if self.host is not None:
            w.u32(self.host)

    @staticmethod
    def decode(r: Reader):
        oid = r.u32()
        pos = Position.decode(r)
        info = GroupInfo.decode(r)
        children = [Child.decode(r) for _ in range(r.u16())]
        host = r.u32() if r.flag() else None
        if host is not None and not any(
                kind_is_person(c.kind) and c.obj.id == host for c in children):
            raise WireError("host %d is not a person child of group %d" % (host, oid))
        return GroupForm(oid, pos, info, children, host)


@dataclass
class NameKey:
    text: str
    tag: int = 1

    def encode(self, w: Writer):
        w.text(self.text).u8(self.tag)

    @staticmethod
    def decode(r: Reader):
        return NameKey(r.text(), r.u8())


@dataclass
class Selector:
    """A place selector: a number (flag 1) or a name (flag 0)."""
    number: Optional[int] = None
    name: str = ""

    def encode(self, w: Writer):
        if self.number is not None:
            w.u8(1).u8(self.number)
        else:
            w.u8(0).text(self.name)

    @staticmethod
    def decode(r: Reader):
        if r.flag():
            return Selector(number=r.u8())
        return Selector(name=r.text())


@dataclass
class ObjectRef:
    owner: int
    kind: int
    id: int
    parent_le: int = 0

    def encode(self, w: Writer):
        w.u32(self.owner).kind(self.kind).u32(self.id).u32le(self.parent_le)

    @staticmethod
    def decode(r: Reader):
        return ObjectRef(r.u32(), r.kind(), r.u32(), r.u32le())


@dataclass
class TextMessage:
    sender: int
    kind: int
    name: str
    mode: int = 0
    value_le: int = 0

    def encode(self, w: Writer):
        w.u32(self.sender).kind(self.kind).text(self.name).u8(self.mode).u32le(self.value_le)

    @staticmethod
    def decode(r: Reader):
        sender = r.u32()
        k = r.kind()
        if not kind_is_person(k):
            raise WireError("text message kind 0x%04x is not a person" % k)
        return TextMessage(sender, k, r.text(), r.u8(), r.u32le())


@dataclass
class Broadcast:
    texts: List[str] = field(default_factory=lambda: ["", "", ""])
    picture: bytes = b""
    first: List[int] = field(default_factory=lambda: [0] * 5)
    middle: bytes = b""
    second: List[int] = field(default_factory=lambda: [0] * 4)
    last: bytes = b""

    def encode(self, w: Writer):
        if len(self.texts) != 3 or len(self.first) != 5 or len(self.second) != 4:
            raise WireError("broadcast record needs 3 texts, 5 and 4 values")
        for t in self.texts:
            w.text(t)
        w.blob(self.picture)
        for v in self.first:
            w.u16(v)
        w.blob(self.middle)
        for v in self.second:
            w.u16(v)
        w.blob(self.last)

    @staticmethod
    def decode(r: Reader):
        texts = [r.text() for _ in range(3)]
        picture = r.blob()
        first = [r.u16() for _ in range(5)]
        middle = r.blob()
        second = [r.u16() for _ in range(4)]
        return Broadcast(texts, picture, first, middle, second, r.blob())


@dataclass
class PersonDesc:
    id: int
    kind: int = KIND_PERSON
    flag: bool = False
    name: str = ""
    status: int = 1
    texts: List[str] = field(default_factory=lambda: ["", "", ""])
    value_le: int = 0
    text4: str = ""
    text5: str = ""
    place_kind: int = KIND_PLACE
    place_byte: int = 1
    place_id: int = 0
    place_text: str = ""
    container_kind: int = GROUP_1024
    container_flag: bool = False
    items: List[Item] = field(default_factory=list)

    def encode(self, w: Writer):
        w.u32(self.id).kind(self.kind).flag(self.flag).text(self.name).u8(self.status)
        for t in self.texts:
            w.text(t)
        w.u32le(self.value_le).text(self.text4).text(self.text5).kind(self.place_kind)
        if kind_has_840(self.place_kind):
            w.u8(self.place_byte)
        w.u32(self.place_id).text(self.place_text).kind(self.container_kind)
        w.flag(self.container_flag)
        encode_items(w, self.items)

    @staticmethod
    def decode(r: Reader):
        d = PersonDesc(r.u32())
        d.kind = r.kind()
        if not kind_is_person(d.kind):
            raise WireError("person description kind 0x%04x" % d.kind)
        d.flag = bool(r.flag())
        d.name = r.text()
        d.status = r.u8()
        d.texts = [r.text() for _ in range(3)]
        d.value_le = r.u32le()
        d.text4 = r.text()
        d.text5 = r.text()
        d.place_kind = r.kind()
        if not d.place_kind & KIND_PLACE:
            raise WireError("place kind 0x%04x" % d.place_kind)
        d.place_byte = r.u8() if kind_has_840(d.place_kind) else 1
        d.place_id = r.u32()
        d.place_text = r.text()
        d.container_kind = r.kind()
        if not kind_is_container(d.container_kind):
            raise WireError("container kind 0x%04x" % d.container_kind)
        d.container_flag = bool(r.flag())
        d.items = decode_items(r)
        return d


@dataclass
class PlaceDesc:
    kind: int = KIND_PLACE
    name: str = ""
    text: str = ""
    count: int = 0
    id: int = 0
    value: int = 0
    value16: int = 0
    number: int = 1

    def encode(self, w: Writer):
        w.kind(self.kind).text(self.name).text(self.text).u16(self.count)
        w.u32(self.id).u32(self.value).u16(self.value16)
        if kind_has_840(self.kind):
            w.u8(self.number)

    @staticmethod
    def decode(r: Reader):
        k = r.kind()
        if not k & KIND_PLACE:
            raise WireError("place description kind 0x%04x" % k)
        d = PlaceDesc(k, r.text(), r.text(), r.u16(), r.u32(), r.u32(), r.u16())
        if kind_has_840(k):
            d.number = r.u8()
            if d.number == 0:
                raise WireError("replicated place number 0")
        return d


@dataclass
class NestedDesc:
    """An element of a description list: a container with nested elements or
    a person."""
    id: int
    kind: int
    flag: bool = False
    name: str = ""
    position: Position = field(default_factory=Position)
    items: List[Item] = field(default_factory=list)
    capacity: int = 0
    value_a: int = 0
    value_b: int = 0
    children: List["NestedDesc"] = field(default_factory=list)
    place_byte: int = 1
    status: int = 1
    texts: List[str] = field(default_factory=lambda: ["", "", ""])
    value_le: int = 0

    def encode(self, w: Writer):
        w.u32(self.id).kind(self.kind).flag(self.flag).text(self.name)
        self.position.encode(w)
        encode_items(w, self.items)
        if kind_is_person(self.kind):
            w.u8(self.status)
            for t in self.texts:
                w.text(t)
            w.u32le(self.value_le)
            return
        w.u16(self.capacity).u32(self.value_a).u32(self.value_b).u32(len(self.children))
        for c in self.children:
            c.encode(w)
        if kind_has_840(self.kind):
            w.u8(self.place_byte)

    @staticmethod
    def decode(r: Reader):
        d = NestedDesc(r.u32(), r.kind(), bool(r.flag()), r.text(), Position.decode(r),
                       decode_items(r))
        if kind_is_person(d.kind):
            d.status = r.u8()
            d.texts = [r.text() for _ in range(3)]
            d.value_le = r.u32le()
            return d
        d.capacity, d.value_a, d.value_b = r.u16(), r.u32(), r.u32()
        n = r.u32()
        limit = 0xFFFFFFFF if d.kind == GROUP_1025 else d.capacity
        if d.value_a > limit or n > d.value_a:
            raise WireError("description counts %d/%d over capacity %d"
                            % (n, d.value_a, d.capacity))
        d.children = [NestedDesc.decode(r) for _ in range(n)]
        if kind_has_840(d.kind):
            d.place_byte = r.u8()
        return d
