"""The saloon days' music: small-band western tunes that loop without a seam.

    saloonmusic <note list>...

A note list has the form music.py reads (name, tempo, voices of 4/4 bars), with two more kinds
of line that write the band's accompaniment from a chord chart, so that only the tune is
written out note by note:

    chords F C7 F-Bb F-D7 ...        one chord per bar, or two joined with "-" (half a bar each);
                                     a root (C, F#, Bb) and a kind: "" major, "m" minor,
                                     "7" dominant seventh, "m7", "6", "o" diminished
    comp <style> <channel> <program> <velocity>
                                     a voice that plays the chart in a style: "stride" (piano
                                     left hand: bass note, chord, fifth, chord), "offbeat"
                                     (chords on two and four), "bass" (root and fifth on one
                                     and three), "walk" (a walking bass in quarters),
                                     "strum" (eighth-note strumming, bass on the beats),
                                     "roll" (a banjo's rolling eighths through the chord)

The piece is rendered twice in a row with fluidsynth and the second pass is cut out
sample-exactly, so it begins with the ring-out of its own last notes and its end flows back
into its start; sox normalises it and oggenc encodes <name>.ogg.
"""

import copy
import os
import re
import subprocess
import sys

import audio
import music

RATE = 44100
KINDS = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10),
         "6": (0, 4, 7, 9), "o": (0, 3, 6, 9)}


def parse_chord(text):
    root = music.NOTE_BASE[text[0].upper()]
    rest = text[1:]
    if rest[:1] in ("#", "b"):
        root += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    if rest not in KINDS:
        raise SystemExit("saloonmusic: unknown chord %s" % text)
    return root % 12, KINDS[rest]


def near(pc, low):
    """The lowest MIDI note of pitch class pc at or above low."""
    n = low + (pc - low) % 12
    return n


def voicing(chord, low):
    root, kind = chord
    return sorted(near((root + i) % 12, low) for i in kind)


def half_bar(style, chord, beats, step):
    """Events (notes, beats) for `beats` beats of one chord; step counts half bars."""
    root, kind = chord
    bass = near(root, 40)            # E2..D#3
    fifth = near((root + 7) % 12, 40)
    chord_mid = voicing(chord, 55)   # around G3..F#4
    chord_high = voicing(chord, 62)
    ev = []
    if style == "stride":
        ev = [([bass], 1), (chord_mid, 1)] if beats == 2 else \
             [([bass], 1), (chord_mid, 1), ([fifth], 1), (chord_mid, 1)]
    elif style == "offbeat":
        ev = [([], 1), (chord_high, 1)] * (beats // 2)
    elif style == "bass":
        ev = [([bass - 12 if bass - 12 >= 28 else bass], 1.5), ([], 0.5)] if beats == 2 else \
             [([bass], 1.5), ([], 0.5), ([fifth if fifth < bass else fifth - 12], 1.5), ([], 0.5)]
    elif style == "walk":
        third = near((root + kind[1]) % 12, bass)
        line = [bass, third, near((root + 7) % 12, bass), third + (1 if step % 2 else -1)]
        ev = [([n], 1) for n in line[:beats]]
    elif style == "strum":
        for b in range(beats):
            ev += [([bass if b % 2 == 0 else fifth], 0.5), (chord_mid, 0.5)]
    elif style == "roll":
        tones = voicing(chord, 60) + [near(root, 72)]
        order = [0, 2, 3, 1, 2, 3, 0, 2]
        for i in range(beats * 2):
            ev.append(([tones[order[i % len(order)] % len(tones)]], 0.5))
    else:
        raise SystemExit("saloonmusic: unknown style %s" % style)
    return ev


def comp_bars(style, chart):
    bars = []
    for i, bar in enumerate(chart):
        parts = [parse_chord(c) for c in bar.split("-")]
        if len(parts) == 1:
            bars.append(half_bar(style, parts[0], 4, 2 * i))
        else:
            bars.append(half_bar(style, parts[0], 2, 2 * i) +
                        half_bar(style, parts[1], 2, 2 * i + 1))
    return bars


SHARP_AS_FLAT = {"C": "Db", "D": "Eb", "F": "Gb", "G": "Ab", "A": "Bb"}


def strip_comment(line):
    """The line without its comment: "#" after a blank or at the start (a sharp follows a
    letter)."""
    return re.sub(r"(^|\s)#.*", "", line)


def read_tune(path, scratch):
    """The song of a note list with its comp voices written out. Sharps are handed to music.py
    spelt as flats (it reads "#" as the start of a comment)."""
    plain, chart, comps = [], [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = strip_comment(line.rstrip("\n"))
            words = line.split()
            if words and words[0] == "chords":
                chart += words[1:]
            elif words and words[0] == "comp":
                comps.append((words[1], int(words[2]), int(words[3]), int(words[4])))
            else:
                plain.append(re.sub(r"([ACDFG])#(?=-?\d)",
                                    lambda m: SHARP_AS_FLAT[m.group(1)], line) + "\n")
    with open(scratch, "w", encoding="utf-8") as f:
        f.writelines(plain)
    song = music.read_song(scratch)
    os.remove(scratch)
    for style, channel, program, velocity in comps:
        song["voices"].append({"channel": channel, "program": program, "velocity": velocity,
                               "bars": comp_bars(style, chart)})
    bars = max(len(v["bars"]) for v in song["voices"])
    for v in song["voices"]:
        if len(v["bars"]) != bars:
            raise SystemExit("%s: a voice has %d bars, not %d" % (path, len(v["bars"]), bars))
    return song


def generate(out_dir, src_dir, args):
    for serial, name in enumerate(args, 400):
        path = os.path.join(src_dir, name)
        song = read_tune(path, os.path.join(out_dir, "tune.tmp"))
        if not song["name"]:
            raise SystemExit("%s: no name line" % name)
        base = os.path.join(out_dir, song["name"])
        wav = base + ".render.wav"
        midi = base + ".mid.tmp"
        bars = max(len(v["bars"]) for v in song["voices"])
        twice = copy.deepcopy(song)
        for voice in twice["voices"]:
            voice["bars"] = voice["bars"] * 2
        music.to_midi(twice, midi)
        if not os.path.exists(music.SOUND_BANK):
            sys.stderr.write("saloonmusic: %s is missing: run scripts/deps.sh\n" % music.SOUND_BANK)
            raise SystemExit(1)
        subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.6", "-r", str(RATE), "-F", wav,
                        music.SOUND_BANK, midi], check=True, stdout=subprocess.DEVNULL)
        os.remove(midi)
        length = int(round(bars * 4 * 60.0 / song["tempo"] * RATE))
        audio.finish(wav, base + ".ogg", serial, quality=3,
                     effects=("trim", "%ds" % length, "%ds" % length))
