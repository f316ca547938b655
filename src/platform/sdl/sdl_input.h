// Keyboard and pads for the SDL platform: the state bits of each fighter's keys, any number of
// joysticks or game controllers with hot-plug, and virtual-key codes for key presses.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Which keys and pad buttons drive a fighter. The front end hands the plug the controls the
// player chose; without them fighter 1 plays on the arrows and Z X C V and every pad on its
// d-pad and buttons A B X Y (a plain joystick: buttons 1 to 4).
class ControlMap {
public:
    virtual ~ControlMap() = default;
    // Fighter n's states (1 or 2) from a keyboard state array of SDL_NUM_SCANCODES keys.
    virtual uint32_t keyStates(int fighter, const Uint8* held) const = 0;
    // Fighter n's states from the buttons held on its pads, one bit per game-controller button.
    virtual uint32_t buttonStates(int fighter, uint32_t held) const = 0;
    // Whether the key drives a fighter: its presses are then never one of the game's keys.
    virtual bool isControlKey(SDL_Scancode key) const = 0;
};

// The controls the plug plays with when it is given none.
const ControlMap& defaultControls();

// The virtual-key code the key handler knows for a key, or 0 for a key it does not need.
int virtualKeyOf(SDL_Keycode key);

// The key of a virtual-key code virtualKeyOf knows, or SDLK_UNKNOWN.
SDL_Keycode keycodeOf(int virtualKey);

// Fighter 1's default states (the arrows and Z X C V) held in a keyboard state array.
uint32_t keyboardStates(const Uint8* keys);

// Axis positions within the dead zone count as centred; any position beyond it counts.
uint32_t axisStates(int x, int y);

// A pad named for a fighter: its GUID and, when several pads share it (two of one model), which
// of them: 1 the first of them plugged in, 2 the second…; 0 every pad with that GUID.
struct PadChoice {
    std::string guid;
    int slot = 0;
    bool operator==(const PadChoice&) const = default;
};

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
    void setControls(const ControlMap* controls) {
        controls_ = controls != nullptr ? controls : &defaultControls();
    }
    // The pads that drive fighter 1 and fighter 2 (an empty GUID: by order). A pad not named goes
    // to the fighter with fewer pads, fighter 2 first. The pads known are placed again.
    void setAssignment(const std::array<PadChoice, 2>& choices);

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
    // The first pad open now that drives fighter n, as setAssignment names it (a slot only when
    // another pad known has its GUID), or an empty choice.
    PadChoice choiceOf(int fighter) const;

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
    int fighterFor(const std::string& guid, int copy) const;
    // Among the pads known with the same GUID, 1 for the first plugged in, 2 for the second…
    int copyNumber(size_t place) const;
    uint32_t padStates(const Pad& p) const;

    const ControlMap* controls_ = &defaultControls();
    std::array<PadChoice, 2> choices_;
    std::vector<Pad> pads_;  // in the order first plugged in; a closed one has no joystick
};

}  // namespace platform
