// The animation tables: shared keyframes, area setters, character 1's scripts and tables, and the
// normal moves of every other character checked against the figures of the generated sheets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "animation/anchors.h"
#include "animation/sheets.h"
#include "assetgen/fighters.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

bool sameArea(const Area& a, const Area& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

// Puts fighter n of slot `slot` in state pos and runs the animation once per ciclo from 0 to
// `last`, returning the frame (without the base) shown at each.
std::vector<int> framesOver(Game& game, int n, int slot, int pos, int last) {
    Lutador& l = game.L(n);
    l.personagem = static_cast<uint8_t>(slot);
    l.pos = static_cast<uint8_t>(pos);
    l.desenho = 0;
    std::vector<int> out;
    for (int c = 0; c <= last; ++c) {
        l.ciclo = static_cast<uint8_t>(c);
        game.form.definedesenho(n);
        out.push_back(l.desenho - (n == 2 ? 50 : 0));
    }
    return out;
}

TEST(SharedFrames, EachRowIsAKeyframeThatHolds) {
    struct Case {
        int n, slot, pos, last;
        std::vector<int> frames;
    };
    const std::vector<Case> cases = {
        {1, 3, 3, 5, {4, 4, 5, 5, 4, 4}},                  // light punch
        {2, 3, 3, 5, {4, 4, 5, 5, 4, 4}},                  // the same on fighter 2's items
        {1, 5, 5, 10, {8, 8, 8, 8, 8, 9, 9, 9, 8, 8, 8}},  // heavy punch
        {1, 4, 2, 16, {2, 2, 2, 2, 3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1}},  // walking
        {2, 9, 13, 5, {22, 22, 22, 23, 23, 23}},                             // jumping light punch
        {1, 2, 16, 9, {24, 24, 24, 24, 24, 25, 25, 25, 24, 24}},             // jumping heavy kick
        {1, 7, 18, 3, {27, 27, 27, 27}},                                     // hit by a kick
        {2, 11, 20, 19, {29, 29, 29, 29, 29, 29, 29, 29, 29, 29,
                         29, 29, 29, 29, 29, 29, 29, 29, 30, 30}},  // bounce, getting up
        {1, 12, 22, 2, {32, 32, 32}},                               // crouching block
        {1, 6, 1, 2, {1, 1, 1}},                                    // standing
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        EXPECT_EQ(framesOver(game, c.n, c.slot, c.pos, c.last), c.frames)
            << "fighter " << c.n << " slot " << c.slot << " state " << c.pos;
    }
}

TEST(SharedFrames, FighterTwoCountsFromItemFifty) {
    struct Case {
        int n, pos, ciclo, desenho;
    };
    const Case cases[] = {
        {1, 1, 0, 1}, {2, 1, 0, 51}, {2, 7, 3, 62}, {2, 21, 9, 81}, {1, 19, 4, 28}};
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(c.n);
        l.personagem = 4;
        l.pos = static_cast<uint8_t>(c.pos);
        l.ciclo = static_cast<uint8_t>(c.ciclo);
        game.form.definedesenho(c.n);
        EXPECT_EQ(l.desenho, c.desenho) << "fighter " << c.n << " state " << c.pos;
    }
}

TEST(Areas, FacingLeftFlipsAroundTheAnchor) {
    struct Case {
        int lado;
        Area given, stored;
    };
    const Case cases[] = {
        {1, {15, 55, 50, 65}, {15, 55, 50, 65}},
        {2, {15, 55, 50, 65}, {-50, 55, -15, 65}},
        {2, {-20, 40, 12, 170}, {-12, 40, 20, 170}},
        {2, {-30, 10, 35, 70}, {-35, 10, 30, 70}},
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(2);
        l.lado = static_cast<uint8_t>(c.lado);
        l.desenho = 57;
        l.pos = 3;
        l.ciclo = 2;
        const Area& a = c.given;
        game.form.defineareacontato(2, 57, a.x1, a.y1, a.x2, a.y2);
        game.form.defineareaataque(2, 3, 2, a.x1, a.y1, a.x2, a.y2, 1, 1, 7, 0);
        EXPECT_TRUE(sameArea(l.areaContato, c.stored)) << a.x1 << " lado " << c.lado;
        EXPECT_TRUE(sameArea(l.areaAtaque, c.stored)) << a.x1 << " lado " << c.lado;
    }
}

TEST(Areas, SettersWriteOnlyOnTheirMoment) {
    struct Case {
        int desenho, pos, ciclo;  // the fighter's state when the setters are called
        bool contato, ataque;
    };
    // The setters ask for drawing 57 and for state 3 at ciclo 2.
    const Case cases[] = {
        {57, 3, 2, true, true},  {7, 3, 2, false, true},   {57, 3, 1, true, false},
        {57, 4, 2, true, false}, {58, 3, 3, false, false},
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(2);
        l.lado = 1;
        l.desenho = static_cast<uint8_t>(c.desenho);
        l.pos = static_cast<uint8_t>(c.pos);
        l.ciclo = static_cast<uint8_t>(c.ciclo);
        l.areaContato = l.areaAtaque = {1, 2, 3, 4};
        l.t = 2;
        game.form.defineareacontato(2, 57, 10, 20, 30, 40);
        game.form.defineareaataque(2, 3, 2, 10, 20, 30, 40, 1, 1, 7, 0);
        EXPECT_EQ(sameArea(l.areaContato, {10, 20, 30, 40}), c.contato) << c.desenho;
        EXPECT_EQ(sameArea(l.areaAtaque, {10, 20, 30, 40}), c.ataque) << c.pos << "/" << c.ciclo;
        EXPECT_EQ(l.ataque, c.ataque ? 1 : 0);
        EXPECT_EQ(l.t, c.ataque ? 1 : 2);
    }
}

TEST(Areas, ContactPersistsOnADrawingWithoutARow) {
    // Crouch, then a crouching light punch: its extended frame 14 has no contact row, so the
    // crouch's area stays.
    Game game;
    const GameState start = game.g();
    for (int slot = 1; slot <= sheets::kSlots; ++slot) {
        game.g() = start;
        framesOver(game, 1, slot, 7, 0);
        const Area crouch = game.L(1).areaContato;
        framesOver(game, 1, slot, 8, 2);
        EXPECT_EQ(game.L(1).desenho, 14);
        EXPECT_TRUE(sameArea(game.L(1).areaContato, crouch)) << "slot " << slot;
        if (slot == 1) {
            EXPECT_TRUE(sameArea(crouch, {-20, 72, 12, 170}));
        }
    }
}

TEST(Drawing, ANeverSetDrawingShowsFrameOne) {
    // None of these moments has a keyframe, so only the drawing step can choose the frame; a
    // record never reset is in state 0 at ciclo 0, which no shared row names either.
    struct Case {
        int pos, ciclo;
    };
    const Case cases[] = {{17, 3}, {0, 0}, {24, 0}};
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        for (int n : {1, 2}) {
            game.g() = start;
            Lutador& l = game.L(n);
            l.desenho = 0;
            l.pos = static_cast<uint8_t>(c.pos);
            l.ciclo = static_cast<uint8_t>(c.ciclo);
            game.form.desenhalutador(n);
            EXPECT_EQ(l.desenho, n == 2 ? 51 : 1)
                << "fighter " << n << " state " << c.pos << " ciclo " << c.ciclo;
        }
    }
}

// Character 1's attack table: a blow's area is set only on its (state, ciclo) and class.
TEST(Character1, AttackRowsFireOnlyOnTheirMoment) {
    struct Case {
        int pos, ciclo, t;
        bool fires;
        Area area;
        int tAfter, f, fDefesa;
    };
    const Case cases[] = {
        {3, 2, 0, true, {15, 55, 50, 65}, 1, 7, 0},
        {3, 1, 0, false, {}, 0, 0, 0},
        {3, 3, 0, false, {}, 0, 0, 0},
        {6, 5, 0, true, {25, 52, 90, 72}, 2, 14, 0},
        {9, 2, 0, true, {20, 145, 60, 165}, 1, 7, 0},
        {16, 5, 0, true, {30, 60, 90, 87}, 2, 14, 0},
        {26, 6, 1, true, {40, 67, 110, 80}, 1, 16, 2},
        {26, 6, 2, false, {}, 2, 0, 0},
        {26, 10, 2, true, {40, 67, 110, 80}, 2, 20, 3},
        {26, 10, 1, false, {}, 1, 0, 0},
        {27, 4, 2, true, {-12, 5, 52, 125}, 2, 4, 2},
        {27, 5, 2, false, {}, 2, 0, 0},
        {28, 9, 1, true, {-30, 10, 35, 70}, 1, 7, 2},
        {28, 12, 2, true, {-10, 50, 45, 100}, 2, 5, 1},
        {29, 10, 3, false, {}, 3, 0, 0},  // the super's blow is its projectile
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(1);
        l.personagem = 1;
        l.lado = 1;
        l.pos = static_cast<uint8_t>(c.pos);
        l.ciclo = static_cast<uint8_t>(c.ciclo);
        l.t = static_cast<uint8_t>(c.t);
        l.ataque = 0;
        l.f = l.fDefesa = 0;
        l.areaAtaque = {};
        game.form.definedesenho(1);
        const std::string what = std::to_string(c.pos) + "@" + std::to_string(c.ciclo);
        EXPECT_EQ(l.ataque, c.fires ? 1 : 0) << what;
        EXPECT_TRUE(sameArea(l.areaAtaque, c.area)) << what;
        EXPECT_EQ(l.t, c.tAfter) << what;
        EXPECT_EQ(l.f, c.f) << what;
        EXPECT_EQ(l.fDefesa, c.fDefesa) << what;
    }
}

TEST(Character1, SpecialStatesShowTheirFramesAndSounds) {
    struct Case {
        int pos, t, last;
        std::vector<int> frames;   // frame shown at ciclo 0, 1, … last
        std::vector<int> soundAt;  // ciclo of each sound, in order
        std::vector<int> sound;    // the sound items
    };
    const std::vector<Case> cases = {
        {23, 0, 16, {33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 34, 34}, {}, {}},
        {25, 1, 11, {35, 35, 35, 35, 35, 36, 36, 36, 36, 36, 37, 37}, {10}, {14}},
        {26, 1, 13, {38, 38, 38, 38, 38, 38, 39, 39, 39, 39, 39, 39, 40, 40}, {0}, {15}},
        {26,
         2,
         19,
         {38, 38, 38, 38, 38, 38, 38, 38, 38, 38, 39, 39, 39, 39, 39, 39, 39, 39, 39, 40},
         {0},
         {15}},
        {27, 1, 7, {41, 41, 41, 42, 42, 42, 41, 41}, {0}, {16}},
        {28, 1, 12, {43, 43, 43, 43, 43, 44, 44, 44, 44, 44, 44, 44, 45}, {0}, {17}},
        {28, 2, 15, {43, 43, 43, 43, 43, 43, 44, 44, 44, 44, 44, 44, 44, 44, 44, 45}, {0}, {17}},
        {29, 3, 11, {35, 35, 35, 35, 35, 36, 36, 36, 36, 36, 37, 37}, {10}, {18}},
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(1);
        l.personagem = 1;
        l.pos = static_cast<uint8_t>(c.pos);
        l.t = static_cast<uint8_t>(c.t);
        l.desenho = 0;
        std::vector<int> frames, soundAt, sound;
        for (int k = 0; k <= c.last; ++k) {
            l.ciclo = static_cast<uint8_t>(k);
            game.form.DXSound1.clearPlayed();
            game.form.definedesenho(1);
            frames.push_back(l.desenho);
            for (const std::string& s : game.sounds()) {
                soundAt.push_back(k);
                sound.push_back(std::stoi(s.substr(s.find(':') + 1)));
            }
        }
        const std::string what = std::to_string(c.pos) + " t" + std::to_string(c.t);
        EXPECT_EQ(frames, c.frames) << what;
        EXPECT_EQ(soundAt, c.soundAt) << what;
        EXPECT_EQ(sound, c.sound) << what;
    }
}

TEST(Character1, RisingSpinClimbsAndLetsItsHitsRepeat) {
    struct Case {
        int hits, ciclo, invencivelBefore, invencivelAfter;
    };
    const Case cases[] = {
        {0, 3, 1, 1},                // nothing has connected yet: the opponent keeps its state
        {0, 3, 0, 0}, {1, 3, 1, 0},  // after a hit the next one may land
        {4, 3, 0, 1},                // four hits are the most
        {2, 8, 0, 1},                // the spin stops hitting after ciclo 7
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(1);
        l.personagem = 1;
        l.pos = 27;
        l.hits = static_cast<uint8_t>(c.hits);
        l.ciclo = static_cast<uint8_t>(c.ciclo);
        l.y = 250;
        l.derruba = 0;
        game.L(2).invencivel = static_cast<uint8_t>(c.invencivelBefore);
        game.form.definedesenho(1);
        EXPECT_EQ(game.L(2).invencivel, c.invencivelAfter) << c.hits << "/" << c.ciclo;
        EXPECT_EQ(l.y, 240);
        EXPECT_EQ(l.derruba, 1);
    }
}

TEST(SharedRules, SkaterWalksOnOneFramePerDirection) {
    struct Case {
        int slot, ciclo, andaFrente, frame;
        bool drawsRandom;
    };
    const Case cases[] = {
        {8, 4, 1, 2, true},  {8, 0, 0, 3, true},  {8, 12, 1, 2, true},
        {1, 4, 1, 3, false}, {1, 0, 0, 2, false},
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(1);
        l.personagem = static_cast<uint8_t>(c.slot);
        l.pos = 2;
        l.ciclo = static_cast<uint8_t>(c.ciclo);
        l.andaFrente = static_cast<uint8_t>(c.andaFrente);
        const uint64_t rng = game.g().rng;
        game.form.definedesenho(1);
        EXPECT_EQ(l.desenho, c.frame) << "slot " << c.slot << " ciclo " << c.ciclo;
        EXPECT_EQ(game.g().rng != rng, c.drawsRandom) << "slot " << c.slot;
    }
}

TEST(SharedRules, KnockedOutFighterLiesOnTheFloor) {
    struct Case {
        double hp;
        int grav, ciclo, y;
        int cicloAfter, yAfter;
    };
    const Case cases[] = {
        {0.0, 0, 1, 296, 0, 300},
        {-3.5, 0, 12, 300, 0, 300},
        {0.5, 0, 12, 296, 12, 296},  // still alive: the bounce goes on
        {0.0, 4, 1, 280, 1, 280},    // still falling
    };
    Game game;
    const GameState start = game.g();
    for (const Case& c : cases) {
        game.g() = start;
        Lutador& l = game.L(2);
        l.personagem = 6;
        l.pos = 20;
        l.hp = c.hp;
        l.grav = static_cast<int8_t>(c.grav);
        l.ciclo = static_cast<uint8_t>(c.ciclo);
        l.y = c.y;
        l.desenho = 79;
        game.form.definedesenho(2);
        EXPECT_EQ(l.ciclo, c.cicloAfter) << c.hp << " grav " << c.grav;
        EXPECT_EQ(l.y, c.yAfter) << c.hp << " grav " << c.grav;
        EXPECT_EQ(l.desenho, 79);
    }
}

// --- the normal moves of characters 2–12

constexpr int kNormais[] = {3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16};

bool isLight(int pos) {
    return pos == 3 || pos == 4 || pos == 8 || pos == 9 || pos == 13 || pos == 14;
}

struct Strike {
    int ciclo, t, f;
};

// The strikes each normal move should make, from the shared timing and its exceptions.
std::vector<Strike> expectedStrikes(int slot, int pos) {
    if (slot == 6 && pos == 5) return {{4, 2, 4}, {6, 2, 10}};
    if (slot == 12 && pos == 5) return {{1, 2, 5}, {5, 2, 10}};
    if (slot == 2 && pos == 15) return {{5, 1, 14}};
    const bool light = isLight(pos);
    if (slot == 12) return {{light ? 1 : 2, light ? 1 : 2, light ? 7 : 14}};
    return {{light ? 2 : 5, light ? 1 : 2, light ? 7 : 14}};
}

TEST(NormalMoves, StrikeOnTheSharedTimingAndItsExceptions) {
    Game game;
    const GameState start = game.g();
    for (int slot = 2; slot <= sheets::kSlots; ++slot) {
        for (int pos : kNormais) {
            game.g() = start;
            Lutador& l = game.L(1);
            l.personagem = static_cast<uint8_t>(slot);
            l.pos = static_cast<uint8_t>(pos);
            l.t = 0;
            std::vector<Strike> got;
            for (int c = 0; c <= 14; ++c) {
                l.ciclo = static_cast<uint8_t>(c);
                l.ataque = 0;
                game.form.definedesenho(1);
                if (l.ataque == 1) got.push_back({c, l.t, l.f});
                EXPECT_EQ(l.fDefesa, 0);
            }
            const std::vector<Strike> want = expectedStrikes(slot, pos);
            ASSERT_EQ(got.size(), want.size()) << "slot " << slot << " state " << pos;
            for (size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(got[i].ciclo, want[i].ciclo) << "slot " << slot << " state " << pos;
                EXPECT_EQ(got[i].t, want[i].t) << "slot " << slot << " state " << pos;
                EXPECT_EQ(got[i].f, want[i].f) << "slot " << slot << " state " << pos;
            }
        }
    }
}

// Opaque pixels of a slot's frame k inside an area (x from the anchor, y from the frame top).
int opaqueInside(const media::Picture& sheet, int slot, int k, const Area& a) {
    const int left = sheets::frameLeft(slot, k), w = sheets::frameWidth(slot, k);
    const int h = sheets::sheet(slot).h, anchor = anchors::meio(slot, k);
    int count = 0;
    for (int row = std::max(0, a.y1); row < std::min(h, a.y2); ++row) {
        for (int col = std::max(0, anchor + a.x1); col < std::min(w, anchor + a.x2); ++col)
            count += sheet.pixel(left + col, row) != media::kWhite;
    }
    return count;
}

int opaqueIn(const media::Picture& sheet, int slot, int k) {
    return opaqueInside(sheet, slot, k, {-1000, 0, 1000, 1000});
}

TEST(NormalMoves, AreasMeetTheFigureOnTheSheet) {
    constexpr int kMinLimbPixels = 40;     // a fist or a foot, not a stray corner
    constexpr double kMinBodyShare = 0.5;  // the standing box holds most of the figure
    constexpr int kSlack = 6;
    Game game;
    const GameState start = game.g();
    for (int slot = 2; slot <= sheets::kSlots; ++slot) {
        const media::Picture sheet = assetgen::renderSheet(slot);
        game.g() = start;
        framesOver(game, 1, slot, 1, 0);
        const Area body = game.L(1).areaContato;
        const int inBody = opaqueInside(sheet, slot, 1, body);
        EXPECT_GE(inBody, kMinBodyShare * opaqueIn(sheet, slot, 1)) << "slot " << slot;
        const int anchorCol = anchors::meio(slot, 1);
        EXPECT_LE(body.x1, 0) << "slot " << slot;  // the box stands on the anchor
        EXPECT_GE(body.x2, 0) << "slot " << slot << " anchor " << anchorCol;
        for (int pos : kNormais) {
            for (const Strike& s : expectedStrikes(slot, pos)) {
                const std::vector<int> shown = framesOver(game, 1, slot, pos, s.ciclo);
                const int k = shown.back();
                const Area a = game.L(1).areaAtaque;
                const std::string what = "slot " + std::to_string(slot) + " state " +
                                         std::to_string(pos) + " frame " + std::to_string(k);
                EXPECT_GE(opaqueInside(sheet, slot, k, a), kMinLimbPixels) << what;
                // It reaches out in front of the body, or as far forward as its frame allows.
                const int front = sheets::frameWidth(slot, k) - anchors::meio(slot, k);
                EXPECT_GT(a.x2, std::min(body.x2, front - kSlack)) << what;
            }
        }
    }
}

}  // namespace
}  // namespace pelea
