#include "media/picture.h"

#include <cstdlib>

namespace media {

namespace {

// Maps step i of a destination span of |dLen| pixels onto a source span starting at s1 with signed
// length sLen: a negative length walks the source backwards from s1 − 1.
int sourceIndex(int i, int s1, int sLen, int dLen) {
    const long long k = static_cast<long long>(i) * std::abs(sLen) / std::abs(dLen);
    return sLen > 0 ? s1 + static_cast<int>(k) : s1 - 1 - static_cast<int>(k);
}

int destIndex(int i, int d1, int dLen) {
    return dLen > 0 ? d1 + i : d1 - 1 - i;
}

}  // namespace

void Picture::setSize(int width, int height, TColor fill) {
    if (width <= 0 || height <= 0) width = height = 0;
    width_ = width;
    height_ = height;
    data_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

void Picture::copyRect(int dx1, int dy1, int dx2, int dy2, const Picture& src, int sx1, int sy1,
                       int sx2, int sy2) {
    const int dw = dx2 - dx1, dh = dy2 - dy1, sw = sx2 - sx1, sh = sy2 - sy1;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
    for (int j = 0; j < std::abs(dh); ++j) {
        const int dy = destIndex(j, dy1, dh), sy = sourceIndex(j, sy1, sh, dh);
        if (dy < 0 || dy >= height_ || sy < 0 || sy >= src.height_) continue;
        TColor* out = row(dy);
        const TColor* in = src.row(sy);
        for (int i = 0; i < std::abs(dw); ++i) {
            const int dx = destIndex(i, dx1, dw), sx = sourceIndex(i, sx1, sw, dw);
            if (dx < 0 || dx >= width_ || sx < 0 || sx >= src.width_) continue;
            out[dx] = in[sx];
        }
    }
}

}  // namespace media
