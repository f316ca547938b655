// The netplay wire format: every message two peers exchange, as little-endian bytes, each with
// a fixed header ("PN", the protocol version, the message type) and bounded counts. Encoding
// and decoding are pure functions; a datagram that does not decode is ignored by the caller.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace net {

inline constexpr uint8_t kProtocolVersion = 3;
// No side runs more than this many frames past the last input of the other's it holds.
inline constexpr int kWindow = 8;
// The input delay agreed at the handshake: 0 … kMaxDelay frames.
inline constexpr int kMaxDelay = 4;
// A side can run kWindow frames past the other's inputs, which ran kWindow past its own, each
// side's inputs reaching delay frames further: this many of its inputs can be unacknowledged at
// once, and every one of them travels in each input packet, so a lost packet costs nothing.
inline constexpr size_t kInputsPerPacket = 2 * (kWindow + kMaxDelay) + 8;
// Hashes of this many confirmed frames at most travel in each input packet.
inline constexpr size_t kHashesPerPacket = 16;
// Key-down events one side may give in one frame.
inline constexpr size_t kMaxKeysPerFrame = 4;
// The longest game version name a hello carries.
inline constexpr size_t kMaxVersionBytes = 32;
// The largest datagram either side sends or accepts.
inline constexpr size_t kMaxPacketBytes = 512;

// One side's input for one frame: its device set and the shared keys pressed before it.
struct FrameInput {
    uint8_t states = 0;
    uint8_t keyCount = 0;
    std::array<uint8_t, kMaxKeysPerFrame> keys{};
    bool operator==(const FrameInput& o) const {
        if (states != o.states || keyCount != o.keyCount) return false;
        for (size_t i = 0; i < keyCount; ++i)
            if (keys[i] != o.keys[i]) return false;
        return true;
    }
    // Adds a key; false when the frame already holds as many as it can.
    bool addKey(int virtualKey);
};

enum class Type : uint8_t {
    Hello = 1,
    Welcome = 2,
    Refuse = 3,
    Inputs = 4,
    Quit = 5,
    Desync = 6,
    Watch = 7,    // a spectator's hello
    Feed = 8,     // confirmed frames for a spectator
    FeedAck = 9,  // what the spectator holds
};

// The joiner's first message: what it runs, so the host can refuse a different game.
struct Hello {
    std::string gameVersion;
    uint64_t dataHash = 0;  // over the names and hashes of the data files found
    uint32_t frames = 0;    // a headless peer's frame count, 0 in the window
};

// The host's answer: the session's seed and settings.
struct Welcome {
    std::string gameVersion;
    uint64_t dataHash = 0;
    uint64_t seed = 0;
    uint8_t delay = 1;
    uint32_t frames = 0;  // frames to run (the shorter of the two headless runs), 0 unbounded
    // To a player joining a match again: the frames the host has confirmed, which it is fed
    // (as a spectator is) before it plays on from there; 0 to a player starting the match.
    uint32_t from = 0;
};

enum class RefuseReason : uint8_t {
    Version = 1,  // another version of the game
    Data = 2,     // other data files
    Busy = 3,     // the host is playing with someone else
    Over = 4,     // to a spectator: the match has ended
    Full = 5,     // to a spectator: the host has all the spectators it takes
};

struct Refuse {
    RefuseReason reason = RefuseReason::Version;
    std::string gameVersion;  // the host's
};

// Inputs for frames first … first + inputs.size() − 1, and what the sender knows of the other.
struct Inputs {
    uint32_t first = 0;
    std::vector<FrameInput> inputs;  // 1 … kInputsPerPacket
    int32_t ack = -1;                // the last frame of the receiver's inputs the sender holds
    uint32_t frame = 0;              // the frame the sender is about to run
    int8_t advantage = 0;            // how many frames the sender sees itself ahead
    uint32_t hashFirst = 0;          // the state hashes after frames hashFirst …
    std::vector<uint64_t> hashes;    // … of the sender's newest confirmed frames, 0 … 16
    uint16_t pingId = 0;             // echoed back as pongId to time the round trip
    uint16_t pongId = 0;
    uint16_t pongHoldMs = 0;  // how long the sender held that ping before this echo
};

enum class QuitReason : uint8_t { Left = 1, Finished = 2 };

struct Quit {
    QuitReason reason = QuitReason::Left;
};

struct Desync {
    uint32_t frame = 0;
};

// A spectator's first message: what it runs, checked as a joiner's hello is.
struct Watch {
    std::string gameVersion;
    uint64_t dataHash = 0;
};

// Frames in one feed packet at most, and key presses and pause runs among them.
inline constexpr size_t kFeedFrames = 160;
inline constexpr size_t kFeedKeys = 24;
inline constexpr size_t kFeedPauses = 16;

// One key press in a feed: its frame (as an offset from the packet's first), the fighter whose
// side gave it, the key.
struct FeedKey {
    uint16_t offset = 0;
    uint8_t fighter = 1;  // 1 or 2
    uint8_t code = 0;
};

// Frames first … first + count − 1 of the match as the host confirmed them, for a spectator: the
// two device sets of each frame, the keys given before them (in frame order, fighter 1's before
// fighter 2's), and the runs of frames in which the game's frame did not run (P had stopped it).
struct Feed {
    uint32_t first = 0;
    uint32_t live = 0;            // frames the host has confirmed so far
    std::vector<uint8_t> states;  // two a frame: fighter 1's, fighter 2's; 0 … 2 × kFeedFrames
    std::vector<FeedKey> keys;    // 0 … kFeedKeys, at most kMaxKeysPerFrame a frame and fighter
    std::vector<std::pair<uint16_t, uint16_t>> paused;  // (offset, length), in order, apart
    size_t count() const { return states.size() / 2; }
};

// The frames of the match the spectator holds (all before this one).
struct FeedAck {
    uint32_t frames = 0;
};

using Message = std::variant<Hello, Welcome, Refuse, Inputs, Quit, Desync, Watch, Feed, FeedAck>;

std::vector<uint8_t> encode(const Message& m);

// False for anything that is not one whole, well-formed message of this protocol version.
bool decode(std::span<const uint8_t> bytes, Message& out);

// The data files' hash as a hello carries it.
uint64_t dataSetHash();

}  // namespace net
