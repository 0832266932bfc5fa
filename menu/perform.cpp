/*
 * perform.cpp - what pressing an item does: start its command through the
 * shell, fall back to the menu file's DefaultAction, report a failure; and
 * the menu's own message box and file probe.
 */
#include "menu.h"

#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#include "launch.h"
#include "resource.h"
#include "safestr.h"
#include "settings.h"

namespace zv {
namespace menu {

static const char szCaption[] = "ZVMenu";

int (WINAPI *pfnMenuMessageBoxA)(HWND, LPCSTR, LPCSTR, UINT) = MessageBoxA;

int NotifyUserSE(HWND owner, UINT id, const char *arg)
{
    /* first thing: loading the table text may change the error */
    DWORD err = GetLastError();
    char fmt[128], sys[128], text[1024];

    if (LoadStringA(sOptions.hInstance, id, fmt, sizeof fmt) <= 0)
        snprintf(fmt, sizeof fmt,
                 "An unexpected event #%u has occurred: %%s. If this error persists, please contact the author.\n\n%%s",
                 (unsigned)id);
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, err, LANG_USER_DEFAULT,
                        sys, sizeof sys, NULL))
        sys[0] = '\0';
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    /* spare arguments: a table text with more %s than two reads them */
    snprintf(text, sizeof text, fmt, arg ? arg : "", sys, "", "");
#pragma GCC diagnostic pop
    return pfnMenuMessageBoxA(owner, text, szCaption, MB_OK | MB_ICONWARNING);
}

int FileExists(const char *path)
{
    /* a folder named as the menu file is no menu file */
    return ConfigFileExists(path);
}

int index(const char *text, const char *pattern)
{
    const char *at = strstr(text, pattern);
    return at ? (int)(at - text) : -1;
}

int indexi(const char *text, const char *pattern)
{
    char t[1024], p[1024];

    if (strcpy_s(t, sizeof t, text) || strcpy_s(p, sizeof p, pattern))
        return -1;
    _strupr_s(t, sizeof t);
    _strupr_s(p, sizeof p);
    return index(t, p);
}

/* Room for a whole item command: no program is ever cut (a cut one would
 * count as nothing to start). */
enum { SPLITLEN = COMMANDLEN + 8, TEXTLEN = 1024 };

/* The shell's code for the start, or 33 when it started. */
static INT_PTR ShellOpen(const char *program, const char *params, int show)
{
    SHELLEXECUTEINFOA sei;

    if (ShellOpenQuiet(program, params, show, &sei) && (INT_PTR)sei.hInstApp > 32)
        return 33;
    INT_PTR code = (INT_PTR)sei.hInstApp;
    /* a call that failed before the shell gave a code: not found */
    return code > 32 ? SE_ERR_FNF : code;
}

/* Every "{CMD}", in any case, replaced by what the item tried to start. */
static void ReplaceCmd(char *text, size_t size, const char *what)
{
    size_t whatLen = strlen(what);
    char *p = text;

    while (*p) {
        char *at = NULL;
        for (char *q = p; *q; q++)
            if (_strnicmp(q, "{CMD}", 5) == 0) {
                at = q;
                break;
            }
        if (!at)
            return;
        char rest[TEXTLEN];
        if (strcpy_s(rest, sizeof rest, at + 5))
            return;
        *at = '\0';
        /* a replacement that does not fit is left out with what follows it */
        if (strcat_s(text, size, what) || strcat_s(text, size, rest))
            return;
        p = at + whatLen;
    }
}

static void ShowEcho(HWND owner, const char *echoText, const char *program, const char *params)
{
    char text[TEXTLEN], what[2 * SPLITLEN];

    if (strcpy_s(text, sizeof text, echoText))
        text[0] = '\0';
    strcpy_s(what, sizeof what, program);
    if (params[0]) {
        strcat_s(what, sizeof what, " ");
        strcat_s(what, sizeof what, params);
    }
    ReplaceCmd(text, sizeof text, what);
    pfnMenuMessageBoxA(owner, text, szCaption, MB_OK | MB_ICONINFORMATION);
}

static void ReportFailure(HWND owner, const char *command, INT_PTR code)
{
    char reason[256], fmt[256], text[TEXTLEN];

    if (code < 0 || code > 32 || LoadStringA(sOptions.hInstance, (UINT)code, reason, sizeof reason) <= 0)
        snprintf(reason, sizeof reason,
                 "An unexpected event #%u has occurred: If this error persists, please contact the author.",
                 (unsigned)code);
    if (LoadStringA(sOptions.hInstance, IDS_EXECERROR, fmt, sizeof fmt) <= 0)
        strcpy_s(fmt, sizeof fmt, "Cannot execute %s:\n\n%s");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    snprintf(text, sizeof text, fmt, command, reason, "", "");
#pragma GCC diagnostic pop
    pfnMenuMessageBoxA(owner, text, szCaption, MB_OK | MB_ICONWARNING);
}

int Perform(HWND owner, const char *command, int maximize)
{
    char program[SPLITLEN], params[SPLITLEN];

    program[0] = params[0] = '\0';
    OrderParams(command, "", program, sizeof program, params, sizeof params);
    if (!program[0])
        return 1;

    INT_PTR code = ShellOpen(program, params, maximize ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    if (code > 32)
        return 1;

    if (sOptions.szDefaultAction[0]) {
        char program2[SPLITLEN], params2[SPLITLEN];
        program2[0] = params2[0] = '\0';
        OrderParams(sOptions.szDefaultAction, "", program2, sizeof program2, params2, sizeof params2);
        if (_stricmp(program2, "ECHO") == 0) {
            ShowEcho(owner, params2, program, params);
            return 0;
        }
        if (program2[0] && ShellOpen(program2, params2, SW_SHOWNORMAL) > 32)
            return 1;
    }
    ReportFailure(owner, command, code);
    return 0;
}

/* The program's own path and the argument did not fit one command: nothing
 * can open that sub-menu, which is a start that failed. */
static void ReportMenuTooLong(HWND owner, const char *arg)
{
    char self[MAX_PATH], command[COMMANDLEN + MAX_PATH];

    if (!GetModuleFileNameA(NULL, self, sizeof self))
        self[0] = '\0';
    /* a path too long for the buffer is named as far as it goes */
    self[sizeof self - 1] = '\0';
    snprintf(command, sizeof command, "\"%s\" %s", self, arg);
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    NotifyUserSE(owner, IDS_EXECERROR, command);
}

int PerformItem(HWND owner, const MENUAPP *app)
{
    /* a built "{MENU}" command is never empty */
    if (app->bMenu && !app->szCommand[0]) {
        ReportMenuTooLong(owner, app->szMenuArg);
        return 0;
    }
    return Perform(owner, app->szCommand, app->bMaximize);
}

} // namespace menu
} // namespace zv
