#include "media/catalogue_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "media/catalogue.h"
#include "media/catalogue_fx.h"
#include "media/paint.h"

namespace media {

namespace {

constexpr float kPi = 3.14159265f;
constexpr TColor kInk = rgb(28, 18, 16);  // the dark outline of solid objects
constexpr int kArrows = 6;

constexpr std::array<Size, kEfectosItems> kEfectoSizes = {{
    {70, 14},                                                  // 0 shadow
    {68, 72},   {68, 72},   {68, 72},                          // 1..3 hit flash
    {18, 17},   {18, 17},   {18, 17},   {18, 17},   {18, 17},  // 4..8 puff
    {76, 134},                                                 // 9 flying object
    {26, 20},   {26, 20},                                      // 10, 11 pickups
    {0, 0},                                                    // 12 empty
    {25, 19},   {25, 19},                                      // 13, 14 hat
    {77, 57},   {77, 57},   {77, 57},   {77, 57},              // 15..18 projectile
    {117, 49},  {117, 174}, {117, 240},                        // 19..21 energy column
    {52, 45},   {52, 45},   {52, 45},   {52, 45},              // 22..25 orb
    {40, 57},   {40, 57},   {40, 57},   {40, 57},   {40, 57},  // 26..30 blood
    {40, 57},   {40, 57},                                      // 31, 32
    {34, 29},   {36, 30},   {38, 31},   {40, 32},   {41, 33},  // 33..37 fire
    {64, 64},   {64, 64},   {64, 64},   {64, 64},              // 38..41 fireball
    {60, 33},   {60, 33},   {60, 33},   {60, 33},              // 42..45 ice shard
    {39, 39},   {39, 39},   {39, 39},                          // 46..48 block spark
    {65, 65},   {65, 65},   {65, 65},   {65, 65},              // 49..52 thunder ball
    {48, 36},   {48, 36},   {48, 36},   {48, 36},   {48, 36},  // 53..57 flame bursts
    {48, 36},                                                  // 58
    {75, 79},   {75, 79},   {75, 79},                          // 59..61 aura
    {69, 24},   {69, 24},   {69, 24},   {69, 24},              // 62..65 serpent
    {48, 49},   {48, 49},   {48, 49},   {48, 49},              // 66..69 comet
    {20, 15},   {20, 15},                                      // 70, 71 bat
    {17, 46},   {33, 13},   {74, 12},                          // 72..74 debris
    {21, 13},                                                  // 75 stone
    {105, 142}, {105, 149}, {105, 155}, {105, 162},            // 76..79 whirlwind
}};

constexpr std::array<Size, kIconeItems> kIconeSizes = {
    {{12, 12}, {12, 12}, {12, 12}, {12, 12}, {12, 12}, {12, 12}, {144, 98}, {100, 100}}};

// ---- objects -------------------------------------------------------------------------------

void shadow(Picture& p) {
    Painter paint(p);
    paint.ellipse(35.0f, 7.0f, 33.5f, 5.8f, rgb(16, 14, 22));
}

void drumstick(Painter& paint, float x, float y, float angle, float s) {
    const float ex = x + std::cos(angle) * 7.0f * s, ey = y + std::sin(angle) * 7.0f * s;
    paint.line(x, y, ex, ey, 2.2f * s, rgb(238, 230, 210));
    paint.ellipse(ex + 1.0f, ey, 1.6f * s, 1.6f * s, rgb(238, 230, 210));
    paint.ellipseShaded(x, y, 4.5f * s, 3.6f * s, rgb(184, 104, 40));
}

// A hot-air balloon carrying the food it drops: a striped envelope over its burner flame, thin
// ropes and a wicker basket full of bread, fruit and a roast leg, with sausages hanging off it.
void flyingObject(Picture& p) {
    Painter paint(p);
    const TColor gores[2] = {rgb(214, 40, 36), rgb(250, 196, 40)};
    const TColor wicker = rgb(184, 130, 66), rim = rgb(116, 70, 36), sausage = rgb(196, 92, 58);
    constexpr float kCx = 38.0f, kRadius = 30.0f, kBelly = 32.0f, kThroat = 72.0f, kMouth = 10.0f;

    // Envelope: a round crown that narrows to the throat, wrapped in seven gores.
    for (int y = 2; y < static_cast<int>(kThroat); ++y) {
        const float fy = static_cast<float>(y) + 0.5f, d = (fy - kBelly) / kRadius;
        const float half =
            fy < kBelly ? kRadius * std::sqrt(1.0f - d * d)
                        : kMouth + (kRadius - kMouth) *
                                       std::cos((fy - kBelly) / (kThroat - kBelly) * kPi / 2);
        const float v = (fy - 37.0f) / 35.0f;
        for (int x = static_cast<int>(std::lround(kCx - half));
             x < static_cast<int>(std::lround(kCx + half)); ++x) {
            const float u = std::clamp((static_cast<float>(x) + 0.5f - kCx) / half, -1.0f, 1.0f);
            const int gore = static_cast<int>(std::floor((std::asin(u) / kPi + 0.5f) * 7.0f));
            float tone = u * 0.75f + v * 0.45f > 0.5f ? 0.66f : 1.0f;  // shade on the lower right
            const float gu = u + 0.5f, gv = v + 0.55f;
            if (gu * gu + gv * gv < 0.025f) tone = 1.4f;  // the glint, lit from the upper left
            paint.put(x, y, shade(gores[gore & 1], tone));
        }
    }
    paint.polygon({{28, 71}, {48, 71}, {45, 78}, {31, 78}}, shade(gores[0], 0.7f));  // skirt

    // Burner flame, pointing up into the throat.
    paint.polygon({{38, 77}, {42, 84}, {38, 88}, {34, 84}}, rgb(246, 132, 30));
    paint.polygon({{38, 80}, {40, 85}, {38, 87}, {36, 85}}, rgb(255, 228, 90));

    // Ropes: drawn one pixel wide so the outline pass keeps them thin.
    for (const auto& r : std::array<std::array<float, 4>, 4>{
             {{29, 77, 24, 100}, {47, 77, 52, 100}, {33, 78, 31, 100}, {43, 78, 45, 100}}})
        paint.line(r[0], r[1], r[2], r[3], 1.0f, rgb(72, 48, 30));

    // The cargo heaped above the rim: a scored loaf leaning out, an apple and a roast leg.
    const Pt foot{23.0f, 99.0f}, tip{31.0f, 87.5f};
    paint.line(foot.x, foot.y, tip.x, tip.y, 5.0f, rgb(224, 166, 84));
    for (float k : {0.3f, 0.55f, 0.8f}) {
        const Pt c{foot.x + (tip.x - foot.x) * k, foot.y + (tip.y - foot.y) * k};
        paint.line(c.x - 1.5f, c.y - 1.0f, c.x + 1.0f, c.y + 0.5f, 1.0f, rgb(170, 108, 44));
    }
    paint.ellipseShaded(36.0f, 96.0f, 4.0f, 4.0f, rgb(210, 40, 36));
    paint.ellipse(37.5f, 91.5f, 1.8f, 1.0f, rgb(80, 160, 50));
    drumstick(paint, 44.0f, 97.0f, -0.8f, 1.3f);

    // Basket: woven in a checker of light and dark strands, shaded on the right, on a thick rim.
    for (int y = 103; y < 130; ++y) {
        const int inset = (y - 103) / 9;
        for (int x = 25 + inset; x < 51 - inset; ++x) {
            const float strand = y % 3 == 0 ? 0.7f : ((x / 4) + (y / 3)) % 2 == 1 ? 0.86f : 1.0f;
            paint.put(x, y, shade(wicker, strand * (x > 44 ? 0.75f : 1.0f)));
        }
    }
    paint.rect(23, 99, 53, 103, rim);
    paint.rect(23, 99, 53, 100, shade(rim, 1.3f));
    paint.rect(27, 127, 49, 130, shade(rim, 0.8f));

    // A string of sausages hanging from the rim, down the outside of the basket.
    for (int i = 0; i < 4; ++i) {
        const float x = 22.5f - 1.2f * static_cast<float>(i),
                    y = 106.0f + 6.0f * static_cast<float>(i);
        paint.line(x + 0.6f, y - 4.5f, x, y, 1.0f, kInk);  // the twist between links
        paint.ellipseShaded(x, y, 2.2f, 3.2f, sausage);
    }
    paint.clearBorder();
    paint.outlineWith(kInk);
}

void sandwich(Picture& p) {
    Painter paint(p);
    const TColor bread = rgb(226, 176, 96);
    paint.ellipseShaded(13.0f, 15.0f, 11.0f, 3.5f, bread);
    paint.rect(3, 13, 24, 14, rgb(246, 206, 60));                // cheese
    paint.ellipse(13.0f, 12.0f, 10.5f, 2.0f, rgb(214, 44, 40));  // tomato
    for (int x = 2; x < 25; x += 3)
        paint.ellipse(static_cast<float>(x), 10.5f, 2.0f, 1.6f, rgb(70, 170, 60));  // lettuce
    paint.ellipseShaded(13.0f, 7.5f, 11.0f, 4.8f, bread);
    paint.ellipse(10.0f, 5.5f, 4.0f, 1.3f, rgb(244, 214, 150));
    paint.clearBorder();
    paint.outlineWith(rgb(80, 44, 20));
}

void roastChicken(Picture& p) {
    Painter paint(p);
    paint.ellipse(13.0f, 16.0f, 12.0f, 2.8f, rgb(200, 204, 214));  // plate
    drumstick(paint, 7.0f, 11.0f, -2.3f, 0.8f);
    drumstick(paint, 19.0f, 11.0f, -0.85f, 0.8f);
    paint.ellipseShaded(13.0f, 11.5f, 8.5f, 5.2f, rgb(196, 112, 40));
    paint.ellipse(10.5f, 9.0f, 3.0f, 1.4f, rgb(236, 170, 90));
    paint.clearBorder();
    paint.outlineWith(rgb(70, 34, 12));
}

void hat(Picture& p) {
    Painter paint(p);
    paint.ellipseShaded(12.5f, 14.5f, 11.5f, 3.2f, kHatCrown);
    paint.polygonShaded({{6, 14}, {6.5f, 7}, {9, 4}, {12.5f, 5.5f}, {16, 4}, {18.5f, 7}, {19, 14}},
                        kHatCrown);
    paint.rect(6, 11, 19, 13, kHatBand);
    paint.line(12.5f, 6.0f, 12.5f, 9.5f, 1.0f, shade(kHatCrown, 0.6f));
    paint.clearBorder();
    paint.outlineWith(kInk);
}

void bat(Picture& p, int frame) {
    Painter paint(p);
    const TColor wing = rgb(74, 50, 92), body = rgb(54, 36, 66);
    if (frame == 0) {
        paint.polygon({{10, 8}, {2, 2}, {4, 6}, {1, 7}, {6, 10}}, wing);
        paint.polygon({{10, 8}, {18, 2}, {16, 6}, {19, 7}, {14, 10}}, wing);
    } else {
        paint.polygon({{10, 7}, {1, 9}, {3, 11}, {2, 13}, {8, 11}}, wing);
        paint.polygon({{10, 7}, {19, 9}, {17, 11}, {18, 13}, {12, 11}}, wing);
    }
    paint.ellipse(10.0f, 8.5f, 3.0f, 4.0f, body);
    paint.polygon({{7.5f, 6}, {8, 2}, {9.5f, 5}, {10.5f, 5}, {12, 2}, {12.5f, 6}}, body);
    paint.clearBorder();
    paint.outlineWith(rgb(14, 8, 18));
    paint.put(9, 6, rgb(255, 50, 40));
    paint.put(11, 6, rgb(255, 50, 40));
}

// Wood with darker grain running along its length.
void plank(Painter& paint, const std::vector<Pt>& pts, bool vertical, TColor wood) {
    paint.polygonShaded(pts, wood);
    float x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
    for (const Pt& q : pts) {
        x0 = std::min(x0, q.x), x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    }
    for (float g = (vertical ? x0 : y0) + 3.0f; g < (vertical ? x1 : y1) - 2.0f; g += 4.0f) {
        if (vertical) {
            paint.line(g, y0 + 4.0f, g + 0.5f, y1 - 4.0f, 1.0f, shade(wood, 0.75f));
        } else {
            paint.line(x0 + 5.0f, g, x1 - 6.0f, g + 0.5f, 1.0f, shade(wood, 0.75f));
        }
    }
}

constexpr TColor kWood = rgb(158, 98, 50);

void debris(Picture& p, int piece) {
    Painter paint(p);
    if (piece == 0) {
        plank(paint, {{3, 8}, {6, 2}, {9, 6}, {12, 1}, {14, 7}, {13, 44}, {4, 44}}, true, kWood);
    } else if (piece == 1) {
        plank(paint, {{1, 2}, {26, 2}, {31, 5}, {27, 8}, {31, 11}, {1, 11}}, false, kWood);
    } else {
        plank(paint, {{4, 1}, {66, 1}, {72, 4}, {68, 6}, {72, 10}, {1, 10}, {6, 5}}, false,
              shade(kWood, 1.1f));
    }
    paint.clearBorder();
    paint.outlineWith(kInk);
}

void stone(Picture& p) {
    Painter paint(p);
    paint.polygonShaded({{2, 7}, {5, 2}, {11, 1}, {17, 3}, {20, 8}, {16, 12}, {6, 12}},
                        rgb(140, 136, 128));
    paint.ellipse(8.0f, 4.5f, 2.5f, 1.2f, rgb(196, 192, 184));
    paint.clearBorder();
    paint.outlineWith(kInk);
}

// ---- icons ---------------------------------------------------------------------------------

// The two arrow shapes on the 12-pixel grid, as pixel tests: a right arrow (a triangular head
// on a four-pixel shaft) and a down-right arrow (a corner head on a diagonal shaft).
bool rightArrowAt(int x, int y) {
    const float dy = std::fabs(static_cast<float>(y) - 5.5f);
    return (x >= 6 && x <= 10 && dy + static_cast<float>(x) <= 10.5f) ||
           (x >= 1 && x < 6 && y >= 4 && y <= 7);
}

bool diagonalArrowAt(int x, int y) {
    return (x + y >= 13 && x <= 10 && y <= 10) ||
           (std::abs(x - y) <= 2 && x + y >= 4 && x + y <= 14);
}

// Icon i: 0 up, 1 down, 2 right, 3 left, 4 down-back, 5 down-forward; turned and flipped
// pixel for pixel from the two shapes, so every arrow has the same weight.
bool arrowAt(int icon, int x, int y) {
    constexpr int kLast = 11;
    switch (icon) {
        case 0:
            return rightArrowAt(kLast - y, x);
        case 1:
            return rightArrowAt(y, x);
        case 2:
            return rightArrowAt(x, y);
        case 3:
            return rightArrowAt(kLast - x, y);
        case 4:
            return diagonalArrowAt(kLast - x, y);
        default:
            return diagonalArrowAt(x, y);
    }
}

void arrow(Picture& p, int icon) {
    Painter paint(p);
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            if (arrowAt(icon, x, y)) paint.put(x, y, rgb(255, 214, 48));
        }
    }
    paint.outlineWith(rgb(60, 24, 0));
}

void table(Picture& p) {
    Painter paint(p);
    // Things on the table: a clay jug, a bowl of fruit and a candle.
    paint.ellipseShaded(30.0f, 26.0f, 11.0f, 13.0f, rgb(182, 96, 56));
    paint.rect(25, 8, 36, 16, rgb(170, 88, 50));
    paint.ring(41.0f, 24.0f, 3.0f, 5.5f, 1.4f, rgb(160, 82, 46));
    paint.ellipseShaded(70.0f, 26.0f, 7.0f, 7.0f, rgb(210, 40, 36));
    paint.ellipseShaded(82.0f, 25.0f, 7.0f, 7.0f, rgb(120, 196, 60));
    paint.ellipseShaded(76.0f, 20.0f, 6.5f, 6.5f, rgb(240, 170, 40));
    paint.polygonShaded({{60, 28}, {94, 28}, {89, 37}, {65, 37}}, rgb(90, 120, 190));
    paint.rect(112, 16, 119, 36, rgb(236, 228, 196));
    paint.ellipse(115.5f, 12.0f, 2.5f, 4.0f, rgb(255, 190, 40));
    // The top, its front edge and the apron with a drawer.
    paint.polygon({{4, 36}, {140, 36}, {143, 42}, {1, 42}}, shade(kWood, 1.2f));
    plank(paint, {{1, 42}, {143, 42}, {143, 52}, {1, 52}}, false, kWood);
    paint.rect(10, 52, 134, 62, shade(kWood, 0.7f));
    paint.rect(56, 54, 88, 60, shade(kWood, 0.9f));
    paint.ellipse(72.0f, 57.0f, 2.0f, 1.5f, rgb(220, 180, 60));
    // Legs, slightly tapered.
    plank(paint, {{12, 52}, {27, 52}, {25, 96}, {14, 96}}, true, kWood);
    plank(paint, {{117, 52}, {132, 52}, {130, 96}, {119, 96}}, true, kWood);
    paint.rect(27, 62, 117, 66, shade(kWood, 0.55f));
    paint.clearBorder();
    paint.outlineWith(kInk);
}

// Radial speed lines and diagonal streaks round a glowing centre on deep blue; everything fades
// to the same colour at the edges, so the tiles meet without a seam.
void pauseTile(Picture& p) {
    const TColor deep = rgb(14, 10, 66), violet = rgb(112, 40, 200), glow = rgb(255, 214, 250);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const float dx = static_cast<float>(x) - 49.5f, dy = static_cast<float>(y) - 49.5f;
            const float r = std::sqrt(dx * dx + dy * dy) / 50.0f;
            const float edge = std::max(std::fabs(dx), std::fabs(dy)) / 49.5f;
            const float fade = std::clamp((0.97f - edge) / 0.3f, 0.0f, 1.0f);
            const float ray = std::sin(std::atan2(dy, dx) * 14.0f + r * 3.0f);
            TColor c = deep;
            if ((x + y) % 25 < 3) c = mix(c, rgb(34, 24, 120), fade);
            if (ray > 0.5f) c = mix(c, violet, fade * (1.0f - r * 0.5f));
            if (r < 0.25f) c = mix(c, glow, (0.25f - r) * 4.0f * fade);
            p.setPixel(x, y, c);
        }
    }
}

}  // namespace

Size efectoSize(int i) {
    return kEfectoSizes[static_cast<size_t>(i)];
}

Size iconeSize(int i) {
    return kIconeSizes[static_cast<size_t>(i)];
}

namespace {

// Which painter fills effect picture i; left-facing projectiles are mirrored afterwards.
void paintEfecto(Picture& p, int i) {
    if (i == 0) return shadow(p);
    if (i <= 3) return fx::hitFlash(p, i - 1);
    if (i <= 8) return fx::puff(p, i - 4);
    if (i == 9) return flyingObject(p);
    if (i == 10) return sandwich(p);
    if (i == 11) return roastChicken(p);
    if (i == 13) return hat(p);
    if (i == 15 || i == 16) return fx::energyBall(p, i - 15);
    if (i >= 19 && i <= 21) return fx::energyColumn(p, i - 19);
    if (i == 22 || i == 23) return fx::spiralOrb(p, i - 22);
    if (i >= 26 && i <= 32) return fx::blood(p, i - 26);
    if (i >= 33 && i <= 37) return fx::fire(p, i - 33);
    if (i == 38 || i == 39) return fx::fireball(p, i - 38);
    if (i == 42 || i == 43) return fx::iceShard(p, i - 42);
    if (i >= 46 && i <= 48) return fx::blockSpark(p, i - 46);
    if (i == 49 || i == 50) return fx::thunderBall(p, i - 49);
    if (i >= 53 && i <= 55) return fx::flameBurst(p, i - 53);
    if (i >= 59 && i <= 61) return fx::aura(p, i - 59);
    if (i == 62 || i == 63) return fx::ghostSerpent(p, i - 62);
    if (i == 66 || i == 67) return fx::ghostComet(p, i - 66);
    if (i == 70 || i == 71) return bat(p, i - 70);
    if (i >= 72 && i <= 74) return debris(p, i - 72);
    if (i == 75) return stone(p);
    if (i >= 76) return fx::whirlwind(p, i - 76);
}

// Items that are the mirror image of an earlier one: (item, its right-facing source).
constexpr std::array<std::array<int, 2>, 18> kMirrors = {{
    {14, 13},
    {17, 15},
    {18, 16},
    {24, 22},
    {25, 23},
    {40, 38},
    {41, 39},
    {44, 42},
    {45, 43},
    {51, 49},
    {52, 50},
    {56, 53},
    {57, 54},
    {58, 55},
    {64, 62},
    {65, 63},
    {68, 66},
    {69, 67},
}};

}  // namespace

std::vector<Picture> paintEfectos() {
    std::vector<Picture> out(kEfectosItems);
    for (int i = 0; i < kEfectosItems; ++i) {
        const Size s = kEfectoSizes[static_cast<size_t>(i)];
        if (s.w == 0) continue;
        out[static_cast<size_t>(i)].setSize(s.w, s.h);
        paintEfecto(out[static_cast<size_t>(i)], i);
    }
    for (const auto& m : kMirrors)
        out[static_cast<size_t>(m[0])] = mirrored(out[static_cast<size_t>(m[1])]);
    return out;
}

std::vector<Picture> paintIcone() {
    std::vector<Picture> out(kIconeItems);
    for (int i = 0; i < kIconeItems; ++i) {
        const Size s = kIconeSizes[static_cast<size_t>(i)];
        out[static_cast<size_t>(i)].setSize(s.w, s.h);
    }
    for (int i = 0; i < kArrows; ++i)
        arrow(out[static_cast<size_t>(i)], i);
    table(out[6]);
    pauseTile(out[7]);
    return out;
}

}  // namespace media
