#include "platform/headless/runner.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "game/tform1.h"
#include "platform/common/png_writer.h"
#include "platform/common/script.h"
#include "platform/common/trace.h"
#include "platform/headless/headless_platform.h"
#include "replay/run_watch.h"
#include "training/trainer.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

void complain(const std::string& message) {
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

// Output paths are taken relative to where the program was started, before --data moves.
std::string absolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.string();
}

class Run {
public:
    Run(const HeadlessOptions& options, InputScript script, replay::RunWatch& watch)
        : options_(options),
          script_(std::move(script)),
          watch_(watch),
          form_(platform_, pelea::StartOptions{options.seeded, options.seed, options.demo}),
          trainer_(form_, options.training) {}

    int go(const std::string& tracePath, const std::vector<Shot>& shots);

private:
    bool deliverGroup();
    bool runFrame(int64_t frame, const std::vector<Shot>& shots);

    const HeadlessOptions& options_;
    InputScript script_;
    replay::RunWatch& watch_;
    int failure_ = kExitFailure;
    size_t next_ = 0;
    uint32_t keyboard_ = 0, joystick_ = 0;
    HeadlessPlatform platform_;
    pelea::TForm1 form_;
    training::Trainer trainer_;  // keys and frames go through it
    TraceWriter tracer_;
    std::FILE* trace_ = nullptr;
};

// Delivers every event of the next frame that has any: key events in order, then set lines,
// then the device sets. False when a key ended the game.
bool Run::deliverGroup() {
    const auto& events = script_.events;
    const int64_t frame = events[next_].frame;
    size_t end = next_;
    while (end < events.size() && events[end].frame == frame)
        ++end;
    for (size_t i = next_; i < end; ++i) {
        if (events[i].kind != EventKind::Key) continue;
        for (const int vk : events[i].keys) {
            watch_.key(vk);
            trainer_.keyDown(vk);
            if (form_.terminated()) return false;
        }
    }
    for (size_t i = next_; i < end; ++i) {
        if (events[i].kind != EventKind::Set) continue;
        watch_.set(events[i]);
        applySet(form_.g, events[i]);
    }
    for (size_t i = next_; i < end; ++i) {
        if (events[i].kind == EventKind::Keyboard) keyboard_ = events[i].states;
        if (events[i].kind == EventKind::Joystick) joystick_ = events[i].states;
    }
    platform_.setStates(keyboard_, joystick_);
    watch_.states(keyboard_, joystick_);
    next_ = end;
    return true;
}

bool Run::runFrame(int64_t frame, const std::vector<Shot>& shots) {
    trainer_.tick();
    platform_.advance(form_.g.m.vel);
    auto& sound = form_.DXSound1;
    if (trace_ != nullptr) {
        const std::string& line = tracer_.line(form_.g, sound.played(), sound.playedCount(), frame);
        if (std::fwrite(line.data(), 1, line.size(), trace_) != line.size()) {
            complain("cannot write the trace " + options_.tracePath);
            return false;
        }
    }
    sound.clearPlayed();
    for (const Shot& shot : shots) {
        if (shot.frame != frame) continue;
        if (!writePng(shot.path, form_.DXDraw1.Surface)) {
            complain("cannot write the shot " + shot.path);
            return false;
        }
    }
    if (!watch_.frameDone(form_, frame)) {
        failure_ = replay::kExitMismatch;
        return false;
    }
    return true;
}

int Run::go(const std::string& tracePath, const std::vector<Shot>& shots) {
    if (!tracePath.empty()) {
        trace_ = std::fopen(tracePath.c_str(), "wb");
        if (trace_ == nullptr) {
            complain("cannot write the trace " + options_.tracePath);
            return kExitFailure;
        }
    }
    form_.FormCreate();
    int code = kExitDone;
    const auto& events = script_.events;
    for (int64_t frame = 0; frame < options_.frames && !form_.terminated();) {
        bool alive = true;
        while (alive && next_ < events.size() && events[next_].frame <= frame) {
            alive = deliverGroup();
        }
        if (!alive) break;
        // A stopped timer runs no frame: the following groups come in while time passes.
        if (!form_.DXTimer1.Enabled) {
            if (next_ == events.size() || !deliverGroup()) break;
            continue;
        }
        if (!runFrame(frame, shots)) {
            code = failure_;
            break;
        }
        ++frame;
    }
    if (trace_ != nullptr && std::fclose(trace_) != 0 && code == kExitDone) {
        complain("cannot write the trace " + options_.tracePath);
        code = kExitFailure;
    }
    trace_ = nullptr;
    return watch_.finish(code);
}

}  // namespace

int runHeadless(const HeadlessOptions& given) {
    HeadlessOptions options = given;
    InputScript script;
    replay::RunWatch watch;
    if (!watch.prepare(options, script)) return kExitBadInput;
    if (!options.inputPath.empty()) {
        std::string text, problem;
        if (!readScriptFile(options.inputPath, text, problem)) {
            complain("cannot read the input script " + options.inputPath + ": " + problem);
            return kExitBadInput;
        }
        ScriptError error;
        if (!parseScript(text, script, error)) {
            complain(options.inputPath + ":" + std::to_string(error.line) + ": " + error.message);
            return kExitBadInput;
        }
    }
    const std::string tracePath = absolutePath(options.tracePath);
    std::vector<Shot> shots = options.shots;
    for (Shot& shot : shots)
        shot.path = absolutePath(shot.path);
    if (!options.dataDir.empty()) {
        std::error_code ec;
        fs::current_path(options.dataDir, ec);
        if (ec) {
            complain("cannot use the data folder " + options.dataDir + ": " + ec.message());
            return kExitBadInput;
        }
    }
    watch.start();
    auto run = std::make_unique<Run>(options, std::move(script), watch);
    return run->go(tracePath, shots);
}

}  // namespace platform
