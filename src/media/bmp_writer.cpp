#include "media/bmp_writer.h"

#include "media/binary_file.h"

namespace media {

namespace {

constexpr int kFileHeader = 14;
constexpr int kInfoHeader = 40;

}  // namespace

std::vector<uint8_t> encodeBmp(const Picture& p) {
    const int w = p.width(), h = p.height();
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};  // rows padded to 4 bytes
    const size_t dataSize = stride * static_cast<size_t>(h);
    std::vector<uint8_t> b(kFileHeader + kInfoHeader + dataSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, 10, kFileHeader + kInfoHeader);
    put32(b, 14, kInfoHeader);
    put32(b, 18, static_cast<uint32_t>(w));
    put32(b, 22, static_cast<uint32_t>(h));
    put16(b, 26, 1);   // planes
    put16(b, 28, 24);  // bits per pixel
    put32(b, 34, static_cast<uint32_t>(dataSize));
    put32(b, 38, 2835);  // 72 dpi
    put32(b, 42, 2835);
    for (int y = 0; y < h; ++y) {
        uint8_t* out =
            b.data() + kFileHeader + kInfoHeader + stride * static_cast<size_t>(h - 1 - y);
        const TColor* row = p.row(y);
        for (int x = 0; x < w; ++x) {
            out[3 * x] = static_cast<uint8_t>(blue(row[x]));
            out[3 * x + 1] = static_cast<uint8_t>(green(row[x]));
            out[3 * x + 2] = static_cast<uint8_t>(red(row[x]));
        }
    }
    return b;
}

bool writeBmp(const std::string& path, const Picture& p) {
    return writeFile(path, encodeBmp(p));
}

}  // namespace media
