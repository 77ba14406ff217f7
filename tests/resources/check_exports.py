#!/usr/bin/env python3
"""Checks the export and import tables of the resource library as objdump
shows them: exactly the fourteen exported names, and imports only of the
system's own libraries.

Usage: check_exports.py OBJDUMP DLL [DLL ...]
"""
import re
import subprocess
import sys

EXPORTS = {
    "CheckVersion", "GetDllVersion", "GetColor", "GetString", "GetToolBar",
    "GetAnimationFrames", "GetAnimationRightSpace", "GetNetscapeDefault", "GetUseOldPTG",
    "GetGesturesInIM", "GetSendFile", "IsCloseNetscapeOnExit", "IsCloseNetscapeOnLaunch",
    "IsUseAvatarService",
}
SYSTEM_LIBRARIES = {"kernel32.dll", "msvcrt.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                    "ntdll.dll", "ucrtbase.dll"}


def tables(objdump, dll):
    text = subprocess.run([objdump, "-p", dll], check=True, capture_output=True,
                          text=True).stdout
    names = []
    in_names = False
    for line in text.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            in_names = True
            continue
        if in_names:
            match = re.match(r"\s+\[\s*\d+\]\s+(\S+)$", line)
            if not match:
                in_names = False
                continue
            names.append(match.group(1))
    imports = re.findall(r"^\s*DLL Name: (\S+)$", text, re.M)
    return names, imports


def check(objdump, dll):
    faults = []
    names, imports = tables(objdump, dll)
    if sorted(names) != sorted(EXPORTS):
        faults.append(f"{dll}: exports {sorted(names)}, want {sorted(EXPORTS)}")
    for library in imports:
        if library.lower() not in SYSTEM_LIBRARIES and not library.lower().startswith("api-ms-win-"):
            faults.append(f"{dll}: imports {library}, not a system library")
    if not imports:
        faults.append(f"{dll}: no import table found")
    return faults


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    faults = [f for dll in argv[2:] for f in check(argv[1], dll)]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
