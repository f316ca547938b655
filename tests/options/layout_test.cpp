// Another keyboard layout: the game hears its own keys by what they produce, so a key is refused
// for a fighter by what it produces under the layout in use, a key that drives a fighter never
// also fires one of the game's keys, and the controls screen names keys as the layout shows them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "options/bindings.h"
#include "options/controls_screen.h"
#include "options/sdl/bound_controls.h"
#include "options/settings.h"
#include "platform/sdl/sdl_platform.h"

namespace options {
namespace {

// A French keyboard, as SDL reads it: the keys that differ from a US one.
SDL_Keycode french(SDL_Scancode key) {
    switch (key) {
        case SDL_SCANCODE_Q:
            return SDLK_a;
        case SDL_SCANCODE_A:
            return SDLK_q;
        case SDL_SCANCODE_W:
            return SDLK_z;
        case SDL_SCANCODE_Z:
            return SDLK_w;
        case SDL_SCANCODE_M:
            return SDLK_COMMA;
        case SDL_SCANCODE_SEMICOLON:
            return SDLK_m;
        case SDL_SCANCODE_COMMA:
            return SDLK_SEMICOLON;
        case SDL_SCANCODE_PERIOD:
            return SDLK_COLON;
        case SDL_SCANCODE_SLASH:
            return SDLK_EXCLAIM;
        case SDL_SCANCODE_MINUS:
            return SDLK_RIGHTPAREN;
        case SDL_SCANCODE_6:
            return SDLK_MINUS;
        case SDL_SCANCODE_8:
            return SDLK_UNDERSCORE;
        default:  // as on a US keyboard
            return SDL_GetKeyFromName(SDL_GetScancodeName(key));
    }
}

// Sets a layout for one test and gives SDL's back after it.
struct Layout {
    explicit Layout(KeyLayout l) { setKeyLayout(l); }
    ~Layout() { setKeyLayout(nullptr); }
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;
};

TEST(KeyboardLayout, TheGamesKeysAreRefusedByWhatTheyProduce) {
    struct Case {
        SDL_Scancode key;
        bool us, fr;  // refused on a US keyboard, on a French one
    };
    const Case cases[] = {
        {SDL_SCANCODE_M, false, true},           // the French comma
        {SDL_SCANCODE_SEMICOLON, false, false},  // the French M
        {SDL_SCANCODE_COMMA, true, false},       // the French semicolon
        {SDL_SCANCODE_PERIOD, true, false},      // the French colon
        {SDL_SCANCODE_6, true, true},            // 6 on one, the minus on the other
        {SDL_SCANCODE_MINUS, true, false},       // the French closing bracket
        {SDL_SCANCODE_Q, false, false},         {SDL_SCANCODE_P, true, true},
        {SDL_SCANCODE_N, true, true},           {SDL_SCANCODE_EQUALS, true, true},
        {SDL_SCANCODE_TAB, true, true},  // read where it sits
        {SDL_SCANCODE_PAGEUP, true, true},      {SDL_SCANCODE_UNKNOWN, true, true},
    };
    for (const Case& c : cases) {
        const std::string name = SDL_GetScancodeName(c.key);
        EXPECT_EQ(reservedKey(c.key), c.us) << "US " << name;
        Bindings b = Bindings::defaults();
        EXPECT_EQ(b.bindKey(1, Button1, c.key) == BindResult::Refused, c.us) << "US " << name;
        const Layout fr(french);
        EXPECT_EQ(reservedKey(c.key), c.fr) << "French " << name;
        Bindings f = Bindings::defaults();
        EXPECT_EQ(f.bindKey(1, Button1, c.key) == BindResult::Refused, c.fr) << "French " << name;
    }
}

TEST(KeyboardLayout, TheSettingsFileAndTheControlsScreenRefuseByTheLayoutInUse) {
    const Layout fr(french);
    std::vector<SettingsProblem> problems;
    const Settings s = parseSettings("player1.button1 = M\nplayer1.button2 = ;\n", problems);
    ASSERT_EQ(problems.size(), 1U);
    EXPECT_EQ(problems[0].line, 1);
    EXPECT_NE(problems[0].message.find("one of the game's own keys"), std::string::npos);
    EXPECT_EQ(s.controls.key(1, Button1), SDL_SCANCODE_Z);  // the default stays
    EXPECT_EQ(s.controls.key(1, Button2), SDL_SCANCODE_SEMICOLON);

    Settings on = Settings{};
    ControlsScreen screen(on);
    screen.open();
    screen.key(SDL_SCANCODE_DOWN);
    screen.key(SDL_SCANCODE_DOWN);
    screen.key(SDL_SCANCODE_DOWN);
    screen.key(SDL_SCANCODE_DOWN);  // fighter 1's light punch
    screen.key(SDL_SCANCODE_RETURN);
    EXPECT_EQ(screen.key(SDL_SCANCODE_M), ControlsScreen::Outcome::Nothing);
    EXPECT_EQ(screen.message(), ",: ES DEL JUEGO, ELIGE OTRA");
    EXPECT_EQ(on.controls.key(1, Button1), SDL_SCANCODE_Z);
}

TEST(KeyboardLayout, KeysAreNamedAsTheLayoutShowsThem) {
    struct Case {
        SDL_Scancode key;
        const char* us;
        const char* fr;
    };
    const Case cases[] = {
        {SDL_SCANCODE_Z, "Z", "W"},
        {SDL_SCANCODE_A, "A", "Q"},
        {SDL_SCANCODE_SEMICOLON, ";", "M"},
        {SDL_SCANCODE_UP, "UP", "UP"},
        {SDL_SCANCODE_LSHIFT, "LEFT SHIFT", "LEFT SHIFT"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyLabel(c.key), c.us);
        const Layout fr(french);
        EXPECT_EQ(keyLabel(c.key), c.fr);
        // The file keeps naming the key by where it sits, whatever the layout.
        EXPECT_EQ(keyName(c.key), SDL_GetScancodeName(c.key));
    }
}

// Key presses as SDL gives them on a French keyboard reach the platform (SDL's dummy video
// driver, events pushed as the keyboard would send them).
class LayoutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0)
            << SDL_GetError();
        sdl = std::make_unique<platform::SdlPlatform>(1);
        sdl->setControls(&controls);
        ASSERT_TRUE(sdl->initDisplay(false));
    }
    void TearDown() override {
        sdl.reset();
        SDL_Quit();
    }
    std::vector<int> press(SDL_Scancode key, SDL_Keycode produced) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.scancode = key;
        e.key.keysym.sym = produced;
        SDL_PushEvent(&e);
        std::vector<int> keys;
        bool quit = false;
        sdl->pollEvents(keys, quit);
        return keys;
    }

    Bindings bindings = Bindings::defaults();
    BoundControls controls{bindings};
    std::unique_ptr<platform::SdlPlatform> sdl;
};

TEST_F(LayoutWindow, AKeyThatDrivesAFighterNeverAlsoFiresAGameKey) {
    // Fighter 1's light punch on M, as saved on a US keyboard, where M is a letter.
    ASSERT_EQ(bindings.bindKey(1, Button1, SDL_SCANCODE_M), BindResult::Taken);
    struct Case {
        const char* what;
        SDL_Scancode key;
        SDL_Keycode produced;
        std::vector<int> heard;  // the game's keys it fires
    };
    const Case cases[] = {
        {"the bound M, a comma in French", SDL_SCANCODE_M, SDLK_COMMA, {}},
        {"the light kick's X", SDL_SCANCODE_X, SDLK_x, {}},
        {"P, bound to nothing", SDL_SCANCODE_P, SDLK_p, {'P'}},
        {"the French comma key's neighbour", SDL_SCANCODE_COMMA, SDLK_SEMICOLON, {}},
        {"the French minus", SDL_SCANCODE_6, SDLK_MINUS, {189}},
        {"Esc", SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, {27}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(press(c.key, c.produced), c.heard) << c.what;
    // Bound elsewhere, the French comma key is the comma again.
    bindings = Bindings::defaults();
    EXPECT_EQ(press(SDL_SCANCODE_M, SDLK_COMMA), std::vector<int>{188});
}

}  // namespace
}  // namespace options
