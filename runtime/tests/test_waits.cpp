/*
 * test_waits.cpp - the start-up's waits from the settings' seconds, and the
 * folder that DirFix moves to.
 */
#include <gtest/gtest.h>
#include <string.h>

#include "runtime.h"

namespace zv {
namespace {

struct WAITS {
    DWORD pause, splash, sleep;
};

WAITS Waits(unsigned pause, unsigned splash, unsigned music)
{
    AUTORUNINF s;
    memset(&s, 0, sizeof s);
    s.uPauseLen = pause;
    s.uSplashLen = splash;
    s.uMusicLen = music;
    ComputeWaitTimes(&s);
    WAITS w = {s.dwPauseTime, s.dwSplashTime, s.dwSleepTime};
    return w;
}

void ExpectWaits(WAITS w, DWORD pause, DWORD splash, DWORD sleep)
{
    EXPECT_EQ(pause, w.pause);
    EXPECT_EQ(splash, w.splash);
    EXPECT_EQ(sleep, w.sleep);
}

TEST(WaitTimes, PauseSplashAndMusicRemainder)
{
    ExpectWaits(Waits(2, 5, 10), 2000, 3000, 3000);
    ExpectWaits(Waits(5, 3, 0), 5000, 0, 0);
    ExpectWaits(Waits(0, 5, 4), 0, 5000, 0);
    ExpectWaits(Waits(0, 5, 5), 0, 5000, 0);
    ExpectWaits(Waits(0, 0, 0), 0, 0, 0);
}

TEST(WaitTimes, HugeLengthsSaturateInsteadOfWrapping)
{
    /* "-1" in a file reads as 4294967295 seconds */
    const unsigned minusOne = 4294967295u;
    ExpectWaits(Waits(0, minusOne, 0), 0, MAXWAITMS, 0);
    ExpectWaits(Waits(minusOne, 5, 0), MAXWAITMS, 0, 0);
    /* 4294968 s x 1000 would wrap to 704 ms in 32 bits */
    ExpectWaits(Waits(0, 4294968u, 0), 0, MAXWAITMS, 0);
    /* pause + splash would wrap to 4 in 32 bits and let music win */
    ExpectWaits(Waits(minusOne, 5, 10), MAXWAITMS, 0, 0);
    ExpectWaits(Waits(0, 0, minusOne), 0, 0, MAXWAITMS);
    ExpectWaits(Waits(0, 3600, 0), 0, MAXWAITMS, 0);
    ExpectWaits(Waits(0, 3599, 0), 0, 3599000, 0);
}

std::string Folder(const char *path, size_t size = MAX_PATH, int *ok = nullptr)
{
    char buf[MAX_PATH + 8];
    memset(buf, 'x', sizeof buf);
    int r = SettingsFolder(path, buf, size);
    if (ok)
        *ok = r;
    return buf;
}

TEST(SettingsFolder, FolderOfTheSettingsFile)
{
    EXPECT_EQ("E:\\", Folder("E:\\AUTORUN.INF"));
    EXPECT_EQ("C:\\DISC\\SUB", Folder("C:\\DISC\\SUB\\AUTORUN.INF"));
    EXPECT_EQ("\\", Folder("\\AUTORUN.INF"));
    EXPECT_EQ("\\\\server\\share", Folder("\\\\server\\share\\AUTORUN.INF"));
    EXPECT_EQ("AUTORUN.INF", Folder("AUTORUN.INF"));
    EXPECT_EQ("", Folder(""));
}

TEST(SettingsFolder, TooLongIsEmptyNotUnset)
{
    std::string path = "C:\\" + std::string(300, 'd') + "\\AUTORUN.INF";
    int ok;
    EXPECT_EQ("", Folder(path.c_str(), MAX_PATH, &ok));
    EXPECT_EQ(0, ok);
    /* the folder fits although the whole path would not */
    std::string fits = "C:\\" + std::string(250, 'd') + "\\AUTORUN.INF";
    EXPECT_EQ(fits.substr(0, 253), Folder(fits.c_str(), MAX_PATH, &ok));
    EXPECT_EQ(1, ok);
}

} // namespace
} // namespace zv
