/*
 * Message and question boxes through the recording seam, and the file probe.
 */
#include <gtest/gtest.h>

#include "boxrecorder.h"
#include "zvtest.h"

namespace zv {

TEST(MessageBoxes, FailureBoxShowsTheErrorThatHappened)
{
    BoxRecorder rec;
    rec.answer(IDCANCEL);
    HWND owner = GetDesktopWindow();

    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(IDCANCEL, NotifyUserSE(owner, zvFlavor.idFileError, "X.INF"));
    SetLastError(ERROR_ACCESS_DENIED);   /* loading the missing text must not replace the error */
    NotifyUserSE(NULL, 40999, "Y");
    SetLastError(ERROR_FILE_NOT_FOUND);
    NotifyUserSE(NULL, zvFlavor.idFileError, NULL);

    ASSERT_EQ(3u, rec.boxes().size());
    EXPECT_EQ(FileErrorLead("X.INF") + SystemText(ERROR_FILE_NOT_FOUND), rec.boxes()[0].text);
    EXPECT_EQ(owner, rec.boxes()[0].owner);
    EXPECT_STREQ(zvFlavor.pszCaption, rec.boxes()[0].caption.c_str());
    EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), rec.boxes()[0].type);
    EXPECT_EQ("An unexpected event #40999 has occurred: Y\n\n" + SystemText(ERROR_ACCESS_DENIED), rec.boxes()[1].text);
    EXPECT_EQ(FileErrorLead("") + SystemText(ERROR_FILE_NOT_FOUND), rec.boxes()[2].text);

    char out[16];
    ComposeFailureText(out, sizeof out, 40999, "Z", ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ("An unexpected e", out);
    char big[1024];
    ComposeFailureText(big, sizeof big, zvFlavor.idFileError, "X", 0x2FFFFFFF);   /* no system text */
    EXPECT_EQ(FileErrorLead("X"), big);
}

TEST(MessageBoxes, NoticeAndQuestionBoxes)
{
    BoxRecorder rec;
    NotifyUser(NULL, zvFlavor.idFileError, "A.TXT");   /* made for two texts, given one */
    NotifyUser(NULL, 40999, NULL);
    rec.answer(IDYES);
    EXPECT_EQ(1, AskUserYN(NULL, 40999, "a", "b", "c"));
    rec.answer(IDNO);
    EXPECT_EQ(0, AskUserYN(NULL, 40999, NULL, NULL, NULL));

    ASSERT_EQ(4u, rec.boxes().size());
    EXPECT_EQ(FileErrorLead("A.TXT"), rec.boxes()[0].text);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), rec.boxes()[0].type);
    EXPECT_EQ("An unexpected event #40999 has occurred: ", rec.boxes()[1].text);
    EXPECT_EQ("An unexpected event #40999 has occurred: a", rec.boxes()[2].text);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), rec.boxes()[2].type);
    EXPECT_STREQ(zvFlavor.pszCaption, rec.boxes()[3].caption.c_str());
}

TEST(FileProbe, OnlyFilesThatOpenExist)
{
    std::string dir = zvtest::ScratchDir("probe");
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\A.TXT", "a"));
    SetErrorMode(0);
    EXPECT_EQ(1, FileExists((dir + "\\A.TXT").c_str()));
    for (std::string p : { dir + "\\B.TXT", dir, dir + "\\none\\A.TXT", std::string("Q:\\AUTORUN.INF"), std::string() })
        EXPECT_EQ(0, FileExists(p.c_str())) << p;
    EXPECT_EQ(0u, SetErrorMode(0));   /* the probe put the mode back */
    zvtest::RemoveTree(dir);
}

} // namespace zv
