"""The cast generator: every character's body layers as pictures and the animation scripts that
play them.

    cast <group>

Groups: "customers" (the customers' body templates and the sheriff's, thief's and undertaker's
clothes, heads, shadow, belts and the mug in the hand) and "dolly" (the heroine's outfits). Each
layer look becomes pictures "<layer>_<sequence>_<facing>_<n>.png" and an include file with the
script lines that load them, set their insertion points and build the sequences; the hand-written
".template" and ".anim" files pick an include by their parameters. A line "(N)" in an include is
the template's colour instruction (a "remap" line or nothing), placed after the loads.
"""

import hashlib
import os

import cairo

import figure as F
import poses as P
from art import rgb

ARM_CODES = {"r": ("r_r", "l_r"), "l": ("r_l", "l_l"), "u": ("r_u", "l_u"), "d": ("r_d", "l_d")}
# Extra downward offset of the sprites per facing (the game's body offsets minus the side one).
CUSTOMER_DY = {"r": 0, "l": 0, "u": 6, "d": 29}
DOLLY_DY = {"r": 0, "l": 0, "u": 8, "d": 15}


# ---------------------------------------------------------------- sequences

class Seq:
    def __init__(self, name, dirs, frames, fps, loop=False, props=None, arms_only=False):
        self.name = name          # prefix without the trailing "_" ("walk", "sitdown", ...)
        self.suffix = ""
        self.dirs = dirs
        self.frames = frames      # function (facing, i) -> pose; len via self.n
        self.fps = fps
        self.loop = loop
        self.props = props or (lambda d, i: {})
        self.arms_only = arms_only
        self.n = 0

    def seq_name(self, d, code=None):
        return "%s_%s%s" % (self.name, code or d, self.suffix)


def S(name, dirs, n, frames, fps, loop=False, props=None, suffix="", arms_only=False):
    s = Seq(name, dirs, frames, fps, loop, props, arms_only)
    s.n = n
    s.suffix = suffix
    return s


# The arm look of each mug animation sequence (sips left) is its "suffix"; drinking a sip plays
# the arms' drink sequence with the suffixes of the sips before and after it.
MUG_SUFFIX = {n: "_%d" % n for n in range(4)}
DRINK_VARIANTS = [MUG_SUFFIX[n] + MUG_SUFFIX[n - 1] for n in (3, 2, 1)]

SIDE = ("r", "l")
ALL = ("r", "l", "u", "d")


def walk_seqs(fps_side, fps_front, carry=None, suffix=""):
    out = []
    for half, sfx in ((0, "_1s"), (1, "_2s")):
        def frames(d, i, half=half):
            k = half * 4 + i
            if d in SIDE:
                return P.walk_pose(k, carry=carry)
            fp = P.front_walk(k)
            if carry:
                fp.arms_up = (0.9, 0.9)
                fp.hold = {0: list(carry.values())[0], 1: list(carry.values())[0]}
            return fp
        out.append(S("walk", ALL, 4, frames, fps_side, suffix=sfx + suffix))
    return out


def stand_seq(carry=None, suffix=""):
    def frames(d, i):
        if d in SIDE:
            return P.stand_pose(carry=carry)
        fp = P.front_stand()
        if carry:
            fp.arms_up = (0.9, 0.9)
            fp.hold = {0: list(carry.values())[0], 1: list(carry.values())[0]}
        return fp
    return S("stand", ALL, 1, frames, 8, loop=True, suffix=suffix)


def throw_props(d, i):
    if i == 1:
        return {"take": ""}
    if i == 5:
        s = 1 if d == "r" else -1
        return {"doaction": "", "mugx": str(s * 30), "mugy": "-120", "landx": str(-s * 110),
                "landy": "-8", "miny": "-190"}
    return {}


def customer_seqs():
    seqs = walk_seqs(20, 10) + [stand_seq()]
    seqs.append(S("sitdown", SIDE, 9, lambda d, i: P.sitdown_pose(i), 12,
                  props=lambda d, i: dict({"chairpos": "%.2f" % P.CHAIRPOS[i]},
                                          **({"playsound": ""} if i == 6 else {}))))
    seqs.append(S("sit_idle", SIDE, 1, lambda d, i: P.seated(), 4, loop=True))
    for k in range(3):
        seqs.append(S("ask_%d" % k, SIDE, 6, lambda d, i, k=k: P.ask_pose(k, i), 8,
                      props=lambda d, i: ({"endseq": ""} if i == 5 else
                                          {"sound": ""} if i == 2 else {})))
    seqs.append(S("drink", SIDE, 8, lambda d, i: P.drink_pose(i, 8, 2, 6, "h"), 8,
                  props=lambda d, i: {"take": ""} if i == 2 else {"leave": ""} if i == 6 else {}))
    seqs.append(S("drink_fast", SIDE, 5, lambda d, i: P.drink_pose(i, 5, 1, 4, "h"), 10,
                  props=lambda d, i: {"take": ""} if i == 1 else {"leave": ""} if i == 4 else {}))
    seqs.append(S("throw", SIDE, 8, lambda d, i: P.throw_pose(i), 10, props=throw_props))
    seqs.append(S("fight", SIDE, 6, lambda d, i: P.fight_pose(i), 8))
    # the thief at the register: reaching in, grabbing the money again and again, pulling out
    seqs.append(S("startsteal", SIDE, 4, lambda d, i: P.steal_pose(i / 3.0, 0), 8))
    seqs.append(S("steal", SIDE, 6, lambda d, i: P.steal_pose(1.0, i), 8))
    seqs.append(S("endsteal", SIDE, 4, lambda d, i: P.steal_pose(1.0 - i / 3.0, 0), 8))
    return seqs


# ---------------------------------------------------------------- layers

class Layer:
    """One drawn layer: side(ctx, pose, arm) and front(ctx, fpose, side) drawers; arm layers are
    drawn once per arm. zdelta orders the layers of one character."""

    def __init__(self, key, side, front, arm=False, z=0, zfar=None, shadow=False, only=None):
        self.key = key
        self.side = side
        self.front = front
        self.arm = arm
        self.z = z
        self.zfar = zfar if zfar is not None else z - 12
        self.shadow = shadow
        self.only = only   # sequence names the layer has (None: all)


def render(layer, seq, d, i, arm_index):
    """The picture of one frame of one layer; arm_index 0 right arm, 1 left arm."""
    s, ctx = F.canvas()
    pose = seq.frames(d, i)
    if d in SIDE:
        # facing right the right arm is the near one; the left facing mirrors the right one
        if layer.arm:
            near = (arm_index == 0) == (d == "r")
            layer.side(ctx, pose, "near" if near else "far")
        else:
            layer.side(ctx, pose, None)
        if d == "l":
            s = F.mirrored(s)
    else:
        if layer.arm:
            # seen from the front the right arm is on the viewer's left
            side = (-1 if arm_index == 0 else 1) * (1 if d == "d" else -1)
            layer.front(ctx, pose, side, d == "u")
        else:
            layer.front(ctx, pose, None, d == "u")
    return s


def arm_near(layer_fn):
    return layer_fn


class Writer:
    """Writes a layer look's pictures and its include script."""

    def __init__(self, out_dir, dy):
        self.out_dir = out_dir
        self.dy = dy

    def write(self, inc_name, img_prefix, layer, seqs, remap_param=None, extra_seqs=(),
              variants=None):
        """variants(seq, d) -> extra sequence names that alias the sequence just written."""
        loads, insp, body = [], [], []
        by_hash = {}      # picture content -> its name
        mirrors = {}      # right-facing picture name -> the name of its mirror

        def picture(surf, name, dd):
            """The name of a picture with this content, written (and loaded) once."""
            surf.flush()
            key = (self.dy[dd], hashlib.md5(bytes(surf.get_data())).digest())
            if key not in by_hash:
                by_hash[key] = name
                surf.write_to_png(os.path.join(self.out_dir, name + ".png"))
                loads.append("load %s" % name)
                insp.append("inspos %d %d %s" % (F.ANCHOR_X, F.ANCHOR_Y + self.dy[dd], name))
            return by_hash[key]

        for seq in seqs:
            if layer.only is not None and seq.name + seq.suffix not in layer.only \
                    and seq.name not in layer.only:
                continue
            if seq.arms_only and not layer.arm:
                continue
            for d in seq.dirs:
                arms = (0, 1) if layer.arm else (None,)
                for a in arms:
                    code = ARM_CODES[d][a] if layer.arm else d
                    name = seq.seq_name(d, code)
                    body.append("seq %s fps %d%s" % (name, seq.fps, " loop" if seq.loop else ""))
                    if layer.arm and d in SIDE:
                        near = (a == 0) == (d == "r")
                        body.append("prop zdelta %d" % (layer.z if near else layer.zfar))
                    else:
                        body.append("prop zdelta %d" % layer.z)
                    if layer.shadow:
                        body.append("prop isshadow 1")
                    for i in range(seq.n):
                        img = "%s_%s_%d" % (img_prefix, name, i)
                        if d == "l":
                            # the mirror of the right-facing picture of the same pose (the other
                            # arm's), made at load time
                            right = picture(render(layer, seq, "r", i,
                                                   (1 - a) if layer.arm else a),
                                            "%s_%s_%d" % (img_prefix, seq.seq_name(
                                                "r", ARM_CODES["r"][1 - a] if layer.arm else "r"), i),
                                            "r")
                            if right not in mirrors:
                                mirrors[right] = right + "_m"
                                loads.append("clone %s %s" % (right, mirrors[right]))
                                loads.append("hflip %s" % mirrors[right])
                                insp.append("inspos %d %d %s" % (F.ANCHOR_X, F.ANCHOR_Y + self.dy[d],
                                                                 mirrors[right]))
                            img = mirrors[right]
                        else:
                            img = picture(render(layer, seq, d, i, a), img, d)
                        body.append("add %s" % img)
                        for k, v in sorted(seq.props(d, i).items()):
                            body.append("prop %s %s" % (k, v) if v != "" else "prop %s" % k)
                    extra = variants(seq, d, code) if variants is not None else []
                    if layer.arm and seq.name in ("drink", "drink_fast"):
                        # the drinking variants the mug's looks name (sips left, then one less)
                        extra = extra + [name + v for v in DRINK_VARIANTS]
                    if extra:
                        body.append("alias " + " ".join(extra))
                    if seq.name == "sitdown":
                        std = "standup_%s" % (code)
                        body.append("seq %s fps %d" % (std, seq.fps))
                        near = not (layer.arm and d in SIDE) or ((a == 0) == (d == "r"))
                        body.append("prop zdelta %d" % (layer.z if near else layer.zfar))
                        if layer.shadow:
                            body.append("prop isshadow 1")
                        body.append("copyseq %s reverse" % name)
        lines = ["# generated by tools/content/cast.py"] + loads
        if remap_param is not None:
            lines.append("(%d)" % remap_param)
        lines += insp + body + list(extra_seqs)
        with open(os.path.join(self.out_dir, inc_name), "w") as f:
            f.write("\n".join(lines) + "\n")


# ---------------------------------------------------------------- looks

SKINS = {"1": rgb("f3cba3"), "2": rgb("e0a878"), "3": rgb("b67d50"), "4": rgb("8a5a36"),
         "5": rgb("f6c0a8"), "99": rgb("c8d6a0")}
HEAD_SKIN = {1: "1", 2: "1", 3: "2", 4: "5", 5: "1", 6: "1", 7: "3", 8: "2", 9: "1", 10: "4",
             11: "1", 12: "1", 13: "5", 14: "99"}

PANTS = {"1": rgb("8a5a32"), "2": rgb("3f5a8c"), "4": rgb("6a6a5c"), "f": rgb("262228"),
         "w1": rgb("5a3a6a"), "w2": rgb("3f5a8c"), "w3": rgb("7a4a2a"), "w4": rgb("f0d8b8"),
         "w5": rgb("a02a3a")}
BOOTS = {"1": rgb("4a2c16"), "2": rgb("8a5a2a")}
SHIRTS = {"1": rgb("c0463a"), "2": rgb("3f8aa8"), "f": rgb("1e1c22"), "hs": rgb("b89a62"),
          "hl": rgb("4a4a58")}
VESTS = {"1": rgb("6a4020"), "2": rgb("3a6a40")}
NECKERCHIEF = {"1": rgb("e8d8a0"), "2": rgb("d8b040"), "f": rgb("f4f0e8"), "hs": rgb("d0a030"),
               "hl": rgb("b03028")}


def customer_layers(shirt, stripes=False, coat=False, sleeve=None, belly=0):
    def torso_side(ctx, pose, _):
        F.draw_torso(ctx, pose, shirt, belly=belly, coat=coat)
        if stripes:
            _stripes_side(ctx, pose, shirt)

    def torso_front(ctx, fp, _, back):
        F.front_torso(ctx, fp, shirt, belly=belly, coat=coat, back=back)

    return torso_side, torso_front


def _stripes_side(ctx, pose, colour):
    hip, neck = pose.hip, pose.neck()
    ctx.save()
    ctx.set_source_rgba(*F.shade(colour, 0.6), 0.8)
    ctx.set_line_width(1.5)
    for k in range(-8, 10, 5):
        ctx.move_to(hip[0] + k, hip[1] - 2)
        ctx.line_to(neck[0] + k * 0.9, neck[1] + 6)
    ctx.stroke()
    ctx.restore()


def L(key, side, front, **kw):
    return Layer(key, side, front, **kw)


def pant_layer(colour):
    return L("pant", lambda c, p, a: F.draw_legs(c, p, colour),
             lambda c, fp, s, b: F.front_legs(c, fp, colour), z=-5)


def boots_layer(colour):
    return L("botas", lambda c, p, a: F.draw_boots(c, p, colour),
             lambda c, fp, s, b: F.front_boots(c, fp, colour), z=-4)


def torso_layer(shirt, stripes=False, coat=False, belly=0, star=False):
    def side(c, p, a):
        F.draw_torso(c, p, shirt, belly=belly, coat=coat)
        if stripes:
            _stripes_side(c, p, shirt)
        if star:
            _star(c, p.neck()[0] + 6, p.neck()[1] + 16)

    def front(c, fp, s, back):
        F.front_torso(c, fp, shirt, belly=belly, coat=coat, back=back)
        if star and not back:
            _star(c, -7, fp.neck()[1] + 16)
    return L("torso", side, front, z=-3)


SACK = rgb("c8a46a")


def _sack(ctx, cx, cy, rx, ry, neck_x, neck_y):
    """The loot sack: a bulging bag gathered at the top and tied, with a dollar sign."""
    F.ellipse(ctx, cx, cy, rx, ry, SACK, grad=F.radial(cx, cy, max(rx, ry), SACK))
    F.poly(ctx, [(cx - 4, cy - ry + 2), (cx + 4, cy - ry + 2), (cx + 2, cy - ry - 5),
                 (cx - 2, cy - ry - 5)], SACK, line=1.3)
    F.stroke_path(ctx, [(cx, cy - ry - 4), (neck_x, neck_y + 3)], 3, F.shade(SACK, 0.7))
    ctx.save()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(min(rx, ry) * 1.2)
    ext = ctx.text_extents("$")
    ctx.move_to(cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing)
    ctx.set_source_rgb(*F.shade(SACK, 0.45))
    ctx.show_text("$")
    ctx.restore()


def thief_torso_layer():
    """The thief's striped dark shirt with the loot sack slung over his shoulder."""
    base = torso_layer(SHIRTS["hl"], stripes=True)

    def side(c, p, a):
        n = p.neck()
        _sack(c, n[0] - 15, n[1] + 16, 11, 14, n[0] - 2, n[1])
        base.side(c, p, a)

    def front(c, fp, s, back):
        ny = fp.neck()[1]
        if back:
            base.front(c, fp, s, back)
            _sack(c, 5, ny + 20, 13, 16, -4, ny)
        else:
            _sack(c, 13, ny + 6, 9, 11, 4, ny)
            base.front(c, fp, s, back)
    return L("torso", side, front, z=-3)


def _star(ctx, x, y):
    from art import star_path, BRASS, fill_stroke
    star_path(ctx, x, y, 5.5, 2.4)
    fill_stroke(ctx, BRASS, line=1.2)


def vest_layer(colour):
    return L("chale", lambda c, p, a: F.draw_vest(c, p, colour),
             lambda c, fp, s, b: F.front_vest(c, fp, colour, back=b), z=-2)


def belt_layer(colour, buckle=(0.83, 0.64, 0.22)):
    return L("cint", lambda c, p, a: F.draw_belt(c, p, colour, buckle),
             lambda c, fp, s, b: F.front_belt(c, fp, colour, back=b, buckle=buckle), z=-1)


def collar_layer(colour, tie=None):
    return L("cuello", lambda c, p, a: F.draw_collar(c, p, colour, tie),
             lambda c, fp, s, b: F.front_collar(c, fp, colour, back=b, tie=tie), z=0)


def skin_arm_layer(skin):
    return L("brazos", lambda c, p, a: F.draw_arm(c, p, a, skin),
             lambda c, fp, s, b: F.front_arm(c, fp, s, skin), arm=True, z=3)


def sleeve_layer(colour, bare=0.0):
    return L("mangas", lambda c, p, a: F.draw_arm(c, p, a, None, sleeve=colour, hand=False,
                                                  bare_len=bare),
             lambda c, fp, s, b: F.front_arm(c, fp, s, None, sleeve=colour, hand=False),
             arm=True, z=4)


def _held(c, p, a):
    if a in p.hold:
        F.draw_held_mug(c, p, a, p.hold[a])


def _held_front(c, fp, s, b):
    i = 0 if s < 0 else 1
    if i in fp.hold:
        F.front_held_mug(c, fp, s, fp.hold[i])


def bottle_layer():
    return L("bottle", _held, _held_front, arm=True, z=5,
             only={"drink", "drink_fast", "throw"})


def shadow_layer():
    return L("shadow", lambda c, p, a: F.draw_shadow(c, p, sitting=p.hip[1] > -50),
             lambda c, fp, s, b: F.front_shadow(c, fp), z=-20, shadow=True)


# ---------------------------------------------------------------- heads

HEAD_W, HEAD_H = 70, 70
NECK_X, NECK_Y = 35, 62     # the neck point inside a head picture
HAIR = {0: rgb("4a2e1a"), 1: rgb("2a1e16"), 2: rgb("8a5a2a")}
HATS = {"a": (rgb("8a5a30"), "cowboy"), "b": (rgb("3a3030"), "cowboy"), "c": (rgb("c8a878"), "cowboy"),
        "d": (rgb("2a2a2a"), "bowler"), "e": (rgb("6a4a2a"), "bowler"), "f": (rgb("1a1a1e"), "top"),
        "g": (rgb("d8b048"), "sombrero"), "h": (rgb("6a2a2a"), "cap"), "i": (rgb("f0e8d8"), "cowboy")}
HEAD_SHAPE = {t: (13 + (t * 5 % 4) * 0.8, 15 + (t * 3 % 3), 3 + t % 3) for t in range(1, 15)}


def head_canvas(d):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, HEAD_W, HEAD_H)
    ctx = cairo.Context(s)
    ctx.translate(NECK_X, NECK_Y)
    return s, ctx


def draw_face(ctx, d, skin, htype):
    rx, ry, nose = HEAD_SHAPE[htype]
    cy = -ry - 2
    F.stroke_path(ctx, [(0, 2), (0, -6)], 9, skin)       # neck
    if d in ("r", "l"):
        F.ellipse(ctx, 1, cy, rx, ry, skin, grad=F.radial(1, cy, ry, skin))
        F.poly(ctx, [(rx - 1, cy - 2), (rx + nose + 1, cy + 3), (rx - 1, cy + 5)], skin, line=1.5)
        F.ellipse(ctx, -3, cy + 1, 3, 4, F.shade(skin, 0.85), line=1.3)     # ear
        F.ellipse(ctx, rx - 5, cy - 3, 1.6, 2.2, (0.1, 0.08, 0.06), line=0)  # eye
        ctx.move_to(rx - 5, cy + 9)
        ctx.line_to(rx - 1, cy + 9)
        ctx.set_source_rgb(*F.OUTLINE)
        ctx.set_line_width(1.2)
        ctx.stroke()
    else:
        F.ellipse(ctx, 0, cy, rx, ry, skin, grad=F.radial(0, cy, ry, skin))
        if d == "d":
            for ex in (-5, 5):
                F.ellipse(ctx, ex, cy - 3, 1.6, 2.2, (0.1, 0.08, 0.06), line=0)
            F.ellipse(ctx, 0, cy + 3, 2.2, 3, F.shade(skin, 0.9), line=1.2)
            ctx.move_to(-4, cy + 9)
            ctx.line_to(4, cy + 9)
            ctx.set_source_rgb(*F.OUTLINE)
            ctx.set_line_width(1.2)
            ctx.stroke()


def draw_hair(ctx, d, style, bushy, htype):
    rx, ry, _ = HEAD_SHAPE[htype]
    cy = -ry - 2
    col = HAIR[(htype + style) % 3]
    if style == 0:
        return
    ctx.save()
    if d in ("r", "l"):
        pts = [(rx - 2, cy - ry + 3), (-rx + 1, cy - ry + 5), (-rx - 1, cy + (ry if style == 2 else 2)),
               (-3, cy + (ry + 2 if style == 2 else 4)), (-1, cy - 2), (rx - 4, cy - ry + 7)]
    elif d == "u":
        pts = [(-rx - 1, cy - 4), (0, cy - ry - 2), (rx + 1, cy - 4), (rx, cy + (ry if style == 2 else 6)),
               (-rx, cy + (ry if style == 2 else 6))]
    else:
        pts = [(-rx - 1, cy + (ry - 2 if style == 2 else -2)), (-rx, cy - ry + 4), (0, cy - ry - 2),
               (rx, cy - ry + 4), (rx + 1, cy + (ry - 2 if style == 2 else -2)), (rx - 3, cy - ry + 8),
               (-rx + 3, cy - ry + 8)]
    F.poly(ctx, pts, col, line=1.5)
    ctx.restore()
    if bushy and d != "u":
        ex = [(rx - 6, cy - 6)] if d in ("r", "l") else [(-5, cy - 6), (5, cy - 6)]
        for x, y in ex:
            F.poly(ctx, [(x - 3, y), (x + 3, y - 1), (x + 3, y + 1), (x - 3, y + 1)], col, line=1.0)


def draw_whiskers(ctx, d, kind, htype):
    if kind == 0 or d == "u":
        return
    rx, ry, _ = HEAD_SHAPE[htype]
    cy = -ry - 2
    col = HAIR[(htype + 1) % 3]
    if d in ("r", "l"):
        if kind == 1:
            F.poly(ctx, [(rx - 7, cy + 6), (rx + 2, cy + 5), (rx + 3, cy + 9), (rx - 6, cy + 8)], col, line=1.2)
        else:
            F.poly(ctx, [(-2, cy + 2), (rx + 1, cy + 6), (rx - 1, cy + ry + 4), (2, cy + ry)], col, line=1.3)
    else:
        if kind == 1:
            F.poly(ctx, [(-7, cy + 7), (0, cy + 5), (7, cy + 7), (6, cy + 9), (0, cy + 8), (-6, cy + 9)], col,
                   line=1.2)
        else:
            F.poly(ctx, [(-rx + 1, cy + 3), (rx - 1, cy + 3), (5, cy + ry + 4), (-5, cy + ry + 4)], col, line=1.3)


def draw_hat(ctx, d, letter, htype=1):
    if letter == "-":
        return
    colour, kind = HATS[letter]
    rx, ry, _ = HEAD_SHAPE[htype]
    top = -2 * ry - 2
    side = d in ("r", "l")
    brim = {"cowboy": 22, "bowler": 17, "top": 16, "sombrero": 30, "cap": 14}[kind]
    crown = {"cowboy": 12, "bowler": 11, "top": 22, "sombrero": 14, "cap": 8}[kind]
    cw = rx + (1 if kind != "top" else -1)
    F.poly(ctx, [(-cw, top + 6), (-cw + 2, top + 6 - crown), (cw - 2, top + 6 - crown - (2 if kind == "cowboy" else 0)),
                 (cw, top + 6)], colour, grad=F.side_grad(-cw, cw, colour))
    ctx.rectangle(-cw, top + 2, 2 * cw, 3)
    ctx.set_source_rgb(*F.shade(colour, 0.5))
    ctx.fill()
    if kind == "cap":
        if side:
            F.poly(ctx, [(cw - 2, top + 5), (cw + 12, top + 7), (cw - 2, top + 9)], colour, line=1.3)
        return
    bh = 3 if side else 5
    F.ellipse(ctx, 0, top + 6, brim, bh, colour, line=1.6)


def head_layers_out(out_dir, names_by_dir, dy):
    """Face, hair, whisker and hat pictures per facing, and the head and skin templates, which
    compose a head from them at load time by blitting."""
    for d in ("r", "u", "d"):   # the left facing is the right one mirrored at load time
        for t in range(1, 15):
            s, ctx = head_canvas(d)
            draw_face(ctx, d, SKINS[HEAD_SKIN[t]], t)
            s.write_to_png(os.path.join(out_dir, "hf_%d_%s.png" % (t, d)))
            for b in range(3):
                for c in range(2):
                    for a in range(3):
                        s, ctx = head_canvas(d)
                        draw_hair(ctx, d, b, c, t)
                        draw_whiskers(ctx, d, a, t)
                        s.write_to_png(os.path.join(out_dir, "hh_%d_%d_%d_%d_%s.png" % (t, b, c, a, d)))
        for letter in HATS:
            s, ctx = head_canvas(d)
            draw_hat(ctx, d, letter, 1)
            s.write_to_png(os.path.join(out_dir, "ht_%s_%s.png" % (letter, d)))
    head, skin = ["# generated by tools/content/cast.py: (0) head type, (1) hair, (2) brows, "
                  "(3) whiskers, (4) hat letter or -"], ["# generated by tools/content/cast.py: "
                                                         "(5) head type"]
    for d in ALL:
        img = "hh_(0)_(1)_(2)_(3)_%s" % d
        sk = "hf_(5)_%s" % d
        if d == "l":
            head += mirror_lines(img.replace("_l", "_r"), img)
            skin += mirror_lines(sk.replace("_l", "_r"), sk)
        else:
            head.append("load %s" % img)
            head.append("if != (4) -")
            head.append("load ht_(4)_%s" % d)
            head.append("blit %s ht_(4)_%s" % (img, d))
            head.append("endif")
            skin.append("load %s" % sk)
        head += _head_seqs(img, d, names_by_dir[d], dy, 2)
        skin += _head_seqs(sk, d, names_by_dir[d], dy, 1)
    _write(out_dir, "hx_head.template", head)
    _write(out_dir, "hx_skin.template", skin)


def mirror_lines(right, left):
    """Script lines that make the left-facing picture as the mirror of the right-facing one."""
    return ["clone %s %s" % (right, left), "hflip %s" % left]


def _head_seqs(img, d, names, dy, z):
    nx, ny = F.standing_neck()
    x = NECK_X - int(round(nx))
    y = NECK_Y - int(round(ny)) + dy[d]
    return ["inspos %d %d %s" % (x, y, img), "seq stand_%s loop fps 4" % d, "prop zdelta %d" % z,
            "add %s" % img, "alias " + " ".join(n for n in names if n != "stand_" + d)]


def _write(out_dir, name, lines):
    with open(os.path.join(out_dir, name), "w") as f:
        f.write("\n".join(lines) + "\n")


def seq_names(seqs, d):
    out = []
    for s in seqs:
        if d in s.dirs:
            out.append(s.seq_name(d))
            if s.name == "sitdown":
                out.append("standup_" + d)
    return out


# ---------------------------------------------------------------- the groups

def customers(out_dir):
    seqs = customer_seqs()
    w = Writer(out_dir, CUSTOMER_DY)
    # trousers "c" with the colour instruction (1)
    for c in ("1", "2", "4", "f"):
        w.write("hx_pant_%s.inc" % c, "hp%s" % c, pant_layer(PANTS[c]), seqs, remap_param=1)
    for c in ("1", "2"):
        w.write("hx_botas_%s.inc" % c, "hb%s" % c, boots_layer(BOOTS[c]), seqs, remap_param=1)
    # torso, collar and sleeves: shirt a, look b, colour instruction (2)
    looks = {("1", "1"): (SHIRTS["1"], False), ("2", "1"): (SHIRTS["2"], False),
             ("1", "2"): (SHIRTS["1"], True), ("2", "2"): (SHIRTS["2"], True)}
    for (a, b), (shirt, stripes) in looks.items():
        w.write("hx_torso_%s_%s.inc" % (a, b), "ht%s%s" % (a, b),
                torso_layer(shirt, stripes=stripes, belly=4 if a == "2" else 0), seqs, remap_param=2)
        w.write("hx_cuello_%s_%s.inc" % (a, b), "hc%s%s" % (a, b),
                collar_layer(NECKERCHIEF[b], tie=None), seqs, remap_param=2)
        w.write("hx_mangas_%s_%s.inc" % (a, b), "hm%s%s" % (a, b),
                sleeve_layer(shirt, bare=0.35 if b == "2" else 0.0), seqs, remap_param=2)
    # the undertaker: black coat with a white collar and a black tie
    w.write("hx_torso_f_x.inc", "htfx", undertaker_layer(), seqs, remap_param=2)
    w.write("hx_cuello_f_x.inc", "hcfx", collar_layer(NECKERCHIEF["f"], tie=SHIRTS["f"]), seqs,
            remap_param=2)
    w.write("hx_mangas_f_x.inc", "hmfx", sleeve_layer(SHIRTS["f"]), seqs, remap_param=2)
    # vests: "d" look, "c" variant, colour instruction (2)
    for d in ("1", "2"):
        for c in ("1", "2"):
            col = VESTS[d] if c == "1" else F.shade(VESTS[d], 0.75)
            w.write("hx_chale_%s_%s.inc" % (d, c), "hv%s%s" % (d, c), vest_layer(col), seqs,
                    remap_param=2)
    # bare arms by skin ("1".."5", "i" the special customer) and look ("1", "2")
    for sk in ("1", "2", "3", "4", "5", "i"):
        skin = SKINS["99" if sk == "i" else sk]
        w.write("hx_brazos_%s.inc" % sk, "ha%s" % sk, skin_arm_layer(skin), seqs)
    # whole animations
    w.write("hx_cint.anim", "hxc", belt_layer(rgb("2a1e16")), seqs)
    w.write("hr_cint.anim", "hrc", belt_layer(rgb("e070a0"), buckle=rgb("f8d0e0")), seqs)
    w.write("hl_cint.anim", "hlc", belt_layer(rgb("8a7a5a"), buckle=rgb("a0a0a0")), seqs)
    w.write("hx_bottle.anim", "hxm", bottle_layer(), seqs)
    # the heroine shares the shadow: it also has her step of stopping a fight
    import dolly
    w.write("hx_shadow.anim", "hxs", shadow_layer(), seqs + [dolly.body_seqs()[-1]])
    # the sheriff: tan shirt with the star, wide hat on his own head
    w.write("hs_torso.anim", "hst", sheriff_layer(), seqs)
    w.write("hs_cuello.anim", "hsc", collar_layer(NECKERCHIEF["hs"]), seqs)
    w.write("hs_mangas.anim", "hsm", sleeve_layer(SHIRTS["hs"]), seqs)
    # the thief: striped dark shirt and the loot sack, black mask, flat black hat
    w.write("hl_torso.anim", "hlt", thief_torso_layer(), seqs)
    w.write("hl_cuello.anim", "hlk", collar_layer(SHIRTS["hl"]), seqs)
    w.write("hl_mangas.anim", "hlm", sleeve_layer(SHIRTS["hl"]), seqs)
    names = {d: seq_names(seqs, d) for d in ALL}
    head_layers_out(out_dir, names, CUSTOMER_DY)
    thief_head(out_dir, names)
    with open(os.path.join(out_dir, "head_sit_offsets.txt"), "w") as f:
        for dx, dy in P.head_sit_offsets():
            f.write("%d %d\n" % (dx, dy))


def sheriff_layer():
    """The sheriff's torso carries his head: moustache and a wide white hat."""
    base = torso_layer(SHIRTS["hs"], star=True, belly=3)

    def side(c, p, a):
        base.side(c, p, a)
        _own_head(c, p.neck(), "r", 3, 1, 1, "i")

    def front(c, fp, s, back):
        base.front(c, fp, s, back)
        _own_head(c, fp.neck(), "u" if back else "d", 3, 1, 1, "i")
    return L("torso", side, front, z=-3)


def undertaker_layer():
    """The undertaker's long black coat carries his white collar, black tie and his own head
    under a tall black hat (the level gives him no head or collar of their own)."""
    base = torso_layer(SHIRTS["f"], coat=True)

    def side(c, p, a):
        base.side(c, p, a)
        F.draw_collar(c, p, NECKERCHIEF["f"], SHIRTS["f"])
        _own_head(c, p.neck(), "r", 3, 1, 0, "f")

    def front(c, fp, s, back):
        base.front(c, fp, s, back)
        F.front_collar(c, fp, NECKERCHIEF["f"], back=back, tie=SHIRTS["f"])
        _own_head(c, fp.neck(), "u" if back else "d", 3, 1, 0, "f")
    return L("torso", side, front, z=-3)


def _own_head(ctx, neck, d, htype, hair, whisk, hat):
    ctx.save()
    ctx.translate(neck[0], neck[1])
    draw_face(ctx, d, SKINS[HEAD_SKIN[htype]], htype)
    draw_hair(ctx, d, hair, 1, htype)
    draw_whiskers(ctx, d, whisk, htype)
    draw_hat(ctx, d, hat, htype)
    ctx.restore()


def thief_head(out_dir, names):
    """The thief's flat black hat and black mask, drawn over his head."""
    for key, fn in (("hl_hat", lambda c, d: draw_hat(c, d, "d", 1)), ("hl_panu", _mask)):
        lines = ["# generated by tools/content/cast.py"]
        for d in ALL:
            img = "%s_%s" % (key, d)
            if d == "l":
                lines += mirror_lines("%s_r" % key, img)
            else:
                s, ctx = head_canvas(d)
                fn(ctx, d)
                s.write_to_png(os.path.join(out_dir, img + ".png"))
                lines.append("load %s" % img)
            lines += _head_seqs(img, d, names[d], CUSTOMER_DY, 3)
        _write(out_dir, key + ".anim", lines)


def _mask(ctx, d):
    rx, ry, _ = HEAD_SHAPE[1]
    cy = -ry - 2
    if d == "u":
        # from behind: cropped dark hair, the band round the head, its small knot and two short
        # tails blowing to one side
        hair = rgb("3a2a20")
        F.ellipse(ctx, 0, cy - 1, rx, ry - 1, hair, line=1.4, grad=F.radial(0, cy - 1, ry, hair))
        F.poly(ctx, [(-rx, cy - 7), (rx, cy - 7), (rx, cy - 2), (-rx, cy - 2)], rgb("1a1a1e"),
               line=1.2)
        F.poly(ctx, [(1, cy - 5), (9, cy + 1), (6, cy + 3)], rgb("1a1a1e"), line=1.1)
        F.poly(ctx, [(1, cy - 4), (5, cy + 5), (2, cy + 6)], rgb("1a1a1e"), line=1.1)
        F.ellipse(ctx, 1, cy - 4.5, 2.5, 2.5, rgb("1a1a1e"), line=1.1)
        return
    if d in ("r", "l"):
        F.poly(ctx, [(-rx, cy - 7), (rx + 1, cy - 8), (rx + 2, cy - 1), (-rx, cy)], rgb("1a1a1e"), line=1.2)
        ctx.arc(rx - 5, cy - 4, 1.6, 0, 6.3)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    else:
        F.poly(ctx, [(-rx, cy - 7), (rx, cy - 7), (rx, cy - 1), (-rx, cy - 1)], rgb("1a1a1e"), line=1.2)
        for ex in (-5, 5):
            ctx.arc(ex, cy - 4, 1.6, 0, 6.3)
            ctx.set_source_rgb(1, 1, 1)
            ctx.fill()


def generate(out_dir, src_dir, args):
    group = args[0] if args else "customers"
    if group == "customers":
        customers(out_dir)
    elif group == "dolly":
        import dolly
        dolly.generate(out_dir)
    else:
        raise SystemExit("cast: unknown group %s" % group)
