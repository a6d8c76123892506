"""The still shown in the host's preview pane: 152 x 112, a desktop with icons and a task bar,
and in the middle the orange shock ring with tiles of the desktop flying out of it.
Writes preview.bmp into the folder given."""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixmaps  # noqa: E402

W, H = 152, 112
DESKTOP = (58, 110, 165)


def blank():
    return [[DESKTOP for _ in range(W)] for _ in range(H)]


def rect(p, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(H, y1)):
        for x in range(max(0, x0), min(W, x1)):
            p[y][x] = colour


def desktop(p):
    # A soft vertical gradient, a few icons with their captions, and a task bar.
    for y in range(H):
        k = y / H
        c = (int(48 + 30 * k), int(96 + 30 * k), int(150 + 30 * k))
        for x in range(W):
            p[y][x] = c
    icons = [(255, 221, 87), (236, 236, 236), (120, 200, 120), (230, 110, 90)]
    for i, colour in enumerate(icons):
        x, y = 6, 6 + i * 22
        rect(p, x, y, x + 12, y + 12, colour)
        rect(p, x + 1, y + 1, x + 11, y + 3, tuple(min(255, c + 30) for c in colour))
        rect(p, x - 2, y + 14, x + 14, y + 16, (235, 235, 235))
    rect(p, 0, H - 10, W, H, (40, 40, 48))
    rect(p, 2, H - 8, 20, H - 2, (90, 170, 90))
    rect(p, W - 22, H - 8, W - 2, H - 2, (70, 70, 80))


def add(p, x, y, colour, amount):
    if 0 <= x < W and 0 <= y < H:
        r, g, b = p[y][x]
        p[y][x] = (min(255, int(r + colour[0] * amount)), min(255, int(g + colour[1] * amount)),
                   min(255, int(b + colour[2] * amount)))


def ring(p, cx, cy, radius):
    orange = (255, 140, 30)
    for y in range(H):
        for x in range(W):
            d = abs(math.hypot(x - cx, y - cy) - radius)
            if d < 7:
                add(p, x, y, orange, (1 - d / 7) ** 2 * 1.1)


def tiles(p, cx, cy, radius, rng):
    # Square pieces of the desktop, turned and thrown outwards from the ring.
    for _ in range(26):
        a = rng.uniform(0, 2 * math.pi)
        dist = radius + rng.uniform(-6, 30)
        size = rng.uniform(3, 7)
        turn = rng.uniform(0, math.pi / 2)
        tx, ty = cx + math.cos(a) * dist, cy + math.sin(a) * dist * 0.8
        shade = rng.choice([(96, 140, 190), (120, 165, 210), (230, 230, 230), (255, 205, 90)])
        ca, sa = math.cos(turn), math.sin(turn)
        r = int(size) + 2
        for y in range(int(ty) - r, int(ty) + r + 1):
            for x in range(int(tx) - r, int(tx) + r + 1):
                u = (x - tx) * ca + (y - ty) * sa
                v = -(x - tx) * sa + (y - ty) * ca
                if abs(u) <= size / 2 and abs(v) <= size / 2 and 0 <= x < W and 0 <= y < H:
                    edge = abs(u) > size / 2 - 1 or abs(v) > size / 2 - 1
                    p[y][x] = tuple(max(0, c - 50) for c in shade) if edge else shade


def draw():
    rng = random.Random(152112)
    p = blank()
    desktop(p)
    cx, cy, radius = W // 2 + 8, H // 2 - 4, 22
    # The shattered middle: dark where the tiles have left.
    for y in range(H):
        for x in range(W):
            if math.hypot(x - cx, y - cy) < radius - 2:
                r, g, b = p[y][x]
                p[y][x] = (r // 4, g // 4, b // 4)
    ring(p, cx, cy, radius)
    tiles(p, cx, cy, radius, rng)
    return p


if __name__ == "__main__":
    pixmaps.write_bmp24(os.path.join(sys.argv[1], "preview.bmp"), draw())
