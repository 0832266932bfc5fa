/*
 * test_wizard_files.cpp - the project-file, association, registry and
 * scrambling functions of the wizard library called in-process; dialog
 * 115 is answered from a helper thread, message boxes through the seam.
 */
#include <gtest/gtest.h>

#include <thread>

#include "screen.h"
#include "resource.h"
#include "wizard.h"
#include "writertest.h"

namespace zv {

/* Answers the next Auto-Copy dialog of this process (other tests run
 * their own at the same time) with button, after
 * noting the source it names; the dialog shows for a screenshot once. */
class AutoCopyAnswer {
public:
    explicit AutoCopyAnswer(int button, bool screenshot = false)
        : worker([this, button, screenshot] {
              HWND dlg = NULL;
              for (int i = 0; i < 600 && !dlg; i++, Sleep(50))
                  for (HWND h : zvtest::FindProcessWindows(GetCurrentProcessId(), "#32770"))
                      if (zvtest::WindowText(h) == "Auto-Copy Options")
                          dlg = h;
              if (!dlg)
                  return;
              char text[MAX_PATH] = "";
              GetDlgItemTextA(dlg, 1015, text, sizeof text);
              source = text;
              if (screenshot)
                  zvtest::KeepScreen("wizard-autocopy");
              PostMessageA(dlg, WM_COMMAND, button, 0);
          }) {}
    ~AutoCopyAnswer() { worker.join(); }
    std::string source;

private:
    std::thread worker;
};

class WizardFiles : public WriterTest {
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        hPgmInstance = GetModuleHandleA(NULL);
        ACDlgInit();
        proj = Path("proj");
        CreateDirectoryA(proj.c_str(), NULL);
        inf = proj + "\\AUTORUN.INF";
        outside = Path("outside");
        CreateDirectoryA(outside.c_str(), NULL);
        SetCurrentDirectoryA(proj.c_str());
    }
    std::string Copy(const std::string &value)
    {
        char buf[ARI_PATHLEN];
        strcpy_s(buf, sizeof buf, value.c_str());
        CopyIfNeeded(NULL, inf.c_str(), buf, sizeof buf);
        return buf;
    }
    std::string proj, inf, outside;
};

TEST_F(WizardFiles, ValuesInsideTheProjectBecomeRelative)
{
    CreateDirectoryA((proj + "\\pics and more").c_str(), NULL);
    std::string file = proj + "\\pics and more\\a long picture name.jpg";
    ASSERT_TRUE(zvtest::WriteFileBytes(file, "x"));

    /* an opened project's INF path in 8.3 form, a picked file in long form */
    char shortInf[MAX_PATH], value[ARI_PATHLEN];
    ASSERT_TRUE(zvtest::WriteFileBytes(inf, "[autorun]\r\n"));
    ASSERT_GT(GetShortPathNameA(inf.c_str(), shortInf, sizeof shortInf), 0u) << "the INF must exist";
    strcpy_s(value, sizeof value, file.c_str());
    MakeRelativePathName(NULL, shortInf, value);
    EXPECT_STREQ(value, "pics and more\\a long picture name.jpg");

    std::string relative = Copy(value);
    char expected[MAX_PATH], full[MAX_PATH];
    GetShortPathNameA(file.c_str(), full, sizeof full);
    GetShortPathNameA((proj + "\\").c_str(), expected, sizeof expected);
    EXPECT_EQ(relative, std::string(full + strlen(expected)));
    EXPECT_NE(relative.find('\\'), std::string::npos) << "still in its sub-folder: " << relative;

    strcpy_s(value, sizeof value, (outside + "\\b.txt").c_str());
    MakeRelativePathName(NULL, inf.c_str(), value);
    EXPECT_EQ(std::string(value), (outside + "\\b.txt").substr(2)) << "same drive: from its root";

    EXPECT_EQ(Copy("%WINDIR%\\notepad.exe"), "%WINDIR%\\notepad.exe");
    EXPECT_EQ(Copy("http://example.org/a.htm"), "http://example.org/a.htm");
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(Copy(outside + "\\missing.avi"), "missing.avi");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The file 'missing.avi' does not exist.\r\n\r\nBe sure to copy this file to the target medium!");
    EXPECT_EQ(boxes[0].type, (UINT)(MB_OK | MB_ICONINFORMATION));
}

TEST_F(WizardFiles, FilesFromOutsideAreCopiedOnlyWhenTheAuthorSaysSo)
{
    std::string a = outside + "\\a.txt", b = outside + "\\b.txt", c = outside + "\\c.txt";
    for (const std::string &f : { a, b, c })
        ASSERT_TRUE(zvtest::WriteFileBytes(f, "new " + f));
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\b.txt", "old"));

    {
        AutoCopyAnswer no(IDNO, true);
        EXPECT_EQ(Copy(a), a);
    }
    EXPECT_FALSE(zvtest::PathExists(proj + "\\a.txt"));
    {   /* Esc or the close box: as No, the existing copy untouched */
        AutoCopyAnswer esc(IDCANCEL);
        EXPECT_EQ(Copy(b), b);
        EXPECT_TRUE(boxes.empty()) << "no replace question after Esc";
    }
    EXPECT_EQ(zvtest::ReadFileOr(proj + "\\b.txt"), "old");
    {   /* Yes with a file of that name there: the author keeps it */
        AutoCopyAnswer yes(IDYES);
        Answer(IDNO);
        EXPECT_EQ(Copy(b), "b.txt");
    }
    EXPECT_EQ(zvtest::ReadFileOr(proj + "\\b.txt"), "old");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("already exists"), std::string::npos);
    {
        AutoCopyAnswer always(IDYESALWAYS);
        EXPECT_EQ(Copy(a), "a.txt");
    }
    EXPECT_EQ(zvtest::ReadFileOr(proj + "\\a.txt"), "new " + a);
    EXPECT_TRUE(ACDAlways());

    /* from now on without the dialog; asked only about an existing file */
    EXPECT_EQ(Copy(c), "c.txt");
    EXPECT_EQ(zvtest::ReadFileOr(proj + "\\c.txt"), "new " + c);
    Answer(IDNO);
    EXPECT_EQ(Copy(b), b) << "No keeps the value pointing outside";
    Answer(IDYES);
    EXPECT_EQ(Copy(b), "b.txt");
    EXPECT_EQ(zvtest::ReadFileOr(proj + "\\b.txt"), "new " + b);

    /* a copy that fails is reported and the value kept */
    std::string d = outside + "\\d.txt";
    ASSERT_TRUE(zvtest::WriteFileBytes(d, "d"));
    CreateDirectoryA((proj + "\\d.txt").c_str(), NULL);
    boxes.clear();
    Answer(IDYES);
    EXPECT_EQ(Copy(d), d);
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().text.find("Error writing file"), std::string::npos);
    ACDlgInit();
    EXPECT_FALSE(ACDAlways());
}

TEST_F(WizardFiles, RuntimeAndAssociatedPrograms)
{
    char value[ARI_PATHLEN] = "old";
    ASSERT_TRUE(zvtest::WriteFileBytes(proj + "\\ZORVAN.EXE", "x"));
    SetCurrentDirectoryA(outside.c_str());
    EXPECT_EQ(FindZorvanExe(NULL, inf.c_str(), value, sizeof value), 1);
    EXPECT_STREQ(value, "ZORVAN.EXE");
    EXPECT_TRUE(boxes.empty());

    /* not in the project: the one beside this program is offered */
    DeleteFileA((proj + "\\ZORVAN.EXE").c_str());
    {
        AutoCopyAnswer no(IDNO);
        EXPECT_EQ(FindZorvanExe(NULL, inf.c_str(), value, sizeof value), 1);
        EXPECT_FALSE(no.source.empty()) << "the Auto-Copy dialog was offered";
    }
    EXPECT_EQ(_stricmp(value, zvtest::BinPath("ZORVAN.EXE").c_str()), 0) << value;

    char program[MAX_PATH];
    struct { const char *command; const char *program; } cases[] = {
        { "\"C:\\Program Files\\Zv Viewer\\view.exe\" /open \"%1\"", "C:\\Program Files\\Zv Viewer\\view.exe" },
        { "notepad.exe \"%1\"", "notepad.exe" },
        { "%SystemRoot%\\notepad.exe", "%SystemRoot%\\notepad.exe" },
        { "\"C:\\unclosed\\view.exe %1", NULL },
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(zvtest::RegisterOpenCommand(".zvq", c.command));
        memset(program, 'x', sizeof program);
        int found = GetAssociatedExe("C:\\some.dir\\doc.zvq", program, sizeof program);
        EXPECT_EQ(found, c.program ? 1 : 0) << c.command;
        if (c.program && found) {
            EXPECT_STREQ(program, c.program);
        }
    }
    ASSERT_TRUE(zvtest::RegisterOpenCommand(".zvq", "notepad.exe \"%1\""));
    EXPECT_EQ(GetAssociatedExe("doc.zvq", program, 8), 0) << "does not fit";
    EXPECT_EQ(GetAssociatedExe("no extension", program, sizeof program), 0);
}

/* A REG_SZ value: text, with or without its NUL; the byte after it is no
 * NUL, so what is stored is exactly that. */
static LONG SetText(HKEY root, const char *key, const char *name, const std::string &text, bool nul)
{
    std::string data = text + (nul ? std::string(1, '\0') : std::string()) + "x";
    return RegSetKeyValueA(root, key, name, REG_SZ, data.data(), (DWORD)(data.size() - 1));
}

TEST_F(WizardFiles, RegistryTextsReadWholeWhenTheyEndInsideTheBuffer)
{
    /* as long as the buffer's room, or one more; stored with its NUL or without */
    struct { size_t more; bool nul; } cases[] = { { 0, true }, { 1, true }, { 0, false }, { 1, false } };
    const char *key = "Software\\Quorvel\\Zorvan\\ZVTest Boundaries";
    char copyright[512];
    for (const auto &c : cases) {
        std::string text(511 + c.more, 'c');
        ASSERT_EQ(SetText(HKEY_CURRENT_USER, key, "Copyright", text, c.nul), ERROR_SUCCESS);
        GetSettingsString("ZVTest Boundaries", "Copyright", "dflt", copyright, sizeof copyright);
        EXPECT_EQ(std::string(copyright), c.more ? "dflt" : text) << text.size() << (c.nul ? " with NUL" : "");
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key);

    /* an association's command read into 256: a quoted program and "%1" */
    ASSERT_TRUE(zvtest::RegisterOpenCommand(".zvq", "x"));
    std::string program = "C:\\" + std::string(255 - 14, 'p') + ".exe", command = "\"" + program + "\" \"%1\"";
    ASSERT_EQ(command.size(), 255u);
    char found[MAX_PATH];
    for (const auto &c : cases) {
        std::string text = command + std::string(c.more, ' ');
        ASSERT_EQ(SetText(HKEY_CLASSES_ROOT, "zvtestzvqfile\\shell\\open\\command", NULL, text, c.nul), ERROR_SUCCESS);
        memset(found, 'x', sizeof found);
        EXPECT_EQ(GetAssociatedExe("doc.zvq", found, sizeof found), c.more ? 0 : 1) << text.size() << (c.nul ? " with NUL" : "");
        if (!c.more) {
            EXPECT_EQ(std::string(found), program);
        }
    }
}

TEST_F(WizardFiles, ScrambledValuesReadBackAndRegistryValues)
{
    char scrambled[2 * 300 + 3], plain[300];
    const char *value = "\xA9 2026 Example Press";
    ASSERT_GT(EncodeString(scrambled, sizeof scrambled, value), 0u);
    ASSERT_TRUE(zvtest::WriteFileBytes(inf, std::string("[autorun]\r\nopen=ZORVAN.EXE\r\n[Zorvan Data]\r\nCopyright=") +
                                                scrambled + "\r\n"));
    AUTORUNINF back = {};
    ASSERT_TRUE(ReadAutoRunInf(inf.c_str(), &back, 0));
    EXPECT_STREQ(back.strCopyright, value);
    EXPECT_EQ(DecodeString(plain, sizeof plain, scrambled), strlen(value));
    EXPECT_STREQ(plain, value);

    /* characters equal to the key's give 80; an odd digit ends the text */
    char same[4] = { szScrambleKey[0], szScrambleKey[1], 'q', 0 };
    EncodeString(scrambled, sizeof scrambled, same);
    EXPECT_EQ(std::string(scrambled).substr(0, 6), "%%8080");
    EXPECT_EQ(DecodeString(plain, sizeof plain, scrambled), 3u);
    EXPECT_STREQ(plain, same);
    EXPECT_EQ(DecodeString(plain, sizeof plain, "%%80808"), 2u);
    EXPECT_EQ(EncodeString(scrambled, 8, same), 0u) << "needs 2 + 6 + 1";
    EXPECT_STREQ(scrambled, "");
    EXPECT_EQ(DecodeString(plain, 3, "%%808080"), 0u);

    /* the store: a section of the tests' own, removed again */
    const char *section = "ZVTest Files";
    char buf[16];
    EXPECT_EQ(WriteSettingsString(section, "Text", "hello"), 1);
    EXPECT_EQ(GetSettingsString(section, "Text", "dflt", buf, sizeof buf), 6u);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(WriteSettingsInt(section, "Number", 42), 1);
    EXPECT_EQ(GetSettingsInt(section, "Number", 7), 42u);
    EXPECT_EQ(GetSettingsInt(section, "Text", 7), 7u) << "another type";
    EXPECT_EQ(WriteSettingsString(section, "Text", std::string(40, 'x').c_str()), 1);
    GetSettingsString(section, "Text", "dflt", buf, sizeof buf);
    EXPECT_STREQ(buf, "dflt") << "too long for the buffer";
    EXPECT_EQ(WriteSettingsString(section, "Text", NULL), 1);
    EXPECT_EQ(GetSettingsString(section, "Text", "", buf, sizeof buf), 0u);
    EXPECT_TRUE(boxes.empty());

    std::string longSection(120, 's');
    EXPECT_EQ(WriteSettingsString(longSection.c_str(), "Text", "x"), 0) << "a key path cut short";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.substr(0, 39), "Error writing to the Windows registry: ");
    EXPECT_EQ(GetSettingsString(longSection.c_str(), "Text", "d", buf, sizeof buf), 1u);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quorvel\\Zorvan\\ZVTest Files");
}

} // namespace zv
