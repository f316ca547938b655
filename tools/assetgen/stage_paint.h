// The painting kit of the stage backgrounds: colours, a seeded generator, value noise, shape
// masks painted with a dark outline and cel shading, dithered gradients and a perspective floor.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "media/picture.h"

namespace assetgen::paint {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb scale(Rgb c, double f);       // every channel times f
Rgb lighten(Rgb c, double t);     // towards (250, 250, 245)
media::TColor toColor(Rgb c);     // clamped; pure white becomes an off-white
Rgb fromColor(media::TColor c);

// xorshift32: the same numbers on every run.
class Rng {
public:
    explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) { next(); }
    uint32_t next();
    int below(int n);           // 0 … n − 1
    int range(int lo, int hi);  // lo … hi
    double unit();              // [0, 1)

private:
    uint32_t s_;
};

// Smooth value noise in [0, 1], and a few octaves of it.
double noise(double x, double y, uint32_t seed);
double fbm(double x, double y, uint32_t seed, int octaves);

struct Pt {
    double x, y;
};

// A coverage mask the size of the picture; shapes are added, painted once, then cleared.
class Shape {
public:
    Shape(int w, int h) : w_(w), h_(h), cover_(static_cast<size_t>(w * h), 0) {}
    void rect(int x0, int y0, int x1, int y1);  // right and bottom excluded
    void ellipse(double cx, double cy, double rx, double ry);
    void poly(const std::vector<Pt>& pts);
    void thickLine(Pt a, Pt b, double width);
    // Everything below the ridge y = top(x) down to row `bottom`, columns x0 … x1 − 1.
    void below(int x0, int x1, int bottom, const std::function<double(int)>& top);
    bool has(int x, int y) const {
        return x >= 0 && y >= 0 && x < w_ && y < h_ && cover_[static_cast<size_t>(y * w_ + x)];
    }
    void clear();
    int x0() const { return bx0_; }
    int y0() const { return by0_; }
    int x1() const { return bx1_; }
    int y1() const { return by1_; }

private:
    void mark(int x, int y);
    void span(int y, double xa, double xb);
    int w_, h_;
    std::vector<uint8_t> cover_;
    int bx0_ = 1 << 30, by0_ = 1 << 30, bx1_ = -1, by1_ = -1;
};

struct Style {
    Rgb fill;
    double outline = 0.75;  // 0: no outline; otherwise how far the edge goes towards the ink
    double light = 0.25;    // highlight on the upper-left edge, shadow on the lower-right edge
};

class Painter {
public:
    explicit Painter(media::Picture& p) : pic_(p) {}
    int width() const { return pic_.width(); }
    int height() const { return pic_.height(); }

    void put(int x, int y, Rgb c);
    Rgb get(int x, int y) const { return fromColor(pic_.pixel(x, y)); }
    void blend(int x, int y, Rgb c, double a);
    void rect(int x0, int y0, int x1, int y1, Rgb c);
    void blendRect(int x0, int y0, int x1, int y1, Rgb c, double a);
    // Vertical gradient, ordered-dithered so it survives the 16-bit screen.
    void gradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
    // A soft round light added over the picture.
    void glow(double cx, double cy, double r, Rgb c, double strength);
    void line(Pt a, Pt b, Rgb c, double alpha = 1.0);
    // Paints and clears the shape: fill, cel shading along its edges, dark outline around it.
    void paint(Shape& s, const Style& st);
    // Per-pixel floor for rows y0 … y1 − 1: f(u, v, x, y) gets the floor point under pixel (x, y),
    // u across in pixels of the front line y1 (0 under the vanishing point), v the depth (1 at
    // the front line, growing towards the horizon).
    void floor(int y0, int y1, double horizonY, double vanishX,
               const std::function<Rgb(double u, double v, int x, int y)>& f);
    // Mixes every pixel of the rows towards c by a weight growing from a0 at y0 to a1 at y1.
    void haze(int y0, int y1, Rgb c, double a0, double a1);

private:
    media::Picture& pic_;
};

// Ordered-dither offset in −0.5 … 0.5 for the pixel.
double dither(int x, int y);

}  // namespace assetgen::paint
