/*
 * wizsix.cpp - the copyright page (137): the splash's copyright line edited
 * in its escaped one-line form, with the decoded text previewed below.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

/* The preview shows what the runtime will draw. */
static void ShowPreview(HWND page, const char *escaped)
{
    char text[ARI_PATHLEN];
    strcpy_s(text, sizeof text, escaped);
    PreProcess(text, sizeof text);
    SetDlgItemTextA(page, IDC_COPYRIGHTTEXT, text);
}

static void OnInit(HWND page)
{
    char escaped[ARI_PATHLEN];
    EnableNextPrevious();
    CoprPrint(escaped, sizeof escaped, AutoRunInf.strCopyright);
    SetDlgItemTextA(page, IDC_COPYRIGHT, escaped);
    ShowPreview(page, AutoRunInf.strCopyright);
}

static int Store(HWND page)
{
    char typed[ARI_PATHLEN];
    GetDlgItemTextA(page, IDC_COPYRIGHT, typed, sizeof typed);
    /* a line break typed with Ctrl+Enter becomes \n, escapes stay as typed */
    CoprPrint(AutoRunInf.strCopyright, sizeof AutoRunInf.strCopyright, typed);
    return 1;
}

static void CopyrightTyped(HWND page, WPARAM)
{
    char typed[ARI_PATHLEN];
    GetDlgItemTextA(page, IDC_COPYRIGHT, typed, sizeof typed);
    ShowPreview(page, typed);
}

static const PAGECOMMAND commands[] = { { MAKEWPARAM(IDC_COPYRIGHT, EN_CHANGE), CopyrightTyped } };
static const PAGEDEF wizSix = { OnInit, Store, commands, 1, NULL };

INT_PTR CALLBACK WizSix(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizSix, page, msg, wParam, lParam);
}

} // namespace zv
