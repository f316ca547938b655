// The effect kinds: one row per kind 1 … 34, in kind order. A row says how long the effect
// lives, which picture it shows at which age, how it starts moving, its contact box, its damage
// and its flags.
#pragma once

#include <array>
#include <cstdint>

#include "game/state.h"

namespace pelea::efeito {

// Kinds the code refers to by name.
constexpr uint8_t kFlash = 1;
constexpr uint8_t kPoeira = 2;
constexpr uint8_t kVidaPequena = 3;
constexpr uint8_t kVidaGrande = 4;
constexpr uint8_t kMensagem = 5;
constexpr uint8_t kColuna = 10;
constexpr uint8_t kSangue = 13;
constexpr uint8_t kFaisca = 19;
constexpr uint8_t kMergulhoDireita = 27, kMergulhoEsquerda = 28;
constexpr uint8_t kMorcegoDireita = 29, kMorcegoEsquerda = 30;
constexpr uint8_t kDestroco = 31;
constexpr uint8_t kPedraDireita = 32, kPedraEsquerda = 33;
constexpr uint8_t kUltimoTipo = 34;

constexpr uint8_t kSemFim = 99;  // a duracao that never ages

// How the picture follows the age.
enum class Imagens : uint8_t {
    PorIdade,   // each listed age switches to its picture; other ages keep the last one
    Laco,       // a, a, b, b, a, b, b, …: age 3 goes back to 0
    NaCriacao,  // chosen once at spawn: the first picture plus a random 0 … sorteio − 1
};

// How the horizontal speed is set at spawn.
enum class Velocidade : uint8_t {
    Nenhuma,
    Fixa,      // velA
    AB,        // velA for the light variant "A", velB for the heavy "B"
    Morcego,   // velA plus a random 0 … 1
    Destroco,  // a random 0 … 9, with a random direction, rise and blink
};

enum class Derruba : uint8_t { Nunca, Sempre, UmEmCinco };

struct Quadro {
    uint8_t idade, imagem;
};

struct Tipo {
    uint8_t duracao;
    Imagens imagens;
    std::array<Quadro, 13> quadros;
    uint8_t sorteio;  // NaCriacao: how many pictures to choose from
    uint8_t direcao;
    Velocidade velocidade;
    uint8_t velA, velB;
    int16_t velYA, velYB;  // rise at spawn: velYA, or for the AB rule velYA / velYB by variant
    bool temContato;
    Area contato;
    uint8_t forca;
    bool ativo;
    Derruba derruba;
    bool persistente;
    uint8_t piscaDesde;  // 0, or the age from which it blinks
};

namespace detail {
using I = Imagens;
using V = Velocidade;
using D = Derruba;
constexpr Area kSem{};
}  // namespace detail

// clang-format off
inline constexpr std::array<Tipo, kUltimoTipo> kTipos = {{
    // dur, images, pictures by age, sorteio, direcao, speed rule, A, B, rise A, rise B,
    // has box, box, forca, ativo, derruba, persistente, blinks from
    // 1 hit flash
    {3, detail::I::PorIdade, {{{0, 1}, {1, 2}, {3, 3}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0, 0,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 2 rising puff
    {15, detail::I::PorIdade, {{{0, 4}, {3, 5}, {6, 6}, {9, 7}, {12, 8}}}, 0, 0,
     detail::V::Nenhuma, 0, 0, 0, 0, false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 3 small life pickup
    {80, detail::I::PorIdade, {{{0, 10}}}, 0, 0, detail::V::Nenhuma, 0, 0, -22, -22,
     true, {3, -8, 23, 17}, 0, false, detail::D::Nunca, false, 60},
    // 4 large life pickup
    {80, detail::I::PorIdade, {{{0, 11}}}, 0, 0, detail::V::Nenhuma, 0, 0, -22, -22,
     true, {3, -8, 23, 17}, 0, false, detail::D::Nunca, false, 60},
    // 5 pickup message
    {20, detail::I::PorIdade, {{{0, 12}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0, 0,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 10},
    // 6 hat flung right
    {kSemFim, detail::I::PorIdade, {{{0, 13}}}, 0, 1, detail::V::Fixa, 5, 5, -22, -22,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 7 hat flung left
    {kSemFim, detail::I::PorIdade, {{{0, 14}}}, 0, 2, detail::V::Fixa, 5, 5, -22, -22,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 8 projectile, right
    {5, detail::I::Laco, {{{0, 15}, {2, 16}}}, 0, 1, detail::V::AB, 8, 11, 0, 0,
     true, {25, -5, 72, 56}, 12, true, detail::D::UmEmCinco, false, 0},
    // 9 projectile, left
    {5, detail::I::Laco, {{{0, 17}, {2, 18}}}, 0, 2, detail::V::AB, 8, 11, 0, 0,
     true, {5, -5, 52, 56}, 12, true, detail::D::UmEmCinco, false, 0},
    // 10 energy column (its box and height grow with the picture)
    {23, detail::I::PorIdade, {{{0, 19}, {2, 20}, {5, 21}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0,
     0, true, {10, 14, 97, 225}, 40, true, detail::D::Sempre, true, 5},
    // 11 projectile, right
    {5, detail::I::Laco, {{{0, 22}, {2, 23}}}, 0, 1, detail::V::AB, 8, 11, 0, 0,
     true, {10, 0, 50, 68}, 12, true, detail::D::UmEmCinco, false, 0},
    // 12 projectile, left
    {5, detail::I::Laco, {{{0, 24}, {2, 25}}}, 0, 2, detail::V::AB, 8, 11, 0, 0,
     true, {0, 0, 40, 68}, 12, true, detail::D::UmEmCinco, false, 0},
    // 13 blood splash
    {14, detail::I::PorIdade,
     {{{0, 26}, {2, 27}, {4, 28}, {6, 29}, {8, 30}, {10, 31}, {12, 32}}}, 0, 0,
     detail::V::Nenhuma, 0, 0, 0, 0, false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 14 fire
    {15, detail::I::PorIdade, {{{0, 33}, {3, 34}, {6, 35}, {9, 36}, {12, 37}}}, 0, 0,
     detail::V::Nenhuma, 0, 0, 0, 0, false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 15 projectile, right
    {5, detail::I::Laco, {{{0, 38}, {2, 39}}}, 0, 1, detail::V::AB, 8, 11, 0, 0,
     true, {20, 20, 60, 73}, 12, true, detail::D::UmEmCinco, false, 0},
    // 16 projectile, left
    {5, detail::I::Laco, {{{0, 40}, {2, 41}}}, 0, 2, detail::V::AB, 8, 11, 0, 0,
     true, {5, 20, 45, 73}, 12, true, detail::D::UmEmCinco, false, 0},
    // 17 projectile, right
    {5, detail::I::Laco, {{{0, 42}, {2, 43}}}, 0, 1, detail::V::AB, 8, 11, 0, 0,
     true, {20, 5, 60, 60}, 12, true, detail::D::UmEmCinco, false, 0},
    // 18 projectile, left
    {5, detail::I::Laco, {{{0, 44}, {2, 45}}}, 0, 2, detail::V::AB, 8, 11, 0, 0,
     true, {5, 5, 45, 60}, 12, true, detail::D::UmEmCinco, false, 0},
    // 19 block spark
    {6, detail::I::PorIdade, {{{0, 46}, {2, 47}, {4, 48}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0,
     0, false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 20 projectile, right
    {5, detail::I::Laco, {{{0, 49}, {2, 50}}}, 0, 1, detail::V::AB, 8, 11, 0, 0,
     true, {20, 10, 60, 52}, 12, true, detail::D::UmEmCinco, false, 0},
    // 21 projectile, left
    {5, detail::I::Laco, {{{0, 51}, {2, 52}}}, 0, 2, detail::V::AB, 8, 11, 0, 0,
     true, {5, 10, 45, 52}, 12, true, detail::D::UmEmCinco, false, 0},
    // 22 flame burst, right
    {3, detail::I::PorIdade, {{{0, 53}, {2, 54}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0, 0,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 23 flame burst, left
    {3, detail::I::PorIdade, {{{0, 56}, {2, 57}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0, 0,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 24 aura
    {10, detail::I::PorIdade, {{{0, 59}, {4, 60}, {8, 61}}}, 0, 0, detail::V::Nenhuma, 0, 0, 0,
     0, false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 25 low projectile, right
    {5, detail::I::Laco, {{{0, 62}, {2, 63}}}, 0, 1, detail::V::AB, 8, 11, 0, 0,
     true, {20, 3, 60, 30}, 12, true, detail::D::UmEmCinco, false, 0},
    // 26 low projectile, left
    {5, detail::I::Laco, {{{0, 64}, {2, 65}}}, 0, 2, detail::V::AB, 8, 11, 0, 0,
     true, {5, 3, 45, 30}, 12, true, detail::D::UmEmCinco, false, 0},
    // 27 diving projectile, right (also falls by its speed)
    {5, detail::I::Laco, {{{0, 66}, {2, 67}}}, 0, 1, detail::V::AB, 5, 7, 0, 0,
     true, {25, 25, 45, 45}, 12, true, detail::D::UmEmCinco, false, 0},
    // 28 diving projectile, left
    {5, detail::I::Laco, {{{0, 68}, {2, 69}}}, 0, 2, detail::V::AB, 5, 7, 0, 0,
     true, {5, 25, 25, 45}, 12, true, detail::D::UmEmCinco, false, 0},
    // 29 bat, right (jitters up and down)
    {5, detail::I::Laco, {{{0, 70}, {2, 71}}}, 0, 1, detail::V::Morcego, 10, 10, 0, 0,
     true, {3, 3, 18, 12}, 7, true, detail::D::Sempre, false, 0},
    // 30 bat, left
    {5, detail::I::Laco, {{{0, 70}, {2, 71}}}, 0, 2, detail::V::Morcego, 10, 10, 0, 0,
     true, {3, 3, 18, 12}, 7, true, detail::D::Sempre, false, 0},
    // 31 debris
    {15, detail::I::NaCriacao, {{{0, 72}}}, 3, 0, detail::V::Destroco, 0, 0, 0, 0,
     false, detail::kSem, 0, false, detail::D::Nunca, false, 0},
    // 32 thrown stone, right
    {20, detail::I::NaCriacao, {{{0, 75}}}, 1, 1, detail::V::AB, 10, 13, -13, -17,
     true, {0, 0, 22, 13}, 10, true, detail::D::UmEmCinco, false, 0},
    // 33 thrown stone, left
    {20, detail::I::NaCriacao, {{{0, 75}}}, 1, 2, detail::V::AB, 10, 13, -13, -17,
     true, {0, 0, 22, 13}, 10, true, detail::D::UmEmCinco, false, 0},
    // 34 whirlwind
    {26, detail::I::PorIdade,
     {{{0, 79}, {2, 79}, {4, 78}, {6, 76}, {8, 77}, {10, 76}, {12, 77}, {14, 76}, {16, 77},
       {18, 76}, {20, 77}, {22, 78}, {24, 79}}},
     0, 0, detail::V::Nenhuma, 0, 0, 0, 0, true, {10, 0, 80, 140}, 12, true, detail::D::Sempre,
     true, 0},
}};
// clang-format on

constexpr const Tipo& tipo(uint8_t k) {
    return kTipos[static_cast<size_t>(k - 1)];
}

}  // namespace pelea::efeito
