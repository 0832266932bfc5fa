/*
 * test_chain_list.cpp - which entries of [ZVChain] start, in what order,
 * and how long ZVChain sleeps or waits after each.
 */
#include <gtest/gtest.h>

#include <algorithm>

#include "chainsite.h"

namespace zv {
namespace {

TEST(ChainList, GapsInKeyNumbersStartTheRestInKeyOrder)
{
    CHAINSITE site = MakeChainSite("gaps");
    /* Waits of keys without a command must not be read: any of them would
     * hold the chain for a minute, past the run's deadline.  The third
     * entry waits for its program's end, so the marks come in start order. */
    WriteChainIni(site.dir + "\\ZVCHAIN.INI", {"Wait1=60", "Wait2=60", "Command7=marker.exe seventh",
                                               "Wait7=0", "Command3=marker.exe third", "Wait3=-1",
                                               "Wait4=60", "Command5=", "Wait5=60"});
    zvtest::RUN run = RunChain(site, "", NULL, zvtest::EVENT_WAIT_MS);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());
    std::vector<MARK> marks = WaitForMarks(site, 2);
    ASSERT_EQ(2u, marks.size());
    EXPECT_TRUE(HasWord(marks[0].cmd, "third")) << marks[0].cmd;
    EXPECT_TRUE(HasWord(marks[1].cmd, "seventh")) << marks[1].cmd;
    EXPECT_LE(marks[0].time, marks[1].time);
    for (const MARK &m : marks)
        EXPECT_EQ(site.dir, m.cwd);
}

TEST(ChainList, NoCommandsIsASilentExit)
{
    CHAINSITE site = MakeChainSite("empty");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\ZVCHAIN.INI",
                                       "[Other]\r\nCommand1=marker.exe elsewhere\r\n"
                                       "[ZVChain]\r\nCommand1=\r\nCommand2=  \r\nWait2=5\r\n"));
    zvtest::RUN run = RunChain(site, "", NULL, zvtest::EVENT_WAIT_MS);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(MarksAfterPause(site).empty());
}

TEST(ChainList, WaitsBetweenStarts)
{
    /* What the chain itself does between the two starts, seen without the
     * children's own start-up times: how long ZVChain runs (it sleeps its
     * waits), and whether b starts before or after a has ended. */
    struct CASE {
        const char *wait;      /* Wait1 line, or "" for none */
        const char *first;     /* parameters of the first marker */
        DWORD sleeps;          /* what ZVChain sleeps after starting a */
        bool afterEnd;         /* b starts only once a has ended */
    } cases[] = {
        {"", "a sleep=10000", 1000, false},         /* the default: one second */
        {"Wait1=0", "a sleep=10000", 0, false},     /* on at once, not waiting for the end */
        {"Wait1=2", "a sleep=10000", 2000, false},
        {"Wait1=-1", "a sleep=1500", 1500, true},   /* until the first has ended */
    };
    for (const CASE &c : cases) {
        SCOPED_TRACE(c.wait);
        CHAINSITE site = MakeChainSite("waits");
        std::vector<std::string> lines = {std::string("Command1=marker.exe ") + c.first, "Command2=marker.exe b",
                                          "Wait2=0"};
        if (*c.wait)
            lines.push_back(c.wait);
        WriteChainIni(site.dir + "\\ZVCHAIN.INI", lines);
        zvtest::RUN run = RunChain(site, "", NULL, zvtest::EVENT_WAIT_MS);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.boxes.empty());
        EXPECT_GE(run.elapsedMs, c.sleeps);
        /* a sleeps ten seconds: a chain that waited for it would take
         * longer than that */
        if (!c.afterEnd) {
            EXPECT_LT(run.elapsedMs, 10000u);
        }
        WaitForMarks(site, 2);
        std::vector<MARK> marks = zvtest::WaitForMarkEnds(site.marks, 1);
        ASSERT_EQ(2u, marks.size());
        const MARK *a = MarkWith(marks, "a"), *b = MarkWith(marks, "b");
        ASSERT_TRUE(a && b);
        ASSERT_NE(0u, a->end);
        if (c.afterEnd) {
            EXPECT_GE(b->time, a->end);
        } else {
            EXPECT_LT(b->time, a->end);
        }
    }
}

TEST(ChainList, NegativeWaitOutlastsTheTenSecondSlices)
{
    CHAINSITE site = MakeChainSite("longwait");
    WriteChainIni(site.dir + "\\ZVCHAIN.INI",
                  {"Command1=marker.exe a sleep=11500", "Wait1=-5", "Command2=marker.exe b", "Wait2=0"});
    zvtest::RUN run = RunChain(site, "", NULL, 40000);
    EXPECT_FALSE(run.timedOut);
    std::vector<MARK> marks = WaitForMarks(site, 2);
    ASSERT_EQ(2u, marks.size());
    EXPECT_GE(marks[1].time - marks[0].time, 11500u);
}

TEST(ChainList, TheLastEntrysWaitHappensBeforeTheExit)
{
    struct CASE {
        const char *lines[2];
        DWORD atLeast;
    } cases[] = {
        {{"Command1=marker.exe a", ""}, 1000},
        {{"Command1=marker.exe a", "Wait1=2"}, 2000},
        {{"Command1=marker.exe a sleep=2500", "Wait1=-1"}, 2500},
    };
    for (const CASE &c : cases) {
        SCOPED_TRACE(c.lines[1]);
        CHAINSITE site = MakeChainSite("lastwait");
        WriteChainIni(site.dir + "\\ZVCHAIN.INI", {c.lines[0], c.lines[1]});
        zvtest::RUN run = RunChain(site, "", NULL, zvtest::EVENT_WAIT_MS);
        EXPECT_FALSE(run.timedOut);
        EXPECT_GE(run.elapsedMs, c.atLeast);
        EXPECT_EQ(1u, WaitForMarks(site, 1).size());
    }
}

TEST(ChainList, AHugeWaitDoesNotWrapAroundToAShortOne)
{
    CHAINSITE site = MakeChainSite("hugewait");
    /* 4294968 s are 4294968000 ms: 704 ms when counted in 32 bits */
    WriteChainIni(site.dir + "\\ZVCHAIN.INI", {"Command1=marker.exe a", "Wait1=4294968"});
    /* wrapped, the chain would end within a second or two; unwrapped it
     * waits for weeks and is stopped here */
    zvtest::RUN run = RunChain(site, "", NULL, 10000);
    EXPECT_TRUE(run.timedOut);
    EXPECT_EQ(1u, WaitForMarks(site, 1).size());
}

TEST(ChainList, OverlongCommandsAreCutWithoutHarm)
{
    CHAINSITE site = MakeChainSite("longcmd");
    std::string params(400, 'p');
    /* a parameter after it keeps the reader from taking the quotes off */
    std::string program = "\"" + std::string(300, 'q') + ".exe\" x";
    WriteChainIni(site.dir + "\\ZVCHAIN.INI", {"Command1=" + program, "Wait1=0",
                                               "Command2=marker.exe " + params, "Wait2=0"});
    zvtest::RUN run = RunChain(site, "", NULL, zvtest::EVENT_WAIT_MS);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    /* the program of 300 characters cannot start: reported with the command as read */
    ASSERT_FALSE(run.boxes.empty());
    const zvtest::BOX &last = run.boxes.back();
    EXPECT_EQ("ZVChain", last.caption);
    EXPECT_EQ(0u, last.text.find("Cannot execute \"qqqq")) << last.text;
    std::vector<MARK> marks = WaitForMarks(site, 1);
    ASSERT_EQ(1u, marks.size());
    /* the command is read into 260 bytes: "marker.exe " and 248 of the p */
    std::string args = marks[0].cmd.substr(marks[0].cmd.find("marker.exe"));
    EXPECT_EQ(248, std::count(args.begin(), args.end(), 'p')) << marks[0].cmd;
}

} // namespace
} // namespace zv
