"""Fixtures of the people page's voice tests: the main window tests'
fixtures (the kit's community server with bots, the client under Wine),
the voice test server relaying media on a loopback address of its own, and
clients and engine hosts that each have a PulseAudio daemon of their own
(a null microphone and a null speaker)."""
import os
import shutil
import subprocess

import pytest

from app_window.conftest import place_bots, running_client, window_client, zr_server  # noqa: F401
from app_window.window_tools import program_client
from voiceserver.enginehost import EngineHost, loopback_address
from voiceserver.harness import VoiceServerProcess
from voiceserver.pulse import PulseDaemon
from zrkit.fixtures import server_factory  # noqa: F401

ACCOUNT = "47205318:Qm4TzK7pWa2"


@pytest.fixture
def relay_server(tmp_path):
    """The voice test server, relaying each member's sound to the others."""
    for attempt in range(5):
        address = loopback_address()
        try:
            started = VoiceServerProcess(tmp_path / ("voice%d" % attempt), "--host", address,
                                         "--port", "3450", "--media-port", "0", "--relay",
                                         "--account", ACCOUNT, time_limit=300)
        except RuntimeError:
            continue  # the port of that address is taken: another one
        yield started
        started.stop()
        return
    pytest.fail("no loopback address with a free port 3450")


def voice_libraries(build_win):
    """SNMurro.dll, SnCom.dll and the codec stand-in of the Windows tree."""
    libraries = [build_win / "bin" / "SNMurro.dll", build_win / "bin" / "SnCom.dll",
                 build_win / "voice" / "codecs-standin" / "sx5363s.dll"]
    for library in libraries:
        if not library.exists():
            pytest.skip("%s is not built" % library)
    return libraries


def engine_host_program(build_win):
    program = build_win / "tests" / "voice_api" / "win32" / "engine_host.exe"
    if not program.exists():
        pytest.skip("engine_host.exe is not built in this tree")
    return program


def regsvr32(client, *options):
    return subprocess.run(["wine", "regsvr32", "/s"] + list(options) + [str(client.folder / "SNMurro.dll")],
                          env=client.env, cwd=str(client.folder), timeout=120,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


class Registered:
    """The voice control's registration in a client's prefix, undone when
    the test ends."""

    def __init__(self, client):
        self.client = client

    def stop(self):
        regsvr32(self.client, "/u")


class PrefixServer:
    """The wineserver of a prefix the test made, ended with the test."""

    def __init__(self, prefix):
        self.prefix = prefix

    def stop(self):
        env = dict(os.environ, WINEPREFIX=str(self.prefix))
        subprocess.run(["wineserver", "-k"], env=env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class VoiceRig:
    """Makes voice clients (zrplaces.exe with the voice control registered
    in its prefix) and engine hosts, each with its own PulseAudio daemon."""

    def __init__(self, build_win, tmp_path, server):
        self.build_win = build_win
        self.tmp_path = tmp_path
        self.server = server
        self.started = []

    def pulse(self, name):
        try:
            daemon = PulseDaemon(self.tmp_path / ("pulse-" + name))
        except RuntimeError as error:
            pytest.fail(str(error))
        self.started.append(daemon)
        return daemon

    def agree(self, prefix, name):
        """The engine joins only once its user agreement was accepted in the
        prefix."""
        host = EngineHost(engine_host_program(self.build_win), self.tmp_path / ("agree-" + name), prefix)
        assert host.run("agree -")[0] == "0"
        host.stop()

    def client(self, name, client=None, prefix=None):
        """A voice client, not started: window_client, or a new one with
        a prefix of its own."""
        if client is None:
            client = program_client(self.build_win, self.tmp_path / name, self.server)
            if prefix is not None:
                client.prefix = prefix
                client.env["WINEPREFIX"] = str(prefix)
                client.switch_file = prefix / "drive_c" / "windows" / "TVLDEBUG.INI"
        for library in voice_libraries(self.build_win):
            shutil.copy(library, client.folder)
        client.pulse = self.pulse(name)
        client.env["PULSE_SERVER"] = client.pulse.server
        self.agree(client.prefix, name)
        assert regsvr32(client) == 0
        self.started.append(Registered(client))
        self.started.append(client)
        return client

    def own_prefix(self, name, prefix):
        """A copy of prefix for a second client: a wineserver of its own
        (its own push-to-talk hook and single-instance rule)."""
        copy = self.tmp_path / ("prefix-" + name)
        subprocess.run(["cp", "-a", "--reflink=auto", str(prefix), str(copy)], check=True, timeout=120)
        self.started.append(PrefixServer(copy))
        return copy

    def engine_host(self, name, prefix):
        folder = self.tmp_path / ("engine-" + name)
        folder.mkdir()
        for path in [engine_host_program(self.build_win)] + voice_libraries(self.build_win)[1:]:
            shutil.copy(path, folder)
        pulse = self.pulse(name)
        host = EngineHost(folder / "engine_host.exe", self.tmp_path / name, prefix, PULSE_SERVER=pulse.server)
        self.started.append(host)
        assert host.run("agree -")[0] == "0"
        return host, pulse

    def stop(self):
        for thing in reversed(self.started):
            thing.stop()


@pytest.fixture
def voice_rig(build_win, tmp_path, zr_server, relay_server):
    rig = VoiceRig(build_win, tmp_path, zr_server)
    yield rig
    rig.stop()
