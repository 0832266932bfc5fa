#!/usr/bin/env python3
"""make-sample-music.py - writes the sample disc's background music,
sample-disc/MUSIC.WAV: a four-second arpeggio in 8-bit mono PCM.  The same
bytes on every run, so the file can be checked in and rebuilt at will."""
import math
import os
import struct

RATE = 11025
NOTES = [262, 330, 392, 523, 392, 330, 262, 196]   # C major, up and down
NOTE_LEN = RATE // 2                                # half a second each


def samples():
    for freq in NOTES:
        for i in range(NOTE_LEN):
            decay = 1.0 - i / NOTE_LEN
            v = math.sin(2 * math.pi * freq * i / RATE) * decay * 0.6
            yield 128 + int(round(v * 127))


def main():
    data = bytes(samples())
    fmt = struct.pack('<HHIIHH', 1, 1, RATE, RATE, 1, 8)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + \
        b'data' + struct.pack('<I', len(data)) + data
    if len(data) & 1:
        body += b'\0'
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'sample-disc', 'MUSIC.WAV')
    with open(out, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body)) + body)


if __name__ == '__main__':
    main()
