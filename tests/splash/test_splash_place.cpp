/*
 * test_splash_place.cpp - where the splash goes: moved from the centre by
 * angle and percent, and never far off the screen, whatever a data file
 * says or however large the window is.
 */
#include <gtest/gtest.h>

#include <algorithm>
#include <math.h>

#include "splash.h"
#include "splashsite.h"

namespace zv {
namespace {

const DWORD SHOWS_WITHIN = zvtest::EVENT_WAIT_MS, ENDS_WITHIN = zvtest::EVENT_WAIT_MS + 10000;

struct PLACED {
    int angle;
    unsigned percent;
    bool alternate;
    std::string disc;
    SPLASHRUN run;
};

RECT WorkArea()
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

/* x0 + trunc(x0 p cos a), y0 - trunc(y0 p sin a) */
POINT Offset(POINT centre, int angle, unsigned percent)
{
    double a = angle * 0.017453292519943295, p = percent / 100.0;
    return POINT{centre.x + (LONG)(centre.x * p * cos(a)), centre.y - (LONG)(centre.y * p * sin(a))};
}

/* at, moved just enough for the whole window to lie inside the work area */
POINT KeptInside(POINT at, const RECT &window)
{
    RECT work = WorkArea();
    at.x = std::max(work.left, std::min(at.x, work.right - Width(window)));
    at.y = std::max(work.top, std::min(at.y, work.bottom - Height(window)));
    return at;
}

void ExpectAt(HWND splash, LONG x, LONG y, const std::string &what)
{
    SPLASHVIEW v = ViewSplash(splash);
    EXPECT_EQ(x, v.window.left) << what;
    EXPECT_EQ(y, v.window.top) << what;
}

/* caption, frame and border included */
void ExpectWholeWindowInside(const SPLASHVIEW &v, const std::string &what)
{
    RECT work = WorkArea();
    EXPECT_GE(v.window.left, work.left) << what << ": " << Rc(v.window);
    EXPECT_GE(v.window.top, work.top) << what << ": " << Rc(v.window);
    EXPECT_LE(v.window.right, work.right) << what << ": " << Rc(v.window);
    EXPECT_LE(v.window.bottom, work.bottom) << what << ": " << Rc(v.window);
}

TEST(SplashPlace, AngleAndPercentMoveItTowardsTheEdges)
{
    /* the classic splash with its caption, and the alternate one with a
     * border only */
    static const struct {
        int angle;
        unsigned percent;
        bool alternate;
    } cases[] = {{0, 100, false}, {90, 100, false}, {180, 100, false}, {270, 100, false}, {45, 50, false},
                 {30, 0, false},  {-90, 25, false}, {0, 100, true},    {90, 100, true},   {180, 100, true},
                 {270, 100, true}};
    const size_t n = sizeof cases / sizeof cases[0];
    std::vector<PLACED> runs(n);
    for (size_t i = 0; i < n; i++) {
        runs[i].angle = cases[i].angle;
        runs[i].percent = cases[i].percent;
        runs[i].alternate = cases[i].alternate;
        runs[i].disc = MakeSplashDisc("angle" + std::to_string(i));
        ASSERT_TRUE(WriteSplashInf(runs[i].disc, {"ImageWidth=300", "ImageHeight=200", "SplashLen=8",
                                                  "OffsetAngle=" + std::to_string(cases[i].angle),
                                                  "OffsetPercent=" + std::to_string(cases[i].percent),
                                                  cases[i].alternate ? "AlternateSplash=1" : "CDTitle=Title"}));
        ASSERT_TRUE(StartDisc(runs[i].disc, "", &runs[i].run));
    }
    RECT work = WorkArea();
    for (PLACED &r : runs) {
        std::string what = std::to_string(r.angle) + " degrees, " + std::to_string(r.percent) + " percent" +
                           (r.alternate ? ", alternate" : ", classic");
        HWND splash = WaitForSplash(r.run, SHOWS_WITHIN);
        ASSERT_TRUE(splash != NULL) << what;
        SPLASHVIEW v = ViewSplash(splash);
        EXPECT_EQ(r.alternate, (v.style & WS_CAPTION) != WS_CAPTION) << what;
        POINT c = CentredCorner(v.client.cx, v.client.cy);
        POINT at = KeptInside(Offset(c, r.angle, r.percent), v.window);
        ExpectAt(splash, at.x, at.y, what);
        ExpectWholeWindowInside(v, what);
        /* the named ends of the range, in plain numbers: the window's
         * outer edge on the work area's edge */
        if (r.percent == 100 && r.angle == 0)
            ExpectAt(splash, work.right - Width(v.window), c.y, what);
        if (r.percent == 100 && r.angle == 90)
            ExpectAt(splash, c.x, work.top, what);
        if (r.percent == 100 && r.angle == 180)
            ExpectAt(splash, work.left, c.y, what);
        if (r.percent == 100 && r.angle == 270)
            ExpectAt(splash, c.x, work.bottom - Height(v.window), what);
        if (r.percent == 0)
            ExpectAt(splash, c.x, c.y, what);
    }
    for (PLACED &r : runs) {
        DWORD code = 1;
        EXPECT_TRUE(WaitForEnd(&r.run, ENDS_WITHIN, &code));
    }
}

TEST(SplashPlace, DataFilePercentBeyondAHundredStopsAtTheEdge)
{
    /* the INF reader stops at 100 itself; a data file is taken as it is */
    static const struct {
        const char *angle, *percent;
        int asAngle;
    } cases[] = {{"0", "500", 0}, {"270", "-1", 270}, {"135", "150", 135}, {"180", "2147483647", 180}};
    const size_t n = sizeof cases / sizeof cases[0];
    std::vector<PLACED> runs(n);
    for (size_t i = 0; i < n; i++) {
        runs[i].angle = cases[i].asAngle;
        runs[i].disc = MakeSplashDisc("datpct" + std::to_string(i));
        ASSERT_TRUE(WriteSplashDat(runs[i].disc, {"c:300", "d:200", "Q:5", std::string("X:") + cases[i].angle,
                                                  std::string("Y:") + cases[i].percent}));
        ASSERT_TRUE(StartDisc(runs[i].disc, "--dat \"" + runs[i].disc + "\\ZORVAN.DAT\"", &runs[i].run));
    }
    for (size_t i = 0; i < n; i++) {
        std::string what = std::string("angle ") + cases[i].angle + ", percent " + cases[i].percent;
        HWND splash = WaitForSplash(runs[i].run, SHOWS_WITHIN);
        ASSERT_TRUE(splash != NULL) << what;
        SPLASHVIEW v = ViewSplash(splash);
        POINT at = KeptInside(Offset(CentredCorner(v.client.cx, v.client.cy), runs[i].angle, 100), v.window);
        ExpectAt(splash, at.x, at.y, what);
        ExpectWholeWindowInside(v, what);
    }
    for (PLACED &r : runs) {
        DWORD code = 1;
        EXPECT_TRUE(WaitForEnd(&r.run, ENDS_WITHIN, &code));
    }
}

/* ---- the arithmetic alone, for screens this test machine has not got ---- */

TEST(SplashCorner, WindowLargerThanTheWorkAreaKeepsItsCornerOnIt)
{
    RECT desktop = {0, 0, 800, 600}, work = {0, 0, 800, 570};
    int x = -1, y = -1;
    SplashCorner(&desktop, &work, 900, 700, 900, 700, 0, 0, &x, &y);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    /* moved away from the centre as well: still the top-left corner */
    SplashCorner(&desktop, &work, 900, 700, 900, 700, 300, 100, &x, &y);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    /* too tall only: centred across, at the top */
    SplashCorner(&desktop, &work, 400, 650, 400, 650, 0, 0, &x, &y);
    EXPECT_EQ(200, x);
    EXPECT_EQ(0, y);
}

TEST(SplashCorner, EdgesOfTheWorkAreaHoldTheWindow)
{
    /* a bar across the top of the screen: the work area starts below it */
    RECT desktop = {0, 0, 1000, 800}, work = {0, 40, 1000, 800};
    int x = -1, y = -1;
    SplashCorner(&desktop, &work, 400, 200, 400, 200, 90, 100, &x, &y);
    EXPECT_EQ(300, x);
    EXPECT_EQ(40, y);
    /* any percent beyond 100 is the edge */
    SplashCorner(&desktop, &work, 400, 200, 400, 200, 0, 4294967295u, &x, &y);
    EXPECT_EQ(600, x);
    EXPECT_EQ(300, y);
    SplashCorner(&desktop, &work, 400, 200, 400, 200, 270, 101, &x, &y);
    EXPECT_EQ(300, x);
    EXPECT_EQ(600, y);
    /* caption and frame make the window larger than its client area: the
     * whole of it stays above a bar along the bottom and off the right edge */
    RECT above = {0, 0, 1000, 770};
    SplashCorner(&desktop, &above, 400, 200, 406, 229, 270, 100, &x, &y);
    EXPECT_EQ(300, x);
    EXPECT_EQ(541, y);
    SplashCorner(&desktop, &above, 400, 200, 406, 229, 0, 100, &x, &y);
    EXPECT_EQ(594, x);
    EXPECT_EQ(300, y);
    /* the worked example: centre 400, 300; 45 degrees at half way */
    RECT wide = {0, 0, 1100, 800};
    SplashCorner(&wide, &wide, 300, 200, 300, 200, 45, 50, &x, &y);
    EXPECT_EQ(541, x);
    EXPECT_EQ(194, y);
}

} // namespace
} // namespace zv
