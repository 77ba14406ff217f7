"""The main window tests' tools: the client in its program folder driven by
the window probe, and screenshots compared with reference pictures. The
fixtures of conftest.py make them; tests import names from here with
`from app_window.window_tools import ...`."""
import json
import os
import pathlib
import shutil
import subprocess
import tempfile

import pytest

HERE = pathlib.Path(__file__).resolve().parent
REFERENCES = HERE / "reference"
# Generous: Wine starts slowly on a loaded machine.
START_SECONDS = 60
PLACE = "http://page/"
NICK = "tester"
DEFAULT_SETTINGS = {
    "Community": {"HomeServer": "127.0.0.1", "ServerTitle": "Test Community", "HomeURL": PLACE},
    "Identity-127.0.0.1": {"NickName": NICK},
    # The own avatar enters at the same place on every run (without a saved
    # position it would be spread by the clock's second).
    "Settings": {"MainXPos": 0, "MainYPos": 0, "WinWidth": 1000, "WinHeight": 700,
                 "MyselfXPos": 8000, "MyselfYPos": 7000},
}


class ProbeError(AssertionError):
    pass


class WindowClient:
    def __init__(self, folder, prefix, probe_path, server):
        self.folder = folder
        self.prefix = prefix
        self.probe_path = probe_path
        self.server = server
        self.settings = json.loads(json.dumps(DEFAULT_SETTINGS))
        self.env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.proc = None
        self.member = None
        self.switch_file = prefix / "drive_c" / "windows" / "TVLDEBUG.INI"

    def start(self, *arguments, write_settings=True):
        """write_settings False keeps the zrplaces.ini that is there."""
        text = "".join("[%s]\r\n" % section + "".join("%s=%s\r\n" % kv for kv in values.items())
                       for section, values in self.settings.items())
        if write_settings:
            (self.folder / "zrplaces.ini").write_text(text)
        if self.server is not None:
            self.switch_file.write_text("[Debug]\r\nZRS_PORT_NUM=%d\r\n" % self.server.port)
        self.proc = subprocess.Popen(["wine", str(self.folder / "zrplaces.exe")] + list(arguments),
                                     cwd=str(self.folder), env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.proc

    def copy_beside(self, base, nick):
        """A client like this one on the same server, in copies of its
        program folder and Wine prefix under base (so with a wineserver of
        its own), named nick; not started. End it with end_beside."""
        prefix = base / "prefix"
        shutil.copytree(self.prefix, prefix, symlinks=True)
        folder = base / "program"
        shutil.copytree(self.folder, folder)
        other = WindowClient(folder, prefix, self.probe_path, self.server)
        other.settings["Identity-127.0.0.1"] = {"NickName": nick}
        return other

    def end_beside(self):
        """Stops a client made by copy_beside, its wineserver and its copied
        prefix, which is large."""
        self.stop()
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        shutil.rmtree(self.prefix, ignore_errors=True)

    def probe(self, *commands, timeout=START_SECONDS + 60, window_class=None,
              window_title=None, find_seconds=START_SECONDS):
        """Answers of the probe, one dict a command, about the frame or the
        client's first window of window_class (and window_title), which the
        probe waits for up to find_seconds. A probe that Wine failed to start
        (it ends in error before printing anything) is started once more."""
        options = ["--class", window_class] if window_class else []
        options += ["--title", window_title] if window_title else []
        command = ["wine", str(self.probe_path), "--timeout", str(find_seconds),
                   "--program", str(self.folder / "zrplaces.exe")] + options
        answers, returncode, errors = self._run_probe(command, commands, timeout)
        if not answers and returncode != 0:
            answers, returncode, errors = self._run_probe(command, commands, timeout)
        if answers and answers[0].get("cmd") == "start":
            raise ProbeError("probe: %s" % answers[0]["error"])
        if len(answers) != len(commands):
            raise ProbeError("the probe ended with %s after %d answers to %r: %s"
                             % (returncode, len(answers), commands, errors[-2000:]))
        return answers

    def _run_probe(self, command, commands, timeout):
        """(answers, return code, error output) of one run of the probe. Its
        output goes through files: Wine's helpers may outlive it and hold a
        pipe open."""
        with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
            proc = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=out, stderr=err,
                                    env=self.env, text=True)
            try:
                proc.communicate("\n".join(commands) + "\n", timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()
                raise ProbeError("the probe did not finish %r in %d s" % (commands, timeout))
            out.seek(0)
            err.seek(0)
            answers = [json.loads(line) for line in out if line.startswith("{")]
            return answers, proc.returncode, err.read()

    def ask(self, command, **kw):
        answer = self.probe(command, **kw)[0]
        if "error" in answer:
            raise ProbeError("%s: %s" % (command, answer["error"]))
        return answer

    def wait_frame(self):
        try:
            return self.ask("frame")
        except ProbeError:
            if self.proc is not None and self.proc.poll() is not None:
                raise ProbeError("the client ended with %s before its frame showed"
                                 % self.proc.returncode)
            raise

    def wait_exit(self, timeout=START_SECONDS):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the client still runs after %d s" % timeout)

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.switch_file.exists():
            self.switch_file.unlink()


def program_client(build_win, folder, server, needed=()):
    """A WindowClient with zrplaces.exe and ZrRes.dll of the Windows tree
    copied into folder (made when missing), not started. Skips the test when
    the client, the probe or one of the further programs `needed` is not
    built."""
    program = build_win / "bin" / "zrplaces.exe"
    probe = pathlib.Path(os.environ.get("ZR_WINDOW_PROBE",
                                        build_win / "tests" / "app_window" / "window_probe.exe"))
    for path in (program, probe) + tuple(needed):
        if not path.exists():
            pytest.skip("%s is not built" % path)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(program, folder)
    shutil.copy(build_win / "bin" / "ZrRes.dll", folder)
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    return WindowClient(folder, prefix, probe, server)


class Pictures:
    def __init__(self, out_dir, references=REFERENCES):
        self.out_dir = pathlib.Path(out_dir)
        self.references = pathlib.Path(references)

    def capture(self, name, rect=None):
        path = self.out_dir / (name + ".png")
        command = ["import", "-silent", "-window", "root"]
        if rect is not None:
            left, top, right, bottom = self._clip(rect)
            command += ["-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                        "+repage"]
        subprocess.run(command + [str(path)], check=True, timeout=60)
        return path

    def capture_frame(self, client, name):
        return self.capture(name, client.ask("frame")["rect"])

    @staticmethod
    def _clip(rect):
        width, height = (int(v) for v in subprocess.run(
            ["xdpyinfo"], capture_output=True, text=True, check=True, timeout=30
        ).stdout.split("dimensions:")[1].split()[0].split("x"))
        left, top = max(rect[0], 0), max(rect[1], 0)
        right, bottom = min(rect[2], width), min(rect[3], height)
        if right <= left or bottom <= top:
            raise AssertionError("rectangle %r is off the %dx%d screen" % (rect, width, height))
        return left, top, right, bottom

    @staticmethod
    def size(path):
        out = subprocess.run(["identify", "-format", "%w %h", str(path)], capture_output=True,
                             text=True, check=True, timeout=30).stdout
        return tuple(int(v) for v in out.split())

    def differing_pixels(self, reference, picture, fuzz="10%", diff=None):
        """Pixels of picture farther than fuzz from the reference's."""
        result = subprocess.run(["compare", "-metric", "AE", "-fuzz", fuzz, str(reference),
                                 str(picture), str(diff or "null:")],
                                capture_output=True, text=True, timeout=60)
        if result.returncode not in (0, 1):
            raise AssertionError("compare failed: %s" % result.stderr.strip())
        return int(float(result.stderr.split()[0]))

    def check(self, name, picture, max_pixels=0, fuzz="10%"):
        reference = self.references / (name + ".png")
        if os.environ.get("ZR_UPDATE_REFERENCES") == "1":
            self.references.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(picture, reference)
            return
        if not reference.exists():
            raise AssertionError("no reference picture %s; make it with ZR_UPDATE_REFERENCES=1 "
                                 "(actual picture: %s)" % (reference, picture))
        actual = self.out_dir / (name + "-actual.png")
        if pathlib.Path(picture) != actual:
            shutil.copyfile(picture, actual)
        if self.size(reference) != self.size(actual):
            raise AssertionError("%s is %dx%d, the reference %s is %dx%d" % (
                (actual,) + self.size(actual) + (reference,) + self.size(reference)))
        diff = self.out_dir / (name + "-diff.png")
        count = self.differing_pixels(reference, actual, fuzz, diff)
        if count > max_pixels:
            raise AssertionError("%d pixels of %s differ from %s (at most %d may); see %s"
                                 % (count, actual, reference, max_pixels, diff))
        actual.unlink()
        diff.unlink()



def entered_member(server, name):
    """The member id of `name` once the server saw it enter PLACE."""
    welcome = server.wait_log({"dir": "out", "msg": {"type": 12, "name": name}},
                              timeout=START_SECONDS)
    member = welcome["msg"]["member"]
    server.wait_log({"event": "entered", "place": PLACE, "member": member}, timeout=START_SECONDS)
    return member
