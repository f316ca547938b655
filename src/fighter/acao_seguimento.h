// Follow-up states: when certain special states connect, the attacker moves on to the next state
// without going through the dispatcher.
#pragma once

#include <cstdint>

#include "game/state.h"

namespace pelea::seguimento {

struct Linha {
    uint8_t personagem;
    uint8_t de;
    uint8_t para;
    uint8_t cicloFim;
    uint8_t hitsExtra;  // hits counted on top of the blow's own
};

inline constexpr Linha kSeguimentos[] = {
    {2, 28, 29, 30, 0},
    {2, 30, 31, 40, 1},
    {3, 29, 30, 30, 0},
    {7, 29, 30, 15, 0},
};

// The follow-up row of the attacker's character and state, or nullptr.
constexpr const Linha* procura(const Lutador& atacante) {
    for (const Linha& r : kSeguimentos) {
        if (r.personagem == atacante.personagem && r.de == atacante.pos) return &r;
    }
    return nullptr;
}

// Moves a connecting attacker on to its follow-up state; true when there was one (the caller
// then clears the victim's `ataque`).
constexpr bool avanca(Lutador& atacante) {
    const Linha* r = procura(atacante);
    if (r == nullptr) return false;
    atacante.pos = r->para;
    atacante.ciclo = 0;
    atacante.cicloFim = r->cicloFim;
    atacante.hits = static_cast<uint8_t>(atacante.hits + r->hitsExtra);
    return true;
}

}  // namespace pelea::seguimento
