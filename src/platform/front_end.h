// The front end's compositions. Every run of the game, headless, in the window or in the replay
// viewer, goes along one frame pipeline that carries the same additions: the trainer in front of
// the game, and the recording or the replay's check watching it. The platform plugs know only
// the pipeline; this is where the additions are put on it.
#pragma once

#include <functional>
#include <memory>

#include "game/tform1.h"
#include "options/soft_shake.h"
#include "platform/common/command_line.h"
#include "platform/common/frame_pipeline.h"
#include "platform/headless/runner.h"
#include "replay/replay_file.h"
#include "training/trainer.h"

namespace front {

// The additions that drive the game's frames: the trainer, which passes everything on outside a
// training fight. They stay on the pipeline while this lives.
class Drivers {
public:
    // training: the fights are training fights from the start.
    Drivers(pelea::TForm1& form, platform::FramePipeline& pipeline, bool training);
    training::Trainer& trainer() { return trainer_; }

private:
    training::Trainer trainer_;
};

// What every window puts on its pipeline to watch the frames it shows: the calmer shake of soft
// flashes. They stay on the pipeline while this lives.
class WindowWatchers {
public:
    explicit WindowWatchers(platform::FramePipeline& pipeline);

private:
    options::SoftShake calmer_;
};

// The window's session on a window already open: the game played (and recorded, every match
// kept), or with --replay the replay shown, checked frame by frame. made: called once the game
// object is made, to create it (FormCreate) and fit it to the window. The exit code.
int runWindowSession(platform::Platform& window, const platform::CommandLine& cl,
                     const replay::Replay& shown, const std::function<void(pelea::TForm1&)>& made);

}  // namespace front
