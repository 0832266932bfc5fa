/*
 * test_runtime_log.cpp - what a plain disc start writes to its log, from
 * the banner to the started document, and the settings it read.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

TEST(RuntimeLog, APlainDiscStartFromBannerToDocument)
{
    DISCSITE site = MakeDisc("plain");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    WriteInf(site, {std::string("Document=readme") + DOC_EXT, "SplashLen=0", "CDTitle=Plain Disc"});
    zvtest::RUN run = RunDisc(site);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());

    std::vector<std::string> log = LogTexts(site);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("Zorvan Version 3.2 Build 140", log[0]);
    int reading = FindLog(log, "Reading '");
    ASSERT_GE(reading, 0);
    std::string inf = log[reading].substr(9, log[reading].size() - 9 - 4);
    EXPECT_EQ("'...", log[reading].substr(log[reading].size() - 4));
    EXPECT_EQ(LongPath(site.dir + "\\AUTORUN.INF"), LongPath(inf));

    /* the whole dump, in order, after the read and before the times */
    static const char *const dump[] = {
        "Dumping contents of AUTORUN.INF:", "[AUTORUN] Section", "    strOpen=''", "    strLabel=''",
        "    strIcon=''", "    uIcon='0'", "    strAction=''", "    Content:Music=FALSE",
        "    Content:Picture=FALSE", "    Content:Video=FALSE", "[ZORVAN DATA] Section",
        "    strDocument='readme.zvrtdoc'", "    strViewer=''", "    flgForceViewer='0' (FALSE)",
        "    uWindowMode='1'", "    strDefaultAction=''", "    flgDirFix='4294967295' (TRUE)",
        "    flgTopMost='4294967295' (TRUE)", "    flgTimeOption='0' (FALSE)", "    strCopyright='",
        "    strCDTitle='Plain Disc'", "    flgHideSplash='0' (FALSE)", "    flgAlternateSplash='0' (FALSE)",
        "    flgBrowseLocalFile='0' (FALSE)", "    strSplash=''", "    uSplashLen='0'", "    uPauseLen='0'",
        "    strMusic=''", "    uMusicLen='0'", "    uImageWidth='0'", "    uImageHeight='0'",
        "    nOffsetAngle='0'", "    uOffsetPercent='0'", "    strLNCaption='Plain Disc'",
        "    pstrLNText=''", "    uLNTextLen='512'", "    dwSplashTime='0'", "    dwPauseTime='0'",
        "    dwSleepTime='0'", "    uSplashMode='0'"};
    int at = FindLog(log, dump[0], reading);
    ASSERT_GT(at, reading);
    for (const char *line : dump) {
        SCOPED_TRACE(line);
        ASSERT_LT((size_t)at, log.size());
        EXPECT_EQ(0u, log[at].find(line)) << log[at];
        at++;
    }
    EXPECT_EQ("Set Current Directory (DirFix): ", log[at].substr(0, 32));
    EXPECT_EQ(LongPath(site.dir), LongPath(log[at].substr(32)));

    int exec = FindLog(log, "Executing: ", at);
    ASSERT_GT(exec, at);
    EXPECT_EQ("Executing: \"readme.zvrtdoc\"", log[exec]);
    ASSERT_LT((size_t)exec + 1, log.size());
    EXPECT_EQ(0u, log[exec + 1].find("Execution SUCCESS - Process ")) << log[exec + 1];
    EXPECT_GT(atoi(log[exec + 1].c_str() + 28), 32);
    EXPECT_EQ((size_t)exec + 2, log.size());

    std::vector<MARK> marks = WaitForMarks(site, 1);
    ASSERT_EQ(1u, marks.size());
    EXPECT_NE(std::string::npos, marks[0].cmd.find(" doc ")) << marks[0].cmd;
    EXPECT_NE(std::string::npos, marks[0].cmd.find("readme.zvrtdoc")) << marks[0].cmd;
}

TEST(RuntimeLog, SettingsFromADataFile)
{
    DISCSITE site = MakeDisc("dat");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\a" + DOC_EXT, "x"));
    /* an uncompressed data file reads like a compressed one */
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\DISC.DAT", "A:a.zvrtdoc\nL:From Data\nE:3\n"));
    WriteInf(site, {"Document=inf.zvrtdoc"});
    zvtest::RUN run = RunDisc(site, "--dat \"" + site.dir + "\\DISC.DAT\"");
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());
    std::vector<std::string> log = LogTexts(site);
    EXPECT_EQ(-1, FindLog(log, "Reading '"));
    EXPECT_GE(FindLog(log, "    strDocument='a.zvrtdoc'"), 0);
    EXPECT_GE(FindLog(log, "    strCDTitle='From Data'"), 0);
    EXPECT_GE(FindLog(log, "Executing: \"a.zvrtdoc\""), 0);
    std::vector<MARK> marks = WaitForMarks(site, 1);
    ASSERT_EQ(1u, marks.size());
    EXPECT_EQ(3, marks[0].show);
}

TEST(RuntimeLog, UnreadableDataFileFallsBackToTheInf)
{
    DISCSITE site = MakeDisc("nodat");
    WriteInf(site, {std::string("Document=inf") + DOC_EXT, "SplashLen=0"});
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\inf" + DOC_EXT, "x"));
    zvtest::RUN run = RunDisc(site, "--dat nosuch.dat");
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());
    std::vector<std::string> log = LogTexts(site);
    EXPECT_GE(FindLog(log, "Reading '"), 0);
    EXPECT_GE(FindLog(log, "Executing: \"inf.zvrtdoc\""), 0);
    EXPECT_EQ(1u, WaitForMarks(site, 1).size());
}

} // namespace
} // namespace zv
