// The camera: following the fighters, shaking, and staying on the stage picture.
#include <algorithm>

#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kTelaXMax = 200;
constexpr int kTelaYMax = 20;

}  // namespace

// 3. The camera follows the fighters.
void TForm1::lutaCamera() {}

// 4. Screen shake.
void TForm1::lutaTremor() {}

// 5. The camera never leaves the stage picture.
void TForm1::lutaLimitesTela() {
    MatchState& m = g.m;
    m.telaX = std::clamp(m.telaX, 0, kTelaXMax);
    m.telaY = std::clamp(m.telaY, 0, kTelaYMax);
}

}  // namespace pelea
