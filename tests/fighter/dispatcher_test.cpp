#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fighter/acao_seguimento.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

using Sons = std::vector<std::string>;

// Both fighters standing apart on the floor, with a known cycle, meter and guard.
void prepara(Game& game) {
    game.m().telaX = 100;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = game.L(n);
        l.x = n == 1 ? 200 : 400;
        l.y = 300;
        l.pos = 1;
        l.ciclo = 3;
        l.cicloFim = 40;
        l.grav = 0;
        l.pulo = 0;
        l.especial = 10.0;
        l.defesa = 1;
        l.ataque = 1;
        l.invencivel = 0;
        l.derruba = 0;
        l.hp = 125.0;
        l.estoque = 0;
        l.t = 0;
    }
}

Sons pede(Game& game, int n, int codigo) {
    game.form.DXSound1.clearPlayed();
    game.form.acao(n, codigo);
    return game.sounds();
}

TEST(Dispatcher, CommonCodesAcceptOrRefuseByState) {
    struct Case {
        const char* nome;
        uint8_t pos;
        int8_t grav;
        uint8_t pulo;
        uint8_t ciclo;
        int codigo;
        // expected
        uint8_t pos2, ciclo2, cicloFim2;
        double especial;
        Sons sons;
    };
    const Case cases[] = {
        {"light punch standing", 1, 0, 0, 3, 3, 3, 0, 6, 12.0, {"Snd:5"}},
        {"light punch out of a block", 21, 0, 0, 3, 3, 3, 0, 6, 12.0, {"Snd:5"}},
        {"heavy punch walking", 2, 0, 0, 3, 5, 5, 0, 11, 14.0, {"Snd:6"}},
        {"punch refused while rising", 1, -8, 0, 3, 3, 1, 3, 40, 10.0, {}},
        {"heavy kick refused in a jump", 1, 0, 1, 3, 6, 1, 3, 40, 10.0, {}},
        {"crouching light kick", 7, 0, 0, 3, 4, 9, 0, 6, 12.0, {"Snd:5"}},
        {"crouching punch from a low block", 22, 0, 0, 3, 5, 10, 0, 11, 14.0, {"Snd:6"}},
        {"crouching light punch", 7, 0, 0, 3, 3, 8, 0, 6, 12.0, {"Snd:5"}},
        {"crouching light punch from a low block", 22, 0, 0, 3, 3, 8, 0, 6, 12.0, {"Snd:5"}},
        {"crouching light kick from a low block", 22, 0, 0, 3, 4, 9, 0, 6, 12.0, {"Snd:5"}},
        {"crouching heavy kick from a low block", 22, 0, 0, 3, 6, 11, 0, 11, 14.0, {"Snd:6"}},
        {"jumping light punch", 12, -8, 1, 3, 3, 13, 0, 15, 12.0, {"Snd:5"}},
        {"jumping light kick", 12, -8, 1, 3, 4, 14, 0, 15, 12.0, {"Snd:5"}},
        {"jumping heavy punch", 12, 4, 1, 3, 5, 15, 0, 11, 14.0, {"Snd:6"}},
        {"jumping heavy kick", 12, 4, 1, 3, 6, 16, 0, 11, 14.0, {"Snd:6"}},
        {"attack refused mid-attack", 3, 0, 0, 3, 4, 3, 3, 40, 10.0, {}},
        {"crouch keeps the cycle", 1, 0, 0, 3, 7, 7, 3, 99, 10.0, {}},
        {"crouch refused mid-attack", 5, 0, 0, 3, 7, 5, 3, 40, 10.0, {}},
        {"first hit reaction", 3, 0, 0, 3, 8, 17, 0, 8, 10.0, {}},
        {"second reaction refused airborne", 12, -4, 1, 3, 9, 12, 3, 40, 10.0, {}},
        {"victory pose from crouch", 7, 0, 0, 3, 14, 23, 0, 250, 10.0, {}},
        {"no victory pose in the air", 12, 4, 1, 3, 14, 12, 3, 40, 10.0, {}},
        {"no walking while blocking", 21, 0, 0, 3, 1, 21, 3, 40, 10.0, {}},
        {"block from getting up, 3 ticks left", 20, 0, 1, 22, 12, 21, 0, 16, 10.0, {}},
        {"no block with 4 ticks left", 20, 0, 1, 21, 12, 20, 21, 25, 10.0, {}},
        {"no block mid-attack", 4, 0, 0, 3, 13, 4, 3, 40, 10.0, {}},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome);
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(1);
        l.pos = c.pos;
        l.grav = c.grav;
        l.pulo = c.pulo;
        l.ciclo = c.ciclo;
        if (c.pos == 20) l.cicloFim = 25;
        EXPECT_EQ(pede(game, 1, c.codigo), c.sons);
        EXPECT_EQ(l.pos, c.pos2);
        EXPECT_EQ(l.ciclo, c.ciclo2);
        EXPECT_EQ(l.cicloFim, c.cicloFim2);
        EXPECT_DOUBLE_EQ(l.especial, c.especial);
        // Every call drops the guard first; only an accepted block raises it again.
        EXPECT_EQ(l.defesa, c.codigo == 12 && c.pos2 == 21 ? 1 : 0);
    }
}

TEST(Dispatcher, KnockDownBounceAndBlockSetTheirFields) {
    struct Case {
        int n, codigo;
        uint8_t pos, cicloFim;
        int8_t grav;
        uint8_t pulo, invencivel, ataque, defesa, desenho;
    };
    // Fields start at: pos 5, grav 0, pulo 0, invencivel 0 (1 for blocks), ataque 1, desenho 0.
    const Case cases[] = {
        {1, 10, 19, 50, -19, 1, 1, 0, 0, 0}, {2, 11, 20, 25, -13, 1, 1, 1, 0, 0},
        {1, 12, 21, 16, 0, 0, 0, 1, 1, 31},  {2, 12, 21, 16, 0, 0, 0, 1, 1, 81},
        {1, 13, 22, 16, 0, 0, 0, 1, 1, 32},  {2, 13, 22, 16, 0, 0, 0, 1, 1, 82},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "fighter " << c.n << " code " << c.codigo);
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(c.n);
        const bool guarda = c.codigo >= 12;
        l.pos = guarda ? 7 : 5;
        l.invencivel = guarda ? 1 : 0;
        l.puloDir = 3;
        l.desenho = 0;
        game.form.acao(c.n, c.codigo);
        EXPECT_EQ(l.pos, c.pos);
        EXPECT_EQ(l.ciclo, 0);
        EXPECT_EQ(l.cicloFim, c.cicloFim);
        EXPECT_EQ(l.grav, c.grav);
        EXPECT_EQ(l.pulo, c.pulo);
        EXPECT_EQ(l.invencivel, c.invencivel);
        EXPECT_EQ(l.ataque, c.ataque);
        EXPECT_EQ(l.defesa, c.defesa);
        EXPECT_EQ(l.desenho, c.desenho);
        EXPECT_EQ(l.puloDir, c.codigo == 10 ? 0 : 3);
    }
}

TEST(Dispatcher, WalkingMovesTurnsTheCycleAndWraps) {
    struct Case {
        const char* nome;
        uint8_t lado, ciclo;
        std::vector<int> codigos;
        int x;
        uint8_t andaFrente, ciclo2;
    };
    const Case cases[] = {
        {"left facing right is backwards", 1, 3, {1}, 192, 0, 4},
        {"left facing left is forwards", 2, 3, {1}, 192, 1, 4},
        {"right facing right is forwards", 1, 3, {2}, 208, 1, 4},
        {"the cycle wraps above 16", 1, 16, {2}, 208, 1, 0},
        {"both ways: net zero, two steps", 1, 3, {1, 2}, 200, 1, 5},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome);
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(1);
        l.lado = c.lado;
        l.ciclo = c.ciclo;
        for (int codigo : c.codigos)
            game.form.acao(1, codigo);
        EXPECT_EQ(l.pos, 2);
        EXPECT_EQ(l.cicloFim, 99);
        EXPECT_EQ(l.x, c.x);
        EXPECT_EQ(l.andaFrente, c.andaFrente);
        EXPECT_EQ(l.ciclo, c.ciclo2);
    }
}

TEST(Dispatcher, VictoryPoseTurnsOnlyCharacterTwelve) {
    struct Case {
        uint8_t personagem;
        int x;
        uint8_t lado;
    };
    // telaX 100: x − telaX < 200 faces right.
    const Case cases[] = {{12, 299, 1}, {12, 300, 2}, {1, 150, 2}, {12, 150, 1}};
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(1);
        l.personagem = c.personagem;
        l.x = c.x;
        l.lado = 2;
        game.form.acao(1, 14);
        EXPECT_EQ(l.pos, 23);
        EXPECT_EQ(l.lado, c.lado) << "character " << int{c.personagem} << " at " << c.x;
    }
}

struct Inicio {
    uint8_t pos = 1;
    int y = 300;
    int8_t grav = 0;
    uint8_t pulo = 0;
    uint8_t ciclo = 3;
    uint8_t ataque = 1;
};

struct Resultado {
    bool aceito;
    uint8_t pos = 0, cicloFim = 0, t = 0;
    double ganho = 0.0;  // meter gained, in units of 2.0
    Sons sons = {};
    int y = 300;
    int8_t grav = 0;
    uint8_t pulo = 0;
};

TEST(Dispatcher, SpecialMovesOfEveryCharacter) {
    struct Case {
        uint8_t personagem;
        int codigo;
        Inicio de;
        Resultado r;
    };
    const Inicio noAr{.pos = 12, .y = 220, .grav = -8, .pulo = 1};
    const Case cases[] = {
        {1, 16, {}, {true, 25, 28, 1, 5}},
        {1, 19, {.pos = 21}, {true, 26, 27, 2, 5}},
        {1, 20, noAr, {true, 27, 10, 1, 6}},
        {1, 21, {.pos = 12, .y = 209, .grav = -8, .pulo = 1}, {false}},
        {1, 16, {.pos = 7}, {false}},
        {1, 23, {.pos = 22}, {true, 28, 18, 2, 5}},
        {2, 18, {.pos = 30, .ataque = 0}, {true, 26, 30, 1, 6}},
        {2, 18, {.pos = 30, .ataque = 1}, {false}},
        {2,
         21,
         {.pos = 14, .y = 220, .grav = 4, .pulo = 1},
         {true, 27, 20, 2, 5, {"Snd:21"}, 220, 4, 0}},
        {2, 20, {}, {false}},
        {2, 24, {}, {false}},
        {3, 19, {.pos = 7}, {true, 26, 15, 2, 5, {"Snd:24"}, 300, -29, 1}},
        {3, 22, {}, {true, 28, 15, 1, 6, {}, 300, -19, 1}},
        {3, 17, {}, {true, 25, 28, 2, 5, {"Snd:23"}}},
        {4, 18, {}, {true, 26, 13, 1, 5, {"Snd:26"}}},
        {4, 23, {}, {true, 28, 15, 2, 5, {"Snd:27"}, 300, -32, 1}},
        {4, 20, {.pos = 7}, {true, 27, 15, 1, 6}},
        {5, 21, {.pos = 22}, {true, 27, 40, 2, 6, {"Snd:31"}}},
        {5, 20, noAr, {true, 27, 38, 1, 6, {"Snd:31"}}},
        {5, 16, {}, {true, 25, 28, 1, 5, {"Snd:29"}}},
        {6, 20, {.pos = 7}, {true, 27, 25, 1, 5, {"Snd:34"}}},
        {6, 23, {.pos = 7}, {true, 28, 30, 2, 5, {"Snd:35"}}},
        {7, 17, {}, {true, 25, 20, 2, 5, {"Snd:36"}}},
        {7, 23, noAr, {true, 28, 15, 2, 5, {"Snd:37"}, 300, -30, 1}},
        {7, 20, {}, {true, 27, 15, 1, 5, {"Snd:38"}, 300, -27, 1}},
        {8, 18, {}, {false}},
        {8, 19, noAr, {true, 26, 15, 2, 5, {"Snd:39"}, 220, -8, 1}},
        {8, 22, noAr, {true, 28, 25, 1, 5, {"Snd:41"}, 220, -8, 1}},
        {9, 17, {}, {true, 25, 23, 2, 5, {"Snd:43"}}},
        {9, 22, noAr, {true, 28, 15, 1, 5, {"Snd:45"}, 220, -8, 0}},
        {9, 22, {}, {false}},
        {10, 21, {}, {true, 27, 20, 2, 5, {"Snd:49"}, 250, -28, 1}},
        {10, 22, {.pos = 5}, {true, 28, 13, 1, 5, {"Snd:49"}}},
        {10, 19, {}, {true, 26, 20, 2, 6, {"Snd:48"}}},
        {11, 22, {.pos = 29, .ciclo = 27}, {true, 28, 12, 1, 5}},
        {11, 22, {.pos = 29, .ciclo = 26}, {false}},
        {11, 20, {}, {true, 27, 9, 1, 5}},
        {12, 20, noAr, {true, 27, 28, 1, 5, {}, 220, 0, 0}},
        {12, 19, {.pos = 7}, {true, 26, 20, 2, 6}},
        {12, 23, {}, {false}},
        {12, 24, {}, {false}},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "character " << int{c.personagem} << " code "
                                          << c.codigo << " from " << int{c.de.pos});
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(1);
        l.personagem = c.personagem;
        l.pos = c.de.pos;
        l.y = c.de.y;
        l.grav = c.de.grav;
        l.pulo = c.de.pulo;
        l.ciclo = c.de.ciclo;
        l.ataque = c.de.ataque;
        const Sons sons = pede(game, 1, c.codigo);
        if (!c.r.aceito) {
            EXPECT_EQ(l.pos, c.de.pos);
            EXPECT_EQ(l.cicloFim, 40);
            EXPECT_DOUBLE_EQ(l.especial, 10.0);
            EXPECT_TRUE(sons.empty());
            continue;
        }
        EXPECT_EQ(l.pos, c.r.pos);
        EXPECT_EQ(l.ciclo, 0);
        EXPECT_EQ(l.cicloFim, c.r.cicloFim);
        EXPECT_EQ(l.t, c.r.t);
        EXPECT_DOUBLE_EQ(l.especial, 10.0 + 2.0 * c.r.ganho);
        EXPECT_EQ(sons, c.r.sons);
        EXPECT_EQ(l.y, c.r.y);
        EXPECT_EQ(l.grav, c.r.grav);
        EXPECT_EQ(l.pulo, c.r.pulo);
    }
}

TEST(Dispatcher, SpecialMoveSideEffects) {
    Game game;
    prepara(game);
    Lutador& l = game.L(1);

    // Character 1's rising move lands the fighter and clears its command state.
    l.personagem = 1;
    l.pos = 12;
    l.y = 250;
    l.puloDir = 3;
    l.sequencia = 4;
    l.agacharTemp = 12;
    game.form.acao(1, 21);
    EXPECT_EQ(l.puloDir, 0);
    EXPECT_EQ(l.sequencia, 0);
    EXPECT_EQ(l.agacharTemp, 0);

    // Characters 5 and 7 clear their repeat counters; character 2's code 22 keeps t.
    prepara(game);
    l.personagem = 5;
    l.chuteRepet = 9;
    game.form.acao(1, 22);
    EXPECT_EQ(l.chuteRepet, 0);
    prepara(game);
    l.personagem = 7;
    l.socoRepet = 9;
    game.form.acao(1, 18);
    EXPECT_EQ(l.socoRepet, 0);
    prepara(game);
    l.personagem = 2;
    l.t = 2;
    game.form.acao(1, 22);
    EXPECT_EQ(l.pos, 28);
    EXPECT_EQ(l.t, 2);

    // Meter gains compare the value before the gain: 101 + 5 × 2 passes 102, 102 stays.
    prepara(game);
    l.personagem = 1;
    l.especial = 101.0;
    game.form.acao(1, 16);
    EXPECT_DOUBLE_EQ(l.especial, 111.0);
    prepara(game);
    l.especial = 102.0;
    game.form.acao(1, 16);
    EXPECT_DOUBLE_EQ(l.especial, 102.0);
}

// Only character 9's ground spin raises dust; rows that stop a jump (pulo = 0) raise none.
TEST(Dispatcher, DustComesOnlyFromTheRowThatRaisesIt) {
    struct Case {
        int personagem, pos, y, codigo, newPos, puffs;
    };
    const Case cases[] = {
        {9, 1, 300, 20, 27, 5},  {9, 1, 300, 21, 27, 5},  {2, 12, 200, 20, 27, 0},
        {6, 1, 300, 20, 27, 0},  {9, 12, 200, 22, 28, 0}, {12, 12, 200, 20, 27, 0},
        {5, 12, 250, 20, 27, 0}, {1, 12, 250, 20, 27, 0},
    };
    for (const Case& c : cases) {
        Game game;
        prepara(game);
        Lutador& l = game.L(1);
        l.personagem = static_cast<uint8_t>(c.personagem);
        l.pos = static_cast<uint8_t>(c.pos);
        l.y = c.y;
        l.grav = c.pos == 12 ? 4 : 0;
        game.form.acao(1, c.codigo);
        int puffs = 0;
        for (size_t i = 1; i <= kEffectSlots; ++i)
            puffs += game.g().efeitos[i].tipo == 2;
        const std::string what =
            "character " + std::to_string(c.personagem) + " code " + std::to_string(c.codigo);
        EXPECT_EQ(l.pos, c.newPos) << what;
        EXPECT_EQ(puffs, c.puffs) << what;
    }
}

TEST(Dispatcher, SuperRuleSpendsStockAndEmptiesOnlyAFullBar) {
    struct Case {
        uint8_t personagem;
        int n, codigo;
        uint8_t pos;
        uint8_t ciclo;
        double hp;
        int estoque;
        double especial;
        // expected
        bool aceito;
        uint8_t pos2, cicloFim;
        int estoque2;
        double especial2;
        uint8_t desenho;
        uint8_t t;  // starts at 1
    };
    const Case cases[] = {
        {1, 1, 24, 1, 0, 125, 1, 50, true, 29, 38, 0, 50, 35, 3},
        {1, 1, 24, 1, 0, 125, 3, 102, true, 29, 38, 2, 0, 35, 3},
        {1, 1, 24, 5, 0, 125, 2, 80, true, 29, 38, 1, 80, 35, 3},
        {1, 1, 24, 1, 0, 16, 0, 30, false, 1, 40, 0, 30, 0, 1},
        {1, 1, 24, 1, 0, 15, 0, 30, true, 29, 38, -1, 30, 35, 3},
        {1, 2, 24, 3, 0, 125, 1, 50, false, 3, 40, 1, 50, 0, 1},
        {2, 2, 23, 25, 13, 125, 1, 50, true, 30, 13, 0, 50, 94, 2},
        {2, 2, 23, 25, 12, 125, 1, 50, false, 25, 40, 1, 50, 0, 1},
        {3, 1, 24, 6, 0, 125, 1, 50, true, 29, 15, 0, 50, 45, 1},
        {4, 1, 24, 26, 0, 125, 1, 50, true, 29, 13, 0, 50, 12, 2},
        {5, 2, 24, 28, 0, 125, 2, 50, true, 29, 30, 1, 50, 56, 1},
        {6, 1, 24, 5, 0, 125, 1, 50, true, 29, 50, 0, 50, 41, 1},
        {7, 1, 24, 7, 0, 125, 1, 50, true, 29, 12, 0, 50, 38, 1},
        {8, 1, 24, 22, 0, 125, 1, 50, true, 29, 20, 0, 50, 33, 1},
        {9, 1, 24, 27, 0, 125, 1, 50, true, 29, 40, 0, 50, 19, 1},
        {10, 1, 24, 25, 0, 125, 1, 50, true, 29, 40, 0, 50, 38, 1},
        {11, 1, 24, 27, 0, 125, 1, 50, true, 29, 45, 0, 50, 6, 1},
        {12, 2, 22, 1, 0, 125, 1, 50, true, 28, 35, 0, 50, 88, 1},
        {12, 1, 22, 1, 0, 125, 0, 50, false, 1, 40, 0, 50, 0, 1},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "character " << int{c.personagem} << " fighter " << c.n
                                          << " estoque " << c.estoque << " hp " << c.hp);
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(c.n);
        l.personagem = c.personagem;
        l.pos = c.pos;
        l.ciclo = c.ciclo;
        l.hp = c.hp;
        l.estoque = static_cast<int16_t>(c.estoque);
        l.especial = c.especial;
        l.desenho = 0;
        l.t = 1;
        const Sons sons = pede(game, c.n, c.codigo);
        EXPECT_EQ(l.pos, c.pos2);
        EXPECT_EQ(l.cicloFim, c.cicloFim);
        EXPECT_EQ(l.estoque, c.estoque2);
        EXPECT_DOUBLE_EQ(l.especial, c.especial2);
        EXPECT_EQ(l.desenho, c.desenho);
        EXPECT_EQ(l.t, c.t);
        EXPECT_EQ(game.m().pausaEspecial, c.aceito ? 22 : 0);
        EXPECT_EQ(sons, c.aceito ? Sons{"Snd:19"} : Sons{});
    }
}

TEST(Dispatcher, SuperExtrasOfCharactersFourAndSix) {
    Game game;
    prepara(game);
    Lutador& l = game.L(1);
    l.personagem = 4;
    l.estoque = 1;
    game.L(2).invencivel = 1;
    game.form.acao(1, 24);
    EXPECT_EQ(l.derruba, 1);
    EXPECT_EQ(game.L(2).invencivel, 0);  // the rush hits a fighter still getting up

    prepara(game);
    l.personagem = 6;
    l.estoque = 1;
    game.form.acao(1, 24);
    EXPECT_EQ(l.grav, -18);
    EXPECT_EQ(l.pulo, 1);
}

TEST(Dispatcher, FollowUpStatesOfConnectingSpecials) {
    struct Case {
        uint8_t personagem, pos;
        bool segue;
        uint8_t pos2, cicloFim;
        uint8_t hits;  // starts at 2
    };
    const Case cases[] = {
        {2, 28, true, 29, 30, 2},  {2, 30, true, 31, 40, 3},  {3, 29, true, 30, 30, 2},
        {7, 29, true, 30, 15, 2},  {1, 29, false, 29, 20, 2}, {3, 28, false, 28, 20, 2},
        {2, 29, false, 29, 20, 2},
    };
    for (const Case& c : cases) {
        Lutador l;
        l.personagem = c.personagem;
        l.pos = c.pos;
        l.ciclo = 7;
        l.cicloFim = 20;
        l.hits = 2;
        EXPECT_EQ(seguimento::avanca(l), c.segue);
        EXPECT_EQ(l.pos, c.pos2);
        EXPECT_EQ(l.ciclo, c.segue ? 0 : 7);
        EXPECT_EQ(l.cicloFim, c.cicloFim);
        EXPECT_EQ(l.hits, c.hits);
    }
}

TEST(Dispatcher, EndOfStateReturnsToStandingAndFacing) {
    struct Case {
        const char* nome;
        uint8_t pos, ciclo, cicloFim;
        int x, y;
        int8_t grav;
        uint8_t golpePausa;
        // expected
        uint8_t pos2, ciclo2, lado, pulo;
        int y2;
    };
    // The opponent stands at x 300; the fighter starts facing left (lado 2), pulo 0.
    const Case cases[] = {
        {"attack ends, turns right", 3, 5, 6, 250, 300, 0, 0, 1, 0, 1, 0, 300},
        {"attack ends, turns left", 3, 5, 6, 350, 300, 0, 0, 1, 0, 2, 0, 300},
        {"one tick to go", 3, 4, 6, 250, 300, 0, 0, 3, 5, 2, 0, 300},
        {"air attack ends above the floor", 13, 14, 15, 250, 200, 8, 0, 12, 0, 1, 1, 200},
        {"hit pause holds the cycle", 5, 5, 11, 250, 300, 0, 3, 5, 5, 2, 0, 300},
        {"already due ends even in a pause", 5, 11, 11, 250, 300, 0, 3, 1, 0, 1, 0, 300},
        {"endless states do not count", 7, 3, 99, 250, 300, 0, 0, 7, 3, 2, 0, 300},
        {"below the floor is put back", 21, 15, 16, 250, 305, 0, 0, 1, 0, 1, 0, 300},
        {"still moving vertically: airborne", 20, 24, 25, 250, 300, 4, 0, 12, 0, 1, 0, 300},
    };
    Game game;
    const GameState inicial = game.g();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nome);
        game.g() = inicial;
        prepara(game);
        Lutador& l = game.L(1);
        game.L(2).x = 300;
        l.pos = c.pos;
        l.ciclo = c.ciclo;
        l.cicloFim = c.cicloFim;
        l.x = c.x;
        l.y = c.y;
        l.grav = c.grav;
        l.lado = 2;
        l.f = 9;
        l.t = 2;
        l.derruba = 1;
        l.invencivel = 1;
        game.m().golpePausa = c.golpePausa;
        game.form.cicloEstado(1);
        EXPECT_EQ(l.pos, c.pos2);
        EXPECT_EQ(l.ciclo, c.ciclo2);
        EXPECT_EQ(l.lado, c.lado);
        EXPECT_EQ(l.pulo, c.pulo);
        EXPECT_EQ(l.y, c.y2);
        const bool acabou = c.pos2 != c.pos || c.ciclo2 == 0;
        EXPECT_EQ(l.ataque, acabou ? 0 : 1);
        EXPECT_EQ(l.t, acabou ? 0 : 2);
        EXPECT_EQ(l.f, acabou ? 0 : 9);
        EXPECT_EQ(l.derruba, acabou ? 0 : 1);
        EXPECT_EQ(l.invencivel, acabou ? 0 : 1);
    }
}

}  // namespace
}  // namespace pelea
