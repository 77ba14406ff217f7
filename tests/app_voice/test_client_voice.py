"""The client's voice: zrplaces.exe hosts the voice control of SNMurro.dll,
registered in the prefix with regsvr32, on its people page, and on entering
its place joins the place's conference on the voice test server through the
control and the engine library beside it."""
import shutil
import subprocess
import time

import pytest

from app_window.window_tools import NICK, START_SECONDS, entered_member
from voiceserver.enginehost import EngineHost

ACCOUNT = "47205318"
VOICE_CONTROL_ID = 1329


def voice_controls(client):
    """The frame's windows with the voice control's id."""
    def walk(window):
        yield window
        for child in window["children"]:
            yield from walk(child)
    return [window for window in walk(client.ask("tree")["window"]) if window["id"] == VOICE_CONTROL_ID]


def regsvr32(client, *options):
    return subprocess.run(["wine", "regsvr32", "/s"] + list(options) + [str(client.folder / "SNMurro.dll")],
                          env=client.env, cwd=str(client.folder), timeout=120,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


@pytest.fixture
def voice_client(build_win, window_client, tmp_path):
    for name in ("SNMurro.dll", "SnCom.dll"):
        library = build_win / "bin" / name
        if not library.exists():
            pytest.skip("%s is not built" % library)
        shutil.copy(library, window_client.folder)
    host_program = build_win / "tests" / "voice_api" / "win32" / "engine_host.exe"
    if not host_program.exists():
        pytest.skip("engine_host.exe is not built in this tree")
    # The engine joins only once its user agreement was accepted.
    agreement = EngineHost(host_program, tmp_path / "agreement", window_client.prefix)
    assert agreement.run("agree -")[0] == "0"
    agreement.stop()
    assert regsvr32(window_client) == 0
    yield window_client
    window_client.stop()
    regsvr32(window_client, "/u")


def wait_lines(voice_server, keyword, timeout):
    """The lines with keyword that the voice server received, once there is
    one."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        lines = [entry for entry in voice_server.log()
                 if entry.get("dir") == "in" and entry["fields"][0] == keyword]
        if lines:
            return lines
        time.sleep(0.25)
    raise AssertionError("no %s reached the voice server: %r" % (keyword, voice_server.log()[-10:]))


def test_entering_the_place_joins_its_voice_conference_and_quitting_leaves_it(
        voice_client, voice_server, place_bots, zr_server):
    voice_client.settings["Settings"].update({"VoiceServer": voice_server.host, "VoiceEnabled": 1})
    voice_client.start()
    voice_client.wait_frame()
    member = entered_member(zr_server, NICK)

    joins = wait_lines(voice_server, "JOIN", START_SECONDS)
    fields = joins[0]["fields"]
    assert len(joins) == 1, joins
    assert fields[3] == str(member), fields
    assert ACCOUNT in fields, fields
    assert fields[1] == str(place_bots.place_id), fields
    # The control stands in the people column, shown while voice runs.
    shown = voice_controls(voice_client)
    assert [(window["class"], window["visible"]) for window in shown] == [("ZrOleControlWindow", True)]

    voice_client.ask("close")
    assert voice_client.wait_exit() == 0
    leaving = wait_lines(voice_server, "DISCONNECT", 10)
    assert leaving[-1]["t"] >= joins[0]["t"]
