"""The client and the directory program talk by WM_COPYDATA: the client
tells a directory program it finds at start and at exit, opens the
directory and event pages there, and answers the program's questions about
its page, place links, echoes and the event login address. A stand-in
directory program (directory_peer.exe) logs what the client sends and sends
what a test asks; the last test runs the real ZrDirectory.exe."""
import json
import shutil
import subprocess
import tempfile
import threading
import time

import pytest

from app_window.test_main_window import AVATARS_ONLY, LAYOUT_COMMANDS, menu_items
from app_window.window_tools import PLACE, START_SECONDS, entered_member
from zrkit.fixtures import server_factory  # noqa: F401

DIRECTORY_PAGE = "http://dir.example/members"
EVENT_BASE = "http://events.example/manage"
NICK_WITH_BLANK = "tester two"
DIRECTORY_COMMAND = 32832
EVENT_MANAGEMENT_COMMAND = 32868
# The client's frame is at 0,0 and 1000 x 700 (DEFAULT_SETTINGS); the
# directory program is centred on it.
FRAME_SIZE = (1000, 700)


@pytest.fixture
def zr_server(server_factory):  # noqa: F811
    return server_factory(time_limit=900, scenario={
        "welcome": {"entry_count": 30},
        "items": [{"type": 0, "code": 1002, "value": DIRECTORY_PAGE},
                  {"type": 0, "code": 1011, "value": EVENT_BASE}]})


class DirectoryPeer:
    """directory_peer.exe: a hidden "ZRDirectory" window under Wine."""

    def __init__(self, build_win, env):
        program = build_win / "tests" / "app_window" / "directory_peer.exe"
        if not program.exists():
            pytest.skip("%s is not built" % program)
        self.events = []
        self.changed = threading.Condition()
        self.proc = subprocess.Popen(["wine", str(program)], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     env=env, text=True, bufsize=1)
        threading.Thread(target=self._read, daemon=True).start()
        self.wait(lambda e: e["event"] == "ready")

    def _read(self):
        for line in self.proc.stdout:
            if line.startswith("{"):
                with self.changed:
                    self.events.append(json.loads(line))
                    self.changed.notify_all()

    def wait(self, match, start=0, timeout=START_SECONDS):
        deadline = time.monotonic() + timeout
        with self.changed:
            while True:
                for event in self.events[start:]:
                    if match(event):
                        return event
                left = deadline - time.monotonic()
                if left <= 0:
                    raise AssertionError("the directory peer saw no such event: %r" % self.events)
                self.changed.wait(left)

    def received(self, start=0):
        with self.changed:
            return [(e["code"], e["text"]) for e in self.events[start:] if e["event"] == "received"]

    def wait_received(self, count, start=0, timeout=START_SECONDS):
        """The first `count` commands received from index start on."""
        deadline = time.monotonic() + timeout
        while len(self.received(start)) < count and time.monotonic() < deadline:
            time.sleep(0.05)
        return self.received(start)[:count]

    def send(self, code, text=""):
        """Sends a command to the client's frame; the index of the events
        that follow its answer, and the frame's result."""
        mark = len(self.events)
        self.proc.stdin.write("send %d %s\n" % (code, text))
        self.proc.stdin.flush()
        sent = self.wait(lambda e: e["event"] == "sent", start=mark)
        return self.events.index(sent, mark) + 1, sent["result"]

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write("quit\n")
                self.proc.stdin.flush()
                self.proc.wait(timeout=10)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()


@pytest.fixture
def peer(build_win, window_client):
    directory = DirectoryPeer(build_win, window_client.env)
    yield directory
    directory.stop()


def start_client(client, server, nick=None):
    if nick:
        client.settings["Identity-127.0.0.1"]["NickName"] = nick
    client.start()
    client.wait_frame()
    client.member = entered_member(server, nick or client.settings["Identity-127.0.0.1"]["NickName"])
    return client


def centred(width, height):
    return "%d %d %d %d" % ((FRAME_SIZE[0] - width) // 2, (FRAME_SIZE[1] - height) // 2, width, height)


def test_a_directory_program_is_told_at_start_and_at_exit(peer, window_client, zr_server):
    start_client(window_client, zr_server)
    assert peer.received() == [(1538, ""), (1536, "")]
    mark = len(peer.events)
    window_client.ask("close")
    assert window_client.wait_exit() == 0
    assert peer.wait_received(2, mark) == [(1538, ""), (1536, "")]
    # At exit the client's frame is the sender.
    assert all(e["from_frame"] for e in peer.events[mark:] if e["event"] == "received")


def test_the_directory_programs_questions_are_answered(peer, window_client, zr_server):
    start_client(window_client, zr_server, NICK_WITH_BLANK)
    questions = [
        # Another page: the client's page with a counter that grows.
        (1552, "", [(1543, DIRECTORY_PAGE + "?ref=0")]),
        (1552, "http://other.example/", [(1543, DIRECTORY_PAGE + "?ref=1")]),
        # The same page up to letter case and the :80 port.
        (1552, "HTTP://DIR.EXAMPLE:80/members", [(1544, "")]),
        # An echo comes back as it was sent, blanks and all.
        (1554, "  http://x.example/a b", [(1543, "  http://x.example/a b")]),
        # Neither a place link nor an interaction: the program goes on.
        (1553, "http://www.example.org/", [(1545, "http://www.example.org/")]),
    ]
    for code, text, replies in questions:
        mark, result = peer.send(code, text)
        assert result == 1, (code, text)
        assert peer.wait_received(len(replies), mark) == replies, (code, text)

    # The event login address: the nickname's blanks become "+".
    mark, _ = peer.send(1555, "")
    [(code, address)] = peer.wait_received(1, mark)
    assert code == 1543
    # The place is named by its page.
    assert address == EVENT_BASE + "?nickname=tester+two&place=" + PLACE

    # A place link is taken: the answer first, then the program hides and
    # the client acts on the address.
    link = "ZR://Layout=Avatars"
    mark, _ = peer.send(1553, link)
    assert peer.wait_received(2, mark) == [(1546, link), (1537, "")]
    view = menu_items(window_client.ask("menu"))["&View"]
    assert view[LAYOUT_COMMANDS[AVATARS_ONLY]]["checked"]


def test_directory_and_event_pages_open_in_the_directory_program(peer, window_client, zr_server):
    start_client(window_client, zr_server)
    mark = len(peer.events)
    window_client.ask("command %d" % DIRECTORY_COMMAND)
    assert peer.wait_received(3, mark) == [(1547, "Directory"), (1549, centred(560, 450)), (1542, "")]
    # Event management waits for the participation indicator to be ready.
    window_client.ask("waitstatus Connected %d" % (START_SECONDS * 1000))
    mark = len(peer.events)
    window_client.ask("command %d" % EVENT_MANAGEMENT_COMMAND)
    assert peer.wait_received(3, mark) == [(1547, "Event_Management"), (1549, centred(720, 450 + 150)),
                                           (1548, "")]


class DirectoryProbe:
    """The window probe on the real directory program's frame, given its
    commands at once and read when they are done."""

    def __init__(self, client, program, *commands):
        self.commands = commands
        self.out = tempfile.TemporaryFile("w+")
        self.proc = subprocess.Popen(["wine", str(client.probe_path), "--timeout", str(START_SECONDS),
                                      "--class", "ZRDirectory", "--program", str(program)],
                                     stdin=subprocess.PIPE, stdout=self.out, stderr=subprocess.DEVNULL,
                                     env=client.env, text=True)
        self.proc.stdin.write("\n".join(commands) + "\n")
        self.proc.stdin.close()

    def wait_first_answer(self):
        deadline = time.monotonic() + START_SECONDS + 30
        while time.monotonic() < deadline:
            self.out.seek(0)
            if any(line.startswith("{") for line in self.out):
                return
            time.sleep(0.1)
        raise AssertionError("the probe found no directory frame")

    def answers(self):
        self.proc.wait(timeout=2 * START_SECONDS + 30)
        self.out.seek(0)
        answers = [json.loads(line) for line in self.out if line.startswith("{")]
        self.out.close()
        assert len(answers) == len(self.commands) and not any("error" in a for a in answers), answers
        return answers


def test_the_directory_command_starts_the_directory_program(build_win, window_client, zr_server):
    program = window_client.folder / "ZrDirectory.exe"
    shutil.copy(build_win / "directory" / "ZrDirectory.exe", program)
    start_client(window_client, zr_server)
    window_client.ask("command %d" % DIRECTORY_COMMAND)
    [frame] = DirectoryProbe(window_client, program, "frame").answers()
    assert frame["text"] == "Directory"
    left, top, right, bottom = frame["rect"]
    assert (left, top, right - left, bottom - top) == tuple(int(n) for n in centred(560, 450).split())
    # The client's exit closes the directory program too.
    watch = DirectoryProbe(window_client, program, "frame", "waitgone %d" % (START_SECONDS * 1000))
    watch.wait_first_answer()
    window_client.ask("close")
    assert window_client.wait_exit() == 0
    assert watch.answers()[1]["gone"]
