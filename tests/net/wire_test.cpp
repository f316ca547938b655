// The netplay wire format: every message comes back as it was sent, and anything that is not
// one whole message of this protocol is refused.
#include "net/wire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace net {
namespace {

FrameInput input(uint8_t states, std::vector<int> keys = {}) {
    FrameInput in;
    in.states = states;
    for (const int k : keys)
        in.addKey(k);
    return in;
}

Inputs fullPacket() {
    Inputs m;
    m.first = 1000;
    for (uint8_t i = 0; i < kInputsPerPacket; ++i)
        m.inputs.push_back(input(static_cast<uint8_t>(i * 17),
                                 i % 5 == 0 ? std::vector<int>{53, 50} : std::vector<int>{}));
    m.ack = 1020;  // the receiver's inputs it holds: this side may give its own up to 1032
    m.frame = 1010;
    m.advantage = -3;
    m.hashFirst = 990;
    for (uint64_t i = 0; i < kHashesPerPacket; ++i)
        m.hashes.push_back(0x0123456789abcdefULL * (i + 1));
    m.pingId = 65535;
    m.pongId = 7;
    m.pongHoldMs = 28;
    return m;
}

// A feed of kFeedFrames frames from 5000 with keys on both sides and two pause runs.
Feed fullFeed() {
    Feed m;
    m.first = 5000;
    m.live = 5300;
    for (size_t i = 0; i < 2 * kFeedFrames; ++i)
        m.states.push_back(static_cast<uint8_t>(i * 13));
    for (uint16_t i = 0; i < kFeedKeys; ++i)
        m.keys.push_back({static_cast<uint16_t>(i * 6), static_cast<uint8_t>(1 + i % 2), 53});
    m.paused = {{10, 5}, {16, 144}};
    return m;
}

bool sameInputs(const Inputs& a, const Inputs& b) {
    return a.first == b.first && a.inputs == b.inputs && a.ack == b.ack && a.frame == b.frame &&
           a.advantage == b.advantage && a.hashFirst == b.hashFirst && a.hashes == b.hashes &&
           a.pingId == b.pingId && a.pongId == b.pongId &&
           a.pongHoldMs == b.pongHoldMs;
}

TEST(WireFormat, EveryMessageComesBackAsItWasSent) {
    struct Case {
        const char* name;
        Message message;
        std::function<bool(const Message&)> same;
    };
    const Hello hello{"1.0", 0xfedcba9876543210ULL, 3000};
    const Welcome welcome{"1.0", 42, 0xffffffffffffffffULL, 4, 2999};
    const Welcome again{"1.0", 42, 7, 1, 0, 0x7fffffff};
    const Inputs inputs = fullPacket();
    Inputs first;
    first.first = 0;
    first.inputs = {input(0)};
    // The joiner has the host's inputs up to 99 only: the host sends from 100 on, while it
    // runs frame 120 with the joiner's inputs known to 119.
    Inputs behind;
    behind.first = 100;
    for (int i = 0; i < 24; ++i)
        behind.inputs.push_back(input(static_cast<uint8_t>(i)));
    behind.ack = 119;
    behind.frame = 120;
    const Case cases[] = {
        {"hello", hello,
         [&](const Message& m) {
             const auto& h = std::get<Hello>(m);
             return h.gameVersion == "1.0" && h.dataHash == hello.dataHash && h.frames == 3000;
         }},
        {"welcome", welcome,
         [&](const Message& m) {
             const auto& w = std::get<Welcome>(m);
             return w.seed == welcome.seed && w.delay == 4 && w.frames == 2999 &&
                    w.dataHash == 42 && w.from == 0;
         }},
        {"welcome to a player joining again", again,
         [&](const Message& m) { return std::get<Welcome>(m).from == 0x7fffffffU; }},
        {"refuse", Refuse{RefuseReason::Data, "2.3"},
         [](const Message& m) {
             const auto& r = std::get<Refuse>(m);
             return r.reason == RefuseReason::Data && r.gameVersion == "2.3";
         }},
        {"a full packet of inputs", inputs,
         [&](const Message& m) { return sameInputs(std::get<Inputs>(m), inputs); }},
        {"the very first input", first,
         [&](const Message& m) { return sameInputs(std::get<Inputs>(m), first); }},
        {"inputs far behind the frame run", behind,
         [&](const Message& m) { return sameInputs(std::get<Inputs>(m), behind); }},
        {"quit", Quit{QuitReason::Finished},
         [](const Message& m) { return std::get<Quit>(m).reason == QuitReason::Finished; }},
        {"desync", Desync{123456},
         [](const Message& m) { return std::get<Desync>(m).frame == 123456; }},
        {"watch", Watch{"1.0", 77},
         [](const Message& m) {
             return std::get<Watch>(m).gameVersion == "1.0" && std::get<Watch>(m).dataHash == 77;
         }},
        {"a full feed", fullFeed(),
         [](const Message& m) {
             const Feed& f = std::get<Feed>(m);
             const Feed want = fullFeed();
             auto key = [](const FeedKey& k) { return std::tuple(k.offset, k.fighter, k.code); };
             return f.first == want.first && f.live == want.live && f.states == want.states &&
                    f.paused == want.paused && f.keys.size() == want.keys.size() &&
                    std::equal(f.keys.begin(), f.keys.end(), want.keys.begin(),
                               [&](const FeedKey& a, const FeedKey& b) {
                                   return key(a) == key(b);
                               });
         }},
        {"a feed with nothing new", Feed{300, 300, {}, {}, {}},
         [](const Message& m) { return std::get<Feed>(m).count() == 0; }},
        {"feed ack", FeedAck{4000},
         [](const Message& m) { return std::get<FeedAck>(m).frames == 4000; }},
        {"refuse: the match is over", Refuse{RefuseReason::Over, "1.0"},
         [](const Message& m) { return std::get<Refuse>(m).reason == RefuseReason::Over; }},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = encode(c.message);
        EXPECT_LE(bytes.size(), kMaxPacketBytes) << c.name;
        Message back;
        ASSERT_TRUE(decode(bytes, back)) << c.name;
        ASSERT_EQ(back.index(), c.message.index()) << c.name;
        EXPECT_TRUE(c.same(back)) << c.name;
    }
}

TEST(WireFormat, NumbersTravelLittleEndian) {
    const std::vector<uint8_t> bytes = encode(Desync{0x01020304});
    const std::vector<uint8_t> expected = {'P', 'N', kProtocolVersion, 6, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(bytes, expected);
}

// A full feed, changed.
std::vector<uint8_t> feed(const std::function<void(Feed&)>& change) {
    Feed f = fullFeed();
    change(f);
    return encode(f);
}

TEST(WireFormat, BadPacketsAreRefused) {
    const std::vector<uint8_t> good = encode(fullPacket());
    // Offsets in an input packet: header 4, first 4, count 1, then 16 frames.
    constexpr size_t kCount = 8;
    auto with = [&](size_t at, uint8_t v) {
        std::vector<uint8_t> b = good;
        b[at] = v;
        return b;
    };
    Inputs backwards = fullPacket();
    backwards.hashFirst = backwards.first + 10;  // hashes of frames after the inputs it carries
    Inputs runAhead = fullPacket();
    runAhead.frame = static_cast<uint32_t>(runAhead.ack + 2 + kWindow);  // past its window
    Inputs givesAhead = fullPacket();
    givesAhead.first = static_cast<uint32_t>(givesAhead.ack + kWindow + kMaxDelay - 14);
    Inputs hashesAhead = fullPacket();
    hashesAhead.inputs.resize(4);
    hashesAhead.ack = 1004;  // the last hash is of frame 1005, whose input it lacks
    Inputs wrap = fullPacket();
    wrap.first = 0x7ffffff8U;
    Inputs tooManyKeys;
    tooManyKeys.inputs = {input(1)};
    std::vector<uint8_t> keys = encode(tooManyKeys);
    keys[10] = kMaxKeysPerFrame + 1;  // the frame's key count
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    std::vector<uint8_t> huge(kMaxPacketBytes + 1, 'P');
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"header only", {'P', 'N', kProtocolVersion}},
        {"truncated by one byte", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"truncated in the inputs", std::vector<uint8_t>(good.begin(), good.begin() + 20)},
        {"a byte too long", longer},
        {"longer than any datagram", huge},
        {"wrong magic", with(0, 'X')},
        {"wrong version", with(2, kProtocolVersion + 1)},
        {"unknown type", with(3, 99)},
        {"no inputs", with(kCount, 0)},
        {"more inputs than a packet holds", with(kCount, kInputsPerPacket + 1)},
        {"count past the end", with(kCount, 15)},
        {"more keys than a frame holds", keys},
        {"hashes of frames after the inputs", encode(backwards)},
        {"a frame run past the window", encode(runAhead)},
        {"inputs given past the window", encode(givesAhead)},
        {"hashes of frames whose input it lacks", encode(hashesAhead)},
        {"frames past the last", encode(wrap)},
        {"welcome with a delay of 5",
         [] {
             std::vector<uint8_t> b = encode(Welcome{"1.0", 1, 2, 4, 0});
             b[b.size() - 9] = 5;
             return b;
         }()},
        {"welcome again past the frames to run", encode(Welcome{"1.0", 1, 2, 1, 300, 301})},
        {"welcome again past 2^31", encode(Welcome{"1.0", 1, 2, 1, 0, 0x80000000U})},
        {"version name longer than allowed",
         [] {
             std::vector<uint8_t> b = encode(Hello{"1.0", 1, 0});
             b[4] = kMaxVersionBytes + 1;
             return b;
         }()},
        {"quit for no reason", {'P', 'N', kProtocolVersion, 5, 0}},
        {"refuse for an unknown reason", encode(Refuse{static_cast<RefuseReason>(6), "1.0"})},
        {"feed past the frames confirmed", feed([](Feed& f) { f.live = f.first + 100; })},
        {"feed past 2^31", feed([](Feed& f) { f.live = 0x80000000U; })},
        {"feed key past its frames",
         feed([](Feed& f) { f.keys.back().offset = kFeedFrames; })},
        {"feed keys out of order", feed([](Feed& f) { f.keys[3].offset = 0; })},
        {"feed key of fighter 3", feed([](Feed& f) { f.keys[0].fighter = 3; })},
        {"feed keys of fighter 2 before fighter 1",
         feed([](Feed& f) { f.keys = {{4, 2, 53}, {4, 1, 53}}; })},
        {"more keys in a frame than it holds",
         feed([](Feed& f) { f.keys.assign(kMaxKeysPerFrame + 1, FeedKey{7, 1, 53}); })},
        {"more keys than a feed holds",
         feed([](Feed& f) { f.keys.push_back({kFeedFrames - 1, 2, 1}); })},
        {"pause runs that touch", feed([](Feed& f) { f.paused = {{10, 5}, {15, 2}}; })},
        {"pause runs that overlap", feed([](Feed& f) { f.paused = {{10, 5}, {12, 2}}; })},
        {"an empty pause run", feed([](Feed& f) { f.paused = {{10, 0}}; })},
        {"a pause run past the frames", feed([](Feed& f) { f.paused = {{150, 11}}; })},
        {"more frames than a feed holds",
         feed([](Feed& f) { f.states.resize(2 * kFeedFrames + 2); })},
        {"feed ack past 2^31", encode(FeedAck{0x80000000U})},
    };
    for (const Case& c : cases) {
        Message m;
        EXPECT_FALSE(decode(c.bytes, m)) << c.name;
    }
}

// The packet fuzzer starts from these seeds: each must be a whole message of this protocol, or
// the fuzzer starts from bytes refused at the version and never reaches the decoders.
TEST(WireFormat, EveryPacketSeedOfTheFuzzerIsAMessage) {
    const std::filesystem::path folder =
        std::filesystem::path(PELEA_SOURCE_DIR) / "fuzz" / "corpus" / "net_packet";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        Message m;
        EXPECT_TRUE(decode(bytes, m)) << entry.path().filename();
        ++seeds;
    }
    EXPECT_GE(seeds, 10);
}

}  // namespace
}  // namespace net
