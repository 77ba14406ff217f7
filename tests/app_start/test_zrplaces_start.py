"""zrplaces.exe under Wine: the resource library is checked before anything
else, a second copy hands its command line to the running client and ends,
and a start connects to the community, enters the first place and shuts
down in order when its frame is closed."""
import subprocess
import time

import pytest

# Generous: Wine starts slowly on a loaded machine.
START_SECONDS = 60

HOME = {"HomeServer": "127.0.0.1", "ServerTitle": "Test Community", "HomeURL": "http://page/"}


def wait_exit(proc, what):
    try:
        return proc.wait(timeout=START_SECONDS)
    except subprocess.TimeoutExpired:
        pytest.fail("%s did not end" % what)


def wait_line(proc, prefix):
    for line in proc.stdout:
        if line.startswith(prefix):
            return line.rstrip("\n")
    pytest.fail("no %r line from the probe" % prefix)


@pytest.mark.parametrize("remove_default, resources, text", [
    # The default name, with no such file beside the program.
    (True, "ZrRes.dll", "ZrRes.dll not found."),
    (False, "ZrNowhere.dll", "ZrNowhere.dll not found."),
    (False, "ZrResOld.dll", "Zanthe is not compatible with the current version of ZrResOld.dll."),
])
def test_unusable_resource_library_is_reported_and_nothing_starts(client, remove_default, resources,
                                                                  text):
    if remove_default:
        (client.folder / "ZrRes.dll").unlink()
    client.write_settings({"DLLs": {"Resources": resources}, "Community": HOME})
    proc = client.start()
    lines = client.run_probe("box", str(START_SECONDS))
    assert lines[0] == "BOX " + text
    assert lines[1] == "FRAME 0"
    wait_exit(proc, "the client after its message box")
    assert client.run_probe("count", "ZRFrame") == ["COUNT 0"]


@pytest.mark.parametrize("arguments, text", [
    ((), ""),
    (("Layout=Classic", "Name=zed"), "Layout=Classic Name=zed"),
])
def test_second_copy_hands_its_command_line_to_the_running_client(client, arguments, text):
    client.write_settings({"Community": HOME})
    running = client.probe("window", "ZRFrame", str(START_SECONDS))
    assert wait_line(running, "READY") == "READY"
    directory = client.probe("window", "ZRDirectory", str(START_SECONDS))
    assert wait_line(directory, "READY") == "READY"
    second = client.start(*arguments)
    assert wait_exit(second, "the second copy") == 0
    assert wait_line(running, "COPYDATA") == "COPYDATA 5345 %d %s" % (len(text) + 1, text)
    assert client.run_probe("count", "ZRFrame") == ["COUNT 1"]
    # The running client's directory program is left alone.
    directory.kill()
    out, _ = directory.communicate()
    assert "COPYDATA" not in out


@pytest.mark.parametrize("arguments, page, name", [
    # Without Place and Name: the settings' home page and identity.
    ((), "http://page/", "tester"),
    # A Name on the command line wins over the community's identity, which
    # start-up reads again once the community is known.
    (("Directory=0", "Place=http://other/?a=1", "Name=zed"), "http://other/?a=1", "zed"),
])
def test_start_connects_enters_the_first_place_and_shuts_down(client, server_port_switch,
                                                              arguments, page, name):
    server = server_port_switch
    client.write_settings({"Community": HOME, "Identity-127.0.0.1": {"NickName": "tester"}})
    directory = client.probe("window", "ZRDirectory", str(START_SECONDS))
    assert wait_line(directory, "READY") == "READY"
    proc = client.start(*arguments)
    # The directory program is told to hide, then to close.
    assert wait_line(directory, "COPYDATA") == "COPYDATA 1538 1 "
    assert wait_line(directory, "COPYDATA") == "COPYDATA 1536 1 "
    entered = server.wait_log({"event": "entered", "place": page}, timeout=START_SECONDS)
    server.wait_log({"dir": "out", "msg": {"type": 12, "name": name, "member": entered["member"]}})

    # A second copy while the client runs: refused, one frame stays.
    second = client.start("Layout=Classic")
    assert wait_exit(second, "the second copy") == 0
    assert client.run_probe("count", "ZRFrame") == ["COUNT 1"]

    assert client.run_probe("close", "ZRFrame", str(START_SECONDS)) == ["CLOSED"]
    assert wait_exit(proc, "the client after its frame closed") == 0
    server.wait_log({"event": "left", "member": entered["member"]}, timeout=START_SECONDS)
    assert client.run_probe("count", "ZRFrame") == ["COUNT 0"]
    # The first start marked the settings file.
    assert "StartUpDone=1" in (client.folder / "zrplaces.ini").read_text()


def test_two_copies_started_together_give_one_client(client, server_port_switch):
    server = server_port_switch
    client.write_settings({"Community": HOME, "Identity-127.0.0.1": {"NickName": "tester"}})
    first = client.start()
    second = client.start()
    server.wait_log({"event": "entered", "place": "http://page/"}, timeout=START_SECONDS)
    deadline = time.monotonic() + START_SECONDS
    while first.poll() is None and second.poll() is None and time.monotonic() < deadline:
        time.sleep(0.2)
    ended = [proc for proc in (first, second) if proc.poll() is not None]
    assert len(ended) == 1 and ended[0].returncode == 0
    assert client.run_probe("count", "ZRFrame") == ["COUNT 1"]
    assert len([e for e in server.log() if e.get("event") == "entered"]) == 1
    assert client.run_probe("close", "ZRFrame", str(START_SECONDS)) == ["CLOSED"]
    running = first if ended[0] is second else second
    assert wait_exit(running, "the client after its frame closed") == 0


# Selected mood 1 is the Normal picture itself: resetting the selection
# clears the names, and the message still names the file tried.
@pytest.mark.parametrize("selected", ["1", "2"])
def test_unloadable_avatar_file_is_reported_and_start_goes_on(client, server_port_switch, selected):
    server = server_port_switch
    client.write_settings({"Community": HOME, "Identity-127.0.0.1": {
        "NickName": "tester", "Normal": "nosuch.gif", "Happy": "gone.gif", "Sel": selected}})
    proc = client.start()
    lines = client.run_probe("box", str(START_SECONDS))
    # String 199 is one blank, so no ": " joins it to the text.
    assert lines[0] == "BOX  Can not load avatar file nosuch.gif. Using default."
    server.wait_log({"event": "entered", "place": "http://page/"}, timeout=START_SECONDS)
    assert client.run_probe("close", "ZRFrame", str(START_SECONDS)) == ["CLOSED"]
    assert wait_exit(proc, "the client after its frame closed") == 0


def test_start_marks_htm_pages_as_html(client, server_port_switch):
    client.write_settings({"Community": HOME, "Identity-127.0.0.1": {"NickName": "tester"}})
    subprocess.run(["wine", "reg", "delete", r"HKCR\.htm", "/v", "Content Type", "/f"],
                   env=client.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    proc = client.start()
    server_port_switch.wait_log({"event": "entered"}, timeout=START_SECONDS)
    query = subprocess.run(["wine", "reg", "query", r"HKCR\.htm", "/v", "Content Type"],
                           env=client.env, capture_output=True, text=True, timeout=60)
    assert "text/html" in query.stdout
    assert client.run_probe("close", "ZRFrame", str(START_SECONDS)) == ["CLOSED"]
    assert wait_exit(proc, "the client after its frame closed") == 0


# The server's close code reaches the root place, which tells the user in a
# box posted to the frame; the client stays up and still shuts down in order.
@pytest.mark.parametrize("code, text", [
    (212, "You have been ejected from the community."),
    (204, "Your login was refused (204)."),
])
def test_server_close_shows_the_place_message(client, server_port_switch, code, text):
    server = server_port_switch
    client.write_settings({"Community": HOME, "Identity-127.0.0.1": {"NickName": "tester"}})
    proc = client.start()
    server.wait_log({"event": "entered", "place": "http://page/"}, timeout=START_SECONDS)
    server.control("close", session="tester", code=code)
    lines = client.run_probe("box", str(START_SECONDS))
    assert lines[0] == "BOX Lumora Chat Server 127.0.0.1 is inaccessible: " + text
    assert lines[1] == "FRAME 1"
    assert proc.poll() is None
    assert client.run_probe("close", "ZRFrame", str(START_SECONDS)) == ["CLOSED"]
    assert wait_exit(proc, "the client after its frame closed") == 0


# The first entry lands the own avatar at its saved position; with none saved
# (x 2000) the position is spread by the second and stored for the next start.
@pytest.mark.parametrize("saved", [{"MyselfXPos": "300", "MyselfYPos": "400"}, {}])
def test_first_entry_lands_at_the_saved_position(client, server_port_switch, saved):
    server = server_port_switch
    client.write_settings({"Community": HOME, "Settings": saved,
                           "Identity-127.0.0.1": {"NickName": "tester"}})
    proc = client.start()
    entry = server.wait_log({"dir": "in", "msg": {"position": {"kind": 2}}}, timeout=START_SECONDS)
    x, y = entry["msg"]["position"]["a"], entry["msg"]["position"]["b"]
    if saved:
        assert (x, y) == (300, 400)
    else:
        assert x == y and 2000 <= x <= 7900 and (x - 2000) % 100 == 0
    assert server.wait_log({"event": "entered", "place": "http://page/"})["placed"]
    assert client.run_probe("close", "ZRFrame", str(START_SECONDS)) == ["CLOSED"]
    assert wait_exit(proc, "the client after its frame closed") == 0
    settings = (client.folder / "zrplaces.ini").read_text()
    assert "MyselfXPos=%d" % x in settings and "MyselfYPos=%d" % y in settings
