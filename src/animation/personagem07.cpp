// Character 7's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -19, 22, 14, 160},
    {2, -11, 24, 19, 160},
    {12, -13, 43, 33, 160},
    {21, -15, 4, 28, 118},
    {29, -37, 79, -24, 158},
    {31, -4, 21, 34, 160},
    {32, 1, 43, 45, 160},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 33, 41, 65, 76, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 42, 44, 74, 75, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 42, 51, 74, 73, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 64, 33, 87, 49, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 29, 69, 61, 104, 1, 1, 7, 0},    // frame 14
    {9, 2, 0, 43, 138, 75, 161, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 44, 75, 76, 90, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 51, 96, 83, 114, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 21, 50, 53, 85, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, 21, 42, 53, 77, 1, 1, 7, 0},    // frame 24
    {15, 5, 0, 39, 46, 71, 81, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 53, 41, 85, 59, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem07(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
