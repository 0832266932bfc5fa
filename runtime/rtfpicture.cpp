/*
 * rtfpicture.cpp - a licence's picture data put together as the control's
 * reader does, then checked with the project's own metafile and bitmap
 * checks before the reader would give it to GDI.
 */
#include "rtfpicture.h"

#include <string.h>

#include "filecheck.h"
#include "metarecords.h"

namespace zv {

enum { MOST_DIB_COLOURS = 256 };

void PictureBegins(RTFPICTURE *p)
{
    memset(p, 0, sizeof *p);
}

/* The reader's digit value: any byte, as a signed char, taken as a hex
 * digit whatever it is. */
static int DigitValue(int c)
{
    signed char ch = (signed char)c;
    if (ch >= 'A' && ch <= 'Z')
        ch = (signed char)(ch + ('a' - 'A'));
    return ch >= '0' && ch <= '9' ? ch - '0' : ch - 'a' + 10;
}

void PictureText(RTFPICTURE *p, int c)
{
    if (!p->half) {
        p->first = c;
        p->half = 1;
        return;
    }
    p->half = 0;
    if (p->lost)
        return;
    if (p->count == p->room) {
        DWORD room = p->room ? p->room * 2 : 1024;
        BYTE *more = p->bytes ? (BYTE *)HeapReAlloc(GetProcessHeap(), 0, p->bytes, room)
                              : (BYTE *)HeapAlloc(GetProcessHeap(), 0, room);
        if (!more || room < p->room) {
            p->lost = 1;
            return;
        }
        p->bytes = more;
        p->room = room;
    }
    p->bytes[p->count++] = (BYTE)(DigitValue(p->first) * 16 + DigitValue(c));
}

/* CreateDIBitmap is given the header, the colour table the header's bits
 * imply, and pixels read from behind a BITMAPINFO's size plus that table. */
static int DibFits(const BYTE *data, DWORD count)
{
    BITMAPINFOHEADER h;
    DIBBYTES sizes;

    if (count < sizeof h)
        return 0;
    memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof h || h.biClrUsed > MOST_DIB_COLOURS ||
        !DibBytes(data, count, DIB_RGB_COLORS, ~0ull, &sizes))
        return 0;
    ULONGLONG colours = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? 1u << h.biBitCount : 0;
    ULONGLONG pixelsAt = sizeof(BITMAPINFO) + colours * sizeof(RGBQUAD);
    return sizes.header <= count && pixelsAt <= count && sizes.image <= count - pixelsAt;
}

/* SetMetaFileBitsEx takes no data of an odd size, nor a header other
 * than a memory metafile's; what it takes it plays through, at its size. */
static int WindowsFits(const BYTE *data, DWORD count)
{
    if (count == 0 || (count & 1) != 0)
        return 1;
    if (count >= 6 && (LeWord(data) != 1 || LeWord(data + 2) != 9 || LeWord(data + 4) != 0x300))
        return 1;
    return WindowsBytes(data, count) && WindowsRecordsFit(data, count);
}

int PictureEnds(RTFPICTURE *p)
{
    int fits = 1;

    if (p->data != DATA_NONE) {
        const BYTE *data = p->bytes;
        DWORD count = p->count;
        if (p->lost) {
            fits = 0;
        } else if (p->kind == PICTURE_WINDOWS) {
            fits = WindowsFits(data, count);
        } else if (p->kind == PICTURE_ENHANCED) {
            DWORD bytes = data ? EnhancedBytes(data, count) : 0;
            fits = bytes && EnhancedRecordsFit(data, bytes);
        } else if (p->kind == PICTURE_DIB) {
            fits = data && DibFits(data, count);
        }
    }
    PictureDropped(p);
    return fits;
}

void PictureDropped(RTFPICTURE *p)
{
    if (p->bytes)
        HeapFree(GetProcessHeap(), 0, p->bytes);
    PictureBegins(p);
}

} // namespace zv
