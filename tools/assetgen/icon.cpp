#include "assetgen/icon.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdio>

#include "assetgen/characters.h"
#include "assetgen/poses.h"
#include "assetgen/raster.h"
#include "media/picture.h"

namespace assetgen {
namespace {

// Drawn this many times larger in each direction, then averaged down: smooth edges at any size.
constexpr int kSamples = 4;

// Where things sit, as shares of the icon's side.
constexpr float kMargin = 0.03f;     // badge edge to icon edge
constexpr float kCorner = 0.19f;     // the badge's corner radius
constexpr float kRimWidth = 0.028f;  // the dark rim round the badge
constexpr float kGround = 0.70f;     // where the fighter stands; the name's band is below
constexpr float kSunX = 0.5f, kSunY = 0.42f, kSunR = 0.33f;
constexpr float kFigureTop = 0.08f;    // the highest the kicking foot may reach
constexpr float kFigureWidth = 0.80f;  // the widest the figure may be
constexpr float kNameWidth = 0.80f;    // the name's width
constexpr float kNameTop = 0.745f;

const media::TColor kRimColour = media::rgb(20, 8, 24);
const media::TColor kSkyTop = media::rgb(150, 24, 54), kSkyLow = media::rgb(224, 70, 52);
const media::TColor kSunTop = media::rgb(255, 226, 110), kSunLow = media::rgb(250, 150, 50);
const media::TColor kGroundColour = media::rgb(36, 12, 46);
const media::TColor kInk = media::rgb(18, 8, 22);
const media::TColor kLettersTop = media::rgb(255, 238, 140), kLetters = media::rgb(255, 196, 40);

// The name in a blocky face, 4 × 5 cells a letter, '#' inked.
using Glyph = std::array<const char*, 5>;
constexpr Glyph kP = {"####", "#..#", "####", "#...", "#..."};
constexpr Glyph kE = {"####", "#...", "###.", "#...", "####"};
constexpr Glyph kL = {"#...", "#...", "#...", "#...", "####"};
constexpr Glyph kA = {".##.", "#..#", "####", "#..#", "#..#"};
constexpr std::array<const Glyph*, 5> kName = {&kP, &kE, &kL, &kE, &kA};
constexpr int kGlyphW = 4, kGlyphH = 5, kGap = 1;

// Signed distance from (u, v) to the badge's edge, negative inside (shares of the side).
float badgeDistance(float u, float v) {
    const float half = 0.5f - kMargin - kCorner;
    const float dx = std::max(std::abs(u - 0.5f) - half, 0.0f);
    const float dy = std::max(std::abs(v - 0.5f) - half, 0.0f);
    const float inner = std::min(std::max(std::abs(u - 0.5f), std::abs(v - 0.5f)) - half, 0.0f);
    return std::hypot(dx, dy) + inner - kCorner;
}

media::TColor backdropAt(float u, float v) {
    if (badgeDistance(u, v) > -kRimWidth) return kRimColour;
    if (v >= kGround) return kGroundColour;
    if (std::hypot(u - kSunX, v - kSunY) < kSunR) {
        return mix(kSunTop, kSunLow, std::clamp((v - (kSunY - kSunR)) / (2 * kSunR), 0.0f, 1.0f));
    }
    return mix(kSkyTop, kSkyLow, v / kGround);
}

void paintBackdrop(media::Picture& pic) {
    const float side = static_cast<float>(pic.width());
    for (int y = 0; y < pic.height(); ++y) {
        for (int x = 0; x < pic.width(); ++x)
            pic.setPixel(x, y, backdropAt((x + 0.5f) / side, (y + 0.5f) / side));
    }
}

// The first fighter's high kick, all of it in the ink colour, feet on the ground line.
void paintFighter(media::Picture& pic) {
    const float side = static_cast<float>(pic.width());
    Character c = characterOf(1);
    c.build.height = 100.0f;
    const Pose pose = framePose(1, 11);
    std::vector<Shape> shapes = figureShapes(c, pose);
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Shape& s : shapes) {
        const Box b = boundsOf(s);
        if (b.left >= b.right) continue;
        box = {std::min(box.left, b.left), std::min(box.top, b.top), std::max(box.right, b.right),
               std::max(box.bottom, b.bottom)};
    }
    const float k = std::min((kGround - kFigureTop) * side / (box.bottom - box.top),
                             kFigureWidth * side / (box.right - box.left));
    c.build.height *= k;
    shapes = figureShapes(c, pose);
    const Material ink{kInk, kInk, kInk, kInk};
    for (Shape& s : shapes) {
        s.mat = ink;
        s.flat = true;
        s.outline = 0;
    }
    const float pelvisX = 0.5f * side - (box.left + box.right) * 0.5f * k;
    const float pelvisY = kGround * side - box.bottom * k;
    Raster r(pic, {0, 0, pic.width(), static_cast<int>(kGround * side)}, {pelvisX, pelvisY});
    r.draw(shapes);
}

void fill(media::Picture& pic, int x, int y, int w, int h, media::TColor c) {
    for (int yy = std::max(0, y); yy < std::min(pic.height(), y + h); ++yy) {
        for (int xx = std::max(0, x); xx < std::min(pic.width(), x + w); ++xx)
            pic.setPixel(xx, yy, c);
    }
}

// The name, with a dark edge round every stroke. A letter's cell is a whole number of the icon's
// pixels once it is two or more, so that the strokes stay crisp.
void paintName(media::Picture& pic, int size) {
    constexpr int kCellsAcross = static_cast<int>(kName.size()) * (kGlyphW + kGap) - kGap;
    int cell = std::max(kSamples, static_cast<int>(kNameWidth * size * kSamples / kCellsAcross));
    if (cell >= 2 * kSamples) cell = cell / kSamples * kSamples;
    const int edge = std::max(kSamples, cell / 4);
    const int left = (pic.width() - kCellsAcross * cell) / 2 / kSamples * kSamples;
    const int top = static_cast<int>(kNameTop * size) * kSamples;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < kName.size(); ++i) {
            const int x0 = left + static_cast<int>(i) * (kGlyphW + kGap) * cell;
            for (int row = 0; row < kGlyphH; ++row) {
                for (int col = 0; col < kGlyphW; ++col) {
                    if ((*kName[i])[static_cast<size_t>(row)][col] != '#') continue;
                    const int x = x0 + col * cell, y = top + row * cell;
                    if (pass == 0) {
                        fill(pic, x - edge, y - edge, cell + 2 * edge, cell + 2 * edge, kInk);
                    } else {
                        // Lighter towards the top of each letter, as if lit from above.
                        const float t = static_cast<float>(row) / (kGlyphH - 1);
                        fill(pic, x, y, cell, cell, mix(kLettersTop, kLetters, t));
                    }
                }
            }
        }
    }
}

// The icon's pixels from the large picture: the mean colour of each block's samples on the
// badge, and as opaque as the share of them that is on it.
Icon averageDown(const media::Picture& pic, int size) {
    Icon icon;
    icon.size = size;
    icon.rgba.assign(static_cast<size_t>(size) * size * 4, 0);
    const float side = static_cast<float>(pic.width());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int sy = y * kSamples; sy < (y + 1) * kSamples; ++sy) {
                for (int sx = x * kSamples; sx < (x + 1) * kSamples; ++sx) {
                    if (badgeDistance((sx + 0.5f) / side, (sy + 0.5f) / side) >= 0) continue;
                    const media::TColor c = pic.pixel(sx, sy);
                    r += media::red(c);
                    g += media::green(c);
                    b += media::blue(c);
                    ++n;
                }
            }
            if (n == 0) continue;
            uint8_t* p = &icon.rgba[static_cast<size_t>((y * size + x) * 4)];
            p[0] = static_cast<uint8_t>(r / n);
            p[1] = static_cast<uint8_t>(g / n);
            p[2] = static_cast<uint8_t>(b / n);
            p[3] =
                static_cast<uint8_t>((255 * n + kSamples * kSamples / 2) / (kSamples * kSamples));
        }
    }
    return icon;
}

// The libpng part; kept apart so that nothing with a destructor lives across setjmp.
bool encode(std::FILE* file, const Icon& icon) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    const auto side = static_cast<png_uint_32>(icon.size);
    png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < icon.size; ++y)
        png_write_row(png, &icon.rgba[static_cast<size_t>(y * icon.size * 4)]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Icon renderIcon(int size) {
    size = std::clamp(size, kMinIconSize, kMaxIconSize);
    media::Picture pic(size * kSamples, size * kSamples);
    paintBackdrop(pic);
    paintFighter(pic);
    paintName(pic, size);
    return averageDown(pic, size);
}

bool writeIcon(const std::string& path, int size) {
    const Icon icon = renderIcon(size);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file != nullptr && encode(file, icon);
    if (file != nullptr && std::fclose(file) != 0) ok = false;
    if (!ok) std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace assetgen
