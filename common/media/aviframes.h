/*
 * aviframes.h - what the AVI check's header pass (avicheck.cpp) hands its
 * frame pass (aviframes.cpp): the video stream the player plays, and how
 * the player tells that stream's frames from other chunks.
 */
#ifndef ZV_AVIFRAMES_H
#define ZV_AVIFRAMES_H

#include <windows.h>

#include "mediacheck.h"

namespace zv {

struct AVIVIDEO {
    DWORD number;             /* its place among the stream lists */
    DWORD handler;            /* its stream header's handler code */
    DWORD scale, rate;        /* a frame lasts scale / rate seconds */
    DWORD compression;        /* its format's biCompression */
    ULONGLONG pictureBytes;   /* an uncompressed picture's bytes; 0 when compressed */
    ULONGLONG mostFrames;     /* the main header's count: the player keeps no more */
};

/* A RIFF or LIST chunk carries its form type. */
int AviListSane(const CHUNK *chunk);

/* The frames the player keeps from the movie list, counted as it finds
 * them up to need of them; an uncompressed frame larger than the picture
 * is refused. */
int MovieFramesFit(HANDLE file, const CHUNK *movi, const AVIVIDEO *video, ULONGLONG need, ULONGLONG *frames);
/* An idx1 index: its entries for the video's frames lie in the movie
 * list, no larger than an uncompressed picture, and there is one at least. */
int IndexFits(HANDLE file, const CHUNK *idx1, const CHUNK *movi, const AVIVIDEO *video);

} // namespace zv

#endif
