"""The interface set of the theme: brass buttons in four states, the tooltip background, the wooden
frame with its parchment back and decorations, separators, slider, radio and check boxes, the
edit box field and the two cursors.

    ui <parameter file>

The parameter file (content/misc/gen/ui.txt) holds "<name> <numbers>" lines with the sizes.
"""

import math
import os
import random
import struct

import cairo

import art
from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, DUST_ORANGE, FELT_GREEN, GREY, GREY_DARK,
                 GREY_LIGHT, OUTLINE, PARCHMENT, PARCHMENT_DARK, SUNSET_RED, WOOD, WOOD_DARK,
                 WOOD_LIGHT, mix)


def read_params(path):
    params = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split("#", 1)[0].split()
            if words:
                params[words[0]] = [int(w) for w in words[1:]]
    return params


# ---- pixel surfaces -------------------------------------------------------------------------

def pixel_surface(width, height, colour_at):
    """A surface whose every pixel is colour_at(x, y) -> (r, g, b, a) in 0..1."""
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    stride = s.get_stride()
    data = bytearray(stride * height)
    for y in range(height):
        row = y * stride
        for x in range(width):
            r, g, b, a = colour_at(x, y)
            a = max(0.0, min(1.0, a))
            px = (int(round(a * 255)) << 24 | int(round(max(0, min(1, r)) * a * 255)) << 16 |
                  int(round(max(0, min(1, g)) * a * 255)) << 8 |
                  int(round(max(0, min(1, b)) * a * 255)))
            struct.pack_into("=I", data, row + 4 * x, px)
    s.get_data()[:] = bytes(data)
    s.mark_dirty()
    return s


# ---- buttons --------------------------------------------------------------------------------

BUTTON_LOOKS = {
    # state: (top, middle, bottom colours of the plate, rim colour, lip, press offset)
    "normal": (BRASS_LIGHT, BRASS, BRASS_DARK, None, 3, 0),
    "highlight": (art.rgb("fff2b8"), art.rgb("f2c64a"), art.rgb("c88a1e"), DUST_ORANGE, 3, 0),
    "pushed": (mix(BRASS_DARK, OUTLINE, 0.25), art.rgb("a87a22"), BRASS, None, 0, 2),
    "disabled": (GREY_LIGHT, GREY, GREY_DARK, None, 3, 0),
}


def draw_button(width, height, cap, state):
    top, middle, bottom, rim, lip, press = BUTTON_LOOKS[state]
    s, ctx = art.surface(width, height)
    # The plate keeps its height; pushed, it sinks by `press` onto where the lip was.
    body_h = height - 2 - 3
    y0 = 1 + press
    # The lip under the plate: the button's thickness.
    if lip:
        art.rounded_rect(ctx, 1, y0 + lip, width - 2, body_h, 8)
        art.fill_stroke(ctx, mix(bottom, OUTLINE, 0.45))
    art.rounded_rect(ctx, 1, y0, width - 2, body_h, 8)
    grad = art.vertical_gradient(y0, y0 + body_h, [(0, top), (0.45, middle), (1, bottom)])
    art.fill_stroke(ctx, grad)
    # One highlight line near the top (a shade line when pushed), only between the caps' curves.
    ctx.set_line_width(2)
    if state == "pushed":
        ctx.set_source_rgba(*OUTLINE, 0.45)
        ctx.move_to(6, y0 + 3)
        ctx.line_to(width - 6, y0 + 3)
    else:
        ctx.set_source_rgba(1, 1, 1, 0.55 if state != "disabled" else 0.3)
        ctx.move_to(8, y0 + 4)
        ctx.line_to(width - 8, y0 + 4)
    ctx.stroke()
    if rim:
        art.rounded_rect(ctx, 3.5, y0 + 2.5, width - 7, body_h - 5, 6)
        ctx.set_source_rgb(*rim)
        ctx.set_line_width(2)
        ctx.stroke()
    # Rivets in the caps.
    for cx in (cap / 2.0 + 1, width - cap / 2.0 - 1):
        if state == "disabled":
            ctx.arc(cx, y0 + body_h / 2.0, 2.5, 0, 2 * math.pi)
            art.fill_stroke(ctx, GREY_DARK, line=1.0)
        else:
            art.rivet(ctx, cx, y0 + body_h / 2.0)
    return s


def draw_tooltip(width, height):
    s, ctx = art.surface(width, height)
    art.rounded_rect(ctx, 1, 1, width - 2, height - 2, 5)
    grad = art.vertical_gradient(1, height - 1, [(0, art.rgb("fbf0d2")), (1, PARCHMENT)])
    art.fill_stroke(ctx, grad, outline=WOOD_DARK)
    return s


# ---- frame ----------------------------------------------------------------------------------

class FrameStyle:
    """The cross-section of the wooden frame and its grain: every piece takes its colour from
    (distance from the outer edge, position along the edge), so that corners and edges meet and
    the edges tile. Positions are counted so that each edge piece starts at 0 of the period."""

    def __init__(self, thickness, period):
        self.t = thickness
        self.period = period
        self.grain = art.PeriodicNoise(7, period, 997, waves=12, max_freq=3)
        self.knots = art.PeriodicNoise(11, period, period, waves=6, max_freq=2)

    def profile(self, d, along):
        t = self.t
        if d < 2:
            return OUTLINE
        if d < 4:
            return WOOD_LIGHT
        wood_end = t - 7
        if d < wood_end:
            # Streaks run along the edge: they depend on the depth, and waver along the edge.
            v = self.grain(along * 1.0, d * 9.0 + 3.0 * self.knots(along, d))
            streak = math.sin(d * 2.1 + 2.5 * v)
            return mix(WOOD, WOOD_DARK if streak < 0 else WOOD_LIGHT, 0.35 * abs(streak))
        if d < wood_end + 2:
            return WOOD_DARK
        if d < wood_end + 3:
            return OUTLINE
        if d < t - 1:
            return mix(BRASS_LIGHT, BRASS_DARK, (d - (wood_end + 3)) / 3.0)
        return OUTLINE

    def edge(self, horizontal, inner_last, length):
        """An edge piece: horizontal (top or bottom) or vertical (left or right); inner_last: the
        inner side is at the end of the cross axis (top and left)."""
        t = self.t

        def colour(x, y):
            along, across = (x, y) if horizontal else (y, x)
            d = across if inner_last else t - 1 - across
            return (*self.profile(d, along), 1.0)

        return pixel_surface(length if horizontal else t, t if horizontal else length, colour)

    def corner(self, right, bottom):
        """A corner: the two edges that meet in it, mitred along the diagonal. Along each edge the
        corner continues the edge's grain (before position 0 at the top-left, after the last
        period at the bottom-right)."""
        t = self.t

        def colour(x, y):
            dx = t - 1 - x if right else x  # distance from the outer vertical side
            dy = t - 1 - y if bottom else y  # distance from the outer horizontal side
            along_h = x if right else x - t
            along_v = y if bottom else y - t
            if dy <= dx:
                c = self.profile(dy, along_h)
            else:
                c = self.profile(dx, along_v)
            # The mitre joint: a dark line through the wood, on the diagonal.
            if dx == dy and 2 <= dx < t - 7:
                c = mix(c, OUTLINE, 0.7)
            return (*c, 1.0)

        return pixel_surface(t, t, colour)


def draw_back(size):
    noise = art.PeriodicNoise(3, size, size, waves=14, max_freq=5)
    fibres = art.PeriodicNoise(5, size, size, waves=8, max_freq=8)

    def colour(x, y):
        v = 0.5 + 0.5 * noise(x, y)
        f = fibres(x, y)
        c = mix(PARCHMENT, PARCHMENT_DARK, 0.55 * v)
        # Soft fibres where the second noise peaks.
        c = mix(c, PARCHMENT_DARK, 0.45 * max(0.0, min(1.0, (f - 0.4) * 2.5)))
        return (*c, 1.0)

    return pixel_surface(size, size, colour)


def draw_corner_plate(size, right=False):
    """A brass plate laid over a frame corner, with rivets: over the upper-left corner, or
    mirrored over the upper-right one."""
    s, ctx = art.surface(size, size)
    if right:
        ctx.translate(size, 0)
        ctx.scale(-1, 1)
    ctx.move_to(1, 1)
    ctx.line_to(size - 1, 1)
    ctx.curve_to(size * 0.55, size * 0.3, size * 0.3, size * 0.55, 1, size - 1)
    ctx.close_path()
    grad = cairo.LinearGradient(0, 0, size, size)
    grad.add_color_stop_rgb(0, *BRASS_LIGHT)
    grad.add_color_stop_rgb(0.6, *BRASS)
    grad.add_color_stop_rgb(1, *BRASS_DARK)
    art.fill_stroke(ctx, grad)
    art.rivet(ctx, 7, 7)
    art.rivet(ctx, size * 0.55, 6)
    art.rivet(ctx, 6, size * 0.55)
    return s


def draw_star_badge(size):
    s, ctx = art.surface(size, size)
    c = size / 2.0
    art.star_path(ctx, c, c + 1, c - 1.5, c * 0.45)
    grad = cairo.RadialGradient(c - 3, c - 4, 1, c, c, c)
    grad.add_color_stop_rgb(0, *BRASS_LIGHT)
    grad.add_color_stop_rgb(1, *BRASS_DARK)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    art.fill_stroke(ctx, grad)
    art.rivet(ctx, c, c + 1, 2.5)
    return s


def draw_horseshoe(size):
    """A lucky horseshoe, open at the top, with its nail holes."""
    s, ctx = art.surface(size, size)
    c = size / 2.0
    r = c - 6
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for width, colour in ((9, OUTLINE), (5, art.rgb("9a9590"))):
        ctx.set_line_width(width)
        ctx.set_source_rgb(*colour)
        ctx.arc(c, c - 2, r, -math.pi * 0.2, math.pi * 1.2)
        ctx.stroke()
    for a in (-0.05, 0.2, 0.4, 0.6, 0.8, 1.05):
        ctx.arc(c + r * math.cos(a * math.pi), c - 2 + r * math.sin(a * math.pi), 0.9, 0,
                2 * math.pi)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()
    return s


def draw_top_plate(style, length):
    """The second top edge: the plain edge with a brass name plate in its middle; both ends
    are the plain profile, so it tiles with the first."""
    s = style.edge(True, True, length)
    ctx = cairo.Context(s)
    t = style.t
    art.rounded_rect(ctx, length * 0.25, 4, length * 0.5, t - 11, 3)
    grad = art.vertical_gradient(4, t - 7, [(0, BRASS_LIGHT), (1, BRASS_DARK)])
    art.fill_stroke(ctx, grad, line=1.5)
    art.rivet(ctx, length * 0.25 + 4, 4 + (t - 11) / 2.0, 1.8)
    art.rivet(ctx, length * 0.75 - 4, 4 + (t - 11) / 2.0, 1.8)
    return s


# ---- separators, slider, toggles ------------------------------------------------------------

def draw_separator(width, height):
    s, ctx = art.surface(width, height)
    art.rounded_rect(ctx, 1, 1, width - 2, height - 2, (height - 2) / 2.0)
    grad = art.vertical_gradient(1, height - 1, [(0, BRASS_LIGHT), (0.5, BRASS), (1, BRASS_DARK)])
    art.fill_stroke(ctx, grad, line=1.5)
    # Small rivets along the rod, evenly spread.
    count = max(2, width // 100 + 1)
    for i in range(count):
        cx = 8 + (width - 16) * i / (count - 1)
        ctx.arc(cx, height / 2.0, 1.2, 0, 2 * math.pi)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()
    return s


def draw_slider(width, height, full):
    s, ctx = art.surface(width, height)
    art.rounded_rect(ctx, 1, 1, width - 2, height - 2, height / 2.0 - 1)
    grad = art.vertical_gradient(1, height - 1, [(0, WOOD_LIGHT), (1, WOOD_DARK)])
    art.fill_stroke(ctx, grad)
    # The groove: dark when empty, glowing orange and brass when full.
    gy, gh = height / 2.0 - 4, 8
    art.rounded_rect(ctx, 8, gy, width - 16, gh, 4)
    if full:
        g = art.vertical_gradient(gy, gy + gh, [(0, art.rgb("ffd37a")), (0.5, DUST_ORANGE),
                                                (1, SUNSET_RED)])
        art.fill_stroke(ctx, g, line=1.5)
    else:
        g = art.vertical_gradient(gy, gy + gh, [(0, OUTLINE), (1, mix(WOOD_DARK, OUTLINE, 0.4))])
        art.fill_stroke(ctx, g, line=1.5)
    return s


def draw_thumb(width, height):
    s, ctx = art.surface(width, height)
    ctx.move_to(2, 2)
    ctx.line_to(width - 2, 2)
    ctx.line_to(width - 2, height - 9)
    ctx.line_to(width / 2.0, height - 2)
    ctx.line_to(2, height - 9)
    ctx.close_path()
    grad = cairo.LinearGradient(0, 0, width, 0)
    grad.add_color_stop_rgb(0, *BRASS_LIGHT)
    grad.add_color_stop_rgb(0.5, *BRASS)
    grad.add_color_stop_rgb(1, *BRASS_DARK)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    art.fill_stroke(ctx, grad)
    for y in (8, 12, 16):
        ctx.move_to(6, y)
        ctx.line_to(width - 6, y)
    ctx.set_source_rgba(*OUTLINE, 0.6)
    ctx.set_line_width(1)
    ctx.stroke()
    return s


def draw_radio(size, checked):
    s, ctx = art.surface(size, size)
    c = size / 2.0
    ctx.arc(c, c, c - 1.5, 0, 2 * math.pi)
    grad = cairo.RadialGradient(c - 3, c - 3, 1, c, c, c)
    grad.add_color_stop_rgb(0, *BRASS_LIGHT)
    grad.add_color_stop_rgb(1, *BRASS_DARK)
    art.fill_stroke(ctx, grad)
    ctx.arc(c, c, c - 5, 0, 2 * math.pi)
    art.fill_stroke(ctx, mix(FELT_GREEN, OUTLINE, 0.3), line=1.5)
    if checked:
        ctx.arc(c, c, c - 7, 0, 2 * math.pi)
        g = cairo.RadialGradient(c - 1.5, c - 1.5, 0.5, c, c, c - 7)
        g.add_color_stop_rgb(0, *art.rgb("ff9a80"))
        g.add_color_stop_rgb(1, *SUNSET_RED)
        art.fill_stroke(ctx, g, line=1.0)
    return s


def draw_check(size, checked):
    s, ctx = art.surface(size, size)
    art.rounded_rect(ctx, 1, 1, size - 2, size - 2, 3)
    art.fill_stroke(ctx, art.vertical_gradient(1, size - 1, [(0, WOOD_LIGHT), (1, WOOD_DARK)]))
    art.rounded_rect(ctx, 5, 5, size - 10, size - 10, 1.5)
    art.fill_stroke(ctx, PARCHMENT, line=1.5)
    if checked:
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        for width, colour in ((6, OUTLINE), (3, SUNSET_RED)):
            ctx.move_to(6, size * 0.5)
            ctx.line_to(size * 0.42, size - 7)
            ctx.line_to(size - 4, 3)
            ctx.set_line_width(width)
            ctx.set_source_rgb(*colour)
            ctx.stroke()
    return s


def draw_editbox(width, height):
    """The field of a text entry: parchment sunk into a thin wooden rim, darker along its top edge
    where the rim's shadow falls, so that typed text reads as written into the panel."""
    s, ctx = art.surface(width, height)
    art.rounded_rect(ctx, 1, 1, width - 2, height - 2, 4)
    art.fill_stroke(ctx, art.vertical_gradient(1, height - 1, [(0, WOOD_DARK), (1, WOOD)]),
                    line=1.5)
    art.rounded_rect(ctx, 4, 4, width - 8, height - 8, 2.5)
    inner = art.vertical_gradient(4, height - 4, [(0, mix(PARCHMENT_DARK, OUTLINE, 0.25)),
                                                  (0.3, PARCHMENT), (1, mix(PARCHMENT, CREAM, 0.5))])
    art.fill_stroke(ctx, inner, line=1.0)
    return s


def draw_cursor(size):
    """The arrow: its tip is the picture's top-left pixel (the hot spot 0 0)."""
    s, ctx = art.surface(size, size)
    pts = [(1.5, 1.5), (1.5, 23), (7, 18), (11, 27), (15, 25), (11, 16.5), (19, 16.5)]
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    grad = art.vertical_gradient(0, 26, [(0, CREAM), (1, BRASS)])
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    art.fill_stroke(ctx, grad)
    return s


def draw_sight(size):
    """The aiming cursor: a ring and cross hair; its hot spot is the centre."""
    s, ctx = art.surface(size, size)
    c = size / 2.0
    for width, colour in ((4.5, CREAM), (2, SUNSET_RED)):
        ctx.set_line_width(width)
        ctx.set_source_rgb(*colour)
        ctx.arc(c, c, c - 5, 0, 2 * math.pi)
        ctx.stroke()
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            ctx.move_to(c + dx * 3, c + dy * 3)
            ctx.line_to(c + dx * (c - 1), c + dy * (c - 1))
        ctx.stroke()
    ctx.arc(c, c, 1.5, 0, 2 * math.pi)
    ctx.set_source_rgb(*SUNSET_RED)
    ctx.fill()
    return s


# ---- entry point ----------------------------------------------------------------------------

def generate(out_dir, src_dir, args):
    p = read_params(os.path.join(src_dir, args[0]))
    bw, bh = p["button_size"]
    cap = p["button_cap"][0]
    for state in ("normal", "highlight", "pushed", "disabled"):
        art.save(draw_button(bw, bh, cap, state), out_dir, "button_" + state)
    art.save(draw_tooltip(*p["tooltip_size"]), out_dir, "tooltip")

    thickness = p["frame_thickness"][0]
    edge = p["frame_edge"][0]
    style = FrameStyle(thickness, edge)
    art.save(style.corner(False, False), out_dir, "frame_ul")
    art.save(style.corner(True, False), out_dir, "frame_ur")
    art.save(style.corner(False, True), out_dir, "frame_ll")
    art.save(style.corner(True, True), out_dir, "frame_lr")
    art.save(style.edge(True, True, edge), out_dir, "frame_top")
    art.save(draw_top_plate(style, edge), out_dir, "frame_top2")
    art.save(style.edge(True, False, edge), out_dir, "frame_bottom")
    art.save(style.edge(False, True, edge), out_dir, "frame_left")
    art.save(style.edge(False, False, edge), out_dir, "frame_right")
    art.save(draw_back(edge), out_dir, "frame_back")
    art.save(draw_corner_plate(32), out_dir, "frame_deco_plate")
    art.save(draw_corner_plate(32, right=True), out_dir, "frame_deco_plate_ur")
    art.save(draw_star_badge(28), out_dir, "frame_deco_star")
    art.save(draw_horseshoe(28), out_dir, "frame_deco_horseshoe")

    art.save(draw_separator(*p["separator_long"]), out_dir, "separator_long")
    art.save(draw_separator(*p["separator_short"]), out_dir, "separator_short")
    # The tutorial's messages put this one under their text.
    art.save(draw_separator(*p["separator_short"]), out_dir, "shortsep")
    art.save(draw_separator(*p["separator"]), out_dir, "separator")
    sw, sh = p["slider_size"]
    art.save(draw_slider(sw, sh, False), out_dir, "slider_empty")
    art.save(draw_slider(sw, sh, True), out_dir, "slider_full")
    art.save(draw_thumb(*p["slider_thumb"]), out_dir, "slider_thumb")
    toggle = p["toggle_size"][0]
    art.save(draw_radio(toggle, False), out_dir, "radio_unchecked")
    art.save(draw_radio(toggle, True), out_dir, "radio_checked")
    art.save(draw_check(toggle, False), out_dir, "check_off")
    art.save(draw_check(toggle, True), out_dir, "check_on")
    art.save(draw_editbox(*p["editbox_size"]), out_dir, "editbox_back")
    cursor = p["cursor_size"][0]
    art.save(draw_cursor(cursor), out_dir, "cursor")
    art.save(draw_sight(cursor), out_dir, "cursor_sight")
