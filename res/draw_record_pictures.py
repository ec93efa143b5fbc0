#!/usr/bin/env python3
"""Draws the pictures of Account Management's buttons as 24-bit bitmaps in
res/bitmaps: ACCTREG (the register: a ledger with its lines), ACCTBAL
(balancing: a pair of scales), ACCTBUD (the budget: a dollar sign over a
calendar page) and ACCTCLR (clearing a reserve: an eraser). Light grey 192
becomes the button face; a disabled button greys its picture itself. Run it
again after changing a picture here."""
import os

from draw_pictures import COLOURS, write_bmp

COLOURS = dict(COLOURS, g=(0, 128, 0), r=(192, 0, 0), p=(255, 160, 160))

REGISTER = [
    "................",
    ".kkkkkkkkkkkkk..",
    ".kbwwwwwwwwwwk..",
    ".kbwkkkkkkkkwk..",
    ".kbwwwwwwwwwwk..",
    ".kbwkkkkwkkkwk..",
    ".kbwwwwwwwwwwk..",
    ".kbwkkkkwkkkwk..",
    ".kbwwwwwwwwwwk..",
    ".kbwkkkkwkkkwk..",
    ".kbwwwwwwwwwwk..",
    ".kbwkkkkwkkkwk..",
    ".kbwwwwwwwwwwk..",
    ".kkkkkkkkkkkkk..",
    "................",
    "................",
]

BALANCE = [
    ".......k........",
    "......kyk.......",
    ".kkkkkkkkkkkkkk.",
    ".k.....k......k.",
    "k.k....k.....k.k",
    "k.k....k.....k.k",
    "k..k...k....k..k",
    "kkkkk..k....kkkk",
    "kyyyk..k...kyyyk",
    ".kkk...k....kkk.",
    ".......k........",
    ".......k........",
    "......kkk.......",
    "....kkkkkkk.....",
    "...kYYYYYYYk....",
    "...kkkkkkkkk....",
]

BUDGET = [
    "......g.........",
    "....ggggg.......",
    "...gg.g..g......",
    "...gg.g.........",
    "....ggggg.......",
    "......g.gg......",
    "...g..g.gg......",
    "....ggggg.......",
    "......g.........",
    "..kkkkkkkkkkkk..",
    "..krrrrrrrrrrk..",
    "..kwkwkwkwkwwk..",
    "..kwwwwwwwwwwk..",
    "..kwkwkwkwkwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]

CLEAR = [
    "................",
    "................",
    ".........kkkkk..",
    "........kpppppk.",
    ".......kpppppk.k",
    "......kpppppk.k.",
    ".....kpppppk.k..",
    "....kbbbbbk.k...",
    "...kbbbbbk.k....",
    "..kbbbbbk.k.....",
    "..kkkkkkkk......",
    "................",
    "..s.s.s.s.s.....",
    "................",
    "................",
    "................",
]


def main():
    res = os.path.dirname(os.path.abspath(__file__))
    pictures = {"ACCTREG": REGISTER, "ACCTBAL": BALANCE, "ACCTBUD": BUDGET, "ACCTCLR": CLEAR}
    for name, rows in pictures.items():
        assert len(rows) == 16 and all(len(r) == 16 for r in rows), name
        write_bmp(os.path.join(res, "bitmaps", name + ".bmp"), [[COLOURS[c] for c in r] for r in rows])


if __name__ == "__main__":
    main()
