// The last inputs of one side: each distinct set of device states in a row, with how many frames
// it was held.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace training {

struct HeldInput {
    uint8_t states = 0;   // up, down, left, right, buttons 1 … 4 (the device set's bits)
    uint16_t frames = 0;  // frames it was held, stopping at kMaxFrames
};

class InputHistory {
public:
    static constexpr int kSize = 20;
    static constexpr uint16_t kMaxFrames = 999;

    // One frame's states: the newest entry holds one frame longer, or a new entry begins.
    void add(uint32_t states);
    int count() const { return count_; }
    // Entry i, 0 the newest.
    const HeldInput& at(int i) const;

private:
    std::array<HeldInput, kSize> entries_{};
    uint8_t newest_ = 0;
    uint8_t count_ = 0;
};

// The buttons held in a set, by their names ("LP LK HP HK"), empty when none.
std::string buttonNames(uint32_t states);

// The arrow icons (the game's icon items: 0 up, 1 down, 2 right, 3 left, 4 down-left,
// 5 down-right) that show the direction held, at most two; the count is 0 for no direction.
struct Arrows {
    int icons[2] = {0, 0};
    int count = 0;
};
Arrows arrowsFor(uint32_t states);

}  // namespace training
