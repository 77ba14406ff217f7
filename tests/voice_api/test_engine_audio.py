"""Audio through the whole engine: SnCom.dll under Wine with the G.723.1
stand-in codec, each engine in a process of its own with a PulseAudio
daemon of its own (null sinks for its microphone and its speaker). A tone
played into a microphone comes out of a speaker at the tone's frequency,
after capture, coding, UDP, the test server, the sequencer, decoding and
playback: back to the sender when the server echoes, to the other member
when it relays."""
import os
import pathlib
import shutil
import struct
import time
import wave

import pytest

from voiceserver.enginehost import EngineHost, loopback_address
from voiceserver.harness import VoiceServerProcess
from voiceserver.pulse import PulseDaemon, dominant_frequency, read_samples, rms, tone

WINDOW = 400  # 50 ms at 8000 Hz
# The stand-in codec keeps every tenth sample: tones below 400 Hz survive.
TONE_HZ = 200
OTHER_TONE_HZ = 300
ANOTHER_INSTANCE = ("Another instance of the Voice Control is currently connected."
                    "   Connection not available.")


@pytest.fixture
def engine_folder(build_win, tmp_path):
    """engine_host.exe, SnCom.dll and the codec stand-in side by side."""
    built = build_win / "tests" / "voice_api" / "win32"
    codec = build_win / "voice" / "codecs-standin" / "sx5363s.dll"
    if not (built / "engine_host.exe").exists() or not codec.exists():
        pytest.skip("engine_host.exe or the codec stand-in is not built in this tree")
    folder = tmp_path / "engine"
    folder.mkdir()
    for path in (built / "engine_host.exe", built / "SnCom.dll", codec):
        shutil.copy(path, folder)
    return folder


@pytest.fixture
def audio_hosts(build_win, tmp_path, engine_folder):
    """Makes engine hosts, each with a PulseAudio daemon of its own."""
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    started = []

    def make(name):
        try:
            pulse = PulseDaemon(tmp_path / ("pulse-" + name))
        except RuntimeError as error:
            pytest.fail(str(error))
        started.append(pulse)
        host = EngineHost(engine_folder / "engine_host.exe", tmp_path / name, prefix,
                          PULSE_SERVER=pulse.server)
        started.append(host)
        assert host.run("agree -")[0] == "0"
        return host, pulse
    yield make
    for thing in reversed(started):
        thing.stop()


def tone_windows(recording, frequency=TONE_HZ):
    """The 50-ms windows of a recording: (loud windows, of which on the tone)."""
    samples = read_samples(recording)
    windows = [samples[i:i + WINDOW] for i in range(0, len(samples) - WINDOW, WINDOW)]
    loud = [w for w in windows if rms(w) > 1000]
    on_tone = [w for w in loud if abs(dominant_frequency(w) - frequency) <= 20]
    return loud, on_tone


def write_wave(path, samples, rate=8000):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))
    return path


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def check_recording(path, seconds):
    """A recorded wave file: 16-bit mono at 8000 Hz, the "fact" chunk
    counting its 60-ms frames, and the tone in its loud windows."""
    with wave.open(str(path), "rb") as recorded:
        assert (recorded.getnchannels(), recorded.getframerate(), recorded.getsampwidth()) == \
            (1, 8000, 2)
        frames = recorded.getnframes()
        samples = struct.unpack("<%dh" % frames, recorded.readframes(frames))
    assert frames >= seconds * 8000, "only %d samples recorded" % frames
    data = path.read_bytes()
    fact = data.find(b"fact")
    assert fact > 0 and struct.unpack("<I", data[fact + 8:fact + 12])[0] * 480 == frames
    windows = [samples[i:i + WINDOW] for i in range(0, len(samples) - WINDOW, WINDOW)]
    loud = [w for w in windows if rms(w) > 1000]
    assert len(loud) >= 0.8 * seconds * 20
    assert all(abs(dominant_frequency(w) - TONE_HZ) <= 20 for w in loud[1:-1])


def record(pulse, path, seconds):
    recorder = pulse.record("speaker.monitor", path)
    time.sleep(seconds)
    recorder.terminate()
    recorder.wait(5)


def test_a_tone_in_the_microphone_comes_back_out_of_the_speaker(audio_hosts, tmp_path):
    host, pulse = audio_hosts("A")
    server = VoiceServerProcess(tmp_path / "server", "--host", loopback_address(),
                                "--port", "3450", "--media-port", "0")
    try:
        host.engine("A", server.host, "lobby", "Ann")
        assert host.run("set A HandsFreeMode true") == ["0"]
        pulse.play("mic", tone(TONE_HZ, 12000, 6))
        assert host.run("join A")[0] == "0"
        host.event("A", 0)
        # Hands-free: the microphone is on once the media test is over.
        server.wait_log(lambda e: e.get("event") == "media", timeout=15)
        record(pulse, tmp_path / "speaker.raw", 2.5)
        assert host.run("disconnect A") == ["0"]
    finally:
        server.stop()
    loud, on_tone = tone_windows(tmp_path / "speaker.raw")
    assert len(loud) >= 30, "the speaker stayed silent: %d loud windows" % len(loud)
    assert len(on_tone) >= 0.8 * len(loud)


def test_a_tone_crosses_from_one_engine_to_the_other(audio_hosts, tmp_path):
    server = VoiceServerProcess(tmp_path / "server", "--host", loopback_address(),
                                "--port", "3450", "--media-port", "0", "--relay")
    try:
        talker, talker_pulse = audio_hosts("A")
        listener, listener_pulse = audio_hosts("B")
        talker.engine("A", server.host, "lobby", "Ann")
        listener.engine("B", server.host, "lobby", "Bob")
        assert talker.run("set A HandsFreeMode true") == ["0"]
        talker_pulse.play("mic", tone(TONE_HZ, 12000, 12))
        # Bob's microphone carries sound of its own when he joins; he does
        # not talk, so neither speaker hears it.
        listener_pulse.play("mic", tone(OTHER_TONE_HZ, 8000, 12))
        assert listener.run("join B")[0] == "0"
        listener.event("B", 0)
        assert talker.run("join A")[0] == "0"
        talker.event("A", 0)
        ann = [m["user"] for m in server.control("members")["members"] if m["name"] == "Ann"][0]
        server.wait_log(lambda e: e.get("event") == "media" and e.get("user") == ann, timeout=15)

        # Bob's host records what he hears to a wave file meanwhile.
        recorded = tmp_path / "heard.wav"
        assert listener.run("record B 2 1 " + windows_path(recorded)) == ["1402"]
        assert listener.run("record B 1 1 " + windows_path(recorded)) == ["0"]
        assert listener.run("packets B 1 1 3")[0] == "1405"  # not what the file records
        assert listener.run("packets B 1 1 1") == ["0"]
        record(listener_pulse, tmp_path / "heard.raw", 2.5)
        assert listener.run("stoprecord B") == ["0"]
        assert listener.run("packets B 0 0 0") == ["0"]
        # "EVENT B 15 <bytes> <loudest sample> |": one 60-ms frame each.
        packets = [line.split()[3:5] for line in listener.seen if line.startswith("EVENT B 15 ")]
        assert len(packets) >= 30, "only %d recorded packets" % len(packets)
        assert all(size == "960" for size, _ in packets)
        assert sum(int(loudest) > 4000 for _, loudest in packets) >= 0.8 * len(packets)
        loud, on_tone = tone_windows(tmp_path / "heard.raw")
        assert len(loud) >= 30, "B heard nothing: %d loud windows" % len(loud)
        assert len(on_tone) >= 0.8 * len(loud)
        check_recording(recorded, seconds=2.0)
        # Bob only listens: his own speaker gets nothing back from himself,
        # and Ann's speaker stays silent.
        record(talker_pulse, tmp_path / "talker.raw", 1.0)
        assert tone_windows(tmp_path / "talker.raw")[0] == []

        # Ann mutes her microphone: Bob hears silence.
        assert talker.run("set A Mute true") == ["0"]
        time.sleep(0.8)
        record(listener_pulse, tmp_path / "muted.raw", 1.5)
        assert tone_windows(tmp_path / "muted.raw")[0] == []
        assert talker.run("disconnect A") == ["0"]
        assert listener.event("B", 5)[0] == ann
    finally:
        server.stop()


def test_push_to_talk_sends_the_microphone_while_ctrl_is_held(audio_hosts, tmp_path):
    server = VoiceServerProcess(tmp_path / "server", "--host", loopback_address(),
                                "--port", "3450", "--media-port", "0", "--relay")
    try:
        talker, talker_pulse = audio_hosts("A")
        listener, listener_pulse = audio_hosts("B")
        talker.engine("A", server.host, "lobby", "Ann")
        listener.engine("B", server.host, "lobby", "Bob")
        talker_pulse.play("mic", tone(TONE_HZ, 8000, 20))
        # Ann joins first: her window owns push-to-talk on this machine.
        assert talker.run("join A")[0] == "0"
        talker.event("A", 0)
        # Ann's window owns push-to-talk on this machine: another engine
        # window, in Bob's process, is refused, unless an SDK host's (Bob's).
        listener.engine("C", server.host, "lobby", "Cid", sdk_mode=False)
        assert listener.run("join C")[0] == "1204"
        assert listener.event("C", 2, 1204)[2] == ANOTHER_INSTANCE
        assert listener.run("join B")[0] == "0"
        listener.event("B", 0)
        server.wait_log(lambda e: e.get("event") == "channel" and e["args"][:2] == ["TEST", "UDP"]
                        and e.get("session") == 2, timeout=15)
        time.sleep(1.0)
        record(listener_pulse, tmp_path / "before.raw", 1.0)
        assert tone_windows(tmp_path / "before.raw")[0] == [], "Bob heard Ann before she talked"

        # Ann's host plays a wave file to the conference: Bob hears it,
        # though her microphone is off. A file at another rate is refused.
        # The same as a byte array: refused at once for its rate, else played.
        wide = write_wave(tmp_path / "wide.wav", tone(OTHER_TONE_HZ, 8000, 0.5), rate=16000)
        assert talker.run("play A 4 1 0 2 0 " + windows_path(wide)) == ["0"]
        assert talker.run("playbuffer A 6 1 0 2 0 " + windows_path(wide)) == ["1412"]
        assert talker.run("playbuffer A 6 0 0 2 0 " + windows_path(wide)) == ["0"]
        played = write_wave(tmp_path / "played.wav", tone(OTHER_TONE_HZ, 8000, 2.5))
        assert talker.run("play A 5 1 0 2 0 " + windows_path(played)) == ["0"]
        assert talker.event("A", 16, 4)[1:3] == (1412, "0")
        assert talker.event("A", 16, 6)[1:3] == (0, "0")
        assert talker.event("A", 16, 6)[1:3] == (0, "100")
        assert talker.event("A", 16, 5)[1:3] == (0, "0")
        time.sleep(0.5)
        record(listener_pulse, tmp_path / "played.raw", 1.5)
        loud, on_file = tone_windows(tmp_path / "played.raw", OTHER_TONE_HZ)
        assert len(loud) >= 20, "Bob did not hear the file: %d" % len(loud)
        assert len(on_file) >= 0.8 * len(loud)
        assert talker.event("A", 16, 5, timeout=5)[1:3] == (0, "100")

        assert talker.run("talk A down") == ["0"]
        talker.wait_line(lambda line: line == "EVENT A 3 0 0 Microphone ON|", 5)
        # The first captured frame comes about 0.6 s after capture starts.
        time.sleep(1.2)
        record(listener_pulse, tmp_path / "talking.raw", 1.5)
        loud, on_tone = tone_windows(tmp_path / "talking.raw")
        assert len(loud) >= 20, "Bob heard nothing while Ann held CTRL: %d" % len(loud)
        assert len(on_tone) >= 0.8 * len(loud)

        assert talker.run("talk A up") == ["0"]
        talker.wait_line(lambda line: line == "EVENT A 3 0 0 Microphone OFF|", 5)
        time.sleep(1.0)
        record(listener_pulse, tmp_path / "released.raw", 1.0)
        assert tone_windows(tmp_path / "released.raw")[0] == [], "Ann still talked after CTRL"

        # Ann's process dies without giving push-to-talk up; Bob's still has
        # the engine loaded, so the owner it left behind is still recorded.
        # A window that is gone owns nothing: another engine window joins.
        members = {m["name"]: m["user"] for m in server.control("members")["members"]}
        talker.proc.kill()
        talker.proc.wait(10)
        listener.engine("D", server.host, "lobby", "Dee", sdk_mode=False)
        assert listener.run("join D")[0] == "0"
        listener.event("D", 0)
        # Bob sees Ann's lost connection and a third member leaving.
        listener.event("B", 5, members["Ann"], timeout=20)
        dee = [m["user"] for m in server.control("members")["members"] if m["name"] == "Dee"][0]
        assert listener.run("disconnect D") == ["0"]
        listener.event("B", 5, dee)
    finally:
        server.stop()


def test_a_tone_reaches_a_listener_joined_through_the_http_tunnel(audio_hosts, tmp_path):
    try:
        server = VoiceServerProcess(tmp_path / "server", "--host", loopback_address(),
                                    "--port", "3450", "--media-port", "0", "--tunnel-port", "80",
                                    "--relay")
    except RuntimeError as error:
        pytest.skip("port 80 cannot be bound here: %s" % error)
    try:
        talker, talker_pulse = audio_hosts("A")
        listener, listener_pulse = audio_hosts("B")
        talker.engine("A", server.host, "lobby", "Ann")
        listener.engine("B", server.host, "lobby", "Bob")
        assert talker.run("set A HandsFreeMode true") == ["0"]
        assert listener.run("set B Tunnel 8618200") == ["0"]
        talker_pulse.play("mic", tone(TONE_HZ, 12000, 12))
        assert listener.run("join B")[0] == "0"
        listener.event("B", 0)
        assert talker.run("join A")[0] == "0"
        talker.event("A", 0)
        server.wait_log(lambda e: e.get("event") == "tunnel-request")
        time.sleep(2.0)
        record(listener_pulse, tmp_path / "heard.raw", 2.0)
        loud, on_tone = tone_windows(tmp_path / "heard.raw")
        assert len(loud) >= 25, "B heard nothing through the tunnel: %d" % len(loud)
        assert len(on_tone) >= 0.8 * len(loud)
    finally:
        server.stop()
