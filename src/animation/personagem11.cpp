// Character 11's section of the animation tables: the desert rover. A stone thrown hard, a
// whirlwind of sand, a whipping leg, a coyote's hop kick and a sandstorm.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 11> kContato{{
    {1, -10, 35, 14, 155},
    {2, -1, 36, 19, 155},
    {12, -11, 56, 20, 154},
    {21, -18, 20, 10, 117},
    {29, -47, 108, 71, 155},
    {31, -15, 36, 6, 155},
    {32, -8, 56, 23, 154},
    {36, -1, 55, 29, 154},
    {37, -14, 35, 6, 155},
    {39, -26, 37, 8, 155},
    {41, -30, 16, -1, 124},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 25> kAtaque{{
    {3, 2, 0, 5, 45, 62, 73, 1, 1, 7, 0},        // frame 5
    {4, 2, 0, 23, 49, 80, 77, 1, 1, 7, 0},       // frame 7
    {5, 5, 0, 27, 41, 84, 69, 1, 2, 14, 0},      // frame 9
    {6, 5, 0, 41, 27, 98, 55, 1, 2, 14, 0},      // frame 11
    {8, 2, 0, 12, 72, 69, 100, 1, 1, 7, 0},      // frame 14
    {9, 2, 0, 18, 135, 75, 163, 1, 1, 7, 0},     // frame 16
    {10, 5, 0, 20, 67, 77, 95, 1, 2, 14, 0},     // frame 18
    {11, 5, 0, 11, 88, 68, 116, 1, 2, 14, 0},    // frame 20
    {13, 2, 0, -13, 48, 44, 76, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, -28, 50, 29, 78, 1, 1, 7, 0},     // frame 24
    {15, 5, 0, 12, 50, 69, 78, 1, 2, 14, 0},     // frame 23
    {16, 5, 0, 23, 37, 80, 65, 1, 2, 14, 0},     // frame 25
    {27, 3, 1, 14, 64, 71, 92, 1, 0, 14, 2},     // the leg whip, light, frame 39
    {27, 3, 2, 14, 64, 71, 92, 1, 0, 17, 3},     // and heavy, frame 39
    {28, 2, 1, 23, 48, 80, 76, 1, 0, 13, 2},     // the hop kick, light, frame 41
    {28, 2, 2, 23, 48, 80, 76, 1, 0, 15, 3},     // and heavy, frame 41
    {29, 2, 0, 0, 32, 38, 155, 1, 1, 4, 1},      // the sandstorm's turns, frame 38
    {29, 5, 0, 5, 32, 43, 155, 1, 1, 4, 1},      // frame 37
    {29, 8, 0, 5, 32, 43, 155, 1, 1, 4, 1},      // frame 37
    {29, 11, 0, 0, 32, 38, 155, 1, 1, 4, 1},     // frame 38
    {29, 14, 0, 0, 32, 38, 155, 1, 1, 4, 1},     // frame 38
    {29, 17, 0, 5, 32, 43, 155, 1, 1, 4, 1},     // frame 37
    {29, 20, 0, 5, 32, 43, 155, 1, 1, 4, 1},     // frame 37
    {29, 23, 0, 0, 32, 38, 155, 1, 1, 4, 1},     // frame 38
    {29, 26, 0, -18, 106, 39, 134, 1, 2, 8, 2},  // and the diving kick out of it, frame 42
}};

constexpr int kSomPedra = 50, kSomRemolino = 51, kSomPerna = 52;

// 23: arms crossed, then a laugh.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 33}, {30, 34}});
}

// 25: the stone is thrown at ciclo 10.
constexpr Lancamento kPedra{32, 35, 33, -50, -112};
void pedrada(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {10, 36}});
    if (g.L(n).ciclo != 10) return;
    dispara(g, n, kPedra);
    som(g, kSomPedra);
}

// 26: a turn raises a whirlwind at ciclo 4.
constexpr Lancamento kRemolino{34, 5, 34, -98, -140};
void remolino(TForm1& g, int n) {
    alterna(g, n, 37, 38, 3);
    if (g.L(n).ciclo == 0) som(g, kSomRemolino);
    if (g.L(n).ciclo == 4) dispara(g, n, kRemolino);
}

// 27: the leg whips out of a turn.
void latigo(TForm1& g, int n) {
    chaves(g, n, {{0, 38}, {3, 39}});
    if (g.L(n).ciclo == 0) som(g, kSomPerna);
}

// 28: the coyote's hop: up and down again, kicking forward.
void saltoCoyote(TForm1& g, int n) {
    Lutador& l = g.L(n);
    chaves(g, n, {{0, 40}, {2, 41}});
    if (l.ciclo == 0) som(g, kSomPerna);
    if (l.ciclo >= 1 && l.ciclo <= 5) sobe(l, 10);
    if (l.ciclo >= 6) desce(l, 10);
    avanca(g, n, 7);
}

// 29: the sandstorm: turning in a cloud of sand, then a diving kick.
void tormentaDeArena(TForm1& g, int n) {
    const Lutador& l = g.L(n);
    if (l.ciclo < 26) {
        alterna(g, n, 37, 38, 2);
        avanca(g, n, 5);
        poeira(g, n, 1);
    }
    chaves(g, n, {{26, 42}});
    deixaRepetir(g, n, 26);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return pedrada(g, n);
        case 26:
            return remolino(g, n);
        case 27:
            return latigo(g, n);
        case 28:
            return saltoCoyote(g, n);
        case 29:
            return tormentaDeArena(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas11() {
    return {kContato, kAtaque};
}

void personagem11(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
