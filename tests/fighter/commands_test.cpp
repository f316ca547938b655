// Every character's five commands typed as stick-and-button scripts through the real fight
// frame, and the special-move lookup they end in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fighter/comandos_leitura.h"
#include "game/move_list.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// Fighter 1 faces right: forward is right, back is left.
constexpr uint32_t U = media::isUp, D = media::isDown, B = media::isLeft, F = media::isRight;
constexpr uint32_t LP = media::isButton1, LK = media::isButton2, HP = media::isButton3,
                   HK = media::isButton4;

std::vector<uint32_t> repeat(uint32_t held, int n) {
    return std::vector<uint32_t>(static_cast<size_t>(n), held);
}
std::vector<uint32_t> operator+(std::vector<uint32_t> a, const std::vector<uint32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Command {
    int personagem;
    const char* code;  // as the move list shows it
    std::vector<uint32_t> ticks;
    int estado;              // sequencia reached before the last tick
    std::vector<int> codes;  // what the held button sends on the last tick, in order
    int pos;                 // the special's state once the dispatcher accepts it
};

// A script's button is held only on its last tick, after the stick has done its part: the
// input step runs before the recognisers, so it sees the state of the previous tick.
const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {1, "BDP", {D, D | F, F, F | LP}, 2, {16}, 25},
        {1, "BEP", {D, B, HP}, 3, {19}, 26},
        {1, "BCP", repeat(D, 11) + std::vector<uint32_t>{U, LP}, 4, {20}, 27},
        {1, "BEK", {D, B, LK}, 3, {22}, 28},
        {1, "BEBDP", {D, D | B, B, D | B, D, D | F, F, LP}, 6, {24}, 29},
        {2, "BDP", {D, D | F, F, LP}, 2, {16}, 25},
        {2, "DBDP", {F, D, D | F, F, HP}, 5, {19}, 26},
        {2, "DEDK", {F, B, F, HK}, 8, {22}, 28},
        {2, "CBEK", {U, D, B, LK}, 6, {20}, 27},
        {2, "BDBEP", {D, F, D, B, LP}, 10, {23}, 30},
        {3, "BDP", {D, D | F, F, HP}, 2, {17}, 25},
        {3, "DBDP", {F, D, D | F, LP}, 5, {18}, 26},
        {3, "BEP", {D, D | B, B, LP}, 6, {20}, 27},
        {3, "BEK", {D, B, HK}, 6, {23}, 28},
        {3, "BDBEK", {D, F, D, D | B, B, LK}, 8, {24}, 29},
        {4, "BEP", {D, B, LP}, 2, {16}, 25},
        {4, "YDP", {D | B, F, HP}, 5, {19}, 26},
        {4, "EBDK", {B, D, F, LK}, 8, {20}, 27},
        {4, "BDP", {D, F, LP}, 9, {22}, 28},
        {4, "BEBDK", {D, B, D, F, HK}, 11, {24, 21}, 29},
        {5, "BDP", {D, F, LP}, 2, {16}, 25},
        {5, "BEK", {D, B, LK}, 3, {18}, 26},
        {5, "BCK", repeat(D, 6) + std::vector<uint32_t>{U, HK}, 4, {21}, 27},
        {5, "KR", {LK, 0, LK, LK}, 0, {22}, 28},
        {5, "BDBDK", {D, F, D, F, LK}, 6, {24}, 29},
        {6, "BDP", {D, F, LP}, 2, {16}, 25},
        {6, "BDK", {D, F, HK}, 2, {19}, 26},
        {6, "DBDP", {F, D, F, LP}, 5, {20}, 27},
        {6, "DBDK", {F, D, D | F, HK}, 5, {23}, 28},
        {6, "BDBDK", {D, F, D, D | F, LK}, 7, {24, 18}, 29},
        {7, "PR", {LP, 0, LP, LP}, 0, {16}, 25},
        {7, "EDP", repeat(B, 6) + std::vector<uint32_t>{F, LP}, 1, {18}, 26},
        {7, "BCK", repeat(D, 6) + std::vector<uint32_t>{U, LK}, 2, {20}, 27},
        {7, "BCP", repeat(D, 6) + std::vector<uint32_t>{U, HP}, 2, {23}, 28},
        {7, "BDBEP", {D, F, D, B, LP}, 6, {24}, 29},
        {8, "BDP", {D, F, LP}, 2, {16}, 25},
        {8, "CBDP", {U, D, F, HP}, 2, {17, 19}, 26},  // in the air the ground move is refused
        {8, "DBDP", {F, D, F, LP}, 5, {20}, 27},
        {8, "BEK", {D, B, LK}, 6, {22}, 28},
        {8, "BDBDK", {D, F, D, F, HK}, 8, {24}, 29},
        {9, "BDK", {D, F, LK}, 2, {16}, 25},
        {9, "DBDK", {F, D, F, HK}, 5, {19}, 26},
        {9, "BDP", {D, F, LP}, 2, {20}, 27},
        {9, "CBEK", {U, D, B, LK}, 6, {22}, 28},
        {9, "BDBDK", {D, F, D, F, LK}, 8, {24, 16}, 29},
        {10, "PR", {LP, 0, LP, LP}, 0, {16}, 25},
        {10, "EDP", repeat(B, 6) + std::vector<uint32_t>{F, LP}, 1, {18}, 26},
        {10, "BCK", repeat(D, 6) + std::vector<uint32_t>{U, LK}, 2, {20}, 27},
        {10, "BDK", {D, F, HK}, 4, {23}, 28},
        {10, "EDEDP", repeat(B, 6) + std::vector<uint32_t>{F, B, F, LP}, 6, {24}, 29},
        {11, "BDP", {D, F, LP}, 2, {16}, 25},
        {11, "BEP", {D, B, HP}, 3, {19}, 26},
        {11, "BDK", {D, F, LK}, 2, {20}, 27},
        {11, "BEK", {D, B, LK}, 3, {22}, 28},
        {11, "BDBDK", {D, F, D, F, LK}, 5, {24, 20}, 29},
        {12, "BDP", {D, F, LP}, 2, {16}, 25},
        {12, "DBDP", {F, D, D | F, LP}, 5, {18}, 26},
        {12, "BEK", {D, B, LK}, 6, {20}, 27},
        {12, "CBEK", {U, D, B, HK}, 6, {21}, 27},
        {12, "BDBDK", {D, F, D, F, HK}, 8, {22}, 28},
    };
    return table;
}

// A match in progress with both fighters person-driven (so no computer plays fighter 2) and a
// full stock for the super moves.
GameState fightStart(Game& game) {
    game.pastIntro();
    game.m().limiteDeTempo = 0;
    for (int n = 1; n <= 2; ++n)
        game.L(n).humano = 1;
    game.L(1).estoque = 3;
    return game.g();
}

// The codes the held buttons send this tick, read the way the input step reads the fighter.
std::vector<int> codesSent(Game& game, uint32_t held) {
    const Lutador& l = game.L(1);
    const comandos::Leitura agora{l.sequencia, l.grav != 0, l.socoRepet, l.chuteRepet};
    std::vector<int> out;
    for (int tipo = 1; tipo <= 4; ++tipo) {
        if ((held & (media::isButton1 << (tipo - 1))) == 0) continue;
        const comandos::Codigos c = comandos::codigosGolpe(l.personagem, tipo, agora);
        for (int i = 0; i < c.quantos; ++i)
            out.push_back(c.codigo[static_cast<size_t>(i)]);
    }
    return out;
}

TEST(Commands, EveryCharactersFiveCommandsAreTheMoveListsInOrder) {
    for (int c = 1; c <= 12; ++c) {
        int i = 0;
        for (const Command& cmd : commands()) {
            if (cmd.personagem != c) continue;
            ASSERT_LT(i, move_list::kMovesPerCharacter) << "character " << c;
            EXPECT_STREQ(cmd.code, move_list::kMoves[static_cast<size_t>(c - 1)][i].code)
                << "character " << c << " command " << i + 1;
            ++i;
        }
        EXPECT_EQ(i, move_list::kMovesPerCharacter) << "character " << c;
    }
}

TEST(Commands, EachScriptReachesItsStateAndSendsItsCodesOnTheLastTick) {
    Game game;
    const GameState start = fightStart(game);
    for (const Command& cmd : commands()) {
        game.g() = start;
        game.L(1).personagem = static_cast<uint8_t>(cmd.personagem);
        const std::string what = std::to_string(cmd.personagem) + " " + cmd.code;
        const size_t last = cmd.ticks.size() - 1;
        for (size_t t = 0; t < last; ++t) {
            game.plat.keyboard = cmd.ticks[t];
            EXPECT_TRUE(codesSent(game, cmd.ticks[t]).empty()) << what << " tick " << t + 1;
            game.frame();
        }
        EXPECT_EQ(game.L(1).sequencia, cmd.estado) << what;
        game.plat.keyboard = cmd.ticks[last];
        EXPECT_EQ(codesSent(game, cmd.ticks[last]), cmd.codes) << what;
        game.frame();
    }
}

// Typed end to end: holding the last tick's state,
// the fighter enters the special's state within a few ticks (a tapped plain attack has to end
// first).
TEST(Commands, EndToEndEachScriptPutsTheFighterInTheSpecialsState) {
    constexpr int kGrace = 6;
    Game game;
    const GameState start = fightStart(game);
    for (const Command& cmd : commands()) {
        game.g() = start;
        game.L(1).personagem = static_cast<uint8_t>(cmd.personagem);
        for (uint32_t held : cmd.ticks) {
            game.plat.keyboard = held;
            game.frame();
        }
        for (int i = 0; i < kGrace && game.L(1).pos != cmd.pos; ++i)
            game.frame();
        EXPECT_EQ(game.L(1).pos, cmd.pos) << cmd.personagem << " " << cmd.code;
    }
}

TEST(Commands, ButtonHeldWithTheLastDirectionFiresOneTickLater) {
    struct Case {
        std::vector<uint32_t> ticks;
        std::vector<std::vector<int>> sent;  // per tick
    };
    const Case cases[] = {
        // Character 1, down then forward with the punch: the first tick still sees state 1.
        {{D, F | LP, F | LP}, {{}, {}, {16}}},
        {{D, F, LP}, {{}, {}, {16}}},
        // Held through the whole command, the punch tries state 0, 1, then 2.
        {{D | LP, F | LP, LP}, {{}, {}, {16}}},
    };
    Game game;
    const GameState start = fightStart(game);
    for (const Case& c : cases) {
        game.g() = start;
        for (size_t t = 0; t < c.ticks.size(); ++t) {
            game.plat.keyboard = c.ticks[t];
            EXPECT_EQ(codesSent(game, c.ticks[t]), c.sent[t]) << "tick " << t + 1;
            game.frame();
        }
    }
}

TEST(Commands, ChargeNeedsTheHoldTimerAfterItsOneTickOfDecay) {
    // The release tick lowers the timer before the transition reads it.
    struct Case {
        int personagem;
        uint32_t hold;
        int ticks;
        uint32_t release;
        int estado;
    };
    const Case cases[] = {
        {1, D, 10, U, 1}, {1, D, 11, U, 4},  // crouch>=10
        {5, D, 5, U, 1},  {5, D, 6, U, 4},   // crouch>=5
        {7, B, 5, F, 0},  {7, B, 6, F, 1},   // back>=5
        {10, B, 5, F, 0}, {10, B, 6, F, 1},
    };
    Game game;
    const GameState start = fightStart(game);
    for (const Case& c : cases) {
        game.g() = start;
        game.L(1).personagem = static_cast<uint8_t>(c.personagem);
        game.plat.keyboard = c.hold;
        game.frames(c.ticks);
        game.plat.keyboard = c.release;
        game.frame();
        EXPECT_EQ(game.L(1).sequencia, c.estado) << c.personagem << " held " << c.ticks;
    }
}

TEST(Commands, RapidTapNeedsASecondPressWithinFiveTicks) {
    // Character 5's kick: pressed, released for `gap` ticks, pressed again and held one tick.
    struct Case {
        int gap;
        bool fires;
    };
    const Case cases[] = {{1, true}, {3, true}, {4, true}, {5, false}, {6, false}};
    Game game;
    const GameState start = fightStart(game);
    for (const Case& c : cases) {
        game.g() = start;
        game.L(1).personagem = 5;
        const std::vector<uint32_t> ticks =
            std::vector<uint32_t>{LK} + repeat(0, c.gap) + std::vector<uint32_t>{LK, LK};
        for (uint32_t held : ticks) {
            game.plat.keyboard = held;
            if (!codesSent(game, held).empty()) break;
            game.frame();
        }
        EXPECT_EQ(codesSent(game, LK) == std::vector<int>{22}, c.fires) << "gap " << c.gap;
    }
}

TEST(Commands, LookupTriesTheLinesInOrderWithTheirButtons) {
    using comandos::Leitura;
    struct Case {
        int personagem;
        int tipo;
        Leitura leitura;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {1, 1, {2, false, 0, 0}, {16}},
        {1, 3, {2, false, 0, 0}, {17}},
        {1, 2, {2, false, 0, 0}, {}},  // a kick in a punch command
        {1, 4, {3, false, 0, 0}, {23}},
        {1, 1, {6, false, 0, 0}, {24}},
        {1, 3, {6, false, 0, 0}, {24}},
        {2, 4, {8, false, 0, 0}, {22}},  // both kicks send 22
        {4, 3, {11, false, 0, 0}, {23}},
        {4, 4, {11, false, 0, 0}, {24, 21}},
        {4, 1, {8, false, 0, 0}, {22}},
        {6, 4, {7, false, 0, 0}, {24, 19}},
        {8, 1, {2, false, 0, 0}, {16}},
        {8, 1, {2, true, 0, 0}, {16, 18}},
        {8, 3, {8, true, 0, 0}, {21, 19}},
        {8, 1, {5, false, 0, 0}, {20}},
        {8, 1, {5, true, 0, 0}, {18, 20}},
        {5, 2, {0, false, 0, 5}, {}},  // 5 is one press: not rapid
        {5, 2, {0, false, 0, 6}, {22}},
        {5, 4, {0, false, 15, 6}, {23}},
        {5, 1, {0, false, 15, 0}, {}},  // the punch counter does not make kicks rapid
        {7, 3, {0, false, 6, 0}, {17}},
        {7, 1, {1, false, 6, 0}, {16, 18}},
        {10, 2, {0, false, 0, 15}, {}},
        {12, 1, {8, false, 0, 0}, {16}},
        {12, 4, {8, false, 0, 0}, {22}},
        {1, 0, {2, false, 0, 0}, {}},
        {1, 5, {2, false, 0, 0}, {}},
        {0, 1, {2, false, 0, 0}, {}},
        {13, 1, {2, false, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        const comandos::Codigos got = comandos::codigosGolpe(c.personagem, c.tipo, c.leitura);
        const std::vector<int> codes(got.codigo.begin(), got.codigo.begin() + got.quantos);
        EXPECT_EQ(codes, c.codes) << "character " << c.personagem << " type " << c.tipo << " state "
                                  << c.leitura.sequencia;
    }
}

}  // namespace
}  // namespace pelea
