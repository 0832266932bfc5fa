/*
 * test_splash_dialog.cpp - the splash's dialog procedure and its drawing
 * of the copyright text inside this program, on the runtime's own
 * templates: what a window of another process cannot show under Wine.
 */
#include <gtest/gtest.h>

#include "runtime.h"
#include "splash.h"
#include "splashsite.h"

namespace zv {
namespace {

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

/* A 32-bit top-down drawing surface with its pixels at hand. */
struct CANVAS {
    HDC dc = NULL;
    HBITMAP dib = NULL;
    HGDIOBJ old = NULL;
    unsigned *bits = NULL;
    int w, h;
    CANVAS(int width, int height, unsigned fill) : w(width), h(height)
    {
        BITMAPINFO bi = zvtest::TopDown32(w, h);
        dc = CreateCompatibleDC(NULL);
        dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void **)&bits, NULL, 0);
        old = SelectObject(dc, dib);
        for (int i = 0; i < w * h; i++)
            bits[i] = fill;
    }
    ~CANVAS()
    {
        SelectObject(dc, old);
        DeleteObject(dib);
        DeleteDC(dc);
    }
    unsigned At(int x, int y) const
    {
        GdiFlush();
        return bits[y * w + x] & 0xFFFFFF;
    }
};

class SplashDialog : public ::testing::Test {
protected:
    AUTORUNINF saved;
    HWND dlg = NULL;

    void SetUp() override
    {
        saved = ari;
    }
    void TearDown() override
    {
        if (dlg && IsWindow(dlg))
            DestroyWindow(dlg);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ;
        ari = saved;
    }
    HWND Create(const char *name, const char *copyright)
    {
        dlg = CreateDialogParamA(GetModuleHandleA(NULL), name, GetDesktopWindow(), SplashDlgProc, (LPARAM)copyright);
        return dlg;
    }
};

TEST_F(SplashDialog, ShowCommandPutsItBackOnTopOnlyWhenAsked)
{
    ari.flgTopMost = -1;
    ASSERT_TRUE(Create("SPLASH", "") != NULL);
    ShowWindow(dlg, SW_SHOWNORMAL);

    SendMessageA(dlg, WM_COMMAND, 200, 0);
    EXPECT_FALSE(IsWindowVisible(dlg));
    EXPECT_FALSE(IsTopmost(dlg));
    SendMessageA(dlg, WM_COMMAND, 210, 0);
    EXPECT_TRUE(IsWindowVisible(dlg));
    EXPECT_TRUE(IsTopmost(dlg));

    /* without the setting the order is left alone: once lowered, it stays */
    SendMessageA(dlg, WM_COMMAND, 200, 0);
    ari.flgTopMost = 0;
    SendMessageA(dlg, WM_COMMAND, 210, 0);
    EXPECT_TRUE(IsWindowVisible(dlg));
    EXPECT_FALSE(IsTopmost(dlg));
}

DRAWITEMSTRUCT Item(UINT id, const CANVAS &canvas, HWND item = NULL)
{
    DRAWITEMSTRUCT di = {};
    di.CtlType = ODT_BUTTON;
    di.CtlID = id;
    di.hwndItem = item;
    di.hDC = canvas.dc;
    di.rcItem = RECT{10, 10, canvas.w - 10, canvas.h - 10};
    return di;
}

/* Rows of the canvas with any ink on them, as runs of rows. */
int InkBands(const CANVAS &c)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < c.h; y++) {
        bool ink = false;
        for (int x = 0; x < c.w && !ink; x++)
            ink = c.At(x, y) != 0xFFFFFF;
        if (ink && !inBand)
            bands++;
        inBand = ink;
    }
    return bands;
}

TEST_F(SplashDialog, CopyrightLineFeedsGiveSeveralLines)
{
    ASSERT_TRUE(Create("SPLASH", "(c) 2026 Quay Press\nAll rights kept") != NULL);
    HWND text = GetDlgItem(dlg, SPLASH_TEXT);
    ASSERT_TRUE(text != NULL);

    CANVAS canvas(320, 80, 0x00FFFFFF);
    SetTextColor(canvas.dc, RGB(0, 0, 0));
    DRAWITEMSTRUCT di = Item(SPLASH_TEXT, canvas, text);
    EXPECT_TRUE(DrawItem(SPLASH_TEXT, &di));
    EXPECT_EQ(2, InkBands(canvas));

    /* an ampersand is text, not a mnemonic */
    SetWindowTextA(text, "Quay & Co");
    CANVAS one(320, 80, 0x00FFFFFF);
    di = Item(SPLASH_TEXT, one, text);
    EXPECT_TRUE(DrawItem(SPLASH_TEXT, &di));
    EXPECT_EQ(1, InkBands(one));
}

} // namespace
} // namespace zv
