// Replays in the window: every match kept in the replays folder, named by its start and its
// characters, the newest fifty kept; and the viewer, where the replay alone drives the game.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/common/app_loop.h"
#include "platform/front_end.h"
#include "platform/headless/runner.h"
#include "replay/match_archive.h"
#include "replay/replay_check.h"
#include "replay/replay_file.h"
#include "replay/state_hash.h"
#include "replay/viewer.h"
#include "replay/window_session.h"
#include "support/files.h"
#include "support/full_disk.h"
#include "support/game_fixture.h"

namespace replay {
namespace {

namespace fs = std::filesystem;
namespace training_key {
constexpr int Pause = 118;  // F7
}

using pelea::testing::readFile;

// 2026-12-08 14:03:22, local time.
std::time_t aDecemberAfternoon() {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 8;
    tm.tm_hour = 14;
    tm.tm_min = 3;
    tm.tm_sec = 22;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

std::vector<std::string> replayFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        if (e.path().extension() == kFileExtension) names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Plays n matches through the archive: a frame on the select screen, one on the fight screen,
// one back on the select screen; match i starts a minute after match i − 1.
void playMatches(MatchArchive& archive, Recorder& recorder, int n, int c1 = 1, int c2 = 2) {
    pelea::GameState g;
    g.lutador[1].personagem = static_cast<uint8_t>(c1);
    g.lutador[2].personagem = static_cast<uint8_t>(c2);
    for (int i = 0; i < n; ++i) {
        for (const uint8_t screen : {pelea::tela::Selecao, pelea::tela::Luta, pelea::tela::Config,
                                     pelea::tela::Luta, pelea::tela::Selecao}) {
            g.m.modoTela = screen;
            recorder.frameDone(g);
            archive.frameDone(g, recorder, Header{});
        }
    }
}

TEST(MatchArchive, AMatchIsNamedByItsStartAndItsCharacters) {
    struct Case {
        int c1, c2;
        const char* file;
        const char* match;
    };
    const Case cases[] = {
        {1, 3, "2026-12-08_14-03-22_Paco-Sombrero-vs-Lupe-Centella.pelea-replay",
         "Paco Sombrero vs Lupe Centella"},
        {4, 12, "2026-12-08_14-03-22_Tono-Cuernos-vs-Chuy-Tornado.pelea-replay",
         "Toño Cuernos vs Chuy Tornado"},
        {11, 11, "2026-12-08_14-03-22_El-Coyote-vs-El-Coyote.pelea-replay",
         "El Coyote vs El Coyote"},
    };
    for (const Case& c : cases) {
        fs::remove_all("replays");
        MatchArchive archive("replays/deep/down", [] { return aDecemberAfternoon(); });
        Recorder recorder;
        playMatches(archive, recorder, 1, c.c1, c.c2);
        ASSERT_EQ(replayFiles("replays/deep/down"), std::vector<std::string>{c.file});
        Replay r;
        std::string message;
        ASSERT_TRUE(readReplay("replays/deep/down/" + std::string(c.file), r, message)) << message;
        // A match file: it starts from the state before the frame that brought the fight
        // screen up, and runs up to the frame back on the select screen.
        EXPECT_EQ(r.header.version, 2);
        EXPECT_EQ(r.header.startState.size(), hashedStateBytes());
        EXPECT_EQ(r.header.matchStart, -1);
        EXPECT_EQ(r.frames, 4);
        EXPECT_EQ(r.header.match, c.match);
        EXPECT_EQ(r.header.recorded, "2026-12-08 14:03:22");
    }
    EXPECT_EQ(matchFileName(aDecemberAfternoon() + 3600 * 24 * 30, 2, 10),
              "2027-01-07_14-03-22_Gordo-Ruiz-vs-Chela-Abanico.pelea-replay");
}

TEST(MatchArchive, TheNewestFiftyOfItsOwnAreKept) {
    struct Case {
        const char* what;
        std::vector<std::string> before;  // files already in the folder
        bool ownBefore;                   // written by an earlier session of the archive
        int matches;
        size_t kept;  // of the archive's own
        std::string oldestKept;
    };
    const std::string first = "2026-12-08_14-03-22_Paco-Sombrero-vs-Gordo-Ruiz.pelea-replay";
    const std::string second = "2026-12-08_14-04-22_Paco-Sombrero-vs-Gordo-Ruiz.pelea-replay";
    std::vector<std::string> foreign;
    for (int i = 0; i < 50; ++i) {
        foreign.push_back("my-combo-" + std::to_string(i) + ".pelea-replay");
        foreign.push_back("desync-host-" + std::to_string(100 + i) + ".pelea-replay");
    }
    foreign.push_back("2026-12-08_notes.pelea-replay");
    const Case cases[] = {
        {"fifty", {}, false, 50, 50, first},
        {"the fifty-first deletes the oldest", {}, false, 51, 50, second},
        {"older sessions' replays go first",
         {"2020-01-01_00-00-01_Old-vs-Old.pelea-replay",
          "2020-01-01_00-00-02_Old-vs-Old.pelea-replay",
          "2020-01-01_00-00-03_Old-vs-Old.pelea-replay"},
         true,
         49,
         50,
         "2020-01-01_00-00-03_Old-vs-Old.pelea-replay"},
        {"the player's own and netplay's files are left alone", foreign, false, 51, 50, second},
    };
    for (const Case& c : cases) {
        fs::remove_all("replays");
        fs::create_directories("replays");
        for (const std::string& name : c.before) {
            std::ofstream("replays/" + name) << "# pelea-replay 1\n";
            // Written long ago, by a game that put no start time in its files.
            fs::last_write_time("replays/" + name,
                                fs::file_time_type::clock::now() - std::chrono::hours(24 * 900));
        }
        std::ofstream("replays/notes.txt") << "not a replay";
        int minute = 0;
        MatchArchive archive("replays", [&minute] { return aDecemberAfternoon() + 60 * minute++; });
        Recorder recorder;
        playMatches(archive, recorder, c.matches);
        std::vector<std::string> own;
        for (const std::string& name : replayFiles("replays")) {
            if (isMatchFileName(name)) own.push_back(name);
        }
        EXPECT_EQ(own.size(), c.kept) << c.what;
        ASSERT_FALSE(own.empty());
        EXPECT_EQ(own.front(), c.oldestKept) << c.what;
        EXPECT_TRUE(fs::exists("replays/notes.txt")) << c.what << ": only replays are deleted";
        for (const std::string& name : c.before) {
            if (!c.ownBefore) {
                EXPECT_TRUE(fs::exists("replays/" + name)) << c.what << ": " << name;
            }
        }
        EXPECT_EQ(archive.written().size(), static_cast<size_t>(c.matches));
    }
}

TEST(MatchArchive, PruningFollowsTheClockAcrossASummerTimeChange) {
    // On 2026-10-25 at 01:00 UTC Madrid goes back from 03:00 summer time to 02:00: matches one
    // a minute from 00:20 UTC are named 02-20 … 02-59, then 02-00 … 02-10 again.
    const char* saved = std::getenv("TZ");
    const std::string savedTz = saved == nullptr ? "" : saved;
    setenv("TZ", "Europe/Madrid", 1);
    tzset();
    std::tm utc{};
    utc.tm_year = 2026 - 1900;
    utc.tm_mon = 9;
    utc.tm_mday = 25;
    utc.tm_min = 20;
    const std::time_t start = timegm(&utc);
    int minute = 0;
    MatchArchive archive("replays", [&] { return start + 60 * minute++; });
    Recorder recorder;
    playMatches(archive, recorder, 52);
    const std::vector<std::string> files = replayFiles("replays");
    if (saved == nullptr) {
        unsetenv("TZ");
    } else {
        setenv("TZ", savedTz.c_str(), 1);
    }
    tzset();
    ASSERT_EQ(files.size(), 50u);
    const auto has = [&files](const std::string& time) {
        return std::any_of(files.begin(), files.end(), [&time](const std::string& f) {
            return f.rfind("2026-10-25_" + time + "_", 0) == 0;
        });
    };
    EXPECT_FALSE(has("02-20-00")) << "the first match, the oldest, goes";
    EXPECT_FALSE(has("02-21-00")) << "and the second";
    EXPECT_TRUE(has("02-22-00"));
    EXPECT_TRUE(has("02-11-00")) << "the newest match, after the change, is kept";
    EXPECT_TRUE(has("02-00-00"));
}

TEST(MatchArchive, AMatchThatCannotBeKeptIsToldAndTheNextIsTriedAgain) {
    struct Case {
        const char* what;
        std::function<void()> breakIt, mendIt;
    };
    std::optional<pelea::testing::FullDisk> full;
    const Case cases[] = {
        {"the folder is a file", [] { std::ofstream("replays") << "x"; },
         [] { fs::remove("replays"); }},
        {"the folder's parent is a file", [] { std::ofstream("parent") << "x"; },
         [] { fs::remove("parent"); }},
        {"the disk is full", [&full] { full.emplace(512); }, [&full] { full.reset(); }},
    };
    for (const Case& c : cases) {
        fs::remove_all("replays");
        const std::string folder =
            std::string(c.what).find("parent") != std::string::npos ? "parent/replays" : "replays";
        c.breakIt();
        int minute = 0;
        MatchArchive archive(folder, [&minute] { return aDecemberAfternoon() + 60 * minute++; });
        Recorder recorder;
        testing::internal::CaptureStderr();
        playMatches(archive, recorder, 2);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(archive.failures(), 2) << c.what << ": each match is tried";
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_EQ(archive.notice(), kNotSavedNotice) << c.what;
        c.mendIt();
        playMatches(archive, recorder, 1);
        EXPECT_EQ(archive.written().size(), 1u) << c.what << ": the next match is kept";
        EXPECT_EQ(archive.notice(), "") << c.what;
        EXPECT_EQ(replayFiles(folder).size(), 1u) << c.what;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
            << c.what << ": no half-written file is left";
    }
}

// A window left running for hours, playing now and then: without --record only the match under
// way is held, and the match files it writes are the same as when the whole session is held.
TEST(WindowRecording, ALongSessionHoldsOnlyTheMatchUnderWayAndWritesTheSameMatches) {
    pelea::testing::Game game;
    WindowRecording forgetting(Header{}, "", "kept", [] { return aDecemberAfternoon(); });
    WindowRecording whole(Header{}, "session.pelea-replay", "all",
                          [] { return aDecemberAfternoon(); });
    constexpr size_t kBlock = size_t{1} << 15;     // the recorder's block of entries
    constexpr int kIdle = 150000, kMatch = 90000;  // an hour and a half idle, 40 minutes of match
    int64_t frames = 0;
    const auto play = [&](uint8_t screen, int n) {
        game.m().modoTela = screen;
        for (int i = 0; i < n; ++i, ++frames) {
            game.m().pisca = static_cast<uint8_t>(frames);  // every frame's state differs
            forgetting.frameDone(game.form);
            whole.frameDone(game.form);
        }
    };
    for (int match = 0; match < 2; ++match) {
        play(pelea::tela::Selecao, kIdle);
        EXPECT_LE(forgetting.recorder().heldEntries(), 2 * kBlock) << "idle before match " << match;
        play(pelea::tela::Luta, kMatch);
        EXPECT_GE(forgetting.recorder().heldEntries(), static_cast<size_t>(kMatch))
            << "match " << match << " is held whole";
        EXPECT_LE(forgetting.recorder().heldEntries(), kMatch + 2 * kBlock) << "match " << match;
        play(pelea::tela::Selecao, 1);
    }
    EXPECT_EQ(whole.recorder().heldEntries(), static_cast<size_t>(frames)) << "--record holds all";
    ASSERT_EQ(forgetting.archive().written().size(), 2u);
    ASSERT_EQ(whole.archive().written().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const std::string text = readFile(forgetting.archive().written()[i]);
        EXPECT_EQ(text, readFile(whole.archive().written()[i])) << "match " << i;
        // The match alone, each of its frames with its sum, across the recorder's blocks.
        Replay r;
        ReplayError error;
        ASSERT_TRUE(parseReplay(text, r, error)) << error.line << ": " << error.message;
        EXPECT_EQ(r.frames, kMatch + 1) << "match " << i;
        size_t sums = 0;
        for (size_t at = text.find(" sum "); at != std::string::npos;
             at = text.find(" sum ", at + 1))
            ++sums;
        EXPECT_EQ(sums, static_cast<size_t>(kMatch + 1)) << "match " << i;
    }
}

TEST(WindowRecording, AMatchNotKeptIsSaidOnTheScreenForAWhile) {
    std::ofstream("replays") << "in the way";
    pelea::testing::Game game;
    WindowRecording recording(Header{}, "", "replays", [] { return aDecemberAfternoon(); });
    const auto frame = [&] {
        game.frame();
        recording.frameDone(game.form);
        recording.draw(game.form);
    };
    game.m().modoTela = pelea::tela::Luta;
    frame();
    EXPECT_FALSE(game.shows(kNotSavedNotice));
    game.m().modoTela = pelea::tela::Selecao;
    testing::internal::CaptureStderr();
    frame();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(game.shows(kNotSavedNotice));
    int shown = 1;
    for (int i = 0; i < 400 && game.shows(kNotSavedNotice); ++i, ++shown)
        frame();
    EXPECT_GT(shown, 60) << "long enough to be read";
    EXPECT_LT(shown, 400) << "and then gone";
}

TEST(MatchArchive, TheFolderFollowsTheEnvironment) {
    struct Case {
        const char* dataHome;  // nullptr: unset
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"/tmp/xdg", "/home/ana", "/tmp/xdg/pelea/replays"},
        {nullptr, "/home/ana", "/home/ana/.local/share/pelea/replays"},
        {"", "/home/ana", "/home/ana/.local/share/pelea/replays"},
        {"relative/path", "/home/ana", "/home/ana/.local/share/pelea/replays"},
        {nullptr, nullptr, ""},
    };
    const auto saved = [](const char* name) {
        const char* v = std::getenv(name);
        return v == nullptr ? std::optional<std::string>{} : std::optional<std::string>{v};
    };
    const auto restore = [](const char* name, const std::optional<std::string>& v) {
        if (v) {
            setenv(name, v->c_str(), 1);
        } else {
            unsetenv(name);
        }
    };
    const auto dataHome = saved("XDG_DATA_HOME"), home = saved("HOME");
    for (const Case& c : cases) {
        restore("XDG_DATA_HOME",
                c.dataHome ? std::optional<std::string>{c.dataHome} : std::nullopt);
        restore("HOME", c.home ? std::optional<std::string>{c.home} : std::nullopt);
        EXPECT_EQ(replaysFolder(), c.folder) << (c.dataHome ? c.dataHome : "(unset)");
    }
    restore("XDG_DATA_HOME", dataHome);
    restore("HOME", home);
}

// A window nobody touches, closed when the test says so.
class IdleWindow : public pelea::testing::FakePlatform {
public:
    void pollEvents(std::vector<int>&, bool& quit) override { quit = stop(); }
    std::function<bool()> stop;
};

int runBinary(const std::string& args) {
    const std::string cmd = "'" PELEA_BINARY "' " + args + " >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The trace's line of a frame.
std::string traceLine(const std::string& trace, int64_t frame) {
    std::istringstream in(trace);
    std::string line;
    for (int64_t f = 0; f <= frame; ++f)
        std::getline(in, line);
    return line;
}

// A window whose viewer presses keys at given times and closes it at another.
class ViewerWindow : public pelea::testing::FakePlatform {
public:
    void pollEvents(std::vector<int>& keys, bool& quit) override {
        while (!pressed.empty() && pressed.begin()->first <= now) {
            keys.insert(keys.end(), pressed.begin()->second.begin(), pressed.begin()->second.end());
            pressed.erase(pressed.begin());
        }
        quit = now >= closeAtMs;
    }
    void present(const media::Surface&, int) override { ++presents; }
    std::map<uint64_t, std::vector<int>> pressed;
    uint64_t closeAtMs = 3'600'000;  // the viewer holds its last picture until then
    int presents = 0;
};

// The window's own session: the additions the front end puts on every pipeline drive it.
int playWindow(platform::Platform& window, pelea::TForm1*& form, WindowRecording& recording) {
    pelea::TForm1 game(window, pelea::testing::Game::options(5, true));
    platform::FramePipeline pipeline(game);
    front::Drivers drivers(game, pipeline, false);
    pipeline.watch(recording);
    game.FormCreate();
    form = &game;
    const int code = platform::runGame(window, pipeline);
    form = nullptr;
    return code;
}

// Shows a replay in the window's viewer, as `pelea --replay FILE` does, on a window nobody
// touches until long after the replay is over: the exit code. Each frame of the match is shown,
// and then its last picture again, with "FIN".
int showInWindow(const std::string& path) {
    Replay shown;
    std::string message;
    EXPECT_TRUE(readReplay(path, shown, message)) << message;
    platform::CommandLine cl;
    cl.replayPath = path;
    ViewerWindow window;
    window.closeAtMs = static_cast<uint64_t>(shown.frames) * 100 + 60'000;
    const int code =
        front::runWindowSession(window, cl, shown, [](pelea::TForm1& f) { f.FormCreate(); });
    const int64_t matchFrames = shown.frames - std::max<int64_t>(shown.header.matchStart, 0);
    if (code == 0) {
        EXPECT_EQ(window.presents, matchFrames + 1) << path;
    }
    return code;
}

TEST(WindowRecording, AMatchPlayedInTheWindowIsKeptAndPlaysBack) {
    constexpr uint64_t kSeed = 11;
    constexpr uint64_t kGiveUpMs = 4'000'000;  // more than an hour of play
    IdleWindow window;
    Header session;
    session.seed = kSeed;
    session.demo = true;
    WindowRecording recording(session, fs::absolute("session.pelea-replay").string(), "replays",
                              [] { return aDecemberAfternoon(); });
    window.stop = [&] { return !recording.archive().written().empty() || window.now > kGiveUpMs; };
    pelea::TForm1 form(window, pelea::testing::Game::options(kSeed, true));
    form.FormCreate();
    ASSERT_EQ(platform::runGame(form, window, &recording), 0);

    const std::vector<std::string> files = replayFiles("replays");
    ASSERT_EQ(files.size(), 1u) << "a demo match ends within the hour";
    const std::string& name = files.front();
    EXPECT_EQ(name.rfind("2026-12-08_14-03-22_", 0), 0u) << name;
    Replay match;
    std::string message;
    ASSERT_TRUE(readReplay("replays/" + name, match, message)) << message;
    // Named by the time it started and the two characters it was fought by.
    std::string expected;
    for (int a = 1; a <= 12; ++a) {
        for (int b = 1; b <= 12; ++b) {
            if (std::string(pelea::MemoNomes.Lines(a)) + " vs " +
                    std::string(pelea::MemoNomes.Lines(b)) ==
                match.header.match) {
                expected = matchFileName(aDecemberAfternoon(), a, b);
            }
        }
    }
    EXPECT_EQ(name, expected) << match.header.match;
    EXPECT_TRUE(match.header.demo);
    EXPECT_EQ(match.header.seed, kSeed);

    // A match file holds the match alone: played back headless from the state it starts in,
    // every frame matches; the fight screen comes up with its first frame, and the last frame
    // is back on the select screen.
    const std::string path = "replays/" + name;
    ASSERT_EQ(runBinary("--headless --replay '" + path + "' --trace t.jsonl"), 0)
        << readFile("err.txt");
    const std::string trace = readFile("t.jsonl");
    EXPECT_EQ(match.header.version, 2);
    EXPECT_NE(traceLine(trace, 0).find("\"modoTela\":5,"), std::string::npos);
    EXPECT_NE(traceLine(trace, match.frames - 1).find("\"modoTela\":3,"), std::string::npos);
    EXPECT_NE(traceLine(trace, match.frames - 2).find("\"modoTela\":5,"), std::string::npos);

    // The whole session was recorded too, as version 1 from start-up, and ends where the
    // window was closed; it plays as well. The match file holds only the match's frames.
    Replay whole;
    ASSERT_TRUE(readReplay("session.pelea-replay", whole, message)) << message;
    EXPECT_EQ(whole.header.version, 1);
    EXPECT_GT(whole.frames, match.frames);
    EXPECT_EQ(runBinary("--headless --replay session.pelea-replay --trace w.jsonl"), 0)
        << readFile("err.txt");
    const auto withoutFrame = [](const std::string& line) {
        return line.substr(0, line.rfind(",\"frame\":"));
    };
    EXPECT_EQ(withoutFrame(traceLine(readFile("w.jsonl"), whole.frames - 1)),
              withoutFrame(traceLine(trace, match.frames - 1)))
        << "the match file's last frame is the session's";
    const std::string text = readFile(path);
    size_t sums = 0;
    for (size_t at = text.find(" sum "); at != std::string::npos; at = text.find(" sum ", at + 1))
        ++sums;
    EXPECT_EQ(sums, static_cast<size_t>(match.frames)) << "the match's frames alone";
    EXPECT_EQ(text.find("\n0 sum ") != std::string::npos, true);
    EXPECT_EQ(showInWindow(path), 0) << "the window's viewer plays it too";

    // Checked frame by frame: a state or a sum changed is found at its frame.
    struct Tamper {
        const char* what;
        std::function<std::string(std::string)> change;
        int64_t frame;
    };
    const Tamper tampers[] = {
        {"a sum",
         [](std::string t) {
             const size_t at = t.find("\n10 sum ") + 9;
             t[at] = t[at] == '0' ? '1' : '0';
             return t;
         },
         10},
        {"the start state",
         [](std::string t) {
             // The last byte of the state: the random generator's.
             const size_t at = t.find('\n', t.rfind("# state ")) - 1;
             t[at] = t[at] == '0' ? '1' : '0';
             return t;
         },
         0},
    };
    for (const Tamper& t : tampers) {
        std::ofstream("bad.pelea-replay") << t.change(text);
        EXPECT_EQ(runBinary("--headless --replay bad.pelea-replay"), 3) << t.what;
        EXPECT_NE(readFile("err.txt").find("frame " + std::to_string(t.frame) + ":"),
                  std::string::npos)
            << t.what << ": " << readFile("err.txt");
    }
}

// A fight recorded headless: keys, a pause, credits, a join, states and set lines.
Replay recordedFight(const std::string& extraScript = "") {
    std::ofstream("s.txt") << "0 kb b1\n2 kb\n5 key 5 2\n20 kb right\n40 kb right b1\n41 kb\n"
                              "60 joy left b3\n70 key p\n75 key p\n90 set poder 4\n"
                           << extraScript;
    platform::HeadlessOptions o;
    o.frames = 300;
    o.seeded = true;
    o.seed = 21;
    o.inputPath = "s.txt";
    o.recordPath = "r.pelea-replay";
    EXPECT_EQ(platform::runHeadless(o), 0);
    Replay r;
    std::string message;
    EXPECT_TRUE(readReplay("r.pelea-replay", r, message)) << message;
    return r;
}

struct Viewing {
    int code;
    int64_t frames;
    int presents;
    uint8_t creditos;
    std::string lastStatus;  // the status line last drawn, empty when never
    bool fin;                // "FIN" was drawn
};

Viewing view(const Replay& replay, ViewerWindow& window) {
    ReplayDevices devices(window);
    pelea::TForm1 form(devices, {true, replay.header.seed, replay.header.demo});
    platform::FramePipeline pipeline(form);
    front::Drivers drivers(form, pipeline, replay.header.training);
    ReplayCheck check(replay, "r.pelea-replay");
    pipeline.watch(check);
    form.FormCreate();
    std::vector<media::Canvas::DrawnText> texts;
    form.Canvas.recordTexts(&texts);
    Viewer viewer(pipeline, devices, replay);
    const int code = viewer.run();
    Viewing v{code, viewer.framesRun(), window.presents, form.g.m.creditos, "", false};
    for (const media::Canvas::DrawnText& t : texts) {
        if (t.text.rfind("REPLAY", 0) == 0 && t.color != media::kBlack) v.lastStatus = t.text;
        v.fin = v.fin || t.text == "FIN";
    }
    return v;
}

// A window that presses one key once, when the test says so, holds another while the test
// says so, and closes after a while.
class KeyWindow : public pelea::testing::FakePlatform {
public:
    void pollEvents(std::vector<int>& keys, bool& quit) override {
        if (!pressed && pressNow()) {
            keys.push_back(key);
            pressed = true;
        }
        if (pressed && afterwards) afterwards();
        if (pressed && more) more(keys);
        quit = polls >= closeAt;
        ++polls;
    }
    bool keyHeld(int virtualKey) override { return virtualKey == heldKey && holdNow(); }
    std::function<bool()> pressNow, holdNow;
    std::function<void()> afterwards;
    std::function<void(std::vector<int>&)> more;  // more keys, once the first was pressed
    bool pressed = false;
    int polls = 0, key = 0, heldKey = 0, closeAt = 0;
};

// Training chosen with its key on the select screen, paused with keys pressed while paused,
// then rewound by holding the rewind key: playback holds no keys, yet it goes back the same
// frames, and every frame matches, headless and in the window's viewer.
TEST(WindowRecording, ATrainingSessionPausedAndRewoundByAHeldKeyPlaysBack) {
    constexpr int kTrainingKey = 113;  // F2, on the select screen
    constexpr int kRewindKey = 8;      // Backspace, in a training fight
    constexpr int kStepKey = 119;      // F8, the training pause's step
    KeyWindow window;
    window.key = kTrainingKey;
    window.heldKey = kRewindKey;
    window.closeAt = 30000;  // well into the training fight
    Header session;
    session.seed = 5;
    session.demo = true;
    WindowRecording recording(session, fs::absolute("session.pelea-replay").string(), "replays",
                              [] { return aDecemberAfternoon(); });
    pelea::TForm1* form = nullptr;
    int fightPolls = 0;   // after the key: the training fight went on
    bool fought = false;  // the key comes on the select screen after a first, recorded, match
    window.pressNow = [&] {
        fought = fought || form->g.m.modoTela == pelea::tela::Luta;
        return fought && form->g.m.modoTela == pelea::tela::Selecao;
    };
    window.holdNow = [&] { return fightPolls > 2000 && fightPolls < 2600; };
    // The game's pause with a credit and the training pause with a step, both in the fight.
    window.more = [&](std::vector<int>& keys) {
        if (fightPolls == 1000) keys = {pelea::vk::P};
        if (fightPolls == 1010) keys = {pelea::vk::Digit5, pelea::vk::Digit5};
        if (fightPolls == 1020) keys = {pelea::vk::P, kStepKey};
        if (fightPolls == 1030) keys = {kStepKey, kStepKey};
        if (fightPolls == 1040) keys = {kStepKey};
        if (fightPolls == 1041) keys = {training_key::Pause};
    };
    // While the key is held the fight goes back through states it has already been in.
    std::unordered_set<uint64_t> seen;
    uint64_t last = 0;
    int rewoundFrames = 0;
    window.afterwards = [&] {
        if (form->g.m.modoTela != pelea::tela::Luta) return;
        ++fightPolls;
        const uint64_t h = stateHash(form->g);
        if (h != last && !seen.insert(h).second) ++rewoundFrames;
        last = h;
    };
    ASSERT_EQ(playWindow(window, form, recording), 0);
    ASSERT_TRUE(window.pressed);
    ASSERT_GT(fightPolls, 3000);
    ASSERT_GT(rewoundFrames, 20) << "holding the key rewinds the training fight";
    Replay whole;
    std::string message;
    ASSERT_TRUE(readReplay("session.pelea-replay", whole, message)) << message;
    EXPECT_EQ(runBinary("--headless --replay session.pelea-replay"), 0) << readFile("err.txt");
    EXPECT_EQ(showInWindow("session.pelea-replay"), 0) << "the window's viewer checks it too";
    // The training match was kept in the archive, and it plays in the viewer as well.
    const std::vector<std::string> files = replayFiles("replays");
    ASSERT_EQ(files.size(), 2u);
    for (const std::string& name : files)
        EXPECT_EQ(showInWindow("replays/" + name), 0) << name;
}

// Headless recordings of training fights, pauses, keys given while paused and rewinds play in
// the window's viewer with every frame checked, as they do headless.
TEST(Viewer, HeadlessRecordingsOfEveryKindPlayWithEveryFrameChecked) {
    // Title, select from frame 2, the fight from frame 21; its intro lets go at frame 92.
    const std::string toFight = "0 kb b1\n2 kb\n20 kb b1\n21 kb\n";
    struct Case {
        const char* what;
        std::string flags;
        std::string script;
    };
    const Case cases[] = {
        {"training chosen with F2", "",
         "0 kb b1\n2 kb\n10 key f2\n20 kb b1\n21 kb\n130 kb right b1\n131 kb\n"},
        {"--training, rewound and re-played", "--training",
         toFight + "100 kb b1\n101 kb\n140 key backspace backspace backspace\n150 kb b3\n"},
        {"the training pause and steps", "--training",
         toFight + "100 key f7\n101 kb b1\n110 key f8\n120 key f8 f8\n130 key f7\n"},
        {"keys and set lines while paused", "",
         toFight + "100 key p\n100 set creditos 0\n101 key 5\n102 key p\n"},
        {"the game paused in a training fight", "--training",
         toFight + "100 key p\n101 set L2.hp 3\n102 key 5 p\n103 kb b3\n104 kb\n"},
        {"refills of lives and meters, position resets, one rewound", "--training",
         toFight + "95 key f12\n100 set L2.hp 40\n110 kb left\n111 key home\n112 kb\n"
                   "120 kb right\n122 key home\n124 kb\n125 kb b3\n126 kb\n170 key home\n"
                   "180 key backspace backspace\n"},
    };
    for (const Case& c : cases) {
        std::ofstream("s.txt") << c.script;
        ASSERT_EQ(runBinary("--headless --frames 200 --seed 8 --input s.txt " + c.flags +
                            " --record r.pelea-replay"),
                  0)
            << c.what << readFile("err.txt");
        EXPECT_EQ(runBinary("--headless --replay r.pelea-replay"), 0) << c.what;
        EXPECT_EQ(showInWindow("r.pelea-replay"), 0) << c.what << "\n"
                                                     << readFile("r.pelea-replay");
    }
    // The program itself, in a window of SDL's dummy video driver: 200 frames take under six
    // seconds, and then it holds the last picture until the window is closed (here by the
    // signal SDL takes for closing).
    const std::string viewerCall =
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout "
        "--preserve-status -s TERM 15 '" PELEA_BINARY
        "' --replay r.pelea-replay >out.txt 2>err.txt";
    const auto started = std::chrono::steady_clock::now();
    const int status = std::system(viewerCall.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readFile("err.txt");
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(14))
        << "the viewer holds its last picture";
}

TEST(Viewer, TheViewersKeysPauseStepAndSetTheSpeedAndNeverReachTheGame) {
    using namespace viewer_key;
    using namespace pelea::vk;
    struct Case {
        const char* what;
        std::vector<int> keys;         // pressed before the first frame
        int64_t minFrames, maxFrames;  // in one second
    };
    // At the default 28 ms a frame, a second holds 36 frames.
    const Case cases[] = {
        {"normal speed", {}, 35, 37},
        {"half speed", {Half}, 17, 19},
        {"double speed", {Double}, 70, 73},
        {"four times the speed", {Quadruple}, 141, 144},
        {"back to normal", {Quadruple, Normal}, 35, 37},
        {"paused", {Pause}, 0, 0},
        {"paused, three steps", {Pause, Step, Step, Step}, 3, 3},
        {"a step pauses", {Step}, 1, 1},
        {"paused and resumed", {Pause, Pause}, 35, 37},
        {"the game's keys do nothing",
         {P, Digit5, Digit1, Digit2, F1, Minus, Equals, Comma, LeftWin, 'Z'},
         35,
         37},
    };
    const Replay replay = recordedFight();
    for (const Case& c : cases) {
        ViewerWindow window;
        window.closeAtMs = 1000;
        for (size_t i = 0; i < c.keys.size(); ++i)
            window.pressed[0].push_back(c.keys[i]);
        const Viewing v = view(replay, window);
        EXPECT_EQ(v.code, 0) << c.what;
        EXPECT_GE(v.frames, c.minFrames) << c.what;
        EXPECT_LE(v.frames, c.maxFrames) << c.what;
        EXPECT_EQ(v.presents, v.frames) << c.what;
    }
}

TEST(Viewer, TheStatusLineSaysWhatTheViewerDoesUntilAKeyHidesIt) {
    using namespace viewer_key;
    struct Case {
        const char* what;
        std::map<uint64_t, std::vector<int>> keys;  // by time
        uint64_t closeAtMs;
        std::string status;  // as last drawn
        bool fin;
    };
    const Case cases[] = {
        {"playing", {}, 1000, "REPLAY   x1   36 / 300", false},
        {"double speed", {{0, {Double}}}, 1000, "REPLAY   x2   72 / 300", false},
        {"paused after a step", {{0, {Step}}}, 1000, "REPLAY   x1   PAUSA   1 / 300", false},
        {"paused later", {{500, {Pause}}}, 1000, "REPLAY   x1   PAUSA   18 / 300", false},
        {"half speed, then hidden",
         {{0, {Half}}, {300, {Status}}},
         1000,
         "REPLAY   x1/2   6 / 300",
         false},
        {"hidden, shown again",
         {{0, {Status}}, {100, {Status}}},
         1000,
         "REPLAY   x1   36 / 300",
         false},
        {"at the end", {}, 60'000, "REPLAY   x1   300 / 300", true},
    };
    const Replay replay = recordedFight();
    for (const Case& c : cases) {
        ViewerWindow window;
        window.closeAtMs = c.closeAtMs;
        window.pressed = c.keys;
        const Viewing v = view(replay, window);
        EXPECT_EQ(v.code, 0) << c.what;
        EXPECT_EQ(v.lastStatus, c.status) << c.what;
        EXPECT_EQ(v.fin, c.fin) << c.what;
    }
}

TEST(Viewer, PlaysTheReplayToItsEndCheckingEveryFrame) {
    const Replay fight = recordedFight();
    struct Case {
        const char* what;
        std::function<Replay()> make;
        int code;
        int64_t frames;
        int presents;
    };
    const Case cases[] = {
        {"as recorded", [&] { return fight; }, 0, 300, 301},
        {"a sum changed",
         [&] {
             Replay r = fight;
             for (platform::ScriptEvent& e : r.script.events) {
                 if (e.kind == platform::EventKind::Sum && e.frame == 120) e.sum ^= 1;
             }
             return r;
         },
         3, 120, 120},
        {"set lines in the replay", [] { return recordedFight("150 set creditos 40\n"); }, 0, 300,
         301},
        {"a match from frame 100: the frames before it unseen",
         [&] {
             Replay r = fight;
             r.header.matchStart = 100;
             return r;
         },
         0, 300, 201},
        {"the replay quits the game", [] { return recordedFight("150 key esc\n"); }, 0, 150, 151},
    };
    for (const Case& c : cases) {
        const Replay r = c.make();
        ViewerWindow window;
        const Viewing v = view(r, window);
        EXPECT_EQ(v.code, c.code) << c.what;
        EXPECT_EQ(v.frames, c.frames) << c.what;
        EXPECT_EQ(v.presents, c.presents) << c.what;
    }
    // A viewer pressing the credit key adds none: the credits are the recording's.
    ViewerWindow window;
    window.pressed[0] = {pelea::vk::Digit5, pelea::vk::Digit5};
    const Viewing v = view(recordedFight("150 set creditos 40\n"), window);
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.creditos, 40);
}

}  // namespace
}  // namespace replay
