/*
 * test_chain_starts.cpp - how ZVChain starts its entries: failures reported
 * and passed over, relative names found in the configuration's folder, and
 * the program's resources.
 */
#include <gtest/gtest.h>

#include "chainsite.h"

namespace zv {
namespace {

/* The shell may show its own box first; ours must follow it. */
void ExpectCannotExecute(const zvtest::RUN &run, const std::string &text)
{
    ASSERT_FALSE(run.boxes.empty());
    for (size_t i = 0; i + 1 < run.boxes.size(); i++)
        EXPECT_NE("ZVChain", run.boxes[i].caption) << run.boxes[i].text;
    EXPECT_EQ("ZVChain", run.boxes.back().caption);
    EXPECT_EQ(text, run.boxes.back().text);
}

TEST(ChainStarts, AFailedStartIsReportedAndTheChainGoesOn)
{
    struct CASE {
        const char *command;
        const char *reason;
    } cases[] = {
        {"nosuch.exe -x", "The specified file was not found."},
        {"plain.zvchainnone", "There is no application associated with the given filename extension."},
    };
    for (const CASE &c : cases) {
        SCOPED_TRACE(c.command);
        CHAINSITE site = MakeChainSite("failed");
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\plain.zvchainnone", "x"));
        WriteChainIni(site.dir + "\\ZVCHAIN.INI",
                      {std::string("Command1=") + c.command, "Wait1=-1", "Command2=marker.exe after", "Wait2=0"});
        size_t marksAtBox = 99;
        zvtest::RUN run = RunChain(site, "", NULL, zvtest::EVENT_WAIT_MS, [&](const zvtest::BOX &b) {
            if (b.caption == "ZVChain")
                marksAtBox = WaitForMarks(site, 0, 0).size();
            return IDOK;
        });
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(0u, run.exitCode);
        ExpectCannotExecute(run, std::string("Cannot execute ") + c.command + ":\n\n" + c.reason);
        EXPECT_EQ(0u, marksAtBox);
        std::vector<MARK> marks = WaitForMarks(site, 1);
        ASSERT_EQ(1u, marks.size());
        EXPECT_TRUE(HasWord(marks[0].cmd, "after"));
    }
}

TEST(ChainStarts, RelativeNamesResolveInTheConfigurationFolder)
{
    CHAINSITE site = MakeChainSite("relative");
    std::string cfg = site.dir + "\\cfg";
    ASSERT_TRUE(CreateDirectoryA(cfg.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA((cfg + "\\tools").c_str(), NULL));
    ASSERT_TRUE(CopyFileA(site.marker.c_str(), (cfg + "\\tools\\marker.exe").c_str(), FALSE));
    ASSERT_TRUE(DeleteFileA(site.marker.c_str()));
    ASSERT_TRUE(zvtest::RegisterOpenCommand(".zvchaindoc", "\"" + cfg + "\\tools\\marker.exe\" doc \"%1\""));
    ASSERT_TRUE(zvtest::WriteFileBytes(cfg + "\\readme.zvchaindoc", "x"));
    WriteChainIni(cfg + "\\chain.ini",
                  {"Command1=tools\\marker.exe program", "Wait1=0", "Command2=readme.zvchaindoc", "Wait2=0"});
    /* started from the site folder, where neither name exists */
    zvtest::RUN run = RunChain(site, "cfg\\chain.ini", site.dir.c_str());
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
    std::vector<MARK> marks = WaitForMarks(site, 2);
    ASSERT_EQ(2u, marks.size());
    const MARK *doc = MarkWith(marks, "doc");
    EXPECT_TRUE(MarkWith(marks, "program") != NULL);
    ASSERT_TRUE(doc != NULL);
    EXPECT_NE(std::string::npos, doc->cmd.find("readme.zvchaindoc"));
    for (const MARK &m : marks)
        EXPECT_EQ(cfg, m.cwd);
}

TEST(ChainStarts, AConfigurationInADriveRootStartsInThatRoot)
{
    CHAINSITE site = MakeChainSite("root");
    std::string root = site.dir + "\\root";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA((root + "\\sub").c_str(), NULL));
    ASSERT_TRUE(CopyFileA(site.marker.c_str(), (root + "\\marker.exe").c_str(), FALSE));
    WriteChainIni(root + "\\ZVCHAIN.INI", {"Command1=marker.exe inroot", "Wait1=0"});
    zvtest::MAPPEDDRIVE mapped(root);
    ASSERT_FALSE(mapped.drive.empty()) << "no drive letter could be mapped";
    /* "X:" alone would mean the drive's current folder, made \sub here */
    SetEnvironmentVariableA(("=" + mapped.drive).c_str(), (mapped.drive + "\\sub").c_str());
    zvtest::RUN run = RunChain(site, mapped.drive + "\\ZVCHAIN.INI", site.dir.c_str());
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
    std::vector<MARK> marks = WaitForMarks(site, 1);
    ASSERT_EQ(1u, marks.size());
    EXPECT_EQ(mapped.drive + "\\", marks[0].cwd);
}

TEST(ChainResources, IconVersionManifestAndStrings)
{
    HMODULE m = LoadLibraryExA(zvtest::BinPath("ZVChain.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(m != NULL);
    EXPECT_TRUE(FindResourceA(m, MAKEINTRESOURCEA(101), (LPCSTR)RT_GROUP_ICON) != NULL);

    char text[512];
    EXPECT_GT(LoadStringA(m, 0, text, sizeof text), 0);
    EXPECT_GT(LoadStringA(m, 33, text, sizeof text), 0);
    EXPECT_STREQ("An error has occurred while waiting for a process to terminate: %s\n\n%s", text);
    EXPECT_EQ(0, LoadStringA(m, 1, text, sizeof text));

    HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(1), (LPCSTR)RT_MANIFEST);
    ASSERT_TRUE(r != NULL);
    std::string manifest((const char *)LockResource(LoadResource(m, r)), SizeofResource(m, r));
#ifdef _WIN64
    const char *arch = "processorArchitecture=\"amd64\"";
#else
    const char *arch = "processorArchitecture=\"x86\"";
#endif
    EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
    EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find(arch));
    FreeLibrary(m);

    DWORD ignored = 0, size = GetFileVersionInfoSizeA(zvtest::BinPath("ZVChain.exe").c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(zvtest::BinPath("ZVChain.exe").c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO *fixed = NULL;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", (void **)&fixed, &len));
    EXPECT_EQ(MAKELONG(2, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(38, 0), fixed->dwFileVersionLS);
}

} // namespace
} // namespace zv
