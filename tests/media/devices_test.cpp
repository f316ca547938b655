#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/input.h"
#include "media/sound.h"
#include "media/timer.h"

namespace media {
namespace {

struct FakeAudio : AudioOut {
    std::vector<std::string> calls;
    int uploads = 0;
    int upload(const SoundData& d) override {
        calls.push_back("upload " + std::to_string(d.frames()));
        return uploads++;
    }
    void play(int h, bool looped) override {
        calls.push_back("play " + std::to_string(h) + (looped ? " looped" : ""));
    }
    void stop(int h) override { calls.push_back("stop " + std::to_string(h)); }
    void reset() override { calls.push_back("reset"); }
};

SoundData frames(int n) {
    SoundData d;
    d.samples.assign(static_cast<size_t>(n) * SoundData::kChannels, 0);
    return d;
}

struct Sounds : ::testing::Test {
    FakeAudio audio;
    DXSound sound{audio};
    WaveList snd{"Snd", sound};
    WaveList musica{"Musica", sound};
    void SetUp() override {
        snd.Add().data = frames(10);
        snd.Add();  // empty
        snd.Add().data = frames(30);
        WaveItem& m = musica.Add();
        m.data = frames(40);
        m.Looped = true;
    }
};

TEST_F(Sounds, InitializeResetsThenUploadsEveryItem) {
    snd.Play(0);
    snd.Stop(0);
    EXPECT_TRUE(audio.calls.empty());  // silent before the device is up
    EXPECT_EQ(sound.playedCount(), 0);
    sound.Initialize();
    const std::vector<std::string> want{"reset", "upload 10", "upload 30", "upload 40"};
    EXPECT_EQ(audio.calls, want);
    EXPECT_TRUE(sound.Initialized());
}

TEST_F(Sounds, PlayRecordsAndPlaysOnlyWhatCanSound) {
    sound.Initialize();
    audio.calls.clear();
    struct Case {
        WaveList* list;
        int index;
        bool mute;
        const char* call;  // nullptr: nothing happens
    };
    const Case cases[] = {
        {&snd, 0, false, "play 0"},
        {&snd, 2, false, "play 1"},
        {&musica, 0, false, "play 2 looped"},
        {&snd, 1, false, nullptr},
        {&snd, 3, false, nullptr},
        {&snd, -1, false, nullptr},
        {&snd, 0, true, nullptr},
    };
    for (const Case& c : cases) {
        audio.calls.clear();
        sound.clearPlayed();
        sound.mute = c.mute;
        c.list->Play(c.index);
        if (c.call == nullptr) {
            EXPECT_TRUE(audio.calls.empty()) << c.list->name() << " " << c.index;
            EXPECT_EQ(sound.playedCount(), 0);
            continue;
        }
        EXPECT_EQ(audio.calls, std::vector<std::string>{c.call});
        ASSERT_EQ(sound.playedCount(), 1);
        EXPECT_STREQ(sound.played()[0].list, c.list->name());
        EXPECT_EQ(sound.played()[0].index, c.index);
    }
    sound.mute = false;
    audio.calls.clear();
    musica.Stop(0);
    EXPECT_EQ(audio.calls, std::vector<std::string>{"stop 2"});
}

TEST_F(Sounds, EventsAreCappedPerFrameAndFinalizeSilences) {
    sound.Initialize();
    for (int i = 0; i < DXSound::kMaxEvents + 10; ++i)
        snd.Play(0);
    EXPECT_EQ(sound.playedCount(), DXSound::kMaxEvents);
    sound.clearPlayed();
    EXPECT_EQ(sound.playedCount(), 0);
    sound.Finalize();
    audio.calls.clear();
    snd.Play(0);
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_FALSE(snd.LoadFromFile(0, "no-such-file.wav"));
    EXPECT_EQ(snd.Items(0).data.frames(), 10u);
}

struct FakeInput : InputSource {
    bool fg = true;
    uint32_t kb = 0, joy = 0;
    bool foreground() override { return fg; }
    uint32_t keyboardRaw() override { return kb; }
    uint32_t joystickRaw() override { return joy; }
};

TEST(DXInputUpdate, SetsEmptyInTheBackgroundAndCombinedIsTheUnion) {
    struct Case {
        bool fg;
        uint32_t kb, joy, wantKb, wantJoy, wantStates;
    };
    const Case cases[] = {
        {true, isLeft | isButton1, isRight, isLeft | isButton1, isRight,
         isLeft | isRight | isButton1},
        {false, isLeft, isRight, 0, 0, 0},
        {true, 0x1FF, 0, 0xFF, 0, 0xFF},  // bits above the eight states are dropped
        {true, 0, isDown | isButton4, 0, isDown | isButton4, isDown | isButton4},
    };
    FakeInput src;
    DXInput input(src);
    for (const Case& c : cases) {
        src.fg = c.fg;
        src.kb = c.kb;
        src.joy = c.joy;
        input.Update();
        EXPECT_EQ(input.Keyboard(), c.wantKb);
        EXPECT_EQ(input.Joystick(), c.wantJoy);
        EXPECT_EQ(input.States(), c.wantStates);
    }
}

TEST(DXTimerIdle, TicksAtMostOncePerIntervalWhileActive) {
    struct Step {
        uint64_t now;
        bool active;
        bool tick;
        uint64_t untilDue;  // after the step
    };
    const Step steps[] = {
        {1000, true, true, 28},  {1010, true, false, 18}, {1027, true, false, 1},
        {1028, true, true, 28},  {1100, false, false, 0}, {1101, true, true, 28},
        {1101, true, false, 28},
    };
    DXTimer t;
    t.Interval = 28;
    for (const Step& s : steps) {
        EXPECT_EQ(t.idle(s.now, s.active), s.tick) << s.now;
        EXPECT_EQ(t.msUntilDue(s.now), s.untilDue) << s.now;
    }
    DXTimer every;
    every.Interval = 0;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(every.idle(500, true));
    every.Enabled = false;
    EXPECT_FALSE(every.idle(600, true));
    DXTimer always;
    always.ActiveOnly = false;
    EXPECT_TRUE(always.idle(5, false));
}

}  // namespace
}  // namespace media
