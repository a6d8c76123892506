"""The glow sprite of the shock ring: 256 x 256, soft cloudy grey on black, brightest in the
middle, no colour (the renderer tints it). Writes glow.bmp into the folder given."""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixmaps  # noqa: E402

SIZE = 256


def value_noise(size, cells, rng):
    """Smooth noise in 0..1: random values on a coarse grid, blended with a smoothstep."""
    grid = [[rng.random() for _ in range(cells + 1)] for _ in range(cells + 1)]
    out = []
    for y in range(size):
        gy = y * cells / size
        y0 = int(gy)
        ty = gy - y0
        ty = ty * ty * (3 - 2 * ty)
        row = []
        for x in range(size):
            gx = x * cells / size
            x0 = int(gx)
            tx = gx - x0
            tx = tx * tx * (3 - 2 * tx)
            a = grid[y0][x0] + (grid[y0][x0 + 1] - grid[y0][x0]) * tx
            b = grid[y0 + 1][x0] + (grid[y0 + 1][x0 + 1] - grid[y0 + 1][x0]) * tx
            row.append(a + (b - a) * ty)
        out.append(row)
    return out


def draw():
    rng = random.Random(20261207)  # fixed seed: the same sprite at every build
    octaves = [(value_noise(SIZE, c, rng), w) for c, w in ((4, 0.5), (8, 0.3), (16, 0.2))]
    pixels = []
    centre = (SIZE - 1) / 2
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            r = math.hypot(x - centre, y - centre) / (SIZE / 2)
            falloff = max(0.0, 1.0 - r) ** 2.2  # black well before the edge
            cloud = sum(n[y][x] * w for n, w in octaves)
            v = 0.4 * falloff * (0.25 + 1.3 * cloud * cloud)
            g = max(0, min(255, int(round(255 * v))))
            row.append((g, g, g))
        pixels.append(row)
    return pixels


if __name__ == "__main__":
    pixmaps.write_bmp24(os.path.join(sys.argv[1], "glow.bmp"), draw())
