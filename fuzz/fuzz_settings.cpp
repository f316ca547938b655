// The settings reader on any bytes: whatever it keeps holds no key twice and none of the game's
// own, the volumes and scale stay in range, every skipped line is named by its number in one
// line of text, and the settings written back read the same with nothing skipped.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "options/settings.h"

namespace {

bool keepsItsPromises(const options::Settings& s) {
    std::set<int> keys;
    for (int f = 1; f <= options::kFighters; ++f) {
        std::set<int> buttons;
        for (int c = 0; c < options::kControls; ++c) {
            if (options::reservedKey(s.controls.key(f, c))) return false;
            if (!keys.insert(s.controls.key(f, c)).second) return false;
            if (options::reservedButton(s.controls.button(f, c))) return false;
            if (!buttons.insert(s.controls.button(f, c)).second) return false;
        }
    }
    return s.musicVolume >= 0 && s.musicVolume <= options::kMaxVolume && s.effectsVolume >= 0 &&
           s.effectsVolume <= options::kMaxVolume && s.scale >= 0 && s.scale <= options::kMaxScale;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<options::SettingsProblem> problems;
    const options::Settings s = options::parseSettings(text, problems);
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const options::SettingsProblem& p : problems) {
        if (p.line < 1 || p.line > lines || p.message.empty() ||
            p.message.find('\n') != std::string::npos) {
            __builtin_trap();
        }
    }
    if (!keepsItsPromises(s)) __builtin_trap();
    std::vector<options::SettingsProblem> again;
    const options::Settings back = options::parseSettings(options::settingsText(s), again);
    if (!again.empty() || !(back == s)) __builtin_trap();
    return 0;
}
