/*
 * help.cpp - HTML Help, loaded only when the author first asks for it:
 * most runs never need it, and a PC without it must still run the wizard.
 */
#include "wizard.h"

namespace zv {

typedef HWND (WINAPI *HTMLHELPAFN)(HWND, LPCSTR, UINT, DWORD_PTR);

HWND CallHtmlHelp(int load, HWND owner, const char *file, UINT command, DWORD_PTR data)
{
    static HMODULE hHelp;
    static HTMLHELPAFN pfnHtmlHelpA;

    if (!hHelp && load) {
        hHelp = LoadLibraryA("hhctrl.ocx");
        if (hHelp)
            pfnHtmlHelpA = (HTMLHELPAFN)(void *)GetProcAddress(hHelp, "HtmlHelpA");
    }
    return pfnHtmlHelpA ? pfnHtmlHelpA(owner, file, command, data) : NULL;
}

} // namespace zv
