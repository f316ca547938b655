// Input scripts for headless runs: one event per line, "F kb STATE...", "F joy STATE...",
// "F key NAME...", "F set NAME VALUE", "F sum HEX"; '#' starts a comment; frames never go
// backwards. A sum line (the state hash a replay expects after frame F) changes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/state.h"
#include "platform/common/fields.h"

namespace platform {

enum class EventKind { Keyboard, Joystick, Key, Set, Sum };

struct ScriptEvent {
    int64_t frame = 0;
    EventKind kind = EventKind::Keyboard;
    uint32_t states = 0;    // kb, joy: the whole set from this frame on
    std::vector<int> keys;  // key: virtual-key codes, in order
    FieldRef target;        // set
    int64_t intValue = 0;
    double doubleValue = 0.0;
    uint64_t sum = 0;  // sum: the state hash after frame F
    int line = 0;
};

struct InputScript {
    std::vector<ScriptEvent> events;  // in file order, frames not decreasing
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Parses one line. Returns the problem, or an empty string when the line is fine; event is
// empty for a blank or comment line.
std::string parseScriptLine(std::string_view line, std::optional<ScriptEvent>& event);

// Parses a whole script; false with the first malformed line in error.
bool parseScript(std::string_view text, InputScript& script, ScriptError& error);

// The largest input script read: anything longer is refused before it is read.
inline constexpr uintmax_t kMaxScriptBytes = uintmax_t{16} << 20;

// Reads a script file: a regular file (or a link to one) of at most limit bytes. False with the
// reason in problem ("it is a folder", ...), in which case text holds nothing useful.
bool readScriptFile(const std::string& path, std::string& text, std::string& problem,
                    uintmax_t limit = kMaxScriptBytes);

// Writes the value of a set event into the state.
void applySet(pelea::GameState& g, const ScriptEvent& e);

}  // namespace platform
