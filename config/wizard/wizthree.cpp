/*
 * wizthree.cpp - the document page (134): what the disc opens, the window
 * mode of every start, and whether the document opens as a local address.
 */
#include "wizard.h"
#include "resource.h"
#include "asciitext.h"

namespace zv {

/* The stored texts; the runtime reads their first three letters. */
static const char *const winModes[] = { "Minimize", "Normal", "Maximize" };

/*
 * The first item (in the list's sorted order) that begins with text, the
 * case aside: an empty text picks the first, a text no item begins with
 * picks none.  Done here, as the list's own prefix search does not do it
 * alike on every system.
 */
static void SelectPrefix(HWND list, const char *text)
{
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        char item[ARI_WINMODELEN];
        if (SendMessageA(list, CB_GETLBTEXTLEN, i, 0) >= (LRESULT)sizeof item)
            continue;
        SendMessageA(list, CB_GETLBTEXT, i, (LPARAM)item);
        if (StartsWithNoCase(item, text)) {
            SendMessageA(list, CB_SETCURSEL, i, 0);
            return;
        }
    }
    SendMessageA(list, CB_SETCURSEL, (WPARAM)-1, 0);
}

static void OnInit(HWND page)
{
    EnableFrameButton(IDC_PREVIOUS, TRUE);
    SetDlgItemTextA(page, IDC_DOCUMENT, AutoRunInf.strDocument);
    HWND list = GetDlgItem(page, IDC_WINDOWMODE);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const char *mode : winModes)
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)mode);
    SelectPrefix(list, AutoRunInf.strWinMode);
    CheckDlgButton(page, IDC_BROWSELOCAL, AutoRunInf.flgBrowseLocalFile ? BST_CHECKED : BST_UNCHECKED);
}

static int Store(HWND page)
{
    GetDlgItemTextA(page, IDC_DOCUMENT, AutoRunInf.strDocument, sizeof AutoRunInf.strDocument);
    CopyIfNeeded(page, AutoRunInf.strInfFile, AutoRunInf.strDocument, sizeof AutoRunInf.strDocument);
    HWND list = GetDlgItem(page, IDC_WINDOWMODE);
    LRESULT sel = SendMessageA(list, CB_GETCURSEL, 0, 0);
    /* no item picked: a mode the list does not know stays as it was */
    if (sel != CB_ERR && SendMessageA(list, CB_GETLBTEXTLEN, sel, 0) < (LRESULT)sizeof AutoRunInf.strWinMode)
        SendMessageA(list, CB_GETLBTEXT, sel, (LPARAM)AutoRunInf.strWinMode);
    AutoRunInf.flgBrowseLocalFile = IsDlgButtonChecked(page, IDC_BROWSELOCAL) == BST_CHECKED ? -1 : 0;
    return 1;
}

static void Browse(HWND page, WPARAM)
{
    BrowseIntoEdit(page, IDC_DOCUMENT, IDS_SELECTDOCUMENT);
}

static const PAGECOMMAND commands[] = { { IDC_BROWSE, Browse } };
static const PAGEDEF wizThree = { OnInit, Store, commands, 1, NULL };

INT_PTR CALLBACK WizThree(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizThree, page, msg, wParam, lParam);
}

} // namespace zv
