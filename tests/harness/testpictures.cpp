/*
 * testpictures.cpp - the test pictures: bytes written here, zlib for the
 * PNG's data, GDI for the metafile.
 */
#include <windows.h>

#include <zlib.h>

#include "testmedia.h"
#include "testpictures.h"

namespace zvtest {

static void PutBE32(std::string &s, unsigned v)
{
    for (int i = 3; i >= 0; i--)
        s += (char)((v >> (8 * i)) & 0xFF);
}

std::string BmpBytes(int w, int h, unsigned rgb)
{
    return BmpBytes(w, h, 24, rgb);
}

std::string BmpBytes(int w, int h, int bits, unsigned rgb)
{
    int rows = h < 0 ? -h : h, colours = bits == 8 ? 256 : 0;
    int stride = (w * bits + 31) / 32 * 4;
    unsigned offset = 54 + 4 * (unsigned)colours;
    std::string s = "BM";
    PutU32(s, offset + (unsigned)(stride * rows));
    PutU32(s, 0);
    PutU32(s, offset);
    PutU32(s, 40);
    PutU32(s, (unsigned)w);
    PutU32(s, (unsigned)h);
    PutU16(s, 1);
    PutU16(s, (unsigned)bits);
    for (int i = 0; i < 6; i++)
        PutU32(s, 0);
    for (int i = 0; i < colours; i++)
        PutU32(s, i == 1 ? rgb : (unsigned)i * 0x010101u);
    std::string row;
    for (int x = 0; x < w; x++) {
        if (bits == 8) {
            row += '\1';
            continue;
        }
        row += (char)(rgb & 0xFF);
        row += (char)((rgb >> 8) & 0xFF);
        row += (char)((rgb >> 16) & 0xFF);
        if (bits == 32)
            row += '\0';
    }
    row.resize((size_t)stride, '\0');
    for (int y = 0; y < rows; y++)
        s += row;
    return s;
}

std::string IconImageBytes(int size, int bits)
{
    std::string s;
    int colours = bits <= 8 ? 1 << bits : 0;
    PutU32(s, 40);
    PutU32(s, (unsigned)size);
    PutU32(s, (unsigned)(2 * size));
    PutU32(s, 1 | (unsigned)bits << 16);
    s.append(24, '\0');
    for (int i = 0; i < colours; i++)
        PutU32(s, (unsigned)(i * 255 / (colours - 1)) * 0x010101u);
    int row = (size * bits + 31) / 32 * 4, maskRow = (size + 31) / 32 * 4;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < row; x++)
            s.push_back((char)(x * 37 + y * 11));
    for (int y = 0; y < size; y++)
        for (int x = 0; x < maskRow; x++)
            s.push_back(x * 8 < size / 2 ? 0 : (char)0xFF);
    return s;
}

std::string IcoBytes(const std::vector<std::string> &images, int count)
{
    std::string s;
    PutU32(s, 0x10000);
    PutU16(s, (unsigned)(count < 0 ? (int)images.size() : count));
    unsigned offset = 6 + 16 * (unsigned)images.size();
    for (const std::string &image : images) {
        int size = (unsigned char)image[4];
        PutU32(s, (unsigned)size * 0x101);
        PutU32(s, 1 | (unsigned)(unsigned char)image[14] << 16);
        PutU32(s, (unsigned)image.size());
        PutU32(s, offset);
        offset += (unsigned)image.size();
    }
    for (const std::string &image : images)
        s += image;
    return s;
}

std::vector<DAMAGEDFILE> DamagedBmps()
{
    std::string full = BmpBytes(96, 64, 32, 0x3366CC), topDown = BmpBytes(96, -64, 32, 0x3366CC);
    unsigned size = (unsigned)full.size();
    return {
        {"8-bit, pixels at offset 13", WithU32(BmpBytes(96, 64, 8, 0x3366CC), 10, 13)},
        {"pixels past the end", WithU32(full, 10, size + 100)},
        {"pixels at offset 0xFFFFFFFF", WithU32(full, 10, 0xFFFFFFFFu)},
        {"2000 x 2000 pixels, cut after its headers",
         WithU32(WithU32(full.substr(0, 54), 18, 2000), 22, 2000)},
        {"cut in half", full.substr(0, size / 2)},
        {"top-down, cut", topDown.substr(0, size - 1)},
        {"rows beyond the file", WithU32(full, 22, 0x7FFFFFFF)},
    };
}

std::vector<DAMAGEDFILE> DamagedIcos()
{
    std::string icon = IcoBytes({IconImageBytes(32, 32)});
    std::vector<DAMAGEDFILE> d = {
        {"a directory of 65535 images in six bytes", std::string("\0\0\1\0\xFF\xFF", 6)},
        {"image offset 0xFFFFFF00", WithU32(icon, 6 + 12, 0xFFFFFF00u)},
        {"cut to 62 bytes", icon.substr(0, 62)},
        {"cut to 200 bytes", icon.substr(0, 200)},
    };
    for (const DAMAGEDFILE &png : WrappingPngs())
        d.push_back({png.what, IcoBytes({png.bytes})});
    return d;
}

static std::string PngChunk(const char *type, const std::string &body)
{
    std::string s;
    PutBE32(s, (unsigned)body.size());
    std::string typed = std::string(type, 4) + body;
    s += typed;
    PutBE32(s, (unsigned)crc32(0, (const Bytef *)typed.data(), (uInt)typed.size()));
    return s;
}

/* A PNG of 8-bit samples whose header says w x h pixels of the colour
 * type (2 RGB, 6 RGBA) and whose data are raw, filter bytes included. */
static std::string PngOf(unsigned w, unsigned h, int colourType, const std::string &raw)
{
    uLongf size = compressBound((uLong)raw.size());
    std::string packed(size, '\0');
    compress2((Bytef *)&packed[0], &size, (const Bytef *)raw.data(), (uLong)raw.size(), 6);
    packed.resize(size);

    std::string ihdr;
    PutBE32(ihdr, w);
    PutBE32(ihdr, h);
    ihdr += std::string("\x08", 1) + (char)colourType + std::string("\x00\x00\x00", 3);
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + PngChunk("IDAT", packed) +
           PngChunk("IEND", "");
}

std::string PngBytes(int w, int h, const std::vector<unsigned> &pixels)
{
    std::string raw;
    for (int y = 0; y < h; y++) {
        raw += '\0';   /* no filter */
        for (int x = 0; x < w; x++) {
            unsigned p = pixels[(size_t)y * w + x];
            raw += (char)((p >> 16) & 0xFF);
            raw += (char)((p >> 8) & 0xFF);
            raw += (char)(p & 0xFF);
        }
    }
    return PngOf((unsigned)w, (unsigned)h, 2, raw);
}

std::string PngBytes(int w, int h, unsigned rgb)
{
    return PngBytes(w, h, std::vector<unsigned>((size_t)w * h, rgb));
}

std::vector<DAMAGEDFILE> WrappingPngs()
{
    enum { WIDE = 65536 };
    return {
        {"a PNG of 65536 x 16384 RGBA pixels", PngOf(WIDE, 16384, 6, std::string(1 + 4 * WIDE, '\0'))},
        {"a PNG of 65536 x 21846 RGB pixels", PngOf(WIDE, 21846, 2, std::string(1 + 3 * WIDE, '\0'))},
    };
}

std::vector<DAMAGEDFILE> RareIconImages()
{
    std::string alpha = IconImageBytes(32, 32), sixteen = IconImageBytes(16, 4), grey = IconImageBytes(32, 4);
    std::string core;
    PutU32(core, 12);
    PutU16(core, 32);
    PutU16(core, 64);
    PutU16(core, 1);
    PutU16(core, 4);
    for (int i = 0; i < 16; i++)
        core += grey.substr(40 + 4 * (size_t)i, 3);
    core += grey.substr(40 + 4 * 16);
    return {
        {"32 bits with alpha and no mask", alpha.substr(0, alpha.size() - 4 * 32)},
        {"16 pixels without a mask", sixteen.substr(0, sixteen.size() - 4 * 16)},
        {"a core header", core},
        {"no planes", WithU16(grey, 12, 0)},
    };
}

bool WriteEmf(const std::string &path, int w, int h, unsigned rgb)
{
    HDC dc = CreateEnhMetaFileA(NULL, path.c_str(), NULL, NULL);
    if (!dc)
        return false;
    HBRUSH brush = CreateSolidBrush(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    RECT rc = {0, 0, w, h};
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    if (!emf)
        return false;
    DeleteEnhMetaFile(emf);
    return true;
}

} // namespace zvtest
