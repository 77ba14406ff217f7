"""The Tour Setup dialog of the running client, driven with real input and
seen from outside: which vehicle preview shows, the Tour section of the
settings file after OK, and the tour that a double click on the vehicle
starts. The tests run in order on one client."""
import configparser
import time

import pytest

from app_window.window_tools import NICK, ProbeError

ID_TOUR_SETUP = 32777
DIALOG = "#32770"
SETUP = "Tour Setup"
GARAGE = "Tour Garage"
NAME_EDIT = 1006
SMALL_RADIO = 1050
CHANGE = 1004
SMALL_PREVIEW = 1118
LARGE_PREVIEW = 1119
# A 1 x 1 GIF.
GIF = bytes.fromhex("47494638396101000100800000ff00000000ff21f90401000000002c00000000010001000002024401003b")


def windows_of(answer):
    found, todo = [], [answer["window"]]
    while todo:
        window = todo.pop()
        found.append(window)
        todo.extend(window.get("children", []))
    return found


def on_dialog(client, title, *commands):
    answers = client.probe(*commands, window_class=DIALOG, window_title=title)
    for answer in answers:
        assert "error" not in answer, answer
    return answers


def controls(client):
    return {w["id"]: w for w in windows_of(on_dialog(client, SETUP, "tree")[0])}


def click(client, title, control):
    left, top, right, bottom = on_dialog(client, title, "rect %d" % control)[0]["rect"]
    on_dialog(client, title, "click %d %d" % ((left + right) // 2, (top + bottom) // 2))


def open_setup(client):
    client.ask("command %d" % ID_TOUR_SETUP)
    return controls(client)


def close_with_ok(client):
    click(client, SETUP, 1)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            client.probe("frame", window_class=DIALOG, window_title=SETUP, find_seconds=1)
        except ProbeError:
            return
        time.sleep(0.3)
    raise AssertionError("Tour Setup stays open")


def tour_settings(client):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read_string((client.folder / "zrplaces.ini").read_text(errors="replace"))
    return dict(parser["Tour"]) if parser.has_section("Tour") else {}


def replace_name(client, old_length, name):
    click(client, SETUP, NAME_EDIT)
    keys = ["key END"] + ["key BACK"] * old_length + (["type %s" % name] if name else [])
    on_dialog(client, SETUP, *keys)


def test_stored_large_vehicle_opens_selected_and_a_name_is_saved(client):
    shown = open_setup(client)
    assert shown[LARGE_PREVIEW]["visible"] and not shown[SMALL_PREVIEW]["visible"]
    replace_name(client, len(shown[NAME_EDIT]["text"]), "Museum")
    assert controls(client)[LARGE_PREVIEW]["text"] == "Museum"
    close_with_ok(client)
    tour = tour_settings(client)
    assert tour["Capacity"] == "11"
    assert tour["Name"] == "Museum"


def test_small_vehicle_with_a_picture_and_no_name(client, tmp_path):
    picture = tmp_path / "car.gif"
    picture.write_bytes(GIF)
    shown = open_setup(client)
    assert shown[NAME_EDIT]["text"] == "Museum"
    click(client, SETUP, SMALL_RADIO)
    shown = controls(client)
    assert shown[SMALL_PREVIEW]["visible"] and not shown[LARGE_PREVIEW]["visible"]
    click(client, SETUP, CHANGE)
    path = "Z:" + str(picture).replace("/", "\\")
    on_dialog(client, GARAGE, "type %s" % path, "key RETURN")
    replace_name(client, len("Museum"), "")
    assert controls(client)[SMALL_PREVIEW]["text"] == "Tour for 2"
    close_with_ok(client)
    tour = tour_settings(client)
    assert tour["Capacity"] == "2"
    assert tour["2Picture"] == path
    # No name: the default name stands in (and is not written as the user's).
    assert tour.get("Name", "%s's tour" % NICK) == "%s's tour" % NICK


def test_a_double_click_on_the_vehicle_saves_and_starts_the_tour(client, server):
    shown = open_setup(client)
    replace_name(client, len(shown[NAME_EDIT]["text"]), "Garden")
    left, top, right, bottom = controls(client)[SMALL_PREVIEW]["rect"]
    on_dialog(client, SETUP, "dblclick %d %d" % ((left + right) // 2, (top + bottom) // 2))
    created = server.wait_log({"dir": "in", "member": client.member, "msg": {"type": 15, "op": 10, "kind": 513}},
                              timeout=30)
    assert (created["msg"]["info"]["name"], created["msg"]["info"]["capacity"]) == ("Garden", 2)
    assert tour_settings(client)["Name"] == "Garden"
    with pytest.raises(ProbeError):
        client.probe("frame", window_class=DIALOG, window_title=SETUP, find_seconds=3)
