/*
 * test_music.cpp - the music and video commands: their exact texts and
 * order through a recorder in place of MCI, the log lines beside them, and
 * Wine's real devices for what they can show (a wave that opens, an AVI
 * that draws into its window and, told to wait, holds the caller), and
 * damaged MIDI and AVI files that never reach them while whole ones do.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music.h"
#include "settings.h"
#include "testmedia.h"
#include "testsounds.h"
#include "zvtest.h"

namespace zv {

namespace {

typedef std::vector<std::string> Texts;

Texts sent;
std::string failPrefix; /* a command starting with this fails with failCode */
MCIERROR failCode;
DWORD neededRoom;

MCIERROR WINAPI RecordMci(LPCSTR command, LPSTR, UINT, HWND)
{
    sent.push_back(command);
    bool fail = !failPrefix.empty() && std::string(command).compare(0, failPrefix.size(), failPrefix) == 0;
    return fail ? failCode : 0;
}

/* Windows answers a short name too long for the buffer with the room it
 * needs and writes nothing; Wine fails such paths outright. */
DWORD WINAPI ShortPathTooLong(LPCSTR, LPSTR shortPath, DWORD size)
{
    memset(shortPath, 'X', size);
    return neededRoom;
}

std::string ShortPath(const std::string &path, bool lower)
{
    char buf[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), buf, sizeof buf);
    std::string s = buf;
    for (char &c : s)
        c = lower ? (char)tolower((unsigned char)c) : c;
    return s;
}

std::string MciText(MCIERROR code)
{
    char text[64] = "";
    mciGetErrorStringA(code, text, sizeof text);
    return text;
}

class MusicTest : public ::testing::Test {
protected:
    std::string dir, logPath;
    AUTORUNINF ari{};

    void SetUp() override
    {
        dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        logPath = dir + "\\zv.log";
        ASSERT_TRUE(OpenLogFile(&ari, logPath.c_str()));
        sent.clear();
        failPrefix.clear();
        pfnMciSendStringA = RecordMci;
    }
    void TearDown() override
    {
        pfnMciSendStringA = mciSendStringA;
        pfnGetShortPathNameA = GetShortPathNameA;
        CloseLogFile(&ari);
        zvtest::RemoveTree(dir);
    }
    std::string Touch(const std::string &name, const std::string &bytes = "RIFF")
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }
    void Set(char *field, const std::string &value) { strcpy_s(field, ARI_PATHLEN, value.c_str()); }
    void FailOn(const std::string &prefix, MCIERROR code)
    {
        failPrefix = prefix;
        failCode = code;
    }
    /* log texts after the banner, without their time stamps */
    Texts Logged()
    {
        CloseLogFile(&ari);
        Texts texts, lines = zvtest::ReadLines(logPath);
        for (size_t i = 1; i < lines.size(); i++)
            texts.push_back(lines[i].substr(26));
        return texts;
    }
};

TEST_F(MusicTest, NoFileMeansNoCommandAndNoLogLine)
{
    EXPECT_EQ(0, PlayMusic(&ari));
    EXPECT_EQ(0, PlayAVIFile(NULL, &ari));
    Set(ari.strMusic, dir + "\\missing.wav");
    Set(ari.strSplash, dir + "\\missing.avi");
    EXPECT_EQ(0, PlayMusic(&ari));
    EXPECT_EQ(0, PlayAVIFile(NULL, &ari));

    /* a short name that did not fit left the buffer unwritten */
    Set(ari.strMusic, Touch("tune.wav"));
    Set(ari.strSplash, ari.strMusic);
    pfnGetShortPathNameA = ShortPathTooLong;
    for (DWORD room : {260u, 600u}) {
        neededRoom = room;
        EXPECT_EQ(0, PlayMusic(&ari)) << room;
        EXPECT_EQ(0, PlayMusic(ari.strMusic)) << room;
        EXPECT_EQ(0, PlayAVIFile(NULL, &ari)) << room;
    }
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(Logged().empty());
}

TEST_F(MusicTest, OpensTheLowerCaseShortNameAndLogsTheLongOneCut)
{
    std::string path = Touch("My Background Tune With A Name Longer Than The Log Line.WAV");
    Set(ari.strMusic, path);
    EXPECT_EQ(MUSIC_PLAYING, PlayMusic(&ari));
    EXPECT_EQ(0, StopMusic(&ari));

    std::string shortPath = ShortPath(path, true);
    EXPECT_EQ(std::string::npos, shortPath.find(' '));
    EXPECT_EQ(Texts({"open \"" + shortPath + "\" alias bgmusic", "play bgmusic", "stop all", "close all"}),
              sent);
    std::string line = "Playing MUSIC '" + path + "'...";
    EXPECT_EQ(Texts({line.substr(0, 63), "Stopping MUSIC..."}), Logged());
}

TEST_F(MusicTest, FailedOpenOrPlayLogsTheMciText)
{
    Set(ari.strMusic, Touch("tune.wav"));
    FailOn("open", MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(0, PlayMusic(&ari));
    EXPECT_EQ(1u, sent.size());
    FailOn("play", MCIERR_HARDWARE);
    EXPECT_EQ(0, PlayMusic(&ari));
    EXPECT_EQ(3u, sent.size());

    Texts logged = Logged();
    ASSERT_EQ(4u, logged.size());
    EXPECT_EQ(MciText(MCIERR_FILE_NOT_FOUND), logged[1]);
    EXPECT_EQ(MciText(MCIERR_HARDWARE), logged[3]);
    EXPECT_FALSE(logged[1].empty());
}

TEST_F(MusicTest, VideoCommandsForEveryPlayMode)
{
    std::string path = Touch("Splash Video.AVI");
    Set(ari.strSplash, path);
    /* the short path keeps its case and is quoted; the size may be 0 */
    std::string open = "open \"" + ShortPath(path, false) + "\" alias myVid parent 4660 style child";
    const struct {
        unsigned mode;
        const char *play;
    } modes[] = {{0, "play myVid "}, {1, "play myVid repeat"}, {2, "play myVid wait"}, {3, "play myVid "}};
    for (const auto &m : modes) {
        sent.clear();
        ari.uSplashMode = m.mode;
        ari.uImageWidth = m.mode ? 320 : 0;
        ari.uImageHeight = m.mode ? 240 : 0;
        std::string put = m.mode ? "put myVid window at 0 0 320 240" : "put myVid window at 0 0 0 0";
        EXPECT_NE(0, PlayAVIFile((HWND)(UINT_PTR)0x1234, &ari)) << m.mode;
        EXPECT_EQ(Texts({open, put, "window myVid state show", m.play}), sent) << m.mode;
    }
    EXPECT_EQ(Texts(4, "Playing AVI '" + path + "'..."), Logged());
}

TEST_F(MusicTest, FailingVideoCommandEndsTheSequence)
{
    Set(ari.strSplash, Touch("clip.avi"));
    const char *steps[] = {"open", "put", "window", "play"};
    for (size_t i = 0; i < 4; i++) {
        sent.clear();
        FailOn(steps[i], MCIERR_INVALID_DEVICE_NAME);
        EXPECT_EQ(0, PlayAVIFile(NULL, &ari)) << steps[i];
        EXPECT_EQ(i + 1, sent.size()) << steps[i];
    }
    Texts logged = Logged();
    ASSERT_EQ(8u, logged.size());
    EXPECT_EQ(MciText(MCIERR_INVALID_DEVICE_NAME), logged[7]);
}

TEST_F(MusicTest, StopAVIFileActsOnlyWhenPlaying)
{
    EXPECT_EQ(0, StopAVIFile(&ari, 0));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(0, StopAVIFile(&ari, 1));
    EXPECT_EQ(Texts({"stop all", "close all"}), sent);
    EXPECT_EQ(Texts({"Stopping AVI...", "Stopping MUSIC..."}), Logged());
}

TEST_F(MusicTest, MenuFormSendsTheSameCommandsSilently)
{
    EXPECT_EQ(0, PlayMusic((const char *)NULL));
    EXPECT_TRUE(sent.empty());
    std::string path = Touch("Menu Tune.Mid", zvtest::MidiBytes());
    EXPECT_EQ(MUSIC_PLAYING, PlayMusic(path.c_str()));
    FailOn("play", MCIERR_HARDWARE);
    EXPECT_EQ(0, PlayMusic(path.c_str()));
    EXPECT_EQ(0, StopMusic());
    std::string open = "open \"" + ShortPath(path, true) + "\" alias bgmusic";
    EXPECT_EQ(Texts({open, "play bgmusic", open, "play bgmusic", "stop all", "close all"}), sent);
    EXPECT_TRUE(Logged().empty());
}

/* ---- Wine's own MCI devices ---- */

class RealMciTest : public MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        pfnMciSendStringA = mciSendStringA;
    }
};

TEST_F(RealMciTest, WaveOpensPlaysAndCloses)
{
    Set(ari.strMusic, Touch("Real Tune.wav", zvtest::WaveBytes(3000)));
    EXPECT_EQ(MUSIC_PLAYING, PlayMusic(&ari));
    char reply[64] = "";
    EXPECT_EQ(0u, mciSendStringA("status bgmusic length", reply, sizeof reply, NULL));
    EXPECT_STREQ("3000", reply);
    StopMusic(&ari);
    EXPECT_NE(0u, mciSendStringA("status bgmusic length", reply, sizeof reply, NULL));
}

TEST_F(RealMciTest, VideoDrawsInItsWindowAndWaitHoldsTheCaller)
{
    HWND parent = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 80, 60,
                                  NULL, NULL, NULL, NULL);
    /* three seconds, red for two, then green: waiting for the end means
     * returning once green shows */
    Set(ari.strSplash, Touch("Red Clip.avi", zvtest::AviBytes(32, 24, 30, 10, 0xFF0000, 0x00FF00, 20)));
    ari.uImageWidth = 64;
    ari.uImageHeight = 48;
    ari.uSplashMode = 2;
    DWORD start = GetTickCount();
    ASSERT_NE(0, PlayAVIFile(parent, &ari));
    EXPECT_GE(GetTickCount() - start, 2000u);

    /* the configured rectangle at the parent's corner, showing the frames
     * (which Wine draws at their own size); read from the window itself,
     * which windows of other tests may cover on the screen */
    RECT r = {};
    HWND video = GetWindow(parent, GW_CHILD);
    GetWindowRect(video, &r);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(100, r.top);
    EXPECT_EQ(64, r.right - r.left);
    EXPECT_EQ(48, r.bottom - r.top);
    HDC dc = GetDC(video);
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(dc, 2, 2));
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(dc, 28, 20));
    ReleaseDC(video, dc);
    StopAVIFile(&ari, 1);

    /* mode 0 returns while the clip runs: never at its green end (in a
     * window of its own, which has shown no green yet) */
    HWND second = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 100, 80, 60,
                                  NULL, NULL, NULL, NULL);
    ari.uSplashMode = 0;
    ASSERT_NE(0, PlayAVIFile(second, &ari));
    video = GetWindow(second, GW_CHILD);
    dc = GetDC(video);
    EXPECT_NE(RGB(0, 255, 0), GetPixel(dc, 2, 2));
    ReleaseDC(video, dc);
    StopAVIFile(&ari, 1);
    DestroyWindow(second);
    DestroyWindow(parent);
}

/* ---- damaged files are refused before MCI sees them ---- */

bool AliasOpen(const char *alias)
{
    char command[64], reply[64] = "";
    snprintf(command, sizeof command, "status %s mode", alias);
    return mciSendStringA(command, reply, sizeof reply, NULL) == 0;
}

struct MEDIACASE {
    std::string what, name, bytes;
    bool opens;
};

/* A whole file goes to Wine's MCI; a damaged one to the recorder, which
 * must see no command: were it to reach MCI, the test process would hang
 * or die instead of failing. */
void UseMciFor(const MEDIACASE &c)
{
    sent.clear();
    pfnMciSendStringA = c.opens ? mciSendStringA : RecordMci;
}

void ExpectReached(const MEDIACASE &c, const char *alias)
{
    if (c.opens)
        EXPECT_TRUE(AliasOpen(alias));
    else
        EXPECT_TRUE(sent.empty()) << sent.front();
}

/* The refusal's log line names the file; nothing else of the log changes. */
void ExpectRefusalsLogged(const std::string &log, const std::vector<MEDIACASE> &cases, const char *playing,
                          const std::string &dir)
{
    size_t lines = 0;
    for (size_t at = log.find(playing); at != std::string::npos; at = log.find(playing, at + 1))
        lines++;
    EXPECT_EQ(cases.size(), lines);
    for (const MEDIACASE &c : cases)
        EXPECT_EQ(!c.opens, log.find("Error reading " + dir + "\\" + c.name + ":") != std::string::npos) << c.what;
}

TEST_F(RealMciTest, DamagedMidiIsLoggedAndNeverOpenedWholeMusicOpensAsBefore)
{
    std::vector<zvtest::DAMAGEDFILE> damaged = zvtest::DamagedMidis(), whole = zvtest::WholeMidis();
    std::vector<MEDIACASE> cases = {
        {"a whole MIDI file of a name with blanks", "Whole Tune.MID", zvtest::MidiBytes(), true},
        {"a wave file", "Tune.wav", zvtest::WaveBytes(300), true},
        /* known by its first bytes, whatever its name */
        {"a damaged MIDI file of another name", "tune.kar", damaged[0].bytes, false},
        {"a damaged MIDI file in a RIFF wrapper", "tune.rmi",
         zvtest::Chunk("RIFF", "RMID" + zvtest::Chunk("data", damaged[0].bytes)), false},
    };
    for (size_t i = 0; i < damaged.size(); i++)
        cases.push_back({damaged[i].what, "damaged" + std::to_string(i) + ".mid", damaged[i].bytes, false});
    for (size_t i = 0; i < whole.size(); i++)
        cases.push_back({whole[i].what, "whole" + std::to_string(i) + ".mid", whole[i].bytes, true});

    for (const MEDIACASE &c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = Touch(c.name, c.bytes);
        Set(ari.strMusic, path);
        UseMciFor(c);
        int playing = PlayMusic(&ari);
        EXPECT_TRUE(c.opens || !playing);
        ExpectReached(c, "bgmusic");
        StopMusic(&ari);
        /* the menu's music takes the same check */
        UseMciFor(c);
        playing = PlayMusic(path.c_str());
        EXPECT_TRUE(c.opens || !playing);
        ExpectReached(c, "bgmusic");
        StopMusic();
    }
    CloseLogFile(&ari);
    ExpectRefusalsLogged(zvtest::ReadFileOr(logPath), cases, "Playing MUSIC '", dir);
}

/* The clip with its index's places counted from elsewhere than the movie
 * list's type, as some writers count them: from the file's start, or from
 * its first chunk. */
std::string Reindexed(std::string avi, bool fromTheStart)
{
    size_t shift = fromTheStart ? avi.find("movi") : (size_t)-4;
    for (size_t at = avi.find("idx1") + 8; at + 16 <= avi.size(); at += 16)
        zvtest::SetU32(avi, at + 8, (unsigned)(zvtest::LeU32(avi, at + 8) + shift));
    return avi;
}

TEST_F(RealMciTest, DamagedVideoIsLoggedAndNeverOpenedAWholeOnePlays)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 500, 100, 80, 60, NULL, NULL, NULL, NULL);
    const std::string whole = zvtest::AviBytes(32, 24, 30, 10, 0x3050C0);
    auto laidOut = [](bool recordLists, bool soundFirst, bool rle8) {
        return zvtest::AviBytes(32, 24, 30, 10, 0x3050C0, 0x3050C0, 30, {recordLists, soundFirst, rle8});
    };
    std::vector<MEDIACASE> cases = {
        {"a whole AVI file", "whole.avi", whole, true},
        {"a whole AVI file in rec lists", "records.avi", laidOut(true, false, false), true},
        {"a whole AVI file with a sound stream first", "sound.avi", laidOut(false, true, false), true},
        {"a whole AVI file of both", "both.avi", laidOut(true, true, false), true},
        /* compressed frames are their decoder's to read, whatever their size */
        {"a whole RLE8 file of frames larger than the picture", "rle.avi", laidOut(false, false, true), true},
        {"a whole AVI file indexed from the file's start", "absolute.avi", Reindexed(whole, true), true},
        {"a whole AVI file indexed from its first chunk", "firstchunk.avi", Reindexed(whole, false), true},
    };
    std::vector<zvtest::DAMAGEDFILE> damaged = zvtest::DamagedAvis();
    for (size_t i = 0; i < damaged.size(); i++)
        cases.push_back({damaged[i].what, "damaged" + std::to_string(i) + ".avi", damaged[i].bytes, false});
    ari.uImageWidth = 64;
    ari.uImageHeight = 48;

    for (const MEDIACASE &c : cases) {
        SCOPED_TRACE(c.what);
        Set(ari.strSplash, Touch(c.name, c.bytes));
        UseMciFor(c);
        int playing = PlayAVIFile(parent, &ari);
        EXPECT_EQ(c.opens, playing != 0);
        ExpectReached(c, "myVid");
        StopAVIFile(&ari, playing);
    }
    DestroyWindow(parent);
    CloseLogFile(&ari);
    ExpectRefusalsLogged(zvtest::ReadFileOr(logPath), cases, "Playing AVI '", dir);
}

} // namespace

} // namespace zv
