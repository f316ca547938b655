#include <gtest/gtest.h>

#include <set>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

TEST(StartUp, OnePlayerFacesTheComputerAroundTheCamera) {
    Game game;
    EXPECT_EQ(game.m().modoTela, tela::Titulo);
    EXPECT_EQ(game.L(1).humano, 1);
    EXPECT_EQ(game.L(1).personagem, 1);
    EXPECT_EQ(game.L(1).escolhido, 0);
    EXPECT_EQ(game.L(2).humano, 0);
    EXPECT_EQ(game.L(2).personagem, 2);
    EXPECT_EQ(game.L(2).escolhido, 1);
    EXPECT_EQ(game.L(1).x, 200);
    EXPECT_EQ(game.L(2).x, 400);
    EXPECT_EQ(game.m().telaX, 100);
    EXPECT_EQ(game.L(1).naFrente + game.L(2).naFrente, 1);
    EXPECT_EQ(game.form.DXImageListRetrato.Count(), 36);
    EXPECT_EQ(game.form.DXImageListLutador.Count(), 100);
    EXPECT_EQ(game.form.DXImageListLutadorInvert.Count(), 100);
    EXPECT_EQ(std::string(game.m().versao.s), "V1.00");
    EXPECT_EQ(game.m().musicaCarregada, 0);  // no music file in the test folder
}

TEST(StartUp, ResettingFighterTwoAloneMovesFighterOneToo) {
    Game game;
    game.m().telaX = 40;
    game.L(1).x = 5;
    game.form.zerardados(2);
    EXPECT_EQ(game.L(1).x, 140);
    EXPECT_EQ(game.L(2).x, 340);
    EXPECT_EQ(game.m().telaX, 100);
}

TEST(TitleScreen, ConfirmingGoesToTheSelectScreenInTheSameFrame) {
    struct Case {
        uint32_t held;  // held together with button 1
        bool fullScreen;
    };
    for (const Case c : {Case{0, false}, Case{media::isUp, false}, Case{media::isDown, true}}) {
        Game game;
        game.plat.joystick = c.held | media::isButton1;  // either device may choose
        game.frame();
        EXPECT_EQ(game.m().modoTela, tela::Selecao);
        // The select screen already ran this frame: its panels moved.
        EXPECT_EQ(game.m().deslizeSelecao, 20);
        EXPECT_EQ(game.form.DXDraw1.fullScreen, c.fullScreen);
        EXPECT_EQ(game.plat.displayInits.back(), c.fullScreen);
        EXPECT_EQ(game.form.DXDraw1.Left, c.fullScreen ? 5 : 0);
    }
}

TEST(TitleScreen, StaysWithoutButtonOne) {
    Game game;
    game.plat.keyboard = media::isDown;
    game.frames(3);
    EXPECT_EQ(game.m().modoTela, tela::Titulo);
    EXPECT_EQ(game.m().itemMenu, 2);
}

TEST(SelectScreen, PanelsSlideInTwentyPixelsAFrame) {
    Game game;
    game.m().modoTela = tela::Selecao;
    for (int i = 1; i <= 15; ++i) {
        game.frame();
        EXPECT_EQ(game.m().deslizeSelecao, 20 * i);
        EXPECT_EQ(game.m().faseSelecao, i < 15 ? 1 : 2);
    }
    // The clock stood still while sliding and starts in the frame the panels arrive.
    EXPECT_EQ(game.m().tempo, 20);
    EXPECT_EQ(game.m().tempoSub, 39);
}

TEST(SelectScreen, TheComputerChoiceFlickersEveryFrame) {
    Game game;
    game.toChoosing();
    std::set<int> seen;
    for (int i = 0; i < 30; ++i) {
        game.frame();
        const int c = game.L(2).personagem;
        EXPECT_GE(c, 1);
        EXPECT_LE(c, 12);
        seen.insert(c);
    }
    EXPECT_GE(seen.size(), 5u);
    EXPECT_EQ(game.L(2).escolhido, 1);
}

TEST(SelectScreen, CursorMovesOnNewPressesAndStopsAtBothEnds) {
    struct Case {
        int start;
        uint32_t press;
        int expected;
    };
    const Case cases[] = {
        {5, media::isRight, 6},
        {5, media::isLeft, 4},
        {1, media::isLeft, 1},
        {12, media::isRight, 12},
    };
    for (const Case& c : cases) {
        Game game;
        game.toChoosing();
        game.L(1).personagem = static_cast<uint8_t>(c.start);
        game.plat.keyboard = c.press;
        EXPECT_EQ(game.frame(), std::vector<std::string>{"Snd:1"});
        EXPECT_EQ(game.L(1).personagem, c.expected);
        // Holding does not repeat.
        game.frames(5);
        EXPECT_EQ(game.L(1).personagem, c.expected);
    }
}

TEST(SelectScreen, ConfirmingStartsTheMatchWithTheChosenCharacter) {
    Game game;
    game.toChoosing();
    game.L(1).personagem = 7;
    game.plat.keyboard = media::isButton1;
    EXPECT_EQ(game.frame(), std::vector<std::string>{"Snd:2"});
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    EXPECT_EQ(game.L(1).personagem, 7);
}

// A second person who has joined picks with the pad: its stick moves its own cursor and its
// first button confirms, while the keyboard moves fighter 1's; the match starts when both have.
TEST(SelectScreen, FighterTwoChoosesWithThePad) {
    Game game;
    game.toChoosing();
    game.L(2).humano = 1;
    game.L(2).escolhido = 0;
    game.L(1).personagem = 3;
    game.L(2).personagem = 9;
    const auto aperta = [&](uint32_t teclado, uint32_t pad) {
        game.plat.keyboard = teclado;
        game.plat.joystick = pad;
        game.frame();
        game.plat.keyboard = game.plat.joystick = 0;
        game.frame();
    };
    aperta(0, media::isRight);
    aperta(0, media::isRight);
    aperta(media::isLeft, 0);
    EXPECT_EQ(game.L(2).personagem, 11);
    EXPECT_EQ(game.L(1).personagem, 2);
    aperta(0, media::isButton1);
    EXPECT_EQ(game.L(2).escolhido, 1);
    EXPECT_EQ(game.L(1).escolhido, 0);
    EXPECT_EQ(game.m().modoTela, tela::Selecao);
    aperta(media::isButton1, 0);
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    EXPECT_EQ(game.L(1).personagem, 2);
    EXPECT_EQ(game.L(2).personagem, 11);
}

TEST(SelectScreen, CountdownTicksFortyFramesASecond) {
    Game game;
    game.toChoosing();
    game.m().tempoSub = 40;
    const int tempo = game.m().tempo;
    game.frames(39);
    EXPECT_EQ(game.m().tempo, tempo);
    game.frame();
    EXPECT_EQ(game.m().tempo, tempo - 1);
    EXPECT_EQ(game.m().tempoSub, 40);
}

TEST(SelectScreen, CountdownReachingZeroStartsTheMatchThatFrame) {
    Game game;
    game.toChoosing();
    game.L(1).personagem = 9;
    game.m().tempo = 1;
    game.m().tempoSub = 1;
    EXPECT_EQ(game.frame(), std::vector<std::string>{"Snd:2"});
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    EXPECT_EQ(game.L(1).personagem, 9);
    EXPECT_EQ(game.L(1).escolhido, 1);
    EXPECT_EQ(game.L(2).escolhido, 1);
}

TEST(SelectScreen, ClearsMetersAndRoundsEveryFrame) {
    Game game;
    game.toChoosing();
    for (int n = 1; n <= 2; ++n) {
        game.L(n).especial = 50.0;
        game.L(n).estoque = 2;
        game.L(n).roundsGanhos = 1;
        game.L(n).hitsMax = 9;
        game.L(n).pontos = 1234;
    }
    game.m().lutaParada = 1;
    game.frame();
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(game.L(n).especial, 0.0);
        EXPECT_EQ(game.L(n).estoque, 0);
        EXPECT_EQ(game.L(n).roundsGanhos, 0);
        EXPECT_EQ(game.L(n).hitsMax, 0);
        EXPECT_EQ(game.L(n).pontos, 1234);  // the score survives
    }
    EXPECT_EQ(game.m().lutaParada, 0);
}

TEST(MoveList, EachCommandLetterTakesFourteenPixelsAfterTheLabel) {
    Game game;
    const TColor down = media::rgb(248, 0, 0), right = media::rgb(0, 0, 248);
    for (const auto& [icon, colour] : {std::pair{1, down}, {2, right}}) {
        media::ImageItem& item = game.form.DXImageListIcone.Items(icon);
        item.setPicture(media::Picture(12, 12, colour));
        item.Restore();
    }
    media::Surface& s = game.form.DXDraw1.Surface;
    s.fill(media::kBlack);
    game.form.Canvas.setFontSize(9);
    const int w = game.form.Canvas.TextWidth("Bolazo - ");
    game.form.mostrasequencia(10, 100, "Bolazo", "BDBD");
    const TColor shownDown = media::from565(media::to565(down));
    const TColor shownRight = media::from565(media::to565(right));
    EXPECT_EQ(s.colorAt(10 + w, 103), shownDown);
    EXPECT_EQ(s.colorAt(10 + w + 11, 114), shownDown);
    EXPECT_EQ(s.colorAt(10 + w + 14, 103), shownRight);
    EXPECT_EQ(s.colorAt(10 + w + 28, 103), shownDown);
    EXPECT_EQ(s.colorAt(10 + w + 42, 103), shownRight);
    EXPECT_NE(s.colorAt(10 + w + 56, 103), shownDown);
    EXPECT_NE(s.colorAt(10 + w + 56, 103), shownRight);
}

TEST(MatchStart, ResetsTheRoundAndNeverRepeatsTheStage) {
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        Game game(seed);
        int previous = 0;
        for (int match = 0; match < 10; ++match) {
            game.m().modoTela = tela::Selecao;
            game.m().tempo = 7;
            game.m().telaX = 3;
            game.m().finRound = 9;
            game.m().inicioRound = 9;
            game.m().primeiroGolpe = 1;
            game.L(1).hp = 3.0;
            game.g().efeitos[5].tipo = 3;
            game.form.iniciarLuta();
            const MatchState& m = game.m();
            EXPECT_EQ(m.modoTela, tela::Luta);
            EXPECT_EQ(m.lutaParada, 1);
            EXPECT_EQ(m.musicaPendente, 1);
            EXPECT_EQ(m.tempo, 99);
            EXPECT_EQ(m.tempoSub, 30);
            EXPECT_EQ(m.inicioRound, 0);
            EXPECT_EQ(m.finRound, 0);
            EXPECT_EQ(m.telaX, 100);
            EXPECT_EQ(m.primeiroGolpe, 0);
            EXPECT_EQ(game.L(1).x, 200);
            EXPECT_EQ(game.L(2).x, 400);
            EXPECT_EQ(game.L(1).hp, 125.0);
            EXPECT_EQ(game.g().efeitos[5].tipo, 0);
            EXPECT_GE(m.numCenario, 1);
            EXPECT_LE(m.numCenario, 8);
            EXPECT_NE(m.numCenario, previous) << "seed " << seed << " match " << match;
            EXPECT_EQ(m.mesaIcone, m.numCenario == 2 ? 6 : 0);
            previous = m.numCenario;
        }
    }
}

TEST(NewChallenger, NoticeRunsAHundredFramesThenTheSelectScreenReturns) {
    Game game;
    game.toChoosing();
    game.plat.keyboard = media::isButton1;
    game.frame();
    game.plat.keyboard = 0;
    ASSERT_EQ(game.m().modoTela, tela::Luta);
    game.m().lutaParada = 0;  // the round is under way
    game.key(vk::Digit5);
    game.key(vk::Digit2);
    ASSERT_EQ(game.m().esperaTempo, 100);
    game.frames(99);
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    EXPECT_EQ(game.m().esperaTempo, 1);
    game.frame();
    EXPECT_EQ(game.m().modoTela, tela::Selecao);
    EXPECT_EQ(game.m().faseSelecao, 1);
    EXPECT_EQ(game.m().tempo, 20);
    EXPECT_EQ(game.m().tempoSub, 30);
    // Fighter 1 keeps the confirmed choice; fighter 2 now has to choose.
    EXPECT_EQ(game.L(1).escolhido, 1);
    EXPECT_EQ(game.L(2).escolhido, 0);
    EXPECT_EQ(game.L(2).humano, 1);
}

}  // namespace
}  // namespace pelea
