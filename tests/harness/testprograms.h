/*
 * testprograms.h - program files that tests write for themselves: a
 * program of one resource section whose icon groups hold one image each,
 * built byte by byte in either PE format, and damaged programs made from
 * it and from the build's own executables.
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
    unsigned sectionRva, sectionBytes;
};

/* One group a picture (icon images as IconImageBytes makes them, or PNG
 * files), in order; pe32plus picks the 64-bit format.  The section's
 * virtual size is larger than its raw data, and bytes follow it. */
PROGRAMFILE ProgramBytes(const std::vector<std::string> &pictures, bool pe32plus);

/* Programs that once crashed the platform's icon extraction: a program
 * of ProgramBytes with each of its headers, directories and icons
 * damaged in turn, and the build's own ZVChain.exe cut short. */
std::vector<DAMAGEDFILE> DamagedPrograms();

} // namespace zvtest

#endif
