#!/usr/bin/env python3
"""Generate the six sound cues of Talkbase.

Writes KeyBoard.wav, Button3.wav, Button2.wav, Button1.wav, CpuSound.wav and
Close.wav: 16-bit PCM, mono, 22050 Hz, each well under half a second.

Every cue is built from soft tones: a sine with a little of its second (and
a trace of its third) harmonic, a raised-cosine fade-in of a few milliseconds,
an exponential decay and a raised-cosine fade-out to silence at the very end,
so that no cue starts or stops with a click. Each cue is then scaled to a
fixed, quiet peak level. Nothing is random, so the output is the same bytes
on every run.

Usage: python3 tools/make_sounds.py [OUTPUT_DIR]
OUTPUT_DIR defaults to data/Sound in the repository.
"""

import math
import os
import struct
import sys
import wave

RATE = 22050


def db_to_gain(db):
    return 10.0 ** (db / 20.0)


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def raised_cosine(i, n):
    """0 at i == 0 rising smoothly to 1 at i == n."""
    if n <= 0 or i >= n:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * i / n)


def tone(freq, seconds, attack=0.004, decay=0.08, release=0.012,
         freq_end=None, harmonics=(1.0, 0.18, 0.05)):
    """One soft note.

    freq_end, when given, glides the pitch exponentially from freq to
    freq_end over the note. decay is the time constant of the exponential
    fall after the attack; release is the closing raised-cosine fade.
    """
    n = int(round(seconds * RATE))
    n_attack = int(round(attack * RATE))
    n_release = int(round(release * RATE))
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        if freq_end is None:
            f = freq
        else:
            f = freq * (freq_end / freq) ** (i / max(n - 1, 1))
        phase += 2.0 * math.pi * f / RATE
        s = 0.0
        for k, a in enumerate(harmonics, start=1):
            s += a * math.sin(k * phase)
        env = raised_cosine(i, n_attack)
        env *= math.exp(-max(t - attack, 0.0) / decay)
        env *= raised_cosine(n - 1 - i, n_release)
        out.append(s * env)
    return out


def mix(length_seconds, *parts):
    """Mix (start_seconds, samples) pairs into one buffer."""
    buf = silence(length_seconds)
    for start, samples in parts:
        offset = int(round(start * RATE))
        for i, v in enumerate(samples):
            j = offset + i
            if j < len(buf):
                buf[j] += v
    return buf


def normalise(samples, peak_db):
    peak = max(abs(v) for v in samples) or 1.0
    gain = db_to_gain(peak_db) / peak
    return [v * gain for v in samples]


def keyboard():
    # A very short, soft tick: a high partial that dies at once over a
    # quieter low body.
    return mix(0.030,
               (0.0, tone(2200, 0.030, attack=0.0015, decay=0.005,
                          release=0.006, freq_end=1700,
                          harmonics=(1.0, 0.1))),
               (0.0, [0.6 * v for v in
                      tone(700, 0.030, attack=0.002, decay=0.008,
                           release=0.008, harmonics=(1.0, 0.15))]))


def send_pop():
    # A rounded "pop" that rises in pitch, like a bubble let go.
    return tone(420, 0.150, attack=0.004, decay=0.040, release=0.030,
                freq_end=980, harmonics=(1.0, 0.2, 0.04))


def layout_blip():
    # Two quick notes, B5 then E6, a fourth up: "switched".
    a = tone(988, 0.070, attack=0.003, decay=0.030, release=0.020)
    b = tone(1319, 0.090, attack=0.003, decay=0.035, release=0.030)
    return mix(0.170, (0.0, a), (0.075, b))


def shake_chime():
    # A small rising arpeggio, C6 E6 G6, each note left to ring.
    notes = (1047, 1319, 1568)
    parts = []
    for n, f in enumerate(notes):
        parts.append((0.060 * n,
                      tone(f, 0.300, attack=0.004, decay=0.090,
                           release=0.060, harmonics=(1.0, 0.12, 0.03))))
    return mix(0.420, *parts)


def cpu_chime():
    # A warm two-note chime, A4 then D5, the first still ringing under
    # the second.
    a = tone(440, 0.300, attack=0.006, decay=0.120, release=0.080,
             harmonics=(1.0, 0.25, 0.06))
    b = tone(587.33, 0.330, attack=0.006, decay=0.130, release=0.100,
             harmonics=(1.0, 0.25, 0.06))
    return mix(0.450, (0.0, a), (0.110, b))


def close_tone():
    # A short falling tone; it is repeated while the window shrinks away.
    return tone(880, 0.180, attack=0.004, decay=0.070, release=0.050,
                freq_end=440, harmonics=(1.0, 0.15, 0.03))


# File name, builder, peak level in dBFS.
CUES = (
    ("KeyBoard.wav", keyboard, -18.0),
    ("Button3.wav", send_pop, -14.0),
    ("Button2.wav", layout_blip, -15.0),
    ("Button1.wav", shake_chime, -14.0),
    ("CpuSound.wav", cpu_chime, -13.0),
    ("Close.wav", close_tone, -16.0),
)


def write_wav(path, samples):
    frames = b"".join(
        struct.pack("<h", max(-32767, min(32767, int(round(v * 32767.0)))))
        for v in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(root, "data", "Sound")
    os.makedirs(out_dir, exist_ok=True)
    for name, build, peak_db in CUES:
        path = os.path.join(out_dir, name)
        write_wav(path, normalise(build(), peak_db))
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
