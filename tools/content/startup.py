"""The start-up pictures: the window icon "icon" (32 x 32, a foaming mug on a red badge) and the
studio's logo card "splash_quillmoor" (800 x 600: a quill over a moor at dusk, with the name)."""

import math
import random

import cairo

import art
from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, DUST_ORANGE, OUTLINE, SUNSET_RED,
                 WOOD_DARK, mix)


def draw_icon(size=32):
    s, ctx = art.surface(size, size)
    c = size / 2.0
    ctx.arc(c, c, c - 1.5, 0, 2 * math.pi)
    g = cairo.RadialGradient(c - 4, c - 5, 1, c, c, c)
    g.add_color_stop_rgb(0, *mix(SUNSET_RED, CREAM, 0.3))
    g.add_color_stop_rgb(1, *mix(SUNSET_RED, OUTLINE, 0.3))
    art.fill_stroke(ctx, g)
    # The mug: glass body, handle, foam.
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_width(3.5)
    ctx.set_source_rgb(*OUTLINE)
    ctx.arc(21.5, 17.5, 4, -math.pi / 2, math.pi / 2)
    ctx.stroke()
    ctx.set_line_width(1.5)
    ctx.set_source_rgb(*CREAM)
    ctx.arc(21.5, 17.5, 4, -math.pi / 2, math.pi / 2)
    ctx.stroke()
    art.rounded_rect(ctx, 9, 11, 13, 14, 2)
    art.fill_stroke(ctx, art.vertical_gradient(11, 25, [(0, art.rgb("ffc94a")),
                                                       (1, DUST_ORANGE)]), line=1.5)
    for cx, cy, r in ((11, 11, 3), (15, 9.5, 3.5), (19.5, 11, 3)):
        ctx.arc(cx, cy, r, 0, 2 * math.pi)
        art.fill_stroke(ctx, CREAM, line=1.2)
    return s


def draw_splash(width=800, height=600):
    s, ctx = art.surface(width, height)
    # Dusk sky.
    sky = art.vertical_gradient(0, height * 0.7, [(0, art.rgb("2c2140")), (0.55, art.rgb("8c3a3a")),
                                                (1, art.rgb("e8964a"))])
    ctx.set_source(sky)
    ctx.paint()
    # The setting sun.
    sun = cairo.RadialGradient(400, 395, 10, 400, 395, 150)
    sun.add_color_stop_rgba(0, 1.0, 0.9, 0.6, 1.0)
    sun.add_color_stop_rgba(0.45, 1.0, 0.75, 0.35, 0.9)
    sun.add_color_stop_rgba(1, 1.0, 0.6, 0.3, 0.0)
    ctx.set_source(sun)
    ctx.arc(400, 395, 150, 0, 2 * math.pi)
    ctx.fill()
    # Rolling moor hills, back to front.
    rng = random.Random(2024)
    hills = [(400, art.rgb("6b3b3a"), 26), (440, art.rgb("4a2b2c"), 20), (490, art.rgb("2e1d1e"), 14)]
    for base, colour, amp in hills:
        phase = rng.uniform(0, 6.28)
        ctx.move_to(0, height)
        for x in range(0, width + 21, 20):
            y = base - amp * math.sin(x / 130.0 + phase) - amp * 0.5 * math.sin(x / 53.0 + phase * 2)
            ctx.line_to(x, y)
        ctx.line_to(width, height)
        ctx.close_path()
        ctx.set_source_rgb(*colour)
        ctx.fill()
    # Stars.
    for _ in range(60):
        x, y = rng.uniform(0, width), rng.uniform(0, 200)
        ctx.arc(x, y, rng.uniform(0.6, 1.4), 0, 2 * math.pi)
        ctx.set_source_rgba(1, 0.95, 0.85, rng.uniform(0.4, 0.9))
        ctx.fill()
    draw_quill(ctx, 400, 215)
    # The name, in the condensed western face with an outline, and the line under it.
    gold = art.vertical_gradient(300, 360, [(0, BRASS_LIGHT), (0.6, BRASS), (1, BRASS_DARK)])
    art.text_outlined(ctx, "QUILLMOOR", 400, 372, 84, fill=gold, line=3.5)
    art.text_outlined(ctx, "G A M E S", 400, 420, 30, fill=CREAM, line=2.5)
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(15)
    line = "tall tales, small towns"
    ext = ctx.text_extents(line)
    ctx.move_to(400 - ext.x_advance / 2, 560)
    ctx.set_source_rgba(*CREAM, 0.8)
    ctx.show_text(line)
    return s


def draw_quill(ctx, cx, cy):
    """A feather quill leaning right, its nib down at the left."""
    ctx.save()
    ctx.translate(cx, cy)
    ctx.rotate(-0.65)
    # The vane.
    ctx.move_to(-110, 0)
    ctx.curve_to(-60, -40, 40, -46, 110, -8)
    ctx.curve_to(40, 14, -50, 20, -110, 0)
    ctx.close_path()
    vane = cairo.LinearGradient(-110, 0, 110, 0)
    vane.add_color_stop_rgb(0, *art.rgb("efe6d2"))
    vane.add_color_stop_rgb(1, *art.rgb("c9b48e"))
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    art.fill_stroke(ctx, vane, line=3)
    # Barbs.
    ctx.set_line_width(1.2)
    ctx.set_source_rgba(*WOOD_DARK, 0.5)
    for i in range(14):
        x = -80 + i * 13
        ctx.move_to(x, -1)
        ctx.line_to(x + 10, -24 + abs(x) * 0.12)
        ctx.move_to(x, 1)
        ctx.line_to(x + 8, 12 - abs(x) * 0.05)
    ctx.stroke()
    # The shaft and the nib.
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(-150, 2)
    ctx.line_to(112, -6)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(5)
    ctx.stroke_preserve()
    ctx.set_source_rgb(*art.rgb("f4ecda"))
    ctx.set_line_width(2)
    ctx.stroke()
    ctx.move_to(-150, 2)
    ctx.line_to(-172, 5)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(4)
    ctx.stroke()
    ctx.restore()


def generate(out_dir, src_dir, args):
    art.save(draw_icon(), out_dir, "icon")
    art.save(draw_splash(), out_dir, "splash_quillmoor")
