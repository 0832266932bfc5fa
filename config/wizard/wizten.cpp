/*
 * wizten.cpp - the placement page (141): where the splash stands, as an
 * angle (counter-clockwise from the right, 90 straight up) and a distance
 * from the screen's centre in percent of the way to its edge, with arrows
 * and a small picture of the screen that shows the place and takes a
 * click as the new place.
 */
#include "wizard.h"
#include "resource.h"

#include <commctrl.h>
#include <math.h>

namespace zv {

/* System objects: taken at entry, never deleted. */
static HBRUSH hbrDesktop, hbrWindow;
static HPEN hpenBorder;

static const double PI = 3.141592653589793;

static void SetPicture(HWND page)
{
    InvalidateRect(GetDlgItem(page, IDC_SCREENPICTURE), NULL, FALSE);
}

static void AngleChanged(HWND page, WPARAM)
{
    int v = (int)GetDlgItemInt(page, IDC_ANGLE, NULL, TRUE);
    if (v < 0) {
        /* a negative multiple of 360 is 0, as at entry, not 359 */
        v = v % 360 + 360;
        if (v >= 360)
            v = 0;
        SetDlgItemInt(page, IDC_ANGLE, (UINT)v, TRUE);
    } else if (v > 359) {
        v = 359;
        SetDlgItemInt(page, IDC_ANGLE, (UINT)v, TRUE);
    }
    SendDlgItemMessageA(page, IDC_ANGLESPIN, UDM_SETPOS, 0, MAKELPARAM(v, 0));
    SetPicture(page);
}

static void DistanceChanged(HWND page, WPARAM)
{
    int v = (int)GetDlgItemInt(page, IDC_DISTANCE, NULL, TRUE);
    if (v > 100) {
        v = 100;
        SetDlgItemInt(page, IDC_DISTANCE, (UINT)v, FALSE);
    }
    SendDlgItemMessageA(page, IDC_DISTANCESPIN, UDM_SETPOS, 0, MAKELPARAM(v, 0));
    SetPicture(page);
}

/* An up-down beside its edit (whose id is one less): range and position;
 * it leaves the edit's text to the page. */
static void Spin(HWND page, int id, int max, int value)
{
    SendDlgItemMessageA(page, id, UDM_SETBUDDY, (WPARAM)GetDlgItem(page, id - 1), 0);
    SendDlgItemMessageA(page, id, UDM_SETRANGE, 0, MAKELPARAM(max, 0));
    SendDlgItemMessageA(page, id, UDM_SETPOS, 0, MAKELPARAM(value, 0));
}

static void OnInit(HWND page)
{
    EnableNextPrevious();
    while (AutoRunInf.nOffsetAngle < 0)
        AutoRunInf.nOffsetAngle += 360;
    AutoRunInf.nOffsetAngle %= 360;
    SetDlgItemInt(page, IDC_ANGLE, (UINT)AutoRunInf.nOffsetAngle, TRUE);
    if (AutoRunInf.uOffsetPercent > 100)
        AutoRunInf.uOffsetPercent = 100;
    SetDlgItemInt(page, IDC_DISTANCE, AutoRunInf.uOffsetPercent, FALSE);

    Spin(page, IDC_ANGLESPIN, 359, AutoRunInf.nOffsetAngle);
    Spin(page, IDC_DISTANCESPIN, 100, (int)AutoRunInf.uOffsetPercent);

    hbrDesktop = GetSysColorBrush(COLOR_BACKGROUND);
    hbrWindow = GetSysColorBrush(COLOR_WINDOW);
    hpenBorder = (HPEN)GetStockObject(BLACK_PEN);
    CreateScreenPicture(page, IDC_SCREENPICTURE);
}

static int Store(HWND page)
{
    AutoRunInf.nOffsetAngle = (int)GetDlgItemInt(page, IDC_ANGLE, NULL, TRUE);
    AutoRunInf.uOffsetPercent = GetDlgItemInt(page, IDC_DISTANCE, NULL, FALSE);
    return 1;
}

/* An arrow moved: its edit gets the up-down's position. */
static void Spun(HWND page, HWND updown)
{
    UINT pos = LOWORD(SendMessageA(updown, UDM_GETPOS, 0, 0));
    int id = GetDlgCtrlID(updown);
    if (id == IDC_ANGLESPIN || id == IDC_DISTANCESPIN)
        SetDlgItemInt(page, id - 1, pos, FALSE);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
}

/* The screen, and the splash on it as a small rectangle: centred at
 * distance 0, touching the picture's edge at 100 percent. */
static void DrawScreen(HWND page, const DRAWITEMSTRUCT *dis)
{
    int W = dis->rcItem.right, H = dis->rcItem.bottom;
    int A = (int)GetDlgItemInt(page, IDC_ANGLE, NULL, TRUE);
    int P = (int)GetDlgItemInt(page, IDC_DISTANCE, NULL, TRUE);

    FillRect(dis->hDC, &dis->rcItem, hbrDesktop);
    int w = W / 6, h = H / 4;
    int x0 = (W - w) / 2, y0 = (H - h) / 2;
    double a = A * PI / 180;
    int dx = (int)(cos(a) * (x0 * 0.01 * P));
    int dy = (int)(sin(a) * (y0 * 0.01 * P));
    HGDIOBJ brush = SelectObject(dis->hDC, hbrWindow);
    HGDIOBJ pen = SelectObject(dis->hDC, hpenBorder);
    Rectangle(dis->hDC, x0 + dx, y0 - dy, x0 + dx + w, y0 - dy + h);
    SelectObject(dis->hDC, brush);
    SelectObject(dis->hDC, pen);
}

/* A click on the picture: its angle and distance from the centre, the
 * distance in percent of the way to the edge in that direction. */
static void ScreenClicked(HWND page, LPARAM lParam)
{
    RECT rc;
    GetClientRect(GetDlgItem(page, IDC_SCREENPICTURE), &rc);
    int cx = rc.right / 2, cy = rc.bottom / 2;
    int t = (short)LOWORD(lParam) - cx, d = cy - (short)HIWORD(lParam);

    double a = t != 0 ? atan2((double)d, (double)t) : d >= 0 ? PI / 2 : -PI / 2;
    double D = sqrt((double)t * t + (double)d * d);
    double R = sqrt(pow(cos(a) * cx, 2) + pow(sin(a) * cy, 2));
    /* a hair away from zero before the cut: pi/2 in degrees comes out as
     * 89.99999999999999 in double precision, and straight up is 90 */
    double degrees = a * 57.29577951308232;
    degrees += degrees < 0 ? -1e-9 : 1e-9;
    SetDlgItemInt(page, IDC_ANGLE, (UINT)(int)degrees, TRUE);
    SetDlgItemInt(page, IDC_DISTANCE, R > 0 ? (UINT)(D / R * 100) : 0, FALSE);
}

static INT_PTR OnMessage(HWND page, UINT msg, WPARAM, LPARAM lParam)
{
    switch (msg) {
    case WM_VSCROLL:
        Spun(page, (HWND)lParam);
        return TRUE;
    case WM_DRAWITEM:
        DrawScreen(page, (const DRAWITEMSTRUCT *)lParam);
        return TRUE;
    case WM_SCREENCLICK:
        ScreenClicked(page, lParam);
        return 0;
    }
    return 0;
}

static const PAGECOMMAND commands[] = {
    { MAKEWPARAM(IDC_ANGLE, EN_CHANGE), AngleChanged },
    { MAKEWPARAM(IDC_DISTANCE, EN_CHANGE), DistanceChanged },
};
static const PAGEDEF wizTen = { OnInit, Store, commands, sizeof commands / sizeof commands[0], OnMessage };

INT_PTR CALLBACK WizTen(HWND page, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunPage(wizTen, page, msg, wParam, lParam);
}

} // namespace zv
