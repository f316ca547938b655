// --training on the command line, and the training keys in a headless run's script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/common/command_line.h"

namespace training {
namespace {

namespace fs = std::filesystem;

TEST(TrainingCommandLine, TheFlagReachesTheWindowAndTheRunner) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        bool training;
        const char* error;
    };
    const Case cases[] = {
        {{"--training"}, true, true, ""},
        {{}, true, false, ""},
        {{"--headless", "--frames", "5", "--training"}, true, true, ""},
        {{"--training=yes"}, false, false, "--training takes no value"},
        {{"--training", "--training"}, false, false, "--training is given twice"},
    };
    for (const Case& c : cases) {
        platform::CommandLine cl;
        std::string error;
        ASSERT_EQ(platform::parseCommandLine(c.args, cl, error), c.ok) << error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        if (!c.ok) continue;
        EXPECT_EQ(cl.training, c.training);
        EXPECT_EQ(cl.run.training, c.training && cl.headless);
    }
    EXPECT_NE(std::string(platform::usageText()).find("--training"), std::string::npos);
}

// The trace line of a frame without its frame number.
std::vector<std::string> framesOf(const std::string& trace) {
    std::vector<std::string> out;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);)
        out.push_back(line.substr(0, line.rfind(",\"frame\":")));
    return out;
}

TEST(TrainingHeadless, ThePauseKeyHoldsTheFightByNameOrCode) {
    // Title, select, fight from frame 70; the intro lets the fighters go at frame 141.
    struct Case {
        const char* flag;
        const char* key;
        bool held;
    };
    const Case cases[] = {
        {"--training", "f7", true},
        {"--training", "118", true},
        {"", "f7", false},
    };
    const fs::path dir = fs::current_path();
    for (const Case& c : cases) {
        std::ofstream(dir / "s.txt") << "2 kb b1\n3 kb\n70 kb b1\n71 kb\n150 key " << c.key << "\n";
        const std::string cmd = std::string("'") + PELEA_BINARY + "' --headless --frames 200 " +
                                c.flag + " --seed 3 --input s.txt --trace t.jsonl 2>err.txt";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        std::ifstream in(dir / "t.jsonl");
        std::ostringstream text;
        text << in.rdbuf();
        const std::vector<std::string> frames = framesOf(text.str());
        ASSERT_EQ(frames.size(), 200u);
        bool same = true;
        for (size_t f = 151; f < frames.size(); ++f)
            same = same && frames[f] == frames[150];
        EXPECT_EQ(same, c.held) << c.flag << " " << c.key;
        EXPECT_NE(frames[120], frames[140]) << "the fight ran before the key";
    }
}

}  // namespace
}  // namespace training
