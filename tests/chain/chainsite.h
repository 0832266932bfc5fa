/*
 * chainsite.h - a scratch folder with its own copy of ZVChain.exe and the
 * marker beside it, so that the default ZVCHAIN.INI of one test is never
 * another's; and the marks the started programs leave.
 */
#ifndef ZV_TEST_CHAINSITE_H
#define ZV_TEST_CHAINSITE_H

#include <string>
#include <vector>

#include "zvtest.h"

namespace zv {

/* the scratch folder, also where ZVChain.exe lives */
typedef zvtest::MARKERSITE CHAINSITE;

typedef zvtest::MARK MARK;

CHAINSITE MakeChainSite(const std::string &name);

/* Writes [ZVChain] with the given lines (e.g. "Command1=marker.exe a"). */
void WriteChainIni(const std::string &path, const std::vector<std::string> &lines);

/* Runs the site's ZVChain.exe with args in folder cwd (NULL: the site). */
zvtest::RUN RunChain(const CHAINSITE &site, const std::string &args, const char *cwd = NULL,
                     unsigned timeoutMs = 30000, const zvtest::BOXANSWER &answer = zvtest::BOXANSWER());

/* The marks once there are at least n of them, or what came within the wait. */
std::vector<MARK> WaitForMarks(const CHAINSITE &site, size_t n, unsigned waitMs = zvtest::EVENT_WAIT_MS);

/* Marks after a pause long enough for a wrongly started program to write. */
std::vector<MARK> MarksAfterPause(const CHAINSITE &site);

/* A command line holds the word w as a whole word. */
bool HasWord(const std::string &cmd, const std::string &w);
/* The mark whose command line holds word w, or NULL: programs started one
 * right after the other may write their marks in either order. */
const MARK *MarkWith(const std::vector<MARK> &marks, const std::string &w);

} // namespace zv

#endif
