#include "platform/sdl/sdl_input.h"

#include <iterator>

#include "media/input.h"

namespace platform {

namespace {

// The original stick ran from −1000 to 1000 with a dead zone of 50: 5% of SDL's range.
constexpr int kDeadZone = 32767 / 20;

struct KeyMap {
    SDL_Keycode key;
    int virtualKey;
};

// The key handler's keys, then the training keys (F2 … F12, Backspace, Tab, Home).
constexpr KeyMap kKeyMap[] = {
    {SDLK_ESCAPE, 27},   {SDLK_LGUI, 91},    {SDLK_MINUS, 189}, {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},   {SDLK_PERIOD, 190}, {SDLK_F1, 112},    {SDLK_RETURN, 13},
    {SDLK_SPACE, 32},    {SDLK_LEFT, 37},    {SDLK_UP, 38},     {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},     {SDLK_F2, 113},     {SDLK_F3, 114},    {SDLK_F4, 115},
    {SDLK_F5, 116},      {SDLK_F6, 117},     {SDLK_F7, 118},    {SDLK_F8, 119},
    {SDLK_F9, 120},      {SDLK_F10, 121},    {SDLK_F11, 122},   {SDLK_F12, 123},
    {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},      {SDLK_HOME, 36},
};

constexpr int kVirtualKeyA = 'A';
constexpr int kVirtualKey0 = '0';
constexpr int kLetters = 26, kDigits = 10;

struct StateKey {
    SDL_Scancode key;
    uint32_t state;
};

constexpr StateKey kStateKeys[] = {
    {SDL_SCANCODE_UP, media::isUp},     {SDL_SCANCODE_DOWN, media::isDown},
    {SDL_SCANCODE_LEFT, media::isLeft}, {SDL_SCANCODE_RIGHT, media::isRight},
    {SDL_SCANCODE_Z, media::isButton1}, {SDL_SCANCODE_X, media::isButton2},
    {SDL_SCANCODE_C, media::isButton3}, {SDL_SCANCODE_V, media::isButton4},
};

struct ControllerButton {
    SDL_GameControllerButton button;
    uint32_t state;
};

constexpr ControllerButton kControllerButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, media::isButton1},
    {SDL_CONTROLLER_BUTTON_B, media::isButton2},
    {SDL_CONTROLLER_BUTTON_X, media::isButton3},
    {SDL_CONTROLLER_BUTTON_Y, media::isButton4},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, media::isUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, media::isDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, media::isLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, media::isRight},
};

constexpr uint32_t kJoystickButtons[] = {media::isButton1, media::isButton2, media::isButton3,
                                         media::isButton4};

struct HatDirection {
    Uint8 hat;
    uint32_t state;
};

constexpr HatDirection kHatDirections[] = {
    {SDL_HAT_UP, media::isUp},
    {SDL_HAT_DOWN, media::isDown},
    {SDL_HAT_LEFT, media::isLeft},
    {SDL_HAT_RIGHT, media::isRight},
};

}  // namespace

int virtualKeyOf(SDL_Keycode key) {
    for (const KeyMap& k : kKeyMap) {
        if (k.key == key) return k.virtualKey;
    }
    if (key >= SDLK_a && key <= SDLK_z) return kVirtualKeyA + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return kVirtualKey0 + (key - SDLK_0);
    return 0;
}

SDL_Keycode keycodeOf(int virtualKey) {
    for (const KeyMap& k : kKeyMap) {
        if (k.virtualKey == virtualKey) return k.key;
    }
    if (virtualKey >= kVirtualKeyA && virtualKey < kVirtualKeyA + kLetters) {
        return SDLK_a + (virtualKey - kVirtualKeyA);
    }
    if (virtualKey >= kVirtualKey0 && virtualKey < kVirtualKey0 + kDigits) {
        return SDLK_0 + (virtualKey - kVirtualKey0);
    }
    return SDLK_UNKNOWN;
}

uint32_t keyboardStates(const Uint8* keys) {
    uint32_t states = 0;
    for (const StateKey& k : kStateKeys) {
        if (keys[k.key] != 0) states |= k.state;
    }
    return states;
}

uint32_t axisStates(int x, int y) {
    uint32_t states = 0;
    if (x < -kDeadZone) states |= media::isLeft;
    if (x > kDeadZone) states |= media::isRight;
    if (y < -kDeadZone) states |= media::isUp;
    if (y > kDeadZone) states |= media::isDown;
    return states;
}

SdlJoystick::~SdlJoystick() {
    close();
}

void SdlJoystick::close() {
    if (controller_ != nullptr) {
        SDL_GameControllerClose(controller_);
    } else if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
    }
    controller_ = nullptr;
    joystick_ = nullptr;
}

void SdlJoystick::refresh() {
    if (joystick_ != nullptr && !SDL_JoystickGetAttached(joystick_)) close();
    for (int i = 0; joystick_ == nullptr && i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i)) {
            controller_ = SDL_GameControllerOpen(i);
            if (controller_ != nullptr) joystick_ = SDL_GameControllerGetJoystick(controller_);
        } else {
            joystick_ = SDL_JoystickOpen(i);
        }
    }
}

void SdlJoystick::handle(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED:
            refresh();
            break;
        default:
            break;
    }
}

uint32_t SdlJoystick::states() const {
    if (controller_ != nullptr) return controllerStates();
    if (joystick_ != nullptr) return joystickStates();
    return 0;
}

uint32_t SdlJoystick::controllerStates() const {
    uint32_t states = axisStates(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX),
                                 SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY));
    for (const ControllerButton& b : kControllerButtons) {
        if (SDL_GameControllerGetButton(controller_, b.button) != 0) states |= b.state;
    }
    return states;
}

uint32_t SdlJoystick::joystickStates() const {
    uint32_t states = 0;
    if (SDL_JoystickNumAxes(joystick_) >= 2) {
        states |= axisStates(SDL_JoystickGetAxis(joystick_, 0), SDL_JoystickGetAxis(joystick_, 1));
    }
    const int buttons = SDL_JoystickNumButtons(joystick_);
    for (int i = 0; i < buttons && i < static_cast<int>(std::size(kJoystickButtons)); ++i) {
        if (SDL_JoystickGetButton(joystick_, i) != 0) states |= kJoystickButtons[i];
    }
    if (SDL_JoystickNumHats(joystick_) > 0) {
        const Uint8 hat = SDL_JoystickGetHat(joystick_, 0);
        for (const HatDirection& h : kHatDirections) {
            if ((hat & h.hat) != 0) states |= h.state;
        }
    }
    return states;
}

}  // namespace platform
