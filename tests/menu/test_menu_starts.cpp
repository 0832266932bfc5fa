/*
 * test_menu_starts.cpp - what pressing an item starts: its command line,
 * the menu file's folder as the current one (a drive's root included), the
 * show state; a double click starts once; DefaultAction, "ECHO" and the
 * failure box when the start fails, and when a sub-menu's command does
 * not fit.
 */
#include <gtest/gtest.h>

#include "menusite.h"

namespace zv {
namespace {

bool HasText(const std::string &s, const std::string &part) { return s.find(part) != std::string::npos; }

TEST(MenuStarts, ItemsStartInTheMenuFolderWithTheirShowState)
{
    MENUSITE site = MakeMenuSite("starts");
    std::string cfg = site.dir + "\\cfg";
    ASSERT_TRUE(CreateDirectoryA(cfg.c_str(), NULL));
    WriteMenuIni(cfg + "\\menu.ini", {},
                 {"MenuText1=Big", "Command1=..\\marker.exe first \"a b\"", "Maximize1=yes",
                  "MenuText2=Plain", "Command2=\"..\\marker.exe\" second"});
    MENUPROC proc;
    /* started elsewhere, with a name relative to that folder */
    ASSERT_TRUE(StartMenu(site, "cfg\\menu.ini", site.dir.c_str(), &proc));
    HWND menu = WaitForMenu(proc, 2);
    ASSERT_TRUE(menu != NULL);

    PressItem(menu, 100);
    std::vector<zvtest::MARK> marks = zvtest::WaitForMarks(site.marks, 1, 20000);
    ASSERT_EQ(1u, marks.size());
    EXPECT_TRUE(HasText(marks[0].cmd, "first \"a b\""));
    EXPECT_EQ(cfg, marks[0].cwd);
    EXPECT_EQ(SW_SHOWMAXIMIZED, marks[0].show);

    /* a double click: BN_CLICKED, then BN_DOUBLECLICKED */
    PressItem(menu, 101);
    PressItem(menu, 101, BN_DOUBLECLICKED);
    marks = zvtest::MarksAfterPause(site.marks);
    ASSERT_EQ(2u, marks.size());
    EXPECT_TRUE(HasText(marks[1].cmd, "second"));
    EXPECT_EQ(SW_SHOWNORMAL, marks[1].show);
    PostMessageA(menu, WM_COMMAND, 3599, 0);
    EXPECT_TRUE(proc.Ended(20000));
}

TEST(MenuStarts, AMenuInADriveRootStartsItemsInThatRoot)
{
    MENUSITE site = MakeMenuSite("root");
    std::string root = site.dir + "\\disc";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), NULL));
    ASSERT_TRUE(CopyFileA((site.dir + "\\marker.exe").c_str(), (root + "\\marker.exe").c_str(), FALSE));
    WriteMenuIni(root + "\\ZVMENU.INI", {}, {"MenuText1=Go", "Command1=marker.exe root"});
    zvtest::MAPPEDDRIVE drive(root);
    ASSERT_FALSE(drive.drive.empty());
    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, drive.drive + "\\ZVMENU.INI", site.dir.c_str(), &proc));
    HWND menu = WaitForMenu(proc, 1);
    ASSERT_TRUE(menu != NULL);
    PressItem(menu, 100);
    std::vector<zvtest::MARK> marks = zvtest::WaitForMarks(site.marks, 1, 20000);
    ASSERT_EQ(1u, marks.size());
    EXPECT_EQ(drive.drive + "\\", marks[0].cwd);
    PostMessageA(menu, WM_COMMAND, 3599, 0);
    EXPECT_TRUE(proc.Ended(20000));
}

TEST(MenuStarts, AFailedStartFallsBackOrIsReported)
{
    struct CASE {
        const char *defaultAction;
        const char *box;        /* part of the box's text, or NULL for none */
        bool counts;            /* the item counts as run */
    } cases[] = {
        {"", "Error executing file 'nosuch.exe -x': The specified file was not found.", false},
        {"marker.exe fallback", NULL, true},
        {"ECHO Cannot start {CMD}; try {cmd} again", "Cannot start nosuch.exe -x ; try nosuch.exe -x  again",
         false},
    };
    for (const CASE &k : cases) {
        SCOPED_TRACE(k.defaultAction);
        ClearRecords();
        MENUSITE site = MakeMenuSite("fallback");
        std::string ini = site.dir + "\\ZVMENU.INI";
        WriteMenuIni(ini, {std::string("DefaultAction=") + k.defaultAction},
                     {"MenuText1=Missing", "Command1=nosuch.exe -x", "RunOnce1=yes"});
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
        HWND menu = WaitForMenu(proc, 1);
        ASSERT_TRUE(menu != NULL);
        PressItem(menu, 100);
        if (k.box) {
            std::vector<zvtest::BOX> boxes = AnswerBoxes(proc, 1);
            ASSERT_EQ(1u, boxes.size());
            EXPECT_EQ("ZVMenu", boxes[0].caption);
            EXPECT_TRUE(HasText(boxes[0].text, k.box)) << boxes[0].text;
        } else {
            std::vector<zvtest::MARK> marks = zvtest::WaitForMarks(site.marks, 1, 20000);
            ASSERT_EQ(1u, marks.size());
            EXPECT_TRUE(HasText(marks[0].cmd, "fallback"));
        }
        /* judged by what a person could press next */
        if (k.counts)
            zvtest::Eventually([&] { return !IsWindowEnabled(GetDlgItem(menu, 100)); });
        Sleep(300);
        EXPECT_EQ(!k.counts, IsWindowEnabled(GetDlgItem(menu, 100)) != FALSE);
        DWORD type;
        std::string data;
        EXPECT_EQ(k.counts, ReadRecord(RecordKey(ini), 1, &type, &data));
        EXPECT_TRUE(AnswerBoxes(proc, 1, 500).empty());
    }
}

TEST(MenuStarts, ASubMenuWhoseCommandDoesNotFitIsAFailedStart)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("longsub");
    std::string ini = site.dir + "\\ZVMENU.INI";
    /* fits the item's 259 characters, but not with the program's own path */
    std::string name = std::string(248, 'm') + ".ini";
    WriteMenuIni(ini, {"Checkmarks=yes"}, {"MenuText1=Deeper", "Command1={MENU} " + name, "RunOnce1=yes",
                                           "MenuText2=Run", "Command2=marker.exe run", "RunOnce2=yes"});
    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
    HWND menu = WaitForMenu(proc, 2);
    ASSERT_TRUE(menu != NULL);

    PressItem(menu, 100);
    std::vector<zvtest::BOX> boxes = AnswerBoxes(proc, 1);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("ZVMenu", boxes[0].caption);
    EXPECT_TRUE(HasText(boxes[0].text, "Error executing file '\"")) << boxes[0].text;
    EXPECT_TRUE(HasText(boxes[0].text, "ZVMenu.exe\" " + name + "': ")) << boxes[0].text;

    /* the item beside it runs: once its mark shows, the first press is over */
    PressItem(menu, 101);
    ASSERT_EQ(1u, zvtest::WaitForMarks(site.marks, 1, 20000).size());
    auto checkColumn = [](int i) { return RECT{12, 4 + 56 * i, 44, 52 + 56 * i}; };
    const unsigned checkGreen = 0x1F8A3A;
    zvtest::SCREENSHOT shot;
    EXPECT_TRUE(zvtest::Eventually([&] {
        return zvtest::TakeScreenshot(&shot) && CountNear(shot, menu, checkColumn(1), checkGreen, 48) > 10;
    }, zvtest::EVENT_WAIT_MS, 100)) << zvtest::KeepScreenshot(shot, "menu-long-submenu");
    EXPECT_EQ(0, CountNear(shot, menu, checkColumn(0), checkGreen, 48));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(menu, 100)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(menu, 101)));
    DWORD type;
    std::string data;
    EXPECT_FALSE(ReadRecord(RecordKey(ini), 1, &type, &data));
    EXPECT_TRUE(ReadRecord(RecordKey(ini), 2, &type, &data));
    /* nothing else opened: no second menu took over the window */
    EXPECT_EQ((std::vector<std::string>{"Deeper", "Run"}), ButtonTexts(menu));
    EXPECT_TRUE(AnswerBoxes(proc, 1, 500).empty());

    PostMessageA(menu, WM_COMMAND, 3599, 0);
    EXPECT_TRUE(proc.Ended(20000));
}

} // namespace
} // namespace zv
