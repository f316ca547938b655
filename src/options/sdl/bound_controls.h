// The controls the player chose, as the SDL plug reads its keys and pads through them.
#pragma once

#include "options/bindings.h"
#include "platform/sdl/sdl_input.h"

namespace options {

class BoundControls : public platform::ControlMap {
public:
    // The bindings are read where they are, so a change made on the controls screen counts at
    // once.
    explicit BoundControls(const Bindings& bindings) : b_(bindings) {}

    uint32_t keyStates(int fighter, const Uint8* held) const override {
        return options::keyStates(b_, fighter, held, SDL_NUM_SCANCODES);
    }
    uint32_t buttonStates(int fighter, uint32_t held) const override {
        return options::buttonStates(b_, fighter, held);
    }
    bool isControlKey(SDL_Scancode key) const override { return b_.holdsKey(key); }

private:
    const Bindings& b_;
};

}  // namespace options
