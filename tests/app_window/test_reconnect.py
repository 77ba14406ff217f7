"""A lost community connection as a user meets it: the client retries by
itself three times, then asks; Retry brings it back once the server is
there again, Cancel leaves it disconnected with the server's message."""
import time

from app_window.window_tools import NICK, START_SECONDS, entered_member
from zrkit.harness import ServerProcess

BOX = "#32770"
QUESTION = "Disconnected from community server.\nReconnect?"


def box_texts(client):
    """Texts of the client's open message box: its static texts and buttons."""
    tree = client.ask("tree", window_class=BOX)["window"]
    return [child["text"] for child in tree["children"] if child["text"]]


def wait_for_question(client):
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline:
        answer = client.probe("tree", window_class=BOX, timeout=START_SECONDS + 60)[0]
        if "error" not in answer:
            texts = [child["text"] for child in answer["window"]["children"]]
            if QUESTION in texts:
                return texts
        time.sleep(1)
    raise AssertionError("no reconnect question within %d s" % START_SECONDS)


def test_retry_at_the_question_reconnects_to_the_server_that_came_back(running_client,
                                                                        zr_server, tmp_path):
    port = zr_server.port
    zr_server.stop()
    # Three silent attempts against the closed port, then the question.
    texts = wait_for_question(running_client)
    assert "&Retry" in texts and "Cancel" in texts
    assert "Reconnecting to 127.0.0.1" in running_client.ask("status")["panes"][0]

    # The server is back on its port; Retry (the default button) goes there.
    server = ServerProcess(tmp_path / "again", "--port", str(port), time_limit=300,
                           scenario={"welcome": {"entry_count": 30}})
    try:
        running_client.probe("key RETURN", window_class=BOX)
        entered_member(server, NICK)
        assert running_client.ask("waitstatus Connected %d" % (START_SECONDS * 1000))["found"]
    finally:
        server.stop()


def test_cancel_at_the_question_leaves_the_client_disconnected_and_says_why(running_client,
                                                                           zr_server):
    zr_server.stop()
    wait_for_question(running_client)
    running_client.probe("key ESCAPE", window_class=BOX)
    # The server's message follows in a box of its own; nothing reconnects.
    deadline = time.monotonic() + START_SECONDS
    texts = []
    while time.monotonic() < deadline and not any("inaccessible" in t for t in texts):
        answer = running_client.probe("tree", window_class=BOX)[0]
        texts = [] if "error" in answer else [c["text"] for c in answer["window"]["children"]]
        time.sleep(1)
    assert any(text.startswith("Lumora Chat Server 127.0.0.1 is inaccessible") for text in texts)
    nodes = running_client.ask("tree")["window"]["children"]
    assert "Disconnected" in [child["text"] for node in nodes for child in node["children"]
                              if child["class"] == "Static"]
