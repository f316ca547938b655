// soak [--frames N] [--seed S]: the demo runs blind and mute and every frame is checked against
// the game's rules; see usageText() or --help.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "soak/soak.h"

namespace {

constexpr int kBroken = 1;
constexpr int kBadArguments = 2;

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    soak::Options options;
    std::string error;
    if (!soak::parseArguments(args, options, error)) {
        std::fprintf(stderr, "soak: %s (see --help)\n", error.c_str());
        return kBadArguments;
    }
    if (options.help) {
        std::fputs(soak::usageText(), stdout);
        return 0;
    }
    auto run = std::make_unique<soak::Soak>(options.seed);
    const auto start = std::chrono::steady_clock::now();
    const std::optional<soak::Failure> failure = run->run(options.frames);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (failure) {
        std::fprintf(stderr, "soak: %s\n", soak::describe(*failure).c_str());
        return kBroken;
    }
    std::fputs(soak::summary(run->counts(), took.count()).c_str(), stdout);
    return 0;
}
