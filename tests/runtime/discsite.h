/*
 * discsite.h - scratch disc folders for ZORVAN.EXE: the program, its
 * AUTORUN.INF, the marker's records and the log, read back after a run.
 */
#ifndef ZV_DISCSITE_H
#define ZV_DISCSITE_H

#include <string>
#include <vector>

#include "zvtest.h"

namespace zv {

/* Registered to the marker: "doc" then the file.  DOC_NONE has no program. */
extern const char *const DOC_EXT;
extern const char *const DOC_NONE;

struct DISCSITE {
    std::string dir;     /* the disc's root */
    std::string exe;     /* ZORVAN.EXE in it */
    std::string marks;   /* what started markers wrote */
    std::string log;     /* the run's --log file */
};

typedef zvtest::MARK MARK;

/* A fresh disc folder with ZORVAN.EXE and marker.exe in it. */
DISCSITE MakeDisc(const std::string &name);

/* AUTORUN.INF of the disc: [autorun] open=ZORVAN.EXE, then [Zorvan Data]. */
void WriteInf(const DISCSITE &site, const std::vector<std::string> &data);

/* Runs ZORVAN.EXE --log <site.log> args in cwd (default: the disc). */
zvtest::RUN RunDisc(const DISCSITE &site, const std::string &args = "", const char *cwd = nullptr,
                    unsigned timeoutMs = 30000, const zvtest::BOXANSWER &answer = zvtest::BOXANSWER());

/* The marks so far, or after waiting until n are there (up to waitMs). */
std::vector<MARK> WaitForMarks(const DISCSITE &site, size_t n, unsigned waitMs = zvtest::EVENT_WAIT_MS);
/* The marks after a pause long enough for late starts to show. */
std::vector<MARK> MarksAfterPause(const DISCSITE &site);

/* Log lines without their time stamps. */
std::vector<std::string> LogTexts(const DISCSITE &site);
/* Index of the first log text that starts with prefix at or after from, or -1. */
int FindLog(const std::vector<std::string> &texts, const std::string &prefix, size_t from = 0);
size_t CountLog(const std::vector<std::string> &texts, const std::string &prefix);

/* The long form of a path, for comparing with the readers' short names. */
std::string LongPath(const std::string &path);
using zvtest::SystemText;
/* Milliseconds since 1601, the marker's clock. */
unsigned long long NowMs();

} // namespace zv

#endif
