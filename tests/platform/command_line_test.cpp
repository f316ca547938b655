#include "platform/common/command_line.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace platform {
namespace {

TEST(CommandLine, AcceptsTheTwoFormsAndRejectsEverythingElse) {
    struct Case {
        std::vector<std::string> args;
        const char* error;  // "" when accepted
    };
    const Case cases[] = {
        {{}, ""},
        {{"--data", "d", "--scale", "3", "--fullscreen", "--demo"}, ""},
        {{"--scale", "1"}, ""},
        {{"--scale=16"}, ""},
        {{"--help"}, ""},
        {{"--headless", "--frames", "1"}, ""},
        {{"--headless", "--frames", "100", "--seed", "18446744073709551615", "--input", "s.txt",
          "--trace", "t.jsonl", "--shot", "0:a.png", "--shot", "99:b.png", "--data", "d", "--demo"},
         ""},
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{"-x"}, "unexpected argument \"-x\""},
        {{"extra"}, "unexpected argument \"extra\""},
        {{"--scale"}, "--scale needs a value"},
        {{"--data", "--demo"}, "--data needs a value"},
        {{"--scale", "0"}, "--scale wants a whole number from 1 to 16"},
        {{"--scale", "17"}, "--scale wants a whole number from 1 to 16"},
        {{"--scale", "2x"}, "--scale wants"},
        {{"--scale", "-2"}, "--scale wants"},
        {{"--demo=1"}, "--demo takes no value"},
        {{"--headless"}, "--headless needs --frames N"},
        {{"--headless", "--frames", "0"}, "--frames wants a whole number of at least 1"},
        {{"--headless", "--frames", "ten"}, "--frames wants"},
        {{"--headless", "--frames", "1", "--seed", "18446744073709551616"}, "--seed wants"},
        {{"--headless", "--frames", "1", "--seed", "-1"}, "--seed wants"},
        {{"--headless", "--frames", "5", "--shot", "5:a.png"}, "--shot frame 5 is past the last"},
        {{"--headless", "--frames", "5", "--shot", "a.png"}, "--shot wants F:FILE.png"},
        {{"--headless", "--frames", "5", "--shot", "3:"}, "--shot wants F:FILE.png"},
        {{"--headless", "--frames", "5", "--shot", "x:a.png"}, "is not a frame number"},
        {{"--headless", "--frames", "5", "--scale", "2"}, "--scale is for the window only"},
        {{"--headless", "--frames", "5", "--fullscreen"}, "--fullscreen is for the window only"},
        {{"--frames", "5"}, "--frames needs --headless"},
        {{"--seed", "5"}, "--seed needs --headless"},
        {{"--input", "s.txt"}, "--input needs --headless"},
        {{"--trace", "t.jsonl"}, "--trace needs --headless"},
        {{"--shot", "1:a.png"}, "--shot needs --headless"},
    };
    for (const Case& c : cases) {
        CommandLine cl;
        std::string error;
        const bool ok = parseCommandLine(c.args, cl, error);
        std::string joined;
        for (const std::string& a : c.args)
            joined += a + " ";
        if (c.error[0] == '\0') {
            EXPECT_TRUE(ok) << joined << "-> " << error;
        } else {
            EXPECT_FALSE(ok) << joined;
            EXPECT_NE(error.find(c.error), std::string::npos) << joined << "-> " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
        }
    }
}

TEST(CommandLine, ValuesReachTheRunner) {
    CommandLine cl;
    std::string error;
    ASSERT_TRUE(parseCommandLine(
        {"--headless", "--frames", "300", "--seed", "42", "--input", "in.txt", "--trace", "t.jsonl",
         "--shot", "0:first.png", "--shot", "299:c:/last.png", "--data", "assets", "--demo"},
        cl, error))
        << error;
    EXPECT_TRUE(cl.headless);
    EXPECT_EQ(cl.run.frames, 300);
    EXPECT_TRUE(cl.run.seeded);
    EXPECT_EQ(cl.run.seed, 42u);
    EXPECT_EQ(cl.run.inputPath, "in.txt");
    EXPECT_EQ(cl.run.tracePath, "t.jsonl");
    ASSERT_EQ(cl.run.shots.size(), 2u);
    EXPECT_EQ(cl.run.shots[0].frame, 0);
    EXPECT_EQ(cl.run.shots[0].path, "first.png");
    EXPECT_EQ(cl.run.shots[1].frame, 299);
    EXPECT_EQ(cl.run.shots[1].path, "c:/last.png");  // only the first colon splits
    EXPECT_EQ(cl.run.dataDir, "assets");
    EXPECT_TRUE(cl.run.demo);

    ASSERT_TRUE(parseCommandLine({"--headless", "--frames", "1"}, cl, error));
    EXPECT_FALSE(cl.run.seeded);  // no seed: the clock seeds the game
    EXPECT_FALSE(cl.run.demo);

    ASSERT_TRUE(parseCommandLine({"--scale", "4", "--fullscreen"}, cl, error));
    EXPECT_FALSE(cl.headless);
    EXPECT_EQ(cl.scale, 4);
    EXPECT_TRUE(cl.fullscreen);
    ASSERT_TRUE(parseCommandLine({}, cl, error));
    EXPECT_EQ(cl.scale, 0);  // the largest that fits
}

TEST(CommandLine, EveryOptionButShotIsGivenOnlyOnce) {
    struct Case {
        std::vector<std::string> args;
        const char* error;  // "" when accepted
    };
    const Case cases[] = {
        {{"--headless", "--frames", "5", "--frames", "6"}, "--frames is given twice"},
        {{"--headless", "--frames=5", "--frames", "5"}, "--frames is given twice"},  // same value
        {{"--headless", "--frames", "5", "--seed", "1", "--seed", "2"}, "--seed is given twice"},
        {{"--headless", "--frames", "5", "--input", "a", "--input", "b"}, "--input is given twice"},
        {{"--headless", "--frames", "5", "--trace", "a", "--trace=b"}, "--trace is given twice"},
        {{"--headless", "--frames", "5", "--data", "a", "--data", "a"}, "--data is given twice"},
        {{"--headless", "--frames", "5", "--headless"}, "--headless is given twice"},
        {{"--demo", "--demo"}, "--demo is given twice"},
        {{"--scale", "2", "--scale", "3"}, "--scale is given twice"},
        {{"--fullscreen", "--fullscreen"}, "--fullscreen is given twice"},
        {{"--help", "-h"}, "--help is given twice"},
        {{"--headless", "--frames", "5", "--shot", "1:a.png", "--shot", "1:a.png"}, ""},
        {{"--headless", "--frames", "5", "--input", "a", "--trace", "b", "--seed", "1"}, ""},
    };
    for (const Case& c : cases) {
        CommandLine cl;
        std::string error;
        const bool ok = parseCommandLine(c.args, cl, error);
        std::string joined;
        for (const std::string& a : c.args)
            joined += a + " ";
        EXPECT_EQ(ok, c.error[0] == '\0') << joined << "-> " << error;
        if (c.error[0] == '\0') continue;
        EXPECT_EQ(error, c.error) << joined;
    }
}

namespace fs = std::filesystem;

class CommandLineFiles : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(testing::TempDir()) / "pelea_cl_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        std::ofstream(at("s.txt")) << "0 kb up\n";
        std::ofstream(at("other.txt")) << "0 kb\n";
        fs::create_directory(at("sub"));
        fs::create_symlink(at("s.txt"), at("link.txt"));
        fs::create_hard_link(at("s.txt"), at("hard.txt"));
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string at(const std::string& name) const { return dir_.string() + "/" + name; }

    fs::path dir_;
};

TEST_F(CommandLineFiles, NoTraceOrShotMayBeTheInputScript) {
    struct Case {
        const char* input;
        const char* trace;  // "": none
        const char* shot;   // "": none
        const char* error;  // "" when accepted
    };
    const Case cases[] = {
        {"s.txt", "s.txt", "", "--trace"},
        {"s.txt", "./s.txt", "", "--trace"},
        {"s.txt", "sub/../s.txt", "", "--trace"},
        {"s.txt", "link.txt", "", "--trace"},
        {"link.txt", "s.txt", "", "--trace"},
        {"s.txt", "hard.txt", "", "--trace"},
        {"s.txt", "", "s.txt", "--shot"},
        {"s.txt", "t.jsonl", "./link.txt", "--shot"},
        {"s.txt", "other.txt", "sub", ""},
        {"s.txt", "t.jsonl", "a.png", ""},       // outputs that do not exist yet
        {"missing.txt", "missing.txt", "", ""},  // nothing there to overwrite
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--headless", "--frames", "5", "--input", at(c.input)};
        if (c.trace[0] != '\0') args.insert(args.end(), {"--trace", at(c.trace)});
        if (c.shot[0] != '\0') args.insert(args.end(), {"--shot", "1:" + at(c.shot)});
        CommandLine cl;
        std::string error;
        const bool ok = parseCommandLine(args, cl, error);
        const std::string what = std::string(c.input) + " " + c.trace + " " + c.shot;
        EXPECT_EQ(ok, c.error[0] == '\0') << what << " -> " << error;
        if (c.error[0] == '\0') continue;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << what << " -> " << error;
        EXPECT_NE(error.find("is the input script \"" + at(c.input) + "\""), std::string::npos)
            << error;
    }
}

}  // namespace
}  // namespace platform
