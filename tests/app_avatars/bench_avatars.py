"""Benchmark of the avatar windows (run by tools/bench.sh, or by hand):

    ZR_BUILD_WIN=build/win PYTHONPATH=tests DISPLAY=:NN /usr/bin/python3 \\
        tests/app_avatars/bench_avatars.py [BOTS]

zrplaces.exe runs under Wine against the kit's server; BOTS bots (200 by
default) log in, then all enter the client's place at once. Printed: the
time from the server's last message to the client about an arrival to the
moment the last avatar window shows (read by the window probe, which polls
the client's windows every 2 ms and stamps the system clock), beside the time
the client's own thread takes to create and show as many plain windows of
the avatar's size; the GDI objects and windows the client holds per avatar;
and what is left once every bot has left again."""
import asyncio
import os
import pathlib
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1]))

from app_window.window_tools import NICK, PLACE, entered_member, program_client  # noqa: E402
from zrkit.bot import BotPool  # noqa: E402
from zrkit.harness import ServerProcess  # noqa: E402
from zrkit.wire import Position  # noqa: E402

TITLE = "ZRC member"


def avatar_size(client):
    tree = client.ask("tree")["window"]
    stack = [tree]
    while stack:
        node = stack.pop()
        if node["text"] == TITLE and node["visible"]:
            left, top, right, bottom = node["rect"]
            return right - left, bottom - top
        stack.extend(node["children"])
    raise AssertionError("no avatar window to take the size of")


def last_arrival(server, client_session, names, after):
    """System-clock time of the last message the server sent the client
    naming one of `names` (the persons arriving)."""
    last = None
    for entry in server.log()[after:]:
        if entry.get("dir") != "out" or entry.get("session") != client_session:
            continue
        text = str(entry.get("msg"))
        if any("'%s'" % name in text for name in names):
            last = entry["t"]
    return last


def objects(client):
    answer = client.ask("objects")
    return answer["gdi"], answer["windows"]


def settle(client, want, timeout=120):
    answer = client.ask("waitcount \"%s\" %d %d" % (TITLE, want, timeout * 1000), timeout=timeout + 60)
    if not answer["reached"]:
        raise AssertionError("only %d avatars shown, %d wanted" % (answer["count"], want))
    return answer


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 200
    build_win = pathlib.Path(os.environ.get("ZR_BUILD_WIN", "build/win")).resolve()
    work = pathlib.Path(tempfile.mkdtemp(prefix="zr-avatar-bench-"))
    server = ServerProcess(work / "server", time_limit=1800, scenario={"welcome": {"entry_count": 30}})
    pool = BotPool(server.host, server.port, timeout=120)
    client = program_client(build_win, work / "program", server)
    try:
        first = pool.bot("first")
        first.enter(PLACE, position=Position.xy(5000, 5000))
        client.start()
        client.wait_frame()
        member = entered_member(server, NICK)
        client_session = server.wait_log({"event": "entered", "member": member})["session"]
        size = avatar_size(client)
        settle(client, 2)
        time.sleep(1)
        gdi_start, _ = objects(client)
        # A few bots first, so that the pictures all avatars share are loaded
        # before the count starts.
        warm = [pool.bot("w%d" % i) for i in range(4)]
        for i, bot in enumerate(warm):
            bot.enter(PLACE, position=Position.xy(1000 + 1000 * i, 1000))
        settle(client, 6)
        for bot in warm:
            bot.leave()
        while client.ask("waitcount \"%s\" 0 0" % TITLE)["count"] > 2:
            time.sleep(0.3)
        time.sleep(1)
        gdi_before, windows_before = objects(client)

        names = ["b%03d" % i for i in range(count)]
        bots = [pool.bot(name) for name in names]
        mark = len(server.log())

        async def enter_all():
            await asyncio.gather(*[bot.bot.enter(PLACE, position=Position.xy(100 + (i * 97) % 9800,
                                                                             100 + (i * 61) % 9800))
                                   for i, bot in enumerate(bots)])

        pool.run(enter_all(), timeout=300)
        shown = settle(client, count + 2)
        arrived = last_arrival(server, client_session, names, mark)
        time.sleep(1)
        gdi_full, windows_full = objects(client)
        plain = client.ask("plainwindows %d %d %d" % (count, size[0], size[1]))

        async def leave_all():
            await asyncio.gather(*[bot.bot.leave() for bot in bots])

        pool.run(leave_all(), timeout=300)
        deadline = time.monotonic() + 120
        while client.ask("waitcount \"%s\" 0 0" % TITLE)["count"] > 2 and time.monotonic() < deadline:
            time.sleep(0.5)
        time.sleep(1)
        gdi_after, windows_after = objects(client)

        lag_ms = (shown["wall"] - arrived) * 1000 if arrived else float("nan")
        print("avatars: %d bots entering at once, avatar %dx%d" % (count, size[0], size[1]))
        print("last arrival message -> last avatar shown: %.0f ms" % lag_ms)
        print("%d plain %dx%d windows created and shown by the client's thread: %.0f ms"
              % (plain["made"], size[0], size[1], plain["ms"]))
        print("ratio: %.2f (goal: at most 2)" % (lag_ms / plain["ms"] if plain["ms"] else float("nan")))
        print("per avatar: %.2f GDI objects, %.2f windows (USER objects)"
              % ((gdi_full - gdi_before) / count, (windows_full - windows_before) / count))
        print("after all left: %+d GDI objects, %+d windows against before they came"
              % (gdi_after - gdi_before, windows_after - windows_before))
        print("shared avatar pictures loaded once: %d GDI objects" % (gdi_before - gdi_start))
    finally:
        client.stop()
        pool.stop()
        server.stop()


if __name__ == "__main__":
    main()
