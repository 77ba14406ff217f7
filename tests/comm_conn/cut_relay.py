"""A TCP relay for tests that cuts a connection at a chosen byte of a chosen
direction. It sits between the client and the community server and knows
nothing of the protocol beyond the frame layout (optional sequence byte,
32-bit big-endian length, payload whose first two bytes are the message
type; 0x80 between frames is a keep-alive byte), which it reads only to place
cut points and to report where a cut fell.

Each accepted connection takes the next cut of the plan (the first
connection the first cut, and so on); once the plan is used up, connections
pass untouched. A cut of direction "c2s" (client to server) or "s2c" at
stream offset P forwards exactly P bytes of that direction, ends that
direction with an orderly close after them, and resets the other end at
once; nothing more passes either way.

Cuts:
  Cut("c2s", offset=P)                  at byte P of the direction
  Cut("s2c", frame=F, into=K)           K bytes into frame F (0: just before it)
  Cut("c2s", type=33, into=K, after=P)  K bytes into the first frame of that
                                        message type that starts at or after P
With silent=True the server's end is neither ended nor reset: it stays open
and hears nothing more, as when a cut on the way does not reach the server.
"""
import asyncio
import socket
import struct
from dataclasses import dataclass, field
from typing import List, Optional

KEEPALIVE = 0x80
DIRECTIONS = ("c2s", "s2c")


@dataclass
class Cut:
    direction: str
    offset: Optional[int] = None
    frame: Optional[int] = None
    type: Optional[int] = None
    into: int = 0
    after: int = 0
    silent: bool = False

    def __post_init__(self):
        assert self.direction in DIRECTIONS
        assert [self.offset, self.frame, self.type].count(None) == 2


@dataclass
class Frame:
    index: int
    start: int              # stream offset of its first byte (sequence byte or length)
    end: int                # stream offset after its last byte
    type: Optional[int]     # message type; None for a frame shorter than 2 bytes


class FrameScanner:
    """Frame boundaries of one direction of one connection, from the bytes
    seen so far. `known` is how far the stream is split into whole keep-alive
    bytes, frames whose header (and message type) has arrived, and the rest."""

    def __init__(self):
        self.data = bytearray()
        self.frames: List[Frame] = []
        self.known = 0

    def feed(self, chunk):
        self.data += chunk
        while self.known < len(self.data):
            at = self.known
            if self.data[at] == KEEPALIVE:
                self.known += 1
                continue
            head = at + (1 if self.data[at] > KEEPALIVE else 0)
            if head + 4 > len(self.data):
                return
            length = struct.unpack(">I", self.data[head:head + 4])[0]
            body = head + 4
            if length >= 2 and body + 2 > len(self.data):
                return
            msg_type = struct.unpack(">H", self.data[body:body + 2])[0] if length >= 2 else None
            self.frames.append(Frame(len(self.frames), at, body + length, msg_type))
            self.known = body + length

    def frame_at(self, offset):
        """The frame that holds the byte at `offset`, or the one starting
        there; None between frames on keep-alive bytes or past what is
        known."""
        for frame in self.frames:
            if frame.start <= offset < frame.end:
                return frame
        return None

    def cut_point(self, cut):
        """Where `cut` falls in what has arrived, or None while unknown."""
        if cut.offset is not None:
            return cut.offset
        for frame in self.frames:
            if cut.frame is not None and frame.index == cut.frame:
                return frame.start + cut.into
            if cut.type is not None and frame.type == cut.type and frame.start >= cut.after:
                return frame.start + cut.into
        return None

    def counted_before(self, offset):
        """Whole frames of counted messages (every type but 0 and 33) that end
        at or before `offset`."""
        return sum(1 for f in self.frames if f.end <= offset and f.type not in (None, 0, 33))


@dataclass
class CutReport:
    connection: int         # 1 for the first accepted connection
    direction: str
    offset: int             # bytes of the cut direction that passed
    frame: Optional[int]    # index of the frame the cut fell in or before
    frame_type: Optional[int]
    into: int               # bytes of that frame that passed
    frame_length: int
    passed: dict = field(default_factory=dict)   # counted frames passed, each direction

    @property
    def inside_frame(self):
        return self.frame is not None and 0 < self.into < self.frame_length


class Pipe:
    """One connection through the relay."""

    def __init__(self, relay, number, cut, client_reader, client_writer):
        self.relay = relay
        self.number = number
        self.cut = cut
        self.readers = {"c2s": client_reader}
        self.writers = {"s2c": client_writer}
        self.scanners = {d: FrameScanner() for d in DIRECTIONS}
        self.passed = {d: 0 for d in DIRECTIONS}
        self.cut_done = False
        self.open_directions = 2

    async def run(self):
        try:
            reader, writer = await asyncio.open_connection("127.0.0.1", self.relay.server_port)
        except OSError:
            self.writers["s2c"].transport.abort()
            return
        self.readers["s2c"] = reader
        self.writers["c2s"] = writer
        await asyncio.gather(self.pump("c2s"), self.pump("s2c"))

    async def pump(self, direction):
        reader = self.readers[direction]
        scanner = self.scanners[direction]
        while True:
            try:
                chunk = await reader.read(65536)
            except (ConnectionError, OSError):
                chunk = b""
            if not chunk:
                break
            if self.cut_done:
                continue        # after a cut, what still comes is dropped
            scanner.feed(chunk)
            limit = len(scanner.data)
            point = None
            if self.cut is not None and self.cut.direction == direction:
                point = scanner.cut_point(self.cut)
                if point is None:
                    # The type of a frame whose head is still on its way decides.
                    limit = min(scanner.known, limit)
            if point is not None and point <= len(scanner.data):
                await self.forward(direction, max(point, self.passed[direction]))
                self.cut_here(direction, point)
            else:
                await self.forward(direction, limit)
        self.ended(direction)

    async def forward(self, direction, upto):
        if upto <= self.passed[direction]:
            return
        writer = self.writers[direction]
        writer.write(bytes(self.scanners[direction].data[self.passed[direction]:upto]))
        self.passed[direction] = upto
        try:
            await writer.drain()
        except (ConnectionError, OSError):
            pass

    def cut_here(self, direction, point):
        self.cut_done = True
        scanner = self.scanners[direction]
        frame = scanner.frame_at(point)
        self.relay.reports.append(CutReport(
            self.number, direction, self.passed[direction],
            frame.index if frame else None, frame.type if frame else None,
            point - frame.start if frame else 0, frame.end - frame.start if frame else 0,
            {d: self.scanners[d].counted_before(self.passed[d]) for d in DIRECTIONS}))
        # The far end of the cut direction gets what passed and then an
        # orderly end; the near end is reset at once. The far end is read
        # (and its bytes dropped) until it closes too, so that a reset does
        # not throw away input it has not read yet. A silent cut leaves the
        # server's end as it is.
        other = "s2c" if direction == "c2s" else "c2s"
        near, far = self.writers[other], self.writers[direction]
        server_end = self.writers["c2s"]
        if not (self.cut.silent and near is server_end):
            self.abort(near)
        if not (self.cut.silent and far is server_end):
            try:
                if far.can_write_eof():
                    far.write_eof()
            except (OSError, RuntimeError):
                pass
            asyncio.get_running_loop().call_later(10, self.abort, far)

    def ended(self, direction):
        """The reader of `direction` reached its end: passed on as an
        orderly end, or after a cut, the end of that socket."""
        writer = self.writers[direction]
        if self.cut_done:
            other = "s2c" if direction == "c2s" else "c2s"
            if not (self.cut.silent and other == "c2s"):
                self.abort(self.writers[other])
            return
        self.open_directions -= 1
        try:
            if self.open_directions == 0:
                for each in self.writers.values():
                    each.close()
            elif writer.can_write_eof() and not writer.is_closing():
                writer.write_eof()
        except (OSError, RuntimeError):
            pass

    @staticmethod
    def abort(writer):
        if writer.is_closing():
            return
        sock = writer.get_extra_info("socket")
        if sock is not None:
            try:
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            except OSError:
                pass
        writer.transport.abort()


class CutRelay:
    """Listens on a free loopback port and relays to `server_port`, cutting
    the n-th connection as the n-th cut of `plan` says."""

    def __init__(self, server_port, plan):
        self.server_port = server_port
        self.plan = list(plan)
        self.reports: List[CutReport] = []
        self.connections = 0
        self.pipes = []
        self.server = None
        self.port = None

    async def start(self):
        self.server = await asyncio.start_server(self.accept, "127.0.0.1", 0)
        self.port = self.server.sockets[0].getsockname()[1]
        return self

    async def accept(self, reader, writer):
        self.connections += 1
        number = self.connections
        cut = self.plan[number - 1] if number <= len(self.plan) else None
        pipe = Pipe(self, number, cut, reader, writer)
        self.pipes.append(pipe)
        await pipe.run()

    async def stop(self):
        """Stops listening and resets every connection still open."""
        self.server.close()
        for pipe in self.pipes:
            for writer in pipe.writers.values():
                Pipe.abort(writer)
        await self.server.wait_closed()
        await asyncio.sleep(0.05)
