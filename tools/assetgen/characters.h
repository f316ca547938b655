// The twelve fighters: proportions and costume of each character slot.
#pragma once

#include "assetgen/figure.h"

namespace assetgen {

// Slot 1..12.
const Character& characterOf(int slot);

}  // namespace assetgen
