/*
 * testpictures.h - picture files that tests write for
 * themselves: solid-colour BMP, PNG and enhanced metafiles, and a
 * PNG of any pixels (the kept screenshots).  Colours are 0xRRGGBB.
 */
#ifndef ZV_TESTPICTURES_H
#define ZV_TESTPICTURES_H

#include <string>
#include <vector>

namespace zvtest {

/* A 24-bit bottom-up BMP file. */
std::string BmpBytes(int w, int h, unsigned rgb);
/* An 8-bit RGB PNG of w x h pixels, row by row from the top. */
std::string PngBytes(int w, int h, const std::vector<unsigned> &pixels);
std::string PngBytes(int w, int h, unsigned rgb);
/* An enhanced metafile that fills w x h logical units. */
bool WriteEmf(const std::string &path, int w, int h, unsigned rgb);

} // namespace zvtest

#endif
