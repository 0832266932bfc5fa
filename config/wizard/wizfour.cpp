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
static void TakeAssociation(HWND page, WPARAM)
{
    char program[ARI_PATHLEN];
    if (GetAssociatedExe(AutoRunInf.strDocument, program, sizeof program))
        SetDlgItemTextA(page, IDC_VIEWER, program);
    else
        NotifyUserSE(page, IDS_NOASSOCIATION, "");
}

static void OnInit(HWND page)
{
    /* the frame's buttons stay as the last page left them */
    SetDlgItemTextA(page, IDC_VIEWER, AutoRunInf.strViewer);
    CheckDlgButton(page, IDC_FORCEVIEWER, AutoRunInf.flgForceViewer ? BST_CHECKED : BST_UNCHECKED);
}

static int Store(HWND page)
{
    GetDlgItemTextA(page, IDC_VIEWER, AutoRunInf.strViewer, sizeof AutoRunInf.strViewer);
    AutoRunInf.flgForceViewer = IsDlgButtonChecked(page, IDC_FORCEVIEWER) == BST_CHECKED ? -1 : 0;
    return 1;
}

static void Browse(HWND page, WPARAM)
{
    BrowseIntoEdit(page, IDC_VIEWER, IDS_SELECTVIEWER);
}

static const PAGECOMMAND commands[] = {
    { IDC_BROWSE, Browse },
    { IDC_ASSOCIATION, TakeAssociation },
};
static const PAGEDEF wizFour = { OnInit, Store, commands, sizeof commands / sizeof commands[0], NULL };

INT_PTR CALLBACK WizFour(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizFour, page, msg, wParam, lParam);
}

} // namespace zv
