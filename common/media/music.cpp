/*
 * music.cpp - the runtime's background music and splash video through MCI
 * string commands, with their log lines.
 */
#include "music.h"

#include <stdio.h>

#include "flavor.h"
#include "mediacheck.h"
#include "settings.h"

namespace zv {

enum {
    COMMANDLEN = 512,   /* an MCI command text */
    REPLYLEN = 64,      /* reply and error text */
    MUSICLOGLEN = 64,   /* the "Playing MUSIC" line is formed in this */
    AVILOGLEN = 512
};

static void LogMciError(AUTORUNINF *settings, MCIERROR err)
{
    char text[REPLYLEN] = "";

    mciGetErrorStringA(err, text, sizeof text);
    OutputLogString(settings, text);
}

int PlayMusic(AUTORUNINF *settings)
{
    char shortPath[MAX_PATH];
    char line[MUSICLOGLEN];
    char command[COMMANDLEN];
    char reply[REPLYLEN];

    if (!ShortMusicPath(settings->strMusic, shortPath, sizeof shortPath))
        return 0;

    snprintf(line, sizeof line, "Playing MUSIC '%s'...", settings->strMusic);
    OutputLogString(settings, line);
    /* a damaged MIDI file would hold the sequencer's open for ever */
    if (!MidiFilePlayable(settings->strMusic)) {
        LogSysErr(settings, zvFlavor.idFileError, settings->strMusic);
        return 0;
    }

    /* no device type: MCI picks one by the file's extension */
    snprintf(command, sizeof command, "open \"%s\" alias bgmusic", shortPath);
    MCIERROR err = pfnMciSendStringA(command, reply, sizeof reply, NULL);
    if (!err)
        err = pfnMciSendStringA("play bgmusic", NULL, 0, NULL);
    if (!err)
        return MUSIC_PLAYING;
    /* a device that opened stays open; the closing "close all" ends it */
    LogMciError(settings, err);
    return 0;
}

int StopMusic(AUTORUNINF *settings)
{
    OutputLogString(settings, "Stopping MUSIC...");
    pfnMciSendStringA("stop all", NULL, 0, NULL);
    pfnMciSendStringA("close all", NULL, 0, NULL);
    return 0;
}

static const char *PlayMode(unsigned splashMode)
{
    if (splashMode == 1)
        return "repeat";
    if (splashMode == 2)
        return "wait";
    return "";
}

int PlayAVIFile(HWND parent, AUTORUNINF *settings)
{
    char shortPath[MAX_PATH];
    char line[AVILOGLEN];
    char command[COMMANDLEN];
    char reply[REPLYLEN];

    if (!settings->strSplash[0])
        return 0;
    DWORD n = pfnGetShortPathNameA(settings->strSplash, shortPath, sizeof shortPath);
    if (n == 0 || n >= sizeof shortPath)
        return 0;

    snprintf(line, sizeof line, "Playing AVI '%s'...", settings->strSplash);
    OutputLogString(settings, line);
    /* a damaged AVI file would take the player, and the process, down */
    if (!AviFilePlayable(settings->strSplash)) {
        LogSysErr(settings, zvFlavor.idFileError, settings->strSplash);
        return 0;
    }

    /* quoted: a path without an 8.3 form keeps its blanks */
    snprintf(command, sizeof command, "open \"%s\" alias myVid parent %u style child", shortPath,
             (unsigned)(UINT_PTR)parent);
    MCIERROR err = pfnMciSendStringA(command, reply, sizeof reply, NULL);
    if (!err) {
        snprintf(command, sizeof command, "put myVid window at 0 0 %u %u",
                 (unsigned)settings->uImageWidth, (unsigned)settings->uImageHeight);
        err = pfnMciSendStringA(command, reply, sizeof reply, NULL);
    }
    if (!err)
        err = pfnMciSendStringA("window myVid state show", reply, sizeof reply, NULL);
    if (!err) {
        /* "wait" holds this thread until the video has ended */
        snprintf(command, sizeof command, "play myVid %s", PlayMode(settings->uSplashMode));
        err = pfnMciSendStringA(command, reply, sizeof reply, NULL);
    }
    if (!err)
        return 1;
    LogMciError(settings, err);
    return 0;
}

int StopAVIFile(AUTORUNINF *settings, int playing)
{
    if (!playing)
        return 0;
    OutputLogString(settings, "Stopping AVI...");
    OutputLogString(settings, "Stopping MUSIC...");
    pfnMciSendStringA("stop all", NULL, 0, NULL);
    pfnMciSendStringA("close all", NULL, 0, NULL);
    return 0;
}

} // namespace zv
