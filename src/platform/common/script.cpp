#include "platform/common/script.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/common/key_names.h"

namespace platform {

namespace {

constexpr char kComment = '#';

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSpace(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !isSpace(line[i]))
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

template <typename T>
bool parseWhole(std::string_view s, T& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return !s.empty() && ec == std::errc() && ptr == end;
}

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

std::string parseStates(const std::vector<std::string_view>& words, ScriptEvent& e) {
    for (size_t i = 2; i < words.size(); ++i) {
        const uint32_t bit = stateBit(words[i]);
        if (bit == 0) return "unknown state " + quoted(words[i]);
        e.states |= bit;
    }
    return {};
}

std::string parseKeys(const std::vector<std::string_view>& words, ScriptEvent& e) {
    if (words.size() < 3) return "key needs at least one key name";
    for (size_t i = 2; i < words.size(); ++i) {
        const int code = keyCode(words[i]);
        if (code < 0) return "unknown key " + quoted(words[i]);
        e.keys.push_back(code);
    }
    return {};
}

std::string parseValue(std::string_view name, std::string_view text, ScriptEvent& e) {
    const pelea::FieldInfo& f = *e.target.field;
    if (f.kind == pelea::FieldKind::F64) {
        if (!parseWhole(text, e.doubleValue) || !std::isfinite(e.doubleValue)) {
            return "value " + quoted(text) + " is not a finite number for " + std::string(name);
        }
        return {};
    }
    int64_t lo = 0, hi = 0;
    integerRange(f.kind, lo, hi);
    if (!parseWhole(text, e.intValue) || e.intValue < lo || e.intValue > hi) {
        return "value " + quoted(text) + " does not fit " + std::string(name) + " (" +
               std::to_string(lo) + " to " + std::to_string(hi) + ")";
    }
    return {};
}

std::string parseSet(const std::vector<std::string_view>& words, ScriptEvent& e) {
    if (words.size() != 4) return "set needs a name and a value";
    const std::string_view name = words[2];
    switch (findSettableField(name, e.target)) {
        case FieldLookup::Unknown:
            return "unknown set name " + quoted(name);
        case FieldLookup::NotScalar:
            return "set cannot change " + quoted(name) + ", which is not a number";
        case FieldLookup::Ok:
            break;
    }
    return parseValue(name, words[3], e);
}

// 1 to 16 hexadecimal digits.
std::string parseSum(const std::vector<std::string_view>& words, ScriptEvent& e) {
    constexpr size_t kMaxDigits = 16;
    constexpr int kHex = 16;
    if (words.size() != 3) return "sum needs one hexadecimal hash";
    const std::string_view hex = words[2];
    const auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), e.sum, kHex);
    if (hex.size() > kMaxDigits || ec != std::errc() || ptr != hex.data() + hex.size()) {
        return "sum " + quoted(hex) + " is not a hash of 1 to 16 hexadecimal digits";
    }
    return {};
}

// Why a path is no script file, from what it names.
std::string notARegularFile(std::filesystem::file_type type, const std::error_code& ec) {
    using std::filesystem::file_type;
    switch (type) {
        case file_type::not_found:
            return "there is no such file";
        case file_type::directory:
            return "it is a folder";
        case file_type::none:
            return ec.message();
        default:
            return "it is not a regular file";
    }
}

std::string tooLong(uintmax_t size, uintmax_t limit) {
    return "it holds " + std::to_string(size) + " bytes, more than the " +
           std::to_string(limit >> 20) + " MiB a script may have";
}

// Reads at most one byte past the limit, so a file that grew after it was measured is still
// refused without being read whole.
bool readAtMostLimit(std::FILE* in, std::string& text, uintmax_t limit) {
    constexpr size_t kChunk = 64 * 1024;
    char buffer[kChunk];
    text.clear();
    size_t got = 0;
    do {
        got = std::fread(buffer, 1, kChunk, in);
        text.append(buffer, got);
    } while (got == kChunk && text.size() <= limit);
    return std::ferror(in) == 0;
}

struct KindName {
    std::string_view name;
    EventKind kind;
};

constexpr KindName kKindNames[] = {
    {"kb", EventKind::Keyboard}, {"joy", EventKind::Joystick}, {"key", EventKind::Key},
    {"set", EventKind::Set},     {"sum", EventKind::Sum},
};

}  // namespace

std::string parseScriptLine(std::string_view line, std::optional<ScriptEvent>& event) {
    event.reset();
    const auto words = splitWords(line.substr(0, line.find(kComment)));
    if (words.empty()) return {};
    ScriptEvent e;
    if (!parseWhole(words[0], e.frame) || e.frame < 0) return "bad frame " + quoted(words[0]);
    if (words.size() < 2) return "missing event after frame " + std::string(words[0]);
    const KindName* kind = nullptr;
    for (const KindName& k : kKindNames) {
        if (k.name == words[1]) kind = &k;
    }
    if (kind == nullptr) return "unknown event " + quoted(words[1]);
    e.kind = kind->kind;
    std::string problem;
    switch (e.kind) {
        case EventKind::Keyboard:
        case EventKind::Joystick:
            problem = parseStates(words, e);
            break;
        case EventKind::Key:
            problem = parseKeys(words, e);
            break;
        case EventKind::Set:
            problem = parseSet(words, e);
            break;
        case EventKind::Sum:
            problem = parseSum(words, e);
            break;
    }
    if (problem.empty()) event = std::move(e);
    return problem;
}

bool parseScript(std::string_view text, InputScript& script, ScriptError& error) {
    script.events.clear();
    int lineNo = 0;
    int64_t lastFrame = 0;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        ++lineNo;
        std::optional<ScriptEvent> event;
        std::string problem = parseScriptLine(line, event);
        if (problem.empty() && event && event->frame < lastFrame) {
            problem = "frame " + std::to_string(event->frame) + " comes after frame " +
                      std::to_string(lastFrame);
        }
        if (!problem.empty()) {
            error = ScriptError{lineNo, std::move(problem)};
            return false;
        }
        if (!event) continue;
        lastFrame = event->frame;
        event->line = lineNo;
        script.events.push_back(std::move(*event));
    }
    return true;
}

bool readScriptFile(const std::string& path, std::string& text, std::string& problem,
                    uintmax_t limit) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_type type = fs::status(path, ec).type();
    if (type != fs::file_type::regular) {
        problem = notARegularFile(type, ec);
        return false;
    }
    const uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        problem = ec.message();
        return false;
    }
    if (size > limit) {
        problem = tooLong(size, limit);
        return false;
    }
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        problem = std::strerror(errno);
        return false;
    }
    const bool read = readAtMostLimit(in, text, limit);
    std::fclose(in);
    if (!read) {
        problem = "it cannot be read";
        return false;
    }
    if (text.size() > limit) {
        problem = "it grew past the " + std::to_string(limit >> 20) +
                  " MiB a script may have while it was read";
        return false;
    }
    return true;
}

void applySet(pelea::GameState& g, const ScriptEvent& e) {
    if (e.target.field->kind == pelea::FieldKind::F64) {
        writeDouble(g, e.target, e.doubleValue);
    } else {
        writeInteger(g, e.target, e.intValue);
    }
}

}  // namespace platform
