/*
 * testsounds.h - small whole MIDI files, and MIDI and AVI files as a
 * damaged disc holds them: most of them hang or take down the platform's
 * player inside its open or its play.
 */
#ifndef ZV_TESTSOUNDS_H
#define ZV_TESTSOUNDS_H

#include <string>
#include <vector>

#include "testpictures.h"

namespace zvtest {

/* v as a MIDI variable-length number of exactly bytes bytes. */
std::string MidiNumber(unsigned long long v, int bytes);
/* A format 0 file of one track, at 96 ticks a beat: events, then the
 * track's end. */
std::string MidiFile(const std::string &events);
/* One track of eight short notes and its end. */
std::string MidiBytes();
/* Track or header lengths past the end of a file cut short, and events
 * whose lengths wrap the sequencer's sums or leave their track. */
std::vector<DAMAGEDFILE> DamagedMidis();
/* Whole files the sequencer plays: MidiBytes alone and with bytes after
 * its last track, and a long SysEx event. */
std::vector<DAMAGEDFILE> WholeMidis();
/* AviBytes' clip with a lying list or chunk size, a stream type that
 * does not fit its format, no frames (by count or by chunk), frames
 * larger than an uncompressed picture, frames that never end, an index
 * untrue to its frames, or cut inside its headers. */
std::vector<DAMAGEDFILE> DamagedAvis();

} // namespace zvtest

#endif
