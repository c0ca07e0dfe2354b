"""The parametric figure: one skeleton of joint positions per pose and frame, drawn as the separate
body layers the game stacks (legs, boots, torso, vest, belt, collar, arms, sleeves, hands, head,
hat, shadow), in the four facings.

Coordinates are screen pixels relative to the figure's anchor, the point on the floor under the
figure (y grows downwards, so the body has negative y). Every layer of every frame is drawn on a
canvas of the same size with the anchor at the same place, so the layers line up when the game
places all of a character's sprites at one point. The canvas insertion point is the anchor, moved
down by the facing's extra body offset, which the game adds when it places the sprites.

Side views are drawn facing right and mirrored for the left facing. Up and down facings are drawn
from behind and from the front.
"""

import math

import cairo

from art import OUTLINE, mix

CANVAS_W = 120
CANVAS_H = 190
ANCHOR_X = 60
ANCHOR_Y = 178

HIP_H = 62        # hip height standing
THIGH = 33
SHIN = 33
TORSO = 46        # hip to neck
SHOULDER_DROP = 5
UPPER_ARM = 25
FOREARM = 23
SEAT_H = 38       # chair seat height: the hip of a seated figure
SIT_HIP_X = -6    # the seated hip lies a little behind the anchor (over the chair)

LINE = 2.0


def shade(c, k=0.72):
    return mix((0, 0, 0), c, k)


def light(c, k=0.35):
    return mix(c, (1, 1, 1), k)


# ---------------------------------------------------------------- skeleton

def ik(hip, foot, l1=THIGH, l2=SHIN, knee_forward=True):
    """The knee of a two-link leg from hip to foot (the knee bends forward)."""
    dx, dy = foot[0] - hip[0], foot[1] - hip[1]
    d = math.hypot(dx, dy)
    d = min(d, l1 + l2 - 0.01)
    if d < 1e-6:
        return hip
    a = (l1 * l1 - l2 * l2 + d * d) / (2 * d)
    h = math.sqrt(max(0.0, l1 * l1 - a * a))
    mx, my = hip[0] + a * dx / d, hip[1] + a * dy / d
    # the perpendicular that points forward (+x) for a leg hanging down
    px, py = -dy / d, dx / d
    if px < 0 or (px == 0 and not knee_forward):
        px, py = -px, -py
    if not knee_forward:
        px, py = -px, -py
    return (mx + h * px, my + h * py)


def limb(start, angle, length):
    """The end of a limb hanging at `angle` degrees from straight down, forward positive."""
    r = math.radians(angle)
    return (start[0] + length * math.sin(r), start[1] + length * math.cos(r))


class Pose:
    """Joint positions of one frame (side view, facing right)."""

    def __init__(self, hip=(0.0, -HIP_H), lean=0.0, feet=None, arms=None, hold=None,
                 knee_back=False):
        self.hip = hip
        self.lean = lean
        self.feet = feet or {"near": (2.0, 0.0), "far": (-2.0, 0.0)}
        # arm: (shoulder angle, elbow bend) in degrees
        self.arms = arms or {"near": (4.0, 8.0), "far": (-4.0, 8.0)}
        self.hold = hold or {}  # arm -> mug look ("f", "h", "e") held in that hand
        self.knee_back = knee_back

    def neck(self):
        r = math.radians(self.lean)
        return (self.hip[0] + TORSO * math.sin(r), self.hip[1] - TORSO * math.cos(r))

    def shoulder(self):
        n = self.neck()
        r = math.radians(self.lean)
        return (n[0] - SHOULDER_DROP * math.sin(r) * 0.5, n[1] + SHOULDER_DROP)

    def leg(self, which):
        foot = self.feet[which]
        hip = (self.hip[0] + (1.5 if which == "near" else -1.5), self.hip[1])
        knee = ik(hip, foot)
        return hip, knee, foot

    def arm(self, which):
        s = self.shoulder()
        a, e = self.arms[which]
        elbow = limb(s, a, UPPER_ARM)
        hand = limb(elbow, a + e, FOREARM)
        return s, elbow, hand


def standing_neck():
    return Pose().neck()


# ---------------------------------------------------------------- drawing helpers

def stroke_path(ctx, pts, width, colour, outline=True, cap=cairo.LINE_CAP_ROUND):
    """A thick limb along the points, with a dark outline, a soft shade and a highlight."""
    ctx.save()
    ctx.set_line_cap(cap)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)

    def path():
        ctx.new_path()
        ctx.move_to(*pts[0])
        for p in pts[1:]:
            ctx.line_to(*p)

    if outline:
        path()
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(width + 2 * LINE)
        ctx.stroke()
    path()
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(width)
    ctx.stroke()
    # shade along the back edge, highlight along the front
    ctx.translate(-width * 0.22, 0)
    path()
    ctx.set_source_rgba(*shade(colour), 0.45)
    ctx.set_line_width(width * 0.35)
    ctx.stroke()
    ctx.translate(width * 0.5, -0.5)
    path()
    ctx.set_source_rgba(*light(colour), 0.55)
    ctx.set_line_width(max(1.0, width * 0.18))
    ctx.stroke()
    ctx.restore()


def poly(ctx, pts, colour, line=LINE, close=True, grad=None):
    ctx.new_path()
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        ctx.line_to(*p)
    if close:
        ctx.close_path()
    if grad is not None:
        ctx.set_source(grad)
    else:
        ctx.set_source_rgb(*colour)
    ctx.fill_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(line)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()


def side_grad(x0, x1, colour):
    g = cairo.LinearGradient(x0, 0, x1, 0)
    g.add_color_stop_rgb(0, *shade(colour, 0.78))
    g.add_color_stop_rgb(0.55, *colour)
    g.add_color_stop_rgb(1, *light(colour, 0.25))
    return g


def ellipse(ctx, cx, cy, rx, ry, colour, line=LINE, grad=None):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(rx, ry)
    ctx.new_path()
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    if grad is not None:
        ctx.set_source(grad)
    else:
        ctx.set_source_rgb(*colour)
    ctx.fill_preserve()
    if line:
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(line)
        ctx.stroke()
    else:
        ctx.new_path()


def radial(cx, cy, r, colour):
    g = cairo.RadialGradient(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.1)
    g.add_color_stop_rgb(0, *light(colour, 0.3))
    g.add_color_stop_rgb(0.6, *colour)
    g.add_color_stop_rgb(1, *shade(colour, 0.8))
    return g


# ---------------------------------------------------------------- mugs in hand

MUG_GLASS = (0.80, 0.88, 0.86)
BEER = (0.93, 0.66, 0.16)
FOAM = (1.0, 0.98, 0.9)


def draw_mug(ctx, x, y, fill, scale=1.0):
    """A glass beer mug centred at (x, y); fill "f" full, "h" half, "e" empty."""
    w, h = 11 * scale, 14 * scale
    ctx.save()
    x0, y0 = x - w / 2, y - h / 2
    # handle
    ctx.new_path()
    ctx.arc(x0 + w, y0 + h / 2, h * 0.3, -math.pi / 2, math.pi / 2)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(4 * scale)
    ctx.stroke()
    ctx.new_path()
    ctx.arc(x0 + w, y0 + h / 2, h * 0.3, -math.pi / 2, math.pi / 2)
    ctx.set_source_rgb(*MUG_GLASS)
    ctx.set_line_width(1.8 * scale)
    ctx.stroke()
    ctx.rectangle(x0, y0, w, h)
    ctx.set_source_rgb(*MUG_GLASS)
    ctx.fill()
    level = {"f": 0.15, "h": 0.55, "l": 0.78, "e": 1.0}.get(fill, 1.0)
    if level < 1.0:
        ctx.rectangle(x0 + 1, y0 + h * level, w - 2, h * (1 - level) - 1)
        ctx.set_source_rgb(*BEER)
        ctx.fill()
        if fill == "f":
            ellipse(ctx, x, y0 + 1, w * 0.6, 3 * scale, FOAM, line=1.0)
    ctx.rectangle(x0 + 2, y0 + 2, 2, h - 4)
    ctx.set_source_rgba(1, 1, 1, 0.6)
    ctx.fill()
    ctx.rectangle(x0, y0, w, h)
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(LINE * scale)
    ctx.stroke()
    ctx.restore()


# ---------------------------------------------------------------- canvas

def canvas():
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, CANVAS_W, CANVAS_H)
    ctx = cairo.Context(s)
    ctx.set_antialias(cairo.ANTIALIAS_GOOD)
    ctx.translate(ANCHOR_X, ANCHOR_Y)
    return s, ctx


def mirrored(surface):
    """The picture mirrored left to right (the left facing of a right-facing frame)."""
    w, h = surface.get_width(), surface.get_height()
    out = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    ctx = cairo.Context(out)
    ctx.translate(w, 0)
    ctx.scale(-1, 1)
    ctx.set_source_surface(surface, 0, 0)
    ctx.paint()
    return out


def is_blank(surface):
    surface.flush()
    data = surface.get_data()
    return not any(bytes(data))


# ---------------------------------------------------------------- body layers (side view)

def draw_legs(ctx, pose, colour, bare=False):
    for which in ("far", "near"):
        hip, knee, foot = pose.leg(which)
        c = shade(colour, 0.8) if which == "far" else colour
        ankle = (foot[0], foot[1] - 6)
        stroke_path(ctx, [hip, knee, ankle], 9 if bare else 13, c)


def draw_boots(ctx, pose, colour, tall=True):
    for which in ("far", "near"):
        hip, knee, foot = pose.leg(which)
        c = shade(colour, 0.8) if which == "far" else colour
        top = (knee[0] * 0.45 + foot[0] * 0.55, knee[1] * 0.45 + foot[1] * 0.55) if tall \
            else (foot[0], foot[1] - 9)
        stroke_path(ctx, [top, (foot[0], foot[1] - 4)], 12, c)
        poly(ctx, [(foot[0] - 6, foot[1] - 9), (foot[0] + 5, foot[1] - 8), (foot[0] + 11, foot[1] - 3),
                   (foot[0] + 11, foot[1]), (foot[0] - 7, foot[1]), (foot[0] - 7, foot[1] - 6)], c)
        ctx.rectangle(foot[0] - 7, foot[1] - 2, 5, 2)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()


def torso_outline(pose, width_hip=11, width_chest=13, belly=0):
    hip, neck = pose.hip, pose.neck()
    r = math.radians(pose.lean)
    ux, uy = math.sin(r), -math.cos(r)     # up along the torso
    fx, fy = -uy, ux                       # forward
    def at(t, f):
        return (hip[0] + ux * TORSO * t + fx * f, hip[1] + uy * TORSO * t + fy * f)
    return [at(0, -width_hip), at(0, width_hip + belly * 0.5), at(0.45, width_chest + belly),
            at(0.9, width_chest), at(1.0, 5), at(1.0, -7), at(0.9, -width_chest + 1),
            at(0.45, -width_chest + 1)]


def draw_torso(ctx, pose, colour, belly=0, coat=False):
    pts = torso_outline(pose, belly=belly)
    if coat:  # a long coat reaches to the knees
        hip = pose.hip
        k1 = pose.leg("near")[1]
        pts = [(hip[0] - 12, k1[1] - 4), (k1[0] + 8, k1[1] - 4)] + pts[2:]
    xs = [p[0] for p in pts]
    poly(ctx, pts, colour, grad=side_grad(min(xs), max(xs), colour))
    # buttons down the front
    hip, neck = pose.hip, pose.neck()
    for t in (0.35, 0.6, 0.82):
        x = hip[0] + (neck[0] - hip[0]) * t + 9 + belly * (0.6 if t < 0.6 else 0.2)
        y = hip[1] + (neck[1] - hip[1]) * t
        ctx.arc(x, y, 1.2, 0, 2 * math.pi)
        ctx.set_source_rgb(*OUTLINE)
        ctx.fill()


def draw_vest(ctx, pose, colour):
    hip, neck = pose.hip, pose.neck()
    def p(t, f):
        return (hip[0] + (neck[0] - hip[0]) * t + f, hip[1] + (neck[1] - hip[1]) * t)
    pts = [p(0.05, -12), p(0.0, 10), p(0.5, 13), p(0.85, 6), p(0.95, -2), p(0.9, -13), p(0.5, -13)]
    poly(ctx, pts, colour, grad=side_grad(hip[0] - 13, hip[0] + 13, colour))


def draw_belt(ctx, pose, colour, buckle=(0.83, 0.64, 0.22)):
    hip = pose.hip
    y = hip[1] - 4
    poly(ctx, [(hip[0] - 12, y - 3), (hip[0] + 12, y - 3), (hip[0] + 12, y + 3), (hip[0] - 12, y + 3)],
         colour, line=1.5)
    ctx.rectangle(hip[0] + 7, y - 3.5, 6, 7)
    ctx.set_source_rgb(*buckle)
    ctx.fill_preserve()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(1.2)
    ctx.stroke()


def draw_collar(ctx, pose, colour, tie=None):
    n = pose.neck()
    poly(ctx, [(n[0] - 7, n[1] + 1), (n[0] + 7, n[1] + 1), (n[0] + 9, n[1] + 7), (n[0] + 2, n[1] + 5),
               (n[0] - 8, n[1] + 6)], colour, line=1.5)
    if tie:
        poly(ctx, [(n[0] + 5, n[1] + 4), (n[0] + 10, n[1] + 3), (n[0] + 9, n[1] + 16), (n[0] + 6, n[1] + 16)],
             tie, line=1.2)


def draw_arm(ctx, pose, which, skin, sleeve=None, hand=True, bare_len=0.0, glove=None):
    s, e, h = pose.arm(which)
    dim = 0.8 if which == "far" else 1.0
    if skin is not None:
        stroke_path(ctx, [s, e, h], 8, shade(skin, dim))
    if sleeve is not None:
        # the sleeve covers the arm down to the wrist (or to bare_len along the forearm); its
        # round end stops short of the hand, so that the hand shows
        t = 1.0 - bare_len
        w = (e[0] + (h[0] - e[0]) * (t - 0.45), e[1] + (h[1] - e[1]) * (t - 0.45))
        stroke_path(ctx, [s, e, w], 10, shade(sleeve, dim))
    if hand:
        c = glove if glove is not None else skin
        if c is not None:
            ellipse(ctx, h[0], h[1], 4.5, 4.5, shade(c, dim), line=1.6, grad=None)


def draw_held_mug(ctx, pose, which, fill):
    s, e, h = pose.arm(which)
    draw_mug(ctx, h[0] + 3, h[1] - 4, fill, 0.9)


def draw_shadow(ctx, pose, sitting=False):
    cx = pose.hip[0] + (8 if sitting else 0)
    ellipse(ctx, cx, -1, 24 if not sitting else 28, 6, (0, 0, 0), line=0,
            grad=_shadow_grad(cx))


def _shadow_grad(cx):
    g = cairo.RadialGradient(cx, -1, 1, cx, -1, 24)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.45)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    return g


# ---------------------------------------------------------------- front and back views

class FrontPose:
    """A frame seen from the front (down) or the back (up): the feet lift by turns while walking,
    the arms swing."""

    def __init__(self, lift=(0.0, 0.0), swing=(0.0, 0.0), bob=0.0, arms_up=(0.0, 0.0),
                 hold=None):
        self.lift = lift      # (viewer-left leg, viewer-right leg) lift in px
        self.swing = swing    # arm swing in px (forward = down the screen for the front view)
        self.bob = bob
        self.arms_up = arms_up  # 0..1: forearm raised (carrying, taking)
        self.hold = hold or {}
        self.hip = (0.0, -HIP_H + bob)

    def neck(self):
        return (0.0, self.hip[1] - TORSO)


def front_legs(ctx, fp, colour, bare=False):
    for i, x in enumerate((-6, 6)):
        lift = fp.lift[i]
        hip = (x, fp.hip[1])
        foot = (x, -lift)
        knee = (x + (2 if x > 0 else -2) * (1 + lift / 4), (hip[1] + foot[1]) / 2)
        stroke_path(ctx, [hip, knee, (foot[0], foot[1] - 5)], 9 if bare else 13, colour)


def front_boots(ctx, fp, colour, tall=True):
    for i, x in enumerate((-6, 6)):
        lift = fp.lift[i]
        fy = -lift
        stroke_path(ctx, [(x, fy - (26 if tall else 10)), (x, fy - 4)], 12, colour)
        ellipse(ctx, x, fy - 3, 7, 4, colour, line=LINE)


def front_torso(ctx, fp, colour, belly=0, coat=False, back=False):
    hy, ny = fp.hip[1], fp.neck()[1]
    w = 15 + belly * 0.5
    bottom = hy + (22 if coat else 0)
    pts = [(-13, bottom), (13, bottom), (w, hy - 20), (15, ny + 5), (7, ny), (-7, ny), (-15, ny + 5),
           (-w, hy - 20)]
    poly(ctx, pts, colour, grad=side_grad(-15, 15, colour))
    if not back:
        for t in (0.3, 0.55, 0.8):
            ctx.arc(0, hy + (ny - hy) * t, 1.2, 0, 2 * math.pi)
            ctx.set_source_rgb(*OUTLINE)
            ctx.fill()


def front_vest(ctx, fp, colour, back=False):
    hy, ny = fp.hip[1], fp.neck()[1]
    if back:
        poly(ctx, [(-14, hy + 1), (14, hy + 1), (15, ny + 6), (-15, ny + 6)], colour)
        return
    for s in (-1, 1):
        poly(ctx, [(s * 3, hy + 1), (s * 14, hy + 1), (s * 15, ny + 6), (s * 8, ny + 1), (s * 3, hy - 18)],
             colour)


def front_belt(ctx, fp, colour, back=False, buckle=(0.83, 0.64, 0.22)):
    y = fp.hip[1] - 4
    poly(ctx, [(-14, y - 3), (14, y - 3), (14, y + 3), (-14, y + 3)], colour, line=1.5)
    if not back:
        ctx.rectangle(-4, y - 4, 8, 8)
        ctx.set_source_rgb(*buckle)
        ctx.fill_preserve()
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(1.2)
        ctx.stroke()


def front_collar(ctx, fp, colour, back=False, tie=None):
    ny = fp.neck()[1]
    poly(ctx, [(-8, ny), (8, ny), (9, ny + 6), (0, ny + 4), (-9, ny + 6)], colour, line=1.5)
    if tie and not back:
        poly(ctx, [(-2, ny + 4), (2, ny + 4), (3, ny + 16), (-3, ny + 16)], tie, line=1.2)


def front_arm(ctx, fp, side, skin, sleeve=None, glove=None, hand=True):
    """side -1 viewer-left arm, +1 viewer-right arm."""
    i = 0 if side < 0 else 1
    ny = fp.neck()[1]
    s = (side * 16, ny + 6)
    sw = fp.swing[i]
    up = fp.arms_up[i]
    e = (side * 19, ny + 27 + sw * 0.3)
    h = (side * (19 - 6 * up), ny + 50 + sw - 26 * up)
    if skin is not None:
        stroke_path(ctx, [s, e, h], 8, skin)
    if sleeve is not None:
        w = (e[0] + (h[0] - e[0]) * 0.55, e[1] + (h[1] - e[1]) * 0.55)
        stroke_path(ctx, [s, e, w], 10, sleeve)
    if hand:
        c = glove if glove is not None else skin
        if c is not None:
            ellipse(ctx, h[0], h[1], 4.5, 4.5, c, line=1.6)
    return h


def front_held_mug(ctx, fp, side, fill):
    i = 0 if side < 0 else 1
    ny = fp.neck()[1]
    up = fp.arms_up[i]
    h = (side * (19 - 6 * up), ny + 50 + fp.swing[i] - 26 * up)
    draw_mug(ctx, h[0], h[1] - 4, fill, 0.9)


def front_shadow(ctx, fp):
    ellipse(ctx, 0, -1, 22, 6, (0, 0, 0), line=0, grad=_shadow_grad(0))
