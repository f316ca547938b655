#include <gtest/gtest.h>

#include <limits>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

constexpr TColor shown(TColor c) {
    return media::from565(media::to565(c));
}
const TColor kLifeColour = shown(media::rgb(250, 250, 100));

// A fight past its intro: both fighters free, full life.
void fighting(Game& game) {
    game.pastIntro();
}

TEST(FightDisplay, LifeBarsEndWhereTheLifeSays) {
    struct Case {
        double hp;
        int end1;  // fighter 1's leftmost bar column (the bar grows left from 174)
        int end2;  // fighter 2's rightmost bar column (the bar grows right from 225)
    };
    const Case cases[] = {{125, 50, 349}, {60, 115, 284}, {0.4, 175, 224}, {130, 50, 349}};
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.L(1).hp = game.L(1).hpBarra = c.hp;
        game.L(2).hp = game.L(2).hpBarra = c.hp;
        game.frame();
        const media::Surface& s = game.form.DXDraw1.Surface;
        EXPECT_LE(game.L(1).hp, 125.0);
        if (c.end1 < 175) {
            EXPECT_EQ(s.colorAt(c.end1, 41), kLifeColour) << c.hp;
            EXPECT_EQ(s.colorAt(174, 41), kLifeColour) << c.hp;
            EXPECT_EQ(s.colorAt(c.end2, 41), kLifeColour) << c.hp;
            EXPECT_EQ(s.colorAt(225, 41), kLifeColour) << c.hp;
        }
        EXPECT_NE(s.colorAt(c.end1 - 1, 41), kLifeColour) << c.hp;
        EXPECT_NE(s.colorAt(c.end2 + 1, 41), kLifeColour) << c.hp;
    }
}

TEST(FightDisplay, LifeIsClampedBeforeItIsDrawn) {
    // A value that is not a number becomes 0, as one below 0 does.
    const std::pair<double, double> cases[] = {{130.0, 125.0},
                                               {-3.0, 0.0},
                                               {60.5, 60.5},
                                               {std::numeric_limits<double>::quiet_NaN(), 0.0},
                                               {std::numeric_limits<double>::infinity(), 125.0}};
    for (const auto& [written, kept] : cases) {
        Game game;
        fighting(game);
        game.L(1).hp = written;
        game.L(2).hp = 125.0;
        game.form.lutaPainelSuperior();
        EXPECT_EQ(game.L(1).hp, kept) << written;
    }
}

TEST(FightDisplay, TrailWaitsEightFramesThenFallsThreeAFrame) {
    Game game;
    fighting(game);
    game.L(1).hp = 100.0;
    game.L(1).hpBarra = 125.0;
    game.L(1).hpBarraEspera = 8.0;
    std::vector<double> trail;
    for (int i = 0; i < 12; ++i) {
        game.frame();
        trail.push_back(game.L(1).hpBarra);
    }
    const std::vector<double> expected = {125, 125, 125, 125, 125, 125,
                                          125, 125, 122, 119, 116, 113};
    EXPECT_EQ(trail, expected);
    game.frames(10);
    EXPECT_EQ(game.L(1).hpBarra, 100.0);  // 101 falls to 98, then meets the life at 100
}

TEST(FightDisplay, TrailWaitRunsOutDuringAHitStopButTheTrailHolds) {
    Game game;
    fighting(game);
    game.L(1).hp = 100.0;
    game.L(1).hpBarra = 125.0;
    game.L(1).hpBarraEspera = 8.0;
    game.m().golpePausa = 12;
    game.frames(11);
    EXPECT_EQ(game.L(1).hpBarraEspera, 0.0);
    EXPECT_EQ(game.L(1).hpBarra, 125.0);
    game.frame();  // the last frame of the hit-stop: still held
    EXPECT_EQ(game.L(1).hpBarra, 125.0);
    game.frame();
    EXPECT_EQ(game.L(1).hpBarra, 122.0);
}

TEST(FightDisplay, LowLifeBlinksTheFrameRedAndTurnsTheTicksRed) {
    struct Case {
        double hp;
        int pisca;
        TColor frame;  // inside the innermost box, clear of bars and ticks
        TColor tick;
    };
    const TColor red = media::rgb(200, 0, 0), black = media::kBlack;
    const TColor grey = media::rgb(150, 150, 150), redTick = media::rgb(255, 50, 50);
    const Case cases[] = {{10, 4, red, redTick},
                          {10, 5, black, redTick},
                          {15, 4, red, redTick},
                          {16, 4, black, grey}};
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.L(1).hp = game.L(1).hpBarra = c.hp;
        game.m().pisca = static_cast<uint8_t>(c.pisca);
        game.frame();
        const media::Surface& s = game.form.DXDraw1.Surface;
        EXPECT_EQ(s.colorAt(100, 40), shown(c.frame)) << c.hp << " " << c.pisca;
        EXPECT_EQ(s.colorAt(112, 40), shown(c.tick)) << c.hp;  // tick k = 3 at x 200 − 88
    }
}

TEST(FightDisplay, FullMeterBecomesAStockWithItsSound) {
    struct Case {
        double especial;
        int estoque;
        double especialAfter;
        int estoqueAfter;
        bool sound;
    };
    const Case cases[] = {
        {101.9, 0, 101.9, 0, false},  // not yet full
        {102.0, 0, 0.0, 1, true},
        {104.0, 2, 102.0, 3, true},   // the third stock keeps the meter full
        {102.0, 3, 102.0, 3, false},  // already three stocks
        {30.0, 5, 102.0, 3, false},   // never above three
        {30.0, -2, 30.0, 0, false},
    };
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.L(2).especial = c.especial;
        game.L(2).estoque = static_cast<int16_t>(c.estoque);
        const auto sounds = game.frame();
        EXPECT_DOUBLE_EQ(game.L(2).especial, c.especialAfter) << c.especial << "/" << c.estoque;
        EXPECT_EQ(game.L(2).estoque, c.estoqueAfter) << c.especial << "/" << c.estoque;
        const bool played = std::find(sounds.begin(), sounds.end(), "Snd:13") != sounds.end();
        EXPECT_EQ(played, c.sound) << c.especial << "/" << c.estoque;
    }
}

TEST(FightDisplay, PowerModesKeepSidesAtThreeStocks) {
    struct Case {
        uint8_t poder;
        int stocks1, stocks2;
    };
    const Case cases[] = {{1, 0, 0}, {2, 3, 0}, {3, 0, 3}, {4, 3, 3}};
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.m().poder = c.poder;
        game.frame();
        EXPECT_EQ(game.L(1).estoque, c.stocks1) << int(c.poder);
        EXPECT_EQ(game.L(2).estoque, c.stocks2) << int(c.poder);
        EXPECT_EQ(game.L(1).especial, c.stocks1 == 3 ? 102.0 : 0.0);
    }
}

TEST(FightDisplay, ComboCounterKeepsTheLargestAndClearsWhenItRunsOut) {
    Game game;
    fighting(game);
    game.L(1).hits = 1;
    game.L(1).hitsTempo = 2;
    game.frame();
    EXPECT_EQ(game.L(1).hitsMax, 1);  // followed even though a single hit is not shown
    EXPECT_EQ(game.L(1).hitsTempo, 1);
    game.L(1).hits = 4;
    game.frame();
    EXPECT_EQ(game.L(1).hitsMax, 4);
    EXPECT_EQ(game.L(1).hitsTempo, 0);
    EXPECT_EQ(game.L(1).hits, 0);
    game.L(1).hits = 2;
    game.L(1).hitsTempo = 5;
    game.frame();
    EXPECT_EQ(game.L(1).hitsMax, 4);
}

TEST(FightDisplay, MeterFillsFromTheCentreOutwards) {
    // x1 = Round((especial + 64)·s) + 200: fighter 1's meter ends at 136 − especial.
    Game game;
    fighting(game);
    game.L(1).especial = 50.0;
    game.L(2).especial = 50.0;
    game.frame();
    const media::Surface& s = game.form.DXDraw1.Surface;
    const TColor inner = shown(media::rgb(250, 220, 140));
    EXPECT_EQ(s.colorAt(86, 280), inner);
    EXPECT_EQ(s.colorAt(135, 280), inner);
    EXPECT_NE(s.colorAt(85, 280), inner);
    EXPECT_EQ(s.colorAt(264, 280), inner);
    EXPECT_EQ(s.colorAt(313, 280), inner);
    EXPECT_NE(s.colorAt(314, 280), inner);
}

}  // namespace
}  // namespace pelea
