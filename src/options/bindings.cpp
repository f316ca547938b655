#include "options/bindings.h"

#include <SDL_keyboard.h>

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
// volume keys; End kept free beside them. By what the key produces.
constexpr SDL_Keycode kReservedKeys[] = {
    SDLK_ESCAPE, SDLK_LGUI,     SDLK_MINUS,  SDLK_EQUALS,    SDLK_COMMA,  SDLK_PERIOD, SDLK_F1,
    SDLK_p,      SDLK_1,        SDLK_2,      SDLK_5,         SDLK_RETURN, SDLK_SPACE,  SDLK_F2,
    SDLK_F3,     SDLK_F4,       SDLK_F5,     SDLK_F6,        SDLK_F7,     SDLK_F8,     SDLK_F9,
    SDLK_F10,    SDLK_F11,      SDLK_F12,    SDLK_BACKSPACE, SDLK_TAB,    SDLK_HOME,   SDLK_END,
    SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_INSERT, SDLK_DELETE,    SDLK_n,      SDLK_6,      SDLK_7,
    SDLK_8,      SDLK_9,
};
// The keys the options read where they sit: Tab opens the controls screen, Enter and Esc work
// it, and the volume keys.
constexpr SDL_Scancode kReservedPlaces[] = {
    SDL_SCANCODE_TAB,      SDL_SCANCODE_RETURN, SDL_SCANCODE_ESCAPE, SDL_SCANCODE_PAGEUP,
    SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_INSERT, SDL_SCANCODE_DELETE,
};

KeyLayout gLayout = nullptr;

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

SDL_Keycode producedKey(int scancode) {
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return SDLK_UNKNOWN;
    const auto sc = static_cast<SDL_Scancode>(scancode);
    if (gLayout != nullptr) return gLayout(sc);
    const SDL_Keycode key = SDL_GetKeyFromScancode(sc);
    // Before SDL's video starts it knows no layout: a US keyboard's key, by the key's name.
    return key != SDLK_UNKNOWN ? key : SDL_GetKeyFromName(SDL_GetScancodeName(sc));
}

void setKeyLayout(KeyLayout layout) {
    gLayout = layout;
}

bool reservedKey(int scancode) {
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return true;
    if (std::find(std::begin(kReservedPlaces), std::end(kReservedPlaces), scancode) !=
        std::end(kReservedPlaces)) {
        return true;
    }
    const SDL_Keycode key = producedKey(scancode);
    return std::find(std::begin(kReservedKeys), std::end(kReservedKeys), key) !=
           std::end(kReservedKeys);
}

bool Bindings::holdsKey(int scancode) const {
    for (const auto& side : keys) {
        if (std::find(side.begin(), side.end(), scancode) != side.end()) return true;
    }
    return false;
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
