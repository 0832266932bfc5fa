/*
 * wizdriver.h - ZVConfig.exe driven from outside as an author would: a
 * copy of the program in a folder of its own, commands posted to its frame
 * (never sent: a modal box may open), its file dialogs and message boxes
 * answered, its pages and buttons read.
 */
#ifndef ZV_WIZDRIVER_H
#define ZV_WIZDRIVER_H

#include <windows.h>

#include <string>
#include <vector>

#include "zvtest.h"

namespace wiztest {

/* Frame and page control ids, as the author's clicks reach them. */
enum {
    CLOSE = 2, NEXT = 3, PREVIOUS = 4, SAVEDOTS = 1001, ABOUT = 1016, HELP = 1218,
    CREATENEW = 1040, OPENEXISTING = 1041,
    COMMENTS = 1038, SAVEINF = 1216, SAVEDAT = 1070, VIEWINF = 1518, TESTRUN = 1117
};

/* The group-box caption of each page, by index. */
extern const char *const PAGECAPTIONS[13];

struct WIZARD {
    PROCESS_INFORMATION pi = {};
    HWND frame = NULL;
    std::string exe;
    WIZARD() = default;
    WIZARD(const WIZARD &) = delete;
    WIZARD &operator=(const WIZARD &) = delete;
    ~WIZARD();   /* ends a wizard that a failed test left running */
};

/* A scratch folder holding a copy of ZVConfig.exe. */
std::string ToolFolder(const std::string &name);
/* A scratch project folder holding a ZORVAN.EXE (the marker), so that
 * leaving the AUTORUN page finds the runtime without a question. */
std::string DiscFolder(const std::string &name);
/* Starts folder\exe (a copy of ZVConfig.exe) with env (NAME=VALUE) added,
 * and waits for its first page; false when none came. */
bool StartWizard(WIZARD *w, const std::string &folder, const std::vector<std::string> &env = {},
                 const std::string &exe = "ZVConfig.exe");

/* Posts a button's command to the frame, which hands page buttons on. */
void Click(const WIZARD &w, int id);
/* A frame or page button is enabled and visible. */
bool CanClick(const WIZARD &w, int id);
HWND Page(const WIZARD &w);
std::string PageCaption(const WIZARD &w);
bool WaitForPage(const WIZARD &w, int index);

/* The wizard's dialog of that caption, or NULL after the deadline. */
HWND WaitForDialog(const WIZARD &w, const char *caption, DWORD waitMs = 30000);
/* Fills the name field of the file dialog of that title and presses OK. */
bool AnswerFileDialog(const WIZARD &w, const char *title, const std::string &path);
/* Presses button in the next message box; its text, or "". */
std::string AnswerBox(const WIZARD &w, int button);
/* True when the wizard ended within waitMs. */
bool WaitForEnd(WIZARD *w, DWORD waitMs = 30000);

/* Create New or Open Existing with the INF at path; true on page 1. */
bool CreateProject(const WIZARD &w, const std::string &inf);
bool OpenProject(const WIZARD &w, const std::string &inf);
/* Save... then Save AUTORUN.INF; true once View is enabled. */
bool SaveInf(const WIZARD &w);
/* Save Zorvan.DAT (on the last page) as dat: true once the save has
 * ended, not when it has begun: the data file is written after the INF
 * that names it, so the INF at inf naming it is only the first sign. */
bool SaveDat(const WIZARD &w, const std::string &inf, const std::string &dat);

/* The file with its "; Generated" time taken out. */
std::string SavedText(const std::string &path);
std::string GoldenText(const std::string &name);

} // namespace wiztest

#endif
