// The input device: keyboard, joystick and combined state sets, rebuilt once per Update.
#pragma once

#include <cstdint>

namespace media {

enum InputState : uint32_t {
    isUp = 0x01,
    isDown = 0x02,
    isLeft = 0x04,
    isRight = 0x08,
    isButton1 = 0x10,
    isButton2 = 0x20,
    isButton3 = 0x40,
    isButton4 = 0x80,
};

// Where the raw device states come from (the platform).
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual bool foreground() = 0;       // the window has the focus
    virtual uint32_t keyboardRaw() = 0;  // states of the assigned keys that are down
    virtual uint32_t joystickRaw() = 0;  // states of the first stick after the dead zone
};

// Rewrites the device sets right after each poll: how an addition outside the game (training)
// feeds a fighter's device without touching the routines that read it.
class InputFilter {
public:
    virtual ~InputFilter() = default;
    virtual void filter(uint32_t& keyboard, uint32_t& joystick) = 0;
};

class DXInput {
public:
    explicit DXInput(InputSource& src) : src_(src) {}

    // Polls both devices once; a device set stays empty while the window lacks the focus. The
    // combined set is the union of the two.
    void Update();

    uint32_t Keyboard() const { return keyboard_; }
    uint32_t Joystick() const { return joystick_; }
    uint32_t States() const { return states_; }

    // From now on every poll passes through the filter (nullptr: none).
    void setFilter(InputFilter* filter) { filter_ = filter; }

private:
    InputSource& src_;
    InputFilter* filter_ = nullptr;
    uint32_t keyboard_ = 0, joystick_ = 0, states_ = 0;
};

}  // namespace media
