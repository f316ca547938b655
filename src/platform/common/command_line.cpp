#include "platform/common/command_line.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <limits>
#include <string_view>

namespace platform {

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  pelea --help | --version\n"
    "  pelea [--data DIR] [--scale N] [--fullscreen] [--demo] [--training] [--record FILE]\n"
    "  pelea --replay FILE [--data DIR] [--scale N] [--fullscreen]\n"
    "  pelea --headless --frames N [--seed S] [--input FILE] [--trace FILE]\n"
    "        [--shot F:FILE.png]... [--data DIR] [--demo] [--training] [--record FILE]\n"
    "  pelea --headless --replay FILE [--trace FILE] [--shot F:FILE.png]... [--data DIR]\n"
    "        [--record FILE]\n"
    "  pelea --host [PORT] | --join HOST[:PORT]  [--delay N] [--netsim L,J,P] [--data DIR]\n"
    "        [--outage AT,FOR] [--rejoin-wait S] [--record FILE]\n"
    "        [--headless --frames N [--seed S] [--input FILE]]\n"
    "  pelea --spectate HOST[:PORT] [--headless] [--record FILE] [--netsim L,J,P]\n"
    "        [--data DIR]\n"
    "\n"
    "  --data DIR        folder of the game's files; without it, the folder named by\n"
    "                    PELEA_DATA, else the installed data (../share/pelea/data\n"
    "                    from the program's folder) when there is one, else the\n"
    "                    working directory\n"
    "  --scale N         window size as a whole multiple of 400x300, 1 to 16\n"
    "  --fullscreen      start in desktop full screen\n"
    "  --demo            fighter 1 starts computer-driven too\n"
    "  --training        the fights are training fights (F2 on the select screen too)\n"
    "  --headless        run without a window or sound\n"
    "  --frames N        number of frames to run (at least 1)\n"
    "  --seed S          seed of the random generator (0 to 2^64-1)\n"
    "  --input FILE      input script: \"F kb|joy STATE...\", \"F key NAME...\", "
    "\"F set NAME VALUE\"\n"
    "  --trace FILE      one JSON line of state per frame\n"
    "  --shot F:FILE.png the picture after frame F (repeatable)\n"
    "  --record FILE     record the session into a replay\n"
    "  --replay FILE     play a replay, checking every frame against it (exit code 3\n"
    "                    when the game no longer plays it the same); it gives the\n"
    "                    frames, the seed and --demo. In the window: Space pauses,\n"
    "                    N steps one frame, 6 7 8 9 play at half, normal, double and\n"
    "                    four times the speed, Esc leaves\n"
    "  --host [PORT]     wait for one player to join over the network (port 7340 by\n"
    "                    default) and play fighter 1\n"
    "  --join HOST[:PORT] join the player hosting at HOST and play fighter 2\n"
    "  --spectate HOST[:PORT] watch the match hosted at HOST from its first frame,\n"
    "                    a few frames behind the players; headless, it ends with\n"
    "                    their match (exit 0); a match already over: exit 1\n"
    "  --delay N         frames before a networked input takes effect, 0 to 4\n"
    "                    (default 1); for --host only: the host's is used\n"
    "  --netsim L,J,P    hold this side's outgoing packets L ms, give or take J ms,\n"
    "                    and drop P percent of its input packets\n"
    "  --outage AT,FOR   drop everything this side sends for FOR ms, AT ms after\n"
    "                    the handshake (tests and tools)\n"
    "  --rejoin-wait S   for --host: when the other player's game ends before the\n"
    "                    match does, wait S seconds for them to --join again and\n"
    "                    play on (0 to 600, default 60; 0 ends the match at once)\n"
    "  --help            this text\n"
    "  --version         the program's version\n";

template <typename T>
bool parseNumber(std::string_view s, T& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return !s.empty() && s[0] != '-' && ec == std::errc() && ptr == end;
}

bool portNumber(std::string_view s, int& out) {
    int port = 0;
    if (!parseNumber(s, port) || port < 1 || port > 65535) return false;
    out = port;
    return true;
}

// True when both paths name one existing file, whatever their spelling (links included).
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, ec) && !ec;
}

std::string overwrites(const char* option, const std::string& output, const std::string& input) {
    return std::string(option) + " \"" + output + "\" is the input script \"" + input +
           "\", which it would overwrite";
}

class Parser {
public:
    Parser(const std::vector<std::string>& args, CommandLine& out) : args_(args), out_(out) {}
    bool parse(std::string& error);

private:
    bool option(const std::string& name);
    bool once(const std::string& name);
    bool value(const std::string& name, std::string& v);
    bool shot(const std::string& v);
    bool check();
    bool outputsSpareTheInput();
    bool replayAlone();
    bool networkAlone();
    bool seen(const char* option) const {
        return std::find(seen_.begin(), seen_.end(), option) != seen_.end();
    }
    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }

    const std::vector<std::string>& args_;
    CommandLine& out_;
    size_t i_ = 0;
    std::string inlineValue_;
    bool hasInline_ = false;
    std::vector<std::string> headlessOnly_;
    std::vector<std::string> windowOnly_;
    bool framesGiven_ = false;
    std::vector<std::string> seen_;
    std::string error_;
};

// Only --shot may come more than once: a second value of anything else would silently win.
bool Parser::once(const std::string& name) {
    if (name == "--shot") return true;
    const std::string canonical = name == "-h" ? "--help" : name;
    if (std::find(seen_.begin(), seen_.end(), canonical) != seen_.end()) {
        return fail(canonical + " is given twice");
    }
    seen_.push_back(canonical);
    return true;
}

bool Parser::value(const std::string& name, std::string& v) {
    if (hasInline_) {
        v = inlineValue_;
        return true;
    }
    if (i_ + 1 >= args_.size() || args_[i_ + 1].rfind("--", 0) == 0) {
        return fail(name + " needs a value");
    }
    v = args_[++i_];
    return true;
}

bool Parser::shot(const std::string& v) {
    const size_t colon = v.find(':');
    Shot s;
    if (colon == std::string::npos || colon + 1 == v.size()) {
        return fail("--shot wants F:FILE.png, got \"" + v + "\"");
    }
    if (!parseNumber(std::string_view(v).substr(0, colon), s.frame)) {
        return fail("--shot frame \"" + v.substr(0, colon) + "\" is not a frame number");
    }
    s.path = v.substr(colon + 1);
    out_.run.shots.push_back(std::move(s));
    return true;
}

bool Parser::option(const std::string& name) {
    std::string v;
    if (name == "--help" || name == "-h") {
        out_.help = true;
    } else if (name == "--version") {
        out_.version = true;
    } else if (name == "--headless") {
        out_.headless = true;
    } else if (name == "--demo") {
        out_.demo = true;
    } else if (name == "--training") {
        out_.training = true;
    } else if (name == "--fullscreen") {
        out_.fullscreen = true;
        windowOnly_.push_back(name);
    } else if (name == "--data") {
        if (!value(name, v)) return false;
        if (v.empty()) return fail("--data needs a folder");
        out_.dataDir = v;
    } else if (name == "--scale") {
        if (!value(name, v)) return false;
        if (!parseNumber(v, out_.scale) || out_.scale < kMinScale || out_.scale > kMaxScale) {
            return fail("--scale wants a whole number from 1 to 16, got \"" + v + "\"");
        }
        windowOnly_.push_back(name);
    } else if (name == "--frames") {
        if (!value(name, v)) return false;
        if (!parseNumber(v, out_.run.frames) || out_.run.frames < 1) {
            return fail("--frames wants a whole number of at least 1, got \"" + v + "\"");
        }
        framesGiven_ = true;
        headlessOnly_.push_back(name);
    } else if (name == "--seed") {
        if (!value(name, v)) return false;
        if (!parseNumber(v, out_.run.seed)) {
            return fail("--seed wants a whole number from 0 to 18446744073709551615, got \"" + v +
                        "\"");
        }
        out_.run.seeded = true;
        headlessOnly_.push_back(name);
    } else if (name == "--input" || name == "--trace") {
        if (!value(name, v)) return false;
        if (v.empty()) return fail(name + " needs a file name");
        (name == "--input" ? out_.run.inputPath : out_.run.tracePath) = v;
        headlessOnly_.push_back(name);
    } else if (name == "--shot") {
        if (!value(name, v) || !shot(v)) return false;
        headlessOnly_.push_back(name);
    } else if (name == "--record" || name == "--replay") {
        if (!value(name, v)) return false;
        if (v.empty()) return fail(name + " needs a file name");
        (name == "--record" ? out_.recordPath : out_.replayPath) = v;
    } else if (name == "--host") {
        // The port is optional: a following word that is not an option is taken as it.
        const bool given =
            hasInline_ || (i_ + 1 < args_.size() && args_[i_ + 1].rfind("--", 0) != 0);
        if (given) v = hasInline_ ? inlineValue_ : args_[++i_];
        if (given && !portNumber(v, out_.net.port)) {
            return fail("--host port \"" + v + "\" is not a port from 1 to 65535");
        }
        out_.net.host = true;
        out_.networked = true;
        return true;
    } else if (name == "--join") {
        if (!value(name, v)) return fail("--join needs a host: --join HOST[:PORT]");
        if (!net::parseAddress(v, out_.net.join, error_)) return false;
        if (out_.net.join.v6) {
            return fail("--join \"" + v +
                        "\": IPv6 cannot be used, the network library (ENet 1.3) speaks IPv4 "
                        "only; give an IPv4 address or name");
        }
        out_.networked = true;
    } else if (name == "--spectate") {
        if (!value(name, v)) return fail("--spectate needs a host: --spectate HOST[:PORT]");
        // The address reads as --join's does, and its problems are said the same way.
        if (!net::parseAddress(v, out_.net.join, error_)) {
            if (error_.rfind("--join", 0) == 0) error_ = "--spectate" + error_.substr(6);
            return false;
        }
        if (out_.net.join.v6) {
            return fail("--spectate \"" + v +
                        "\": IPv6 cannot be used, the network library (ENet 1.3) speaks IPv4 "
                        "only; give an IPv4 address or name");
        }
        out_.spectating = true;
    } else if (name == "--delay") {
        if (!value(name, v)) return false;
        if (!parseNumber(v, out_.net.delay) || out_.net.delay > net::kMaxDelay) {
            return fail("--delay wants a whole number of frames from 0 to 4, got \"" + v + "\"");
        }
    } else if (name == "--netsim") {
        if (!value(name, v)) return false;
        if (!net::parseNetSim(v, out_.net.sim, error_)) return false;
    } else if (name == "--outage") {
        if (!value(name, v)) return false;
        if (!net::parseOutage(v, out_.net.outage, error_)) return false;
    } else if (name == "--rejoin-wait") {
        if (!value(name, v)) return false;
        int seconds = 0;
        if (!parseNumber(v, seconds) || seconds > net::kMaxRejoinWaitS) {
            return fail("--rejoin-wait wants a whole number of seconds from 0 to " +
                        std::to_string(net::kMaxRejoinWaitS) + ", got \"" + v + "\"");
        }
        out_.net.rejoinWaitMs = static_cast<uint64_t>(seconds) * 1000;
    } else {
        return fail("unknown option \"" + name + "\" (try --help)");
    }
    if (hasInline_ && v.empty()) return fail(name + " takes no value");
    return true;
}

// An output written over the input script would destroy it before it is read.
bool Parser::outputsSpareTheInput() {
    for (const std::string& input : {out_.run.inputPath, out_.replayPath}) {
        if (sameFile(input, out_.run.tracePath)) {
            return fail(overwrites("--trace", out_.run.tracePath, input));
        }
        if (sameFile(input, out_.recordPath)) {
            return fail(overwrites("--record", out_.recordPath, input));
        }
        for (const Shot& s : out_.run.shots) {
            if (sameFile(input, s.path)) {
                return fail(overwrites("--shot", s.path, input));
            }
        }
    }
    return true;
}

// A replay brings its own events, frames, seed and settings, --training among them.
bool Parser::replayAlone() {
    if (out_.replayPath.empty()) return true;
    for (const char* option : {"--input", "--frames", "--seed", "--demo", "--training"}) {
        if (std::find(seen_.begin(), seen_.end(), option) != seen_.end()) {
            return fail(std::string(option) + " cannot be used with --replay, which gives it");
        }
    }
    if (!out_.headless && !out_.recordPath.empty()) {
        return fail("--record with --replay needs --headless");
    }
    return true;
}

// A networked match takes its seed from the host and its inputs from both sides.
bool Parser::networkAlone() {
    const bool host = seen("--host"), join = seen("--join");
    if (host && join) return fail("--host and --join cannot be used together");
    if (out_.spectating) {
        // A spectator only watches: the match, its seed and its end are the players'.
        for (const char* option :
             {"--host", "--join", "--delay", "--outage", "--rejoin-wait", "--replay", "--demo",
              "--training", "--trace", "--input", "--seed", "--frames"}) {
            if (seen(option)) return fail(std::string(option) + " cannot be used with --spectate");
        }
        if (!out_.run.shots.empty()) return fail("--shot cannot be used with --spectate");
        return true;
    }
    if (!out_.networked) {
        for (const char* option : {"--delay", "--outage"}) {
            if (seen(option)) return fail(std::string(option) + " needs --host or --join");
        }
        if (seen("--rejoin-wait")) return fail("--rejoin-wait needs --host");
        if (seen("--netsim")) return fail("--netsim needs --host, --join or --spectate");
        return true;
    }
    const char* which = host ? "--host" : "--join";
    for (const char* option : {"--replay", "--demo", "--training", "--trace"}) {
        if (seen(option)) return fail(std::string(option) + " cannot be used with " + which);
    }
    if (!out_.run.shots.empty()) return fail(std::string("--shot cannot be used with ") + which);
    if (join && seen("--seed"))
        return fail("--seed cannot be used with --join: the host's is used");
    if (join && seen("--delay"))
        return fail("--delay cannot be used with --join: the host's is used");
    if (join && seen("--rejoin-wait"))
        return fail("--rejoin-wait cannot be used with --join: the host waits, not the joiner");
    return true;
}

// --help and --version answer and end, so what else is given is only checked on its own.
bool Parser::check() {
    if (out_.help || out_.version) return true;
    if (!replayAlone() || !networkAlone()) return false;
    out_.run.recordPath = out_.recordPath;
    out_.run.replayPath = out_.replayPath;
    if (!out_.headless) {
        if (!headlessOnly_.empty()) return fail(headlessOnly_.front() + " needs --headless");
        return true;
    }
    if (!windowOnly_.empty()) return fail(windowOnly_.front() + " is for the window only");
    if (!framesGiven_ && out_.replayPath.empty() && !out_.spectating) {
        return fail("--headless needs --frames N");
    }
    for (const Shot& s : out_.run.shots) {
        if (framesGiven_ && s.frame >= out_.run.frames) {
            return fail("--shot frame " + std::to_string(s.frame) + " is past the last frame " +
                        std::to_string(out_.run.frames - 1));
        }
    }
    if (!outputsSpareTheInput()) return false;
    out_.run.dataDir = out_.dataDir;
    out_.run.demo = out_.demo;
    out_.run.training = out_.training;
    return true;
}

bool Parser::parse(std::string& error) {
    for (i_ = 0; i_ < args_.size(); ++i_) {
        const std::string& arg = args_[i_];
        if (arg.rfind("--", 0) != 0 && arg != "-h") {
            error = "unexpected argument \"" + arg + "\" (try --help)";
            return false;
        }
        const size_t eq = arg.find('=');
        hasInline_ = eq != std::string::npos;
        inlineValue_ = hasInline_ ? arg.substr(eq + 1) : std::string{};
        const std::string name = hasInline_ ? arg.substr(0, eq) : arg;
        if (!once(name) || !option(name)) {
            error = error_;
            return false;
        }
    }
    if (!check()) {
        error = error_;
        return false;
    }
    return true;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
    out = CommandLine{};
    return Parser(args, out).parse(error);
}

const char* usageText() {
    return kUsage;
}

const char* versionText() {
    return "pelea " PELEA_VERSION "\n";
}

}  // namespace platform
