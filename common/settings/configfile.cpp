/*
 * configfile.cpp - where a settings file named on a command line lives:
 * the probe that takes only a file (never a folder), and the folder that
 * relative names in it resolve against.
 */
#include "settings.h"

#include <string.h>

namespace zv {

/* Opened for no access, with the system's boxes for empty drives off. */
int ConfigFileExists(const char *path)
{
    UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_READONLY, NULL);
    int found = h != INVALID_HANDLE_VALUE;

    if (found)
        CloseHandle(h);
    /* some file systems open folders this way too; a folder is no settings file */
    if (found && (GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY))
        found = 0;
    SetErrorMode(mode);
    return found;
}

void ConfigFolder(const char *fullPath, char *dir, size_t size)
{
    if (strcpy_s(dir, size, fullPath) != 0) {
        dir[0] = '\0';
        return;
    }
    char *slash = strrchr(dir, '\\');
    if (!slash)
        return;
    /* "D:" alone names the drive's current folder, not its root */
    if (slash == dir + 2 && dir[1] == ':')
        slash[1] = '\0';
    else
        *slash = '\0';
}

} // namespace zv
