/*
 * programread.h - what the two program checks share: a program file read
 * by offset (programcheck.cpp for PE images, neprogramcheck.cpp for
 * 16-bit NE programs), and the NE check itself.
 */
#ifndef ZV_PROGRAMREAD_H
#define ZV_PROGRAMREAD_H

#include <windows.h>

namespace zv {

/* A program file of size bytes, read by offset.  Each piece is read
 * where it lies: the checks read headers, directories and the first
 * bytes of icons only, and a cached read window saved well under a
 * millisecond a program. */
struct PROGRAMSOURCE {
    HANDLE file;
    ULONGLONG size;
};

/* bytes bytes at offset, all of them inside the file. */
int FetchProgramBytes(const PROGRAMSOURCE *s, ULONGLONG offset, void *out, DWORD bytes);

/* Directories, entries and resources one check may visit: no whole
 * program has more, and a damaged one cannot keep a check busy. */
enum { PROGRAM_MOST_VISITS = 1 << 17 };

/* A 16-bit program whose NE header is at headerAt: its resource table,
 * every resource, and its icon groups and icon images lie in the file,
 * and index names one of the groups the extraction finds (when it finds
 * both groups and images). */
int NeProgramFits(const PROGRAMSOURCE *s, ULONGLONG headerAt, UINT index);

} // namespace zv

#endif
