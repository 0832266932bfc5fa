/*
 * test_runtime_folders.cpp - the current directory the document starts in:
 * DirFix moves to the folder of the settings file, a drive root included,
 * and leaves it alone when there is no such folder.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

/* A folder beside the disc to start the runtime from. */
std::string Elsewhere(const DISCSITE &site)
{
    std::string dir = site.dir + "\\elsewhere";
    CreateDirectoryA(dir.c_str(), NULL);
    return dir;
}

MARK RunForOneMark(const DISCSITE &site, const std::string &exe, const std::string &args, const std::string &cwd)
{
    std::string cmdline = "\"" + exe + "\" --log \"" + site.log + "\" " + args;
    zvtest::RUN run = zvtest::RunProgram(cmdline, cwd.c_str(), 30000);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    for (const zvtest::BOX &b : run.boxes)
        ADD_FAILURE() << "box " << b.caption << ": " << b.text;
    std::vector<MARK> marks = WaitForMarks(site, 1);
    EXPECT_EQ(1u, marks.size());
    return marks.empty() ? MARK() : marks[0];
}

TEST(RuntimeFolders, DirFixOnADriveRootKeepsItsBackslash)
{
    DISCSITE site = MakeDisc("root");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    WriteInf(site, {std::string("Document=readme") + DOC_EXT, "SplashLen=0"});
    zvtest::MAPPEDDRIVE disc(site.dir);
    ASSERT_FALSE(disc.drive.empty());
    /* started from elsewhere, as Windows starts a disc's program */
    MARK m = RunForOneMark(site, disc.drive + "\\ZORVAN.EXE", "", Elsewhere(site));
    EXPECT_EQ(disc.drive + "\\", m.cwd);
    std::vector<std::string> log = LogTexts(site);
    EXPECT_GE(FindLog(log, "Reading '" + disc.drive + "\\AUTORUN.INF'..."), 0);
    EXPECT_GE(FindLog(log, "Set Current Directory (DirFix): " + disc.drive + "\\"), 0);
}

TEST(RuntimeFolders, DirFixTakesTheFolderOfTheNamedInf)
{
    DISCSITE site = MakeDisc("inffolder");
    std::string sub = site.dir + "\\settings";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), NULL));
    ASSERT_TRUE(zvtest::WriteFileBytes(sub + "\\readme" + DOC_EXT, "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(sub + "\\DISC.INF", std::string("[Zorvan Data]\r\nDocument=readme") +
                                                               DOC_EXT + "\r\nSplashLen=0\r\n"));
    MARK m = RunForOneMark(site, site.exe, "--inf settings\\DISC.INF", site.dir);
    EXPECT_EQ(LongPath(sub), LongPath(m.cwd));
}

TEST(RuntimeFolders, WithoutDirFixTheStartFolderStays)
{
    DISCSITE site = MakeDisc("nodirfix");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    WriteInf(site, {"DirFix=0", "Document=" + site.dir + "\\readme" + DOC_EXT, "SplashLen=0"});
    std::string from = Elsewhere(site);
    MARK m = RunForOneMark(site, site.exe, "", from);
    EXPECT_EQ(LongPath(from), LongPath(m.cwd));
    EXPECT_EQ(-1, FindLog(LogTexts(site), "Set Current Directory"));
}

TEST(RuntimeFolders, DataFileHasNoFolderToMoveTo)
{
    DISCSITE site = MakeDisc("datdirfix");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\DISC.DAT", "G:1\nA:" + site.dir + "\\readme.zvrtdoc\n"));
    std::string from = Elsewhere(site);
    MARK m = RunForOneMark(site, site.exe, "--dat \"" + site.dir + "\\DISC.DAT\"", from);
    EXPECT_EQ(LongPath(from), LongPath(m.cwd));
    std::vector<std::string> log = LogTexts(site);
    int line = FindLog(log, "Set Current Directory (DirFix): ");
    ASSERT_GE(line, 0);
    EXPECT_EQ("Set Current Directory (DirFix): ", log[line]);
}

} // namespace
} // namespace zv
