/*
 * pages.cpp - what every page does: Next and Previous on, and leaving the
 * page marks the settings changed; and what the pages ask of their
 * controls.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

INT_PTR PageProtocol(UINT msg, WPARAM wParam)
{
    if (msg == WM_INITDIALOG) {
        EnableFrameButton(IDC_NEXT, TRUE);
        EnableFrameButton(IDC_PREVIOUS, TRUE);
    } else if (msg == WM_COMMAND && (wParam == IDC_NEXT || wParam == IDC_PREVIOUS)) {
        SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
    }
    return 0;
}

int IsBoxChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

} // namespace zv
