"""Sound output shared by the sound and music generators: 16-bit WAV writing, and the sox and
oggenc steps that normalise a sound and encode it to Ogg Vorbis. Both tools run in their
repeatable modes (sox without dither or random seeds, oggenc with a fixed stream serial), so
the same input gives the same bytes."""

import os
import struct
import subprocess
import wave

RATE = 22050


def write_wav(path, samples, rate=RATE):
    """Writes mono float samples (-1..1) as 16-bit PCM."""
    frames = bytearray()
    for v in samples:
        frames += struct.pack("<h", int(round(max(-1.0, min(1.0, v)) * 32767)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def finish(wav_in, ogg_out, serial, quality=4, effects=()):
    """Normalises wav_in to -1 dB with sox (plus any further sox effects), then encodes it."""
    tmp = ogg_out + ".norm.wav"
    subprocess.run(["sox", "-R", "-D", wav_in, "-b", "16", tmp, "norm", "-1", *effects],
                   check=True)
    subprocess.run(["oggenc", "-Q", "-q", str(quality), "-s", str(serial), "-o", ogg_out, tmp],
                   check=True)
    os.remove(tmp)
    os.remove(wav_in)
