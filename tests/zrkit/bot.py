"""A bot: the client side of the protocol in Python, to fill places with
members in tests. It connects, says hello, logs in, answers the welcome,
enters places, talks, whispers, moves, makes groups and leaves, and keeps a
small view of the place tree from what the server tells it.

`Bot` is asyncio; `BotPool` runs bots on a background event loop and gives
each a blocking twin (`SyncBot`) for ordinary test code."""
import asyncio

from . import messages as M
from . import wire
from .framing import END, FramedStream
from .harness import LoopThread
from .session import Window
from .wire import NameKey, PersonForm, PersonInfo, Position, Selector


class BotError(Exception):
    pass


class Bot:
    def __init__(self, host, port, name, kind=wire.KIND_PERSON, safe=0, timeout=10.0):
        self.host = host
        self.port = port
        self.name = name
        self.kind = kind
        self.safe = safe
        self.timeout = timeout
        self.stream = None
        self.window = Window()
        self.peer_role = b""
        self.hello = None
        self.member_id = 0
        self.key = 0
        self.place_id = 0
        self.tree = {}            # id -> {"kind", "parent", "name", "position"}
        self.received = []        # every decoded message, in order
        self.cursor = 0           # `expect` looks at messages from here on
        self.errors = []
        self._arrived = asyncio.Event()
        self._reader_task = None

    # -------------------------------------------------------------- transport

    async def _open(self):
        reader, writer = await asyncio.wait_for(
            asyncio.open_connection(self.host, self.port), self.timeout)
        self.stream = FramedStream(reader, writer, seq=True)
        first = await self.stream.recv(self.timeout)
        if first is END or len(first) != 4:
            raise BotError("first frame of %r bytes" % (None if first is END else len(first)))
        self.peer_role = first

    async def send(self, msg):
        payload = M.encode(M.TO_SERVER, msg)
        await self.send_payload(payload)

    async def send_payload(self, payload):
        self.window.on_sent(M.parse_header(payload)[0], payload)
        if self.stream is not None and not self.stream.eof:
            await self.stream.send(payload)

    async def _read_loop(self):
        try:
            while True:
                payload = await self.stream.recv(timeout=3600)
                if payload is END:
                    self.received.append({"type": "end"})
                    self._arrived.set()
                    return
                await self._on_payload(payload)
        except Exception as err:  # a test must see what broke the bot
            self.errors.append(repr(err))
            self.received.append({"type": "error", "error": repr(err)})
            self._arrived.set()

    async def _on_payload(self, payload):
        msg = M.decode(M.TO_CLIENT, payload)
        counted = self.window.on_received(msg["type"])
        if msg["type"] == 33:
            self.window.acknowledge(msg["count"])
        elif msg["type"] == 15:
            self._apply_op(msg)
        self.received.append(msg)
        self._arrived.set()
        if (counted or msg["type"] in (0, 33)) and self.window.on \
                and self.window.received and self.window.received % 1000 == 0:
            await self.send(dict(type=33, count=self.window.received))

    async def expect(self, match=None, timeout=None, **fields):
        """The next message after the cursor whose fields equal `fields` (and
        for which `match`, a callable, is true); moves the cursor past it."""
        loop = asyncio.get_running_loop()
        deadline = loop.time() + (timeout or self.timeout)
        while True:
            for i in range(self.cursor, len(self.received)):
                msg = self.received[i]
                if msg.get("type") == "error":
                    raise BotError("%s: %s" % (self.name, msg["error"]))
                if all(msg.get(k) == v for k, v in fields.items()) and (
                        match is None or match(msg)):
                    self.cursor = i + 1
                    return msg
            self._arrived.clear()
            left = deadline - loop.time()
            if left <= 0:
                raise BotError("%s: no message %r in %s" % (
                    self.name, fields, [_short(m) for m in self.received[self.cursor:]]))
            try:
                await asyncio.wait_for(self._arrived.wait(), left)
            except asyncio.TimeoutError:
                pass

    # -------------------------------------------------------------- tree view

    def _add_child(self, parent, child):
        obj = child.obj
        name = obj.info.name
        self.tree[obj.id] = dict(kind=child.kind, parent=parent, name=name,
                                 position=obj.position)
        if isinstance(obj, wire.GroupForm):
            for c in obj.children:
                self._add_child(obj.id, c)

    def _remove(self, oid):
        for cid in [k for k, v in self.tree.items() if v["parent"] == oid]:
            self._remove(cid)
        self.tree.pop(oid, None)

    def _apply_op(self, msg):
        op, obj = msg["op"], msg["about"]
        if op == 3:
            s = msg["snapshot"]
            self.place_id = s["place_id"]
            self.tree = {s["place_id"]: dict(kind=s["kind"], parent=None, name=s["name"]),
                         s["g1025"]: dict(kind=wire.GROUP_1025, parent=s["place_id"], name=""),
                         s["g1024"].id: dict(kind=wire.GROUP_1024, parent=s["place_id"],
                                             name="")}
            for c in s["g1024"].children:
                self._add_child(s["g1024"].id, c)
            self.g1024, self.g1025 = s["g1024"].id, s["g1025"]
            self.tree[self.member_id] = dict(kind=self.kind | wire.KIND_OWN, parent=s["g1025"],
                                             name=self.name, position=Position())
        elif op == 4 and obj in self.tree:
            self._add_child(obj, msg["child"])
        elif op == 5:
            self._remove(obj)
        elif op == 6 and obj in self.tree:
            self.tree[obj]["parent"] = msg["dest"]
            self.tree[obj]["position"] = msg["position"]
            if msg["dest"] == getattr(self, "g1025", None) and obj != self.member_id:
                self._remove(obj)
        elif op == 10 and obj in self.tree:
            parent = self.tree[obj]["parent"]
            self.tree[msg["group"]] = dict(kind=msg["kind"], parent=parent,
                                           name=msg["info"].name, position=msg.get("position"))
            self.tree[obj]["parent"] = msg["group"]
            if msg["pair"] and msg["partner"] in self.tree:
                self.tree[msg["partner"]]["parent"] = msg["group"]
        elif op == 26 and obj in self.tree:
            self.tree[obj]["parent"] = self.g1025

    def members(self):
        """Identifiers of the persons in the view, by name."""
        return {v["name"]: k for k, v in self.tree.items() if v["kind"] & wire.KIND_PERSON}

    # -------------------------------------------------------------- main road

    async def connect(self):
        await self._open()
        await self.stream.send(M.encode(M.TO_SERVER, dict(type=0, major=3, minor=1, mode=1,
                                                          safe=self.safe)))
        answer = M.decode(M.TO_CLIENT, await self.stream.recv(self.timeout))
        if answer["type"] != 0 or answer["major"] != 3:
            raise BotError("hello answer %r" % _short(answer))
        self.hello = answer
        self.window = Window(answer.get("window") or 0)
        self._reader_task = asyncio.ensure_future(self._read_loop())
        return answer

    async def login(self, credentials=""):
        await self.send(dict(type=11, key=self.key, namekey=NameKey(self.name, 1),
                             kind=self.kind, credentials=wire.Writer().text(credentials).bytes()))
        welcome = await self.expect(type=12)
        self.member_id = welcome["member"]
        info = PersonInfo(name=self.name, value_le=int.from_bytes(self.peer_role, "little"))
        await self.send(dict(type=13, key=self.key, person=PersonForm(self.member_id,
                                                                      info=info),
                             login1=0, login2=0))
        return welcome

    async def start(self):
        await self.connect()
        return await self.login()

    async def enter(self, place, position=None, selector=None, text=""):
        """Op 0 stamped with the current key and carrying the next; the
        snapshot (op 3) comes back with the new key."""
        new_key = (self.key + 1) & 0xFFFF
        msg = M.place_op(self.key, self.member_id, 0, new_key=new_key, name=place,
                         has_pos=position is not None, position=position,
                         selector=selector or Selector(number=1), text=text)
        await self.send(msg)
        self.key = new_key
        return await self.expect(type=15, op=3, key=new_key)

    async def op(self, op, about=None, **fields):
        await self.send(M.place_op(self.key, self.member_id if about is None else about, op,
                                   **fields))

    async def say(self, text, obj=None, value=5, blob=b""):
        await self.op(17, object=obj or self.place_id, value=value, text=text, blob=blob)

    async def whisper(self, target, text, blob=b""):
        await self.send(dict(type=5, sender=self.member_id, text=text, blob=blob,
                             target=target))

    async def request(self, target, mode, text="", blob=b"", value=0):
        """A request to one member (type 28): a client's to a service, or
        a service's reply, which the server relays with this bot's record."""
        await self.send(dict(type=28, sender=self.member_id, value=value, mode=mode, text=text,
                             blob=blob, target=target))

    async def move(self, dest, position, value=0, about=None):
        await self.op(6, about, dest=dest, position=position, value=value, with_child=0)

    async def make_group(self, kind, position, capacity=4, flags=1, name="", value=0):
        info = wire.GroupInfo(name=name, capacity=capacity, flags=flags)
        await self.op(10, info=info, kind=kind, other=self.tree[self.member_id]["parent"],
                      value=value, pair=0, position=position)

    async def leave(self):
        await self.send(dict(type=14, key=self.key, id=self.member_id, code=0))

    async def close(self):
        """The orderly end: an empty frame, then wait for the server to close."""
        if self.stream is None:
            return
        try:
            await self.stream.send_end()
            if self._reader_task is not None:
                await asyncio.wait_for(asyncio.shield(self._reader_task), self.timeout)
        except (asyncio.TimeoutError, OSError):
            pass
        await self.abort()

    async def abort(self):
        if self._reader_task is not None:
            self._reader_task.cancel()
        if self.stream is not None:
            await self.stream.close()

    async def resume(self):
        """A new connection that resumes this session: hello mode 5, the
        server's count, then the copies the server has not confirmed."""
        await self.abort()
        await self._open()
        await self.stream.send(M.encode(M.TO_SERVER, dict(
            type=0, major=3, minor=1, mode=5, window=self.window.window_id,
            received=self.window.received)))
        answer = M.decode(M.TO_CLIENT, await self.stream.recv(self.timeout), resume=True)
        if answer["type"] != 0:
            raise BotError("resume answered with %r" % _short(answer))
        self.window.acknowledge(answer["count"])
        for copy in self.window.pending():
            await self.stream.send(copy)
        self._reader_task = asyncio.ensure_future(self._read_loop())
        return answer


def _short(msg):
    return {k: msg[k] for k in ("type", "op", "about", "key") if k in msg}


class SyncBot:
    """A blocking twin of a `Bot`: every coroutine method runs on the pool's
    loop and is waited for with a timeout."""

    def __init__(self, pool, bot):
        self._pool = pool
        self.bot = bot

    def __getattr__(self, name):
        attr = getattr(self.bot, name)
        if not asyncio.iscoroutinefunction(attr):
            return attr

        def call(*args, **kwargs):
            return self._pool.run(attr(*args, **kwargs))
        return call


class BotPool(LoopThread):
    """Bots on one background event loop; `stop` closes them all."""

    def __init__(self, host, port, timeout=15.0):
        super().__init__(timeout)
        self.host = host
        self.port = port
        self.bots = []

    def bot(self, name, start=True, **kw):
        async def make():
            return Bot(self.host, self.port, name, **kw)
        sync = SyncBot(self, self.run(make()))
        self.bots.append(sync)
        if start:
            sync.start()
        return sync

    def stop(self):
        for b in self.bots:
            try:
                self.run(b.bot.close(), timeout=5)
            except Exception:  # the bot may be broken already; stop the rest anyway
                pass
        super().stop()
