/*
 * messages.cpp - the core's message and question boxes, the failure text
 * they share with the log, and the file probe.
 */
#include "settings.h"

#include <stdio.h>

namespace zv {

HINSTANCE hPgmInstance = NULL;

int (WINAPI *pfnMessageBoxA)(HWND, LPCSTR, LPCSTR, UINT) = MessageBoxA;

enum { TABLETEXTLEN = 512, SHORTTABLETEXTLEN = 256, SYSTEXTLEN = 512, COMPOSEDLEN = 1024, NOTIFYLEN = 512 };

static HINSTANCE StringModule(void)
{
    return hPgmInstance ? hPgmInstance : GetModuleHandleA(NULL);
}

static const char *OrEmpty(const char *s) { return s ? s : ""; }

/* The table's text of id, or a format that names the id and still takes
 * the arguments when the table lacks it. */
static void LoadFormat(char *fmt, size_t size, UINT id, const char *fallback)
{
    if (LoadStringA(StringModule(), id, fmt, (int)size) <= 0)
        snprintf(fmt, size, fallback, (unsigned)id);
}

void ComposeFailureText(char *out, size_t size, UINT id, const char *arg, DWORD err)
{
    char fmt[TABLETEXTLEN];
    char sys[SYSTEXTLEN];

    if (size == 0)
        return;
    LoadFormat(fmt, sizeof fmt, id, "An unexpected event #%u has occurred: %%s\n\n%%s");
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, err,
                        LANG_USER_DEFAULT, sys, sizeof sys, NULL))
        sys[0] = '\0';
    /* spare empty arguments: a table text with more %s than given reads them */
    snprintf(out, size, fmt, OrEmpty(arg), sys, "", "");
}

int NotifyUserSE(HWND owner, UINT id, const char *arg)
{
    /* first thing: loading the table text may change the error */
    DWORD err = GetLastError();
    char text[COMPOSEDLEN];

    ComposeFailureText(text, sizeof text, id, arg, err);
    return pfnMessageBoxA(owner, text, zvFlavor.pszCaption, MB_OK | MB_ICONWARNING);
}

int NotifyUser(HWND owner, UINT id, const char *arg)
{
    char fmt[SHORTTABLETEXTLEN];
    char text[NOTIFYLEN];

    LoadFormat(fmt, sizeof fmt, id, "An unexpected event #%u has occurred: %%s");
    snprintf(text, sizeof text, fmt, OrEmpty(arg), "", "");
    return pfnMessageBoxA(owner, text, zvFlavor.pszCaption, MB_OK | MB_ICONWARNING);
}

int AskUserYN(HWND owner, UINT id, const char *a, const char *b, const char *c)
{
    char fmt[SHORTTABLETEXTLEN];
    char text[COMPOSEDLEN];

    LoadFormat(fmt, sizeof fmt, id, "An unexpected event #%u has occurred: %%s");
    snprintf(text, sizeof text, fmt, OrEmpty(a), OrEmpty(b), OrEmpty(c), "");
    return pfnMessageBoxA(owner, text, zvFlavor.pszCaption, MB_YESNO | MB_ICONQUESTION) == IDYES ? 1 : 0;
}

int FileExists(const char *path)
{
    /* a drive without a disc must not raise the system's own box */
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_READONLY, NULL);

    if (h == INVALID_HANDLE_VALUE) {
        SetErrorMode(oldMode);
        return 0;
    }
    CloseHandle(h);
    SetErrorMode(oldMode);
    return 1;
}

} // namespace zv
