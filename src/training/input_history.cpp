#include "training/input_history.h"

#include <algorithm>
#include <array>

#include "media/input.h"

namespace training {

namespace {

struct ButtonName {
    uint32_t bit;
    const char* name;
};
constexpr std::array<ButtonName, 4> kButtons{{
    {media::isButton1, "LP"},
    {media::isButton2, "LK"},
    {media::isButton3, "HP"},
    {media::isButton4, "HK"},
}};

constexpr int kUp = 0, kDown = 1, kRight = 2, kLeft = 3, kDownLeft = 4, kDownRight = 5;

}  // namespace

void InputHistory::add(uint32_t states) {
    const auto s = static_cast<uint8_t>(states);
    HeldInput& last = entries_[newest_];
    if (count_ > 0 && last.states == s) {
        if (last.frames < kMaxFrames) ++last.frames;
        return;
    }
    if (count_ > 0) newest_ = static_cast<uint8_t>((newest_ + 1) % kSize);
    if (count_ < kSize) ++count_;
    entries_[newest_] = {s, 1};
}

const HeldInput& InputHistory::at(int i) const {
    i = std::clamp(i, 0, kSize - 1);
    return entries_[static_cast<size_t>((newest_ + kSize - i) % kSize)];
}

std::string buttonNames(uint32_t states) {
    std::string out;
    for (const ButtonName& b : kButtons) {
        if ((states & b.bit) == 0) continue;
        if (!out.empty()) out += ' ';
        out += b.name;
    }
    return out;
}

Arrows arrowsFor(uint32_t states) {
    const bool up = (states & media::isUp) != 0, down = (states & media::isDown) != 0;
    const bool left = (states & media::isLeft) != 0, right = (states & media::isRight) != 0;
    Arrows a;
    auto put = [&a](int icon) { a.icons[a.count++] = icon; };
    // The icons have the two lower diagonals of their own; an upper one is shown as two arrows.
    if (down && left && !right) {
        put(kDownLeft);
    } else if (down && right && !left) {
        put(kDownRight);
    } else {
        if (up) put(kUp);
        if (down && !up) put(kDown);
        if (left && !right) put(kLeft);
        if (right && !left) put(kRight);
    }
    return a;
}

}  // namespace training
