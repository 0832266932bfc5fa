/*
 * testmetafiles.h - metafiles that the platform's own GDI draws for the
 * tests (lines, shapes, text, bitmaps, regions, paths, saved states),
 * damaged copies of them, one for each kind of damage that once brought
 * the platform down, and random changes inside their records.
 */
#ifndef ZV_TESTMETAFILES_H
#define ZV_TESTMETAFILES_H

#include <string>
#include <vector>

#include "testpictures.h"

namespace zvtest {

/* The same picture as an enhanced metafile, a plain Windows metafile, a
 * placeable one, and the Windows metafile that the platform makes of the
 * enhanced one (which carries it in comments). */
std::string DrawnEnhanced();
std::string DrawnWindows();
std::string DrawnPlaceable();
std::string DrawnCarried();

/* Byte offset of the n-th record of the type in an enhanced or Windows
 * metafile, or std::string::npos. */
size_t EnhancedRecord(const std::string &emf, unsigned type, int n = 0);
size_t WindowsRecord(const std::string &wmf, unsigned function, int n = 0);

/* Damaged copies whose records lie about themselves; what says how. */
std::vector<DAMAGEDFILE> DamagedEnhanced();
std::vector<DAMAGEDFILE> DamagedWindows();

/* Whole enhanced metafiles, a small square and then figures that the
 * platform's DIB driver would trace for minutes: one figure or pen of
 * millions of units, a pen widened by a later transform, many figures or
 * huge characters that take long together, an arc under a transform the
 * platform cannot invert; what names them.  The first is a giant ellipse. */
std::vector<DAMAGEDFILE> GiantFigures();

/* A copy with a few random changes inside its records or to its handle
 * count (the seed decides which); sizes and the record chain stay. */
std::string ChangedRecords(const std::string &metafile, unsigned seed);

} // namespace zvtest

#endif
