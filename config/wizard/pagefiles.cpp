/*
 * pagefiles.cpp - what the pages with a file field share: the browse
 * button that fills the field with a name relative to the project folder.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

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
