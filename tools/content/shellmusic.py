"""The shell's music: note lists (the form of music.py) rendered so that they join up.

    shellmusic loop <note list>... once <note list>... end <note list>...

"loop" pieces repeat without a seam: the piece is rendered twice in a row and the second
pass is cut out sample-exactly, so it begins with the ring-out of its own last notes and its
end flows back into its start. "once" pieces are followed at once by another piece: they keep a
quarter of a second of ring-out, faded. "end" pieces close a scene: their notes ring out fully
and fade (as music.py renders them).
"""

import copy
import os
import subprocess
import sys

import audio
import music

RATE = 44100
ONCE_TAIL = 0.25   # seconds of ring-out kept after a "once" piece


def bar_count(song):
    return max(len(v["bars"]) for v in song["voices"])


def seconds(song, bars):
    return bars * 4 * 60.0 / song["tempo"]


def render(song, wav):
    midi = wav + ".mid.tmp"
    music.to_midi(song, midi)
    if not os.path.exists(music.SOUND_BANK):
        sys.stderr.write("shellmusic: %s is missing: run scripts/deps.sh\n" % music.SOUND_BANK)
        raise SystemExit(1)
    subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.6", "-r", str(RATE), "-F", wav,
                    music.SOUND_BANK, midi], check=True, stdout=subprocess.DEVNULL)
    os.remove(midi)


def generate(out_dir, src_dir, args):
    mode = None
    serial = 200
    for word in args:
        if word in ("loop", "once", "end"):
            mode = word
            continue
        if mode is None:
            raise SystemExit("shellmusic: %s: say loop, once or end first" % word)
        song = music.read_song(os.path.join(src_dir, word))
        if not song["name"]:
            raise SystemExit("%s: no name line" % word)
        base = os.path.join(out_dir, song["name"])
        wav = base + ".render.wav"
        bars = bar_count(song)
        if mode == "loop":
            twice = copy.deepcopy(song)
            for voice in twice["voices"]:
                voice["bars"] += [[([], 4.0)]] * (bars - len(voice["bars"]))
                voice["bars"] = voice["bars"] * 2
            render(twice, wav)
            length = int(round(seconds(song, bars) * RATE))
            effects = ("trim", "%ds" % length, "%ds" % length)
        elif mode == "once":
            render(song, wav)
            keep = seconds(song, bars) + ONCE_TAIL
            effects = ("trim", "0", "%.4f" % keep, "fade", "t", "0", "-0", "%.4f" % ONCE_TAIL)
        else:
            render(song, wav)
            effects = ("fade", "0", "-0", "1.2")
        audio.finish(wav, base + ".ogg", serial, quality=3, effects=effects)
        serial += 1
