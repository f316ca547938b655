#include "media/surface.h"

#include <algorithm>

namespace media {

void Surface::fill(TColor c) {
    if (blind) return;
    std::fill(pixels_.begin(), pixels_.end(), to565(c));
}

}  // namespace media
