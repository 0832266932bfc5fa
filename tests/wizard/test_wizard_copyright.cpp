/*
 * test_wizard_copyright.cpp - a new project's copyright text from the
 * registry, as REG_SZ (up to the field's whole width), as another type and
 * absent.  It changes the value every new project reads, so it runs alone.
 */
#include <gtest/gtest.h>

#include "wizdriver.h"

using namespace wiztest;

static void SetCopyright(DWORD type, const void *data, DWORD size)
{
    const char *key = "Software\\Quorvel\\Zorvan\\Zorvan Configuration Utility";
    if (data)
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "Copyright", type, data, size);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "Copyright");
}

static std::string CopyrightLine(const std::string &inf)
{
    for (const std::string &line : zvtest::ReadLines(inf))
        if (line.compare(0, 10, "COPYRIGHT=") == 0)
            return line.substr(10);
    return "<none>";
}

TEST(WizardCopyright, NewProjectsTakeTheRegistrysTextOnlyAsText)
{
    std::string tool = ToolFolder("copyright-tool"), proj = DiscFolder("copyright-proj");
    std::string inf = proj + "\\AUTORUN.INF";
    /* other tests compare new projects with an empty copyright: never leave a value */
    struct CLEANUP {
        ~CLEANUP() { SetCopyright(REG_SZ, NULL, 0); }
    } cleanup;
    WIZARD w;
    ASSERT_TRUE(StartWizard(&w, tool));

    const char text[] = "(C) 2026 Example Press";
    DWORD number = 2026;
    /* the whole field, and one character more than it holds */
    std::string whole(511, 'c'), more(512, 'c');
    struct { DWORD type; const void *data; DWORD size; const char *expected; } cases[] = {
        { REG_SZ, text, sizeof text, text },
        { REG_DWORD, &number, sizeof number, "" },
        { REG_SZ, whole.c_str(), 512, whole.c_str() },
        { REG_SZ, more.c_str(), 513, "" },
        { REG_SZ, NULL, 0, "" },
    };
    for (const auto &c : cases) {
        SetCopyright(c.type, c.data, c.size);
        ASSERT_TRUE(CreateProject(w, inf));
        ASSERT_TRUE(SaveInf(w));
        EXPECT_EQ(CopyrightLine(inf), c.expected);
        Click(w, NEXT);
        ASSERT_TRUE(WaitForPage(w, 0));
        /* the save dialog asks before it overwrites the project's INF */
        DeleteFileA(inf.c_str());
    }
    Click(w, CLOSE);
    EXPECT_TRUE(WaitForEnd(&w));
}
