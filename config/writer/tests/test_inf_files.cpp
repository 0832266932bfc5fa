/*
 * AUTORUN.INF as written: byte for byte against the golden files, and what
 * an OPEN line that came from a data-file project turns into.
 */
#include "writertest.h"

#include <algorithm>

namespace zv {

class InfFiles : public WriterTest {
protected:
    /* Saves ari and compares the file, save time masked, with golden. */
    void ExpectGolden(AUTORUNINF *ari, const std::string &golden)
    {
        ASSERT_EQ(1, SaveAutoRunInf(NULL, ari));
        std::string written, expected;
        ASSERT_TRUE(zvtest::ReadFileBytes(ari->strInfFile, &written));
        EXPECT_TRUE(zvtest::ReadFileBytes(zvtest::BinDir() + "\\writer_golden\\" + golden, &expected)) << golden;
        std::string masked = MaskSaveTime(written);
        if (masked != expected) {
            /* left beside the golden ones for a look */
            CreateDirectoryA((zvtest::BinDir() + "\\writer_actual").c_str(), NULL);
            zvtest::WriteFileBytes(zvtest::BinDir() + "\\writer_actual\\" + golden, masked);
        }
        EXPECT_TRUE(masked == expected) << golden << " differs; see writer_actual";
        EXPECT_TRUE(boxes.empty());
    }
};

TEST_F(InfFiles, FullRecordPlainAndCommented)
{
    AUTORUNINF ari;
    FullProject(&ari, dir);
    ExpectGolden(&ari, "full_plain.inf");
    ari.flgComments = -1;
    ExpectGolden(&ari, "full_commented.inf");
}

TEST_F(InfFiles, NewProjectPlainAndCommented)
{
    AUTORUNINF ari;
    NewProject(&ari, dir);
    ExpectGolden(&ari, "new_plain.inf");
    ari.flgComments = -1;
    ExpectGolden(&ari, "new_commented.inf");
}

TEST_F(InfFiles, TheSaveTimeIsTodaysDateAndTime)
{
    AUTORUNINF ari;
    NewProject(&ari, dir);
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    char date[64];
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, NULL, NULL, date, sizeof date);
    std::vector<std::string> lines = zvtest::ReadLines(ari.strInfFile);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(0u, lines[0].find(std::string("; Generated ") + date + " ")) << lines[0];
}

TEST_F(InfFiles, AnOpenLineThatNamedADataFileLosesIt)
{
    /* a project opened from a data-file disc, now saved as a full file */
    AUTORUNINF ari;
    FullProject(&ari, dir);
    strcpy_s(ari.strEULA, sizeof ari.strEULA, "");
    strcpy_s(ari.strOpen, sizeof ari.strOpen, "ZORVAN.EXE --dat \"OLD.DAT\" --log -d.log");
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    std::vector<std::string> lines = zvtest::ReadLines(ari.strInfFile);
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "OPEN=ZORVAN.EXE --log -d.log"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "SHELLEXECUTE=ZORVAN.EXE --log -d.log"));
    EXPECT_STREQ("ZORVAN.EXE --dat \"OLD.DAT\" --log -d.log", ari.strOpen);

    /* and what it starts reads this file's own settings */
    AUTORUNINF back;
    OpenExisting(&back);
    ASSERT_EQ(1, ReadAutoRunInf(ari.strInfFile, &back, 0));
    EXPECT_STREQ("START.HTM", back.strDocument);
    EXPECT_EQ(NULL, back.pstrDatFile);
}

} // namespace zv
