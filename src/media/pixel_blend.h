// Mixing two RGB565 pixels with one multiply: the channels are spread over a 32-bit word with
// gaps between them, so all three scale at once. Weights run from 0 (background) to 32 (source).
#pragma once

#include <cstdint>

namespace media {

constexpr int kBlendSteps = 32;
constexpr int kBlendShift = 5;
constexpr uint32_t kSpread565 = 0x07E0F81F;  // green moved to the high half, red and blue kept

// Weight in 32 steps for an 8-bit alpha or coverage, rounded to the nearest step.
constexpr int blendWeight(int alpha255) {
    return (alpha255 * kBlendSteps + 127) / 255;
}

inline uint16_t blend565(uint16_t src, uint16_t dst, int weight) {
    const uint32_t s = (src | (static_cast<uint32_t>(src) << 16)) & kSpread565;
    const uint32_t d = (dst | (static_cast<uint32_t>(dst) << 16)) & kSpread565;
    const uint32_t mixed =
        ((((s - d) * static_cast<uint32_t>(weight)) >> kBlendShift) + d) & kSpread565;
    return static_cast<uint16_t>(mixed | (mixed >> 16));
}

}  // namespace media
