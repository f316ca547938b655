// A small software painter for the built-in pictures: hard-edged filled shapes, thick lines,
// cel-shaded ellipses and a dark outline pass, all drawn straight into a Picture. Pure white is
// the key colour of keyed pictures, so paint never lays it down: it becomes a warm near-white.
#pragma once

#include <cstdint>
#include <vector>

#include "media/picture.h"

namespace media {

constexpr TColor kNearWhite = rgb(250, 250, 244);

// A colour scaled towards black (f < 1) or towards white (f > 1), never reaching pure white.
TColor shade(TColor c, float f);
// Linear mix: t = 0 gives a, t = 1 gives b.
TColor mix(TColor a, TColor b, float t);

// A seeded integer generator: the same seed gives the same pictures and sounds on every run.
class Rng {
public:
    explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t next();
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n)); }
    float unit() { return static_cast<float>(next() >> 8) / 16777216.0f; }  // 0 … 1
    float range(float a, float b) { return a + (b - a) * unit(); }

private:
    uint32_t s_;
};

struct Pt {
    float x, y;
};

class Painter {
public:
    explicit Painter(Picture& pic) : pic_(pic) {}

    void put(int x, int y, TColor c);
    bool inside(int x, int y) const;
    bool isKey(int x, int y) const;

    void rect(int x0, int y0, int x1, int y1, TColor c);  // x1, y1 excluded
    void ellipse(float cx, float cy, float rx, float ry, TColor c);
    // Three-tone cel shading lit from the upper left, with a small highlight.
    void ellipseShaded(float cx, float cy, float rx, float ry, TColor base);
    void polygon(const std::vector<Pt>& pts, TColor c);
    void polygonShaded(const std::vector<Pt>& pts, TColor base);
    // A round-capped stroke of width w.
    void line(float x0, float y0, float x1, float y1, float w, TColor c);
    // A ring between radii r0 and r1 (r0 < r1), scaled vertically by ry/rx.
    void ring(float cx, float cy, float r0, float r1, float squash, TColor c);
    // Puts the background back inside an ellipse (holes, fading frames).
    void eraseEllipse(float cx, float cy, float rx, float ry);
    void erase(int x, int y);

    // Any figure pixel touching the background (4-neighbours) becomes a darkened copy of
    // itself (outline) or one fixed dark colour (outlineWith).
    void outline(float factor = 0.35f);
    void outlineWith(TColor dark);
    // Makes the picture's one-pixel border background, so keyed figures never touch the edge.
    void clearBorder();

private:
    Picture& pic_;
};

// The picture mirrored left to right.
Picture mirrored(const Picture& p);

}  // namespace media
