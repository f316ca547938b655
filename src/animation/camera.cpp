// The camera: following the fighters, shaking, and staying on the stage picture.
#include <algorithm>

#include "game/tform1.h"

namespace pelea {

namespace {

constexpr int kTelaXMax = 200;
constexpr int kTelaYMax = 20;
constexpr int kMeiaTela = 200;      // half the surface width: the midpoint sits at its centre
constexpr double kAlturaDiv = 8.0;  // the camera rises one pixel per 4 pixels of average height
constexpr int kTelaYBase = 55;
constexpr int kTremorAmplitude = 20;  // a shake moves the view by −10 … 9 on each axis

}  // namespace

// 3. The camera follows the fighters; after a round has ended it stays where it is.
void TForm1::lutaCamera() {
    MatchState& m = g.m;
    if (m.finRound != 0) return;
    m.telaX = Round((L(1).x + L(2).x) / 2.0) - kMeiaTela;
    m.telaY = Round((L(1).y + L(2).y) / kAlturaDiv) - kTelaYBase;
}

// 4. Screen shake, one step per frame while it lasts.
void TForm1::lutaTremor() {
    MatchState& m = g.m;
    if (m.tremorTempo == 0) return;
    --m.tremorTempo;
    m.telaX += Random(kTremorAmplitude) - kTremorAmplitude / 2;
    m.telaY += Random(kTremorAmplitude) - kTremorAmplitude / 2;
}

// 5. The camera never leaves the stage picture.
void TForm1::lutaLimitesTela() {
    MatchState& m = g.m;
    m.telaX = std::clamp(m.telaX, 0, kTelaXMax);
    m.telaY = std::clamp(m.telaY, 0, kTelaYMax);
}

}  // namespace pelea
