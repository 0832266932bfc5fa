/*
 * test_menu_icons.cpp - the icon readers in-process: icon files written
 * here with images of every depth, the icon groups of the tree's own
 * programs and of a test library, and damaged files of every kind, whose
 * boxes are recorded instead of shown.
 */
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu.h"
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

/* v as n little-endian bytes */
void Put(std::string *s, unsigned v, int n = 4)
{
    for (int i = 0; i < n; i++)
        s->push_back((char)(v >> 8 * i & 0xFF));
}

/* One icon image: header, grey colour table, colour bits of a pattern,
 * a mask that keeps the left half. */
std::string IconImage(int size, int bits)
{
    std::string s;
    int colours = bits <= 8 ? 1 << bits : 0;
    Put(&s, 40);
    Put(&s, (unsigned)size);
    Put(&s, (unsigned)(2 * size));
    Put(&s, 1 | (unsigned)bits << 16);
    s.append(24, '\0');
    for (int i = 0; i < colours; i++)
        Put(&s, (unsigned)(i * 255 / (colours - 1)) * 0x010101u);
    int row = (size * bits + 31) / 32 * 4, maskRow = (size + 31) / 32 * 4;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < row; x++)
            s.push_back((char)(x * 37 + y * 11));
    for (int y = 0; y < size; y++)
        for (int x = 0; x < maskRow; x++)
            s.push_back(x * 8 < size / 2 ? 0 : (char)0xFF);
    return s;
}

/* An .ICO file of the images; count overrides the header's count. */
std::string IcoFile(const std::vector<std::string> &images, int count = -1)
{
    std::string s;
    Put(&s, 0x10000);
    Put(&s, (unsigned)(count < 0 ? (int)images.size() : count), 2);
    unsigned offset = 6 + 16 * (unsigned)images.size();
    for (const std::string &image : images) {
        int size = (unsigned char)image[4];
        Put(&s, (unsigned)size * 0x101);
        Put(&s, 1 | (unsigned)(unsigned char)image[14] << 16);
        Put(&s, (unsigned)image.size());
        Put(&s, offset);
        offset += (unsigned)image.size();
    }
    for (const std::string &image : images)
        s += image;
    return s;
}

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
        /* the mask ends the image: colour table and bits lie before it */
        EXPECT_EQ((LPBYTE)image.lpbi, image.lpBits);
        EXPECT_EQ(image.lpXOR + (size * bits + 31) / 32 * 4 * size, image.lpAND);
        EXPECT_EQ(image.lpAND + (size + 31) / 32 * 4 * size, image.lpBits + image.dwNumBytes);
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
    std::string dir = zvtest::ScratchDir("menu-icons");
    std::string ico = dir + "\\four.ico";
    ASSERT_TRUE(zvtest::WriteFileBytes(
        ico, IcoFile({IconImage(16, 1), IconImage(32, 4), IconImage(48, 8), IconImage(32, 32), IconImage(24, 8)})));
    ICONSET *set = ReadIconFromICOFile(ico.c_str());
    ExpectImages(set, {{16, 1}, {32, 4}, {48, 8}, {32, 32}, {24, 8}});
    FreeIconSet(set);

    /* the menu's own program: its application icon comes first */
    set = ReadIconFromEXEFile(zvtest::BinPath("ZVMenu.exe").c_str(), 1);
    ExpectImages(set, {{64, 32}, {48, 32}, {32, 32}, {16, 8}});
    FreeIconSet(set);
    /* the test library: two groups, counted from 1 */
    std::string lib = zvtest::BinPath("icongroups.dll");
    set = ReadIconFromEXEFile(lib.c_str(), 2);
    ASSERT_TRUE(set != NULL);
    ExpectImages(set, {{48, 32}});
    FreeIconSet(set);
    set = ReadIconFromEXEFile(lib.c_str(), 1);
    ASSERT_TRUE(set != NULL);
    EXPECT_EQ(2, set->nNumImages);
    FreeIconSet(set);
    /* no such group: nothing, and no box */
    EXPECT_TRUE(ReadIconFromEXEFile(lib.c_str(), 0) == NULL);
    EXPECT_TRUE(ReadIconFromEXEFile(lib.c_str(), 5) == NULL);
    EXPECT_TRUE(ReadIconFromEXEFile(zvtest::BinPath("ZVMenu.exe").c_str(), 5) == NULL);
    EXPECT_TRUE(shown.empty()) << shown[0].text;

    /* a 16-bit image is read; an icon of it is one of its size or none */
    std::string high = dir + "\\high.ico";
    ASSERT_TRUE(zvtest::WriteFileBytes(high, IcoFile({IconImage(32, 16)})));
    set = ReadIconFromICOFile(high.c_str());
    ASSERT_TRUE(set != NULL);
    EXPECT_EQ(16u, set->IconImages[0].Colors);
    HICON icon = MakeIconFromResource(&set->IconImages[0]);
    if (icon) {
        EXPECT_EQ(32, IconSize(icon).cx);
        DestroyIcon(icon);
    }
    FreeIconSet(set);
    EXPECT_TRUE(MakeIconFromResource(NULL) == NULL);
}

TEST(IconReaders, DamagedFilesGiveTheirBoxNeverACrash)
{
    RECORDBOXES boxes;
    std::string dir = zvtest::ScratchDir("menu-icons-damaged");
    std::string good = IconImage(32, 4);
    std::string twoImages = IcoFile({good, IconImage(16, 8)});

    auto withDword = [](std::string s, size_t at, unsigned v) {
        std::string d;
        Put(&d, v);
        s.replace(at, 4, d);
        return s;
    };
    size_t image = 6 + 16;    /* a one-image file's image starts here */
    struct CASE {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"short header", std::string("\0\0\1", 3)},
        {"wrong type", withDword(IcoFile({good}), 0, 0x00020000)},
        {"count beyond the directory", IcoFile({good}, 40)},
        {"size past the end", withDword(IcoFile({good}), 6 + 8, (unsigned)good.size() + 1)},
        {"offset past the end", withDword(twoImages, 6 + 16 + 12, (unsigned)twoImages.size() - 10)},
        {"huge offset", withDword(IcoFile({good}), 6 + 12, 0xFFFFFFF0u)},
        {"cut image", IcoFile({good.substr(0, 100)})},
        {"header bigger than the image", withDword(IcoFile({good}), image, 4000)},
        {"lying colour count", withDword(IcoFile({good}), image + 32, 0x40000000)},
        {"lying width", withDword(IcoFile({good}), image + 4, 0x7FFFFFFF)},
        {"lying height", withDword(IcoFile({good}), image + 8, 0x100000)},
        {"no picture", withDword(IcoFile({good}), image + 8, 0)},
    };
    for (const CASE &k : cases) {
        SCOPED_TRACE(k.name);
        std::string path = dir + "\\damaged.ico";
        ASSERT_TRUE(zvtest::WriteFileBytes(path, k.bytes));
        shown.clear();
        EXPECT_TRUE(ReadIconFromICOFile(path.c_str()) == NULL);
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ("Error converting to internal format: " + path, shown[0].text);
        EXPECT_EQ("ZVMenu", shown[0].caption);
        EXPECT_EQ((UINT)(MB_OK | MB_ICONINFORMATION), shown[0].flags);
    }

    /* files that are not there or no program */
    struct OTHER {
        std::string path, text;
        bool program;
    } others[] = {
        {dir + "\\absent.ico", "Error opening file for reading", false},
        {dir + "\\damaged.ico", "Error loading file - not a valid 32-bit EXE or DLL", true},
        {dir + "\\absent.dll", "Error loading file - not a valid 32-bit EXE or DLL", true},
    };
    for (const OTHER &o : others) {
        SCOPED_TRACE(o.path);
        shown.clear();
        if (o.program)
            EXPECT_TRUE(ReadIconFromEXEFile(o.path.c_str(), 1) == NULL);
        else
            EXPECT_TRUE(ReadIconFromICOFile(o.path.c_str()) == NULL);
        ASSERT_EQ(1u, shown.size());
        EXPECT_EQ(o.text + ": " + o.path, shown[0].text);
    }

    /* groups that lie about their entries or images, added to a copy of
     * the library: 3 counts five entries and holds none, 4's image has a
     * header cut short, 5 names an image that is not there */
    std::string lib = dir + "\\damaged.dll";
    ASSERT_TRUE(CopyFileA(zvtest::BinPath("icongroups.dll").c_str(), lib.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(lib.c_str(), FALSE);
    ASSERT_TRUE(update != NULL);
    const WORD lying[] = {0, 1, 5}, cutImage[] = {0, 1, 1, 0x2020, 0, 1, 4, 16, 0, 77},
               absent[] = {0, 1, 1, 0x2020, 0, 1, 4, 16, 0, 78}, header[] = {40, 0, 32, 0, 64, 0, 1, 4};
    const LANGID neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    EXPECT_TRUE(UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(3), neutral, (void *)lying, sizeof lying));
    EXPECT_TRUE(UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(4), neutral, (void *)cutImage, sizeof cutImage));
    EXPECT_TRUE(UpdateResourceA(update, RT_GROUP_ICON, MAKEINTRESOURCEA(5), neutral, (void *)absent, sizeof absent));
    EXPECT_TRUE(UpdateResourceA(update, RT_ICON, MAKEINTRESOURCEA(77), neutral, (void *)header, sizeof header));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    for (int n : {3, 4}) {
        shown.clear();
        EXPECT_TRUE(ReadIconFromEXEFile(lib.c_str(), n) == NULL) << n;
        ASSERT_EQ(1u, shown.size()) << n;
        EXPECT_EQ("Error converting to internal format: " + lib, shown[0].text);
    }
    /* a group whose image is not there: nothing, without a box */
    shown.clear();
    EXPECT_TRUE(ReadIconFromEXEFile(lib.c_str(), 5) == NULL);
    EXPECT_TRUE(shown.empty());

    /* a library cut short at every few kilobytes: a box or nothing */
    lib = zvtest::BinPath("icongroups.dll");
    std::string bytes;
    ASSERT_TRUE(zvtest::ReadFileBytes(lib, &bytes));
    for (size_t cut = 512; cut < bytes.size(); cut += 1536) {
        std::string path = dir + "\\cut" + std::to_string(cut) + ".dll";
        ASSERT_TRUE(zvtest::WriteFileBytes(path, bytes.substr(0, cut)));
        shown.clear();
        for (int n = 1; n <= 5; n++)
            FreeIconSet(ReadIconFromEXEFile(path.c_str(), n));
        EXPECT_LE(shown.size(), 5u);
    }
}

} // namespace
} // namespace menu
} // namespace zv
