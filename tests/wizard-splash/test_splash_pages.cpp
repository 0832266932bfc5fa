/*
 * test_splash_pages.cpp - the copyright, splash, splash options and
 * placement pages of ZVConfig.exe as an author works them, down to the
 * AUTORUN.INF they save.
 */
#include <gtest/gtest.h>

#include <math.h>

#include "pagecontrols.h"
#include "screen.h"
#include "testpictures.h"
#include "testmedia.h"

using namespace wiztest;

enum {
    COPYRIGHT = 1005, PREVIEW = 1318,
    SHOWSPLASH = 1038, CUSTOM = 1018, SPLASHFILE = 1009, SPLASHBROWSE = 1001, WIDTH = 1012, HEIGHT = 1013,
    LOOKUP = 1046, ANIMATION = 1066,
    SPLASHTIME = 1011, PAUSETIME = 1010, ALTSPLASH = 1116, TOPMOST = 1017, TITLE = 1065,
    ANGLE = 1060, DISTANCE = 1062, SCREENPIC = 1064
};

static bool CustomEnabled(const WIZARD &w)
{
    return Enabled(w, SPLASHFILE) && Enabled(w, SPLASHBROWSE) && Enabled(w, WIDTH) && Enabled(w, HEIGHT) &&
           Enabled(w, ANIMATION);
}

static bool CustomDisabled(const WIZARD &w)
{
    return !Enabled(w, SPLASHFILE) && !Enabled(w, SPLASHBROWSE) && !Enabled(w, WIDTH) && !Enabled(w, HEIGHT) &&
           !Enabled(w, ANIMATION) && !Enabled(w, LOOKUP);
}

TEST(WizardSplashPages, CopyrightSplashPictureAndTimesReachTheInf)
{
    std::string tool = ToolFolder("splash-tool"), proj = zvtest::ScratchDir("splash-proj");
    std::string inf = proj + "\\AUTORUN.INF";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.bmp", zvtest::BmpBytes(40, 30, 0x3366CC)));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.png", zvtest::PngBytes(50, 20, 0xCC3333)));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\Pic.JpEg", JpegHeader(70, 60)));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.jpg", JpegHeader(31, 17)));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\bad.jpg", "\xFF\xD8\xFF\xC0 this is no header"));
    std::string png = zvtest::PngBytes(8, 8, 0x00FF00);
    png[20] ^= 0x55;   /* the header's width: its checksum no longer fits */
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\bad.png", png));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\clip.avi", zvtest::AviBytes(16, 16, 2, 10, 0xFF0000)));

    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));
    ASSERT_TRUE(GoTo(w, 1, 6));

    /* a Ctrl+Enter line break: stored as \n, previewed as two lines */
    TypeText(w, COPYRIGHT, "(C) 2026\r\nExample Press");
    EXPECT_TRUE(WaitFor([&] { return Text(w, PREVIEW) == "(C) 2026\r\nExample Press"; })) << Text(w, PREVIEW);
    Snap("wizard-splash-page-07");
    ASSERT_TRUE(GoTo(w, 6, 7));

    /* a new project shows the runtime's own splash */
    EXPECT_TRUE(Checked(w, SHOWSPLASH));
    EXPECT_FALSE(Checked(w, CUSTOM));
    EXPECT_TRUE(Enabled(w, CUSTOM));
    EXPECT_TRUE(CustomDisabled(w));
    Toggle(w, CUSTOM);
    EXPECT_TRUE(CustomEnabled(w));
    SetText(w, SPLASHFILE, "clip.avi");
    EXPECT_FALSE(Enabled(w, LOOKUP)) << "a video has no size to look up";

    struct { const char *name; const char *width, *height; } pictures[] = {
        { "pic.bmp", "40", "30" }, { "pic.png", "50", "20" }, { "Pic.JpEg", "70", "60" }, { "pic.jpg", "31", "17" },
    };
    for (const auto &p : pictures) {
        SetText(w, SPLASHFILE, p.name);
        EXPECT_TRUE(Enabled(w, LOOKUP)) << p.name;
        Press(w, LOOKUP);
        EXPECT_EQ(Text(w, WIDTH), p.width) << p.name;
        EXPECT_EQ(Text(w, HEIGHT), p.height) << p.name;
    }
    SetText(w, SPLASHFILE, "bad.jpg");
    Press(w, LOOKUP);
    EXPECT_EQ(Text(w, WIDTH) + "x" + Text(w, HEIGHT), "31x17") << "a damaged JPEG leaves the sizes";
    SetText(w, SPLASHFILE, "bad.png");
    Click(w, LOOKUP);
    HWND box = WaitForDialog(w, "Zorvan");
    ASSERT_TRUE(box != NULL) << "the PNG decoder tells what is wrong";
    zvtest::PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_EQ(Text(w, WIDTH) + "x" + Text(w, HEIGHT), "31x17");

    SetText(w, SPLASHFILE, "pic.png");
    Press(w, LOOKUP);
    SendTo(Item(w, ANIMATION), CB_SELECTSTRING, (WPARAM)-1, (LPARAM)"(1)");
    Snap("wizard-splash-page-08");
    ASSERT_TRUE(GoTo(w, 7, 8));

    /* the author's picture: the times are the author's too */
    EXPECT_TRUE(Enabled(w, SPLASHTIME));
    EXPECT_TRUE(Enabled(w, TITLE));
    SetText(w, SPLASHTIME, "0");
    SetText(w, PAUSETIME, "3");
    SetText(w, TITLE, std::string(70, 'T'));
    EXPECT_EQ(Text(w, TITLE), std::string(70, 'T')) << "a set text passes the limit; the record keeps 63";
    Toggle(w, TOPMOST);
    Snap("wizard-splash-page-09");
    ASSERT_TRUE(GoTo(w, 8, 9));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValue(inf, "COPYRIGHT"), "(C) 2026\\nExample Press");
    EXPECT_EQ(InfValue(inf, "SPLASH"), "pic.png");
    EXPECT_EQ(InfValue(inf, "IMAGEWIDTH") + "x" + InfValue(inf, "IMAGEHEIGHT"), "50x20");
    EXPECT_EQ(InfValue(inf, "SPLASHMODE"), "1");
    EXPECT_EQ(InfValue(inf, "SPLASHLEN"), "1") << "a splash time of 0 is 1";
    EXPECT_EQ(InfValue(inf, "PAUSELEN"), "3");
    EXPECT_EQ(InfValue(inf, "CDTITLE"), std::string(63, 'T'));
    EXPECT_EQ(InfValue(inf, "TOPMOST"), "-1");

    /* hidden: no splash name, the runtime's times shown and stored */
    ASSERT_TRUE(GoTo(w, 12, 7));
    EXPECT_TRUE(Checked(w, CUSTOM));
    Toggle(w, SHOWSPLASH);
    EXPECT_FALSE(Enabled(w, CUSTOM));
    EXPECT_TRUE(CustomDisabled(w));
    ASSERT_TRUE(GoTo(w, 7, 8));
    EXPECT_EQ(Text(w, SPLASHTIME) + "/" + Text(w, PAUSETIME), "5/0");
    EXPECT_FALSE(Enabled(w, SPLASHTIME));
    EXPECT_FALSE(Enabled(w, PAUSETIME));
    Toggle(w, ALTSPLASH);
    EXPECT_FALSE(Enabled(w, TITLE)) << "the alternate splash has no title";
    ASSERT_TRUE(GoTo(w, 8, 9));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValue(inf, "HIDESPLASH"), "-1");
    EXPECT_EQ(InfValue(inf, "SPLASH"), "");
    EXPECT_EQ(InfValue(inf, "SPLASHLEN") + "/" + InfValue(inf, "PAUSELEN"), "5/0");
    EXPECT_EQ(InfValue(inf, "ALTERNATESPLASH"), "-1");
    EXPECT_EQ(InfValue(inf, "CDTITLE"), "");
    EXPECT_EQ(InfValue(inf, "IMAGEWIDTH"), "50") << "a hidden splash keeps the size";

    /* shown again without a picture of the author's: the built-in one */
    ASSERT_TRUE(GoTo(w, 12, 7));
    Toggle(w, SHOWSPLASH);
    EXPECT_FALSE(Checked(w, CUSTOM));
    EXPECT_TRUE(CustomDisabled(w));
    ASSERT_TRUE(GoTo(w, 7, 8));
    EXPECT_FALSE(Enabled(w, SPLASHTIME));
    ASSERT_TRUE(GoTo(w, 8, 9));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValue(inf, "HIDESPLASH"), "0");
    EXPECT_EQ(InfValue(inf, "SPLASH"), "");
    EXPECT_EQ(InfValue(inf, "IMAGEWIDTH") + "x" + InfValue(inf, "IMAGEHEIGHT"), "0x0");
    EXPECT_EQ(InfValue(inf, "SPLASHMODE"), "0");
    EXPECT_EQ(InfValue(inf, "SPLASHLEN") + "/" + InfValue(inf, "PAUSELEN"), "5/0");
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

/* An INF with the placement, mode and copyright as a file may hold them. */
static std::string PlacedInf(int angle)
{
    return "[AutoRun]\r\nOPEN=ZORVAN.EXE\r\n\r\n[Zorvan Data]\r\nSPLASH=pic.png\r\nSPLASHMODE=12\r\n"
           "COPYRIGHT=Line\\nTwo \\#169\r\nOFFSETPERCENT=150\r\nOFFSETANGLE=" + std::to_string(angle) + "\r\n";
}

/* Where the placement page's arithmetic puts a click on the picture. */
static void ClickPicture(const WIZARD &w, int x, int y)
{
    SendTo(Item(w, SCREENPIC), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendTo(Item(w, SCREENPIC), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST(WizardSplashPages, PlacementByEditsArrowsAndClicks)
{
    std::string tool = ToolFolder("place-tool"), proj = zvtest::ScratchDir("place-proj");
    std::string inf = proj + "\\AUTORUN.INF";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.png", zvtest::PngBytes(50, 20, 0xCC3333)));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));

    /* stored angles as the page shows them */
    for (auto c : { std::make_pair(725, "5"), std::make_pair(-360, "0"), std::make_pair(-90, "270") }) {
        ASSERT_TRUE(zvtest::WriteFileBytes(inf, PlacedInf(c.first)));
        ASSERT_TRUE(OpenProject(w, inf));
        if (c.first == -90) {
            ASSERT_TRUE(GoTo(w, 1, 6));
            EXPECT_EQ(Text(w, COPYRIGHT), "Line\\nTwo \\#169") << "a text read from a file shows escaped";
            EXPECT_EQ(Text(w, PREVIEW), "Line\nTwo \xA9");
            ASSERT_TRUE(GoTo(w, 6, 7));
            EXPECT_EQ(Text(w, ANIMATION), "(2) wait until finished") << "mode 12";
            ASSERT_TRUE(GoTo(w, 7, 9));
        } else {
            ASSERT_TRUE(GoTo(w, 1, 9));
        }
        EXPECT_EQ(Text(w, ANGLE), c.second) << c.first;
        EXPECT_EQ(Text(w, DISTANCE), "100");
        if (c.first != -90) {
            ASSERT_TRUE(GoTo(w, 9, 12));
            Click(w, NEXT);
            ASSERT_TRUE(WaitForPage(w, 0));
        }
    }
    EXPECT_EQ(zvtest::WindowText(GetWindow(Item(w, ANGLE), GW_HWNDPREV)), "Angle\n0\xB0 - 360\xB0 ");

    SetText(w, ANGLE, "-360");
    EXPECT_EQ(Text(w, ANGLE), "0") << "a negative multiple of 360 is 0";
    SetText(w, ANGLE, "-30");
    EXPECT_EQ(Text(w, ANGLE), "330");
    SetText(w, ANGLE, "400");
    EXPECT_EQ(Text(w, ANGLE), "359");
    SetText(w, DISTANCE, "150");
    EXPECT_EQ(Text(w, DISTANCE), "100");

    /* the arrow keys in the edits move the values */
    SetText(w, ANGLE, "10");
    SetText(w, DISTANCE, "50");
    SendTo(Item(w, ANGLE), WM_KEYDOWN, VK_UP, 1);
    SendTo(Item(w, ANGLE), WM_KEYUP, VK_UP, 0xC0000001);
    SendTo(Item(w, DISTANCE), WM_KEYDOWN, VK_DOWN, 1);
    SendTo(Item(w, DISTANCE), WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT_TRUE(WaitFor([&] { return Text(w, ANGLE) == "11" && Text(w, DISTANCE) == "49"; }))
        << Text(w, ANGLE) << " " << Text(w, DISTANCE);

    /* clicks on the picture: right, above, left, below, a corner */
    RECT rc;
    GetClientRect(Item(w, SCREENPIC), &rc);
    int cx = rc.right / 2, cy = rc.bottom / 2;
    struct { int x, y; const char *angle; } clicks[] = {
        { rc.right - 1, cy, "0" }, { cx, 0, "90" }, { 0, cy, "180" }, { cx, rc.bottom - 1, "270" },
    };
    for (const auto &c : clicks) {
        ClickPicture(w, c.x, c.y);
        EXPECT_EQ(Text(w, ANGLE), c.angle) << c.x << "," << c.y;
        EXPECT_GE(atoi(Text(w, DISTANCE).c_str()), 90) << c.x << "," << c.y;
    }
    ClickPicture(w, 0, 0);
    EXPECT_EQ(Text(w, DISTANCE), "100") << "a corner is farther than the edge";
    EXPECT_EQ(Text(w, ANGLE), std::to_string((int)(atan2((double)cy, (double)-cx) * 57.29577951308232)));

    /* a real click: the picture takes the mouse from the page */
    SetText(w, ANGLE, "45");
    RECT right = { cx + cx / 2, cy, cx + cx / 2 + 1, cy + 1 };
    RECT onScreen = zvtest::ScreenRect(Item(w, SCREENPIC), right);
    SetForegroundWindow(w.frame);
    SetCursorPos(onScreen.left, onScreen.top);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    EXPECT_TRUE(WaitFor([&] { return Text(w, ANGLE) == "0"; })) << Text(w, ANGLE);

    /* the small rectangle where the arithmetic puts it: angle 0 at 100 percent */
    SetText(w, ANGLE, "0");
    SetText(w, DISTANCE, "100");
    int W = rc.right, H = rc.bottom, sw = W / 6, sh = H / 4, x0 = (W - sw) / 2, y0 = (H - sh) / 2;
    RECT splash = { 2 * x0 + 2, y0 + 2, 2 * x0 + sw - 2, y0 + sh - 2 };
    RECT centre = { x0 + 2, y0 + 2, x0 + sw - 2, y0 + sh - 2 };
    zvtest::SCREENSHOT shot;
    unsigned window = GetSysColor(COLOR_WINDOW), desktop = GetSysColor(COLOR_BACKGROUND);
    auto rgb = [](unsigned c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
    EXPECT_TRUE(zvtest::WaitForColour(zvtest::ScreenRect(Item(w, SCREENPIC), splash), rgb(window), 8, 30000, &shot));
    EXPECT_TRUE(zvtest::WaitForColour(zvtest::ScreenRect(Item(w, SCREENPIC), centre), rgb(desktop), 8, 30000, &shot));
    zvtest::KeepScreenshot(shot, "wizard-splash-page-10");

    ASSERT_TRUE(GoTo(w, 9, 10));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValue(inf, "OFFSETANGLE") + "/" + InfValue(inf, "OFFSETPERCENT"), "0/100");
    EXPECT_EQ(InfValue(inf, "SPLASHMODE"), "2");
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}
