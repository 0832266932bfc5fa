/*
 * testmetafiles.cpp - the test metafiles: drawn by GDI into enhanced and
 * Windows metafile contexts, then damaged byte by byte.
 */
#include <windows.h>

#include <stddef.h>

#include <random>

#include "testmedia.h"
#include "testmetafiles.h"

namespace zvtest {

namespace {

enum { EMF_HANDLES = 56, WMF_OBJECTS = 10, EMF_BODY = 8, WMF_BODY = 6 };
enum { CARRIED_SUM = 18 + 10 + 12 };   /* the checksum word of a carried picture's first chunk */

unsigned Get32(const std::string &b, size_t at)
{
    unsigned v = 0;
    for (int i = 3; i >= 0; i--)
        v = v << 8 | (unsigned char)b[at + i];
    return v;
}

unsigned Get16(const std::string &b, size_t at)
{
    return (unsigned char)b[at] | (unsigned)(unsigned char)b[at + 1] << 8;
}

std::string Set32(std::string b, size_t at, unsigned v)
{
    std::string s;
    PutU32(s, v);
    return b.replace(at, 4, s);
}

std::string Set16(std::string b, size_t at, unsigned v)
{
    std::string s;
    PutU16(s, v);
    return b.replace(at, 2, s);
}

bool IsEnhanced(const std::string &mf)
{
    return mf.size() >= 44 && Get32(mf, 40) == ENHMETA_SIGNATURE;
}

/* A packed DIB of w x h pixels at 8 bits with a four-colour table, or at 24. */
std::string PackedDib(int w, int h, int bits)
{
    std::string s;
    int colours = bits == 8 ? 4 : 0, stride = (w * bits + 31) / 32 * 4;
    PutU32(s, 40);
    PutU32(s, (unsigned)w);
    PutU32(s, (unsigned)h);
    PutU16(s, 1);
    PutU16(s, (unsigned)bits);
    PutU32(s, BI_RGB);
    PutU32(s, (unsigned)(stride * h));
    PutU32(s, 0);
    PutU32(s, 0);
    PutU32(s, (unsigned)colours);
    PutU32(s, 0);
    const unsigned table[] = {0x000000, 0xCC2200, 0x22AA44, 0x2244CC};
    for (int i = 0; i < colours; i++)
        PutU32(s, table[i]);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < stride; x++)
            s += (char)(bits == 8 ? (x + y) % 4 : (x * 40 + y * 16) & 0xFF);
    return s;
}

/* Everything the tests' pictures hold; paths, transforms and gradients
 * only where the context records them. */
void DrawScene(HDC dc, bool enhanced)
{
    int saved = SaveDC(dc);
    HPEN dashed = CreatePen(PS_DASH, 1, RGB(200, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, dashed);
    MoveToEx(dc, 2, 2, NULL);
    LineTo(dc, 140, 100);
    POINT zigzag[] = {{5, 90}, {20, 70}, {35, 90}, {50, 70}, {65, 90}};
    Polyline(dc, zigzag, 5);

    DWORD dashes[] = {4, 2, 1, 2};
    LOGBRUSH solid = {BS_SOLID, RGB(0, 128, 0), 0};
    HPEN styled = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 3, &solid, 4, dashes);
    SelectObject(dc, styled);
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 200));
    HGDIOBJ oldBrush = SelectObject(dc, hatch);
    Rectangle(dc, 10, 10, 60, 40);
    Ellipse(dc, 70, 10, 120, 40);
    RoundRect(dc, 10, 45, 60, 65, 8, 8);
    Pie(dc, 70, 45, 100, 75, 100, 60, 70, 45);
    Chord(dc, 100, 45, 130, 75, 130, 60, 100, 45);
    Arc(dc, 5, 5, 145, 105, 145, 55, 5, 55);
    POINT triangle[] = {{120, 80}, {145, 105}, {95, 105}};
    Polygon(dc, triangle, 3);
    POINT twoBoxes[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {4, 4}, {10, 4}, {10, 10}, {4, 10}};
    INT corners[] = {4, 4};
    PolyPolygon(dc, twoBoxes, corners, 2);
    POINT curve[] = {{10, 100}, {30, 80}, {50, 110}, {70, 95}};
    PolyBezier(dc, curve, 4);

    std::string pattern = PackedDib(8, 8, 24);
    HBRUSH dibBrush = CreateDIBPatternBrushPt(pattern.data(), DIB_RGB_COLORS);
    SelectObject(dc, dibBrush);
    Rectangle(dc, 125, 5, 145, 25);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    RestoreDC(dc, saved);

    HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(40, 40, 160));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 12, 14, "Zorvan", 6);
    INT spacing[] = {9, 9, 9, 9};
    RECT box = {60, 80, 120, 95};
    ExtTextOutW(dc, 62, 81, ETO_OPAQUE | ETO_CLIPPED, &box, L"Disc", 4, spacing);
    SelectObject(dc, oldFont);

    std::string eight = PackedDib(16, 8, 8), deep = PackedDib(12, 6, 24);
    StretchDIBits(dc, 80, 60, 32, 16, 0, 0, 16, 8, eight.data() + 40 + 16, (const BITMAPINFO *)eight.data(),
                  DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dc, 20, 60, 12, 6, 0, 0, 0, 6, deep.data() + 40, (const BITMAPINFO *)deep.data(),
                      DIB_RGB_COLORS);
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 10, 10);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, 10, 10, WHITENESS);
    BitBlt(dc, 40, 20, 10, 10, memory, 0, 0, SRCCOPY);
    PatBlt(dc, 0, 105, 150, 5, BLACKNESS);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);

    HRGN region = CreateEllipticRgn(90, 20, 130, 50);
    HBRUSH red = CreateSolidBrush(RGB(220, 30, 30));
    FillRgn(dc, region, red);
    FrameRgn(dc, region, (HBRUSH)GetStockObject(BLACK_BRUSH), 1, 1);
    PaintRgn(dc, region);
    SelectClipRgn(dc, region);
    Rectangle(dc, 85, 15, 135, 55);
    SelectClipRgn(dc, NULL);

    PALETTEENTRY entries[4] = {{10, 20, 30, 0}, {200, 0, 0, 0}, {0, 200, 0, 0}, {0, 0, 200, 0}};
    struct {
        WORD version, count;
        PALETTEENTRY entries[4];
    } logical = {0x300, 4, {entries[0], entries[1], entries[2], entries[3]}};
    HPALETTE palette = CreatePalette((LOGPALETTE *)&logical);
    HPALETTE oldPalette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    SelectPalette(dc, oldPalette, FALSE);

    if (enhanced) {
        GdiComment(dc, 8, (const BYTE *)"Zorvan!!");
        BeginPath(dc);
        MoveToEx(dc, 10, 70, NULL);
        LineTo(dc, 40, 70);
        LineTo(dc, 25, 50);
        CloseFigure(dc);
        EndPath(dc);
        StrokeAndFillPath(dc);
        BeginPath(dc);
        Ellipse(dc, 100, 80, 140, 104);
        EndPath(dc);
        SelectClipPath(dc, RGN_AND);
        FillRect(dc, &box, red);
        SelectClipRgn(dc, NULL);
        SetGraphicsMode(dc, GM_ADVANCED);
        XFORM turn = {0.8f, 0.6f, -0.6f, 0.8f, 60, 10};
        SetWorldTransform(dc, &turn);
        Rectangle(dc, 0, 0, 20, 10);
        ModifyWorldTransform(dc, NULL, MWT_IDENTITY);
        TRIVERTEX corners2[] = {{0, 0, 0xFF00, 0, 0, 0}, {30, 8, 0, 0, 0xFF00, 0}};
        GRADIENT_RECT band = {0, 1};
        GdiGradientFill(dc, corners2, 2, &band, 1, GRADIENT_FILL_RECT_H);
    } else {
        Escape(dc, MFCOMMENT, 8, "Zorvan!!", NULL);
    }

    DeleteObject(palette);
    DeleteObject(region);
    DeleteObject(red);
    DeleteObject(font);
    DeleteObject(dibBrush);
    DeleteObject(hatch);
    DeleteObject(styled);
    DeleteObject(dashed);
}

std::string EnhancedBits(HENHMETAFILE emf)
{
    std::string bytes(GetEnhMetaFileBits(emf, 0, NULL), '\0');
    GetEnhMetaFileBits(emf, (UINT)bytes.size(), (BYTE *)&bytes[0]);
    return bytes;
}

HENHMETAFILE DrawEnhanced()
{
    RECT frame = {0, 0, 4000, 3000};
    HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, "Zorvan\0Test\0");
    DrawScene(dc, true);
    return CloseEnhMetaFile(dc);
}

/* Offsets of the records after the header (for a Windows metafile, up to
 * its end record). */
std::vector<size_t> Records(const std::string &mf)
{
    std::vector<size_t> at;
    if (IsEnhanced(mf)) {
        for (size_t o = Get32(mf, 4); o + 8 <= mf.size() && Get32(mf, o + 4) >= 8; o += Get32(mf, o + 4))
            at.push_back(o);
    } else {
        for (size_t o = 2 * Get16(mf, 2); o + 6 <= mf.size() && Get32(mf, o) >= 3; o += 2 * Get32(mf, o)) {
            if (Get16(mf, o + 4) == 0)
                break;
            at.push_back(o);
        }
    }
    return at;
}

} // namespace

std::string DrawnEnhanced()
{
    HENHMETAFILE emf = DrawEnhanced();
    std::string bytes = EnhancedBits(emf);
    DeleteEnhMetaFile(emf);
    return bytes;
}

std::string DrawnWindows()
{
    HDC dc = CreateMetaFileA(NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, 150, 110, NULL);
    DrawScene(dc, false);
    HMETAFILE wmf = CloseMetaFile(dc);
    std::string bytes(GetMetaFileBitsEx(wmf, 0, NULL), '\0');
    GetMetaFileBitsEx(wmf, (UINT)bytes.size(), &bytes[0]);
    DeleteMetaFile(wmf);
    return bytes;
}

std::string DrawnPlaceable()
{
    std::string head;
    PutU32(head, 0x9AC6CDD7);
    const unsigned fields[] = {0, 0, 0, 1500, 1100, 1000, 0, 0};   /* handle, box, units, reserved */
    for (unsigned f : fields)
        PutU16(head, f);
    unsigned sum = 0;
    for (size_t i = 0; i < head.size(); i += 2)
        sum ^= Get16(head, i);
    PutU16(head, sum);
    return head + DrawnWindows();
}

std::string DrawnCarried()
{
    HENHMETAFILE emf = DrawEnhanced();
    HDC screen = GetDC(NULL);
    std::string bytes(GetWinMetaFileBits(emf, 0, NULL, MM_ANISOTROPIC, screen), '\0');
    GetWinMetaFileBits(emf, (UINT)bytes.size(), (BYTE *)&bytes[0], MM_ANISOTROPIC, screen);
    ReleaseDC(NULL, screen);
    DeleteEnhMetaFile(emf);
    return bytes;
}

size_t EnhancedRecord(const std::string &emf, unsigned type, int n)
{
    for (size_t at : Records(emf))
        if (Get32(emf, at) == type && n-- == 0)
            return at;
    return std::string::npos;
}

size_t WindowsRecord(const std::string &wmf, unsigned function, int n)
{
    for (size_t at : Records(wmf))
        if (Get16(wmf, at + 4) == function && n-- == 0)
            return at;
    return std::string::npos;
}

std::vector<DAMAGEDFILE> DamagedEnhanced()
{
    const std::string e = DrawnEnhanced();
    const size_t state = EnhancedRecord(e, EMR_SETBKMODE), select = EnhancedRecord(e, EMR_SELECTOBJECT);
    const size_t text = EnhancedRecord(e, EMR_EXTTEXTOUTW), poly = EnhancedRecord(e, EMR_POLYGON16);
    const size_t polys = EnhancedRecord(e, EMR_POLYPOLYGON16), dib = EnhancedRecord(e, EMR_STRETCHDIBITS);
    const size_t region = EnhancedRecord(e, EMR_FILLRGN), palette = EnhancedRecord(e, EMR_CREATEPALETTE);
    const size_t comment = EnhancedRecord(e, EMR_GDICOMMENT), pen = EnhancedRecord(e, EMR_EXTCREATEPEN);
    const size_t info = dib + Get32(e, dib + offsetof(EMRSTRETCHDIBITS, offBmiSrc));
    const size_t rgn = region + offsetof(EMRFILLRGN, RgnData);
    const unsigned handles = Get16(e, EMF_HANDLES);
    return {
        {"EMF: a state record retyped as text", Set32(e, state, EMR_EXTTEXTOUTW)},
        {"EMF: a state record retyped as a bitmap", Set32(e, state, EMR_STRETCHDIBITS)},
        {"EMF: an object selected past the table", Set32(e, select + 8, handles)},
        {"EMF: a header with no handle table", Set16(e, EMF_HANDLES, 0)},
        {"EMF: a header's handle count made smaller", Set16(e, EMF_HANDLES, 2)},
        {"EMF: text longer than its record", Set32(e, text + offsetof(EMREXTTEXTOUTW, emrtext.nChars), 0x10000)},
        {"EMF: a string offset past the record",
         Set32(e, text + offsetof(EMREXTTEXTOUTW, emrtext.offString), Get32(e, text + 4))},
        {"EMF: spacing past the record",
         Set32(e, text + offsetof(EMREXTTEXTOUTW, emrtext.offDx), 0xFFFFFFF0u)},
        {"EMF: more points than the record", Set32(e, poly + offsetof(EMRPOLYLINE16, cpts), 0x40000000)},
        {"EMF: polygon counts above the points",
         Set32(e, polys + offsetof(EMRPOLYPOLYLINE16, aPolyCounts), 0x7FFF)},
        {"EMF: a bitmap header larger than its room", Set32(e, info, 0x1000)},
        {"EMF: a colour table past the record", Set32(e, info + 32, 0x100000)},
        {"EMF: bitmap rows past the record", Set32(e, info + 8, 0x7FFF)},
        {"EMF: region rectangles past the record",
         Set32(e, rgn + offsetof(RGNDATAHEADER, nCount), Get32(e, rgn + 8) + 50)},
        {"EMF: palette entries past the record",
         Set16(e, palette + offsetof(EMRCREATEPALETTE, lgpl.palNumEntries), 0x4000)},
        {"EMF: comment data past the record", Set32(e, comment + 8, 0x00FFFFFF)},
        {"EMF: a pen style array past the record",
         Set32(e, pen + offsetof(EMREXTCREATEPEN, elp.elpNumEntries), 0x20000000)},
        {"EMF: a bitmap's source wider than the platform's coordinates",
         Set32(e, dib + offsetof(EMRSTRETCHDIBITS, cxSrc), 0x7FFFFFFF)},
        {"EMF: a restore level the platform cannot count back",
         Set32(e, EnhancedRecord(e, EMR_RESTOREDC) + 8, 0x80000000u)},
        {"EMF: a brush whose hatch would be taken for a bitmap's address",
         Set32(e, EnhancedRecord(e, EMR_CREATEBRUSHINDIRECT) + offsetof(EMRCREATEBRUSHINDIRECT, lb.lbStyle),
               BS_DIBPATTERNPT)},
    };
}

/* The Windows metafile that carries the drawn enhanced one, with an
 * object index past the table in the picture it carries and the sum that
 * makes the platform take that picture kept. */
static std::string CarriedDamaged()
{
    const std::string e = DrawnEnhanced(), w = DrawnCarried();
    const size_t select = EnhancedRecord(e, EMR_SELECTOBJECT);
    size_t at = w.find(e.substr(select, 12));
    if (at == std::string::npos || at % 2)
        return w;
    const unsigned from = Get32(w, at + 8), to = Get16(e, EMF_HANDLES);
    std::string b = Set32(w, at + 8, to);
    unsigned change = (to & 0xFFFF) + (to >> 16) - (from & 0xFFFF) - (from >> 16);
    return Set16(b, CARRIED_SUM, (Get16(b, CARRIED_SUM) - change) & 0xFFFF);
}

std::vector<DAMAGEDFILE> DamagedWindows()
{
    const std::string w = DrawnWindows();
    const size_t state = WindowsRecord(w, META_SETBKMODE), select = WindowsRecord(w, META_SELECTOBJECT);
    const size_t text = WindowsRecord(w, META_TEXTOUT), extText = WindowsRecord(w, META_EXTTEXTOUT);
    const size_t poly = WindowsRecord(w, META_POLYGON), polys = WindowsRecord(w, META_POLYPOLYGON);
    const size_t dib = WindowsRecord(w, META_STRETCHDIB), region = WindowsRecord(w, META_CREATEREGION);
    const size_t palette = WindowsRecord(w, META_CREATEPALETTE), escape = WindowsRecord(w, META_ESCAPE);
    const size_t info = dib + WMF_BODY + 2 * 11;
    const unsigned objects = Get16(w, WMF_OBJECTS);
    std::string placeable = DrawnPlaceable();
    return {
        {"WMF: a state record retyped as text", Set16(w, state + 4, META_EXTTEXTOUT)},
        {"WMF: a state record retyped as a bitmap", Set16(w, state + 4, META_STRETCHDIB)},
        {"WMF: an object selected past the table", Set16(w, select + WMF_BODY, objects)},
        {"WMF: a header with no objects", Set16(w, WMF_OBJECTS, 0)},
        {"WMF: text longer than its record", Set16(w, text + WMF_BODY, 0x7FF0)},
        {"WMF: a negative text length", Set16(w, text + WMF_BODY, 0x8000)},
        {"WMF: options that add a rectangle", Set16(Set16(w, extText + WMF_BODY + 4, Get32(w, extText) * 2),
                                                    extText + WMF_BODY + 6, ETO_OPAQUE)},
        {"WMF: more points than the record", Set16(w, poly + WMF_BODY, 0xFFFF)},
        {"WMF: polygon counts above the points", Set16(w, polys + WMF_BODY + 2, 0x7FFF)},
        {"WMF: a colour table past the record", Set32(w, info + 32, 0x100000)},
        {"WMF: bitmap rows past the record", Set32(w, info + 8, 0x7FFF)},
        {"WMF: region bands past the record", Set16(w, region + WMF_BODY + 2 * 5, 0x7FFF)},
        {"WMF: palette entries past the record", Set16(w, palette + WMF_BODY + 2, 0x4000)},
        {"WMF: escape data past the record", Set16(w, escape + WMF_BODY + 2, 0xFFFF)},
        {"WMF: a brush whose hatch would be taken for a bitmap's address",
         Set16(w, WindowsRecord(w, META_CREATEBRUSHINDIRECT) + WMF_BODY, BS_DIBPATTERNPT)},
        {"placeable: an object selected past the table", Set16(placeable, 22 + select + WMF_BODY, objects + 3)},
        {"carried: an object selected past the table of the picture it carries", CarriedDamaged()},
    };
}

std::vector<DAMAGEDFILE> GiantFigures()
{
    const int huge = 1000000;
    std::vector<DAMAGEDFILE> figures;
    for (int kind = 0; kind < 5; kind++) {
        RECT frame = {0, 0, 4000, 3000};
        HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, NULL);
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
        HGDIOBJ oldBrush = SelectObject(dc, blue);
        Rectangle(dc, 0, 0, 100, 80);
        HPEN wide = CreatePen(PS_SOLID, kind == 4 ? 10 * huge : 3, RGB(200, 0, 0));
        HGDIOBJ oldPen = SelectObject(dc, wide);
        const char *what = "";
        switch (kind) {
        case 0:
            what = "an ellipse";
            Ellipse(dc, 10, 10, huge, huge);
            break;
        case 1:
            what = "an arc";
            Arc(dc, 10, 10, huge, huge, 0, 0, 5, 5);
            break;
        case 2:
            what = "a pie";
            Pie(dc, -huge, -huge, huge, huge, 0, 0, 5, 5);
            break;
        case 3:
            what = "an angle arc";
            AngleArc(dc, 50, 50, (DWORD)huge, 0, 270);
            break;
        default:
            what = "a pen";
            LineTo(dc, 50, 50);
            break;
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(wide);
        DeleteObject(blue);
        HENHMETAFILE emf = CloseEnhMetaFile(dc);
        figures.push_back({what, EnhancedBits(emf)});
        DeleteEnhMetaFile(emf);
    }
    return figures;
}

std::string ChangedRecords(const std::string &metafile, unsigned seed)
{
    static const unsigned telling[] = {0, 1, 2, 3, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF,
                                       0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF0u};
    if (!IsEnhanced(metafile) && metafile.size() > 22 && Get32(metafile, 0) == 0x9AC6CDD7)
        return metafile.substr(0, 22) + ChangedRecords(metafile.substr(22), seed);
    std::mt19937 random(seed);
    std::string b = metafile;
    std::vector<size_t> records = Records(b);
    const bool enhanced = IsEnhanced(b);
    const size_t body = enhanced ? EMF_BODY : WMF_BODY;
    if (records.empty())
        return b;

    for (int changes = 1 + (int)(random() % 3); changes > 0; changes--) {
        size_t at = records[random() % records.size()];
        size_t size = enhanced ? Get32(b, at + 4) : 2 * Get32(b, at);
        size_t other = records[random() % records.size()];
        switch (random() % 6) {
        case 0:   /* another type, the size kept */
            if (enhanced)
                b = Set32(b, at, Get32(b, other));
            else
                b = Set16(b, at + 4, Get16(b, other + 4));
            break;
        case 1:   /* a header's object count */
            b = enhanced ? Set16(b, EMF_HANDLES, random() % 4) : Set16(b, WMF_OBJECTS, random() % 4);
            break;
        case 2:
        case 3:   /* a telling number in a field */
            if (size >= body + 4) {
                size_t field = body + (random() % ((size - body) / 2 - 1)) * 2;
                unsigned v = telling[random() % (sizeof telling / sizeof telling[0])];
                b = enhanced && field % 4 == 0 && field + 4 <= size ? Set32(b, at + field, v) : Set16(b, at + field, v);
            }
            break;
        default:   /* a byte */
            if (size > body)
                b[at + body + random() % (size - body)] = (char)random();
            break;
        }
    }
    /* a picture carried in comments is taken only while the words sum to 0 */
    if (!enhanced && b.size() > CARRIED_SUM + 2 && Get16(b, 18 + 4) == META_ESCAPE &&
        Get16(b, 18 + 6) == MFCOMMENT) {
        unsigned sum = 0;
        for (size_t i = 0; i + 1 < b.size(); i += 2)
            sum += Get16(b, i);
        b = Set16(b, CARRIED_SUM, (Get16(b, CARRIED_SUM) - sum) & 0xFFFF);
    }
    return b;
}

} // namespace zvtest
