"""The story's pictures: the illustrated pages of the chapter scenes (h1_1 ... h10_b), the
pre-level pictures of every week (prelevel0 ... prelevel44, prelevelcampaign), the page
background "storyback", the white tile, the newspaper page "epitaph", the chapter row's marker
"youarehere", and the story viewer's button faces and their symbols.

    storyart pages|prelevel|pages+prelevel

Every page is a comic panel with a cream border: a backdrop (the street at some hour, the
saloon's room, the stable, the desert with the railroad) and the game's cast drawn from the
cast generators' front views (figure.py, cast.py, dolly.py, critters.py). Sizes follow the
places the chapter scripts put each page on the 800 x 600 screen, above the caption strip at
y 565.
"""

import math
import random

import cairo

import art
from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, DUST_ORANGE, FELT_GREEN, OUTLINE,
                 PARCHMENT, PARCHMENT_DARK, SUNSET_RED, WOOD, WOOD_DARK, WOOD_LIGHT, mix, rgb,
                 save)
import shellart
from shellart import brass_gradient, nail, western_text

INK = rgb("241a14")


# ---- the cast ---------------------------------------------------------------------------------

def _man(shirt, htype, hair, whisk, hat, pants="1", vest=None, coat=False, star=False,
         stripes=False, tie=None, collar=None, skin="2", belly=0, mask=False):
    import cast
    layers = [cast.pant_layer(cast.PANTS.get(pants, pants) if isinstance(pants, str) else pants),
              cast.boots_layer(cast.BOOTS["1"]),
              cast.torso_layer(shirt, stripes=stripes, coat=coat, belly=belly, star=star)]
    if vest:
        layers.append(cast.vest_layer(vest))
    layers += [cast.collar_layer(collar or cast.NECKERCHIEF["1"], tie=tie),
               cast.skin_arm_layer(cast.SKINS[skin]), cast.sleeve_layer(shirt)]
    extra = (lambda c: cast._mask(c, "d")) if mask else None
    return layers, shellart.customer_head(htype, hair, whisk, hat, extra=extra)


def cast_of(who):
    import cast
    import dolly
    if who == "dolly":
        return [dolly.legs_layer(dolly.SKIRTS[1], False), dolly.boots_layer(dolly.BOOTS[1]),
                dolly.torso_layer(dolly.BLOUSES[1], dolly.RIBBONS[1]), dolly.eye_layer(),
                dolly.arms_layer(), dolly.sleeves_layer(dolly.BLOUSES[1]),
                dolly.hand_layer(dolly.SKIN)], None
    if who == "dolly_best":
        return [dolly.legs_layer(dolly.SKIRTS[4], False), dolly.boots_layer(dolly.BOOTS[4]),
                dolly.torso_layer(dolly.BLOUSES[4], dolly.RIBBONS[4]), dolly.eye_layer(),
                dolly.arms_layer(), dolly.sleeves_layer(dolly.BLOUSES[4]),
                dolly.hand_layer(dolly.SKIN)], None
    S = cast.SHIRTS
    table = {
        "hank": lambda: _man(S["1"], 8, 1, 1, "a", vest=cast.VESTS["1"], belly=4),
        "thief": lambda: _man(S["hl"], 1, 1, 0, "d", pants="4", stripes=True, skin="1",
                              collar=S["hl"], mask=True),
        "sheriff": lambda: _man(S["hs"], 3, 1, 1, "i", star=True, belly=3,
                                collar=cast.NECKERCHIEF["hs"]),
        "undertaker": lambda: _man(S["f"], 12, 1, 0, "f", pants="f", coat=True, skin="1",
                                   collar=cast.NECKERCHIEF["f"], tie=S["f"]),
        "vane": lambda: _man(rgb("4a4a58"), 5, 0, 2, "f", pants="4", coat=True, skin="1",
                             collar=rgb("f4f0e8"), tie=SUNSET_RED, belly=6),
        "pianist": lambda: _man(rgb("3a3a58"), 5, 1, 1, "d", pants="4", skin="1",
                                collar=rgb("f4f0e8"), tie=rgb("8a2a3a")),
        "miner": lambda: _man(S["2"], 7, 1, 1, "h", pants="2", vest=cast.VESTS["2"], skin="3"),
        "cowboy": lambda: _man(rgb("c8a040"), 2, 2, 0, "c", pants="2", skin="1",
                               collar=cast.NECKERCHIEF["2"]),
        "cowboy2": lambda: _man(rgb("7a4a8a"), 10, 1, 1, "b", pants="1", skin="4"),
        "jeb": lambda: _man(rgb("6a6a40"), 4, 2, 2, "e", pants="4", skin="2", belly=0),
        "pink": None,
    }
    if who == "pink":
        pink = rgb("e070a0")
        return [cast.pant_layer(pink), cast.boots_layer(cast.BOOTS["2"]), cast.torso_layer(pink),
                cast.collar_layer(rgb("f8d0e0")), cast.skin_arm_layer(cast.SKINS["5"]),
                cast.sleeve_layer(pink)], shellart.lady_head
    return table[who]()


def person(ctx, x, y, s, who, arms_up=(0.0, 0.0), hold=None, flip=False):
    """A cast member standing with the feet at (x, y), scaled by s."""
    import figure as F
    layers, head = cast_of(who)
    fp = F.FrontPose(arms_up=arms_up, hold=hold)
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(-s if flip else s, s)
    shellart.front_figure(ctx, fp, layers, shadow=True)
    if head:
        head(ctx, fp.neck())
    ctx.restore()


def guard(ctx, x, y, s, doze=0.0):
    """The guard on his barrel (the game's own layers)."""
    import critters
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    for layer in ("torso", "canana", "lh", "ra", "rh"):
        surf, _, _ = critters.mariachi_layer(layer, doze, 0.0, 0)
        ctx.set_source_surface(surf, -critters.MX, -critters.MY)
        ctx.paint()
    ctx.restore()


def dog(ctx, x, y, s, flip=False):
    import critters
    surf = critters.dog_frame(0.0, 0.0, 0)[0]
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(-s if flip else s, s)
    ctx.set_source_surface(surf, -60, -122)
    ctx.paint()
    ctx.restore()


# ---- props ----------------------------------------------------------------------------------

def bottle(ctx, x, y, s=1.0, colour=rgb("3f7a3a")):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    ctx.move_to(-5, 0)
    ctx.line_to(-5, -16)
    ctx.curve_to(-5, -20, -2, -21, -2, -25)
    ctx.line_to(-2, -30)
    ctx.line_to(2, -30)
    ctx.line_to(2, -25)
    ctx.curve_to(2, -21, 5, -20, 5, -16)
    ctx.line_to(5, 0)
    ctx.close_path()
    art.fill_stroke(ctx, colour, line=1.2)
    ctx.rectangle(-4, -12, 8, 6)
    ctx.set_source_rgb(*PARCHMENT)
    ctx.fill()
    ctx.restore()


def mug(ctx, x, y, s=1.0):
    import figure as F
    F.draw_mug(ctx, x, y, 1.0, scale=s)


def lamp(ctx, x, y, s=1.0, lit=True):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    if lit:
        g = cairo.RadialGradient(0, 10, 2, 0, 10, 60)
        g.add_color_stop_rgba(0, 1, 0.85, 0.5, 0.55)
        g.add_color_stop_rgba(1, 1, 0.85, 0.5, 0.0)
        ctx.set_source(g)
        ctx.arc(0, 10, 60, 0, 2 * math.pi)
        ctx.fill()
    ctx.move_to(0, -20)
    ctx.line_to(0, 0)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.5)
    ctx.stroke()
    ctx.move_to(-8, 0)
    ctx.line_to(8, 0)
    ctx.line_to(6, 18)
    ctx.line_to(-6, 18)
    ctx.close_path()
    art.fill_stroke(ctx, mix(CREAM, rgb("ffd070"), 0.5) if lit else GREY, line=1.5)
    ctx.rectangle(-9, 17, 18, 5)
    art.fill_stroke(ctx, BRASS, line=1.2)
    ctx.restore()


GREY = art.GREY


def flames(ctx, x, y, w, h, seed):
    """A wall of fire along the base (x .. x + w, y) reaching h high: rounded tongues in four
    colours, from the dark red outside to the pale yellow core."""
    rng = random.Random(seed)
    n = max(3, int(w / 60))
    peaks = [rng.uniform(0.55, 1.0) for _ in range(n)]
    leans = [rng.uniform(-0.25, 0.25) for _ in range(n)]
    for layer, colour in enumerate((rgb("b8372a"), rgb("e8642a"), rgb("f6b040"), rgb("fff0a0"))):
        k = 1.0 - layer * 0.2
        ctx.move_to(x, y)
        for i in range(n):
            x0 = x + w * i / n
            x1 = x + w * (i + 1) / n
            span = x1 - x0
            top = y - h * k * peaks[i]
            tip = x0 + span * (0.5 + leans[i])
            ctx.curve_to(x0 - span * 0.15, y - h * k * 0.45, tip - span * 0.35, top + h * k * 0.3,
                         tip, top)
            ctx.curve_to(tip + span * 0.35, top + h * k * 0.3, x1 + span * 0.15,
                         y - h * k * 0.45, x1, y)
        ctx.close_path()
        if layer == 0:
            art.fill_stroke(ctx, colour, line=2)
        else:
            ctx.set_source_rgb(*colour)
            ctx.fill()


def smoke(ctx, x, y, r, seed, alpha=0.6):
    rng = random.Random(seed)
    for i in range(9):
        cx, cy = x + rng.uniform(-r, r), y - i * r * 0.35 + rng.uniform(-5, 5)
        rr = r * rng.uniform(0.4, 0.8)
        ctx.arc(cx, cy, rr, 0, 2 * math.pi)
        ctx.set_source_rgba(0.25, 0.22, 0.22, alpha * (1 - i / 12.0))
        ctx.fill()


def bucket(ctx, x, y, s=1.0):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    ctx.move_to(-9, -14)
    ctx.line_to(9, -14)
    ctx.line_to(7, 0)
    ctx.line_to(-7, 0)
    ctx.close_path()
    art.fill_stroke(ctx, rgb("8d867c"), line=1.5)
    ctx.arc(0, -14, 9, math.pi, 2 * math.pi)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.2)
    ctx.stroke()
    ctx.restore()


def water(ctx, x0, y0, x1, y1):
    ctx.move_to(x0, y0)
    ctx.curve_to((x0 + x1) / 2, y0 - 40, x1 - 10, y1 - 20, x1, y1)
    ctx.set_source_rgba(0.55, 0.75, 0.95, 0.85)
    ctx.set_line_width(7)
    ctx.stroke()


def crystal(ctx, x, y, r, glow=True):
    if glow:
        g = cairo.RadialGradient(x, y, r * 0.5, x, y, r * 2.6)
        g.add_color_stop_rgba(0, 0.8, 0.6, 1.0, 0.7)
        g.add_color_stop_rgba(1, 0.8, 0.6, 1.0, 0.0)
        ctx.set_source(g)
        ctx.arc(x, y, r * 2.6, 0, 2 * math.pi)
        ctx.fill()
    ctx.move_to(x - r * 0.9, y + r * 1.25)
    ctx.line_to(x + r * 0.9, y + r * 1.25)
    ctx.line_to(x + r * 0.6, y + r * 0.8)
    ctx.line_to(x - r * 0.6, y + r * 0.8)
    ctx.close_path()
    art.fill_stroke(ctx, brass_gradient(y + r * 0.8, y + r * 1.25))
    ctx.arc(x, y, r, 0, 2 * math.pi)
    g = cairo.RadialGradient(x - r * 0.35, y - r * 0.4, 1, x, y, r)
    g.add_color_stop_rgb(0, 0.95, 0.9, 1.0)
    g.add_color_stop_rgb(0.5, 0.6, 0.4, 0.9)
    g.add_color_stop_rgb(1, 0.3, 0.15, 0.5)
    art.fill_stroke(ctx, g)


def piano(ctx, x, y, s=1.0):
    """An upright piano, its keyboard facing the viewer; (x, y) the floor under its middle."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    ctx.rectangle(-60, -110, 120, 110)
    art.fill_stroke(ctx, rgb("3a2010"))
    art.wood_grain(ctx, -58, -108, 116, 50, rgb("4a2a14"), 77, period=58)
    ctx.rectangle(-60, -110, 120, 110)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    ctx.rectangle(-64, -56, 128, 12)
    art.fill_stroke(ctx, rgb("f4f0e4"), line=1.5)
    for i in range(1, 16):
        kx = -64 + 8 * i
        ctx.move_to(kx, -56)
        ctx.line_to(kx, -44)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(0.8)
        ctx.stroke()
        if i % 7 not in (3, 0):
            ctx.rectangle(kx - 2, -56, 4, 7)
            ctx.fill()
    for cx in (-40, 40):
        lamp(ctx, cx, -132, 0.6, lit=True)
    ctx.restore()


def train(ctx, x, y, s=1.0, smoke_on=True):
    """A locomotive facing left with its tender; (x, y) the rail under the front wheel."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    black = rgb("22201e")
    red = SUNSET_RED
    if smoke_on:
        smoke(ctx, 40, -120, 26, 9, 0.5)
    # Cow catcher.
    ctx.move_to(-20, 0)
    ctx.line_to(0, -26)
    ctx.line_to(0, 0)
    ctx.close_path()
    art.fill_stroke(ctx, red)
    # Boiler, cab, tender.
    art.rounded_rect(ctx, 0, -70, 120, 44, 18)
    art.fill_stroke(ctx, art.vertical_gradient(-70, -26, [(0, rgb("4a4a50")), (1, black)]))
    ctx.rectangle(30, -110, 20, 42)
    art.fill_stroke(ctx, black)
    ctx.move_to(22, -118)
    ctx.line_to(58, -118)
    ctx.line_to(50, -108)
    ctx.line_to(30, -108)
    ctx.close_path()
    art.fill_stroke(ctx, black)
    ctx.arc(86, -74, 9, math.pi, 2 * math.pi)
    art.fill_stroke(ctx, BRASS)
    ctx.rectangle(112, -104, 52, 78)
    art.fill_stroke(ctx, red)
    ctx.rectangle(122, -96, 30, 24)
    art.fill_stroke(ctx, rgb("f6d080"))
    ctx.move_to(106, -108)
    ctx.line_to(170, -108)
    ctx.line_to(166, -100)
    ctx.line_to(110, -100)
    ctx.close_path()
    art.fill_stroke(ctx, black)
    ctx.rectangle(168, -66, 80, 40)
    art.fill_stroke(ctx, rgb("3a3430"))
    ctx.rectangle(-6, -66, 10, 16)
    art.fill_stroke(ctx, rgb("f6e090"))
    for wx, r in ((22, 13), (56, 20), (100, 20), (138, 13), (190, 11), (226, 11)):
        ctx.arc(wx, -r, r, 0, 2 * math.pi)
        art.fill_stroke(ctx, red)
        ctx.arc(wx, -r, r * 0.3, 0, 2 * math.pi)
        art.fill_stroke(ctx, black, line=1)
    ctx.move_to(56, -20)
    ctx.line_to(100, -20)
    ctx.set_line_width(4)
    ctx.set_source_rgb(*rgb("9a9a9a"))
    ctx.stroke()
    ctx.restore()


def rails(ctx, x0, x1, y):
    for x in range(int(x0), int(x1), 18):
        ctx.rectangle(x, y - 3, 10, 8)
        ctx.set_source_rgb(*WOOD_DARK)
        ctx.fill()
    ctx.rectangle(x0, y - 2, x1 - x0, 3)
    ctx.set_source_rgb(*rgb("6a6a70"))
    ctx.fill()


def paper(ctx, x, y, w, h, title, lines=4, seed=1, angle=0.0, colour=PARCHMENT):
    ctx.save()
    ctx.translate(x + w / 2.0, y + h / 2.0)
    ctx.rotate(angle)
    ctx.translate(-w / 2.0, -h / 2.0)
    shellart.parchment(ctx, 0, 0, w, h, seed, colour=colour, stains=3)
    if title:
        western_text(ctx, title, w / 2.0, h * 0.2 + 6, min(22, h * 0.16), INK, line=0.3,
                     outline=INK)
    rng = random.Random(seed)
    for i in range(lines):
        ly = h * 0.32 + i * (h * 0.55 / max(1, lines))
        ctx.move_to(w * 0.12, ly)
        ctx.line_to(w * rng.uniform(0.6, 0.88), ly)
        ctx.set_source_rgba(*INK, 0.6)
        ctx.set_line_width(1.3)
        ctx.stroke()
    ctx.restore()


def coins(ctx, x, y, n, seed=3):
    rng = random.Random(seed)
    for i in range(n):
        cx = x + rng.uniform(-18, 18)
        cy = y - (i % 6) * 3 - rng.uniform(0, 2)
        ctx.save()
        ctx.translate(cx, cy)
        ctx.scale(1.0, 0.5)
        ctx.arc(0, 0, 7, 0, 2 * math.pi)
        ctx.restore()
        art.fill_stroke(ctx, brass_gradient(cy - 4, cy + 4), line=1)


def speech(ctx, x, y, text, size=15, tail=(0, 20)):
    """A speech balloon centred on (x, y) with its tail pointing by tail."""
    ctx.save()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    lines = text.split("|")
    widths = [ctx.text_extents(l).x_advance for l in lines]
    w = max(widths) + 22
    h = len(lines) * (size + 4) + 14
    ctx.move_to(x - 8, y + h / 2 - 2)
    ctx.line_to(x + tail[0], y + h / 2 + tail[1])
    ctx.line_to(x + 8, y + h / 2 - 2)
    art.rounded_rect(ctx, x - w / 2, y - h / 2, w, h, 12)
    ctx.set_source_rgb(1, 0.98, 0.92)
    ctx.fill_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    ctx.move_to(x - 8, y + h / 2 - 2)
    ctx.line_to(x + tail[0], y + h / 2 + tail[1])
    ctx.line_to(x + 8, y + h / 2 - 2)
    ctx.close_path()
    ctx.set_source_rgb(1, 0.98, 0.92)
    ctx.fill_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.stroke()
    ctx.rectangle(x - 7, y + h / 2 - 4, 14, 4)
    ctx.set_source_rgb(1, 0.98, 0.92)
    ctx.fill()
    ctx.set_source_rgb(*INK)
    for i, l in enumerate(lines):
        ctx.move_to(x - widths[i] / 2, y - h / 2 + 7 + size + i * (size + 4) - 2)
        ctx.show_text(l)
    ctx.restore()


# ---- backdrops ------------------------------------------------------------------------------

SKIES = {
    "day": [(0, rgb("6fa8d8")), (1, rgb("f2d8a0"))],
    "dusk": [(0, rgb("2c2140")), (0.5, rgb("8c3a3a")), (0.85, rgb("e07a3a")), (1, rgb("f2b45a"))],
    "night": [(0, rgb("0e1024")), (1, rgb("2c2a50"))],
    "storm": [(0, rgb("6a5a48")), (1, rgb("c8a070"))],
    "dawn": [(0, rgb("7a8ab0")), (0.6, rgb("e8b0a0")), (1, rgb("f8e0b0"))],
    "fire": [(0, rgb("1e1020")), (0.6, rgb("6a2020")), (1, rgb("e0602a"))],
}


def outdoors(ctx, w, h, sky, horizon, seed=1):
    ctx.set_source(art.vertical_gradient(0, horizon, SKIES[sky]))
    ctx.paint()
    rng = random.Random(seed)
    if sky in ("night", "dusk", "fire"):
        for _ in range(int(w * horizon / 1500)):
            ctx.arc(rng.uniform(0, w), rng.uniform(0, horizon * 0.5), rng.uniform(0.5, 1.3), 0,
                    2 * math.pi)
            ctx.set_source_rgba(1, 0.95, 0.85, rng.uniform(0.3, 0.9))
            ctx.fill()
    if sky == "night":
        ctx.arc(w * 0.8, horizon * 0.25, 16, 0, 2 * math.pi)
        ctx.set_source_rgb(0.98, 0.95, 0.8)
        ctx.fill()
    if sky in ("day", "dawn", "dusk"):
        sx, sy = (w * 0.25, horizon - 20) if sky != "day" else (w * 0.8, horizon * 0.25)
        g = cairo.RadialGradient(sx, sy, 4, sx, sy, 60)
        g.add_color_stop_rgba(0, 1, 0.95, 0.7, 1)
        g.add_color_stop_rgba(0.3, 1, 0.85, 0.5, 0.7)
        g.add_color_stop_rgba(1, 1, 0.8, 0.4, 0)
        ctx.set_source(g)
        ctx.arc(sx, sy, 60, 0, 2 * math.pi)
        ctx.fill()
    # Mesas.
    mesa = {"night": rgb("1c1a30"), "fire": rgb("2a1418")}.get(sky, rgb("8a4a38"))
    ctx.move_to(0, horizon)
    x = 0
    while x < w:
        top = horizon - rng.uniform(8, 40)
        span = rng.uniform(40, 140)
        ctx.line_to(x + 10, top)
        ctx.line_to(x + span - 10, top)
        ctx.line_to(x + span, horizon - rng.uniform(0, 8))
        x += span + rng.uniform(10, 60)
    ctx.line_to(w, horizon)
    ctx.close_path()
    ctx.set_source_rgb(*mesa)
    ctx.fill()
    ground = {"night": [(0, rgb("3a3040")), (1, rgb("1e1a24"))],
              "fire": [(0, rgb("5a2a20")), (1, rgb("2a1410"))]}.get(
        sky, [(0, rgb("d0955a")), (1, rgb("8a5630"))])
    ctx.rectangle(0, horizon, w, h - horizon)
    ctx.set_source(art.vertical_gradient(horizon, h, ground))
    ctx.fill()
    for _ in range(int(w * (h - horizon) / 300)):
        ctx.arc(rng.uniform(0, w), rng.uniform(horizon + 2, h), rng.uniform(0.5, 1.5), 0,
                2 * math.pi)
        ctx.set_source_rgba(*WOOD_DARK, 0.35)
        ctx.fill()


def facade(ctx, x, y, w, h, sign="LAST CHANCE", burnt=False, night=False, colour=WOOD,
           doors=True):
    """A saloon's false front: its base at y, from x to x + w, h tall."""
    walk = y
    top = y - h
    ctx.move_to(x, walk)
    ctx.line_to(x, top + h * 0.2)
    ctx.line_to(x + w * 0.12, top + h * 0.2)
    ctx.line_to(x + w * 0.12, top)
    ctx.line_to(x + w * 0.88, top)
    ctx.line_to(x + w * 0.88, top + h * 0.2)
    ctx.line_to(x + w, top + h * 0.2)
    ctx.line_to(x + w, walk)
    ctx.close_path()
    path = ctx.copy_path()
    ctx.save()
    ctx.clip()
    art.wood_grain(ctx, x, top, w, h, mix(colour, OUTLINE, 0.6) if burnt else colour, 31,
                   along_x=True, period=70, strength=0.25)
    for i in range(int(top), int(walk), 12):
        ctx.move_to(x, i)
        ctx.line_to(x + w, i)
        ctx.set_source_rgba(*OUTLINE, 0.35)
        ctx.set_line_width(1)
        ctx.stroke()
    if night:
        ctx.set_source_rgba(0.05, 0.05, 0.15, 0.45)
        ctx.paint()
    ctx.restore()
    ctx.append_path(path)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    if sign:
        sw, sh = w * 0.62, h * 0.16
        sx, sy = x + (w - sw) / 2, top + h * 0.05
        ctx.save()
        if burnt:
            ctx.translate(sx + sw / 2, sy + sh / 2)
            ctx.rotate(0.12)
            ctx.translate(-(sx + sw / 2), -(sy + sh / 2))
        shellart.wooden_board(ctx, sx, sy, sw, sh, WOOD_DARK, 11)
        size = sh * 0.72
        while shellart.text_width(ctx, sign, size) > sw * 0.9:
            size *= 0.92
        western_text(ctx, sign, sx + sw / 2, sy + sh * 0.78, size,
                     mix(BRASS_LIGHT, GREY, 0.6) if burnt else brass_gradient(sy, sy + sh),
                     line=1.2)
        ctx.restore()
    # Windows.
    for wx in (x + w * 0.1, x + w * 0.72):
        ww, wh = w * 0.18, h * 0.22
        wy = walk - h * 0.55
        ctx.rectangle(wx, wy, ww, wh)
        lit = rgb("f6c860") if night else rgb("4a3a3a")
        art.fill_stroke(ctx, GREY if burnt else lit, line=2)
        ctx.move_to(wx + ww / 2, wy)
        ctx.line_to(wx + ww / 2, wy + wh)
        ctx.stroke()
    if doors:
        dw, dh = w * 0.24, h * 0.42
        dx = x + (w - dw) / 2
        ctx.rectangle(dx, walk - dh, dw, dh)
        art.fill_stroke(ctx, rgb("f6c860") if night else rgb("2a1a10"), line=2)
        for k in (0, 1):
            bx = dx + k * dw / 2 + 2
            ctx.rectangle(bx, walk - dh * 0.75, dw / 2 - 4, dh * 0.45)
            art.fill_stroke(ctx, WOOD_LIGHT, line=1.5)
    ctx.rectangle(x - 10, walk, w + 20, 7)
    art.fill_stroke(ctx, WOOD_LIGHT, line=1.5)


def room(ctx, w, h, floor_y, sand=False, shelves=True, lamps=True, seed=5, dark=0.0,
         stable=False):
    """The saloon's room: a plank wall, shelves of bottles, lamps, and a floor of boards (or
    sand in the first weeks, or straw in the stable)."""
    art.wood_grain(ctx, 0, 0, w, floor_y, mix(WOOD, WOOD_DARK, 0.35), seed, along_x=False,
                   period=80, strength=0.22)
    for x in range(0, w, 34):
        ctx.move_to(x, 0)
        ctx.line_to(x, floor_y)
        ctx.set_source_rgba(*OUTLINE, 0.5)
        ctx.set_line_width(1.2)
        ctx.stroke()
    rng = random.Random(seed)
    if shelves and not stable:
        for sy in (floor_y * 0.3, floor_y * 0.55):
            ctx.rectangle(w * 0.08, sy, w * 0.84, 6)
            art.fill_stroke(ctx, WOOD_LIGHT, line=1.5)
            x = w * 0.1
            while x < w * 0.9:
                bottle(ctx, x, sy, 0.9, rng.choice((rgb("3f7a3a"), rgb("8a4a20"),
                                                     rgb("5a2a4a"), rgb("c8a040"))))
                x += rng.uniform(14, 26)
    if stable:
        for x in (w * 0.15, w * 0.85):
            ctx.rectangle(x - 8, 0, 16, floor_y)
            art.fill_stroke(ctx, WOOD_DARK)
        ctx.rectangle(0, floor_y * 0.15, w, 12)
        art.fill_stroke(ctx, WOOD_DARK)
        ctx.move_to(w * 0.6, floor_y * 0.4)
        ctx.arc(w * 0.6, floor_y * 0.4, 16, math.pi * 0.1, math.pi * 0.9)
        ctx.set_source_rgb(*GREY)
        ctx.set_line_width(5)
        ctx.stroke()
    if lamps:
        for lx in (w * 0.2, w * 0.8):
            lamp(ctx, lx, 8, 0.9)
    floor = rgb("e0b878") if sand else (rgb("c8a048") if stable else WOOD)
    ctx.rectangle(0, floor_y, w, h - floor_y)
    ctx.set_source(art.vertical_gradient(floor_y, h, [(0, floor), (1, mix(floor, OUTLINE, 0.35))]))
    ctx.fill()
    if not sand and not stable:
        for i in range(-10, 20):
            ctx.move_to(w / 2 + i * 40, h)
            ctx.line_to(w / 2 + i * 12, floor_y)
            ctx.set_source_rgba(*OUTLINE, 0.35)
            ctx.set_line_width(1)
            ctx.stroke()
    else:
        for _ in range(int(w * (h - floor_y) / 90)):
            x, y = rng.uniform(0, w), rng.uniform(floor_y, h)
            if stable:
                ctx.move_to(x, y)
                ctx.line_to(x + rng.uniform(-8, 8), y + rng.uniform(-3, 3))
                ctx.set_source_rgba(*rgb("8a6a20"), 0.6)
                ctx.set_line_width(1)
                ctx.stroke()
            else:
                ctx.arc(x, y, rng.uniform(0.5, 1.4), 0, 2 * math.pi)
                ctx.set_source_rgba(*WOOD_DARK, 0.3)
                ctx.fill()
    if dark:
        ctx.set_source_rgba(0.05, 0.03, 0.1, dark)
        ctx.paint()


def counter(ctx, x, y, w, h):
    """The bar counter seen from the room: its top edge at y."""
    ctx.rectangle(x, y, w, h)
    ctx.save()
    ctx.clip()
    art.wood_grain(ctx, x, y, w, h, rgb("6a3a1a"), 41, along_x=True, period=90)
    ctx.restore()
    ctx.rectangle(x, y, w, h)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    for px in range(int(x + 20), int(x + w), 60):
        ctx.rectangle(px, y + 14, 40, h - 24)
        ctx.set_source_rgba(*OUTLINE, 0.35)
        ctx.set_line_width(1.5)
        ctx.stroke()
    ctx.rectangle(x - 4, y - 8, w + 8, 10)
    art.fill_stroke(ctx, WOOD_LIGHT)
    ctx.rectangle(x, y + h - 6, w, 4)
    ctx.set_source_rgb(*BRASS)
    ctx.fill()


def table(ctx, x, y, s=1.0):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    ctx.rectangle(-4, -34, 8, 34)
    art.fill_stroke(ctx, WOOD_DARK)
    ctx.save()
    ctx.translate(0, -36)
    ctx.scale(1, 0.3)
    ctx.arc(0, 0, 40, 0, 2 * math.pi)
    ctx.restore()
    art.fill_stroke(ctx, FELT_GREEN)
    ctx.restore()


def vignette(ctx, w, h, amount=0.35):
    g = cairo.RadialGradient(w / 2, h / 2, min(w, h) * 0.35, w / 2, h / 2, max(w, h) * 0.75)
    g.add_color_stop_rgba(0, 0, 0, 0, 0)
    g.add_color_stop_rgba(1, 0.1, 0.05, 0, amount)
    ctx.set_source(g)
    ctx.paint()


def panel(w, h, draw, border=7):
    """A comic panel: the picture inside a cream border with a dark outline."""
    s, ctx = art.surface(w, h)
    art.rounded_rect(ctx, 1, 1, w - 2, h - 2, 6)
    art.fill_stroke(ctx, mix(CREAM, PARCHMENT, 0.3), line=2)
    ctx.save()
    ctx.rectangle(border, border, w - 2 * border, h - 2 * border)
    ctx.clip()
    ctx.translate(border, border)
    draw(ctx, w - 2 * border, h - 2 * border)
    ctx.restore()
    ctx.rectangle(border, border, w - 2 * border, h - 2 * border)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    return s


def caption_box(ctx, x, y, text, size=13):
    """A narrator's box in a panel's corner."""
    ctx.save()
    ctx.select_font_face("DejaVu Serif", cairo.FONT_SLANT_ITALIC, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    tw = ctx.text_extents(text).x_advance
    ctx.rectangle(x, y, tw + 16, size + 12)
    art.fill_stroke(ctx, rgb("f6e6a8"), line=1.8)
    ctx.move_to(x + 8, y + size + 5)
    ctx.set_source_rgb(*INK)
    ctx.show_text(text)
    ctx.restore()


# ---- the chapter pages ----------------------------------------------------------------------

def p_arrival(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.5), seed=2)
    facade(ctx, w * 0.35, h * 0.86, w * 0.62, h * 0.62, sign="LAST CHANCE", colour=mix(WOOD, GREY, 0.4))
    # The crooked sign hangs by one nail: a plank across the door.
    ctx.save()
    ctx.translate(w * 0.62, h * 0.62)
    ctx.rotate(0.5)
    ctx.rectangle(-40, -6, 80, 12)
    art.fill_stroke(ctx, WOOD_LIGHT)
    ctx.restore()
    person(ctx, w * 0.2, h * 0.95, 1.0, "dolly")
    ctx.rectangle(w * 0.2 + 14, h * 0.95 - 30, 34, 26)
    art.fill_stroke(ctx, rgb("7a3a2a"))
    smoke(ctx, 20, h * 0.55, 14, 4, 0.25)
    caption_box(ctx, 6, 6, "Dustbowl, 1881")


def p_letter(ctx, w, h):
    room(ctx, w, h, int(h * 0.62), sand=True, dark=0.25, seed=6)
    for x, y in ((40, 40), (w - 60, 60), (w * 0.5, 30)):
        ctx.move_to(x, y)
        ctx.line_to(x + 30, y + 18)
        ctx.line_to(x + 10, y + 30)
        ctx.set_source_rgba(1, 1, 1, 0.4)
        ctx.set_line_width(0.8)
        ctx.stroke()
    person(ctx, w * 0.3, h * 0.97, 1.1, "dolly", arms_up=(1.0, 1.0))
    paper(ctx, w * 0.3 - 30, h * 0.56, 60, 44, "", lines=4, seed=3, angle=-0.05)
    speech(ctx, w * 0.68, h * 0.3, "\"...the debts too,|I'm afraid.\"", size=14, tail=(-60, 20))


def p_sweep(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), sand=True, seed=7)
    person(ctx, w * 0.45, h * 0.95, 1.0, "dolly", arms_up=(0.6, 0.2))
    ctx.move_to(w * 0.45 + 22, h * 0.5)
    ctx.line_to(w * 0.45 + 50, h * 0.92)
    ctx.set_source_rgb(*WOOD_DARK)
    ctx.set_line_width(4)
    ctx.stroke()
    ctx.move_to(w * 0.45 + 40, h * 0.9)
    ctx.line_to(w * 0.45 + 66, h * 0.88)
    ctx.line_to(w * 0.45 + 70, h * 0.97)
    ctx.line_to(w * 0.45 + 36, h * 0.97)
    ctx.close_path()
    art.fill_stroke(ctx, rgb("d8b048"))
    smoke(ctx, w * 0.7, h * 0.9, 20, 5, 0.2)
    lamp(ctx, w * 0.8, h * 0.1, 1.0)


def p_vane_arrives(ctx, w, h):
    outdoors(ctx, w, h, "dusk", int(h * 0.55), seed=3)
    facade(ctx, w * 0.45, h * 0.92, w * 0.4, h * 0.85, night=True)
    person(ctx, w * 0.25, h * 0.97, 1.0, "vane")
    # His carriage.
    ctx.rectangle(w * 0.02, h * 0.45, 120, 60)
    art.fill_stroke(ctx, rgb("22201e"))
    for wx in (w * 0.02 + 20, w * 0.02 + 100):
        ctx.arc(wx, h * 0.85, 18, 0, 2 * math.pi)
        art.fill_stroke(ctx, SUNSET_RED)
    caption_box(ctx, w - 190, 6, "The first evening...")


def p_vane_papers(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), sand=True, seed=8, dark=0.15)
    person(ctx, w * 0.5, h * 1.25, 1.9, "vane", arms_up=(1.0, 0.0))
    paper(ctx, w * 0.12, h * 0.45, 90, 70, "LOAN", lines=4, seed=5, angle=-0.15)
    speech(ctx, w * 0.55, h * 0.13, "Five weeks,|Miss Dolly.", size=15, tail=(-10, 26))


def p_first_customer(ctx, w, h):
    room(ctx, w, h, int(h * 0.5), sand=True, seed=9)
    counter(ctx, -10, h * 0.62, w * 0.7, h * 0.4)
    person(ctx, w * 0.32, h * 0.7, 0.9, "dolly")
    person(ctx, w * 0.78, h * 0.98, 1.0, "hank", arms_up=(0.0, 1.0), hold={1: "f"})
    speech(ctx, w * 0.6, h * 0.16, "To the|Last Chance!", size=14, tail=(30, 24))


def p_open_for_business(ctx, w, h):
    room(ctx, w, h, int(h * 0.45), sand=True, seed=10)
    counter(ctx, w * 0.05, h * 0.52, w * 0.55, h * 0.2)
    person(ctx, w * 0.3, h * 0.6, 0.85, "dolly", arms_up=(1.0, 0.0), hold={0: "f"})
    for i in range(3):
        mug(ctx, w * 0.12 + i * 30, h * 0.5, 1.0)
    table(ctx, w * 0.75, h * 0.78, 1.3)
    person(ctx, w * 0.65, h * 0.98, 1.0, "cowboy")
    person(ctx, w * 0.88, h * 0.98, 1.0, "miner", arms_up=(1.0, 0.0), hold={0: "f"})
    person(ctx, w * 0.18, h * 1.05, 1.05, "hank", arms_up=(0.0, 1.0), hold={1: "f"})
    vignette(ctx, w, h, 0.3)


def p_pay_vane(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=11, shelves=False)
    ctx.rectangle(w * 0.3, h * 0.55, w * 0.4, 30)
    art.fill_stroke(ctx, WOOD_DARK)
    coins(ctx, w * 0.45, h * 0.55, 24)
    coins(ctx, w * 0.53, h * 0.56, 18, seed=4)
    person(ctx, w * 0.18, h * 1.0, 0.95, "dolly")
    person(ctx, w * 0.82, h * 1.0, 0.95, "vane")
    speech(ctx, w * 0.7, h * 0.2, "Hmph.", size=15, tail=(30, 20))
    caption_box(ctx, 6, 6, "Five weeks later")


def p_thief(ctx, w, h):
    outdoors(ctx, w, h, "night", int(h * 0.5), seed=4)
    facade(ctx, -20, h * 0.8, w * 0.9, h * 0.7, night=True, sign="LAST CHANCE")
    person(ctx, w * 0.7, h * 1.0, 1.1, "thief")
    ctx.arc(w * 0.86, h * 0.8, 20, 0, 2 * math.pi)
    art.fill_stroke(ctx, rgb("c8a878"))


def p_poster(ctx, w, h):
    room(ctx, w, h, int(h * 0.75), seed=12, shelves=False)
    shellart.wanted_poster(ctx, w * 0.08, h * 0.1, 110, 140, 7, "Masked Mike", "$100", angle=-0.05)
    person(ctx, w * 0.7, h * 1.02, 1.15, "sheriff", arms_up=(1.0, 0.0))


def p_lantern(ctx, w, h):
    outdoors(ctx, w, h, "night", int(h * 0.6), seed=5)
    facade(ctx, w * 0.45, h * 0.92, w * 0.5, h * 0.85, night=False, sign="LAST CHANCE")
    ctx.set_source_rgba(0.02, 0.02, 0.08, 0.5)
    ctx.paint()
    person(ctx, w * 0.3, h * 0.98, 1.0, "jeb", arms_up=(1.0, 0.0))
    lamp(ctx, w * 0.3 - 18, h * 0.45, 1.0, lit=True)


def p_counting(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=13, dark=0.55, lamps=False)
    g = cairo.RadialGradient(w * 0.45, h * 0.55, 5, w * 0.45, h * 0.55, w * 0.5)
    g.add_color_stop_rgba(0, 1, 0.8, 0.4, 0.45)
    g.add_color_stop_rgba(1, 1, 0.8, 0.4, 0)
    ctx.set_source(g)
    ctx.paint()
    person(ctx, w * 0.3, h * 1.1, 1.2, "dolly", arms_up=(1.0, 1.0))
    table(ctx, w * 0.5, h * 1.0, 2.2)
    coins(ctx, w * 0.5, h * 0.72, 20)
    ctx.rectangle(w * 0.6, h * 0.6, 8, 22)
    art.fill_stroke(ctx, CREAM)
    ctx.arc(w * 0.6 + 4, h * 0.58, 4, 0, 2 * math.pi)
    ctx.set_source_rgb(1, 0.8, 0.3)
    ctx.fill()


def p_smoke(ctx, w, h):
    room(ctx, w, h, int(h * 0.7), seed=14, dark=0.5, shelves=True)
    flames(ctx, 0, h * 0.72, w * 0.55, h * 0.35, 8)
    smoke(ctx, w * 0.3, h * 0.4, 50, 6, 0.7)
    lamp(ctx, w * 0.25, h * 0.8, 1.2)
    caption_box(ctx, w - 140, 8, "...smoke?")


def p_blaze(ctx, w, h):
    outdoors(ctx, w, h, "fire", int(h * 0.7), seed=6)
    facade(ctx, w * 0.1, h * 0.9, w * 0.8, h * 0.7, burnt=False, night=True)
    flames(ctx, w * 0.05, h * 0.92, w * 0.9, h * 0.7, 9)
    smoke(ctx, w * 0.5, h * 0.2, 60, 7, 0.6)
    western_text(ctx, "FIRE!", w * 0.5, h * 0.18, 64, rgb("fff0a0"), line=3, shadow=(3, 4))


def p_bucket(ctx, w, h, who, seed):
    outdoors(ctx, w, h, "fire", int(h * 0.55), seed=seed)
    flames(ctx, w * 0.55, h * 0.9, w * 0.5, h * 0.5, seed)
    person(ctx, w * 0.35, h * 1.0, 1.2, who, arms_up=(1.0, 1.0))
    bucket(ctx, w * 0.45, h * 0.34, 1.7)
    water(ctx, w * 0.5, h * 0.3, w * 0.78, h * 0.7)


def p_ashes(ctx, w, h):
    outdoors(ctx, w, h, "dawn", int(h * 0.55), seed=7)
    facade(ctx, w * 0.3, h * 0.85, w * 0.6, h * 0.55, burnt=True, doors=False)
    smoke(ctx, w * 0.6, h * 0.3, 30, 8, 0.35)
    person(ctx, w * 0.15, h * 0.98, 0.85, "dolly")
    person(ctx, w * 0.3, h * 0.99, 0.85, "hank")


def p_new_saloon(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.45), seed=8)
    facade(ctx, w * 0.1, h * 0.78, w * 0.8, h * 0.6, sign="LAST CHANCE", colour=rgb("a0602a"))
    for i, x in enumerate(range(20, int(w), 40)):
        ctx.move_to(x, 8)
        ctx.line_to(x + 20, 24)
        ctx.line_to(x + 40, 8)
        ctx.set_source_rgb(*(SUNSET_RED if i % 2 else rgb("3f6ab0")))
        ctx.set_line_width(3)
        ctx.stroke()
    person(ctx, w * 0.5, h * 0.8, 0.9, "dolly", arms_up=(1.0, 1.0))
    for i, who in enumerate(("cowboy", "hank", "miner", "cowboy2", "sheriff")):
        person(ctx, w * (0.1 + 0.2 * i), h * 1.08, 1.0, who, arms_up=(1.0, 0.0) if i % 2 else (0, 0))


def p_biscuit(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=15)
    person(ctx, w * 0.3, h * 0.95, 1.2, "dolly")
    person(ctx, w * 0.72, h * 0.95, 1.2, "sheriff")
    dog(ctx, w * 0.5, h * 0.97, 1.2)
    speech(ctx, w * 0.72, h * 0.12, "He bites thieves.|Mostly.", size=15, tail=(0, 24))


def p_guard(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.5), seed=9)
    facade(ctx, w * 0.05, h * 0.9, w * 0.6, h * 0.8)
    guard(ctx, w * 0.8, h * 0.95, 1.0, doze=0.0)


def p_undertaker(ctx, w, h):
    room(ctx, w, h, int(h * 0.7), seed=16, shelves=False)
    ctx.rectangle(w * 0.05, h * 0.25, w * 0.28, h * 0.55)
    art.fill_stroke(ctx, rgb("3a2a20"))
    person(ctx, w * 0.6, h * 0.97, 1.5, "undertaker", arms_up=(1.0, 1.0))
    ctx.move_to(w * 0.3, h * 0.62)
    ctx.line_to(w * 0.9, h * 0.62)
    ctx.set_source_rgb(*rgb("e8d8a0"))
    ctx.set_line_width(4)
    ctx.stroke()


def p_whisper(ctx, w, h):
    outdoors(ctx, w, h, "night", int(h * 0.55), seed=10)
    ctx.rectangle(0, 0, w * 0.25, h)
    art.fill_stroke(ctx, rgb("2a1e18"))
    ctx.rectangle(w * 0.8, 0, w * 0.2, h)
    art.fill_stroke(ctx, rgb("2a1e18"))
    person(ctx, w * 0.42, h * 0.98, 1.1, "vane")
    person(ctx, w * 0.6, h * 0.98, 1.1, "jeb", flip=True)
    lamp(ctx, w * 0.52, h * 0.05, 0.8)
    speech(ctx, w * 0.5, h * 0.2, "...psst...", size=13, tail=(-20, 20))


def p_crystal(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), seed=17, dark=0.35)
    counter(ctx, 0, h * 0.62, w, h * 0.4)
    person(ctx, w * 0.7, h * 0.68, 1.0, "dolly")
    crystal(ctx, w * 0.3, h * 0.5, 26)
    paper(ctx, w * 0.45, h * 0.52, 46, 36, "", lines=3, seed=9)


def p_flying_mugs(ctx, w, h):
    room(ctx, w, h, int(h * 0.5), seed=18)
    counter(ctx, 0, h * 0.58, w * 0.4, h * 0.5)
    person(ctx, w * 0.2, h * 0.65, 1.0, "dolly", arms_up=(1.0, 1.0))
    for i, (x, y) in enumerate(((0.4, 0.4), (0.55, 0.3), (0.7, 0.38))):
        g = cairo.RadialGradient(w * x, h * y, 2, w * x, h * y, 30)
        g.add_color_stop_rgba(0, 0.8, 0.6, 1, 0.6)
        g.add_color_stop_rgba(1, 0.8, 0.6, 1, 0)
        ctx.set_source(g)
        ctx.arc(w * x, h * y, 30, 0, 2 * math.pi)
        ctx.fill()
        mug(ctx, w * x, h * y + 12, 1.4)
    person(ctx, w * 0.75, h * 1.02, 1.1, "cowboy", arms_up=(1.0, 1.0))
    person(ctx, w * 0.92, h * 1.02, 1.1, "hank")


def p_piano_arrives(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.55), seed=11)
    facade(ctx, w * 0.55, h * 0.9, w * 0.45, h * 0.8)
    piano(ctx, w * 0.3, h * 0.9, 1.0)
    person(ctx, w * 0.3, h * 0.9 - 100, 0.8, "pianist", arms_up=(1.0, 0.0))


def p_piano_plays(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=19)
    piano(ctx, w * 0.25, h * 0.85, 1.0)
    person(ctx, w * 0.25, h * 1.05, 0.9, "pianist", arms_up=(1.0, 1.0))
    person(ctx, w * 0.65, h * 0.98, 0.95, "pink", arms_up=(1.0, 0.0))
    person(ctx, w * 0.85, h * 0.98, 0.95, "hank", arms_up=(0.0, 1.0), hold={1: "f"})
    for i in range(4):
        western_text(ctx, "\u266a", w * (0.45 + 0.1 * i), h * (0.3 - 0.05 * (i % 2)), 26,
                     CREAM, line=1.0, squeeze=1.0)


def newspaper(ctx, w, h, headline, sub, picture):
    shellart.parchment(ctx, 0, 0, w, h, 21, colour=rgb("efe6cc"), stains=4)
    western_text(ctx, "THE DUSTBOWL EPITAPH", w / 2, h * 0.12, h * 0.1, INK, line=0.3, outline=INK)
    for y in (h * 0.15, h * 0.17):
        ctx.move_to(w * 0.04, y)
        ctx.line_to(w * 0.96, y)
        ctx.set_source_rgb(*INK)
        ctx.set_line_width(1.2)
        ctx.stroke()
    western_text(ctx, headline, w / 2, h * 0.3, h * 0.11, SUNSET_RED, line=0.6, outline=INK)
    shellart.plain_text(ctx, sub, w / 2, h * 0.37, h * 0.035, INK, bold=True)
    ctx.save()
    ctx.rectangle(w * 0.08, h * 0.42, w * 0.55, h * 0.5)
    ctx.clip()
    ctx.translate(w * 0.08, h * 0.42)
    picture(ctx, w * 0.55, h * 0.5)
    ctx.set_source_rgba(0.55, 0.4, 0.2, 0.35)
    ctx.set_operator(cairo.OPERATOR_COLOR if hasattr(cairo, "OPERATOR_COLOR") else cairo.OPERATOR_OVER)
    ctx.paint()
    ctx.restore()
    ctx.rectangle(w * 0.08, h * 0.42, w * 0.55, h * 0.5)
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(1.5)
    ctx.stroke()
    rng = random.Random(3)
    for col in range(2):
        x0 = w * 0.67 + col * 0.15 * w
        for i in range(22):
            y = h * 0.44 + i * h * 0.022
            ctx.move_to(x0, y)
            ctx.line_to(x0 + w * rng.uniform(0.09, 0.13), y)
            ctx.set_source_rgba(*INK, 0.55)
            ctx.set_line_width(1.2)
            ctx.stroke()


def p_news_railroad(ctx, w, h):
    ctx.set_source_rgb(*WOOD_DARK)
    ctx.paint()

    def picture(c, pw, ph):
        outdoors(c, pw, ph, "day", int(ph * 0.55), seed=12)
        rails(c, 0, pw, ph * 0.85)
        train(c, pw * 0.15, ph * 0.85, 0.9)
    ctx.save()
    ctx.translate(20, 12)
    ctx.rotate(-0.015)
    newspaper(ctx, w - 40, h - 24, "RAILROAD COMING!", "Station to be built on Main Street", picture)
    ctx.restore()


def p_deed(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), seed=20)
    person(ctx, w * 0.62, h * 1.0, 1.15, "vane", arms_up=(1.0, 0.0))
    paper(ctx, w * 0.68, h * 0.22, 80, 64, "DEED", lines=3, seed=11, angle=0.1)
    person(ctx, w * 0.3, h * 1.0, 1.15, "dolly")
    person(ctx, w * 0.12, h * 1.04, 1.1, "hank")
    person(ctx, w * 0.9, h * 1.04, 1.1, "pink")
    speech(ctx, w * 0.45, h * 0.15, "Pack your things!", size=15, tail=(60, 20))


def p_inspector_reads(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=21)
    person(ctx, w * 0.5, h * 1.62, 1.7, "pink", arms_up=(1.0, 1.0))
    paper(ctx, w * 0.3, h * 0.62, 90, 56, "DEED", lines=3, seed=12)


def p_inspector_badge(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=22)
    person(ctx, w * 0.5, h * 1.62, 1.7, "pink", arms_up=(0.0, 1.0))
    art.star_path(ctx, w * 0.72, h * 0.45, 16, 7, points=6)
    art.fill_stroke(ctx, BRASS)
    speech(ctx, w * 0.2, h * 0.5, "Inspector!", size=12, tail=(30, 16))


def p_vane_pale(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), seed=23)
    person(ctx, w * 0.5, h * 1.8, 1.6, "vane")
    for dx in (-22, 26):
        ctx.arc(w * 0.5 + dx, h * 0.42, 3, 0, 2 * math.pi)
        ctx.set_source_rgb(0.6, 0.8, 1)
        ctx.fill()


def p_showdown(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.45), seed=13)
    facade(ctx, w * 0.02, h * 0.8, w * 0.4, h * 0.65)
    person(ctx, w * 0.2, h * 0.84, 0.8, "dolly")
    person(ctx, w * 0.33, h * 0.84, 0.8, "sheriff")
    guard(ctx, w * 0.08, h * 0.84, 0.7)
    for i, who in enumerate(("vane", "jeb", "thief", "cowboy2")):
        person(ctx, w * (0.6 + 0.1 * i), h * (0.92 + 0.02 * (i % 2)), 0.95, who, flip=True)
    caption_box(ctx, w - 120, 6, "High noon")


def p_sneak(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), seed=24, dark=0.3)
    person(ctx, w * 0.5, h * 1.15, 1.0, "thief", arms_up=(1.0, 0.0))
    coins(ctx, w * 0.35, h * 0.9, 10)


def p_foreman_poster(ctx, w, h):
    room(ctx, w, h, int(h * 0.85), seed=25, shelves=False, lamps=False)
    shellart.wanted_poster(ctx, w * 0.3, h * 0.05, 100, 136, 13, "Lanky Jeb", "$250", angle=0.04)


def p_grand_opening(ctx, w, h):
    outdoors(ctx, w, h, "dusk", int(h * 0.5), seed=14)
    facade(ctx, w * 0.45, h * 0.78, w * 0.53, h * 0.62, sign="LAST CHANCE STATION", night=True,
           colour=rgb("a0602a"))
    rails(ctx, 0, w * 0.5, h * 0.74)
    train(ctx, w * 0.05, h * 0.74, 0.95)
    for i, x in enumerate(range(10, int(w), 36)):
        ctx.move_to(x, 10)
        ctx.line_to(x + 18, 28)
        ctx.line_to(x + 36, 10)
        ctx.set_source_rgb(*(SUNSET_RED if i % 2 else CREAM))
        ctx.set_line_width(3)
        ctx.stroke()
    crowd = ("cowboy", "miner", "hank", "pink", "pianist", "cowboy2", "undertaker", "sheriff")
    for i, who in enumerate(crowd):
        person(ctx, w * (0.06 + 0.12 * i), h * 1.0 + (i % 2) * 10, 0.95, who,
               arms_up=(1.0, 0.0) if i % 3 == 0 else (0.0, 1.0))
    person(ctx, w * 0.71, h * 0.84, 1.1, "dolly_best", arms_up=(1.0, 1.0))
    guard(ctx, w * 0.92, h * 0.8, 0.8)
    dog(ctx, w * 0.55, h * 0.98, 0.8)


def p_arrest(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.5), seed=15)
    rails(ctx, 0, w, h * 0.62)
    ctx.rectangle(0, h * 0.2, w, h * 0.42)
    ctx.save()
    ctx.clip()
    train(ctx, -40, h * 0.62, 1.2, smoke_on=False)
    ctx.restore()
    person(ctx, w * 0.35, h * 0.98, 1.1, "vane")
    person(ctx, w * 0.5, h * 0.98, 1.1, "jeb")
    person(ctx, w * 0.67, h * 0.98, 1.1, "sheriff", arms_up=(1.0, 0.0))
    for x in (w * 0.35, w * 0.5):
        ctx.arc(x, h * 0.73, 6, 0, 2 * math.pi)
        ctx.set_source_rgb(*GREY)
        ctx.set_line_width(3)
        ctx.stroke()
    person(ctx, w * 0.88, h * 1.0, 1.0, "dolly_best", arms_up=(0.0, 1.0))
    person(ctx, w * 0.14, h * 1.02, 1.0, "pink")
    speech(ctx, w * 0.82, h * 0.22, "Drinks on|the house!", size=16, tail=(10, 30))


def p_lost(ctx, w, h):
    outdoors(ctx, w, h, "dusk", int(h * 0.55), seed=16)
    facade(ctx, w * 0.5, h * 0.8, w * 0.45, h * 0.6, sign="VANE & CO.", night=True)
    ctx.move_to(0, h)
    ctx.curve_to(w * 0.2, h * 0.75, w * 0.3, h * 0.62, w * 0.05, h * 0.55)
    ctx.set_source_rgba(*rgb("e8c090"), 0.5)
    ctx.set_line_width(40)
    ctx.stroke()
    person(ctx, w * 0.2, h * 0.82, 0.9, "dolly")
    ctx.rectangle(w * 0.2 + 12, h * 0.82 - 28, 30, 24)
    art.fill_stroke(ctx, rgb("7a3a2a"))
    vignette(ctx, w, h, 0.5)


PAGES = {
    "h1_1": (370, 280, p_arrival), "h1_2": (385, 270, p_letter), "h1_3": (400, 255, p_sweep),
    "h1_4": (780, 200, p_vane_arrives), "h1_5": (320, 330, p_vane_papers),
    "h1_6": (350, 260, p_first_customer), "h1_7": (576, 480, p_open_for_business),
    "h2_1": (780, 200, p_pay_vane), "h2_2": (320, 330, p_thief), "h2_3": (350, 260, p_poster),
    "h3_1": (520, 200, p_lantern), "h3_2": (440, 330, p_counting),
    "h3_3_1": (430, 400, p_smoke), "h3_3_2": (430, 400, p_blaze),
    "h3_3_5": (260, 260, lambda c, w, h: p_bucket(c, w, h, "hank", 17)),
    "h3_3_3": (260, 260, lambda c, w, h: p_bucket(c, w, h, "sheriff", 18)),
    "h3_3_4": (340, 225, p_ashes),
    "h4_1": (500, 440, p_new_saloon), "h4_2": (500, 440, p_biscuit),
    "h5_1": (420, 230, p_guard), "h5_2": (260, 380, p_undertaker), "h5_3": (450, 330, p_whisper),
    "h6_1": (440, 300, p_crystal), "h6_2": (500, 400, p_flying_mugs),
    "h7_1": (480, 300, p_piano_arrives), "h7_2": (360, 270, p_piano_plays),
    "h8_1": (682, 500, p_news_railroad), "h8_2": (704, 340, p_deed),
    "h8_3": (228, 175, p_inspector_reads), "h8_4": (228, 175, p_inspector_badge),
    "h8_5": (228, 175, p_vane_pale),
    "h9_1": (598, 330, p_showdown), "h9_2": (250, 160, p_sneak), "h9_3": (250, 160, p_foreman_poster),
    "h10_a": (750, 540, p_grand_opening), "h10_2b": (560, 540, p_arrest), "h10_b": (750, 540, p_lost),
}


# ---- more scenes for the weeks' pictures ------------------------------------------------------

def stars_burst(ctx, x, y, r):
    art.star_path(ctx, x, y, r, r * 0.45, points=8)
    art.fill_stroke(ctx, rgb("f6e070"), line=1.5)


def p_brawl(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), seed=26)
    table(ctx, w * 0.5, h * 0.9, 1.2)
    person(ctx, w * 0.32, h * 1.0, 1.0, "cowboy", arms_up=(1.0, 1.0))
    person(ctx, w * 0.68, h * 1.0, 1.0, "miner", arms_up=(1.0, 1.0), flip=True)
    stars_burst(ctx, w * 0.5, h * 0.42, 22)
    western_text(ctx, "POW!", w * 0.5, h * 0.2, 34, rgb("f6e070"), line=2, shadow=(2, 3))


def p_storm(ctx, w, h):
    outdoors(ctx, w, h, "storm", int(h * 0.6), seed=27)
    facade(ctx, w * 0.25, h * 0.92, w * 0.55, h * 0.75, night=True)
    rng = random.Random(4)
    for _ in range(60):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        ctx.move_to(x, y)
        ctx.line_to(x + rng.uniform(20, 60), y + rng.uniform(-3, 3))
        ctx.set_source_rgba(0.85, 0.7, 0.5, 0.5)
        ctx.set_line_width(1.5)
        ctx.stroke()


def p_stable(ctx, w, h):
    room(ctx, w, h, int(h * 0.6), stable=True, seed=28, shelves=False)
    ctx.rectangle(w * 0.1, h * 0.62, w * 0.45, 26)
    art.fill_stroke(ctx, WOOD_LIGHT)
    person(ctx, w * 0.3, h * 0.98, 1.0, "dolly", arms_up=(1.0, 0.0), hold={0: "f"})
    person(ctx, w * 0.72, h * 1.0, 1.0, "hank", arms_up=(0.0, 1.0), hold={1: "f"})


def cow(ctx, x, y, s=1.0, flip=False):
    """A cow side on, facing left; (x, y) the ground under its middle."""
    white, patch = rgb("f4efe4"), rgb("2a2226")
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(-s if flip else s, s)
    for lx in (-30, -18, 22, 34):
        ctx.rectangle(lx - 4, -36, 8, 36)
        art.fill_stroke(ctx, white, line=1.5)
    art.rounded_rect(ctx, -44, -78, 92, 46, 20)
    art.fill_stroke(ctx, white)
    ctx.save()
    art.rounded_rect(ctx, -44, -78, 92, 46, 20)
    ctx.clip()
    for px, py, r in ((-10, -70, 14), (28, -50, 12), (-34, -44, 9)):
        ctx.arc(px, py, r, 0, 2 * math.pi)
        ctx.set_source_rgb(*patch)
        ctx.fill()
    ctx.restore()
    ctx.save()
    ctx.translate(-56, -78)
    art.rounded_rect(ctx, -14, -12, 30, 34, 12)
    art.fill_stroke(ctx, white)
    ctx.save()
    ctx.translate(-4, 16)
    ctx.scale(1.2, 0.8)
    ctx.arc(0, 0, 10, 0, 2 * math.pi)
    ctx.restore()
    art.fill_stroke(ctx, rgb("e8a0a0"), line=1.5)
    for hx in (-10, 12):
        ctx.move_to(hx, -10)
        ctx.line_to(hx + (-8 if hx < 0 else 8), -20)
        ctx.set_source_rgb(*rgb("e8dcb8"))
        ctx.set_line_width(4)
        ctx.stroke()
    ctx.arc(-4, -2, 2.2, 0, 2 * math.pi)
    ctx.set_source_rgb(*OUTLINE)
    ctx.fill()
    ctx.restore()
    ctx.move_to(48, -70)
    ctx.curve_to(58, -60, 56, -40, 60, -30)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    ctx.restore()


def p_cow(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), seed=29)
    cow(ctx, w * 0.45, h * 0.95, 1.1)
    person(ctx, w * 0.82, h * 1.0, 1.0, "cowboy")
    speech(ctx, w * 0.3, h * 0.22, "Moo.", size=15, tail=(-10, 20))


def p_pink(ctx, w, h):
    room(ctx, w, h, int(h * 0.55), seed=30)
    person(ctx, w * 0.4, h * 1.0, 1.1, "pink", arms_up=(0.0, 1.0), hold={1: "f"})
    table(ctx, w * 0.66, h * 0.98, 1.3)
    person(ctx, w * 0.85, h * 0.72, 0.7, "dolly")


def p_survey(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.5), seed=31)
    facade(ctx, w * 0.55, h * 0.8, w * 0.45, h * 0.6)
    person(ctx, w * 0.15, h * 0.98, 0.95, "miner", arms_up=(1.0, 0.0))
    person(ctx, w * 0.48, h * 0.98, 0.95, "cowboy2", arms_up=(1.0, 0.0), flip=True)
    ctx.move_to(w * 0.15 + 16, h * 0.62)
    ctx.curve_to(w * 0.25, h * 0.7, w * 0.38, h * 0.7, w * 0.48 - 16, h * 0.62)
    ctx.set_source_rgb(*GREY)
    ctx.set_dash([4, 2])
    ctx.set_line_width(2.5)
    ctx.stroke()
    ctx.set_dash([])


def p_tracks(ctx, w, h):
    outdoors(ctx, w, h, "day", int(h * 0.5), seed=32)
    rails(ctx, 0, w, h * 0.7)
    train(ctx, w * 0.62, h * 0.7, 0.55)
    for i, who in enumerate(("miner", "cowboy", "miner")):
        person(ctx, w * (0.12 + 0.18 * i), h * 1.02, 0.9, who, arms_up=(1.0, 1.0))


def p_campaign(ctx, w, h):
    shellart.parchment(ctx, 0, 0, w, h, 33, colour=rgb("ecd9a8"), stains=5, torn=False)
    rng = random.Random(5)
    for i in range(12):
        x, y = rng.uniform(w * 0.1, w * 0.9), rng.uniform(h * 0.15, h * 0.85)
        if i % 3 == 0:
            art.star_path(ctx, x, y, 11, 5)
            art.fill_stroke(ctx, SUNSET_RED if i % 2 else rgb("3f6ab0"), line=1.2)
        else:
            ctx.arc(x, y, 5, 0, 2 * math.pi)
            art.fill_stroke(ctx, WOOD_DARK, line=1)
    ctx.move_to(w * 0.05, h * 0.6)
    ctx.curve_to(w * 0.3, h * 0.4, w * 0.6, h * 0.8, w * 0.95, h * 0.5)
    ctx.set_source_rgba(0.3, 0.5, 0.8, 0.7)
    ctx.set_line_width(4)
    ctx.stroke()
    western_text(ctx, "THE TERRITORY", w / 2, h * 0.12, 22, WOOD_DARK, line=0.5)


WEEK_SCENES = [p_first_customer, p_sweep, p_brawl, p_first_customer, p_vane_papers,
               p_thief, p_vane_arrives, p_open_for_business, p_poster, p_storm,
               p_stable, p_lantern, p_counting, p_foreman_poster, p_new_saloon,
               p_new_saloon, p_biscuit, p_cow, p_whisper, p_biscuit,
               p_guard, p_guard, p_open_for_business, p_undertaker, p_brawl,
               p_crystal, p_flying_mugs, p_pink, p_pink, p_guard,
               p_piano_arrives, p_piano_plays, p_survey, p_cow, p_news_railroad,
               p_deed, p_pay_vane, p_inspector_badge, p_tracks, p_brawl,
               p_showdown, p_deed, p_foreman_poster, p_tracks, p_grand_opening]
PRE_W, PRE_H = 228, 166


def week_picture(draw, week):
    """A week's picture: the scene drawn at page size and scaled down into a small panel, with
    the week's number on a brass plate."""
    big_w, big_h = 342, 249
    big = panel(big_w, big_h, draw)
    s, ctx = art.surface(PRE_W, PRE_H)
    ctx.scale(PRE_W / float(big_w), PRE_H / float(big_h))
    ctx.set_source_surface(big, 0, 0)
    ctx.paint()
    if week is not None:
        ctx.identity_matrix()
        art.rounded_rect(ctx, PRE_W - 44, PRE_H - 28, 38, 22, 5)
        art.fill_stroke(ctx, brass_gradient(PRE_H - 28, PRE_H - 6), line=1.5)
        western_text(ctx, str(week + 1), PRE_W - 25, PRE_H - 11, 16, WOOD_DARK, line=0.4,
                     squeeze=1.0)
    return s


# ---- the story screens' own pictures --------------------------------------------------------

def draw_storyback():
    """The page background, tiled over the screen: old paper with a faint, seamless mottle."""
    size = 200
    s, ctx = art.surface(size, size)
    noise = art.PeriodicNoise(44, size, size, waves=14, max_freq=5)
    base, dark = rgb("e6d3a4"), rgb("c9ad74")
    data = s.get_data()
    stride = s.get_stride()
    for y in range(size):
        for x in range(size):
            v = 0.5 + 0.5 * noise(x, y)
            r, g, b = mix(base, dark, v * 0.6)
            i = y * stride + x * 4
            data[i] = int(b * 255)
            data[i + 1] = int(g * 255)
            data[i + 2] = int(r * 255)
            data[i + 3] = 255
    s.mark_dirty()
    return s


def draw_white():
    s, ctx = art.surface(200, 200)
    ctx.set_source_rgb(1, 1, 1)
    ctx.paint()
    return s


def draw_epitaph():
    """The town newspaper laid on the bar: the masthead at the top, a band at y 100 for the
    week's line, and three columns of text in the box (97, 130) - (690, 575)."""
    s, ctx = art.surface(800, 600)
    art.wood_grain(ctx, 0, 0, 800, 600, rgb("6a3a1a"), 45, period=100, strength=0.25)
    ctx.set_source_rgba(0, 0, 0, 0.25)
    ctx.rectangle(82, 12, 640, 590)
    ctx.fill()
    shellart.parchment(ctx, 74, 4, 640, 596, 46, colour=rgb("f0e8d0"), stains=5, torn=True)
    western_text(ctx, "The Dustbowl Epitaph", 394, 70, 54, INK, line=0.4, outline=INK,
                 squeeze=0.9)
    shellart.plain_text(ctx, "EVERY TOMBSTONE HAS A STORY - READ OURS FIRST", 394, 88, 10, INK,
                        bold=True)
    for y in (94, 97, 124, 127):
        ctx.move_to(92, y)
        ctx.line_to(696, y)
        ctx.set_source_rgb(*INK)
        ctx.set_line_width(1.0 if y in (97, 124) else 2.0)
        ctx.stroke()
    shellart.plain_text(ctx, "Price: 5 cents", 150, 116, 11, INK)
    shellart.plain_text(ctx, "Dustbowl, Territory", 640, 116, 11, INK)
    return s


def draw_youarehere():
    """The marker under the chapter row: a brass pointer with a small tag."""
    w, h = 78, 42
    s, ctx = art.surface(w, h)
    cx = w / 2.0
    ctx.move_to(cx, 2)
    ctx.line_to(cx + 10, 15)
    ctx.line_to(cx - 10, 15)
    ctx.close_path()
    art.fill_stroke(ctx, BRASS, line=1.5)
    art.rounded_rect(ctx, 3, 15, w - 6, 24, 6)
    art.fill_stroke(ctx, brass_gradient(15, 39), line=1.5)
    western_text(ctx, "You are here", cx, 32, 13, WOOD_DARK, line=0.3, squeeze=0.85)
    return s


def draw_boton(state):
    size = 48
    s, ctx = art.surface(size, size)
    c = size / 2.0
    if state == "high":
        ctx.arc(c, c, 23, 0, 2 * math.pi)
        ctx.set_source_rgba(*BRASS_LIGHT, 0.8)
        ctx.fill()
    ctx.arc(c, c, 20, 0, 2 * math.pi)
    if state == "disabled":
        fill = art.vertical_gradient(4, 44, [(0, rgb("c8c0b0")), (1, rgb("8a8478"))])
    elif state == "high":
        fill = art.vertical_gradient(4, 44, [(0, CREAM), (0.5, BRASS_LIGHT), (1, BRASS)])
    else:
        fill = brass_gradient(4, 44)
    art.fill_stroke(ctx, fill)
    ctx.arc(c, c, 16, 0, 2 * math.pi)
    ctx.set_source_rgba(*OUTLINE, 0.35)
    ctx.set_line_width(1.2)
    ctx.stroke()
    return s


def draw_symbol(kind):
    """The viewer buttons' symbols, drawn in the dark ink with a light edge."""
    size = 26
    s, ctx = art.surface(size, size)
    c = size / 2.0
    if kind == "previous":
        for dx in (0, 9):
            ctx.move_to(4 + dx, c)
            ctx.line_to(13 + dx, c - 8)
            ctx.line_to(13 + dx, c + 8)
            ctx.close_path()
    elif kind == "next":
        for dx in (0, 9):
            ctx.move_to(22 - dx, c)
            ctx.line_to(13 - dx, c - 8)
            ctx.line_to(13 - dx, c + 8)
            ctx.close_path()
    elif kind == "stop":
        ctx.rectangle(6, 6, 14, 14)
    else:   # play the story from here
        ctx.move_to(8, 4)
        ctx.line_to(22, c)
        ctx.line_to(8, 22)
        ctx.close_path()
    path = ctx.copy_path()
    ctx.set_source_rgb(*CREAM)
    ctx.set_line_width(3)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()
    ctx.append_path(path)
    ctx.set_source_rgb(*WOOD_DARK)
    ctx.fill()
    return s


def draw_engraving(draw, w=136, h=90):
    """A small sepia picture for the newspaper's columns."""
    s, ctx = art.surface(w, h)
    draw(ctx, w, h)
    ctx.set_operator(cairo.OPERATOR_HSL_COLOR)
    ctx.set_source_rgb(*rgb("8a6a40"))
    ctx.paint()
    ctx.set_operator(cairo.OPERATOR_OVER)
    ctx.rectangle(0.5, 0.5, w - 1, h - 1)
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(1)
    ctx.stroke()
    return s


def scaled(draw, w0, h0):
    def inner(ctx, w, h):
        ctx.save()
        ctx.scale(w / float(w0), h / float(h0))
        draw(ctx, w0, h0)
        ctx.restore()
    return inner


ENGRAVINGS = {
    "ep_saloon": p_new_saloon,
    "ep_fire": p_blaze,
    "ep_train": p_tracks,
    "ep_cow": p_cow,
}


def generate(out_dir, src_dir, args):
    what = set(args[0].split("+")) if args else {"pages", "prelevel"}
    if "prelevel" in what:
        for week, draw in enumerate(WEEK_SCENES):
            save(week_picture(draw, week), out_dir, "prelevel%d" % week)
        save(week_picture(p_campaign, None), out_dir, "prelevelcampaign")
    if "pages" in what:
        for name, (w, h, draw) in PAGES.items():
            save(panel(w, h, draw), out_dir, name)
        save(draw_storyback(), out_dir, "storyback")
        save(draw_white(), out_dir, "white200x200")
        save(draw_epitaph(), out_dir, "epitaph")
        save(draw_youarehere(), out_dir, "youarehere")
        save(draw_boton("normal"), out_dir, "boton1")
        save(draw_boton("high"), out_dir, "boton1_high")
        save(draw_boton("disabled"), out_dir, "boton1_disabled")
        for kind in ("previous", "stop", "next", "playstory"):
            save(draw_symbol(kind), out_dir, "text_" + kind)
        for name, draw in ENGRAVINGS.items():
            save(draw_engraving(scaled(draw, 340, 225)), out_dir, name)
