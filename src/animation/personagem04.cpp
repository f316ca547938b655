// Character 4's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -21, 29, 16, 149},
    {2, -16, 30, 24, 149},
    {12, -27, 45, 20, 149},
    {21, -26, 10, 23, 112},
    {29, -30, 68, 40, 149},
    {31, -33, 30, 8, 149},
    {32, -18, 45, 29, 149},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 28, 42, 60, 77, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 49, 56, 81, 76, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 41, 54, 73, 79, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 58, 41, 87, 61, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 20, 64, 52, 99, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 44, 126, 75, 150, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 39, 67, 71, 87, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 56, 89, 88, 111, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 1, 39, 33, 74, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, -15, 44, 17, 79, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 18, 37, 50, 72, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 46, 42, 78, 63, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem04(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
