#!/usr/bin/env python3
"""Writes a copy of the resource script whose every string and menu text
begins with a mark, for the marked twin of the resource library: a client
running on it must show the mark on every text it takes from the library,
so a text that it shows without the mark did not come from the library.

    mark_texts.py SOURCE_DIR OUT_DIR MARK

copies ZrRes.rc unchanged (its includes are then found beside it first) and
ZrStrings.rc and ZrMenus.rc with the mark put in front of each quoted text;
ZrDialogs.rc and the rest are found through the include path."""
import pathlib
import re
import sys

# A string-table entry ("  123 \"text\"") or a menu item or popup with a text.
STRING_ENTRY = re.compile(r'^(\s*\d+\s+")')
MENU_ENTRY = re.compile(r'^(\s*(?:MENUITEM|POPUP)\s+")')


def mark_line(line, mark):
    for pattern in (STRING_ENTRY, MENU_ENTRY):
        match = pattern.match(line)
        if match:
            return match.group(1) + mark + line[match.end():]
    return line


def mark_file(source, target, mark):
    lines = source.read_text(encoding="cp1252").splitlines(keepends=True)
    target.write_text("".join(mark_line(line, mark) for line in lines), encoding="cp1252")


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    source_dir, out_dir, mark = pathlib.Path(argv[1]), pathlib.Path(argv[2]), argv[3]
    out_dir.mkdir(parents=True, exist_ok=True)
    (out_dir / "ZrRes.rc").write_bytes((source_dir / "ZrRes.rc").read_bytes())
    for name in ("ZrStrings.rc", "ZrMenus.rc"):
        mark_file(source_dir / name, out_dir / name, mark)


if __name__ == "__main__":
    main(sys.argv)
