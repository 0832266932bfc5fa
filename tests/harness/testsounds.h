/*
 * testsounds.h - a small whole MIDI file, and MIDI and AVI files as a
 * damaged disc holds them: most of them hang or take down the platform's
 * player inside its open or its play.
 */
#ifndef ZV_TESTSOUNDS_H
#define ZV_TESTSOUNDS_H

#include <string>
#include <vector>

#include "testpictures.h"

namespace zvtest {

/* One track of eight short notes and its end, at 96 ticks a beat. */
std::string MidiBytes();
/* Track or header lengths past the end of a file cut short. */
std::vector<DAMAGEDFILE> DamagedMidis();
/* AviBytes' clip with a lying list or chunk size, a stream type that
 * does not fit its format, no frames (by count or by chunk), frames
 * larger than an uncompressed picture, frames that never end, an index
 * untrue to its frames, or cut inside its headers. */
std::vector<DAMAGEDFILE> DamagedAvis();

} // namespace zvtest

#endif
