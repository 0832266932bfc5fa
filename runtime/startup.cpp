/*
 * startup.cpp - the whole run of ZORVAN.EXE: command line, log, settings,
 * music, splash, licence or legal notice, the waits and the document.
 * One thread, no message loop: the splash is painted once and the thread
 * sleeps.
 */
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "eula.h"
#include "music.h"
#include "pictures.h"
#include "splash.h"
#include "resource.h"
#include "runtime.h"

namespace zv {

AUTORUNINF ari;
HWND hSplash;
HENHMETAFILE hemf;
int fMusicPlaying;
int fAVIPlaying;

/* A value of the option table that outlives FreeCommandLine. */
static char *KeepValue(const CMDLINEOPTION &option)
{
    if (!option.flgPresent || !option.value.psz)
        return NULL;
    size_t len = strlen(option.value.psz);
    char *copy = (char *)malloc(len + 1);
    if (copy)
        memcpy(copy, option.value.psz, len + 1);
    return copy;
}

static void ReadSettings(CMDLINEOPTION *table)
{
    /* the readers may free the table while they follow an OPEN line */
    char *infPath = KeepValue(table[CLO_INF]);
    int test = table[CLO_TEST].flgPresent;

    ari.pstrDatFile = KeepValue(table[CLO_DAT]);
    if (!ari.pstrDatFile || !ReadZorvanDat(ari.pstrDatFile, &ari))
        ReadAutoRunInf(infPath, &ari, test ? 0 : 1);
    free(infPath);
}

static void FixCurrentDirectory(void)
{
    char folder[MAX_PATH];

    SettingsFolder(ari.strInfFile, folder, sizeof folder);
    Logf(&ari, "Set Current Directory (%s): %s", "DirFix", folder);
    /* an empty folder (settings from ZORVAN.DAT) leaves it where it is */
    if (folder[0])
        SetCurrentDirectoryA(folder);
}

/* 1 when the user accepted, or there was nothing to accept. */
static int Accepted(HINSTANCE hInstance)
{
    if (ari.strEULA[0]) {
        if (EULADialog(hInstance, &ari) != 1) {
            OutputLogString(&ari, "EULA: User declined!");
            return 0;
        }
        return 1;
    }
    if (ari.uLNTextLen && ari.pstrLNText && ari.pstrLNText[0]) {
        PreProcess(ari.pstrLNText, strlen(ari.pstrLNText) + 1);
        if (pfnMessageBoxA(hSplash, ari.pstrLNText, ari.strLNCaption,
                           MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES) {
            OutputLogString(&ari, "Legal Notice: User abort!");
            return 0;
        }
    }
    return 1;
}

int AnyInstance(HINSTANCE hInstance, const char *commandLine)
{
    INITCOMMONCONTROLSEX icc;

    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);

    hPgmInstance = hInstance;
    fAVIPlaying = 0;
    fMusicPlaying = 0;

    CMDLINEOPTION *table = ParseCommandLine(&ari, commandLine, 1);
    if (table[CLO_LOG].flgPresent && table[CLO_LOG].value.psz) {
        OpenLogFile(&ari, table[CLO_LOG].value.psz);
        OutputLogString(&ari, JPGVersion());
        OutputLogString(&ari, PNGVersion());
        OutputLogString(&ari, ZLIBVersion());
    }
    ReadSettings(table);
    FreeCommandLine(table);

    if (ari.flgLogging)
        DumpARI(&ari);
    if (ari.flgDirFix)
        FixCurrentDirectory();
    ComputeWaitTimes(&ari);

    fMusicPlaying = PlayMusic(&ari);
    hemf = LoadSplashPicture(hInstance, &ari);

    hSplash = CreateDialogParamA(hInstance, ari.flgAlternateSplash ? "NEOSPLASH" : "SPLASH",
                                 GetDesktopWindow(), SplashDlgProc, (LPARAM)ari.strCopyright);
    if (!hSplash && ari.flgLogging)
        LogSysErr(&ari, IDS_BITMAPERROR, ari.strSplash);

    /* a refusal ends the run here, before anything is shown or started */
    if (!Accepted(hInstance))
        return 0;

    if (hSplash) {
        if (hemf)
            PlaceSplash(hSplash, &ari);
        else
            ShowWindow(hSplash, SW_HIDE);
        UpdateWindow(hSplash);
    }
    if (hemf == HEMF_VIDEO)
        fAVIPlaying = PlayAVIFile(GetDlgItem(hSplash, IDC_SPLASHPICTURE), &ari);

    if (IsWindow(hSplash) && ari.dwPauseTime)
        Sleep(ari.dwPauseTime);

    if (ari.strDocument[0] || ari.strViewer[0] || ari.strDefaultAction[0]) {
        if (StartDocs(hSplash, ari.strViewer, ari.strDocument, ari.flgForceViewer ? -1 : 0,
                      ari.uWindowMode) > SD_OTHER)
            SendMessageA(hSplash, WM_COMMAND, IDCANCEL, 0);
    }

    if (IsWindow(hSplash)) {
        Sleep(ari.dwSplashTime);
        if (ari.dwSleepTime) {
            ShowWindow(hSplash, SW_HIDE);
            Sleep(ari.dwSleepTime);
        }
        SendMessageA(hSplash, WM_COMMAND, IDCANCEL, 0);
    }

    if (ari.hLogFile)
        CloseLogFile(&ari);
    return 1;
}

} // namespace zv
