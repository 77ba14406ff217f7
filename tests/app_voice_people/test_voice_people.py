"""The people page's voice under Wine: zrplaces.exe joins its place's
voice conference on the voice test server through the voice control; the
page's voice area shows the control's status texts, and the person rows
show who is in the conference and who speaks (read from outside: the voice
area's window text, the people list's row flags). A member of the place
joining the conference from an engine host is marked in the conference,
then speaking while its microphone tone reaches the client; the client's
push-to-talk (CTRL) sends its own microphone to the other member."""
import time

from app_voice_people.conftest import ACCOUNT
from app_window.window_tools import NICK, START_SECONDS, entered_member
from voiceserver.enginehost import loopback_address
from voiceserver.harness import VoiceServerProcess
from voiceserver.pulse import dominant_frequency, read_samples, rms, tone

LIST_ID = 1118
VOICE_AREA_ID = 1331
VOICE_CONTROL_ID = 1329
IGNORE_BUTTON = 1144
# The voice area's toggles (12 x 12): on, off.
ON_TOGGLE_X, OFF_TOGGLE_X, TOGGLE_Y = 69, 103, 9
IN_VOICE, SPEAKING = 128, 256
WINDOW = 400  # 50 ms at 8000 Hz
# The codec stand-in keeps tones below 400 Hz.
CLIENT_TONE_HZ = 200
BOT_TONE_HZ = 300


def wait_for(what, read, check, timeout):
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if check(value):
            return value
        if time.monotonic() > deadline:
            raise AssertionError("%s: last seen %r" % (what, value))
        time.sleep(0.25)


def window_with_id(client, control_id):
    def walk(window):
        if window["id"] == control_id:
            return window
        for child in window["children"]:
            found = walk(child)
            if found:
                return found
        return None
    return walk(client.ask("tree")["window"])


def page_window(client):
    """The people page: the window holding the people list."""
    def walk(window):
        if any(child["id"] == LIST_ID for child in window["children"]):
            return window
        for child in window["children"]:
            found = walk(child)
            if found:
                return found
        return None
    return walk(client.ask("tree")["window"])


def row_point(client, name):
    """Screen point on the people list's row that reads name."""
    answer = client.ask("list %d" % LIST_ID)
    row = answer["rows"].index(name)
    left, top = answer["client"][0], answer["client"][1]
    height = answer["height"]
    return left + 60, top + height // 3 + (row - answer["top"]) * height + height // 2


def window_centre(client, control_id):
    left, top, right, bottom = window_with_id(client, control_id)["rect"]
    return (left + right) // 2, (top + bottom) // 2


def voice_status(client):
    area = window_with_id(client, VOICE_AREA_ID)
    return area["text"] if area else None


def row_flags(client, name):
    answer = client.ask("list %d" % LIST_ID)
    return answer["data"][answer["rows"].index(name)] if name in answer["rows"] else None


def wait_row(client, name, check, what, timeout=20):
    return wait_for("%s (%s)" % (what, name), lambda: row_flags(client, name),
                    lambda flags: flags is not None and check(flags), timeout)


def tone_windows(path, frequency):
    """The loud 50-ms windows of a recording, and those on the frequency."""
    samples = read_samples(path)
    windows = [samples[i:i + WINDOW] for i in range(0, len(samples) - WINDOW, WINDOW)]
    loud = [w for w in windows if rms(w) > 1000]
    return loud, [w for w in loud if abs(dominant_frequency(w) - frequency) <= 20]


def record(pulse, path, seconds):
    recorder = pulse.record("speaker.monitor", path)
    time.sleep(seconds)
    recorder.terminate()
    recorder.wait(5)


def start_voice_client(client, relay_server, zr_server, nick=NICK):
    client.settings["Settings"].update({"VoiceServer": relay_server.host, "VoiceEnabled": 1})
    client.settings["Identity-127.0.0.1"]["NickName"] = nick
    client.start()
    client.wait_frame()
    client.member = entered_member(zr_server, nick)
    relay_server.wait_log(lambda e: e.get("dir") == "in" and e["fields"][0] == "JOIN"
                          and e["fields"][3] == str(client.member), timeout=START_SECONDS)


def test_voice_area_and_rows_follow_the_conference(voice_rig, window_client, place_bots, zr_server,
                                                    relay_server, tmp_path):
    client = voice_rig.client("client", window_client)
    # Before the place: the control exists, nothing told yet.
    start_voice_client(client, relay_server, zr_server)
    assert voice_status(client) != "Error:  Voice is unavailable"
    me = wait_row(client, NICK, lambda flags: flags & IN_VOICE, "own row in the conference")
    assert not me & SPEAKING
    # The control stands small in the page's bottom left corner.
    control = window_with_id(client, VOICE_CONTROL_ID)
    page = page_window(client)
    assert control["visible"]
    left, top, right, bottom = control["rect"]
    page_client = page["client"]
    assert (right - left, bottom - top) == (6, 32)
    assert (left - page_client[0], page_client[3] - top) == (8, 37)

    # ann, a member of the place, joins the conference from an engine host
    # and talks hands-free: her row is marked in the conference, then
    # speaking while her tone reaches the client.
    bot, bot_pulse = voice_rig.engine_host("ann", client.prefix)
    ann = place_bots.members["ann"]
    bot.engine("A", relay_server.host, str(place_bots.place_id), str(ann))
    assert bot.run("set A HandsFreeMode true") == ["0"]
    assert row_flags(client, "ann") & (IN_VOICE | SPEAKING) == 0
    assert bot.run("join A")[0] == "0"
    bot.event("A", 0)
    wait_row(client, "ann", lambda flags: flags & IN_VOICE, "ann in the conference")
    bot_pulse.play("mic", tone(BOT_TONE_HZ, 8000, 8))
    wait_row(client, "ann", lambda flags: flags & SPEAKING, "ann speaking")
    assert not row_flags(client, "bob") & IN_VOICE
    assert not row_flags(client, NICK) & SPEAKING
    # Her tone comes out of the client's speaker.
    record(client.pulse, tmp_path / "client-heard.raw", 1.5)
    loud, on_tone = tone_windows(tmp_path / "client-heard.raw", BOT_TONE_HZ)
    assert len(loud) >= 15, "the client heard nothing: %d loud windows" % len(loud)
    assert len(on_tone) >= 0.8 * len(loud)
    assert bot.run("set A Mute true") == ["0"]

    # Ignoring ann (the page's Ignore button) mutes her voice for the
    # client; the button again lets her be heard.
    ann_voice = [m["user"] for m in relay_server.control("members")["members"] if m["name"] == str(ann)][0]
    for flag in ("1", "0"):
        # Her row sorts elsewhere once ignored: selected anew each time.
        client.ask("click %d %d" % row_point(client, "ann"))
        client.ask("click %d %d" % window_centre(client, IGNORE_BUTTON))
        relay_server.wait_log(lambda e: e.get("event") == "mute" and e["target"] == str(ann_voice)
                              and e["flag"] == flag, timeout=10)

    # Push-to-talk: CTRL held in the client sends its microphone; the
    # control's status texts become the voice area's text.
    client.pulse.play("mic", tone(CLIENT_TONE_HZ, 8000, 10))
    client.ask("keydown CONTROL")
    try:
        wait_for("voice status", lambda: voice_status(client), lambda text: text == "Microphone ON", 10)
        time.sleep(1.2)
        record(bot_pulse, tmp_path / "bot-heard.raw", 1.5)
    finally:
        client.ask("keyup CONTROL")
    wait_for("voice status", lambda: voice_status(client), lambda text: text == "Microphone OFF", 10)
    loud, on_tone = tone_windows(tmp_path / "bot-heard.raw", CLIENT_TONE_HZ)
    assert len(loud) >= 15, "ann heard nothing while CTRL was held: %d loud windows" % len(loud)
    assert len(on_tone) >= 0.8 * len(loud)

    # ann leaves the conference: her row is a plain person row again.
    assert bot.run("disconnect A") == ["0"]
    wait_row(client, "ann", lambda flags: not flags & (IN_VOICE | SPEAKING), "ann out of the conference")
    assert row_flags(client, NICK) & IN_VOICE

    # The voice area's second toggle turns voice off, the first on again.
    def joins():
        return [e for e in relay_server.log() if e.get("dir") == "in" and e["fields"][0] == "JOIN"
                and e["fields"][3] == str(client.member)]
    left, top = window_with_id(client, VOICE_AREA_ID)["rect"][:2]
    client.ask("click %d %d" % (left + OFF_TOGGLE_X + 6, top + TOGGLE_Y + 6))
    wait_row(client, NICK, lambda flags: not flags & IN_VOICE, "own row after voice off")
    assert not window_with_id(client, VOICE_CONTROL_ID)["visible"]
    assert len(joins()) == 1
    client.ask("click %d %d" % (left + ON_TOGGLE_X + 6, top + TOGGLE_Y + 6))
    wait_for("a second join", joins, lambda found: len(found) == 2, 15)
    wait_row(client, NICK, lambda flags: flags & IN_VOICE, "own row after voice on")


def test_a_tone_crosses_between_two_clients(voice_rig, window_client, place_bots, zr_server, relay_server,
                                           tmp_path):
    """Two zrplaces.exe, each in a Wine prefix of its own: A's microphone
    comes out of B's speaker while A holds CTRL; B's page marks A speaking,
    A's page shows A's status texts."""
    talker = voice_rig.client("A", window_client)
    listener = voice_rig.client("B", prefix=voice_rig.own_prefix("B", window_client.prefix))
    start_voice_client(talker, relay_server, zr_server)
    start_voice_client(listener, relay_server, zr_server, nick="Bea")
    wait_row(listener, NICK, lambda flags: flags & IN_VOICE, "A in the conference, seen by B")
    wait_row(talker, "Bea", lambda flags: flags & IN_VOICE, "B in the conference, seen by A")
    assert not row_flags(listener, NICK) & SPEAKING

    talker.pulse.play("mic", tone(CLIENT_TONE_HZ, 8000, 10))
    talker.ask("keydown CONTROL")
    try:
        wait_for("A's voice status", lambda: voice_status(talker), lambda text: text == "Microphone ON", 10)
        wait_row(listener, NICK, lambda flags: flags & SPEAKING, "A speaking, seen by B")
        time.sleep(1.0)
        record(listener.pulse, tmp_path / "B-heard.raw", 1.5)
    finally:
        talker.ask("keyup CONTROL")
    wait_for("A's voice status", lambda: voice_status(talker), lambda text: text == "Microphone OFF", 10)
    loud, on_tone = tone_windows(tmp_path / "B-heard.raw", CLIENT_TONE_HZ)
    assert len(loud) >= 15, "B heard nothing while A held CTRL: %d loud windows" % len(loud)
    assert len(on_tone) >= 0.8 * len(loud)
    # B never talked: A is never marked with B speaking, and A's own row
    # never shows A speaking on A's page.
    assert not row_flags(talker, "Bea") & SPEAKING
    assert not row_flags(talker, NICK) & SPEAKING

    # The server ends B's voice session: B's page shows nobody in the
    # conference any more; A still sees itself in it.
    users = {m["name"]: m["user"] for m in relay_server.control("members")["members"]}
    assert relay_server.control("send", user=users[str(listener.member)],
                                fields=["DISCONNECT", "closing"])["ok"]
    wait_row(listener, NICK, lambda flags: not flags & (IN_VOICE | SPEAKING), "A, seen by B after the end")
    assert not row_flags(listener, "Bea") & IN_VOICE
    wait_row(talker, "Bea", lambda flags: not flags & IN_VOICE, "B, seen by A after B's end")
    assert row_flags(talker, NICK) & IN_VOICE


def test_without_the_voice_control_the_page_says_voice_is_unavailable(running_client):
    """No voice control registered in the prefix: the page's voice area says
    so and the rows carry no voice marks."""
    assert voice_status(running_client) == "Error:  Voice is unavailable"
    answer = running_client.ask("list %d" % LIST_ID)
    assert NICK in answer["rows"]
    assert all(not flags & (IN_VOICE | SPEAKING) for flags in answer["data"])


def test_a_refused_join_is_told_and_ends_voice(voice_rig, window_client, place_bots, zr_server, tmp_path):
    """The voice server refuses the place's conference: the control's error
    is shown in a message box, and voice stops (the control is hidden)."""
    refusing = VoiceServerProcess(tmp_path / "refusing", "--host", loopback_address(), "--port", "3450",
                                  "--account", ACCOUNT, "--reject", str(place_bots.place_id))
    try:
        client = voice_rig.client("client", window_client)
        start_voice_client(client, refusing, zr_server)
        box = client.probe("tree", window_class="#32770", find_seconds=20)[0]["window"]
        texts = [child["text"] for child in box["children"]]
        assert any("closed" in text or "reject" in text.lower() for text in texts), texts
        control = window_with_id(client, VOICE_CONTROL_ID)
        assert control is not None and not control["visible"]
        assert not row_flags(client, NICK) & IN_VOICE
    finally:
        refusing.stop()
