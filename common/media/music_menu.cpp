/*
 * music_menu.cpp - the menu's background music: the runtime's commands for
 * a path of its own, without log lines.
 */
#include "music.h"

#include <stdio.h>

#include "mediacheck.h"

namespace zv {

int PlayMusic(const char *path)
{
    char shortPath[MAX_PATH];
    char command[512];
    char reply[64];

    /* a damaged MIDI file would hold the sequencer's open for ever */
    if (!ShortMusicPath(path, shortPath, sizeof shortPath) || !MidiFilePlayable(path))
        return 0;
    snprintf(command, sizeof command, "open \"%s\" alias bgmusic", shortPath);
    if (pfnMciSendStringA(command, reply, sizeof reply, NULL))
        return 0;
    if (pfnMciSendStringA("play bgmusic", NULL, 0, NULL))
        return 0;
    return MUSIC_PLAYING;
}

int StopMusic(void)
{
    pfnMciSendStringA("stop all", NULL, 0, NULL);
    pfnMciSendStringA("close all", NULL, 0, NULL);
    return 0;
}

} // namespace zv
