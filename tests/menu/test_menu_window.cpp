/*
 * test_menu_window.cpp - the menu window as a person sees it: its place
 * and size, the buttons and copyright line, what is enabled, and on the
 * screen the background through the buttons, icons, check marks and the
 * text colours; damaged pictures, icons, programs and music from the menu
 * file.
 */
#include <gtest/gtest.h>

#include "menusite.h"
#include "screen.h"
#include "testpictures.h"
#include "testprograms.h"
#include "testsounds.h"

namespace zv {
namespace {

TEST(MenuWindow, ShowsItsItemsInAColumnWithTheCopyrightBelow)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("column");
    std::string ini = site.dir + "\\ZVMENU.INI";
    WriteMenuIni(ini, {"Title=Harbour Menu", "Copyright=(c) 2026 Quay\\nPress"},
                 {"MenuText1=Charts", "Command1=marker.exe charts", "RunOnce1=yes",
                  "MenuText3=Tides", "Command3=marker.exe tides", "RunOnce3=YES",
                  "MenuText5=Leave", "Command5={EXIT}"});
    /* records of an earlier run that ended without closing: numbers count */
    SetDwordRecord(RecordKey(ini), 1, 0);
    SetDwordRecord(RecordKey(ini), 3, 1);

    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
    HWND menu = WaitForMenu(proc, 3);
    ASSERT_TRUE(menu != NULL);
    EXPECT_EQ("Harbour Menu", zvtest::WindowText(menu));
    EXPECT_EQ((std::vector<std::string>{"Charts", "Tides", "Leave"}), ButtonTexts(menu));

    RECT wr, cr;
    GetWindowRect(menu, &wr);
    GetClientRect(menu, &cr);
    int height = 2 * GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYBORDER) + 168;
    EXPECT_EQ(480, wr.right - wr.left);
    EXPECT_EQ(height, wr.bottom - wr.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - 240, wr.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, wr.top);
    for (int i = 0; i < 3; i++) {
        RECT b = ChildRect(GetDlgItem(menu, 100 + i));
        EXPECT_EQ(4, b.left);
        EXPECT_EQ(4 + 56 * i, b.top);
        EXPECT_EQ(cr.right - 4, b.right);
        EXPECT_EQ(48, b.bottom - b.top);
    }
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(menu, 100)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(menu, 101)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(menu, 102)));

    HWND copyright = GetDlgItem(menu, -1);
    ASSERT_TRUE(copyright != NULL);
    EXPECT_EQ("(c) 2026 Quay\nPress", zvtest::WindowText(copyright));
    EXPECT_FALSE(IsWindowEnabled(copyright));
    RECT c = ChildRect(copyright);
    EXPECT_EQ(168, c.top);
    EXPECT_EQ(cr.bottom, c.bottom);

    PressItem(menu, 102);
    DWORD code = 1;
    EXPECT_TRUE(proc.Ended(20000, &code));
    EXPECT_EQ(0u, code);
}

/* Points of the client area that no icon or text covers. */
struct SPOT {
    int x, y;
};
const SPOT spots[] = {{150, 20}, {150, 54}, {300, 30}, {420, 80}, {200, 100}, {460, 10}, {30, 104}};

TEST(MenuWindow, BackgroundShowsThroughTheButtonsInEachMode)
{
    const unsigned red = 0xC02020, blue = 0x2040C0, green = 0x20A040;

    struct CASE {
        const char *mode;
        std::string picture;
    } cases[] = {
        {"0", HalvesPng(40, 20, red, blue)},
        {"Tile", HalvesPng(20, 20, red, blue)},
        {"centre", zvtest::PngBytes(100, 40, green)},
    };
    for (const CASE &k : cases) {
        SCOPED_TRACE(k.mode);
        MENUSITE site = MakeMenuSite("background");
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\back.png", k.picture));
        WriteMenuIni(site.dir + "\\ZVMENU.INI",
                     {"Background=back.png", std::string("TileBackground=") + k.mode, "HideCopyright=yes"},
                     {"MenuText1=A", "Command1=marker.exe", "MenuText2=B", "Command2=marker.exe"});
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
        HWND menu = WaitForMenu(proc, 2);
        ASSERT_TRUE(menu != NULL);
        RECT cr;
        GetClientRect(menu, &cr);
        int cw = cr.right, ch = cr.bottom;

        auto expected = [&](int x, int y) -> unsigned {
            if (k.mode[0] == '0')
                return x < cw / 2 ? red : blue;
            if (k.mode[0] == 'T')
                return x % 20 < 10 ? red : blue;
            bool inside = x >= (cw - 100) / 2 && x < (cw - 100) / 2 + 100 && y >= (ch - 40) / 2 &&
                          y < (ch - 40) / 2 + 40;
            return inside ? green : GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
        };
        auto bgr = [](unsigned c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
        /* a point safely inside the picture tells when the window is drawn */
        RECT probe = zvtest::ScreenRect(menu, RECT{141, 14, 149, 24});
        unsigned first = expected(145, 20);
        zvtest::SCREENSHOT shot;
        zvtest::WaitForColour(probe, k.mode[0] == 'c' ? bgr(first) : first, 6, 20000, &shot);

        std::vector<SPOT> points(std::begin(spots), std::end(spots));
        if (k.mode[0] == 'c')
            points.push_back({cw / 2, ch / 2});
        for (const SPOT &s : points) {
            unsigned want = expected(s.x, s.y);
            if (k.mode[0] == 'c' && want != green)
                want = bgr(want);   /* GetSysColor gives 0x00BBGGRR */
            /* stretching blends only near the edge between the halves */
            EXPECT_TRUE(zvtest::NearColour(want, ScreenAt(shot, menu, s.x, s.y), 12))
                << s.x << "," << s.y << " " << std::hex << ScreenAt(shot, menu, s.x, s.y);
        }
        if (k.mode[0] == '0')
            zvtest::KeepScreenshot(shot, "menu-window-stretched");
        if (k.mode[0] != 'c')
            continue;

        /* a reload repaints the whole window: nothing of the old picture
         * stays between or beside the new buttons */
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\blue.png", zvtest::PngBytes(8, 8, blue)));
        WriteMenuIni(site.dir + "\\blue.ini", {"Background=blue.png", "HideCopyright=yes"},
                     {"MenuText1=A", "MenuText2=B", "MenuText3=C"});
        MENUPROC second;
        ASSERT_TRUE(StartMenu(site, "blue.ini", NULL, &second));
        ASSERT_TRUE(WaitForMenu(proc, 3) == menu);
        RECT gaps[] = {{140, 50, 160, 58}, {cw / 2 - 10, 106, cw / 2 + 10, 114}, {300, 150, 320, 158}};
        for (const RECT &g : gaps)
            if (!zvtest::WaitForColour(zvtest::ScreenRect(menu, g), blue, 6, 20000, &shot)) {
                ADD_FAILURE() << g.left << "," << g.top << " "
                              << zvtest::KeepScreenshot(shot, "menu-window-reloaded");
            }
    }
}

TEST(MenuWindow, ChecksIconsAndTextColoursFollowTheMenuFile)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("colours");
    std::string ini = site.dir + "\\ZVMENU.INI";
    WriteMenuIni(ini, {"Checkmarks=Yes", "ButtonColor=#00C000", "ClickColor=Red", "FontSize=40", "HideCopyright=1"},
                 {"MenuText1=MMMM", "Command1=marker.exe", "MenuText2=MMMM", "Command2=marker.exe",
                  "MenuText3=MMMM", "Command3={EXIT}"});
    SetDwordRecord(RecordKey(ini), 1, 1);
    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
    HWND menu = WaitForMenu(proc, 3);
    ASSERT_TRUE(menu != NULL);
    const unsigned checkGreen = 0x1F8A3A, iconBlue = 0x1F5FA8, door = 0x8B5A2B, text = 0x00C000, click = 0xFF0000;

    /* button i's rows: 4 + 56 i to 52 + 56 i; check column 8..40, icons 48..80 */
    auto row = [](int i, int left, int right) { return RECT{left, 4 + 56 * i, right, 52 + 56 * i}; };
    zvtest::SCREENSHOT shot;
    RECT textArea = {104, 8, 300, 48};
    /* the buttons are drawn one after another: wait for the first's text
     * and the last's icon */
    zvtest::Eventually([&] {
        return zvtest::TakeScreenshot(&shot) && CountNear(shot, menu, textArea, text, 40) > 20 &&
               CountNear(shot, menu, row(2, 52, 84), door, 48) > 10;
    }, zvtest::EVENT_WAIT_MS, 100);
    EXPECT_GT(CountNear(shot, menu, row(0, 12, 44), checkGreen, 48), 10);
    EXPECT_EQ(0, CountNear(shot, menu, row(1, 12, 44), checkGreen, 48));
    EXPECT_GT(CountNear(shot, menu, row(0, 52, 84), iconBlue, 48), 10);
    EXPECT_GT(CountNear(shot, menu, row(1, 52, 84), iconBlue, 48), 10);
    EXPECT_GT(CountNear(shot, menu, row(2, 52, 84), door, 48), 10);
    EXPECT_GT(CountNear(shot, menu, row(0, 104, 400), text, 40), 20);
    EXPECT_EQ(0, CountNear(shot, menu, row(0, 104, 400), click, 40));

    /* pressed: the click colour */
    SendMessageA(GetDlgItem(menu, 101), BM_SETSTATE, TRUE, 0);
    zvtest::Eventually(
        [&] { return zvtest::TakeScreenshot(&shot) && CountNear(shot, menu, row(1, 104, 400), click, 40) > 20; },
        zvtest::EVENT_WAIT_MS, 100);
    EXPECT_GT(CountNear(shot, menu, row(1, 104, 400), click, 40), 20);
    EXPECT_EQ(0, CountNear(shot, menu, row(1, 104, 400), text, 40));
    SendMessageA(GetDlgItem(menu, 101), BM_SETSTATE, FALSE, 0);

    /* the close box ends it too */
    PostMessageA(menu, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(proc.Ended(20000));
}

/* Pixels of the default icon's blue in the icon place of item i. */
int DefaultIconPixels(const zvtest::SCREENSHOT &shot, HWND menu, size_t i)
{
    return CountNear(shot, menu, RECT{12, 4 + 56 * (int)i, 44, 52 + 56 * (int)i}, 0x1F5FA8, 48);
}

/* A screenshot once the first n items all show the default icon, or the
 * last one taken when the wait ended. */
void ShootDefaultIcons(HWND menu, size_t n, zvtest::SCREENSHOT *shot)
{
    zvtest::Eventually([&] {
        if (!zvtest::TakeScreenshot(shot))
            return false;
        for (size_t i = 0; i < n; i++)
            if (DefaultIconPixels(*shot, menu, i) <= 10)
                return false;
        return true;
    }, zvtest::EVENT_WAIT_MS, 100);
}

TEST(MenuWindow, DamagedPicturesGiveTheirBoxDamagedIconsTheDefaultIcon)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("damaged");
    std::vector<zvtest::DAMAGEDFILE> bmps = zvtest::DamagedBmps(), icos = zvtest::DamagedIcos();
    std::vector<std::string> icons;
    for (size_t i = 0; i < icos.size(); i++) {
        icons.push_back("icon" + std::to_string(i) + ".ico");
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\" + icons.back(), icos[i].bytes));
    }
    /* index -1 would count the program's icons */
    icons.push_back("ZVMenu.exe,-1");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\good.ico", zvtest::IcoBytes({zvtest::IconImageBytes(32, 4)})));

    /* a MIDI file whose 64 KB event would hold the sequencer's open, and
     * with it the menu, for ever */
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\long.mid", zvtest::DamagedMidis()[5].bytes));

    /* each damaged background in turn, the first at the start with the
     * damaged music, the others handed over by a second start; the window
     * icon from a damaged file */
    MENUPROC proc;
    for (size_t i = 0; i < bmps.size(); i++) {
        SCOPED_TRACE(bmps[i].what);
        std::string bmp = "back" + std::to_string(i) + ".bmp", ini = "back" + std::to_string(i) + ".ini";
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\" + bmp, bmps[i].bytes));
        std::vector<std::string> options = {"Background=" + bmp, "Icon=" + icons[i % icons.size()]};
        if (i == 0)
            options.push_back("Music=long.mid");
        WriteMenuIni(site.dir + "\\" + ini, options, {"MenuText1=A", "Command1=marker.exe"});
        MENUPROC second;
        ASSERT_TRUE(StartMenu(site, ini, NULL, i == 0 ? &proc : &second));
        std::vector<zvtest::BOX> boxes = AnswerBoxes(proc, 1);
        EXPECT_EQ(1u, boxes.size());
        for (const zvtest::BOX &box : boxes) {
            EXPECT_EQ("ZVMenu", box.caption);
            EXPECT_EQ(0u, box.text.find("File '" + bmp + "' not found: ")) << box.text;
        }
        if (i == 0)
            ASSERT_TRUE(WaitForMenu(proc, 1) != NULL);
        else
            EXPECT_TRUE(second.Ended(20000));
    }

    /* damaged item icons and index -1 draw the default icon; a whole
     * icon file draws its own */
    std::vector<std::string> items;
    for (size_t i = 0; i < icons.size(); i++)
        items.insert(items.end(), {"MenuText" + std::to_string(i + 1) + "=Item",
                                   "Icon" + std::to_string(i + 1) + "=" + icons[i]});
    size_t good = icons.size();
    items.insert(items.end(), {"MenuText" + std::to_string(good + 1) + "=Good",
                               "Icon" + std::to_string(good + 1) + "=good.ico"});
    WriteMenuIni(site.dir + "\\icons.ini", {"Icon=" + icons[0], "HideCopyright=yes"}, items);
    MENUPROC second;
    ASSERT_TRUE(StartMenu(site, "icons.ini", NULL, &second));
    HWND menu = WaitForMenu(proc, (int)good + 1);
    ASSERT_TRUE(menu != NULL);
    EXPECT_TRUE(second.Ended(20000));

    zvtest::SCREENSHOT shot;
    ShootDefaultIcons(menu, good, &shot);
    for (size_t i = 0; i < good; i++)
        EXPECT_GT(DefaultIconPixels(shot, menu, i), 10) << icons[i];
    EXPECT_EQ(0, DefaultIconPixels(shot, menu, good));

    PostMessageA(menu, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 1;
    EXPECT_TRUE(proc.Ended(20000, &code));
    EXPECT_EQ(0u, code);
}

TEST(MenuWindow, DamagedProgramsGiveTheDefaultIconAWholeOneItsOwn)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("damagedprograms");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\good.exe",
                                       zvtest::ProgramBytes({zvtest::IconImageBytes(32, 4)}, false).bytes));
    std::vector<zvtest::DAMAGEDFILE> programs = zvtest::DamagedPrograms();
    const size_t perMenu = 7;

    /* seven damaged programs a menu, then a whole one: the item's icon
     * taken from its command, from IconN with either index, and the
     * window's icon from the first of them; the first menu at the start,
     * the others handed over by a second start */
    MENUPROC proc;
    HWND menu = NULL;
    for (size_t first = 0; first < programs.size(); first += perMenu) {
        std::vector<std::string> items;
        size_t count = std::min(perMenu, programs.size() - first);
        for (size_t i = 0; i < count; i++) {
            std::string n = std::to_string(i + 1), exe = "bad" + std::to_string(first + i) + ".exe";
            ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\" + exe, programs[first + i].bytes));
            items.push_back("MenuText" + n + "=" + programs[first + i].what);
            if (i % 3 == 0)
                items.push_back("Command" + n + "=" + exe + " /x");
            else
                items.insert(items.end(), {"Command" + n + "=marker.exe", "Icon" + n + "=" + exe + "," + std::to_string(i % 3 - 1)});
        }
        std::string n = std::to_string(count + 1);
        items.insert(items.end(), {"MenuText" + n + "=Whole", "Command" + n + "=good.exe"});
        std::string ini = "programs" + std::to_string(first) + ".ini";
        WriteMenuIni(site.dir + "\\" + ini, {"Icon=bad" + std::to_string(first) + ".exe,0", "HideCopyright=yes"}, items);
        MENUPROC second;
        ASSERT_TRUE(StartMenu(site, ini, NULL, first == 0 ? &proc : &second));
        /* a second start ends once the running menu has loaded its file */
        if (first > 0) {
            EXPECT_TRUE(second.Ended(20000));
        }
        menu = WaitForMenu(proc, (int)count + 1);
        ASSERT_TRUE(menu != NULL) << ini;
        EXPECT_EQ(programs[first].what, ButtonTexts(menu)[0]);

        zvtest::SCREENSHOT shot;
        ShootDefaultIcons(menu, count, &shot);
        for (size_t i = 0; i < count; i++)
            EXPECT_GT(DefaultIconPixels(shot, menu, i), 10) << programs[first + i].what;
        EXPECT_EQ(0, DefaultIconPixels(shot, menu, count)) << "the whole program's own icon";
    }

    /* a packed and a 16-bit program show their own icons beside a
     * missing program's default icon; the 16-bit one's negative indices
     * show the default icon */
    const unsigned own = 0x33AA33;   /* red and blue alike: Wine draws PNG icons with the two swapped */
    std::string png = zvtest::PngBytes(32, 32, own);
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\packed.exe", zvtest::ProgramBytes({png}, false, zvtest::PROGRAM_PACKED).bytes));
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\old16.exe", zvtest::NeProgramBytes(png).bytes));
    WriteMenuIni(site.dir + "\\kept.ini", {"HideCopyright=yes"},
                 {"MenuText1=Missing", "Command1=missing.exe", "MenuText2=Packed", "Command2=packed.exe /x",
                  "MenuText3=16-bit", "Command3=marker.exe", "Icon3=old16.exe,0", "MenuText4=-2",
                  "Command4=marker.exe", "Icon4=old16.exe,-2", "MenuText5=4294967294", "Command5=marker.exe",
                  "Icon5=old16.exe,4294967294"});
    MENUPROC second;
    ASSERT_TRUE(StartMenu(site, "kept.ini", NULL, &second));
    EXPECT_TRUE(second.Ended(20000));
    menu = WaitForMenu(proc, 5);
    ASSERT_TRUE(menu != NULL);
    auto ownPixels = [&](const zvtest::SCREENSHOT &shot, int i) {
        return CountNear(shot, menu, RECT{12, 4 + 56 * i, 44, 52 + 56 * i}, own, 40);
    };
    zvtest::SCREENSHOT shot;
    zvtest::Eventually([&] {
        return zvtest::TakeScreenshot(&shot) && DefaultIconPixels(shot, menu, 0) > 10 && ownPixels(shot, 1) > 400 &&
               ownPixels(shot, 2) > 400 && DefaultIconPixels(shot, menu, 3) > 10 && DefaultIconPixels(shot, menu, 4) > 10;
    }, zvtest::EVENT_WAIT_MS, 100);
    for (int i : {0, 3, 4})
        EXPECT_GT(DefaultIconPixels(shot, menu, (size_t)i), 10) << i;
    EXPECT_GT(ownPixels(shot, 1), 400) << "packed";
    EXPECT_GT(ownPixels(shot, 2), 400) << "16-bit";

    PostMessageA(menu, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 1;
    EXPECT_TRUE(proc.Ended(20000, &code));
    EXPECT_EQ(0u, code);
}

} // namespace
} // namespace zv
