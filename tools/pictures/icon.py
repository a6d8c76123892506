"""Draws the dialog's and programs' icon: quorvale.ico with 16, 32 and 48 pixel images.

A framed picture split by shards of light, the saver's idea in a square.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixmaps  # noqa: E402


def _mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def image(n):
    rows = []
    c = (n - 1) / 2.0
    border = max(1, n // 16)
    for y in range(n):
        row = []
        for x in range(n):
            if x < border or y < border or x >= n - border or y >= n - border:
                row.append((40, 48, 70, 255))
                continue
            u, v = x / (n - 1), y / (n - 1)
            col = _mix((30, 90, 170), (120, 200, 230), (u + v) / 2)
            ang = math.atan2(y - c, x - c)
            dist = math.hypot(x - c, y - c) / c
            # Cracks: thin rays from the centre, bright orange near the middle.
            ray = abs(math.sin(ang * 4 + 0.4))
            if ray < 0.09 + 0.5 / n:
                col = _mix((255, 170, 40), (255, 255, 255), 1 - dist)
            if dist < 0.22:
                col = _mix((255, 255, 220), (255, 170, 40), dist / 0.22)
            row.append(col + (255,))
        rows.append(row)
    return rows


def main(out_dir):
    pixmaps.write_ico(os.path.join(out_dir, "quorvale.ico"), [image(16), image(32), image(48)])


if __name__ == "__main__":
    main(sys.argv[1])
