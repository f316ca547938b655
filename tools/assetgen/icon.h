// The program's icon for the desktop: a fighter's silhouette kicking high across a setting sun,
// the name in bold letters under it, on a rounded badge whose corners are see-through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

inline constexpr int kMinIconSize = 32;  // smaller, the name no longer fits
inline constexpr int kMaxIconSize = 1024;

// size × size pixels, top row first, four bytes each: red, green, blue, opacity.
struct Icon {
    int size = 0;
    std::vector<uint8_t> rgba;
    uint8_t at(int x, int y, int channel) const {
        return rgba[static_cast<size_t>((y * size + x) * 4 + channel)];
    }
};

// size from kMinIconSize to kMaxIconSize.
Icon renderIcon(int size);
// The icon as an 8-bit RGBA PNG; false, after one stderr line, when it cannot be written.
bool writeIcon(const std::string& path, int size);

}  // namespace assetgen
