// Keyboard and joystick for the SDL platform: the state bits of fighter 1's keys, the first
// joystick or game controller with hot-plug, and virtual-key codes for key presses.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform {

// The virtual-key code the key handler knows for a key, or 0 for a key it does not need.
int virtualKeyOf(SDL_Keycode key);

// The key of a virtual-key code virtualKeyOf knows, or SDLK_UNKNOWN.
SDL_Keycode keycodeOf(int virtualKey);

// The state bits of the arrow keys and Z X C V held in a keyboard state array.
uint32_t keyboardStates(const Uint8* keys);

// Axis positions within the dead zone count as centred; any position beyond it counts.
uint32_t axisStates(int x, int y);

class SdlJoystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick();
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Opens the first device if none is open; closes a device that was unplugged.
    void refresh();
    void close();
    // Handles hot-plug events; other events are ignored.
    void handle(const SDL_Event& e);
    uint32_t states() const;

private:
    uint32_t controllerStates() const;
    uint32_t joystickStates() const;

    SDL_GameController* controller_ = nullptr;
    SDL_Joystick* joystick_ = nullptr;  // the controller's own, or a raw joystick
};

}  // namespace platform
