#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// Fighter 2 is the computer-driven one; fighter 1 stands still on the ground. The view starts at
// 0, so fighters may walk between 30 and 370.
struct Scene {
    int personagem = 7;  // no rule of this character answers a threat
    int selfX = 200;
    int otherX = 300;
    uint8_t pos = 1;
    int cpuValor = 0;
    int threatX = -1;  // a live projectile of fighter 1 at this x; none when negative
    uint8_t otherAtaque = 0;
};

constexpr int kCpu = 2;

GameState setUp(Game& game, const Scene& s) {
    game.m().telaX = 0;
    game.m().lutaParada = 0;
    Lutador& a = game.L(kCpu);
    Lutador& o = game.L(3 - kCpu);
    a.personagem = static_cast<uint8_t>(s.personagem);
    a.x = s.selfX;
    o.x = s.otherX;
    a.lado = s.selfX < s.otherX ? 1 : 2;
    o.lado = a.lado == 1 ? 2 : 1;
    a.pos = s.pos;
    a.cpuValor = s.cpuValor;
    o.ataque = s.otherAtaque;
    o.humano = 1;
    if (s.threatX >= 0) {
        Efeito& e = game.g().efeitos[10];
        e.tipo = 8;
        e.ativo = 1;
        e.dono = 3 - kCpu;
        e.x = s.threatX;
    }
    return game.g();
}

// Runs the opponent's tick `trials` times from the same records, the generator running on, and
// counts the ticks after which `pred` holds for the computer fighter.
template <class Pred>
int count(Game& game, const GameState& base, int trials, Pred pred) {
    int c = 0;
    for (int i = 0; i < trials; ++i) {
        const uint64_t r = game.g().rng;
        game.g() = base;
        game.g().rng = r;
        game.form.cpu(kCpu);
        if (pred(game.L(kCpu))) ++c;
    }
    return c;
}

// Leaves the generator where its next draw, the tick's first, does not pick a new distance.
void skipNewDistance(Game& game) {
    for (;;) {
        const uint64_t r = game.g().rng;
        if (game.form.Random(13) != 0) {
            game.g().rng = r;
            return;
        }
    }
}

void expectRate(int hits, int trials, double p, const char* what) {
    const double sd = std::sqrt(trials * p * (1 - p));
    EXPECT_NEAR(hits, trials * p, 4 * sd + 1) << what;
}

TEST(CpuTurn, NothingHappensWhilePausedHeldInterruptedOrForAPerson) {
    struct Case {
        const char* what;
        uint8_t pausaEspecial, golpePausa, esperaTempo, lutaParada, humano1, humano2;
        bool acts1, acts2;
    };
    const Case cases[] = {
        {"running", 0, 0, 0, 0, 0, 0, true, true},
        {"fighter 1 a person", 0, 0, 0, 0, 1, 0, false, true},
        {"fighter 2 a person", 0, 0, 0, 0, 0, 1, true, false},
        {"super pause", 1, 0, 0, 0, 0, 0, false, false},
        {"hit pause", 0, 1, 0, 0, 0, 0, false, false},
        {"challenger", 0, 0, 1, 0, 0, 0, false, false},
        {"fight held", 0, 0, 0, 1, 0, 0, false, false},
    };
    for (const Case& c : cases) {
        Game game(3);
        setUp(game, Scene{});
        MatchState& m = game.m();
        m.pausaEspecial = c.pausaEspecial;
        m.golpePausa = c.golpePausa;
        m.esperaTempo = c.esperaTempo;
        m.lutaParada = c.lutaParada;
        game.L(1).humano = c.humano1;
        game.L(2).humano = c.humano2;
        const GameState before = game.g();
        game.form.lutaCpu();
        // With nothing threatening, a standing computer fighter walks on every tick it runs.
        EXPECT_EQ(game.L(1).x != before.lutador[1].x, c.acts1) << c.what;
        EXPECT_EQ(game.L(2).x != before.lutador[2].x, c.acts2) << c.what;
        if (!c.acts1 && !c.acts2) {
            EXPECT_TRUE(testing::sameState(game.g(), before)) << c.what;
        }
    }
}

TEST(CpuDistance, WalksTowardsWhenFartherThanPreferredAndAwayWhenNearer) {
    // h = 200 throughout; a preferred distance within 50 of it snaps to 200 and the fighter closes.
    struct Case {
        int selfX, otherX, cpuValor;
        int dx, cpuValorAfter;
    };
    const Case cases[] = {
        {100, 300, 100, +8, 100},  // facing right, farther than preferred: right
        {100, 300, 300, -8, 300},  // facing right, nearer: left, away
        {300, 100, 100, -8, 100},  // facing left, farther: left
        {300, 100, 300, +8, 300},  // facing left, nearer: right, away
        {100, 300, 150, +8, 200},  // snaps from below
        {100, 300, 250, +8, 200},  // snaps from above: equal counts as farther
        {100, 300, 251, -8, 251},  // just out of the snap
        {100, 300, 149, +8, 149}, {300, 100, 250, -8, 200},
    };
    for (const Case& c : cases) {
        Game game(5);
        Scene s;
        s.selfX = c.selfX;
        s.otherX = c.otherX;
        s.cpuValor = c.cpuValor;
        setUp(game, s);
        skipNewDistance(game);
        game.form.cpu(kCpu);
        EXPECT_EQ(game.L(kCpu).x - c.selfX, c.dx) << c.selfX << " " << c.cpuValor;
        EXPECT_EQ(game.L(kCpu).cpuValor, c.cpuValorAfter) << c.selfX << " " << c.cpuValor;
        EXPECT_EQ(game.L(kCpu).pos, 2);
    }
}

TEST(CpuDistance, ANewPreferredDistanceIsDrawnOnceInThirteenTicksFromSixValues) {
    // 340 apart, no drawn value (100 … 350) is farther than 50 from h except 300 and 350, which
    // snap to 340; the others are kept as drawn.
    Game game(7);
    Scene s;
    s.selfX = 30;
    s.otherX = 370;
    const GameState base = setUp(game, s);
    struct Case {
        int value;
        int seen = 0;
    };
    Case cases[] = {{100}, {150}, {200}, {250}, {340}};
    const int trials = 13000;
    int drawn = 0;
    count(game, base, trials, [&](const Lutador& l) {
        for (Case& c : cases) {
            if (l.cpuValor == c.value) ++c.seen;
        }
        drawn += l.cpuValor != 0 ? 1 : 0;
        return false;
    });
    expectRate(drawn, trials, 1.0 / 13, "any new distance");
    for (const Case& c : cases) {
        const double share = c.value == 340 ? 2.0 / 6 : 1.0 / 6;
        expectRate(c.seen, trials, share / 13, std::to_string(c.value).c_str());
    }
}

// The tick's first draw decides the new distance: exactly the ticks on which a draw of 0 … 12
// gives 0 pick one, whatever the others do.
TEST(CpuDistance, ANewDistanceComesExactlyWhenTheTicksFirstDrawOfThirteenIsZero) {
    Game game(11);
    Scene s;
    s.selfX = 30;
    s.otherX = 370;
    const GameState base = setUp(game, s);
    int drawn = 0;
    for (int i = 0; i < 2000; ++i) {
        const uint64_t r = game.g().rng;
        game.g() = base;
        game.g().rng = r;
        const bool zero = game.form.Random(13) == 0;
        game.g().rng = r;
        game.form.cpu(kCpu);
        const bool picked = game.L(kCpu).cpuValor != 0;
        ASSERT_EQ(picked, zero) << "tick " << i;
        drawn += picked ? 1 : 0;
    }
    EXPECT_GT(drawn, 0);
}

TEST(CpuThreat, OnlyALiveEffectOfTheOtherSideStopsWalkingAndPlainAttacks) {
    struct Case {
        const char* what;
        uint8_t tipo, ativo, dono;
        bool threat;
    };
    const Case cases[] = {
        {"the other's projectile", 8, 1, 1, true},
        {"the other's spark", 3, 1, 1, true},
        {"own projectile", 8, 1, 2, false},
        {"inactive", 8, 0, 1, false},
        {"free slot", 0, 1, 1, false},
    };
    for (const Case& c : cases) {
        Game game(11);
        Scene s;
        s.otherX = 240;  // within every plain attack's reach
        const GameState base = setUp(game, s);
        GameState staged = base;
        Efeito& e = staged.efeitos[kEffectSlots];
        e.tipo = c.tipo;
        e.ativo = c.ativo;
        e.dono = c.dono;
        e.x = 30;  // far away: no guard and no jump
        const int moved = count(game, staged, 300, [](const Lutador& l) { return l.x != 200; });
        const int attacked =
            count(game, staged, 300, [](const Lutador& l) { return l.pos >= 3 && l.pos <= 6; });
        if (c.threat) {
            EXPECT_EQ(moved, 0) << c.what;
            EXPECT_EQ(attacked, 0) << c.what;
        } else {
            EXPECT_EQ(moved, 300) << c.what;
            EXPECT_GT(attacked, 0) << c.what;
        }
    }
}

TEST(CpuThreat, GuardsWithTheRuledChances) {
    // Standing (pos 1), no walking under threat. The jump (4 in 9 within 120 px) comes first and
    // leaves the fighter in the air, where no guard is accepted; each guard try succeeds 4 in 7,
    // the one against an attacking fighter 5 in 6.
    struct Case {
        const char* what;
        int threatX;  // fighter 2 stands at 200
        uint8_t otherAtaque;
        double guard;
    };
    const double stays = 5.0 / 9;
    const double miss = 3.0 / 7;
    const Case cases[] = {
        {"projectile at 80: two tries", 280, 0, stays * (1 - miss * miss)},
        {"projectile at 100: two tries", 100, 0, stays * (1 - miss * miss)},
        {"projectile at 110: one try", 310, 0, stays * (1 - miss)},
        {"projectile at 120: one try", 80, 0, stays * (1 - miss)},
        {"projectile at 121: none", 321, 0, 0.0},
        {"far projectile, other attacking", 400, 1, 5.0 / 6},
        {"near projectile, other attacking", 280, 1, stays * (1 - miss * miss / 6)},
    };
    for (const Case& c : cases) {
        Game game(13);
        Scene s;
        s.otherX = 350;  // h = 150: the attacking fighter is just near enough
        s.threatX = c.threatX;
        s.otherAtaque = c.otherAtaque;
        const GameState base = setUp(game, s);
        const int trials = 3000;
        const int guarded = count(game, base, trials, [](const Lutador& l) { return l.pos == 21; });
        expectRate(guarded, trials, c.guard, c.what);
    }
}

TEST(CpuThreat, AttackingFighterBeyondReachIsNotGuardedAgainst) {
    Game game(17);
    Scene s;
    s.otherX = 351;  // h = 151
    s.otherAtaque = 1;
    s.threatX = 30;  // a far threat keeps the fighter from walking
    const GameState base = setUp(game, s);
    EXPECT_EQ(count(game, base, 500, [](const Lutador& l) { return l.pos == 21; }), 0);
}

TEST(CpuThreat, TheDistanceIsTakenFromTheHighestNumberedThreat) {
    struct Case {
        int lowSlotX, highSlotX;
        bool guards;
    };
    const Case cases[] = {{280, 30, false}, {30, 280, true}};
    for (const Case& c : cases) {
        Game game(19);
        GameState base = setUp(game, Scene{});
        for (auto [slot, x] : {std::pair{5, c.lowSlotX}, std::pair{60, c.highSlotX}}) {
            Efeito& e = base.efeitos[static_cast<size_t>(slot)];
            e.tipo = 8;
            e.ativo = 1;
            e.dono = 1;
            e.x = x;
        }
        const int guarded = count(game, base, 500, [](const Lutador& l) { return l.pos == 21; });
        EXPECT_EQ(guarded > 0, c.guards) << c.lowSlotX;
    }
}

TEST(CpuJump, JumpsOnlyFromStandingOrWalkingAndMostlyTowardsTheFacingSide) {
    struct Case {
        const char* what;
        uint8_t pos;
        int selfX, otherX, threatX;
        double jump;
        uint8_t forward;  // puloDir of a jump that is not straight up
    };
    const Case cases[] = {
        {"standing, threat near, facing right", 1, 200, 350, 280, 4.0 / 9, 3},
        {"walking, threat near, facing left", 2, 200, 50, 280, 4.0 / 9, 2},
        {"no threat, walks then jumps 1 in 90", 1, 100, 300, -1, 1.0 / 90, 3},
        {"crouching", 7, 200, 350, 280, 0.0, 0},
        {"guarding", 21, 200, 350, 280, 0.0, 0},
        {"heavy punch", 5, 200, 350, 280, 0.0, 0},
    };
    for (const Case& c : cases) {
        Game game(23);
        Scene s;
        s.pos = c.pos;
        s.selfX = c.selfX;
        s.otherX = c.otherX;
        s.threatX = c.threatX;
        s.cpuValor = std::abs(c.selfX - c.otherX);  // no plain attack or special reaches that far
        const GameState base = setUp(game, s);
        const int trials = 9000;
        int straight = 0;
        int forward = 0;
        const int jumps = count(game, base, trials, [&](const Lutador& l) {
            if (l.pos != 12) return false;
            EXPECT_EQ(l.grav, -32);
            EXPECT_EQ(l.pulo, 1);
            EXPECT_EQ(l.cicloFim, 99);
            EXPECT_EQ(l.ciclo, 0);
            straight += l.puloDir == 1 ? 1 : 0;
            forward += l.puloDir == c.forward ? 1 : 0;
            return true;
        });
        expectRate(jumps, trials, c.jump, c.what);
        EXPECT_EQ(straight + forward, jumps) << c.what;
        expectRate(straight, jumps, 0.25, c.what);
    }
}

TEST(CpuPlainAttacks, EachAttackIsTriedWithinItsReach) {
    // Walking first, then 1 in 16 for the light attacks (50 and 70 px) and 1 in 18 for the heavy
    // ones (80 and 90 px); an attack started refuses the ones after it.
    struct Case {
        int h;
        double attack;
        uint8_t onlyPos;  // when a single attack is in reach
    };
    const double l = 15.0 / 16;
    const double hv = 17.0 / 18;
    const Case cases[] = {
        {50, 1 - l * l * hv * hv, 0},
        {51, 1 - l * hv * hv, 0},
        {70, 1 - l * hv * hv, 0},
        {71, 1 - hv * hv, 0},
        {81, 1 - hv, 6},
        {90, 1 - hv, 6},
        {91, 0.0, 0},
    };
    for (const Case& c : cases) {
        Game game(29);
        Scene s;
        s.otherX = 200 + c.h;
        s.cpuValor = c.h;
        const GameState base = setUp(game, s);
        const int trials = 6000;
        const int attacks = count(game, base, trials, [&](const Lutador& f) {
            const bool attacking = f.pos >= 3 && f.pos <= 6;
            if (attacking && c.onlyPos != 0) {
                EXPECT_EQ(f.pos, c.onlyPos) << c.h;
            }
            return attacking;
        });
        expectRate(attacks, trials, c.attack, std::to_string(c.h).c_str());
    }
}

TEST(CpuSpecials, ALongRangeThreatIsAnsweredByCharactersThatHaveTheRule) {
    // A projectile 250 px away and the other fighter 300 px away: only the threat rule can fire,
    // 1 in 14 (1 in 13 for characters 6 and 8), starting a special from standing.
    struct Case {
        int personagem;
        double chance;
    };
    const Case cases[] = {{1, 1.0 / 14}, {2, 1.0 / 14}, {3, 1.0 / 14}, {4, 1.0 / 14},
                          {5, 1.0 / 14}, {6, 1.0 / 13}, {7, 0.0},      {8, 1.0 / 13},
                          {9, 0.0},      {10, 0.0},     {11, 0.0},     {12, 1.0 / 14}};
    for (const Case& c : cases) {
        Game game(31);
        Scene s;
        s.personagem = c.personagem;
        s.selfX = 50;
        s.otherX = 350;
        s.threatX = 300;
        const GameState base = setUp(game, s);
        const int trials = 7000;
        std::set<int> states;
        const int specials = count(game, base, trials, [&](const Lutador& l) {
            if (l.pos >= 25) states.insert(l.pos);
            return l.pos >= 25;
        });
        expectRate(specials, trials, c.chance, std::to_string(c.personagem).c_str());
        // Character 6 picks among four codes, two moves; the others between two codes, one move.
        if (c.chance > 0) {
            EXPECT_EQ(states.size(), c.personagem == 6 ? 2U : 1U) << c.personagem;
        }
    }
}

// A fight already past its intro: fighter 1 a person standing still, fighter 2 the computer.
void startFight(Game& game, int personagem2) {
    game.L(2).personagem = static_cast<uint8_t>(personagem2);
    game.pastIntro();
}

TEST(CpuMatch, EveryCharacterAttacksAndUsesSpecialsInTheRealFrame) {
    const int characters[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (int c : characters) {
        Game game(37);
        game.form.setBlindMute(true);
        game.L(1).humano = 1;
        startFight(game, c);
        bool plain = false;
        bool special = false;
        for (int i = 0; i < 3000 && game.m().modoTela == tela::Luta; ++i) {
            game.frame();
            const int pos = game.L(2).pos;
            plain = plain || (pos >= 3 && pos <= 6);
            special = special || pos >= 25;
        }
        EXPECT_TRUE(plain) << "character " << c;
        EXPECT_TRUE(special) << "character " << c;
    }
}

// Two computer fighters play until the match is decided; returns the frames it took.
int playMatch(Game& game) {
    game.form.setBlindMute(true);
    game.L(1).personagem = 4;
    game.L(2).personagem = 9;
    game.m().limiteDeTempo = 1;
    game.m().modoTela = tela::Selecao;
    game.form.iniciarLuta();
    constexpr int kFrameLimit = 40000;
    int frames = 0;
    while (game.m().modoTela == tela::Luta && frames < kFrameLimit) {
        // Should no blow land, fighter 1 is one point behind when the clock runs out, so the
        // time-out names a loser instead of replaying the round.
        if (game.m().tempo == 1 && game.L(1).hp == game.L(2).hp && game.L(1).hp > 1) {
            game.L(1).hp -= 1;
        }
        game.frame();
        ++frames;
    }
    return frames;
}

TEST(CpuMatch, TwoComputerFightersPlayAWholeMatchTheSameWayFromTheSameSeed) {
    struct Case {
        uint64_t seed;
    };
    const Case cases[] = {{41}, {42}};
    for (const Case& c : cases) {
        Game first(c.seed, true);
        Game second(c.seed, true);
        const int frames = playMatch(first);
        EXPECT_EQ(first.m().modoTela, tela::Selecao) << "seed " << c.seed;
        EXPECT_GE(std::max(first.L(1).roundsGanhos, first.L(2).roundsGanhos), first.m().rounds);
        EXPECT_EQ(playMatch(second), frames) << "seed " << c.seed;
        EXPECT_TRUE(testing::sameState(first.g(), second.g())) << "seed " << c.seed;
    }
}

}  // namespace
}  // namespace pelea
