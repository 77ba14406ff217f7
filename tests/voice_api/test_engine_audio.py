"""Audio through the whole engine: SnCom.dll under Wine with the G.723.1
stand-in codec joins a conference whose server echoes every packet back to
its sender; a tone played into the engine's microphone (a PulseAudio null
sink of the test's own) comes out of its speaker (another null sink) at the
tone's frequency, after capture, coding, UDP, the server, the sequencer,
decoding and playback."""
import os
import pathlib
import shutil
import time

import pytest

from voiceserver.enginehost import EngineHost, loopback_address
from voiceserver.harness import VoiceServerProcess
from voiceserver.pulse import PulseDaemon, dominant_frequency, read_samples, rms, tone

WINDOW = 400  # 50 ms at 8000 Hz
# The stand-in codec keeps every tenth sample: tones below 400 Hz survive.
TONE_HZ = 200


@pytest.fixture
def audio_host(build_win, tmp_path):
    """engine_host.exe, SnCom.dll and the codec stand-in side by side."""
    built = build_win / "tests" / "voice_api" / "win32"
    codec = build_win / "voice" / "codecs-standin" / "sx5363s.dll"
    if not (built / "engine_host.exe").exists() or not codec.exists():
        pytest.skip("engine_host.exe or the codec stand-in is not built in this tree")
    folder = tmp_path / "engine"
    folder.mkdir()
    for path in (built / "engine_host.exe", built / "SnCom.dll", codec):
        shutil.copy(path, folder)
    try:
        pulse = PulseDaemon(tmp_path / "pulse")
    except RuntimeError as error:
        pytest.fail(str(error))
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    host = EngineHost(folder / "engine_host.exe", tmp_path, prefix, PULSE_SERVER=pulse.server)
    assert host.run("agree -")[0] == "0"
    yield host, pulse
    host.stop()
    pulse.stop()


def test_a_tone_in_the_microphone_comes_back_out_of_the_speaker(audio_host, tmp_path):
    host, pulse = audio_host
    server = VoiceServerProcess(tmp_path / "server", "--host", loopback_address(),
                                "--port", "3450", "--media-port", "0")
    try:
        host.engine("A", server.host, "lobby", "Ann")
        assert host.run("set A HandsFreeMode true") == ["0"]
        pulse.play("mic", tone(TONE_HZ, 12000, 6))
        recording = tmp_path / "speaker.raw"
        pulse.record("speaker.monitor", recording)
        assert host.run("join A")[0] == "0"
        host.event("A", 0)
        # Hands-free: the microphone is on once the media test is over.
        server.wait_log(lambda e: e.get("event") == "media", timeout=15)
        time.sleep(2.5)
        assert host.run("disconnect A") == ["0"]
    finally:
        server.stop()

    samples = read_samples(recording)
    windows = [samples[i:i + WINDOW] for i in range(0, len(samples) - WINDOW, WINDOW)]
    loud = [w for w in windows if rms(w) > 1000]
    assert len(loud) >= 10, "the speaker stayed silent: %d windows" % len(windows)
    frequencies = [dominant_frequency(w) for w in loud]
    on_tone = [f for f in frequencies if abs(f - TONE_HZ) <= 20]
    assert len(on_tone) >= 0.8 * len(loud), frequencies
