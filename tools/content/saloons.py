"""The saloons: everything the scene files name. Seven saloon designs, one per stretch of the
story, growing richer as Dolly's saloon prospers: floor tiles (with lettered variants), wall
pictures with their upper and lower strips, windows, the door frame and the swinging doors, the
view outside, the bar pieces, taps, sinks, cash registers, the piano corner, decorations, and the
tables and chairs with their shadows.

Pictures are drawn at screen size in the saloon palette: dark 2 px outlines, flat colour with one
soft shade and one highlight. Everything is deterministic (fixed seeds).

    saloons            (pack.txt line: writes every picture into the pack)
"""

import math
import os
import random

import cairo

from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, DUST_ORANGE, FELT_GREEN, GREY, GREY_DARK,
                 GREY_LIGHT, OUTLINE, PARCHMENT, SUNSET_RED, WOOD, WOOD_DARK, WOOD_LIGHT,
                 PeriodicNoise, fill_stroke, mix, rgb, rounded_rect, star_path, wood_grain)

FLOOR_START = 190      # every design's floor line (the scene files give it)
DOOR_W, DOOR_H = 112, 150

# ---------------------------------------------------------------- designs

# Per design: wall colours and pattern, floor, window and outside looks. The numbers are the tile
# set, wall set, door frame number of the scene files.
DESIGNS = {
    1: dict(name="spur", wall="planks", wall_c=rgb("9a6a3c"), trim=rgb("6e4424"),
            floor="boards", floor_c=rgb("a0703e"), variants=3, window="plain",
            sky=(rgb("8fc4e8"), rgb("f3dca0")), ground=rgb("d9b27a"), hills=rgb("c98a52"),
            bar=rgb("8a5a30"), top=rgb("a87848")),
    2: dict(name="mesa", wall="adobe", wall_c=rgb("e0b888"), trim=rgb("8a5a30"),
            floor="terracotta", floor_c=rgb("c0643a"), variants=3, window="arched",
            sky=(rgb("7fb6e0"), rgb("f6c98a")), ground=rgb("dca470"), hills=rgb("b8553a"),
            bar=rgb("9a6a3c"), top=rgb("7a4a28")),
    3: dict(name="creek", wall="stripes", wall_c=rgb("5f8a5a"), stripe=rgb("4c7248"),
            trim=rgb("5a3419"), floor="boards", floor_c=rgb("9a6438"), variants=3,
            window="curtain", curtain=rgb("b8372a"), sky=(rgb("79aee0"), rgb("f0d8a0")),
            ground=rgb("cfa56c"), hills=rgb("8a9a70"), bar=rgb("6e4022"), top=rgb("8a5430")),
    4: dict(name="nugget", wall="damask", wall_c=rgb("8e2a24"), stripe=rgb("b8862e"),
            trim=rgb("4a2612"), floor="dark", floor_c=rgb("6e4424"), variants=3,
            window="curtain", curtain=rgb("d4a437"), sky=(rgb("e08a4a"), rgb("f6d27a")),
            ground=rgb("c78a56"), hills=rgb("8e3f2e"), bar=rgb("5a2a16"), top=rgb("7a3a1e")),
    5: dict(name="ridge", wall="logs", wall_c=rgb("8a5a32"), trim=rgb("6d6a66"),
            floor="flags", floor_c=rgb("9d958a"), variants=3, window="shutters",
            shutter=rgb("3f6a4a"), sky=(rgb("c86a48"), rgb("f2b46a")), ground=rgb("b88a5e"),
            hills=rgb("6a4a50"), bar=rgb("6a4a2a"), top=rgb("8a6a48")),
    6: dict(name="palace", wall="damask", wall_c=rgb("2f5a5a"), stripe=rgb("c89a3a"),
            trim=rgb("3a2010"), floor="parquet", floor_c=rgb("a06a36"), variants=2,
            window="stained", sky=(rgb("5a4a7a"), rgb("e88a5a")), ground=rgb("a07a5a"),
            hills=rgb("4a3050"), bar=rgb("4a2210"), top=rgb("6a3418")),
    7: dict(name="star", wall="velvet", wall_c=rgb("5a1a2a"), stripe=rgb("d4a437"),
            trim=rgb("2a1208"), floor="checker", floor_c=rgb("e8dcc0"), variants=1,
            window="stained", sky=(rgb("141a3a"), rgb("3a3a6a")), ground=rgb("5a4a48"),
            hills=rgb("20182a"), bar=rgb("3a1608"), top=rgb("5a2a10"), night=True),
}


def pic(w, h):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    ctx = cairo.Context(s)
    ctx.set_antialias(cairo.ANTIALIAS_GOOD)
    return s, ctx


class Out:
    def __init__(self, out_dir):
        self.out_dir = out_dir

    def save(self, s, name):
        s.flush()
        s.write_to_png(os.path.join(self.out_dir, name + ".png"))

    def text(self, name, text):
        with open(os.path.join(self.out_dir, name), "w") as f:
            f.write(text)


def shade(c, k=0.72):
    return mix((0, 0, 0), c, k)


def light(c, k=0.3):
    return mix(c, (1, 1, 1), k)


def rect(ctx, x, y, w, h, fill, line=2.0):
    ctx.rectangle(x, y, w, h)
    fill_stroke(ctx, fill, line=line)


def ellipse(ctx, cx, cy, rx, ry, fill, line=2.0):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    fill_stroke(ctx, fill, line=line)


def shadow_ellipse(ctx, cx, cy, rx, ry, alpha=0.35):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(rx, ry)
    g = cairo.RadialGradient(0, 0, 0.2, 0, 0, 1)
    g.add_color_stop_rgba(0, 0, 0, 0, alpha)
    g.add_color_stop_rgba(1, 0, 0, 0, 0)
    ctx.set_source(g)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.fill()
    ctx.restore()


def vgrad(y0, y1, top, bottom):
    g = cairo.LinearGradient(0, y0, 0, y1)
    g.add_color_stop_rgb(0, *top)
    g.add_color_stop_rgb(1, *bottom)
    return g


def hgrad(x0, x1, left, right):
    g = cairo.LinearGradient(x0, 0, x1, 0)
    g.add_color_stop_rgb(0, *left)
    g.add_color_stop_rgb(1, *right)
    return g


# ---------------------------------------------------------------- floors

def floor_tiles(out, n, d):
    """Tiles of 96 x 32 (boards run across the room), or 64 x 32 for stone and tiles."""
    style, base = d["floor"], d["floor_c"]
    count = d["variants"]
    names = ["piso_%d" % n] if count == 1 else ["piso_%d_%s" % (n, "abc"[k]) for k in range(count)]
    for k, name in enumerate(names):
        rng = random.Random(n * 100 + k)
        if style in ("boards", "dark"):
            w, h = 96, 32
            s, ctx = pic(w, h)
            for row in range(2):
                c = mix(base, WOOD_DARK if (row + k) % 2 else WOOD_LIGHT, 0.12 + 0.08 * rng.random())
                wood_grain(ctx, 0, row * 16, w, 16, c, seed=n * 31 + k * 7 + row, period=96,
                           strength=0.2)
                ctx.set_source_rgb(*shade(base, 0.55))
                ctx.set_line_width(1.5)
                ctx.move_to(0, row * 16 + 15.25)
                ctx.line_to(w, row * 16 + 15.25)
                ctx.stroke()
                joint = rng.randint(20, 76) if row == k % 2 else None
                if joint:
                    ctx.move_to(joint + 0.5, row * 16)
                    ctx.line_to(joint + 0.5, row * 16 + 15)
                    ctx.stroke()
                    for nx in (joint - 4, joint + 4):
                        ctx.arc(nx, row * 16 + 8, 1.1, 0, 2 * math.pi)
                        ctx.fill()
            out.save(s, name)
        elif style == "terracotta":
            w, h = 64, 32
            s, ctx = pic(w, h)
            ctx.set_source_rgb(*rgb("e8d0a8"))
            ctx.paint()
            for tx in (0, 32):
                c = mix(base, DUST_ORANGE if (tx // 32 + k) % 2 else SUNSET_RED, 0.15 + 0.1 * rng.random())
                rounded_rect(ctx, tx + 1.5, 1.5, 29, 29, 3)
                ctx.set_source_rgb(*c)
                ctx.fill()
                ctx.set_source_rgba(1, 1, 1, 0.18)
                rounded_rect(ctx, tx + 4, 4, 12, 5, 2)
                ctx.fill()
            out.save(s, name)
        elif style == "flags":
            w, h = 64, 32
            s, ctx = pic(w, h)
            ctx.set_source_rgb(*shade(base, 0.5))
            ctx.paint()
            x = 0
            while x < w:
                fw = min(w - x, rng.choice((20, 24, 28, 32)))
                c = mix(base, GREY_LIGHT if rng.random() < 0.5 else GREY_DARK, 0.2 * rng.random())
                rounded_rect(ctx, x + 1.5, 1.5, fw - 3, h - 3, 4)
                ctx.set_source_rgb(*c)
                ctx.fill()
                x += fw
            out.save(s, name)
        elif style == "parquet":
            w, h = 64, 32
            s, ctx = pic(w, h)
            for bx in range(0, w, 16):
                for by in range(0, h, 16):
                    vertical = ((bx + by) // 16 + k) % 2 == 0
                    c = mix(base, WOOD_DARK if vertical else WOOD_LIGHT, 0.18)
                    wood_grain(ctx, bx, by, 16, 16, c, seed=bx * 3 + by + k, along_x=not vertical,
                               period=16, strength=0.25)
                    ctx.rectangle(bx + 0.5, by + 0.5, 15, 15)
                    ctx.set_source_rgb(*shade(base, 0.5))
                    ctx.set_line_width(1)
                    ctx.stroke()
            out.save(s, name)
        elif style == "checker":
            w, h = 64, 32
            s, ctx = pic(w, h)
            for tx in (0, 32):
                dark = (tx // 32 + k) % 2 == 1
                c = rgb("2a2428") if dark else base
                ctx.rectangle(tx, 0, 32, 32)
                ctx.set_source_rgb(*c)
                ctx.fill()
                # marble veins
                ctx.set_source_rgba(*(light(c, 0.4) if dark else shade(c, 0.8)), 0.6)
                ctx.set_line_width(0.8)
                ctx.move_to(tx + rng.uniform(0, 10), rng.uniform(0, 32))
                ctx.curve_to(tx + 12, rng.uniform(0, 32), tx + 20, rng.uniform(0, 32), tx + 32,
                             rng.uniform(0, 32))
                ctx.stroke()
                ctx.rectangle(tx + 0.5, 0.5, 31, 31)
                ctx.set_source_rgba(0, 0, 0, 0.3)
                ctx.stroke()
            out.save(s, name)


# ---------------------------------------------------------------- walls

def wall_tiles(out, n, d):
    """The main wall picture "pared_N" (wide, full wall height), and the strips "pared_Nt" (top
    frieze) and "pared_Nb" (wainscot standing on the floor line)."""
    style, base, trim = d["wall"], d["wall_c"], d["trim"]
    w, h = 160, FLOOR_START
    s, ctx = pic(w, h)
    if style == "planks":
        for x in range(0, w, 32):
            c = mix(base, WOOD_DARK if (x // 32) % 2 else WOOD_LIGHT, 0.12)
            wood_grain(ctx, x, 0, 32, h, c, seed=n * 11 + x, along_x=False, period=h, strength=0.22)
            ctx.set_source_rgb(*shade(base, 0.5))
            ctx.set_line_width(2)
            ctx.move_to(x + 1, 0)
            ctx.line_to(x + 1, h)
            ctx.stroke()
            for y in (30, h - 30):
                ctx.arc(x + 16, y, 1.3, 0, 2 * math.pi)
                ctx.fill()
    elif style == "adobe":
        noise = PeriodicNoise(n * 5, w, h, waves=12, max_freq=5)
        for y in range(0, h, 2):
            for x in range(0, w, 2):
                v = noise(x, y)
                ctx.set_source_rgb(*mix(base, shade(base, 0.8) if v < 0 else light(base, 0.3),
                                        abs(v) * 0.5))
                ctx.rectangle(x, y, 2, 2)
                ctx.fill()
    elif style == "logs":
        for y in range(0, h, 24):
            c = mix(base, WOOD_LIGHT if (y // 24) % 2 else WOOD_DARK, 0.15)
            rounded_rect(ctx, -4, y + 1, w + 8, 22, 10)
            ctx.set_source(vgrad(y, y + 24, light(c, 0.25), shade(c, 0.7)))
            ctx.fill_preserve()
            ctx.set_source_rgb(*OUTLINE)
            ctx.set_line_width(1.5)
            ctx.stroke()
    else:
        ctx.set_source_rgb(*base)
        ctx.paint()
        accent = d["stripe"]
        if style == "stripes":
            for x in range(0, w, 20):
                ctx.rectangle(x + 2, 0, 8, h)
                ctx.set_source_rgb(*accent)
                ctx.fill()
                ctx.rectangle(x + 13, 0, 2, h)
                ctx.set_source_rgba(*light(base, 0.4), 0.6)
                ctx.fill()
        elif style in ("damask", "velvet"):
            for row, y in enumerate(range(10, h, 40)):
                for x in range(0 if row % 2 == 0 else 20, w + 20, 40):
                    ctx.save()
                    ctx.translate(x, y)
                    if style == "damask":
                        ctx.move_to(0, -12)
                        ctx.curve_to(8, -6, 8, 6, 0, 12)
                        ctx.curve_to(-8, 6, -8, -6, 0, -12)
                        ctx.set_source_rgba(*accent, 0.55)
                        ctx.fill()
                        ctx.arc(0, 0, 2.5, 0, 2 * math.pi)
                        ctx.set_source_rgba(*shade(base, 0.6), 0.8)
                        ctx.fill()
                    else:
                        star_path(ctx, 0, 0, 6, 2.6)
                        ctx.set_source_rgba(*accent, 0.7)
                        ctx.fill()
                    ctx.restore()
    out.save(s, "pared_%d" % n)

    # top frieze: a moulding
    s, ctx = pic(w, 18)
    ctx.rectangle(0, 0, w, 18)
    ctx.set_source(vgrad(0, 18, light(trim, 0.25), shade(trim, 0.7)))
    ctx.fill()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.move_to(0, 17)
    ctx.line_to(w, 17)
    ctx.stroke()
    if d["wall"] in ("damask", "velvet"):
        for x in range(8, w, 16):
            ctx.arc(x, 9, 2.5, 0, 2 * math.pi)
            ctx.set_source_rgb(*BRASS)
            ctx.fill()
    out.save(s, "pared_%dt" % n)

    # wainscot: panels with a rail, standing on the floor line
    wh = 56
    s, ctx = pic(w, wh)
    wood_grain(ctx, 0, 0, w, wh, trim, seed=n * 17, period=w, strength=0.2)
    ctx.rectangle(0, 0, w, 8)
    ctx.set_source(vgrad(0, 8, light(trim, 0.35), trim))
    ctx.fill()
    for x in range(8, w, 40):
        rounded_rect(ctx, x, 14, 32, 30, 2)
        ctx.set_source_rgba(0, 0, 0, 0.18)
        ctx.fill_preserve()
        ctx.set_source_rgba(*light(trim, 0.3), 0.8)
        ctx.set_line_width(1.2)
        ctx.stroke()
    ctx.rectangle(0, wh - 6, w, 6)
    ctx.set_source_rgb(*shade(trim, 0.6))
    ctx.fill()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    for y in (1, wh - 1):
        ctx.move_to(0, y)
        ctx.line_to(w, y)
    ctx.stroke()
    out.save(s, "pared_%db" % n)


# ---------------------------------------------------------------- windows, door, outside

WIN_W, WIN_H = 112, 92


def window(out, n, d):
    """A window frame with clear panes (see-through) and its sill; 112 x 92."""
    style, trim = d["window"], d["trim"]
    s, ctx = pic(WIN_W, WIN_H)
    frame = light(trim, 0.15)
    # the frame: outer band, cut out panes
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    if style == "arched":
        ctx.move_to(6, WIN_H - 12)
        ctx.line_to(6, 40)
        ctx.arc(WIN_W / 2.0, 40, WIN_W / 2.0 - 6, math.pi, 2 * math.pi)
        ctx.line_to(WIN_W - 6, WIN_H - 12)
        ctx.close_path()
        ctx.move_to(14, WIN_H - 18)
        ctx.line_to(14, 42)
        ctx.arc(WIN_W / 2.0, 42, WIN_W / 2.0 - 14, math.pi, 2 * math.pi)
        ctx.line_to(WIN_W - 14, WIN_H - 18)
        ctx.close_path()
    else:
        ctx.rectangle(6, 4, WIN_W - 12, WIN_H - 16)
        ctx.rectangle(14, 12, WIN_W - 28, WIN_H - 32)
    fill_stroke(ctx, frame)
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    # glass: a faint tint with a highlight streak
    if style == "stained":
        colours = [rgb("b8372a"), rgb("d4a437"), rgb("2f6b9a"), rgb("2f6b3a")]
        for i in range(4):
            for j in range(3):
                ctx.rectangle(14 + i * 21, 12 + j * 20, 21, 20)
                ctx.set_source_rgba(*colours[(i + j) % 4], 0.45)
                ctx.fill()
    else:
        ctx.rectangle(14, 12, WIN_W - 28, WIN_H - 32)
        ctx.set_source_rgba(0.8, 0.9, 1.0, 0.18)
        ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.move_to(24, 60)
    ctx.line_to(44, 18)
    ctx.line_to(52, 18)
    ctx.line_to(32, 60)
    ctx.close_path()
    ctx.fill()
    # mullions
    ctx.set_source_rgb(*frame)
    ctx.rectangle(WIN_W / 2.0 - 2, 10, 4, WIN_H - 28)
    ctx.rectangle(14, 38, WIN_W - 28, 4)
    ctx.fill_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.2)
    ctx.stroke()
    # sill
    rect(ctx, 2, WIN_H - 14, WIN_W - 4, 10, light(trim, 0.3))
    if style == "curtain":
        c = d["curtain"]
        for side in (0, 1):
            x0 = 4 if side == 0 else WIN_W - 24
            ctx.move_to(x0, 2)
            ctx.line_to(x0 + 20, 2)
            ctx.curve_to(x0 + (8 if side == 0 else 12), 40, x0 + 18, 60, x0 + (14 if side == 0 else 6), 78)
            ctx.line_to(x0 + (2 if side == 0 else 18), 78)
            ctx.close_path()
            fill_stroke(ctx, hgrad(x0, x0 + 20, light(c, 0.2), shade(c, 0.7)), line=1.6)
        rect(ctx, 0, 0, WIN_W, 6, BRASS, line=1.5)
    elif style == "shutters":
        c = d["shutter"]
        for x0 in (0, WIN_W - 10):
            rect(ctx, x0 + 1, 4, 9, WIN_H - 18, c, line=1.5)
    out.save(s, "ventana_%d" % n)


def door_frame(out, n, d):
    """The frame round the door hole: posts and a lintel with the saloon's sign board."""
    trim = d["trim"]
    w, h = DOOR_W + 36, DOOR_H + 30
    s, ctx = pic(w, h)
    post = light(trim, 0.2)
    for x0 in (2, w - 20):
        ctx.rectangle(x0, 26, 18, h - 28)
        fill_stroke(ctx, hgrad(x0, x0 + 18, light(post, 0.3), shade(post, 0.75)))
    ctx.rectangle(2, 14, w - 4, 16)
    fill_stroke(ctx, vgrad(14, 30, light(post, 0.3), shade(post, 0.7)))
    # the sign above the door
    board = PARCHMENT if n < 4 else BRASS
    rounded_rect(ctx, 26, 0, w - 52, 18, 4)
    fill_stroke(ctx, board, line=1.6)
    name = {1: "SALOON", 2: "CANTINA", 3: "SALOON", 4: "GOLD NUGGET", 5: "SALOON",
            6: "PALACE", 7: "SUNSET STAR"}[n]
    ctx.select_font_face("DejaVu Serif Condensed", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(11)
    ext = ctx.text_extents(name)
    ctx.move_to(w / 2.0 - ext.x_advance / 2.0, 13)
    ctx.set_source_rgb(*(SUNSET_RED if n < 4 else OUTLINE))
    ctx.show_text(name)
    out.save(s, "puerta_%d" % n)


def swing_doors(out, n, d, anim_name):
    """The batwing doors: two half doors hinged on the posts; "open" swings them inwards (they
    narrow towards the hinges), "close" back. Six frames each, insertion point at the bottom
    centre of the door hole."""
    c = light(d["trim"], 0.25)
    frames = 6
    w, h = DOOR_W, 80
    names = []
    for f in range(frames):
        t = f / float(frames - 1)            # 0 closed, 1 open
        s, ctx = pic(w, h)
        leaf = (w / 2.0 - 2) * math.cos(t * math.pi * 0.38)
        for side in (0, 1):
            x0 = 0 if side == 0 else w - leaf
            ctx.move_to(x0, 8)
            if side == 0:
                ctx.curve_to(x0 + leaf * 0.5, 0, x0 + leaf * 0.8, 0, x0 + leaf, 10)
            else:
                ctx.line_to(x0, 10)
                ctx.curve_to(x0 + leaf * 0.2, 0, x0 + leaf * 0.5, 0, x0 + leaf, 8)
            ctx.line_to(x0 + leaf, h - 6)
            ctx.line_to(x0, h - 6)
            ctx.close_path()
            fill_stroke(ctx, hgrad(x0, x0 + leaf, light(c, 0.2), shade(c, 0.75)))
            # slats
            ctx.set_source_rgba(0, 0, 0, 0.3)
            ctx.set_line_width(1)
            for k in range(4):
                yy = 22 + k * 12
                ctx.move_to(x0 + 4, yy)
                ctx.line_to(x0 + leaf - 4, yy)
            ctx.stroke()
        out.save(s, "%s_%d" % (anim_name, f))
        names.append("%s_%d" % (anim_name, f))
    lines = ["# generated by tools/content/saloons.py"]
    lines += ["load %s" % nm for nm in names]
    lines += ["inspos %d %d %s" % (w // 2, h, nm) for nm in names]
    lines.append("seq close fps 14")
    lines += ["add %s" % nm for nm in reversed(names)]
    lines.append("seq open fps 14")
    lines += ["add %s" % nm for nm in names]
    lines.append("default close")
    out.text(anim_name + ".anim", "\n".join(lines) + "\n")


def outside(out, n, d):
    """The street seen through the windows and the door: sky, hills, the buildings across the
    street and the dusty road; 800 x 190."""
    w, h = 800, FLOOR_START
    s, ctx = pic(w, h)
    sky_top, sky_low = d["sky"]
    ctx.rectangle(0, 0, w, h)
    ctx.set_source(vgrad(0, 120, sky_top, sky_low))
    ctx.fill()
    rng = random.Random(n * 7)
    if d.get("night"):
        for _ in range(90):
            ctx.arc(rng.uniform(0, w), rng.uniform(0, 90), rng.uniform(0.6, 1.4), 0, 2 * math.pi)
            ctx.set_source_rgba(1, 1, 0.9, rng.uniform(0.5, 1))
            ctx.fill()
        ellipse(ctx, 620, 34, 14, 14, rgb("f6f0d0"), line=1.2)
    else:
        ellipse(ctx, 130 + 60 * n, 40, 18, 18, mix(sky_low, (1, 1, 0.85), 0.7), line=0)
    # hills / mesas
    ctx.move_to(0, 110)
    x = 0
    while x < w:
        top = rng.uniform(60, 95)
        wid = rng.uniform(70, 160)
        ctx.line_to(x + 12, top)
        ctx.line_to(x + wid - 12, top)
        ctx.line_to(x + wid, 110)
        x += wid
    ctx.line_to(w, 120)
    ctx.line_to(0, 120)
    ctx.close_path()
    ctx.set_source_rgb(*d["hills"])
    ctx.fill()
    # buildings across the street
    x = -20
    k = 0
    while x < w:
        bw = rng.choice((110, 130, 150))
        bh = rng.uniform(60, 85)
        c = mix(rgb(["b07a45", "c9a26a", "9a6a3c", "d8c090", "8a5a40"][k % 5]), d["sky"][1], 0.2)
        if d.get("night"):
            c = shade(c, 0.45)
        rect(ctx, x, 150 - bh, bw, bh, c)
        rect(ctx, x - 4, 150 - bh - 6, bw + 8, 8, shade(c, 0.7))  # false front cornice
        for wx in range(int(x) + 14, int(x + bw) - 24, 40):
            lit = d.get("night") and rng.random() < 0.6
            rect(ctx, wx, 150 - bh + 18, 18, 22, rgb("f6d27a") if lit else shade(c, 0.45), line=1.2)
        # porch posts and roof
        rect(ctx, x, 118, bw, 5, shade(c, 0.6), line=1.2)
        for px in (x + 4, x + bw - 8):
            rect(ctx, px, 123, 4, 27, shade(c, 0.6), line=1)
        x += bw + rng.choice((10, 20, 30))
        k += 1
    # the road and the boardwalk in front of the saloon
    ctx.rectangle(0, 150, w, h - 150)
    ctx.set_source(vgrad(150, h, d["ground"], shade(d["ground"], 0.85)))
    ctx.fill()
    for _ in range(60):
        ctx.arc(rng.uniform(0, w), rng.uniform(152, h), rng.uniform(0.8, 2), 0, 2 * math.pi)
        ctx.set_source_rgba(*shade(d["ground"], 0.7), 0.5)
        ctx.fill()
    # hitching rail
    rect(ctx, 0, 164, w, 4, WOOD, line=1.2)
    for px in range(30, w, 120):
        rect(ctx, px, 164, 5, 22, WOOD_DARK, line=1.2)
    out.save(s, "fuera_%d" % n)


# ---------------------------------------------------------------- the bar

BAR_H = 64          # counter pieces: 72 wide, standing on their square's bottom line


def counter(ctx, d, w, x0=0, top_h=10):
    """A counter front of width w with its top board; the picture is BAR_H high."""
    body, top = d["bar"], d["top"]
    ctx.rectangle(x0 + 1, top_h, w - 2, BAR_H - top_h - 1)
    fill_stroke(ctx, vgrad(top_h, BAR_H, light(body, 0.15), shade(body, 0.7)))
    wood_grain(ctx, x0 + 3, top_h + 2, w - 6, BAR_H - top_h - 6, body, seed=int(w + x0), period=w,
               strength=0.15)
    # panel
    rounded_rect(ctx, x0 + 8, top_h + 10, w - 16, BAR_H - top_h - 22, 3)
    ctx.set_source_rgba(0, 0, 0, 0.2)
    ctx.fill_preserve()
    ctx.set_source_rgba(*light(body, 0.35), 0.9)
    ctx.set_line_width(1.2)
    ctx.stroke()
    # brass foot rail
    ctx.rectangle(x0, BAR_H - 12, w, 4)
    fill_stroke(ctx, BRASS, line=1.0)
    # top board with a highlight
    rect(ctx, x0, 1, w, top_h, light(top, 0.15))
    ctx.set_source_rgba(1, 1, 1, 0.25)
    ctx.rectangle(x0 + 2, 3, w - 4, 2)
    ctx.fill()


def bar_pieces(out, n, d):
    # plain counter piece
    s, ctx = pic(72, BAR_H)
    counter(ctx, d, 72)
    out.save(s, "barra_%d" % n)
    # the end piece (rounded end on the left)
    s, ctx = pic(72, BAR_H)
    counter(ctx, d, 72)
    ctx.rectangle(0, 0, 8, BAR_H)
    fill_stroke(ctx, vgrad(0, BAR_H, light(d["top"], 0.2), shade(d["bar"], 0.6)), line=1.5)
    out.save(s, "barra_%d_end" % n)
    # the tap: a counter piece with a beer tap (brass in the finer saloons, a barrel at first)
    h = BAR_H + 46
    s, ctx = pic(72, h)
    ctx.translate(0, 46)
    counter(ctx, d, 72)
    ctx.translate(0, -46)
    if n == 1:
        # a keg on the counter with a spigot
        ellipse(ctx, 36, 26, 22, 20, WOOD, line=2)
        for yy in (14, 38):
            ctx.move_to(16, yy)
            ctx.line_to(56, yy)
        ctx.set_source_rgb(*GREY_DARK)
        ctx.set_line_width(2.5)
        ctx.stroke()
        rect(ctx, 33, 40, 6, 8, BRASS, line=1.2)
    else:
        rect(ctx, 14, 38, 44, 10, BRASS_DARK, line=1.5)
        for tx in ((26, 46) if n >= 4 else (36,)):
            rect(ctx, tx - 3, 12, 6, 26, hgrad(tx - 3, tx + 3, BRASS_LIGHT, BRASS_DARK), line=1.2)
            rounded_rect(ctx, tx - 4, 2, 8, 14, 3)
            fill_stroke(ctx, rgb("2a1a12") if n < 6 else CREAM, line=1.2)
    out.save(s, "grifo_%d" % n)
    # the sink: a counter piece with a wash basin and a few empty mugs
    s, ctx = pic(72, BAR_H + 14)
    ctx.translate(0, 14)
    counter(ctx, d, 72)
    ctx.translate(0, -14)
    ellipse(ctx, 36, 16, 28, 8, GREY if n > 2 else WOOD_LIGHT, line=2)
    ellipse(ctx, 36, 15, 22, 5, rgb("6a9ab8"), line=1)
    ctx.set_source_rgba(1, 1, 1, 0.5)
    ctx.arc(28, 14, 2, 0, 2 * math.pi)
    ctx.arc(42, 16, 1.5, 0, 2 * math.pi)
    ctx.fill()
    out.save(s, "fregadero_%d" % n)


def register(out, n):
    """The cash register, drawn to stand on the bar's top board."""
    w, h = 58, 52
    s, ctx = pic(w, h)
    metal = {1: GREY, 2: GREY, 3: BRASS, 4: BRASS, 5: GREY_LIGHT, 6: BRASS, 7: BRASS_LIGHT}[n]
    rect(ctx, 4, 22, w - 8, h - 24, hgrad(4, w - 4, light(metal, 0.25), shade(metal, 0.7)))
    # the keys
    for row in range(2):
        for col in range(5):
            ctx.arc(12 + col * 8.5, 30 + row * 8, 2.6, 0, 2 * math.pi)
            fill_stroke(ctx, CREAM, line=0.8)
    # the amount display on top
    rect(ctx, 10, 4, w - 20, 18, shade(metal, 0.8))
    rect(ctx, 15, 8, w - 30, 10, CREAM, line=1.2)
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(8)
    ctx.move_to(18, 16)
    ctx.set_source_rgb(*OUTLINE)
    ctx.show_text("$ 0.25")
    rect(ctx, w - 8, 26, 5, 12, BRASS_DARK, line=1)   # the crank
    out.save(s, "caja_%d" % n)


# ---------------------------------------------------------------- tables and chairs

def tables(out, n, d):
    """Table front and back, the chair (drawn for the left side: its back rest on the left),
    the chair's shadow; "mesa_shadow" is shared."""
    felt = n >= 4
    top = d["top"] if not felt else FELT_GREEN
    wood = d["bar"]
    # the table: top at y 10..22 (the mugs stand on it), legs to the floor; 132 x 66
    w, h = 132, 66
    s, ctx = pic(w, h)
    for lx in (22, w - 28):
        rect(ctx, lx, 20, 6, h - 22, hgrad(lx, lx + 6, light(wood, 0.2), shade(wood, 0.7)))
    ctx.rectangle(4, 12, w - 8, 12)
    fill_stroke(ctx, vgrad(12, 24, light(wood, 0.2), shade(wood, 0.7)))
    if felt:
        rect(ctx, 8, 12, w - 16, 3, BRASS, line=1)
    out.save(s, "mesa_%d" % n)
    s, ctx = pic(w, h)
    ellipse(ctx, w / 2.0, 12, w / 2.0 - 4, 9, top)
    ctx.save()
    ctx.translate(w / 2.0, 10)
    ctx.scale(w / 2.0 - 16, 5)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source_rgba(1, 1, 1, 0.12)
    ctx.fill()
    out.save(s, "mesa_%d_back" % n)
    # the chair, for the left side: back rest on the left, seat, legs; 54 x 96
    cw, ch = 54, 96
    seat = mix(wood, WOOD_LIGHT, 0.25)
    s, ctx = pic(cw, ch)       # front: seat edge and front legs, drawn over a sitting customer
    rect(ctx, 40, 58, 5, ch - 60, hgrad(40, 45, light(seat, 0.2), shade(seat, 0.7)), line=1.5)
    rect(ctx, 12, 50, 36, 8, light(seat, 0.1), line=1.6)
    if n >= 5:
        rect(ctx, 14, 50, 32, 3, SUNSET_RED if n < 7 else rgb("5a1a2a"), line=0.8)
    out.save(s, "silla_%d" % n)
    s, ctx = pic(cw, ch)       # back: back rest and rear leg, behind the customer
    rect(ctx, 8, 4, 7, ch - 6, hgrad(8, 15, light(seat, 0.25), shade(seat, 0.7)), line=1.6)
    for yy in (12, 26):
        rect(ctx, 8, yy, 12, 6, seat, line=1.2)
    rect(ctx, 12, 46, 36, 6, shade(seat, 0.8), line=1.2)
    rect(ctx, 16, 56, 4, ch - 58, shade(seat, 0.7), line=1.2)
    out.save(s, "silla_%d_back" % n)


def shadows(out):
    s, ctx = pic(150, 34)
    shadow_ellipse(ctx, 75, 17, 72, 15, 0.42)
    out.save(s, "mesa_shadow")
    s, ctx = pic(50, 16)
    shadow_ellipse(ctx, 25, 8, 24, 7, 0.38)
    out.save(s, "silla_shadow")


# ---------------------------------------------------------------- decorations

def decorations(out):
    # the piano corner: an upright piano with its keyboard towards the room
    s, ctx = pic(128, 116)
    wood = rgb("3a2010")
    rect(ctx, 4, 4, 120, 78, vgrad(4, 82, light(wood, 0.3), shade(wood, 0.8)))
    rounded_rect(ctx, 14, 12, 100, 30, 4)
    fill_stroke(ctx, light(wood, 0.15), line=1.4)
    rect(ctx, 2, 62, 124, 16, shade(wood, 0.9))
    rect(ctx, 8, 64, 112, 10, CREAM, line=1.2)
    for k in range(15):
        ctx.rectangle(12 + k * 7.4, 64, 3.5, 6)
    ctx.set_source_rgb(*OUTLINE)
    ctx.fill()
    for lx in (10, 112):
        rect(ctx, lx, 78, 7, 36, shade(wood, 0.8), line=1.4)
    rect(ctx, 40, 20, 48, 14, PARCHMENT, line=1)        # sheet music
    for k in range(3):
        ctx.move_to(44, 24 + k * 4)
        ctx.line_to(84, 24 + k * 4)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(0.6)
    ctx.stroke()
    for cx in (20, 108):                                 # candles
        rect(ctx, cx - 2, -2 + 4, 4, 10, CREAM, line=1)
    out.save(s, "deco_piano")

    # hanging oil lamp (sprite above the tables)
    s, ctx = pic(30, 58)
    ctx.move_to(15, 0)
    ctx.line_to(15, 20)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.5)
    ctx.stroke()
    ellipse(ctx, 15, 36, 10, 13, mix(rgb("f6dc8a"), (1, 1, 1), 0.3), line=1.6)
    rect(ctx, 7, 20, 16, 6, BRASS, line=1.4)
    rect(ctx, 6, 48, 18, 6, BRASS_DARK, line=1.4)
    out.save(s, "deco_lamp")

    # chandelier
    s, ctx = pic(120, 60)
    ctx.move_to(60, 0)
    ctx.line_to(60, 24)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    ctx.move_to(8, 30)
    ctx.curve_to(30, 50, 90, 50, 112, 30)
    ctx.set_source_rgb(*BRASS_DARK)
    ctx.set_line_width(5)
    ctx.stroke()
    for k in range(6):
        x = 12 + k * 19.2
        rect(ctx, x - 2.5, 22, 5, 12, CREAM, line=1)
        ellipse(ctx, x, 17, 3.2, 5, rgb("f6c040"), line=0.8)
    ellipse(ctx, 60, 44, 8, 6, BRASS, line=1.4)
    out.save(s, "deco_chandelier")

    # wall pieces: horseshoe, hat pegs, a steer skull, antlers, a framed painting, a mirror,
    # a shelf of bottles, a clock, crossed rifles, a chili string, a blanket
    s, ctx = pic(34, 34)
    ctx.arc(17, 15, 11, math.pi * 0.15, math.pi * 0.85 + math.pi)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(7)
    ctx.stroke_preserve()
    ctx.set_source_rgb(*GREY_LIGHT)
    ctx.set_line_width(4)
    ctx.stroke()
    out.save(s, "deco_horseshoe")

    s, ctx = pic(90, 40)
    rect(ctx, 2, 6, 86, 8, WOOD, line=1.5)
    for k, c in enumerate((rgb("6a4a2a"), rgb("2a2a30"), rgb("b07a45"))):
        x = 14 + k * 28
        rect(ctx, x - 2, 14, 4, 6, WOOD_DARK, line=1)
        ellipse(ctx, x, 24, 13, 4, c, line=1.4)                   # hat brim
        rounded_rect(ctx, x - 7, 14, 14, 10, 3)
        fill_stroke(ctx, c, line=1.4)
    out.save(s, "deco_hats")

    s, ctx = pic(80, 44)
    for side in (-1, 1):
        ctx.move_to(40 + side * 10, 16)
        ctx.curve_to(40 + side * 30, 18, 40 + side * 36, 8, 40 + side * 38, 2)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(6)
        ctx.stroke_preserve()
        ctx.set_source_rgb(*CREAM)
        ctx.set_line_width(3.5)
        ctx.stroke()
    ctx.move_to(30, 10)
    ctx.line_to(50, 10)
    ctx.line_to(46, 40)
    ctx.line_to(34, 40)
    ctx.close_path()
    fill_stroke(ctx, CREAM, line=1.8)
    for ex in (35, 45):
        ctx.arc(ex, 20, 2.4, 0, 2 * math.pi)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()
    out.save(s, "deco_skull")

    s, ctx = pic(90, 50)
    rounded_rect(ctx, 33, 28, 24, 20, 4)
    fill_stroke(ctx, WOOD_DARK, line=1.5)
    for side in (-1, 1):
        pts = [(45 + side * 6, 30), (45 + side * 22, 18), (45 + side * 40, 6)]
        ctx.move_to(*pts[0])
        for p in pts[1:]:
            ctx.line_to(*p)
        for (bx, by) in pts[1:]:
            ctx.move_to(bx, by)
            ctx.line_to(bx - side * 2, by - 12)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(5)
        ctx.stroke_preserve()
        ctx.set_source_rgb(*PARCHMENT)
        ctx.set_line_width(2.5)
        ctx.stroke()
    out.save(s, "deco_antlers")

    for k, (w, h, scene) in enumerate(((96, 64, "mesas"), (70, 90, "lady"), (120, 70, "horses"))):
        s, ctx = pic(w, h)
        rect(ctx, 2, 2, w - 4, h - 4, hgrad(0, w, BRASS_LIGHT, BRASS_DARK), line=2)
        ctx.rectangle(9, 9, w - 18, h - 18)
        ctx.set_source(vgrad(9, h - 9, rgb("e8a060"), rgb("f6dca0")))
        ctx.fill()
        if scene == "mesas":
            ctx.move_to(9, h - 20)
            ctx.line_to(30, h - 34)
            ctx.line_to(50, h - 34)
            ctx.line_to(62, h - 20)
            ctx.line_to(w - 9, h - 26)
            ctx.line_to(w - 9, h - 9)
            ctx.line_to(9, h - 9)
            ctx.close_path()
            ctx.set_source_rgb(*SUNSET_RED)
            ctx.fill()
        elif scene == "lady":
            ellipse(ctx, w / 2.0, 36, 11, 13, rgb("f0c8a0"), line=1.2)
            ctx.move_to(w / 2.0 - 18, h - 9)
            ctx.curve_to(w / 2.0 - 14, 52, w / 2.0 + 14, 52, w / 2.0 + 18, h - 9)
            fill_stroke(ctx, rgb("6a2a5a"), line=1.2)
            ellipse(ctx, w / 2.0, 26, 14, 7, rgb("5a3419"), line=1.2)
        else:
            for hx in (36, 80):
                ellipse(ctx, hx, 40, 14, 8, rgb("6a3a1a"), line=1.2)
                ctx.move_to(hx + 10, 36)
                ctx.line_to(hx + 18, 26)
                ctx.set_line_width(5)
                ctx.set_source_rgb(*rgb("6a3a1a"))
                ctx.stroke()
        ctx.rectangle(9, 9, w - 18, h - 18)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(1.5)
        ctx.stroke()
        out.save(s, "deco_painting_%d" % (k + 1))

    s, ctx = pic(150, 80)                                  # mirror behind the bar
    rounded_rect(ctx, 2, 2, 146, 76, 18)
    fill_stroke(ctx, hgrad(0, 150, BRASS_LIGHT, BRASS_DARK), line=2)
    rounded_rect(ctx, 10, 10, 130, 60, 12)
    ctx.set_source(vgrad(10, 70, rgb("c8d8e0"), rgb("8aa0b0")))
    ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.4)
    ctx.move_to(30, 66)
    ctx.line_to(60, 14)
    ctx.line_to(72, 14)
    ctx.line_to(42, 66)
    ctx.fill()
    out.save(s, "deco_mirror")

    s, ctx = pic(88, 60)                                   # bottle shelf
    for sy in (26, 56):
        rect(ctx, 2, sy, 84, 5, WOOD, line=1.5)
    rng = random.Random(5)
    for row, sy in enumerate((26, 56)):
        x = 8
        while x < 76:
            c = rng.choice((rgb("2f6b3a"), rgb("6a3a1a"), rgb("b8372a"), rgb("d4a437"), GREY_LIGHT))
            bh = rng.choice((18, 20, 22))
            rounded_rect(ctx, x, sy - bh, 9, bh, 3)
            fill_stroke(ctx, c, line=1.2)
            rect(ctx, x + 3, sy - bh - 5, 3, 6, c, line=1)
            x += rng.choice((11, 13, 15))
    out.save(s, "deco_shelf")

    s, ctx = pic(44, 76)                                   # wall clock
    rounded_rect(ctx, 4, 2, 36, 72, 8)
    fill_stroke(ctx, WOOD_DARK, line=2)
    ellipse(ctx, 22, 20, 13, 13, CREAM, line=1.5)
    ctx.move_to(22, 20)
    ctx.line_to(22, 11)
    ctx.move_to(22, 20)
    ctx.line_to(29, 23)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.5)
    ctx.stroke()
    ctx.move_to(22, 36)
    ctx.line_to(22, 58)
    ctx.stroke()
    ellipse(ctx, 22, 60, 6, 6, BRASS, line=1.2)
    out.save(s, "deco_clock")

    s, ctx = pic(110, 40)                                  # crossed rifles
    for sgn in (1, -1):
        ctx.save()
        ctx.translate(55, 20)
        ctx.rotate(sgn * 0.28)
        rect(ctx, -50, -2, 70, 4, GREY_DARK, line=1.2)
        ctx.move_to(18, -3)
        ctx.line_to(50, -5)
        ctx.line_to(52, 6)
        ctx.line_to(18, 3)
        ctx.close_path()
        fill_stroke(ctx, WOOD, line=1.4)
        ctx.restore()
    out.save(s, "deco_rifles")

    s, ctx = pic(24, 90)                                   # chili string
    ctx.move_to(12, 0)
    ctx.line_to(12, 84)
    ctx.set_source_rgb(*PARCHMENT)
    ctx.set_line_width(1.5)
    ctx.stroke()
    for k in range(9):
        y = 8 + k * 9
        sgn = 1 if k % 2 else -1
        ctx.move_to(12, y)
        ctx.curve_to(12 + sgn * 8, y + 2, 12 + sgn * 9, y + 8, 12 + sgn * 6, y + 12)
        ctx.line_to(12 + sgn * 2, y + 4)
        ctx.close_path()
        fill_stroke(ctx, SUNSET_RED, line=1.2)
    out.save(s, "deco_chili")

    s, ctx = pic(90, 70)                                   # a striped blanket
    rect(ctx, 2, 2, 86, 66, rgb("e8d0a0"))
    for k, c in enumerate((SUNSET_RED, rgb("2f5a8a"), DUST_ORANGE, rgb("2b1a0e"))):
        ctx.rectangle(4, 8 + k * 14, 82, 6)
        ctx.set_source_rgb(*c)
        ctx.fill()
    out.save(s, "deco_blanket")

    # standing decorations: a barrel, a spittoon, a potted cactus, a palm, a crate
    s, ctx = pic(46, 60)
    rounded_rect(ctx, 3, 2, 40, 56, 10)
    fill_stroke(ctx, hgrad(3, 43, WOOD_LIGHT, WOOD_DARK))
    for yy in (12, 48):
        rect(ctx, 3, yy, 40, 4, GREY_DARK, line=1)
    out.save(s, "deco_barrel")

    s, ctx = pic(30, 24)
    ctx.move_to(4, 6)
    ctx.curve_to(0, 22, 30, 22, 26, 6)
    ctx.close_path()
    fill_stroke(ctx, hgrad(2, 28, BRASS_LIGHT, BRASS_DARK))
    ellipse(ctx, 15, 6, 12, 4, BRASS, line=1.5)
    out.save(s, "deco_spittoon")

    s, ctx = pic(40, 70)
    ctx.move_to(8, 50)
    ctx.line_to(32, 50)
    ctx.line_to(28, 68)
    ctx.line_to(12, 68)
    ctx.close_path()
    fill_stroke(ctx, rgb("c0643a"))
    rounded_rect(ctx, 14, 10, 12, 42, 6)
    fill_stroke(ctx, rgb("4a8a4a"))
    rounded_rect(ctx, 4, 22, 10, 18, 5)
    fill_stroke(ctx, rgb("4a8a4a"))
    rounded_rect(ctx, 26, 16, 10, 20, 5)
    fill_stroke(ctx, rgb("4a8a4a"))
    out.save(s, "deco_cactus")

    s, ctx = pic(70, 96)
    for k in range(7):
        a = -math.pi / 2 + (k - 3) * 0.45
        ctx.move_to(35, 50)
        ctx.curve_to(35 + 20 * math.cos(a), 50 + 20 * math.sin(a) - 10,
                     35 + 32 * math.cos(a), 50 + 34 * math.sin(a),
                     35 + 34 * math.cos(a), 50 + 40 * math.sin(a) + 14)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(7)
        ctx.stroke_preserve()
        ctx.set_source_rgb(*rgb("4a8a4a"))
        ctx.set_line_width(4)
        ctx.stroke()
    ctx.move_to(20, 66)
    ctx.line_to(50, 66)
    ctx.line_to(46, 94)
    ctx.line_to(24, 94)
    ctx.close_path()
    fill_stroke(ctx, hgrad(20, 50, BRASS_LIGHT, BRASS_DARK))
    out.save(s, "deco_palm")

    s, ctx = pic(50, 44)
    rect(ctx, 3, 3, 44, 38, WOOD_LIGHT)
    for yy in (14, 28):
        ctx.move_to(3, yy)
        ctx.line_to(47, yy)
    ctx.set_source_rgb(*WOOD_DARK)
    ctx.set_line_width(1.5)
    ctx.stroke()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(8)
    ctx.move_to(9, 24)
    ctx.show_text("WHISKY")
    out.save(s, "deco_crate")

    # floor pictures: rugs
    for k, (c, c2) in enumerate(((SUNSET_RED, rgb("d4a437")), (rgb("2f4a6a"), rgb("c89a3a")))):
        s, ctx = pic(200, 60)
        ctx.move_to(20, 4)
        ctx.line_to(196, 4)
        ctx.line_to(180, 56)
        ctx.line_to(4, 56)
        ctx.close_path()
        fill_stroke(ctx, c)
        ctx.move_to(30, 12)
        ctx.line_to(182, 12)
        ctx.line_to(170, 48)
        ctx.line_to(18, 48)
        ctx.close_path()
        ctx.set_source_rgb(*c2)
        ctx.set_line_width(3)
        ctx.stroke()
        out.save(s, "deco_rug_%d" % (k + 1))

    # the board the wanted posters are pinned on
    s, ctx = pic(104, 128)
    rect(ctx, 2, 2, 100, 124, WOOD_DARK)
    wood_grain(ctx, 6, 6, 92, 116, WOOD, seed=9, along_x=False, period=116, strength=0.2)
    ctx.rectangle(6, 6, 92, 116)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.5)
    ctx.stroke()
    out.save(s, "deco_board")


def generate(out_dir, src_dir, args):
    out = Out(out_dir)
    shadows(out)
    decorations(out)
    for n, d in sorted(DESIGNS.items()):
        floor_tiles(out, n, d)
        wall_tiles(out, n, d)
        window(out, n, d)
        door_frame(out, n, d)
        swing_doors(out, n, d, "puertas_%d" % n)
        outside(out, n, d)
        bar_pieces(out, n, d)
        register(out, n)
        tables(out, n, d)
