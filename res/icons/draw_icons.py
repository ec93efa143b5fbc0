#!/usr/bin/env python3
"""Draws the program icons as 24-bit bitmaps in this folder; magenta is
see-through. 128.bmp is movrane's: an old grey ledger turning into a green
one, with an arrow between them. Run it again after changing a picture."""
import os
import struct

SIZE = 32
KEY = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
GREEN = (0, 128, 0)
YELLOW = (255, 255, 0)


def ledger(px, left, top, cover):
    # A closed book of 13 x 18: outline, cover and the pages' white edge.
    for y in range(top, top + 18):
        for x in range(left, left + 13):
            edge = x in (left, left + 12) or y in (top, top + 17)
            px[y][x] = BLACK if edge else cover
        px[y][left + 10] = WHITE if top < y < top + 17 else BLACK
    for x in range(left + 3, left + 8):
        px[top + 5][x] = WHITE


def arrow(px):
    # Pointing from the old book (upper left) to the new (lower right).
    for i in range(7):
        px[9 + i][13 + i] = YELLOW
        px[10 + i][13 + i] = BLACK
    for i in range(4):
        px[15][16 + i] = YELLOW
        px[12 + i][19] = YELLOW


def write_bmp(path, px):
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(px):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    px = [[KEY] * SIZE for _ in range(SIZE)]
    ledger(px, 1, 1, GREY)
    ledger(px, 18, 13, GREEN)
    arrow(px)
    write_bmp(os.path.join(os.path.dirname(os.path.abspath(__file__)), "128.bmp"), px)


if __name__ == "__main__":
    main()
