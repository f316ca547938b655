// The spectator's feed: any stretch of a session's log crosses in packets that fit a datagram,
// comes out the same frame for frame, and runs on the spectator's game exactly as a replay of
// that log does.
#include "net/spectate_feed.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/tform1.h"
#include "net/link.h"
#include "net/spectator.h"
#include "platform/headless/headless_platform.h"
#include "replay/replay_file.h"
#include "replay/state_hash.h"

namespace net {
namespace {

constexpr int kPause = 'P', kCredit = '5', kJoin = '2';

FrameInput in(uint8_t states, std::vector<int> keys = {}) {
    FrameInput f;
    f.states = states;
    for (const int k : keys)
        f.addKey(k);
    return f;
}

TEST(SpectatorFeed, AnyLogCrossesInWholePacketsAndRunsAsItsReplay) {
    struct Case {
        const char* name;
        int64_t frames;
        // Fills frame f: the two inputs and whether the game's frame ran.
        std::function<void(int64_t, FrameInput&, FrameInput&, bool&)> frame;
        size_t packets;  // the fewest packets that can hold it
    };
    const Case cases[] = {
        {"devices only", 1000,
         [](int64_t f, FrameInput& a, FrameInput& b, bool&) {
             a = in(static_cast<uint8_t>(f * 7));
             b = in(static_cast<uint8_t>(f / 3));
         },
         7},
        {"four keys a side on every frame", 200,
         [](int64_t f, FrameInput& a, FrameInput& b, bool&) {
             a = in(static_cast<uint8_t>(f), {'A', 'B', 'C', 'D'});
             b = in(1, {'E', 'F', 'G', 'H'});
         },
         67},
        // Credits and joins, then the game paused for a while by fighter 2's side and resumed.
        {"a long pause", 2000,
         [](int64_t f, FrameInput& a, FrameInput& b, bool& ran) {
             a = in(f % 40 < 2 ? 16 : 0, f == 300 ? std::vector<int>{kCredit} : std::vector<int>{});
             b = in(f % 50 < 3 ? 16 : 4, f == 400                ? std::vector<int>{kCredit, kJoin}
                                         : f == 900 || f == 1500 ? std::vector<int>{kPause}
                                                                 : std::vector<int>{});
             ran = f < 900 || f >= 1500;
         },
         13},
        {"a pause on every other frame", 400,
         [](int64_t f, FrameInput& a, FrameInput& b, bool& ran) {
             a = in(0, f >= 100 ? std::vector<int>{kPause} : std::vector<int>{});
             b = in(2);
             ran = f < 100 || f % 2 == 1;
         },
         13},  // 24 key presses a packet
    };
    for (const Case& c : cases) {
        SessionLog log;
        for (int64_t f = 0; f < c.frames; ++f) {
            FrameInput a, b;
            bool ran = true;
            c.frame(f, a, b, ran);
            log.add(a, b, ran, nullptr);
        }
        auto [host, spectator] = makeMemoryPair();
        platform::HeadlessPlatform plat;
        pelea::TForm1 form(plat, pelea::StartOptions{true, 9, false});
        form.FormCreate();
        form.setBlindMute(true);
        Watcher watcher(form, *spectator);
        size_t packets = 0;
        for (int64_t f = 0; f < log.frames(); ++packets) {
            const Feed m = feedOf(log, f, log.frames());
            ASSERT_GT(m.count(), 0U) << c.name;
            const std::vector<uint8_t> bytes = encode(m);
            EXPECT_LE(bytes.size(), kMaxPacketBytes) << c.name;
            host->send(Channel::Control, bytes);
            f += static_cast<int64_t>(m.count());
        }
        EXPECT_EQ(packets, c.packets) << c.name;
        host->send(Channel::Control, encode(Quit{QuitReason::Finished}));
        EXPECT_EQ(watcher.receive(), Watcher::Status::Ended) << c.name;
        ASSERT_EQ(watcher.held(), c.frames) << c.name;
        std::vector<uint64_t> hashes;
        replay::Header header;
        replayOf(log, 9, header, c.frames, [&](int64_t, uint64_t h) { hashes.push_back(h); });
        for (int64_t f = 0; f < c.frames; ++f) {
            EXPECT_EQ(watcher.log().input(1, f), log.input(1, f)) << c.name << " frame " << f;
            EXPECT_EQ(watcher.log().input(2, f), log.input(2, f)) << c.name << " frame " << f;
            EXPECT_EQ(watcher.log().ran(f), log.ran(f)) << c.name << " frame " << f;
            watcher.run(false);
            ASSERT_EQ(replay::stateHash(form.g), hashes[static_cast<size_t>(f)])
                << c.name << " frame " << f;
        }
        // What it holds is acknowledged.
        std::vector<uint8_t> said;
        Message m;
        bool acked = false;
        while (host->receive(said))
            acked = decode(said, m) && std::get_if<FeedAck>(&m) != nullptr &&
                    std::get<FeedAck>(m).frames == c.frames;
        EXPECT_TRUE(acked) << c.name;
    }
}

}  // namespace
}  // namespace net
