// What only an operating system has: a window to present frames in, events, device states,
// a clock and a mixer. The game and the media layer see the platform only through this.
#pragma once

#include <cstdint>
#include <vector>

#include "media/input.h"
#include "media/sound.h"
#include "media/surface.h"

namespace platform {

class Platform : public media::InputSource {
public:
    ~Platform() override = default;

    // Builds the display, windowed or desktop full screen; false (with one stderr line) when the
    // mode cannot be set.
    virtual bool initDisplay(bool fullscreen) = 0;
    // Shows the finished back buffer; offsetX is the surface control's left edge inside the
    // window, in surface pixels.
    virtual void present(const media::Surface& surface, int offsetX) = 0;
    // Collects the events since the last call: virtual-key codes of keys pressed, in order, and
    // whether the window was closed.
    virtual void pollEvents(std::vector<int>& keyDowns, bool& quit) = 0;
    // Whether the key with this virtual-key code is held down now; a platform without a
    // keyboard of its own knows only key-down events and says no.
    virtual bool keyHeld(int /*virtualKey*/) { return false; }
    // The application is active (its window has the focus).
    virtual bool active() = 0;
    virtual uint64_t nowMs() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    virtual media::AudioOut& audio() = 0;
};

// A platform over another that passes everything on: an addition that changes a few of the
// game's dealings with the window (the options, a replay's devices, netplay's sounds) overrides
// only those.
class PlatformRelay : public Platform {
public:
    explicit PlatformRelay(Platform& inner) : inner_(inner) {}

    bool foreground() override { return inner_.foreground(); }
    uint32_t keyboardRaw() override { return inner_.keyboardRaw(); }
    uint32_t joystickRaw() override { return inner_.joystickRaw(); }
    bool initDisplay(bool fullscreen) override { return inner_.initDisplay(fullscreen); }
    void present(const media::Surface& s, int offsetX) override { inner_.present(s, offsetX); }
    void pollEvents(std::vector<int>& keys, bool& quit) override { inner_.pollEvents(keys, quit); }
    bool keyHeld(int virtualKey) override { return inner_.keyHeld(virtualKey); }
    bool active() override { return inner_.active(); }
    uint64_t nowMs() override { return inner_.nowMs(); }
    void sleepMs(uint32_t ms) override { inner_.sleepMs(ms); }
    media::AudioOut& audio() override { return inner_.audio(); }

private:
    Platform& inner_;
};

}  // namespace platform
