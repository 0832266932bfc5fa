/*
 * test_eula_dialog.cpp - the licence dialog as a user meets it: shown by a
 * host program, read and answered from outside through its controls.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resource.h"
#include "zvtest.h"

namespace zv {

namespace {

const char *const kCaption = "Licence of the Test Disc";

HWND Focused(HWND dialog)
{
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof gti;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &gti);
    return gti.hwndFocus;
}

class EulaDialog : public ::testing::Test {
protected:
    std::string dir;
    bool seen = false;
    std::string caption, text;

    void SetUp() override
    {
        dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { zvtest::RemoveTree(dir); }

    std::string File(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }
    /* Shows the dialog; act gets it once it is up and returns the button
     * to press, or 0 when it has answered itself.  The host's exit code. */
    DWORD Show(const std::string &options, const std::string &file,
               const std::function<int(HWND)> &act)
    {
        std::string cmd = "\"" + zvtest::BinPath("eulahost.exe") + "\" " + options + " \"" +
                          kCaption + "\" \"" + file + "\"";
        zvtest::RUN run = zvtest::RunProgram(cmd, NULL, 30000, [&](const zvtest::BOX &box) {
            if (seen)
                return 0;
            seen = true;
            caption = box.caption;
            text = zvtest::WindowText(GetDlgItem(box.hwnd, IDC_EULATEXT));
            return act(box.hwnd);
        });
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(seen);
        return run.exitCode;
    }
};

TEST_F(EulaDialog, AgreeWaitsForTheCheckBox)
{
    std::string path = File("eula.rtf", "{\\rtf1\\ansi {\\b Terms} of use.\\par Second line.}");
    DWORD code = Show("", path, [](HWND dlg) {
        HWND ok = GetDlgItem(dlg, IDOK), check = GetDlgItem(dlg, IDC_EULACHECK);
        HWND edit = GetDlgItem(dlg, IDC_EULATEXT);
        EXPECT_TRUE(IsWindowVisible(check));
        EXPECT_FALSE(IsWindowEnabled(ok));
        /* the dialog may show before it has set its focus */
        EXPECT_TRUE(zvtest::Eventually([&] { return GetDlgItem(dlg, IDCANCEL) == Focused(dlg); }));
        EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
        DWORD_PTR sel = 0;
        SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &sel);
        EXPECT_EQ(LOWORD(sel), HIWORD(sel));

        PostMessageA(check, BM_CLICK, 0, 0);
        EXPECT_TRUE(zvtest::Eventually([&] { return IsWindowEnabled(ok) != FALSE; }));
        PostMessageA(check, BM_CLICK, 0, 0);
        EXPECT_TRUE(zvtest::Eventually([&] { return !IsWindowEnabled(ok); }));
        PostMessageA(check, BM_CLICK, 0, 0);
        EXPECT_TRUE(zvtest::Eventually([&] { return IsWindowEnabled(ok) != FALSE; }));
        return IDOK;
    });
    EXPECT_EQ(1u, code);
    EXPECT_EQ(kCaption, caption);
    EXPECT_EQ(0u, text.find("Terms of use."));
    EXPECT_NE(std::string::npos, text.find("Second line."));
    EXPECT_EQ(std::string::npos, text.find("rtf"));
}

TEST_F(EulaDialog, EveryOtherWayOutDeclines)
{
    std::string path = File("eula.txt", "Terms.");
    EXPECT_EQ(2u, Show("", path, [](HWND dlg) {
        PostMessageA(GetDlgItem(dlg, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
    })) << "Esc";
    seen = false;
    EXPECT_EQ(2u, Show("", path, [](HWND dlg) {
        PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    })) << "close box";
    seen = false;
    EXPECT_EQ(2u, Show("", path, [](HWND) { return IDCANCEL; })) << "I Disagree";
}

TEST_F(EulaDialog, OlderRichEditTemplateWorksAlike)
{
    DWORD code = Show("--xp", File("eula.rtf", "{\\rtf1 Old {\\i style}.}"), [](HWND dlg) {
        char cls[64] = "";
        GetClassNameA(GetDlgItem(dlg, IDC_EULATEXT), cls, sizeof cls);
        EXPECT_STREQ("RichEdit20A", cls);
        PostMessageA(GetDlgItem(dlg, IDC_EULACHECK), BM_CLICK, 0, 0);
        EXPECT_TRUE(zvtest::Eventually([&] { return IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE; }));
        return IDOK;
    });
    EXPECT_EQ(1u, code);
    EXPECT_EQ("Old style.", text);
}

} // namespace

} // namespace zv
