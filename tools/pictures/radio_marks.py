"""Draws the settings dialog's two 12x12 radio marks: radio_off.bmp and radio_on.bmp.

Anti-aliased by supersampling, on the dialog's grey so the marks blend into the form.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixmaps  # noqa: E402

SIZE = 12
BACK = (224, 224, 224)
RIM = (90, 105, 125)
FACE_TOP = (255, 255, 255)
FACE_BOTTOM = (214, 220, 228)
DOT = (24, 96, 40)


def _mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def mark(selected):
    c = (SIZE - 1) / 2.0
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            acc = [0.0, 0.0, 0.0]
            n = 4
            for sy in range(n):
                for sx in range(n):
                    px = x + (sx + 0.5) / n - 0.5
                    py = y + (sy + 0.5) / n - 0.5
                    d = math.hypot(px - c, py - c)
                    if d > 5.6:
                        col = BACK
                    elif d > 4.6:
                        col = RIM
                    elif selected and d < 2.4:
                        col = DOT
                    else:
                        col = _mix(FACE_TOP, FACE_BOTTOM, py / (SIZE - 1))
                    for i in range(3):
                        acc[i] += col[i]
            row.append(tuple(round(v / (n * n)) for v in acc))
        rows.append(row)
    return rows


def main(out_dir):
    pixmaps.write_bmp24(os.path.join(out_dir, "radio_off.bmp"), mark(False))
    pixmaps.write_bmp24(os.path.join(out_dir, "radio_on.bmp"), mark(True))


if __name__ == "__main__":
    main(sys.argv[1])
