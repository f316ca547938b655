#include "options/settings.h"

#include <SDL_gamecontroller.h>
#include <SDL_keyboard.h>

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "replay/files.h"

namespace options {

namespace {

namespace fs = std::filesystem;

constexpr const char* kControlNames[kControls] = {
    "up", "down", "left", "right", "button1", "button2", "button3", "button4",
};
constexpr const char* kPlayer[kFighters] = {"player1", "player2"};
constexpr size_t kGuidDigits = 32;

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool wholeNumber(std::string_view s, int low, int high, int& out) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < low || v > high) return false;
    out = v;
    return true;
}

constexpr std::string_view kScancodePrefix = "scancode ";

// A key by SDL's name ("Left Shift", "4") or, for one without a name of its own, as
// "scancode N".
int scancodeNamed(std::string_view name) {
    if (name.find('\0') != std::string_view::npos) return SDL_SCANCODE_UNKNOWN;
    int number = 0;
    if (name.substr(0, kScancodePrefix.size()) == kScancodePrefix) {
        const std::string_view digits = name.substr(kScancodePrefix.size());
        return wholeNumber(digits, 1, SDL_NUM_SCANCODES - 1, number) ? number
                                                                     : SDL_SCANCODE_UNKNOWN;
    }
    return SDL_GetScancodeFromName(std::string(name).c_str());
}

int buttonNamed(std::string_view name) {
    if (name.find('\0') != std::string_view::npos) return SDL_CONTROLLER_BUTTON_INVALID;
    return SDL_GameControllerGetButtonFromString(std::string(name).c_str());
}

bool guidText(std::string_view s) {
    if (s.size() != kGuidDigits) return false;
    for (const char c : s) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// One `key = value` line applied to the settings; the reason when it cannot be.
class LineReader {
public:
    explicit LineReader(Settings& s) : s_(s) {}

    std::string apply(std::string_view key, std::string_view value) {
        if (key == "display") return display(value);
        if (key == "flashes") return flashes(value);
        if (key == "scale") return number(value, 0, kMaxScale, s_.scale, "a scale");
        if (key == "music-volume") return number(value, 0, kMaxVolume, s_.musicVolume, "a volume");
        if (key == "effects-volume") {
            return number(value, 0, kMaxVolume, s_.effectsVolume, "a volume");
        }
        for (int f = 1; f <= kFighters; ++f) {
            const std::string player = kPlayer[f - 1];
            if (key == player + ".pad-guid") return guid(f, value);
            if (key == player + ".pad-slot") {
                return number(value, 0, kMaxPadSlot, s_.padSlot[static_cast<size_t>(f - 1)],
                              "a pad slot");
            }
            for (int c = 0; c < kControls; ++c) {
                if (key == player + "." + kControlNames[c]) return bindKey(f, c, value);
                if (key == player + ".pad." + kControlNames[c]) return bindButton(f, c, value);
            }
        }
        return "unknown setting " + quoted(key);
    }

private:
    std::string display(std::string_view value) {
        if (value == "window") {
            s_.fullscreen = false;
        } else if (value == "fullscreen") {
            s_.fullscreen = true;
        } else {
            return "display is window or fullscreen, not " + quoted(value);
        }
        return {};
    }
    std::string flashes(std::string_view value) {
        if (value == "normal") {
            s_.softFlashes = false;
        } else if (value == "soft") {
            s_.softFlashes = true;
        } else {
            return "flashes is normal or soft, not " + quoted(value);
        }
        return {};
    }
    static std::string number(std::string_view value, int low, int high, int& into,
                              const char* what) {
        if (wholeNumber(value, low, high, into)) return {};
        return quoted(value) + " is not " + what + " from " + std::to_string(low) + " to " +
               std::to_string(high);
    }
    std::string guid(int fighter, std::string_view value) {
        if (!value.empty() && !guidText(value)) {
            return quoted(value) + " is not a pad GUID (32 hexadecimal digits)";
        }
        s_.padGuid[static_cast<size_t>(fighter - 1)] = std::string(value);
        return {};
    }
    std::string bindKey(int fighter, int control, std::string_view value) {
        const int key = scancodeNamed(value);
        if (key == SDL_SCANCODE_UNKNOWN) return "unknown key " + quoted(value);
        if (s_.controls.bindKey(fighter, control, key) == BindResult::Refused) {
            return "the key " + quoted(value) + " is one of the game's own keys";
        }
        return {};
    }
    std::string bindButton(int fighter, int control, std::string_view value) {
        const int button = buttonNamed(value);
        if (button == SDL_CONTROLLER_BUTTON_INVALID) return "unknown pad button " + quoted(value);
        if (s_.controls.bindButton(fighter, control, button) == BindResult::Refused) {
            return "the pad button " + quoted(value) + " cannot drive a fighter";
        }
        return {};
    }

    Settings& s_;
};

std::string homeConfig() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config";
    return {};
}

}  // namespace

// A key SDL has no name for, or a name two keys share, is written as its number.
std::string keyName(int scancode) {
    const char* name = SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode));
    if (name == nullptr || name[0] == '\0' || SDL_GetScancodeFromName(name) != scancode) {
        return std::string(kScancodePrefix) + std::to_string(scancode);
    }
    return name;
}

std::string buttonName(int button) {
    const char* name =
        SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
    return name != nullptr ? name : std::to_string(button);
}

Settings parseSettings(std::string_view text, std::vector<SettingsProblem>& problems) {
    Settings s;
    LineReader reader(s);
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        line = trim(line);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            problems.push_back({number, "not a `key = value` line"});
            continue;
        }
        std::string problem = reader.apply(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
        // A name read from the file is shown as it was, but never with a line break or a NUL.
        for (char& c : problem) {
            if (std::iscntrl(static_cast<unsigned char>(c))) c = '?';
        }
        if (!problem.empty()) problems.push_back({number, std::move(problem)});
    }
    return s;
}

std::string settingsText(const Settings& s) {
    std::ostringstream out;
    out << "# Pelea settings, rewritten by the game whenever one changes (docs/settings.md).\n"
        << "\n# The title screen's choice, the window's scale (0: the largest that fits) and the\n"
        << "# volumes from 0 (silent) to 10 (full).\n"
        << "display = " << (s.fullscreen ? "fullscreen" : "window") << "\n"
        << "scale = " << s.scale << "\n"
        << "music-volume = " << s.musicVolume << "\n"
        << "effects-volume = " << s.effectsVolume << "\n"
        << "\n# Flashes: normal, or soft (a faint red tint instead of a red screen, half the "
           "shake).\n"
        << "flashes = " << (s.softFlashes ? "soft" : "normal") << "\n";
    for (int f = 1; f <= kFighters; ++f) {
        const std::string player = kPlayer[f - 1];
        out << "\n# Fighter " << f << ": keys by SDL's key names, pad buttons by SDL's names,\n"
            << "# the GUID of the pad that drives this fighter (empty: the order decides) and,\n"
            << "# for pads of one model, which of them (1: the first plugged in; 0: all).\n";
        for (int c = 0; c < kControls; ++c)
            out << player << "." << kControlNames[c] << " = " << keyName(s.controls.key(f, c))
                << "\n";
        for (int c = 0; c < kControls; ++c)
            out << player << ".pad." << kControlNames[c] << " = "
                << buttonName(s.controls.button(f, c)) << "\n";
        out << player << ".pad-guid = " << s.padGuid[static_cast<size_t>(f - 1)] << "\n";
        out << player << ".pad-slot = " << s.padSlot[static_cast<size_t>(f - 1)] << "\n";
    }
    return out.str();
}

std::string settingsPath() {
    const std::string base = homeConfig();
    return base.empty() ? std::string() : base + "/pelea/pelea.ini";
}

Settings loadSettings(const std::string& path) {
    Settings s;
    std::error_code ec;
    if (!path.empty() && fs::exists(path, ec)) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        if (in && (text << in.rdbuf())) {
            std::vector<SettingsProblem> problems;
            s = parseSettings(text.str(), problems);
            for (const SettingsProblem& p : problems) {
                std::fprintf(stderr, "pelea: %s:%d: %s; line skipped\n", path.c_str(), p.line,
                             p.message.c_str());
            }
        } else {
            std::fprintf(stderr, "pelea: cannot read the settings %s; using the defaults\n",
                         path.c_str());
        }
    }
    s.path = path;
    return s;
}

bool writeSettings(const std::string& path, const Settings& s, std::string& problem) {
    const fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    if (ec) {
        problem = ec.message();
        return false;
    }
    return replay::writeFileAtomically(path, settingsText(s), problem, true);
}

bool Settings::save() const {
    if (path.empty()) return true;
    std::string problem;
    if (writeSettings(path, *this, problem)) return true;
    std::fprintf(stderr, "pelea: cannot save the settings in %s: %s\n", path.c_str(),
                 problem.c_str());
    return false;
}

}  // namespace options
