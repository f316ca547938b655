// The settings file: what is written reads back the same, a damaged line is skipped with one
// line naming it and its setting keeps its default, the folder is made when missing, and a
// write that fails leaves the old file as it was.
#include "options/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/files.h"
#include "support/full_disk.h"

namespace options {
namespace {

namespace fs = std::filesystem;

using pelea::testing::readFile;

Settings changedSettings() {
    Settings s;
    s.controls.bindKey(1, Up, SDL_SCANCODE_W);
    s.controls.bindKey(2, Button1, SDL_SCANCODE_Z);  // swapped with fighter 1's button 1
    s.controls.bindKey(2, Down, SDL_SCANCODE_RSHIFT);
    s.controls.bindButton(2, Button2, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    s.padGuid[0] = "030000005e0400008e02000014010000";
    s.scale = 3;
    s.fullscreen = true;
    s.musicVolume = 4;
    s.effectsVolume = 0;
    return s;
}

TEST(SettingsFile, WhatIsWrittenReadsBackTheSame) {
    const Settings s = changedSettings();
    std::string problem;
    ASSERT_TRUE(writeSettings("pelea.ini", s, problem)) << problem;
    const std::string text = readFile("pelea.ini");
    // Names a person can read and edit.
    EXPECT_NE(text.find("player1.up = W\n"), std::string::npos) << text;
    EXPECT_NE(text.find("player2.down = Right Shift\n"), std::string::npos) << text;
    EXPECT_NE(text.find("player2.pad.button2 = rightshoulder\n"), std::string::npos) << text;
    EXPECT_NE(text.find("display = fullscreen\n"), std::string::npos) << text;
    EXPECT_NE(text.find("music-volume = 4\n"), std::string::npos) << text;
    std::vector<SettingsProblem> problems;
    const Settings back = parseSettings(text, problems);
    EXPECT_TRUE(problems.empty()) << problems.front().message;
    EXPECT_EQ(back, s);
    // Loaded from the file, the path is remembered for saving.
    const Settings loaded = loadSettings(fs::absolute("pelea.ini").string());
    EXPECT_EQ(loaded.controls, s.controls);
    EXPECT_EQ(loaded.path, fs::absolute("pelea.ini").string());
}

TEST(SettingsFile, ADamagedLineIsSkippedWithOneLineAndItsSettingKeepsItsDefault) {
    struct Case {
        const char* line;
        const char* says;  // part of the problem
    };
    const Case cases[] = {
        {"garbage without an equals sign", "not a `key = value` line"},
        {"player3.up = W", "unknown setting \"player3.up\""},
        {"speed = 9", "unknown setting \"speed\""},
        {"music-volume = 11", "\"11\" is not a volume from 0 to 10"},
        {"effects-volume = -1", "\"-1\" is not a volume from 0 to 10"},
        {"music-volume = 5x", "\"5x\" is not a volume"},
        {"scale = 17", "is not a scale"},
        {"display = huge", "display is window or fullscreen"},
        {"player1.up = Nokey", "unknown key \"Nokey\""},
        {"player1.button1 = Escape", "one of the game's own keys"},
        {"player2.left = Tab", "one of the game's own keys"},
        {"player2.pad.button1 = zz", "unknown pad button \"zz\""},
        {"player1.pad.up = back", "cannot drive a fighter"},
        {"player1.pad-guid = 12", "is not a pad GUID"},
    };
    const Settings defaults;
    for (const Case& c : cases) {
        // The line sits between two good ones, which still count.
        const std::string text = std::string("effects-volume = 3\n") + c.line + "\nscale = 2\n";
        std::vector<SettingsProblem> problems;
        Settings s = parseSettings(text, problems);
        ASSERT_EQ(problems.size(), 1u) << c.line;
        EXPECT_EQ(problems[0].line, 2) << c.line;
        EXPECT_NE(problems[0].message.find(c.says), std::string::npos)
            << c.line << ": " << problems[0].message;
        EXPECT_EQ(s.effectsVolume, 3) << c.line;
        EXPECT_EQ(s.scale, 2) << c.line;
        s.effectsVolume = defaults.effectsVolume;
        s.scale = defaults.scale;
        EXPECT_EQ(s, defaults) << c.line;
    }
}

TEST(SettingsFile, LoadingSaysOneLineForEachSkippedLineNamingTheFileAndLine) {
    std::ofstream("pelea.ini") << "# a comment\n\nmusic-volume = 99\nplayer1.up = W\nnonsense\n";
    ::testing::internal::CaptureStderr();
    const Settings s = loadSettings("pelea.ini");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err,
              "pelea: pelea.ini:3: \"99\" is not a volume from 0 to 10; line skipped\n"
              "pelea: pelea.ini:5: not a `key = value` line; line skipped\n");
    EXPECT_EQ(s.musicVolume, kMaxVolume);
    EXPECT_EQ(s.controls.key(1, Up), SDL_SCANCODE_W);
}

TEST(SettingsFile, KeysAreReadBySdlsNameOrAsAScancode) {
    struct Case {
        std::string value;
        int key;  // SDL_SCANCODE_UNKNOWN: skipped
    };
    const Case cases[] = {
        {"W", SDL_SCANCODE_W},
        {"w", SDL_SCANCODE_W},
        {"4", SDL_SCANCODE_4},  // the digit key, not scancode 4
        {"scancode 4", SDL_SCANCODE_A},
        {"Left Shift", SDL_SCANCODE_LSHIFT},
        {"Keypad 5", SDL_SCANCODE_KP_5},
        {"scancode 0", SDL_SCANCODE_UNKNOWN},
        {"scancode 512", SDL_SCANCODE_UNKNOWN},
        {std::string("4\0X", 3), SDL_SCANCODE_UNKNOWN},  // not the 4 key
    };
    for (const Case& c : cases) {
        std::vector<SettingsProblem> problems;
        const Settings s = parseSettings("player2.button4 = " + c.value + "\n", problems);
        const int expected = c.key == SDL_SCANCODE_UNKNOWN ? SDL_SCANCODE_F : c.key;
        EXPECT_EQ(s.controls.key(2, Button4), expected) << c.value;
        EXPECT_EQ(problems.size(), c.key == SDL_SCANCODE_UNKNOWN ? 1u : 0u) << c.value;
        // Written back, it reads the same.
        std::vector<SettingsProblem> again;
        EXPECT_EQ(parseSettings(settingsText(s), again).controls, s.controls) << c.value;
        EXPECT_TRUE(again.empty()) << c.value;
    }
}

// Hand-edited lines that give one key twice still leave every key on one control.
TEST(SettingsFile, AKeyGivenTwiceIsSwappedNotShared) {
    std::vector<SettingsProblem> problems;
    const Settings s = parseSettings("player1.up = A\nplayer1.down = A\n", problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(s.controls.key(1, Down), SDL_SCANCODE_A);
    EXPECT_EQ(s.controls.key(1, Up), SDL_SCANCODE_DOWN);
    EXPECT_EQ(s.controls.key(2, Button1), SDL_SCANCODE_UP);
}

TEST(SettingsFile, AMissingFileGivesTheDefaultsQuietlyAndAMissingFolderIsMade) {
    ::testing::internal::CaptureStderr();
    Settings s = loadSettings(fs::absolute("config/pelea/pelea.ini").string());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(s.controls, Bindings::defaults());
    s.musicVolume = 7;
    ASSERT_TRUE(s.save());
    EXPECT_NE(readFile("config/pelea/pelea.ini").find("music-volume = 7\n"), std::string::npos);
    // Nothing but the file is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("config/pelea"))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(SettingsFile, AWriteThatFailsSaysOneLineAndLeavesTheOldFile) {
    Settings s;
    s.path = fs::absolute("pelea.ini").string();
    s.musicVolume = 2;
    ASSERT_TRUE(s.save());
    const std::string before = readFile("pelea.ini");
    // A folder where the temporary file would go: it cannot be written, whoever runs the test.
    fs::create_directory(s.path + ".tmp-" + std::to_string(::getpid()));
    s.musicVolume = 9;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(s.save());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("pelea: cannot save the settings in " + s.path + ": ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(readFile("pelea.ini"), before);
    // A settings path under a file, not a folder, fails the same way.
    Settings under;
    under.path = fs::absolute("pelea.ini/pelea.ini").string();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(under.save());
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(readFile("pelea.ini"), before);
    // A full disk: the old file stays whole and no half-written one is left beside it.
    fs::remove(s.path + ".tmp-" + std::to_string(::getpid()));
    {
        const pelea::testing::FullDisk full(before.size() / 2);
        EXPECT_FALSE(s.save());
    }
    EXPECT_EQ(readFile("pelea.ini"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST(SettingsFile, TheFileLivesInTheDesktopsConfigFolder) {
    struct Case {
        const char* xdg;  // nullptr: unset
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"/tmp/cfg", "/home/ana", "/tmp/cfg/pelea/pelea.ini"},
        {nullptr, "/home/ana", "/home/ana/.config/pelea/pelea.ini"},
        {"relative", "/home/ana", "/home/ana/.config/pelea/pelea.ini"},
        {nullptr, nullptr, ""},
    };
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string savedXdg = xdg != nullptr ? xdg : "", savedHome = home != nullptr ? home : "";
    for (const Case& c : cases) {
        c.xdg != nullptr ? ::setenv("XDG_CONFIG_HOME", c.xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
        c.home != nullptr ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(settingsPath(), c.path) << (c.xdg ? c.xdg : "-");
    }
    xdg != nullptr ? ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1)
                   : ::unsetenv("XDG_CONFIG_HOME");
    home != nullptr ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
}  // namespace options
