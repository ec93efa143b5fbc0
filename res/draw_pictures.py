#!/usr/bin/env python3
"""Draws the program's small pictures as 24-bit bitmaps in res/: the four
pictures of the wizard's browse buttons (an open folder; bitmaps/BROWSEU up,
BROWSED pressed, BROWSEF focused, BROWSEX disabled; their light grey 192
becomes the button face when the buttons load them) and movrane's program
icon (icons/128.bmp: an old grey ledger turning into a green one, magenta
see-through); and the grid's panning origin mark (bitmaps/20033: a round
mark with four arrowheads around a dot, pure red see-through). Run it again after changing a picture here."""
import os
import struct

FOLDER = [
    "................",
    "..kkkk..........",
    ".kwyyyk.........",
    ".kYYYYYkkkkkkk..",
    ".kYYYYYYYYYYYk..",
    ".kYYkkkkkkkkkkkk",
    ".kYkwwwwwwwwwwwk",
    ".kYkyyyyyyyyyyk.",
    ".kkyyyyyyyyyyk..",
    ".kkyyyyyyyyyk...",
    ".kkkkkkkkkkk....",
    "................",
    "................",
]

COLOURS = {
    ".": (192, 192, 192),
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "y": (255, 255, 0),
    "Y": (128, 128, 0),
    "b": (0, 0, 128),
    "s": (128, 128, 128),
}


def focused(rows):
    # The lit flap edge turns dark blue: the focused button stands out also
    # where the focus rectangle is hard to see.
    return [r.replace("w", "b") if i == 6 else r for i, r in enumerate(rows)]


def disabled(rows):
    # Engraved: a white copy one pixel down and right under a grey shape.
    h, w = len(rows), len(rows[0])
    out = [["."] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if rows[y][x] == "k" and y + 1 < h and x + 1 < w:
                out[y + 1][x + 1] = "w"
    for y in range(h):
        for x in range(w):
            if rows[y][x] == "k":
                out[y][x] = "s"
    return ["".join(r) for r in out]


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


MARK = 25
RED = (255, 0, 0)
LIGHT = (192, 192, 192)


def origin_mark():
    # A light grey disc with a black rim, a dot in its middle and an
    # arrowhead toward each direction panning can take.
    c = MARK // 2
    px = [[RED] * MARK for _ in range(MARK)]
    for y in range(MARK):
        for x in range(MARK):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= c - 0.5:
                px[y][x] = LIGHT
            if c - 1.5 < d <= c - 0.5:
                px[y][x] = BLACK
    for y in range(c - 1, c + 2):
        for x in range(c - 1, c + 2):
            px[y][x] = BLACK
    for i in range(4):
        for j in range(-i, i + 1):
            px[3 + i][c + j] = BLACK  # up
            px[MARK - 4 - i][c + j] = BLACK  # down
            px[c + j][3 + i] = BLACK  # left
            px[c + j][MARK - 4 - i] = BLACK  # right
    return px


def write_bmp(path, px):
    # Rows of (r, g, b), top row first; stored bottom-up, rows padded to 4.
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
    res = os.path.dirname(os.path.abspath(__file__))
    pictures = {"BROWSEU": FOLDER, "BROWSED": FOLDER, "BROWSEF": focused(FOLDER), "BROWSEX": disabled(FOLDER)}
    for name, rows in pictures.items():
        assert all(len(r) == len(rows[0]) for r in rows), name
        write_bmp(os.path.join(res, "bitmaps", name + ".bmp"), [[COLOURS[c] for c in r] for r in rows])
    px = [[KEY] * SIZE for _ in range(SIZE)]
    ledger(px, 1, 1, GREY)
    ledger(px, 18, 13, GREEN)
    arrow(px)
    write_bmp(os.path.join(res, "icons", "128.bmp"), px)
    write_bmp(os.path.join(res, "bitmaps", "20033.bmp"), origin_mark())


if __name__ == "__main__":
    main()
