/*
 * filecheck.h - whether a BMP, icon, program or library file is whole
 * before the platform gets it.  LoadImageA and ExtractIconA trust a
 * file's headers and read past the end of a damaged one; a file whose
 * headers, directories or pixel data do not lie inside it is refused here
 * instead.  The icon image and directory checks are also those of the
 * menu's icon readers.  All sizes are computed in 64 bits.
 */
#ifndef ZV_FILECHECK_H
#define ZV_FILECHECK_H

#include <windows.h>

namespace zv {

/* ---- reading a file's bytes ---- */

/* Little-endian numbers at p. */
WORD LeWord(const BYTE *p);
DWORD LeDword(const BYTE *p);
/* Up to size bytes at offset of an open file; *got says how many came. */
int ReadAt(HANDLE file, ULONGLONG offset, void *buffer, DWORD size, DWORD *got);
/* A file opened for a check: read only, shared with readers and writers;
 * INVALID_HANDLE_VALUE with the last error. */
HANDLE OpenForCheck(const char *path);
/* 0 with the last error ERROR_INVALID_DATA, for a file found damaged. */
int Damaged(void);

/* ---- pieces of DIBs and icon files ---- */

/* Bytes of the colour table behind a DIB header (biClrUsed entries, or a
 * full table for 1, 4 and 8 bits). */
ULONGLONG DibColourTableBytes(const BITMAPINFOHEADER *header);
/* Bytes of one row of width pixels of bits each, padded to 4 bytes. */
ULONGLONG DibRowBytes(ULONGLONG width, ULONGLONG bits);

/* Where the parts of an icon image lie, as the platform reads them: a
 * BITMAPINFOHEADER (its planes unread) or a 12-byte BITMAPCOREHEADER,
 * the colour table, the colour rows, then the mask rows if they are all
 * there (maskBytes 0: the image is drawn without a mask, a 32-bit one
 * with the mask of its alpha). */
struct ICONSHAPE {
    DWORD width, height;       /* the picture's: half the header's height */
    DWORD bits;                /* a pixel */
    DWORD colourAt, maskAt, maskBytes;
};
/* An icon image of size bytes, of which head holds the first ones (at
 * least a BITMAPINFOHEADER's worth when size has that many): 1 with its
 * shape when its header, colour table and colour bits lie in the size
 * bytes. */
int IconImageShape(const BYTE *head, DWORD size, ICONSHAPE *shape);
int IconImageFits(const BYTE *head, DWORD size);
/* An icon image of size bytes that may also be a PNG image, of which head
 * holds the first ones (ICONIMAGE_HEAD of them, or all when fewer). */
enum { ICONIMAGE_HEAD = sizeof(BITMAPINFOHEADER) };
int IconImageDataFits(const BYTE *head, DWORD size);

enum { ICONFILE_HEADER = 6, ICONFILE_ENTRY = 16 };
enum { ICONFILE_ICON = 1, ICONFILE_CURSOR = 2 };

/* The type of an icon (1) or cursor (2) file from its 6-byte header, with
 * its image count; 0 for any other header. */
int IconFileType(const BYTE *header, int *count);
/* The header and count directory entries lie in fileSize bytes. */
int IconDirectoryFits(int count, ULONGLONG fileSize);
/* The place of a directory entry's image: 1 when it has bytes and all of
 * them lie in fileSize bytes. */
int IconEntryPlace(const BYTE *entry, ULONGLONG fileSize, DWORD *offset, DWORD *size);

/* An icon group resource: a 6-byte header whose word at 4 counts the
 * 14-byte entries behind it; the word at 12 of an entry names the image. */
enum { ICONGROUP_HEADER = 6, ICONGROUP_ENTRY = 14, ICONGROUP_IMAGE_ID = 12 };
/* The group at head, with room bytes from its start on, holds its header
 * and every entry it counts. */
int IconGroupFits(const BYTE *head, ULONGLONG room);

/* An open program or library file of size bytes whose headers, sections
 * and resource tree lie in it (a PE image; with icons also a 16-bit NE
 * program's resource table); with icons, every icon group and icon image
 * the extraction can reach too, and for a 16-bit program index must name
 * one of its icon groups.  0 for any other MZ file. */
int ProgramFits(HANDLE file, ULONGLONG size, int icons, UINT index);

/* ---- whole files ---- */

enum { BMP_HEAD_BYTES = 54 };

/* A BMP file of fileSize bytes whose first headBytes are head (all of them,
 * or at least BMP_HEAD_BYTES): its headers, masks, colour table and pixels
 * lie in the file. */
int BitmapFileFits(const BYTE *head, size_t headBytes, ULONGLONG fileSize);
/* An icon or cursor file held whole in data: its directory and every
 * image lie in it. */
int IconFileFits(const BYTE *data, ULONGLONG size);

/* 1 when the file may go to LoadImageA as a bitmap; 0, with the last
 * error set, when it cannot be read or is not a whole BMP file. */
int BitmapFileLoadable(const char *path);
/* A bitmap file through LoadImageA once BitmapFileLoadable passes it;
 * NULL with the last error set (invalid data when the platform refuses
 * the file without a reason). */
HBITMAP LoadBitmapFile(const char *path);
/* 1 when icon index of the file may go to ExtractIconA: an icon or
 * cursor file only when it is whole, a program or library ("MZ") only
 * when ProgramFits with its icons and index; other files go as they are.
 * 0, with the last error set, for a damaged one, for an index that is
 * no icon of a 16-bit program and for index -1 (which asks for a
 * count). */
int IconSourceLoadable(const char *path, UINT index);
/* 1 when a program or library may be loaded for its resources, which the
 * caller then checks one by one; 0, with the last error set. */
int ProgramResourcesLoadable(const char *path);

} // namespace zv

#endif
