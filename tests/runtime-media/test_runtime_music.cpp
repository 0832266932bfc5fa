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

#include <vector>


#include "discsite.h"
#include "testmedia.h"
#include "testsounds.h"

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

/* The colours the picture control of another process's splash shows, in
 * the order they come, read from the screen: the runtime's thread is
 * inside the video and answers no message. */
struct SPLASHWATCH {
    volatile LONG stop;
    std::vector<COLORREF> shown;
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
    RECT r = {};
    while (!watch->stop && splash && IsWindow(splash) && GetWindowRect(GetDlgItem(splash, 101), &r)) {
        HDC dc = GetDC(NULL);
        COLORREF c = GetPixel(dc, r.left + 4, r.top + 4);
        ReleaseDC(NULL, dc);
        if (watch->shown.empty() || watch->shown.back() != c)
            watch->shown.push_back(c);
        Sleep(20);
    }
    return 0;
}

TEST(RuntimeMusic, SplashVideoPlaysToItsEndInThePictureControl)
{
    /* 40 frames at 10 a second, blue for two seconds, then yellow for two:
     * only mode 2 waits for them, and no other wait is set.  A player that
     * falls behind on a loaded machine paints the frames it owes at once,
     * so each colour stays long enough to be seen all the same. */
    const COLORREF blue = RGB(0x30, 0x50, 0xC0), yellow = RGB(0xE0, 0xC0, 0x20);
    DISCSITE site = MakeDisc("video");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\Intro Clip.avi",
                                       zvtest::AviBytes(32, 24, 40, 10, 0x3050C0, 0xE0C020, 20)));
    WriteInf(site, {"Splash=Intro Clip.avi", "SplashMode=2", "SplashLen=0", "MusicLen=0", "DirFix=1",
                    "ImageWidth=64", "ImageHeight=48"});
    SPLASHWATCH watch = {0, {}};
    HANDLE watcher = CreateThread(NULL, 0, WatchSplash, &watch, 0, NULL);
    zvtest::RUN run = QuietRun(site);
    InterlockedExchange(&watch.stop, 1);
    WaitForSingleObject(watcher, zvtest::EVENT_WAIT_MS);
    CloseHandle(watcher);
    /* the clip's start, then its end, and not its start again: played
     * once, to its end, while the run waited */
    std::vector<COLORREF> seen;
    for (COLORREF c : watch.shown)
        if (c == blue || c == yellow)
            seen.push_back(c);
    EXPECT_EQ((std::vector<COLORREF>{blue, yellow}), seen);
    /* the yellow frames begin two seconds into the clip */
    EXPECT_GE(run.elapsedMs, 2000u);
    EXPECT_GE(FindLog(LogTexts(site), "Playing AVI 'Intro Clip.avi'..."), 0);
}

TEST(RuntimeMusic, DamagedMusicOrSplashVideoIsLoggedAndTheDocumentOpens)
{
    /* MIDI files that would hold the open for ever (a track cut short, an
     * event of 64 KB), videos that would take the runtime down before the
     * document starts (a wrong format, a header cut short, a movie list
     * without a frame the player counts), and one whose frames never end,
     * which the runtime would wait for */
    DISCSITE site = MakeDisc("damagedmedia");
    std::string doc = std::string("readme") + DOC_EXT;
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\" + doc, "x"));
    const std::vector<std::string> video = {"Splash=clip.avi", "SplashMode=2", "ImageWidth=64", "ImageHeight=48"};
    const struct {
        const char *file;
        zvtest::DAMAGEDFILE damaged;
        std::vector<std::string> keys;
    } runs[] = {
        {"tune.mid", zvtest::DamagedMidis()[0], {"Music=tune.mid", "MusicLen=1"}},
        {"long.mid", zvtest::DamagedMidis()[5], {"Music=long.mid", "MusicLen=1"}},
        {"clip.avi", zvtest::DamagedAvis()[3], video},
        {"clip.avi", zvtest::DamagedAvis()[4], video},
        {"clip.avi", zvtest::DamagedAvis()[7], video},
        {"clip.avi", zvtest::DamagedAvis()[12], video},
    };
    size_t started = 0;
    for (const auto &r : runs) {
        SCOPED_TRACE(r.damaged.what);
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\" + r.file, r.damaged.bytes));
        std::vector<std::string> keys = r.keys;
        keys.insert(keys.end(), {"SplashLen=0", "DirFix=1", "Document=" + doc});
        WriteInf(site, keys);
        DeleteFileA(site.log.c_str());
        zvtest::RUN run = QuietRun(site);
        EXPECT_LT(run.elapsedMs, 20000u);
        std::vector<std::string> log = LogTexts(site);
        int refused = FindLog(log, std::string("Error reading ") + r.file + ":");
        EXPECT_GE(refused, 0);
        EXPECT_GT(FindLog(log, "Execution SUCCESS", refused < 0 ? 0 : refused), refused);
        started++;
        EXPECT_EQ(started, WaitForMarks(site, started).size());
    }
}

} // namespace
} // namespace zv
