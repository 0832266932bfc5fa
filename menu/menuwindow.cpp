/*
 * menuwindow.cpp - the menu window: a column of owner-drawn buttons over
 * the background picture, the copyright line below them, and what a press,
 * a reload request or the end of the window does.
 */
#include "menu.h"

#include <string.h>

#include "music.h"
#include "safestr.h"

namespace zv {
namespace menu {

char MyClass[32] = "ZVMenu";

static HFONT hfontArial, hfontDecent;
static HICON hiconCheck, hiconDefault, hiconExit;

/* A reload request that arrives while a press, a box or a load is under
 * way waits for it to end; only the latest one is kept. */
static int nBusy;
static int bReloadPending;
static ATOM atomPending;

void ClearMenuControls(void)
{
    if (sOptions.hwndCopyright)
        DestroyWindow(sOptions.hwndCopyright);
    sOptions.hwndCopyright = NULL;
    for (MENUAPP &app : sAppList) {
        if (app.hIcon)
            DestroyIcon(app.hIcon);
        if (app.hwndButton)
            DestroyWindow(app.hwndButton);
        app.hIcon = NULL;
        app.hwndButton = NULL;
    }
}

int RegisterMenuClass(HINSTANCE hInstance)
{
    WNDCLASSEXA wc;

    memset(&wc, 0, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, "AppIcon");
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(INT_PTR)(COLOR_BTNFACE + 1);
    wc.lpszClassName = MyClass;
    /* the program carries none: the system derives it from AppIcon */
    wc.hIconSm = (HICON)LoadImageA(hInstance, "SmallIcon", IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
    return RegisterClassExA(&wc) != 0;
}

static HFONT MakeFont(int height)
{
    LOGFONTA lf;

    memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    strcpy_s(lf.lfFaceName, sizeof lf.lfFaceName, sOptions.szFont);
    return CreateFontIndirectA(&lf);
}

HWND BuildMenuWindow(HWND hwnd, HINSTANCE hInstance)
{
    int n = sOptions.nApps;
    int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYBORDER) + ROWHEIGHT * n;
    RECT desk;

    if (!sOptions.bHideCopyright)
        height += GetSystemMetrics(SM_CYCAPTION);
    GetWindowRect(GetDesktopWindow(), &desk);
    int x = (desk.right - desk.left) / 2 - WINDOWWIDTH / 2;
    int y = (desk.bottom - desk.top) / 2 - height / 2;

    if (!hwnd) {
        hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, MyClass,
                               sOptions.szTitle, WS_CAPTION | WS_SYSMENU, x, y, WINDOWWIDTH, height, NULL, NULL,
                               hInstance, NULL);
        if (!hwnd)
            return NULL;
        hfontArial = MakeFont(-sOptions.nFontSize);
        hfontDecent = MakeFont(-11);
        hiconCheck = LoadIconA(hInstance, "ChkMark");
        hiconDefault = LoadIconA(hInstance, "Default");
        hiconExit = LoadIconA(hInstance, "EXIT");
    } else {
        /* composed for the old size: made anew when first needed */
        if (sOptions.hbmWindow)
            DeleteObject(sOptions.hbmWindow);
        sOptions.hbmWindow = NULL;
        MoveWindow(hwnd, x, y, WINDOWWIDTH, height, TRUE);
        /* erased too: the old background must not stay between new buttons */
        InvalidateRect(hwnd, NULL, TRUE);
    }
    SetClassLongPtrA(hwnd, GCLP_HICONSM, (LONG_PTR)sOptions.hIconSmall);

    RECT client;
    GetClientRect(hwnd, &client);
    int w = client.right - client.left;
    for (int i = 0; i < n; i++) {
        MENUAPP *app = &sAppList[i];
        app->hwndButton = CreateWindowExA(WS_EX_TRANSPARENT, "BUTTON", app->szMenuText,
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 4,
                                          4 + ROWHEIGHT * i, w - 8, 48, hwnd,
                                          (HMENU)(INT_PTR)(ID_FIRSTITEM + i), hInstance, NULL);
        if (app->hwndButton && app->bRunOnce && app->bHasRun)
            EnableWindow(app->hwndButton, FALSE);
    }
    if (!sOptions.bHideCopyright) {
        int top = ROWHEIGHT * n;
        sOptions.hwndCopyright = CreateWindowExA(WS_EX_TRANSPARENT, "BUTTON", sOptions.szCopyright,
                                                 WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 4, top, w - 8,
                                                 client.bottom - top, hwnd, (HMENU)(INT_PTR)ID_COPYRIGHT,
                                                 hInstance, NULL);
        if (sOptions.hwndCopyright)
            EnableWindow(sOptions.hwndCopyright, FALSE);
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return hwnd;
}

static int Centre(int picture, int target, int *dest, int *src, int *size)
{
    if (picture < target) {
        *dest = (target - picture) / 2;
        *src = 0;
        *size = picture;
    } else {
        *dest = 0;
        *src = (picture - target) / 2;
        *size = target;
    }
    return 1;
}

int CreateBackgroundBitmap(HWND target)
{
    if (sOptions.hbmWindow)
        return 1;
    int bw = sOptions.bmBackground.bmWidth, bh = sOptions.bmBackground.bmHeight;
    RECT rc;
    GetClientRect(target, &rc);
    int cw = rc.right, ch = rc.bottom;
    /* without a picture tiling would never move on */
    if (!sOptions.hbmBackground || bw <= 0 || bh <= 0 || cw <= 0 || ch <= 0)
        return 0;

    HDC screen = GetDC(NULL);
    HBITMAP hbm = CreateCompatibleBitmap(screen, cw, ch);
    HDC dst = CreateCompatibleDC(screen);
    HDC src = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    if (!hbm || !dst || !src) {
        if (hbm)
            DeleteObject(hbm);
        if (dst)
            DeleteDC(dst);
        if (src)
            DeleteDC(src);
        return 0;
    }
    HGDIOBJ oldDst = SelectObject(dst, hbm);
    HGDIOBJ oldSrc = SelectObject(src, sOptions.hbmBackground);

    if (sOptions.nTileMode == 1) {
        for (int y = 0; y < ch; y += bh)
            for (int x = 0; x < cw; x += bw)
                BitBlt(dst, x, y, bw, bh, src, 0, 0, SRCCOPY);
    } else if (sOptions.nTileMode == 2) {
        RECT all = {0, 0, cw, ch};
        FillRect(dst, &all, GetSysColorBrush(COLOR_BTNFACE));
        int dx, sx, w, dy, sy, h;
        Centre(bw, cw, &dx, &sx, &w);
        Centre(bh, ch, &dy, &sy, &h);
        BitBlt(dst, dx, dy, w, h, src, sx, sy, SRCCOPY);
    } else {
        SetStretchBltMode(dst, HALFTONE);
        SetBrushOrgEx(dst, 0, 0, NULL);
        StretchBlt(dst, 0, 0, cw, ch, src, 0, 0, bw, bh, SRCCOPY);
    }
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteDC(src);
    DeleteDC(dst);
    sOptions.hbmWindow = hbm;
    GetObjectA(hbm, sizeof sOptions.bmWindow, &sOptions.bmWindow);
    return 1;
}

/* Copies the part of the composed background that lies under rc of
 * window (its own client coordinates), or fills it with the face colour. */
static void PaintBackground(HWND parent, HWND window, HDC hdc, const RECT &rc)
{
    if (sOptions.hbmBackground && CreateBackgroundBitmap(parent)) {
        POINT origin = {0, 0};
        MapWindowPoints(window, parent, &origin, 1);
        HDC mem = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(mem, sOptions.hbmWindow);
        BitBlt(hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem, origin.x + rc.left,
               origin.y + rc.top, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    } else {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    }
}

static void DrawItem(HWND hwnd, const DRAWITEMSTRUCT *dis)
{
    HDC hdc = dis->hDC;
    const RECT &rc = dis->rcItem;

    PaintBackground(hwnd, dis->hwndItem, hdc, rc);
    SetBkMode(hdc, TRANSPARENT);
    if (dis->hwndItem == sOptions.hwndCopyright) {
        SetTextColor(hdc, 0xC00000);
        HGDIOBJ old = SelectObject(hdc, hfontDecent);
        RECT r = rc;
        DrawTextA(hdc, sOptions.szCopyright, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        SelectObject(hdc, old);
        return;
    }
    int i = (int)dis->CtlID - ID_FIRSTITEM;
    if (i < 0 || i >= sOptions.nApps)
        return;
    const MENUAPP *app = &sAppList[i];
    int h = rc.bottom - rc.top;
    int iconY = rc.top + (h / 2 - 16 > 0 ? h / 2 - 16 : 0);
    int iconX = 8, textX = 60;
    if (sOptions.bCheckmarks) {
        if (app->bHasRun && hiconCheck)
            DrawIcon(hdc, rc.left + 8, iconY, hiconCheck);
        iconX = 48;
        textX = 100;
    }
    HICON icon = app->hIcon ? app->hIcon : app->bExit ? hiconExit : hiconDefault;
    if (icon)
        DrawIcon(hdc, rc.left + iconX, iconY, icon);

    COLORREF colour = (dis->itemState & ODS_DISABLED)   ? GetSysColor(COLOR_GRAYTEXT)
                      : (dis->itemState & ODS_SELECTED) ? sOptions.crClick
                                                        : sOptions.crButton;
    SetTextColor(hdc, colour);
    HGDIOBJ old = SelectObject(hdc, hfontArial);
    RECT text = {rc.left + textX, rc.top, rc.right, rc.bottom};
    DrawTextA(hdc, app->szMenuText, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    SelectObject(hdc, old);
    if (dis->itemState & ODS_SELECTED)
        DrawFocusRect(hdc, &rc);
}

static void Reload(HWND hwnd, ATOM atom)
{
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(hwnd, GWLP_HINSTANCE);

    nBusy++;
    ReinitMenu(hwnd, atom, instance);
    nBusy--;
}

/* The latest request that waited, once nothing else is under way. */
static void ReloadPending(HWND hwnd)
{
    while (!nBusy && bReloadPending && IsWindow(hwnd)) {
        ATOM atom = atomPending;
        bReloadPending = 0;
        atomPending = 0;
        Reload(hwnd, atom);
    }
}

static void RequestReload(HWND hwnd, ATOM atom)
{
    if (nBusy) {
        if (bReloadPending && atomPending)
            GlobalDeleteAtom(atomPending);
        bReloadPending = 1;
        atomPending = atom;
        return;
    }
    Reload(hwnd, atom);
    ReloadPending(hwnd);
}

static void CloseMenu(HWND hwnd)
{
    DeleteHKCUKey("Software\\Quorvel", "ZVMenu");
    DestroyWindow(hwnd);
}

static void PressItem(HWND hwnd, int i)
{
    MENUAPP *app = &sAppList[i];

    if (app->bExit) {
        CloseMenu(hwnd);
        return;
    }
    nBusy++;
    int done = PerformItem(hwnd, app);
    nBusy--;
    /* the window may have gone while a box was open */
    if (done && IsWindow(hwnd) && app->hwndButton) {
        WriteRunRecord(app->nItem);
        app->bHasRun = 1;
        if (app->bRunOnce)
            EnableWindow(app->hwndButton, FALSE);
        InvalidateRect(app->hwndButton, NULL, TRUE);
    }
    ReloadPending(hwnd);
}

void EndWindow(void)
{
    /* whatever a menu file started, and an alias a failed play held */
    sOptions.nMusic = StopMusic();
    ClearMenuControls();
    DeleteRunRecords();
    if (bReloadPending && atomPending)
        GlobalDeleteAtom(atomPending);
    bReloadPending = 0;
    atomPending = 0;
    if (sOptions.hbmBackground)
        DeleteObject(sOptions.hbmBackground);
    if (sOptions.hbmWindow)
        DeleteObject(sOptions.hbmWindow);
    sOptions.hbmBackground = sOptions.hbmWindow = NULL;
    if (hfontArial)
        DeleteObject(hfontArial);
    if (hfontDecent)
        DeleteObject(hfontDecent);
    hfontArial = hfontDecent = NULL;
    /* loaded shared icons need no DestroyIcon */
    hiconCheck = hiconDefault = hiconExit = NULL;
    sOptions.nApps = 0;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        PaintBackground(hwnd, hwnd, (HDC)wParam, rc);
        return 1;
    }
    case WM_DRAWITEM:
        DrawItem(hwnd, (const DRAWITEMSTRUCT *)lParam);
        return 1;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == ID_MENU_CLOSE) {
            CloseMenu(hwnd);
        } else if (id == ID_MENU_RELOAD) {
            RequestReload(hwnd, (ATOM)LOWORD(lParam));
        } else if (id >= ID_FIRSTITEM && id < ID_FIRSTITEM + sOptions.nApps) {
            /* a double click sends BN_DOUBLECLICKED after BN_CLICKED: one start */
            if (HIWORD(wParam) == BN_CLICKED)
                PressItem(hwnd, id - ID_FIRSTITEM);
        }
        return 0;
    }
    case WM_DESTROY:
        EndWindow();
        PostQuitMessage(0);
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace menu
} // namespace zv
