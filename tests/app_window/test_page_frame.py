"""The page area of the main window: the location bar and the embedded
browser's view on Wine's own control. An address typed in the bar is loaded
and the client enters that page's place on the server; the history's Back and
Forward commands go to the pages again; a place link typed there is taken by
the client and never loaded."""
from app_window.test_main_window import (LAYOUT_COMMANDS, AVATARS_ONLY, CLASSIC, menu_items,
                                         walk)
from app_window.window_tools import START_SECONDS

ADDRESS_FIELD = 758
GO_TO = 759
GO_BACK = 32629
GO_FORWARD = 32630
# Nothing listens on these ports: the control ends loading at once.
PAGE_A = "http://127.0.0.1:9/hall-a.htm"
PAGE_B = "http://127.0.0.1:9/hall-b.htm"


def node_with_id(client, control_id):
    (node,) = [node for node in walk(client.ask("tree")["window"]) if node["id"] == control_id]
    return node


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def type_address(client, address):
    """Clicks into the address field, replaces its text with real keys and
    presses Go To."""
    field = node_with_id(client, ADDRESS_FIELD)
    x, y = centre(field["rect"])
    button = centre(node_with_id(client, GO_TO)["rect"])
    answers = client.probe("click %d %d" % (field["rect"][0] + 20, y), "key HOME", "key END shift",
                           "key DELETE",
                           "type \"%s\"" % address, "click %d %d" % button)
    assert all("error" not in answer for answer in answers), answers


def entries(server, member):
    return [entry["place"] for entry in server.log()
            if entry.get("event") == "entered" and entry.get("member") == member]


def entered_after(server, member, place, after):
    """The member's entry into place logged at index `after` or later."""
    return server.wait_log({"event": "entered", "place": place, "member": member},
                           timeout=START_SECONDS, after=after)


def back_forward_enabled(client):
    go = menu_items(client.ask("menu"))["&Go"]
    return go[GO_BACK]["enabled"], go[GO_FORWARD]["enabled"]


def test_typed_addresses_are_entered_and_the_history_goes_back_and_forth(running_client, zr_server):
    member = running_client.member
    assert back_forward_enabled(running_client) == (False, False)

    type_address(running_client, PAGE_A)
    zr_server.wait_log({"event": "entered", "place": PAGE_A, "member": member}, timeout=START_SECONDS)
    type_address(running_client, PAGE_B)
    zr_server.wait_log({"event": "entered", "place": PAGE_B, "member": member}, timeout=START_SECONDS)
    assert back_forward_enabled(running_client) == (True, False)
    assert PAGE_B in running_client.ask("frame")["text"]

    before = len(zr_server.log())
    running_client.ask("command %d" % GO_BACK)
    entered_after(zr_server, member, PAGE_A, before)
    assert back_forward_enabled(running_client) == (False, True)
    assert node_with_id(running_client, ADDRESS_FIELD)["text"] == PAGE_A

    before = len(zr_server.log())
    running_client.ask("command %d" % GO_FORWARD)
    entered_after(zr_server, member, PAGE_B, before)
    assert back_forward_enabled(running_client) == (True, False)


def test_a_place_link_typed_in_the_bar_is_taken_not_loaded(running_client, zr_server):
    member = running_client.member
    type_address(running_client, "ZR://Layout=Avatars")
    view = {}
    for _ in range(100):
        view = menu_items(running_client.ask("menu"))["&View"]
        if view[LAYOUT_COMMANDS[AVATARS_ONLY]]["checked"]:
            break
        running_client.probe("wait 100")
    assert view[LAYOUT_COMMANDS[AVATARS_ONLY]]["checked"]
    assert not view[LAYOUT_COMMANDS[CLASSIC]]["checked"]
    running_client.probe("wait 2000")
    assert [place for place in entries(zr_server, member) if place.upper().startswith("ZR")] == []
    assert back_forward_enabled(running_client) == (False, False)
