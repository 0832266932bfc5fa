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

static void Store(HWND page)
{
    char typed[ARI_PATHLEN];
    GetDlgItemTextA(page, IDC_COPYRIGHT, typed, sizeof typed);
    /* a line break typed with Ctrl+Enter becomes \n, escapes stay as typed */
    CoprPrint(AutoRunInf.strCopyright, sizeof AutoRunInf.strCopyright, typed);
    SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
}

INT_PTR CALLBACK WizSix(HWND page, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        char escaped[ARI_PATHLEN];
        PageProtocol(msg, wParam);
        CoprPrint(escaped, sizeof escaped, AutoRunInf.strCopyright);
        SetDlgItemTextA(page, IDC_COPYRIGHT, escaped);
        ShowPreview(page, AutoRunInf.strCopyright);
    } else if (msg == WM_COMMAND) {
        if (wParam == IDC_NEXT || wParam == IDC_PREVIOUS) {
            Store(page);
        } else if (wParam == MAKEWPARAM(IDC_COPYRIGHT, EN_CHANGE)) {
            char typed[ARI_PATHLEN];
            GetDlgItemTextA(page, IDC_COPYRIGHT, typed, sizeof typed);
            ShowPreview(page, typed);
        }
    }
    return 0;
}

} // namespace zv
