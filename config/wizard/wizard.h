/*
 * wizard.h - ZVConfig, the authoring wizard: the frame that holds one page
 * at a time, the pages, the project-file helpers, the registry store and
 * the About box.  Everything but WinMain lives in the library zvwizard, so
 * that tests link the same code the program runs.
 */
#ifndef ZV_WIZARD_H
#define ZV_WIZARD_H

#include <windows.h>

#include "settings.h"

namespace zv {

/* A page tells the frame that the settings changed (wParam 1) or not (0). */
enum { WM_SETMODIFIED = WM_USER + 0x100 };

enum { WIZPAGES = 13, PATHLEN = MAX_PATH };

/* ---- the frame (frame.cpp) ---- */

/* The one settings record of the run, edited by every page. */
extern AUTORUNINF AutoRunInf;
/* The frame dialog, for the pages to message and to enable its buttons. */
extern HWND hwndMain;

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
int SwitchDialog(HWND hwnd, UINT index, LPARAM param);
/* Runs the frame modally, as WinMain does; returns its result. */
INT_PTR RunWizard(HINSTANCE instance);

/* ---- HTML Help, loaded at its first use (help.cpp) ---- */

/* HtmlHelpA of hhctrl.ocx; NULL when the library or entry is missing,
 * or when load is 0 and it has not been loaded yet. */
HWND CallHtmlHelp(int load, HWND owner, const char *file, UINT command, DWORD_PTR data);

/* ---- pages (wiz*.cpp, pages*.cpp, pagecommands.cpp) ---- */

/* Next and Previous on, as most pages have them when they open. */
void EnableNextPrevious(void);
/* A check box of the page is checked. */
int IsBoxChecked(HWND page, int id);

INT_PTR CALLBACK WizOne(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizTwo(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizTwoPtFive(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizThree(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizFour(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizFive(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizSix(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizEight(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizNine(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizTen(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizEleven(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizTwelve(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK WizFinish(HWND, UINT, WPARAM, LPARAM);

/* Enables or disables the frame's Next (3) or Previous (4) button. */
void EnableFrameButton(int id, BOOL enable);

/* A page as data: filled from AutoRunInf when it opens, stored into it
 * when it is left (then marked changed, unless the store says 0), what
 * each of its own commands does, and any other message it takes. */
struct PAGECOMMAND {
    /* control id and notification; ANYNOTIFICATION matches every one */
    WPARAM wParam;
    void (*pfnHandler)(HWND page, WPARAM wParam);
};
enum { ANYNOTIFICATION = 0xFFFF };
struct PAGEDEF {
    void (*pfnInit)(HWND page);
    int (*pfnStore)(HWND page);
    const PAGECOMMAND *commands;
    size_t count;
    /* NULL, or the page's other messages; its result is the page's */
    INT_PTR (*pfnMessage)(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
};
/* The page protocol for def; returns 0 but for what pfnMessage returns. */
INT_PTR RunPage(const PAGEDEF &def, HWND page, UINT msg, WPARAM wParam, LPARAM lParam);

/* A page's browse button: the file dialog of string triple title, started
 * from the edit's text; the picked name, relative to the project folder
 * where it can be, goes into the edit.  0 when cancelled. */
int BrowseIntoEdit(HWND page, int edit, UINT title);

/* The placement page's picture of the screen takes clicks through this
 * procedure (wizten.cpp); the page hears of them as WM_SCREENCLICK. */
enum { WM_SCREENCLICK = WM_APP + 100 };
LRESULT CALLBACK SubStaticEvents(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
WNDPROC CreateScreenPicture(HWND page, int itemId);

/* ---- the music page's preview (soundpreview.cpp), apart from the
 *      runtime's and the menu's music functions ---- */
namespace preview {
enum { PREVIEW_NONE = 0, PREVIEW_WAVE = 1, PREVIEW_MIDI = 2 };
/* Every wave call goes through this; tests may record instead. */
extern BOOL (WINAPI *pfnPlaySoundA)(LPCSTR sound, HMODULE module, DWORD flags);
/* What plays: PREVIEW_WAVE, PREVIEW_MIDI, or PREVIEW_NONE on failure. */
int PlayMusic(const char *path);
/* Stops what PlayMusic started as kind; PREVIEW_NONE. */
int StopMusic(int kind);
} // namespace preview

/* ---- project files and paths (filedlg.cpp, projpath.cpp, autocopy.cpp,
 *      findexe.cpp) ---- */

/* File dialog of string triple title: 1 when a file was picked (its full
 * path in file, a buffer of PATHLEN), 0 when cancelled or failed.
 * keepFolder 1 leaves the current folder as it was; 0 makes the picked
 * file's folder current (a cancelled dialog changes nothing). */
int GetFileName(HWND owner, UINT title, char *file, int keepFolder);

/* The project folder of infPath (its full path without the file name,
 * ending in '\') into folder; 0 when it cannot be had or does not fit. */
int ProjectFolder(const char *infPath, char *folder, size_t size);
/* Makes the project folder of infPath current; 0 when it cannot. */
int EnterProjectFolder(const char *infPath);

void MakeRelativePathName(HWND owner, const char *infPath, char *path);
/* The path of value taken as the disc takes it: relative to the project
 * folder of infPath, from the root of its drive when it begins with '\',
 * or as it is when absolute; 0 when it does not fit. */
int ProjectFilePath(const char *infPath, const char *value, char *path, size_t size);
/* The whole of value names an existing file, so taken. */
int NamesProjectFile(const char *infPath, const char *value);
int CopyIfNeeded(HWND owner, const char *infPath, char *value, size_t size);
/* Copies a file into the project; 0 after message 40117. */
int CopyIntoProject(HWND owner, const char *source, const char *destination, BOOL overwrite);

/* What dialog 115 is given: the project folder, the file outside it and
 * where the copy would go. */
struct AUTOCOPYINFO {
    const char *pszProject;
    const char *pszSource;
    const char *pszDestination;
};
INT_PTR CALLBACK DlgAutoCopy(HWND, UINT, WPARAM, LPARAM);
int ACDAlways(void);
void ACDlgInit(void);

int FindZorvanExe(HWND owner, const char *infPath, char *value, size_t size);
int GetAssociatedExe(const char *file, char *program, size_t size);

/* ---- registry store, scrambled values (regsettings.cpp, scramble.cpp) ---- */

int WriteSettingsString(const char *section, const char *name, const char *value);
int WriteSettingsInt(const char *section, const char *name, DWORD value);
DWORD GetSettingsString(const char *section, const char *name, const char *def, char *buffer, DWORD size);
DWORD GetSettingsInt(const char *section, const char *name, DWORD def);
/* The text value name of key read with the whole buffer: 1 (its type and
 * byte count into type and bytes, when given) when it ends inside buffer,
 * else 0.  A value stored without its NUL is ended when there is room. */
int QueryTextValue(HKEY key, const char *name, char *buffer, DWORD size, DWORD *type, DWORD *bytes);

/* "%%" and two hex digits a scrambled byte; 0 when dst is too small
 * (dst is then empty), else the length written. */
size_t EncodeString(char *dst, size_t size, const char *value);
/* The value of a scrambled text; its length, or 0 when dst is too small
 * (dst is then empty). */
size_t DecodeString(char *dst, size_t size, const char *scrambled);

/* ---- About box (about.cpp) ---- */

INT_PTR CALLBACK DlgAbout(HWND, UINT, WPARAM, LPARAM);

/* Every box of the wizard, through the settings core's seam. */
int WizardBox(HWND owner, UINT id, const char *arg, UINT type);

} // namespace zv

#endif
