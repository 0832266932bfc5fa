/*
 * aviframes.cpp - an AVI file's video frames as the player finds them.
 * The player walks the chunks of the movie list, and of each 'rec ' list
 * in it, at its open; a chunk whose id names the video stream's number and
 * a frame type becomes a frame, whatever the idx1 index says.  With no
 * frame it plays on past the end of its frame table, and the decoder of
 * an uncompressed video copies a whole frame chunk into a buffer sized
 * for the picture; a compressed frame is its decoder's to read, whatever
 * its size.  The chunk headers are read through a window of a few
 * sectors, so that a movie list of small chunks costs one read a window
 * and not one a chunk.
 */
#include "aviframes.h"

#include <string.h>

#include "filecheck.h"

namespace zv {

enum {
    WINDOW_BYTES = 4096,
    INDEX_ENTRY = 16,                   /* id, flags, offset, size */
    INDEX_BLOCK = 256,                  /* entries read at once */
    INDEX_OFFSET = 8,
    INDEX_SIZE = 12
};

int AviListSane(const CHUNK *chunk)
{
    if ((ChunkIs(chunk->id, "LIST") || ChunkIs(chunk->id, "RIFF")) && chunk->size < 4)
        return Damaged();
    return 1;
}

/* The chunk at offset inside end, with a list's form. */
static int WindowChunk(READWINDOW *w, ULONGLONG offset, ULONGLONG end, CHUNK *chunk)
{
    DWORD have = 0;
    const BYTE *head = WindowBytes(w, offset, CHUNK_HEADER + 4, &have);
    return head && ChunkFromBytes(head, have, offset, end, CHUNK_LITTLE_ENDIAN, chunk) && AviListSane(chunk);
}

static int HexDigit(BYTE c, DWORD *value)
{
    if (c >= '0' && c <= '9')
        *value = c - '0';
    else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        *value = (c | 0x20) - 'a' + 10;
    else
        return 0;
    return 1;
}

/* The player's test: two hex digits of the video's stream number, then
 * db, dc or pc, or the last two letters of the format's compression or
 * the first two of the stream's handler, which it also takes for frames. */
static int IsVideoFrame(const char *id, const AVIVIDEO *video)
{
    const BYTE *p = (const BYTE *)id;
    DWORD high, low;
    if (!HexDigit(p[0], &high) || !HexDigit(p[1], &low) || (high << 4 | low) != video->number)
        return 0;
    WORD twocc = (WORD)(p[2] | p[3] << 8);
    if (twocc == HIWORD(video->compression) || twocc == LOWORD(video->handler))
        return 1;
    return memcmp(id + 2, "db", 2) == 0 || memcmp(id + 2, "dc", 2) == 0 || memcmp(id + 2, "pc", 2) == 0;
}

static int FrameSizeFits(ULONGLONG size, const AVIVIDEO *video)
{
    return video->pictureBytes == 0 || size <= video->pictureBytes;
}

static int IsRecordList(const CHUNK *chunk)
{
    return (ChunkIs(chunk->id, "LIST") || ChunkIs(chunk->id, "RIFF")) && ChunkIs(chunk->form, "rec ");
}

int MovieFramesFit(HANDLE file, const CHUNK *movi, const AVIVIDEO *video, ULONGLONG need, ULONGLONG *frames)
{
    BYTE bytes[WINDOW_BYTES];
    READWINDOW window;
    ULONGLONG end = movi->dataAt + movi->size, offset = movi->dataAt + 4;
    ULONGLONG recordEnd = 0, afterRecord = 0;
    CHUNK chunk;

    StartWindow(&window, file, bytes, sizeof bytes);
    *frames = 0;
    while (*frames < need) {
        if (recordEnd && offset >= recordEnd) {
            offset = afterRecord;
            recordEnd = 0;
        }
        if (offset >= end)
            break;
        if (!WindowChunk(&window, offset, recordEnd ? recordEnd : end, &chunk))
            return 0;
        if (!recordEnd && IsRecordList(&chunk)) {
            recordEnd = chunk.dataAt + chunk.size;
            afterRecord = chunk.next;
            offset = chunk.dataAt + 4;
            continue;
        }
        if (IsVideoFrame(chunk.id, video)) {
            if (!FrameSizeFits(chunk.size, video))
                return Damaged();
            (*frames)++;
        }
        offset = chunk.next;
    }
    return 1;
}

int IndexFits(HANDLE file, const CHUNK *idx1, const CHUNK *movi, const AVIVIDEO *video)
{
    BYTE block[INDEX_BLOCK * INDEX_ENTRY];
    ULONGLONG entries = idx1->size / INDEX_ENTRY, frames = 0;
    ULONGLONG moviAt = movi->dataAt, moviEnd = movi->dataAt + movi->size;
    /* offsets count from the file's start until one lies before the movie
     * list; from then on, as readers take them, from where the first entry
     * puts the movie list's first chunk */
    LONGLONG base = 0;
    int absolute = 1;

    for (ULONGLONG first = 0; first < entries; first += INDEX_BLOCK) {
        DWORD count = (DWORD)(entries - first < INDEX_BLOCK ? entries - first : (ULONGLONG)INDEX_BLOCK), got = 0;
        if (!ReadAt(file, idx1->dataAt + first * INDEX_ENTRY, block, count * INDEX_ENTRY, &got))
            return 0;
        if (got < count * INDEX_ENTRY)
            return Damaged();
        if (first == 0)
            base = (LONGLONG)(moviAt + 4) - (LONGLONG)LeDword(block + INDEX_OFFSET);
        for (DWORD i = 0; i < count; i++) {
            const BYTE *entry = block + i * INDEX_ENTRY;
            if (!IsVideoFrame((const char *)entry, video))
                continue;
            LONGLONG at = LeDword(entry + INDEX_OFFSET);
            ULONGLONG size = LeDword(entry + INDEX_SIZE);
            if (absolute && (ULONGLONG)at < moviAt)
                absolute = 0;
            if (!absolute)
                at += base;
            if (at < (LONGLONG)(moviAt + 4) || (ULONGLONG)at + CHUNK_HEADER + size > moviEnd ||
                !FrameSizeFits(size, video))
                return Damaged();
            frames++;
        }
    }
    return frames ? 1 : Damaged();
}

} // namespace zv
