/*
 * test_jpeg.cpp - the JPEG loader on pictures written here with the JPEG
 * library: baseline, progressive and grey, at widths that need row
 * padding, pixel for pixel against the library's own decode; pictures in
 * four inks; files damaged, short, lying or no JPEG at all, which must
 * leave the program running; size and version.
 */
#include <windows.h>
#include <stdio.h>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <string>
#include <vector>

#include "picture_checks.h"
#include "pictures.h"
#include "zvtest.h"

namespace zv {

namespace {

using zvtest::Rgb;

/* Bands of eight rows in their own colours: orientation and channel
 * order show at once. */
uint32_t Band(int y)
{
    static const uint32_t colours[] = {Rgb(220, 30, 30), Rgb(30, 200, 40), Rgb(40, 50, 210),
                                       Rgb(240, 230, 40), Rgb(20, 20, 20)};
    return colours[y / 8 % 5];
}

struct JPEGPICTURE {
    int width = 33, height = 24;
    J_COLOR_SPACE input = JCS_RGB;    /* JCS_GRAYSCALE, JCS_RGB or JCS_CMYK */
    J_COLOR_SPACE stored = JCS_YCbCr;
    bool progressive = false;
};

std::string EncodeJPEG(const JPEGPICTURE &pic)
{
    struct jpeg_compress_struct cinfo;
    struct jpeg_error_mgr errors;
    unsigned char *buffer = NULL;
    unsigned long size = 0;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = pic.width;
    cinfo.image_height = pic.height;
    cinfo.input_components = pic.input == JCS_GRAYSCALE ? 1 : pic.input == JCS_CMYK ? 4 : 3;
    cinfo.in_color_space = pic.input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, pic.stored);
    jpeg_set_quality(&cinfo, 95, TRUE);
    for (int i = 0; i < cinfo.num_components; i++)
        cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    if (pic.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row((size_t)pic.width * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        uint32_t c = Band((int)cinfo.next_scanline);
        JSAMPLE r = (JSAMPLE)(c >> 16), g = (JSAMPLE)(c >> 8), b = (JSAMPLE)c;
        for (int x = 0; x < pic.width; x++) {
            JSAMPLE *p = &row[(size_t)x * cinfo.input_components];
            if (cinfo.input_components == 1) {
                p[0] = (JSAMPLE)((r + g + b) / 3);
            } else {
                p[0] = r, p[1] = g, p[2] = b;
                if (cinfo.input_components == 4)
                    p[3] = 128;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out((const char *)buffer, size);
    free(buffer);
    return out;
}

/* The library's own decode of the same bytes, in RGB, top row first. */
std::vector<uint32_t> LibraryDecode(const std::string &jpeg, int *width, int *height)
{
    struct jpeg_decompress_struct cinfo;
    struct jpeg_error_mgr errors;
    std::vector<uint32_t> pixels;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, (const unsigned char *)jpeg.data(), (unsigned long)jpeg.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    *width = (int)cinfo.output_width;
    *height = (int)cinfo.output_height;
    std::vector<JSAMPLE> row((size_t)cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (size_t x = 0; x < cinfo.output_width; x++)
            pixels.push_back(Rgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

class JpegTest : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override { dir = zvtest::ScratchDir("jpeg"); }
    void TearDown() override { zvtest::RemoveTree(dir); }
    std::string Write(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }

    /* Equal to the library's decode in every pixel, and showing the
     * bands that were written, top band first. */
    void ExpectSamePicture(const JPEGPICTURE &pic)
    {
        std::string jpeg = EncodeJPEG(pic);
        int lw = 0, lh = 0, w = 0, h = 0;
        std::vector<uint32_t> want = LibraryDecode(jpeg, &lw, &lh);
        HBITMAP bitmap = LoadJPEG(Write("pic.jpg", jpeg).c_str());
        ASSERT_TRUE(bitmap != NULL);
        std::vector<uint32_t> got = zvtest::BitmapPixels(bitmap, &w, &h);
        DeleteObject(bitmap);
        ASSERT_EQ(pic.width, w);
        ASSERT_EQ(pic.height, h);
        ASSERT_EQ(want, got);
        for (int y = 0; y < h; y += 7) {
            uint32_t c = Band(y);
            if (pic.input == JCS_GRAYSCALE) {
                int g = ((c >> 16) + (c >> 8 & 0xFF) + (c & 0xFF)) / 3;
                c = Rgb(g, g, g);
            }
            EXPECT_LE(zvtest::ColourDistance(c, got[(size_t)y * w + w - 1]), 12) << "row " << y;
        }
    }
};

TEST_F(JpegTest, BaselineProgressiveAndGreyMatchTheLibraryAtEveryPadding)
{
    for (int width : {1, 2, 3, 4, 33, 34, 35, 36})
        for (bool progressive : {false, true}) {
            SCOPED_TRACE("width " + std::to_string(width) + (progressive ? " progressive" : ""));
            JPEGPICTURE pic;
            pic.width = width;
            pic.progressive = progressive;
            ExpectSamePicture(pic);
            pic.input = pic.stored = JCS_GRAYSCALE;
            ExpectSamePicture(pic);
        }
    JPEGPICTURE rgb;   /* stored as RGB, not YCbCr */
    rgb.stored = JCS_RGB;
    ExpectSamePicture(rgb);
}

TEST_F(JpegTest, PicturesInFourInksAreRefusedButMeasured)
{
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        JPEGPICTURE pic;
        pic.input = JCS_CMYK;
        pic.stored = stored;
        std::string path = Write("ink.jpg", EncodeJPEG(pic));
        EXPECT_TRUE(LoadJPEG(path.c_str()) == NULL);
        UINT w = 0, h = 0;
        EXPECT_EQ(1, GetJPGSize(path.c_str(), &w, &h));
        EXPECT_EQ(33u, w);
        EXPECT_EQ(24u, h);
    }
}

/* The frame header rewritten with another size: a header that lies. */
std::string WithSize(std::string jpeg, int width, int height)
{
    size_t sof = jpeg.find("\xFF\xC0");
    jpeg[sof + 5] = (char)(height >> 8), jpeg[sof + 6] = (char)height;
    jpeg[sof + 7] = (char)(width >> 8), jpeg[sof + 8] = (char)width;
    return jpeg;
}

/* With the library's own error exit the first of these would end this
 * program: that the test goes on is part of it. */
TEST_F(JpegTest, RejectedFilesGiveNullReleasedAndTheProgramGoesOn)
{
    const std::string jpeg = EncodeJPEG(JPEGPICTURE());
    const size_t sos = jpeg.find("\xFF\xDA");
    std::string marker = jpeg;
    marker[sos + 1] = (char)0xC7;   /* a second frame, of a kind the library lacks */
    struct { const char *name; std::string bytes; bool sized; } cases[] = {
        {"empty.jpg", "", false},
        {"text.jpg", "This is no picture, only a file named like one.\r\n", false},
        {"png.jpg", "\x89PNG\r\n\x1A\n", false},
        {"header.jpg", jpeg.substr(0, sos / 2), false},
        {"marker.jpg", marker, false},
        {"zero.jpg", WithSize(jpeg, 0, 24), false},
        {"huge.jpg", WithSize(jpeg, 65000, 65000), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Write(c.name, c.bytes);
        SetLastError(0);
        EXPECT_TRUE(LoadJPEG(path.c_str()) == NULL);
        EXPECT_EQ((DWORD)ERROR_BAD_FORMAT, GetLastError());
        UINT w = 0, h = 0;
        EXPECT_EQ(c.sized ? 1 : 0, GetJPGSize(path.c_str(), &w, &h));
        /* closed again: the file can go at once */
        EXPECT_TRUE(DeleteFileA(path.c_str()));
    }
    UINT w, h;
    SetLastError(0);
    EXPECT_TRUE(LoadJPEG((dir + "\\missing.jpg").c_str()) == NULL);
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    SetLastError(0);
    EXPECT_EQ(0, GetJPGSize((dir + "\\missing.jpg").c_str(), &w, &h));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
}

TEST_F(JpegTest, DataThatEndsEarlyOrIsDamagedStillGivesThePicture)
{
    const std::string jpeg = EncodeJPEG(JPEGPICTURE());
    const size_t sos = jpeg.find("\xFF\xDA");
    HBITMAP bitmap = LoadJPEG(Write("short.jpg", jpeg.substr(0, sos + (jpeg.size() - sos) / 2)).c_str());
    ASSERT_TRUE(bitmap != NULL);
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = zvtest::BitmapPixels(bitmap, &w, &h);
    DeleteObject(bitmap);
    EXPECT_EQ(33, w);
    EXPECT_EQ(24, h);
    ASSERT_FALSE(pixels.empty());
    EXPECT_LE(zvtest::ColourDistance(Band(0), pixels[0]), 12);

    std::string damaged = jpeg;
    for (size_t i = sos + 20; i < damaged.size() - 2; i += 7)
        damaged[i] ^= 0x5A;
    std::string path = Write("damaged.jpg", damaged);
    UINT uw = 0, uh = 0;
    EXPECT_EQ(1, GetJPGSize(path.c_str(), &uw, &uh));
    EXPECT_EQ(33u, uw);
    EXPECT_EQ(24u, uh);
    if ((bitmap = LoadJPEG(path.c_str())) != NULL)
        DeleteObject(bitmap);
}

TEST(JpegVersion, TextComesFromTheLibrary)
{
    const std::string lead = "Independent JPEG Group's JPEG software release ";
    std::string s = JPGVersion();
    ASSERT_EQ(0u, s.find(lead)) << s;
    /* the release of the interface the library speaks: 6b for 62 */
    EXPECT_EQ((char)('0' + JPEG_LIB_VERSION / 10), s[lead.size()]) << s;
    EXPECT_NE(std::string::npos, s.find("Copyright", s.find('\n'))) << s;
    EXPECT_EQ('\n', s.back());
    EXPECT_EQ(JPGVersion(), JPGVersion());
}

} // namespace

} // namespace zv
