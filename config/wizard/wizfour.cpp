/*
 * wizfour.cpp - the viewer page (135): the program that opens the
 * document when Windows has none for it, or always with Force Viewer.
 * The viewer lives on the user's computer, so it is never copied.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

/* The program Windows opens the stored document with (the one of the
 * document page as last left), or a warning and no change. */
static void TakeAssociation(HWND page)
{
    char program[ARI_PATHLEN];
    if (GetAssociatedExe(AutoRunInf.strDocument, program, sizeof program))
        SetDlgItemTextA(page, IDC_VIEWER, program);
    else
        NotifyUserSE(page, IDS_NOASSOCIATION, "");
}

INT_PTR CALLBACK WizFour(HWND page, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(page, IDC_VIEWER, AutoRunInf.strViewer);
        CheckDlgButton(page, IDC_FORCEVIEWER, AutoRunInf.flgForceViewer ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    }
    if (msg != WM_COMMAND)
        return 0;
    switch (wParam) {
    case IDC_NEXT:
    case IDC_PREVIOUS:
        GetDlgItemTextA(page, IDC_VIEWER, AutoRunInf.strViewer, sizeof AutoRunInf.strViewer);
        AutoRunInf.flgForceViewer = IsDlgButtonChecked(page, IDC_FORCEVIEWER) == BST_CHECKED ? -1 : 0;
        SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
        break;
    case IDC_BROWSE:
        BrowseIntoEdit(page, IDC_VIEWER, IDS_SELECTVIEWER);
        break;
    case IDC_ASSOCIATION:
        TakeAssociation(page);
        break;
    }
    return 0;
}

} // namespace zv
