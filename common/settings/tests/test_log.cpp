/*
 * The log file: real files in a scratch folder, checked line by line with
 * their timestamps, the banner, failure lines and the settings dump.
 */
#include <gtest/gtest.h>
#include <stdio.h>
#include <time.h>

#include "boxrecorder.h"
#include "zvtest.h"

namespace zv {

class LogFile : public ::testing::Test {
protected:
    void SetUp() override { dir = zvtest::ScratchDir("log"); path = dir + "\\ZORVAN.LOG"; before = time(NULL); }
    void TearDown() override { CloseLogFile(&ari); zvtest::RemoveTree(dir); }

    /* The texts of the log, each checked for its stamp and its CR LF; a text
     * may hold line ends of its own, so a line ends where a stamp follows. */
    std::vector<std::string> Texts()
    {
        std::string b;
        std::vector<std::string> out;
        EXPECT_TRUE(zvtest::ReadFileBytes(path, &b));
        for (size_t pos = 0, end; pos < b.size(); pos = end + 2) {
            EXPECT_TRUE(IsStamp(b.substr(pos, 26))) << b.substr(pos, 26);
            end = b.find("\r\n", pos + 26);
            while (end != std::string::npos && end + 2 < b.size() && !IsStamp(b.substr(end + 2, 26)))
                end = b.find("\r\n", end + 2);
            if (end == std::string::npos) {
                ADD_FAILURE() << "line without CR LF";
                break;
            }
            out.push_back(b.substr(pos + 26, end - pos - 26));
        }
        return out;
    }
    /* the C standard's form: msvcrt's own ctime pads the day with a zero */
    bool IsStamp(const std::string &s)
    {
        static const char days[] = "SunMonTueWedThuFriSat", months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
        for (time_t t = before, after = time(NULL); t <= after; t++) {
            struct tm *lt = localtime(&t);
            char want[64];
            snprintf(want, sizeof want, "%.3s %.3s %2d %02d:%02d:%02d %d: ", days + 3 * lt->tm_wday,
                     months + 3 * lt->tm_mon, lt->tm_mday, lt->tm_hour, lt->tm_min, lt->tm_sec, lt->tm_year + 1900);
            if (s == want)
                return true;
        }
        return false;
    }

    AUTORUNINF ari = {};
    BoxRecorder rec;
    std::string dir, path;
    time_t before;
};

TEST_F(LogFile, OpenEmptiesTheFileAndWritesTheBanner)
{
    ASSERT_TRUE(zvtest::WriteFileBytes(path, "old contents that must go\r\n"));
    HANDLE h = OpenLogFile(&ari, path.c_str());
    ASSERT_NE((HANDLE)NULL, h);
    EXPECT_EQ(h, ari.hLogFile);
    EXPECT_EQ(path, ari.strLogFile);
    EXPECT_EQ(-1, ari.flgLogging);
    CloseLogFile(&ari);
    EXPECT_EQ((HANDLE)NULL, ari.hLogFile);
    EXPECT_EQ(0, ari.flgLogging);
    EXPECT_STREQ("", ari.strLogFile);

    std::vector<std::string> texts = Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(zvFlavor.idFileError == 40012 ? "Zorvan Version 3.2 Build 140" : "ZVConfig Version 3.2 Build 092", texts[0]);
    EXPECT_TRUE(rec.boxes().empty());
}

TEST_F(LogFile, LinesAreCutAndFailuresCarryTheirErrorText)
{
    ASSERT_TRUE(OpenLogFile(&ari, path.c_str()));
    Logf(&ari, "%s", std::string(1500, 'x').c_str());
    Logf(&ari, "%u-%s", 7u, "seven");
    SetLastError(ERROR_FILE_NOT_FOUND);
    Logf(&ari, "about to fail");   /* logging keeps the error for the report */
    LogSysErr(&ari, zvFlavor.idFileError, "X.INF");
    LogSysErr(&ari, 40999, NULL);
    OutputLogString(&ari, "two\nlines");
    CloseLogFile(&ari);

    std::vector<std::string> texts = Texts();
    ASSERT_EQ(7u, texts.size());
    EXPECT_EQ(std::string(1023, 'x'), texts[1]);
    EXPECT_EQ("7-seven", texts[2]);
    EXPECT_EQ(FileErrorLead("X.INF") + SystemText(ERROR_FILE_NOT_FOUND), texts[4]);
    EXPECT_EQ("An unexpected event #40999 has occurred: \n\n" + SystemText(ERROR_FILE_NOT_FOUND), texts[5]);
    EXPECT_EQ("two\nlines", texts[6]);
}

TEST_F(LogFile, AFileThatCannotBeCreatedGivesABoxAndNoLog)
{
    std::string bad = dir + "\\missing\\ZORVAN.LOG";
    EXPECT_EQ((HANDLE)NULL, OpenLogFile(&ari, bad.c_str()));
    EXPECT_EQ((HANDLE)NULL, ari.hLogFile);
    EXPECT_EQ(0, ari.flgLogging);
    ASSERT_EQ(1u, rec.boxes().size());
    EXPECT_EQ(FileErrorLead(bad) + SystemText(ERROR_PATH_NOT_FOUND), rec.boxes()[0].text);
    EXPECT_STREQ(zvFlavor.pszCaption, rec.boxes()[0].caption.c_str());
    EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), rec.boxes()[0].type);
    EXPECT_EQ(GetDesktopWindow(), rec.boxes()[0].owner);

    SetLastError(1234);   /* without a log nothing is written and nothing changes */
    OutputLogString(&ari, "x");
    Logf(&ari, "%s", "x");
    LogSysErr(&ari, zvFlavor.idFileError, "x");
    DumpARI(&ari);
    EXPECT_EQ(1234u, GetLastError());
    EXPECT_EQ(1u, rec.boxes().size());
}

TEST_F(LogFile, DumpWritesEverySettingUnderItsName)
{
    strcpy_s(ari.strOpen, sizeof ari.strOpen, "ZORVAN.EXE --dat \"ZORVAN.DAT\"");
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "index.htm");
    ari.uIcon = 3;
    ari.uContentFlags = CONTENT_MUSIC | CONTENT_VIDEO;
    ari.flgTopMost = -1;
    ari.uImageWidth = -1;
    ari.nOffsetAngle = -45;
    ari.dwSleepTime = 4000000000u;
    ari.uSplashMode = 2;

    ASSERT_TRUE(OpenLogFile(&ari, path.c_str()));
    DumpARI(&ari);
    strcpy_s(ari.strEULA, sizeof ari.strEULA, "EULA.RTF");
    ari.flgSimpleAccept = -1;
    DumpARI(&ari);
    CloseLogFile(&ari);

    const char *lines[] = {
        "Dumping contents of AUTORUN.INF:", "[AUTORUN] Section", "    strOpen='ZORVAN.EXE --dat \"ZORVAN.DAT\"'",
        "    strLabel=''", "    strIcon=''", "    uIcon='3'", "    strAction=''", "    Content:Music=TRUE",
        "    Content:Picture=FALSE", "    Content:Video=TRUE", "[ZORVAN DATA] Section",
        "    strDocument='index.htm'", "    strViewer=''", "    flgForceViewer='0' (FALSE)", "    uWindowMode='0'",
        "    strDefaultAction=''", "    flgDirFix='0' (FALSE)", "    flgTopMost='4294967295' (TRUE)",
        "    flgTimeOption='0' (FALSE)", "    strCopyright=''", "    strCDTitle=''", "    flgHideSplash='0' (FALSE)",
        "    flgAlternateSplash='0' (FALSE)", "    flgBrowseLocalFile='0' (FALSE)", "    strSplash=''",
        "    uSplashLen='0'", "    uPauseLen='0'", "    strMusic=''", "    uMusicLen='0'",
        "    uImageWidth='4294967295'", "    uImageHeight='0'", "    nOffsetAngle='4294967251'",
        "    uOffsetPercent='0'", "    strLNCaption=''", "    pstrLNText='(null)'", "    uLNTextLen='0'",
        "    dwSplashTime='0'", "    dwPauseTime='0'", "    dwSleepTime='4000000000'", "    uSplashMode='2'",
    };
    std::vector<std::string> texts = Texts();
    ASSERT_EQ(81u, texts.size());
    for (size_t i = 0; i < 40; i++) {
        EXPECT_EQ(lines[i], texts[1 + i]) << i;
        if (i != 34 && i != 35) {
            EXPECT_EQ(lines[i], texts[41 + i]) << i;
        }
    }
    EXPECT_EQ("    strEULA='EULA.RTF'", texts[75]);
    EXPECT_EQ("    flgSimpleAccept='4294967295' (TRUE)", texts[76]);
}

} // namespace zv
