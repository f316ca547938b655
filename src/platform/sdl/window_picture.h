// The picture the window shows, worked out without a window: where the 400×300 surface goes in
// an output of any size (a whole factor, centred, the nudge kept, black around it), the
// surface's RGB565 pixels as the window's 32-bit ones, scaled by that factor, and whether a
// finished frame differs from the one last shown.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/surface.h"

namespace platform {

struct PictureRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PictureRect&) const = default;
};

// The largest whole factor at which the surface fits in width × height; at least 1, so an
// output smaller than the surface shows its middle.
int fittingScale(int width, int height);

struct PictureFit {
    int scale = 1;
    PictureRect picture;  // may reach past the output, which then shows only part of it
};

// The surface scaled by the fitting factor, centred in the output and moved offsetX surface
// pixels to the right (the picture nudge).
PictureFit fitPicture(int outputWidth, int outputHeight, int offsetX);

// Where each 8-bit channel sits in a 32-bit window pixel; every alpha bit is set.
struct ChannelMasks {
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
};

// Every RGB565 value as a 32-bit pixel of one layout, its channels widened as the game widens
// them (media::from565: the high bits repeated into the low ones, so 565 white is 255, 255, 255).
class PixelTable {
public:
    static constexpr int kEntries = 1 << 16;

    explicit PixelTable(const ChannelMasks& masks);
    uint32_t operator[](uint16_t p) const { return (*values_)[p]; }
    const uint32_t* data() const { return values_->data(); }

private:
    std::unique_ptr<std::array<uint32_t, kEntries>> values_;
};

// Writes the surface's 400×300 pixels into dst, a picture of 400·scale × 300·scale pixels whose
// rows start dstPitch bytes apart, each source pixel converted once and repeated as a
// scale × scale block.
void convertScaled(const uint16_t* surface, const PixelTable& table, int scale, uint32_t* dst,
                   int dstPitch);

// The frame last shown: a frame with the same pixels and nudge needs no new present.
class ShownFrame {
public:
    // True when the frame differs from the one remembered (or none is); the frame is
    // remembered either way.
    bool update(const media::Surface& surface, int offsetX);
    bool known() const { return !pixels_.empty(); }
    const uint16_t* pixels() const { return pixels_.data(); }
    int offsetX() const { return offsetX_; }

private:
    std::vector<uint16_t> pixels_;  // empty until the first frame
    int offsetX_ = 0;
};

}  // namespace platform
