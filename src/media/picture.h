// A 24-bit picture kept as colour values, top row first. Pictures are what files load into and
// what image items are made from; the transparency mask is computed on these 24-bit values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/color.h"

namespace media {

class Picture {
public:
    Picture() = default;
    Picture(int width, int height, TColor fill = kWhite) { setSize(width, height, fill); }

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    // The same size and the same pixels.
    bool operator==(const Picture&) const = default;

    // Resizes; the content is lost and every pixel becomes `fill`.
    void setSize(int width, int height, TColor fill = kWhite);
    TColor pixel(int x, int y) const { return data_[static_cast<size_t>(y * width_ + x)]; }
    void setPixel(int x, int y, TColor c) { data_[static_cast<size_t>(y * width_ + x)] = c; }
    const TColor* row(int y) const { return data_.data() + static_cast<size_t>(y) * width_; }
    TColor* row(int y) { return data_.data() + static_cast<size_t>(y) * width_; }

    // Rectangle copy with scaling, as the hidden images' canvases do it: the source rectangle
    // (sx1, sy1)–(sx2, sy2) is scaled onto the destination rectangle (dx1, dy1)–(dx2, dy2) of
    // this picture, right and bottom edges excluded. A source rectangle whose left edge lies right
    // of its right edge mirrors the picture horizontally (source columns sx1 − 1 down to sx2).
    // Pixels outside either picture are skipped.
    void copyRect(int dx1, int dy1, int dx2, int dy2, const Picture& src, int sx1, int sy1, int sx2,
                  int sy2);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<TColor> data_;
};

}  // namespace media
