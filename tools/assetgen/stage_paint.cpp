#include "assetgen/stage_paint.h"

#include <algorithm>
#include <cmath>

namespace assetgen::paint {

namespace {

constexpr Rgb kInk{18, 12, 24};
constexpr Rgb kOffWhite{250, 250, 245};
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
// One step of the screen's 5-bit channels, the size the dither spreads a gradient over.
constexpr double kDitherAmplitude = 8.0;

int clampByte(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

uint32_t hash2(int x, int y, uint32_t seed) {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
            clampByte(a.b + (b.b - a.b) * t)};
}

Rgb scale(Rgb c, double f) {
    return {clampByte(c.r * f), clampByte(c.g * f), clampByte(c.b * f)};
}

Rgb lighten(Rgb c, double t) {
    return mix(c, kOffWhite, t);
}

media::TColor toColor(Rgb c) {
    const media::TColor v =
        media::rgb(std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255));
    return v == media::kWhite ? toColor(kOffWhite) : v;
}

Rgb fromColor(media::TColor c) {
    return {media::red(c), media::green(c), media::blue(c)};
}

uint32_t Rng::next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}

int Rng::below(int n) {
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n));
}

int Rng::range(int lo, int hi) {
    return lo + below(hi - lo + 1);
}

double Rng::unit() {
    return (next() >> 8) / 16777216.0;
}

double noise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    auto corner = [&](int dx, int dy) {
        return (hash2(ix + dx, iy + dy, seed) & 0xFFFF) / 65535.0;
    };
    const double top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * tx;
    const double bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * tx;
    return top + (bottom - top) * ty;
}

double fbm(double x, double y, uint32_t seed, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise(x, y, seed + static_cast<uint32_t>(i) * 101u);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

double dither(int x, int y) {
    return (kBayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}

void Shape::mark(int x, int y) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    cover_[static_cast<size_t>(y * w_ + x)] = 1;
    bx0_ = std::min(bx0_, x);
    by0_ = std::min(by0_, y);
    bx1_ = std::max(bx1_, x + 1);
    by1_ = std::max(by1_, y + 1);
}

void Shape::span(int y, double xa, double xb) {
    const int a = static_cast<int>(std::ceil(xa - 0.5)), b = static_cast<int>(std::floor(xb - 0.5));
    for (int x = std::max(a, 0); x <= std::min(b, w_ - 1); ++x)
        mark(x, y);
}

void Shape::rect(int x0, int y0, int x1, int y1) {
    for (int y = std::max(y0, 0); y < std::min(y1, h_); ++y)
        span(y, x0 + 0.5, x1 - 0.5);
}

void Shape::ellipse(double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(cy - ry); y <= static_cast<int>(cy + ry) + 1; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1.0) continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        span(y, cx - half, cx + half);
    }
}

void Shape::poly(const std::vector<Pt>& pts) {
    if (pts.size() < 3) return;
    double ymin = pts[0].y, ymax = pts[0].y;
    for (const Pt& p : pts)
        ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
    std::vector<double> xs;
    for (int y = static_cast<int>(std::floor(ymin)); y <= static_cast<int>(std::ceil(ymax)); ++y) {
        const double sy = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            span(y, xs[i], xs[i + 1]);
    }
}

void Shape::thickLine(Pt a, Pt b, double width) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::max(std::hypot(dx, dy), 1e-6);
    const double nx = -dy / len * width / 2, ny = dx / len * width / 2;
    poly({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
}

void Shape::below(int x0, int x1, int bottom, const std::function<double(int)>& top) {
    for (int x = std::max(x0, 0); x < std::min(x1, w_); ++x) {
        const int t = std::max(0, static_cast<int>(std::lround(top(x))));
        for (int y = t; y < std::min(bottom, h_); ++y)
            mark(x, y);
    }
}

void Shape::clear() {
    for (int y = std::max(by0_, 0); y < by1_; ++y) {
        std::fill_n(cover_.begin() + y * w_ + bx0_, bx1_ - bx0_, 0);
    }
    bx0_ = by0_ = 1 << 30;
    bx1_ = by1_ = -1;
}

void Painter::put(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    pic_.setPixel(x, y, toColor(c));
}

void Painter::blend(int x, int y, Rgb c, double a) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    put(x, y, mix(get(x, y), c, std::clamp(a, 0.0, 1.0)));
}

void Painter::rect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width()); ++x)
            put(x, y, c);
    }
}

void Painter::blendRect(int x0, int y0, int x1, int y1, Rgb c, double a) {
    for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width()); ++x)
            blend(x, y, c, a);
    }
}

void Painter::gradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
    const double span = std::max(1, y1 - y0 - 1);
    for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y) {
        const Rgb c = mix(top, bottom, (y - y0) / span);
        for (int x = std::max(x0, 0); x < std::min(x1, width()); ++x) {
            const double d = dither(x, y) * kDitherAmplitude;
            put(x, y, {clampByte(c.r + d), clampByte(c.g + d / 2), clampByte(c.b + d)});
        }
    }
}

void Painter::glow(double cx, double cy, double r, Rgb c, double strength) {
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y) {
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / r;
            if (d < 1.0) blend(x, y, c, strength * (1.0 - d) * (1.0 - d));
        }
    }
}

void Painter::line(Pt a, Pt b, Rgb c, double alpha) {
    const int steps = static_cast<int>(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))) + 1;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        blend(static_cast<int>(std::floor(a.x + (b.x - a.x) * t)),
              static_cast<int>(std::floor(a.y + (b.y - a.y) * t)), c, alpha);
    }
}

void Painter::paint(Shape& s, const Style& st) {
    const Rgb hi = lighten(st.fill, st.light), lo = scale(st.fill, 1.0 - st.light);
    const Rgb edge = mix(st.fill, kInk, st.outline);
    for (int y = s.y0() - 1; y <= s.y1(); ++y) {
        for (int x = s.x0() - 1; x <= s.x1(); ++x) {
            if (s.has(x, y)) {
                Rgb c = st.fill;
                if (!s.has(x - 2, y) || !s.has(x, y - 2)) c = hi;
                if (!s.has(x + 3, y) || !s.has(x, y + 3)) c = lo;
                put(x, y, c);
            } else if (st.outline > 0 &&
                       (s.has(x - 1, y) || s.has(x + 1, y) || s.has(x, y - 1) || s.has(x, y + 1))) {
                put(x, y, edge);
            }
        }
    }
    s.clear();
}

void Painter::floor(int y0, int y1, double horizonY, double vanishX,
                    const std::function<Rgb(double, double, int, int)>& f) {
    const double front = y1 - horizonY;
    for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y) {
        const double dy = std::max(y + 0.5 - horizonY, 0.25);
        const double v = front / dy;  // 1 at the front line, growing into the distance
        for (int x = 0; x < width(); ++x)
            put(x, y, f((x + 0.5 - vanishX) * v, v, x, y));
    }
}

void Painter::haze(int y0, int y1, Rgb c, double a0, double a1) {
    const double span = std::max(1, y1 - y0);
    for (int y = std::max(y0, 0); y < std::min(y1, height()); ++y) {
        const double a = a0 + (a1 - a0) * (y - y0) / span;
        for (int x = 0; x < width(); ++x)
            blend(x, y, c, a);
    }
}

}  // namespace assetgen::paint
