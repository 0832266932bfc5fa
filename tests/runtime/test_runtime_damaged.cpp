/*
 * test_runtime_damaged.cpp - a disc whose splash is a damaged BMP or
 * metafile: the picture is refused with its log line, the document still
 * starts and the run ends normally.
 */
#include <gtest/gtest.h>

#include <windows.h>

#include "discsite.h"
#include "testmetafiles.h"
#include "testpictures.h"

namespace zv {
namespace {

/* Each splash file in turn: no box, exit code 0 in time, a refused
 * file's read error logged (a played one's none), then the document
 * started.  inf: more lines for the disc's INF. */
void ExpectStarted(const char *name, const char *splash, const std::vector<zvtest::DAMAGEDFILE> &files,
                   bool refused, const std::vector<std::string> &inf = {})
{
    DISCSITE site = MakeDisc(name);
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    std::vector<std::string> lines = {std::string("Splash=") + splash, "SplashLen=0",
                                      std::string("Document=readme") + DOC_EXT};
    lines.insert(lines.end(), inf.begin(), inf.end());
    WriteInf(site, lines);
    std::string reason = SystemText(ERROR_INVALID_DATA);
    reason.erase(reason.find_last_not_of("\r\n") + 1);
    const std::string line = std::string("Error reading ") + splash + ":";
    size_t runs = 0;
    for (const zvtest::DAMAGEDFILE &d : files) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\" + splash, d.bytes));
        DeleteFileA(site.log.c_str());
        zvtest::RUN run = RunDisc(site);
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_TRUE(run.boxes.empty());
        std::vector<std::string> log = LogTexts(site);
        int error = FindLog(log, line);
        if (!refused) {
            EXPECT_LT(error, 0);
        } else if (error < 0) {
            ADD_FAILURE() << "no read error in the log";
            continue;
        } else {
            EXPECT_EQ(line + "\n\n" + reason + "\n", log[error]);
        }
        EXPECT_GT(FindLog(log, "Execution SUCCESS", error < 0 ? 0 : (size_t)error), error);
        runs++;
        EXPECT_EQ(runs, WaitForMarks(site, runs).size());
    }
}

/* The first damaged copy of each named kind. */
std::vector<zvtest::DAMAGEDFILE> Picked(const std::vector<zvtest::DAMAGEDFILE> &all,
                                        const std::vector<std::string> &whats)
{
    std::vector<zvtest::DAMAGEDFILE> picked;
    for (const zvtest::DAMAGEDFILE &d : all)
        for (const std::string &what : whats)
            if (what == d.what)
                picked.push_back(d);
    EXPECT_EQ(whats.size(), picked.size());
    return picked;
}

TEST(RuntimeDamagedFiles, ADamagedSplashBitmapIsLoggedAndTheDiscStarts)
{
    ExpectStarted("damagedbmp", "splash.bmp", zvtest::DamagedBmps(), true);
}

TEST(RuntimeDamagedFiles, ADamagedSplashMetafileIsLoggedAndTheDiscStarts)
{
    /* the last two once ended the runtime before the document: the
     * platform read past the file, or its recorder stopped the process */
    ExpectStarted("damagedwmf", "splash.wmf",
                           Picked(zvtest::DamagedWindows(), {"WMF: a state record retyped as a bitmap",
                                                             "WMF: an object selected past the table",
                                                             "WMF: a 5-word comment at the very end of a 4,096-byte file",
                                                             "WMF: a bitmap of 3 palette indices"}),
                  true);
    ExpectStarted("damagedemf", "splash.emf",
                  Picked(zvtest::DamagedEnhanced(), {"EMF: a state record retyped as text",
                                                     "EMF: a header with no handle table"}),
                  true);
}

} // namespace
} // namespace zv

namespace zv {
namespace {

/* Such figures once kept ZORVAN.EXE drawing for more than a minute: a
 * giant ellipse, and a wide pen under a transform that grows it later
 * (the picture shown at its own size, where the pen passes when made). */
TEST(RuntimeDamagedFiles, AGiantFigureInTheSplashDoesNotKeepTheRuntime)
{
    ExpectStarted("giantemf", "splash.emf",
                  Picked(zvtest::GiantFigures(),
                         {"an ellipse", "a pen of 3,000 units then a transform x1,000, a rectangle"}),
                  false, {"ImageWidth=150", "ImageHeight=110"});
}

} // namespace
} // namespace zv
