#include "platform/sdl/window_picture.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "media/color.h"

namespace platform {

namespace {

constexpr int kWidth = media::Surface::kWidth;
constexpr int kHeight = media::Surface::kHeight;
constexpr int kPixels = kWidth * kHeight;
constexpr int kChannelBits = 8;

// An 8-bit channel value put into the bits of its mask, narrowed or widened to their count.
uint32_t place(int value, uint32_t mask) {
    if (mask == 0) return 0;
    const int bits = std::popcount(mask);
    const auto v = static_cast<uint32_t>(value);
    const uint32_t sized = bits <= kChannelBits
                               ? v >> (kChannelBits - bits)
                               : v << (bits - kChannelBits) | v >> (2 * kChannelBits - bits);
    return (sized << std::countr_zero(mask)) & mask;
}

// One surface row into the first of its scale output rows, each pixel repeated Scale times.
template <int Scale>
void widenRow(const uint16_t* row, const uint32_t* table, uint32_t* out) {
    for (int x = 0; x < kWidth; ++x) {
        const uint32_t v = table[row[x]];
        for (int k = 0; k < Scale; ++k)
            *out++ = v;
    }
}

void widenRow(const uint16_t* row, const uint32_t* table, int scale, uint32_t* out) {
    switch (scale) {
        case 1:
            widenRow<1>(row, table, out);
            return;
        case 2:
            widenRow<2>(row, table, out);
            return;
        case 3:
            widenRow<3>(row, table, out);
            return;
        case 4:
            widenRow<4>(row, table, out);
            return;
        default:
            for (int x = 0; x < kWidth; ++x)
                out = std::fill_n(out, scale, table[row[x]]);
    }
}

}  // namespace

int fittingScale(int width, int height) {
    return std::max(1, std::min(width / kWidth, height / kHeight));
}

PictureFit fitPicture(int outputWidth, int outputHeight, int offsetX) {
    const int s = fittingScale(outputWidth, outputHeight);
    return PictureFit{s, PictureRect{(outputWidth - kWidth * s) / 2 + offsetX * s,
                                     (outputHeight - kHeight * s) / 2, kWidth * s, kHeight * s}};
}

PixelTable::PixelTable(const ChannelMasks& masks)
    : values_(std::make_unique<std::array<uint32_t, kEntries>>()) {
    for (int p = 0; p < kEntries; ++p) {
        const media::TColor c = media::from565(static_cast<uint16_t>(p));
        (*values_)[static_cast<size_t>(p)] = place(media::red(c), masks.red) |
                                             place(media::green(c), masks.green) |
                                             place(media::blue(c), masks.blue) | masks.alpha;
    }
}

void convertScaled(const uint16_t* surface, const PixelTable& table, int scale, uint32_t* dst,
                   int dstPitch) {
    auto* out = reinterpret_cast<unsigned char*>(dst);
    const size_t rowBytes = static_cast<size_t>(kWidth * scale) * sizeof(uint32_t);
    for (int y = 0; y < kHeight; ++y) {
        unsigned char* first = out + static_cast<ptrdiff_t>(y) * scale * dstPitch;
        widenRow(surface + y * kWidth, table.data(), scale, reinterpret_cast<uint32_t*>(first));
        for (int k = 1; k < scale; ++k)
            std::memcpy(first + static_cast<ptrdiff_t>(k) * dstPitch, first, rowBytes);
    }
}

bool ShownFrame::update(const media::Surface& surface, int offsetX) {
    const uint16_t* p = surface.pixels();
    if (!pixels_.empty() && offsetX == offsetX_ &&
        std::memcmp(pixels_.data(), p, kPixels * sizeof(uint16_t)) == 0)
        return false;
    pixels_.assign(p, p + kPixels);
    offsetX_ = offsetX;
    return true;
}

}  // namespace platform
