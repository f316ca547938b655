// Character 3's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -14, 34, 17, 145},
    {2, -11, 35, 22, 145},
    {12, -16, 51, 23, 145},
    {21, -14, 19, 23, 110},
    {29, -20, 57, -7, 145},
    {31, -20, 34, 15, 145},
    {32, -14, 51, 24, 145},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 27, 42, 59, 77, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 35, 48, 67, 75, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 25, 45, 57, 80, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 54, 36, 76, 52, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 21, 65, 53, 100, 1, 1, 7, 0},    // frame 14
    {9, 2, 0, 27, 124, 59, 146, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 18, 61, 50, 94, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 36, 91, 68, 107, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, -2, 42, 30, 77, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, 15, 43, 47, 78, 1, 1, 7, 0},    // frame 24
    {15, 5, 0, 22, 47, 54, 80, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 42, 43, 74, 60, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem03(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
