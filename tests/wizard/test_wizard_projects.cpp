/*
 * test_wizard_projects.cpp - projects made, opened, saved and closed in
 * ZVConfig.exe as an author works it, with a screenshot of every page.
 */
#include <gtest/gtest.h>

#include "screen.h"
#include "settings.h"
#include "wizdriver.h"
#include "writertest.h"

using namespace wiztest;

/* A new project's file once every page was left, as the writer's tests
 * know it: the document page stores the window mode it shows, the splash
 * options page the runtime's own splash time, the sound page the splash
 * time as the music's length. */
static std::string NewProjectText(const std::string &golden)
{
    std::string text = GoldenText(golden);
    size_t at = text.find("WINDOWMODE=\r\n");
    if (at != std::string::npos)
        text.insert(at + 11, "Maximize");
    for (const char *key : { "\nSPLASHLEN=", "\nMUSICLEN=" }) {
        at = text.find(std::string(key) + "0\r");
        if (at != std::string::npos)
            text.replace(at + strlen(key), 1, "5");
    }
    return text;
}

TEST(WizardProjects, NewProjectSavedPlainCommentedAndWithDataFile)
{
    std::string tool = ToolFolder("new-tool"), proj = DiscFolder("new-proj");
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    EXPECT_FALSE(CanClick(w, NEXT));
    EXPECT_FALSE(CanClick(w, PREVIOUS));
    EXPECT_FALSE(CanClick(w, SAVEDOTS));
    EXPECT_FALSE(CanClick(w, HELP)) << "no help file beside the program";
    zvtest::KeepScreen("wizard-page-01");

    ASSERT_TRUE(CreateProject(w, proj + "\\AUTORUN.INF"));
    EXPECT_TRUE(CanClick(w, SAVEDOTS)) << "a new project counts as changed";
    for (int i = 1; i < 13; i++) {
        ASSERT_TRUE(WaitForPage(w, i)) << PageCaption(w);
        zvtest::KeepScreen("wizard-page-" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1));
        if (i < 12)
            Click(w, NEXT);
    }
    EXPECT_FALSE(CanClick(w, NEXT));
    EXPECT_FALSE(CanClick(w, VIEWINF));
    EXPECT_FALSE(CanClick(w, TESTRUN));

    Click(w, SAVEINF);
    ASSERT_TRUE(zvtest::Eventually([&] { return CanClick(w, VIEWINF); }));
    /* the document page stores the window mode it shows */
    std::string plain = NewProjectText("new_plain.inf"), commented = NewProjectText("new_commented.inf");
    EXPECT_EQ(SavedText(proj + "\\AUTORUN.INF"), plain);
    EXPECT_TRUE(CanClick(w, TESTRUN));
    EXPECT_TRUE(CanClick(w, NEXT));
    EXPECT_FALSE(CanClick(w, SAVEDOTS)) << "a saved project is unchanged";

    DWORD_PTR r;
    SendMessageTimeoutA(GetDlgItem(Page(w), COMMENTS), BM_SETCHECK, BST_CHECKED, 0, SMTO_ABORTIFHUNG, 5000, &r);
    Click(w, SAVEINF);
    ASSERT_TRUE(zvtest::Eventually([&] { return SavedText(proj + "\\AUTORUN.INF") == commented; }));
    EXPECT_EQ(SavedText(proj + "\\AUTORUN.BAK"), plain);

    ASSERT_TRUE(SaveDat(w, proj + "\\AUTORUN.INF", proj + "\\ZORVAN.DAT"));
    zv::AUTORUNINF dat = {};
    dat.strOpen[0] = 'x';
    ASSERT_TRUE(zv::ReadZorvanDat((proj + "\\ZORVAN.DAT").c_str(), &dat));
    EXPECT_TRUE(dat.flgDirFix);
    EXPECT_STREQ(dat.strDocument, "");
    EXPECT_NE(zvtest::ReadFileOr(proj + "\\AUTORUN.INF").find("OPEN=ZORVAN.EXE --dat \"ZORVAN.DAT\""), std::string::npos);

    Click(w, NEXT);
    ASSERT_TRUE(WaitForPage(w, 0)) << "Next after the last page leads to the first";
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w)) << "the first page closes without a question";
}

TEST(WizardProjects, CloseAsksToSaveAndKeepsTheWizardOpenOnCancelOrFailure)
{
    std::string tool = ToolFolder("close-tool"), proj = DiscFolder("close-proj");
    std::string inf = proj + "\\AUTORUN.INF", golden = GoldenText("full_plain.inf");
    ASSERT_TRUE(zvtest::WriteFileBytes(inf, golden));

    {   /* Cancel stays on the page; No ends without saving */
        WIZARD w;
        ASSERT_TRUE(StartWizard(&w, tool));
        ASSERT_TRUE(OpenProject(w, inf));
        EXPECT_FALSE(CanClick(w, SAVEDOTS)) << "an opened project is unchanged";
        Click(w, NEXT);
        ASSERT_TRUE(WaitForPage(w, 2));
        EXPECT_TRUE(CanClick(w, SAVEDOTS));
        Click(w, CLOSE);
        EXPECT_EQ(AnswerBox(w, IDCANCEL), "Save changes before exiting?");
        EXPECT_TRUE(WaitForPage(w, 2));
        EXPECT_FALSE(WaitForEnd(&w, 500));
        Click(w, CLOSE);
        EXPECT_EQ(AnswerBox(w, IDNO), "Save changes before exiting?");
        EXPECT_TRUE(WaitForEnd(&w));
        EXPECT_EQ(zvtest::ReadFileOr(inf), golden);
        EXPECT_FALSE(zvtest::PathExists(proj + "\\AUTORUN.BAK"));
    }
    {   /* Yes with a save that fails: reported, and the wizard stays */
        WIZARD w;
        ASSERT_TRUE(StartWizard(&w, tool));
        ASSERT_TRUE(OpenProject(w, inf));
        Click(w, NEXT);
        ASSERT_TRUE(WaitForPage(w, 2));
        HANDLE lock = CreateFileA(inf.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        Click(w, CLOSE);
        EXPECT_EQ(AnswerBox(w, IDYES), "Save changes before exiting?");
        EXPECT_NE(AnswerBox(w, IDOK).find("Error writing file"), std::string::npos);
        EXPECT_TRUE(WaitForPage(w, 2));
        EXPECT_FALSE(WaitForEnd(&w, 500));
        CloseHandle(lock);

        /* Yes that saves: the page stores first, the old file is the backup */
        Click(w, CLOSE);
        EXPECT_EQ(AnswerBox(w, IDYES), "Save changes before exiting?");
        EXPECT_TRUE(WaitForEnd(&w));
        EXPECT_EQ(zvtest::ReadFileOr(proj + "\\AUTORUN.BAK"), golden);
        zv::AUTORUNINF back = {};
        ASSERT_TRUE(zv::ReadAutoRunInf(inf.c_str(), &back, 0));
        EXPECT_STREQ(back.strDocument, "START.HTM");
        EXPECT_STREQ(back.strLabel, "MY DISC");
    }
}
