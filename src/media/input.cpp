#include "media/input.h"

namespace media {

namespace {
constexpr uint32_t kStateBits = 0xFF;
}

void DXInput::Update() {
    keyboard_ = joystick_ = 0;
    if (src_.foreground()) {
        keyboard_ = src_.keyboardRaw() & kStateBits;
        joystick_ = src_.joystickRaw() & kStateBits;
    }
    if (filter_ != nullptr) {
        filter_->filter(keyboard_, joystick_);
        keyboard_ &= kStateBits;
        joystick_ &= kStateBits;
    }
    states_ = keyboard_ | joystick_;
}

}  // namespace media
