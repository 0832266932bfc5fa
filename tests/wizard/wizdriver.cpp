/*
 * wizdriver.cpp - starting ZVConfig.exe and working it from outside.
 */
#include "wizdriver.h"
#include "writertest.h"

namespace wiztest {

const char *const PAGECAPTIONS[13] = {
    "Zorvan Configration Utility", "AUTORUN Settings", "More AUTORUN Settings", "Zorvan Document",
    "Document Viewer", "Default Action", "Copyright Text", "Show Splash Dialog", "Splash Options",
    "Splash Placement", "Play Sound", "Show Legal Notice", "Save the File",
};

WIZARD::~WIZARD()
{
    zvtest::EndProcess(&pi);
}

std::string ToolFolder(const std::string &name)
{
    std::string dir = zvtest::ScratchDir(name);
    CopyFileA(zvtest::BinPath("ZVConfig.exe").c_str(), (dir + "\\ZVConfig.exe").c_str(), FALSE);
    return dir;
}

std::string DiscFolder(const std::string &name)
{
    std::string dir = zvtest::ScratchDir(name);
    CopyFileA(zvtest::BinPath("marker.exe").c_str(), (dir + "\\ZORVAN.EXE").c_str(), FALSE);
    return dir;
}

/* This process's environment with extra entries (a later one wins). */
static std::vector<char> Environment(const std::vector<std::string> &extra)
{
    std::vector<char> block;
    char *env = GetEnvironmentStringsA();
    for (const char *p = env; *p; p += strlen(p) + 1) {
        bool replaced = false;
        for (const std::string &e : extra)
            replaced = replaced || _strnicmp(p, e.c_str(), e.find('=') + 1) == 0;
        if (!replaced)
            block.insert(block.end(), p, p + strlen(p) + 1);
    }
    FreeEnvironmentStringsA(env);
    for (const std::string &e : extra)
        block.insert(block.end(), e.c_str(), e.c_str() + e.size() + 1);
    block.push_back('\0');
    return block;
}

bool StartWizard(WIZARD *w, const std::string &folder, const std::vector<std::string> &env, const std::string &exe)
{
    w->exe = folder + "\\" + exe;
    std::vector<char> block = Environment(env);
    if (!zvtest::StartProcess("\"" + w->exe + "\"", folder.c_str(), &w->pi, block.data()))
        return false;
    w->frame = WaitForDialog(*w, "Zorvan Configuration Tool", 60000);
    return w->frame != NULL && WaitForPage(*w, 0);
}

void Click(const WIZARD &w, int id)
{
    PostMessageA(w.frame, WM_COMMAND, id, 0);
}

static HWND Control(const WIZARD &w, int id)
{
    HWND c = GetDlgItem(w.frame, id);
    HWND page = Page(w);
    return c ? c : page ? GetDlgItem(page, id) : NULL;
}

bool CanClick(const WIZARD &w, int id)
{
    HWND c = Control(w, id);
    return c && IsWindowEnabled(c) && IsWindowVisible(c);
}

HWND Page(const WIZARD &w)
{
    for (HWND c = GetWindow(w.frame, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[16] = "";
        GetClassNameA(c, cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0)
            return c;
    }
    return NULL;
}

std::string PageCaption(const WIZARD &w)
{
    HWND page = Page(w);
    for (HWND c = page ? GetWindow(page, GW_CHILD) : NULL; c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
            /* a caption that a check box covers starts with blanks */
            std::string text = zvtest::WindowText(c);
            size_t from = text.find_first_not_of(' '), to = text.find_last_not_of(' ');
            return from == std::string::npos ? std::string() : text.substr(from, to - from + 1);
        }
    return std::string();
}

bool WaitForPage(const WIZARD &w, int index)
{
    return zvtest::Eventually([&] { return PageCaption(w) == PAGECAPTIONS[index]; });
}

HWND WaitForDialog(const WIZARD &w, const char *caption, DWORD waitMs)
{
    HWND found = NULL;
    zvtest::Eventually([&] {
        for (HWND h : zvtest::FindProcessWindows(w.pi.dwProcessId, "#32770"))
            if (zvtest::WindowText(h) == caption)
                found = h;
        return found != NULL || WaitForSingleObject(w.pi.hProcess, 0) == WAIT_OBJECT_0;
    }, waitMs);
    return found;
}

/* Wine's name field: the edit 1152, or the edit in the combo box within
 * the extended combo box 1148. */
static HWND NameField(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, 1152);
    HWND combo = FindWindowExA(GetDlgItem(dialog, 1148), NULL, "ComboBox", NULL);
    return edit && IsWindowVisible(edit) ? edit : combo ? FindWindowExA(combo, NULL, "Edit", NULL) : NULL;
}

bool AnswerFileDialog(const WIZARD &w, const char *title, const std::string &path)
{
    HWND dialog = WaitForDialog(w, title), name = NULL;
    if (!dialog || !zvtest::Eventually([&] { return (name = NameField(dialog)) != NULL; }))
        return false;
    DWORD_PTR r;
    SendMessageTimeoutA(name, WM_SETTEXT, 0, (LPARAM)path.c_str(), SMTO_ABORTIFHUNG, 5000, &r);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return zvtest::Eventually([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

std::string AnswerBox(const WIZARD &w, int button)
{
    HWND box = WaitForDialog(w, "Zorvan Configuration Utility");
    if (!box)
        return std::string();
    HWND st = GetDlgItem(box, 0xFFFF);
    std::string text = st ? zvtest::WindowText(st) : std::string();
    zvtest::PressButton(box, button);
    zvtest::Eventually([&] { return !IsWindow(box); });
    return text;
}

bool WaitForEnd(WIZARD *w, DWORD waitMs)
{
    return WaitForSingleObject(w->pi.hProcess, waitMs) == WAIT_OBJECT_0;
}

bool CreateProject(const WIZARD &w, const std::string &inf)
{
    Click(w, CREATENEW);
    return AnswerFileDialog(w, "Create AUTORUN Information File", inf) && WaitForPage(w, 1);
}

bool OpenProject(const WIZARD &w, const std::string &inf)
{
    Click(w, OPENEXISTING);
    return AnswerFileDialog(w, "Open Existing AUTORUN Information File", inf) && WaitForPage(w, 1);
}

bool SaveInf(const WIZARD &w)
{
    Click(w, SAVEDOTS);
    if (!WaitForPage(w, 12))
        return false;
    Click(w, SAVEINF);
    return zvtest::Eventually([&] { return CanClick(w, VIEWINF); });
}

bool SaveDat(const WIZARD &w, const std::string &inf, const std::string &dat)
{
    Click(w, SAVEDAT);
    if (!AnswerFileDialog(w, "Create Zorvan Data File", dat))
        return false;
    std::string names = "--dat \"" + dat.substr(dat.find_last_of("\\:") + 1) + "\"";
    return zvtest::Eventually([&] { return zvtest::ReadFileOr(inf).find(names) != std::string::npos; }) &&
           zvtest::TakesMessages(w.frame);
}

std::string SavedText(const std::string &path)
{
    return zv::MaskSaveTime(zvtest::ReadFileOr(path));
}

std::string GoldenText(const std::string &name)
{
    return zvtest::ReadFileOr(zvtest::BinPath("writer_golden\\" + name));
}

} // namespace wiztest
