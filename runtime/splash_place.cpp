/*
 * splash_place.cpp - the splash's size and place: the picture's size from
 * the settings or the template, the controls laid out around it, the
 * window centred, moved by angle and percent and kept on the screen.
 */
#include <windows.h>
#include <math.h>

#include "resource.h"
#include "splash.h"

namespace zv {

void SplashPictureSize(int imageWidth, int imageHeight, LONG controlWidth, LONG controlHeight,
                       LONG workWidth, LONG workHeight, UINT *width, UINT *height)
{
    UINT w = (UINT)controlWidth, h = (UINT)controlHeight;

    if (imageWidth && imageHeight) {
        w = (UINT)imageWidth;
        h = (UINT)imageHeight;
    }
    if (h <= 49)
        h = 50;
    if (w <= 149)
        w = 150;

    UINT mw = (8u * (UINT)workWidth) / 10, mh = (8u * (UINT)workHeight) / 10;
    if (w >= mw)
        w = mw;
    if (h >= mh)
        h = mh;
    *width = w;
    *height = h;
}

/* Keeps a span of size at pos inside low..high; a span too large for it
 * starts at low, where a caption stays within reach. */
static LONG KeepInside(LONG pos, LONG size, LONG low, LONG high)
{
    if (pos > high - size)
        pos = high - size;
    if (pos < low)
        pos = low;
    return pos;
}

void SplashCorner(const RECT *desktop, const RECT *work, LONG clientWidth, LONG clientHeight, LONG windowWidth,
                  LONG windowHeight, int angle, unsigned percent, int *x, int *y)
{
    /* signed: a window wider than the desktop must not wrap to far away */
    LONG dx = (desktop->right - desktop->left - clientWidth) / 2;
    LONG dy = (desktop->bottom - desktop->top - clientHeight) / 2;
    LONG px = desktop->left + dx, py = desktop->top + dy;

    if (percent) {
        /* a data file may say more than the wizard allows: the edge at most */
        double a = angle * 0.017453292519943295, p = (percent > 100 ? 100 : percent) / 100.0;
        px += (LONG)(dx * p * cos(a));
        py -= (LONG)(dy * p * sin(a));
    }
    /* what is moved is the whole window, caption and frame included */
    *x = (int)KeepInside(px, windowWidth, work->left, work->right);
    *y = (int)KeepInside(py, windowHeight, work->top, work->bottom);
}

/* A control's rectangle in the dialog's client coordinates. */
static RECT ControlRect(HWND dialog, int id)
{
    RECT rc = {};
    HWND control = GetDlgItem(dialog, id);
    if (control) {
        GetWindowRect(control, &rc);
        MapWindowPoints(NULL, dialog, (POINT *)&rc, 2);
    }
    return rc;
}

/* The classic splash: the frame and the copyright text follow the
 * picture's bottom edge and keep their offsets from the template. */
static void LayOutClassic(HWND splash, LONG w, LONG h, LONG *clientWidth, LONG *clientHeight)
{
    RECT picture = ControlRect(splash, IDC_SPLASHPICTURE);
    RECT frame = ControlRect(splash, IDC_SPLASHFRAME);
    RECT text = ControlRect(splash, IDC_SPLASHCOPYRIGHT);
    LONG px = picture.left, py = picture.top;
    LONG frameHeight = frame.bottom - frame.top, textHeight = text.bottom - text.top;
    LONG insetX = text.left - frame.left, insetY = text.top - frame.top;
    LONG textWidth = w - insetY;

    MoveWindow(GetDlgItem(splash, IDC_SPLASHPICTURE), px, py, w, h, TRUE);
    MoveWindow(GetDlgItem(splash, IDC_SPLASHFRAME), px, h + 2 * py, w, frameHeight, TRUE);
    MoveWindow(GetDlgItem(splash, IDC_SPLASHCOPYRIGHT), px + insetX, h + 2 * py + insetY,
               textWidth > 0 ? textWidth : 0, textHeight, TRUE);
    *clientWidth = w + 2 * px;
    *clientHeight = h + 3 * py + frameHeight;
}

void PlaceSplash(HWND splash, AUTORUNINF *settings)
{
    HWND picture = GetDlgItem(splash, IDC_SPLASHPICTURE);
    RECT control = {}, work = {}, desktop = {};
    UINT w, h;

    GetClientRect(picture, &control);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    LONG workWidth = work.right - work.left, workHeight = work.bottom - work.top;

    SplashPictureSize(settings->uImageWidth, settings->uImageHeight, control.right, control.bottom, workWidth,
                      workHeight, &w, &h);
    /* the splash video takes its size from here */
    settings->uImageWidth = (int)w;
    settings->uImageHeight = (int)h;

    LONG clientWidth, clientHeight, frameWidth, frameHeight;
    if (settings->flgAlternateSplash) {
        MoveWindow(picture, 0, 0, (LONG)w, (LONG)h, TRUE);
        clientWidth = (LONG)w < workWidth ? (LONG)w : workWidth;
        clientHeight = (LONG)h < workHeight ? (LONG)h : workHeight;
        frameWidth = 2 * GetSystemMetrics(SM_CXBORDER);
        frameHeight = 2 * GetSystemMetrics(SM_CYBORDER);
    } else {
        LayOutClassic(splash, (LONG)w, (LONG)h, &clientWidth, &clientHeight);
        frameWidth = 2 * GetSystemMetrics(SM_CXDLGFRAME);
        frameHeight = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME);
    }

    /* centred by the client size, before the frame is added */
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x, y;
    LONG windowWidth = clientWidth + frameWidth, windowHeight = clientHeight + frameHeight;
    SplashCorner(&desktop, &work, clientWidth, clientHeight, windowWidth, windowHeight, settings->nOffsetAngle,
                 settings->uOffsetPercent, &x, &y);

    MoveWindow(splash, x, y, windowWidth, windowHeight, TRUE);
    ShowWindow(splash, SW_SHOWNORMAL);
    if (settings->flgTopMost)
        SetWindowPos(splash, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace zv
