/*
 * findexe.cpp - the runtime program for the OPEN line, and the program
 * that Windows associates with a document.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

static const char szRuntime[] = "ZORVAN.EXE";

int FindZorvanExe(HWND owner, const char *infPath, char *value, size_t size)
{
    char candidate[PATHLEN], inProject[PATHLEN];
    DWORD n = GetModuleFileNameA(NULL, candidate, sizeof candidate);
    if (n == 0 || n >= sizeof candidate)
        return 0;
    char *slash = strrchr(candidate, '\\');
    *(slash ? slash + 1 : candidate) = '\0';
    if (strcat_s(candidate, sizeof candidate, szRuntime) != 0)
        return 0;

    /* the project folder itself, whatever folder is current */
    if (ProjectFolder(infPath, inProject, sizeof inProject) &&
        strcat_s(inProject, sizeof inProject, szRuntime) == 0 && FileExists(inProject))
        return strcpy_s(value, size, szRuntime) == 0;

    if (!FileExists(candidate)) {
        NotifyUserSE(owner, IDS_FILENOTFOUND, candidate);
        GetFileName(owner, IDS_LOCATEZORVAN, candidate, 0);
        EnterProjectFolder(infPath);
    }
    CopyIfNeeded(owner, infPath, candidate, sizeof candidate);
    strcpy_s(value, size, candidate);
    return 1;
}

/* The default value of a key under HKEY_CLASSES_ROOT; 0 when none. */
static int ClassesValue(const char *keyName, char (&value)[256])
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    int read = QueryTextValue(key, NULL, value, sizeof value, NULL, NULL);
    RegCloseKey(key);
    return read;
}

int GetAssociatedExe(const char *file, char *program, size_t size)
{
    char kind[256], command[256], key[300];
    const char *ext = strrchr(file, '.');
    if (!ext || !ClassesValue(ext, kind) || !kind[0])
        return 0;
    if (strcpy_s(key, sizeof key, kind) != 0 || strcat_s(key, sizeof key, "\\shell\\open\\command") != 0 ||
        !ClassesValue(key, command))
        return 0;

    const char *start = command, *end;
    if (*start == '"') {
        end = strchr(++start, '"');
        if (!end)
            return 0;   /* an unclosed quote names no program */
    } else {
        /* a program without arguments is the whole command */
        end = strchr(start, ' ');
        if (!end)
            end = start + strlen(start);
    }
    if (end == start || (size_t)(end - start) >= size)
        return 0;
    memcpy(program, start, (size_t)(end - start));
    program[end - start] = '\0';
    return 1;
}

} // namespace zv
