"""Reads the resources and the import and export tables of a 64-bit Windows
DLL, without Windows: enough of the PE format for the resource library's
checks."""
import struct

RT_CURSOR = 1
RT_BITMAP = 2
RT_ICON = 3
RT_MENU = 4
RT_DIALOG = 5
RT_STRING = 6
RT_ACCELERATOR = 9
RT_GROUP_CURSOR = 12
RT_GROUP_ICON = 14
RT_VERSION = 16


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        self.machine = machine
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        if magic != 0x20B:
            raise ValueError("not a PE32+ image")
        self.directories = []
        count = struct.unpack_from("<I", data, optional + 108)[0]
        for i in range(count):
            self.directories.append(struct.unpack_from("<II", data, optional + 112 + 8 * i))
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rsize), raddr))

    def offset(self, rva):
        for vaddr, size, raddr in self.sections:
            if vaddr <= rva < vaddr + size:
                return raddr + rva - vaddr
        raise ValueError(f"address {rva:#x} outside every section")

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def exports(self):
        rva, _ = self.directories[0]
        if not rva:
            return []
        base = self.offset(rva)
        names, _, names_rva = struct.unpack_from("<III", self.data, base + 24)
        table = self.offset(names_rva)
        return [self.cstring(struct.unpack_from("<I", self.data, table + 4 * i)[0])
                for i in range(names)]

    def imports(self):
        rva, _ = self.directories[1]
        out = []
        entry = self.offset(rva)
        while True:
            fields = struct.unpack_from("<IIIII", self.data, entry)
            if not any(fields):
                return out
            out.append(self.cstring(fields[3]))
            entry += 20

    def resources(self):
        """{type: {name: bytes}}; names and types are numbers (the library
        uses no named resources)."""
        rva, _ = self.directories[2]
        root = self.offset(rva)
        out = {}

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                if ident & 0x80000000:
                    raise ValueError("named resource in the library")
                yield ident, target

        for rtype, type_dir in entries(root):
            for name, name_dir in entries(root + (type_dir & 0x7FFFFFFF)):
                for _, leaf in entries(root + (name_dir & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from("<II", self.data, root + leaf)
                    start = self.offset(data_rva)
                    out.setdefault(rtype, {})[name] = self.data[start:start + size]
        return out


def read_string_table(blocks):
    strings = {}
    for block, data in blocks.items():
        pos = 0
        for i in range(16):
            length = struct.unpack_from("<H", data, pos)[0]
            pos += 2
            if length:
                strings[(block - 1) * 16 + i] = data[pos:pos + 2 * length].decode("utf-16-le")
            pos += 2 * length
    return strings


def _sz_or_ord(data, pos):
    first = struct.unpack_from("<H", data, pos)[0]
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def read_dialog(data):
    """A classic dialog template: style, caption and its controls as
    (id, class, text, style)."""
    style, _, count, _, _, _, _ = struct.unpack_from("<IIHhhhh", data, 0)
    pos = 18
    _, pos = _sz_or_ord(data, pos)  # menu
    _, pos = _sz_or_ord(data, pos)  # class
    caption, pos = _sz_or_ord(data, pos)
    if style & 0x40:  # DS_SETFONT
        pos += 2
        _, pos = _sz_or_ord(data, pos)
    controls = []
    for _ in range(count):
        pos = (pos + 3) & ~3
        cstyle, _, _, _, _, _, ident = struct.unpack_from("<IIhhhhH", data, pos)
        pos += 18
        cls, pos = _sz_or_ord(data, pos)
        text, pos = _sz_or_ord(data, pos)
        extra = struct.unpack_from("<H", data, pos)[0]
        pos += 2 + extra
        controls.append((ident, cls, text, cstyle))
    return {"style": style, "caption": caption, "controls": controls}


def read_menu(data):
    """A classic menu template as nested lists of (text, id or None, children)."""
    pos = 4

    def level(pos):
        items = []
        while True:
            flags = struct.unpack_from("<H", data, pos)[0]
            pos += 2
            ident = None
            if not flags & 0x10:  # MF_POPUP
                ident = struct.unpack_from("<H", data, pos)[0]
                pos += 2
            text, pos = _sz_or_ord(data, pos)
            children = None
            if flags & 0x10:
                children, pos = level(pos)
            items.append((text, ident, children))
            if flags & 0x80:  # MF_END
                return items, pos

    items, _ = level(pos)
    return items


def read_accelerators(data):
    """(flags, key, command) of each entry; flags: 1 virtual key, 4 shift,
    8 control, 16 alt."""
    out = []
    for pos in range(0, len(data), 8):
        flags, key, command, _ = struct.unpack_from("<HHHH", data, pos)
        out.append((flags & 0x7F, key, command))
    return out


def read_version(data):
    """The file version from the fixed part of the version record."""
    index = data.find(b"\xbd\x04\xef\xfe")
    ms, ls = struct.unpack_from("<II", data, index + 8)
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
