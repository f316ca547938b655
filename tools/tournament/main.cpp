// tournament [--rounds N] [--seed S] [--pairs LIST] [--level N] [--idle] [--csv]: the computer
// plays itself for every ordered pair of characters and the results are printed; see usageText() or
// --help.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tournament/tournament.h"

namespace {

constexpr int kBadArguments = 2;

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tournament::Options options;
    std::string error;
    if (!tournament::parseArguments(args, options, error)) {
        std::fprintf(stderr, "tournament: %s (see --help)\n", error.c_str());
        return kBadArguments;
    }
    if (options.help) {
        std::fputs(tournament::usageText(), stdout);
        return 0;
    }
    const auto start = std::chrono::steady_clock::now();
    const tournament::Results results = tournament::runTournament(options);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    tournament::printReport(stdout, results, options, took.count());
    return 0;
}
