#!/usr/bin/env python3
"""Draws the front panel's pictures and writes them as 16-colour files every Windows since NT 4 reads:
the two 10x10 light bitmaps and the 32x32 icons (program, tray slots, About animation). Run from
anywhere: the files land beside this script."""

import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
    (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, SILVER, RED, GREEN, YELLOW, BLUE, WHITE = 0, 8, 7, 9, 10, 11, 12, 15
CLEAR = None
HERE = os.path.dirname(os.path.abspath(__file__))


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def pixel_rows(pixels, width):
    """Bottom-up rows of 4-bit pixels, each padded to four bytes."""
    stride = ((width * 4 + 31) // 32) * 4
    out = b""
    for row in reversed(pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            value = 0 if colour is None else colour
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
        out += bytes(packed)
    return out


def mask_rows(pixels, width):
    """Bottom-up rows of the 1-bit transparency mask (set = transparent), padded to four bytes."""
    stride = ((width + 31) // 32) * 4
    out = b""
    for row in reversed(pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            if colour is None:
                packed[x // 8] |= 0x80 >> (x % 8)
        out += bytes(packed)
    return out


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def write_bmp(name, pixels):
    size = len(pixels)
    bits = pixel_rows(pixels, size)
    header = info_header(size, size, len(bits)) + palette_bytes()
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(bits), 0, 0, 14 + len(header))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(file_header + header + bits)


def write_ico(name, pixels):
    size = len(pixels)
    bits = pixel_rows(pixels, size) + mask_rows(pixels, size)
    # An icon image's height counts the colour rows and the mask rows.
    image = info_header(size, size * 2, len(bits)) + palette_bytes() + bits
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 22)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(directory + image)


def canvas(size):
    return [[CLEAR] * size for _ in range(size)]


def rect(c, x0, y0, x1, y1, fill, outline=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            c[y][x] = outline if edge and outline is not None else fill


def disc(c, cx, cy, r, colour):
    for y in range(len(c)):
        for x in range(len(c)):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                c[y][x] = colour


def light(lit):
    """A light: a one-pixel black border around red (lit) or light grey (dark)."""
    c = canvas(10)
    rect(c, 0, 0, 9, 9, RED if lit else SILVER, BLACK)
    return c


def modem_box(body, lights):
    """The small modem box of the tray: a flat case with three lights on its front."""
    c = canvas(32)
    rect(c, 2, 11, 29, 22, body, BLACK)
    rect(c, 3, 21, 28, 21, DARK_GREY)
    for i, colour in enumerate(lights):
        disc(c, 9 + 7 * i, 16.5, 2.3, colour)
        c[15][8 + 7 * i] = c[15][8 + 7 * i] if colour == BLACK else WHITE  # a glint on a lit light
    return c


def light_bar(lights):
    """The About picture: a black bar with three round lights."""
    c = canvas(32)
    rect(c, 1, 10, 30, 21, BLACK)
    for i, colour in enumerate(lights):
        disc(c, 7 + 9 * i, 16, 3.5, colour)
    return c


def program_icon():
    c = modem_box(SILVER, (GREEN, RED, RED))
    # A telephone line leaving the box.
    for x in range(12, 20):
        c[10 - (x - 12) // 3][x] = BLACK
    rect(c, 20, 6, 27, 8, BLACK)
    return c


def main():
    write_bmp("light_dark.bmp", light(False))
    write_bmp("light_lit.bmp", light(True))
    write_ico("panel.ico", program_icon())
    write_ico("tray_idle.ico", modem_box(DARK_GREY, (BLACK, BLACK, BLACK)))
    write_ico("tray_call.ico", modem_box(SILVER, (RED, RED, RED)))
    write_ico("tray_connected.ico", modem_box(DARK_GREY, (GREEN, GREEN, GREEN)))
    write_ico("tray_disconnect.ico", modem_box(DARK_GREY, (BLUE, BLUE, BLUE)))
    write_ico("tray_retrain.ico", modem_box(DARK_GREY, (YELLOW, YELLOW, YELLOW)))
    write_ico("about_1.ico", light_bar((RED, RED, RED)))
    write_ico("about_2.ico", light_bar((GREEN, RED, RED)))
    write_ico("about_3.ico", light_bar((RED, GREEN, RED)))
    write_ico("about_4.ico", light_bar((RED, RED, GREEN)))


if __name__ == "__main__":
    main()
