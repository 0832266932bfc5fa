/*
 * mediacheck.h - whether a MIDI or AVI file is whole before MCI opens it.
 * The sequencer walks every event of a track until its length runs out,
 * so a track cut short under a lying length, or an event whose length
 * wraps the sequencer's sums, keeps its open busy for ever; the video
 * player trusts its header chunks and a damaged one takes the process
 * down.  The MIDI check reads each event's head once; the AVI check reads
 * only chunk headers, the AVI file's headers and its index, by offset,
 * never a frame.  All sizes are computed in 64 bits.
 */
#ifndef ZV_MEDIACHECK_H
#define ZV_MEDIACHECK_H

#include <windows.h>

namespace zv {

/* ---- the chunk step both checks share (chunkstep.cpp) ---- */

/* A chunk's header as it stands at an offset of the file. */
struct CHUNK {
    char id[4];
    ULONGLONG dataAt;   /* the first byte after its id and size */
    ULONGLONG size;     /* as its header says */
    char form[4];       /* a RIFF or LIST's form type; zeros when size < 4 */
    ULONGLONG next;     /* where the next chunk of its parent begins */
};

enum { CHUNK_HEADER = 8, CHUNK_LITTLE_ENDIAN = 0, CHUNK_BIG_ENDIAN = 1 };

/* The chunk at offset whose header and data lie before end (the end of
 * its parent, never past the file).  Sizes are little-endian in RIFF
 * files and big-endian in MIDI ones; RIFF data is padded to even.  0 with
 * the last error: invalid data for a chunk that does not fit. */
int ReadChunk(HANDLE file, ULONGLONG offset, ULONGLONG end, int order, CHUNK *chunk);
/* The same from got bytes already read at offset (a list's form needs
 * twelve of them). */
int ChunkFromBytes(const BYTE *head, DWORD got, ULONGLONG offset, ULONGLONG end, int order, CHUNK *chunk);
/* id is the four characters of tag. */
int ChunkIs(const char *id, const char *tag);
/* The file opened for reading, with its size; NULL with the last error. */
HANDLE OpenMediaFile(const char *path, ULONGLONG *size);

/* A file read a window of room bytes at a time, so that a walk over many
 * small pieces (chunk headers, events) costs one read a window, not one a
 * piece.  The caller gives the buffer. */
struct READWINDOW {
    HANDLE file;
    BYTE *bytes;
    DWORD room;
    ULONGLONG at;       /* where the window starts in the file */
    DWORD got;          /* bytes in it */
};

void StartWindow(READWINDOW *w, HANDLE file, BYTE *bytes, DWORD room);
/* The bytes at offset, *have of them: want at least, unless the file ends
 * first, read anew when they are not all in the window.  NULL with the
 * last error when the read fails. */
const BYTE *WindowBytes(READWINDOW *w, ULONGLONG offset, DWORD want, DWORD *have);

/* ---- a MIDI file's tracks (midievents.cpp) ---- */

/* The track chunks from at on, as many as the header counts (tracks),
 * walked event by event as the sequencer walks them: each lies before end
 * and each of its events inside it, no event reaches 64 KB and no number
 * in it is longer than 4 bytes.  A place where no track chunk begins ends
 * the walk with 1: the sequencer refuses such a file itself.  size is the
 * file's, which the sequencer reads past a track's end. */
int MidiTracksFit(HANDLE file, ULONGLONG size, ULONGLONG at, ULONGLONG end, unsigned tracks);

/* ---- whole files ---- */

/* 1 when the file may go to MCI as music.  A MIDI file (by its extension
 * .MID, .MIDI or .RMI, or its first bytes "MThd" or a RIFF form "RMID")
 * only when its header chunk lies in the file and its tracks fit
 * (MidiTracksFit); what follows the tracks is not read.  Other files go
 * as they are.  0, with the last error set, for a MIDI file
 * that is damaged or cannot be read. */
int MidiFilePlayable(const char *path);
/* 1 when the file may go to MCI as a video.  A RIFF file of form "AVI "
 * only when its chunks up to its header list, the headers in it, a video
 * stream's format, the movie list and the index lie in the file and are
 * sane, the movie list holds frames of the video that an uncompressed
 * picture can hold, and they play for an hour at most; other files go as
 * they are.  0, with the last error set, for a damaged one. */
int AviFilePlayable(const char *path);

} // namespace zv

#endif
