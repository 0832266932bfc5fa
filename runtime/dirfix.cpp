/*
 * dirfix.cpp - the folder that holds the settings file, which DirFix makes
 * the current directory so that relative names on the disc resolve.
 */
#include "runtime.h"

namespace zv {

int SettingsFolder(const char *path, char *folder, size_t size)
{
    if (size == 0)
        return 0;
    folder[0] = '\0';

    const char *slash = strrchr(path, '\\');
    size_t len = slash ? (size_t)(slash - path) : strlen(path);
    /* "E:" names the drive's current folder, "E:\" its root */
    if (slash && (slash == path || (slash == path + 2 && path[1] == ':')))
        len++;
    if (len >= size)
        return 0;
    memcpy(folder, path, len);
    folder[len] = '\0';
    return 1;
}

} // namespace zv
