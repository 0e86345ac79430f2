#!/usr/bin/env python3
"""Draws the installer's icons and writes them as 16-colour .ico files (32x32 and 16x16 in each),
a format every Windows since NT 4 reads. Run from anywhere: the files land beside this script."""

import math
import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
    (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)
CLEAR = None  # transparent
OUTLINES = (BLACK, RED, BLUE)  # kept when a picture is halved


def canvas():
    return [[CLEAR] * 32 for _ in range(32)]


def rect(c, x0, y0, x1, y1, fill, outline=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            c[y][x] = outline if (edge and outline is not None) else fill


def shape(c, inside, colour):
    for y in range(32):
        for x in range(32):
            if inside(x + 0.5, y + 0.5):
                c[y][x] = colour


def triangle(a, b, p):
    def side(p1, p2, q):
        return (q[0] - p2[0]) * (p1[1] - p2[1]) - (p1[0] - p2[0]) * (q[1] - p2[1])

    def inside(x, y):
        q = (x, y)
        d1, d2, d3 = side(a, b, q), side(b, p, q), side(p, a, q)
        neg = d1 < 0 or d2 < 0 or d3 < 0
        pos = d1 > 0 or d2 > 0 or d3 > 0
        return not (neg and pos)

    return inside


def draw_setup(c):
    # The computer: monitor with a blue screen, stand, keyboard.
    rect(c, 1, 5, 17, 19, SILVER, BLACK)
    rect(c, 3, 7, 15, 16, NAVY)
    rect(c, 4, 8, 9, 9, AQUA)
    rect(c, 7, 20, 11, 21, GREY, BLACK)
    rect(c, 3, 22, 15, 23, SILVER, BLACK)
    rect(c, 1, 25, 17, 29, SILVER, BLACK)
    for x in range(3, 16, 2):
        c[27][x] = GREY
    # The software box beside it: a yellow front with a red band, an olive side and top.
    shape(c, triangle((20, 11), (31, 11), (24, 8)), OLIVE)
    shape(c, triangle((24, 8), (31, 8), (31, 11)), OLIVE)
    rect(c, 19, 11, 27, 29, YELLOW, BLACK)
    rect(c, 28, 9, 30, 27, OLIVE, BLACK)
    rect(c, 20, 16, 26, 19, RED)
    rect(c, 21, 23, 25, 24, BLUE)


def draw_prohibition(c):
    cx = cy = 16.0

    def ring(x, y):
        r = math.hypot(x - cx, y - cy)
        return 12.5 <= r <= 15.5

    def bar(x, y):
        # The diagonal from top left to bottom right, inside the ring.
        return abs((x - cx) - (y - cy)) <= 2.3 and math.hypot(x - cx, y - cy) <= 13.5

    shape(c, ring, RED)
    shape(c, bar, RED)


def draw_arrows(c):
    cx = cy = 16.0
    arcs = ((200, 330), (20, 150))  # degrees, clockwise on screen (y grows downwards)

    def on_arc(x, y):
        r = math.hypot(x - cx, y - cy)
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return 8.0 <= r <= 11.5 and any(lo <= a <= hi for lo, hi in arcs)

    shape(c, on_arc, BLACK)
    for _, end in arcs:
        e = math.radians(end)
        tip = math.radians(end + 28)
        inner = (cx + 4.5 * math.cos(e), cy + 4.5 * math.sin(e))
        outer = (cx + 15.0 * math.cos(e), cy + 15.0 * math.sin(e))
        point = (cx + 9.75 * math.cos(tip), cy + 9.75 * math.sin(tip))
        shape(c, triangle(inner, outer, point), BLACK)


def draw_question(c):
    def bubble(x, y):
        return ((x - 16) / 14.5) ** 2 + ((y - 13) / 11) ** 2 <= 1.0

    def bubble_inner(x, y):
        return ((x - 16) / 13.3) ** 2 + ((y - 13) / 9.8) ** 2 <= 1.0

    tail_outer = triangle((7, 19), (15, 22), (3, 31))
    tail_inner = triangle((8.5, 19.5), (13.5, 21.5), (4.6, 29))
    shape(c, lambda x, y: bubble(x, y) or tail_outer(x, y), BLACK)
    shape(c, lambda x, y: bubble_inner(x, y) or tail_inner(x, y), WHITE)
    glyph = [" XXX ", "XX XX", "   XX", "  XX ", "  X  ", "     ", "  X  "]
    for gy, row in enumerate(glyph):
        for gx, ch in enumerate(row):
            if ch == "X":
                rect(c, 11 + 2 * gx, 6 + 2 * gy, 12 + 2 * gx, 7 + 2 * gy, BLUE)


def halve(c):
    small = [[CLEAR] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            block = [c[2 * y + dy][2 * x + dx] for dy in (0, 1) for dx in (0, 1)]
            solid = [p for p in block if p is not CLEAR]
            if len(solid) < 2:
                continue
            strong = [p for p in solid if p in OUTLINES]
            pool = strong if strong else solid
            small[y][x] = max(set(pool), key=lambda p: (pool.count(p), -p))
    return small


def image_bytes(pixels):
    size = len(pixels)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray(xor_row)
        bits = bytearray(and_row)
        for x, p in enumerate(row):
            index = 0 if p is CLEAR else p
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if p is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def write_icon(name, pixels32):
    images = [pixels32, halve(pixels32)]
    blobs = [image_bytes(p) for p in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), "wb") as f:
        f.write(out)


def main():
    setup = canvas()
    draw_setup(setup)
    write_icon("setup.ico", setup)
    write_icon("setup_small.ico", setup)

    forbidden = canvas()
    draw_setup(forbidden)
    draw_prohibition(forbidden)
    write_icon("uninstall.ico", forbidden)

    arrows = canvas()
    draw_arrows(arrows)
    write_icon("reinstall.ico", arrows)

    question = canvas()
    draw_question(question)
    write_icon("question.ico", question)


if __name__ == "__main__":
    main()
