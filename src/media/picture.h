// A 24-bit picture kept as colour values, top row first. Pictures are what files load into and
// what image items are made from; the transparency mask is computed on these 24-bit values.
// Copies share their pixels until one of them changes (a decoded file given out again, a sheet
// kept by the frames still to be cut from it, cost no copy); pointers from row() stay valid until
// the picture is next copied or changed.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/color.h"

namespace media {

class Picture {
public:
    Picture() = default;
    Picture(int width, int height, TColor fill = kWhite) { setSize(width, height, fill); }
    Picture(const Picture&) = default;
    Picture& operator=(const Picture&) = default;
    // The picture moved from is left empty.
    Picture(Picture&& p) noexcept { *this = std::move(p); }
    Picture& operator=(Picture&& p) noexcept;

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    // The same size and the same pixels.
    bool operator==(const Picture& p) const;

    // Resizes; the content is lost and every pixel becomes `fill`.
    void setSize(int width, int height, TColor fill = kWhite);
    TColor pixel(int x, int y) const { return data_->px[static_cast<size_t>(y * width_ + x)]; }
    void setPixel(int x, int y, TColor c) { own()[static_cast<size_t>(y * width_ + x)] = c; }
    const TColor* row(int y) const {
        return data_ ? data_->px.data() + static_cast<size_t>(y) * width_ : nullptr;
    }
    TColor* row(int y) {
        TColor* px = own();
        return px != nullptr ? px + static_cast<size_t>(y) * width_ : nullptr;
    }

    // Rectangle copy with scaling, as the hidden images' canvases do it: the source rectangle
    // (sx1, sy1)–(sx2, sy2) is scaled onto the destination rectangle (dx1, dy1)–(dx2, dy2) of
    // this picture, right and bottom edges excluded. A source rectangle whose left edge lies right
    // of its right edge mirrors the picture horizontally (source columns sx1 − 1 down to sx2).
    // Pixels outside either picture are skipped.
    void copyRect(int dx1, int dy1, int dx2, int dy2, const Picture& src, int sx1, int sy1, int sx2,
                  int sy2);
    // Becomes the width × height rectangle at (left, top) of the sheet, white where the rectangle
    // leaves the sheet; mirrored, the rectangle is read from its right edge back to its left (the
    // same as setSize and a copyRect with equal extents).
    void cut(const Picture& sheet, int left, int top, int width, int height, bool mirrored);

    // A number for these very pixels: two pictures with the same number hold the same pixels
    // (copies of one another that neither has changed since). Never 0 for a picture with pixels.
    uint64_t identity() const;

    // Pixels copied so far by cuts and by copies that had to part from the pictures they shared
    // with (for tests).
    static uint64_t pixelsCopied();

private:
    struct Pixels {
        std::vector<TColor> px;
        std::atomic<uint64_t> identity{0};  // 0 until asked for; back to 0 when they change
        explicit Pixels(std::vector<TColor> p) : px(std::move(p)) {}
    };
    // The pixels, this picture's alone, about to change.
    TColor* own();

    int width_ = 0;
    int height_ = 0;
    std::shared_ptr<Pixels> data_;  // null for an empty picture
};

}  // namespace media
