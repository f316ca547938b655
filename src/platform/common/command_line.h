// The command line: the game in a window, or the headless runner.
#pragma once

#include <string>
#include <vector>

#include "net/headless_peer.h"
#include "net/session.h"
#include "platform/headless/runner.h"

namespace platform {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool headless = false;
    int scale = 0;  // 0: the largest that fits the desktop
    bool fullscreen = false;
    std::string dataDir;
    bool demo = false;
    bool training = false;   // the fights are training fights
    std::string recordPath;  // the whole session is recorded into this replay
    std::string replayPath;  // the replay to play instead of the game
    HeadlessOptions run;     // the headless options; dataDir, demo and the replays are copied in
    bool networked = false;  // --host or --join
    bool spectating = false;  // --spectate: net.join is the host to watch
    net::NetOptions net;
};

inline constexpr int kMinScale = 1;
inline constexpr int kMaxScale = 16;

// Parses the arguments after the program name; false with a one-line problem in error. The file
// system is only looked at to refuse a trace or shot that is the input script itself.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

// The usage text for --help.
const char* usageText();

// The line --version prints: the program's name and version.
const char* versionText();

}  // namespace platform
