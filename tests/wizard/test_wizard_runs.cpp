/*
 * test_wizard_runs.cpp - what ZVConfig.exe starts: the project's runtime
 * (or the one kept beside the utility) as a test run, the saved
 * AUTORUN.INF's viewer, HTML Help and the About box's web pages.  The
 * marker stands in for each program.
 */
#include <gtest/gtest.h>

#include "screen.h"
#include "wizdriver.h"

using namespace wiztest;

static std::string MarkerCommand() { return "\"" + zvtest::BinPath("marker.exe") + "\" \"%1\""; }

static bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

/* The program a mark's command line starts (quoted or not) is path: long
 * forms compared, since an opened project's paths may be 8.3 ones. */
static bool Started(const zvtest::MARK &mark, const std::string &path)
{
    std::string cmd = mark.cmd, program;
    if (!cmd.empty() && cmd[0] == '"')
        program = cmd.substr(1, cmd.find('"', 1) - 1);
    else
        program = cmd.substr(0, cmd.find(' '));
    char a[MAX_PATH] = "", b[MAX_PATH] = "";
    GetLongPathNameA(program.c_str(), a, sizeof a);
    GetLongPathNameA(path.c_str(), b, sizeof b);
    return a[0] && _stricmp(a, b) == 0;
}

TEST(WizardRuns, TestRunStartsTheProjectFoldersRuntimeInThatFolder)
{
    std::string tool = ToolFolder("run-tool"), marks = zvtest::ScratchDir("run-marks") + "\\marks.txt";
    std::string proj = zvtest::ScratchDir("run-proj") + "\\my disc";
    std::string other = zvtest::ScratchDir("run-other");
    CreateDirectoryA(proj.c_str(), NULL);
    std::string marker = zvtest::BinPath("marker.exe");
    for (const std::string &dir : { tool, proj, other })
        CopyFileA(marker.c_str(), (dir + "\\ZORVAN.EXE").c_str(), FALSE);
    ASSERT_TRUE(zvtest::WriteFileBytes(other + "\\AUTORUN.INF", "[autorun]\r\nopen=ZORVAN.EXE\r\n"));
    ASSERT_TRUE(zvtest::RegisterOpenCommand(".inf", MarkerCommand()));

    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool, { "ZVMARKER_OUT=" + marks }));
    ASSERT_TRUE(CreateProject(w, proj + "\\AUTORUN.INF"));
    ASSERT_TRUE(SaveInf(w));

    Click(w, TESTRUN);
    std::vector<zvtest::MARK> m = zvtest::WaitForMarks(marks, 1, 30000);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(Started(m[0], proj + "\\ZORVAN.EXE")) << m[0].cmd;
    EXPECT_FALSE(Contains(m[0].cmd, "--dat")) << m[0].cmd;
    EXPECT_EQ(_stricmp(m[0].cwd.c_str(), proj.c_str()), 0) << m[0].cwd;

    Click(w, VIEWINF);
    m = zvtest::WaitForMarks(marks, 2, 30000);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(Contains(m[1].cmd, "AUTORUN.INF")) << m[1].cmd;

    /* with a data file in a folder with a blank: its whole path, quoted */
    ASSERT_TRUE(SaveDat(w, proj + "\\AUTORUN.INF", proj + "\\ZORVAN.DAT"));
    Click(w, TESTRUN);
    m = zvtest::WaitForMarks(marks, 3, 30000);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_TRUE(Contains(m[2].cmd, "--dat \"" + proj + "\\ZORVAN.DAT\" --log ZORVAN.LOG")) << m[2].cmd;

    /* another project opened in the same run has no data file of its own */
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    ASSERT_TRUE(OpenProject(w, other + "\\AUTORUN.INF"));
    ASSERT_TRUE(SaveInf(w));
    Click(w, TESTRUN);
    m = zvtest::WaitForMarks(marks, 4, 30000);
    ASSERT_EQ(m.size(), 4u);
    EXPECT_TRUE(Started(m[3], other + "\\ZORVAN.EXE")) << m[3].cmd;
    EXPECT_FALSE(Contains(m[3].cmd, "--dat")) << m[3].cmd;

    /* a project in a drive's root runs in that root */
    std::string rootFolder = zvtest::ScratchDir("run-root");
    CopyFileA(marker.c_str(), (rootFolder + "\\ZORVAN.EXE").c_str(), FALSE);
    zvtest::MAPPEDDRIVE drive(rootFolder);
    ASSERT_FALSE(drive.drive.empty());
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    ASSERT_TRUE(CreateProject(w, drive.drive + "\\AUTORUN.INF"));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_TRUE(zvtest::PathExists(rootFolder + "\\AUTORUN.INF"));
    Click(w, TESTRUN);
    m = zvtest::WaitForMarks(marks, 5, 30000);
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(_stricmp(m[4].cwd.c_str(), (drive.drive + "\\").c_str()), 0) << m[4].cwd;
    EXPECT_TRUE(Started(m[4], drive.drive + "\\ZORVAN.EXE")) << m[4].cmd;

    for (const zvtest::MARK &mark : zvtest::MarksAfterPause(marks))
        EXPECT_FALSE(Started(mark, tool + "\\ZORVAN.EXE")) << "the runtime beside the utility ran";
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

TEST(WizardRuns, TestRunStartsAKeptRuntimeInAFolderWithABlankOrSaysWhyNot)
{
    /* the runtime beside the utility, not copied into the project */
    std::string tool = zvtest::ScratchDir("kept-tool") + "\\the tool", runtime = tool + "\\ZORVAN.EXE";
    std::string proj = zvtest::ScratchDir("kept-proj"), marks = zvtest::ScratchDir("kept-marks") + "\\marks.txt";
    CreateDirectoryA(tool.c_str(), NULL);
    ASSERT_TRUE(CopyFileA(zvtest::BinPath("ZVConfig.exe").c_str(), (tool + "\\ZVConfig.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(zvtest::BinPath("marker.exe").c_str(), runtime.c_str(), FALSE));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool, { "ZVMARKER_OUT=" + marks }));
    ASSERT_TRUE(CreateProject(w, proj + "\\AUTORUN.INF"));
    Click(w, NEXT);
    HWND autoCopy = WaitForDialog(w, "Auto-Copy Options");
    ASSERT_TRUE(autoCopy != NULL);
    zvtest::PressButton(autoCopy, IDNO);
    ASSERT_TRUE(WaitForPage(w, 2));
    Click(w, SAVEDOTS);
    ASSERT_TRUE(WaitForPage(w, 12));
    Click(w, SAVEINF);
    EXPECT_EQ(AnswerBox(w, IDNO).substr(0, 50), "The setting 'open' contains an absolute directory ");
    ASSERT_TRUE(zvtest::Eventually([&] { return CanClick(w, VIEWINF); }));

    Click(w, TESTRUN);
    std::vector<zvtest::MARK> m = zvtest::WaitForMarks(marks, 1, 30000);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(Started(m[0], runtime)) << m[0].cmd;
    EXPECT_EQ(_stricmp(m[0].cwd.c_str(), proj.c_str()), 0) << m[0].cwd;

    /* gone: the author is told, with the system's reason */
    ASSERT_TRUE(zvtest::Eventually([&] { return DeleteFileA(runtime.c_str()) != 0; }));
    Click(w, TESTRUN);
    std::string said = AnswerBox(w, IDOK), head = "Cannot execute " + runtime + ":\n\n";
    EXPECT_EQ(said.substr(0, head.size()), head);
    EXPECT_GT(said.size(), head.size()) << "no reason given";
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

/* The stub's lines "cmd=N|file=F|data=D" once there are n. */
static std::vector<std::string> HelpCalls(const std::string &path, size_t n)
{
    std::vector<std::string> lines;
    zvtest::Eventually([&] { return (lines = zvtest::ReadLines(path)).size() >= n; });
    return lines;
}

TEST(WizardRuns, HelpAsksForThePagesContextOnlyWithAHelpFile)
{
    /* a copy of its own name, whose DLL overrides take the stub from its folder */
    std::string tool = zvtest::ScratchDir("help-tool"), calls = zvtest::ScratchDir("help-calls") + "\\calls.txt";
    CopyFileA(zvtest::BinPath("ZVConfig.exe").c_str(), (tool + "\\ZVHelpTest.exe").c_str(), FALSE);
    CopyFileA(zvtest::BinPath("hhctrl.ocx").c_str(), (tool + "\\hhctrl.ocx").c_str(), FALSE);
    ASSERT_TRUE(zvtest::WriteFileBytes(tool + "\\ZVHelpTest.CHM", "not a real help file"));
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\ZVHelpTest.exe\\DllOverrides",
                              "hhctrl.ocx", REG_SZ, "native", 7), ERROR_SUCCESS);
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool, { "ZVHELP_OUT=" + calls }, "ZVHelpTest.exe"));
    ASSERT_TRUE(CanClick(w, HELP));
    Click(w, HELP);
    std::vector<std::string> lines = HelpCalls(calls, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 7), "cmd=28|");
    EXPECT_EQ(lines[1], "cmd=15|file=" + tool + "\\ZVHelpTest.CHM|data=100");

    ASSERT_TRUE(CreateProject(w, DiscFolder("help-proj") + "\\AUTORUN.INF"));
    for (int i = 2; i <= 4; i++) {
        Click(w, NEXT);
        ASSERT_TRUE(WaitForPage(w, i));
    }
    Click(w, HELP);
    lines = HelpCalls(calls, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "cmd=15|file=" + tool + "\\ZVHelpTest.CHM|data=500");

    Click(w, CLOSE);
    EXPECT_EQ(AnswerBox(w, IDNO), "Save changes before exiting?");
    EXPECT_TRUE(WaitForEnd(&w));
    lines = HelpCalls(calls, 5);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3].substr(0, 7), "cmd=18|");
    EXPECT_EQ(lines[4], "cmd=29|file=|data=4660") << "the cookie HH_INITIALIZE gave";
}

TEST(WizardRuns, AboutBoxesShowVersionsAndOpenTheWebPages)
{
    std::string tool = ToolFolder("about-tool"), marks = zvtest::ScratchDir("about-marks") + "\\marks.txt";
    /* web addresses open with the marker for a while */
    const char *https = "https\\shell\\open\\command";
    char browser[1024] = "";
    LONG size = sizeof browser;
    RegQueryValueA(HKEY_CLASSES_ROOT, https, browser, &size);
    RegSetValueA(HKEY_CLASSES_ROOT, https, REG_SZ, MarkerCommand().c_str(), 0);
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool, { "ZVMARKER_OUT=" + marks }));
    Click(w, ABOUT);
    Click(w, ABOUT);
    std::vector<HWND> boxes;
    ASSERT_TRUE(zvtest::Eventually([&] {
        boxes.clear();
        for (HWND h : zvtest::FindProcessWindows(w.pi.dwProcessId, "#32770"))
            if (zvtest::WindowText(h) == "About ZVCFG...")
                boxes.push_back(h);
        return boxes.size() == 2;
    }));
    zvtest::KeepScreen("wizard-about");
    HWND box = boxes[0];
    EXPECT_EQ(zvtest::WindowText(GetDlgItem(box, 1023)), "Zorvan Configuration Utility");
    EXPECT_EQ(zvtest::WindowText(GetDlgItem(box, 1024)), "Version 3.2 Build 092 (24 Jan 2016)");
    std::string libs = zvtest::WindowText(GetDlgItem(box, 998));
    EXPECT_EQ(libs.substr(0, 7), "[JPEG] ") << libs;
    EXPECT_TRUE(Contains(libs, "\n[PNG] ") && Contains(libs, "\n[ZLIB] ")) << libs;

    zvtest::PressButton(box, 990);
    std::vector<zvtest::MARK> m = zvtest::WaitForMarks(marks, 1, 30000);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(Contains(m[0].cmd, "https://www.quorvel.example/zorvan/")) << m[0].cmd;
    zvtest::PressButton(box, 995);
    m = zvtest::WaitForMarks(marks, 2, 30000);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(Contains(m[1].cmd, "https://www.quorvel.example/zorvan/update?version=3.2.092")) << m[1].cmd;

    zvtest::PressButton(box, IDCANCEL);
    EXPECT_TRUE(zvtest::Eventually([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindow(boxes[1]));
    if (browser[0])
        RegSetValueA(HKEY_CLASSES_ROOT, https, REG_SZ, browser, 0);
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}
