"""The other browser chosen in the settings and found registered: the page
area holds that browser's window, taken in from its document server (the
stand-in tests/browser_netscape/navigator_peer.exe, registered in the test's
prefix for the test's time), with its bars moved out; an address typed in
the location bar is opened by that browser over DDE (dde_peer playing its
DDE side); at exit the client gives the browser's window back."""
import pathlib
import subprocess
import time

import pytest

from app_window.test_main_window import walk
from app_window.test_page_frame import type_address
from app_window.window_tools import NICK, START_SECONDS, entered_member

ITEM_CLASS = r"HKLM\Software\Classes\CLSID\{61D8DE20-CA9A-11CE-9EA5-0080C82BE3B6}"
DETECTED_CLASS = r"HKLM\Software\Classes\CLSID\{E67D6A10-4438-11CE-8CE4-0020AF18F905}"
PAGE = "http://127.0.0.1:9/navigator.htm"


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def wait_for(condition, timeout=START_SECONDS):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError("not seen within %d s" % timeout)


def log_lines(path):
    return path.read_text().splitlines() if path.exists() else []


def reg(env, *arguments):
    subprocess.run(["wine", "reg"] + list(arguments), env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


@pytest.fixture
def navigator(build_win, window_client, tmp_path):
    """The stand-in registered as the browser's document server (ending with
    its last item) and as the browser the client detects; its log path."""
    program = build_win / "tests" / "browser_netscape" / "navigator_peer.exe"
    if not program.exists():
        pytest.skip("%s is not built" % program)
    log = tmp_path / "navigator.log"
    env = window_client.env
    server = '"%s" --log "%s" --end-with-items' % (windows_path(program), windows_path(log))
    reg(env, "add", ITEM_CLASS + r"\LocalServer32", "/ve", "/d", server, "/f")
    reg(env, "add", DETECTED_CLASS + r"\LocalServer32", "/ve", "/d", windows_path(program), "/f")
    try:
        # A stand-in ended by an earlier program under this wineserver keeps
        # Wine from starting a new one for a while: wait until one starts
        # (and ends by itself).
        settle = subprocess.run(["wine", str(program), "--settle"], env=env, timeout=90,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        assert settle.returncode == 0, "the stand-in cannot be started"
        wait_for(lambda: "ended 5" in log_lines(log))
        yield log
    finally:
        # Registered, the stand-in would be the browser of the next tests.
        reg(env, "delete", ITEM_CLASS, "/f")
        reg(env, "delete", DETECTED_CLASS, "/f")
        # A stand-in that the client did not let go would serve them too.
        lines = log_lines(log)
        started = [line.split()[1] for line in lines if line.startswith("started ")]
        for process in started[lines.count("ended 5"):]:
            subprocess.run(["wine", "taskkill", "/F", "/PID", process], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


@pytest.fixture
def browser_dde(build_win, window_client, tmp_path):
    """dde_peer serving the browser's DDE service; its log path."""
    program = build_win / "tests" / "ddeml" / "dde_peer.exe"
    if not program.exists():
        pytest.skip("%s is not built" % program)
    log = tmp_path / "dde.log"
    peer = subprocess.Popen(["wine", str(program), "--log", windows_path(log),
                             "serve", "NETSCAPE", "120000"], env=window_client.env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: "serving NETSCAPE" in log_lines(log))
    yield log
    peer.kill()
    peer.wait()


def find_item(client):
    """(view node, its parent node, item node) of the browser's window."""
    for parent in walk(client.ask("tree")["window"]):
        for view in parent["children"]:
            for item in view["children"]:
                if item["class"] == "NavigatorPeerItem":
                    return parent, view, item
    return None


def test_the_page_area_holds_the_other_browser_and_opens_typed_addresses_through_it(
        window_client, zr_server, navigator, browser_dde):
    window_client.settings["Browser"] = {"Netscape": 1}
    window_client.start()
    window_client.wait_frame()
    entered_member(zr_server, NICK)

    frame, view, item = wait_for(lambda: find_item(window_client))
    assert item["visible"]
    assert view["client"] == item["rect"], "the browser's window fills the view"
    assert [child["class"] for child in item["children"]] == ["Static"], \
        "only the page is left in the browser's window"
    bars = [child for child in frame["children"]
            if child["class"] in ("ToolbarWindow32", "msctls_statusbar32")]
    assert sorted(bar["class"] for bar in bars) == ["ToolbarWindow32", "msctls_statusbar32"]
    assert not any(bar["visible"] for bar in bars), "the bars are hidden beside the view"

    type_address(window_client, PAGE)
    opened = "requested %s,,0xFFFFFFFF,0x3,,,Zanthe" % PAGE
    wait_for(lambda: opened in log_lines(browser_dde))

    window_client.ask("close")
    assert window_client.wait_exit() == 0
    lines = wait_for(lambda: log_lines(navigator).count("ended 5") == 2 and log_lines(navigator))
    assert lines.count("item closed") == 1, lines
