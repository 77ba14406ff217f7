"""The test game between two real clients on one kit server: alice's client
starts the game through its dialogs, bob's client (in a Wine prefix of its
own, where its own game is registered) sits down in the game group when a
DDE partner program asks it to join, and the two games play "count to six"
through their clients, each move going from one client to the other.

Module-scoped: the server and alice's client come from conftest.py, bob's
client and prefix are made here."""
import subprocess
import time

import pytest

from app_window.window_tools import NICK, entered_member
from dde_session import dde_items
from dde_session.dde_client import DdeClient

ID_START_GAME = 32833
DIALOG = "#32770"
GAME_KIND = 518
WAIT_SECONDS = 40


def wine_path(path):
    return "Z:" + str(path).replace("/", "\\")


def register(client, testgame):
    assert subprocess.run(["wine", "regsvr32", "/s", wine_path(testgame)], env=client.env, timeout=120,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def click_ok(client, title):
    answers = client.probe("rect 1", window_class=DIALOG, window_title=title)
    assert "error" not in answers[0], answers
    left, top, right, bottom = answers[0]["rect"]
    client.probe("click %d %d" % ((left + right) // 2, (top + bottom) // 2), window_class=DIALOG,
                 window_title=title)


def log_of(client):
    return client.game_log.read_text().splitlines() if client.game_log.exists() else []


def wait_logged(client, line):
    deadline = time.monotonic() + WAIT_SECONDS
    while line not in log_of(client):
        assert time.monotonic() < deadline, "%s's game never logged %r: %s" % (client.name, line, log_of(client))
        time.sleep(0.3)


@pytest.fixture(scope="module")
def bob(build_win, tmp_path_factory, server, client, testgame):
    base = tmp_path_factory.mktemp("bob")
    running = client.copy_beside(base, "bob")
    running.settings["Settings"] = dict(running.settings["Settings"], MainXPos=260, MyselfXPos=3000)
    running.game_log = base / "testgame.log"
    running.env["ZR_TESTGAME_LOG"] = wine_path(running.game_log)
    running.name = "bob"
    register(running, testgame)
    running.start()
    running.wait_frame()
    running.member = entered_member(server, "bob")
    yield running
    running.end_beside()


def test_game_between_two_clients(client, bob, server, testgame, build_win, tmp_path):
    client.name = NICK
    register(client, testgame)
    client.ask("command %d" % ID_START_GAME)
    click_ok(client, "Game List")
    click_ok(client, "Game Details")
    group = server.wait_log({"event": "group_created", "kind": GAME_KIND}, timeout=WAIT_SECONDS)["group"]
    wait_logged(client, "Advise")

    driver = DdeClient(build_win / "tests" / "dde_session" / "dde_driver.exe", tmp_path / "driver.log", bob.env)
    try:
        driver.connect("ZR_Group")
        assert driver.poke("ZR_Group", "JoinGroup", dde_items.join_group(group)) == "ok"
        joined = server.wait_log({"dir": "in", "member": bob.member, "msg": {"type": 15, "op": 6, "dest": group}},
                                 timeout=WAIT_SECONDS)
        assert joined["msg"]["position"]["kind"] == 1
    finally:
        driver.stop()

    # alice's game opened with move 1; the moves went back and forth.
    wait_logged(client, "game over")
    wait_logged(bob, "move 5 from %d" % client.member)
    alice_log, bob_log = log_of(client), log_of(bob)
    assert [l for l in alice_log if l.startswith("sent move")] == [
        "sent move %d to %d" % (m, bob.member) for m in (1, 3, 5)]
    assert [l for l in bob_log if l.startswith("sent move")] == [
        "sent move %d to %d" % (m, client.member) for m in (2, 4, 6)]
    assert any(l.startswith("JoinGroup I4,BSTR,I4,I4,I4,BSTR %d|" % group) and l.endswith("|bob") for l in alice_log)
    assert "Created" in bob_log and "Advise" in bob_log
