// What a session keeps of its confirmed frames, for the whole session and at little cost: each
// frame's two device sets and whether the game's frame ran, and the keys and set lines of the few
// frames that have them (about two bytes a frame: 260 KB an hour at the default speed). A replay
// is made from it by running the frames again, blind and mute, on a game of its own; the same
// log feeds whoever watches the match.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "net/wire.h"
#include "platform/common/script.h"
#include "replay/replay_file.h"

namespace net {

class SessionLog {
public:
    // Confirmed frame frames(): the two fighters' inputs, whether the game's frame ran (P had not
    // stopped it), and this side's set lines before it.
    void add(const FrameInput& one, const FrameInput& two, bool ran,
             const std::vector<platform::ScriptEvent>* sets);

    int64_t frames() const { return static_cast<int64_t>(states_.size() / 2); }
    // Fighter 1's or 2's input of frame f (< frames()).
    FrameInput input(int fighter, int64_t f) const;
    bool ran(int64_t f) const;
    // The set lines given before frame f, or null.
    const std::vector<platform::ScriptEvent>* sets(int64_t f) const;

private:
    struct Key {
        int64_t frame;
        uint8_t fighter;
        uint8_t code;
    };
    std::vector<uint8_t> states_;  // fighter 1's, then fighter 2's, frame by frame
    std::vector<Key> keys_;        // in frame order, fighter 1's before fighter 2's
    std::vector<int64_t> paused_;  // frames the game's frame did not run, in order
    std::map<int64_t, std::vector<platform::ScriptEvent>> sets_;
};

// The replay of the log's first `frames` frames, made by running them again from the seed on a
// game of its own (in the data folder, as the session's). Each frame's state hash, as it comes
// out, is handed to `eachHash` when given.
std::string replayOf(const SessionLog& log, uint64_t seed, const replay::Header& header,
                     int64_t frames,
                     const std::function<void(int64_t, uint64_t)>& eachHash = nullptr);

}  // namespace net
