/*
 * test_chain_options.cpp - ZVChain's command line: the options and their
 * boxes, and how the configuration file is named, found or missed (a
 * program too deep to name its own is reported, never another's read).
 */
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

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

/* Folders past MAX_PATH: made, filled and removed through the wide calls
 * and their "\\?\" names (the ANSI calls stop at MAX_PATH). */
std::wstring LongName(const std::string &path)
{
    std::string full = "\\\\?\\" + path;
    std::wstring w(full.size(), L'\0');
    w.resize((size_t)MultiByteToWideChar(CP_ACP, 0, full.data(), (int)full.size(), &w[0], (int)w.size()));
    return w;
}

struct DEEPFOLDER {
    std::vector<std::string> levels;
    ~DEEPFOLDER()
    {
        for (size_t i = levels.size(); i-- > 0;) {
            for (const char *f : {"\\ZVChain.exe", "\\ZVCHAIN.INI"})
                DeleteFileW(LongName(levels[i] + f).c_str());
            RemoveDirectoryW(LongName(levels[i]).c_str());
        }
    }
};

/* Wine starts no program from a path past MAX_PATH, but its own loader,
 * started as the Unix program it is, does; the copy then runs with that
 * long module path.  Its box is told from other tests' by the image. */
bool StartThroughWineLoader(const std::string &exe, const std::string &cwd)
{
    const char *loader = getenv("WINELOADER");
    if (!loader)
        return false;
    std::string cmd = "\"Z:" + std::string(loader) + "\" \"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, cwd.c_str(), &si, &pi))
        return false;
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    if (pi.hThread)
        CloseHandle(pi.hThread);
    return true;
}

/* The box once shown: its texts are set before it shows. */
HWND FindBoxOfImage(const std::wstring &image, DWORD *pid)
{
    for (HWND h = FindWindowExA(NULL, NULL, "#32770", "ZVChain"); h; h = FindWindowExA(NULL, h, "#32770", "ZVChain")) {
        if (!IsWindowVisible(h))
            continue;
        GetWindowThreadProcessId(h, pid);
        HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, *pid);
        if (!p)
            continue;
        std::vector<wchar_t> name(1024);
        DWORD size = (DWORD)name.size();
        bool same = QueryFullProcessImageNameW(p, 0, name.data(), &size) && _wcsicmp(name.data(), image.c_str()) == 0;
        CloseHandle(p);
        if (same)
            return h;
    }
    return NULL;
}

TEST(ChainConfigName, AProgramPathTooLongToNameItsDefaultFileStartsNothing)
{
    if (!getenv("WINELOADER"))
        GTEST_SKIP() << "a program path past MAX_PATH is started through Wine's loader only";
    /* the current folder holds a ZVCHAIN.INI too: another disc's, say */
    CHAINSITE site = DefaultSite("longpath");
    DEEPFOLDER deepFolder;
    std::string dir = site.dir;
    while (dir.size() + strlen("\\ZVChain.exe") <= 300) {
        dir += "\\folder-with-a-long-name";
        ASSERT_TRUE(CreateDirectoryW(LongName(dir).c_str(), NULL)) << dir.size() << " " << GetLastError();
        deepFolder.levels.push_back(dir);
    }
    std::string exe = dir + "\\ZVChain.exe";
    ASSERT_TRUE(CopyFileW(LongName(site.exe).c_str(), LongName(exe).c_str(), FALSE)) << GetLastError();
    std::string ini = "[ZVChain]\r\nCommand1=\"" + site.marker + "\" beside\r\nWait1=0\r\n";
    HANDLE h = CreateFileW(LongName(dir + "\\ZVCHAIN.INI").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, ini.data(), (DWORD)ini.size(), &written, NULL));
    CloseHandle(h);
    std::wstring image = LongName(exe).substr(4);

    char reason[512];
    ASSERT_NE(0u, FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                 ERROR_FILENAME_EXCED_RANGE, LANG_USER_DEFAULT, reason, sizeof reason, NULL));
    ASSERT_TRUE(StartThroughWineLoader(exe, site.dir));
    HWND box = NULL;
    DWORD pid = 0;
    ASSERT_TRUE(zvtest::Eventually([&] { return (box = FindBoxOfImage(image, &pid)) != NULL; }));
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    EXPECT_EQ(std::string("Error: Configuration file ZVCHAIN.INI not found!\n\n") + reason,
              zvtest::WindowText(GetDlgItem(box, 0xFFFF)));
    zvtest::PressButton(box, IDOK);
    ASSERT_TRUE(process != NULL);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, zvtest::EVENT_WAIT_MS));
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    EXPECT_EQ(0u, code);
    CloseHandle(process);
    EXPECT_TRUE(MarksAfterPause(site).empty());
}

} // namespace
} // namespace zv
