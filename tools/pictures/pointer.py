"""Draws the settings dialog's mouse pointer, a pointing hand: hand.cur (32x32, hot spot at
the fingertip)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixmaps  # noqa: E402

# 'o' outline, '.' fill, ' ' transparent. The index finger points up; hot spot at its tip.
HAND = [
    "     oo         ",
    "    o..o        ",
    "    o..o        ",
    "    o..o        ",
    "    o..ooo      ",
    "    o..o..ooo   ",
    "    o..o..o..oo ",
    " oo o..o..o..o.o",
    "o..oo........o.o",
    "o...o..........o",
    " o.............o",
    "  o............o",
    "  o...........o ",
    "   o..........o ",
    "    o........o  ",
    "    oooooooooo  ",
]
HOT = (5, 0)


def picture():
    size = 32
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch == "o":
                rows[y][x] = (0, 0, 0, 255)
            elif ch == ".":
                rows[y][x] = (255, 255, 255, 255)
    return rows


def main(out_dir):
    pixmaps.write_cur(os.path.join(out_dir, "hand.cur"), picture(), HOT)


if __name__ == "__main__":
    main(sys.argv[1])
