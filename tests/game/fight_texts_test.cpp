// What the fight says on screen: the clock, the names, the scores, the combo count, the
// knock-out, a round lost on time, and the winner.
#include <gtest/gtest.h>

#include <string>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// A fight past its intro between characters 4 and 8, both people, the clock on.
Game& luta(Game& game) {
    game.L(1).personagem = 4;
    game.L(2).personagem = 8;
    game.L(1).humano = game.L(2).humano = 1;
    game.pastIntro();
    game.m().limiteDeTempo = 1;
    game.frame();
    return game;
}

TEST(FightTexts, TheDisplayShowsClockNamesScoresAndCombo) {
    struct Caso {
        const char* what;
        void (*arruma)(Game&);
        std::string texto;  // empty: the character's name (fighter 1, then fighter 2)
        int lutador;
    };
    const Caso casos[] = {
        {"clock", [](Game& g) { g.m().tempo = 57; }, "57", 0},
        {"name of fighter 1", [](Game&) {}, "", 1},
        {"name of fighter 2", [](Game&) {}, "", 2},
        {"score of fighter 1", [](Game& g) { g.L(1).pontos = 1234; }, "1234", 0},
        {"score of fighter 2", [](Game& g) { g.L(2).pontos = 907; }, "907", 0},
        {"combo count",
         [](Game& g) {
             g.L(1).hits = 5;
             g.L(1).hitsTempo = 40;
         },
         "5", 0},
    };
    for (const Caso& c : casos) {
        Game game;
        luta(game);
        c.arruma(game);
        game.frame();
        const std::string texto =
            c.lutador == 0 ? c.texto : std::string(MemoNomes.Lines(game.L(c.lutador).personagem));
        EXPECT_TRUE(game.shows(texto)) << c.what << ": \"" << texto << "\"";
    }
}

// A combo of one blow shows no count; from two blows on the count and its word show.
TEST(FightTexts, TheComboCountShowsFromTwoBlows) {
    const std::pair<int, bool> casos[] = {{1, false}, {2, true}, {12, true}};
    for (const auto& [hits, mostra] : casos) {
        Game game;
        luta(game);
        game.L(2).hits = static_cast<uint8_t>(hits);
        game.L(2).hitsTempo = 40;
        game.frame();
        EXPECT_EQ(game.shows(std::to_string(hits)), mostra) << hits;
        EXPECT_EQ(game.shows(std::string(MemoTexto.Lines(3))), mostra) << hits;
    }
}

// A knock-out says "KO"; a round lost on time says "TIME END    " instead; then the winner's name
// and " GANO " follow.
TEST(FightTexts, TheRoundEndSaysHowItEndedAndWhoWon) {
    struct Caso {
        const char* what;
        bool tempo;  // lost on time rather than knocked out
    };
    const Caso casos[] = {{"knock-out", false}, {"time over", true}};
    for (const Caso& c : casos) {
        Game game;
        luta(game);
        if (c.tempo) {
            game.L(2).hp = 60;
            game.m().tempo = 0;
        } else {
            game.L(2).hp = 0;
        }
        bool ko = false, timeEnd = false, nome = false, gano = false;
        const std::string vencedor(MemoNomes.Lines(game.L(1).personagem));
        for (int f = 0; f < 90; ++f) {
            game.frame();
            ko = ko || game.shows("KO");
            timeEnd = timeEnd || game.shows("TIME END    ");
            for (const auto& t : game.texts)  // the big name in the middle, not the display's
                nome = nome || (t.text == vencedor && t.y == 110);
            gano = gano || game.shows(" GANO ");
        }
        EXPECT_EQ(ko, !c.tempo) << c.what;
        EXPECT_EQ(timeEnd, c.tempo) << c.what;
        EXPECT_TRUE(nome) << c.what;
        EXPECT_TRUE(gano) << c.what;
    }
}

}  // namespace
}  // namespace pelea
