"""Benchmark of the road of chat lines into the running client: a bot in the
place says rounds of room lines as fast as the kit's server relays them;
for every round it prints how many lines a second the client showed (the
last line of the round read back from the transcript; the reading itself
takes a second or two), the client's CPU time and the client process's
resident memory, which the transcript's line limit keeps
bounded however many lines arrive.

Run from the worktree, with the Windows tree built and Wine set up:

    source tools/wine-env.sh && zr_wine_start
    ZR_BUILD_WIN=$PWD/build/win PYTHONPATH=tests /usr/bin/python3 \\
        tests/app_chat/bench_chat_lines.py [--lines 1000] [--rounds 3]
"""
import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
import time

from app_chat.chat_tools import start, transcript_text
from app_window.window_tools import PLACE, program_client
from zrkit.bot import BotPool
from zrkit.harness import ServerProcess
from zrkit.wire import Position


def process_of(program):
    """The /proc folder of the process running program."""
    for pid in subprocess.run(["pgrep", "-f", str(program)], capture_output=True, text=True).stdout.split():
        folder = pathlib.Path("/proc") / pid
        if folder.exists():
            return folder
    sys.exit("no process runs %s" % program)


def resident_kib(process):
    for line in (process / "status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return -1


def cpu_seconds(process):
    """User and system time of the process (all its threads)."""
    fields = (process / "stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


async def say_lines(bot, prefix, count):
    for number in range(1, count + 1):
        await bot.say("%s line %d" % (prefix, number))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lines", type=int, default=1000)
    parser.add_argument("--rounds", type=int, default=3)
    options = parser.parse_args()
    build_win = pathlib.Path(os.environ.get("ZR_BUILD_WIN", "build/win")).resolve()
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        server = ServerProcess(scratch / "server", scenario={"welcome": {"entry_count": 30}}, time_limit=1800)
        client = program_client(build_win, scratch / "program", server)
        pool = BotPool(server.host, server.port)
        try:
            bot = pool.bot("ann")
            bot.enter(PLACE, Position.xy(3000, 3000))
            start(client, server)
            process = process_of(client.folder / "zrplaces.exe")
            print("before: %d KiB resident" % resident_kib(process))
            for round_number in range(1, options.rounds + 1):
                prefix = "r%d" % round_number
                cpu_before = cpu_seconds(process)
                last = "%s line %d" % (prefix, options.lines)
                began = time.monotonic()
                pool.run(say_lines(bot.bot, prefix, options.lines), timeout=600)
                sent = time.monotonic() - began
                while last not in transcript_text(client):
                    if time.monotonic() - began > 600:
                        sys.exit("the client did not show %r in 600 s" % last)
                    time.sleep(0.2)
                shown = time.monotonic() - began
                cpu = cpu_seconds(process) - cpu_before
                print("round %d: %d lines sent in %.2f s, shown in %.2f s: %.0f lines/s; client CPU %.2f s;"
                      " %d KiB resident" % (round_number, options.lines, sent, shown, options.lines / shown,
                                           cpu, resident_kib(process)))
        finally:
            pool.stop()
            client.stop()
            server.stop()


if __name__ == "__main__":
    main()
