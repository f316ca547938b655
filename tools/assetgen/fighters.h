// The fighters' sprite sheets and portraits, drawn in memory.
#pragma once

#include "media/picture.h"

namespace assetgen {

// The whole strip of a slot (1..12): right(N) wide, H high, white where nothing is drawn.
media::Picture renderSheet(int slot);
// Portrait of a character: the small one (50 × 60) or the large one (96 × 104).
media::Picture renderPortrait(int slot, bool large);

inline constexpr int kSmallPortraitW = 50, kSmallPortraitH = 60;
inline constexpr int kLargePortraitW = 96, kLargePortraitH = 104;

}  // namespace assetgen
