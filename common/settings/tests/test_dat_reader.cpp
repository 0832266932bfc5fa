/*
 * ZORVAN.DAT reader: files written through zlib's gz functions (and plain
 * ones) in a scratch folder, read into a record.
 */
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "settings.h"
#include "zvtest.h"

namespace zv {

namespace {

class DatReader : public ::testing::Test {
protected:
    std::string dir;
    AUTORUNINF ari{};
    int files = 0;

    void SetUp() override { dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    void TearDown() override { zvtest::RemoveTree(dir); }

    std::string Gzip(const std::string &text)
    {
        std::string path = dir + "\\Z" + std::to_string(++files) + ".DAT";
        gzFile gz = gzopen(path.c_str(), "wb");
        EXPECT_NE(nullptr, gz);
        if (gz) {
            if (!text.empty()) {
                EXPECT_EQ((int)text.size(), gzwrite(gz, text.data(), (unsigned)text.size()));
            }
            gzclose(gz);
        }
        return path;
    }

    int Read(const std::string &text)
    {
        memset(&ari, 0, sizeof ari);
        return ReadZorvanDat(Gzip(text).c_str(), &ari);
    }
};

} // namespace

TEST_F(DatReader, NumbersFlagsAndWindowMode)
{
    for (const char *v : { "-1", "1", "4294967295", "2", "0" }) {
        Read(std::string("D:") + v + "\nG:" + v + "\nf:" + v + "\n");
        int set = strtoll(v, NULL, 10) & 1 ? -1 : 0;
        EXPECT_EQ(set, ari.flgForceViewer) << v;
        EXPECT_EQ(set, ari.flgDirFix) << v;
        EXPECT_EQ(set, ari.flgSimpleAccept) << v;
    }

    Read("Q:4294967295\nY:150\nX:-45\nc:640\nE:3\n");
    EXPECT_EQ(2147483647u, ari.uSplashLen);
    EXPECT_EQ(150u, ari.uOffsetPercent);
    EXPECT_EQ(-45, ari.nOffsetAngle);
    EXPECT_EQ(640, ari.uImageWidth);
    EXPECT_STREQ("Maximized", ari.strWinMode);

    /* without an E line the text follows the record's own mode */
    const char *texts[] = { "Normal", "Normal", "Minimized" };
    for (int mode = 0; mode < 3; mode++) {
        memset(&ari, 0, sizeof ari);
        ari.uWindowMode = mode;
        ari.flgTimeOption = -1;
        EXPECT_EQ(1, ReadZorvanDat(Gzip("").c_str(), &ari));
        EXPECT_STREQ(texts[mode], ari.strWinMode);
        EXPECT_EQ(0, ari.flgTimeOption);
    }
}

TEST_F(DatReader, TextsAndLineForms)
{
    std::string title63(63, 't');
    std::string text = "B=act.exe\nA:first.pdf\nC:view.exe\r\nS:3\r\n\nL:" + title63 + "\nL:" + std::string(64, 'u') +
                       "\na:first\na:second notice\nA:second.pdf\nP:last.png";
    EXPECT_EQ(1, Read(text));
    EXPECT_STREQ("act.exe", ari.strDefaultAction);
    EXPECT_STREQ("second.pdf", ari.strDocument);
    EXPECT_STREQ("view.exe\r", ari.strViewer);
    EXPECT_EQ(3u, ari.uPauseLen);
    EXPECT_STREQ(title63.c_str(), ari.strCDTitle);
    EXPECT_STREQ("second notice", ari.pstrLNText);
    EXPECT_EQ(13u, ari.uLNTextLen);
    EXPECT_STREQ("last.png", ari.strSplash);

    /* the same text uncompressed gives the same record */
    AUTORUNINF packed;
    memcpy(&packed, &ari, sizeof ari);
    memset(&ari, 0, sizeof ari);
    std::string plain = dir + "\\PLAIN.DAT";
    ASSERT_TRUE(zvtest::WriteFileBytes(plain, text));
    EXPECT_EQ(1, ReadZorvanDat(plain.c_str(), &ari));
    EXPECT_STREQ("second notice", ari.pstrLNText);
    packed.pstrLNText = ari.pstrLNText = NULL;
    EXPECT_EQ(0, memcmp(&packed, &ari, sizeof ari));
}

TEST_F(DatReader, LinesWithoutAKnownLetterChangeNothing)
{
    memset(&ari, 0, sizeof ari);
    ari.uWindowMode = 1;
    strcpy_s(ari.strWinMode, sizeof ari.strWinMode, "Normal");
    AUTORUNINF before;
    memcpy(&before, &ari, sizeof ari);
    EXPECT_EQ(1, ReadZorvanDat(Gzip("#A:x\n;A:x\n1:x\n A:x\nK:x\nO:x\nb:x\nz:x\n\n\n").c_str(), &ari));
    EXPECT_EQ(0, memcmp(&before, &ari, sizeof ari));
}

TEST_F(DatReader, CopyrightEscapesByFlavour)
{
    Read("I:Made \\#169 here\n");
    EXPECT_STREQ(zvFlavor.fDecodeDatCopyright ? "Made \xA9 here" : "Made \\#169 here", ari.strCopyright);
}

TEST_F(DatReader, OversizedAndShortLines)
{
    /* a line too long for the buffer goes whole, even where its middle
     * looks like a record of its own */
    std::string longLine = "A:" + std::string(8197, 'x') + "P:inside" + std::string(100, 'y');
    EXPECT_EQ(1, Read("A:doc\nQ:9\n" + longLine + "\nQ\nT:after.mid\nA"));
    EXPECT_STREQ("after.mid", ari.strMusic);
    EXPECT_STREQ("", ari.strSplash);
    EXPECT_STREQ("", ari.strDocument);
    EXPECT_EQ(0u, ari.uSplashLen);

    std::string longest = "a:" + std::string(8196, 'n');
    EXPECT_EQ(1, Read(longest + "\nA:x\n" + longest + "n\nQ:4\n"));
    EXPECT_EQ(8196u, ari.uLNTextLen);
    EXPECT_EQ(4u, ari.uSplashLen);

    /* a NUL inside a line ends its value, not the line */
    EXPECT_EQ(1, Read(std::string("A:doc\0junk\nQ:7\n", 15)));
    EXPECT_STREQ("doc", ari.strDocument);
    EXPECT_EQ(7u, ari.uSplashLen);
}

TEST_F(DatReader, UnreadableFiles)
{
    memset(&ari, 0, sizeof ari);
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "kept");
    AUTORUNINF before;
    memcpy(&before, &ari, sizeof ari);
    EXPECT_EQ(0, ReadZorvanDat((dir + "\\NONE.DAT").c_str(), &ari));
    EXPECT_EQ(0, ReadZorvanDat(dir.c_str(), &ari));
    EXPECT_EQ(0, ReadZorvanDat(NULL, &ari));
    EXPECT_EQ(0, memcmp(&before, &ari, sizeof ari));

    /* damaged streams end the reading without taking the file as complete */
    std::string body;
    for (int i = 0; i < 2000; i++)
        body += "A:document" + std::to_string(i) + ".pdf\n";
    std::string good;
    ASSERT_TRUE(zvtest::ReadFileBytes(Gzip(body), &good));

    std::string truncated = good.substr(0, good.size() / 2);
    std::string corrupted = good;
    for (size_t i = 20; i < corrupted.size() - 20; i += 7)
        corrupted[i] = (char)~corrupted[i];
    std::string badTrailer = good;
    badTrailer[badTrailer.size() - 6] ^= 0x55;
    for (const std::string *damaged : { &truncated, &corrupted, &badTrailer }) {
        std::string path = dir + "\\DAMAGED.DAT";
        ASSERT_TRUE(zvtest::WriteFileBytes(path, *damaged));
        memset(&ari, 0, sizeof ari);
        EXPECT_EQ(0, ReadZorvanDat(path.c_str(), &ari));
        EXPECT_STREQ("Normal", ari.strWinMode);
    }
}

} // namespace zv
