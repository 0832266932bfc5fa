/*
 * test_eula_text.cpp - what the licence dialog puts into its rich edit:
 * files told apart by their first bytes, the built-in page for a file that
 * cannot be read, and the symbol replacement that builds that page.
 */
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "eula.h"
#include "resource.h"
#include "zvtest.h"

namespace zv {

namespace {

char *HeapText(const char *s)
{
    char *t = (char *)malloc(strlen(s) + 1);
    strcpy(t, s);
    return t;
}

/* DoSymRep's result as a string, freed; "(null)" when it found nothing. */
std::string Replace(const char *text, const char *name, const char *value)
{
    char *t = HeapText(text);
    char *r = DoSymRep(t, name, value);
    std::string out = r ? r : "(null)";
    if (r)
        free(r);
    else
        free(t); /* left alone: still the caller's */
    return out;
}

TEST(PageSymbols, ReplacesEveryOccurrenceAndKeepsTheRest)
{
    EXPECT_EQ("a LONGER VALUE b LONGER VALUE c", Replace("a %x% b %x% c", "x", "LONGER VALUE"));
    EXPECT_EQ("vv", Replace("%x%%x%", "x", "v"));
    EXPECT_EQ("[]", Replace("[%x%]", "x", ""));
    EXPECT_EQ("[]", Replace("[%x%]", "x", NULL));
    /* an inserted value is not searched again */
    EXPECT_EQ("%x%-%x%", Replace("%x%-%x%", "x", "%x%"));
}

TEST(PageSymbols, NothingFoundGivesNull)
{
    EXPECT_EQ("(null)", Replace("no symbol here", "x", "v"));
    EXPECT_EQ("(null)", Replace("%y% and %x", "x", "v"));
    /* the pattern is whole: a name too long for its buffer finds nothing */
    std::string name(46, 'n');
    EXPECT_EQ("(null)", Replace(("%" + name + "%").c_str(), name.c_str(), "v"));
    std::string fits(45, 'n');
    EXPECT_EQ("v", Replace(("%" + fits + "%").c_str(), fits.c_str(), "v"));
}

TEST(TextStream, HandsOutTheTextInPiecesThenEnds)
{
    char *text = HeapText("0123456789");
    char buf[8];
    LONG got = -1;
    std::string all;
    for (int i = 0; i < 5; i++) {
        memset(buf, '#', sizeof buf);
        EXPECT_EQ(0u, StreaminTextCallback((DWORD_PTR)text, (LPBYTE)buf, 4, &got));
        all.append(buf, (size_t)got);
        if (got == 0)
            break;
    }
    EXPECT_EQ("0123456789", all);
    EXPECT_EQ(0, got);
    /* the last short piece comes with its terminator */
    memset(buf, '#', sizeof buf);
    strcpy(text, "ab");
    StreaminTextCallback((DWORD_PTR)text, (LPBYTE)buf, 4, &got);
    EXPECT_EQ(2, got);
    EXPECT_STREQ("ab", buf);
    free(text);
}

class RichEditFill : public ::testing::Test {
protected:
    std::string dir;
    HWND edit = NULL;

    void SetUp() override
    {
        dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_TRUE(LoadLibraryA("msftedit.dll") != NULL);
        edit = CreateWindowExA(0, "RICHEDIT50W", "", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, NULL,
                               NULL, NULL, NULL);
        ASSERT_TRUE(edit != NULL);
    }
    void TearDown() override
    {
        DestroyWindow(edit);
        zvtest::RemoveTree(dir);
    }
    /* the control's text without CRs, after filling it from path */
    std::string Shown(const std::string &path, BOOL *ok = NULL)
    {
        SetWindowTextA(edit, "");
        BOOL r = FillRichEditFromFile(edit, path.c_str());
        if (ok)
            *ok = r;
        std::string s = zvtest::WindowText(edit), out;
        for (char c : s)
            if (c != '\r')
                out += c;
        return out;
    }
    std::string File(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }
};

TEST_F(RichEditFill, RtfMarkChoosesTheFormat)
{
    BOOL ok = FALSE;
    EXPECT_EQ("Bold terms", Shown(File("a.rtf", "{\\rtf1\\ansi {\\b Bold} terms}"), &ok));
    EXPECT_TRUE(ok);
    /* case matters, a byte-order mark hides the mark, a shorter file is text */
    EXPECT_EQ("{\\RTF1 upper}", Shown(File("b.rtf", "{\\RTF1 upper}")));
    EXPECT_NE(std::string::npos, Shown(File("c.rtf", "\xEF\xBB\xBF{\\rtf1 x}")).find("{\\rtf1 x}"));
    EXPECT_EQ("{\\rt", Shown(File("short.rtf", "{\\rt")));
    EXPECT_EQ("Plain\nterms", Shown(File("d.txt", "Plain\r\nterms")));

    std::string text;
    for (int i = 0; i < 2000; i++)
        text += "line " + std::to_string(i) + "\n";
    EXPECT_EQ(text.substr(0, text.size() - 1), Shown(File("long.txt", text), &ok).substr(0, text.size() - 1));
    EXPECT_TRUE(ok);
}

TEST_F(RichEditFill, MissingFileShowsThePageWithItsName)
{
    BOOL ok = FALSE;
    std::string shown = Shown("C:\\NO\\{SUCH}\\EULA.RTF", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(0u, shown.find("OOPS!!!\n"));
    EXPECT_NE(std::string::npos,
              shown.find("The file 'C:\\NO\\{SUCH}\\EULA.RTF' couldn't be opened or read."));
    EXPECT_NE(std::string::npos, shown.find("3.2.140"));
    EXPECT_EQ(std::string::npos, shown.find('%'));

    EXPECT_NE(std::string::npos, Shown("nosuch.rtf").find("The file 'nosuch.rtf' couldn't"));
}

} // namespace

} // namespace zv
