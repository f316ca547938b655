// assetgen [--preview] DIR: writes the game's data files (and, asked, the fighters' contact
// sheets) into DIR, creating it when missing.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "assetgen/assetgen.h"

namespace {

constexpr int kBadArguments = 2;
constexpr int kWriteFailed = 1;

int usage(const char* why) {
    std::fprintf(stderr, "assetgen: %s (usage: assetgen [--preview] DIR)\n", why);
    return kBadArguments;
}

}  // namespace

int main(int argc, char** argv) {
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
