// The headless runner: frames back to back on the headless platform, with scripted input, an
// optional JSON Lines trace and PNG shots of chosen frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Shot {
    int64_t frame = 0;
    std::string path;
};

struct HeadlessOptions {
    int64_t frames = 0;
    bool seeded = false;
    uint64_t seed = 0;
    std::string inputPath;  // empty: nobody presses anything
    std::string tracePath;  // empty: no trace
    std::vector<Shot> shots;
    std::string dataDir;  // empty: the working directory
    bool demo = false;
    bool training = false;   // the fights are training fights
    std::string recordPath;  // empty: nothing recorded
    std::string replayPath;  // a replay: it gives the events, frames, seed and settings
};

enum ExitCode { kExitDone = 0, kExitFailure = 1, kExitBadInput = 2 };

// Runs the game; returns the process exit code (0 done, 1 runtime failure, 2 bad script, replay
// or data folder, 3 a state that differs from the replay's), after one stderr line for any
// failure.
int runHeadless(const HeadlessOptions& options);

}  // namespace platform
