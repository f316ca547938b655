#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

constexpr Area kCorpo{-20, 0, 20, 100};

// Two fighters on the floor with the view at telaX 100 (margins 130 and 470).
void prepara(Game& game, int x1, int x2, Area area = {}) {
    game.m().telaX = 100;
    game.m().finRound = 0;
    game.m().golpePausa = 0;
    game.m().pausaEspecial = 0;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = game.L(n);
        l.x = n == 1 ? x1 : x2;
        l.y = 300;
        l.pos = 1;
        l.ciclo = 0;
        l.cicloFim = 99;
        l.grav = 0;
        l.pulo = 0;
        l.puloDir = 0;
        l.hp = 125.0;
        l.recuo = 0;
        l.areaContato = area;
    }
}

TEST(Movement, MoverPushesFiveAndLeavesAGap) {
    struct Case {
        const char* nome;
        int n;
        int x1, x2;
        uint8_t pos;
        int dx;
        int x1b, x2b;
    };
    // Bodies 40 wide: touching areas are 40 apart, a 5-pixel gap is 45.
    const Case cases[] = {
        {"walk into the other", 1, 200, 245, 1, 8, 205, 250},
        {"a long step pushes the same", 1, 200, 245, 1, 30, 205, 250},
        {"pushing leftwards", 2, 200, 245, 1, -8, 195, 240},
        {"no overlap, no push", 1, 200, 300, 1, 8, 208, 300},
        {"stops at the right margin", 1, 425, 470, 1, 8, 425, 470},
        {"stops at the left margin", 2, 130, 175, 1, -8, 130, 175},
        {"victory pose passes through", 1, 200, 245, 23, 30, 230, 245},
        {"getting up passes through", 1, 200, 245, 20, 30, 230, 245},
        {"the mover keeps to the view", 1, 135, 300, 1, -20, 130, 300},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome);
        game.g() = inicial;
        prepara(game, c.x1, c.x2, kCorpo);
        game.L(c.n).pos = c.pos;
        game.form.mover(c.n, c.dx);
        EXPECT_EQ(game.L(1).x, c.x1b);
        EXPECT_EQ(game.L(2).x, c.x2b);
    }
}

TEST(Movement, ViewClampSkippedWhenDeadOrAfterTheRound) {
    struct Case {
        const char* nome;
        double hp;
        uint8_t finRound;
        bool porMover;  // through mover, else through the physics step
        int x;
    };
    const Case cases[] = {
        {"alive, by mover", 125.0, 0, true, 130},
        {"dead, by mover", 0.0, 0, true, 50},
        {"round over, by mover", 125.0, 1, true, 50},
        {"alive, by physics", 125.0, 0, false, 130},
        {"dead, by physics", 0.0, 0, false, 50},
        {"round over, by physics", 125.0, 3, false, 50},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome);
        game.g() = inicial;
        prepara(game, 150, 400);
        Lutador& l = game.L(1);
        l.hp = c.hp;
        game.m().finRound = c.finRound;
        if (c.porMover) {
            game.form.mover(1, -100);
        } else {
            l.x = 50;
            game.form.fisica(1);
        }
        EXPECT_EQ(l.x, c.x);
    }
}

// A jump started the way the input step starts one.
void salta(Lutador& l, uint8_t puloDir) {
    l.grav = -32;
    l.pulo = 1;
    l.pos = 12;
    l.ciclo = 0;
    l.cicloFim = 99;
    l.puloDir = puloDir;
}

TEST(Movement, JumpArcFromTheFloor) {
    struct Marco {
        int tick, y;
        uint8_t pos, pulo;
    };
    // −32 with gravity 4: up 144 over 8 ticks, 156 after ticks 8 and 9, back at 300 after 17
    // without landing, landed in tick 18.
    const Marco marcos[] = {{1, 268, 12, 1},  {7, 160, 12, 1},  {8, 156, 12, 1},  {9, 156, 12, 1},
                            {10, 160, 12, 1}, {16, 268, 12, 1}, {17, 300, 12, 1}, {18, 300, 1, 0}};
    Game game;
    prepara(game, 300, 600);
    salta(game.L(1), 1);
    size_t k = 0;
    for (int tick = 1; tick <= 18; ++tick) {
        game.form.lutaFisica();
        if (k < std::size(marcos) && marcos[k].tick == tick) {
            SCOPED_TRACE(::testing::Message() << "tick " << tick);
            EXPECT_EQ(game.L(1).y, marcos[k].y);
            EXPECT_EQ(game.L(1).pos, marcos[k].pos);
            EXPECT_EQ(game.L(1).pulo, marcos[k].pulo);
            ++k;
        }
    }
    EXPECT_EQ(game.L(1).grav, 0);
}

TEST(Movement, JumpDriftAndLandingFacing) {
    struct Case {
        uint8_t puloDir;
        int x;         // after landing
        uint8_t lado;  // the other stands at 360
    };
    // 8 pixels in each of the 18 ticks: at most 144.
    const Case cases[] = {{1, 300, 1}, {0, 300, 1}, {2, 156, 1}, {3, 444, 2}};
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "puloDir " << int{c.puloDir});
        game.g() = inicial;
        prepara(game, 300, 360);
        game.L(1).lado = 2;
        salta(game.L(1), c.puloDir);
        for (int tick = 1; tick <= 18; ++tick)
            game.form.lutaFisica();
        EXPECT_EQ(game.L(1).pulo, 0);
        EXPECT_EQ(game.L(1).x, c.x);
        EXPECT_EQ(game.L(1).lado, c.lado);
        EXPECT_EQ(game.L(1).puloDir, 0);
    }
}

TEST(Movement, PausesHoldEveryMotion) {
    struct Case {
        uint8_t golpePausa, pausaEspecial;
    };
    const Case cases[] = {{3, 0}, {0, 5}};
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        game.g() = inicial;
        prepara(game, 300, 400);
        salta(game.L(1), 3);
        game.L(1).y = 200;
        game.L(2).pos = 17;
        game.L(2).recuo = 5;
        game.L(2).lado = 2;
        game.m().golpePausa = c.golpePausa;
        game.m().pausaEspecial = c.pausaEspecial;
        game.form.lutaGolpes();
        game.form.lutaFisica();
        EXPECT_EQ(game.L(1).y, 200);
        EXPECT_EQ(game.L(1).x, 300);
        EXPECT_EQ(game.L(1).grav, -32);
        EXPECT_EQ(game.L(2).x, 400);
    }
}

TEST(Movement, HitSlideMovesBackwards) {
    struct Case {
        uint8_t pos, lado, recuo;
        int x;
    };
    const Case cases[] = {{17, 1, 5, 295}, {18, 2, 5, 305}, {17, 2, 25, 325}, {5, 1, 5, 300}};
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        game.g() = inicial;
        prepara(game, 300, 450);
        Lutador& l = game.L(1);
        l.pos = c.pos;
        l.lado = c.lado;
        l.recuo = c.recuo;
        game.form.lutaGolpes();
        EXPECT_EQ(l.x, c.x) << "pos " << int{c.pos} << " lado " << int{c.lado};
    }
}

TEST(Movement, KnockDownFlightBounceAndGettingUp) {
    struct Marco {
        int tick;
        uint8_t pos;
        int x, y;
        int8_t grav;
        uint8_t pulo, recuo, invencivel;
    };
    // From the floor at −19: y 281, 266, 255, 248, 245, 246, 251, 260, 273, 290, then 311 in
    // tick 11, which bounces (y 290, −13) and slides once more in the same tick. The bounce
    // comes down past the floor in tick 20; the 25-tick get-up ends in tick 36.
    const Marco marcos[] = {
        {1, 19, 295, 281, -15, 1, 5, 1},  {10, 19, 250, 290, 21, 1, 5, 1},
        {11, 20, 240, 290, -13, 1, 5, 1}, {12, 20, 235, 277, -9, 1, 5, 1},
        {20, 20, 195, 300, 0, 1, 0, 1},   {36, 1, 195, 300, 0, 0, 0, 0},
    };
    Game game;
    prepara(game, 300, 600);
    Lutador& l = game.L(1);
    l.lado = 1;
    game.form.acao(1, 10);
    l.recuo = 5;
    size_t k = 0;
    for (int tick = 1; tick <= 36; ++tick) {
        game.form.DXSound1.clearPlayed();
        game.form.lutaFisica();
        const bool quique = tick == 11;
        EXPECT_EQ(game.sounds(),
                  quique ? std::vector<std::string>{"Snd:12"} : std::vector<std::string>{})
            << "tick " << tick;
        if (k < std::size(marcos) && marcos[k].tick == tick) {
            const Marco& m = marcos[k++];
            SCOPED_TRACE(::testing::Message() << "tick " << tick);
            EXPECT_EQ(l.pos, m.pos);
            EXPECT_EQ(l.x, m.x);
            EXPECT_EQ(l.y, m.y);
            EXPECT_EQ(l.grav, m.grav);
            EXPECT_EQ(l.pulo, m.pulo);
            EXPECT_EQ(l.recuo, m.recuo);
            EXPECT_EQ(l.invencivel, m.invencivel);
        }
    }
}

TEST(Movement, HeavyFightersShakeTheStageWhenTheyFall) {
    struct Case {
        uint8_t personagem, tremor;
    };
    const Case cases[] = {{1, 0}, {7, 20}, {10, 20}, {12, 0}};
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        game.g() = inicial;
        prepara(game, 300, 600);
        game.L(1).personagem = c.personagem;
        game.L(1).pos = 19;
        game.L(1).pulo = 1;
        game.L(1).y = 296;
        game.L(1).grav = 4;
        game.m().tremorTempo = 0;
        game.form.fisica(1);
        EXPECT_EQ(game.L(1).pos, 20);
        EXPECT_EQ(game.m().tremorTempo, c.tremor) << "character " << int{c.personagem};
    }
}

TEST(Movement, FloorClampStandsAFighterBelowTheFloor) {
    Game game;
    prepara(game, 300, 400);
    Lutador& l = game.L(1);
    l.pos = 5;
    l.y = 310;
    l.ciclo = 3;
    l.cicloFim = 11;
    l.ataque = 1;
    l.derruba = 1;
    l.angulo = 30;
    l.giro = -20;
    game.form.lutaFisica();
    EXPECT_EQ(l.y, 300);
    EXPECT_EQ(l.pos, 1);
    EXPECT_EQ(l.ciclo, 0);
    EXPECT_EQ(l.ataque, 0);
    EXPECT_EQ(l.derruba, 0);
    EXPECT_EQ(l.angulo, 0);
    EXPECT_EQ(l.giro, 0);
}

TEST(Movement, JumpInTheFightFrameLandsOnItsEighteenthFrame) {
    struct Case {
        int frames;
        int y;
        uint8_t pulo;
    };
    const Case cases[] = {{8, 156, 1}, {17, 300, 1}, {18, 300, 0}};
    Game game;
    game.pastIntro();
    game.frame();
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        game.g() = inicial;
        salta(game.L(1), 1);
        game.frames(c.frames);
        EXPECT_EQ(game.L(1).y, c.y) << c.frames << " frames";
        EXPECT_EQ(game.L(1).pulo, c.pulo) << c.frames << " frames";
    }
}

}  // namespace
}  // namespace pelea
