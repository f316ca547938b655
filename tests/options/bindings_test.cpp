// Each fighter's eight controls: rebinding takes a free key, swaps a taken one and refuses the
// game's own keys; both fighters share one keyboard without ever reading each other's keys.
#include "options/bindings.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "media/input.h"

namespace options {
namespace {

struct Bind {
    int fighter, control, key;
};

TEST(Rebinding, AKeyIsTakenSwappedOrRefusedAndNeverHeldTwice) {
    struct Case {
        const char* what;
        Bind bind;
        BindResult result;
        // What changed from the defaults: {fighter, control, key}.
        std::vector<Bind> after;
    };
    const Case cases[] = {
        {"a free key",
         {1, Button1, SDL_SCANCODE_Q},
         BindResult::Taken,
         {{1, Button1, SDL_SCANCODE_Q}}},
        {"fighter 2's key: the two swap",
         {1, Up, SDL_SCANCODE_I},
         BindResult::Swapped,
         {{1, Up, SDL_SCANCODE_I}, {2, Up, SDL_SCANCODE_UP}}},
        {"fighter 1's key taken by fighter 2",
         {2, Button4, SDL_SCANCODE_Z},
         BindResult::Swapped,
         {{2, Button4, SDL_SCANCODE_Z}, {1, Button1, SDL_SCANCODE_F}}},
        {"within one fighter",
         {1, Button1, SDL_SCANCODE_V},
         BindResult::Swapped,
         {{1, Button1, SDL_SCANCODE_V}, {1, Button4, SDL_SCANCODE_Z}}},
        {"its own key", {2, Left, SDL_SCANCODE_J}, BindResult::Unchanged, {}},
        {"Esc quits the game", {1, Up, SDL_SCANCODE_ESCAPE}, BindResult::Refused, {}},
        {"P pauses", {2, Button1, SDL_SCANCODE_P}, BindResult::Refused, {}},
        {"5 inserts a credit", {1, Button2, SDL_SCANCODE_5}, BindResult::Refused, {}},
        {"2 lets player 2 join", {2, Down, SDL_SCANCODE_2}, BindResult::Refused, {}},
        {"Enter", {1, Left, SDL_SCANCODE_RETURN}, BindResult::Refused, {}},
        {"minus slows the game", {1, Right, SDL_SCANCODE_MINUS}, BindResult::Refused, {}},
        {"F1 opens the menu", {1, Button3, SDL_SCANCODE_F1}, BindResult::Refused, {}},
        {"Backspace rewinds", {2, Button3, SDL_SCANCODE_BACKSPACE}, BindResult::Refused, {}},
        {"Tab opens the controls", {2, Up, SDL_SCANCODE_TAB}, BindResult::Refused, {}},
        {"Page Up raises the music", {1, Up, SDL_SCANCODE_PAGEUP}, BindResult::Refused, {}},
        {"Delete lowers the effects", {1, Up, SDL_SCANCODE_DELETE}, BindResult::Refused, {}},
        {"N steps a replay", {2, Right, SDL_SCANCODE_N}, BindResult::Refused, {}},
        {"8 doubles a replay's speed", {2, Right, SDL_SCANCODE_8}, BindResult::Refused, {}},
        {"no key at all", {1, Up, SDL_SCANCODE_UNKNOWN}, BindResult::Refused, {}},
    };
    for (const Case& c : cases) {
        Bindings b = Bindings::defaults();
        Bindings expected = Bindings::defaults();
        for (const Bind& a : c.after)
            expected.keys[static_cast<size_t>(a.fighter - 1)][static_cast<size_t>(a.control)] =
                a.key;
        EXPECT_EQ(b.bindKey(c.bind.fighter, c.bind.control, c.bind.key), c.result) << c.what;
        EXPECT_EQ(b.keys, expected.keys) << c.what;
        EXPECT_EQ(b.pad, expected.pad) << c.what;
        std::set<int> seen;
        for (const auto& side : b.keys) {
            for (const int k : side)
                EXPECT_TRUE(seen.insert(k).second) << c.what << ": a key held twice";
        }
    }
}

TEST(Rebinding, APadButtonIsTakenOrSwappedWithinTheFightersPad) {
    struct Case {
        const char* what;
        Bind bind;
        BindResult result;
        std::vector<Bind> after;
    };
    const Case cases[] = {
        {"a free button",
         {2, Button1, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
         BindResult::Taken,
         {{2, Button1, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}}},
        {"a button of the same pad: swapped",
         {2, Button1, SDL_CONTROLLER_BUTTON_Y},
         BindResult::Swapped,
         {{2, Button1, SDL_CONTROLLER_BUTTON_Y}, {2, Button4, SDL_CONTROLLER_BUTTON_A}}},
        {"the other fighter's pads are not this one's",
         {1, Up, SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
         BindResult::Taken,
         {{1, Up, SDL_CONTROLLER_BUTTON_LEFTSHOULDER}}},
        {"Back cancels a rebinding", {1, Up, SDL_CONTROLLER_BUTTON_BACK}, BindResult::Refused, {}},
        {"Guide is the system's", {1, Up, SDL_CONTROLLER_BUTTON_GUIDE}, BindResult::Refused, {}},
        {"no button", {1, Up, SDL_CONTROLLER_BUTTON_INVALID}, BindResult::Refused, {}},
    };
    for (const Case& c : cases) {
        Bindings b = Bindings::defaults();
        Bindings expected = Bindings::defaults();
        for (const Bind& a : c.after)
            expected.pad[static_cast<size_t>(a.fighter - 1)][static_cast<size_t>(a.control)] =
                a.key;
        EXPECT_EQ(b.bindButton(c.bind.fighter, c.bind.control, c.bind.key), c.result) << c.what;
        EXPECT_EQ(b.pad, expected.pad) << c.what;
        EXPECT_EQ(b.keys, expected.keys) << c.what;
    }
}

TEST(Rebinding, RestoringTheDefaultsUndoesEveryChange) {
    Bindings b = Bindings::defaults();
    b.bindKey(1, Up, SDL_SCANCODE_W);
    b.bindKey(2, Button1, SDL_SCANCODE_Z);
    b.bindButton(2, Button2, SDL_CONTROLLER_BUTTON_START);
    ASSERT_NE(b, Bindings::defaults());
    b = Bindings::defaults();
    EXPECT_EQ(b.key(1, Up), SDL_SCANCODE_UP);
    EXPECT_EQ(b.key(1, Button1), SDL_SCANCODE_Z);
    EXPECT_EQ(b.key(2, Button1), SDL_SCANCODE_A);
    EXPECT_EQ(b.button(2, Button2), SDL_CONTROLLER_BUTTON_B);
}

// No default key is shared, and none is one of the game's own.
TEST(OneKeyboard, TheDefaultsShareNoKeyAndUseNoneOfTheGamesKeys) {
    const Bindings b = Bindings::defaults();
    std::set<int> seen;
    for (int f = 1; f <= 2; ++f) {
        for (int c = 0; c < kControls; ++c) {
            EXPECT_FALSE(reservedKey(b.key(f, c))) << f << "/" << c;
            EXPECT_TRUE(seen.insert(b.key(f, c)).second) << f << "/" << c;
        }
    }
}

TEST(OneKeyboard, EachFighterReadsOnlyItsOwnKeys) {
    struct Case {
        std::vector<SDL_Scancode> held;
        uint32_t fighter1, fighter2;
    };
    using namespace media;
    const Case cases[] = {
        {{}, 0, 0},
        {{SDL_SCANCODE_LEFT, SDL_SCANCODE_Z}, isLeft | isButton1, 0},
        {{SDL_SCANCODE_J, SDL_SCANCODE_A}, 0, isLeft | isButton1},
        {{SDL_SCANCODE_UP, SDL_SCANCODE_I}, isUp, isUp},
        {{SDL_SCANCODE_K, SDL_SCANCODE_L, SDL_SCANCODE_F}, 0, isDown | isRight | isButton4},
        {{SDL_SCANCODE_DOWN, SDL_SCANCODE_RIGHT, SDL_SCANCODE_X, SDL_SCANCODE_C, SDL_SCANCODE_S,
          SDL_SCANCODE_D},
         isDown | isRight | isButton2 | isButton3,
         isButton2 | isButton3},
        {{SDL_SCANCODE_V, SDL_SCANCODE_B, SDL_SCANCODE_RETURN}, isButton4, 0},
    };
    const Bindings b = Bindings::defaults();
    for (const Case& c : cases) {
        std::array<uint8_t, SDL_NUM_SCANCODES> keys{};
        for (const SDL_Scancode k : c.held)
            keys[k] = 1;
        EXPECT_EQ(keyStates(b, 1, keys.data(), SDL_NUM_SCANCODES), c.fighter1) << c.held.size();
        EXPECT_EQ(keyStates(b, 2, keys.data(), SDL_NUM_SCANCODES), c.fighter2) << c.held.size();
    }
}

// A key moved to fighter 2 drives fighter 2 alone from then on.
TEST(OneKeyboard, ARebindingMovesTheKeyFromOneSetToTheOther) {
    Bindings b = Bindings::defaults();
    ASSERT_EQ(b.bindKey(2, Button1, SDL_SCANCODE_Z), BindResult::Swapped);
    std::array<uint8_t, SDL_NUM_SCANCODES> keys{};
    keys[SDL_SCANCODE_Z] = 1;
    EXPECT_EQ(keyStates(b, 1, keys.data(), SDL_NUM_SCANCODES), 0u);
    EXPECT_EQ(keyStates(b, 2, keys.data(), SDL_NUM_SCANCODES), uint32_t{media::isButton1});
    keys[SDL_SCANCODE_Z] = 0;
    keys[SDL_SCANCODE_A] = 1;
    EXPECT_EQ(keyStates(b, 1, keys.data(), SDL_NUM_SCANCODES), uint32_t{media::isButton1});
    EXPECT_EQ(keyStates(b, 2, keys.data(), SDL_NUM_SCANCODES), 0u);
}

}  // namespace
}  // namespace options
