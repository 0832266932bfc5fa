/*
 * soundpreview.cpp - the music page's preview: a wave file through
 * PlaySoundA, anything else through the MIDI sequencer under the alias
 * bgmusic.  Apart from the menu's and the runtime's music functions: the
 * preview knows what it started and stops only that.
 */
#include "wizard.h"
#include "mediacheck.h"
#include "music.h"

#include <stdio.h>

namespace zv {
namespace preview {

BOOL (WINAPI *pfnPlaySoundA)(LPCSTR sound, HMODULE module, DWORD flags) = PlaySoundA;

int PlayMusic(const char *path)
{
    char shortPath[MAX_PATH], command[MAX_PATH], reply[64];

    /* a path without a short form (a missing file) plays nothing */
    if (!path || !path[0] || !ShortMusicPath(path, shortPath, sizeof shortPath))
        return PREVIEW_NONE;
    if (strstr(shortPath, ".wav"))
        return pfnPlaySoundA(shortPath, NULL, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT)
                   ? PREVIEW_WAVE : PREVIEW_NONE;

    /* a damaged MIDI file would hold the sequencer's open for ever */
    if (!MidiFilePlayable(path))
        return PREVIEW_NONE;
    int n = snprintf(command, sizeof command, "open sequencer!%s alias bgmusic", shortPath);
    if (n < 0 || n >= (int)sizeof command || pfnMciSendStringA(command, reply, sizeof reply, NULL))
        return PREVIEW_NONE;
    if (pfnMciSendStringA("play bgmusic", reply, sizeof reply, NULL)) {
        /* an alias left open would make every later preview fail */
        pfnMciSendStringA("close bgmusic", NULL, 0, NULL);
        return PREVIEW_NONE;
    }
    return PREVIEW_MIDI;
}

int StopMusic(int kind)
{
    if (kind == PREVIEW_WAVE)
        pfnPlaySoundA(NULL, NULL, SND_PURGE | SND_NOWAIT);
    else if (kind == PREVIEW_MIDI)
        pfnMciSendStringA("close all", NULL, 0, NULL);
    return PREVIEW_NONE;
}

} // namespace preview
} // namespace zv
