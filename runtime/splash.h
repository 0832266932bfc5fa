/*
 * splash.h - the splash dialog: its procedure and owner drawing, the
 * conversion of a bitmap into the metafile it shows, and the arithmetic
 * that sizes and places it.
 */
#ifndef ZV_SPLASH_H
#define ZV_SPLASH_H

#include <windows.h>

#include "autoruninf.h"

namespace zv {

/* ---- the dialog (splash_dialog.cpp) ---- */

/* Created with the address of the copyright text as its parameter. */
INT_PTR CALLBACK SplashDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
/* Plays hemf into the picture control, writes the copyright text. */
BOOL DrawItem(UINT id, const DRAWITEMSTRUCT *drawItem);

/* ---- the picture (splash_metafile.cpp) ---- */

/* A new enhanced metafile holding the bitmap's picture; the bitmap stays
 * the caller's. */
HENHMETAFILE BitmapToEnhMetaFile(HBITMAP bitmap);

/* ---- size and place (splash_place.cpp) ---- */

/*
 * The picture's size: the settings' width and height when both are set,
 * else the template control's; at least 150 x 50, and less than 8/10 of
 * the work area.  Sizes compare as unsigned numbers, so a negative one
 * counts as very large.
 */
void SplashPictureSize(int imageWidth, int imageHeight, LONG controlWidth, LONG controlHeight,
                       LONG workWidth, LONG workHeight, UINT *width, UINT *height);

/*
 * The window's corner: a client area of clientWidth x clientHeight
 * centred on the desktop, moved by percent (at most 100) of the way to
 * the screen's edge at angle degrees (0 right, 90 up), and then kept so
 * that the whole window of windowWidth x windowHeight lies inside the
 * work area (its top-left corner when it is too large).
 */
void SplashCorner(const RECT *desktop, const RECT *work, LONG clientWidth, LONG clientHeight, LONG windowWidth,
                  LONG windowHeight, int angle, unsigned percent, int *x, int *y);

/* Sizes the hidden splash for its picture, places it and shows it,
 * topmost when the settings ask; writes the size back into them. */
void PlaceSplash(HWND splash, AUTORUNINF *settings);

} // namespace zv

#endif
