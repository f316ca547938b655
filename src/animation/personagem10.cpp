// Character 10's section of the animation tables: the silk dancer. A flurry of fans, the
// phoenix that vanishes and dives from the sky, a rising silk spin, a butterfly kick and a
// celestial dance.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 11> kContato{{
    {1, -2, 38, 21, 155},
    {2, -1, 38, 28, 155},
    {12, -6, 59, 18, 154},
    {21, -15, 23, 10, 118},
    {29, -43, 108, 73, 155},
    {31, -6, 38, 14, 155},
    {32, -6, 59, 17, 154},
    {35, -9, 41, 22, 155},
    {37, -15, 22, 17, 113},
    {40, -32, 39, 2, 155},
    {42, -15, 38, 8, 155},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 32> kAtaque{{
    {3, 2, 0, 8, 46, 65, 74, 1, 1, 7, 0},       // frame 5
    {4, 2, 0, 9, 55, 66, 83, 1, 1, 7, 0},       // frame 7
    {5, 5, 0, 12, 45, 69, 73, 1, 2, 14, 0},     // frame 9
    {6, 5, 0, 41, 28, 98, 56, 1, 2, 14, 0},     // frame 11
    {8, 2, 0, -3, 74, 54, 102, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 7, 137, 64, 165, 1, 1, 7, 0},     // frame 16
    {10, 5, 0, 3, 68, 60, 96, 1, 2, 14, 0},     // frame 18
    {11, 5, 0, 31, 88, 88, 116, 1, 2, 14, 0},   // frame 20
    {13, 2, 0, -15, 50, 42, 78, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, -12, 52, 45, 80, 1, 1, 7, 0},    // frame 24
    {15, 5, 0, 28, 55, 85, 83, 1, 2, 14, 0},    // frame 23
    {16, 5, 0, 24, 38, 81, 66, 1, 2, 14, 0},    // frame 25
    {25, 2, 0, 9, 47, 66, 75, 1, 0, 3, 1},      // the fans, frame 36
    {25, 5, 0, 18, 50, 75, 78, 1, 0, 3, 1},     // frame 35
    {25, 8, 0, 18, 50, 75, 78, 1, 0, 3, 1},     // frame 35
    {25, 11, 0, 9, 47, 66, 75, 1, 0, 3, 1},     // frame 36
    {25, 14, 0, 9, 47, 66, 75, 1, 0, 3, 1},     // frame 36
    {26, 1, 1, 24, 112, 81, 140, 1, 0, 11, 2},  // the phoenix's dive, light, frame 37
    {26, 1, 2, 24, 112, 81, 140, 1, 0, 14, 2},  // and heavy, frame 37
    {27, 4, 0, 4, 65, 61, 93, 1, 0, 7, 1},      // the silk spin, frame 40
    {27, 10, 0, 4, 65, 61, 93, 1, 0, 6, 1},     // frame 40
    {27, 16, 0, 4, 65, 61, 93, 1, 0, 5, 1},     // frame 40
    {28, 4, 1, -1, 50, 56, 78, 1, 0, 11, 2},    // the butterfly kick, light, frame 34
    {28, 4, 2, -1, 50, 56, 78, 1, 0, 14, 2},    // and heavy, frame 34
    {29, 2, 0, 18, 50, 75, 78, 1, 1, 3, 1},     // the dance's fans, frame 35
    {29, 4, 0, 9, 47, 66, 75, 1, 1, 3, 1},      // frame 36
    {29, 6, 0, 18, 50, 75, 78, 1, 1, 3, 1},     // frame 35
    {29, 8, 0, 9, 47, 66, 75, 1, 1, 3, 1},      // frame 36
    {29, 10, 0, 18, 50, 75, 78, 1, 1, 3, 1},    // frame 35
    {29, 12, 0, 9, 47, 66, 75, 1, 1, 3, 1},     // frame 36
    {29, 14, 0, 18, 50, 75, 78, 1, 1, 3, 1},    // frame 35
    {29, 16, 0, 4, 65, 61, 93, 1, 2, 12, 2},    // and the spinning kick, frame 40
}};

// 23: a bow, then a fist up.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 33}, {12, 42}});
}

// 25: the fans, one hand and then the other.
void abanico(TForm1& g, int n) {
    alterna(g, n, 35, 36, 2);
    deixaRepetir(g, n, 14);
    avanca(g, n, 5);
}

// 26: the phoenix vanishes and reappears high and ahead (further for the heavy form), then
// dives down onto the floor.
void fenix(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) {
        desenha(g, n, 37);
        desloca(l, l.t == kLeve ? 80 : 150);
        l.y = 50;
    }
    desce(l, 25);
    if (l.y == kChao) desenha(g, n, 1);
}

// 27: the silk spin rises turning.
void giroDeSeda(TForm1& g, int n) {
    alterna(g, n, 39, 40, 3);
    avanca(g, n, 3);
    deixaRepetir(g, n, 16);
}

// 28: the butterfly kick.
void mariposa(TForm1& g, int n) {
    chaves(g, n, {{0, 41}, {4, 34}});
    if (g.L(n).ciclo < 8) avanca(g, n, 6);
}

// 29: the celestial dance: fans, then a spinning kick.
void danza(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    if (l.ciclo >= 2 && l.ciclo < 15) {
        alterna(g, n, 35, 36, 2);
        avanca(g, n, 5);
    }
    if (l.ciclo >= 15) alterna(g, n, 40, 43, 3);
    deixaRepetir(g, n, 16);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return abanico(g, n);
        case 26:
            return fenix(g, n);
        case 27:
            return giroDeSeda(g, n);
        case 28:
            return mariposa(g, n);
        case 29:
            return danza(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas10() {
    return {kContato, kAtaque};
}

void personagem10(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
