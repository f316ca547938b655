// Character 1's contact and attack tables: where its body can be hit on each drawing and where
// each of its blows lands. Areas are given facing right: x from the fighter's x, y from the frame
// top (y − altura), both growing right and down.
#pragma once

#include <array>

namespace pelea::areas_c01 {

struct ContactRow {
    int frame;
    int x1, y1, x2, y2;
};

// A blow's area is set when the fighter is in `state` at `ciclo`; tOnly limits a row to one blow
// class (0: any). A class of 0 keeps the class the action set.
struct AttackRow {
    int state, ciclo, tOnly;
    int x1, y1, x2, y2;
    int live, klass, damage, blockDamage;
};

inline constexpr std::array<ContactRow, 12> kContact{{
    {1, -20, 40, 12, 170},
    {2, -20, 40, 12, 170},
    {12, -20, 72, 12, 170},
    {21, -25, 40, 17, 120},
    {29, -25, 100, 17, 150},
    {31, -20, 40, 12, 170},
    {32, -20, 72, 12, 170},
    {35, -20, 40, 12, 170},
    {37, -10, 80, 45, 170},
    {39, -30, 70, 40, 170},
    {41, 0, 30, 35, 150},
    {44, -15, 40, 22, 170},
}};

// The rising spin (state 27) strikes at four moments with falling damage; each is one row here.
inline constexpr std::array<AttackRow, 21> kAttack{{
    {3, 2, 0, 15, 55, 50, 65, 1, 1, 7, 0},     {4, 2, 0, 25, 57, 80, 88, 1, 1, 7, 0},
    {5, 5, 0, 25, 52, 70, 63, 1, 2, 14, 0},    {6, 5, 0, 25, 52, 90, 72, 1, 2, 14, 0},
    {8, 2, 0, 15, 87, 50, 98, 1, 1, 7, 0},     {9, 2, 0, 20, 145, 60, 165, 1, 1, 7, 0},
    {10, 5, 0, 15, 87, 60, 98, 1, 2, 14, 0},   {11, 5, 0, 25, 90, 100, 113, 1, 2, 14, 0},
    {13, 2, 0, 15, 80, 48, 110, 1, 1, 7, 0},   {14, 2, 0, 30, 60, 90, 87, 1, 1, 7, 0},
    {15, 5, 0, 15, 80, 48, 110, 1, 2, 14, 0},  {16, 5, 0, 30, 60, 90, 87, 1, 2, 14, 0},
    {26, 6, 1, 40, 67, 110, 80, 1, 0, 16, 2},  {26, 10, 2, 40, 67, 110, 80, 1, 0, 20, 3},
    {27, 0, 0, -12, 5, 52, 125, 1, 0, 10, 2},  {27, 2, 0, -12, 5, 52, 125, 1, 0, 6, 2},
    {27, 4, 0, -12, 5, 52, 125, 1, 0, 4, 2},   {27, 7, 0, -12, 5, 52, 125, 1, 0, 2, 2},
    {28, 6, 0, -30, 10, 35, 70, 1, 0, 10, 3},  {28, 9, 0, -30, 10, 35, 70, 1, 0, 7, 2},
    {28, 12, 0, -10, 50, 45, 100, 1, 0, 5, 1},
}};

}  // namespace pelea::areas_c01
