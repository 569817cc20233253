#!/usr/bin/env python3
"""Draws the default skin of Orvane Tessaly from skin.toml.

    python3 draw_skin.py OUTPUT_FOLDER [--description skin.toml] [--preview SHEET.png]

For every skin of the description it writes OUTPUT_FOLDER/<folder>/bg.bmp
and the button pictures buttonN_S.bmp (button N in state S: 0 normal,
1 under the mouse, 2 pressed, 3 disabled; only button 0 has its own
disabled picture). The build runs this; the pictures are never committed.

Each skin is drawn at 100, 125, 150 and 200 % of the description's
pixels: the 100 % pictures lie in the skin folder itself, where a skin made
before there were scales has them, and the others in a subfolder named by
the scale ("125", "150", "200"). Every place is scaled by the same rounding
the program uses, so the button rectangles it writes for a scale meet the
pictures drawn here.

Each button picture is cut from the whole scene (the background with that
button drawn on it), so its anti-aliased edge blends into the background the
button really stands on; every pixel outside the button's silhouette holds
the transparent colour. The script refuses to write a skin that breaks what
the program relies on: the transparent colour in the top-left corner and
nowhere inside, plain panel colour under every control of the main window,
every button inside the window, and four visibly different states.
"""

import argparse
import math
import struct
import sys
import tomllib
from pathlib import Path

import cairo

STATES = ("normal", "hover", "pressed", "disabled")
SCALES = (100, 125, 150, 200)
# A pixel belongs to the window or a button when its shape covers at least
# this much of it; the rest shows what lies behind.
SHAPE_COVERAGE = 0.5
BUTTON_COVERAGE = 0.12
# Two states must differ by at least this mean colour distance per pixel.
STATE_DIFFERENCE = 6.0


# ---------------------------------------------------------------- colours and paths


def rgb(colour):
    return tuple(c / 255.0 for c in colour)


def set_colour(ctx, colour, alpha=1.0):
    ctx.set_source_rgba(*rgb(colour), alpha)


def vertical_gradient(y0, y1, top, bottom):
    gradient = cairo.LinearGradient(0, y0, 0, y1)
    gradient.add_color_stop_rgb(0, *rgb(top))
    gradient.add_color_stop_rgb(1, *rgb(bottom))
    return gradient


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


# ---------------------------------------------------------------- the background


def body_path(ctx, shape, width, height, inset):
    top = shape["body_top"]
    rounded_rect(ctx, inset, top + inset, width - 2 * inset, height - top - 2 * inset,
                 shape["corner_radius"] - inset)


def draw_emblem(ctx, colours, cx, cy, radius):
    """A round gilt frame showing a sunny landscape: the program's picture."""
    ring = cairo.LinearGradient(cx - radius, cy - radius, cx + radius, cy + radius)
    ring.add_color_stop_rgb(0, *rgb((255, 230, 150)))
    ring.add_color_stop_rgb(0.5, *rgb((214, 160, 48)))
    ring.add_color_stop_rgb(1, *rgb((128, 82, 16)))
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    set_colour(ctx, colours["outline"])
    ctx.fill()
    ctx.arc(cx, cy, radius - 1.2, 0, 2 * math.pi)
    ctx.set_source(ring)
    ctx.fill()

    inner = radius - 5
    ctx.save()
    ctx.arc(cx, cy, inner, 0, 2 * math.pi)
    ctx.clip()
    ctx.set_source(vertical_gradient(cy - inner, cy + inner * 0.3, (64, 150, 235), (190, 228, 255)))
    ctx.paint()
    ctx.arc(cx + inner * 0.35, cy - inner * 0.3, inner * 0.26, 0, 2 * math.pi)
    set_colour(ctx, (255, 214, 64))
    ctx.fill()
    for colour, base, peak, spread in (((104, 188, 80), 0.25, -0.15, 1.3), ((42, 130, 48), 0.45, 0.1, 1.1)):
        ctx.move_to(cx - inner * 1.2, cy + inner)
        ctx.line_to(cx - inner * 1.2, cy + inner * base)
        ctx.curve_to(cx - inner * 0.4, cy + inner * peak, cx + inner * 0.2, cy + inner * (peak + 0.1),
                     cx + inner * spread, cy + inner * base)
        ctx.line_to(cx + inner * 1.2, cy + inner)
        ctx.close_path()
        set_colour(ctx, colour)
        ctx.fill()
    ctx.restore()
    ctx.arc(cx, cy, inner, 0, 2 * math.pi)
    ctx.set_line_width(1)
    set_colour(ctx, (96, 60, 10))
    ctx.stroke()


def draw_title(ctx, colours, lines, left, right, centre_y):
    ctx.select_font_face("DejaVu Serif", cairo.FONT_SLANT_ITALIC, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(13)
    line_height = 15
    top = centre_y - line_height * len(lines) / 2
    for i, line in enumerate(lines):
        extents = ctx.text_extents(line)
        x = (left + right) / 2 - extents.x_advance / 2
        y = top + line_height * (i + 0.78)
        ctx.move_to(x + 1, y + 1)
        set_colour(ctx, colours["title_shadow"], 0.8)
        ctx.show_text(line)
        ctx.move_to(x, y)
        set_colour(ctx, colours["title"])
        ctx.show_text(line)


def draw_button_shadow(ctx, button):
    """A soft shadow under a button, part of the background around it."""
    (x, y), (w, h) = button["at"], button["size"]
    radius = corner_radius(button)
    for spread, alpha in ((3, 0.10), (2, 0.14), (1, 0.20)):
        rounded_rect(ctx, x - spread + 1, y - spread + 2, w + 2 * spread - 2, h + 2 * spread - 2, radius + spread)
        ctx.set_source_rgba(0, 0, 0, alpha)
        ctx.fill()


def draw_background(ctx, description, skin):
    colours, shape = description["colours"], description["shape"]
    width, height = skin["size"]
    header, footer = shape["header_bottom"], shape["footer_top"]
    inset = shape["panel_inset"]

    body_path(ctx, shape, width, height, 0)
    set_colour(ctx, colours["outline"])
    ctx.fill()

    ctx.save()
    body_path(ctx, shape, width, height, 1.5)
    ctx.clip()
    # The frame: header band, side rails and footer band share one warm gradient.
    ctx.set_source(vertical_gradient(shape["body_top"], header, colours["band_top"], colours["band_bottom"]))
    ctx.paint()
    ctx.set_source(vertical_gradient(footer, height, colours["band_top"], colours["band_bottom"]))
    ctx.rectangle(0, footer, width, height - footer)
    ctx.fill()
    for y in (shape["body_top"] + 2, footer + 2):
        ctx.rectangle(0, y, width, 1)
        set_colour(ctx, colours["band_line"], 0.35)
        ctx.fill()

    # The panel the controls stand on, slightly sunk into the frame.
    panel_w = width - 2 * inset
    rounded_rect(ctx, inset - 1, header - 1, panel_w + 2, footer - header + 2, 5)
    set_colour(ctx, colours["outline"], 0.55)
    ctx.fill()
    rounded_rect(ctx, inset, header, panel_w, footer - header, 4)
    set_colour(ctx, colours["panel"])
    ctx.fill()
    ctx.rectangle(inset + 3, header, panel_w - 6, 1)
    set_colour(ctx, colours["panel_shade"])
    ctx.fill()
    ctx.rectangle(inset + 3, footer - 1, panel_w - 6, 1)
    set_colour(ctx, colours["panel_light"])
    ctx.fill()
    ctx.restore()

    for button in description["button"]:
        draw_button_shadow(ctx, button)
    cx, cy, radius = shape["emblem"]
    draw_emblem(ctx, colours, cx, cy, radius)
    buttons_right = max(b["at"][0] + b["size"][0] for b in description["button"])
    draw_title(ctx, colours, ["Orvane", "Tessaly"], buttons_right, width - 4, (shape["body_top"] + header) / 2)


# ---------------------------------------------------------------- buttons


def corner_radius(button):
    w, h = button["size"]
    return min(w, h) / 2 if button["shape"] == "round" else min(12, h / 2 - 3)


def glyph_colours(colours, glyph, state):
    ink = {"normal": colours["ink"], "hover": colours["hover_ink"], "pressed": colours["pressed_ink"],
           "disabled": colours["disabled_ink"]}[state]
    if glyph == "exit" and state in ("hover", "pressed"):
        ink = colours["exit_hover_ink"]
    return ink


def draw_face(ctx, colours, button, state, x, y, w, h):
    radius = corner_radius(button)
    exit_button = button["glyph"] == "exit"
    rounded_rect(ctx, x + 0.5, y + 0.5, w - 1, h - 1, radius - 0.5)
    if state == "normal":
        ctx.set_source(vertical_gradient(y, y + h, colours["face_top"], colours["face_bottom"]))
    elif state == "hover":
        top, bottom = colours["hover_top"], colours["hover_bottom"]
        if exit_button:
            top, bottom = mix(colours["exit_hover"], (255, 255, 255), 0.25), colours["exit_hover"]
        ctx.set_source(vertical_gradient(y, y + h, top, bottom))
    elif state == "pressed":
        top, bottom = colours["pressed_top"], colours["pressed_bottom"]
        if exit_button:
            top, bottom = colours["exit_pressed"], colours["exit_hover"]
        ctx.set_source(vertical_gradient(y, y + h, top, bottom))
    else:
        set_colour(ctx, colours["disabled_face"])
    ctx.fill_preserve()
    ctx.set_line_width(1)
    set_colour(ctx, colours["disabled_edge"] if state == "disabled" else colours["face_edge"])
    ctx.stroke()

    if state in ("normal", "hover"):
        # A glossy upper half.
        ctx.save()
        rounded_rect(ctx, x + 1.5, y + 1.5, w - 3, h - 3, radius - 1.5)
        ctx.clip()
        gloss = cairo.LinearGradient(0, y, 0, y + h / 2)
        gloss.add_color_stop_rgba(0, 1, 1, 1, 0.75)
        gloss.add_color_stop_rgba(1, 1, 1, 1, 0.05)
        ctx.rectangle(x, y, w, h / 2)
        ctx.set_source(gloss)
        ctx.fill()
        ctx.restore()
    if state == "hover" and not exit_button:
        rounded_rect(ctx, x + 2, y + 2, w - 4, h - 4, radius - 2)
        ctx.set_line_width(2)
        set_colour(ctx, colours["hover_ring"])
        ctx.stroke()
    if state == "pressed":
        # Sunk: a shadow along the inner top edge.
        ctx.save()
        rounded_rect(ctx, x + 1, y + 1, w - 2, h - 2, radius - 1)
        ctx.clip()
        shade = cairo.LinearGradient(0, y, 0, y + 6)
        shade.add_color_stop_rgba(0, 0, 0, 0, 0.35)
        shade.add_color_stop_rgba(1, 0, 0, 0, 0)
        ctx.rectangle(x, y, w, 6)
        ctx.set_source(shade)
        ctx.fill()
        ctx.restore()


def scaled(value, percent):
    """A place at this scale, rounded half up as the program's MulDiv does."""
    return (value * percent + 50) // 100


def scaled_box(at, size, percent):
    """Left, top, width and height of a box at this scale: its edges are
    scaled, so boxes that touch at 100 % still touch."""
    (x, y), (w, h) = at, size
    left, top = scaled(x, percent), scaled(y, percent)
    return left, top, scaled(x + w, percent) - left, scaled(y + h, percent) - top


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def draw_glyph(ctx, glyph, cx, cy, size):
    """Line drawings in the current source colour, centred on (cx, cy)."""
    s = size
    ctx.set_line_width(max(1.5, s / 9))
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    if glyph == "picture":
        w, h = s, s * 0.8
        rounded_rect(ctx, cx - w / 2, cy - h / 2, w, h, 2)
        ctx.stroke()
        ctx.move_to(cx - w / 2 + 2, cy + h / 2 - 2)
        ctx.line_to(cx - w / 8, cy - h / 8)
        ctx.line_to(cx + w / 8, cy + h / 8)
        ctx.line_to(cx + w / 4, cy)
        ctx.line_to(cx + w / 2 - 2, cy + h / 2 - 2)
        ctx.close_path()
        ctx.fill()
        ctx.arc(cx + w / 5, cy - h / 5, s / 9, 0, 2 * math.pi)
        ctx.fill()
    elif glyph == "desktop":
        w, h = s, s * 0.68
        top = cy - s / 2
        rounded_rect(ctx, cx - w / 2, top, w, h, 2)
        ctx.stroke()
        ctx.move_to(cx, top + h)
        ctx.line_to(cx, top + h + s * 0.2)
        ctx.move_to(cx - w * 0.3, top + h + s * 0.22)
        ctx.line_to(cx + w * 0.3, top + h + s * 0.22)
        ctx.stroke()
    elif glyph == "minimise":
        ctx.set_line_width(max(2.5, s / 6))
        ctx.move_to(cx - s / 2.6, cy + s / 5)
        ctx.line_to(cx + s / 2.6, cy + s / 5)
        ctx.stroke()
    elif glyph in ("help", "about"):
        ctx.arc(cx, cy, s / 2, 0, 2 * math.pi)
        ctx.stroke()
        ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
        ctx.set_font_size(s * 0.72)
        text = "?" if glyph == "help" else "i"
        extents = ctx.text_extents(text)
        ctx.move_to(cx - extents.x_bearing - extents.width / 2, cy - extents.y_bearing - extents.height / 2)
        ctx.show_text(text)
    elif glyph == "exit":
        ctx.set_line_width(max(2.2, s / 7))
        r = s / 2.4
        ctx.arc(cx, cy + s / 20, r, -math.pi / 2 + 0.75, 3 * math.pi / 2 - 0.75)
        ctx.stroke()
        ctx.move_to(cx, cy - s / 2)
        ctx.line_to(cx, cy - s / 12)
        ctx.stroke()
    else:
        raise ValueError(f"unknown glyph {glyph}")


def draw_button(ctx, description, skin, index, state):
    """Draws the button at (0, 0) of the context."""
    colours = description["colours"]
    button = description["button"][index]
    w, h = button["size"]
    draw_face(ctx, colours, button, state, 0, 0, w, h)

    shift = 1 if state == "pressed" else 0
    set_colour(ctx, glyph_colours(colours, button["glyph"], state))
    label = skin["labels"][index] if button["shape"] == "pill" else ""
    glyph_size = round(h * 0.45) if not label else round(h * 0.4)
    if not label:
        draw_glyph(ctx, button["glyph"], w / 2 + shift, h / 2 + shift, glyph_size)
        return
    ctx.select_font_face(skin["font"], cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(skin["label_size"])
    extents = ctx.text_extents(label)
    gap = 4
    total = glyph_size + gap + extents.x_advance
    left = (w - total) / 2 + shift
    draw_glyph(ctx, button["glyph"], left + glyph_size / 2, h / 2 + shift, glyph_size)
    ctx.select_font_face(skin["font"], cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)  # the glyph may change it
    ctx.set_font_size(skin["label_size"])
    ctx.move_to(left + glyph_size + gap, h / 2 + shift - extents.y_bearing - extents.height / 2)
    ctx.show_text(label)


# ---------------------------------------------------------------- pixels and files


class Picture:
    """An opaque picture with some pixels marked transparent."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[None] * width for _ in range(height)]  # (r, g, b) or None

    def crop(self, x0, y0, width, height):
        picture = Picture(width, height)
        picture.pixels = [row[x0:x0 + width] for row in self.pixels[y0:y0 + height]]
        return picture


def surface_rows(surface):
    """Rows of (r, g, b) colours and rows of alpha values of an ARGB32 surface."""
    surface.flush()
    data, stride, width = bytes(surface.get_data()), surface.get_stride(), surface.get_width()
    colours, alphas = [], []
    for y in range(surface.get_height()):
        row = data[y * stride:y * stride + 4 * width]
        colours.append(list(zip(row[2::4], row[1::4], row[0::4])))
        alphas.append(row[3::4])
    return colours, alphas


def flattened(surface, colour):
    """The surface laid over a plain colour: every pixel opaque."""
    flat = cairo.ImageSurface(cairo.FORMAT_ARGB32, surface.get_width(), surface.get_height())
    ctx = cairo.Context(flat)
    set_colour(ctx, colour)
    ctx.paint()
    ctx.set_source_surface(surface)
    ctx.paint()
    return flat


def picture_surface(picture):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, picture.width, picture.height)
    surface.flush()
    data, stride = surface.get_data(), surface.get_stride()
    for y, row in enumerate(picture.pixels):
        line = bytearray()
        for pixel in row:
            r, g, b = pixel if pixel is not None else (0, 0, 0)
            line += bytes((b, g, r, 255))
        data[y * stride:y * stride + len(line)] = bytes(line)
    surface.mark_dirty()
    return surface


def write_bmp(path, picture, key):
    stride = (picture.width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(picture.pixels):
        line = bytearray()
        for pixel in row:
            r, g, b = pixel if pixel is not None else key
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    path.write_bytes(file_header + header + data)


def keep_off_key(colour, key):
    """An opaque pixel must never hold the transparent colour by chance."""
    if colour != key:
        return colour
    return (colour[0], colour[1] ^ 1, colour[2])


def render_background(description, skin, percent):
    width, height = (scaled(v, percent) for v in skin["size"])
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(surface)
    ctx.scale(percent / 100, percent / 100)
    draw_background(ctx, description, skin)
    key = description["key"]
    # The window's edge is hard (a region has no partial pixels), so edge
    # pixels are laid on the outline colour, never on the transparent one.
    colours, _ = surface_rows(flattened(surface, description["colours"]["outline"]))
    _, alphas = surface_rows(surface)
    picture = Picture(width, height)
    for y in range(height):
        picture.pixels[y] = [keep_off_key(colour, key) if alpha >= SHAPE_COVERAGE * 255 else None
                             for colour, alpha in zip(colours[y], alphas[y])]
    return picture


def render_button(description, skin, scene, index, state, silhouette, percent):
    """The button in one state, cut from the scene it stands in; `silhouette`
    (from the normal state) decides which pixels are the button's."""
    button = description["button"][index]
    x0, y0, w, h = scaled_box(button["at"], button["size"], percent)
    # The drawing fills the scaled box exactly, whatever the rounding did.
    sx, sy = w / button["size"][0], h / button["size"][1]
    if silhouette is None:
        alone = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
        ctx = cairo.Context(alone)
        ctx.scale(sx, sy)
        draw_button(ctx, description, skin, index, state)
        silhouette = [[alpha >= BUTTON_COVERAGE * 255 for alpha in row] for row in surface_rows(alone)[1]]
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    ctx = cairo.Context(surface)
    ctx.set_source_surface(scene, -x0, -y0)
    ctx.paint()
    ctx.scale(sx, sy)
    draw_button(ctx, description, skin, index, state)
    colours, _ = surface_rows(surface)
    key = description["key"]
    picture = Picture(w, h)
    picture.pixels = [[keep_off_key(colour, key) if inside else None for colour, inside in zip(colour_row, inside_row)]
                      for colour_row, inside_row in zip(colours, silhouette)]
    return picture, silhouette


# ---------------------------------------------------------------- checks


def check(condition, message):
    if not condition:
        sys.exit(f"draw_skin: {message}")


def check_skin(description, skin, background, buttons, percent):
    width, height = background.width, background.height
    panel = tuple(description["colours"]["panel"])
    name = f"{skin['folder']} at {percent} %"
    check(background.pixels[0][0] is None, f"{name}: the top-left pixel must be transparent")
    left, top, right, bottom = (scaled(v, percent) for v in skin["controls"])
    check(0 <= left < right <= width and 0 <= top < bottom <= height, f"{name}: controls outside the window")
    for y in range(top, bottom):
        for x in range(left, right):
            check(background.pixels[y][x] == panel, f"{name}: pixel ({x}, {y}) under the controls is not the panel colour")
    for index, (states, button) in enumerate(zip(buttons, description["button"])):
        x0, y0, w, h = scaled_box(button["at"], button["size"], percent)
        check(not (x0 < right and left < x0 + w and y0 < bottom and top < y0 + h),
              f"{name}: button {index} covers the controls")
        normal = states[0]
        check(normal.pixels[0][0] is None, f"{name}: button {index}: the top-left pixel must be transparent")
        for y in range(h):
            for x in range(w):
                if normal.pixels[y][x] is not None:
                    check(background.pixels[y0 + y][x0 + x] is not None, f"{name}: button {index} leaves the window")
        for a in range(len(states)):
            for b in range(a + 1, len(states)):
                difference = picture_difference(states[a], states[b])
                check(difference >= STATE_DIFFERENCE,
                      f"{name}: button {index}: states {STATES[a]} and {STATES[b]} look alike ({difference:.1f})")


def picture_difference(a, b):
    total, count = 0, 0
    for row_a, row_b in zip(a.pixels, b.pixels):
        for pa, pb in zip(row_a, row_b):
            if pa is not None and pb is not None:
                total += sum(abs(ca - cb) for ca, cb in zip(pa, pb))
                count += 1
    return total / max(count, 1)


# ---------------------------------------------------------------- main


def state_files(index):
    """The state pictures of a button; buttons 1 to 5 reuse the pressed one when disabled."""
    names = [f"button{index}_{state}.bmp" for state in range(3)]
    names.append(f"button{index}_3.bmp" if index == 0 else names[2])
    return names


def draw_skin(description, skin, out_folder, percent):
    background = render_background(description, skin, percent)
    scene = picture_surface(background)
    buttons = []
    for index in range(len(description["button"])):
        silhouette = None
        states = []
        for state in STATES if index == 0 else STATES[:3]:
            picture, silhouette = render_button(description, skin, scene, index, state, silhouette, percent)
            states.append(picture)
        buttons.append(states)
    check_skin(description, skin, background, buttons, percent)

    folder = out_folder / skin["folder"]
    if percent != 100:
        folder = folder / str(percent)
    folder.mkdir(parents=True, exist_ok=True)
    key = description["key"]
    write_bmp(folder / "bg.bmp", background, key)
    for index, states in enumerate(buttons):
        for name, picture in zip(state_files(index), states):
            write_bmp(folder / name, picture, key)
    return background, buttons


# The second row of the preview shows the buttons in other states.
PREVIEW_STATES = (3, 1, 2, 1, 2, 1)


def write_preview(path, description, drawn):
    """A sheet for people: each skin, once as it starts and once with its
    buttons in other states."""
    margin = 16
    sheet_w = sum(skin["size"][0] for skin, _, _ in drawn) + margin * (len(drawn) + 1)
    sheet_h = max(skin["size"][1] for skin, _, _ in drawn) * 2 + margin * 3
    sheet = cairo.ImageSurface(cairo.FORMAT_RGB24, sheet_w, sheet_h)
    ctx = cairo.Context(sheet)
    ctx.set_source_rgb(0.45, 0.55, 0.62)
    ctx.paint()
    sheet.flush()
    x = margin
    for skin, background, buttons in drawn:
        height = skin["size"][1]
        for row in range(2):
            top = margin + row * (height + margin)
            paste(sheet, background, x, top)
            for index, states in enumerate(buttons):
                bx, by = description["button"][index]["at"]
                state = 0 if row == 0 else PREVIEW_STATES[index]
                paste(sheet, states[state], x + bx, top + by)
        x += skin["size"][0] + margin
    sheet.mark_dirty()
    sheet.write_to_png(str(path))


def paste(sheet, picture, left, top):
    data, stride = sheet.get_data(), sheet.get_stride()
    for y, row in enumerate(picture.pixels):
        for x, pixel in enumerate(row):
            if pixel is not None:
                offset = (top + y) * stride + 4 * (left + x)
                data[offset:offset + 4] = bytes((pixel[2], pixel[1], pixel[0], 255))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", type=Path)
    parser.add_argument("--description", type=Path, default=Path(__file__).with_name("skin.toml"))
    parser.add_argument("--preview", type=Path)
    args = parser.parse_args()
    description = tomllib.loads(args.description.read_text(encoding="utf-8"))
    description["key"] = tuple(description["key"])
    drawn = []
    for skin in description["skin"]:
        for percent in SCALES:
            background, buttons = draw_skin(description, skin, args.output, percent)
            if percent == 100:
                drawn.append((skin, background, buttons))
    if args.preview:
        write_preview(args.preview, description, drawn)


if __name__ == "__main__":
    main()
