#include "replay/run_watch.h"

#include <cstdio>

#include "replay/files.h"

namespace replay {

namespace {

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

}  // namespace

bool RunWatch::prepare(platform::HeadlessOptions& options, platform::InputScript& script) {
    replayPath_ = options.replayPath;
    recordPath_ = absolutePath(options.recordPath);
    if (!replayPath_.empty() && !loadReplay(options, script)) return false;
    if (recordPath_.empty()) return true;
    if (!options.seeded) {
        options.seeded = true;
        options.seed = clockSeed();
    }
    recorded_.seed = options.seed;
    recorded_.demo = options.demo;
    recorded_.training = options.training;
    recorder_ = std::make_unique<Recorder>();
    return true;
}

bool RunWatch::loadReplay(platform::HeadlessOptions& options, platform::InputScript& script) {
    Replay replay;
    std::string message;
    if (!readReplay(replayPath_, replay, message)) {
        complain(message);
        return false;
    }
    for (const platform::Shot& shot : options.shots) {
        if (shot.frame >= replay.frames) {
            complain("--shot frame " + std::to_string(shot.frame) + " is past the replay's " +
                     std::to_string(replay.frames) + " frames");
            return false;
        }
    }
    if (!replay.header.startState.empty() && !recordPath_.empty()) {
        complain(replayPath_ + " starts in the middle of a session; it cannot be recorded again");
        return false;
    }
    check_ = std::make_unique<ReplayCheck>(replay, replayPath_);
    options.frames = replay.frames;
    options.seeded = true;
    options.seed = replay.header.seed;
    options.demo = replay.header.demo;
    options.training = replay.header.training;
    replayed_ = replay.header;
    script = std::move(replay.script);
    return true;
}

void RunWatch::start(platform::FramePipeline& pipeline) {
    if (!check_ && !recorder_) return;
    pipeline.watch(*this);
    const std::vector<DataFile> here = hashDataFiles();
    if (check_) {
        const std::string difference = headerDifference(replayPath_, replayed_, here);
        if (!difference.empty()) complain(difference);
    }
    recorded_.data = here;
}

int RunWatch::finish(int code) {
    if (!recorder_ || code != platform::kExitDone) return code;
    std::string problem;
    const std::string text = recorder_->text(recorded_, recorder_->frames(), true);
    if (!writeFileAtomically(recordPath_, text, problem)) {
        complain("cannot write the recording " + recordPath_ + ": " + problem);
        return platform::kExitFailure;
    }
    return code;
}

}  // namespace replay
