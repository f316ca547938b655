// The eight stage backgrounds: 600×320 pictures drawn 1:1 behind the fight, the fighters' feet
// on stage row 300.
#pragma once

#include "media/picture.h"

namespace assetgen {

constexpr int kStageCount = 8;
constexpr int kStageWidth = 600;
constexpr int kStageHeight = 320;
constexpr int kStageFloorY = 300;  // the fighters stand on this row

// Where stage 2 draws its breakable table (144×98) over the background.
constexpr int kTableX = 395;
constexpr int kTableY = 195;
constexpr int kTableWidth = 144;
constexpr int kTableHeight = 98;

// Stage k, 1 … kStageCount.
media::Picture renderStage(int k);

}  // namespace assetgen
