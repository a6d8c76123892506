"""Draws the 24 banner frames (120x50) of the settings dialog: banner01.bmp .. banner24.bmp.

The word "Quorvale" in a small built-in pixel font: the letters rise one after another on a
night-blue band while a light sweep crosses them, so the two boxes of the dialog seem to
hand the animation over to each other.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pixmaps  # noqa: E402

W, H = 120, 50
FRAMES = 24

# 5x7 glyphs, one string per row, '#' set.
FONT = {
    "Q": [" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"],
    "u": ["     ", "     ", "#   #", "#   #", "#   #", "#  ##", " ## #"],
    "o": ["     ", "     ", " ### ", "#   #", "#   #", "#   #", " ### "],
    "r": ["     ", "     ", "# ## ", "##  #", "#    ", "#    ", "#    "],
    "v": ["     ", "     ", "#   #", "#   #", "#   #", " # # ", "  #  "],
    "a": ["     ", "     ", " ### ", "    #", " ####", "#   #", " ####"],
    "l": [" ##  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "e": ["     ", "     ", " ### ", "#   #", "#####", "#    ", " ### "],
}
WORD = "Quorvale"
SCALE = 2
ADVANCE = 6 * SCALE  # glyph width plus one blank column


def _mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def frame(k):
    """Frame k of 0..FRAMES-1."""
    top, bottom = (12, 24, 58), (24, 70, 96)
    px = [[_mix(top, bottom, y / (H - 1)) for x in range(W)] for y in range(H)]
    # A faint star field that drifts left.
    for i in range(18):
        sx = (i * 37 + 5 - k * 2) % W
        sy = (i * 23 + 3) % (H - 4) + 2
        px[sy][sx] = _mix(px[sy][sx], (200, 220, 255), 0.6)

    text_w = len(WORD) * ADVANCE - SCALE
    x0 = (W - text_w) // 2
    base_y = (H - 7 * SCALE) // 2 + 2
    sweep = -20 + (W + 40) * k / (FRAMES - 1)
    for n, ch in enumerate(WORD):
        # Each letter rises into place one after the other during the first frames.
        appear = max(0.0, min(1.0, (k - n * 1.2) / 4.0))
        lift = round((1.0 - appear) * 10)
        bob = round(math.sin((k / FRAMES) * 2 * math.pi + n * 0.8) * 1.5) if appear >= 1 else 0
        gx = x0 + n * ADVANCE
        gy = base_y + lift + bob
        for r, line in enumerate(FONT[ch]):
            for c, bit in enumerate(line):
                if bit != "#":
                    continue
                for dy in range(SCALE):
                    for dx in range(SCALE):
                        x, y = gx + c * SCALE + dx, gy + r * SCALE + dy
                        if 0 <= x < W and 0 <= y < H:
                            glow = max(0.0, 1.0 - abs(x - sweep) / 14.0)
                            base = _mix((255, 196, 80), (255, 255, 240), glow)
                            px[y][x] = _mix(px[y][x], base, appear)
                        if 0 <= x + 1 < W and 0 <= y + 1 < H and appear > 0.5:
                            sh = px[y + 1][x + 1]
                            if sh[0] < 120:  # shadow only on the background
                                px[y + 1][x + 1] = _mix(sh, (0, 0, 0), 0.5)
    # A thin frame so each box reads as a banner.
    for x in range(W):
        px[0][x] = px[H - 1][x] = (120, 150, 190)
    for y in range(H):
        px[y][0] = px[y][W - 1] = (120, 150, 190)
    return px


def main(out_dir):
    for k in range(FRAMES):
        pixmaps.write_bmp24(os.path.join(out_dir, "banner%02d.bmp" % (k + 1)), frame(k))


if __name__ == "__main__":
    main(sys.argv[1])
