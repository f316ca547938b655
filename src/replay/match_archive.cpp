#include "replay/match_archive.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "game/tform1.h"
#include "replay/files.h"
#include "replay/state_hash.h"

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

constexpr int kNoticeFrames = 150;  // about four seconds at the default speed
constexpr size_t kHeaderPeek = 4096;

bool digits(std::string_view s, size_t from, size_t count) {
    if (s.size() < from + count) return false;
    for (size_t i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

// When a match file says its match started, in seconds since 1970 UTC; its modification time
// for one that does not say.
int64_t startedUtc(const fs::path& file) {
    std::string head(kHeaderPeek, '\0');
    if (std::FILE* in = std::fopen(file.c_str(), "rb"); in != nullptr) {
        head.resize(std::fread(head.data(), 1, head.size(), in));
        std::fclose(in);
        const std::string key = "\n# started-utc ";
        const size_t at = head.find(key);
        if (at != std::string::npos) {
            int64_t t = 0;
            const char* first = head.data() + at + key.size();
            const auto [ptr, ec] = std::from_chars(first, head.data() + head.size(), t);
            if (ec == std::errc() && ptr != first) return t;
        }
    }
    std::error_code ec;
    const auto written = fs::last_write_time(file, ec);
    if (ec) return 0;
    return std::chrono::duration_cast<std::chrono::seconds>(
               fs::file_time_type::clock::to_sys(written).time_since_epoch())
        .count();
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

bool isMatchFileName(std::string_view name) {
    const std::string_view ext = kFileExtension;
    // 2026-12-08_14-03-22_
    if (name.size() < 20 + ext.size() || name.substr(name.size() - ext.size()) != ext) return false;
    for (const size_t at : {size_t{4}, size_t{7}, size_t{13}, size_t{16}}) {
        if (name[at] != '-') return false;
    }
    if (name[10] != '_' || name[19] != '_') return false;
    if (!digits(name, 0, 4) || !digits(name, 5, 2) || !digits(name, 8, 2) || !digits(name, 11, 2) ||
        !digits(name, 14, 2) || !digits(name, 17, 2))
        return false;
    const std::string_view rest = name.substr(20, name.size() - 20 - ext.size());
    return rest.find("-vs-") != std::string_view::npos;
}

MatchArchive::MatchArchive(std::string folder, Clock clock, size_t keep)
    : folder_(std::move(folder)), clock_(std::move(clock)), keep_(keep) {
    if (!clock_) clock_ = [] { return std::time(nullptr); };
}

// A match starts when the fight screen comes up and ends back at the select screen; the
// configuration menu in between is part of it.
void MatchArchive::frameDone(const pelea::GameState& g, const Recorder& recorder,
                             const Header& session, const platform::FrameDriver* driver) {
    const uint8_t screen = g.m.modoTela;
    if (!inMatch_ && screen == pelea::tela::Luta) {
        inMatch_ = true;
        start_ = recorder.frames() - 1;
        started_ = clock_();
        characters_[0] = g.lutador[1].personagem;
        characters_[1] = g.lutador[2].personagem;
        startState_ = before_;
        startCarried_ = carriedBefore_;
        startKeyboard_ = keyboardBefore_;
        startJoystick_ = joystickBefore_;
    } else if (inMatch_ && screen == pelea::tela::Selecao) {
        inMatch_ = false;
        write(recorder, session, recorder.frames(), false);
    }
    if (inMatch_) return;
    before_ = g;
    if (driver != nullptr) carriedBefore_ = driver->carried();
    keyboardBefore_ = recorder.keyboard();
    joystickBefore_ = recorder.joystick();
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
    h.version = kMatchVersion;
    h.startState = packState(startState_);
    h.carried = startCarried_;
    h.match = characterName(characters_[0]) + " vs " + characterName(characters_[1]);
    h.recorded = formatTime(started_, "%Y-%m-%d %H:%M:%S");
    h.startedUtc = static_cast<int64_t>(started_);
    std::string name = matchFileName(started_, characters_[0], characters_[1]);
    std::error_code ec;
    // Two matches started in one second (only a test plays that fast) get numbered names.
    for (int n = 2; fs::exists(fs::path(folder_) / name, ec); ++n) {
        name = matchFileName(started_, characters_[0], characters_[1]);
        name.insert(name.size() - std::string_view(kFileExtension).size(), "_" + std::to_string(n));
    }
    const std::string path = (fs::path(folder_) / name).string();
    std::string problem;
    const std::string text =
        recorder.text(h, start_, frames, whole, startKeyboard_, startJoystick_);
    if (!writeFileAtomically(path, text, problem)) {
        fail("cannot write the match replay " + path + ": " + problem, "write: " + problem);
        return;
    }
    written_.push_back(path);
    lastComplaint_.clear();
    notice_.clear();
    prune();
}

bool MatchArchive::folderReady() {
    if (folder_.empty()) {
        fail("matches are not recorded: neither XDG_DATA_HOME nor HOME is set");
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        fail("matches are not recorded: cannot make " + folder_ + ": " + ec.message());
        return false;
    }
    return true;
}

// Only the archive's own files are counted, oldest first by the start each records in UTC.
void MatchArchive::prune() {
    std::vector<std::pair<int64_t, std::string>> files;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder_, ec)) {
        const std::string name = e.path().filename().string();
        if (e.is_regular_file(ec) && isMatchFileName(name)) {
            files.emplace_back(startedUtc(e.path()), name);
        }
    }
    if (files.size() <= keep_) return;
    std::sort(files.begin(), files.end());
    for (size_t i = 0; i + keep_ < files.size(); ++i)
        fs::remove(fs::path(folder_) / files[i].second, ec);
}

// Each match that cannot be kept is told on the screen; stderr hears a reason once until a
// match is kept again.
void MatchArchive::fail(const std::string& message, const std::string& reason) {
    ++failures_;
    notice_ = kNotSavedNotice;
    noticeFrames_ = kNoticeFrames;
    const std::string& said = reason.empty() ? message : reason;
    if (said == lastComplaint_) return;
    lastComplaint_ = said;
    std::fprintf(stderr, "pelea: %s\n", message.c_str());
}

void MatchArchive::frameShown() {
    if (noticeFrames_ > 0 && --noticeFrames_ == 0) notice_.clear();
}

}  // namespace replay
