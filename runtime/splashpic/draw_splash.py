#!/usr/bin/env python3
"""draw_splash.py - writes ZORVAN.EXE's built-in splash picture, record by
record, as an enhanced metafile: a night-blue sky that lightens towards
the bottom, a soft glow, a silver disc with a green start arrow and three
dots that say the disc is on its way.

The picture keeps the proportions of the splash dialog's picture control
(200 x 182 dialog units), so it is shown undistorted at the default size.

    python3 draw_splash.py OUTPUT.emf

The output depends on nothing but this file: the same bytes every run.
"""
import struct
import sys

WIDTH, HEIGHT = 400, 364          # logical units (pixels of the reference)
DEVICE_PX = (1920, 1080)          # reference device: 96 dots per inch
DEVICE_MM = (508, 286)

EMR_HEADER = 1
EMR_EOF = 14
EMR_SETBKMODE = 18
EMR_SETPOLYFILLMODE = 19
EMR_SELECTOBJECT = 37
EMR_CREATEPEN = 38
EMR_CREATEBRUSHINDIRECT = 39
EMR_DELETEOBJECT = 40
EMR_ELLIPSE = 42
EMR_RECTANGLE = 43
EMR_PIE = 47
EMR_POLYGON16 = 86

NULL_BRUSH = 0x80000005
NULL_PEN = 0x80000008
PS_SOLID, PS_NULL = 0, 5
BS_SOLID = 0
TRANSPARENT = 1
WINDING = 2

BRUSH, PEN = 1, 2                 # the two handle slots the picture reuses


def rgb(r, g, b):
    return r | g << 8 | b << 16


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


class Picture:
    def __init__(self):
        self.records = []

    def record(self, kind, body):
        self.records.append(struct.pack('<II', kind, 8 + len(body)) + body)

    def brush(self, colour):
        self.record(EMR_CREATEBRUSHINDIRECT, struct.pack('<IIII', BRUSH, BS_SOLID, rgb(*colour), 0))
        self.record(EMR_SELECTOBJECT, struct.pack('<I', BRUSH))

    def pen(self, colour, width):
        self.record(EMR_CREATEPEN, struct.pack('<IIiiI', PEN, PS_SOLID, width, 0, rgb(*colour)))
        self.record(EMR_SELECTOBJECT, struct.pack('<I', PEN))

    def no_pen(self):
        self.record(EMR_SELECTOBJECT, struct.pack('<I', NULL_PEN))

    def drop(self):
        """Selects stock objects and deletes the picture's own ones."""
        self.record(EMR_SELECTOBJECT, struct.pack('<I', NULL_PEN))
        self.record(EMR_SELECTOBJECT, struct.pack('<I', NULL_BRUSH))
        self.record(EMR_DELETEOBJECT, struct.pack('<I', PEN))
        self.record(EMR_DELETEOBJECT, struct.pack('<I', BRUSH))

    def rectangle(self, l, t, r, b):
        self.record(EMR_RECTANGLE, struct.pack('<iiii', l, t, r, b))

    def ellipse(self, cx, cy, rx, ry):
        self.record(EMR_ELLIPSE, struct.pack('<iiii', cx - rx, cy - ry, cx + rx, cy + ry))

    def pie(self, cx, cy, r, start, end):
        self.record(EMR_PIE, struct.pack('<iiiiiiii', cx - r, cy - r, cx + r, cy + r,
                                         start[0], start[1], end[0], end[1]))

    def polygon(self, points):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        body = struct.pack('<iiiiI', min(xs), min(ys), max(xs), max(ys), len(points))
        body += b''.join(struct.pack('<hh', x, y) for x, y in points)
        self.record(EMR_POLYGON16, body)

    def bytes(self):
        description = 'Zorvan\0Built-in splash picture\0\0'.encode('utf-16-le')
        header_size = 108 + len(description)
        body_records = self.records + [struct.pack('<IIIII', EMR_EOF, 20, 0, 16, 20)]
        total = header_size + sum(len(r) for r in body_records)
        frame = (0, 0, WIDTH * 2540 // 96, HEIGHT * 2540 // 96)
        header = struct.pack(
            '<II4i4iIIIIHHIIIiiiiIIIii',
            EMR_HEADER, header_size,
            0, 0, WIDTH - 1, HEIGHT - 1,
            *frame,
            0x464D4520, 0x10000, total, len(body_records) + 1,
            3, 0,                               # handles: slot 0 and our two
            len(description) // 2, 108, 0,
            DEVICE_PX[0], DEVICE_PX[1], DEVICE_MM[0], DEVICE_MM[1],
            0, 0, 0,
            DEVICE_MM[0] * 1000, DEVICE_MM[1] * 1000)
        assert len(header) == 108
        return header + description + b''.join(body_records)


def draw():
    pic = Picture()
    pic.record(EMR_SETBKMODE, struct.pack('<I', TRANSPARENT))
    pic.record(EMR_SETPOLYFILLMODE, struct.pack('<I', WINDING))

    # Sky: night blue at the top to a sea blue at the bottom, in bands.
    top, bottom = (10, 26, 58), (24, 104, 132)
    bands = 52
    for i in range(bands):
        pic.no_pen()
        pic.brush(mix(top, bottom, i / (bands - 1)))
        y0 = i * HEIGHT // bands
        y1 = (i + 1) * HEIGHT // bands
        pic.rectangle(0, y0, WIDTH + 1, y1 + 1)   # a null pen leaves one unit out
        pic.drop()

    cx, cy, r = WIDTH // 2, 158, 104

    # Glow behind the disc, fading into the sky around it.
    sky = mix(top, bottom, cy / HEIGHT)
    glow = (90, 170, 205)
    rings = 10
    for i in range(rings, 0, -1):
        pic.no_pen()
        pic.brush(mix(sky, glow, ((rings - i + 1) / rings) ** 2 * 0.7))
        pic.ellipse(cx, cy, r + 4 + i * 4, r + 4 + i * 4)
        pic.drop()

    # Shadow on the floor.
    pic.no_pen()
    pic.brush((12, 58, 80))
    pic.ellipse(cx, 284, 96, 10)
    pic.drop()

    # The disc: silver with a dark rim, a lighter sheen and its hub.
    pic.pen((70, 78, 92), 5)
    pic.brush((201, 206, 214))
    pic.ellipse(cx, cy, r, r)
    pic.drop()

    pic.no_pen()
    pic.brush((226, 230, 236))
    pic.pie(cx, cy, r - 6, (cx + r, cy - r), (cx - r, cy + r))
    pic.drop()

    pic.no_pen()
    pic.brush((182, 214, 230))
    pic.pie(cx, cy, r - 18, (cx + r, cy - 40), (cx + 40, cy - r))
    pic.drop()

    pic.no_pen()
    pic.brush((236, 214, 226))
    pic.pie(cx, cy, r - 18, (cx - r, cy + 40), (cx - 40, cy + r))
    pic.drop()

    pic.pen((110, 118, 130), 3)
    pic.brush((238, 241, 245))
    pic.ellipse(cx, cy, 46, 46)
    pic.drop()

    pic.pen((110, 118, 130), 2)
    pic.brush((40, 70, 100))
    pic.ellipse(cx, cy, 14, 14)
    pic.drop()

    # The start arrow over the hub.
    pic.pen((22, 92, 44), 4)
    pic.brush((46, 158, 79))
    pic.polygon([(cx - 26, cy - 44), (cx - 26, cy + 44), (cx + 50, cy)])
    pic.drop()

    pic.no_pen()
    pic.brush((120, 210, 140))
    pic.polygon([(cx - 20, cy - 32), (cx - 20, cy - 4), (cx + 18, cy - 14)])
    pic.drop()

    # Three dots: on its way.
    for i, shade in enumerate(((120, 200, 230), (170, 225, 245), (225, 245, 255))):
        pic.no_pen()
        pic.brush(shade)
        pic.ellipse(cx - 40 + i * 40, 330, 9, 9)
        pic.drop()

    # A few sparkles in the sky.
    for sx, sy, s in ((54, 46, 9), (344, 70, 7), (312, 24, 4), (86, 118, 4), (360, 190, 5)):
        pic.no_pen()
        pic.brush((235, 245, 255))
        pic.polygon([(sx, sy - s), (sx + s // 3, sy - s // 3), (sx + s, sy),
                     (sx + s // 3, sy + s // 3), (sx, sy + s), (sx - s // 3, sy + s // 3),
                     (sx - s, sy), (sx - s // 3, sy - s // 3)])
        pic.drop()
    return pic


def main():
    if len(sys.argv) != 2:
        sys.stderr.write('usage: draw_splash.py OUTPUT.emf\n')
        return 2
    data = draw().bytes()
    with open(sys.argv[1], 'wb') as out:
        out.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
