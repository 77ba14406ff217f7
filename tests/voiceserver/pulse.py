"""A PulseAudio daemon of a test's own, for audio through Wine's PulseAudio
driver: null sinks stand for the speaker and, when asked, the microphone;
tones are played into a sink and recorded from a sink's monitor as raw
16-bit mono samples."""
import math
import os
import shutil
import struct
import subprocess
import time

NATIVE = "load-module module-native-protocol-unix auth-anonymous=1 socket={socket}\n"
SPEAKER = "load-module module-null-sink sink_name=speaker\nset-default-sink speaker\n"
# The microphone's own sink; its monitor, remapped so that Wine lists it, is
# the default source.
MICROPHONE = ("load-module module-null-sink sink_name=mic\n"
              "load-module module-remap-source master=mic.monitor source_name=micin\n"
              "set-default-source micin\n")
# The microphone hears the speaker.
LOOPBACK = ("load-module module-remap-source master=speaker.monitor source_name=loop\n"
            "set-default-source loop\n")


class PulseDaemon:
    def __init__(self, workdir, microphone="own"):
        daemon = shutil.which("pulseaudio")
        if daemon is None:
            raise RuntimeError("pulseaudio is not installed (tools/packages.txt lists it)")
        self.runtime = workdir
        self.runtime.mkdir(parents=True, exist_ok=True)
        socket = self.runtime / "native"
        config = self.runtime / "default.pa"
        config.write_text(NATIVE.format(socket=socket) + SPEAKER +
                          (MICROPHONE if microphone == "own" else LOOPBACK))
        self.server = "unix:%s" % socket
        env = dict(os.environ, HOME=str(self.runtime), XDG_RUNTIME_DIR=str(self.runtime),
                   PULSE_RUNTIME_PATH=str(self.runtime))
        self._log = open(self.runtime / "log.txt", "w")
        self.proc = subprocess.Popen([daemon, "-n", "-F", str(config), "--daemonize=no",
                                      "--exit-idle-time=-1", "--use-pid-file=no",
                                      "--log-target=stderr"],
                                     stdout=self._log, stderr=self._log, env=env)
        self._clients = []
        self._plays = 0
        deadline = time.monotonic() + 10
        while not socket.exists():
            if self.proc.poll() is not None or time.monotonic() > deadline:
                self.stop()
                raise RuntimeError("PulseAudio did not start: %s"
                                   % (self.runtime / "log.txt").read_text())
            time.sleep(0.05)

    def _client(self, program, device):
        env = dict(os.environ, PULSE_SERVER=self.server)
        return [program, "--device=%s" % device, "--rate=8000", "--channels=1",
                "--format=s16le", "--raw"], env

    def play(self, device, samples):
        """Starts playing the samples into a sink and returns at once: pacat
        reads them from a file, so a long sound does not hold the caller
        up while pacat drains a pipe at the sound's own pace."""
        args, env = self._client("pacat", device)
        self._plays += 1
        path = self.runtime / ("play-%d.raw" % self._plays)
        path.write_bytes(struct.pack("<%dh" % len(samples), *samples))
        with open(path, "rb") as source:
            proc = subprocess.Popen(args, stdin=source, env=env)
        self._clients.append(proc)
        return proc

    def record(self, device, path):
        """Starts recording a source (a sink's monitor) into a raw file."""
        args, env = self._client("parec", device)
        out = open(path, "wb")
        proc = subprocess.Popen(args, stdout=out, env=env)
        out.close()
        self._clients.append(proc)
        return proc

    def stop(self):
        for proc in self._clients:
            if proc.poll() is None:
                proc.terminate()
                proc.wait(5)
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)
        self._log.close()


def tone(frequency, amplitude, seconds, rate=8000):
    return [int(round(amplitude * math.sin(2 * math.pi * frequency * i / rate)))
            for i in range(int(seconds * rate))]


def read_samples(path):
    data = path.read_bytes()
    return list(struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2]))


def dominant_frequency(window, rate=8000, step=10, highest=2000):
    """The strongest frequency of a window of samples, in `step` Hz."""
    best, power = 0, -1.0
    for frequency in range(step, highest, step):
        re = im = 0.0
        for i, sample in enumerate(window):
            angle = 2 * math.pi * frequency * i / rate
            re += sample * math.cos(angle)
            im += sample * math.sin(angle)
        if re * re + im * im > power:
            best, power = frequency, re * re + im * im
    return best


def rms(window):
    return math.sqrt(sum(s * s for s in window) / max(len(window), 1))
