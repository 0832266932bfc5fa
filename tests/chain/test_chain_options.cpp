/*
 * test_chain_options.cpp - ZVChain's command line: the options and their
 * boxes, and how the configuration file is named, found or missed.
 */
#include <gtest/gtest.h>

#include "chainsite.h"

namespace zv {
namespace {

const char *const szCopyright = "Copyright \xA9 The Zorvan Authors. All rights reserved.";
const char *const szUsage =
    "ZVChain [options] <config_file>\n\nwhere [options] may include\n\n"
    "-? | -h | --help\tDisplay this information\n"
    "-v | --version\tDisplay program version information\n"
    "-d | --debug\tEnable debugging output\n";

/* A site whose default ZVCHAIN.INI starts one marker with "default". */
CHAINSITE DefaultSite(const std::string &name)
{
    CHAINSITE site = MakeChainSite(name);
    WriteChainIni(site.dir + "\\ZVCHAIN.INI", {"Command1=marker.exe default", "Wait1=0"});
    return site;
}

void ExpectDefaultRan(const CHAINSITE &site)
{
    std::vector<MARK> marks = WaitForMarks(site, 1);
    ASSERT_EQ(1u, marks.size());
    EXPECT_TRUE(HasWord(marks[0].cmd, "default")) << marks[0].cmd;
}

void ExpectOneBox(const zvtest::RUN &run, const std::string &text)
{
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_EQ("ZVChain", run.boxes[0].caption);
    EXPECT_EQ(text, run.boxes[0].text);
}

TEST(ChainOptions, HelpShowsTheUsageThenRunsTheDefaultFile)
{
    std::string text = std::string("ZVChain Version 1.2.038\n") + szCopyright + "\n\n" + szUsage;
    for (const char *form : {"-?", "-h", "--help", "/?", "/H", "/-help", "--HELP other.ini"}) {
        SCOPED_TRACE(form);
        CHAINSITE site = DefaultSite("help");
        zvtest::RUN run = RunChain(site, form);
        ExpectOneBox(run, text);
        ExpectDefaultRan(site);
    }
}

TEST(ChainOptions, VersionShowsTheVersionThenRunsTheDefaultFile)
{
    std::string text = std::string("ZVChain Version 1.2.038\n") + szCopyright;
    for (const char *form : {"-v", "--version", "/V", "  \t/-Version"}) {
        SCOPED_TRACE(form);
        CHAINSITE site = DefaultSite("version");
        zvtest::RUN run = RunChain(site, form);
        ExpectOneBox(run, text);
        ExpectDefaultRan(site);
    }
}

TEST(ChainOptions, DebugAnnouncesEachStartBeforeItHappens)
{
    for (const char *form : {"-d", "--debug", "/D other.ini"}) {
        SCOPED_TRACE(form);
        CHAINSITE site = MakeChainSite("debug");
        WriteChainIni(site.dir + "\\ZVCHAIN.INI", {"Command1=marker.exe one", "Wait1=0",
                                                   "Command2=\"marker.exe\" two \"x y\" z", "Wait2=0"});
        /* other.ini exists, but after an option the rest of the line is ignored */
        WriteChainIni(site.dir + "\\other.ini", {"Command1=marker.exe other"});
        size_t marksAtBox[2] = {99, 99};
        int seen = 0;
        zvtest::RUN run = RunChain(site, form, NULL, zvtest::EVENT_WAIT_MS, [&](const zvtest::BOX &) {
            if (seen < 2)
                marksAtBox[seen] = WaitForMarks(site, 0, 0).size();
            seen++;
            return IDOK;
        });
        EXPECT_FALSE(run.timedOut);
        ASSERT_EQ(2u, run.boxes.size());
        EXPECT_EQ("ZVChain", run.boxes[0].caption);
        EXPECT_EQ("Executing: \"marker.exe\" \"one \"", run.boxes[0].text);
        EXPECT_EQ("ZVChain", run.boxes[1].caption);
        EXPECT_EQ("Executing: \"marker.exe\" \"two \"x y\" z \"", run.boxes[1].text);
        /* each start waits for its box to be closed */
        EXPECT_EQ(0u, marksAtBox[0]);
        EXPECT_LE(marksAtBox[1], 1u);
        std::vector<MARK> marks = WaitForMarks(site, 2);
        ASSERT_EQ(2u, marks.size());
        EXPECT_TRUE(MarkWith(marks, "one") && MarkWith(marks, "two"));
    }
}

TEST(ChainOptions, UnknownOptionsAreIgnoredSilently)
{
    std::string longWord = "-" + std::string(300, 'x');
    for (std::string form : {std::string("-x other.ini"), std::string("/zz"), std::string("-"), longWord}) {
        SCOPED_TRACE(form.substr(0, 20));
        CHAINSITE site = DefaultSite("unknown");
        WriteChainIni(site.dir + "\\other.ini", {"Command1=marker.exe other"});
        zvtest::RUN run = RunChain(site, form);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.boxes.empty());
        ExpectDefaultRan(site);
    }
}

TEST(ChainConfigName, QuotedNamesMayHoldBlanks)
{
    for (const char *form : {"\"my chain.ini\" more words", "'my chain.ini' more", "'my chain.ini"}) {
        SCOPED_TRACE(form);
        CHAINSITE site = DefaultSite("quoted");
        WriteChainIni(site.dir + "\\my chain.ini", {"Command1=marker.exe quoted", "Wait1=0"});
        zvtest::RUN run = RunChain(site, form);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.boxes.empty());
        std::vector<MARK> marks = WaitForMarks(site, 1);
        ASSERT_EQ(1u, marks.size());
        EXPECT_TRUE(HasWord(marks[0].cmd, "quoted")) << marks[0].cmd;
    }
}

TEST(ChainConfigName, EmptyNamesAndBlanksSelectTheDefault)
{
    for (const char *form : {"", "\"\"", "''", "  \t  ", "\"\" other.ini"}) {
        SCOPED_TRACE(form);
        CHAINSITE site = DefaultSite("emptyname");
        WriteChainIni(site.dir + "\\other.ini", {"Command1=marker.exe other"});
        zvtest::RUN run = RunChain(site, form);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.boxes.empty());
        ExpectDefaultRan(site);
    }
}

TEST(ChainConfigName, MissingFilesAndFoldersAreReportedWithTheFullPath)
{
    CHAINSITE site = DefaultSite("missing");
    ASSERT_TRUE(CreateDirectoryA((site.dir + "\\folder.ini").c_str(), NULL));
    for (const char *name : {"nosuch.ini", "folder.ini", "nosuchdir\\x.ini"}) {
        SCOPED_TRACE(name);
        zvtest::RUN run = RunChain(site, name);
        ExpectOneBox(run, "Error: Configuration file " + site.dir + "\\" + name + " not found!");
    }
    EXPECT_TRUE(MarksAfterPause(site).empty());

    CHAINSITE bare = MakeChainSite("nodefault");
    ExpectOneBox(RunChain(bare, "-d"), "Error: Configuration file " + bare.dir + "\\ZVCHAIN.INI not found!");
}

TEST(ChainConfigName, NamesTooLongForAPathAreMissingFiles)
{
    CHAINSITE site = DefaultSite("longname");
    /* too long itself, and short enough but too long once made full */
    std::string longName(300, 'n');
    std::string fitsAlone(259 - 8, 'f');
    for (const std::string &name : {longName, fitsAlone}) {
        SCOPED_TRACE(name.size());
        zvtest::RUN run = RunChain(site, name);
        ExpectOneBox(run, "Error: Configuration file " + name + " not found!");
    }
    EXPECT_TRUE(MarksAfterPause(site).empty());
}

} // namespace
} // namespace zv
