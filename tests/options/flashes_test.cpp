// Softer flashes: with "SUAVES" the full-screen red flash becomes a faint red tint over the
// picture; "NORMALES" is the game as it is. Neither changes a thing of the game itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "options/controls_screen.h"
#include "options/settings.h"
#include "support/game_fixture.h"

namespace options {
namespace {

using pelea::testing::Game;

constexpr uint16_t kRed565 = media::to565(media::rgb(255, 0, 0));

struct FlashRun {
    double mostRed = 0;  // the largest share of pure red pixels in one frame
    double meanRed = 0;  // the red channel's mean over the frames, 0 … 31
    pelea::GameState end;
};

// A fight past its intro, a strong blow's flash staged, and the frames it lasts.
FlashRun flashFrames(bool soft, uint8_t flash) {
    Game game(21);
    game.L(1).humano = 1;
    game.pastIntro();
    game.frames(5);
    game.form.DXDraw1.Surface.softFlashes = soft;
    game.m().flashTempo = flash;
    FlashRun r;
    constexpr int kFrames = 8;
    constexpr int kPixels = media::Surface::kWidth * media::Surface::kHeight;
    for (int f = 0; f < kFrames; ++f) {
        game.frame();
        const uint16_t* p = game.form.DXDraw1.Surface.pixels();
        const auto red = std::count(p, p + kPixels, kRed565);
        r.mostRed = std::max(r.mostRed, static_cast<double>(red) / kPixels);
        double sum = 0;
        for (int i = 0; i < kPixels; ++i)
            sum += p[i] >> 11;
        r.meanRed += sum / kPixels / kFrames;
    }
    r.end = game.g();
    return r;
}

TEST(SoftFlashes, TheFlashIsAFaintTintAndTheGameIsTheSame) {
    struct Case {
        const char* what;
        bool soft;
        double mostRedAtMost, mostRedAtLeast;
    };
    const Case cases[] = {
        {"NORMALES: the screen turns red", false, 1.0, 0.8},
        {"SUAVES: a faint tint", true, 0.02, 0.0},
    };
    const FlashRun none = flashFrames(false, 0);
    for (const Case& c : cases) {
        const FlashRun r = flashFrames(c.soft, 6);
        EXPECT_LE(r.mostRed, c.mostRedAtMost) << c.what;
        EXPECT_GE(r.mostRed, c.mostRedAtLeast) << c.what;
        // Still a flash: the picture is redder than without one.
        EXPECT_GT(r.meanRed, none.meanRed + 0.3) << c.what;
        // The flash is only a picture: the game runs exactly the same.
        EXPECT_TRUE(pelea::testing::sameState(r.end, flashFrames(!c.soft, 6).end)) << c.what;
    }
}

TEST(SoftFlashes, TheChoiceIsOneRowOfTheControlsScreenAndOneLineOfTheFile) {
    struct Case {
        std::vector<int> keys;  // pressed on the flashes' row
        bool soft;
        ControlsScreen::Outcome last;
    };
    const Case cases[] = {
        {{SDL_SCANCODE_RIGHT}, true, ControlsScreen::Outcome::Changed},
        {{SDL_SCANCODE_RIGHT, SDL_SCANCODE_RIGHT}, true, ControlsScreen::Outcome::Nothing},
        {{SDL_SCANCODE_RIGHT, SDL_SCANCODE_LEFT}, false, ControlsScreen::Outcome::Changed},
        {{SDL_SCANCODE_LEFT}, false, ControlsScreen::Outcome::Nothing},
        {{SDL_SCANCODE_RETURN}, true, ControlsScreen::Outcome::Changed},
        {{SDL_SCANCODE_RETURN, SDL_SCANCODE_RETURN}, false, ControlsScreen::Outcome::Changed},
    };
    for (const Case& c : cases) {
        Settings s;
        ControlsScreen screen(s);
        screen.open();
        while (screen.row() != ControlsScreen::kFlashRow)
            screen.key(SDL_SCANCODE_DOWN);
        ControlsScreen::Outcome last = ControlsScreen::Outcome::Nothing;
        for (const int k : c.keys)
            last = screen.key(k);
        EXPECT_EQ(s.softFlashes, c.soft) << c.keys.size();
        EXPECT_EQ(last, c.last) << c.keys.size();
        // Saved with the others and read back.
        std::vector<SettingsProblem> problems;
        const std::string text = settingsText(s);
        EXPECT_NE(text.find(c.soft ? "flashes = soft\n" : "flashes = normal\n"), std::string::npos);
        EXPECT_EQ(parseSettings(text, problems).softFlashes, c.soft);
        EXPECT_TRUE(problems.empty());
    }
    std::vector<SettingsProblem> problems;
    EXPECT_FALSE(parseSettings("flashes = dim\n", problems).softFlashes);
    ASSERT_EQ(problems.size(), 1U);
    EXPECT_EQ(problems[0].message, "flashes is normal or soft, not \"dim\"");
}

}  // namespace
}  // namespace options
