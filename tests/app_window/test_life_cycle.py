"""What the client changes outside itself while it runs, it gives back at
exit as it found it: the embedded browser's SyncMode setting is forced to 3
while the client runs and restored afterwards, or removed again when there
was none, with its key when the client had to make that."""
import re
import subprocess

import pytest

from app_window.window_tools import NICK, entered_member

KEY = r"HKU\.Default\Software\Microsoft\Windows\CurrentVersion\Internet Settings"


NO_KEY = "no key"


def sync_mode(env):
    """SyncMode as (type, value text), None when there is no value, NO_KEY
    when there is not even its key."""
    query = subprocess.run(["wine", "reg", "query", KEY], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    if query.returncode != 0:
        return NO_KEY
    found = re.search(r"SyncMode\s+(REG_\w+)\s+(\S*)", query.stdout)
    return (found.group(1), found.group(2)) if found else None


def set_sync_mode(env, value):
    if value == NO_KEY:
        command = ["wine", "reg", "delete", KEY, "/f"]
    elif value is None:
        command = ["wine", "reg", "add", KEY, "/f"]
        subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        command = ["wine", "reg", "delete", KEY, "/v", "SyncMode", "/f"]
    else:
        command = ["wine", "reg", "add", KEY, "/v", "SyncMode", "/t", value[0], "/d", value[1], "/f"]
    subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    assert sync_mode(env) == value


@pytest.mark.parametrize("before", [NO_KEY, None, ("REG_DWORD", "0x1"), ("REG_SZ", "keep")],
                         ids=["no key", "absent", "number", "text"])
def test_the_browser_setting_is_forced_while_running_and_given_back(window_client, zr_server, before):
    set_sync_mode(window_client.env, before)
    try:
        window_client.start()
        window_client.wait_frame()
        entered_member(zr_server, NICK)
        assert sync_mode(window_client.env) == ("REG_DWORD", "0x3")
        window_client.ask("close")
        assert window_client.wait_exit() == 0
        assert sync_mode(window_client.env) == before
    finally:
        set_sync_mode(window_client.env, NO_KEY)


def test_quitting_ends_the_session_in_order(window_client, zr_server):
    """At exit the client leaves the place, then sends its closing frame and
    closes after the server: the server sees all of it and no reset."""
    window_client.start()
    window_client.wait_frame()
    member = entered_member(zr_server, NICK)
    window_client.ask("close")
    assert window_client.wait_exit() == 0
    ended = zr_server.wait_log({"event": "end_frame"}, timeout=10)
    left = zr_server.wait_log({"dir": "in", "member": member, "msg": {"type": 14}}, timeout=1)
    assert left["index"] < ended["index"]
    closed = zr_server.wait_log({"event": "closed"}, timeout=10)
    assert closed["reset"] is False
