"""The heroine: her outfits' layers in every facing, walking, standing, taking and leaving mugs
(with a mug of each look in the hand) and stopping fights.

Each outfit number (1 to 5) of a layer becomes an include "w1_<layer>_<n>.inc" that the
hand-written ".anim" files of content/dolly/ pick by their parameter. Her head, hair and ribbon
are drawn with the torso (her torso layer is the only one of her body part 2).
"""

import os

import figure as F
import poses as P
from art import rgb
from cast import (ALL, DOLLY_DY, MUG_SUFFIX, S, SIDE, L, Writer, walk_seqs)

SKIN = rgb("f6d0b0")
HAIR = rgb("8a3a1c")
SKIRTS = {1: rgb("3f5a8c"), 2: rgb("2f6b3a"), 3: rgb("8a2a3a"), 4: rgb("c07a2a"), 5: rgb("5a2a6a")}
BOOTS = {1: rgb("4a2c16"), 2: rgb("2a2a2a"), 3: rgb("8a5a2a"), 4: rgb("6a1e1e"), 5: rgb("e8e0d0")}
BLOUSES = {1: rgb("f4ecd8"), 2: rgb("e8c8d0"), 3: rgb("d8e4f0"), 4: rgb("c0463a"), 5: rgb("1e1c22")}
RIBBONS = {1: rgb("c0463a"), 2: rgb("3f8aa8"), 3: rgb("d8b040"), 4: rgb("f4ecd8"), 5: rgb("e070a0")}
APRON = rgb("fbf6ea")
FILL = {0: "e", 1: "l", 2: "h", 3: "f"}

ACTION_FRAME = 3   # the frame of "take" and "leave" on which the mug changes hands
STOP_FRAME = 4     # the frame of the fight-stopping push on which the customers give in


# ---------------------------------------------------------------- poses

def reach_pose(i, n, hold_before=None, hold_after=None):
    """Reaching forward to a table or counter and back, a mug in the hand before or after the
    action frame."""
    t = [0.0, 0.45, 0.85, 1.0, 0.7, 0.3][i]
    p = P.stand_pose()
    # each arm sprite draws only its own arm: both arms take the pose
    p.arms["near"] = p.arms["far"] = (4 + 76 * t, 8 + 20 * (1 - t))
    p.lean = 6 * t
    fill = hold_before if i < ACTION_FRAME else hold_after
    if fill is not None:
        p.hold["near"] = p.hold["far"] = FILL[fill]
    return p


def front_reach_pose(i, hold_before=None, hold_after=None):
    t = [0.0, 0.45, 0.85, 1.0, 0.7, 0.3][i]
    fp = P.FrontPose(arms_up=(t, t))
    fill = hold_before if i < ACTION_FRAME else hold_after
    if fill is not None:
        fp.hold = {0: FILL[fill], 1: FILL[fill]}
    return fp


def push_pose(i, hold=None):
    """Stopping a fight: both hands push forward, then come back."""
    t = [0.0, 0.5, 1.0, 1.0, 0.8, 0.3][i]
    p = P.Pose(feet={"near": (2 + 10 * t, 0.0), "far": (-2.0, 0.0)}, lean=8 * t)
    p.arms["near"] = (4 + 86 * t, 8 + 10 * (1 - t))
    p.arms["far"] = (-4 + 90 * t, 8 + 12 * (1 - t))
    if hold is not None:
        p.hold["near"] = p.hold["far"] = FILL[hold]
    return p


def carry_arms(p, fill):
    p.arms["near"] = p.arms["far"] = (-5.0, 80.0)
    p.hold["near"] = p.hold["far"] = FILL[fill]
    return p


# ---------------------------------------------------------------- sequences

def body_seqs():
    """Legs, shadow and torso: walking, standing and the step of stopping a fight."""
    seqs = walk_seqs(20, 10) + [S("stand", ALL, 1, lambda d, i: P.stand_pose() if d in SIDE
                                  else P.front_stand(), 8, loop=True)]
    seqs.append(S("stopfight", ALL, 6, lambda d, i: push_pose(i) if d in SIDE
                  else P.front_reach(i, 6, 3, 0), 10))
    return seqs


def _action(n):
    return lambda d, i: dict({"doaction": ""} if i == n else {},
                             **({"actionsound": ""} if i == n - 1 else {}))


def arm_seqs(hand):
    """The arms' sequences. With hand (the layer that draws the mug) every mug look has its own
    pictures; the other arm layers alias those names to the plain and "_carry" poses."""
    seqs = walk_seqs(20, 10)
    seqs.append(S("stand", ALL, 1, lambda d, i: P.stand_pose() if d in SIDE else P.front_stand(),
                  8, loop=True))
    looks = range(4) if hand else [3]
    for n in looks:
        sfx = "_carry" + (MUG_SUFFIX[n] if hand else "")
        seqs += walk_seqs(20, 10, carry={"near": FILL[n], "far": FILL[n]}, suffix=sfx)
        seqs.append(S("stand", ALL, 1, lambda d, i, n=n: carry_arms(P.stand_pose(), n)
                      if d in SIDE else _front_carry(n), 8, loop=True, suffix=sfx))
    seqs.append(S("take", ALL, 6, lambda d, i: reach_pose(i, 6) if d in SIDE
                  else front_reach_pose(i), 10, props=_action(ACTION_FRAME)))
    seqs.append(S("leave", ALL, 6, lambda d, i: reach_pose(i, 6) if d in SIDE
                  else front_reach_pose(i), 10, props=_action(ACTION_FRAME)))
    for n in looks:
        sfx = MUG_SUFFIX[n] if hand else "_m"
        seqs.append(S("take", ALL, 6, lambda d, i, n=n: reach_pose(i, 6, None, n) if d in SIDE
                      else front_reach_pose(i, None, n), 10, props=_action(ACTION_FRAME),
                      suffix=sfx))
        seqs.append(S("leave", ALL, 6, lambda d, i, n=n: reach_pose(i, 6, n, None) if d in SIDE
                      else front_reach_pose(i, n, None), 10, props=_action(ACTION_FRAME),
                      suffix="_carry" + sfx))
    for kind in ("fast", "wait"):
        seqs.append(S("stopfight_" + kind, SIDE, 6, lambda d, i: push_pose(i), 10,
                      props=lambda d, i: {"doaction": ""} if i == STOP_FRAME else {}))
    for n in looks:
        seqs.append(S("stopfight_swap", SIDE, 6, lambda d, i, n=n: push_pose(i, n), 10,
                      props=lambda d, i: {"doaction": ""} if i == STOP_FRAME else {},
                      suffix="_carry" + (MUG_SUFFIX[n] if hand else "")))
    return seqs


def _front_carry(n):
    fp = P.front_stand()
    fp.arms_up = (0.9, 0.9)
    fp.hold = {0: FILL[n], 1: FILL[n]}
    return fp


def arm_aliases(seq, d, code):
    """The mug-look names of the arm layers that do not draw the mug."""
    name = seq.name
    if seq.suffix.endswith("_carry") or seq.suffix == "_carry":
        base = "%s_%s%s" % (name, code, seq.suffix)
        return [base + MUG_SUFFIX[n] for n in range(4)]
    if name in ("take", "leave") and seq.suffix in ("_m", "_carry_m"):
        base = "%s_%s" % (name, code)
        if name == "take":
            return [base + MUG_SUFFIX[n] for n in range(4)] + \
                [base + "_carry" + MUG_SUFFIX[n] for n in range(4)]
        return [base + "_carry" + MUG_SUFFIX[n] for n in range(4)] + \
            [base + MUG_SUFFIX[n] for n in range(4)]
    return []


def hand_aliases(seq, d, code):
    """The hand draws every look; the other direction of a take or leave uses the same frames
    (a take never starts with a mug, a leave never without)."""
    if seq.name == "take" and seq.suffix in MUG_SUFFIX.values():
        return ["take_%s_carry%s" % (code, seq.suffix)]
    if seq.name == "leave" and seq.suffix.startswith("_carry_"):
        return ["leave_%s%s" % (code, seq.suffix[len("_carry"):])]
    return []


# ---------------------------------------------------------------- drawing

def skirt_side(ctx, pose, colour, short):
    hip = pose.hip
    knee_n = pose.leg("near")[1]
    knee_f = pose.leg("far")[1]
    low = max(knee_n[1], knee_f[1]) + (2 if short else 22)
    front = max(knee_n[0], knee_f[0]) + (8 if short else 12)
    back = min(knee_n[0], knee_f[0], hip[0]) - (10 if short else 14)
    pts = [(hip[0] - 12, hip[1] - 6), (hip[0] + 12, hip[1] - 6), (front, low), (back, low)]
    F.poly(ctx, pts, colour, grad=F.side_grad(back, front, colour))
    ctx.move_to(back + 2, low - 4)
    ctx.line_to(front - 2, low - 4)
    ctx.set_source_rgba(*F.light(colour, 0.5), 0.8)
    ctx.set_line_width(1.5)
    ctx.stroke()
    # the apron over the front of the skirt, shorter than it
    a_low = low - (4 if short else 10)
    t = (a_low - (hip[1] - 6)) / float(low - (hip[1] - 6))
    a_front = hip[0] + 12 + (front - hip[0] - 12) * t - 1
    F.poly(ctx, [(hip[0] + 3, hip[1] - 6), (hip[0] + 12, hip[1] - 6), (a_front, a_low),
                 (a_front - 14, a_low)], APRON, line=1.5,
           grad=F.side_grad(a_front - 14, a_front, APRON))


def skirt_front(ctx, fp, colour, short, back=False):
    hy = fp.hip[1]
    low = hy + (36 if short else 52)
    sway = (fp.lift[0] - fp.lift[1]) * 0.6
    F.poly(ctx, [(-13, hy - 6), (13, hy - 6), (22 + sway, low), (-22 + sway, low)], colour,
           grad=F.side_grad(-22, 22, colour))
    if not back:
        # the apron, with its hem a little above the skirt's
        a_low = low - (4 if short else 9)
        F.poly(ctx, [(-9, hy - 6), (9, hy - 6), (14 + sway, a_low), (-14 + sway, a_low)], APRON,
               line=1.5, grad=F.side_grad(-14, 14, APRON))


def legs_layer(skirt, short):
    def side(c, p, a):
        skirt_side(c, p, skirt, short)

    def front(c, fp, s, back):
        skirt_front(c, fp, skirt, short, back)
    return L("pant", side, front, z=-4)


def bare_legs_layer():
    return L("legs", lambda c, p, a: F.draw_legs(c, p, SKIN, bare=True),
             lambda c, fp, s, b: F.front_legs(c, fp, SKIN, bare=True), z=-6)


def boots_layer(colour):
    return L("botas", lambda c, p, a: F.draw_boots(c, p, colour, tall=False),
             lambda c, fp, s, b: F.front_boots(c, fp, colour, tall=False), z=-5)


def head_side(ctx, neck, ribbon):
    x, y = neck
    F.stroke_path(ctx, [(x, y + 2), (x + 1, y - 6)], 8, SKIN)
    cy = y - 17
    F.ellipse(ctx, x + 8, cy - 6, 9, 7, HAIR, line=1.5)           # bun at the back? no: fringe
    F.ellipse(ctx, x + 1, cy, 12, 14, SKIN, grad=F.radial(x + 1, cy, 14, SKIN))
    F.poly(ctx, [(x + 12, cy - 2), (x + 16, cy + 3), (x + 12, cy + 5)], SKIN, line=1.4)
    F.poly(ctx, [(x - 12, cy - 1), (x - 8, cy - 14), (x + 4, cy - 16), (x + 13, cy - 7),
                 (x + 3, cy - 9), (x - 6, cy + 2), (x - 10, cy + 12), (x - 15, cy + 6)], HAIR,
           line=1.5)
    F.ellipse(ctx, x - 13, cy - 6, 6, 6, HAIR, line=1.5)          # the bun
    F.poly(ctx, [(x - 13, cy - 12), (x - 22, cy - 18), (x - 20, cy - 6), (x - 13, cy - 8)],
           ribbon, line=1.3)
    F.ellipse(ctx, x + 7, cy - 2, 1.6, 2.4, (0.1, 0.08, 0.06), line=0)
    ctx.move_to(x + 5, cy + 7)
    ctx.line_to(x + 10, cy + 7)
    ctx.set_source_rgb(0.7, 0.2, 0.2)
    ctx.set_line_width(1.6)
    ctx.stroke()


def head_front(ctx, neck, ribbon, back):
    x, y = neck
    F.stroke_path(ctx, [(x, y + 2), (x, y - 6)], 8, SKIN)
    cy = y - 17
    F.ellipse(ctx, 0, cy, 12, 14, SKIN, grad=F.radial(0, cy, 14, SKIN))
    if back:
        F.ellipse(ctx, 0, cy - 2, 13, 14, HAIR, line=1.5)
        F.ellipse(ctx, 0, cy - 8, 7, 6, HAIR, line=1.5)
        F.poly(ctx, [(-2, cy - 10), (-12, cy - 16), (-11, cy - 6), (0, cy - 8), (11, cy - 6),
                     (12, cy - 16), (2, cy - 10)], ribbon, line=1.3)
        return
    F.poly(ctx, [(-13, cy + 4), (-12, cy - 10), (0, cy - 16), (12, cy - 10), (13, cy + 4),
                 (9, cy - 6), (0, cy - 9), (-9, cy - 6)], HAIR, line=1.5)
    F.poly(ctx, [(2, cy - 14), (12, cy - 22), (14, cy - 12), (4, cy - 11)], ribbon, line=1.3)
    for ex in (-5, 5):
        F.ellipse(ctx, ex, cy - 1, 1.6, 2.4, (0.1, 0.08, 0.06), line=0)
    ctx.move_to(-3, cy + 7)
    ctx.line_to(3, cy + 7)
    ctx.set_source_rgb(0.7, 0.2, 0.2)
    ctx.set_line_width(1.6)
    ctx.stroke()


def torso_layer(blouse, ribbon):
    def side(c, p, a):
        F.draw_torso(c, p, blouse)
        hip, neck = p.hip, p.neck()
        # the apron over the front of the dress
        F.poly(c, [(hip[0] + 2, hip[1] - 8), (hip[0] + 13, hip[1] - 8), (neck[0] + 12, neck[1] + 20),
                   (neck[0] + 6, neck[1] + 20)], APRON, line=1.5)
        F.draw_belt(c, p, ribbon, buckle=ribbon)
        head_side(c, neck, ribbon)

    def front(c, fp, s, back):
        F.front_torso(c, fp, blouse, back=back)
        hy, ny = fp.hip[1], fp.neck()[1]
        if not back:
            F.poly(c, [(-10, hy + 2), (10, hy + 2), (8, ny + 20), (-8, ny + 20)], APRON, line=1.5)
        F.front_belt(c, fp, ribbon, back=back, buckle=ribbon)
        head_front(c, fp.neck(), ribbon, back)
    return L("torso", side, front, z=-3)


def eye_layer():
    """Her eyelashes: a small separate layer, so that the low-resource mode can leave it out."""
    def side(c, p, a):
        x, y = p.neck()
        c.move_to(x + 6, y - 21)
        c.line_to(x + 10, y - 22)
        c.set_source_rgb(*F.OUTLINE)
        c.set_line_width(1.2)
        c.stroke()

    def front(c, fp, s, back):
        if back:
            return
        y = fp.neck()[1] - 18
        for ex in (-5, 5):
            c.move_to(ex - 3, y - 3)
            c.line_to(ex + 3, y - 3)
        c.set_source_rgb(*F.OUTLINE)
        c.set_line_width(1.2)
        c.stroke()
    return L("eye", side, front, z=-2)


def arms_layer():
    return L("brazos", lambda c, p, a: F.draw_arm(c, p, a, SKIN),
             lambda c, fp, s, b: F.front_arm(c, fp, s, SKIN), arm=True, z=3)


def sleeves_layer(colour):
    return L("mangas", lambda c, p, a: F.draw_arm(c, p, a, None, sleeve=colour, hand=False,
                                                  bare_len=0.45),
             lambda c, fp, s, b: F.front_arm(c, fp, s, None, sleeve=colour, hand=False),
             arm=True, z=4)


def hand_layer(glove):
    def side(c, p, a):
        s, e, h = p.arm(a)
        F.ellipse(c, h[0], h[1], 4.5, 4.5, glove, line=1.6)
        if a in p.hold:
            F.draw_held_mug(c, p, a, p.hold[a])

    def front(c, fp, s, back):
        h = F.front_arm(c, fp, s, None, hand=False)
        F.ellipse(c, h[0], h[1], 4.5, 4.5, glove, line=1.6)
        i = 0 if s < 0 else 1
        if i in fp.hold:
            F.front_held_mug(c, fp, s, fp.hold[i])
    return L("hand", side, front, arm=True, z=5)


# ---------------------------------------------------------------- output

def generate(out_dir):
    w = Writer(out_dir, DOLLY_DY)
    body = body_seqs()
    for n in range(1, 6):
        w.write("w1_pant_%d.inc" % n, "wp%d" % n, legs_layer(SKIRTS[n], short=n >= 4), body)
        w.write("w1_botas_%d.inc" % n, "wb%d" % n, boots_layer(BOOTS[n]), body)
        w.write("w1_torso_%d.inc" % n, "wt%d" % n, torso_layer(BLOUSES[n], RIBBONS[n]), body)
        w.write("w1_mangas_%d.inc" % n, "wm%d" % n, sleeves_layer(BLOUSES[n]), arm_seqs(False),
                variants=arm_aliases)
        w.write("wx_hand_%d.inc" % n, "wh%d" % n,
                hand_layer(SKIN if n < 4 else rgb("f4f0e8")), arm_seqs(True),
                variants=hand_aliases)
    w.write("wx_legs.anim", "wl", bare_legs_layer(), body)
    w.write("wx_eye.anim", "we", eye_layer(), body)
    w.write("wx_brazos.anim", "wa", arms_layer(), arm_seqs(False), variants=arm_aliases)
