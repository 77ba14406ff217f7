"""The conference protocol core against the Python voice server: the native
conf_probe program joins, follows roster changes, exchanges messages, meets
the server's refusals and leaves."""
import os
import select
import subprocess
import time

import pytest

from voiceserver.client import VoiceClient
from voiceserver.harness import VoiceServerProcess

INVALID = "EVENT Disconnected 0 Invalid account"
TERMINATED = "The connection was terminated by the server.\\nReason: "
REJECTED = "Request to join the conference was rejected by the server.\\nReason: "


class ProbeProcess:
    def __init__(self, path, host, port, *credentials):
        self.proc = subprocess.Popen([str(path), host, str(port)] + list(credentials),
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE)
        self.buffer = b""
        self.lines = []

    def _read_line(self, deadline):
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("probe said nothing more; so far: %s" % self.lines)
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if ready:
                chunk = os.read(self.proc.stdout.fileno(), 4096)
                if not chunk:
                    raise EOFError("probe ended: %s" % self.proc.stderr.read().decode())
                self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        self.lines.append(line.decode())
        return self.lines[-1]

    def wait(self, wanted, timeout=10.0):
        """Reads lines until `wanted`; returns the events read before it."""
        deadline = time.monotonic() + timeout
        seen = []
        while True:
            line = self._read_line(deadline)
            if line == wanted:
                return seen
            seen.append(line)

    def command(self, text, ok=True):
        self.proc.stdin.write((text + "\n").encode())
        self.proc.stdin.flush()
        word = text.replace("\t", " ").split(" ", 1)[0]
        return self.wait(("OK " if ok else "FAILED ") + word)

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write(b"quit\n")
                self.proc.stdin.flush()
                self.proc.wait(5)
            except (BrokenPipeError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait(5)
        assert self.proc.returncode == 0, self.proc.stderr.read().decode()


@pytest.fixture
def probe_path(build_native):
    path = build_native / "tests" / "voice_protocol" / "conf_probe"
    assert path.exists(), "build the native tree first (tools/build.sh): %s" % path
    return path


@pytest.fixture
def servers(tmp_path):
    started = []

    def make(*args):
        server = VoiceServerProcess(tmp_path / ("voice%d" % len(started)), *args)
        started.append(server)
        return server
    yield make
    for server in started:
        server.stop()


@pytest.fixture
def probes(probe_path):
    started = []

    def make(server, *credentials):
        probe = ProbeProcess(probe_path, server.host, server.port, *credentials)
        started.append(probe)
        return probe
    yield make
    for probe in started:
        probe.stop()


def join(probe, conference="lobby", name="Ann", icon=4):
    probe.command("connect")
    probe.wait("EVENT Status 207")
    probe.command("join\t%s\t0\t%d\t%s" % (conference, icon, name))


def test_join_roster_changes_messages_and_leave(servers, probes):
    server = servers()
    ann = probes(server)
    ann.command("connect")
    assert ann.wait("EVENT Status 207") == ["EVENT Connected"]
    assert ann.command("join\tlobby\t0\t4\tAnn") == ["EVENT ConfName lobby", "EVENT ConfClone 0"]
    assert ann.wait("EVENT RosterAdded 101 4 Ann") == ["EVENT Accepted", "EVENT Status 208"]

    bob = VoiceClient(server.host, server.port)
    bob.join("lobby", "Bob")
    ann.wait("EVENT RosterAdded 102 0 Bob")
    bob.send("ROSTERCHANGE", "NAME", 102, "Robert")
    ann.wait("EVENT NameChanged 102 0 Robert")
    bob.send("ROSTERCHANGE", "ICON", 102, 8)
    ann.wait("EVENT IconChanged 102 8 Robert")

    ann.command("name Annie B")
    ann.wait("EVENT NameChanged 101 4 Annie B")
    assert bob.expect("ROSTERCHANGE", "NAME", 101) == ["ROSTERCHANGE", "NAME", "101", "Annie B"]

    bob.send("MESSAGE", 101, "two\x01lines")
    ann.wait("EVENT Message 102 Robert two\\nlines")
    ann.command("message 102 hello\tthere")
    assert bob.expect("MESSAGE") == ["MESSAGE", "101", "Annie B", "hello\x02there"]
    ann.command("broadcast to all")
    assert bob.expect("APP") == ["APP", "APPBROADCAST", "101", "Annie B", "to all"]

    bob.send("DISCONNECT")
    ann.wait("EVENT RosterRemoved 102 8 Robert")

    assert ann.command("leave bye") == ["EVENT Status 206", "EVENT Disconnected 0 bye"]
    server.wait_log(lambda e: e.get("dir") == "in" and e["session"] == 1
                    and e["fields"] == ["DISCONNECT"])
    server.wait_log(lambda e: e.get("event") == "left" and e["user"] == 101)
    # Nothing goes out once the session has ended.
    ann.command("message 102 late", ok=False)


def test_join_line_carries_fifteen_fields(servers, probes):
    server = servers()
    ann = probes(server)
    join(ann)
    ann.wait("EVENT Accepted")
    entry = server.wait_log(lambda e: e.get("dir") == "in" and e["fields"][0] == "JOIN")
    assert entry["fields"][1:] == ["lobby", "0", "Ann", "0", "127.0.0.1", "1.0.0.0",
                                   "none:0,0", "0.0", "NT 6.1:7601", "conf_probe", "1.0",
                                   "http://127.0.0.1/", "4", "0", ";;;"]
    connect = server.log()[1]
    assert connect["fields"] == ["CONNECT", "2", "4", "en-US", "73920461"]


def test_an_account_key_is_used_for_both_directions(servers, probes):
    server = servers("--account", "47205318:Qm4TzK7pWa2")
    ann = probes(server, "47205318", "Qm4TzK7pWa2")
    join(ann)
    ann.wait("EVENT RosterAdded 101 4 Ann")
    assert server.log()[1]["fields"] == ["CONNECT", "2", "4", "en-US", "47205318"]


def test_a_key_the_server_does_not_share_shows_as_invalid_account(servers, probes):
    server = servers()
    ann = probes(server, "47205318", "Qm4TzK7pWa2")
    ann.command("connect")
    events = ann.wait(INVALID)
    assert not any(e.startswith("EVENT ErrorText") for e in events)


def test_server_refusals_end_the_session(servers, probes):
    server = servers("--reject", "closed")
    ann = probes(server)
    join(ann, conference="closed")
    ann.wait("EVENT Disconnected 0 " + REJECTED + "conference closed")
    ann.wait("EVENT ErrorText 1002 " + REJECTED + "conference closed")

    bea = probes(server)
    join(bea, name="Bea")
    # The refused join took no user number.
    bea.wait("EVENT RosterAdded 101 4 Bea")
    bob = VoiceClient(server.host, server.port)
    bob.join("lobby", "Bob")
    bea.wait("EVENT RosterAdded 102 0 Bob")
    bob.send("APP", "EJECT", 101, "rude")
    bea.wait("EVENT Disconnected 0 " + TERMINATED + "rude")
    bea.wait("EVENT ErrorText 1001 " + TERMINATED + "rude")


def test_scripted_bad_lines(servers, probes):
    server = servers()
    ann = probes(server)
    join(ann)
    ann.wait("EVENT RosterAdded 101 4 Ann")
    # Malformed and unknown lines are passed over.
    server.control("send", user=101, fields=["ROSTERADD", "many", "Eve", "1"])
    server.control("send", user=101, fields=["APP", "DANCE"])
    server.control("send", user=101, fields=["ROSTERDEL", ""])
    server.control("send", user=101, fields=["ROSTERADD", "7", "Eve", "1"])
    assert ann.wait("EVENT RosterAdded 7 1 Eve") == []

    server.control("raw", user=101, text="A" * 3000 + "\n")
    ann.wait("EVENT ErrorText 1005 Receive buffer overflow 3000")

    bea = probes(server)
    join(bea, name="Bea")
    bea.wait("EVENT Accepted")
    server.control("send", user=102, fields=["CONNECT"], sequence="12a")
    events = bea.wait(INVALID)
    assert not any(e.startswith("EVENT ErrorText") for e in events)
    bea.command("message 101 still there?", ok=False)


def test_breakout_moves_to_the_new_conference(servers, probes):
    server = servers()
    ann = probes(server)
    join(ann)
    ann.wait("EVENT Accepted")
    bob = VoiceClient(server.host, server.port)
    bob.join("lobby", "Bob")
    ann.wait("EVENT RosterAdded 102 0 Bob")
    bob.send("APP", "BREAKOUT", 101, "INVITE")
    ann.wait("EVENT Breakout 102 0 lobby")
    events = ann.command("reply 102 1")
    assert events == ["EVENT ConfName lobby (0)_$102", "EVENT ConfClone 0", "EVENT Status 206",
                      "EVENT Disconnected 2 "]
    entry = server.wait_log(lambda e: e.get("event") == "breakout-accept")
    assert entry["name"] == "lobby (0)_$102" and entry["name_ok"]
    assert bob.expect("APP", "BREAKOUT") == ["APP", "BREAKOUT", "101", "ACCEPT", "lobby (0)_$102"]
    assert ann.wait("EVENT Status 207") == ["EVENT Connected"]
    ann.command("join\tlobby (0)_$102\t0\t4\tAnn")
    ann.wait("EVENT RosterAdded 103 4 Ann")
    members = {m["user"]: m for m in server.control("members")["members"]}
    assert members[103]["conference"] == ["lobby (0)_$102", "0"]
    assert members[102]["conference"] == ["lobby", "0"]


def test_dispatch_redirects_to_the_named_server(servers, probes):
    first = servers()
    second = servers("--host", "127.0.0.2", "--port", str(first.port), "--first-user", "201")
    ann = probes(first)
    join(ann)
    ann.wait("EVENT RosterAdded 101 4 Ann")
    first.control("send", user=101, fields=["DISPATCH", "127.0.0.2", "lobby-b", "3", "tok-9"])
    assert ann.wait("EVENT Status 207") == [
        "EVENT ConfName lobby-b", "EVENT ConfClone 3", "EVENT Status 233",
        "EVENT Disconnected 1 ", "EVENT Connected"]
    first.wait_log(lambda e: e.get("event") == "left" and e["user"] == 101)
    ann.command("join\tlobby-b\t3\t4\tAnn")
    ann.wait("EVENT RosterAdded 201 4 Ann")
    joined = second.wait_log(lambda e: e.get("event") == "joined")
    assert joined["token"] == "tok-9" and joined["conference"] == ["lobby-b", "3"]
