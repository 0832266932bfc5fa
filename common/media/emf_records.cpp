/*
 * emf_records.cpp - an enhanced metafile's header, record chain and
 * records, measured against its bytes.  One table holds, for each record
 * type that the platform reads beyond its first eight bytes, the fixed
 * size of the record and the parts whose size the record itself gives;
 * one walker reads them.
 */
#include <windows.h>

#include <stddef.h>
#include <string.h>

#include "filecheck.h"
#include "metarecords.h"

namespace zv {

enum {
    EMF_HEADER_MIN = 88,      /* up to and with szlMillimeters */
    EMF_HEADER_PIXELS = 96,   /* with cbPixelFormat and offPixelFormat */
    EMF_HANDLES = offsetof(ENHMETAHEADER, nHandles),
    EMF_RECORD_HEAD = sizeof(EMR),
    STOCK_FLAG = 0x80000000,
    RGN_HEADER = sizeof(RGNDATAHEADER),
    EMR_TEXT_BYTES = sizeof(EMRTEXT),
    FARTHEST_UNIT = 1 << 27   /* the platform's own coordinate space */
};

/* What a part of a record is; the offsets a, b, c are byte offsets in the
 * record unless said otherwise. */
enum {
    PART_NONE,
    PART_ARRAY,      /* count at a, c-byte items from b */
    PART_PLACED,     /* count at a, c-byte items from the offset at b */
    PART_POLYPOLY,   /* figure count at a, point count at b, the figures'
                        counts from b + 4, then c-byte points */
    PART_TEXTS,      /* count of EMRTEXTs at a (0: one), from b; c-byte characters */
    PART_SPANS,      /* two (offset, size) pairs from a, brush style at b */
    PART_DIB,        /* usage at a, offBmi, cbBmi, offBits, cbBits from b, scan lines at c */
    PART_REGION,     /* region bytes at a, region data from b */
    PART_GRADIENT,   /* vertex count, mesh count and mode from a, vertices from b */
    PART_OBJECT,     /* object index at a */
    PART_BRUSH,      /* brush style at a: none that carries a pointer */
    PART_LEVEL,      /* a saved state at a, counted back from the last */
    PART_COORDS      /* c coordinates from a, inside the platform's coordinate space */
};

/* How a part may be read. */
enum {
    PART_WORD_COUNT = 1,    /* the count is 16 bits */
    PART_OPTIONAL = 2,      /* a DIB with offBmi 0, dx with offset 0, a short region: not read */
    PART_STOCK = 4,         /* the object may be a stock object */
    PART_SECTION = 8,       /* the bits are copied whole into a DIB section */
    PART_AT_START = 16      /* offBmi 0 points at the record's own first bytes, read as
                               a header: not read further when the platform refuses them */
};

struct PART {
    BYTE kind, flags, a, b, c;
};

struct RECORDTYPE {
    DWORD type;
    DWORD fixed;
    PART parts[5];
};

#define EMR_AT(rec, field) (BYTE)offsetof(rec, field)
#define OBJECT_AT(rec, field, flags) {PART_OBJECT, flags, EMR_AT(rec, field), 0, 0}
#define POINTS_OF(rec, count, array, unit) {PART_ARRAY, 0, EMR_AT(rec, count), EMR_AT(rec, array), unit}
#define DIB_OF(rec, usage, off, flags) {PART_DIB, flags, EMR_AT(rec, usage), EMR_AT(rec, off), 0}
#define COORDS(rec, first, last) \
    {PART_COORDS, 0, EMR_AT(rec, first), 0, (BYTE)((offsetof(rec, last) - offsetof(rec, first)) / 4 + 1)}

static const RECORDTYPE emrTypes[] = {
    {EMR_HEADER, EMF_HEADER_MIN, {}},
    {EMR_POLYBEZIER, offsetof(EMRPOLYLINE, aptl), {POINTS_OF(EMRPOLYLINE, cptl, aptl, sizeof(POINTL))}},
    {EMR_POLYGON, offsetof(EMRPOLYLINE, aptl), {POINTS_OF(EMRPOLYLINE, cptl, aptl, sizeof(POINTL))}},
    {EMR_POLYLINE, offsetof(EMRPOLYLINE, aptl), {POINTS_OF(EMRPOLYLINE, cptl, aptl, sizeof(POINTL))}},
    {EMR_POLYBEZIERTO, offsetof(EMRPOLYLINE, aptl), {POINTS_OF(EMRPOLYLINE, cptl, aptl, sizeof(POINTL))}},
    {EMR_POLYLINETO, offsetof(EMRPOLYLINE, aptl), {POINTS_OF(EMRPOLYLINE, cptl, aptl, sizeof(POINTL))}},
    {EMR_POLYPOLYLINE, offsetof(EMRPOLYPOLYLINE, aPolyCounts),
     {{PART_POLYPOLY, 0, EMR_AT(EMRPOLYPOLYLINE, nPolys), EMR_AT(EMRPOLYPOLYLINE, cptl), sizeof(POINTL)}}},
    {EMR_POLYPOLYGON, offsetof(EMRPOLYPOLYLINE, aPolyCounts),
     {{PART_POLYPOLY, 0, EMR_AT(EMRPOLYPOLYLINE, nPolys), EMR_AT(EMRPOLYPOLYLINE, cptl), sizeof(POINTL)}}},
    {EMR_SETWINDOWEXTEX, sizeof(EMRSETWINDOWEXTEX), {}},
    {EMR_SETWINDOWORGEX, sizeof(EMRSETWINDOWORGEX), {}},
    {EMR_SETVIEWPORTEXTEX, sizeof(EMRSETVIEWPORTEXTEX), {}},
    {EMR_SETVIEWPORTORGEX, sizeof(EMRSETVIEWPORTORGEX), {}},
    {EMR_SETBRUSHORGEX, sizeof(EMRSETBRUSHORGEX), {}},
    {EMR_EOF, sizeof(EMREOF),
     {{PART_PLACED, 0, EMR_AT(EMREOF, nPalEntries), EMR_AT(EMREOF, offPalEntries), sizeof(PALETTEENTRY)}}},
    {EMR_SETPIXELV, sizeof(EMRSETPIXELV), {}},
    {EMR_SETMAPPERFLAGS, sizeof(EMRSETMAPPERFLAGS), {}},
    {EMR_SETMAPMODE, sizeof(EMRSETMAPMODE), {}},
    {EMR_SETBKMODE, sizeof(EMRSETBKMODE), {}},
    {EMR_SETPOLYFILLMODE, sizeof(EMRSETPOLYFILLMODE), {}},
    {EMR_SETROP2, sizeof(EMRSETROP2), {}},
    {EMR_SETSTRETCHBLTMODE, sizeof(EMRSETSTRETCHBLTMODE), {}},
    {EMR_SETTEXTALIGN, sizeof(EMRSETTEXTALIGN), {}},
    {EMR_SETCOLORADJUSTMENT, sizeof(EMRSETCOLORADJUSTMENT), {}},
    {EMR_SETTEXTCOLOR, sizeof(EMRSETTEXTCOLOR), {}},
    {EMR_SETBKCOLOR, sizeof(EMRSETBKCOLOR), {}},
    {EMR_OFFSETCLIPRGN, sizeof(EMROFFSETCLIPRGN), {}},
    {EMR_MOVETOEX, sizeof(EMRMOVETOEX), {}},
    {EMR_EXCLUDECLIPRECT, sizeof(EMREXCLUDECLIPRECT), {}},
    {EMR_INTERSECTCLIPRECT, sizeof(EMRINTERSECTCLIPRECT), {}},
    {EMR_SCALEVIEWPORTEXTEX, sizeof(EMRSCALEVIEWPORTEXTEX), {}},
    {EMR_SCALEWINDOWEXTEX, sizeof(EMRSCALEWINDOWEXTEX), {}},
    {EMR_RESTOREDC, sizeof(EMRRESTOREDC), {{PART_LEVEL, 0, EMR_AT(EMRRESTOREDC, iRelative), 0, 0}}},
    {EMR_SETWORLDTRANSFORM, sizeof(EMRSETWORLDTRANSFORM), {}},
    {EMR_MODIFYWORLDTRANSFORM, sizeof(EMRMODIFYWORLDTRANSFORM), {}},
    {EMR_SELECTOBJECT, sizeof(EMRSELECTOBJECT), {OBJECT_AT(EMRSELECTOBJECT, ihObject, PART_STOCK)}},
    {EMR_CREATEPEN, sizeof(EMRCREATEPEN), {OBJECT_AT(EMRCREATEPEN, ihPen, 0)}},
    {EMR_CREATEBRUSHINDIRECT, sizeof(EMRCREATEBRUSHINDIRECT),
     {OBJECT_AT(EMRCREATEBRUSHINDIRECT, ihBrush, 0),
      {PART_BRUSH, 0, EMR_AT(EMRCREATEBRUSHINDIRECT, lb.lbStyle), 0, 0}}},
    {EMR_DELETEOBJECT, sizeof(EMRDELETEOBJECT), {OBJECT_AT(EMRDELETEOBJECT, ihObject, 0)}},
    {EMR_ANGLEARC, sizeof(EMRANGLEARC), {}},
    {EMR_ELLIPSE, sizeof(EMRELLIPSE), {}},
    {EMR_RECTANGLE, sizeof(EMRRECTANGLE), {}},
    {EMR_ROUNDRECT, sizeof(EMRROUNDRECT), {}},
    {EMR_ARC, sizeof(EMRARC), {}},
    {EMR_CHORD, sizeof(EMRCHORD), {}},
    {EMR_PIE, sizeof(EMRPIE), {}},
    {EMR_SELECTPALETTE, sizeof(EMRSELECTPALETTE), {OBJECT_AT(EMRSELECTPALETTE, ihPal, PART_STOCK)}},
    {EMR_CREATEPALETTE, offsetof(EMRCREATEPALETTE, lgpl.palPalEntry),
     {OBJECT_AT(EMRCREATEPALETTE, ihPal, 0),
      {PART_ARRAY, PART_WORD_COUNT, EMR_AT(EMRCREATEPALETTE, lgpl.palNumEntries),
       EMR_AT(EMRCREATEPALETTE, lgpl.palPalEntry), sizeof(PALETTEENTRY)}}},
    {EMR_SETPALETTEENTRIES, offsetof(EMRSETPALETTEENTRIES, aPalEntries),
     {OBJECT_AT(EMRSETPALETTEENTRIES, ihPal, 0),
      POINTS_OF(EMRSETPALETTEENTRIES, cEntries, aPalEntries, sizeof(PALETTEENTRY))}},
    {EMR_RESIZEPALETTE, sizeof(EMRRESIZEPALETTE), {OBJECT_AT(EMRRESIZEPALETTE, ihPal, 0)}},
    {EMR_EXTFLOODFILL, sizeof(EMREXTFLOODFILL), {}},
    {EMR_LINETO, sizeof(EMRLINETO), {}},
    {EMR_ARCTO, sizeof(EMRARCTO), {}},
    {EMR_POLYDRAW, offsetof(EMRPOLYDRAW, aptl), {POINTS_OF(EMRPOLYDRAW, cptl, aptl, sizeof(POINTL) + 1)}},
    {EMR_SETARCDIRECTION, sizeof(EMRSETARCDIRECTION), {}},
    {EMR_SETMITERLIMIT, sizeof(EMRSETMITERLIMIT), {}},
    {EMR_SELECTCLIPPATH, sizeof(EMRSELECTCLIPPATH), {}},
    {EMR_GDICOMMENT, offsetof(EMRGDICOMMENT, Data), {POINTS_OF(EMRGDICOMMENT, cbData, Data, 1)}},
    {EMR_FILLRGN, offsetof(EMRFILLRGN, RgnData),
     {{PART_REGION, 0, EMR_AT(EMRFILLRGN, cbRgnData), EMR_AT(EMRFILLRGN, RgnData), 0},
      OBJECT_AT(EMRFILLRGN, ihBrush, 0)}},
    {EMR_FRAMERGN, offsetof(EMRFRAMERGN, RgnData),
     {{PART_REGION, 0, EMR_AT(EMRFRAMERGN, cbRgnData), EMR_AT(EMRFRAMERGN, RgnData), 0},
      OBJECT_AT(EMRFRAMERGN, ihBrush, 0)}},
    {EMR_INVERTRGN, offsetof(EMRINVERTRGN, RgnData),
     {{PART_REGION, 0, EMR_AT(EMRINVERTRGN, cbRgnData), EMR_AT(EMRINVERTRGN, RgnData), 0}}},
    {EMR_PAINTRGN, offsetof(EMRPAINTRGN, RgnData),
     {{PART_REGION, 0, EMR_AT(EMRPAINTRGN, cbRgnData), EMR_AT(EMRPAINTRGN, RgnData), 0}}},
    {EMR_EXTSELECTCLIPRGN, offsetof(EMREXTSELECTCLIPRGN, RgnData),
     {{PART_REGION, PART_OPTIONAL, EMR_AT(EMREXTSELECTCLIPRGN, cbRgnData),
       EMR_AT(EMREXTSELECTCLIPRGN, RgnData), 0}}},
    /* bitmaps: the source and destination rectangles too, whose sums the
     * platform takes in 32 bits */
    {EMR_BITBLT, sizeof(EMRBITBLT),
     {COORDS(EMRBITBLT, xDest, cyDest), COORDS(EMRBITBLT, xSrc, ySrc),
      DIB_OF(EMRBITBLT, iUsageSrc, offBmiSrc, PART_OPTIONAL)}},
    {EMR_STRETCHBLT, sizeof(EMRSTRETCHBLT),
     {COORDS(EMRSTRETCHBLT, xDest, cyDest), COORDS(EMRSTRETCHBLT, xSrc, ySrc),
      COORDS(EMRSTRETCHBLT, cxSrc, cySrc), DIB_OF(EMRSTRETCHBLT, iUsageSrc, offBmiSrc, PART_OPTIONAL)}},
    {EMR_MASKBLT, sizeof(EMRMASKBLT),
     {COORDS(EMRMASKBLT, xDest, cyDest), COORDS(EMRMASKBLT, xSrc, ySrc), COORDS(EMRMASKBLT, xMask, yMask),
      DIB_OF(EMRMASKBLT, iUsageSrc, offBmiSrc, 0), DIB_OF(EMRMASKBLT, iUsageMask, offBmiMask, 0)}},
    {EMR_PLGBLT, sizeof(EMRPLGBLT),
     {COORDS(EMRPLGBLT, aptlDest, cySrc), COORDS(EMRPLGBLT, xMask, yMask),
      DIB_OF(EMRPLGBLT, iUsageSrc, offBmiSrc, 0), DIB_OF(EMRPLGBLT, iUsageMask, offBmiMask, PART_AT_START)}},
    {EMR_SETDIBITSTODEVICE, sizeof(EMRSETDIBITSTODEVICE),
     {COORDS(EMRSETDIBITSTODEVICE, xDest, cySrc),
      {PART_DIB, 0, EMR_AT(EMRSETDIBITSTODEVICE, iUsageSrc), EMR_AT(EMRSETDIBITSTODEVICE, offBmiSrc),
       EMR_AT(EMRSETDIBITSTODEVICE, cScans)}}},
    {EMR_STRETCHDIBITS, sizeof(EMRSTRETCHDIBITS),
     {COORDS(EMRSTRETCHDIBITS, xDest, cySrc), COORDS(EMRSTRETCHDIBITS, cxDest, cyDest),
      DIB_OF(EMRSTRETCHDIBITS, iUsageSrc, offBmiSrc, 0)}},
    /* the platform reads the LOGFONTW alone */
    {EMR_EXTCREATEFONTINDIRECTW, offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW),
     {OBJECT_AT(EMREXTCREATEFONTINDIRECTW, ihFont, 0)}},
    {EMR_EXTTEXTOUTA, sizeof(EMREXTTEXTOUTA),
     {{PART_TEXTS, PART_OPTIONAL, 0, EMR_AT(EMREXTTEXTOUTA, emrtext), 1}}},
    {EMR_EXTTEXTOUTW, sizeof(EMREXTTEXTOUTW),
     {{PART_TEXTS, PART_OPTIONAL, 0, EMR_AT(EMREXTTEXTOUTW, emrtext), 2}}},
    {EMR_POLYBEZIER16, offsetof(EMRPOLYLINE16, apts), {POINTS_OF(EMRPOLYLINE16, cpts, apts, sizeof(POINTS))}},
    {EMR_POLYGON16, offsetof(EMRPOLYLINE16, apts), {POINTS_OF(EMRPOLYLINE16, cpts, apts, sizeof(POINTS))}},
    {EMR_POLYLINE16, offsetof(EMRPOLYLINE16, apts), {POINTS_OF(EMRPOLYLINE16, cpts, apts, sizeof(POINTS))}},
    {EMR_POLYBEZIERTO16, offsetof(EMRPOLYLINE16, apts), {POINTS_OF(EMRPOLYLINE16, cpts, apts, sizeof(POINTS))}},
    {EMR_POLYLINETO16, offsetof(EMRPOLYLINE16, apts), {POINTS_OF(EMRPOLYLINE16, cpts, apts, sizeof(POINTS))}},
    {EMR_POLYPOLYLINE16, offsetof(EMRPOLYPOLYLINE16, aPolyCounts),
     {{PART_POLYPOLY, 0, EMR_AT(EMRPOLYPOLYLINE16, nPolys), EMR_AT(EMRPOLYPOLYLINE16, cpts), sizeof(POINTS)}}},
    {EMR_POLYPOLYGON16, offsetof(EMRPOLYPOLYLINE16, aPolyCounts),
     {{PART_POLYPOLY, 0, EMR_AT(EMRPOLYPOLYLINE16, nPolys), EMR_AT(EMRPOLYPOLYLINE16, cpts), sizeof(POINTS)}}},
    {EMR_POLYDRAW16, offsetof(EMRPOLYDRAW16, apts), {POINTS_OF(EMRPOLYDRAW16, cpts, apts, sizeof(POINTS) + 1)}},
    {EMR_CREATEMONOBRUSH, sizeof(EMRCREATEMONOBRUSH),
     {OBJECT_AT(EMRCREATEMONOBRUSH, ihBrush, 0), DIB_OF(EMRCREATEMONOBRUSH, iUsage, offBmi, 0)}},
    {EMR_CREATEDIBPATTERNBRUSHPT, sizeof(EMRCREATEDIBPATTERNBRUSHPT),
     {OBJECT_AT(EMRCREATEDIBPATTERNBRUSHPT, ihBrush, 0),
      DIB_OF(EMRCREATEDIBPATTERNBRUSHPT, iUsage, offBmi, 0)}},
    {EMR_EXTCREATEPEN, offsetof(EMREXTCREATEPEN, elp.elpStyleEntry),
     {OBJECT_AT(EMREXTCREATEPEN, ihPen, 0),
      POINTS_OF(EMREXTCREATEPEN, elp.elpNumEntries, elp.elpStyleEntry, sizeof(DWORD)),
      {PART_SPANS, 0, EMR_AT(EMREXTCREATEPEN, offBmi), EMR_AT(EMREXTCREATEPEN, elp.elpBrushStyle), 0}}},
    {EMR_POLYTEXTOUTA, offsetof(EMRPOLYTEXTOUTA, aemrtext),
     {{PART_TEXTS, 0, EMR_AT(EMRPOLYTEXTOUTA, cStrings), EMR_AT(EMRPOLYTEXTOUTA, aemrtext), 1}}},
    {EMR_POLYTEXTOUTW, offsetof(EMRPOLYTEXTOUTW, aemrtext),
     {{PART_TEXTS, 0, EMR_AT(EMRPOLYTEXTOUTW, cStrings), EMR_AT(EMRPOLYTEXTOUTW, aemrtext), 2}}},
    {EMR_SETICMMODE, sizeof(EMRSETICMMODE), {}},
    {EMR_CREATECOLORSPACE, sizeof(EMRCREATECOLORSPACE), {OBJECT_AT(EMRCREATECOLORSPACE, ihCS, 0)}},
    {EMR_SETCOLORSPACE, sizeof(EMRSETCOLORSPACE), {OBJECT_AT(EMRSETCOLORSPACE, ihCS, 0)}},
    {EMR_DELETECOLORSPACE, sizeof(EMRDELETECOLORSPACE), {OBJECT_AT(EMRDELETECOLORSPACE, ihCS, 0)}},
    {EMR_PIXELFORMAT, sizeof(EMRPIXELFORMAT), {}},
    {EMR_ALPHABLEND, sizeof(EMRALPHABLEND),
     {COORDS(EMRALPHABLEND, xDest, cyDest), COORDS(EMRALPHABLEND, xSrc, ySrc),
      COORDS(EMRALPHABLEND, cxSrc, cySrc), DIB_OF(EMRALPHABLEND, iUsageSrc, offBmiSrc, PART_OPTIONAL | PART_SECTION)}},
    {EMR_SETLAYOUT, sizeof(EMRSETLAYOUT), {}},
    {EMR_TRANSPARENTBLT, sizeof(EMRTRANSPARENTBLT),
     {COORDS(EMRTRANSPARENTBLT, xDest, cyDest), COORDS(EMRTRANSPARENTBLT, xSrc, ySrc),
      COORDS(EMRTRANSPARENTBLT, cxSrc, cySrc), DIB_OF(EMRTRANSPARENTBLT, iUsageSrc, offBmiSrc, PART_OPTIONAL)}},
    {EMR_GRADIENTFILL, offsetof(EMRGRADIENTFILL, Ver),
     {{PART_GRADIENT, 0, EMR_AT(EMRGRADIENTFILL, nVer), EMR_AT(EMRGRADIENTFILL, Ver), 0}}},
    /* text justification: the headers call it reserved; two numbers */
    {EMR_RESERVED_120, sizeof(EMR) + 2 * sizeof(INT), {}},
};

static const RECORDTYPE *FindType(DWORD type)
{
    for (size_t i = 0; i < sizeof emrTypes / sizeof emrTypes[0]; i++)
        if (emrTypes[i].type == type)
            return &emrTypes[i];
    return NULL;
}

/* offset + count items of unit bytes lie in size bytes. */
static int Inside(ULONGLONG offset, ULONGLONG count, ULONGLONG unit, ULONGLONG size)
{
    return offset <= size && count * unit <= size - offset;
}

/* One EMRTEXT at text: its characters and spacing lie in the record. */
static int TextFits(DWORD size, const BYTE *text, DWORD unit, int dxOptional)
{
    DWORD chars = LeDword(text + offsetof(EMRTEXT, nChars));
    DWORD string = LeDword(text + offsetof(EMRTEXT, offString));
    DWORD dx = LeDword(text + offsetof(EMRTEXT, offDx));
    DWORD spacing = LeDword(text + offsetof(EMRTEXT, fOptions)) & ETO_PDY ? 2 * sizeof(INT) : sizeof(INT);

    if (!Inside(string, chars, unit, size))
        return 0;
    return (dxOptional && dx == 0) || Inside(dx, chars, spacing, size);
}

static int DibFits(const BYTE *record, DWORD size, const PART &part)
{
    const BYTE *fields = record + part.b;
    DWORD offBmi = LeDword(fields), cbBmi = LeDword(fields + 4);
    DWORD offBits = LeDword(fields + 8), cbBits = LeDword(fields + 12);
    DWORD usage = LeDword(record + part.a);
    ULONGLONG rows = part.c ? LeDword(record + part.c) : ~0ull;
    DIBBYTES sizes;

    if ((part.flags & PART_OPTIONAL) && offBmi == 0)
        return 1;
    /* a mask-less PlgBlt as the platform writes it: the type, size and
     * bounds make a header the platform refuses before reading more */
    if ((part.flags & PART_AT_START) && offBmi == 0 && !DibHeaderTaken(record, usage))
        return 1;
    if (!Inside(offBmi, cbBmi, 1, size) || !Inside(offBits, cbBits, 1, size))
        return 0;
    if (!DibBytes(record + offBmi, cbBmi, usage, rows, &sizes) || sizes.header > cbBmi || sizes.image > cbBits)
        return 0;
    /* the bits are copied whole into a section of the header's size */
    if (part.flags & PART_SECTION) {
        BITMAPINFOHEADER h;
        if (LeDword(record + offBmi) < sizeof h || usage > DIB_PAL_COLORS || cbBits > sizes.image)
            return 0;
        memcpy(&h, record + offBmi, sizeof h);
        if (h.biPlanes != 1 || !(h.biCompression == BI_RGB ||
                                 (h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32))))
            return 0;
    }
    return 1;
}

/* Brushes whose hatch the platform takes for a pointer to a bitmap. */
static int BrushStyleSafe(DWORD style)
{
    return style != BS_DIBPATTERN && style != BS_DIBPATTERNPT;
}

static int RegionFits(const BYTE *record, DWORD size, const PART &part)
{
    DWORD bytes = LeDword(record + part.a);

    if (!Inside(part.b, bytes, 1, size))
        return 0;
    /* a clip record too short for region data selects no region */
    if ((part.flags & PART_OPTIONAL) && size - part.b < RGN_HEADER)
        return 1;
    if (bytes < RGN_HEADER)
        return 0;
    const BYTE *data = record + part.b;
    DWORD rects = LeDword(data + offsetof(RGNDATAHEADER, nCount));
    return LeDword(data + offsetof(RGNDATAHEADER, dwSize)) >= RGN_HEADER && rects <= REGION_RECTS_MOST &&
           Inside(RGN_HEADER, rects, sizeof(RECT), bytes);
}

static int PartFits(const BYTE *record, DWORD size, const PART &part, DWORD handles)
{
    switch (part.kind) {
    case PART_ARRAY:
    case PART_PLACED: {
        DWORD count = part.flags & PART_WORD_COUNT ? LeWord(record + part.a) : LeDword(record + part.a);
        DWORD at = part.kind == PART_PLACED ? LeDword(record + part.b) : part.b;
        return count == 0 || Inside(at, count, part.c, size);
    }
    case PART_BRUSH:
        return BrushStyleSafe(LeDword(record + part.a));
    case PART_COORDS:
        for (DWORD i = 0; i < part.c; i++) {
            LONGLONG v = (LONG)LeDword(record + part.a + 4 * i);
            if (v < -(LONGLONG)FARTHEST_UNIT || v > (LONGLONG)FARTHEST_UNIT)
                return 0;
        }
        return 1;
    case PART_LEVEL:
        /* the platform counts back by the level's size, which the lowest has not */
        return LeDword(record + part.a) != 0x80000000u;
    case PART_POLYPOLY: {
        DWORD figures = LeDword(record + part.a), points = LeDword(record + part.b);
        ULONGLONG counts = part.b + 4, sum = 0;
        if (!Inside(counts, figures, sizeof(DWORD), size) ||
            !Inside(counts + (ULONGLONG)figures * sizeof(DWORD), points, part.c, size))
            return 0;
        for (DWORD i = 0; i < figures; i++)
            sum += LeDword(record + counts + (ULONGLONG)i * sizeof(DWORD));
        return sum <= points;
    }
    case PART_TEXTS: {
        DWORD count = part.a ? LeDword(record + part.a) : 1;
        if (!Inside(part.b, count, EMR_TEXT_BYTES, size))
            return 0;
        for (DWORD i = 0; i < count; i++)
            if (!TextFits(size, record + part.b + (ULONGLONG)i * EMR_TEXT_BYTES, part.c,
                          part.flags & PART_OPTIONAL))
                return 0;
        return 1;
    }
    case PART_SPANS:
        /* the pen's own brush, whose bitmap the platform does not read */
        return BrushStyleSafe(LeDword(record + part.b)) &&
               Inside(LeDword(record + part.a), LeDword(record + part.a + 4), 1, size) &&
               Inside(LeDword(record + part.a + 8), LeDword(record + part.a + 12), 1, size);
    case PART_DIB:
        return DibFits(record, size, part);
    case PART_REGION:
        return RegionFits(record, size, part);
    case PART_GRADIENT: {
        DWORD vertices = LeDword(record + part.a), meshes = LeDword(record + part.a + 4);
        DWORD mode = LeDword(record + part.a + 8);
        ULONGLONG mesh = mode == GRADIENT_FILL_TRIANGLE ? sizeof(GRADIENT_TRIANGLE) : sizeof(GRADIENT_RECT);
        return Inside(part.b, vertices, sizeof(TRIVERTEX), size) &&
               Inside(part.b + (ULONGLONG)vertices * sizeof(TRIVERTEX), meshes, mesh, size);
    }
    case PART_OBJECT: {
        DWORD index = LeDword(record + part.a);
        if ((part.flags & PART_STOCK) && (index & STOCK_FLAG))
            return 1;
        /* entry 0 of the table is the picture itself */
        return index != 0 && index < handles;
    }
    default:
        return 1;
    }
}

DWORD EnhancedBytes(const BYTE *data, DWORD size)
{
    DWORD total, header, count, at, offset, record;

    if (size < EMF_HEADER_MIN)
        return 0;
    total = LeDword(data + offsetof(ENHMETAHEADER, nBytes));
    header = LeDword(data + offsetof(ENHMETAHEADER, nSize));
    if (total < EMF_HEADER_MIN || total > size || header < EMF_HEADER_MIN || header > total)
        return 0;
    count = LeDword(data + offsetof(ENHMETAHEADER, nDescription));
    at = LeDword(data + offsetof(ENHMETAHEADER, offDescription));
    if (count && !Inside(at, count, sizeof(WCHAR), total))
        return 0;
    if (header >= EMF_HEADER_PIXELS) {
        count = LeDword(data + offsetof(ENHMETAHEADER, cbPixelFormat));
        at = LeDword(data + offsetof(ENHMETAHEADER, offPixelFormat));
        if (count && !Inside(at, count, 1, total))
            return 0;
    }
    for (offset = 0; offset < total; offset += record) {
        if (total - offset < EMF_RECORD_HEAD)
            return 0;
        record = LeDword(data + offset + 4);
        if (record < EMF_RECORD_HEAD || record > total - offset)
            return 0;
    }
    return total;
}

int EnhancedRecordsFit(const BYTE *data, DWORD bytes)
{
    DWORD handles = LeWord(data + EMF_HANDLES), offset, size;

    if (handles < 1)
        return 0;
    for (offset = 0; offset < bytes; offset += size) {
        const BYTE *record = data + offset;
        const RECORDTYPE *type = FindType(LeDword(record));
        size = LeDword(record + 4);
        if (!type)
            continue;   /* played as nothing */
        if (size < type->fixed)
            return 0;
        for (const PART &part : type->parts)
            if (!PartFits(record, size, part, handles))
                return 0;
    }
    return 1;
}

} // namespace zv
