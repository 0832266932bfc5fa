#!/usr/bin/env python3
"""draw_pictures.py - writes ZVConfig's pictures from this source alone:
the thirteen page banners as enhanced metafiles (title, explanation, and
"Zorvan Configuration Utility" with the page's place among the pages), the
frame's side bar (bitmap 104) and the About box's picture (bitmap 105).

    python3 draw_pictures.py OUTPUT_FOLDER

Writes banner500.emf ... banner513.emf (no 506), sidebar.bmp and about.bmp.
The same bytes every run.
"""
import os
import struct
import sys

# The banner area is 300 x 120 dialog units, about 450 x 195 pixels.
BW, BH = 900, 390
PAGES = 13

BANNERS = [
    (500, "Welcome to the Zorvan Configuration Utility!",
     "Please select if you want to create a new file or open an existing one."),
    (501, "AUTORUN Options",
     "Select a symbol (icon) to be displayed in the Windows Explorer when your media is in the drive. "
     "If you leave the icon field blank, Windows will use the default symbol for your media."),
    (513, "More AUTORUN Options",
     "Select one or more options which describes the content of your media. "
     "The Action text is the text the user sees in the menu that Windows presents when your media "
     "is inserted into the drive."),
    (502, "Zorvan Document",
     "Select a document to be opened when your media is inserted into the drive, e.g. index.htm, "
     "readme.doc or intro.mpg. To use the Zorvan Menu (ZVMenu) or Zorvan Launch Utility (ZVChain), "
     "leave this value blank."),
    (503, "Document Viewer",
     "What program should be started when Windows doesn't have a program associated with your "
     "selected document type? TIP: Enter ZVMenu.exe to launch the Zorvan Menu. Enter ZVChain.exe to "
     "start the Zorvan Launch Utility."),
    (504, "Default Action",
     "What should Zorvan do if it can't open either the document or the viewer? You can choose from "
     "opening an alternative program or document, displaying a message, or letting Zorvan display a "
     "simple error message."),
    (505, "Copyright Text",
     "What text should be displayed at the bottom of the Zorvan splash screen?"),
    (507, "Splash Screen",
     "Select an image file (Bitmap, JPEG, PNG or MetaFile, etc.) to display in the Zorvan splash "
     "screen. With the width and height settings, you can scale your picture. The Zorvan splash "
     "screen will automatically resize itself to fit these dimensions."),
    (508, "Splash Options",
     "Here you can configure several options for Zorvan. You can define how long the splash screen "
     "remains visible on the screen, select the alternate Zorvan screen, and define the title for the "
     "Zorvan Splash window."),
    (509, "Splash Placement",
     "Here you can define where the Zorvan splash screen should be placed on the desktop."),
    (510, "Sounds and Music",
     "Should Zorvan play some sound or music while the document or viewer is being launched? If so, "
     "select a sound (AVI, MIDI, RMI or WAV) file to be played, and enter the length (in seconds) of "
     "the music or sound file."),
    (511, "Legal Notice",
     "With this option, Zorvan will display a message box with your Legal Notice text that the user "
     "must read and accept in order to continue. The Show File option displays a \u201clicense "
     "agreement\u201d window with formatted, scrollable text which the user must read and accept "
     "before continuing."),
    (512, "Save the File",
     "The AUTORUN.INF file will now be generated with the settings you have entered. Optionally, you "
     "can save the settings to an encrypted ZORVAN.DAT to shield them from prying eyes. Thank you for "
     "using the Zorvan Configuration Utility!"),
]

NAVY, SKY, WHITE = (16, 44, 96), (214, 230, 246), (255, 255, 255)
GREEN, SILVER, RIM = (46, 158, 79), (201, 206, 214), (70, 78, 92)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def colorref(c):
    return c[0] | c[1] << 8 | c[2] << 16


class Metafile:
    """Enhanced-metafile records in logical units of a w x h picture."""
    NULL_PEN, NULL_BRUSH = 0x80000008, 0x80000005

    def __init__(self, w, h, description):
        self.w, self.h, self.description = w, h, description
        self.records = []

    def add(self, kind, body):
        self.records.append(struct.pack('<II', kind, 8 + len(body)) + body)

    def fill(self, colour):               # solid brush in slot 1, no pen
        self.add(39, struct.pack('<IIII', 1, 0, colorref(colour), 0))
        self.add(37, struct.pack('<I', 1))
        self.add(37, struct.pack('<I', self.NULL_PEN))

    def release(self):
        self.add(37, struct.pack('<I', self.NULL_PEN))
        self.add(37, struct.pack('<I', self.NULL_BRUSH))
        self.add(40, struct.pack('<I', 1))

    def rect(self, l, t, r, b, colour):
        self.fill(colour)
        self.add(43, struct.pack('<iiii', l, t, r + 1, b + 1))
        self.release()

    def text(self, x, y, s, height, colour, bold=False, right=False):
        face = 'Tahoma'.encode('utf-16-le').ljust(64, b'\0')
        logfont = struct.pack('<iiiiiBBBBBBBB', -height, 0, 0, 0, 700 if bold else 400,
                              0, 0, 0, 0, 0, 0, 4, 0) + face   # ANTIALIASED_QUALITY
        self.add(82, struct.pack('<I', 3) + logfont)
        self.add(37, struct.pack('<I', 3))
        self.add(24, struct.pack('<I', colorref(colour)))       # text colour
        self.add(22, struct.pack('<I', 2 if right else 0))      # TA_RIGHT or TA_LEFT
        chars = s.encode('utf-16-le')
        padded = chars.ljust((len(chars) + 3) // 4 * 4, b'\0')
        body = struct.pack('<iiii', 0, 0, -1, -1) + struct.pack('<Iff', 1, 0.0, 0.0)
        body += struct.pack('<iiIII', x, y, len(s), 76, 0) + struct.pack('<iiii', 0, 0, -1, -1)
        body += struct.pack('<I', 0)                             # no spacing array
        self.add(84, body + padded)
        self.add(37, struct.pack('<I', 0x8000000D))             # SYSTEM_FONT
        self.add(40, struct.pack('<I', 3))

    def bytes(self):
        desc = (self.description + '\0\0').encode('utf-16-le')
        size = 108 + len(desc)
        records = self.records + [struct.pack('<IIIII', 14, 20, 0, 16, 20)]
        total = size + sum(len(r) for r in records)
        device_px, device_mm = (1920, 1080), (508, 286)
        header = struct.pack(
            '<II4i4iIIIIHHIIIiiiiIIIii', 1, size,
            0, 0, self.w - 1, self.h - 1,
            0, 0, self.w * 2540 // 96, self.h * 2540 // 96,
            0x464D4520, 0x10000, total, len(records) + 1, 4, 0,
            len(desc) // 2, 108, 0, *device_px, *device_mm, 0, 0, 0,
            device_mm[0] * 1000, device_mm[1] * 1000)
        return header + desc + b''.join(records)


def wrap(text, limit):
    lines, line = [], ''
    for word in text.split():
        if line and len(line) + 1 + len(word) > limit:
            lines.append(line)
            line = word
        else:
            line = (line + ' ' + word).strip()
    return lines + [line]


def banner(position, title, explanation):
    pic = Metafile(BW, BH, 'ZVConfig\0Page banner')
    bands = 40
    for i in range(bands):
        pic.rect(0, i * BH // bands, BW, (i + 1) * BH // bands, mix(WHITE, SKY, i / (bands - 1)))
    pic.rect(0, 0, BW, 8, NAVY)
    pic.text(28, 28, title, 34, NAVY, bold=True)
    y = 92
    for line in wrap(explanation, 80):
        pic.text(30, y, line, 23, (30, 30, 40))
        y += 30
    pic.rect(28, BH - 52, BW - 28, BH - 50, (120, 140, 170))
    pic.text(30, BH - 42, 'Zorvan Configuration Utility', 24, NAVY, bold=True)
    pic.text(BW - 30, BH - 42, '%d of %d' % (position, PAGES), 24, NAVY, right=True)
    return pic.bytes()


def bmp(w, h, pixel):
    """A 24-bit bottom-up bitmap file of pixel(x, y) -> (r, g, b)."""
    stride = (w * 3 + 3) // 4 * 4
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row.ljust(stride, b'\0')))
    data = b''.join(rows)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + info + data


def in_disc(x, y, cx, cy, r):
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if d2 > r * r:
        return None
    if d2 < (r * 0.14) ** 2:
        return NAVY
    if d2 < (r * 0.45) ** 2:
        return (238, 241, 245)
    if d2 > (r - 3) ** 2:
        return RIM
    return mix(SILVER, (236, 214, 226), ((x - cx + r) / (2 * r)) * 0.5)


def sidebar(x, y):
    """Night blue to sea blue with three discs climbing the bar."""
    for cx, cy, r in ((64, 380, 44), (40, 250, 26), (90, 150, 18)):
        c = in_disc(x, y, cx, cy, r)
        if c:
            return c
    return mix((10, 26, 58), (24, 104, 132), y / 483)


def about(x, y):
    """A band of sky with a disc at the left and three rising stripes."""
    c = in_disc(x, y, 50, 49, 40)
    if c:
        return c
    for i in range(3):
        if 0 <= y - (70 - i * 20) + (x - 110) // 8 < 8 and x > 110:
            return mix(GREEN, (120, 210, 140), i / 2)
    return mix(SKY, (24, 104, 132), x / 367 * 0.6)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write('usage: draw_pictures.py OUTPUT_FOLDER\n')
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {'sidebar.bmp': bmp(128, 484, sidebar), 'about.bmp': bmp(368, 98, about)}
    for position, (number, title, text) in enumerate(BANNERS, 1):
        files['banner%d.emf' % number] = banner(position, title, text)
    for name, data in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
