/*
 * test_splash_window.cpp - the splash of a running ZORVAN.EXE as another
 * program sees it: caption, copyright line, styles, where the controls
 * went around the picture, the window's size and its centred place.
 */
#include <gtest/gtest.h>

#include "splashsite.h"

namespace zv {
namespace {

const DWORD SHOWS_WITHIN = zvtest::EVENT_WAIT_MS, ENDS_WITHIN = zvtest::EVENT_WAIT_MS + 10000;

void ExpectEndsByItself(SPLASHRUN *run)
{
    DWORD code = 1;
    EXPECT_TRUE(WaitForEnd(run, ENDS_WITHIN, &code));
    EXPECT_EQ(0u, code);
}

/* The classic frame: dialog frame on every side and a caption on top. */
SIZE ClassicFrame()
{
    return SIZE{2 * GetSystemMetrics(SM_CXDLGFRAME),
                GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME)};
}

TEST(SplashWindow, ClassicSplashCarriesTitleCopyrightAndSizedPicture)
{
    std::string disc = MakeSplashDisc("classic");
    ASSERT_TRUE(WriteSplashInf(disc, {"CDTitle=Harbour Lights", "Copyright=(c) 2026 Quay Press\\nAll rights kept",
                                      "ImageWidth=400", "ImageHeight=300", "SplashLen=8", "TopMost=0"}));
    SPLASHRUN run;
    ASSERT_TRUE(StartDisc(disc, "", &run));
    HWND splash = WaitForSplash(run, SHOWS_WITHIN);
    ASSERT_TRUE(splash != NULL);
    SPLASHVIEW v = ViewSplash(splash);
    SPLASHVIEW t = ViewTemplate("SPLASH");
    ASSERT_TRUE(t.hasFrame && t.hasText);

    EXPECT_TRUE(v.visible);
    EXPECT_EQ("Harbour Lights", v.caption);
    EXPECT_EQ("(c) 2026 Quay Press\nAll rights kept", v.copyright);
    EXPECT_TRUE(v.style & WS_CAPTION);
    /* topmost through the template even when the settings do not ask */
    EXPECT_TRUE(v.exStyle & WS_EX_TOPMOST);

    /* the picture keeps its corner; frame and text follow its bottom edge
     * and keep their offsets; the text is narrower by the frame's inset */
    LONG px = t.picture.left, py = t.picture.top, hf = Height(t.frame);
    LONG insetX = t.text.left - t.frame.left, insetY = t.text.top - t.frame.top;
    EXPECT_EQ(Rc(px, py, 400, 300), Rc(v.picture));
    EXPECT_EQ(Rc(px, 300 + 2 * py, 400, hf), Rc(v.frame));
    EXPECT_EQ(Rc(px + insetX, 300 + 2 * py + insetY, 400 - insetY, Height(t.text)), Rc(v.text));

    LONG cw = 400 + 2 * px, ch = 300 + 3 * py + hf;
    SIZE frame = ClassicFrame();
    EXPECT_EQ(cw, v.client.cx);
    EXPECT_EQ(ch, v.client.cy);
    POINT at = CentredCorner(cw, ch);
    EXPECT_EQ(Rc(at.x, at.y, cw + frame.cx, ch + frame.cy), Rc(v.window));
    ExpectEndsByItself(&run);
}

TEST(SplashWindow, AlternateSplashIsTheBarePicture)
{
    std::string disc = MakeSplashDisc("alternate");
    ASSERT_TRUE(WriteSplashInf(disc, {"AlternateSplash=1", "CDTitle=Harbour Lights", "Copyright=(c) Quay Press",
                                      "ImageWidth=360", "ImageHeight=240", "SplashLen=8", "TopMost=1"}));
    SPLASHRUN run;
    ASSERT_TRUE(StartDisc(disc, "", &run));
    HWND splash = WaitForSplash(run, SHOWS_WITHIN);
    ASSERT_TRUE(splash != NULL);
    SPLASHVIEW v = ViewSplash(splash);

    EXPECT_TRUE(v.visible);
    EXPECT_EQ("", v.caption);
    EXPECT_FALSE(v.style & WS_DLGFRAME);
    EXPECT_TRUE(v.style & WS_BORDER);
    EXPECT_TRUE(v.exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(v.hasText);
    EXPECT_FALSE(v.hasFrame);

    EXPECT_EQ(Rc(0, 0, 360, 240), Rc(v.picture));
    EXPECT_EQ(360, v.client.cx);
    EXPECT_EQ(240, v.client.cy);
    POINT at = CentredCorner(360, 240);
    EXPECT_EQ(Rc(at.x, at.y, 360 + 2 * GetSystemMetrics(SM_CXBORDER), 240 + 2 * GetSystemMetrics(SM_CYBORDER)),
              Rc(v.window));
    ExpectEndsByItself(&run);
}

TEST(SplashWindow, WithoutBothSizesTheTemplateDecides)
{
    /* one size alone counts for nothing */
    std::string classic = MakeSplashDisc("tplclassic");
    ASSERT_TRUE(WriteSplashInf(classic, {"ImageWidth=0", "ImageHeight=400", "SplashLen=8"}));
    std::string bare = MakeSplashDisc("tplbare");
    ASSERT_TRUE(WriteSplashInf(bare, {"AlternateSplash=1", "ImageWidth=500", "SplashLen=8"}));
    SPLASHRUN a, b;
    ASSERT_TRUE(StartDisc(classic, "", &a));
    ASSERT_TRUE(StartDisc(bare, "", &b));

    HWND sa = WaitForSplash(a, SHOWS_WITHIN), sb = WaitForSplash(b, SHOWS_WITHIN);
    ASSERT_TRUE(sa != NULL);
    ASSERT_TRUE(sb != NULL);
    SPLASHVIEW ta = ViewTemplate("SPLASH"), tb = ViewTemplate("NEOSPLASH");
    EXPECT_EQ(Rc(ta.picture), Rc(ViewSplash(sa).picture));
    EXPECT_EQ(Rc(0, 0, Width(tb.picture), Height(tb.picture)), Rc(ViewSplash(sb).picture));
    ExpectEndsByItself(&a);
    ExpectEndsByItself(&b);
}

TEST(SplashWindow, SizesStayBetweenTheMinimumAndEightTenthsOfTheWorkArea)
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    LONG mw = 8 * Width(work) / 10, mh = 8 * Height(work) / 10;

    std::string small = MakeSplashDisc("small");
    ASSERT_TRUE(WriteSplashInf(small, {"ImageWidth=100", "ImageHeight=30", "SplashLen=8"}));
    std::string large = MakeSplashDisc("large");
    ASSERT_TRUE(WriteSplashInf(large, {"ImageWidth=5000", "ImageHeight=5000", "SplashLen=8", "AlternateSplash=1"}));
    /* a negative width from a data file is a very large unsigned one */
    std::string negative = MakeSplashDisc("negative");
    ASSERT_TRUE(WriteSplashDat(negative, {"c:-5", "d:200", "Q:4", "N:1"}));

    SPLASHRUN a, b, c;
    ASSERT_TRUE(StartDisc(small, "", &a));
    ASSERT_TRUE(StartDisc(large, "", &b));
    ASSERT_TRUE(StartDisc(negative, "--dat \"" + negative + "\\ZORVAN.DAT\"", &c));
    HWND sa = WaitForSplash(a, SHOWS_WITHIN), sb = WaitForSplash(b, SHOWS_WITHIN), sc = WaitForSplash(c, SHOWS_WITHIN);
    ASSERT_TRUE(sa && sb && sc);

    RECT pa = ViewSplash(sa).picture, pb = ViewSplash(sb).picture, pc = ViewSplash(sc).picture;
    EXPECT_EQ(150, Width(pa));
    EXPECT_EQ(50, Height(pa));
    EXPECT_EQ(Rc(0, 0, mw, mh), Rc(pb));
    EXPECT_EQ(Rc(0, 0, mw, 200), Rc(pc));
    ExpectEndsByItself(&a);
    ExpectEndsByItself(&b);
    ExpectEndsByItself(&c);
}

TEST(SplashWindow, NoPictureNoSplash)
{
    std::string missing = MakeSplashDisc("missing");
    ASSERT_TRUE(WriteSplashInf(missing, {"Splash=absent.bmp", "SplashLen=2"}));
    std::string hidden = MakeSplashDisc("hidden");
    ASSERT_TRUE(WriteSplashInf(hidden, {"HideSplash=1", "SplashLen=2"}));
    SPLASHRUN a, b;
    ASSERT_TRUE(StartDisc(missing, "", &a));
    ASSERT_TRUE(StartDisc(hidden, "", &b));
    /* looked for until both runs have ended by themselves */
    EXPECT_TRUE(WaitForSplash(a, ENDS_WITHIN) == NULL);
    EXPECT_TRUE(WaitForSplash(b, ENDS_WITHIN) == NULL);
    ExpectEndsByItself(&a);
    ExpectEndsByItself(&b);
}

} // namespace
} // namespace zv
