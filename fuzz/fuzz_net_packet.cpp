// The netplay decoder on any datagram: it never reads past the bytes, and a message it accepts
// keeps the format's bounds (inputs, a spectator's or rejoining player's feed, the frame a
// rejoining player is welcomed at) and encodes back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "net/spectate_feed.h"
#include "net/wire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    net::Message m;
    if (!net::decode(bytes, m)) return 0;
    if (const auto* in = std::get_if<net::Inputs>(&m)) {
        if (in->inputs.empty() || in->inputs.size() > net::kInputsPerPacket ||
            in->hashes.size() > net::kHashesPerPacket) {
            __builtin_trap();
        }
        for (const net::FrameInput& f : in->inputs)
            if (f.keyCount > net::kMaxKeysPerFrame) __builtin_trap();
    }
    if (const auto* feed = std::get_if<net::Feed>(&m)) {
        const size_t count = feed->count();
        if (count > net::kFeedFrames || feed->states.size() != 2 * count ||
            feed->keys.size() > net::kFeedKeys || feed->paused.size() > net::kFeedPauses ||
            int64_t{feed->first} + static_cast<int64_t>(count) > int64_t{feed->live}) {
            __builtin_trap();
        }
        for (const net::FeedKey& k : feed->keys)
            if (k.offset >= count || (k.fighter != 1 && k.fighter != 2)) __builtin_trap();
        for (const auto& [offset, length] : feed->paused)
            if (length == 0 || size_t{offset} + length > count) __builtin_trap();
        // As a spectator or a player joining again takes it: every frame, every key once.
        size_t frames = 0, keys = 0;
        net::eachFrame(*feed, [&](const net::FrameInput& one, const net::FrameInput& two, bool) {
            ++frames;
            keys += one.keyCount + two.keyCount;
        });
        if (frames != count || keys != feed->keys.size()) __builtin_trap();
    }
    // A player joining again is fed frames before the match's end, and counts them signed.
    if (const auto* w = std::get_if<net::Welcome>(&m)) {
        if (w->from > 0x7fffffffU || (w->frames != 0 && w->from > w->frames)) __builtin_trap();
    }
    const std::vector<uint8_t> again = net::encode(m);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data)) __builtin_trap();
    return 0;
}
