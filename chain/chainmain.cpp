/*
 * chainmain.cpp - ZVChain's whole run: parse, check the file, read the
 * list, start it, exit with 0.  The program has no window.
 */
#include "chain.h"

#include <string.h>

#include "settings.h"

namespace zv {

AppListEntry sAppList[APPLIST_MAX];
char strCurrentDir[CHAIN_PATH];
int flgDebug;
HINSTANCE MyInstance;

static const char szProgram[] = "ZVChain";
static const char szVersion[] = "Version 1.2.038";
static const char szCopyright[] = "Copyright \xA9 The Zorvan Authors. All rights reserved.";
static const char szUsage[] =
    "ZVChain [options] <config_file>\n\nwhere [options] may include\n\n"
    "-? | -h | --help\tDisplay this information\n"
    "-v | --version\tDisplay program version information\n"
    "-d | --debug\tEnable debugging output\n";

int ChainMain(HINSTANCE instance, const char *cmdline)
{
    CHAINARGS args;
    char name[1024], full[CHAIN_PATH];
    char *filePart = NULL;

    MyInstance = instance;
    SplitChainCommandLine(cmdline, &args);
    if (args.option == CO_HELP)
        ChainBox(MB_ICONINFORMATION, "%s %s\n%s\n\n%s", szProgram, szVersion, szCopyright, szUsage);
    else if (args.option == CO_VERSION)
        ChainBox(MB_ICONINFORMATION, "%s %s\n%s", szProgram, szVersion, szCopyright);
    else if (args.option == CO_DEBUG)
        flgDebug = 1;

    memset(name, 0, sizeof name);
    if (args.cchName > 0) {
        /* a longer name is cut here only for the box: it cannot fit a path */
        size_t n = args.cchName < sizeof name - 1 ? args.cchName : sizeof name - 1;
        strncpy_s(name, sizeof name, args.pszName, n);
    } else if (!DefaultConfigName(name, sizeof name)) {
        ReportDefaultTooLong();
        return 0;
    }

    DWORD len = GetFullPathNameA(name, sizeof full, full, &filePart);
    if (len == 0 || len >= sizeof full) {
        ChainBox(MB_ICONERROR, "Error: Configuration file %s not found!", name);
        return 0;
    }
    if (!ConfigFileExists(full)) {
        ChainBox(MB_ICONERROR, "Error: Configuration file %s not found!", full);
        return 0;
    }

    ConfigFolder(full, strCurrentDir, sizeof strCurrentDir);
    SetCurrentDirectoryA(strCurrentDir);
    StartAppList(ReadAppList(full));
    return 0;
}

} // namespace zv

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdline, int)
{
    return zv::ChainMain(instance, cmdline);
}
