#include "platform/common/app_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "support/game_fixture.h"

namespace platform {
namespace {

// A window that delivers keys on its first poll and closes once the clock passes a time.
class FakeWindow : public pelea::testing::FakePlatform {
public:
    void pollEvents(std::vector<int>& keys, bool& quit) override {
        if (polls++ == 0) keys = firstKeys;
        quit = now >= closeAtMs;
    }
    void present(const media::Surface&, int offsetX) override {
        ++presents;
        offsets.push_back(offsetX);
    }
    void sleepMs(uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
    std::vector<int> firstKeys;
    uint64_t closeAtMs = 0;
    int polls = 0;
    int presents = 0;
    std::vector<int> offsets;
    std::vector<uint32_t> sleeps;
};

TEST(AppLoop, FramesFollowTheTimerAndTheLoopNeverSpins) {
    using namespace pelea::vk;
    struct Case {
        const char* what;
        std::vector<int> keys;
        bool active;
        int minFrames, maxFrames;
        int offset;
    };
    // One second at the default 28 ms interval is 35 or 36 ticks.
    const Case cases[] = {
        {"default speed", {}, true, 35, 37, 0},
        {"surface moved left", {Comma, Comma, Comma}, true, 35, 37, -3},
        {"window in the background", {}, false, 0, 0, 0},
        {"paused: the frozen picture once, with its notice", {P}, true, 1, 1, 0},
        {"paused and resumed", {P, P, Period}, true, 35, 37, 1},
        {"escape", {Escape, Period}, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        FakeWindow window;
        window.firstKeys = c.keys;
        window.isActive = c.active;
        window.closeAtMs = 1000;
        pelea::TForm1 form(window, pelea::testing::Game::options(1, false));
        form.FormCreate();
        EXPECT_EQ(runGame(form, window), 0) << c.what;
        EXPECT_GE(window.presents, c.minFrames) << c.what;
        EXPECT_LE(window.presents, c.maxFrames) << c.what;
        for (const int offset : window.offsets)
            EXPECT_EQ(offset, c.offset) << c.what;
        for (const uint32_t ms : window.sleeps) {
            EXPECT_GE(ms, 1u) << c.what;
            EXPECT_LE(ms, 10u) << c.what;
        }
    }
}

// A window whose polls deliver keys by poll number.
class KeyedWindow : public FakeWindow {
public:
    void pollEvents(std::vector<int>& keys, bool& quit) override {
        const auto it = byPoll.find(polls++);
        if (it != byPoll.end()) keys = it->second;
        quit = now >= closeAtMs;
    }
    std::map<int, std::vector<int>> byPoll;
};

TEST(AppLoop, ThePauseSaysSoOverTheFrozenPicture) {
    using namespace pelea::vk;
    struct Case {
        const char* what;
        std::map<int, std::vector<int>> keys;
        bool shown;
    };
    const Case cases[] = {
        {"paused", {{50, {P}}}, true},
        {"paused and resumed at once", {{50, {P, P}}}, false},
        {"never paused", {}, false},
        {"paused, then a credit while paused", {{50, {P}}, {60, {Digit5}}}, true},
    };
    for (const Case& c : cases) {
        KeyedWindow window;
        window.byPoll = c.keys;
        window.closeAtMs = 2000;
        pelea::TForm1 form(window, pelea::testing::Game::options(1, false));
        form.FormCreate();
        std::vector<media::Canvas::DrawnText> texts;
        form.Canvas.recordTexts(&texts);
        EXPECT_EQ(runGame(form, window), 0) << c.what;
        const bool shown = std::any_of(texts.begin(), texts.end(), [](const auto& t) {
            return t.text == kPausedText;
        });
        EXPECT_EQ(shown, c.shown) << c.what;
        if (c.shown) {
            EXPECT_FALSE(form.DXTimer1.Enabled) << c.what;
        }
    }
}

TEST(AppLoop, IdleSleepIsBoundedAndNeverZero) {
    struct Case {
        bool ticking;
        uint64_t untilDue;
        uint32_t sleep;
    };
    const Case cases[] = {
        {true, 0, 1},   {true, 1, 1},   {true, 7, 7},   {true, 10, 10},
        {true, 28, 10}, {false, 0, 10}, {false, 5, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(idleSleepMs(c.ticking, c.untilDue), c.sleep) << c.ticking << " " << c.untilDue;
    }
}

}  // namespace
}  // namespace platform
