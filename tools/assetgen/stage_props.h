// Things the stages share: skies, ridges, people, trees, lamps and the floor's front edge.
#pragma once

#include <cstdint>

#include "assetgen/stage_paint.h"

namespace assetgen::props {

using paint::Painter;
using paint::Rgb;
using paint::Rng;
using paint::Shape;

void stars(Painter& p, Rng& rng, int count, int y0, int y1, Rgb c);
// Soft clouds in rows y0 … y1 − 1: where the noise rises above `cover` the sky turns towards c.
void clouds(Painter& p, uint32_t seed, int y0, int y1, Rgb c, double cover, double stretch);
// A ridge of hills or mountains whose top wanders around baseY by ±amp, filled down to `bottom`.
void ridge(Painter& p, Shape& s, uint32_t seed, double baseY, double amp, double freq, int bottom,
           Rgb c, double outline);
// A standing figure seen from the middle distance, feet at (x, feetY).
struct Figure {
    Rgb shirt, legs, skin, hair;
    bool facingLeft = false;
    bool skirt = false;
    bool armUp = false;
};
void person(Painter& p, Shape& s, int x, int feetY, int height, const Figure& f);
void palm(Painter& p, Shape& s, int x, int baseY, int height, double lean, Rgb trunk, Rgb leaf);
void lampPost(Painter& p, Shape& s, int x, int baseY, int height, Rgb metal, Rgb light);
// Rows kStageFloorY … bottom: a lit lip on the floor line and a darker front face below it.
void frontEdge(Painter& p, Rgb lip, Rgb face, Rgb shadow);
void rain(Painter& p, Rng& rng, int count, Rgb c);
// A row of buildings standing on row `bottom`, minH … maxH tall, some windows lit.
void skyline(Painter& p, Shape& s, Rng& rng, int bottom, int minH, int maxH, Rgb wall, Rgb window,
             double litChance);

}  // namespace assetgen::props
