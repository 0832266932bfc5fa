/*
 * record_dib.cpp - the bitmaps that metafile records carry: how many bytes
 * their headers, colour tables and pixels take, from the header alone.
 */
#include <windows.h>

#include <string.h>

#include "filecheck.h"
#include "metarecords.h"

namespace zv {

enum { CORE_HEADER = sizeof(BITMAPCOREHEADER), INFO_HEADER = sizeof(BITMAPINFOHEADER) };
enum { USAGE_MONO = 2 };   /* a brush's mono bits without a colour table */
enum : ULONGLONG { RLE_PIXEL_BYTES = 1ull << 31 };

static int KnownDepth(DWORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int DibBytes(const BYTE *info, ULONGLONG room, DWORD usage, ULONGLONG rows, DIBBYTES *sizes)
{
    ULONGLONG width, height, colours, entry, masks = 0;
    DWORD bits, compression = BI_RGB, imageSize = 0;
    int topDown = 0;

    if (room < 4)
        return 0;
    DWORD headerSize = LeDword(info);
    if (headerSize > room)
        return 0;
    if (headerSize == CORE_HEADER) {
        width = LeWord(info + 4);
        height = LeWord(info + 6);
        bits = LeWord(info + 10);
        colours = bits <= 8 ? 1ull << bits : 0;
        entry = usage == DIB_PAL_COLORS ? 2 : sizeof(RGBTRIPLE);
    } else if (headerSize >= INFO_HEADER) {
        BITMAPINFOHEADER h;
        memcpy(&h, info, sizeof h);
        if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == (LONG)0x80000000)
            return 0;
        width = (ULONGLONG)h.biWidth;
        topDown = h.biHeight < 0;
        height = (ULONGLONG)(topDown ? -(LONGLONG)h.biHeight : h.biHeight);
        bits = h.biBitCount;
        compression = h.biCompression;
        imageSize = h.biSizeImage;
        colours = DibColourTableBytes(&h) / 4;
        entry = usage == DIB_PAL_COLORS ? 2 : sizeof(RGBQUAD);
        /* the three masks follow a plain info header; later headers hold them */
        if (compression == BI_BITFIELDS && headerSize == INFO_HEADER)
            masks = 12;
    } else {
        return 0;
    }
    if (width == 0 || height == 0 || !KnownDepth(bits))
        return 0;
    if (usage == USAGE_MONO)
        colours = 0;

    sizes->header = headerSize + masks + colours * entry;
    ULONGLONG fullHeight = height;
    /* a top-down bitmap is read whole whatever the scan lines say */
    if (rows < height && !topDown)
        height = rows;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS:
        sizes->image = DibRowBytes(width, bits) * height;
        break;
    case BI_RLE8:
    case BI_RLE4:
        /* the platform sizes the decoded bitmap in 32 bits */
        if (DibRowBytes(width, bits) * fullHeight >= RLE_PIXEL_BYTES)
            return 0;
        /* fall through */
    case BI_JPEG:
    case BI_PNG:
        /* packed pixels: as many bytes as the header says */
        sizes->image = imageSize;
        break;
    default:
        return 0;
    }
    return 1;
}

int DibHeaderTaken(const BYTE *info, DWORD usage)
{
    BITMAPINFOHEADER h;
    DWORD headerSize = LeDword(info);

    /* the usage itself is judged later, once the colours are read */
    if (usage > USAGE_MONO)
        return 0;
    if (headerSize == CORE_HEADER) {
        return LeWord(info + 4) != 0 && LeWord(info + 6) != 0 && LeWord(info + 8) != 0 &&
               KnownDepth(LeWord(info + 10));
    }
    if (headerSize < INFO_HEADER)
        return 0;
    memcpy(&h, info, sizeof h);
    if (h.biWidth <= 0 || h.biHeight == 0)
        return 0;
    if (h.biCompression == BI_RLE4 || h.biCompression == BI_RLE8)
        return h.biHeight > 0 && h.biSizeImage != 0 && h.biBitCount == (h.biCompression == BI_RLE4 ? 4 : 8);
    if (h.biPlanes == 0 || !KnownDepth(h.biBitCount))
        return 0;
    if (h.biBitCount == 16 || h.biBitCount == 32)
        return h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    return h.biCompression == BI_RGB;
}

} // namespace zv
