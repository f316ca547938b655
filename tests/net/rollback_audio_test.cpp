// Sound across a rollback: what was heard is not heard twice, what the corrected frames no
// longer make is cut short, and what they make anew is played late.
#include "net/rollback_audio.h"

#include <gtest/gtest.h>

#include <vector>

namespace net {
namespace {

struct Mixer : media::AudioOut {
    std::vector<int> plays, stops;
    int upload(const media::SoundData&) override { return 0; }
    void play(int handle, bool) override { plays.push_back(handle); }
    void stop(int handle) override { stops.push_back(handle); }
    void reset() override {}
};

// Sounds by frame: what frames 10 … 13 made live, and what they make when run again.
using Frames = std::vector<std::vector<int>>;

TEST(RollbackSound, TheCorrectedFramesAreHeardAsWhatChanged) {
    struct Case {
        const char* name;
        Frames live, again;
        std::vector<int> playedLate, cut;
    };
    const Case cases[] = {
        {"the same sounds again", {{1}, {}, {2, 3}, {}}, {{1}, {}, {2, 3}, {}}, {}, {}},
        {"a punch that did not happen", {{}, {4}, {}, {}}, {{}, {}, {}, {}}, {}, {4}},
        {"a coin that came late", {{}, {}, {}, {}}, {{}, {0}, {}, {}}, {0}, {}},
        {"a sound a frame later", {{5}, {}, {}, {}}, {{}, {5}, {}, {}}, {}, {}},
        {"one of two copies gone", {{6, 6}, {}, {}, {}}, {{6}, {}, {}, {}}, {}, {6}},
        {"one swapped for another", {{}, {}, {7}, {}}, {{}, {}, {8}, {}}, {8}, {7}},
    };
    for (const Case& c : cases) {
        Mixer mixer;
        RollbackAudio audio(mixer);
        for (int64_t f = 10; f < 14; ++f) {
            audio.beginFrame(f, true);
            for (const int h : c.live[static_cast<size_t>(f - 10)])
                audio.play(h, false);
        }
        const size_t heard = mixer.plays.size();
        for (int64_t f = 10; f < 14; ++f) {
            audio.beginFrame(f, false);
            for (const int h : c.again[static_cast<size_t>(f - 10)])
                audio.play(h, false);
        }
        EXPECT_EQ(mixer.plays.size(), heard) << c.name << ": frames run again are not heard";
        audio.correct(10, 14);
        EXPECT_EQ(std::vector<int>(mixer.plays.begin() + static_cast<std::ptrdiff_t>(heard),
                                   mixer.plays.end()),
                  c.playedLate)
            << c.name;
        EXPECT_EQ(mixer.stops, c.cut) << c.name;
        // Corrected once, the frames count as heard the new way: the same correction again
        // changes nothing.
        mixer.plays.clear();
        mixer.stops.clear();
        for (int64_t f = 10; f < 14; ++f) {
            audio.beginFrame(f, false);
            for (const int h : c.again[static_cast<size_t>(f - 10)])
                audio.play(h, false);
        }
        audio.correct(10, 14);
        EXPECT_TRUE(mixer.plays.empty()) << c.name;
        EXPECT_TRUE(mixer.stops.empty()) << c.name;
    }
}

}  // namespace
}  // namespace net
