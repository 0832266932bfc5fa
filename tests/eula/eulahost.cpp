/*
 * eulahost.cpp - shows the licence-text dialog alone, as the runtime would,
 * so that tests can drive it from outside.  The exit code is the dialog's
 * result (1 agreed, 2 declined, -1 no dialog).
 *
 *   eulahost [--simple] [--xp] CAPTION FILE
 *
 * --xp shows the template of the older rich edit instead of letting the
 * dialog choose.
 */
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "eula.h"
#include "settings.h"

namespace zv {

static AUTORUNINF settings;

static int Run(HINSTANCE hInstance, int argc, char **argv)
{
    int xp = 0, i = 1;

    for (; i < argc && strncmp(argv[i], "--", 2) == 0; i++) {
        if (strcmp(argv[i], "--simple") == 0)
            settings.flgSimpleAccept = -1;
        else if (strcmp(argv[i], "--xp") == 0)
            xp = 1;
    }
    if (argc - i != 2)
        return 3;
    strcpy_s(settings.strLNCaption, sizeof settings.strLNCaption, argv[i]);
    strcpy_s(settings.strEULA, sizeof settings.strEULA, argv[i + 1]);
    hPgmInstance = hInstance;
    if (!xp)
        return (int)EULADialog(hInstance, &settings);
    LoadLibraryA("riched20.dll");
    return (int)DialogBoxParamA(hInstance, "EULAXP", GetDesktopWindow(), EULADlgProc,
                                (LPARAM)&settings);
}

} // namespace zv

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return zv::Run(hInstance, __argc, __argv);
}
