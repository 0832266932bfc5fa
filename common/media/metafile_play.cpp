/*
 * metafile_play.cpp - a picture played as PlayEnhMetaFile plays it, less
 * the figures that the platform cannot draw in reasonable time.  Its DIB
 * driver traces every point of an ellipse's or arc's outline, of a wide
 * pen's edge and of every row a filled figure spans before it clips: a
 * figure or pen millions of device pixels away or across, which only a
 * damaged file holds, keeps it busy for minutes, and a larger one
 * overflows its sums.  Bitmaps are held to the same place, so that no sum
 * of theirs overflows either.  Where a figure lands, and how wide the
 * selected pen is on the device, is known only while the picture plays,
 * under the transforms its records set: the platform widens a pen again
 * whenever the transform changes.  A transform the platform cannot invert
 * is left out with the figures drawn under it, and a picture stops
 * drawing once it has drawn for longer than anyone waits for a splash.
 */
#include <windows.h>

#include <stddef.h>
#include <string.h>

#include "filecheck.h"
#include "pictures.h"

namespace zv {

enum {
    FARTHEST_POINT = 1 << 16,    /* device pixels from the origin: far beyond any screen */
    WIDEST_PEN = 1 << 12,        /* device pixels: a pen of 30000 takes a third of a second a figure */
    FARTHEST_UNIT = 1 << 27,     /* the platform's own coordinate space */
    /* ms of the drawing thread's own time: a 3.5 MB picture of 20,000
     * figures, a full-screen photograph and 500 lines of text plays in a
     * third of that here */
    LONGEST_PICTURE = 1000
};

/* What one playing of a picture keeps from record to record. */
struct PLAYING {
    DWORD lookAt;        /* GetTickCount when the thread's time is next read */
    ULONGLONG started;   /* the thread's time in ms when the playing began */
    int over;            /* the picture has drawn long enough */
    int degenerate;      /* a transform was left out: its figures are too */
};

/* The ms the current thread has run, 0 where the platform cannot say. */
static int ThreadMs(ULONGLONG *ms)
{
    FILETIME created, ended, kernel, user;

    if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user))
        return 0;
    *ms = (((ULONGLONG)kernel.dwHighDateTime << 32 | kernel.dwLowDateTime) +
           ((ULONGLONG)user.dwHighDateTime << 32 | user.dwLowDateTime)) / 10000;
    return 1;
}

/* Where the thread's time cannot be read, the clock alone bounds it. */
static void StartClock(PLAYING *playing)
{
    playing->lookAt = GetTickCount() + LONGEST_PICTURE;
    playing->over = 0;
    if (!ThreadMs(&playing->started))
        playing->started = 0;
}

/* The bound counts the time the drawing itself takes, not the time a busy
 * machine (a disc spinning up, a scan of the disc just put in) keeps the
 * thread waiting: a picture is never cut short for that.  The thread's
 * time is read only once the clock says the bound may have passed, since
 * it can pass no sooner. */
static int DrawnLongEnough(PLAYING *playing)
{
    ULONGLONG now;

    if (playing->over || (LONG)(GetTickCount() - playing->lookAt) < 0)
        return playing->over;
    if (!ThreadMs(&now) || now - playing->started >= LONGEST_PICTURE)
        playing->over = 1;
    else
        playing->lookAt = GetTickCount() + (DWORD)(LONGEST_PICTURE - (now - playing->started));
    return playing->over;
}

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

/* A pen of width logical units is narrower than WIDEST_PEN on the device. */
static int PenWidthFits(HDC dc, LONGLONG width)
{
    BOX box = {0, 0, 0, 0, 1};
    Include(&box, 0, 0);
    Include(&box, width, width);
    return DeviceBoxFits(dc, box, FARTHEST_UNIT, WIDEST_PEN);
}

/* The pen selected in dc, at the width the platform draws it with now. */
static int SelectedPenFits(HDC dc)
{
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    DWORD held[sizeof(EXTLOGPEN) / sizeof(DWORD) + 64];
    LOGPEN plain;

    switch (GetObjectType(pen)) {
    case OBJ_PEN:
        if (GetObjectA(pen, sizeof plain, &plain) != sizeof plain || (plain.lopnStyle & PS_STYLE_MASK) == PS_NULL)
            return 1;
        return PenWidthFits(dc, plain.lopnWidth.x);
    case OBJ_EXTPEN: {
        int bytes = GetObjectA(pen, 0, NULL);
        void *buffer = bytes > (int)sizeof held ? HeapAlloc(GetProcessHeap(), 0, (SIZE_T)bytes) : held;
        int fits = 1;
        if (buffer && GetObjectA(pen, bytes, buffer) == bytes) {
            const EXTLOGPEN *extended = (const EXTLOGPEN *)buffer;
            /* cosmetic pens are one pixel wide whatever the transform */
            if ((extended->elpPenStyle & PS_TYPE_MASK) == PS_GEOMETRIC &&
                (extended->elpPenStyle & PS_STYLE_MASK) != PS_NULL)
                fits = PenWidthFits(dc, extended->elpWidth);
        }
        if (buffer && buffer != held)
            HeapFree(GetProcessHeap(), 0, buffer);
        return fits;
    }
    default:
        return 1;
    }
}

/* Records that draw with the selected pen. */
static int Strokes(DWORD type)
{
    static const DWORD stroking[] = {
        EMR_RECTANGLE, EMR_ELLIPSE, EMR_ROUNDRECT, EMR_ARC, EMR_ARCTO, EMR_CHORD, EMR_PIE, EMR_ANGLEARC,
        EMR_LINETO, EMR_POLYBEZIER, EMR_POLYGON, EMR_POLYLINE, EMR_POLYBEZIERTO, EMR_POLYLINETO,
        EMR_POLYDRAW, EMR_POLYBEZIER16, EMR_POLYGON16, EMR_POLYLINE16, EMR_POLYBEZIERTO16,
        EMR_POLYLINETO16, EMR_POLYDRAW16, EMR_POLYPOLYLINE, EMR_POLYPOLYGON, EMR_POLYPOLYLINE16,
        EMR_POLYPOLYGON16, EMR_STROKEPATH, EMR_STROKEANDFILLPATH, EMR_WIDENPATH};
    for (DWORD stroke : stroking)
        if (stroke == type)
            return 1;
    return 0;
}

/* Records that draw on the device, or add to a path, under the transform. */
static int Draws(DWORD type)
{
    static const DWORD drawing[] = {
        EMR_EXTFLOODFILL, EMR_SETPIXELV, EMR_FILLPATH, EMR_FILLRGN, EMR_FRAMERGN, EMR_INVERTRGN,
        EMR_PAINTRGN, EMR_BITBLT, EMR_STRETCHBLT, EMR_MASKBLT, EMR_PLGBLT, EMR_SETDIBITSTODEVICE,
        EMR_STRETCHDIBITS, EMR_EXTTEXTOUTA, EMR_EXTTEXTOUTW, EMR_POLYTEXTOUTA, EMR_POLYTEXTOUTW,
        EMR_ALPHABLEND, EMR_TRANSPARENTBLT, EMR_GRADIENTFILL, EMR_MOVETOEX};
    for (DWORD draw : drawing)
        if (draw == type)
            return 1;
    return Strokes(type);
}

/* Records after which the platform computes the transform again. */
static int Transforms(DWORD type)
{
    return type == EMR_SETWORLDTRANSFORM || type == EMR_MODIFYWORLDTRANSFORM || type == EMR_SETMAPMODE ||
           type == EMR_SETWINDOWEXTEX || type == EMR_SETVIEWPORTEXTEX || type == EMR_SCALEWINDOWEXTEX ||
           type == EMR_SCALEVIEWPORTEXTEX;
}

/* Whether the platform can take device points back through the transform
 * of dc (it cannot for a determinant inside its own limit). */
static int Invertible(HDC dc)
{
    POINT point = {0, 0};
    return DPtoLP(dc, &point, 1);
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
        return PenWidthFits(dc, Long(record, offsetof(EMRCREATEPEN, lopn.lopnWidth)));
    case EMR_EXTCREATEPEN:
        return PenWidthFits(dc, LeDword(record + offsetof(EMREXTCREATEPEN, elp.elpWidth)));
    default:
        return 1;
    }
}

static int CALLBACK PlayFitting(HDC dc, HANDLETABLE *table, const ENHMETARECORD *record, int handles,
                                LPARAM data)
{
    PLAYING *playing = (PLAYING *)data;
    XFORM before;

    /* what is drawn by then stays */
    if (DrawnLongEnough(playing))
        return 1;
    if (Draws(record->iType) && (playing->degenerate || (Strokes(record->iType) && !SelectedPenFits(dc))))
        return 1;
    /* a pen left out stays unmade: selecting it keeps the one before */
    if (!FigureFits(dc, record))
        return 1;
    int transforms = Transforms(record->iType) && GetWorldTransform(dc, &before);
    PlayEnhMetaFileRecord(dc, table, record, (UINT)handles);
    if (transforms) {
        playing->degenerate = !Invertible(dc);
        if (playing->degenerate)
            SetWorldTransform(dc, &before);
    } else if (record->iType == EMR_RESTOREDC) {
        playing->degenerate = !Invertible(dc);
    }
    return 1;
}

BOOL PlayPicture(HDC dc, HENHMETAFILE picture, const RECT *rect)
{
    PLAYING playing;

    memset(&playing, 0, sizeof playing);
    StartClock(&playing);
    return EnumEnhMetaFile(dc, picture, PlayFitting, &playing, rect);
}

} // namespace zv
