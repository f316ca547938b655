#include "media/catalogue_fx.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "media/paint.h"

namespace media::fx {

namespace {

constexpr float kPi = 3.14159265f;

// Four tones from the faint rim to the hot core; a field value above kBand[i] takes tone i.
using Palette = std::array<TColor, 4>;
constexpr std::array<float, 4> kBand = {0.0f, 0.28f, 0.55f, 0.8f};

constexpr Palette kFire = {rgb(205, 40, 18), rgb(246, 128, 28), rgb(255, 212, 58),
                           rgb(255, 248, 196)};
constexpr Palette kBlueEnergy = {rgb(30, 80, 230), rgb(70, 160, 255), rgb(150, 225, 255),
                                 rgb(232, 248, 255)};
constexpr Palette kGold = {rgb(225, 110, 20), rgb(255, 175, 40), rgb(255, 228, 96),
                           rgb(255, 252, 214)};
constexpr Palette kMagenta = {rgb(140, 20, 120), rgb(215, 60, 170), rgb(255, 140, 220),
                              rgb(255, 228, 248)};
constexpr Palette kGhost = {rgb(22, 110, 62), rgb(52, 180, 92), rgb(132, 236, 150),
                            rgb(222, 255, 222)};
constexpr Palette kViolet = {rgb(92, 30, 160), rgb(150, 70, 230), rgb(205, 150, 255),
                             rgb(246, 226, 255)};
constexpr Palette kSpark = {rgb(60, 130, 240), rgb(130, 200, 255), rgb(200, 240, 255),
                            rgb(246, 252, 255)};
constexpr Palette kThunder = {rgb(70, 90, 230), rgb(160, 190, 255), rgb(255, 240, 110),
                              rgb(255, 253, 220)};

// Paints every pixel whose field value is positive with the tone of its band.
template <typename Field>
void paintField(Picture& p, const Palette& pal, Field field) {
    Painter paint(p);
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const float v = field(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (v <= 0.0f) continue;
            int band = 0;
            while (band < 3 && v > kBand[static_cast<size_t>(band) + 1])
                ++band;
            paint.put(x, y, pal[static_cast<size_t>(band)]);
        }
    }
}

void finish(Picture& p, float outline) {
    Painter paint(p);
    paint.clearBorder();
    paint.outline(outline);
}

// A glowing head at h travelling along (dx, dy) with a wavy tail behind it.
struct Comet {
    Pt head;
    float r;
    Pt dir;
    float tail;
    float phase;

    float operator()(float x, float y) const {
        const float ox = x - head.x, oy = y - head.y;
        const float along = ox * dir.x + oy * dir.y;
        const float across = -ox * dir.y + oy * dir.x;
        const float headV = 1.0f - std::sqrt(ox * ox + oy * oy) / r;
        float tailV = -1.0f;
        if (along < 0.0f && -along < tail) {
            const float t = -along / tail;
            const float w = r * (1.0f - t * 0.8f);
            const float off = across + std::sin(t * 9.0f + phase) * r * 0.35f * t;
            tailV = (1.0f - std::fabs(off) / w) * (1.0f - t) * 0.8f;
        }
        return std::max(headV * 1.15f, tailV);
    }
};

// A flame tongue standing on (fx, baseY), h tall and w half-wide, leaning by its phase.
float tongue(float x, float y, float fx0, float baseY, float h, float w, float phase) {
    const float v = (baseY - y) / h;
    if (v > 1.0f || v < -0.3f) return -1.0f;
    if (v < 0.0f) {
        const float u = (x - fx0) / w, s = v / 0.3f;
        return (1.0f - std::sqrt(u * u + s * s)) * 1.0f;
    }
    const float sway = std::sin(v * 4.5f + phase) * w * 0.4f * v;
    const float wv = w * std::pow(1.0f - v, 0.75f);
    if (wv <= 0.01f) return -1.0f;
    return (1.0f - std::fabs(x - fx0 - sway) / wv) * (1.0f - 0.55f * v);
}

std::vector<Pt> star(Pt c, int spikes, float outer, float inner, float turn, Rng* jitter) {
    std::vector<Pt> pts;
    for (int i = 0; i < spikes * 2; ++i) {
        float r = (i % 2 == 0) ? outer : inner;
        if (jitter != nullptr && i % 2 == 0) r *= jitter->range(0.7f, 1.0f);
        const float a = turn + kPi * static_cast<float>(i) / static_cast<float>(spikes);
        pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return pts;
}

std::vector<Pt> scaled(const std::vector<Pt>& pts, Pt c, float s) {
    std::vector<Pt> out = pts;
    for (Pt& p : out)
        p = {c.x + (p.x - c.x) * s, c.y + (p.y - c.y) * s};
    return out;
}

}  // namespace

void hitFlash(Picture& p, int frame) {
    constexpr std::array<float, 3> kRadius = {19.0f, 31.0f, 33.0f};
    const Pt c{34.0f, 36.0f};
    Rng rng(101 + static_cast<uint32_t>(frame));
    const float outer = kRadius[static_cast<size_t>(frame)];
    const auto pts = star(c, 12, outer, outer * (frame == 2 ? 0.62f : 0.42f), 0.1f * frame, &rng);
    Painter paint(p);
    paint.polygon(pts, rgb(240, 92, 24));
    if (frame < 2) {
        paint.polygon(scaled(pts, c, 0.72f), rgb(255, 200, 50));
        paint.polygon(scaled(pts, c, 0.45f), rgb(255, 244, 160));
        paint.ellipse(c.x, c.y, outer * 0.22f, outer * 0.22f, kNearWhite);
    } else {
        // The last frame burns out: only the ragged rim is left.
        paint.polygon(scaled(pts, c, 0.8f), rgb(255, 196, 64));
        paint.eraseEllipse(c.x, c.y, outer * 0.55f, outer * 0.55f);
    }
    finish(p, 0.45f);
}

void puff(Picture& p, int frame) {
    const float grow = 2.6f + 0.9f * static_cast<float>(frame);
    Painter paint(p);
    const TColor dust = rgb(196, 184, 160);
    paint.ellipseShaded(6.5f, 11.0f - frame * 0.6f, grow, grow * 0.85f, dust);
    paint.ellipseShaded(11.5f, 10.5f - frame * 0.7f, grow * 0.9f, grow * 0.8f, dust);
    paint.ellipseShaded(9.0f, 7.5f - frame * 0.8f, grow * 0.95f, grow * 0.9f, dust);
    // The last frames thin out into a dither before the puff vanishes.
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            if ((frame >= 3 && (x + y) % 2 == 0) || (frame == 4 && x % 2 == 0)) paint.erase(x, y);
        }
    }
    Painter(p).clearBorder();
    if (frame < 3) paint.outline(0.6f);
}

void energyBall(Picture& p, int frame) {
    const float phase = static_cast<float>(frame) * 2.4f;
    paintField(p, kBlueEnergy, [&](float x, float y) {
        const float v = Comet{{52.0f, 28.0f}, 19.0f, {1.0f, 0.0f}, 48.0f, phase}(x, y);
        return v > 0.0f ? v + 0.08f * std::sin(y * 1.3f + phase * 2.0f) : v;
    });
    finish(p, 0.4f);
}

void energyColumn(Picture& p, int stage) {
    const float w = static_cast<float>(p.width()), h = static_cast<float>(p.height());
    const float cx = w / 2, base = h - 11.0f;
    const float top = 6.0f;
    paintField(p, kGold, [&](float x, float y) {
        const float flareU = (x - cx) / 54.0f, flareV = (y - base) / 9.0f;
        float v = 1.0f - std::sqrt(flareU * flareU + flareV * flareV);
        if (stage == 0) {
            for (int i = 0; i < 5; ++i) {
                const float tx = cx + (static_cast<float>(i) - 2.0f) * 14.0f;
                const float th = 36.0f - 7.0f * std::fabs(static_cast<float>(i) - 2.0f);
                v = std::max(v, tongue(x, y, tx, base, th, 7.0f, static_cast<float>(i) * 1.3f));
            }
        } else if (y > top && y < base) {
            const float rise = std::min((y - top) / 18.0f, 1.0f);
            const float half = 40.0f * std::sqrt(rise) + 4.0f * std::sin(y * 0.13f + stage * 1.7f);
            const float streak = 0.14f * std::sin(x * 0.55f + y * 0.04f * stage);
            v = std::max(v, 1.0f - std::fabs(x - cx) / half + streak);
        }
        return v;
    });
    finish(p, 0.5f);
}

void spiralOrb(Picture& p, int frame) {
    const Pt c{26.0f, 22.5f};
    const float phase = static_cast<float>(frame) * kPi * 0.5f;
    paintField(p, kMagenta, [&](float x, float y) {
        const float dx = x - c.x, dy = y - c.y, r = std::sqrt(dx * dx + dy * dy) / 19.0f;
        const float arms = 0.3f * std::sin(3.0f * std::atan2(dy, dx) + r * 7.0f - phase);
        return r > 1.05f ? -1.0f : 1.0f - r + arms * std::min(r * 2.0f, 1.0f);
    });
    finish(p, 0.4f);
}

void blood(Picture& p, int frame) {
    constexpr int kDrops = 16;
    const float t = static_cast<float>(frame) + 1.0f;
    Rng rng(77);
    Painter paint(p);
    const TColor red = rgb(172, 12, 18), lit = rgb(228, 52, 44);
    if (frame < 3) paint.ellipseShaded(20.0f, 16.0f, 9.0f - frame * 2.0f, 7.0f - frame * 1.5f, red);
    for (int i = 0; i < kDrops; ++i) {
        const float vx = rng.range(-2.8f, 2.8f), vy = rng.range(-3.4f, 0.6f);
        const float size = rng.range(1.6f, 3.6f) * (1.0f - t * 0.08f);
        const float x = 20.0f + vx * t, y = 16.0f + vy * t + 0.45f * t * t;
        paint.line(x - vx * 0.6f, y - (vy + 0.9f * t) * 0.6f, x, y, size, red);
        paint.put(static_cast<int>(x - 0.5f), static_cast<int>(y - 0.5f), lit);
    }
    finish(p, 0.45f);
}

void fire(Picture& p, int frame) {
    const float w = static_cast<float>(p.width()), h = static_cast<float>(p.height());
    Rng rng(300 + static_cast<uint32_t>(frame));
    const float lean = rng.range(0.0f, kPi);
    const float hl = rng.range(0.45f, 0.65f), hr = rng.range(0.45f, 0.65f);
    paintField(p, kFire, [&](float x, float y) {
        const float base = h - 6.0f;
        const float mid = tongue(x, y, w * 0.5f, base, h * 0.8f, w * 0.3f, lean);
        const float left = tongue(x, y, w * 0.3f, base, h * hl, w * 0.2f, lean + 1.0f);
        const float right = tongue(x, y, w * 0.7f, base, h * hr, w * 0.2f, lean + 2.0f);
        return std::max({mid, left, right});
    });
    finish(p, 0.45f);
}

void fireball(Picture& p, int frame) {
    const float phase = static_cast<float>(frame) * 2.1f;
    paintField(p, kFire, [&](float x, float y) {
        const float v = Comet{{42.0f, 36.0f}, 17.0f, {0.94f, 0.34f}, 38.0f, phase}(x, y);
        return v > 0.0f ? v + 0.1f * std::sin(x * 0.9f + y * 0.7f + phase) : v;
    });
    finish(p, 0.4f);
}

void iceShard(Picture& p, int frame) {
    Painter paint(p);
    const TColor ice = rgb(150, 220, 250), deep = rgb(60, 140, 215), glint = rgb(236, 250, 255);
    // Frost chips trailing behind the shard.
    Rng rng(500 + static_cast<uint32_t>(frame));
    for (int i = 0; i < 7; ++i) {
        const float x = rng.range(3.0f, 22.0f), y = rng.range(8.0f, 25.0f);
        paint.polygon({{x, y - 2.0f}, {x + 2.5f, y}, {x, y + 2.0f}, {x - 2.5f, y}}, ice);
    }
    paint.polygon({{14, 16.5f}, {34, 6}, {57, 16.5f}}, ice);
    paint.polygon({{14, 16.5f}, {57, 16.5f}, {34, 27}}, deep);
    paint.polygon({{22, 16.5f}, {34, 10}, {50, 16.5f}, {34, 14}}, glint);
    paint.polygon({{8, 16.5f}, {22, 11}, {22, 22}}, mix(ice, deep, 0.5f));
    const float gx = frame == 0 ? 44.0f : 28.0f;
    paint.line(gx - 3, 9, gx + 3, 9, 1.2f, glint);
    paint.line(gx, 6, gx, 12, 1.2f, glint);
    Painter(p).clearBorder();
    paint.outlineWith(rgb(20, 60, 120));
}

void blockSpark(Picture& p, int frame) {
    const Pt c{19.5f, 19.5f};
    const float outer = 10.0f + 4.5f * static_cast<float>(frame);
    std::vector<Pt> pts;
    for (int i = 0; i < 16; ++i) {
        const float r = i % 2 == 1 ? outer * 0.3f : (i % 4 == 0 ? outer : outer * 0.6f);
        const float a = kPi * static_cast<float>(i) / 8.0f;
        pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    Painter paint(p);
    paint.polygon(pts, kSpark[0]);
    paint.polygon(scaled(pts, c, 0.7f), kSpark[1]);
    paint.polygon(scaled(pts, c, 0.4f), kSpark[3]);
    if (frame == 2) paint.eraseEllipse(c.x, c.y, outer * 0.3f, outer * 0.3f);
    finish(p, 0.45f);
}

void thunderBall(Picture& p, int frame) {
    const Pt c{34.0f, 32.5f};
    Painter paint(p);
    Rng rng(700 + static_cast<uint32_t>(frame));
    for (int b = 0; b < 7; ++b) {
        float a = 2.0f * kPi * (static_cast<float>(b) + rng.unit() * 0.6f) / 7.0f;
        Pt from = c;
        for (float r = 10.0f; r < 30.0f; r += 5.0f) {
            a += rng.range(-0.45f, 0.45f);
            const Pt to{c.x + r * std::cos(a), c.y + r * std::sin(a)};
            paint.line(from.x, from.y, to.x, to.y, 2.2f, kThunder[2]);
            from = to;
        }
    }
    paintField(p, kThunder, [&](float x, float y) {
        const float dx = x - c.x, dy = y - c.y;
        const float r = std::sqrt(dx * dx + dy * dy);
        return r < 15.0f ? 1.0f - r / 15.0f + 0.12f * std::sin(std::atan2(dy, dx) * 5.0f) : -1.0f;
    });
    finish(p, 0.4f);
}

namespace {

// A flame tongue lying on its side, its base at x = baseX, pointing right.
float tongueRight(float x, float y, float baseX, float cy, float length, float w, float phase) {
    return tongue(y, -x, cy, -baseX, length, w, phase);
}

}  // namespace

void flameBurst(Picture& p, int frame) {
    const float phase = static_cast<float>(frame) * 2.3f;
    paintField(p, kFire, [&](float x, float y) {
        const float main = tongueRight(x, y, 6.0f, 18.0f, 40.0f, 11.0f, phase);
        const float upper = tongueRight(x, y, 8.0f, 11.0f + frame, 30.0f, 7.0f, phase + 1.5f);
        const float lower = tongueRight(x, y, 8.0f, 25.0f - frame, 33.0f, 7.0f, phase + 3.0f);
        return std::max({main, upper, lower}) * 1.1f;
    });
    finish(p, 0.45f);
}

void aura(Picture& p, int frame) {
    const Pt c{37.5f, 46.0f};
    const float grow = 1.0f + 0.06f * static_cast<float>(frame);
    const float rx = 28.0f * grow, ry = 30.0f * grow;
    constexpr int kTongues = 14;
    paintField(p, kViolet, [&](float x, float y) {
        float v = -1.0f;
        for (int i = 0; i < kTongues; ++i) {
            const float a = 2.0f * kPi * static_cast<float>(i) / kTongues + 0.2f * frame;
            const float tx = c.x + rx * std::cos(a), ty = c.y + ry * std::sin(a);
            const float height = 12.0f + 8.0f * (0.5f - 0.5f * std::sin(a)) + 3.0f * (i % 3);
            v = std::max(v, tongue(x, y, tx, ty, height, 7.5f, a * 3.0f + frame));
        }
        return v;
    });
    finish(p, 0.4f);
}

void ghostSerpent(Picture& p, int frame) {
    const float phase = static_cast<float>(frame) * kPi;
    paintField(p, kGhost, [&](float x, float y) {
        const float hu = (x - 56.0f) / 10.0f, hv = (y - 12.0f) / 7.5f;
        const float head = 1.0f - std::sqrt(hu * hu + hv * hv);
        const float t = (56.0f - x) / 52.0f;
        if (t < 0.0f || t > 1.0f) return head;
        const float mid = 12.0f + std::sin(t * 9.0f + phase) * 4.0f * t;
        const float thick = 7.0f * (1.0f - t) + 1.5f;
        return std::max(head, (1.0f - std::fabs(y - mid) / thick) * (1.0f - 0.5f * t));
    });
    finish(p, 0.4f);
    Painter paint(p);
    paint.rect(57, 8, 60, 11, rgb(20, 40, 24));
    paint.put(58, 9, rgb(255, 40, 40));
    paint.line(58, 15, 63, 14, 1.2f, rgb(20, 40, 24));
}

void ghostComet(Picture& p, int frame) {
    const float phase = static_cast<float>(frame) * 2.5f;
    paintField(p, kGhost, [&](float x, float y) {
        return Comet{{33.0f, 33.0f}, 12.5f, {0.7071f, 0.7071f}, 34.0f, phase}(x, y) * 1.15f;
    });
    finish(p, 0.4f);
    Painter paint(p);
    paint.rect(35, 31, 38, 34, rgb(20, 40, 24));
    paint.put(36, 32, rgb(255, 40, 40));
}

void whirlwind(Picture& p, int frame) {
    const float w = static_cast<float>(p.width()), h = static_cast<float>(p.height());
    const float phase = static_cast<float>(frame) * 1.6f;
    const TColor light = rgb(214, 220, 228), mid = rgb(160, 172, 188), dark = rgb(98, 110, 134);
    Painter paint(p);
    for (int y = 1; y < p.height() - 1; ++y) {
        const float v = static_cast<float>(y) / h;
        const float cap = std::min(static_cast<float>(y) / 8.0f, 1.0f);
        const float half = (7.0f + 44.0f * std::pow(1.0f - v, 1.4f)) * std::sqrt(cap) +
                           2.5f * std::sin(static_cast<float>(y) * 0.45f + phase * 2.0f);
        const float cx = w / 2 + std::sin(v * 5.0f + phase) * 7.0f * v;
        for (int x = 1; x < p.width() - 1; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - cx) / half;
            if (std::fabs(u) > 1.0f) continue;
            const float swirl = std::sin((u * 1.6f + y * 0.09f - phase) * kPi);
            paint.put(
                x, y,
                swirl > 0.55f ? light : (swirl < -0.35f || std::fabs(u) > 0.85f ? dark : mid));
        }
    }
    // Dust thrown up around the foot of the funnel.
    Rng rng(900 + static_cast<uint32_t>(frame));
    for (int i = 0; i < 10; ++i) {
        const float dx = rng.range(-34.0f, 34.0f), dy = rng.range(-18.0f, -3.0f);
        paint.ellipseShaded(w / 2 + dx, h + dy, rng.range(1.5f, 3.5f), rng.range(1.2f, 2.5f),
                            rgb(170, 150, 118));
    }
    finish(p, 0.5f);
}

}  // namespace media::fx
