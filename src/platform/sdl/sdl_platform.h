// The real platform: an SDL2 window showing the surface scaled by a whole number, keyboard and
// joystick, the SDL2_mixer sound and SDL's clock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_input.h"

namespace platform {

// Sees every SDL event before the platform does; an event it consumes goes no further.
class SdlEventHook {
public:
    virtual ~SdlEventHook() = default;
    virtual bool consume(const SDL_Event& e) = 0;
};

class SdlPlatform : public Platform {
public:
    // scale 0: the largest whole factor whose window fits in 80% of the desktop. SDL must be
    // initialised with video and joystick support; audio is opened here, silently off when no
    // device opens.
    explicit SdlPlatform(int scale);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    bool foreground() override { return focused_; }
    uint32_t keyboardRaw() override;
    uint32_t joystickRaw() override;

    bool initDisplay(bool fullscreen) override;
    void present(const media::Surface& surface, int offsetX) override;
    void pollEvents(std::vector<int>& keyDowns, bool& quit) override;
    bool keyHeld(int virtualKey) override;
    bool active() override { return focused_; }
    uint64_t nowMs() override { return SDL_GetTicks64(); }
    void sleepMs(uint32_t ms) override { SDL_Delay(ms); }
    media::AudioOut& audio() override { return audio_; }

    SdlAudio& mixer() { return audio_; }
    SdlPads& pads() { return pads_; }
    // Fighter n's keys (nullptr: the defaults); kept, not copied. The pads read them too.
    void setBindings(const options::Bindings* bindings) {
        bindings_ = bindings != nullptr ? bindings : &defaultBindings_;
        pads_.setBindings(bindings);
    }
    void setEventHook(SdlEventHook* hook) { hook_ = hook; }

private:
    bool createWindow();
    int windowScale() const;
    void handleWindowEvent(const SDL_WindowEvent& e);

    int scale_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool fullscreen_ = false;
    bool focused_ = false;
    SdlAudio audio_;
    SdlPads pads_;
    const options::Bindings defaultBindings_ = options::Bindings::defaults();
    const options::Bindings* bindings_ = &defaultBindings_;
    SdlEventHook* hook_ = nullptr;
};

// True for SDL's video drivers that show nothing ("dummy", "offscreen").
bool isWindowlessVideoDriver(const char* driver);

// Opens the mixer, falling back to SDL's silent "dummy" audio driver when no real device opens.
void openAudio(SdlAudio& audio);

}  // namespace platform
