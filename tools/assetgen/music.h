// The three looping music tracks, synthesised by a small step sequencer: 16-bit mono PCM whose
// length is a whole number of bars and whose end runs straight into its start.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

constexpr int kTrackCount = 3;
constexpr int kMusicRate = 22050;
// About −3 dBFS: the loudest sample of every track.
constexpr int kMusicPeak = 23197;

// Track k, 1 … kTrackCount, as mono samples at kMusicRate.
std::vector<int16_t> renderTrack(int k);

}  // namespace assetgen
