/*
 * The absolute-path check: the questions asked, and the settings after a
 * Yes or a No.
 */
#include "writertest.h"

namespace zv {

class PathCheck : public WriterTest {
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        NewProject(&ari, dir);
    }
    static std::string Question(const std::string &label, const std::string &value, const std::string &part)
    {
        return "The setting '" + label + "' contains an absolute directory name:\n\n\t" + value +
               "\n\nAbsolute path names cannot be used for this value. Should this value be reduced to "
               "the filename only, e.g.\n\n\t" + part + " ?";
    }
    AUTORUNINF ari;
};

TEST_F(PathCheck, YesReducesToTheFileNameNoKeepsTheValue)
{
    strcpy_s(ari.strMusic, sizeof ari.strMusic, "C:\\MEDIA\\INTRO.WAV");
    Answer(IDYES);
    EXPECT_EQ(1, CheckAutoRunInf(NULL, &ari));
    EXPECT_STREQ("INTRO.WAV", ari.strMusic);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(Question("Music", "C:\\MEDIA\\INTRO.WAV", "INTRO.WAV"), boxes[0].text);
    EXPECT_EQ("Zorvan Configuration Utility", boxes[0].caption);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes[0].type);

    /* reduced once, nothing more to ask */
    boxes.clear();
    EXPECT_EQ(1, CheckAutoRunInf(NULL, &ari));
    EXPECT_TRUE(boxes.empty());

    strcpy_s(ari.strMusic, sizeof ari.strMusic, "C:\\MEDIA\\INTRO.WAV");
    Answer(IDNO);
    EXPECT_EQ(0, CheckAutoRunInf(NULL, &ari));
    EXPECT_STREQ("C:\\MEDIA\\INTRO.WAV", ari.strMusic);
}

TEST_F(PathCheck, WhatCountsAsAbsoluteAndWhatIsOffered)
{
    std::string longName = "C:\\" + std::string(300, 'N') + ".WAV";
    /* value, what the question offers (NULL: no question, value kept) */
    const char *cases[][2] = {
        { "\\MEDIA\\INTRO.WAV", "INTRO.WAV" },
        { "E:INTRO.WAV", "INTRO.WAV" },
        { "\\\\SERVER\\SHARE\\INTRO.WAV", "INTRO.WAV" },
        { "C:\\TOOLS\\VIEW.EXE /X C:\\DOCS\\A.TXT", "A.TXT" },
        { "MEDIA\\INTRO.WAV", NULL },    /* relative */
        { "", NULL },
        { "C:\\MEDIA\\", NULL },        /* no file name to offer */
        { "C:", NULL },
        { longName.c_str(), NULL },      /* a file name too long to offer */
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c[0]);
        char value[ARI_PATHLEN];
        strcpy_s(value, sizeof value, c[0]);
        boxes.clear();
        answers.clear();
        Answer(IDYES);
        int relative = !IsFixedPath(c[0]);
        EXPECT_EQ(c[1] || relative ? 1 : 0, FixPath(NULL, "Viewer", value, sizeof value));
        EXPECT_STREQ(c[1] ? c[1] : c[0], value);
        ASSERT_EQ(c[1] ? 1u : 0u, boxes.size());
        if (c[1]) {
            EXPECT_EQ(Question("Viewer", c[0], c[1]), boxes[0].text);
        }
    }

    char part[8] = "unset";
    EXPECT_EQ(4, FNOnly(part, sizeof part, "C:\\LONGNAME.WAV"));
    EXPECT_STREQ("", part);
}

TEST_F(PathCheck, EveryAbsoluteSettingIsAskedAboutInOrder)
{
    strcpy_s(ari.strEULA, sizeof ari.strEULA, "C:\\DISC\\LICENSE.RTF");
    strcpy_s(ari.strDefaultAction, sizeof ari.strDefaultAction, "C:\\DISC\\SETUP.EXE");
    strcpy_s(ari.strViewer, sizeof ari.strViewer, "VIEW.EXE");
    strcpy_s(ari.strOpen, sizeof ari.strOpen, "D:\\ZORVAN.EXE");
    Answer(IDNO);
    Answer(IDYES);
    Answer(IDNO);
    EXPECT_EQ(0, CheckAutoRunInf(NULL, &ari));
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(0u, boxes[0].text.find("The setting 'open'"));
    EXPECT_EQ(0u, boxes[1].text.find("The setting 'DefaultAction'"));
    EXPECT_EQ(0u, boxes[2].text.find("The setting 'EULA'"));
    EXPECT_STREQ("D:\\ZORVAN.EXE", ari.strOpen);
    EXPECT_STREQ("SETUP.EXE", ari.strDefaultAction);
    EXPECT_STREQ("C:\\DISC\\LICENSE.RTF", ari.strEULA);
}

TEST_F(PathCheck, SavingAsksFirstAndWritesTheAnswer)
{
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "C:\\DOCS\\START.HTM");
    strcpy_s(ari.strSplash, sizeof ari.strSplash, "C:\\PICS\\SPLASH.JPG");
    Answer(IDYES);
    Answer(IDNO);
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    std::string inf = zvtest::ReadFileOr(ari.strInfFile);
    EXPECT_NE(std::string::npos, inf.find("\r\nDOCUMENT=START.HTM\r\n"));
    EXPECT_NE(std::string::npos, inf.find("\r\nSPLASH=C:\\PICS\\SPLASH.JPG\r\n"));
    EXPECT_EQ(2u, boxes.size());
}

} // namespace zv
