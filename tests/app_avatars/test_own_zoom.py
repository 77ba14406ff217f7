"""The zoom between the participation indicator and the own avatar in the
running client: when the user enters the place the own avatar shows and an
outline zooms from the indicator to it, while the main window holds the
mouse (watched from outside through the frame thread's capture from the
moment the frame shows), which it lets go of at the end."""
import threading
import time

from app_window.window_tools import NICK, entered_member, program_client

TITLE = "ZRC member"
WATCH_MS = 12000


def walk(node):
    yield node
    for child in node["children"]:
        yield from walk(child)


def shown_avatars(client):
    return sum(1 for node in walk(client.ask("tree")["window"]) if node["text"] == TITLE and node["visible"])


def test_entering_the_place_zooms_from_the_indicator_to_the_own_avatar(build_win, tmp_path, server):
    client = program_client(build_win, tmp_path / "program", server)
    client.start()
    try:
        client.wait_frame()
        watched = {}
        watcher = threading.Thread(
            target=lambda: watched.update(client.ask("watchcapture %d" % WATCH_MS, timeout=60)))
        watcher.start()
        entered_member(server, NICK)
        deadline = time.monotonic() + 30
        while shown_avatars(client) < 1:
            assert time.monotonic() < deadline, "the own avatar never showed"
            time.sleep(0.3)
        watcher.join(60)
        # One zoom, the mouse held for its steps and given back.
        assert watched.get("spans") == 1, watched
        assert 5 < watched["held_ms"] < 3000, watched
        assert watched["held_at_end"] is False
    finally:
        client.stop()
