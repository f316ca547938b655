// The built-in pictures, painted in code: the effect pictures and the icons.
#pragma once

#include <vector>

#include "media/picture.h"

namespace media {

struct Size {
    int w, h;
};

// Size of effect picture i (0 × 0 for the empty item 12).
Size efectoSize(int i);
Size iconeSize(int i);

// Character 1's hat colours, shared with its sprite so the flung hat is the one it wears.
constexpr TColor kHatCrown = rgb(122, 72, 38);
constexpr TColor kHatBand = rgb(196, 34, 40);

// Every effect picture (kEfectosItems) and every icon (kIconeItems), in index order.
std::vector<Picture> paintEfectos();
std::vector<Picture> paintIcone();

}  // namespace media
