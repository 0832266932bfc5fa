/*
 * chunkstep.cpp - one chunk header of a RIFF or MIDI file read by offset
 * and held against its parent's end, the step with which the MIDI and AVI
 * checks walk a file.
 */
#include "mediacheck.h"

#include <string.h>

#include "filecheck.h"

namespace zv {

int ChunkIs(const char *id, const char *tag)
{
    return memcmp(id, tag, 4) == 0;
}

int ChunkFromBytes(const BYTE *head, DWORD got, ULONGLONG offset, ULONGLONG end, int order, CHUNK *chunk)
{
    memset(chunk, 0, sizeof *chunk);
    if (offset > end || end - offset < CHUNK_HEADER || got < CHUNK_HEADER)
        return Damaged();
    memcpy(chunk->id, head, 4);
    DWORD size = LeDword(head + 4);
    chunk->size = order == CHUNK_BIG_ENDIAN ? _byteswap_ulong(size) : size;
    chunk->dataAt = offset + CHUNK_HEADER;
    if (chunk->size > end - chunk->dataAt)
        return Damaged();
    if (chunk->size >= 4 && got >= CHUNK_HEADER + 4)
        memcpy(chunk->form, head + CHUNK_HEADER, 4);
    /* a pad byte missing after the last chunk of a file harms no reader */
    chunk->next = chunk->dataAt + chunk->size;
    if (order == CHUNK_LITTLE_ENDIAN && (chunk->size & 1) && chunk->next < end)
        chunk->next++;
    return 1;
}

int ReadChunk(HANDLE file, ULONGLONG offset, ULONGLONG end, int order, CHUNK *chunk)
{
    BYTE head[CHUNK_HEADER + 4];
    DWORD got = 0;

    memset(chunk, 0, sizeof *chunk);
    if (offset > end || end - offset < CHUNK_HEADER)
        return Damaged();
    if (!ReadAt(file, offset, head, sizeof head, &got))
        return 0;
    return ChunkFromBytes(head, got, offset, end, order, chunk);
}

void StartWindow(READWINDOW *w, HANDLE file, BYTE *bytes, DWORD room)
{
    w->file = file;
    w->bytes = bytes;
    w->room = room;
    w->at = 0;
    w->got = 0;
}

const BYTE *WindowBytes(READWINDOW *w, ULONGLONG offset, DWORD want, DWORD *have)
{
    int inside = offset >= w->at && offset - w->at < w->got;
    /* a window that ends short ends where the file does: nothing more to read */
    if (!inside || (w->got - (offset - w->at) < want && w->got == w->room)) {
        if (!ReadAt(w->file, offset, w->bytes, w->room, &w->got))
            return NULL;
        w->at = offset;
    }
    DWORD from = (DWORD)(offset - w->at);
    *have = w->got - from;
    return w->bytes + from;
}

HANDLE OpenMediaFile(const char *path, ULONGLONG *size)
{
    HANDLE file = OpenForCheck(path);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    LARGE_INTEGER bytes;
    if (!GetFileSizeEx(file, &bytes)) {
        DWORD err = GetLastError();
        CloseHandle(file);
        SetLastError(err);
        return NULL;
    }
    *size = (ULONGLONG)bytes.QuadPart;
    return file;
}

} // namespace zv
