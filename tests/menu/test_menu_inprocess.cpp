/*
 * test_menu_inprocess.cpp - the menu's steps driven in this process with a
 * window class of its own: the music through the MCI seam across sub-menus,
 * menu files that are missing or bad, what the keys read into, colour
 * values, reload requests that arrive while a load is under way, and a
 * window closed while a reload's box is up.
 */
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu.h"
#include "music.h"
#include "settings.h"
#include "testmedia.h"
#include "testpictures.h"
#include "zvtest.h"

namespace zv {
namespace menu {
namespace {

std::vector<std::string> commands;
std::vector<std::string> boxes;

MCIERROR WINAPI RecordMci(LPCSTR command, LPSTR reply, UINT size, HWND)
{
    commands.push_back(command);
    if (reply && size)
        reply[0] = '\0';
    return 0;
}

/* When set, a box sends these reload requests to the window first. */
HWND boxWindow;
std::vector<ATOM> atomsDuringBox;
/* When set, the author closes this window while the box is up. */
HWND closeDuringBox;

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    boxes.push_back(std::string(caption) + "|" + text);
    if (closeDuringBox)
        DestroyWindow(closeDuringBox);
    closeDuringBox = NULL;
    for (ATOM a : atomsDuringBox)
        SendMessageA(boxWindow, WM_COMMAND, ID_MENU_RELOAD, a);
    atomsDuringBox.clear();
    return IDOK;
}

/* The picture loaders' own boxes (a damaged PNG) come through the core. */
std::vector<std::string> loaderBoxes;

int WINAPI RecordLoaderBox(HWND, LPCSTR text, LPCSTR, UINT)
{
    loaderBoxes.push_back(text);
    return IDOK;
}

class MenuInProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        strcpy(MyClass, "ZVMenuTest");
        ASSERT_TRUE(RegisterMenuClass(GetModuleHandleA(NULL)));
    }
    void SetUp() override
    {
        memset(&sOptions, 0, sizeof sOptions);
        sOptions.hInstance = GetModuleHandleA(NULL);
        pfnMciSendStringA = RecordMci;
        pfnMenuMessageBoxA = RecordBox;
        zv::pfnMessageBoxA = RecordLoaderBox;
        commands.clear();
        boxes.clear();
        dir = zvtest::ScratchDir("menu-inprocess");
    }
    void TearDown() override
    {
        if (window && IsWindow(window))
            DestroyWindow(window);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ;
    }
    HWND Load(const std::string &path)
    {
        HWND w = ReinitMenu(window, path.empty() ? 0 : GlobalAddAtomA(path.c_str()), GetModuleHandleA(NULL));
        if (w)
            window = w;
        return w;
    }
    void Write(const std::string &name, const std::string &text)
    {
        ASSERT_TRUE(zvtest::WriteFileBytes(dir + "\\" + name, text));
    }
    std::string dir;
    HWND window = NULL;
};

TEST_F(MenuInProcess, MusicFollowsTheMenuFilesAndStopsAtTheEnd)
{
    Write("a.wav", zvtest::WaveBytes(200));
    Write("b.wav", zvtest::WaveBytes(200));
    Write("a.ini", "[Options]\r\nMusic=a.wav\r\n[ZVMenu]\r\nMenuText1=A\r\nCommand1={MENU} b.ini\r\n");
    Write("b.ini", "[Options]\r\nMusic=b.wav\r\n[ZVMenu]\r\nMenuText1=B\r\n");
    Write("c.ini", "[ZVMenu]\r\nMenuText1=C\r\n");

    ASSERT_TRUE(Load(dir + "\\a.ini") != NULL);
    ASSERT_EQ(4u, commands.size());
    EXPECT_NE(std::string::npos, commands[2].find("a.wav\" alias bgmusic"));
    EXPECT_EQ("play bgmusic", commands[3]);
    EXPECT_EQ(MUSIC_PLAYING, sOptions.nMusic);

    /* a sub-menu's music replaces the playing one: the alias is freed first */
    commands.clear();
    ASSERT_TRUE(Load("b.ini") == window);
    EXPECT_EQ((std::vector<std::string>{"stop all", "close all"}),
              std::vector<std::string>(commands.begin(), commands.begin() + 2));
    ASSERT_EQ(4u, commands.size());
    EXPECT_NE(std::string::npos, commands[2].find("b.wav\" alias bgmusic"));

    /* one without Music keeps it */
    commands.clear();
    ASSERT_TRUE(Load("c.ini") == window);
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(MUSIC_PLAYING, sOptions.nMusic);

    DestroyWindow(window);
    EXPECT_EQ((std::vector<std::string>{"stop all", "close all"}), commands);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MenuInProcess, BadMenuFilesAreReportedAndNeverCrash)
{
    CreateDirectoryA((dir + "\\folder.ini").c_str(), NULL);
    Write("empty.ini", "[Options]\r\nTitle=Nothing\r\n[ZVMenu]\r\nCommand1=marker.exe\r\n");
    std::string png = zvtest::PngBytes(30, 30, 0x3366CC);
    Write("photo.jpg", png);
    Write("broken.png", png.substr(0, png.size() / 2));
    /* whole BMP files the platform refuses without a reason: an OS/2 2.x
     * header, and an RLE8 picture of 65536 x 65536 pixels */
    std::string bmp = zvtest::BmpBytes(5, 3, 0x3366CC);
    std::string os2 = zvtest::WithU32(zvtest::WithU32(bmp.substr(0, 54), 14, 64), 10, 78) + std::string(24, '\0') +
                      bmp.substr(54);
    Write("os2.bmp", zvtest::WithU32(os2, 2, (unsigned)os2.size()));
    std::string rle = zvtest::BmpBytes(16, 4, 8, 0x3366CC).substr(0, 54 + 1024) + std::string("\0\1", 2);
    rle = zvtest::WithU32(zvtest::WithU32(zvtest::WithU32(rle, 18, 65536), 22, 65536), 30, BI_RLE8);
    Write("huge.bmp", zvtest::WithU32(zvtest::WithU32(rle, 34, 2), 2, (unsigned)rle.size()));
    std::string longText(300, 'x');
    Write("long.ini", "[Options]\r\nTitle=" + longText + "\r\nFont=" + std::string(40, 'F') +
                          "\r\nCopyright=" + longText + "\r\n[ZVMenu]\r\nMenuText1=" + longText +
                          "\r\nCommand1=" + longText + "\r\nMenuText2=Up\r\nCommand2={MENU}\r\n");

    for (const char *name : {"missing.ini", "folder.ini"}) {
        boxes.clear();
        EXPECT_TRUE(Load(dir + "\\" + name) == NULL);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(0u, boxes[0].find("ZVMenu|File '" + dir + "\\" + name + "' not found: ")) << boxes[0];
    }
    boxes.clear();
    EXPECT_TRUE(Load(dir + "\\empty.ini") == NULL);
    EXPECT_TRUE(boxes.empty());

    /* each box ends with the system's reason, never with that of success */
    struct {
        const char *picture;
        DWORD reason;
    } pictures[] = {{"photo.jpg", ERROR_BAD_FORMAT}, {"broken.png", ERROR_INVALID_DATA},
                    {"nosuch.bmp", ERROR_FILE_NOT_FOUND}, {"os2.bmp", ERROR_INVALID_DATA},
                    {"huge.bmp", ERROR_INVALID_DATA}};
    for (const auto &p : pictures) {
        SCOPED_TRACE(p.picture);
        boxes.clear();
        Write("picture.ini", std::string("[Options]\r\nBackground=") + p.picture + "\r\n[ZVMenu]\r\nMenuText1=P\r\n");
        ASSERT_TRUE(Load(dir + "\\picture.ini") != NULL);
        EXPECT_TRUE(sOptions.hbmBackground == NULL);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("ZVMenu|File '" + std::string(p.picture) + "' not found: " + zvtest::SystemText(p.reason), boxes[0]);
        EXPECT_EQ(0, CreateBackgroundBitmap(window));
    }

    boxes.clear();
    ASSERT_TRUE(Load(dir + "\\long.ini") != NULL);
    EXPECT_EQ(63u, strlen(sOptions.szTitle));
    EXPECT_STREQ("Tahoma", sOptions.szFont);
    EXPECT_EQ(255u, strlen(sOptions.szCopyright));
    EXPECT_EQ(47u, strlen(sAppList[0].szMenuText));
    EXPECT_EQ(259u, strlen(sAppList[0].szCommand));
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    EXPECT_EQ("\"" + std::string(self) + "\" ", sAppList[1].szCommand);
    EXPECT_TRUE(sAppList[1].bMenu);
}

TEST_F(MenuInProcess, KeysReadAsTheMenuFileMeansThem)
{
    Write("keys.ini", "[Options]\r\nCopyright=A\\x41\\nB\r\nLayout=abc\r\nTileBackground=c\r\n"
                      "ButtonColor=navy\r\nHideCopyright=ON\r\nCheckmarks=-1\r\n"
                      "[ZVMenu]\r\nMenuText2=Two\r\nCommand2={back}\r\nRunOnce2=TRUE\r\nMaximize2=yes\r\n"
                      "MenuText7=Seven\r\nCommand7={Exit}\r\nRunOnce7=1\r\n");
    ASSERT_TRUE(Load(dir + "\\keys.ini") != NULL);
    EXPECT_STREQ("AA\nB", sOptions.szCopyright);
    EXPECT_EQ(0, sOptions.nLayout);
    EXPECT_EQ(2, sOptions.nTileMode);
    EXPECT_EQ(RGB(0, 0, 0x80), sOptions.crButton);
    EXPECT_EQ(RGB(0xA0, 0, 0), sOptions.crClick);
    EXPECT_EQ(0, sOptions.bHideCopyright);
    EXPECT_EQ(1, sOptions.bCheckmarks);
    EXPECT_EQ(dir, sOptions.szIniDir);
    ASSERT_EQ(2, sOptions.nApps);
    EXPECT_STREQ("", sAppList[0].szCommand);
    EXPECT_EQ(0, sAppList[0].bRunOnce);
    EXPECT_EQ(1, sAppList[0].bMaximize);
    EXPECT_EQ(2, sAppList[0].nItem);
    EXPECT_EQ(1, sAppList[1].bExit);
    EXPECT_EQ(1, sAppList[1].bRunOnce);
    EXPECT_EQ(7, sAppList[1].nItem);

    /* a layout above 2 is the dialog of layout 2, which is not built yet */
    Write("seven.ini", "[Options]\r\nLayout=7\r\n[ZVMenu]\r\nMenuText1=X\r\n");
    EXPECT_TRUE(Load(dir + "\\seven.ini") == NULL);
    EXPECT_EQ(2, sOptions.nLayout);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MenuInProcess, RecordValuesCountByTypeAndSize)
{
    DWORD one = 1, zero = 0;
    EXPECT_TRUE(RecordSaysRun("YES", 4, REG_SZ));
    EXPECT_TRUE(RecordSaysRun("yes", 4, REG_SZ));
    EXPECT_FALSE(RecordSaysRun("YES", 3, REG_SZ));
    EXPECT_FALSE(RecordSaysRun("NO", 3, REG_SZ));
    EXPECT_TRUE(RecordSaysRun((const char *)&one, 4, REG_DWORD));
    EXPECT_FALSE(RecordSaysRun((const char *)&zero, 4, REG_DWORD));
    EXPECT_FALSE(RecordSaysRun((const char *)&one, 2, REG_DWORD));
    EXPECT_FALSE(RecordSaysRun("YES", 4, REG_BINARY));

    char buffer[16] = "old";
    DWORD size = sizeof buffer, type = 77;
    EXPECT_EQ(0, QueryHKCUKey("Software\\Quorvel\\ZVMenu\\no such key", "HasRun1", buffer, &size, &type));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(77u, type);
}

TEST_F(MenuInProcess, ColourValuesBecomeColorrefs)
{
    struct CASE {
        const char *text;
        COLORREF want;
    } cases[] = {
        {"#FF0000", 0x0000FF}, {"#ff0000", 0x0000FF}, {"#F00", 0x000F00},   {"#12 34 56", 0x563412},
        {"#1234567", 0x674523}, {"navy", 0x800000},   {"NAVY", 0x800000},   {"darkorange", 0x008CFF},
        {"LightGrey", 0xD3D3D3}, {"FF0000", 0},       {"", 0},              {"Yellowgreen", 0x32CD9A},
    };
    for (const CASE &c : cases)
        EXPECT_EQ(c.want, TranslateColors(c.text)) << c.text;
    EXPECT_EQ(0x563412u, hex2dword("12x34 56"));
    EXPECT_EQ(0x0000FFu, reorder(0xFF0000));
    EXPECT_STREQ("AliceBlue", sColors[0].pszName);
    EXPECT_STREQ("YellowGreen", sColors[139].pszName);
    for (const char *v : {"YES", "yes", "1", "-1"})
        EXPECT_TRUE(YesNo(v)) << v;
    for (const char *v : {"TRUE", "ON", "0", "NO", ""})
        EXPECT_FALSE(YesNo(v)) << v;
}

TEST_F(MenuInProcess, AReloadDuringALoadWaitsAndOnlyTheLatestRuns)
{
    Write("first.ini", "[ZVMenu]\r\nMenuText1=First\r\n");
    Write("busy.ini", "[Options]\r\nBackground=nosuch.png\r\n[ZVMenu]\r\nMenuText1=Busy\r\nMenuText2=Busy2\r\n");
    Write("x.ini", "[ZVMenu]\r\nMenuText1=X\r\n");
    Write("y.ini", "[ZVMenu]\r\nMenuText1=Y1\r\nMenuText2=Y2\r\nMenuText3=Y3\r\n");
    ASSERT_TRUE(Load(dir + "\\first.ini") != NULL);

    ATOM busy = GlobalAddAtomA((dir + "\\busy.ini").c_str());
    ATOM x = GlobalAddAtomA((dir + "\\x.ini").c_str());
    ATOM y = GlobalAddAtomA((dir + "\\y.ini").c_str());
    boxWindow = window;
    atomsDuringBox = {x, y};
    SendMessageA(window, WM_COMMAND, ID_MENU_RELOAD, busy);

    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(3, sOptions.nApps);
    EXPECT_STREQ("Y1", sAppList[0].szMenuText);
    EXPECT_TRUE(IsWindow(sAppList[2].hwndButton));
    char name[MAX_PATH];
    for (ATOM a : {busy, x, y})
        EXPECT_EQ(0u, GlobalGetAtomNameA(a, name, sizeof name));
}

TEST_F(MenuInProcess, AWindowClosedWhileAReloadShowsABoxEndsTheReload)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    std::string icons = std::string(system) + "\\shell32.dll";
    Write("a.wav", zvtest::WaveBytes(200));
    Write("first.ini", "[ZVMenu]\r\nMenuText1=First\r\n");
    Write("gone.ini", "[Options]\r\nBackground=nosuch.bmp\r\nMusic=a.wav\r\nIcon=" + icons +
                          "\r\n[ZVMenu]\r\nMenuText1=A\r\nIcon1=" + icons + ",3\r\nMenuText2=B\r\nIcon2=" + icons +
                          "\r\n");
    ASSERT_TRUE(Load(dir + "\\first.ini") != NULL);
    HWND first = window;

    commands.clear();
    closeDuringBox = window;
    EXPECT_TRUE(Load(dir + "\\gone.ini") == NULL);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].find("nosuch.bmp")) << boxes[0];

    /* after the box nothing more was made: no music, icons or buttons */
    for (const std::string &c : commands) {
        EXPECT_EQ(std::string::npos, c.find("open")) << c;
        EXPECT_EQ(std::string::npos, c.find("play")) << c;
    }
    EXPECT_EQ(0, sOptions.nMusic);
    EXPECT_EQ(0, sOptions.nApps);
    for (const MENUAPP &app : sAppList) {
        EXPECT_TRUE(app.hIcon == NULL);
        EXPECT_TRUE(app.hwndButton == NULL);
    }
    EXPECT_TRUE(sOptions.hwndCopyright == NULL);
    /* and the program's loop is told to end */
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
} // namespace menu
} // namespace zv
