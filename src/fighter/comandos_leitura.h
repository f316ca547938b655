// Pure rules of command input: stick conditions, the special-move lookup and the hold timers.
// They read plain values, so the recognisers can be checked without a game.
#pragma once

#include <array>
#include <cstdint>

#include "fighter/comandos_tabelas.h"

namespace pelea::comandos {

// Ticks a recognised state waits for the next step of its command.
inline constexpr uint8_t kJanelaSequencia = 9;
// The down and back hold timers count up to this.
inline constexpr uint8_t kTempoSeguraMax = 18;
// A button's repeat counter above this means it is being tapped rapidly.
inline constexpr uint8_t kRepeticaoRapida = 5;

// The stick relative to the way the fighter faces.
struct Alavanca {
    bool baixo = false;
    bool cima = false;
    bool frente = false;
    bool tras = false;
};

// What the recogniser reads besides the stick.
struct Contexto {
    int agacharTemp = 0;
    int trasTemp = 0;
    bool noChao = false;
};

bool condicaoVale(Cond c, const Alavanca& a);
bool transicaoVale(const Transicao& t, const Alavanca& a, const Contexto& c);

// What the special-move map reads when a button is held.
struct Leitura {
    int sequencia = 0;
    bool noAr = false;  // grav nonzero
    int socoRepet = 0;
    int chuteRepet = 0;
};

// Button type 1 … 4 (light punch, light kick, heavy punch, heavy kick); any other matches nothing.
bool especialVale(const Especial& e, int tipo, const Leitura& l);
int codigoEspecial(const Especial& e, int tipo);

// The action codes a held button sends for a character, in the order they are tried, as long as
// the dispatcher refuses each one (the later ones are the fall-backs).
struct Codigos {
    std::array<uint8_t, 8> codigo{};
    int quantos = 0;
};
Codigos codigosGolpe(int personagem, int tipo, const Leitura& l);

// A hold timer one tick on: up while held (to the cap), down while released, never below 1.
uint8_t tempoSegura(uint8_t tempo, bool segura);

}  // namespace pelea::comandos
