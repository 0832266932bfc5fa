/*
 * test_splash_picture.cpp - what the splash shows on the screen: a picture
 * of each kind stretched over the whole picture control, the built-in
 * picture when the disc names none, and one kept screenshot per template.
 * These read the screen, so they run alone.
 */
#include <gtest/gtest.h>

#include <iostream>
#include <set>

#include "splashsite.h"
#include "testpictures.h"

namespace zv {
namespace {

const DWORD SHOWS_WITHIN = zvtest::EVENT_WAIT_MS, ENDS_WITHIN = zvtest::EVENT_WAIT_MS + 10000, PAINTS_WITHIN = 10000;
/* Every splash stays up longer than a test looks for its paint. */
const char *const SPLASH_STAYS = "SplashLen=15";

struct PICTURERUN {
    const char *file;
    unsigned rgb;
    int tolerance;
    int angle;
    std::string disc;
    SPLASHRUN run;
};

TEST(SplashPicture, EveryKindFillsThePictureControl)
{
    /* three sides of the screen, so the windows do not overlap */
    PICTURERUN runs[] = {{"solid.bmp", 0x2080C0, 2, 0, "", {}},
                         {"solid.png", 0xC04020, 2, 90, "", {}},
                         {"solid.emf", 0xD0C020, 2, 180, "", {}}};
    for (PICTURERUN &r : runs) {
        r.disc = MakeSplashDisc(std::string("pic-") + r.file);
        std::string path = r.disc + "\\" + r.file;
        std::string ext = path.substr(path.size() - 3);
        /* small pictures stretched to 240 x 180 */
        if (ext == "bmp")
            ASSERT_TRUE(zvtest::WriteFileBytes(path, zvtest::BmpBytes(37, 23, r.rgb)));
        else if (ext == "png")
            ASSERT_TRUE(zvtest::WriteFileBytes(path, zvtest::PngBytes(30, 20, r.rgb)));
        else
            ASSERT_TRUE(zvtest::WriteEmf(path, 64, 48, r.rgb));
        ASSERT_TRUE(WriteSplashInf(r.disc, {std::string("Splash=") + r.file, "ImageWidth=240", "ImageHeight=180",
                                            SPLASH_STAYS, "OffsetPercent=100",
                                            "OffsetAngle=" + std::to_string(r.angle)}));
        ASSERT_TRUE(StartDisc(r.disc, "", &r.run));
    }
    for (PICTURERUN &r : runs) {
        HWND splash = WaitForSplash(r.run, SHOWS_WITHIN);
        ASSERT_TRUE(splash != NULL) << r.file;
        SPLASHVIEW v = ViewSplash(splash);
        EXPECT_EQ(Rc(v.picture.left, v.picture.top, 240, 180), Rc(v.picture)) << r.file;
        SCREENSHOT shot;
        RECT onScreen = ScreenRect(splash, v.picture);
        EXPECT_TRUE(WaitForColour(onScreen, r.rgb, r.tolerance, PAINTS_WITHIN, &shot))
            << r.file << ": centre shows " << std::hex << shot.At((onScreen.left + onScreen.right) / 2,
                                                                  (onScreen.top + onScreen.bottom) / 2);
        /* the frame under the picture is the dialog's, not the picture's */
        if (v.hasFrame) {
            RECT frame = ScreenRect(splash, v.frame);
            EXPECT_FALSE(NearColour(shot.At(frame.left + 2, (frame.top + frame.bottom) / 2), r.rgb, 30)) << r.file;
        }
    }
    for (PICTURERUN &r : runs) {
        DWORD code = 1;
        EXPECT_TRUE(WaitForEnd(&r.run, ENDS_WITHIN, &code));
    }
}

/* The colours of a 9 x 9 grid over rc once it shows more than three and
 * no longer the dialog's face: Wine hands a window's contents to X in
 * parts, so a screenshot may catch the picture half painted. */
std::set<unsigned> PaintedColours(const RECT &rc, unsigned face, SCREENSHOT *shot)
{
    std::set<unsigned> colours;
    DWORD start = GetTickCount();
    do {
        colours.clear();
        if (TakeScreenshot(shot))
            for (int i = 1; i <= 9; i++)
                for (int j = 1; j <= 9; j++)
                    colours.insert(shot->At(rc.left + Width(rc) * i / 10, rc.top + Height(rc) * j / 10));
        if (colours.size() > 3 && colours.count(face) == 0)
            break;
        Sleep(100);
    } while (GetTickCount() - start < PAINTS_WITHIN);
    return colours;
}

void ShowBuiltInPicture(const char *templateName, const std::vector<std::string> &data)
{
    std::string disc = MakeSplashDisc(std::string("builtin-") + templateName);
    ASSERT_TRUE(WriteSplashInf(disc, data));
    SPLASHRUN run;
    ASSERT_TRUE(StartDisc(disc, "", &run));
    HWND splash = WaitForSplash(run, SHOWS_WITHIN);
    ASSERT_TRUE(splash != NULL);
    SPLASHVIEW v = ViewSplash(splash);

    /* a real picture: many colours, none of them the dialog's face */
    SCREENSHOT shot;
    unsigned face = GetSysColor(COLOR_BTNFACE);
    face = (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
    std::set<unsigned> colours = PaintedColours(ScreenRect(splash, v.picture), face, &shot);
    EXPECT_GT(colours.size(), 3u);
    EXPECT_EQ(0u, colours.count(face));

    std::string kept = KeepScreenshot(shot, std::string("splash-") + templateName);
    EXPECT_FALSE(kept.empty());
    std::cout << "screenshot: " << kept << "\n";
    DWORD code = 1;
    EXPECT_TRUE(WaitForEnd(&run, ENDS_WITHIN, &code));
}

TEST(SplashPicture, BuiltInPictureInTheClassicSplash)
{
    ShowBuiltInPicture("SPLASH", {"CDTitle=Zorvan Sample Disc", "Copyright=(c) 2026 The Zorvan Authors\\nA test disc",
                                  SPLASH_STAYS});
}

TEST(SplashPicture, BuiltInPictureInTheAlternateSplash)
{
    ShowBuiltInPicture("NEOSPLASH", {"AlternateSplash=1", "ImageWidth=400", "ImageHeight=364", SPLASH_STAYS});
}

} // namespace
} // namespace zv
