/*
 * startlist.cpp - starts the list through the shell's "open" verb, one entry
 * after the other, sleeping or waiting for each started process.
 */
#include "chain.h"

#include <shellapi.h>
#include <string.h>

#include "launch.h"

namespace zv {

/* INFINITE is no length of time: the longest sleep is one below it. */
static const ULONGLONG MAX_SLEEP_MS = INFINITE - 1;

static DWORD WaitMilliseconds(int nWait)
{
    if (nWait <= 0)
        return 0;
    ULONGLONG ms = (ULONGLONG)(unsigned)nWait * 1000u;
    return (DWORD)(ms > MAX_SLEEP_MS ? MAX_SLEEP_MS : ms);
}

static void WaitForEnd(HANDLE process)
{
    DWORD r;

    do
        r = WaitForMultipleObjects(1, &process, FALSE, 10000);
    while (r == WAIT_TIMEOUT);
    if (r != WAIT_OBJECT_0)
        ReportWaitFailure();
}

static void StartEntry(AppListEntry *e)
{
    char program[CHAIN_PATH], params[CHAIN_PATH];
    SHELLEXECUTEINFOA sei;

    memset(program, 0, sizeof program);
    memset(params, 0, sizeof params);
    OrderParams(e->strCommand, "", program, sizeof program, params, sizeof params);

    memset(&sei, 0, sizeof sei);
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS;
    sei.hwnd = GetDesktopWindow();
    sei.lpVerb = "open";
    sei.lpFile = program;
    sei.lpParameters = params;
    sei.lpDirectory = strCurrentDir;
    sei.nShow = SW_SHOWNORMAL;

    if (flgDebug)
        ChainBox(MB_ICONINFORMATION, "Executing: \"%s\" \"%s\"", program, params);

    BOOL ok = ShellExecuteExA(&sei);
    INT_PTR code = (INT_PTR)sei.hInstApp;
    if (!ok || code <= 32) {
        char reason[512];
        ShellErrorText(code, reason, sizeof reason);
        ChainBox(MB_ICONWARNING, "Cannot execute %s:\n\n%s", e->strCommand, reason);
        e->hProcess = NULL;
        return;
    }
    /* a document handed to a running program gives no process */
    e->hProcess = sei.hProcess;
    if (!e->hProcess)
        return;
    if (e->nWait > 0)
        Sleep(WaitMilliseconds(e->nWait));
    else if (e->nWait < 0)
        WaitForEnd(e->hProcess);
}

void StartAppList(int count)
{
    for (int i = 0; i < count && i < APPLIST_MAX; i++)
        StartEntry(&sAppList[i]);
}

} // namespace zv
