/*
 * Bounded helpers: a refused copy leaves the destination as it was, which
 * the C runtime's functions of the same names do not do.
 */
#include <gtest/gtest.h>
#include <stdio.h>

#include "safestr.h"

namespace zv {

/* Called the way all project code calls it: unqualified, from inside zv. */
static int CopyLikeTheProject(char *dst, size_t size, const char *src) { return strcpy_s(dst, size, src); }

TEST(BoundedHelpers, ProjectCallersGetTheSystemsOwnCopy)
{
    char dst[8] = "keepme";
    EXPECT_EQ(4, CopyLikeTheProject(dst, sizeof dst, "12345678"));
    EXPECT_STREQ("keepme", dst);
    EXPECT_EQ(0, CopyLikeTheProject(dst, sizeof dst, "1234567"));
    EXPECT_STREQ("1234567", dst);
}

TEST(BoundedHelpers, CopyShiftsLeftInsideOneBuffer)
{
    char buf[16] = "abcdefgh";
    EXPECT_EQ(0, strcpy_s(buf, sizeof buf, buf + 3));
    EXPECT_STREQ("defgh", buf);
}

TEST(BoundedHelpers, AppendFitsOrLeavesTheText)
{
    char a[8] = "abc";
    EXPECT_EQ(0, strcat_s(a, sizeof a, "defg"));
    EXPECT_STREQ("abcdefg", a);
    char b[8] = "abcd";
    EXPECT_EQ(4, strcat_s(b, sizeof b, "efgh"));
    EXPECT_STREQ("abcd", b);
}

TEST(BoundedHelpers, CountedCopy)
{
    char buf[256] = {0};
    EXPECT_EQ(0, strncpy_s(buf, sizeof buf, "abcdef", 3));
    EXPECT_STREQ("abc", buf);

    std::string big(300, 'x');
    char keep[256] = "old";
    EXPECT_EQ(4, strncpy_s(keep, sizeof keep, big.c_str(), 300));
    EXPECT_STREQ("old", keep);

    /* no terminator when the count is not more than the source */
    char raw[8];
    memset(raw, '#', sizeof raw);
    EXPECT_EQ(0, strncpy_s(raw, sizeof raw, "abcdef", 3));
    EXPECT_EQ('#', raw[3]);

    /* a short source pads the count with NULs, never past the size */
    memset(raw, '#', sizeof raw);
    EXPECT_EQ(0, strncpy_s(raw, 4, "ab", 100));
    EXPECT_EQ(0, memcmp(raw, "ab\0\0####", 8));
}

TEST(BoundedHelpers, CaseChangeAcceptsLengthEqualToSize)
{
    char t[4] = "abc";
    EXPECT_EQ(0, _strupr_s(t, 3));
    EXPECT_STREQ("ABC", t);
    EXPECT_EQ(4, _strlwr_s(t, 2));
    EXPECT_STREQ("ABC", t);
    char u[8] = "MiX3d";
    EXPECT_EQ(0, _strlwr_s(u, sizeof u));
    EXPECT_STREQ("mix3d", u);
}

TEST(BoundedHelpers, MemcpyRefusesTooLargeCount)
{
    char d[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(4, memcpy_s(d, 4, "12345", 5));
    EXPECT_EQ(0, memcmp(d, "abcd", 4));
    EXPECT_EQ(0, memcpy_s(d, 4, "1234", 4));
    EXPECT_EQ(0, memcmp(d, "1234", 4));
}

TEST(BoundedHelpers, NumbersAndTimes)
{
    char b[40] = "unchanged";
    EXPECT_EQ(0, _itoa_s(-1, b, sizeof b, 16));
    EXPECT_STREQ("ffffffff", b);
    EXPECT_EQ(0, _itoa_s(-1, b, sizeof b, 10));
    EXPECT_STREQ("-1", b);
    EXPECT_EQ(0, _itoa_s(35, b, sizeof b, 36));
    EXPECT_STREQ("z", b);
    EXPECT_EQ(0, _itoa_s(-2147483647 - 1, b, sizeof b, 10));
    EXPECT_STREQ("-2147483648", b);
    char small[3] = "ok";
    EXPECT_EQ(4, _itoa_s(1234, small, sizeof small, 10));
    EXPECT_STREQ("ok", small);

    EXPECT_EQ(0, _gcvt_s(b, sizeof b, 3.25, 5));
    EXPECT_STREQ("3.25", b);

    time_t t = time(NULL);
    char ct[26] = "same";
    EXPECT_EQ(4, ctime_s(ct, 25, &t));
    EXPECT_STREQ("same", ct);
    ASSERT_EQ(0, ctime_s(ct, 26, &t));
    EXPECT_EQ(25u, strlen(ct));
    EXPECT_EQ('\n', ct[24]);

    /* the standard form: a single-digit day is padded with a blank */
    struct tm when = {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 8;
    when.tm_hour = 9;
    when.tm_min = 31;
    when.tm_sec = 20;
    when.tm_isdst = -1;
    time_t fixed = mktime(&when);
    ASSERT_EQ(0, ctime_s(ct, sizeof ct, &fixed));
    EXPECT_STREQ("Tue Dec  8 09:31:20 2026\n", ct);

    struct tm lt;
    ASSERT_EQ(0, zv::localtime_s(&lt, &t)); // struct tm brings the CRT's into view
    EXPECT_EQ(::localtime(&t)->tm_yday, lt.tm_yday);
}

TEST(BoundedHelpers, TokensSkipEmptyParts)
{
    char text[] = ",,a,,b";
    char *pos = NULL;
    EXPECT_STREQ("a", strtok_s(text, ",", &pos));
    EXPECT_STREQ("b", strtok_s(NULL, ",", &pos));
    EXPECT_EQ(nullptr, strtok_s(NULL, ",", &pos));
    EXPECT_EQ(nullptr, strtok_s(NULL, ",", &pos));
}

TEST(BoundedHelpers, FormattingIsCutAndTerminated)
{
    char b[8];
    int n = snprintf(b, sizeof b, "%s", "0123456789");
    EXPECT_EQ(10, n);
    EXPECT_STREQ("0123456", b);
    snprintf(b, sizeof b, "%u", 4294967295u);
    EXPECT_STREQ("4294967", b);
}

TEST(ByteSearch, FindsFirstOccurrence)
{
    const char hay[] = "x$EOF$yy$EOF$";
    const unsigned char *h = (const unsigned char *)hay;
    const unsigned char *n = (const unsigned char *)"$EOF$";
    EXPECT_EQ(h + 1, boyermoore_horspool_memmem(h, sizeof hay - 1, n, 5));
    EXPECT_EQ(nullptr, boyermoore_horspool_memmem(h, 3, n, 5));
    EXPECT_EQ(nullptr, boyermoore_horspool_memmem(h, sizeof hay - 1, n, 0));
    EXPECT_EQ(h + 2, boyermoore_horspool_memmem(h, sizeof hay - 1, (const unsigned char *)"E", 1));

    const unsigned char bin[] = {0, 1, 0, 0, 2, 0xFF, 0, 0, 2};
    const unsigned char pat[] = {0, 0, 2};
    EXPECT_EQ(bin + 2, boyermoore_horspool_memmem(bin, sizeof bin, pat, 3));
    EXPECT_EQ(nullptr, boyermoore_horspool_memmem(bin, sizeof bin, (const unsigned char *)"\x03", 1));
}

} // namespace zv
