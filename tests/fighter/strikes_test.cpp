#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// Fighter 1 (attacker) at x 200 facing right, fighter 2 (victim) at x 260 facing left, both
// standing, 100 tall, with a live attack area of fighter 1 well inside fighter 2's contact area.
// Absolute boxes: fighter 1's contact 180..220 × 200..300, its attack 240..270 × 230..250;
// fighter 2's contact 240..280 × 200..300.
void prepara(Game& game) {
    MatchState& m = game.m();
    m.telaX = 100;
    m.lutaParada = 0;
    m.esperaTempo = 0;
    m.golpePausa = 0;
    m.pausaEspecial = 0;
    m.primeiroGolpe = 1;
    m.opcaoSangue = 0;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = game.L(n);
        l.x = n == 1 ? 200 : 260;
        l.y = 300;
        l.altura = 100;
        l.lado = static_cast<uint8_t>(n);
        l.pos = 1;
        l.ciclo = 2;
        l.cicloFim = 99;
        l.grav = 0;
        l.pulo = 0;
        l.hp = 125.0;
        l.especial = 0.0;
        l.invencivel = 0;
        l.defesa = 0;
        l.ataque = 0;
        l.derruba = 0;
        l.personagem = 1;
        l.areaContato = {-20, 0, 20, 100};
    }
    Lutador& a = game.L(1);
    a.areaAtaque = {40, 30, 70, 50};
    a.ataque = 1;
    a.pos = 5;
    a.t = 1;
    a.f = 10;
    a.fDefesa = 3;
}

// Fighter 1's blow against fighter 2; the sounds it played.
std::vector<std::string> golpeia(Game& game, int n = 1) {
    game.form.DXSound1.clearPlayed();
    game.form.resolveGolpe(n);
    return game.sounds();
}

bool tocou(const std::vector<std::string>& sons, int item) {
    return std::find(sons.begin(), sons.end(), "Snd:" + std::to_string(item)) != sons.end();
}

TEST(Strikes, ContactNeedsALiveAreaAStrictOverlapAndNoPause) {
    struct Case {
        const char* nome;
        Area ataque;
        int vitimaY;
        uint8_t ataqueVivo, invencivel, golpePausa, pausaEspecial;
        bool acerta;
    };
    const Case cases[] = {
        {"well inside", {40, 30, 70, 50}, 300, 1, 0, 0, 0, true},
        {"right edge touches the contact's left edge", {10, 30, 40, 50}, 300, 1, 0, 0, 0, false},
        {"one pixel past the touching edge", {10, 30, 41, 50}, 300, 1, 0, 0, 0, true},
        {"left edge touches the contact's right edge", {80, 30, 90, 50}, 300, 1, 0, 0, 0, false},
        {"bottom touches the contact's top", {40, -20, 70, 0}, 300, 1, 0, 0, 0, false},
        {"bottom one pixel into the contact", {40, -20, 70, 1}, 300, 1, 0, 0, 0, true},
        // Lifted by 60, the victim's contact spans 140..240: an area at 230..250 still reaches it.
        {"victim in the air, reached", {40, 30, 70, 50}, 240, 1, 0, 0, 0, true},
        {"victim higher, top touches", {40, 30, 70, 50}, 230, 1, 0, 0, 0, false},
        {"area not live", {40, 30, 70, 50}, 300, 0, 0, 0, 0, false},
        {"victim invincible", {40, 30, 70, 50}, 300, 1, 1, 0, 0, false},
        {"during a hit pause", {40, 30, 70, 50}, 300, 1, 0, 3, 0, false},
        {"during a super pause", {40, 30, 70, 50}, 300, 1, 0, 0, 9, false},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.L(1).areaAtaque = c.ataque;
        game.L(1).ataque = c.ataqueVivo;
        game.L(2).y = c.vitimaY;
        game.L(2).invencivel = c.invencivel;
        game.m().golpePausa = c.golpePausa;
        game.m().pausaEspecial = c.pausaEspecial;
        golpeia(game);
        EXPECT_EQ(game.L(2).hp < 125.0, c.acerta) << c.nome;
        EXPECT_EQ(game.L(1).pontos, c.acerta ? 1 : 0) << c.nome;
    }
}

TEST(Strikes, OneContactPerActivation) {
    struct Case {
        const char* nome;
        bool defesa;
        bool rearma;  // the animation table sets the area live again between the tests
        double hp;
    };
    const Case cases[] = {
        {"landed, area left as it is", false, false, 118.0},
        {"landed, area set live again", false, true, 111.0},
        {"blocked, area left as it is", true, false, 125.0 - 2.1},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.L(2).defesa = c.defesa ? 1 : 0;
        golpeia(game);
        EXPECT_EQ(game.L(1).ataque, 0) << c.nome;
        game.m().golpePausa = 0;
        game.L(2).invencivel = 0;
        game.L(2).defesa = c.defesa ? 1 : 0;
        if (c.rearma) game.L(1).ataque = 1;
        golpeia(game);
        EXPECT_NEAR(game.L(2).hp, c.hp, 1e-9) << c.nome;
    }
}

TEST(Strikes, DamageScalesWithTheLevelAndStopsWhileTheFightIsHeld) {
    struct Case {
        const char* nome;
        uint8_t defesa;
        double nivelDano;
        uint8_t lutaParada, esperaTempo;
        double hp, espera;
    };
    const Case cases[] = {
        {"landed f 10 at 0.7", 0, 0.7, 0, 0, 118.0, 8.0},
        {"landed f 10 at 2.0", 0, 2.0, 0, 0, 105.0, 8.0},
        {"blocked fDefesa 3 at 0.7", 1, 0.7, 0, 0, 122.9, 8.0},
        {"blocked fDefesa 3 at 2.0", 1, 2.0, 0, 0, 119.0, 8.0},
        {"landed while the fight is held", 0, 0.7, 1, 0, 125.0, 0.0},
        {"landed while a challenger waits", 0, 2.0, 0, 40, 125.0, 0.0},
        {"blocked while the fight is held", 1, 2.0, 1, 0, 125.0, 0.0},
        {"blocked while a challenger waits", 1, 0.7, 0, 40, 125.0, 0.0},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.L(2).defesa = c.defesa;
        game.m().nivelDano = c.nivelDano;
        game.m().lutaParada = c.lutaParada;
        game.m().esperaTempo = c.esperaTempo;
        golpeia(game);
        EXPECT_NEAR(game.L(2).hp, c.hp, 1e-9) << c.nome;
        EXPECT_EQ(game.L(2).hpBarraEspera, c.espera) << c.nome;
    }
}

TEST(Strikes, BlockedBlowPushesBackAndLandsNothingElse) {
    struct Case {
        const char* nome;
        int atacanteX, vitimaX;
        uint8_t vitimaLado;
        int vitimaX2;
    };
    // Fighter 2 blocks; the push-back follows its facing, not where the attacker stands.
    const Case cases[] = {
        {"blocker facing left is pushed right", 200, 260, 2, 270},
        {"blocker facing right is pushed left", 200, 260, 1, 250},
        {"pushed into the view's right margin", 400, 465, 2, 470},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        Lutador& a = game.L(1);
        Lutador& v = game.L(2);
        a.x = c.atacanteX;
        a.especial = 10.0;
        v.x = c.vitimaX;
        v.lado = c.vitimaLado;
        v.defesa = 1;
        v.pos = 21;
        v.ciclo = 9;
        const auto sons = golpeia(game);
        EXPECT_EQ(v.x, c.vitimaX2) << c.nome;
        EXPECT_EQ(v.ciclo, 0) << c.nome;
        EXPECT_EQ(v.pos, 21) << c.nome;
        EXPECT_EQ(v.lado, c.vitimaLado) << c.nome;
        EXPECT_TRUE(tocou(sons, 10)) << c.nome;
        EXPECT_FALSE(tocou(sons, 7)) << c.nome;
        EXPECT_EQ(a.pontos, 0) << c.nome;
        EXPECT_EQ(a.especial, 10.0) << c.nome;
        EXPECT_EQ(a.hits, 0) << c.nome;
    }
}

TEST(Strikes, HitPauseAndSoundFollowTheBlowClass) {
    struct Case {
        const char* nome;
        uint8_t defesa, t;
        int pausaMin, pausaMax;
        int som;  // hit sound, or 0 for none
    };
    const Case cases[] = {
        {"light blow blocked", 1, 1, 2, 5, 0}, {"heavy blow blocked", 1, 2, 4, 7, 0},
        {"super blow blocked", 1, 3, 0, 0, 0}, {"light blow lands", 0, 1, 5, 8, 7},
        {"heavy blow lands", 0, 2, 7, 10, 8},  {"super blow lands", 0, 3, 0, 0, 9},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        int menor = 99, maior = -1;
        for (uint64_t seed = 1; seed <= 40; ++seed) {
            game.g() = base;
            game.g().rng = seed;
            prepara(game);
            game.L(1).t = c.t;
            game.L(2).defesa = c.defesa;
            const auto sons = golpeia(game);
            menor = std::min<int>(menor, game.m().golpePausa);
            maior = std::max<int>(maior, game.m().golpePausa);
            for (int item : {7, 8, 9})
                EXPECT_EQ(tocou(sons, item), item == c.som) << c.nome << " item " << item;
        }
        EXPECT_EQ(menor, c.pausaMin) << c.nome;
        EXPECT_EQ(maior, c.pausaMax) << c.nome;
    }
}

TEST(Strikes, LandedBlowScoresAndFillsBothMeters) {
    struct Case {
        const char* nome;
        uint8_t primeiroGolpe;
        double especialA, especialV;
        int pontos;
        uint8_t mensagem, mensagemTempo;
        double especialA2, especialV2;
    };
    const Case cases[] = {
        {"first blow of the round", 0, 0.0, 0.0, 101, 1, 50, 4.0, 2.0},
        {"a later blow", 1, 0.0, 0.0, 1, 0, 0, 4.0, 2.0},
        {"meters just below the limit still gain", 1, 101.9, 101.9, 1, 0, 0, 105.9, 103.9},
        {"full meters gain nothing", 1, 102.0, 102.0, 1, 0, 0, 102.0, 102.0},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.m().primeiroGolpe = c.primeiroGolpe;
        game.L(1).especial = c.especialA;
        game.L(2).especial = c.especialV;
        golpeia(game);
        const Lutador& a = game.L(1);
        EXPECT_EQ(a.pontos, c.pontos) << c.nome;
        EXPECT_EQ(a.mensagem, c.mensagem) << c.nome;
        EXPECT_EQ(a.mensagemTempo, c.mensagemTempo) << c.nome;
        EXPECT_EQ(game.m().primeiroGolpe, 1) << c.nome;
        EXPECT_NEAR(a.especial, c.especialA2, 1e-9) << c.nome;
        EXPECT_NEAR(game.L(2).especial, c.especialV2, 1e-9) << c.nome;
    }
}

TEST(Strikes, FirstBlowBonusOnlyOncePerRound) {
    struct Case {
        const char* nome;
        bool primeiroBloqueado;
        int pontos1, pontos2;
    };
    const Case cases[] = {
        {"two landed blows", false, 101, 102},
        {"a blocked blow first earns nothing", true, 0, 101},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.m().primeiroGolpe = 0;
        game.L(2).defesa = c.primeiroBloqueado ? 1 : 0;
        golpeia(game);
        EXPECT_EQ(game.L(1).pontos, c.pontos1) << c.nome;
        const uint8_t primeiro = game.m().primeiroGolpe;
        prepara(game);
        game.m().primeiroGolpe = primeiro;
        golpeia(game);
        EXPECT_EQ(game.L(1).pontos, c.pontos2) << c.nome;
    }
}

TEST(Strikes, ComboCountsWhileTheWindowIsOpen) {
    struct Case {
        const char* nome;
        uint8_t personagem, pos, hits, hitsTempo;
        uint8_t hits2, hitsTempo2;
    };
    const Case cases[] = {
        {"window still open at 36", 1, 5, 3, 36, 4, 43},
        {"window closed at 35", 1, 5, 3, 35, 1, 43},
        {"no combo running", 1, 5, 0, 0, 1, 43},
        {"crouching heavy kick", 1, 11, 0, 0, 1, 50},
        {"jumping heavy kick", 1, 16, 1, 40, 2, 50},
        {"character 4 in state 26", 4, 26, 0, 0, 1, 46},
        {"character 4 in state 27", 4, 27, 0, 0, 1, 47},
        {"character 6 in state 29", 6, 29, 0, 0, 1, 50},
        {"character 5 in state 29 has the usual window", 5, 29, 0, 0, 1, 43},
        {"character 2 in state 30 counts one extra", 2, 30, 0, 0, 2, 43},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        Lutador& a = game.L(1);
        a.personagem = c.personagem;
        a.pos = c.pos;
        a.hits = c.hits;
        a.hitsTempo = c.hitsTempo;
        golpeia(game);
        EXPECT_EQ(a.hits, c.hits2) << c.nome;
        EXPECT_EQ(a.hitsTempo, c.hitsTempo2) << c.nome;
    }
}

TEST(Strikes, ComboWindowRunsOnUnpausedTicksOfTheDisplay) {
    struct Case {
        const char* nome;
        uint8_t pos;
        int ticks;
        bool pausado;
        uint8_t hits;
    };
    const Case cases[] = {
        {"7 ticks later", 5, 7, false, 2},
        {"8 ticks later", 5, 8, false, 1},
        {"40 ticks later, all in a hit pause", 5, 40, true, 2},
        {"14 ticks after a crouching heavy kick", 11, 14, false, 2},
        {"15 ticks after a crouching heavy kick", 11, 15, false, 1},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.L(1).pos = c.pos;
        golpeia(game);
        game.m().golpePausa = c.pausado ? 1 : 0;
        for (int i = 0; i < c.ticks; ++i)
            game.form.painelInferior(1);
        prepara(game);
        golpeia(game);
        EXPECT_EQ(game.L(1).hits, c.hits) << c.nome;
    }
}

TEST(Strikes, ReactionsKnockDownsAndKnockBack) {
    struct Case {
        const char* nome;
        uint8_t personagem, pos, ciclo, t, derruba;
        int vitimaY;
        int8_t vitimaGrav;
        double vitimaHp;
        // expected
        uint8_t vitimaPos, recuo;
        int8_t grav;
        int16_t giro;
    };
    const Case cases[] = {
        {"heavy punch", 1, 5, 2, 2, 0, 300, 0, 125, 17, 5, 0, 0},
        {"light kick", 1, 4, 2, 1, 0, 300, 0, 125, 18, 5, 0, 0},
        {"crouching heavy punch", 1, 10, 2, 2, 0, 300, 0, 125, 18, 5, 0, 0},
        {"crouching heavy kick knocks down", 1, 11, 2, 2, 1, 300, 0, 125, 19, 5, -19, 0},
        {"any blow on a rising victim", 1, 3, 2, 1, 0, 300, -5, 125, 19, 5, -19, 0},
        {"any blow on a victim above the floor", 1, 3, 2, 1, 0, 280, 0, 125, 19, 5, -19, 0},
        {"a knock-out blow", 1, 3, 2, 1, 0, 300, 0, 5, 19, 5, -19, 0},
        {"character 1 heavy state 26", 1, 26, 2, 2, 0, 300, 0, 125, 17, 20, 0, 0},
        {"character 1 light state 26", 1, 26, 2, 1, 0, 300, 0, 125, 17, 5, 0, 0},
        {"character 4 super spins and launches", 4, 29, 0, 2, 1, 300, 0, 125, 19, 20, -30, 20},
        {"character 5 super before cycle 15", 5, 29, 14, 3, 0, 300, 0, 125, 17, 5, 0, 0},
        {"character 5 super from cycle 15", 5, 29, 15, 3, 0, 300, 0, 125, 17, 5, -30, 20},
        {"character 9 super at cycle 14 spins", 9, 29, 14, 3, 0, 300, 0, 125, 17, 5, 0, 20},
        {"character 9 super at cycle 15 drives back", 9, 29, 15, 3, 0, 300, 0, 125, 17, 25, 0, 20},
        {"character 10 heavy state 28", 10, 28, 2, 2, 0, 300, 0, 125, 17, 13, 0, 0},
        {"character 12 state 28 at cycle 21", 12, 28, 21, 3, 0, 300, 0, 125, 17, 5, 0, 0},
        {"character 12 state 28 at cycle 22", 12, 28, 22, 3, 0, 300, 0, 125, 17, 5, 0, 20},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        Lutador& a = game.L(1);
        Lutador& v = game.L(2);
        a.personagem = c.personagem;
        a.pos = c.pos;
        a.ciclo = c.ciclo;
        a.t = c.t;
        a.derruba = c.derruba;
        v.y = c.vitimaY;
        v.grav = c.vitimaGrav;
        v.hp = c.vitimaHp;
        golpeia(game);
        EXPECT_EQ(v.pos, c.vitimaPos) << c.nome;
        EXPECT_EQ(v.recuo, c.recuo) << c.nome;
        EXPECT_EQ(v.grav, c.vitimaGrav != 0 && c.grav == 0 ? c.vitimaGrav : c.grav) << c.nome;
        EXPECT_EQ(v.giro, c.giro) << c.nome;
        EXPECT_EQ(v.invencivel, c.vitimaPos == 19 ? 1 : 0) << c.nome;
    }
}

TEST(Strikes, VictimTurnsToTheAttackerAndSpinsAway) {
    struct Case {
        const char* nome;
        int atacanteX, vitimaX;
        uint8_t vitimaLado;
        Area ataque;
        uint8_t lado2;
        int16_t giro;
    };
    const Case cases[] = {
        {"victim right of the attacker", 200, 260, 1, {40, 30, 70, 50}, 2, 20},
        {"victim left of the attacker", 320, 260, 2, {-70, 30, -40, 50}, 1, -20},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        Lutador& a = game.L(1);
        a.x = c.atacanteX;
        a.areaAtaque = c.ataque;
        a.personagem = 11;
        a.pos = 29;
        a.ciclo = 26;
        a.t = 3;
        game.L(2).x = c.vitimaX;
        game.L(2).lado = c.vitimaLado;
        golpeia(game);
        EXPECT_EQ(game.L(2).lado, c.lado2) << c.nome;
        EXPECT_EQ(game.L(2).giro, c.giro) << c.nome;
    }
}

TEST(Strikes, AttackerEndsInFrontAndMovesOnToItsFollowUp) {
    struct Case {
        const char* nome;
        uint8_t personagem, pos, defesa;
        // expected
        uint8_t naFrenteA, naFrenteV, pos2, ciclo2, cicloFim2, ataqueV;
    };
    const Case cases[] = {
        {"plain blow", 1, 5, 0, 1, 0, 5, 12, 40, 1},
        {"blocked blow leaves the order", 1, 5, 1, 0, 1, 5, 12, 40, 1},
        {"character 2 from 28 to 29", 2, 28, 0, 1, 0, 29, 0, 30, 0},
        {"character 2 from 30 to 31", 2, 30, 0, 1, 0, 31, 0, 40, 0},
        {"character 3 from 29 to 30", 3, 29, 0, 1, 0, 30, 0, 30, 0},
        {"character 7 from 29 to 30", 7, 29, 0, 1, 0, 30, 0, 15, 0},
        {"character 3 in 28 has none", 3, 28, 0, 1, 0, 28, 12, 40, 1},
        {"blocked follow-up does not move on", 2, 28, 1, 0, 1, 28, 12, 40, 1},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        Lutador& a = game.L(1);
        Lutador& v = game.L(2);
        a.personagem = c.personagem;
        a.pos = c.pos;
        a.ciclo = 12;
        a.cicloFim = 40;
        a.naFrente = 0;
        v.naFrente = 1;
        v.defesa = c.defesa;
        v.ataque = 1;  // a trade: the victim's own area is live
        golpeia(game);
        EXPECT_EQ(a.naFrente, c.naFrenteA) << c.nome;
        EXPECT_EQ(v.naFrente, c.naFrenteV) << c.nome;
        EXPECT_EQ(a.pos, c.pos2) << c.nome;
        EXPECT_EQ(a.ciclo, c.ciclo2) << c.nome;
        EXPECT_EQ(a.cicloFim, c.cicloFim2) << c.nome;
        EXPECT_EQ(v.ataque, c.ataqueV) << c.nome;
    }
}

TEST(Strikes, KnockOutsAndEffects) {
    struct Case {
        const char* nome;
        uint8_t defesa, t;
        double hp;
        // expected
        uint8_t pos;
        std::vector<std::string> sons;
    };
    const Case cases[] = {
        {"blocked blow chips the last life away",
         1,
         1,
         2.0,
         19,
         {"Snd:10", "Snd:9", "Snd:8", "Snd:7"}},
        {"blocked blow leaves a little life", 1, 1, 2.2, 21, {"Snd:10"}},
        {"landed light blow knocks out", 0, 1, 7.0, 19, {"Snd:8", "Snd:7"}},
        {"landed heavy blow leaves life", 0, 2, 7.1, 17, {"Snd:8"}},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        Lutador& v = game.L(2);
        game.L(1).t = c.t;
        v.hp = c.hp;
        v.defesa = c.defesa;
        v.pos = c.defesa == 1 ? 21 : 1;
        EXPECT_EQ(golpeia(game), c.sons) << c.nome;
        EXPECT_EQ(v.pos, c.pos) << c.nome;
    }
}

// The live effects of a kind, as (x, y).
std::vector<std::pair<int, int>> efeitos(Game& game, int tipo) {
    std::vector<std::pair<int, int>> out;
    for (size_t i = 1; i <= kEffectSlots; ++i) {
        const Efeito& e = game.g().efeitos[i];
        if (e.tipo == tipo) out.emplace_back(e.x, e.y);
    }
    return out;
}

// What a player sees of a blow: a blocked one strikes a spark off the guard; a landed one
// flashes at the middle of its area, a heavy one turns the screen red one time in two and, with
// blood on, splashes blood one time in five; a light one does neither, nor does blood come with
// blood off.
TEST(Strikes, ABlowShowsItsSparkFlashBloodAndRedScreen) {
    struct Case {
        const char* nome;
        uint8_t defesa, t, sangue;
        bool faisca, clarao;  // always
        bool tela, sangra;    // sometimes (never when false)
    };
    const Case cases[] = {
        {"blocked", 1, 2, 1, true, false, false, false},
        {"light", 0, 1, 1, false, true, false, false},
        {"heavy, blood off", 0, 2, 0, false, true, true, false},
        {"heavy, blood on", 0, 2, 1, false, true, true, true},
    };
    constexpr int kTries = 200;
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        int telas = 0, sangues = 0;
        for (int i = 0; i < kTries; ++i) {
            game.g() = base;
            game.g().rng = static_cast<uint64_t>(i) * 7919u + 1u;
            prepara(game);
            game.m().opcaoSangue = c.sangue;
            game.L(1).t = c.t;
            game.L(2).defesa = c.defesa;
            game.L(2).pos = c.defesa == 1 ? 21 : 1;
            golpeia(game);
            // The attack area 240..270 × 230..250 (fighter 1 at 200, 300, 100 tall).
            const auto faisca = efeitos(game, 19), clarao = efeitos(game, 1);
            ASSERT_EQ(faisca.size(), c.faisca ? 1u : 0u) << c.nome;
            if (c.faisca) {
                EXPECT_EQ(faisca[0], std::make_pair(55 + 200 - 13, 300 + 30 - 100 - 13)) << c.nome;
            }
            ASSERT_EQ(clarao.size(), c.clarao ? 1u : 0u) << c.nome;
            if (c.clarao) {
                EXPECT_EQ(clarao[0], std::make_pair(55 + 200 - 40, 40 + 300 - 100 - 40)) << c.nome;
            }
            const auto sangue = efeitos(game, 13);
            if (!sangue.empty()) {
                EXPECT_EQ(sangue[0], std::make_pair(260 - 25, 300 - 100));
            }
            sangues += sangue.empty() ? 0 : 1;
            telas += game.m().flashTempo == 5 ? 1 : 0;
        }
        EXPECT_EQ(telas > 0, c.tela) << c.nome;
        EXPECT_EQ(sangues > 0, c.sangra) << c.nome;
        if (c.tela) {
            EXPECT_LT(telas, kTries) << c.nome;  // one time in two, not always
        }
        if (c.sangra) {
            EXPECT_LT(sangues, kTries / 2) << c.nome;
        }
    }
}

TEST(Strikes, PinningTheVictimAtTheViewEdgePushesTheAttackerBack) {
    struct Case {
        const char* nome;
        int atacanteX, vitimaX;
        Area ataque;
        uint8_t defesa;
        int atacanteX2;
    };
    // telaX 100: the view's margins are at 130 and 470.
    const Case cases[] = {
        {"victim at the right margin", 410, 470, {40, 30, 70, 50}, 0, 398},
        {"victim one pixel inside", 409, 469, {40, 30, 70, 50}, 0, 409},
        {"victim at the left margin", 190, 130, {-70, 30, -40, 50}, 0, 202},
        {"victim one pixel inside the left", 191, 131, {-70, 30, -40, 50}, 0, 191},
        {"blocker pushed onto the margin", 405, 465, {40, 30, 70, 50}, 1, 393},
        {"no contact, no recoil", 410, 470, {90, 30, 95, 50}, 0, 410},
    };
    Game game;
    const GameState base = game.g();
    for (const Case& c : cases) {
        game.g() = base;
        prepara(game);
        game.L(1).x = c.atacanteX;
        game.L(1).areaAtaque = c.ataque;
        game.L(2).x = c.vitimaX;
        game.L(2).lado = c.vitimaX > c.atacanteX ? 2 : 1;
        game.L(2).defesa = c.defesa;
        golpeia(game);
        EXPECT_EQ(game.L(1).x, c.atacanteX2) << c.nome;
    }
}

// A heavy punch thrown in the fight frame lands on a fighter with little life left; the round
// rules take it from there.
TEST(Strikes, KnockOutInTheFightFrameEndsTheRound) {
    struct Case {
        const char* nome;
        double hp;
        uint8_t roundsGanhos1;
    };
    const Case cases[] = {{"last life", 3.0, 1}, {"survives the punch", 100.0, 0}};
    for (const Case& c : cases) {
        Game game;
        game.pastIntro();
        game.m().limiteDeTempo = 0;
        game.frame();
        for (int n = 1; n <= 2; ++n)
            game.L(n).humano = 1;
        game.L(1).x = game.m().telaX + 170;
        game.L(2).x = game.m().telaX + 215;
        game.L(2).hp = c.hp;
        game.form.acao(1, 5);
        bool acertou = false;
        for (int i = 0; i < 20 && !acertou; ++i) {
            game.frame();
            acertou = game.L(2).hp < c.hp;
        }
        ASSERT_TRUE(acertou) << c.nome;
        for (int i = 0; i < 90 && game.m().finRound < 41; ++i)
            game.frame();
        EXPECT_EQ(game.L(1).roundsGanhos, c.roundsGanhos1) << c.nome;
        EXPECT_EQ(game.L(2).roundsGanhos, 0) << c.nome;
    }
}

}  // namespace
}  // namespace pelea
