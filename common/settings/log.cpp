/*
 * log.cpp - the runtime's log file: timestamped lines, the banner, failure
 * lines and the dump of the settings record.
 */
#include "settings.h"

#include <stdio.h>

namespace zv {

enum { LOGLINELEN = 1024, BANNERLEN = 256, STAMPLEN = 26 };

static void WriteBytes(HANDLE h, const void *bytes, size_t count)
{
    DWORD written;
    /* a lost line must not stop the program */
    WriteFile(h, bytes, (DWORD)count, &written, NULL);
}

void OutputLogString(AUTORUNINF *ari, const char *text)
{
    if (!ari->hLogFile)
        return;

    /* a caller may log a step and then report the error that ended it */
    DWORD err = GetLastError();
    char stamp[STAMPLEN];
    time_t now = time(NULL);

    if (ctime_s(stamp, sizeof stamp, &now) != 0)
        memset(stamp, '?', 24);
    stamp[24] = ':';
    stamp[25] = ' ';
    WriteBytes(ari->hLogFile, stamp, sizeof stamp);
    WriteBytes(ari->hLogFile, text, strlen(text));
    WriteBytes(ari->hLogFile, "\r\n", 2);
    SetLastError(err);
}

void Logf(AUTORUNINF *ari, const char *format, ...)
{
    if (!ari->hLogFile)
        return;

    char line[LOGLINELEN];
    va_list args;

    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    OutputLogString(ari, line);
}

void LogSysErr(AUTORUNINF *ari, UINT id, const char *arg)
{
    if (!ari->hLogFile)
        return;

    DWORD err = GetLastError();
    char line[LOGLINELEN];

    ComposeFailureText(line, sizeof line, id, arg, err);
    OutputLogString(ari, line);
}

HANDLE OpenLogFile(AUTORUNINF *ari, const char *path)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);

    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        char text[LOGLINELEN];

        ComposeFailureText(text, sizeof text, zvFlavor.idFileError, path, err);
        pfnMessageBoxA(GetDesktopWindow(), text, zvFlavor.pszCaption, MB_OK | MB_ICONWARNING);
        return NULL;
    }

    char banner[BANNERLEN];

    ari->hLogFile = h;
    strcpy_s(ari->strLogFile, sizeof ari->strLogFile, path);
    snprintf(banner, sizeof banner, "%s %s", zvFlavor.pszProgram, zvFlavor.pszVersion);
    OutputLogString(ari, banner);
    ari->flgLogging = -1;
    return h;
}

void CloseLogFile(AUTORUNINF *ari)
{
    if (ari->hLogFile)
        CloseHandle(ari->hLogFile);
    ari->flgLogging = 0;
    ari->hLogFile = NULL;
    ari->strLogFile[0] = '\0';
}

static const char *TrueFalse(int set) { return set ? "TRUE" : "FALSE"; }

/* A one-bit flag as the log shows it: -1 read as unsigned. */
static void LogFlag(AUTORUNINF *ari, const char *label, int flag)
{
    Logf(ari, "    %s='%u' (%s)", label, (unsigned)flag, TrueFalse(flag));
}

static void LogText(AUTORUNINF *ari, const char *label, const char *value)
{
    Logf(ari, "    %s='%s'", label, value ? value : "(null)");
}

static void LogNumber(AUTORUNINF *ari, const char *label, unsigned value)
{
    Logf(ari, "    %s='%u'", label, value);
}

static void LogMs(AUTORUNINF *ari, const char *label, DWORD value)
{
    Logf(ari, "    %s='%lu'", label, (unsigned long)value);
}

void DumpARI(AUTORUNINF *ari)
{
    if (!ari->hLogFile)
        return;

    Logf(ari, "Dumping contents of AUTORUN.INF:");
    Logf(ari, "[AUTORUN] Section");
    LogText(ari, "strOpen", ari->strOpen);
    LogText(ari, "strLabel", ari->strLabel);
    LogText(ari, "strIcon", ari->strIcon);
    LogNumber(ari, "uIcon", (unsigned)ari->uIcon);
    LogText(ari, "strAction", ari->strAction);
    Logf(ari, "    %s=%s", "Content:Music", TrueFalse(ari->uContentFlags & CONTENT_MUSIC));
    Logf(ari, "    %s=%s", "Content:Picture", TrueFalse(ari->uContentFlags & CONTENT_PICTURES));
    Logf(ari, "    %s=%s", "Content:Video", TrueFalse(ari->uContentFlags & CONTENT_VIDEO));
    Logf(ari, "[ZORVAN DATA] Section");
    LogText(ari, "strDocument", ari->strDocument);
    LogText(ari, "strViewer", ari->strViewer);
    LogFlag(ari, "flgForceViewer", ari->flgForceViewer);
    LogNumber(ari, "uWindowMode", (unsigned)ari->uWindowMode);
    LogText(ari, "strDefaultAction", ari->strDefaultAction);
    LogFlag(ari, "flgDirFix", ari->flgDirFix);
    LogFlag(ari, "flgTopMost", ari->flgTopMost);
    LogFlag(ari, "flgTimeOption", ari->flgTimeOption);
    LogText(ari, "strCopyright", ari->strCopyright);
    LogText(ari, "strCDTitle", ari->strCDTitle);
    LogFlag(ari, "flgHideSplash", ari->flgHideSplash);
    LogFlag(ari, "flgAlternateSplash", ari->flgAlternateSplash);
    LogFlag(ari, "flgBrowseLocalFile", ari->flgBrowseLocalFile);
    LogText(ari, "strSplash", ari->strSplash);
    LogNumber(ari, "uSplashLen", ari->uSplashLen);
    LogNumber(ari, "uPauseLen", ari->uPauseLen);
    LogText(ari, "strMusic", ari->strMusic);
    LogNumber(ari, "uMusicLen", ari->uMusicLen);
    LogNumber(ari, "uImageWidth", (unsigned)ari->uImageWidth);
    LogNumber(ari, "uImageHeight", (unsigned)ari->uImageHeight);
    LogNumber(ari, "nOffsetAngle", (unsigned)ari->nOffsetAngle);
    LogNumber(ari, "uOffsetPercent", ari->uOffsetPercent);
    LogText(ari, "strLNCaption", ari->strLNCaption);
    if (ari->strEULA[0]) {
        LogText(ari, "strEULA", ari->strEULA);
        LogFlag(ari, "flgSimpleAccept", ari->flgSimpleAccept);
    } else {
        LogText(ari, "pstrLNText", ari->pstrLNText);
        LogNumber(ari, "uLNTextLen", ari->uLNTextLen);
    }
    LogMs(ari, "dwSplashTime", ari->dwSplashTime);
    LogMs(ari, "dwPauseTime", ari->dwPauseTime);
    LogMs(ari, "dwSleepTime", ari->dwSleepTime);
    LogNumber(ari, "uSplashMode", ari->uSplashMode);
}

} // namespace zv
