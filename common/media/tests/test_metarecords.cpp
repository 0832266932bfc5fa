/*
 * test_metarecords.cpp - metafile files whose records lie about themselves
 * are refused; whole ones that GDI drew load and show as the platform
 * shows them; random changes inside the records of whole ones never bring
 * down the platform's player.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "picture_checks.h"
#include "pictures.h"
#include "testmetafiles.h"
#include "zvtest.h"

namespace zv {

namespace {

struct KIND {
    const char *what, *name;
    std::string bytes;
};

std::vector<KIND> WholeKinds()
{
    return {{"enhanced", "whole.emf", zvtest::DrawnEnhanced()},
            {"plain", "whole.wmf", zvtest::DrawnWindows()},
            {"placeable", "placeable.wmf", zvtest::DrawnPlaceable()},
            {"carrying an enhanced one", "carried.wmf", zvtest::DrawnCarried()}};
}

/* What the platform makes of the same bytes without any check. */
HENHMETAFILE PlatformPicture(const std::string &b)
{
    if (b.size() >= 44 && *(const DWORD *)(b.data() + 40) == ENHMETA_SIGNATURE)
        return SetEnhMetaFileBits((UINT)b.size(), (const BYTE *)b.data());
    if (*(const DWORD *)b.data() != 0x9AC6CDD7)
        return SetWinMetaFileBits((UINT)b.size(), (const BYTE *)b.data(), NULL, NULL);
    /* the drawn placeable box: 1500 x 1100 units at 1000 an inch */
    METAFILEPICT picture = {MM_ANISOTROPIC, MulDiv(1500, 2540, 1000), MulDiv(1100, 2540, 1000), NULL};
    HDC screen = GetDC(NULL);
    HENHMETAFILE result = SetWinMetaFileBits((UINT)b.size() - 22, (const BYTE *)b.data() + 22, screen, &picture);
    ReleaseDC(NULL, screen);
    return result;
}

/* Played onto white at 150 x 110 as the splash plays it, top row first;
 * freed. */
std::vector<uint32_t> Shown(HENHMETAFILE picture)
{
    std::vector<uint32_t> pixels = zvtest::PlayedPixels(picture, 150, 110, PlayPicture);
    DeleteEnhMetaFile(picture);
    return pixels;
}

/* Under 2 s here when the machine is idle; the bound leaves room for a
 * loaded one.  The time is printed for the record. */
void ExpectQuick(const char *what, DWORD start)
{
    DWORD took = GetTickCount() - start;
    printf("%5lu ms  %s\n", (unsigned long)took, what);
    EXPECT_LT(took, 8000u);
}

class MetaRecordsTest : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override { dir = zvtest::ScratchDir("metarecords"); }
    void TearDown() override { zvtest::RemoveTree(dir); }
    std::string Write(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }
};

TEST_F(MetaRecordsTest, DamagedRecordsOfEveryKindAreRefused)
{
    std::vector<zvtest::DAMAGEDFILE> damaged = zvtest::DamagedEnhanced(), windows = zvtest::DamagedWindows();
    damaged.insert(damaged.end(), windows.begin(), windows.end());
    const std::string emf = zvtest::DrawnEnhanced(), wmf = zvtest::DrawnWindows();
    for (const zvtest::DAMAGEDFILE &d : damaged) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(d.bytes != emf && d.bytes != wmf) << "nothing was damaged";
        SetLastError(0);
        DWORD start = GetTickCount();
        HENHMETAFILE picture = LoadMetaFile(Write("damaged.pic", d.bytes).c_str());
        EXPECT_TRUE(picture == NULL);
        EXPECT_EQ((DWORD)ERROR_INVALID_DATA, GetLastError());
        DeleteEnhMetaFile(picture);
        ExpectQuick(d.what, start);
    }
}

TEST_F(MetaRecordsTest, WholePicturesOfEveryKindShowAsThePlatformShowsThem)
{
    for (const KIND &k : WholeKinds()) {
        SCOPED_TRACE(k.what);
        HENHMETAFILE loaded = LoadMetaFile(Write(k.name, k.bytes).c_str());
        ASSERT_TRUE(loaded != NULL) << GetLastError();
        HENHMETAFILE unchecked = PlatformPicture(k.bytes);
        std::vector<uint32_t> ours = Shown(loaded), platform = zvtest::PlayedPixels(unchecked, 150, 110);
        DeleteEnhMetaFile(unchecked);
        ASSERT_EQ(150u * 110u, ours.size());
        EXPECT_TRUE(ours == platform);
        size_t drawn = 0;
        for (uint32_t p : ours)
            drawn += p != 0xFFFFFF;
        EXPECT_GT(drawn, ours.size() / 10) << "the picture shows little";
    }
}

/* The platform would trace each for minutes (or fail an assertion for
 * the arc); played as the splash plays them they show their square within
 * a second or two: the figure left out, or the picture's drawing cut short
 * once it has drawn for a second. */
TEST_F(MetaRecordsTest, GiantFiguresAreLeftOutWhenPlayed)
{
    for (const zvtest::DAMAGEDFILE &f : zvtest::GiantFigures()) {
        SCOPED_TRACE(f.what);
        DWORD start = GetTickCount();
        HENHMETAFILE picture = LoadMetaFile(Write("giant.emf", f.bytes).c_str());
        ASSERT_TRUE(picture != NULL);
        std::vector<uint32_t> pixels = Shown(picture);
        ExpectQuick(f.what, start);
        ASSERT_EQ(150u * 110u, pixels.size());
        EXPECT_EQ(zvtest::Rgb(0, 0, 200), pixels[20 * 150 + 60]);   /* inside the square, off any line */
    }
}

struct HELDPLAY {
    HENHMETAFILE picture;
    std::vector<uint32_t> pixels;
};

HANDLE heldPlaying;   /* set once the held picture has begun to play */

BOOL PlaySignalled(HDC dc, HENHMETAFILE picture, const RECT *rect)
{
    SetEvent(heldPlaying);
    return PlayPicture(dc, picture, rect);
}

DWORD WINAPI PlayHeld(void *data)
{
    HELDPLAY *held = (HELDPLAY *)data;
    held->pixels = zvtest::PlayedPixels(held->picture, 150, 110, PlaySignalled);
    return 0;
}

/* A picture is bounded by the time its drawing takes, never by the time a
 * busy machine keeps the drawing thread waiting: held up for longer than
 * the bound while it plays, a picture of many small figures still shows
 * its last one. */
TEST_F(MetaRecordsTest, APictureHeldUpByABusyMachineIsDrawnWhole)
{
    /* framed by what it draws: 150 x 110 */
    HDC rec = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    ASSERT_TRUE(rec != NULL);
    for (int n = 0; n < 60000; n++)
        Rectangle(rec, n % 140, n / 140 % 100, n % 140 + 3, n / 140 % 100 + 3);
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    RECT last = {120, 90, 150, 110};
    FillRect(rec, &last, red);
    DeleteObject(red);
    HELDPLAY held = {CloseEnhMetaFile(rec), {}};
    ASSERT_TRUE(held.picture != NULL);

    heldPlaying = CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE player = CreateThread(NULL, 0, PlayHeld, &held, 0, NULL);
    ASSERT_TRUE(player != NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(heldPlaying, zvtest::EVENT_WAIT_MS));
    bool stillPlaying = WaitForSingleObject(player, 5) == WAIT_TIMEOUT;
    SuspendThread(player);
    Sleep(1500);
    ResumeThread(player);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(player, zvtest::EVENT_WAIT_MS));
    CloseHandle(player);
    CloseHandle(heldPlaying);
    DeleteEnhMetaFile(held.picture);
    ASSERT_TRUE(stillPlaying) << "the picture drew too fast to be held up while it played";
    ASSERT_EQ(150u * 110u, held.pixels.size());
    EXPECT_EQ(zvtest::Rgb(200, 0, 0), held.pixels[105 * 150 + 140]);
}

/* A few seconds of damaged copies; ZV_METAFILE_CHANGES=n asks for n copies
 * of each kind instead, from seed ZV_METAFILE_FIRST on, and
 * ZV_METAFILE_TRACE=folder names each before it loads and keeps there the
 * copies that play slowly (for a long run that looks for faults). */
TEST_F(MetaRecordsTest, RandomChangesInsideRecordsNeverFaultThePlayer)
{
    const char *asked = getenv("ZV_METAFILE_CHANGES");
    const bool trace = getenv("ZV_METAFILE_TRACE") != NULL;
    const char *first = getenv("ZV_METAFILE_FIRST");
    const unsigned from = first ? (unsigned)atoi(first) : 1;
    const unsigned copies = asked ? (unsigned)atoi(asked) : ~0u;
    const DWORD deadline = GetTickCount() + (asked ? ~0u / 2 : 3000);
    std::vector<KIND> kinds = WholeKinds();
    unsigned passed = 0, refused = 0;

    for (unsigned seed = from; seed - from < copies && (int)(deadline - GetTickCount()) > 0; seed++) {
        for (const KIND &k : kinds) {
            if (trace) {
                fprintf(stderr, "%s %u\n", k.what, seed);
                fflush(stderr);
            }
            std::string changed = zvtest::ChangedRecords(k.bytes, seed);
            HENHMETAFILE picture = LoadMetaFile(Write(k.name, changed).c_str());
            if (!picture) {
                refused++;
                continue;
            }
            passed++;
            DWORD start = GetTickCount();
            Shown(picture);
            if (trace && GetTickCount() - start > 1000) {
                fprintf(stderr, "slow: %s %u took %lu ms\n", k.what, seed, GetTickCount() - start);
                zvtest::WriteFileBytes(std::string(getenv("ZV_METAFILE_TRACE")) + "\\slow-" +
                                           std::to_string(seed) + ".pic", changed);
            }
        }
    }
    printf("%u damaged copies passed and played, %u refused\n", passed, refused);
    EXPECT_GT(passed, 0u);
    EXPECT_GT(refused, 0u);
}

} // namespace

} // namespace zv
