// The settings that outlive a run: both fighters' controls, which pad drives which fighter, the
// window's scale, full screen or window (the title screen's choice) and the two volumes. Kept
// in $XDG_CONFIG_HOME/pelea/pelea.ini as `key = value` lines (docs/settings.md).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "options/bindings.h"

namespace options {

inline constexpr int kMaxVolume = 10;   // volumes run 0 (silent) … 10 (full)
inline constexpr int kMaxScale = 16;    // 0: the largest that fits the desktop
inline constexpr int kMaxPadSlot = 16;  // pads of one model told apart by the order plugged in

struct Settings {
    Bindings controls = Bindings::defaults();
    // The GUID of the pad that drives fighter 1 and fighter 2; empty: the order decides.
    std::array<std::string, kFighters> padGuid;
    // Which of the pads with that GUID (two of one model share it): 1 the first plugged in, 2 the
    // second…; 0 every pad with that GUID.
    std::array<int, kFighters> padSlot{};
    int scale = 0;
    bool fullscreen = false;
    bool softFlashes = false;  // "SUAVES": the red flash a faint tint, the shake halved
    int musicVolume = kMaxVolume;
    int effectsVolume = kMaxVolume;

    // The file they were read from and are saved to; empty: never saved.
    std::string path;

    // Writes them to `path` at once, atomically; false with one line on stderr, the old file
    // left as it was.
    bool save() const;

    bool operator==(const Settings&) const = default;
};

// A line of a settings text that was skipped, and why.
struct SettingsProblem {
    int line = 0;
    std::string message;
};

// The settings a text sets over the defaults; each line that cannot be used is skipped and
// named in problems, and what it would have set keeps its default.
Settings parseSettings(std::string_view text, std::vector<SettingsProblem>& problems);

// The text of the settings, with a comment saying what each group is.
std::string settingsText(const Settings& s);

// $XDG_CONFIG_HOME/pelea/pelea.ini, or ~/.config/pelea/pelea.ini; empty when neither is known.
std::string settingsPath();

// Reads the file (a missing one gives the defaults); every skipped line is one stderr line
// naming the file and the line. The result remembers the path.
Settings loadSettings(const std::string& path);

// The text into path: folders made, a temporary file beside it written, flushed to the disk and
// renamed over it. False with the reason in problem; no temporary file is left behind.
bool writeSettings(const std::string& path, const Settings& s, std::string& problem);

// The names the file uses: SDL's key names and game-controller button names.
std::string keyName(int scancode);
std::string buttonName(int button);

}  // namespace options
