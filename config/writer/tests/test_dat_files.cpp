/*
 * ZORVAN.DAT and the AUTORUN.INF that names it: the records as written,
 * and the settings the readers get back from them.
 */
#include "writertest.h"

#include <algorithm>
#include <stdlib.h>

namespace zv {

class DatFiles : public WriterTest {
protected:
    static bool Has(const std::vector<std::string> &lines, const std::string &line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(DatFiles, RecordsInTheirOrderAndAnInfThatNamesTheFile)
{
    AUTORUNINF ari;
    FullProject(&ari, dir);
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("MYDISC.DAT").c_str()));
    EXPECT_TRUE(boxes.empty());
    EXPECT_STREQ("ZORVAN.EXE", ari.strOpen);

    std::string raw;
    ASSERT_TRUE(zvtest::ReadFileBytes(Path("MYDISC.DAT"), &raw));
    ASSERT_GE(raw.size(), 2u);
    EXPECT_EQ("\x1f\x8b", raw.substr(0, 2)) << "not gzip";

    /* a licence file: the legal notice is not written */
    std::vector<std::string> expected = {
        "A:START.HTM", "B:ECHO Please open START.HTM yourself.", "C:VIEWER.EXE %DOCUMENT%",
        "I:\\#169 2024 Example Press\\nAll rights reserved.", "L:My Disc", "P:SPLASH.JPG", "T:INTRO.WAV",
        "Z:Notice", "e:LICENSE.RTF",
        "D:4294967295", "E:3", "F:4294967295", "G:4294967295", "H:4294967295", "M:0", "N:4294967295",
        "Q:6", "R:1", "S:2", "U:8", "X:-30", "Y:25", "c:640", "d:480", "f:4294967295",
    };
    EXPECT_EQ(expected, DatLines(Path("MYDISC.DAT")));

    std::vector<std::string> inf = zvtest::ReadLines(ari.strInfFile);
    EXPECT_TRUE(Has(inf, "OPEN=ZORVAN.EXE --dat \"MYDISC.DAT\""));
    EXPECT_TRUE(Has(inf, "SHELLEXECUTE=ZORVAN.EXE --dat \"MYDISC.DAT\""));
    EXPECT_TRUE(Has(inf, "[Content]"));
    EXPECT_FALSE(Has(inf, "[Zorvan Data]"));
    EXPECT_FALSE(Has(inf, "[ZVCFG]"));
}

TEST_F(DatFiles, ANewProjectOpensItsDocumentInANormalWindow)
{
    AUTORUNINF ari;
    NewProject(&ari, dir);
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "START.HTM");
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));
    std::vector<std::string> expected = {
        "A:START.HTM", "D:0", "E:1", "F:0", "G:4294967295", "H:0", "M:0", "N:0",
        "Q:0", "R:0", "S:0", "U:0", "X:0", "Y:0", "c:0", "d:0", "f:0",
    };
    EXPECT_EQ(expected, DatLines(Path("ZORVAN.DAT")));

    /* the window mode follows the text the author picked */
    for (const char *mode : { "Minimize", "Maximize", "Normal" }) {
        strcpy_s(ari.strWinMode, sizeof ari.strWinMode, mode);
        ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));
        std::vector<std::string> lines = DatLines(Path("ZORVAN.DAT"));
        EXPECT_TRUE(Has(lines, mode[1] == 'i' ? "E:2" : mode[1] == 'a' ? "E:3" : "E:1")) << mode;
    }
}

TEST_F(DatFiles, EverySettingComesBackThroughTheInfThatNamesIt)
{
    AUTORUNINF ari;
    FullProject(&ari, dir);
    strcpy_s(ari.strEULA, sizeof ari.strEULA, "");
    /* a notice far beyond the reader's line: whole escapes that fit it */
    std::string notice;
    while (notice.size() < 12000)
        notice += "Terms \\#233t\\#233\\n";
    free(ari.pstrLNText);
    ari.pstrLNText = _strdup(notice.c_str());
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));

    /* the INF names the data file relative to the disc's folder */
    SetCurrentDirectoryA(dir.c_str());
    AUTORUNINF back;
    OpenExisting(&back);
    ASSERT_EQ(1, ReadAutoRunInf(ari.strInfFile, &back, 0));
    ASSERT_TRUE(back.pstrDatFile != NULL);
    EXPECT_STREQ("ZORVAN.DAT", back.pstrDatFile);
    EXPECT_STREQ(ari.pstrShellVerb, back.pstrShellVerb);
    EXPECT_STREQ("Maximized", back.strWinMode);
    EXPECT_EQ(3, back.uWindowMode);

    ASSERT_TRUE(back.pstrLNText != NULL);
    std::string read = back.pstrLNText;
    EXPECT_LE(read.size(), 8196u);
    EXPECT_GT(read.size(), 8000u);
    EXPECT_EQ(notice.substr(0, read.size()), read);
    std::string lastEscape = read.substr(read.rfind('\\'));
    EXPECT_TRUE(lastEscape.substr(0, 2) == "\\n" || lastEscape.substr(0, 5) == "\\#233") << "cut escape " << lastEscape;
    EXPECT_EQ(read.size(), back.uLNTextLen);

    /* ZVConfig keeps the data file's copyright escaped */
    char escaped[512];
    CoprPrint(escaped, sizeof escaped, ari.strCopyright);
    EXPECT_STREQ(escaped, back.strCopyright);

    strcpy_s(ari.strCopyright, sizeof ari.strCopyright, escaped);
    free(ari.pstrLNText);
    ari.pstrLNText = _strdup(read.c_str());
    ExpectSameData(ari, back);
}

TEST_F(DatFiles, AnOpenLineKeepsOneDataFileOption)
{
    AUTORUNINF ari;
    NewProject(&ari, dir);
    strcpy_s(ari.strOpen, sizeof ari.strOpen, "ZORVAN.EXE --dat \"OLD NAME.DAT\" -l run.log");
    CreateDirectoryA(Path("SUB").c_str(), NULL);
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("SUB\\NEW.DAT").c_str()));
    std::vector<std::string> inf = zvtest::ReadLines(ari.strInfFile);
    EXPECT_TRUE(Has(inf, "OPEN=ZORVAN.EXE -l run.log --dat \"NEW.DAT\""));
    EXPECT_STREQ("ZORVAN.EXE --dat \"OLD NAME.DAT\" -l run.log", ari.strOpen);
}

TEST_F(DatFiles, ADataFileThatCannotBeCreatedLeavesTheDiscAsItWas)
{
    AUTORUNINF ari;
    NewProject(&ari, dir);
    ASSERT_TRUE(zvtest::WriteFileBytes(ari.strInfFile, "old inf"));
    std::string datPath = Path("MISSING\\ZORVAN.DAT");
    EXPECT_EQ(0, SaveZorvanDat(NULL, &ari, datPath.c_str()));

    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0u, boxes[0].text.find("Error writing file: " + datPath + "\n\n")) << boxes[0].text;
    EXPECT_EQ("Zorvan Configuration Utility", boxes[0].caption);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), boxes[0].type);
    EXPECT_EQ("old inf", zvtest::ReadFileOr(ari.strInfFile));
    EXPECT_FALSE(zvtest::PathExists(Path("AUTORUN.BAK")));
}

} // namespace zv
