"""Fixtures of the auditorium event tests: the kit's community server with
the auditorium "Hall", bots in the roles of the event's administrator (a
service member of class 321) and of a host (class 273), and the client
under Wine in the audience, seen and driven by the window probe."""
import pytest

from app_window.conftest import window_client  # noqa: F401
from app_window.window_tools import NICK, START_SECONDS
from zrkit.bot import BotPool
from zrkit.fixtures import server_factory  # noqa: F401
from zrkit.wire import Position

HALL = "Hall"
AUDITORIUM_KIND = 2049
ADMIN_CLASS = 321
TRANSCRIPT_CLASS = 323
HOST_CLASS = 273


@pytest.fixture
def zr_server(server_factory):  # noqa: F811
    return server_factory(time_limit=900, scenario={
        "welcome": {"entry_count": 30},
        "places": [{"name": HALL, "kind": AUDITORIUM_KIND, "rows": 20, "seats": 10, "row_name": "Row"},
                   {"name": "Stage", "kind": AUDITORIUM_KIND, "rows": 20, "seats": 10, "row_name": "Row"}],
    })


@pytest.fixture
def bots(zr_server):
    pool = BotPool(zr_server.host, zr_server.port)
    yield pool
    pool.stop()


class Event:
    """The event's parties: the administrator and the host (bots), the
    transcript service when asked for, and the client, entered into the
    hall, with its member id."""

    def __init__(self, server, bots, client, transcript=False):
        self.server = server
        self.admin = bots.bot("AuditoriumAdmin", kind=ADMIN_CLASS)
        self.transcript = bots.bot("Transcript", kind=TRANSCRIPT_CLASS) if transcript else None
        self.host = bots.bot("host1", kind=HOST_CLASS)
        self.host.enter(HALL, Position.xy(5000, 2000))
        self.client = client
        client.settings["Community"]["HomeURL"] = HALL
        client.start()
        client.wait_frame()
        welcome = server.wait_log({"dir": "out", "msg": {"type": 12, "name": NICK}}, timeout=START_SECONDS)
        self.member = welcome["msg"]["member"]
        server.wait_log({"event": "entered", "place": HALL, "member": self.member}, timeout=START_SECONDS)

    def admin_says(self, code, text, blob=b""):
        """A service reply of the administrator to the client."""
        self.admin.request(self.member, code, text, blob)

    def requests_to_admin(self, mode):
        """The texts of the client's requests of that kind to the administrator."""
        return [e["msg"]["text"] for e in self.server.messages("in", type=28)
                if e["msg"]["mode"] == mode and e["msg"]["target"] == self.admin.member_id]


@pytest.fixture
def event(zr_server, bots, window_client):  # noqa: F811
    return Event(zr_server, bots, window_client)


@pytest.fixture
def event_with_transcript(zr_server, bots, window_client):  # noqa: F811
    return Event(zr_server, bots, window_client, transcript=True)
