// The command recognisers of the twelve characters: each one's transition list, walked top to
// bottom every tick, and its special-move map, checked in order when a button is held.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace pelea::comandos {

// Stick conditions of the transition lists, named by their labels.
enum class Cond : uint8_t {
    Down,   // down, not forward, not back
    Fwd,    // forward, not down, not back
    FwdB,   // forward, not down (back ignored)
    FwdD,   // forward, not back (down ignored)
    Back,   // back, not down, not forward
    BackF,  // back, not down (forward ignored)
    BackD,  // back, not forward (down ignored)
    DF,     // down and forward, not back
    DB,     // down and back, not forward
    Up,     // up, not down
};

// One line "de>para COND": 0 in a qualifier means it is not asked for.
struct Transicao {
    uint8_t de;
    uint8_t para;
    Cond cond;
    uint8_t agacharMin = 0;  // crouch>=N
    uint8_t trasMin = 0;     // back>=N
    bool noChao = false;     // floor: y on the floor
};

enum class Botao : uint8_t { P, K };

// When a line of the special-move map applies.
enum class Quando : uint8_t {
    In,     // sequencia equals the line's state
    Air,    // the same, with grav nonzero
    Rapid,  // the button's repeat counter above 5
};

// One line "P in s -> leve/pesado".
struct Especial {
    Botao botao;
    Quando quando;
    uint8_t estado;
    uint8_t leve;    // action code for the light button
    uint8_t pesado;  // action code for the heavy button
};

namespace detail {

using enum Cond;
inline constexpr bool kChao = true;

inline constexpr Transicao kT1[] = {
    {0, 1, Down},
    {1, 1, Down},
    {2, 1, Down},
    {1, 2, FwdB},
    {1, 3, BackF},
    {0, 4, Up, 10, 0, kChao},
    {1, 4, Up, 10, 0, kChao},
    {1, 3, BackF},
    {3, 5, Down},
    {5, 6, Fwd},
    {3, 6, DF},
    {5, 6, DF},
};
inline constexpr Transicao kT2[] = {
    {0, 1, Down}, {1, 1, Down}, {1, 2, FwdB},  {0, 3, Fwd},  {3, 3, Fwd},
    {3, 4, Down}, {4, 5, FwdD}, {1, 6, Back},  {4, 6, Back}, {3, 7, BackD},
    {7, 8, Fwd},  {2, 9, Down}, {9, 10, Back}, {2, 10, DB},  {9, 10, DB},
};
inline constexpr Transicao kT3[] = {
    {0, 1, Down}, {1, 1, Down}, {1, 2, FwdB}, {0, 3, Fwd},  {3, 3, Fwd},
    {3, 4, Down}, {4, 5, FwdD}, {1, 6, Back}, {4, 6, Back}, {1, 6, BackF},
    {2, 7, Down}, {7, 8, Back}, {2, 8, DB},   {7, 8, DB},
};
inline constexpr Transicao kT4[] = {
    {0, 1, Down}, {1, 1, Down},  {1, 2, Back},  {4, 2, Back}, {7, 2, Back},
    {0, 3, DB},   {1, 4, DB},    {3, 3, DB},    {3, 5, Fwd},  {4, 5, Fwd},
    {0, 6, Back}, {6, 6, Back},  {6, 7, Down},  {6, 7, DF},   {7, 8, Fwd},
    {1, 9, Fwd},  {2, 10, Down}, {10, 11, Fwd}, {2, 11, DF},  {10, 11, DF},
};
inline constexpr Transicao kT5[] = {
    {0, 1, Down},
    {1, 1, Down},
    {1, 2, Fwd},
    {1, 3, Back},
    {3, 1, Down},
    {0, 4, Up, 5, 0, kChao},
    {1, 4, Up, 5, 0, kChao},
    {2, 5, Down},
    {5, 6, DF},
    {5, 6, Fwd},
};
inline constexpr Transicao kT6[] = {
    {0, 1, Down}, {1, 1, Down}, {1, 2, Fwd},  {0, 3, Fwd}, {3, 3, Fwd},
    {3, 4, Down}, {4, 5, Fwd},  {4, 5, DF},   {0, 3, Fwd}, {3, 3, Fwd},
    {3, 4, Down}, {4, 5, FwdD}, {2, 6, Down}, {6, 7, DF},  {6, 7, Fwd},
};
inline constexpr Transicao kT7[] = {
    {0, 1, FwdD, 0, 5}, {0, 2, Up, 5}, {3, 2, Up, 5}, {0, 3, Down}, {3, 3, Down},
    {3, 4, Fwd},        {4, 5, Down},  {5, 6, DB},    {4, 6, Back}, {5, 6, Back},
};
inline constexpr Transicao kT8[] = {
    {0, 1, Down}, {1, 1, Down}, {1, 2, Fwd},  {0, 3, Fwd},  {3, 3, Fwd}, {3, 4, Down}, {4, 5, Fwd},
    {4, 5, DF},   {1, 6, Back}, {4, 6, Back}, {2, 7, Down}, {7, 8, Fwd}, {7, 8, DF},
};
inline constexpr Transicao kT9[] = {
    {0, 1, Down}, {1, 1, Down}, {1, 2, Fwd},  {0, 3, Fwd},  {3, 3, Fwd},  {3, 4, Down}, {4, 5, Fwd},
    {4, 5, DF},   {1, 6, Back}, {4, 6, Back}, {7, 6, Back}, {2, 7, Down}, {7, 8, Fwd},  {7, 8, DF},
};
inline constexpr Transicao kT10[] = {
    {0, 1, FwdD, 0, 5}, {0, 2, Up, 5}, {3, 2, Up, 5},       {0, 3, Down},
    {3, 3, Down},       {3, 4, Fwd},   {1, 5, BackD, 0, 5}, {5, 6, FwdD, 0, 5},
};
inline constexpr Transicao kT11[] = {
    {0, 1, Down},  {1, 1, Down}, {1, 2, FwdB}, {1, 3, BackF},
    {4, 3, BackF}, {3, 1, Down}, {2, 4, Down}, {4, 5, Fwd},
};
inline constexpr Transicao kT12[] = {
    {0, 1, Down}, {1, 1, Down}, {1, 2, FwdB}, {4, 2, FwdB},  {0, 3, Fwd},
    {3, 3, Fwd},  {3, 4, Down}, {4, 5, FwdD}, {1, 6, BackF}, {4, 6, BackF},
    {6, 1, Down}, {2, 7, Down}, {7, 8, Fwd},
};

using enum Botao;
using enum Quando;

inline constexpr Especial kE1[] = {
    {P, In, 2, 16, 17}, {P, In, 3, 18, 19}, {P, In, 4, 20, 21},
    {K, In, 3, 22, 23}, {P, In, 6, 24, 24},
};
inline constexpr Especial kE2[] = {
    {P, In, 2, 16, 17}, {P, In, 5, 18, 19},  {K, In, 6, 20, 21},
    {K, In, 8, 22, 22}, {P, In, 10, 23, 23},
};
inline constexpr Especial kE3[] = {
    {P, In, 2, 16, 17}, {P, In, 5, 18, 19}, {P, In, 6, 20, 21},
    {K, In, 6, 22, 23}, {K, In, 8, 24, 24},
};
inline constexpr Especial kE4[] = {
    {P, In, 2, 16, 17}, {P, In, 5, 18, 19},  {K, In, 8, 20, 21},  {P, In, 9, 22, 23},
    {P, In, 8, 22, 23}, {K, In, 11, 24, 24}, {K, In, 11, 20, 21}, {P, In, 11, 22, 23},
};
inline constexpr Especial kE5[] = {
    {P, In, 2, 16, 17}, {P, In, 6, 16, 17},    {K, In, 3, 18, 19},
    {K, In, 4, 20, 21}, {K, Rapid, 0, 22, 23}, {K, In, 6, 24, 24},
};
inline constexpr Especial kE6[] = {
    {P, In, 2, 16, 17}, {P, In, 7, 16, 17}, {K, In, 2, 18, 19}, {P, In, 5, 20, 21},
    {K, In, 5, 22, 23}, {K, In, 7, 24, 24}, {K, In, 7, 18, 19},
};
inline constexpr Especial kE7[] = {
    {P, Rapid, 0, 16, 17}, {P, In, 1, 18, 19}, {K, In, 2, 20, 21},
    {P, In, 2, 22, 23},    {P, In, 6, 24, 24},
};
inline constexpr Especial kE8[] = {
    {P, In, 2, 16, 17}, {P, Air, 2, 18, 19}, {P, Air, 5, 18, 19}, {P, In, 5, 20, 21},
    {K, In, 6, 22, 23}, {K, In, 8, 24, 24},  {P, In, 8, 20, 21},  {P, Air, 8, 18, 19},
};
inline constexpr Especial kE9[] = {
    {K, In, 2, 16, 17}, {K, In, 5, 18, 19}, {P, In, 2, 20, 21}, {P, In, 8, 20, 21},
    {K, In, 6, 22, 23}, {K, In, 8, 24, 24}, {K, In, 8, 16, 17},
};
inline constexpr Especial kE10[] = {
    {P, Rapid, 0, 16, 17}, {P, In, 1, 18, 19}, {K, In, 2, 20, 21},
    {K, In, 4, 22, 23},    {P, In, 6, 24, 24},
};
inline constexpr Especial kE11[] = {
    {P, In, 2, 16, 17}, {P, In, 5, 16, 17}, {P, In, 3, 18, 19}, {K, In, 2, 20, 21},
    {K, In, 3, 22, 23}, {K, In, 5, 24, 24}, {K, In, 5, 20, 21},
};
inline constexpr Especial kE12[] = {
    {P, In, 2, 16, 17}, {P, In, 5, 18, 19}, {K, In, 6, 20, 21},
    {K, In, 8, 22, 22}, {P, In, 8, 16, 17},
};

}  // namespace detail

inline constexpr int kPersonagens = 12;

// Indexed by character 1 … 12; entry 0 is empty.
inline constexpr std::array<std::span<const Transicao>, kPersonagens + 1> kTransicoes{{
    {},
    detail::kT1,
    detail::kT2,
    detail::kT3,
    detail::kT4,
    detail::kT5,
    detail::kT6,
    detail::kT7,
    detail::kT8,
    detail::kT9,
    detail::kT10,
    detail::kT11,
    detail::kT12,
}};

inline constexpr std::array<std::span<const Especial>, kPersonagens + 1> kEspeciais{{
    {},
    detail::kE1,
    detail::kE2,
    detail::kE3,
    detail::kE4,
    detail::kE5,
    detail::kE6,
    detail::kE7,
    detail::kE8,
    detail::kE9,
    detail::kE10,
    detail::kE11,
    detail::kE12,
}};

}  // namespace pelea::comandos
