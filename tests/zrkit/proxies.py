"""Proxies for tests.

- `PostTunnelEndpoint`: the server side of the HTTP POST tunnel, served by
  the community server on its own port (--tunnel-port). A primary request
  (body: byte 1, u32 tunnel id 0) is answered "HTTP/1.0 200" with a large
  Content-Length and the new u32 tunnel id, and the server's frames then
  flow on that open response. Each secondary request (body: byte 0, u32
  tunnel id, the client's bytes) is answered with Content-Length 4 and the
  tunnel id, then closed.
- `ScriptedProxy`: SOCKS4, SOCKS5 (optionally with user name and password)
  and HTTP CONNECT proxies whose replies a test chooses, for refusal cases;
  with an accepting reply they relay to the requested target.
- `TinyProxy` and `DanteProxy`: the real Debian proxies (tinyproxy for HTTP
  CONNECT, danted for SOCKS4/5), run in the foreground on loopback with
  generated configuration files.
"""
import asyncio
import os
import pathlib
import shutil
import socket
import struct
import subprocess

from .harness import free_port, stop_process, wait_port
from .links import TunnelLink

HEADER_LIMIT = 65536
TUNNEL_PRIMARY_LENGTH = 0x7FFFFFFF


async def read_http_header(reader):
    """Bytes up to and including the empty line, or b"" at EOF."""
    try:
        return await reader.readuntil(b"\r\n\r\n")
    except (asyncio.IncompleteReadError, asyncio.LimitOverrunError, ConnectionError):
        return b""


def content_length(header):
    for line in header.decode("latin-1").split("\r\n")[1:]:
        name, _, value = line.partition(":")
        if name.strip().lower() == "content-length":
            return int(value.strip())
    return 0


class PostTunnelEndpoint:
    def __init__(self, serve_link, log=None):
        self.serve_link = serve_link
        self.tunnels = {}
        self.next_id = 0x5A000001
        self.requests = []
        self.log = log or (lambda **kw: None)

    async def handle(self, reader, writer):
        header = await read_http_header(reader)
        if not header:
            writer.close()
            return
        try:
            body = await reader.readexactly(content_length(header))
        except (asyncio.IncompleteReadError, ConnectionError):
            writer.close()
            return
        request_line = header.split(b"\r\n", 1)[0].decode("latin-1")
        self.requests.append((request_line, body[:5]))
        if len(body) < 5 or not request_line.startswith("POST "):
            writer.write(b"HTTP/1.0 400 Bad Request\r\nContent-Length: 0\r\n\r\n")
            writer.close()
            return
        role = body[0]
        tunnel_id = struct.unpack(">I", body[1:5])[0]
        self.log(event="tunnel_request", line=request_line, role=role, tunnel=tunnel_id,
                 length=len(body) - 5)
        if role == 1:
            await self._primary(reader, writer)
        else:
            self._secondary(writer, tunnel_id, body[5:])

    async def _primary(self, reader, writer):
        tunnel_id = self.next_id
        self.next_id += 1
        writer.write(b"HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n"
                     b"Content-Length: %d\r\n\r\n" % TUNNEL_PRIMARY_LENGTH
                     + struct.pack(">I", tunnel_id))
        peer = writer.get_extra_info("peername") or ("127.0.0.1", 0)
        link = TunnelLink(writer, peer[:2])
        self.tunnels[tunnel_id] = link
        watcher = asyncio.ensure_future(self._watch_primary(reader, link))
        try:
            await self.serve_link(link)
        finally:
            watcher.cancel()
            self.tunnels.pop(tunnel_id, None)

    @staticmethod
    async def _watch_primary(reader, link):
        """The primary's socket carries nothing more; its close ends the tunnel."""
        while await reader.read(4096):
            pass
        link.abort_quietly()

    def _secondary(self, writer, tunnel_id, data):
        link = self.tunnels.get(tunnel_id)
        if link is None:
            writer.write(b"HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n")
        else:
            link.deliver(data)
            writer.write(b"HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n"
                         + struct.pack(">I", tunnel_id))
        writer.close()


# ---------------------------------------------------------------- scripted proxies

SOCKS4_GRANTED = b"\x04\x5a" + bytes(6)
SOCKS5_GRANTED = b"\x05\x00\x00\x01" + bytes(6)
HTTP_GRANTED = b"HTTP/1.0 200 Connection established\r\n\r\n"


class ScriptedProxy:
    """A proxy whose replies are given by the test. kind is "socks4",
    "socks5" or "http". Replies left as None take the accepting default;
    a SOCKS5 proxy with a user name asks for user and password and accepts
    only that pair. After an accepting final reply the connection is relayed
    to the requested target; after any other reply it is closed. Every
    request is recorded in `requests` as raw bytes."""

    def __init__(self, kind, reply=None, method_reply=None, auth_reply=None, user=None,
                 password=None, hang=False):
        self.kind = kind
        self.reply = reply
        self.method_reply = method_reply
        self.auth_reply = auth_reply
        self.user = user
        self.password = password
        self.hang = hang
        self.requests = []
        self.server = None
        self.port = None
        self.tasks = set()

    async def start(self, host="127.0.0.1"):
        self.server = await asyncio.start_server(self.handle, host, 0)
        self.port = self.server.sockets[0].getsockname()[1]
        return self

    async def stop(self):
        if self.server is not None:
            self.server.close()
        for task in list(self.tasks):
            task.cancel()
        await asyncio.gather(*self.tasks, return_exceptions=True)

    async def handle(self, reader, writer):
        task = asyncio.current_task()
        self.tasks.add(task)
        try:
            target = await getattr(self, "_" + self.kind)(reader, writer)
            if target is None:
                await writer.drain()
                return
            if self.hang:
                await reader.read()
                return
            await relay(reader, writer, *target)
        except (asyncio.IncompleteReadError, ConnectionError, OSError):
            pass
        finally:
            writer.close()
            self.tasks.discard(task)

    async def _socks4(self, reader, writer):
        head = await reader.readexactly(8)
        user = await reader.readuntil(b"\x00")
        self.requests.append(head + user)
        reply = self.reply if self.reply is not None else SOCKS4_GRANTED
        writer.write(reply)
        if reply[:2] != SOCKS4_GRANTED[:2]:
            return None
        return socket.inet_ntoa(head[4:8]), struct.unpack(">H", head[2:4])[0]

    async def _socks5(self, reader, writer):
        head = await reader.readexactly(2)
        methods = await reader.readexactly(head[1])
        self.requests.append(head + methods)
        if self.method_reply is not None:
            method_reply = self.method_reply
        elif self.user is not None:
            method_reply = b"\x05\x02" if 2 in methods else b"\x05\xff"
        else:
            method_reply = b"\x05\x00" if 0 in methods else b"\x05\xff"
        writer.write(method_reply)
        if method_reply[1] == 0xFF:
            return None
        if method_reply[1] == 2:
            ver_len = await reader.readexactly(2)
            user = await reader.readexactly(ver_len[1])
            plen = await reader.readexactly(1)
            password = await reader.readexactly(plen[0])
            self.requests.append(ver_len + user + plen + password)
            ok = (user.decode("latin-1"), password.decode("latin-1")) == (self.user,
                                                                         self.password)
            auth_reply = self.auth_reply or (b"\x01\x00" if ok else b"\x01\x01")
            writer.write(auth_reply)
            if auth_reply != b"\x01\x00":
                return None
        req = await reader.readexactly(4)
        if req[3] == 1:
            addr = await reader.readexactly(4)
            host = socket.inet_ntoa(addr)
        elif req[3] == 3:
            n = await reader.readexactly(1)
            addr = n + await reader.readexactly(n[0])
            host = addr[1:].decode("latin-1")
        else:
            raise ConnectionError("address type %d" % req[3])
        port = await reader.readexactly(2)
        self.requests.append(req + addr + port)
        reply = self.reply if self.reply is not None else SOCKS5_GRANTED
        writer.write(reply)
        if reply[:4] != SOCKS5_GRANTED[:4]:
            return None
        return host, struct.unpack(">H", port)[0]

    async def _http(self, reader, writer):
        header = await read_http_header(reader)
        self.requests.append(header)
        reply = self.reply if self.reply is not None else HTTP_GRANTED
        writer.write(reply)
        if not reply.startswith(b"HTTP/1.0 200") or not header.startswith(b"CONNECT "):
            return None
        host, _, port = header.split(b" ")[1].decode("latin-1").rpartition(":")
        return host, int(port)


async def relay(reader, writer, host, port):
    up_reader, up_writer = await asyncio.open_connection(host, port)

    async def pipe(src, dst):
        try:
            while True:
                data = await src.read(65536)
                if not data:
                    break
                dst.write(data)
                await dst.drain()
        except (ConnectionError, OSError):
            pass
        finally:
            if dst.can_write_eof() and not dst.is_closing():
                try:
                    dst.write_eof()
                except OSError:
                    pass
    try:
        await asyncio.gather(pipe(reader, up_writer), pipe(up_reader, writer))
    finally:
        up_writer.close()


# ---------------------------------------------------------------- Debian proxies

class ExternalProxy:
    """A proxy program run in the foreground on a free loopback port."""

    program = None

    def __init__(self, workdir):
        self.workdir = pathlib.Path(workdir)
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.port = free_port()
        self.proc = None

    def command(self):
        raise NotImplementedError

    def start(self, timeout=10.0):
        exe = shutil.which(self.program) or shutil.which(self.program, path="/usr/sbin:/usr/bin")
        if exe is None:
            raise FileNotFoundError("%s is not installed (tools/packages.txt)" % self.program)
        self.stderr = open(self.workdir / ("%s-stderr.txt" % self.program), "w")
        self.proc = subprocess.Popen([exe] + self.command(), stdout=self.stderr,
                                     stderr=subprocess.STDOUT, cwd=str(self.workdir))
        try:
            wait_port(self.port, timeout, self.proc)
        except Exception:
            self.stop()
            raise
        return self

    def output(self):
        return (self.workdir / ("%s-stderr.txt" % self.program)).read_text()

    def stop(self):
        stop_process(self.proc)
        if self.proc is not None:
            self.stderr.close()


class TinyProxy(ExternalProxy):
    """tinyproxy as an HTTP CONNECT proxy; every port may be connected to."""

    program = "tinyproxy"

    def command(self):
        conf = self.workdir / "tinyproxy.conf"
        lines = ["Port %d" % self.port, "Listen 127.0.0.1", "Timeout 60",
                 "MaxClients 20", "Allow 127.0.0.1", "LogLevel Info"]
        if os.geteuid() == 0:
            lines += ["User nobody", "Group nogroup"]
        conf.write_text("\n".join(lines) + "\n")
        return ["-d", "-c", str(conf)]


SOCKS_TEST_USER = "zrkitsocks"
SOCKS_TEST_PASSWORD = "zrkit-Pass-1"


def ensure_socks_user():
    """Creates the system user that danted's user/password method checks,
    once; needs root. Returns (user, password)."""
    if os.geteuid() != 0:
        raise PermissionError("creating the SOCKS test user needs root")
    try:
        import pwd
        pwd.getpwnam(SOCKS_TEST_USER)
    except KeyError:
        subprocess.run(["useradd", "--no-create-home", "--shell", "/usr/sbin/nologin",
                        SOCKS_TEST_USER], check=True, capture_output=True)
    subprocess.run(["chpasswd"], input=("%s:%s\n" % (SOCKS_TEST_USER, SOCKS_TEST_PASSWORD)
                                        ).encode(), check=True, capture_output=True)
    return SOCKS_TEST_USER, SOCKS_TEST_PASSWORD


class DanteProxy(ExternalProxy):
    """danted as a SOCKS4/SOCKS5 proxy; with `auth` the SOCKS5 user/password
    method against the system user of `ensure_socks_user` is required."""

    program = "danted"

    def __init__(self, workdir, auth=False):
        super().__init__(workdir)
        self.auth = auth
        self.user = self.password = None
        if auth:
            self.user, self.password = ensure_socks_user()

    def command(self):
        conf = self.workdir / "danted.conf"
        method = "username" if self.auth else "none"
        conf.write_text("\n".join([
            "logoutput: %s" % (self.workdir / "danted.log"),
            "internal: 127.0.0.1 port = %d" % self.port,
            "external: 127.0.0.1",
            "clientmethod: none",
            "socksmethod: %s" % method,
            "user.privileged: root" if os.geteuid() == 0 else "",
            "user.unprivileged: nobody" if os.geteuid() == 0 else "",
            "client pass {", "  from: 127.0.0.0/8 to: 0.0.0.0/0", "}",
            "socks pass {", "  from: 127.0.0.0/8 to: 0.0.0.0/0",
            "  command: connect", "  protocol: tcp", "}", ""]))
        return ["-f", str(conf), "-p", str(self.workdir / "danted.pid"), "-N", "1"]
