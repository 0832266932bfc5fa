/*
 * avicheck.cpp - whether an AVI file is whole before the video player
 * opens it.  The player finds its header chunks by their ids, reads each
 * main and stream header at its structure's size whatever the chunk says,
 * and takes a video stream's format for a bitmap header; a size that lies,
 * a header cut short or a file without a video stream takes the process
 * down inside the open or its play, and a frame rate of nothing keeps its
 * play, and a caller waiting for it, busy for ever.  The chunk headers of
 * the file up to its index, the headers in its header list, the chunk
 * headers of its movie list and its index are read; never a frame.
 */
#include "mediacheck.h"

#include <string.h>

#include "aviframes.h"
#include "filecheck.h"

namespace zv {

enum {
    RIFF_HEAD = 12,                     /* "RIFF", size, form */
    MAIN_HEADER = 56,                   /* avih: what the player reads */
    MAIN_FRAMES = 16,                   /* its total frame count */
    MAIN_STREAMS = 24,                  /* its stream count */
    STREAM_HEADER = 56,                 /* strh */
    STREAM_HANDLER = 4,
    STREAM_SCALE = 20,
    STREAM_RATE = 24,
    WAVE_FORMAT = 14,                   /* an audio stream's strf */
    LONGEST_PLAY = 3600                 /* seconds: far beyond any splash */
};

struct STREAM {
    char type[4];
    int video;
    AVIVIDEO format;                    /* a video stream's */
};

/* A chunk of the walk inside end: a list carries its form type. */
static int NextChunk(HANDLE file, ULONGLONG offset, ULONGLONG end, CHUNK *chunk)
{
    return ReadChunk(file, offset, end, CHUNK_LITTLE_ENDIAN, chunk) && AviListSane(chunk);
}

static int IsList(const CHUNK *chunk, const char *form)
{
    return ChunkIs(chunk->id, "LIST") && ChunkIs(chunk->form, form);
}

/* A video stream's format: a bitmap header, inside its chunk, of a
 * picture with a size and a depth that a frame can have.  An uncompressed
 * frame holds the picture's rows, each padded to 4 bytes. */
static int BitmapFormatSane(HANDLE file, const CHUNK *strf, AVIVIDEO *video)
{
    BITMAPINFOHEADER h;
    DWORD got = 0;

    if (strf->size < sizeof h)
        return Damaged();
    if (!ReadAt(file, strf->dataAt, &h, sizeof h, &got))
        return 0;
    if (got < sizeof h || h.biSize < sizeof h || h.biSize > strf->size || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == (LONG)0x80000000 || h.biBitCount == 0 || h.biBitCount > 32)
        return Damaged();
    video->compression = h.biCompression;
    video->pictureBytes = 0;
    if (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS) {
        ULONGLONG rows = h.biHeight < 0 ? -(LONGLONG)h.biHeight : h.biHeight;
        video->pictureBytes = DibRowBytes(h.biWidth, h.biBitCount) * rows;
    }
    return 1;
}

/* A strl list: its stream header, and the format its type calls for. */
static int StreamFits(HANDLE file, const CHUNK *strl, STREAM *stream)
{
    CHUNK chunk, strh = {}, strf = {};
    BYTE header[STREAM_HEADER];
    DWORD got = 0;
    int haveHeader = 0, haveFormat = 0;
    ULONGLONG end = strl->dataAt + strl->size;

    for (ULONGLONG offset = strl->dataAt + 4; offset < end; offset = chunk.next) {
        if (!NextChunk(file, offset, end, &chunk))
            return 0;
        if (!haveHeader && ChunkIs(chunk.id, "strh")) {
            strh = chunk;
            haveHeader = 1;
        } else if (!haveFormat && ChunkIs(chunk.id, "strf")) {
            strf = chunk;
            haveFormat = 1;
        }
    }
    if (!haveHeader || strh.size < STREAM_HEADER)
        return Damaged();
    if (!ReadAt(file, strh.dataAt, header, sizeof header, &got))
        return 0;
    if (got < sizeof header)
        return Damaged();
    memcpy(stream->type, header, sizeof stream->type);
    stream->video = ChunkIs(stream->type, "vids");
    if (stream->video) {
        stream->format.handler = LeDword(header + STREAM_HANDLER);
        stream->format.scale = LeDword(header + STREAM_SCALE);
        stream->format.rate = LeDword(header + STREAM_RATE);
        return haveFormat ? BitmapFormatSane(file, &strf, &stream->format) : Damaged();
    }
    if (ChunkIs(stream->type, "auds") && (!haveFormat || strf.size < WAVE_FORMAT))
        return Damaged();
    return 1;
}

/* The header list: a main header, and the streams it counts in strl
 * lists, among which the player finds the video stream it plays. */
static int HeaderListFits(HANDLE file, const CHUNK *hdrl, ULONGLONG fileSize, AVIVIDEO *video)
{
    CHUNK chunk;
    BYTE main[MAIN_HEADER];
    DWORD got = 0;
    int haveMain = 0;
    ULONGLONG lists = 0;
    int haveVideo = 0;
    ULONGLONG end = hdrl->dataAt + hdrl->size;

    for (ULONGLONG offset = hdrl->dataAt + 4; offset < end; offset = chunk.next) {
        if (!NextChunk(file, offset, end, &chunk))
            return 0;
        if (!haveMain && ChunkIs(chunk.id, "avih")) {
            if (chunk.size < MAIN_HEADER)
                return Damaged();
            if (!ReadAt(file, chunk.dataAt, main, sizeof main, &got))
                return 0;
            if (got < sizeof main)
                return Damaged();
            haveMain = 1;
        } else if (IsList(&chunk, "strl")) {
            STREAM stream;
            if (!StreamFits(file, &chunk, &stream))
                return 0;
            if (stream.video && !haveVideo) {
                *video = stream.format;
                video->number = (DWORD)lists;
                haveVideo = 1;
            }
            lists++;
        }
    }
    if (!haveMain)
        return Damaged();
    ULONGLONG streams = LeDword(main + MAIN_STREAMS), frames = LeDword(main + MAIN_FRAMES);
    /* the player reads as many streams as the main header counts, and
     * plays no more frames than it counts (with none, it plays on past
     * its frame table) */
    if (streams == 0 || streams > lists || !haveVideo || video->number >= streams || frames == 0 ||
        frames > fileSize / CHUNK_HEADER)
        return Damaged();
    video->mostFrames = frames;
    return 1;
}

/* The chunks after the header list, up to the index: the movie list
 * inside the file with frames of the video in it, and the index, when
 * there is one, inside the file and true to them.  Each frame lasts scale
 * / rate seconds, and a caller may wait for the last one: a rate of
 * nothing, or a play longer than any splash, never ends in time.  The
 * movie list is walked as far as these need: every frame the player
 * keeps of an uncompressed video, to its size; the first frame of a
 * compressed one, unless the main header's count would play too long. */
static int MovieFits(HANDLE file, ULONGLONG offset, ULONGLONG end, const AVIVIDEO *video)
{
    CHUNK chunk, movi = {}, idx1 = {};
    int movie = 0, index = 0;

    for (; offset < end && !index; offset = chunk.next) {
        if (!NextChunk(file, offset, end, &chunk))
            return 0;
        if (ChunkIs(chunk.id, "idx1")) {
            idx1 = chunk;
            index = 1;
        } else if (!movie && IsList(&chunk, "movi")) {
            movi = chunk;
            movie = 1;
        }
    }
    ULONGLONG frames = 0, most = video->mostFrames;
    int mostEnds = video->rate && most * video->scale <= (ULONGLONG)LONGEST_PLAY * video->rate;
    if (!movie)
        return Damaged();
    if (!MovieFramesFit(file, &movi, video, video->pictureBytes || !mostEnds ? most : 1, &frames))
        return 0;
    if (frames == 0 || video->rate == 0 || frames * video->scale > (ULONGLONG)LONGEST_PLAY * video->rate)
        return Damaged();
    return index ? IndexFits(file, &idx1, &movi, video) : 1;
}

int AviFilePlayable(const char *path)
{
    BYTE head[RIFF_HEAD];
    DWORD got = 0;
    ULONGLONG size = 0;

    HANDLE file = OpenMediaFile(path, &size);
    if (!file)
        return 1;               /* MCI says what it finds */
    if (!ReadAt(file, 0, head, sizeof head, &got) || got < RIFF_HEAD || memcmp(head, "RIFF", 4) != 0 ||
        memcmp(head + 8, "AVI ", 4) != 0) {
        CloseHandle(file);
        return 1;               /* not an AVI file: it goes as it is */
    }
    /* every chunk lies inside the RIFF chunk and inside the file */
    ULONGLONG riffEnd = CHUNK_HEADER + (ULONGLONG)LeDword(head + 4);
    ULONGLONG limit = riffEnd < size ? riffEnd : size;
    CHUNK chunk;
    AVIVIDEO video = {};
    int fits = 0, found = 0, walked = 1;
    for (ULONGLONG offset = RIFF_HEAD; offset < limit && !found && walked; offset = chunk.next) {
        walked = NextChunk(file, offset, limit, &chunk);
        found = walked && IsList(&chunk, "hdrl");
    }
    if (found)
        fits = HeaderListFits(file, &chunk, size, &video) && MovieFits(file, chunk.next, limit, &video);
    else if (walked)
        Damaged();         /* no header list at all */
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return fits;
}

} // namespace zv
