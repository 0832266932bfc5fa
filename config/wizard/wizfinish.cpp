/*
 * wizfinish.cpp - the finish page (144): saves AUTORUN.INF plain or
 * commented, or ZORVAN.DAT with an AUTORUN.INF that starts the runtime
 * with it; then shows the saved file and test-runs the project.
 */
#include "wizard.h"
#include "resource.h"
#include "launch.h"
#include "writer.h"

#include <stdio.h>

namespace zv {

static void TakeComments(HWND page)
{
    AutoRunInf.flgComments = IsDlgButtonChecked(page, IDC_COMMENTS) == BST_CHECKED ? -1 : 0;
}

static void Saved(HWND page)
{
    SendMessageA(hwndMain, WM_SETMODIFIED, 0, 0);
    EnableWindow(GetDlgItem(page, IDC_VIEWINF), TRUE);
    EnableWindow(GetDlgItem(page, IDC_TESTRUN), TRUE);
    EnableFrameButton(IDC_NEXT, TRUE);
}

static void SaveInf(HWND page)
{
    TakeComments(page);
    if (SaveAutoRunInf(page, &AutoRunInf))
        Saved(page);
}

static void SaveDat(HWND page)
{
    char path[PATHLEN] = "ZORVAN.DAT";
    if (AutoRunInf.pstrDatFile && AutoRunInf.pstrDatFile[0])
        strcpy_s(path, sizeof path, AutoRunInf.pstrDatFile);
    int picked = GetFileName(hwndMain, IDS_CREATEDAT, path, 0);
    EnterProjectFolder(AutoRunInf.strInfFile);
    if (!picked)
        return;
    TakeComments(page);
    char *copy = _strdup(path);
    if (!copy)
        return;
    free(AutoRunInf.pstrDatFile);
    AutoRunInf.pstrDatFile = copy;
    if (SaveZorvanDat(page, &AutoRunInf, path))
        Saved(page);
}

static void ViewInf(void)
{
    EnterProjectFolder(AutoRunInf.strInfFile);
    ShellExecuteA(hwndMain, "open", AutoRunInf.strInfFile, NULL, NULL, SW_SHOWNORMAL);
}

/*
 * The project folder's own runtime, started in that folder: the shell
 * would otherwise find the one beside this utility first, which reads
 * another AUTORUN.INF.  With a data file the runtime reads it and logs;
 * without one it starts as the OPEN line would start it on the disc.  An
 * OPEN value that names a file as a whole (a runtime kept in a folder
 * with a blank) is the program; any other is split as the runtime splits
 * a command.  A start that fails is reported with the system's reason.
 */
static void TestRun(void)
{
    char folder[PATHLEN], program[ARI_PATHLEN], params[ARI_PATHLEN + 64], file[PATHLEN + ARI_PATHLEN];
    const char *open = AutoRunInf.strOpen;
    if (!ProjectFolder(AutoRunInf.strInfFile, folder, sizeof folder))
        return;
    SetCurrentDirectoryA(folder);
    if (NamesProjectFile(AutoRunInf.strInfFile, open)) {
        if (strcpy_s(program, sizeof program, open) != 0)
            return;
        params[0] = '\0';
    } else if (OrderParams(open, "", program, sizeof program, params, sizeof params) != 0 || !program[0]) {
        return;
    }
    if (AutoRunInf.pstrDatFile && AutoRunInf.pstrDatFile[0]) {
        int n = snprintf(params, sizeof params, "--dat \"%s\" --log ZORVAN.LOG", AutoRunInf.pstrDatFile);
        if (n < 0 || n >= (int)sizeof params)
            return;
    }
    if (!ProjectFilePath(AutoRunInf.strInfFile, program, file, sizeof file))
        return;
    SHELLEXECUTEINFOA sei;
    if (!ShellOpenQuiet(file, params[0] ? params : NULL, SW_SHOWNORMAL, &sei) || (INT_PTR)sei.hInstApp <= 32)
        NotifyUserSE(hwndMain, IDS_CANNOTEXECUTE, open);
}

INT_PTR CALLBACK WizFinish(HWND page, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        EnableWindow(GetDlgItem(page, IDC_VIEWINF), FALSE);
        EnableWindow(GetDlgItem(page, IDC_TESTRUN), FALSE);
        EnableFrameButton(IDC_NEXT, FALSE);
        CheckDlgButton(page, IDC_COMMENTS, AutoRunInf.flgComments ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    }
    if (msg != WM_COMMAND)
        return 0;
    switch (wParam) {
    case IDC_SAVEINF:
        SaveInf(page);
        break;
    case IDC_SAVEDAT:
        SaveDat(page);
        break;
    case IDC_VIEWINF:
        ViewInf();
        break;
    case IDC_TESTRUN:
        TestRun();
        break;
    case IDC_PREVIOUS:
        EnableFrameButton(IDC_NEXT, TRUE);
        break;
    }
    return 0;
}

} // namespace zv
