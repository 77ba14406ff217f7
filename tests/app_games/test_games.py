"""Games in the running client, with the test game (an in-process automation
server registered with regsvr32 in the client's Wine prefix): the user starts
a game through "Game List" and "Game Details", a kit bot sits down in the
game group, and the game's moves go back and forth between the game inside
the client and the bot until the game ends; leaving the group lets the game
go. Without a game installed, starting one only says so.

The moves travel between the players as application data addressed to the
other player's person. The other player is a kit bot: two clients on one display would share one
Wine prefix, where the second copy of the program hands over to the first.
The tests run in order on one client."""
import subprocess
import time

from app_window.window_tools import NICK, PLACE, START_SECONDS
from zrkit.wire import Position

ID_START_GAME = 32833
DIALOG = "#32770"
GAME_LIST = "Game List"
GAME_DETAILS = "Game Details"
LIST = 778
NAME_EDIT = 763
PLAYERS_EDIT = 764
BOUNDS_LABEL = 789
GAME_KIND = 518
SERVER_ITEM = 1
LAST_MOVE = 6
WAIT_SECONDS = 30


def on_dialog(client, title, *commands):
    answers = client.probe(*commands, window_class=DIALOG, window_title=title)
    for answer in answers:
        assert "error" not in answer, answer
    return answers


def windows_of(tree):
    """The window of a `tree` answer and every window below it."""
    found, todo = [], [tree["window"]]
    while todo:
        window = todo.pop()
        found.append(window)
        todo.extend(window.get("children", []))
    return found


def texts_of(tree):
    return {w["id"]: w["text"] for w in windows_of(tree)}


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def click_control(client, title, control):
    rect = on_dialog(client, title, "rect %d" % control)[0]["rect"]
    on_dialog(client, title, "click %d %d" % centre(rect))


def message_box_text(client):
    """The text of the program's message box (it has no title of its own to
    look for: it is the dialog that holds a static with text)."""
    tree = client.probe("tree", window_class=DIALOG)[0]
    return " ".join(w["text"] for w in windows_of(tree) if w["class"] == "Static")


def wine_run(client, *command):
    return subprocess.run(["wine"] + list(command), env=client.env, timeout=120,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def game_log(client):
    return client.game_log.read_text().splitlines() if client.game_log.exists() else []


def wait_game_log(client, line):
    deadline = time.monotonic() + WAIT_SECONDS
    while line not in game_log(client):
        assert time.monotonic() < deadline, "the game never logged %r: %s" % (line, game_log(client))
        time.sleep(0.3)


def group_requests(server, member):
    return [e for e in server.messages("in", type=15, op=10) if e["msg"].get("about", member) == member]


def test_without_games_starting_one_only_says_so(client, server, testgame):
    wine_run(client, "regsvr32", "/u", "/s", "Z:" + str(testgame).replace("/", "\\"))
    client.ask("command %d" % ID_START_GAME)
    text = message_box_text(client)
    assert "You don`t have any games on your machine." in text
    client.probe("key RETURN", window_class=DIALOG)
    time.sleep(1)
    assert group_requests(server, client.member) == []


def test_game_started_joined_and_played_both_ways(client, server, bots, testgame):
    assert wine_run(client, "regsvr32", "/s", "Z:" + str(testgame).replace("/", "\\")) == 0
    bob = bots.bot("bob")
    bob.enter(PLACE, Position.xy(2000, 2000))

    client.ask("command %d" % ID_START_GAME)
    rows = on_dialog(client, GAME_LIST, "list %d" % LIST)[0]
    assert "TestGame" in rows["rows"]
    assert rows["selected"] == rows["rows"].index("TestGame") or rows["count"] == 1
    click_control(client, GAME_LIST, 1)

    shown = texts_of(on_dialog(client, GAME_DETAILS, "tree")[0])
    assert shown[BOUNDS_LABEL] == "[ 2 - 4 ]"
    assert shown[NAME_EDIT] == "%s's TestGame" % NICK
    assert shown[PLAYERS_EDIT] == "2"
    # Nine players is more than the game takes: it says so and keeps the dialog.
    click_control(client, GAME_DETAILS, PLAYERS_EDIT)
    on_dialog(client, GAME_DETAILS, "key END", "type 9")
    click_control(client, GAME_DETAILS, 1)
    assert "Please enter a value between 2 and 4 for number of players" in message_box_text(client)
    client.probe("key RETURN", window_class=DIALOG)
    click_control(client, GAME_DETAILS, PLAYERS_EDIT)
    on_dialog(client, GAME_DETAILS, "key END", "key BACK", "key BACK", "type 3")
    click_control(client, GAME_DETAILS, 1)

    request = server.wait_log({"dir": "in", "msg": {"type": 15, "op": 10, "kind": GAME_KIND}},
                              timeout=WAIT_SECONDS)["msg"]
    info = request["info"]
    assert info["name"] == "%s's TestGame" % NICK
    assert info["capacity"] == 3
    items = {item["code"]: item["value"] for item in info["items"]}
    assert items[SERVER_ITEM] == "{DC1BFCC5-454A-4DF7-9538-3E08006D77D5}"
    assert items[3] == "10,10,23,31,Red;40,10,23,31,Blue"
    group = server.wait_log({"event": "group_created", "kind": GAME_KIND}, timeout=WAIT_SECONDS)["group"]

    bob.expect(type=15, op=10, group=group)
    bob.move(group, Position.seat(2))
    # The moves travel as application data (say mode 0) addressed to the
    # other player's person.
    for move in range(1, LAST_MOVE, 2):
        got = bob.expect(type=15, op=17, about=client.member, object=bob.member_id, value=0)
        assert got["blob"] == ("move:%d" % move).encode(), got
        bob.say("move", obj=client.member, value=0, blob=("move:%d" % (move + 1)).encode())
    wait_game_log(client, "game over")
    log = game_log(client)
    assert "move %d from %d" % (LAST_MOVE, bob.member_id) in log
    assert any(line.startswith("StartGame I4,BSTR,I4,BSTR,I4,I2,I4 %d|" % group) for line in log), log
    assert any(line.startswith("JoinGroup I4,BSTR,I4,I4,I4,BSTR %d|" % group) and line.endswith("|bob")
               for line in log), log


def test_leaving_the_game_lets_the_game_go(client, server):
    client.ask("command %d" % ID_START_GAME)
    wait_game_log(client, "Destroyed")
    log = game_log(client)
    assert any(line.startswith("LeaveGroup I4,BSTR,I4,BSTR") and line.endswith("|%s" % NICK) for line in log), log
    assert "Unadvise" in log
