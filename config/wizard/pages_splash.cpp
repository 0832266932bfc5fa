/*
 * pages_splash.cpp - the copyright, splash, placement, sound and
 * legal-notice pages (indexes 6 to 11), which for now follow the page
 * protocol only.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

INT_PTR CALLBACK WizSix(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizEight(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizNine(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizTen(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizEleven(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }
INT_PTR CALLBACK WizTwelve(HWND, UINT msg, WPARAM wParam, LPARAM) { return PageProtocol(msg, wParam); }

} // namespace zv
