/*
 * pagecommands.cpp - what the pages share: a page described as data (what
 * it does when it opens, when it is left, and for each of its buttons),
 * and the browse button that fills a file field.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

static int Matches(WPARAM entry, WPARAM wParam)
{
    if (HIWORD(entry) == ANYNOTIFICATION)
        return LOWORD(entry) == LOWORD(wParam);
    return entry == wParam;
}

INT_PTR RunPage(const PAGEDEF &def, HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        def.pfnInit(page);
    } else if (msg == WM_COMMAND && (wParam == IDC_NEXT || wParam == IDC_PREVIOUS)) {
        /* Next and Previous alike: the page is left either way */
        if (def.pfnStore(page))
            SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
    } else if (msg == WM_COMMAND) {
        for (size_t i = 0; i < def.count; i++)
            if (Matches(def.commands[i].wParam, wParam))
                def.commands[i].pfnHandler(page, wParam);
    } else if (def.pfnMessage) {
        return def.pfnMessage(page, msg, wParam, lParam);
    }
    return 0;
}

int BrowseIntoEdit(HWND page, int edit, UINT title)
{
    char name[ARI_PATHLEN];
    /* the dialog takes at most PATHLEN - 1 characters as its start */
    GetDlgItemTextA(page, edit, name, PATHLEN);
    if (!GetFileName(hwndMain, title, name, 1))
        return 0;
    MakeRelativePathName(page, AutoRunInf.strInfFile, name);
    SetDlgItemTextA(page, edit, name);
    return 1;
}

} // namespace zv
