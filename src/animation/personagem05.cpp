// Character 5's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -9, 42, 16, 144},
    {2, -4, 43, 23, 144},
    {12, -11, 56, 22, 144},
    {21, -13, 25, 19, 112},
    {29, -19, 81, -7, 140},
    {31, -17, 41, 12, 144},
    {32, -6, 56, 25, 144},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 30, 54, 62, 81, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 43, 61, 75, 83, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 34, 59, 66, 84, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 42, 53, 66, 71, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 27, 84, 59, 99, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 36, 123, 68, 145, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 29, 80, 61, 95, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 45, 96, 77, 112, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 17, 63, 49, 98, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, 3, 53, 35, 88, 1, 1, 7, 0},     // frame 24
    {15, 5, 0, 34, 60, 67, 81, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 34, 53, 65, 70, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem05(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
