// Records a session as it is played: the keys the game is given before each frame, the `set`
// lines of a headless script, the device sets (written when they change) and the state hash
// after each frame. Frames are counted by the recorder itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "game/state.h"
#include "platform/common/script.h"
#include "replay/replay_file.h"

namespace replay {

class Recorder {
public:
    Recorder();

    // A key delivered before the next frame.
    void key(int virtualKey);
    // A state value set before the next frame.
    void set(const platform::ScriptEvent& e);
    // The device sets from the next frame on.
    void states(uint32_t keyboard, uint32_t joystick);
    // After a frame: the state it left; its hash, as recorded.
    uint64_t frameDone(const pelea::GameState& g);

    // Frames recorded so far.
    int64_t frames() const { return frames_; }

    // The replay of frames 0 … frames − 1 with the given header: the events of those frames and
    // their sums, then, when whole, the keys that came after the last frame (the one that ended
    // the session).
    std::string text(const Header& header, int64_t frames, bool whole) const;
    // The replay of frames from … frames − 1 alone, numbered from 0, starting with the device
    // sets in force before frame `from` (a match file, whose header holds the state then).
    std::string text(const Header& header, int64_t from, int64_t frames, bool whole,
                     uint32_t keyboard, uint32_t joystick) const;

    // The device sets as last recorded: the ones the next frame reads.
    uint32_t keyboard() const { return keyboard_; }
    uint32_t joystick() const { return joystick_; }

    // What comes before `frame` will not be asked for again: it may be freed, a block at a
    // time, so a session that only keeps its matches holds no more than the match under way and
    // a block. Texts asked for afterwards start at `frame` or later.
    void forgetBefore(int64_t frame);
    // The entries held, for people and tests.
    size_t heldEntries() const { return count_ - (dropped_ << kBlockShift); }

private:
    enum class Kind : uint8_t { Key, Set, Keyboard, Joystick, Sum };
    struct Entry {
        int64_t frame;
        Kind kind;
        uint64_t value;  // key code, state set, hash, or the index of a set line
    };
    // Entries are kept in blocks of a fixed size: appending never moves those already there,
    // so no frame of a long session copies the whole of it (as a growing array would, tens of
    // megabytes after hours), and whole blocks at the front can be freed.
    static constexpr size_t kBlockShift = 15, kBlockEntries = size_t{1} << kBlockShift;
    using Block = std::array<Entry, kBlockEntries>;
    void append(const Entry& e);
    // Entry i, counted from the first ever recorded; i must be held.
    const Entry& entry(size_t i) const {
        return (*blocks_[(i >> kBlockShift) - dropped_])[i & (kBlockEntries - 1)];
    }
    void appendEntries(std::string& out, int64_t from, int64_t frames, bool whole) const;

    std::deque<std::unique_ptr<Block>> blocks_;
    size_t dropped_ = 0;                 // blocks freed from the front
    size_t count_ = 0;                   // entries ever recorded
    std::vector<std::string> setLines_;  // "set NAME VALUE"
    int64_t frames_ = 0;
    uint32_t keyboard_ = 0, joystick_ = 0;  // as last recorded
};

// "set NAME VALUE" for a set event, as the script parser reads it back.
std::string setLine(const platform::ScriptEvent& e);

}  // namespace replay
