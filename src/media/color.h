// Colours: 24-bit values r + 256·g + 65536·b, and their RGB565 form on the surface.
#pragma once

#include <cstdint>

namespace media {

using TColor = uint32_t;

constexpr TColor rgb(int r, int g, int b) {
    return static_cast<TColor>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int red(TColor c) {
    return static_cast<int>(c & 255);
}
constexpr int green(TColor c) {
    return static_cast<int>((c >> 8) & 255);
}
constexpr int blue(TColor c) {
    return static_cast<int>((c >> 16) & 255);
}

constexpr uint16_t to565(TColor c) {
    return static_cast<uint16_t>(((red(c) >> 3) << 11) | ((green(c) >> 2) << 5) | (blue(c) >> 3));
}
// Expands a 565 pixel back to 24 bits, replicating the high bits into the low ones.
constexpr TColor from565(uint16_t p) {
    const int r5 = (p >> 11) & 31, g6 = (p >> 5) & 63, b5 = p & 31;
    return rgb((r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2));
}

constexpr TColor kWhite = rgb(255, 255, 255);
constexpr TColor kBlack = rgb(0, 0, 0);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace media
