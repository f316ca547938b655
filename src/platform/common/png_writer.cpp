#include "platform/common/png_writer.h"

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdio>

#include "media/color.h"

namespace platform {

namespace {

constexpr int kBytesPerPixel = 3;
using Row = std::array<png_byte, media::Surface::kWidth * kBytesPerPixel>;

void fillRow(const media::Surface& surface, int y, Row& row) {
    for (int x = 0; x < media::Surface::kWidth; ++x) {
        const media::TColor c = surface.colorAt(x, y);
        const size_t i = static_cast<size_t>(x * kBytesPerPixel);
        row[i] = static_cast<png_byte>(media::red(c));
        row[i + 1] = static_cast<png_byte>(media::green(c));
        row[i + 2] = static_cast<png_byte>(media::blue(c));
    }
}

// A failed write is said once, by the caller, naming the file: libpng's own line is not printed.
void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// The libpng part; kept apart so that nothing with a destructor lives across setjmp.
bool encode(std::FILE* file, const media::Surface& surface, Row& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, media::Surface::kWidth, media::Surface::kHeight, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < media::Surface::kHeight; ++y) {
        fillRow(surface, y, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, const media::Surface& surface) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    Row row{};
    const bool ok = encode(file, surface, row);
    const bool closed = std::fclose(file) == 0;
    // A full disk leaves no half picture behind.
    if (!ok || !closed) std::remove(path.c_str());
    return ok && closed;
}

}  // namespace platform
