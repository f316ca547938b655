// The input-script parser on any bytes, and every set line it accepts written into the state of
// a real game on the headless platform, as the runner does before a frame.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/tform1.h"
#include "platform/common/fields.h"
#include "platform/common/script.h"
#include "platform/headless/headless_platform.h"

namespace {

struct Game {
    Game() : form(platform, pelea::StartOptions{true, 1, false}) {
        form.FormCreate();
        start = form.g;
    }
    platform::HeadlessPlatform platform;
    pelea::TForm1 form;
    pelea::GameState start;
};

// One game for the whole run: each input starts from the state it had after start-up.
Game& game() {
    static Game g;
    g.form.g = g.start;
    return g;
}

const void* recordOf(const pelea::GameState& g, int fighter) {
    if (fighter == 0) return &g.m;
    return &g.lutador[static_cast<size_t>(fighter)];
}

// The field must hold exactly the value the line asked for: nothing was cut to fit.
bool setTookEffect(const pelea::GameState& g, const platform::ScriptEvent& e) {
    const void* record = recordOf(g, e.target.fighter);
    if (e.target.field->kind == pelea::FieldKind::F64) {
        return platform::readDouble(record, *e.target.field) == e.doubleValue;
    }
    return platform::readInteger(record, *e.target.field) == e.intValue;
}

// A refused script names one line of it in one line of text.
bool goodError(const platform::ScriptError& error, std::string_view text) {
    const auto lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    return error.line >= 1 && static_cast<size_t>(error.line) <= lines && !error.message.empty() &&
           error.message.find('\n') == std::string::npos;
}

}  // namespace

// Start-up happens once, before the first input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    game();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::InputScript script;
    platform::ScriptError error;
    if (!platform::parseScript(text, script, error)) {
        if (!goodError(error, text)) __builtin_trap();
        return 0;
    }
    Game& g = game();
    int64_t frame = 0;
    int line = 0;
    for (const platform::ScriptEvent& e : script.events) {
        if (e.frame < frame || e.line <= line) __builtin_trap();  // frames never go backwards
        frame = e.frame;
        line = e.line;
        if (e.kind != platform::EventKind::Set) continue;
        platform::applySet(g.form.g, e);
        if (!setTookEffect(g.form.g, e)) __builtin_trap();
    }
    return 0;
}
