// The replay file: what is read from it, what is refused, and that every replay is also an input
// script.
#include "replay/replay_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/common/script.h"

namespace replay {
namespace {

const std::string kHeader = "# pelea-replay 1\n# game 1.0\n# seed 5\n# demo 1\n";
const std::string kEvents =
    "0 kb b1\n"
    "0 sum 00000000000000aa\n"
    "1 sum 00000000000000bb\n"
    "2 key 5 p\n"
    "2 set L2.hp 40.5\n"
    "2 joy left\n"
    "2 sum 00000000000000cc\n";
const std::string kGood = kHeader + kEvents + "# end 3\n";

TEST(ReplayFile, ReadsTheHeaderTheEventsTheSumsAndTheEnd) {
    Replay r;
    ReplayError error;
    const std::string text = kHeader +
                             "# data C01.bmp 00000000000000ff\n# data Musica-01.wav 1\n"
                             "# match-start 1\n# match Paco Sombrero vs Lupe Centella\n"
                             "# recorded 2026-12-08 14:03:22\n# a comment\n" +
                             kEvents + "3 key esc\n# end 3\n\n";
    ASSERT_TRUE(parseReplay(text, r, error)) << error.line << ": " << error.message;
    EXPECT_EQ(r.header.version, 1);
    EXPECT_EQ(r.header.game, "1.0");
    EXPECT_EQ(r.header.seed, 5u);
    EXPECT_TRUE(r.header.demo);
    ASSERT_EQ(r.header.data.size(), 2u);
    EXPECT_EQ(r.header.data[0], (DataFile{"C01.bmp", 0xff}));
    EXPECT_EQ(r.header.data[1], (DataFile{"Musica-01.wav", 1}));
    EXPECT_EQ(r.header.matchStart, 1);
    EXPECT_EQ(r.header.match, "Paco Sombrero vs Lupe Centella");
    EXPECT_EQ(r.header.recorded, "2026-12-08 14:03:22");
    EXPECT_EQ(r.frames, 3);
    std::vector<uint64_t> sums;
    for (const platform::ScriptEvent& e : r.script.events) {
        if (e.kind == platform::EventKind::Sum) sums.push_back(e.sum);
    }
    EXPECT_EQ(sums, (std::vector<uint64_t>{0xaa, 0xbb, 0xcc}));
    EXPECT_EQ(r.script.events.size(), 8u);

    // Written back, the header reads the same.
    Replay again;
    ASSERT_TRUE(parseReplay(headerText(r.header) + endLine(3), again, error)) << error.message;
    EXPECT_EQ(again.header.seed, r.header.seed);
    EXPECT_EQ(again.header.data, r.header.data);
    EXPECT_EQ(again.header.matchStart, r.header.matchStart);
    EXPECT_EQ(again.header.match, r.header.match);
}

TEST(ReplayFile, EveryReplayIsAnInputScriptWhoseSumsChangeNothing) {
    platform::InputScript script;
    platform::ScriptError error;
    ASSERT_TRUE(platform::parseScript(kGood, script, error)) << error.line << error.message;
    EXPECT_EQ(script.events.size(), 7u);
    EXPECT_EQ(script.events[1].kind, platform::EventKind::Sum);
    EXPECT_EQ(script.events[1].sum, 0xaau);
    std::string line;
    appendSum(line, 5, 0x0123456789abcdefULL);
    EXPECT_EQ(line, "5 sum 0123456789abcdef\n");
}

TEST(ReplayFile, BadReplaysAreRefusedNamingTheLine) {
    struct Case {
        const char* what;
        std::string text;
        int line;
        const char* message;
    };
    const std::string longLine = "# " + std::string(kMaxLineBytes, 'x') + "\n";
    const Case cases[] = {
        {"cut short", kHeader + kEvents, 11, "cut short"},
        {"cut inside a line", kHeader + "0 kb b1\n0 sum 00000", 6, "cut short"},
        {"empty", "", 1, "not a replay"},
        {"garbage",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\n\xff\xfe",
                     13),
         1, "not a replay"},
        {"a script, not a replay", "0 kb up\n# end 1\n", 1, "not a replay"},
        {"newer version", "# pelea-replay 3\n# seed 5\n# end 0\n", 1, "newer"},
        {"a match file without its state", "# pelea-replay 2\n# seed 5\n# end 0\n", 3,
         "the start state holds 0 bytes"},
        {"a start state cut short", "# pelea-replay 2\n# seed 5\n# state 00ff\n# end 0\n", 4,
         "the start state holds 2 bytes"},
        {"a start state in a session", "# pelea-replay 1\n# seed 5\n# state 00ff\n# end 0\n",
         4, "a version 1 replay holds no start state"},
        {"a bad state line", "# pelea-replay 2\n# seed 5\n# state 0g\n# end 0\n", 3,
         "bad state line"},
        {"bad version", "# pelea-replay one\n", 1, "bad format version"},
        {"frames going back", kHeader + "5 kb up\n5 sum 1\n3 kb\n# end 6\n", 7,
         "frame 3 comes after frame 5"},
        {"a frame after its sum", kHeader + "1 sum 1\n1 kb up\n# end 2\n", 6,
         "after the sum of frame 1"},
        {"a line over 4 KiB", kHeader + longLine + "# end 0\n", 5, "more than the 4096"},
        {"an unknown event", kHeader + "1 jump\n# end 2\n", 5, "unknown event \"jump\""},
        {"an unknown state", kHeader + "1 kb fly\n# end 2\n", 5, "unknown state \"fly\""},
        {"a bad hash", kHeader + "1 sum 12xz\n# end 2\n", 5, "hexadecimal"},
        {"a hash too long", kHeader + "1 sum 00000000000000001\n# end 2\n", 5, "hexadecimal"},
        {"no seed", "# pelea-replay 1\n0 sum 1\n# end 1\n", 3, "no seed"},
        {"a bad seed", "# pelea-replay 1\n# seed -1\n# end 0\n", 2, "bad seed"},
        {"lines after the end", kGood + "3 kb\n", 13, "follow the end"},
        {"an end before a sum", kHeader + "4 sum 1\n# end 4\n", 6, "comes before frame 4"},
        {"a match start past the end", kHeader + "# match-start 9\n# end 3\n", 6, "past the end"},
    };
    for (const Case& c : cases) {
        Replay r;
        ReplayError error;
        EXPECT_FALSE(parseReplay(c.text, r, error)) << c.what;
        EXPECT_EQ(error.line, c.line) << c.what << ": " << error.message;
        EXPECT_NE(error.message.find(c.message), std::string::npos)
            << c.what << ": " << error.message;
        EXPECT_EQ(error.message.find('\n'), std::string::npos) << c.what;
    }
}

}  // namespace
}  // namespace replay
