/*
 * placeholders.cpp - stand-ins for the steps whose real work is still to
 * come.  Each says no: no picture loaded, no splash drawn.
 * A failure that a caller reports carries ERROR_CALL_NOT_IMPLEMENTED, so a
 * log line never blames the disc's files.
 */
#include "placeholders.h"

namespace zv {

const char *JPGVersion(void) { return ""; }
const char *PNGVersion(void) { return ""; }
const char *ZLIBVersion(void) { return ""; }

HBITMAP LoadJPEG(const char *)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return NULL;
}

HBITMAP LoadPNG(const char *)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return NULL;
}

HENHMETAFILE LoadMetaFile(const char *)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return NULL;
}

HENHMETAFILE LoadMetaFileResource(HGLOBAL)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return NULL;
}

/* Draws nothing; only ends itself, which the start-up's waits rely on. */
INT_PTR CALLBACK SplashDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        if (wParam == IDCANCEL) {
            DestroyWindow(hwnd);
            PostQuitMessage(0);
        }
        return TRUE;
    }
    return FALSE;
}

HENHMETAFILE BitmapToEnhMetaFile(HBITMAP)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return NULL;
}

void PlaceSplash(HWND, AUTORUNINF *) {}

} // namespace zv
