/*
 * metafile_play.cpp - a picture played as PlayEnhMetaFile plays it, less
 * the figures that the platform cannot draw in reasonable time.  Its DIB
 * driver traces every point of an ellipse's or arc's outline, of a wide
 * pen's edge and of every row a filled figure spans before it clips: a
 * figure or pen millions of device pixels away or across, which only a
 * damaged file holds, keeps it busy for minutes, and a larger one
 * overflows its sums.  Bitmaps are held to the same place, so that no sum
 * of theirs overflows either.  Where a figure lands is known only while
 * the picture plays, under the transforms its records set.
 */
#include <windows.h>

#include <stddef.h>

#include "filecheck.h"
#include "pictures.h"

namespace zv {

enum {
    FARTHEST_POINT = 1 << 16,    /* device pixels from the origin: far beyond any screen */
    WIDEST_PEN = 1 << 12,        /* device pixels: a pen of 30000 takes a third of a second a figure */
    FARTHEST_UNIT = 1 << 27      /* the platform's own coordinate space */
};

/* A box in logical units, built up point by point. */
struct BOX {
    LONGLONG left, top, right, bottom;
    int empty;
};

static void Include(BOX *box, LONGLONG x, LONGLONG y)
{
    if (box->empty || x < box->left)
        box->left = x;
    if (box->empty || x > box->right)
        box->right = x;
    if (box->empty || y < box->top)
        box->top = y;
    if (box->empty || y > box->bottom)
        box->bottom = y;
    box->empty = 0;
}

/* Every corner of the box lands on the device less than reach from the
 * origin, and the box spans less than span there. */
static int DeviceBoxFits(HDC dc, const BOX &box, LONGLONG reach = FARTHEST_POINT,
                         LONGLONG span = 2 * FARTHEST_POINT)
{
    const LONGLONG corners[4][2] = {{box.left, box.top}, {box.right, box.top},
                                    {box.right, box.bottom}, {box.left, box.bottom}};
    POINT points[4];

    if (box.empty)
        return 1;
    for (int i = 0; i < 4; i++) {
        if (corners[i][0] < -FARTHEST_UNIT || corners[i][0] > FARTHEST_UNIT ||
            corners[i][1] < -FARTHEST_UNIT || corners[i][1] > FARTHEST_UNIT)
            return 0;
        points[i].x = (LONG)corners[i][0];
        points[i].y = (LONG)corners[i][1];
    }
    if (!LPtoDP(dc, points, 4))
        return 0;
    BOX device = {0, 0, 0, 0, 1};
    for (int i = 0; i < 4; i++) {
        if (points[i].x <= -reach || points[i].x >= reach || points[i].y <= -reach || points[i].y >= reach)
            return 0;
        Include(&device, points[i].x, points[i].y);
    }
    return device.right - device.left < span && device.bottom - device.top < span;
}

static LONG Long(const BYTE *record, size_t at)
{
    return (LONG)LeDword(record + at);
}

static BOX BoxAt(const BYTE *record, size_t at)
{
    BOX box = {0, 0, 0, 0, 1};
    Include(&box, Long(record, at), Long(record, at + 4));
    Include(&box, Long(record, at + 8), Long(record, at + 12));
    return box;
}

/* A place at at and a width and height at size. */
static BOX SizedBox(const BYTE *record, size_t at, size_t size)
{
    BOX box = {0, 0, 0, 0, 1};
    LONGLONG x = Long(record, at), y = Long(record, at + 4);
    Include(&box, x, y);
    Include(&box, x + Long(record, size), y + Long(record, size + 4));
    return box;
}

/* count points from at, of 4 (16-bit) or 8 bytes each. */
static BOX PointsBox(const BYTE *record, ULONGLONG count, size_t at, int wide)
{
    BOX box = {0, 0, 0, 0, 1};
    for (ULONGLONG i = 0; i < count; i++) {
        const BYTE *point = record + at + i * (wide ? 8 : 4);
        if (wide)
            Include(&box, Long(point, 0), Long(point, 4));
        else
            Include(&box, (SHORT)LeWord(point), (SHORT)LeWord(point + 2));
    }
    return box;
}

/* Whether the record may be played on dc as it stands now. */
static int FigureFits(HDC dc, const ENHMETARECORD *emr)
{
    const BYTE *record = (const BYTE *)emr;
    BOX box = {0, 0, 0, 0, 1};

    switch (emr->iType) {
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE:
        return DeviceBoxFits(dc, BoxAt(record, offsetof(EMRELLIPSE, rclBox)));
    case EMR_ANGLEARC: {
        LONGLONG x = Long(record, offsetof(EMRANGLEARC, ptlCenter));
        LONGLONG y = Long(record, offsetof(EMRANGLEARC, ptlCenter) + 4);
        LONGLONG r = LeDword(record + offsetof(EMRANGLEARC, nRadius));
        Include(&box, x - r, y - r);
        Include(&box, x + r, y + r);
        return DeviceBoxFits(dc, box);
    }
    case EMR_MOVETOEX:
    case EMR_LINETO:
    case EMR_EXTFLOODFILL:
        Include(&box, Long(record, offsetof(EMRLINETO, ptl)), Long(record, offsetof(EMRLINETO, ptl) + 4));
        return DeviceBoxFits(dc, box);
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
    case EMR_POLYDRAW:
        return DeviceBoxFits(dc, PointsBox(record, LeDword(record + offsetof(EMRPOLYLINE, cptl)),
                                           offsetof(EMRPOLYLINE, aptl), 1));
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
    case EMR_POLYDRAW16:
        return DeviceBoxFits(dc, PointsBox(record, LeDword(record + offsetof(EMRPOLYLINE16, cpts)),
                                           offsetof(EMRPOLYLINE16, apts), 0));
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
        ULONGLONG figures = LeDword(record + offsetof(EMRPOLYPOLYLINE, nPolys));
        int wide = emr->iType == EMR_POLYPOLYLINE || emr->iType == EMR_POLYPOLYGON;
        return DeviceBoxFits(dc, PointsBox(record, LeDword(record + offsetof(EMRPOLYPOLYLINE, cptl)),
                                           offsetof(EMRPOLYPOLYLINE, aPolyCounts) + figures * 4, wide));
    }
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
    case EMR_MASKBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT:
        return DeviceBoxFits(dc, SizedBox(record, offsetof(EMRBITBLT, xDest), offsetof(EMRBITBLT, cxDest)));
    case EMR_STRETCHDIBITS:
        return DeviceBoxFits(dc, SizedBox(record, offsetof(EMRSTRETCHDIBITS, xDest),
                                          offsetof(EMRSTRETCHDIBITS, cxDest)));
    case EMR_SETDIBITSTODEVICE:
        return DeviceBoxFits(dc, SizedBox(record, offsetof(EMRSETDIBITSTODEVICE, xDest),
                                          offsetof(EMRSETDIBITSTODEVICE, cxSrc)));
    case EMR_PLGBLT:
        return DeviceBoxFits(dc, PointsBox(record, 3, offsetof(EMRPLGBLT, aptlDest), 1));
    case EMR_CREATEPEN:
        Include(&box, 0, 0);
        Include(&box, Long(record, offsetof(EMRCREATEPEN, lopn.lopnWidth)),
                Long(record, offsetof(EMRCREATEPEN, lopn.lopnWidth)));
        return DeviceBoxFits(dc, box, FARTHEST_UNIT, WIDEST_PEN);
    case EMR_EXTCREATEPEN: {
        LONGLONG width = LeDword(record + offsetof(EMREXTCREATEPEN, elp.elpWidth));
        Include(&box, 0, 0);
        Include(&box, width, width);
        return DeviceBoxFits(dc, box, FARTHEST_UNIT, WIDEST_PEN);
    }
    default:
        return 1;
    }
}

static int CALLBACK PlayFitting(HDC dc, HANDLETABLE *table, const ENHMETARECORD *record, int handles,
                                LPARAM data)
{
    (void)data;
    /* a pen left out stays unmade: selecting it keeps the one before */
    if (FigureFits(dc, record))
        PlayEnhMetaFileRecord(dc, table, record, (UINT)handles);
    return 1;
}

BOOL PlayPicture(HDC dc, HENHMETAFILE picture, const RECT *rect)
{
    return EnumEnhMetaFile(dc, picture, PlayFitting, NULL, rect);
}

} // namespace zv
