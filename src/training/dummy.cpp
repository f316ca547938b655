#include "training/dummy.h"

#include "media/input.h"

namespace training {

namespace {

constexpr uint8_t kFacingLeft = 2;

}  // namespace

DummyMode nextMode(DummyMode mode) {
    return static_cast<DummyMode>((static_cast<int>(mode) + 1) % kDummyModes);
}

const char* modeName(DummyMode mode) {
    switch (mode) {
        case DummyMode::Stand:
            return "DE PIE";
        case DummyMode::Crouch:
            return "AGACHADO";
        case DummyMode::Jump:
            return "SALTA";
        case DummyMode::BlockAll:
            return "BLOQUEA TODO";
        case DummyMode::BlockAfterHit:
            return "BLOQUEA TRAS EL GOLPE";
        case DummyMode::Fight:
            return "PELEA";
    }
    return "";
}

uint32_t heldStates(DummyMode mode) {
    if (mode == DummyMode::Crouch) return media::isDown;
    if (mode == DummyMode::Jump) return media::isUp;
    return 0;
}

uint32_t guardStates(uint32_t states, uint8_t lado) {
    return states | (lado == kFacingLeft ? media::isRight : media::isLeft);
}

uint32_t mirrored(uint32_t states) {
    const uint32_t sides = media::isLeft | media::isRight;
    uint32_t out = states & ~sides;
    if ((states & media::isLeft) != 0) out |= media::isRight;
    if ((states & media::isRight) != 0) out |= media::isLeft;
    return out;
}

// A frame outside the take is never written, and reads as nothing held.
void Recording::put(int frame, uint32_t held, uint8_t lado) {
    if (frame < 0 || frame >= kFrames) return;
    const uint32_t facingRight = lado == kFacingLeft ? mirrored(held) : held;
    states[static_cast<std::size_t>(frame)] = static_cast<uint8_t>(facingRight);
}

uint32_t Recording::get(int frame, uint8_t lado) const {
    if (frame < 0 || frame >= kFrames) return 0;
    const uint32_t facingRight = states[static_cast<std::size_t>(frame)];
    return lado == kFacingLeft ? mirrored(facingRight) : facingRight;
}

}  // namespace training
