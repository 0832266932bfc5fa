/*
 * wizbox.cpp - the wizard's own message boxes: a string-table text with one
 * argument, the utility's caption, through the settings core's seam so
 * that tests can answer them in-process.
 */
#include "wizard.h"

#include <stdio.h>

namespace zv {

int WizardBox(HWND owner, UINT id, const char *arg, UINT type)
{
    char fmt[512], text[1024];
    if (LoadStringA(hPgmInstance, id, fmt, sizeof fmt) <= 0)
        snprintf(fmt, sizeof fmt, "An unexpected event #%u has occurred: %%s", id);
    snprintf(text, sizeof text, fmt, arg ? arg : "", "");
    return pfnMessageBoxA(owner, text, zvFlavor.pszCaption, type);
}

} // namespace zv
