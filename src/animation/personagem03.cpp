// Character 3's section of the animation tables: the scarf dancer. A blown kiss that
// explodes, a crane that rises, a rolling tumble, a flying scissor kick and a super scissor
// hold that catches the opponent between her legs.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 13> kContato{{
    {1, -1, 35, 21, 145},
    {2, -1, 35, 25, 145},
    {12, -5, 55, 16, 144},
    {21, -4, 21, 12, 110},
    {29, -39, 77, 70, 130},
    {31, -2, 35, 13, 145},
    {32, -6, 55, 17, 144},
    {38, -5, 55, 14, 143},
    {39, -4, 31, 13, 141},
    {40, -21, 89, 20, 124},
    {42, -31, 32, -1, 91},
    {44, -37, 39, -5, 145},
    {46, -22, 68, 7, 118},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 20> kAtaque{{
    {3, 2, 0, 9, 41, 66, 69, 1, 1, 7, 0},      // frame 5
    {4, 2, 0, 14, 44, 71, 72, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 4, 41, 61, 69, 1, 2, 14, 0},     // frame 9
    {6, 5, 0, 28, 22, 85, 50, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 0, 68, 57, 96, 1, 1, 7, 0},      // frame 14
    {9, 2, 0, 8, 127, 65, 155, 1, 1, 7, 0},    // frame 16
    {10, 5, 0, -3, 64, 54, 92, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 19, 81, 76, 109, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, -22, 45, 35, 73, 1, 1, 7, 0},   // frame 22
    {14, 2, 0, -13, 46, 44, 74, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 1, 48, 58, 76, 1, 2, 14, 0},    // frame 23
    {16, 5, 0, 20, 33, 77, 61, 1, 2, 14, 0},   // frame 25
    {26, 2, 1, 10, 11, 48, 141, 1, 0, 9, 2},   // the crane rising, light, frame 39
    {26, 2, 2, 10, 11, 48, 141, 1, 0, 11, 2},  // and heavy, frame 39
    {27, 1, 1, -4, 84, 34, 141, 1, 0, 5, 1},   // the tumble, light, frame 40
    {27, 1, 2, -4, 84, 34, 141, 1, 0, 6, 2},   // and heavy, frame 40
    {27, 9, 0, -3, 84, 35, 141, 1, 0, 3, 1},   // the tumble rolling on, frame 41
    {28, 4, 1, 16, 50, 73, 78, 1, 0, 11, 2},   // the scissor kick, light, frame 42
    {28, 4, 2, 16, 50, 73, 78, 1, 0, 14, 2},   // and heavy, frame 42
    {29, 3, 0, 16, 50, 73, 78, 1, 2, 0, 0},    // the super's leap, frame 42
}};

// 23: two poses in turn, changing at ciclo 3, 7, 11, 15 and 19.
void vitoria(TForm1& g, int n) {
    const int c = g.L(n).ciclo;
    if (c == 0) desenha(g, n, 33);
    if (c % 4 == 3 && c <= 19) desenha(g, n, mostrando(g, n, 33) ? 34 : 33);
}

// 25: the kiss is blown from the lips and bursts forward at ciclo 10.
constexpr Lancamento kBeijo{11, 0, 12, -60, -100};
void beijo(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {5, 36}, {10, 37}});
    if (g.L(n).ciclo == 10) dispara(g, n, kBeijo);
}

// 26: the crane rises out of a crouch, wings up, drifting forward.
void grulla(TForm1& g, int n) {
    chaves(g, n, {{0, 38}, {2, 39}});
    if (g.L(n).ciclo < 10) avanca(g, n, 3);
}

// 27: the tumble rolls forward along the floor.
void rodillo(TForm1& g, int n) {
    alterna(g, n, 40, 41, 3);
    avanca(g, n, g.L(n).t == kLeve ? 11 : 13);
    poeira(g, n, 1);
}

// 28: the flying scissors: a dive forward, then the legs open.
void tijera(TForm1& g, int n) {
    chaves(g, n, {{0, 43}, {4, 42}});
    avanca(g, n, g.L(n).t == kLeve ? 8 : 10);
}

// 29: the super: a crouch, then a low scissor leap along the floor; a miss ends off balance.
void tijeraInfernal(TForm1& g, int n) {
    chaves(g, n, {{0, 45}, {3, 42}, {12, 44}});
    if (mostrando(g, n, 42)) avanca(g, n, 16);
}

// 30: the scissor hold: her legs work at the opponent's blink beat, then throw it.
void tijeraPresa(TForm1& g, int n) {
    Lutador& l = g.L(n);
    desenha(g, n, g.g.m.pisca % 2 == 0 ? 46 : 47);
    aperta(g, n, 65, 5, 1, 20);
    flashAoAcaso(g, 6);
    faiscaPerto(g, n, -40, 30, -140, 100);
    if (!soltando(l)) return;
    arremessaComDano(g, n, 40, 30);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return beijo(g, n);
        case 26:
            return grulla(g, n);
        case 27:
            return rodillo(g, n);
        case 28:
            return tijera(g, n);
        case 29:
            return tijeraInfernal(g, n);
        case 30:
            return tijeraPresa(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas03() {
    return {kContato, kAtaque};
}

void personagem03(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
