#include "net/keys.h"

#include "game/tform1.h"

namespace net {

KeyRole keyRole(int virtualKey) {
    namespace vk = pelea::vk;
    switch (virtualKey) {
        case vk::Digit5:
        case vk::Digit1:
        case vk::Digit2:
        case vk::F1:
        case vk::Minus:
        case vk::Equals:
        case vk::P:
            return KeyRole::Shared;
        case vk::Comma:
        case vk::Period:
            return KeyRole::Local;
        case vk::Escape:
        case vk::LeftWin:
            return KeyRole::Leave;
        default:
            return KeyRole::Ignored;
    }
}

void addJoinKeys(int64_t frame, const pelea::GameState& g, FrameInput& input) {
    namespace tela = pelea::tela;
    if (frame == 0) {
        input.addKey(pelea::vk::Digit5);
        return;
    }
    const bool screenTakesJoins = g.m.modoTela == tela::Selecao || g.m.modoTela == tela::Luta;
    if (screenTakesJoins && g.m.creditos > 0 && g.lutador[2].humano == 0) {
        input.addKey(pelea::vk::Digit2);
    }
}

}  // namespace net
