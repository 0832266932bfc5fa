/*
 * regsettings.cpp - the utility's per-user store under HKEY_CURRENT_USER
 * "Software\Quorvel\Zorvan", one subkey a section.  The wizard reads only
 * the default copyright text of new projects; the writers define the
 * store's layout for whoever fills it.  Its text read, which takes only a
 * value that ends inside the caller's buffer, serves the association
 * lookup too.
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

int QueryTextValue(HKEY key, const char *name, char *buffer, DWORD size, DWORD *type, DWORD *bytes)
{
    DWORD got = size, kind = REG_NONE;
    if (size == 0 || RegQueryValueExA(key, name, NULL, &kind, (BYTE *)buffer, &got) != ERROR_SUCCESS || got > size)
        return 0;
    /* a value stored without its NUL ends here, when there is room */
    if (got == 0 || buffer[got - 1] != '\0') {
        if (got == size)
            return 0;
        buffer[got] = '\0';
    }
    if (type)
        *type = kind;
    if (bytes)
        *bytes = got;
    return 1;
}

/* Opens section's key for reading; 0 when there is none. */
static int OpenForRead(const char *section, HKEY *key)
{
    char path[KEYPATHLEN];
    return SettingsKey(path, section) && RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, key) == ERROR_SUCCESS;
}

DWORD GetSettingsString(const char *section, const char *name, const char *def, char *buffer, DWORD size)
{
    if (size == 0)
        return 0;
    HKEY key;
    if (OpenForRead(section, &key)) {
        DWORD type = REG_NONE, got = 0;
        int read = QueryTextValue(key, name, buffer, size, &type, &got) && type == REG_SZ && got > 0;
        RegCloseKey(key);
        if (read)
            return got;
    }
    if (strcpy_s(buffer, size, def ? def : "") != 0)
        buffer[0] = '\0';
    return (DWORD)strlen(buffer);
}

DWORD GetSettingsInt(const char *section, const char *name, DWORD def)
{
    HKEY key;
    if (!OpenForRead(section, &key))
        return def;
    DWORD value = 0, got = sizeof value, type = REG_NONE;
    LONG rc = RegQueryValueExA(key, name, NULL, &type, (BYTE *)&value, &got);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD && got == sizeof value ? value : def;
}

} // namespace zv
