// The replay file (docs/replay-format.md): a header of '#' lines, the session's input events in
// the input-script syntax with the state hash after every frame ("F sum HEX"), and an end line.
// Any replay is also an input script: the header and the end are comments, sums change nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/script.h"
#include "replay/data_files.h"

namespace replay {

// The version of the format this game writes and the newest it reads: 1 for a session from
// start-up, 2 for a match file that starts from the state its match started in.
inline constexpr int kFormatVersion = 2;
inline constexpr int kSessionVersion = 1;
inline constexpr int kMatchVersion = 2;
// A longer line is refused, whatever it holds.
inline constexpr size_t kMaxLineBytes = 4096;
// A longer file is refused before it is read.
inline constexpr uintmax_t kMaxReplayBytes = uintmax_t{256} << 20;
inline constexpr const char* kFileExtension = ".pelea-replay";
// The process exit code when a replay's state hash does not match the game's.
inline constexpr int kExitMismatch = 3;

// The game's version, as the build names it.
const char* gameVersion();

struct Header {
    int version = kSessionVersion;
    std::string game = gameVersion();
    uint64_t seed = 0;
    bool demo = false;
    bool training = false;       // every fight a training fight (--training)
    std::vector<DataFile> data;  // the data files found where it was recorded
    int64_t matchStart = -1;     // a replay of one match: the frame the match starts at
    std::string match;           // for people: "Paco Sombrero vs Lupe Centella"
    std::string recorded;        // for people: the local date and time
    int64_t startedUtc = -1;     // a match: when it started, in seconds since 1970 UTC
    // Version 2: the state the first frame starts from, as the state hash reads it, and what the
    // additions driving the frames kept then (the trainer's mode, its recording…).
    std::vector<unsigned char> startState;
    std::vector<unsigned char> carried;
};

struct Replay {
    Header header;
    platform::InputScript script;  // the events, sum lines included, in file order
    int64_t frames = 0;            // frames 0 … frames − 1 were run
};

struct ReplayError {
    int line = 0;
    std::string message;
};

// Parses a whole replay; false with the first bad line in error.
bool parseReplay(std::string_view text, Replay& out, ReplayError& error);

// Reads and parses a replay file; false with one line in message, naming the file and, for a bad
// replay, the line ("r.pelea-replay:7: unknown event \"jump\"").
bool readReplay(const std::string& path, Replay& out, std::string& message);

// The header's lines, each ending in '\n'.
std::string headerText(const Header& h);
// One line saying how the game and the data files here differ from those a replay was recorded
// with ("r.pelea-replay was recorded with other data files (C01.bmp differs); it may play
// differently"), or empty.
std::string headerDifference(const std::string& path, const Header& recorded,
                             const std::vector<DataFile>& here);

// The last line: how many frames the replay runs.
std::string endLine(int64_t frames);

// The sum line of frame F, "F sum 0123456789abcdef\n", appended.
void appendSum(std::string& out, int64_t frame, uint64_t hash);
// A hash as 16 lowercase hexadecimal digits.
std::string hex16(uint64_t v);

}  // namespace replay
