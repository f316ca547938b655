// Where the program looks for its data, and what --version and --help tell.
#include "platform/common/data_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/common/command_line.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class DataFolder : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(testing::TempDir()) / "pelea_data_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        // An installed program with its data beside it, one without, and a folder elsewhere.
        fs::create_directories(dir_ / "usr/bin");
        fs::create_directories(dir_ / "usr/share/pelea/data");
        fs::create_directories(dir_ / "bare/bin");
        fs::create_directories(dir_ / "elsewhere");
        std::ofstream(dir_ / "a-file") << "not a folder\n";
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string at(const std::string& name) const {
        return name.empty() ? name : (dir_ / name).string();
    }

    fs::path dir_;
};

TEST_F(DataFolder, FlagBeatsVariableBeatsInstalledDataBeatsWorkingFolder) {
    struct Case {
        const char* flag;  // "": no --data
        const char* env;   // nullptr: PELEA_DATA unset; "-" set but empty
        const char* exe;   // "": the program's own file is unknown
        bool ok;
        const char* folder;  // under the test's folder; "" for the working folder
    };
    const Case cases[] = {
        {"elsewhere", "usr/share/pelea/data", "usr/bin/pelea", true, "elsewhere"},
        {"missing", "missing-too", "usr/bin/pelea", true, "missing"},  // checked on entering it
        {"", "elsewhere", "usr/bin/pelea", true, "elsewhere"},
        {"", "-", "usr/bin/pelea", true, "usr/share/pelea/data"},
        {"", nullptr, "usr/bin/pelea", true, "usr/share/pelea/data"},
        {"", "elsewhere", "bare/bin/pelea", true, "elsewhere"},
        {"", nullptr, "bare/bin/pelea", true, ""},
        {"", nullptr, "", true, ""},
        {"", "missing", "usr/bin/pelea", false, ""},
        {"", "a-file", "usr/bin/pelea", false, ""},
    };
    for (const Case& c : cases) {
        std::string env;
        if (c.env != nullptr) env = std::string(c.env) == "-" ? "" : at(c.env);
        std::string folder = "left over", error;
        const bool ok = chooseDataFolder(at(c.flag), c.env == nullptr ? nullptr : env.c_str(),
                                         at(c.exe), folder, error);
        const std::string what =
            std::string(c.flag) + " | " + (c.env ? c.env : "(unset)") + " | " + c.exe;
        ASSERT_EQ(ok, c.ok) << what << " -> " << error;
        if (!ok) {
            EXPECT_NE(error.find(std::string(kDataVariable) + " names \"" + env + "\""),
                      std::string::npos)
                << what << " -> " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(fs::path(folder), fs::path(at(c.folder))) << what;
    }
    // The command line's own folder is both what was given and what is chosen.
    std::string same = at("elsewhere"), error;
    ASSERT_TRUE(chooseDataFolder(same, nullptr, at("usr/bin/pelea"), same, error));
    EXPECT_EQ(same, at("elsewhere"));
}

TEST(InstalledData, LiesInShareBesideTheProgramsFolder) {
    struct Case {
        const char* exe;
        const char* data;
    };
    const Case cases[] = {
        {"/usr/bin/pelea", "/usr/share/pelea/data"},
        {"/usr/local/bin/pelea", "/usr/local/share/pelea/data"},
        {"/home/ana/.local/bin/pelea", "/home/ana/.local/share/pelea/data"},
        {"/opt/pelea/bin/pelea", "/opt/pelea/share/pelea/data"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(installedDataFolder(c.exe), fs::path(c.data)) << c.exe;
    // The program knows its own file, wherever it was started from.
    EXPECT_EQ(ownExecutable().filename(), "pelea_tests");
    EXPECT_TRUE(ownExecutable().is_absolute());
}

TEST(CommandLineVersion, VersionAndHelpAnswerWhateverElseIsGiven) {
    struct Case {
        std::vector<std::string> args;
        bool version, help;
        const char* error;  // "" when accepted
    };
    const Case cases[] = {
        {{"--version"}, true, false, ""},
        {{"--headless", "--version"}, true, false, ""},  // no --frames needed to answer
        {{"--version", "--replay", "r.pelea-replay", "--seed", "3"}, true, false, ""},
        {{"--help", "--version"}, true, true, ""},
        {{"--version=yes"}, false, false, "--version takes no value"},
        {{"--version", "--version"}, false, false, "--version is given twice"},
        {{"--version", "--scale", "99"}, false, false, "--scale wants"},
        {{"-v"}, false, false, "unexpected argument \"-v\""},
    };
    for (const Case& c : cases) {
        CommandLine cl;
        std::string error;
        const bool ok = parseCommandLine(c.args, cl, error);
        std::string joined;
        for (const std::string& a : c.args)
            joined += a + " ";
        EXPECT_EQ(ok, c.error[0] == '\0') << joined << "-> " << error;
        if (!ok) {
            EXPECT_NE(error.find(c.error), std::string::npos) << joined << "-> " << error;
            continue;
        }
        EXPECT_EQ(cl.version, c.version) << joined;
        EXPECT_EQ(cl.help, c.help) << joined;
    }
    EXPECT_EQ(std::string(versionText()), "pelea " PELEA_PROJECT_VERSION "\n");
}

TEST(CommandLineVersion, HelpNamesEveryOptionAndTheDataVariable) {
    const std::string help = usageText();
    for (const char* word : {"--data", "--scale", "--fullscreen", "--demo", "--training",
                             "--headless", "--frames", "--seed", "--input", "--trace", "--shot",
                             "--record", "--replay", "--help", "--version", "PELEA_DATA"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    // Every option the help names is one the parser takes.
    for (size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
        const size_t end = help.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", at);
        const std::string option = help.substr(at, end - at);
        CommandLine cl;
        std::string error;
        parseCommandLine({option}, cl, error);
        EXPECT_EQ(error.find("unknown option"), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace platform
