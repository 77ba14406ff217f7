"""Runs the kit's community server and two comm-drivers that enter one
place and talk, and shows every event each driver prints.

    PYTHONPATH=tests /usr/bin/python3 tests/comm_e2e/demo.py [DRIVER COMMAND...]

The driver command defaults to build/native/comm/comm-driver; under Wine it is
build/win/wine-run build/win/comm/comm-driver.exe.
"""
import pathlib
import subprocess
import sys
import tempfile
import threading
import time

from zrkit.harness import ServerProcess


def run_driver(command, name, commands, pause=0.6):
    proc = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)

    def show():
        for line in proc.stdout:
            print("%-4s %s" % (name, line.rstrip()), flush=True)
    threading.Thread(target=show, daemon=True).start()

    def feed():
        for command in commands:
            time.sleep(pause)
            proc.stdin.write(command + "\n")
            proc.stdin.flush()
    thread = threading.Thread(target=feed)
    thread.start()
    return proc, thread


def main():
    root = pathlib.Path(__file__).resolve().parents[2]
    command = sys.argv[1:] or [str(root / "build/native/comm/comm-driver")]
    with tempfile.TemporaryDirectory() as work:
        server = ServerProcess(pathlib.Path(work))
        try:
            host = "connect 127.0.0.1 %d " % server.port
            ann = run_driver(command, "ann", [host + "ann", "enter http://lumora.example/ 100 100", "", "",
                                              "say hello, bob", "", "", "quit"])
            time.sleep(1.5)
            bob = run_driver(command, "bob", [host + "bob", "enter http://lumora.example/ 300 100", "",
                                              "say hi ann", "whisper 1000 see you", "", "tree", "quit"])
            for proc, thread in (ann, bob):
                thread.join()
                proc.wait(timeout=10)
        finally:
            server.stop()


if __name__ == "__main__":
    main()
