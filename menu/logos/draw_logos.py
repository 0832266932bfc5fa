#!/usr/bin/env python3
"""draw_logos.py - writes ZVMenu's two built-in logo pictures, pixel by
pixel, as 8-bit RGBA PNG files: a night-blue card with rounded corners
(transparent outside them), a silver disc with a green start arrow, and
three menu bars beside (wide logo) or below (tall logo) the disc.

    python3 draw_logos.py OUTPUT_FOLDER

Writes logo110.png (154 x 304, the logo beside the buttons) and
logo111.png (422 x 103, the logo above them).  The same bytes every run.

The upper fifth of the tall logo and the left eighth of the wide one are
plain night blue, so a look at the screen can tell the picture is there.
"""
import os
import struct
import sys
import zlib

NIGHT = (16, 38, 84)
SEA = (28, 98, 150)
SILVER, RIM, HUB = (206, 212, 222), (90, 98, 112), (240, 243, 247)
GREEN = (46, 158, 79)
BAR, DOT = (238, 241, 245), (232, 163, 61)
SAMPLES = 3                      # per axis: soft edges


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def in_round_rect(x, y, w, h, r):
    cx = min(max(x, r), w - r)
    cy = min(max(y, r), h - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def disc(x, y, cx, cy, r):
    """The disc with its start arrow, or None outside it."""
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if d2 > r * r:
        return None
    if d2 > (r * 0.93) ** 2:
        return RIM
    # the arrow: a triangle pointing right over the hub
    ax, ay = (x - cx) / r, (y - cy) / r
    if -0.28 <= ax <= 0.42 and abs(ay) <= (0.42 - ax) * 0.52:
        return GREEN
    if d2 < (r * 0.12) ** 2:
        return NIGHT
    if d2 < (r * 0.40) ** 2:
        return HUB
    return mix(SILVER, (236, 214, 226), (x - cx + r) / (2 * r) * 0.5)


def bar(x, y, left, top, width, height):
    """A rounded menu bar with an orange dot at its left end."""
    if not (left <= x <= left + width and top <= y <= top + height):
        return None
    if not in_round_rect(x - left, y - top, width, height, height / 2):
        return None
    dot = (x - left - height / 2) ** 2 + (y - top - height / 2) ** 2
    return DOT if dot <= (height * 0.28) ** 2 else BAR


def tall(x, y, w, h):
    if not in_round_rect(x, y, w, h, 14):
        return None
    c = disc(x, y, w / 2, h * 0.40, w * 0.36)
    if c:
        return c
    for i in range(3):
        c = bar(x, y, w * 0.16, h * 0.66 + i * h * 0.09, w * 0.68, h * 0.055)
        if c:
            return c
    return NIGHT if y < h * 0.2 else mix(NIGHT, SEA, (y - h * 0.2) / (h * 0.8))


def wide(x, y, w, h):
    if not in_round_rect(x, y, w, h, 12):
        return None
    c = disc(x, y, w * 0.26, h / 2, h * 0.40)
    if c:
        return c
    for i in range(3):
        c = bar(x, y, w * 0.42, h * 0.18 + i * h * 0.25, w * 0.50, h * 0.14)
        if c:
            return c
    return NIGHT if x < w / 8 else mix(NIGHT, SEA, (x - w / 8) / (w * 7 / 8))


def render(w, h, paint):
    """RGBA rows; each pixel the mean of SAMPLES x SAMPLES points."""
    rows = []
    n = SAMPLES * SAMPLES
    for y in range(h):
        row = bytearray([0])            # filter: none
        for x in range(w):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = paint(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES, w, h)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b''.join(rows)


def png(w, h, raw):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    header = struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)     # 8-bit RGBA
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    if len(sys.argv) != 2:
        sys.stderr.write('usage: draw_logos.py OUTPUT_FOLDER\n')
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, w, h, paint in (('logo110.png', 154, 304, tall), ('logo111.png', 422, 103, wide)):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(png(w, h, render(w, h, paint)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
