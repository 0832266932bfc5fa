/*
 * test_runtime_resources.cpp - what ZORVAN.EXE carries besides its code:
 * icon, splash templates, string table and the manifest.
 */
#include <gtest/gtest.h>

#include "discsite.h"

namespace zv {
namespace {

TEST(RuntimeResources, IconTemplatesStringsAndManifest)
{
    HMODULE m = LoadLibraryExA(zvtest::BinPath("ZORVAN.EXE").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(m != NULL);
    EXPECT_TRUE(FindResourceA(m, MAKEINTRESOURCEA(110), (LPCSTR)RT_GROUP_ICON) != NULL);
    EXPECT_TRUE(FindResourceA(m, "SPLASH", (LPCSTR)RT_DIALOG) != NULL);
    EXPECT_TRUE(FindResourceA(m, "NEOSPLASH", (LPCSTR)RT_DIALOG) != NULL);

    char text[512];
    EXPECT_GT(LoadStringA(m, 0, text, sizeof text), 0);
    EXPECT_GT(LoadStringA(m, 31, text, sizeof text), 0);
    EXPECT_STREQ("There is no application associated with the given filename extension.", text);
    EXPECT_GT(LoadStringA(m, 40013, text, sizeof text), 0);
    EXPECT_STREQ("Cannot Zorvan the document %s: %s", text);
    EXPECT_GT(LoadStringA(m, 40014, text, sizeof text), 0);
    EXPECT_STREQ("Failed to allocate %u bytes of memory", text);

    HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(1), (LPCSTR)RT_MANIFEST);
    ASSERT_TRUE(r != NULL);
    std::string manifest((const char *)LockResource(LoadResource(m, r)), SizeofResource(m, r));
#ifdef _WIN64
    const char *arch = "processorArchitecture=\"amd64\"";
#else
    const char *arch = "processorArchitecture=\"x86\"";
#endif
    size_t cc = manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"");
    EXPECT_NE(std::string::npos, cc);
    EXPECT_NE(std::string::npos, manifest.find("publicKeyToken=\"6595b64144ccf1df\"", cc));
    EXPECT_NE(std::string::npos, manifest.find("version=\"3.2.0.140\""));
    EXPECT_NE(std::string::npos, manifest.find(arch));
    FreeLibrary(m);
}

} // namespace
} // namespace zv
