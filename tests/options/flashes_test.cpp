// Softer flashes: with "SUAVES" the full-screen red flash becomes a faint red tint over the
// picture; "NORMALES" is the game as it is. Neither changes a thing of the game itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "options/controls_screen.h"
#include "options/settings.h"
#include "options/soft_shake.h"
#include "platform/common/frame_pipeline.h"
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

// A stage whose every pixel says where on the stage it is: red the column modulo 32, green the
// row modulo 64. A screen pixel read back tells which stage point the player sees there.
media::Picture placedStage() {
    media::Picture stage(600, 320);
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 600; ++x)
            stage.setPixel(x, y, media::rgb(static_cast<uint8_t>((x % 32) << 3),
                                            static_cast<uint8_t>((y % 64) << 2), 0));
    }
    return stage;
}

int wrapped(int d, int period) {
    d %= period;
    if (d > period / 2) d -= period;
    if (d < -period / 2) d += period;
    return d;
}

struct ShakeRun {
    int farthest = 0;    // the largest move of the stage on the screen from where it would be
    int lastMoved = 0;   // the move in the frames after the shake
    pelea::GameState end;
};

// A fight with a shake of 16 frames staged, shown through the window's watcher; each frame's
// picture compared with where the stage stands in the same fight without a shake.
ShakeRun shakeFrames(bool soft) {
    constexpr int kShake = 16, kAfter = 4, kProbeX = 100, kProbeY = 150;
    Game calm(21), shaken(21);
    for (Game* g : {&calm, &shaken}) {
        g->L(1).humano = g->L(2).humano = 1;
        g->pastIntro();
        g->frames(5);
        media::ImageItem& stage = g->form.DXImageListCenario.Items(0);
        stage.setPicture(placedStage());
        stage.Restore();
    }
    shaken.form.DXDraw1.Surface.softFlashes = soft;
    platform::FramePipeline pipeline(shaken.form);
    SoftShake calmer;
    pipeline.watch(calmer);
    pipeline.tick();  // the watcher has seen a fight frame
    calm.frame();
    shaken.m().tremorTempo = kShake;
    ShakeRun r;
    for (int f = 0; f < kShake + kAfter; ++f) {
        calm.frame();
        pipeline.tick();
        const media::TColor c = shaken.form.DXDraw1.Surface.colorAt(kProbeX, kProbeY);
        const int seenX = media::red(c) >> 3, seenY = media::green(c) >> 2;
        const int dx = wrapped(seenX - (kProbeX + calm.m().telaX), 32);
        const int dy = wrapped(seenY - (kProbeY + calm.m().telaY), 64);
        const int moved = std::max(std::abs(dx), std::abs(dy));
        if (f < kShake) r.farthest = std::max(r.farthest, moved);
        else r.lastMoved = std::max(r.lastMoved, moved);
    }
    r.end = shaken.g();
    return r;
}

TEST(SoftFlashes, TheShakeMovesThePictureHalfAsFarAndTheGameIsTheSame) {
    struct Case {
        const char* what;
        bool soft;
        int farthestAtLeast, farthestAtMost;
    };
    const Case cases[] = {
        {"NORMALES: the view jumps up to 10 pixels", false, 6, SoftShake::kLargestShake},
        {"SUAVES: half as far, and still a shake", true, 1, SoftShake::kLargestShake / 2},
    };
    for (const Case& c : cases) {
        const ShakeRun r = shakeFrames(c.soft);
        EXPECT_GE(r.farthest, c.farthestAtLeast) << c.what;
        EXPECT_LE(r.farthest, c.farthestAtMost) << c.what;
        EXPECT_EQ(r.lastMoved, 0) << c.what;
        EXPECT_TRUE(pelea::testing::sameState(r.end, shakeFrames(!c.soft).end)) << c.what;
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
