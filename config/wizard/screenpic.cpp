/*
 * screenpic.cpp - the placement page's small picture of the screen takes
 * the mouse: a static control would let clicks through to the page, so a
 * procedure of ours sits in front of the control's own and tells the page
 * where the author clicked.  The window property "scn_dat" holds the page
 * and the control's own procedure in a movable block.
 */
#include "wizard.h"

namespace zv {

static const char szScreenData[] = "scn_dat";

enum { SCN_PAGE, SCN_PROC, SCN_VALUES };

/* The two values of the property's block; 0 without the property. */
static int ScreenData(HWND hwnd, HANDLE *block, HWND *page, WNDPROC *proc)
{
    *block = GetPropA(hwnd, szScreenData);
    LONG_PTR *values = *block ? (LONG_PTR *)GlobalLock(*block) : NULL;
    if (!values)
        return 0;
    *page = (HWND)values[SCN_PAGE];
    *proc = (WNDPROC)values[SCN_PROC];
    GlobalUnlock(*block);
    return 1;
}

LRESULT CALLBACK SubStaticEvents(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HANDLE block;
    HWND page;
    WNDPROC proc;

    if (!ScreenData(hwnd, &block, &page, &proc))
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:
        RemovePropA(hwnd, szScreenData);
        GlobalFree(block);
        break;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(NULL, IDC_CROSS));
        return TRUE;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
        SendMessageA(page, WM_SCREENCLICK, wParam, lParam);
        break;
    }
    return CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

WNDPROC CreateScreenPicture(HWND page, int itemId)
{
    HWND item = GetDlgItem(page, itemId), owner;
    HANDLE block;
    WNDPROC previous;
    if (!item)
        return NULL;
    /* installed once: a second call would make the procedure call itself */
    if (ScreenData(item, &block, &owner, &previous))
        return previous;

    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SCN_VALUES * sizeof(LONG_PTR));
    LONG_PTR *values = block ? (LONG_PTR *)GlobalLock(block) : NULL;
    if (!values) {
        if (block)
            GlobalFree(block);
        return NULL;
    }
    previous = (WNDPROC)GetWindowLongPtrA(item, GWLP_WNDPROC);
    values[SCN_PAGE] = (LONG_PTR)page;
    values[SCN_PROC] = (LONG_PTR)previous;
    GlobalUnlock(block);
    if (!SetPropA(item, szScreenData, block)) {
        GlobalFree(block);
        return NULL;
    }
    SetWindowLongPtrA(item, GWLP_WNDPROC, (LONG_PTR)SubStaticEvents);
    return previous;
}

} // namespace zv
