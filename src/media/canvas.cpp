#include "media/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace media {

namespace {

// The pixels of one row of a shape: columns left … right, both included; empty when left > right.
struct Span {
    int left = 1, right = 0;
    bool empty() const { return left > right; }
};

void hline(Surface& s, int y, int x1, int x2, uint16_t c) {
    if (y < 0 || y >= Surface::kHeight) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, Surface::kWidth - 1);
    if (x1 > x2) return;
    uint16_t* row = s.pixels() + static_cast<size_t>(y) * Surface::kWidth;
    std::fill(row + x1, row + x2 + 1, c);
}

// Row y of the ellipse inscribed in the box [left, left + w) × [top, top + h): the pixels whose
// centres lie inside it.
Span ellipseRow(int left, int top, int w, int h, int y) {
    const double rx = w / 2.0, ry = h / 2.0;
    const double dy = (y + 0.5 - (top + ry)) / ry;
    if (w <= 0 || h <= 0 || dy * dy > 1.0) return {};
    const double half = rx * std::sqrt(1.0 - dy * dy), mid = left + rx - 0.5;
    return Span{static_cast<int>(std::ceil(mid - half)), static_cast<int>(std::floor(mid + half))};
}

// Row y of a rectangle [l, r) × [t, b) whose corners are cut by an ellipse of cw × ch.
Span roundRectRow(int l, int t, int r, int b, int cw, int ch, int y) {
    if (y < t || y >= b) return {};
    int ey = -1;
    if (y < t + ch / 2) {
        ey = y;
    } else if (y >= b - ch / 2) {
        ey = y - (b - t - ch);
    }
    if (ey < 0 || cw <= 0 || ch <= 0) return Span{l, r - 1};
    const Span corner = ellipseRow(l, t, cw, ch, ey);
    if (corner.empty()) return {};
    return Span{corner.left, l + r - 1 - corner.left};
}

// Draws a shape given row by row: its one-pixel outline in the pen colour and, when fill is
// set, its interior in the brush colour. A pixel is outline when it has a neighbour outside.
template <class RowFn>
void drawShape(Surface& s, int top, int bottom, RowFn row, uint16_t pen, const uint16_t* fill) {
    const int yLo = std::max(top, 0), yHi = std::min(bottom, Surface::kHeight);
    for (int y = yLo; y < yHi; ++y) {
        const Span cur = row(y);
        if (cur.empty()) continue;
        const Span above = y > top ? row(y - 1) : Span{};
        const Span below = y + 1 < bottom ? row(y + 1) : Span{};
        if (above.empty() || below.empty()) {
            hline(s, y, cur.left, cur.right, pen);
            continue;
        }
        const int innerL = std::max({cur.left + 1, above.left, below.left});
        const int innerR = std::min({cur.right - 1, above.right, below.right});
        if (innerL > innerR) {
            hline(s, y, cur.left, cur.right, pen);
            continue;
        }
        hline(s, y, cur.left, innerL - 1, pen);
        hline(s, y, innerR + 1, cur.right, pen);
        if (fill != nullptr) hline(s, y, innerL, innerR, *fill);
    }
}

void order(int& a, int& b) {
    if (a > b) std::swap(a, b);
}

}  // namespace

void Canvas::setBrushColor(TColor c) {
    brushColor_ = c;
    brushStyle_ = BrushStyle::Solid;
}

void Canvas::setBrushStyle(BrushStyle s) {
    brushStyle_ = s;
    if (s == BrushStyle::Clear) brushColor_ = kWhite;
}

void Canvas::FillRect(const Rect& r) {
    if (surface_.blind || brushStyle_ == BrushStyle::Clear) return;
    int l = r.left, rt = r.right, t = r.top, b = r.bottom;
    order(l, rt);
    order(t, b);
    const uint16_t c = to565(brushColor_);
    for (int y = std::max(t, 0); y < std::min(b, Surface::kHeight); ++y)
        hline(surface_, y, l, rt - 1, c);
}

void Canvas::FrameRect(const Rect& r) {
    if (surface_.blind || brushStyle_ == BrushStyle::Clear) return;
    if (r.right <= r.left || r.bottom <= r.top) return;
    const uint16_t c = to565(brushColor_);
    hline(surface_, r.top, r.left, r.right - 1, c);
    hline(surface_, r.bottom - 1, r.left, r.right - 1, c);
    for (int y = std::max(r.top + 1, 0); y < std::min(r.bottom - 1, Surface::kHeight); ++y) {
        hline(surface_, y, r.left, r.left, c);
        hline(surface_, y, r.right - 1, r.right - 1, c);
    }
}

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int cw, int ch) {
    if (surface_.blind) return;
    order(x1, x2);
    order(y1, y2);
    cw = std::clamp(cw, 0, x2 - x1);
    ch = std::clamp(ch, 0, y2 - y1);
    const uint16_t fill = to565(brushColor_);
    const auto row = [=](int y) { return roundRectRow(x1, y1, x2, y2, cw, ch, y); };
    drawShape(surface_, y1, y2, row, to565(penColor_),
              brushStyle_ == BrushStyle::Solid ? &fill : nullptr);
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (surface_.blind) return;
    order(x1, x2);
    order(y1, y2);
    const uint16_t fill = to565(brushColor_);
    const auto row = [=](int y) { return ellipseRow(x1, y1, x2 - x1, y2 - y1, y); };
    drawShape(surface_, y1, y2, row, to565(penColor_),
              brushStyle_ == BrushStyle::Solid ? &fill : nullptr);
}

void Canvas::TextOut(int x, int y, std::string_view text) {
    if (surface_.blind || text.empty()) return;
    if (recorded_ != nullptr) recorded_->push_back({x, y, std::string(text), fontColor_});
    if (brushStyle_ == BrushStyle::Solid) {
        const Rect box{x, y, x + text_.width(text, fontSize_), y + text_.height(fontSize_)};
        FillRect(box);
    }
    text_.draw(surface_, x, y, text, fontSize_, fontColor_);
}

int Canvas::TextWidth(std::string_view text) {
    return text_.width(text, fontSize_);
}

}  // namespace media
