/*
 * test_runtime_licence.cpp - a disc with a licence text: the dialog comes
 * before anything is started, and only agreeing lets the document open,
 * also when the licence file is damaged.
 */
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "discsite.h"

namespace zv {
namespace {

const char *const kCaption = "Licence of the Media Disc";
const int kText = 120, kCheck = 200;

struct LICENCERUN {
    zvtest::RUN run;
    bool shown = false;
    std::string text;
    int messageBoxes = 0;
};

/* Runs the disc; act answers the licence dialog (a button id, or 0 when
 * it has answered itself); message boxes get OK, the splash is left be. */
LICENCERUN RunLicence(const DISCSITE &site, const std::function<int(HWND)> &act)
{
    LICENCERUN r;
    r.run = RunDisc(site, "", nullptr, 30000, [&](const zvtest::BOX &box) {
        if (GetDlgItem(box.hwnd, 0xFFFF)) {
            r.messageBoxes++;
            return (int)IDOK;
        }
        if (box.caption != kCaption || r.shown)
            return 0;
        r.shown = true;
        r.text = zvtest::WindowText(GetDlgItem(box.hwnd, kText));
        return act(box.hwnd);
    });
    EXPECT_FALSE(r.run.timedOut);
    EXPECT_EQ(0u, r.run.exitCode);
    EXPECT_TRUE(r.shown);
    return r;
}

DISCSITE LicenceDisc(const std::string &name, std::vector<std::string> data)
{
    DISCSITE site = MakeDisc(name);
    EXPECT_TRUE(zvtest::WriteFileBytes(site.dir + "\\readme" + DOC_EXT, "x"));
    EXPECT_TRUE(zvtest::WriteFileBytes(site.dir + "\\LICENCE.RTF",
                                       "{\\rtf1\\ansi {\\b Terms} of the disc.\\par}"));
    data.push_back(std::string("Document=readme") + DOC_EXT);
    data.push_back(std::string("LegalNoticeCaption=") + kCaption);
    data.push_back("SplashLen=0");
    WriteInf(site, data);
    return site;
}

void TickTheBox(HWND dlg)
{
    PostMessageA(GetDlgItem(dlg, kCheck), BM_CLICK, 0, 0);
    zvtest::Eventually([&] { return IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE; });
}

TEST(RuntimeLicence, DecliningEndsTheRunBeforeTheDocument)
{
    DISCSITE site = LicenceDisc("decline", {"EULA=LICENCE.RTF"});
    LICENCERUN r = RunLicence(site, [](HWND) { return IDCANCEL; });
    EXPECT_EQ(0u, r.text.find("Terms of the disc."));
    std::vector<std::string> log = LogTexts(site);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("EULA: User declined!", log.back());
    EXPECT_TRUE(MarksAfterPause(site).empty());
}

TEST(RuntimeLicence, AgreeingOpensTheDocument)
{
    DISCSITE site = LicenceDisc("agree", {"EULA=LICENCE.RTF", "LegalNoticeText=Never shown"});
    LICENCERUN r = RunLicence(site, [](HWND dlg) {
        TickTheBox(dlg);
        return IDOK;
    });
    EXPECT_EQ(1u, WaitForMarks(site, 1).size());
    EXPECT_EQ(-1, FindLog(LogTexts(site), "EULA: User declined!"));
    /* the licence text replaces the legal notice: no box */
    EXPECT_EQ(0, r.messageBoxes);
}

TEST(RuntimeLicence, MissingLicenceShowsThePageAndCanBeAccepted)
{
    DISCSITE site = LicenceDisc("missing", {"EULA=NOSUCH.RTF", "SimpleAccept=1"});
    LICENCERUN r = RunLicence(site, [](HWND dlg) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, kCheck)));
        return IDOK;
    });
    EXPECT_NE(std::string::npos, r.text.find("OOPS!!!"));
    EXPECT_NE(std::string::npos, r.text.find("'NOSUCH.RTF'"));
    EXPECT_EQ(1u, WaitForMarks(site, 1).size());
}

TEST(RuntimeLicence, DamagedRtfShowsThePageNamingItAndCanBeAccepted)
{
    std::string groups = "{\\rtf1 ";
    for (int i = 0; i < 100000; i++)
        groups += "{a}";
    /* disc folder, licence, why the log gives */
    const std::string cases[][3] = {
        {"deep", "{\\rtf1 Terms{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{x}", "Its groups are nested more than 32 deep."},
        {"itap", "{\\rtf1 \\trowd\\cellx900\\intbl\\itap2147483647 Terms\\cell\\row}",
         "A table level (\\itap) is above 64."},
        {"row", "{\\rtf1 \\trowd\\cellx900\\intbl Terms\\cell of\\cell use\\cell\\row}",
         "A table row does not match its cell definitions, or is left where the control cannot close it."},
        {"unicode", "{\\rtf1 \\trowd\\cellx900\\cellx1800\\intbl Terms\\cell\\u66\\super\\u66\\super of use\\cell\\row}",
         "A word that the control repeats as a table action follows \\* or \\u in a table row."},
        {"bitmap", "{\\rtf1 Terms{\\pict\\dibitmap0 28000000d0070000d0070000010020000000000000000000"
         "00000000000000000000000000000000}}", "A picture's data does not fit what it says it holds."},
        {"codepage", "{\\rtf1\\ansi\\ansicpg-1 Terms}", "The control shows nothing of it."},
        {"groups", groups + "}", "Its paragraphs are too long for the control to lay out in time."},
    };
    for (const auto &c : cases) {
        DISCSITE site = LicenceDisc(c[0], {"EULA=LICENCE.RTF", "SimpleAccept=1"});
        ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\LICENCE.RTF", c[1]));
        LICENCERUN r = RunLicence(site, [](HWND) { return IDOK; });
        EXPECT_EQ(0u, r.text.find("OOPS!!!")) << c[0];
        EXPECT_NE(std::string::npos, r.text.find("'LICENCE.RTF'")) << c[0];
        EXPECT_EQ(1u, WaitForMarks(site, 1).size()) << c[0];
        std::vector<std::string> log = LogTexts(site);
        int error = FindLog(log, "Error reading LICENCE.RTF:");
        ASSERT_GE(error, 0) << c[0];
        EXPECT_EQ("Error reading LICENCE.RTF:\n\n" + c[2], log[(size_t)error]);
    }
}

} // namespace
} // namespace zv
