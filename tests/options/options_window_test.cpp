// The options in the window: the controls screen opened by Tab on the title screen, rebinding
// through key presses that never reach the game, the volume keys, the sound muted without the
// focus, and the title screen's choice remembered from one run to the next, replays included.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "options/sdl/bound_controls.h"
#include "options/sdl/options_platform.h"
#include "platform/common/app_loop.h"
#include "platform/headless/runner.h"
#include "platform/sdl/sdl_platform.h"
#include "replay/window_session.h"
#include "support/files.h"
#include "support/game_fixture.h"

namespace options {
namespace {

namespace fs = std::filesystem;
using pelea::testing::Game;

using pelea::testing::readFile;

// The game on the SDL platform (SDL's dummy video driver) with the options over it.
class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        // The dummy driver's window never holds the keyboard focus, and without it SDL drops a
        // pad's presses.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(
            SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER | SDL_INIT_TIMER),
            0)
            << SDL_GetError();
        settings.path = fs::absolute("config/pelea/pelea.ini").string();
    }
    void start(bool playing = true) {
        sdl = std::make_unique<platform::SdlPlatform>(1);
        // The front end's composition: the plug reads the keys and pads through the settings.
        sdl->setControls(&controls);
        ASSERT_TRUE(sdl->initDisplay(false));
        window = std::make_unique<OptionsPlatform>(*sdl, settings, playing);
        form = std::make_unique<pelea::TForm1>(*window, Game::options(kSeed, false));
        window->attach(*form);
        form->FormCreate();
    }
    void TearDown() override {
        form.reset();
        window.reset();
        sdl.reset();
        if (pad >= 0) SDL_JoystickDetachVirtual(0);
        SDL_Quit();
    }

    static void press(SDL_Scancode key, bool repeat = false) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.scancode = key;
        e.key.keysym.sym = SDL_GetKeyFromScancode(key);
        SDL_PushEvent(&e);
    }
    static void focus(bool gained) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
        SDL_PushEvent(&e);
    }
    // The keys the game was given.
    std::vector<int> poll() {
        std::vector<int> keys;
        bool quit = false;
        window->pollEvents(keys, quit);
        return keys;
    }
    void plugPad() {
        pad = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(pad, 0) << SDL_GetError();
        poll();  // the platform hears of it and opens it
    }
    static void padButton(SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(0)),
                                     b, down ? 1 : 0);
    }
    std::string file() const { return readFile(settings.path); }

    static constexpr uint64_t kSeed = 5;
    Settings settings;
    BoundControls controls{settings.controls};
    std::unique_ptr<platform::SdlPlatform> sdl;
    std::unique_ptr<OptionsPlatform> window;
    std::unique_ptr<pelea::TForm1> form;
    int pad = -1;
};

TEST_F(OptionsWindow, TabOpensTheControlsOnlyOnTheTitleScreen) {
    struct Case {
        uint8_t screen;
        bool playing;  // false: a replay is shown
        bool opens;
    };
    const Case cases[] = {
        {pelea::tela::Titulo, true, true},   {pelea::tela::Selecao, true, false},
        {pelea::tela::Luta, true, false},    {pelea::tela::Config, true, false},
        {pelea::tela::Titulo, false, false},
    };
    for (const Case& c : cases) {
        start(c.playing);
        form->g.m.modoTela = c.screen;
        press(SDL_SCANCODE_TAB);
        const std::vector<int> keys = poll();
        EXPECT_EQ(window->screen().isOpen(), c.opens) << int{c.screen};
        // Frames stop while it is open; Tab reaches the game only when it opens nothing.
        EXPECT_EQ(window->active(), !c.opens) << int{c.screen};
        EXPECT_EQ(keys, c.opens ? std::vector<int>{} : std::vector<int>{9}) << int{c.screen};
        form.reset();
        window.reset();
        sdl.reset();
    }
}

TEST_F(OptionsWindow, ARebindingMadeWithKeysIsTakenSavedAndNeverReachesTheGame) {
    start();
    press(SDL_SCANCODE_TAB);
    press(SDL_SCANCODE_DOWN);    // fighter 1's down
    press(SDL_SCANCODE_RIGHT);   // fighter 2's
    press(SDL_SCANCODE_RETURN);  // rebind it
    press(SDL_SCANCODE_M);
    EXPECT_EQ(poll(), std::vector<int>{});
    EXPECT_EQ(settings.controls.key(2, Down), SDL_SCANCODE_M);
    EXPECT_NE(file().find("player2.down = M\n"), std::string::npos) << file();

    // A key of the game's own is refused with a reason, and nothing changes.
    press(SDL_SCANCODE_RETURN);
    press(SDL_SCANCODE_P);
    EXPECT_EQ(poll(), std::vector<int>{});
    EXPECT_EQ(settings.controls.key(2, Down), SDL_SCANCODE_M);
    EXPECT_NE(window->screen().message().find("P: ES DEL JUEGO"), std::string::npos)
        << window->screen().message();

    // Esc cancels a rebinding, then closes the screen, and the game never sees it.
    press(SDL_SCANCODE_RETURN);
    press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(poll(), std::vector<int>{});
    EXPECT_TRUE(window->screen().isOpen());
    EXPECT_EQ(settings.controls.key(2, Down), SDL_SCANCODE_M);
    press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(poll(), std::vector<int>{});
    EXPECT_FALSE(window->screen().isOpen());
    EXPECT_TRUE(window->active());
    EXPECT_FALSE(form->terminated());
    // Closed, Esc is the game's again.
    press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(poll(), std::vector<int>{27});
}

TEST_F(OptionsWindow, APadAloneWorksTheScreen) {
    start();
    plugPad();
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(0);
    const auto tap = [&](SDL_GameControllerButton b) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERBUTTONDOWN;
        e.cbutton.which = id;
        e.cbutton.button = static_cast<Uint8>(b);
        e.cbutton.state = SDL_PRESSED;
        SDL_PushEvent(&e);
    };
    tap(SDL_CONTROLLER_BUTTON_BACK);  // opens it on the title screen
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);  // round past the last rows to button 4
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    tap(SDL_CONTROLLER_BUTTON_A);
    tap(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    EXPECT_EQ(poll(), std::vector<int>{});
    EXPECT_TRUE(window->screen().isOpen());
    EXPECT_EQ(settings.controls.button(2, Button4), SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    EXPECT_NE(file().find("player2.pad.button4 = leftshoulder\n"), std::string::npos);
    tap(SDL_CONTROLLER_BUTTON_B);
    poll();
    EXPECT_FALSE(window->screen().isOpen());
}

// The pads' row hands the pad of one fighter to the other, and the settings keep it by GUID.
TEST_F(OptionsWindow, ThePadsRowSwapsWhichFighterAPadDrives) {
    start();
    plugPad();
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(0);
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(0), guid, sizeof guid);
    ASSERT_EQ(sdl->pads().fighterOf(id), 2);
    press(SDL_SCANCODE_TAB);
    press(SDL_SCANCODE_UP);  // round to restore defaults
    press(SDL_SCANCODE_UP);  // the pads' row
    press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(poll(), std::vector<int>{});
    ASSERT_EQ(window->screen().row(), ControlsScreen::kSwapPadsRow);
    EXPECT_EQ(sdl->pads().fighterOf(id), 1);
    EXPECT_NE(file().find("player1.pad-guid = " + std::string(guid) + "\n"), std::string::npos)
        << file();
    // At the next start the saved GUID places it at once.
    form.reset();
    window.reset();
    sdl.reset();
    start();
    poll();
    EXPECT_EQ(sdl->pads().fighterOf(SDL_JoystickGetDeviceInstanceID(0)), 1);
    press(SDL_SCANCODE_TAB);
    press(SDL_SCANCODE_UP);
    press(SDL_SCANCODE_UP);
    press(SDL_SCANCODE_RETURN);
    poll();
    EXPECT_EQ(sdl->pads().fighterOf(SDL_JoystickGetDeviceInstanceID(0)), 2);
    EXPECT_NE(file().find("player2.pad-guid = " + std::string(guid) + "\n"), std::string::npos);
}

// Two pads of one model have one GUID: swapped, each drives the other fighter, and the saved file
// places them so again at the next start.
TEST_F(OptionsWindow, TwoPadsOfOneModelSwapAndComeBackSwapped) {
    start();
    plugPad();
    plugPad();
    ASSERT_EQ(SDL_NumJoysticks(), 2);
    const SDL_JoystickID a = SDL_JoystickGetDeviceInstanceID(0);
    const SDL_JoystickID b = SDL_JoystickGetDeviceInstanceID(1);
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(0), guid, sizeof guid);
    ASSERT_EQ(sdl->pads().fighterOf(a), 2);
    ASSERT_EQ(sdl->pads().fighterOf(b), 1);
    press(SDL_SCANCODE_TAB);
    press(SDL_SCANCODE_UP);
    press(SDL_SCANCODE_UP);
    press(SDL_SCANCODE_RETURN);
    poll();
    ASSERT_EQ(window->screen().row(), ControlsScreen::kSwapPadsRow);
    EXPECT_EQ(sdl->pads().fighterOf(a), 1);
    EXPECT_EQ(sdl->pads().fighterOf(b), 2);
    for (const std::string& line : std::vector<std::string>{
             "player1.pad-guid = " + std::string(guid), "player1.pad-slot = 1",
             "player2.pad-guid = " + std::string(guid), "player2.pad-slot = 2"}) {
        EXPECT_NE(file().find(line + "\n"), std::string::npos) << line << "\n" << file();
    }
    // The next start reads the file and places them as they were.
    form.reset();
    window.reset();
    sdl.reset();
    settings = loadSettings(settings.path);
    start();
    poll();
    EXPECT_EQ(sdl->pads().fighterOf(SDL_JoystickGetDeviceInstanceID(0)), 1);
    EXPECT_EQ(sdl->pads().fighterOf(SDL_JoystickGetDeviceInstanceID(1)), 2);
    while (SDL_NumJoysticks() > 1)
        SDL_JoystickDetachVirtual(1);
}

// The select screen as the game drew it, and as the window showed it with the legend over it.
struct Presented {
    std::vector<uint16_t> drawn, shown;
};

// Whether the shown picture's legend rows on side n are the game's picture with exactly this text
// drawn over it by the text layer.
bool legendIs(pelea::TForm1& form, const Presented& p, int side, const std::string& text) {
    media::Surface& s = form.DXDraw1.Surface;
    std::copy(p.drawn.begin(), p.drawn.end(), s.pixels());
    if (!text.empty()) {
        const int left = 200 * side - 196;
        form.barraredonda(left, 210, left + 192, 222, 5, media::rgb(255, 220, 120),
                          media::rgb(20, 24, 60));
        form.texto(200 * side - 194, 210, text, '-', 8, media::rgb(255, 220, 120));
    }
    bool same = true;
    for (int y = 200; y < 230; ++y) {
        for (int x = 200 * side - 200; x < 200 * side; ++x) {
            const size_t i = static_cast<size_t>(y * media::Surface::kWidth + x);
            same = same && s.pixels()[i] == p.shown[i];
        }
    }
    std::copy(p.shown.begin(), p.shown.end(), s.pixels());
    return same;
}

// Under each choosing person's move list, the keys "+S" and "+C" stand for: the bound keys, or
// the pad's buttons for a player on a pad, following every change.
TEST_F(OptionsWindow, TheLegendUnderEachMoveListNamesTheKeysOrButtonsInUse) {
    start();
    pelea::MatchState& m = form->g.m;
    const auto selectFrame = [&] {
        m.modoTela = pelea::tela::Selecao;
        m.faseSelecao = 2;
        m.deslizeSelecao = 300;
        form->DXTimer1Timer();
        const uint16_t* px = form->DXDraw1.Surface.pixels();
        const size_t count = media::Surface::kWidth * media::Surface::kHeight;
        Presented p;
        p.drawn.assign(px, px + count);
        window->present(form->DXDraw1.Surface, 0);
        p.shown.assign(px, px + count);
        return p;
    };
    struct Case {
        const char* what;
        std::function<void()> change;
        int side;
        const char* legend;
        const char* gone;  // a legend that must no longer show there, or nullptr
    };
    const Case cases[] = {
        {"fighter 1's defaults", [] {}, 1, "+S = Z / C   +C = X / V", nullptr},
        {"the light punch rebound", [&] { settings.controls.bindKey(1, Button1, SDL_SCANCODE_Q); },
         1, "+S = Q / C   +C = X / V", "+S = Z / C   +C = X / V"},
        {"fighter 2 joins with a pad",
         [&] {
             form->L(2).humano = 1;
             plugPad();
         },
         2, "+S = A / X   +C = B / Y", nullptr},
        {"fighter 2's player presses a key",
         [&] {
             press(SDL_SCANCODE_S);
             poll();
         },
         2, "+S = A / D   +C = S / F", "+S = A / X   +C = B / Y"},
        {"and then a pad button",
         [&] {
             SDL_Event e{};
             e.type = SDL_CONTROLLERBUTTONDOWN;
             e.cbutton.which = SDL_JoystickGetDeviceInstanceID(0);
             e.cbutton.button = SDL_CONTROLLER_BUTTON_X;
             SDL_PushEvent(&e);
             poll();
         },
         2, "+S = A / X   +C = B / Y", "+S = A / D   +C = S / F"},
    };
    form->L(1).humano = 1;
    form->L(2).humano = 0;
    for (const Case& c : cases) {
        c.change();
        const Presented p = selectFrame();
        EXPECT_TRUE(legendIs(*form, p, c.side, c.legend)) << c.what;
        if (c.gone != nullptr) {
            EXPECT_FALSE(legendIs(*form, p, c.side, c.gone)) << c.what;
        }
    }
    // A side the computer drives shows no move list and no legend: nothing is drawn over it.
    form->L(2).humano = 0;
    const Presented p = selectFrame();
    EXPECT_TRUE(legendIs(*form, p, 2, ""));
    EXPECT_TRUE(legendIs(*form, p, 1, "+S = Q / C   +C = X / V"));
}

TEST_F(OptionsWindow, SoftFlashesChosenOnTheScreenReachTheGamesPictureAndTheNextStart) {
    start();
    EXPECT_FALSE(form->DXDraw1.Surface.softFlashes);
    press(SDL_SCANCODE_TAB);
    for (int i = 0; i < 3; ++i)
        press(SDL_SCANCODE_UP);  // round past restore and the pads to the flashes
    press(SDL_SCANCODE_RIGHT);
    poll();
    ASSERT_EQ(window->screen().row(), ControlsScreen::kFlashRow);
    EXPECT_TRUE(form->DXDraw1.Surface.softFlashes);
    EXPECT_NE(file().find("flashes = soft\n"), std::string::npos) << file();
    form.reset();
    window.reset();
    sdl.reset();
    settings = loadSettings(settings.path);
    start();
    EXPECT_TRUE(form->DXDraw1.Surface.softFlashes);
}

struct Frames : platform::LoopWatcher {
    void keyDown(int) override {}
    void frameDone(const pelea::TForm1&) override { ++count; }
    void loopEnds(const pelea::TForm1&) override {}
    int count = 0;
};

Uint32 quitLater(Uint32, void*) {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    return 0;
}

TEST_F(OptionsWindow, NoFrameRunsWhileTheScreenIsOpen) {
    struct Case {
        std::vector<SDL_Scancode> keys;
        bool frames;
    };
    const Case cases[] = {
        {{}, true},
        {{SDL_SCANCODE_TAB}, false},
        {{SDL_SCANCODE_TAB, SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN}, false},
        {{SDL_SCANCODE_TAB, SDL_SCANCODE_ESCAPE}, true},
    };
    for (const Case& c : cases) {
        start();
        for (const SDL_Scancode k : c.keys)
            press(k);
        Frames frames;
        SDL_AddTimer(300, quitLater, nullptr);
        EXPECT_EQ(platform::runGame(*form, *window, &frames), 0);
        EXPECT_EQ(frames.count > 0, c.frames) << c.keys.size() << " keys: " << frames.count;
        form.reset();
        window.reset();
        sdl.reset();
    }
}

TEST_F(OptionsWindow, TheVolumeKeysStepEachVolumeAndNeverReachTheGame) {
    struct Case {
        std::vector<SDL_Scancode> keys;
        int music, effects;
    };
    const Case cases[] = {
        {{}, 10, 10},
        {{SDL_SCANCODE_PAGEDOWN}, 9, 10},
        {{SDL_SCANCODE_DELETE, SDL_SCANCODE_DELETE, SDL_SCANCODE_DELETE}, 10, 7},
        {{SDL_SCANCODE_PAGEUP}, 10, 10},  // already full
        {std::vector<SDL_Scancode>(12, SDL_SCANCODE_PAGEDOWN), 0, 10},
        {{SDL_SCANCODE_DELETE, SDL_SCANCODE_INSERT, SDL_SCANCODE_PAGEDOWN}, 9, 10},
    };
    for (const Case& c : cases) {
        settings = Settings{};
        settings.path = fs::absolute("config/pelea/pelea.ini").string();
        start();
        for (const SDL_Scancode k : c.keys)
            press(k, &k != &c.keys.front());  // a held key's repeats count as presses
        EXPECT_EQ(poll(), std::vector<int>{});
        EXPECT_EQ(settings.musicVolume, c.music);
        EXPECT_EQ(settings.effectsVolume, c.effects);
        EXPECT_EQ(sdl->mixer().musicVolume(), c.music * MIX_MAX_VOLUME / 10);
        EXPECT_EQ(sdl->mixer().effectsVolume(), c.effects * MIX_MAX_VOLUME / 10);
        if (!c.keys.empty() && (c.music != 10 || c.effects != 10)) {
            EXPECT_NE(file().find("music-volume = " + std::to_string(c.music) + "\n"),
                      std::string::npos);
        }
        // Without the focus both are silent; with it back, as they were.
        focus(false);
        poll();
        EXPECT_EQ(sdl->mixer().musicVolume(), 0);
        EXPECT_EQ(sdl->mixer().effectsVolume(), 0);
        focus(true);
        poll();
        EXPECT_EQ(sdl->mixer().musicVolume(), c.music * MIX_MAX_VOLUME / 10);
        form.reset();
        window.reset();
        sdl.reset();
    }
}

// The title's choice is saved when the game leaves the title, shown selected at the next start,
// and a session recorded with it plays back without a mismatch.
TEST_F(OptionsWindow, TheTitleChoiceIsRememberedAndItsSessionPlaysBack) {
    struct Case {
        const char* what;
        bool saved;                     // full screen saved by the last run
        SDL_GameControllerButton move;  // pressed on the title before confirming
        bool chosen;                    // full screen chosen
    };
    const Case cases[] = {
        {"full screen kept", true, SDL_CONTROLLER_BUTTON_INVALID, true},
        {"window kept", false, SDL_CONTROLLER_BUTTON_INVALID, false},
        {"full screen chosen", false, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true},
        {"window chosen", true, SDL_CONTROLLER_BUTTON_DPAD_UP, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        settings = Settings{};
        settings.path = fs::absolute("config/pelea/pelea.ini").string();
        settings.fullscreen = c.saved;
        start();
        plugPad();
        replay::Header header;
        header.seed = kSeed;
        const std::string recorded = "s" + std::to_string(n++) + ".pelea-replay";
        replay::WindowRecording recording(header, fs::absolute(recorded).string(), "replays");
        const auto frame = [&] {
            poll();
            form->DXTimer1Timer();
            recording.frameDone(*form);
        };
        frame();
        EXPECT_EQ(form->g.m.itemMenu, c.saved ? 2 : 1) << c.what;
        if (c.move != SDL_CONTROLLER_BUTTON_INVALID) {
            padButton(c.move, true);
            frame();
            padButton(c.move, false);
        }
        frame();
        padButton(SDL_CONTROLLER_BUTTON_A, true);
        frame();
        ASSERT_EQ(form->g.m.modoTela, pelea::tela::Selecao) << c.what;
        EXPECT_EQ(form->DXDraw1.fullScreen, c.chosen) << c.what;
        frame();
        EXPECT_EQ(settings.fullscreen, c.chosen) << c.what;
        if (c.chosen != c.saved) {
            EXPECT_NE(file().find(c.chosen ? "display = fullscreen\n" : "display = window\n"),
                      std::string::npos)
                << c.what;
        }
        recording.loopEnds(*form);
        platform::HeadlessOptions replayed;
        replayed.replayPath = recorded;
        EXPECT_EQ(platform::runHeadless(replayed), 0) << c.what << "\n" << readFile(recorded);
        form.reset();
        window.reset();
        sdl.reset();
        SDL_JoystickDetachVirtual(0);
        pad = -1;
    }
}

}  // namespace
}  // namespace options

namespace options {
namespace {

// The window's shape is the player's to keep: Alt+Enter's full screen, a window resized to
// another whole factor, and a window chosen on the title while the screen was full.
TEST_F(OptionsWindow, TheWindowsShapeIsKeptForTheNextStart) {
    const auto altEnter = [] {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.scancode = SDL_SCANCODE_RETURN;
        e.key.keysym.sym = SDLK_RETURN;
        e.key.keysym.mod = KMOD_LALT;
        SDL_PushEvent(&e);
    };
    // What a window manager does: the window takes the size, then says so.
    const auto resized = [this](int w, int h) {
        SDL_SetWindowSize(sdl->window(), w, h);
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_RESIZED;
        e.window.data1 = w;
        e.window.data2 = h;
        SDL_PushEvent(&e);
    };
    struct Case {
        const char* what;
        int altEnters;       // Alt+Enter presses, before any resize
        int width, height;   // the window resized to this (0: not resized)
        bool fullscreen;     // saved afterwards
        int scale;           // saved afterwards (-1: whatever the driver left)
        const char* inFile;  // a line the settings file holds afterwards, or nothing
    };
    const Case cases[] = {
        {"Alt+Enter", 1, 0, 0, true, 0, "display = fullscreen\n"},
        // SDL's dummy driver leaves the window at the desktop's size after full screen.
        {"Alt+Enter twice", 2, 0, 0, false, -1, nullptr},
        {"resized to three times", 0, 1210, 905, false, 3, "scale = 3\n"},
        {"resized a little, still once", 0, 799, 650, false, 0, nullptr},
        {"resized while full", 1, 1600, 1200, true, 0, "display = fullscreen\n"},
    };
    for (const Case& c : cases) {
        settings = Settings{};
        settings.path = fs::absolute("config/pelea/pelea.ini").string();
        fs::remove_all("config");
        start();  // at scale 1: a 400×300 window
        for (int i = 0; i < c.altEnters; ++i)
            altEnter();
        EXPECT_EQ(poll(), std::vector<int>{}) << c.what;  // Enter never reaches the game
        if (c.width > 0) resized(c.width, c.height);
        poll();
        EXPECT_EQ(settings.fullscreen, c.fullscreen) << c.what;
        if (c.scale >= 0) {
            EXPECT_EQ(settings.scale, c.scale) << c.what;
        }
        if (c.inFile != nullptr) {
            EXPECT_NE(file().find(c.inFile), std::string::npos) << c.what << "\n" << file();
        }
        form.reset();
        window.reset();
        sdl.reset();
    }

    // Full screen saved, the window chosen on the title: the window comes back.
    settings = Settings{};
    settings.path = fs::absolute("config/pelea/pelea.ini").string();
    settings.fullscreen = true;
    start();
    ASSERT_TRUE(sdl->initDisplay(true));
    form->g.m.itemMenu = 1;
    form->g.m.modoTela = pelea::tela::Titulo;
    poll();
    form->g.m.modoTela = pelea::tela::Selecao;
    poll();
    EXPECT_FALSE(sdl->fullscreen());
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_NE(file().find("display = window\n"), std::string::npos) << file();
}

}  // namespace
}  // namespace options
