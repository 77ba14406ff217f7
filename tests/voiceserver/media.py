"""Media for the voice test server: UDP and TCP media ports that echo each
client's packets back to it in the form a client receives (first byte
0x80|count, speaker of frame 0 = the sender), the test datagrams of CHANNEL
TEST, and the HTTP tunnel on which lines and packets travel as POST requests
and responses."""
import asyncio
import struct

HEADER = 16
TEXT_TYPE = "text/x-sonorelle"
AUDIO_TYPE = "audio/x-sonorelle"
LONGEST_BODY = 16000


def echo_form(packet):
    """A packet as the engine sends it (one frame, count nibble 0) turned into
    the form it receives: count 1, the sender's number as speaker 0; None for
    anything else."""
    if len(packet) <= HEADER or packet[0] & 0x0F != 0 or packet[1] not in (0, 4):
        return None
    source = struct.unpack(">I", packet[8:12])[0]
    speakers = struct.pack(">HH", source & 0xFFFF, 0)
    return source, bytes([0x81, packet[1]]) + packet[2:12] + speakers + packet[HEADER:]


class MediaDatagrams(asyncio.DatagramProtocol):
    def __init__(self, server):
        self.server = server
        self.transport = None

    def connection_made(self, transport):
        self.transport = transport

    def datagram_received(self, data, addr):
        self.server.media_in(data, "udp")


class TunnelWriter:
    """Writes what the server sends a tunnel member as HTTP responses, each
    carrying the member's session number in Content-Encoding."""

    def __init__(self, writer):
        self.writer = writer
        self.session = 0

    def respond(self, content_type, body):
        head = ("HTTP/1.1 200 OK\r\nContent-Type: %s\r\nContent-Length: %d\r\n"
                "Content-Encoding: %d\r\n\r\n" % (content_type, len(body), self.session))
        self.writer.write(head.encode("ascii") + body)

    def write(self, data):
        self.respond(TEXT_TYPE, data)

    def is_closing(self):
        return self.writer.is_closing()

    def close(self):
        self.writer.close()

    async def drain(self):
        await self.writer.drain()

    def get_extra_info(self, name):
        return self.writer.get_extra_info(name)


async def read_request(reader):
    """One POST request: (session number text, content type, body), or None
    at the end of the connection. Raises ValueError on a malformed request."""
    try:
        head = await reader.readuntil(b"\r\n\r\n")
    except asyncio.IncompleteReadError:
        return None
    lines = head.decode("ascii").split("\r\n")
    words = lines[0].split(" ")
    if len(words) != 3 or words[0] != "POST" or words[2] != "HTTP/1.1":
        raise ValueError("bad request line %r" % lines[0])
    headers = dict(line.split(": ", 1) for line in lines[1:] if line)
    length = int(headers["Content-Length"])
    if not 0 <= length <= LONGEST_BODY:
        raise ValueError("bad Content-Length %d" % length)
    body = await reader.readexactly(length)
    return words[1], headers["Content-Type"], body
