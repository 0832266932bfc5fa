/*
 * filecheck.cpp - BMP and icon files checked against their own size
 * before LoadImageA or ExtractIconA reads them, and the choice of check
 * for a file the icon extraction gets (programs: programcheck.cpp).
 * Nothing in a file is trusted: every count, size and offset is compared
 * in 64 bits with the bytes that are really there.
 */
#include "filecheck.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

namespace zv {

WORD LeWord(const BYTE *p)
{
    return (WORD)(p[0] | p[1] << 8);
}

DWORD LeDword(const BYTE *p)
{
    return (DWORD)p[0] | (DWORD)p[1] << 8 | (DWORD)p[2] << 16 | (DWORD)p[3] << 24;
}

ULONGLONG DibColourTableBytes(const BITMAPINFOHEADER *header)
{
    ULONGLONG colours = header->biClrUsed;
    if (!colours)
        colours = header->biBitCount == 1 ? 2 : header->biBitCount == 4 ? 16 : header->biBitCount == 8 ? 256 : 0;
    return 4 * colours;
}

ULONGLONG DibRowBytes(ULONGLONG width, ULONGLONG bits)
{
    return (width * bits + 31) / 32 * 4;
}

/* ---- icons ---- */

/* The platform's colour table of an info header: biClrUsed entries, at
 * most 256, or a full table for 8 bits and fewer; bit fields add their
 * three masks. */
static ULONGLONG IconInfoHeaderBytes(const BYTE *head, ULONGLONG headerSize, ULONGLONG bits)
{
    enum { INFOHEADER = sizeof(BITMAPINFOHEADER), MOST_COLOURS = 256 };
    ULONGLONG colours = LeDword(head + offsetof(BITMAPINFOHEADER, biClrUsed));
    if (colours > MOST_COLOURS)
        colours = MOST_COLOURS;
    if (!colours && bits <= 8)
        colours = 1ull << bits;
    if (LeDword(head + offsetof(BITMAPINFOHEADER, biCompression)) == BI_BITFIELDS && headerSize < INFOHEADER + 12)
        headerSize = INFOHEADER + 12;
    return headerSize + 4 * colours;
}

int IconImageShape(const BYTE *head, DWORD size, ICONSHAPE *shape)
{
    enum { COREHEADER = sizeof(BITMAPCOREHEADER), INFOHEADER = sizeof(BITMAPINFOHEADER) };
    ULONGLONG width, height, bits, colourAt;

    if (size < COREHEADER)
        return 0;
    ULONGLONG headerSize = LeDword(head);
    if (headerSize == COREHEADER) {
        width = LeWord(head + offsetof(BITMAPCOREHEADER, bcWidth));
        height = LeWord(head + offsetof(BITMAPCOREHEADER, bcHeight)) / 2;
        bits = LeWord(head + offsetof(BITMAPCOREHEADER, bcBitCount));
        /* the platform reads the word at 14, in the colour table, as an
         * info header's bit count: at 32 it looks for alpha across a
         * width this image does not have.  Deeper core images have no
         * table there, and the word is whatever its heap held. */
        if ((bits != 1 && bits != 4 && bits != 8) || size < 16 ||
            LeWord(head + offsetof(BITMAPINFOHEADER, biBitCount)) == 32)
            return 0;
        colourAt = COREHEADER + (3ull << bits);
    } else {
        LONG w = (LONG)LeDword(head + offsetof(BITMAPINFOHEADER, biWidth));
        LONG h = (LONG)LeDword(head + offsetof(BITMAPINFOHEADER, biHeight));
        if (headerSize < INFOHEADER || headerSize > size || w <= 0 || h < 2)
            return 0;
        width = (ULONGLONG)w;
        height = (ULONGLONG)(h / 2);
        /* the planes are not read */
        bits = LeWord(head + offsetof(BITMAPINFOHEADER, biBitCount));
        if (bits > 32)
            return 0;
        colourAt = IconInfoHeaderBytes(head, headerSize, bits);
    }
    /* the platform counts a row's bits in an int */
    if (width == 0 || height == 0 || bits == 0 || width * bits + 31 > 0x7FFFFFFFull)
        return 0;
    ULONGLONG colourEnd = colourAt + DibRowBytes(width, bits) * height;
    if (colourEnd > size)
        return 0;
    /* a mask not all there is no mask: the platform draws the image
     * without one, or from a 32-bit image's alpha */
    ULONGLONG maskBytes = DibRowBytes(width, 1) * height;
    shape->width = (DWORD)width;
    shape->height = (DWORD)height;
    shape->bits = (DWORD)bits;
    shape->colourAt = (DWORD)colourAt;
    shape->maskAt = (DWORD)colourEnd;
    shape->maskBytes = maskBytes <= size - colourEnd ? (DWORD)maskBytes : 0;
    return 1;
}

int IconImageFits(const BYTE *head, DWORD size)
{
    ICONSHAPE shape;
    return IconImageShape(head, size, &shape);
}

int IconGroupFits(const BYTE *head, ULONGLONG room)
{
    return room >= ICONGROUP_HEADER &&
           ICONGROUP_HEADER + (ULONGLONG)LeWord(head + 4) * ICONGROUP_ENTRY <= room;
}

int IconFileType(const BYTE *header, int *count)
{
    WORD type = LeWord(header + 2);
    if (LeWord(header) != 0 || (type != ICONFILE_ICON && type != ICONFILE_CURSOR))
        return 0;
    *count = LeWord(header + 4);
    return type;
}

int IconDirectoryFits(int count, ULONGLONG fileSize)
{
    return count >= 0 && (ULONGLONG)ICONFILE_HEADER + (ULONGLONG)count * ICONFILE_ENTRY <= fileSize;
}

int IconEntryPlace(const BYTE *entry, ULONGLONG fileSize, DWORD *offset, DWORD *size)
{
    *size = LeDword(entry + 8);
    *offset = LeDword(entry + 12);
    return *size != 0 && (ULONGLONG)*offset + *size <= fileSize;
}

/* Icons may hold PNG images, which the platform decodes whole into one
 * buffer, counting its bytes in an int: the signature and the header
 * chunk must be there, and the picture no larger than an icon is. */
enum { PNG_ICON_MOST = 4096 };
static_assert(sizeof(BITMAPINFOHEADER) + 4ull * PNG_ICON_MOST * PNG_ICON_MOST +
                      (PNG_ICON_MOST + 7) / 8 * PNG_ICON_MOST <
                  0x80000000ull,
              "4 bytes a pixel and a mask stay below 2^31 bytes");

static int PngImageFits(const BYTE *image, DWORD size)
{
    static const BYTE signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    enum { IHDR_END = 8 + 8 + 13 + 4, WIDTH_AT = 16, HEIGHT_AT = 20 };
    if (size < IHDR_END || memcmp(image, signature, sizeof signature) != 0 || memcmp(image + 12, "IHDR", 4) != 0)
        return 0;
    DWORD width = _byteswap_ulong(LeDword(image + WIDTH_AT)), height = _byteswap_ulong(LeDword(image + HEIGHT_AT));
    return width >= 1 && width <= PNG_ICON_MOST && height >= 1 && height <= PNG_ICON_MOST;
}

static int IsPng(const BYTE *image, DWORD size)
{
    return size >= 4 && image[0] == 0x89 && image[1] == 'P' && image[2] == 'N' && image[3] == 'G';
}

int IconImageDataFits(const BYTE *head, DWORD size)
{
    return IsPng(head, size) ? PngImageFits(head, size) : IconImageFits(head, size);
}

int IconFileFits(const BYTE *data, ULONGLONG size)
{
    int count = 0;

    if (size < ICONFILE_HEADER || !IconFileType(data, &count) || count == 0 || !IconDirectoryFits(count, size))
        return 0;
    for (int i = 0; i < count; i++) {
        DWORD offset, bytes;
        if (!IconEntryPlace(data + ICONFILE_HEADER + i * ICONFILE_ENTRY, size, &offset, &bytes))
            return 0;
        if (!IconImageDataFits(data + offset, bytes))
            return 0;
    }
    return 1;
}

/* ---- bitmaps ---- */

int BitmapFileFits(const BYTE *head, size_t headBytes, ULONGLONG fileSize)
{
    enum { FILEHEADER = 14, COREHEADER = 12, INFOHEADER = 40 };

    if (headBytes > fileSize || headBytes < FILEHEADER + 4 || head[0] != 'B' || head[1] != 'M')
        return 0;
    ULONGLONG offBits = LeDword(head + 10), infoSize = LeDword(head + 14);
    ULONGLONG width, height, bits, colours, entry, compression, sizeImage = 0;
    int topDown = 0;
    if (infoSize == COREHEADER) {
        if (headBytes < FILEHEADER + COREHEADER)
            return 0;
        width = LeWord(head + 18);
        height = LeWord(head + 20);
        bits = LeWord(head + 24);
        compression = BI_RGB;
        colours = 0;
        entry = 3;
    } else if (infoSize >= INFOHEADER) {
        if (headBytes < FILEHEADER + INFOHEADER)
            return 0;
        LONG w = (LONG)LeDword(head + 18), h = (LONG)LeDword(head + 22);
        if (w <= 0)
            return 0;
        width = (ULONGLONG)w;
        topDown = h < 0;
        height = topDown ? (ULONGLONG)(-(LONGLONG)h) : (ULONGLONG)h;
        bits = LeWord(head + 28);
        compression = LeDword(head + 30);
        sizeImage = LeDword(head + 34);
        colours = LeDword(head + 46);
        entry = 4;
    } else {
        return 0;
    }
    if (width == 0 || height == 0)
        return 0;
    if (!colours && bits <= 8)
        colours = 1ull << bits;

    ULONGLONG masks = 0;
    int packed = 0;
    switch (compression) {
    case BI_RGB:
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return 0;
        break;
    case BI_BITFIELDS:
        if (bits != 16 && bits != 32)
            return 0;
        /* the three masks follow a plain info header; later headers hold them */
        if (infoSize == INFOHEADER)
            masks = 12;
        break;
    case BI_RLE8:
    case BI_RLE4:
        /* packed rows run bottom-up, as many bytes as the header says */
        if (bits != (compression == BI_RLE8 ? 8u : 4u) || topDown || sizeImage == 0)
            return 0;
        packed = 1;
        break;
    default:
        return 0;
    }

    ULONGLONG headers = FILEHEADER + infoSize + masks + entry * colours;
    if (headers > fileSize)
        return 0;
    /* no offset: the pixels follow the colour table */
    if (offBits == 0)
        offBits = headers;
    if (offBits < headers || offBits > fileSize)
        return 0;
    ULONGLONG room = fileSize - offBits;
    if (packed)
        return sizeImage <= room;
    return height <= room / DibRowBytes(width, bits);
}

/* ---- files ---- */

HANDLE OpenForCheck(const char *path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

int ReadAt(HANDLE file, ULONGLONG offset, void *buffer, DWORD size, DWORD *got)
{
    LARGE_INTEGER to;
    to.QuadPart = (LONGLONG)offset;
    *got = 0;
    return SetFilePointerEx(file, to, NULL, FILE_BEGIN) && ReadFile(file, buffer, size, got, NULL);
}

int Damaged(void)
{
    SetLastError(ERROR_INVALID_DATA);
    return 0;
}

int BitmapFileLoadable(const char *path)
{
    BYTE head[BMP_HEAD_BYTES];
    LARGE_INTEGER size;
    DWORD got = 0;

    HANDLE file = OpenForCheck(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int read = GetFileSizeEx(file, &size) && ReadAt(file, 0, head, sizeof head, &got);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!read) {
        SetLastError(error);
        return 0;
    }
    return BitmapFileFits(head, got, (ULONGLONG)size.QuadPart) ? 1 : Damaged();
}

HBITMAP LoadBitmapFile(const char *path)
{
    if (!BitmapFileLoadable(path))
        return NULL;
    /* the platform refuses some whole files (a size it cannot make, a
     * header kind it does not know) without saying why */
    SetLastError(0);
    HBITMAP bitmap = (HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!bitmap && GetLastError() == 0)
        SetLastError(ERROR_INVALID_DATA);
    return bitmap;
}

/* Larger "icon files" are no icons a disc shows: refused unread. */
enum { ICONFILE_MOST = 32 * 1024 * 1024 };

static int IconFileWhole(HANDLE file, ULONGLONG size)
{
    if (size < ICONFILE_HEADER || size > ICONFILE_MOST)
        return 0;
    BYTE *data = (BYTE *)malloc((size_t)size);
    DWORD all = 0;
    int fits = data && ReadAt(file, 0, data, (DWORD)size, &all) && all == (DWORD)size && IconFileFits(data, size);
    free(data);
    return fits;
}

enum { SOURCE_OTHER, SOURCE_ICONFILE, SOURCE_PROGRAM };

/* What the icon extraction takes a file for, by its first bytes. */
static int SourceKind(HANDLE file)
{
    static const BYTE iconHead[] = {0, 0, ICONFILE_ICON, 0}, cursorHead[] = {0, 0, ICONFILE_CURSOR, 0};
    BYTE head[4];
    DWORD got = 0;

    if (!ReadAt(file, 0, head, sizeof head, &got) || got == 0)
        return SOURCE_OTHER;
    if (got >= 2 && head[0] == 'M' && head[1] == 'Z')
        return SOURCE_PROGRAM;
    if (memcmp(head, iconHead, got) == 0 || memcmp(head, cursorHead, got) == 0)
        return SOURCE_ICONFILE;
    return SOURCE_OTHER;
}

/* 0 for an icon, cursor or program file that is not whole; 1 for a whole
 * one, for any other file and for one that cannot be opened (which fails
 * in the platform as it always did). */
static int SourceWhole(const char *path, UINT index)
{
    LARGE_INTEGER size;

    HANDLE file = OpenForCheck(path);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    int kind = SourceKind(file), whole = 1;
    if (kind != SOURCE_OTHER)
        whole = GetFileSizeEx(file, &size) && (kind == SOURCE_ICONFILE
                                                   ? IconFileWhole(file, (ULONGLONG)size.QuadPart)
                                                   : ProgramFits(file, (ULONGLONG)size.QuadPart, 1, index));
    CloseHandle(file);
    return whole;
}

int IconSourceLoadable(const char *path, UINT index)
{
    char full[MAX_PATH], found[MAX_PATH];

    if (index == (UINT)-1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!SourceWhole(path, index))
        return Damaged();
    /* ExtractIconA may look a name up along the search path: that file
     * too, when it is another one */
    DWORD n = SearchPathA(NULL, path, NULL, sizeof found, found, NULL);
    if (n == 0 || n >= sizeof found)
        return 1;
    DWORD f = GetFullPathNameA(path, sizeof full, full, NULL);
    if (f > 0 && f < sizeof full && _stricmp(full, found) == 0)
        return 1;
    return SourceWhole(found, index) ? 1 : Damaged();
}

int ProgramResourcesLoadable(const char *path)
{
    LARGE_INTEGER size;

    HANDLE file = OpenForCheck(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    int whole = SourceKind(file) == SOURCE_PROGRAM && GetFileSizeEx(file, &size) &&
                ProgramFits(file, (ULONGLONG)size.QuadPart, 0, 0);
    CloseHandle(file);
    return whole ? 1 : Damaged();
}

} // namespace zv
