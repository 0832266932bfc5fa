/*
 * test_launch.cpp - what a command looks like when it reaches the shell:
 * expanded variables, program and parameters, file addresses; and that no
 * destination is ever written past its size.
 */
#include <windows.h>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "launch.h"

namespace zv {

/* A destination with guard bytes behind its size. */
struct Guarded {
    char buf[600];
    size_t size;
    explicit Guarded(size_t n) : size(n) { memset(buf, 'G', sizeof buf); }
    bool GuardIntact() const
    {
        for (size_t i = size; i < sizeof buf; i++)
            if (buf[i] != 'G')
                return false;
        return true;
    }
};

class ReplaceVarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _putenv("ZVT_WINDIR=C:\\WINDOWS");
        _putenv("DOCUMENT=from-env");
        _putenv("ZVT_NOSUCHVAR=");
    }
    std::string Expand(const char *text, const char *document, int *flags = nullptr)
    {
        char dst[512];
        memset(dst, 'x', sizeof dst);
        int f = ReplaceVars(text, dst, sizeof dst, document);
        if (flags)
            *flags = f;
        return dst;
    }
};

TEST_F(ReplaceVarsTest, ExpandsEnvironmentAndDocument)
{
    int flags;
    EXPECT_EQ("C:\\WINDOWS\\notepad.exe", Expand("%ZVT_WINDIR%\\notepad.exe", nullptr, &flags));
    EXPECT_EQ(RV_ENVFOUND, flags);
    EXPECT_EQ("D:\\DOCS\\A.PDF -p", Expand("%Document% -p", "D:\\DOCS\\A.PDF", &flags));
    EXPECT_EQ(RV_DOCUMENT, flags);
    /* without a document text DOCUMENT is an ordinary variable */
    EXPECT_EQ("from-env -p", Expand("%Document% -p", nullptr, &flags));
    EXPECT_EQ(RV_ENVFOUND, flags);
    EXPECT_EQ("D:\\A C:\\WINDOWS", Expand("%dOcUmEnT% %ZVT_WINDIR%", "D:\\A", &flags));
    EXPECT_EQ(RV_ENVFOUND | RV_DOCUMENT, flags);
}

TEST_F(ReplaceVarsTest, PercentSignsAndMissingVariables)
{
    int flags;
    EXPECT_EQ("x", Expand("%ZVT_NOSUCHVAR%x", nullptr, &flags));
    EXPECT_EQ(0, flags);
    EXPECT_EQ("50%", Expand("50%%", nullptr));
    EXPECT_EQ("100% sure", Expand("100%% sure", nullptr));
    EXPECT_EQ("%", Expand("%a%", nullptr));
    EXPECT_EQ("a", Expand("a%b", nullptr));
    EXPECT_EQ("50", Expand("50% off 20%", nullptr));
    EXPECT_EQ("", Expand("", nullptr, &flags));
    EXPECT_EQ(0, flags);
}

TEST_F(ReplaceVarsTest, OverlongNameIsNoVariable)
{
    std::string name(300, 'N');
    std::string text = "a%" + name + "%b";
    int flags;
    EXPECT_EQ("ab", Expand(text.c_str(), nullptr, &flags));
    EXPECT_EQ(0, flags);
}

TEST_F(ReplaceVarsTest, NeverWritesPastTheDestination)
{
    std::string longValue(40, 'v');
    /* a value longer than the destination is dropped, its flag stays */
    Guarded g(16);
    EXPECT_EQ(RV_DOCUMENT, ReplaceVars("%DOCUMENT%", g.buf, g.size, longValue.c_str()));
    EXPECT_STREQ("", g.buf);
    EXPECT_TRUE(g.GuardIntact());

    /* plain text after a value that filled most of the room is cut */
    Guarded h(16);
    ReplaceVars("%DOCUMENT% and a long tail of plain text", h.buf, h.size, "0123456789");
    EXPECT_STREQ("0123456789 and ", h.buf);
    EXPECT_TRUE(h.GuardIntact());

    Guarded one(1);
    EXPECT_EQ(0, ReplaceVars("abc%%", one.buf, one.size, nullptr));
    EXPECT_STREQ("", one.buf);
    EXPECT_TRUE(one.GuardIntact());
}

/* OrderParams's result: 0 when both pieces fit. */
static int Split(const char *command, std::string *program, std::string *params, size_t size = 512)
{
    Guarded p(size), q(size);
    int rc = OrderParams(command, "", p.buf, p.size, q.buf, q.size);
    EXPECT_TRUE(p.GuardIntact());
    EXPECT_TRUE(q.GuardIntact());
    *program = p.buf;
    *params = q.buf;
    return rc;
}

TEST(OrderParams, SplitsProgramFromParameters)
{
    std::string prog, par;
    EXPECT_EQ(0, Split("\"C:\\Program Files\\x.exe\" /s \"a b\"", &prog, &par));
    EXPECT_EQ("C:\\Program Files\\x.exe", prog);
    EXPECT_EQ("/s \"a b\" ", par);
    /* unquoted, a path with a blank is split at it */
    EXPECT_EQ(0, Split("Setup Files\\setup.exe", &prog, &par));
    EXPECT_EQ("Setup", prog);
    EXPECT_EQ("Files\\setup.exe ", par);
    EXPECT_EQ(0, Split("", &prog, &par));
    EXPECT_EQ("", prog);
    EXPECT_EQ("", par);
    Split("notepad.exe readme.txt", &prog, &par);
    EXPECT_EQ("notepad.exe", prog);
    EXPECT_EQ("readme.txt ", par);
    Split("setup.exe", &prog, &par);
    EXPECT_EQ("setup.exe", prog);
    EXPECT_EQ("", par);
    Split("\"a\"b c", &prog, &par);
    EXPECT_EQ("a", prog);
    EXPECT_EQ("b c ", par);
    Split("p.exe\ta", &prog, &par);
    EXPECT_EQ("p.exe", prog);
    EXPECT_EQ("a ", par);
    Split("  \"C:\\my prog.exe\"  ", &prog, &par);
    EXPECT_EQ("C:\\my prog.exe", prog);
    EXPECT_EQ("", par);
    Split("\"C:\\unclosed prog.exe", &prog, &par);
    EXPECT_EQ("C:\\unclosed prog.exe", prog);
    EXPECT_EQ("", par);
    Split(" \t ", &prog, &par);
    EXPECT_EQ("", prog);
    EXPECT_EQ("", par);
}

TEST(OrderParams, ExtraTextFollowsTheRest)
{
    char prog[64], par[64];
    OrderParams("x.exe a", "b", prog, sizeof prog, par, sizeof par);
    EXPECT_STREQ("a b", par);
    OrderParams("x.exe", "b", prog, sizeof prog, par, sizeof par);
    EXPECT_STREQ("b", par);
}

TEST(OrderParams, TooLongPiecesLeaveEmptyTexts)
{
    std::string prog, par;
    /* a program as long as its buffer: no stale text, no write past it */
    std::string cmd = std::string(16, 'p') + " arg";
    EXPECT_NE(0, Split(cmd.c_str(), &prog, &par, 16));
    EXPECT_EQ("", prog);
    EXPECT_EQ("arg ", par);
    std::string longRest = "p.exe " + std::string(40, 'r');
    EXPECT_NE(0, Split(longRest.c_str(), &prog, &par, 16));
    EXPECT_EQ("p.exe", prog);
    EXPECT_EQ("", par);
    /* fits only without the trailing blank */
    std::string exact = "p.exe " + std::string(15, 'r');
    Split(exact.c_str(), &prog, &par, 16);
    EXPECT_EQ(std::string(15, 'r'), par);
}

class BrowseLocalFileTest : public ::testing::Test {
protected:
    char saved[MAX_PATH];
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof saved, saved);
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    }
    void TearDown() override { SetCurrentDirectoryA(saved); }
    std::string Browse(const char *command, size_t size = 512)
    {
        Guarded g(size);
        BrowseLocalFile(command, g.buf, g.size);
        EXPECT_TRUE(g.GuardIntact());
        return g.buf;
    }
};

TEST_F(BrowseLocalFileTest, MakesOneQuotedAddress)
{
    EXPECT_EQ("\"file:///C:/docs/index.htm\"", Browse("docs\\index.htm"));
    EXPECT_EQ("\"file:///C:/My Docs/a b.htm\" -x", Browse("\"My Docs\\a b.htm\" -x"));
    EXPECT_EQ("\"file:///C:/index.htm\" -x", Browse("  index.htm -x"));
    EXPECT_EQ("\"file://///server/share/a.htm\"", Browse("\\\\server\\share\\a.htm"));
    EXPECT_EQ("\"file:///C:/50% #1.htm\"", Browse("\"50% #1.htm\""));
    EXPECT_EQ("", Browse(""));
}

TEST_F(BrowseLocalFileTest, UnclosedQuoteEndsTheText)
{
    EXPECT_EQ("\"file:///C:/open ended.htm\"", Browse("\"open ended.htm"));
}

TEST_F(BrowseLocalFileTest, OverlongPiecesAreLeftOut)
{
    std::string token(600, 't');
    EXPECT_EQ("\"file:///\" -x", Browse((token + " -x").c_str()));
    /* the path does not fit the room left, the later pieces still do */
    EXPECT_EQ("\"file:///\" -x", Browse("docs\\a-rather-long-name.htm -x", 16));
}

TEST(AllocMem, ZeroFilledBlocks)
{
    EXPECT_EQ(nullptr, AllocMem(0));
    unsigned char *p = (unsigned char *)AllocMem(512);
    ASSERT_NE(nullptr, p);
    for (int i = 0; i < 512; i++)
        ASSERT_EQ(0, p[i]);
    FreeMem(p);
    FreeMem(nullptr);
}

} // namespace zv
