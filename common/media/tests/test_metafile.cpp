/*
 * test_metafile.cpp - the metafile loaders on enhanced, placeable and
 * plain Windows metafiles drawn here with GDI, from files and resources,
 * played back and checked by colour; headers and records that claim more
 * than the bytes hold; the built-in splash picture as the build draws it.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_checks.h"
#include "pictures.h"
#include "zvtest.h"

namespace zv {

namespace {

using zvtest::Rgb;

void Fill(HDC dc, int left, int right, int bottom, COLORREF colour)
{
    RECT r = {left, 0, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

/* Red left half, blue right half, 20 x 10 mm. */
std::string EnhancedHalves()
{
    RECT frame = {0, 0, 2000, 1000};
    HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, "Test\0Halves\0");
    int w = MulDiv(20, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, HORZSIZE));
    int h = MulDiv(10, GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, VERTSIZE));
    Fill(dc, 0, w / 2, h, RGB(255, 0, 0));
    Fill(dc, w / 2, w, h, RGB(0, 0, 255));
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    std::string bytes(GetEnhMetaFileBits(emf, 0, NULL), '\0');
    GetEnhMetaFileBits(emf, (UINT)bytes.size(), (BYTE *)&bytes[0]);
    DeleteEnhMetaFile(emf);
    return bytes;
}

/* The same halves as a Windows metafile with a 100 x 50 window. */
std::string WindowsHalves()
{
    HDC dc = CreateMetaFileA(NULL);
    SetWindowOrgEx(dc, 0, 0, NULL);
    SetWindowExtEx(dc, 100, 50, NULL);
    Fill(dc, 0, 50, 50, RGB(255, 0, 0));
    Fill(dc, 50, 100, 50, RGB(0, 0, 255));
    HMETAFILE wmf = CloseMetaFile(dc);
    std::string bytes(GetMetaFileBitsEx(wmf, 0, NULL), '\0');
    GetMetaFileBitsEx(wmf, (UINT)bytes.size(), &bytes[0]);
    DeleteMetaFile(wmf);
    return bytes;
}

std::string Put(std::string b, size_t at, DWORD v, int width = 4)
{
    for (int i = 0; i < width; i++)
        b[at + i] = (char)(v >> (8 * i));
    return b;
}

DWORD Get(const std::string &b, size_t at, int width = 4)
{
    DWORD v = 0;
    for (int i = width - 1; i >= 0; i--)
        v = v << 8 | (BYTE)b[at + i];
    return v;
}

std::string Placeable(const std::string &wmf, int left, int top, int right, int bottom, int inch,
                      bool goodChecksum = true)
{
    std::string b = Put(std::string(22, '\0'), 0, 0x9AC6CDD7);
    int fields[] = {left, top, right, bottom, inch};
    for (int i = 0; i < 5; i++)
        b = Put(b, 6 + 2 * i, (DWORD)fields[i], 2);
    DWORD sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= Get(b, i, 2);
    return Put(b, 20, goodChecksum ? sum : sum ^ 0x1234, 2) + wmf;
}

class MetafileTest : public ::testing::Test {
protected:
    std::string dir;
    const std::string emf = EnhancedHalves(), wmf = WindowsHalves();

    void SetUp() override { dir = zvtest::ScratchDir("metafile"); }
    void TearDown() override { zvtest::RemoveTree(dir); }
    std::string Write(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }

    /* Played at 100 x 50: red on the left, blue on the right; freed. */
    void ExpectHalves(HENHMETAFILE picture)
    {
        ASSERT_TRUE(picture != NULL);
        std::vector<uint32_t> pixels = zvtest::PlayedPixels(picture, 100, 50);
        DeleteEnhMetaFile(picture);
        ASSERT_EQ(5000u, pixels.size());
        for (int y : {5, 25, 44}) {
            EXPECT_EQ(Rgb(255, 0, 0), pixels[y * 100 + 10]) << "row " << y;
            EXPECT_EQ(Rgb(0, 0, 255), pixels[y * 100 + 89]) << "row " << y;
        }
    }
    /* The picture's frame, in hundredths of a millimetre; freed. */
    SIZE FrameOf(HENHMETAFILE picture)
    {
        ENHMETAHEADER header = {};
        SIZE size = {0, 0};
        if (picture && GetEnhMetaFileHeader(picture, sizeof header, &header)) {
            size.cx = header.rclFrame.right - header.rclFrame.left;
            size.cy = header.rclFrame.bottom - header.rclFrame.top;
        }
        DeleteEnhMetaFile(picture);
        return size;
    }
};

TEST_F(MetafileTest, FilesOfAllThreeKindsBecomeEnhancedMetafiles)
{
    /* The signature decides, not the name. */
    for (const char *name : {"pic.emf", "pic.wmf", "pic.xyz"})
        ExpectHalves(LoadMetaFile(Write(name, emf).c_str()));
    ExpectHalves(LoadMetaFile(Write("plain.wmf", wmf).c_str()));
    ExpectHalves(LoadMetaFile(Write("placeable.wmf", Placeable(wmf, 0, 0, 1440, 720, 1440)).c_str()));
    ExpectHalves(LoadMetaFile(Write("sum.wmf", Placeable(wmf, 0, 0, 1440, 720, 1440, false)).c_str()));

    /* One inch by half an inch, whatever the units: 2540 x 1270. */
    for (int inch : {1440, 576}) {
        SIZE frame = FrameOf(LoadMetaFile(
            Write("box.wmf", Placeable(wmf, 100, 50, 100 + inch, 50 + inch / 2, inch)).c_str()));
        EXPECT_NEAR(2540, frame.cx, 2) << inch;
        EXPECT_NEAR(1270, frame.cy, 2) << inch;
    }
}

TEST_F(MetafileTest, FilesThatClaimMoreThanTheyHoldAreRefused)
{
    const size_t second = Get(emf, 4);                   /* record after the EMF header */
    const size_t first = Get(wmf, 2, 2) * 2;             /* first WMF record */
    const std::string longWmf = Put(wmf, 6, (DWORD)wmf.size());   /* words: twice the bytes */
    struct { const char *what; std::string bytes; } cases[] = {
        {"EMF byte count", Put(emf, 48, (DWORD)emf.size() + 4096)},
        {"EMF header size", Put(emf, 4, (DWORD)emf.size() + 8)},
        {"EMF record size", Put(emf, second + 4, 0x7FFFFFF0)},
        {"EMF record of size 0", Put(emf, second + 4, 0)},
        {"EMF description", Put(emf, 60, 0x40000000)},
        {"EMF cut in half", emf.substr(0, emf.size() / 2)},
        {"WMF word count", longWmf},
        {"WMF record of size 0", Put(wmf, first, 0)},
        {"WMF record size", Put(wmf, first, 0x40000000)},
        {"WMF cut short", wmf.substr(0, wmf.size() - 8)},
        {"placeable word count", Placeable(longWmf, 0, 0, 1440, 720, 1440)},
        {"placeable cut short", Placeable(wmf, 0, 0, 1440, 720, 1440).substr(0, 40)},
        {"placeable header alone", Placeable("", 0, 0, 1440, 720, 1440)},
        {"empty", ""},
        {"three bytes", "EMF"},
        {"text", std::string(200, 'x')},
    };
    for (const auto &c : cases) {
        HENHMETAFILE picture = LoadMetaFile(Write("bad.emf", c.bytes).c_str());
        EXPECT_TRUE(picture == NULL) << c.what;
        DeleteEnhMetaFile(picture);
    }
    EXPECT_TRUE(LoadMetaFile((dir + "\\missing.emf").c_str()) == NULL);
}

TEST_F(MetafileTest, ResourcesAreBoundedByTheirOwnSize)
{
    const std::string longWmf = Put(wmf, 6, (DWORD)(wmf.size() / 2 + 32));
    HMODULE module = zvtest::MakeResourceModule(dir, "metares.dll", {
        {"METAFILE", "EMF", emf}, {"METAFILE", "PLAIN", wmf},
        {"METAFILE", "PLACEABLE", Placeable(wmf, 0, 0, 1440, 720, 1440)},
        {"METAFILE", "LONGEMF", Put(emf, 48, (DWORD)emf.size() + 64)},
        {"METAFILE", "LONGPLAIN", longWmf},
        {"METAFILE", "LONGPLACEABLE", Placeable(longWmf, 0, 0, 1440, 720, 1440)},
        {"METAFILE", "ZFILLER", std::string(4096, '\0')},   /* bytes to run into */
    });
    ASSERT_TRUE(module != NULL) << GetLastError();
    for (const char *name : {"EMF", "PLACEABLE", "PLAIN"}) {
        SCOPED_TRACE(name);
        ExpectHalves(LoadMetaFileResource(zvtest::LockedResource(module, name, "METAFILE")));
    }
    for (const char *name : {"LONGEMF", "LONGPLACEABLE", "LONGPLAIN"}) {
        HENHMETAFILE picture = LoadMetaFileResource(zvtest::LockedResource(module, name, "METAFILE"));
        EXPECT_TRUE(picture == NULL) << name;
        DeleteEnhMetaFile(picture);
    }
    EXPECT_TRUE(LoadMetaFileResource(NULL) == NULL);
    FreeLibrary(module);
}

/* Bytes of no module: a metafile that ends where readable memory ends
 * loads; one that claims more is refused, not read past the end. */
TEST_F(MetafileTest, BytesOutsideAnyModuleAreBoundedByReadableMemory)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    ASSERT_LE(emf.size(), page);
    BYTE *area = (BYTE *)VirtualAlloc(NULL, page * 2, MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_TRUE(area && VirtualAlloc(area, page, MEM_COMMIT, PAGE_READWRITE));
    BYTE *at = area + page - emf.size();
    memcpy(at, emf.data(), emf.size());
    ExpectHalves(LoadMetaFileResource((HGLOBAL)at));
    std::string longEmf = Put(emf, 48, (DWORD)emf.size() + 256);
    memcpy(at, longEmf.data(), longEmf.size());
    EXPECT_TRUE(LoadMetaFileResource((HGLOBAL)at) == NULL);
    VirtualFree(area, 0, MEM_RELEASE);
}

TEST_F(MetafileTest, BuiltInSplashPictureShowsTheDisc)
{
    std::string path = zvtest::BinDir() + "\\..\\runtime\\splashpic\\splashpic.emf", bytes;
    ASSERT_TRUE(zvtest::ReadFileBytes(path, &bytes)) << "the build draws " << path;

    HENHMETAFILE picture = LoadMetaFile(path.c_str());
    ASSERT_TRUE(picture != NULL);
    ENHMETAHEADER header;
    ASSERT_TRUE(GetEnhMetaFileHeader(picture, sizeof header, &header));
    EXPECT_EQ(400, header.rclBounds.right + 1);    /* the picture control's proportions */
    EXPECT_EQ(364, header.rclBounds.bottom + 1);
    std::vector<uint32_t> pixels = zvtest::PlayedPixels(picture, 400, 364);
    DeleteEnhMetaFile(picture);
    ASSERT_EQ(400u * 364u, pixels.size());
    struct { int x, y; uint32_t colour; const char *what; } spots[] = {
        {2, 2, Rgb(10, 26, 58), "night sky"},      {2, 361, Rgb(24, 104, 132), "sea below"},
        {205, 168, Rgb(46, 158, 79), "start arrow"}, {270, 178, Rgb(201, 206, 214), "silver disc"},
        {200, 330, Rgb(170, 225, 245), "middle dot"},
    };
    for (const auto &s : spots)
        EXPECT_LE(zvtest::ColourDistance(s.colour, pixels[(size_t)s.y * 400 + s.x]), 3) << s.what;

    /* And as the runtime takes it: a "METAFILE" resource of its module. */
    HMODULE module = zvtest::MakeResourceModule(dir, "splash.dll", {{"METAFILE", "SPLASHPIC", bytes}});
    ASSERT_TRUE(module != NULL);
    picture = LoadMetaFileResource(zvtest::LockedResource(module, "SPLASHPIC", "METAFILE"));
    ASSERT_TRUE(picture != NULL);
    EXPECT_EQ(bytes.size(), GetEnhMetaFileBits(picture, 0, NULL));
    DeleteEnhMetaFile(picture);
    FreeLibrary(module);
}

} // namespace

} // namespace zv
