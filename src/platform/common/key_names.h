// Names of the input states and keys that input scripts use, and their codes.
#pragma once

#include <cstdint>
#include <string_view>

#include "media/input.h"

namespace platform {

struct StateName {
    std::string_view name;
    uint32_t bit;
};

inline constexpr StateName kStateNames[] = {
    {"up", media::isUp},       {"down", media::isDown},  {"left", media::isLeft},
    {"right", media::isRight}, {"b1", media::isButton1}, {"b2", media::isButton2},
    {"b3", media::isButton3},  {"b4", media::isButton4},
};

struct KeyName {
    std::string_view name;
    int virtualKey;
};

// The keys the key handler knows, then the training keys, by the names scripts give them.
inline constexpr KeyName kKeyNames[] = {
    {"esc", 27},     {"lwin", 91}, {"minus", 189},   {"equals", 187}, {"comma", 188},
    {"period", 190}, {"p", 80},    {"f1", 112},      {"1", 49},       {"2", 50},
    {"5", 53},       {"f2", 113},  {"f3", 114},      {"f4", 115},     {"f5", 116},
    {"f6", 117},     {"f7", 118},  {"f8", 119},      {"f9", 120},     {"f10", 121},
    {"f11", 122},    {"f12", 123}, {"backspace", 8}, {"tab", 9},      {"home", 36},
};

inline constexpr int kMinVirtualKey = 1;
inline constexpr int kMaxVirtualKey = 255;

// The state bit of a state name, or 0 when the name is unknown.
uint32_t stateBit(std::string_view name);

// The virtual-key code of a key name or of a decimal code 1 … 255; −1 when neither. Names come
// first, so "1" is the digit key (49), not code 1.
int keyCode(std::string_view name);

}  // namespace platform
