/*
 * wizone.cpp - the project page (131): a new project, or an existing
 * AUTORUN.INF read into the record.  The only way on is a project: the
 * frame's Next and Previous are off while this page shows.
 */
#include "wizard.h"
#include "resource.h"

namespace zv {

static const char szSettingsSection[] = "Zorvan Configuration Utility";

static void CreateNew(void)
{
    /* heap texts of the last project are dropped with the rest */
    memset(&AutoRunInf, 0, sizeof AutoRunInf);
    AutoRunInf.flgDirFix = -1;
    strcpy_s(AutoRunInf.strInfFile, sizeof AutoRunInf.strInfFile, "AUTORUN.INF");
    strcpy_s(AutoRunInf.strOpen, sizeof AutoRunInf.strOpen, "ZORVAN.EXE");
    GetSettingsString(szSettingsSection, "Copyright", "", AutoRunInf.strCopyright, sizeof AutoRunInf.strCopyright);

    if (!GetFileName(hwndMain, IDS_CREATEINF, AutoRunInf.strInfFile, 0))
        return;
    SendMessageA(hwndMain, WM_SETMODIFIED, 1, 0);
    PostMessageA(hwndMain, WM_COMMAND, ID_SHOWSECONDPAGE, 0);
}

static void OpenExisting(void)
{
    strcpy_s(AutoRunInf.strInfFile, sizeof AutoRunInf.strInfFile, "AUTORUN.INF");
    strcpy_s(AutoRunInf.strOpen, sizeof AutoRunInf.strOpen, "ZORVAN.EXE");
    if (!GetFileName(hwndMain, IDS_OPENINF, AutoRunInf.strInfFile, 0))
        return;
    /* the last project's data file is not this one's (the reader sets it
     * again when the OPEN line names one) */
    free(AutoRunInf.pstrDatFile);
    AutoRunInf.pstrDatFile = NULL;
    if (!ReadAutoRunInf(AutoRunInf.strInfFile, &AutoRunInf, 0))
        return;
    SendMessageA(hwndMain, WM_SETMODIFIED, 0, 0);
    PostMessageA(hwndMain, WM_COMMAND, ID_SHOWSECONDPAGE, 0);
}

INT_PTR CALLBACK WizOne(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        SendMessageA(hwndMain, WM_SETMODIFIED, 0, 0);
        EnableFrameButton(IDC_PREVIOUS, FALSE);
        EnableFrameButton(IDC_NEXT, FALSE);
        ACDlgInit();
    } else if (msg == WM_COMMAND && wParam == IDC_CREATENEW) {
        CreateNew();
    } else if (msg == WM_COMMAND && wParam == IDC_OPENEXISTING) {
        OpenExisting();
    }
    return 0;
}

} // namespace zv
