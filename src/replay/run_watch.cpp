#include "replay/run_watch.h"

#include <cstdio>

#include "replay/files.h"
#include "replay/state_hash.h"

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
    for (const platform::ScriptEvent& e : replay.script.events) {
        if (e.kind == platform::EventKind::Sum) sums_.emplace_back(e.frame, e.sum);
    }
    options.frames = replay.frames;
    options.seeded = true;
    options.seed = replay.header.seed;
    options.demo = replay.header.demo;
    replayed_ = replay.header;
    script = std::move(replay.script);
    checking_ = true;
    return true;
}

void RunWatch::start() {
    if (!checking_ && !recorder_) return;
    const std::vector<DataFile> here = hashDataFiles();
    if (checking_) {
        const std::string difference = headerDifference(replayPath_, replayed_, here);
        if (!difference.empty()) complain(difference);
    }
    recorded_.data = here;
}

bool RunWatch::frameDone(const pelea::TForm1& form, int64_t frame) {
    if (recorder_) recorder_->frameDone(form.g);
    if (!checking_ || nextSum_ >= sums_.size() || sums_[nextSum_].first != frame) return true;
    const uint64_t expected = sums_[nextSum_++].second;
    const uint64_t actual = stateHash(form.g);
    if (actual == expected) return true;
    complain(replayPath_ + ": frame " + std::to_string(frame) + ": the state hash is " +
             hex16(actual) + ", the replay expects " + hex16(expected));
    return false;
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
