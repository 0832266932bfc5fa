/*
 * test_png.cpp - the PNG loader on pictures written here with libpng:
 * every colour type and bit depth, plain and interlaced, transparency on
 * the 3D-light or the file's own background, pixel by pixel; files and
 * resources that are no PNG, damaged, short or lying; sizes and versions.
 */
#include <windows.h>

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

#include "picture_checks.h"
#include "pictures.h"
#include "settings.h"
#include "zvtest.h"

namespace zv {

namespace {

using zvtest::Rgb;

/* A picture to write; sample(x, y) gives its channel values in the
 * file's depth (the palette index for palette pictures). */
struct PNGPICTURE {
    int width = 13, height = 7;   /* odd: sub-byte rows end mid-byte */
    int type = PNG_COLOR_TYPE_RGB, depth = 8;
    bool interlaced = false;
    std::function<std::vector<int>(int, int)> sample;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    png_color_16 key = {}, background = {};
    bool keyed = false, hasBackground = false;
};

void Append(png_structp png, png_bytep data, png_size_t n)
{
    ((std::string *)png_get_io_ptr(png))->append((const char *)data, n);
}

std::string EncodePNG(const PNGPICTURE &pic)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, NULL);
    png_set_IHDR(png, info, pic.width, pic.height, pic.depth, pic.type,
                 pic.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!pic.palette.empty())
        png_set_PLTE(png, info, pic.palette.data(), (int)pic.palette.size());
    if (!pic.paletteAlpha.empty() || pic.keyed)
        png_set_tRNS(png, info, pic.paletteAlpha.data(), (int)pic.paletteAlpha.size(),
                     pic.keyed ? &pic.key : NULL);
    if (pic.hasBackground)
        png_set_bKGD(png, info, &pic.background);
    png_write_info(png, info);
    std::vector<std::vector<png_byte>> rows(pic.height, std::vector<png_byte>(png_get_rowbytes(png, info)));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < pic.height; y++) {
        size_t bit = 0;
        for (int x = 0; x < pic.width; x++)
            for (int v : pic.sample(x, y)) {
                png_byte *p = &rows[y][bit / 8];
                if (pic.depth == 16) {
                    p[0] = (png_byte)(v >> 8);
                    p[1] = (png_byte)v;
                } else {
                    p[0] |= (png_byte)(v << (8 - pic.depth - bit % 8));
                }
                bit += pic.depth;
            }
        pointers.push_back(rows[y].data());
    }
    png_set_interlace_handling(png);
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

uint32_t Light()
{
    COLORREF c = GetSysColor(COLOR_3DLIGHT);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

std::vector<std::string> boxes;   /* caption "|" text of every box */

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    boxes.push_back(std::string(caption) + "|" + text);
    EXPECT_EQ((UINT)MB_ICONERROR, type & MB_ICONMASK);
    return IDOK;
}

class PngTest : public ::testing::Test {
protected:
    std::string dir;
    int (WINAPI *savedBox)(HWND, LPCSTR, LPCSTR, UINT) = pfnMessageBoxA;

    void SetUp() override
    {
        dir = zvtest::ScratchDir("png");
        boxes.clear();
        pfnMessageBoxA = RecordBox;
    }
    void TearDown() override
    {
        pfnMessageBoxA = savedBox;
        zvtest::RemoveTree(dir);
    }
    std::string Write(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }

    /* Every pixel of the bitmap against expected(x, y); the bitmap is freed. */
    void ExpectPixels(HBITMAP bitmap, int width, int height,
                      const std::function<uint32_t(int, int)> &expected, int tolerance = 0)
    {
        ASSERT_TRUE(bitmap != NULL);
        int w = 0, h = 0, wrong = 0;
        std::vector<uint32_t> pixels = zvtest::BitmapPixels(bitmap, &w, &h);
        DeleteObject(bitmap);
        ASSERT_EQ(width, w);
        ASSERT_EQ(height, h);
        ASSERT_EQ((size_t)w * h, pixels.size());
        for (int i = 0; i < w * h && wrong < 5; i++) {
            uint32_t want = expected(i % w, i / w);
            if (zvtest::ColourDistance(want, pixels[i]) > tolerance && ++wrong)
                ADD_FAILURE() << "pixel " << i % w << "," << i / w << " is " << std::hex
                              << pixels[i] << ", expected " << want;
        }
    }
    void ExpectPicture(const PNGPICTURE &pic, const std::function<uint32_t(int, int)> &expected,
                       int tolerance = 0)
    {
        ExpectPixels(LoadPNG(Write("pic.png", EncodePNG(pic)).c_str()), pic.width, pic.height,
                     expected, tolerance);
    }
};

TEST_F(PngTest, EveryColourTypeAndDepthPlainAndInterlaced)
{
    static const int kinds[][2] = {
        {PNG_COLOR_TYPE_GRAY, 1}, {PNG_COLOR_TYPE_GRAY, 2}, {PNG_COLOR_TYPE_GRAY, 4},
        {PNG_COLOR_TYPE_GRAY, 8}, {PNG_COLOR_TYPE_GRAY, 16}, {PNG_COLOR_TYPE_RGB, 8},
        {PNG_COLOR_TYPE_RGB, 16}, {PNG_COLOR_TYPE_PALETTE, 1}, {PNG_COLOR_TYPE_PALETTE, 2},
        {PNG_COLOR_TYPE_PALETTE, 4}, {PNG_COLOR_TYPE_PALETTE, 8}, {PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16}, {PNG_COLOR_TYPE_RGB_ALPHA, 8}, {PNG_COLOR_TYPE_RGB_ALPHA, 16},
    };
    for (bool interlaced : {false, true})
        for (const auto &kind : kinds) {
            const int type = kind[0], depth = kind[1], top = (1 << depth) - 1;
            SCOPED_TRACE("type " + std::to_string(type) + " depth " + std::to_string(depth) +
                         (interlaced ? " interlaced" : ""));
            PNGPICTURE pic;
            pic.type = type;
            pic.depth = depth;
            pic.interlaced = interlaced;
            pic.width = interlaced ? 35 : 13;
            for (int i = 0; type == PNG_COLOR_TYPE_PALETTE && i <= top; i++)
                pic.palette.push_back({(png_byte)(i * 37 + 20), (png_byte)(250 - i), (png_byte)(i * 73)});
            /* Values anywhere in the depth's range; at 16 bits scaling and
             * cutting to 8 bits give different results. */
            auto value = [=](int x, int y, int k) { return (x * 7 + y * 13 + k * 29 + x * y * 997) % (top + 1); };
            auto clear = [=](int x, int y) { return (type & PNG_COLOR_MASK_ALPHA) && (x + 2 * y) % 5 == 0; };
            pic.sample = [&](int x, int y) {
                if (type == PNG_COLOR_TYPE_PALETTE)
                    return std::vector<int>{(x + 3 * y) % (top + 1)};
                std::vector<int> v;
                for (int k = 0; k < (type & PNG_COLOR_MASK_COLOR ? 3 : 1); k++)
                    v.push_back(value(x, y, k));
                if (type & PNG_COLOR_MASK_ALPHA)
                    v.push_back(clear(x, y) ? 0 : top);
                return v;
            };
            auto eight = [=](int x, int y, int k) { return (value(x, y, k) * 255 + top / 2) / top; };
            /* libpng composites 16-bit samples through its gamma tables,
             * which may land one step off the rounded value. */
            ExpectPicture(pic, [&](int x, int y) {
                if (clear(x, y))
                    return Light();
                if (type == PNG_COLOR_TYPE_PALETTE) {
                    const png_color &c = pic.palette[(x + 3 * y) % (top + 1)];
                    return Rgb(c.red, c.green, c.blue);
                }
                int k = type & PNG_COLOR_MASK_COLOR ? 1 : 0;
                return Rgb(eight(x, y, 0), eight(x, y, k), eight(x, y, 2 * k));
            }, depth == 16 && (type & PNG_COLOR_MASK_ALPHA) ? 1 : 0);
        }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PngTest, TransparencyShowsTheLightOrTheFilesBackground)
{
    const uint32_t light = Light();
    PNGPICTURE pal;   /* entries 1 and 3 fully transparent */
    pal.type = PNG_COLOR_TYPE_PALETTE;
    pal.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    pal.paletteAlpha = {255, 0, 255, 0};
    pal.sample = [](int x, int y) { return std::vector<int>{(x + y) % 4}; };
    ExpectPicture(pal, [&](int x, int y) {
        int i = (x + y) % 4;
        return i % 2 ? light : i ? Rgb(0, 0, 255) : Rgb(255, 0, 0);
    });

    PNGPICTURE key;   /* an RGB colour key */
    key.keyed = true;
    key.key.red = 10, key.key.green = 200, key.key.blue = 30;
    key.sample = [](int x, int) { return std::vector<int>{10, 200, x % 2 ? 30 : 31}; };
    ExpectPicture(key, [&](int x, int) { return x % 2 ? light : Rgb(10, 200, 31); });

    PNGPICTURE grey;  /* a grey key at 4 bits */
    grey.type = PNG_COLOR_TYPE_GRAY;
    grey.depth = 4;
    grey.keyed = true;
    grey.key.gray = 5;
    grey.sample = [](int x, int) { return std::vector<int>{x % 3 ? 6 : 5}; };
    ExpectPicture(grey, [&](int x, int) { return x % 3 ? Rgb(102, 102, 102) : light; });

    PNGPICTURE own;   /* a bKGD chunk wins over the 3D light */
    own.type = PNG_COLOR_TYPE_RGB_ALPHA;
    own.hasBackground = true;
    own.background.red = 200, own.background.green = 40, own.background.blue = 90;
    own.sample = [](int x, int) { return std::vector<int>{50, 60, 70, x < 4 ? 0 : 255}; };
    ExpectPicture(own, [&](int x, int) { return x < 4 ? Rgb(200, 40, 90) : Rgb(50, 60, 70); });

    PNGPICTURE half;  /* half-transparent white is blended, not cut */
    half.type = PNG_COLOR_TYPE_GRAY_ALPHA;
    half.sample = [](int, int) { return std::vector<int>{255, 128}; };
    auto mix = [&](int shift) { return (255 * 128 + (int)(light >> shift & 0xFF) * 127) / 255; };
    ExpectPicture(half, [&](int, int) { return Rgb(mix(16), mix(8), mix(0)); }, 3);
    EXPECT_TRUE(boxes.empty());
}

/* A 24-bit picture whose rows all differ. */
std::string Sound(int width = 40, int height = 30)
{
    PNGPICTURE pic;
    pic.width = width;
    pic.height = height;
    pic.sample = [](int x, int y) { return std::vector<int>{y * 8 % 256, x * 6 % 256, 77}; };
    return EncodePNG(pic);
}

uint32_t SoundPixel(int x, int y)
{
    return Rgb(y * 8 % 256, x * 6 % 256, 77);
}

size_t Chunk(const std::string &png, const char *type)
{
    return png.find(type) - 4;
}

/* IHDR rewritten with another size and a correct CRC: a header that lies. */
std::string WithSize(std::string png, uint32_t width, uint32_t height)
{
    size_t at = Chunk(png, "IHDR");
    auto put = [&](size_t i, uint32_t v) {
        for (int b = 0; b < 4; b++)
            png[i + b] = (char)(v >> (24 - 8 * b));
    };
    put(at + 8, width);
    put(at + 12, height);
    put(at + 21, (uint32_t)crc32(0, (const Bytef *)png.data() + at + 4, 17));
    return png;
}

TEST_F(PngTest, WhatIsNoPngGivesBadFormatWithoutABox)
{
    std::string files[] = {"", Sound().substr(0, 3), "GIF89a\x01\x00\x01\x00\x80", "\xFF\xD8\xFF\xE0 JFIF"};
    for (const std::string &bytes : files) {
        std::string path = Write("no.png", bytes);
        UINT w, h;
        SetLastError(0);
        EXPECT_TRUE(LoadPNG(path.c_str()) == NULL);
        EXPECT_EQ((DWORD)ERROR_BAD_FORMAT, GetLastError());
        SetLastError(0);
        EXPECT_EQ(0, GetPNGSize(path.c_str(), &w, &h));
        EXPECT_EQ((DWORD)ERROR_BAD_FORMAT, GetLastError());
    }
    SetLastError(0);
    EXPECT_TRUE(LoadPNG((dir + "\\missing.png").c_str()) == NULL);
    EXPECT_EQ((DWORD)ERROR_BAD_FORMAT, GetLastError());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PngTest, DamagedShortOrLyingFilesShowOneBoxAndGiveNull)
{
    const std::string png = Sound();
    const size_t idat = Chunk(png, "IDAT"), iend = Chunk(png, "IEND");
    std::string header = png, data = png, late = png;
    header[Chunk(png, "IHDR") + 10] ^= 0x40;
    data[idat + 12] ^= 0x55;
    late[iend + 8] ^= 0x01;   /* IEND's CRC, read after the bitmap is made */
    struct { const char *what; std::string bytes; bool sized; } cases[] = {
        {"only the signature", png.substr(0, 8), false},
        {"damaged IHDR", header, false},
        {"damaged image data", data, true},
        {"image data cut short", png.substr(0, idat + (iend - idat) / 2), true},
        {"no IEND", png.substr(0, iend), true},
        {"damaged IEND", late, true},
        {"30000 x 30000", WithSize(png, 30000, 30000), true},
        {"2^31 - 1 wide", WithSize(png, 0x7FFFFFFF, 1), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = Write("bad.png", c.bytes);
        boxes.clear();
        EXPECT_TRUE(LoadPNG(path.c_str()) == NULL);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(0u, boxes[0].find("Zorvan|")) << boxes[0];
        EXPECT_LT(7u, boxes[0].size());
        /* The size reader stops before the image data. */
        UINT w = 0, h = 0;
        EXPECT_EQ(c.sized ? 1 : 0, GetPNGSize(path.c_str(), &w, &h));
        if (c.sized) {
            EXPECT_TRUE(w == 40 || w == 30000);
        }
    }
    /* A file that ends early is a read error, not data read past its end. */
    boxes.clear();
    EXPECT_TRUE(LoadPNG(Write("short.png", png.substr(0, iend)).c_str()) == NULL);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("ends early")) << boxes[0];
}

TEST_F(PngTest, ResourcesDecodeWithinTheirOwnSize)
{
    const std::string png = Sound(16, 9);
    HMODULE module = zvtest::MakeResourceModule(dir, "pngres.dll", {
        {"PNGFILE", "GOOD", png}, {"PNGFILE", "#110", png},
        {"PNGFILE", "SHORT", png.substr(0, png.size() - 12)},   /* no IEND */
        {"PNGFILE", "TINY", png.substr(0, 3)}, {"PNGFILE", "TEXT", "not a picture"},
        {"RCDATA", "WRONGTYPE", png},
    });
    ASSERT_TRUE(module != NULL) << GetLastError();
    ExpectPixels(LoadPNGImage(module, "GOOD"), 16, 9, SoundPixel);
    ExpectPixels(LoadPNGImage(module, MAKEINTRESOURCEA(110)), 16, 9, SoundPixel);
    EXPECT_TRUE(boxes.empty());

    EXPECT_TRUE(LoadPNGImage(module, "SHORT") == NULL);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("ends early")) << boxes[0];

    for (const char *name : {"TINY", "TEXT", "WRONGTYPE", "MISSING"}) {
        SetLastError(0);
        EXPECT_TRUE(LoadPNGImage(module, name) == NULL) << name;
        EXPECT_EQ((DWORD)ERROR_BAD_FORMAT, GetLastError()) << name;
    }
    EXPECT_EQ(1u, boxes.size());
    FreeLibrary(module);
}

TEST(PngVersions, TextsComeFromTheLibraries)
{
    EXPECT_STREQ(png_get_copyright(NULL), PNGVersion());
    EXPECT_EQ(PNGVersion(), PNGVersion());
    std::string z = ZLIBVersion();
    EXPECT_EQ(0u, z.find(std::string("ZLIB version ") + zlibVersion() + "\n")) << z;
    EXPECT_NE(std::string::npos, z.find("Copyright"));
    EXPECT_EQ('\n', z.back());
    EXPECT_EQ(ZLIBVersion(), ZLIBVersion());
}

} // namespace

} // namespace zv
