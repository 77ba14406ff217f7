"""Fixtures of the end-to-end tests: the kit's community server and bots,
and comm-driver programs that talk to it, natively (poll() port) and from
the Windows tree under Wine (hidden socket window)."""
import json
import os
import pathlib
import queue
import subprocess
import threading
import time

import pytest

from zrkit.fixtures import bots, community_server, server_factory  # noqa: F401


class Driver:
    """A running comm-driver: line commands in, one JSON event a line out."""

    def __init__(self, args, env=None):
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True, env=env)
        self.events = []
        self._seen = 0
        self._queue = queue.Queue()
        threading.Thread(target=self._pump, daemon=True).start()

    def _pump(self):
        for line in self.proc.stdout:
            self._queue.put(json.loads(line))
        self._queue.put(None)

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()

    def expect(self, event, timeout=15.0, **fields):
        """The next event of that name whose fields match (earlier events
        are passed over but kept)."""
        deadline = time.monotonic() + timeout
        while True:
            while self._seen < len(self.events):
                entry = self.events[self._seen]
                self._seen += 1
                if entry["event"] == event and all(entry.get(k) == v for k, v in fields.items()):
                    return entry
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError("no %s %r; last events %r" % (event, fields, self.events[-10:]))
            try:
                entry = self._queue.get(timeout=left)
            except queue.Empty:
                continue
            if entry is None:
                raise AssertionError("driver ended; last events %r" % self.events[-10:])
            self.events.append(entry)

    def tree(self):
        self.send("tree")
        return self.expect("tree")["tree"]

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.send("quit")
                self.proc.wait(timeout=15)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()


@pytest.fixture(params=["native", "wine"])
def drivers(request, build_native, build_win):
    if request.param == "native":
        program = build_native / "comm" / "comm-driver"
        args, env = [str(program)], None
    else:
        program = build_win / "comm" / "comm-driver.exe"
        prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
        args = ["wine", str(program)]
        env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    if not program.exists():
        pytest.skip("comm-driver is not built in this tree")
    started = []

    def make():
        driver = Driver(args, env)
        started.append(driver)
        return driver
    yield make
    for driver in started:
        driver.stop()
