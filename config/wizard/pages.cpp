/*
 * pages.cpp - the AUTORUN, document, splash, sound and legal-notice pages
 * (indexes 1 to 11).  For now each follows the page protocol only: Next
 * and Previous on, and leaving the page marks the settings changed.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

static INT_PTR PageProtocol(UINT msg, WPARAM wParam)
{
    if (msg == WM_INITDIALOG) {
        EnableFrameButton(IDC_NEXT, TRUE);
        EnableFrameButton(IDC_PREVIOUS, TRUE);
    } else if (msg == WM_COMMAND && (wParam == IDC_NEXT || wParam == IDC_PREVIOUS)) {
        SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
    }
    return 0;
}

INT_PTR CALLBACK WizTwo(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizTwoPtFive(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizThree(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizFour(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizFive(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizSix(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizEight(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizNine(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizTen(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizEleven(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizTwelve(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }

} // namespace zv
