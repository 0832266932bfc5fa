/*
 * zvtest.cpp - scratch files and the outside view of a running program.
 */
#include "zvtest.h"

#include <gtest/gtest.h>

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

namespace zvtest {

std::string BinDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string s(path, n);
    size_t slash = s.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

std::string BinPath(const std::string &exe) { return BinDir() + "\\" + exe; }

/* Every scratch folder this program made, removed when it ends: a test
 * that fails half-way leaves nothing behind in the prefix either. */
static std::vector<std::string> &ScratchDirs()
{
    static std::vector<std::string> dirs;
    return dirs;
}

static void RemoveScratchDirs()
{
    /* a program the test started may still be writing or running there:
     * try again for a little while */
    for (int round = 0; round < 10; round++) {
        bool left = false;
        for (const std::string &dir : ScratchDirs()) {
            RemoveTree(dir);
            left = left || PathExists(dir);
        }
        if (!left)
            return;
        Sleep(300);
    }
}

std::string ScratchDir(const std::string &name)
{
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string base = std::string(tmp) + "zvt-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    RemoveTree(base);
    CreateDirectoryA(base.c_str(), NULL);
    if (ScratchDirs().empty())
        atexit(RemoveScratchDirs);
    ScratchDirs().push_back(base);
    return base;
}

/* A folder that is the current one cannot go: step out of it first (the
 * programs' own code under test makes project folders current). */
static void LeaveFolder(const std::string &path)
{
    char current[MAX_PATH], cwd[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof current, current);
    if (n == 0 || n >= sizeof current)
        return;
    /* the code under test may have made it current by its 8.3 name */
    n = GetLongPathNameA(current, cwd, sizeof cwd);
    if (n == 0 || n >= sizeof cwd)
        memcpy(cwd, current, sizeof cwd);
    if (path.empty() || _strnicmp(cwd, path.c_str(), path.size()) != 0)
        return;
    if (cwd[path.size()] != '\0' && cwd[path.size()] != '\\')
        return;
    size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos)
        SetCurrentDirectoryA(path.substr(0, slash + 1).c_str());
}

void RemoveTree(const std::string &path)
{
    LeaveFolder(path);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = fd.cFileName;
            if (n == "." || n == "..")
                continue;
            std::string full = path + "\\" + n;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    CloseHandle(h);
    return ok && n == bytes.size();
}

bool ReadFileBytes(const std::string &path, std::string *bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char buf[65536];
    DWORD n;
    while (ReadFile(h, buf, sizeof buf, &n, NULL) && n)
        bytes->append(buf, n);
    CloseHandle(h);
    return true;
}

std::string ReadFileOr(const std::string &path, const std::string &fallback)
{
    std::string s;
    return ReadFileBytes(path, &s) ? s : fallback;
}

bool PathExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ReadLines(const std::string &path)
{
    std::vector<std::string> lines;
    std::string s = ReadFileOr(path), cur;
    for (char c : s) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r')
                cur.pop_back();
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        lines.push_back(cur);
    return lines;
}

bool Eventually(const std::function<bool()> &cond, unsigned waitMs, unsigned pollMs)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > waitMs)
            return cond();
        Sleep(pollMs);
    }
    return true;
}

/* An end line belongs to the first mark of the same command line that has
 * not ended yet. */
static void AddEnd(std::vector<MARK> &marks, const std::string &line)
{
    size_t k = line.find("|cmd=");
    if (k == std::string::npos)
        return;
    std::string cmd = line.substr(k + 5);
    for (MARK &m : marks)
        if (!m.end && m.cmd == cmd) {
            m.end = strtoull(line.c_str() + 4, NULL, 10);
            return;
        }
}

std::vector<MARK> ReadMarks(const std::string &path)
{
    std::vector<MARK> marks;
    for (const std::string &line : ReadLines(path)) {
        if (line.compare(0, 4, "end=") == 0) {
            AddEnd(marks, line);
            continue;
        }
        size_t s = line.find("|show="), c = line.find("|cwd="), k = line.find("|cmd=");
        if (line.compare(0, 5, "time=") != 0 || s == std::string::npos || c == std::string::npos ||
            k == std::string::npos)
            continue;
        MARK m;
        m.end = 0;
        m.time = strtoull(line.c_str() + 5, NULL, 10);
        m.show = atoi(line.c_str() + s + 6);
        m.cwd = line.substr(c + 5, k - c - 5);
        m.cmd = line.substr(k + 5);
        marks.push_back(m);
    }
    return marks;
}

std::vector<MARK> WaitForMarks(const std::string &path, size_t n, unsigned waitMs)
{
    std::vector<MARK> marks;
    Eventually(
        [&] {
            marks = ReadMarks(path);
            return marks.size() >= n;
        },
        waitMs);
    return marks;
}

std::vector<MARK> WaitForMarkEnds(const std::string &path, size_t n, unsigned waitMs)
{
    std::vector<MARK> marks;
    Eventually(
        [&] {
            marks = ReadMarks(path);
            size_t ended = 0;
            for (const MARK &m : marks)
                ended += m.end != 0;
            return ended >= n;
        },
        waitMs);
    return marks;
}

std::vector<MARK> MarksAfterPause(const std::string &path)
{
    Sleep(700);
    return ReadMarks(path);
}

MARKERSITE MakeMarkerSite(const std::string &name, const std::string &program)
{
    static int made;
    MARKERSITE site;
    site.dir = ScratchDir(name + "-" + std::to_string(++made));
    site.exe = site.dir + "\\" + program;
    site.marker = site.dir + "\\marker.exe";
    site.marks = site.dir + "\\marks.txt";
    EXPECT_TRUE(CopyFileA(BinPath(program).c_str(), site.exe.c_str(), FALSE)) << program;
    EXPECT_TRUE(CopyFileA(BinPath("marker.exe").c_str(), site.marker.c_str(), FALSE));
    /* the program and everything it starts inherit this */
    SetEnvironmentVariableA("ZVMARKER_OUT", site.marks.c_str());
    return site;
}

std::string SystemText(unsigned long err)
{
    char buf[512];
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, err,
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buf, 64, NULL))
        return "An unexpected error #" + std::to_string(err) + " has occurred.";
    return buf;
}

std::string WindowText(HWND hwnd)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len))
        return std::string();
    std::vector<char> buf(len + 2);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, buf.size(), (LPARAM)buf.data(), SMTO_ABORTIFHUNG, 2000, &got))
        return std::string();
    return std::string(buf.data());
}

struct FINDCTX {
    DWORD pid;
    const char *cls;
    std::vector<HWND> *out;
};

static BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp)
{
    FINDCTX *ctx = (FINDCTX *)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ctx->pid || !IsWindowVisible(hwnd))
        return TRUE;
    if (ctx->cls) {
        char cls[64];
        GetClassNameA(hwnd, cls, sizeof cls);
        if (strcmp(cls, ctx->cls) != 0)
            return TRUE;
    }
    ctx->out->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindProcessWindows(DWORD pid, const char *cls)
{
    std::vector<HWND> out;
    FINDCTX ctx = {pid, cls, &out};
    EnumWindows(FindProc, (LPARAM)&ctx);
    return out;
}

bool TakesMessages(HWND hwnd, DWORD waitMs)
{
    DWORD_PTR r;
    return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, waitMs, &r) != 0;
}

void EndProcess(PROCESS_INFORMATION *pi)
{
    if (!pi->hProcess)
        return;
    if (WaitForSingleObject(pi->hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi->hProcess, 259);
        WaitForSingleObject(pi->hProcess, 5000);
    }
    CloseHandle(pi->hThread);
    CloseHandle(pi->hProcess);
    pi->hProcess = pi->hThread = NULL;
}

void PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

static BOOL CALLBACK FindPressable(HWND child, LPARAM found)
{
    char cls[16] = "";
    GetClassNameA(child, cls, sizeof cls);
    /* a child torn down meanwhile reads as style 0, a push button's type */
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(cls, "Button") == 0 && (style & WS_CHILD) && (style & BS_TYPEMASK) != BS_OWNERDRAW) {
        *(bool *)found = true;
        return FALSE;
    }
    return TRUE;
}

/* A box has a message text or a button a person could press; a splash
 * has neither, and its thread may answer no message at all. */
static bool IsBox(HWND dialog)
{
    bool found = GetDlgItem(dialog, 0xFFFF) != NULL;
    if (!found)
        EnumChildWindows(dialog, FindPressable, (LPARAM)&found);
    return found;
}

static int DefaultButton(HWND dialog)
{
    static const int order[] = {IDOK, IDYES, IDCANCEL, IDNO};
    for (int id : order)
        if (GetDlgItem(dialog, id))
            return id;
    return IDOK;
}

RUN RunProgram(const std::string &cmdline, const char *cwd, DWORD timeoutMs, const BOXANSWER &answer)
{
    RUN run;
    PROCESS_INFORMATION pi = {};
    DWORD start = GetTickCount();
    if (!StartProcess(cmdline, cwd, &pi)) {
        run.exitCode = (DWORD)-1;
        return run;
    }
    run.pid = pi.dwProcessId;
    std::vector<HWND> answered;
    for (;;) {
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0)
            break;
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(pi.hProcess, 259);
            WaitForSingleObject(pi.hProcess, 5000);
            run.timedOut = true;
            break;
        }
        for (HWND h : FindProcessWindows(pi.dwProcessId, "#32770")) {
            bool seen = false;
            for (HWND a : answered)
                seen = seen || a == h;
            if (seen)
                continue;
            answered.push_back(h);
            if (!IsBox(h))
                continue;
            BOX box;
            box.hwnd = h;
            box.caption = WindowText(h);
            box.cls = "#32770";
            HWND st = GetDlgItem(h, 0xFFFF);
            if (st)
                box.text = WindowText(st);
            /* a dialog that went while it was read was being torn down
             * (the splash at the program's end), never a box to answer */
            if (!IsWindow(h))
                continue;
            int id = answer ? answer(box) : DefaultButton(h);
            run.boxes.push_back(box);
            if (id)
                PressButton(h, id);
        }
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    run.elapsedMs = GetTickCount() - start;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

typedef char *(CDECL *UNIXNAMEFN)(LPCWSTR);

static UNIXNAMEFN WineUnixName()
{
    return (UNIXNAMEFN)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
}

/* Starts a host program (Wine starts ELF files too) and gives it a moment.
 * Wine cannot always wait on such a process: callers check the effect. */
static bool RunHost(const std::string &cmdline)
{
    STARTUPINFOA si = {};
    PROCESS_INFORMATION pi = {};
    si.cb = sizeof si;
    std::vector<char> cmd(cmdline.begin(), cmdline.end());
    cmd.push_back('\0');
    if (!CreateProcessA(NULL, cmd.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_FAILED)
        Sleep(200);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

static std::string DosDeviceLink(const std::string &drive)
{
    char prefix[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (n == 0 || n >= sizeof prefix)
        return std::string();
    std::string letter = drive.substr(0, 1);
    letter[0] = (char)tolower((unsigned char)letter[0]);
    return std::string(prefix) + "/dosdevices/" + letter + ":";
}

/* Wine notices new drive links only now and then: wait until it has. */
static bool WaitForPath(const std::string &path, bool present, unsigned waitMs)
{
    return Eventually([&] { return (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == present; },
                      waitMs);
}

/* Wine's list of drives lags behind its links, so tests of two programs
 * could both take a letter that looks free.  A letter is claimed with a
 * named mutex held while it is mapped, which ends with the process too. */
static HANDLE driveClaims[26];

static bool ClaimLetter(char letter)
{
    std::string name = std::string("zvtest-drive-") + letter;
    HANDLE h = CreateMutexA(NULL, FALSE, name.c_str());
    if (!h)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(h);
        return false;
    }
    driveClaims[letter - 'A'] = h;
    return true;
}

static void ReleaseLetter(char letter)
{
    HANDLE &h = driveClaims[letter - 'A'];
    if (h) {
        CloseHandle(h);
        h = NULL;
    }
}

/* Maps drive to folder; false when the letter turned out to be taken.
 * The link never replaces another one: tests running at the same time map
 * drives too, and a replaced link would pull their drive from under them. */
static bool MapLetter(const std::string &drive, const std::string &folder)
{
    UNIXNAMEFN unixName = WineUnixName();
    if (unixName) {
        std::wstring wide(folder.begin(), folder.end());
        char *target = unixName(wide.c_str());
        std::string link = DosDeviceLink(drive);
        bool ok = target && !link.empty() &&
                  RunHost("Z:\\bin\\ln -s -n \"" + std::string(target) + "\" \"" + link + "\"");
        if (target)
            HeapFree(GetProcessHeap(), 0, target);
        if (!ok)
            return false;
    } else if (!DefineDosDeviceA(0, drive.c_str(), folder.c_str())) {
        return false;
    }
    /* a file of this folder seen through the letter: not another mapping */
    std::string probe = "\\zvtest-drive-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    bool seen = WriteFileBytes(folder + probe, "") && WaitForPath(drive + probe, true, EVENT_WAIT_MS);
    DeleteFileA((folder + probe).c_str());
    if (!seen && unixName)
        RunHost("Z:\\bin\\rm -f \"" + DosDeviceLink(drive) + "\"");
    else if (!seen)
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive.c_str(), NULL);
    return seen;
}

std::string MapDrive(const std::string &folder)
{
    DWORD used = GetLogicalDrives();
    for (char letter = 'Y'; letter >= 'M'; letter--) {
        if ((used & (1u << (letter - 'A'))) || !ClaimLetter(letter))
            continue;
        std::string drive = std::string(1, letter) + ":";
        if (MapLetter(drive, folder))
            return drive;
        ReleaseLetter(letter);
    }
    return std::string();
}

void UnmapDrive(const std::string &drive)
{
    if (drive.empty())
        return;
    if (WineUnixName()) {
        std::string link = DosDeviceLink(drive);
        if (!link.empty())
            RunHost("Z:\\bin\\rm -f \"" + link + "\"");
    } else {
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive.c_str(), NULL);
    }
    /* best effort: the letter is ours until Wine has let go of it */
    WaitForPath(drive + "\\", false, 5000);
    ReleaseLetter(drive[0]);
}

MAPPEDDRIVE::~MAPPEDDRIVE()
{
    UnmapDrive(drive);
    /* the drive's current folder, which a program of ours may have set */
    if (!drive.empty())
        SetEnvironmentVariableA(("=" + drive).c_str(), NULL);
}

bool RegisterOpenCommand(const std::string &ext, const std::string &command)
{
    std::string type = "zvtest" + ext.substr(1) + "file";
    HKEY k;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ext.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k, NULL))
        return false;
    RegSetValueExA(k, NULL, 0, REG_SZ, (const BYTE *)type.c_str(), (DWORD)type.size() + 1);
    RegCloseKey(k);
    std::string key = type + "\\shell\\open\\command";
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &k, NULL))
        return false;
    RegSetValueExA(k, NULL, 0, REG_SZ, (const BYTE *)command.c_str(), (DWORD)command.size() + 1);
    RegCloseKey(k);
    return true;
}

} // namespace zvtest
