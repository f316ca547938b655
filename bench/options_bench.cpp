// Cost of what the options add: both fighters' sets read from the keyboard through their
// bindings (every frame), the settings file read (once a run) and the controls screen drawn.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "game/tform1.h"
#include "options/bindings.h"
#include "options/controls_screen.h"
#include "options/settings.h"

namespace {

class Idle : public platform::Platform {
public:
    bool initDisplay(bool) override { return true; }
    void present(const media::Surface&, int) override {}
    void pollEvents(std::vector<int>&, bool&) override {}
    bool active() override { return true; }
    uint64_t nowMs() override { return 0; }
    void sleepMs(uint32_t) override {}
    media::AudioOut& audio() override { return audio_; }
    bool foreground() override { return true; }
    uint32_t keyboardRaw() override { return 0; }
    uint32_t joystickRaw() override { return 0; }

private:
    class Mute : public media::AudioOut {
    public:
        int upload(const media::SoundData&) override { return -1; }
        void play(int, bool) override {}
        void stop(int) override {}
        void reset() override {}
    } audio_;
};

void BM_BothFightersKeys(benchmark::State& state) {
    const options::Bindings b = options::Bindings::defaults();
    std::array<uint8_t, SDL_NUM_SCANCODES> keys{};
    keys[SDL_SCANCODE_LEFT] = keys[SDL_SCANCODE_Z] = keys[SDL_SCANCODE_L] = keys[SDL_SCANCODE_F] =
        1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(options::keyStates(b, 1, keys.data(), SDL_NUM_SCANCODES) |
                                 options::keyStates(b, 2, keys.data(), SDL_NUM_SCANCODES) << 8);
    }
}
BENCHMARK(BM_BothFightersKeys);

void BM_ReadSettings(benchmark::State& state) {
    options::Settings s;
    s.controls.bindKey(1, options::Up, SDL_SCANCODE_W);
    const std::string text = options::settingsText(s);
    for (auto _ : state) {
        std::vector<options::SettingsProblem> problems;
        benchmark::DoNotOptimize(options::parseSettings(text, problems));
    }
}
BENCHMARK(BM_ReadSettings);

void BM_DrawControlsScreen(benchmark::State& state) {
    Idle idle;
    pelea::TForm1 form(idle, {true, 1, false});
    form.FormCreate();
    options::Settings s;
    options::ControlsScreen screen(s);
    screen.open();
    for (auto _ : state) {
        screen.draw(form);
        benchmark::DoNotOptimize(form.DXDraw1.Surface.pixels());
    }
}
BENCHMARK(BM_DrawControlsScreen);

}  // namespace
