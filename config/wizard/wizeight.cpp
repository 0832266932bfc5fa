/*
 * wizeight.cpp - the splash page (139): whether a splash shows, the
 * runtime's own picture or the author's picture or video, its size read
 * from the file, and the video's animation mode.
 */
#include "wizard.h"
#include "resource.h"
#include "asciitext.h"
#include "filecheck.h"
#include "pictures.h"

#include <stdio.h>
#include <stdlib.h>

namespace zv {

/* The animation modes, each item carrying its mode as item data. */
static const char *const szAnimations[] = { "(0) play once", "(1) repeat", "(2) wait until finished" };

/* The custom-image controls, enabled together. */
static const int idCustom[] = { IDC_SPLASHFILE, IDC_SPLASHBROWSE, IDC_IMAGEWIDTH, IDC_IMAGEHEIGHT,
                                IDC_ANIMATION, IDC_LOOKUP };

enum { PICTURE_NONE, PICTURE_BITMAP, PICTURE_PNG, PICTURE_JPEG };

/* What Lookup can read of a name, by the part from its last dot. */
static int PictureKind(const char *name)
{
    const char *dot = strrchr(name, '.');
    if (!dot)
        return PICTURE_NONE;
    if (SameTextNoCase(dot, ".BMP") || SameTextNoCase(dot, ".DIB"))
        return PICTURE_BITMAP;
    if (SameTextNoCase(dot, ".PNG"))
        return PICTURE_PNG;
    if (SameTextNoCase(dot, ".JPG") || SameTextNoCase(dot, ".JPEG"))
        return PICTURE_JPEG;
    return PICTURE_NONE;
}

static void UpdateLookup(HWND page, WPARAM = 0)
{
    char name[ARI_PATHLEN];
    GetDlgItemTextA(page, IDC_SPLASHFILE, name, sizeof name);
    EnableWindow(GetDlgItem(page, IDC_LOOKUP), PictureKind(name) != PICTURE_NONE);
}

/* Lookup goes with them only for a name it can read. */
static void EnableCustom(HWND page, BOOL enable)
{
    for (int id : idCustom)
        EnableWindow(GetDlgItem(page, id), enable);
    if (enable)
        UpdateLookup(page);
}

static int BitmapSize(const char *name, UINT *width, UINT *height)
{
    /* a damaged file is refused before the platform reads past it */
    HBITMAP bitmap = LoadBitmapFile(name);
    BITMAP info;
    if (!bitmap)
        return 0;
    int ok = GetObjectA(bitmap, sizeof info, &info) == sizeof info;
    DeleteObject(bitmap);
    if (ok) {
        *width = (UINT)info.bmWidth;
        *height = (UINT)info.bmHeight;
    }
    return ok;
}

/* The picture's own size into the two edits; a file it cannot read
 * leaves them as they are, without a message. */
static void Lookup(HWND page, WPARAM)
{
    char name[ARI_PATHLEN];
    UINT width = 0, height = 0;
    int ok = 0;

    if (!GetDlgItemTextA(page, IDC_SPLASHFILE, name, sizeof name))
        return;
    switch (PictureKind(name)) {
    case PICTURE_BITMAP:
        ok = BitmapSize(name, &width, &height);
        break;
    case PICTURE_PNG:
        ok = GetPNGSize(name, &width, &height);
        break;
    case PICTURE_JPEG:
        ok = GetJPGSize(name, &width, &height);
        break;
    }
    if (!ok)
        return;
    SetDlgItemInt(page, IDC_IMAGEWIDTH, width, FALSE);
    SetDlgItemInt(page, IDC_IMAGEHEIGHT, height, FALSE);
}

static void Browse(HWND page, WPARAM)
{
    if (!BrowseIntoEdit(page, IDC_SPLASHFILE, IDS_SELECTSPLASH))
        return;
    UpdateLookup(page);
    if (IsWindowEnabled(GetDlgItem(page, IDC_LOOKUP)))
        SendMessageA(page, WM_COMMAND, IDC_LOOKUP, 0);
}

static void OnInit(HWND page)
{
    char first[8];
    HWND list = GetDlgItem(page, IDC_ANIMATION);

    EnableNextPrevious();
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < sizeof szAnimations / sizeof szAnimations[0]; i++) {
        LRESULT at = SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)szAnimations[i]);
        if (at >= 0)
            SendMessageA(list, CB_SETITEMDATA, (WPARAM)at, (LPARAM)i);
    }
    /* a mode written by hand may be larger: its last digit chooses */
    snprintf(first, sizeof first, "(%u)", AutoRunInf.uSplashMode % 10);
    SendMessageA(list, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)first);

    int shown = !AutoRunInf.flgHideSplash, custom = AutoRunInf.strSplash[0] != '\0';
    CheckDlgButton(page, IDC_SHOWSPLASH, shown ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(page, IDC_CUSTOMSPLASH, custom ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(page, IDC_SPLASHFILE, AutoRunInf.strSplash);
    SetDlgItemInt(page, IDC_IMAGEWIDTH, (UINT)AutoRunInf.uImageWidth, FALSE);
    SetDlgItemInt(page, IDC_IMAGEHEIGHT, (UINT)AutoRunInf.uImageHeight, FALSE);
    EnableCustom(page, shown && custom);
    EnableWindow(GetDlgItem(page, IDC_CUSTOMSPLASH), shown);
}

static int Store(HWND page)
{
    AutoRunInf.flgHideSplash = IsBoxChecked(page, IDC_SHOWSPLASH) ? 0 : -1;
    if (AutoRunInf.flgHideSplash) {
        AutoRunInf.strSplash[0] = '\0';
        AutoRunInf.uSplashLen = 5;
        AutoRunInf.uPauseLen = 0;
    } else if (IsBoxChecked(page, IDC_CUSTOMSPLASH)) {
        GetDlgItemTextA(page, IDC_SPLASHFILE, AutoRunInf.strSplash, sizeof AutoRunInf.strSplash);
        AutoRunInf.uImageWidth = (int)GetDlgItemInt(page, IDC_IMAGEWIDTH, NULL, FALSE);
        AutoRunInf.uImageHeight = (int)GetDlgItemInt(page, IDC_IMAGEHEIGHT, NULL, FALSE);
        HWND list = GetDlgItem(page, IDC_ANIMATION);
        LRESULT at = SendMessageA(list, CB_GETCURSEL, 0, 0);
        AutoRunInf.uSplashMode = at == CB_ERR ? 0 : (unsigned)SendMessageA(list, CB_GETITEMDATA, (WPARAM)at, 0);
        if (AutoRunInf.strSplash[0])
            CopyIfNeeded(page, AutoRunInf.strInfFile, AutoRunInf.strSplash, sizeof AutoRunInf.strSplash);
    } else {
        /* the runtime's own splash picture */
        AutoRunInf.strSplash[0] = '\0';
        AutoRunInf.uImageWidth = 0;
        AutoRunInf.uImageHeight = 0;
        AutoRunInf.uSplashMode = 0;
    }
    return 1;
}

static void ShowClicked(HWND page, WPARAM)
{
    EnableWindow(GetDlgItem(page, IDC_CUSTOMSPLASH), IsBoxChecked(page, IDC_SHOWSPLASH));
    EnableCustom(page, IsBoxChecked(page, IDC_SHOWSPLASH) && IsBoxChecked(page, IDC_CUSTOMSPLASH));
}

static void CustomClicked(HWND page, WPARAM)
{
    EnableCustom(page, IsBoxChecked(page, IDC_CUSTOMSPLASH));
}

static const PAGECOMMAND commands[] = {
    { MAKEWPARAM(IDC_SPLASHFILE, EN_CHANGE), UpdateLookup },
    { MAKEWPARAM(IDC_SPLASHFILE, EN_KILLFOCUS), UpdateLookup },
    { MAKEWPARAM(IDC_SHOWSPLASH, ANYNOTIFICATION), ShowClicked },
    { MAKEWPARAM(IDC_CUSTOMSPLASH, ANYNOTIFICATION), CustomClicked },
    { IDC_SPLASHBROWSE, Browse },
    { IDC_LOOKUP, Lookup },
};
static const PAGEDEF wizEight = { OnInit, Store, commands, sizeof commands / sizeof commands[0], NULL };

INT_PTR CALLBACK WizEight(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizEight, page, msg, wParam, lParam);
}

} // namespace zv
