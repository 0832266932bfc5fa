/*
 * chainmsg.cpp - ZVChain's message boxes: owned by the desktop, captioned
 * "ZVChain", texts from the string table where the table has them.
 */
#include "chain.h"

#include <stdarg.h>
#include <stdio.h>

#include "resource.h"
#include "safestr.h"

namespace zv {

static const char szCaption[] = "ZVChain";

int ChainBox(UINT icon, const char *format, ...)
{
    char text[1024];
    va_list ap;

    va_start(ap, format);
    vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    return MessageBoxA(GetDesktopWindow(), text, szCaption, MB_OK | icon);
}

void ShellErrorText(INT_PTR code, char *out, size_t size)
{
    out[0] = '\0';
    /* only 0 to 32 are the shell's codes; 33 and up are other texts */
    if (code < 0 || code > 32 || LoadStringA(MyInstance, (UINT)code, out, (int)size) <= 0)
        strcpy_s(out, size, "An unexpected error has occurred.");
}

/* The system's text for err; empty when it has none. */
static void SystemText(DWORD err, char *out, DWORD size)
{
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, err, LANG_USER_DEFAULT,
                        out, size, NULL))
        out[0] = '\0';
}

void ReportWaitFailure(void)
{
    DWORD err = GetLastError();
    char format[512], system[512];

    if (LoadStringA(MyInstance, IDS_WAITFAILED, format, sizeof format) <= 0)
        snprintf(format, sizeof format, "An unexpected event #%u has occurred: %%s\n\n%%s",
                 (unsigned)IDS_WAITFAILED);
    SystemText(err, system, sizeof system);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    ChainBox(MB_ICONWARNING, format, "", system);
#pragma GCC diagnostic pop
}

void ReportDefaultTooLong(void)
{
    char system[512];

    SystemText(ERROR_FILENAME_EXCED_RANGE, system, sizeof system);
    ChainBox(MB_ICONERROR, "Error: Configuration file %s not found!\n\n%s", "ZVCHAIN.INI", system);
}

} // namespace zv
