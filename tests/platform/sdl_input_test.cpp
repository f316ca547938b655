// The SDL layer's controls: which key or pad button is which of a fighter's eight states, and
// which key press is which of the key handler's keys.
#include "platform/sdl/sdl_input.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "media/input.h"

namespace platform {
namespace {

TEST(SdlKeyboard, EachKeyHoldsItsOwnState) {
    struct Caso {
        SDL_Scancode key;
        uint32_t state;
    };
    const Caso casos[] = {
        {SDL_SCANCODE_UP, media::isUp},
        {SDL_SCANCODE_DOWN, media::isDown},
        {SDL_SCANCODE_LEFT, media::isLeft},
        {SDL_SCANCODE_RIGHT, media::isRight},
        {SDL_SCANCODE_Z, media::isButton1},
        {SDL_SCANCODE_X, media::isButton2},
        {SDL_SCANCODE_C, media::isButton3},
        {SDL_SCANCODE_V, media::isButton4},
        {SDL_SCANCODE_B, 0},
        {SDL_SCANCODE_RETURN, 0},
    };
    for (const Caso& c : casos) {
        std::array<Uint8, SDL_NUM_SCANCODES> keys{};
        keys[c.key] = 1;
        EXPECT_EQ(keyboardStates(keys.data()), c.state) << SDL_GetScancodeName(c.key);
    }
    std::array<Uint8, SDL_NUM_SCANCODES> all{};
    all[SDL_SCANCODE_Z] = all[SDL_SCANCODE_V] = all[SDL_SCANCODE_LEFT] = 1;
    EXPECT_EQ(keyboardStates(all.data()), media::isButton1 | media::isButton4 | media::isLeft);
}

TEST(SdlKeyboard, KeyPressesBecomeTheKeyHandlersKeys) {
    struct Caso {
        SDL_Keycode key;
        int virtualKey;
    };
    const Caso casos[] = {
        {SDLK_ESCAPE, 27}, {SDLK_LGUI, 91},     {SDLK_MINUS, 189}, {SDLK_EQUALS, 187},
        {SDLK_COMMA, 188}, {SDLK_PERIOD, 190},  {SDLK_F1, 112},    {SDLK_p, 'P'},
        {SDLK_1, '1'},     {SDLK_2, '2'},       {SDLK_5, '5'},     {SDLK_F2, 113},
        {SDLK_F12, 123},   {SDLK_BACKSPACE, 8}, {SDLK_HOME, 36},   {SDLK_F13, 0},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(virtualKeyOf(c.key), c.virtualKey) << SDL_GetKeyName(c.key);
}

// Whether a key is held (the training's rewind key) is asked by its virtual-key code.
TEST(SdlKeyboard, VirtualKeysLeadBackToTheirKeys) {
    struct Caso {
        int virtualKey;
        SDL_Keycode key;
    };
    const Caso casos[] = {
        {8, SDLK_BACKSPACE}, {113, SDLK_F2}, {123, SDLK_F12},   {27, SDLK_ESCAPE},
        {'P', SDLK_p},       {'5', SDLK_5},  {0, SDLK_UNKNOWN}, {124, SDLK_UNKNOWN},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(keycodeOf(c.virtualKey), c.key) << c.virtualKey;
}

TEST(SdlPad, TheStickCountsOnlyPastItsDeadZone) {
    constexpr int kDead = 32767 / 20;
    struct Caso {
        int x, y;
        uint32_t states;
    };
    const Caso casos[] = {
        {0, 0, 0},
        {kDead, -kDead, 0},
        {kDead + 1, 0, media::isRight},
        {-kDead - 1, 0, media::isLeft},
        {0, -32768, media::isUp},
        {0, 32767, media::isDown},
        {32767, 32767, media::isRight | media::isDown},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(axisStates(c.x, c.y), c.states) << c.x << "," << c.y;
}

// A pad plugged in while the game runs drives fighter 2: its buttons and stick, as a game
// controller (A B X Y) and as a plain joystick (buttons 1 to 4, stick, hat).
class SdlPadDevice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0)
            << SDL_GetError();
    }
    void TearDown() override {
        pad.close();
        if (index >= 0) SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    }
    void plug(SDL_JoystickType type, int axes, int buttons, int hats) {
        index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        ASSERT_GE(index, 0) << SDL_GetError();
        pad.refresh();
        device = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
        ASSERT_NE(device, nullptr);
    }
    uint32_t read() {
        SDL_JoystickUpdate();
        SDL_GameControllerUpdate();
        return pad.states(2);
    }

    SdlPads pad;
    SDL_Joystick* device = nullptr;
    int index = -1;
};

TEST_F(SdlPadDevice, ControllerButtonsAreTheFourAttacks) {
    plug(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    struct Caso {
        SDL_GameControllerButton button;
        uint32_t state;
    };
    const Caso casos[] = {
        {SDL_CONTROLLER_BUTTON_A, media::isButton1},
        {SDL_CONTROLLER_BUTTON_B, media::isButton2},
        {SDL_CONTROLLER_BUTTON_X, media::isButton3},
        {SDL_CONTROLLER_BUTTON_Y, media::isButton4},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, media::isLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, media::isUp},
    };
    ASSERT_EQ(read(), 0u);
    for (const Caso& c : casos) {
        SDL_JoystickSetVirtualButton(device, c.button, 1);
        EXPECT_EQ(read(), c.state) << SDL_GameControllerGetStringForButton(c.button);
        SDL_JoystickSetVirtualButton(device, c.button, 0);
    }
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, 30000);
    EXPECT_EQ(read(), media::isRight);
}

TEST_F(SdlPadDevice, JoystickButtonsOneToFourAreTheFourAttacks) {
    plug(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6, 1);
    const uint32_t expected[] = {
        media::isButton1, media::isButton2, media::isButton3, media::isButton4, 0, 0};
    ASSERT_EQ(read(), 0u);
    for (int b = 0; b < 6; ++b) {
        SDL_JoystickSetVirtualButton(device, b, 1);
        EXPECT_EQ(read(), expected[b]) << "button " << b;
        SDL_JoystickSetVirtualButton(device, b, 0);
    }
    SDL_JoystickSetVirtualHat(device, 0, SDL_HAT_LEFTDOWN);
    EXPECT_EQ(read(), media::isLeft | media::isDown);
    SDL_JoystickSetVirtualHat(device, 0, SDL_HAT_CENTERED);
    SDL_JoystickSetVirtualAxis(device, 1, -30000);
    EXPECT_EQ(read(), media::isUp);
}

}  // namespace
}  // namespace platform
