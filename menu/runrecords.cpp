/*
 * runrecords.cpp - the current user's registry as the menu uses it: one
 * key per menu file under Software\Quorvel\ZVMenu, one "HasRun<n>" value
 * per item that has run.  Failures go to the debugger output only.
 */
#include "menu.h"

#include <stdio.h>
#include <string.h>

#include "asciitext.h"
#include "safestr.h"

namespace zv {
namespace menu {

const char szRecordsParent[] = "Software\\Quorvel\\ZVMenu";

static void DebugLastError(LONG code)
{
    char text[256];

    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, (DWORD)code,
                        LANG_USER_DEFAULT, text, sizeof text, NULL))
        snprintf(text, sizeof text, "registry error %ld\n", (long)code);
    OutputDebugStringA(text);
}

int CreateHKCUKey(const char *subkey)
{
    HKEY key;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              NULL, &key, NULL);
    if (rc != ERROR_SUCCESS) {
        DebugLastError(rc);
        return 0;
    }
    RegCloseKey(key);
    return 1;
}

int SetHKCUKey(const char *subkey, const char *name, const char *text, DWORD type)
{
    HKEY key;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_ALL_ACCESS, &key);
    if (rc == ERROR_SUCCESS) {
        rc = RegSetValueExA(key, name, 0, type, (const BYTE *)text, (DWORD)strlen(text) + 1);
        RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS) {
        DebugLastError(rc);
        return 0;
    }
    return 1;
}

int QueryHKCUKey(const char *subkey, const char *name, char *buffer, DWORD *size, DWORD *type)
{
    HKEY key;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key);
    if (rc == ERROR_SUCCESS) {
        rc = RegQueryValueExA(key, name, NULL, type, (BYTE *)buffer, size);
        RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS) {
        buffer[0] = '\0';
        DebugLastError(rc);
        return 0;
    }
    return 1;
}

int DeleteHKCUKey(const char *parent, const char *subkey)
{
    HKEY key;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, parent, 0, KEY_READ, &key);
    if (rc == ERROR_SUCCESS) {
        rc = RegDeleteKeyA(key, subkey);
        RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS) {
        DebugLastError(rc);
        return 0;
    }
    return 1;
}

/* Judged by what was stored, not by what the buffer happens to hold: a
 * text must end within the value, a number must be four bytes. */
int RecordSaysRun(const char *data, DWORD size, DWORD type)
{
    if (type == REG_SZ)
        return memchr(data, '\0', size) != NULL && SameTextNoCase(data, "YES");
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD v;
        memcpy(&v, data, sizeof v);
        return v != 0;
    }
    return 0;
}

void DeleteRunRecords(void)
{
    size_t n = strlen(szRecordsParent);

    /* the key the records were written to, shortened or not */
    if (strncmp(ZVMENU_KEY, szRecordsParent, n) == 0 && ZVMENU_KEY[n] == '\\' && ZVMENU_KEY[n + 1])
        DeleteHKCUKey(szRecordsParent, ZVMENU_KEY + n + 1);
}

void WriteRunRecord(int nItem)
{
    char name[32];

    snprintf(name, sizeof name, "HasRun%d", nItem);
    CreateHKCUKey(ZVMENU_KEY);
    SetHKCUKey(ZVMENU_KEY, name, "YES", REG_SZ);
}

} // namespace menu
} // namespace zv
