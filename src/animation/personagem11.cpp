// Character 11's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -20, 35, 12, 155},
    {2, -11, 37, 24, 155},
    {12, -16, 53, 27, 155},
    {21, -18, 16, 24, 116},
    {29, -28, 80, -16, 154},
    {31, -23, 34, 12, 155},
    {32, -8, 53, 33, 155},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 23, 45, 55, 80, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 40, 47, 72, 80, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 45, 59, 77, 75, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 65, 41, 90, 58, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 30, 73, 62, 94, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 35, 132, 66, 156, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 38, 73, 70, 90, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 40, 98, 72, 117, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 5, 44, 37, 79, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, -12, 46, 20, 81, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 30, 50, 62, 72, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 40, 44, 72, 64, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem11(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
