// Character 6's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -29, 36, 19, 190},
    {2, -16, 40, 33, 190},
    {12, -16, 60, 47, 190},
    {21, -32, 14, 20, 140},
    {29, -39, 81, 5, 190},
    {31, -27, 37, 27, 190},
    {32, -16, 60, 42, 190},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14); the heavy punch strikes twice, at ciclo 4 and 6.
constexpr std::array<AttackRow, 13> kAtaque{{
    {3, 2, 0, 37, 53, 69, 88, 1, 1, 7, 0},       // frame 5
    {4, 2, 0, 76, 60, 108, 80, 1, 1, 7, 0},      // frame 7
    {5, 4, 0, 28, 56, 62, 91, 1, 2, 4, 0},       // frame 8
    {5, 6, 0, 38, 58, 70, 93, 1, 2, 10, 0},      // frame 9
    {6, 5, 0, 80, 38, 107, 57, 1, 2, 14, 0},     // frame 11
    {8, 2, 0, 51, 84, 83, 117, 1, 1, 7, 0},      // frame 14
    {9, 2, 0, 62, 165, 94, 191, 1, 1, 7, 0},     // frame 16
    {10, 5, 0, 43, 78, 75, 113, 1, 2, 14, 0},    // frame 18
    {11, 5, 0, 78, 109, 110, 133, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 14, 54, 46, 89, 1, 1, 7, 0},      // frame 22
    {14, 2, 0, 19, 54, 51, 89, 1, 1, 7, 0},      // frame 24
    {15, 5, 0, 52, 58, 84, 84, 1, 2, 14, 0},     // frame 23
    {16, 5, 0, 77, 44, 109, 69, 1, 2, 14, 0},    // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem06(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
