// What a headless run does for replays: with --replay it plays the replay's events and checks
// the state hash after every frame; with --record it records the run and writes it at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/tform1.h"
#include "platform/common/script.h"
#include "platform/headless/runner.h"
#include "replay/recorder.h"
#include "replay/replay_file.h"

namespace replay {

class RunWatch {
public:
    // Before the run, in the folder it was started in: a replay is read into the script and gives
    // the frames, the seed and the settings; a recording without a seed takes one from the clock.
    // False after one stderr line, for exit code 2.
    bool prepare(platform::HeadlessOptions& options, platform::InputScript& script);
    // In the data folder, before frame 0: the data set is hashed, and how it differs from the
    // replay's is said once.
    void start();

    void key(int virtualKey) {
        if (recorder_) recorder_->key(virtualKey);
    }
    void set(const platform::ScriptEvent& e) {
        if (recorder_) recorder_->set(e);
    }
    void states(uint32_t keyboard, uint32_t joystick) {
        if (recorder_) recorder_->states(keyboard, joystick);
    }
    // After frame F; false after one stderr line when the replay expects another state.
    bool frameDone(const pelea::TForm1& form, int64_t frame);
    // After the run: writes the recording when the run went well; returns the exit code.
    int finish(int code);

private:
    bool loadReplay(platform::HeadlessOptions& options, platform::InputScript& script);

    std::string replayPath_, recordPath_;
    Header replayed_;  // the replay's header
    Header recorded_;  // the recording's
    bool checking_ = false;
    std::vector<std::pair<int64_t, uint64_t>> sums_;  // the replay's, by frame
    size_t nextSum_ = 0;
    std::unique_ptr<Recorder> recorder_;
};

}  // namespace replay
