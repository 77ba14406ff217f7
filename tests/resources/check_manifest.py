#!/usr/bin/env python3
"""Checks the compiled resource library against the manifest of every
resource the client relies on: ids, captions, control ids, menu items and
texts byte for byte, the accelerator table, the version
record and the constraints on pictures.

Usage: check_manifest.py MANIFEST DLL [DLL ...]
Prints one line per fault and exits 1 when there is any.
"""
import struct
import sys

import zrres_pe as pe

PICTURE_LIMIT = 50000
KEY = (204, 204, 204)
KEY_NAMES = {"Insert": 0x2D, "Delete": 0x2E, "Backspace": 0x08,
             **{f"F{n}": 0x6F + n for n in range(1, 13)},
             **{chr(c): c for c in range(ord("A"), ord("Z") + 1)}}
MODIFIERS = {"Shift": 0x04, "Ctrl": 0x08, "Alt": 0x10}
FVIRTKEY = 0x01


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "t": "\t", '"': '"', "\\": "\\"}[text[i + 1]])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def read_manifest(path):
    entries = []
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            entries.append((number, fields[0], fields[1:]))
    return entries


def parse_keys(keys):
    """'Ctrl+Insert' -> (flags, virtual key)."""
    *mods, key = keys.split("+")
    flags = FVIRTKEY
    for mod in mods:
        flags |= MODIFIERS[mod]
    return flags, KEY_NAMES[key]


def walk_menu(items):
    for text, ident, children in items:
        yield text, ident
        if children:
            yield from walk_menu(children)


def first_items(items):
    """First command of every submenu, at every depth."""
    for text, ident, children in items:
        if children:
            if children[0][1] is not None:
                yield children[0][1]
            yield from first_items(children)


class Dib:
    def __init__(self, data):
        (self.header, self.width, self.height, _, self.bits, self.compression,
         _, _, _, self.used, _) = struct.unpack_from("<IiiHHIIiiII", data, 0)
        self.size = len(data)
        colours = self.used or (1 << self.bits if self.bits <= 8 else 0)
        self.palette = [struct.unpack_from("<BBB", data, self.header + 4 * i)[::-1]
                        for i in range(colours)]
        self.pixels_at = self.header + 4 * colours
        self.data = data

    def pixel(self, x, y):
        """Colour at (x, y) from the top, for 8-bit and 4-bit pictures."""
        stride = ((self.width * self.bits + 31) // 32) * 4
        row = self.pixels_at + (abs(self.height) - 1 - y) * stride
        if self.bits == 8:
            index = self.data[row + x]
        else:
            byte = self.data[row + x // 2]
            index = byte >> 4 if x % 2 == 0 else byte & 0x0F
        return self.palette[index]


class Checker:
    def __init__(self, dll_path):
        self.path = dll_path
        image = pe.PeFile(open(dll_path, "rb").read())
        self.res = image.resources()
        self.strings = pe.read_string_table(self.res.get(pe.RT_STRING, {}))
        self.dialogs = {k: pe.read_dialog(v) for k, v in self.res.get(pe.RT_DIALOG, {}).items()}
        self.menus = {k: pe.read_menu(v) for k, v in self.res.get(pe.RT_MENU, {}).items()}
        self.bitmaps = {k: Dib(v) for k, v in self.res.get(pe.RT_BITMAP, {}).items()}
        self.faults = []

    def fault(self, number, text):
        self.faults.append(f"{self.path}: manifest line {number}: {text}")

    def check(self, number, kind, fields):
        getattr(self, "check_" + kind)(number, *fields)

    def check_string(self, number, ident, text):
        want = unescape(text)
        have = self.strings.get(int(ident))
        if have != want:
            self.fault(number, f"string {ident} is {have!r}, want {want!r}")

    def check_prompt(self, number, ident):
        have = self.strings.get(int(ident))
        if not have or "\n" not in have or not have.split("\n", 1)[1]:
            self.fault(number, f"string {ident} is {have!r}, want a prompt and a tip")

    def dialog(self, number, ident):
        found = self.dialogs.get(int(ident))
        if found is None:
            self.fault(number, f"dialog {ident} missing")
        return found

    def check_dialog(self, number, ident, caption):
        found = self.dialog(number, ident)
        if found and caption != "-" and found["caption"] != unescape(caption):
            self.fault(number, f"dialog {ident} caption {found['caption']!r}, want {caption!r}")

    def check_control(self, number, ident, control, text):
        found = self.dialog(number, ident)
        if not found:
            return
        matches = [c for c in found["controls"] if c[0] == int(control)]
        if len(matches) != 1:
            self.fault(number, f"dialog {ident} has {len(matches)} controls {control}, want 1")
        elif text != "-" and matches[0][2] != unescape(text):
            self.fault(number, f"control {control} of dialog {ident} reads {matches[0][2]!r}, "
                               f"want {unescape(text)!r}")

    def check_dialogtext(self, number, ident, text):
        found = self.dialog(number, ident)
        if found and not any(c[2] == unescape(text) for c in found["controls"]):
            self.fault(number, f"dialog {ident} has no control reading {unescape(text)!r}")

    def menu(self, number, ident):
        found = self.menus.get(int(ident))
        if found is None:
            self.fault(number, f"menu {ident} missing")
        return found

    def check_menu(self, number, ident, text):
        found = self.menu(number, ident)
        if found is None:
            return
        if not found or found[0][2] is None:
            self.fault(number, f"menu {ident} has no first popup")
        elif text != "-" and found[0][0] != unescape(text):
            self.fault(number, f"menu {ident} first popup {found[0][0]!r}, want {text!r}")

    def check_menuitem(self, number, ident, command, text):
        menus = self.menus.values() if ident == "*" else [self.menu(number, ident)]
        want = unescape(text)
        for items in menus:
            if items and (want, int(command)) in walk_menu(items):
                return
        self.fault(number, f"no item {command} {want!r} in menu {ident}")

    def check_menutext(self, number, ident, text):
        items = self.menu(number, ident)
        if items and not any(t == unescape(text) for t, _ in walk_menu(items)):
            self.fault(number, f"menu {ident} has no item {text!r}")

    def check_popup(self, number, ident, position, command):
        items = self.menu(number, ident)
        if not items:
            return
        popup = items[int(position)] if int(position) < len(items) else None
        if not popup or not popup[2] or int(command) not in [i for _, i in walk_menu(popup[2])]:
            self.fault(number, f"popup {position} of menu {ident} lacks {command}")

    def check_submenu(self, number, ident, command):
        items = self.menu(number, ident)
        if items and int(command) not in first_items(items):
            self.fault(number, f"menu {ident} has no submenu beginning with {command}")

    def check_bitmap(self, number, ident, attributes):
        dib = self.bitmaps.get(int(ident))
        if dib is None:
            self.fault(number, f"bitmap {ident} missing")
            return
        frames = 1
        for attribute in attributes.split():
            if attribute.startswith("strip="):
                frames = int(attribute[6:])
                if dib.width % frames:
                    self.fault(number, f"bitmap {ident} width {dib.width} not divisible by {frames}")
        for attribute in attributes.split():
            if attribute == "key" and not self.has_key_colour(dib):
                self.fault(number, f"bitmap {ident} is not drawn on the key colour")
            elif attribute.startswith("frame="):
                width, height = (int(v) for v in attribute[6:].split("x"))
                if (dib.width // frames, abs(dib.height)) != (width, height):
                    self.fault(number, f"bitmap {ident} frames are {dib.width // frames} x "
                                       f"{abs(dib.height)}, want {width} x {height}")

    @staticmethod
    def has_key_colour(dib):
        corners = [(0, 0), (dib.width - 1, 0), (0, abs(dib.height) - 1),
                   (dib.width - 1, abs(dib.height) - 1)]
        return KEY in dib.palette and any(dib.pixel(x, y) == KEY for x, y in corners)

    def check_faces(self, number, ids):
        sizes = set()
        for ident in ids.split():
            dib = self.bitmaps.get(int(ident))
            if dib is None:
                self.fault(number, f"face {ident} missing")
            else:
                sizes.add((dib.width, abs(dib.height)))
        if len(sizes) > 1:
            self.fault(number, f"faces {ids} differ in size: {sorted(sizes)}")

    def check_cursor(self, number, ident, _):
        if int(ident) not in self.res.get(pe.RT_GROUP_CURSOR, {}):
            self.fault(number, f"cursor group {ident} missing")

    def check_cursorimages(self, number, count):
        have = len(self.res.get(pe.RT_CURSOR, {}))
        if have != int(count):
            self.fault(number, f"{have} cursor images, want {count}")

    def check_icon(self, number, ident, _):
        if int(ident) not in self.res.get(pe.RT_GROUP_ICON, {}):
            self.fault(number, f"icon group {ident} missing")

    def check_version(self, number, _, text):
        have = pe.read_version(self.res[pe.RT_VERSION][1])
        if have != text:
            self.fault(number, f"version {have}, want {text}")

    def check_accelerators(self, entries):
        tables = {}
        for number, kind, fields in entries:
            if kind == "accel":
                ident, keys, command = fields
                tables.setdefault(int(ident), []).append(parse_keys(keys) + (int(command),))
        for ident, want in tables.items():
            data = self.res.get(pe.RT_ACCELERATOR, {}).get(ident)
            if data is None:
                self.faults.append(f"{self.path}: accelerator table {ident} missing")
                continue
            # The no-invert flag (2) does not change what a key does.
            have = [(flags & ~0x02, key, command)
                    for flags, key, command in pe.read_accelerators(data)]
            if sorted(have) != sorted(want):
                self.faults.append(f"{self.path}: accelerator table {ident} is {have}, want {want}")

    def check_pictures(self):
        """Every bitmap of the library: uncompressed, 4 or 8 bits a pixel, and
        no larger than the client's picture limit as a file."""
        for ident, dib in sorted(self.bitmaps.items()):
            if dib.bits not in (4, 8) or dib.compression != 0:
                self.faults.append(f"{self.path}: bitmap {ident} is {dib.bits}-bit, "
                                   f"compression {dib.compression}")
            if dib.size + 14 > PICTURE_LIMIT:
                self.faults.append(f"{self.path}: bitmap {ident} is {dib.size + 14} bytes")

    def run(self, entries):
        for number, kind, fields in entries:
            if kind != "accel":
                self.check(number, kind, fields)
        self.check_accelerators(entries)
        self.check_pictures()
        return self.faults


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    entries = read_manifest(argv[1])
    faults = []
    for dll in argv[2:]:
        faults += Checker(dll).run(entries)
    for fault in faults:
        print(fault)
    print(f"{len(entries)} manifest entries checked in {len(argv) - 2} libraries, "
          f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
