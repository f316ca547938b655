// Character 9's section of the animation tables: the old master. A whirling kick, a century
// kick, a trembling palm, a crane's dive out of a jump and a thousand-year fury of cane jabs
// ending in a rising kick.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 12> kContato{{
    {1, -3, 49, 18, 150},
    {2, -1, 49, 21, 150},
    {12, -13, 66, 9, 150},
    {21, -15, 34, 11, 117},
    {29, -39, 110, 60, 150},
    {31, -10, 49, 8, 150},
    {32, -13, 66, 9, 150},
    {35, -31, 21, -1, 118},
    {37, -13, 52, 18, 150},
    {39, -10, 66, 20, 140},
    {40, -28, 49, -11, 150},
    {43, -15, 51, 7, 150},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 29> kAtaque{{
    {3, 2, 0, 3, 55, 60, 83, 1, 1, 7, 0},       // frame 5
    {4, 2, 0, 15, 59, 72, 87, 1, 1, 7, 0},      // frame 7
    {5, 5, 0, 6, 54, 63, 82, 1, 2, 14, 0},      // frame 9
    {6, 5, 0, 27, 39, 84, 67, 1, 2, 14, 0},     // frame 11
    {8, 2, 0, -4, 78, 53, 106, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 5, 132, 62, 160, 1, 1, 7, 0},     // frame 16
    {10, 5, 0, 0, 61, 57, 89, 1, 2, 14, 0},     // frame 18
    {11, 5, 0, 23, 68, 80, 96, 1, 2, 14, 0},    // frame 20
    {13, 2, 0, 13, 68, 70, 96, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, -19, 60, 38, 88, 1, 1, 7, 0},    // frame 24
    {15, 5, 0, 18, 44, 75, 72, 1, 2, 14, 0},    // frame 23
    {16, 5, 0, 24, 46, 81, 74, 1, 2, 14, 0},    // frame 25
    {25, 2, 0, 23, 70, 80, 98, 1, 0, 3, 1},     // the whirl: a kick each turn, frame 43
    {25, 8, 0, 23, 70, 80, 98, 1, 0, 3, 1},     // frame 43
    {25, 14, 2, 23, 70, 80, 98, 1, 0, 2, 1},    // the heavy whirl turns on, frame 43
    {25, 20, 2, 23, 70, 80, 98, 1, 0, 2, 1},    // frame 43
    {26, 5, 1, 22, 47, 79, 75, 1, 0, 10, 2},    // the century kick, light, frame 35
    {26, 5, 2, 22, 47, 79, 75, 1, 0, 13, 2},    // and heavy, frame 35
    {27, 4, 1, 3, 73, 60, 101, 1, 0, 5, 1},     // the palm, light, frame 39
    {27, 4, 2, 3, 73, 60, 101, 1, 0, 6, 1},     // and heavy, frame 39
    {28, 0, 1, 20, 110, 77, 138, 1, 0, 10, 2},  // the crane's dive, light, frame 36
    {28, 0, 2, 20, 110, 77, 138, 1, 0, 13, 2},  // and heavy, frame 36
    {29, 3, 0, 0, 52, 38, 150, 1, 1, 3, 1},     // the fury: cane jabs, frame 19
    {29, 5, 0, 20, 57, 77, 85, 1, 1, 3, 1},     // frame 44
    {29, 7, 0, -14, 58, 43, 86, 1, 1, 3, 1},    // frame 37
    {29, 9, 0, 20, 57, 77, 85, 1, 1, 3, 1},     // frame 44
    {29, 11, 0, -14, 58, 43, 86, 1, 1, 3, 1},   // frame 37
    {29, 13, 0, 20, 57, 77, 85, 1, 1, 3, 1},    // frame 44
    {29, 14, 0, 22, 47, 79, 75, 1, 2, 14, 2},   // and the rising kick, frame 35
}};

// 23: a bow, then meditation.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 33}, {20, 40}, {40, 34}});
}

// 25: the whirl turns on one foot, kicking each turn.
void remolino(TForm1& g, int n) {
    alterna(g, n, 43, 42, 3);
    avanca(g, n, 4);
    deixaRepetir(g, n, 20);
}

// 26: the century kick: knee up, then the kick high and far.
void patadaCentenaria(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 41}, {5, 35}, {14, 41}});
    if (mostrando(g, n, 35) && l.ciclo < 10) avanca(g, n, 6);
}

// 27: the trembling palm, pushed out from the hip.
void palma(TForm1& g, int n) {
    chaves(g, n, {{0, 38}, {4, 39}, {12, 38}});
    if (g.L(n).ciclo >= 2 && g.L(n).ciclo < 6) avanca(g, n, 6);
}

// 28: the crane's dive: out of the jump, down and forward onto the opponent.
void caidaDeGrulla(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) {
        desenha(g, n, 36);
        l.grav = 0;
    }
    const bool noAr = l.y < kChao;
    desce(l, 14);
    if (noAr) avanca(g, n, 10);
    if (noAr && l.y == kChao) poeira(g, n, 4);
}

// 29: the fury: cane jabs in turn, then the rising kick with a cry of its own.
constexpr int kSomPatadaFinal = 46;
void furia(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    if (l.ciclo >= 3 && l.ciclo < 14) {
        alterna(g, n, 44, 37, 2);
        avanca(g, n, 5);
    }
    chaves(g, n, {{14, 35}});
    if (l.ciclo == 14) som(g, kSomPatadaFinal);
    deixaRepetir(g, n, 14);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return remolino(g, n);
        case 26:
            return patadaCentenaria(g, n);
        case 27:
            return palma(g, n);
        case 28:
            return caidaDeGrulla(g, n);
        case 29:
            return furia(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas09() {
    return {kContato, kAtaque};
}

void personagem09(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
