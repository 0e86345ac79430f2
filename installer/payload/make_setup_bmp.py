#!/usr/bin/env python3
"""Draws the installer's backdrop picture, a computer beside a software box on a framed panel, and
writes it as setup.bmp: a 16-colour Windows bitmap with the long (40-byte) header, stored bottom-up,
which every Windows since NT 4 draws. Run from anywhere: the file lands beside this script."""

import os
import struct

WIDTH, HEIGHT = 256, 192

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
    (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)


def rect(c, x0, y0, x1, y1, fill, outline=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            c[y][x] = outline if (edge and outline is not None) else fill


def slanted(c, x0, y0, x1, y1, shift, fill, outline):
    """A parallelogram: each row from x0 to x1, moved right by shift for every row up from y1."""
    for y in range(y0, y1 + 1):
        d = (y1 - y) * shift // max(1, y1 - y0)
        for x in range(x0 + d, x1 + d + 1):
            edge = y in (y0, y1) or x in (x0 + d, x1 + d)
            c[y][x] = outline if edge else fill


def disc(c, cx, cy, r, fill, outline):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if d <= r * r:
                c[y][x] = outline if d > (r - 1) ** 2 else fill


def draw():
    c = [[SILVER] * WIDTH for _ in range(HEIGHT)]
    # A raised panel: white light from the top left, grey shade at the bottom right.
    rect(c, 0, 0, WIDTH - 1, HEIGHT - 1, SILVER, BLACK)
    for i in range(1, 3):
        for x in range(i, WIDTH - i):
            c[i][x] = WHITE
            c[HEIGHT - 1 - i][x] = GREY
        for y in range(i, HEIGHT - i):
            c[y][i] = WHITE
            c[y][WIDTH - 1 - i] = GREY

    # The computer: monitor with a blue screen showing lines of text, its stand, the system unit and
    # the keyboard.
    rect(c, 20, 24, 124, 104, SILVER, BLACK)
    rect(c, 30, 32, 114, 92, NAVY, BLACK)
    for row, length in enumerate((60, 44, 70, 30, 52)):
        rect(c, 36, 38 + row * 10, 36 + length, 41 + row * 10, AQUA)
    rect(c, 108, 97, 116, 100, LIME, BLACK)  # power light
    rect(c, 60, 105, 84, 114, GREY, BLACK)
    rect(c, 14, 115, 130, 138, SILVER, BLACK)
    rect(c, 90, 122, 120, 126, BLACK)  # floppy slot
    rect(c, 22, 124, 30, 128, GREEN, BLACK)
    slanted(c, 10, 146, 134, 168, 8, SILVER, BLACK)
    for row in range(3):
        for key in range(12):
            x = 20 + key * 9 + (2 - row) * 2
            rect(c, x, 150 + row * 6, x + 6, 153 + row * 6, WHITE, GREY)

    # The software box: front face with a coloured band and a disc, the top and the side in shade.
    front = (150, 58, 214, 168)
    slanted(c, 150, 42, 214, 58, 16, YELLOW, BLACK)  # top
    for y in range(42, 169):  # side
        for x in range(215, 231):
            limit_top = 58 - (x - 214)
            limit_bottom = 168 - (x - 214)
            if limit_top <= y <= limit_bottom:
                edge = y in (limit_top, limit_bottom) or x == 230
                c[y][x] = BLACK if edge else OLIVE
    rect(c, *front, YELLOW, BLACK)
    rect(c, front[0] + 1, 76, front[2] - 1, 96, RED)
    rect(c, front[0] + 1, 97, front[2] - 1, 100, MAROON)
    disc(c, 182, 132, 20, BLUE, BLACK)
    disc(c, 182, 132, 5, WHITE, BLACK)
    return c


def write(path, c):
    row_bytes = (WIDTH * 4 + 31) // 32 * 4
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(0, WIDTH, 2):
            row.append(c[y][x] << 4 | c[y][x + 1])
        pixels += row + bytes(row_bytes - len(row))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


if __name__ == "__main__":
    write(os.path.join(os.path.dirname(os.path.abspath(__file__)), "setup.bmp"), draw())
