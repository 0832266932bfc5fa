/*
 * testmedia.h - small media files that tests write for themselves: an 8-bit
 * PCM wave of a low buzz and an uncompressed 32-bit AVI of solid
 * frames (the form that Wine's AVI player draws correctly); and the
 * little-endian byte writers that every test file maker uses.
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

/* 8-bit mono PCM at 8000 Hz lasting ms milliseconds. */
inline std::string WaveBytes(unsigned ms)
{
    std::string fmt;
    PutU16(fmt, 1);     /* PCM */
    PutU16(fmt, 1);     /* mono */
    PutU32(fmt, 8000);  /* samples per second */
    PutU32(fmt, 8000);  /* bytes per second */
    PutU16(fmt, 1);     /* block align */
    PutU16(fmt, 8);     /* bits */
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

/* ... whose frames from laterFrom on show laterRgb instead: a clip whose
 * end can be told from its start on the screen. */
inline std::string AviBytes(int w, int h, unsigned frames, unsigned fps, unsigned rgb, unsigned laterRgb,
                            unsigned laterFrom)
{
    unsigned frameSize = (unsigned)(w * h * 4);
    std::string avih;
    PutU32(avih, 1000000 / fps);
    PutU32(avih, frameSize * fps);
    PutU32(avih, 0);
    PutU32(avih, 0x10);           /* has an index */
    PutU32(avih, frames);
    PutU32(avih, 0);
    PutU32(avih, 1);              /* streams */
    PutU32(avih, frameSize);
    PutU32(avih, (unsigned)w);
    PutU32(avih, (unsigned)h);
    for (int i = 0; i < 4; i++)
        PutU32(avih, 0);

    std::string strh = "vidsDIB ";
    PutU32(strh, 0);              /* flags */
    PutU16(strh, 0);              /* priority */
    PutU16(strh, 0);              /* language */
    PutU32(strh, 0);              /* initial frames */
    PutU32(strh, 1);              /* scale */
    PutU32(strh, fps);            /* rate */
    PutU32(strh, 0);              /* start */
    PutU32(strh, frames);         /* length */
    PutU32(strh, frameSize);
    PutU32(strh, 0xFFFFFFFFu);    /* quality */
    PutU32(strh, 0);              /* sample size */
    PutU16(strh, 0);
    PutU16(strh, 0);
    PutU16(strh, (unsigned)w);
    PutU16(strh, (unsigned)h);

    std::string strf;
    PutU32(strf, 40);
    PutU32(strf, (unsigned)w);
    PutU32(strf, (unsigned)h);
    PutU16(strf, 1);
    PutU16(strf, 32);
    PutU32(strf, 0);              /* BI_RGB */
    PutU32(strf, frameSize);
    for (int i = 0; i < 4; i++)
        PutU32(strf, 0);

    std::string early = DibPixels(w, h, rgb), late = DibPixels(w, h, laterRgb);
    std::string movi, idx;
    for (unsigned f = 0; f < frames; f++) {
        idx += "00db";
        PutU32(idx, 0x10);        /* key frame */
        PutU32(idx, (unsigned)(4 + movi.size()));
        PutU32(idx, frameSize);
        movi += Chunk("00db", f < laterFrom ? early : late);
    }
    std::string hdrl = List("hdrl", Chunk("avih", avih) +
                                        List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
    return Chunk("RIFF", std::string("AVI ") + hdrl + List("movi", movi) + Chunk("idx1", idx));
}

inline std::string AviBytes(int w, int h, unsigned frames, unsigned fps, unsigned rgb)
{
    return AviBytes(w, h, frames, fps, rgb, rgb, frames);
}

} // namespace zvtest

#endif
