#!/usr/bin/env python3
"""Draws every picture of the resource library: bitmaps (8-bit, uncompressed),
cursors and the application icon, and writes the resource-script fragment
that names them.

Usage: make_pictures.py OUTPUT_DIR

The drawing is plain Python and fully deterministic, so that every build gives
the same bytes. Pictures that the client draws transparently have the key
colour RGB(204, 204, 204) wherever they are to be see-through.
"""
import hashlib
import math
import pathlib
import struct
import sys

KEY = (204, 204, 204)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GRAY = (128, 128, 128)
SILVER = (192, 192, 192)
DARK = (64, 64, 64)
RED = (200, 0, 0)
GREEN = (0, 128, 0)
LIME = (0, 200, 0)
BLUE = (0, 0, 200)
NAVY = (0, 0, 128)
YELLOW = (255, 255, 112)
GOLD = (230, 180, 40)
ORANGE = (255, 145, 85)
PURPLE = (128, 0, 128)
TEAL = (0, 128, 128)
SKIN = (240, 200, 150)
BROWN = (140, 80, 30)
LAVENDER = (218, 218, 255)
PERIWINKLE = (145, 145, 255)
INDIGO = (109, 109, 255)


def build_palette():
    """The application palette: the system's static colours, the key colour
    and the brand colours first, then a colour cube and a grey ramp."""
    fixed = [BLACK, (128, 0, 0), GREEN, (128, 128, 0), NAVY, PURPLE, TEAL, SILVER,
             GRAY, (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
             (0, 255, 255), WHITE, KEY, LAVENDER, PERIWINKLE, INDIGO, ORANGE, YELLOW,
             (255, 255, 128), (128, 255, 128), (0, 0, 192), RED, BLUE, (100, 100, 100),
             (100, 0, 0), LIME, GOLD, SKIN, BROWN, DARK]
    colours = []
    for c in fixed:
        if c not in colours:
            colours.append(c)
    steps = (0, 51, 102, 153, 204, 255)
    for r in steps:
        for g in steps:
            for b in steps:
                if (r, g, b) not in colours:
                    colours.append((r, g, b))
    level = 8
    while len(colours) < 256:
        grey = (level, level, level)
        if grey not in colours:
            colours.append(grey)
        level += 8
        if level > 248:
            level = 4
    return colours[:256]


PALETTE = build_palette()
PALETTE_INDEX = {c: i for i, c in enumerate(PALETTE)}


def nearest(colour):
    if colour in PALETTE_INDEX:
        return PALETTE_INDEX[colour]
    best = min(range(len(PALETTE)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], colour)))
    PALETTE_INDEX[colour] = best
    return best


# A 5 x 7 pixel font for the few words the pictures carry.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'H': ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'U': ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    'Z': ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    '?': ["01110", "10001", "00001", "00010", "00100", "00000", "00100"],
    'i': ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    ' ': ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, background=KEY):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1):
            self.put(x, y0, colour)
            self.put(x, y1 - 1, colour)
        for y in range(y0, y1):
            self.put(x0, y, colour)
            self.put(x1 - 1, y, colour)

    def bevel(self, x0, y0, x1, y1, raised=True):
        light, shade = (WHITE, GRAY) if raised else (GRAY, WHITE)
        for x in range(x0, x1):
            self.put(x, y0, light)
            self.put(x, y1 - 1, shade)
        for y in range(y0, y1):
            self.put(x0, y, light)
            self.put(x1 - 1, y, shade)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r_out, r_in, colour):
        for y in range(int(cy - r_out) - 1, int(cy + r_out) + 2):
            for x in range(int(cx - r_out) - 1, int(cx + r_out) + 2):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r_in <= d <= r_out:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            fy = y + 0.5
            crossings = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= fy < y1) or (y1 <= fy < y0):
                    crossings.append(x0 + (fy - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for a, b in zip(crossings[::2], crossings[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dx in range(width):
                for dy in range(width):
                    self.put(int(round(x)) + dx, int(round(y)) + dy, colour)

    def text(self, x, y, words, colour, scale=1):
        for ch in words:
            glyph = FONT[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        self.rect(x + gx * scale, y + gy * scale,
                                  x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += 6 * scale

    def paste(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                self.put(x0 + x, y0 + y, other.pixels[y][x])

    def recolour(self, mapping):
        for row in self.pixels:
            for x, c in enumerate(row):
                row[x] = mapping(c)


def text_width(words, scale=1):
    return len(words) * 6 * scale - scale


# ---------------------------------------------------------------------------
# Writers.

def bmp_bytes(canvas):
    """An uncompressed 8-bit bottom-up DIB with the application palette."""
    stride = (canvas.width + 3) & ~3
    rows = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytes(nearest(c) for c in canvas.pixels[y])
        rows += row + b"\0" * (stride - canvas.width)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0,
                       len(rows), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


def mono_image(mask_rows, size):
    """Image bytes of one 1-bit cursor or icon entry: header (height doubled),
    two-colour palette, XOR bits, AND bits. mask_rows holds one string per row:
    '.' transparent, '#' black, 'o' white."""
    def pack(bitrow):
        out = bytearray()
        for i in range(0, size, 8):
            byte = 0
            for bit in bitrow[i:i + 8]:
                byte = (byte << 1) | bit
            out.append(byte)
        return bytes(out) + b"\0" * ((4 - len(out) % 4) % 4)
    xor_rows, and_rows = [], []
    for row in reversed(mask_rows):
        xor_rows.append(pack([1 if c == 'o' else 0 for c in row]))
        and_rows.append(pack([1 if c == '.' else 0 for c in row]))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    return info + palette + b"".join(xor_rows) + b"".join(and_rows)


def colour16_image(canvas):
    """Image bytes of one 4-bit icon entry with the system's 16 colours; key
    pixels become transparent."""
    size = canvas.width
    colours = PALETTE[:16]
    def index(c):
        return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(colours[i], c)))
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):
        row = canvas.pixels[y]
        nibbles = [0 if c == KEY else index(c) for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(packed + b"\0" * ((4 - len(packed) % 4) % 4))
        bits = bytearray()
        for i in range(0, size, 8):
            byte = 0
            for c in row[i:i + 8]:
                byte = (byte << 1) | (1 if c == KEY else 0)
            bits.append(byte)
        and_rows.append(bytes(bits) + b"\0" * ((4 - len(bits) % 4) % 4))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return info + palette + b"".join(xor_rows) + b"".join(and_rows)


def directory_file(kind, entries):
    """An .ico (kind 1) or .cur (kind 2) file. entries: (size, colour count,
    field1, field2, image bytes); fields are planes/bits for icons and the hot
    spot for cursors."""
    header = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    table, images = b"", b""
    for size, count, f1, f2, image in entries:
        table += struct.pack("<BBBBHHII", size % 256, size % 256, count, 0, f1, f2,
                             len(image), offset + len(images))
        images += image
    return header + table + images


# ---------------------------------------------------------------------------
# Glyphs of the tool-bar buttons, drawn into a square of side s at (x, y).

def glyph_back(c, x, y, s, colour):
    c.polygon([(x + 3, y + s / 2), (x + s / 2, y + 3), (x + s / 2, y + s / 2 - 3),
               (x + s - 3, y + s / 2 - 3), (x + s - 3, y + s / 2 + 3),
               (x + s / 2, y + s / 2 + 3), (x + s / 2, y + s - 3)], colour)


def glyph_forward(c, x, y, s, colour):
    c.polygon([(x + s - 3, y + s / 2), (x + s / 2, y + 3), (x + s / 2, y + s / 2 - 3),
               (x + 3, y + s / 2 - 3), (x + 3, y + s / 2 + 3),
               (x + s / 2, y + s / 2 + 3), (x + s / 2, y + s - 3)], colour)


def glyph_stop(c, x, y, s, colour):
    c.ellipse(x + s / 2, y + s / 2, s / 2 - 3, s / 2 - 3, colour)
    c.rect(x + 7, y + s // 2 - 2, x + s - 7, y + s // 2 + 2, WHITE)


def glyph_reload(c, x, y, s, colour):
    c.ring(x + s / 2, y + s / 2, s / 2 - 4, s / 2 - 8, colour)
    c.rect(x + s // 2, y + 2, x + s - 2, y + s // 2, KEY)
    c.polygon([(x + s / 2, y + 1), (x + s / 2 + 6, y + 4), (x + s / 2, y + 8)], colour)


def glyph_home(c, x, y, s, colour):
    c.polygon([(x + s / 2, y + 3), (x + s - 3, y + s / 2), (x + 3, y + s / 2)], colour)
    c.rect(x + 6, y + s // 2, x + s - 6, y + s - 4, colour)
    c.rect(x + s // 2 - 2, y + s - 10, x + s // 2 + 2, y + s - 4, WHITE)


def glyph_help(c, x, y, s, colour):
    c.ellipse(x + s / 2, y + s / 2, s / 2 - 2, s / 2 - 2, colour)
    c.text(x + s // 2 - 5, y + s // 2 - 7, "?", WHITE, 2)


def glyph_tours(c, x, y, s, colour):
    c.rect(x + 4, y + 6, x + s - 4, y + s - 7, colour)
    for wx in range(x + 6, x + s - 6, 5):
        c.rect(wx, y + 8, wx + 3, y + 12, WHITE)
    c.ellipse(x + 8, y + s - 6, 2.5, 2.5, BLACK)
    c.ellipse(x + s - 8, y + s - 6, 2.5, 2.5, BLACK)


def glyph_private_room(c, x, y, s, colour):
    c.rect(x + 6, y + 3, x + s - 6, y + s - 3, colour)
    c.rect(x + 8, y + 5, x + s - 8, y + s - 3, BROWN)
    c.rect(x + s - 11, y + s // 2, x + s - 9, y + s // 2 + 2, GOLD)


def glyph_directory(c, x, y, s, colour):
    c.rect(x + 4, y + 4, x + s - 4, y + s - 4, colour)
    c.rect(x + s // 2 - 1, y + 4, x + s // 2 + 1, y + s - 4, WHITE)
    for ly in range(y + 8, y + s - 6, 3):
        c.rect(x + 6, ly, x + s // 2 - 3, ly + 1, WHITE)
        c.rect(x + s // 2 + 3, ly, x + s - 6, ly + 1, WHITE)


def glyph_seat_map(c, x, y, s, colour):
    for row in range(3):
        for col in range(4):
            sx, sy = x + 4 + col * 4, y + 6 + row * 5
            c.rect(sx, sy, sx + 3, sy + 4, colour)
    c.rect(x + 4, y + s - 5, x + s - 4, y + s - 3, BROWN)


def glyph_transfer(c, x, y, s, colour):
    c.polygon([(x + 6, y + 3), (x + s - 10, y + 3), (x + s - 6, y + 7),
               (x + s - 6, y + s - 3), (x + 6, y + s - 3)], WHITE)
    c.frame(x + 6, y + 3, x + s - 5, y + s - 2, DARK)
    c.polygon([(x + s / 2, y + s - 6), (x + s / 2 - 5, y + s / 2 - 1),
               (x + s / 2 + 5, y + s / 2 - 1)], colour)
    c.rect(x + s // 2 - 2, y + 7, x + s // 2 + 2, y + s // 2, colour)


BUTTON_SIZE = 24


def button_faces(glyph, colour):
    """The four faces of one tool-bar button: hot (lit), normal, disabled
    (grey, etched) and the pressed overlay (moved one pixel)."""
    s = BUTTON_SIZE
    hot = Canvas(s, s)
    hot.rect(1, 1, s - 1, s - 1, LAVENDER)
    hot.bevel(0, 0, s, s, True)
    glyph(hot, 0, 0, s, colour)
    normal = Canvas(s, s)
    glyph(normal, 0, 0, s, colour)
    disabled = Canvas(s, s)
    glyph(disabled, 1, 1, s, WHITE)
    glyph(disabled, 0, 0, s, GRAY)
    pressed = Canvas(s, s)
    pressed.bevel(0, 0, s, s, False)
    glyph(pressed, 1, 1, s, colour)
    return hot, normal, disabled, pressed


def brand_button():
    c = Canvas(48, BUTTON_SIZE)
    c.ellipse(11, 12, 9, 9, PERIWINKLE)
    c.ellipse(11, 12, 5, 5, YELLOW)
    c.text(22, 9, "LUM", NAVY)
    return c


# ---------------------------------------------------------------------------
# Faces, figures and other pictures.

def face(size, skin=SKIN, mood="normal", background=KEY):
    c = Canvas(size, size, background)
    r = size / 2 - 2
    c.ellipse(size / 2, size / 2, r, r, skin)
    ex = size * 0.32
    eye = max(1.5, size / 16)
    c.ellipse(ex, size * 0.4, eye, eye, BLACK)
    c.ellipse(size - ex, size * 0.4, eye, eye, BLACK)
    mouth_y = size * 0.68
    if mood == "happy":
        for i in range(int(size * 0.3), int(size * 0.7)):
            dy = ((i - size / 2) / (size * 0.2)) ** 2 * size * 0.08
            c.rect(i, int(mouth_y - dy + 2), i + 1, int(mouth_y - dy + 4), BLACK)
    elif mood == "sad":
        for i in range(int(size * 0.3), int(size * 0.7)):
            dy = ((i - size / 2) / (size * 0.2)) ** 2 * size * 0.08
            c.rect(i, int(mouth_y + dy - 1), i + 1, int(mouth_y + dy + 1), BLACK)
    elif mood == "angry":
        c.line(int(ex - 4), int(size * 0.28), int(ex + 3), int(size * 0.34), BLACK, 2)
        c.line(int(size - ex + 4), int(size * 0.28), int(size - ex - 3), int(size * 0.34),
               BLACK, 2)
        c.rect(int(size * 0.32), int(mouth_y), int(size * 0.68), int(mouth_y) + 2, BLACK)
    else:
        c.rect(int(size * 0.35), int(mouth_y), int(size * 0.65), int(mouth_y) + 2, BLACK)
    return c


def person_icon(colour):
    c = Canvas(16, 16)
    c.ellipse(8, 5, 3, 3, SKIN)
    c.ellipse(8, 14, 5.5, 5, colour)
    return c


def group_icon(colour):
    c = Canvas(16, 16)
    c.ellipse(5, 5, 2.5, 2.5, SKIN)
    c.ellipse(11, 5, 2.5, 2.5, SKIN)
    c.ellipse(5, 13, 4, 4, colour)
    c.ellipse(11, 13, 4, 4, colour)
    return c


def small_glyph(glyph, colour, size=16):
    c = Canvas(size, size)
    glyph(c, -3, -3, size + 6, colour)
    return c


def strip(frames):
    width = sum(f.width for f in frames)
    c = Canvas(width, frames[0].height)
    x = 0
    for f in frames:
        c.paste(f, x, 0)
        x += f.width
    return c


def indicator_strip():
    """Four 20 x 20 states: waiting, participating, observing, disconnected."""
    frames = []
    for colour, mark in ((GOLD, "wait"), (LIME, "in"), (BLUE, "watch"), (RED, "off")):
        f = Canvas(20, 20)
        f.ellipse(10, 10, 9, 9, colour)
        f.ring(10, 10, 9, 8, DARK)
        if mark == "wait":
            f.rect(9, 4, 11, 11, BLACK)
            f.rect(9, 9, 15, 11, BLACK)
        elif mark == "in":
            f.ellipse(10, 7, 2.5, 2.5, WHITE)
            f.ellipse(10, 15, 4, 3.5, WHITE)
        elif mark == "watch":
            f.ellipse(10, 10, 6, 3.5, WHITE)
            f.ellipse(10, 10, 2, 2, BLACK)
        else:
            f.line(6, 6, 13, 13, WHITE, 2)
            f.line(13, 6, 6, 13, WHITE, 2)
        frames.append(f)
    return strip(frames)


def busy_strip(frames=5, size=24):
    out = []
    for k in range(frames):
        f = Canvas(size, size)
        for dot in range(frames):
            angle = 2 * math.pi * dot / frames - math.pi / 2
            x = size / 2 + math.cos(angle) * 8
            y = size / 2 + math.sin(angle) * 8
            colour = INDIGO if dot == k else LAVENDER
            f.ellipse(x, y, 2.5, 2.5, colour)
        out.append(f)
    return strip(out)


def logo(width, height):
    c = Canvas(width, height, WHITE)
    for y in range(height):
        shade = 255 - y * 40 // height
        c.rect(0, y, width, y + 1, (shade, shade, 255))
    c.ellipse(height / 2, height / 2, height / 2 - 3, height / 2 - 3, PERIWINKLE)
    c.ellipse(height / 2, height / 2, height / 4, height / 4, YELLOW)
    c.text(height + 2, height // 2 - 7, "LUMORA", NAVY, 2)
    return c


def splash():
    c = Canvas(240, 180, WHITE)
    for y in range(180):
        shade = 255 - y * 60 // 180
        c.rect(0, y, 240, y + 1, (shade, shade, 255))
    c.ellipse(120, 62, 40, 40, PERIWINKLE)
    c.ellipse(120, 62, 22, 22, YELLOW)
    words = "LUMORA CHAT"
    c.text(120 - text_width(words, 3) // 2, 118, words, NAVY, 3)
    words = "ZANTHE"
    c.text(120 - text_width(words, 1) // 2, 150, words, INDIGO, 1)
    c.frame(0, 0, 240, 180, NAVY)
    return c


def background_tile():
    c = Canvas(32, 32, LAVENDER)
    for y in range(32):
        for x in range(32):
            if (x + y) % 8 == 0:
                c.put(x, y, (230, 230, 255))
    return c


def vehicle(width, height, colour):
    c = Canvas(width, height)
    c.rect(2, height // 5, width - 2, height - height // 4, colour)
    c.frame(2, height // 5, width - 2, height - height // 4, DARK)
    step = max(6, width // 8)
    for wx in range(6, width - 8, step):
        c.rect(wx, height // 5 + 3, wx + step - 3, height // 2, LAVENDER)
    for wx in (width // 5, width - width // 5):
        c.ellipse(wx, height - height // 4, height / 7, height / 7, BLACK)
    return c


def overlay_pair(size, colour):
    """A picture laid over an avatar with OR and its mask laid with AND."""
    paint = Canvas(size, size, BLACK)
    mask = Canvas(size, size, WHITE)
    for c, ink in ((paint, colour), (mask, BLACK)):
        c.ring(size / 2, size / 2, size / 2 - 1, size / 2 - 4, ink)
    return paint, mask


def hot_button(width, height, glyph, colour, state):
    """Faces of the people page buttons: normal, hot and pressed."""
    c = Canvas(width, height, SILVER)
    if state == "hot":
        c.rect(1, 1, width - 1, height - 1, LAVENDER)
    c.bevel(0, 0, width, height, state != "down")
    shift = 1 if state == "down" else 0
    glyph(c, (width - 24) // 2 + shift, 4 + shift, 24, colour)
    return c


def folder_strip():
    frames = []
    for open_folder in (False, True):
        f = Canvas(16, 16)
        f.rect(1, 4, 7, 6, GOLD)
        f.rect(1, 5, 15, 14, GOLD if not open_folder else YELLOW)
        f.frame(1, 5, 15, 14, BROWN)
        frames.append(f)
    return strip(frames)


def drive_strip():
    frames = []
    for kind in ("removable", "fixed", "remote", "cdrom"):
        f = Canvas(16, 16)
        if kind == "cdrom":
            f.ellipse(8, 8, 7, 7, SILVER)
            f.ellipse(8, 8, 2, 2, KEY)
            f.ring(8, 8, 7, 6, GRAY)
        else:
            f.rect(1, 5, 15, 12, SILVER)
            f.frame(1, 5, 15, 12, DARK)
            f.rect(11, 9, 13, 10, LIME)
            if kind == "removable":
                f.rect(4, 7, 10, 8, BLACK)
            if kind == "remote":
                f.rect(7, 12, 9, 15, DARK)
                f.rect(3, 14, 13, 15, DARK)
        frames.append(f)
    return strip(frames)


def auditorium_overview():
    c = Canvas(176, 240, WHITE)
    c.rect(48, 4, 128, 24, BROWN)
    for row in range(12):
        y = 34 + row * 17
        for section in range(3):
            x0 = 8 + section * 56
            c.rect(x0, y, x0 + 48, y + 12, (220 - row * 6, 220 - row * 6, 255))
            c.frame(x0, y, x0 + 48, y + 12, GRAY)
    return c


def broadcast_picture(width, height):
    c = Canvas(width, height, WHITE)
    for y in range(height):
        shade = 255 - y * 50 // height
        c.rect(0, y, width, y + 1, (255, shade, shade // 2 + 100))
    c.ellipse(width / 2, height / 2, height / 3, height / 3, YELLOW)
    c.ring(width / 2, height / 2, height / 3, height / 3 - 2, ORANGE)
    c.frame(0, 0, width, height, ORANGE)
    return c


def lightbulb():
    c = Canvas(32, 32)
    c.ellipse(16, 13, 9, 9, YELLOW)
    c.ring(16, 13, 9, 8, GOLD)
    c.rect(12, 21, 20, 27, SILVER)
    c.rect(12, 23, 20, 24, GRAY)
    c.rect(14, 27, 18, 29, GRAY)
    return c


def check_mark(size, colour):
    c = Canvas(size, size)
    c.line(2, size // 2, size // 2 - 1, size - 4, colour, 2)
    c.line(size // 2 - 1, size - 4, size - 3, 2, colour, 2)
    return c


def speaker_icon(colour, waves):
    c = Canvas(16, 16)
    c.rect(2, 6, 5, 10, colour)
    c.polygon([(5, 6), (9, 2), (9, 14), (5, 10)], colour)
    for w in range(waves):
        for y in range(3, 14):
            for x in range(10, 16):
                if 3 + w * 3 <= math.hypot(x + 0.5 - 9, y + 0.5 - 8) <= 4 + w * 3:
                    c.put(x, y, colour)
    return c


def toggle(on):
    c = Canvas(12, 12, SILVER)
    c.bevel(0, 0, 12, 12, not on)
    c.ellipse(6, 6, 3, 3, LIME if on else RED)
    return c


def notice_picture(width, height, colour):
    c = Canvas(width, height)
    c.ellipse(width / 2, height / 2, width / 2 - 4, height / 2 - 4, colour)
    c.ellipse(width / 2, height / 2, width / 4, height / 4, WHITE)
    return c


def bitmaps():
    """Every bitmap of the library, by resource id."""
    pictures = {}
    buttons = [
        (165, brand_button, None),
        (32629, glyph_back, GREEN),
        (32630, glyph_forward, GREEN),
        (32634, glyph_stop, RED),
        (32632, glyph_reload, BLUE),
        (32631, glyph_home, BROWN),
        (32827, glyph_help, BLUE),
        (1325, glyph_tours, GOLD),
        (1326, glyph_private_room, PURPLE),
        (32832, glyph_directory, NAVY),
        (61262, glyph_transfer, TEAL),
        (1327, glyph_seat_map, INDIGO),
    ]
    face_ids = {
        32629: (442, 415, 384, 508), 32630: (443, 421, 388, 509),
        32634: (444, 412, 393, 510), 32632: (445, 426, 392, 511),
        32631: (446, 423, 390, 512), 32827: (332, 422, 389, 513),
        1325: (519, 521, 520, 522), 1326: (523, 525, 524, 526),
        32832: (325, 425, 391, 514), 1327: (515, 517, 516, 518),
    }
    for command, glyph, colour in buttons:
        if command == 165:
            pictures[497] = brand_button()
        elif command == 61262:
            pictures[801] = button_faces(glyph, colour)[1]
        else:
            for bid, picture in zip(face_ids[command], button_faces(glyph, colour)):
                pictures[bid] = picture
    # The help button of the people page's bar has faces of its own.
    for bid, picture in zip((531, 530, 529, 528), button_faces(glyph_help, TEAL)):
        pictures[bid] = picture

    pictures[266] = indicator_strip()
    pictures[468] = busy_strip()
    pictures[454] = logo(112, 32)
    pictures[438] = logo(120, 32)
    pictures[323] = background_tile()
    pictures[272] = splash()
    pictures[267] = check_mark(16, GREEN)
    pictures[282] = face(32)
    disabled = face(32)
    disabled.recolour(lambda c: c if c == KEY else (160, 160, 160) if c != BLACK else GRAY)
    pictures[286] = disabled
    for bid, mood in zip((480, 481, 482, 483), ("normal", "happy", "angry", "sad")):
        pictures[bid] = face(48, mood=mood)
    pictures[484] = face(48, skin=SILVER)
    pictures[486] = face(48, skin=LAVENDER)
    seat = Canvas(48, 48)
    seat.rect(8, 8, 40, 30, PERIWINKLE)
    seat.rect(8, 30, 40, 38, INDIGO)
    seat.rect(10, 38, 14, 46, DARK)
    seat.rect(34, 38, 38, 46, DARK)
    pictures[485] = seat
    frame = Canvas(48, 48)
    frame.ring(24, 24, 23, 20, GOLD)
    pictures[487] = frame
    pictures[143], pictures[269] = overlay_pair(48, GOLD)
    pictures[270], pictures[271] = overlay_pair(32, GOLD)
    pictures[264] = vehicle(64, 32, GOLD)
    pictures[265] = vehicle(96, 48, ORANGE)
    pictures[275] = small_glyph(glyph_tours, GOLD)
    pictures[276] = person_icon(BLUE)
    pictures[277] = person_icon(RED)
    pictures[278] = person_icon(GREEN)
    pictures[279] = group_icon(PURPLE)
    pictures[356] = small_glyph(glyph_seat_map, INDIGO)
    pictures[440] = small_glyph(glyph_transfer, TEAL)
    pictures[439] = small_glyph(glyph_directory, NAVY)
    pictures[449] = small_glyph(glyph_home, BROWN)
    pictures[299] = small_glyph(glyph_directory, PURPLE)
    pictures[292] = folder_strip()
    pictures[293] = drive_strip()
    pictures[318] = face(48, skin=ORANGE)
    pictures[348] = auditorium_overview()
    pictures[453] = lightbulb()
    pictures[451] = face(48, mood="happy")
    pictures[452] = vehicle(48, 48, GOLD)
    people_buttons = {
        1032: ((457, 458, 459), 32, glyph_directory, NAVY),
        1030: ((455, 456, 436), 39, glyph_forward, GREEN),
        1144: ((507, 505, 506), 32, glyph_stop, RED),
        1176: ((450, 464, 466), 32, glyph_help, BLUE),
    }
    for ids, width, glyph, colour in people_buttons.values():
        for bid, state in zip(ids, ("normal", "hot", "down")):
            pictures[bid] = hot_button(width, 41, glyph, colour, state)
    pictures[469] = check_mark(16, BLUE)
    pictures[470] = small_glyph(glyph_stop, RED)
    pictures[477] = notice_picture(81, 71, PERIWINKLE)
    pictures[478] = notice_picture(68, 71, ORANGE)
    pictures[559] = toggle(False)
    pictures[560] = toggle(True)
    pictures[796] = speaker_icon(NAVY, 2)
    pictures[797] = speaker_icon(TEAL, 0)
    pictures[798] = speaker_icon(GRAY, 0)
    pictures[799] = speaker_icon(LIME, 2)
    pictures[800] = speaker_icon(RED, 0)
    # The tour button of the page frame: normal, hot and pressed, 96 x 44.
    for bid, state in zip((400, 399, 401), ("normal", "hot", "down")):
        pictures[bid] = hot_button(96, 44, glyph_tours, GOLD, state)
    pictures[268] = broadcast_picture(96, 64)
    pictures[498] = broadcast_picture(120, 80)
    pictures[494] = background_tile()
    return pictures


# ---------------------------------------------------------------------------
# Cursors (hot spot, rows of 32 characters) and the icon.

def arrow_rows(extra=None):
    c = [["."] * 32 for _ in range(32)]
    shape = [
        "#", "##", "#o#", "#oo#", "#ooo#", "#oooo#", "#ooooo#", "#oooooo#",
        "#ooooooo#", "#oooooooo#", "#ooooo#####", "#oo#oo#", "#o# #oo#", "##  #oo#",
        "#    #oo#", "     #oo#", "      ##",
    ]
    for y, row in enumerate(shape):
        for x, ch in enumerate(row):
            if ch != " ":
                c[y][x] = ch
    if extra:
        extra(c)
    return ["".join(r) for r in c]


def hand_rows():
    c = [["."] * 32 for _ in range(32)]
    shape = [
        "     ##", "    #oo#", "    #oo#", "    #oo#", "    #oo###", "    #oo#oo###",
        "    #oo#oo#oo##", "### #oo#oo#oo#o#", "#oo##oooooooo#o#", "#ooo#ooooooooooo#",
        " #oooooooooooooo#", "  #ooooooooooooo#", "  #oooooooooooo#", "   #ooooooooooo#",
        "   #oooooooooo#", "    #ooooooooo#", "    #ooooooooo#", "    ###########",
    ]
    for y, row in enumerate(shape):
        for x, ch in enumerate(row):
            if ch != " ":
                c[y][x] = ch
    return ["".join(r) for r in c]


def badge(symbol):
    def draw(c):
        for y in range(18, 30):
            for x in range(16, 28):
                c[y][x] = "#" if y in (18, 29) or x in (16, 27) else "o"
        if symbol == "plus":
            for i in range(19, 27):
                c[23][i] = "#"
                c[i + 1][22] = "#"
        elif symbol == "cross":
            for i in range(3, 9):
                c[18 + i][16 + i] = "#"
                c[18 + i][27 - i] = "#"
        elif symbol == "person":
            for y in range(20, 23):
                for x in range(20, 24):
                    c[y][x] = "#"
            for y in range(24, 28):
                for x in range(18, 26):
                    c[y][x] = "#"
        elif symbol == "question":
            for x, y in ((20, 20), (21, 19), (22, 19), (23, 20), (23, 21), (22, 22),
                         (21, 23), (21, 24), (21, 27)):
                c[y][x] = "#"
        elif symbol == "seat":
            for y in range(20, 25):
                for x in range(18, 26):
                    c[y][x] = "#"
            for y in range(25, 28):
                c[y][19] = "#"
                c[y][24] = "#"
    return draw


def crosshair_rows():
    c = [["."] * 32 for _ in range(32)]
    for i in range(4, 28):
        c[15][i] = "#"
        c[i][15] = "#"
    for y in range(12, 19):
        for x in range(12, 19):
            if abs(x - 15) == 3 or abs(y - 15) == 3:
                c[y][x] = "o"
    return ["".join(r) for r in c]


def scale_rows(rows, size):
    return ["".join(rows[y * 32 // size][x * 32 // size] for x in range(size))
            for y in range(size)]


CURSORS = {
    258: ((5, 0), hand_rows()),                       # link
    259: ((0, 0), arrow_rows(badge("person"))),       # drag a person
    260: ((0, 0), arrow_rows(badge("plus"))),         # drop: copy
    261: ((0, 0), arrow_rows(badge("cross"))),        # drop refused
    262: ((0, 0), arrow_rows(badge("seat"))),         # drop on a seat
    263: ((0, 0), arrow_rows(badge("person"))),       # drop an avatar
    442: ((0, 0), arrow_rows(badge("plus"))),         # add to favourites
    464: ((15, 15), crosshair_rows()),                # choose a section or seat
    30977: ((0, 0), arrow_rows(badge("question"))),   # context help
}


def cursor_file(hot_spot, rows, with_large):
    entries = [(32, 2, hot_spot[0], hot_spot[1], mono_image(rows, 32))]
    if with_large:
        large = scale_rows(rows, 48)
        entries.append((48, 2, hot_spot[0] * 3 // 2, hot_spot[1] * 3 // 2,
                        mono_image(large, 48)))
    return directory_file(2, entries)


def icon_file():
    entries = []
    for size in (32, 16):
        c = Canvas(size, size)
        c.ellipse(size / 2, size / 2, size / 2 - 1, size / 2 - 1, BLUE)
        c.ellipse(size / 2, size / 2, size / 4, size / 4, YELLOW)
        entries.append((size, 16, 1, 4, colour16_image(c)))
    return directory_file(1, entries)


# ---------------------------------------------------------------------------

def write_if_changed(path, data):
    if path.exists() and path.read_bytes() == data:
        return
    path.write_bytes(data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_pictures.py OUTPUT_DIR\n")
        return 2
    out = pathlib.Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    files = {}
    lines = []
    for bid, picture in sorted(bitmaps().items()):
        name = f"bitmap{bid}.bmp"
        files[name] = bmp_bytes(picture)
        lines.append(f'{bid} BITMAP "{name}"\n')
    for cid, (hot_spot, rows) in sorted(CURSORS.items()):
        name = f"cursor{cid}.cur"
        # The link cursor also comes in a large size for high-resolution screens.
        files[name] = cursor_file(hot_spot, rows, cid == 258)
        lines.append(f'{cid} CURSOR "{name}"\n')
    files["icon128.ico"] = icon_file()
    lines.append('128 ICON "icon128.ico"\n')
    digest = hashlib.sha256()
    for name, data in sorted(files.items()):
        write_if_changed(out / name, data)
        digest.update(name.encode("ascii") + data)
    # The digest changes the script whenever a picture changes, so that the
    # resource compiler runs again.
    header = ("// Written by make_pictures.py: the pictures of the resource library.\n"
              f"// Contents {digest.hexdigest()}\n")
    write_if_changed(out / "pictures.rc", (header + "".join(lines)).encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
