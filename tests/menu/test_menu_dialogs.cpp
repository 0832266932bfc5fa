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

/* The menu's template made here, hidden: its size and dialog units as
 * the system lays them out (the font is a substitute under Wine). */
struct TEMPLATE {
    HWND dialog;
    explicit TEMPLATE(int id)
        : dialog(CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), NULL, QuietProc, 0))
    {
    }
    ~TEMPLATE() { DestroyWindow(dialog); }
    /* a control's place: its origin and its size are converted apart */
    RECT Map(int x, int y, int w, int h) const
    {
        RECT rc = {x, y, w, h};
        MapDialogRect(dialog, &rc);
        return RECT{rc.left, rc.top, rc.left + rc.right, rc.top + rc.bottom};
    }
    SIZE Size() const
    {
        RECT rc;
        GetWindowRect(dialog, &rc);
        return SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }
};

bool SameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT &r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

/* Items 100 + i for i < shown are there with their texts, the rest hidden. */
void ExpectItems(HWND dialog, const std::vector<std::string> &texts)
{
    for (int i = 0; i < 8; i++) {
        HWND b = GetDlgItem(dialog, 100 + i);
        ASSERT_TRUE(b != NULL) << i;
        EXPECT_EQ(i < (int)texts.size(), IsWindowVisible(b) != FALSE) << i;
        if (i < (int)texts.size()) {
            EXPECT_EQ(texts[i], zvtest::WindowText(b));
        }
    }
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

SIZE WindowSize(HWND w)
{
    RECT rc;
    GetWindowRect(w, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

TEST(MenuDialog, LayoutsPlaceTheirControlsAsTheTemplatesSay)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("templates");
    TEMPLATE t121(121), t122(122);
    ASSERT_TRUE(t121.dialog && t122.dialog);

    /* layout 2, three items: shrunk below the copyright line, centred */
    std::string ini = site.dir + "\\THREE.INI";
    WriteMenuIni(ini, {"Title=Below the Logo", "Layout=7", "Copyright=(c) 2026 Quay"},
                 {"MenuText1=Charts", "Command1=marker.exe", "RunOnce1=yes", "MenuText2=Tides",
                  "MenuText4=Leave", "Command4={EXIT}"});
    SetDwordRecord(RecordKey(ini), 1, 1);   /* the window wrote it earlier */
    {
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "THREE.INI", NULL, &proc));
        HWND dialog = WaitForMenuDialog(proc);
        ASSERT_TRUE(dialog != NULL);
        EXPECT_EQ("Below the Logo", zvtest::WindowText(dialog));
        ExpectItems(dialog, {"Charts", "Tides", "Leave"});
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 100)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 101)));
        for (int i = 0; i < 3; i++)
            EXPECT_PRED2(SameRect, t122.Map(47, 76 + 23 * i, 200, 20), ChildRect(GetDlgItem(dialog, 100 + i)));
        EXPECT_PRED2(SameRect, t122.Map(7, 7, 281, 64), ChildRect(GetDlgItem(dialog, 1002)));
        HWND line = GetDlgItem(dialog, 999);
        EXPECT_EQ("(c) 2026 Quay", zvtest::WindowText(line));
        EXPECT_PRED2(SameRect, t122.Map(7, 76 + 23 * 3, 281, 12), ChildRect(line)) << Show(ChildRect(line));

        RECT wr, lr;
        GetWindowRect(dialog, &wr);
        GetWindowRect(line, &lr);
        EXPECT_EQ(lr.bottom + GetSystemMetrics(SM_CYDLGFRAME), wr.bottom);
        EXPECT_EQ(t122.Size().cx, wr.right - wr.left);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - (wr.right - wr.left) / 2, wr.left);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - (wr.bottom - wr.top) / 2, wr.top);
        KeepWhenDrawn(dialog, 8, 30, "menu-dialog-layout2");

        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);   /* the Esc key */
        DWORD code = 1;
        EXPECT_TRUE(proc.Ended(20000, &code));
        EXPECT_EQ(0u, code);
    }

    /* layout 2, eight items: the template's own size */
    std::vector<std::string> eight;
    for (int n = 1; n <= 8; n++)
        eight.push_back("MenuText" + std::to_string(n) + "=Item " + std::to_string(n));
    WriteMenuIni(site.dir + "\\EIGHT.INI", {"Layout=2", "HideCopyright=yes"}, eight);
    {
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "EIGHT.INI", NULL, &proc));
        HWND dialog = WaitForMenuDialog(proc);
        ASSERT_TRUE(dialog != NULL);
        EXPECT_EQ(t122.Size().cx, WindowSize(dialog).cx);
        EXPECT_EQ(t122.Size().cy, WindowSize(dialog).cy);
        EXPECT_PRED2(SameRect, t122.Map(47, 76 + 23 * 7, 200, 20), ChildRect(GetDlgItem(dialog, 107)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 999)));
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);   /* the close box */
        DWORD code = 1;
        EXPECT_TRUE(proc.Ended(20000, &code));
        EXPECT_EQ(0u, code);
    }

    /* layout 1, two items: full size, hidden buttons leave their places */
    WriteMenuIni(site.dir + "\\ZVMENU.INI", {"Title=Beside the Logo", "Layout=1"},
                 {"MenuText1=Charts", "Command1=marker.exe", "MenuText2=Leave", "Command2={exit}"});
    {
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
        HWND dialog = WaitForMenuDialog(proc);
        ASSERT_TRUE(dialog != NULL);
        EXPECT_EQ("Beside the Logo", zvtest::WindowText(dialog));
        ExpectItems(dialog, {"Charts", "Leave"});
        EXPECT_EQ(t121.Size().cx, WindowSize(dialog).cx);
        EXPECT_EQ(t121.Size().cy, WindowSize(dialog).cy);
        for (int i = 0; i < 2; i++)
            EXPECT_PRED2(SameRect, t121.Map(124, 7 + 23 * i, 170, 20), ChildRect(GetDlgItem(dialog, 100 + i)));
        EXPECT_PRED2(SameRect, t121.Map(7, 7, 107, 185), ChildRect(GetDlgItem(dialog, 1002)));
        EXPECT_PRED2(SameRect, t121.Map(7, 197, 287, 12), ChildRect(GetDlgItem(dialog, 999)));
        KeepWhenDrawn(dialog, 80, 30, "menu-dialog-layout1");

        PressItem(dialog, 101);   /* {EXIT} */
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
