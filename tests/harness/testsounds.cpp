/*
 * testsounds.cpp - the whole and damaged MIDI and AVI files of the music
 * and video tests.
 */
#include "testsounds.h"

#include "testmedia.h"

namespace zvtest {

namespace {

const size_t MIDI_HEADER = 14;          /* "MThd", length, six bytes */
const size_t TRACK_LENGTH = MIDI_HEADER + 4;

/* s with the four bytes at offset replaced by v, little-endian */
std::string Patched(std::string s, size_t offset, unsigned v)
{
    std::string le;
    PutU32(le, v);
    return s.replace(offset, 4, le);
}

/* the size field of the chunk whose id or list type is tag */
size_t SizeOf(const std::string &s, const char *tag, bool list)
{
    return s.find(tag) - (list ? 8 : 4);
}

} // namespace

std::string MidiNumber(unsigned long long v, int bytes)
{
    std::string s;
    for (int i = bytes - 1; i >= 0; i--)
        s += (char)(((v >> (7 * i)) & 0x7F) | (i ? 0x80 : 0));
    return s;
}

std::string MidiFile(const std::string &events)
{
    std::string track = events + std::string("\0\xFF\x2F\0", 4);
    std::string length;
    for (int i = 3; i >= 0; i--)
        length += (char)((track.size() >> (8 * i)) & 0xFF);
    return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk", MIDI_HEADER + 4) + length + track;
}

std::string MidiBytes()
{
    std::string events("\0\xFF\x51\x03\x07\xA1\x20", 7);   /* tempo: half a second a beat */
    for (int n = 0; n < 8; n++) {
        events += std::string("\0\x90", 2) + (char)(60 + n) + '\x40';
        events += std::string("\x18\x80", 2) + (char)(60 + n) + '\x40';
    }
    return MidiFile(events);
}

namespace {

/* A SysEx event at delta 0 of size bytes, F7 the last, under a length
 * of lengthBytes bytes. */
std::string SysEx(unsigned size, int lengthBytes)
{
    return std::string("\0\xF0", 2) + MidiNumber(size, lengthBytes) + std::string(size - 1, '\x11') + '\xF7';
}

} // namespace

std::vector<DAMAGEDFILE> DamagedMidis()
{
    const std::string whole = MidiBytes();
    return {
        {"a track length of 0x7FFFFFFF, cut inside the track",
         whole.substr(0, TRACK_LENGTH) + std::string("\x7F\xFF\xFF\xFF", 4) + whole.substr(TRACK_LENGTH + 4, 30)},
        {"a track length of 0x840000AB, cut inside the track",
         whole.substr(0, TRACK_LENGTH) + std::string("\x84\0\0\xAB", 4) + whole.substr(TRACK_LENGTH + 4, 30)},
        {"a header length past the end", whole.substr(0, 4) + std::string("\0\0\x10\0", 4) + whole.substr(8)},
        /* the sequencer's 32-bit sum of the event's length comes out 0 */
        {"a SysEx length of five bytes", MidiFile(std::string("\0\xF0", 2) + MidiNumber(0xFFFFFFF9ull, 5))},
        {"a text event length of five bytes", MidiFile(std::string("\0\xFF\x01", 3) + MidiNumber(0xFFFFFFF8ull, 5))},
        /* its 16-bit length of the event comes out 0 */
        {"a SysEx of 65,531 bytes with a 3-byte length", MidiFile(SysEx(65531, 3))},
        {"a SysEx reaching past its track's end into the bytes behind it",
         MidiFile(std::string("\0\xF0\x28", 3)) + std::string(64, '\0')},
    };
}

std::vector<DAMAGEDFILE> WholeMidis()
{
    const std::string whole = MidiBytes();
    return {
        {"a whole MIDI file", whole},
        {"a zero byte after its last track", whole + std::string(1, '\0')},
        {"CR LF after its last track", whole + "\r\n"},
        {"Ctrl-Z padding to 128 bytes after its last track", whole + std::string(128 - whole.size() % 128, '\x1A')},
        {"a SysEx of 60,000 bytes", MidiFile(SysEx(60000, 3))},
    };
}

std::vector<DAMAGEDFILE> DamagedAvis()
{
    const std::string whole = AviBytes(32, 24, 30, 10, 0x3050C0);
    std::string auds = whole;
    auds.replace(auds.find("vids"), 4, "auds");
    return {
        {"a header list size of 4", Patched(whole, SizeOf(whole, "hdrl", true), 4)},
        {"an avih size of 4", Patched(whole, SizeOf(whole, "avih", false), 4)},
        {"a strl list size past the file", Patched(whole, SizeOf(whole, "strl", true), (unsigned)whole.size())},
        {"a stream type auds on a video format", auds},
        {"cut inside its headers", whole.substr(0, whole.find("strf") + 20)},
        {"a frame count of none", Patched(whole, whole.find("avih") + 8 + 16, 0)},
        {"a movie list without frames", Patched(whole, SizeOf(whole, "movi", true), 4)},
    };
}

} // namespace zvtest
