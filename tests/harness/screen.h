/*
 * screen.h - what the X display shows, read back pixel by pixel, waited
 * for, and kept as a PNG among the build tree's test artifacts.
 */
#ifndef ZV_SCREEN_H
#define ZV_SCREEN_H

#include <windows.h>

#include <string>
#include <vector>

namespace zvtest {

/* The header of a 32-bit top-down DIB of width x height pixels. */
BITMAPINFO TopDown32(int width, int height);

/* The whole screen, 0xRRGGBB per pixel, read through GDI. */
struct SCREENSHOT {
    int width = 0, height = 0;
    std::vector<unsigned> pixels;
    unsigned At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};
bool TakeScreenshot(SCREENSHOT *shot);
/* Keeps it as name.png in the build tree's screenshots folder; the path
 * or "". */
std::string KeepScreenshot(const SCREENSHOT &shot, const std::string &name);
/* Takes a screenshot and keeps it, for a look at what a test saw. */
std::string KeepScreen(const std::string &name);

/* Each of the three channels within tolerance. */
bool NearColour(unsigned a, unsigned b, int tolerance);
/* Polls the screen until every sample point of rc (a 5 x 5 grid inside,
 * screen coordinates) is near rgb or waitMs passes; the last shot. */
bool WaitForColour(const RECT &rc, unsigned rgb, int tolerance, DWORD waitMs, SCREENSHOT *shot);

/* A rectangle of window's client area in screen coordinates. */
RECT ScreenRect(HWND window, const RECT &clientRect);

} // namespace zvtest

#endif
