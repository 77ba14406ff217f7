"""Resumption under cuts: a busy two-way exchange between the native
conn_probe (and for a few cuts the Windows one under Wine) and the kit's
server runs through a relay that cuts the TCP connection at seeded points
(inside frames, between messages and their type-33 acknowledgement, inside
the resumed hello and its answer). After every cut the client makes its one
reconnection and resumes the session; every numbered text must arrive
exactly once and in order on both sides. Where no resumption is possible
(the first hello, or a reconnection cut before its first frame) the session
ends with one reason and nothing reconnects."""
import os
import pathlib
import random
import re
import subprocess
import threading
import time
from concurrent.futures import ThreadPoolExecutor

import pytest

from comm_conn.conftest import switch_text
from comm_conn.cut_relay import Cut, CutRelay
from zrkit.harness import LoopThread

SEED = 20261211
CUT_COUNT = 100
CUTS_PER_CASE = 10
CHUNK = 100                 # texts each way per step of the exchange
IN_FLIGHT = 500             # how far either side may run ahead of delivery
MINIMUM_TEXTS = 3500        # past the client's 1000-message acknowledgement three times
LIMIT_TEXTS = 40000
WINDOW_ID = 40
SERVER_ACK_EVERY = 250
BROKEN_BOX = "|Connection to server broken ("     # natively a LOG line, under Wine a BOX line
SERVER_FAULTS = ("bad_ack", "resume_bad_count", "resume_refused", "framing_error",
                 "malformed", "client_closed", "refused")


class ExchangeProbe:
    """The native conn_probe, with the numbers of the server's texts it
    printed kept apart from its other lines."""

    TEXT = re.compile(r"MESSAGE 35 ([0-9a-f]*)$")

    def __init__(self, args, env=None):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True, env=env)
        self.texts = []
        self.lines = []
        self.changed = threading.Condition()
        threading.Thread(target=self._pump, daemon=True).start()

    def _pump(self):
        for line in self.proc.stdout:
            line = line.rstrip("\n")
            found = self.TEXT.match(line)
            with self.changed:
                if found:
                    self.texts.append(bytes.fromhex(found.group(1))[2:].decode(errors="replace"))
                else:
                    self.lines.append(line)
                self.changed.notify_all()
        with self.changed:
            self.lines.append("EXITED")
            self.changed.notify_all()

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()

    def wait(self, condition, timeout, what):
        with self.changed:
            if not self.changed.wait_for(lambda: condition(self), timeout):
                raise AssertionError("no %s; last lines %r, %d texts"
                                     % (what, self.lines[-8:], len(self.texts)))

    def count(self, prefix):
        with self.changed:
            return sum(1 for line in self.lines if line.startswith(prefix))

    def breaks(self):
        """The warning boxes (LOG or BOX lines) about a broken connection."""
        with self.changed:
            return sum(1 for line in self.lines if BROKEN_BOX in line)

    def ended(self):
        return any(line.startswith(("DISCONNECTED", "EXITED")) for line in self.lines)

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.send("quit")
                self.proc.wait(10)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait(5)


def seeded_plan():
    """CUT_COUNT cuts from the fixed seed, in cases of CUTS_PER_CASE; the n-th
    cut of a case falls on its n-th connection. Besides cuts at random bytes
    of either direction there are cuts just before or inside a type-33 frame
    of either direction (the acknowledged messages have arrived, their
    acknowledgement has not), and on reconnections cuts inside the resumed
    hello, its answer or the copies sent again after it. The first cuts of
    the list make sure each kind occurs; the list is then shuffled within
    the same seed (a resumed-hello cut never lands first in its case)."""
    rng = random.Random(SEED)

    def at_offset():
        return Cut(rng.choice(("c2s", "s2c")), offset=rng.randint(64, 6000))

    def inside_a_text():
        return Cut(rng.choice(("c2s", "s2c")), type=35, into=rng.randint(1, 7),
                   after=rng.randint(64, 4000))

    def before_an_ack():
        return Cut(rng.choice(("c2s", "s2c")), type=33, into=rng.choice((0, 0, 1, 3, 5)),
                   after=rng.randint(0, 2000))

    def in_the_resumed_hello():
        if rng.random() < 0.5:
            return Cut("c2s", frame=0, into=rng.randint(0, 19))
        return Cut("s2c", frame=rng.choice((1, 1, 2, 3, 10)), into=rng.randint(0, 12))

    kinds = [(at_offset, 60), (inside_a_text, 10), (before_an_ack, 15), (in_the_resumed_hello, 15)]
    cuts = [Cut("c2s", type=33, into=0), Cut("s2c", type=33, into=2), inside_a_text(),
            Cut("c2s", frame=0, into=9), Cut("s2c", frame=1, into=6)]
    while len(cuts) < CUT_COUNT:
        make = rng.choices([k for k, _ in kinds], [w for _, w in kinds])[0]
        cuts.append(make())
    rng.shuffle(cuts)
    cases = [cuts[i:i + CUTS_PER_CASE] for i in range(0, len(cuts), CUTS_PER_CASE)]
    for case in cases:
        if case[0].frame is not None:
            first = next(i for i, cut in enumerate(case) if cut.frame is None)
            case[0], case[first] = case[first], case[0]
    return cases


def in_resumed_hello(report):
    return report.connection > 1 and ((report.direction == "c2s" and report.frame == 0)
                                      or (report.direction == "s2c" and report.frame == 1))


def in_ack_window(report):
    return report.frame_type == 33


class Exchange:
    """One conn_probe talking to one server through one relay."""

    def __init__(self, server, relay, probe):
        self.server = server
        self.relay = relay
        self.probe = probe
        self.sent = 0

    def server_received(self):
        sessions = self.server.control("sessions")["sessions"]
        return sessions[0]["received"] if sessions else 0

    def step(self):
        self.probe.send("say %d" % CHUNK)
        self.server.control("say", session=1, count=CHUNK)
        self.sent += CHUNK

    def wait_delivered(self, behind, timeout=30.0):
        """Until both sides have all but `behind` of what was sent."""
        deadline = time.monotonic() + timeout
        while True:
            got = len(self.probe.texts)
            received = self.server_received()
            assert got <= self.sent and received <= self.sent, (
                "more arrived than was sent: client %d and server %d of %d; cuts %r"
                % (got, received, self.sent, self.relay.reports))
            if got >= self.sent - behind and received >= self.sent - behind:
                return
            if self.probe.ended() or time.monotonic() > deadline:
                raise AssertionError("stuck: client %d and server %d of %d; cuts %r; last lines %r"
                                     % (got, received, self.sent, self.relay.reports,
                                        self.probe.lines[-8:]))
            time.sleep(0.005)

    def run(self, cuts_wanted):
        """Keeps the texts flowing both ways until every cut was made and at
        least MINIMUM_TEXTS went each way, then waits for all of them."""
        while len(self.relay.reports) < cuts_wanted or self.sent < MINIMUM_TEXTS:
            assert self.sent < LIMIT_TEXTS, "cuts not made: %r" % self.relay.reports
            self.step()
            self.wait_delivered(IN_FLIGHT)
        self.wait_delivered(0)

    def server_texts(self):
        return [bytes.fromhex(m["msg"]["raw"])[2:].decode(errors="replace")
                for m in self.server.messages("in", type=35)]

    def server_faults(self):
        return [e for e in self.server.log() if e.get("event") in SERVER_FAULTS]


@pytest.fixture
def exchanges(server_factory, build_native, build_win, tmp_path):
    """exchanges(plan, platform) -> an Exchange whose relay cuts as `plan`
    says, with the native conn_probe or (one at a time: the switch file is
    the prefix's) the Windows one under Wine, whose boxes a watcher closes."""
    loop = LoopThread()
    started = []
    lock = threading.Lock()
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    wine_ini = prefix / "drive_c" / "windows" / "TVLDEBUG.INI"

    def start_probe(port, platform, workdir):
        switches = switch_text({"ZRS_PORT_NUM": port})
        if platform == "native":
            program = build_native / "tests" / "comm" / "conn_probe"
            assert program.exists(), "build the native tree first: %s" % program
            workdir.mkdir(parents=True, exist_ok=True)
            (workdir / "TVLDEBUG.INI").write_text(switches)
            return ExchangeProbe([str(program), "--ini", str(workdir / "TVLDEBUG.INI")])
        program = build_win / "tests" / "comm" / "conn_probe.exe"
        assert program.exists(), "build the Windows tree first: %s" % program
        wine_ini.write_text(switches)
        env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=")
        return ExchangeProbe(["wine", str(program), "--dismiss-boxes", "100"], env)

    def make(plan, platform="native"):
        with lock:
            server = server_factory("--ack-every", str(SERVER_ACK_EVERY),
                                    window_id=WINDOW_ID, time_limit=120)
            relay = loop.run(CutRelay(server.port, plan).start())
            probe = start_probe(relay.port, platform, tmp_path / ("probe%d" % len(started)))
            exchange = Exchange(server, relay, probe)
            started.append(exchange)
        return exchange
    yield make
    for exchange in started:
        exchange.probe.stop()
        loop.run(exchange.relay.stop())
    loop.stop()
    if wine_ini.exists():
        wine_ini.unlink()


def numbered(prefix, count):
    return ["%s%d:" % (prefix, n) for n in range(1, count + 1)]


def difference(texts, prefix, count):
    """None when `texts` are the numbered texts 1..count in order, else
    where they first differ."""
    expected = numbered(prefix, count)
    if texts == expected:
        return None
    at = next((i for i, (a, b) in enumerate(zip(texts, expected)) if a != b),
              min(len(texts), len(expected)))
    return "%d texts instead of %d; from %d: %r instead of %r" % (
        len(texts), count, at, texts[at:at + 4], expected[at:at + 4])


def test_busy_exchange_resumes_after_cuts_at_seeded_points(exchanges):
    plan = seeded_plan()
    assert sum(len(case) for case in plan) == CUT_COUNT

    def run(case):
        exchange = exchanges(case)
        exchange.probe.send("connect 127.0.0.1")
        exchange.probe.wait(lambda p: "READY" in p.lines or p.ended(), 15, "READY")
        assert "READY" in exchange.probe.lines, "cuts %r, lines %r" % (exchange.relay.reports,
                                                                     exchange.probe.lines)
        exchange.run(len(case))
        return exchange

    with ThreadPoolExecutor(len(plan)) as pool:
        done = list(pool.map(run, plan))

    for case, exchange in zip(plan, done):
        probe, relay = exchange.probe, exchange.relay
        where = "cuts %r" % relay.reports
        assert len(relay.reports) == len(case), where
        assert relay.connections == len(case) + 1, where
        assert difference(probe.texts, "s", exchange.sent) is None, where
        assert difference(exchange.server_texts(), "m", exchange.sent) is None, where
        assert probe.count("READY") == 1 and probe.count("DISCONNECTED") == 0, where
        assert probe.count("ERROR") == 0, where
        assert probe.breaks() == len(case), where
        assert exchange.server_faults() == [], where

    reports = [r for exchange in done for r in exchange.relay.reports]
    assert any(r.inside_frame for r in reports)
    assert {r.direction for r in reports if in_ack_window(r)} == {"c2s", "s2c"}
    assert {r.direction for r in reports if in_resumed_hello(r)} == {"c2s", "s2c"}
    assert any(in_resumed_hello(r) and r.inside_frame for r in reports)


# Cuts after which no resumption is possible: the first hello has no window
# yet, and a reconnection that never gets the server's first frame is the
# one attempt failing. The session ends with one reason and no further
# connection is made: 243 when the client's end was reset (a cut of what
# the client sends; library code 44), 240 when the client read the end of
# the stream (a cut of what the server sends; code 41).
SESSION_ENDS = [
    ("first hello, client's half", [Cut("c2s", frame=0, into=4)], 1, 243),
    ("first hello, before it", [Cut("c2s", frame=0, into=0)], 1, 243),
    ("first frame", [Cut("s2c", frame=0, into=2)], 1, 240),
    ("first hello, server's answer", [Cut("s2c", frame=1, into=7)], 1, 240),
    ("reconnection's first frame", [Cut("c2s", offset=3000), Cut("s2c", frame=0, into=3)], 2,
     240),
]


@pytest.mark.parametrize("cuts,connections,reason", [case[1:] for case in SESSION_ENDS],
                         ids=[case[0] for case in SESSION_ENDS])
def test_cut_where_no_resumption_is_possible_ends_the_session_once(exchanges, cuts, connections,
                                                                   reason):
    exchange = exchanges(cuts)
    probe = exchange.probe
    probe.send("connect 127.0.0.1")
    if connections > 1:
        probe.wait(lambda p: "READY" in p.lines, 15, "READY")
        while not probe.ended():
            assert exchange.sent < LIMIT_TEXTS
            exchange.step()
            probe.wait(lambda p: len(p.texts) >= exchange.sent - IN_FLIGHT or p.ended(), 30,
                       "texts")
    probe.wait(lambda p: p.ended(), 15, "the end of the session")
    time.sleep(0.5)
    assert [line for line in probe.lines if line.startswith("DISCONNECTED")] == ["DISCONNECTED %d" % reason]
    assert probe.breaks() == connections - 1
    assert probe.count("RESUMED") == 0
    assert exchange.relay.connections == connections
    assert len(exchange.relay.reports) == len(cuts)
    # What did arrive before the end arrived once and in order.
    assert difference(probe.texts, "s", len(probe.texts)) is None
    server_texts = exchange.server_texts()
    assert difference(server_texts, "m", len(server_texts)) is None
    if connections > 1:
        assert probe.texts and server_texts


# Cuts that never reach the server: its end of the old connection stays
# open and silent, so the resumed hello arrives while the server still
# counts the session as connected there.
SILENT_CUTS = [Cut("c2s", offset=2000, silent=True), Cut("s2c", offset=3000, silent=True),
               Cut("s2c", type=33, into=0, after=500, silent=True),
               Cut("c2s", frame=0, into=12, silent=True), Cut("s2c", frame=1, into=5, silent=True),
               Cut("c2s", type=35, into=4, after=1500, silent=True)]
# The Windows build under Wine (socket window, warning boxes): a few cuts of
# each kind, fewer than natively as every box stays up for a moment.
WINDOWS_CUTS = [Cut("c2s", type=35, into=5, after=1000), Cut("s2c", type=33, into=0, after=300),
                Cut("c2s", frame=0, into=10), Cut("s2c", frame=1, into=4, silent=True)]


@pytest.mark.parametrize("platform,cuts", [("native", SILENT_CUTS), ("wine", WINDOWS_CUTS)],
                         ids=["native-server-not-told", "wine"])
def test_exchange_resumes_after_each_cut(exchanges, platform, cuts):
    exchange = exchanges(cuts, platform)
    probe = exchange.probe
    probe.send("connect 127.0.0.1")
    probe.wait(lambda p: "READY" in p.lines or p.ended(), 30, "READY")
    exchange.run(len(cuts))
    where = "cuts %r" % exchange.relay.reports
    assert difference(probe.texts, "s", exchange.sent) is None, where
    assert difference(exchange.server_texts(), "m", exchange.sent) is None, where
    assert probe.count("DISCONNECTED") == 0 and probe.breaks() == len(cuts), where
    assert exchange.relay.connections == len(cuts) + 1, where
    assert exchange.server_faults() == [], where
