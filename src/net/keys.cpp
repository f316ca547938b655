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

}  // namespace net
