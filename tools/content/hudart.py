"""The saloon day's heads-up display and the level's own pictures: the cash bag at its ten fill
levels, the clock (a brass rim laid over 21 dial faces whose shaded sector and hand show how much
of the day has gone), the telekinesis gauge and its crystal button, the menu button, the wooden
mouldings and screen borders, the big centred texts, the numbered queue markers, the tutorial's
pointing hand, and the one-time tips' pointers and balloon.

    hudart

Sizes follow the places the level puts them on the 800 x 600 screen: the bag centred at
(765, 30), the clock centred at (35, 43), the gauge and its button bottom-centred at (400, 600),
the lower moulding between the two hand pictures at (305, 585) and (495, 585), the menu button
bottom-centred at (700, 598), the big texts centred at (400, 500).
"""

import math

import cairo

import art
from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, FELT_GREEN, FELT_LIGHT, OUTLINE,
                 PARCHMENT, PARCHMENT_DARK, SUNSET_RED, WOOD, WOOD_DARK, WOOD_LIGHT, mix, rgb,
                 save)
import shellart
from shellart import brass_gradient, nail, western_text, wooden_board

SACK = rgb("c9a46a")
SACK_DARK = rgb("8f6a3a")
GOLD = rgb("f2c744")
VIOLET = rgb("8a4fd0")
VIOLET_LIGHT = rgb("d9b8ff")
TEAL = rgb("3fc0b0")


# ---- the cash bag ---------------------------------------------------------------------------

BAG_W, BAG_H = 72, 64


def coin(ctx, x, y, r):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(1.0, 0.55)
    ctx.arc(0, 0, r, 0, 2 * math.pi)
    ctx.restore()
    g = cairo.LinearGradient(x, y - r, x, y + r)
    g.add_color_stop_rgb(0, *BRASS_LIGHT)
    g.add_color_stop_rgb(1, *BRASS_DARK)
    art.fill_stroke(ctx, g, line=1.2)


def draw_bag(n):
    """Fill level n (0..9): the sack swells from a limp, folded bag to a bulging one with coins
    spilling over its tied neck."""
    s, ctx = art.surface(BAG_W, BAG_H)
    k = n / 9.0
    cx, base = BAG_W / 2.0, BAG_H - 4
    half = 13 + 14 * k            # half width of the belly
    belly_h = 22 + 16 * k
    neck_y = base - belly_h - 6
    # Shadow on the shelf.
    ctx.save()
    ctx.translate(cx, base + 1)
    ctx.scale(1.0, 0.22)
    ctx.arc(0, 0, half + 4, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source_rgba(0, 0, 0, 0.3)
    ctx.fill()
    # Belly.
    ctx.move_to(cx - 6, neck_y + 4)
    ctx.curve_to(cx - half - 2, neck_y + belly_h * 0.35, cx - half - 3, base, cx - half * 0.5, base)
    ctx.line_to(cx + half * 0.5, base)
    ctx.curve_to(cx + half + 3, base, cx + half + 2, neck_y + belly_h * 0.35, cx + 6, neck_y + 4)
    ctx.close_path()
    g = cairo.LinearGradient(cx - half, 0, cx + half, 0)
    g.add_color_stop_rgb(0, *mix(SACK, CREAM, 0.25))
    g.add_color_stop_rgb(0.55, *SACK)
    g.add_color_stop_rgb(1, *SACK_DARK)
    art.fill_stroke(ctx, g)
    # Creases on a limp bag, a highlight on a full one.
    ctx.set_source_rgba(*SACK_DARK, 0.8 * (1 - k))
    ctx.set_line_width(1.2)
    for dx in (-5, 4):
        ctx.move_to(cx + dx, neck_y + 8)
        ctx.curve_to(cx + dx * 1.6, neck_y + 16, cx + dx * 1.2, base - 10, cx + dx * 2, base - 3)
    ctx.stroke()
    ctx.set_source_rgba(1, 1, 0.9, 0.25 + 0.3 * k)
    ctx.save()
    ctx.translate(cx - half * 0.45, neck_y + belly_h * 0.45)
    ctx.scale(0.35, 1.0)
    ctx.arc(0, 0, belly_h * 0.25, 0, 2 * math.pi)
    ctx.restore()
    ctx.fill()
    # The dollar sign stamped on the sack, bolder as it fills.
    size = 15 + 9 * k
    western_text(ctx, "$", cx + 1, base - belly_h * 0.28, size, mix(SACK_DARK, rgb("3a6a30"), k),
                 line=0.8, squeeze=1.0, outline=mix(SACK_DARK, OUTLINE, 0.5))
    # Coins over the neck from level 5 on.
    if n >= 5:
        spots = [(-7, 1), (6, 0), (0, -4), (-12, -2), (11, -3), (-4, -8), (5, -9)][:n - 3]
        for dx, dy in spots:
            coin(ctx, cx + dx, neck_y + dy, 5.5)
    # The tied neck and its cord.
    ctx.move_to(cx - 7, neck_y + 6)
    ctx.line_to(cx - 9, neck_y - 3 if n < 5 else neck_y + 1)
    ctx.line_to(cx + 9, neck_y - 3 if n < 5 else neck_y + 1)
    ctx.line_to(cx + 7, neck_y + 6)
    ctx.close_path()
    art.fill_stroke(ctx, mix(SACK, SACK_DARK, 0.3), line=1.5)
    ctx.rectangle(cx - 8, neck_y + 3, 16, 4)
    art.fill_stroke(ctx, SUNSET_RED, line=1.2)
    if n == 9:
        # A glint: the goal is near or reached.
        art.star_path(ctx, cx + half - 2, neck_y + 2, 7, 2.2, points=4, rotation=0)
        ctx.set_source_rgb(1, 1, 0.85)
        ctx.fill()
    return s


# ---- the clock ------------------------------------------------------------------------------

CLOCK = 76
CLOCK_R = 30


def draw_clock_face(n):
    """Dial n of 0..20: the part of the day that has gone is shaded in sunset red and the hand
    points at it (a day is one turn)."""
    s, ctx = art.surface(CLOCK, CLOCK)
    c = CLOCK / 2.0
    ctx.arc(c, c, CLOCK_R, 0, 2 * math.pi)
    g = cairo.RadialGradient(c - 8, c - 8, 2, c, c, CLOCK_R)
    g.add_color_stop_rgb(0, *mix(PARCHMENT, CREAM, 0.6))
    g.add_color_stop_rgb(1, *PARCHMENT_DARK)
    ctx.set_source(g)
    ctx.fill()
    angle = -math.pi / 2 + 2 * math.pi * n / 20.0
    if n > 0:
        ctx.move_to(c, c)
        ctx.arc(c, c, CLOCK_R - 3, -math.pi / 2, angle)
        ctx.close_path()
        late = n >= 17
        ctx.set_source_rgba(*(SUNSET_RED if late else rgb("d9822b")), 0.55)
        ctx.fill()
    # Hour ticks: twenty, every fifth bold.
    for i in range(20):
        a = -math.pi / 2 + 2 * math.pi * i / 20.0
        r0 = CLOCK_R - (7 if i % 5 == 0 else 4)
        ctx.move_to(c + r0 * math.cos(a), c + r0 * math.sin(a))
        ctx.line_to(c + (CLOCK_R - 1) * math.cos(a), c + (CLOCK_R - 1) * math.sin(a))
        ctx.set_line_width(2.2 if i % 5 == 0 else 1.0)
        ctx.set_source_rgb(*OUTLINE)
        ctx.stroke()
    # The hand: a black arrow with a brass counterweight.
    ca, sa = math.cos(angle), math.sin(angle)
    px, py = -sa, ca
    tip = (c + ca * (CLOCK_R - 5), c + sa * (CLOCK_R - 5))
    tail = (c - ca * 8, c - sa * 8)
    ctx.move_to(*tip)
    ctx.line_to(c + px * 3.2, c + py * 3.2)
    ctx.line_to(*tail)
    ctx.line_to(c - px * 3.2, c - py * 3.2)
    ctx.close_path()
    art.fill_stroke(ctx, rgb("1e1612"), line=1.0, outline=OUTLINE)
    return s


def draw_clock_rim():
    """The rim laid over the dial: brass ring, glass glint, centre pin, the bell on top."""
    s, ctx = art.surface(CLOCK, CLOCK)
    c = CLOCK / 2.0
    # Bell and ring on top.
    ctx.arc(c, 4.5, 3.5, 0, 2 * math.pi)
    art.fill_stroke(ctx, BRASS, line=1.2)
    ctx.arc(c, c, CLOCK_R + 5, 0, 2 * math.pi)
    ctx.arc_negative(c, c, CLOCK_R, 2 * math.pi, 0)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.set_source(brass_gradient(c - CLOCK_R - 5, c + CLOCK_R + 5))
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    for r in (CLOCK_R + 5, CLOCK_R):
        ctx.arc(c, c, r, 0, 2 * math.pi)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(2.0 if r > CLOCK_R else 1.2)
        ctx.stroke()
    # Glass glint.
    ctx.arc(c, c, CLOCK_R - 5, math.pi * 1.1, math.pi * 1.45)
    ctx.set_source_rgba(1, 1, 1, 0.55)
    ctx.set_line_width(3)
    ctx.stroke()
    art.rivet(ctx, c, c, 3.2)
    return s


# ---- telekinesis ----------------------------------------------------------------------------

TK_W, TK_H = 200, 80
TUBE = (14, 6, 172, 18)     # x, y, w, h of the gauge's glass tube


def tube_path(ctx, inset=0.0):
    x, y, w, h = TUBE
    art.rounded_rect(ctx, x + inset, y + inset, w - 2 * inset, h - 2 * inset, h / 2.0 - inset)


def draw_tk_frame(ready):
    """The gauge: a glass tube between two brass caps; lit round its rim when charged."""
    s, ctx = art.surface(TK_W, TK_H)
    x, y, w, h = TUBE
    if ready:
        tube_path(ctx, -3)
        ctx.set_source_rgba(*VIOLET_LIGHT, 0.7)
        ctx.set_line_width(6)
        ctx.stroke()
    tube_path(ctx)
    ctx.set_source(art.vertical_gradient(y, y + h, [(0, rgb("2a2030")), (1, rgb("46384e"))]))
    ctx.fill_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    for cx in (x - 2, x + w + 2):
        art.rounded_rect(ctx, cx - 9, y - 4, 18, h + 8, 5)
        art.fill_stroke(ctx, brass_gradient(y - 4, y + h + 4))
        art.rivet(ctx, cx, y + h / 2.0, 2.5)
    # Scale marks.
    for i in range(1, 10):
        mx = x + w * i / 10.0
        ctx.move_to(mx, y + h - 5)
        ctx.line_to(mx, y + h - 1.5)
        ctx.set_source_rgba(*PARCHMENT, 0.55)
        ctx.set_line_width(1)
        ctx.stroke()
    return s


def draw_tk_fluid(colour, light):
    """The fluid in the tube (the level cuts it from the left): only the tube's inside is
    painted, so it lies exactly over the frame."""
    s, ctx = art.surface(TK_W, TK_H)
    x, y, w, h = TUBE
    tube_path(ctx, 2.5)
    ctx.set_source(art.vertical_gradient(y, y + h, [(0, light), (0.4, colour),
                                                    (1, mix(colour, OUTLINE, 0.45))]))
    ctx.fill()
    # Bubbles and a glint along the top.
    for i, bx in enumerate(range(int(x) + 14, int(x + w) - 8, 23)):
        ctx.arc(bx, y + 6 + (i % 3) * 2.5, 1.6 + (i % 2), 0, 2 * math.pi)
        ctx.set_source_rgba(1, 1, 1, 0.45)
        ctx.fill()
    ctx.rectangle(x + 6, y + 4, w - 12, 2)
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.fill()
    return s


TKB_W, TKB_H = 64, 58


def draw_tk_button(state):
    """The crystal ball in its brass claw: normal, pushed (sunk and darker), light (glowing),
    disabled (clouded grey)."""
    s, ctx = art.surface(TKB_W, TKB_H)
    cx = TKB_W / 2.0
    dy = 2 if state == "pushed" else 0
    # The claw stand.
    ctx.move_to(cx - 22, TKB_H - 2)
    ctx.line_to(cx + 22, TKB_H - 2)
    ctx.line_to(cx + 14, TKB_H - 14)
    ctx.line_to(cx - 14, TKB_H - 14)
    ctx.close_path()
    art.fill_stroke(ctx, brass_gradient(TKB_H - 14, TKB_H - 2))
    ball_c, r = (cx, 25 + dy), 20
    if state == "light":
        g = cairo.RadialGradient(ball_c[0], ball_c[1], r * 0.5, ball_c[0], ball_c[1], r + 9)
        g.add_color_stop_rgba(0, *VIOLET_LIGHT, 0.9)
        g.add_color_stop_rgba(1, *VIOLET_LIGHT, 0.0)
        ctx.set_source(g)
        ctx.arc(ball_c[0], ball_c[1], r + 9, 0, 2 * math.pi)
        ctx.fill()
    base = {"normal": VIOLET, "pushed": mix(VIOLET, OUTLINE, 0.3), "light": mix(VIOLET, CREAM, 0.2),
            "disabled": rgb("7d7686")}[state]
    ctx.arc(ball_c[0], ball_c[1], r, 0, 2 * math.pi)
    g = cairo.RadialGradient(ball_c[0] - 7, ball_c[1] - 8, 2, ball_c[0], ball_c[1], r)
    g.add_color_stop_rgb(0, *mix(base, CREAM, 0.75))
    g.add_color_stop_rgb(0.45, *base)
    g.add_color_stop_rgb(1, *mix(base, OUTLINE, 0.5))
    art.fill_stroke(ctx, g)
    if state != "disabled":
        # A little swirl of power inside.
        ctx.set_source_rgba(1, 1, 1, 0.7)
        ctx.set_line_width(1.6)
        ctx.arc(ball_c[0] + 2, ball_c[1] + 2, 8, 0.3, 3.8)
        ctx.stroke()
        art.star_path(ctx, ball_c[0] + 2, ball_c[1] + 2, 4.5, 1.5, points=4, rotation=0)
        ctx.fill()
    # Claw fingers holding the ball.
    for side in (-1, 1):
        ctx.move_to(cx + side * 12, TKB_H - 13)
        ctx.curve_to(cx + side * 22, TKB_H - 18, cx + side * 22, ball_c[1] + 8,
                     cx + side * 17, ball_c[1] + 2)
        ctx.set_line_width(6)
        ctx.set_source_rgb(*OUTLINE)
        ctx.stroke_preserve()
        ctx.set_line_width(3.5)
        ctx.set_source_rgb(*BRASS)
        ctx.stroke()
    return s


# ---- menu button and mouldings --------------------------------------------------------------

def draw_menu_button(state):
    w, h = 92, 34
    s, ctx = art.surface(w, h)
    dy = 1 if state == "pushed" else 0
    art.rounded_rect(ctx, 3, 3 + dy, w - 6, h - 6, 8)
    if state == "pushed":
        fill = art.vertical_gradient(3, h - 3, [(0, BRASS_DARK), (1, BRASS)])
    elif state == "highlight":
        fill = art.vertical_gradient(3, h - 3, [(0, CREAM), (0.5, BRASS_LIGHT), (1, BRASS)])
    else:
        fill = brass_gradient(3, h - 3)
    if state == "highlight":
        ctx.save()
        ctx.set_source_rgba(*BRASS_LIGHT, 0.8)
        ctx.set_line_width(5)
        ctx.stroke_preserve()
        ctx.restore()
    art.fill_stroke(ctx, fill)
    for x in (11, w - 11):
        art.rivet(ctx, x, h / 2.0 + dy, 2.2)
    western_text(ctx, "MENU", w / 2.0, h / 2.0 + 7 + dy, 19,
                 SUNSET_RED if state == "highlight" else WOOD_DARK, line=0.9, squeeze=0.9,
                 outline=OUTLINE)
    return s


def draw_mold_menu():
    w, h = 120, 44
    s, ctx = art.surface(w, h)
    wooden_board(ctx, 2, 6, w - 4, h - 6, WOOD, 401)
    for x in (9, w - 9):
        nail(ctx, x, 14)
    return s


def draw_mold_d():
    """The counter-top ledge along the bottom of the screen: two brass dishes for what the
    heroine holds in each hand, and the seat of the telekinesis gauge between them."""
    w, h = 320, 60
    s, ctx = art.surface(w, h)
    ctx.move_to(0, h)
    ctx.curve_to(10, 24, 30, 18, 60, 16)
    ctx.line_to(w - 60, 16)
    ctx.curve_to(w - 30, 18, w - 10, 24, w, h)
    ctx.close_path()
    path = ctx.copy_path()
    ctx.save()
    ctx.clip()
    art.wood_grain(ctx, 0, 0, w, h, WOOD, 402, period=80)
    shade = art.vertical_gradient(16, h, [(0, WOOD_LIGHT), (1, WOOD_DARK)])
    ctx.set_source(shade)
    ctx.paint_with_alpha(0.35)
    ctx.restore()
    ctx.append_path(path)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    # Brass trim along the top.
    ctx.move_to(60, 18)
    ctx.line_to(w - 60, 18)
    ctx.set_line_width(3)
    ctx.set_source_rgb(*BRASS)
    ctx.stroke()
    # The two dishes, under the hand pictures at x 65 and 255.
    for dx in (65, 255):
        ctx.save()
        ctx.translate(dx, 46)
        ctx.scale(1.0, 0.42)
        ctx.arc(0, 0, 28, 0, 2 * math.pi)
        ctx.restore()
        art.fill_stroke(ctx, brass_gradient(34, 58))
        ctx.save()
        ctx.translate(dx, 45)
        ctx.scale(1.0, 0.42)
        ctx.arc(0, 0, 20, 0, 2 * math.pi)
        ctx.restore()
        ctx.set_source_rgb(*BRASS_DARK)
        ctx.fill()
    for x in (40, 120, 200, 280):
        nail(ctx, x, 26, 1.8)
    return s


def draw_mold_i():
    """The top corner bracket behind the cash bag (and, mirrored, behind the clock): a carved
    board with a curled lower edge."""
    w, h = 132, 88
    s, ctx = art.surface(w, h)
    ctx.move_to(0, 0)
    ctx.line_to(w, 0)
    ctx.line_to(w, h)
    ctx.curve_to(w - 10, h - 22, w - 36, h - 30, w - 58, h - 26)
    ctx.curve_to(w - 74, h - 24, w - 78, h - 44, w - 92, h - 48)
    ctx.curve_to(w - 108, h - 52, w - 118, h - 64, w - 120, h - 74)
    ctx.curve_to(w - 122, h - 80, 6, 14, 0, 0)
    ctx.close_path()
    path = ctx.copy_path()
    ctx.save()
    ctx.clip()
    art.wood_grain(ctx, 0, 0, w, h, WOOD, 403, period=90)
    ctx.set_source(art.vertical_gradient(0, h, [(0, WOOD_LIGHT), (1, WOOD_DARK)]))
    ctx.paint_with_alpha(0.3)
    ctx.restore()
    ctx.append_path(path)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    # An inner brass bead following the edge.
    ctx.move_to(w - 6, h - 12)
    ctx.curve_to(w - 20, h - 30, w - 40, h - 36, w - 60, h - 34)
    ctx.curve_to(w - 80, h - 32, w - 84, h - 52, w - 100, h - 56)
    ctx.set_source_rgb(*BRASS)
    ctx.set_line_width(2)
    ctx.stroke()
    nail(ctx, w - 12, 10)
    nail(ctx, w - 112, 10)
    return s


def draw_border(kind):
    """Screen borders: a dark wooden lath with a brass line, tiling along its length; the
    corner is a brass-capped block."""
    if kind == "v":
        w, h = 8, 64
    elif kind == "h":
        w, h = 64, 8
    else:
        w, h = 22, 22
    s, ctx = art.surface(w, h)
    if kind == "e":
        art.rounded_rect(ctx, 1, 1, w - 2, h - 2, 4)
        art.fill_stroke(ctx, brass_gradient(1, h - 1), line=1.5)
        art.rivet(ctx, w / 2.0, h / 2.0, 3.5)
        return s
    along_x = kind == "h"
    art.wood_grain(ctx, 0, 0, w, h, WOOD_DARK, 404, along_x=along_x, period=64, strength=0.3)
    ctx.set_source_rgb(*OUTLINE)
    if along_x:
        ctx.rectangle(0, 0, w, 1.5)
        ctx.rectangle(0, h - 1.5, w, 1.5)
        ctx.fill()
        ctx.rectangle(0, 3.5, w, 1.2)
    else:
        ctx.rectangle(0, 0, 1.5, h)
        ctx.rectangle(w - 1.5, 0, 1.5, h)
        ctx.fill()
        ctx.rectangle(3.5, 0, 1.2, h)
    ctx.set_source_rgb(*BRASS)
    ctx.fill()
    return s


# ---- big texts, markers, pointers -----------------------------------------------------------

def draw_big_text(text, fill, sub_colour):
    size = 64
    probe, pctx = art.surface(10, 10)
    w = int(shellart.text_width(pctx, text, size, squeeze=0.86)) + 44
    h = 92
    s, ctx = art.surface(w, h)
    western_text(ctx, text, w / 2.0, 68, size, fill, line=4.0, squeeze=0.86,
                 shadow=(4, 5))
    # A thin highlight across the letters' upper half.
    ctx.save()
    ctx.rectangle(0, 0, w, 44)
    ctx.clip()
    western_text(ctx, text, w / 2.0, 68, size, art.vertical_gradient(
        20, 68, [(0, (1, 1, 0.9)), (1, sub_colour)]), line=0.0, squeeze=0.86)
    ctx.restore()
    return s


def draw_marker(label, colour):
    """A brass-rimmed pin that stands on the floor where a click waits."""
    w, h = 34, 46
    s, ctx = art.surface(w, h)
    cx = w / 2.0
    ctx.save()
    ctx.translate(cx, h - 4)
    ctx.scale(1.0, 0.35)
    ctx.arc(0, 0, 9, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source_rgba(0, 0, 0, 0.35)
    ctx.fill()
    ctx.move_to(cx, h - 4)
    ctx.line_to(cx - 9, 24)
    ctx.line_to(cx + 9, 24)
    ctx.close_path()
    art.fill_stroke(ctx, BRASS_DARK, line=1.5)
    ctx.arc(cx, 16, 14, 0, 2 * math.pi)
    g = cairo.RadialGradient(cx - 4, 11, 1, cx, 16, 14)
    g.add_color_stop_rgb(0, *mix(colour, CREAM, 0.5))
    g.add_color_stop_rgb(1, *colour)
    art.fill_stroke(ctx, g)
    ctx.arc(cx, 16, 11, 0, 2 * math.pi)
    ctx.set_source_rgb(*BRASS_LIGHT)
    ctx.set_line_width(1.5)
    ctx.stroke()
    western_text(ctx, label, cx, 24, 20, CREAM, line=1.6, squeeze=0.95)
    return s


def draw_finger():
    """The tutorial's pointing hand: a white glove, the index finger pointing down."""
    w, h = 56, 78
    s, ctx = art.surface(w, h)
    glove = rgb("fbf6ea")
    # Cuff.
    art.rounded_rect(ctx, 14, 2, 30, 13, 4)
    art.fill_stroke(ctx, SUNSET_RED)
    # The index finger, under the palm.
    art.rounded_rect(ctx, 17, 30, 15, 45, 7.5)
    art.fill_stroke(ctx, glove, line=2.2)
    ctx.move_to(20, 64)
    ctx.line_to(29, 64)
    ctx.set_source_rgba(*OUTLINE, 0.5)
    ctx.set_line_width(1)
    ctx.stroke()
    # Palm with the folded fingers to the right of the index.
    ctx.move_to(13, 14)
    ctx.line_to(45, 14)
    ctx.curve_to(50, 24, 50, 34, 46, 42)
    ctx.line_to(31, 42)
    ctx.line_to(31, 34)
    ctx.line_to(18, 34)
    ctx.curve_to(12, 30, 11, 20, 13, 14)
    ctx.close_path()
    art.fill_stroke(ctx, glove, line=2.2)
    for x in (36, 43):
        ctx.arc(x - 2, 42, 4.5, 0, math.pi)
        art.fill_stroke(ctx, glove, line=1.6)
    ctx.rectangle(40, 18, 5, 18)
    ctx.set_source_rgba(*PARCHMENT_DARK, 0.5)
    ctx.fill()
    # The thumb, folded across.
    ctx.move_to(13, 22)
    ctx.curve_to(6, 26, 8, 34, 18, 32)
    art.fill_stroke(ctx, glove, line=1.8)
    return s


def draw_excl():
    """The tips' vertical pointer: a green arrow pointing down, an exclamation mark on it."""
    w, h = 44, 58
    s, ctx = art.surface(w, h)
    cx = w / 2.0
    ctx.move_to(cx - 11, 3)
    ctx.line_to(cx + 11, 3)
    ctx.line_to(cx + 11, 30)
    ctx.line_to(cx + 20, 30)
    ctx.line_to(cx, h - 3)
    ctx.line_to(cx - 20, 30)
    ctx.line_to(cx - 11, 30)
    ctx.close_path()
    art.fill_stroke(ctx, art.vertical_gradient(3, h, [(0, FELT_LIGHT), (1, FELT_GREEN)]),
                    line=2.2)
    western_text(ctx, "!", cx, 33, 26, CREAM, line=1.5, squeeze=1.0)
    return s


def draw_arrow_h():
    """The tips' sideways pointer: a green arrow pointing left."""
    w, h = 58, 40
    s, ctx = art.surface(w, h)
    cy = h / 2.0
    ctx.move_to(3, cy)
    ctx.line_to(26, 3)
    ctx.line_to(26, cy - 9)
    ctx.line_to(w - 3, cy - 9)
    ctx.line_to(w - 3, cy + 9)
    ctx.line_to(26, cy + 9)
    ctx.line_to(26, h - 3)
    ctx.close_path()
    art.fill_stroke(ctx, art.vertical_gradient(3, h, [(0, FELT_LIGHT), (1, FELT_GREEN)]),
                    line=2.2)
    ctx.rectangle(30, cy - 6, w - 38, 3)
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.fill()
    return s


def draw_balloon():
    """The tips' speech balloon: a parchment card with a brass-studded border; the tip's text
    is written inside, 15 pixels from each edge."""
    w, h = 300, 128
    s, ctx = art.surface(w, h)
    art.rounded_rect(ctx, 4, 4, w - 8, h - 8, 16)
    ctx.set_source_rgba(0, 0, 0, 0.25)
    ctx.save()
    ctx.translate(2, 3)
    ctx.fill()
    ctx.restore()
    art.rounded_rect(ctx, 3, 3, w - 8, h - 8, 16)
    g = art.vertical_gradient(3, h, [(0, mix(PARCHMENT, CREAM, 0.6)), (1, PARCHMENT)])
    art.fill_stroke(ctx, g, line=2.5)
    art.rounded_rect(ctx, 8, 8, w - 18, h - 18, 12)
    ctx.set_source_rgba(*PARCHMENT_DARK, 0.9)
    ctx.set_line_width(1.2)
    ctx.set_dash([5, 3])
    ctx.stroke()
    ctx.set_dash([])
    for x, y in ((10, 10), (w - 15, 10), (10, h - 15), (w - 15, h - 15)):
        art.rivet(ctx, x + 1, y + 1, 2.6)
    return s


def generate(out_dir, src_dir, args):
    for n in range(10):
        save(draw_bag(n), out_dir, "bolsa_%d" % n)
    save(draw_clock_rim(), out_dir, "clock")
    for n in range(21):
        save(draw_clock_face(n), out_dir, "clock_%d" % n)
    save(draw_tk_frame(False), out_dir, "telek_b_frame")
    save(draw_tk_frame(True), out_dir, "telek_b_empty")
    save(draw_tk_fluid(VIOLET, VIOLET_LIGHT), out_dir, "telek_b_carga")
    save(draw_tk_fluid(TEAL, rgb("c8fff4")), out_dir, "telek_b_full")
    for state in ("normal", "pushed", "light", "disabled"):
        save(draw_tk_button(state), out_dir, "telek_" + state)
    for state in ("normal", "pushed", "highlight"):
        save(draw_menu_button(state), out_dir, "menu_" + state)
    save(draw_mold_d(), out_dir, "mold_d")
    save(draw_mold_i(), out_dir, "mold_i")
    save(draw_mold_menu(), out_dir, "mold_menu")
    for kind in ("v", "h", "e"):
        save(draw_border(kind), out_dir, "borde_" + kind)
    save(draw_big_text("Hurry Up!", rgb("f2b045"), rgb("f08a2a")), out_dir, "text_hurryup")
    save(draw_big_text("Saloon Closed", rgb("e05a45"), SUNSET_RED), out_dir, "text_saloonclosed")
    save(draw_big_text("Goal Reached!", rgb("8fd46a"), FELT_GREEN), out_dir, "text_goalreached")
    save(draw_marker("1", SUNSET_RED), out_dir, "queued_1")
    for n in range(2, 6):
        save(draw_marker(str(n), rgb("3a6a90")), out_dir, "queued_%d" % n)
    save(draw_marker("+", GREY_DARK), out_dir, "queued_extra")
    save(draw_finger(), out_dir, "tutorial_dedo")
    save(draw_excl(), out_dir, "excl_verde")
    save(draw_arrow_h(), out_dir, "flecha_h")
    save(draw_balloon(), out_dir, "globo_feature")


GREY_DARK = art.GREY_DARK
