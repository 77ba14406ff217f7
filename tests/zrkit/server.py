"""Community server for tests.

    PYTHONPATH=tests /usr/bin/python3 -m zrkit.server --port 0 [options]

prints "LISTENING 127.0.0.1 <port>" (and "CONTROL ..." / "TUNNEL ..." lines
for the control socket and the POST tunnel endpoint), writes a JSON-lines log
of every message both ways, and stops by itself after --time-limit seconds.

Each connection gets the 4-byte first frame, then the hello exchange, login
(type 11), welcome (type 12) and the welcome answer (type 13); after that the
member enters places (op 0, answered by the op-3 snapshot) and the server
relays what members do to the others, each in terms of what that member's
client has been told.
"""
import argparse
import asyncio
import ipaddress
import json
import sys
import time

from . import messages as M
from . import wire
from .framing import END, FrameReader, FrameWriter, FramingError
from .links import TcpLink
from .session import Window, WindowError
from .wire import Position, WireError
from .world import GROUP_CAPACITY, Group, Person, Place, World

PROTOCOL_MAJOR = 3
WHISPER_NOT_DELIVERED = 1      # type-6 code: no such member
MOVE_REFUSED = 302             # op-9 code: the destination cannot take the object
GROUP_REFUSED = 301            # op-11 code: the group request cannot be carried out
ROOM_FULL = 307                # entry code: the room is full, the member stays outside it
# Member classes of the community's services (the event's administrator, the
# transcript, the avatar service): every client learns of their members by
# a member reference (type 26) and addresses requests to them (type 28).
SERVICE_CLASSES = (321, 323, 325)
CLOSED = object()               # what the read side reports when the peer closed
CONTROL_LINE_LIMIT = 32 << 20   # longest control line: room for frames of several MiB in hex


class ServerSession:
    """The protocol state of one client: window, member, place key. It
    outlives its connection while the window allows a resumption."""

    def __init__(self, server, sid, window_id):
        self.server = server
        self.sid = sid
        self.window = Window(window_id)
        self.conn = None
        self.member: Person = None
        self.key = 0
        self.logged_in = False
        self.welcomed = False
        self.ended = False
        self.resume_timer = None
        self.said = 0                # numbered texts sent by the control's `say`

    # -------------------------------------------------------------- sending

    def send(self, msg):
        payload = M.encode(M.TO_CLIENT, msg)
        self.send_payload(payload, msg)

    def send_payload(self, payload, msg=None):
        self.send_payloads([payload], msg)

    def send_payloads(self, payloads, msg=None):
        """Several payloads, framed and written together."""
        for payload in payloads:
            msg_type = M.parse_header(payload)[0]
            self.window.on_sent(msg_type, payload)
            self.server.log_message(self, "out", payload, msg)
        if self.conn is not None:
            self.conn.send_payloads(payloads)

    # -------------------------------------------------------------- receiving

    def on_payload(self, payload):
        try:
            msg = M.decode(M.TO_SERVER, payload)
        except WireError as err:
            self.server.log_event(self, "malformed", error=str(err), hex=payload.hex())
            return
        self.server.log_message(self, "in", payload, msg)
        counted = self.window.on_received(msg["type"])
        handler = getattr(self, "on_type%d" % msg["type"], None)
        if handler is None:
            self.server.log_event(self, "unhandled", type=msg["type"])
        else:
            try:
                handler(msg)
            except (WireError, KeyError, ValueError) as err:
                self.server.log_event(self, "refused", type=msg["type"], error=str(err))
        every = self.server.args.ack_every
        if counted and every and self.window.received % every == 0:
            self.send(dict(type=33, count=self.window.received))

    def on_type0(self, msg):
        self.server.log_event(self, "unexpected_hello")

    def on_type3(self, msg):
        self.server.log_event(self, "client_closed", code=msg["code"],
                              module=msg.get("module"), error=msg.get("error"))

    def on_type33(self, msg):
        try:
            self.window.acknowledge(msg["count"])
        except WindowError as err:
            self.server.log_event(self, "bad_ack", error=str(err))

    def on_type11(self, msg):
        if self.logged_in:
            raise ValueError("second login")
        self.logged_in = True
        self.key = msg["key"]
        name = msg["namekey"].text
        kind = msg["kind"] & ~wire.KIND_OWN
        person = Person(self.server.world.new_id(), kind, name, msg["namekey"].tag)
        person.session = self
        self.member = person
        self.server.members[person.id] = person
        lobby = self.server.world.place("")
        welcome = self.server.scenario.get("welcome", {})
        self.send(dict(type=12, key=self.key, member=person.id, name=name, kind=kind,
                       place_id=lobby.id, g1025=lobby.g1025.id, g1024=lobby.g1024.id,
                       entry_count=welcome.get("entry_count", 1),
                       member_flags=welcome.get("member_flags", 0),
                       full_name=welcome.get("full_name", name)))
        self.server.tell_services(person)

    def on_type13(self, msg):
        form = msg["person"]
        p = self.member
        if p is None or form.id != p.id:
            raise ValueError("welcome answer for %d" % form.id)
        p.info = form.info
        p.tag = form.name_tag
        p.member_flags = form.member_flags
        for it in form.info.items:
            p.items[it.code] = it
        self.welcomed = True

    def on_type14(self, msg):
        self.server.leave_place(self.member, "")

    def on_type5(self, msg):
        sender = self.member
        target = self.server.members.get(msg["target"])
        if target is None or target.session.ended:
            self.send(dict(type=6, recipient=sender.id, target=msg["target"],
                           code=WHISPER_NOT_DELIVERED))
            return
        record = wire.TextMessage(sender.id, sender.kind & ~wire.KIND_OWN, sender.name, 0,
                                  sender.info.value_le)
        target.session.send(dict(type=5, recipient=target.id, text=msg["text"],
                                 blob=msg["blob"], record=record, text2=""))

    def on_type28(self, msg):
        """A request to one member (a service): relayed to it as type 28
        with the sender's record, so a service's answer travels the same way
        back. Logged as it came in; a target that is gone is logged too."""
        sender = self.member
        target = self.server.members.get(msg["target"])
        if target is None or target.session is None or target.session.ended:
            self.server.log_event(self, "request_undelivered", target=msg["target"])
            return
        record = wire.TextMessage(sender.id, sender.kind & ~wire.KIND_OWN, sender.name, 0,
                                  sender.info.value_le)
        target.session.send(dict(type=28, recipient=target.id, id=msg["value"], mode=msg["mode"],
                                 text=msg["text"], blob=msg["blob"], record=record))

    def on_type7(self, msg):
        for s in self.server.live_sessions():
            s.send(dict(type=7, recipient=0, record=msg["record"]))

    def on_type10(self, msg):
        """A numbered look-up: the members whose name holds the text (or is
        it, with the exact-match flag f1), ignoring case unless c is 1."""
        exact, case = bool(msg["f1"]), msg["c"] == 1
        text = msg["text"] if case else msg["text"].lower()

        def matches(name):
            name = name if case else name.lower()
            return name == text if exact else text in name
        found = [p for p in self.server.members.values()
                 if matches(p.name) and not p.session.ended]
        self.send(dict(type=10, recipient=self.member.id, id=msg["b"], text=msg["text"],
                       persons=[self.server.describe(p) for p in found]))

    def on_type19(self, msg):
        p = self.server.members.get(msg["person"])
        data = p.info.member if p else None
        present = bool(data and data.has_data)
        self.send(dict(type=19, recipient=self.member.id, person=msg["person"],
                       present=present, blob=data.data if present else None))

    def on_type21(self, msg):
        """The members request (a: sender, b: value, c: place or 0, e: the
        object). About a place: its corridor with the observers it holds
        back; about a member: that member. The answer echoes the value and
        the place. About a seat row: the row with its seated members."""
        node = self.server.world.find(msg["e"])
        if isinstance(node, Place):
            desc = self.server.nested(node.g1025, extra=node.observers)
        elif isinstance(node, Group):
            desc = self.server.nested(node)
        else:
            p = self.server.members.get(msg["e"]) or self.server.members.get(msg["b"])
            if p is None:
                raise ValueError("type 21 about unknown object %d" % msg["e"])
            desc = self.server.nested(p)
        self.send(dict(type=21, recipient=self.member.id, a=msg["b"], b=msg["c"], c=msg["d"],
                       d=msg["f"], desc=desc))

    def on_type25(self, msg):
        """The places query: b is the first index and c the count of a page
        of all places (flag 1), or the community's places (flag 0, the
        whole list). The answer gives the first index, the count sent, the
        flag, the total of places and the total of people."""
        world = self.server.world
        named = [pl for name, pl in sorted(world.places.items()) if name]
        first, count = msg["b"], msg["c"]
        page = named[first:first + count] if msg["flag"] else named
        places = [wire.PlaceDesc(pl.kind, pl.name, pl.title, len(pl.persons()), pl.id, 0,
                                 GROUP_CAPACITY) for pl in page]
        people = sum(len(pl.persons()) for pl in named)
        self.send(dict(type=25, recipient=self.member.id, a=first if msg["flag"] else 0,
                       b=len(places), flag=msg["flag"], v1=len(named), v2=people, v3=0,
                       places=places))

    def on_type15(self, msg):
        if msg["key"] != self.key:
            self.server.log_event(self, "stale_key", key=msg["key"], current=self.key)
            return
        handler = getattr(self.server, "op%d" % msg["op"], None)
        if handler is None:
            self.server.log_event(self, "op_not_relayed", op=msg["op"])
            return
        handler(self.member, msg)


class Connection:
    """One transport carrying a session: frames both ways, keep-alive bytes,
    and the control socket's delay and pause."""

    def __init__(self, server, link, cid, seq):
        self.server = server
        self.link = link
        self.cid = cid
        self.frames_out = FrameWriter(seq)
        self.frames_in = FrameReader()
        self.outbox = asyncio.Queue()
        self.session: ServerSession = None
        self.delay = 0.0
        self.pace = 0.0
        self.paused_until = 0.0
        self.closed = False
        self.closing = False
        self.writer_task = None
        # Whether an end frame from the client leaves the connection open
        # until the client closes it.
        self.hold = False
        self.flooding = False

    def send_payload(self, payload):
        self.outbox.put_nowait(("frame", payload))

    def send_payloads(self, payloads):
        self.outbox.put_nowait(("frames", payloads))

    async def flood(self, seconds, size):
        """Writes messages of type 99 that the client may ignore (flag bit 0),
        one after the other, for `seconds` or until the writer stops; not
        counted and not logged one by one."""
        payload = M.header(99, 1) + bytes(size)
        deadline = time.monotonic() + seconds
        self.flooding = True
        sent = 0
        while self.flooding and not self.closed and time.monotonic() < deadline:
            if self.outbox.qsize() < 16:
                self.outbox.put_nowait(("frame", payload))
                sent += 1
            await asyncio.sleep(0)
        self.server.log_event(self.session, "flooded", conn=self.cid, count=sent)

    def send_raw(self, data):
        self.outbox.put_nowait(("raw", data))

    async def write_loop(self):
        keepalive = self.server.args.keepalive
        while True:
            try:
                kind, data = await asyncio.wait_for(self.outbox.get(), keepalive or None)
            except asyncio.TimeoutError:
                self.link.write(b"\x80")
                await self.link.drain()
                continue
            if kind == "stop":
                return
            if self.delay:
                await asyncio.sleep(self.delay)
            if kind == "frame":
                data = self.frames_out.frame(data)
            elif kind == "frames":
                data = b"".join(self.frames_out.frame(payload) for payload in data)
            elif kind == "end":
                data = self.frames_out.end()
            await self.write_paced(data)

    async def write_paced(self, data):
        """Writes the bytes, one at a time with a pause between them while
        the control socket's `pace` is set."""
        if not self.pace:
            self.link.write(data)
            await self.link.drain()
            return
        for i in range(len(data)):
            self.link.write(data[i:i + 1])
            await self.link.drain()
            await asyncio.sleep(self.pace)

    async def flush(self):
        """Writes what is queued, then stops the writer."""
        self.flooding = False
        self.outbox.put_nowait(("stop", None))
        try:
            await asyncio.wait_for(asyncio.shield(self.writer_task), 5)
        except asyncio.TimeoutError:
            pass

    async def finish(self, grace=2.0):
        """Ends the connection from the server's side after what is queued:
        half-close, then the read loop drains the client's input until it
        closes too (or the grace time ends), so that no reset is sent."""
        await self.flush()
        self.link.shutdown_write()
        self.closing = True
        asyncio.get_running_loop().call_later(grace, self.link.abort_quietly)

    async def wait_until_gone(self):
        """After the client's end of sending: a keep-alive byte every 0.1 s
        until a write fails, which happens only once the client has closed
        its socket; logs `client_gone` then."""
        while not self.link.writer.is_closing():
            self.link.write(b"\x80")
            await self.link.drain()
            await asyncio.sleep(0.1)
        self.server.log_event(self.session, "client_gone", conn=self.cid)

    async def next_payload(self, timeout=None):
        while True:
            now = time.monotonic()
            if self.paused_until > now:
                await asyncio.sleep(self.paused_until - now)
                continue
            frame = self.frames_in.next_frame()
            if frame is not False:
                return frame
            data = await asyncio.wait_for(self.link.read(), timeout)
            if not data:
                return CLOSED
            self.frames_in.feed(data)

    async def run(self):
        srv = self.server
        self.writer_task = asyncio.ensure_future(self.write_loop())
        srv.log_event(None, "connected", conn=self.cid, peer=list(self.link.peer))
        try:
            first = srv.args.first_frame
            self.send_payload(bytes.fromhex(first) if first is not None
                              else srv.peer_role(self.link.peer))
            srv.log_event(None, "first_frame", conn=self.cid)
            hello = await self.next_payload(srv.args.hello_timeout)
            if hello is END or hello is CLOSED:
                return
            if not await self.start_session(hello):
                return
            while True:
                payload = await self.next_payload()
                if self.session.conn is not self:
                    srv.log_event(self.session, "superseded", conn=self.cid)
                    return
                if payload is END:
                    srv.log_event(self.session, "end_frame", conn=self.cid)
                    self.session.ended = True
                    srv.end_session(self.session, "end frame")
                    if self.hold:
                        self.closing = True
                        continue
                    await self.flush()
                    await self.link.close_gracefully()
                    return
                if payload is CLOSED and self.hold and self.closing:
                    await self.wait_until_gone()
                    return
                if payload is CLOSED:
                    srv.log_event(self.session, "dropped", conn=self.cid)
                    srv.session_broken(self.session)
                    return
                if not self.closing:
                    self.session.on_payload(payload)
        except FramingError as err:
            srv.log_event(self.session, "framing_error", conn=self.cid, error=str(err))
            if self.session:
                srv.session_broken(self.session)
        except asyncio.TimeoutError:
            srv.log_event(self.session, "hello_timeout", conn=self.cid)
        finally:
            self.closed = True
            if self.session is not None and self.session.conn is self:
                self.session.conn = None
            if not self.writer_task.done():
                self.writer_task.cancel()
            self.link.abort_quietly()
            srv.connections.pop(self.cid, None)
            srv.log_event(None, "closed", conn=self.cid, seq_from_client=self.frames_in.seen_seq,
                          keepalives=self.frames_in.keepalives, reset=self.link.reset)

    async def start_session(self, payload):
        srv = self.server
        try:
            hello = M.decode(M.TO_SERVER, payload)
        except WireError as err:
            srv.log_event(None, "malformed_hello", conn=self.cid, error=str(err),
                          hex=payload.hex())
            return False
        if hello["type"] != 0:
            srv.log_event(None, "not_hello", conn=self.cid, type=hello["type"])
            return False
        hello_cfg = srv.scenario.get("hello", {})
        major = hello_cfg.get("major", PROTOCOL_MAJOR)
        minor = hello_cfg.get("minor", 1)
        if hello["mode"] == 5:
            session = srv.sessions_by_window.get(hello["window"])
            if session is None or session.ended:
                srv.log_message(None, "in", payload, hello)
                srv.log_event(None, "resume_refused", conn=self.cid, window=hello["window"])
                self.send_payload(M.encode(M.TO_CLIENT, dict(type=3, code=222, module=1,
                                                             error=12, offending=payload,
                                                             offset=len(payload))))
                await self.flush()
                await self.link.close_gracefully()
                return False
            try:
                session.window.acknowledge(hello["received"])
            except WindowError as err:
                srv.log_event(session, "resume_bad_count", error=str(err))
                return False
            if session.resume_timer:
                session.resume_timer.cancel()
            old = session.conn
            if old is not None:
                # The client has given up the old connection, though no end
                # of it has reached this side: it is dropped, and what went
                # out on it unconfirmed goes out again below.
                srv.log_event(session, "taken_over", conn=old.cid, by=self.cid)
                old.link.abort()
            self.session = session
            session.conn = self
            srv.log_message(session, "in", payload, hello)
            session.send(dict(type=0, resume=True, major=major, minor=minor,
                              count=session.window.received))
            for copy in session.window.pending():
                srv.log_message(session, "out", copy, None, resent=True)
                self.send_payload(copy)
            srv.log_event(session, "resumed", conn=self.cid, resent=len(session.window.pending()))
            return True
        session = srv.new_session()
        self.session = session
        session.conn = self
        srv.log_message(session, "in", payload, hello)
        refs = [wire.ObjectRef(**r) for r in srv.scenario.get("references", [])]
        items = [wire.Item(**i) for i in srv.scenario.get("items", [])]
        session.send(dict(type=0, major=major, minor=minor, refs=refs, items=items,
                          window=session.window.window_id))
        return True


class CommunityServer:
    def __init__(self, args, scenario):
        self.args = args
        self.scenario = scenario
        self.world = World()
        self.members = {}
        self.sessions = {}
        self.sessions_by_window = {}
        self.connections = {}
        self.next_sid = 1
        self.next_cid = 1
        self.log_file = open(args.log, "a", buffering=1) if args.log else None
        self.log_entries = []
        self.log_changed = asyncio.Event()
        self.stopping = asyncio.Event()
        # Names of the places whose room takes nobody in: an entry there
        # leaves the member outside the room, told so by the room-full code.
        self.full_places = set()
        self._load_places()

    # -------------------------------------------------------------- set-up

    def _load_places(self):
        for entry in self.scenario.get("places", []):
            place = self.world.place(entry["name"], entry.get("kind", wire.KIND_PLACE), entry.get("rows", 0),
                                     entry.get("seats", 0), entry.get("row_name", ""))
            place.title = entry.get("title", "")
            for p in entry.get("persons", []):
                person = Person(self.world.new_id(), p.get("kind", wire.KIND_PERSON), p["name"])
                x, y = p.get("position", (5000, 5000))
                place.g1024.add(person, Position.xy(x, y))
            for name in entry.get("observers", []):
                place.observers.append(Person(self.world.new_id(), wire.KIND_PERSON, name))

    def tell_services(self, person):
        """A service member that logged in is made known to every client by
        a member reference; a client that logged in learns of the services
        already there."""
        def reference(p):
            return dict(type=26, ref=wire.ObjectRef(p.id, p.kind, p.id, 0))

        def is_service(p):
            return (p.kind & ~wire.KIND_OWN) in SERVICE_CLASSES

        live = [p for p in self.members.values() if p.session and not p.session.ended]
        if is_service(person):
            for p in live:
                if p is not person:
                    p.session.send(reference(person))
        for p in live:
            if p is not person and is_service(p):
                person.session.send(reference(p))

    def peer_role(self, peer):
        """The first frame: the client's IPv4 address as the server sees it."""
        try:
            return ipaddress.IPv4Address(peer[0]).packed
        except ValueError:
            return b"\x7f\x00\x00\x01"

    def new_session(self):
        sid = self.next_sid
        self.next_sid += 1
        window_id = self.args.window_id + sid - 1 if self.args.window_id else 0
        session = ServerSession(self, sid, window_id)
        self.sessions[sid] = session
        if window_id:
            self.sessions_by_window[window_id] = session
        return session

    def live_sessions(self):
        return [s for s in self.sessions.values() if not s.ended and s.welcomed]

    # -------------------------------------------------------------- log

    def _write_log(self, entry):
        entry["t"] = round(time.time(), 3)
        self.log_entries.append(entry)
        if self.log_file:
            self.log_file.write(json.dumps(entry) + "\n")
        self.log_changed.set()

    def log_event(self, session, event, **fields):
        self._write_log(dict(event=event, session=session.sid if session else None, **fields))

    def log_message(self, session, direction, payload, msg, **extra):
        """Logs a message as decoded from its bytes; what the server sends is
        decoded again too, so that the log shows what went on the wire."""
        if msg is None or direction == "out":
            resume = bool(msg and msg.get("resume"))
            try:
                msg = M.decode(M.TO_CLIENT if direction == "out" else M.TO_SERVER, payload,
                               resume=resume)
            except WireError as err:
                msg = {"raw": payload, "error": str(err)}
        entry = dict(dir=direction, session=session.sid if session else None,
                     msg=M.to_json(msg), **extra)
        if session and session.member:
            entry["member"] = session.member.id
        self._write_log(entry)

    # -------------------------------------------------------------- world relay

    def members_in(self, place):
        return [p for p in place.persons() if p.session is not None
                and not p.session.ended]

    def knowing(self, node, exclude=None):
        place = node.place()
        if place is None:
            return []
        return [m for m in self.members_in(place) if node.id in m.known and m is not exclude]

    def tell_appeared(self, node, exclude):
        """Op 4 about the node's container to every member of the place that
        knows the container but not the node."""
        container = node.parent
        for m in self.members_in(node.place()):
            if m is exclude or node.id in m.known or container.id not in m.known:
                continue
            m.session.send(M.place_op(m.session.key, container.id, 4, child=node.child()))
            m.known.update(n.id for n in _subtree(node))

    def op0(self, person, msg):
        """Enter a place by name: the snapshot goes to the entering member,
        the others hear op 4 when it stands in group 1024."""
        self.leave_place(person, "")
        session = person.session
        session.key = msg["new_key"]
        place = self.world.place(msg["name"])
        full = place.name in self.full_places
        placed = bool(msg["has_pos"]) and msg["position"].kind != 1 and not full
        if placed:
            place.g1024.add(person, msg["position"])
        else:
            place.g1025.add(person)
        snapshot = dict(place_id=place.id, kind=place.kind, name=place.name,
                        selector=msg["selector"], g1025=place.g1025.id,
                        g1024=place.g1024.form(exclude=person),
                        code=ROOM_FULL if full and msg["has_pos"] else 0, last="",
                        v1=place.rows, v2=place.seats, location=place.row_name)
        person.known = {n.id for n in place.g1024.subtree()} | {place.id, place.g1025.id,
                                                                person.id}
        session.send(M.place_op(session.key, person.id, 3, snapshot=snapshot))
        self.log_event(session, "entered", place=place.name, member=person.id, placed=placed,
                       full=full)
        if placed:
            self.tell_appeared(person, exclude=person)

    def leave_place(self, person, text):
        if person is None or person.parent is None:
            return
        place = person.place()
        old_parent = person.parent
        was_host = old_parent.host is person
        for m in self.knowing(person, exclude=person):
            self.op_to(m, person.id, 5, text=text)
            m.known.discard(person.id)
        old_parent.remove(person)
        person.known = set()
        self.after_leaving(old_parent, was_host)
        if place is not None:
            self.log_event(person.session, "left", place=place.name, member=person.id)

    def after_leaving(self, group, host_left):
        for moved in self.world.dissolve(group, host_left):
            if moved.parent.kind == wire.GROUP_1025:
                for m in self.members_in(moved.parent.place()):
                    if m is not moved:
                        m.known.difference_update(n.id for n in _subtree(moved))

    def op_to(self, member, about, op, **fields):
        """A place operation to a member's client, with its current key."""
        member.session.send(M.place_op(member.session.key, about, op, **fields))

    def op17(self, person, msg):
        """Talk: to every member for which the addressed object is itself or
        one of its ancestors and which knows the speaker."""
        place = person.place()
        if place is None:
            raise ValueError("op 17 outside a place")
        obj = msg["object"]
        for m in self.members_in(place):
            if person.id not in m.known or obj not in {n.id for n in m.ancestors()}:
                continue
            self.op_to(m, person.id, 17, object=obj, value=msg["value"], text=msg["text"],
                       blob=msg["blob"])

    def op15(self, person, msg):
        place = person.place()
        for m in self.members_in(place) if place else []:
            if person.id in m.known and msg["target"] in {n.id for n in m.ancestors()}:
                self.op_to(m, person.id, 15, object=msg["target"])

    def op16(self, person, msg):
        for m in self.knowing(person):
            self.op_to(m, person.id, 16)

    def op18(self, person, msg):
        target = self.members.get(msg["object"])
        if target is not None and target.session and person.id in target.known:
            self.op_to(target, person.id, 18, object=target.id)

    def op6(self, person, msg):
        """Move an object (the member or a group it hosts) to a container."""
        place = person.place()
        node = place.find(msg["about"]) if place else None
        dest = place.find(msg["dest"]) if place else None
        if node is None or not isinstance(dest, Group) or dest is place \
                or not dest.can_accept(node) or node in dest.ancestors():
            self.op_to(person, msg["about"], 9, code=MOVE_REFUSED, object=msg["dest"], value=1)
            return
        old_parent = node.parent
        was_host = old_parent.host is node
        old_parent.remove(node)
        dest.add(node, msg["position"], host=was_host and dest is old_parent)
        for m in self.members_in(place):
            if node.id in m.known:
                self.op_to(m, node.id, 6, dest=dest.id, position=msg["position"],
                           value=msg["value"], with_child=0)
                if dest.kind == wire.GROUP_1025 and m is not node:
                    m.known.difference_update(n.id for n in _subtree(node))
        if dest.kind != wire.GROUP_1025:
            self.tell_appeared(node, exclude=None)
        if dest is not old_parent:
            self.after_leaving(old_parent, was_host)

    def op25(self, person, msg):
        self.op6(person, dict(msg, dest=person.parent.id if person.parent else 0, value=0))

    def op26(self, person, msg):
        place = person.place()
        if place is None or person.parent is not place.g1024:
            self.op_to(person, person.id, 9, code=MOVE_REFUSED, object=place.g1025.id
                       if place else 0, value=1)
            return
        for m in self.knowing(person, exclude=person):
            self.op_to(m, person.id, 6, dest=place.g1025.id, position=Position(), value=0,
                       with_child=0)
            m.known.discard(person.id)
        place.g1024.remove(person)
        place.g1025.add(person)
        self.op_to(person, person.id, 26)

    def op10(self, person, msg):
        """A new group for the member: at a position (flag 0, the member its
        host in seat 1) or paired with a partner (flag 1, the partner host)."""
        place = person.place()
        parent = person.parent
        kind = msg["kind"]
        refused = (place is None or not kind & wire.KIND_GROUP
                   or (parent is not None and parent.host is person))
        partner = None
        if not refused and msg["pair"]:
            partner = place.find(msg["partner"])
            refused = (not isinstance(partner, Person) or partner.parent is not parent
                       or parent.host is partner or msg["info"].capacity < 2)
        elif not refused:
            refused = msg["position"].kind == 1
        if refused:
            self.op_to(person, person.id, 11, code=GROUP_REFUSED, kind=kind if
                       wire.kind_valid(kind) else wire.KIND_GROUP, value=msg["value"])
            return
        info = msg["info"]
        info.member = wire.MemberRecord(info.member.serial, info.member.has_data,
                                        info.member.data)
        group = Group(self.world.new_id(), kind, info)
        audience = self.knowing(person)
        if partner is None:
            position = msg["position"]
            parent.remove(person)
            parent.add(group, position)
            group.add(person, Position.seat(1), host=True)
            fields = dict(pair=0, position=position)
        else:
            fields = dict(pair=1, partner=partner.id)
            position = partner.position
            parent.remove(partner)
            parent.remove(person)
            parent.add(group, position)
            group.add(partner, partner.position, host=True)
            group.add(person, person.position)
        short = wire.GroupInfo(info.name, wire.MemberRecord(info.member.serial,
                                                            info.member.has_data),
                               info.items, info.capacity, info.flags)
        for m in audience:
            self.op_to(m, person.id, 10, info=short, kind=kind, group=group.id,
                       value=msg["value"], **fields)
            m.known.add(group.id)
        self.log_event(person.session, "group_created", group=group.id, kind=kind)

    def op19(self, person, msg):
        node = self._own_object(person, msg)
        node.items[msg["item"].code] = msg["item"]
        for m in self.knowing(node):
            self.op_to(m, node.id, 19, item=msg["item"])

    def op20(self, person, msg):
        node = self._own_object(person, msg)
        if node.items.pop(msg["code"], None) is None:
            raise ValueError("no item %d on %d" % (msg["code"], node.id))
        for m in self.knowing(node):
            self.op_to(m, node.id, 20, code=msg["code"])

    def op21(self, person, msg):
        place = person.place()
        node = place.find(msg["about"]) if place else None
        if not isinstance(node, (Person, Group)):
            raise ValueError("op 21 about unknown object %d" % msg["about"])
        record = node.info.member
        self.op_to(person, node.id, 21, value=msg["mode"],
                   blob=record.data if record.has_data else None)

    def op22(self, person, msg):
        person.info.member = wire.MemberRecord(msg["serial"], bool(msg["has_data"]),
                                               msg.get("data") or b"")
        for m in self.knowing(person, exclude=person):
            self.op_to(m, person.id, 22, serial=msg["serial"], has_data=msg["has_data"])

    def op23(self, person, msg):
        person.info.full_name = msg["full_name"]
        person.info.location = msg["location"]
        person.info.email = msg["email"]
        for m in self.knowing(person, exclude=person):
            self.op_to(m, person.id, 23, full_name=msg["full_name"],
                       location=msg["location"], email=msg["email"])

    def _own_object(self, person, msg):
        place = person.place()
        node = place.find(msg["about"]) if place else (person if msg["object"] == person.id
                                                         else None)
        if node is None:
            raise ValueError("object %d not in the member's place" % msg["about"])
        return node

    def nested(self, node, extra=()):
        """The nested description of a person or a container with its
        members (and `extra` persons after them)."""
        if isinstance(node, Person):
            i = node.info
            return wire.NestedDesc(node.id, node.kind & ~wire.KIND_OWN, False, node.name,
                                   node.position, list(node.items.values()),
                                   texts=[i.full_name, i.location, i.email], value_le=i.value_le)
        members = [self.nested(c) for c in node.children] + [self.nested(p) for p in extra]
        return wire.NestedDesc(node.id, node.kind, False, node.info.name, node.position,
                               list(node.items.values()), capacity=node.info.capacity,
                               value_a=len(members), value_b=0, children=members)

    def describe(self, p):
        place = p.place()
        return wire.PersonDesc(
            p.id, p.kind & ~wire.KIND_OWN, False, p.name, 1,
            [p.info.full_name, p.info.location, p.info.email], p.info.value_le,
            place.title if place else "", place.name if place else "",
            place.kind if place else wire.KIND_PLACE, 1, place.id if place else 0,
            place.name if place else "", p.parent.kind if p.parent else wire.GROUP_1024,
            False, list(p.items.values()))

    # -------------------------------------------------------------- session ends

    def end_session(self, session, why):
        session.ended = True
        self.leave_place(session.member, "")
        if session.member is not None:
            self.members.pop(session.member.id, None)
        self.log_event(session, "session_ended", why=why)

    def session_broken(self, session):
        """A lost connection: without window the session ends; with one it
        waits for a resumption for --resume-wait seconds."""
        if session.ended:
            return
        session.conn = None
        if not session.window.on:
            self.end_session(session, "connection lost")
            return
        loop = asyncio.get_running_loop()
        session.resume_timer = loop.call_later(self.args.resume_wait, self.end_session,
                                               session, "no resumption")

    # -------------------------------------------------------------- control

    def find_session(self, ref):
        if isinstance(ref, str) and not ref.isdigit():
            for s in self.sessions.values():
                if s.member is not None and s.member.name == ref and not s.ended:
                    return s
            raise KeyError("no session of member %r" % ref)
        s = self.sessions.get(int(ref))
        if s is None:
            raise KeyError("no session %s" % ref)
        return s

    async def control(self, req):
        cmd = req.get("cmd")
        if cmd == "sessions":
            return {"sessions": [self._session_info(s) for s in self.sessions.values()]}
        if cmd == "stop":
            self.stopping.set()
            return {}
        if cmd == "full":
            (self.full_places.add if req.get("on", True) else self.full_places.discard)(
                req["place"])
            return {}
        if cmd == "wait":
            entry = await self.wait_log(req.get("match", {}), req.get("timeout", 10),
                                        req.get("after", 0))
            return {"entry": entry}
        session = self.find_session(req["session"])
        conn = session.conn
        if cmd == "send":
            if "hexes" in req:
                session.send_payloads([bytes.fromhex(h) for h in req["hexes"]])
            else:
                session.send_payload(bytes.fromhex(req["hex"]))
        elif cmd == "message":
            payload = M.header(req["type"], req.get("flags", 0)) + bytes.fromhex(
                req.get("fields", ""))
            session.send_payload(payload)
        elif cmd == "op":
            payload = (M.header(15, req.get("flags", 0)) + wire.Writer().u16(
                req.get("key", session.key)).u32(req["about"]).u16(req["op"]).bytes()
                + bytes.fromhex(req.get("fields", "")))
            session.send_payload(payload)
        elif cmd == "say":
            for _ in range(int(req.get("count", 1))):
                session.said += 1
                session.send(dict(type=35, text="s%d:" % session.said))
        elif cmd == "raw":
            self._need(conn).send_raw(bytes.fromhex(req["hex"]))
        elif cmd == "close":
            session.send(dict(type=3, code=req.get("code", 0)))
            session.ended = True
            self.end_session(session, "closed by control")
            if conn:
                await conn.finish()
        elif cmd == "end":
            self._need(conn).outbox.put_nowait(("end", None))
            await conn.finish()
        elif cmd == "drop":
            self._need(conn).link.abort()
        elif cmd == "delay":
            self._need(conn).delay = float(req.get("seconds", 0))
        elif cmd == "pace":
            self._need(conn).pace = float(req.get("seconds", 0))
        elif cmd == "flood":
            asyncio.ensure_future(self._need(conn).flood(float(req.get("seconds", 5)),
                                                         int(req.get("size", 1000))))
        elif cmd == "hold":
            self._need(conn).hold = True
        elif cmd == "pause":
            self._need(conn).paused_until = time.monotonic() + float(req.get("seconds", 0))
        else:
            raise KeyError("unknown command %r" % cmd)
        return {"session": self._session_info(session)}

    @staticmethod
    def _need(conn):
        if conn is None:
            raise KeyError("session has no connection")
        return conn

    def _session_info(self, s):
        p = s.member
        return dict(id=s.sid, member=p.id if p else None, name=p.name if p else None,
                    place=p.place().name if p and p.place() else None, key=s.key,
                    window=s.window.window_id, connected=s.conn is not None, ended=s.ended,
                    received=s.window.received, kept=len(s.window.kept))

    async def wait_log(self, match, timeout, after=0):
        loop = asyncio.get_running_loop()
        deadline = loop.time() + timeout
        seen = after
        while True:
            for i in range(seen, len(self.log_entries)):
                if log_matches(self.log_entries[i], match):
                    return dict(self.log_entries[i], index=i)
            seen = len(self.log_entries)
            self.log_changed.clear()
            left = deadline - loop.time()
            if left <= 0:
                raise TimeoutError("no log entry matching %r" % (match,))
            try:
                await asyncio.wait_for(self.log_changed.wait(), left)
            except asyncio.TimeoutError:
                pass

    async def handle_control(self, reader, writer):
        try:
            while True:
                line = await reader.readline()
                if not line:
                    break
                try:
                    reply = dict(ok=True, **await self.control(json.loads(line)))
                except (KeyError, ValueError, TimeoutError) as err:
                    reply = dict(ok=False, error=str(err))
                writer.write((json.dumps(reply) + "\n").encode())
                await writer.drain()
        finally:
            writer.close()

    # -------------------------------------------------------------- links

    async def serve_link(self, link):
        cid = self.next_cid
        self.next_cid += 1
        conn = Connection(self, link, cid, self.args.seq == "on")
        self.connections[cid] = conn
        await conn.run()

    async def handle_tcp(self, reader, writer):
        await self.serve_link(TcpLink(reader, writer))


def log_matches(entry, match):
    """Whether every key of `match` is in the entry with an equal value;
    dict values match recursively."""
    for k, v in match.items():
        if k not in entry:
            return False
        if isinstance(v, dict):
            if not isinstance(entry[k], dict) or not log_matches(entry[k], v):
                return False
        elif entry[k] != v:
            return False
    return True


def _subtree(node):
    return node.subtree() if isinstance(node, Group) else [node]


def parse_args(argv=None):
    ap = argparse.ArgumentParser(prog="zrkit.server", description=__doc__.split("\n")[0])
    ap.add_argument("--host", default="127.0.0.1")
    ap.add_argument("--port", type=int, default=0)
    ap.add_argument("--control-port", type=int, default=None,
                    help="JSON-lines control socket (0: any free port)")
    ap.add_argument("--tunnel-port", type=int, default=None,
                    help="HTTP POST tunnel endpoint (0: any free port)")
    ap.add_argument("--window-id", type=int, default=0,
                    help="first acknowledgement window id (0: window off)")
    ap.add_argument("--ack-every", type=int, default=5,
                    help="send type 33 after every N counted client messages")
    ap.add_argument("--seq", choices=("on", "off"), default="on")
    ap.add_argument("--keepalive", type=float, default=0,
                    help="send 0x80 after S idle seconds (0: never)")
    ap.add_argument("--first-frame", default=None,
                    help="hex payload of the first frame instead of the client's address")
    ap.add_argument("--hello-timeout", type=float, default=30)
    ap.add_argument("--resume-wait", type=float, default=30)
    ap.add_argument("--scenario", help="JSON scenario file")
    ap.add_argument("--log", help="JSON-lines log file")
    ap.add_argument("--time-limit", type=float, default=300)
    return ap.parse_args(argv)


async def serve(args):
    scenario = {}
    if args.scenario:
        with open(args.scenario) as f:
            scenario = json.load(f)
    server = CommunityServer(args, scenario)
    tcp = await asyncio.start_server(server.handle_tcp, args.host, args.port)
    print("LISTENING %s %d" % (args.host, tcp.sockets[0].getsockname()[1]), flush=True)
    extra = []
    if args.control_port is not None:
        ctl = await asyncio.start_server(server.handle_control, args.host, args.control_port,
                                         limit=CONTROL_LINE_LIMIT)
        extra.append(ctl)
        print("CONTROL %s %d" % (args.host, ctl.sockets[0].getsockname()[1]), flush=True)
    if args.tunnel_port is not None:
        from .proxies import PostTunnelEndpoint
        endpoint = PostTunnelEndpoint(server.serve_link, log=lambda event, **kw:
                                      server.log_event(None, event, **kw))
        tun = await asyncio.start_server(endpoint.handle, args.host, args.tunnel_port)
        extra.append(tun)
        print("TUNNEL %s %d" % (args.host, tun.sockets[0].getsockname()[1]), flush=True)
    try:
        await asyncio.wait_for(server.stopping.wait(), args.time_limit)
        server.log_event(None, "stopped", why="control")
    except asyncio.TimeoutError:
        server.log_event(None, "stopped", why="time limit")
    for s in [tcp] + extra:
        s.close()
    for conn in list(server.connections.values()):
        conn.link.abort_quietly()


def main(argv=None):
    args = parse_args(argv)
    try:
        asyncio.run(serve(args))
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
