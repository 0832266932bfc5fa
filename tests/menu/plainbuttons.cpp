/*
 * plainbuttons.cpp - the yardstick of scripts/bench-menu: the least a
 * program can do to show a window of eight plain buttons, with ZVMenu's
 * window size and button places.  It ends when its window is closed.
 */
#include <windows.h>
#include <stdio.h>

static LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(INT_PTR)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZVPlainButtons";
    if (!RegisterClassA(&wc))
        return 1;
    int height = GetSystemMetrics(SM_CYCAPTION) * 2 + 2 * GetSystemMetrics(SM_CYBORDER) + 56 * 8;
    HWND hwnd = CreateWindowExA(0, "ZVPlainButtons", "Plain buttons", WS_CAPTION | WS_SYSMENU, 272, 100, 480,
                                height, NULL, NULL, instance, NULL);
    if (!hwnd)
        return 1;
    for (int i = 0; i < 8; i++) {
        char text[32];
        snprintf(text, sizeof text, "Item %d", i + 1);
        CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 4 + 56 * i, 464, 48, hwnd,
                        (HMENU)(INT_PTR)(100 + i), instance, NULL);
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
