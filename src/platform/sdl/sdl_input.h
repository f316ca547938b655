// Keyboard and pads for the SDL platform: the state bits of each fighter's keys, any number of
// joysticks or game controllers with hot-plug, and virtual-key codes for key presses.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "options/bindings.h"

namespace platform {

// The virtual-key code the key handler knows for a key, or 0 for a key it does not need.
int virtualKeyOf(SDL_Keycode key);

// The key of a virtual-key code virtualKeyOf knows, or SDLK_UNKNOWN.
SDL_Keycode keycodeOf(int virtualKey);

// Fighter 1's default states (the arrows and Z X C V) held in a keyboard state array.
uint32_t keyboardStates(const Uint8* keys);
// Fighter n's states (1 or 2) through its bound keys, in an array of SDL_NUM_SCANCODES keys.
uint32_t keyboardStates(const Uint8* keys, const options::Bindings& bindings, int fighter);

// Axis positions within the dead zone count as centred; any position beyond it counts.
uint32_t axisStates(int x, int y);

// Every pad plugged in, each driving one fighter. A pad is a game controller through SDL's
// database, or a plain joystick when the database does not know it. Pads keep their places in
// the order they were first plugged in: one unplugged and plugged in again (the same GUID) comes
// back to its place and drives the same fighter.
class SdlPads {
public:
    SdlPads() = default;
    ~SdlPads();
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    // The controls the pads' buttons are read through (nullptr: the defaults); kept, not copied.
    void setBindings(const options::Bindings* bindings) { bindings_ = bindings; }
    // The GUIDs of the pads that drive fighter 1 and fighter 2 (empty: by order). A pad not named
    // goes to the fighter with fewer pads, fighter 2 first. The pads known are placed again.
    void setAssignment(const std::array<std::string, 2>& guids);

    // Opens the devices not yet open; closes those that were unplugged.
    void refresh();
    void close();
    // Handles hot-plug events; other events are ignored.
    void handle(const SDL_Event& e);

    // The states of the pads that drive fighter n (1 or 2), after the dead zone.
    uint32_t states(int fighter) const;
    // The fighter (1 or 2) the pad with this instance id drives, or 0 when it is not open.
    int fighterOf(SDL_JoystickID id) const;
    // The pads open now, all or those that drive fighter n.
    int connected() const;
    int connected(int fighter) const;
    // The GUID of the first pad open now that drives fighter n, or empty.
    std::string guidOf(int fighter) const;

private:
    struct Pad {
        std::string guid;
        SDL_GameController* controller = nullptr;
        SDL_Joystick* joystick = nullptr;  // the controller's own, or a plain joystick
        SDL_JoystickID id = -1;
        int fighter = 0;
    };
    void open(int deviceIndex);
    static void closePad(Pad& p);
    int fighterFor(const std::string& guid) const;
    uint32_t padStates(const Pad& p) const;

    const options::Bindings* bindings_ = nullptr;
    std::array<std::string, 2> guids_;
    std::vector<Pad> pads_;  // in the order first plugged in; a closed one has no joystick
};

}  // namespace platform
