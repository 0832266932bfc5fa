/*
 * backup.cpp - one .BAK generation of every file the writer replaces, put
 * back when the new file cannot be written, and the plain file write.
 */
#include "writer_int.h"

namespace zv {

/* path with the extension of its file name replaced by ".BAK"; 0 when the
 * file name has no extension or the name would be path itself. */
static int BackupName(char *dst, size_t size, const char *path)
{
    const char *name = path;
    for (const char *p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char *dot = strrchr(name, '.');
    if (!dot)
        return 0;

    char backup[BACKUPNAMELEN] = { 0 };
    if (strncpy_s(backup, sizeof backup, path, (size_t)(dot - path)) != 0 ||
        strcat_s(backup, sizeof backup, ".BAK") != 0)
        return 0;
    /* saving a file named like its own backup must not delete it */
    if (lstrcmpiA(backup, path) == 0)
        return 0;
    return strcpy_s(dst, size, backup) == 0;
}

/* 0 no backup name, 1 nothing to back up, 2 moved, -1 the move failed. */
static int MoveToBackup(const char *path, char *backup, size_t size)
{
    if (!BackupName(backup, size, path))
        return 0;
    if (!FileExists(path))
        return 1;
    /* the older backup goes only when this file really takes its place */
    return MoveFileExA(path, backup, MOVEFILE_REPLACE_EXISTING) ? 2 : -1;
}

int CreateBackupFile(const char *path)
{
    char backup[BACKUPNAMELEN];
    int r = MoveToBackup(path, backup, sizeof backup);
    return r > 0 ? 1 : 0;
}

void BeginReplace(REPLACEMENT *r, const char *path)
{
    r->szPath[0] = r->szBackup[0] = '\0';
    r->fBackedUp = 0;
    strcpy_s(r->szPath, sizeof r->szPath, path);
    r->fExisted = FileExists(path);
    r->fBackedUp = MoveToBackup(path, r->szBackup, sizeof r->szBackup) == 2;
}

void AbandonReplace(REPLACEMENT *r, int fCreated)
{
    /* the caller reports the failure that brought us here */
    DWORD err = GetLastError();

    if (r->fBackedUp) {
        /* the new file goes only as the old one replaces it */
        if (MoveFileExA(r->szBackup, r->szPath, MOVEFILE_REPLACE_EXISTING))
            r->fBackedUp = 0;
    } else if (fCreated && !r->fExisted) {
        DeleteFileA(r->szPath);
    }
    /* an old file that could not be moved aside has been written over:
     * the new one is all there is, and stays */
    SetLastError(err);
}

static int WriteAll(HANDLE h, const char *text)
{
    size_t len = strlen(text);
    while (len) {
        DWORD chunk = len > 0x10000000 ? 0x10000000 : (DWORD)len;
        DWORD written = 0;
        if (!WriteFile(h, text, chunk, &written, NULL))
            return 0;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return 0;
        }
        text += written;
        len -= written;
    }
    return 1;
}

int WriteTextFile(const char *path, const char *first, const char *second)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 0;

    int ok = WriteAll(h, first) && (!second || WriteAll(h, second));
    DWORD err = GetLastError();
    if (!CloseHandle(h) && ok) {
        ok = 0;
        err = GetLastError();
    }
    if (!ok) {
        /* no half-written file stays behind */
        DeleteFileA(path);
        SetLastError(err);
    }
    return ok;
}

} // namespace zv
