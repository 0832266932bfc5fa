/*
 * test_sound_notice_pages.cpp - the sound page with its preview and the
 * legal-notice page of ZVConfig.exe, down to the AUTORUN.INF and
 * ZORVAN.DAT they save.  No sound device here: the preview's states are
 * tested, not what it sounds like.
 */
#include <gtest/gtest.h>

#include "pagecontrols.h"
#include "screen.h"
#include "settings.h"
#include "testmedia.h"
#include "testpictures.h"

using namespace wiztest;

enum {
    PLAYSOUND = 1038, MUSICFILE = 1011, MUSICBROWSE = 1001, MUSICLENGTH = 1012, PLAY = 1117, STOP = 1418,
    SHOWNOTICE = 1050, NOTICECAPTION = 1051, SHOWFILE = 1002, LICENSEBROWSE = 1001, LICENSEFILE = 1095,
    SIMPLEACCEPT = 1090, NOTICETEXT = 1052, SPLASHFILE = 1009, CUSTOMSPLASH = 1018
};

/* The music edit takes a name as the author leaves it: Play Sound off and
 * on again tells the page to look for the file. */
static void EnterMusic(const WIZARD &w, const std::string &name)
{
    SetText(w, MUSICFILE, name);
    Toggle(w, PLAYSOUND);
    Toggle(w, PLAYSOUND);
}

TEST(WizardSoundNoticePages, MusicPreviewAndLength)
{
    std::string tool = ToolFolder("sound-tool"), proj = zvtest::ScratchDir("sound-proj");
    std::string inf = proj + "\\AUTORUN.INF";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\tune.wav", zvtest::WaveBytes(20000)));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));
    ASSERT_TRUE(GoTo(w, 1, 10));

    EXPECT_FALSE(Checked(w, PLAYSOUND));
    for (int id : { MUSICFILE, MUSICLENGTH, MUSICBROWSE, PLAY, STOP })
        EXPECT_FALSE(Enabled(w, id)) << id;
    EXPECT_TRUE(CanClick(w, NEXT));
    Toggle(w, PLAYSOUND);
    EXPECT_TRUE(Enabled(w, MUSICFILE) && Enabled(w, MUSICLENGTH) && Enabled(w, MUSICBROWSE));
    EXPECT_FALSE(Enabled(w, PLAY)) << "no music named";

    EnterMusic(w, "missing.wav");
    EXPECT_FALSE(Enabled(w, PLAY) || Enabled(w, STOP)) << "a missing file cannot be played";
    EnterMusic(w, "tune.wav");
    EXPECT_TRUE(Enabled(w, PLAY) && Enabled(w, STOP));

    /* a wave plays until Stop, which offers Play again */
    Press(w, PLAY);
    EXPECT_FALSE(Enabled(w, PLAY));
    EXPECT_TRUE(Enabled(w, STOP));
    Snap("wizard-splash-page-11");
    Press(w, STOP);
    EXPECT_TRUE(Enabled(w, PLAY));
    /* leaving the page stops it: back on the page, Play starts anew */
    Press(w, PLAY);
    ASSERT_TRUE(GoTo(w, 10, 11));
    ASSERT_TRUE(GoTo(w, 11, 10));
    EXPECT_TRUE(Enabled(w, PLAY));
    Press(w, PLAY);
    EXPECT_FALSE(Enabled(w, PLAY)) << "the preview that played was stopped with its page";
    Press(w, STOP);

    SetText(w, MUSICLENGTH, "0");
    ASSERT_TRUE(GoTo(w, 10, 11));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValue(inf, "MUSIC"), "tune.wav");
    EXPECT_EQ(InfValue(inf, "MUSICLEN"), "1") << "a music length of 0 is 1";

    /* off: no music, and the music lasts as long as the splash */
    ASSERT_TRUE(GoTo(w, 12, 10));
    Toggle(w, PLAYSOUND);
    EXPECT_FALSE(Enabled(w, PLAY) || Enabled(w, MUSICFILE));
    ASSERT_TRUE(GoTo(w, 10, 11));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValue(inf, "MUSIC"), "");
    EXPECT_EQ(InfValue(inf, "MUSICLEN"), InfValue(inf, "SPLASHLEN"));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

TEST(WizardSoundNoticePages, NoticeAsTextOrFileReachesBothFilesWhole)
{
    std::string tool = ToolFolder("notice-tool"), proj = zvtest::ScratchDir("notice-proj");
    std::string other = zvtest::ScratchDir("notice-elsewhere");
    std::string inf = proj + "\\AUTORUN.INF", dat = proj + "\\ZORVAN.DAT";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\tune.wav", zvtest::WaveBytes(500)));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.bmp", zvtest::BmpBytes(4, 4, 0x808080)));
    ASSERT_TRUE(zvtest::WriteFileBytes(other + "\\licence.rtf", "{\\rtf1 Licence}"));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));

    /* relative music and splash names, to be kept whatever folder the
     * licence comes from */
    ASSERT_TRUE(GoTo(w, 1, 7));
    Toggle(w, CUSTOMSPLASH);
    SetText(w, SPLASHFILE, "pic.bmp");
    ASSERT_TRUE(GoTo(w, 7, 10));
    Toggle(w, PLAYSOUND);
    SetText(w, MUSICFILE, "tune.wav");
    ASSERT_TRUE(GoTo(w, 10, 11));

    /* no notice: one edit shows, everything is off */
    EXPECT_FALSE(Checked(w, SHOWNOTICE));
    for (int id : { NOTICECAPTION, NOTICETEXT, SHOWFILE, LICENSEBROWSE, SIMPLEACCEPT })
        EXPECT_FALSE(Enabled(w, id)) << id;
    EXPECT_NE(Shown(w, NOTICETEXT), Shown(w, LICENSEFILE));
    Toggle(w, SHOWNOTICE);
    EXPECT_TRUE(Enabled(w, NOTICECAPTION) && Enabled(w, NOTICETEXT) && Enabled(w, SHOWFILE));
    EXPECT_FALSE(Enabled(w, LICENSEBROWSE));

    /* a text with line breaks, a tab and letters outside ASCII, whole */
    const std::string typed = "Read this first.\r\nTab\there \xA9 Quorvel\r\n\xE9t\xE9 2026";
    const std::string escaped = "Read this first.\\nTab\\#9here \\#169 Quorvel\\n\\#233t\\#233 2026";
    SetText(w, NOTICECAPTION, "Licence");
    SetText(w, NOTICETEXT, typed);
    Snap("wizard-splash-page-12");
    ASSERT_TRUE(GoTo(w, 11, 12));
    Click(w, SAVEINF);
    ASSERT_TRUE(WaitFor([&] { return CanClick(w, VIEWINF); }));
    zv::AUTORUNINF fromInf = {}, fromDat = {};
    ASSERT_TRUE(zv::ReadAutoRunInf(inf.c_str(), &fromInf, 1));
    ASSERT_TRUE(fromInf.pstrLNText != NULL);
    EXPECT_EQ(std::string(fromInf.pstrLNText), escaped);
    EXPECT_STREQ(fromInf.strLNCaption, "Licence");
    EXPECT_GE(fromInf.uLNTextLen, typed.size());
    Click(w, SAVEDAT);
    ASSERT_TRUE(AnswerFileDialog(w, "Create Zorvan Data File", dat));
    ASSERT_TRUE(WaitFor([&] { return zv::ReadZorvanDat(dat.c_str(), &fromDat) != 0; }));
    ASSERT_TRUE(fromDat.pstrLNText != NULL);
    EXPECT_EQ(std::string(fromDat.pstrLNText), escaped);

    /* back on the page: the text shows escaped, in text mode */
    ASSERT_TRUE(GoTo(w, 12, 11));
    EXPECT_TRUE(Checked(w, SHOWNOTICE));
    EXPECT_FALSE(Checked(w, SHOWFILE));
    EXPECT_EQ(Text(w, NOTICETEXT), escaped);
    EXPECT_TRUE(Shown(w, NOTICETEXT) && !Shown(w, LICENSEFILE) && !Shown(w, SIMPLEACCEPT));
    EXPECT_FALSE(Enabled(w, LICENSEBROWSE));

    /* a licence file from another folder, taken as picked */
    Toggle(w, SHOWFILE);
    EXPECT_TRUE(Enabled(w, LICENSEBROWSE) && Shown(w, LICENSEFILE) && Shown(w, SIMPLEACCEPT));
    EXPECT_FALSE(Shown(w, NOTICETEXT));
    zvtest::PressButton(Page(w), LICENSEBROWSE);   /* the frame's 1001 is Save... */
    ASSERT_TRUE(AnswerFileDialog(w, "Locate License Text", other + "\\licence.rtf"));
    EXPECT_TRUE(WaitFor([&] { return Text(w, LICENSEFILE) == other + "\\licence.rtf"; })) << Text(w, LICENSEFILE);
    Toggle(w, SIMPLEACCEPT);

    /* the other pages' relative names still find their files */
    ASSERT_TRUE(GoTo(w, 11, 10));
    EXPECT_EQ(Text(w, MUSICFILE), "tune.wav");
    EXPECT_TRUE(Enabled(w, PLAY));
    ASSERT_TRUE(GoTo(w, 10, 7));
    EXPECT_EQ(Text(w, SPLASHFILE), "pic.bmp");
    ASSERT_TRUE(GoTo(w, 7, 11));
    EXPECT_TRUE(Checked(w, SHOWFILE) && Checked(w, SIMPLEACCEPT));
    ASSERT_TRUE(GoTo(w, 11, 12));
    Click(w, SAVEINF);
    EXPECT_NE(AnswerBox(w, IDNO).find("'EULA' contains an absolute directory name"), std::string::npos)
        << "the writer asks; the author keeps the path";
    ASSERT_TRUE(WaitFor([&] { return CanClick(w, VIEWINF); }));
    EXPECT_EQ(InfValue(inf, "EULA"), other + "\\licence.rtf");
    EXPECT_EQ(InfValue(inf, "SIMPLEACCEPT"), "-1");
    EXPECT_EQ(InfValue(inf, "LEGALNOTICETEXT"), "");
    EXPECT_EQ(InfValue(inf, "MUSIC"), "tune.wav");
    EXPECT_EQ(InfValue(inf, "SPLASH"), "pic.bmp");

    /* turned off: cleared, and the saved project stays unchanged */
    ASSERT_TRUE(GoTo(w, 12, 11));
    EXPECT_TRUE(Checked(w, SHOWFILE) && Shown(w, LICENSEFILE) && !Shown(w, NOTICETEXT));
    Toggle(w, SHOWNOTICE);
    EXPECT_FALSE(Enabled(w, LICENSEBROWSE));
    ASSERT_TRUE(GoTo(w, 11, 12));
    EXPECT_FALSE(CanClick(w, SAVEDOTS)) << "turning the notice off marks nothing changed";
    Click(w, SAVEINF);
    ASSERT_TRUE(WaitFor([&] { return InfValue(inf, "EULA").empty(); }));
    EXPECT_EQ(InfValue(inf, "LEGALNOTICECAPTION"), "");
    EXPECT_EQ(InfValue(inf, "LEGALNOTICETEXT"), "");
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}
