"""Starting and stopping the kit's processes from tests: the community
server as a child process with its control socket and log, and helpers
shared by the proxy launchers. Every wait has a timeout; every process is
stopped by `stop`."""
import asyncio
import json
import os
import pathlib
import select
import socket
import subprocess
import sys
import threading
import time

TESTS_DIR = pathlib.Path(__file__).resolve().parent.parent
PYTHON = "/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_port(port, timeout=10.0, proc=None):
    """Waits until a TCP connect to 127.0.0.1:port succeeds."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if proc is not None and proc.poll() is not None:
            raise RuntimeError("process ended with %s before listening on %d"
                               % (proc.returncode, port))
        try:
            socket.create_connection(("127.0.0.1", port), 0.5).close()
            return
        except OSError:
            time.sleep(0.05)
    raise TimeoutError("nothing listens on port %d after %.0f s" % (port, timeout))


def stop_process(proc, timeout=5.0):
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(timeout)


class ServerProcess:
    """The community server as a child process."""

    def __init__(self, workdir, *extra_args, scenario=None, time_limit=120, window_id=0,
                 tunnel=False):
        self.workdir = pathlib.Path(workdir)
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.log_path = self.workdir / "server-log.jsonl"
        args = [PYTHON, "-m", "zrkit.server", "--port", "0", "--control-port", "0",
                "--log", str(self.log_path), "--time-limit", str(time_limit),
                "--window-id", str(window_id)]
        if tunnel:
            args += ["--tunnel-port", "0"]
        if scenario is not None:
            path = self.workdir / "scenario.json"
            path.write_text(json.dumps(scenario))
            args += ["--scenario", str(path)]
        args += list(extra_args)
        env = dict(os.environ, PYTHONPATH=str(TESTS_DIR))
        self.stderr_path = self.workdir / "server-stderr.txt"
        self._stderr = open(self.stderr_path, "w")
        self.proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self._stderr,
                                     env=env, cwd=str(self.workdir))
        self.ports = {}
        self._ctl = None
        try:
            self._read_banner(3 if tunnel else 2)
        except Exception:
            self.stop()
            raise

    def _read_banner(self, lines, timeout=15.0):
        deadline = time.monotonic() + timeout
        buf = b""
        while len(self.ports) < lines:
            left = deadline - time.monotonic()
            if left <= 0 or self.proc.poll() is not None:
                raise RuntimeError("server did not start: %r, stderr: %s"
                                   % (buf, self.stderr_path.read_text()))
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if not ready:
                continue
            chunk = os.read(self.proc.stdout.fileno(), 4096)
            if not chunk:
                continue
            buf += chunk
            while b"\n" in buf:
                line, buf = buf.split(b"\n", 1)
                word, host, port = line.decode().split()
                self.ports[word] = int(port)
                self.host = host

    @property
    def port(self):
        return self.ports["LISTENING"]

    @property
    def tunnel_port(self):
        return self.ports["TUNNEL"]

    def control(self, cmd, io_timeout=15.0, **fields):
        """One control request; raises on a refused one."""
        if self._ctl is None:
            self._ctl = socket.create_connection(("127.0.0.1", self.ports["CONTROL"]),
                                                 io_timeout)
            self._ctl_file = self._ctl.makefile("rwb")
        self._ctl.settimeout(io_timeout)
        self._ctl_file.write((json.dumps(dict(cmd=cmd, **fields)) + "\n").encode())
        self._ctl_file.flush()
        reply = json.loads(self._ctl_file.readline())
        if not reply.pop("ok"):
            raise RuntimeError("control %s refused: %s" % (cmd, reply["error"]))
        return reply

    def wait_log(self, match, timeout=10.0, after=0):
        """The first log entry from index `after` on that contains `match`."""
        return self.control("wait", io_timeout=timeout + 5, match=match, after=after,
                            timeout=timeout)["entry"]

    def log(self):
        if not self.log_path.exists():
            return []
        return [json.loads(line) for line in self.log_path.read_text().splitlines() if line]

    def messages(self, direction=None, **match):
        """Logged messages (their decoded dicts), optionally filtered."""
        out = []
        for e in self.log():
            if "msg" not in e or (direction and e["dir"] != direction):
                continue
            if all(e["msg"].get(k) == v for k, v in match.items()):
                out.append(e)
        return out

    def stop(self):
        if self._ctl is not None:
            try:
                self._ctl_file.close()
                self._ctl.close()
            except OSError:
                pass
            self._ctl = None
        if self.proc.poll() is None:
            try:
                socket.create_connection(("127.0.0.1", self.ports["CONTROL"]), 2).sendall(
                    b'{"cmd": "stop"}\n')
                self.proc.wait(5)
            except (OSError, KeyError, subprocess.TimeoutExpired):
                pass
        stop_process(self.proc)
        self.proc.stdout.close()
        self._stderr.close()


class LoopThread:
    """An asyncio event loop on a background thread, for in-process peers
    (bots, scripted proxies) driven from blocking test code."""

    def __init__(self, timeout=15.0):
        self.timeout = timeout
        self.loop = asyncio.new_event_loop()
        self.thread = threading.Thread(target=self.loop.run_forever, daemon=True)
        self.thread.start()

    def run(self, coro, timeout=None):
        fut = asyncio.run_coroutine_threadsafe(coro, self.loop)
        return fut.result(timeout or self.timeout)

    def stop(self):
        self.loop.call_soon_threadsafe(self.loop.stop)
        self.thread.join(5)
        self.loop.close()
