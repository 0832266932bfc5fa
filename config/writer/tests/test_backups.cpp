/*
 * One .BAK generation of the file a save replaces, and saves that fail.
 */
#include "writertest.h"

namespace zv {

class Backups : public WriterTest {
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        NewProject(&ari, dir);
    }
    AUTORUNINF ari;
};

TEST_F(Backups, NoneBeforeOneBeforeAndTwoSaves)
{
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    EXPECT_FALSE(zvtest::PathExists(Path("AUTORUN.BAK")));
    std::string first = zvtest::ReadFileOr(ari.strInfFile);

    /* the older backup goes, the file before this save is kept */
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "SECOND.HTM");
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    EXPECT_EQ(first, zvtest::ReadFileOr(Path("AUTORUN.BAK")));
    std::string second = zvtest::ReadFileOr(ari.strInfFile);
    EXPECT_NE(std::string::npos, second.find("DOCUMENT=SECOND.HTM\r\n"));

    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    EXPECT_EQ(second, zvtest::ReadFileOr(Path("AUTORUN.BAK")));

    /* keys the templates do not hold are not carried over */
    ASSERT_TRUE(zvtest::WriteFileBytes(ari.strInfFile, "[AutoRun]\r\nOPEN=OTHER.EXE\r\n[Mine]\r\nX=1\r\n"));
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    EXPECT_EQ(std::string::npos, zvtest::ReadFileOr(ari.strInfFile).find("[Mine]"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Backups, TheDataFileKeepsItsOwnBackup)
{
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));
    std::string first = zvtest::ReadFileOr(Path("ZORVAN.DAT"));
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));
    EXPECT_EQ(first, zvtest::ReadFileOr(Path("ZORVAN.BAK")));
    EXPECT_TRUE(zvtest::PathExists(Path("AUTORUN.BAK")));
}

TEST_F(Backups, OnlyTheFileNamesExtensionIsReplaced)
{
    CreateDirectoryA(Path("MY.DISC").c_str(), NULL);
    std::string bare = Path("MY.DISC\\AUTORUN");
    ASSERT_TRUE(zvtest::WriteFileBytes(bare, "bare"));
    EXPECT_EQ(0, CreateBackupFile(bare.c_str()));
    EXPECT_EQ("bare", zvtest::ReadFileOr(bare));
    EXPECT_FALSE(zvtest::PathExists(Path("MY.BAK")));

    strcpy_s(ari.strInfFile, sizeof ari.strInfFile, Path("MY.DISC\\AUTORUN.INF").c_str());
    ASSERT_TRUE(zvtest::WriteFileBytes(ari.strInfFile, "old"));
    ASSERT_EQ(1, SaveAutoRunInf(NULL, &ari));
    EXPECT_EQ("old", zvtest::ReadFileOr(Path("MY.DISC\\AUTORUN.BAK")));
    EXPECT_FALSE(zvtest::PathExists(Path("MY.BAK")));

    /* short extensions, no file at all, and a file named like its backup */
    ASSERT_TRUE(zvtest::WriteFileBytes(Path("A.I"), "a"));
    EXPECT_NE(0, CreateBackupFile(Path("A.I").c_str()));
    EXPECT_EQ("a", zvtest::ReadFileOr(Path("A.BAK")));
    EXPECT_EQ(1, CreateBackupFile(Path("NONE.INF").c_str()));
    ASSERT_TRUE(zvtest::WriteFileBytes(Path("SELF.BAK"), "self"));
    EXPECT_EQ(0, CreateBackupFile(Path("SELF.BAK").c_str()));
    EXPECT_EQ("self", zvtest::ReadFileOr(Path("SELF.BAK")));
}

TEST_F(Backups, ATargetThatCannotBeWrittenIsReported)
{
    strcpy_s(ari.strInfFile, sizeof ari.strInfFile, Path("MISSING\\AUTORUN.INF").c_str());
    EXPECT_EQ(0, SaveAutoRunInf(NULL, &ari));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0u, boxes[0].text.find(std::string("Error writing file: ") + ari.strInfFile + "\n\n"))
        << boxes[0].text;
    EXPECT_GT(boxes[0].text.size(), strlen(ari.strInfFile) + 22) << "no system text";
    EXPECT_EQ("Zorvan Configuration Utility", boxes[0].caption);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), boxes[0].type);

    boxes.clear();
    strcpy_s(ari.strInfFile, sizeof ari.strInfFile, Path("MISSING\\AUTORUN.INF").c_str());
    EXPECT_EQ(0, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0u, boxes[0].text.find(std::string("Error writing file: ") + ari.strInfFile));
    EXPECT_FALSE(zvtest::PathExists(Path("ZORVAN.DAT")));
}

/* Held open by another program that lets others only read it: under Wine
 * it can then be neither renamed nor written. */
class LockedFile {
public:
    explicit LockedFile(const std::string &path)
        : h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL))
    {
    }
    ~LockedFile() { Release(); }
    bool Held() const { return h != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (Held())
            CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h;
};

TEST_F(Backups, AFailedSaveLeavesTheOldFilesOrTheNewInfNeverNeither)
{
    /* a data file that shares AUTORUN.INF's backup name and cannot be
     * written: both old files stay as they were */
    std::string dat = Path("AUTORUN.DAT");
    ASSERT_TRUE(zvtest::WriteFileBytes(ari.strInfFile, "old inf"));
    ASSERT_TRUE(zvtest::WriteFileBytes(dat, "old dat"));
    LockedFile lock(dat);
    ASSERT_TRUE(lock.Held());
    EXPECT_EQ(0, SaveZorvanDat(NULL, &ari, dat.c_str()));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0u, boxes[0].text.find("Error writing file: " + dat + "\n\n")) << boxes[0].text;
    EXPECT_EQ("old inf", zvtest::ReadFileOr(ari.strInfFile));
    lock.Release();
    EXPECT_EQ("old dat", zvtest::ReadFileOr(dat));

    /* once it can be written, its backup is the one both names share */
    boxes.clear();
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, dat.c_str()));
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(std::string::npos, zvtest::ReadFileOr(ari.strInfFile).find("OPEN=ZORVAN.EXE --dat \"AUTORUN.DAT\"\r\n"));
    EXPECT_EQ("old dat", zvtest::ReadFileOr(Path("AUTORUN.BAK")));
    EXPECT_EQ(16u, DatLines(dat).size()) << "the sixteen numbers and flags";

    /* an ordinary data file: the older backup is kept while the file it
     * would make way for cannot move */
    std::string zorvan = Path("ZORVAN.DAT");
    ASSERT_TRUE(zvtest::WriteFileBytes(ari.strInfFile, "old inf"));
    ASSERT_TRUE(zvtest::WriteFileBytes(zorvan, "old zorvan"));
    ASSERT_TRUE(zvtest::WriteFileBytes(Path("ZORVAN.BAK"), "older zorvan"));
    LockedFile zorvanLock(zorvan);
    ASSERT_TRUE(zorvanLock.Held());
    boxes.clear();
    EXPECT_EQ(0, SaveZorvanDat(NULL, &ari, zorvan.c_str()));
    EXPECT_EQ(1u, boxes.size());
    EXPECT_EQ("old inf", zvtest::ReadFileOr(ari.strInfFile));
    EXPECT_EQ("older zorvan", zvtest::ReadFileOr(Path("ZORVAN.BAK")));
    zorvanLock.Release();
    EXPECT_EQ("old zorvan", zvtest::ReadFileOr(zorvan));

    /* the same for AUTORUN.INF itself */
    ASSERT_TRUE(zvtest::WriteFileBytes(Path("AUTORUN.BAK"), "older inf"));
    LockedFile infLock(ari.strInfFile);
    ASSERT_TRUE(infLock.Held());
    boxes.clear();
    EXPECT_EQ(0, SaveAutoRunInf(NULL, &ari));
    EXPECT_EQ(1u, boxes.size());
    EXPECT_EQ("older inf", zvtest::ReadFileOr(Path("AUTORUN.BAK")));
    infLock.Release();
    EXPECT_EQ("old inf", zvtest::ReadFileOr(ari.strInfFile));

    /* no old AUTORUN.INF: the new one goes with the data file it names */
    DeleteFileA(ari.strInfFile);
    boxes.clear();
    EXPECT_EQ(0, SaveZorvanDat(NULL, &ari, Path("MISSING\\ZORVAN.DAT").c_str()));
    EXPECT_EQ(1u, boxes.size());
    EXPECT_FALSE(zvtest::PathExists(ari.strInfFile));
    EXPECT_EQ("older inf", zvtest::ReadFileOr(Path("AUTORUN.BAK")));
}

} // namespace zv
