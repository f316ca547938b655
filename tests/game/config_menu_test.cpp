#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// Opens the menu from a fight, as F1 does.
void openMenu(Game& game) {
    game.m().modoTela = tela::Selecao;
    game.form.iniciarLuta();
    game.frame();
    game.key(vk::F1);
}

// One frame with the keyboard and joystick holding these states, then one with nothing held.
void press(Game& game, uint32_t keyboard, uint32_t joystick = 0) {
    game.plat.keyboard = keyboard;
    game.plat.joystick = joystick;
    game.frame();
    game.plat.keyboard = game.plat.joystick = 0;
    game.frame();
}

TEST(ConfigMenu, CursorMovesPerDeviceAndStopsAtBothEnds) {
    Game game;
    openMenu(game);
    ASSERT_EQ(game.m().modoTela, tela::Config);
    EXPECT_EQ(game.m().itemMenu, 1);
    press(game, media::isUp);
    EXPECT_EQ(game.m().itemMenu, 1);
    press(game, media::isDown, media::isDown);  // both devices in one frame: two rows
    EXPECT_EQ(game.m().itemMenu, 3);
    press(game, 0, media::isDown);
    EXPECT_EQ(game.m().itemMenu, 4);
    for (int i = 0; i < 5; ++i)
        press(game, media::isDown);
    EXPECT_EQ(game.m().itemMenu, 6);
    // Holding does not repeat.
    game.plat.keyboard = media::isUp;
    game.frames(6);
    EXPECT_EQ(game.m().itemMenu, 5);
}

TEST(ConfigMenu, OptionsStepOncePerFrameAndStopAtTheEnds) {
    struct Case {
        int row;
        uint32_t dir;
        int presses;
        bool bothDevices;
        double (*value)(const MatchState&);
        double expected;
    };
    auto nivel = +[](const MatchState& m) { return double(m.nivel); };
    auto limite = +[](const MatchState& m) { return double(m.limiteDeTempo); };
    auto poder = +[](const MatchState& m) { return double(m.poder); };
    auto dano = +[](const MatchState& m) { return m.nivelDano; };
    auto sangue = +[](const MatchState& m) { return double(m.opcaoSangue); };
    auto rounds = +[](const MatchState& m) { return double(m.rounds); };
    const Case cases[] = {
        {1, media::isLeft, 10, false, nivel, 1},   {1, media::isRight, 10, false, nivel, 8},
        {1, media::isRight, 1, true, nivel, 5},  // left or right on both devices: one step
        {2, media::isLeft, 1, false, limite, 1},   {2, media::isRight, 1, false, limite, 0},
        {3, media::isRight, 2, false, poder, 3},   {3, media::isRight, 9, false, poder, 4},
        {3, media::isLeft, 9, false, poder, 1},    {4, media::isLeft, 4, false, dano, 0.3},
        {4, media::isLeft, 9, false, dano, 0.3},   {4, media::isRight, 14, false, dano, 2.0},
        {4, media::isRight, 20, false, dano, 2.0}, {5, media::isRight, 1, false, sangue, 0},
        {6, media::isRight, 5, false, rounds, 3},  {6, media::isLeft, 5, false, rounds, 1},
    };
    for (const Case& c : cases) {
        Game game;
        openMenu(game);
        game.m().itemMenu = static_cast<uint8_t>(c.row);
        for (int i = 0; i < c.presses; ++i)
            press(game, c.dir, c.bothDevices ? c.dir : 0);
        EXPECT_NEAR(c.value(game.m()), c.expected, 1e-9) << "row " << c.row << " x" << c.presses;
    }
}

TEST(ConfigMenu, DamageGaugeGrowsWithTheDamageLevel) {
    // Red bar from x 142 to Round(78 · nivelDano) + 142: 55 px at 0.7.
    Game game;
    openMenu(game);
    game.frame();
    const media::Surface& s = game.form.DXDraw1.Surface;
    const TColor red = media::from565(media::to565(media::rgb(255, 0, 0)));
    EXPECT_EQ(s.colorAt(142, 150), red);
    EXPECT_EQ(s.colorAt(196, 150), red);
    EXPECT_NE(s.colorAt(197, 150), red);
}

TEST(ConfigMenu, F1ReturnsToTheSameFightFrame) {
    Game game;
    openMenu(game);
    const GameState before = game.form.g;
    game.frames(20);  // the fight is frozen behind the menu
    game.key(vk::F1);
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    EXPECT_EQ(game.m().inicioRound, before.m.inicioRound);
    EXPECT_EQ(game.m().pisca, before.m.pisca);
    EXPECT_EQ(game.L(1).x, before.lutador[1].x);
    game.frame();
    EXPECT_EQ(game.m().inicioRound, before.m.inicioRound + 1);
}

TEST(ConfigMenu, NoBottomLineInTheMenu) {
    Game game;
    openMenu(game);
    game.m().velocidadTempo = 5;
    game.frame();
    EXPECT_EQ(game.m().velocidadTempo, 5);  // the speed gauge is part of the bottom line
}

}  // namespace
}  // namespace pelea
