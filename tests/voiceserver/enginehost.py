"""engine_host.exe under Wine for the voice tests: line commands in, RESULT
and EVENT lines out (see tests/voice_api/win32/engine_host.cpp)."""
import os
import queue
import random
import subprocess
import threading
import time


class EngineHost:
    """engine_host.exe under Wine: commands in, RESULT and EVENT lines out."""

    def __init__(self, program, workdir, prefix, **extra_env):
        env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", **extra_env)
        workdir.mkdir(parents=True, exist_ok=True)
        self.stderr = open(workdir / "engine_host-stderr.txt", "w")
        self.proc = subprocess.Popen(["wine", str(program)], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=self.stderr, env=env,
                                     cwd=str(program.parent))
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()
        self.wait_line(lambda line: line == "READY", 60)

    def _read(self):
        for raw in self.proc.stdout:
            self.lines.put(raw.decode("latin-1").rstrip("\r\n"))
        self.lines.put(None)

    def wait_line(self, predicate, timeout=15.0):
        deadline = time.monotonic() + timeout
        for line in self.seen:
            if predicate(line):
                self.seen.remove(line)
                return line
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no matching line; seen: %r" % self.seen[-20:])
            try:
                line = self.lines.get(timeout=left)
            except queue.Empty:
                continue
            if line is None:
                raise EOFError("engine_host ended; seen: %r" % self.seen[-20:])
            if predicate(line):
                return line
            self.seen.append(line)

    def send(self, command):
        self.proc.stdin.write((command + "\n").encode())
        self.proc.stdin.flush()

    def run(self, command, timeout=15.0):
        """Sends a command and returns its RESULT fields after the name."""
        self.send(command)
        words = command.split()
        prefix = "RESULT %s %s " % (words[0], words[1] if len(words) > 1 else "-")
        return self.wait_line(lambda line: line.startswith(prefix), timeout)[len(prefix):].split()

    def event(self, name, code, number=None, timeout=15.0):
        """The next event of that instance and code (and number): its fields
        (code, number, value, text, second)."""
        prefix = "EVENT %s %d " % (name, code)

        def matches(line):
            if not line.startswith(prefix):
                return False
            return number is None or line[len(prefix):].split(" ", 1)[0] == str(number)
        line = self.wait_line(matches, timeout)
        number_text, value, rest = line[len(prefix):].split(" ", 2)
        text, second = rest.split("|", 1)
        return int(number_text), int(value), text, second

    def events(self, name):
        """Events of that instance seen but not yet taken, as (code, text)."""
        prefix = "EVENT %s " % name
        found = []
        for line in self.seen:
            if line.startswith(prefix):
                code, _, _, rest = line[len(prefix):].split(" ", 3)
                found.append((int(code), rest.split("|", 1)[0]))
        return found

    def engine(self, name, server, conference, user, sdk_mode=True):
        """An instance set up to join; in SDK mode (as SDK hosts run it) it
        joins even while another engine window owns push-to-talk."""
        assert self.run("create " + name) == ["1"]
        for parameter, value in (("ServerAddress", server), ("ConfName", conference),
                                 ("Username", user),
                                 ("SDKmode", "true" if sdk_mode else "false")):
            assert self.run("set %s %s %s" % (name, parameter, value)) == ["0"]

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.send("quit")
                self.proc.wait(timeout=20)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()
        self.stderr.close()


def loopback_address():
    """A loopback address of a test's own, away from 127.0.0.1."""
    return "127.%d.%d.%d" % (random.randint(1, 254), random.randint(0, 255),
                             random.randint(1, 254))
