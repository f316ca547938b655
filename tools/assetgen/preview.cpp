// Contact sheets for looking at the fighters: every frame on light grey, its number above it, its
// anchor column marked in red, its contact areas framed in blue and the attack areas of the blows
// that strike while it shows framed in red.
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "animation/anchors.h"
#include "animation/personagens.h"
#include "animation/sheets.h"
#include "assetgen/assetgen.h"
#include "assetgen/fighters.h"
#include "assetgen/files.h"

namespace assetgen {
namespace {

constexpr int kMaxRowWidth = 1400;
constexpr int kPad = 6, kLabelH = 14, kDigitScale = 2;
constexpr media::TColor kPaper = media::rgb(250, 250, 250);
constexpr media::TColor kFrameBg = media::rgb(205, 205, 210);
constexpr media::TColor kAnchor = media::rgb(230, 20, 20);
constexpr media::TColor kInk = media::rgb(20, 20, 30);
constexpr media::TColor kContact = media::rgb(30, 70, 235);
constexpr media::TColor kAttack = media::rgb(235, 25, 25);

// 3 × 5 digits, one row of three bits per line, top line first.
constexpr std::array<std::array<int, 5>, 10> kDigits{{{7, 5, 5, 5, 7},
                                                      {2, 6, 2, 2, 7},
                                                      {7, 1, 7, 4, 7},
                                                      {7, 1, 7, 1, 7},
                                                      {5, 5, 7, 1, 1},
                                                      {7, 4, 7, 1, 7},
                                                      {7, 4, 7, 5, 7},
                                                      {7, 1, 1, 1, 1},
                                                      {7, 5, 7, 5, 7},
                                                      {7, 5, 7, 1, 7}}};

void fillRect(media::Picture& p, int x, int y, int w, int h, media::TColor c) {
    for (int yy = std::max(0, y); yy < std::min(p.height(), y + h); ++yy) {
        for (int xx = std::max(0, x); xx < std::min(p.width(), x + w); ++xx)
            p.setPixel(xx, yy, c);
    }
}

void drawNumber(media::Picture& p, int x, int y, int value) {
    const std::string text = std::to_string(value);
    for (char ch : text) {
        const auto& g = kDigits[static_cast<size_t>(ch - '0')];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (g[static_cast<size_t>(row)] & (4 >> col)) {
                    fillRect(p, x + col * kDigitScale, y + row * kDigitScale, kDigitScale,
                             kDigitScale, kInk);
                }
            }
        }
        x += 4 * kDigitScale;
    }
}

// A rectangle's outline, cut to the box [left, right) × [top, bottom).
void frameRect(media::Picture& p, int x1, int y1, int x2, int y2, const media::Rect& box,
               media::TColor c) {
    x1 = std::max(x1, box.left);
    y1 = std::max(y1, box.top);
    x2 = std::min(x2, box.right);
    y2 = std::min(y2, box.bottom);
    if (x1 >= x2 || y1 >= y2) return;
    fillRect(p, x1, y1, x2 - x1, 1, c);
    fillRect(p, x1, y2 - 1, x2 - x1, 1, c);
    fillRect(p, x1, y1, 1, y2 - y1, c);
    fillRect(p, x2 - 1, y1, 1, y2 - y1, c);
}

// The slot's areas drawn over frame k placed at (x, y): contact rows of the frame, and attack
// rows whose blow strikes while the frame shows.
void drawAreas(media::Picture& out, int slot, int k, int x, int y, int h) {
    const int a = x + pelea::anchors::meio(slot, k);
    const media::Rect box{x, y, x + pelea::sheets::frameWidth(slot, k), y + h};
    const pelea::animacao::Tabelas t = pelea::animacao::tabelas(slot);
    for (const auto& r : t.contato) {
        if (r.frame == k) frameRect(out, a + r.x1, y + r.y1, a + r.x2, y + r.y2, box, kContact);
    }
    for (const auto& r : t.ataque) {
        if (r.live == 0 || frameAt(slot, r.state, r.ciclo, r.tOnly != 0 ? r.tOnly : 1) != k)
            continue;
        frameRect(out, a + r.x1, y + r.y1, a + r.x2, y + r.y2, box, kAttack);
    }
}

struct Placement {
    int x, y;
};

media::Picture contactSheet(int slot) {
    const pelea::sheets::SheetRow& row = pelea::sheets::sheet(slot);
    const media::Picture sheet = renderSheet(slot);
    std::vector<Placement> at;
    int x = kPad, y = kPad, width = 0;
    for (int k = 1; k <= row.n; ++k) {
        const int w = pelea::sheets::frameWidth(slot, k);
        if (x + w + kPad > kMaxRowWidth) {
            x = kPad;
            y += row.h + kLabelH + kPad;
        }
        at.push_back({x, y + kLabelH});
        x += w + kPad;
        width = std::max(width, x);
    }
    media::Picture out(width, y + kLabelH + row.h + kPad, kPaper);
    for (int k = 1; k <= row.n; ++k) {
        const Placement p = at[static_cast<size_t>(k - 1)];
        const int left = pelea::sheets::frameLeft(slot, k), w = pelea::sheets::frameWidth(slot, k);
        drawNumber(out, p.x, p.y - kLabelH + 2, k);
        for (int yy = 0; yy < row.h; ++yy) {
            for (int xx = 0; xx < w; ++xx) {
                const media::TColor c = sheet.pixel(left + xx, yy);
                out.setPixel(p.x + xx, p.y + yy, c == media::kWhite ? kFrameBg : c);
            }
        }
        const int a = pelea::anchors::meio(slot, k);
        for (int yy = 0; yy < row.h; yy += 2)
            out.setPixel(p.x + a, p.y + yy, kAnchor);
        drawAreas(out, slot, k, p.x, p.y, row.h);
    }
    return out;
}

bool writePng(const std::string& path, const media::Picture& pic) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pic.width()),
                 static_cast<png_uint_32>(pic.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> line(static_cast<size_t>(pic.width()) * 3);
    for (int y = 0; y < pic.height(); ++y) {
        for (int x = 0; x < pic.width(); ++x) {
            const media::TColor c = pic.pixel(x, y);
            line[static_cast<size_t>(x) * 3] = static_cast<png_byte>(media::red(c));
            line[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(media::green(c));
            line[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(media::blue(c));
        }
        png_write_row(png, line.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

}  // namespace

bool writePreview(const std::string& dir) {
    for (int slot = 1; slot <= pelea::sheets::kSlots; ++slot) {
        const std::string path = inDir(dir, "preview-C" + twoDigits(slot) + ".png");
        if (!writePng(path, contactSheet(slot))) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace assetgen
