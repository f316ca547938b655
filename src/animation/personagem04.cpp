// Character 4's section of the animation tables: the bull. A charging ball of force, a horn
// charge, a spinning back kick, a seismic leap and a stampede that sets the air on fire.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 12> kContato{{
    {1, -3, 37, 24, 149},
    {2, -1, 37, 20, 149},
    {12, -21, 55, 13, 149},
    {21, -23, 17, 8, 111},
    {29, -43, 97, 68, 149},
    {31, -30, 38, -1, 149},
    {32, -16, 54, 18, 149},
    {38, -18, 64, 36, 149},
    {39, -28, 38, 11, 149},
    {40, -12, 70, 40, 149},
    {41, -64, 69, 42, 126},
    {42, -20, 54, 14, 149},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 19> kAtaque{{
    {3, 2, 0, 10, 42, 67, 70, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 25, 45, 82, 73, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 20, 40, 77, 68, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 37, 29, 94, 57, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 2, 67, 59, 95, 1, 1, 7, 0},      // frame 14
    {9, 2, 0, 27, 129, 84, 157, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 21, 62, 78, 90, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 39, 80, 96, 108, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, -16, 41, 41, 69, 1, 1, 7, 0},   // frame 22
    {14, 2, 0, -31, 49, 26, 77, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 0, 40, 57, 68, 1, 2, 14, 0},    // frame 23
    {16, 5, 0, 29, 34, 86, 62, 1, 2, 14, 0},   // frame 25
    {26, 3, 1, 13, 45, 51, 149, 1, 0, 6, 1},   // the horn charge, light, frame 38
    {26, 3, 2, 13, 45, 51, 149, 1, 0, 8, 2},   // and heavy, frame 38
    {27, 5, 0, 9, 64, 66, 92, 1, 0, 8, 2},     // the spinning kick, frame 39
    {28, 2, 1, 18, 63, 56, 126, 1, 0, 4, 1},   // the leap's head butt, light, frame 41
    {28, 2, 2, 18, 63, 56, 126, 1, 0, 5, 1},   // and heavy, frame 41
    {28, 9, 0, 18, 63, 56, 126, 1, 0, 3, 1},   // the landing stamp, frame 41
    {29, 2, 0, 20, 79, 77, 107, 1, 2, 40, 8},  // the stampede, once, frame 40
}};

constexpr int kSomCoz = 28;

// 23: a roar, then a flex.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 33}, {30, 34}});
}

// 25: the ball of force is pushed out at ciclo 10.
constexpr Lancamento kBola{15, 0, 16, -60, -130};
void bola(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {5, 36}, {10, 37}});
    if (g.L(n).ciclo == 10) dispara(g, n, kBola);
}

// 26: head down, then the horns charge forward kicking up dust.
void cuernazo(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 42}, {3, 38}, {l.t == kLeve ? 10 : 13, 43}});
    if (!mostrando(g, n, 38)) return;
    avanca(g, n, l.t == kLeve ? 16 : 20);
    poeira(g, n, 2);
}

// 27: a turn, then the kick out behind.
void coz(TForm1& g, int n) {
    chaves(g, n, {{0, 44}, {5, 39}, {11, 44}});
    if (g.L(n).ciclo < 6) avanca(g, n, 6);
    if (g.L(n).ciclo == 0) som(g, kSomCoz);
}

// 28: the seismic leap: up head first, down feet first.
void saltoSismico(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 42}, {2, 41}});
    if (l.ciclo >= 2 && l.grav > 0) desenha(g, n, 45);
    if (l.y < kChao) avanca(g, n, 6);
}

// 29: the stampede: a charge through fire.
void estampida(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{2, 40}});
    if (l.ciclo >= 2 && l.ciclo <= 12) avanca(g, n, 14);
    if (l.ciclo < 2 || l.ciclo > 9) return;
    for (int i = 0; i < 3; ++i) {
        const int dy = -140 + g.Random(40);
        if (l.lado == 1)
            g.criaefeito(l.x + 20 + g.Random(30), l.y + dy, 14, "", kSemDono);
        else
            g.criaefeito(l.x - 50 - g.Random(30), l.y + dy, 14, "", kSemDono);
    }
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return bola(g, n);
        case 26:
            return cuernazo(g, n);
        case 27:
            return coz(g, n);
        case 28:
            return saltoSismico(g, n);
        case 29:
            return estampida(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas04() {
    return {kContato, kAtaque};
}

void personagem04(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
