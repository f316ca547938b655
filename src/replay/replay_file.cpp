#include "replay/replay_file.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "replay/state_hash.h"

#ifndef PELEA_VERSION
#define PELEA_VERSION "unknown"
#endif

namespace replay {

namespace {

constexpr std::string_view kMagic = "pelea-replay";
constexpr std::string_view kEnd = "end";
constexpr int kHexBase = 16;
constexpr char kHexDigits[] = "0123456789abcdef";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// Splits "key rest" at the first blank.
std::pair<std::string_view, std::string_view> keyAndRest(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && !isSpace(s[i]))
        ++i;
    return {s.substr(0, i), trim(s.substr(i))};
}

template <typename T>
bool parseWhole(std::string_view s, T& out, int base = 10) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out, base);
    return !s.empty() && s[0] != '-' && ec == std::errc() && ptr == end;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Pairs of lowercase hexadecimal digits, appended as bytes.
bool appendHex(std::string_view s, std::vector<unsigned char>& out) {
    if (s.size() % 2 != 0) return false;
    for (size_t i = 0; i < s.size(); i += 2) {
        const int hi = hexDigit(s[i]), lo = hexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<unsigned char>(hi * 16 + lo));
    }
    return true;
}

// Bytes as hexadecimal header lines, each short enough for the line limit.
void appendHexLines(std::string& out, const char* key, const std::vector<unsigned char>& bytes) {
    constexpr size_t kBytesPerLine = 1024;
    for (size_t i = 0; i < bytes.size(); i += kBytesPerLine) {
        out += "# ";
        out += key;
        out += ' ';
        for (size_t j = i; j < std::min(bytes.size(), i + kBytesPerLine); ++j) {
            out += kHexDigits[bytes[j] >> 4];
            out += kHexDigits[bytes[j] & 15];
        }
        out += '\n';
    }
}

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

class Parser {
public:
    Parser(Replay& out, ReplayError& error) : out_(out), error_(error) {}
    bool parse(std::string_view text);

private:
    bool line(std::string_view text);
    bool first(std::string_view text);
    bool comment(std::string_view body);
    bool header(std::string_view key, std::string_view value);
    bool event(std::string_view text);
    bool finish();
    bool fail(std::string message) {
        error_ = ReplayError{lineNo_, std::move(message)};
        return false;
    }

    Replay& out_;
    ReplayError& error_;
    int lineNo_ = 0;
    bool seeded_ = false;
    bool inEvents_ = false;
    std::optional<int64_t> end_;
    int64_t lastFrame_ = 0;
    int64_t lastSum_ = -1;
};

bool Parser::parse(std::string_view text) {
    out_ = Replay{};
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view l = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        ++lineNo_;
        // Every line a replay is written with ends in a newline: one without was cut off.
        if (eol == std::string_view::npos && lineNo_ > 1) {
            return fail("the replay is cut short inside this line");
        }
        if (!line(l)) return false;
    }
    return finish();
}

bool Parser::line(std::string_view text) {
    if (text.size() > kMaxLineBytes) {
        return fail("the line holds " + std::to_string(text.size()) + " bytes, more than the " +
                    std::to_string(kMaxLineBytes) + " a line may have");
    }
    if (lineNo_ == 1) return first(text);
    const std::string_view t = trim(text);
    if (t.empty()) return true;
    if (end_) return fail("nothing may follow the end line");
    if (t.front() == '#') return comment(t.substr(1));
    return event(text);
}

// "# pelea-replay VERSION": what the file is, and whether this game can read it.
bool Parser::first(std::string_view text) {
    const std::string_view t = trim(text);
    const auto [magic, version] = t.empty() || t.front() != '#'
                                      ? std::pair<std::string_view, std::string_view>{}
                                      : keyAndRest(trim(t.substr(1)));
    if (magic != kMagic) return fail("not a replay: it does not begin with \"# pelea-replay\"");
    if (!parseWhole(version, out_.header.version) || out_.header.version < 1) {
        return fail("bad format version " + quoted(version));
    }
    if (out_.header.version > kFormatVersion) {
        return fail("the replay's format version " + std::to_string(out_.header.version) +
                    " is newer than this game reads (" + std::to_string(kFormatVersion) +
                    "); play it with a newer game");
    }
    return true;
}

// Header lines come before the first event; the end line comes last; any other '#' line is a
// comment.
bool Parser::comment(std::string_view body) {
    const auto [key, value] = keyAndRest(trim(body));
    if (key == kEnd) {
        int64_t frames = 0;
        if (!parseWhole(value, frames)) return fail("bad end line: " + quoted(value));
        if (frames < lastFrame_ || frames <= lastSum_) {
            return fail("the end (" + std::to_string(frames) + " frames) comes before frame " +
                        std::to_string(std::max(lastFrame_, lastSum_)));
        }
        end_ = frames;
        return true;
    }
    if (inEvents_) return true;
    return header(key, value);
}

bool Parser::header(std::string_view key, std::string_view value) {
    Header& h = out_.header;
    if (key == "game") {
        h.game = std::string(value);
    } else if (key == "seed") {
        if (!parseWhole(value, h.seed)) return fail("bad seed " + quoted(value));
        seeded_ = true;
    } else if (key == "demo") {
        if (value != "0" && value != "1") return fail("demo must be 0 or 1, not " + quoted(value));
        h.demo = value == "1";
    } else if (key == "training") {
        if (value != "0" && value != "1") {
            return fail("training must be 0 or 1, not " + quoted(value));
        }
        h.training = value == "1";
    } else if (key == "data") {
        const auto [name, hash] = keyAndRest(value);
        DataFile f{std::string(name), 0};
        if (name.empty() || hash.size() > 16 || !parseWhole(hash, f.hash, kHexBase)) {
            return fail("bad data line: " + quoted(value));
        }
        h.data.push_back(std::move(f));
    } else if (key == "match-start") {
        if (!parseWhole(value, h.matchStart)) return fail("bad match start " + quoted(value));
    } else if (key == "match") {
        h.match = std::string(value);
    } else if (key == "recorded") {
        h.recorded = std::string(value);
    } else if (key == "state" || key == "carried") {
        std::vector<unsigned char>& bytes = key == "state" ? h.startState : h.carried;
        if (!appendHex(value, bytes)) return fail("bad " + std::string(key) + " line");
    } else if (key == "started-utc") {
        if (!parseWhole(value, h.startedUtc)) return fail("bad start time " + quoted(value));
    }
    return true;
}

bool Parser::event(std::string_view text) {
    std::optional<platform::ScriptEvent> e;
    const std::string problem = platform::parseScriptLine(text, e);
    if (!problem.empty()) return fail(problem);
    if (!e) return true;
    inEvents_ = true;
    if (e->frame < lastFrame_) {
        return fail("frame " + std::to_string(e->frame) + " comes after frame " +
                    std::to_string(lastFrame_));
    }
    // A frame's sum is the last of its lines: what comes after it is for later frames.
    if (e->frame <= lastSum_) {
        return fail("frame " + std::to_string(e->frame) + " comes after the sum of frame " +
                    std::to_string(lastSum_));
    }
    if (e->kind == platform::EventKind::Sum) lastSum_ = e->frame;
    lastFrame_ = e->frame;
    e->line = lineNo_;
    out_.script.events.push_back(std::move(*e));
    return true;
}

bool Parser::finish() {
    if (lineNo_ == 0) {
        lineNo_ = 1;
        return fail("not a replay: the file is empty");
    }
    if (!end_) return fail("the replay stops before its end line: it is cut short");
    if (!seeded_) return fail("the replay has no seed line");
    const Header& h = out_.header;
    if (h.version >= kMatchVersion && h.startState.size() != hashedStateBytes()) {
        return fail("the start state holds " + std::to_string(h.startState.size()) +
                    " bytes, not the " + std::to_string(hashedStateBytes()) + " of this game's");
    }
    if (h.version < kMatchVersion && !h.startState.empty()) {
        return fail("a version 1 replay holds no start state");
    }
    if (out_.header.matchStart > *end_) {
        return fail("the match start " + std::to_string(out_.header.matchStart) +
                    " is past the end (" + std::to_string(*end_) + " frames)");
    }
    out_.frames = *end_;
    return true;
}

}  // namespace

const char* gameVersion() {
    return PELEA_VERSION;
}

bool parseReplay(std::string_view text, Replay& out, ReplayError& error) {
    return Parser(out, error).parse(text);
}

bool readReplay(const std::string& path, Replay& out, std::string& message) {
    std::string text, problem;
    if (!platform::readScriptFile(path, text, problem, kMaxReplayBytes)) {
        message = "cannot read the replay " + path + ": " + problem;
        return false;
    }
    ReplayError error;
    if (!parseReplay(text, out, error)) {
        message = path + ":" + std::to_string(error.line) + ": " + error.message;
        return false;
    }
    return true;
}

std::string hex16(uint64_t v) {
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i) {
        s[static_cast<size_t>(i)] = kHexDigits[v & 15];
        v >>= 4;
    }
    return s;
}

std::string headerText(const Header& h) {
    std::string out = "# " + std::string(kMagic) + " " + std::to_string(h.version) + "\n";
    out += "# game " + h.game + "\n";
    out += "# seed " + std::to_string(h.seed) + "\n";
    out += std::string("# demo ") + (h.demo ? "1" : "0") + "\n";
    if (h.training) out += "# training 1\n";
    for (const DataFile& f : h.data)
        out += "# data " + f.name + " " + hex16(f.hash) + "\n";
    if (h.matchStart >= 0) out += "# match-start " + std::to_string(h.matchStart) + "\n";
    if (!h.match.empty()) out += "# match " + h.match + "\n";
    if (!h.recorded.empty()) out += "# recorded " + h.recorded + "\n";
    if (h.startedUtc >= 0) out += "# started-utc " + std::to_string(h.startedUtc) + "\n";
    appendHexLines(out, "state", h.startState);
    appendHexLines(out, "carried", h.carried);
    return out;
}

std::string headerDifference(const std::string& path, const Header& recorded,
                             const std::vector<DataFile>& here) {
    std::vector<std::string> parts;
    if (recorded.game != gameVersion()) {
        parts.push_back("by game version " + recorded.game + " (this is " + gameVersion() + ")");
    }
    const std::string data = dataDifference(recorded.data, here);
    if (!data.empty()) parts.push_back("with other data files (" + data + ")");
    if (parts.empty()) return {};
    std::string line = path + " was recorded " + parts[0];
    if (parts.size() > 1) line += " and " + parts[1];
    return line + "; it may play differently";
}

std::string endLine(int64_t frames) {
    return "# " + std::string(kEnd) + " " + std::to_string(frames) + "\n";
}

void appendSum(std::string& out, int64_t frame, uint64_t hash) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, frame);
    out.append(buf, r.ptr);
    out += " sum ";
    char digits[16];
    for (int i = 15; i >= 0; --i) {
        digits[i] = kHexDigits[hash & 15];
        hash >>= 4;
    }
    out.append(digits, sizeof digits);
    out += '\n';
}

}  // namespace replay
