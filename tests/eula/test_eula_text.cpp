/*
 * test_eula_text.cpp - what the licence dialog puts into its rich edit:
 * files told apart by their first bytes, the built-in page for a file that
 * cannot be read or that the control's reader would crash or stall on,
 * and the symbol replacement that builds that page.
 */
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "eula.h"
#include "resource.h"
#include "rtfcheck.h"
#include "testmetafiles.h"
#include "zvtest.h"

namespace zv {

namespace {

char *HeapText(const char *s)
{
    char *t = (char *)malloc(strlen(s) + 1);
    strcpy(t, s);
    return t;
}

/* DoSymRep's result as a string, freed; "(null)" when it found nothing. */
std::string Replace(const char *text, const char *name, const char *value)
{
    char *t = HeapText(text);
    char *r = DoSymRep(t, name, value);
    std::string out = r ? r : "(null)";
    if (r)
        free(r);
    else
        free(t); /* left alone: still the caller's */
    return out;
}

TEST(PageSymbols, ReplacesEveryOccurrenceAndKeepsTheRest)
{
    EXPECT_EQ("a LONGER VALUE b LONGER VALUE c", Replace("a %x% b %x% c", "x", "LONGER VALUE"));
    EXPECT_EQ("vv", Replace("%x%%x%", "x", "v"));
    EXPECT_EQ("[]", Replace("[%x%]", "x", ""));
    EXPECT_EQ("[]", Replace("[%x%]", "x", NULL));
    /* an inserted value is not searched again */
    EXPECT_EQ("%x%-%x%", Replace("%x%-%x%", "x", "%x%"));
}

TEST(PageSymbols, NothingFoundGivesNull)
{
    EXPECT_EQ("(null)", Replace("no symbol here", "x", "v"));
    EXPECT_EQ("(null)", Replace("%y% and %x", "x", "v"));
    /* the pattern is whole: a name too long for its buffer finds nothing */
    std::string name(46, 'n');
    EXPECT_EQ("(null)", Replace(("%" + name + "%").c_str(), name.c_str(), "v"));
    std::string fits(45, 'n');
    EXPECT_EQ("v", Replace(("%" + fits + "%").c_str(), fits.c_str(), "v"));
}

TEST(TextStream, HandsOutTheTextInPiecesThenEnds)
{
    char *text = HeapText("0123456789");
    char buf[8];
    LONG got = -1;
    std::string all;
    for (int i = 0; i < 5; i++) {
        memset(buf, '#', sizeof buf);
        EXPECT_EQ(0u, StreaminTextCallback((DWORD_PTR)text, (LPBYTE)buf, 4, &got));
        all.append(buf, (size_t)got);
        if (got == 0)
            break;
    }
    EXPECT_EQ("0123456789", all);
    EXPECT_EQ(0, got);
    /* the last short piece comes with its terminator */
    memset(buf, '#', sizeof buf);
    strcpy(text, "ab");
    StreaminTextCallback((DWORD_PTR)text, (LPBYTE)buf, 4, &got);
    EXPECT_EQ(2, got);
    EXPECT_STREQ("ab", buf);
    free(text);
}

class RichEditFill : public ::testing::Test {
protected:
    std::string dir;
    HWND edit = NULL;

    void SetUp() override
    {
        dir = zvtest::ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_TRUE(LoadLibraryA("msftedit.dll") != NULL);
        edit = CreateWindowExA(0, "RICHEDIT50W", "", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, NULL,
                               NULL, NULL, NULL);
        ASSERT_TRUE(edit != NULL);
    }
    void TearDown() override
    {
        DestroyWindow(edit);
        zvtest::RemoveTree(dir);
    }
    /* the control's text without CRs, after filling it from path */
    std::string Shown(const std::string &path, BOOL *ok = NULL)
    {
        SetWindowTextA(edit, "");
        BOOL r = FillRichEditFromFile(edit, path.c_str());
        if (ok)
            *ok = r;
        std::string s = zvtest::WindowText(edit), out;
        for (char c : s)
            if (c != '\r')
                out += c;
        return out;
    }
    std::string File(const std::string &name, const std::string &bytes)
    {
        std::string path = dir + "\\" + name;
        EXPECT_TRUE(zvtest::WriteFileBytes(path, bytes));
        return path;
    }
};

TEST_F(RichEditFill, RtfMarkChoosesTheFormat)
{
    BOOL ok = FALSE;
    EXPECT_EQ("Bold terms", Shown(File("a.rtf", "{\\rtf1\\ansi {\\b Bold} terms}"), &ok));
    EXPECT_TRUE(ok);
    /* case matters, a byte-order mark hides the mark, a shorter file is text */
    EXPECT_EQ("{\\RTF1 upper}", Shown(File("b.rtf", "{\\RTF1 upper}")));
    EXPECT_NE(std::string::npos, Shown(File("c.rtf", "\xEF\xBB\xBF{\\rtf1 x}")).find("{\\rtf1 x}"));
    EXPECT_EQ("{\\rt", Shown(File("short.rtf", "{\\rt")));
    EXPECT_EQ("Plain\nterms", Shown(File("d.txt", "Plain\r\nterms")));

    std::string text;
    for (int i = 0; i < 2000; i++)
        text += "line " + std::to_string(i) + "\n";
    EXPECT_EQ(text.substr(0, text.size() - 1), Shown(File("long.txt", text), &ok).substr(0, text.size() - 1));
    EXPECT_TRUE(ok);
}

TEST_F(RichEditFill, MissingFileShowsThePageWithItsName)
{
    BOOL ok = FALSE;
    std::string shown = Shown("C:\\NO\\{SUCH}\\EULA.RTF", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(0u, shown.find("OOPS!!!\n"));
    EXPECT_NE(std::string::npos,
              shown.find("The file 'C:\\NO\\{SUCH}\\EULA.RTF' couldn't be opened or read."));
    EXPECT_NE(std::string::npos, shown.find("3.2.140"));
    EXPECT_EQ(std::string::npos, shown.find('%'));

    EXPECT_NE(std::string::npos, Shown("nosuch.rtf").find("The file 'nosuch.rtf' couldn't"));
}

/* ---- RTF files the control's reader would crash or stall on ---- */

/* A document of levels nested groups, the outer one included. */
std::string Nested(int levels, bool closed)
{
    std::string s = "{\\rtf1\\ansi Terms" + std::string((size_t)levels - 1, '{') + "x";
    return closed ? s + std::string((size_t)levels - 1, '}') + "}" : s;
}

std::string Repeat(const std::string &piece, int times)
{
    std::string s;
    while (times-- > 0)
        s += piece;
    return s;
}

std::string Inserted(std::string bytes, size_t at, const std::string &what)
{
    return bytes.insert(at < bytes.size() ? at : bytes.size(), what);
}

/* Tables as word processors write them: rows that \intbl begins and
 * \pard ends, and a table nested two levels deep in a row of \itap1. */
const char SIMPLE_TABLE[] = "\\trowd\\trgaph108\\cellx2000\\cellx4000\\pard\\intbl A1\\cell B1\\cell\\row\r\n"
                            "\\trowd\\trgaph108\\cellx2000\\cellx4000\\pard\\intbl A2\\cell B2\\cell\\row\r\n"
                            "\\pard After.\\par\r\n";
const char NESTED_TABLE[] =
    "\\trowd\\cellx4000\\cellx8000\\pard\\intbl\\itap1 Outer\\par\r\n"
    "\\pard\\intbl\\itap2 I1\\nestcell I2\\nestcell{\\*\\nesttableprops\\trowd\\cellx1500\\cellx3000\\nestrow}"
    "{\\nonesttables\\par}\r\n"
    "\\pard\\intbl\\itap3 D\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\nestrow}{\\nonesttables\\par}\r\n"
    "\\pard\\intbl\\itap2 I3\\nestcell I4\\nestcell{\\*\\nesttableprops\\trowd\\cellx1500\\cellx3000\\nestrow}"
    "{\\nonesttables\\par}\r\n"
    "\\pard\\intbl\\itap1 \\cell Right\\cell{\\trowd\\cellx4000\\cellx8000\\row}\r\n"
    "\\pard After.\\par\r\n";

/* A licence as LibreOffice writes one: page styles and a character style
 * in \* groups that end on words the control repeats as table actions,
 * a colour table, a simple table, and a logo as PNG with a Windows
 * metafile beside it. */
std::string Hex(const std::string &bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < bytes.size(); i++) {
        s += digits[(unsigned char)bytes[i] >> 4];
        s += digits[bytes[i] & 15];
        if (i % 64 == 63)
            s += "\r\n";
    }
    return s;
}

std::string Picture(const std::string &kind, const std::string &bytes)
{
    return "{\\pict\\picw100\\pich100\\" + kind + "\r\n" + Hex(bytes) + "}";
}

std::string LibreOfficeLicence()
{
    return "{\\rtf1\\ansi\\deff3\\adeflang1025\r\n"
           "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f3\\froman\\fprq2\\fcharset0 Liberation Serif"
           "{\\*\\falt Times New Roman};}}\r\n"
           "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
           "{\\stylesheet{\\s0\\snext0\\loch\\f3\\fs24\\lang2057 Normal;}\r\n"
           "{\\*\\cs15\\snext15\\super Footnote Characters;}\r\n"
           "{\\*\\cs16\\snext16\\super Endnote Characters;}}\r\n"
           "{\\*\\generator LibreOffice/7.4$Linux_X86_64}{\\info{\\creatim\\yr2024\\mo1\\dy1\\hr12\\min0}}\\deftab709\r\n"
           "{\\*\\pgdsctbl\r\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\marglsxn1134\\margrsxn1134"
           "\\margtsxn1134\\margbsxn1134\\pgdscnxt0 Default Page Style;}}\r\n"
           "\\formshade{\\*\\pgdscno0}\\paperh16838\\paperw11906\\sectd\\sbknone\\pgwsxn11906\\margtsxn1134"
           "\\margbsxn1134{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\loch\\f3\\fs24 "
           "{\\*\\shppict{\\pict\\picscalex100\\picw100\\pich100\\pngblip\r\n" + Hex(zvtest::PngBytes(4, 4, 0x2060A0)) +
           "}}{\\nonshppict" + Picture("wmetafile8", zvtest::DrawnWindows()) + "}\\par\r\n"
           "\\pard\\plain \\s0{\\b Licence of the disc}\\par\r\n"
           "\\trowd\\trql\\trleft-55\\ltrrow\\trpaddft3\\trpaddt55\\clbrdrt\\brdrs\\brdrw10\\brdrcf1\\cellx4819"
           "\\clbrdrt\\brdrs\\brdrw10\\brdrcf1\\clbrdrr\\brdrs\\cellx9638\r\n"
           "\\pard\\plain \\intbl\\s0 Term{\\super 1}\\cell\\pard\\plain \\intbl\\s0 Meaning\\cell\\row\\pard\r\n"
           "\\pard\\plain \\s0 You may use this disc.{\\*\\bkmkstart end}{\\*\\bkmkend end}\\par\r\n}";
}

/* A packed bitmap's header (BITMAPINFOHEADER) and as many bytes after it. */
std::string Dib(int w, int h, int bits, unsigned colours, size_t after)
{
    BITMAPINFOHEADER b = {};
    b.biSize = sizeof b;
    b.biWidth = w;
    b.biHeight = h;
    b.biPlanes = 1;
    b.biBitCount = (WORD)bits;
    b.biClrUsed = colours;
    return std::string((const char *)&b, sizeof b) + std::string(after, '\x40');
}

/* A Windows metafile whose records GDI would fault on. */
std::string DamagedWindowsMetafile()
{
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedWindows())
        if (std::string(d.what) == "WMF: an object selected past the table")
            return d.bytes;
    ADD_FAILURE() << "no such damaged metafile";
    return "";
}

/* A table row of two cells, what inside it between them. */
std::string InRow(const std::string &what)
{
    return "{\\rtf1 \\trowd\\cellx900\\cellx1800\\intbl A\\cell " + what + "B\\cell\\row\\pard After.\\par}";
}

/* The sample licence with both tables before its end. */
std::string WithTables(const std::string &licence)
{
    return Inserted(licence, licence.rfind('}'), std::string(SIMPLE_TABLE) + NESTED_TABLE);
}

/* RtfFileFits on a file of bytes, then the text the control shows for it. */
const char PAGE[] = "OOPS!!!"; /* shown: the built-in page */

struct CHECKED {
    int fault;
    DWORD error, ms;
    std::string text;
    bool page;
};

class RtfCheck : public RichEditFill {
protected:
    std::string sample;
    void SetUp() override
    {
        RichEditFill::SetUp();
        EXPECT_TRUE(zvtest::ReadFileBytes(ZV_SAMPLE_LICENCE, &sample));
    }
    /* RtfFileFits alone */
    int Fault(const std::string &path, DWORD *error)
    {
        int fault = -1;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        int fits = RtfFileFits(file, &fault);
        *error = fits ? 0 : GetLastError();
        CloseHandle(file);
        EXPECT_EQ(fault == RTF_WHOLE, fits == 1);
        return fault;
    }
    CHECKED Check(const std::string &bytes)
    {
        std::string path = File("licence.rtf", bytes);
        CHECKED c = {-1, 0, 0, "", false};
        c.fault = Fault(path, &c.error);
        /* a crash of the control ends this program; a stall shows in ms */
        DWORD start = GetTickCount();
        c.text = Shown(path);
        c.ms = GetTickCount() - start;
        c.page = c.text.find("OOPS!!!") == 0 && c.text.find("'" + path + "'") != std::string::npos;
        return c;
    }
};

TEST_F(RtfCheck, FilesPastTheReadersLimitsShowThePageOthersShowAsBefore)
{
    const std::string large = "{\\rtf1 " + Repeat("{\\b Terms} of use, \\'e9t\\'e9 \\{1\\}.\\par\r\n", 200000);
    struct {
        const char *what;
        std::string bytes;
        int fault;         /* RTF_WHOLE: passes */
        const char *shown; /* the start of the text shown for a file that passes, or PAGE */
    } cases[] = {
        {"the sample", sample, RTF_WHOLE, "Licence of the Zorvan Sample Disc\n"},
        {"20 groups", Nested(20, true), RTF_WHOLE, "Termsx"},
        {"32 groups", Nested(32, true), RTF_WHOLE, "Termsx"},
        {"33 groups", Nested(33, true), RTF_TOO_DEEP, NULL},
        {"33 groups unclosed", Nested(33, false), RTF_TOO_DEEP, NULL},
        {"5000 groups", Nested(5000, true), RTF_TOO_DEEP, NULL},
        {"5000 groups unclosed", Nested(5000, false), RTF_TOO_DEEP, NULL},
        {"braces in the sample", Inserted(sample, sample.size() / 2, std::string(40, '{')), RTF_TOO_DEEP, NULL},
        {"8 MB, 33 groups at its end", large + Nested(33, false), RTF_TOO_DEEP, NULL},
        {"200 escaped braces", "{\\rtf1 " + Repeat("\\{", 200) + "}", RTF_WHOLE, "{{{{{{{{"},
        {"braces in \\bin data", "{\\rtf1 {\\pict\\bin40 " + std::string(40, '{') + "}}", RTF_TOO_DEEP, NULL},
        {"a broken \\' ends the reading", "{\\rtf1 a\\'{" + std::string(40, '{'), RTF_WHOLE, "a"},
        {"nothing after the end is read", "{\\rtf1 x}" + std::string(40, '{') + "\\itap9999", RTF_WHOLE, "x"},
        {"30 groups each after \\u", "{\\rtf1 " + Repeat("\\u65{x}", 30) + "}", RTF_WHOLE, "AxAx"},
        {"31 groups each after \\u", "{\\rtf1 " + Repeat("\\u65{x}", 31) + "}", RTF_TOO_DEEP, NULL},
        {"31 groups within \\uc2", "{\\rtf1\\uc2 " + Repeat("\\u65 a{x}", 31) + "}", RTF_TOO_DEEP, NULL},
        {"40 groups after \\uc1", "{\\rtf1 " + Repeat("\\u65 a{x}", 40) + "}", RTF_WHOLE, "AxAx"},
        {"a broken \\' in the font table does not end it", "{\\rtf1{\\fonttbl{\\f0{\\'zz}}}" + std::string(40, '{'),
         RTF_TOO_DEEP, NULL},
        {"a broken \\' in a style's \\* group", "{\\rtf1{\\stylesheet{\\*\\cs1 a\\'zz}" + std::string(40, '{'),
         RTF_TOO_DEEP, NULL},
        {"font name of 1023 bytes", "{\\rtf1{\\fonttbl{\\f0 " + std::string(1023, 'a') + ";}}x}", RTF_WHOLE, "x"},
        {"font name of 1024 bytes", "{\\rtf1{\\fonttbl{\\f0 " + std::string(1024, 'a') + ";}}x}", RTF_NAME_TOO_LONG,
         NULL},
        {"style name of 1024 bytes", "{\\rtf1{\\stylesheet{\\s0 " + std::string(1024, 'a') + ";}}x}",
         RTF_NAME_TOO_LONG, NULL},
        {"a long paragraph", "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}" + std::string(1100, 'a') +
         "}", RTF_WHOLE, "aaaa"},
        {"a nameless font reads it as a name", "{\\rtf1{\\fonttbl{\\f0}}" + std::string(1100, 'a') + "}",
         RTF_NAME_TOO_LONG, NULL},
        {"a style without ';' reads it as a name", "{\\rtf1{\\stylesheet{\\s0 N}}" + std::string(1100, 'a') + "}",
         RTF_NAME_TOO_LONG, NULL},
        {"\\itap64", "{\\rtf1 \\itap64 x\\par}", RTF_WHOLE, PAGE},
        {"\\itap65", "{\\rtf1 \\itap65 x\\par}", RTF_TABLES_TOO_DEEP, NULL},
        {"\\itap32767", "{\\rtf1 \\itap32767 x\\par}", RTF_TABLES_TOO_DEEP, NULL},
        {"\\itap2147483647 in a table", "{\\rtf1 \\trowd\\cellx900\\intbl\\itap2147483647 x\\cell\\row}",
         RTF_TABLES_TOO_DEEP, NULL},
        {"\\itap wrapping to 1", "{\\rtf1 \\itap4294967297 x}", RTF_WHOLE, PAGE},
        {"\\itap wrapping to 100", "{\\rtf1 \\itap4294967396 x}", RTF_TABLES_TOO_DEEP, NULL},
        {"word of 1023 bytes", "{\\rtf1 \\" + std::string(1021, 'a') + " x}", RTF_WHOLE, "x"},
        {"word of 1024 bytes", "{\\rtf1 \\" + std::string(1022, 'a') + " x}", RTF_WORD_TOO_LONG, NULL},
        {"parameter of 1024 bytes", "{\\rtf1 \\b-" + std::string(1020, '1') + " x}", RTF_WORD_TOO_LONG, NULL},
        {"high bytes end a word", "{\\rtf1 \\b" + std::string(2000, '\xE9') + "}", RTF_WHOLE, NULL},
        {"a whole simple table", std::string("{\\rtf1 ") + SIMPLE_TABLE + "}", RTF_WHOLE, "\nA1\tB1\t"},
        {"a whole nested table", std::string("{\\rtf1 ") + NESTED_TABLE + "}", RTF_WHOLE, "\nOuter\n"},
        {"the sample with both tables", WithTables(sample), RTF_WHOLE, "Licence of the Zorvan Sample Disc\n"},
        {"a row's text after its last \\cell", "{\\rtf1 \\trowd\\cellx900\\intbl A\\cell B\\row\\pard x}", RTF_WHOLE,
         NULL},
        {"a row with a cell more than its \\cellx", "{\\rtf1 \\trowd\\cellx900\\intbl A\\cell B\\cell\\row\\pard x}",
         RTF_TABLE_BROKEN, NULL},
        {"a row with two cells more", "{\\rtf1 \\trowd\\cellx900\\intbl A\\cell B\\cell C\\cell\\row}",
         RTF_TABLE_BROKEN, NULL},
        {"a nested table in the cell a \\row drops",
         "{\\rtf1 \\trowd\\cellx2000\\cellx4000\\intbl A\\cell B\\cell\\r\\itap1 ow\\pard\\intbl\\itap2 nested\\nestcell"
         "{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}\\cell\\row\\pard x}",
         RTF_TABLE_BROKEN, NULL},
        {"a nested table after the last \\cell", "{\\rtf1 \\trowd\\cellx2000\\intbl A\\cell B\\itap2 n\\nestcell"
         "{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}\\row}", RTF_TABLE_BROKEN, NULL},
        {"a paragraph right behind a row \\intbl began", "{\\rtf1 \\trowd\\cellx900\\intbl A\\cell\\row\\par x}",
         RTF_TABLE_BROKEN, NULL},
        {"text behind that row first", "{\\rtf1 \\trowd\\cellx900\\intbl A\\cell\\row x\\par}", RTF_WHOLE, NULL},
        {"cells left open at the end", "{\\rtf1 \\cellx900\\intbl A\\cell B\\cell C\\cell", RTF_TABLE_BROKEN, NULL},
        {"a nested row left open at the end", "{\\rtf1\\cellx4000\\cellx8000\\intbl\\itap2 \\nestrow\\cell \\cell\\itap3 ",
         RTF_TABLE_BROKEN, NULL},
        {"table words in a group the reader skips", "{\\rtf1 {\\*\\x \\cell\\cell\\row}{\\nonesttables \\cell\\row}x}",
         RTF_WHOLE, "x"},
        /* the groups and pictures the reader reads, its stale table actions, its colour table */
        {"a row's cells in a \\* group it reads", InRow("{\\*\\b x\\cell y\\cell}"), RTF_TABLE_BROKEN, NULL},
        {"a nested cell in a \\* group it reads", "{\\rtf1 \\itap2 \\nestcell{\\*\\cell \\cellx3000}}", RTF_TABLE_ACTION,
         NULL},
        {"cells in a \\pict", InRow("{\\pict\\wmetafile8\\cell\\cell}"), RTF_TABLE_BROKEN, NULL},
        {"cells in a \\shppict", InRow("{\\*\\shppict\\cell\\cell\\b}"), RTF_TABLE_BROKEN, NULL},
        {"cells in an object's result", InRow("{\\object\\objemb{\\*\\objdata 01}{\\result \\cell\\cell}}"),
         RTF_TABLE_BROKEN, NULL},
        {"cells after an object's first other word", InRow("{\\object\\objemb\\b \\cell\\cell}"), RTF_TABLE_BROKEN, NULL},
        {"\\u66\\super twice in a row", InRow("\\u66\\super\\u66\\super "), RTF_TABLE_ACTION, NULL},
        {"a skipped \\* group ending on \\super in a row", InRow("{\\*\\zzz x\\super}{\\*\\zzz y\\super}"), RTF_TABLE_ACTION, NULL},
        {"a page style table ending on \\margbsxn in a row", InRow("{\\*\\pgdsctbl{\\pgdsc0\\margbsxn1134 P;}}"),
         RTF_TABLE_ACTION, NULL},
        {"\\u66\\super and a \\* group ending on it outside a row", "{\\rtf1 \\u66\\super x{\\*\\zzz y\\super}}",
         RTF_WHOLE, "Bx"},
        {"a colour table that takes the \\pard behind a row", "{\\rtf1 \\trowd\\cellx900\\intbl A\\cell\\row"
         "{{\\colortbl\\red0}\\pard}\\par x}", RTF_COLOURS_BROKEN, NULL},
        {"a whole colour table", "{\\rtf1 {\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}x}", RTF_WHOLE, "x"},
        /* picture data as GDI would get it */
        {"a damaged Windows metafile", "{\\rtf1 " + Picture("wmetafile8", DamagedWindowsMetafile()) + "x}",
         RTF_PICTURE_BROKEN, NULL},
        {"a damaged Windows metafile as \\bin", "{\\rtf1 {\\pict\\wmetafile8\\bin" +
         std::to_string(Hex(DamagedWindowsMetafile()).size()) + " " + Hex(DamagedWindowsMetafile()) + "}x}",
         RTF_PICTURE_BROKEN, NULL},
        {"a Windows metafile", "{\\rtf1 " + Picture("wmetafile8", zvtest::DrawnWindows()) + "x}", RTF_WHOLE, NULL},
        {"a bare \\wmetafile8", "{\\rtf1 {\\pict\\wmetafile8\\picw100\\pich100}x}", RTF_WHOLE, "x"},
        {"a bitmap without its pixels", "{\\rtf1 " + Picture("dibitmap0", Dib(2000, 2000, 32, 0, 0)) + "x}",
         RTF_PICTURE_BROKEN, NULL},
        {"a bitmap of 257 colours", "{\\rtf1 " + Picture("dibitmap0", Dib(2, 2, 8, 257, 257 * 4 + 4 + 8)) + "x}",
         RTF_PICTURE_BROKEN, NULL},
        {"a whole bitmap", "{\\rtf1 " + Picture("dibitmap0", Dib(2, 2, 24, 0, 4 + 16)) + "x}", RTF_WHOLE, NULL},
        {"the LibreOffice licence", LibreOfficeLicence(), RTF_WHOLE, "\nLicence of the disc\n\nTerm1\tMeaning\t"},
        /* the work of laying the text out */
        {"100,000 groups", "{\\rtf1 " + Repeat("{a}", 100000) + "}", RTF_TOO_SLOW, NULL},
        {"a line of 1 MB", "{\\rtf1 " + std::string(1000000, 'a') + "}", RTF_TOO_SLOW, NULL},
        /* code pages the control drops every byte of */
        {"\\ansicpg-1", "{\\rtf1\\ansi\\ansicpg-1 Terms}", RTF_WHOLE, PAGE},
        {"\\ansicpg54936", "{\\rtf1\\ansi\\ansicpg54936 Terms}", RTF_WHOLE, PAGE},
    };
    for (const auto &c : cases) {
        CHECKED r = Check(c.bytes);
        EXPECT_EQ(c.fault, r.fault) << c.what;
        EXPECT_EQ(c.fault ? (DWORD)ERROR_INVALID_DATA : 0, r.error) << c.what;
        EXPECT_EQ(c.fault != RTF_WHOLE || c.shown == PAGE, r.page) << c.what;
        EXPECT_LT(r.ms, 5000u) << c.what;
        EXPECT_EQ(0u, c.shown ? r.text.find(c.shown) : 0) << c.what << ": " << r.text.substr(0, 60);
    }
    /* a real licence is never refused for its size: 7.8 MB of 200,000
     * paragraphs (streaming it costs the control 10 s, all of it linear) */
    DWORD error = 0;
    EXPECT_EQ(RTF_WHOLE, Fault(File("large.rtf", large + "}"), &error));
    /* a plain-text licence is not RTF, whatever braces it holds */
    const std::string braces = "Terms " + Repeat("{{ }", 100) + "{\\rtf1";
    EXPECT_EQ(braces, Shown(File("braces.txt", braces)));
}

/* Random faults of the kinds that copying or editing leaves. */
std::string Damaged(std::string bytes, std::mt19937 &rng)
{
    static const char *const levels[] = {"1", "64", "65", "5000", "32767", "2147483647", "4294967297", "-7"};
    auto pick = [&](size_t n) { return (size_t)(rng() % n); };
    size_t at = pick(bytes.size());
    switch (pick(6)) {
    case 0: return Inserted(bytes, at, (pick(2) ? "\\u65" : "") + std::string(1 + pick(60), pick(2) ? '{' : '}'));
    case 1: return Inserted(bytes, at, std::string("\\itap") + levels[pick(8)] + " ");
    case 2: return Inserted(bytes, at, "{\\pict\\bin40 " + std::string(pick(40), '{') + "}");
    case 3: return Inserted(bytes, at, "\\" + std::string(1 + pick(2000), 'q') + " ");
    case 4: return bytes.substr(0, at);
    default: return bytes.replace(at, 1, 1, (char)pick(256));
    }
}

/* A table's words dropped, doubled or put in, or the file cut, as a
 * careless edit or copy of a licence with tables leaves them, inside \*
 * groups too. */
std::string TableDamaged(std::string bytes, std::mt19937 &rng)
{
    static const char *const words[] = {"\\cell", "\\nestcell", "\\row", "\\nestrow", "\\intbl", "\\itap1",
                                        "\\itap2", "\\itap3", "\\pard", "\\trowd", "\\cellx900", "\\par",
                                        "{", "}", "x"};
    const size_t count = sizeof words / sizeof words[0];
    auto pick = [&](size_t n) { return (size_t)(rng() % n); };
    size_t at = bytes.find('\\', pick(bytes.size()));
    if (at == std::string::npos)
        return bytes;
    size_t end = bytes.find_first_of("\\{} ", at + 1);
    std::string word = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
    bool tableWord = false;
    for (size_t i = 0; i + 3 < count; i++)
        tableWord = tableWord || word == words[i];
    size_t to = bytes.find('\\', pick(bytes.size()));
    if (pick(8) == 0)
        return bytes.substr(0, at);
    if (!tableWord || pick(3) == 0)
        return Inserted(bytes, at, std::string(words[pick(count)]) + " ");
    bytes.erase(at, word.size());
    return pick(2) ? bytes : Inserted(Inserted(bytes, at, word), to, word);
}

TEST_F(RtfCheck, RandomDamageNeverFaultsTheControl)
{
    std::mt19937 rng(27);
    const std::string libreOffice = LibreOfficeLicence();
    int refused = 0, passed = 0;
    for (int i = 0; i < 2000; i++) {
        /* the second half: licences with tables and \* groups, their words damaged too */
        std::string bytes = i < 1000 ? sample : i < 1500 ? WithTables(sample) : libreOffice;
        for (size_t n = 1 + rng() % 3; n > 0 && bytes.size() > 5; n--)
            bytes = i < 1000 ? Damaged(bytes, rng) : TableDamaged(bytes, rng);
        if (bytes.compare(0, 5, "{\\rtf") != 0)
            continue;
        CHECKED r = Check(bytes);
        EXPECT_LT(r.ms, 5000u) << "copy " << i << ", fault " << r.fault;
        /* a copy that passes shows the page only when the control keeps nothing of it */
        EXPECT_TRUE(r.fault == RTF_WHOLE || r.page) << "copy " << i;
        (r.fault ? refused : passed)++;
    }
    /* the damage reached both sides of the check */
    EXPECT_GT(refused, 200);
    EXPECT_GT(passed, 200);
}

} // namespace

} // namespace zv
