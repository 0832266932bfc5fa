/*
 * placeholders.h - functions the start-up sequence calls whose real work
 * (splash dialog, picture loaders) is still to come.  Until it does they
 * fail honestly: no picture.
 */
#ifndef ZV_PLACEHOLDERS_H
#define ZV_PLACEHOLDERS_H

#include <windows.h>

#include "autoruninf.h"

namespace zv {

/* picture libraries */
const char *JPGVersion(void);
const char *PNGVersion(void);
const char *ZLIBVersion(void);
HBITMAP LoadJPEG(const char *path);
HBITMAP LoadPNG(const char *path);
HENHMETAFILE LoadMetaFile(const char *path);
HENHMETAFILE LoadMetaFileResource(HGLOBAL resource);

/* splash dialog */
INT_PTR CALLBACK SplashDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
HENHMETAFILE BitmapToEnhMetaFile(HBITMAP bitmap);
void PlaceSplash(HWND splash, AUTORUNINF *settings);

} // namespace zv

#endif
