"""Byte links the server speaks over: a TCP stream, or the server side of
an HTTP POST tunnel. Both offer read/write/close with the same meaning."""
import asyncio


class TcpLink:
    def __init__(self, reader, writer):
        self.reader = reader
        self.writer = writer
        peer = writer.get_extra_info("peername") or ("0.0.0.0", 0)
        self.peer = peer[:2]
        # Whether the peer ended the connection with a reset.
        self.reset = False

    async def read(self):
        try:
            return await self.reader.read(65536)
        except ConnectionResetError:
            self.reset = True
            return b""
        except (ConnectionError, OSError):
            return b""

    def write(self, data):
        if not self.writer.is_closing():
            self.writer.write(data)

    async def drain(self):
        try:
            await self.writer.drain()
        except (ConnectionError, OSError):
            pass

    async def close_gracefully(self, timeout=2.0):
        """Half-closes, reads until the peer closes too, then closes, so that
        unread input does not turn the close into a reset."""
        try:
            await self.drain()
            if self.writer.can_write_eof():
                self.writer.write_eof()
            loop = asyncio.get_running_loop()
            deadline = loop.time() + timeout
            while loop.time() < deadline:
                data = await asyncio.wait_for(self.reader.read(65536), deadline - loop.time())
                if not data:
                    break
        except ConnectionResetError:
            self.reset = True
        except (asyncio.TimeoutError, ConnectionError, OSError):
            pass
        self.abort_quietly()

    def shutdown_write(self):
        if self.writer.can_write_eof() and not self.writer.is_closing():
            self.writer.write_eof()

    def abort(self):
        self.writer.transport.abort()

    def abort_quietly(self):
        try:
            self.writer.close()
        except OSError:
            pass


class TunnelLink:
    """The server's view of a POST tunnel: bytes from the client arrive in the
    bodies of secondary requests; bytes to the client go out on the primary
    request's open response."""

    reset = False

    def __init__(self, primary_writer, peer):
        self.writer = primary_writer
        self.peer = peer
        self.incoming = asyncio.Queue()

    def deliver(self, data):
        self.incoming.put_nowait(bytes(data))

    async def read(self):
        return await self.incoming.get()

    def write(self, data):
        if not self.writer.is_closing():
            self.writer.write(data)

    async def drain(self):
        try:
            await self.writer.drain()
        except (ConnectionError, OSError):
            pass

    async def close_gracefully(self, timeout=2.0):
        await self.drain()
        self.abort_quietly()

    def shutdown_write(self):
        self.abort_quietly()

    def abort(self):
        self.writer.transport.abort()
        self.incoming.put_nowait(b"")

    def abort_quietly(self):
        try:
            self.writer.close()
        except OSError:
            pass
        self.incoming.put_nowait(b"")
