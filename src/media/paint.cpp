#include "media/paint.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {

int clampByte(float v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

// Tone of a cel-shaded surface at normalised position (u, v), −1 … 1, lit from the upper left.
float celTone(float u, float v) {
    const float hu = u + 0.38f, hv = v + 0.42f;
    if (hu * hu + hv * hv < 0.07f) return 1.45f;
    if (u * 0.55f + v * 0.8f > 0.42f) return 0.62f;
    return 1.0f;
}

}  // namespace

TColor shade(TColor c, float f) {
    if (f <= 1.0f)
        return rgb(clampByte(red(c) * f), clampByte(green(c) * f), clampByte(blue(c) * f));
    const float t = std::min(f - 1.0f, 1.0f) * 0.9f;
    return mix(c, kNearWhite, t);
}

TColor mix(TColor a, TColor b, float t) {
    const auto ch = [t](int x, int y) { return clampByte(static_cast<float>(x) + (y - x) * t); };
    return rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

uint32_t Rng::next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}

bool Painter::inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < pic_.width() && y < pic_.height();
}

bool Painter::isKey(int x, int y) const {
    return !inside(x, y) || pic_.pixel(x, y) == kWhite;
}

void Painter::put(int x, int y, TColor c) {
    if (inside(x, y)) pic_.setPixel(x, y, c == kWhite ? kNearWhite : c);
}

void Painter::rect(int x0, int y0, int x1, int y1, TColor c) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            put(x, y, c);
    }
}

void Painter::ellipse(float cx, float cy, float rx, float ry, TColor c) {
    if (rx <= 0 || ry <= 0) return;
    const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        const float v = (static_cast<float>(y) + 0.5f - cy) / ry;
        if (v * v > 1.0f) continue;
        const float half = rx * std::sqrt(1.0f - v * v);
        const int xa = static_cast<int>(std::lround(cx - half));
        const int xb = static_cast<int>(std::lround(cx + half));
        for (int x = xa; x < xb; ++x)
            put(x, y, c);
    }
}

void Painter::ellipseShaded(float cx, float cy, float rx, float ry, TColor base) {
    if (rx <= 0 || ry <= 0) return;
    const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - cx) / rx;
            const float v = (static_cast<float>(y) + 0.5f - cy) / ry;
            if (u * u + v * v <= 1.0f) put(x, y, shade(base, celTone(u, v)));
        }
    }
}

namespace {

// Calls fill(y, xa, xb) for each pixel row span inside the polygon (even-odd rule).
template <typename Fill>
void scanPolygon(const std::vector<Pt>& pts, Fill fill) {
    if (pts.size() < 3) return;
    float ymin = pts[0].y, ymax = pts[0].y;
    for (const Pt& p : pts) {
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    std::vector<float> xs;
    for (int y = static_cast<int>(std::floor(ymin)); y <= static_cast<int>(std::ceil(ymax)); ++y) {
        const float sy = static_cast<float>(y) + 0.5f;
        xs.clear();
        for (size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy) == (b.y <= sy)) continue;
            xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            fill(y, static_cast<int>(std::lround(xs[i])), static_cast<int>(std::lround(xs[i + 1])));
    }
}

}  // namespace

void Painter::polygon(const std::vector<Pt>& pts, TColor c) {
    scanPolygon(pts, [&](int y, int xa, int xb) {
        for (int x = xa; x < xb; ++x)
            put(x, y, c);
    });
}

void Painter::polygonShaded(const std::vector<Pt>& pts, TColor base) {
    float x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
    for (const Pt& p : pts) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hw = std::max((x1 - x0) / 2, 1.0f), hh = std::max((y1 - y0) / 2, 1.0f);
    scanPolygon(pts, [&](int y, int xa, int xb) {
        for (int x = xa; x < xb; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - cx) / hw;
            const float v = (static_cast<float>(y) + 0.5f - cy) / hh;
            put(x, y, shade(base, u * 0.55f + v * 0.8f > 0.42f ? 0.62f : 1.0f));
        }
    });
}

void Painter::line(float x0, float y0, float x1, float y1, float w, TColor c) {
    const float r = w / 2;
    const int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - r));
    const int bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + r));
    const int by0 = static_cast<int>(std::floor(std::min(y0, y1) - r));
    const int by1 = static_cast<int>(std::ceil(std::max(y0, y1) + r));
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = by0; y <= by1; ++y) {
        for (int x = bx0; x <= bx1; ++x) {
            const float px = static_cast<float>(x) + 0.5f - x0,
                        py = static_cast<float>(y) + 0.5f - y0;
            const float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
            const float ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) put(x, y, c);
        }
    }
}

void Painter::ring(float cx, float cy, float r0, float r1, float squash, TColor c) {
    const int y0 = static_cast<int>(std::floor(cy - r1 * squash));
    const int y1 = static_cast<int>(std::ceil(cy + r1 * squash));
    for (int y = y0; y <= y1; ++y) {
        for (int x = static_cast<int>(cx - r1) - 1; x <= static_cast<int>(cx + r1) + 1; ++x) {
            const float u = static_cast<float>(x) + 0.5f - cx;
            const float v = (static_cast<float>(y) + 0.5f - cy) / squash;
            const float d2 = u * u + v * v;
            if (d2 >= r0 * r0 && d2 <= r1 * r1) put(x, y, c);
        }
    }
}

void Painter::erase(int x, int y) {
    if (inside(x, y)) pic_.setPixel(x, y, kWhite);
}

void Painter::eraseEllipse(float cx, float cy, float rx, float ry) {
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y) {
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - cx) / rx;
            const float v = (static_cast<float>(y) + 0.5f - cy) / ry;
            if (u * u + v * v <= 1.0f) erase(x, y);
        }
    }
}

namespace {

template <typename ColourOf>
void outlinePass(Picture& pic, ColourOf colourOf) {
    const int w = pic.width(), h = pic.height();
    std::vector<uint8_t> edge(static_cast<size_t>(w * h), 0);
    const auto key = [&](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h || pic.pixel(x, y) == kWhite;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (key(x, y)) continue;
            if (key(x - 1, y) || key(x + 1, y) || key(x, y - 1) || key(x, y + 1))
                edge[static_cast<size_t>(y * w + x)] = 1;
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (edge[static_cast<size_t>(y * w + x)] != 0)
                pic.setPixel(x, y, colourOf(pic.pixel(x, y)));
        }
    }
}

}  // namespace

void Painter::outline(float factor) {
    outlinePass(pic_, [factor](TColor c) { return shade(c, factor); });
}

void Painter::outlineWith(TColor dark) {
    outlinePass(pic_, [dark](TColor) { return dark; });
}

void Painter::clearBorder() {
    const int w = pic_.width(), h = pic_.height();
    for (int x = 0; x < w; ++x) {
        pic_.setPixel(x, 0, kWhite);
        pic_.setPixel(x, h - 1, kWhite);
    }
    for (int y = 0; y < h; ++y) {
        pic_.setPixel(0, y, kWhite);
        pic_.setPixel(w - 1, y, kWhite);
    }
}

Picture mirrored(const Picture& p) {
    Picture out(p.width(), p.height());
    for (int y = 0; y < p.height(); ++y) {
        const TColor* in = p.row(y);
        TColor* o = out.row(y);
        for (int x = 0; x < p.width(); ++x)
            o[p.width() - 1 - x] = in[x];
    }
    return out;
}

}  // namespace media
