/*
 * splash_metafile.cpp - every bitmap picture becomes an enhanced metafile,
 * so the splash has one kind of picture to stretch into its control.
 */
#include <windows.h>

#include "splash.h"

namespace zv {

HENHMETAFILE BitmapToEnhMetaFile(HBITMAP bitmap)
{
    BITMAP bm = {};
    GetObjectA(bitmap, sizeof bm, &bm);

    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    HDC memory = CreateCompatibleDC(screen);
    /* in memory, bounds taken from what is drawn */
    HDC meta = CreateEnhMetaFileA(screen, NULL, NULL, NULL);

    HGDIOBJ old = SelectObject(memory, bitmap);
    SetStretchBltMode(meta, HALFTONE);
    BitBlt(meta, 0, 0, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    DeleteDC(memory);
    ReleaseDC(desktop, screen);
    return CloseEnhMetaFile(meta);
}

} // namespace zv
