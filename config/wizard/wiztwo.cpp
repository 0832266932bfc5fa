/*
 * wiztwo.cpp - the AUTORUN page (132): the program Windows starts (always
 * the runtime, found anew when the page is left), the disc's icon with a
 * preview, and the disc's label.
 */
#include "wizard.h"
#include "resource.h"
#include "filecheck.h"

#include <shellapi.h>

namespace zv {

/* The icon on the preview button; kept after the page closes, replaced
 * (and destroyed) by the next preview. */
static HICON hico = NULL;

static HICON Placeholder(void)
{
    return (HICON)LoadImageA(hPgmInstance, MAKEINTRESOURCEA(IDI_PLACEHOLDER), IMAGE_ICON, 0, 0,
                             LR_LOADMAP3DCOLORS | LR_DEFAULTSIZE);
}

/* Icon number of a file, or the placeholder when there is none.  A
 * damaged icon file, and a number that is no icon of it, never go to the
 * platform. */
static HICON IconOf(const char *file, UINT number)
{
    HICON icon = NULL;
    if (file[0] && FileExists(file) && IconSourceLoadable(file, number))
        icon = ExtractIconA(hPgmInstance, file, number);
    /* 1 means "not an icon file", NULL "no such icon" */
    if ((UINT_PTR)icon <= 1)
        icon = Placeholder();
    return icon;
}

/* The button lets go of the old icon before it is destroyed; the one of
 * an earlier visit of the page is destroyed here too. */
static void ShowIcon(HWND page, HICON icon)
{
    HICON old = hico;
    hico = icon;
    SendDlgItemMessageA(page, IDC_ICONPREVIEW, BM_SETIMAGE, IMAGE_ICON, (LPARAM)hico);
    if (old)
        DestroyIcon(old);
}

/* Preview and number make sense only with an icon file. */
static void EnableIconControls(HWND page, BOOL haveFile)
{
    EnableWindow(GetDlgItem(page, IDC_ICONPREVIEW), haveFile);
    EnableWindow(GetDlgItem(page, IDC_ICONNUMBER), haveFile);
}

static void Preview(HWND page, WPARAM = 0)
{
    char file[ARI_PATHLEN];
    GetDlgItemTextA(page, IDC_ICONFILE, file, sizeof file);
    ShowIcon(page, IconOf(file, GetDlgItemInt(page, IDC_ICONNUMBER, NULL, FALSE)));
    HWND button = GetDlgItem(page, IDC_ICONPREVIEW);
    InvalidateRect(button, NULL, TRUE);
    UpdateWindow(button);
}

static void OnInit(HWND page)
{
    EnableNextPrevious();
    SetDlgItemTextA(page, IDC_OPENPROGRAM, AutoRunInf.strOpen);
    SetDlgItemTextA(page, IDC_ICONFILE, AutoRunInf.strIcon);
    SetDlgItemTextA(page, IDC_MEDIALABEL, AutoRunInf.strLabel);
    SetDlgItemInt(page, IDC_ICONNUMBER, (UINT)AutoRunInf.uIcon, FALSE);
    EnableIconControls(page, AutoRunInf.strIcon[0] != '\0');
    ShowIcon(page, IconOf(AutoRunInf.strIcon, (UINT)AutoRunInf.uIcon));
}

static int Store(HWND page)
{
    /* whatever OPEN line was read, the disc starts the runtime */
    FindZorvanExe(page, AutoRunInf.strInfFile, AutoRunInf.strOpen, sizeof AutoRunInf.strOpen);
    GetDlgItemTextA(page, IDC_ICONFILE, AutoRunInf.strIcon, sizeof AutoRunInf.strIcon);
    AutoRunInf.uIcon = (int)GetDlgItemInt(page, IDC_ICONNUMBER, NULL, FALSE);
    GetDlgItemTextA(page, IDC_MEDIALABEL, AutoRunInf.strLabel, sizeof AutoRunInf.strLabel);
    /* the splash title follows the label until the splash page sets its own */
    strcpy_s(AutoRunInf.strCDTitle, sizeof AutoRunInf.strCDTitle, AutoRunInf.strLabel);
    CopyIfNeeded(page, AutoRunInf.strInfFile, AutoRunInf.strIcon, sizeof AutoRunInf.strIcon);
    return 1;
}

static void Browse(HWND page, WPARAM)
{
    if (BrowseIntoEdit(page, IDC_ICONFILE, IDS_SELECTICON)) {
        EnableIconControls(page, TRUE);
        Preview(page);
    }
}

static void IconFileLeft(HWND page, WPARAM)
{
    EnableIconControls(page, GetWindowTextLengthA(GetDlgItem(page, IDC_ICONFILE)) > 0);
}

static const PAGECOMMAND commands[] = {
    { IDC_ICONPREVIEW, Preview },
    { IDC_BROWSE, Browse },
    { MAKEWPARAM(IDC_ICONFILE, EN_KILLFOCUS), IconFileLeft },
};
static const PAGEDEF wizTwo = { OnInit, Store, commands, sizeof commands / sizeof commands[0], NULL };

INT_PTR CALLBACK WizTwo(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizTwo, page, msg, wParam, lParam);
}

} // namespace zv
