/*
 * execute.cpp - one start through the shell's "open" verb, logged with its
 * outcome.
 */
#include <stdio.h>

#include "launch.h"
#include "runtime.h"

namespace zv {

enum { EXECLOGLEN = 512 };

static void LogExecuting(const char *file, const char *parameters)
{
    char line[EXECLOGLEN];

    snprintf(line, sizeof line, "Executing: \"%s\"", file);
    if (parameters && *parameters) {
        strcat_s(line, sizeof line, " \"");
        strcat_s(line, sizeof line, parameters);
        strcat_s(line, sizeof line, "\"");
    }
    OutputLogString(&ari, line);
}

HINSTANCE Execute(HWND, const char *file, const char *parameters, int showMode)
{
    SHELLEXECUTEINFOA sei;

    if (ari.flgLogging)
        LogExecuting(file, parameters);

    /* no UI: the runtime reports failures itself, after its own fallbacks */
    BOOL ok = ShellOpenQuiet(file, parameters, showMode, &sei);
    /* taken at once: the log's string lookups must not change what the
     * caller reports */
    DWORD err = GetLastError();

    if (ok && (INT_PTR)sei.hInstApp > 32)
        Logf(&ari, "Execution SUCCESS - Process %u", (unsigned)(UINT_PTR)sei.hInstApp);
    else
        LogSysErr(&ari, err, NULL);
    SetLastError(err);
    return sei.hInstApp;
}

} // namespace zv
