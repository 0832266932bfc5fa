/*
 * test_wizard_autorun.cpp - the AUTORUN, content, document, viewer and
 * default-action pages of ZVConfig.exe filled as an author fills them, and
 * what reaches AUTORUN.INF and ZORVAN.DAT; one screenshot per page.
 */
#include <gtest/gtest.h>

#include "screen.h"
#include "settings.h"
#include "testpictures.h"
#include "testprograms.h"
#include "wizdriver.h"

using namespace wiztest;

/* the pages' controls */
enum {
    BROWSE = 1001, OPENPROGRAM = 1014, ICONFILE = 1020, ICONNUMBER = 1041, PREVIEW = 1042, LABEL = 1118,
    MUSIC = 1001, VIDEO = 1005, ACTION = 1006, DOCUMENT = 1000, WINMODE = 1026, BROWSELOCAL = 1067,
    VIEWER = 1002, FORCEVIEWER = 1003, ASSOCIATION = 1019,
    MESSAGE = 1043, MESSAGETEXT = 1021, OPEN = 1044, OPENTEXT = 1004, NONE = 1045
};
const unsigned RED = 0xE00000, BLUE = 0x0000E0, PLACEHOLDER = 0x50565F;

static LRESULT Send(HWND page, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(GetDlgItem(page, id), msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &r);
    return (LRESULT)r;
}
static void SetText(HWND page, int id, const std::string &t) { Send(page, id, WM_SETTEXT, 0, (LPARAM)t.c_str()); }
static std::string Text(HWND page, int id) { return zvtest::WindowText(GetDlgItem(page, id)); }
static void Check(HWND page, int id) { Send(page, id, BM_SETCHECK, BST_CHECKED, 0); }
static bool Checked(HWND page, int id) { return Send(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
/* a radio button clicked, or the focus moved, as the author does it */
static void ClickRadio(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
static void Focus(HWND page, int id) { PostMessageA(page, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(page, id), TRUE); }

/* The middle of the icon preview shows rgb on the screen. */
static bool PreviewShows(HWND page, unsigned rgb)
{
    HWND button = GetDlgItem(page, PREVIEW);
    RECT rc;
    GetClientRect(button, &rc);
    int x = rc.right / 2, y = rc.bottom / 2;
    zvtest::SCREENSHOT shot;
    return zvtest::WaitForColour(zvtest::ScreenRect(button, { x - 2, y - 2, x + 2, y + 2 }), rgb, 48, 30000, &shot);
}

/* A relative value names the file at path (8.3 forms resolved). */
static bool Names(const std::string &proj, const std::string &value, const std::string &path)
{
    char a[MAX_PATH] = "", b[MAX_PATH] = "";
    GetLongPathNameA((proj + "\\" + value).c_str(), a, sizeof a);
    GetLongPathNameA(path.c_str(), b, sizeof b);
    return a[0] && value.find(':') == std::string::npos && _stricmp(a, b) == 0;
}

/* What the page shows once Wine has handed its drawing to the screen. */
static void KeepPage(const std::string &name)
{
    Sleep(500);
    zvtest::KeepScreen(name);
}

static bool Go(const WIZARD &w, int button, int index)
{
    Click(w, button);
    return WaitForPage(w, index);
}

/* From the last page back to page index. */
static bool BackTo(const WIZARD &w, int index)
{
    for (int i = 11; i >= index; i--)
        if (!Go(w, PREVIOUS, i))
            return false;
    return true;
}

static bool AnswerAutoCopy(const WIZARD &w)
{
    HWND dialog = WaitForDialog(w, "Auto-Copy Options");
    if (dialog)
        zvtest::PressButton(dialog, IDYES);
    return dialog != NULL;
}

static std::string Line(const std::string &inf, const std::string &key)
{
    for (const std::string &line : zvtest::ReadLines(inf))
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
    return "<none>";
}

TEST(WizardAutorun, PagesFilledReachBothFilesAndSurviveARoundTrip)
{
    std::string tool = ToolFolder("ar-tool"), proj = DiscFolder("ar-proj"), inf = proj + "\\AUTORUN.INF";
    std::string icons = proj + "\\art work\\disc icons.dll", doc = proj + "\\docs folder\\Start Page.zvd";
    CreateDirectoryA((proj + "\\art work").c_str(), NULL);
    CreateDirectoryA((proj + "\\docs folder").c_str(), NULL);
    ASSERT_TRUE(CopyFileA(zvtest::BinPath("twoicons.dll").c_str(), icons.c_str(), FALSE));
    ASSERT_TRUE(zvtest::WriteFileBytes(doc, "doc") && zvtest::WriteFileBytes(proj + "\\readme.zvu", "doc"));
    ASSERT_TRUE(zvtest::RegisterOpenCommand(".zvd", "\"C:\\Zv Tools\\zv view.exe\" /open \"%1\""));
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zvu");

    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));
    HWND page = Page(w);
    EXPECT_EQ(Text(page, OPENPROGRAM), "ZORVAN.EXE");
    EXPECT_FALSE(Enabled(page, PREVIEW) || Enabled(page, ICONNUMBER)) << "no icon file";

    /* browsed: relative to the project, previewed at once */
    zvtest::PressButton(page, BROWSE);
    ASSERT_TRUE(AnswerFileDialog(w, "Select Icon", icons));
    ASSERT_TRUE(zvtest::Eventually([&] { return Text(page, ICONFILE) == "art work\\disc icons.dll"; })) << Text(page, ICONFILE);
    EXPECT_TRUE(Enabled(page, PREVIEW) && Enabled(page, ICONNUMBER));
    EXPECT_TRUE(PreviewShows(page, RED));
    struct { const char *file, *number; unsigned rgb; } previews[] = {
        { "art work\\disc icons.dll", "1", BLUE }, { "art work\\disc icons.dll", "7", PLACEHOLDER },
        { "missing.ico", "0", PLACEHOLDER }, { "cut.ico", "0", PLACEHOLDER }, { "art work\\disc icons.dll", "1", BLUE },
    };
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\cut.ico", zvtest::DamagedIcos()[3].bytes));   /* cut to 200 bytes */
    for (const auto &p : previews) {
        SetText(page, ICONFILE, p.file);
        SetText(page, ICONNUMBER, p.number);
        Click(w, PREVIEW);
        EXPECT_TRUE(PreviewShows(page, p.rgb)) << p.file << "," << p.number;
    }
    for (bool file : { false, true }) {   /* the icon field emptied or filled, then left */
        SetText(page, ICONFILE, file ? "art work\\disc icons.dll" : "");
        Focus(page, ICONFILE);
        Focus(page, LABEL);
        EXPECT_TRUE(zvtest::Eventually([&] { return Enabled(page, PREVIEW) == file && Enabled(page, ICONNUMBER) == file; }));
    }
    std::string label(70, 'L');
    SetText(page, LABEL, label);
    KeepPage("wizard-autorun-page-02");

    ASSERT_TRUE(Go(w, NEXT, 2));
    page = Page(w);
    Check(page, MUSIC);
    Check(page, VIDEO);
    SetText(page, ACTION, "Start the disc");
    KeepPage("wizard-autorun-page-03");

    /* a document Windows has no program for: warned, the viewer kept */
    ASSERT_TRUE(Go(w, NEXT, 3));
    page = Page(w);
    EXPECT_EQ(Text(page, WINMODE), "Maximize") << "a new project's mode";
    SetText(page, DOCUMENT, "readme.zvu");
    ASSERT_TRUE(Go(w, NEXT, 4));
    page = Page(w);
    SetText(page, VIEWER, "old.exe");
    Click(w, ASSOCIATION);
    EXPECT_EQ(AnswerBox(w, IDOK), "Windows cannot determine what application is associated with this file type.\n\n");
    EXPECT_EQ(Text(page, VIEWER), "old.exe");

    /* left backwards, the viewer page stores too */
    ASSERT_TRUE(Go(w, PREVIOUS, 3));
    page = Page(w);
    SetText(page, DOCUMENT, "docs folder\\Start Page.zvd");
    Check(page, BROWSELOCAL);
    KeepPage("wizard-autorun-page-04");
    ASSERT_TRUE(Go(w, NEXT, 4));
    page = Page(w);
    EXPECT_EQ(Text(page, VIEWER), "old.exe");
    Click(w, ASSOCIATION);
    EXPECT_TRUE(zvtest::Eventually([&] { return Text(page, VIEWER) == "C:\\Zv Tools\\zv view.exe"; })) << Text(page, VIEWER);
    SetText(page, VIEWER, "VIEWER.EXE %DOCUMENT%");
    Check(page, FORCEVIEWER);
    KeepPage("wizard-autorun-page-05");
    ASSERT_TRUE(Go(w, NEXT, 5));
    EXPECT_TRUE(Checked(Page(w), NONE));
    /* on through the other pages, which store their own defaults */
    for (int i = 6; i <= 11; i++)
        ASSERT_TRUE(Go(w, NEXT, i));
    ASSERT_TRUE(SaveInf(w));

    zv::AUTORUNINF back = {};
    ASSERT_TRUE(zv::ReadAutoRunInf(inf.c_str(), &back, 0));
    EXPECT_STREQ(back.strOpen, "ZORVAN.EXE");
    EXPECT_TRUE(Names(proj, back.strIcon, icons)) << back.strIcon;
    EXPECT_EQ(back.uIcon, 1);
    EXPECT_EQ(std::string(back.strLabel), label.substr(0, 63));
    EXPECT_EQ(std::string(back.strCDTitle), label.substr(0, 63)) << "the splash title follows the label";
    EXPECT_STREQ(back.strAction, "Start the disc");
    EXPECT_EQ(back.uContentFlags, 9u);
    EXPECT_TRUE(Names(proj, back.strDocument, doc)) << back.strDocument;
    EXPECT_STREQ(back.strWinMode, "Maximize");
    EXPECT_TRUE(back.flgBrowseLocalFile && back.flgForceViewer);
    EXPECT_STREQ(back.strViewer, "VIEWER.EXE %DOCUMENT%");
    EXPECT_STREQ(back.strDefaultAction, "");

    /* opened again and stepped through: saved the same */
    std::string saved = SavedText(inf);
    ASSERT_TRUE(Go(w, NEXT, 0));
    ASSERT_TRUE(OpenProject(w, inf));
    for (int i = 2; i <= 12; i++)
        ASSERT_TRUE(Go(w, NEXT, i));
    Click(w, SAVEINF);
    ASSERT_TRUE(zvtest::Eventually([&] { return CanClick(w, VIEWINF); }));
    EXPECT_EQ(SavedText(inf), saved);

    ASSERT_TRUE(SaveDat(w, inf, proj + "\\ZORVAN.DAT"));
    zv::AUTORUNINF dat = {};
    ASSERT_TRUE(zv::ReadZorvanDat((proj + "\\ZORVAN.DAT").c_str(), &dat));
    EXPECT_EQ(std::string(dat.strDocument) + "|" + dat.strViewer + "|" + dat.strCDTitle,
              std::string(back.strDocument) + "|" + back.strViewer + "|" + back.strCDTitle);
    EXPECT_TRUE(dat.uWindowMode == SW_MAXIMIZE && dat.flgBrowseLocalFile && dat.flgForceViewer);
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

TEST(WizardAutorun, ADamagedProgramAsTheDiscIconPreviewsAsThePlaceholder)
{
    std::string tool = ToolFolder("badicon-tool"), proj = DiscFolder("badicon-proj"), inf = proj + "\\AUTORUN.INF";
    std::vector<zvtest::DAMAGEDFILE> programs = zvtest::DamagedPrograms();
    for (size_t i = 0; i < programs.size(); i++)
        ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\bad" + std::to_string(i) + ".exe", programs[i].bytes));
    ASSERT_TRUE(CopyFileA(zvtest::BinPath("twoicons.dll").c_str(), (proj + "\\icons.dll").c_str(), FALSE));
    std::string chain;
    ASSERT_TRUE(zvtest::ReadFileBytes(zvtest::BinPath("ZVChain.exe"), &chain));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\bad.exe", chain.substr(0, 6860)));
    ASSERT_TRUE(zvtest::WriteFileBytes(inf, "[autorun]\r\nopen=ZORVAN.EXE\r\nicon=bad.exe,0\r\n"));

    /* previewed on entering the page, then each through Preview with a
     * whole library between them */
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(OpenProject(w, inf));
    HWND page = Page(w);
    EXPECT_TRUE(PreviewShows(page, PLACEHOLDER));
    for (size_t i = 0; i < programs.size(); i++) {
        SCOPED_TRACE(programs[i].what);
        for (const std::string &file : {std::string("icons.dll"), "bad" + std::to_string(i) + ".exe"}) {
            SetText(page, ICONFILE, file);
            SetText(page, ICONNUMBER, "0");
            Click(w, PREVIEW);
            EXPECT_TRUE(PreviewShows(page, file == "icons.dll" ? RED : PLACEHOLDER)) << file;
        }
    }
    /* a 16-bit program's icon 0 shows; a negative number, typed or as
     * stored unsigned, and one past its icons preview as the placeholder */
    const unsigned own = 0x33AA33;   /* red and blue alike: Wine draws PNG icons with the two swapped */
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\old16.exe", zvtest::NeProgramBytes(zvtest::PngBytes(32, 32, own)).bytes));
    SetText(page, ICONFILE, "old16.exe");
    for (const char *number : {"0", "-2", "0", "4294967294", "0", "1"}) {
        SetText(page, ICONNUMBER, number);
        Click(w, PREVIEW);
        EXPECT_TRUE(PreviewShows(page, number[0] == '0' ? own : PLACEHOLDER)) << number;
    }
    /* closed from the first page, which offers no save */
    ASSERT_TRUE(Go(w, PREVIOUS, 0));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(w.pi.hProcess, &code));
    EXPECT_EQ(0u, code);
}

TEST(WizardAutorun, RuntimeFoundInTheProjectBesideTheUtilityOrNowhere)
{
    {   /* beside the utility only: offered for copying, even when leaving backwards */
        std::string tool = ToolFolder("rt-tool"), proj = zvtest::ScratchDir("rt-proj");
        CopyFileA(zvtest::BinPath("marker.exe").c_str(), (tool + "\\ZORVAN.EXE").c_str(), FALSE);
        WIZARD w;
        ASSERT_TRUE(StartWizard(&w, tool));
        ASSERT_TRUE(CreateProject(w, proj + "\\AUTORUN.INF"));
        Click(w, PREVIOUS);
        ASSERT_TRUE(AnswerAutoCopy(w) && WaitForPage(w, 0));
        EXPECT_TRUE(zvtest::PathExists(proj + "\\ZORVAN.EXE"));
        Click(w, CLOSE);
        EXPECT_TRUE(WaitForEnd(&w));
    }
    /* nowhere: reported, the locate dialog cancelled, the bare name kept */
    std::string tool = ToolFolder("rt-tool2"), proj = zvtest::ScratchDir("rt-proj2");
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\AUTORUN.INF", "[autorun]\r\nopen=OLD.EXE -x\r\n"));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(OpenProject(w, proj + "\\AUTORUN.INF"));
    EXPECT_EQ(Text(Page(w), OPENPROGRAM), "OLD.EXE -x");
    Click(w, NEXT);
    EXPECT_EQ(AnswerBox(w, IDOK).substr(0, 34 + tool.size() + 11),
              "The specified file was not found: " + tool + "\\ZORVAN.EXE");
    HWND locate = WaitForDialog(w, "Locate Zorvan Executable");
    ASSERT_TRUE(locate != NULL);
    PostMessageA(locate, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(AnswerBox(w, IDOK), "The file 'ZORVAN.EXE' does not exist.\r\n\r\nBe sure to copy this file to the target medium!");
    ASSERT_TRUE(WaitForPage(w, 2));
    ASSERT_TRUE(Go(w, PREVIOUS, 1));
    EXPECT_EQ(Text(Page(w), OPENPROGRAM), "ZORVAN.EXE");
    Click(w, CLOSE);
    EXPECT_EQ(AnswerBox(w, IDNO), "Save changes before exiting?");
    EXPECT_TRUE(WaitForEnd(&w));
}

TEST(WizardAutorun, DefaultActionsAndWindowModesAsTyped)
{
    std::string tool = ToolFolder("da-tool"), proj = DiscFolder("da-proj"), inf = proj + "\\AUTORUN.INF";
    std::string outside = zvtest::ScratchDir("da-outside");
    CreateDirectoryA((proj + "\\setup").c_str(), NULL);
    CreateDirectoryA((outside + "\\tool dir").c_str(), NULL);
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\setup\\install.exe", "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(outside + "\\my tool.exe", "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(outside + "\\tool dir\\run it.exe", "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(inf, "[autorun]\r\nopen=ZORVAN.EXE\r\n[Zorvan Data]\r\n"
                                            "Document=http://example.org/start.htm\r\nWindowMode=Maximized\r\n"
                                            "DefaultAction=echo Please start START.HTM yourself.\r\n"));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(OpenProject(w, inf));
    ASSERT_TRUE(Go(w, NEXT, 2) && Go(w, NEXT, 3));
    EXPECT_EQ(Text(Page(w), WINMODE), "") << "no item begins with Maximized";
    ASSERT_TRUE(Go(w, NEXT, 4) && Go(w, NEXT, 5));
    HWND page = Page(w);
    EXPECT_TRUE(Checked(page, MESSAGE));
    EXPECT_EQ(Text(page, MESSAGETEXT), "Please start START.HTM yourself.");
    EXPECT_TRUE(zvtest::Eventually([&] { return Enabled(page, MESSAGETEXT) && !Enabled(page, OPENTEXT) && !Enabled(page, BROWSE); }));
    KeepPage("wizard-autorun-page-06");
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(Line(inf, "DEFAULTACTION"), "ECHO Please start START.HTM yourself.");
    EXPECT_EQ(Line(inf, "WINDOWMODE"), "Maximized");
    EXPECT_EQ(Line(inf, "DOCUMENT"), "http://example.org/start.htm");

    /* back to the page from the last one; each value stored by Next */
    ASSERT_TRUE(BackTo(w, 5));
    page = Page(w);
    ClickRadio(page, OPEN);
    EXPECT_TRUE(zvtest::Eventually([&] { return !Enabled(page, MESSAGETEXT) && Enabled(page, OPENTEXT) && Enabled(page, BROWSE); }));
    struct { std::string typed, stored; bool copy; } opens[] = {
        { "setup\\install.exe /q", "", false },
        { "\"" + outside + "\\my tool.exe\" /q \"a b\"", "\"my tool.exe\" /q \"a b\"", true },
        /* as browsed: bare, from the root of the project's drive, blanks and all */
        { outside.substr(2) + "\\tool dir\\run it.exe", "\"run it.exe\"", true },
        { "%ProgramFiles%\\Tool\\run.exe -x", "%ProgramFiles%\\Tool\\run.exe -x", false },
    };
    for (const auto &o : opens) {
        SetText(page, OPENTEXT, o.typed);
        Click(w, NEXT);
        ASSERT_TRUE(!o.copy || AnswerAutoCopy(w));
        ASSERT_TRUE(WaitForPage(w, 6) && Go(w, PREVIOUS, 5));
        page = Page(w);
        EXPECT_TRUE(Checked(page, OPEN));
        std::string stored = Text(page, OPENTEXT);
        if (o.stored.empty()) {   /* the folder kept, the program in 8.3 form */
            EXPECT_EQ(stored.substr(stored.size() - 3), " /q");
            EXPECT_TRUE(Names(proj, stored.substr(0, stored.size() - 3), proj + "\\setup\\install.exe")) << stored;
        } else {
            EXPECT_EQ(stored, o.stored);
        }
    }
    EXPECT_TRUE(zvtest::PathExists(proj + "\\my tool.exe") && zvtest::PathExists(proj + "\\run it.exe"));

    ClickRadio(page, MESSAGE);
    SetText(page, MESSAGETEXT, std::string(600, 'm'));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(Line(inf, "DEFAULTACTION"), "ECHO " + std::string(501, 'm'));
    ASSERT_TRUE(BackTo(w, 5));
    ClickRadio(Page(w), NONE);
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(Line(inf, "DEFAULTACTION"), "") << "None, whatever the edits hold";
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

TEST(WizardAutorun, DefaultActionInAFolderWithABlankStartsFromTheDisc)
{
    /* the real runtime in the project; its marks, and the wizard's, go to the site's file */
    std::string tool = ToolFolder("dab-tool");
    zvtest::MARKERSITE disc = zvtest::MakeMarkerSite("dab-proj", "ZORVAN.EXE");
    std::string inf = disc.dir + "\\AUTORUN.INF", setup = disc.dir + "\\Setup Files\\setup.exe";
    CreateDirectoryA((disc.dir + "\\Setup Files").c_str(), NULL);
    ASSERT_TRUE(CopyFileA(disc.marker.c_str(), setup.c_str(), FALSE));
    /* a document that no program opens, so the default action runs (a
     * three-letter extension: a longer one is also found by its 8.3 form) */
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zvn");
    ASSERT_TRUE(zvtest::WriteFileBytes(disc.dir + "\\readme.zvn", "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(inf, "[autorun]\r\nopen=ZORVAN.EXE\r\n[Zorvan Data]\r\n"
                                            "Document=readme.zvn\r\nHideSplash=1\r\nSplashLen=0\r\n"));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(OpenProject(w, inf));
    for (int i = 2; i <= 5; i++)
        ASSERT_TRUE(Go(w, NEXT, i));
    HWND page = Page(w);
    ClickRadio(page, OPEN);
    ASSERT_TRUE(zvtest::Eventually([&] { return Enabled(page, OPENTEXT); }));
    SetText(page, OPENTEXT, "Setup Files\\setup.exe");
    ASSERT_TRUE(SaveInf(w)) << "no box on the way";
    std::string action = Line(inf, "DEFAULTACTION");
    if (action.size() > 2 && action.front() == '"')
        action = action.substr(1, action.size() - 2);
    EXPECT_TRUE(Names(disc.dir, action, setup)) << action;
    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));

    zvtest::RUN run = zvtest::RunProgram("\"" + disc.exe + "\"", disc.dir.c_str(), 60000);
    EXPECT_FALSE(run.timedOut);
    for (const zvtest::BOX &b : run.boxes)
        ADD_FAILURE() << "box " << b.caption << ": " << b.text;
    std::vector<zvtest::MARK> m = zvtest::WaitForMarks(disc.marks, 1);
    ASSERT_EQ(m.size(), 1u);
    /* the one setup.exe there is: the marker in "Setup Files" */
    std::string cmd = m[0].cmd;
    CharLowerBuffA(&cmd[0], (DWORD)cmd.size());
    EXPECT_NE(cmd.find("setup.exe"), std::string::npos) << m[0].cmd;
}
