/*
 * wiznine.cpp - the splash options page (140): how long the splash stays,
 * the pause before the document, the alternate splash window, keeping the
 * runtime on top, and the splash window's title.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

static void OnInit(HWND page)
{
    EnableNextPrevious();
    SetDlgItemInt(page, IDC_SPLASHTIME, AutoRunInf.uSplashLen, FALSE);
    SetDlgItemInt(page, IDC_PAUSETIME, AutoRunInf.uPauseLen, FALSE);
    SetDlgItemTextA(page, IDC_WINDOWTITLE, AutoRunInf.strCDTitle);
    /* without a picture of the author's the runtime's own times hold */
    if (!AutoRunInf.strSplash[0]) {
        EnableWindow(GetDlgItem(page, IDC_SPLASHTIME), FALSE);
        EnableWindow(GetDlgItem(page, IDC_PAUSETIME), FALSE);
    }
    CheckDlgButton(page, IDC_ALTSPLASH, AutoRunInf.flgAlternateSplash ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(page, IDC_WINDOWTITLE), !AutoRunInf.flgAlternateSplash);
    CheckDlgButton(page, IDC_TOPMOST, AutoRunInf.flgTopMost ? BST_CHECKED : BST_UNCHECKED);
    /* the record keeps 63 characters of it */
    SendDlgItemMessageA(page, IDC_WINDOWTITLE, EM_LIMITTEXT, ARI_SHORTLEN, 0);
}

static int Store(HWND page)
{
    AutoRunInf.flgTopMost = IsBoxChecked(page, IDC_TOPMOST) ? -1 : 0;
    if (IsWindowEnabled(GetDlgItem(page, IDC_SPLASHTIME))) {
        AutoRunInf.uSplashLen = GetDlgItemInt(page, IDC_SPLASHTIME, NULL, FALSE);
        if (AutoRunInf.uSplashLen == 0)
            AutoRunInf.uSplashLen = 1;
        AutoRunInf.uPauseLen = GetDlgItemInt(page, IDC_PAUSETIME, NULL, FALSE);
    } else {
        AutoRunInf.uSplashLen = 5;
        AutoRunInf.uPauseLen = 0;
    }
    AutoRunInf.flgAlternateSplash = IsBoxChecked(page, IDC_ALTSPLASH) ? -1 : 0;
    if (AutoRunInf.flgAlternateSplash)
        AutoRunInf.strCDTitle[0] = '\0';
    else
        GetDlgItemTextA(page, IDC_WINDOWTITLE, AutoRunInf.strCDTitle, sizeof AutoRunInf.strCDTitle);
    return 1;
}

/* the alternate window has no title of its own */
static void AltClicked(HWND page, WPARAM)
{
    EnableWindow(GetDlgItem(page, IDC_WINDOWTITLE), !IsBoxChecked(page, IDC_ALTSPLASH));
}

static const PAGECOMMAND commands[] = { { IDC_ALTSPLASH, AltClicked } };
static const PAGEDEF wizNine = { OnInit, Store, commands, 1, NULL };

INT_PTR CALLBACK WizNine(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizNine, page, msg, wParam, lParam);
}

} // namespace zv
