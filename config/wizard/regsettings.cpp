/*
 * regsettings.cpp - the utility's per-user store under HKEY_CURRENT_USER
 * "Software\Quorvel\Zorvan", one subkey a section.  The wizard reads only
 * the default copyright text of new projects; the writers define the
 * store's layout for whoever fills it.
 */
#include "wizard.h"
#include "resource.h"

#include <stdio.h>

namespace zv {

static const char szSettingsKey[] = "Software\\Quorvel\\Zorvan";
static const char szKeyClass[] = "Zorvan Configuration Utility";

enum { KEYPATHLEN = 128 };

/* The key path of section; 0 when it would not fit (a cut path would
 * name another key). */
static int SettingsKey(char (&path)[KEYPATHLEN], const char *section)
{
    int n = section && section[0] ? snprintf(path, sizeof path, "%s\\%s", szSettingsKey, section)
                                   : snprintf(path, sizeof path, "%s", szSettingsKey);
    return n >= 0 && n < KEYPATHLEN;
}

static int RegistryFailed(LONG code)
{
    SetLastError((DWORD)code);
    NotifyUserSE(GetDesktopWindow(), IDS_REGWRITEERROR, "");
    return 0;
}

/* Opens section's key for writing, creating it first. */
static LONG OpenForWrite(const char *section, HKEY *key)
{
    char path[KEYPATHLEN];
    if (!SettingsKey(path, section))
        return ERROR_FILENAME_EXCED_RANGE;
    HKEY created;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, (LPSTR)szKeyClass, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, NULL, &created, NULL);
    if (rc != ERROR_SUCCESS)
        return rc;
    RegCloseKey(created);
    return RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, key);
}

int WriteSettingsString(const char *section, const char *name, const char *value)
{
    HKEY key;
    LONG rc = OpenForWrite(section, &key);
    if (rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    if (value)
        rc = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)value, (DWORD)strlen(value) + 1);
    else if ((rc = RegDeleteValueA(key, name)) == ERROR_FILE_NOT_FOUND)
        rc = ERROR_SUCCESS;
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? 1 : RegistryFailed(rc);
}

int WriteSettingsInt(const char *section, const char *name, DWORD value)
{
    HKEY key;
    LONG rc = OpenForWrite(section, &key);
    if (rc != ERROR_SUCCESS)
        return RegistryFailed(rc);
    rc = RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof value);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? 1 : RegistryFailed(rc);
}

/* The value when it exists with type and fits size; its byte count. */
static DWORD QueryValue(const char *section, const char *name, DWORD type, BYTE *data, DWORD size)
{
    char path[KEYPATHLEN];
    HKEY key;
    if (!SettingsKey(path, section) || RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    DWORD got = size, kind = REG_NONE;
    LONG rc = RegQueryValueExA(key, name, NULL, &kind, data, &got);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && kind == type ? got : 0;
}

DWORD GetSettingsString(const char *section, const char *name, const char *def, char *buffer, DWORD size)
{
    if (size == 0)
        return 0;
    /* one byte kept back: a value stored without its NUL still ends */
    DWORD got = QueryValue(section, name, REG_SZ, (BYTE *)buffer, size - 1);
    if (got) {
        buffer[got] = '\0';
        return got;
    }
    if (strcpy_s(buffer, size, def ? def : "") != 0)
        buffer[0] = '\0';
    return (DWORD)strlen(buffer);
}

DWORD GetSettingsInt(const char *section, const char *name, DWORD def)
{
    DWORD value = 0;
    return QueryValue(section, name, REG_DWORD, (BYTE *)&value, sizeof value) == sizeof value ? value : def;
}

} // namespace zv
