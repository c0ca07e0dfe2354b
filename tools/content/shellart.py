"""The pictures of the game's shell: the main menu (title logo, the wooden left column, the wall of
wanted posters, the three signboard buttons of the ways to play), the intro's cover and white
flash, the shared parchment panel of the slot screens, the screens' title lettering, and the
credits' headings, spacer and cast portraits.

    shellart

Sizes follow the 800 x 600 screen and the places the menu puts its pictures: the logo at
(20, 10), the left column at (0, 0), the poster wall flush right, the signboards at about
(400, 100), (415, 180) and (390, 258).
"""

import math
import random

import cairo

import art
from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, DUST_ORANGE, FELT_GREEN, OUTLINE,
                 PARCHMENT, PARCHMENT_DARK, SUNSET_RED, WOOD, WOOD_DARK, WOOD_LIGHT, mix)

SCREEN_W, SCREEN_H = 800, 600
MENULEFT_W = 262
LOGO_W, LOGO_H = 372, 196         # the margin of 12 pixels all round holds the drop shadow
LOGO_MARGIN = 12
SIGN_W, SIGN_H = 372, 76
TABLA_W, TABLA_H = 520, 570
TITLE_FACE = "DejaVu Serif Condensed"


# ---- lettering ------------------------------------------------------------------------------

def western_text(ctx, text, x, y, size, fill, line=3.0, squeeze=0.82, outline=OUTLINE,
                 centre=True, shadow=None):
    """Wanted-poster lettering: the condensed bold serif squeezed further, with a dark outline
    and an optional drop shadow; (x, y) is the baseline's centre (or start)."""
    ctx.save()
    ctx.select_font_face(TITLE_FACE, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    width = ext.x_advance * squeeze
    ctx.translate(x - (width / 2.0 if centre else 0), y)
    ctx.scale(squeeze, 1.0)
    if shadow:
        ctx.save()
        ctx.translate(shadow[0] / squeeze, shadow[1])
        ctx.move_to(0, 0)
        ctx.text_path(text)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        ctx.set_source_rgba(0, 0, 0, 0.45)
        ctx.set_line_width(line * 2)
        ctx.stroke_preserve()
        ctx.fill()
        ctx.restore()
    ctx.move_to(0, 0)
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
    ctx.restore()
    return width


def text_width(ctx, text, size, squeeze=0.82):
    ctx.save()
    ctx.select_font_face(TITLE_FACE, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    w = ctx.text_extents(text).x_advance * squeeze
    ctx.restore()
    return w


def brass_gradient(y0, y1):
    return art.vertical_gradient(y0, y1, [(0, BRASS_LIGHT), (0.55, BRASS), (1, BRASS_DARK)])


def plain_text(ctx, text, x, y, size, colour, bold=False, alpha=1.0, centre=True):
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    ctx.move_to(x - (ext.x_advance / 2.0 if centre else 0), y)
    ctx.set_source_rgba(*colour, alpha)
    ctx.show_text(text)


# ---- shapes ---------------------------------------------------------------------------------

def plank_path(ctx, x, y, w, h, seed, arrow=0, notch=3):
    """A board with slightly ragged, cut corners; arrow > 0 points its right end."""
    rng = random.Random(seed)
    j = lambda: rng.uniform(-1.2, 1.2)
    ctx.move_to(x + notch, y + j())
    ctx.line_to(x + w * 0.5, y + j())
    if arrow:
        ctx.line_to(x + w - arrow, y + j())
        ctx.line_to(x + w, y + h / 2.0)
        ctx.line_to(x + w - arrow, y + h + j())
    else:
        ctx.line_to(x + w - notch, y + j())
        ctx.line_to(x + w + j() * 0.5, y + notch)
        ctx.line_to(x + w + j() * 0.5, y + h - notch)
        ctx.line_to(x + w - notch, y + h + j())
    ctx.line_to(x + w * 0.45, y + h + j())
    ctx.line_to(x + notch, y + h + j())
    ctx.line_to(x + j() * 0.5, y + h - notch)
    ctx.line_to(x + j() * 0.5, y + notch)
    ctx.close_path()


def wooden_board(ctx, x, y, w, h, base, seed, arrow=0, along_x=True, line=art.LINE,
                 glow=None):
    """A painted board: grain, one soft shade at the bottom, one highlight at the top, an
    outline (in glow colour when given, for a highlighted state)."""
    ctx.save()
    plank_path(ctx, x, y, w, h, seed, arrow)
    path = ctx.copy_path()
    ctx.clip()
    art.wood_grain(ctx, x, y, w + 2, h + 2, base, seed, along_x=along_x, period=97)
    shade = cairo.LinearGradient(0, y, 0, y + h)
    shade.add_color_stop_rgba(0, 1, 0.95, 0.8, 0.22)
    shade.add_color_stop_rgba(0.18, 1, 0.95, 0.8, 0.0)
    shade.add_color_stop_rgba(0.7, 0, 0, 0, 0.0)
    shade.add_color_stop_rgba(1, 0, 0, 0, 0.32)
    ctx.set_source(shade)
    ctx.paint()
    ctx.restore()
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    if glow:
        ctx.set_source_rgba(*glow, 0.9)
        ctx.set_line_width(line + 7)
        ctx.stroke_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(line)
    ctx.stroke()


def nail(ctx, x, y, r=2.2):
    ctx.arc(x, y, r, 0, 2 * math.pi)
    g = cairo.RadialGradient(x - r * 0.4, y - r * 0.4, 0.2, x, y, r)
    g.add_color_stop_rgb(0, 0.75, 0.72, 0.68)
    g.add_color_stop_rgb(1, 0.25, 0.22, 0.2)
    art.fill_stroke(ctx, g, line=1.0)


def parchment(ctx, x, y, w, h, seed, colour=PARCHMENT, stains=6, line=art.LINE, torn=True):
    """A sheet of old paper: ragged edges, darker rim, a few stains."""
    rng = random.Random(seed)
    pts = []
    steps = 14
    for i in range(steps):
        pts.append((x + w * i / steps, y + (rng.uniform(-1.5, 1.5) if torn else 0)))
    for i in range(steps):
        pts.append((x + w + (rng.uniform(-1.5, 1.5) if torn else 0), y + h * i / steps))
    for i in range(steps):
        pts.append((x + w - w * i / steps, y + h + (rng.uniform(-1.5, 1.5) if torn else 0)))
    for i in range(steps):
        pts.append((x + (rng.uniform(-1.5, 1.5) if torn else 0), y + h - h * i / steps))
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    path = ctx.copy_path()
    ctx.save()
    ctx.clip()
    ctx.set_source_rgb(*colour)
    ctx.paint()
    for _ in range(stains):
        sx, sy = rng.uniform(x, x + w), rng.uniform(y, y + h)
        r = rng.uniform(min(w, h) * 0.08, min(w, h) * 0.3)
        g = cairo.RadialGradient(sx, sy, 0, sx, sy, r)
        g.add_color_stop_rgba(0, *PARCHMENT_DARK, 0.35)
        g.add_color_stop_rgba(1, *PARCHMENT_DARK, 0.0)
        ctx.set_source(g)
        ctx.paint()
    rim = max(w, h) * 0.7
    g = cairo.RadialGradient(x + w / 2, y + h / 2, min(w, h) * 0.35, x + w / 2, y + h / 2, rim)
    g.add_color_stop_rgba(0, 0.55, 0.35, 0.15, 0.0)
    g.add_color_stop_rgba(1, 0.55, 0.35, 0.15, 0.55)
    ctx.set_source(g)
    ctx.paint()
    ctx.restore()
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(line)
    ctx.stroke()


def star(ctx, x, y, r, fill=BRASS, line=1.5):
    art.star_path(ctx, x, y, r, r * 0.45)
    g = cairo.RadialGradient(x - r * 0.3, y - r * 0.3, 0.5, x, y, r)
    g.add_color_stop_rgb(0, *BRASS_LIGHT)
    g.add_color_stop_rgb(1, *fill)
    art.fill_stroke(ctx, g, line=line)


# ---- the logo -------------------------------------------------------------------------------

def draw_logo_shape(ctx, white=False):
    """The title: a hanging signboard with a red ribbon "DUSTBOWL" and "DOLLY" in brass. With
    white set everything is drawn white (the intro's flash)."""
    m = LOGO_MARGIN
    w, h = LOGO_W - 2 * m, LOGO_H - 2 * m
    bx, by, bw, bh = m + 6, m + 30, w - 12, h - 52
    W = (1, 1, 1)
    # Drop shadow of the board.
    if not white:
        ctx.save()
        plank_path(ctx, bx + 5, by + 6, bw, bh, 7)
        ctx.set_source_rgba(0, 0, 0, 0.35)
        ctx.fill()
        ctx.restore()
    if white:
        plank_path(ctx, bx, by, bw, bh, 7)
        art.fill_stroke(ctx, W, line=6, outline=W)
    else:
        wooden_board(ctx, bx, by, bw, bh, WOOD_DARK, 7, line=3)
        # A brass rim inside the board.
        art.rounded_rect(ctx, bx + 9, by + 9, bw - 18, bh - 18, 6)
        ctx.set_source_rgba(*BRASS, 0.8)
        ctx.set_line_width(2)
        ctx.stroke()
        for cx, cy in ((bx + 16, by + 16), (bx + bw - 16, by + 16), (bx + 16, by + bh - 16),
                       (bx + bw - 16, by + bh - 16)):
            art.rivet(ctx, cx, cy, 3.2)
    # "DOLLY" big in brass, with a star either side.
    cx = bx + bw / 2.0
    base = by + bh - 26
    if white:
        western_text(ctx, "DOLLY", cx, base, 92, W, line=5, outline=W, squeeze=0.9)
    else:
        western_text(ctx, "DOLLY", cx, base, 92, brass_gradient(base - 70, base), line=4,
                     squeeze=0.9, shadow=(3, 4))
    sw = text_width(ctx, "DOLLY", 92, 0.9)
    for sx in (cx - sw / 2 - 20, cx + sw / 2 + 20):
        if white:
            art.star_path(ctx, sx, base - 32, 13, 6)
            art.fill_stroke(ctx, W, line=4, outline=W)
        else:
            star(ctx, sx, base - 32, 13, line=2)
    # The ribbon across the top edge of the board.
    rx0, rx1, ry, rh = m + 2, LOGO_W - m - 2, m + 6, 40
    tail = 18
    red = SUNSET_RED
    for side in (-1, 1):
        x = rx0 if side < 0 else rx1
        ctx.move_to(x - side * 0, ry + 10)
        ctx.line_to(x - side * 34, ry + 10)
        ctx.line_to(x - side * 34, ry + 10 + rh)
        ctx.line_to(x, ry + 10 + rh)
        ctx.line_to(x + side * (-tail * 0.6) - side * 0, ry + 10 + rh / 2.0)
        ctx.close_path()
        if white:
            art.fill_stroke(ctx, W, line=5, outline=W)
        else:
            art.fill_stroke(ctx, mix(red, OUTLINE, 0.35), line=2)
    ctx.move_to(rx0 + 24, ry)
    ctx.curve_to(rx0 + 120, ry - 8, rx1 - 120, ry - 8, rx1 - 24, ry)
    ctx.line_to(rx1 - 24, ry + rh)
    ctx.curve_to(rx1 - 120, ry + rh - 8, rx0 + 120, ry + rh - 8, rx0 + 24, ry + rh)
    ctx.close_path()
    if white:
        art.fill_stroke(ctx, W, line=5, outline=W)
        western_text(ctx, "DUSTBOWL", cx, ry + rh - 9, 34, W, line=2, outline=W, squeeze=1.0)
    else:
        g = art.vertical_gradient(ry - 6, ry + rh, [(0, mix(red, CREAM, 0.25)), (0.5, red),
                                                    (1, mix(red, OUTLINE, 0.3))])
        art.fill_stroke(ctx, g, line=2.5)
        western_text(ctx, "D U S T B O W L", cx, ry + rh - 11, 27, CREAM, line=2, squeeze=1.0)


def draw_logo():
    s, ctx = art.surface(LOGO_W, LOGO_H)
    draw_logo_shape(ctx)
    return s


def draw_logo_white():
    """The flash before the logo: its silhouette in white with a soft glow. The intro shows it
    15 pixels left of and 10 below the logo's place, so it is drawn that much further in."""
    dx, dy = 15, -10
    s, ctx = art.surface(LOGO_W + 2 * dx, LOGO_H + 10)
    for grow, alpha in ((10, 0.25), (5, 0.45)):
        ctx.save()
        ctx.translate(dx, dy)
        ctx.push_group()
        draw_logo_shape(ctx, white=True)
        pat = ctx.pop_group()
        ctx.restore()
        for ox, oy in ((-grow, 0), (grow, 0), (0, -grow), (0, grow)):
            ctx.save()
            ctx.translate(ox, oy)
            ctx.set_source(pat)
            ctx.paint_with_alpha(alpha)
            ctx.restore()
    ctx.translate(dx, dy)
    draw_logo_shape(ctx, white=True)
    return s


# ---- the menu's backdrop --------------------------------------------------------------------

def draw_menuleft():
    """The left column: dark vertical planks, a brass-framed slate behind the welcome line and
    the player button, a shelf under the two small buttons, and a darker foot for the exit sign
    and the copyright."""
    w, h = MENULEFT_W, SCREEN_H
    s, ctx = art.surface(w, h)
    planks = 4
    pw = w / planks
    for i in range(planks):
        x = i * pw
        base = mix(WOOD_DARK, WOOD, 0.25 + 0.15 * (i % 2))
        art.wood_grain(ctx, x, 0, pw, h, base, 40 + i, along_x=False, period=100)
        ctx.move_to(x + 0.5, 0)
        ctx.line_to(x + 0.5, h)
        ctx.set_source_rgba(*OUTLINE, 0.8)
        ctx.set_line_width(2)
        ctx.stroke()
        for y in (30, 300, 575):
            nail(ctx, x + pw / 2, y, 2)
    # Light from the right (the room), dark at the left edge and at the bottom.
    g = cairo.LinearGradient(0, 0, w, 0)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.45)
    g.add_color_stop_rgba(0.5, 0, 0, 0, 0.1)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.25)
    ctx.set_source(g)
    ctx.paint()
    # The slate: welcome text at (40, 200) 167 wide, the player button at about (86, 254).
    sx, sy, sw, sh = 26, 188, 210, 104
    art.rounded_rect(ctx, sx - 6, sy - 6, sw + 12, sh + 12, 8)
    art.fill_stroke(ctx, brass_gradient(sy - 6, sy + sh + 6), line=2)
    art.rounded_rect(ctx, sx, sy, sw, sh, 5)
    slate = art.vertical_gradient(sy, sy + sh, [(0, art.rgb("3a3330")), (1, art.rgb("221d1b"))])
    art.fill_stroke(ctx, slate, line=2)
    for cx, cy in ((sx - 1, sy - 1), (sx + sw + 1, sy - 1), (sx - 1, sy + sh + 1),
                   (sx + sw + 1, sy + sh + 1)):
        art.rivet(ctx, cx, cy, 2.6)
    # Chalk smudges on the slate.
    rng = random.Random(5)
    for _ in range(5):
        cx, cy = rng.uniform(sx + 20, sx + sw - 20), rng.uniform(sy + 15, sy + sh - 15)
        g = cairo.RadialGradient(cx, cy, 0, cx, cy, 22)
        g.add_color_stop_rgba(0, 1, 1, 1, 0.06)
        g.add_color_stop_rgba(1, 1, 1, 1, 0)
        ctx.set_source(g)
        ctx.arc(cx, cy, 22, 0, 2 * math.pi)
        ctx.fill()
    # The shelf under the options and credits buttons (their top at 368).
    shelf_y = 404
    ctx.rectangle(14, shelf_y, w - 28, 10)
    art.fill_stroke(ctx, art.vertical_gradient(shelf_y, shelf_y + 10,
                                               [(0, WOOD_LIGHT), (1, WOOD)]), line=2)
    for bx in (40, w - 40):
        ctx.move_to(bx - 8, shelf_y + 10)
        ctx.line_to(bx + 8, shelf_y + 10)
        ctx.line_to(bx, shelf_y + 24)
        ctx.close_path()
        art.fill_stroke(ctx, WOOD, line=1.5)
    # The darker foot: the exit sign lies on it at 465, the copyright at 540.
    g = cairo.LinearGradient(0, 440, 0, h)
    g.add_color_stop_rgba(0, 0, 0, 0, 0)
    g.add_color_stop_rgba(0.2, 0, 0, 0, 0.35)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.6)
    ctx.set_source(g)
    ctx.rectangle(0, 440, w, h - 440)
    ctx.fill()
    ctx.move_to(12, 528)
    ctx.line_to(w - 12, 528)
    ctx.set_source_rgba(*BRASS, 0.6)
    ctx.set_line_width(1.5)
    ctx.stroke()
    # The right edge: a post between the column and the wall.
    ctx.rectangle(w - 9, 0, 9, h)
    art.fill_stroke(ctx, art.vertical_gradient(0, h, [(0, WOOD), (1, WOOD_DARK)]), line=2)
    return s


def wanted_poster(ctx, x, y, w, h, seed, who, reward, angle=0.0, colour=PARCHMENT):
    """A pinned poster: WANTED, a face in a box, the name and the reward."""
    ctx.save()
    ctx.translate(x + w / 2.0, y + h / 2.0)
    ctx.rotate(angle)
    ctx.translate(-w / 2.0, -h / 2.0)
    ctx.save()
    ctx.translate(4, 5)
    ctx.rectangle(0, 0, w, h)
    ctx.set_source_rgba(0, 0, 0, 0.35)
    ctx.fill()
    ctx.restore()
    parchment(ctx, 0, 0, w, h, seed, colour=colour)
    ink = art.rgb("3a2414")
    western_text(ctx, "WANTED", w / 2.0, h * 0.17, h * 0.15, ink, line=0.6, outline=ink,
                 squeeze=0.75)
    # The face box.
    fx, fy, fw, fh = w * 0.22, h * 0.23, w * 0.56, h * 0.4
    ctx.rectangle(fx, fy, fw, fh)
    ctx.set_source_rgba(*PARCHMENT_DARK, 0.6)
    ctx.fill_preserve()
    ctx.set_source_rgb(*ink)
    ctx.set_line_width(1.5)
    ctx.stroke()
    face_sketch(ctx, fx + fw / 2.0, fy + fh * 0.62, fh * 0.34, who, ink)
    western_text(ctx, who.upper(), w / 2.0, h * 0.75, h * 0.085, ink, line=0.4, outline=ink,
                 squeeze=0.8)
    western_text(ctx, reward, w / 2.0, h * 0.9, h * 0.11, SUNSET_RED, line=0.5,
                 outline=mix(SUNSET_RED, OUTLINE, 0.5), squeeze=0.8)
    nail(ctx, w / 2.0, 6, 2.5)
    ctx.restore()


def face_sketch(ctx, cx, cy, r, who, ink):
    """An ink sketch of a face for a poster: hat, eyes, moustache or mask."""
    rng = random.Random(who)
    ctx.save()
    ctx.set_line_width(1.4)
    ctx.set_source_rgb(*ink)
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(0.8, 1.0)
    ctx.arc(0, 0, r, 0, 2 * math.pi)
    ctx.restore()
    ctx.stroke()
    # hat
    ctx.move_to(cx - r * 1.5, cy - r * 0.55)
    ctx.curve_to(cx - r * 0.5, cy - r * 0.8, cx + r * 0.5, cy - r * 0.8, cx + r * 1.5, cy - r * 0.55)
    ctx.move_to(cx - r * 0.7, cy - r * 0.66)
    ctx.line_to(cx - r * 0.6, cy - r * 1.35)
    ctx.line_to(cx + r * 0.6, cy - r * 1.35)
    ctx.line_to(cx + r * 0.7, cy - r * 0.66)
    ctx.stroke()
    if "masked" in who.lower() or rng.random() < 0.3:
        ctx.rectangle(cx - r * 0.75, cy - r * 0.35, r * 1.5, r * 0.3)
        ctx.fill()
    else:
        for ex in (-0.3, 0.3):
            ctx.arc(cx + ex * r, cy - r * 0.15, r * 0.07, 0, 2 * math.pi)
            ctx.fill()
    # moustache
    ctx.move_to(cx - r * 0.45, cy + r * 0.35)
    ctx.curve_to(cx - r * 0.2, cy + r * 0.15, cx + r * 0.2, cy + r * 0.15, cx + r * 0.45, cy + r * 0.35)
    ctx.set_line_width(2.5)
    ctx.stroke()
    # stubble
    for _ in range(14):
        a = rng.uniform(0.3, math.pi - 0.3)
        d = rng.uniform(0.55, 0.85) * r
        ctx.arc(cx + math.cos(a) * d * 0.8, cy + math.sin(a) * d, 0.6, 0, 2 * math.pi)
        ctx.fill()
    ctx.restore()


def draw_carteles():
    """The saloon wall right of the column: clapboards, a lamp bracket, posters pinned where the
    signboards and the description strip leave room."""
    w, h = SCREEN_W - MENULEFT_W + 2, SCREEN_H
    s, ctx = art.surface(w, h)
    board = 40
    for i in range(h // board + 1):
        y = i * board
        base = mix(WOOD, WOOD_LIGHT, 0.25 + 0.12 * ((i * 7) % 3) / 2.0)
        art.wood_grain(ctx, 0, y, w, board, base, 60 + i, period=w)
        ctx.move_to(0, y + 0.5)
        ctx.line_to(w, y + 0.5)
        ctx.set_source_rgba(*OUTLINE, 0.7)
        ctx.set_line_width(2)
        ctx.stroke()
        ctx.move_to(0, y + 3)
        ctx.line_to(w, y + 3)
        ctx.set_source_rgba(1, 0.9, 0.7, 0.12)
        ctx.set_line_width(2)
        ctx.stroke()
    # A warm lamp glow at the upper right, shade towards the floor.
    g = cairo.RadialGradient(w * 0.62, 40, 10, w * 0.62, 40, 420)
    g.add_color_stop_rgba(0, 1.0, 0.82, 0.45, 0.35)
    g.add_color_stop_rgba(1, 1.0, 0.82, 0.45, 0.0)
    ctx.set_source(g)
    ctx.paint()
    g = cairo.LinearGradient(0, 0, 0, h)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.15)
    g.add_color_stop_rgba(0.5, 0, 0, 0, 0.0)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.45)
    ctx.set_source(g)
    ctx.paint()
    # Wainscot rail at the height of the description strip.
    ctx.rectangle(0, 512, w, 12)
    art.fill_stroke(ctx, art.vertical_gradient(512, 524, [(0, WOOD_LIGHT), (1, WOOD_DARK)]),
                    line=2)
    # The oil lamp on its bracket, upper right above the first signboard.
    lamp(ctx, w - 64, 18)
    # Posters: the signboards cover x 128..522, y 98..336 of this picture.
    wanted_poster(ctx, 18, 352, 118, 150, 11, "One-Eyed Ned", "$500", angle=-0.06)
    wanted_poster(ctx, 172, 362, 110, 140, 12, "Masked Kid", "$250", angle=0.05,
                  colour=mix(PARCHMENT, PARCHMENT_DARK, 0.3))
    wanted_poster(ctx, 320, 350, 122, 154, 13, "Cattle Jack", "$1000", angle=-0.03)
    # A small price slate between the posters.
    price_board(ctx, 455, 370)
    return s


def lamp(ctx, x, y):
    ctx.move_to(x + 26, y - 2)
    ctx.line_to(x + 26, y + 40)
    ctx.line_to(x + 8, y + 40)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(4)
    ctx.stroke()
    ctx.move_to(x + 26, y - 2)
    ctx.line_to(x + 26, y + 40)
    ctx.line_to(x + 8, y + 40)
    ctx.set_source_rgb(*BRASS_DARK)
    ctx.set_line_width(2)
    ctx.stroke()
    g = cairo.RadialGradient(x, y + 62, 2, x, y + 62, 50)
    g.add_color_stop_rgba(0, 1, 0.9, 0.55, 0.7)
    g.add_color_stop_rgba(1, 1, 0.8, 0.4, 0)
    ctx.set_source(g)
    ctx.arc(x, y + 62, 50, 0, 2 * math.pi)
    ctx.fill()
    # chimney and fount
    ctx.move_to(x - 7, y + 44)
    ctx.curve_to(x - 16, y + 58, x - 14, y + 72, x - 8, y + 78)
    ctx.line_to(x + 8, y + 78)
    ctx.curve_to(x + 14, y + 72, x + 16, y + 58, x + 7, y + 44)
    ctx.close_path()
    g = cairo.RadialGradient(x, y + 64, 2, x, y + 64, 16)
    g.add_color_stop_rgb(0, 1, 0.97, 0.8)
    g.add_color_stop_rgb(1, 1, 0.78, 0.4)
    art.fill_stroke(ctx, g, line=1.8)
    art.rounded_rect(ctx, x - 12, y + 78, 24, 12, 4)
    art.fill_stroke(ctx, brass_gradient(y + 78, y + 90), line=1.8)
    ctx.rectangle(x - 8, y + 38, 16, 7)
    art.fill_stroke(ctx, BRASS, line=1.5)


def price_board(ctx, x, y):
    ctx.save()
    ctx.translate(x, y)
    ctx.rotate(0.04)
    art.rounded_rect(ctx, 0, 0, 70, 96, 4)
    art.fill_stroke(ctx, WOOD_DARK, line=2)
    art.rounded_rect(ctx, 6, 6, 58, 84, 3)
    art.fill_stroke(ctx, art.rgb("2a2522"), line=1.5)
    chalk = (0.95, 0.93, 0.88)
    plain_text(ctx, "BEER", 35, 24, 11, chalk, bold=True)
    plain_text(ctx, "5\u00a2", 35, 40, 13, chalk)
    plain_text(ctx, "WHISKEY", 35, 60, 9, chalk, bold=True)
    plain_text(ctx, "15\u00a2", 35, 76, 13, chalk)
    ctx.restore()
    nail(ctx, x + 35, y - 2, 2.2)


# ---- the signboard buttons ------------------------------------------------------------------

SIGNS = {
    # prefix: (caption, subtitle, board colour, icon, seed)
    "btn_storymode_": ("STORY", "Dolly's tale, chapter by chapter", WOOD, "book", 21),
    "btn_campaign_": ("CAMPAIGN", "Open saloons across the territory", mix(WOOD, SUNSET_RED, 0.25),
                      "map", 22),
    "btn_timed_": ("TIME ATTACK", "Serve fast before the clock runs out",
                   mix(WOOD, FELT_GREEN, 0.28), "watch", 23),
}


def draw_sign(prefix, highlight):
    caption, subtitle, colour, icon, seed = SIGNS[prefix]
    s, ctx = art.surface(SIGN_W, SIGN_H)
    x, y, w, h = 4, 6, SIGN_W - 10, SIGN_H - 14
    if highlight:
        colour = mix(colour, art.rgb("e8a860"), 0.42)
    # Shadow, board, chain hooks.
    ctx.save()
    plank_path(ctx, x + 4, y + 5, w, h, seed, arrow=26)
    ctx.set_source_rgba(0, 0, 0, 0.35)
    ctx.fill()
    ctx.restore()
    wooden_board(ctx, x, y, w, h, colour, seed, arrow=26, line=2.5,
                 glow=BRASS_LIGHT if highlight else None)
    for nx in (x + 12, x + w - 40):
        nail(ctx, nx, y + h / 2.0, 2.4)
    # The round brass medallion with the icon.
    mx, my, mr = x + 44, y + h / 2.0, 26
    ctx.arc(mx, my, mr, 0, 2 * math.pi)
    art.fill_stroke(ctx, brass_gradient(my - mr, my + mr), line=2)
    ctx.arc(mx, my, mr - 5, 0, 2 * math.pi)
    art.fill_stroke(ctx, mix(PARCHMENT, CREAM, 0.5 if highlight else 0.0), line=1.5)
    {"book": icon_book, "map": icon_map, "watch": icon_watch}[icon](ctx, mx, my)
    # Caption in wanted-poster letters, subtitle in the plain face.
    tx = x + 84
    fill = brass_gradient(y + 12, y + 38) if highlight else PARCHMENT
    western_text(ctx, caption, tx, y + 38, 32, fill, line=2.5, centre=False, squeeze=0.85,
                 shadow=(2, 2))
    plain_text(ctx, subtitle, tx + 1, y + 55, 11.5, CREAM if highlight else PARCHMENT,
               alpha=0.95 if highlight else 0.8, centre=False)
    return s


def icon_book(ctx, x, y):
    ctx.save()
    ctx.translate(x, y + 2)
    for side in (-1, 1):
        ctx.move_to(0, -9)
        ctx.curve_to(side * 6, -13, side * 12, -12, side * 15, -10)
        ctx.line_to(side * 15, 9)
        ctx.curve_to(side * 12, 7, side * 6, 7, 0, 11)
        ctx.close_path()
        art.fill_stroke(ctx, CREAM, line=1.6)
        ctx.set_source_rgba(*OUTLINE, 0.6)
        ctx.set_line_width(1)
        for k in (-5, -1, 3):
            ctx.move_to(side * 4, k)
            ctx.line_to(side * 12, k - 1)
        ctx.stroke()
    ctx.move_to(0, -9)
    ctx.line_to(0, 11)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.4)
    ctx.stroke()
    ctx.move_to(-2, -10)
    ctx.line_to(-2, 6)
    ctx.line_to(1, 3)
    ctx.line_to(4, 6)
    ctx.line_to(4, -10)
    art.fill_stroke(ctx, SUNSET_RED, line=1)
    ctx.restore()


def icon_map(ctx, x, y):
    ctx.save()
    ctx.translate(x, y)
    pts = [(-15, -10), (-5, -13), (5, -10), (15, -13), (15, 10), (5, 13), (-5, 10), (-15, 13)]
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    art.fill_stroke(ctx, PARCHMENT, line=1.6)
    ctx.set_source_rgba(*OUTLINE, 0.5)
    ctx.set_line_width(1)
    for px in (-5, 5):
        ctx.move_to(px, -12)
        ctx.line_to(px, 12)
    ctx.stroke()
    ctx.set_dash([2, 2])
    ctx.move_to(-11, 6)
    ctx.curve_to(-4, -4, 2, 8, 9, -4)
    ctx.set_source_rgb(*SUNSET_RED)
    ctx.set_line_width(1.5)
    ctx.stroke()
    ctx.set_dash([])
    star(ctx, 9, -5, 5, line=1)
    ctx.restore()


def icon_watch(ctx, x, y):
    ctx.save()
    ctx.translate(x, y + 2)
    ctx.arc(0, -15, 3.5, 0, 2 * math.pi)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2.5)
    ctx.stroke()
    ctx.arc(0, 0, 13, 0, 2 * math.pi)
    art.fill_stroke(ctx, brass_gradient(-13, 13), line=1.6)
    ctx.arc(0, 0, 10, 0, 2 * math.pi)
    art.fill_stroke(ctx, CREAM, line=1.2)
    ctx.set_source_rgb(*OUTLINE)
    for i in range(12):
        a = i * math.pi / 6
        ctx.move_to(math.cos(a) * 8, math.sin(a) * 8)
        ctx.line_to(math.cos(a) * 9.5, math.sin(a) * 9.5)
    ctx.set_line_width(1)
    ctx.stroke()
    ctx.move_to(0, 0)
    ctx.line_to(0, -7)
    ctx.move_to(0, 0)
    ctx.line_to(5, 2)
    ctx.set_line_width(1.6)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.stroke()
    ctx.restore()


# ---- the shared panel -----------------------------------------------------------------------

def draw_ui_tabla():
    """The panel the slot screens lay their lists on: a parchment sheet in a wooden frame. Outside
    the frame's cut corners the picture is transparent, so its top-left pixel (the colour the
    menu keys out) is transparent black and no blended pixel keeps a tint of another colour."""
    w, h = TABLA_W, TABLA_H
    s, ctx = art.surface(w, h)
    cut = 14
    outer = [(cut, 0), (w - cut, 0), (w, cut), (w, h - cut), (w - cut, h), (cut, h), (0, h - cut),
             (0, cut)]
    ctx.set_antialias(cairo.ANTIALIAS_NONE)
    ctx.move_to(*outer[0])
    for p in outer[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    ctx.set_source_rgb(*OUTLINE)
    ctx.fill()
    ctx.set_antialias(cairo.ANTIALIAS_GOOD)
    # The frame: four boards with mitred grain inside the outline.
    f = 22
    ctx.save()
    ctx.move_to(cut + 1, 2)
    ctx.line_to(w - cut - 1, 2)
    ctx.line_to(w - 2, cut + 1)
    ctx.line_to(w - 2, h - cut - 1)
    ctx.line_to(w - cut - 1, h - 2)
    ctx.line_to(cut + 1, h - 2)
    ctx.line_to(2, h - cut - 1)
    ctx.line_to(2, cut + 1)
    ctx.close_path()
    ctx.clip()
    art.wood_grain(ctx, 0, 0, w, f + 2, WOOD, 81, period=w)
    art.wood_grain(ctx, 0, h - f - 2, w, f + 2, WOOD, 82, period=w)
    art.wood_grain(ctx, 0, f, f + 2, h - 2 * f, mix(WOOD, WOOD_DARK, 0.2), 83, along_x=False,
                   period=h)
    art.wood_grain(ctx, w - f - 2, f, f + 2, h - 2 * f, mix(WOOD, WOOD_DARK, 0.2), 84,
                   along_x=False, period=h)
    ctx.restore()
    ctx.set_source_rgba(*OUTLINE, 0.8)
    ctx.set_line_width(1.5)
    for a, b in (((2, 2), (f, f)), ((w - 2, 2), (w - f, f)), ((2, h - 2), (f, h - f)),
                 ((w - 2, h - 2), (w - f, h - f))):
        ctx.move_to(*a)
        ctx.line_to(*b)
    ctx.stroke()
    ctx.rectangle(3.5, 3.5, w - 7, h - 7)
    ctx.set_source_rgba(1, 0.9, 0.7, 0.18)
    ctx.set_line_width(2)
    ctx.stroke()
    # The parchment inside, with the inner outline and a brass corner at each angle.
    parchment(ctx, f, f, w - 2 * f, h - 2 * f, 85, stains=9, torn=False)
    for cx, cy in ((f + 2, f + 2), (w - f - 2, f + 2), (f + 2, h - f - 2), (w - f - 2, h - f - 2)):
        art.rivet(ctx, cx, cy, 4)
    for cx in (w * 0.25, w * 0.5, w * 0.75):
        art.rivet(ctx, cx, f / 2.0, 2.5)
        art.rivet(ctx, cx, h - f / 2.0, 2.5)
    for cy in (h * 0.25, h * 0.5, h * 0.75):
        art.rivet(ctx, f / 2.0, cy, 2.5)
        art.rivet(ctx, w - f / 2.0, cy, 2.5)
    return s


# ---- titles ---------------------------------------------------------------------------------

TITLES = {
    "text_c_storymode": "Story",
    "text_c_campaign": "Campaign",
    "text_c_timeattack": "Time Attack",
    "text_c_highscores": "High Scores",
}


def draw_title(text, size=46, height=64):
    """A screen title: brass wanted-poster letters with a dark outline and a small star at each
    side, on a transparent ground."""
    probe, pctx = art.surface(4, 4)
    tw = text_width(pctx, text, size, 0.86)
    w = int(tw + 80)
    s, ctx = art.surface(w, height)
    base = height - 16
    western_text(ctx, text, w / 2.0, base, size, brass_gradient(base - size * 0.75, base),
                 line=3, squeeze=0.86, shadow=(2, 3))
    for sx in (14, w - 14):
        star(ctx, sx, base - size * 0.35, 9, line=1.5)
    return s


# ---- the timed-game scene snapshots -----------------------------------------------------------

SNAP_W, SNAP_H = 150, 112

# One look per timed scene (snap_ch1 .. snap_ch9): the sky in the window, the wall's wood, the
# lamp light and a prop that names the scene (Dust, Thieves, Fire, Doors, Barrel, Magic, Piano,
# Railroad, Showdown).
SNAPS = [
    ("#e9b35a", "#8a5a32", 0.55, "dust"),
    ("#2a2f55", "#5e3c24", 0.85, "thieves"),
    ("#f07a2a", "#7a3e22", 0.75, "fire"),
    ("#8fc3e0", "#94653a", 0.45, "doors"),
    ("#d9a45a", "#6e4a2a", 0.55, "barrel"),
    ("#4a2f6e", "#5a3a2e", 0.9, "magic"),
    ("#c58a4a", "#7c5030", 0.65, "piano"),
    ("#a9c9d9", "#8a6038", 0.5, "railroad"),
    ("#c8462a", "#6a3820", 0.7, "showdown"),
]


def draw_snapshot(index):
    """A small framed view into the saloon of one timed scene."""
    sky, wall, lamp_glow, prop = SNAPS[index]
    s, ctx = art.surface(SNAP_W, SNAP_H)
    f = 6
    iw, ih = SNAP_W - 2 * f, SNAP_H - 2 * f
    ctx.save()
    ctx.rectangle(f, f, iw, ih)
    ctx.clip()
    art.wood_grain(ctx, f, f, iw, ih, art.rgb(wall), 40 + index, along_x=False, period=18)
    # The window with the scene's sky and a far mesa.
    wx, wy, ww, wh = f + 12, f + 12, 40, 32
    ctx.rectangle(wx, wy, ww, wh)
    ctx.set_source_rgb(*art.rgb(sky))
    ctx.fill()
    ctx.move_to(wx, wy + wh)
    ctx.line_to(wx + 8, wy + wh - 10)
    ctx.line_to(wx + 26, wy + wh - 10)
    ctx.line_to(wx + 32, wy + wh)
    ctx.close_path()
    ctx.set_source_rgb(*mix(art.rgb(sky), WOOD_DARK, 0.6))
    ctx.fill()
    ctx.rectangle(wx, wy, ww, wh)
    ctx.move_to(wx + ww / 2.0, wy)
    ctx.line_to(wx + ww / 2.0, wy + wh)
    ctx.set_source_rgb(*WOOD_DARK)
    ctx.set_line_width(2.5)
    ctx.stroke()
    # The lamp's warm pool of light.
    lx, ly = f + iw * 0.68, f + 20
    glow = cairo.RadialGradient(lx, ly, 2, lx, ly, 46)
    glow.add_color_stop_rgba(0, 1.0, 0.85, 0.45, lamp_glow)
    glow.add_color_stop_rgba(1, 1.0, 0.85, 0.45, 0.0)
    ctx.set_source(glow)
    ctx.paint()
    ctx.arc(lx, ly, 4, 0, 2 * math.pi)
    ctx.set_source_rgb(*BRASS_LIGHT)
    ctx.fill()
    # The bar counter along the bottom, with bottles on its shelf.
    cy = f + ih - 30
    wooden_board(ctx, f - 2, cy, iw + 4, 32, WOOD, 60 + index)
    for i in range(5):
        bx = f + 70 + i * 11
        ctx.rectangle(bx, cy - 14, 6, 14)
        ctx.set_source_rgb(*(FELT_GREEN if i % 2 else SUNSET_RED))
        ctx.fill()
    draw_snapshot_prop(ctx, prop, f, f, iw, ih)
    ctx.restore()
    # The brass frame.
    ctx.rectangle(f / 2.0, f / 2.0, SNAP_W - f, SNAP_H - f)
    ctx.set_source_rgb(*BRASS)
    ctx.set_line_width(f)
    ctx.stroke()
    ctx.rectangle(0.5, 0.5, SNAP_W - 1, SNAP_H - 1)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1)
    ctx.stroke()
    return s


def draw_snapshot_prop(ctx, prop, x, y, w, h):
    """The scene's sign: a small shape in the lower left of the view."""
    px, py = x + 22, y + h - 40
    ctx.save()
    if prop == "dust":
        for i in range(7):
            ctx.arc(px + i * 6, py + 8 - (i % 3) * 3, 5 + i % 2, 0, 2 * math.pi)
        ctx.set_source_rgba(0.85, 0.7, 0.45, 0.75)
        ctx.fill()
    elif prop == "thieves":
        ctx.rectangle(px - 6, py - 6, 22, 14)
        ctx.set_source_rgb(0.1, 0.1, 0.1)
        ctx.fill()
        for ex in (px, px + 10):
            ctx.arc(ex, py, 2, 0, 2 * math.pi)
            ctx.set_source_rgb(*CREAM)
            ctx.fill()
    elif prop == "fire":
        ctx.move_to(px, py + 12)
        ctx.curve_to(px - 8, py, px + 2, py - 6, px + 4, py - 14)
        ctx.curve_to(px + 8, py - 4, px + 16, py, px + 10, py + 12)
        ctx.close_path()
        ctx.set_source_rgb(*DUST_ORANGE)
        ctx.fill()
    elif prop == "doors":
        for dx in (0, 14):
            ctx.rectangle(px - 6 + dx, py - 12, 12, 22)
            ctx.set_source_rgb(*WOOD_LIGHT)
            ctx.fill_preserve()
            ctx.set_source_rgb(*OUTLINE)
            ctx.set_line_width(1)
            ctx.stroke()
    elif prop == "barrel":
        ctx.save()
        ctx.translate(px + 4, py)
        ctx.scale(1.0, 1.3)
        ctx.arc(0, 0, 10, 0, 2 * math.pi)
        ctx.restore()
        ctx.set_source_rgb(*WOOD_LIGHT)
        ctx.fill()
        for by in (py - 7, py + 7):
            ctx.rectangle(px - 6, by - 1, 20, 2)
            ctx.set_source_rgb(*OUTLINE)
            ctx.fill()
    elif prop == "magic":
        star(ctx, px + 4, py, 9, fill=BRASS_LIGHT)
        star(ctx, px + 20, py - 10, 5, fill=CREAM)
    elif prop == "piano":
        ctx.rectangle(px - 8, py - 10, 30, 20)
        ctx.set_source_rgb(*WOOD_DARK)
        ctx.fill()
        for k in range(6):
            ctx.rectangle(px - 6 + k * 4.5, py + 2, 3.5, 6)
            ctx.set_source_rgb(*CREAM)
            ctx.fill()
    elif prop == "railroad":
        for k in range(5):
            ctx.rectangle(px - 8 + k * 7, py - 2, 3, 14)
            ctx.set_source_rgb(*WOOD_DARK)
            ctx.fill()
        for ry in (py, py + 8):
            ctx.rectangle(px - 10, ry, 36, 2)
            ctx.set_source_rgb(0.45, 0.45, 0.5)
            ctx.fill()
    else:  # showdown
        star(ctx, px + 4, py, 10, fill=BRASS)
        ctx.arc(px + 4, py, 3, 0, 2 * math.pi)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()
    ctx.restore()


# ---- the intro's plain pictures --------------------------------------------------------------

def draw_black(size=200):
    s, ctx = art.surface(size, size)
    ctx.set_source_rgb(0, 0, 0)
    ctx.paint()
    return s


def generate(out_dir, src_dir, args):
    art.save(draw_logo(), out_dir, "logo")
    art.save(draw_logo_white(), out_dir, "logo_white")
    art.save(draw_black(), out_dir, "black200x200")
    art.save(draw_menuleft(), out_dir, "menuleft")
    art.save(draw_carteles(), out_dir, "carteles")
    for prefix in SIGNS:
        art.save(draw_sign(prefix, False), out_dir, prefix + "normal")
        art.save(draw_sign(prefix, True), out_dir, prefix + "highlight")
    art.save(draw_ui_tabla(), out_dir, "ui_tabla")
    for name, text in TITLES.items():
        art.save(draw_title(text), out_dir, name)
    for i in range(len(SNAPS)):
        art.save(draw_snapshot(i), out_dir, "snap_ch%d" % (i + 1))
    generate_credits(out_dir)


# ---- the title cover ------------------------------------------------------------------------

def draw_tapa():
    """The cover behind the intro and the credits: the saloon's false front at sundown, lamp
    light in the batwing doors, Dolly on the boardwalk. The upper left stays open sky for the
    logo, which the intro lays over it at (20, 10)."""
    w, h = SCREEN_W, SCREEN_H
    s, ctx = art.surface(w, h)
    sky = art.vertical_gradient(0, 420, [(0, art.rgb("2c2140")), (0.45, art.rgb("8c3a3a")),
                                         (0.8, art.rgb("e07a3a")), (1, art.rgb("f2b45a"))])
    ctx.set_source(sky)
    ctx.paint()
    rng = random.Random(77)
    for _ in range(50):
        x, y = rng.uniform(0, w), rng.uniform(0, 150)
        ctx.arc(x, y, rng.uniform(0.5, 1.3), 0, 2 * math.pi)
        ctx.set_source_rgba(1, 0.95, 0.85, rng.uniform(0.3, 0.8))
        ctx.fill()
    sun = cairo.RadialGradient(250, 390, 8, 250, 390, 170)
    sun.add_color_stop_rgba(0, 1.0, 0.92, 0.62, 1.0)
    sun.add_color_stop_rgba(0.3, 1.0, 0.78, 0.4, 0.8)
    sun.add_color_stop_rgba(1, 1.0, 0.6, 0.3, 0.0)
    ctx.set_source(sun)
    ctx.arc(250, 390, 170, 0, 2 * math.pi)
    ctx.fill()
    # Mesas on the horizon.
    ctx.move_to(0, 420)
    for x, y in ((0, 372), (40, 368), (60, 340), (150, 336), (170, 372), (330, 380), (350, 352),
                 (420, 350), (436, 380), (560, 384), (800, 390), (800, 420)):
        ctx.line_to(x, y)
    ctx.close_path()
    art.fill_stroke(ctx, art.rgb("6b3534"), line=1.5)
    # A cactus left of the street.
    cactus(ctx, 96, 436, 1.2)
    # The street: dust with wheel ruts, lighter towards the sun.
    ground = art.vertical_gradient(400, h, [(0, art.rgb("c9884a")), (1, art.rgb("8a5630"))])
    ctx.rectangle(0, 400, w, h - 400)
    ctx.set_source(ground)
    ctx.fill()
    ctx.set_source_rgba(*WOOD_DARK, 0.35)
    ctx.set_line_width(3)
    for k in (0, 1):
        ctx.move_to(0, 500 + k * 40)
        ctx.curve_to(250, 470 + k * 30, 500, 460 + k * 30, 800, 455 + k * 35)
        ctx.stroke()
    for _ in range(220):
        x, y = rng.uniform(0, w), rng.uniform(410, h)
        ctx.arc(x, y, rng.uniform(0.6, 1.8), 0, 2 * math.pi)
        ctx.set_source_rgba(*mix(WOOD_DARK, PARCHMENT, rng.random()), 0.5)
        ctx.fill()
    saloon_front(ctx, 430, 70)
    # Dolly on the boardwalk, arms at her sides, in her first outfit.
    import dolly
    import figure as F
    fp = F.FrontPose()
    ctx.save()
    ctx.translate(595, 456)
    ctx.scale(1.25, 1.25)
    front_figure(ctx, fp, [dolly.legs_layer(dolly.SKIRTS[1], False), dolly.boots_layer(dolly.BOOTS[1]),
                           dolly.torso_layer(dolly.BLOUSES[1], dolly.RIBBONS[1]), dolly.eye_layer(),
                           dolly.arms_layer(), dolly.sleeves_layer(dolly.BLOUSES[1]),
                           dolly.hand_layer(dolly.SKIN)], shadow=True)
    ctx.restore()
    # Evening shade over the lower corners.
    g = cairo.RadialGradient(400, 300, 250, 400, 300, 560)
    g.add_color_stop_rgba(0, 0, 0, 0, 0)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.45)
    ctx.set_source(g)
    ctx.paint()
    return s


def cactus(ctx, x, y, k):
    green = mix(FELT_GREEN, OUTLINE, 0.3)
    import figure as F
    F.stroke_path(ctx, [(x, y), (x, y - 70 * k)], 14 * k, green)
    F.stroke_path(ctx, [(x - 2, y - 30 * k), (x - 20 * k, y - 32 * k), (x - 20 * k, y - 52 * k)],
                  9 * k, green)
    F.stroke_path(ctx, [(x + 2, y - 42 * k), (x + 18 * k, y - 44 * k), (x + 18 * k, y - 60 * k)],
                  9 * k, green)


def saloon_front(ctx, x, y):
    """The false front from x to the right edge, its boardwalk at y + 352."""
    w = SCREEN_W - x + 4
    walk = y + 352
    # The building and its tall false front.
    ctx.move_to(x, walk)
    ctx.line_to(x, y + 40)
    ctx.line_to(x + 60, y + 40)
    ctx.line_to(x + 60, y)
    ctx.line_to(x + w, y)
    ctx.line_to(x + w, walk)
    ctx.close_path()
    path = ctx.copy_path()
    ctx.save()
    ctx.clip()
    for i in range(0, int(walk - y), 18):
        base = mix(WOOD, WOOD_LIGHT, 0.2 + 0.1 * (i // 18 % 3))
        art.wood_grain(ctx, x, y + i, w, 18, base, 300 + i, period=w)
        ctx.move_to(x, y + i + 0.5)
        ctx.line_to(x + w, y + i + 0.5)
        ctx.set_source_rgba(*OUTLINE, 0.6)
        ctx.set_line_width(1.5)
        ctx.stroke()
    g = cairo.LinearGradient(x, 0, x + w, 0)
    g.add_color_stop_rgba(0, 1, 0.75, 0.4, 0.25)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.35)
    ctx.set_source(g)
    ctx.paint()
    ctx.restore()
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(3)
    ctx.stroke()
    # The sign.
    sx, sy, sw, sh = x + 80, y + 18, 270, 62
    wooden_board(ctx, sx, sy, sw, sh, mix(WOOD_DARK, OUTLINE, 0.2), 91, line=2.5)
    western_text(ctx, "SALOON", sx + sw / 2.0, sy + 48, 46, brass_gradient(sy + 10, sy + 50),
                 line=2.5, squeeze=0.95)
    # The balcony and its rail.
    by = y + 150
    ctx.rectangle(x, by, w, 12)
    art.fill_stroke(ctx, art.vertical_gradient(by, by + 12, [(0, WOOD_LIGHT), (1, WOOD_DARK)]), line=2)
    ctx.rectangle(x, by - 38, w, 6)
    art.fill_stroke(ctx, WOOD_LIGHT, line=2)
    for px in range(int(x) + 8, int(x + w), 16):
        ctx.rectangle(px, by - 32, 5, 32)
        art.fill_stroke(ctx, WOOD, line=1.2)
    # Windows with lamp light either side of the door.
    for wx in (x + 22, x + 272):
        window(ctx, wx, y + 190, 72, 96)
    # Posts of the porch roof.
    for px in (x + 4, x + 222, x + 360):
        ctx.rectangle(px, by + 12, 12, walk - by - 12)
        art.fill_stroke(ctx, art.vertical_gradient(by, walk, [(0, WOOD_LIGHT), (1, WOOD_DARK)]),
                        line=2)
    # The doorway with light and the batwing doors.
    dx, dy, dw, dh = x + 120, y + 232, 90, walk - y - 232
    ctx.rectangle(dx, dy, dw, dh)
    g = cairo.RadialGradient(dx + dw / 2, dy + dh / 2, 5, dx + dw / 2, dy + dh / 2, 80)
    g.add_color_stop_rgb(0, 1, 0.93, 0.65)
    g.add_color_stop_rgb(1, 0.95, 0.6, 0.25)
    art.fill_stroke(ctx, g, line=2.5)
    for k in (0, 1):
        bx = dx + k * dw / 2 + 2
        bw = dw / 2 - 4
        ctx.move_to(bx, dy + 40)
        ctx.line_to(bx + bw, dy + 40)
        ctx.line_to(bx + bw, dy + 90)
        ctx.curve_to(bx + bw * 0.6, dy + 96, bx + bw * 0.4, dy + 96, bx, dy + 90)
        ctx.close_path()
        art.fill_stroke(ctx, mix(WOOD, SUNSET_RED, 0.2), line=2)
        for sl in range(3):
            ctx.rectangle(bx + 6 + sl * (bw - 12) / 3.0, dy + 48, (bw - 12) / 3.0 - 4, 36)
            ctx.set_source_rgba(*OUTLINE, 0.45)
            ctx.fill()
    # The light spilling onto the boardwalk and street.
    g = cairo.RadialGradient(dx + dw / 2, walk + 10, 5, dx + dw / 2, walk + 10, 140)
    g.add_color_stop_rgba(0, 1, 0.85, 0.5, 0.45)
    g.add_color_stop_rgba(1, 1, 0.85, 0.5, 0)
    # The boardwalk.
    ctx.rectangle(x - 30, walk, w + 30, 16)
    art.fill_stroke(ctx, art.vertical_gradient(walk, walk + 16, [(0, WOOD_LIGHT), (1, WOOD_DARK)]),
                    line=2)
    ctx.set_source(g)
    ctx.arc(dx + dw / 2, walk + 10, 140, 0, 2 * math.pi)
    ctx.fill()
    # Hitching rail and a barrel.
    ctx.rectangle(x - 110, walk - 10, 100, 7)
    art.fill_stroke(ctx, WOOD, line=2)
    for px in (x - 104, x - 24):
        ctx.rectangle(px, walk - 10, 7, 34)
        art.fill_stroke(ctx, WOOD_DARK, line=2)
    barrel(ctx, x + 300, walk + 8)


def window(ctx, x, y, w, h):
    ctx.rectangle(x - 5, y - 5, w + 10, h + 10)
    art.fill_stroke(ctx, WOOD_DARK, line=2)
    ctx.rectangle(x, y, w, h)
    g = art.vertical_gradient(y, y + h, [(0, art.rgb("ffd98a")), (1, art.rgb("e08a3a"))])
    art.fill_stroke(ctx, g, line=2)
    ctx.move_to(x + w / 2.0, y)
    ctx.line_to(x + w / 2.0, y + h)
    ctx.move_to(x, y + h / 2.0)
    ctx.line_to(x + w, y + h / 2.0)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(3)
    ctx.stroke()


def barrel(ctx, x, y):
    ctx.move_to(x - 20, y)
    ctx.curve_to(x - 26, y - 25, x - 26, y - 45, x - 20, y - 60)
    ctx.line_to(x + 20, y - 60)
    ctx.curve_to(x + 26, y - 45, x + 26, y - 25, x + 20, y)
    ctx.close_path()
    g = cairo.LinearGradient(x - 24, 0, x + 24, 0)
    g.add_color_stop_rgb(0, *WOOD_DARK)
    g.add_color_stop_rgb(0.4, *WOOD_LIGHT)
    g.add_color_stop_rgb(1, *WOOD_DARK)
    art.fill_stroke(ctx, g, line=2)
    for hy in (y - 12, y - 48):
        ctx.move_to(x - 23, hy)
        ctx.line_to(x + 23, hy)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(3)
        ctx.stroke()


def front_figure(ctx, fp, layers, shadow=False):
    """Draws a character seen from the front from the cast's layers, back to front; ctx has
    the figure's anchor (the floor point under it) at its origin."""
    import figure as F
    if shadow:
        F.front_shadow(ctx, fp)
    for layer in sorted(layers, key=lambda l: l.z):
        if layer.arm:
            for side in (-1, 1):
                layer.front(ctx, fp, side, False)
        else:
            layer.front(ctx, fp, None, False)


# ---- the credits ----------------------------------------------------------------------------

CREDIT_HEADINGS = {
    "cred_design": "Design",
    "cred_programming": "Programming",
    "cred_graphics": "Graphics",
    "cred_musicsound": "Music & Sound",
    "cred_testers": "Testers",
    "cred_cast": "The Cast",
    "cred_ack": "With Thanks",
}


def draw_heading(text):
    """A credits heading: the name on a red ribbon banner with forked tails, readable on the
    darkened cover."""
    size = 30
    probe, pctx = art.surface(4, 4)
    tw = text_width(pctx, text, size, 0.9)
    bw = int(tw + 70)
    w, h = bw + 60, 60
    s, ctx = art.surface(w, h)
    x0, x1, y0, bh = 30, 30 + bw, 10, 38
    red = SUNSET_RED
    for side in (-1, 1):
        ex = x0 if side < 0 else x1
        ctx.move_to(ex + side * 8, y0 + 10)
        ctx.line_to(ex - side * 26 + side * 0, y0 + 10)
        ctx.line_to(ex - side * 26, y0 + 10 + bh)
        ctx.line_to(ex + side * 8, y0 + 10 + bh)
        ctx.close_path()
        art.fill_stroke(ctx, mix(red, OUTLINE, 0.4), line=2)
        ox = ex - side * 26
        ctx.move_to(ox, y0 + 10)
        ctx.line_to(ox - side * 0 + side * -0, y0 + 10)
        ctx.line_to(ox + side * -0, y0 + 10)
    for side in (-1, 1):
        ex = 4 if side < 0 else w - 4
        ctx.move_to(ex, y0 + 10)
        ctx.line_to(ex + side * -30, y0 + 10)
        ctx.line_to(ex + side * -30, y0 + 10 + bh)
        ctx.line_to(ex, y0 + 10 + bh)
        ctx.line_to(ex + side * -12, y0 + 10 + bh / 2.0)
        ctx.close_path()
        art.fill_stroke(ctx, mix(red, OUTLINE, 0.45), line=2)
    art.rounded_rect(ctx, x0, y0, bw, bh, 3)
    g = art.vertical_gradient(y0, y0 + bh, [(0, mix(red, CREAM, 0.25)), (0.5, red),
                                            (1, mix(red, OUTLINE, 0.3))])
    art.fill_stroke(ctx, g, line=2.5)
    ctx.move_to(x0 + 6, y0 + 4.5)
    ctx.line_to(x1 - 6, y0 + 4.5)
    ctx.move_to(x0 + 6, y0 + bh - 4.5)
    ctx.line_to(x1 - 6, y0 + bh - 4.5)
    ctx.set_source_rgba(*BRASS_LIGHT, 0.6)
    ctx.set_line_width(1.2)
    ctx.set_dash([4, 3])
    ctx.stroke()
    ctx.set_dash([])
    western_text(ctx, text, w / 2.0, y0 + bh - 10, size, brass_gradient(y0 + 4, y0 + bh), line=2,
                 squeeze=0.9)
    return s


def draw_spacer():
    s, ctx = art.surface(60, 1)
    return s


PORTRAIT_W, PORTRAIT_H = 136, 168


def portrait_frame(draw_inside, backdrop, seed):
    """A picture in an oval brass-and-wood frame, as hung behind a bar."""
    w, h = PORTRAIT_W, PORTRAIT_H
    s, ctx = art.surface(w, h)
    cx, cy = w / 2.0, h / 2.0

    def oval(rx, ry):
        ctx.save()
        ctx.translate(cx, cy)
        ctx.scale(rx, ry)
        ctx.arc(0, 0, 1, 0, 2 * math.pi)
        ctx.restore()
    oval(w / 2.0 - 2, h / 2.0 - 2)
    path = ctx.copy_path()
    ctx.save()
    ctx.clip()
    art.wood_grain(ctx, 0, 0, w, h, WOOD_DARK, seed, along_x=False, period=h)
    ctx.restore()
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    oval(w / 2.0 - 9, h / 2.0 - 9)
    art.fill_stroke(ctx, brass_gradient(0, h), line=1.5)
    rx, ry = w / 2.0 - 14, h / 2.0 - 14
    oval(rx, ry)
    inner = ctx.copy_path()
    ctx.save()
    ctx.clip()
    g = cairo.RadialGradient(cx, cy - 20, 10, cx, cy, ry * 1.2)
    g.add_color_stop_rgb(0, *mix(backdrop, CREAM, 0.35))
    g.add_color_stop_rgb(1, *mix(backdrop, OUTLINE, 0.35))
    ctx.set_source(g)
    ctx.paint()
    ctx.save()
    draw_inside(ctx, cx, cy)
    ctx.restore()
    # A soft vignette over the picture.
    g = cairo.RadialGradient(cx, cy, ry * 0.6, cx, cy, ry * 1.05)
    g.add_color_stop_rgba(0, 0, 0, 0, 0)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.35)
    ctx.set_source(g)
    ctx.paint()
    ctx.restore()
    ctx.new_path()
    ctx.append_path(inner)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(2)
    ctx.stroke()
    # A highlight on the brass at the upper left.
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(w / 2.0 - 11.5, h / 2.0 - 11.5)
    ctx.arc(0, 0, 1, math.pi * 1.05, math.pi * 1.45)
    ctx.restore()
    ctx.set_source_rgba(1, 1, 0.9, 0.6)
    ctx.set_line_width(2)
    ctx.stroke()
    return s


def bust(layers, head=None, scale=2.0, neck_y=62, fp=None):
    """A drawer of a cast member's front view, scaled so that the neck sits neck_y pixels above
    the frame's centre... below its top: the head and chest fill the oval."""
    import figure as F

    def draw(ctx, cx, cy):
        pose = fp or F.FrontPose()
        ctx.translate(cx, neck_y)
        ctx.scale(scale, scale)
        ctx.translate(-pose.neck()[0], -pose.neck()[1])
        front_figure(ctx, pose, layers)
        if head:
            head(ctx, pose.neck())
    return draw


def customer_head(htype, hair, whisk, hat, extra=None):
    import cast

    def draw(ctx, neck):
        ctx.save()
        ctx.translate(*neck)
        cast.draw_face(ctx, "d", cast.SKINS[cast.HEAD_SKIN[htype]], htype)
        cast.draw_hair(ctx, "d", hair, 1, htype)
        cast.draw_whiskers(ctx, "d", whisk, htype)
        if extra:
            extra(ctx)
        cast.draw_hat(ctx, "d", hat, htype)
        ctx.restore()
    return draw


def sprite_drawer(surf, ax, ay, scale, dx=0, dy=0):
    """A drawer that paints a cast picture (anchor ax, ay) scaled, anchored at the frame's
    centre moved by (dx, dy)."""
    def draw(ctx, cx, cy):
        ctx.translate(cx + dx, cy + dy)
        ctx.scale(scale, scale)
        ctx.set_source_surface(surf, -ax, -ay)
        ctx.paint()
    return draw


def portraits():
    import cast
    import critters
    import dolly
    import figure as F
    out = {}
    # Dolly, outfit 1.
    out["p_dolly"] = portrait_frame(bust(
        [dolly.torso_layer(dolly.BLOUSES[1], dolly.RIBBONS[1]), dolly.eye_layer(),
         dolly.arms_layer(), dolly.sleeves_layer(dolly.BLOUSES[1]), dolly.hand_layer(dolly.SKIN)],
        neck_y=92), art.rgb("c0463a"), 1)
    # Hank, the regular: red shirt, brown vest, a full mug raised.
    hank_pose = F.FrontPose(arms_up=(0.0, 1.0), hold={1: "f"})
    out["p_hank"] = portrait_frame(bust(
        [cast.torso_layer(cast.SHIRTS["1"], belly=4), cast.vest_layer(cast.VESTS["1"]),
         cast.collar_layer(cast.NECKERCHIEF["1"]), cast.skin_arm_layer(cast.SKINS["2"]),
         cast.sleeve_layer(cast.SHIRTS["1"]), cast.bottle_layer()],
        head=customer_head(8, 1, 1, "a"), fp=hank_pose, neck_y=96), art.rgb("d9822b"), 2)
    # The thief: striped dark shirt, bowler, mask.
    out["p_ladron"] = portrait_frame(bust(
        [cast.torso_layer(cast.SHIRTS["hl"], stripes=True), cast.collar_layer(cast.SHIRTS["hl"]),
         cast.skin_arm_layer(cast.SKINS["1"]), cast.sleeve_layer(cast.SHIRTS["hl"])],
        head=customer_head(1, 1, 0, "d", extra=lambda c: cast._mask(c, "d")), neck_y=96),
        art.rgb("4a4a58"), 3)
    # The sheriff: tan shirt, star, moustache, white hat.
    out["p_sheriff"] = portrait_frame(bust(
        [cast.torso_layer(cast.SHIRTS["hs"], belly=3, star=True),
         cast.collar_layer(cast.NECKERCHIEF["hs"]), cast.skin_arm_layer(cast.SKINS["2"]),
         cast.sleeve_layer(cast.SHIRTS["hs"])],
        head=customer_head(3, 1, 1, "i"), neck_y=100), art.rgb("b89a62"), 4)
    # The guard on his barrel, and his dog (their game pictures, scaled).
    guard = cairo.ImageSurface(cairo.FORMAT_ARGB32, critters.MARIACHI_W, critters.MARIACHI_H)
    gctx = cairo.Context(guard)
    for layer in ("torso", "canana", "lh", "ra", "rh"):
        surf, _, _ = critters.mariachi_layer(layer, 0.0, 0.0, 0)
        gctx.set_source_surface(surf, 0, 0)
        gctx.paint()
    out["p_mariachi"] = portrait_frame(sprite_drawer(guard, critters.MX, critters.MY, 1.3,
                                                     dx=-6, dy=112), art.rgb("d8b048"), 5)
    out["p_perro"] = portrait_frame(sprite_drawer(critters.dog_frame(0.0, 0.0, 0)[0], 60, 122, 1.15,
                                                  dx=-6, dy=52), art.rgb("58a060"), 6)
    # The undertaker: black coat, white collar, black tie, top hat.
    out["p_funebre"] = portrait_frame(bust(
        [cast.torso_layer(cast.SHIRTS["f"], coat=True),
         cast.collar_layer(cast.NECKERCHIEF["f"], tie=cast.SHIRTS["f"]),
         cast.skin_arm_layer(cast.SKINS["1"]), cast.sleeve_layer(cast.SHIRTS["f"])],
        head=customer_head(12, 1, 0, "f"), neck_y=104), art.rgb("8d867c"), 7)
    # The piano player: blue-grey coat, bowler, moustache.
    coat = art.rgb("3a3a58")
    out["p_pianista"] = portrait_frame(bust(
        [cast.torso_layer(coat), cast.collar_layer(art.rgb("f4f0e8"), tie=art.rgb("8a2a3a")),
         cast.skin_arm_layer(art.rgb("e0a878")), cast.sleeve_layer(coat)],
        head=customer_head(5, 1, 1, "d"), neck_y=98), art.rgb("3f8aa8"), 8)
    # The lady in pink: pink dress, golden curls, a hat with a feather.
    pink = art.rgb("e070a0")
    out["p_pinkie"] = portrait_frame(bust(
        [cast.torso_layer(pink), cast.collar_layer(art.rgb("f8d0e0")),
         cast.skin_arm_layer(cast.SKINS["5"]), cast.sleeve_layer(pink)],
        head=lady_head, neck_y=100), art.rgb("e8a0c0"), 9)
    return out


def lady_head(ctx, neck):
    import figure as F
    x, y = neck
    skin = art.rgb("f6c0a8")
    hair = art.rgb("e0b048")
    pink = art.rgb("e070a0")
    cy = y - 17
    F.ellipse(ctx, x, cy + 2, 15, 13, hair, line=1.5)               # curls behind
    for cx in (-13, 13):
        F.ellipse(ctx, x + cx, cy + 8, 5, 7, hair, line=1.3)
    F.stroke_path(ctx, [(x, y + 2), (x, y - 6)], 8, skin)
    F.ellipse(ctx, x, cy, 12, 14, skin, grad=F.radial(x, cy, 14, skin))
    F.poly(ctx, [(x - 12, cy - 2), (x - 9, cy - 12), (x, cy - 15), (x + 9, cy - 12), (x + 12, cy - 2),
                 (x + 6, cy - 8), (x - 6, cy - 8)], hair, line=1.4)
    for ex in (-5, 5):
        F.ellipse(ctx, x + ex, cy - 1, 1.6, 2.4, (0.1, 0.08, 0.06), line=0)
        ctx.move_to(x + ex - 3, cy - 5)
        ctx.line_to(x + ex + 3, cy - 5)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.2)
    ctx.stroke()
    for ex in (-7, 7):
        ctx.arc(x + ex, cy + 4, 2.5, 0, 2 * math.pi)
        ctx.set_source_rgba(0.95, 0.45, 0.5, 0.5)
        ctx.fill()
    F.ellipse(ctx, x, cy + 7, 2.6, 1.6, art.rgb("c8304a"), line=0.8)
    # The hat, tilted, with a feather.
    F.ellipse(ctx, x + 3, cy - 14, 17, 4, pink, line=1.5)
    F.poly(ctx, [(x - 6, cy - 14), (x - 4, cy - 23), (x + 10, cy - 23), (x + 12, cy - 14)], pink,
           grad=F.side_grad(x - 6, x + 12, pink))
    ctx.move_to(x + 8, cy - 20)
    ctx.curve_to(x + 18, cy - 34, x + 26, cy - 30, x + 30, cy - 36)
    ctx.curve_to(x + 28, cy - 24, x + 20, cy - 22, x + 8, cy - 18)
    ctx.close_path()
    art.fill_stroke(ctx, art.rgb("f8f0f4"), line=1.2)


def generate_credits(out_dir):
    art.save(draw_tapa(), out_dir, "tapa")
    for name, text in CREDIT_HEADINGS.items():
        art.save(draw_heading(text), out_dir, name)
    art.save(draw_spacer(), out_dir, "spacer60x1")
    for name, surf in portraits().items():
        art.save(surf, out_dir, name)
