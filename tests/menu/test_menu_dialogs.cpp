/*
 * test_menu_dialogs.cpp - ZVMenu's dialog layouts as a person sees them:
 * the buttons beside or below the logo where the templates put them, the
 * logo's picture in each mode, what a press does, and how a window menu
 * hands over to a dialog sub-menu.
 */
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include "menusite.h"
#include "screen.h"
#include "testpictures.h"

namespace zv {
namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

std::string Text(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

/* Control id of the menu's dialog stands where the template tmpl, laid
 * out here (Wine substitutes its font), puts place (x, y, width, height
 * in dialog units; origin and size convert apart, as a dialog does). */
void ExpectPlace(HWND tmpl, HWND dialog, int id, RECT place)
{
    MapDialogRect(tmpl, &place);
    RECT want = {place.left, place.top, place.left + place.right, place.top + place.bottom};
    EXPECT_EQ(Text(want), Text(ChildRect(GetDlgItem(dialog, id)))) << id;
}

/* Keeps the screen once the logo shows the built-in picture's night blue
 * at (x, y) of the logo. */
void KeepWhenDrawn(HWND dialog, int x, int y, const std::string &name)
{
    HWND logo = GetDlgItem(dialog, 1002);
    zvtest::SCREENSHOT shot;
    EXPECT_TRUE(zvtest::WaitForColour(zvtest::ScreenRect(logo, RECT{x - 1, y - 1, x + 2, y + 2}), 0x102654, 8,
                                      20000, &shot));
    zvtest::KeepScreenshot(shot, name);
}

TEST(MenuDialog, LayoutsPlaceTheirControlsAsTheTemplatesSay)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("templates");
    struct CASE {
        int layout, n, tmpl;
        RECT button, logo, line;   /* x, y, width, height of the first button */
        const char *shot;
    } cases[] = {
        /* layout 2, three items: the line at button 103's place, shrunk */
        {7, 3, 122, {47, 76, 200, 20}, {7, 7, 281, 64}, {7, 76 + 23 * 3, 281, 12}, "menu-dialog-layout2"},
        {2, 8, 122, {47, 76, 200, 20}, {7, 7, 281, 64}, {7, 261, 281, 12}, NULL},
        {1, 2, 121, {124, 7, 170, 20}, {7, 7, 107, 185}, {7, 197, 287, 12}, "menu-dialog-layout1"},
    };
    for (const CASE &k : cases) {
        SCOPED_TRACE(k.n);
        HWND tmpl = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(k.tmpl), NULL, QuietProc, 0);
        ASSERT_TRUE(tmpl != NULL);
        std::string ini = site.dir + "\\L" + std::to_string(k.n) + ".INI";
        std::vector<std::string> items = {"RunOnce1=yes", "Command1=marker.exe",
                                          "Command" + std::to_string(k.n) + "={exit}"};
        for (int i = 1; i <= k.n; i++)
            items.push_back("MenuText" + std::to_string(i) + "=Item " + std::to_string(i));
        WriteMenuIni(ini, {"Title=Layout " + std::to_string(k.n), "Layout=" + std::to_string(k.layout),
                           "Copyright=(c) Quay", k.n == 8 ? "HideCopyright=yes" : ""}, items);
        SetDwordRecord(RecordKey(ini), 1, 1);   /* the window wrote it earlier */

        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, ini, NULL, &proc));
        HWND dialog = WaitForMenuDialog(proc);
        ASSERT_TRUE(dialog != NULL);
        EXPECT_EQ("Layout " + std::to_string(k.n), zvtest::WindowText(dialog));
        const LONG style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                           DS_FIXEDSYS | DS_3DLOOK | DS_CENTER | DS_NOIDLEMSG;
        EXPECT_EQ(style | WS_VISIBLE, GetWindowLongA(dialog, GWL_STYLE));
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_EQ(WS_DISABLED | BS_OWNERDRAW | BS_BITMAP, GetWindowLongA(GetDlgItem(dialog, 1002), GWL_STYLE) &
                                                               (WS_DISABLED | BS_OWNERDRAW | BS_BITMAP));
        for (int i = 0; i < 8; i++) {
            HWND b = GetDlgItem(dialog, 100 + i);
            EXPECT_EQ(i < k.n, IsWindowVisible(b) != FALSE) << i;
            EXPECT_EQ(i > 0, IsWindowEnabled(b) != FALSE) << i;
            if (i < k.n) {
                EXPECT_EQ("Item " + std::to_string(i + 1), zvtest::WindowText(b));
                RECT place = k.button;
                place.top += 23 * i;
                ExpectPlace(tmpl, dialog, 100 + i, place);
            }
        }
        ExpectPlace(tmpl, dialog, 1002, k.logo);
        ExpectPlace(tmpl, dialog, 999, k.line);
        HWND line = GetDlgItem(dialog, 999);
        EXPECT_EQ(k.n != 8, IsWindowVisible(line) != FALSE);
        if (k.n != 8) {
            EXPECT_EQ("(c) Quay", zvtest::WindowText(line));
        }

        RECT wr, lr, tr;
        GetWindowRect(dialog, &wr);
        GetWindowRect(line, &lr);
        GetWindowRect(tmpl, &tr);
        DestroyWindow(tmpl);
        EXPECT_EQ(tr.right - tr.left, wr.right - wr.left);
        if (k.layout == 1 || k.n == 8) {
            EXPECT_EQ(tr.bottom - tr.top, wr.bottom - wr.top);
        } else {
            EXPECT_EQ(lr.bottom + GetSystemMetrics(SM_CYDLGFRAME), wr.bottom);
            EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - (wr.right - wr.left) / 2, wr.left);
            EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - (wr.bottom - wr.top) / 2, wr.top);
        }
        if (k.shot)
            KeepWhenDrawn(dialog, k.layout == 1 ? 80 : 8, 30, k.shot);

        /* the Esc key, the close box, {EXIT}: each ends the program */
        if (k.n == 3)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        else if (k.n == 8)
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PressItem(dialog, 100 + k.n - 1);
        DWORD code = 1;
        EXPECT_TRUE(proc.Ended(20000, &code));
        EXPECT_EQ(0u, code);
    }
    EXPECT_TRUE(zvtest::MarksAfterPause(site.marks).empty());
    ClearRecords();
}

unsigned Bgr(unsigned c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

/* The colour at (x, y) of control's client area on the screen now. */
unsigned ScreenAtClient(const zvtest::SCREENSHOT &shot, HWND control, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(control, &p);
    return shot.At(p.x, p.y);
}

TEST(MenuDialog, LogoShowsTheBuiltInPictureOrTheBackgroundInItsMode)
{
    const unsigned night = 0x102654, red = 0xC02020, blue = 0x2040C0, green = 0x20A040;
    const unsigned face = Bgr(GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);

    struct CASE {
        const char *name;
        int layout;
        std::string background, mode;
        std::string picture;
    } cases[] = {
        {"built-in", 1, "", "", ""},
        {"stretched", 2, "back.png", "0", HalvesPng(40, 20, red, blue)},
        {"tiled", 1, "back.png", "T", HalvesPng(20, 20, red, blue)},
        {"centred", 2, "back.png", "c", zvtest::PngBytes(60, 30, green)},
        {"missing", 1, "missing.png", "1", ""},
    };
    for (const CASE &k : cases) {
        SCOPED_TRACE(k.name);
        MENUSITE site = MakeMenuSite("logo");
        if (!k.picture.empty()) {
            ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\back.png", k.picture));
        }
        WriteMenuIni(site.dir + "\\ZVMENU.INI",
                     {"Layout=" + std::to_string(k.layout), "Background=" + k.background, "TileBackground=" + k.mode},
                     {"MenuText1=A", "Command1=marker.exe"});
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
        if (k.background == "missing.png") {
            std::vector<zvtest::BOX> boxes = AnswerBoxes(proc, 1);
            ASSERT_EQ(1u, boxes.size());
            EXPECT_NE(std::string::npos, boxes[0].text.find("missing.png")) << boxes[0].text;
        }
        HWND dialog = WaitForMenuDialog(proc);
        ASSERT_TRUE(dialog != NULL);
        HWND logo = GetDlgItem(dialog, 1002);
        RECT cr;
        GetClientRect(logo, &cr);
        int cw = cr.right, ch = cr.bottom;

        /* sample points, each with the colour it must show */
        std::vector<std::pair<POINT, unsigned>> points;
        if (k.name[0] == 'b') {
            /* the upper fifth of the tall logo is night blue */
            for (int x : {cw / 3, cw / 2, 2 * cw / 3})
                points.push_back({POINT{x, ch / 10}, night});
        } else if (k.name[0] == 's') {
            points = {{POINT{cw / 8, ch / 2}, red}, {POINT{cw / 3, ch / 4}, red},
                      {POINT{7 * cw / 8, ch / 2}, blue}, {POINT{2 * cw / 3, 3 * ch / 4}, blue}};
        } else if (k.name[0] == 't') {
            for (int x : {5, 15, 25, 35, 45, 85, 95})
                for (int y : {5, ch / 2, ch - 5})
                    points.push_back({POINT{x, y}, x % 20 < 10 ? red : blue});
        } else if (k.name[0] == 'c') {
            points = {{POINT{cw / 2, ch / 2}, green}, {POINT{cw / 2 - 25, ch / 2 - 12}, green},
                      {POINT{5, 5}, face}, {POINT{cw - 5, ch / 2}, face}, {POINT{cw / 2 - 40, ch / 2}, face}};
        } else {
            points = {{POINT{5, 5}, face}, {POINT{cw / 2, ch / 2}, face}, {POINT{cw - 5, ch - 5}, face}};
        }
        POINT first = points[0].first;
        RECT probe = zvtest::ScreenRect(logo, RECT{first.x - 1, first.y - 1, first.x + 2, first.y + 2});
        zvtest::SCREENSHOT shot;
        zvtest::WaitForColour(probe, points[0].second, 8, 20000, &shot);
        for (const auto &p : points)
            EXPECT_TRUE(zvtest::NearColour(p.second, ScreenAtClient(shot, logo, p.first.x, p.first.y), 12))
                << p.first.x << "," << p.first.y << " " << std::hex
                << ScreenAtClient(shot, logo, p.first.x, p.first.y);
        if (HasFailure())
            zvtest::KeepScreenshot(shot, std::string("menu-dialog-logo-") + k.name);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(proc.Ended(20000));
    }
}

/* Process ids of the ZVMenu.exe processes running now. */
std::vector<DWORD> MenuProcesses()
{
    std::vector<DWORD> out;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        if (_stricmp(pe.szExeFile, "ZVMenu.exe") == 0)
            out.push_back(pe.th32ProcessID);
    CloseHandle(snap);
    return out;
}

TEST(MenuDialog, ItemsStartAndRunMarksLiveOnlyInTheDialog)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("presses");
    std::string ini = site.dir + "\\ZVMENU.INI";
    WriteMenuIni(ini, {"Layout=2"},
                 {"MenuText1=Once", "Command1=marker.exe once", "RunOnce1=yes", "MenuText2=Again",
                  "Command2=marker.exe again", "MenuText3=Missing", "Command3=nothere.exe",
                  "MenuText4=Sub", "Command4={MENU} sub.ini"});
    for (int round = 0; round < 2; round++) {
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
        HWND dialog = WaitForMenuDialog(proc);
        ASSERT_TRUE(dialog != NULL);
        /* nothing was written: the next start enables the item again */
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 100))) << round;
        if (round == 1) {
            PressItem(dialog, 103);   /* {MENU}: ends here, starts nothing */
            DWORD code = 1;
            EXPECT_TRUE(proc.Ended(20000, &code));
            EXPECT_EQ(0u, code);
            break;
        }
        PressItem(dialog, 100);
        ASSERT_EQ(1u, zvtest::WaitForMarks(site.marks, 1).size());
        EXPECT_TRUE(zvtest::Eventually([&] { return !IsWindowEnabled(GetDlgItem(dialog, 100)); }));
        PressItem(dialog, 101);
        ASSERT_EQ(2u, zvtest::WaitForMarks(site.marks, 2).size());
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 101)));
        /* a start that fails: its box, and the item stays as it was */
        PressItem(dialog, 102);
        std::vector<zvtest::BOX> boxes = AnswerBoxes(proc, 1);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_NE(std::string::npos, boxes[0].text.find("nothere.exe")) << boxes[0].text;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 102)));
        EXPECT_FALSE(KeyExists(RecordKey(ini)));

        /* a second start while this first-start dialog is open: no menu
         * window to hand over to, so it shows its own */
        WriteMenuIni(site.dir + "\\window.ini", {}, {"MenuText1=Own"});
        MENUPROC second;
        ASSERT_TRUE(StartMenu(site, "window.ini", NULL, &second));
        EXPECT_TRUE(WaitForMenu(second, 1) != NULL);
        EXPECT_TRUE(IsWindowVisible(dialog));

        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(proc.Ended(20000));
    }
    std::vector<zvtest::MARK> marks = zvtest::MarksAfterPause(site.marks);
    ASSERT_EQ(2u, marks.size());
    EXPECT_NE(std::string::npos, marks[0].cmd.find("once"));
    EXPECT_NE(std::string::npos, marks[1].cmd.find("again"));
    ClearRecords();
}

TEST(MenuDialog, WindowMenuHandsOverToADialogSubMenu)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("handover");
    WriteMenuIni(site.dir + "\\ZVMENU.INI", {}, {"MenuText1=More", "Command1={MENU} below.ini", "MenuText2=B"});
    WriteMenuIni(site.dir + "\\below.ini", {"Layout=2", "Title=Below"}, {"MenuText1=Back", "Command1={MENU}"});
    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
    HWND menu = WaitForMenu(proc, 2);
    ASSERT_TRUE(menu != NULL);

    PressItem(menu, 100);
    HWND dialog = WaitForMenuDialog(proc);
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ("Below", zvtest::WindowText(dialog));
    EXPECT_FALSE(IsWindowVisible(menu));
    /* the sub-menu's process waits for the dialog that its request opened */
    std::vector<DWORD> others;
    for (DWORD pid : MenuProcesses())
        if (pid != proc.pi.dwProcessId)
            others.push_back(pid);
    ASSERT_EQ(1u, others.size());
    HANDLE sub = OpenProcess(SYNCHRONIZE, FALSE, others[0]);
    ASSERT_TRUE(sub != NULL);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(sub, 500));

    /* a further request reaches the hidden window while the dialog is
     * open: it is not loaded inside the dialog, its sender goes */
    WriteMenuIni(site.dir + "\\other.ini", {}, {"MenuText1=Other"});
    {
        MENUPROC third;
        ASSERT_TRUE(StartMenu(site, "other.ini", NULL, &third));
        DWORD code = 1;
        EXPECT_TRUE(third.Ended(20000, &code));
        EXPECT_EQ(0u, code);
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IsWindowVisible(menu));
    EXPECT_EQ(1u, zvtest::FindProcessWindows(proc.pi.dwProcessId, NULL).size());

    PressItem(dialog, 100);   /* {MENU} in the dialog ends it */
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(sub, 20000));
    CloseHandle(sub);
    DWORD code = 1;
    EXPECT_TRUE(proc.Ended(20000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(zvtest::MarksAfterPause(site.marks).empty());
}

} // namespace
} // namespace zv
