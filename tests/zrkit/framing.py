"""Frames on a byte stream: an optional sequence byte (0x81..0xFF, numbers
1..127 counting per connection and direction), a 32-bit big-endian length and
the payload. Bytes 0x80 between frames are keep-alive bytes. A frame of
length 0 is the orderly end of the connection."""
import asyncio
import struct

KEEPALIVE = 0x80
END = None  # the payload reported for an empty (closing) frame


class FramingError(Exception):
    pass


class FrameWriter:
    def __init__(self, seq=True):
        self.seq = seq
        self.number = 0

    def _seq_byte(self):
        self.number = 1 if self.number >= 127 else self.number + 1
        return bytes([0x80 | self.number])

    def frame(self, payload):
        head = self._seq_byte() if self.seq else b""
        return head + struct.pack(">I", len(payload)) + bytes(payload)

    def end(self):
        """The empty frame that closes a connection."""
        return self.frame(b"")


class FrameReader:
    """Splits received bytes into frames. A sequence byte is recognised by its
    high bit; once one frame carried one, every later frame must, in order."""

    def __init__(self):
        self.buf = bytearray()
        self.expected = 1
        self.seen_seq = False
        self.keepalives = 0
        self.frames = 0
        self.last_seq = None

    def feed(self, data):
        self.buf += data

    def next_frame(self):
        """The next whole frame's payload, END for an empty frame, or False
        when more bytes are needed."""
        while self.buf and self.buf[0] == KEEPALIVE:
            del self.buf[0]
            self.keepalives += 1
        if not self.buf:
            return False
        has_seq = self.buf[0] > KEEPALIVE
        need = (1 if has_seq else 0) + 4
        if len(self.buf) < need:
            return False
        length = struct.unpack(">I", bytes(self.buf[need - 4:need]))[0]
        if len(self.buf) < need + length:
            return False
        if has_seq:
            number = self.buf[0] & 0x7F
            if number != self.expected:
                raise FramingError("sequence number %d instead of %d" % (number, self.expected))
            self.expected = 1 if self.expected >= 127 else self.expected + 1
            self.seen_seq = True
            self.last_seq = number
        elif self.seen_seq:
            raise FramingError("frame without sequence number after one with")
        payload = bytes(self.buf[need:need + length])
        del self.buf[:need + length]
        self.frames += 1
        return payload if length else END


class FramedStream:
    """A frame reader and writer over an asyncio stream pair."""

    def __init__(self, reader, writer, seq=True):
        self.reader = reader
        self.writer = writer
        self.out = FrameWriter(seq)
        self.inp = FrameReader()
        self.eof = False

    async def send(self, payload):
        self.writer.write(self.out.frame(payload))
        await self.writer.drain()

    async def send_raw(self, data):
        self.writer.write(bytes(data))
        await self.writer.drain()

    async def send_end(self):
        await self.send_raw(self.out.end())

    async def recv(self, timeout=10.0):
        """The next frame's payload, END for an empty frame or a closed
        stream; raises asyncio.TimeoutError after `timeout` seconds."""
        loop = asyncio.get_running_loop()
        deadline = loop.time() + timeout
        while True:
            frame = self.inp.next_frame()
            if frame is not False:
                return frame
            if self.eof:
                return END
            left = deadline - loop.time()
            if left <= 0:
                raise asyncio.TimeoutError()
            data = await asyncio.wait_for(self.reader.read(65536), left)
            if not data:
                self.eof = True
            self.inp.feed(data)

    async def close(self):
        try:
            self.writer.close()
            await asyncio.wait_for(self.writer.wait_closed(), 2)
        except (OSError, asyncio.TimeoutError):
            pass
