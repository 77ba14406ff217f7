"""The sound card on the real wave devices under Wine: a PulseAudio daemon of
this test's own with a null sink for the speaker and, as the microphone, a
source that hears that sink; voice_audio_wave_tests.exe plays a tone on the
card and checks what it captures."""
import os
import pathlib
import subprocess

import pytest

from voiceserver.pulse import PulseDaemon

@pytest.fixture
def pulse(tmp_path):
    try:
        daemon = PulseDaemon(tmp_path / "pulse", microphone="loopback")
    except RuntimeError as error:
        pytest.fail(str(error))
    yield daemon.server
    daemon.stop()


def test_the_sound_card_plays_and_captures_on_the_real_wave_devices(build_win, pulse):
    program = build_win / "tests" / "voice_audio" / "win32" / "voice_audio_wave_tests.exe"
    if not program.exists():
        pytest.skip("voice_audio_wave_tests.exe is not built in this tree")
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", PULSE_SERVER=pulse)
    run = subprocess.run(["wine", str(program), "--gtest_color=no"], env=env,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)
    output = run.stdout.decode("latin-1")
    assert run.returncode == 0, output
    assert "[  PASSED  ]" in output and "FAILED" not in output, output
