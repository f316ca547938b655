// A player whose game ended before the match did joins the same host again: the host waits
// meanwhile, feeds the newcomer the match so far, and the match goes on to its end with every
// replay the same on the frames they share. Real programs on the loopback.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "net_children.h"

namespace net {
namespace {

using namespace net::programs;

class Rejoin : public ProgramsTest {
protected:
    Rejoin() : ProgramsTest("pelea_rejoin") {}
};

// The number written just after the words ("ended at frame 811"), or −1.
int64_t numberAfter(const std::string& text, const std::string& words) {
    const size_t at = text.find(words);
    if (at == std::string::npos) return -1;
    size_t end = at + words.size();
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0)
        ++end;
    return end == at + words.size() ? -1 : std::stoll(text.substr(at + words.size()));
}

// The frame lines of a replay (its header and end line aside).
std::vector<std::string> frameLines(const std::string& replay) {
    std::vector<std::string> lines;
    std::istringstream in(replay);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

// The shorter replay's frames are the longer's first ones, line for line, up to the last frame
// it holds whole.
void agreeOnCommonFrames(const std::string& shorter, const std::string& longer) {
    std::vector<std::string> a = frameLines(shorter);
    const std::vector<std::string> b = frameLines(longer);
    ASSERT_GT(a.size(), 10U);
    // Its last frame may be cut short by the end of the file: it is left out.
    const std::string last = a.back().substr(0, a.back().find(' '));
    while (!a.empty() && a.back().rfind(last + " ", 0) == 0)
        a.pop_back();
    ASSERT_LE(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(a[i], b[i]) << "line " << i;
}

std::vector<std::string> joinArgs(const std::string& port, const std::string& script) {
    return {"--headless", "--join",   "127.0.0.1:" + port, "--frames", "3000", "--input",
            script,       "--record", "r.pelea-replay",    "--netsim", "20,0,0", "--data",
            kData};
}

// The first player leaves with Esc at frame 800, or is killed mid-match (its silence shorter
// than the drop time when the newcomer comes); a spectator watches throughout.
TEST_F(Rejoin, APlayerWhoseGameEndedJoinsAgainAndTheMatchGoesOn) {
    struct Case {
        const char* name;
        bool kill;
    };
    const Case cases[] = {{"leaves at frame 800", false}, {"killed mid-match", true}};
    const std::string hostScript = script("h.txt", kHostScript),
                      joinScript = script("j.txt", kJoinScript),
                      leaveScript = script("leave.txt", "0 kb\n200 key 5\n250 key 2\n"
                                                         "400 kb left\n700 joy right b2\n"
                                                         "800 key esc\n");
    std::vector<std::unique_ptr<Child>> hosts, firsts, watchers;
    std::vector<std::string> ports;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string n = std::to_string(i), port = std::to_string(freshPort());
        ports.push_back(port);
        hosts.push_back(std::make_unique<Child>(
            folder("h" + n),
            std::vector<std::string>{"--headless", "--host", port, "--frames", "3000", "--seed",
                                     "9", "--input", hostScript, "--record", "r.pelea-replay",
                                     "--netsim", "20,0,0", "--data", kData}));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        watchers.push_back(std::make_unique<Child>(
            folder("s" + n),
            std::vector<std::string>{"--headless", "--spectate", "127.0.0.1:" + port, "--record",
                                     "r.pelea-replay", "--data", kData}));
        firsts.push_back(std::make_unique<Child>(
            folder("a" + n), joinArgs(port, cases[i].kill ? joinScript : leaveScript)));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    for (size_t i = 0; i < std::size(cases); ++i) {
        if (cases[i].kill) {
            firsts[i]->kill();
        } else {
            EXPECT_EQ(firsts[i]->wait(std::chrono::seconds(20)), 0) << firsts[i]->err();
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    std::vector<std::unique_ptr<Child>> agains;
    for (size_t i = 0; i < std::size(cases); ++i) {
        agains.push_back(std::make_unique<Child>(folder("b" + std::to_string(i)),
                                                 joinArgs(ports[i], joinScript)));
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        Child& host = *hosts[i];
        Child& again = *agains[i];
        EXPECT_EQ(host.wait(std::chrono::seconds(40)), 0) << host.err();
        EXPECT_EQ(again.wait(std::chrono::seconds(10)), 0) << again.err();
        EXPECT_EQ(watchers[i]->wait(std::chrono::seconds(10)), 0) << watchers[i]->err();
        const int64_t ended = numberAfter(host.err(), "game ended at frame ");
        if (!cases[i].kill) {
            EXPECT_NEAR(ended, 800, 10) << host.err();
        }
        EXPECT_GT(ended, 200) << host.err();
        EXPECT_EQ(numberAfter(again.err(), "joined the match again at frame "), ended)
            << again.err();
        EXPECT_EQ(number(host.err(), "frames confirmed"), 3000) << host.err();
        // Once the newcomer is in, its inputs come at once: no wait long enough to be said.
        const std::string e = host.err();
        EXPECT_EQ(e.find("before it is given up", e.find("joined again")), std::string::npos) << e;
        const std::string replay = readFile(host.file("r.pelea-replay"));
        EXPECT_EQ(readFile(again.file("r.pelea-replay")), replay);
        EXPECT_EQ(readFile(watchers[i]->file("r.pelea-replay")), replay);
        if (!cases[i].kill) {
            agreeOnCommonFrames(readFile(firsts[i]->file("r.pelea-replay")), replay);
        }
    }
}

// While the host waits, a joiner with other data is turned away and the wait goes on; when
// nobody comes in time the match ends as it would have without the wait, once it is over.
TEST_F(Rejoin, TheHostWaitsOnlyForTheSameGameAndOnlySoLong) {
    const std::string port = std::to_string(freshPort());
    fs::create_directories(folder("empty"));
    Child host(folder("h"), {"--headless", "--host", port, "--frames", "3000", "--seed", "9",
                             "--rejoin-wait", "3", "--data", kData});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Child first(folder("a"), joinArgs(port, script("leave.txt", "0 kb\n300 key esc\n")));
    EXPECT_EQ(first.wait(std::chrono::seconds(20)), 0) << first.err();
    const auto left = Clock::now();
    Child wrong(folder("wrong"), {"--headless", "--join", "127.0.0.1:" + port, "--frames", "100",
                                  "--data", folder("empty").string()});
    EXPECT_EQ(wrong.wait(std::chrono::seconds(10)), 2) << wrong.err();
    EXPECT_EQ(host.wait(std::chrono::seconds(10)), 0) << host.err();
    const auto waited = Clock::now() - left;
    EXPECT_GT(waited, std::chrono::milliseconds(2500));
    EXPECT_LT(waited, std::chrono::milliseconds(6000));
    const std::string e = host.err();
    EXPECT_NE(e.find("a player was turned away: the other player's data files differ"),
              std::string::npos)
        << e;
    EXPECT_NE(e.find("nobody joined again in 3 s"), std::string::npos) << e;
    EXPECT_NE(e.find("the other player left the match at frame"), std::string::npos) << e;
}

}  // namespace
}  // namespace net
