"""Props and effects of the saloon: the mug and its HUD pictures, speech balloons, the ask
marker, the thrown bottle, the shoot hint, the fading texts (pay, rewards, robbery), the flying
bucks, the cash digits and the wanted poster's frame."""

import math
import os

import cairo

import figure as F
from art import (BRASS, CREAM, OUTLINE, PARCHMENT, PARCHMENT_DARK, SUNSET_RED, FELT_GREEN,
                 rgb, rounded_rect, fill_stroke, text_outlined)
from critters import Script

FILL = {0: "e", 1: "l", 2: "h", 3: "f"}


def pic(w, h):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    ctx = cairo.Context(s)
    ctx.set_antialias(cairo.ANTIALIAS_GOOD)
    return s, ctx


def save(s, out_dir, name):
    s.write_to_png(os.path.join(out_dir, name + ".png"))


def mug(out_dir):
    sc = Script(out_dir, "mug")
    for n in range(4):
        s, ctx = pic(24, 24)
        F.draw_mug(ctx, 11, 13, FILL[n], 1.2)
        sc.seq(str(n), [(s, 11, 20)], 4, loop=True,
               props=lambda i, n=n: {"suffix": "_%d" % n, "uiimage": "mug_ui_%d" % n})
        s, ctx = pic(48, 48)
        F.draw_mug(ctx, 22, 25, FILL[n], 2.4)
        save(s, out_dir, "mug_ui_%d" % n)
    sc.write("mug.anim")


def balloon(w, h, right, icon=None):
    """A speech balloon with its tail towards the speaker: right True for a customer on a right
    chair (the balloon hangs to his left)."""
    s, ctx = pic(w, h + 16)
    rounded_rect(ctx, 2, 2, w - 4, h - 4, 12)
    tx = w - 28 if right else 28
    ctx.move_to(tx - 8, h - 3)
    ctx.line_to(tx + (10 if right else -10), h + 13)
    ctx.line_to(tx + 8, h - 3)
    fill_stroke(ctx, CREAM)
    rounded_rect(ctx, 2, 2, w - 4, h - 4, 12)
    ctx.set_source_rgb(*CREAM)
    ctx.fill()
    if icon:
        icon(ctx, w / 2.0, (h - 4) / 2.0 + 2)
    return s, (w - 28 + 10) if right else (28 - 10), h + 13


def icon_mug(ctx, x, y):
    F.draw_mug(ctx, x - 2, y, "f", 1.4)


def icon_two(ctx, x, y):
    F.draw_mug(ctx, x - 12, y, "f", 1.2)
    F.draw_mug(ctx, x + 10, y, "f", 1.2)


def icon_angry(ctx, x, y):
    F.draw_mug(ctx, x - 10, y, "f", 1.2)
    text_outlined(ctx, "!", x + 14, y + 9, 24, fill=SUNSET_RED, line=1.5)


def balloons(out_dir):
    sc = Script(out_dir, "bal")
    for k, icon in enumerate((icon_mug, icon_two, icon_angry)):
        for side in ("r", "l"):
            s, ix, iy = balloon(70, 50, side == "r", icon)
            sc.seq("ask_%d_%s" % (k, side), [(s, ix, iy)], 4, loop=True)
    for k in range(6):
        for side in ("r", "l"):
            s, ix, iy = balloon(172, 58, side == "r")
            sc.seq("insult_%d_%s" % (k, side), [(s, ix, iy)], 4, loop=True)
    sc.write("balloons.anim")


def exclamation(out_dir):
    sc = Script(out_dir, "excl")
    colours = (BRASS, rgb("d9822b"), SUNSET_RED)
    for k in range(3):
        frames = []
        for i in range(4):
            s, ctx = pic(30, 44)
            text_outlined(ctx, "!", 15, 36 - (2 if i in (1, 2) else 0), 34, fill=colours[k], line=2)
            frames.append((s, 15, 44))
        sc.seq("excl_%d" % k, frames, 6 + 2 * k, loop=True, props=lambda i: {"ydelta": "-150"})
    sc.write("exclamation.anim")


def botella_trash(out_dir):
    sc = Script(out_dir, "bt")
    for side, sgn in (("r", -1), ("l", 1)):
        frames = []
        for i in range(8):
            s, ctx = pic(32, 32)
            ctx.translate(16, 16)
            ctx.rotate(sgn * i * math.pi / 4)
            F.draw_mug(ctx, 0, 0, "e", 1.1)
            frames.append((s, 16, 16))
        sc.seq("throw_%s" % side, frames, 16, loop=True,
               props=lambda i: {"playsound": ""} if i == 0 else {})
        frames = []
        for i in range(6):
            s, ctx = pic(40, 20)
            ctx.push_group()
            for k, (dx, dy) in enumerate(((-12, 4), (-4, -2), (6, 3), (13, -1), (1, 6))):
                F.poly(ctx, [(20 + dx * sgn, 12 + dy), (24 + dx * sgn, 10 + dy), (22 + dx * sgn, 15 + dy)],
                       F.MUG_GLASS, line=1.0)
            ctx.pop_group_to_source()
            ctx.paint_with_alpha(1.0 - i / 6.0)
            frames.append((s, 20, 16))
        sc.seq("fade_%s" % side, frames, 6)
    sc.write("botella_trash.anim")


def shoothim(out_dir):
    sc = Script(out_dir, "sh")
    frames = []
    for i in range(4):
        s, ctx = pic(48, 48)
        r = 14 + 3 * math.sin(i * math.pi / 2)
        ctx.arc(24, 24, r, 0, 2 * math.pi)
        ctx.set_source_rgb(*SUNSET_RED)
        ctx.set_line_width(3)
        ctx.stroke()
        for a in range(4):
            ctx.move_to(24 + math.cos(a * math.pi / 2) * (r - 6), 24 + math.sin(a * math.pi / 2) * (r - 6))
            ctx.line_to(24 + math.cos(a * math.pi / 2) * (r + 6), 24 + math.sin(a * math.pi / 2) * (r + 6))
        ctx.stroke()
        frames.append((s, 24, 150))
    sc.seq("hint", frames, 6, loop=True)
    sc.write("shoothim.anim", ["default hint"])


def text_pic(out_dir, name, text, colour, size=26):
    s, ctx = pic(10, 10)
    ctx.select_font_face("DejaVu Serif Condensed", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    w, h = int(ext.x_advance + 16), int(size * 1.5)
    s, ctx = pic(w, h)
    text_outlined(ctx, text, w / 2.0, size * 1.1, size, fill=colour, line=2.5)
    save(s, out_dir, name)


def texts(out_dir):
    green, gold, red = rgb("8fd46a"), rgb("f6dc8a"), rgb("f07060")
    # Pay, and the thief's money given back: in portions of 90 or 100, the last portion of 200s
    # stolen in portions of 90 is 10 to 80.
    for amount in (10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120):
        text_pic(out_dir, "text_pay_%d" % amount, "$%d" % amount, green)
    text_pic(out_dir, "text_pay_r", "Reward!", gold)
    for amount in (50, 75, 100, 250):
        text_pic(out_dir, "text_pay_r%d" % amount, "+$%d reward" % amount, gold)
    text_pic(out_dir, "text_rob_robbery", "Robbery!", red, 30)
    for amount in (100, 200):
        text_pic(out_dir, "text_rob_%d" % amount, "-$%d" % amount, red)
    text_pic(out_dir, "bang_0", "BANG!", gold, 30)
    text_pic(out_dir, "bang_1", "BANG!", red, 30)
    text_pic(out_dir, "zzz", "z z Z", CREAM, 22)
    for name, colour in (("text_pay_bucks", FELT_GREEN), ("text_rew_bucks", BRASS)):
        s, ctx = pic(40, 24)
        rounded_rect(ctx, 2, 3, 36, 18, 3)
        fill_stroke(ctx, colour, line=1.5)
        text_outlined(ctx, "$", 20, 19, 16, fill=CREAM, line=1.2)
        save(s, out_dir, name)


def cash_digits(out_dir):
    cell, h = 16, 24
    s, ctx = pic(cell * 10, h)
    for d in range(10):
        text_outlined(ctx, str(d), cell * d + cell / 2.0, 19, 20, fill=rgb("f6dc8a"), line=1.5)
    save(s, out_dir, "cash_digits")


def poster_frame(out_dir):
    s, ctx = pic(84, 110)
    ctx.rectangle(3, 3, 78, 104)
    fill_stroke(ctx, PARCHMENT, line=2)
    ctx.rectangle(8, 24, 68, 66)
    fill_stroke(ctx, PARCHMENT_DARK, line=1.2)
    text_outlined(ctx, "WANTED", 42, 19, 14, fill=SUNSET_RED, line=1.2)
    text_outlined(ctx, "$ REWARD $", 42, 103, 9, fill=OUTLINE, line=0.5)
    save(s, out_dir, "wanted_frame")


def generate(out_dir, src_dir, args):
    mug(out_dir)
    balloons(out_dir)
    exclamation(out_dir)
    botella_trash(out_dir)
    shoothim(out_dir)
    texts(out_dir)
    cash_digits(out_dir)
    poster_frame(out_dir)
