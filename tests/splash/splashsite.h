/*
 * splashsite.h - ZORVAN.EXE watched from outside while it sleeps with its
 * splash up: disc folders, the run, the splash's window and controls as
 * another process sees them, and what the screen shows.
 */
#ifndef ZV_SPLASHSITE_H
#define ZV_SPLASHSITE_H

#include <windows.h>

#include <string>
#include <vector>

#include "screen.h"
#include "zvtest.h"

namespace zv {

using zvtest::SCREENSHOT;
using zvtest::TakeScreenshot;
using zvtest::KeepScreenshot;
using zvtest::NearColour;
using zvtest::WaitForColour;
using zvtest::ScreenRect;

/* Ids of the splash templates' controls. */
enum { SPLASH_FRAME = 100, SPLASH_PICTURE = 101, SPLASH_TEXT = 103 };

/* A fresh disc folder holding ZORVAN.EXE; returns its path. */
std::string MakeSplashDisc(const std::string &name);
/* AUTORUN.INF: [autorun] open=ZORVAN.EXE, then these [Zorvan Data] lines. */
bool WriteSplashInf(const std::string &disc, const std::vector<std::string> &data);
/* A plain-text ZORVAN.DAT ("letter:value" lines), which the reader takes
 * like a gzip one. */
bool WriteSplashDat(const std::string &disc, const std::vector<std::string> &lines);

/* A run of the disc's ZORVAN.EXE; ended by force if the test leaves early. */
struct SPLASHRUN {
    PROCESS_INFORMATION pi = {};
    SPLASHRUN() = default;
    SPLASHRUN(const SPLASHRUN &) = delete;
    SPLASHRUN &operator=(const SPLASHRUN &) = delete;
    ~SPLASHRUN();
};

/* Starts disc\ZORVAN.EXE with args in the disc folder. */
bool StartDisc(const std::string &disc, const std::string &args, SPLASHRUN *run);
/* The run's visible splash (a #32770 with a picture control), or NULL
 * when none showed within waitMs. */
HWND WaitForSplash(const SPLASHRUN &run, DWORD waitMs);
/* The run's first visible dialog that is not the splash, or NULL. */
HWND WaitForBox(const SPLASHRUN &run, DWORD waitMs);
/* True when the run ended by itself within waitMs, with its exit code. */
bool WaitForEnd(SPLASHRUN *run, DWORD waitMs, DWORD *exitCode);

/* The splash as seen from another process, read without sending it a
 * message (its thread sleeps and pumps none). */
struct SPLASHVIEW {
    RECT window;        /* screen */
    SIZE client;
    RECT picture;       /* controls in client coordinates; empty if absent */
    RECT frame;
    RECT text;
    LONG style;
    LONG exStyle;
    bool visible;
    bool hasFrame;
    bool hasText;
    std::string caption;
    std::string copyright;
};
SPLASHVIEW ViewSplash(HWND splash);

/* The same three controls in a dialog made here from the runtime's own
 * template ("SPLASH" or "NEOSPLASH"), before anything moves them. */
SPLASHVIEW ViewTemplate(const char *name);

inline LONG Width(const RECT &r) { return r.right - r.left; }
inline LONG Height(const RECT &r) { return r.bottom - r.top; }
/* "(left,top)-(right,bottom)", for comparing rectangles readably. */
std::string Rc(const RECT &r);
std::string Rc(LONG left, LONG top, LONG width, LONG height);

/* Where a client box of w x h sits when centred on this screen. */
POINT CentredCorner(LONG w, LONG h);

} // namespace zv

#endif
