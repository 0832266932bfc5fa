/*
 * waits.cpp - the three waits of a disc start in milliseconds: the pause
 * before the document, the rest of the splash time, the rest of the music.
 *
 * Lengths come from files as unsigned numbers, so "-1" arrives as
 * 4294967295 seconds.  Working in 64 bits and stopping at MAXWAITMS keeps
 * such a value from wrapping into a random wait or a sleep of weeks.
 */
#include "runtime.h"

namespace zv {

static DWORD Milliseconds(unsigned long long seconds)
{
    unsigned long long ms = seconds * 1000ull;
    return ms > MAXWAITMS ? (DWORD)MAXWAITMS : (DWORD)ms;
}

void ComputeWaitTimes(AUTORUNINF *settings)
{
    unsigned long long pause = settings->uPauseLen;
    unsigned long long splash = settings->uSplashLen;
    unsigned long long music = settings->uMusicLen;

    settings->dwPauseTime = Milliseconds(pause);
    settings->dwSplashTime = splash >= pause ? Milliseconds(splash - pause) : 0;
    settings->dwSleepTime = music >= pause + splash ? Milliseconds(music - (pause + splash)) : 0;
}

} // namespace zv
