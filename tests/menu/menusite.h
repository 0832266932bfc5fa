/*
 * menusite.h - ZVMenu run as a person at the PC would: a scratch folder with
 * its own ZVMenu.exe and the marker, menu files written there, the running
 * menu's window and buttons, its boxes answered, its run records read back.
 * One menu window per desktop: each test ends the menus it started.
 */
#ifndef ZV_TEST_MENUSITE_H
#define ZV_TEST_MENUSITE_H

#include <windows.h>

#include <string>
#include <vector>

#include "screen.h"
#include "zvtest.h"

namespace zv {

/* the scratch folder; ZVMenu.exe and marker.exe live there */
typedef zvtest::MARKERSITE MENUSITE;

MENUSITE MakeMenuSite(const std::string &name);

/* [Options] and [ZVMenu] with the given lines. */
void WriteMenuIni(const std::string &path, const std::vector<std::string> &options,
                  const std::vector<std::string> &items);

/* A running ZVMenu.exe; ended (and waited for) when it goes out of scope. */
struct MENUPROC {
    PROCESS_INFORMATION pi = {};
    MENUPROC() = default;
    MENUPROC(const MENUPROC &) = delete;
    MENUPROC &operator=(const MENUPROC &) = delete;
    ~MENUPROC();
    bool Ended(DWORD waitMs, DWORD *code = NULL);
    void Kill();
};

bool StartMenu(const MENUSITE &site, const std::string &args, const char *cwd, MENUPROC *proc);

/* The visible menu window of the process once it shows n buttons and is
 * not in the middle of a reload, or NULL. */
HWND WaitForMenu(const MENUPROC &proc, int n, DWORD waitMs = 30000);
/* The menu dialog of the process (a dialog layout: the one with the logo
 * control 1002, unlike its message boxes), or NULL. */
HWND WaitForMenuDialog(const MENUPROC &proc, DWORD waitMs = 30000);
/* Button texts now, for ids 100 to 107 that exist. */
std::vector<std::string> ButtonTexts(HWND menu);
/* Client rectangle of a child in its parent's client coordinates. */
RECT ChildRect(HWND child);

/* The pixel of a screenshot at client point x, y of window. */
unsigned ScreenAt(const zvtest::SCREENSHOT &shot, HWND window, int x, int y);
/* Pixels of region (client coordinates) near colour rgb. */
int CountNear(const zvtest::SCREENSHOT &shot, HWND window, RECT region, unsigned rgb, int tolerance);

/* Presses button id as a click would (BN_CLICKED), or with another code. */
void PressItem(HWND menu, int id, int code = BN_CLICKED);

/* Message boxes of the process, answered with OK, until n came or the wait
 * ended. */
std::vector<zvtest::BOX> AnswerBoxes(const MENUPROC &proc, size_t n, DWORD waitMs = 20000);

/* A PNG whose left half is colour left and right half colour right
 * (0xRRGGBB): stretched it halves the target, tiled it stripes it. */
std::string HalvesPng(int w, int h, unsigned left, unsigned right);

/* ---- run records ---- */

std::string RecordKey(const std::string &iniPath);
/* The value HasRun<n> under key: type and bytes; false when missing. */
bool ReadRecord(const std::string &key, int n, DWORD *type, std::string *data);
bool KeyExists(const std::string &key);
void SetDwordRecord(const std::string &key, int n, DWORD value);
/* Removes the whole tree of run records, for a clean start. */
void ClearRecords();

} // namespace zv

#endif
