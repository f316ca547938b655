// The computer opponent's rule tables. Every "1 in N" is a base value times the factor 1.8,
// rounded to the nearest integer; the tables hold the resulting N.
#pragma once

#include <cstdint>

namespace pelea::ia {

// Action codes the opponent issues.
constexpr int kAndaEsquerda = 1;
constexpr int kAndaDireita = 2;
constexpr int kDefesaEmPe = 12;

// The preferred distance: redrawn 1 in 13 ticks as 100 + 50·k, k in 0 … 5, and taken over by
// the actual distance when that is within 50 of it.
constexpr int kNovaDistanciaChance = 13;
constexpr int kDistanciaOpcoes = 6;
constexpr int kDistanciaMinima = 100;
constexpr int kDistanciaPasso = 50;
constexpr int kEncaixe = 50;

// Plain attacks, tried one after the other while nothing threatens: h ≤ alcance, 1 in chance.
struct AtaqueSimples {
    int alcance;
    int chance;
    int codigo;
};
inline constexpr AtaqueSimples kAtaquesSimples[] = {
    {50, 16, 3},
    {70, 16, 4},
    {80, 18, 5},
    {90, 18, 6},
};

// The jump: from standing or walking only; against a threat within 120 px when a draw of 0 … 8
// gives at most 3, else unthreatened 1 in 90 on the ground.
constexpr int kPosEmPe = 1;
constexpr int kPosAndando = 2;
constexpr int kPosNoAr = 12;
constexpr int kPuloAmeacaDistancia = 120;
constexpr int kPuloAmeacaSorteio = 9;
constexpr int kPuloAmeacaMaximo = 3;
constexpr int kPuloChance = 90;
constexpr int8_t kPuloGrav = -32;
constexpr uint8_t kSemFim = 99;
constexpr uint8_t kPuloReto = 1;
constexpr uint8_t kPuloParaDireita = 3;
constexpr uint8_t kPuloParaEsquerda = 2;
constexpr int kPuloRetoChance = 4;

// Guarding: each row is one try of code 12 when its condition holds and a draw of 0 … sorteio − 1
// gives at most maximo.
enum class Gatilho : uint8_t {
    Projetil,      // a threat within `distancia` of the fighter
    OutroAtacando  // the other fighter attacking within `distancia`
};
struct Defesa {
    Gatilho gatilho;
    int distancia;
    int sorteio;
    int maximo;
};
inline constexpr Defesa kDefesas[] = {
    {Gatilho::Projetil, 120, 7, 3},
    {Gatilho::Projetil, 100, 7, 3},
    {Gatilho::OutroAtacando, 150, 6, 4},
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
    int chance;
    int codigo;     // the first code
    int variantes;  // 1, 2 or 4 codes from `codigo` on, equally likely
};

constexpr int kChaoY = 300;
constexpr int kAltoY = 200;

using enum Quando;
using enum Medida;
using enum Extra;

inline constexpr RegraEspecial kRegrasEspeciais[] = {
    {1, ComAmeaca, BMaior, 150, Nada, 14, 16, 2},  {1, SemAmeaca, HMaior, 120, Nada, 72, 16, 2},
    {1, SemAmeaca, HMenor, 200, Nada, 90, 18, 2},  {1, Sempre, HMenor, 150, OutroNoAr, 90, 20, 2},
    {1, SemAmeaca, HMenor, 200, Nada, 90, 22, 2},  {1, Sempre, HMenor, 150, OutroNoAr, 90, 24, 1},

    {2, ComAmeaca, BMaior, 150, Nada, 14, 16, 2},  {2, SemAmeaca, HMaior, 120, Nada, 90, 16, 2},
    {2, SemAmeaca, HMenor, 100, Nada, 36, 18, 2},  {2, Sempre, HMenor, 200, NoAlto, 18, 20, 2},
    {2, SemAmeaca, HMenor, 100, Nada, 72, 22, 1},  {2, SemAmeaca, HMenor, 250, Nada, 108, 23, 1},

    {3, ComAmeaca, BMaior, 150, Nada, 14, 16, 2},  {3, SemAmeaca, HMaior, 120, Nada, 90, 16, 2},
    {3, SemAmeaca, HMenor, 100, Nada, 36, 18, 2},  {3, SemAmeaca, HMenor, 200, Nada, 36, 20, 2},
    {3, SemAmeaca, HMenor, 150, Nada, 72, 22, 2},  {3, SemAmeaca, HMenor, 250, Nada, 108, 24, 1},

    {4, ComAmeaca, BMaior, 150, Nada, 14, 16, 2},  {4, SemAmeaca, HMaior, 120, Nada, 90, 16, 2},
    {4, SemAmeaca, HMenor, 200, Nada, 72, 18, 2},  {4, SemAmeaca, HMenor, 200, Nada, 72, 20, 2},
    {4, Sempre, HMenor, 100, Nada, 18, 22, 2},     {4, SemAmeaca, HMenor, 250, Nada, 108, 24, 1},

    {5, ComAmeaca, BMaior, 150, Nada, 14, 16, 2},  {5, SemAmeaca, HMaior, 120, Nada, 90, 16, 2},
    {5, SemAmeaca, HMenor, 150, Nada, 54, 18, 2},  {5, SemAmeaca, HMenor, 300, Nada, 72, 20, 2},
    {5, Sempre, HMenor, 100, Nada, 18, 22, 2},     {5, SemAmeaca, HMenor, 200, Nada, 90, 24, 1},

    {6, ComAmeaca, BMaior, 150, Nada, 13, 16, 4},  {6, SemAmeaca, HMaior, 120, Nada, 72, 16, 4},
    {6, SemAmeaca, HMenor, 100, Nada, 36, 20, 2},  {6, SemAmeaca, HMenor, 200, Nada, 72, 22, 2},
    {6, SemAmeaca, HMenor, 200, Nada, 90, 24, 1},

    {7, SemAmeaca, HMenor, 100, Nada, 72, 16, 2},  {7, SemAmeaca, HMenor, 100, Nada, 18, 18, 2},
    {7, SemAmeaca, HMenor, 150, Nada, 54, 20, 2},  {7, SemAmeaca, HMenor, 200, Nada, 54, 22, 2},
    {7, SemAmeaca, HMenor, 200, Nada, 90, 24, 1},

    {8, ComAmeaca, BMaior, 150, Nada, 13, 16, 2},  {8, SemAmeaca, HMenor, 100, Nada, 54, 16, 2},
    {8, Sempre, HMenor, 200, NoAlto, 9, 18, 2},    {8, SemAmeaca, HMenor, 150, Nada, 36, 20, 2},
    {8, SemAmeaca, HMaior, 100, Nada, 54, 22, 2},  {8, SemAmeaca, HMaior, 100, Nada, 72, 24, 1},

    {9, SemAmeaca, HMenor, 200, Nada, 54, 16, 2},  {9, Sempre, HMenor, 100, Nada, 9, 18, 2},
    {9, Sempre, HMenor, 150, Nada, 9, 20, 2},      {9, SemAmeaca, HMenor, 100, Nada, 54, 22, 2},
    {9, SemAmeaca, HMenor, 200, Nada, 72, 24, 1},

    {10, Sempre, HMenor, 200, Nada, 36, 16, 2},    {10, SemAmeaca, HMenor, 300, Nada, 72, 18, 2},
    {10, Sempre, HMenor, 100, Nada, 36, 20, 2},    {10, Sempre, HMenor, 200, Nada, 72, 22, 2},
    {10, SemAmeaca, HMenor, 200, Nada, 72, 24, 1},

    {11, Sempre, HMenor, 200, Nada, 36, 16, 2},    {11, Sempre, HMenor, 300, Nada, 72, 18, 2},
    {11, Sempre, HMenor, 300, Nada, 54, 20, 2},    {11, Sempre, HMenor, 200, Nada, 72, 22, 2},
    {11, SemAmeaca, HMenor, 200, Nada, 72, 24, 1},

    {12, ComAmeaca, BMaior, 150, Nada, 14, 16, 2}, {12, SemAmeaca, HMaior, 120, Nada, 90, 16, 2},
    {12, SemAmeaca, HMenor, 80, Nada, 27, 18, 2},  {12, SemAmeaca, HMenor, 150, Nada, 36, 20, 2},
    {12, Sempre, HMenor, 200, NoAlto, 18, 20, 2},  {12, SemAmeaca, HMenor, 250, Nada, 108, 22, 1},
};

}  // namespace pelea::ia
