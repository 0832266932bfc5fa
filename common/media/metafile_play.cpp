/*
 * metafile_play.cpp - a picture played as PlayEnhMetaFile plays it, less
 * the figures that the platform cannot draw in reasonable time.  Its DIB
 * driver traces every point of an ellipse's or arc's outline and of a
 * wide pen's edge: a box or a pen of millions of device pixels, which
 * only a damaged file holds, keeps it busy for minutes, and a larger one
 * overflows its sums.  Whether a figure is that large is known only while
 * the picture plays, once the record's place on the device is known.
 */
#include <windows.h>

#include <stddef.h>

#include "filecheck.h"
#include "pictures.h"

namespace zv {

enum {
    LARGEST_FIGURE = 1 << 16,    /* device pixels: far beyond any screen */
    FARTHEST_POINT = 1 << 27     /* the platform's own coordinate space */
};

/* The box from (left, top) to (right, bottom) lands on the device within
 * the coordinate space and spans less than the largest figure. */
static int DeviceBoxFits(HDC dc, LONGLONG left, LONGLONG top, LONGLONG right, LONGLONG bottom)
{
    const LONGLONG corners[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    POINT points[4];
    LONGLONG lowX = 0, highX = 0, lowY = 0, highY = 0;

    for (int i = 0; i < 4; i++) {
        if (corners[i][0] < -FARTHEST_POINT || corners[i][0] > FARTHEST_POINT ||
            corners[i][1] < -FARTHEST_POINT || corners[i][1] > FARTHEST_POINT)
            return 0;
        points[i].x = (LONG)corners[i][0];
        points[i].y = (LONG)corners[i][1];
    }
    if (!LPtoDP(dc, points, 4))
        return 0;
    for (int i = 0; i < 4; i++) {
        LONGLONG x = points[i].x, y = points[i].y;
        if (x <= -FARTHEST_POINT || x >= FARTHEST_POINT || y <= -FARTHEST_POINT || y >= FARTHEST_POINT)
            return 0;
        lowX = i == 0 || x < lowX ? x : lowX;
        highX = i == 0 || x > highX ? x : highX;
        lowY = i == 0 || y < lowY ? y : lowY;
        highY = i == 0 || y > highY ? y : highY;
    }
    return highX - lowX < LARGEST_FIGURE && highY - lowY < LARGEST_FIGURE;
}

static LONG Long(const ENHMETARECORD *record, size_t at)
{
    return (LONG)LeDword((const BYTE *)record + at);
}

/* Whether the record may be played on dc as it stands now. */
static int FigureFits(HDC dc, const ENHMETARECORD *record)
{
    switch (record->iType) {
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE: {
        const size_t box = offsetof(EMRELLIPSE, rclBox);
        return DeviceBoxFits(dc, Long(record, box), Long(record, box + 4), Long(record, box + 8),
                             Long(record, box + 12));
    }
    case EMR_ANGLEARC: {
        LONGLONG x = Long(record, offsetof(EMRANGLEARC, ptlCenter));
        LONGLONG y = Long(record, offsetof(EMRANGLEARC, ptlCenter) + 4);
        LONGLONG r = LeDword((const BYTE *)record + offsetof(EMRANGLEARC, nRadius));
        return DeviceBoxFits(dc, x - r, y - r, x + r, y + r);
    }
    case EMR_CREATEPEN: {
        LONGLONG width = Long(record, offsetof(EMRCREATEPEN, lopn.lopnWidth));
        return DeviceBoxFits(dc, 0, 0, width, width);
    }
    case EMR_EXTCREATEPEN: {
        LONGLONG width = LeDword((const BYTE *)record + offsetof(EMREXTCREATEPEN, elp.elpWidth));
        return DeviceBoxFits(dc, 0, 0, width, width);
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
