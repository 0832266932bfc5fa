/*
 * frame.cpp - the wizard frame (dialog 130): navigation, banners, help,
 * About and the closing question.  Pages are modeless child dialogs made
 * from the table below; they talk to the frame through WM_COMMAND 3 and 4
 * (store now), WM_SETMODIFIED and ID_SHOWSECONDPAGE.
 */
#include "wizard.h"
#include "resource.h"
#include "pictures.h"
#include "writer.h"

#include <htmlhelp.h>

#include <stdio.h>

namespace zv {

AUTORUNINF AutoRunInf;
HWND hwndMain = NULL;

static HWND hwndClient = NULL;
static UINT uClientNum = 0;
static int flagModified = 0;
static HENHMETAFILE hemfCurrent = NULL;
static char strHelpFile[PATHLEN];
/* written by HtmlHelp's HH_INITIALIZE, which stores a pointer-sized value */
static DWORD_PTR dwHelpCookie = 0;

struct WIZINFO {
    DWORD idDialog;
    DWORD idBanner;
    DLGPROC pfnProc;
};

static const WIZINFO wzInfo[WIZPAGES] = {
    { IDD_WIZONE, IDM_BANNER1, WizOne },
    { IDD_WIZTWO, IDM_BANNER2, WizTwo },
    { IDD_WIZTWOPTFIVE, IDM_BANNER3, WizTwoPtFive },
    { IDD_WIZTHREE, IDM_BANNER4, WizThree },
    { IDD_WIZFOUR, IDM_BANNER5, WizFour },
    { IDD_WIZFIVE, IDM_BANNER6, WizFive },
    { IDD_WIZSIX, IDM_BANNER7, WizSix },
    { IDD_WIZEIGHT, IDM_BANNER8, WizEight },
    { IDD_WIZNINE, IDM_BANNER9, WizNine },
    { IDD_WIZTEN, IDM_BANNER10, WizTen },
    { IDD_WIZELEVEN, IDM_BANNER11, WizEleven },
    { IDD_WIZTWELVE, IDM_BANNER12, WizTwelve },
    { IDD_WIZFINISH, IDM_BANNER13, WizFinish },
};

void EnableFrameButton(int id, BOOL enable)
{
    EnableWindow(GetDlgItem(hwndMain, id), enable);
}

static HENHMETAFILE LoadBanner(DWORD id)
{
    HRSRC res = FindResourceA(hPgmInstance, MAKEINTRESOURCEA(id), "METAFILE");
    HGLOBAL data = res ? LoadResource(hPgmInstance, res) : NULL;
    return data ? LoadMetaFileResource(data) : NULL;
}

int SwitchDialog(HWND hwnd, UINT index, LPARAM param)
{
    if (IsWindow(hwndClient))
        DestroyWindow(hwndClient);
    hwndClient = NULL;
    if (hemfCurrent)
        DeleteEnhMetaFile(hemfCurrent);
    hemfCurrent = NULL;

    if (index >= WIZPAGES)
        index = 0;
    const WIZINFO *row = &wzInfo[index];
    hwndClient = CreateDialogParamA(hPgmInstance, MAKEINTRESOURCEA(row->idDialog), hwnd, row->pfnProc, param);
    if (hwndClient)
        SetWindowLongPtrA(hwndClient, GWL_STYLE, GetWindowLongPtrA(hwndClient, GWL_STYLE) | WS_VISIBLE);
    hemfCurrent = LoadBanner(row->idBanner);

    if (hwndClient)
        ShowWindow(hwndClient, SW_SHOWNORMAL);
    InvalidateRect(GetDlgItem(hwnd, IDC_BANNER), NULL, TRUE);
    UpdateWindow(hwnd);
    uClientNum = index;
    return 1;
}

/* The help file: the program's path with ".CHM" from its last dot on. */
static void FindHelpFile(void)
{
    static const char szFallback[] = "Zorvan Configuration Utility.EXE";
    DWORD n = GetModuleFileNameA(NULL, strHelpFile, sizeof strHelpFile);
    if (n == 0 || n >= sizeof strHelpFile)
        strcpy_s(strHelpFile, sizeof strHelpFile, szFallback);
    char *dot = strrchr(strHelpFile, '.');
    if (dot && (size_t)(dot - strHelpFile) + 5 <= sizeof strHelpFile)
        strcpy_s(dot, sizeof strHelpFile - (size_t)(dot - strHelpFile), ".CHM");
    else
        strcpy_s(strHelpFile, sizeof strHelpFile, "Zorvan Configuration Utility.CHM");
}

static void OnInitFrame(HWND hwnd)
{
    hwndMain = hwnd;
    SetClassLongPtrA(hwnd, GCLP_HICON, (LONG_PTR)LoadIconA(hPgmInstance, MAKEINTRESOURCEA(IDI_ZVCONFIG)));
    FindHelpFile();
    EnableWindow(GetDlgItem(hwnd, IDC_HELPBUTTON), FileExists(strHelpFile));
    PostMessageA(hwnd, WM_COMMAND, ID_SHOWFIRSTPAGE, 0);
}

/* The page stores its controls now, as it does before Next. */
static void StorePage(LPARAM lParam)
{
    if (IsWindow(hwndClient))
        SendMessageA(hwndClient, WM_COMMAND, IDC_NEXT, lParam);
}

/*
 * Close: unsaved changes are offered for saving (never on the first page,
 * which has nothing to store).  The page stores first so that its edits
 * are saved too, and a save that fails keeps the wizard open: ending
 * would lose everything.  Returns 1 when the wizard may end.
 */
static int MayClose(LPARAM lParam)
{
    if (uClientNum == 0 || !flagModified)
        return 1;
    int answer = WizardBox(GetFocus(), IDS_SAVECHANGES, NULL, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return 0;
    if (answer == IDYES) {
        StorePage(lParam);
        if (!SaveAutoRunInf(hwndMain, &AutoRunInf))
            return 0;
        SendMessageA(hwndMain, WM_SETMODIFIED, 0, 0);
    }
    return 1;
}

static void CloseWizard(HWND hwnd)
{
    CallHtmlHelp(0, NULL, NULL, HH_CLOSE_ALL, 0);
    if (dwHelpCookie)
        CallHtmlHelp(0, NULL, NULL, HH_UNINITIALIZE, dwHelpCookie);
    if (AutoRunInf.pstrLNText)
        free(AutoRunInf.pstrLNText);
    AutoRunInf.pstrLNText = NULL;
    EndDialog(hwnd, 0);
}

static void ShowHelp(HWND hwnd)
{
    if (dwHelpCookie == 0)
        CallHtmlHelp(1, NULL, NULL, HH_INITIALIZE, (DWORD_PTR)&dwHelpCookie);
    CallHtmlHelp(1, hwnd, strHelpFile, HH_HELP_CONTEXT, (uClientNum + 1) * 100);
}

static INT_PTR OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case IDC_NEXT:
        StorePage(lParam);
        uClientNum = uClientNum + 1 >= WIZPAGES ? 0 : uClientNum + 1;
        return SwitchDialog(hwnd, uClientNum, 0);
    case IDC_PREVIOUS:
        if (IsWindow(hwndClient))
            SendMessageA(hwndClient, WM_COMMAND, IDC_PREVIOUS, lParam);
        return SwitchDialog(hwnd, uClientNum - 1, 0);
    case IDC_SAVEDOTS:
        /* the page's edits belong to what is about to be saved */
        StorePage(lParam);
        return SwitchDialog(hwnd, WIZPAGES - 1, 0);
    case IDC_CLOSE:
        if (MayClose(lParam))
            CloseWizard(hwnd);
        return TRUE;
    case IDC_HELPBUTTON:
        ShowHelp(hwnd);
        return TRUE;
    case IDC_ABOUT:
        CreateDialogParamA(hPgmInstance, MAKEINTRESOURCEA(IDD_ABOUT), hwnd, DlgAbout, 0);
        return TRUE;
    case ID_SHOWFIRSTPAGE:
        return SwitchDialog(hwnd, 0, 0);
    case ID_SHOWSECONDPAGE:
        return SwitchDialog(hwnd, 1, 0);
    default:
        if (IsWindow(hwndClient))
            SendMessageA(hwndClient, WM_COMMAND, wParam, lParam);
        return TRUE;
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        OnInitFrame(hwnd);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(hwnd, wParam, lParam);
    case WM_SETMODIFIED:
        flagModified = (int)wParam;
        EnableWindow(GetDlgItem(hwnd, IDC_SAVEDOTS), wParam != 0);
        return TRUE;
    case WM_USER: {
        LRESULT r = IsWindow(hwndClient) ? SendMessageA(hwndClient, WM_USER, wParam, lParam) : 0;
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, r);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *dis = (const DRAWITEMSTRUCT *)lParam;
        if (hemfCurrent)
            PlayEnhMetaFile(dis->hDC, hemfCurrent, &dis->rcItem);
        return FALSE;
    }
    case WM_DESTROY:
        if (IsWindow(hwndClient))
            DestroyWindow(hwndClient);
        hwndClient = NULL;
        if (hemfCurrent)
            DeleteEnhMetaFile(hemfCurrent);
        hemfCurrent = NULL;
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunWizard(HINSTANCE instance)
{
    hPgmInstance = instance;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FRAME), GetDesktopWindow(), DialogProc, 0);
}

} // namespace zv
