/*
 * test_runtime_music.cpp - a disc's music and splash video: what the log
 * says, and how long the run lasts, which is how long the music plays.
 * Each length is checked against the waits the disc sets: at least them,
 * and less than a runtime that got them wrong would take, several seconds
 * later, since a Wine start can take seconds on a busy machine.
 */
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>


#include "discsite.h"
#include "testmedia.h"

namespace zv {
namespace {

bool IsMciErrorText(const std::string &text)
{
    for (MCIERROR code = MCIERR_BASE + 1; code < MCIERR_CUSTOM_DRIVER_BASE; code++) {
        char known[64] = "";
        if (mciGetErrorStringA(code, known, sizeof known) && text == known)
            return true;
    }
    return false;
}

zvtest::RUN QuietRun(const DISCSITE &site)
{
    /* the splash is a dialog too: only message boxes count */
    zvtest::RUN run = RunDisc(site, "", nullptr, zvtest::EVENT_WAIT_MS + 20000, [](const zvtest::BOX &box) {
        if (GetDlgItem(box.hwnd, 0xFFFF))
            ADD_FAILURE() << "box " << box.caption << ": " << box.text;
        return 0;
    });
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    return run;
}

TEST(RuntimeMusic, PlaysForItsConfiguredLength)
{
    /* 4 s of splash, then 2 s of music alone: 6 s; music slept after the
     * whole splash would make 10 */
    DISCSITE site = MakeDisc("music");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\Theme Tune.wav", zvtest::WaveBytes(5000)));
    WriteInf(site, {"Music=Theme Tune.wav", "MusicLen=6", "SplashLen=4", "DirFix=1"});
    zvtest::RUN run = QuietRun(site);
    EXPECT_GE(run.elapsedMs, 6000u);
    EXPECT_LT(run.elapsedMs, 10000u);

    std::vector<std::string> log = LogTexts(site);
    int playing = FindLog(log, "Playing MUSIC 'Theme Tune.wav'...");
    EXPECT_GE(playing, 0);
    /* no MCI error text follows the start */
    if (playing >= 0 && playing + 1 < (int)log.size()) {
        EXPECT_FALSE(IsMciErrorText(log[playing + 1])) << log[playing + 1];
    }
}

/* A colour inside the picture control of another process's splash, a
 * second after it appeared.  Read from outside without messages: the
 * runtime's thread is inside the video and answers none. */
struct SPLASHWATCH {
    volatile LONG stop;
    COLORREF shown;
};

BOOL CALLBACK FindSplash(HWND hwnd, LPARAM found)
{
    DWORD pid = 0;
    char cls[16] = "";
    GetWindowThreadProcessId(hwnd, &pid);
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid != GetCurrentProcessId() && IsWindowVisible(hwnd) && strcmp(cls, "#32770") == 0 &&
        GetDlgItem(hwnd, 101)) {
        *(HWND *)found = hwnd;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI WatchSplash(LPVOID param)
{
    SPLASHWATCH *watch = (SPLASHWATCH *)param;
    HWND splash = NULL;
    while (!watch->stop && !splash) {
        EnumWindows(FindSplash, (LPARAM)&splash);
        Sleep(20);
    }
    Sleep(1000);
    RECT r = {};
    if (splash && IsWindow(splash) && GetWindowRect(GetDlgItem(splash, 101), &r)) {
        HDC dc = GetDC(NULL);
        watch->shown = GetPixel(dc, r.left + 4, r.top + 4);
        ReleaseDC(NULL, dc);
    }
    return 0;
}

TEST(RuntimeMusic, SplashVideoPlaysToItsEndInThePictureControl)
{
    /* 30 frames at 10 a second, which only mode 2 waits for: Wine's player
     * shows the last frame 2.9 s after the first and then returns */
    DISCSITE site = MakeDisc("video");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\Intro Clip.avi", zvtest::AviBytes(32, 24, 30, 10, 0x3050C0)));
    WriteInf(site, {"Splash=Intro Clip.avi", "SplashMode=2", "SplashLen=0", "MusicLen=0", "DirFix=1",
                    "ImageWidth=64", "ImageHeight=48"});
    SPLASHWATCH watch = {0, CLR_INVALID};
    HANDLE watcher = CreateThread(NULL, 0, WatchSplash, &watch, 0, NULL);
    zvtest::RUN run = QuietRun(site);
    InterlockedExchange(&watch.stop, 1);
    WaitForSingleObject(watcher, 5000);
    CloseHandle(watcher);
    EXPECT_EQ(RGB(0x30, 0x50, 0xC0), watch.shown);
    EXPECT_GE(run.elapsedMs, 2900u);
    /* played once: no other wait is set, and a second round would end
     * 2.9 s later still */
    EXPECT_LT(run.elapsedMs, 5800u);
    EXPECT_GE(FindLog(LogTexts(site), "Playing AVI 'Intro Clip.avi'..."), 0);
}

} // namespace
} // namespace zv
