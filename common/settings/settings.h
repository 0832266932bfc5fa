/*
 * settings.h - the settings core that every program links: readers of
 * AUTORUN.INF and ZORVAN.DAT, the runtime's command line, the log file,
 * message boxes, the text escapes and the file probe.
 *
 * The core comes in one source and several flavours: each program links
 * one flavour record (flavor.h) that names its caption, banner, string ids
 * and the reader differences between the runtime and the utility.
 */
#ifndef ZV_SETTINGS_H
#define ZV_SETTINGS_H

#include <windows.h>
#include <stdarg.h>

#include "autoruninf.h"
#include "flavor.h"
#include "safestr.h"

namespace zv {

/* ---- command line (cmdline.cpp) ---- */

enum { CLT_SWITCH = 0, CLT_INT = 1, CLT_TEXT = 2 };

union CMDVALUE {
    int n;
    char *psz;
};

struct CMDLINEOPTION {
    int cLetter;
    const char *pstrName;
    int uType;
    int flgPresent;
    CMDVALUE value;
};

enum { CLO_INF = 0, CLO_LOG = 1, CLO_DAT = 2, CLO_TEST = 3, CLO_COUNT = 4 };

extern CMDLINEOPTION aclp[CLO_COUNT];

CMDLINEOPTION *ParseCommandLine(AUTORUNINF *ari, const char *text, int report);
void FreeCommandLine(CMDLINEOPTION *table);

/* ---- readers (inf_reader.cpp, dat_reader.cpp) ---- */

int ReadAutoRunInf(const char *path, AUTORUNINF *ari, int skipAutoRun);
int ReadZorvanDat(const char *path, AUTORUNINF *ari);

/* The scrambling key of scrambled INF values. */
extern const char szScrambleKey[];

/* Time of day for the time sections; tests point it at a chosen clock. */
extern void (WINAPI *pfnGetLocalTime)(LPSYSTEMTIME);

/* ---- log (log.cpp) ---- */

void OutputLogString(AUTORUNINF *ari, const char *text);
void Logf(AUTORUNINF *ari, const char *format, ...);
void LogSysErr(AUTORUNINF *ari, UINT id, const char *arg);
HANDLE OpenLogFile(AUTORUNINF *ari, const char *path);
void CloseLogFile(AUTORUNINF *ari);
void DumpARI(AUTORUNINF *ari);

/* ---- messages (messages.cpp) ---- */

/* Module whose string table supplies every text; NULL means the program. */
extern HINSTANCE hPgmInstance;

/* Every box of the core goes through this; tests may record instead. */
extern int (WINAPI *pfnMessageBoxA)(HWND, LPCSTR, LPCSTR, UINT);

/* The failure text of string id with arg and the system text of the error
 * code err (taken by the caller before anything could change it). */
void ComposeFailureText(char *out, size_t size, UINT id, const char *arg, DWORD err);

int NotifyUserSE(HWND owner, UINT id, const char *arg);
int NotifyUser(HWND owner, UINT id, const char *arg);
int AskUserYN(HWND owner, UINT id, const char *a, const char *b, const char *c);
int FileExists(const char *path);

/* ---- settings files named on a command line (configfile.cpp) ---- */

/* 1 when path is a file that can be opened (a folder is none), else 0. */
int ConfigFileExists(const char *path);
/* The folder of a full path without its final backslash, but a drive's
 * root keeps it ("D:\"); empty when it does not fit. */
void ConfigFolder(const char *fullPath, char *dir, size_t size);

/* ---- text escapes (escapes.cpp) ---- */

size_t CoprPrint(char *dst, size_t size, const char *src);
void CoprPrintInplace(char *buffer, size_t size);
void PreProcess(char *buffer, size_t size);

} // namespace zv

#endif
