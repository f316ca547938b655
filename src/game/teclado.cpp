// The key handler: single key presses that arrive between frames.
#include "game/tform1.h"

namespace pelea {

namespace {

constexpr unsigned kVelMax = 80;
constexpr unsigned kVelStep = 2;
constexpr uint8_t kGaugeFrames = 30;
constexpr int kDrawOffsetLimit = 40;
constexpr uint8_t kCreditsMax = 99;
constexpr uint8_t kChallengerFrames = 100;
constexpr int kSndCoin = 0;

}  // namespace

void TForm1::FormKeyDown(int virtualKey) {
    MatchState& m = g.m;
    switch (virtualKey) {
        case vk::Escape:
        case vk::LeftWin:
            terminated_ = true;
            break;
        case vk::Minus:  // slower
            if (m.vel < kVelMax) m.vel = static_cast<uint16_t>(m.vel + kVelStep);
            m.velocidadTempo = kGaugeFrames;
            break;
        case vk::Equals:  // faster
            if (m.vel >= kVelStep) m.vel = static_cast<uint16_t>(m.vel - kVelStep);
            m.velocidadTempo = kGaugeFrames;
            break;
        case vk::Comma:
            if (DXDraw1.Left > -kDrawOffsetLimit) --DXDraw1.Left;
            break;
        case vk::Period:
            if (DXDraw1.Left < kDrawOffsetLimit) ++DXDraw1.Left;
            break;
        case vk::P:
            DXTimer1.Enabled = !DXTimer1.Enabled;
            break;
        case vk::F1:
            if (m.modoTela == tela::Luta) {
                m.modoTela = tela::Config;
                m.itemMenu = 1;
            } else if (m.modoTela == tela::Config) {
                m.modoTela = tela::Luta;
            }
            break;
        case vk::Digit1:
        case vk::Digit2: {
            const int n = virtualKey == vk::Digit1 ? 1 : 2;
            const bool screenTakesJoins = m.modoTela == tela::Selecao || m.modoTela == tela::Luta;
            if (!screenTakesJoins || m.creditos == 0 || m.lutaParada != 0 || L(n).humano != 0) {
                break;
            }
            L(n).humano = 1;
            L(n).escolhido = 0;
            L(n).pontos = 0;
            --m.creditos;
            if (m.modoTela == tela::Luta) m.esperaTempo = kChallengerFrames;
            break;
        }
        case vk::Digit5:
            if (m.creditos < kCreditsMax) {
                ++m.creditos;
                DXWaveListSnd.Play(kSndCoin);
            }
            break;
        default:
            break;
    }
}

}  // namespace pelea
