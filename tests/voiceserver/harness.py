"""The conference server as a child process for tests: banner, control
socket, log reading; every wait has a timeout."""
import json
import os
import pathlib
import select
import socket
import subprocess
import time

TESTS_DIR = pathlib.Path(__file__).resolve().parent.parent
PYTHON = "/usr/bin/python3"


class VoiceServerProcess:
    def __init__(self, workdir, *extra_args, time_limit=60):
        self.workdir = pathlib.Path(workdir)
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.log_path = self.workdir / "voiceserver-log.jsonl"
        args = [PYTHON, "-m", "voiceserver.server", "--port", "0", "--control-port", "0",
                "--log", str(self.log_path), "--time-limit", str(time_limit)] + list(extra_args)
        self.stderr_path = self.workdir / "voiceserver-stderr.txt"
        self._stderr = open(self.stderr_path, "w")
        env = dict(os.environ, PYTHONPATH=str(TESTS_DIR))
        self.proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self._stderr, env=env)
        self.ports = {}
        self._banners = 2 + 2 * ("--media-port" in extra_args) + ("--tunnel-port" in extra_args)
        self._control = None
        try:
            self._read_banner()
        except Exception:
            self.stop()
            raise

    def _read_banner(self, timeout=15.0):
        deadline = time.monotonic() + timeout
        buffer = b""
        while len(self.ports) < self._banners:
            left = deadline - time.monotonic()
            if left <= 0 or self.proc.poll() is not None:
                raise RuntimeError("voice server did not start: %r %s"
                                   % (buffer, self.stderr_path.read_text()))
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if ready:
                buffer += os.read(self.proc.stdout.fileno(), 4096)
            while b"\n" in buffer:
                line, buffer = buffer.split(b"\n", 1)
                word, host, port = line.decode().split()
                self.host = host
                self.ports[word] = int(port)

    @property
    def port(self):
        return self.ports["LISTENING"]

    def control(self, cmd, **fields):
        if self._control is None:
            self._control = socket.create_connection((self.host, self.ports["CONTROL"]), 10)
            self._control_file = self._control.makefile("rwb")
        self._control_file.write((json.dumps(dict(cmd=cmd, **fields)) + "\n").encode())
        self._control_file.flush()
        reply = json.loads(self._control_file.readline())
        if not reply.get("ok"):
            raise RuntimeError("control %s refused: %s" % (cmd, reply))
        return reply

    def log(self):
        if not self.log_path.exists():
            return []
        return [json.loads(line) for line in self.log_path.read_text().splitlines() if line]

    def wait_log(self, predicate, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for entry in self.log():
                if predicate(entry):
                    return entry
            time.sleep(0.05)
        raise TimeoutError("no log entry matched within %.0f s" % timeout)

    def stop(self):
        if self._control is not None:
            self._control.close()
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)
        self._stderr.close()
