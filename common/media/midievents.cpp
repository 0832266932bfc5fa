/*
 * midievents.cpp - a MIDI file's tracks walked event by event, as the
 * sequencer walks them when it opens the file.  The sequencer sums an
 * event's variable-length numbers in 32 bits and keeps its length in 16:
 * a number of five bytes or more, or an event of 64 KB or more, wraps
 * them, and an event of length 0 keeps the open busy for ever.  The walk
 * reads each event's delta time, status and, for SysEx and meta events,
 * their length; it skips their data and the bytes of channel events
 * unread.  One pass over the tracks, through a read window.
 */
#include "mediacheck.h"

#include <string.h>

#include "filecheck.h"

namespace zv {

enum {
    MIDI_WINDOW = 16 * 1024,   /* bytes read at a time */
    MIDI_NUMBER_MOST = 4,      /* bytes of a number the 32-bit sum holds */
    MIDI_EVENT_MOST = 0xFFFF,  /* bytes of an event its 16-bit length holds */
    META = 0xFF,
    META_END_OF_TRACK = 0x2F
};

/* The file read through a window; bytes past its end read as 0 and mark
 * the event being read as cut. */
struct MIDIBYTES {
    READWINDOW read;
    ULONGLONG size;
    int cut;
    BYTE window[MIDI_WINDOW];
};

static int ByteAt(MIDIBYTES *r, ULONGLONG offset, BYTE *b)
{
    DWORD have = 0;

    *b = 0;
    if (offset >= r->size) {
        r->cut = 1;
        return 1;
    }
    const BYTE *at = WindowBytes(&r->read, offset, 1, &have);
    if (!at)
        return 0;
    if (have == 0)
        return Damaged();   /* shorter than when it was opened */
    *b = *at;
    return 1;
}

/* A variable-length number at *at, which moves past it. */
static int ReadNumber(MIDIBYTES *r, ULONGLONG *at, DWORD *value)
{
    DWORD v = 0;
    BYTE b;

    for (int n = 0; n < MIDI_NUMBER_MOST; n++) {
        if (!ByteAt(r, (*at)++, &b))
            return 0;
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) {
            *value = v;
            return 1;
        }
    }
    return Damaged();
}

struct MIDIEVENT {
    ULONGLONG end;     /* the first byte after it */
    BYTE status;       /* as the file has it: a data byte under running status */
    BYTE type;         /* a meta event's type */
    int unknown;       /* a data byte before any status: the sequencer's
                        * length for it depends on what its memory held */
    int cut;           /* the file ended inside what was read of it */
};

/* The event at at.  Like the sequencer, a status byte other than SysEx
 * (F0, F7) and meta (FF) is the running status; a channel event has a
 * second data byte unless its status is a program or channel pressure
 * (Cn, Dn); F1 to FE have one data byte. */
static int ReadEvent(MIDIBYTES *r, ULONGLONG at, BYTE *running, MIDIEVENT *e)
{
    DWORD delta = 0, size = 0;
    BYTE b;

    r->cut = 0;
    memset(e, 0, sizeof *e);
    if (!ReadNumber(r, &at, &delta) || !ByteAt(r, at++, &b))
        return 0;
    e->status = b;
    if (b == 0xF0 || b == 0xF7 || b == META) {
        if (b == META && !ByteAt(r, at++, &e->type))
            return 0;
        if (!ReadNumber(r, &at, &size))
            return 0;
        at += size;
    } else {
        if (b & 0x80) {
            *running = b;
            at++;
        }
        e->unknown = *running == 0;
        switch ((*running >> 4) & 0x07) {
        case 0: case 1: case 2: case 3: case 6:
            at++;
            break;
        }
    }
    e->end = at;
    e->cut = r->cut;
    return 1;
}

/* The track from first to last.  Its events end inside it; the walk ends
 * at its end-of-track event, or where it runs out: there the sequencer
 * reads one more event from the bytes behind it, which cannot fit unless
 * a long number wraps its sum. */
static int WalkTrack(MIDIBYTES *r, ULONGLONG first, ULONGLONG last)
{
    BYTE running = 0;
    MIDIEVENT e;

    for (ULONGLONG at = first;; at = e.end) {
        if (!ReadEvent(r, at, &running, &e))
            return 0;
        if (e.end > MAXDWORD)
            return Damaged();
        if (at == last)
            return 1;
        if (e.cut || e.unknown || e.end > last || e.end - at > MIDI_EVENT_MOST)
            return Damaged();
        if (e.status == META && e.type == META_END_OF_TRACK)
            return 1;
    }
}

int MidiTracksFit(HANDLE file, ULONGLONG size, ULONGLONG at, ULONGLONG end, unsigned tracks)
{
    MIDIBYTES *r = (MIDIBYTES *)HeapAlloc(GetProcessHeap(), 0, sizeof *r);
    CHUNK chunk;
    BYTE id[4];
    DWORD got = 0;
    int fits = 1;

    if (!r)
        return 0;
    StartWindow(&r->read, file, r->window, sizeof r->window);
    r->size = size;
    for (unsigned n = 0; fits && n < tracks; n++, at = chunk.next) {
        /* the sequencer refuses the file itself where no track follows */
        if (!ReadAt(file, at, id, sizeof id, &got)) {
            fits = 0;
            break;
        }
        if (got < sizeof id || memcmp(id, "MTrk", 4) != 0)
            break;
        fits = ReadChunk(file, at, end, CHUNK_BIG_ENDIAN, &chunk) && WalkTrack(r, chunk.dataAt, chunk.next);
    }
    DWORD error = GetLastError();
    HeapFree(GetProcessHeap(), 0, r);
    SetLastError(error);
    return fits;
}

} // namespace zv
