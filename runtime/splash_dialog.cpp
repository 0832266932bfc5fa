/*
 * splash_dialog.cpp - the splash's dialog procedure and owner drawing:
 * the picture stretched into control 101, the copyright text in 103.
 * The runtime pumps no messages, so all of this runs from UpdateWindow
 * or from whatever message box or shell call happens to pump.
 */
#include <windows.h>

#include "pictures.h"
#include "resource.h"
#include "runtime.h"
#include "splash.h"

namespace zv {

enum { SPLASH_HIDE = 200, SPLASH_SHOW = 210, COPYRIGHTLEN = 512 };

BOOL DrawItem(UINT id, const DRAWITEMSTRUCT *drawItem)
{
    switch (id) {
    case IDC_SPLASHPICTURE:
        /* a video draws itself into the control; no picture draws nothing */
        if (!hemf || hemf == HEMF_VIDEO)
            return TRUE;
        /* a damaged file's giant figure must not keep the runtime */
        return PlayPicture(drawItem->hDC, hemf, &drawItem->rcItem);

    case IDC_SPLASHCOPYRIGHT: {
        char text[COPYRIGHTLEN];
        RECT rc = drawItem->rcItem;
        int len = GetWindowTextA(drawItem->hwndItem, text, sizeof text);
        SetBkMode(drawItem->hDC, TRANSPARENT);
        DrawTextA(drawItem->hDC, text, len, &rc, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX);
        return TRUE;
    }
    }
    return FALSE;
}

static void KeepOnTop(HWND hwnd, HWND where)
{
    if (ari.flgTopMost)
        SetWindowPos(hwnd, where, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

INT_PTR CALLBACK SplashDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        /* the alternate splash has neither caption nor copyright line */
        if (!ari.flgAlternateSplash) {
            SetWindowTextA(hwnd, ari.strCDTitle);
            SetDlgItemTextA(hwnd, IDC_SPLASHCOPYRIGHT, (const char *)lParam);
        }
        return TRUE;

    case WM_DRAWITEM:
        return DrawItem((UINT)wParam, (const DRAWITEMSTRUCT *)lParam);

    case WM_COMMAND:
        /* the whole wParam: a notification code makes it another command */
        if (wParam == IDCANCEL) {
            DestroyWindow(hwnd);
            PostQuitMessage(0);
        } else if (wParam == SPLASH_HIDE) {
            ShowWindow(hwnd, SW_HIDE);
            KeepOnTop(hwnd, HWND_NOTOPMOST);
        } else if (wParam == SPLASH_SHOW) {
            ShowWindow(hwnd, SW_SHOWNORMAL);
            KeepOnTop(hwnd, HWND_TOPMOST);
        }
        return TRUE;

    case WM_SYSCOMMAND:
        /* the splash goes when the runtime says so, not on Alt+F4 */
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            MessageBeep(0xFFFFFFFF);
            return TRUE;
        }
        return FALSE;

    case WM_DESTROY:
        PostQuitMessage(0);
        return FALSE;
    }
    return FALSE;
}

} // namespace zv
