#include "assetgen/stage_props.h"

#include <algorithm>
#include <cmath>

#include "assetgen/stages.h"

namespace assetgen::props {

using paint::mix;
using paint::Pt;
using paint::scale;
using paint::Style;

void stars(Painter& p, Rng& rng, int count, int y0, int y1, Rgb c) {
    for (int i = 0; i < count; ++i) {
        const int x = rng.below(p.width()), y = rng.range(y0, y1 - 1);
        const double a = 0.3 + 0.7 * rng.unit();
        p.blend(x, y, c, a);
        if (a > 0.9) {
            p.blend(x + 1, y, c, a / 3);
            p.blend(x - 1, y, c, a / 3);
            p.blend(x, y + 1, c, a / 3);
            p.blend(x, y - 1, c, a / 3);
        }
    }
}

void clouds(Painter& p, uint32_t seed, int y0, int y1, Rgb c, double cover, double stretch) {
    for (int y = y0; y < y1; ++y) {
        const double fade = std::sin(M_PI * (y - y0 + 0.5) / (y1 - y0));
        for (int x = 0; x < p.width(); ++x) {
            const double n = paint::fbm(x / (40.0 * stretch), y / 14.0, seed, 4) * fade;
            const double a = std::clamp((n - cover) * 4.0, 0.0, 1.0);
            // Cel-like bands: the clouds take three flat levels instead of a smooth ramp.
            if (a > 0) p.blend(x, y, c, std::round(a * 3.0) / 3.0 * 0.85);
        }
    }
}

void ridge(Painter& p, Shape& s, uint32_t seed, double baseY, double amp, double freq, int bottom,
           Rgb c, double outline) {
    s.below(0, p.width(), bottom, [&](int x) {
        const double n = paint::fbm(x * freq, 0.5, seed, 4);
        return baseY - amp * (2.0 * n - 1.0) - amp * 0.6 * std::fabs(std::sin(x * freq * 2.1));
    });
    p.paint(s, Style{c, outline, 0.12});
}

void person(Painter& p, Shape& s, int x, int feetY, int height, const Figure& f) {
    const double h = height, u = h / 10.0;  // one "head" is about 1.3 u
    const double dir = f.facingLeft ? -1.0 : 1.0;
    const double hip = feetY - 4.6 * u, shoulder = feetY - 8.0 * u;
    // legs
    s.rect(static_cast<int>(x - 1.3 * u), static_cast<int>(hip), static_cast<int>(x - 0.2 * u),
           feetY);
    s.rect(static_cast<int>(x + 0.2 * u), static_cast<int>(hip), static_cast<int>(x + 1.3 * u),
           feetY);
    if (f.skirt) {
        s.poly({{x - 1.2 * u, hip - u},
                {x + 1.2 * u, hip - u},
                {x + 2.0 * u, feetY - 1.5 * u},
                {x - 2.0 * u, feetY - 1.5 * u}});
    }
    p.paint(s, Style{f.legs, 0.7, 0.2});
    // torso and arms
    s.poly({{x - 1.8 * u, shoulder},
            {x + 1.8 * u, shoulder},
            {x + 1.4 * u, hip + 0.3 * u},
            {x - 1.4 * u, hip + 0.3 * u}});
    s.thickLine({x - 1.7 * u, shoulder + 0.4 * u}, {x - 2.2 * u, hip + 0.2 * u}, 0.9 * u);
    if (f.armUp) {
        s.thickLine({x + 1.7 * u, shoulder + 0.4 * u}, {x + 2.6 * u * dir, shoulder - 2.0 * u},
                    0.9 * u);
    } else {
        s.thickLine({x + 1.7 * u, shoulder + 0.4 * u}, {x + 2.2 * u, hip + 0.2 * u}, 0.9 * u);
    }
    p.paint(s, Style{f.shirt, 0.7, 0.22});
    // head and hair
    s.ellipse(x + 0.15 * u * dir, shoulder - 1.1 * u, 1.05 * u, 1.3 * u);
    p.paint(s, Style{f.skin, 0.7, 0.2});
    s.ellipse(x - 0.1 * u * dir, shoulder - 1.75 * u, 1.1 * u, 0.75 * u);
    p.paint(s, Style{f.hair, 0.5, 0.15});
}

void palm(Painter& p, Shape& s, int x, int baseY, int height, double lean, Rgb trunk, Rgb leaf) {
    const Pt top{x + lean * height, static_cast<double>(baseY - height)};
    constexpr int kSegments = 9;
    for (int i = 0; i < kSegments; ++i) {
        const double t0 = static_cast<double>(i) / kSegments, t1 = (i + 1.0) / kSegments;
        auto at = [&](double t) {
            const double bow = std::sin(t * M_PI * 0.5) * lean * height;
            return Pt{x + bow, baseY - t * height};
        };
        const double w = 9.0 - 4.0 * t0;
        s.thickLine(at(t0), at(t1), w);
        p.paint(s, Style{i % 2 ? trunk : scale(trunk, 0.85), 0.7, 0.25});
    }
    constexpr double kFronds[] = {-2.8, -2.2, -1.5, -0.9, -0.3, 0.35, 0.9};
    for (double a : kFronds) {
        const double len = height * 0.42;
        std::vector<Pt> pts;
        for (int i = 0; i <= 8; ++i) {
            const double t = i / 8.0;
            const double droop = t * t * len * 0.55;
            pts.push_back(
                {top.x + std::cos(a) * len * t, top.y + std::sin(a) * len * t * 0.5 + droop -
                                                    (1 - t) * 2 * std::sin(t * M_PI) * 3});
        }
        // The frond is a strip along its spine with a sawn lower edge: the leaflets.
        const double width = height * 0.06;
        std::vector<Pt> poly = pts;
        for (int i = 8; i >= 0; --i) {
            const double t = i / 8.0;
            const double w = width * std::sin(t * M_PI * 0.9 + 0.2) * (i % 2 ? 1.4 : 0.8);
            poly.push_back({pts[static_cast<size_t>(i)].x - 2, pts[static_cast<size_t>(i)].y + w});
        }
        s.poly(poly);
        p.paint(s, Style{a < -1.2 ? scale(leaf, 0.85) : leaf, 0.75, 0.25});
    }
    s.ellipse(top.x, top.y + 3, 6, 5);
    p.paint(s, Style{Rgb{110, 70, 30}, 0.7, 0.3});
}

void lampPost(Painter& p, Shape& s, int x, int baseY, int height, Rgb metal, Rgb light) {
    s.rect(x - 2, baseY - height, x + 2, baseY);
    s.rect(x - 5, baseY - 8, x + 5, baseY);
    s.rect(x - 2, baseY - height, x + 14, baseY - height + 3);
    p.paint(s, Style{metal, 0.8, 0.3});
    s.poly({{x + 8.0, baseY - height + 3.0},
            {x + 20.0, baseY - height + 3.0},
            {x + 17.0, baseY - height + 10.0},
            {x + 11.0, baseY - height + 10.0}});
    p.paint(s, Style{light, 0.6, 0.2});
    p.glow(x + 14, baseY - height + 10, 34, light, 0.45);
}

void frontEdge(Painter& p, Rgb lip, Rgb face, Rgb shadow) {
    const int y0 = kStageFloorY;
    p.rect(0, y0, p.width(), y0 + 2, lip);
    p.gradient(0, y0 + 2, p.width(), p.height(), face, shadow);
}

void rain(Painter& p, Rng& rng, int count, Rgb c) {
    for (int i = 0; i < count; ++i) {
        const double x = rng.below(p.width() + 40), y = rng.below(p.height());
        const double len = 6 + rng.below(8);
        p.line({x, y}, {x - len * 0.35, y + len}, c, 0.25 + 0.25 * rng.unit());
    }
}

void skyline(Painter& p, Shape& s, Rng& rng, int bottom, int minH, int maxH, Rgb wall, Rgb window,
             double litChance) {
    int x = -rng.below(20);
    while (x < p.width()) {
        const int w = rng.range(26, 60), h = rng.range(minH, maxH);
        const Rgb c = mix(wall, scale(wall, 0.8), rng.unit());
        s.rect(x, bottom - h, x + w, bottom);
        if (rng.below(3) == 0) s.rect(x + w / 2 - 1, bottom - h - 12, x + w / 2 + 1, bottom - h);
        p.paint(s, Style{c, 0.45, 0.1});
        for (int wy = bottom - h + 5; wy < bottom - 6; wy += 7) {
            for (int wx = x + 4; wx < x + w - 5; wx += 6) {
                if (rng.unit() < litChance) p.rect(wx, wy, wx + 3, wy + 4, window);
            }
        }
        x += w + rng.below(4);
    }
}

}  // namespace assetgen::props
