/*
 * Text escapes: the one-line form written into settings files and its
 * decoding back into bytes.
 */
#include <gtest/gtest.h>

#include <string>

#include "settings.h"

namespace zv {

static std::string Escaped(const std::string &text, size_t size = 512)
{
    std::vector<char> out(size + 1, '#');
    EXPECT_EQ(text.size(), CoprPrint(out.data(), size, text.c_str()));
    EXPECT_EQ('#', out[size]) << "wrote past the size";
    return out.data();
}

static std::string Decoded(const std::string &text)
{
    char buf[512];
    strcpy_s(buf, sizeof buf, text.c_str());
    PreProcess(buf, sizeof buf);
    return buf;
}

TEST(TextEscapes, OneLineFormRoundTrips)
{
    EXPECT_EQ("A\\nB", Escaped("A\r\nB"));
    EXPECT_EQ("A\nB", Decoded("A\\nB"));
    EXPECT_EQ("\\#169 2016", Escaped("\xA9 2016"));
    EXPECT_EQ("\xA9 2016", Decoded("\\#169 2016"));
    EXPECT_EQ("\\#9x\\#127\\#1", Escaped("\tx\x7F\x01"));
    EXPECT_EQ("typed \\n stays", Escaped("typed \\n stays"));
    EXPECT_EQ("typed \n stays", Decoded("typed \\n stays"));
    EXPECT_EQ("~ \\#255", Escaped("~ \xFF"));
}

TEST(TextEscapes, OutputIsCutToTheRoom)
{
    std::string e9(200, '\xE9');
    std::string out = Escaped(e9);
    ASSERT_EQ(511u, out.size());
    std::string whole;
    for (int i = 0; i < 102; i++)
        whole += "\\#233";
    EXPECT_EQ(whole + "\\", out);
    EXPECT_EQ(std::string(102, '\xE9') + "\\", Decoded(out));

    EXPECT_EQ("a\\", Escaped("a\nb", 3));
    EXPECT_EQ("\\#1", Escaped("\x01\x02", 4));
    EXPECT_EQ("", Escaped("abc", 1));

    char buf[8] = "a\r\n\xE9z";   /* in place, within the size given */
    memset(buf + 6, '#', 2);
    CoprPrintInplace(buf, 7);
    EXPECT_STREQ("a\\n\\#2", buf);
    EXPECT_EQ('#', buf[7]);
}

TEST(TextEscapes, EveryFormDecodes)
{
    const char *cases[][2] = {
        { "\\x41\\x4a", "AJ" }, { "\\X4A", "J" }, { "\\#65\\#066", "AB" }, { "\\0101", "A" },
        { "\\#300", "," }, { "\\#1234", "{4" }, { "\\x7G", "\x07G" }, { "\\x414", "A4" }, { "\\01018", "A8" },
        { "\\N\\r\\R", "\n\n\n" }, { "\\\\n", "\\n" }, { "\\\\\\\\", "\\\\" }, { "a\\\\#65", "a\\#65" },
        { "\\q", "\\q" }, { "\\#", "\\#" }, { "\\#0", "\\#0" }, { "\\#256", "\\#256" }, { "\\x00", "\\x00" },
        { "\\000", "\\000" }, { "\\0", "\\0" }, { "\\xZZ", "\\xZZ" }, { "\\08", "\\08" }, { "end\\", "end\\" },
        { "\\#0\\#65", "\\#0A" }, { "", "" },
    };
    for (auto &c : cases)
        EXPECT_EQ(c[1], Decoded(c[0])) << c[0];
}

TEST(TextEscapes, DecodingKeepsToTheGivenSize)
{
    char buf[16] = "x\\#65y";
    PreProcess(buf, 7);   /* exactly the text and its terminator */
    EXPECT_STREQ("xAy", buf);

    char tight[8] = "\\nabcd";
    PreProcess(tight, 3);   /* a size below the text's length must not write past it */
    EXPECT_STREQ("\\nabcd", tight);
}

} // namespace zv
