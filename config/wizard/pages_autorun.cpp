/*
 * pages_autorun.cpp - the AUTORUN, document, viewer and default-action
 * pages (indexes 1 to 5), which for now follow the page protocol only.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

INT_PTR CALLBACK WizTwo(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizTwoPtFive(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizThree(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizFour(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizFive(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }

} // namespace zv
