// Special-move rows of the action dispatcher: codes 16…24, one table per character.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace pelea {

class TForm1;

namespace especial {

// An extra state a row accepts, with its own condition.
enum class Condicao : uint8_t { Nenhuma, AtaqueZero, CicloAlMenos, CicloAcima };

// What a row does to `t`.
inline constexpr int8_t kTVariante = -1;  // 1 for the light code, 2 for the heavy one
inline constexpr int8_t kTMantido = 0;    // left as it was (the animation may set it)

// Other effects of a row. Only these names combine into a row's set, so a plain number (a local
// constant that happens to share a name) can never be taken for one of them.
enum class Extra : uint16_t {
    PoeY = 1 << 0,           // y = the row's y
    Pulo0 = 1 << 1,          // pulo = 0
    Pulo1 = 1 << 2,          // pulo = 1
    Grav = 1 << 3,           // grav = the row's light/heavy impulse
    PuloDir0 = 1 << 4,       // puloDir = 0
    Agachar0 = 1 << 5,       // agacharTemp = 0
    Sequencia0 = 1 << 6,     // sequencia = 0
    Derruba = 1 << 7,        // derruba = 1
    Soco0 = 1 << 8,          // socoRepet = 0
    Chute0 = 1 << 9,         // chuteRepet = 0
    OponenteAlvo = 1 << 10,  // the opponent's invencivel = 0
    Poeira = 1 << 11,        // five rising puffs at the fighter's feet
};

struct Extras {
    uint16_t bits = 0;
    constexpr Extras() = default;
    constexpr Extras(Extra e) : bits(static_cast<uint16_t>(e)) {}  // NOLINT: one extra is a set
    constexpr bool tem(Extra e) const { return (bits & static_cast<uint16_t>(e)) != 0; }
};
constexpr Extras operator|(Extras a, Extra b) {
    a.bits = static_cast<uint16_t>(a.bits | static_cast<uint16_t>(b));
    return a;
}
constexpr Extras operator|(Extra a, Extra b) {
    return Extras(a) | b;
}

struct Linha {
    uint8_t codigo;  // the light code of the pair, or the only code
    uint8_t ultimo;  // the heavy code; equal to codigo when one code serves both buttons
    uint8_t pos;
    std::array<uint8_t, 7> de;  // states accepted from; 0 ends the list
    Condicao cond = Condicao::Nenhuma;
    uint8_t condPos = 0;              // the extra state, accepted when its condition holds
    uint8_t condValor = 0;            // the cycle bound of the condition
    bool baixo = false;               // the whole list only while y >= 210
    std::array<uint8_t, 2> fim = {};  // cicloFim light/heavy
    uint8_t ganho = 0;
    int8_t t = kTVariante;
    Extras efeitos = {};
    int16_t y = 0;
    std::array<int8_t, 2> grav = {};  // light/heavy impulse
    uint8_t som = 0;                  // 0: no sound
    bool super = false;
    uint8_t quadro = 0;  // the super move's frame
};

// The rows of character c (1…12).
std::span<const Linha> tabela(int personagem);

// Codes 16…24 of fighter n; true when a row accepted the request.
bool acao(TForm1& f, int n, int codigo);

}  // namespace especial

}  // namespace pelea
