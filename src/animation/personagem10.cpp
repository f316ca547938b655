// Character 10's section of the animation tables. The areas were measured on the figure its
// sheet shows: the body box of each drawing, and the reaching fist or foot of the drawing shown
// when a blow strikes.
#include "animation/personagens.h"

namespace pelea::animacao {
namespace {

// Frame, x1, y1, x2, y2.
constexpr std::array<ContactRow, 7> kContato{{
    {1, -19, 34, 13, 155},
    {2, -8, 36, 23, 155},
    {12, -13, 53, 28, 155},
    {21, -17, 17, 22, 118},
    {29, -24, 86, -13, 152},
    {31, -15, 35, 17, 155},
    {32, -7, 53, 32, 155},
}};

// The normal moves: light ones strike at ciclo 2 (class 1, damage 7), heavy ones at ciclo 5
// (class 2, damage 14).
constexpr std::array<AttackRow, 12> kAtaque{{
    {3, 2, 0, 26, 46, 58, 81, 1, 1, 7, 0},     // frame 5
    {4, 2, 0, 26, 52, 58, 87, 1, 1, 7, 0},     // frame 7
    {5, 5, 0, 30, 49, 62, 84, 1, 2, 14, 0},    // frame 9
    {6, 5, 0, 66, 41, 89, 58, 1, 2, 14, 0},    // frame 11
    {8, 2, 0, 23, 71, 55, 106, 1, 1, 7, 0},    // frame 14
    {9, 2, 0, 33, 134, 65, 156, 1, 1, 7, 0},   // frame 16
    {10, 5, 0, 34, 65, 66, 91, 1, 2, 14, 0},   // frame 18
    {11, 5, 0, 47, 97, 79, 114, 1, 2, 14, 0},  // frame 20
    {13, 2, 0, 4, 47, 36, 82, 1, 1, 7, 0},     // frame 22
    {14, 2, 0, 4, 48, 36, 83, 1, 1, 7, 0},     // frame 24
    {15, 5, 0, 44, 55, 77, 76, 1, 2, 14, 0},   // frame 23
    {16, 5, 0, 44, 48, 76, 66, 1, 2, 14, 0},   // frame 25
}};

// The victory pose and the special moves (states 23, 25 and up) have no script yet.
void estadosProprios(TForm1& /*g*/, int /*n*/) {}

}  // namespace

void personagem10(TForm1& g, int n) {
    estadosProprios(g, n);
    aplicaTabelas(g, n, kContato, kAtaque);
}

}  // namespace pelea::animacao
