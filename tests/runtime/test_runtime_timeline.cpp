/*
 * test_runtime_timeline.cpp - when the document starts and when the run
 * ends, from the pause, splash and music lengths.  The runtime sleeps the
 * pause, then the rest of the splash time, then the rest of the music time.
 * Each time is checked against those waits: at least what they add up to,
 * and less than what a runtime that got them wrong would take.  Wine's
 * start of a process costs from a tenth of a second to a few seconds, so
 * the settings put each upper bound several seconds past the right time.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

struct TIMES {
    unsigned long long docAt;   /* ms from the start to the document */
    unsigned long long endAt;   /* ms from the start to the end */
};

TIMES TimedRun(const DISCSITE &site)
{
    unsigned long long t0 = NowMs();
    zvtest::RUN run = RunDisc(site, "", nullptr, zvtest::EVENT_WAIT_MS + 20000);
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
    /* 4 s pause, document, 5 s more splash, then the 4 s by which the
     * music outlasts pause and splash together: 13 s; a runtime that
     * slept the whole splash after the pause would take 17 */
    DISCSITE site = TimedDisc("music", {"PauseLen=4", "SplashLen=9", "Music=theme.mid", "MusicLen=17"});
    TIMES t = TimedRun(site);
    EXPECT_GE(t.docAt, 4000u);
    EXPECT_LT(t.docAt, 9000u);    /* before the splash time is over */
    EXPECT_GE(t.endAt, 13000u);
    EXPECT_LT(t.endAt, 17000u);
}

TEST(RuntimeTimeline, PauseLongerThanSplashEndsAtTheDocument)
{
    /* the splash time is within the pause: 6 s, not 6 + 5 */
    DISCSITE site = TimedDisc("longpause", {"PauseLen=6", "SplashLen=5"});
    TIMES t = TimedRun(site);
    EXPECT_GE(t.docAt, 6000u);
    EXPECT_LT(t.docAt, 11000u);
    EXPECT_GE(t.endAt, 6000u);
    EXPECT_LT(t.endAt, 11000u);
}

TEST(RuntimeTimeline, ShortMusicDoesNotShortenTheSplash)
{
    /* no pause: the document at once; the splash's 8 s, not 8 + 5 */
    DISCSITE site = TimedDisc("shortmusic", {"SplashLen=8", "Music=theme.mid", "MusicLen=5"});
    TIMES t = TimedRun(site);
    EXPECT_LT(t.docAt, 8000u);
    EXPECT_GE(t.endAt, 8000u);
    EXPECT_LT(t.endAt, 13000u);
}

TEST(RuntimeTimeline, PictureThatCannotBeLoadedStillWaits)
{
    /* the splash time passes once, picture or not */
    DISCSITE site = TimedDisc("nopicture", {"Splash=missing.jpg", "SplashLen=4"});
    TIMES t = TimedRun(site);
    EXPECT_GE(t.endAt, 4000u);
    EXPECT_LT(t.endAt, 8000u);
    EXPECT_GE(FindLog(LogTexts(site), "Error reading missing.jpg:"), 0);
}

TEST(RuntimeTimeline, NoWaitsEndsRightAfterTheStart)
{
    /* a zero splash time, not the default five seconds */
    DISCSITE site = TimedDisc("nowait", {"SplashLen=0"});
    TIMES t = TimedRun(site);
    EXPECT_LT(t.docAt, 5000u);
    EXPECT_LT(t.endAt, 5000u);
}

} // namespace
} // namespace zv
