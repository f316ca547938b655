// The replay reader on any bytes: a replay it accepts keeps its promises (frames never go back,
// every sum before the end), and one it refuses names one of its lines in one line of text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "replay/replay_file.h"

namespace {

bool goodError(const replay::ReplayError& error, std::string_view text) {
    const auto lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    return error.line >= 1 && static_cast<size_t>(error.line) <= lines && !error.message.empty() &&
           error.message.find('\n') == std::string::npos;
}

bool keepsItsPromises(const replay::Replay& r) {
    int64_t frame = 0;
    for (const platform::ScriptEvent& e : r.script.events) {
        if (e.frame < frame || e.frame > r.frames) return false;
        if (e.kind == platform::EventKind::Sum && e.frame >= r.frames) return false;
        frame = e.frame;
    }
    return r.header.version >= 1 && r.header.version <= replay::kFormatVersion &&
           r.header.matchStart <= r.frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    replay::Replay r;
    replay::ReplayError error;
    if (!replay::parseReplay(text, r, error)) {
        if (!goodError(error, text)) __builtin_trap();
        return 0;
    }
    if (!keepsItsPromises(r)) __builtin_trap();
    // Written back, the header reads the same.
    replay::Replay again;
    if (!replay::parseReplay(replay::headerText(r.header) + replay::endLine(r.frames), again,
                             error) ||
        again.header.seed != r.header.seed || again.header.data != r.header.data ||
        again.header.startState != r.header.startState || again.header.carried != r.header.carried) {
        __builtin_trap();
    }
    return 0;
}
