// The headless runner: frames back to back on the headless platform, with scripted input, an
// optional JSON Lines trace and PNG shots of chosen frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/tform1.h"
#include "platform/common/frame_pipeline.h"
#include "platform/common/script.h"

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

// What a front end adds to a headless run.
class HeadlessAdditions {
public:
    virtual ~HeadlessAdditions() = default;
    // Before the run, in the folder it was started in: may give the events, the frames, the seed
    // and the settings (a replay). False after one stderr line (exit code 2).
    virtual bool prepare(HeadlessOptions& options, InputScript& script) = 0;
    // In the data folder, before frame 0: puts the additions on the game's frame pipeline.
    virtual void start(pelea::TForm1& form, FramePipeline& pipeline) = 0;
    // After the run, while the game object still lives, given the run's exit code: the
    // process's.
    virtual int finish(int code) = 0;
};

// Runs the game with the additions; returns the process exit code (0 done, 1 runtime failure,
// 2 bad script, replay or data folder, 3 a state that differs from the replay's), after one
// stderr line for any failure.
int runHeadless(const HeadlessOptions& options, HeadlessAdditions& additions);

// The same with everything the front end adds (training, recording, the replay's check); the
// front end defines it, as it composes the additions.
int runHeadless(const HeadlessOptions& options);

}  // namespace platform
