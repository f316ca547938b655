#include "options/soft_shake.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace options {

void movePicture(media::Surface& surface, int dx, int dy) {
    constexpr int kW = media::Surface::kWidth, kH = media::Surface::kHeight;
    if (dx == 0 && dy == 0) return;
    uint16_t* p = surface.pixels();
    const std::vector<uint16_t> was(p, p + static_cast<size_t>(kW) * kH);
    const uint16_t black = media::to565(media::kBlack);
    for (int y = 0; y < kH; ++y) {
        const int from = y - dy;
        uint16_t* row = p + static_cast<size_t>(y) * kW;
        if (from < 0 || from >= kH) {
            std::fill(row, row + kW, black);
            continue;
        }
        const uint16_t* src = was.data() + static_cast<size_t>(from) * kW;
        for (int x = 0; x < kW; ++x) {
            const int sx = x - dx;
            row[x] = sx < 0 || sx >= kW ? black : src[sx];
        }
    }
}

void SoftShake::draw(pelea::TForm1& form) {
    pelea::MatchState& m = form.g.m;
    media::Surface& surface = form.DXDraw1.Surface;
    movedX_ = movedY_ = 0;
    const bool fight = m.modoTela == pelea::tela::Luta;
    // A shake ran this frame if one was running before it or one still is (it may have been
    // given between frames).
    const bool shook = fight && calmKnown_ && (shaking_ || m.tremorTempo > 0);
    if (shook && surface.softFlashes && !surface.blind) {
        const int sx = m.telaX - calmX_, sy = m.telaY - calmY_;
        if (std::abs(sx) <= kLargestShake && std::abs(sy) <= kLargestShake) {
            // The view moved right by sx, so the picture went left by sx: half of that back.
            movedX_ = sx / 2;
            movedY_ = sy / 2;
            movePicture(surface, movedX_, movedY_);
        }
    }
    // The next frame's calm view: the camera's own two steps on the state as it stands, the
    // view then put back as the game left it.
    shaking_ = fight && m.tremorTempo > 0;
    calmKnown_ = fight;
    if (!fight) return;
    const int x = m.telaX, y = m.telaY;
    form.lutaCamera();
    form.lutaLimitesTela();
    calmX_ = m.telaX;
    calmY_ = m.telaY;
    m.telaX = x;
    m.telaY = y;
}

}  // namespace options
