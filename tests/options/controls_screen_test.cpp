// The controls screen as drawn with the game's primitives: the chosen row stands out, and a
// rebinding shows the new key where the old one was.
#include "options/controls_screen.h"

#include <gtest/gtest.h>

#include <string>

#include "support/game_fixture.h"

namespace options {
namespace {

using pelea::testing::Game;

constexpr media::TColor kChosen = media::rgb(40, 40, 90);

// How many pixels of a row's band, over the fighter's two columns, have the chosen colour.
int chosenPixels(const media::Surface& s, int row, int fighter) {
    const int top = 64 + 14 * row;
    const int left = fighter == 1 ? 130 : 260;
    int n = 0;
    for (int y = top; y < top + 14; ++y) {
        for (int x = left; x < left + 120; ++x)
            n += s.colorAt(x, y) == media::from565(media::to565(kChosen)) ? 1 : 0;
    }
    return n;
}

TEST(ControlsScreenPicture, TheChosenRowAndFighterStandOut) {
    struct Case {
        std::vector<SDL_Scancode> keys;
        int row, fighter;
    };
    const Case cases[] = {
        {{}, 0, 1},
        {{SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN}, 2, 1},
        {{SDL_SCANCODE_DOWN, SDL_SCANCODE_RIGHT}, 1, 2},
        {{SDL_SCANCODE_UP, SDL_SCANCODE_UP, SDL_SCANCODE_UP, SDL_SCANCODE_UP, SDL_SCANCODE_UP,
          SDL_SCANCODE_UP, SDL_SCANCODE_LEFT},
         7,
         2},
    };
    for (const Case& c : cases) {
        Game game;
        Settings settings;
        ControlsScreen screen(settings);
        screen.open();
        for (const SDL_Scancode k : c.keys)
            screen.key(k);
        ASSERT_EQ(screen.row(), c.row);
        ASSERT_EQ(screen.fighter(), c.fighter);
        screen.draw(game.form);
        for (int r = 0; r < kControls; ++r) {
            for (int f = 1; f <= 2; ++f) {
                const bool chosen = r == c.row && f == c.fighter;
                EXPECT_EQ(chosenPixels(game.form.DXDraw1.Surface, r, f) > 400, chosen)
                    << "row " << r << " fighter " << f;
            }
        }
    }
}

TEST(ControlsScreenPicture, TheRowsShowEachFightersKeyAndPadButton) {
    Game game;
    Settings settings;
    ControlsScreen screen(settings);
    screen.open();
    screen.key(SDL_SCANCODE_DOWN);
    screen.key(SDL_SCANCODE_RIGHT);
    screen.key(SDL_SCANCODE_RETURN);
    EXPECT_TRUE(screen.waiting());
    EXPECT_EQ(screen.key(SDL_SCANCODE_B), ControlsScreen::Outcome::Changed);
    game.texts.clear();
    screen.draw(game.form);
    const auto shows = [&](const std::string& text) { return game.shows(text); };
    // Fighter 1's down, fighter 2's new down, and the pads' buttons.
    EXPECT_TRUE(shows("DOWN"));
    EXPECT_TRUE(shows("B"));
    EXPECT_FALSE(shows("K"));
    EXPECT_TRUE(shows("CRUZ ABA"));
    EXPECT_TRUE(shows("PATADA FUERTE"));
    EXPECT_TRUE(shows("VOLUMEN DE LA MÚSICA"));
    EXPECT_TRUE(shows("RESTAURAR LOS CONTROLES"));
}

TEST(ControlsScreenPicture, TheMessageLineCoversNoRowAndNoHelp) {
    // Every pixel a message changes lies between the last row and the help lines.
    const auto picture = [](bool refused) {
        Game game;
        Settings settings;
        ControlsScreen screen(settings);
        screen.open();
        screen.key(SDL_SCANCODE_RETURN);
        screen.key(refused ? SDL_SCANCODE_ESCAPE : SDL_SCANCODE_UP);
        if (refused) {
            screen.key(SDL_SCANCODE_RETURN);
            screen.key(SDL_SCANCODE_P);  // the pause key: refused with a message
        }
        screen.draw(game.form);
        const uint16_t* p = game.form.DXDraw1.Surface.pixels();
        return std::vector<uint16_t>(p, p + media::Surface::kWidth * media::Surface::kHeight);
    };
    const std::vector<uint16_t> with = picture(true), without = picture(false);
    const int lastRowBottom = 64 + 14 * ControlsScreen::kRows;
    int changed = 0, top = media::Surface::kHeight, bottom = 0;
    for (int y = 0; y < media::Surface::kHeight; ++y) {
        for (int x = 0; x < media::Surface::kWidth; ++x) {
            const size_t i = static_cast<size_t>(y * media::Surface::kWidth + x);
            if (with[i] == without[i]) continue;
            ++changed;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_GT(changed, 100);
    EXPECT_GE(top, lastRowBottom);
    EXPECT_LT(bottom, 262);  // the first help line's top
}

TEST(ControlsScreenPicture, TheVolumeRowsAndRestoreActOnTheSettings) {
    Settings settings;
    settings.controls.bindKey(1, Up, SDL_SCANCODE_W);
    ControlsScreen screen(settings);
    screen.open();
    for (int i = 0; i < ControlsScreen::kMusicRow; ++i)
        screen.key(SDL_SCANCODE_DOWN);
    EXPECT_EQ(screen.key(SDL_SCANCODE_LEFT), ControlsScreen::Outcome::Changed);
    EXPECT_EQ(screen.key(SDL_SCANCODE_LEFT), ControlsScreen::Outcome::Changed);
    EXPECT_EQ(screen.key(SDL_SCANCODE_RIGHT), ControlsScreen::Outcome::Changed);
    EXPECT_EQ(settings.musicVolume, 9);
    screen.key(SDL_SCANCODE_DOWN);
    for (int i = 0; i < 12; ++i)
        screen.key(SDL_SCANCODE_LEFT);
    EXPECT_EQ(settings.effectsVolume, 0);
    EXPECT_EQ(screen.key(SDL_SCANCODE_LEFT), ControlsScreen::Outcome::Nothing);
    screen.key(SDL_SCANCODE_DOWN);
    ASSERT_EQ(screen.row(), ControlsScreen::kFlashRow);
    screen.key(SDL_SCANCODE_DOWN);
    ASSERT_EQ(screen.row(), ControlsScreen::kSwapPadsRow);
    EXPECT_EQ(screen.key(SDL_SCANCODE_RETURN), ControlsScreen::Outcome::SwapPads);
    screen.key(SDL_SCANCODE_DOWN);
    ASSERT_EQ(screen.row(), ControlsScreen::kRestoreRow);
    EXPECT_EQ(screen.key(SDL_SCANCODE_RETURN), ControlsScreen::Outcome::Changed);
    EXPECT_EQ(settings.controls, Bindings::defaults());
    EXPECT_EQ(settings.musicVolume, 9);  // the volumes are not controls
    EXPECT_EQ(screen.key(SDL_SCANCODE_ESCAPE), ControlsScreen::Outcome::Closed);
    EXPECT_FALSE(screen.isOpen());
}

}  // namespace
}  // namespace options
