/*
 * writertest.h - what the writer's tests share: records to save, a folder
 * to save them in, and the question and message boxes answered in-process.
 */
#ifndef ZV_WRITERTEST_H
#define ZV_WRITERTEST_H

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "writer.h"
#include "zvtest.h"

namespace zv {

struct SEENBOX {
    std::string text;
    std::string caption;
    UINT type;
};

/* Every box of the core is recorded; questions take the queued answers
 * (IDYES/IDNO), then No. */
class WriterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string &name) const { return dir + "\\" + name; }
    void Answer(int reply) { answers.push_back(reply); }

    std::string dir;
    static std::vector<SEENBOX> boxes;
    static std::deque<int> answers;

private:
    static int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type);
    int (WINAPI *savedBox)(HWND, LPCSTR, LPCSTR, UINT) = NULL;
};

/* A new project as Create New leaves it, saving into folder. */
void NewProject(AUTORUNINF *ari, const std::string &folder);
/* A project with every setting given. */
void FullProject(AUTORUNINF *ari, const std::string &folder);
/* A record as Open Existing starts it, before the file is read. */
void OpenExisting(AUTORUNINF *ari);

/* Each record line of a gzip data file, without its LF. */
std::vector<std::string> DatLines(const std::string &path);

/* The settings of [Zorvan Data] (or the data file) that a read gave back,
 * field by field against what was saved. */
void ExpectSameData(const AUTORUNINF &saved, const AUTORUNINF &read);

/* The file with the save time of its "; Generated" line taken out. */
std::string MaskSaveTime(const std::string &text);

} // namespace zv

#endif
