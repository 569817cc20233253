#!/usr/bin/env python3
"""Draws the program's pictures and writes them as Windows resource files.

    tessaly.ico     window and notification icon: two picture frames, the
                    front one showing a landscape (16x16 and 32x32, each as
                    16 colours for old displays and as 32-bit with alpha;
                    20x20 and 24x24 as 32-bit for 125 and 150 % scaling)
    hand.cur        link cursor: 32x32 monochrome pointing hand whose
                    fingertip is the hot spot (0, 0)
    about.bmp       About box picture, 64x64, 24-bit
    menu_icons.bmp  menu icon strip, 16x15 each, 16 colours: About, help,
                    hide window, show window, next picture, previous
                    picture, the picture's folder, never show, show the
                    excluded again, pause, shuffle, full colour, subfolders

Only the standard library is used, so the files can be redrawn on any
machine with Python 3:  python3 make_art.py [output folder]
The committed files are this script's output; run it again after a change.
"""

import math
import struct
import sys
from pathlib import Path

# ---------------------------------------------------------------- file formats


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(rows, bits):
    """Packs rows of palette indices (top-down) into bottom-up DIB rows."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(row_stride(len(row), bits))
        for x, value in enumerate(row):
            if bits == 1:
                line[x // 8] |= value << (7 - x % 8)
            elif bits == 4:
                line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            else:
                raise ValueError(bits)
        out += line
    return bytes(out)


def info_header(width, height, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 0, 0, colours, 0)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def and_mask(pixels):
    """1 marks a transparent pixel (alpha below one half)."""
    return pack_rows([[1 if p[3] < 128 else 0 for p in row] for row in pixels], 1)


def icon_image_4bit(pixels, palette):
    """An icon image of 16 colours: colour table, XOR indices, AND mask."""
    size = len(pixels)
    indices = [[0 if p[3] < 128 else nearest(p, palette) for p in row] for row in pixels]
    xor = pack_rows(indices, 4)
    mask = and_mask(pixels)
    return (info_header(size, size * 2, 4, 16, len(xor) + len(mask))
            + palette_bytes(palette) + xor + mask)


def icon_image_32bit(pixels):
    size = len(pixels)
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = and_mask(pixels)
    return info_header(size, size * 2, 32, 0, len(xor) + len(mask)) + bytes(xor) + mask


def icon_file(images):
    """images: (width, height, colour count, bit count, image bytes)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, data = b"", b""
    for width, height, colours, bits, image in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, colours % 256, 0,
                               1, bits, len(image), offset + len(data))
        data += image
    return header + entries + data


def cursor_file(rows, hot_x, hot_y):
    """A monochrome cursor from rows of '.', 'X' (black) and 'o' (white)."""
    size = len(rows)
    xor = pack_rows([[1 if c == "o" else 0 for c in row] for row in rows], 1)
    mask = pack_rows([[1 if c == "." else 0 for c in row] for row in rows], 1)
    image = (info_header(size, size * 2, 1, 2, len(xor) + len(mask))
             + palette_bytes([(0, 0, 0), (255, 255, 255)]) + xor + mask)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot_x, hot_y, len(image), 6 + 16)
    return header + entry + image


def bitmap_file(info_and_bits):
    offset_bits = 14 + 40
    bits_count = struct.unpack_from("<H", info_and_bits, 14)[0]
    colours = struct.unpack_from("<I", info_and_bits, 32)[0]
    if bits_count <= 8:
        offset_bits += 4 * (colours or (1 << bits_count))
    return struct.pack("<2sIHHI", b"BM", 14 + len(info_and_bits), 0, 0, offset_bits) + info_and_bits


def bitmap_24bit(pixels):
    height, width = len(pixels), len(pixels[0])
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += bytes(row_stride(width, 24) - len(line))
        data += line
    return bitmap_file(info_header(width, height, 24, 0, len(data)) + bytes(data))


def bitmap_4bit(rows, palette):
    bits = pack_rows(rows, 4)
    return bitmap_file(info_header(len(rows[0]), len(rows), 4, 16, len(bits))
                       + palette_bytes(palette) + bits)


def nearest(pixel, palette):
    r, g, b = pixel[:3]
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2
               + (palette[i][2] - b) ** 2)


# ---------------------------------------------------------------- the icon scene
#
# Two picture frames: a dark wooden one at the back showing a night sky with a
# moon, and a gilt one in front showing a sunny landscape. Together they say
# "pictures that change". Shapes are given in a unit square and sampled 4x4
# per pixel, so the same scene serves every size.

GOLD_LIGHT = (255, 226, 130)
GOLD = (214, 160, 48)
GOLD_DARK = (128, 82, 16)
WOOD_LIGHT = (150, 96, 60)
WOOD_DARK = (82, 48, 26)
NIGHT = (28, 36, 110)
MOON = (250, 246, 200)
SKY_TOP = (64, 150, 235)
SKY_LOW = (178, 224, 255)
SUN = (255, 208, 40)
HILL_FAR = (96, 184, 72)
HILL_NEAR = (40, 128, 44)
OUTLINE = (40, 28, 16)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def inside(box, x, y):
    return box[0] <= x < box[2] and box[1] <= y < box[3]


def frame_colour(box, border, x, y, light, mid, dark):
    """Bevelled frame: light on the top and left, dark on the bottom and right."""
    left, top, right, bottom = box
    d_left, d_top, d_right, d_bottom = x - left, y - top, right - x, bottom - y
    nearest_edge = min(d_left, d_top, d_right, d_bottom)
    if nearest_edge > border:
        return None
    # The middle of the moulding is plain; the outer and inner thirds shade.
    if nearest_edge < border * 0.3 or nearest_edge > border * 0.7:
        lit = min(d_left, d_top) < min(d_right, d_bottom)
        outer = nearest_edge < border * 0.3
        return light if lit == outer else dark
    return mid


def back_picture(box, border, x, y):
    left, top, right, bottom = box
    inner = (left + border, top + border, right - border, bottom - border)
    u = (x - inner[0]) / (inner[2] - inner[0])
    v = (y - inner[1]) / (inner[3] - inner[1])
    # The front frame hides the lower left of this picture: the moon and the
    # stars sit in the strip along its top.
    moon = math.hypot(u - 0.52, v - 0.24) < 0.17 and math.hypot(u - 0.60, v - 0.17) > 0.14
    star = any(math.hypot(u - su, v - sv) < 0.045
               for su, sv in ((0.18, 0.16), (0.82, 0.30), (0.92, 0.62)))
    return MOON if moon or star else NIGHT


def front_picture(box, border, x, y):
    left, top, right, bottom = box
    inner = (left + border, top + border, right - border, bottom - border)
    u = (x - inner[0]) / (inner[2] - inner[0])
    v = (y - inner[1]) / (inner[3] - inner[1])
    if v > 0.62 + 0.12 * math.cos(u * 3.2 + 0.4):
        return HILL_NEAR
    if v > 0.50 - 0.16 * math.sin(u * 2.6 + 0.3):
        return HILL_FAR
    if math.hypot(u - 0.30, v - 0.28) < 0.17:
        return SUN
    return mix(SKY_TOP, SKY_LOW, min(1.0, max(0.0, v / 0.7)))


def scene_sample(x, y, back, front, border):
    """Colour of the scene at unit coordinates, or None where it is empty."""
    for box, picture, light, mid, dark in (
            (front, front_picture, GOLD_LIGHT, GOLD, GOLD_DARK),
            (back, back_picture, WOOD_LIGHT, WOOD_LIGHT, WOOD_DARK)):
        if not inside(box, x, y):
            continue
        colour = frame_colour(box, border, x, y, light, mid, dark)
        return colour if colour else picture(box, border, x, y)
    return None


def render(size, back, front, border, shadow=0.0, background=None):
    """Samples the scene into RGBA rows; an optional soft shadow to the lower right."""
    samples = 4
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            total, hits, shade = [0, 0, 0], 0, 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = scene_sample(x, y, back, front, border)
                    if colour is None:
                        if shadow and scene_sample(x - shadow, y - shadow, back, front, border):
                            shade += 1
                        continue
                    hits += 1
                    total = [total[i] + colour[i] for i in range(3)]
            count = samples * samples
            if hits:
                colour = tuple(round(c / hits) for c in total)
                alpha = hits / count
                shadow_alpha = 0.35 * shade / count
                row.append(blend(colour, alpha, shadow_alpha, background))
            elif shade:
                row.append(blend(None, 0, 0.35 * shade / count, background))
            else:
                row.append(background + (255,) if background else (0, 0, 0, 0))
        pixels.append(row)
    return pixels


def blend(colour, alpha, shadow_alpha, background):
    """Puts a partly covered pixel over its shadow (and a background, if any)."""
    under_colour = (0, 0, 0)
    under_alpha = shadow_alpha
    if background:
        under_colour = mix(background, (0, 0, 0), shadow_alpha)
        under_alpha = 1.0
    out_alpha = alpha + under_alpha * (1 - alpha)
    if out_alpha == 0:
        return (0, 0, 0, 0)
    colour = colour or (0, 0, 0)
    rgb = tuple(round((colour[i] * alpha + under_colour[i] * under_alpha * (1 - alpha)) / out_alpha)
                for i in range(3))
    return rgb + (round(out_alpha * 255),)


def outline(pixels, colour):
    """Darkens the outermost opaque pixels so small icons stand out on any desktop."""
    size = len(pixels)
    out = [list(row) for row in pixels]
    for y in range(size):
        for x in range(size):
            if pixels[y][x][3] < 128:
                continue
            edge = any(not (0 <= x + dx < size and 0 <= y + dy < size)
                       or pixels[y + dy][x + dx][3] < 128
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                out[y][x] = mix(pixels[y][x][:3], colour, 0.6) + (pixels[y][x][3],)
    return out


ICON_PALETTE = [
    (0, 0, 0), OUTLINE, GOLD_LIGHT, GOLD, GOLD_DARK, WOOD_LIGHT, WOOD_DARK, NIGHT,
    MOON, SKY_TOP, mix(SKY_TOP, SKY_LOW, 0.5), SKY_LOW, SUN, HILL_FAR, HILL_NEAR,
    (255, 255, 255),
]


def icon_scene(size):
    # Proportions per size: at 16 pixels the frames must stay at least one
    # pixel thick and the back frame has to show clearly above the front one.
    if size <= 16:
        back, front, border = (0.36, 0.04, 0.98, 0.62), (0.02, 0.30, 0.76, 0.96), 0.125
    else:
        back, front, border = (0.34, 0.06, 0.97, 0.60), (0.03, 0.30, 0.80, 0.95), 0.095
    pixels = render(size, back, front, border, shadow=0.0 if size <= 16 else 0.04)
    return outline(pixels, OUTLINE)


def about_picture():
    # The About box paints its own orange; the picture carries that colour
    # around the frames so it sits on the box without a seam.
    box_colour = (255, 128, 64)
    return render(64, (0.30, 0.07, 0.95, 0.58), (0.05, 0.30, 0.78, 0.93), 0.075,
                  shadow=0.03, background=box_colour)


# ---------------------------------------------------------------- the cursor

HAND = """
.XXX............................
XoooX...........................
XoooX...........................
XoooX...........................
XoooX...........................
XoooXXXX........................
XoooXoooXXXX....................
XoooXoooXoooX...................
XoooXoooXoooXXX.................
XoooXoooXoooXooX................
XoooXoooXoooXooX................
XooooooooooooooX................
XXoooooooooooooX................
XoXXooooooooooX.................
XoooXoooooooooX.................
.XoooooooooooX..................
..XooooooooooX..................
...XooooooooX...................
....XooooooX....................
....XXXXXXXX....................
....XooooooX....................
....XXXXXXXX....................
................................
................................
................................
................................
................................
................................
................................
................................
................................
................................
"""

# ---------------------------------------------------------------- the menu icons
#
# 16x15 cells in the 16 standard colours. Silver is the cell background:
# the menu code maps it to the button face and masks it out.

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_KEYS = {
    "k": 0, "m": 1, "G": 2, "o": 3, "n": 4, "p": 5, "t": 6, ".": 7, "g": 8,
    "r": 9, "l": 10, "y": 11, "b": 12, "f": 13, "c": 14, "w": 15,
}

ABOUT_ICON = """
................
.....nnnnnn.....
...nnbbbbbbnn...
..nbbbbwwbbbbn..
..nbbbbwwbbbbn..
.nbbbbbbbbbbbbn.
.nbbbbwwwbbbbbn.
.nbbbbbwwbbbbbn.
.nbbbbbwwbbbbbn.
.nbbbbbwwbbbbbn.
..nbbbbwwbbbbn..
..nbbbwwwwbbbn..
...nnbbbbbbnn...
.....nnnnnn.....
................
"""

HELP_ICON = """
................
.....nnnnn......
....nbbbbbn.....
...nbbnnnbbng...
...nbbng.nbbng..
....nng..nbbng..
........nbbng...
.......nbbng....
......nbbng.....
......nbbng.....
.......nng......
................
......nbbn......
......nbbng.....
.......ngg......
"""

HIDE_ICON = """
kkkkkkkkkkk.....
knnnnnnnwnk.....
kkkkkkkkkkk.....
kwwwwwwwwwkg....
kwwwwwwwwwkg....
kwwwwwwwwwkg....
kwwwwwwwwwkg....
kkkkkkkkkkkg....
.ggggggggggg....
..........mmm...
..........mrm...
........mmmrmmm.
.........mrrrm..
..........mrm...
...........m....
"""

SHOW_ICON = """
kkkkkkkkkkk.....
knnnnnnnwnk.....
kkkkkkkkkkk.....
kwwwwwwwwwkg....
kwwwwwwwwwkg....
kwwwwwwwwwkg....
kwwwwwwwwwkg....
kkkkkkkkkkkg....
.ggggggggggg....
...........G....
..........GlG...
.........GlllG..
........GGGlGGG.
..........GlG...
..........GGG...
"""


# The "Picture" part of the menus: next, previous, the picture's folder,
# never show, show the excluded again, pause, shuffle, full colour.

NEXT_ICON = """
................
..n.............
..nn.........nn.
..nbn........nb.
..nbbn.......nb.
..nbbbn......nb.
..nbbbbn.....nb.
..nbbbbbn....nb.
..nbbbbn.....nb.
..nbbbn......nb.
..nbbn.......nb.
..nbn........nb.
..nn.........nb.
..n..........nn.
................
"""

PREVIOUS_ICON = """
................
.............n..
.nn.........nn..
.bn........nbn..
.bn.......nbbn..
.bn......nbbbn..
.bn.....nbbbbn..
.bn....nbbbbbn..
.bn.....nbbbbn..
.bn......nbbbn..
.bn.......nbbn..
.bn........nbn..
.bn.........nn..
.nn..........n..
................
"""

FOLDER_ICON = """
................
................
.kkkkk..........
kyyyyyk.........
kyyyyyykkkkkkk..
kyyyyyyyyyyyyk..
kyokkkkkkkkkkkkk
kyokyyyyyyyyyyyk
kyokyyyyyyyyyyok
kokyyyyyyyyyyok.
kokyyyyyyyyyyok.
kkyyyyyyyyyyok..
kkooooooooooook.
kkkkkkkkkkkkkk..
................
"""

NEVER_ICON = """
................
.....mmmmmm.....
...mmrrrrrrmm...
..mrrrwwwwwrrm..
..mrrwwwwwrrrm..
.mrrwwwwwrrrwrm.
.mrwwwwwrrrwwrm.
.mrwwwwrrrwwwrm.
.mrwwwrrrwwwwrm.
.mrwrrrwwwwwrrm.
..mrrrwwwwwrrm..
..mrrwwwwwrrrm..
...mmrrrrrrmm...
.....mmmmmm.....
................
"""

SHOW_AGAIN_ICON = """
................
................
.....kkkkkk.....
...kkwwwwwwkk...
..kwwwkkkkwwwk..
.kwwwkGGGGkwwwk.
kwwwwkGllGkwwwwk
kwwwwkGllGkwwwwk
.kwwwkGGGGkwwwk.
..kwwwkkkkwwwk..
...kkwwwwwwkk...
.....kkkkkk.....
................
................
................
"""

PAUSE_ICON = """
................
................
...nnnn..nnnn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nbbn..nbbn...
...nnnn..nnnn...
................
................
"""

SHUFFLE_ICON = """
................
.............G..
..........GGGlG.
nnnn.....GllllG.
....n...G..GlG..
.....n.G.....G..
......G.........
.....G.n........
....G...n....G..
...G.....n..GlG.
GGG.......GllllG
...........GGGlG
.............G..
................
................
"""


FULL_COLOUR_ICON = """
................
.kkkkkkkkkkkkkk.
.krrrryyyyllllk.
.krrrryyyyllllk.
.krrrryyyyllllk.
.krrrryyyyllllk.
.krrrryyyyllllk.
.kbbbbffffcccck.
.kbbbbffffcccck.
.kbbbbffffcccck.
.kbbbbffffcccck.
.kbbbbffffcccck.
.kkkkkkkkkkkkkk.
................
................
"""

# Include subfolders: a small folder and, joined to it by the tree's line,
# another one below it.
SUBFOLDERS_ICON = """
.kkk............
kyyykkkkk.......
kyyyyyyyk.......
kyyyyyyyk.......
kkkkkkkkk.......
..g.............
..g.............
..g....kkk......
..g...kyyykkkkk.
..g...kyyyyyyyk.
..gggggyyyyyyyk.
......kyyyyyyyk.
......kkkkkkkkk.
................
................
"""


def art_rows(text, width, height):
    rows = [line for line in text.strip("\n").split("\n")]
    if len(rows) != height or any(len(row) != width for row in rows):
        raise ValueError("picture is not %dx%d" % (width, height))
    return rows


def menu_strip():
    strip = (ABOUT_ICON, HELP_ICON, HIDE_ICON, SHOW_ICON, NEXT_ICON, PREVIOUS_ICON, FOLDER_ICON, NEVER_ICON,
             SHOW_AGAIN_ICON, PAUSE_ICON, SHUFFLE_ICON, FULL_COLOUR_ICON, SUBFOLDERS_ICON)
    cells = [art_rows(icon, 16, 15) for icon in strip]
    return [[VGA_KEYS[c] for cell in cells for c in cell[y]] for y in range(15)]


# ---------------------------------------------------------------- main


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    small, large = icon_scene(16), icon_scene(32)
    (out / "tessaly.ico").write_bytes(icon_file([
        (16, 16, 16, 4, icon_image_4bit(small, ICON_PALETTE)),
        (32, 32, 16, 4, icon_image_4bit(large, ICON_PALETTE)),
        (16, 16, 0, 32, icon_image_32bit(small)),
        (32, 32, 0, 32, icon_image_32bit(large)),
        # The notification area's size at 125 and 150 % (SM_CXSMICON).
        (20, 20, 0, 32, icon_image_32bit(icon_scene(20))),
        (24, 24, 0, 32, icon_image_32bit(icon_scene(24))),
    ]))
    (out / "hand.cur").write_bytes(cursor_file(art_rows(HAND, 32, 32), 0, 0))
    (out / "about.bmp").write_bytes(bitmap_24bit(about_picture()))
    (out / "menu_icons.bmp").write_bytes(bitmap_4bit(menu_strip(), VGA))


if __name__ == "__main__":
    main()
