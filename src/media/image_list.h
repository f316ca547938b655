// Image lists and their items. An item holds a 24-bit picture and a colour key; Restore builds
// its drawable form (RGB565 pixels plus, for keyed pictures, the opaque runs of each row, so a
// keyed sprite is drawn run by run instead of pixel by pixel through a mask). Every draw call
// clips to the surface, draws nothing for an empty item or a blind surface, and honours the key
// when Transparent is set.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "media/color.h"
#include "media/picture.h"
#include "media/surface.h"

namespace media {

class ImageItem {
public:
    std::string Name;
    bool Transparent = false;
    TColor TransparentColor = kWhite;
    bool SystemMemory = false;
    int PatternWidth = 0;
    int PatternHeight = 0;

    // The picture as loaded; replace it with setPicture and call Restore to make it drawable.
    // The same picture given again (a match start run again after a rollback cuts the same
    // frames) changes nothing, and the Restore after it has nothing to rebuild.
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p) {
        if (p == picture_) return;
        picture_ = p;
        stale_ = true;
    }
    void setPicture(Picture&& p) {
        if (p == picture_) return;
        picture_ = std::move(p);
        stale_ = true;
    }
    void clear();  // empties the picture and the drawable form

    int Width() const { return picture_.width(); }
    int Height() const { return picture_.height(); }
    bool empty() const { return drawW_ == 0 || drawH_ == 0; }

    // Rebuilds the drawable form from the picture and key; until then draws show the previous
    // drawable form (or nothing).
    void Restore();

    void Draw(Surface& dst, int x, int y, int pattern) const;
    void DrawStretched(Surface& dst, const Rect& r, int pattern) const;
    // result = picture·alpha/255 + background·(1 − alpha/255); alpha ≥ 255 is opaque, ≤ 0 nothing.
    void DrawBlended(Surface& dst, const Rect& r, int pattern, int alpha) const;
    // Scales to width × height and rotates about the point (cx·width, cy·height) inside it, which
    // is placed at (x, y); 256 units make a full turn, positive angles turn clockwise on screen.
    void DrawRotated(Surface& dst, int x, int y, int width, int height, int pattern, double cx,
                     double cy, int angle) const;

    // Drawable form, for tests: 1 where the pixel is drawn.
    bool opaqueAt(int x, int y) const;

private:
    struct Run {
        int32_t start, length;
    };
    // The source rectangle of a pattern in the drawable form; false when the item has no such
    // pattern or nothing to draw.
    bool patternRect(int pattern, Rect& out) const;
    // weight: 0 … 32, 32 opaque
    void drawScaled(Surface& dst, const Rect& r, int pattern, int weight) const;
    Picture picture_;
    // The drawable form was built from picture_ with this key; stale_: the picture changed since.
    bool stale_ = true;
    bool builtTransparent_ = false;
    TColor builtKey_ = 0;
    int drawW_ = 0, drawH_ = 0;
    std::vector<uint16_t> px_;       // drawW_·drawH_ RGB565 pixels
    std::vector<uint8_t> mask_;      // drawW_·drawH_, 1 = opaque (all 1 when not keyed)
    std::vector<Run> runs_;          // opaque runs, row by row
    std::vector<uint32_t> rowRuns_;  // first run of row y at rowRuns_[y], end at rowRuns_[y+1]
};

class ImageList {
public:
    ImageItem& Items(int i) { return items_[static_cast<size_t>(i)]; }
    const ImageItem& Items(int i) const { return items_[static_cast<size_t>(i)]; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool has(int i) const { return i >= 0 && i < Count(); }
    // Appends an empty item and returns it (references to earlier items stay valid).
    ImageItem& Add() { return items_.emplace_back(); }
    void Clear() { items_.clear(); }

private:
    std::deque<ImageItem> items_;
};

}  // namespace media
