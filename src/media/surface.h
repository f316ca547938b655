// The back buffer: 400×300 pixels at 16 bits (RGB565). Every image and canvas operation of a
// frame draws into it; the platform presents it once per frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "media/color.h"

namespace media {

class Surface {
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    uint16_t* pixels() { return pixels_.data(); }
    const uint16_t* pixels() const { return pixels_.data(); }
    uint16_t at(int x, int y) const { return pixels_[static_cast<size_t>(y * kWidth + x)]; }
    TColor colorAt(int x, int y) const { return from565(at(x, y)); }
    void fill(TColor c);
    // A full-screen flash: the whole surface in the colour, or with soft flashes a faint tint of
    // the colour over the picture.
    void flash(TColor c);

    // Blind frames: every draw call on this surface returns at once (tests, benchmarks,
    // re-simulation). The game logic runs the same either way.
    bool blind = false;
    // The player's choice of softer flashes; the game logic never reads it.
    bool softFlashes = false;

private:
    std::array<uint16_t, kWidth * kHeight> pixels_{};
};

}  // namespace media
