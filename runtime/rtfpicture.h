/*
 * rtfpicture.h - a \pict group's data as the rich edit control's reader
 * collects it, and whether the platform may be given it.  The reader
 * pairs the text tokens that follow the picture's first text at its own
 * level into bytes (hex digits or not, \bin data too) up to the first
 * other token, and hands them to GDI as the kind its last \wmetafile,
 * \dibitmap or \emfblip said, believing every size inside.
 */
#ifndef ZV_RTFPICTURE_H
#define ZV_RTFPICTURE_H

#include <windows.h>

namespace zv {

enum { PICTURE_UNKNOWN, PICTURE_WINDOWS, PICTURE_ENHANCED, PICTURE_DIB };
enum { DATA_NONE, DATA_READING, DATA_READ };

struct RTFPICTURE {
    int kind;        /* PICTURE_... */
    int data;        /* DATA_... */
    int half;        /* a token waits for its pair */
    int first;       /* that token */
    BYTE *bytes;
    DWORD count, room;
    int lost;        /* no memory for the bytes */
};

void PictureBegins(RTFPICTURE *p);
/* A text token of the data (its byte, as the reader holds it). */
void PictureText(RTFPICTURE *p, int c);
/* 1 when what the reader would hand to the platform is whole, or nothing
 * is; the bytes are released either way. */
int PictureEnds(RTFPICTURE *p);
/* The bytes released unchecked: the reader never gives them to GDI. */
void PictureDropped(RTFPICTURE *p);

} // namespace zv

#endif
