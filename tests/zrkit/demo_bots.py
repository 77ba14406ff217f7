"""Bots that keep a place lively for a watching client: each arrives in the
place, greets it, then walks a round of its own and says a line now and then
until stopped.

From tests: `DemoBots(host, port).start()` enters them (blocking), `.pause()`
and `.resume()` hold them still (for a picture), `.stop()` lets them leave.

From a shell, against a running server or with one of its own (`--serve`):

    PYTHONPATH=tests /usr/bin/python3 -m zrkit.demo_bots --serve [--port N] \
        [--place URL] [--names ann,bob,cat] [--step S] [--time-limit S] \
        [--idle-minutes M]

prints `LISTENING 127.0.0.1 <port>` (with `--serve`), `READY` once every bot
is in the place, then one line for each thing a bot says; it ends after
`--time-limit` seconds, or on SIGTERM or SIGINT.
"""
import argparse
import asyncio
import pathlib
import signal
import sys
import tempfile
import threading

from .bot import Bot
from .harness import LoopThread, ServerProcess
from .wire import Position

PLACE = "http://page/"
NAMES = ("ann", "bob", "cat")

# Rounds in the place's coordinates, one for each bot in turn.
ROUNDS = (
    ((1500, 1500), (3500, 1500), (3500, 3500), (1500, 3500)),
    ((6000, 2000), (8000, 3000), (7000, 5000), (5000, 4000)),
    ((3000, 6000), (4500, 7500), (3000, 8500), (1500, 7500)),
)
LINES = ("hello, everyone", "nice page", "anyone seen the tour?", "brb", "back again",
         "this place is busy today")
# A bot says a line every few steps.
TALK_EVERY = 3


class DemoBots:
    def __init__(self, host, port, place=PLACE, names=NAMES, step_seconds=1.0, on_line=None):
        self.host = host
        self.port = port
        self.place = place
        self.names = list(names)
        self.step_seconds = step_seconds
        self.on_line = on_line
        self.members = {}        # name -> member id, once entered
        self.steps = 0           # moves made by all bots together
        self.lines = []          # (name, text) said, in order
        self._loop = None
        self._bots = []
        self._tasks = []
        self._running = None
        self._stopping = None

    def start(self):
        """Connects every bot and enters the place; returns when all are in."""
        self._loop = LoopThread(timeout=30.0)
        self._loop.run(self._enter_all())
        for index, bot in enumerate(self._bots):
            self._tasks.append(asyncio.run_coroutine_threadsafe(self._walk(bot, index),
                                                                self._loop.loop))
        return self

    @property
    def place_id(self):
        """The place's id as the bots saw it on entry (0 before)."""
        return self._bots[0].place_id if self._bots else 0

    def pause(self):
        self._loop.loop.call_soon_threadsafe(self._running.clear)

    def resume(self):
        self._loop.loop.call_soon_threadsafe(self._running.set)

    def park(self):
        """Holds the bots still at the first position of their rounds, the
        same on every run (for a picture)."""
        self._loop.run(self._park_all())

    async def _park_all(self):
        self._running.clear()
        # A step already under way goes out before the bots are parked.
        await asyncio.sleep(0.2)
        for index, bot in enumerate(self._bots):
            x, y = ROUNDS[index % len(ROUNDS)][0]
            await bot.move(bot.g1024, Position.xy(x, y))

    def stop(self):
        """The bots leave the place and close their connections."""
        if self._loop is None:
            return
        self._loop.loop.call_soon_threadsafe(self._stopping.set)
        self._loop.loop.call_soon_threadsafe(self._running.set)
        for task in self._tasks:
            try:
                task.result(self.step_seconds + 10)
            except Exception:  # a broken bot must not keep the others from leaving
                pass
        self._loop.run(self._leave_all())
        self._loop.stop()
        self._loop = None

    async def _enter_all(self):
        self._running = asyncio.Event()
        self._running.set()
        self._stopping = asyncio.Event()
        for index, name in enumerate(self.names):
            bot = Bot(self.host, self.port, name)
            await bot.start()
            x, y = ROUNDS[index % len(ROUNDS)][0]
            await bot.enter(self.place, position=Position.xy(x, y))
            self._bots.append(bot)
            self.members[name] = bot.member_id
            await self._say(bot, LINES[index % len(LINES)])

    async def _say(self, bot, text):
        await bot.say(text)
        self.lines.append((bot.name, text))
        if self.on_line:
            self.on_line(bot.name, text)

    async def _walk(self, bot, index):
        path = ROUNDS[index % len(ROUNDS)]
        step = 1
        while not self._stopping.is_set():
            await self._running.wait()
            if self._stopping.is_set():
                break
            x, y = path[step % len(path)]
            await bot.move(bot.g1024, Position.xy(x, y))
            self.steps += 1
            if step % TALK_EVERY == index % TALK_EVERY:
                await self._say(bot, LINES[(step + index) % len(LINES)])
            step += 1
            try:
                await asyncio.wait_for(self._stopping.wait(), self.step_seconds)
            except asyncio.TimeoutError:
                pass

    async def _leave_all(self):
        for bot in self._bots:
            try:
                await bot.leave()
                await bot.close()
            except Exception:  # the server may be gone already
                await bot.abort()


def main():
    parser = argparse.ArgumentParser(description="Bots that walk and talk in one place.")
    parser.add_argument("--serve", action="store_true", help="start the kit's server as well")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0, help="the server's port (without --serve)")
    parser.add_argument("--place", default=PLACE)
    parser.add_argument("--names", default=",".join(NAMES))
    parser.add_argument("--step", type=float, default=1.0, help="seconds between steps")
    parser.add_argument("--time-limit", type=float, default=3600.0)
    parser.add_argument("--log", help="the server's log file (with --serve)")
    parser.add_argument("--idle-minutes", type=int, default=30,
                        help="minutes a client may stay idle, sent in the welcome (with --serve)")
    args = parser.parse_args()
    if not args.serve and not args.port:
        parser.error("--port is needed without --serve")

    done = threading.Event()
    for number in (signal.SIGTERM, signal.SIGINT):
        signal.signal(number, lambda *_: done.set())
    with tempfile.TemporaryDirectory() as work:
        server = None
        if args.serve:
            extra = ["--log", args.log] if args.log else []
            server = ServerProcess(pathlib.Path(work), *extra, time_limit=int(args.time_limit) + 60,
                                   scenario={"welcome": {"entry_count": args.idle_minutes}})
            args.host, args.port = server.host, server.port
            print("LISTENING %s %d" % (args.host, args.port), flush=True)
        bots = DemoBots(args.host, args.port, args.place, args.names.split(","), args.step,
                        on_line=lambda name, text: print("%s: %s" % (name, text), flush=True))
        try:
            bots.start()
            print("READY", flush=True)
            done.wait(args.time_limit)
        finally:
            bots.stop()
            if server:
                server.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
