"""The voice conference test server: the control protocol over TCP, with
conferences and their rosters, relays of messages and breakouts, a JSON-lines
log of every decoded line, a control socket for scripted lines and a time
limit.

    PYTHONPATH=tests /usr/bin/python3 -m voiceserver.server --port 0 \\
        [--control-port 0] [--log log.jsonl] [--time-limit 120] \\
        [--account NUMBER:KEY] [--reject CONFERENCE] [--first-user 101] \\
        [--media-port 0] [--tunnel-port 0] [--relay]

prints "LISTENING 127.0.0.1 <port>" (and "CONTROL 127.0.0.1 <port>"; with
media "MEDIA 127.0.0.1 <udp port>" and "STREAM 127.0.0.1 <tcp port>"; with
the tunnel "TUNNEL 127.0.0.1 <port>")."""
import argparse
import asyncio
import json
import re
import struct
import sys
import time

from . import linecode
from . import media

JOIN_FIELDS = 15
MEDIA_CODEC = "G72364"
MEDIA_INTERVAL = 60
TEST_DATAGRAMS = 10
LONGEST_LINE = 4096
BREAKOUT_NAME = re.compile(r"^.* \(-?\d+\)_\$\d+$")


class Log:
    def __init__(self, path):
        self.file = open(path, "a", encoding="utf-8") if path else None

    def write(self, **entry):
        if self.file is None:
            return
        entry["t"] = round(time.time(), 3)
        self.file.write(json.dumps(entry) + "\n")
        self.file.flush()


class Member:
    def __init__(self, session, writer):
        self.session = session
        self.writer = writer
        self.cipher = None
        self.sequence = 0
        self.user = 0
        self.name = ""
        self.icon = 0
        self.conference = None
        self.fields = []
        self.tunnel = isinstance(writer, media.TunnelWriter)
        self.media_port = None
        self.stream = None

    @property
    def address(self):
        peer = self.writer.get_extra_info("peername")
        return peer[0] if peer else "127.0.0.1"

    @property
    def joined(self):
        return self.conference is not None


class ConferenceServer:
    def __init__(self, log, accounts=None, reject=(), first_user=101, relay=False):
        self.log = log
        self.relay = relay
        self.accounts = dict(accounts or {})
        self.reject = set(reject)
        self.next_user = first_user
        self.next_session = 1
        self.members = []
        self.stopped = asyncio.Event()
        self.host = "127.0.0.1"
        self.media_ports = None  # (udp, tcp) when media is on
        self.datagrams = None

    # Sending -----------------------------------------------------------
    def send(self, member, fields, sequence=None):
        member.sequence += 1
        number = member.sequence if sequence is None else sequence
        text = "%s\t%s\n" % (number, linecode.join_fields(fields))
        self.log.write(dir="out", session=member.session, user=member.user,
                       fields=[str(f) for f in fields])
        if not member.writer.is_closing():
            member.writer.write(member.cipher.encipher(text))

    def peers(self, member):
        return [m for m in self.members
                if m is not member and m.joined and m.conference == member.conference]

    def by_user(self, user):
        for m in self.members:
            if m.joined and m.user == user:
                return m
        return None

    # Connection --------------------------------------------------------
    async def handle(self, reader, writer):
        member = Member(self.next_session, writer)
        self.next_session += 1
        if member.tunnel:
            writer.session = member.session
        self.members.append(member)
        self.log.write(event="connected", session=member.session)
        try:
            if await self.greet(member, reader):
                while await self.serve_line(member, reader):
                    await writer.drain()
        except (ConnectionError, asyncio.IncompleteReadError, asyncio.LimitOverrunError,
                ValueError) as error:
            self.log.write(event="connection-error", session=member.session, error=str(error))
        finally:
            self.remove(member)
            writer.close()

    async def greet(self, member, reader):
        line = await reader.readline()
        fields = line.decode("utf-8", errors="replace").rstrip("\n").split("\t")
        self.log.write(dir="in", session=member.session, user=0, fields=fields, plain=True)
        if len(fields) != 5 or fields[:3] != ["CONNECT", "2", "4"]:
            self.log.write(event="bad-connect", session=member.session)
            return False
        account = fields[4]
        key = self.accounts.get(account, linecode.DEFAULT_KEY)
        member.cipher = linecode.LineCipher(key)
        member.locale = fields[3]
        self.send(member, ["CONNECT"])
        return True

    async def serve_line(self, member, reader):
        line = await reader.readline()
        if not line:
            return False
        text = member.cipher.decipher(line.rstrip(b"\n"))
        parsed = linecode.split_numbered(text) if text is not None else None
        if parsed is None:
            self.log.write(event="bad-line", session=member.session, line=line.decode(
                "ascii", errors="replace"))
            return False
        _, fields = parsed
        self.log.write(dir="in", session=member.session, user=member.user, fields=fields)
        return self.dispatch(member, fields)

    def remove(self, member):
        if member not in self.members:
            return
        self.members.remove(member)
        if member.joined:
            for peer in self.peers(member):
                self.send(peer, ["ROSTERDEL", member.user])
        self.log.write(event="left", session=member.session, user=member.user)
        member.conference = None

    # Lines from clients ------------------------------------------------
    def dispatch(self, member, fields):
        keyword, args = fields[0], fields[1:]
        if keyword == "JOIN":
            return self.on_join(member, args)
        if keyword == "DISCONNECT":
            return False
        if not member.joined:
            self.log.write(event="not-joined", session=member.session, keyword=keyword)
            return True
        handler = {
            "ROSTERCHANGE": self.on_roster_change,
            "MESSAGE": self.on_message,
            "APP": self.on_app,
            "CHANNEL": self.on_channel,
            "PHONE": self.on_phone,
        }.get(keyword)
        if handler is None:
            self.log.write(event="unknown-keyword", session=member.session, keyword=keyword)
        else:
            handler(member, args)
        return True

    def on_join(self, member, args):
        if len(args) != JOIN_FIELDS:
            self.log.write(event="bad-join", session=member.session, count=len(args))
            self.send(member, ["REJECT", "JOIN needs %d fields" % JOIN_FIELDS])
            return True
        conference = (args[0], args[1])
        if args[0] in self.reject:
            self.send(member, ["REJECT", "conference closed"])
            return True
        member.user = self.next_user
        self.next_user += 1
        member.name = args[2]
        member.icon = int(args[12]) if args[12].lstrip("-").isdigit() else 0
        member.fields = args
        member.conference = conference
        self.log.write(event="joined", session=member.session, user=member.user,
                       conference=list(conference), token=args[13], phone=args[14])
        self.send(member, ["ACCEPT", member.user])
        self.send(member, ["ROSTERADD", member.user, member.name, member.icon])
        for peer in self.peers(member):
            self.send(member, ["ROSTERADD", peer.user, peer.name, peer.icon])
            self.send(peer, ["ROSTERADD", member.user, member.name, member.icon])
        if self.media_ports is not None:
            self.send(member, ["CHANNEL", "OPEN", "HTTP" if member.tunnel else "UDP", self.host,
                               self.media_ports[0], MEDIA_CODEC, MEDIA_INTERVAL])
        return True

    def on_roster_change(self, member, args):
        if len(args) != 3 or args[0] not in ("NAME", "ICON") or args[1] != str(member.user):
            self.log.write(event="bad-rosterchange", session=member.session, args=args)
            return
        if args[0] == "NAME":
            member.name = args[2]
        else:
            member.icon = int(args[2]) if args[2].lstrip("-").isdigit() else 0
        value = member.name if args[0] == "NAME" else member.icon
        for target in [member] + self.peers(member):
            self.send(target, ["ROSTERCHANGE", args[0], member.user, value])

    def target_of(self, member, field):
        target = self.by_user(int(field)) if field.lstrip("-").isdigit() else None
        if target is None or target.conference != member.conference:
            self.log.write(event="unknown-target", session=member.session, target=field)
            return None
        return target

    def on_message(self, member, args):
        if len(args) != 2:
            self.log.write(event="bad-message", session=member.session)
            return
        target = self.target_of(member, args[0])
        if target is not None:
            self.send(target, ["MESSAGE", member.user, member.name, args[1]])

    def on_app(self, member, args):
        word = args[0] if args else ""
        if word in ("WARN", "APPMESSAGE") and len(args) == 3:
            target = self.target_of(member, args[1])
            if target is not None:
                self.send(target, ["APP", word, member.user, member.name, args[2]])
        elif word == "APPBROADCAST" and len(args) == 2:
            for peer in self.peers(member):
                self.send(peer, ["APP", word, member.user, member.name, args[1]])
        elif word == "MUTE" and len(args) == 3:
            self.log.write(event="mute", session=member.session, target=args[1], flag=args[2])
        elif word == "GAG" and len(args) == 4:
            target = self.target_of(member, args[1])
            if target is not None:
                state = ["APP", "GAGSTATE", target.user, args[2], args[3], member.user]
                self.send(member, state)
                self.send(target, state)
        elif word == "EJECT" and len(args) in (2, 3):
            target = self.target_of(member, args[1])
            if target is not None:
                # The reason travels as a plain field: breaks become blanks.
                reason = args[2].replace("\x01", " ").replace("\x02", " ") \
                    if len(args) == 3 else "ejected"
                self.send(target, ["DISCONNECT", reason])
                self.remove(target)
                target.writer.close()
        elif word == "BREAKOUT" and len(args) >= 3:
            self.on_breakout(member, args)
        else:
            self.log.write(event="bad-app", session=member.session, args=args)

    def on_breakout(self, member, args):
        target = self.target_of(member, args[1])
        answer = args[2]
        if target is None:
            return
        if answer in ("INVITE", "REJECT") and len(args) == 3:
            self.send(target, ["APP", "BREAKOUT", member.user, answer])
        elif answer == "ACCEPT" and len(args) == 4:
            self.log.write(event="breakout-accept", session=member.session, name=args[3],
                           name_ok=bool(BREAKOUT_NAME.match(args[3])))
            self.send(target, ["APP", "BREAKOUT", member.user, "ACCEPT", args[3]])
        else:
            self.log.write(event="bad-breakout", session=member.session, args=args)

    def on_channel(self, member, args):
        if args[:2] == ["TEST", "UDP"] and len(args) == 4:
            self.send_test_datagrams(member, args[2])
            asyncio.get_running_loop().call_later(
                0.2, lambda: self.send(member, ["CHANNEL", "TESTED", 0]))
        elif args == ["OPEN", "TCP"] and self.media_ports is not None:
            self.send(member, ["CHANNEL", "OPEN", "TCP", self.host, self.media_ports[1]])
        elif args[:1] == ["OPEN"] and len(args) == 5 and args[3].isdigit():
            member.media_port = int(args[3])
        self.log.write(event="channel", session=member.session, args=args)

    # Media -------------------------------------------------------------
    def send_test_datagrams(self, member, port):
        if self.datagrams is None or not port.isdigit() or member.tunnel:
            return
        for number in range(1, TEST_DATAGRAMS + 1):
            self.datagrams.transport.sendto(b"TEST%d" % number, (member.address, int(port)))

    def media_in(self, packet, path):
        echo = media.echo_form(packet)
        if echo is None:
            self.log.write(event="bad-media", path=path, size=len(packet))
            return
        source, received = echo
        member = self.by_user(source)
        self.log.write(event="media", path=path, user=source,
                       sequence=struct.unpack(">H", packet[2:4])[0])
        if member is None:
            return
        for target in self.peers(member) if self.relay else [member]:
            self.deliver(target, received)

    def deliver(self, member, received):
        if member.tunnel:
            member.writer.respond(media.AUDIO_TYPE, received)
        elif member.stream is not None:
            member.stream.write(received)
        elif member.media_port:
            self.datagrams.transport.sendto(received, (member.address, member.media_port))

    async def handle_stream(self, reader, writer):
        line = await reader.readline()
        text = line.decode("ascii", errors="replace").rstrip("\n")
        member = self.by_user(int(text)) if text.isdigit() else None
        self.log.write(event="stream-media", first=text, known=member is not None)
        if member is None:
            writer.close()
            return
        member.stream = writer
        while await reader.read(4096):
            pass
        member.stream = None
        writer.close()

    async def handle_tunnel(self, reader, writer):
        tunnel = media.TunnelWriter(writer)
        lines = asyncio.StreamReader(limit=LONGEST_LINE)
        session = asyncio.ensure_future(self.handle(lines, tunnel))
        try:
            while True:
                request = await media.read_request(reader)
                if request is None:
                    break
                number, content_type, body = request
                self.log.write(event="tunnel-request", session=tunnel.session, number=number,
                               type=content_type, size=len(body))
                if content_type == media.TEXT_TYPE:
                    lines.feed_data(body)
                elif content_type == media.AUDIO_TYPE:
                    self.media_in(body, "tunnel")
        except (ValueError, KeyError, ConnectionError) as error:
            self.log.write(event="tunnel-error", error=str(error))
        lines.feed_eof()
        await session

    def on_phone(self, member, args):
        ok = len(args) == 2 and args[0] == "DTMF" and len(args[1]) == 1
        self.log.write(event="dtmf" if ok else "bad-phone", session=member.session, args=args)

    # Control -------------------------------------------------------------
    async def control(self, reader, writer):
        while True:
            line = await reader.readline()
            if not line:
                break
            try:
                reply = self.command(json.loads(line))
            except (ValueError, KeyError, TypeError) as error:
                reply = {"ok": False, "error": str(error)}
            writer.write((json.dumps(reply) + "\n").encode())
            await writer.drain()
        writer.close()

    def command(self, request):
        cmd = request["cmd"]
        if cmd == "members":
            return {"ok": True, "members": [
                {"session": m.session, "user": m.user, "name": m.name, "icon": m.icon,
                 "conference": list(m.conference) if m.joined else None}
                for m in self.members]}
        if cmd == "stop":
            self.stopped.set()
            return {"ok": True}
        member = self.by_user(int(request["user"]))
        if member is None:
            return {"ok": False, "error": "no such user"}
        if cmd == "send":
            self.send(member, request["fields"], request.get("sequence"))
        elif cmd == "raw":
            member.writer.write(request["text"].encode("latin-1"))
        else:
            return {"ok": False, "error": "unknown command"}
        return {"ok": True}


def parse_accounts(values):
    accounts = {}
    for value in values:
        number, key = value.split(":", 1)
        accounts[number] = linecode.key_from_account_key(key)
    return accounts


async def run(args):
    server = ConferenceServer(Log(args.log), parse_accounts(args.account), args.reject,
                              args.first_user, args.relay)
    listener = await asyncio.start_server(server.handle, args.host, args.port,
                                          limit=LONGEST_LINE)
    print("LISTENING %s %d" % (args.host, listener.sockets[0].getsockname()[1]), flush=True)
    server.host = args.host
    servers = [listener]
    if args.control_port is not None:
        control = await asyncio.start_server(server.control, args.host, args.control_port)
        servers.append(control)
        print("CONTROL %s %d" % (args.host, control.sockets[0].getsockname()[1]), flush=True)
    if args.media_port is not None:
        transport, server.datagrams = await asyncio.get_running_loop().create_datagram_endpoint(
            lambda: media.MediaDatagrams(server), local_addr=(args.host, args.media_port))
        stream = await asyncio.start_server(server.handle_stream, args.host, 0)
        servers.append(stream)
        server.media_ports = (transport.get_extra_info("sockname")[1],
                              stream.sockets[0].getsockname()[1])
        print("MEDIA %s %d" % (args.host, server.media_ports[0]), flush=True)
        print("STREAM %s %d" % (args.host, server.media_ports[1]), flush=True)
    if args.tunnel_port is not None:
        tunnel = await asyncio.start_server(server.handle_tunnel, args.host, args.tunnel_port)
        servers.append(tunnel)
        print("TUNNEL %s %d" % (args.host, tunnel.sockets[0].getsockname()[1]), flush=True)
    try:
        await asyncio.wait_for(server.stopped.wait(), args.time_limit)
    except asyncio.TimeoutError:
        server.log.write(event="time-limit")
    for listening in servers:
        listening.close()


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=3450)
    parser.add_argument("--control-port", type=int)
    parser.add_argument("--log")
    parser.add_argument("--time-limit", type=float, default=120.0)
    parser.add_argument("--account", action="append", default=[],
                        help="NUMBER:KEY, an account and its base64 key")
    parser.add_argument("--reject", action="append", default=[],
                        help="a conference whose joins are rejected")
    parser.add_argument("--first-user", type=int, default=101)
    parser.add_argument("--media-port", type=int,
                        help="UDP media port (0: any), with a TCP media port beside it")
    parser.add_argument("--tunnel-port", type=int, help="HTTP tunnel port (0: any)")
    parser.add_argument("--relay", action="store_true",
                        help="media goes to the other members of the conference, not back")
    args = parser.parse_args(argv)
    asyncio.run(run(args))
    return 0


if __name__ == "__main__":
    sys.exit(main())
