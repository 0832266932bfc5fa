/*
 * test_menu_records.cpp - run records in the registry (written with the
 * item's number in the file, honoured after a killed menu, deleted on a
 * reload and at the end, a long path's shortened key) and the hand-over of
 * a menu file to the running menu, sub-menus included.
 */
#include <gtest/gtest.h>

#include "menusite.h"

namespace zv {
namespace {

bool WaitEnabled(HWND button, bool enabled)
{
    return zvtest::Eventually([&] { return (IsWindowEnabled(button) != FALSE) == enabled; });
}

TEST(MenuRecords, ARunOnceItemStaysDisabledUntilTheMenuEnds)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("records");
    std::string ini = site.dir + "\\ZVMENU.INI";
    WriteMenuIni(ini, {}, {"MenuText2=Leave", "Command2={EXIT}", "MenuText5=Once", "Command5=marker.exe once",
                           "RunOnce5=yes"});
    std::string key = RecordKey(ini);
    {
        MENUPROC proc;
        ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
        HWND menu = WaitForMenu(proc, 2);
        ASSERT_TRUE(menu != NULL);
        PressItem(menu, 101);
        EXPECT_TRUE(WaitEnabled(GetDlgItem(menu, 101), false));
        DWORD type = 0;
        std::string data;
        ASSERT_TRUE(ReadRecord(key, 5, &type, &data));
        EXPECT_EQ((DWORD)REG_SZ, type);
        EXPECT_EQ(std::string("YES", 4), data);
        /* as a restart would: the window is never destroyed */
        proc.Kill();
    }
    EXPECT_TRUE(KeyExists(key));
    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
    HWND menu = WaitForMenu(proc, 2);
    ASSERT_TRUE(menu != NULL);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(menu, 101)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(menu, 100)));
    PressItem(menu, 100);
    DWORD code = 1;
    EXPECT_TRUE(proc.Ended(20000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(KeyExists(key));
}

TEST(MenuRecords, ALongPathKeepsItsRecordsUnderTheShortenedKey)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("long");
    std::string dir = site.dir;
    while ((RecordKey(dir) + "\\ZVMENU.INI").size() <= 140) {
        dir += "\\folder-with-a-long-name";
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), NULL));
    }
    ASSERT_TRUE(CopyFileA(site.exe.c_str(), (dir + "\\ZVMenu.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((site.dir + "\\marker.exe").c_str(), (dir + "\\marker.exe").c_str(), FALSE));
    std::string ini = dir + "\\ZVMENU.INI";
    WriteMenuIni(ini, {}, {"MenuText1=Once", "Command1=marker.exe", "RunOnce1=yes"});
    std::string key = RecordKey(ini).substr(0, 127);
    while (!key.empty() && key.back() == '\\')
        key.pop_back();

    MENUSITE deep = site;
    deep.exe = dir + "\\ZVMenu.exe";
    MENUPROC proc;
    ASSERT_TRUE(StartMenu(deep, "", dir.c_str(), &proc));
    HWND menu = WaitForMenu(proc, 1);
    ASSERT_TRUE(menu != NULL);
    PressItem(menu, 100);
    EXPECT_TRUE(WaitEnabled(GetDlgItem(menu, 100), false));
    DWORD type;
    std::string data;
    EXPECT_TRUE(ReadRecord(key, 1, &type, &data));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_TRUE(proc.Ended(20000));
    EXPECT_FALSE(KeyExists(key));
}

TEST(MenuRecords, ASecondStartHandsItsFileToTheRunningMenu)
{
    ClearRecords();
    MENUSITE site = MakeMenuSite("handover");
    std::string ini = site.dir + "\\ZVMENU.INI";
    ASSERT_TRUE(CreateDirectoryA((site.dir + "\\sub").c_str(), NULL));
    WriteMenuIni(ini, {"Title=Main"}, {"MenuText1=Sub", "Command1={menu} sub\\sub.ini", "MenuText2=Run",
                                       "Command2=marker.exe main"});
    WriteMenuIni(site.dir + "\\sub\\sub.ini", {"Title=Sub", "HideCopyright=yes"},
                 {"MenuText1=Back", "Command1={MENU}", "MenuText2=Inner", "Command2=..\\marker.exe inner",
                  "MenuText3=Leave", "Command3={EXIT}"});
    WriteMenuIni(site.dir + "\\other.ini", {}, {"MenuText4=Other", "Command4=marker.exe other"});

    MENUPROC proc;
    ASSERT_TRUE(StartMenu(site, "", NULL, &proc));
    HWND menu = WaitForMenu(proc, 2);
    ASSERT_TRUE(menu != NULL);
    PressItem(menu, 101);
    ASSERT_EQ(1u, zvtest::WaitForMarks(site.marks, 1, 20000).size());
    DWORD type;
    std::string data;
    EXPECT_TRUE(zvtest::Eventually([&] { return ReadRecord(RecordKey(ini), 2, &type, &data); }));

    /* the sub-menu, relative to the menu's folder, in the same window */
    PressItem(menu, 100);
    ASSERT_TRUE(WaitForMenu(proc, 3) == menu);
    EXPECT_EQ((std::vector<std::string>{"Back", "Inner", "Leave"}), ButtonTexts(menu));
    EXPECT_EQ("Main", zvtest::WindowText(menu));
    EXPECT_FALSE(KeyExists(RecordKey(ini)));

    /* "{MENU}" alone: the default menu file again */
    PressItem(menu, 100);
    ASSERT_TRUE(WaitForMenu(proc, 2) == menu);
    EXPECT_EQ((std::vector<std::string>{"Sub", "Run"}), ButtonTexts(menu));

    /* a second start from outside: it ends at once, the first shows the file */
    MENUPROC second;
    ASSERT_TRUE(StartMenu(site, "other.ini", NULL, &second));
    DWORD code = 1;
    EXPECT_TRUE(second.Ended(20000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(zvtest::FindProcessWindows(second.pi.dwProcessId, "ZVMenu").empty());
    ASSERT_TRUE(WaitForMenu(proc, 1) == menu);
    EXPECT_EQ((std::vector<std::string>{"Other"}), ButtonTexts(menu));
    EXPECT_EQ(0, GlobalFindAtomA("other.ini"));

    PostMessageA(menu, WM_COMMAND, 3599, 0);
    EXPECT_TRUE(proc.Ended(20000, &code));
    EXPECT_EQ(0u, code);
}

} // namespace
} // namespace zv
