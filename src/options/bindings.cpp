#include "options/bindings.h"

#include <algorithm>

#include "media/input.h"

namespace options {

namespace {

constexpr uint32_t kStates[kControls] = {
    media::isUp,      media::isDown,    media::isLeft,    media::isRight,
    media::isButton1, media::isButton2, media::isButton3, media::isButton4,
};

constexpr std::array<int, kControls> kKeys1 = {
    SDL_SCANCODE_UP, SDL_SCANCODE_DOWN, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_Z,  SDL_SCANCODE_X,    SDL_SCANCODE_C,    SDL_SCANCODE_V,
};
constexpr std::array<int, kControls> kKeys2 = {
    SDL_SCANCODE_I, SDL_SCANCODE_K, SDL_SCANCODE_J, SDL_SCANCODE_L,
    SDL_SCANCODE_A, SDL_SCANCODE_S, SDL_SCANCODE_D, SDL_SCANCODE_F,
};
constexpr std::array<int, kControls> kPad = {
    SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,         SDL_CONTROLLER_BUTTON_Y,
};

// Esc, left Windows, minus, equals, comma, period, F1, P, 1, 2, 5, Enter and Space of the key
// table; F2 … F12, Backspace, Tab and Home of training; N and 6 … 9 of the replay viewer; the
// volume keys; End kept free beside them.
constexpr SDL_Scancode kReserved[] = {
    SDL_SCANCODE_ESCAPE,    SDL_SCANCODE_LGUI,     SDL_SCANCODE_MINUS,  SDL_SCANCODE_EQUALS,
    SDL_SCANCODE_COMMA,     SDL_SCANCODE_PERIOD,   SDL_SCANCODE_F1,     SDL_SCANCODE_P,
    SDL_SCANCODE_1,         SDL_SCANCODE_2,        SDL_SCANCODE_5,      SDL_SCANCODE_RETURN,
    SDL_SCANCODE_SPACE,     SDL_SCANCODE_F2,       SDL_SCANCODE_F3,     SDL_SCANCODE_F4,
    SDL_SCANCODE_F5,        SDL_SCANCODE_F6,       SDL_SCANCODE_F7,     SDL_SCANCODE_F8,
    SDL_SCANCODE_F9,        SDL_SCANCODE_F10,      SDL_SCANCODE_F11,    SDL_SCANCODE_F12,
    SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_TAB,      SDL_SCANCODE_HOME,   SDL_SCANCODE_END,
    SDL_SCANCODE_PAGEUP,    SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_INSERT, SDL_SCANCODE_DELETE,
    SDL_SCANCODE_N,         SDL_SCANCODE_6,        SDL_SCANCODE_7,      SDL_SCANCODE_8,
    SDL_SCANCODE_9,
};

constexpr int kButtonBits = 32;  // one bit per button in a held-buttons word

bool validControl(int fighter, int control) {
    return fighter >= 1 && fighter <= kFighters && control >= 0 && control < kControls;
}

}  // namespace

uint32_t stateOf(int control) {
    return control >= 0 && control < kControls ? kStates[control] : 0;
}

Bindings Bindings::defaults() {
    Bindings b;
    b.keys = {kKeys1, kKeys2};
    b.pad = {kPad, kPad};
    return b;
}

bool reservedKey(int scancode) {
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return true;
    return std::find(std::begin(kReserved), std::end(kReserved), scancode) != std::end(kReserved);
}

bool reservedButton(int button) {
    return button <= SDL_CONTROLLER_BUTTON_INVALID || button >= SDL_CONTROLLER_BUTTON_MAX ||
           button == SDL_CONTROLLER_BUTTON_BACK || button == SDL_CONTROLLER_BUTTON_GUIDE;
}

BindResult Bindings::bindKey(int fighter, int control, int scancode) {
    if (!validControl(fighter, control) || reservedKey(scancode)) return BindResult::Refused;
    int& mine = keys[slot(fighter)][slot0(control)];
    if (mine == scancode) return BindResult::Unchanged;
    for (auto& side : keys) {
        for (int& other : side) {
            if (other != scancode) continue;
            other = mine;
            mine = scancode;
            return BindResult::Swapped;
        }
    }
    mine = scancode;
    return BindResult::Taken;
}

BindResult Bindings::bindButton(int fighter, int control, int button) {
    if (!validControl(fighter, control) || reservedButton(button)) return BindResult::Refused;
    auto& side = pad[slot(fighter)];
    int& mine = side[slot0(control)];
    if (mine == button) return BindResult::Unchanged;
    for (int& other : side) {
        if (other != button) continue;
        other = mine;
        mine = button;
        return BindResult::Swapped;
    }
    mine = button;
    return BindResult::Taken;
}

uint32_t keyStates(const Bindings& b, int fighter, const uint8_t* held, int heldCount) {
    if (fighter < 1 || fighter > kFighters || held == nullptr) return 0;
    uint32_t states = 0;
    for (int c = 0; c < kControls; ++c) {
        const int k = b.key(fighter, c);
        if (k > 0 && k < heldCount && held[k] != 0) states |= kStates[c];
    }
    return states;
}

uint32_t buttonStates(const Bindings& b, int fighter, uint32_t heldButtons) {
    if (fighter < 1 || fighter > kFighters) return 0;
    uint32_t states = 0;
    for (int c = 0; c < kControls; ++c) {
        const int button = b.button(fighter, c);
        if (button >= 0 && button < kButtonBits && (heldButtons & (1u << button)) != 0)
            states |= kStates[c];
    }
    return states;
}

}  // namespace options
