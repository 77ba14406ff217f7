"""The auditorium's seat map: "Change Auditorium Seat" opens it on the
local user's section (the first when the user sits in no row), whose rows
it asks the place for; a click on a section of the overview shows that
one; the place's seat reports
show taken and free seats; a free seat is chosen with "Choose this Seat",
which moves the client into the row at that seat (op 6 with a seat
position) and stays disabled until the row's next report. A kit bot sits
in the hall's row 3; the client runs under Wine."""
from app_avatars.test_avatar_windows import colour_at
from app_events.conftest import HALL
from app_events.test_auditorium_events import wait_until
from app_messages.test_instant_messages import click, dialog_controls
from zrkit.wire import Position

SEAT_MAP_COMMAND = 32844
MAP = "Auditorium Map"
CHOOSE, LOCATE = 1004, 1005
# Where the right pane's seats begin in the dialog's client area, and the
# cells' size.
SEATS_LEFT, SEATS_TOP, LABEL_WIDTH, SEAT_WIDTH, ROW_HEIGHT = 190, 36, 58, 19, 29
# The overview: a square a section, twelve to a line.
SECTIONS_LEFT, SECTIONS_TOP, SECTION_CELL = 10, 36, 14
TAKEN, OWN, FREE = "200,160,90", "60,90,220", "255,255,255"


def seat_point(controls, row, seat):
    """A screen point in a seat's cell of section 1, clear of the face that
    a taken seat shows; the dialog's client origin is found from the choose
    button's place in it."""
    origin = client_origin(controls)
    x = origin[0] + SEATS_LEFT + LABEL_WIDTH + (seat - 1) * SEAT_WIDTH + 2
    y = origin[1] + SEATS_TOP + (row - 1) * ROW_HEIGHT + 3
    return x, y


def client_origin(controls):
    """The dialog's client origin, from the choose button's place in it."""
    left, top = controls[CHOOSE]["rect"][:2]
    return left - 200, top - 283


def section_point(controls, section):
    x, y = client_origin(controls)
    index = section - 1
    return (x + SECTIONS_LEFT + (index % 12) * SECTION_CELL + SECTION_CELL // 2,
            y + SECTIONS_TOP + (index // 12) * SECTION_CELL + SECTION_CELL // 2)


def label_point(controls, row_in_section):
    x, y = client_origin(controls)
    return x + SEATS_LEFT + 5, y + SEATS_TOP + (row_in_section - 1) * ROW_HEIGHT + ROW_HEIGHT // 2


def click_at(client, point):
    client.ask("click %d %d" % point, window_class="#32770", window_title=MAP)


def row_queries(server, member):
    return [e["msg"]["e"] for e in server.messages("in", type=21) if e["msg"]["a"] == member]


def test_choosing_a_free_seat_moves_into_the_row_at_that_seat(event, bots):
    server, client = event.server, event.client
    carol = bots.bot("carol")
    carol.enter(HALL, Position.xy(5000, 5000))
    hall = carol.place_id
    carol.move(hall + 3, Position.seat(2))
    server.wait_log({"dir": "in", "msg": {"type": 15, "op": 6, "dest": hall + 3}})

    client.ask("command %d" % SEAT_MAP_COMMAND)
    controls = dialog_controls(client, MAP)
    assert controls[CHOOSE]["text"] == "Choose this Seat" and not controls[CHOOSE]["enabled"]
    assert controls[LOCATE]["text"] == "Locate"
    # The first section's eight rows are asked for.
    wait_until(lambda: set(row_queries(server, event.member)) >= {hall + row for row in range(1, 9)},
               "the row queries")
    assert hall + 9 not in row_queries(server, event.member)
    taken, free = seat_point(controls, 3, 2), seat_point(controls, 3, 4)
    wait_until(lambda: colour_at(taken) == TAKEN, "carol's seat shown taken")
    assert colour_at(free) == FREE

    # A taken seat cannot be chosen; a free one can.
    click_at(client, taken)
    assert not dialog_controls(client, MAP)[CHOOSE]["enabled"]
    click_at(client, free)
    controls = dialog_controls(client, MAP)
    assert controls[CHOOSE]["enabled"] and controls[CHOOSE]["text"] == "Choose this &Seat"
    click(client, MAP, CHOOSE)
    move = server.wait_log({"dir": "in", "msg": {"type": 15, "op": 6, "about": event.member}})["msg"]
    assert move["dest"] == hall + 3
    assert (move["position"]["kind"], move["position"]["a"]) == (1, 4)
    # The row's next report shows the client in its new seat; another free
    # seat may then be chosen again.
    wait_until(lambda: colour_at(free) == OWN, "the client's own seat")
    assert not dialog_controls(client, MAP)[CHOOSE]["enabled"]
    click_at(client, seat_point(controls, 5, 1))
    assert dialog_controls(client, MAP)[CHOOSE]["enabled"]


def test_a_row_of_another_section_is_chosen_whole_and_the_map_opens_there(event):
    server, client = event.server, event.client
    client.ask("command %d" % SEAT_MAP_COMMAND)
    controls = dialog_controls(client, MAP)
    wait_until(lambda: len(row_queries(server, event.member)) == 8, "the first section's queries")
    # Section 4 is not in use: nothing is asked; section 3 holds rows 17-20.
    click_at(client, section_point(controls, 4))
    click_at(client, section_point(controls, 3))
    wait_until(lambda: len(row_queries(server, event.member)) == 12, "the third section's queries")
    queries = row_queries(server, event.member)
    first = queries[0] - 1
    assert queries[8:] == [first + row for row in range(17, 21)]

    click_at(client, label_point(controls, 2))
    controls = dialog_controls(client, MAP)
    assert controls[CHOOSE]["enabled"] and controls[CHOOSE]["text"] == "Choose this &Row"
    click(client, MAP, CHOOSE)
    move = server.wait_log({"dir": "in", "msg": {"type": 15, "op": 6, "about": event.member}})["msg"]
    assert move["dest"] == first + 18 and move["position"]["kind"] == 0
    wait_until(lambda: len(row_queries(server, event.member)) == 13, "the chosen row's query")

    client.ask("command %d" % SEAT_MAP_COMMAND)
    wait_until(lambda: len(row_queries(server, event.member)) == 17, "the reopened map's queries")
    assert row_queries(server, event.member)[13:] == [first + row for row in range(17, 21)]
