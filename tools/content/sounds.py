"""Sound effects synthesized from recipes: noise and decaying partials, with a fixed seed each.

    sounds <list file>

The list file (content/sound/gen/sounds.txt) holds "<sample name> <recipe> [level in dB]"
lines; every sample becomes <name>.ogg.
"""

import math
import os
import random

import audio

RATE = audio.RATE


def partials(t, parts):
    """Sum of decaying sines: (frequency, amplitude, decay per second)."""
    return sum(a * math.exp(-d * t) * math.sin(2 * math.pi * f * t) for f, a, d in parts)


def click(rng):
    """A short wooden knock: a noise burst through a simple low-pass, with a body tone."""
    n = int(0.07 * RATE)
    out, lp = [], 0.0
    for i in range(n):
        t = i / RATE
        lp += 0.35 * (rng.uniform(-1, 1) - lp)
        out.append(lp * math.exp(-90 * t) * 1.6 + partials(t, [(1750, 0.5, 70), (820, 0.4, 55)]))
    return out


def tink(rng):
    """A light brass tap for the pointer passing over a button."""
    n = int(0.12 * RATE)
    return [0.6 * partials(i / RATE, [(2350, 0.6, 38), (3910, 0.3, 60), (5200, 0.1, 90)])
            for i in range(n)]


def register(rng):
    """The cash register: key clatter, the drawer rolling out, then the bell."""
    n = int(1.1 * RATE)
    out = [0.0] * n
    # Three key clacks.
    for start in (0.0, 0.07, 0.13):
        s = int(start * RATE)
        lp = 0.0
        for i in range(int(0.05 * RATE)):
            t = i / RATE
            lp += 0.5 * (rng.uniform(-1, 1) - lp)
            out[s + i] += 0.7 * lp * math.exp(-80 * t) + 0.3 * partials(t, [(1300, 1, 90)])
    # The drawer: rumbling noise with a rising-and-falling swell.
    s = int(0.2 * RATE)
    lp = 0.0
    length = int(0.35 * RATE)
    for i in range(length):
        lp += 0.08 * (rng.uniform(-1, 1) - lp)
        env = math.sin(math.pi * i / length)
        rattle = 1.0 + 0.5 * math.sin(2 * math.pi * 38 * i / RATE)
        out[s + i] += 1.8 * lp * env * rattle
    # The bell: an inharmonic brass ring that decays slowly; it rings to the end.
    s = int(0.33 * RATE)
    for i in range(n - s):
        t = i / RATE
        out[s + i] += 0.55 * partials(t, [(2637, 1.0, 4.5), (5274 * 1.01, 0.45, 7),
                                         (3951 * 1.003, 0.3, 6), (7910, 0.15, 11)])
    # Fade the last 50 ms so the end is silent.
    fade = int(0.05 * RATE)
    for i in range(fade):
        out[n - fade + i] *= 1.0 - i / fade
    return out


def typekey(rng):
    """A typewriter key: a sharp metal strike on the platen with a short rattle; every sample
    name gets its own seed, so the three keys of the name entry differ."""
    n = int(0.09 * RATE)
    pitch = rng.uniform(0.85, 1.2)
    out, lp = [], 0.0
    for i in range(n):
        t = i / RATE
        lp += 0.6 * (rng.uniform(-1, 1) - lp)
        out.append(0.9 * lp * math.exp(-120 * t)
                   + partials(t, [(2900 * pitch, 0.5, 95), (1150 * pitch, 0.35, 70)]))
    return out


RECIPES = {"click": click, "tink": tink, "register": register, "typekey": typekey}


def generate(out_dir, src_dir, args):
    with open(os.path.join(src_dir, args[0]), encoding="utf-8") as f:
        lines = [l.split("#", 1)[0].split() for l in f]
    for serial, words in enumerate((w for w in lines if w), 1):
        name, recipe = words[0], words[1]
        level = words[2] if len(words) > 2 else "0"
        samples = RECIPES[recipe](random.Random(serial * 7919))
        wav = os.path.join(out_dir, name + ".wav")
        audio.write_wav(wav, samples)
        audio.finish(wav, os.path.join(out_dir, name + ".ogg"), serial, effects=("gain", level))
