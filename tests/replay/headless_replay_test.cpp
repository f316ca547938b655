// Recording headless runs and playing them back with the real program: the same trace, every
// frame checked, a changed state caught at its frame, and bad replays refused by line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "media/bmp_writer.h"
#include "media/picture.h"
#include "support/full_disk.h"

namespace replay {
namespace {

namespace fs = std::filesystem;

// Each test runs in a folder of its own (tests/support/working_folder.cpp).
class HeadlessReplay : public testing::Test {
protected:
    static void write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }
    int run(const std::string& args) {
        const std::string cmd = "'" PELEA_BINARY "' " + args + " >out.txt 2>err.txt";
        const int status = std::system(cmd.c_str());
        stderr_ = read("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The replay with a line put in just before the sum line of a frame.
    static std::string withLineBefore(const std::string& replay, int64_t frame,
                                      const std::string& line) {
        const std::string sum = "\n" + std::to_string(frame) + " sum ";
        std::string out = replay;
        out.insert(out.find(sum) + 1, line + "\n");
        return out;
    }
    static std::string sumOf(const std::string& replay, int64_t frame) {
        const std::string sum = "\n" + std::to_string(frame) + " sum ";
        return replay.substr(replay.find(sum) + sum.size(), 16);
    }

    std::string stderr_;
};

const char* kFightScript =
    "0 kb b1\n2 kb\n5 key 5 2\n20 kb right\n40 kb right b1\n41 kb\n60 joy left b3\n"
    "90 set poder 4\n120 set L2.hp 0\n";

TEST_F(HeadlessReplay, ARecordedRunPlaysBackWithTheSameTraceEveryFrameChecked) {
    struct Case {
        const char* what;
        const char* script;
        int frames;
        int ran;                  // frames the run took
        const char* mustHold;     // a line the replay holds
        const char* mustNotHold;  // and one it does not
    };
    const Case cases[] = {
        {"a fight with set lines", kFightScript, 300, 300, "120 set L2.hp 0\n", "# match-start"},
        {"states only when they change", "10 kb up\n11 kb up\n12 kb up b1\n", 40, 40,
         "12 kb up b1\n", "11 kb"},
        {"keys given while paused", "5 key p\n30 key p\n", 50, 50, "5 key p p\n", "30 key"},
        {"keys and set lines given while paused, in the order given",
         "100 key p\n100 set creditos 0\n101 key 5\n102 key p\n", 150, 150,
         "100 key p\n100 set creditos 0\n100 key 5 p\n", "101 key"},
        {"a key that ends the run", "0 kb b1\n1 kb\n25 key 5 esc\n", 60, 25, "25 key 5 esc\n",
         "25 sum"},
    };
    for (const Case& c : cases) {
        write("s.txt", c.script);
        const std::string frames = std::to_string(c.frames);
        ASSERT_EQ(run("--headless --frames " + frames +
                      " --seed 77 --input s.txt --trace a.jsonl --record r.pelea-replay"),
                  0)
            << c.what << stderr_;
        const std::string replay = read("r.pelea-replay");
        EXPECT_EQ(count(replay, " sum "), static_cast<size_t>(c.ran)) << c.what;
        EXPECT_NE(replay.find(c.mustHold), std::string::npos) << c.what << "\n" << replay;
        EXPECT_EQ(replay.find(c.mustNotHold), std::string::npos) << c.what;
        EXPECT_NE(replay.find("# end " + std::to_string(c.ran) + "\n"), std::string::npos);

        ASSERT_EQ(run("--headless --replay r.pelea-replay --trace b.jsonl"), 0)
            << c.what << stderr_;
        EXPECT_EQ(stderr_, "") << c.what;
        EXPECT_EQ(read("b.jsonl"), read("a.jsonl")) << c.what;
        EXPECT_EQ(count(read("b.jsonl"), "\n"), static_cast<size_t>(c.ran)) << c.what;

        // The replay is an input script too.
        ASSERT_EQ(run("--headless --frames " + frames +
                      " --seed 77 --input r.pelea-replay --trace c.jsonl"),
                  0)
            << c.what << stderr_;
        EXPECT_EQ(read("c.jsonl"), read("a.jsonl")) << c.what;
    }
}

TEST_F(HeadlessReplay, AChangedStateStopsPlaybackAtItsFrame) {
    write("s.txt", kFightScript);
    ASSERT_EQ(run("--headless --frames 300 --seed 77 --input s.txt --record r.pelea-replay"), 0)
        << stderr_;
    const std::string replay = read("r.pelea-replay");
    struct Case {
        int64_t frame;
        const char* line;
        int code;
    };
    const Case cases[] = {
        {7, "7 set creditos 9", 3},          // one byte of a match variable
        {60, "60 set nivelDano 0.5", 3},     // a decimal match variable
        {200, "200 set L1.pontos 4321", 3},  // a fighter's score
        {299, "299 set creditos 4", 3},
        {100, "100 set rounds 2", 0},  // the value it already has: nothing changed
    };
    for (const Case& c : cases) {
        write("bad.pelea-replay", withLineBefore(replay, c.frame, c.line));
        EXPECT_EQ(run("--headless --replay bad.pelea-replay --trace t.jsonl"), c.code) << c.line;
        if (c.code == 0) {
            EXPECT_EQ(stderr_, "") << c.line;
            continue;
        }
        EXPECT_EQ(count(stderr_, "\n"), 1u) << stderr_;
        EXPECT_NE(stderr_.find("bad.pelea-replay: frame " + std::to_string(c.frame) + ":"),
                  std::string::npos)
            << stderr_;
        EXPECT_NE(stderr_.find("expects " + sumOf(replay, c.frame)), std::string::npos) << stderr_;
        // Frames up to the changed one ran, none after it.
        EXPECT_EQ(count(read("t.jsonl"), "\n"), static_cast<size_t>(c.frame + 1)) << c.line;
    }
}

TEST_F(HeadlessReplay, TenDemoRecordingsPlayBackFrameForFrame) {
    for (int seed = 1; seed <= 10; ++seed) {
        const std::string s = std::to_string(seed);
        ASSERT_EQ(run("--headless --demo --frames 5000 --seed " + s + " --record d.pelea-replay"),
                  0)
            << stderr_;
        const std::string replay = read("d.pelea-replay");
        EXPECT_NE(replay.find("# seed " + s + "\n# demo 1\n"), std::string::npos) << seed;
        EXPECT_EQ(count(replay, " sum "), 5000u) << seed;
        EXPECT_EQ(run("--headless --replay d.pelea-replay"), 0) << seed << stderr_;
        EXPECT_EQ(stderr_, "") << seed;
    }
}

TEST_F(HeadlessReplay, BadReplayFilesAreRefusedNamingTheLine) {
    write("s.txt", kFightScript);
    ASSERT_EQ(run("--headless --frames 50 --seed 3 --input s.txt --record r.pelea-replay"), 0);
    const std::string good = read("r.pelea-replay");
    struct Case {
        const char* what;
        std::string text;
        const char* where;
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() / 2), "cut short"},
        {"truncated at a line's end", good.substr(0, good.rfind("# end")), "cut short"},
        {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), ":1: not a replay"},
        {"frames going back", withLineBefore(good, 30, "12 kb up"), "frame 12 comes after"},
        {"a line over 4 KiB", withLineBefore(good, 10, "# " + std::string(5000, '-')),
         "more than the 4096"},
        {"an unknown event", withLineBefore(good, 10, "10 jump up"), "unknown event \"jump\""},
        {"a newer version", "# pelea-replay 9" + good.substr(good.find('\n')),
         ":1: the replay's format version 9 is newer"},
    };
    for (const Case& c : cases) {
        write("bad.pelea-replay", c.text);
        EXPECT_EQ(run("--headless --replay bad.pelea-replay --trace t.jsonl"), 2) << c.what;
        EXPECT_EQ(stderr_.rfind("pelea: bad.pelea-replay:", 0), 0u) << c.what << ": " << stderr_;
        EXPECT_NE(stderr_.find(c.where), std::string::npos) << c.what << ": " << stderr_;
        EXPECT_EQ(count(stderr_, "\n"), 1u) << c.what << ": " << stderr_;
        EXPECT_EQ(read("t.jsonl"), "") << c.what << ": no frame ran";
        // The window refuses it the same way, before it needs a display.
        EXPECT_EQ(run("--replay bad.pelea-replay"), 2) << c.what;
        EXPECT_NE(stderr_.find(c.where), std::string::npos) << c.what << ": " << stderr_;
    }
    // Every bad line named is the one put in.
    write("bad.pelea-replay", withLineBefore(good, 10, "10 jump up"));
    run("--headless --replay bad.pelea-replay");
    const std::string text = read("bad.pelea-replay");
    const auto line = std::count(text.begin(), text.begin() + text.find("10 jump"), '\n') + 1;
    EXPECT_NE(stderr_.find(":" + std::to_string(line) + ": "), std::string::npos) << stderr_;
}

void writePortrait(const std::string& path, int shade) {
    media::Picture p(20, 30, media::rgb(shade, 40, 90));
    ASSERT_TRUE(media::writeBmp(path, p));
}

TEST_F(HeadlessReplay, AnotherDataSetOrVersionStillPlaysAndSaysSoOnce) {
    fs::create_directories("data");
    writePortrait("data/R01-a.bmp", 10);
    writePortrait("data/R02-b.bmp", 10);
    write("s.txt", kFightScript);
    ASSERT_EQ(run("--headless --frames 200 --seed 9 --input s.txt --data data "
                  "--record r.pelea-replay"),
              0)
        << stderr_;
    const std::string replay = read("r.pelea-replay");
    EXPECT_NE(replay.find("# data R01-a.bmp "), std::string::npos);
    EXPECT_NE(replay.find("# data R02-b.bmp "), std::string::npos);
    struct Case {
        const char* what;
        std::function<void()> change;
        const char* said;  // "" when nothing is to be said
    };
    const Case cases[] = {
        {"the same data", [] {}, ""},
        {"a portrait redrawn", [] { writePortrait("data/R01-a.bmp", 200); },
         "with other data files (R01-a.bmp differs)"},
        {"a portrait gone", [] { fs::remove("data/R02-b.bmp"); },
         "with other data files (R01-a.bmp differs, R02-b.bmp is missing)"},
        {"a stage added", [] { writePortrait("data/Cenario-03.bmp", 1); }, "Cenario-03.bmp is new"},
        {"an older game",
         [replay] {
             std::string older = replay;
             older.replace(older.find("# game "),
                           older.find('\n', older.find("# game ")) - older.find("# game "),
                           "# game 0.9");
             write("r.pelea-replay", older);
         },
         "was recorded by game version 0.9 (this is "},
    };
    for (const Case& c : cases) {
        c.change();
        EXPECT_EQ(run("--headless --replay r.pelea-replay --data data"), 0) << c.what << stderr_;
        if (c.said[0] == '\0') {
            EXPECT_EQ(stderr_, "") << c.what;
            continue;
        }
        EXPECT_NE(stderr_.find(c.said), std::string::npos) << c.what << ": " << stderr_;
        EXPECT_NE(stderr_.find("it may play differently"), std::string::npos) << stderr_;
        EXPECT_EQ(count(stderr_, "\n"), 1u) << c.what << ": said once: " << stderr_;
    }
}

TEST_F(HeadlessReplay, OptionsAReplayGivesItselfAreRefused) {
    write("s.txt", "0 kb b1\n");
    ASSERT_EQ(run("--headless --frames 5 --seed 1 --record r.pelea-replay"), 0) << stderr_;
    struct Case {
        std::string args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"--headless --replay r.pelea-replay", 0, ""},
        {"--headless --replay r.pelea-replay --shot 4:a.png", 0, ""},
        {"--headless --replay r.pelea-replay --shot 5:a.png", 2, "past the replay's 5 frames"},
        {"--headless --replay r.pelea-replay --frames 5", 2, "--frames cannot be used with"},
        {"--headless --replay r.pelea-replay --seed 5", 2, "--seed cannot be used with"},
        {"--headless --replay r.pelea-replay --demo", 2, "--demo cannot be used with"},
        {"--headless --replay r.pelea-replay --input s.txt", 2, "--input cannot be used with"},
        {"--headless --replay r.pelea-replay --trace r.pelea-replay", 2, "overwrite"},
        {"--headless --frames 5 --input s.txt --record ./s.txt", 2, "overwrite"},
        {"--headless --replay missing.pelea-replay", 2, "cannot read the replay"},
        {"--headless --frames 5 --record no-such-folder/r.pelea-replay", 1,
         "cannot write the recording"},
        {"--replay r.pelea-replay --record x.pelea-replay", 2, "needs --headless"},
        {"--headless --frames 5 --training --record x.pelea-replay", 0, ""},
        {"--headless --replay r.pelea-replay --training", 2, "--training cannot be used with"},
        {"--replay", 2, "--replay needs a value"},
        {"--record=", 2, "--record needs a file name"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), c.code) << c.args << "\n" << stderr_;
        EXPECT_NE(stderr_.find(c.message), std::string::npos) << c.args << "\n" << stderr_;
    }
    ASSERT_EQ(run("--help"), 0);
    const std::string help = read("out.txt");
    EXPECT_NE(help.find("--replay FILE"), std::string::npos) << help;
    EXPECT_NE(help.find("--record FILE"), std::string::npos) << help;
}

// A disk that fills up during a run: each output that cannot be written is named in one line
// and the run fails; a recording already at that path is kept whole, and neither a half-written
// recording, a half picture nor a temporary file is left behind.
TEST_F(HeadlessReplay, AFullDiskFailsTheRunNamingTheFileAndLeavesNoHalfFile) {
    struct Case {
        const char* output;
        const char* option;
        const char* file;
        bool keepsTheOld;  // a file already there is left as it was
        bool leftOut;      // nothing of the failed write is left at the path
    };
    const Case cases[] = {
        {"a recording", "--record", "rec.pelea-replay", true, false},
        {"a shot", "--shot 2000:", "shot.png", false, true},
        {"a trace", "--trace", "trace.jsonl", false, false},
    };
    for (const Case& c : cases) {
        for (const auto& e : fs::directory_iterator("."))
            fs::remove_all(e.path());
        write(c.file, "what was there before");
        const std::string option = c.option;
        const std::string args = "--headless --demo --seed 3 --frames 3000 --data '" PELEA_BUILD_DIR
                                 "/data' " +
                                 option + (option.back() == ':' ? "" : " ") + c.file;
        int code = 0;
        {
            const pelea::testing::FullDisk full(16 * 1024);
            code = run(args);
        }
        EXPECT_EQ(code, 1) << c.output << "\n" << stderr_;
        EXPECT_EQ(count(stderr_, "\n"), 1u) << c.output << "\n" << stderr_;
        EXPECT_NE(stderr_.find(c.file), std::string::npos) << c.output << "\n" << stderr_;
        if (c.keepsTheOld) {
            EXPECT_EQ(read(c.file), "what was there before") << c.output;
        }
        if (c.leftOut) {
            EXPECT_FALSE(fs::exists(c.file)) << c.output;
        }
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator("."))
            left.push_back(e.path().filename().string());
        std::sort(left.begin(), left.end());
        std::vector<std::string> expected = {"err.txt", "out.txt"};
        if (!c.leftOut) expected.push_back(c.file);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(left, expected) << c.output;
    }
    // With room again, the same run writes it whole.
    EXPECT_EQ(run("--headless --demo --seed 3 --frames 3000 --data '" PELEA_BUILD_DIR
                  "/data' --record rec.pelea-replay"),
              0)
        << stderr_;
    EXPECT_EQ(run("--headless --replay rec.pelea-replay --data '" PELEA_BUILD_DIR "/data'"), 0)
        << stderr_;
}

}  // namespace
}  // namespace replay
