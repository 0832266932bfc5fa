/*
 * The runtime's command line: option forms, values, bad tokens and the
 * table's life from one parse to the next.
 */
#include <gtest/gtest.h>

#include "boxrecorder.h"

namespace zv {

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override { FreeCommandLine(aclp); }
    void TearDown() override { FreeCommandLine(aclp); }
    void Parse(const std::string &text, int report = 0) { EXPECT_EQ(aclp, ParseCommandLine(&ari, text.c_str(), report)); }
    /* the value of a present option, or "-" */
    std::string V(int i) { return !aclp[i].flgPresent ? "-" : aclp[i].value.psz ? aclp[i].value.psz : "<null>"; }
    std::string All() { return V(CLO_INF) + "|" + V(CLO_LOG) + "|" + V(CLO_DAT) + "|" + (aclp[CLO_TEST].flgPresent ? "t" : "-"); }

    AUTORUNINF ari = {};
    BoxRecorder rec;
};

TEST_F(CommandLine, FormsAndValues)
{
    std::string v255(255, 'a'), v300(300, 'c');
    const char *forms[] = { "--DAT x", "-D x", "/d x", "//dat x", "-/dat x", "/-Dat x", "-dx", "  --dat\tx  " };
    for (const char *text : forms) {
        Parse(text, 1);
        EXPECT_EQ("-|-|x|-", All()) << text;
        FreeCommandLine(aclp);
    }
    struct { std::string text, want; } cases[] = {
        { "", "-|-|-|-" },
        { " \t\r\n\v\f", "-|-|-|-" },
        { "--dat \"C:\\My Disc\\Z.DAT\" -t --inf a --inf b --log=x", "b|=x|C:\\My Disc\\Z.DAT|t" },
        { "--dat \"a b -l c", "-|-|a b -l c|-" },                        /* unclosed quote */
        { "-d -l x --information", "ormation|-|-l|-" },
        { "--log \xA0y\xA0z --dat", "-|\xA0y\xA0z||-" },                 /* upper half is no blank */
        { "--inf " + v255 + " --dat " + v255 + "b --log \"" + v300 + "\" -t", v255 + "|||t" },
        { "--dat \"" + v300, "-|-||-" },
        { "ZORVAN.EXE --dat x -q stray", "-|-|x|-" },
    };
    for (auto &c : cases) {
        Parse(c.text);
        EXPECT_EQ(c.want, All()) << c.text.substr(0, 40);
        FreeCommandLine(aclp);
    }
    EXPECT_TRUE(rec.boxes().empty());
}

TEST_F(CommandLine, EachBadTokenGetsItsOwnBox)
{
    std::string w(300, 'w');
    Parse("-x /x --xyz - abc -test --testing -tl -" + w + " " + w + " --dat ok", 1);
    const char *expected[] = { "-x", "-x", "-xyz", "-", "abc", "est", "ing", "l", "-", "" };
    ASSERT_EQ(10u, rec.boxes().size());
    for (size_t i = 0; i < 10; i++) {
        const RECORDEDBOX &b = rec.boxes()[i];
        EXPECT_EQ(std::string("Invalid command line parameter: ") + expected[i], b.text) << i;
        EXPECT_STREQ(zvFlavor.pszCaption, b.caption.c_str());
        EXPECT_EQ((UINT)MB_ICONINFORMATION, b.type);
        EXPECT_EQ(GetDesktopWindow(), b.owner);
    }
    EXPECT_EQ("-|-|ok|t", All());
}

TEST_F(CommandLine, ParsesAddUpUntilFreed)
{
    Parse("--log a");
    Parse("--dat b");
    EXPECT_EQ("-|a|b|-", All());
    FreeCommandLine(aclp);
    EXPECT_EQ("-|-|-|-", All());
    FreeCommandLine(aclp);   /* a second free releases nothing twice */
    Parse("-t");
    EXPECT_EQ("-|-|-|t", All());
}

} // namespace zv
