/*
 * pictures.h - the picture loaders: JPEG and PNG files (and PNG resources)
 * become screen-compatible bitmaps, metafiles of three kinds become
 * enhanced metafiles.  Handles belong to the caller (DeleteObject,
 * DeleteEnhMetaFile); NULL or 0 means the picture cannot be used.
 */
#ifndef ZV_PICTURES_H
#define ZV_PICTURES_H

#include <windows.h>

namespace zv {

/* ---- JPEG (jpeg_loader.cpp) ---- */

HBITMAP LoadJPEG(const char *path);
/* The picture's own size from its header; 1, or 0 when unreadable. */
int GetJPGSize(const char *path, UINT *width, UINT *height);
/* The library's version and copyright, in one static buffer. */
const char *JPGVersion(void);

/* ---- PNG (png_loader.cpp) ---- */

HBITMAP LoadPNG(const char *path);
/* The resource name (or MAKEINTRESOURCE id) of type "PNGFILE" in module. */
HBITMAP LoadPNGImage(HMODULE module, const char *name);
int GetPNGSize(const char *path, UINT *width, UINT *height);
const char *PNGVersion(void);
const char *ZLIBVersion(void);

/* The decoder proper; the source is a file handle or a loaded resource
 * as the caller of LoadPNG/LoadPNGImage set it up. */
HBITMAP read_png_file(HANDLE source, int sigBytes);
int read_png_header(HANDLE source, int sigBytes, UINT *width, UINT *height);

/* ---- metafiles (metafile_loader.cpp) ---- */

HENHMETAFILE LoadMetaFile(const char *path);
/* resource: what LockResource gave for a resource of the program. */
HENHMETAFILE LoadMetaFileResource(HGLOBAL resource);
/* A Windows metafile behind its 22-byte placeable header; size is the
 * number of bytes that data holds. */
HENHMETAFILE LoadPlaceableMetaFile(const void *data, DWORD size);
/* Plays the picture into rect as PlayEnhMetaFile does, leaving out the
 * figures and pens that land too far out or too wide on the device to
 * draw in reasonable time, transforms the platform cannot invert with
 * their figures, and whatever comes after a second of drawing
 * (metafile_play.cpp). */
BOOL PlayPicture(HDC dc, HENHMETAFILE picture, const RECT *rect);

} // namespace zv

#endif
