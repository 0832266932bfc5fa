/*
 * writertest.cpp - records, folders and box answers for the writer's tests.
 */
#include "writertest.h"

#include <zlib.h>

namespace zv {

std::vector<SEENBOX> WriterTest::boxes;
std::deque<int> WriterTest::answers;

int WINAPI WriterTest::RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    boxes.push_back({ text ? text : "", caption ? caption : "", type });
    if ((type & MB_TYPEMASK) != MB_YESNO)
        return IDOK;
    int reply = IDNO;
    if (!answers.empty()) {
        reply = answers.front();
        answers.pop_front();
    }
    return reply;
}

void WriterTest::SetUp()
{
    boxes.clear();
    answers.clear();
    savedBox = pfnMessageBoxA;
    pfnMessageBoxA = RecordBox;
    dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

void WriterTest::TearDown()
{
    pfnMessageBoxA = savedBox;
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    if (_stricmp(cwd, dir.c_str()) == 0)
        SetCurrentDirectoryA("\\");
    zvtest::RemoveTree(dir);
}

void NewProject(AUTORUNINF *ari, const std::string &folder)
{
    memset(ari, 0, sizeof *ari);
    ari->flgDirFix = -1;
    strcpy_s(ari->strInfFile, sizeof ari->strInfFile, (folder + "\\AUTORUN.INF").c_str());
    strcpy_s(ari->strOpen, sizeof ari->strOpen, "ZORVAN.EXE");
}

void FullProject(AUTORUNINF *ari, const std::string &folder)
{
    NewProject(ari, folder);
    strcpy_s(ari->strIcon, sizeof ari->strIcon, "ZORVAN.EXE");
    ari->uIcon = 1;
    strcpy_s(ari->strLabel, sizeof ari->strLabel, "MY DISC");
    strcpy_s(ari->strAction, sizeof ari->strAction, "Start My Disc");
    ari->uContentFlags = CONTENT_MUSIC | CONTENT_VIDEO;
    ari->pstrShellVerb = _strdup("readme=Read &Me=NOTEPAD.EXE README.TXT");
    strcpy_s(ari->strDocument, sizeof ari->strDocument, "START.HTM");
    strcpy_s(ari->strViewer, sizeof ari->strViewer, "VIEWER.EXE %DOCUMENT%");
    strcpy_s(ari->strWinMode, sizeof ari->strWinMode, "Maximize");
    strcpy_s(ari->strDefaultAction, sizeof ari->strDefaultAction, "ECHO Please open START.HTM yourself.");
    ari->flgForceViewer = -1;
    ari->flgTopMost = -1;
    ari->flgAlternateSplash = -1;
    ari->flgBrowseLocalFile = -1;
    ari->flgSimpleAccept = -1;
    strcpy_s(ari->strCopyright, sizeof ari->strCopyright, "\xA9 2024 Example Press\r\nAll rights reserved.");
    strcpy_s(ari->strCDTitle, sizeof ari->strCDTitle, "My Disc");
    strcpy_s(ari->strSplash, sizeof ari->strSplash, "SPLASH.JPG");
    ari->uSplashLen = 6;
    ari->uPauseLen = 2;
    strcpy_s(ari->strMusic, sizeof ari->strMusic, "INTRO.WAV");
    ari->uMusicLen = 8;
    ari->uImageWidth = 640;
    ari->uImageHeight = 480;
    ari->nOffsetAngle = -30;
    ari->uOffsetPercent = 25;
    ari->uSplashMode = 1;
    strcpy_s(ari->strLNCaption, sizeof ari->strLNCaption, "Notice");
    ari->pstrLNText = _strdup("Read this first.\\nThen press OK.");
    ari->uLNTextLen = 30;
    strcpy_s(ari->strEULA, sizeof ari->strEULA, "LICENSE.RTF");
}

void OpenExisting(AUTORUNINF *ari)
{
    memset(ari, 0, sizeof *ari);
    strcpy_s(ari->strInfFile, sizeof ari->strInfFile, "AUTORUN.INF");
    strcpy_s(ari->strOpen, sizeof ari->strOpen, "ZORVAN.EXE");
}

std::vector<std::string> DatLines(const std::string &path)
{
    std::vector<std::string> lines;
    gzFile gz = gzopen(path.c_str(), "rb");
    if (!gz)
        return lines;
    std::string all;
    char buf[4096];
    int n;
    while ((n = gzread(gz, buf, sizeof buf)) > 0)
        all.append(buf, (size_t)n);
    gzclose(gz);
    size_t start = 0, lf;
    while ((lf = all.find('\n', start)) != std::string::npos) {
        lines.push_back(all.substr(start, lf - start));
        start = lf + 1;
    }
    if (start < all.size())
        lines.push_back(all.substr(start));
    return lines;
}

static std::string Text(const char *s) { return s ? s : "<null>"; }

void ExpectSameData(const AUTORUNINF &saved, const AUTORUNINF &read)
{
    EXPECT_STREQ(saved.strDocument, read.strDocument);
    EXPECT_STREQ(saved.strViewer, read.strViewer);
    EXPECT_STREQ(saved.strDefaultAction, read.strDefaultAction);
    EXPECT_EQ(saved.flgForceViewer, read.flgForceViewer);
    EXPECT_EQ(saved.flgDirFix, read.flgDirFix);
    EXPECT_EQ(saved.flgTopMost, read.flgTopMost);
    EXPECT_EQ(saved.flgHideSplash, read.flgHideSplash);
    EXPECT_EQ(saved.flgAlternateSplash, read.flgAlternateSplash);
    EXPECT_EQ(saved.flgBrowseLocalFile, read.flgBrowseLocalFile);
    EXPECT_STREQ(saved.strCDTitle, read.strCDTitle);
    EXPECT_STREQ(saved.strSplash, read.strSplash);
    EXPECT_EQ(saved.uSplashLen, read.uSplashLen);
    EXPECT_EQ(saved.uPauseLen, read.uPauseLen);
    EXPECT_EQ(saved.uSplashMode, read.uSplashMode);
    EXPECT_STREQ(saved.strMusic, read.strMusic);
    EXPECT_EQ(saved.uMusicLen, read.uMusicLen);
    EXPECT_EQ(saved.uImageWidth, read.uImageWidth);
    EXPECT_EQ(saved.uImageHeight, read.uImageHeight);
    EXPECT_EQ(saved.nOffsetAngle, read.nOffsetAngle);
    EXPECT_EQ(saved.uOffsetPercent, read.uOffsetPercent);
    EXPECT_STREQ(saved.strLNCaption, read.strLNCaption);
    EXPECT_STREQ(saved.strEULA, read.strEULA);
    if (saved.strEULA[0])
        EXPECT_EQ(saved.flgSimpleAccept, read.flgSimpleAccept);
    else
        EXPECT_EQ(Text(saved.pstrLNText), Text(read.pstrLNText));
}

std::string MaskSaveTime(const std::string &text)
{
    const std::string head = "; Generated ", tail = " by ZVConfig";
    size_t at = text.find(head);
    size_t end = at == std::string::npos ? at : text.find(tail, at);
    if (end == std::string::npos || text.find("\r\n", at) < end)
        return text;
    return text.substr(0, at + head.size()) + "<time>" + text.substr(end);
}

} // namespace zv
