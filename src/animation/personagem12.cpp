// Character 12's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -25, 32, 13, 165},
    {2, -14, 34, 25, 165},
    {12, -25, 51, 24, 165},
    {21, -17, 12, 30, 124},
    {29, -28, 70, -13, 162},
    {31, -16, 31, 24, 165},
    {32, -19, 51, 27, 165},
}};

// The normal moves strike early: light ones at ciclo 1, heavy ones at ciclo 2; the heavy punch
// strikes at ciclo 1 and again at ciclo 5.
constexpr std::array<AttackRow, 13> kAtaque{{
    {3, 1, 0, 24, 62, 57, 87, 1, 1, 7, 0},     // frame 4
    {4, 1, 0, 23, 118, 35, 136, 1, 1, 7, 0},   // frame 6
    {5, 1, 0, 8, 53, 42, 88, 1, 2, 5, 0},      // frame 8
    {5, 5, 0, 18, 54, 50, 89, 1, 2, 10, 0},    // frame 9
    {6, 2, 0, 22, 116, 51, 143, 1, 2, 14, 0},  // frame 10
    {8, 1, 0, 20, 79, 52, 102, 1, 1, 7, 0},    // frame 13
    {9, 1, 0, 36, 135, 67, 162, 1, 1, 7, 0},   // frame 15
    {10, 2, 0, 10, 72, 44, 107, 1, 2, 14, 0},  // frame 17
    {11, 2, 0, 2, 140, 33, 166, 1, 2, 14, 0},  // frame 19
    {13, 1, 0, 38, 62, 70, 87, 1, 1, 7, 0},    // frame 22
    {14, 1, 0, 15, 50, 47, 85, 1, 1, 7, 0},    // frame 24
    {15, 2, 0, 38, 62, 70, 87, 1, 2, 14, 0},   // frame 22
    {16, 2, 0, 15, 50, 47, 85, 1, 2, 14, 0},   // frame 24
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem12(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
