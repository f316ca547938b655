// The dummy: fighter 2 of a training fight. It stands, crouches, jumps, guards or fights as the
// computer, as the player picks; or it plays back inputs recorded from its own device.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace training {

enum class DummyMode : uint8_t { Stand, Crouch, Jump, BlockAll, BlockAfterHit, Fight };

inline constexpr int kDummyModes = 6;

// The mode after this one, back to the first after the last.
DummyMode nextMode(DummyMode mode);

// The mode as the status line names it.
const char* modeName(DummyMode mode);

// The device states the dummy holds in a mode; guarding adds "back" on top (see guardStates).
uint32_t heldStates(DummyMode mode);

// The states with "back" held as well, for a fighter facing right (lado 1) or left (lado 2):
// back while a blow or a projectile is live is a block request.
uint32_t guardStates(uint32_t states, uint8_t lado);

// Left and right swapped.
uint32_t mirrored(uint32_t states);

// Up to 300 frames of the dummy's device states (8.4 seconds at the default 28 ms), kept as a
// fighter facing right would hold them, so that "forward" stays forward whichever way it faces
// when played back.
struct Recording {
    static constexpr int kFrames = 300;
    std::array<uint8_t, kFrames> states{};

    void put(int frame, uint32_t held, uint8_t lado);
    uint32_t get(int frame, uint8_t lado) const;
};

}  // namespace training
