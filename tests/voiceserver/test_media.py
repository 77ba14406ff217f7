"""The voice server's media echo or relay and HTTP tunnel."""
import socket
import struct

import pytest

from voiceserver import linecode, media
from voiceserver.client import VoiceClient
from voiceserver.harness import VoiceServerProcess


def sent_packet(first=0x80, payload_type=4, source=101, frame=b"\x11" * 24):
    return bytes([first, payload_type]) + struct.pack(">HII", 7, 480, source) + \
        b"\0\0\0\0" + frame


@pytest.mark.parametrize("packet, echoed", [
    (sent_packet(), bytes([0x81, 4]) + struct.pack(">HIIHH", 7, 480, 101, 101, 0) + b"\x11" * 24),
    (sent_packet(payload_type=0, source=0x10065),
     bytes([0x81, 0]) + struct.pack(">HIIHH", 7, 480, 0x10065, 0x65, 0) + b"\x11" * 24),
    (sent_packet(first=0x81), None),       # already in the received form
    (sent_packet(payload_type=3), None),   # unknown payload type
    (sent_packet()[:16], None),            # no frame
])
def test_echo_form(packet, echoed):
    result = media.echo_form(packet)
    assert (result[1] if result else None) == echoed


def read_response(conn):
    head = b""
    while not head.endswith(b"\r\n\r\n"):
        head += conn.recv(1)
    headers = dict(line.split(": ", 1) for line in head.decode().split("\r\n")[1:] if line)
    body = b""
    while len(body) < int(headers["Content-Length"]):
        body += conn.recv(int(headers["Content-Length"]) - len(body))
    return headers, body


def test_tunnel_carries_lines_and_names_the_session(tmp_path):
    server = VoiceServerProcess(tmp_path, "--tunnel-port", "0")
    try:
        conn = socket.create_connection((server.host, server.ports["TUNNEL"]), 10)
        conn.settimeout(10)
        line = b"CONNECT\t2\t4\ten-US\t73920461\n"
        conn.sendall(b"POST 0 HTTP/1.1\r\nContent-Type: text/x-sonorelle\r\n"
                     b"Content-Length: %d\r\n\r\n" % len(line) + line)
        headers, body = read_response(conn)
        assert headers["Content-Type"] == "text/x-sonorelle"
        assert headers["Content-Encoding"].isdigit() and int(headers["Content-Encoding"]) > 0
        text = linecode.LineCipher(linecode.DEFAULT_KEY).decipher(body.rstrip(b"\n"))
        assert linecode.split_numbered(text)[1] == ["CONNECT"]
        conn.close()
    finally:
        server.stop()


@pytest.mark.parametrize("relay", [False, True], ids=["echo", "relay"])
def test_media_goes_back_or_to_the_other_members(tmp_path, relay):
    server = VoiceServerProcess(tmp_path, "--media-port", "0", *(["--relay"] if relay else []))
    receivers = {}
    members = []
    try:
        for name in ("Ann", "Bob"):
            member = VoiceClient(server.host, server.port)
            user = member.join("lobby", name)
            receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
            receiver.bind((server.host, 0))
            receiver.settimeout(0.5)
            member.send("CHANNEL", "OPEN", "UDP", server.host, receiver.getsockname()[1], "G72364")
            receivers[user] = receiver
            members.append(member)
        server.wait_log(lambda e: e.get("event") == "channel" and e["args"][0] == "OPEN"
                        and e["session"] == 2)
        ann, bob = sorted(receivers)
        sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        sender.sendto(sent_packet(source=ann), (server.host, server.ports["MEDIA"]))

        def heard(user):
            try:
                return receivers[user].recv(100)
            except socket.timeout:
                return None
        expected = media.echo_form(sent_packet(source=ann))[1]
        assert heard(bob if relay else ann) == expected
        assert heard(ann if relay else bob) is None
        sender.close()
    finally:
        for member in members:
            member.close()
        for receiver in receivers.values():
            receiver.close()
        server.stop()
