"""dde_driver.exe under Wine as a Python object: commands go to its input,
replies and advise data come back through its log file (Wine's helpers may
hold a pipe open, a file they do not)."""
import subprocess
import time

from dde_session import dde_items

SERVICE = "ZrPlaces"
RUN_SERVICE = "ZrPlacesRun"


class DdeError(AssertionError):
    pass


class DdeClient:
    def __init__(self, program, log_path, env):
        self.log_path = log_path
        self.seen = 0           # log lines read so far
        self.advised = []       # (topic, item, bytes) in arrival order
        self.replies = []
        self.proc = subprocess.Popen(["wine", str(program), "--log", str(log_path)],
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, env=env, text=True)
        self._wait(lambda: "ready" in self._lines, 60, "the driver did not start")

    @property
    def _text(self):
        try:
            return self.log_path.read_text(errors="replace")
        except FileNotFoundError:
            return ""

    @property
    def _lines(self):
        return self._text.splitlines()

    def _read(self):
        text = self._text
        lines = text.splitlines()
        # The last line may be half written.
        complete = lines if text.endswith("\n") else lines[:-1]
        for line in complete[self.seen:]:
            if line.startswith("advdata "):
                _, topic, item, data = line.split(" ", 3)
                self.advised.append((topic, item, b"" if data == "-" else bytes.fromhex(data)))
            elif line.startswith("reply "):
                self.replies.append(line[len("reply "):])
        self.seen = len(complete)

    def _wait(self, condition, timeout, what):
        deadline = time.monotonic() + timeout
        while True:
            self._read()
            if condition():
                return
            if time.monotonic() > deadline:
                raise DdeError("%s in %d s; log: %s" % (what, timeout, self._lines[-20:]))
            if self.proc.poll() is not None:
                raise DdeError("the driver ended with %s; log: %s" % (self.proc.returncode,
                                                                       self._lines[-20:]))
            time.sleep(0.05)

    def command(self, line, timeout=30):
        count = len(self.replies)
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        self._wait(lambda: len(self.replies) > count, timeout, "no reply to %r" % line)
        return self.replies[count]

    # ---- the verbs, each with its expected reply ----------------------------

    def connect(self, topic, service=SERVICE, name=None):
        return self.command("connect %s %s %s" % (name or topic, service, topic))

    def request(self, topic, item, name=None):
        """The answer's bytes, or None when the client answered nothing."""
        reply = self.command("request %s %s" % (name or topic, item))
        if reply.startswith("data "):
            data = reply[len("data "):]
            return b"" if data == "-" else bytes.fromhex(data)
        if reply.startswith("none "):
            return None
        raise DdeError("request %s %s: %s" % (topic, item, reply))

    def ask(self, topic, item, name=None):
        """The answer's fields, read with the test's own coder."""
        data = self.request(topic, item, name)
        if data is None:
            raise DdeError("no answer to %s %s" % (topic, item))
        return dde_items.read(topic, item, data)

    def poke(self, topic, item, data, name=None):
        return self.command("poke %s %s %s" % (name or topic, item, data.hex() or "-"))

    def advise(self, topic, item, name=None):
        reply = self.command("advise %s %s" % (name or topic, item))
        if reply != "ok":
            raise DdeError("advise %s %s: %s" % (topic, item, reply))

    def wait_advised(self, topic, item, match=lambda fields: True, timeout=30):
        """The fields of the first advise data of the item (read with the
        test's coder) for which match is true; the data before it is kept."""
        found = []

        def seen():
            for t, i, data in self.advised:
                if t.lower() == topic.lower() and i.lower() == item.lower():
                    fields = dde_items.read(topic, item, data)
                    if match(fields):
                        found.append(fields)
                        return True
            return False
        self._wait(seen, timeout, "no %s %s advise data matching" % (topic, item))
        return found[0]

    def stop(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write("quit\n")
                self.proc.stdin.close()
                self.proc.wait(timeout=10)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()
