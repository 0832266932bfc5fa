/*
 * zvtest.h - what the tests share: scratch folders and files, the built
 * programs' folder, and running a program under a deadline while answering
 * its message boxes from outside, as a person at the PC would.
 */
#ifndef ZV_TEST_H
#define ZV_TEST_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zvtest {

/* How long a test waits for something a program does before it fails: a
 * Wine start can take seconds on a loaded machine, so tens of seconds. */
const unsigned EVENT_WAIT_MS = 30000;

/* Polls cond every pollMs until it holds or waitMs passes; its last value. */
bool Eventually(const std::function<bool()> &cond, unsigned waitMs = EVENT_WAIT_MS, unsigned pollMs = 20);

/* ---- files ---- */

/* Folder of the running test program: every built .exe lives there. */
std::string BinDir();
std::string BinPath(const std::string &exe);

/* A fresh, empty scratch folder (Windows path, no trailing backslash) in
 * the prefix's Temp; it and all it holds go when the test program ends. */
std::string ScratchDir(const std::string &name);
void RemoveTree(const std::string &path);

bool WriteFileBytes(const std::string &path, const std::string &bytes);
bool ReadFileBytes(const std::string &path, std::string *bytes);
std::string ReadFileOr(const std::string &path, const std::string &fallback = "");
bool PathExists(const std::string &path);

/* Lines of a text file without their CR LF or LF. */
std::vector<std::string> ReadLines(const std::string &path);

/* ---- what marker.exe recorded ---- */

struct MARK {
    unsigned long long time;  /* ms since 1601 */
    unsigned long long end;   /* when a marker told to sleep ended, or 0 */
    int show;                 /* wShowWindow, or -1 */
    std::string cwd;
    std::string cmd;
};

/* The marks in file path so far. */
std::vector<MARK> ReadMarks(const std::string &path);
/* The marks once there are at least n, or what came within waitMs. */
std::vector<MARK> WaitForMarks(const std::string &path, size_t n, unsigned waitMs = EVENT_WAIT_MS);
/* The marks once at least n of them have ended, or what came within waitMs. */
std::vector<MARK> WaitForMarkEnds(const std::string &path, size_t n, unsigned waitMs = EVENT_WAIT_MS);
/* The marks after a pause long enough for a late or wrong start to write. */
std::vector<MARK> MarksAfterPause(const std::string &path);

/* A fresh scratch folder holding copies of a built program and of the
 * marker, whose marks (and those of every program started from now on)
 * go to its marks.txt.  Fresh each time: a marker of an earlier site may
 * still run. */
struct MARKERSITE {
    std::string dir;
    std::string exe;     /* dir\program */
    std::string marker;  /* dir\marker.exe */
    std::string marks;   /* dir\marks.txt */
};
MARKERSITE MakeMarkerSite(const std::string &name, const std::string &program);

/* ---- windows of other processes ---- */

struct BOX {
    HWND hwnd;
    std::string caption;
    std::string text;    /* static 65535 for message boxes */
    std::string cls;
};

/* Text of a window through a send that cannot block on a busy owner. */
std::string WindowText(HWND hwnd);
/* Wine's own text of a system error, as the programs get it. */
std::string SystemText(unsigned long err);

/* Visible top-level windows of class cls (NULL: any) of process pid. */
std::vector<HWND> FindProcessWindows(DWORD pid, const char *cls);

/* Answers a box: the id of the button to press, or 0 to leave it alone. */
typedef std::function<int(const BOX &)> BOXANSWER;

struct RUN {
    DWORD pid = 0;
    DWORD exitCode = 0;
    bool timedOut = false;
    DWORD elapsedMs = 0;
    std::vector<BOX> boxes;   /* every dialog box seen, in order */
};

/*
 * Starts cmdline in folder cwd (NULL: current), then until the process ends
 * or timeoutMs passes, answers each new dialog box (#32770) of it with
 * answer (default: its OK/first button).  A dialog with neither a message
 * text nor a button to press (a splash: owner-drawn controls only) is no
 * box: it is neither answered nor recorded.  A process still running at
 * the deadline is terminated and reported as timed out.
 */
RUN RunProgram(const std::string &cmdline, const char *cwd, DWORD timeoutMs,
               const BOXANSWER &answer = BOXANSWER());

/* CreateProcessA of cmdline in folder cwd (NULL: current) with env (NULL:
 * this process's), tried once more after a failure: now and then Wine's
 * loader dies, or hangs, before a new process has started (CreateProcess
 * then waits for it without end).  A program that cannot start fails
 * twice; every failure is said on stderr. */
bool StartProcess(const std::string &cmdline, const char *cwd, PROCESS_INFORMATION *pi, void *env = NULL);

/* Ends a process a test started (by force when it still runs) and closes
 * its handles; nothing when there is none. */
void EndProcess(PROCESS_INFORMATION *pi);

/* True once the thread of hwnd (another process's) takes messages again:
 * the command or reload it was working on has returned, or opened a box.
 * Call it after a sign that the work has begun: a message sent sooner is
 * handled before it. */
bool TakesMessages(HWND hwnd, DWORD waitMs = EVENT_WAIT_MS);

/* Presses a dialog button of another process. */
void PressButton(HWND dialog, int id);

/* ---- drives ---- */

/*
 * Makes folder the root of a free drive letter and returns "X:" (empty when
 * no letter could be mapped); UnmapDrive takes it away again.  Under Wine
 * this is a link in the prefix's dosdevices, elsewhere DefineDosDevice.
 */
std::string MapDrive(const std::string &folder);
void UnmapDrive(const std::string &drive);

/* A drive mapped for the life of a test; drive is empty when none could be. */
struct MAPPEDDRIVE {
    std::string drive;
    explicit MAPPEDDRIVE(const std::string &folder) : drive(MapDrive(folder)) {}
    ~MAPPEDDRIVE();
    MAPPEDDRIVE(const MAPPEDDRIVE &) = delete;
    MAPPEDDRIVE &operator=(const MAPPEDDRIVE &) = delete;
};

/* ---- registry ---- */

/* HKCR\.ext -> a file type whose "open" runs program with "%1". */
bool RegisterOpenCommand(const std::string &ext, const std::string &command);

} // namespace zvtest

#endif
