#!/usr/bin/env python3
"""Draws the program's pictures into pictures/ beside this script.

tray.ico         the notification-area icon: one 16x16 picture, 256 colours
tree0..5.png     16x16 folder-tree pictures: account, inbox, outbox, deleted,
                 sent, plain folder
tool0..8.png     32x32 tool-bar pictures: receive, send, compose, reply,
                 forward, delete, favourite, find, home page

The small pictures are pixel maps (one letter a pixel); the tool-bar ones are
simple shapes, drawn with 4x4 samples a pixel for smooth edges.
Standard library only.
"""
import math
import os
import struct
import zlib

COLOURS = {
    ".": None,
    "k": (44, 62, 90),      # outline
    "w": (255, 255, 255),
    "b": (59, 125, 216),    # blue
    "l": (170, 205, 245),   # light blue
    "y": (246, 205, 90),    # folder
    "Y": (252, 232, 160),   # folder highlight
    "s": (245, 201, 160),   # skin
    "g": (46, 160, 67),     # green
    "o": (236, 140, 30),    # orange
    "G": (160, 170, 182),   # grey
    "d": (110, 120, 132),   # dark grey
}

ENVELOPE = [
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kbwwwwwwwwwwbk.",
    ".kwbwwwwwwwwbwk.",
    ".kwwbwwwwwwbwwk.",
    ".kwwwbwwwwbwwwk.",
    ".kwwwwbwwbwwwwk.",
    ".kwwwwwbbwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
]

PERSON = [
    "................",
    "......kkkk......",
    ".....kssssk.....",
    "....kssssssk....",
    "....kssssssk....",
    "....kssssssk....",
    ".....kssssk.....",
    "......kkkk......",
    "....kkbbbbkk....",
    "...kbbbbbbbbk...",
    "..kbbbbbbbbbbk..",
    "..kbbbbbbbbbbk..",
    "..kbbbbbbbbbbk..",
    "..kkkkkkkkkkkk..",
    "................",
    "................",
]

DOWN_ARROW = [
    "......gggg......",
    "......gggg......",
    "......gggg......",
    "......gggg......",
    "...gggggggggg...",
    "....gggggggg....",
    ".....gggggg.....",
    "......gggg......",
    ".......gg.......",
]

TRAY = [
    "................",
    "kk............kk",
    "kbk..........kbk",
    "kbbkkkkkkkkkkbbk",
    "kbbbbbbbbbbbbbbk",
    "kbbbbbbbbbbbbbbk",
    "kkkkkkkkkkkkkkkk",
]

BIN = [
    "................",
    "......kkkk......",
    "..kkkkkkkkkkkk..",
    "..kGGGGGGGGGGk..",
    "..kkkkkkkkkkkk..",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kGdGdGdGdk...",
    "...kkkkkkkkkk...",
    "................",
    "................",
]

SENT_MARK = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "..........g.....",
    "..........gg....",
    ".......ggggggg..",
    ".......gggggggg.",
    ".......ggggggg..",
    "..........gg....",
    "..........g.....",
]

FOLDER = [
    "................",
    "................",
    "................",
    ".kkkkk..........",
    "kyyyyykkkkkkkkk.",
    "kYYYYYYYYYYYYYk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kyyyyyyyyyyyyyk.",
    "kkkkkkkkkkkkkkk.",
    "................",
    "................",
]


def recolour(rows, old, new):
    return [row.replace(old, new) for row in rows]


def overlay(base, top):
    """Letters of top replace those of base; '.' in top keeps base."""
    out = list(base)
    for y, row in enumerate(top):
        out[y] = "".join(t if t != "." else b for b, t in zip(out[y], row))
    return out


TREE = [
    PERSON,
    DOWN_ARROW + TRAY,
    recolour(DOWN_ARROW[::-1], "g", "o") + TRAY,
    BIN,
    overlay(ENVELOPE, SENT_MARK),
    FOLDER,
]


def map_pixels(rows):
    assert len(rows) == 16 and all(len(row) == 16 for row in rows), rows
    pixels = []
    for row in rows:
        for letter in row:
            rgb = COLOURS[letter]
            pixels.append((0, 0, 0, 0) if rgb is None else rgb + (255,))
    return pixels


def png(width, height, pixels):
    raw = b"".join(
        b"\x00" + bytes(v for p in pixels[y * width:(y + 1) * width] for v in p)
        for y in range(height))

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data +
                struct.pack(">I", zlib.crc32(tag + data) & 0xffffffff))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(rows):
    """One 16x16 picture, 8 bits a pixel with a 256-entry palette: 1406 bytes."""
    letters = sorted({letter for row in rows for letter in row} - {"."})
    index = {letter: i + 1 for i, letter in enumerate(letters)}  # 0: transparent
    palette = [(0, 0, 0)] + [COLOURS[letter] for letter in letters]
    palette += [(0, 0, 0)] * (256 - len(palette))
    bottom_up = rows[::-1]
    xor = bytes(index.get(letter, 0) for row in bottom_up for letter in row)
    mask = b""
    for row in bottom_up:
        bits = int("".join("1" if letter == "." else "0" for letter in row), 2)
        mask += struct.pack(">H", bits) + b"\x00\x00"  # rows padded to 4 bytes
    image = (struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 8, 0, len(xor) + len(mask),
                         0, 0, 256, 0) +
             b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette) + xor + mask)
    head = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 8,
                                                       len(image), 22)
    data = head + image
    assert len(data) == 1406
    return data


# Shapes for the tool bar: each is a test "is the point (x, y) inside".
def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def line(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= width / 2
    return inside


def arc(cx, cy, r, width, start, end):
    """A thick arc from angle start to end (degrees, counter-clockwise, y up)."""
    def inside(x, y):
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (abs(math.hypot(x - cx, y - cy) - r) <= width / 2 and
                (start <= angle <= end if start <= end else angle >= start or angle <= end))
    return inside


class Canvas:
    SAMPLES = 4

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, shape, rgb, alpha=1.0):
        n = self.SAMPLES
        for py in range(self.size):
            for px in range(self.size):
                hits = sum(shape(px + (i + 0.5) / n, py + (j + 0.5) / n)
                           for i in range(n) for j in range(n))
                if hits:
                    self.blend(self.pixels[py * self.size + px], rgb, alpha * hits / (n * n))

    @staticmethod
    def blend(pixel, rgb, a):
        out_a = a + pixel[3] * (1 - a)
        for k in range(3):
            pixel[k] = (rgb[k] * a + pixel[k] * pixel[3] * (1 - a)) / out_a
        pixel[3] = out_a

    def outlined(self, outer, inner, edge, body):
        self.fill(outer, edge)
        self.fill(inner, body)

    def rgba(self):
        return [tuple(round(v) for v in p[:3]) + (round(p[3] * 255),) for p in self.pixels]


EDGE = (44, 62, 90)
WHITE = (255, 255, 255)
BLUE = (59, 125, 216)
GREEN = (46, 160, 67)
ORANGE = (236, 140, 30)
RED = (210, 50, 50)
GOLD = (242, 190, 40)


def envelope(c, x0, y0, x1, y1):
    c.outlined(rounded(x0, y0, x1, y1, 1.5), rect(x0 + 1.2, y0 + 1.2, x1 - 1.2, y1 - 1.2),
               EDGE, WHITE)
    mid = (x0 + x1) / 2
    c.fill(line(x0 + 1.5, y0 + 1.5, mid, y0 + (y1 - y0) * 0.6, 1.6), BLUE)
    c.fill(line(x1 - 1.5, y0 + 1.5, mid, y0 + (y1 - y0) * 0.6, 1.6), BLUE)


def arrow_down(c, cx, top, bottom, rgb):
    c.fill(rect(cx - 2.5, top, cx + 2.5, bottom - 6), rgb)
    c.fill(polygon([(cx - 6.5, bottom - 7), (cx + 6.5, bottom - 7), (cx, bottom)]), rgb)


def bent_arrow(c, mirror):
    """The reply arrow; mirrored it is the forward arrow."""
    def m(shape):
        return (lambda x, y: shape(32 - x, y)) if mirror else shape
    c.fill(m(arc(17, 22, 9, 4, 0, 90)), BLUE)
    c.fill(m(rect(16, 11, 18, 15)), BLUE)
    c.fill(m(polygon([(5, 13), (16, 5), (16, 21)])), BLUE)


def tool_receive(c):
    envelope(c, 2, 4, 24, 20)
    c.fill(circle(23, 22, 9), WHITE)
    arrow_down(c, 23, 13, 31, GREEN)


def tool_send(c):
    c.fill(polygon([(2, 15), (30, 3), (22, 28)]), BLUE)
    c.fill(polygon([(2, 15), (30, 3), (13, 19)]), (120, 170, 235))
    c.fill(polygon([(13, 19), (30, 3), (14, 27)]), (40, 95, 180))


def tool_compose(c):
    c.outlined(rect(4, 2, 22, 29), rect(5.2, 3.2, 20.8, 27.8), EDGE, WHITE)
    for y in (8, 12, 16, 20):
        c.fill(rect(8, y, 18, y + 1), (150, 165, 185))
    c.fill(line(13, 25, 27, 9, 5.5), EDGE)
    c.fill(line(14, 24, 26.5, 9.8, 3.5), GOLD)
    c.fill(polygon([(10.5, 28.5), (12, 23.5), (15.5, 26.8)]), (230, 190, 150))
    c.fill(line(26, 9.5, 28.5, 7, 3.5), (230, 110, 130))


def tool_reply(c):
    bent_arrow(c, False)


def tool_forward(c):
    bent_arrow(c, True)


def tool_delete(c):
    c.fill(line(7, 7, 25, 25, 6), RED)
    c.fill(line(25, 7, 7, 25, 6), RED)


def tool_favourite(c):
    points = []
    for i in range(10):
        r = 14 if i % 2 == 0 else 6
        a = math.radians(-90 + 36 * i)
        points.append((16 + r * math.cos(a), 17 + r * math.sin(a)))
    c.fill(polygon(points), GOLD)


def tool_find(c):
    c.fill(line(19, 19, 28, 28, 5), EDGE)
    c.fill(circle(13, 13, 9.5), EDGE)
    c.fill(circle(13, 13, 7.5), (215, 232, 250))
    c.fill(arc(13, 13, 5, 1.6, 100, 170), WHITE)


def tool_home(c):
    c.fill(polygon([(16, 2), (31, 16), (27, 16), (16, 6), (5, 16), (1, 16)]), RED)
    c.outlined(rect(6, 14, 26, 29), rect(7.2, 15.2, 24.8, 27.8), EDGE, (250, 240, 220))
    c.fill(rect(13.5, 19, 18.5, 28), (140, 90, 50))
    c.fill(rect(22, 4, 25, 10), EDGE)


TOOLS = [tool_receive, tool_send, tool_compose, tool_reply, tool_forward, tool_delete,
         tool_favourite, tool_find, tool_home]


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures")
    os.makedirs(out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    write("tray.ico", ico(ENVELOPE))
    for number, rows in enumerate(TREE):
        write("tree%d.png" % number, png(16, 16, map_pixels(rows)))
    for number, draw in enumerate(TOOLS):
        canvas = Canvas(32)
        draw(canvas)
        write("tool%d.png" % number, png(32, 32, canvas.rgba()))


if __name__ == "__main__":
    main()
