#include "replay/match_archive.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "game/tform1.h"
#include "replay/files.h"

namespace replay {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSubfolder = "pelea/replays";
constexpr const char* kDefaultDataHome = ".local/share";

// A character's name as a file name takes it: letters and digits, a dash for a space.
std::string fileWord(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (std::isalnum(c) != 0 && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += '-';
        } else if (name.substr(i, 2) == "\xc3\xb1") {  // ñ
            out += 'n';
            ++i;
        }
    }
    return out;
}

std::tm localTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

std::string formatTime(std::time_t t, const char* format) {
    const std::tm tm = localTime(t);
    char buf[64];
    const size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return std::string(buf, n);
}

std::string characterName(int c) {
    return std::string(pelea::MemoNomes.Lines(c));
}

}  // namespace

std::string replaysFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/')
        return (fs::path(dataHome) / kSubfolder).string();
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return {};
    return (fs::path(home) / kDefaultDataHome / kSubfolder).string();
}

std::string matchFileName(std::time_t started, int character1, int character2) {
    return formatTime(started, "%Y-%m-%d_%H-%M-%S") + "_" + fileWord(characterName(character1)) +
           "-vs-" + fileWord(characterName(character2)) + kFileExtension;
}

MatchArchive::MatchArchive(std::string folder, Clock clock, size_t keep)
    : folder_(std::move(folder)), clock_(std::move(clock)), keep_(keep) {
    if (!clock_) clock_ = [] { return std::time(nullptr); };
}

// A match starts when the fight screen comes up and ends back at the select screen; the
// configuration menu in between is part of it.
void MatchArchive::frameDone(const pelea::GameState& g, const Recorder& recorder,
                             const Header& session) {
    const uint8_t screen = g.m.modoTela;
    if (!inMatch_ && screen == pelea::tela::Luta) {
        inMatch_ = true;
        start_ = recorder.frames() - 1;
        started_ = clock_();
        characters_[0] = g.lutador[1].personagem;
        characters_[1] = g.lutador[2].personagem;
    } else if (inMatch_ && screen == pelea::tela::Selecao) {
        inMatch_ = false;
        write(recorder, session, recorder.frames(), false);
    }
}

void MatchArchive::sessionEnds(const Recorder& recorder, const Header& session) {
    if (!inMatch_) return;
    inMatch_ = false;
    write(recorder, session, recorder.frames(), true);
}

void MatchArchive::write(const Recorder& recorder, const Header& session, int64_t frames,
                         bool whole) {
    if (!folderReady()) return;
    Header h = session;
    h.matchStart = start_;
    h.match = characterName(characters_[0]) + " vs " + characterName(characters_[1]);
    h.recorded = formatTime(started_, "%Y-%m-%d %H:%M:%S");
    std::string name = matchFileName(started_, characters_[0], characters_[1]);
    std::error_code ec;
    // Two matches started in one second (only a test plays that fast) get numbered names.
    for (int n = 2; fs::exists(fs::path(folder_) / name, ec); ++n) {
        name = matchFileName(started_, characters_[0], characters_[1]);
        name.insert(name.size() - std::string_view(kFileExtension).size(), "_" + std::to_string(n));
    }
    const std::string path = (fs::path(folder_) / name).string();
    std::string problem;
    if (!writeFileAtomically(path, recorder.text(h, frames, whole), problem)) {
        complainOnce("cannot write the match replay " + path + ": " + problem);
        return;
    }
    written_.push_back(path);
    prune();
}

bool MatchArchive::folderReady() {
    if (broken_) return false;
    if (folder_.empty()) {
        complainOnce("matches are not recorded: neither XDG_DATA_HOME nor HOME is set");
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        complainOnce("matches are not recorded: cannot make " + folder_ + ": " + ec.message());
        return false;
    }
    return true;
}

// The names start with the date and time, so they sort oldest first.
void MatchArchive::prune() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder_, ec)) {
        if (e.is_regular_file(ec) && e.path().extension() == kFileExtension) {
            names.push_back(e.path().filename().string());
        }
    }
    if (names.size() <= keep_) return;
    std::sort(names.begin(), names.end());
    for (size_t i = 0; i + keep_ < names.size(); ++i)
        fs::remove(fs::path(folder_) / names[i], ec);
}

void MatchArchive::complainOnce(const std::string& message) {
    if (broken_) return;
    broken_ = true;
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

}  // namespace replay
