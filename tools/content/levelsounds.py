"""The saloon day's sounds, synthesized: glass, bottles on wood and in crates, guns near and far,
the hurry-up bell, chairs, footsteps in sand, the batwing doors, punches, the undertaker's bell,
the sheriff's spurs, the cow, the crowd's murmur (a loop without a seam), telekinesis, and the
outdoor ambience (horse, gallop, a far gunfight, dogs, chickens, the rooster, the wolf), and the
fanfare of a day won.

    levelsounds <list file>

The list file (content/sound1/gen/levelsounds.txt) holds "<sample name> <recipe> [level in dB]"
lines, as sounds.py reads them; every sample becomes <name>.ogg, 22050 Hz mono, normalised to
-1 dB and then lowered by its level. Each recipe draws its noise from a seed fixed by its line,
so the bytes are the same on every build. "loop" after the level makes the sample's end flow
into its start (a crossfade of its last half second into its first).
"""

import math
import os
import random

import audio

RATE = audio.RATE
TAU = 2 * math.pi


# ---- building blocks ------------------------------------------------------------------------

def silence(seconds):
    return [0.0] * int(seconds * RATE)


def mix_in(out, sound, at, gain=1.0):
    """Adds sound into out starting at `at` seconds (out grows when needed)."""
    s = int(at * RATE)
    if s + len(sound) > len(out):
        out.extend([0.0] * (s + len(sound) - len(out)))
    for i, v in enumerate(sound):
        out[s + i] += gain * v
    return out


def partials(seconds, parts, attack=0.002):
    """Decaying sines: (frequency, amplitude, decay per second)."""
    n = int(seconds * RATE)
    a = max(1, int(attack * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        v = sum(amp * math.exp(-d * t) * math.sin(TAU * f * t) for f, amp, d in parts)
        out.append(v * min(1.0, i / a))
    return out


def noise(rng, seconds):
    return [rng.uniform(-1, 1) for _ in range(int(seconds * RATE))]


def lowpass(x, cutoff):
    k = 1 - math.exp(-TAU * cutoff / RATE)
    y, out = 0.0, []
    for v in x:
        y += k * (v - y)
        out.append(y)
    return out


def highpass(x, cutoff):
    low = lowpass(x, cutoff)
    return [a - b for a, b in zip(x, low)]


def bandpass(x, centre, q):
    """A two-pole resonant band-pass (constant peak gain)."""
    w = TAU * centre / RATE
    alpha = math.sin(w) / (2 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1 + alpha, -2 * math.cos(w), 1 - alpha
    b0, b2, a1, a2 = b0 / a0, b2 / a0, a1 / a0, a2 / a0
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for v in x:
        y = b0 * v + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, y
        out.append(y)
    return out


def envelope(x, attack, decay):
    """Attack in seconds, then exponential decay (per second)."""
    a = max(1, int(attack * RATE))
    return [v * (i / a if i < a else math.exp(-decay * (i - a) / RATE)) for i, v in enumerate(x)]


def shaped(x, points):
    """Piecewise-linear amplitude: (seconds, level) points."""
    out = []
    for i, v in enumerate(x):
        t = i / RATE
        level = points[-1][1]
        for (t0, l0), (t1, l1) in zip(points, points[1:]):
            if t0 <= t < t1:
                level = l0 + (l1 - l0) * (t - t0) / (t1 - t0)
                break
        out.append(v * level)
    return out


def osc(freq_at, seconds, shape="saw", vibrato=(0.0, 0.0)):
    """An oscillator whose frequency follows freq_at(t); saw, square-ish or sine."""
    n = int(seconds * RATE)
    phase, out = 0.0, []
    vrate, vdepth = vibrato
    for i in range(n):
        t = i / RATE
        f = freq_at(t) * (1 + vdepth * math.sin(TAU * vrate * t))
        phase = (phase + f / RATE) % 1.0
        if shape == "saw":
            out.append(2 * phase - 1)
        elif shape == "pulse":
            out.append(1.0 if phase < 0.3 else -0.43)
        else:
            out.append(math.sin(TAU * phase))
    return out


def glide(points):
    """A frequency curve through (seconds, Hz) points, linear between them."""
    def f(t):
        for (t0, f0), (t1, f1) in zip(points, points[1:]):
            if t < t1:
                return f0 + (f1 - f0) * max(0.0, t - t0) / (t1 - t0)
        return points[-1][1]
    return f


def formants(x, peaks):
    """Sum of band-passes: (centre Hz, q, gain)."""
    out = [0.0] * len(x)
    for centre, q, gain in peaks:
        for i, v in enumerate(bandpass(x, centre, q)):
            out[i] += gain * v
    return out


def fade_out(x, seconds):
    n = min(len(x), int(seconds * RATE))
    for i in range(n):
        x[len(x) - n + i] *= 1.0 - i / n
    return x


# ---- the sounds -----------------------------------------------------------------------------

def tinkle(rng, base):
    f = base * rng.uniform(0.8, 1.5)
    return partials(rng.uniform(0.08, 0.25), [(f, 1, 30), (f * 2.76, 0.5, 45), (f * 5.4, 0.25, 70)])


def bottle_break(rng, long=False):
    """A bottle smashing: a crack of noise, then shards tinkling as they fall and skitter."""
    out = envelope(highpass(noise(rng, 0.3), 1500), 0.001, 28)
    mix_in(out, partials(0.2, [(820, 0.8, 25), (1450, 0.5, 30)]), 0.0)
    shards = 26 if long else 16
    for k in range(shards):
        at = 0.02 + (rng.random() ** 1.6) * (0.9 if long else 0.6)
        mix_in(out, tinkle(rng, rng.choice((2600, 3300, 4100, 5200))), at, rng.uniform(0.15, 0.45))
    return fade_out(out, 0.05)


def knock(rng, body, length=0.12, bright=1.0):
    n = envelope(lowpass(noise(rng, length), 2200 * bright), 0.001, 60)
    tone = partials(length, [(body, 0.7, 40), (body * 2.3, 0.3, 55)])
    return [a * 1.2 + b for a, b in zip(n, tone)]


def glass_clink(rng, f):
    return partials(0.5, [(f, 1, 9), (f * 2.71, 0.5, 14), (f * 4.9, 0.3, 22)])


def bottle_box(rng, clinks):
    """A bottle dropped into a crate: a wooden thump, the bottles clinking against each other."""
    out = knock(rng, 160, 0.2, 0.6)
    for k in range(clinks):
        mix_in(out, glass_clink(rng, rng.uniform(1700, 2300)), 0.03 + 0.07 * k,
               0.5 / (1 + 0.5 * k))
    return fade_out(out, 0.05)


def bottle_table(rng, f):
    """A full bottle set down on the bar: a glassy clunk with a short ring."""
    out = knock(rng, 240, 0.25, 0.8)
    mix_in(out, partials(0.35, [(f, 0.6, 18), (f * 1.93, 0.35, 25), (f * 3.1, 0.2, 35)]), 0.002)
    return fade_out(out, 0.04)


def gunshot(rng, boom=80, tail=1.0, muffle=1.0):
    """A revolver shot: a hard crack, a boom underneath and the echo off the street."""
    n = int(tail * RATE)
    crack = envelope(highpass(noise(rng, 0.12), 700), 0.0005, 55)
    body = envelope(lowpass(noise(rng, 0.4), 900 * muffle), 0.001, 14)
    low = partials(0.4, [(boom, 1.2, 10), (boom * 1.6, 0.5, 16)])
    out = [0.0] * n
    mix_in(out, crack, 0, 0.9 * muffle)
    mix_in(out, body, 0, 1.0)
    mix_in(out, low, 0, 0.8)
    echo = envelope(lowpass(noise(rng, tail - 0.1), 600 * muffle), 0.05, 4.5)
    mix_in(out, echo, 0.09, 0.25)
    out = out[:n]
    if muffle < 1.0:
        out = lowpass(out, 1200 * muffle)
    return fade_out(out, 0.1)


def bark(rng, pitch=480, length=0.22):
    """A dog's bark: a buzzing voice that jumps up and falls, through a dog's formants."""
    voice = osc(glide([(0, pitch * 0.8), (0.04, pitch * 1.15), (length, pitch * 0.7)]), length,
                "pulse")
    voice = [v + 0.4 * r for v, r in zip(voice, noise(rng, length))]
    out = formants(voice, [(800, 4, 1.0), (1500, 5, 0.7), (2600, 6, 0.3)])
    return shaped(out, [(0, 0), (0.012, 1), (length * 0.5, 0.8), (length, 0)])


def dog_gun(rng, barks):
    out = []
    for k in range(barks):
        mix_in(out, bark(rng, rng.uniform(430, 520)), 0.27 * k)
    mix_in(out, silence(0.1), len(out) / RATE)
    return out


def bell(rng, f, seconds, decay=2.2):
    """A brass hand bell: inharmonic partials with a slow beat."""
    parts = [(f, 1.0, decay), (f * 2.0 * 1.003, 0.6, decay * 1.4), (f * 2.98, 0.4, decay * 1.8),
             (f * 4.16, 0.3, decay * 2.5), (f * 5.43, 0.2, decay * 3.2), (f * 0.5, 0.25, decay)]
    out = partials(seconds, parts, attack=0.001)
    mix_in(out, envelope(highpass(noise(rng, 0.02), 3000), 0.0005, 200), 0, 0.4)
    return fade_out(out, 0.15)


def hurry_bell(rng):
    """The hurry-up bell: two quick strokes of a hand bell."""
    out = bell(rng, 1180, 1.2)
    mix_in(out, bell(rng, 1180, 1.0), 0.22, 0.8)
    return fade_out(out, 0.2)


def chair(rng, f0, f1, length):
    """A chair taking a customer's weight: a short wooden creak and a knock as it settles."""
    creak = osc(glide([(0, f0), (length, f1)]), length, "saw", vibrato=(23, 0.05))
    grain = [1.0 if rng.random() < 0.25 else 0.35 for _ in creak]
    creak = formants([a * b for a, b in zip(creak, grain)], [(900, 5, 1.0), (1800, 6, 0.5)])
    out = shaped(creak, [(0, 0), (0.03, 0.8), (length * 0.8, 0.6), (length, 0)])
    mix_in(out, knock(rng, 140, 0.15, 0.7), length * 0.85, 1.2)
    return fade_out(out, 0.03)


def sand_step(rng, seconds):
    """Boots shuffling over the sand on the floor: two soft gritty scrapes."""
    out = []
    for k, at in enumerate((0.0, seconds * 0.45)):
        scrape = bandpass(noise(rng, 0.18), rng.uniform(2500, 3500), 0.8)
        grit = [v * (1.0 if rng.random() < 0.5 else 0.3) for v in scrape]
        mix_in(out, shaped(grit, [(0, 0), (0.03, 1), (0.1, 0.5), (0.18, 0)]), at)
    return out


def door(rng, opening):
    """The batwing doors: a rising hinge squeal as they swing open; closing, they flap back and
    forth with fading knocks."""
    if opening:
        squeal = osc(glide([(0, 520), (0.35, 880), (0.5, 760)]), 0.5, "saw", vibrato=(31, 0.03))
        out = shaped(formants(squeal, [(1200, 8, 1), (2400, 8, 0.4)]),
                     [(0, 0), (0.06, 0.7), (0.4, 0.5), (0.5, 0)])
        mix_in(out, knock(rng, 120, 0.15, 0.5), 0.45, 0.9)
    else:
        out = []
        for k in range(4):
            mix_in(out, knock(rng, 130 + 15 * k, 0.14, 0.6), 0.16 * k, 1.0 / (1 + k * 0.9))
        squeak = osc(glide([(0, 700), (0.2, 600)]), 0.2, "saw", vibrato=(29, 0.03))
        mix_in(out, shaped(bandpass(squeak, 1300, 6), [(0, 0), (0.05, 0.3), (0.2, 0)]), 0.05)
    return fade_out(out, 0.04)


def wood_hit(rng):
    """A fist on the bar: a heavy wooden knock with a hollow ring."""
    out = knock(rng, 110, 0.35, 0.7)
    mix_in(out, partials(0.3, [(220, 0.5, 12), (370, 0.3, 18)]), 0)
    return fade_out(out, 0.05)


def punch(rng):
    thud = envelope(lowpass(noise(rng, 0.14), 500), 0.001, 35)
    slap = envelope(highpass(noise(rng, 0.04), 1800), 0.0005, 120)
    low = partials(0.14, [(75, 1, 30)])
    return [a * 1.4 + b * 0.5 + c for a, b, c in zip(thud, slap + [0.0] * 5000, low)]


def grunt(rng, pitch):
    v = osc(glide([(0, pitch), (0.18, pitch * 0.75)]), 0.18, "pulse")
    v = formants(v, [(650, 6, 1.0), (1100, 7, 0.6)])
    return shaped(v, [(0, 0), (0.02, 1), (0.18, 0)])


def fight(rng):
    """A brawl: punches, grunts and a chair going over."""
    out = []
    for k, at in enumerate((0.0, 0.22, 0.36, 0.64, 0.8, 1.05)):
        mix_in(out, punch(rng), at, rng.uniform(0.7, 1.0))
        if k % 2 == 0:
            mix_in(out, grunt(rng, rng.uniform(110, 160)), at + 0.05, 0.35)
    mix_in(out, knock(rng, 150, 0.3, 0.6), 1.25, 0.8)
    mix_in(out, knock(rng, 190, 0.2, 0.6), 1.38, 0.5)
    return fade_out(out, 0.08)


def funeral_bell(rng):
    """The undertaker's arrival: a low church bell tolling twice."""
    out = bell(rng, 196, 2.4, decay=1.3)
    mix_in(out, bell(rng, 196, 1.4, decay=1.6), 1.05, 0.7)
    return fade_out(out, 0.4)


def spurs(rng):
    """The sheriff walks in: boot heels and the ring of his spurs, then a short whistle."""
    out = []
    for k in range(4):
        at = 0.28 * k
        mix_in(out, knock(rng, 170, 0.1, 1.2), at, 0.7)
        for j in range(3):
            mix_in(out, partials(0.25, [(3300 + 400 * j, 0.4, 18), (5100 + 300 * j, 0.2, 25)]),
                   at + 0.03 + 0.025 * j, 0.5)
    whistle = osc(glide([(0, 1400), (0.15, 2100), (0.3, 1800), (0.5, 1300)]), 0.5, "sine",
                  vibrato=(6, 0.01))
    mix_in(out, shaped(whistle, [(0, 0), (0.05, 0.45), (0.4, 0.35), (0.5, 0)]), 1.15)
    return fade_out(out, 0.05)


def moo(rng):
    """The cow: a long, low moo that swells and sags, nasal at the start and open after."""
    length = 1.4
    voice = osc(glide([(0, 105), (0.3, 128), (1.0, 118), (length, 92)]), length, "saw",
                vibrato=(5, 0.015))
    breath = lowpass(noise(rng, length), 1500)
    voice = [v + 0.25 * b for v, b in zip(voice, breath)]
    nasal = formants(voice, [(300, 5, 1.0), (1000, 6, 0.3)])
    opened = formants(voice, [(620, 4, 1.0), (1150, 5, 0.6), (2400, 6, 0.15)])
    out = []
    for i, (a, b) in enumerate(zip(nasal, opened)):
        k = min(1.0, i / (0.35 * RATE))
        out.append(a * (1 - k) + b * k)
    return shaped(out, [(0, 0), (0.12, 0.8), (0.5, 1.0), (1.1, 0.8), (length, 0)])


def murmur(rng):
    """The crowd: a dozen voices talking at once, each a run of syllables of its own pitch
    through changing vowels, with a low rumble; 6 seconds plus half a second to crossfade."""
    length = 6.5
    n = int(length * RATE)
    out = [0.0] * n
    for v in range(12):
        pitch = rng.uniform(95, 230)
        t = rng.uniform(0, 0.4)
        voice = []
        while t < length:
            syll = rng.uniform(0.08, 0.22)
            gap = rng.uniform(0.02, 0.12) if rng.random() < 0.85 else rng.uniform(0.4, 0.9)
            f = pitch * rng.uniform(0.9, 1.15)
            s = osc(glide([(0, f), (syll, f * rng.uniform(0.85, 1.05))]), syll, "pulse")
            s = formants(s, [(rng.choice((500, 650, 750, 400)), 5, 1.0),
                             (rng.choice((1100, 1700, 2200, 900)), 7, 0.5)])
            s = shaped(s, [(0, 0), (0.03, 1), (syll - 0.03, 0.8), (syll, 0)])
            mix_in(voice, s, t)
            t += syll + gap
        mix_in(out, voice[:n], 0, rng.uniform(0.4, 1.0))
    rumble = lowpass(noise(rng, length), 300)
    out = [a + 2.0 * b for a, b in zip(out, rumble)]
    # Voices through the room and the walls: dull the hiss of the buzzing sources.
    return lowpass(lowpass(out[:n], 1800), 2200)


def telekinesis(rng):
    """A bottle lifted by the mind: a rising shimmer with a hollow whoosh."""
    length = 0.9
    sweep = glide([(0, 300), (length, 1400)])
    tone = osc(sweep, length, "sine", vibrato=(11, 0.04))
    fifth = osc(lambda t: sweep(t) * 1.5, length, "sine", vibrato=(13, 0.05))
    whoosh = bandpass(noise(rng, length), 1200, 1.2)
    out = [0.5 * a + 0.3 * b + 0.6 * c for a, b, c in zip(tone, fifth, whoosh)]
    for k in range(10):
        mix_in(out, partials(0.2, [(rng.uniform(3000, 6000), 0.25, 20)]), 0.3 + 0.05 * k)
    return shaped(out, [(0, 0), (0.25, 0.8), (0.7, 1.0), (length, 0)])


def neigh(rng):
    """A horse outside: a whinnying neigh that shakes, climbs and falls, then a snort."""
    length = 1.3
    f = glide([(0, 420), (0.2, 900), (0.6, 760), (1.0, 520), (length, 380)])
    voice = osc(f, length, "saw", vibrato=(17, 0.07))
    voice = formants(voice, [(900, 4, 1.0), (1900, 5, 0.5), (3000, 6, 0.2)])
    out = shaped(voice, [(0, 0), (0.1, 0.9), (0.9, 0.7), (length, 0)])
    snort = envelope(bandpass(noise(rng, 0.3), 700, 1.5), 0.01, 12)
    mix_in(out, snort, length + 0.1, 0.7)
    return fade_out(out, 0.05)


def hoof(rng):
    return knock(rng, rng.uniform(95, 120), 0.1, 0.5)


def gallop(rng):
    """A rider passes along the street: three-beat hoof falls swelling and fading."""
    length = 3.0
    out = silence(length)
    t = 0.0
    while t < length - 0.2:
        for k, dt in enumerate((0.0, 0.09, 0.17)):
            level = math.sin(math.pi * (t + dt) / length) ** 1.5
            mix_in(out, hoof(rng), t + dt, level * (0.8 if k else 1.0))
        t += 0.36
    out = lowpass(out, 2500)
    return fade_out(out[:int(length * RATE)], 0.1)


def far_gunfight(rng):
    """A gunfight down the street: shots dulled by distance, at ragged intervals."""
    out = silence(2.4)
    t = 0.0
    for k in range(7):
        mix_in(out, gunshot(rng, boom=70, tail=0.6, muffle=0.4), t, rng.uniform(0.5, 1.0))
        t += rng.choice((0.13, 0.25, 0.3, 0.45))
    return fade_out(out[:int(2.4 * RATE)], 0.3)


def far_dog(rng):
    out = []
    for k, at in enumerate((0.0, 0.3, 0.75)):
        mix_in(out, bark(rng, rng.uniform(380, 440), 0.2), at, 1.0 - 0.2 * k)
    return fade_out(lowpass(out, 1800) + silence(0.1), 0.1)


def cluck(rng, pitch):
    length = 0.09
    v = osc(glide([(0, pitch * 1.2), (length, pitch)]), length, "pulse")
    v = formants(v, [(1100, 5, 1.0), (2300, 6, 0.5)])
    return shaped(v, [(0, 0), (0.01, 1), (length, 0)])


def chicken(rng):
    """Hens in the yard: runs of clucks and a rising 'b-gawk'."""
    out = []
    t = 0.0
    for k in range(5):
        mix_in(out, cluck(rng, rng.uniform(600, 720)), t, 0.8)
        t += rng.uniform(0.12, 0.2)
    gawk = osc(glide([(0, 700), (0.25, 1000), (0.35, 800)]), 0.35, "pulse")
    gawk = shaped(formants(gawk, [(1300, 5, 1), (2600, 6, 0.4)]), [(0, 0), (0.03, 1), (0.35, 0)])
    mix_in(out, gawk, t + 0.05)
    return fade_out(out + silence(0.05), 0.05)


def rooster(rng):
    """The rooster: cock-a-doodle-doo, four syllables, the last long and falling."""
    out = []
    t = 0.0
    for f0, f1, length in ((600, 700, 0.12), (720, 760, 0.12), (820, 880, 0.16),
                           (900, 620, 0.7)):
        v = osc(glide([(0, f0), (length * 0.3, f1 * 1.05), (length, f1)]), length, "saw",
                vibrato=(24, 0.04))
        v = formants(v, [(1400, 4, 1), (2700, 6, 0.5)])
        mix_in(out, shaped(v, [(0, 0), (0.02, 1), (length - 0.04, 0.8), (length, 0)]), t)
        t += length + 0.03
    return fade_out(out, 0.05)


def howl(rng):
    """A wolf far off in the hills: a long howl rising and falling away."""
    length = 2.6
    f = glide([(0, 330), (0.5, 560), (1.6, 600), (length, 360)])
    v = osc(f, length, "sine", vibrato=(5, 0.012))
    v = [a + 0.15 * math.sin(2 * math.asin(max(-1, min(1, a)))) for a in v]
    breath = bandpass(noise(rng, length), 700, 2)
    v = [a + 0.1 * b for a, b in zip(v, breath)]
    return shaped(v, [(0, 0), (0.4, 0.8), (1.6, 1.0), (length, 0)])


def pluck(f, length=0.5):
    return partials(length, [(f, 1, 6), (2 * f, 0.5, 9), (3 * f, 0.25, 12), (4 * f, 0.1, 16)])


def success(rng):
    """A day won: a banjo-bright arpeggio up to a held chord."""
    out = []
    notes = (523.25, 659.25, 783.99, 1046.5)
    for k, f in enumerate(notes):
        mix_in(out, pluck(f, 0.4), 0.1 * k, 0.8)
    for f in (523.25, 659.25, 783.99, 1046.5):
        mix_in(out, pluck(f, 1.0), 0.45, 0.5)
    mix_in(out, bell(rng, 2093, 0.8, decay=5), 0.45, 0.2)
    return fade_out(out, 0.2)


RECIPES = {
    "break_short": lambda r: bottle_break(r, False),
    "break_long": lambda r: bottle_break(r, True),
    "box_one": lambda r: bottle_box(r, 2),
    "box_rattle": lambda r: bottle_box(r, 4),
    "table_high": lambda r: bottle_table(r, 1250),
    "table_low": lambda r: bottle_table(r, 980),
    "gun_near": lambda r: gunshot(r, 80, 1.0),
    "gun_heavy": lambda r: gunshot(r, 62, 1.3),
    "gun_bright": lambda r: gunshot(r, 95, 0.8),
    "bark_one": lambda r: dog_gun(r, 1),
    "bark_two": lambda r: dog_gun(r, 2),
    "two_shots": lambda r: mix_in(gunshot(r, 80, 1.0), gunshot(r, 70, 1.0), 0.32, 0.9),
    "hurry_bell": hurry_bell,
    "chair_low": lambda r: chair(r, 160, 210, 0.32),
    "chair_mid": lambda r: chair(r, 230, 170, 0.28),
    "chair_high": lambda r: chair(r, 280, 330, 0.22),
    "sand_a": lambda r: sand_step(r, 0.45),
    "sand_b": lambda r: sand_step(r, 0.6),
    "door_open": lambda r: door(r, True),
    "door_close": lambda r: door(r, False),
    "wood_hit": wood_hit,
    "fight": fight,
    "funeral_bell": funeral_bell,
    "spurs": spurs,
    "moo": moo,
    "murmur": murmur,
    "telekinesis": telekinesis,
    "neigh": neigh,
    "gallop": gallop,
    "far_gunfight": far_gunfight,
    "far_dog": far_dog,
    "chicken": chicken,
    "rooster": rooster,
    "howl": howl,
    "success": success,
}

LOOP_FADE = 0.5


def make_loop(samples):
    """The last LOOP_FADE seconds are crossfaded (equal power) into the first, and dropped:
    played again and again, the end runs into the start without a seam."""
    n = int(LOOP_FADE * RATE)
    body = samples[:len(samples) - n]
    tail = samples[len(samples) - n:]
    for i in range(n):
        k = (i + 0.5) / n
        body[i] = body[i] * math.sin(0.5 * math.pi * k) + tail[i] * math.cos(0.5 * math.pi * k)
    return body


def generate(out_dir, src_dir, args):
    with open(os.path.join(src_dir, args[0]), encoding="utf-8") as f:
        lines = [l.split("#", 1)[0].split() for l in f]
    for serial, words in enumerate((w for w in lines if w), 300):
        name, recipe = words[0], words[1]
        if recipe not in RECIPES:
            raise SystemExit("levelsounds: %s: no recipe %s" % (name, recipe))
        level = words[2] if len(words) > 2 else "0"
        samples = RECIPES[recipe](random.Random(serial * 104729))
        if "loop" in words[3:]:
            samples = make_loop(samples)
        wav = os.path.join(out_dir, name + ".wav")
        audio.write_wav(wav, samples)
        audio.finish(wav, os.path.join(out_dir, name + ".ogg"), serial, effects=("gain", level))
