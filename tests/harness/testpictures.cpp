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
    int stride = (w * 3 + 3) & ~3;
    std::string s = "BM";
    PutU32(s, (unsigned)(54 + stride * h));
    PutU32(s, 0);
    PutU32(s, 54);
    PutU32(s, 40);
    PutU32(s, (unsigned)w);
    PutU32(s, (unsigned)h);
    PutU16(s, 1);
    PutU16(s, 24);
    for (int i = 0; i < 6; i++)
        PutU32(s, 0);
    std::string row;
    for (int x = 0; x < w; x++) {
        row += (char)(rgb & 0xFF);
        row += (char)((rgb >> 8) & 0xFF);
        row += (char)((rgb >> 16) & 0xFF);
    }
    row.resize((size_t)stride, '\0');
    for (int y = 0; y < h; y++)
        s += row;
    return s;
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
    uLongf size = compressBound((uLong)raw.size());
    std::string packed(size, '\0');
    compress2((Bytef *)&packed[0], &size, (const Bytef *)raw.data(), (uLong)raw.size(), 6);
    packed.resize(size);

    std::string ihdr;
    PutBE32(ihdr, (unsigned)w);
    PutBE32(ihdr, (unsigned)h);
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + PngChunk("IDAT", packed) +
           PngChunk("IEND", "");
}

std::string PngBytes(int w, int h, unsigned rgb)
{
    return PngBytes(w, h, std::vector<unsigned>((size_t)w * h, rgb));
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
