/*
 * bench_pictures.cpp - times LoadJPEG and LoadPNG on a large picture that
 * it writes itself, against decoding the same files with the bare library
 * calls into memory, alternating the two; prints the medians and the
 * ratio loader / bare decode, and beside them what GDI alone takes to
 * make a screen bitmap of that size.
 *
 *   bench_pictures FOLDER [RUNS [WIDTH HEIGHT]]
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <setjmp.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pictures.h"

namespace zv {

namespace {

int width = 4000, height = 3000;

/* A photograph-like picture: smooth colour fields with fine texture, so
 * both encoders have real work to do. */
void PictureRow(int y, std::vector<unsigned char> &row)
{
    unsigned seed = (unsigned)y * 2654435761u;
    for (int x = 0; x < width; x++) {
        seed = seed * 1103515245u + 12345u;
        int noise = (int)(seed >> 27);
        row[x * 3] = (unsigned char)((x * 255 / width + noise) & 0xFF);
        row[x * 3 + 1] = (unsigned char)((y * 255 / height + noise / 2) & 0xFF);
        row[x * 3 + 2] = (unsigned char)(((x + y) * 128 / (width + height) + 64 + noise) & 0xFF);
    }
}

int WriteJPEG(const char *path)
{
    struct jpeg_compress_struct cinfo;
    struct jpeg_error_mgr errors;
    FILE *file = fopen(path, "wb");
    if (!file)
        return 0;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row((size_t)width * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        PictureRow((int)cinfo.next_scanline, row);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    fclose(file);
    return 1;
}

int WritePNG(const char *path)
{
    FILE *file = fopen(path, "wb");
    if (!file)
        return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row((size_t)width * 3);
    for (int y = 0; y < height; y++) {
        PictureRow(y, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    fclose(file);
    return 1;
}

/* The bare decode: stdio source, scan lines into one buffer. */
int DecodeJPEG(const char *path)
{
    struct jpeg_decompress_struct cinfo;
    struct jpeg_error_mgr errors;
    FILE *file = fopen(path, "rb");
    if (!file)
        return 0;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    size_t stride = (size_t)cinfo.output_width * cinfo.output_components;
    std::vector<unsigned char> pixels(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {&pixels[stride * cinfo.output_scanline]};
        jpeg_read_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return 1;
}

/* The bare decode: the same four-byte blue-green-red pixels as the
 * loader, without its callbacks and without the screen bitmap. */
int DecodePNG(const char *path)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return 0;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_filler(png, 255, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_read_update_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    std::vector<unsigned char> pixels((size_t)w * h * 4);
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; y++)
        rows[y] = &pixels[(size_t)y * w * 4];
    png_read_image(png, rows.data());
    png_read_end(png, NULL);
    png_destroy_read_struct(&png, &info, NULL);
    fclose(file);
    return 1;
}

/* The floor under any screen bitmap of this size: GDI's own transfer of
 * ready pixels, as each loader hands them over (JPEG: 24-bit rows one
 * scan line at a time; PNG: one 32-bit top-down block). */
double TransferJPEGRows(const std::vector<unsigned char> &rows24);
double TransferPNGBlock(const std::vector<unsigned char> &block32);

double Now()
{
    static LARGE_INTEGER frequency;
    LARGE_INTEGER t;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double TransferJPEGRows(const std::vector<unsigned char> &rows24)
{
    BITMAPV5HEADER header = {};
    header.bV5Size = sizeof header;
    header.bV5Width = width;
    header.bV5Height = height;
    header.bV5Planes = 1;
    header.bV5BitCount = 24;
    header.bV5Compression = BI_RGB;
    size_t stride = ((size_t)width * 3 + 3) & ~(size_t)3;
    double t = Now();
    HDC hdc = GetDC(GetDesktopWindow());
    HBITMAP bitmap = CreateDIBitmap(hdc, (BITMAPINFOHEADER *)&header, 0, NULL, NULL, DIB_RGB_COLORS);
    for (int k = 0; k < height; k++)
        SetDIBits(hdc, bitmap, k, 1, &rows24[stride * (height - 1 - k)], (BITMAPINFO *)&header,
                  DIB_RGB_COLORS);
    ReleaseDC(GetDesktopWindow(), hdc);
    t = Now() - t;
    DeleteObject(bitmap);
    return t;
}

double TransferPNGBlock(const std::vector<unsigned char> &block32)
{
    BITMAPV4HEADER header = {};
    header.bV4Size = sizeof header;
    header.bV4Width = width;
    header.bV4Height = -height;
    header.bV4Planes = 1;
    header.bV4BitCount = 32;
    header.bV4V4Compression = BI_RGB;
    double t = Now();
    HDC hdc = GetDC(GetDesktopWindow());
    HBITMAP bitmap = CreateDIBitmap(hdc, (BITMAPINFOHEADER *)&header, CBM_INIT, block32.data(),
                                    (BITMAPINFO *)&header, DIB_RGB_COLORS);
    ReleaseDC(GetDesktopWindow(), hdc);
    t = Now() - t;
    DeleteObject(bitmap);
    return t;
}

void Report(const char *kind, const std::vector<double> &loader, const std::vector<double> &bare,
            const std::vector<double> &transfer)
{
    double l = Median(loader), b = Median(bare), g = Median(transfer);
    printf("%-5s loader %7.1f ms   bare decode %7.1f ms   ratio %.3f   "
           "(GDI transfer alone %6.1f ms; loader beyond decode + transfer %+6.1f ms)\n",
           kind, l, b, l / b, g, l - b - g);
}

int Bench(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: bench_pictures FOLDER [RUNS [WIDTH HEIGHT]]\n");
        return 2;
    }
    std::string folder = argv[1];
    int runs = argc > 2 ? atoi(argv[2]) : 9;
    if (argc > 4) {
        width = atoi(argv[3]);
        height = atoi(argv[4]);
    }
    std::string jpeg = folder + "\\bench.jpg", png = folder + "\\bench.png";
    if (!WriteJPEG(jpeg.c_str()) || !WritePNG(png.c_str())) {
        fprintf(stderr, "bench_pictures: cannot write the pictures into %s\n", folder.c_str());
        return 1;
    }
    printf("%dx%d pixels, %d runs of each, alternating\n", width, height, runs);

    std::vector<double> jl, jb, jg, pl, pb, pg;
    std::vector<unsigned char> rows24((((size_t)width * 3 + 3) & ~(size_t)3) * height, 0x5A);
    std::vector<unsigned char> block32((size_t)width * height * 4, 0x5A);
    for (int i = 0; i < runs; i++) {
        double t = Now();
        HBITMAP bitmap = LoadJPEG(jpeg.c_str());
        jl.push_back(Now() - t);
        if (!bitmap) {
            fprintf(stderr, "bench_pictures: LoadJPEG failed (%lu)\n", GetLastError());
            return 1;
        }
        DeleteObject(bitmap);

        t = Now();
        DecodeJPEG(jpeg.c_str());
        jb.push_back(Now() - t);

        t = Now();
        bitmap = LoadPNG(png.c_str());
        pl.push_back(Now() - t);
        if (!bitmap) {
            fprintf(stderr, "bench_pictures: LoadPNG failed (%lu)\n", GetLastError());
            return 1;
        }
        DeleteObject(bitmap);

        t = Now();
        DecodePNG(png.c_str());
        pb.push_back(Now() - t);

        jg.push_back(TransferJPEGRows(rows24));
        pg.push_back(TransferPNGBlock(block32));
    }
    Report("JPEG", jl, jb, jg);
    Report("PNG", pl, pb, pg);
    DeleteFileA(jpeg.c_str());
    DeleteFileA(png.c_str());
    return 0;
}

} // namespace

} // namespace zv

int main(int argc, char **argv)
{
    return zv::Bench(argc, argv);
}
