/*
 * screen.cpp - the display's pixels as a test sees them.
 */
#include "screen.h"
#include "testpictures.h"
#include "zvtest.h"

namespace zvtest {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool TakeScreenshot(SCREENSHOT *shot)
{
    HDC screen = GetDC(NULL);
    int w = GetDeviceCaps(screen, HORZRES), h = GetDeviceCaps(screen, VERTRES);
    BITMAPINFO bi = TopDown32(w, h);
    void *bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib);
    BOOL ok = dib && BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    GdiFlush();
    if (ok) {
        shot->width = w;
        shot->height = h;
        shot->pixels.assign((const unsigned *)bits, (const unsigned *)bits + (size_t)w * h);
        for (unsigned &p : shot->pixels)
            p &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    if (dib)
        DeleteObject(dib);
    ReleaseDC(NULL, screen);
    return ok != 0;
}

std::string KeepScreen(const std::string &name)
{
    SCREENSHOT shot;
    return TakeScreenshot(&shot) ? KeepScreenshot(shot, name) : std::string();
}

std::string KeepScreenshot(const SCREENSHOT &shot, const std::string &name)
{
    std::string dir = ZV_TEST_ARTIFACTS;
    CreateDirectoryA(dir.c_str(), NULL);
    std::string path = dir + "/" + name + ".png";
    return WriteFileBytes(path, PngBytes(shot.width, shot.height, shot.pixels)) ? path : std::string();
}

bool NearColour(unsigned a, unsigned b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int d = (int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance)
            return false;
    }
    return true;
}

static LONG Width(const RECT &r) { return r.right - r.left; }
static LONG Height(const RECT &r) { return r.bottom - r.top; }

static bool AllNear(const SCREENSHOT &shot, const RECT &rc, unsigned rgb, int tolerance)
{
    for (int i = 1; i <= 5; i++)
        for (int j = 1; j <= 5; j++) {
            int x = rc.left + (int)(Width(rc) * i / 6), y = rc.top + (int)(Height(rc) * j / 6);
            if (x < 0 || y < 0 || x >= shot.width || y >= shot.height ||
                !NearColour(shot.At(x, y), rgb, tolerance))
                return false;
        }
    return true;
}

bool WaitForColour(const RECT &rc, unsigned rgb, int tolerance, DWORD waitMs, SCREENSHOT *shot)
{
    /* a whole screen each time: not too often */
    return Eventually([&] { return TakeScreenshot(shot) && AllNear(*shot, rc, rgb, tolerance); }, waitMs, 100);
}

RECT ScreenRect(HWND window, const RECT &clientRect)
{
    RECT rc = clientRect;
    MapWindowPoints(window, NULL, (POINT *)&rc, 2);
    return rc;
}

} // namespace zvtest
