"""Line coding of the control protocol: TAB-separated fields, the escaping of
free texts, and the line cipher (UTF-8 text, zero-padded to 8 bytes,
Blowfish block by block, base64, then a line feed)."""
import base64
import binascii

from .blowfish import Blowfish

DEFAULT_ACCOUNT = "73920461"
DEFAULT_KEY = bytes.fromhex("5e17a2c9d04b83f6")


def escape(text):
    """Free texts: 0x01/0x02 become blanks, then LF becomes 0x01 and TAB 0x02."""
    text = text.replace("\x01", " ").replace("\x02", " ")
    return text.replace("\n", "\x01").replace("\t", "\x02")


def unescape(text):
    return text.replace("\x01", "\n").replace("\x02", "\t")


def join_fields(fields):
    return "\t".join(str(f) for f in fields)


def key_from_account_key(account_key):
    """The first 8 bytes of the decoded account key, padded with zeros."""
    decoded = base64.b64decode(account_key + "=" * (-len(account_key) % 4))
    return (decoded[:8] + bytes(8))[:8]


class LineCipher:
    """Enciphers and deciphers whole lines under one key."""

    def __init__(self, key):
        self.blowfish = Blowfish(key)

    def encipher(self, text):
        data = text.encode("utf-8")
        data += bytes(-len(data) % 8)
        return base64.b64encode(self.blowfish.encipher(data)) + b"\n"

    def decipher(self, line):
        """The text of one received line (without its line feed), up to the
        first zero byte; None when it is not base64 of whole blocks."""
        try:
            data = base64.b64decode(line, validate=True)
        except (binascii.Error, ValueError):
            return None
        if len(data) % 8:
            return None
        plain = self.blowfish.decipher(data).split(b"\0", 1)[0]
        return plain.decode("utf-8", errors="replace")


def split_numbered(text):
    """(sequence, fields) of a deciphered line, or None when it does not
    begin with digits, a TAB and a keyword."""
    text = text.split("\n", 1)[0]
    parts = text.split("\t")
    if len(parts) < 2 or not parts[0].isdigit() or not parts[0].isascii() or not parts[1]:
        return None
    return int(parts[0]), parts[1:]
