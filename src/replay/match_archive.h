// The window keeps every match played as a replay of its own, from the select screen's
// confirmation to the return to it, in $XDG_DATA_HOME/pelea/replays (~/.local/share/pelea/replays
// by default), named by the date and time it started and its two characters, as a match file
// (format version 2) that starts from the state the match started in; the newest 50 of
// its own files are kept (by the start each records in UTC, so a change of clock or of summer
// time deletes the oldest, and files it did not write are never touched). A match that cannot
// be written is said once on stderr and on the screen, and the next match is tried again.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "game/state.h"
#include "platform/common/frame_pipeline.h"
#include "replay/recorder.h"
#include "replay/replay_file.h"

namespace replay {

inline constexpr size_t kKeptMatches = 50;

// The folder of the match replays, from the environment; empty when it says nowhere (neither an
// absolute XDG_DATA_HOME nor HOME).
std::string replaysFolder();

// "2026-12-08_14-03-22_Paco-Sombrero-vs-Lupe-Centella.pelea-replay" for a match started then.
std::string matchFileName(std::time_t started, int character1, int character2);

// Whether a file name is one the archive writes: the date and time, the two characters, maybe a
// number, the replay extension.
bool isMatchFileName(std::string_view name);

// The notice the window shows when a match could not be kept.
inline constexpr const char* kNotSavedNotice = "NO SE PUDO GUARDAR LA PARTIDA";

class MatchArchive {
public:
    using Clock = std::function<std::time_t()>;
    explicit MatchArchive(std::string folder, Clock clock = nullptr, size_t keep = kKeptMatches);

    // After each frame: notes a match that starts, and writes one that is back at the select
    // screen. driver: what drives the frames, whose carried state a match file starts with.
    void frameDone(const pelea::GameState& g, const Recorder& recorder, const Header& session,
                   const platform::FrameDriver* driver = nullptr);
    // The session ends: a match under way is kept as far as it went.
    void sessionEnds(const Recorder& recorder, const Header& session);
    // The first frame of the recording the archive may still ask for, when the next frame to be
    // recorded is `next`: the start of the match under way, else the next frame.
    int64_t firstFrameNeeded(int64_t next) const { return inMatch_ ? start_ : next; }

    // The files written so far, for people and tests.
    const std::vector<std::string>& written() const { return written_; }
    // Matches that could not be written, and the notice for the screen after the last failure:
    // empty once the notice has been shown long enough or a later match was written.
    int failures() const { return failures_; }
    const std::string& notice() const { return notice_; }
    // A frame shown: the notice stays on for a few seconds.
    void frameShown();

private:
    void write(const Recorder& recorder, const Header& session, int64_t frames, bool whole);
    bool folderReady();
    void prune();
    // stderr hears the message once for its reason (the message itself if none is given): a
    // full disk is said for the first match it stops, not again for each that follows.
    void fail(const std::string& message, const std::string& reason = {});

    std::string folder_;
    Clock clock_;
    size_t keep_;
    bool inMatch_ = false;
    int64_t start_ = 0;
    std::time_t started_ = 0;
    int characters_[2] = {1, 2};
    // Before each frame outside a match: where a match that starts with it starts from.
    pelea::GameState before_{};
    std::vector<unsigned char> carriedBefore_;
    uint32_t keyboardBefore_ = 0, joystickBefore_ = 0;
    pelea::GameState startState_{};
    std::vector<unsigned char> startCarried_;
    uint32_t startKeyboard_ = 0, startJoystick_ = 0;
    std::string lastComplaint_;
    int failures_ = 0;
    std::string notice_;
    int noticeFrames_ = 0;
    std::vector<std::string> written_;
};

}  // namespace replay
