/*
 * test_runtime_fallbacks.cpp - what the runtime starts when: the document,
 * the viewer with the document, the default action; and the window mode
 * that the started program is asked for.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

/* A disc whose document has no program, so the later stages are tried. */
DISCSITE UnopenedDocDisc(const std::string &name, std::vector<std::string> data)
{
    DISCSITE site = MakeDisc(name);
    EXPECT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_NONE, "x"));
    data.push_back(std::string("Document=readme") + DOC_NONE);
    data.push_back("SplashLen=0");
    WriteInf(site, data);
    return site;
}

/* Runs the disc and returns the one mark it made. */
MARK OneMark(const DISCSITE &site, const std::string &args = "")
{
    zvtest::RUN run = RunDisc(site, args);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode);
    for (const zvtest::BOX &b : run.boxes)
        ADD_FAILURE() << "box " << b.caption << ": " << b.text;
    /* the start, then long enough for a second one to show */
    WaitForMarks(site, 1);
    std::vector<MARK> marks = MarksAfterPause(site);
    EXPECT_EQ(1u, marks.size());
    return marks.empty() ? MARK() : marks[0];
}

bool EndsWith(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(RuntimeFallbacks, ViewerGetsTheDocumentAppended)
{
    DISCSITE site = UnopenedDocDisc("viewer", {"Viewer=marker.exe viewer"});
    MARK m = OneMark(site);
    /* the blank that ends the viewer's parameters, then one more */
    EXPECT_TRUE(EndsWith(m.cmd, " viewer  readme.zvrtnone")) << m.cmd;
    std::vector<std::string> log = LogTexts(site);
    ASSERT_EQ(2u, CountLog(log, "Executing: "));
    EXPECT_EQ("Executing: \"marker.exe\" \"viewer  readme.zvrtnone\"", log[FindLog(log, "Executing: \"marker")]);
}

TEST(RuntimeFallbacks, ViewerWithDocumentVariableGetsItOnce)
{
    DISCSITE site = UnopenedDocDisc("viewervar", {"Viewer=marker.exe viewer [%DOCUMENT%] end"});
    MARK m = OneMark(site);
    EXPECT_TRUE(EndsWith(m.cmd, " viewer [readme.zvrtnone] end ")) << m.cmd;
    EXPECT_EQ(m.cmd.find("readme"), m.cmd.rfind("readme")) << m.cmd;
}

TEST(RuntimeFallbacks, ForcedViewerSkipsAnOpenableDocument)
{
    DISCSITE site = MakeDisc("force");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    WriteInf(site, {std::string("Document=readme") + DOC_EXT, "Viewer=marker.exe viewer -s", "ForceViewer=1",
                    "SplashLen=0"});
    MARK m = OneMark(site);
    EXPECT_TRUE(EndsWith(m.cmd, " viewer -s  readme.zvrtdoc")) << m.cmd;
    EXPECT_EQ(1u, CountLog(LogTexts(site), "Executing: "));
}

TEST(RuntimeFallbacks, BrowseLocalFileAsksForAFileAddress)
{
    DISCSITE site = UnopenedDocDisc("browse", {"BrowseLocalFile=1", "Viewer=marker.exe viewer"});
    MARK m = OneMark(site);
    /* the viewer gets the plain document, not the address */
    EXPECT_TRUE(EndsWith(m.cmd, " viewer  readme.zvrtnone")) << m.cmd;
    std::vector<std::string> log = LogTexts(site);
    std::string address = LongPath(site.dir) + "\\readme.zvrtnone";
    for (char &c : address)
        if (c == '\\')
            c = '/';
    int exec = FindLog(log, "Executing: ");
    ASSERT_GE(exec, 0);
    EXPECT_EQ("Executing: \"\"file:///" + address + "\"\"", log[exec]);
}

TEST(RuntimeFallbacks, DefaultActionAfterDocumentAndViewer)
{
    DISCSITE site = UnopenedDocDisc("default", {"Viewer=nosuch-viewer.exe", "DefaultAction=marker.exe default %DOCUMENT%"});
    MARK m = OneMark(site);
    EXPECT_TRUE(EndsWith(m.cmd, " default readme.zvrtnone ")) << m.cmd;
    std::vector<std::string> log = LogTexts(site);
    EXPECT_EQ(3u, CountLog(log, "Executing: "));
    EXPECT_EQ(1u, CountLog(log, "Execution SUCCESS - Process "));
}

TEST(RuntimeFallbacks, EmptyViewerIsSkipped)
{
    DISCSITE site = UnopenedDocDisc("noviewer", {"DefaultAction=marker.exe default"});
    MARK m = OneMark(site);
    EXPECT_TRUE(EndsWith(m.cmd, " default ")) << m.cmd;
    std::vector<std::string> log = LogTexts(site);
    ASSERT_EQ(2u, CountLog(log, "Executing: "));
    EXPECT_EQ("Executing: \"readme.zvrtnone\"", log[FindLog(log, "Executing: ")]);
    EXPECT_EQ("Executing: \"marker.exe\" \"default \"", log[FindLog(log, "Executing: \"marker")]);
}

TEST(RuntimeFallbacks, WindowModeReachesTheStartedProgram)
{
    struct CASE {
        const char *mode;
        int show;
    } cases[] = {{"Normal", 1}, {"Minimize", 2}, {"Maximized", 3}, {"", 1}};
    for (const CASE &c : cases) {
        SCOPED_TRACE(c.mode);
        DISCSITE site = MakeDisc("winmode");
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
        WriteInf(site, {std::string("Document=readme") + DOC_EXT, std::string("WindowMode=") + c.mode, "SplashLen=0"});
        MARK m = OneMark(site);
        EXPECT_EQ(c.show, m.show);
    }
    /* a data file stores the number as it is, 0 (hidden) included */
    DISCSITE site = MakeDisc("winmode0");
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\DISC.DAT", "A:" + site.dir + "\\readme.zvrtdoc\nE:0\n"));
    EXPECT_EQ(0, OneMark(site, "--dat \"" + site.dir + "\\DISC.DAT\"").show);
}

} // namespace
} // namespace zv
