// The window as the game sees it once the options are in: the SDL platform with the saved
// controls, pads and volumes, the volume keys, the controls screen opened from the title screen
// (Tab, or a pad's Back), and the title screen's choice remembered from one run to the next.
// Keys and pad presses it uses never reach the game, so they are never recorded either.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "options/controls_screen.h"
#include "options/settings.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_platform.h"

namespace pelea {
class TForm1;
}

namespace options {

class OptionsPlatform : public platform::PlatformRelay, private platform::SdlEventHook {
public:
    // The settings are read and changed in place and saved whenever they change. A session that
    // shows a replay passes playing = false: no controls screen then, and the title screen's
    // choice is neither given to the game nor saved.
    OptionsPlatform(platform::SdlPlatform& sdl, Settings& settings, bool playing);
    ~OptionsPlatform() override;
    OptionsPlatform(const OptionsPlatform&) = delete;
    OptionsPlatform& operator=(const OptionsPlatform&) = delete;

    // The game, once it is built: its screen mode is watched and the controls screen draws with
    // its primitives on its surface.
    void attach(pelea::TForm1& form) {
        form_ = &form;
        applyFlashes();
    }

    const ControlsScreen& screen() const { return screen_; }

    uint32_t keyboardRaw() override;
    void present(const media::Surface& surface, int offsetX) override;
    void pollEvents(std::vector<int>& keyDowns, bool& quit) override;
    bool keyHeld(int virtualKey) override;
    // No frame runs while the controls screen is open.
    bool active() override { return !screen_.isOpen() && sdl_.active(); }

private:
    bool consume(const SDL_Event& e) override;
    bool volumeKey(SDL_Scancode key);
    void windowResized();
    bool screenEvent(const SDL_Event& e);
    void outcome(ControlsScreen::Outcome o);
    bool onTitle() const;
    void watchTitle();
    void openScreen();
    void closeScreen();
    void showScreen();
    void applyVolumes();
    void applyFlashes();
    void swapPads();
    void noteDevice(const SDL_Event& e);
    void drawLegends();

    platform::SdlPlatform& sdl_;
    Settings& settings_;
    ControlsScreen screen_;
    pelea::TForm1* form_ = nullptr;
    bool playing_;
    bool choicePending_;  // the saved full-screen choice has yet to reach the title screen
    int lastMode_ = -1;
    std::vector<uint16_t> covered_;  // the game's picture under the controls screen
    bool redraw_ = false;
    uint64_t shownAt_ = 0;
    int windowFactor_ = 1;  // the whole factor the window shows the picture at
    // Per fighter, what its player pressed last: −1 nothing yet, 0 a key, 1 a pad.
    std::array<int, kFighters> lastDevice_{-1, -1};
    // The legend under each move list, made again only when what it names changes.
    struct Legend {
        bool pad = false;
        std::array<int, kControls> names{};
        std::string text;
    };
    std::array<Legend, kFighters> legends_;
};

}  // namespace options
