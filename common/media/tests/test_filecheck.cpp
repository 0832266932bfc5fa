/*
 * test_filecheck.cpp - the checks that stand before LoadImageA and
 * ExtractIconA, on files written here: whole BMP files of every kind the
 * platform loads, icon files and programs it makes icons of pass (and do
 * load), damaged ones are refused with "invalid data", other files go on
 * untouched.
 */
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filecheck.h"
#include "testmedia.h"
#include "testpictures.h"
#include "testprograms.h"
#include "zvtest.h"

namespace zv {

namespace {

using zvtest::WithU32;

/* 16 x 4 pixels of palette entry 1, RLE8-packed, bottom-up. */
std::string Rle8Bmp()
{
    std::string rows;
    for (int y = 0; y < 4; y++)
        rows += std::string("\x10\x01\x00\x00", 4);
    rows += std::string("\x00\x01", 2);
    std::string s = zvtest::BmpBytes(16, 4, 8, 0x3366CC).substr(0, 54 + 1024);
    s = WithU32(WithU32(s, 30, BI_RLE8), 34, (unsigned)rows.size());
    return WithU32(s + rows, 2, (unsigned)(s.size() + rows.size()));
}

enum KIND { BITMAP, ICONSOURCE };

struct CASE {
    const char *what;
    KIND kind;
    std::string bytes;
    bool whole;
};

TEST(FileChecks, WholeFilesPassAndLoadDamagedOnesAreRefused)
{
    std::string dir = zvtest::ScratchDir("filecheck");
    std::string bmp32 = zvtest::BmpBytes(96, 64, 32, 0x3366CC);
    std::string icon = zvtest::IcoBytes({zvtest::IconImageBytes(16, 4), zvtest::IconImageBytes(32, 32)});
    std::string rle = Rle8Bmp();
    std::vector<CASE> cases = {
        {"8-bit", BITMAP, zvtest::BmpBytes(96, 64, 8, 0x3366CC), true},
        {"24-bit", BITMAP, zvtest::BmpBytes(5, 3, 0x3366CC), true},
        {"32-bit", BITMAP, bmp32, true},
        {"top-down", BITMAP, zvtest::BmpBytes(96, -64, 32, 0x3366CC), true},
        {"no pixel offset: right after the headers", BITMAP, WithU32(bmp32, 10, 0), true},
        {"bit fields and their masks", BITMAP,
         WithU32(WithU32(bmp32.substr(0, 54), 30, BI_BITFIELDS), 10, 66) +
             std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF\x00\x00\x00", 12) + bmp32.substr(54),
         true},
        {"RLE8", BITMAP, rle, true},
        {"12-byte header", BITMAP,   /* 5 x 3 pixels of 24 bits */
         std::string("BM\x4A\0\0\0\0\0\0\0\x1A\0\0\0\x0C\0\0\0\x05\0\x03\0\x01\0\x18\0", 26) + std::string(48, '\x7F'),
         true},
        {"icon of two images", ICONSOURCE, icon, true},
        {"icon of a PNG image", ICONSOURCE, zvtest::IcoBytes({zvtest::PngBytes(32, 32, 0x3366CC)}), true},
        {"text", ICONSOURCE, "no icon here", true},
        {"icon of a PNG image as large as an icon may be", ICONSOURCE,
         zvtest::IcoBytes({zvtest::PngBytes(4096, 1, 0x3366CC)}), true},

        {"not a BMP", BITMAP, "BX" + bmp32.substr(2), false},
        {"empty", BITMAP, "", false},
        {"header size past the end", BITMAP, WithU32(bmp32, 14, 0xFFFFFFF0u), false},
        {"header of no known size", BITMAP, WithU32(bmp32, 14, 20), false},
        {"colour count past the end", BITMAP, WithU32(bmp32, 46, 0x40000000), false},
        {"no width", BITMAP, WithU32(bmp32, 18, 0), false},
        {"JPEG inside", BITMAP, WithU32(bmp32, 30, BI_JPEG), false},
        {"masks inside the pixels' place", BITMAP, WithU32(bmp32, 30, BI_BITFIELDS), false},
        {"RLE8 longer than the file", BITMAP, WithU32(rle, 34, 1000), false},
        {"RLE8 without a size", BITMAP, WithU32(rle, 34, 0), false},
        {"RLE8 top-down", BITMAP, WithU32(rle, 22, (unsigned)-4), false},
        {"icon of no image", ICONSOURCE, zvtest::IcoBytes({}), false},
        {"icon header cut short", ICONSOURCE, std::string("\0\0\1", 3), false},
        {"cursor cut", ICONSOURCE, WithU32(icon, 0, 0x00020000).substr(0, 300), false},
        {"PNG image cut", ICONSOURCE, zvtest::IcoBytes({zvtest::PngBytes(32, 32, 0x3366CC).substr(0, 20)}), false},
        {"second image cut", ICONSOURCE, icon.substr(0, icon.size() - 1), false},
        {"PNG image wider than any icon", ICONSOURCE, zvtest::IcoBytes({zvtest::PngBytes(4097, 1, 0x3366CC)}), false},
    };
    for (const zvtest::DAMAGEDFILE &r : zvtest::RareIconImages())
        cases.push_back({r.what, ICONSOURCE, zvtest::IcoBytes({r.bytes}), true});
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedBmps())
        cases.push_back({d.what, BITMAP, d.bytes, false});
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedIcos())
        cases.push_back({d.what, ICONSOURCE, d.bytes, false});

    int n = 0;
    for (const CASE &k : cases) {
        SCOPED_TRACE(k.what);
        std::string path = dir + "\\case" + std::to_string(n++) + (k.kind == BITMAP ? ".bmp" : ".ico");
        ASSERT_TRUE(zvtest::WriteFileBytes(path, k.bytes));
        SetLastError(0);
        int loadable = k.kind == BITMAP ? BitmapFileLoadable(path.c_str()) : IconSourceLoadable(path.c_str(), 0);
        EXPECT_EQ(k.whole ? 1 : 0, loadable);
        if (!k.whole) {
            EXPECT_EQ((DWORD)ERROR_INVALID_DATA, GetLastError());
            continue;
        }
        /* what passes, the platform really loads */
        if (k.kind == BITMAP) {
            HBITMAP bitmap = (HBITMAP)LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
            EXPECT_TRUE(bitmap != NULL);
            DeleteObject(bitmap);
        } else if (k.bytes[0] == '\0') {
            HICON got = ExtractIconA(GetModuleHandleA(NULL), path.c_str(), 0);
            EXPECT_GT((UINT_PTR)got, 1u);
            if ((UINT_PTR)got > 1)
                DestroyIcon(got);
        }
    }

    /* a file that is not there: no bitmap, with the system's reason; the
     * icon extraction fails on it by itself as before */
    SetLastError(0);
    EXPECT_EQ(0, BitmapFileLoadable((dir + "\\absent.bmp").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(1, IconSourceLoadable((dir + "\\absent.ico").c_str(), 0));
}

/* A real icon of the file's n-th group, as the platform extracts it. */
bool HasIcon(const std::string &path, UINT n)
{
    HICON icon = ExtractIconA(GetModuleHandleA(NULL), path.c_str(), n);
    ICONINFO info = {};
    bool real = (UINT_PTR)icon > 1 && GetIconInfo(icon, &info);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if ((UINT_PTR)icon > 1)
        DestroyIcon(icon);
    return real;
}

/* Whatever the check lets through, the platform's extraction survives. */
void ExtractWhatPasses(const std::string &path, int *passed)
{
    for (UINT n = 0; n < 2; n++)
        if (IconSourceLoadable(path.c_str(), n)) {
            (*passed)++;
            HasIcon(path, n);
        }
}

TEST(FileChecks, WholeProgramsKeepTheirIconsDamagedOnesAreRefused)
{
    std::string dir = zvtest::ScratchDir("programcheck");
    std::vector<std::string> pictures = {zvtest::IconImageBytes(32, 4), zvtest::PngBytes(32, 32, 0x3366CC)};
    zvtest::PROGRAMFILE pe32 = zvtest::ProgramBytes(pictures, false), pe32plus = zvtest::ProgramBytes(pictures, true);
    zvtest::PROGRAMFILE packed = zvtest::ProgramBytes(pictures, false, zvtest::PROGRAM_PACKED);
    zvtest::PROGRAMFILE ne = zvtest::NeProgramBytes(pictures[0]);
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\pe32.exe", pe32.bytes));
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\pe32plus.exe", pe32plus.bytes));
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\packed.exe", packed.bytes));
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\ne.exe", ne.bytes));
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\sections.exe", zvtest::ProgramBytes(pictures, true, zvtest::PROGRAM_SECTIONS).bytes));
    std::vector<std::string> rare;
    for (const zvtest::DAMAGEDFILE &r : zvtest::RareIconImages())
        rare.push_back(r.bytes);
    ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\rare.exe", zvtest::ProgramBytes(rare, false).bytes));

    /* the build's own and programs written here, of a DIB and a PNG icon
     * group each, packed (whose third group is not in the file), of 101
     * sections, of the rarer image shapes and 16-bit (which the icon
     * readers' loader does not take): every group in the file keeps its
     * icon */
    struct WHOLE {
        std::string path;
        UINT groups;
        int loadable;
    } whole[] = {
        {dir + "\\pe32.exe", 2, 1}, {dir + "\\pe32plus.exe", 2, 1},
        {dir + "\\packed.exe", 2, 1}, {dir + "\\sections.exe", 2, 1}, {dir + "\\rare.exe", 4, 1},
        {dir + "\\ne.exe", 1, 0},
        {zvtest::BinPath("ZVMenu.exe"), 4, 1}, {zvtest::BinPath("ZVChain.exe"), 1, 1},
        {zvtest::BinPath("ZVConfig.exe"), 1, 1}, {zvtest::BinPath("ZORVAN.EXE"), 1, 1},
        {zvtest::BinPath("twoicons.dll"), 2, 1},
    };
    for (const WHOLE &w : whole) {
        SCOPED_TRACE(w.path);
        EXPECT_EQ(w.loadable, ProgramResourcesLoadable(w.path.c_str()));
        for (UINT n = 0; n < w.groups; n++) {
            EXPECT_EQ(1, IconSourceLoadable(w.path.c_str(), n)) << n;
            EXPECT_TRUE(HasIcon(w.path, n)) << n;
        }
        /* -1 asks for a count; a 16-bit program takes an index signed,
         * and below its count only */
        EXPECT_EQ(0, IconSourceLoadable(w.path.c_str(), (UINT)-1));
        for (UINT n : {(UINT)-2, 4294967294u, w.groups})
            EXPECT_EQ(w.loadable, IconSourceLoadable(w.path.c_str(), n)) << n;
    }
    EXPECT_FALSE(HasIcon(dir + "\\packed.exe", 2));

    std::string path = dir + "\\damaged.exe";
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedPrograms()) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(zvtest::WriteFileBytes(path, d.bytes));
        SetLastError(0);
        EXPECT_EQ(0, IconSourceLoadable(path.c_str(), 0));
        EXPECT_EQ((DWORD)ERROR_INVALID_DATA, GetLastError());
    }
    /* a damaged program named bare is found along the search path */
    std::string pathDir = dir + "\\on-path", bare = "zv-bare-damaged.exe";
    char oldPath[32768];
    DWORD oldLength = GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    ASSERT_TRUE(oldLength > 0 && oldLength < sizeof oldPath);
    CreateDirectoryA(pathDir.c_str(), NULL);
    ASSERT_TRUE(zvtest::WriteFileBytes(pathDir + "\\" + bare, zvtest::DamagedPrograms()[0].bytes));
    SetEnvironmentVariableA("PATH", (pathDir + ";" + oldPath).c_str());
    SetLastError(0);
    EXPECT_EQ(0, IconSourceLoadable(bare.c_str(), 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_DATA, GetLastError());
    ASSERT_TRUE(zvtest::WriteFileBytes(pathDir + "\\" + bare, ne.bytes));
    EXPECT_EQ(1, IconSourceLoadable(bare.c_str(), 0));
    SetEnvironmentVariableA("PATH", oldPath);

    /* the loader's reader checks groups and images itself: for it only
     * the headers and the tree count */
    ASSERT_TRUE(zvtest::WriteFileBytes(path, zvtest::WithU16(pe32.bytes, pe32.groupAt + 4, 0xFFFF)));
    EXPECT_EQ(1, ProgramResourcesLoadable(path.c_str()));
    ASSERT_TRUE(zvtest::WriteFileBytes(path, zvtest::WithU16(pe32.bytes, pe32.rootAt + 14, 0xFFFF)));
    EXPECT_EQ(0, ProgramResourcesLoadable(path.c_str()));

    /* every byte of the programs written here changed in turn, and random
     * bytes of the build's own: what the check passes never crashes the
     * extraction */
    int passed = 0;
    /* (the packed program's headers and tree: its icons are pe32's) */
    const struct {
        const std::string &bytes;
        size_t end;
    } flipped[] = {{pe32.bytes, pe32.bytes.size() - 0x300}, {packed.bytes, packed.imageAt}, {ne.bytes, ne.bytes.size()}};
    for (const auto &program : flipped)
        for (size_t i = 0; i < program.end; i++) {
            std::string bytes = program.bytes;
            bytes[i] = (char)~bytes[i];
            ASSERT_TRUE(zvtest::WriteFileBytes(path, bytes));
            ExtractWhatPasses(path, &passed);
        }
    std::string chain;
    ASSERT_TRUE(zvtest::ReadFileBytes(zvtest::BinPath("ZVChain.exe"), &chain));
    unsigned seed = 12345;
    for (int copy = 0; copy < 24; copy++) {
        std::string bytes = chain;
        for (int k = 0; k < 6; k++) {
            seed = seed * 1103515245u + 12345u;
            size_t at = k < 2 ? seed % 1024 : bytes.size() / 2 + seed % (bytes.size() / 2);
            bytes[at] = (char)(seed >> 16);
        }
        ASSERT_TRUE(zvtest::WriteFileBytes(path, bytes));
        ExtractWhatPasses(path, &passed);
    }
    EXPECT_GT(passed, 0);
}

} // namespace

} // namespace zv
