"""Drawing helpers shared by the picture generators: the palette, outlines, shapes, seamless
noise and PNG output. Everything is deterministic: noise comes from fixed seeds."""

import math
import os
import random

import cairo

# The saloon palette (r, g, b in 0..1).
def rgb(hex_text):
    hex_text = hex_text.lstrip("#")
    return tuple(int(hex_text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


OUTLINE = rgb("2b1a0e")
WOOD_DARK = rgb("5a3419")
WOOD = rgb("84502a")
WOOD_LIGHT = rgb("b07a45")
BRASS_DARK = rgb("8a6420")
BRASS = rgb("d4a437")
BRASS_LIGHT = rgb("f6dc8a")
PARCHMENT = rgb("efdcb0")
PARCHMENT_DARK = rgb("d6ba82")
DUST_ORANGE = rgb("d9822b")
SUNSET_RED = rgb("b8372a")
FELT_GREEN = rgb("2f6b3a")
FELT_LIGHT = rgb("58a060")
CREAM = rgb("fff4d6")
GREY_DARK = rgb("5d5650")
GREY = rgb("8d867c")
GREY_LIGHT = rgb("b9b2a6")

LINE = 2.0  # outline width at screen size


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def surface(width, height):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(s)
    ctx.set_antialias(cairo.ANTIALIAS_GOOD)
    return s, ctx


def save(s, out_dir, name):
    """Writes the surface as <name>.png into out_dir."""
    s.flush()
    s.write_to_png(os.path.join(out_dir, name + ".png"))


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2.0, h / 2.0)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def vertical_gradient(y0, y1, stops):
    g = cairo.LinearGradient(0, y0, 0, y1)
    for offset, colour in stops:
        g.add_color_stop_rgb(offset, *colour)
    return g


def fill_stroke(ctx, fill, line=LINE, outline=OUTLINE):
    if isinstance(fill, cairo.Pattern):
        ctx.set_source(fill)
    else:
        ctx.set_source_rgb(*fill)
    ctx.fill_preserve()
    ctx.set_source_rgb(*outline)
    ctx.set_line_width(line)
    ctx.stroke()


class PeriodicNoise:
    """A smooth noise that repeats every `period` pixels along both axes: a sum of waves whose
    frequencies are whole multiples of 1/period, with phases from a fixed seed."""

    def __init__(self, seed, period_x, period_y, waves=10, max_freq=4):
        rng = random.Random(seed)
        self.waves = []
        for _ in range(waves):
            fx = rng.randint(0, max_freq)
            fy = rng.randint(0, max_freq)
            if fx == 0 and fy == 0:
                fx = 1
            amp = 1.0 / (1 + fx + fy)
            self.waves.append((2 * math.pi * fx / period_x, 2 * math.pi * fy / period_y,
                               rng.uniform(0, 2 * math.pi), amp))
        self.norm = sum(w[3] for w in self.waves)

    def __call__(self, x, y):
        v = sum(a * math.sin(kx * x + ky * y + p) for kx, ky, p, a in self.waves)
        return v / self.norm  # about -1..1


def wood_grain(ctx, x, y, w, h, base, seed, along_x=True, period=64, strength=0.18):
    """Fills the rectangle with wood grain: streaks that run along one axis and repeat every
    `period` pixels along it, so that the piece tiles."""
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.set_source_rgb(*base)
    ctx.paint()
    rng = random.Random(seed)
    across = h if along_x else w
    streaks = max(3, int(across / 3))
    for i in range(streaks):
        pos = (i + rng.uniform(0.1, 0.9)) * across / streaks
        dark = rng.random() < 0.6
        shade = mix(base, WOOD_DARK if dark else WOOD_LIGHT, strength + rng.uniform(0, 0.2))
        ctx.set_source_rgb(*shade)
        ctx.set_line_width(rng.uniform(0.6, 1.4))
        amp = rng.uniform(0.2, 0.9)
        k = rng.choice((1, 2)) * 2 * math.pi / period
        phase = rng.uniform(0, 2 * math.pi)
        length = w if along_x else h
        steps = int(length) + 1
        for s in range(steps + 1):
            t = float(s)
            off = pos + amp * math.sin(k * t + phase)
            px, py = (x + t, y + off) if along_x else (x + off, y + t)
            if s == 0:
                ctx.move_to(px, py)
            else:
                ctx.line_to(px, py)
        ctx.stroke()
    ctx.restore()


def rivet(ctx, cx, cy, r=2.5):
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    g = cairo.RadialGradient(cx - r * 0.4, cy - r * 0.4, 0.2, cx, cy, r)
    g.add_color_stop_rgb(0, *BRASS_LIGHT)
    g.add_color_stop_rgb(1, *BRASS_DARK)
    fill_stroke(ctx, g, line=1.0)


def star_path(ctx, cx, cy, r_out, r_in, points=5, rotation=-math.pi / 2):
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = rotation + i * math.pi / points
        px, py = cx + r * math.cos(a), cy + r * math.sin(a)
        if i == 0:
            ctx.move_to(px, py)
        else:
            ctx.line_to(px, py)
    ctx.close_path()


def text_outlined(ctx, text, x, y, size, face="DejaVu Serif Condensed", bold=True,
                  fill=CREAM, outline=OUTLINE, line=3.0, centre=True):
    """Draws a title text with a dark outline; (x, y) is the baseline's centre (or start)."""
    ctx.select_font_face(face, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    if centre:
        x -= ext.x_advance / 2.0
    ctx.move_to(x, y)
    ctx.text_path(text)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_source_rgb(*outline)
    ctx.set_line_width(line * 2)
    ctx.stroke_preserve()
    if isinstance(fill, cairo.Pattern):
        ctx.set_source(fill)
    else:
        ctx.set_source_rgb(*fill)
    ctx.fill()
    return ext
