// Pads without hardware: SDL's virtual joysticks, each driving one fighter. The first pad drives
// fighter 2 and the second fighter 1 unless the settings name them; a pad unplugged and plugged
// in again drives the same fighter; the stick counts only past its dead zone.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "media/input.h"
#include "options/bindings.h"
#include "options/sdl/bound_controls.h"
#include "platform/sdl/sdl_input.h"

namespace platform {
namespace {

constexpr int kDead = 32767 / 20;

class TwoPads : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0)
            << SDL_GetError();
    }
    void TearDown() override {
        pads.close();
        while (SDL_NumJoysticks() > 0)
            SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    }

    // A game controller told apart from the others by its product number; its instance id.
    SDL_JoystickID plug(Uint16 product) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.vendor_id = 0x1234;
        desc.product_id = product;
        desc.name = "Test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        pads.refresh();
        return id;
    }
    void unplug(SDL_JoystickID id) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
        // The platform hears of it through the removal event.
        SDL_Event e{};
        e.type = SDL_JOYDEVICEREMOVED;
        e.jdevice.which = id;
        pads.handle(e);
    }
    static std::string guid(SDL_JoystickID id) {
        char text[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(SDL_JoystickFromInstanceID(id)), text,
                                  sizeof text);
        return text;
    }
    static void button(SDL_JoystickID id, int b, bool down) {
        SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(id), b, down ? 1 : 0);
    }
    static void axis(SDL_JoystickID id, int a, int value) {
        SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(id), a, static_cast<Sint16>(value));
    }
    std::array<uint32_t, 2> read() {
        SDL_JoystickUpdate();
        SDL_GameControllerUpdate();
        return {pads.states(1), pads.states(2)};
    }

    SdlPads pads;
};

TEST_F(TwoPads, TheFirstPadDrivesFighterTwoAndTheSecondFighterOne) {
    const SDL_JoystickID first = plug(1);
    const SDL_JoystickID second = plug(2);
    ASSERT_EQ(pads.connected(), 2);
    EXPECT_EQ(pads.fighterOf(first), 2);
    EXPECT_EQ(pads.fighterOf(second), 1);
    using media::isButton1, media::isLeft;
    button(first, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(read(), (std::array<uint32_t, 2>{0, isButton1}));
    button(second, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_EQ(read(), (std::array<uint32_t, 2>{isLeft, isButton1}));
}

TEST_F(TwoPads, TheStickReachesItsOwnFighterOnlyPastTheDeadZone) {
    const SDL_JoystickID first = plug(1);
    const SDL_JoystickID second = plug(2);
    struct Case {
        int x, y;
        uint32_t states;
    };
    const Case cases[] = {
        {0, 0, 0},
        {kDead, kDead, 0},
        {-kDead, -kDead, 0},
        {kDead + 1, 0, media::isRight},
        {-kDead - 1, 0, media::isLeft},
        {0, -kDead - 1, media::isUp},
        {0, 32767, media::isDown},
        {-32768, 32767, media::isLeft | media::isDown},
    };
    for (const Case& c : cases) {
        axis(second, SDL_CONTROLLER_AXIS_LEFTX, c.x);
        axis(second, SDL_CONTROLLER_AXIS_LEFTY, c.y);
        EXPECT_EQ(read(), (std::array<uint32_t, 2>{c.states, 0})) << c.x << "," << c.y;
    }
    axis(second, SDL_CONTROLLER_AXIS_LEFTX, 0);
    axis(second, SDL_CONTROLLER_AXIS_LEFTY, 0);
    for (const Case& c : cases) {
        axis(first, SDL_CONTROLLER_AXIS_LEFTX, c.x);
        axis(first, SDL_CONTROLLER_AXIS_LEFTY, c.y);
        EXPECT_EQ(read(), (std::array<uint32_t, 2>{0, c.states})) << c.x << "," << c.y;
    }
}

// Mid-fight the first pad is pulled out and pushed back in: it drives fighter 2 again, even
// after another pad came in meanwhile.
TEST_F(TwoPads, APadPluggedInAgainDrivesTheSameFighter) {
    const SDL_JoystickID first = plug(1);
    const SDL_JoystickID second = plug(2);
    unplug(first);
    EXPECT_EQ(pads.connected(), 1);
    EXPECT_EQ(read(), (std::array<uint32_t, 2>{0, 0}));
    const SDL_JoystickID third = plug(3);
    const SDL_JoystickID again = plug(1);
    EXPECT_EQ(pads.connected(), 3);
    EXPECT_EQ(pads.fighterOf(again), 2);
    EXPECT_EQ(pads.fighterOf(second), 1);
    EXPECT_EQ(pads.fighterOf(third), 2);
    button(again, SDL_CONTROLLER_BUTTON_Y, true);
    EXPECT_EQ(read(), (std::array<uint32_t, 2>{0, media::isButton4}));
    // The second, unplugged and back, still drives fighter 1.
    unplug(second);
    const SDL_JoystickID secondAgain = plug(2);
    EXPECT_EQ(pads.fighterOf(secondAgain), 1);
}

TEST_F(TwoPads, TheSettingsSayWhichPadDrivesWhichFighter) {
    const SDL_JoystickID first = plug(1);
    const SDL_JoystickID second = plug(2);
    struct Case {
        const char* what;
        std::array<PadChoice, 2> guids;
        int first, second;
    };
    const Case cases[] = {
        {"by order", {}, 2, 1},
        {"the first named for fighter 1", {{{guid(first)}, {}}}, 1, 2},
        {"both named, swapped", {{{guid(first)}, {guid(second)}}}, 1, 2},
        {"both named as the order has them", {{{guid(second)}, {guid(first)}}}, 2, 1},
        {"a pad not plugged in named", {{{"0300000000000000000000000000dead"}, {}}}, 2, 1},
    };
    for (const Case& c : cases) {
        pads.setAssignment(c.guids);
        EXPECT_EQ(pads.fighterOf(first), c.first) << c.what;
        EXPECT_EQ(pads.fighterOf(second), c.second) << c.what;
        button(first, SDL_CONTROLLER_BUTTON_A, true);
        const std::array<uint32_t, 2> states = read();
        EXPECT_EQ(states[static_cast<size_t>(c.first - 1)], uint32_t{media::isButton1}) << c.what;
        EXPECT_EQ(states[static_cast<size_t>(2 - c.first)], 0u) << c.what;
        button(first, SDL_CONTROLLER_BUTTON_A, false);
    }
}

// Two pads of one model share a GUID: a slot names which of them, in the order plugged in.
TEST_F(TwoPads, TwoPadsOfOneModelAreToldApartByTheirSlot) {
    const SDL_JoystickID first = plug(7);
    const SDL_JoystickID second = plug(7);
    const std::string g = guid(first);
    ASSERT_EQ(guid(second), g);
    EXPECT_EQ(pads.choiceOf(2), (PadChoice{g, 1}));
    EXPECT_EQ(pads.choiceOf(1), (PadChoice{g, 2}));
    struct Case {
        const char* what;
        std::array<PadChoice, 2> choices;
        int first, second;
    };
    const Case cases[] = {
        {"by order", {}, 2, 1},
        {"swapped, by slot", {{{g, 1}, {g, 2}}}, 1, 2},
        {"as the order has them", {{{g, 2}, {g, 1}}}, 2, 1},
        {"slot 0: every pad of the model", {{{g, 0}, {}}}, 1, 1},
        {"a slot no pad has", {{{g, 3}, {}}}, 2, 1},
    };
    for (const Case& c : cases) {
        pads.setAssignment(c.choices);
        EXPECT_EQ(pads.fighterOf(first), c.first) << c.what;
        EXPECT_EQ(pads.fighterOf(second), c.second) << c.what;
        button(second, SDL_CONTROLLER_BUTTON_B, true);
        EXPECT_EQ(read()[static_cast<size_t>(c.second - 1)], uint32_t{media::isButton2}) << c.what;
        button(second, SDL_CONTROLLER_BUTTON_B, false);
    }
    // Swapped, then the first pulled out and pushed back in: it takes the first one's place.
    pads.setAssignment({PadChoice{g, 1}, PadChoice{g, 2}});
    unplug(first);
    EXPECT_EQ(pads.choiceOf(1), PadChoice{});
    const SDL_JoystickID again = plug(7);
    EXPECT_EQ(pads.fighterOf(again), 1);
    EXPECT_EQ(pads.fighterOf(second), 2);
    EXPECT_EQ(pads.choiceOf(1), (PadChoice{g, 1}));
}

// The fighter's pad controls decide which button is which.
TEST_F(TwoPads, ARebuttonedPadReadsThroughItsFightersControls) {
    options::Bindings b = options::Bindings::defaults();
    b.bindButton(2, options::Button1, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    const options::BoundControls controls(b);
    pads.setControls(&controls);
    const SDL_JoystickID first = plug(1);
    button(first, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(read()[1], 0u);
    button(first, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    EXPECT_EQ(read()[1], uint32_t{media::isButton1});
}

}  // namespace
}  // namespace platform
