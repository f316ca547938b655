#include "assetgen/stages.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "assetgen/assetgen.h"
#include "assetgen/files.h"
#include "assetgen/stage_paint.h"
#include "assetgen/stage_props.h"
#include "media/bmp_writer.h"

namespace assetgen {

namespace {

using paint::fbm;
using paint::lighten;
using paint::mix;
using paint::Painter;
using paint::Pt;
using paint::Rgb;
using paint::Rng;
using paint::scale;
using paint::Shape;
using paint::Style;
using props::Figure;

constexpr int kW = kStageWidth, kH = kStageHeight, kFloor = kStageFloorY;

// Everything one stage painter needs.
struct Canvas {
    media::Picture pic{kW, kH};
    Painter p{pic};
    Shape s{kW, kH};
    Rng rng;
    explicit Canvas(uint32_t seed) : rng(seed) {}
};

double frac(double v) {
    return v - std::floor(v);
}

// A seam of width w (in the same units as v) at every whole step: 1 on the seam, 0 elsewhere.
bool seam(double v, double step, double w) {
    return frac(v / step) < w / step;
}

// --- 1: a market street at dusk --------------------------------------------------------------

void awningStall(Canvas& c, int x0, int x1, int top, int floorY, Rgb stripe, Rgb goods) {
    c.s.rect(x0 + 4, top + 18, x0 + 8, floorY);
    c.s.rect(x1 - 8, top + 18, x1 - 4, floorY);
    c.p.paint(c.s, Style{Rgb{90, 60, 45}, 0.7, 0.2});
    c.s.rect(x0 + 2, floorY - 26, x1 - 2, floorY);
    c.p.paint(c.s, Style{Rgb{120, 80, 55}, 0.75, 0.2});
    for (int x = x0 + 8; x < x1 - 12; x += 9) {
        c.s.ellipse(x + 4, floorY - 29, 5, 4);
        c.p.paint(c.s, Style{c.rng.below(2) ? goods : scale(goods, 0.75), 0.6, 0.3});
    }
    const int n = (x1 - x0) / 12;
    for (int i = 0; i < n; ++i) {
        const double a = x0 + (x1 - x0) * i / static_cast<double>(n);
        const double b = x0 + (x1 - x0) * (i + 1) / static_cast<double>(n);
        c.s.poly({{a + 3, top + 0.0}, {b + 3, top + 0.0}, {b, top + 18.0}, {a, top + 18.0}});
        c.p.paint(c.s, Style{i % 2 ? stripe : Rgb{225, 205, 170}, 0.6, 0.15});
    }
}

void shopfront(Canvas& c, int x0, int x1, int top, int floorY, Rgb wall, Rgb glow) {
    c.s.rect(x0, top, x1, floorY);
    c.p.paint(c.s, Style{wall, 0.7, 0.12});
    c.s.rect(x0 - 4, top - 6, x1 + 4, top + 2);
    c.p.paint(c.s, Style{scale(wall, 0.7), 0.7, 0.2});
    for (int y = top + 14; y < floorY - 60; y += 34) {
        for (int x = x0 + 10; x < x1 - 20; x += 30) {
            c.s.rect(x, y, x + 16, y + 20);
            c.p.paint(c.s, Style{c.rng.below(3) ? glow : scale(wall, 0.45), 0.8, 0.1});
        }
    }
    c.s.rect(x0 + 12, floorY - 48, x1 - 12, floorY);
    c.p.paint(c.s, Style{scale(glow, 0.8), 0.8, 0.1});
}

void stringLights(Canvas& c, Pt a, Pt b, double sag, Rgb bulb) {
    constexpr int kSteps = 120;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const double x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t + sag * 4 * t * (1 - t);
        c.p.put(static_cast<int>(x), static_cast<int>(y), Rgb{40, 25, 35});
        if (i % 8 == 4) {
            c.s.ellipse(x, y + 3, 2, 2.5);
            c.p.paint(c.s, Style{bulb, 0.4, 0.2});
            c.p.glow(x, y + 3, 8, bulb, 0.35);
        }
    }
}

media::Picture marketStreet() {
    Canvas c(101);
    constexpr int kBack = 232;
    c.p.gradient(0, 0, kW, 110, Rgb{48, 34, 92}, Rgb{150, 70, 110});
    c.p.gradient(0, 110, kW, kBack, Rgb{150, 70, 110}, Rgb{250, 150, 80});
    c.p.glow(330, 205, 120, Rgb{255, 200, 110}, 0.55);
    props::clouds(c.p, 7, 70, 150, Rgb{235, 130, 120}, 0.52, 2.5);
    props::skyline(c.p, c.s, c.rng, kBack - 10, 18, 58, Rgb{110, 64, 104}, Rgb{230, 170, 110},
                   0.12);
    c.p.haze(150, kBack, Rgb{240, 150, 110}, 0.35, 0.15);
    shopfront(c, -10, 108, 118, kBack + 6, Rgb{170, 110, 90}, Rgb{250, 200, 120});
    shopfront(c, 494, 610, 104, kBack + 6, Rgb{120, 110, 150}, Rgb{250, 190, 110});
    stringLights(c, {100, 124}, {300, 112}, 26, Rgb{255, 220, 130});
    stringLights(c, {300, 112}, {500, 110}, 30, Rgb{255, 190, 150});
    c.p.floor(kBack, kFloor, 150, 300, [&](double u, double v, int, int) {
        const double row = v * 6.0, col = u / 22.0 + (static_cast<int>(row) % 2) * 0.5;
        const Rgb stone = mix(Rgb{150, 110, 110}, Rgb{110, 82, 92},
                              fbm(std::floor(col) * 3.1, std::floor(row) * 1.7, 11, 1));
        Rgb out = seam(row, 1.0, 0.14 * v) || seam(col, 1.0, 0.08) ? scale(stone, 0.7) : stone;
        return mix(out, Rgb{230, 150, 110}, std::min(0.6, (v - 1) * 0.08));
    });
    awningStall(c, 140, 250, 176, kBack + 2, Rgb{190, 50, 50}, Rgb{240, 150, 40});
    awningStall(c, 350, 460, 182, kBack + 2, Rgb{40, 120, 150}, Rgb{120, 190, 60});
    const Figure shopper{Rgb{70, 100, 150}, Rgb{60, 50, 60}, Rgb{200, 150, 110}, Rgb{40, 30, 30}};
    const Figure seller{
        Rgb{170, 140, 60}, Rgb{90, 60, 50}, Rgb{150, 100, 70}, Rgb{60, 40, 30}, true, true};
    const Figure kid{
        Rgb{160, 70, 80}, Rgb{50, 60, 90}, Rgb{190, 140, 100}, Rgb{30, 20, 20}, false, false, true};
    props::person(c.p, c.s, 195, kBack - 14, 44, seller);
    props::person(c.p, c.s, 300, kBack + 8, 50, shopper);
    props::person(c.p, c.s, 318, kBack + 9, 34, kid);
    props::person(
        c.p, c.s, 412, kBack - 14, 42,
        Figure{Rgb{90, 130, 80}, Rgb{70, 60, 50}, Rgb{170, 120, 90}, Rgb{20, 20, 20}, true});
    props::lampPost(c.p, c.s, 112, kBack + 20, 120, Rgb{50, 40, 60}, Rgb{255, 210, 140});
    props::frontEdge(c.p, Rgb{190, 150, 140}, Rgb{120, 90, 95}, Rgb{60, 40, 55});
    return std::move(c.pic);
}

// --- 2: a cantina courtyard ------------------------------------------------------------------

void bottleShelf(Canvas& c, int x0, int x1, int y) {
    c.s.rect(x0, y, x1, y + 4);
    c.p.paint(c.s, Style{Rgb{110, 70, 40}, 0.7, 0.2});
    constexpr Rgb kGlass[] = {{60, 130, 70}, {150, 70, 40}, {200, 170, 80}, {70, 90, 150}};
    for (int x = x0 + 4; x < x1 - 6; x += 8 + c.rng.below(4)) {
        const int h = 12 + c.rng.below(7);
        c.s.rect(x, y - h + 5, x + 5, y);
        c.s.rect(x + 1, y - h, x + 4, y - h + 5);
        c.p.paint(c.s, Style{kGlass[c.rng.below(4)], 0.7, 0.35});
    }
}

void papelPicado(Canvas& c, double y, double sag, uint32_t seed) {
    Rng r(seed);
    constexpr Rgb kPaper[] = {{230, 70, 110}, {60, 170, 210}, {250, 200, 60}, {110, 200, 90}};
    for (double x = 4; x < kW; x += 16) {
        const double t = x / kW, yy = y + sag * 4 * t * (1 - t);
        c.s.poly({{x, yy}, {x + 12, yy}, {x + 12, yy + 12}, {x + 6, yy + 15}, {x, yy + 12}});
        c.p.paint(c.s, Style{kPaper[r.below(4)], 0.5, 0.2});
    }
    c.p.line({0, y}, {kW, y}, Rgb{60, 40, 40}, 0.6);
}

media::Picture cantina() {
    Canvas c(202);
    constexpr int kWallTop = 168, kBack = 246;
    c.p.gradient(0, 0, kW, kWallTop, Rgb{30, 40, 90}, Rgb{200, 110, 120});
    props::stars(c.p, c.rng, 70, 2, 90, Rgb{240, 235, 210});
    c.p.glow(90, 60, 40, Rgb{250, 240, 200}, 0.5);
    c.s.ellipse(90, 60, 12, 12);
    c.p.paint(c.s, Style{Rgb{245, 235, 200}, 0.0, 0.1});
    props::ridge(c.p, c.s, 33, 150, 12, 0.012, kWallTop, Rgb{90, 60, 100}, 0.2);
    // adobe wall with rounded merlons
    const Rgb adobe{196, 140, 96};
    c.s.rect(0, kWallTop, kW, kBack);
    for (int x = 0; x < kW; x += 60)
        c.s.ellipse(x + 30, kWallTop, 22, 10);
    c.p.paint(c.s, Style{adobe, 0.7, 0.12});
    c.p.rect(0, kBack - 22, kW, kBack, Rgb{170, 96, 70});
    // the bar on the left, the open wall on the right where the table stands
    bottleShelf(c, 40, 300, 196);
    bottleShelf(c, 40, 300, 218);
    props::person(c.p, c.s, 170, kBack + 14, 80,
                  Figure{Rgb{240, 230, 210}, Rgb{60, 50, 50}, Rgb{170, 110, 80}, Rgb{30, 20, 20}});
    c.s.rect(30, kBack - 32, 320, kBack + 6);
    c.p.paint(c.s, Style{Rgb{130, 80, 50}, 0.8, 0.2});
    c.s.rect(26, kBack - 36, 324, kBack - 30);
    c.p.paint(c.s, Style{Rgb{160, 100, 60}, 0.8, 0.3});
    // a doorway high on the right wall, above the table's top
    c.s.rect(560, kWallTop + 12, 600, kBack);
    c.s.ellipse(590, kWallTop + 14, 30, 14);
    c.p.paint(c.s, Style{Rgb{60, 36, 40}, 0.6, 0.1});
    papelPicado(c, 70, 30, 5);
    papelPicado(c, 104, 22, 6);
    c.p.floor(kBack, kFloor, 160, 300, [&](double u, double v, int, int) {
        const int i = static_cast<int>(std::floor(u / 30.0)),
                  j = static_cast<int>(std::floor(v * 5));
        const Rgb tile = (i + j) % 2 ? Rgb{186, 96, 62} : Rgb{206, 120, 76};
        const bool grout = seam(u, 30.0, 1.6 * v) || seam(v * 5, 1.0, 0.09 * v);
        return mix(grout ? Rgb{110, 70, 50} : tile, Rgb{120, 70, 80}, std::min(0.5, (v - 1) * 0.1));
    });
    props::frontEdge(c.p, Rgb{200, 140, 90}, Rgb{120, 70, 45}, Rgb{55, 30, 30});
    return std::move(c.pic);
}

// --- 3: a beach with palm trees --------------------------------------------------------------

media::Picture beach() {
    Canvas c(303);
    constexpr int kSea = 176, kSand = 214;
    c.p.gradient(0, 0, kW, kSea, Rgb{40, 110, 210}, Rgb{170, 220, 240});
    props::clouds(c.p, 21, 70, 150, Rgb{250, 250, 245}, 0.5, 2.0);
    c.p.glow(470, 40, 60, Rgb{255, 250, 210}, 0.6);
    props::ridge(c.p, c.s, 9, kSea - 8, 10, 0.01, kSea, Rgb{90, 150, 140}, 0.15);
    c.p.gradient(0, kSea, kW, kSand, Rgb{40, 130, 170}, Rgb{60, 190, 190});
    for (int y = kSea; y < kSand; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double w = std::sin(x * 0.12 + y * 0.9 + 3 * paint::noise(x * 0.05, y * 0.3, 4));
            if (w > 0.93) c.p.blend(x, y, Rgb{220, 245, 245}, 0.7);
        }
    }
    // the sailing boat far out
    c.s.poly({{380, kSea + 6.0}, {420, kSea + 6.0}, {414, kSea + 12.0}, {386, kSea + 12.0}});
    c.p.paint(c.s, Style{Rgb{150, 60, 50}, 0.6, 0.2});
    c.s.poly({{400, kSea - 26.0}, {400, kSea + 5.0}, {418, kSea + 5.0}});
    c.p.paint(c.s, Style{Rgb{240, 235, 220}, 0.5, 0.1});
    c.p.floor(kSand, kH, 120, 300, [&](double u, double v, int x, int y) {
        const double n = fbm(u / 40.0, v * 3.0, 17, 3);
        Rgb sand = mix(Rgb{240, 212, 156}, Rgb{200, 160, 110}, n * n * 1.6);
        const double ripple = std::sin(v * 40.0 + paint::noise(u / 30.0, v * 4, 18) * 5.0);
        if (ripple > 0.85) sand = scale(sand, 0.92);
        if (y < kSand + 14) sand = mix(sand, Rgb{170, 150, 120}, 0.35);  // wet sand
        if (y < kSand + 4) sand = mix(sand, Rgb{245, 240, 220}, 0.7);    // the foam line
        return mix(sand, Rgb{250, 240, 210}, paint::dither(x, y) * 0.08 + 0.04);
    });
    // beach hut and umbrella in the middle distance
    c.s.rect(60, 168, 140, 230);
    c.p.paint(c.s, Style{Rgb{170, 120, 70}, 0.7, 0.2});
    c.s.poly({{50, 170}, {100, 140}, {150, 170}});
    c.p.paint(c.s, Style{Rgb{210, 180, 100}, 0.7, 0.2});
    c.s.rect(88, 196, 112, 230);
    c.p.paint(c.s, Style{Rgb{70, 45, 30}, 0.6, 0.1});
    c.s.rect(458, 196, 461, 246);
    c.p.paint(c.s, Style{Rgb{90, 80, 70}, 0.7, 0.2});
    c.s.poly({{425, 204}, {459, 184}, {494, 204}});
    c.p.paint(c.s, Style{Rgb{230, 80, 70}, 0.7, 0.25});
    c.s.rect(440, 238, 480, 244);
    c.p.paint(c.s, Style{Rgb{80, 160, 200}, 0.6, 0.2});
    props::person(c.p, c.s, 250, 232, 40,
                  Figure{Rgb{240, 200, 60}, Rgb{60, 90, 160}, Rgb{200, 140, 100}, Rgb{50, 30, 20}});
    props::person(c.p, c.s, 346, 228, 36,
                  Figure{Rgb{200, 70, 110}, Rgb{200, 70, 110}, Rgb{160, 110, 80}, Rgb{20, 20, 20},
                         true, true, true});
    props::palm(c.p, c.s, 30, 312, 250, 0.12, Rgb{150, 110, 70}, Rgb{60, 160, 70});
    props::palm(c.p, c.s, 572, 312, 230, -0.16, Rgb{140, 100, 60}, Rgb{50, 150, 80});
    props::palm(c.p, c.s, 180, 222, 90, -0.1, Rgb{150, 120, 90}, Rgb{90, 170, 110});
    props::frontEdge(c.p, Rgb{246, 220, 170}, Rgb{214, 176, 124}, Rgb{160, 120, 90});
    return std::move(c.pic);
}

// --- 4: a mountain temple --------------------------------------------------------------------

void roofTier(Canvas& c, double cx, double y, double halfW, Rgb roof) {
    c.s.poly({{cx - halfW - 14, y + 14},
              {cx - halfW, y},
              {cx + halfW, y},
              {cx + halfW + 14, y + 14},
              {cx + halfW - 6, y + 10},
              {cx - halfW + 6, y + 10}});
    c.p.paint(c.s, Style{roof, 0.8, 0.25});
}

void pine(Canvas& c, int x, int baseY, int h, Rgb leaf) {
    c.s.rect(x - 3, baseY - h / 3, x + 3, baseY);
    c.p.paint(c.s, Style{Rgb{80, 55, 45}, 0.7, 0.2});
    for (int i = 0; i < 4; ++i) {
        const double top = baseY - h + i * h * 0.2, w = h * (0.18 + 0.08 * i);
        c.s.poly({{x - w, top + h * 0.32}, {x + 0.0, top}, {x + w, top + h * 0.32}});
        c.p.paint(c.s, Style{scale(leaf, 1.0 - 0.07 * i), 0.7, 0.25});
    }
}

media::Picture mountainTemple() {
    Canvas c(404);
    constexpr int kBack = 238;
    c.p.gradient(0, 0, kW, 200, Rgb{120, 130, 190}, Rgb{250, 210, 180});
    props::clouds(c.p, 44, 60, 120, Rgb{250, 230, 230}, 0.5, 3.0);
    props::ridge(c.p, c.s, 41, 120, 40, 0.006, kBack, Rgb{150, 150, 190}, 0.1);
    props::ridge(c.p, c.s, 42, 160, 30, 0.009, kBack, Rgb{110, 120, 160}, 0.15);
    c.p.haze(140, 200, Rgb{240, 220, 220}, 0.0, 0.45);
    props::ridge(c.p, c.s, 43, 196, 16, 0.015, kBack, Rgb{80, 110, 110}, 0.3);
    // the temple on its platform
    const double cx = 300;
    c.s.rect(170, 214, 430, kBack);
    c.p.paint(c.s, Style{Rgb{150, 140, 130}, 0.7, 0.2});
    c.s.rect(220, 166, 380, 214);
    c.p.paint(c.s, Style{Rgb{200, 180, 150}, 0.7, 0.15});
    for (int x = 226; x < 380; x += 38) {
        c.s.rect(x, 168, x + 7, 214);
        c.p.paint(c.s, Style{Rgb{170, 50, 40}, 0.7, 0.25});
    }
    c.s.rect(284, 182, 316, 214);
    c.p.paint(c.s, Style{Rgb{70, 40, 40}, 0.6, 0.1});
    roofTier(c, cx, 152, 96, Rgb{60, 80, 90});
    c.s.rect(246, 124, 354, 154);
    c.p.paint(c.s, Style{Rgb{200, 180, 150}, 0.7, 0.15});
    roofTier(c, cx, 112, 70, Rgb{60, 80, 90});
    c.s.rect(296, 92, 304, 114);
    c.p.paint(c.s, Style{Rgb{200, 160, 60}, 0.7, 0.3});
    pine(c, 110, kBack + 4, 110, Rgb{50, 100, 70});
    pine(c, 500, kBack + 2, 120, Rgb{45, 95, 75});
    pine(c, 40, kBack + 10, 150, Rgb{40, 85, 60});
    c.p.floor(kBack, kFloor, 150, 300, [&](double u, double v, int, int) {
        const double row = v * 4.0, col = u / 46.0 + (static_cast<int>(row) % 2) * 0.5;
        const double n = fbm(std::floor(col) * 2.3, std::floor(row) * 3.7, 45, 1);
        const Rgb slab = mix(Rgb{176, 170, 160}, Rgb{140, 136, 130}, n);
        const bool gap = seam(row, 1.0, 0.07 * v) || seam(col, 1.0, 0.04);
        return mix(gap ? Rgb{90, 100, 90} : slab, Rgb{230, 210, 200}, std::min(0.5, (v - 1) * 0.1));
    });
    // two stone lanterns flanking the steps
    for (int x : {190, 410}) {
        c.s.rect(x - 4, kBack - 4, x + 4, kBack + 22);
        c.s.rect(x - 9, kBack + 18, x + 9, kBack + 24);
        c.s.rect(x - 8, kBack - 14, x + 8, kBack - 3);
        c.s.poly({{x - 12.0, kBack - 14.0}, {x + 0.0, kBack - 24.0}, {x + 12.0, kBack - 14.0}});
        c.p.paint(c.s, Style{Rgb{150, 145, 135}, 0.75, 0.25});
        c.p.rect(x - 4, kBack - 11, x + 4, kBack - 5, Rgb{250, 200, 110});
    }
    props::person(c.p, c.s, 262, 216, 34,
                  Figure{Rgb{220, 130, 40}, Rgb{220, 130, 40}, Rgb{190, 140, 100},
                         Rgb{190, 140, 100}, false, true});
    props::frontEdge(c.p, Rgb{190, 185, 175}, Rgb{120, 118, 112}, Rgb{60, 62, 66});
    return std::move(c.pic);
}

// --- 5: a rainy harbour at night -------------------------------------------------------------

void crane(Canvas& c, int x, int baseY, int h, Rgb steel) {
    c.s.rect(x - 5, baseY - h, x + 5, baseY);
    c.s.thickLine({x - 60.0, baseY - h + 0.0}, {x + 90.0, baseY - h + 0.0}, 6);
    c.s.thickLine({x + 0.0, baseY - h - 30.0}, {x + 90.0, baseY - h + 0.0}, 2);
    c.s.thickLine({x + 0.0, baseY - h - 30.0}, {x - 60.0, baseY - h + 0.0}, 2);
    c.s.rect(x - 2, baseY - h - 30, x + 2, baseY - h);
    c.s.rect(x + 60, baseY - h, x + 61, baseY - h + 50);
    c.p.paint(c.s, Style{steel, 0.4, 0.1});
    c.p.glow(x, baseY - h - 30, 6, Rgb{255, 60, 60}, 0.8);
}

media::Picture harbour() {
    Canvas c(505);
    constexpr int kWater = 198, kPier = 246;
    c.p.gradient(0, 0, kW, kWater, Rgb{10, 14, 34}, Rgb{44, 54, 90});
    c.p.glow(150, 60, 60, Rgb{170, 190, 230}, 0.4);
    c.s.ellipse(150, 60, 14, 14);
    c.p.paint(c.s, Style{Rgb{215, 225, 240}, 0.0, 0.05});
    props::clouds(c.p, 55, 30, 130, Rgb{70, 76, 110}, 0.42, 3.0);
    props::skyline(c.p, c.s, c.rng, kWater, 6, 26, Rgb{30, 34, 58}, Rgb{250, 210, 120}, 0.25);
    crane(c, 420, kWater, 100, Rgb{56, 60, 86});
    crane(c, 520, kWater, 80, Rgb{50, 54, 78});
    // a freighter moored on the left
    c.s.poly({{-10, 168}, {250, 168}, {232, 214}, {-10, 214}});
    c.p.paint(c.s, Style{Rgb{120, 40, 44}, 0.7, 0.15});
    c.s.rect(30, 138, 120, 168);
    c.s.rect(60, 116, 76, 138);
    c.p.paint(c.s, Style{Rgb{150, 150, 160}, 0.7, 0.15});
    for (int x = 38; x < 116; x += 14)
        c.p.rect(x, 146, x + 7, 152, Rgb{250, 220, 140});
    c.p.gradient(0, 214, kW, kPier, Rgb{20, 30, 56}, Rgb{34, 50, 80});
    c.p.gradient(250, kWater, kW, 214, Rgb{16, 24, 48}, Rgb{20, 30, 56});
    for (int y = kWater; y < kPier; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double w = paint::noise(x * 0.03, y * 0.6, 8);
            if (w > 0.72) c.p.blend(x, y, Rgb{120, 140, 190}, 0.35);
        }
    }
    for (int x : {30, 110, 300, 430}) {  // reflections of the lights
        for (int y = kWater + 4; y < kPier; y += 3) {
            const int jitter = static_cast<int>(paint::noise(x, y * 0.4, 9) * 8) - 4;
            c.p.blendRect(x + jitter - 3, y, x + jitter + 4, y + 1, Rgb{250, 210, 120}, 0.45);
        }
    }
    c.p.floor(kPier, kFloor, 140, 300, [&](double u, double v, int, int) {
        const double plank = u / 24.0;
        const double n = paint::noise(std::floor(plank) * 3.3, v * 2.0, 12);
        const Rgb wood = mix(Rgb{90, 80, 84}, Rgb{66, 60, 70}, n);
        const bool gap = seam(plank, 1.0, 0.1) || seam(v * 3 + std::floor(plank) * 0.37, 1.0, 0.04);
        const Rgb wet = mix(gap ? Rgb{24, 22, 34} : wood, Rgb{120, 130, 170},
                            0.25 * paint::noise(u / 30.0, v * 6, 13));
        return mix(wet, Rgb{30, 36, 60}, std::min(0.6, (v - 1) * 0.12));
    });
    for (int x : {70, 250, 520}) {  // bollards
        c.s.rect(x - 7, kPier - 6, x + 7, kPier + 14);
        c.s.ellipse(x, kPier - 6, 10, 4);
        c.p.paint(c.s, Style{Rgb{60, 64, 80}, 0.8, 0.3});
    }
    props::lampPost(c.p, c.s, 160, kPier + 10, 130, Rgb{40, 44, 60}, Rgb{250, 210, 120});
    props::lampPost(c.p, c.s, 440, kPier + 10, 130, Rgb{40, 44, 60}, Rgb{250, 210, 120});
    props::person(
        c.p, c.s, 350, kPier + 2, 46,
        Figure{Rgb{200, 170, 40}, Rgb{40, 40, 60}, Rgb{180, 130, 100}, Rgb{200, 170, 40}});
    props::rain(c.p, c.rng, 900, Rgb{170, 190, 230});
    props::frontEdge(c.p, Rgb{110, 100, 100}, Rgb{60, 50, 56}, Rgb{16, 14, 24});
    return std::move(c.pic);
}

// --- 6: a desert canyon ----------------------------------------------------------------------

void rockWall(Canvas& c, int x0, int x1, bool left, int bottom) {
    c.s.below(x0, x1, bottom, [&](int x) {
        const double t = left ? (x - x0) / double(x1 - x0) : (x1 - x) / double(x1 - x0);
        return 30 + t * t * 170 + 12 * fbm(x * 0.05, 1.0, 61, 2);
    });
    c.p.paint(c.s, Style{Rgb{170, 80, 50}, 0.75, 0.15});
    for (int y = 40; y < bottom; ++y) {  // sediment bands
        for (int x = std::max(x0, 0); x < std::min(x1, kW); ++x) {
            const double band = std::sin(y * 0.22 + fbm(x * 0.03, y * 0.02, 62, 2) * 4);
            const Rgb here = c.p.get(x, y);
            const bool rock = here.r > 130 && here.g < 100;
            if (band > 0.6 && rock) c.p.blend(x, y, Rgb{120, 50, 40}, 0.35);
        }
    }
}

void cactus(Canvas& c, int x, int baseY, int h) {
    c.s.rect(x - 5, baseY - h, x + 5, baseY);
    c.s.ellipse(x, baseY - h, 5, 5);
    c.s.rect(x - 16, baseY - h * 6 / 10, x - 10, baseY - h * 3 / 10);
    c.s.rect(x - 16, baseY - h * 3 / 10 - 5, x, baseY - h * 3 / 10);
    c.s.rect(x + 10, baseY - h * 8 / 10, x + 16, baseY - h / 2);
    c.s.rect(x, baseY - h / 2 - 5, x + 16, baseY - h / 2);
    c.p.paint(c.s, Style{Rgb{70, 140, 70}, 0.75, 0.3});
}

media::Picture desertCanyon() {
    Canvas c(606);
    constexpr int kBack = 236;
    c.p.gradient(0, 0, kW, kBack, Rgb{70, 120, 200}, Rgb{250, 200, 140});
    c.p.glow(380, 90, 70, Rgb{255, 250, 200}, 0.7);
    c.s.below(0, kW, kBack, [&](int x) {  // flat-topped mesas far away
        const double n = fbm(x * 0.008, 2.0, 63, 3);
        return n > 0.52 ? 150.0 + 20 * (0.6 - n) : 200.0 + 10 * n;
    });
    c.p.paint(c.s, Style{Rgb{200, 130, 110}, 0.2, 0.08});
    c.p.haze(150, kBack, Rgb{240, 190, 150}, 0.3, 0.0);
    props::ridge(c.p, c.s, 64, 212, 10, 0.02, kBack, Rgb{190, 110, 70}, 0.3);
    c.p.floor(kBack, kFloor, 140, 300, [&](double u, double v, int, int) {
        const double n = fbm(u / 50.0, v * 2.5, 65, 3);
        Rgb sand = mix(Rgb{226, 170, 110}, Rgb{196, 130, 84}, n);
        const double crack = std::fabs(paint::noise(u / 18.0, v * 9.0, 66) - 0.5);
        if (crack < 0.02) sand = scale(sand, 0.72);
        return mix(sand, Rgb{240, 190, 150}, std::min(0.5, (v - 1) * 0.1));
    });
    rockWall(c, -10, 110, true, kFloor);
    rockWall(c, 490, 610, false, kFloor);
    cactus(c, 170, kBack + 8, 50);
    cactus(c, 440, kBack + 2, 36);
    c.s.ellipse(250, kBack + 6, 18, 8);
    c.s.ellipse(272, kBack + 8, 10, 5);
    c.p.paint(c.s, Style{Rgb{160, 110, 90}, 0.75, 0.3});
    for (int i = 0; i < 3; ++i) {  // circling birds
        const double x = 260 + 40 * i, y = 70 + 12 * (i % 2);
        c.p.line({x - 6, y - 2}, {x, y + 1}, Rgb{60, 40, 40});
        c.p.line({x, y + 1}, {x + 6, y - 2}, Rgb{60, 40, 40});
    }
    props::frontEdge(c.p, Rgb{236, 184, 124}, Rgb{170, 100, 64}, Rgb{90, 46, 36});
    return std::move(c.pic);
}

// --- 7: a rooftop over the city --------------------------------------------------------------

media::Picture rooftop() {
    Canvas c(707);
    constexpr int kBack = 240;
    c.p.gradient(0, 0, kW, 200, Rgb{16, 14, 48}, Rgb{210, 90, 110});
    props::stars(c.p, c.rng, 60, 2, 80, Rgb{230, 230, 250});
    props::skyline(c.p, c.s, c.rng, 215, 30, 90, Rgb{70, 50, 100}, Rgb{250, 190, 120}, 0.2);
    c.p.haze(120, 215, Rgb{200, 100, 120}, 0.35, 0.2);
    props::skyline(c.p, c.s, c.rng, kBack, 20, 60, Rgb{40, 30, 66}, Rgb{250, 220, 150}, 0.3);
    // a neon sign on its frame, left, and a water tower, right
    c.s.rect(40, 130, 44, 200);
    c.s.rect(130, 130, 134, 200);
    c.p.paint(c.s, Style{Rgb{50, 40, 60}, 0.7, 0.2});
    c.s.rect(26, 120, 150, 160);
    c.p.paint(c.s, Style{Rgb{40, 26, 60}, 0.8, 0.1});
    c.p.glow(88, 140, 70, Rgb{255, 80, 200}, 0.35);
    for (int i = 0; i < 5; ++i) {
        c.s.ellipse(46 + i * 21, 140, 8, 12);
        c.s.ellipse(46 + i * 21, 140, 5, 9);
        c.p.paint(c.s, Style{i % 2 ? Rgb{255, 120, 230} : Rgb{90, 230, 250}, 0.3, 0.25});
    }
    for (int x : {470, 540}) {
        c.s.thickLine({x + 0.0, 196}, {x + 10.0, kBack + 6.0}, 4);
    }
    c.s.rect(462, 140, 550, 198);
    c.s.ellipse(506, 140, 46, 10);
    c.p.paint(c.s, Style{Rgb{120, 80, 64}, 0.8, 0.2});
    c.s.poly({{458, 140}, {506, 110}, {554, 140}});
    c.p.paint(c.s, Style{Rgb{90, 60, 56}, 0.8, 0.2});
    c.p.floor(kBack, kFloor, 150, 300, [&](double u, double v, int x, int y) {
        const double n = paint::noise(x * 0.7, y * 0.9, 71);
        Rgb tar = mix(Rgb{84, 78, 96}, Rgb{64, 60, 76}, n);
        if (seam(u, 120.0, 3.0 * v) || seam(v * 2, 1.0, 0.03 * v)) tar = Rgb{50, 46, 60};
        return mix(tar, Rgb{170, 90, 110}, std::min(0.5, (v - 1) * 0.12));
    });
    for (int x : {150, 380}) {  // air conditioning boxes
        c.s.rect(x, kBack - 10, x + 54, kBack + 18);
        c.p.paint(c.s, Style{Rgb{150, 150, 160}, 0.8, 0.25});
        c.s.ellipse(x + 27, kBack + 4, 10, 10);
        c.p.paint(c.s, Style{Rgb{70, 70, 84}, 0.6, 0.2});
    }
    c.s.rect(250, kBack - 60, 253, kBack + 4);
    c.s.thickLine({240, kBack - 50.0}, {263, kBack - 50.0}, 2);
    c.s.thickLine({244, kBack - 40.0}, {259, kBack - 40.0}, 2);
    c.p.paint(c.s, Style{Rgb{90, 90, 110}, 0.6, 0.2});
    props::frontEdge(c.p, Rgb{170, 160, 170}, Rgb{110, 90, 110}, Rgb{40, 30, 50});
    for (int x = 0; x < kW; x += 60)
        c.p.rect(x, kFloor + 2, x + 2, kH, Rgb{70, 56, 76});
    return std::move(c.pic);
}

// --- 8: a jungle ruin ------------------------------------------------------------------------

void vine(Canvas& c, double x, int len, uint32_t seed) {
    Rng r(seed);
    for (int y = 0; y < len; y += 2) {
        const double xx = x + 4 * std::sin(y * 0.05 + seed);
        c.s.rect(static_cast<int>(xx), y, static_cast<int>(xx) + 3, y + 2);
        if (y % 12 == 0) c.s.ellipse(xx + (r.below(2) ? 5 : -3), y + 2, 4, 2.5);
    }
    c.p.paint(c.s, Style{Rgb{50, 120, 50}, 0.7, 0.25});
}

void fern(Canvas& c, int x, int baseY, int size, bool flip) {
    const double dir = flip ? -1 : 1;
    for (int i = 0; i < 6; ++i) {
        const double a = -M_PI / 2 + dir * (i - 2.5) * 0.38;
        const Pt tip{x + std::cos(a) * size, baseY + std::sin(a) * size * 0.9};
        c.s.poly({{x - 3.0, baseY + 0.0},
                  {(x + tip.x) / 2 - 6, (baseY + tip.y) / 2},
                  tip,
                  {(x + tip.x) / 2 + 6, (baseY + tip.y) / 2},
                  {x + 3.0, baseY + 0.0}});
        c.p.paint(c.s, Style{i % 2 ? Rgb{60, 140, 60} : Rgb{46, 116, 56}, 0.75, 0.3});
    }
}

media::Picture jungleRuin() {
    Canvas c(808);
    constexpr int kBack = 240;
    c.p.gradient(0, 0, kW, kBack, Rgb{130, 190, 170}, Rgb{210, 230, 180});
    props::ridge(c.p, c.s, 81, 140, 30, 0.02, kBack, Rgb{110, 160, 130}, 0.1);
    c.p.haze(100, kBack, Rgb{220, 235, 200}, 0.25, 0.1);
    // the stepped pyramid
    for (int i = 0; i < 5; ++i) {
        const int half = 150 - i * 26, top = 220 - i * 22;
        c.s.rect(300 - half, top, 300 + half, top + 22);
        c.p.paint(c.s, Style{mix(Rgb{150, 150, 120}, Rgb{120, 130, 100}, i / 5.0), 0.7, 0.18});
    }
    c.s.rect(276, 92, 324, 132);
    c.p.paint(c.s, Style{Rgb{140, 140, 116}, 0.7, 0.18});
    c.s.rect(290, 106, 310, 132);
    c.p.paint(c.s, Style{Rgb{40, 40, 36}, 0.5, 0.1});
    c.s.rect(280, 132, 320, kBack);
    c.p.paint(c.s, Style{Rgb{130, 130, 106}, 0.7, 0.12});
    for (int y = 136; y < kBack; y += 6)
        c.p.rect(282, y, 318, y + 1, Rgb{100, 104, 84});
    props::ridge(c.p, c.s, 82, 226, 10, 0.03, kBack, Rgb{50, 110, 60}, 0.4);
    c.p.floor(kBack, kFloor, 150, 300, [&](double u, double v, int x, int y) {
        const double row = v * 3.0, col = u / 56.0 + (static_cast<int>(row) % 2) * 0.5;
        const Rgb stone = mix(Rgb{150, 146, 120}, Rgb{120, 118, 98},
                              paint::noise(std::floor(col) * 5.1, std::floor(row) * 2.9, 83));
        const double moss = fbm(x * 0.05, y * 0.09, 84, 3);
        Rgb out = seam(row, 1.0, 0.06 * v) || seam(col, 1.0, 0.03) ? Rgb{70, 80, 60} : stone;
        if (moss > 0.55) out = mix(out, Rgb{80, 140, 60}, 0.7);
        return mix(out, Rgb{200, 220, 180}, std::min(0.5, (v - 1) * 0.1));
    });
    // the canopy across the top and the hanging vines
    for (int x = -20; x < kW + 20; x += 26)
        c.s.ellipse(x, 18 + 12 * std::sin(x * 0.07), 30, 24);
    c.p.paint(c.s, Style{Rgb{40, 100, 50}, 0.6, 0.2});
    for (int x = -10; x < kW; x += 34)
        c.s.ellipse(x, 8 + 6 * std::sin(x * 0.11), 24, 16);
    c.p.paint(c.s, Style{Rgb{60, 130, 60}, 0.5, 0.25});
    for (int i = 0; i < 7; ++i)
        vine(c, 40 + i * 82 + 11 * (i % 3), 60 + (i * 37) % 80, 90 + i);
    for (int i = 0; i < 4; ++i) {  // sun shafts through the leaves
        const double x = 120 + i * 110;
        for (int y = 40; y < kFloor; ++y) {
            const double cx = x + (y - 40) * 0.35;
            c.p.blendRect(static_cast<int>(cx), y, static_cast<int>(cx) + 16, y + 1,
                          Rgb{250, 250, 200}, 0.08);
        }
    }
    // a fallen stone head on the left
    c.s.rect(60, 200, 120, kBack + 10);
    c.p.paint(c.s, Style{Rgb{130, 134, 110}, 0.8, 0.2});
    c.p.rect(72, 214, 84, 220, Rgb{50, 50, 44});
    c.p.rect(96, 214, 108, 220, Rgb{50, 50, 44});
    c.p.rect(80, 232, 100, 236, Rgb{60, 60, 50});
    fern(c, 20, kFloor, 60, false);
    fern(c, 580, kFloor, 64, true);
    props::frontEdge(c.p, Rgb{150, 150, 120}, Rgb{80, 90, 64}, Rgb{30, 40, 28});
    return std::move(c.pic);
}

using StagePainter = media::Picture (*)();
constexpr StagePainter kStages[kStageCount] = {marketStreet, cantina,      beach,   mountainTemple,
                                               harbour,      desertCanyon, rooftop, jungleRuin};

}  // namespace

media::Picture renderStage(int k) {
    if (k < 1 || k > kStageCount) return {};
    return kStages[k - 1]();
}

bool writeStages(const std::string& dir) {
    for (int k = 1; k <= kStageCount; ++k) {
        const std::string name = "Cenario-" + twoDigits(k) + ".bmp";
        if (!media::writeBmp(inDir(dir, name), renderStage(k))) return false;
    }
    return true;
}

}  // namespace assetgen
