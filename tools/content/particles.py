"""The particle pictures of the effect definitions in content/misc/*.particles: a dust mote, a
spark and a smoke puff drawn soft-edged in light colours (the definitions tint them), and the
palettes the effects colour them with over their life (top row, birth on the left)."""

import math

import cairo

import art


def soft_dot(size, colour, hardness=0.35):
    """A round blob fading out to its edge."""
    s, ctx = art.surface(size, size)
    c = size / 2.0
    g = cairo.RadialGradient(c, c, 0, c, c, c)
    g.add_color_stop_rgba(0, colour[0], colour[1], colour[2], 1.0)
    g.add_color_stop_rgba(hardness, colour[0], colour[1], colour[2], 0.8)
    g.add_color_stop_rgba(1, colour[0], colour[1], colour[2], 0.0)
    ctx.set_source(g)
    ctx.arc(c, c, c, 0, 2 * math.pi)
    ctx.fill()
    return s


def spark(size=16):
    """A four-pointed glint over a small glow."""
    s, ctx = art.surface(size, size)
    c = size / 2.0
    g = cairo.RadialGradient(c, c, 0, c, c, c)
    g.add_color_stop_rgba(0, 1, 1, 1, 1.0)
    g.add_color_stop_rgba(0.3, 1, 1, 1, 0.5)
    g.add_color_stop_rgba(1, 1, 1, 1, 0.0)
    ctx.set_source(g)
    ctx.arc(c, c, c, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.95)
    art.star_path(ctx, c, c, c, c * 0.18, points=4, rotation=0)
    ctx.fill()
    return s


def smoke(size=32):
    """A lumpy puff: three overlapping soft blobs."""
    s, ctx = art.surface(size, size)
    for cx, cy, r in ((0.5, 0.55, 0.42), (0.36, 0.42, 0.3), (0.64, 0.4, 0.28)):
        g = cairo.RadialGradient(cx * size, cy * size, 0, cx * size, cy * size, r * size)
        g.add_color_stop_rgba(0, 1, 1, 1, 0.75)
        g.add_color_stop_rgba(1, 1, 1, 1, 0.0)
        ctx.set_source(g)
        ctx.arc(cx * size, cy * size, r * size, 0, 2 * math.pi)
        ctx.fill()
    return s


def strip(stops, width=32, height=2):
    """A palette: colours blended left to right through the stops (position, colour)."""
    s, ctx = art.surface(width, height)
    g = cairo.LinearGradient(0, 0, width, 0)
    for position, colour in stops:
        g.add_color_stop_rgb(position, *colour)
    ctx.set_source(g)
    ctx.paint()
    return s


def generate(out_dir, src_dir, args):
    art.save(soft_dot(12, art.CREAM), out_dir, "particle_dust")
    art.save(spark(), out_dir, "particle_spark")
    art.save(smoke(), out_dir, "particle_smoke")
    art.save(strip([(0, art.CREAM), (0.3, art.BRASS_LIGHT), (0.7, art.DUST_ORANGE),
                    (1, art.SUNSET_RED)]), out_dir, "palette_sparkle")
    art.save(strip([(0, art.GREY_LIGHT), (0.6, art.GREY), (1, art.GREY_DARK)]), out_dir,
             "palette_smoke")
    # Dust takes one colour of the sandy road per mote.
    art.save(strip([(0, art.PARCHMENT_DARK), (0.5, art.WOOD_LIGHT), (1, art.DUST_ORANGE)],
                   width=8, height=2), out_dir, "tint_dust")
