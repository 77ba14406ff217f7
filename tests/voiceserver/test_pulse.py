"""The PulseAudio test daemon: sounds played into it start at once, so that
several engines' microphones can carry sound at the same time."""
import os
import shutil
import subprocess
import time

import pytest

from voiceserver.pulse import PulseDaemon, tone

pytestmark = pytest.mark.skipif(shutil.which("pulseaudio") is None,
                                reason="pulseaudio is not installed")


def playing(daemon):
    listed = subprocess.run(["pactl", "list", "short", "sink-inputs"], capture_output=True,
                            text=True, env=dict(os.environ, PULSE_SERVER=daemon.server))
    return len(listed.stdout.splitlines())


def test_long_sounds_in_two_daemons_play_at_the_same_time(tmp_path):
    daemons = []
    try:
        for name in ("A", "B"):
            daemons.append(PulseDaemon(tmp_path / name))
        started = time.monotonic()
        for daemon in daemons:
            daemon.play("mic", tone(200, 8000, 10))
        assert time.monotonic() - started < 1.0, "playing held the caller up"
        deadline = time.monotonic() + 3
        while [playing(d) for d in daemons] != [1, 1] and time.monotonic() < deadline:
            time.sleep(0.1)
        assert [playing(d) for d in daemons] == [1, 1]
    finally:
        for daemon in daemons:
            daemon.stop()
