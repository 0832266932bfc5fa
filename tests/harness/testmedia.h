/*
 * testmedia.h - small media files that tests write for themselves: an 8-bit
 * PCM wave of a low buzz and an uncompressed 32-bit AVI of solid
 * frames (the form that Wine's AVI player draws correctly), laid out flat
 * or in record lists, with or without a silent audio stream before the
 * video; and the little-endian byte writers that every test file maker
 * uses.
 */
#ifndef ZV_TESTMEDIA_H
#define ZV_TESTMEDIA_H

#include <windows.h>

#include <string>

namespace zvtest {

inline void PutU32(std::string &s, unsigned v)
{
    for (int i = 0; i < 4; i++)
        s += (char)((v >> (8 * i)) & 0xFF);
}

inline void PutU16(std::string &s, unsigned v)
{
    s += (char)(v & 0xFF);
    s += (char)((v >> 8) & 0xFF);
}

/* The little-endian v written over the bytes of s at at. */
inline void SetU16(std::string &s, size_t at, unsigned v)
{
    std::string bytes;
    PutU16(bytes, v);
    s.replace(at, 2, bytes);
}

inline void SetU32(std::string &s, size_t at, unsigned v)
{
    std::string bytes;
    PutU32(bytes, v);
    s.replace(at, 4, bytes);
}

/* The little-endian number of four bytes of s at at. */
inline unsigned LeU32(const std::string &s, size_t at)
{
    unsigned v = 0;
    for (int i = 3; i >= 0; i--)
        v = v << 8 | (unsigned char)s[at + i];
    return v;
}

/* A copy of s with the little-endian v at at. */
inline std::string WithU16(std::string s, size_t at, unsigned v)
{
    SetU16(s, at, v);
    return s;
}

inline std::string WithU32(std::string s, size_t at, unsigned v)
{
    SetU32(s, at, v);
    return s;
}

/* A RIFF chunk: four-character id, size, body, pad byte to even size. */
inline std::string Chunk(const char *id, const std::string &body)
{
    std::string s(id, 4);
    PutU32(s, (unsigned)body.size());
    s += body;
    if (body.size() & 1)
        s += '\0';
    return s;
}

inline std::string List(const char *type, const std::string &body)
{
    return Chunk("LIST", std::string(type, 4) + body);
}

/* The format of 8-bit mono PCM at 8000 Hz. */
inline std::string PcmFormat()
{
    std::string fmt;
    PutU16(fmt, 1);     /* PCM */
    PutU16(fmt, 1);     /* mono */
    PutU32(fmt, 8000);  /* samples per second */
    PutU32(fmt, 8000);  /* bytes per second */
    PutU16(fmt, 1);     /* block align */
    PutU16(fmt, 8);     /* bits */
    return fmt;
}

/* 8-bit mono PCM at 8000 Hz lasting ms milliseconds. */
inline std::string WaveBytes(unsigned ms)
{
    std::string fmt = PcmFormat();
    std::string data;
    for (unsigned i = 0; i < 8 * ms; i++)
        data += (char)(128 + ((i / 10) % 2 ? 20 : -20));
    return Chunk("RIFF", std::string("WAVE") + Chunk("fmt ", fmt) + Chunk("data", data));
}

/* frames solid frames of w x h pixels in colour rgb (0xRRGGBB), fps a second. */
inline std::string DibPixels(int w, int h, unsigned rgb)
{
    std::string pixels;
    for (int i = 0; i < w * h; i++) {
        pixels += (char)(rgb & 0xFF);
        pixels += (char)((rgb >> 8) & 0xFF);
        pixels += (char)((rgb >> 16) & 0xFF);
        pixels += '\0';
    }
    return pixels;
}

/* Where AviBytes puts its chunks: each frame (with its sound) in a 'rec '
 * list, and a stream of silence as stream 0 before the video; and whether
 * its frames are 8-bit RLE in absolute runs, larger than the picture as
 * noisy pictures make them. */
struct AVILAYOUT {
    bool recordLists;
    bool soundFirst;
    bool rle8;
};

/* A w x h picture of colour index in RLE8 absolute runs, row by row. */
inline std::string Rle8Frame(int w, int h, char index)
{
    std::string frame;
    for (int y = 0; y < h; y++)
        frame += std::string("\0", 1) + (char)w + std::string((size_t)w, index) + std::string(2, '\0');
    return frame + std::string("\0\1", 2);
}

/* An idx1 entry: a chunk's id, flags, place from the movie list's type
 * and size. */
inline void PutIndexEntry(std::string &idx, const char *id, unsigned flags, size_t at, size_t size)
{
    idx.append(id, 4);
    PutU32(idx, flags);
    PutU32(idx, (unsigned)at);
    PutU32(idx, (unsigned)size);
}

/* A stream header of type and handler, playing length units of scale /
 * rate seconds. */
inline std::string StreamHeader(const char *type, const char *handler, unsigned scale, unsigned rate,
                                unsigned length, unsigned bufferSize, unsigned sampleSize, int w, int h)
{
    std::string strh = std::string(type, 4) + std::string(handler, 4);
    PutU32(strh, 0);              /* flags */
    PutU16(strh, 0);              /* priority */
    PutU16(strh, 0);              /* language */
    PutU32(strh, 0);              /* initial frames */
    PutU32(strh, scale);
    PutU32(strh, rate);
    PutU32(strh, 0);              /* start */
    PutU32(strh, length);
    PutU32(strh, bufferSize);
    PutU32(strh, 0xFFFFFFFFu);    /* quality */
    PutU32(strh, sampleSize);
    PutU16(strh, 0);
    PutU16(strh, 0);
    PutU16(strh, (unsigned)w);
    PutU16(strh, (unsigned)h);
    return strh;
}

/* ... whose frames from laterFrom on show laterRgb instead: a clip whose
 * end can be told from its start on the screen. */
inline std::string AviBytes(int w, int h, unsigned frames, unsigned fps, unsigned rgb, unsigned laterRgb,
                            unsigned laterFrom, AVILAYOUT layout = {false, false, false})
{
    std::string early = DibPixels(w, h, rgb), late = DibPixels(w, h, laterRgb);
    if (layout.rle8) {
        early = Rle8Frame(w, h, 0);
        late = Rle8Frame(w, h, 1);
    }
    unsigned frameSize = (unsigned)early.size();
    std::string avih;
    PutU32(avih, 1000000 / fps);
    PutU32(avih, frameSize * fps);
    PutU32(avih, 0);
    PutU32(avih, 0x10);           /* has an index */
    PutU32(avih, frames);
    PutU32(avih, 0);
    PutU32(avih, layout.soundFirst ? 2 : 1);   /* streams */
    PutU32(avih, frameSize);
    PutU32(avih, (unsigned)w);
    PutU32(avih, (unsigned)h);
    for (int i = 0; i < 4; i++)
        PutU32(avih, 0);

    std::string strh = StreamHeader("vids", "DIB ", 1, fps, frames, frameSize, 0, w, h);

    std::string strf;
    PutU32(strf, 40);
    PutU32(strf, (unsigned)w);
    PutU32(strf, (unsigned)h);
    PutU16(strf, 1);
    PutU16(strf, layout.rle8 ? 8 : 32);
    PutU32(strf, layout.rle8 ? 1 : 0);    /* BI_RLE8 or BI_RGB */
    PutU32(strf, frameSize);
    PutU32(strf, 0);
    PutU32(strf, 0);
    PutU32(strf, layout.rle8 ? 2 : 0);    /* colours: the two of the clip */
    PutU32(strf, 0);
    if (layout.rle8) {
        PutU32(strf, rgb);
        PutU32(strf, laterRgb);
    }

    std::string silence(8000 / fps, '\x80');
    const char *frameId = layout.soundFirst ? (layout.rle8 ? "01dc" : "01db") : (layout.rle8 ? "00dc" : "00db");
    std::string movi, idx;
    for (unsigned f = 0; f < frames; f++) {
        /* the list's header comes before the chunks it holds */
        size_t at = 4 + movi.size() + (layout.recordLists ? 12 : 0);
        std::string chunks, entries;
        if (layout.soundFirst) {
            PutIndexEntry(entries, "00wb", 0x10, at, silence.size());
            chunks += Chunk("00wb", silence);
        }
        PutIndexEntry(entries, frameId, 0x10, at + chunks.size(), frameSize);   /* key frame */
        chunks += Chunk(frameId, f < laterFrom ? early : late);
        if (layout.recordLists) {
            PutIndexEntry(idx, "rec ", 0, 4 + movi.size(), 4 + chunks.size());
            chunks = List("rec ", chunks);
        }
        movi += chunks;
        idx += entries;
    }
    std::string streams = List("strl", Chunk("strh", strh) + Chunk("strf", strf));
    if (layout.soundFirst) {
        std::string auds = StreamHeader("auds", "\0\0\0\0", 1, 8000, frames * (unsigned)silence.size(),
                                        (unsigned)silence.size(), 1, 0, 0);
        streams = List("strl", Chunk("strh", auds) + Chunk("strf", PcmFormat())) + streams;
    }
    std::string hdrl = List("hdrl", Chunk("avih", avih) + streams);
    return Chunk("RIFF", std::string("AVI ") + hdrl + List("movi", movi) + Chunk("idx1", idx));
}

inline std::string AviBytes(int w, int h, unsigned frames, unsigned fps, unsigned rgb)
{
    return AviBytes(w, h, frames, fps, rgb, rgb, frames);
}

} // namespace zvtest

#endif
