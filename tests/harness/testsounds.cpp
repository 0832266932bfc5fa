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

std::string MidiBytes()
{
    std::string events("\0\xFF\x51\x03\x07\xA1\x20", 7);   /* tempo: half a second a beat */
    for (int n = 0; n < 8; n++) {
        events += std::string("\0\x90", 2) + (char)(60 + n) + '\x40';
        events += std::string("\x18\x80", 2) + (char)(60 + n) + '\x40';
    }
    events += std::string("\0\xFF\x2F\0", 4);
    std::string length(4, '\0');
    length[3] = (char)events.size();
    return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk", MIDI_HEADER + 4) + length + events;
}

std::vector<DAMAGEDFILE> DamagedMidis()
{
    const std::string whole = MidiBytes();
    return {
        {"a track length of 0x7FFFFFFF, cut inside the track",
         whole.substr(0, TRACK_LENGTH) + std::string("\x7F\xFF\xFF\xFF", 4) + whole.substr(TRACK_LENGTH + 4, 30)},
        {"a track length of 0x840000AB, cut inside the track",
         whole.substr(0, TRACK_LENGTH) + std::string("\x84\0\0\xAB", 4) + whole.substr(TRACK_LENGTH + 4, 30)},
        {"a header length past the end", whole.substr(0, 4) + std::string("\0\0\x10\0", 4) + whole.substr(8)},
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
