/*
 * about.cpp - the About box (dialog 118): the utility's name, version and
 * notice, the versions of the picture and compression libraries, and the
 * maker's web pages.  Each About click makes one more modeless box.
 */
#include "wizard.h"
#include "resource.h"
#include "pictures.h"

#include <stdio.h>

namespace zv {

static const char szVersion[] = "Version 3.2 Build 092";
static const char szBuildDate[] = "24 Jan 2016";
static const char szVersionQuery[] = "3.2.092";
static const char szNotice[] = "Copyright \xA9 The Zorvan Authors. All rights reserved.";

/* The library texts break their lines with LF alone; the edit control
 * that shows them (scrollable: they are long) wants CR LF. */
static void SetLines(HWND box, int id, const char *text)
{
    char lines[2048];
    size_t out = 0;
    for (const char *p = text; *p && out + 3 < sizeof lines; p++) {
        if (*p == '\n' && (p == text || p[-1] != '\r'))
            lines[out++] = '\r';
        lines[out++] = *p;
    }
    lines[out] = '\0';
    SetDlgItemTextA(box, id, lines);
}

static void InitAbout(HWND box)
{
    char text[1024];
    SetDlgItemTextA(box, IDC_ABOUTNAME, zvFlavor.pszCaption);
    SetDlgItemTextA(box, IDC_ABOUTCOPYRIGHT, szNotice);
    snprintf(text, sizeof text, "%s (%s)", szVersion, szBuildDate);
    SetDlgItemTextA(box, IDC_ABOUTVERSION, text);
    snprintf(text, sizeof text, "[JPEG] %s\n[PNG] %s\n[ZLIB] %s", JPGVersion(), PNGVersion(), ZLIBVersion());
    SetLines(box, IDC_LIBRARYINFO, text);
}

/* The button's address from the string table, given the version. */
static void OpenWebPage(HWND box, UINT id)
{
    char fmt[512], address[600];
    if (LoadStringA(hPgmInstance, id, fmt, sizeof fmt) <= 0)
        return;
    snprintf(address, sizeof address, fmt, szVersionQuery);
    ShellExecuteA(box, "open", address, NULL, NULL, SW_SHOWNORMAL);
}

INT_PTR CALLBACK DlgAbout(HWND box, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        InitAbout(box);
    } else if (msg == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            DestroyWindow(box);
            break;
        case IDC_WEBSITE:
        case IDC_CHECKUPDATES:
            OpenWebPage(box, LOWORD(wParam));
            break;
        }
    }
    return FALSE;
}

} // namespace zv
