// The window keeps every match played as a replay of its own, from the select screen's
// confirmation to the return to it, in $XDG_DATA_HOME/pelea/replays (~/.local/share/pelea/replays
// by default), named by the date and time it started and its two characters; the newest 50 are
// kept. A match's start depends on everything before it, so its replay holds the session from
// frame 0 and marks the frame the match starts at.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "game/state.h"
#include "replay/recorder.h"
#include "replay/replay_file.h"

namespace replay {

inline constexpr size_t kKeptMatches = 50;

// The folder of the match replays, from the environment; empty when it says nowhere (neither an
// absolute XDG_DATA_HOME nor HOME).
std::string replaysFolder();

// "2026-12-08_14-03-22_Paco-Sombrero-vs-Lupe-Centella.pelea-replay" for a match started then.
std::string matchFileName(std::time_t started, int character1, int character2);

class MatchArchive {
public:
    using Clock = std::function<std::time_t()>;
    explicit MatchArchive(std::string folder, Clock clock = nullptr, size_t keep = kKeptMatches);

    // After each frame: notes a match that starts, and writes one that is back at the select
    // screen.
    void frameDone(const pelea::GameState& g, const Recorder& recorder, const Header& session);
    // The session ends: a match under way is kept as far as it went.
    void sessionEnds(const Recorder& recorder, const Header& session);

    // The files written so far, for people and tests.
    const std::vector<std::string>& written() const { return written_; }

private:
    void write(const Recorder& recorder, const Header& session, int64_t frames, bool whole);
    bool folderReady();
    void prune();
    void complainOnce(const std::string& message);

    std::string folder_;
    Clock clock_;
    size_t keep_;
    bool inMatch_ = false;
    int64_t start_ = 0;
    std::time_t started_ = 0;
    int characters_[2] = {1, 2};
    bool broken_ = false;
    std::vector<std::string> written_;
};

}  // namespace replay
