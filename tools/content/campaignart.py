"""The pictures of the campaign: the map of the territory with its 20 towns, the towns' saloon
overlays for both sides (which are also the towns' hit masks), the star plaques, the order board
below the map and the five rival owners' portraits.

    campaignart

The map screen is 800 x 600: the parchment tile ("map_0_tile") repeated across the top, the
towns' overlays over it, the map's drawing ("map_1", transparent wherever the parchment and the
overlays should show) above them, the saloon day's frame pieces around it ("borde_v",
"borde_h", "borde_e", drawn by hudart) and the board ("menu_campaign") along the bottom. The
star plaque of a held town ("map_star_<n>") is centred on the town's marker.

Each overlay "map_p_<n>" (the player's, blue) and "map_c_<n>" (the rival's, red) is a full-width
picture that is opaque only over its town's land: the town's cell of the map (the points nearer to
it than to any other town) within a fixed reach of its marker. The game finds the town under a
click as the first "map_p_<n>" that is not transparent there; the generator checks that each
town's marker and its surroundings hit that town.

The town names come from the text table (lang_en/messages.txt, "CityName<n>"), so the map and
the screens' texts always agree.
"""

import math
import os
import random

import cairo

import art
import shellart
from art import (BRASS, BRASS_DARK, BRASS_LIGHT, CREAM, OUTLINE, PARCHMENT, PARCHMENT_DARK,
                 WOOD, WOOD_DARK, WOOD_LIGHT, mix)

SCREEN_W = 800
MENU_H = 116
MAP_H = 600 - MENU_H
TILE_W = 200
BORDER = 8                 # the frame's width (hudart's borders)
CELL_REACH = 64            # how far a town's land reaches from its marker
TOWN_COUNT = 20

# The towns' star markers on the screen (the game's own table, campaignmap.cpp).
MARKERS = [(135, 51), (224, 86), (435, 86), (513, 105), (765, 73), (80, 200), (186, 214),
           (375, 193), (481, 218), (738, 211), (124, 335), (225, 327), (328, 345), (520, 336),
           (740, 320), (90, 431), (276, 414), (363, 451), (572, 377), (767, 431)]

# Neighbours (the campaign's rules, campaign.cpp): the roads of the map.
ADJACENT = {0: (1, 5, 6), 1: (0, 2, 6), 2: (1, 3, 6, 7), 3: (2, 4, 7, 8, 9), 4: (3, 9),
            5: (0, 6, 10), 6: (0, 1, 2, 5, 7, 10, 11), 7: (2, 3, 6, 8, 11, 12),
            8: (3, 7, 9, 12, 13, 14), 9: (3, 4, 8, 14), 10: (5, 6, 11, 15, 16),
            11: (6, 7, 10, 12, 16), 12: (7, 8, 11, 13, 16, 17), 13: (8, 12, 14, 17, 18),
            14: (8, 9, 13, 18, 19), 15: (10, 16), 16: (10, 11, 12, 15, 17), 17: (12, 13, 16, 18),
            18: (13, 14, 17, 19), 19: (14, 18)}

PLAYER_TINT = art.rgb("2f6fb0")
RIVAL_TINT = art.rgb("b8372a")
INK = art.rgb("4a2e18")
RIVER = art.rgb("4f8fb8")
NAME_FACE = "DejaVu Serif Condensed"

# The river's course, from the top edge down to the bottom edge, between the towns.
RIVER_COURSE = [(318, -4), (322, 40), (338, 120), (300, 160), (282, 250), (276, 300),
                (262, 372), (200, 392), (168, 440), (176, MAP_H + 4)]
# Mountains (x, y, size) in the north-east, a mesa country in the east, hills in the west.
MOUNTAINS = [(585, 150, 26), (615, 132, 32), (650, 148, 28), (682, 128, 22), (628, 176, 18),
             (566, 178, 16), (700, 168, 17)]
MESAS = [(640, 262, 40, 16), (668, 292, 26, 12), (430, 270, 30, 11)]
HILLS = [(44, 290), (60, 120), (172, 140), (420, 388)]


def town_names(src_dir):
    """CityName0..19 from the English message table beside the pack's folder."""
    path = os.path.join(src_dir, os.pardir, "lang_en", "messages.txt")
    names = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split(None, 1)
            if len(words) == 2 and words[0].startswith("CityName"):
                names[int(words[0][len("CityName"):])] = words[1].strip()
    missing = [i for i in range(TOWN_COUNT) if i not in names]
    if missing:
        raise SystemExit("campaignart: CityName%s missing in %s" % (missing, path))
    return [names[i] for i in range(TOWN_COUNT)]


# ---- the towns' land -------------------------------------------------------------------------

def clip_half_plane(poly, px, py, nx, ny, c):
    """The part of the polygon where nx * x + ny * y <= c (Sutherland-Hodgman)."""
    out = []
    for i in range(len(poly)):
        ax, ay = poly[i]
        bx, by = poly[(i + 1) % len(poly)]
        da = nx * ax + ny * ay - c
        db = nx * bx + ny * by - c
        if da <= 0:
            out.append((ax, ay))
        if (da < 0 < db) or (db < 0 < da):
            t = da / (da - db)
            out.append((ax + (bx - ax) * t, ay + (by - ay) * t))
    return out


def town_cell(i):
    """The town's cell of the map: the points nearer to it than to any other town, a little
    shrunk so that neighbouring overlays leave a thin seam."""
    poly = [(0, 0), (SCREEN_W, 0), (SCREEN_W, MAP_H), (0, MAP_H)]
    x0, y0 = MARKERS[i]
    for j, (x1, y1) in enumerate(MARKERS):
        if j == i:
            continue
        nx, ny = x1 - x0, y1 - y0
        length = math.hypot(nx, ny)
        mx, my = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        c = (nx * mx + ny * my) / length - 2.0
        poly = clip_half_plane(poly, x0, y0, nx / length, ny / length, c)
    return poly


def land_path(ctx, i):
    """The town's land: its cell within CELL_REACH of the marker, as the current path (and the
    clip region set to the reach)."""
    x, y = MARKERS[i]
    ctx.arc(x, y, CELL_REACH, 0, 2 * math.pi)
    ctx.clip()
    cell = town_cell(i)
    ctx.move_to(*cell[0])
    for p in cell[1:]:
        ctx.line_to(*p)
    ctx.close_path()


def draw_overlay(i, tint):
    """A side's saloon overlay of town i: the land washed in the side's colour, stronger at the
    town, with a hatched edge like a surveyor's colouring."""
    s, ctx = art.surface(SCREEN_W, MAP_H)
    x, y = MARKERS[i]
    ctx.save()
    land_path(ctx, i)
    path = ctx.copy_path()
    g = cairo.RadialGradient(x, y, 6, x, y, CELL_REACH)
    g.add_color_stop_rgba(0, tint[0], tint[1], tint[2], 0.78)
    g.add_color_stop_rgba(1, tint[0], tint[1], tint[2], 0.42)
    ctx.set_source(g)
    ctx.fill_preserve()
    ctx.clip()
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_source_rgba(*(mix(tint, OUTLINE, 0.35) + (0.95,)))
    ctx.set_line_width(5)
    ctx.set_dash([6, 3])
    ctx.stroke()
    ctx.restore()
    return s


def alpha_at(surface, x, y):
    data = surface.get_data()
    return data[y * surface.get_stride() + x * 4 + 3]


def check_masks(masks):
    """Every town's marker, and the points a few pixels round it, hit that town first."""
    for i, (x, y) in enumerate(MARKERS):
        for dx, dy in ((0, 0), (-12, 0), (12, 0), (0, -12), (0, 12)):
            px, py = x + dx, y + dy
            if not (0 <= px < SCREEN_W and 0 <= py < MAP_H):
                continue
            first = next((j for j, m in enumerate(masks) if alpha_at(m, px, py) > 0), -1)
            if first != i:
                raise SystemExit("campaignart: (%d, %d) by town %d hits town %d" % (px, py, i, first))


# ---- the map ---------------------------------------------------------------------------------

def draw_tile():
    """The parchment ground: a warm sheet with soft stains and fibres that repeat seamlessly
    across."""
    s, ctx = art.surface(TILE_W, MAP_H)
    g = art.vertical_gradient(0, MAP_H, [(0, mix(PARCHMENT, PARCHMENT_DARK, 0.35)),
                                         (0.45, PARCHMENT),
                                         (1, mix(PARCHMENT, PARCHMENT_DARK, 0.55))])
    ctx.set_source(g)
    ctx.paint()
    rnd = random.Random(4701)
    for _ in range(26):
        x, y = rnd.uniform(0, TILE_W), rnd.uniform(0, MAP_H)
        r = rnd.uniform(14, 46)
        for ox in (-TILE_W, 0, TILE_W):
            g = cairo.RadialGradient(x + ox, y, 0, x + ox, y, r)
            g.add_color_stop_rgba(0, *(PARCHMENT_DARK + (0.22,)))
            g.add_color_stop_rgba(1, *(PARCHMENT_DARK + (0.0,)))
            ctx.set_source(g)
            ctx.arc(x + ox, y, r, 0, 2 * math.pi)
            ctx.fill()
    ctx.set_line_width(0.8)
    for _ in range(160):
        x, y = rnd.uniform(0, TILE_W), rnd.uniform(0, MAP_H)
        a = rnd.uniform(0, math.pi)
        l = rnd.uniform(2, 6)
        for ox in (-TILE_W, 0, TILE_W):
            ctx.move_to(x + ox, y)
            ctx.line_to(x + ox + math.cos(a) * l, y + math.sin(a) * l)
        ctx.set_source_rgba(*(mix(PARCHMENT_DARK, OUTLINE, 0.3) + (0.25,)))
        ctx.stroke()
    return s


def smooth_path(ctx, points):
    """A curve through the points (Catmull-Rom as Bezier segments)."""
    ctx.move_to(*points[0])
    for i in range(len(points) - 1):
        p0 = points[max(i - 1, 0)]
        p1, p2 = points[i], points[i + 1]
        p3 = points[min(i + 2, len(points) - 1)]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6.0, p1[1] + (p2[1] - p0[1]) / 6.0)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6.0, p2[1] - (p3[1] - p1[1]) / 6.0)
        ctx.curve_to(c1[0], c1[1], c2[0], c2[1], p2[0], p2[1])


def draw_river(ctx):
    for width, colour, alpha in ((9, mix(RIVER, OUTLINE, 0.4), 0.8), (6, RIVER, 0.9),
                                 (2, mix(RIVER, CREAM, 0.5), 0.7)):
        smooth_path(ctx, RIVER_COURSE)
        ctx.set_source_rgba(*(colour + (alpha,)))
        ctx.set_line_width(width)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.stroke()


def draw_mountain(ctx, x, y, size):
    ctx.move_to(x - size, y)
    ctx.line_to(x - size * 0.1, y - size * 1.1)
    ctx.line_to(x + size, y)
    ctx.close_path()
    g = cairo.LinearGradient(x - size, 0, x + size, 0)
    g.add_color_stop_rgb(0, *mix(WOOD_LIGHT, CREAM, 0.25))
    g.add_color_stop_rgb(0.45, *WOOD_LIGHT)
    g.add_color_stop_rgb(0.46, *mix(WOOD, OUTLINE, 0.15))
    g.add_color_stop_rgb(1, *WOOD)
    art.fill_stroke(ctx, g, line=1.5, outline=INK)
    # Snow on the peak and the ridge's hatching.
    ctx.move_to(x - size * 0.1, y - size * 1.1)
    ctx.line_to(x - size * 0.36, y - size * 0.78)
    ctx.line_to(x - size * 0.12, y - size * 0.84)
    ctx.line_to(x + size * 0.2, y - size * 0.8)
    ctx.close_path()
    art.fill_stroke(ctx, CREAM, line=1.0, outline=INK)
    ctx.set_line_width(0.9)
    for k in range(3):
        t = 0.3 + k * 0.2
        ctx.move_to(x + size * t, y - size * (1 - t) * 0.9)
        ctx.line_to(x + size * (t - 0.12), y - size * 0.05)
    ctx.set_source_rgba(*(INK + (0.6,)))
    ctx.stroke()


def draw_mesa(ctx, x, y, w, h):
    ctx.move_to(x - w, y)
    ctx.line_to(x - w * 0.7, y - h)
    ctx.line_to(x + w * 0.7, y - h)
    ctx.line_to(x + w, y)
    ctx.close_path()
    art.fill_stroke(ctx, mix(art.DUST_ORANGE, WOOD, 0.35), line=1.4, outline=INK)
    ctx.set_line_width(0.8)
    for k in (0.35, 0.65):
        ctx.move_to(x - w * (1 - 0.3 * k), y - h * k)
        ctx.line_to(x + w * (1 - 0.3 * k), y - h * k)
    ctx.set_source_rgba(*(INK + (0.5,)))
    ctx.stroke()


def draw_hill(ctx, x, y):
    for dx, r in ((-9, 9), (6, 11), (18, 7)):
        ctx.arc(x + dx, y, r, math.pi, 2 * math.pi)
        ctx.set_source_rgba(*(INK + (0.7,)))
        ctx.set_line_width(1.2)
        ctx.stroke()


def draw_cactus(ctx, x, y, k):
    green = mix(art.FELT_GREEN, art.FELT_LIGHT, 0.4)
    art.rounded_rect(ctx, x - 2.5, y - 16 * k, 5, 16 * k, 2.5)
    art.fill_stroke(ctx, green, line=1.0, outline=INK)
    for side in (-1, 1):
        ax = x + side * 6
        art.rounded_rect(ctx, ax - 2, y - 13 * k, 4, 7 * k, 2)
        art.fill_stroke(ctx, green, line=1.0, outline=INK)


def far_from_towns(x, y, distance):
    return all(math.hypot(x - tx, y - ty) >= distance for tx, ty in MARKERS)


def near_river(x, y, distance):
    for (ax, ay), (bx, by) in zip(RIVER_COURSE, RIVER_COURSE[1:]):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
        if math.hypot(x - ax - vx * t, y - ay - vy * t) < distance:
            return True
    return False


def draw_roads(ctx):
    """Dusty trails between neighbouring towns, drawn once per pair, a little curved."""
    rnd = random.Random(4702)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for a in range(TOWN_COUNT):
        for b in ADJACENT[a]:
            if b <= a:
                continue
            (x0, y0), (x1, y1) = MARKERS[a], MARKERS[b]
            mx, my = (x0 + x1) / 2.0, (y0 + y1) / 2.0
            length = math.hypot(x1 - x0, y1 - y0)
            bend = rnd.uniform(-0.12, 0.12) * length
            cx, cy = mx - (y1 - y0) / length * bend, my + (x1 - x0) / length * bend
            ctx.move_to(x0, y0)
            ctx.curve_to(cx, cy, cx, cy, x1, y1)
            ctx.set_source_rgba(*(mix(WOOD, PARCHMENT, 0.35) + (0.55,)))
            ctx.set_line_width(4)
            ctx.set_dash([])
            ctx.stroke_preserve()
            ctx.set_source_rgba(*(INK + (0.75,)))
            ctx.set_line_width(1.3)
            ctx.set_dash([5, 4])
            ctx.stroke()
    ctx.set_dash([])


def draw_town(ctx, x, y):
    """A town's marker: a ring with a cluster of roofs, which a held town's star plaque covers."""
    ctx.new_path()
    ctx.arc(x, y, 11, 0, 2 * math.pi)
    art.fill_stroke(ctx, mix(PARCHMENT, CREAM, 0.5), line=1.6, outline=INK)
    for dx, h, w in ((-5, 7, 5), (1, 9, 6), (6, 6, 4)):
        ctx.rectangle(x + dx - w / 2.0, y + 5 - h, w, h)
        art.fill_stroke(ctx, mix(WOOD, art.SUNSET_RED, 0.3), line=0.9, outline=INK)
        ctx.move_to(x + dx - w / 2.0 - 1, y + 5 - h)
        ctx.line_to(x + dx, y + 5 - h - 3)
        ctx.line_to(x + dx + w / 2.0 + 1, y + 5 - h)
        ctx.close_path()
        art.fill_stroke(ctx, WOOD_DARK, line=0.9, outline=INK)


def draw_name(ctx, name, x, y, above):
    ctx.save()
    ctx.select_font_face(NAME_FACE, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(12.5)
    ext = ctx.text_extents(name)
    tx = min(max(x - ext.x_advance / 2.0, BORDER + 6), SCREEN_W - BORDER - 6 - ext.x_advance)
    ty = y - 19 if above else y + 27
    ctx.move_to(tx, ty)
    ctx.text_path(name)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_source_rgba(*(CREAM + (0.9,)))
    ctx.set_line_width(3.2)
    ctx.stroke_preserve()
    ctx.set_source_rgb(*INK)
    ctx.fill()
    ctx.restore()


def draw_compass(ctx, x, y, r):
    ctx.arc(x, y, r, 0, 2 * math.pi)
    ctx.set_source_rgba(*(INK + (0.8,)))
    ctx.set_line_width(1.2)
    ctx.stroke()
    for k in range(8):
        a = k * math.pi / 4 - math.pi / 2
        long_point = k % 2 == 0
        tip = r * (0.95 if long_point else 0.6)
        side = a + math.pi / 2
        w = r * 0.16
        ctx.move_to(x + math.cos(a) * tip, y + math.sin(a) * tip)
        ctx.line_to(x + math.cos(side) * w, y + math.sin(side) * w)
        ctx.line_to(x - math.cos(side) * w, y - math.sin(side) * w)
        ctx.close_path()
        fill = BRASS if k == 0 else (mix(WOOD, CREAM, 0.2) if long_point else PARCHMENT_DARK)
        art.fill_stroke(ctx, fill, line=0.9, outline=INK)
    ctx.save()
    ctx.select_font_face(NAME_FACE, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(11)
    ext = ctx.text_extents("N")
    ctx.move_to(x - ext.x_advance / 2.0, y - r - 4)
    ctx.set_source_rgb(*INK)
    ctx.show_text("N")
    ctx.new_path()
    ctx.restore()


def draw_cartouche(ctx, text, x, y):
    ctx.save()
    ctx.select_font_face(NAME_FACE, cairo.FONT_SLANT_ITALIC, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(17)
    ext = ctx.text_extents(text)
    w, h = ext.x_advance + 30, 28
    art.rounded_rect(ctx, x - w / 2.0, y - h / 2.0, w, h, 6)
    art.fill_stroke(ctx, mix(PARCHMENT, CREAM, 0.4), line=1.5, outline=INK)
    art.rounded_rect(ctx, x - w / 2.0 + 3, y - h / 2.0 + 3, w - 6, h - 6, 4)
    ctx.set_source_rgba(*(INK + (0.6,)))
    ctx.set_line_width(0.8)
    ctx.stroke()
    ctx.move_to(x - ext.x_advance / 2.0, y + 6)
    ctx.set_source_rgb(*INK)
    ctx.show_text(text)
    ctx.new_path()
    ctx.restore()


def draw_map(names):
    s, ctx = art.surface(SCREEN_W, MAP_H)
    draw_river(ctx)
    for x, y in HILLS:
        draw_hill(ctx, x, y)
    for x, y, size in sorted(MOUNTAINS, key=lambda m: m[1]):
        draw_mountain(ctx, x, y, size)
    for x, y, w, h in MESAS:
        draw_mesa(ctx, x, y, w, h)
    rnd = random.Random(4703)
    placed = 0
    while placed < 26:
        x, y = rnd.uniform(30, SCREEN_W - 30), rnd.uniform(40, MAP_H - 20)
        if far_from_towns(x, y, 42) and not near_river(x, y, 16) and \
                all(math.hypot(x - mx, y - my) > size + 14 for mx, my, size in MOUNTAINS) and \
                all(math.hypot(x - mx, y - my) > w + 10 for mx, my, w, h in MESAS):
            draw_cactus(ctx, x, y, rnd.uniform(0.7, 1.0))
            placed += 1
    draw_roads(ctx)
    # Bridges where the trails cross the river are the trails' own business: a plank or two.
    draw_compass(ctx, 668, 432, 22)
    draw_cartouche(ctx, "The Territory", 632, 34)
    for i, (x, y) in enumerate(MARKERS):
        draw_town(ctx, x, y)
    for i, (x, y) in enumerate(MARKERS):
        draw_name(ctx, names[i], x, y, above=y > MAP_H - 45)
    return s


# ---- stars, frame and board ------------------------------------------------------------------

def draw_star_plaque(n):
    """n brass stars on a small dark plaque, centred on a town's marker."""
    w, h = 10 + 13 * n, 20
    s, ctx = art.surface(w + 2, h + 2)
    art.rounded_rect(ctx, 1, 1, w, h, 6)
    art.fill_stroke(ctx, mix(WOOD_DARK, OUTLINE, 0.3), line=1.5, outline=OUTLINE)
    for k in range(n):
        art.star_path(ctx, 1 + 11.5 + 13 * k, 1 + h / 2.0 + 0.5, 6.2, 2.7)
        art.fill_stroke(ctx, shellart.brass_gradient(3, h - 1), line=1.0, outline=OUTLINE)
    return s


def draw_board():
    """The order board under the map: a wooden plank with the two sides' tallies (money under
    "$", stars under the star) on the left, the orders note pinned in the middle and the brass
    plate behind the buttons on the right."""
    s, ctx = art.surface(SCREEN_W, MENU_H)
    art.wood_grain(ctx, 0, 0, SCREEN_W, MENU_H, WOOD, 4705, along_x=True, period=200)
    ctx.rectangle(0, 0, SCREEN_W, 4)
    ctx.set_source_rgb(*OUTLINE)
    ctx.fill()
    for y in (38, 78):
        ctx.rectangle(0, y, 350, 1.5)
        ctx.set_source_rgba(*(OUTLINE + (0.5,)))
        ctx.fill()
    # The tally: side badges, then the headings.
    rows = ((40, PLAYER_TINT, "Dolly"), (75, RIVAL_TINT, "Rival"))
    for y, tint, who in rows:
        ctx.new_path()
        ctx.arc(22, y + 7, 8, 0, 2 * math.pi)
        art.fill_stroke(ctx, tint, line=1.5, outline=OUTLINE)
        shellart.plain_text(ctx, who, 36, y + 12, 14, CREAM, bold=True, centre=False)
    shellart.plain_text(ctx, "Money", 160, 28, 13, BRASS_LIGHT, bold=True)
    ctx.new_path()
    art.star_path(ctx, 282, 21, 8, 3.5)
    art.fill_stroke(ctx, shellart.brass_gradient(13, 29), line=1.0, outline=OUTLINE)
    # The orders note: a tanned hide of middle tone, on which both the black order and the
    # white notices read.
    shellart.parchment(ctx, 364, 10, 222, MENU_H - 18, 4706, colour=mix(WOOD_LIGHT, WOOD, 0.2),
                       stains=3)
    for x in (372, 578):
        art.rivet(ctx, x, 16, 2.5)
    # The plate behind the buttons.
    art.rounded_rect(ctx, 592, 6, 200, 44, 8)
    art.fill_stroke(ctx, mix(WOOD_DARK, OUTLINE, 0.3), line=1.5, outline=OUTLINE)
    return s


# ---- the rivals ------------------------------------------------------------------------------

def opponent_portraits():
    import cast
    bust, head, frame = shellart.bust, shellart.customer_head, shellart.portrait_frame
    out = {}
    # 0, the greenhorn: check shirt, straw hat, no whiskers.
    out["ai_opp0"] = frame(bust(
        [cast.torso_layer(cast.SHIRTS["2"]), cast.collar_layer(cast.NECKERCHIEF["2"]),
         cast.skin_arm_layer(cast.SKINS["3"]), cast.sleeve_layer(cast.SHIRTS["2"])],
        head=head(2, 2, 0, "c"), neck_y=98), art.rgb("9ab860"), 21)
    # 1, the miser: grey waistcoat, spectacles-grey hair, bowler.
    out["ai_opp1"] = frame(bust(
        [cast.torso_layer(art.rgb("7a7468")), cast.vest_layer(art.rgb("4a4238")),
         cast.collar_layer(art.rgb("f4f0e8"), tie=art.rgb("3a3428")),
         cast.skin_arm_layer(cast.SKINS["4"]), cast.sleeve_layer(art.rgb("7a7468"))],
        head=head(6, 1, 0, "d"), neck_y=98), art.rgb("c8b070"), 22)
    # 2, the gambler: red vest, black hat, moustache.
    out["ai_opp2"] = frame(bust(
        [cast.torso_layer(cast.SHIRTS["1"]), cast.vest_layer(art.rgb("8a1e22")),
         cast.collar_layer(art.rgb("1a1410")), cast.skin_arm_layer(cast.SKINS["2"]),
         cast.sleeve_layer(cast.SHIRTS["1"])],
        head=head(9, 1, 1, "b"), neck_y=98), art.rgb("5a8a5a"), 23)
    # 3, the colonel: blue coat, white whiskers, wide hat.
    coat = art.rgb("2e3e6a")
    out["ai_opp3"] = frame(bust(
        [cast.torso_layer(coat, coat=True), cast.collar_layer(art.rgb("f4f0e8"), tie=art.rgb("c8a030")),
         cast.skin_arm_layer(cast.SKINS["1"]), cast.sleeve_layer(coat)],
        head=head(3, 1, 1, "i"), neck_y=100), art.rgb("b89a62"), 24)
    # 4, the land baron: black frock coat, top hat, the sharpest tie in the territory.
    out["ai_opp4"] = frame(bust(
        [cast.torso_layer(cast.SHIRTS["f"], coat=True),
         cast.collar_layer(art.rgb("f4f0e8"), tie=art.rgb("8a1e22")),
         cast.skin_arm_layer(cast.SKINS["2"]), cast.sleeve_layer(cast.SHIRTS["f"])],
        head=head(12, 1, 1, "f"), neck_y=104), art.rgb("6a4a5a"), 25)
    return out


def generate(out_dir, src_dir, args):
    names = town_names(src_dir)
    art.save(draw_tile(), out_dir, "map_0_tile")
    art.save(draw_map(names), out_dir, "map_1")
    masks = []
    for i in range(TOWN_COUNT):
        player = draw_overlay(i, PLAYER_TINT)
        masks.append(player)
        art.save(player, out_dir, "map_p_%d" % i)
        art.save(draw_overlay(i, RIVAL_TINT), out_dir, "map_c_%d" % i)
    check_masks(masks)
    for n in range(1, 6):
        art.save(draw_star_plaque(n), out_dir, "map_star_%d" % n)
    art.save(draw_board(), out_dir, "menu_campaign")
    for name, surf in opponent_portraits().items():
        art.save(surf, out_dir, name)
