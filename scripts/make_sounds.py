#!/usr/bin/env python3
"""Builds the game's sound files in data/: the level sound, the confirmation
sound of the editor and the looping game tune. Only the standard library is
used, and the output is the same on every run.

    scripts/make_sounds.py [output folder]
"""
import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050


def note_hz(midi_note):
    return 440.0 * 2 ** ((midi_note - 69) / 12)


def tone(midi_note, seconds, volume=0.5, bright=0.35):
    """A plucked bell-like tone: a sine with two overtones and a fast decay."""
    f = note_hz(midi_note)
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        attack = min(1.0, t / 0.004)
        decay = math.exp(-t * 7.0)
        s = (math.sin(2 * math.pi * f * t)
             + bright * math.sin(2 * math.pi * 2 * f * t)
             + bright * 0.5 * math.sin(2 * math.pi * 3 * f * t))
        out.append(volume * attack * decay * s / (1 + 1.5 * bright))
    return out


def mix_at(buffer, samples, start_seconds):
    start = int(start_seconds * RATE)
    needed = start + len(samples)
    if len(buffer) < needed:
        buffer.extend([0.0] * (needed - len(buffer)))
    for i, s in enumerate(samples):
        buffer[start + i] += s


def fade_out(buffer, seconds=0.03):
    n = int(RATE * seconds)
    for i in range(n):
        buffer[-1 - i] *= i / n


def write_wave(path, buffer):
    frames = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32000)) for s in buffer)
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def next_level_sound():
    """About half a second: a quick rising arpeggio, C major to the octave."""
    buffer = [0.0] * int(RATE * 0.5)
    for k, n in enumerate([72, 76, 79, 84]):
        mix_at(buffer, tone(n, 0.5 - k * 0.09, 0.45, 0.5), k * 0.09)
    del buffer[int(RATE * 0.5):]
    fade_out(buffer)
    return buffer


def done_sound():
    """About 0.4 s: two soft notes, a fifth up to the tonic."""
    buffer = [0.0] * int(RATE * 0.4)
    mix_at(buffer, tone(67, 0.4, 0.45, 0.2), 0.0)
    mix_at(buffer, tone(72, 0.28, 0.5, 0.2), 0.12)
    del buffer[int(RATE * 0.4):]
    fade_out(buffer)
    return buffer


# --- MIDI -----------------------------------------------------------------

TICKS = 480  # per quarter note
TEMPO_BPM = 144


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track_chunk(events):
    """events: (tick, bytes) pairs, in any order; the end of track is added."""
    events = sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80))
    data = bytearray()
    now = 0
    for tick, message in events:
        data += vlq(tick - now) + message
        now = tick
    data += vlq(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def notes(channel, items, velocity):
    """items: (tick, length, note) triples."""
    events = []
    for tick, length, n in items:
        events.append((tick, bytes([0x90 | channel, n, velocity])))
        events.append((tick + length - 10, bytes([0x80 | channel, n, 0])))
    return events


# Eight-bar progressions, one chord per bar, as root notes with a minor flag.
VERSE = [(60, 0), (57, 1), (65, 0), (67, 0), (60, 0), (57, 1), (62, 1), (67, 0)]
BRIDGE = [(65, 0), (67, 0), (64, 1), (57, 1), (62, 1), (67, 0), (60, 0), (67, 0)]

# Melody motifs in eighth notes, as steps of the C major scale above middle C
# (None = rest). One motif per bar.
SCALE = [60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79]
VERSE_TUNE = [
    [4, 4, 5, 4, 2, None, 0, 2],
    [2, 4, 5, 7, 5, 4, 2, None],
    [3, 3, 5, 3, 7, 5, 3, 2],
    [1, 2, 4, 6, 4, None, 6, 8],
    [7, 7, 8, 7, 4, None, 2, 4],
    [5, 4, 5, 7, 9, 7, 5, 4],
    [3, 5, 8, 5, 3, 1, 3, 5],
    [4, None, 6, 8, 6, 4, 1, None],
]
BRIDGE_TUNE = [
    [5, 7, 8, 7, 5, 7, 8, 10],
    [8, 6, 4, 6, 8, None, 9, 8],
    [7, 6, 4, 2, 4, 6, 7, 9],
    [9, 7, 5, 2, 5, 7, 9, 11],
    [10, 8, 7, 5, 3, 5, 7, 8],
    [6, 8, 9, 8, 6, 4, 6, 8],
    [7, None, 4, 7, 9, 7, 4, 2],
    [1, 2, 4, 6, 8, None, 6, 4],
]


def chord_notes(root, minor):
    return [root, root + (3 if minor else 4), root + 7]


def tune():
    bar = 4 * TICKS
    eighth = TICKS // 2
    sections = [(VERSE, VERSE_TUNE), (VERSE, VERSE_TUNE), (BRIDGE, BRIDGE_TUNE),
                (VERSE, VERSE_TUNE), (BRIDGE, BRIDGE_TUNE)]
    melody, bass, chords, drums = [], [], [], []
    start = 0
    for index, (progression, motifs) in enumerate(sections):
        lift = 12 if index == 3 else 0  # the third verse an octave up
        for b, ((root, minor), motif) in enumerate(zip(progression, motifs)):
            t0 = start + b * bar
            for k, step in enumerate(motif):
                if step is not None:
                    melody.append((t0 + k * eighth, eighth, SCALE[step] + lift))
            # Bass: root, fifth and octave in a driving pattern.
            low = root - 24
            for k, n in enumerate([low, low, low + 7, low + 12, low, low + 7, low + 12, low + 7]):
                bass.append((t0 + k * eighth, eighth, n))
            # Chords on beats 2 and 4, a little short.
            for beat in (1, 3):
                for n in chord_notes(root, minor):
                    chords.append((t0 + beat * TICKS, TICKS - 60, n))
            # Drums: kick on 1 and 3, snare on 2 and 4, closed hi-hat on eighths.
            for beat in range(4):
                drums.append((t0 + beat * TICKS, 120, 38 if beat % 2 else 36))
            for k in range(8):
                drums.append((t0 + k * eighth, 60, 42))
            if b == len(progression) - 1:
                drums.append((t0 + 3 * TICKS + eighth, 60, 49 if index == len(sections) - 1 else 38))
        start += len(progression) * bar
    total = start

    tempo = 60_000_000 // TEMPO_BPM
    conductor = [(0, b"\xff\x51\x03" + tempo.to_bytes(3, "big")),
                 (0, b"\xff\x58\x04\x04\x02\x18\x08"),
                 (0, b"\xff\x03\x0bdw1_kng.mid"),
                 (total, b"\xff\x01\x04loop")]
    # Programs: 80 square lead, 33 finger bass, 4 electric piano; channel 10
    # is the drum kit.
    lead = [(0, bytes([0xC0, 80])), (0, bytes([0xB0, 7, 92]))] + notes(0, melody, 100)
    bass_track = [(0, bytes([0xC1, 33])), (0, bytes([0xB1, 7, 100]))] + notes(1, bass, 92)
    keys = [(0, bytes([0xC2, 4])), (0, bytes([0xB2, 7, 80]))] + notes(2, chords, 70)
    kit = [(0, bytes([0xB9, 7, 96]))] + notes(9, drums, 88)
    tracks = [conductor, lead, bass_track, keys, kit]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)
    seconds = total / TICKS * 60 / TEMPO_BPM
    return header + b"".join(track_chunk(t) for t in tracks), seconds


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data"
    out.mkdir(parents=True, exist_ok=True)
    write_wave(out / "Dalmor_NextLevel.wav", next_level_sound())
    write_wave(out / "Dalmor_Done.wav", done_sound())
    midi, seconds = tune()
    (out / "dw1_kng.mid").write_bytes(midi)
    print(f"wrote the two waves and a tune of {seconds:.1f} s to {out}")


if __name__ == "__main__":
    main()
