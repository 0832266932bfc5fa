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
    return list ? s.find(tag) - 4 : s.find(tag) + 4;
}

/* s with every from (four characters) named to instead, from at on */
std::string Renamed(std::string s, const char *from, const char *to, size_t at = 0)
{
    for (at = s.find(from, at); at != std::string::npos; at = s.find(from, at + 4))
        s.replace(at, 4, to, 4);
    return s;
}

/* An AVI file whose movie list holds body instead, without an index. */
std::string WithMovie(const std::string &avi, const std::string &body)
{
    std::string s = avi.substr(0, SizeOf(avi, "movi", true) - 4) + List("movi", body);
    return Patched(s, 4, (unsigned)s.size() - 8);
}

/* A field of the main header, or the video's stream header or format. */
size_t StreamField(const std::string &avi, const char *chunk, size_t field)
{
    return avi.find(chunk) + 8 + field;
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
    const size_t mainFrames = 16, bitCount = 14, compression = 16, scale = 20, rate = 24;
    /* 32 x 32 at 24 bits holds 3072 bytes a picture */
    const std::string deep = WithU16(AviBytes(32, 32, 3, 10, 0x3050C0), StreamField(whole, "strf", bitCount), 24);
    std::string bigFrames;
    for (int f = 0; f < 3; f++)
        bigFrames += Chunk("00db", std::string(65536, '\x40'));
    const size_t index = whole.find("idx1") + 8;
    return {
        {"a header list size of 4", Patched(whole, SizeOf(whole, "hdrl", true), 4)},
        {"an avih size of 4", Patched(whole, SizeOf(whole, "avih", false), 4)},
        {"a strl list size past the file", Patched(whole, SizeOf(whole, "strl", true), (unsigned)whole.size())},
        {"a stream type auds on a video format", auds},
        {"cut inside its headers", whole.substr(0, whole.find("strf") + 20)},
        {"a frame count of none", Patched(whole, StreamField(whole, "avih", mainFrames), 0)},
        {"a movie list without frames", Patched(whole, SizeOf(whole, "movi", true), 4)},
        /* no chunk the player takes for a frame */
        {"a movie list of one empty rec list",
         WithMovie(Patched(whole, StreamField(whole, "avih", mainFrames), 1), List("rec ", ""))},
        {"frames named for stream 1 of a one-stream video", Renamed(whole, "00db", "01db")},
        {"frames of an unknown type 00xx", Renamed(whole, "00db", "00xx")},
        /* uncompressed frames larger than the picture */
        {"64 KB frames of a 32 x 32 x 24 picture", WithMovie(deep, bigFrames)},
        {"32-bit frames of a 16-bit BI_BITFIELDS picture",
         WithU16(Patched(whole, StreamField(whole, "strf", compression), BI_BITFIELDS),
                 StreamField(whole, "strf", bitCount), 16)},
        /* frames that never end */
        {"a rate of 0", Patched(whole, StreamField(whole, "strh", rate), 0)},
        {"a scale of 0xFFFFFFFF", Patched(whole, StreamField(whole, "strh", scale), 0xFFFFFFFFu)},
        {"thirty frames lasting an hour and thirty seconds",
         Patched(whole, StreamField(whole, "strh", scale), 1210)},
        /* an index untrue to the frames */
        {"an index entry past the movie list", Patched(whole, whole.size() - 8, (unsigned)whole.size())},
        {"an index naming no frame", Renamed(whole, "00db", "00wb", index)},
    };
}

} // namespace zvtest
