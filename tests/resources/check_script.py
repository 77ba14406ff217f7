#!/usr/bin/env python3
"""Checks the resource script's string tables for numbers given twice: the
resource compiler keeps one of the texts without a word, so a second use of a
number silently replaces a message.

Usage: check_script.py STRINGS_RC
"""
import collections
import re
import sys


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    text = open(argv[1], encoding="cp1252").read()
    ids = [int(n) for n in re.findall(r'^\s+(\d+)\s+"', text, re.M)]
    twice = sorted(n for n, count in collections.Counter(ids).items() if count > 1)
    for n in twice:
        print(f"{argv[1]}: string {n} is given more than once")
    print(f"{len(ids)} strings, {len(twice)} given twice")
    return 1 if twice or not ids else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
