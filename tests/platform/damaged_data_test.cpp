// The whole game, started headless on a data folder holding damaged files, plays on and says one
// line for each damaged file it tries to load.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/damaged_files.h"
#include "support/files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
namespace damaged = pelea::damaged;

constexpr int kFrames = 300;

using pelea::testing::readFile;

std::vector<std::string> numbered(const char* pattern, int count) {
    std::vector<std::string> names;
    for (int k = 1; k <= count; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, pattern, k);
        names.emplace_back(name);
    }
    return names;
}

// A folder of its own, removed with everything in it when the case ends, failed or not.
struct FreshFolder {
    FreshFolder() {
        std::string name = (fs::path(::testing::TempDir()) / "pelea_damaged_XXXXXX").string();
        if (mkdtemp(name.data()) != nullptr) path = name;
    }
    ~FreshFolder() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
    fs::path path;
};

// Every number that follows `key` in the line.
std::vector<unsigned long> valuesOf(const std::string& line, const std::string& key) {
    std::vector<unsigned long> values;
    for (size_t at = line.find(key); at != std::string::npos; at = line.find(key, at + 1))
        values.push_back(std::stoul(line.substr(at + key.size())));
    return values;
}

// The files a run tried to load, read from its trace: the first portrait and track always (at
// start-up), and the stage and both fighters' sheets of every fight.
std::set<std::string> loadedFiles(const std::string& trace, bool& fought) {
    std::set<std::string> files = {"R01-a.bmp", "Musica-01.wav"};
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("\"modoTela\":5,") == std::string::npos) continue;
        fought = true;
        for (unsigned long s : valuesOf(line, "\"numCenario\":"))
            files.insert(numbered("Cenario-%02d.bmp", 8).at(s - 1));
        for (unsigned long c : valuesOf(line, "\"personagem\":"))
            files.insert(numbered("C%02d.bmp", 12).at(c - 1));
    }
    return files;
}

// The file a "pelea: skipping" line names, or "" for any other line.
std::string skippedFile(const std::string& line) {
    const std::string start = "pelea: skipping \"";
    const size_t end = line.find("\": ", start.size());
    if (line.rfind(start, 0) != 0 || end == std::string::npos) return "";
    return line.substr(start.size(), end - start.size());
}

TEST(DamagedData, TheGamePlaysOnSayingOneLinePerDamagedFile) {
    // The stage and the fighters are drawn at random, so each of them is damaged alike.
    struct Case {
        const char* what;
        std::vector<std::string> names;
        damaged::Bytes bytes;
        const char* why;
        bool folder = false;
    };
    const damaged::Bytes sheet = damaged::bmpFile(60, 40);
    const Case cases[] = {
        {"a track at 1 Hz", {"Musica-01.wav"}, damaged::trackAtOneHertz(), "rate of 1 Hz"},
        {"a track of 4 GiB in 46 bytes",
         {"Musica-01.wav"},
         damaged::withField32(damaged::waveFile({.data = {1, 2}}), damaged::kDataLengthAt,
                              0xFFFFFFFFU),
         "promises"},
        {"a portrait cut short", {"R01-a.bmp"}, damaged::truncated(sheet, 60), "pixels need"},
        {"a folder in a portrait's place", {"R01-a.bmp"}, {}, "Is a directory", true},
        {"stages 2147483647 pixels wide", numbered("Cenario-%02d.bmp", 8),
         damaged::withField32(sheet, damaged::kWidthAt, 0x7FFFFFFFU), "too large"},
        {"sheets cut in half", numbered("C%02d.bmp", 12),
         damaged::truncated(sheet, sheet.size() / 2), "pixels need"},
    };
    for (const Case& c : cases) {
        const FreshFolder folder;
        const fs::path& dir = folder.path;
        ASSERT_FALSE(dir.empty());
        for (const std::string& name : c.names) {
            if (c.folder) {
                fs::create_directory(dir / name);
                continue;
            }
            std::ofstream((dir / name).string(), std::ios::binary)
                .write(reinterpret_cast<const char*>(c.bytes.data()),
                       static_cast<std::streamsize>(c.bytes.size()));
        }
        const fs::path trace = dir / "trace.jsonl", err = dir / "err.txt";
        const std::string cmd = "'" PELEA_BINARY "' --headless --demo --seed 3 --frames " +
                                std::to_string(kFrames) + " --data '" + dir.string() +
                                "' --trace '" + trace.string() + "' >/dev/null 2>'" + err.string() +
                                "'";
        const int status = std::system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.what;
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.what;

        const std::string traced = readFile(trace);
        EXPECT_EQ(std::count(traced.begin(), traced.end(), '\n'), kFrames) << c.what;
        bool fought = false;
        const std::set<std::string> loaded = loadedFiles(traced, fought);
        EXPECT_TRUE(fought) << c.what << ": the demo never reached a fight";

        // Every line names one of the damaged files, says why, and no file twice.
        std::map<std::string, int> said;
        std::istringstream lines(readFile(err));
        for (std::string line; std::getline(lines, line);) {
            const std::string file = skippedFile(line);
            ASSERT_NE(file, "") << c.what << ": " << line;
            ++said[file];
            EXPECT_NE(line.find(c.why), std::string::npos) << c.what << ": " << line;
        }
        for (const std::string& name : c.names) {
            EXPECT_EQ(said[name], loaded.count(name) != 0 ? 1 : 0) << c.what << ": " << name;
            said.erase(name);
        }
        EXPECT_TRUE(said.empty()) << c.what << ": lines about other files";
    }
}

}  // namespace
}  // namespace platform
