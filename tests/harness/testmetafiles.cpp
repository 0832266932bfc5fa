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
    if (enhanced) {
        /* without a mask, as GDI writes it: offBmiMask 0 */
        POINT slanted[] = {{110, 2}, {125, 6}, {106, 16}};
        PlgBlt(dc, slanted, memory, 0, 0, 10, 10, NULL, 0, 0);
    }
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

/* What draw does, as GDI records it in an enhanced or a Windows metafile. */
std::string RecordedEnhanced(void (*draw)(HDC))
{
    RECT frame = {0, 0, 4000, 3000};
    HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, NULL);
    draw(dc);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    std::string bytes = EnhancedBits(emf);
    DeleteEnhMetaFile(emf);
    return bytes;
}

std::string RecordedWindows(void (*draw)(HDC))
{
    HDC dc = CreateMetaFileA(NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, 150, 110, NULL);
    draw(dc);
    HMETAFILE wmf = CloseMetaFile(dc);
    std::string bytes(GetMetaFileBitsEx(wmf, 0, NULL), '\0');
    GetMetaFileBitsEx(wmf, (UINT)bytes.size(), &bytes[0]);
    DeleteMetaFile(wmf);
    return bytes;
}

/* A 4 x 2 DIB at 8 bits: colours palette indices (DIB_PAL_COLORS) or
 * RGB entries, then plain rows or runLength bytes of RLE8. */
std::string SmallDib(int colours, bool indices, int runLength)
{
    std::string s;
    PutU32(s, 40);
    PutU32(s, 4);
    PutU32(s, 2);
    PutU16(s, 1);
    PutU16(s, 8);
    PutU32(s, runLength ? BI_RLE8 : BI_RGB);
    PutU32(s, runLength ? (unsigned)runLength : 8);
    PutU32(s, 0);
    PutU32(s, 0);
    PutU32(s, (unsigned)colours);
    PutU32(s, 0);
    for (int i = 0; i < colours; i++)
        indices ? PutU16(s, (unsigned)i) : PutU32(s, 0x2244CCu * (unsigned)(i + 1));
    static const char runs[] = {4, 1, 0, 0, 4, 1, 0, 1};   /* rows of colour 1, then the end */
    if (runLength)
        s.append(runs, (size_t)runLength);
    else
        s.append(8, '\1');
    return s;
}

void StretchSmall(HDC dc, const std::string &dib, UINT usage)
{
    size_t header = 40 + (size_t)(usage == DIB_PAL_COLORS ? 2 : 4) * Get32(dib, 32);
    StretchDIBits(dc, 10, 10, 40, 20, 0, 0, 4, 2, dib.data() + header, (const BITMAPINFO *)dib.data(), usage,
                  SRCCOPY);
}

/* A copy of an enhanced metafile with the record at at replaced. */
std::string WithRecord(const std::string &emf, size_t at, const std::string &record)
{
    std::string b = emf.substr(0, at) + record + emf.substr(at + Get32(emf, at + 4));
    return Set32(b, offsetof(ENHMETAHEADER, nBytes), (unsigned)b.size());
}

/* The first region record of the type given rects scattered small rectangles. */
std::string WithScatteredRegion(const std::string &emf, unsigned type, unsigned rects)
{
    const size_t at = EnhancedRecord(emf, type), data = offsetof(EMRFILLRGN, RgnData);
    const size_t fixed = type == EMR_EXTSELECTCLIPRGN ? offsetof(EMREXTSELECTCLIPRGN, RgnData) : data;
    std::string r = emf.substr(at, fixed), region;
    PutU32(region, sizeof(RGNDATAHEADER));
    PutU32(region, RDH_RECTANGLES);
    PutU32(region, rects);
    PutU32(region, rects * sizeof(RECT));
    const unsigned bound[] = {0, 0, 1000, 1000};
    for (unsigned v : bound)
        PutU32(region, v);
    for (unsigned i = 0; i < rects; i++) {
        unsigned x = i * 7919 % 997, y = i * 104729 % 991;
        const unsigned box[] = {x, y, x + 2, y + 2};
        for (unsigned v : box)
            PutU32(region, v);
    }
    r = Set32(r, 4, (unsigned)(fixed + region.size()));
    r = Set32(r, type == EMR_EXTSELECTCLIPRGN ? offsetof(EMREXTSELECTCLIPRGN, cbRgnData)
                                              : offsetof(EMRFILLRGN, cbRgnData),
              (unsigned)region.size());
    return WithRecord(emf, at, r + region);
}

/* A plain Windows metafile of the records (each a whole record), with the
 * header that counts them; objects: the header's object count. */
std::string PlainWindows(const std::vector<std::string> &records, unsigned objects = 1)
{
    std::string body, head;
    size_t longest = 0;
    for (const std::string &r : records) {
        body += r;
        longest = r.size() > longest ? r.size() : longest;
    }
    PutU16(head, 1);      /* in memory */
    PutU16(head, 9);      /* header words */
    PutU16(head, 0x300);
    PutU32(head, (unsigned)((18 + body.size()) / 2));
    PutU16(head, objects);
    PutU32(head, (unsigned)(longest / 2));
    PutU16(head, 0);
    return head + body;
}

/* A Windows metafile record: its function and parameter words. */
std::string WindowsRecordOf(unsigned function, const std::vector<unsigned> &parms)
{
    std::string r;
    PutU32(r, (unsigned)(3 + parms.size()));
    PutU16(r, function);
    for (unsigned p : parms)
        PutU16(r, p);
    return r;
}

/* A comment that carries the first chunk of an enhanced metafile of
 * total bytes in two chunks, holding piece of them, words long. */
std::string FirstChunk(unsigned words, unsigned piece, unsigned total)
{
    std::vector<unsigned> parms = {MFCOMMENT, (words - 5) * 2, 0x4D57, 0x4346, 1, 0, 0, 1, 0, 0, 0,
                                   2, 0, piece & 0xFFFF, piece >> 16, (total - piece) & 0xFFFF,
                                   (total - piece) >> 16, total & 0xFFFF, total >> 16};
    parms.resize(words - 3, 0);
    return WindowsRecordOf(META_ESCAPE, parms);
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
    return RecordedWindows([](HDC dc) { DrawScene(dc, false); });
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

/* A 4 x 2 run-length bitmap whose header says 65536 x 65537 pixels, drawn
 * by SetDIBitsToDevice or StretchDIBits. */
static std::string HugeRunLength(bool set)
{
    std::string emf = set ? RecordedEnhanced([](HDC dc) {
        std::string dib = SmallDib(2, false, 8);
        SetDIBitsToDevice(dc, 10, 10, 4, 2, 0, 0, 0, 2, dib.data() + 48, (const BITMAPINFO *)dib.data(),
                          DIB_RGB_COLORS);
    })
                          : RecordedEnhanced([](HDC dc) { StretchSmall(dc, SmallDib(2, false, 8), DIB_RGB_COLORS); });
    const size_t at = EnhancedRecord(emf, set ? EMR_SETDIBITSTODEVICE : EMR_STRETCHDIBITS);
    if (at == std::string::npos)
        return emf;
    const size_t info = at + Get32(emf, at + (set ? offsetof(EMRSETDIBITSTODEVICE, offBmiSrc)
                                                  : offsetof(EMRSTRETCHDIBITS, offBmiSrc)));
    return Set32(Set32(emf, info + 4, 65536), info + 8, 65537);
}

/* The drawn picture's PlgBlt, without a mask, whose type, size and bounds
 * read as a mask header the platform takes: 8 bits, one plane, BI_RGB. */
static std::string HeaderAtStart(const std::string &e)
{
    const size_t at = EnhancedRecord(e, EMR_PLGBLT);
    if (at == std::string::npos)
        return e;
    std::string b = Set32(e, at + offsetof(EMRPLGBLT, rclBounds.left), 10);
    b = Set32(b, at + offsetof(EMRPLGBLT, rclBounds.top), 0x00080001);
    return Set32(b, at + offsetof(EMRPLGBLT, rclBounds.right), BI_RGB);
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
        {"EMF: run-length bits of 65536 x 65537 pixels to stretch", HugeRunLength(false)},
        {"EMF: run-length bits of 65536 x 65537 pixels to set", HugeRunLength(true)},
        {"EMF: a region of 8,193 scattered rectangles to fill", WithScatteredRegion(e, EMR_FILLRGN, 8193)},
        {"EMF: a clip region of 8,193 scattered rectangles", WithScatteredRegion(e, EMR_EXTSELECTCLIPRGN, 8193)},
        {"EMF: a mask-less PlgBlt whose own first bytes read as a mask's header", HeaderAtStart(e)},
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
        {"WMF: a comment whose chunk header runs into the next record",
         PlainWindows({WindowsRecordOf(META_ESCAPE, {MFCOMMENT, 2, 0x4D57}),
                       WindowsRecordOf(1, std::vector<unsigned>(0x4346 - 3, 0)), WindowsRecordOf(0, {})})},
        {"WMF: a 5-word comment at the very end of a 4,096-byte file",
         PlainWindows({FirstChunk(2034, 4024, 4124), WindowsRecordOf(META_ESCAPE, {MFCOMMENT, 0})})},
        {"WMF: a bitmap of 3 palette indices",
         RecordedWindows([](HDC dc) { StretchSmall(dc, SmallDib(3, true, 0), DIB_PAL_COLORS); })},
        {"WMF: a selected pattern brush of 3 palette indices", RecordedWindows([](HDC dc) {
             HBRUSH brush = CreateDIBPatternBrushPt(SmallDib(3, true, 0).data(), DIB_PAL_COLORS);
             HGDIOBJ old = SelectObject(dc, brush);
             Rectangle(dc, 10, 10, 60, 40);
             SelectObject(dc, old);
             DeleteObject(brush);
         })},
        {"WMF: run-length bits of 6 bytes",
         RecordedWindows([](HDC dc) { StretchSmall(dc, SmallDib(2, false, 6), DIB_RGB_COLORS); })},
    };
}

/* Scale the world transform by times (GM_ADVANCED). */
static void Scaled(HDC dc, float times)
{
    SetGraphicsMode(dc, GM_ADVANCED);
    XFORM scale = {times, 0, 0, times, 0, 0};
    SetWorldTransform(dc, &scale);
}

/* The picture's first world transform made one the platform cannot
 * invert: denormal scales, whose determinant is far inside its limit, and
 * a shift of 10 units, beside which an arc's corners fall together. */
static std::string Degenerate(std::string emf)
{
    const size_t at = EnhancedRecord(emf, EMR_SETWORLDTRANSFORM);
    if (at == std::string::npos)
        return emf;
    const unsigned denormal = 0x00000100, ten = 0x41200000;
    const size_t fields[] = {offsetof(EMRSETWORLDTRANSFORM, xform.eM11), offsetof(EMRSETWORLDTRANSFORM, xform.eM22),
                             offsetof(EMRSETWORLDTRANSFORM, xform.eDx), offsetof(EMRSETWORLDTRANSFORM, xform.eDy)};
    for (int i = 0; i < 4; i++)
        emf = Set32(emf, at + fields[i], i < 2 ? denormal : ten);
    return emf;
}

/* The picture's fonts made height pixels high. */
static std::string FontsOf(std::string emf, int height)
{
    for (int n = 0;; n++) {
        const size_t at = EnhancedRecord(emf, EMR_EXTCREATEFONTINDIRECTW, n);
        if (at == std::string::npos)
            return emf;
        emf = Set32(emf, at + offsetof(EMREXTCREATEFONTINDIRECTW, elfw.elfLogFont.lfHeight), (unsigned)-height);
    }
}

std::vector<DAMAGEDFILE> GiantFigures()
{
    const int huge = 1000000;
    std::vector<DAMAGEDFILE> figures;
    for (int kind = 0; kind < 10; kind++) {
        RECT frame = {0, 0, 4000, 3000};
        HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, NULL);
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
        HGDIOBJ oldBrush = SelectObject(dc, blue);
        Rectangle(dc, 0, 0, 100, 80);
        const int widths[] = {3, 3, 3, 3, 10 * huge, 1000, 3000, 1900, 3, 3};
        HPEN wide = CreatePen(PS_SOLID, widths[kind], RGB(200, 0, 0));
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
        case 4:
            what = "a pen";
            LineTo(dc, 50, 50);
            break;
        case 5:
            what = "a pen of 1,000 units then a transform x50, an ellipse";
            Scaled(dc, 50);
            Ellipse(dc, 0, 0, 50, 50);
            break;
        case 6:
            what = "a pen of 3,000 units then a transform x1,000, a rectangle";
            Scaled(dc, 1000);
            Rectangle(dc, 0, 0, 50, 50);
            break;
        case 7:
            what = "1,000 ellipses just inside the far bound with a 1,900-pixel pen";
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            for (int i = 0; i < 1000; i++)
                Ellipse(dc, -65000, -65000, 65000, 65000);
            break;
        case 8:
            what = "40 fonts of 12,000 pixels, 62 characters each";
            for (int i = 0; i < 40; i++) {
                HFONT font = CreateFontA(-12 - i, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
                HGDIOBJ oldFont = SelectObject(dc, font);
                const char *letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
                TextOutA(dc, 0, 200, letters, 62);
                SelectObject(dc, oldFont);
                DeleteObject(font);
            }
            break;
        default:
            what = "an arc under a transform the platform cannot invert";
            Scaled(dc, 2);
            BeginPath(dc);
            MoveToEx(dc, 10, 10, NULL);
            ArcTo(dc, 0, 0, 40, 40, 0, 0, 40, 40);
            EndPath(dc);
            StrokePath(dc);
            break;
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(wide);
        DeleteObject(blue);
        HENHMETAFILE emf = CloseEnhMetaFile(dc);
        std::string bytes = EnhancedBits(emf);
        DeleteEnhMetaFile(emf);
        figures.push_back({what, kind == 8 ? FontsOf(bytes, 12000) : kind == 9 ? Degenerate(bytes) : bytes});
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
