// Which key and which pad button drive each of a fighter's eight controls. Keys are SDL
// scancodes (where a key sits, whatever the layout prints on it) and pad buttons SDL
// game-controller buttons, which a plain joystick reads as its button of the same number. The
// game's own keys are known by what they produce (SDL keycodes), so a key is checked against
// them through the keyboard layout in use.
#pragma once

#include <SDL_gamecontroller.h>
#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <array>
#include <cstdint>

namespace options {

// The eight controls, in the order of the state bits they set.
enum Control : int { Up, Down, Left, Right, Button1, Button2, Button3, Button4 };
inline constexpr int kControls = 8;
inline constexpr int kFighters = 2;

// The state bit of a control (media::isUp … media::isButton4).
uint32_t stateOf(int control);

enum class BindResult {
    Taken,      // the key was free
    Swapped,    // another control had it and now has this control's old key
    Unchanged,  // the control had it already
    Refused,    // a key the game keeps for itself, or no key at all
};

struct Bindings {
    // [fighter − 1][control]
    std::array<std::array<int, kControls>, kFighters> keys{};
    std::array<std::array<int, kControls>, kFighters> pad{};

    // Fighter 1 on the arrows and Z X C V, fighter 2 on I J K L and A S D F: both on one
    // keyboard with no key shared; pads on the d-pad and A B X Y.
    static Bindings defaults();

    int key(int fighter, int control) const { return keys[slot(fighter)][slot0(control)]; }
    int button(int fighter, int control) const { return pad[slot(fighter)][slot0(control)]; }

    // The key goes to the control; a key another control of either fighter has is swapped,
    // never held twice.
    BindResult bindKey(int fighter, int control, int scancode);
    // The same within the fighter's pad layout.
    BindResult bindButton(int fighter, int control, int button);

    // Whether the key drives a control of either fighter.
    bool holdsKey(int scancode) const;

    bool operator==(const Bindings&) const = default;

private:
    static size_t slot(int fighter) { return static_cast<size_t>(fighter - 1); }
    static size_t slot0(int control) { return static_cast<size_t>(control); }
};

// What a key produces under a keyboard layout: the SDL keycode of a scancode.
using KeyLayout = SDL_Keycode (*)(SDL_Scancode scancode);

// The keycode the key produces under the layout in use: SDL's, unless another was set.
SDL_Keycode producedKey(int scancode);
// The layout producedKey reads (nullptr: SDL's own, the one of the keyboard in use).
void setKeyLayout(KeyLayout layout);

// Keys of the game's own key table, the training and replay-viewer keys, the volume keys and the
// controls screen's key: never a fighter's control. The game hears those keys by what they
// produce, so a key is refused by its keycode under the layout in use; the few keys the options
// read where they sit (Tab, Enter, Esc and the volume keys) are refused wherever they sit.
bool reservedKey(int scancode);
// The pad's Back cancels a rebinding and Guide belongs to the system: never a control.
bool reservedButton(int button);

// A fighter's states from a keyboard state array indexed by scancode (as SDL gives it).
uint32_t keyStates(const Bindings& b, int fighter, const uint8_t* held, int heldCount);
// A fighter's states from the pad buttons held, one bit per game-controller button.
uint32_t buttonStates(const Bindings& b, int fighter, uint32_t heldButtons);

}  // namespace options
