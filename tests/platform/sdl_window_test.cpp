// The game's window on SDL's windowless "dummy" driver: its size and frame, the picture it shows
// letterboxed at a whole factor, frames that repeat the last one not shown again, and Alt+Enter
// switching full screen without the game ever seeing the Enter.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "media/color.h"
#include "media/surface.h"
#include "platform/sdl/sdl_platform.h"

namespace platform {
namespace {

constexpr int kEnter = 13;

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // Never a real window or sound device, however the suite is started.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override {
        sdl.reset();
        SDL_Quit();
    }
    SdlPlatform& open(int scale = 0) {
        sdl = std::make_unique<SdlPlatform>(scale);
        EXPECT_TRUE(sdl->initDisplay(false));
        return *sdl;
    }
    std::vector<int> poll() {
        std::vector<int> keys;
        bool quit = false;
        sdl->pollEvents(keys, quit);
        return keys;
    }
    void pushKey(SDL_Keycode key, Uint16 mod, Uint8 repeat = 0) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = SDL_GetWindowID(sdl->window());
        e.key.state = SDL_PRESSED;
        e.key.repeat = repeat;
        e.key.keysym.sym = key;
        e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    // The window's pixel at (x, y) as 24-bit r, g, b.
    uint32_t shownAt(int x, int y) {
        uint32_t argb = 0;
        const SDL_Rect r{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(sdl->renderer(), &r, SDL_PIXELFORMAT_ARGB8888, &argb, 4), 0)
            << SDL_GetError();
        return argb & 0xFFFFFFu;
    }

    std::unique_ptr<SdlPlatform> sdl;
};

TEST_F(SdlWindow, OpensFramedAndResizableAtAWholeFactor) {
    struct Case {
        int scale, w, h;
    };
    // The dummy desktop is 1024×768: 80% of it holds the picture twice over.
    const Case cases[] = {{0, 800, 600}, {1, 400, 300}, {3, 1200, 900}};
    for (const Case& c : cases) {
        SdlPlatform& p = open(c.scale);
        int w = 0, h = 0;
        SDL_GetWindowSize(p.window(), &w, &h);
        EXPECT_EQ(w, c.w) << "scale " << c.scale;
        EXPECT_EQ(h, c.h) << "scale " << c.scale;
        const Uint32 flags = SDL_GetWindowFlags(p.window());
        EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
        EXPECT_EQ(flags & SDL_WINDOW_BORDERLESS, 0u);
        SDL_GetWindowMinimumSize(p.window(), &w, &h);
        EXPECT_EQ(w, 400);
        EXPECT_EQ(h, 300);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
        sdl.reset();
    }
}

TEST_F(SdlWindow, ShowsThePictureLetterboxedAtAWholeFactor) {
    struct Case {
        int w, h, nudge;
        int left, top, scale;  // where the picture lands, worked out by hand
    };
    const Case cases[] = {
        {1001, 651, 0, 100, 25, 2},
        {1001, 651, 3, 106, 25, 2},
        {799, 600, 0, 199, 150, 1},
        {1300, 950, -2, 44, 25, 3},
    };
    SdlPlatform& p = open(1);
    media::Surface s;
    const media::TColor red = media::rgb(255, 0, 0), grey = media::rgb(120, 120, 120);
    s.fill(grey);
    s.pixels()[0] = media::to565(red);                          // top left
    s.pixels()[299 * 400 + 399] = media::to565(media::kWhite);  // bottom right
    for (const Case& c : cases) {
        SDL_SetWindowSize(p.window(), c.w, c.h);
        poll();
        p.present(s, c.nudge);
        const int right = c.left + 400 * c.scale, bottom = c.top + 300 * c.scale;
        const auto at = [&](int x, int y) { return shownAt(x, y); };
        EXPECT_EQ(at(c.left, c.top), 0xFF0000u) << c.w << "x" << c.h;
        EXPECT_EQ(at(c.left + c.scale - 1, c.top + c.scale - 1), 0xFF0000u) << c.w;
        EXPECT_EQ(at(c.left + c.scale, c.top), 0x7B797Bu) << c.w;
        EXPECT_EQ(at(right - 1, bottom - 1), 0xFFFFFFu) << c.w;
        EXPECT_EQ(at(right - c.scale, bottom - c.scale), 0xFFFFFFu) << c.w;
        EXPECT_EQ(at(right - c.scale - 1, bottom - 1), 0x7B797Bu) << c.w;
        EXPECT_EQ(at(c.left - 1, c.top), 0u) << c.w;
        EXPECT_EQ(at(right, bottom - 1), 0u) << c.w;
        if (c.top > 0) {
            EXPECT_EQ(at(c.left, c.top - 1), 0u) << c.w;
        }
        EXPECT_EQ(at(c.w - 1, c.h - 1), 0u) << c.w;
    }
}

TEST_F(SdlWindow, AFrameLikeTheLastIsNotShownAgain) {
    struct Step {
        int pixel;       // a pixel set to white before the present, or -1
        int nudge;       // the nudge presented with
        bool uncovered;  // the window is uncovered (exposed) first
        bool present;    // a frame is presented (none comes while the game is paused)
        int shown;       // frames shown so far
    };
    const Step steps[] = {
        {-1, 0, false, true, 1},  {-1, 0, false, true, 1},  {500, 0, false, true, 2},
        {500, 0, false, true, 2}, {500, 4, false, true, 3}, {500, 4, false, true, 3},
        {500, 4, true, false, 4},  // uncovered with no frame coming: the last one again
        {500, 4, false, true, 4}, {500, 0, false, true, 5},
    };
    SdlPlatform& p = open(1);
    media::Surface s;
    int i = 0;
    for (const Step& step : steps) {
        if (step.pixel >= 0) s.pixels()[step.pixel] = 0xFFFF;
        if (step.uncovered) {
            SDL_Event e{};
            e.type = SDL_WINDOWEVENT;
            e.window.event = SDL_WINDOWEVENT_EXPOSED;
            e.window.windowID = SDL_GetWindowID(p.window());
            SDL_PushEvent(&e);
        }
        poll();
        if (step.present) p.present(s, step.nudge);
        EXPECT_EQ(p.presentCount(), static_cast<uint64_t>(step.shown)) << "step " << i;
        ++i;
    }
}

TEST_F(SdlWindow, AltEnterSwitchesFullScreenAndNeverReachesTheGame) {
    struct Step {
        SDL_Keycode key;
        Uint16 mod;
        Uint8 repeat;
        bool enterReachesGame;
        bool fullscreen;
    };
    const Step steps[] = {
        {SDLK_RETURN, KMOD_NONE, 0, true, false},
        {SDLK_RETURN, KMOD_LALT, 0, false, true},
        {SDLK_RETURN, KMOD_LALT, 1, false, true},  // held: no second switch
        {SDLK_KP_ENTER, KMOD_RALT, 0, false, false},
        {SDLK_RETURN, KMOD_LSHIFT, 0, true, false},
        {SDLK_RETURN, KMOD_LALT | KMOD_LCTRL, 0, false, true},
    };
    SdlPlatform& p = open(1);
    std::vector<bool> told;
    p.onFullscreenToggled([&told](bool on) { told.push_back(on); });
    std::vector<bool> expectedTold;
    bool was = false;
    int i = 0;
    for (const Step& step : steps) {
        pushKey(step.key, step.mod, step.repeat);
        pushKey(SDLK_5, KMOD_NONE);  // the keys after it still arrive, in order
        const std::vector<int> keys = poll();
        const std::vector<int> expected =
            step.enterReachesGame ? std::vector<int>{kEnter, '5'} : std::vector<int>{'5'};
        EXPECT_EQ(keys, expected) << "step " << i;
        EXPECT_EQ(p.fullscreen(), step.fullscreen) << "step " << i;
        EXPECT_EQ((SDL_GetWindowFlags(p.window()) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                      SDL_WINDOW_FULLSCREEN_DESKTOP,
                  step.fullscreen)
            << "step " << i;
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), step.fullscreen ? SDL_DISABLE : SDL_ENABLE)
            << "step " << i;
        if (step.fullscreen != was) expectedTold.push_back(step.fullscreen);
        was = step.fullscreen;
        ++i;
    }
    EXPECT_EQ(told, expectedTold);
}

// The title screen's full-screen choice and Alt+Enter switch the same window.
TEST_F(SdlWindow, TheGamesOwnFullScreenChoiceStillWorks) {
    SdlPlatform& p = open(1);
    ASSERT_TRUE(p.initDisplay(true));
    EXPECT_TRUE(p.fullscreen());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    pushKey(SDLK_RETURN, KMOD_LALT);
    EXPECT_TRUE(poll().empty());
    EXPECT_FALSE(p.fullscreen());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_TRUE(p.initDisplay(true));
    EXPECT_TRUE(p.fullscreen());
}

// OpenGL that the processor draws gives way to the software renderer; a graphics card's does not.
TEST(SdlRenderer, OpenGlDrawnByTheProcessorIsRecognised) {
    struct Case {
        const char* name;
        bool software;
    };
    const Case cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa DRI Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"Mesa Intel(R) Graphics (ADL GT2)", false},
        {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
        {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
        {"", false},
        {nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSoftwareRasterizer(c.name), c.software) << (c.name ? c.name : "(none)");
}

}  // namespace
}  // namespace platform
