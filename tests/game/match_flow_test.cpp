#include <gtest/gtest.h>

#include <algorithm>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

void startMatch(Game& game) {
    game.m().modoTela = tela::Selecao;
    game.form.iniciarLuta();
}

void fighting(Game& game) {
    game.pastIntro();
}

int count(const std::vector<std::string>& v, const std::string& s) {
    return static_cast<int>(std::count(v.begin(), v.end(), s));
}

TEST(RoundStart, FreezesFiftyFiveFramesWhileTheLifeBarsFill) {
    Game game;
    startMatch(game);
    for (int i = 1; i <= 55; ++i) {
        game.frame();
        EXPECT_EQ(game.m().inicioRound, i);
        EXPECT_EQ(game.m().lutaParada, 1) << i;
        if (i < 5) {
            EXPECT_EQ(game.L(1).hp, 1.0) << i;
        }
        if (i > 5 && i < 40) {
            EXPECT_EQ(game.L(2).hp, 1.0 + 3 * (i - 5)) << i;
        }
    }
    EXPECT_EQ(game.L(1).hp, 125.0);
    game.frame();
    EXPECT_EQ(game.m().lutaParada, 0);  // released in the 56th frame
}

TEST(RoundStart, DamageBeforeTheIntroEndsIsHealed) {
    for (int hurtAfter : {56, 63, 70, 71}) {
        Game game;
        startMatch(game);
        game.frames(hurtAfter);
        game.L(1).hp = 90.0;
        game.frame();
        EXPECT_EQ(game.L(1).hp, hurtAfter < 71 ? 125.0 : 90.0) << hurtAfter;
    }
}

TEST(RoundEnd, KnockOutFreezesThirtyFramesThenNamesTheWinnerAt40) {
    Game game;
    fighting(game);
    game.L(2).hp = 0.0;
    game.frame();
    EXPECT_EQ(game.m().finRound, 2);
    int frozen = 1;
    while (game.m().finRound == 2) {
        game.frame();
        ++frozen;
    }
    EXPECT_EQ(frozen, 31);               // the knock-out frame and 29 more hold the counter at 2
    EXPECT_LT(game.m().hudTopoY, -100);  // the displays slid away meanwhile
    while (game.m().finRound < 39)
        game.frame();
    EXPECT_EQ(game.L(1).roundsGanhos, 0);
    EXPECT_EQ(game.m().lutaParada, 1);
    game.frame();
    EXPECT_EQ(game.m().finRound, 40);
    EXPECT_EQ(game.L(1).roundsGanhos, 1);
    EXPECT_EQ(game.L(2).roundsGanhos, 0);
    EXPECT_GE(game.m().estiloCortina, 1);
    EXPECT_LE(game.m().estiloCortina, 4);
}

TEST(RoundEnd, TheWinnerCannotBeHitAndADoubleKnockOutLeavesFighterOneSafe) {
    struct Case {
        double hp1, hp2;
        int inv1, inv2;
    };
    const Case cases[] = {{50, 0, 1, 0}, {0, 50, 0, 1}, {0, 0, 1, 0}};
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.L(1).hp = c.hp1;
        game.L(2).hp = c.hp2;
        game.form.fimDoRound();
        EXPECT_EQ(game.L(1).invencivel, c.inv1) << c.hp1 << "/" << c.hp2;
        EXPECT_EQ(game.L(2).invencivel, c.inv2) << c.hp1 << "/" << c.hp2;
    }
}

TEST(RoundEnd, PointsForThePlayerWhoWins) {
    struct Case {
        double hp;
        int humano;
        int points;
    };
    const Case cases[] = {
        {87.0, 1, 435},  {125.0, 1, 1000}, {124.6, 1, 625},
        {124.4, 1, 620}, {87.0, 0, 0},     {125.0, 0, 0},
    };
    for (const Case& c : cases) {
        // The winner display runs from 31 to 89; the award is given once, when the counter
        // advances to 35.
        Game game;
        fighting(game);
        game.L(1).humano = static_cast<uint8_t>(c.humano);
        game.L(1).pontos = 10;
        game.L(1).hp = c.hp;
        game.L(2).hp = 0.0;
        for (int e = 31; e < 90; ++e)
            game.form.vencedorRound(1, e, /*avancou=*/true);
        game.form.vencedorRound(1, 35, /*avancou=*/false);  // a paused frame at 35 gives nothing
        EXPECT_EQ(game.L(1).pontos, 10 + c.points) << c.hp << " humano " << c.humano;
    }
}

// Knocks out a fighter (0: both) and runs until the next round or the select screen.
void knockOut(Game& game, int loser) {
    game.m().inicioRound = 71;
    game.m().lutaParada = 0;
    if (loser != 2) game.L(1).hp = 0.0;
    if (loser != 1) game.L(2).hp = 0.0;
    game.frame();
    for (int i = 0; i < 400 && game.m().finRound != 0 && game.m().modoTela == tela::Luta; ++i) {
        game.frame();
    }
}

TEST(RoundEnd, DoubleKnockOutCountsNothingAndTheRoundIsFoughtAgain) {
    Game game;
    startMatch(game);
    knockOut(game, 0);
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    EXPECT_EQ(game.L(1).roundsGanhos, 0);
    EXPECT_EQ(game.L(2).roundsGanhos, 0);
    EXPECT_EQ(game.m().numRound, 2);
    EXPECT_EQ(game.m().inicioRound, 0);
    EXPECT_EQ(game.L(1).hp, 125.0);
}

TEST(RoundEnd, TheMatchGoesToTheFirstToWinTheRoundsSet) {
    for (int rounds = 1; rounds <= 3; ++rounds) {
        Game game;
        game.m().rounds = static_cast<uint8_t>(rounds);
        startMatch(game);
        int fought = 0;
        while (game.m().modoTela == tela::Luta && fought < 10) {
            knockOut(game, 2);
            ++fought;
        }
        EXPECT_EQ(fought, rounds);
        EXPECT_EQ(game.m().modoTela, tela::Selecao);
    }
}

TEST(RoundEnd, NextRoundAfter130AndMatchEndAfter220) {
    Game game;
    startMatch(game);
    game.m().inicioRound = 71;
    game.L(2).hp = 0.0;
    while (game.m().finRound != 130)
        game.frame();
    EXPECT_EQ(game.m().numRound, 1);
    game.L(1).hpBarra = 50.0;
    game.frame();
    EXPECT_EQ(game.m().finRound, 0);
    EXPECT_EQ(game.m().numRound, 2);
    EXPECT_EQ(game.m().hudTopoY, 0);
    EXPECT_EQ(game.L(1).x, 200);
    EXPECT_EQ(game.L(1).hpBarra, 125.0);

    game.L(1).roundsGanhos = 1;  // one more round takes the match
    game.m().inicioRound = 71;
    game.L(2).hp = 0.0;
    game.L(1).escolhido = 1;
    const auto sounds = [&] {
        std::vector<std::string> all;
        while (game.m().finRound != 220) {
            const auto s = game.frame();
            all.insert(all.end(), s.begin(), s.end());
        }
        return all;
    }();
    EXPECT_EQ(count(sounds, "Vitoria:" + std::to_string(game.L(1).personagem - 1)), 1);
    EXPECT_EQ(game.m().modoTela, tela::Luta);
    game.frame();
    EXPECT_EQ(game.m().modoTela, tela::Selecao);
    EXPECT_EQ(game.m().faseSelecao, 1);
    EXPECT_EQ(game.m().deslizeSelecao, 0);  // the select screen runs from the next frame
    EXPECT_EQ(game.L(1).escolhido, 0);
    EXPECT_EQ(game.m().numRound, 1);
    EXPECT_EQ(game.m().tempo, 20);
    EXPECT_EQ(game.m().tempoSub, 40);
    game.frame();
    EXPECT_EQ(game.L(1).roundsGanhos, 0);  // cleared by the select screen
}

TEST(RoundEnd, CurtainClosesTheScreenBeforeTheNextRound) {
    for (int style = 1; style <= 4; ++style) {
        Game game;
        fighting(game);
        game.L(2).hp = 0.0;
        while (game.m().finRound != 40)
            game.frame();
        game.m().estiloCortina = static_cast<uint8_t>(style);
        while (game.m().finRound != 125)
            game.frame();
        const media::Surface& s = game.form.DXDraw1.Surface;
        for (const auto& [x, y] : {std::pair{5, 5}, {200, 150}, {395, 250}, {120, 60}}) {
            EXPECT_EQ(s.colorAt(x, y), media::kBlack) << "style " << style << " " << x << "," << y;
        }
    }
}

TEST(TimeOver, DecidedByLifeAndEveryRoundStartsWithAFullClock) {
    struct Case {
        double hp1, hp2;
        int wins1, wins2;
    };
    const Case cases[] = {{80, 100, 0, 1}, {100, 80, 1, 0}, {70, 70, 0, 0}};
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.m().limiteDeTempo = 1;
        game.m().tempo = 1;
        game.m().tempoSub = 1;
        game.L(1).hp = game.L(1).hpBarra = c.hp1;
        game.L(2).hp = game.L(2).hpBarra = c.hp2;
        game.frame();
        EXPECT_EQ(game.m().tempo, 0);
        EXPECT_EQ(game.m().lutaParada, 1);
        EXPECT_GT(game.m().finRound, 0) << c.hp1 << "/" << c.hp2;
        while (game.m().finRound != 0 && game.m().finRound < 131)
            game.frame();
        EXPECT_EQ(game.L(1).roundsGanhos, c.wins1) << c.hp1 << "/" << c.hp2;
        EXPECT_EQ(game.L(2).roundsGanhos, c.wins2) << c.hp1 << "/" << c.hp2;
        EXPECT_EQ(game.m().numRound, 2);
        EXPECT_EQ(game.m().tempo, 99);
        EXPECT_EQ(game.m().tempoSub, 30);
    }
}

TEST(RoundClock, ThirtyFramesASecondOnlyWithTheTimeLimit) {
    Game game;
    fighting(game);
    game.m().limiteDeTempo = 1;
    game.frames(30);
    EXPECT_EQ(game.m().tempo, 98);
    game.m().pausaEspecial = 11;
    game.frames(10);
    EXPECT_EQ(game.m().tempoSub, 30);  // a super-move pause stops the clock
    game.m().limiteDeTempo = 0;
    game.frame();
    EXPECT_EQ(game.m().tempo, 99);
}

TEST(StageEvents, FlyingObjectStartsOnlyOverTheMiddleOfTheStage) {
    struct Case {
        int numCenario, telaX;
        uint8_t lutaParada;
        bool launches;
    };
    const Case cases[] = {{1, 100, 1, true},  {1, 51, 0, true},  {1, 50, 0, false},
                          {1, 150, 0, false}, {2, 100, 0, true}, {2, 100, 1, false},
                          {3, 100, 0, false}};
    for (const Case& c : cases) {
        Game game;
        fighting(game);
        game.m().numCenario = static_cast<uint8_t>(c.numCenario);
        game.m().voadorChance = 1;  // launch at the first chance
        game.m().telaX = c.telaX;
        game.m().lutaParada = c.lutaParada;
        game.form.objetoVoador();
        EXPECT_EQ(game.m().voadorAtivo, c.launches ? 1 : 0) << c.numCenario << " " << c.telaX;
        if (c.launches) {
            EXPECT_EQ(game.m().voadorX, c.telaX - 80 + 7);
            EXPECT_GE(game.m().voadorCarga, 1);
        }
    }
}

// The balloon crosses the view and lets go of its food exactly once, over the middle of the
// view, as the pickup its load says, from under its basket; then it leaves.
TEST(StageEvents, FlyingObjectDropsItsFoodOnceAndLeaves) {
    Game game;
    fighting(game);
    game.m().numCenario = 1;
    game.m().voadorChance = 1;
    game.m().telaX = 100;
    int drops = 0;
    for (int i = 0; i < 200 && (i == 0 || game.m().voadorAtivo == 1); ++i) {
        const uint8_t carga = game.m().voadorCarga;
        game.m().telaX = 100;
        game.m().voadorChance = i == 0 ? 1 : 60000;
        game.form.objetoVoador();
        if (carga == 0 || game.m().voadorCarga != 0 || i == 0) continue;
        ++drops;
        EXPECT_GT(game.m().voadorX, 250);
        EXPECT_LT(game.m().voadorX, 350);
        const int tipo = carga == 1 ? 3 : 4;
        int achados = 0;
        for (size_t s = 1; s <= kEffectSlots; ++s) {
            const Efeito& e = game.g().efeitos[s];
            if (e.tipo != tipo) continue;
            ++achados;
            EXPECT_EQ(e.x, game.m().voadorX + 13);
            EXPECT_EQ(e.y, game.m().voadorY - 5);
        }
        EXPECT_EQ(achados, 1) << "the food of load " << int{carga};
    }
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(game.m().voadorAtivo, 0);
    EXPECT_GT(game.m().voadorX, 520);
}

TEST(StageEvents, TableBreaksOnceAndOnlyForAThrownFighter) {
    Game game;
    fighting(game);
    game.m().numCenario = 2;
    game.form.carregarcenario("Cenario-02.bmp");
    ASSERT_EQ(game.m().mesaIcone, 6);
    Lutador& l = game.L(1);
    l.x = 420;
    l.y = 300;
    l.altura = 160;
    l.areaContato = {-20, 0, 20, 160};
    l.pos = 1;
    game.form.DXSound1.clearPlayed();
    game.form.objetoQuebravel();
    EXPECT_EQ(game.m().mesaIcone, 6);
    l.pos = 19;
    l.x = 390;  // box right at 410: short of the table's margin at 420
    game.form.objetoQuebravel();
    EXPECT_EQ(game.m().mesaIcone, 6);
    l.x = 420;
    game.form.objetoQuebravel();
    EXPECT_EQ(game.m().mesaIcone, 0);
    const auto sounds = game.sounds();
    EXPECT_EQ(count(sounds, "Snd:9"), 3);
    EXPECT_EQ(count(sounds, "Snd:10"), 3);
    EXPECT_EQ(count(sounds, "Snd:12"), 3);
    game.form.DXSound1.clearPlayed();
    game.form.objetoQuebravel();
    EXPECT_TRUE(game.sounds().empty());

    game.m().numCenario = 3;
    game.form.carregarcenario("Cenario-03.bmp");
    EXPECT_EQ(game.m().mesaIcone, 0);
}

}  // namespace
}  // namespace pelea
