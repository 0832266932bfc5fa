/*
 * metarecords.h - whether a metafile from a disc may go to the platform.
 * GDI believes what a metafile says: the sizes and offsets in its header
 * and in every record, the counts of points, characters and colours, and
 * the object indices.  The checks here measure all of them against the
 * bytes really there, in 64 bits, before SetEnhMetaFileBits or
 * SetWinMetaFileBits sees the data.  Record types the tables do not know
 * are passed on: the platform plays them as nothing.
 */
#ifndef ZV_METARECORDS_H
#define ZV_METARECORDS_H

#include <windows.h>

namespace zv {

/* Rectangles of one region, in either kind of metafile: the platform
 * merges them one by one, in time that grows with the square of their
 * number (8,000 scattered ones take a third of a second here). */
enum { REGION_RECTS_MOST = 8192 };

/* ---- enhanced metafiles (emf_records.cpp) ---- */

/* Byte count of the enhanced metafile at data, or 0 when its header,
 * description, pixel format or record chain reach past size bytes. */
DWORD EnhancedBytes(const BYTE *data, DWORD size);
/* The bytes (measured by EnhancedBytes) hold a handle table of at least
 * one entry and records that are whole: each at least its type's fixed
 * size, every counted part inside it, every object index in the table. */
int EnhancedRecordsFit(const BYTE *data, DWORD bytes);

/* ---- Windows metafiles (wmf_records.cpp) ---- */

/* Byte count of the Windows metafile at data (from its word count), or 0
 * when the header or a record reaches past size bytes. */
DWORD WindowsBytes(const BYTE *data, DWORD size);
/* The same for the records of a Windows metafile (measured by
 * WindowsBytes), up to its end record; an enhanced metafile carried in
 * its comments, which the platform would take instead, is checked as
 * one. */
int WindowsRecordsFit(const BYTE *data, DWORD bytes);

/* ---- bitmaps inside records (record_dib.cpp) ---- */

struct DIBBYTES {
    ULONGLONG header;   /* info header with masks and colour table */
    ULONGLONG image;    /* pixel bytes the platform reads */
};

/* A packed DIB's header at info, with room bytes readable there: the
 * header is one the platform knows and lies in room; sizes says how many
 * bytes its colour table (entries of the usage's size) and its pixels
 * take.  rows limits the rows read (a number of scan lines), or is ~0. */
int DibBytes(const BYTE *info, ULONGLONG room, DWORD usage, ULONGLONG rows, DIBBYTES *sizes);
/* Whether the platform reads on past the header at info (at least a
 * BITMAPINFOHEADER's worth of bytes), into a colour table and bits, for
 * a bitmap it reads with this usage, as SetDIBits does; 0 for a header
 * it refuses before that. */
int DibHeaderTaken(const BYTE *info, DWORD usage);

} // namespace zv

#endif
