// The pose table: one pose per frame role, shared by every character, and the special poses that
// the characters' victory and special-move frames pick from.
#pragma once

#include "assetgen/figure.h"

namespace assetgen {

inline constexpr int kSharedFrames = 32;

// The pose of frame k of a slot's sheet: frames 1–32 by their shared role, frames 33 and up by
// the character's own list.
Pose framePose(int slot, int k);

}  // namespace assetgen
