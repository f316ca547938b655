// assetgen [--preview] DIR: writes the game's data files (and, asked, the fighters' contact
// sheets) into DIR, creating it when missing. assetgen --measure prints, for every frame of
// every sheet, how its figure sits in it (for authoring the animation tables). assetgen --icon
// SIZE FILE draws the program's desktop icon, SIZE pixels square, into the PNG file FILE.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "assetgen/assetgen.h"
#include "assetgen/icon.h"

namespace {

constexpr int kBadArguments = 2;
constexpr int kWriteFailed = 1;

int usage(const char* why) {
    std::fprintf(stderr,
                 "assetgen: %s (usage: assetgen [--preview] DIR | assetgen --measure | assetgen "
                 "--areas SLOT | assetgen --icon SIZE FILE)\n",
                 why);
    return kBadArguments;
}

// SIZE: whole pixels from kMinIconSize to kMaxIconSize, nothing else.
int icon(const std::string& size, const std::string& file) {
    const bool digits = !size.empty() && size.size() <= 4 &&
                        size.find_first_not_of("0123456789") == std::string::npos;
    const int side = digits ? std::stoi(size) : 0;
    if (side < assetgen::kMinIconSize || side > assetgen::kMaxIconSize) {
        return usage(("--icon takes a size from " + std::to_string(assetgen::kMinIconSize) +
                      " to " + std::to_string(assetgen::kMaxIconSize) + " pixels, got " + size)
                         .c_str());
    }
    if (file.empty()) return usage("--icon needs a file name");
    return assetgen::writeIcon(file, side) ? 0 : kWriteFailed;
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
    if (argc >= 2 && std::string(argv[1]) == "--icon") {
        if (argc != 4) return usage("--icon takes a size and a file name");
        return icon(argv[2], argv[3]);
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
