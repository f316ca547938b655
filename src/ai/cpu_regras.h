// The computer opponent's rule tables. Every "1 in N" is a base value times the game level's
// factor, rounded to the nearest integer; the tables hold the base values. Level 4, the level the
// game starts at, has the factor 1.8 of the rules: its N are 6 (3.4), 7 (4), 9 (5), 13 (7),
// 14 (8), 16 (9), 18 (10), 27 (15), 36 (20), 54 (30), 72 (40), 90 (50) and 108 (60).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pelea::ia {

// The game level's factor, levels 1 … 8: a larger factor makes every chance rarer. Against a
// player who stands still, the computer wins its rounds by landing blow after blow, each as soon
// as the last has recovered, so only far rarer chances slow it down: at level 1 (20 times rarer)
// such a player lasts over twice as long as at level 4; level 8 takes its chances twice as often.
inline constexpr int kNiveis = 8;
inline constexpr double kFatorNivel[kNiveis] = {36, 13, 4.8, 1.8, 1.6, 1.4, 1.2, 0.9};
inline constexpr int kNivelInicial = 4;
static_assert(kFatorNivel[kNivelInicial - 1] == 1.8, "the start-up level plays by the rules");

// N of a "1 in N" with this base at this level, halves rounded to even; never below 1. A level
// out of 1 … 8 (a script may stage one) counts as the nearest.
inline int vezes(double base, int nivel) {
    const double fator = kFatorNivel[std::clamp(nivel, 1, kNiveis) - 1];
    return std::max(1, static_cast<int>(std::nearbyint(base * fator)));
}

// Action codes the opponent issues.
constexpr int kAndaEsquerda = 1;
constexpr int kAndaDireita = 2;
constexpr int kDefesaEmPe = 12;

// The preferred distance: redrawn 1 in 13 ticks at level 4 (base 7) as 100 + 50·k, k in 0 … 5,
// and taken over by the actual distance when that is within 50 of it.
constexpr double kNovaDistanciaChance = 7;
constexpr int kDistanciaOpcoes = 6;
constexpr int kDistanciaMinima = 100;
constexpr int kDistanciaPasso = 50;
constexpr int kEncaixe = 50;

// Plain attacks, tried one after the other while nothing threatens: h ≤ alcance, 1 in N of the
// base `chance`.
struct AtaqueSimples {
    int alcance;
    double chance;
    int codigo;
};
inline constexpr AtaqueSimples kAtaquesSimples[] = {
    {50, 9, 3},
    {70, 9, 4},
    {80, 10, 5},
    {90, 10, 6},
};

// The jump: from standing or walking only; against a threat within 120 px when a draw of 0 … 8
// (base 5) gives at most 3, else unthreatened 1 in 90 (base 50) on the ground; then straight up
// 1 in 4, at every level.
constexpr int kPosEmPe = 1;
constexpr int kPosAndando = 2;
constexpr int kPosNoAr = 12;
constexpr int kPuloAmeacaDistancia = 120;
constexpr double kPuloAmeacaSorteio = 5;
constexpr int kPuloAmeacaMaximo = 3;
constexpr double kPuloChance = 50;
constexpr int8_t kPuloGrav = -32;
constexpr uint8_t kSemFim = 99;
constexpr uint8_t kPuloReto = 1;
constexpr uint8_t kPuloParaDireita = 3;
constexpr uint8_t kPuloParaEsquerda = 2;
constexpr int kPuloRetoChance = 4;

// Guarding: each row is one try of code 12 when its condition holds and a draw of 0 … N − 1
// gives at most maximo, N the base `sorteio` at the level (7, 7 and 6 at level 4).
enum class Gatilho : uint8_t {
    Projetil,      // a threat within `distancia` of the fighter
    OutroAtacando  // the other fighter attacking within `distancia`
};
struct Defesa {
    Gatilho gatilho;
    int distancia;
    double sorteio;
    int maximo;
};
inline constexpr Defesa kDefesas[] = {
    {Gatilho::Projetil, 120, 4, 3},
    {Gatilho::Projetil, 100, 4, 3},
    {Gatilho::OutroAtacando, 150, 3.4, 4},
};

// Special moves, per character, each rule tried independently in this order.
enum class Quando : uint8_t { Sempre, ComAmeaca, SemAmeaca };
enum class Medida : uint8_t {
    HMenor,  // h < limite
    HMaior,  // h > limite
    BMaior   // the threat's distance b > limite
};
enum class Extra : uint8_t {
    Nada,
    OutroNoAr,  // the other fighter off the ground: o.y < 300
    NoAlto      // the fighter high in a jump: n.y < 200
};
struct RegraEspecial {
    uint8_t personagem;
    Quando quando;
    Medida medida;
    int limite;
    Extra extra;
    double chance;  // the base value
    int codigo;     // the first code
    int variantes;  // 1, 2 or 4 codes from `codigo` on, equally likely
};

constexpr int kChaoY = 300;
constexpr int kAltoY = 200;

using enum Quando;
using enum Medida;
using enum Extra;

inline constexpr RegraEspecial kRegrasEspeciais[] = {
    {1, ComAmeaca, BMaior, 150, Nada, 8, 16, 2},   {1, SemAmeaca, HMaior, 120, Nada, 40, 16, 2},
    {1, SemAmeaca, HMenor, 200, Nada, 50, 18, 2},  {1, Sempre, HMenor, 150, OutroNoAr, 50, 20, 2},
    {1, SemAmeaca, HMenor, 200, Nada, 50, 22, 2},  {1, Sempre, HMenor, 150, OutroNoAr, 50, 24, 1},

    {2, ComAmeaca, BMaior, 150, Nada, 8, 16, 2},   {2, SemAmeaca, HMaior, 120, Nada, 50, 16, 2},
    {2, SemAmeaca, HMenor, 100, Nada, 20, 18, 2},  {2, Sempre, HMenor, 200, NoAlto, 10, 20, 2},
    {2, SemAmeaca, HMenor, 100, Nada, 40, 22, 1},  {2, SemAmeaca, HMenor, 250, Nada, 60, 23, 1},

    {3, ComAmeaca, BMaior, 150, Nada, 8, 16, 2},   {3, SemAmeaca, HMaior, 120, Nada, 50, 16, 2},
    {3, SemAmeaca, HMenor, 100, Nada, 20, 18, 2},  {3, SemAmeaca, HMenor, 200, Nada, 20, 20, 2},
    {3, SemAmeaca, HMenor, 150, Nada, 40, 22, 2},  {3, SemAmeaca, HMenor, 250, Nada, 60, 24, 1},

    {4, ComAmeaca, BMaior, 150, Nada, 8, 16, 2},   {4, SemAmeaca, HMaior, 120, Nada, 50, 16, 2},
    {4, SemAmeaca, HMenor, 200, Nada, 40, 18, 2},  {4, SemAmeaca, HMenor, 200, Nada, 40, 20, 2},
    {4, Sempre, HMenor, 100, Nada, 10, 22, 2},     {4, SemAmeaca, HMenor, 250, Nada, 60, 24, 1},

    {5, ComAmeaca, BMaior, 150, Nada, 8, 16, 2},   {5, SemAmeaca, HMaior, 120, Nada, 50, 16, 2},
    {5, SemAmeaca, HMenor, 150, Nada, 30, 18, 2},  {5, SemAmeaca, HMenor, 300, Nada, 40, 20, 2},
    {5, Sempre, HMenor, 100, Nada, 10, 22, 2},     {5, SemAmeaca, HMenor, 200, Nada, 50, 24, 1},

    {6, ComAmeaca, BMaior, 150, Nada, 7, 16, 4},   {6, SemAmeaca, HMaior, 120, Nada, 40, 16, 4},
    {6, SemAmeaca, HMenor, 100, Nada, 20, 20, 2},  {6, SemAmeaca, HMenor, 200, Nada, 40, 22, 2},
    {6, SemAmeaca, HMenor, 200, Nada, 50, 24, 1},

    {7, SemAmeaca, HMenor, 100, Nada, 40, 16, 2},  {7, SemAmeaca, HMenor, 100, Nada, 10, 18, 2},
    {7, SemAmeaca, HMenor, 150, Nada, 30, 20, 2},  {7, SemAmeaca, HMenor, 200, Nada, 30, 22, 2},
    {7, SemAmeaca, HMenor, 200, Nada, 50, 24, 1},

    {8, ComAmeaca, BMaior, 150, Nada, 7, 16, 2},   {8, SemAmeaca, HMenor, 100, Nada, 30, 16, 2},
    {8, Sempre, HMenor, 200, NoAlto, 5, 18, 2},    {8, SemAmeaca, HMenor, 150, Nada, 20, 20, 2},
    {8, SemAmeaca, HMaior, 100, Nada, 30, 22, 2},  {8, SemAmeaca, HMaior, 100, Nada, 40, 24, 1},

    {9, SemAmeaca, HMenor, 200, Nada, 30, 16, 2},  {9, Sempre, HMenor, 100, Nada, 5, 18, 2},
    {9, Sempre, HMenor, 150, Nada, 5, 20, 2},      {9, SemAmeaca, HMenor, 100, Nada, 30, 22, 2},
    {9, SemAmeaca, HMenor, 200, Nada, 40, 24, 1},

    {10, Sempre, HMenor, 200, Nada, 20, 16, 2},    {10, SemAmeaca, HMenor, 300, Nada, 40, 18, 2},
    {10, Sempre, HMenor, 100, Nada, 20, 20, 2},    {10, Sempre, HMenor, 200, Nada, 40, 22, 2},
    {10, SemAmeaca, HMenor, 200, Nada, 40, 24, 1},

    {11, Sempre, HMenor, 200, Nada, 20, 16, 2},    {11, Sempre, HMenor, 300, Nada, 40, 18, 2},
    {11, Sempre, HMenor, 300, Nada, 30, 20, 2},    {11, Sempre, HMenor, 200, Nada, 40, 22, 2},
    {11, SemAmeaca, HMenor, 200, Nada, 40, 24, 1},

    {12, ComAmeaca, BMaior, 150, Nada, 8, 16, 2},  {12, SemAmeaca, HMaior, 120, Nada, 50, 16, 2},
    {12, SemAmeaca, HMenor, 80, Nada, 15, 18, 2},  {12, SemAmeaca, HMenor, 150, Nada, 20, 20, 2},
    {12, Sempre, HMenor, 200, NoAlto, 10, 20, 2},  {12, SemAmeaca, HMenor, 250, Nada, 60, 22, 1},
};

}  // namespace pelea::ia
