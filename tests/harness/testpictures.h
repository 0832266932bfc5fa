/*
 * testpictures.h - picture files that tests write for
 * themselves: solid-colour BMP, PNG and enhanced metafiles, a PNG of any
 * pixels (the kept screenshots), icon files and images of rarer shapes,
 * and damaged BMP, PNG and icon files.  Colours are 0xRRGGBB.
 */
#ifndef ZV_TESTPICTURES_H
#define ZV_TESTPICTURES_H

#include <string>
#include <vector>

namespace zvtest {

/* A 24-bit bottom-up BMP file. */
std::string BmpBytes(int w, int h, unsigned rgb);
/* A BMP file of 8, 24 or 32 bits a pixel (8: a grey table whose entry 1
 * is rgb); a negative h makes it top-down. */
std::string BmpBytes(int w, int h, int bits, unsigned rgb);

/* One icon image: header, grey colour table, colour bits of a pattern,
 * a mask that keeps the left half. */
std::string IconImageBytes(int size, int bits);
/* An .ICO file of the images; count overrides the header's count. */
std::string IcoBytes(const std::vector<std::string> &images, int count = -1);

/* Files whose headers or pixels do not lie inside them, as a damaged disc
 * holds them; each of these once crashed the platform's loader. */
struct DAMAGEDFILE {
    const char *what;
    std::string bytes;
};
std::vector<DAMAGEDFILE> DamagedBmps();
std::vector<DAMAGEDFILE> DamagedIcos();
/* An 8-bit RGB PNG of w x h pixels, row by row from the top. */
std::string PngBytes(int w, int h, const std::vector<unsigned> &pixels);
std::string PngBytes(int w, int h, unsigned rgb);
/* PNG images whose width x height x 4 wraps 32 bits, holding one row:
 * 65536 x 16384 RGBA and 65536 x 21846 RGB pixels. */
std::vector<DAMAGEDFILE> WrappingPngs();
/* Whole icon images of rarer shapes that the platform shows (named as
 * the damaged files are): 32 bits with alpha and no mask, 16 pixels of
 * 16 colours without a mask, a core header, no planes. */
std::vector<DAMAGEDFILE> RareIconImages();
/* An enhanced metafile that fills w x h logical units. */
bool WriteEmf(const std::string &path, int w, int h, unsigned rgb);

} // namespace zvtest

#endif
