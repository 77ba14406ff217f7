"""The main window tests' tools against today's client: the probe finds the
client's "ZRFrame" among other programs' windows, reads its tree, menus,
status line, placement and CPU time, opens a menu with real keys, answers
bad commands with errors, and closing the frame ends the client; pictures
of the frame are taken and compared with references."""
import subprocess

import pytest

from app_window.window_tools import NICK, START_SECONDS, Pictures, entered_member

# Control ids of the main window's status bar and of the people column's.
MAIN_STATUS_BAR_ID = 59393
PEOPLE_STATUS_BAR_ID = 1119


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def test_frame_reads_and_closing_it_ends_the_client(running_client, zr_server, place_bots,
                                                    pictures):
    frame = running_client.wait_frame()
    assert frame["class"] == "ZRFrame" and frame["visible"]
    assert frame["program"].endswith("\\program\\zrplaces.exe")
    # The bots and the client share the place.
    assert set(place_bots.members) == {"ann", "bob", "cat"}
    assert running_client.member not in place_bots.members.values()

    tree, status, first, _, second = running_client.probe(
        "tree", "status", "cputime", "wait 1000", "cputime")
    root = tree["window"]
    assert (root["hwnd"], root["class"], root["rect"], root["client"]) == (
        frame["hwnd"], "ZRFrame", frame["rect"], frame["client"])
    nodes = list(walk(root))
    assert len(nodes) > 1 and all(node["class"] for node in nodes)
    # The main window's status bar (the people column has one of its own):
    # its text is its first pane, read through the client's memory by
    # `status`.
    bars = [node for node in nodes if node["class"] == "msctls_statusbar32"]
    assert sorted(bar["id"] for bar in bars) == [PEOPLE_STATUS_BAR_ID, MAIN_STATUS_BAR_ID]
    main_bar = next(bar for bar in bars if bar["id"] == MAIN_STATUS_BAR_ID)
    assert main_bar["hwnd"] == status["hwnd"]
    assert status["panes"] and status["panes"][0] == main_bar["text"]

    assert first["pid"] == second["pid"] == frame["pid"]
    assert 0 < first["total_ms"] <= second["total_ms"]

    # A picture of the frame is the frame's size and shows more than a blank.
    place_bots.pause()
    picture = pictures.capture_frame(running_client, "frame")
    left, top, right, bottom = frame["rect"]
    assert Pictures.size(picture) == (right - left, bottom - top)
    colours = subprocess.run(["identify", "-format", "%k", str(picture)], capture_output=True,
                             text=True, check=True).stdout
    assert int(colours) > 2

    close, gone = running_client.probe("close", "waitgone %d" % (START_SECONDS * 1000))
    assert close == {"cmd": "close", "ok": True}
    assert gone["gone"]
    assert running_client.wait_exit() == 0
    zr_server.wait_log({"event": "left", "member": running_client.member}, timeout=START_SECONDS)


@pytest.mark.parametrize("size, show, zoomed", [
    ({"MainXPos": 10, "MainYPos": 20, "WinWidth": 800, "WinHeight": 600}, "normal", False),
    # A negative width is the saved maximised state.
    ({"MainXPos": 0, "MainYPos": 0, "WinWidth": -1, "WinHeight": -1}, "maximized", True),
])
def test_placement_tells_the_show_state(window_client, zr_server, size, show, zoomed):
    window_client.settings["Settings"] = size
    window_client.start()
    window_client.wait_frame()
    entered_member(zr_server, NICK)
    placement = window_client.ask("placement")
    assert (placement["show"], placement["zoomed"], placement["visible"]) == (show, zoomed, True)
    if not zoomed:
        x, y, width, height = (size[k] for k in ("MainXPos", "MainYPos", "WinWidth", "WinHeight"))
        assert placement["normal"] == placement["rect"] == [x, y, x + width, y + height]


def test_menu_read_by_message_and_by_real_keys_agree(running_client):
    menu, opened, after = running_client.probe("menu", "openmenu 0", "frame")
    assert menu["popups"], "the client has a menu bar"
    first = menu["popups"][0]
    assert first["text"].replace("&", "") and first["submenu"]

    def items(entries):
        return [(e["id"], e["text"], e["enabled"], e["checked"], e["separator"]) for e in entries]
    assert "error" not in opened, opened
    assert items(opened["items"]) == items(first["submenu"])
    # The popup hung below the menu bar, inside the frame, and is gone again.
    left, top, right, _ = after["rect"]
    assert left <= opened["rect"][0] < right and top < opened["rect"][1] <= after["client"][1]
    assert opened["closed"]
    kept = running_client.probe("openmenu 0 keep", "key ESCAPE", "key ESCAPE", "wait 300",
                                "openmenu 0")
    assert not kept[0]["closed"] and kept[-1]["closed"]
    mnemonic = first["text"][first["text"].index("&") + 1]
    by_letter = running_client.ask("openmenu 0 %s" % mnemonic)
    assert items(by_letter["items"]) == items(first["submenu"])


def test_bad_commands_answer_errors_and_the_probe_goes_on(running_client):
    answers = running_client.probe(
        "bogus", "key NOPE", "key A hyper", "wait", "wait soon", "rect NoSuchWindow",
        "command x", "openmenu -1", "click 1", "waitstatus \"never shown\" 200", "frame")
    errors = {answer["cmd"]: answer.get("error") for answer in answers[:-2]}
    assert errors == {
        "bogus": "unknown command", "key": "unknown modifier hyper",
        "wait": "usage: wait MS", "rect": "no window NoSuchWindow",
        "command": "usage: command ID", "openmenu": "usage: openmenu INDEX [LETTER] [keep]",
        "click": "wrong number of arguments",
    }
    assert answers[1]["error"] == "unknown key NOPE"
    assert answers[3]["error"] == "wrong number of arguments"
    waited = answers[-2]
    assert waited["found"] is False and waited["waited_ms"] >= 200
    assert answers[-1]["class"] == "ZRFrame"


def test_a_probe_without_the_client_says_so(window_client):
    with pytest.raises(AssertionError, match="no window of class ZRFrame"):
        window_client.probe("frame", timeout=START_SECONDS + 60)


@pytest.fixture
def plain_pictures(tmp_path):
    """Pictures with references of their own and two made pictures."""
    out = tmp_path / "out"
    out.mkdir()
    made = Pictures(out, references=tmp_path / "reference")
    white = tmp_path / "white.png"
    spotted = tmp_path / "spotted.png"
    subprocess.run(["convert", "-size", "40x30", "xc:white", str(white)], check=True)
    subprocess.run(["convert", str(white), "-fill", "red", "-draw", "rectangle 5,5 7,7",
                    str(spotted)], check=True)
    return made, white, spotted


def test_pictures_compare_with_a_tolerance_and_keep_what_differs(plain_pictures, monkeypatch):
    pictures, white, spotted = plain_pictures
    monkeypatch.delenv("ZR_UPDATE_REFERENCES", raising=False)
    with pytest.raises(AssertionError, match="ZR_UPDATE_REFERENCES=1"):
        pictures.check("page", white)
    monkeypatch.setenv("ZR_UPDATE_REFERENCES", "1")
    pictures.check("page", white)
    assert (pictures.references / "page.png").exists()
    monkeypatch.delenv("ZR_UPDATE_REFERENCES")

    pictures.check("page", white)
    # The 3x3 spot is nine pixels.
    pictures.check("page", spotted, max_pixels=9)
    assert not list(pictures.out_dir.iterdir())
    with pytest.raises(AssertionError, match="^9 pixels"):
        pictures.check("page", spotted, max_pixels=8)
    assert sorted(p.name for p in pictures.out_dir.iterdir()) == ["page-actual.png",
                                                                  "page-diff.png"]
    # A near colour is within the fuzz.
    pale = pictures.out_dir / "pale.png"
    subprocess.run(["convert", "-size", "40x30", "xc:#f4f4f4", str(pale)], check=True)
    pictures.check("page", pale)


def test_pictures_of_another_size_differ(plain_pictures):
    pictures, white, _ = plain_pictures
    pictures.references.mkdir()
    subprocess.run(["convert", "-size", "40x31", "xc:white",
                    str(pictures.references / "page.png")], check=True)
    with pytest.raises(AssertionError, match="is 40x30, the reference .* is 40x31"):
        pictures.check("page", white)
