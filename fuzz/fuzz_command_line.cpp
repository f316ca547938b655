// The command-line parser on any arguments: the bytes are the argument vector, split at NUL.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/common/command_line.h"

namespace {

// Each NUL ends an argument; bytes after the last NUL are one more.
std::vector<std::string> splitArguments(const uint8_t* data, size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (!current.empty()) args.push_back(std::move(current));
    return args;
}

// What an accepted headless command line promises the runner.
bool goodRun(const platform::CommandLine& cl) {
    const platform::HeadlessOptions& run = cl.run;
    // A replay brings its own number of frames, known once the file is read; a spectator
    // watches until the players' match ends.
    if (cl.spectating) return run.shots.empty();
    const bool replay = !run.replayPath.empty();
    if (!replay && run.frames < 1) return false;
    for (const platform::Shot& shot : run.shots) {
        if (shot.frame < 0 || (!replay && shot.frame >= run.frames) || shot.path.empty()) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> args = splitArguments(data, size);
    platform::CommandLine cl;
    std::string error;
    if (!platform::parseCommandLine(args, cl, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (!error.empty()) __builtin_trap();
    // --help and --version answer before anything runs, so they promise the runner nothing.
    if (cl.headless && !cl.help && !cl.version && !goodRun(cl)) __builtin_trap();
    if (!cl.headless && (cl.scale < 0 || cl.scale > platform::kMaxScale)) __builtin_trap();
    return 0;
}
