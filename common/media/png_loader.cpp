/*
 * png_loader.cpp - PNG files and "PNGFILE" resources as screen-compatible
 * bitmaps, their size, and the PNG and zlib version texts.  Every colour
 * type ends as opaque blue, green, red, 255 pixels: transparency is
 * composited onto a background colour.
 */
#include <windows.h>
#include <stdlib.h>
#include <stdio.h>
#include <string.h>
#include <setjmp.h>
#include <png.h>
#include <zlib.h>

#include "pictures.h"
#include "settings.h"

/* zlib's own copyright line; zlib.h does not declare it. */
extern "C" const char deflate_copyright[];

namespace zv {

/* Where user_read_fn takes its bytes from; one decode runs at a time. */
static int fReadFromFile;
static DWORD dwReadOffset;
static DWORD dwResourceSize;
/* The system's reason when reading the file failed; 0 when it did not. */
static DWORD dwReadError;

static void user_read_fn(png_structp png, png_bytep dst, png_size_t count)
{
    HANDLE source = (HANDLE)png_get_io_ptr(png);

    /* libpng expects every request filled: a source that ends early is
     * a damaged picture, not a partial read. */
    if (fReadFromFile) {
        DWORD got = 0;
        if (count <= 0xFFFFFFFFu && !ReadFile(source, dst, (DWORD)count, &got, NULL))
            dwReadError = GetLastError();
        if (dwReadError || got != count)
            png_error(png, "Read Error: the file ends early");
    } else {
        const BYTE *bytes = (const BYTE *)LockResource((HGLOBAL)source);
        if (!bytes || dwReadOffset > dwResourceSize || count > dwResourceSize - dwReadOffset)
            png_error(png, "Read Error: the resource ends early");
        memcpy_s(dst, count, bytes + dwReadOffset, count);
        dwReadOffset += (DWORD)count;
    }
}

static void user_error_fn(png_structp png, png_const_charp message)
{
    pfnMessageBoxA(GetDesktopWindow(), message, "Zorvan", MB_OK | MB_ICONERROR);
    png_longjmp(png, 1);
}

static void user_warning_fn(png_structp, png_const_charp)
{
}

static png_voidp malloc_fn(png_structp, png_alloc_size_t size)
{
    return size ? calloc(1, size) : NULL;
}

static void free_fn(png_structp, png_voidp block)
{
    if (block)
        free(block);
}

/* What a decode that libpng gave up on leaves as the last error: the
 * read's own reason, else invalid data (the box shown meanwhile leaves
 * none of its own). */
static void SetDecodeError(void)
{
    SetLastError(dwReadError ? dwReadError : ERROR_INVALID_DATA);
}

static png_structp CreateReader(void)
{
    dwReadError = 0;
    return png_create_read_struct_2(PNG_LIBPNG_VER_STRING, NULL, user_error_fn,
                                    user_warning_fn, NULL, malloc_fn, free_fn);
}

static void StartReading(png_structp png, png_infop info, HANDLE source, int sigBytes,
                         png_uint_32 *width, png_uint_32 *height, int *depth, int *type)
{
    int interlace;

    png_set_read_fn(png, source, user_read_fn);
    png_set_sig_bytes(png, sigBytes);
    png_read_info(png, info);
    png_get_IHDR(png, info, width, height, depth, type, &interlace, NULL, NULL);
}

/* The screen is taken as sRGB; a file without a word on its gamma as 1/2.2. */
static void SetGamma(png_structp png, png_infop info)
{
    int intent;
    double gamma;

    if (png_get_sRGB(png, info, &intent))
        png_set_gamma(png, PNG_DEFAULT_sRGB, PNG_DEFAULT_sRGB);
    else if (png_get_gAMA(png, info, &gamma))
        png_set_gamma(png, PNG_DEFAULT_sRGB, gamma);
    else
        png_set_gamma(png, PNG_DEFAULT_sRGB, 0.45454545454545453);
}

static void SetBackground(png_structp png, png_infop info)
{
    png_color_16p fileBackground;

    if (png_get_bKGD(png, info, &fileBackground)) {
        png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    } else {
        DWORD light = GetSysColor(COLOR_3DLIGHT);
        png_color_16 background;
        background.index = 0;
        background.red = GetRValue(light);
        background.green = GetGValue(light);
        background.blue = GetBValue(light);
        background.gray = 128;
        png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
}

HBITMAP read_png_file(HANDLE source, int sigBytes)
{
    png_structp png;
    png_infop info;
    png_uint_32 width, height, i;
    int depth, type;
    BYTE *volatile pixels = NULL;
    png_bytep *volatile rows = NULL;
    HBITMAP volatile bitmap = NULL;
    BITMAPV4HEADER header;
    HDC hdc;

    png = CreateReader();
    if (!png)
        return NULL;
    info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, NULL, NULL);
        return NULL;
    }
    if (setjmp(png_jmpbuf(png))) {
        /* An error after the bitmap was made (in png_read_end) takes it too. */
        if (bitmap)
            DeleteObject(bitmap);
        png_destroy_read_struct(&png, &info, NULL);
        free(rows);
        free(pixels);
        SetDecodeError();
        return NULL;
    }

    StartReading(png, info, source, sigBytes, &width, &height, &depth, &type);
    SetGamma(png, info);
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) {
        if (type == PNG_COLOR_TYPE_GRAY && depth < 8)
            png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
        if (type == PNG_COLOR_TYPE_GRAY)
            png_set_expand(png);
    }
    png_set_scale_16(png);
    SetBackground(png, info);
    if (depth > 8) {
        png_set_swap(png);
    } else if (depth < 8) {
        png_set_packing(png);
        png_set_packswap(png);
    }
    png_set_filler(png, 255, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);

    /* GDI sizes are signed 32-bit numbers: width x height x 4 must fit
     * before anything is allocated for it. */
    if ((unsigned long long)width * height * 4 > 0x7FFFFFFFull)
        png_error(png, "Image too large");
    if (png_get_rowbytes(png, info) != (png_size_t)width * 4)
        png_error(png, "Unexpected row format");

    pixels = (BYTE *)calloc((size_t)width * height, 4);
    rows = (png_bytep *)calloc(height, sizeof(png_bytep));
    if (!pixels || !rows) {
        png_destroy_read_struct(&png, &info, NULL);
        free(rows);
        free(pixels);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return NULL;
    }
    for (i = 0; i < height; i++)
        rows[i] = pixels + (size_t)i * width * 4;

    ZeroMemory(&header, sizeof header);
    header.bV4Size = sizeof header;
    header.bV4Width = (LONG)width;
    header.bV4Height = -(LONG)height;
    header.bV4Planes = 1;
    header.bV4BitCount = 32;
    header.bV4V4Compression = BI_RGB;

    png_read_image(png, rows);

    hdc = GetDC(GetDesktopWindow());
    bitmap = CreateDIBitmap(hdc, (BITMAPINFOHEADER *)&header, CBM_INIT, pixels,
                            (BITMAPINFO *)&header, DIB_RGB_COLORS);
    ReleaseDC(GetDesktopWindow(), hdc);

    png_read_end(png, NULL);
    png_destroy_read_struct(&png, &info, NULL);
    free(rows);
    free(pixels);
    return bitmap;
}

int read_png_header(HANDLE source, int sigBytes, UINT *width, UINT *height)
{
    png_structp png;
    png_infop info;
    png_uint_32 w, h;
    int depth, type;

    png = CreateReader();
    if (!png)
        return 0;
    info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, NULL, NULL);
        return 0;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, NULL);
        SetDecodeError();
        return 0;
    }
    StartReading(png, info, source, sigBytes, &w, &h, &depth, &type);
    *width = w;
    *height = h;
    png_destroy_read_struct(&png, &info, NULL);
    return 1;
}

/* Opens path and checks its first four bytes; NULL when it is no PNG. */
static HANDLE OpenPNGFile(const char *path)
{
    BYTE sig[4];
    DWORD got = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, NULL);

    if (file != INVALID_HANDLE_VALUE) {
        fReadFromFile = 1;
        if (ReadFile(file, sig, sizeof sig, &got, NULL) && got == sizeof sig &&
            png_sig_cmp(sig, 0, sizeof sig) == 0)
            return file;
        CloseHandle(file);
    }
    SetLastError(ERROR_BAD_FORMAT);
    return NULL;
}

static void CloseKeepingError(HANDLE file)
{
    DWORD err = GetLastError();
    CloseHandle(file);
    SetLastError(err);
}

HBITMAP LoadPNG(const char *path)
{
    HANDLE file = OpenPNGFile(path);
    HBITMAP bitmap;

    if (!file)
        return NULL;
    bitmap = read_png_file(file, 4);
    CloseKeepingError(file);
    return bitmap;
}

int GetPNGSize(const char *path, UINT *width, UINT *height)
{
    HANDLE file = OpenPNGFile(path);
    int ok;

    if (!file)
        return 0;
    ok = read_png_header(file, 4, width, height);
    CloseKeepingError(file);
    return ok;
}

HBITMAP LoadPNGImage(HMODULE module, const char *name)
{
    HRSRC found = FindResourceA(module, name, "PNGFILE");
    HGLOBAL loaded;
    const BYTE *bytes;
    BYTE sig[4];

    loaded = found ? LoadResource(module, found) : NULL;
    bytes = loaded ? (const BYTE *)LockResource(loaded) : NULL;
    dwResourceSize = found ? SizeofResource(module, found) : 0;
    if (!bytes || dwResourceSize < sizeof sig) {
        SetLastError(ERROR_BAD_FORMAT);
        return NULL;
    }
    memcpy_s(sig, sizeof sig, bytes, sizeof sig);
    dwReadOffset = sizeof sig;
    fReadFromFile = 0;
    if (png_sig_cmp(sig, 0, sizeof sig) != 0) {
        SetLastError(ERROR_BAD_FORMAT);
        return NULL;
    }
    return read_png_file((HANDLE)loaded, 4);
}

const char *PNGVersion(void)
{
    static char pver[1024];

    snprintf(pver, sizeof pver, "%s", png_get_copyright(NULL));
    return pver;
}

const char *ZLIBVersion(void)
{
    static char zver[256];
    const char *line = strstr(deflate_copyright, "Copyright");
    size_t len;

    if (!line)
        line = deflate_copyright;
    len = strlen(line);
    while (len && line[len - 1] == ' ')
        len--;
    snprintf(zver, sizeof zver, "ZLIB version %s\n%.*s\n", zlibVersion(), (int)len, line);
    return zver;
}

} // namespace zv
