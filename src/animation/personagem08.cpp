// Character 8's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -21, 35, 9, 160},
    {2, -10, 36, 24, 160},
    {12, -7, 53, 32, 160},
    {21, -25, 16, 15, 121},
    {29, -27, 84, -16, 153},
    {31, -15, 33, 20, 160},
    {32, 7, 53, 47, 160},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 34, 45, 66, 73, 1, 1, 7, 0},      // frame 5
    {4, 2, 0, 18, 51, 50, 86, 1, 1, 7, 0},      // frame 7
    {5, 5, 0, 42, 60, 74, 76, 1, 2, 14, 0},     // frame 9
    {6, 5, 0, 30, 45, 62, 69, 1, 2, 14, 0},     // frame 11
    {8, 2, 0, 38, 70, 70, 101, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 38, 133, 70, 160, 1, 1, 7, 0},    // frame 16
    {10, 5, 0, 45, 65, 77, 91, 1, 2, 14, 0},    // frame 18
    {11, 5, 0, 47, 102, 79, 120, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 31, 58, 63, 82, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, 23, 46, 55, 81, 1, 1, 7, 0},     // frame 24
    {15, 5, 0, 46, 53, 78, 74, 1, 2, 14, 0},    // frame 23
    {16, 5, 0, 36, 48, 68, 67, 1, 2, 14, 0},    // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem08(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
