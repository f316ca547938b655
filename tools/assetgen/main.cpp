// assetgen [--preview] DIR: writes the game's data files (and, asked, the fighters' contact
// sheets) into DIR, creating it when missing. assetgen --measure prints, for every frame of
// every sheet, how its figure sits in it (for authoring the animation tables).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "assetgen/assetgen.h"

namespace {

constexpr int kBadArguments = 2;
constexpr int kWriteFailed = 1;

int usage(const char* why) {
    std::fprintf(stderr,
                 "assetgen: %s (usage: assetgen [--preview] DIR | assetgen --measure | assetgen "
                 "--areas SLOT)\n",
                 why);
    return kBadArguments;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--measure") {
        assetgen::printMeasures(stdout);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--areas") {
        const int slot = std::atoi(argv[2]);
        if (slot < 1 || slot > 12) return usage("--areas takes a slot from 1 to 12");
        assetgen::printAreas(stdout, slot);
        return 0;
    }
    bool preview = false;
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--preview" && !preview) {
            preview = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return usage(("unknown option " + arg).c_str());
        } else if (dir.empty() && !arg.empty()) {
            dir = arg;
        } else {
            return usage(("unexpected argument " + arg).c_str());
        }
    }
    if (dir.empty()) return usage("no output folder given");
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
        std::fprintf(stderr, "assetgen: cannot create folder %s\n", dir.c_str());
        return kWriteFailed;
    }
    const bool ok = assetgen::writeFighters(dir) && assetgen::writePortraits(dir) &&
                    assetgen::writeStages(dir) && assetgen::writeMusic(dir) &&
                    (!preview || assetgen::writePreview(dir));
    return ok ? 0 : kWriteFailed;
}
