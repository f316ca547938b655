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

    // The picture as loaded; replace it with setPicture (or cut) and call Restore to make it
    // drawable. The same picture given again (a match start run again after a rollback) changes
    // nothing, and the Restore after it has nothing to rebuild.
    const Picture& picture() const;
    void setPicture(const Picture& p);
    void setPicture(Picture&& p);
    // The picture becomes the width × height rectangle at (left, top) of the sheet, mirrored or
    // not (see Picture::cut). The pixels are cut, and the drawable form built, when first needed:
    // frames run blind never need them, so a match start run again after a rollback cuts nothing,
    // whichever sheets it loads. The very cut the item holds or awaits, asked for again (the same
    // sheet's pixels, the same rectangle), changes nothing.
    void cut(const Picture& sheet, int left, int top, int width, int height, bool mirrored);
    void clear();  // empties the picture and the drawable form

    int Width() const { return pending_ ? cut_.width : picture_.width(); }
    int Height() const { return pending_ ? cut_.height : picture_.height(); }
    bool empty() const;

    // Rebuilds the drawable form from the picture and key (when it is first drawn: a frame run
    // blind builds nothing); until then draws show the previous drawable form (or nothing).
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
    // The cut the picture is, or is to be: of the sheet's pixels so numbered (kept in sheet_
    // while the cut waits).
    struct Cut {
        uint64_t sheetIdentity = 0;
        int left = 0, top = 0, width = 0, height = 0;
        bool mirrored = false;
        bool operator==(const Cut& c) const {
            return sheetIdentity == c.sheetIdentity && left == c.left && top == c.top &&
                   width == c.width && height == c.height && mirrored == c.mirrored;
        }
    };
    void cutNow() const;   // makes the waiting cut
    void buildNow() const;  // builds the drawable form Restore asked for
    void build() const;     // the drawable form of formPicture_ with the key it was asked with
    // The source rectangle of a pattern in the drawable form; false when the item has no such
    // pattern or nothing to draw.
    bool patternRect(int pattern, Rect& out) const;
    // weight: 0 … 32, 32 opaque
    void drawScaled(Surface& dst, const Rect& r, int pattern, int weight) const;
    // What is made when first needed is mutable: the picture of a waiting cut, and the drawable
    // form, from the picture (or the cut) it had when Restore asked for it.
    mutable Picture picture_;
    mutable Picture sheet_;  // the sheet a waiting cut is made from
    Cut cut_;
    bool isCut_ = false;              // the picture is (or will be) cut_
    mutable bool pending_ = false;    // the cut waits
    mutable bool formPending_ = false;
    mutable Picture formPicture_, formSheet_;
    Cut formCut_;
    bool formCutPending_ = false;
    // The drawable form was (or is to be) built with this key; stale_: the picture changed since.
    bool stale_ = true;
    bool builtTransparent_ = false;
    TColor builtKey_ = 0;
    mutable int drawW_ = 0, drawH_ = 0;
    mutable std::vector<uint16_t> px_;       // drawW_·drawH_ RGB565 pixels
    mutable std::vector<uint8_t> mask_;      // drawW_·drawH_, 1 = opaque (all 1 when not keyed)
    mutable std::vector<Run> runs_;          // opaque runs, row by row
    mutable std::vector<uint32_t> rowRuns_;  // first run of row y at rowRuns_[y], end at [y+1]
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
