// Runs the real program headless, as tools and scripts do.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

class HeadlessBinary : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) / "pelea_platform" /
               testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name)) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Runs the program with the arguments (and an optional environment prefix); stderr is kept.
    int run(const std::string& args, const std::string& env = "") {
        const std::string cmd = env + " '" PELEA_BINARY "' " + args + " >'" + path("out.txt") +
                                "' 2>'" + path("err.txt") + "'";
        const int status = std::system(cmd.c_str());
        stderr_ = read("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    size_t lines(const std::string& name) const {
        const std::string text = read(name);
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    fs::path dir_;
    std::string stderr_;
};

TEST_F(HeadlessBinary, BadScriptsStopBeforeFrameZeroNamingTheLine) {
    struct Case {
        const char* script;
        const char* where;
    };
    const Case cases[] = {
        {"0 kb\n# comment\n\n3 kb jump\n", "script.txt:4: unknown state \"jump\""},
        {"10 kb up\n5 kb\n", "script.txt:2: frame 5"},
        {"1 set tempo 256\n", "script.txt:1:"},
        {"1 key nope\n", "script.txt:1: unknown key \"nope\""},
        {"1 set L1.areaContato 0\n", "script.txt:1:"},
    };
    for (const Case& c : cases) {
        write("script.txt", c.script);
        EXPECT_EQ(run("--headless --frames 5 --input '" + path("script.txt") + "' --trace '" +
                      path("t.jsonl") + "'"),
                  2)
            << c.script;
        EXPECT_NE(stderr_.find(c.where), std::string::npos) << stderr_;
        EXPECT_EQ(lines("t.jsonl"), 0u) << "no frame runs: " << c.script;
        EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << stderr_;
    }
}

TEST_F(HeadlessBinary, ExitCodesForArgumentsAndFiles) {
    struct Case {
        std::string args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"--headless --frames 3", 0, ""},
        {"--help", 0, ""},
        {"--headless", 2, "--frames"},
        {"--headless --frames 0", 2, "--frames"},
        {"--nonsense", 2, "--nonsense"},
        {"--frames 3", 2, "--headless"},
        {"--headless --frames 3 --input '" + path("missing.txt") + "'", 2, "missing.txt"},
        {"--headless --frames 3 --data '" + path("no-such-folder") + "'", 2, "no-such-folder"},
        {"--headless --frames 3 --trace '" + path("no-dir/t.jsonl") + "'", 1, "t.jsonl"},
        {"--headless --frames 3 --shot '2:" + path("no-dir/s.png") + "'", 1, "s.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), c.code) << c.args << "\n" << stderr_;
        EXPECT_NE(stderr_.find(c.message), std::string::npos) << c.args << "\n" << stderr_;
    }
}

TEST_F(HeadlessBinary, ShotIsA400By300Png) {
    ASSERT_EQ(run("--headless --frames 3 --seed 1 --shot '2:" + path("a.png") +
                  "' --shot '0:" + path("b.png") + "'"),
              0)
        << stderr_;
    for (const char* name : {"a.png", "b.png"}) {
        const std::string png = read(name);
        ASSERT_GE(png.size(), 24u) << name;
        EXPECT_EQ(png.substr(1, 3), "PNG") << name;
        const auto be32 = [&png](size_t at) {
            return (static_cast<uint32_t>(static_cast<uint8_t>(png[at])) << 24) |
                   (static_cast<uint32_t>(static_cast<uint8_t>(png[at + 1])) << 16) |
                   (static_cast<uint32_t>(static_cast<uint8_t>(png[at + 2])) << 8) |
                   static_cast<uint8_t>(png[at + 3]);
        };
        EXPECT_EQ(be32(16), 400u) << name;  // IHDR width
        EXPECT_EQ(be32(20), 300u) << name;  // IHDR height
    }
}

TEST_F(HeadlessBinary, SameSeedAndScriptGiveTheSameTraceByteForByte) {
    write("script.txt",
          "0 kb b1\n2 kb\n5 key 5 2\n20 kb right\n40 kb right b1\n41 kb\n"
          "60 joy left b3\n90 set poder 4\n120 set L2.hp 0\n");
    const std::string common =
        "--headless --frames 200 --seed 77 --input '" + path("script.txt") + "' --trace '";
    ASSERT_EQ(run(common + path("a.jsonl") + "'"), 0) << stderr_;
    ASSERT_EQ(run(common + path("b.jsonl") + "'"), 0) << stderr_;
    EXPECT_EQ(lines("a.jsonl"), 200u);
    const std::string a = read("a.jsonl");
    EXPECT_EQ(a, read("b.jsonl"));
    EXPECT_NE(a.find("\"poder\":4,"), std::string::npos);  // the set lines took effect
    EXPECT_NE(a.find("\"frame\":199}"), std::string::npos);
    ASSERT_EQ(run("--headless --frames 200 --seed 78 --input '" + path("script.txt") +
                  "' --trace '" + path("c.jsonl") + "'"),
              0);
    EXPECT_NE(read("c.jsonl"), a) << "another seed plays another game";
}

TEST_F(HeadlessBinary, EscapeAndPauseShapeTheRun) {
    struct Case {
        const char* script;
        int frames;
        size_t traced;
    };
    const Case cases[] = {
        {"5 key esc\n", 50, 5},  // frames 0 … 4 ran
        {"0 key esc\n", 50, 0},
        {"7 kb up\n7 key lwin\n", 50, 7},
        {"5 key p\n", 50, 5},             // paused with nothing left: the run ends
        {"5 key p\n30 key p\n", 50, 50},  // no frames pass while paused
        {"5 key p\n30 key 5\n31 key esc\n", 50, 5},
        {"60 key esc\n", 50, 50},
    };
    for (const Case& c : cases) {
        write("script.txt", c.script);
        EXPECT_EQ(run("--headless --frames " + std::to_string(c.frames) + " --input '" +
                      path("script.txt") + "' --trace '" + path("t.jsonl") + "'"),
                  0)
            << c.script << stderr_;
        EXPECT_EQ(lines("t.jsonl"), c.traced) << c.script;
    }
}

TEST_F(HeadlessBinary, EachFrameTakesItsKeysThenItsSetsThenItsStates) {
    struct Case {
        const char* script;
        int frame;
        const char* expected;
    };
    const Case cases[] = {
        {"5 set creditos 3\n5 key 5\n", 4, "\"creditos\":0,"},
        {"5 set creditos 3\n5 key 5\n", 5, "\"creditos\":3,"},  // the key came first
        {"5 key 5 5\n5 set creditos 9\n6 key 5\n", 6, "\"creditos\":10,"},
        {"0 set L1.hp 40.25\n", 0, "\"hp\":40.25,"},
    };
    for (const Case& c : cases) {
        write("script.txt", c.script);
        ASSERT_EQ(run("--headless --frames 8 --seed 5 --input '" + path("script.txt") +
                      "' --trace '" + path("t.jsonl") + "'"),
                  0)
            << stderr_;
        std::istringstream trace(read("t.jsonl"));
        std::string line;
        for (int f = 0; f <= c.frame; ++f)
            std::getline(trace, line);
        EXPECT_NE(line.find(c.expected), std::string::npos) << c.script << " frame " << c.frame;
    }
}

TEST_F(HeadlessBinary, TheWindowNeedsADisplay) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER";
    EXPECT_EQ(run("", noDisplay), 1);
    EXPECT_NE(stderr_.find("no display"), std::string::npos) << stderr_;
    EXPECT_NE(stderr_.find("--headless"), std::string::npos) << stderr_;
    EXPECT_EQ(run("--demo --scale 2", noDisplay), 1);
}

}  // namespace
}  // namespace platform
