"""The items of the client's DDE service as another program codes them: the
command forms that it pokes and the forms of the answers and notifications
that it reads. Values are little-endian u16/u32, texts and byte blocks a u16
length and the bytes (no NUL), fields separated by ','. Written from the
service's description, independent of the client's own coder."""
import struct

SEP = b","


class Malformed(ValueError):
    pass


class Reader:
    def __init__(self, data):
        self.data = bytes(data)
        self.at = 0

    def _take(self, n):
        if self.at + n > len(self.data):
            raise Malformed("short data at %d: %s" % (self.at, self.data.hex()))
        part = self.data[self.at:self.at + n]
        self.at += n
        return part

    def u16(self):
        return struct.unpack("<H", self._take(2))[0]

    def u32(self):
        return struct.unpack("<I", self._take(4))[0]

    def block(self):
        return self._take(self.u16())

    def text(self):
        return self.block().split(b"\0")[0].decode("latin-1")

    def sep(self):
        if self._take(1) != SEP:
            raise Malformed("no separator at %d" % (self.at - 1))

    def done(self):
        return self.at == len(self.data)

    def end(self):
        if not self.done():
            raise Malformed("%d bytes left over" % (len(self.data) - self.at))


def u16(value):
    return struct.pack("<H", value)


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def block(data):
    return u16(len(data)) + bytes(data)


def text(value):
    return block(value.encode("latin-1"))


def fields(*parts):
    return SEP.join(parts)


# ---- command forms (what the other program pokes) ---------------------------

def connect_community(name):
    return text(name)


def navigate(url):
    return text(url)


def move(x, y):
    return fields(u32(x), u32(y))


def say(line, payload=b"", a=1, b=None):
    parts = [text(line), block(payload), u32(a)]
    if b is not None:
        parts.append(u32(b))
    return fields(*parts)


def send(line, payload, a, c, b=None):
    parts = [text(line), block(payload), u32(a), u32(c)]
    if b is not None:
        parts.append(u32(b))
    return fields(*parts)


def alert(member):
    return u32(member)


def join_group(group):
    return u32(group)


def start_group(value, name, kind, picture=b""):
    parts = [u32(value), text(name), u32(kind)]
    if picture:
        parts.append(block(picture))
    return fields(*parts)


def my_info(nick, full_name, location, email, picture=b""):
    return fields(text(nick), text(full_name), text(location), text(email), block(picture))


# ---- forms that the client writes -------------------------------------------

def _read(data, layout):
    """Values of data read by layout, a list of 'u32', 'text' and 'bytes'
    separated by ','."""
    r = Reader(data)
    values = []
    for i, kind in enumerate(layout):
        if i:
            r.sep()
        values.append({"u32": r.u32, "text": r.text, "bytes": r.block}[kind]())
    r.end()
    return values


def _named(names, layout):
    def read(data):
        return dict(zip(names, _read(data, layout)))
    return read


def read_query_places(data):
    r = Reader(data)
    entries = []
    while True:
        entry = (r.text(), r.text(), r.u32(), r.u32())
        if entry == ("", "", 0, 0):
            break
        entries.append(entry)
    r.end()
    return {"places": entries}


def read_group_info(data):
    r = Reader(data)
    flag = r.u32()
    r.sep()
    name = r.text()
    r.sep()
    value = r.u32()
    r.sep()
    picture = r.block()
    r.sep()
    members = []
    while True:
        member = r.u32()
        if member == 0:
            break
        members.append(member)
    r.end()
    return dict(flag=flag, name=name, value=value, picture=picture, members=members)


def read_say(data):
    return _named(("sender", "name", "text", "payload", "a", "b"),
                  ("u32", "text", "text", "bytes", "u32", "u32"))(data)


def read_send(data):
    return _named(("sender", "name", "text", "payload", "a", "c"),
                  ("u32", "text", "text", "bytes", "u32", "u32"))(data)


ROOM_EVENT = _named(("id", "kind", "name"), ("u32", "u32", "text"))
GROUP_MEMBER = _named(("group", "person", "name", "container", "container_name"),
                      ("u32", "u32", "text", "u32", "text"))
ONE_TEXT = _named(("text",), ("text",))

# (topic, item) -> reader of the client's form.
READERS = {
    ("ZR_Place", "ConnectCommunity"): _named(("community", "address", "id"), ("text", "text", "u32")),
    ("ZR_Place", "Navigate"): _named(("url",), ("text",)),
    ("ZR_Place", "DisconnectCommunity"): ONE_TEXT,
    ("ZR_Place", "PlaceInfo"): _named(("community", "place"), ("text", "text")),
    ("ZR_Place", "QueryPlaces"): read_query_places,
    ("ZR_Movemant", "EnterRoom"): ROOM_EVENT,
    ("ZR_Movemant", "LeaveRoom"): ROOM_EVENT,
    ("ZR_Movemant", "Move"): _named(("x", "y"), ("u32", "u32")),
    ("ZR_Movemant", "MoveError"): ONE_TEXT,
    ("ZR_Message", "Say"): read_say,
    ("ZR_Message", "Send"): read_send,
    ("ZR_Message", "Alert"): _named(("id", "name"), ("u32", "text")),
    ("ZR_Group", "Start1on1"): _named(("group", "person", "name"), ("u32", "u32", "text")),
    ("ZR_Group", "Break1on1"): _named(("group", "person", "name"), ("u32", "u32", "text")),
    ("ZR_Group", "StartGroup"): _named(("group", "kind", "name", "value", "starter", "starter_name"),
                                       ("u32", "u32", "text", "u32", "u32", "text")),
    ("ZR_Group", "BreakGroup"): _named(("group", "container", "container_name"), ("u32", "u32", "text")),
    ("ZR_Group", "JoinGroup"): GROUP_MEMBER,
    ("ZR_Group", "LeaveGroup"): GROUP_MEMBER,
    ("ZR_Group", "GroupError"): ONE_TEXT,
    ("ZR_MyInfo", "MyPosition"): _named(("outside", "container", "x", "y", "attribute"),
                                        ("u32",) * 5),
    ("ZR_MyInfo", "MyInfo"): _named(("id", "nick", "full_name", "location", "email", "picture"),
                                    ("u32", "text", "text", "text", "text", "bytes")),
    ("ZR_PresenceInfo", "SetPresenceIdentity"): _named(("id", "nick", "full_name", "location", "email"),
                                                       ("u32", "text", "text", "text", "text")),
    ("ZR_PresenceInfo", "SetPresenceFace"): _named(("id", "picture"), ("u32", "bytes")),
    ("ZR_PresenceInfo", "ParametersList"): _named(("nick", "full_name", "location", "email", "picture"),
                                                  ("text", "text", "text", "text", "bytes")),
    ("ZR_GroupInfo", "ParametersList"): read_group_info,
    ("ZR_IdInfo", "ParametersList"): _named(("own", "kind", "name", "container", "x", "y", "attribute"),
                                            ("u32", "u32", "text", "u32", "u32", "u32", "u32")),
    ("ZR_Version", "ParametersList"): lambda data: {"version": Reader(data).u32()},
}


def read(topic, item, data):
    """The fields of the client's form of the item (the item as the request
    or the advise loop names it: "ParametersList" also stands for
    "<number>")."""
    key = (topic, "ParametersList" if item.isdigit() else item)
    return READERS[key](data)
