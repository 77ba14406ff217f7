"""Fixtures of the main window tests: zrplaces.exe under Wine against the
kit's community server, with kit bots in its place, seen and driven from
outside by the window probe, and pictures of its frame compared with
reference pictures.

The client comes from the Windows tree named by ZR_BUILD_WIN (default
build/win): bin/zrplaces.exe and bin/ZrRes.dll. The probe is
tests/app_window/window_probe.exe of that tree, or the program named by
ZR_WINDOW_PROBE (with window_probe_hook.dll beside it). Wine runs in the
prefix named by WINEPREFIX (default: the tree's wineprefix) on $DISPLAY, as
tools/test.sh sets them up.

The classes, constants and helpers below live in window_tools.py: import
them with `from app_window.window_tools import PLACE, NICK, START_SECONDS,
entered_member, ...`. entered_member(server, name) waits until the server
saw `name` enter PLACE and answers its member id.

Fixtures
--------
zr_server       the kit's community server (zrkit.harness.ServerProcess):
                `.port`, `.wait_log(match, timeout)`, `.control(...)`, `.log()`.
place_bots      a zrkit.demo_bots.DemoBots of "ann", "bob" and "cat" in the
                client's home place (PLACE), walking and talking every
                second: `.members` (name -> member id), `.lines` (what was
                said), `.pause()` / `.resume()` (hold them still),
                `.park()` (hold them still at their first positions, for a
                picture), `.stop()`.
window_client   a WindowClient with its program folder, not started.
running_client  window_client started (with place_bots in the place), its
                frame shown and its entry into PLACE seen by the server;
                `.member` is its member id there.
pictures        a Pictures for screenshots and reference comparisons.

WindowClient
------------
.folder                     the program folder (zrplaces.exe, ZrRes.dll,
                            zrplaces.ini).
.settings                   the zrplaces.ini sections written by start():
                            DEFAULT_SETTINGS (home server 127.0.0.1, home
                            page PLACE, nickname NICK, frame at 0,0 sized
                            1000x700); change it before start().
.start(*arguments, write_settings=True)
                            writes zrplaces.ini (unless write_settings is
                            false: a restart keeps what the client saved) and
                            the switch file with the server's port
                            (TVLDEBUG.INI, ZRS_PORT_NUM), starts the client;
                            returns its Popen.
.wait_frame()               the `frame` answer once the frame shows.
.probe(*commands, timeout, window_class, window_title, find_seconds)
                            runs the probe with one command a string (see
                            win32/window_probe.cpp for the commands) on the
                            frame, or on the client's window of that class
                            and title (waited for up to find_seconds), and
                            returns its answers, one dict a command.
.ask(command)               one command's answer; fails the test on an error.
.wait_exit(timeout)         the client's exit code; fails when it runs on.
.stop()                     kills what is still running.

Pictures
--------
.capture(name, rect=None)   a PNG of the screen (or of rect, [l, t, r, b] in
                            screen coordinates, clipped to the screen) in the
                            test's output folder.
.capture_frame(client, name)  the frame's window rectangle.
.check(name, picture, max_pixels=0, fuzz="10%")
                            compares picture with reference/<name>.png: fails
                            when more than max_pixels pixels differ by more
                            than fuzz, or the sizes differ, leaving the actual
                            picture and a difference picture in the output
                            folder. With ZR_UPDATE_REFERENCES=1 the picture
                            becomes the reference instead.
"""

import pytest

from app_window.window_tools import NICK, PLACE, Pictures, entered_member, program_client
from zrkit.demo_bots import DemoBots
from zrkit.fixtures import server_factory  # noqa: F401


@pytest.fixture
def zr_server(server_factory):  # noqa: F811
    # The welcome's count is the client's idle limit in minutes: long enough
    # that no idle prompt comes up during a test.
    return server_factory(time_limit=900, scenario={"welcome": {"entry_count": 30}})


@pytest.fixture
def place_bots(zr_server):
    bots = DemoBots(zr_server.host, zr_server.port, place=PLACE).start()
    yield bots
    bots.stop()


@pytest.fixture
def window_client(build_win, tmp_path, zr_server):
    client = program_client(build_win, tmp_path / "program", zr_server)
    yield client
    client.stop()


@pytest.fixture
def running_client(window_client, place_bots, zr_server):
    window_client.start()
    window_client.wait_frame()
    window_client.member = entered_member(zr_server, NICK)
    return window_client


@pytest.fixture
def pictures(tmp_path):
    out = tmp_path / "pictures"
    out.mkdir()
    return Pictures(out)
