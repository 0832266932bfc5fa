/*
 * jpeg_loader.cpp - JPEG files as screen-compatible bitmaps, their size
 * without decoding, and the JPEG library's version text.
 */
#include <windows.h>
#include <stdio.h>
#include <setjmp.h>
#include <jpeglib.h>
#include <jerror.h>

#include "pictures.h"

namespace zv {

/* Corrupt progressive files can carry endless scans; no real picture
 * needs this many. */
enum { JPEG_MAX_SCANS = 500 };

/* The library's standard error exit ends the whole process; this one
 * returns to the loader, which releases everything and gives NULL. */
struct JPEGERRORS {
    struct jpeg_error_mgr pub;
    jmp_buf recover;
};

static void JpegOutputMessage(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX];
    char line[JMSG_LENGTH_MAX + 8];

    (*cinfo->err->format_message)(cinfo, text);
    snprintf(line, sizeof line, "JPEG: %s\n", text);
    OutputDebugStringA(line);
}

static void JpegErrorExit(j_common_ptr cinfo)
{
    (*cinfo->err->output_message)(cinfo);
    longjmp(((JPEGERRORS *)cinfo->err)->recover, 1);
}

/* Gives up on a picture the library itself would accept. */
static void Refuse(j_decompress_ptr cinfo, const char *why)
{
    OutputDebugStringA(why);
    cinfo->err->msg_code = 0;
    longjmp(((JPEGERRORS *)cinfo->err)->recover, 1);
}

static void JpegProgress(j_common_ptr cinfo)
{
    j_decompress_ptr dinfo = (j_decompress_ptr)cinfo;

    if (dinfo->input_scan_number > JPEG_MAX_SCANS)
        Refuse(dinfo, "JPEG: too many scans\n");
}

/* Before the decompressor exists, so that even its creation returns here;
 * a zeroed record is one that destroying leaves alone. */
static void SetUpErrors(JPEGERRORS *errors, j_decompress_ptr cinfo)
{
    ZeroMemory(cinfo, sizeof *cinfo);
    cinfo->err = jpeg_std_error(&errors->pub);
    errors->pub.error_exit = JpegErrorExit;
    errors->pub.output_message = JpegOutputMessage;
}

/* Creation clears the record, progress monitor included. */
static void CreateDecompressor(j_decompress_ptr cinfo, struct jpeg_progress_mgr *progress)
{
    jpeg_create_decompress(cinfo);
    progress->progress_monitor = JpegProgress;
    cinfo->progress = progress;
}

/* What a rejected file leaves as the last error. */
static DWORD LibraryError(j_decompress_ptr cinfo)
{
    return cinfo->err->msg_code == JERR_OUT_OF_MEMORY ? ERROR_NOT_ENOUGH_MEMORY
                                                       : ERROR_BAD_FORMAT;
}

/* The library converts grey and colour pictures to three-byte pixels;
 * four-component inks (CMYK, YCCK) it cannot, and they are refused. */
static int RequestRGB(j_decompress_ptr cinfo)
{
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        cinfo->out_color_space = JCS_RGB;
        return 1;
    default:
        return 0;
    }
}

HBITMAP LoadJPEG(const char *path)
{
    struct jpeg_decompress_struct cinfo;
    struct jpeg_progress_mgr progress;
    JPEGERRORS errors;
    FILE *volatile file = NULL;
    HDC volatile hdc = NULL;
    HBITMAP volatile bitmap = NULL;
    jvirt_sarray_ptr image;
    JSAMPARRAY buffer;
    JDIMENSION rowBytes, pixelBytes, row;
    BITMAPV5HEADER header;
    unsigned long long total;

    SetUpErrors(&errors, &cinfo);
    if (setjmp(errors.recover)) {
        DWORD err = LibraryError(&cinfo);
        if (bitmap)
            DeleteObject(bitmap);
        if (hdc)
            ReleaseDC(GetDesktopWindow(), hdc);
        jpeg_destroy_decompress(&cinfo);
        if (file)
            fclose(file);
        SetLastError(err);
        return NULL;
    }
    CreateDecompressor(&cinfo, &progress);

    file = fopen(path, "rb");
    if (!file) {
        jpeg_destroy_decompress(&cinfo);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return NULL;
    }
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);

    if (!RequestRGB(&cinfo))
        Refuse(&cinfo, "JPEG: four-component picture refused\n");
    jpeg_calc_output_dimensions(&cinfo);

    /* GDI takes sizes as 32-bit signed numbers; a larger picture (or a
     * header that claims one) is refused before anything is allocated. */
    pixelBytes = cinfo.output_width * (JDIMENSION)cinfo.output_components;
    rowBytes = (pixelBytes + 3) & ~(JDIMENSION)3;
    total = (unsigned long long)rowBytes * cinfo.output_height;
    if (total == 0 || total > 0x7FFFFFFFull)
        Refuse(&cinfo, "JPEG: picture too large\n");

    image = (*cinfo.mem->request_virt_sarray)((j_common_ptr)&cinfo, JPOOL_IMAGE, FALSE,
                                              rowBytes, cinfo.output_height, 1);
    buffer = (*cinfo.mem->alloc_sarray)((j_common_ptr)&cinfo, JPOOL_IMAGE, rowBytes, 1);

    jpeg_start_decompress(&cinfo);
    for (row = 0; cinfo.output_scanline < cinfo.output_height; row++) {
        JSAMPROW src, dst;
        JDIMENSION i;

        jpeg_read_scanlines(&cinfo, buffer, 1);
        src = buffer[0];
        dst = (*cinfo.mem->access_virt_sarray)((j_common_ptr)&cinfo, image, row, 1, TRUE)[0];
        for (i = 0; i < pixelBytes; i += 3) {
            dst[i] = src[i + 2];
            dst[i + 1] = src[i + 1];
            dst[i + 2] = src[i];
        }
        for (; i < rowBytes; i++)
            dst[i] = 0;
    }

    ZeroMemory(&header, sizeof header);
    header.bV5Size = sizeof header;
    header.bV5Width = (LONG)cinfo.output_width;
    header.bV5Height = (LONG)cinfo.output_height;
    header.bV5Planes = 1;
    header.bV5BitCount = 24;
    header.bV5Compression = BI_RGB;

    hdc = GetDC(GetDesktopWindow());
    bitmap = CreateDIBitmap(hdc, (BITMAPINFOHEADER *)&header, 0, NULL, NULL, DIB_RGB_COLORS);
    if (bitmap) {
        /* The header is bottom-up: scan line 0 is the picture's last row. */
        JDIMENSION height = cinfo.output_height, k;
        for (k = 0; k < height; k++) {
            JSAMPARRAY line = (*cinfo.mem->access_virt_sarray)((j_common_ptr)&cinfo, image,
                                                               height - 1 - k, 1, FALSE);
            SetDIBits(hdc, bitmap, k, 1, line[0], (BITMAPINFO *)&header, DIB_RGB_COLORS);
        }
    } else {
        OutputDebugStringA("CreateDIBitmap() failed!\n");
    }
    ReleaseDC(GetDesktopWindow(), hdc);
    hdc = NULL;

    {
        /* A late library error takes the bitmap with it (see above). */
        HBITMAP result = bitmap;
        DWORD err = GetLastError();
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        fclose(file);
        SetLastError(err);
        return result;
    }
}

int GetJPGSize(const char *path, UINT *width, UINT *height)
{
    struct jpeg_decompress_struct cinfo;
    struct jpeg_progress_mgr progress;
    JPEGERRORS errors;
    FILE *volatile file = NULL;

    SetUpErrors(&errors, &cinfo);
    if (setjmp(errors.recover)) {
        DWORD err = LibraryError(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        if (file)
            fclose(file);
        SetLastError(err);
        return 0;
    }
    CreateDecompressor(&cinfo, &progress);

    file = fopen(path, "rb");
    if (!file) {
        jpeg_destroy_decompress(&cinfo);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    *width = cinfo.image_width;
    *height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return 1;
}

const char *JPGVersion(void)
{
    static char jver[256];
    struct jpeg_error_mgr messages;

    jpeg_std_error(&messages);
    snprintf(jver, sizeof jver, "Independent JPEG Group's JPEG software release %s\n%s\n",
             messages.jpeg_message_table[JMSG_VERSION],
             messages.jpeg_message_table[JMSG_COPYRIGHT]);
    return jver;
}

} // namespace zv
