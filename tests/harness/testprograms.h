/*
 * testprograms.h - program files that tests write for themselves: a
 * program of one resource section whose icon groups hold one image each,
 * built byte by byte in either PE format or packed, a 16-bit program with
 * an icon, and damaged programs made from them and from the build's own
 * executables.
 */
#ifndef ZV_TESTPROGRAMS_H
#define ZV_TESTPROGRAMS_H

#include <string>
#include <vector>

#include "testmedia.h"
#include "testpictures.h"

namespace zvtest {

/* The program and where its parts are, for tests that damage them. */
struct PROGRAMFILE {
    std::string bytes;
    size_t fileHeaderAt;       /* behind "PE\0\0" */
    size_t sectionAt;          /* the resource section's table entry */
    size_t rootAt;             /* the resource tree's root directory */
    size_t groupNamesAt;       /* the directory of the icon groups' names */
    size_t iconEntryAt;        /* the first icon image's data entry */
    size_t imageAt;            /* the first icon image */
    size_t groupAt;            /* the first icon group */
    size_t groupTypeAt;        /* the icon groups' entry in the root */
    unsigned sectionRva, sectionBytes;
    size_t tableEndAt;         /* NE: the resource table's closing zero */
};

/* The layouts of ProgramBytes: one section of resources; packed, which
 * also has a dialog, a version block and one more icon group, all in a
 * first section that has no bytes in the file; or 100 such sections
 * ahead of the resources. */
enum { PROGRAM_PLAIN, PROGRAM_PACKED, PROGRAM_SECTIONS };

/* One group a picture (icon images as IconImageBytes makes them, or PNG
 * files), in order; pe32plus picks the 64-bit format.  The resource
 * section's virtual size is larger than its raw data, and bytes follow
 * the last section. */
PROGRAMFILE ProgramBytes(const std::vector<std::string> &pictures, bool pe32plus, int layout = PROGRAM_PLAIN);

/* A 16-bit (NE) program with one icon group of the picture: fileHeaderAt
 * is its NE header, rootAt its resource table (the shift first), then
 * iconEntryAt, imageAt, groupAt and tableEndAt as for a PE program. */
PROGRAMFILE NeProgramBytes(const std::string &picture);

/* Programs that once crashed the platform's icon extraction: a program
 * of ProgramBytes with each of its headers, directories and icons
 * damaged in turn, programs of the PNG icons that wrap, and the build's
 * own ZVChain.exe cut short. */
std::vector<DAMAGEDFILE> DamagedPrograms();

} // namespace zvtest

#endif
