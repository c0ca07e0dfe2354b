"""Music composed as MIDI from a note list and rendered to Ogg Vorbis.

    music <note list>...

A note list (content/sound/gen/*.txt) holds "name <music name>", "tempo <bpm>", then voices:
"voice <channel> <General MIDI program> <velocity>" followed by "bar <notes>" lines, each one 4/4
bar: pitch:beats tokens (C4, F#3, Bb5; chords joined with "+"), "r:beats" for a rest. mido
writes the MIDI file; fluidsynth renders it with the TimGM6mb bank; sox normalises it and fades
the ring-out; oggenc encodes <name>.ogg.
"""

import os
import subprocess
import sys

import mido

import audio

SOUND_BANK = "/usr/share/sounds/sf2/TimGM6mb.sf2"
TICKS = 480
NOTE_BASE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
TAIL_BEATS = 3  # silence after the last bar, for the notes to ring out


def pitch(text):
    """MIDI note number of a name like C4 (middle C = 60), F#3 or Bb5."""
    n = NOTE_BASE[text[0].upper()]
    rest = text[1:]
    while rest and rest[0] in "#b":
        n += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + n


def read_song(path):
    song = {"name": None, "tempo": 120, "voices": []}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            where = "%s:%d" % (path, number)
            if words[0] == "name":
                song["name"] = words[1]
            elif words[0] == "tempo":
                song["tempo"] = int(words[1])
            elif words[0] == "voice":
                channel, program, velocity = (int(w) for w in words[1:4])
                song["voices"].append({"channel": channel, "program": program,
                                       "velocity": velocity, "bars": []})
            elif words[0] == "bar":
                events = []
                beats = 0.0
                for token in words[1:]:
                    notes, length = token.split(":")
                    length = float(length)
                    events.append(([] if notes == "r" else [pitch(n) for n in notes.split("+")],
                                   length))
                    beats += length
                if abs(beats - 4.0) > 1e-6:
                    raise SystemExit("%s: the bar holds %g beats, not 4" % (where, beats))
                song["voices"][-1]["bars"].append(events)
            else:
                raise SystemExit("%s: unknown line %s" % (where, words[0]))
    return song


def to_midi(song, path):
    mid = mido.MidiFile(ticks_per_beat=TICKS)
    bars = max(len(v["bars"]) for v in song["voices"])
    for voice in song["voices"]:
        track = mido.MidiTrack()
        mid.tracks.append(track)
        ch = voice["channel"]
        track.append(mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(song["tempo"]), time=0))
        track.append(mido.Message("program_change", channel=ch, program=voice["program"], time=0))
        wait = 0
        for bar in voice["bars"]:
            for notes, beats in bar:
                ticks = int(round(beats * TICKS))
                if not notes:
                    wait += ticks
                    continue
                for i, n in enumerate(notes):
                    track.append(mido.Message("note_on", channel=ch, note=n,
                                              velocity=voice["velocity"],
                                              time=wait if i == 0 else 0))
                # Slightly detached, as a piano player's hands lift.
                hold = int(ticks * 0.9)
                for i, n in enumerate(notes):
                    track.append(mido.Message("note_off", channel=ch, note=n, velocity=0,
                                              time=hold if i == 0 else 0))
                wait = ticks - hold
        wait += (bars - len(voice["bars"])) * 4 * TICKS + TAIL_BEATS * TICKS
        track.append(mido.MetaMessage("end_of_track", time=wait))
    mid.save(path)


def generate(out_dir, src_dir, args):
    for serial, name in enumerate(args, 100):
        song = read_song(os.path.join(src_dir, name))
        if not song["name"]:
            raise SystemExit("%s: no name line" % name)
        base = os.path.join(out_dir, song["name"])
        midi = base + ".mid.tmp"
        wav = base + ".render.wav"
        to_midi(song, midi)
        if not os.path.exists(SOUND_BANK):
            sys.stderr.write("music: %s is missing: run scripts/deps.sh\n" % SOUND_BANK)
            raise SystemExit(1)
        subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.6", "-r", "44100", "-F", wav,
                        SOUND_BANK, midi], check=True, stdout=subprocess.DEVNULL)
        os.remove(midi)
        audio.finish(wav, base + ".ogg", serial, quality=3, effects=("fade", "0", "-0", "1.2"))
