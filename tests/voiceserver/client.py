"""A client of the control protocol for tests: connect, join, send lines and
read the server's lines (blocking sockets, every read with a timeout)."""
import socket

from . import linecode


class VoiceClient:
    def __init__(self, host, port, account="0", account_key="", locale="en-US", timeout=5.0):
        if account_key:
            self.account, key = account, linecode.key_from_account_key(account_key)
        else:
            self.account, key = linecode.DEFAULT_ACCOUNT, linecode.DEFAULT_KEY
        self.cipher = linecode.LineCipher(key)
        self.sock = socket.create_connection((host, port), timeout)
        self.sock.settimeout(timeout)
        self.buffer = b""
        self.sequence = 500
        self.user = 0
        self.send_plain(linecode.join_fields(["CONNECT", "2", "4", locale, self.account]))

    def send_plain(self, text):
        self.sock.sendall(text.encode("utf-8") + b"\n")

    def send(self, *fields):
        self.sequence += 1
        text = "%d\t%s\n" % (self.sequence, linecode.join_fields(fields))
        self.sock.sendall(self.cipher.encipher(text))

    def read_line(self):
        while b"\n" not in self.buffer:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise ConnectionError("server closed the connection")
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line

    def receive(self):
        """The fields of the next line after the sequence number."""
        parsed = linecode.split_numbered(self.cipher.decipher(self.read_line()))
        if parsed is None:
            raise ValueError("undecipherable line")
        return parsed[1]

    def expect(self, *prefix):
        """Reads lines until one begins with `prefix`; returns its fields."""
        while True:
            fields = self.receive()
            if fields[:len(prefix)] == [str(p) for p in prefix]:
                return fields

    def join(self, conference, name, clone=0, icon=0, token="0", phone=";;;"):
        self.expect("CONNECT")
        self.send("JOIN", conference, clone, name, self.account, "127.0.0.1", "1.0.0.0",
                  "Speakers:1,2", "1.0", "NT 6.1:7601", "pytest", "1.0", "http://x/",
                  icon, token, phone)
        self.user = int(self.expect("ACCEPT")[1])
        return self.user

    def closed(self):
        """True when the server has closed the connection (reads what is left)."""
        try:
            while self.sock.recv(4096):
                pass
        except socket.timeout:
            return False
        return True

    def close(self):
        self.sock.close()
