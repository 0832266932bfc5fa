/*
 * wmf_records.cpp - a Windows metafile's header, record chain and records,
 * measured against its bytes.  One table holds, for each record type that
 * the platform reads beyond its function number, the fixed size of the
 * record in words and the parts whose size the record itself gives; one
 * walker reads them.  Parameters are counted in words from the first one
 * after the function number, as the records number them.
 */
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "filecheck.h"
#include "metarecords.h"

namespace zv {

enum {
    WMF_HEADER_WORDS = 9,
    WMF_RECORD_MIN = 3,       /* words: size and function */
    WMF_OBJECTS = 10,         /* byte offset of the header's object count */
    PARM_AT = 6,              /* byte offset of the first parameter */
    USAGE_FROM_RGB = 0xFF,
    /* a comment that carries an enhanced metafile, in chunks */
    CARRIED_MAGIC = 0x43464D57,
    CHUNK_AT = PARM_AT + 4,   /* after the escape's function and byte count */
    CHUNK_COUNT = 18, CHUNK_SIZE = 22, CHUNK_LEFT = 26, CHUNK_TOTAL = 30, CHUNK_HEAD = 34
};

enum {
    WPART_NONE,
    WPART_ARRAY,      /* count at a, c-byte items from b */
    WPART_POLYPOLY,   /* figure count at a, the figures' counts after it, then points */
    WPART_TEXTOUT,    /* signed count at a, the string, then two words */
    WPART_EXTTEXT,    /* count at a, options after it, a rectangle when they say so, the string */
    WPART_DIB,        /* DIB at a, usage at b, scan lines at c (0: all) */
    WPART_DDB,        /* width and height at a, planes and bits at b, the pixels at c */
    WPART_PATTERN,    /* a pattern brush: its kind at a says what follows */
    WPART_REGION,     /* band count at a, the bands from b */
    WPART_OBJECT,     /* object index at a */
    WPART_BRUSH,      /* brush style at a: none that carries a pointer */
    WPART_TAKEN_INDEX /* the word at a, read as an index even past the record */
};

enum {
    WPART_LONG_ONLY = 1,  /* a DIB that only records longer than 12 words have */
    WPART_ZERO_NONE = 2,  /* object index 0 means none */
    WPART_BRUSH_DIB = 4   /* a pattern brush's DIB, recorded again as the platform keeps it */
};

struct WPART {
    BYTE kind, flags, a, b, c;
};

struct WRECORDTYPE {
    WORD function;
    WORD fixed;          /* words */
    WPART parts[2];
};

#define WOBJECT(parm) {WPART_OBJECT, 0, parm, 0, 0}

static const WRECORDTYPE metaTypes[] = {
    {META_SETBKCOLOR, 5, {}},
    {META_SETBKMODE, 4, {}},
    {META_SETMAPMODE, 4, {}},
    {META_SETROP2, 4, {}},
    {META_SETRELABS, 4, {}},
    {META_SETPOLYFILLMODE, 4, {}},
    {META_SETSTRETCHBLTMODE, 4, {}},
    {META_SETTEXTCHAREXTRA, 4, {}},
    {META_SETTEXTCOLOR, 5, {}},
    {META_SETTEXTJUSTIFICATION, 5, {}},
    {META_SETWINDOWORG, 5, {}},
    {META_SETWINDOWEXT, 5, {}},
    {META_SETVIEWPORTORG, 5, {}},
    {META_SETVIEWPORTEXT, 5, {}},
    {META_OFFSETWINDOWORG, 5, {}},
    {META_SCALEWINDOWEXT, 7, {}},
    {META_OFFSETVIEWPORTORG, 5, {}},
    {META_SCALEVIEWPORTEXT, 7, {}},
    {META_LINETO, 5, {}},
    {META_MOVETO, 5, {}},
    {META_EXCLUDECLIPRECT, 7, {}},
    {META_INTERSECTCLIPRECT, 7, {}},
    {META_ARC, 11, {}},
    {META_ELLIPSE, 7, {}},
    {META_FLOODFILL, 7, {}},
    {META_PIE, 11, {}},
    {META_RECTANGLE, 7, {}},
    {META_ROUNDRECT, 9, {}},
    {META_PATBLT, 9, {}},
    {META_SETPIXEL, 7, {}},
    {META_OFFSETCLIPRGN, 5, {}},
    {META_TEXTOUT, 4, {{WPART_TEXTOUT, 0, 0, 0, 0}}},
    {META_BITBLT, 15, {{WPART_DDB, 0, 7, 10, 12}}},
    {META_STRETCHBLT, 18, {{WPART_DDB, 0, 10, 13, 15}}},
    {META_POLYGON, 4, {{WPART_ARRAY, 0, 0, 1, sizeof(POINTS)}}},
    {META_POLYLINE, 4, {{WPART_ARRAY, 0, 0, 1, sizeof(POINTS)}}},
    {META_ESCAPE, 5, {{WPART_ARRAY, 0, 1, 2, 1}}},
    {META_RESTOREDC, 4, {}},
    {META_FILLREGION, 5, {WOBJECT(0), WOBJECT(1)}},
    {META_FRAMEREGION, 7, {WOBJECT(2), WOBJECT(3)}},
    {META_INVERTREGION, 4, {WOBJECT(0)}},
    {META_PAINTREGION, 4, {WOBJECT(0)}},
    {META_SELECTCLIPREGION, 4, {{WPART_OBJECT, WPART_ZERO_NONE, 0, 0, 0}}},
    {META_SELECTOBJECT, 4, {WOBJECT(0)}},
    {META_SETTEXTALIGN, 4, {}},
    {META_CHORD, 11, {}},
    {META_SETMAPPERFLAGS, 5, {}},
    {META_EXTTEXTOUT, 7, {{WPART_EXTTEXT, 0, 2, 0, 0}}},
    {META_SETDIBTODEV, 12, {{WPART_DIB, 0, 9, 0, 1}}},
    /* written with one parameter, but the platform takes the next word,
     * the following record's size, for the index */
    {META_SELECTPALETTE, 4, {WOBJECT(0), {WPART_TAKEN_INDEX, 0, 1, 0, 0}}},
    {META_POLYPOLYGON, 4, {{WPART_POLYPOLY, 0, 0, 0, 0}}},
    {META_DIBBITBLT, 12, {{WPART_DIB, WPART_LONG_ONLY, 8, USAGE_FROM_RGB, 0}}},
    {META_DIBSTRETCHBLT, 13, {{WPART_DIB, 0, 10, USAGE_FROM_RGB, 0}}},
    {META_DIBCREATEPATTERNBRUSH, 5, {{WPART_DIB, WPART_BRUSH_DIB, 2, 1, 0}}},
    {META_STRETCHDIB, 14, {{WPART_DIB, 0, 11, 2, 0}}},
    {META_EXTFLOODFILL, 8, {}},
    {META_DELETEOBJECT, 4, {WOBJECT(0)}},
    {META_CREATEPALETTE, 5, {{WPART_ARRAY, 0, 1, 2, sizeof(PALETTEENTRY)}}},
    {META_CREATEPATTERNBRUSH, 4, {{WPART_PATTERN, 0, 0, 0, 0}}},
    {META_CREATEPENINDIRECT, 8, {}},
    /* the face name is read whole */
    {META_CREATEFONTINDIRECT, 9 + WMF_RECORD_MIN + LF_FACESIZE / 2, {}},
    {META_CREATEBRUSHINDIRECT, 7, {{WPART_BRUSH, 0, 0, 0, 0}}},
    {META_CREATEREGION, 9, {{WPART_REGION, 0, 5, 11, 0}}},
};

static const WRECORDTYPE *FindFunction(WORD function)
{
    for (size_t i = 0; i < sizeof metaTypes / sizeof metaTypes[0]; i++)
        if (metaTypes[i].function == function)
            return &metaTypes[i];
    return NULL;
}

/* Parameter n of the record at r. */
static WORD Parm(const BYTE *r, ULONGLONG n)
{
    return LeWord(r + PARM_AT + 2 * n);
}

/* Bytes from parameter n to the end of a record of size bytes (0 past it). */
static ULONGLONG RoomFrom(ULONGLONG n, ULONGLONG size)
{
    ULONGLONG at = PARM_AT + 2 * n;
    return at <= size ? size - at : 0;
}

/* SetWinMetaFileBits records every bitmap again, in an enhanced
 * metafile whose recorder stops the process on a record that is not
 * whole 4-byte words: it copies a colour table of 2-byte palette indices
 * (for a brush as many as the depth holds at most) and compressed bits of
 * the size their header gives. */
static int RecorderTakes(const BYTE *info, ULONGLONG room, DWORD usage, int brush)
{
    BITMAPINFOHEADER h;

    if (room < sizeof h || LeDword(info) < sizeof h)
        return 1;   /* a core header counts no colours and has no compression */
    memcpy(&h, info, sizeof h);
    if (!brush && (h.biCompression == BI_RLE4 || h.biCompression == BI_RLE8) && h.biSizeImage % 4)
        return 0;
    if (usage != DIB_PAL_COLORS || h.biCompression == BI_BITFIELDS || h.biBitCount > 8)
        return 1;
    ULONGLONG colours = h.biClrUsed, most = 1ull << h.biBitCount;
    if (brush && (colours == 0 || colours > most))
        colours = most;
    return colours % 2 == 0;
}

static int DibFits(const BYTE *r, ULONGLONG size, const WPART &part)
{
    DWORD usage = part.b == USAGE_FROM_RGB ? DIB_RGB_COLORS : Parm(r, part.b);
    ULONGLONG room = RoomFrom(part.a, size);
    ULONGLONG rows = part.c ? Parm(r, part.c) : ~0ull;
    DIBBYTES sizes;

    if ((part.flags & WPART_LONG_ONLY) && size <= 12 * 2)
        return 1;
    const BYTE *info = r + PARM_AT + 2 * part.a;
    return DibBytes(info, room, usage, rows, &sizes) && sizes.header <= room &&
           sizes.image <= room - sizes.header && RecorderTakes(info, room, usage, part.flags & WPART_BRUSH_DIB);
}

/* A device-dependent bitmap: rows of whole words, for each plane, at the
 * depth the platform rounds the given one up to. */
static int DdbFits(ULONGLONG width, ULONGLONG height, ULONGLONG planes, ULONGLONG bits, ULONGLONG room)
{
    static const ULONGLONG depths[] = {1, 4, 8, 16, 24, 32};
    for (ULONGLONG depth : depths)
        if (bits <= depth)
            return (width * depth + 15) / 16 * 2 * height * planes <= room;
    return 0;
}

static int PatternFits(const BYTE *r, ULONGLONG size)
{
    enum { INFO_AT = 2, PATTERN_BITS_AT = INFO_AT + sizeof(BITMAPINFOHEADER) / 2 + 2 };
    BITMAPINFOHEADER h;

    switch (Parm(r, 0)) {
    case BS_PATTERN:
        if (size < PARM_AT + 2 * PATTERN_BITS_AT)
            return 0;
        memcpy(&h, r + PARM_AT + 2 * INFO_AT, sizeof h);
        return DdbFits((ULONGLONG)llabs(h.biWidth), (ULONGLONG)llabs(h.biHeight), h.biPlanes, h.biBitCount,
                       RoomFrom(PATTERN_BITS_AT, size));
    case BS_DIBPATTERN: {
        WPART dib = {WPART_DIB, WPART_BRUSH_DIB, INFO_AT, 1, 0};
        return size >= PARM_AT + 2 * INFO_AT && DibFits(r, size, dib);
    }
    default:
        return 1;
    }
}

/* Bands of a region: each a count of edges, two edges of y, the count of
 * x edges, and the count again, all inside the record; no more
 * rectangles in all than the platform merges in reasonable time. */
static int RegionFits(const BYTE *r, ULONGLONG size, const WPART &part)
{
    ULONGLONG words = size / 2, at = PARM_AT / 2 + part.b;
    WORD bands = Parm(r, part.a);
    ULONGLONG rects = 0;

    for (WORD band = 0; band < bands; band++) {
        if (at >= words)
            return 0;
        WORD edges = LeWord(r + 2 * at);
        ULONGLONG end = at + edges + 3;
        if (edges & 1 || end >= words || LeWord(r + 2 * end) != edges)
            return 0;
        rects += edges / 2;
        at = end + 1;
    }
    return rects <= REGION_RECTS_MOST;
}

/* How far past a table of objects the platform may look without reaching
 * beyond the block that holds it. */
enum { NEAR_INDEX = 1024 };

/* left: the bytes from r to the end of the metafile. */
static int PartFits(const BYTE *r, ULONGLONG size, ULONGLONG left, const WPART &part, WORD objects)
{
    switch (part.kind) {
    case WPART_ARRAY:
        return (ULONGLONG)Parm(r, part.a) * part.c <= RoomFrom(part.b, size);
    case WPART_POLYPOLY: {
        ULONGLONG figures = Parm(r, part.a), points = 0;
        if (figures * 2 > RoomFrom(part.a + 1, size))
            return 0;
        for (ULONGLONG i = 0; i < figures; i++) {
            SHORT count = (SHORT)Parm(r, part.a + 1 + i);
            if (count < 0)
                return 0;
            points += (ULONGLONG)count;
        }
        return points * sizeof(POINTS) <= RoomFrom(part.a + 1 + figures, size);
    }
    case WPART_TEXTOUT: {
        SHORT chars = (SHORT)Parm(r, part.a);
        /* the string in whole words, then y and x */
        return chars >= 0 && (ULONGLONG)((chars + 1) / 2 + 2) * 2 <= RoomFrom(part.a + 1, size);
    }
    case WPART_EXTTEXT: {
        WORD chars = Parm(r, part.a), options = Parm(r, part.a + 1);
        ULONGLONG string = part.a + 2 + (options & (ETO_OPAQUE | ETO_CLIPPED) ? 4 : 0);
        return RoomFrom(string, size) >= chars && size >= PARM_AT + 2 * string;
    }
    case WPART_DIB:
        return DibFits(r, size, part);
    case WPART_DDB:
        return DdbFits(Parm(r, part.a), Parm(r, part.a + 1), Parm(r, part.b), Parm(r, part.b + 1),
                       RoomFrom(part.c, size));
    case WPART_PATTERN:
        return PatternFits(r, size);
    case WPART_REGION:
        return RegionFits(r, size, part);
    case WPART_OBJECT: {
        WORD index = Parm(r, part.a);
        return ((part.flags & WPART_ZERO_NONE) && index == 0) || index < objects;
    }
    case WPART_TAKEN_INDEX: {
        if (PARM_AT + 2 * (ULONGLONG)part.a + 2 > left)
            return 0;
        WORD index = Parm(r, part.a);
        return index < objects || index < NEAR_INDEX;
    }
    case WPART_BRUSH: {
        WORD style = Parm(r, part.a);
        return style != BS_DIBPATTERN && style != BS_DIBPATTERNPT;
    }
    default:
        return 1;
    }
}

DWORD WindowsBytes(const BYTE *data, DWORD size)
{
    DWORD words, headerWords, total, offset, record;

    if (size < WMF_HEADER_WORDS * 2)
        return 0;
    headerWords = LeWord(data + 2);
    words = LeDword(data + 6);
    if (words > size / 2 || headerWords < WMF_HEADER_WORDS || headerWords > words)
        return 0;
    total = words * 2;
    for (offset = headerWords * 2; offset < total; offset += record * 2) {
        if (total - offset < WMF_RECORD_MIN * 2)
            return 0;
        record = LeDword(data + offset);
        if (record < WMF_RECORD_MIN || record > (total - offset) / 2)
            return 0;
        if (LeWord(data + offset + 4) == 0)   /* META_EOF */
            break;
    }
    return total;
}

/* The bytes at offset that the platform reads, 2 or 4 of them: 1 with
 * the number when they lie in the file, 0 when they are not there. */
static int NumberAt(const BYTE *data, DWORD bytes, ULONGLONG offset, int count, DWORD *value)
{
    if (offset + count > bytes)
        return 0;
    *value = count == 2 ? LeWord(data + offset) : LeDword(data + offset);
    return 1;
}

/* An enhanced metafile that the records carry in comments, put together
 * as the platform does.  The platform reads the comment's marker and its
 * chunk header at fixed places whatever the record's size: 1 when there
 * is none or the platform would not take it, 0 when what it reads lies
 * past the file or past its record, else whether the picture is whole. */
static int CarriedFits(const BYTE *data, DWORD bytes)
{
    DWORD offset, record, size = 0, left = 0, chunks = 0, filled = 0;
    BYTE *emf = NULL;
    int result = 1, taken = 1;

    for (offset = LeWord(data + 2) * 2; offset < bytes && taken; offset += record * 2) {
        const BYTE *r = data + offset;
        ULONGLONG room;
        record = LeDword(r);
        room = (ULONGLONG)record * 2;
        /* any other record first: the records are played instead */
        if (LeWord(r + 4) != META_ESCAPE) {
            taken = 0;
            break;
        }
        DWORD escape, marker = 0;
        if (!NumberAt(data, bytes, (ULONGLONG)offset + PARM_AT, 2, &escape) ||
            (escape == MFCOMMENT && !NumberAt(data, bytes, (ULONGLONG)offset + CHUNK_AT, 4, &marker))) {
            result = 0;   /* the platform reads past the file */
            break;
        }
        if (escape != MFCOMMENT || marker != CARRIED_MAGIC) {
            taken = 0;
            break;
        }
        if (room < CHUNK_AT + CHUNK_HEAD) {
            result = 0;   /* the platform reads a chunk header that is not there */
            break;
        }
        const BYTE *chunk = r + CHUNK_AT;
        DWORD piece = LeDword(chunk + CHUNK_SIZE);
        if (!emf) {
            size = left = LeDword(chunk + CHUNK_TOTAL);
            chunks = LeDword(chunk + CHUNK_COUNT);
            emf = (BYTE *)HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
            taken = emf != NULL;
        }
        if (!taken || piece > left || LeDword(chunk + CHUNK_LEFT) != left - piece) {
            taken = 0;
            break;
        }
        if (piece > room - CHUNK_AT - CHUNK_HEAD) {
            result = 0;
            break;
        }
        left -= piece;
        memcpy(emf + filled, chunk + CHUNK_HEAD, piece);
        filled += piece;
        if (--chunks == 0)
            break;
    }
    if (result && taken && emf) {
        WORD sum = 0;
        for (DWORD i = 0; i < bytes / 2; i++)
            sum = (WORD)(sum + LeWord(data + 2 * i));
        /* taken only with a zero sum; then it must be all there and whole */
        if (sum == 0) {
            DWORD emfBytes = left == 0 ? EnhancedBytes(emf, size) : 0;
            result = emfBytes && EnhancedRecordsFit(emf, emfBytes);
        }
    }
    if (emf)
        HeapFree(GetProcessHeap(), 0, emf);
    return result;
}

int WindowsRecordsFit(const BYTE *data, DWORD bytes)
{
    WORD objects = LeWord(data + WMF_OBJECTS);
    DWORD offset, size;

    for (offset = LeWord(data + 2) * 2; offset < bytes; offset += size) {
        const BYTE *r = data + offset;
        /* the chain again: the platform may be given more than the header counts */
        if (bytes - offset < WMF_RECORD_MIN * 2 || LeDword(r) < WMF_RECORD_MIN ||
            LeDword(r) > (bytes - offset) / 2)
            return 0;
        WORD function = LeWord(r + 4);
        size = LeDword(r) * 2;
        if (function == 0)   /* META_EOF: nothing after it is played */
            break;
        const WRECORDTYPE *type = FindFunction(function);
        if (!type)
            continue;   /* played as nothing */
        if (size < (DWORD)type->fixed * 2)
            return 0;
        for (const WPART &part : type->parts)
            if (!PartFits(r, size, bytes - offset, part, objects))
                return 0;
    }
    return CarriedFits(data, bytes);
}

} // namespace zv
