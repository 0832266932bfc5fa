/*
 * midicheck.cpp - whether a MIDI file may go to the sequencer, whose open
 * walks every track the header counts, event by event, before it returns:
 * a track cut short under a lying length, or an event whose length wraps
 * the sequencer's sums, keeps the open busy for ever.  Here the file's
 * form and header are read and its tracks walked as the sequencer will
 * (midievents.cpp); bytes after the last of them are read by neither.
 */
#include "mediacheck.h"

#include <string.h>

#include "filecheck.h"

namespace zv {

enum {
    MTHD_BYTES = 6,        /* format, track count, division */
    MIDI_MOST_TRACKS = 128,
    RIFF_HEAD = 12         /* "RIFF", size, form */
};

/* The sequencer is chosen by these extensions whatever the file holds. */
static int HasMidiExtension(const char *path)
{
    const char *dot = strrchr(path, '.');
    if (!dot || strchr(dot, '\\') || strchr(dot, '/'))
        return 0;
    return _stricmp(dot, ".mid") == 0 || _stricmp(dot, ".midi") == 0 || _stricmp(dot, ".rmi") == 0;
}

enum { MIDI_NONE, MIDI_PLAIN, MIDI_RMID };

/* What the first bytes say: a plain MIDI file, one in a RIFF "RMID"
 * wrapper, or neither. */
static int MidiForm(const BYTE *head, DWORD got)
{
    if (got >= 4 && memcmp(head, "MThd", 4) == 0)
        return MIDI_PLAIN;
    if (got >= RIFF_HEAD && memcmp(head, "RIFF", 4) == 0 && memcmp(head + 8, "RMID", 4) == 0)
        return MIDI_RMID;
    return MIDI_NONE;
}

/* The wrapper's "data" chunk, which holds the MIDI data; the chunks before
 * it lie inside the wrapper and the file. */
static int FindRmidData(HANDLE file, ULONGLONG size, const BYTE *head, ULONGLONG *at, ULONGLONG *end)
{
    ULONGLONG riffEnd = CHUNK_HEADER + (ULONGLONG)LeDword(head + 4);
    ULONGLONG limit = riffEnd < size ? riffEnd : size;
    CHUNK chunk;
    for (ULONGLONG offset = RIFF_HEAD; offset < limit; offset = chunk.next) {
        if (!ReadChunk(file, offset, limit, CHUNK_LITTLE_ENDIAN, &chunk))
            return 0;
        if (ChunkIs(chunk.id, "data")) {
            *at = chunk.dataAt;
            *end = chunk.dataAt + chunk.size;
            return 1;
        }
    }
    return Damaged();
}

/* The header chunk between at and end, and the tracks it counts: a
 * format 0 file has one whatever the count says, and the sequencer reads
 * no more than MIDI_MOST_TRACKS. */
static int MidiDataFits(HANDLE file, ULONGLONG size, ULONGLONG at, ULONGLONG end)
{
    CHUNK chunk;
    BYTE counts[4];
    DWORD got = 0;

    if (!ReadChunk(file, at, end, CHUNK_BIG_ENDIAN, &chunk))
        return 0;
    if (!ChunkIs(chunk.id, "MThd") || chunk.size < MTHD_BYTES)
        return Damaged();
    if (!ReadAt(file, chunk.dataAt, counts, sizeof counts, &got))
        return 0;
    if (got < sizeof counts)
        return Damaged();
    unsigned format = (counts[0] << 8) | counts[1];
    unsigned tracks = (counts[2] << 8) | counts[3];
    if (format == 0)
        tracks = 1;
    if (tracks > MIDI_MOST_TRACKS)
        tracks = MIDI_MOST_TRACKS;
    return MidiTracksFit(file, size, chunk.next, end, tracks);
}

int MidiFilePlayable(const char *path)
{
    BYTE head[RIFF_HEAD];
    DWORD got = 0;
    ULONGLONG size = 0, at = 0, end = 0;
    int named = HasMidiExtension(path);

    HANDLE file = OpenMediaFile(path, &size);
    if (!file)
        return named ? 0 : 1;   /* of no known kind: MCI says what it finds */
    int read = ReadAt(file, 0, head, sizeof head, &got);
    int form = read ? MidiForm(head, got) : MIDI_NONE;
    int fits = 0;
    if (!read)
        fits = !named;
    else if (form == MIDI_NONE)
        fits = named ? Damaged() : 1;
    else if (form == MIDI_PLAIN)
        fits = MidiDataFits(file, size, 0, size);
    else
        fits = FindRmidData(file, size, head, &at, &end) && MidiDataFits(file, size, at, end);
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return fits;
}

} // namespace zv
