#include "platform/sdl/sdl_input.h"

#include <algorithm>
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

constexpr int kGuidText = 33;  // 32 hexadecimal digits and the terminator

constexpr uint32_t kStates[] = {
    media::isUp,      media::isDown,    media::isLeft,    media::isRight,
    media::isButton1, media::isButton2, media::isButton3, media::isButton4,
};
constexpr SDL_Scancode kKeys1[] = {
    SDL_SCANCODE_UP, SDL_SCANCODE_DOWN, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_Z,  SDL_SCANCODE_X,    SDL_SCANCODE_C,    SDL_SCANCODE_V,
};
constexpr SDL_GameControllerButton kButtons[] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,         SDL_CONTROLLER_BUTTON_Y,
};

class DefaultControls : public ControlMap {
public:
    uint32_t keyStates(int fighter, const Uint8* held) const override {
        uint32_t states = 0;
        for (size_t i = 0; fighter == 1 && i < std::size(kKeys1); ++i) {
            if (held[kKeys1[i]] != 0) states |= kStates[i];
        }
        return states;
    }
    uint32_t buttonStates(int, uint32_t held) const override {
        uint32_t states = 0;
        for (size_t i = 0; i < std::size(kButtons); ++i) {
            if ((held & (1u << kButtons[i])) != 0) states |= kStates[i];
        }
        return states;
    }
    bool isControlKey(SDL_Scancode key) const override {
        return std::find(std::begin(kKeys1), std::end(kKeys1), key) != std::end(kKeys1);
    }
};

std::string deviceGuid(int deviceIndex) {
    char text[kGuidText] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), text, sizeof text);
    return text;
}

}  // namespace

const ControlMap& defaultControls() {
    static const DefaultControls controls;
    return controls;
}

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
    return defaultControls().keyStates(1, keys);
}

uint32_t axisStates(int x, int y) {
    uint32_t states = 0;
    if (x < -kDeadZone) states |= media::isLeft;
    if (x > kDeadZone) states |= media::isRight;
    if (y < -kDeadZone) states |= media::isUp;
    if (y > kDeadZone) states |= media::isDown;
    return states;
}

SdlPads::~SdlPads() {
    close();
}

// The pad keeps its place (its GUID and fighter) for when it comes back.
void SdlPads::closePad(Pad& p) {
    if (p.controller != nullptr) {
        SDL_GameControllerClose(p.controller);
    } else if (p.joystick != nullptr) {
        SDL_JoystickClose(p.joystick);
    }
    p.controller = nullptr;
    p.joystick = nullptr;
    p.id = -1;
}

void SdlPads::close() {
    for (Pad& p : pads_)
        closePad(p);
}

void SdlPads::refresh() {
    for (Pad& p : pads_) {
        if (p.joystick != nullptr && !SDL_JoystickGetAttached(p.joystick)) closePad(p);
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (fighterOf(SDL_JoystickGetDeviceInstanceID(i)) == 0) open(i);
    }
}

void SdlPads::open(int deviceIndex) {
    Pad p;
    p.guid = deviceGuid(deviceIndex);
    if (SDL_IsGameController(deviceIndex)) {
        p.controller = SDL_GameControllerOpen(deviceIndex);
        if (p.controller != nullptr) p.joystick = SDL_GameControllerGetJoystick(p.controller);
    } else {
        p.joystick = SDL_JoystickOpen(deviceIndex);
    }
    if (p.joystick == nullptr) return;
    p.id = SDL_JoystickInstanceID(p.joystick);
    // Back to the place of a pad with the same GUID that was unplugged: of two pads of one model,
    // the first to come back takes the first place.
    for (Pad& old : pads_) {
        if (old.joystick == nullptr && old.guid == p.guid) {
            p.fighter = old.fighter;
            old = p;
            return;
        }
    }
    pads_.push_back(p);
    pads_.back().fighter = fighterFor(p.guid, copyNumber(pads_.size() - 1));
}

void SdlPads::setAssignment(const std::array<PadChoice, 2>& choices) {
    choices_ = choices;
    // The pads known are placed again, in the order they came.
    std::vector<Pad> placed;
    placed.swap(pads_);
    for (Pad& p : placed) {
        pads_.push_back(p);
        pads_.back().fighter = fighterFor(p.guid, copyNumber(pads_.size() - 1));
    }
}

int SdlPads::copyNumber(size_t place) const {
    int copy = 1;
    for (size_t i = 0; i < place; ++i)
        copy += pads_[i].guid == pads_[place].guid ? 1 : 0;
    return copy;
}

// The pad being placed is the last one known: only those before it count.
int SdlPads::fighterFor(const std::string& guid, int copy) const {
    for (int f = 1; f <= 2; ++f) {
        const PadChoice& c = choices_[static_cast<size_t>(f - 1)];
        if (!guid.empty() && c.guid == guid && (c.slot == 0 || c.slot == copy)) return f;
    }
    int count[3] = {0, 0, 0};
    for (size_t i = 0; i + 1 < pads_.size(); ++i)
        ++count[pads_[i].fighter];
    return count[1] < count[2] ? 1 : 2;
}

void SdlPads::handle(const SDL_Event& e) {
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

int SdlPads::fighterOf(SDL_JoystickID id) const {
    for (const Pad& p : pads_) {
        if (p.joystick != nullptr && p.id == id) return p.fighter;
    }
    return 0;
}

int SdlPads::connected() const {
    int n = 0;
    for (const Pad& p : pads_)
        n += p.joystick != nullptr ? 1 : 0;
    return n;
}

int SdlPads::connected(int fighter) const {
    int n = 0;
    for (const Pad& p : pads_)
        n += p.joystick != nullptr && p.fighter == fighter ? 1 : 0;
    return n;
}

PadChoice SdlPads::choiceOf(int fighter) const {
    for (size_t i = 0; i < pads_.size(); ++i) {
        const Pad& p = pads_[i];
        if (p.joystick == nullptr || p.fighter != fighter) continue;
        const bool shared = std::count_if(pads_.begin(), pads_.end(),
                                          [&](const Pad& o) { return o.guid == p.guid; }) > 1;
        return PadChoice{p.guid, shared ? copyNumber(i) : 0};
    }
    return {};
}

uint32_t SdlPads::states(int fighter) const {
    uint32_t states = 0;
    for (const Pad& p : pads_) {
        if (p.joystick != nullptr && p.fighter == fighter) states |= padStates(p);
    }
    return states;
}

// The stick (a controller's left stick, a joystick's first two axes) and a joystick's first hat
// always steer; the buttons go through the fighter's pad controls.
uint32_t SdlPads::padStates(const Pad& p) const {
    uint32_t held = 0;
    uint32_t states = 0;
    if (p.controller != nullptr) {
        states = axisStates(SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_LEFTX),
                            SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_LEFTY));
        for (int i = 0; i < SDL_CONTROLLER_BUTTON_MAX; ++i) {
            const auto button = static_cast<SDL_GameControllerButton>(i);
            if (SDL_GameControllerGetButton(p.controller, button) != 0) held |= 1u << i;
        }
        return states | controls_->buttonStates(p.fighter, held);
    }
    if (SDL_JoystickNumAxes(p.joystick) >= 2) {
        states |=
            axisStates(SDL_JoystickGetAxis(p.joystick, 0), SDL_JoystickGetAxis(p.joystick, 1));
    }
    const int buttons =
        std::min(SDL_JoystickNumButtons(p.joystick), int{SDL_CONTROLLER_BUTTON_MAX});
    for (int i = 0; i < buttons; ++i) {
        if (SDL_JoystickGetButton(p.joystick, i) != 0) held |= 1u << i;
    }
    if (SDL_JoystickNumHats(p.joystick) > 0) {
        const Uint8 hat = SDL_JoystickGetHat(p.joystick, 0);
        for (const HatDirection& h : kHatDirections) {
            if ((hat & h.hat) != 0) states |= h.state;
        }
    }
    return states | controls_->buttonStates(p.fighter, held);
}

}  // namespace platform
