/*
 * What SaveAutoRunInf writes, ReadAutoRunInf (ZVConfig's build) reads back
 * to the same settings, in both forms of the file.
 */
#include "writertest.h"

#include <stdlib.h>

namespace zv {

class RoundTrip : public WriterTest {
protected:
    /* Saves ari in both forms; each time reads it into back. */
    void SaveAndRead(AUTORUNINF *ari, bool commented)
    {
        ari->flgComments = commented ? -1 : 0;
        ASSERT_EQ(1, SaveAutoRunInf(NULL, ari));
        OpenExisting(&back);
        ASSERT_EQ(1, ReadAutoRunInf(ari->strInfFile, &back, 0));
    }
    void ExpectSameAutoRun(const AUTORUNINF &saved)
    {
        EXPECT_STREQ(saved.strOpen, back.strOpen);
        EXPECT_STREQ(saved.strIcon, back.strIcon);
        EXPECT_EQ(saved.uIcon, back.uIcon);
        EXPECT_STREQ(saved.strLabel, back.strLabel);
        EXPECT_STREQ(saved.strAction, back.strAction);
        EXPECT_EQ(saved.uContentFlags, back.uContentFlags);
        EXPECT_STREQ(saved.strWinMode, back.strWinMode);
    }
    AUTORUNINF back;
};

/* A project with every setting and a legal notice instead of a licence. */
static void NoticeProject(AUTORUNINF *ari, const std::string &dir)
{
    FullProject(ari, dir);
    strcpy_s(ari->strEULA, sizeof ari->strEULA, "");
}

TEST_F(RoundTrip, EverySettingComesBack)
{
    for (bool commented : { false, true }) {
        SCOPED_TRACE(commented ? "commented" : "plain");
        AUTORUNINF ari;
        NoticeProject(&ari, dir);
        SaveAndRead(&ari, commented);
        ExpectSameAutoRun(ari);
        EXPECT_STREQ(ari.pstrShellVerb, back.pstrShellVerb);
        EXPECT_EQ(3, back.uWindowMode);

        /* the reader resolves the copyright's escapes; a CR does not survive */
        strcpy_s(ari.strCopyright, sizeof ari.strCopyright, "\xA9 2024 Example Press\nAll rights reserved.");
        ExpectSameData(ari, back);
    }
}

TEST_F(RoundTrip, QuotesBlanksAndPercentSignsComeBackUnchanged)
{
    AUTORUNINF ari;
    NoticeProject(&ari, dir);
    strcpy_s(ari.strViewer, sizeof ari.strViewer, "\"VIEW ER.EXE\" \"%DOCUMENT%\"");
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "  START.HTM");
    strcpy_s(ari.strDefaultAction, sizeof ari.strDefaultAction, "ECHO 100% sure: %uMusicLen% %strDocument% ");
    strcpy_s(ari.strLabel, sizeof ari.strLabel, " %_LABEL_% ");
    strcpy_s(ari.strAction, sizeof ari.strAction, "\"quoted\"");
    strcpy_s(ari.strIcon, sizeof ari.strIcon, "\"MY ICON.ICO\"");
    ari.uIcon = 3;
    strcpy_s(ari.strCDTitle, sizeof ari.strCDTitle, "%strCDTitle%");
    strcpy_s(ari.strLNCaption, sizeof ari.strLNCaption, "\t%pstrLNText%");
    strcpy_s(ari.strCopyright, sizeof ari.strCopyright, "\"%strCopyright%\"");
    strcpy_s(ari.strMusic, sizeof ari.strMusic, "%uMusicLen%.WAV");
    free(ari.pstrLNText);
    ari.pstrLNText = _strdup(" %uMusicLen% and %strOpen% ");
    ari.uLNTextLen = 27;
    free(ari.pstrShellVerb);
    ari.pstrShellVerb = _strdup("play= Play %shellverb1% =\"PLAY ER.EXE\" \"%1\"");

    for (bool commented : { false, true }) {
        SCOPED_TRACE(commented ? "commented" : "plain");
        SaveAndRead(&ari, commented);
        ExpectSameAutoRun(ari);
        EXPECT_STREQ(ari.pstrShellVerb, back.pstrShellVerb);
        ExpectSameData(ari, back);
        EXPECT_STREQ(ari.strCopyright, back.strCopyright);
    }
}

TEST_F(RoundTrip, TheShellVerbInAllItsForms)
{
    const char *forms[][2] = {
        { "readme=Read &Me=NOTEPAD.EXE README.TXT", "readme=Read &Me=NOTEPAD.EXE README.TXT" },
        { "readme==NOTEPAD.EXE README.TXT", "readme==NOTEPAD.EXE README.TXT" }, /* no menu text */
        { "readme=Read &Me=", "readme=Read &Me=" },                            /* no command */
        { "readme", "readme==" },
        { "run=Run=SETUP.EXE /opt=a==b", "run=Run=SETUP.EXE /opt=a==b" },      /* '=' in the command */
    };
    for (const auto &form : forms) {
        SCOPED_TRACE(form[0]);
        AUTORUNINF ari;
        NewProject(&ari, dir);
        ari.pstrShellVerb = _strdup(form[0]);
        SaveAndRead(&ari, false);
        EXPECT_STREQ(form[1], back.pstrShellVerb);
        free(ari.pstrShellVerb);
    }
}

/* An escaped notice that is much longer than what the author typed. */
static std::string LongNotice(size_t units)
{
    static const char *const parts[] = { "Licence ", "\\#233", "t\\#233 ", "\\n", "\\\\", "  ", "\\x41", "%uMusicLen%" };
    std::string s;
    for (size_t i = 0; i < units; i++)
        s += parts[i % (sizeof parts / sizeof parts[0])];
    return s;
}

TEST_F(RoundTrip, LongEscapedNoticesComeBackWhole)
{
    std::vector<std::string> notices = {
        LongNotice(900),                         /* about 4000 characters */
        std::string(1300, ' ') + "end",          /* pieces that start with blanks */
        LongNotice(7) + "C:\\",                  /* ends in a backslash of its own */
        "\"" + LongNotice(200) + "\"",
    };
    for (const std::string &notice : notices) {
        SCOPED_TRACE(notice.substr(0, 40));
        AUTORUNINF ari;
        NoticeProject(&ari, dir);
        ari.pstrLNText = _strdup(notice.c_str());
        ari.uLNTextLen = (unsigned)notice.size() / 2;
        for (bool commented : { false, true }) {
            SaveAndRead(&ari, commented);
            ASSERT_TRUE(back.pstrLNText != NULL);
            EXPECT_EQ(notice, back.pstrLNText);
            EXPECT_GE(back.uLNTextLen, notice.size());
        }
    }
}

TEST_F(RoundTrip, ANoticeBeyondWhatTheReaderHoldsIsCutBetweenEscapes)
{
    AUTORUNINF ari;
    NoticeProject(&ari, dir);
    std::string notice = "x";
    while (notice.size() < 20000)
        notice += "\\#233";
    ari.pstrLNText = _strdup(notice.c_str());
    ari.uLNTextLen = 4000;
    SaveAndRead(&ari, false);
    ASSERT_TRUE(back.pstrLNText != NULL);
    std::string read = back.pstrLNText;
    EXPECT_EQ(1u + (LEGALNOTICETEXTLEN - 1) / 5 * 5, read.size());
    EXPECT_EQ(notice.substr(0, read.size()), read);
}

} // namespace zv
