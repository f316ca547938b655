#include "platform/headless/runner.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/common/png_writer.h"
#include "platform/common/script_feed.h"
#include "platform/common/trace.h"
#include "platform/headless/headless_platform.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr int kExitMismatch = 3;

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
    Run(const HeadlessOptions& options, InputScript script, HeadlessAdditions& additions)
        : options_(options),
          script_(std::move(script)),
          additions_(additions),
          form_(platform_, pelea::StartOptions{options.seeded, options.seed, options.demo}),
          pipeline_(form_),
          feed_(script_, pipeline_, [this](uint32_t kb, uint32_t joy) {
              platform_.setStates(kb, joy);
          }) {}

    int go(const std::string& tracePath, const std::vector<Shot>& shots);

private:
    bool runFrame(int64_t frame, const std::vector<Shot>& shots);

    const HeadlessOptions& options_;
    InputScript script_;
    HeadlessAdditions& additions_;
    int failure_ = kExitFailure;
    HeadlessPlatform platform_;
    pelea::TForm1 form_;
    FramePipeline pipeline_;
    ScriptFeed feed_;
    TraceWriter tracer_;
    std::FILE* trace_ = nullptr;
};

bool Run::runFrame(int64_t frame, const std::vector<Shot>& shots) {
    const bool matches = pipeline_.tick();
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
    if (!matches) {
        failure_ = kExitMismatch;
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
    additions_.start(form_, pipeline_);
    form_.FormCreate();
    pipeline_.begin();
    int code = kExitDone;
    for (int64_t frame = 0; frame < options_.frames && !form_.terminated(); ++frame) {
        // A stopped timer runs no frame: the lines that follow come in while time passes.
        if (!feed_.before(frame)) break;
        if (!runFrame(frame, shots)) {
            code = failure_;
            break;
        }
    }
    pipeline_.end();
    if (trace_ != nullptr && std::fclose(trace_) != 0 && code == kExitDone) {
        complain("cannot write the trace " + options_.tracePath);
        code = kExitFailure;
    }
    trace_ = nullptr;
    return additions_.finish(code);
}

}  // namespace

int runHeadless(const HeadlessOptions& given, HeadlessAdditions& additions) {
    HeadlessOptions options = given;
    InputScript script;
    if (!additions.prepare(options, script)) return kExitBadInput;
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
    auto run = std::make_unique<Run>(options, std::move(script), additions);
    return run->go(tracePath, shots);
}

}  // namespace platform
