/*
 * picture_checks.h - what the picture tests share: a bitmap's or a played
 * metafile's pixels read back, and a module carrying test resources.
 */
#ifndef ZV_PICTURE_CHECKS_H
#define ZV_PICTURE_CHECKS_H

#include <windows.h>

#include <stdint.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "screen.h"

namespace zvtest {

/* Pixels are compared as 0x00RRGGBB. */
inline uint32_t Rgb(int r, int g, int b)
{
    return (uint32_t)r << 16 | (uint32_t)g << 8 | (uint32_t)b;
}

/* Largest difference of the three channels. */
inline int ColourDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int d = abs((int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF));
        worst = d > worst ? d : worst;
    }
    return worst;
}

/* The bitmap's pixels through GetDIBits, top row first; empty on failure. */
inline std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int *width, int *height)
{
    BITMAP bm;
    std::vector<uint32_t> pixels;
    if (!GetObjectA(bitmap, sizeof bm, &bm))
        return pixels;
    *width = bm.bmWidth;
    *height = bm.bmHeight;
    BITMAPINFO info = zvtest::TopDown32(bm.bmWidth, bm.bmHeight);
    pixels.resize((size_t)bm.bmWidth * bm.bmHeight);
    HDC screen = GetDC(NULL);
    if (GetDIBits(screen, bitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) != bm.bmHeight)
        pixels.clear();
    ReleaseDC(NULL, screen);
    for (uint32_t &p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

inline BOOL PlayByPlatform(HDC dc, HENHMETAFILE picture, const RECT *rect)
{
    return PlayEnhMetaFile(dc, picture, rect);
}

/* The metafile played onto white at width x height, top row first, by
 * play (which takes PlayEnhMetaFile's arguments). */
inline std::vector<uint32_t> PlayedPixels(HENHMETAFILE picture, int width, int height,
                                          BOOL (*play)(HDC, HENHMETAFILE, const RECT *) = PlayByPlatform)
{
    BITMAPINFO info = zvtest::TopDown32(width, height);
    void *bits = NULL;
    std::vector<uint32_t> pixels;
    HBITMAP dib = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, dib);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    if (play(dc, picture, &all)) {
        GdiFlush();
        pixels.assign((uint32_t *)bits, (uint32_t *)bits + (size_t)width * height);
        for (uint32_t &p : pixels)
            p &= 0xFFFFFF;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return pixels;
}

struct TESTRESOURCE {
    std::string type;
    std::string name;    /* "#110" stands for the number 110 */
    std::string bytes;
};

inline LPCSTR ResourceName(const std::string &name)
{
    return name[0] == '#' ? MAKEINTRESOURCEA(atoi(name.c_str() + 1)) : name.c_str();
}

/*
 * A copy of the running test program with these resources added, mapped
 * as an image without running any of its code: a real module, whose
 * resources the loaders meet as they meet a program's own.
 */
inline HMODULE MakeResourceModule(const std::string &dir, const std::string &file,
                                  const std::vector<TESTRESOURCE> &resources)
{
    char self[MAX_PATH];
    std::string path = dir + "\\" + file;
    if (!GetModuleFileNameA(NULL, self, sizeof self) || !CopyFileA(self, path.c_str(), FALSE))
        return NULL;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    for (const TESTRESOURCE &r : resources)
        if (!update || !UpdateResourceA(update, ResourceName(r.type), ResourceName(r.name),
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                        (void *)r.bytes.data(), (DWORD)r.bytes.size()))
            return NULL;
    if (!update || !EndUpdateResourceA(update, FALSE))
        return NULL;
    return LoadLibraryExA(path.c_str(), NULL, DONT_RESOLVE_DLL_REFERENCES);
}

/* What LockResource gives for a resource of module, as callers pass it. */
inline HGLOBAL LockedResource(HMODULE module, const char *name, const char *type)
{
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    return loaded ? (HGLOBAL)LockResource(loaded) : NULL;
}

} // namespace zvtest

#endif
