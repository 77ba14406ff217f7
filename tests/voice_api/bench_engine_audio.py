"""Benchmark of two engines talking (run by hand, not by pytest):

    ZR_BUILD_WIN=build/win PYTHONPATH=tests /usr/bin/python3 tests/voice_api/bench_engine_audio.py

Engine A talks hands-free, engine B listens, through the relaying voice test
server, each engine in a process of its own with a PulseAudio daemon of its
own. Prints the mouth-to-ear latency (the onset of each of 20 tone bursts in
A's microphone to its onset in B's speaker; both recorders start together,
so their start-up difference of a few ms is in the figure) next to the frame
duration plus the jitter buffer's start delay and the sound card's pre-roll
(the engine's fixed share; the rest is Wine's and PulseAudio's capture and
playback buffering), and the CPU time each engine process used over the
talk."""
import os
import pathlib
import shutil
import statistics
import sys
import tempfile
import time

from voiceserver.enginehost import EngineHost, loopback_address
from voiceserver.harness import VoiceServerProcess
from voiceserver.pulse import PulseDaemon, read_samples

FRAME_MS = 60        # what the test server offers
START_DELAY_MS = 60  # a talk spurt starts 60 ms (plus the jitter delay) after its packet
PREROLL_MS = 100     # and the sound card starts playing 100 ms after its first buffer
BURSTS = 20
BURST_S, GAP_S = 0.3, 0.7
TONE_HZ = 200


def bursts():
    import math
    samples = []
    for _ in range(BURSTS):
        samples += [int(12000 * math.sin(2 * math.pi * TONE_HZ * i / 8000))
                    for i in range(int(BURST_S * 8000))]
        samples += [0] * int(GAP_S * 8000)
    return samples


def onsets(path, threshold=1500):
    """The sample index where each burst starts (a run of loud samples after
    at least 200 ms of quiet)."""
    samples = read_samples(path)
    found, quiet = [], 8000
    for index, sample in enumerate(samples):
        if abs(sample) > threshold:
            if quiet >= 1600:
                found.append(index)
            quiet = 0
        else:
            quiet += 1
    return found


def cpu_seconds(pid):
    fields = pathlib.Path("/proc/%d/stat" % pid).read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    build_win = pathlib.Path(os.environ.get("ZR_BUILD_WIN", "build/win")).resolve()
    work = pathlib.Path(tempfile.mkdtemp(prefix="zr-voice-bench-"))
    folder = work / "engine"
    folder.mkdir()
    built = build_win / "tests" / "voice_api" / "win32"
    for path in (built / "engine_host.exe", built / "SnCom.dll",
                 build_win / "voice" / "codecs-standin" / "sx5363s.dll"):
        shutil.copy(path, folder)
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    server = VoiceServerProcess(work / "server", "--host", loopback_address(), "--port", "3450",
                                "--media-port", "0", "--relay", time_limit=180)
    things = [server]
    try:
        hosts = {}
        for name, user in (("A", "Ann"), ("B", "Bob")):
            pulse = PulseDaemon(work / ("pulse-" + name))
            host = EngineHost(folder / "engine_host.exe", work / name, prefix,
                              PULSE_SERVER=pulse.server)
            things += [pulse, host]
            host.run("agree -")
            host.engine(name, server.host, "lobby", user)
            hosts[name] = (host, pulse)
        talker, talker_pulse = hosts["A"]
        listener, listener_pulse = hosts["B"]
        talker.run("set A HandsFreeMode true")
        listener.run("join B")
        listener.event("B", 0)
        talker.run("join A")
        talker.event("A", 0)
        server.wait_log(lambda e: e.get("event") == "channel" and e["args"][:2] == ["TEST", "UDP"])
        time.sleep(2)
        cpu_before = {n: cpu_seconds(h.proc.pid) for n, (h, _) in hosts.items()}
        mouth = talker_pulse.record("mic.monitor", work / "mouth.raw")
        ear = listener_pulse.record("speaker.monitor", work / "ear.raw")
        talker_pulse.play("mic", bursts())
        talk_s = BURSTS * (BURST_S + GAP_S) + 1
        time.sleep(talk_s)
        cpu = {n: cpu_seconds(h.proc.pid) - cpu_before[n] for n, (h, _) in hosts.items()}
        for recorder in (mouth, ear):
            recorder.terminate()
            recorder.wait(5)
        said, heard = onsets(work / "mouth.raw"), onsets(work / "ear.raw")
        latencies = []
        for start in said:
            later = [h for h in heard if 0 <= h - start < 8000]
            if later:
                latencies.append((later[0] - start) / 8.0)
        print("bursts said %d, heard %d" % (len(said), len(latencies)))
        if latencies:
            print("mouth-to-ear latency: median %.0f ms (min %.0f, max %.0f); frame %d ms + "
                  "start delay %d ms + pre-roll %d ms = %d ms"
                  % (statistics.median(latencies), min(latencies), max(latencies), FRAME_MS,
                     START_DELAY_MS, PREROLL_MS, FRAME_MS + START_DELAY_MS + PREROLL_MS))
        for name, seconds in cpu.items():
            print("engine %s: %.2f s CPU over %.0f s of talk (%.1f%% of one core)"
                  % (name, seconds, talk_s, 100 * seconds / talk_s))
    finally:
        for thing in reversed(things):
            thing.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
