/*
 * A disc saved with a data file, started by the built runtime as Windows
 * would start it (in test mode, so that it follows the OPEN line).
 */
#include "writertest.h"

namespace zv {

class RuntimeStart : public WriterTest {};

TEST_F(RuntimeStart, TheRuntimeOpensTheDocumentTheDataFileNames)
{
    std::string runtime = zvtest::BinPath("ZORVAN.EXE");
    if (!zvtest::PathExists(runtime))
        GTEST_SKIP() << "ZORVAN.EXE is not built";

    /* the disc: the runtime, its settings, and a document that the
     * marker program opens */
    ASSERT_TRUE(CopyFileA(runtime.c_str(), Path("ZORVAN.EXE").c_str(), FALSE));
    ASSERT_TRUE(zvtest::RegisterOpenCommand(".zvw", "\"" + zvtest::BinPath("marker.exe") + "\" \"%1\""));
    ASSERT_TRUE(zvtest::WriteFileBytes(Path("START.ZVW"), "document"));
    std::string out = Path("marker.out");
    SetEnvironmentVariableA("ZVMARKER_OUT", out.c_str());

    AUTORUNINF ari;
    NewProject(&ari, dir);
    strcpy_s(ari.strDocument, sizeof ari.strDocument, "START.ZVW");
    ari.flgHideSplash = -1;
    ASSERT_EQ(1, SaveZorvanDat(NULL, &ari, Path("ZORVAN.DAT").c_str()));

    zvtest::RUN run = zvtest::RunProgram("\"" + Path("ZORVAN.EXE") + "\" --test", dir.c_str(), 30000);
    SetEnvironmentVariableA("ZVMARKER_OUT", NULL);
    EXPECT_FALSE(run.timedOut);
    for (const zvtest::BOX &box : run.boxes)
        ADD_FAILURE() << "box: " << box.caption << ": " << box.text;

    /* the marker may still be writing after the runtime has gone */
    std::string marks;
    for (int i = 0; i < 100 && (marks = zvtest::ReadFileOr(out)).empty(); i++)
        Sleep(100);
    EXPECT_NE(std::string::npos, marks.find("START.ZVW")) << marks;
}

} // namespace zv
