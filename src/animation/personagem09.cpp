// Character 9's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -16, 45, 13, 150},
    {2, -9, 47, 20, 150},
    {12, -19, 60, 17, 150},
    {21, -14, 28, 20, 117},
    {29, -22, 87, -11, 148},
    {31, -15, 45, 15, 150},
    {32, -19, 60, 15, 150},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 21, 55, 53, 90, 1, 1, 7, 0},    // frame 5
    {4, 2, 0, 32, 58, 64, 88, 1, 1, 7, 0},    // frame 7
    {5, 5, 0, 28, 56, 60, 91, 1, 2, 14, 0},   // frame 9
    {6, 5, 0, 51, 53, 80, 74, 1, 2, 14, 0},   // frame 11
    {8, 2, 0, 14, 75, 46, 110, 1, 1, 7, 0},   // frame 14
    {9, 2, 0, 22, 129, 53, 151, 1, 1, 7, 0},  // frame 16
    {10, 5, 0, 17, 58, 49, 89, 1, 2, 14, 0},  // frame 18
    {11, 5, 0, 40, 79, 72, 96, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 30, 65, 62, 100, 1, 1, 7, 0},  // frame 22
    {14, 2, 0, -3, 57, 29, 92, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 36, 44, 68, 65, 1, 2, 14, 0},  // frame 23
    {16, 5, 0, 41, 56, 72, 72, 1, 2, 14, 0},  // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem09(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
