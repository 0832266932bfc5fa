/*
 * test_runtime_boxes.cpp - every box a disc start can show, answered as a
 * user would: bad options, a missing AUTORUN.INF, the legal notice, ECHO
 * and the last error; and that the run always ends with exit code 0.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

void ExpectCleanEnd(const zvtest::RUN &run)
{
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
}

TEST(RuntimeBoxes, EveryBadOptionGetsItsBoxAndTheRunGoesOn)
{
    DISCSITE site = MakeDisc("badopts");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    WriteInf(site, {std::string("Document=readme") + DOC_EXT, "SplashLen=0"});
    zvtest::RUN run = RunDisc(site, "-x bogus /q");
    ExpectCleanEnd(run);
    ASSERT_EQ(3u, run.boxes.size());
    const char *texts[] = {"Invalid command line parameter: -x", "Invalid command line parameter: bogus",
                           "Invalid command line parameter: -q"};
    for (size_t i = 0; i < 3; i++) {
        EXPECT_EQ("Zorvan", run.boxes[i].caption);
        EXPECT_EQ(texts[i], run.boxes[i].text);
    }
    EXPECT_EQ(1u, WaitForMarks(site, 1).size());
}

TEST(RuntimeBoxes, MissingInfIsReportedThenTheRunEnds)
{
    DISCSITE site = MakeDisc("noinf");
    /* without a log the reader shows a box ... */
    std::string cmd = "\"" + site.exe + "\"";
    zvtest::RUN run = zvtest::RunProgram(cmd, site.dir.c_str(), 30000);
    ExpectCleanEnd(run);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("Zorvan", run.boxes[0].caption);
    const std::string &text = run.boxes[0].text;
    size_t colon = text.find(":\n\n");
    ASSERT_NE(std::string::npos, colon) << text;
    EXPECT_EQ(0u, text.find("Error reading ")) << text;
    EXPECT_EQ(LongPath(site.dir) + "\\AUTORUN.INF", LongPath(site.dir) + text.substr(colon - 12, 12));

    /* ... with one it writes the same text there */
    run = RunDisc(site);
    ExpectCleanEnd(run);
    EXPECT_TRUE(run.boxes.empty());
    std::vector<std::string> log = LogTexts(site);
    EXPECT_GE(FindLog(log, "Error reading "), 0);
    EXPECT_EQ(0u, CountLog(log, "Executing: "));
    EXPECT_TRUE(MarksAfterPause(site).empty());
}

TEST(RuntimeBoxes, LegalNoticeMustBeAccepted)
{
    for (int yes = 0; yes < 2; yes++) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        DISCSITE site = MakeDisc("notice");
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
        WriteInf(site, {std::string("Document=readme") + DOC_EXT, "SplashLen=0", "LegalNoticeCaption=Terms",
                        "LegalNoticeText=\\nFirst line.\\nSecond line."});
        zvtest::RUN run = RunDisc(site, "", nullptr, 30000, [&](const zvtest::BOX &) { return yes ? IDYES : IDNO; });
        ExpectCleanEnd(run);
        ASSERT_EQ(1u, run.boxes.size());
        EXPECT_EQ("Terms", run.boxes[0].caption);
        EXPECT_EQ("\nFirst line.\nSecond line.", run.boxes[0].text);
        std::vector<std::string> log = LogTexts(site);
        ASSERT_FALSE(log.empty());
        if (yes) {
            EXPECT_EQ(1u, WaitForMarks(site, 1).size());
        } else {
            EXPECT_EQ("Legal Notice: User abort!", log.back());
            EXPECT_EQ(0u, CountLog(log, "Executing: "));
            EXPECT_TRUE(MarksAfterPause(site).empty());
        }
    }
}

TEST(RuntimeBoxes, EchoShowsItsTextAndEndsTheWaits)
{
    for (const char *action : {"ECHO Insert disc two of %DOCUMENT%", "echo Insert disc two of %DOCUMENT%"}) {
        SCOPED_TRACE(action);
        DISCSITE site = MakeDisc("echo");
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_NONE, "x"));
        /* two minutes of splash time, which the message cuts short: the
         * run ends long before them (RunDisc gives up after 30 s) */
        WriteInf(site, {std::string("Document=readme") + DOC_NONE, std::string("DefaultAction=") + action,
                        "SplashLen=120"});
        zvtest::RUN run = RunDisc(site);
        ExpectCleanEnd(run);
        ASSERT_EQ(1u, run.boxes.size());
        EXPECT_EQ("Zorvan", run.boxes[0].caption);
        EXPECT_EQ("Insert disc two of readme.zvrtnone ", run.boxes[0].text);
        EXPECT_LT(run.elapsedMs, 120000u);
    }
    DISCSITE site = MakeDisc("echoalone");
    WriteInf(site, {"DefaultAction=Echo", "SplashLen=0"});
    zvtest::RUN run = RunDisc(site);
    ExpectCleanEnd(run);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("", run.boxes[0].text);
}

TEST(RuntimeBoxes, NothingStartsShowsTheViewersReason)
{
    DISCSITE site = MakeDisc("allfail");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_NONE, "x"));
    /* three different failures: no program, no folder, no file */
    WriteInf(site, {std::string("Document=") + site.dir + "\\readme" + DOC_NONE, "Viewer=nosuchdir\\view.exe -v",
                    "DefaultAction=nosuch.exe", "CDTitle=Failing Disc", "SplashLen=120"});
    zvtest::RUN run = RunDisc(site);
    ExpectCleanEnd(run);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("Failing Disc", run.boxes[0].caption);
    EXPECT_EQ("Cannot Zorvan the document " + site.dir + "\\readme.zvrtnone: " + SystemText(3),
              run.boxes[0].text);
    /* the box ends the two minutes of splash time too */
    EXPECT_LT(run.elapsedMs, 120000u);

    /* each failure is logged with the code its own start left */
    std::vector<std::string> log = LogTexts(site);
    int doc = FindLog(log, "Executing: \"" + site.dir);
    int viewer = FindLog(log, "Executing: \"nosuchdir\\view.exe\" \"-v  " + site.dir);
    int action = FindLog(log, "Executing: \"nosuch.exe\"");
    ASSERT_GE(doc, 0);
    ASSERT_GT(viewer, doc);
    ASSERT_GT(action, viewer);
    EXPECT_EQ(0u, log[viewer + 1].find("The specified path was not found.")) << log[viewer + 1];
    EXPECT_EQ(0u, log[action + 1].find("The specified file was not found.")) << log[action + 1];
    EXPECT_EQ(0u, CountLog(log, "Execution SUCCESS"));
    EXPECT_TRUE(MarksAfterPause(site).empty());
}

} // namespace
} // namespace zv
