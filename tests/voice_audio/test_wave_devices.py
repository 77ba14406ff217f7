"""The sound card on the real wave devices under Wine: a PulseAudio daemon of
this test's own with a null sink for the speaker and, as the microphone, a
source that hears that sink; voice_audio_wave_tests.exe plays a tone on the
card and checks what it captures."""
import os
import pathlib
import shutil
import subprocess
import time

import pytest

DEFAULT_PA = """load-module module-native-protocol-unix auth-anonymous=1 socket={socket}
load-module module-null-sink sink_name=speaker
load-module module-remap-source master=speaker.monitor source_name=mic
set-default-sink speaker
set-default-source mic
"""


@pytest.fixture
def pulse(tmp_path):
    daemon = shutil.which("pulseaudio")
    if daemon is None:
        pytest.fail("pulseaudio is not installed (tools/packages.txt lists it)")
    runtime = tmp_path / "pulse"
    runtime.mkdir()
    socket = runtime / "native"
    config = runtime / "default.pa"
    config.write_text(DEFAULT_PA.format(socket=socket))
    env = dict(os.environ, HOME=str(runtime), XDG_RUNTIME_DIR=str(runtime),
               PULSE_RUNTIME_PATH=str(runtime))
    log = open(runtime / "log.txt", "w")
    proc = subprocess.Popen([daemon, "-n", "-F", str(config), "--daemonize=no",
                             "--exit-idle-time=-1", "--use-pid-file=no",
                             "--log-target=stderr"], stdout=log, stderr=log, env=env)
    deadline = time.monotonic() + 10
    while not socket.exists():
        if proc.poll() is not None or time.monotonic() > deadline:
            log.close()
            pytest.fail("PulseAudio did not start: %s" % (runtime / "log.txt").read_text())
        time.sleep(0.05)
    yield "unix:%s" % socket
    proc.terminate()
    proc.wait(10)
    log.close()


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
    assert "[  PASSED  ] 2 tests." in output, output
