/*
 * test_sound_notice_pages.cpp - the sound page with its preview and the
 * legal-notice page of ZVConfig.exe, down to the files they save.  No
 * sound device here: the preview's states are tested, not its sound.
 */
#include <gtest/gtest.h>

#include "pagecontrols.h"
#include "settings.h"
#include "testmedia.h"
#include "testpictures.h"

using namespace wiztest;

enum {
    PLAYSOUND = 1038, MUSICFILE = 1011, MUSICLENGTH = 1012, BROWSE = 1001, PLAY = 1117, STOP = 1418,
    SHOWNOTICE = 1050, CAPTION = 1051, SHOWFILE = 1002, LICENSEFILE = 1095, SIMPLEACCEPT = 1090, NOTICETEXT = 1052,
    SPLASHFILE = 1009, CUSTOMSPLASH = 1018
};

TEST(WizardSoundNoticePages, MusicPreviewAndLength)
{
    std::string tool = ToolFolder("sound-tool"), proj = DiscFolder("sound-proj");
    std::string inf = proj + "\\AUTORUN.INF";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\tune.wav", zvtest::WaveBytes(20000)));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));
    ASSERT_TRUE(GoTo(w, 1, 10));

    EXPECT_FALSE(Checked(w, PLAYSOUND));
    EXPECT_EQ(States(w, { MUSICFILE, MUSICLENGTH, BROWSE, PLAY, STOP }), "00000");
    Toggle(w, PLAYSOUND);
    EXPECT_EQ(States(w, { MUSICFILE, MUSICLENGTH, BROWSE, PLAY, STOP }), "11100") << "no music named";
    /* a name is looked for when Play Sound is clicked */
    for (auto c : { std::make_pair("missing.wav", "00"), std::make_pair("tune.wav", "11") }) {
        SetText(w, MUSICFILE, c.first);
        Toggle(w, PLAYSOUND);
        Toggle(w, PLAYSOUND);
        EXPECT_EQ(States(w, { PLAY, STOP }), c.second) << c.first;
    }

    /* a wave plays until Stop, which offers Play again */
    Press(w, PLAY);
    EXPECT_EQ(States(w, { PLAY, STOP }), "01");
    Snap("wizard-splash-page-11");
    Press(w, STOP);
    EXPECT_EQ(States(w, { PLAY, STOP }), "11");
    /* leaving the page stops it: back on the page, Play starts anew */
    Press(w, PLAY);
    ASSERT_TRUE(GoTo(w, 10, 11) && GoTo(w, 11, 10));
    Press(w, PLAY);
    EXPECT_EQ(States(w, { PLAY, STOP }), "01") << "the preview was stopped with its page";
    Press(w, STOP);

    SetText(w, MUSICLENGTH, "0");
    ASSERT_TRUE(GoTo(w, 10, 11));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValues(inf, { "MUSIC", "MUSICLEN" }), "tune.wav|1") << "a music length of 0 is 1";

    /* off: no music, and it lasts as long as the splash */
    ASSERT_TRUE(GoTo(w, 12, 10));
    Toggle(w, PLAYSOUND);
    ASSERT_TRUE(GoTo(w, 10, 11));
    ASSERT_TRUE(SaveInf(w));
    EXPECT_EQ(InfValues(inf, { "MUSIC", "MUSICLEN" }), "|" + InfValues(inf, { "SPLASHLEN" }));
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}

TEST(WizardSoundNoticePages, NoticeAsTextOrFileReachesBothFilesWhole)
{
    std::string tool = ToolFolder("notice-tool"), proj = DiscFolder("notice-proj");
    std::string other = zvtest::ScratchDir("notice-elsewhere");
    std::string inf = proj + "\\AUTORUN.INF", dat = proj + "\\ZORVAN.DAT", licence = other + "\\licence.rtf";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\tune.wav", zvtest::WaveBytes(500)));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\pic.bmp", zvtest::BmpBytes(4, 4, 0x808080)));
    ASSERT_TRUE(zvtest::WriteFileBytes(licence, "{\\rtf1 Licence}"));
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));
    ASSERT_TRUE(CreateProject(w, inf));

    /* relative splash and music names, kept whatever folder the licence comes from */
    ASSERT_TRUE(GoTo(w, 1, 7));
    Toggle(w, CUSTOMSPLASH);
    SetText(w, SPLASHFILE, "pic.bmp");
    ASSERT_TRUE(GoTo(w, 7, 10));
    Toggle(w, PLAYSOUND);
    SetText(w, MUSICFILE, "tune.wav");
    ASSERT_TRUE(GoTo(w, 10, 11));

    /* no notice: everything off, one of the two edits shown */
    EXPECT_FALSE(Checked(w, SHOWNOTICE));
    EXPECT_EQ(States(w, { CAPTION, NOTICETEXT, SHOWFILE, BROWSE, SIMPLEACCEPT }), "00000");
    EXPECT_NE(Shown(w, NOTICETEXT), Shown(w, LICENSEFILE));
    Toggle(w, SHOWNOTICE);
    EXPECT_EQ(States(w, { CAPTION, NOTICETEXT, SHOWFILE, BROWSE }), "1110");

    /* line breaks, a tab and letters outside ASCII, whole in both files */
    const std::string typed = "Read this first.\r\nTab\there \xA9 Quorvel\r\n\xE9t\xE9 2026";
    const std::string escaped = "Read this first.\\nTab\\#9here \\#169 Quorvel\\n\\#233t\\#233 2026";
    SetText(w, CAPTION, "Licence");
    SetText(w, NOTICETEXT, typed);
    Snap("wizard-splash-page-12");
    ASSERT_TRUE(GoTo(w, 11, 12));
    ASSERT_TRUE(SaveInf(w));
    zv::AUTORUNINF fromInf = {}, fromDat = {};
    /* the data part only: the OPEN line would lead the reader elsewhere */
    ASSERT_TRUE(zv::ReadAutoRunInf(inf.c_str(), &fromInf, 1) && fromInf.pstrLNText);
    EXPECT_EQ(std::string(fromInf.pstrLNText), escaped);
    EXPECT_STREQ(fromInf.strLNCaption, "Licence");
    ASSERT_TRUE(SaveDat(w, inf, dat));
    ASSERT_TRUE(zv::ReadZorvanDat(dat.c_str(), &fromDat) && fromDat.pstrLNText);
    EXPECT_EQ(std::string(fromDat.pstrLNText), escaped);

    /* back on the page: text mode, the text escaped */
    ASSERT_TRUE(GoTo(w, 12, 11));
    EXPECT_TRUE(Checked(w, SHOWNOTICE) && !Checked(w, SHOWFILE) && !Enabled(w, BROWSE));
    EXPECT_EQ(Text(w, NOTICETEXT), escaped);
    EXPECT_TRUE(Shown(w, NOTICETEXT) && !Shown(w, LICENSEFILE) && !Shown(w, SIMPLEACCEPT));

    /* a licence file from another folder, taken as picked */
    Toggle(w, SHOWFILE);
    EXPECT_TRUE(Enabled(w, BROWSE) && Shown(w, LICENSEFILE) && Shown(w, SIMPLEACCEPT) && !Shown(w, NOTICETEXT));
    zvtest::PressButton(Page(w), BROWSE);   /* posted to the page: the frame's 1001 is Save... */
    ASSERT_TRUE(AnswerFileDialog(w, "Locate License Text", licence));
    EXPECT_TRUE(zvtest::Eventually([&] { return Text(w, LICENSEFILE) == licence; })) << Text(w, LICENSEFILE);
    Toggle(w, SIMPLEACCEPT);
    ASSERT_TRUE(GoTo(w, 11, 10));
    EXPECT_TRUE(Text(w, MUSICFILE) == "tune.wav" && Enabled(w, PLAY)) << "the music is found where it was";
    ASSERT_TRUE(GoTo(w, 10, 7));
    EXPECT_EQ(Text(w, SPLASHFILE), "pic.bmp");
    ASSERT_TRUE(GoTo(w, 7, 11));
    EXPECT_TRUE(Checked(w, SHOWFILE) && Checked(w, SIMPLEACCEPT) && Shown(w, LICENSEFILE) && !Shown(w, NOTICETEXT));
    ASSERT_TRUE(GoTo(w, 11, 12));
    Click(w, SAVEINF);
    EXPECT_NE(AnswerBox(w, IDNO).find("'EULA' contains an absolute directory name"), std::string::npos)
        << "the writer asks; the author keeps the path";
    ASSERT_TRUE(zvtest::Eventually([&] { return CanClick(w, VIEWINF); }));
    EXPECT_EQ(InfValues(inf, { "EULA", "SIMPLEACCEPT", "LEGALNOTICETEXT", "MUSIC", "SPLASH" }),
              licence + "|-1||tune.wav|pic.bmp");

    /* turned off: cleared, and the saved project stays unchanged */
    ASSERT_TRUE(GoTo(w, 12, 11));
    Toggle(w, SHOWNOTICE);
    ASSERT_TRUE(GoTo(w, 11, 12));
    EXPECT_FALSE(CanClick(w, SAVEDOTS)) << "turning the notice off marks nothing changed";
    Click(w, SAVEINF);
    ASSERT_TRUE(zvtest::Eventually([&] { return CanClick(w, VIEWINF); }));
    EXPECT_EQ(InfValues(inf, { "EULA", "LEGALNOTICECAPTION", "LEGALNOTICETEXT" }), "||");
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}
