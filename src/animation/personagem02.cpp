// Character 2's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -31, 31, 11, 160},
    {2, -18, 33, 27, 160},
    {12, -29, 51, 33, 160},
    {21, -35, 11, 18, 117},
    {29, -30, 73, 34, 160},
    {31, -29, 31, 17, 160},
    {32, -19, 51, 35, 160},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14); the jumping heavy punch carries class 1 with its heavy damage.
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 37, 48, 69, 68, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 45, 40, 77, 75, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 16, 44, 48, 79, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 69, 29, 96, 49, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 39, 73, 71, 92, 1, 1, 7, 0},     // frame 14
    {9, 2, 0, 47, 136, 79, 161, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 11, 62, 43, 97, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 58, 92, 90, 113, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 17, 41, 49, 76, 1, 1, 7, 0},    // frame 22
    {14, 2, 0, -13, 41, 19, 76, 1, 1, 7, 0},   // frame 24
    {15, 5, 0, 53, 47, 85, 72, 1, 1, 14, 0},   // frame 23
    {16, 5, 0, 26, 40, 57, 61, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem02(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
