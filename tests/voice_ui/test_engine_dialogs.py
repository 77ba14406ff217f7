"""The engine's dialogs of the real SnCom.dll under Wine, seen from outside:
engine_host.exe runs one instance that shows its user interface (Ann) and
one SDK instance (Bob) in the voice test server's conference; the window
probe reads the dialogs Ann's engine window opens (class "#32770"): their
captions, control ids and texts, and presses their buttons."""
import os
import pathlib

import pytest

from app_window.window_tools import ProbeError, WindowClient
from voiceserver.enginehost import EngineHost, loopback_address
from voiceserver.harness import VoiceServerProcess

INVITED = 6
INVITATION_DECLINED = 8
ACCOUNT, ACCOUNT_KEY = "47205318", "Qm4TzK7pWa2"  # user operations need a keyed session


@pytest.fixture
def host(build_win, tmp_path):
    program = build_win / "tests" / "voice_api" / "win32" / "engine_host.exe"
    if not program.exists():
        pytest.skip("engine_host.exe is not built in this tree")
    prefix = pathlib.Path(os.environ.get("WINEPREFIX", build_win / "wineprefix"))
    engine_host = EngineHost(program, tmp_path, prefix)
    engine_host.program = program
    engine_host.prefix = prefix
    assert engine_host.run("agree -")[0] == "0"
    yield engine_host
    engine_host.stop()


@pytest.fixture
def probe(build_win, host, tmp_path):
    """Runs the window probe on the engine host's dialog titled `title`."""
    path = pathlib.Path(os.environ.get("ZR_WINDOW_PROBE",
                                       build_win / "tests" / "app_window" / "window_probe.exe"))
    if not path.exists():
        pytest.skip("%s is not built" % path)
    client = WindowClient(tmp_path, host.prefix, path, None)

    def run(title, *commands, find_seconds=20):
        command = ["wine", str(path), "--timeout", str(find_seconds), "--program",
                   str(host.program), "--class", "#32770", "--title", title]
        answers, returncode, errors = client._run_probe(command, commands, 90)
        if len(answers) != len(commands) or any("error" in a for a in answers):
            raise ProbeError("probe of %r ended with %s: %r %s"
                             % (title, returncode, answers, errors[-1000:]))
        return answers
    return run


@pytest.fixture
def server(tmp_path):
    for attempt in range(5):
        address = loopback_address()
        try:
            started = VoiceServerProcess(tmp_path / ("server%d" % attempt), "--host", address,
                                         "--port", "3450",
                                         "--account", "%s:%s" % (ACCOUNT, ACCOUNT_KEY))
        except RuntimeError:
            continue  # the port of that address is taken: another one
        yield started
        started.stop()
        return
    pytest.fail("no loopback address with a free port 3450")


@pytest.fixture
def session(host, server):
    """Ann (user interface shown) and Bob (SDK) joined; their user numbers."""
    host.engine("A", server.host, "lobby", "Ann", sdk_mode=False)
    host.engine("B", server.host, "lobby", "Bob")
    for name in ("A", "B"):
        assert host.run("set %s Account %s" % (name, ACCOUNT)) == ["0"]
        assert host.run("key %s %s" % (name, ACCOUNT_KEY)) == ["0"]
        assert host.run("join " + name)[0] == "0"
        host.event(name, 0)
    users = {}
    while len(users) < 2:
        user, _, name, _ = host.event("A", 4)
        users[name] = user
    return users["Ann"], users["Bob"]


def controls(tree):
    """The dialog's controls by id: (class, text, visible)."""
    return {c["id"]: (c["class"], c["text"], c["visible"]) for c in tree["window"]["children"]}


def test_a_warning_opens_the_warning_form_of_the_received_message_dialog(host, session, probe):
    ann, bob = session
    assert host.run("warn B %d Mind your language" % ann)[0] == "0"
    tree, = probe("Warning Received", "tree")
    found = controls(tree)
    assert found[201][1] == "Bob"
    assert found[212][1] == "Warning received from:"
    assert found[202][1] == "Mind your language"
    assert found[211][0] == "Static"
    assert found[209][1] == "Reply..." and not found[209][2]  # Reply hidden
    assert found[2][1] == "Close" and found[2][2]
    # Close takes the place of Reply.
    by_id = {c["id"]: c for c in tree["window"]["children"]}
    assert by_id[2]["rect"][:2] == by_id[209]["rect"][:2]


def test_a_text_message_opens_the_instant_message_dialog_with_the_transcript(
        host, session, probe):
    ann, bob = session
    assert host.run("message B %d hello there" % ann)[0] == "0"
    tree, = probe("Instant Message", "tree")
    found = controls(tree)
    assert found[201][1] == "Bob"
    assert found[114][0].lower() == "richedit20a"
    assert found[114][1] == "Bob: hello there\r\n"
    assert found[203][0] == "Edit" and found[216][1] == "Send"

    # A second message goes into the same dialog.
    assert host.run("message B %d again" % ann)[0] == "0"
    tree, = probe("Instant Message", "wait 1500", "tree")[1:]
    assert controls(tree)[114][1] == "Bob: hello there\r\nBob: again\r\n"

    # Ann answers: Bob gets the text, the transcript shows Ann's line.
    probe("Instant Message", "type Hi")
    typed = ""
    for _ in range(10):  # the typed keys reach the input edit a little later
        typed = controls(probe("Instant Message", "tree")[0])[203][1]
        if typed == "Hi":
            break
    assert typed == "Hi"
    probe("Instant Message", "command 216")
    assert host.event("B", 9)[2:] == ("Ann", "Hi")
    tree, = probe("Instant Message", "tree")
    assert controls(tree)[114][1].endswith("Ann: Hi\r\n")
    assert controls(tree)[203][1] == ""


def test_an_invitation_is_declined_with_its_button_and_closes(host, session, probe):
    ann, bob = session
    assert host.run("invite B %d" % ann)[0] == "0"
    host.event("A", INVITED)
    tree, = probe("One-on-One Invitation", "tree")
    found = controls(tree)
    assert found[201][1] == "Bob"
    assert found[208][1] == "Accept"
    assert found[2][1] == "Decline"
    probe("One-on-One Invitation", "command 2", "waitgone 5000")
    assert host.event("B", INVITATION_DECLINED)[0] == ann


def test_the_dialogs_of_a_user_close_when_the_user_leaves(host, session, probe):
    ann, bob = session
    assert host.run("warn B %d one" % ann)[0] == "0"
    probe("Warning Received", "frame")
    assert host.run("disconnect B")[0] == "0"
    host.event("A", 5)
    with pytest.raises(ProbeError):
        probe("Warning Received", "frame", find_seconds=3)


def test_the_modeless_notice_shows_the_host_texts(host, probe):
    assert host.run("create N") == ["1"]
    assert host.run("notice N 219 238")[0] == "0"
    tree, = probe("Message sent", "tree")
    found = controls(tree)
    assert found[228][1] == "Warning sent"
    assert found[1][1] == "OK"
    probe("Message sent", "command 1", "waitgone 5000")
