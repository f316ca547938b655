#include "assetgen/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace assetgen {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kLightX = -0.48f, kLightY = -0.66f, kLightZ = 0.58f;
constexpr float kHighlightAbove = 0.80f;
constexpr float kShadeBelow = 0.30f;
// Limbs are shaded in bands across the bone, by the light's direction on screen.
constexpr float kBandX = -0.6f, kBandY = -0.8f, kBandLight = 0.45f, kBandShade = -0.3f;
// The brightest any figure pixel may be: pure white is the transparent key.
constexpr int kMaxChannel = 250;
// The rim drawn round a whole figure's silhouette.
const media::TColor kRim = media::rgb(14, 8, 18);
constexpr float kBulgePeakA = 0.4f, kBulgePeakB = 0.3f;  // where each limb segment swells most
constexpr float kBlend = 0.55f;      // how wide (in joint radii) the bend of a limb is filleted
constexpr float kFoldClear = 1.3f;   // no fold line this close to the joint (in joint radii)
constexpr float kFoldAngle = 95.0f;  // a limb bent tighter than this shows its fold line

media::TColor safe(media::TColor c) {
    using media::blue, media::green, media::red;
    return media::rgb(std::min(red(c), kMaxChannel), std::min(green(c), kMaxChannel),
                      std::min(blue(c), kMaxChannel - 4));
}

struct Sample {
    float d;            // signed distance, negative inside
    float nx, ny;       // surface normal across the shape, length up to 1
    bool line = false;  // an inner line (a limb's fold)
};

// Swelling of a segment at t in 0..1, 1 at the peak, 0 at both ends.
float bump(float t, float peak) {
    const float u = t < peak ? t / peak : (1.0f - t) / (1.0f - peak);
    return std::sin(u * kPi * 0.5f);
}

// A tapered, swelling bone from a to b.
Sample boneAt(Vec a, Vec b, float ra, float rb, float bulge, float side, float peak, Vec q) {
    const Vec ab = b - a;
    const float len2 = ab.x * ab.x + ab.y * ab.y;
    float t = len2 > 0 ? ((q.x - a.x) * ab.x + (q.y - a.y) * ab.y) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const Vec c = a + ab * t;
    const float dx = q.x - c.x, dy = q.y - c.y;
    const float cross = ab.x * dy - ab.y * dx;
    const float share = side == 0 || cross * side > 0 ? 1.0f : 0.3f;
    const float r = ra + (rb - ra) * t + bulge * share * bump(t, peak);
    const float dist = std::sqrt(dx * dx + dy * dy);
    return {dist - r, dx / std::max(r, 0.5f), dy / std::max(r, 0.5f)};
}

float bendOf(const Shape& s) {
    const Vec u = s.p[0] - s.p[1], v = s.p[2] - s.p[1];
    const float lu = std::hypot(u.x, u.y), lv = std::hypot(v.x, v.y);
    if (lu <= 0 || lv <= 0) return 180.0f;
    const float c = std::clamp((u.x * v.x + u.y * v.y) / (lu * lv), -1.0f, 1.0f);
    return std::acos(c) * 180.0f / kPi;
}

Sample limbAt(const Shape& s, Vec q) {
    const Sample a = boneAt(s.p[0], s.p[1], s.r0, s.r1, s.bulgeA, s.sideA, kBulgePeakA, q);
    const Sample b = boneAt(s.p[1], s.p[2], s.r1, s.r2, s.bulgeB, s.sideB, kBulgePeakB, q);
    // A smooth union: the bend gets a fillet and the shading turns gradually at the joint.
    const float k = std::max(1.0f, s.r1 * kBlend);
    const float h = std::clamp(0.5f + 0.5f * (a.d - b.d) / k, 0.0f, 1.0f);
    Sample v{a.d + (b.d - a.d) * h - k * h * (1.0f - h), a.nx + (b.nx - a.nx) * h,
             a.ny + (b.ny - a.ny) * h};
    if (b.d < 0 && a.d < 0) v = {v.d, b.nx, b.ny};  // the front segment shades the overlap
    if (s.fold && b.d < 0 && b.d > -s.outline * 0.8f && a.d < -0.5f) {
        const Vec j = q - s.p[1];
        v.line = std::hypot(j.x, j.y) > s.r1 * kFoldClear && bendOf(s) < kFoldAngle;
    }
    return v;
}

Sample capsuleAt(const Shape& s, Vec q) {
    const Vec ab = s.p[1] - s.p[0];
    const float len2 = ab.x * ab.x + ab.y * ab.y;
    float t = len2 > 0 ? ((q.x - s.p[0].x) * ab.x + (q.y - s.p[0].y) * ab.y) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float r = s.r0 + (s.r1 - s.r0) * t;
    const Vec c = s.p[0] + ab * t;
    const float dx = q.x - c.x, dy = q.y - c.y;
    const float dist = std::sqrt(dx * dx + dy * dy);
    return {dist - r, dx / std::max(r, 0.5f), dy / std::max(r, 0.5f)};
}

Sample ellipseAt(const Shape& s, Vec q) {
    const Vec l = rotated(q - s.p[0], -s.angle);
    const float ux = l.x / s.r0, uy = l.y / s.r1;
    const float k = std::sqrt(ux * ux + uy * uy);
    const Vec n = rotated({ux, uy}, s.angle);
    return {(k - 1.0f) * std::min(s.r0, s.r1), n.x, n.y};
}

Sample polygonAt(const Shape& s, Vec q) {
    float best = 1e9f;
    Vec bestN{};
    bool inside = true;
    float area2 = 0;
    for (int i = 0; i < s.count; ++i) {
        const Vec a = s.p[i], b = s.p[(i + 1) % s.count];
        area2 += a.x * b.y - b.x * a.y;
    }
    const float orient = area2 >= 0 ? 1.0f : -1.0f;
    float depth = 1e9f;
    for (int i = 0; i < s.count; ++i) {
        const Vec a = s.p[i], b = s.p[(i + 1) % s.count];
        const Vec ab = b - a;
        const float len = std::sqrt(ab.x * ab.x + ab.y * ab.y);
        if (len <= 0) continue;
        const Vec out{ab.y / len * orient, -ab.x / len * orient};
        const float side = (q.x - a.x) * out.x + (q.y - a.y) * out.y;
        if (side > 0) inside = false;
        float t = ((q.x - a.x) * ab.x + (q.y - a.y) * ab.y) / (len * len);
        t = std::clamp(t, 0.0f, 1.0f);
        const Vec c = a + ab * t;
        const float dist = std::hypot(q.x - c.x, q.y - c.y);
        if (dist < best) {
            best = dist;
            bestN = out;
        }
        depth = std::min(depth, -side);
    }
    const float d = (inside ? -best : best) - s.r0;
    // Fake roundness: the normal tilts towards the nearest edge near the rim.
    const float rim = std::clamp(1.0f - (inside ? depth : 0.0f) / 7.0f, 0.0f, 1.0f);
    return {d, bestN.x * rim, bestN.y * rim};
}

Sample sampleAt(const Shape& s, Vec q) {
    Sample v = s.kind == ShapeKind::Capsule   ? capsuleAt(s, q)
               : s.kind == ShapeKind::Ellipse ? ellipseAt(s, q)
               : s.kind == ShapeKind::Limb    ? limbAt(s, q)
                                              : polygonAt(s, q);
    if (s.clipped) {
        const float c = (q.x - s.clipAt.x) * s.clipN.x + (q.y - s.clipAt.y) * s.clipN.y;
        if (c > v.d) {
            v.d = c;
            v.nx = s.clipN.x;
            v.ny = s.clipN.y;
        }
    }
    return v;
}

media::TColor toneOf(const Shape& s, const Sample& v) {
    if (s.flat) return s.mat.base;
    if (s.kind == ShapeKind::Limb) {  // bands along the limb: lit edge, body, shaded edge
        const float lum = v.nx * kBandX + v.ny * kBandY;
        if (lum > kBandLight) return s.mat.light;
        if (lum < kBandShade) return s.mat.shade;
        return s.mat.base;
    }
    const float nl = std::min(1.0f, v.nx * v.nx + v.ny * v.ny);
    const float nz = std::sqrt(1.0f - nl);
    const float lum = v.nx * kLightX + v.ny * kLightY + nz * kLightZ;
    if (lum > kHighlightAbove) return s.mat.light;
    if (lum < kShadeBelow) return s.mat.shade;
    return s.mat.base;
}

}  // namespace

Vec dirOf(float degrees) {
    const float a = degrees * kPi / 180.0f;
    return {std::sin(a), std::cos(a)};
}

Vec rotated(Vec v, float degrees) {
    const float a = degrees * kPi / 180.0f;
    const float c = std::cos(a), s = std::sin(a);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

media::TColor mix(media::TColor a, media::TColor b, float t) {
    using media::blue, media::green, media::red;
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return media::rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

media::TColor scaled(media::TColor c, float k) {
    return mix(media::kBlack, c, k);
}

Material materialOf(media::TColor base, float dim) {
    const media::TColor b = scaled(base, dim);
    const media::TColor cool = media::rgb(40, 20, 70);
    return {safe(mix(b, media::rgb(255, 250, 225), 0.38f)), safe(b),
            mix(scaled(b, 0.62f), cool, 0.18f), mix(scaled(b, 0.2f), media::rgb(10, 5, 20), 0.5f)};
}

Shape capsule(Vec a, Vec b, float ra, float rb, const Material& m) {
    Shape s;
    s.kind = ShapeKind::Capsule;
    s.p[0] = a;
    s.p[1] = b;
    s.r0 = ra;
    s.r1 = rb;
    s.mat = m;
    return s;
}

Shape ellipse(Vec c, float rx, float ry, float angle, const Material& m) {
    Shape s;
    s.kind = ShapeKind::Ellipse;
    s.p[0] = c;
    s.r0 = rx;
    s.r1 = ry;
    s.angle = angle;
    s.mat = m;
    return s;
}

Shape polygon(std::initializer_list<Vec> pts, float round, const Material& m) {
    Shape s;
    s.kind = ShapeKind::Polygon;
    for (Vec v : pts) {
        if (s.count < static_cast<int>(s.p.size())) s.p[static_cast<size_t>(s.count++)] = v;
    }
    s.r0 = round;
    s.mat = m;
    return s;
}

Shape clippedBy(Shape s, Vec at, Vec outward) {
    s.clipped = true;
    s.clipAt = at;
    const float len = std::hypot(outward.x, outward.y);
    s.clipN = len > 0 ? outward * (1.0f / len) : Vec{0, 1};
    return s;
}

Shape limb(Vec a, Vec b, Vec c, std::array<float, 3> radii, const Material& m) {
    Shape s;
    s.kind = ShapeKind::Limb;
    s.p[0] = a;
    s.p[1] = b;
    s.p[2] = c;
    s.r0 = radii[0];
    s.r1 = radii[1];
    s.r2 = radii[2];
    s.mat = m;
    return s;
}

Shape mark(Shape s) {
    s.flat = true;
    s.outline = 0;
    s.decor = true;
    return s;
}

Box boundsOf(const Shape& s) {
    if (s.decor) return {1e9f, 1e9f, -1e9f, -1e9f};
    return paintBoundsOf(s);
}

Box paintBoundsOf(const Shape& s) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    auto grow = [&b](Vec v, float r) {
        b.left = std::min(b.left, v.x - r);
        b.top = std::min(b.top, v.y - r);
        b.right = std::max(b.right, v.x + r);
        b.bottom = std::max(b.bottom, v.y + r);
    };
    const float o = s.outline;
    if (s.kind == ShapeKind::Capsule) {
        grow(s.p[0], s.r0 + o);
        grow(s.p[1], s.r1 + o);
    } else if (s.kind == ShapeKind::Limb) {
        const float swell = std::max(s.bulgeA, s.bulgeB) + o;
        grow(s.p[0], s.r0 + swell);
        grow(s.p[1], s.r1 + swell);
        grow(s.p[2], s.r2 + swell);
    } else if (s.kind == ShapeKind::Ellipse) {
        grow(s.p[0], std::max(s.r0, s.r1) + o);
    } else {
        for (int i = 0; i < s.count; ++i)
            grow(s.p[static_cast<size_t>(i)], s.r0 + o);
    }
    return b;
}

void moveShape(Shape& s, Vec d) {
    for (Vec& v : s.p)
        v = v + d;
    s.clipAt = s.clipAt + d;
}

bool Raster::blends(const Shape& s, Vec q, media::TColor under) {
    if (s.softR <= 0 || under == media::kWhite) return false;
    const Vec j = q - s.p[0];
    return j.x * j.x + j.y * j.y < s.softR * s.softR;
}

void Raster::draw(const std::vector<Shape>& shapes) {
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Shape& s : shapes) {
        draw(s);
        if (s.hidden) continue;
        const Box o = paintBoundsOf(s);
        box = {std::min(box.left, o.left), std::min(box.top, o.top), std::max(box.right, o.right),
               std::max(box.bottom, o.bottom)};
    }
    rim(box);
}

// Every painted pixel next to the white key becomes the dark rim.
media::Rect Raster::spanOf(const Box& b) const {
    return {std::max(clip_.left, static_cast<int>(std::floor(b.left * sx_ + o_.x)) - 1),
            std::max(clip_.top, static_cast<int>(std::floor(b.top * sy_ + o_.y)) - 1),
            std::min(clip_.right, static_cast<int>(std::ceil(b.right * sx_ + o_.x)) + 1),
            std::min(clip_.bottom, static_cast<int>(std::ceil(b.bottom * sy_ + o_.y)) + 1)};
}

void Raster::rim(const Box& b) {
    const media::Rect span = spanOf(b);
    const int x0 = span.left, x1 = span.right, y0 = span.top, y1 = span.bottom;
    auto white = [&](int x, int y) {
        return x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom &&
               pic_.pixel(x, y) == media::kWhite;
    };
    std::vector<std::pair<int, int>> edge;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (pic_.pixel(x, y) == media::kWhite) continue;
            if (white(x - 1, y) || white(x + 1, y) || white(x, y - 1) || white(x, y + 1)) {
                edge.emplace_back(x, y);
            }
        }
    }
    for (const auto& [x, y] : edge)
        pic_.setPixel(x, y, kRim);
}

void Raster::dot(int x, int y, media::TColor c) {
    const int px = static_cast<int>(static_cast<float>(x) * sx_ + o_.x);
    const int py = static_cast<int>(static_cast<float>(y) * sy_ + o_.y);
    if (px < clip_.left || px >= clip_.right || py < clip_.top || py >= clip_.bottom) return;
    pic_.setPixel(px, py, safe(c));
}

void Raster::draw(const Shape& s) {
    if (s.hidden) return;
    const media::Rect span = spanOf(paintBoundsOf(s));
    for (int py = span.top; py < span.bottom; ++py) {
        media::TColor* row = pic_.row(py);
        for (int px = span.left; px < span.right; ++px) {
            const Vec q{(px + 0.5f - o_.x) / sx_, (py + 0.5f - o_.y) / sy_};
            const Sample v = sampleAt(s, q);
            if (v.d < 0) {
                row[px] = v.line ? s.mat.outline : safe(toneOf(s, v));
            } else if (v.d < s.outline && !blends(s, q, row[px])) {
                row[px] = s.mat.outline;
            }
        }
    }
}

}  // namespace assetgen
