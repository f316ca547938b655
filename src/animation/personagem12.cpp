// Character 12's section of the animation tables: the headband fighter. A fist of wind, a
// fierce rising uppercut, a hurricane of kicks that stops a jump in mid-air, and a thousand
// crazy blows. Its normal moves strike early, and it wins with a strut across the stage.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 12> kContato{{
    {1, -5, 37, 19, 165},
    {2, -1, 38, 17, 165},
    {12, -14, 60, 19, 164},
    {21, -16, 20, 15, 124},
    {29, -47, 97, 79, 156},
    {31, -8, 38, 16, 165},
    {32, -9, 60, 19, 164},
    {33, -12, 41, 10, 138},
    {37, -1, 60, 33, 146},
    {40, -27, 26, 1, 146},
    {42, -28, 40, 9, 165},
    {44, -5, 41, 33, 165},
}};

// The normal moves strike early: light ones at ciclo 1, heavy ones at ciclo 2; the heavy punch
// strikes at ciclo 1 and again at ciclo 5.
constexpr std::array<AttackRow, 30> kAtaque{{
    {3, 1, 0, 7, 50, 64, 78, 1, 1, 7, 0},      // frame 4
    {4, 1, 0, -13, 62, 44, 90, 1, 1, 7, 0},    // frame 6
    {5, 1, 0, 0, 50, 57, 78, 1, 2, 5, 0},      // frame 8
    {5, 5, 0, 1, 50, 58, 78, 1, 2, 10, 0},     // frame 9
    {6, 2, 0, -1, 52, 56, 80, 1, 2, 14, 0},    // frame 10
    {8, 1, 0, 3, 79, 60, 107, 1, 1, 7, 0},     // frame 13
    {9, 1, 0, 32, 146, 89, 174, 1, 1, 7, 0},   // frame 15
    {10, 2, 0, 1, 75, 58, 103, 1, 2, 14, 0},   // frame 17
    {11, 2, 0, 29, 97, 86, 125, 1, 2, 14, 0},  // frame 19
    {13, 1, 0, 21, 65, 78, 93, 1, 1, 7, 0},    // frame 22
    {14, 1, 0, -1, 53, 56, 81, 1, 1, 7, 0},    // frame 24
    {15, 2, 0, 21, 65, 78, 93, 1, 2, 14, 0},   // frame 22
    {16, 2, 0, -1, 53, 56, 81, 1, 2, 14, 0},   // frame 24
    {26, 2, 1, -2, 0, 36, 146, 1, 0, 12, 2},   // the rising uppercut, light, frame 40
    {26, 2, 2, -2, 0, 36, 146, 1, 0, 15, 3},   // and heavy, frame 40
    {27, 3, 0, 43, 65, 100, 93, 1, 0, 4, 1},   // the hurricane's kicks, frame 42
    {27, 9, 0, 43, 65, 100, 93, 1, 0, 3, 1},   // frame 42
    {27, 15, 0, 43, 65, 100, 93, 1, 0, 3, 1},  // frame 42
    {27, 21, 0, 43, 65, 100, 93, 1, 0, 3, 1},  // frame 42
    {28, 2, 0, -10, 51, 47, 79, 1, 1, 3, 1},   // a thousand blows, frame 43
    {28, 4, 0, 32, 47, 89, 75, 1, 1, 3, 1},    // frame 44
    {28, 6, 0, -10, 51, 47, 79, 1, 1, 3, 1},   // frame 43
    {28, 8, 0, 32, 47, 89, 75, 1, 1, 3, 1},    // frame 44
    {28, 10, 0, -10, 51, 47, 79, 1, 1, 3, 1},  // frame 43
    {28, 12, 0, 32, 47, 89, 75, 1, 1, 3, 1},   // frame 44
    {28, 14, 0, -10, 51, 47, 79, 1, 1, 3, 1},  // frame 43
    {28, 16, 0, 32, 47, 89, 75, 1, 1, 3, 1},   // frame 44
    {28, 18, 0, -10, 51, 47, 79, 1, 1, 3, 1},  // frame 43
    {28, 20, 0, 32, 47, 89, 75, 1, 1, 3, 1},   // frame 44
    {28, 22, 0, -2, 0, 36, 146, 1, 2, 10, 2},  // and the uppercut that ends them, frame 40
}};

constexpr int kSomPuno = 53, kSomAscenso = 54, kSomHuracan = 55, kSomMilGolpes = 56;
constexpr int kMargemEsquerda = 30, kMargemDireita = 370;  // the view's margins

// 23: the strut: a step on every call, arms swinging by the parity of ciclo, dust at the feet,
// until the next step would leave the view.
void vitoria(TForm1& g, int n) {
    Lutador& l = g.L(n);
    desenha(g, n, l.ciclo % 2 == 0 ? 33 : 34);
    const int telaX = g.g.m.telaX;
    const int proximo = l.x + (l.lado == 1 ? 10 : -10);
    if (proximo > telaX + kMargemDireita || proximo < telaX + kMargemEsquerda) return;
    desloca(l, 10);
    poeira(g, n, 5);
}

// 25: the fist of wind leaves at ciclo 10.
constexpr Lancamento kPuno{11, 0, 12, -60, -125};
void punoDeViento(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {5, 36}, {10, 37}});
    if (g.L(n).ciclo != 10) return;
    dispara(g, n, kPuno);
    som(g, kSomPuno);
}

// 26: the rising uppercut: a crouch, then a leap fist first.
void ascenso(TForm1& g, int n) {
    Lutador& l = g.L(n);
    chaves(g, n, {{0, 39}, {2, 40}});
    if (l.ciclo == 0) som(g, kSomAscenso);
    if (l.ciclo == 2) {
        l.pulo = 1;
        l.grav = l.t == kLeve ? -22 : -26;
    }
    if (l.ciclo >= 2 && l.ciclo < 8) avanca(g, n, 4);
}

// 27: the hurricane of kicks spins forward; out of a jump it sinks slowly to the floor.
void huracan(TForm1& g, int n) {
    Lutador& l = g.L(n);
    alterna(g, n, 41, 42, 3);
    if (l.ciclo == 0) som(g, kSomHuracan);
    avanca(g, n, 6);
    desce(l, 6);
    deixaRepetir(g, n, 21);
}

// 28: a thousand crazy blows, ending in an uppercut.
void milGolpes(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    if (l.ciclo == 0) som(g, kSomMilGolpes);
    if (l.ciclo >= 2 && l.ciclo < 22) {
        alterna(g, n, 43, 44, 2);
        avanca(g, n, 5);
    }
    chaves(g, n, {{22, 40}});
    deixaRepetir(g, n, 22);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return punoDeViento(g, n);
        case 26:
            return ascenso(g, n);
        case 27:
            return huracan(g, n);
        case 28:
            return milGolpes(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas12() {
    return {kContato, kAtaque};
}

void personagem12(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
