/*
 * winmain.cpp - ZORVAN.EXE's entry: run the start-up, then release music,
 * video and the splash picture.  The exit code is 0 on every path.
 */
#include "music.h"
#include "runtime.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int)
{
    zv::hPgmInstance = hInstance;
    if (!zv::AnyInstance(hInstance, commandLine))
        return 0;

    zv::fMusicPlaying = zv::StopMusic(&zv::ari);
    zv::fAVIPlaying = zv::StopAVIFile(&zv::ari, zv::fAVIPlaying);
    if (zv::hemf && zv::hemf != HEMF_VIDEO)
        DeleteEnhMetaFile(zv::hemf);
    zv::hemf = NULL;
    return 0;
}
