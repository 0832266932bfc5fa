/*
 * test_menu_icons.cpp - the icon readers in-process: icon files written
 * here with images of every depth, the icon groups of the menu's own
 * program, and damaged files of every kind, whose boxes are recorded
 * instead of shown.
 */
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "menu.h"
#include "testmedia.h"
#include "testpictures.h"
#include "testprograms.h"
#include "zvtest.h"

namespace zv {
namespace menu {
namespace {

struct SHOWN {
    std::string text, caption;
    UINT flags;
};
std::vector<SHOWN> shown;

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT flags)
{
    shown.push_back(SHOWN{text, caption, flags});
    return IDOK;
}

struct RECORDBOXES {
    RECORDBOXES()
    {
        shown.clear();
        sOptions.hInstance = GetModuleHandleA(NULL);
        pfnMenuMessageBoxA = RecordBox;
    }
    ~RECORDBOXES() { pfnMenuMessageBoxA = MessageBoxA; }
};

using zvtest::IcoBytes;
using zvtest::IconImageBytes;
using zvtest::WithU32;

/* Width and height of an icon's picture. */
SIZE IconSize(HICON icon)
{
    ICONINFO info;
    BITMAP bm;
    SIZE size = {0, 0};
    if (!GetIconInfo(icon, &info))
        return size;
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm))
        size = SIZE{bm.bmWidth, bm.bmHeight};
    else if (GetObjectA(info.hbmMask, sizeof bm, &bm))
        size = SIZE{bm.bmWidth, bm.bmHeight / 2};
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

/* Every image of the set has the given sizes and depths, its parts where
 * its header says, and becomes an icon of its size. */
void ExpectImages(const ICONSET *set, const std::vector<std::pair<int, int>> &sizeAndBits)
{
    ASSERT_TRUE(set != NULL);
    ASSERT_EQ((int)sizeAndBits.size(), set->nNumImages);
    for (int i = 0; i < set->nNumImages; i++) {
        SCOPED_TRACE(i);
        const ICONSETIMAGE &image = set->IconImages[i];
        int size = sizeAndBits[i].first, bits = sizeAndBits[i].second;
        EXPECT_EQ((UINT)size, image.Width);
        EXPECT_EQ((UINT)size, image.Height);
        EXPECT_EQ((UINT)bits, image.Colors);
        /* the mask, when there is one, ends the image: colour table and
         * bits lie before it */
        EXPECT_EQ((LPBYTE)image.lpbi, image.lpBits);
        LPBYTE colourEnd = image.lpXOR + (size * bits + 31) / 32 * 4 * size;
        if (image.lpAND) {
            EXPECT_EQ(colourEnd, image.lpAND);
            EXPECT_EQ(image.lpAND + (size + 31) / 32 * 4 * size, image.lpBits + image.dwNumBytes);
        } else {
            EXPECT_EQ(colourEnd, image.lpBits + image.dwNumBytes);
        }
        HICON icon = MakeIconFromResource(&image);
        ASSERT_TRUE(icon != NULL);
        SIZE got = IconSize(icon);
        EXPECT_EQ(size, got.cx);
        EXPECT_EQ(size, got.cy);
        DestroyIcon(icon);
    }
}

TEST(IconReaders, IconFilesAndProgramGroupsBecomeIconsOfEachImage)
{
    RECORDBOXES boxes;
    std::string ico = zvtest::ScratchDir("menu-icons") + "\\five.ico";
    ASSERT_TRUE(zvtest::WriteFileBytes(
        ico, IcoBytes({IconImageBytes(16, 1), IconImageBytes(32, 4), IconImageBytes(48, 8), IconImageBytes(32, 32),
                       IconImageBytes(24, 8)})));
    ICONSET *set = ReadIconFromICOFile(ico.c_str());
    ExpectImages(set, {{16, 1}, {32, 4}, {48, 8}, {32, 32}, {24, 8}});
    FreeIconSet(set);

    /* the rarer shapes, as an icon file and as a program's groups */
    std::vector<std::string> rare;
    for (const zvtest::DAMAGEDFILE &r : zvtest::RareIconImages())
        rare.push_back(r.bytes);
    const std::vector<std::pair<int, int>> rareShapes = {{32, 32}, {16, 4}, {32, 4}, {32, 4}};
    ASSERT_TRUE(zvtest::WriteFileBytes(ico, IcoBytes(rare)));
    set = ReadIconFromICOFile(ico.c_str());
    ExpectImages(set, rareShapes);
    EXPECT_TRUE(set && !set->IconImages[0].lpAND && !set->IconImages[1].lpAND && set->IconImages[2].lpAND);
    FreeIconSet(set);
    std::string rareExe = zvtest::ScratchDir("menu-icons") + "\\rare.exe";
    ASSERT_TRUE(zvtest::WriteFileBytes(rareExe, zvtest::ProgramBytes(rare, false).bytes));
    for (int group = 1; group <= 4; group++) {
        SCOPED_TRACE(group);
        set = ReadIconFromEXEFile(rareExe.c_str(), group);
        ExpectImages(set, {rareShapes[group - 1]});
        FreeIconSet(set);
    }

    /* the menu's own groups, counted from 1: application icon, check
     * mark, default and exit icons; none past the last, and no box */
    std::string exe = zvtest::BinPath("ZVMenu.exe");
    set = ReadIconFromEXEFile(exe.c_str(), 1);
    ExpectImages(set, {{64, 32}, {48, 32}, {32, 32}, {16, 8}});
    FreeIconSet(set);
    /* the three the buttons draw: 32 pixels in 16 colours each */
    for (int group = 2; group <= 4; group++) {
        SCOPED_TRACE(group);
        set = ReadIconFromEXEFile(exe.c_str(), group);
        ExpectImages(set, {{32, 4}});
        FreeIconSet(set);
    }
    EXPECT_TRUE(ReadIconFromEXEFile(exe.c_str(), 0) == NULL);
    EXPECT_TRUE(ReadIconFromEXEFile(exe.c_str(), 5) == NULL);
    EXPECT_TRUE(shown.empty()) << shown[0].text;

    /* a 16-bit image is read; Wine 8 makes an icon of it, of its size */
    ASSERT_TRUE(zvtest::WriteFileBytes(ico, IcoBytes({IconImageBytes(32, 16)})));
    set = ReadIconFromICOFile(ico.c_str());
    ASSERT_TRUE(set != NULL);
    HICON icon = MakeIconFromResource(&set->IconImages[0]);
    EXPECT_TRUE(icon == NULL || IconSize(icon).cx == 32);
    DestroyIcon(icon);
    FreeIconSet(set);
}

TEST(IconReaders, DamagedFilesGiveTheirBoxNeverACrash)
{
    RECORDBOXES boxes;
    std::string dir = zvtest::ScratchDir("menu-icons-damaged");
    std::string good = IconImageBytes(32, 4);
    std::string twoImages = IcoBytes({good, IconImageBytes(16, 8)});
    size_t image = 6 + 16;    /* a one-image file's image starts here */
    struct CASE {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"short header", std::string("\0\0\1", 3)},
        {"wrong type", WithU32(IcoBytes({good}), 0, 0x00020000)},
        {"count beyond the directory", IcoBytes({good}, 40)},
        {"size past the end", WithU32(IcoBytes({good}), 6 + 8, (unsigned)good.size() + 1)},
        {"offset past the end", WithU32(twoImages, 6 + 16 + 12, (unsigned)twoImages.size() - 10)},
        {"huge offset", WithU32(IcoBytes({good}), 6 + 12, 0xFFFFFFF0u)},
        {"cut image", IcoBytes({good.substr(0, 100)})},
        {"header bigger than the image", WithU32(IcoBytes({good}), image, 4000)},
        {"lying colour count", WithU32(IcoBytes({good}), image + 32, 0x40000000)},
        {"lying width", WithU32(IcoBytes({good}), image + 4, 0x7FFFFFFF)},
        {"no picture", WithU32(IcoBytes({good}), image + 8, 0)},
    };
    std::vector<CASE> all(std::begin(cases), std::end(cases));
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedIcos())
        all.push_back({d.what, d.bytes});
    std::string path = dir + "\\damaged.ico";
    for (const CASE &k : all) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(zvtest::WriteFileBytes(path, k.bytes));
        shown.clear();
        EXPECT_TRUE(ReadIconFromICOFile(path.c_str()) == NULL);
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ("Error converting to internal format: " + path, shown[0].text);
        EXPECT_EQ("ZVMenu", shown[0].caption);
        EXPECT_EQ((UINT)(MB_OK | MB_ICONINFORMATION), shown[0].flags);
    }
    shown.clear();
    EXPECT_TRUE(ReadIconFromICOFile((dir + "\\absent.ico").c_str()) == NULL);
    EXPECT_TRUE(ReadIconFromEXEFile(path.c_str(), 1) == NULL);   /* no program */
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("Error opening file for reading: " + dir + "\\absent.ico", shown[0].text);
    EXPECT_EQ("Error loading file - not a valid 32-bit EXE or DLL: " + path, shown[1].text);

    /* groups added to a copy of the program after its four named ones:
     * 5 counts five entries and holds none, 6's image has a header cut
     * short, 7 names an image that is not there (nothing, no box) */
    std::string exe = dir + "\\damaged.exe";
    ASSERT_TRUE(CopyFileA(zvtest::BinPath("ZVMenu.exe").c_str(), exe.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
    ASSERT_TRUE(update != NULL);
    const WORD lying[] = {0, 1, 5}, cutImage[] = {0, 1, 1, 0x2020, 0, 1, 4, 16, 0, 77},
               absent[] = {0, 1, 1, 0x2020, 0, 1, 4, 16, 0, 78}, header[] = {40, 0, 32, 0, 64, 0, 1, 4};
    const WORD *groups[] = {lying, cutImage, absent};
    const DWORD sizes[] = {sizeof lying, sizeof cutImage, sizeof absent};
    const LANGID neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    for (int i = 0; i < 3; i++)
        EXPECT_TRUE(UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(i + 1), neutral, (void *)groups[i], sizes[i]));
    EXPECT_TRUE(UpdateResourceA(update, RT_ICON, MAKEINTRESOURCEA(77), neutral, (void *)header, sizeof header));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    for (int n : {5, 6, 7}) {
        shown.clear();
        EXPECT_TRUE(ReadIconFromEXEFile(exe.c_str(), n) == NULL) << n;
        ASSERT_EQ(n == 7 ? 0u : 1u, shown.size()) << n;
        if (n != 7) {
            EXPECT_EQ("Error converting to internal format: " + exe, shown[0].text);
        }
    }

    /* the program cut short in and around its resources: a box or nothing */
    std::string bytes;
    ASSERT_TRUE(zvtest::ReadFileBytes(zvtest::BinPath("ZVMenu.exe"), &bytes));
    for (size_t cut = 512; cut + 4096 < bytes.size(); cut = cut < bytes.size() / 2 ? bytes.size() / 2 : cut + 4096) {
        std::string part = dir + "\\cut.exe";
        ASSERT_TRUE(zvtest::WriteFileBytes(part, bytes.substr(0, cut)));
        for (int n = 1; n <= 5; n++)
            FreeIconSet(ReadIconFromEXEFile(part.c_str(), n));
    }

    /* damaged programs: loaded only with whole headers and a whole tree,
     * which the loader walks unchecked; a box or nothing, never a crash */
    std::string part = dir + "\\damaged-program.exe";
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedPrograms()) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(zvtest::WriteFileBytes(part, d.bytes));
        for (int n = 1; n <= 2; n++)
            FreeIconSet(ReadIconFromEXEFile(part.c_str(), n));
    }
    zvtest::PROGRAMFILE whole = zvtest::ProgramBytes({IconImageBytes(32, 4)}, false);
    ASSERT_TRUE(zvtest::WriteFileBytes(part, zvtest::WithU16(whole.bytes, whole.rootAt + 14, 0xFFFF)));
    shown.clear();
    EXPECT_TRUE(ReadIconFromEXEFile(part.c_str(), 1) == NULL);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Error loading file - not a valid 32-bit EXE or DLL: " + part, shown[0].text);
    ASSERT_TRUE(zvtest::WriteFileBytes(part, whole.bytes));
    ICONSET *set = ReadIconFromEXEFile(part.c_str(), 1);
    ExpectImages(set, {{32, 4}});
    FreeIconSet(set);
}

} // namespace
} // namespace menu
} // namespace zv
