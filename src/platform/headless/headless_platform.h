// The platform without a window or an audio device: device states come from the runner, the
// clock is a counter, sounds are accepted and never played.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform {

class SilentAudio : public media::AudioOut {
public:
    int upload(const media::SoundData&) override { return uploads_++; }
    void play(int, bool) override {}
    void stop(int) override {}
    void reset() override { uploads_ = 0; }

private:
    int uploads_ = 0;
};

class HeadlessPlatform : public Platform {
public:
    // The runner's device states, read by the game's input update.
    void setStates(uint32_t keyboard, uint32_t joystick) {
        keyboard_ = keyboard;
        joystick_ = joystick;
    }
    // Lets simulated time pass (the runner advances it by each frame's interval).
    void advance(uint64_t ms) { now_ += ms; }

    bool foreground() override { return true; }
    uint32_t keyboardRaw() override { return keyboard_; }
    uint32_t joystickRaw() override { return joystick_; }

    bool initDisplay(bool) override { return true; }
    void present(const media::Surface&, int) override {}
    void pollEvents(std::vector<int>&, bool& quit) override { quit = false; }
    bool active() override { return true; }
    uint64_t nowMs() override { return now_; }
    void sleepMs(uint32_t ms) override { now_ += ms; }
    media::AudioOut& audio() override { return audio_; }

private:
    uint32_t keyboard_ = 0, joystick_ = 0;
    uint64_t now_ = 0;
    SilentAudio audio_;
};

}  // namespace platform
