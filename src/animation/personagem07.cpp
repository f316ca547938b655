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
    {1, -15, 19, 18, 160},
    {2, -6, 19, 12, 160},
    {12, -10, 42, 30, 160},
    {21, -17, 4, 30, 118},
    {29, -46, 89, 71, 160},
    {31, -8, 21, 32, 160},
    {32, -5, 42, 45, 160},
    {35, -16, 21, 24, 160},
    {38, 0, 64, 29, 160},
    {40, -27, 20, 9, 160},
    {41, 7, 17, 48, 135},
    {43, 9, 64, 58, 160},
    {44, -18, 24, 23, 160},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 26> kAtaque{{
    {3, 2, 0, 30, 40, 61, 68, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 40, 43, 71, 71, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 39, 38, 70, 66, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 53, 19, 84, 47, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 13, 72, 44, 100, 1, 1, 7, 0},    // frame 14
    {9, 2, 0, 25, 141, 56, 169, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 22, 66, 53, 94, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 50, 86, 81, 114, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 17, 53, 48, 81, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, 9, 46, 40, 74, 1, 1, 7, 0},     // frame 24
    {15, 5, 0, 22, 49, 53, 77, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 34, 36, 65, 64, 1, 2, 14, 0},   // frame 25
    {25, 2, 0, 10, 40, 41, 68, 1, 0, 3, 1},    // machine-gun punches, frame 36
    {25, 5, 0, 25, 43, 56, 71, 1, 0, 3, 1},    // frame 35
    {25, 8, 0, 25, 43, 56, 71, 1, 0, 3, 1},    // frame 35
    {25, 11, 0, 10, 40, 41, 68, 1, 0, 3, 1},   // frame 36
    {25, 14, 0, 10, 40, 41, 68, 1, 0, 3, 1},   // frame 36
    {25, 17, 2, 25, 43, 56, 71, 1, 0, 3, 1},   // the heavy form's last one, frame 35
    {26, 3, 1, 10, 83, 41, 111, 1, 0, 12, 2},  // the lightning hook, light, frame 38
    {26, 3, 2, 10, 83, 41, 111, 1, 0, 15, 3},  // and heavy, frame 38
    {27, 1, 0, 10, 19, 48, 160, 1, 0, 8, 2},   // the tornado kick, frame 39
    {27, 7, 0, 10, 19, 48, 160, 1, 0, 6, 1},   // frame 39
    {28, 2, 1, 67, 42, 98, 70, 1, 0, 12, 2},   // the tiger leap, light, frame 41
    {28, 2, 2, 67, 42, 98, 70, 1, 0, 14, 2},   // and heavy, frame 41
    {28, 9, 0, 67, 42, 98, 70, 1, 0, 8, 2},    // the claws again on the way down, frame 41
    {29, 2, 0, 60, 81, 91, 109, 1, 2, 0, 0},   // the thunder dash, frame 43
}};

constexpr int kSonsSoco[] = {7, 8, 9};

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
    alterna(g, n, 39, 40, 3);
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
    l.recuo = 0;
    segura(g, n, 50, 8);
    l.hits = static_cast<uint8_t>(l.hits + 1);
    l.hitsTempo = 20;
    for (int k : kSonsSoco)
        somAoAcaso(g, k, 4);
    flashAoAcaso(g, 5);
    faiscaPerto(g, n, -45, 30, -140, 100);
    if (!soltando(l)) return;
    solta(g, n, 40, 30);
    g.g.m.golpePausa = 5;
    l.ataque = 0;
    arremessa(g, n);
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
