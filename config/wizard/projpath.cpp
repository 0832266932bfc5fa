/*
 * projpath.cpp - file values made relative to the project folder (the
 * folder of AUTORUN.INF, the future root of the disc), and files from
 * elsewhere copied into it on request.
 */
#include "wizard.h"
#include "resource.h"
#include "asciitext.h"

namespace zv {

/* The long form of path into dst; the path as it is when it has none
 * (a file not there yet).  0 when it does not fit. */
static int LongForm(const char *path, char *dst, size_t size)
{
    char longer[PATHLEN];
    DWORD n = GetLongPathNameA(path, longer, sizeof longer);
    return strcpy_s(dst, size, n > 0 && n < sizeof longer ? longer : path) == 0;
}

/* The short (8.3) form of path; the path as it is when it has none. */
static int ShortForm(const char *path, char *dst, size_t size)
{
    char shorter[PATHLEN];
    DWORD n = GetShortPathNameA(path, shorter, sizeof shorter);
    return strcpy_s(dst, size, n > 0 && n < sizeof shorter ? shorter : path) == 0;
}

void MakeRelativePathName(HWND, const char *infPath, char *path)
{
    char folder[PATHLEN], longFolder[PATHLEN], full[PATHLEN], longFull[PATHLEN];
    if (!path[0] || !ProjectFolder(infPath, folder, sizeof folder))
        return;
    DWORD n = GetFullPathNameA(path, sizeof full, full, NULL);
    if (n == 0 || n >= sizeof full)
        return;
    /* an opened project's INF path may be in 8.3 form, a picked file's not */
    if (!LongForm(folder, longFolder, sizeof longFolder) || !LongForm(full, longFull, sizeof longFull))
        return;
    size_t len = strlen(longFolder);
    if (_strnicmp(longFull, longFolder, len) == 0)
        strcpy_s(path, ARI_PATHLEN, longFull + len);
    else if (_strnicmp(longFull, longFolder, 2) == 0 && longFull[1] == ':')
        strcpy_s(path, ARI_PATHLEN, longFull + 2);
}

int ProjectFilePath(const char *infPath, const char *value, char *path, size_t size)
{
    char folder[PATHLEN];
    if (!value[0] || !ProjectFolder(infPath, folder, sizeof folder))
        return 0;
    if (value[0] == '\\' && value[1] != '\\')
        folder[folder[1] == ':' ? 2 : 0] = '\0';   /* from the root of the project's drive */
    else if (value[0] == '\\' || value[1] == ':')
        folder[0] = '\0';
    return strcpy_s(path, size, folder) == 0 && strcat_s(path, size, value) == 0;
}

int NamesProjectFile(const char *infPath, const char *value)
{
    char path[PATHLEN];
    return ProjectFilePath(infPath, value, path, sizeof path) && FileExists(path);
}

/* Copies source to destination; 0 after telling the author why not. */
int CopyIntoProject(HWND owner, const char *source, const char *destination, BOOL overwrite)
{
    if (CopyFileA(source, destination, !overwrite))
        return 1;
    NotifyUserSE(owner, IDS_FILEWRITEERROR, destination);
    return 0;
}

/* Copies without the dialog, after Yes, Always; 1 when the value may
 * become the bare name. */
static int CopyAlways(HWND owner, const char *project, const char *source, const char *destination)
{
    SetCurrentDirectoryA(project);
    if (FileExists(destination)) {
        if (WizardBox(owner, IDS_REPLACEFILE, destination, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return 0;
        return CopyIntoProject(owner, source, destination, TRUE);
    }
    return CopyIntoProject(owner, source, destination, FALSE);
}

int CopyIfNeeded(HWND owner, const char *infPath, char *value, size_t size)
{
    char folder[PATHLEN], project[PATHLEN], work[PATHLEN], full[PATHLEN], source[PATHLEN];
    char name[256], destination[PATHLEN];
    char *namePart = NULL;

    /* variables and addresses are the runtime's to resolve */
    if (!value[0] || strchr(value, '%') || strstr(value, "://"))
        return 0;
    if (!ProjectFolder(infPath, folder, sizeof folder) || !ShortForm(folder, project, sizeof project))
        return 0;

    int rooted = value[0] == '\\' || value[1] == ':';
    if ((rooted ? strcpy_s(work, sizeof work, value)
                : (strcpy_s(work, sizeof work, ".\\") || strcat_s(work, sizeof work, value))) != 0)
        return 0;
    DWORD n = GetFullPathNameA(work, sizeof full, full, &namePart);
    if (n == 0 || n >= sizeof full || !namePart || strcpy_s(name, sizeof name, namePart) != 0)
        return 0;

    if (!FileExists(full)) {
        WizardBox(owner, IDS_COPYTOMEDIUM, name, MB_OK | MB_ICONINFORMATION);
        return strcpy_s(value, size, name) == 0;
    }
    if (!ShortForm(full, source, sizeof source))
        return 0;
    size_t len = strlen(project);
    if (_strnicmp(source, project, len) == 0)
        return strcpy_s(value, size, source + len) == 0;

    if (strcpy_s(destination, sizeof destination, project) != 0 ||
        strcat_s(destination, sizeof destination, name) != 0)
        return 0;
    int copied;
    if (ACDAlways()) {
        copied = CopyAlways(owner, project, source, destination);
    } else {
        AUTOCOPYINFO info = { project, source, destination };
        INT_PTR answer = DialogBoxParamA(hPgmInstance, MAKEINTRESOURCEA(IDD_AUTOCOPY), owner, DlgAutoCopy,
                                         (LPARAM)&info);
        copied = (answer == IDYES || answer == IDYESALWAYS) &&
                 (FileExists(destination) || CopyIntoProject(owner, source, destination, FALSE));
    }
    return copied && strcpy_s(value, size, name) == 0;
}

} // namespace zv
