// What a headless run does for replays: with --replay it plays the replay's events and checks
// the state hash after every frame; with --record it records the run and writes it at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/tform1.h"
#include "platform/common/frame_pipeline.h"
#include "platform/common/script.h"
#include "platform/headless/runner.h"
#include "replay/recorder.h"
#include "replay/replay_check.h"
#include "replay/replay_file.h"

namespace replay {

class RunWatch : public platform::LoopWatcher {
public:
    // Before the run, in the folder it was started in: a replay is read into the script and gives
    // the frames, the seed and the settings; a recording without a seed takes one from the clock.
    // False after one stderr line, for exit code 2.
    bool prepare(platform::HeadlessOptions& options, platform::InputScript& script);
    // In the data folder, before frame 0: the data set is hashed, and how it differs from the
    // replay's is said once; the watch goes on the pipeline.
    void start(platform::FramePipeline& pipeline);

    void begin(platform::FramePipeline& pipeline) override {
        if (check_) check_->begin(pipeline);
    }
    void keyDown(int virtualKey) override {
        if (recorder_) recorder_->key(virtualKey);
    }
    void set(const platform::ScriptEvent& e) override {
        if (recorder_) recorder_->set(e);
    }
    void states(uint32_t keyboard, uint32_t joystick) override {
        if (recorder_) recorder_->states(keyboard, joystick);
    }
    void frameDone(const pelea::TForm1& form) override {
        if (recorder_) recorder_->frameDone(form.g);
    }
    bool frameMatches(const pelea::TForm1& form, int64_t frame) override {
        return !check_ || check_->frameMatches(form, frame);
    }
    void loopEnds(const pelea::TForm1&) override {}
    // After the run: writes the recording when the run went well; returns the exit code.
    int finish(int code);

private:
    bool loadReplay(platform::HeadlessOptions& options, platform::InputScript& script);

    std::string replayPath_, recordPath_;
    Header replayed_;  // the replay's header
    Header recorded_;  // the recording's
    std::unique_ptr<ReplayCheck> check_;
    std::unique_ptr<Recorder> recorder_;
};

}  // namespace replay
