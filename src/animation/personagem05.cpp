// Character 5's section of the animation tables: the kid. A spark shot, a cartwheel, a rising
// spark jump that kicks seven times, machine-gun kicks and a storm of feet.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 12> kContato{{
    {1, -1, 30, 26, 144},
    {2, -1, 31, 33, 144},
    {12, -7, 50, 21, 144},
    {21, -17, 12, 13, 106},
    {29, -43, 96, 69, 143},
    {31, -19, 30, 4, 144},
    {32, -7, 50, 20, 144},
    {37, -31, 85, 20, 123},
    {39, -8, 56, 30, 144},
    {41, -30, 33, 8, 144},
    {43, -21, 30, 8, 144},
    {45, -21, 30, 8, 144},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 37> kAtaque{{
    {3, 2, 0, 12, 41, 69, 69, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 26, 41, 83, 69, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 16, 40, 73, 68, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 18, 31, 75, 59, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 7, 68, 64, 96, 1, 1, 7, 0},      // frame 14
    {9, 2, 0, 18, 125, 75, 153, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 9, 63, 66, 91, 1, 2, 14, 0},    // frame 18
    {11, 5, 0, 29, 79, 86, 107, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 0, 49, 57, 77, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, -13, 44, 44, 72, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 17, 47, 74, 75, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 17, 35, 74, 63, 1, 2, 14, 0},   // frame 25
    {26, 1, 1, 0, 80, 38, 139, 1, 0, 4, 1},    // the cartwheel, light, frame 37
    {26, 1, 2, 0, 80, 38, 139, 1, 0, 5, 1},    // and heavy, frame 37
    {26, 12, 0, 0, 80, 38, 139, 1, 0, 2, 1},   // still wheeling, frame 37
    {27, 3, 0, 13, 35, 70, 63, 1, 0, 4, 1},    // the spark jump's seven kicks, frame 41
    {27, 7, 0, 23, 41, 80, 69, 1, 0, 3, 1},    // frame 42
    {27, 11, 0, 13, 35, 70, 63, 1, 0, 4, 1},   // frame 41
    {27, 15, 0, 23, 41, 80, 69, 1, 0, 3, 1},   // frame 42
    {27, 19, 0, 13, 35, 70, 63, 1, 0, 4, 1},   // frame 41
    {27, 23, 0, 23, 41, 80, 69, 1, 0, 3, 1},   // frame 42
    {27, 27, 0, 13, 35, 70, 63, 1, 0, 4, 1},   // frame 41
    {28, 2, 0, -3, 93, 54, 121, 1, 0, 1, 0},   // machine-gun kicks, every second cycle, frame 44
    {28, 4, 0, 8, 66, 65, 94, 1, 0, 1, 0},     // frame 43
    {28, 6, 0, -3, 93, 54, 121, 1, 0, 1, 0},   // frame 44
    {28, 8, 0, 8, 66, 65, 94, 1, 0, 1, 0},     // frame 43
    {28, 10, 0, -3, 93, 54, 121, 1, 0, 1, 0},  // frame 44
    {28, 12, 0, 8, 66, 65, 94, 1, 0, 1, 0},    // frame 43
    {28, 14, 0, -3, 93, 54, 121, 1, 0, 1, 0},  // frame 44
    {29, 2, 0, 26, 64, 83, 92, 1, 1, 3, 1},    // the storm of feet, every second cycle, frame 45
    {29, 4, 0, 33, 26, 90, 54, 1, 1, 3, 1},    // frame 46
    {29, 6, 0, 26, 64, 83, 92, 1, 1, 3, 1},    // frame 45
    {29, 8, 0, 33, 26, 90, 54, 1, 1, 3, 1},    // frame 46
    {29, 10, 0, 26, 64, 83, 92, 1, 1, 3, 1},   // frame 45
    {29, 12, 0, 33, 26, 90, 54, 1, 1, 3, 1},   // frame 46
    {29, 14, 0, 26, 64, 83, 92, 1, 1, 3, 1},   // frame 45
    {29, 16, 0, -4, 20, 34, 144, 1, 2, 10,
     2},  // and the kick that sends the opponent flying, frame 47
}};

// 23: a fist up, then a flex.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 33}, {20, 34}});
}

// 25: the spark is thrown at ciclo 10.
constexpr Lancamento kChispa{17, 0, 18, -60, -118};
void chispazo(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {5, 36}, {10, 39}});
    if (g.L(n).ciclo == 10) dispara(g, n, kChispa);
}

// 26: the cartwheel rolls forward.
void rueda(TForm1& g, int n) {
    alterna(g, n, 37, 38, 3);
    if (g.L(n).ciclo < 20) avanca(g, n, g.L(n).t == kLeve ? 8 : 10);
}

// 27: the spark jump: up off the floor, a kick on every fourth cycle, and back down.
void saltoChispa(TForm1& g, int n) {
    Lutador& l = g.L(n);
    if (l.ciclo == 0) desenha(g, n, 40);
    if (l.ciclo % 4 == 3) desenha(g, n, mostrando(g, n, 41) ? 42 : 41);
    if (l.ciclo >= 1 && l.ciclo <= 10) sobe(l, 4);
    if (l.ciclo >= 28) desce(l, 8);
    deixaRepetir(g, n, 27);
    avanca(g, n, 4);
}

// 28: machine-gun kicks, a foot on every second cycle.
void metralla(TForm1& g, int n) {
    alterna(g, n, 43, 44, 2);
    deixaRepetir(g, n, 14);
    avanca(g, n, 5);
}

// 29: the storm of feet, ending in a kick that launches.
void tormenta(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    if (l.ciclo >= 2 && l.ciclo < 15) {
        alterna(g, n, 45, 46, 2);
        avanca(g, n, 5);
    }
    chaves(g, n, {{15, 47}});
    deixaRepetir(g, n, 16);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return chispazo(g, n);
        case 26:
            return rueda(g, n);
        case 27:
            return saltoChispa(g, n);
        case 28:
            return metralla(g, n);
        case 29:
            return tormenta(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas05() {
    return {kContato, kAtaque};
}

void personagem05(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
