// The real platform: an SDL2 window showing the surface scaled by a whole number, keyboard and
// joystick, the SDL2_mixer sound and SDL's clock. The window can be resized and keeps the whole
// factor, letterboxed on black; Alt+Enter switches desktop full screen on and off at any time.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/window_picture.h"

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

    // Whether the window is in full screen now, by the game's choice or by Alt+Enter.
    bool fullscreen() const { return fullscreen_; }
    // Called with the new state each time Alt+Enter switches full screen on or off.
    void onFullscreenToggled(std::function<void(bool)> listener) {
        fullscreenToggled_ = std::move(listener);
    }
    // How many frames were actually shown: a frame that repeats the last one is not.
    uint64_t presentCount() const { return presents_; }
    SDL_Window* window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    SdlAudio& mixer() { return audio_; }
    SdlPads& pads() { return pads_; }
    // The fighters' keys and pad buttons (nullptr: the defaults); kept, not copied. A key that
    // drives a fighter is never also one of the game's keys.
    void setControls(const ControlMap* controls) {
        controls_ = controls != nullptr ? controls : &defaultControls();
        pads_.setControls(controls);
    }
    void setEventHook(SdlEventHook* hook) { hook_ = hook; }

private:
    bool createWindow();
    bool createTexture(int scale);
    int windowScale() const;
    void handleWindowEvent(const SDL_WindowEvent& e);
    void toggleFullscreen();
    // Shows the frame last given to present again, uploading its pixels first when newPixels.
    void show(bool newPixels);

    int scale_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    // The texture is in the window's own pixel format, filled through this table. The software
    // renderer gets the picture already scaled, which it copies row by row; the others scale a
    // 400×300 texture themselves, which costs them less than taking a picture nine times larger.
    std::unique_ptr<PixelTable> table_;
    bool scaleInTexture_ = false;
    int textureScale_ = 0;
    ShownFrame shown_;
    bool redraw_ = false;  // the window lost what it showed: show the last frame again
    uint64_t presents_ = 0;
    std::function<void(bool)> fullscreenToggled_;
    bool fullscreen_ = false;
    bool focused_ = false;
    SdlAudio audio_;
    SdlPads pads_;
    const ControlMap* controls_ = &defaultControls();
    SdlEventHook* hook_ = nullptr;
};

// True for the OpenGL renderer names of Mesa's rasterizers that run on the processor
// ("llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer", "SWR").
bool isSoftwareRasterizer(const char* glRenderer);

// True for SDL's video drivers that show nothing ("dummy", "offscreen").
bool isWindowlessVideoDriver(const char* driver);

// Opens the mixer, falling back to SDL's silent "dummy" audio driver when no real device opens.
void openAudio(SdlAudio& audio);

}  // namespace platform
