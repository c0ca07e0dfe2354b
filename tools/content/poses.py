"""The poses and cycles of the cast: for every sequence the game plays, its frames as skeleton
poses, its speed, looping and frame properties. Side poses face right; the left facing is their
mirror. Front poses (facings up and down) are FrontPose records."""

import math

from figure import (FrontPose, HIP_H, Pose, SEAT_H, SIT_HIP_X, standing_neck)

STRIDE = 18.0   # half a step: the planted foot travels 2 * STRIDE per step
WALK_FRAMES = 8


def walk_pose(i, arms_swing=True, carry=None):
    """Frame i of the two-step walk cycle. The planted foot moves back by the same distance every
    frame, so at the right frame rate the feet do not slide on the floor."""
    feet = {}
    for which, phase0 in (("near", 0.0), ("far", 0.5)):
        ph = (i / WALK_FRAMES + phase0) % 1.0
        if ph < 0.5:      # stance: from front to back in a straight line
            x = STRIDE - 4 * STRIDE * ph
            y = 0.0
        else:             # swing: lifted forward
            t = (ph - 0.5) * 2
            x = -STRIDE + 2 * STRIDE * t
            y = -9.0 * math.sin(math.pi * t)
        feet[which] = (x, y)
    sw = 18 * math.sin(2 * math.pi * i / WALK_FRAMES)
    arms = {"near": (-sw * 0.9, 10.0), "far": (sw * 0.9, 10.0)} if arms_swing else None
    p = Pose(hip=(0.0, -HIP_H), feet=feet, arms=arms)
    if carry:
        for a, fill in carry.items():
            p.arms[a] = (-5.0, 80.0)
            p.hold[a] = fill
    return p


def stand_pose(carry=None):
    p = Pose()
    if carry:
        for a, fill in carry.items():
            p.arms[a] = (-5.0, 80.0)
            p.hold[a] = fill
    return p


SIT_FEET = lambda hip: {"near": (hip[0] + 30, 0.0), "far": (hip[0] + 26, 0.0)}


def seated(lean=6.0, arms=None, hold=None):
    hip = (SIT_HIP_X, -SEAT_H)
    return Pose(hip=hip, lean=lean, feet=SIT_FEET(hip),
                arms=arms or {"near": (40.0, 35.0), "far": (45.0, 35.0)}, hold=hold)


def sitdown_pose(i):
    """Frame i of 0..8: standing at the chair, then lowering onto it as the chair slides in."""
    t = 0.0 if i < 2 else min(1.0, (i - 1) / 6.0)
    t = t * t * (3 - 2 * t)
    hx = SIT_HIP_X * t
    hy = -HIP_H + (HIP_H - SEAT_H) * t
    lean = 18 * math.sin(math.pi * t) + 6 * t
    sit_feet = SIT_FEET((SIT_HIP_X, -SEAT_H))
    feet = {k: (2.0 * (1 - t) + v[0] * t if k == "near" else -2.0 * (1 - t) + v[0] * t, 0.0)
            for k, v in sit_feet.items()}
    arms = {"near": (4 + 36 * t, 8 + 27 * t), "far": (-4 + 49 * t, 8 + 27 * t)}
    return Pose(hip=(hx, hy), lean=lean, feet=feet, arms=arms)


CHAIRPOS = [1.0, 1.0, 1.0, 1.0, 0.8, 0.55, 0.3, 0.1, 0.0]


def head_sit_offsets():
    """The head's displacement per sit-down frame (facing right), from the skeleton's neck."""
    n0 = standing_neck()
    out = []
    for i in range(9):
        n = sitdown_pose(i).neck()
        out.append((int(round(n[0] - n0[0])), int(round(n[1] - n0[1]))))
    return out


def ask_pose(kind, i):
    """Asking for a drink: 0 raises a finger, 1 waves, 2 bangs the table."""
    p = seated()
    if kind == 0:
        up = [0, 0.5, 1, 1, 0.6, 0.2][i]
        p.arms["far"] = (45 + 90 * up, 35 - 20 * up)
    elif kind == 1:
        p.arms["far"] = (150 + 20 * math.sin(i * 1.6), 10 + 25 * math.sin(i * 1.6))
    else:
        p.arms["far"] = ([80, 120, 60, 120, 60, 80][i], 20)
        p.arms["near"] = ([40, 90, 50, 90, 50, 40][i], 35)
    return p


def drink_pose(i, n, take, leave, fill):
    """Reach for the mug at the table, take it, lift it to the mouth, put it back. The near arm
    drinks, so that the mug at the mouth is seen in front of the face."""
    p = seated()
    if i < take:
        a = 45 + (25 * i / max(1, take))
        p.arms["near"] = (a, 35 - 15 * i / max(1, take))
    elif i < leave:
        mid = (leave - take)
        t = (i - take) / max(1, mid - 1) if mid > 1 else 1
        up = math.sin(math.pi * min(1.0, t * 1.3)) if t < 1 else 0.3
        # from the table (70, 20) to the mouth (88, 130): the hand ends a little in front of and
        # below the mouth, so that the mug's rim reaches the lips
        p.arms["near"] = (70 + 18 * up, 20 + 110 * up)
        p.hold["near"] = fill
    else:
        p.arms["near"] = (60, 25)
    return p


def throw_pose(i):
    p = seated()
    a = [(55, 30), (70, 20), (20, 30), (-40, 40), (-70, 50), (150, 10), (120, 20), (60, 30)][i]
    p.arms["far"] = a
    if 1 <= i <= 4:
        p.hold["far"] = "e"
    p.lean = 6 + [0, 0, -4, -8, -10, 8, 6, 6][i]
    return p


def fight_pose(i):
    p = Pose(feet={"near": (10.0, 0.0), "far": (-10.0, 0.0)})
    p.arms["near"] = [(70, 100), (90, 10), (70, 100), (60, 110), (90, 10), (70, 100)][i]
    p.arms["far"] = [(80, 100), (70, 100), (95, 10), (80, 100), (70, 100), (95, 10)][i]
    p.lean = [4, 10, 12, 4, 10, 12][i]
    return p


# ---------------------------------------------------------------- front and back

def front_walk(i):
    ph = i / WALK_FRAMES * 2 * math.pi
    lift = (max(0.0, 7 * math.sin(ph)), max(0.0, -7 * math.sin(ph)))
    sw = 5 * math.sin(ph)
    return FrontPose(lift=lift, swing=(sw, -sw))


def front_stand():
    return FrontPose()


def front_reach(i, n, at, hand_side, before=None, after=None):
    """Reaching out with one hand (a tap, a sink): raised towards the middle frame."""
    up = math.sin(math.pi * i / (n - 1))
    arms_up = [0.0, 0.0]
    arms_up[hand_side] = up
    hold = {}
    if before is not None and i < at:
        hold[hand_side] = before
    if after is not None and i >= at:
        hold[hand_side] = after
    return FrontPose(arms_up=tuple(arms_up), hold=hold)


def steal_pose(reach, i):
    """The thief reaching forward into the till (reach 0..1), his hand grabbing by turns (i)."""
    p = Pose(lean=4 + 8 * reach)
    grab = [0, 12, 0, -10, 0, 12][i % 6]
    p.arms["near"] = (4 + 76 * reach + grab * reach, 8 + 30 * reach)
    p.arms["far"] = (-4 + 60 * reach - grab * reach, 8 + 40 * reach)
    return p
