/*
 * test_splash_pages.cpp - the copyright, splash, splash options and
 * placement pages of ZVConfig.exe as an author works them, down to the
 * AUTORUN.INF they save.
 */
#include <gtest/gtest.h>

#include <math.h>

#include "pagecontrols.h"
#include "testmedia.h"
#include "testpictures.h"

using namespace wiztest;

enum {
    COPYRIGHT = 1005, PREVIEW = 1318, SHOWSPLASH = 1038, CUSTOM = 1018, SPLASHFILE = 1009, BROWSE = 1001, WIDTH = 1012,
    HEIGHT = 1013, LOOKUP = 1046, ANIMATION = 1066, SPLASHTIME = 1011, PAUSETIME = 1010, ALTSPLASH = 1116,
    TOPMOST = 1017, TITLE = 1065, ANGLE = 1060, DISTANCE = 1062, SCREENPIC = 1064
};

static const std::vector<std::string> SPLASHKEYS = { "HIDESPLASH", "SPLASH", "IMAGEWIDTH", "IMAGEHEIGHT",
                                                     "SPLASHMODE", "SPLASHLEN", "PAUSELEN" };

TEST(WizardSplashPages, CopyrightSplashPictureAndTimesReachTheInf)
{
    std::string tool = ToolFolder("splash-tool"), proj = DiscFolder("splash-proj");
    std::string inf = proj + "\\AUTORUN.INF", png = zvtest::PngBytes(8, 8, 0x00FF00);
    png[20] ^= 0x55;   /* the header's height: its checksum no longer fits */
    /* each with the size Lookup shows after it: a damaged one leaves it */
    const struct { const char *name; std::string bytes; const char *size; } files[] = {
        { "pic.bmp", zvtest::BmpBytes(40, 30, 0x3366CC), "40x30" }, { "pic.png", zvtest::PngBytes(50, 20, 0xCC3333), "50x20" },
        { "Pic.JpEg", JpegHeader(70, 60), "70x60" }, { "pic.jpg", JpegHeader(31, 17), "31x17" },
        { "bad.jpg", "\xFF\xD8\xFF\xC0 no header", "31x17" }, { "bad.png", png, "31x17" },
        { "cut.bmp", zvtest::DamagedBmps()[3].bytes /* cut after its headers */, "31x17" },
    };
    for (const auto &f : files)
        ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\" + f.name, f.bytes));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));
    ASSERT_TRUE(GoTo(w, 1, 6));

    /* a Ctrl+Enter line break: previewed as two lines, stored as \n */
    TypeText(w, COPYRIGHT, "(C) 2026\r\nExample Press");
    EXPECT_EQ(Text(w, PREVIEW), "(C) 2026\r\nExample Press");
    Snap("wizard-splash-page-07");
    ASSERT_TRUE(GoTo(w, 6, 7));

    /* a new project shows the runtime's own splash */
    EXPECT_TRUE(Checked(w, SHOWSPLASH) && !Checked(w, CUSTOM) && Enabled(w, CUSTOM));
    EXPECT_EQ(States(w, { SPLASHFILE, BROWSE, WIDTH, HEIGHT, ANIMATION }), "00000");
    Toggle(w, CUSTOM);
    EXPECT_EQ(States(w, { SPLASHFILE, BROWSE, WIDTH, HEIGHT, ANIMATION }), "11111");
    SetText(w, SPLASHFILE, "clip.avi");
    EXPECT_FALSE(Enabled(w, LOOKUP)) << "a video has no size to look up";
    for (const auto &f : files) {
        SetText(w, SPLASHFILE, f.name);
        EXPECT_TRUE(Enabled(w, LOOKUP)) << f.name;
        if (strcmp(f.name, "bad.png") == 0) {   /* the PNG decoder tells what is wrong */
            Click(w, LOOKUP);
            HWND box = WaitForDialog(w, "Zorvan");
            ASSERT_TRUE(box != NULL);
            zvtest::PressButton(box, IDOK);
            EXPECT_TRUE(zvtest::Eventually([&] { return !IsWindow(box); }));
        } else {
            Press(w, LOOKUP);
        }
        EXPECT_EQ(Text(w, WIDTH) + "x" + Text(w, HEIGHT), f.size) << f.name;
    }
    SetText(w, SPLASHFILE, "pic.png");
    Press(w, LOOKUP);
    SendTo(Item(w, ANIMATION), CB_SELECTSTRING, (WPARAM)-1, (LPARAM)"(1)");
    Snap("wizard-splash-page-08");
    ASSERT_TRUE(GoTo(w, 7, 8));

    /* the author's picture: the times are the author's too */
    EXPECT_TRUE(Enabled(w, SPLASHTIME) && Enabled(w, PAUSETIME) && Enabled(w, TITLE));
    SetText(w, SPLASHTIME, "0");
    SetText(w, PAUSETIME, "3");
    SetText(w, TITLE, std::string(70, 'T'));
    Toggle(w, TOPMOST);
    Snap("wizard-splash-page-09");
    ASSERT_TRUE(GoTo(w, 8, 9));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValues(inf, { "COPYRIGHT", "TOPMOST", "CDTITLE" }),
              "(C) 2026\\nExample Press|-1|" + std::string(63, 'T'));
    EXPECT_EQ(InfValues(inf, SPLASHKEYS), "0|pic.png|50|20|1|1|3") << "a splash time of 0 is 1";

    /* hidden: the runtime's times, whatever the options page held */
    ASSERT_TRUE(GoTo(w, 12, 7));
    Toggle(w, SHOWSPLASH);
    EXPECT_FALSE(Enabled(w, CUSTOM));
    EXPECT_EQ(States(w, { SPLASHFILE, BROWSE, WIDTH, HEIGHT, ANIMATION, LOOKUP }), "000000");
    ASSERT_TRUE(GoTo(w, 7, 8));
    EXPECT_EQ(Text(w, SPLASHTIME) + "/" + Text(w, PAUSETIME), "5/0");
    EXPECT_FALSE(Enabled(w, SPLASHTIME) || Enabled(w, PAUSETIME));
    Toggle(w, ALTSPLASH);
    EXPECT_FALSE(Enabled(w, TITLE)) << "the alternate splash has no title";
    ASSERT_TRUE(GoTo(w, 8, 9));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValues(inf, SPLASHKEYS), "-1||50|20|1|5|0") << "a hidden splash keeps size and mode";
    EXPECT_EQ(InfValues(inf, { "ALTERNATESPLASH", "CDTITLE" }), "-1|");

    /* shown again without a picture of the author's: the built-in one */
    ASSERT_TRUE(GoTo(w, 12, 7));
    Toggle(w, SHOWSPLASH);
    EXPECT_FALSE(Checked(w, CUSTOM));
    ASSERT_TRUE(GoTo(w, 7, 8));
    EXPECT_FALSE(Enabled(w, SPLASHTIME));
    ASSERT_TRUE(GoTo(w, 8, 9));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValues(inf, SPLASHKEYS), "0||0|0|0|5|0");
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

static void ClickPicture(const WIZARD &w, int x, int y)
{
    SendTo(Item(w, SCREENPIC), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendTo(Item(w, SCREENPIC), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

static unsigned Rgb(unsigned colorref)
{
    return (GetRValue(colorref) << 16) | (GetGValue(colorref) << 8) | GetBValue(colorref);
}

TEST(WizardSplashPages, PlacementByEditsArrowsAndClicks)
{
    std::string tool = ToolFolder("place-tool"), proj = DiscFolder("place-proj");
    std::string inf = proj + "\\AUTORUN.INF";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.png", zvtest::PngBytes(50, 20, 0xCC3333)));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));

    /* stored angles as the page shows them; the last project's other
     * values as a file may hold them */
    for (auto c : { std::make_pair(725, "5"), std::make_pair(-360, "0"), std::make_pair(-90, "270") }) {
        ASSERT_TRUE(zvtest::WriteFileBytes(inf, "[AutoRun]\r\nOPEN=ZORVAN.EXE\r\n[Zorvan Data]\r\nSPLASH=pic.png\r\n"
                                                "SPLASHMODE=12\r\nCOPYRIGHT=Line\\nTwo \\#169\r\nOFFSETPERCENT=150\r\n"
                                                "OFFSETANGLE=" + std::to_string(c.first) + "\r\n"));
        ASSERT_TRUE(OpenProject(w, inf));
        ASSERT_TRUE(GoTo(w, 1, 6));
        EXPECT_EQ(Text(w, COPYRIGHT), "Line\\nTwo \\#169") << "a text read from a file shows escaped";
        EXPECT_EQ(Text(w, PREVIEW), "Line\nTwo \xA9");
        ASSERT_TRUE(GoTo(w, 6, 7));
        EXPECT_EQ(Text(w, ANIMATION), "(2) wait until finished") << "mode 12";
        ASSERT_TRUE(GoTo(w, 7, 9));
        EXPECT_EQ(Text(w, ANGLE) + "/" + Text(w, DISTANCE), std::string(c.second) + "/100") << c.first;
        if (c.first != -90) {
            ASSERT_TRUE(GoTo(w, 9, 12));
            Click(w, NEXT);
            ASSERT_TRUE(WaitForPage(w, 0));
        }
    }
    EXPECT_EQ(zvtest::WindowText(GetWindow(Item(w, ANGLE), GW_HWNDPREV)), "Angle\n0\xB0 - 360\xB0 ");

    /* typed values, then the arrow keys */
    for (auto c : { std::make_pair("-360", "0"), std::make_pair("-30", "330"), std::make_pair("400", "359") }) {
        SetText(w, ANGLE, c.first);
        EXPECT_EQ(Text(w, ANGLE), c.second) << c.first;
    }
    SetText(w, DISTANCE, "150");
    EXPECT_EQ(Text(w, DISTANCE), "100");
    SetText(w, ANGLE, "10");
    SetText(w, DISTANCE, "50");
    for (auto key : { std::make_pair(ANGLE, VK_UP), std::make_pair(DISTANCE, VK_DOWN) }) {
        SendTo(Item(w, key.first), WM_KEYDOWN, key.second, 1);
        SendTo(Item(w, key.first), WM_KEYUP, key.second, 0xC0000001);
    }
    EXPECT_EQ(Text(w, ANGLE) + "/" + Text(w, DISTANCE), "11/49");

    /* clicks right of, above, left of and below the centre, and in a corner */
    RECT rc;
    GetClientRect(Item(w, SCREENPIC), &rc);
    int cx = rc.right / 2, cy = rc.bottom / 2;
    const struct { int x, y; const char *angle; } clicks[] = {
        { rc.right - 1, cy, "0" }, { cx, 0, "90" }, { 0, cy, "180" }, { cx, rc.bottom - 1, "270" },
    };
    for (const auto &c : clicks) {
        ClickPicture(w, c.x, c.y);
        EXPECT_EQ(Text(w, ANGLE), c.angle) << c.x << "," << c.y;
        EXPECT_GE(atoi(Text(w, DISTANCE).c_str()), 90) << c.x << "," << c.y;
    }
    ClickPicture(w, 0, 0);
    EXPECT_EQ(Text(w, ANGLE) + "/" + Text(w, DISTANCE),
              std::to_string((int)(atan2((double)cy, (double)-cx) * 57.29577951308232)) + "/100");

    /* a real click: the picture takes the mouse from the page */
    SetText(w, ANGLE, "45");
    RECT right = zvtest::ScreenRect(Item(w, SCREENPIC), { cx + cx / 2, cy, cx + cx / 2 + 1, cy + 1 });
    SetForegroundWindow(w.frame);
    SetCursorPos(right.left, right.top);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    EXPECT_TRUE(zvtest::Eventually([&] { return Text(w, ANGLE) == "0"; })) << Text(w, ANGLE);

    /* angle 0 at 100 percent: the small rectangle at the right edge */
    SetText(w, DISTANCE, "100");
    int W = rc.right, H = rc.bottom, sw = W / 6, sh = H / 4, x0 = (W - sw) / 2, y0 = (H - sh) / 2;
    zvtest::SCREENSHOT shot;
    EXPECT_TRUE(zvtest::WaitForColour(zvtest::ScreenRect(Item(w, SCREENPIC), { 2 * x0 + 2, y0 + 2, 2 * x0 + sw - 2, y0 + sh - 2 }),
                                      Rgb(GetSysColor(COLOR_WINDOW)), 8, 30000, &shot));
    EXPECT_TRUE(zvtest::WaitForColour(zvtest::ScreenRect(Item(w, SCREENPIC), { x0 + 2, y0 + 2, x0 + sw - 2, y0 + sh - 2 }),
                                      Rgb(GetSysColor(COLOR_BACKGROUND)), 8, 30000, &shot));
    zvtest::KeepScreenshot(shot, "wizard-splash-page-10");

    ASSERT_TRUE(GoTo(w, 9, 10));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValues(inf, { "OFFSETANGLE", "OFFSETPERCENT", "SPLASHMODE" }), "0|100|2");
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}
