#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "animation/sheets.h"
#include "support/game_fixture.h"

namespace pelea {
namespace {

using testing::Game;

Efeito& slot(Game& game, int i) {
    return game.g().efeitos[static_cast<size_t>(i)];
}

int contaTipo(Game& game, int tipo) {
    int n = 0;
    for (int i = 1; i <= kEffectSlots; ++i)
        n += slot(game, i).tipo == tipo ? 1 : 0;
    return n;
}

bool tocou(const std::vector<std::string>& sons, const char* som) {
    return std::find(sons.begin(), sons.end(), som) != sons.end();
}

// A running fight, view at telaX 100, both fighters off stage with a 40 × 100 body.
void prepara(Game& game) {
    MatchState& m = game.m();
    m.telaX = 100;
    m.lutaParada = m.esperaTempo = m.golpePausa = m.pausaEspecial = m.primeiroGolpe = 0;
    for (int n = 1; n <= 2; ++n) {
        Lutador& l = game.L(n);
        l.x = -5000;
        l.areaContato = {-20, -100, 20, 0};
        l.altura = 0;
        l.lado = static_cast<uint8_t>(n);
    }
}

// One game per test, its prepared state restored for every case.
struct Mesa {
    Mesa() {
        prepara(game);
        base = game.g();
    }
    Game& reinicia() {
        game.g() = base;
        game.form.DXSound1.clearPlayed();
        return game;
    }
    Game game;
    GameState base;
};

TEST(Effects, SpawnTakesTheFirstFreeSlotAndAFullTableIgnoresIt) {
    std::vector<int> todos;
    for (int i = 1; i <= kEffectSlots; ++i)
        todos.push_back(i);
    const std::vector<int> menosUltimo(todos.begin(), todos.end() - 1);
    const std::pair<std::vector<int>, int> cases[] = {
        {{}, 1}, {{1, 2, 4}, 3}, {{2}, 1}, {menosUltimo, 80}, {todos, 0}};
    Mesa mesa;
    for (const auto& [ocupados, esperado] : cases) {
        Game& game = mesa.reinicia();
        for (int i : ocupados)
            slot(game, i).tipo = 19;
        const GameState antes = game.g();
        game.form.criaefeito(123, 45, 8, "A", 2);
        if (esperado == 0) {
            EXPECT_TRUE(testing::sameState(antes, game.g()));  // dropped, nothing touched
            continue;
        }
        const Efeito& e = slot(game, esperado);
        EXPECT_EQ(std::vector<int>({e.tipo, e.x, e.y, e.dono}), std::vector<int>({8, 123, 45, 2}));
        EXPECT_EQ(contaTipo(game, 8), 1);
    }
}

TEST(Effects, SpawnAppliesTheKindRow) {
    struct Case {
        int tipo;
        const char* variante;
        std::vector<int> esperado;  // velocidade, velocidadeY, direcao, duracao, forca, ativo,
                                    // persistente, then the box x1, y1, x2, y2
    };
    const Case cases[] = {
        {8, "A", {8, 0, 1, 5, 12, 1, 0, 25, -5, 72, 56}},
        {9, "B", {11, 0, 2, 5, 12, 1, 0, 5, -5, 52, 56}},
        {8, "", {0, 0, 1, 5, 12, 1, 0, 25, -5, 72, 56}},  // no variant, no speed
        {27, "B", {7, 0, 1, 5, 12, 1, 0, 25, 25, 45, 45}},
        {33, "B", {13, -17, 2, 20, 10, 1, 0, 0, 0, 22, 13}},
        {3, "", {0, -22, 0, 80, 0, 0, 0, 3, -8, 23, 17}},
        {7, "", {5, -22, 2, 99, 0, 0, 0, 0, 0, 0, 0}},
        {10, "A", {0, 0, 0, 23, 40, 1, 1, 10, 14, 97, 225}},
        {34, "B", {0, 0, 0, 26, 12, 1, 1, 10, 0, 80, 140}},
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        // A reused slot starts clean, its old picture included.
        Efeito& velho = slot(game, 1);
        velho = {};
        velho.alturaDesenho = 9;
        velho.idade = 7;
        velho.piscando = 1;
        velho.derruba = 1;
        velho.imagem = 33;
        game.form.criaefeito(300, 100, c.tipo, c.variante, 1);
        const Efeito& e = slot(game, 1);
        const Area& a = e.areaContato;
        EXPECT_EQ(std::vector<int>({e.velocidade, e.velocidadeY, e.direcao, e.duracao, e.forca,
                                    e.ativo, e.persistente, a.x1, a.y1, a.x2, a.y2}),
                  c.esperado)
            << c.tipo << c.variante;
        EXPECT_EQ(e.alturaDesenho, 0);
        EXPECT_EQ(e.idade, 0);
        EXPECT_EQ(e.piscando, 0);
        EXPECT_EQ(e.imagem, c.tipo == 33 ? 75 : 0) << c.tipo;
    }
}

TEST(Effects, PicturesFollowTheAge) {
    struct Case {
        int tipo;
        std::vector<int> imagens;  // after each tick
        bool expira;               // gone after the last tick
    };
    const Case cases[] = {
        {1, {1, 2, 2, 3}, true},
        {8, {15, 15, 16, 16, 15, 16, 16, 15, 16, 16}, false},  // loops and never expires
        {30, {70, 70, 71, 71, 70, 71, 71}, false},
        {2, {4, 4, 4, 5, 5, 5, 6}, false},
        {19, {46, 46, 47, 47, 48, 48, 48}, true},
        {10, {19, 19, 20, 20, 20, 21, 21}, false},
        {34, {79, 79, 79, 79, 78, 78, 76, 76, 77}, false},
        {6, {13, 13, 13, 13}, false},
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(300, 100, c.tipo, "A", 1);
        std::vector<int> visto;
        for (size_t k = 0; k < c.imagens.size(); ++k) {
            game.form.desenhaefeitos();
            visto.push_back(slot(game, 1).imagem);
        }
        EXPECT_EQ(visto, c.imagens) << c.tipo;
        EXPECT_EQ(slot(game, 1).tipo == 0, c.expira) << c.tipo;
    }
}

TEST(Effects, EnergyColumnGrowsTallerAndBlinks) {
    // ticks → alturaDesenho, box y1, piscando
    const std::pair<int, std::vector<int>> cases[] = {
        {1, {0, 14, 0}}, {3, {120, -100, 0}}, {5, {120, -100, 0}}, {6, {185, -170, 1}}};
    Mesa mesa;
    for (const auto& [ticks, esperado] : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(300, 100, 10, "A", 1);
        for (int k = 0; k < ticks; ++k)
            game.form.desenhaefeitos();
        const Efeito& e = slot(game, 1);
        EXPECT_EQ(std::vector<int>({e.alturaDesenho, e.areaContato.y1, e.piscando}), esperado)
            << ticks;
    }
}

TEST(Effects, MotionPerTick) {
    struct Case {
        int tipo;
        const char* variante;
        int ticks, dx, dy;
    };
    const Case cases[] = {
        {8, "A", 3, 24, 0},    {8, "B", 3, 33, 0},   {9, "A", 2, -16, 0},
        {12, "B", 2, -22, 0},  {27, "A", 2, 10, 10},  // dives by its speed too
        {28, "B", 1, -7, 7},   {6, "", 2, 10, -40},   // rises 22, then 18
        {32, "A", 2, 20, -22}, {2, "", 4, 0, -4},     // the puff rises a pixel a tick
        {34, "A", 5, 0, 0},
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(300, 150, c.tipo, c.variante, 1);
        for (int k = 0; k < c.ticks; ++k)
            game.form.desenhaefeitos();
        const Efeito& e = slot(game, 1);
        ASSERT_EQ(e.tipo, c.tipo);
        EXPECT_EQ(e.x - 300, c.dx) << c.tipo << c.variante;
        EXPECT_EQ(e.y - 150, c.dy) << c.tipo << c.variante;
    }
}

TEST(Effects, LandingLeavingTheViewAndFloorBursts) {
    struct Case {
        const char* nome;
        int tipo, x, y, ticks;
        int tipoDepois;  // in slot 1 afterwards
    };
    const Case cases[] = {
        {"x 680 is still in view", 8, 672, 150, 1, 8},         {"x 681 is out", 8, 673, 150, 1, 0},
        {"x -80 is still in view", 9, -72, 150, 1, 9},         {"x -81 is out", 9, -73, 150, 1, 0},
        {"y -50 is still in view", 19, 300, -50, 1, 19},       {"y -51 is out", 19, 300, -51, 1, 0},
        {"a dive touching the floor", 27, 300, 250, 1, 27},     // box bottom at 300
        {"a dive below the floor bursts", 27, 300, 250, 2, 1},  // 305: the freed slot flashes
        {"a stone lands and stays", 32, 300, 270, 9, 32},
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(c.x, c.y, c.tipo, "A", 1);
        for (int k = 0; k < c.ticks; ++k)
            game.form.desenhaefeitos();
        EXPECT_EQ(slot(game, 1).tipo, c.tipoDepois) << c.nome;
    }
    // The stone came down 257, 248, 243, 242, 245, 252, 263, 278, 297: it rests on 280, blinking
    // and harmless.
    const Efeito& pedra = slot(mesa.game, 1);
    EXPECT_EQ(std::vector<int>({pedra.y, pedra.velocidade, pedra.piscando, pedra.ativo}),
              std::vector<int>({280, 0, 1, 0}));
}

TEST(Effects, AProjectileHitDamagesByForceTimesLevel) {
    struct Case {
        const char* nome;
        int tipo, dono, invencivel, x2, esperaTempo;
        double nivelDano;
        double hp;  // fighter 2's life afterwards
    };
    const Case cases[] = {
        {"light projectile", 8, 1, 0, 300, 0, 0.7, 125 - 12 * 0.7},
        {"full damage level", 8, 1, 0, 300, 0, 1.0, 113},
        {"persistent column", 10, 1, 0, 300, 0, 0.7, 125 - 40 * 0.7},
        {"new-challenger wait", 8, 1, 0, 300, 5, 0.7, 125},
        {"own projectile", 8, 2, 0, 300, 0, 0.7, 125},
        {"invincible", 8, 1, 1, 300, 0, 0.7, 125},
        {"boxes only touch", 8, 1, 0, 350, 0, 0.7, 125},  // box ends at 330, body from 330
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.m().nivelDano = c.nivelDano;
        game.m().esperaTempo = static_cast<uint8_t>(c.esperaTempo);
        game.L(1).x = 150;
        game.L(2).x = c.x2;
        game.L(2).invencivel = static_cast<uint8_t>(c.invencivel);
        game.form.criaefeito(250, 200, c.tipo, "A", c.dono);  // box 283 … 330 after 8 px
        game.form.desenhaefeitos();
        const bool acertou = c.dono == 1 && c.invencivel == 0 && c.x2 == 300;
        EXPECT_DOUBLE_EQ(game.L(2).hp, c.hp) << c.nome;
        EXPECT_EQ(contaTipo(game, c.tipo) == 1, !acertou || c.tipo == 10) << c.nome;
        EXPECT_EQ(tocou(game.sounds(), "Snd:9"), acertou) << c.nome;
        if (!acertou) continue;
        EXPECT_EQ(game.m().golpePausa, 5) << c.nome;
        EXPECT_EQ(game.L(2).recuo, c.tipo == 10 ? 18 : 8) << c.nome;
        // 5 for the hit and 100 for the round's first blow.
        EXPECT_EQ(std::vector<int>({game.L(1).pontos, game.L(1).mensagem, game.L(1).hits}),
                  std::vector<int>({105, 1, 1}))
            << c.nome;
        EXPECT_GE(contaTipo(game, 1), 1) << c.nome;  // the hit flash
    }
}

TEST(Effects, AHitKnocksDownWhenTheRulesSay) {
    struct Case {
        const char* nome;
        int derruba, grav;
        uint8_t pos;  // 18 hit standing, 19 knocked down
    };
    const Case cases[] = {
        {"plain hit", 0, 0, 18},
        {"a knock-down projectile", 1, 0, 19},
        {"hit while jumping", 0, -5, 19},
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.L(1).x = 150;
        game.L(2).x = 300;
        game.L(2).grav = static_cast<int8_t>(c.grav);
        game.form.criaefeito(250, 200, 8, "A", 1);
        slot(game, 1).derruba = static_cast<uint8_t>(c.derruba);
        game.form.desenhaefeitos();
        EXPECT_EQ(game.L(2).pos, c.pos) << c.nome;
    }
}

TEST(Effects, AGuardTakesAQuarterAndIsPushedBack) {
    struct Case {
        int tipo, lado;
        double hp;
        int x;
        double nivelDano;
    };
    // round(12 × 0.7 / 4) = 2; round(40 × 0.7 / 4) = 7; round(12 × 0.9 / 4) = round(2.7) = 3 (not
    // 2: rounded, not cut); round(40 × 1.5 / 4) = 15; round(12 × 1.5 / 4) = round(4.5) = 4 (even)
    const Case cases[] = {{9, 1, 123, 290, 0.7}, {8, 2, 123, 310, 0.7},  {10, 2, 118, 310, 0.7},
                          {8, 2, 122, 310, 0.9}, {10, 2, 110, 310, 1.5}, {8, 2, 121, 310, 1.5},
                          {9, 1, 121, 290, 1.25}};
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.m().nivelDano = c.nivelDano;
        game.L(1).x = 150;
        game.L(2).x = 300;
        game.L(2).defesa = 1;
        game.L(2).lado = static_cast<uint8_t>(c.lado);
        game.form.criaefeito(c.tipo == 9 ? 275 : 250, 200, c.tipo, "A", 1);
        game.form.desenhaefeitos();
        EXPECT_DOUBLE_EQ(game.L(2).hp, c.hp) << c.tipo;
        EXPECT_EQ(game.L(2).x, c.x) << c.tipo;
        EXPECT_EQ(game.m().golpePausa, 2) << c.tipo;
        EXPECT_EQ(contaTipo(game, 19), 1) << c.tipo;  // the block spark
        EXPECT_EQ(contaTipo(game, c.tipo), c.tipo == 10 ? 1 : 0) << c.tipo;
        EXPECT_TRUE(tocou(game.sounds(), "Snd:10")) << c.tipo;
    }
}

TEST(Effects, OpposingEffectsCancel) {
    struct Case {
        const char* nome;
        int tipoA, donoA, tipoB, donoB;
        bool ficaA, ficaB;
        int flashes;  // hit flashes live afterwards
    };
    const Case cases[] = {
        {"two projectiles", 8, 1, 9, 2, false, false, 2},
        {"column beats a projectile", 10, 1, 9, 2, true, false, 1},
        {"projectile into a whirlwind", 8, 1, 34, 2, false, true, 1},
        {"same owner passes", 8, 1, 9, 1, true, true, 0},
        {"a neutral flash is not active", 8, 1, 1, 0, true, true, 1},  // the flash itself
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(300, 100, c.tipoA, "A", c.donoA);
        game.form.criaefeito(320, 100, c.tipoB, "A", c.donoB);
        game.form.desenhaefeitos();
        EXPECT_EQ(contaTipo(game, c.tipoA) == 1, c.ficaA) << c.nome;
        if (c.tipoB != 1) {
            EXPECT_EQ(contaTipo(game, c.tipoB) == 1, c.ficaB) << c.nome;
        }
        EXPECT_EQ(contaTipo(game, 1), c.flashes) << c.nome;
    }
}

TEST(Effects, PickupsHealAndLeaveTheMessage) {
    struct Case {
        const char* nome;
        int tipo, idade;
        double hpAntes;
        int esperaTempo;
        double hpDepois;
        bool coletado;
    };
    const Case cases[] = {
        {"small", 3, 14, 100, 0, 114, true},
        {"large", 4, 14, 100, 0, 121, true},
        {"no upper bound", 4, 30, 120, 0, 141, true},
        {"too young", 3, 13, 100, 0, 100, false},
        {"knocked out", 3, 14, 0, 0, 0, false},
        {"taken while waiting, no heal", 3, 14, 100, 5, 100, true},
    };
    Mesa mesa;
    for (const Case& c : cases) {
        Game& game = mesa.reinicia();
        game.L(1).x = 200;
        game.L(1).hp = c.hpAntes;
        game.m().esperaTempo = static_cast<uint8_t>(c.esperaTempo);
        game.form.criaefeito(190, 270, c.tipo, "", 0);
        slot(game, 1).velocidadeY = 0;  // already landed
        slot(game, 1).idade = static_cast<uint8_t>(c.idade);
        game.form.desenhaefeitos();
        EXPECT_DOUBLE_EQ(game.L(1).hp, c.hpDepois) << c.nome;
        EXPECT_EQ(contaTipo(game, c.tipo) == 0, c.coletado) << c.nome;
        EXPECT_EQ(contaTipo(game, 5) == 1, c.coletado) << c.nome;
        EXPECT_EQ(tocou(game.sounds(), "Snd:11"), c.coletado) << c.nome;
    }
}

TEST(Effects, PickupMessageRisesInGreenText) {
    // Anti-aliased edges blend into the black shadow, so any clearly green pixel counts.
    const auto verde = [](TColor k) {
        const int r = static_cast<int>(k & 255U), g = static_cast<int>((k >> 8U) & 255U);
        const int b = static_cast<int>((k >> 16U) & 255U);
        return g > 120 && g > r + 60 && g > b + 40;
    };
    // pausaEspecial, golpePausa → rise over one tick
    const std::pair<std::pair<int, int>, int> cases[] = {{{0, 0}, -5}, {{0, 3}, -5}, {{3, 0}, 0}};
    Mesa mesa;
    for (const auto& [pausas, dy] : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(250, 150, 5, "", 0);
        game.m().pausaEspecial = static_cast<uint8_t>(pausas.first);
        game.m().golpePausa = static_cast<uint8_t>(pausas.second);
        media::Surface& s = game.form.DXDraw1.Surface;
        s.fill(media::kBlack);
        game.form.desenhaefeitos();
        EXPECT_EQ(slot(game, 1).y - 150, dy);
        // "QUE RICO! " centred on x 150 (250 − telaX), its top at y 150.
        int verdes = 0;
        for (int y = 150; y < 170; ++y) {
            for (int x = 110; x < 190; ++x)
                verdes += verde(s.colorAt(x, y)) ? 1 : 0;
        }
        EXPECT_GT(verdes, 20);
        EXPECT_EQ(s.colorAt(100, 160), media::kBlack);
    }
}

TEST(Effects, NothingMovesOrAgesWhilePaused) {
    const std::pair<int, int> cases[] = {{4, 0}, {0, 4}, {2, 2}};  // pausaEspecial, golpePausa
    Mesa mesa;
    for (const auto& [especial, golpe] : cases) {
        Game& game = mesa.reinicia();
        game.form.criaefeito(300, 150, 8, "B", 1);
        game.form.criaefeito(300, 260, 3, "", 0);
        game.form.criaefeito(300, 50, 2, "", 0);
        game.form.desenhaefeitos();  // all a tick old
        const GameState antes = game.g();
        game.m().pausaEspecial = static_cast<uint8_t>(especial);
        game.m().golpePausa = static_cast<uint8_t>(golpe);
        for (int k = 0; k < 3; ++k)
            game.form.desenhaefeitos();
        for (size_t i = 1; i <= 3; ++i) {
            const Efeito& a = antes.efeitos[i];
            const Efeito& e = game.g().efeitos[i];
            EXPECT_EQ(std::vector<int>({e.x, e.y, e.idade, e.imagem, e.velocidadeY}),
                      std::vector<int>({a.x, a.y, a.idade, a.imagem, a.velocidadeY}))
                << i;
        }
    }
}

TEST(Effects, TheFightFrameRunsThePass) {
    // golpePausa held on every frame → fighter 2's life after the frames
    const std::pair<int, double> cases[] = {{0, 125 - 12 * 0.7}, {3, 125}};
    for (const auto& [pausa, hp] : cases) {
        Game game;
        game.pastIntro();
        game.L(1).humano = game.L(2).humano = 1;  // nobody moves or guards
        // The height a loaded sheet would give (no sheet files here).
        for (int n = 1; n <= 2; ++n)
            game.L(n).altura = static_cast<int16_t>(sheets::sheet(game.L(n).personagem).altura);
        // Fighter 1 at 200 fires at fighter 2 at 400, from chest height.
        game.form.criaefeito(260, 245, 8, "A", 1);
        bool especial = false;
        for (int k = 0; k < 15; ++k) {
            game.m().golpePausa =
                std::max<uint8_t>(game.m().golpePausa, static_cast<uint8_t>(pausa));
            especial = tocou(game.frame(), "Snd:9") || especial;
        }
        EXPECT_DOUBLE_EQ(game.L(2).hp, hp) << pausa;
        EXPECT_EQ(especial, pausa == 0) << pausa;
        EXPECT_EQ(contaTipo(game, 8), pausa == 0 ? 0 : 1) << pausa;
    }
}

}  // namespace
}  // namespace pelea
