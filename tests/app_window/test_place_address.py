"""A second copy of the client hands its command line to the running one and
ends: the running client acts on the place address in it, as a user who
clicks a place link in another program expects."""
import subprocess

from app_window.test_main_window import LAYOUT_COMMANDS, AVATARS_ONLY, CLASSIC, menu_items
from app_window.window_tools import NICK, START_SECONDS, entered_member
from zrkit.harness import ServerProcess


def run_second_copy(client, *arguments):
    second = subprocess.run(["wine", str(client.folder / "zrplaces.exe")] + list(arguments),
                            cwd=str(client.folder), env=client.env, timeout=START_SECONDS,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return second.returncode


def test_a_second_copy_sends_the_running_client_to_another_community(running_client, tmp_path):
    other = ServerProcess(tmp_path / "other", time_limit=300,
                          scenario={"welcome": {"entry_count": 30}})
    try:
        # A community named from outside must be on the client's server
        # list; any other goes to the service's own host.
        (running_client.folder / "zrserver.hst").write_text("127.0.0.1:%d\r\n" % other.port)
        frames_before = running_client.ask("frame")["hwnd"]
        run_second_copy(running_client, "Community=127.0.0.1:%d" % other.port, "Layout=Avatars")
        # The running client leaves its community for the other one and
        # enters its place there; no second window was made.
        entered_member(other, NICK)
        assert running_client.ask("frame")["hwnd"] == frames_before
        assert running_client.ask("waitstatus Connected %d" % (START_SECONDS * 1000))["found"]
        view = menu_items(running_client.ask("menu"))["&View"]
        assert view[LAYOUT_COMMANDS[AVATARS_ONLY]]["checked"]
        assert not view[LAYOUT_COMMANDS[CLASSIC]]["checked"]
    finally:
        other.stop()


def test_the_current_community_named_again_keeps_the_connection(running_client, zr_server):
    member = running_client.member
    # The client's community is named "127.0.0.1" (its port comes from the
    # switch file).
    run_second_copy(running_client, "Community=127.0.0.1")
    # Only the window comes forward: the client neither leaves nor enters.
    running_client.probe("wait 3000")
    log = zr_server.log()
    assert not [entry for entry in log if entry.get("event") == "left"
                and entry.get("member") == member]
