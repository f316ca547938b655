#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

TEST(KeyHandler, SpeedKeysStayWithinBoundsAndShowTheGauge) {
    struct Case {
        int key;
        int presses;
        int expectedVel;
    };
    const Case cases[] = {
        {vk::Equals, 14, 0},  // from 28, fourteen presses reach 0
        {vk::Equals, 15, 0},  // and a fifteenth does nothing
        {vk::Minus, 26, 80},  // from 28, twenty-six presses reach 80
        {vk::Minus, 40, 80},  // and more do nothing
        {vk::Equals, 1, 26},
    };
    for (const Case& c : cases) {
        Game game;
        for (int i = 0; i < c.presses; ++i)
            game.key(c.key);
        EXPECT_EQ(game.m().vel, c.expectedVel) << c.key << " x" << c.presses;
        EXPECT_EQ(game.m().velocidadTempo, 30);
        game.frame();
        EXPECT_EQ(game.form.DXTimer1.Interval, static_cast<unsigned>(c.expectedVel));
        EXPECT_EQ(game.m().velocidadTempo, 29);
    }
}

TEST(KeyHandler, GaugeMarkerFollowsTheSpeed) {
    // g = 238 − Round(vel / 1.05): vel 30 → 28.57 → 29 → marker from x 209 to 210.
    const TColor marker = media::from565(media::to565(media::rgb(255, 50, 50)));
    Game game;
    game.key(vk::Minus);
    game.frame();
    const media::Surface& s = game.form.DXDraw1.Surface;
    EXPECT_EQ(s.colorAt(209, 281), marker);
    EXPECT_EQ(s.colorAt(210, 281), marker);
    EXPECT_NE(s.colorAt(211, 281), marker);
    EXPECT_NE(s.colorAt(208, 281), marker);
}

TEST(KeyHandler, CreditsStopAt99AndTheCoinSoundsOnlyWhenOneIsAdded) {
    Game game;
    for (int i = 1; i <= 99; ++i) {
        EXPECT_EQ(game.key(vk::Digit5), std::vector<std::string>{"Snd:0"}) << i;
    }
    EXPECT_EQ(game.m().creditos, 99);
    EXPECT_TRUE(game.key(vk::Digit5).empty());
    EXPECT_EQ(game.m().creditos, 99);
}

TEST(KeyHandler, SurfaceOffsetStaysWithinForty) {
    Game game;
    for (int i = 0; i < 60; ++i)
        game.key(vk::Comma);
    EXPECT_EQ(game.form.DXDraw1.Left, -40);
    for (int i = 0; i < 30; ++i)
        game.key(vk::Period);
    EXPECT_EQ(game.form.DXDraw1.Left, -10);
    for (int i = 0; i < 90; ++i)
        game.key(vk::Period);
    EXPECT_EQ(game.form.DXDraw1.Left, 40);
}

TEST(KeyHandler, QuitKeysTerminate) {
    for (int key : {vk::Escape, vk::LeftWin}) {
        Game game;
        EXPECT_FALSE(game.form.terminated());
        game.key(key);
        EXPECT_TRUE(game.form.terminated()) << key;
    }
}

TEST(KeyHandler, PauseStopsTheTimerWhileKeysStillAct) {
    Game game;
    game.m().modoTela = tela::Selecao;
    game.m().lutaParada = 0;
    game.key(vk::P);
    EXPECT_FALSE(game.form.DXTimer1.Enabled);
    game.key(vk::Digit5);
    game.key(vk::Digit2);
    EXPECT_EQ(game.L(2).humano, 1);
    EXPECT_EQ(game.m().creditos, 0);
    game.key(vk::P);
    EXPECT_TRUE(game.form.DXTimer1.Enabled);
}

TEST(KeyHandler, JoiningNeedsACreditAScreenThatTakesItAndAFreeSide) {
    struct Case {
        const char* what;
        uint8_t modoTela;
        uint8_t creditos;
        uint8_t lutaParada;
        int key;
        bool joins;
    };
    const Case cases[] = {
        {"select screen with a credit", tela::Selecao, 1, 0, vk::Digit2, true},
        {"fight with a credit", tela::Luta, 2, 0, vk::Digit2, true},
        {"no credit", tela::Selecao, 0, 0, vk::Digit2, false},
        {"title screen", tela::Titulo, 1, 0, vk::Digit2, false},
        {"configuration menu", tela::Config, 1, 0, vk::Digit2, false},
        {"fighters held still", tela::Luta, 1, 1, vk::Digit2, false},
        {"fighter 1 is already a player", tela::Selecao, 1, 0, vk::Digit1, false},
    };
    for (const Case& c : cases) {
        Game game;
        game.m().modoTela = c.modoTela;
        game.m().creditos = c.creditos;
        game.m().lutaParada = c.lutaParada;
        const int n = c.key == vk::Digit1 ? 1 : 2;
        game.L(n).pontos = 777;
        const uint8_t humanoBefore = game.L(n).humano;
        game.key(c.key);
        if (c.joins) {
            EXPECT_EQ(game.L(n).humano, 1) << c.what;
            EXPECT_EQ(game.L(n).escolhido, 0) << c.what;
            EXPECT_EQ(game.L(n).pontos, 0) << c.what;
            EXPECT_EQ(game.m().creditos, c.creditos - 1) << c.what;
            EXPECT_EQ(game.m().esperaTempo, c.modoTela == tela::Luta ? 100 : 0) << c.what;
        } else {
            EXPECT_EQ(game.L(n).humano, humanoBefore) << c.what;
            EXPECT_EQ(game.L(n).pontos, 777) << c.what;
            EXPECT_EQ(game.m().creditos, c.creditos) << c.what;
            EXPECT_EQ(game.m().esperaTempo, 0) << c.what;
        }
    }
}

TEST(KeyHandler, F1TogglesTheMenuOnlyFromTheFightAndBack) {
    struct Case {
        uint8_t from;
        uint8_t to;
    };
    const Case cases[] = {{tela::Titulo, tela::Titulo},
                          {tela::Selecao, tela::Selecao},
                          {tela::Luta, tela::Config},
                          {tela::Config, tela::Luta}};
    for (const Case& c : cases) {
        Game game;
        game.m().modoTela = c.from;
        game.m().itemMenu = 4;
        game.key(vk::F1);
        EXPECT_EQ(game.m().modoTela, c.to) << int(c.from);
        EXPECT_EQ(game.m().itemMenu, c.from == tela::Luta ? 1 : 4) << int(c.from);
    }
}

TEST(KeyHandler, DemoLetsKey1TakeFighterOne) {
    Game game(1, /*demo=*/true);
    EXPECT_EQ(game.L(1).humano, 0);
    EXPECT_EQ(game.m().modoTela, tela::Selecao);  // no one has to choose the display
    game.m().modoTela = tela::Selecao;
    game.m().lutaParada = 0;
    game.key(vk::Digit5);
    game.key(vk::Digit1);
    EXPECT_EQ(game.L(1).humano, 1);
    EXPECT_EQ(game.L(1).escolhido, 0);
}

}  // namespace
}  // namespace pelea
