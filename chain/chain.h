/*
 * chain.h - ZVChain's run: the list of programs read from its INI file and
 * the state shared by the steps that parse, read and start it.
 */
#ifndef ZV_CHAIN_H
#define ZV_CHAIN_H

#include <windows.h>
#include <stddef.h>

namespace zv {

enum { APPLIST_MAX = 12, CHAIN_PATH = 260 };

struct AppListEntry {
    char strCommand[CHAIN_PATH];  /* program, optionally quoted, then its parameters */
    int nWait;                    /* >0 sleep seconds, <0 wait for the end, 0 go on */
    HANDLE hProcess;              /* never closed: released when ZVChain exits */
};

extern AppListEntry sAppList[APPLIST_MAX];
extern char strCurrentDir[CHAIN_PATH];
extern int flgDebug;
extern HINSTANCE MyInstance;

/* ---- command line (chainargs.cpp) ---- */

enum { CO_NONE = 0, CO_HELP, CO_VERSION, CO_DEBUG, CO_UNKNOWN };

struct CHAINARGS {
    int option;           /* CO_NONE when the first word is a file name */
    const char *pszName;  /* the file name inside the command line, not terminated */
    size_t cchName;       /* 0: the default file */
};

void SplitChainCommandLine(const char *cmdline, CHAINARGS *args);
/* ZVCHAIN.INI beside the program; 0 when the program's own path does not fit. */
int DefaultConfigName(char *name, size_t size);

/* ---- list (applist.cpp) ---- */

int ReadAppList(const char *iniPath);

/* ---- starts and waits (startlist.cpp) ---- */

void StartAppList(int count);

/* ---- boxes (chainmsg.cpp) ---- */

int ChainBox(UINT icon, const char *format, ...) __attribute__((format(gnu_printf, 2, 3)));
void ShellErrorText(INT_PTR code, char *out, size_t size);
void ReportWaitFailure(void);
/* The default file cannot be named: the missing-file box with the reason. */
void ReportDefaultTooLong(void);

/* ---- the whole run (chainmain.cpp) ---- */

int ChainMain(HINSTANCE instance, const char *cmdline);

} // namespace zv

#endif
