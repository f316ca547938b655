// The game level ("Nível Juego", 1 … 8) sets how often the computer opponent takes its chances;
// the level the game starts at plays exactly as the fixed chances of the rules did.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>

#include "ai/cpu_regras.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// Per frame the screen and, per fighter, x, y, state, cycle, preferred distance and life in
// thousandths, folded with FNV-1a, one value at a time.
struct Digest {
    uint64_t h = 1469598103934665603ULL;
    void add(int64_t v) { h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ULL; }
    void frame(Game& game) {
        add(game.m().modoTela);
        for (int n = 1; n <= 2; ++n) {
            const Lutador& l = game.L(n);
            for (const int64_t v : {int64_t{l.x}, int64_t{l.y}, int64_t{l.pos}, int64_t{l.ciclo},
                                    int64_t{l.cpuValor}})
                add(v);
            add(static_cast<int64_t>(std::nearbyint(l.hp * 1000)));
        }
    }
};

TEST(CpuLevel, TheStartUpLevelPlaysFrameForFrameAsTheFixedChancesDid) {
    struct Case {
        uint64_t seed;
        int joinAt;       // fighter 1's person joins (credit, then 1) before this frame; -1 never
        uint64_t digest;  // of the demo's first 6000 frames, played with the fixed chances
    };
    const Case cases[] = {
        {41, -1, 0x8db5bcb93f17a0aaULL},
        {42, -1, 0xd1e5045132306f19ULL},
        {43, 300, 0xe4e8a3a2824bb945ULL},  // and then stands still
    };
    for (const Case& c : cases) {
        Game game(c.seed, true);
        ASSERT_EQ(game.m().nivel, 4);
        Digest d;
        for (int f = 0; f < 6000; ++f) {
            if (f == c.joinAt) {
                game.key('5');
                game.key('1');
            }
            game.frame();
            d.frame(game);
        }
        EXPECT_EQ(d.h, c.digest) << "seed " << c.seed;
    }
}

// Each table's N at level 4, as the rules give them, row by row.
TEST(CpuLevel, AtTheStartUpLevelEveryTableHoldsTheRulesChances) {
    const struct {
        double base;
        int n;
    } rule[] = {{3.4, 6}, {4, 7},   {5, 9},   {7, 13},  {8, 14},  {9, 16},  {10, 18},
                {15, 27}, {20, 36}, {30, 54}, {40, 72}, {50, 90}, {60, 108}};
    for (const auto& r : rule)
        EXPECT_EQ(ia::vezes(r.base, 4), r.n) << r.base;

    EXPECT_EQ(ia::vezes(ia::kNovaDistanciaChance, 4), 13);
    EXPECT_EQ(ia::vezes(ia::kPuloAmeacaSorteio, 4), 9);
    EXPECT_EQ(ia::vezes(ia::kPuloChance, 4), 90);
    const int plain[] = {16, 16, 18, 18};
    for (size_t i = 0; i < std::size(plain); ++i)
        EXPECT_EQ(ia::vezes(ia::kAtaquesSimples[i].chance, 4), plain[i]) << "attack " << i;
    const int guard[] = {7, 7, 6};
    for (size_t i = 0; i < std::size(guard); ++i)
        EXPECT_EQ(ia::vezes(ia::kDefesas[i].sorteio, 4), guard[i]) << "guard " << i;
    const int special[] = {
        14,  72, 90, 90, 90, 90, 14,  90, 36, 18, 72, 108, 14, 90, 36, 36,  72,
        108, 14, 90, 72, 72, 18, 108, 14, 90, 54, 72, 18,  90, 13, 72, 36,  72,
        90,  72, 18, 54, 54, 90, 13,  54, 9,  36, 54, 72,  54, 9,  9,  54,  72,
        36,  72, 36, 72, 72, 36, 72,  54, 72, 72, 14, 90,  27, 36, 18, 108,
    };
    ASSERT_EQ(std::size(ia::kRegrasEspeciais), std::size(special));
    for (size_t i = 0; i < std::size(special); ++i) {
        EXPECT_EQ(ia::vezes(ia::kRegrasEspeciais[i].chance, 4), special[i])
            << "character " << int{ia::kRegrasEspeciais[i].personagem} << ", rule " << i;
    }
}

TEST(CpuLevel, EachLevelTakesItsChancesAtItsOwnRate) {
    struct Case {
        int nivel;
        int light, heavy;  // the 1 in N of the light (base 9) and heavy (base 10) plain attacks
    };
    // The bases times the level's factor, rounded; a level out of range counts as the nearest.
    const Case cases[] = {{1, 324, 360}, {2, 117, 130}, {3, 43, 48}, {4, 16, 18},   {5, 14, 16},
                          {6, 13, 14},   {7, 11, 12},   {8, 8, 9},   {0, 324, 360}, {255, 8, 9}};
    for (const Case& c : cases) {
        EXPECT_EQ(ia::vezes(9, c.nivel), c.light) << "level " << c.nivel;
        EXPECT_EQ(ia::vezes(10, c.nivel), c.heavy) << "level " << c.nivel;
    }
    // No chance ever becomes "1 in 0".
    for (int nivel = 1; nivel <= ia::kNiveis; ++nivel)
        EXPECT_GE(ia::vezes(3.4, nivel), 1) << nivel;

    // In the real tick: 85 px from a still fighter, only the heavy kick is in reach, 1 in N.
    for (const Case& c : cases) {
        if (c.nivel < 1 || c.nivel > 8) continue;
        Game game(11);
        game.m().telaX = 0;
        game.m().lutaParada = 0;
        game.m().nivel = static_cast<uint8_t>(c.nivel);
        Lutador& a = game.L(2);
        a.personagem = 7;
        a.x = 200;
        a.cpuValor = 85;
        game.L(1).x = 285;
        game.L(1).humano = 1;
        a.lado = 1;
        game.L(1).lado = 2;
        a.pos = 1;
        const GameState base = game.g();
        const int trials = 6000;
        int kicks = 0;
        for (int i = 0; i < trials; ++i) {
            const uint64_t r = game.g().rng;
            game.g() = base;
            game.g().rng = r;
            game.form.cpu(2);
            if (game.L(2).pos == 6) ++kicks;
        }
        const double p = 1.0 / c.heavy;
        EXPECT_NEAR(kicks, trials * p, 4 * std::sqrt(trials * p * (1 - p)) + 1)
            << "level " << c.nivel;
    }
}

}  // namespace
}  // namespace pelea
