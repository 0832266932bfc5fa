/*
 * pagecontrols.h - the controls of the wizard's current page read and
 * worked from outside, the saved AUTORUN.INF read back, and the small
 * files the splash and sound pages are given.
 */
#ifndef ZV_PAGECONTROLS_H
#define ZV_PAGECONTROLS_H

#include <string>

#include "wizdriver.h"

namespace wiztest {

HWND Item(const WIZARD &w, int id);
/* A message the page handles at once (none that opens a box). */
LRESULT SendTo(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void SetText(const WIZARD &w, int id, const std::string &text);
/* Replaces the text as typing does, with the edit's change notice. */
void TypeText(const WIZARD &w, int id, const std::string &text);
std::string Text(const WIZARD &w, int id);
bool Checked(const WIZARD &w, int id);
/* A click on a check box, which flips it and tells the page. */
void Toggle(const WIZARD &w, int id);
/* A page button pressed, handled before this returns. */
void Press(const WIZARD &w, int id);
bool Enabled(const WIZARD &w, int id);
bool Shown(const WIZARD &w, int id);
/* Next or Previous until page index to shows; false when it did not. */
bool GoTo(const WIZARD &w, int from, int to);
/* The value of KEY= (or of "; KEY=", written for an unused key) in a
 * saved AUTORUN.INF, unquoted. */
std::string InfValue(const std::string &inf, const std::string &key);
/* A screenshot kept once the page has drawn what it was just given. */
void Snap(const std::string &name);
/* The header of a baseline JPEG of w x h pixels: enough to be measured. */
std::string JpegHeader(int w, int h);

} // namespace wiztest

#endif
