/*
 * test_splash_commands.cpp - the splash's commands, sent while a message
 * box of the runtime pumps messages (the only time anything reaches the
 * splash): hide and show again, lowered from the top when asked, no
 * closing from the caption, and the runtime's own cancel that ends it.
 */
#include <gtest/gtest.h>

#include <functional>

#include "splashsite.h"

namespace zv {
namespace {

const DWORD SHOWS_WITHIN = zvtest::EVENT_WAIT_MS, ENDS_WITHIN = zvtest::EVENT_WAIT_MS + 10000;

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

/* A disc whose default action cannot start: the runtime's failure box,
 * owned by the splash, pumps messages until it is answered. */
struct BOXEDRUN {
    std::string disc;
    SPLASHRUN run;
    HWND splash = NULL;
    HWND box = NULL;
};

void StartBoxed(const std::string &name, const std::string &topMost, BOXEDRUN *r)
{
    r->disc = MakeSplashDisc(name);
    ASSERT_TRUE(WriteSplashInf(r->disc, {"DefaultAction=nosuch.exe", "CDTitle=Pumping Disc", "SplashLen=8",
                                         "ImageWidth=300", "ImageHeight=200", "TopMost=" + topMost}));
    ASSERT_TRUE(StartDisc(r->disc, "", &r->run));
    r->splash = WaitForSplash(r->run, SHOWS_WITHIN);
    ASSERT_TRUE(r->splash != NULL);
    r->box = WaitForBox(r->run, SHOWS_WITHIN);
    ASSERT_TRUE(r->box != NULL);
    EXPECT_EQ(r->splash, GetWindow(r->box, GW_OWNER));
}

TEST(SplashCommands, HideAndShowAgainWhileABoxPumps)
{
    BOXEDRUN r;
    StartBoxed("topmost", "1", &r);
    if (HasFatalFailure())
        return;
    HWND s = r.splash;

    PostMessageA(s, WM_COMMAND, 200, 0);
    EXPECT_TRUE(zvtest::Eventually([&] { return !IsWindowVisible(s); }));
    EXPECT_TRUE(zvtest::Eventually([&] { return !IsTopmost(s); }));

    /* topmost again too, but Wine lifts no window that owns a visible
     * popup: that half is seen in the dialog tests of this program */
    PostMessageA(s, WM_COMMAND, 210, 0);
    EXPECT_TRUE(zvtest::Eventually([&] { return IsWindowVisible(s) != 0; }));

    /* the close button and Alt+F4 do nothing */
    PostMessageA(s, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(s, WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    /* the notification code makes it another command: ignored */
    PostMessageA(s, WM_COMMAND, MAKEWPARAM(200, BN_DOUBLECLICKED), 0);
    Sleep(500);
    EXPECT_TRUE(IsWindow(s));
    EXPECT_TRUE(IsWindowVisible(s));

    /* answering the box ends the run: the runtime cancels the splash */
    zvtest::PressButton(r.box, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(WaitForEnd(&r.run, ENDS_WITHIN, &code));
    EXPECT_EQ(0u, code);
}

} // namespace
} // namespace zv
