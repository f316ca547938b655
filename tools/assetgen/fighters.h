// The fighters' sprite sheets and portraits, drawn in memory.
#pragma once

#include "assetgen/raster.h"
#include "media/picture.h"

namespace assetgen {

// How a frame's figure sits in its frame: the pelvis in frame pixels, the squeeze across and
// down that makes a wide pose fit, and the stretch of the reaching limb.
struct FramePlacement {
    Vec pelvis;
    float sx = 1.0f, sy = 1.0f;
    float stretch = 1.0f;
};
FramePlacement placementOf(int slot, int k);
// The pixels of frame k's figure that would fall outside its frame (none may: a pose can touch
// the edge but never be cut by it).
int spillOf(int slot, int k);
// The frame a fighter of `slot` shows at (pos, ciclo) when the state is run from ciclo 0 with
// blow class t, as the game's own script draws it.
int frameAt(int slot, int pos, int ciclo, int t);

// The whole strip of a slot (1..12): right(N) wide, H high, white where nothing is drawn.
media::Picture renderSheet(int slot);
// Portrait of a character: the small one (50 × 60) or the large one (96 × 104).
media::Picture renderPortrait(int slot, bool large);

inline constexpr int kSmallPortraitW = 50, kSmallPortraitH = 60;
inline constexpr int kLargePortraitW = 96, kLargePortraitH = 104;

}  // namespace assetgen
