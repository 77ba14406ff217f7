"""The Blowfish block cipher, ECB, with its initial subkeys and S-boxes taken
from the hexadecimal digits of pi, which are computed here (Machin's formula
in integer arithmetic) rather than copied from anywhere."""

_WORDS = 18 + 4 * 256
_MASK = 0xFFFFFFFF


def _arctan_inverse(x, unity):
    """arctan(1/x) scaled by `unity`."""
    total = term = unity // x
    x_squared = x * x
    n = 1
    sign = -1
    while term:
        term //= x_squared
        total += sign * (term // (2 * n + 1))
        sign = -sign
        n += 1
    return total


def _pi_fraction_words(count):
    """The first `count` 32-bit words of the fractional part of pi."""
    guard = 64
    bits = 32 * count + guard
    unity = 1 << bits
    pi = 16 * _arctan_inverse(5, unity) - 4 * _arctan_inverse(239, unity)
    fraction = (pi - 3 * unity) >> guard
    return [(fraction >> (32 * (count - 1 - i))) & _MASK for i in range(count)]


_PI_WORDS = _pi_fraction_words(_WORDS)
INITIAL_P = _PI_WORDS[:18]
INITIAL_S = [_PI_WORDS[18 + 256 * box:18 + 256 * (box + 1)] for box in range(4)]


class Blowfish:
    """Blowfish with a key of 1 to 56 bytes; blocks of 8 bytes, big-endian
    halves."""

    def __init__(self, key):
        if not 1 <= len(key) <= 56:
            raise ValueError("Blowfish keys have 1 to 56 bytes")
        self.p = list(INITIAL_P)
        self.s = [list(box) for box in INITIAL_S]
        for i in range(18):
            word = 0
            for j in range(4):
                word = (word << 8) | key[(4 * i + j) % len(key)]
            self.p[i] ^= word
        left = right = 0
        for i in range(0, 18, 2):
            left, right = self._encipher_halves(left, right)
            self.p[i], self.p[i + 1] = left, right
        for box in self.s:
            for i in range(0, 256, 2):
                left, right = self._encipher_halves(left, right)
                box[i], box[i + 1] = left, right

    def _f(self, half):
        s = self.s
        value = (s[0][half >> 24] + s[1][(half >> 16) & 0xFF]) & _MASK
        value ^= s[2][(half >> 8) & 0xFF]
        return (value + s[3][half & 0xFF]) & _MASK

    def _encipher_halves(self, left, right):
        p = self.p
        for i in range(16):
            left ^= p[i]
            right ^= self._f(left)
            left, right = right, left
        left, right = right, left
        right ^= p[16]
        left ^= p[17]
        return left, right

    def _decipher_halves(self, left, right):
        p = self.p
        for i in range(17, 1, -1):
            left ^= p[i]
            right ^= self._f(left)
            left, right = right, left
        left, right = right, left
        right ^= p[1]
        left ^= p[0]
        return left, right

    def _blocks(self, data, step):
        if len(data) % 8:
            raise ValueError("Blowfish works on whole 8-byte blocks")
        out = bytearray()
        for offset in range(0, len(data), 8):
            left = int.from_bytes(data[offset:offset + 4], "big")
            right = int.from_bytes(data[offset + 4:offset + 8], "big")
            left, right = step(left, right)
            out += left.to_bytes(4, "big") + right.to_bytes(4, "big")
        return bytes(out)

    def encipher(self, data):
        return self._blocks(data, self._encipher_halves)

    def decipher(self, data):
        return self._blocks(data, self._decipher_halves)
