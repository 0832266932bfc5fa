/*
 * test_runtime_timeline.cpp - when the document starts and when the run
 * ends, from the pause, splash and music lengths.  Wine takes about half a
 * second to start a process, so the upper bounds allow for that.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

const unsigned long long SLACK = 1500;

struct TIMES {
    unsigned long long docAt;   /* ms from the start to the document */
    unsigned long long endAt;   /* ms from the start to the end */
};

TIMES TimedRun(const DISCSITE &site)
{
    unsigned long long t0 = NowMs();
    zvtest::RUN run = RunDisc(site, "", nullptr, 40000);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());
    std::vector<MARK> marks = WaitForMarks(site, 1);
    EXPECT_EQ(1u, marks.size());
    TIMES t = {marks.empty() ? 0 : marks[0].time - t0, run.elapsedMs};
    return t;
}

DISCSITE TimedDisc(const std::string &name, std::vector<std::string> data)
{
    DISCSITE site = MakeDisc(name);
    EXPECT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    data.push_back(std::string("Document=readme") + DOC_EXT);
    WriteInf(site, data);
    return site;
}

TEST(RuntimeTimeline, PauseThenSplashThenMusicRemainder)
{
    /* 2 s pause, document, 3 s more splash, 3 s of music alone: 8 s, not 10 */
    DISCSITE site = TimedDisc("music", {"PauseLen=2", "SplashLen=5", "Music=theme.mid", "MusicLen=10"});
    TIMES t = TimedRun(site);
    EXPECT_GE(t.docAt, 2000u);
    EXPECT_LT(t.docAt, 2000 + SLACK);
    EXPECT_GE(t.endAt, 8000u);
    EXPECT_LT(t.endAt, 8000 + SLACK);
}

TEST(RuntimeTimeline, PauseLongerThanSplashEndsAtTheDocument)
{
    DISCSITE site = TimedDisc("longpause", {"PauseLen=3", "SplashLen=2"});
    TIMES t = TimedRun(site);
    EXPECT_GE(t.docAt, 3000u);
    EXPECT_LT(t.docAt, 3000 + SLACK);
    EXPECT_GE(t.endAt, 3000u);
    EXPECT_LT(t.endAt, 3000 + SLACK);
}

TEST(RuntimeTimeline, ShortMusicDoesNotShortenTheSplash)
{
    DISCSITE site = TimedDisc("shortmusic", {"SplashLen=3", "Music=theme.mid", "MusicLen=2"});
    TIMES t = TimedRun(site);
    EXPECT_LT(t.docAt, SLACK);
    EXPECT_GE(t.endAt, 3000u);
    EXPECT_LT(t.endAt, 3000 + SLACK);
}

TEST(RuntimeTimeline, PictureThatCannotBeLoadedStillWaits)
{
    DISCSITE site = TimedDisc("nopicture", {"Splash=missing.jpg", "SplashLen=2"});
    TIMES t = TimedRun(site);
    EXPECT_GE(t.endAt, 2000u);
    EXPECT_LT(t.endAt, 2000 + SLACK);
    EXPECT_GE(FindLog(LogTexts(site), "Error reading missing.jpg:"), 0);
}

TEST(RuntimeTimeline, NoWaitsEndsRightAfterTheStart)
{
    DISCSITE site = TimedDisc("nowait", {"SplashLen=0"});
    TIMES t = TimedRun(site);
    EXPECT_LT(t.docAt, SLACK);
    EXPECT_LT(t.endAt, SLACK);
}

} // namespace
} // namespace zv
