#include "media/image_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "media/pixel_blend.h"

namespace media {

namespace {

constexpr int kFullTurn = 256;
constexpr int kQuarterTurn = kFullTurn / 4;
constexpr int kOpaque = 255;

Rect ordered(const Rect& r) {
    return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

// Sine and cosine of an angle in 256ths of a turn, exact on quarter turns.
void turn(int angle, double& s, double& c) {
    const int a = ((angle % kFullTurn) + kFullTurn) % kFullTurn;
    if (a % kQuarterTurn == 0) {
        constexpr std::array<double, 4> kSin{0, 1, 0, -1};
        s = kSin[static_cast<size_t>(a / kQuarterTurn)];
        c = kSin[static_cast<size_t>((a / kQuarterTurn + 1) % 4)];
        return;
    }
    const double rad = a * 2.0 * std::numbers::pi / kFullTurn;
    s = std::sin(rad);
    c = std::cos(rad);
}

}  // namespace

const Picture& ImageItem::picture() const {
    cutNow();
    return picture_;
}

bool ImageItem::empty() const {
    if (!formPending_) return drawW_ == 0 || drawH_ == 0;
    return formCutPending_ ? formCut_.width == 0 : formPicture_.empty();
}

void ImageItem::setPicture(const Picture& p) {
    if (!pending_ && p == picture_) return;
    pending_ = false;
    sheet_ = Picture();
    picture_ = p;
    isCut_ = false;
    stale_ = true;
}

void ImageItem::setPicture(Picture&& p) {
    if (!pending_ && p == picture_) return;
    pending_ = false;
    sheet_ = Picture();
    picture_ = std::move(p);
    isCut_ = false;
    stale_ = true;
}

void ImageItem::cut(const Picture& sheet, int left, int top, int width, int height,
                    bool mirrored) {
    if (width <= 0 || height <= 0) width = height = 0;
    const Cut c{sheet.identity(), left, top, width, height, mirrored};
    if (isCut_ && c == cut_) return;
    cut_ = c;
    isCut_ = true;
    pending_ = true;
    sheet_ = sheet;
    stale_ = true;
}

void ImageItem::cutNow() const {
    if (!pending_) return;
    picture_.cut(sheet_, cut_.left, cut_.top, cut_.width, cut_.height, cut_.mirrored);
    sheet_ = Picture();
    pending_ = false;
}

void ImageItem::buildNow() const {
    if (!formPending_) return;
    formPending_ = false;
    if (formCutPending_) {
        // Mostly the cut the item still waits for: it is made once, for both.
        if (isCut_ && cut_ == formCut_) {
            cutNow();
            formPicture_ = picture_;
        } else {
            formPicture_.cut(formSheet_, formCut_.left, formCut_.top, formCut_.width,
                             formCut_.height, formCut_.mirrored);
        }
    }
    build();
    formPicture_ = Picture();
    formSheet_ = Picture();
}

void ImageItem::clear() {
    pending_ = false;
    sheet_ = Picture();
    isCut_ = false;
    picture_ = Picture();
    stale_ = true;
    Restore();
}

void ImageItem::Restore() {
    if (!stale_ && builtTransparent_ == Transparent && builtKey_ == TransparentColor) return;
    stale_ = false;
    builtTransparent_ = Transparent;
    builtKey_ = TransparentColor;
    // Built when first needed, from what the item holds now: a frame run blind never draws it.
    formPending_ = true;
    formPicture_ = picture_;
    formSheet_ = sheet_;
    formCut_ = cut_;
    formCutPending_ = pending_;
}

void ImageItem::build() const {
    const Picture& picture = formPicture_;
    drawW_ = picture.width();
    drawH_ = picture.height();
    const size_t n = static_cast<size_t>(drawW_) * static_cast<size_t>(drawH_);
    px_.resize(n);
    mask_.resize(n);
    runs_.clear();
    rowRuns_.assign(static_cast<size_t>(drawH_) + 1, 0);
    const TColor key = builtKey_ & 0xFFFFFF;
    for (int y = 0; y < drawH_; ++y) {
        const TColor* in = picture.row(y);
        const size_t base = static_cast<size_t>(y) * static_cast<size_t>(drawW_);
        rowRuns_[static_cast<size_t>(y)] = static_cast<uint32_t>(runs_.size());
        for (int x = 0; x < drawW_; ++x) {
            const bool opaque = !builtTransparent_ || (in[x] & 0xFFFFFF) != key;
            px_[base + static_cast<size_t>(x)] = to565(in[x]);
            mask_[base + static_cast<size_t>(x)] = opaque ? 1 : 0;
            if (!opaque) continue;
            if (x > 0 && mask_[base + static_cast<size_t>(x) - 1] != 0) {
                ++runs_.back().length;
            } else {
                runs_.push_back(Run{x, 1});
            }
        }
    }
    rowRuns_[static_cast<size_t>(drawH_)] = static_cast<uint32_t>(runs_.size());
}

bool ImageItem::opaqueAt(int x, int y) const {
    buildNow();
    if (x < 0 || y < 0 || x >= drawW_ || y >= drawH_) return false;
    return mask_[static_cast<size_t>(y) * static_cast<size_t>(drawW_) + static_cast<size_t>(x)] !=
           0;
}

bool ImageItem::patternRect(int pattern, Rect& out) const {
    buildNow();
    if (empty() || pattern < 0) return false;
    const int pw = PatternWidth > 0 ? std::min(PatternWidth, drawW_) : drawW_;
    const int ph = PatternHeight > 0 ? std::min(PatternHeight, drawH_) : drawH_;
    const int cols = drawW_ / pw, rows = drawH_ / ph;
    if (pattern >= cols * rows) return false;
    out.left = (pattern % cols) * pw;
    out.top = (pattern / cols) * ph;
    out.right = out.left + pw;
    out.bottom = out.top + ph;
    return true;
}

void ImageItem::Draw(Surface& dst, int x, int y, int pattern) const {
    Rect src;
    if (dst.blind || !patternRect(pattern, src)) return;
    // Fully off the surface (also keeps the clipping sums below within int).
    if (x >= Surface::kWidth || y >= Surface::kHeight ||
        static_cast<long long>(x) + (src.right - src.left) <= 0 ||
        static_cast<long long>(y) + (src.bottom - src.top) <= 0) {
        return;
    }
    const int firstRow = std::max(src.top, src.top - y);
    const int endRow = std::min(src.bottom, src.top + Surface::kHeight - y);
    // Visible source columns: inside the pattern and landing on the surface.
    const int colLo = std::max(src.left, src.left - x);
    const int colHi = std::min(src.right, src.left + Surface::kWidth - x);
    if (firstRow >= endRow || colLo >= colHi) return;
    const int shiftX = x - src.left;
    for (int sy = firstRow; sy < endRow; ++sy) {
        uint16_t* out = dst.pixels() + static_cast<size_t>(y + sy - src.top) * Surface::kWidth;
        const uint16_t* in = px_.data() + static_cast<size_t>(sy) * static_cast<size_t>(drawW_);
        const uint32_t endRun = rowRuns_[static_cast<size_t>(sy) + 1];
        for (uint32_t k = rowRuns_[static_cast<size_t>(sy)]; k < endRun; ++k) {
            const int a = std::max(runs_[k].start, colLo);
            const int b = std::min(runs_[k].start + runs_[k].length, colHi);
            if (a < b) std::memcpy(out + a + shiftX, in + a, static_cast<size_t>(b - a) * 2);
        }
    }
}

void ImageItem::DrawStretched(Surface& dst, const Rect& r, int pattern) const {
    drawScaled(dst, r, pattern, kBlendSteps);
}

void ImageItem::DrawBlended(Surface& dst, const Rect& r, int pattern, int alpha) const {
    if (alpha <= 0) return;
    drawScaled(dst, r, pattern, alpha >= kOpaque ? kBlendSteps : blendWeight(alpha));
}

void ImageItem::drawScaled(Surface& dst, const Rect& rect, int pattern, int weight) const {
    Rect src;
    if (dst.blind || weight <= 0 || !patternRect(pattern, src)) return;
    const Rect r = ordered(rect);
    const int dw = r.right - r.left, dh = r.bottom - r.top;
    if (dw == 0 || dh == 0) return;
    const int xLo = std::max(r.left, 0), xHi = std::min(r.right, Surface::kWidth);
    const int yLo = std::max(r.top, 0), yHi = std::min(r.bottom, Surface::kHeight);
    if (xLo >= xHi || yLo >= yHi) return;
    const long long pw = src.right - src.left, ph = src.bottom - src.top;
    std::array<int, Surface::kWidth> column{};
    for (int x = xLo; x < xHi; ++x) {
        column[static_cast<size_t>(x)] = src.left + static_cast<int>((x - r.left) * pw / dw);
    }
    for (int y = yLo; y < yHi; ++y) {
        const int sy = src.top + static_cast<int>((y - r.top) * ph / dh);
        const size_t base = static_cast<size_t>(sy) * static_cast<size_t>(drawW_);
        uint16_t* out = dst.pixels() + static_cast<size_t>(y) * Surface::kWidth;
        for (int x = xLo; x < xHi; ++x) {
            const size_t i = base + static_cast<size_t>(column[static_cast<size_t>(x)]);
            if (mask_[i] == 0) continue;
            out[x] = weight >= kBlendSteps ? px_[i] : blend565(px_[i], out[x], weight);
        }
    }
}

void ImageItem::DrawRotated(Surface& dst, int x, int y, int width, int height, int pattern,
                            double cx, double cy, int angle) const {
    Rect src;
    if (dst.blind || width <= 0 || height <= 0 || !patternRect(pattern, src)) return;
    double s = 0, c = 1;
    turn(angle, s, c);
    const double px = cx * width, py = cy * height;
    // Bounding box of the four rotated corners.
    double minX = 1e18, maxX = -1e18, minY = 1e18, maxY = -1e18;
    for (const double u : {-px, width - px}) {
        for (const double v : {-py, height - py}) {
            const double rx = x + c * u - s * v, ry = y + s * u + c * v;
            minX = std::min(minX, rx), maxX = std::max(maxX, rx);
            minY = std::min(minY, ry), maxY = std::max(maxY, ry);
        }
    }
    const int xLo = static_cast<int>(std::max(0.0, std::floor(minX)));
    const int xHi = static_cast<int>(std::min<double>(Surface::kWidth, std::ceil(maxX)));
    const int yLo = static_cast<int>(std::max(0.0, std::floor(minY)));
    const int yHi = static_cast<int>(std::min<double>(Surface::kHeight, std::ceil(maxY)));
    const int pw = src.right - src.left, ph = src.bottom - src.top;
    for (int dy = yLo; dy < yHi; ++dy) {
        uint16_t* out = dst.pixels() + static_cast<size_t>(dy) * Surface::kWidth;
        const double ey = dy + 0.5 - y;
        for (int dx = xLo; dx < xHi; ++dx) {
            // Inverse rotation of the destination pixel centre into the scaled picture.
            const double ex = dx + 0.5 - x;
            const double u = c * ex + s * ey + px, v = -s * ex + c * ey + py;
            if (u < 0 || v < 0 || u >= width || v >= height) continue;
            const int sx = src.left + std::min(pw - 1, static_cast<int>(u * pw / width));
            const int sy = src.top + std::min(ph - 1, static_cast<int>(v * ph / height));
            const size_t i =
                static_cast<size_t>(sy) * static_cast<size_t>(drawW_) + static_cast<size_t>(sx);
            if (mask_[i] != 0) out[dx] = px_[i];
        }
    }
}

}  // namespace media
