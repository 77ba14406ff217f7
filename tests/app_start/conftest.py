"""Fixtures of the client start tests: a program folder with zrplaces.exe,
its resource library and settings file, the helper probe, and the kit's
community server. Everything runs under Wine from the Windows tree."""
import os
import pathlib
import shutil
import subprocess

import pytest

from zrkit.fixtures import community_server, server_factory  # noqa: F401

# Generous: Wine starts slowly on a loaded machine.
START_SECONDS = 60


class Client:
    """The program folder and the Wine processes started from it."""

    def __init__(self, folder, prefix, build_win):
        self.folder = folder
        self.prefix = prefix
        self.probe_path = build_win / "tests" / "app_start" / "app_start_probe.exe"
        self.env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.started = []

    def write_settings(self, sections):
        text = ""
        for section, values in sections.items():
            text += "[%s]\r\n" % section
            text += "".join("%s=%s\r\n" % kv for kv in values.items())
        (self.folder / "zrplaces.ini").write_text(text)

    def start(self, *arguments):
        proc = subprocess.Popen(["wine", str(self.folder / "zrplaces.exe")] + list(arguments),
                                cwd=str(self.folder), env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        self.started.append(proc)
        return proc

    def probe(self, *arguments):
        """Starts the probe; its stdout is a text pipe."""
        proc = subprocess.Popen(["wine", str(self.probe_path)] + list(arguments), env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.started.append(proc)
        return proc

    def run_probe(self, *arguments, timeout=START_SECONDS + 30):
        proc = self.probe(*arguments)
        out, _ = proc.communicate(timeout=timeout)
        return out.splitlines()

    def stop(self):
        for proc in self.started:
            if proc.poll() is None:
                proc.kill()
                proc.wait()


def switch_text(values):
    return "[Debug]\r\n" + "".join("%s=%s\r\n" % kv for kv in values.items())


@pytest.fixture
def client(build_win, tmp_path):
    program = build_win / "bin" / "zrplaces.exe"
    if not program.exists():
        pytest.skip("zrplaces.exe is not built in this tree")
    folder = tmp_path / "program"
    folder.mkdir()
    shutil.copy(program, folder)
    shutil.copy(build_win / "bin" / "ZrRes.dll", folder)
    shutil.copy(build_win / "tests" / "app_start" / "ZrResOld.dll", folder)
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    made = Client(folder, prefix, build_win)
    yield made
    made.stop()
    switches = prefix / "drive_c" / "windows" / "TVLDEBUG.INI"
    if switches.exists():
        switches.unlink()


@pytest.fixture
def server_port_switch(client, community_server):
    """The switch file that points the client at the kit's server."""
    path = client.prefix / "drive_c" / "windows" / "TVLDEBUG.INI"
    path.write_text(switch_text({"ZRS_PORT_NUM": community_server.port}))
    return community_server
