// Character 6's section of the animation tables: the giant. A boulder thrown from overhead,
// a stomp that sends a rock rolling, a hammer blow, a sweep and a super that falls from the
// sky.
// The areas were measured on the figure its sheet shows: the body box of each drawing, and the
// reaching fist or foot (or the body) of the drawing shown when a blow strikes.
#include "animation/roteiro.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 13> kContato{{
    {1, -4, 48, 25, 190},
    {2, -1, 49, 32, 190},
    {12, -3, 73, 27, 188},
    {21, -23, 29, 12, 144},
    {29, -50, 126, 90, 190},
    {31, -22, 50, 9, 189},
    {32, -8, 73, 18, 187},
    {35, -25, 52, 10, 189},
    {37, -1, 84, 50, 189},
    {38, -31, 47, -3, 190},
    {40, -1, 68, 45, 190},
    {41, -45, 80, 42, 134},
    {44, -31, 50, 10, 159},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14); the heavy punch strikes twice, at ciclo 4 and 6.
constexpr std::array<AttackRow, 19> kAtaque{{
    {3, 2, 0, 19, 68, 76, 96, 1, 1, 7, 0},         // frame 5
    {4, 2, 0, 59, 76, 116, 104, 1, 1, 7, 0},       // frame 7
    {5, 4, 0, 23, 49, 61, 190, 1, 2, 4, 0},        // frame 8
    {5, 6, 0, 20, 67, 77, 95, 1, 2, 10, 0},        // frame 9
    {6, 5, 0, 59, 101, 116, 129, 1, 2, 14, 0},     // frame 11
    {8, 2, 0, 33, 93, 90, 121, 1, 1, 7, 0},        // frame 14
    {9, 2, 0, 47, 169, 104, 197, 1, 1, 7, 0},      // frame 16
    {10, 5, 0, 26, 87, 83, 115, 1, 2, 14, 0},      // frame 18
    {11, 5, 0, 61, 105, 118, 133, 1, 2, 14, 0},    // frame 20
    {13, 2, 0, -3, 65, 54, 93, 1, 1, 7, 0},        // frame 22
    {14, 2, 0, 3, 66, 60, 94, 1, 1, 7, 0},         // frame 24
    {15, 5, 0, 34, 70, 91, 98, 1, 2, 14, 0},       // frame 23
    {16, 5, 0, 62, 46, 119, 74, 1, 2, 14, 0},      // frame 25
    {27, 7, 1, 23, 87, 80, 115, 1, 0, 20, 4},      // the hammer, light, frame 40
    {27, 7, 2, 23, 87, 80, 115, 1, 0, 20, 4},      // and heavy, frame 40
    {28, 5, 1, 37, 133, 94, 161, 1, 0, 18, 3},     // the sweep, light, frame 37
    {28, 5, 2, 37, 133, 94, 161, 1, 0, 20, 4},     // and heavy, frame 37
    {29, 16, 0, 0, 60, 90, 190, 1, 2, 16, 3},      // the body falling from the sky, frame 44
    {29, 22, 0, -40, 150, 110, 200, 1, 2, 22, 4},  // and the quake where it lands, frame 44
}};

// 23: arms crossed, then a fist up.
void vitoria(TForm1& g, int n) {
    chaves(g, n, {{0, 33}, {25, 34}});
}

// 25: the boulder is lifted and thrown from overhead.
constexpr Lancamento kRoca{20, 10, 21, -80, -160};
void roca(TForm1& g, int n) {
    chaves(g, n, {{0, 35}, {10, 36}});
    if (g.L(n).ciclo == 10) dispara(g, n, kRoca);
}

// 26: the stomp shakes loose a rock that rolls out low.
constexpr Lancamento kPisoton{20, 10, 21, -80, -108};
void pisoton(TForm1& g, int n) {
    chaves(g, n, {{0, 38}, {8, 39}});
    if (g.L(n).ciclo == 8) poeira(g, n, 5);
    if (g.L(n).ciclo == 10) dispara(g, n, kPisoton);
}

// 27: the hammer: both fists raised and brought down.
void martillo(TForm1& g, int n) {
    chaves(g, n, {{0, 42}, {7, 40}, {18, 42}});
}

// 28: the sweep slides forward along the floor and knocks down.
void barrido(TForm1& g, int n) {
    Lutador& l = g.L(n);
    chaves(g, n, {{0, 43}, {5, 37}, {20, 43}});
    if (mostrando(g, n, 37)) avanca(g, n, 5);
    if (l.ciclo >= 5) l.derruba = 1;
}

// 29: the sky crash: up, hanging at the top a moment, then straight down onto the floor.
void caidaDelCielo(TForm1& g, int n) {
    Lutador& l = g.L(n);
    chaves(g, n, {{0, 41}, {16, 44}, {30, 43}});
    if (l.ciclo == 4) {
        l.pulo = 0;
        l.grav = 0;
    }
    if (l.ciclo > 4 && l.ciclo < 16) {
        sobe(l, 3);
        avanca(g, n, 5);
    }
    if (l.ciclo < 16) return;
    const bool noAr = l.y < kChao;
    desce(l, 24);
    if (noAr) avanca(g, n, 8);
    if (noAr && l.y == kChao) poeira(g, n, 8);
}

void estadosProprios(TForm1& g, int n) {
    switch (g.L(n).pos) {
        case 23:
            return vitoria(g, n);
        case 25:
            return roca(g, n);
        case 26:
            return pisoton(g, n);
        case 27:
            return martillo(g, n);
        case 28:
            return barrido(g, n);
        case 29:
            return caidaDelCielo(g, n);
        default:
            return;
    }
}

}  // namespace

Tabelas tabelas06() {
    return {kContato, kAtaque};
}

void personagem06(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
