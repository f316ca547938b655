// The per-character sections of the animation tables: each character's own states and its
// contact and attack tables, one file per character.
#pragma once

#include <array>
#include <span>

#include "animation/areas_c01.h"
#include "game/tform1.h"

namespace pelea::animacao {

using ContactRow = areas_c01::ContactRow;
using AttackRow = areas_c01::AttackRow;

inline constexpr int kBaseLutador1 = 0;
inline constexpr int kBaseLutador2 = 50;

// The first item of fighter n's frames: frame k is item base + k.
constexpr int baseDe(int n) {
    return n == 2 ? kBaseLutador2 : kBaseLutador1;
}

// The contact table, row by row, then the attack table, row by row; a row whose blow class is
// limited (tOnly) is tried only while the fighter's blow has that class.
inline void aplicaTabelas(TForm1& g, int n, std::span<const ContactRow> contato,
                          std::span<const AttackRow> ataque) {
    const int base = baseDe(n);
    for (const ContactRow& r : contato)
        g.defineareacontato(n, base + r.frame, r.x1, r.y1, r.x2, r.y2);
    for (const AttackRow& r : ataque) {
        if (r.tOnly != 0 && g.L(n).t != r.tOnly) continue;
        g.defineareaataque(n, r.state, r.ciclo, r.x1, r.y1, r.x2, r.y2, r.live, r.klass, r.damage,
                           r.blockDamage);
    }
}

// Moves fighter n forward (towards the way it faces) by d.
inline void avanca(TForm1& g, int n, int d) {
    g.mover(n, g.L(n).lado == 1 ? d : -d);
}

// A character's contact and attack tables.
struct Tabelas {
    std::span<const ContactRow> contato;
    std::span<const AttackRow> ataque;
};

// One section per character slot, and its tables.
void personagem01(TForm1& g, int n);
void personagem02(TForm1& g, int n);
void personagem03(TForm1& g, int n);
void personagem04(TForm1& g, int n);
void personagem05(TForm1& g, int n);
void personagem06(TForm1& g, int n);
void personagem07(TForm1& g, int n);
void personagem08(TForm1& g, int n);
void personagem09(TForm1& g, int n);
void personagem10(TForm1& g, int n);
void personagem11(TForm1& g, int n);
void personagem12(TForm1& g, int n);
Tabelas tabelas01();
Tabelas tabelas02();
Tabelas tabelas03();
Tabelas tabelas04();
Tabelas tabelas05();
Tabelas tabelas06();
Tabelas tabelas07();
Tabelas tabelas08();
Tabelas tabelas09();
Tabelas tabelas10();
Tabelas tabelas11();
Tabelas tabelas12();

using Secao = void (*)(TForm1&, int);
inline constexpr std::array<Secao, 12> kSecoes{
    personagem01, personagem02, personagem03, personagem04, personagem05, personagem06,
    personagem07, personagem08, personagem09, personagem10, personagem11, personagem12};

// The tables of slot 1..12 (empty for any other slot).
inline Tabelas tabelas(int slot) {
    using Fonte = Tabelas (*)();
    constexpr std::array<Fonte, 12> kFontes{tabelas01, tabelas02, tabelas03, tabelas04,
                                            tabelas05, tabelas06, tabelas07, tabelas08,
                                            tabelas09, tabelas10, tabelas11, tabelas12};
    if (slot < 1 || slot > 12) return {};
    return kFontes[static_cast<size_t>(slot - 1)]();
}

}  // namespace pelea::animacao
