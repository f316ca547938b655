// All twelve characters' special moves, typed as a person types them: each comes out, shows its
// frames in order, lands on a standing opponent in its range or is blocked by one holding back,
// and leaves its fighter standing on the floor; the effects, grabs, tables and art that go with
// them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "animation/anchors.h"
#include "animation/personagens.h"
#include "animation/roteiro.h"
#include "animation/sheets.h"
#include "assetgen/fighters.h"
#include "fighter/acao_especiais.h"
#include "game/move_list.h"
#include "support/fight_fixture.h"

namespace pelea {
namespace {

using testing::Game;

// One command of the move list: the state it enters, a distance at which it strikes a standing
// opponent, and the first frames it shows in that state (none listed for a flailing move that
// draws its frames at random).
struct Comando {
    int personagem, linha, estado, distancia;
    std::vector<int> quadros;
};

const std::vector<Comando>& comandos() {
    static const std::vector<Comando> kComandos = {
        {1, 1, 25, 200, {35, 36, 37}},  {1, 2, 26, 140, {38, 39, 40}},
        {1, 3, 27, 70, {41, 42, 41}},   {1, 4, 28, 100, {43, 44, 45}},
        {1, 5, 29, 100, {35, 36, 37}},  {2, 1, 25, 200, {35, 36, 37}},
        {2, 2, 26, 100, {40, 38, 39}},  {2, 3, 28, 100, {}},
        {2, 4, 27, 140, {45}},          {2, 5, 30, 100, {44, 41}},
        {3, 1, 25, 200, {35, 36, 37}},  {3, 2, 26, 70, {38, 39}},
        {3, 3, 27, 100, {40, 41, 40}},  {3, 4, 28, 100, {43, 42}},
        {3, 5, 29, 140, {45, 42}},      {4, 1, 25, 200, {35, 36, 37}},
        {4, 2, 26, 100, {42, 38, 43}},  {4, 3, 27, 70, {44, 39, 44}},
        {4, 4, 28, 70, {42, 41, 45}},   {4, 5, 29, 140, {12, 40}},
        {5, 1, 25, 200, {35, 36, 39}},  {5, 2, 26, 100, {37, 38, 37}},
        {5, 3, 27, 70, {40, 41, 42}},   {5, 4, 28, 70, {43, 44, 43}},
        {5, 5, 29, 70, {6, 45, 46}},    {6, 1, 25, 200, {35, 36}},
        {6, 2, 26, 200, {38, 39}},      {6, 3, 27, 70, {42, 40, 42}},
        {6, 4, 28, 140, {43, 37, 43}},  {6, 5, 29, 100, {41, 44, 43}},
        {7, 1, 25, 70, {35, 36, 35}},   {7, 2, 26, 100, {37, 38}},
        {7, 3, 27, 70, {40, 39, 40}},   {7, 4, 28, 100, {42, 41}},
        {7, 5, 29, 140, {38, 43}},      {8, 1, 25, 200, {37, 36}},
        {8, 2, 26, 200, {38}},          {8, 3, 27, 140, {40, 39, 40}},
        {8, 4, 28, 140, {41, 42, 41}},  {8, 5, 29, 140, {33, 34}},
        {9, 1, 25, 70, {43, 42, 43}},   {9, 2, 26, 100, {41, 35, 41}},
        {9, 3, 27, 70, {38, 39, 38}},   {9, 4, 28, 200, {36}},
        {9, 5, 29, 70, {19, 44, 37}},   {10, 1, 25, 70, {35, 36, 35}},
        {10, 2, 26, 140, {37}},         {10, 3, 27, 70, {39, 40, 39}},
        {10, 4, 28, 70, {41, 34}},      {10, 5, 29, 70, {38, 35, 36}},
        {11, 1, 25, 100, {35, 36}},     {11, 2, 26, 70, {37, 38, 37}},
        {11, 3, 27, 70, {38, 39}},      {11, 4, 28, 100, {40, 41}},
        {11, 5, 29, 70, {6, 37, 38}},   {12, 1, 25, 200, {35, 36, 37}},
        {12, 2, 26, 70, {39, 40}},      {12, 3, 27, 70, {41, 42, 41}},
        {12, 4, 27, 200, {41, 42, 41}}, {12, 5, 28, 70, {38, 43, 44}},
    };
    return kComandos;
}

// What one typed command did in a fight.
struct Resultado {
    int estado = 0;             // the first special state entered
    std::vector<int> quadros;   // the frames it showed in that state, each once in a row
    double dano = 0;            // the opponent's lost life
    bool bloqueou = false;      // the opponent stood or crouched in guard at some moment
    bool derrubado = false;     // the opponent was knocked down
    bool terminouEmPe = false;  // the fighter stood on the floor once its moves were over
};

constexpr int kMaxFrames = 320;
constexpr int kEnd = 60;  // frames after its moves in which the fighter must be standing

Resultado digita(const Comando& c, int lado, bool guarda) {
    Game game(7);
    game.form.setBlindMute(true);
    const int meio = 300;
    const int x1 = lado == 1 ? meio - c.distancia / 2 : meio + c.distancia / 2;
    const int x2 = lado == 1 ? x1 + c.distancia : x1 - c.distancia;
    testing::preparaLuta(game, c.personagem, 1, x1, x2);
    game.L(1).estoque = 1;
    const std::string code =
        move_list::kMoves[static_cast<size_t>(c.personagem - 1)][static_cast<size_t>(c.linha - 1)]
            .code;
    const std::vector<testing::Tecla> teclas = testing::digita(code, c.personagem, false);
    const uint32_t tras = lado == 1 ? media::isRight : media::isLeft;  // the opponent's back
    Resultado r;
    const double vida = game.L(2).hp;
    int fim = -1;
    for (int f = 0; f < kMaxFrames; ++f) {
        const size_t i = static_cast<size_t>(f);
        game.plat.keyboard = i < teclas.size() ? testing::bits(teclas[i], lado) : 0u;
        game.plat.joystick = guarda ? tras : 0u;
        game.frame();
        const Lutador& l = game.L(1);
        const Lutador& o = game.L(2);
        if (r.estado == 0 && l.pos >= 25) r.estado = l.pos;
        if (r.estado != 0 && l.pos == r.estado) {
            const int q = l.desenho;  // fighter 1: frames from item 0
            if (r.quadros.empty() || r.quadros.back() != q) r.quadros.push_back(q);
        }
        r.bloqueou = r.bloqueou || o.pos == 21 || o.pos == 22;
        r.derrubado = r.derrubado || o.pos == 19;
        if (r.estado != 0 && l.pos < 23 && fim < 0) fim = f;
        if (fim >= 0 && l.pos == 1 && l.y == 300 && f - fim <= kEnd) r.terminouEmPe = true;
        if (fim >= 0 && f - fim > kEnd) break;
    }
    r.dano = vida - game.L(2).hp;
    return r;
}

TEST(CharacterMoves, EveryCommandTypedComesOutLandsAndEndsOnTheFloor) {
    for (const Comando& c : comandos()) {
        for (int lado : {1, 2}) {
            const std::string what = "character " + std::to_string(c.personagem) + " command " +
                                     std::to_string(c.linha) + (lado == 1 ? " right" : " left");
            const Resultado r = digita(c, lado, false);
            EXPECT_EQ(r.estado, c.estado) << what;
            const size_t n = std::min(c.quadros.size(), r.quadros.size());
            EXPECT_EQ(std::vector<int>(r.quadros.begin(), r.quadros.begin() + n), c.quadros)
                << what;
            EXPECT_EQ(n, c.quadros.size()) << what;
            EXPECT_GT(r.dano, 0.0) << what << ": it never landed";
            EXPECT_FALSE(r.bloqueou) << what;
            EXPECT_TRUE(r.terminouEmPe) << what;
        }
    }
}

TEST(CharacterMoves, AnOpponentHoldingBackBlocksEveryCommand) {
    for (const Comando& c : comandos()) {
        for (int lado : {1, 2}) {
            const std::string what = "character " + std::to_string(c.personagem) + " command " +
                                     std::to_string(c.linha) + (lado == 1 ? " right" : " left");
            const Resultado livre = digita(c, lado, false);
            const Resultado guardado = digita(c, lado, true);
            EXPECT_EQ(guardado.estado, c.estado) << what;
            EXPECT_TRUE(guardado.bloqueou) << what;
            EXPECT_FALSE(guardado.derrubado) << what;
            EXPECT_LT(guardado.dano, livre.dano) << what << ": a guard takes only chip damage";
            EXPECT_TRUE(guardado.terminouEmPe) << what;
        }
    }
}

}  // namespace
}  // namespace pelea

namespace pelea {
namespace {

// A fighter put straight into a state, its script run once per ciclo from 0.
struct Roteiro {
    Game game{11};
    explicit Roteiro(int personagem, int lado = 1, int y = 300) {
        testing::preparaLuta(game, personagem, 1, lado == 1 ? 250 : 350, lado == 1 ? 350 : 250);
        for (size_t i = 1; i <= kEffectSlots; ++i)
            game.g().efeitos[i].tipo = 0;
        game.L(1).y = y;
    }
    Lutador& l() { return game.L(1); }
    Lutador& o() { return game.L(2); }
    // As the dispatcher enters a state: a super move comes with its first frame.
    void entra(int pos, int t, int cicloFim) {
        l().pos = static_cast<uint8_t>(pos);
        l().t = static_cast<uint8_t>(t);
        l().cicloFim = static_cast<uint8_t>(cicloFim);
        for (const especial::Linha& linha : especial::tabela(l().personagem)) {
            if (linha.pos == pos && linha.super) l().desenho = linha.quadro;
        }
    }
    void passo(int ciclo) {
        l().ciclo = static_cast<uint8_t>(ciclo);
        game.form.definedesenho(1);
    }
    // The live effects of a kind.
    std::vector<Efeito> efeitos(int tipo) {
        std::vector<Efeito> out;
        for (size_t i = 1; i <= kEffectSlots; ++i) {
            if (game.g().efeitos[i].tipo == tipo) out.push_back(game.g().efeitos[i]);
        }
        return out;
    }
};

// Where each move's effect appears: its kind and place facing right and facing left, relative
// to the fighter, its owner and, for a projectile, the speed its light or heavy text gives.
struct Lancado {
    int personagem, estado, t, ciclo;
    int tipoDireita, dxDireita, tipoEsquerda, dxEsquerda, dy;
    int dono;        // 0 none, 1 the fighter
    int velocidade;  // the horizontal speed it starts with
};

TEST(CharacterEffects, EachAppearsOnItsCycleAtItsPlaceFacingEitherWay) {
    const Lancado casos[] = {
        {1, 23, 0, 15, 6, 30, 7, -50, -135, 0, 5},     {1, 25, 1, 10, 8, 0, 9, -60, -55, 1, 8},
        {1, 25, 2, 10, 8, 0, 9, -60, -55, 1, 11},      {1, 29, 3, 10, 10, 30, 10, -134, -45, 1, 0},
        {2, 25, 1, 10, 11, 0, 12, -60, -115, 1, 8},    {3, 25, 2, 10, 11, 0, 12, -60, -100, 1, 11},
        {4, 25, 1, 10, 15, 0, 16, -60, -130, 1, 8},    {5, 25, 1, 10, 17, 0, 18, -60, -118, 1, 8},
        {6, 25, 1, 10, 20, 10, 21, -80, -160, 1, 8},   {6, 26, 2, 10, 20, 10, 21, -80, -108, 1, 11},
        {8, 25, 1, 10, 25, 0, 26, -60, -100, 1, 8},    {8, 26, 1, 10, 27, 30, 28, -90, -48, 1, 5},
        {8, 28, 1, 0, 24, -37, 24, -37, -120, 1, 0},   {8, 29, 0, 0, 29, 20, 30, -20, -90, 1, -1},
        {11, 25, 1, 10, 32, 35, 33, -50, -112, 1, 10}, {11, 26, 2, 4, 34, 5, 34, -98, -140, 1, 0},
        {12, 25, 1, 10, 11, 0, 12, -60, -125, 1, 8},
    };
    for (const Lancado& c : casos) {
        for (int lado : {1, 2}) {
            const std::string what = "character " + std::to_string(c.personagem) + " state " +
                                     std::to_string(c.estado) + (lado == 1 ? " right" : " left");
            Roteiro r(c.personagem, lado, c.personagem == 8 && c.estado == 26 ? 200 : 300);
            r.entra(c.estado, c.t, 60);
            const int tipo = lado == 1 ? c.tipoDireita : c.tipoEsquerda;
            for (int k = 0; k < c.ciclo; ++k)
                r.passo(k);
            EXPECT_TRUE(r.efeitos(tipo).empty()) << what << ": too early";
            r.passo(c.ciclo);
            const std::vector<Efeito> e = r.efeitos(tipo);
            ASSERT_EQ(e.size(), 1u) << what;
            const int dx = lado == 1 ? c.dxDireita : c.dxEsquerda;
            EXPECT_EQ(e[0].x, r.l().x + dx) << what;
            EXPECT_EQ(e[0].y, r.l().y + c.dy) << what;
            EXPECT_EQ(e[0].dono, c.dono) << what;
            if (c.velocidade >= 0) {
                EXPECT_EQ(e[0].velocidade, c.velocidade) << what;
            }
        }
    }
}

// Typed by a person, the first character's ball leaves its hand, and its super raises the
// energy column, facing either way.
TEST(CharacterEffects, TypedCommandsThrowTheBallAndRaiseTheColumn) {
    struct Caso {
        int linha, tipoDireita, tipoEsquerda;
    };
    const Caso casos[] = {{1, 8, 9}, {5, 10, 10}};
    for (const Caso& c : casos) {
        for (int lado : {1, 2}) {
            Game game(5);
            game.form.setBlindMute(true);
            testing::preparaLuta(game, 1, 1, lado == 1 ? 200 : 400, lado == 1 ? 400 : 200);
            game.L(1).estoque = 1;
            const auto teclas = testing::digita(
                move_list::kMoves[0][static_cast<size_t>(c.linha - 1)].code, 1, false);
            const int tipo = lado == 1 ? c.tipoDireita : c.tipoEsquerda;
            bool apareceu = false;
            for (int f = 0; f < 120 && !apareceu; ++f) {
                const size_t i = static_cast<size_t>(f);
                game.plat.keyboard = i < teclas.size() ? testing::bits(teclas[i], lado) : 0u;
                game.frame();
                for (size_t s = 1; s <= kEffectSlots; ++s) {
                    const Efeito& e = game.g().efeitos[s];
                    apareceu = apareceu || (e.tipo == tipo && e.dono == 1);
                }
            }
            EXPECT_TRUE(apareceu) << "command " << c.linha << (lado == 1 ? " right" : " left");
        }
    }
}

// The bull's stampede sets the air ahead of it on fire, three flames a tick on cycles 2 to 9.
TEST(CharacterEffects, TheStampedeBurnsAheadOfTheBull) {
    for (int lado : {1, 2}) {
        Roteiro r(4, lado);
        r.entra(29, 2, 13);
        for (int k = 0; k <= 12; ++k) {
            r.passo(k);
            const std::vector<Efeito> fogo = r.efeitos(14);
            const size_t esperado = k < 2 ? 0 : 3 * static_cast<size_t>(std::min(k, 9) - 1);
            ASSERT_EQ(fogo.size(), esperado) << "ciclo " << k << (lado == 1 ? " right" : " left");
            if (k < 2 || k > 9) continue;
            const Efeito& f = fogo.back();
            const int x = r.l().x, y = r.l().y;
            if (lado == 1) {
                EXPECT_GE(f.x, x + 20);
                EXPECT_LE(f.x, x + 49);
            } else {
                EXPECT_GE(f.x, x - 79);
                EXPECT_LE(f.x, x - 50);
            }
            EXPECT_GE(f.y, y - 140);
            EXPECT_LE(f.y, y - 101);
            EXPECT_EQ(f.dono, 0);
        }
    }
}

// A hold keeps the opponent at its distance in front on every call, then throws it down with
// the grab's damage; the wrestler's deadly hug goes straight on into its rocket hook.
TEST(CharacterGrabs, TheOpponentIsHeldAtItsDistanceThenThrown) {
    struct Caso {
        int personagem, estado, cicloFim, distancia, passo, dano, recuo;
        bool arremessa;  // the opponent flies up spinning
        int depois;      // the holder's state after the release (0: its own)
    };
    const Caso casos[] = {
        {2, 29, 30, 40, 8, 20, 30, false, 0},
        {2, 31, 40, 40, 8, 40, 28, true, 26},
        {3, 30, 30, 65, 5, 40, 30, true, 0},
        {7, 30, 15, 50, 8, 40, 30, true, 0},
    };
    for (const Caso& c : casos) {
        for (int lado : {1, 2}) {
            const std::string what = "character " + std::to_string(c.personagem) + " state " +
                                     std::to_string(c.estado) + (lado == 1 ? " right" : " left");
            Roteiro r(c.personagem, lado);
            r.game.m().nivelDano = 0.5;
            r.entra(c.estado, 2, c.cicloFim);
            r.o().pos = 17;
            r.o().y = 260;
            const double vida = r.o().hp;
            for (int k = 0; k < c.cicloFim - 1; ++k) {
                r.passo(k);
                const int d = (r.o().x - r.l().x) * (lado == 1 ? 1 : -1);
                EXPECT_TRUE(d == c.distancia || d == c.distancia + c.passo) << what << " " << d;
                EXPECT_GE(r.o().desenho, 50 + 26);
                EXPECT_LE(r.o().desenho, 50 + 27);
                EXPECT_DOUBLE_EQ(r.o().hp, vida) << what << ": hurt before the release";
            }
            EXPECT_EQ(r.o().y, 300) << what;
            r.passo(c.cicloFim - 1);
            EXPECT_DOUBLE_EQ(r.o().hp, vida - c.dano * 0.5) << what;
            EXPECT_EQ(r.o().pos, 19) << what;
            EXPECT_EQ(r.o().recuo, c.recuo) << what;
            EXPECT_EQ(r.o().grav, c.arremessa ? -30 : -19) << what;
            if (c.arremessa) {
                EXPECT_EQ(r.o().giro, r.o().lado == 1 ? -25 : 25) << what;
            }
            EXPECT_EQ(r.l().pos, c.depois == 0 ? c.estado : c.depois) << what;
        }
    }
}

// A grab attempt that connects moves on to its hold, in the real frame.
TEST(CharacterGrabs, AnAttemptThatConnectsBecomesAHold) {
    struct Caso {
        int personagem, linha, tentativa, agarrao;
    };
    const Caso casos[] = {{2, 3, 28, 29}, {2, 5, 30, 31}, {3, 5, 29, 30}, {7, 5, 29, 30}};
    for (const Caso& c : casos) {
        Game game(5);
        game.form.setBlindMute(true);
        testing::preparaLuta(game, c.personagem, 1, 250, 340);
        game.L(1).estoque = 1;
        const std::string code = move_list::kMoves[static_cast<size_t>(c.personagem - 1)]
                                                  [static_cast<size_t>(c.linha - 1)]
                                                      .code;
        const auto teclas = testing::digita(code, c.personagem, false);
        bool tentou = false, agarrou = false;
        for (int f = 0; f < 200 && !agarrou; ++f) {
            const size_t i = static_cast<size_t>(f);
            game.plat.keyboard = i < teclas.size() ? testing::bits(teclas[i], 1) : 0u;
            game.frame();
            tentou = tentou || game.L(1).pos == c.tentativa;
            agarrou = game.L(1).pos == c.agarrao;
        }
        EXPECT_TRUE(tentou) << "character " << c.personagem;
        EXPECT_TRUE(agarrou) << "character " << c.personagem;
    }
}

}  // namespace
}  // namespace pelea

namespace pelea {
namespace {

constexpr int kNormais[] = {3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16};

// The follow-up holds a connecting move leads to, with their cycle limits.
struct Seguimento {
    int personagem, estado, cicloFim;
};
constexpr Seguimento kSeguimentos[] = {{2, 29, 30}, {2, 31, 40}, {3, 30, 30}, {7, 30, 15}};

// Every state a character's own script draws: its victory pose, its dispatcher rows' states
// with their cycle limits, and its follow-up holds.
std::vector<Seguimento> estadosProprios(int personagem) {
    std::vector<Seguimento> out = {{personagem, 23, 250}};
    for (const especial::Linha& r : especial::tabela(personagem))
        out.push_back({personagem, r.pos, std::max(r.fim[0], r.fim[1])});
    for (const Seguimento& s : kSeguimentos) {
        if (s.personagem == personagem) out.push_back(s);
    }
    return out;
}

TEST(CharacterTables, EveryRowBelongsToAStateTheCharacterCanEnter) {
    for (int c = 1; c <= sheets::kSlots; ++c) {
        std::vector<int> validos(std::begin(kNormais), std::end(kNormais));
        for (const Seguimento& s : estadosProprios(c))
            validos.push_back(s.estado);
        const animacao::Tabelas t = animacao::tabelas(c);
        EXPECT_FALSE(t.ataque.empty()) << "character " << c;
        for (const auto& r : t.ataque) {
            EXPECT_NE(std::find(validos.begin(), validos.end(), r.state), validos.end())
                << "character " << c << " row for state " << r.state;
        }
        for (const auto& r : t.contato) {
            EXPECT_GE(r.frame, 1) << "character " << c;
            EXPECT_LE(r.frame, sheets::sheet(c).n) << "character " << c;
        }
    }
}

// Run over every cycle with either blow class, each own state draws only frames its sheet has.
TEST(CharacterTables, EveryScriptDrawsOnlyFramesOfItsSheet) {
    for (int c = 1; c <= sheets::kSlots; ++c) {
        const int n = sheets::sheet(c).n;
        Roteiro r(c);
        const GameState inicio = r.game.g();
        for (const Seguimento& s : estadosProprios(c)) {
            for (int t : {1, 2}) {
                r.game.g() = inicio;
                r.entra(s.estado, t, s.cicloFim);
                for (int k = 0; k < s.cicloFim; ++k) {
                    r.l().pos = static_cast<uint8_t>(s.estado);
                    r.passo(k);
                    const int q = r.l().desenho;
                    ASSERT_GE(q, 1) << "character " << c << " state " << s.estado;
                    ASSERT_LE(q, n) << "character " << c << " state " << s.estado << " ciclo " << k;
                }
            }
        }
    }
}

// The sheets are slow to draw in a debug build: each once for the whole suite.
const media::Picture& folha(int slot) {
    static std::vector<media::Picture> cache(sheets::kSlots + 1);
    media::Picture& p = cache[static_cast<size_t>(slot)];
    if (p.width() == 0) p = assetgen::renderSheet(slot);
    return p;
}

// Inked pixels of frame k inside an area (x from the anchor, y from the top), cut to the frame.
int tinta(int slot, int k, int x1, int y1, int x2, int y2) {
    const media::Picture& p = folha(slot);
    const int left = sheets::frameLeft(slot, k), w = sheets::frameWidth(slot, k);
    const int a = anchors::meio(slot, k), h = sheets::sheet(slot).h;
    int count = 0;
    for (int y = std::max(0, y1); y < std::min(h, y2); ++y) {
        for (int x = std::max(0, a + x1); x < std::min(w, a + x2); ++x)
            count += p.pixel(left + x, y) != media::kWhite;
    }
    return count;
}

// A blow's area holds the striking limb (or body) of the frame shown when it strikes, and
// within 6 pixels of every side of a contact area there is body.
TEST(CharacterAreas, BlowsStrikeWithTheFigureAndBodiesFillTheirContactAreas) {
    constexpr int kSlack = 6, kMinInk = 12;
    for (int c = 1; c <= sheets::kSlots; ++c) {
        const animacao::Tabelas t = animacao::tabelas(c);
        for (const auto& r : t.ataque) {
            if (r.live == 0) continue;
            const int k = assetgen::frameAt(c, r.state, r.ciclo, r.tOnly != 0 ? r.tOnly : 1);
            EXPECT_GE(tinta(c, k, r.x1, r.y1, r.x2, r.y2), kMinInk)
                << "character " << c << " state " << r.state << " ciclo " << r.ciclo << " frame "
                << k;
        }
        const int h = sheets::sheet(c).h;
        for (const auto& r : t.contato) {
            const std::string what =
                "character " + std::to_string(c) + " frame " + std::to_string(r.frame);
            const int a = anchors::meio(c, r.frame), w = sheets::frameWidth(c, r.frame);
            const int x1 = std::max(-a, r.x1), x2 = std::min(w - a, r.x2);
            const int y1 = r.y1, y2 = std::min(h, r.y2);
            EXPECT_GT(tinta(c, r.frame, x1, y1, x2, y2), (x2 - x1) * (y2 - y1) / 4) << what;
            EXPECT_GT(tinta(c, r.frame, x1, y1, x1 + kSlack, y2), 0) << what << " left side";
            EXPECT_GT(tinta(c, r.frame, x2 - kSlack, y1, x2, y2), 0) << what << " right side";
            EXPECT_GT(tinta(c, r.frame, x1, y1, x2, y1 + kSlack), 0) << what << " top";
            EXPECT_GT(tinta(c, r.frame, x1, y2 - kSlack, x2, y2), 0) << what << " bottom";
        }
    }
}

// A pose may touch its frame's edge but never be cut by it.
TEST(CharacterSheets, NoPoseSpillsOutOfItsFrame) {
    for (int c = 1; c <= sheets::kSlots; ++c) {
        for (int k = 1; k <= sheets::sheet(c).n; ++k)
            EXPECT_EQ(assetgen::spillOf(c, k), 0) << "character " << c << " frame " << k;
    }
}

}  // namespace
}  // namespace pelea

namespace pelea {
namespace {

// A script drawing any frame at random draws one its own sheet has, however short the sheet.
TEST(CharacterMends, AnyFrameAtRandomIsOneOfTheCharactersOwn) {
    for (int c : {2, 8, 11, 5}) {
        Roteiro r(c);
        const int n = sheets::sheet(c).n;
        int maior = 0;
        for (int i = 0; i < 400; ++i) {
            animacao::quadroQualquer(r.game.form, 1);
            maior = std::max(maior, static_cast<int>(r.l().desenho));
            ASSERT_GE(r.l().desenho, 1) << "character " << c;
        }
        EXPECT_EQ(maior, n) << "character " << c;  // and every one of them can come
    }
}

// The air moves that stop a jump (pulo = 0) bring the fighter down to the floor and end standing
// there, even from the top of a jump.
TEST(CharacterMends, AirMovesThatStopTheJumpComeDownToTheFloor) {
    struct Caso {
        int personagem, codigo, estado;
    };
    const Caso casos[] = {{2, 20, 27},  {2, 21, 27},  {9, 22, 28}, {9, 23, 28},
                          {12, 20, 27}, {12, 21, 27}, {8, 18, 26}};
    for (const Caso& c : casos) {
        Game game(3);
        game.form.setBlindMute(true);
        testing::preparaLuta(game, c.personagem, 1, 200, 400);
        Lutador& l = game.L(1);
        l.pos = 12;
        l.y = 150;
        l.pulo = 1;
        l.grav = -2;
        l.cicloFim = 99;
        game.form.acao(1, c.codigo);
        ASSERT_EQ(l.pos, c.estado) << "character " << c.personagem;
        bool chao = false;
        for (int f = 0; f < 80 && !chao; ++f) {
            game.frame();
            chao = l.pos == 1 && l.y == 300 && l.grav == 0 && l.pulo == 0;
        }
        EXPECT_TRUE(chao) << "character " << c.personagem << " code " << c.codigo;
    }
}

// The headband fighter's victory strut goes on raising dust, but never walks out of the view.
TEST(CharacterMends, TheVictoryStrutStopsAtTheEdgeOfTheView) {
    for (int lado : {1, 2}) {
        Roteiro r(12, lado);
        r.game.m().telaX = 100;
        r.l().x = lado == 1 ? 400 : 200;
        r.entra(23, 0, 250);
        int maisLonge = 0;
        for (int k = 0; k < 250; ++k) {
            r.passo(k);
            r.game.form.desenhaefeitos();
            const int dentro = lado == 1 ? 470 - r.l().x : r.l().x - 130;
            maisLonge = std::min(maisLonge, dentro);
            EXPECT_LT(r.efeitos(2).size(), 40u) << "ciclo " << k;
        }
        EXPECT_GE(maisLonge, 0) << (lado == 1 ? "right" : "left");
        EXPECT_LE(lado == 1 ? 470 - r.l().x : r.l().x - 130, 10) << "it walked to the edge";
    }
}

}  // namespace
}  // namespace pelea

namespace pelea {
namespace {

// The dispatcher plays a move's starting sound; the scripts play the rest on their cycle, and
// between them every character sound from 20 to 56 belongs to some move.
TEST(CharacterSounds, ScriptsPlayTheirMovesSoundsOnTheirCycle) {
    struct Caso {
        int personagem, estado, ciclo, som;
    };
    const Caso casos[] = {
        {2, 25, 10, 20},  {2, 28, 0, 22},  {4, 27, 0, 28},  {8, 29, 0, 42},  {9, 29, 14, 46},
        {11, 25, 10, 50}, {11, 26, 0, 51}, {11, 27, 0, 52}, {11, 28, 0, 52}, {12, 25, 10, 53},
        {12, 26, 0, 54},  {12, 27, 0, 55}, {12, 28, 0, 56},
    };
    std::vector<int> tocados;
    for (const Caso& c : casos) {
        Roteiro r(c.personagem);
        r.entra(c.estado, 1, 60);
        for (int k = 0; k <= c.ciclo; ++k) {
            r.game.form.DXSound1.clearPlayed();
            r.passo(k);
            const std::vector<std::string> sons = r.game.sounds();
            const bool tocou =
                std::find(sons.begin(), sons.end(), "Snd:" + std::to_string(c.som)) != sons.end();
            EXPECT_EQ(tocou, k == c.ciclo)
                << "character " << c.personagem << " state " << c.estado << " ciclo " << k;
        }
        tocados.push_back(c.som);
    }
    for (int c = 1; c <= sheets::kSlots; ++c) {
        for (const especial::Linha& linha : especial::tabela(c))
            tocados.push_back(linha.som);
    }
    for (int som = 20; som <= 56; ++som) {
        EXPECT_NE(std::find(tocados.begin(), tocados.end(), som), tocados.end())
            << "sound " << som << " belongs to no move";
    }
}

}  // namespace
}  // namespace pelea
