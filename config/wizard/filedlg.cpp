/*
 * filedlg.cpp - the common Open and Save dialogs, built from a string
 * triple (title, filter, default extension), and the project folder that
 * relative file values are resolved against.
 */
#include "wizard.h"
#include "resource.h"

#include <commdlg.h>

namespace zv {

int ProjectFolder(const char *infPath, char *folder, size_t size)
{
    char full[PATHLEN];
    char *name = NULL;
    DWORD n = GetFullPathNameA(infPath, sizeof full, full, &name);
    if (n == 0 || n >= sizeof full)
        return 0;
    if (name)
        *name = '\0';
    else if (full[0] && full[strlen(full) - 1] != '\\' && strcat_s(full, sizeof full, "\\") != 0)
        return 0;
    return strcpy_s(folder, size, full) == 0;
}

int EnterProjectFolder(const char *infPath)
{
    char folder[PATHLEN];
    return ProjectFolder(infPath, folder, sizeof folder) && SetCurrentDirectoryA(folder);
}

/* The filter's own last character separates its entries. */
static void LoadFilter(UINT id, char *filter, size_t size)
{
    int len = LoadStringA(hPgmInstance, id, filter, (int)size - 1);
    if (len <= 0)
        len = 0;
    filter[len] = filter[len + 1] = '\0';
    if (len == 0)
        return;
    char separator = filter[len - 1];
    for (int i = 0; i < len; i++)
        if (filter[i] == separator)
            filter[i] = '\0';
}

int GetFileName(HWND owner, UINT title, char *file, int keepFolder)
{
    char saved[PATHLEN], szTitle[256], filter[512], ext[256];
    DWORD n = GetCurrentDirectoryA(sizeof saved, saved);
    int haveSaved = n > 0 && n < sizeof saved;

    if (LoadStringA(hPgmInstance, title, szTitle, sizeof szTitle) <= 0)
        szTitle[0] = '\0';
    LoadFilter(title + 1, filter, sizeof filter);
    int hasExt = LoadStringA(hPgmInstance, title + 2, ext, sizeof ext) > 0;
    file[PATHLEN - 1] = '\0';

    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = hPgmInstance;
    ofn.lpstrFilter = filter[0] ? filter : NULL;
    ofn.lpstrFile = file;
    ofn.nMaxFile = PATHLEN;
    ofn.lpstrTitle = szTitle;
    ofn.lpstrDefExt = hasExt ? ext : NULL;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;

    BOOL picked;
    if (title == IDS_CREATEINF) {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        picked = GetSaveFileNameA(&ofn);
    } else if (title == IDS_CREATEDAT) {
        picked = GetSaveFileNameA(&ofn);
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        picked = GetOpenFileNameA(&ofn);
    }

    /* Without keepFolder the picked file's folder becomes current, as the
     * system's dialog does it; a cancelled dialog leaves things as they were. */
    if ((keepFolder || !picked) && haveSaved)
        SetCurrentDirectoryA(saved);
    else if (picked)
        EnterProjectFolder(file);
    return picked ? 1 : 0;
}

} // namespace zv
