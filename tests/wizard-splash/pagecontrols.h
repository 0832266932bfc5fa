/*
 * pagecontrols.h - the current page's controls worked from outside, the
 * saved AUTORUN.INF read back, and a JPEG header to measure.
 */
#ifndef ZV_PAGECONTROLS_H
#define ZV_PAGECONTROLS_H

#include <string>
#include <vector>

#include "wizdriver.h"

namespace wiztest {

HWND Item(const WIZARD &w, int id);
/* A message the page handles before this returns (none that opens a box). */
LRESULT SendTo(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void SetText(const WIZARD &w, int id, const std::string &text);
/* Replaces the text as typing does, with the edit's change notice. */
void TypeText(const WIZARD &w, int id, const std::string &text);
std::string Text(const WIZARD &w, int id);
bool Checked(const WIZARD &w, int id);
/* A click on a check box: it flips and tells the page. */
void Toggle(const WIZARD &w, int id);
/* A page button pressed and handled. */
void Press(const WIZARD &w, int id);
bool Enabled(const WIZARD &w, int id);
bool Shown(const WIZARD &w, int id);
/* Next or Previous until page index to shows. */
bool GoTo(const WIZARD &w, int from, int to);
/* The values of keys in a saved AUTORUN.INF (also of "; KEY=", written
 * for an unused key), unquoted, joined by '|'. */
std::string InfValues(const std::string &inf, const std::vector<std::string> &keys);
/* A screenshot once the page has drawn what it was just given. */
void Snap(const std::string &name);
/* The header of a baseline JPEG of w x h pixels. */
std::string JpegHeader(int w, int h);

} // namespace wiztest

#endif
