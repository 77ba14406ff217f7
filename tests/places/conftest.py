"""Fixtures of the places end-to-end test: the kit's community server and
bots, and the native places-probe."""
import json
import queue
import subprocess
import threading
import time

import pytest

from zrkit.fixtures import bots, community_server, server_factory  # noqa: F401


class Probe:
    """A running places-probe: line commands in, one JSON event a line out."""

    def __init__(self, program):
        self.proc = subprocess.Popen([str(program)], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True)
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

    def expect(self, event, timeout=20.0, **fields):
        """The next event of that name whose fields match; earlier events
        are passed over but kept in `events`."""
        deadline = time.monotonic() + timeout
        while True:
            while self._seen < len(self.events):
                entry = self.events[self._seen]
                self._seen += 1
                if entry["event"] == event and all(entry.get(k) == v for k, v in fields.items()):
                    return entry
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError("no %s %r; last events %r" % (event, fields, self.events[-12:]))
            try:
                entry = self._queue.get(timeout=left)
            except queue.Empty:
                continue
            if entry is None:
                raise AssertionError("probe ended; last events %r" % self.events[-12:])
            self.events.append(entry)

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.send("quit")
                self.proc.wait(timeout=15)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()


@pytest.fixture
def probe(build_native):
    program = build_native / "tests" / "places" / "places-probe"
    if not program.exists():
        pytest.skip("places-probe is not built")
    started = Probe(program)
    yield started
    started.stop()
