#!/usr/bin/env python3
"""Draws the four pictures of the wizard's browse buttons (an open folder):
BROWSEU (up), BROWSED (pressed), BROWSEF (focused) and BROWSEX (disabled),
as 24-bit bitmaps in this folder. The light grey background (192) becomes
the button face when the buttons load them. Run it again after changing a
picture here."""
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


def write_bmp(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for ch in row:
            r, g, b = COLOURS[ch]
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    pictures = {"BROWSEU": FOLDER, "BROWSED": FOLDER, "BROWSEF": focused(FOLDER), "BROWSEX": disabled(FOLDER)}
    for name, rows in pictures.items():
        assert all(len(r) == len(rows[0]) for r in rows), name
        write_bmp(os.path.join(here, name + ".bmp"), rows)


if __name__ == "__main__":
    main()
