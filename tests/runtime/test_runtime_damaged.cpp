/*
 * test_runtime_damaged.cpp - a disc whose splash is a damaged BMP: the
 * picture is refused with its log line, the document still starts and
 * the run ends normally.
 */
#include <gtest/gtest.h>

#include <windows.h>

#include "discsite.h"
#include "testpictures.h"

namespace zv {
namespace {

TEST(RuntimeDamagedFiles, ADamagedSplashBitmapIsLoggedAndTheDiscStarts)
{
    DISCSITE site = MakeDisc("damagedbmp");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    WriteInf(site, {"Splash=splash.bmp", "SplashLen=0", std::string("Document=readme") + DOC_EXT});
    std::string reason = SystemText(ERROR_INVALID_DATA);
    reason.erase(reason.find_last_not_of("\r\n") + 1);
    size_t runs = 0;
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedBmps()) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\splash.bmp", d.bytes));
        DeleteFileA(site.log.c_str());
        zvtest::RUN run = RunDisc(site);
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_TRUE(run.boxes.empty());
        std::vector<std::string> log = LogTexts(site);
        int error = FindLog(log, "Error reading splash.bmp:");
        if (error < 0) {
            ADD_FAILURE() << "no read error in the log";
            continue;
        }
        EXPECT_EQ("Error reading splash.bmp:\n\n" + reason + "\n", log[error]);
        EXPECT_GT(FindLog(log, "Execution SUCCESS", error), error);
        runs++;
        EXPECT_EQ(runs, WaitForMarks(site, runs).size());
    }
}

} // namespace
} // namespace zv
