"""The cow, the guards (the mariachi and the dog with the gun) and the pianist.

The cow is drawn as the layers its template composes (near and far legs, head, neck, tail) plus
its torso and shadow, through the cast's writer (dedup, left facing mirrored at load time). The
guards and the pianist sit at fixed places facing the room; each of their layers is one set of
named sequences in one script.
"""

import hashlib
import math
import os

import cairo

import figure as F
from art import rgb
from cast import ALL, CUSTOMER_DY, L, S, SIDE, Writer

COW_WHITE = rgb("f4efe4")
COW_PATCH = rgb("2a2226")
COW_PINK = rgb("e8a0a0")
HORN = rgb("e8dcb8")


# ---------------------------------------------------------------- the cow

class CowPose:
    def __init__(self, step=None, sit=0.0, chew=0.0, front=False):
        self.step = step    # walk phase 0..1; None standing still
        self.sit = sit      # 0 standing .. 1 sitting on its haunches
        self.chew = chew
        self.front = front
        self.hip = (0.0, -60.0)


def cow_walk(d, i, half):
    return CowPose(step=(half * 4 + i) / 8.0, front=d not in SIDE)


def cow_sit(d, i, n):
    return CowPose(sit=min(1.0, i / float(n - 1)), front=d not in SIDE)


COW_STRIDE = 18.0   # as the people's: the planted hoof moves 9 px a frame at 8 frames a cycle


def _hoof_x(phase):
    """A hoof's offset and lift at a walk phase 0..1: planted and moving back at an even pace
    for the first half (so that it does not slide on the floor at the walk's speed), lifted
    forward for the second."""
    if phase < 0.5:
        return COW_STRIDE - 4 * COW_STRIDE * phase, 0.0
    t = (phase - 0.5) * 2
    return -COW_STRIDE + 2 * COW_STRIDE * t, 7.0 * math.sin(math.pi * t)


def _leg(ctx, x, top, phase, sit, colour, hind=False):
    dx, lift = _hoof_x(phase) if phase is not None else (0.0, 0.0)
    if sit:
        # folded under the sinking rump
        foot = (x + 10 * sit, -2.0)
        knee = (x + 16 * sit, top + (foot[1] - top) * 0.5)
    else:
        foot = (x + dx, -lift)
        bend = (-4 if hind else 3) - 0.25 * dx
        knee = ((x + foot[0]) * 0.5 + bend, top + (foot[1] - top) * 0.5)
    F.stroke_path(ctx, [(x, top), knee, (foot[0], foot[1] - 4)], 12, colour)
    F.poly(ctx, [(foot[0] - 6, foot[1] - 6), (foot[0] + 6, foot[1] - 6), (foot[0] + 7, foot[1]),
                 (foot[0] - 6, foot[1])], COW_PATCH, line=1.4)


def cow_piece(piece):
    def side(ctx, p, _):
        tilt = p.sit * 22          # the rear sinks while sitting
        body_y = -56 + p.sit * 8
        bx = -6                    # the body's centre
        if piece in ("patai", "patad"):
            far = piece == "patai"
            c = F.shade(COW_WHITE, 0.8) if far else COW_WHITE
            # diagonal pairs move together: near front with far hind, far front with near hind
            walking = p.step is not None
            front_ph = (p.step + (0.5 if far else 0.0)) % 1.0 if walking else None
            hind_ph = (p.step + (0.0 if far else 0.5)) % 1.0 if walking else None
            if p.sit:
                front_ph = hind_ph = None
            _leg(ctx, bx + 28 - (3 if far else 0), body_y + 12, front_ph, 0, c)
            _leg(ctx, bx - 28 - (3 if far else 0), body_y + 12 + tilt * 0.6, hind_ph, p.sit, c,
                 hind=True)
        elif piece == "torso":
            ctx.save()
            ctx.translate(bx, body_y)
            ctx.rotate(-math.radians(tilt * 0.6))
            F.ellipse(ctx, 0, 0, 40, 21, COW_WHITE, grad=F.radial(0, 0, 36, COW_WHITE))
            for (x, y, rx, ry) in ((-16, -7, 12, 9), (15, 3, 9, 8), (-30, 7, 6, 6), (2, -13, 6, 4)):
                F.ellipse(ctx, x, y, rx, ry, COW_PATCH, line=0)
            F.ellipse(ctx, -12, 20, 8, 5, COW_PINK, line=1.2)           # udder
            ctx.restore()
        elif piece == "cuello":
            F.stroke_path(ctx, [(bx + 30, body_y - 4), (bx + 42, body_y - 10)], 22, COW_WHITE)
        elif piece == "head":
            hx, hy = bx + 50, body_y - 12 + 1.5 * math.sin(p.chew * 6)
            for k in (-1, 1):   # horns, curving up
                F.poly(ctx, [(hx - 6 + 3 * k, hy - 8), (hx - 8 + 4 * k, hy - 19),
                             (hx - 2 + 3 * k, hy - 9)], HORN, line=1.3)
            F.ellipse(ctx, hx - 11, hy - 5, 6, 3.5, COW_PATCH, line=1.2)  # ear
            ctx.save()
            ctx.translate(hx, hy)
            ctx.rotate(math.radians(25))
            F.ellipse(ctx, 0, 0, 11, 9, COW_WHITE, grad=F.radial(0, 0, 10, COW_WHITE))
            F.ellipse(ctx, 7, 3, 6, 6, COW_PINK, line=1.5)               # muzzle
            F.ellipse(ctx, 8, 2, 1.2, 1.6, (0.35, 0.15, 0.15), line=0)    # nostril
            ctx.restore()
            F.ellipse(ctx, hx - 1, hy - 4, 1.8, 2.2, (0.1, 0.08, 0.06), line=0)  # eye
            ctx.arc(hx - 6, hy + 11, 3.5, 0, 2 * math.pi)                 # bell
            ctx.set_source_rgb(0.83, 0.64, 0.22)
            ctx.fill_preserve()
            ctx.set_source_rgb(*F.OUTLINE)
            ctx.set_line_width(1.2)
            ctx.stroke()
        elif piece == "cola":
            x0, y0 = bx - 39, body_y - 8 + tilt * 0.3
            sw = 5 * math.sin((p.step or 0.0) * 4 * math.pi + p.chew * 3)
            ctx.move_to(x0, y0)
            ctx.curve_to(x0 - 7, y0 + 8, x0 - 5 + sw, y0 + 22, x0 - 4 + sw, y0 + 32)
            ctx.set_source_rgb(*F.OUTLINE)
            ctx.set_line_width(3)
            ctx.stroke()
            F.ellipse(ctx, x0 - 4 + sw, y0 + 34, 3, 4.5, COW_PATCH, line=1)
        elif piece == "shadow":
            F.ellipse(ctx, bx, -1, 50, 7, (0, 0, 0), line=0, grad=_shadow())

    def front(ctx, p, s, back):
        # seen from the front (down) or from behind (up): a broad body on four short legs, the
        # head low in front of the chest, or the rump with the tail hanging over it
        step = p.step if p.step is not None else 0.0
        lift = 6 * max(0.0, math.sin(step * 2 * math.pi)) if p.step is not None else 0.0
        body_y = -56 + p.sit * 8
        if piece in ("patai", "patad"):
            far = piece == "patai"
            xs = (-11, 11) if far else (-17, 17)
            for k, x in enumerate(xs):
                up = lift if (k == 0) != far else 0.0
                F.stroke_path(ctx, [(x, body_y + 14), (x, -5 - up)], 11,
                              F.shade(COW_WHITE, 0.8) if far else COW_WHITE)
                F.ellipse(ctx, x, -3 - up, 6, 3.5, COW_PATCH, line=1.3)
        elif piece == "torso":
            F.ellipse(ctx, 0, body_y, 27, 24, COW_WHITE, grad=F.radial(0, body_y, 26, COW_WHITE))
            F.ellipse(ctx, 9 if back else -10, body_y - 8, 9, 8, COW_PATCH, line=0)
            F.ellipse(ctx, -12 if back else 12, body_y + 9, 6, 5, COW_PATCH, line=0)
            if back:
                F.ellipse(ctx, 0, body_y + 20, 7, 4, COW_PINK, line=1.2)     # udder
        elif piece == "cuello" and not back:
            F.ellipse(ctx, 0, body_y - 14, 12, 9, COW_WHITE, line=1.5)
        elif piece == "head":
            hy = body_y - 22
            if back:
                # only the horns and the ears show over the back
                for sx in (-1, 1):
                    F.poly(ctx, [(sx * 5, hy - 5), (sx * 13, hy - 14), (sx * 9, hy - 3)], HORN,
                           line=1.3)
                    F.ellipse(ctx, sx * 12, hy - 1, 5, 3, COW_PATCH, line=1.2)
                return
            for sx in (-1, 1):
                F.poly(ctx, [(sx * 5, hy - 8), (sx * 14, hy - 17), (sx * 9, hy - 6)], HORN, line=1.3)
                F.ellipse(ctx, sx * 13, hy - 2, 5, 3, COW_PATCH, line=1.2)
            F.ellipse(ctx, 0, hy, 11, 12, COW_WHITE, grad=F.radial(0, hy, 11, COW_WHITE))
            F.ellipse(ctx, 0, hy + 9, 8, 5.5, COW_PINK, line=1.4)
            for nx in (-3, 3):
                F.ellipse(ctx, nx, hy + 9, 1.2, 1.6, (0.35, 0.15, 0.15), line=0)
            for ex in (-5, 5):
                F.ellipse(ctx, ex, hy - 3, 1.6, 2.2, (0.1, 0.08, 0.06), line=0)
            ctx.arc(0, hy + 19, 3.5, 0, 2 * math.pi)                          # bell
            ctx.set_source_rgb(0.83, 0.64, 0.22)
            ctx.fill_preserve()
            ctx.set_source_rgb(*F.OUTLINE)
            ctx.set_line_width(1.2)
            ctx.stroke()
        elif piece == "cola" and back:
            sw = 3 * math.sin(step * 4 * math.pi)
            # the tail layer lies behind the body: its end hangs below the rump
            F.stroke_path(ctx, [(0, body_y + 10), (sw, body_y + 34)], 3, COW_PATCH)
            F.ellipse(ctx, sw, body_y + 37, 3, 4.5, COW_PATCH, line=1)
        elif piece == "shadow":
            F.ellipse(ctx, 0, -1, 30, 7, (0, 0, 0), line=0, grad=_shadow())
    return side, front


def _shadow():
    g = cairo.RadialGradient(0, -1, 1, 0, -1, 40)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.45)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    return g


def cow_seqs():
    seqs = []
    for half, sfx in ((0, "_1s"), (1, "_2s")):
        seqs.append(S("walk", ALL, 4, lambda d, i, h=half: cow_walk(d, i, h), 20, suffix=sfx))
    seqs.append(S("stand", ALL, 1, lambda d, i: CowPose(front=d not in SIDE), 4, loop=True))
    seqs.append(S("sitdown", SIDE, 5, lambda d, i: cow_sit(d, i, 5), 8))
    seqs.append(S("sitting", SIDE, 4, lambda d, i: CowPose(sit=1.0, chew=i / 4.0), 4))
    # "standup" is made from "sitdown" played backwards (the writer's copy)
    return seqs


def cow(out_dir):
    w = Writer(out_dir, CUSTOMER_DY)
    seqs = cow_seqs()
    z = {"patai": -6, "patad": 2, "head": 4, "cuello": 3, "cola": -5, "torso": 0, "shadow": -20}
    for piece in ("patai", "patad", "head", "cuello", "cola"):
        side, front = cow_piece(piece)
        w.write("cow_%s.inc" % piece, "cw%s" % piece, L(piece, side, front, z=z[piece]), seqs)
    side, front = cow_piece("torso")
    w.write("cow_torso.anim", "cwt", L("torso", side, front, z=0), seqs)
    side, front = cow_piece("shadow")
    w.write("cow_shadow.anim", "cws", L("shadow", side, front, z=-20, shadow=True), seqs)


# ---------------------------------------------------------------- fixed figures

class Script:
    """A script of named sequences of fixed pictures, each picture written once."""

    def __init__(self, out_dir, prefix):
        self.out_dir = out_dir
        self.prefix = prefix
        self.loads, self.insp, self.body = [], [], []
        self.names = {}

    def picture(self, surf, ix, iy):
        surf.flush()
        key = (ix, iy, hashlib.md5(bytes(surf.get_data())).digest())
        if key not in self.names:
            name = "%s_%d" % (self.prefix, len(self.names))
            self.names[key] = name
            surf.write_to_png(os.path.join(self.out_dir, name + ".png"))
            self.loads.append("load %s" % name)
            self.insp.append("inspos %d %d %s" % (ix, iy, name))
        return self.names[key]

    def seq(self, name, frames, fps, loop=False, props=None):
        """frames: (surface, ix, iy) per frame; props(i) -> dict of frame properties."""
        self.body.append("seq %s fps %d%s" % (name, fps, " loop" if loop else ""))
        for i, (surf, ix, iy) in enumerate(frames):
            self.body.append("add %s" % self.picture(surf, ix, iy))
            for k, v in sorted((props(i) if props else {}).items()):
                self.body.append("prop %s %s" % (k, v) if v != "" else "prop %s" % k)

    def write(self, file_name, extra=()):
        lines = ["# generated by tools/content/critters.py"] + self.loads + self.insp + \
            self.body + list(extra)
        with open(os.path.join(self.out_dir, file_name), "w") as f:
            f.write("\n".join(lines) + "\n")


def pic(w, h):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    ctx = cairo.Context(s)
    return s, ctx


GUARD_SEQS = [("idle", 4, 4, True), ("sleep", 5, 6, False), ("sleeping", 4, 3, True),
              ("wakeup", 4, 8, False), ("start", 4, 10, False), ("fire", 6, 14, False),
              ("end", 4, 10, False)]


def guard_state(name, i, n):
    """(doze 0..1, aim 0..1) of a guard's frame."""
    t = i / float(max(1, n - 1))
    return {"idle": (0.0, 0.0), "sleep": (t, 0.0), "sleeping": (1.0, 0.0),
            "wakeup": (1.0 - t, 0.0), "start": (0.0, t), "fire": (0.0, 1.0),
            "end": (0.0, 1.0 - t)}[name]


def fire_props(i):
    return {2: {"playsound": ""}, 3: {"bang": "", "doaction": ""}}.get(i, {})


MARIACHI_W, MARIACHI_H, MX, MY = 130, 170, 50, 160
SOMBRERO = rgb("d8b048")
JACKET = rgb("1e1c22")
SKIN = rgb("c8905a")


def mariachi_layer(layer, doze, aim, i):
    s, ctx = pic(MARIACHI_W, MARIACHI_H)
    ctx.translate(MX, MY)
    bob = 1.5 * math.sin(i * 1.5) * doze
    head = (4 + 6 * doze, -92 + 10 * doze + bob)
    if layer == "torso":
        F.poly(ctx, [(-22, -4), (24, -4), (26, -40), (-20, -40)], rgb("5a3419"))   # barrel seat
        F.stroke_path(ctx, [(-8, -42), (26, -40), (30, -2)], 14, JACKET)           # legs
        F.ellipse(ctx, 34, -4, 8, 4, rgb("3a2a1a"))
        F.poly(ctx, [(-16, -40), (14, -40), (16 + 4 * doze, -86 + 8 * doze), (-12, -86 + 6 * doze)],
               JACKET, grad=F.side_grad(-16, 16, JACKET))
        F.ellipse(ctx, head[0], head[1], 11, 12, SKIN, grad=F.radial(head[0], head[1], 12, SKIN))
        F.poly(ctx, [(head[0] + 1, head[1] + 4), (head[0] + 12, head[1] + 3),
                     (head[0] + 12, head[1] + 6), (head[0] + 2, head[1] + 7)], rgb("2a1e16"), line=1.0)
        F.ellipse(ctx, head[0], head[1] - 10, 30, 6, SOMBRERO, line=1.6)
        F.poly(ctx, [(head[0] - 10, head[1] - 10), (head[0] - 6, head[1] - 28),
                     (head[0] + 6, head[1] - 28), (head[0] + 10, head[1] - 10)], SOMBRERO,
               grad=F.side_grad(head[0] - 10, head[0] + 10, SOMBRERO))
        if doze < 0.5:
            F.ellipse(ctx, head[0] + 5, head[1] - 2, 1.6, 2, (0.1, 0.08, 0.06), line=0)
    elif layer == "canana":
        F.poly(ctx, [(-14, -82 + 6 * doze), (-8, -84 + 6 * doze), (14, -44), (8, -42)],
               rgb("6a4a2a"), line=1.4)
        for k in range(5):
            y = -78 + 7 * k + 5 * doze
            ctx.rectangle(-10 + 4.5 * k, y, 3, 5)
            ctx.set_source_rgb(*rgb("d4a437"))
            ctx.fill()
    elif layer == "lh":
        F.stroke_path(ctx, [(-12, -80 + 6 * doze), (-16, -58), (-4, -46)], 9, JACKET)
        F.ellipse(ctx, -2, -46, 4.5, 4.5, SKIN, line=1.5)
    elif layer in ("rh", "ra"):
        sh = (12, -80 + 6 * doze)
        ang = math.radians(-10 + 100 * aim)
        el = (sh[0] + 18 * math.sin(ang) + 2, sh[1] + 18 * math.cos(ang))
        hand = (el[0] + 20 * math.sin(ang + 0.2), el[1] + 20 * math.cos(ang + 0.2) - 2 * aim)
        if layer == "ra":
            F.stroke_path(ctx, [sh, el, hand], 10, JACKET)
        else:
            F.ellipse(ctx, hand[0], hand[1], 4.5, 4.5, SKIN, line=1.5)
            F.poly(ctx, [(hand[0] - 2, hand[1] - 3), (hand[0] + 18 * aim + 4, hand[1] - 5 + 4 * (1 - aim)),
                         (hand[0] + 18 * aim + 4, hand[1] - 1 + 4 * (1 - aim)), (hand[0] - 2, hand[1] + 3)],
                   rgb("5d5650"), line=1.3)
    return s, MX, MY


def mariachi(out_dir):
    sc = Script(out_dir, "mr")
    for layer in ("torso", "canana", "lh", "rh", "ra"):
        for name, n, fps, loop in GUARD_SEQS:
            frames = [mariachi_layer(layer, *guard_state(name, i, n), i) for i in range(n)]
            sc.seq("%s_%s" % (layer, name), frames, fps, loop,
                   props=fire_props if name == "fire" else None)
    sc.write("mariachi.anim")


DOG_BROWN = rgb("a06a3a")
DOG_DARK = rgb("5a3419")


def dog_frame(doze, aim, i):
    s, ctx = pic(150, 130)
    ctx.translate(60, 122)
    bob = math.sin(i * 1.5) * 1.5 * doze
    F.ellipse(ctx, 0, -26, 26, 24, DOG_BROWN, grad=F.radial(0, -26, 26, DOG_BROWN))      # body
    F.ellipse(ctx, -18, -6, 14, 8, DOG_BROWN)                                           # haunch
    F.stroke_path(ctx, [(14, -30), (18, -4)], 9, DOG_BROWN)                             # front leg
    F.ellipse(ctx, 20, -3, 7, 4, DOG_DARK, line=1.4)
    hx, hy = 20 + 6 * (1 - doze), -62 + 14 * doze + bob
    F.ellipse(ctx, hx, hy, 15, 13, DOG_BROWN, grad=F.radial(hx, hy, 14, DOG_BROWN))     # head
    F.ellipse(ctx, hx + 14, hy + 4, 9, 7, F.light(DOG_BROWN, 0.3))                      # muzzle
    F.ellipse(ctx, hx + 22, hy + 2, 3, 2.5, (0.1, 0.08, 0.06), line=0)                  # nose
    F.poly(ctx, [(hx - 8, hy - 8), (hx - 16, hy + 14), (hx - 4, hy + 4)], DOG_DARK, line=1.4)  # ear
    if doze < 0.5:
        F.ellipse(ctx, hx + 5, hy - 4, 2, 2.4, (0.1, 0.08, 0.06), line=0)
    else:
        ctx.move_to(hx + 2, hy - 4)
        ctx.line_to(hx + 8, hy - 3)
        ctx.set_source_rgb(*F.OUTLINE)
        ctx.set_line_width(1.4)
        ctx.stroke()
    F.poly(ctx, [(-8, -44), (10, -44), (8, -38), (-6, -38)], rgb("b8372a"), line=1.2)  # kerchief
    # the paw raised towards the thief while aiming
    paw = (18 + 30 * aim, -30 - 28 * aim)
    if aim > 0.05:
        # the rifle in the paw, its stock against the chest, the barrel towards the room
        dx, dy = paw[0] - 8, paw[1] + 36
        n = math.hypot(dx, dy) or 1.0
        ux, uy = dx / n, dy / n
        butt = (paw[0] - ux * 26, paw[1] - uy * 26)
        muzzle = (paw[0] + ux * 34, paw[1] + uy * 34)
        F.stroke_path(ctx, [butt, (paw[0] + ux * 4, paw[1] + uy * 4)], 7, rgb("6a3e1e"))
        F.stroke_path(ctx, [(paw[0] - ux * 4, paw[1] - uy * 4), muzzle], 4, rgb("5d5650"))
    F.stroke_path(ctx, [(8, -36), paw], 9, DOG_BROWN)
    F.ellipse(ctx, paw[0], paw[1], 5, 5, DOG_BROWN, line=1.4)
    return s, 60, 122


def dog_props(name):
    def props(i):
        out = dict(fire_props(i)) if name == "fire" else {}
        if name == "start" and i == 1:
            out["showweapon"] = ""
        if name == "end" and i == 2:
            out["hideweapon"] = ""
        return out
    return props


def dog(out_dir):
    sc = Script(out_dir, "dg")
    for name, n, fps, loop in GUARD_SEQS:
        frames = [dog_frame(*guard_state(name, i, n), i) for i in range(n)]
        sc.seq(name, frames, fps, loop, props=dog_props(name))
    sc.write("dog.anim")
    s, ctx = pic(60, 24)
    F.poly(ctx, [(4, 8), (46, 6), (56, 8), (56, 13), (20, 14), (16, 22), (8, 22), (10, 14), (4, 14)],
           rgb("5d5650"))
    s.write_to_png(os.path.join(out_dir, "perro_gun.png"))
    s, ctx = pic(44, 28)
    ctx.translate(22, 14)
    for r, c in ((13, rgb("f6dc8a")), (7, rgb("fff4d6"))):
        F.poly(ctx, [(r * math.cos(a) * (1.6 if k % 2 == 0 else 0.6),
                      r * math.sin(a) * (1.0 if k % 2 == 0 else 0.5))
                     for k, a in enumerate(x * math.pi / 5 for x in range(10))], c, line=1.2)
    s.write_to_png(os.path.join(out_dir, "bang_hor.png"))


def pianist(out_dir):
    """The pianist seen from behind at his piano stool, hands on the keys, feet on the pedals."""
    sc = Script(out_dir, "pn")
    coat, skin = rgb("3a3a58"), rgb("e0a878")
    W, H, X, Y = 110, 150, 55, 140

    def frame(layer, i):
        s, ctx = pic(W, H)
        ctx.translate(X, Y)
        sway = 2 * math.sin(i * math.pi / 4)
        if layer == "torso":
            # the round piano stool on its post and three splayed feet, the coat's tails on it
            wood = rgb("5a3419")
            F.stroke_path(ctx, [(0, -34), (0, -8)], 6, wood)
            for fx in (-14, 0, 14):
                F.stroke_path(ctx, [(0, -10), (fx, -1)], 4, wood)
            F.poly(ctx, [(-20, -40), (20, -40), (20, -33), (-20, -33)], wood,
                   grad=F.side_grad(-20, 20, wood))
            F.poly(ctx, [(-18, -37), (18, -37), (15 + sway, -86), (-15 + sway, -86)], coat,
                   grad=F.side_grad(-18, 18, coat))
            F.ellipse(ctx, sway, -98, 11, 12, rgb("2a1e16"))                             # hair
            F.ellipse(ctx, sway, -110, 14, 4, rgb("1a1a1e"), line=1.5)                   # bowler
            F.ellipse(ctx, sway, -116, 9, 7, rgb("1a1a1e"), line=1.5)
        elif layer in ("botad", "botai"):
            k = 1 if layer == "botad" else -1
            tap = 3 * max(0.0, math.sin(i * math.pi / 2 + (0 if k > 0 else math.pi)))
            # seated: the shins come down beside the stool to the pedals
            F.stroke_path(ctx, [(k * 16, -36), (k * 22, -22), (k * 21, -6 - tap)], 10, coat)
            F.ellipse(ctx, k * 21, -4 - tap, 6, 4, rgb("1e1c22"))
        else:
            k = 1 if layer == "brazod" else -1
            reach = 6 * math.sin(i * math.pi / 2 + (0 if k > 0 else 1.3))
            hand = (k * (22 + reach) + sway, -66 - abs(reach) * 0.4)
            F.stroke_path(ctx, [(k * 15 + sway, -82), (k * 22 + sway, -70), hand], 9, coat)
            F.ellipse(ctx, hand[0], hand[1], 4.5, 4, skin, line=1.4)
        return s, X, Y

    for layer, fps in (("torso", 4), ("botad", 6), ("botai", 6), ("brazod", 8), ("brazoi", 8)):
        sc.seq(layer, [frame(layer, i) for i in range(8)], fps, loop=True)
    sc.write("pianista.anim")


def generate(out_dir, src_dir, args):
    cow(out_dir)
    mariachi(out_dir)
    dog(out_dir)
    pianist(out_dir)
