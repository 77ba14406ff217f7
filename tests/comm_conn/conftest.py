"""Fixtures of the server-connection tests: the kit's server and proxies,
and the conn_probe program of either tree (native with the poll() port, or
the Windows build under Wine with the hidden socket window)."""
import os
import pathlib
import queue
import socket
import subprocess
import threading
import time

import pytest

from zrkit.fixtures import (community_server, dante, scripted_proxy,  # noqa: F401
                            server_factory, tinyproxy, tunnel_server)
from zrkit.harness import free_port

PLATFORMS = ["native", "wine"]


class Probe:
    """A running conn_probe: commands in, one event a line out."""

    def __init__(self, args, env=None, cwd=None):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True, env=env, cwd=cwd)
        self.lines = []
        self._queue = queue.Queue()
        self._seen = 0
        threading.Thread(target=self._pump, daemon=True).start()
        self.stderr = []
        threading.Thread(target=self._pump_stderr, daemon=True).start()

    def _pump(self):
        for line in self.proc.stdout:
            self._queue.put(line.rstrip("\n"))
        self._queue.put(None)

    def _pump_stderr(self):
        for line in self.proc.stderr:
            self.stderr.append(line)

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()

    def _next(self, deadline):
        left = deadline - time.monotonic()
        if left <= 0:
            raise queue.Empty
        line = self._queue.get(timeout=left)
        if line is None:
            raise AssertionError("probe ended (%s); lines %r; stderr %r"
                                 % (self.proc.poll(), self.lines[-20:], "".join(self.stderr)[-1500:]))
        self.lines.append(line)
        return line

    def expect(self, prefix, timeout=15.0):
        """The next line starting with `prefix` (earlier lines are kept)."""
        deadline = time.monotonic() + timeout
        while self._seen < len(self.lines):
            line = self.lines[self._seen]
            self._seen += 1
            if line.startswith(prefix):
                return line
        try:
            while True:
                line = self._next(deadline)
                self._seen = len(self.lines)
                if line.startswith(prefix):
                    return line
        except queue.Empty:
            raise AssertionError("no %r line in %r" % (prefix, self.lines[-20:])) from None

    def settle(self, seconds):
        """Collects the lines of the next `seconds`."""
        deadline = time.monotonic() + seconds
        try:
            while True:
                self._next(deadline)
        except queue.Empty:
            pass
        return self.lines

    def count(self, prefix):
        return sum(1 for line in self.lines if line.startswith(prefix))

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.send("quit")
            except (BrokenPipeError, OSError):
                pass
            try:
                self.proc.wait(20)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)


def switch_text(values):
    return "[Debug]\r\n" + "".join("%s=%s\r\n" % kv for kv in values.items())


@pytest.fixture(params=PLATFORMS)
def platform(request):
    return request.param


@pytest.fixture
def start_probe(platform, build_native, build_win, tmp_path):
    """start_probe(switches, *options): a conn_probe with these switch-file
    values (ZRS_PORT_NUM and the rest)."""
    started = []

    def start(switches, *options):
        text = switch_text(switches)
        if platform == "native":
            path = build_native / "tests" / "comm" / "conn_probe"
            assert path.exists(), "build the native tree first: %s" % path
            ini = tmp_path / "TVLDEBUG.INI"
            ini.write_text(text)
            probe = Probe([str(path), "--ini", str(ini)] + list(options))
        else:
            path = build_win / "tests" / "comm" / "conn_probe.exe"
            assert path.exists(), "build the Windows tree first: %s" % path
            prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
            (prefix / "drive_c" / "windows" / "TVLDEBUG.INI").write_text(text)
            env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
                       WINEDLLOVERRIDES="mscoree,mshtml=")
            probe = Probe(["wine", str(path)] + list(options), env=env)
        started.append(probe)
        return probe

    yield start
    for probe in started:
        probe.stop()
    if platform == "wine":
        prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
        ini = prefix / "drive_c" / "windows" / "TVLDEBUG.INI"
        if ini.exists():
            ini.unlink()


@pytest.fixture
def closed_port():
    """A loopback port on which nothing listens."""
    return free_port()
