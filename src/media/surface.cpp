#include "media/surface.h"

#include <algorithm>

#include "media/pixel_blend.h"

namespace media {

void Surface::fill(TColor c) {
    if (blind) return;
    std::fill(pixels_.begin(), pixels_.end(), to565(c));
}

void Surface::flash(TColor c) {
    if (blind) return;
    if (!softFlashes) return fill(c);
    constexpr int kTint = 5;  // of 32: the picture stays, a little redder
    const uint16_t tint = to565(c);
    for (uint16_t& p : pixels_)
        p = blend565(tint, p, kTint);
}

}  // namespace media
