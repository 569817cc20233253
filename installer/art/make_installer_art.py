#!/usr/bin/env python3
"""Draws the installer's pictures from the program's own icon scene.

    wizard.bmp   164x314, the welcome and finish pages' side picture: the
                 two picture frames over an evening sky and hills
    header.bmp   150x57, the inner pages' header: the frames on white, at
                 the right, where the header shows its picture

The scene and the file writer come from resources/art/make_art.py, so the
installer shows the same frames as the program's icon and About box.
The committed files are this script's output:  python3 make_installer_art.py
"""

import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "resources" / "art"))
import make_art  # noqa: E402

WIZARD_SIZE = (164, 314)
HEADER_SIZE = (150, 57)

DUSK_TOP = (24, 30, 92)
DUSK_MIDDLE = (70, 120, 205)
DUSK_LOW = (250, 196, 140)
HILL_BACK = (58, 118, 70)
HILL_FRONT = (30, 84, 44)
STAR = (236, 236, 210)


def sky(v):
    if v < 0.55:
        return make_art.mix(DUSK_TOP, DUSK_MIDDLE, v / 0.55)
    return make_art.mix(DUSK_MIDDLE, DUSK_LOW, min(1.0, (v - 0.55) / 0.35))


def landscape(width, height):
    """An evening sky with a few stars over two rows of hills, 4x4 samples a pixel."""
    stars = ((0.12, 0.06), (0.78, 0.04), (0.55, 0.12), (0.90, 0.17), (0.25, 0.20), (0.07, 0.33))
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            total = [0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    x = (px + (sx + 0.5) / 4) / width
                    y = (py + (sy + 0.5) / 4) / height
                    if y > 0.86 + 0.05 * math.cos(x * 5.0 + 1.0):
                        colour = HILL_FRONT
                    elif y > 0.80 - 0.06 * math.sin(x * 3.4 + 0.2):
                        colour = HILL_BACK
                    elif any(math.hypot((x - sx_) * width, (y - sy_) * height) < 1.1 for sx_, sy_ in stars):
                        colour = STAR
                    else:
                        colour = sky(y)
                    total = [total[i] + colour[i] for i in range(3)]
            row.append(tuple(round(c / 16) for c in total) + (255,))
        rows.append(row)
    return rows


def place(canvas, picture, left, top):
    """Puts an RGBA picture over an opaque canvas."""
    for y, row in enumerate(picture):
        for x, (r, g, b, a) in enumerate(row):
            under = canvas[top + y][left + x]
            t = a / 255
            canvas[top + y][left + x] = make_art.mix(under[:3], (r, g, b), t) + (255,)


def frames(size):
    # The icon's large proportions, with a soft shadow to the lower right.
    return make_art.render(size, (0.34, 0.06, 0.97, 0.60), (0.03, 0.30, 0.80, 0.95), 0.085, shadow=0.035)


def wizard():
    width, height = WIZARD_SIZE
    canvas = landscape(width, height)
    scene = frames(128)
    place(canvas, scene, (width - 128) // 2, 70)
    return canvas


def header():
    width, height = HEADER_SIZE
    canvas = [[(255, 255, 255, 255)] * width for _ in range(height)]
    scene = frames(50)
    place(canvas, scene, width - 50 - 6, (height - 50) // 2)
    return canvas


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    (out / "wizard.bmp").write_bytes(make_art.bitmap_24bit(wizard()))
    (out / "header.bmp").write_bytes(make_art.bitmap_24bit(header()))


if __name__ == "__main__":
    main()
