#include "platform/common/script.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/common/key_names.h"

namespace platform {
namespace {

TEST(ScriptLine, EveryEventKindAndEveryMalformedCase) {
    struct Case {
        const char* line;
        const char* error;  // "" when the line is fine
    };
    const Case cases[] = {
        {"", ""},
        {"   \t ", ""},
        {"# only a comment", ""},
        {"12 kb up b1 # held from frame 12", ""},
        {"0 kb", ""},  // nothing held
        {"7 joy down left b2 b3 b4 right", ""},
        {"3 key esc lwin minus equals comma period p f1 1 2 5", ""},
        {"3 key 255", ""},
        {"150 set L2.hp 0", ""},
        {"300 set poder 4", ""},
        {"1 set L1.grav -128", ""},
        {"1 set nivelDano 0.35", ""},
        {"1 set vel 65535", ""},
        {"1 set L1.x -2147483648", ""},
        {"40 sum 0123456789abcdef", ""},
        {"40 sum 0", ""},
        {"40 sum FFFFFFFFFFFFFFFF", ""},
        {"12 kb jump", "unknown state \"jump\""},
        {"12 kb UP", "unknown state \"UP\""},
        {"12 key enter", "unknown key \"enter\""},
        {"12 key 0", "unknown key \"0\""},
        {"12 key 256", "unknown key \"256\""},
        {"12 key -3", "unknown key \"-3\""},
        {"12 key", "key needs at least one key name"},
        {"x kb up", "bad frame \"x\""},
        {"-1 kb up", "bad frame \"-1\""},
        {"1.5 kb up", "bad frame \"1.5\""},
        {"99999999999999999999 kb up", "bad frame \"99999999999999999999\""},
        {"12", "missing event after frame 12"},
        {"12 press up", "unknown event \"press\""},
        {"12 set tempo", "set needs a name and a value"},
        {"12 set tempo 1 2", "set needs a name and a value"},
        {"12 set bogus 1", "unknown set name \"bogus\""},
        {"12 set L3.hp 1", "unknown set name \"L3.hp\""},
        {"12 set L1.tempo 1", "unknown set name \"L1.tempo\""},  // a match name under a fighter
        {"12 set hp 1", "unknown set name \"hp\""},              // a fighter name without one
        {"12 set tempo 256", "value \"256\" does not fit tempo (0 to 255)"},
        {"12 set tempo -1", "value \"-1\" does not fit tempo (0 to 255)"},
        {"12 set tempo 4.0", "value \"4.0\" does not fit tempo (0 to 255)"},
        {"12 set tempo 4x", "value \"4x\" does not fit tempo (0 to 255)"},
        {"12 set L1.grav 128", "value \"128\" does not fit L1.grav (-128 to 127)"},
        {"12 set vel 65536", "value \"65536\" does not fit vel (0 to 65535)"},
        {"12 set L1.angulo -32769", "value \"-32769\" does not fit L1.angulo (-32768 to 32767)"},
        {"12 set L2.x 2147483648", "value \"2147483648\" does not fit L2.x"},
        {"12 set L2.hp inf", "value \"inf\" is not a finite number for L2.hp"},
        {"12 set L2.hp nan", "value \"nan\" is not a finite number for L2.hp"},
        {"12 set L2.hp 1e400", "value \"1e400\" is not a finite number for L2.hp"},
        {"12 set L1.areaContato 1", "set cannot change \"L1.areaContato\""},
        {"12 set L1.botaoAnt 1", "set cannot change \"L1.botaoAnt\""},
        {"12 set versao 1", "set cannot change \"versao\""},
        {"12 sum", "sum needs one hexadecimal hash"},
        {"12 sum 1 2", "sum needs one hexadecimal hash"},
        {"12 sum 0x12", "is not a hash of 1 to 16 hexadecimal digits"},
        {"12 sum -1", "is not a hash of 1 to 16 hexadecimal digits"},
        {"12 sum 12345678901234567", "is not a hash of 1 to 16 hexadecimal digits"},
        {"12 sum cafe.", "is not a hash of 1 to 16 hexadecimal digits"},
    };
    for (const Case& c : cases) {
        std::optional<ScriptEvent> event;
        const std::string error = parseScriptLine(c.line, event);
        if (c.error[0] == '\0') {
            EXPECT_EQ(error, "") << c.line;
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.line << " -> " << error;
            EXPECT_FALSE(event.has_value()) << c.line;
        }
    }
}

TEST(ScriptLine, EventsCarryTheirFrameStatesAndKeys) {
    struct Case {
        const char* line;
        int64_t frame;
        EventKind kind;
        uint32_t states;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {"12 kb up b1", 12, EventKind::Keyboard, 0x11, {}},
        {"0 kb", 0, EventKind::Keyboard, 0, {}},
        {"5 joy right b4 right", 5, EventKind::Joystick, 0x88, {}},
        {"40 joy down left b2 b3", 40, EventKind::Joystick, 0x02 | 0x04 | 0x20 | 0x40, {}},
        {"9 key 5 2 esc", 9, EventKind::Key, 0, {53, 50, 27}},
        {"9 key 49 1 112", 9, EventKind::Key, 0, {49, 49, 112}},
    };
    for (const Case& c : cases) {
        std::optional<ScriptEvent> event;
        ASSERT_EQ(parseScriptLine(c.line, event), "") << c.line;
        ASSERT_TRUE(event.has_value()) << c.line;
        EXPECT_EQ(event->frame, c.frame) << c.line;
        EXPECT_EQ(event->kind, c.kind) << c.line;
        EXPECT_EQ(event->states, c.states) << c.line;
        EXPECT_EQ(event->keys, c.keys) << c.line;
    }
}

TEST(KeyNames, NamesAndDecimalCodes) {
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        {"esc", 27},     {"lwin", 91},     {"minus", 189}, {"equals", 187}, {"comma", 188},
        {"period", 190}, {"p", 80},        {"f1", 112},    {"1", 49},       {"2", 50},
        {"5", 53},       {"27", 27},       {"255", 255},   {"3", 3},        {"0", -1},
        {"256", -1},     {"", -1},         {"Esc", -1},    {"f2", 113},     {"+5", -1},
        {"f12", 123},    {"backspace", 8}, {"tab", 9},     {"home", 36},    {"f13", -1},
        {"0x1b", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyCode(c.name), c.code) << c.name;
    struct StateCase {
        const char* name;
        uint32_t bit;
    };
    const StateCase states[] = {
        {"up", media::isUp},
        {"down", media::isDown},
        {"left", media::isLeft},
        {"right", media::isRight},
        {"b1", media::isButton1},
        {"b2", media::isButton2},
        {"b3", media::isButton3},
        {"b4", media::isButton4},
        {"b5", 0},
        {"jump", 0},
    };
    for (const StateCase& s : states)
        EXPECT_EQ(stateBit(s.name), s.bit) << s.name;
}

TEST(Script, LinesAreNumberedAndFramesNeverGoBackwards) {
    struct Case {
        const char* text;
        int errorLine;  // 0 when the script is fine
        const char* error;
        size_t events;
    };
    const Case cases[] = {
        {"0 kb up\n\n# wait\n10 kb\n10 key p\n", 0, "", 3},
        {"5 kb up\r\n5 joy b1\r\n", 0, "", 2},
        {"10 kb up\n10 kb\n9 key 5\n", 3, "frame 9 comes after frame 10", 0},
        {"0 kb\n\n\n\n# x\n\n\n\n\n\n\n3 kb jump\n", 12, "unknown state \"jump\"", 0},
        {"1 kb\n2 set tempo 256", 2, "does not fit tempo", 0},
        {"", 0, "", 0},
    };
    for (const Case& c : cases) {
        InputScript script;
        ScriptError error;
        const bool ok = parseScript(c.text, script, error);
        EXPECT_EQ(ok, c.errorLine == 0) << c.text;
        if (c.errorLine != 0) {
            EXPECT_EQ(error.line, c.errorLine) << c.text;
            EXPECT_NE(error.message.find(c.error), std::string::npos) << error.message;
        } else {
            EXPECT_EQ(script.events.size(), c.events) << c.text;
        }
    }
}

TEST(Script, SetWritesTheNamedFieldWithItsType) {
    pelea::GameState g;
    const auto set = [&g](const char* line) {
        std::optional<ScriptEvent> e;
        ASSERT_EQ(parseScriptLine(line, e), "") << line;
        applySet(g, *e);
    };
    set("150 set L2.hp 0");
    EXPECT_EQ(g.lutador[2].hp, 0.0);
    EXPECT_EQ(g.lutador[1].hp, 125.0);  // the other fighter keeps its life
    set("300 set poder 4");
    EXPECT_EQ(g.m.poder, 4);
    set("1 set L1.especial 101.5");
    EXPECT_EQ(g.lutador[1].especial, 101.5);
    set("1 set L1.grav -7");
    EXPECT_EQ(g.lutador[1].grav, -7);
    EXPECT_EQ(g.lutador[1].altura, 0);  // the field after it is untouched
    set("1 set vel 300");
    EXPECT_EQ(g.m.vel, 300);
    EXPECT_EQ(g.m.voadorAtivo, 0);
    set("1 set L2.x -2147483648");
    EXPECT_EQ(g.lutador[2].x, INT32_MIN);
    EXPECT_EQ(g.lutador[2].y, 300);
    set("1 set nivelDano 1e-3");
    EXPECT_EQ(g.m.nivelDano, 0.001);
    set("1 set telaY -5");
    EXPECT_EQ(g.m.telaY, -5);
}

namespace fs = std::filesystem;

class ScriptFile : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(testing::TempDir()) / "pelea_script_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string at(const std::string& name) const { return (dir_ / name).string(); }
    // A file of this many zero bytes that takes no room on the disk.
    void sparse(const std::string& name, uintmax_t size) const {
        std::ofstream(at(name)).close();
        fs::resize_file(at(name), size);
    }

    fs::path dir_;
};

TEST_F(ScriptFile, OnlyARegularFileOfAtMost16MiBIsRead) {
    constexpr uintmax_t kMiB = 1024 * 1024;
    std::ofstream(at("s.txt")) << "0 kb up\n";
    fs::create_symlink(at("s.txt"), at("link.txt"));
    fs::create_directory(at("folder"));
    ASSERT_EQ(mkfifo(at("pipe").c_str(), 0600), 0);
    sparse("edge.txt", 16 * kMiB);
    sparse("big.txt", 16 * kMiB + 1);
    struct Case {
        std::string path;
        const char* problem;  // "" when read
        uintmax_t size;       // of the text read
    };
    const Case cases[] = {
        {at("s.txt"), "", 8},
        {at("link.txt"), "", 8},
        {at("edge.txt"), "", 16 * kMiB},
        {at("big.txt"), "it holds 16777217 bytes, more than the 16 MiB a script may have", 0},
        {at("folder"), "it is a folder", 0},
        {"/dev/zero", "it is not a regular file", 0},
        {at("pipe"), "it is not a regular file", 0},  // refused without waiting for a writer
        {at("missing.txt"), "there is no such file", 0},
    };
    for (const Case& c : cases) {
        std::string text, problem;
        const bool ok = readScriptFile(c.path, text, problem);
        EXPECT_EQ(ok, c.problem[0] == '\0') << c.path << " -> " << problem;
        EXPECT_EQ(problem, c.problem) << c.path;
        if (!ok) continue;
        EXPECT_EQ(text.size(), c.size) << c.path;
    }
}

}  // namespace
}  // namespace platform
