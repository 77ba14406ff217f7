"""The server's cipher and line coding against published and hand-worked
values."""
import pytest

from voiceserver import linecode
from voiceserver.blowfish import INITIAL_P, INITIAL_S, Blowfish


@pytest.mark.parametrize("key, plain, cipher", [
    ("0000000000000000", "0000000000000000", "4EF997456198DD78"),
    ("FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"),
    ("3000000000000000", "1000000000000001", "7D856F9A613063F2"),
    ("1111111111111111", "1111111111111111", "2466DD878B963C9D"),
    ("0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"),
    ("FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"),
    ("7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"),
    ("0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"),
])
def test_blowfish_published_vectors(key, plain, cipher):
    bf = Blowfish(bytes.fromhex(key))
    assert bf.encipher(bytes.fromhex(plain)).hex().upper() == cipher
    assert bf.decipher(bytes.fromhex(cipher)).hex().upper() == plain


def test_blowfish_tables_are_the_digits_of_pi():
    # 3.243F6A88 85A308D3 ...: the first and last words of the tables.
    assert INITIAL_P[:2] == [0x243F6A88, 0x85A308D3]
    assert INITIAL_S[3][255] == 0x3AC372E6


def test_blowfish_key_lengths_of_the_set_key_table():
    key = bytes.fromhex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677")
    plain = bytes.fromhex("FEDCBA9876543210")
    assert Blowfish(key[:1]).encipher(plain).hex().upper() == "F9AD597C49DB005E"
    assert Blowfish(key[:24]).encipher(plain).hex().upper() == "05044B62FA52D080"


@pytest.mark.parametrize("key, text, wire", [
    (linecode.DEFAULT_KEY, "8\tACCEPT\t3\n", b"sjFJIDZKCGHH5A0GF4U8Qg==\n"),
    (linecode.DEFAULT_KEY, "7\tCONNECT\n", b"RGfB40WKGaz7uXoOeojblg==\n"),
    (bytes.fromhex("426e13ccaee959ad"), "8\tACCEPT\t3\n", b"10TlF8FD61he3mzTkoSbKQ==\n"),
])
def test_line_cipher_golden_lines(key, text, wire):
    cipher = linecode.LineCipher(key)
    assert cipher.encipher(text) == wire
    assert cipher.decipher(wire.rstrip(b"\n")) == text


def test_account_key_gives_eight_bytes():
    assert linecode.key_from_account_key("Qm4TzK7pWa2").hex() == "426e13ccaee959ad"
    assert linecode.key_from_account_key("QUJD") == b"ABC" + bytes(5)


def test_decipher_refuses_what_is_not_whole_blocks():
    cipher = linecode.LineCipher(linecode.DEFAULT_KEY)
    assert cipher.decipher(b"QUJD") is None
    assert cipher.decipher(b"not base64!") is None


@pytest.mark.parametrize("plain, escaped", [
    ("two\nlines", "two\x01lines"),
    ("a\tb", "a\x02b"),
    ("x\x01y\x02z", "x y z"),
])
def test_escaping(plain, escaped):
    assert linecode.escape(plain) == escaped
    if "\x01" not in plain:
        assert linecode.unescape(escaped) == plain


@pytest.mark.parametrize("text, result", [
    ("12\tACCEPT\t3\n", (12, ["ACCEPT", "3"])),
    ("12\tCONNECT", (12, ["CONNECT"])),
    ("12a\tCONNECT", None),
    ("12\t", None),
    ("CONNECT", None),
    ("\u0661\tCONNECT", None),
])
def test_split_numbered(text, result):
    assert linecode.split_numbered(text) == result
