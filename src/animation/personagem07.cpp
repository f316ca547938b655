// Character 7's section of the animation tables: the lanky one. Machine-gun punches, a
// lightning hook, a tornado kick, a tiger leap and a thunder dash that pins the opponent under a
// flurry.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 13> kContato{{
    {1, -8, 30, 17, 160},
    {2, -3, 30, 13, 160},
    {12, -6, 54, 19, 158},
    {21, -18, 14, 12, 118},
    {29, -45, 108, 73, 160},
    {31, -3, 32, 19, 160},
    {32, 0, 54, 31, 159},
    {35, -9, 31, 24, 160},
    {38, -4, 70, 25, 160},
    {40, -28, 31, 8, 160},
    {41, -1, 26, 47, 135},
    {43, -1, 70, 52, 160},
    {44, -8, 34, 25, 160},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 26> kAtaque{{
    {3, 2, 0, 15, 43, 72, 71, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 25, 48, 82, 76, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 24, 41, 81, 69, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 38, 26, 95, 54, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, -2, 72, 55, 100, 1, 1, 7, 0},    // frame 14
    {9, 2, 0, 10, 141, 67, 169, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 7, 66, 64, 94, 1, 2, 14, 0},    // frame 18
    {11, 5, 0, 35, 86, 92, 114, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 2, 53, 59, 81, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, -6, 46, 51, 74, 1, 1, 7, 0},    // frame 24
    {15, 5, 0, 7, 49, 64, 77, 1, 2, 14, 0},    // frame 23
    {16, 5, 0, 19, 36, 76, 64, 1, 2, 14, 0},   // frame 25
    {25, 2, 0, -5, 40, 52, 68, 1, 0, 3, 1},    // machine-gun punches, frame 36
    {25, 5, 0, 10, 43, 67, 71, 1, 0, 3, 1},    // frame 35
    {25, 8, 0, 10, 43, 67, 71, 1, 0, 3, 1},    // frame 35
    {25, 11, 0, -5, 40, 52, 68, 1, 0, 3, 1},   // frame 36
    {25, 14, 0, -5, 40, 52, 68, 1, 0, 3, 1},   // frame 36
    {25, 17, 2, 10, 43, 67, 71, 1, 0, 3, 1},   // the heavy form's last one, frame 35
    {26, 3, 1, -5, 83, 52, 111, 1, 0, 14, 2},  // the lightning hook, light, frame 38
    {26, 3, 2, -5, 83, 52, 111, 1, 0, 17, 3},  // and heavy, frame 38
    {27, 1, 0, 49, 53, 106, 81, 1, 0, 10, 2},  // the tornado kick, frame 40
    {27, 7, 0, 49, 53, 106, 81, 1, 0, 8, 2},   // frame 40
    {28, 2, 1, 52, 42, 109, 70, 1, 0, 16, 3},  // the tiger leap, light, frame 41
    {28, 2, 2, 52, 42, 109, 70, 1, 0, 18, 3},  // and heavy, frame 41
    {28, 9, 0, 52, 42, 109, 70, 1, 0, 8, 2},   // the claws again on the way down, frame 41
    {29, 2, 0, 45, 81, 102, 109, 1, 2, 0, 0},  // the thunder dash, frame 43
}};

// 23: a laugh and a fist, in turn.
void vitoria(TForm1& g, int n) {
    const int c = g.L(n).ciclo;
    if (c % 20 == 0) desenha(g, n, 33);
    if (c % 20 == 10) desenha(g, n, 34);
}

// 25: machine-gun punches, fists in turn, sparks flying off the opponent.
void punosMetralla(TForm1& g, int n) {
    alterna(g, n, 35, 36, 2);
    avanca(g, n, 5);
    deixaRepetir(g, n, 17);
    faiscasNoAtingido(g, n);
}

// 26: the lightning hook: a crouch, then a lunge like a bolt.
void ganchoRelampago(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    chaves(g, n, {{0, 37}, {3, 38}});
    if (mostrando(g, n, 38) && l.ciclo < 10) avanca(g, n, l.t == kLeve ? 15 : 19);
}

// 27: the tornado kick spins up off the floor.
void patadaTornado(TForm1& g, int n) {
    alterna(g, n, 40, 39, 3);
    avanca(g, n, 4);
    deixaRepetir(g, n, 7);
}

// 28: the tiger leap, claws first.
void saltoTigre(TForm1& g, int n) {
    chaves(g, n, {{0, 42}, {2, 41}});
    avanca(g, n, g.L(n).t == kLeve ? 5 : 7);
}

// 29: the thunder dash.
void truenoFinal(TForm1& g, int n) {
    chaves(g, n, {{0, 38}, {2, 43}});
    if (mostrando(g, n, 43)) avanca(g, n, 16);
}

// 30: the thunder: the opponent pinned under a flurry, then thrown.
void truenoPreso(TForm1& g, int n) {
    Lutador& l = g.L(n);
    constexpr int kFlurry[] = {44, 45, 46};
    desenha(g, n, kFlurry[l.ciclo % 3]);
    aperta(g, n, 50, 8, 1, 20);
    flashAoAcaso(g, 5);
    faiscaPerto(g, n, -45, 30, -140, 100);
    if (!soltando(l)) return;
    arremessaComDano(g, n, 40, 30);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return punosMetralla(g, n);
        case 26:
            return ganchoRelampago(g, n);
        case 27:
            return patadaTornado(g, n);
        case 28:
            return saltoTigre(g, n);
        case 29:
            return truenoFinal(g, n);
        case 30:
            return truenoPreso(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas07() {
    return {kContato, kAtaque};
}

void personagem07(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
