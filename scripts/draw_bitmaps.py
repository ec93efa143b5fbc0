#!/usr/bin/env python3
"""Draws the program's small pictures into res/bitmaps/ as 16-colour BMP files.

Run from the source root: scripts/draw_bitmaps.py. Every picture is made
here from lines, boxes and a small hand-set letter shape table, so that the
files can be made again and changed in one place.
"""
import os
import struct
import sys

# The classic 16-colour palette.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)

# Capital letters, 5 wide and 7 high.
LETTERS = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'G': ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    'H': ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'W': ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    ' ': ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, colour):
        self.w, self.h = width, height
        self.px = [[colour] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def box(self, x0, y0, x1, y1, c):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def hline(self, x0, x1, y, c, dotted=False):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            if not dotted or x % 2 == 0:
                self.put(x, y, c)

    def vline(self, x, y0, y1, c, dotted=False):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            if not dotted or y % 2 == 0:
                self.put(x, y, c)

    def text(self, x, y, s, c):
        for ch in s:
            for row, bits in enumerate(LETTERS[ch]):
                for col, b in enumerate(bits):
                    if b == '1':
                        self.put(x + col, y + row, c)
            x += 6

    def harrow(self, x0, x1, y, c):  # a measure with heads at both ends
        self.hline(x0, x1, y, c)
        for i in range(1, 3):
            self.vline(x0 + i, y - i, y + i, c)
            self.vline(x1 - i, y - i, y + i, c)

    def varrow(self, x, y0, y1, c):
        self.vline(x, y0, y1, c)
        for i in range(1, 3):
            self.hline(x - i, x + i, y0 + i, c)
            self.hline(x - i, x + i, y1 - i, c)

    def save(self, path):
        stride = ((self.w * 4 + 31) // 32) * 4
        rows = bytearray()
        for y in reversed(range(self.h)):  # bottom row first
            line = bytearray(stride)
            for x in range(self.w):
                line[x // 2] |= self.px[y][x] << (0 if x % 2 else 4)
            rows += line
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
        offset = 14 + 40 + len(palette)
        header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
        with open(path, 'wb') as f:
            f.write(header + info + palette + bytes(rows))



def label_sheet():
    """310, 234 x 139: a corner of a sheet of labels with the names of its
    measures (margins, pitches, label width and height, labels across and
    down)."""
    cv = Canvas(234, 139, SILVER)
    sx, sy = 62, 30  # the sheet's corner
    cv.box(sx, sy, cv.w - 1, cv.h - 1, WHITE)
    cv.hline(sx, cv.w - 1, sy, BLACK)
    cv.vline(sx, sy, cv.h - 1, BLACK)
    lw, lh, hp, vp, lm, tm = 80, 34, 90, 44, 12, 12
    for row in range(3):
        for col in range(2):
            x0, y0 = sx + lm + col * hp, sy + tm + row * vp
            cv.box(x0 + 1, y0 + 1, x0 + lw - 1, y0 + lh - 1, YELLOW)
            cv.frame(x0, y0, x0 + lw, y0 + lh, GREY)
    x1, y1 = sx + lm, sy + tm  # the first label
    # Label width and height.
    cv.text(x1 + 25, y1 + 5, "WIDTH", NAVY)
    cv.harrow(x1 + 2, x1 + lw - 2, y1 + 18, NAVY)
    cv.varrow(x1 + 6, y1 + vp + 2, y1 + vp + lh - 2, NAVY)
    cv.text(x1 + 12, y1 + vp + 14, "HEIGHT", NAVY)
    # Horizontal pitch across the top, with leaders down to the labels.
    cv.vline(x1, 8, y1 - 1, BLACK, dotted=True)
    cv.vline(x1 + hp, 8, y1 - 1, BLACK, dotted=True)
    cv.harrow(x1, x1 + hp, 12, BLACK)
    cv.text(x1 + 24, 2, "H PITCH", BLACK)
    # Labels across: to the right along the top.
    cv.text(186, 2, "ACROSS", BLACK)
    cv.hline(180, 230, 13, MAROON)
    for i in range(1, 4):
        cv.vline(230 - i, 13 - i, 13 + i, MAROON)
    # Top margin, over the second label.
    cv.varrow(x1 + hp + 30, sy + 1, y1 - 1, MAROON)
    cv.text(x1 + hp + 35, sy + 3, "TOP", MAROON)
    # Vertical pitch down the left, with leaders to the labels.
    cv.hline(50, x1 - 1, y1, BLACK, dotted=True)
    cv.hline(50, x1 - 1, y1 + vp, BLACK, dotted=True)
    cv.varrow(54, y1, y1 + vp, BLACK)
    cv.text(8, y1 + 12, "V", BLACK)
    cv.text(8, y1 + 22, "PITCH", BLACK)
    # Left margin, between the second and third rows.
    gap = y1 + 2 * vp - 5
    cv.harrow(sx + 1, x1 - 1, gap, MAROON)
    cv.text(33, gap - 3, "LEFT", MAROON)
    # Labels down: along the left edge.
    cv.text(4, 96, "DOWN", BLACK)
    cv.vline(15, 106, 136, MAROON)
    for i in range(1, 4):
        cv.hline(15 - i, 15 + i, 136 - i, MAROON)
    return cv


PICTURES = {310: label_sheet}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join('res', 'bitmaps')
    for number, draw in PICTURES.items():
        draw().save(os.path.join(folder, '%d.bmp' % number))


if __name__ == '__main__':
    main()
