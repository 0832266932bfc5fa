/*
 * menudialog.cpp - the dialog layouts 1 and 2: the menu as a modal dialog
 * of plain push buttons beside (121) or below (122) a logo, with the
 * copyright line at the bottom.  Marks of items run here live in memory
 * only; the dialog writes no run records.
 */
#include "menu.h"

#include "resource.h"

namespace zv {
namespace menu {

/* Layout 2 with fewer than eight items: the copyright line takes the
 * first unused button's place, the dialog ends below it, centred again. */
static void ShrinkToItems(HWND dialog)
{
    HWND line = GetDlgItem(dialog, IDC_COPYRIGHT);
    HWND firstHidden = GetDlgItem(dialog, IDC_ITEM1 + sOptions.nApps);
    if (!line || !firstHidden)
        return;

    RECT lr, hr, dr, desk;
    GetWindowRect(line, &lr);
    GetWindowRect(firstHidden, &hr);
    MapWindowPoints(NULL, dialog, (POINT *)&lr, 2);
    MapWindowPoints(NULL, dialog, (POINT *)&hr, 2);
    MoveWindow(line, lr.left, hr.top, lr.right - lr.left, lr.bottom - lr.top, FALSE);

    GetWindowRect(line, &lr);
    GetWindowRect(dialog, &dr);
    int width = dr.right - dr.left;
    int height = lr.bottom + GetSystemMetrics(SM_CYDLGFRAME) - dr.top;
    GetWindowRect(GetDesktopWindow(), &desk);
    int x = (desk.right - desk.left) / 2 - width / 2;
    int y = (desk.bottom - desk.top) / 2 - height / 2;
    MoveWindow(dialog, x, y, width, height, FALSE);
}

static void InitMenuDialog(HWND dialog, int layout)
{
    for (int i = 0; i < MAXAPPS; i++) {
        HWND button = GetDlgItem(dialog, IDC_ITEM1 + i);
        if (!button)
            continue;
        if (i < sOptions.nApps) {
            const MENUAPP *app = &sAppList[i];
            SetWindowTextA(button, app->szMenuText);
            if (app->bRunOnce && app->bHasRun)
                EnableWindow(button, FALSE);
        } else {
            ShowWindow(button, SW_HIDE);
        }
    }
    HWND line = GetDlgItem(dialog, IDC_COPYRIGHT);
    if (sOptions.bHideCopyright)
        ShowWindow(line, SW_HIDE);
    else
        SetWindowTextA(line, sOptions.szCopyright);

    SetWindowTextA(dialog, sOptions.szTitle);
    SetClassLongPtrA(dialog, GCLP_HICONSM, (LONG_PTR)sOptions.hIconSmall);

    if (layout == IDD_LAYOUT2 && sOptions.nApps < MAXAPPS)
        ShrinkToItems(dialog);
}

/* An item pressed: {EXIT} and {MENU} end the dialog, the rest start. */
static INT_PTR PressDialogItem(HWND dialog, int id)
{
    MENUAPP *app = &sAppList[id - IDC_ITEM1];

    if (app->bExit || app->bMenu) {
        EndDialog(dialog, id);
        return TRUE;
    }
    if (!Perform(dialog, app->szCommand, app->bMaximize))
        return FALSE;
    app->bHasRun = 1;
    if (app->bRunOnce)
        EnableWindow(GetDlgItem(dialog, id), FALSE);
    return TRUE;
}

static void DrawCopyright(const DRAWITEMSTRUCT *dis)
{
    RECT rc = dis->rcItem;
    HFONT font = (HFONT)SendMessageA(dis->hwndItem, WM_GETFONT, 0, 0);
    HGDIOBJ old = font ? SelectObject(dis->hDC, font) : NULL;

    FillRect(dis->hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dis->hDC, 0xC00000);
    SetBkMode(dis->hDC, TRANSPARENT);
    DrawTextA(dis->hDC, sOptions.szCopyright, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    if (old)
        SelectObject(dis->hDC, old);
}

/* The logo: the picture composed at the control's size, or the face
 * colour when there is no picture (nothing to compose from). */
static void DrawLogo(const DRAWITEMSTRUCT *dis)
{
    const RECT &rc = dis->rcItem;

    if (!sOptions.hbmBackground || !CreateBackgroundBitmap(dis->hwndItem)) {
        FillRect(dis->hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HDC mem = CreateCompatibleDC(dis->hDC);
    HGDIOBJ old = SelectObject(mem, sOptions.hbmWindow);
    BitBlt(dis->hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

INT_PTR CALLBACK ZVMenuDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitMenuDialog(dialog, (int)lParam);
        return FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        if (id >= IDC_ITEM1 && id < IDC_ITEM1 + sOptions.nApps && HIWORD(wParam) == BN_CLICKED)
            return PressDialogItem(dialog, id);
        return FALSE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *dis = (const DRAWITEMSTRUCT *)lParam;
        if (dis->CtlID == IDC_COPYRIGHT)
            DrawCopyright(dis);
        else if (dis->CtlID == IDC_LOGO)
            DrawLogo(dis);
        return TRUE;
    }
    }
    return FALSE;
}

INT_PTR ZVMenuDialog(HWND owner, int layout)
{
    int id = layout == 2 ? IDD_LAYOUT2 : IDD_LAYOUT1;
    return DialogBoxParamA(sOptions.hInstance, MAKEINTRESOURCEA(id), owner, ZVMenuDlgProc, (LPARAM)id);
}

} // namespace menu
} // namespace zv
