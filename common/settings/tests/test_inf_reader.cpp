/*
 * AUTORUN.INF reader: real files in scratch folders, read through the
 * platform's profile functions, boxes recorded, time of day chosen.
 */
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "settings.h"
#include "zvtest.h"

namespace zv {

namespace {

struct SEENBOX {
    std::string text, caption;
};
std::vector<SEENBOX> seenBoxes;

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    seenBoxes.push_back({ text ? text : "", caption ? caption : "" });
    return IDOK;
}

SYSTEMTIME clockNow;
void WINAPI ChosenTime(LPSYSTEMTIME st) { *st = clockNow; }

std::string Scramble(const std::string &plain, bool lowerDigits = false)
{
    std::string out = "%%";
    for (size_t i = 0; i < plain.size(); i++) {
        unsigned b = (unsigned char)plain[i] ^ (unsigned char)szScrambleKey[i % 59];
        char hex[3];
        snprintf(hex, sizeof hex, lowerDigits ? "%02x" : "%02X", b ? b : 0x80u);
        out += hex;
    }
    return out;
}

std::string Lower(std::string s)
{
    for (char &c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

std::string LongPath(const std::string &p)
{
    char buf[MAX_PATH * 2];
    DWORD n = GetLongPathNameA(p.c_str(), buf, sizeof buf);
    return Lower(n && n < sizeof buf ? std::string(buf) : p);
}

class InfReader : public ::testing::Test {
protected:
    std::string dir, oldCwd;
    AUTORUNINF ari{};
    int files = 0;

    void SetUp() override
    {
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        oldCwd = cwd;
        dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetCurrentDirectoryA(dir.c_str());
        seenBoxes.clear();
        pfnMessageBoxA = RecordBox;
        pfnGetLocalTime = ChosenTime;
    }
    void TearDown() override
    {
        FreeCommandLine(aclp);
        pfnMessageBoxA = MessageBoxA;
        pfnGetLocalTime = GetLocalTime;
        SetCurrentDirectoryA(oldCwd.c_str());
        zvtest::RemoveTree(dir);
    }

    std::string Write(const std::string &name, const std::string &text)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, text));
        return path;
    }

    /* a fresh record and a file name of its own, so no profile cache can
     * hand back an earlier file */
    int Read(const std::string &text, int skipAutoRun = 1)
    {
        memset(&ari, 0, sizeof ari);
        return ReadInto(text, skipAutoRun);
    }
    int ReadInto(const std::string &text, int skipAutoRun = 1)
    {
        std::string path = Write("SET" + std::to_string(++files) + ".INF", text);
        return ReadAutoRunInf(path.c_str(), &ari, skipAutoRun);
    }
};

bool Runtime() { return zvFlavor.fExpandEnvironment != 0; }

} // namespace

TEST_F(InfReader, DefaultsAndTheAutoRunPart)
{
    ari.uMusicLen = 77;
    ari.uContentFlags = 0xF0;
    EXPECT_EQ(1, ReadInto("[AutoRun]\r\nLABEL=Disc\r\nicon=app.ico\r\n", 0));
    EXPECT_STREQ("ZORVAN.EXE", ari.strOpen);
    EXPECT_STREQ("app.ico", ari.strIcon);
    EXPECT_EQ(0, ari.uIcon);
    EXPECT_TRUE(ari.flgDirFix && ari.flgTopMost && !ari.flgTimeOption);
    EXPECT_EQ(5u, ari.uSplashLen);
    EXPECT_EQ(77u, ari.uMusicLen);
    EXPECT_EQ(1, ari.uWindowMode);
    EXPECT_STREQ("Zorvan", ari.strCDTitle);
    EXPECT_STREQ("Zorvan", ari.strLNCaption);
    EXPECT_EQ(512u, ari.uLNTextLen);
    ASSERT_NE(nullptr, ari.pstrLNText);
    EXPECT_STREQ("", ari.pstrLNText);
    /* the built-in notice, decoded: its copyright sign and its line break */
    EXPECT_NE(nullptr, strchr(ari.strCopyright, '\xA9'));
    EXPECT_NE(nullptr, strchr(ari.strCopyright, '\n'));
    EXPECT_EQ(Runtime() ? 0xF0u : 0u, ari.uContentFlags);

    Read("[autorun]\r\nopen=o.exe\r\nshellexecute=s.exe --x\r\nicon=app.exe,2\r\naction=Start it\r\n"
         "shell=install\r\nshell\\install=&Install\r\nshell\\install\\command=setup.exe /q\r\n"
         "[Content]\r\nMusicFiles=Yes\r\nPictureFiles=0\r\nVideoFiles=1\r\n", 0);
    EXPECT_STREQ("s.exe --x", ari.strOpen);
    EXPECT_STREQ("app.exe", ari.strIcon);
    EXPECT_EQ(2, ari.uIcon);
    EXPECT_STREQ("Start it", ari.strAction);
    EXPECT_STREQ(Runtime() ? "(none)" : "install=&Install=setup.exe /q",
                 ari.pstrShellVerb ? ari.pstrShellVerb : "(none)");
    EXPECT_EQ(Runtime() ? 0u : (DWORD)(CONTENT_MUSIC | CONTENT_VIDEO), ari.uContentFlags);

    Read("[AUTORUN]\r\nOPEN=o.exe\r\n[CONTENT]\r\nMusicFiles=true\r\nPictureFiles=No\r\nVideoFiles=\r\n", 0);
    EXPECT_STREQ("o.exe", ari.strOpen);
    EXPECT_EQ(Runtime() ? 0u : (DWORD)CONTENT_MUSIC, ari.uContentFlags);
    EXPECT_TRUE(seenBoxes.empty());
}

TEST_F(InfReader, NumbersFlagsAndFieldWidths)
{
    strcpy_s(ari.strLabel, sizeof ari.strLabel, "old");
    ReadInto("[AutoRun]\r\nLabel=" + std::string(64, 'L') + "\r\n[Zorvan Data]\r\nDirFix=2\r\nTopMost=-1\r\n"
             "BrowseLocalFile=4294967295\r\nWindowMode=maximized\r\nMusic=m.mid\r\nMusicLen=12\r\n", 0);
    EXPECT_STREQ("old", ari.strLabel);
    EXPECT_EQ(0, ari.flgDirFix);
    EXPECT_EQ(-1, ari.flgTopMost);
    EXPECT_EQ(-1, ari.flgBrowseLocalFile);
    EXPECT_EQ(3, ari.uWindowMode);
    EXPECT_EQ(12u, ari.uMusicLen);

    ReadInto("[AutoRun]\r\nLabel=" + std::string(63, 'M') + "\r\n[Zorvan Data]\r\nWindowMode=Minimize\r\n", 0);
    EXPECT_EQ(63u, strlen(ari.strLabel));
    EXPECT_EQ(2, ari.uWindowMode);
    ReadInto("[Zorvan Data]\r\nWindowMode=Hidden\r\n");
    EXPECT_EQ(1, ari.uWindowMode);
}

TEST_F(InfReader, SplashBlock)
{
    Read("[Zorvan Data]\r\nSplash=(none)\r\nImageWidth=300\r\nSplashMode=2\r\nSplashLen=9\r\nPauseLen=3\r\n");
    EXPECT_EQ(-1, ari.flgHideSplash);
    EXPECT_STREQ("", ari.strSplash);
    EXPECT_EQ(0, ari.uImageWidth);
    EXPECT_EQ(2u, ari.uSplashMode);
    EXPECT_EQ(0u, ari.uSplashLen + ari.uPauseLen);

    Read("[Zorvan Data]\r\nHideSplash=1\r\nSplash=a.jpg\r\nSplashMode=2\r\n");
    EXPECT_STREQ("", ari.strSplash);
    EXPECT_EQ(0u, ari.uSplashMode);

    const char *percents[][2] = { { "250", "100" }, { "-5", "100" }, { "40", "40" } };
    for (auto &p : percents) {
        Read(std::string("[Zorvan Data]\r\nSplash=a.png\r\nOffsetAngle=-45\r\nOffsetPercent=") + p[0] + "\r\n");
        EXPECT_EQ(strtoul(p[1], NULL, 10), ari.uOffsetPercent) << p[0];
        EXPECT_EQ(-45, ari.nOffsetAngle);
        EXPECT_EQ(5u, ari.uSplashLen);
    }
}

TEST_F(InfReader, LegalNoticePieces)
{
    Read("[Zorvan Data]\r\nLegalNoticeText=Part one \\\r\n_LegalNoticeText1=and two\r\n");
    EXPECT_STREQ("Part one and two", ari.pstrLNText);

    Read("[Zorvan Data]\r\nLegalNoticeTextLen=10\r\nLegalNoticeText=12345\\\r\n_LegalNoticeText1=67890\\\r\n"
         "_LegalNoticeText2=X\r\n");
    EXPECT_STREQ("1234567890", ari.pstrLNText);

    Read("[Zorvan Data]\r\nLegalNoticeText=abc\\\r\n");
    EXPECT_STREQ("abc", ari.pstrLNText);

    Read("[Zorvan Data]\r\nCDTitle=T\r\nLegalNoticeTextLen=0\r\nLegalNoticeText=abc\r\n");
    EXPECT_EQ(nullptr, ari.pstrLNText);
    EXPECT_STREQ("", ari.strLNCaption);

    const char *big[] = { "20000", "-1" };
    for (const char *len : big) {
        Read(std::string("[Zorvan Data]\r\nLegalNoticeTextLen=") + len + "\r\nLegalNoticeText=x\r\n");
        EXPECT_EQ(16380u, ari.uLNTextLen) << len;
        EXPECT_STREQ("x", ari.pstrLNText);
    }

    Read("[Zorvan Data]\r\nSimpleAccept=1\r\n");
    EXPECT_EQ(0, ari.flgSimpleAccept);
    Read("[Zorvan Data]\r\nEULA=eula.rtf\r\nSimpleAccept=1\r\nLegalNoticeText=abc\r\nLegalNoticeCaption=Terms\r\n");
    EXPECT_EQ(nullptr, ari.pstrLNText);
    EXPECT_EQ(0u, ari.uLNTextLen);
    EXPECT_EQ(-1, ari.flgSimpleAccept);
    EXPECT_STREQ("Terms", ari.strLNCaption);
}

TEST_F(InfReader, ScrambledValues)
{
    /* position 3 holds the key's own character; position 5 the key's with
     * its top bit flipped, which cannot survive */
    std::string plain = "C:\\b\\x";
    plain[3] = szScrambleKey[3];
    plain[5] = (char)(szScrambleKey[5] ^ 0x80);
    std::string back = plain;
    back[5] = szScrambleKey[5];

    Read("[Zorvan Data]\r\nDocument=" + Scramble(plain) + "\r\nViewer=" + Scramble("view.exe %1", true) +
         "\r\nLegalNoticeText=" + Scramble("Notice") + "\r\n");
    EXPECT_EQ(back, std::string(ari.strDocument));
    EXPECT_STREQ("view.exe %1", ari.strViewer);
    EXPECT_STREQ("Notice", ari.pstrLNText);

    /* an odd last digit is dropped; a decoded text too long for its field
     * leaves the field alone */
    strcpy_s(ari.strCDTitle, sizeof ari.strCDTitle, "kept");
    ReadInto("[Zorvan Data]\r\nDocument=" + Scramble("abc") + "7\r\nCDTitle=" + Scramble(std::string(100, 't')) +
             "\r\n");
    EXPECT_STREQ("abc", ari.strDocument);
    EXPECT_STREQ("kept", ari.strCDTitle);
}

TEST_F(InfReader, TimeSections)
{
    std::string name70 = "0000-2400" + std::string(61, 'x');
    std::string inf = "[Zorvan Data]\r\nTimeOption=1\r\nDocument=all.pdf\r\nSplashLen=3\r\nCopyright=Main\r\n"
                      "[0800-]\r\nDocument=bad1\r\n[-1200]\r\nDocument=bad2\r\n[" + name70 + "]\r\nDocument=bad3\r\n"
                      "[0800-1200]\r\nDocument=morning.pdf\r\nSplashLen=9\r\nCopyright=Not here\r\nDirFix=0\r\n"
                      "[1200-1800]\r\nDocument=afternoon.pdf\r\n[2200-0600]\r\nDocument=night.pdf\r\n";
    struct {
        WORD hour, minute;
        const char *doc;
        unsigned splashLen;
    } cases[] = { { 9, 30, "morning.pdf", 9 }, { 12, 0, "afternoon.pdf", 5 }, { 20, 0, "all.pdf", 3 },
                  { 23, 0, "all.pdf", 3 } };
    for (auto &c : cases) {
        clockNow.wHour = c.hour;
        clockNow.wMinute = c.minute;
        EXPECT_EQ(1, Read(inf));
        EXPECT_STREQ(c.doc, ari.strDocument) << c.hour;
        EXPECT_EQ(c.splashLen, ari.uSplashLen) << c.hour;
        EXPECT_STREQ("Main", ari.strCopyright);
        EXPECT_EQ(-1, ari.flgDirFix);
    }

    clockNow.wHour = 9;
    Read("[Zorvan Data]\r\nDocument=all.pdf\r\n[0800-1200]\r\nDocument=morning.pdf\r\n");
    EXPECT_STREQ("all.pdf", ari.strDocument);
}

TEST_F(InfReader, EnvironmentVariables)
{
    SetEnvironmentVariableA("ZVTESTDIR", "C:\\media");
    SetEnvironmentVariableA("ZVTESTLONG", std::string(100, 'v').c_str());
    Read("[Zorvan Data]\r\nCDTitle=%ZVTESTLONG%\r\nDocument=%ZVTESTDIR%\\doc.pdf\r\nDefaultAction=%ZVTESTDIR%\r\n"
         "LegalNoticeText=at %ZVTESTDIR%\r\n");
    if (Runtime()) {
        EXPECT_STREQ("C:\\media\\doc.pdf", ari.strDocument);
        EXPECT_STREQ("", ari.strCDTitle);
    } else {
        EXPECT_STREQ("%ZVTESTDIR%\\doc.pdf", ari.strDocument);
        EXPECT_STREQ("%ZVTESTLONG%", ari.strCDTitle);
    }
    EXPECT_STREQ("%ZVTESTDIR%", ari.strDefaultAction);
    EXPECT_STREQ("at C:\\media", ari.pstrLNText);
}

TEST_F(InfReader, OpenLineIsFollowed)
{
    Write("DISC.DAT", "A:dat.pdf\n");
    Write("OTHER.INF", "[AutoRun]\r\nOPEN=ZORVAN.EXE --dat DISC.DAT\r\n[Zorvan Data]\r\nDocument=other.pdf\r\n");
    const std::string data = "[Zorvan Data]\r\nDocument=inf.pdf\r\n";

    EXPECT_EQ(1, Read("[AutoRun]\r\nOPEN=ZORVAN.EXE --dat DISC.DAT\r\n" + data, 0));
    EXPECT_STREQ("dat.pdf", ari.strDocument);
    ASSERT_NE(nullptr, ari.pstrDatFile);
    EXPECT_STREQ("DISC.DAT", ari.pstrDatFile);
    EXPECT_STREQ("Normal", ari.strWinMode);

    EXPECT_EQ(0, Read("[AutoRun]\r\nOPEN=ZORVAN.EXE --dat NONE.DAT\r\n" + data, 0));
    EXPECT_STREQ("", ari.strDocument);

    EXPECT_EQ(1, Read("[AutoRun]\r\nOPEN=ZORVAN.EXE --dat DISC.DAT --inf OTHER.INF\r\n" + data, 0));
    EXPECT_STREQ("other.pdf", ari.strDocument);
    EXPECT_EQ(nullptr, ari.pstrDatFile);
    EXPECT_EQ(LongPath(dir + "\\OTHER.INF"), LongPath(ari.strInfFile));
    for (auto &o : aclp)
        EXPECT_EQ(0, o.flgPresent);
    EXPECT_TRUE(seenBoxes.empty());
}

/* The runtime reads [AutoRun] only under --test, while its own options are
 * still in the table: only what OPEN says may be followed. */
TEST_F(InfReader, RuntimeOptionsAreNotTakenForOpenOptions)
{
    Write("DISC.DAT", "A:dat.pdf\n");
    ParseCommandLine(&ari, "--test --dat MISSING.DAT --log x.log", 0);
    EXPECT_EQ(0, ReadZorvanDat(aclp[CLO_DAT].value.psz, &ari));

    EXPECT_EQ(1, ReadInto("[AutoRun]\r\nOPEN=ZORVAN.EXE\r\n[Zorvan Data]\r\nDocument=inf.pdf\r\n", 0));
    EXPECT_STREQ("inf.pdf", ari.strDocument);
    EXPECT_EQ(nullptr, ari.pstrDatFile);

    EXPECT_EQ(1, ReadInto("[AutoRun]\r\nOPEN=ZORVAN.EXE --dat DISC.DAT\r\n", 0));
    EXPECT_STREQ("dat.pdf", ari.strDocument);

    /* the runtime's own values survive for its own free */
    EXPECT_EQ(1, aclp[CLO_TEST].flgPresent);
    ASSERT_EQ(1, aclp[CLO_DAT].flgPresent);
    EXPECT_STREQ("MISSING.DAT", aclp[CLO_DAT].value.psz);
    EXPECT_STREQ("x.log", aclp[CLO_LOG].value.psz);
}

TEST_F(InfReader, RelativePathsAreTakenFromTheCurrentFolder)
{
    CreateDirectoryA((dir + "\\sub").c_str(), NULL);
    Write("sub\\SET.INF", "[Zorvan Data]\r\nDocument=rel.pdf\r\n");
    Write("AUTORUN.INF", "[Zorvan Data]\r\nDocument=bare.pdf\r\n");

    EXPECT_EQ(1, ReadAutoRunInf("sub\\SET.INF", &ari, 1));
    EXPECT_STREQ("rel.pdf", ari.strDocument);
    EXPECT_EQ(LongPath(dir + "\\sub\\SET.INF"), LongPath(ari.strInfFile));

    /* the utility hands the record's own field in */
    strcpy_s(ari.strInfFile, sizeof ari.strInfFile, "AUTORUN.INF");
    EXPECT_EQ(1, ReadAutoRunInf(ari.strInfFile, &ari, 0));
    EXPECT_STREQ("bare.pdf", ari.strDocument);
    EXPECT_EQ(LongPath(dir + "\\AUTORUN.INF"), LongPath(ari.strInfFile));
}

TEST_F(InfReader, MissingFileIsReportedWithTheDefaultPath)
{
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    std::string expected = Runtime() ? zvtest::BinPath("AUTORUN.INF") : std::string(cwd) + "\\AUTORUN.INF";
    if (zvtest::PathExists(expected))
        GTEST_SKIP() << expected << " exists";

    EXPECT_EQ(0, ReadAutoRunInf("NOPE.INF", &ari, 1));
    EXPECT_EQ(expected, std::string(ari.strInfFile));
    ASSERT_EQ(1u, seenBoxes.size());
    std::string lead = Runtime() ? "Error reading " + expected + ":\n\n"
                                 : "The specified file was not found: " + expected + "\n\n";
    EXPECT_EQ(lead, seenBoxes[0].text.substr(0, lead.size()));
    EXPECT_GT(seenBoxes[0].text.size(), lead.size()); /* the system's text */
    EXPECT_STREQ(zvFlavor.pszCaption, seenBoxes[0].caption.c_str());

    /* with a log, a line instead of a box */
    seenBoxes.clear();
    std::string log = dir + "\\run.log";
    ASSERT_NE(nullptr, OpenLogFile(&ari, log.c_str()));
    EXPECT_EQ(0, ReadAutoRunInf(NULL, &ari, 1));
    CloseLogFile(&ari);
    EXPECT_TRUE(seenBoxes.empty());
    std::vector<std::string> lines = zvtest::ReadLines(log);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ("Reading '" + expected + "'...", lines[1].substr(26));
    EXPECT_EQ(lead.substr(0, lead.size() - 2), lines[2].substr(26));
}

TEST_F(InfReader, MalformedFilesAreReadWithoutHarm)
{
    std::string garbage;
    for (int i = 0; i < 20000; i++)
        garbage += (char)((i * 7919) % 256);
    /* more names than the name buffer holds; none is a time of day */
    std::string sections;
    for (int i = 0; i < 300; i++)
        sections += "[" + std::to_string(3000 + i) + "-" + std::string(i % 90, '1') + "]\r\nx=1\r\n";
    clockNow.wHour = 10;

    EXPECT_EQ(1, Read("[Zorvan Data]\r\nTimeOption=1\r\nMusic=m.mid\r\nDocument=" + std::string(100000, 'd') +
                      "\r\nViewer=%%" + std::string(5001, 'F') + "\r\nLegalNoticeText=" + std::string(3000, '\\') +
                      "\r\n" + sections + garbage, 0));
    EXPECT_EQ(511u, strlen(ari.strDocument));
    EXPECT_STREQ("m.mid", ari.strMusic);
    ASSERT_NE(nullptr, ari.pstrLNText);
    EXPECT_LE(strlen(ari.pstrLNText), 512u);
}

} // namespace zv
