// Spectators of a real match between two programs over the loopback: each records the host's
// replay frame for frame whenever it came, one killed or slow costs the players nothing, and
// those who cannot watch (other data, no room, the match over) are told so in one line while
// the match goes on. Every child is killed if it overstays.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/enet_link.h"
#include "net/spectate_feed.h"
#include "net/wire.h"
#include "net_children.h"
#include "replay/replay_file.h"

namespace net {
namespace {

namespace fs = std::filesystem;
using namespace net::programs;
using namespace std::chrono_literals;

class Spectators : public ProgramsTest {
protected:
    Spectators() : ProgramsTest("pelea_spectate") {}
};

int64_t lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

// The number written just after the words, or −1.
int64_t following(const std::string& text, const std::string& words) {
    const size_t at = text.find(words);
    if (at == std::string::npos) return -1;
    return std::atoll(text.c_str() + at + words.size());
}

TEST_F(Spectators, WatchTheWholeMatchAndCostThePlayersNothing) {
    struct Case {
        const char* name;
        int startMs;  // after the host
        int killMs;   // −1: left alone
        bool otherData;
        const char* netsim;
        int exit;
        const char* says;  // the one line of one who cannot watch
    };
    // Eight are let in (one killed), the others turned away; the match takes a few seconds.
    const Case cases[] = {
        {"before the player", 0, -1, false, nullptr, 0, nullptr},
        {"about frame 300 a", 1200, -1, false, nullptr, 0, nullptr},
        {"about frame 300 b", 1200, -1, false, nullptr, 0, nullptr},
        {"about frame 300 c", 1200, -1, false, nullptr, 0, nullptr},
        {"about frame 300 d", 1200, -1, false, nullptr, 0, nullptr},
        {"about frame 300 e", 1200, -1, false, nullptr, 0, nullptr},
        {"killed", 300, 1200, false, nullptr, -3, nullptr},
        {"slow to answer", 0, -1, false, "2000,0,0", 0, nullptr},  // heard at 2 s
        {"other data", 600, -1, true, nullptr, 2, "the host's data files differ from these"},
        {"ninth", 3500, -1, false, nullptr, 1, "has all the spectators it takes (8)"},
    };
    const std::string port = std::to_string(freshPort());
    const std::string at = "127.0.0.1:" + port;
    fs::create_directories(folder("empty"));
    const auto start = Clock::now();
    Child host(folder("host"), {"--headless", "--host", port, "--frames", "2000", "--seed", "12",
                                "--input", script("h.txt", kHostScript), "--record",
                                "r.pelea-replay", "--netsim", "20,0,0", "--data", kData});
    std::vector<std::unique_ptr<Child>> watchers(std::size(cases));
    std::unique_ptr<Child> joiner;
    auto launch = [&](size_t i) {
        const Case& c = cases[i];
        std::vector<std::string> args{"--headless",
                                      "--spectate",
                                      at,
                                      "--record",
                                      "r.pelea-replay",
                                      "--data",
                                      c.otherData ? folder("empty").string() : std::string(kData)};
        if (c.netsim != nullptr) args.insert(args.end(), {"--netsim", c.netsim});
        watchers[i] = std::make_unique<Child>(folder(c.name), args);
    };
    // Each at its time: the joiner at 200 ms, the spectators at theirs, the killed one killed.
    for (int ms = 0; ms <= 3500; ms += 50) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
        if (ms == 200) {
            joiner = std::make_unique<Child>(
                folder("join"),
                std::vector<std::string>{"--headless", "--join", at, "--frames", "2000", "--input",
                                         script("j.txt", kJoinScript), "--record", "r.pelea-replay",
                                         "--netsim", "20,0,0", "--data", kData});
        }
        for (size_t i = 0; i < std::size(cases); ++i) {
            if (cases[i].startMs == ms) launch(i);
            if (cases[i].killMs == ms) watchers[i]->kill();
        }
    }
    // Once the host has said how its match went, one coming finds the match over: the host is
    // still there, finishing the slow one.
    const auto limit = Clock::now() + 40s;
    while (host.err().find("frames confirmed") == std::string::npos && Clock::now() < limit)
        std::this_thread::sleep_for(10ms);
    Child late(folder("late"), {"--headless", "--spectate", at, "--data", kData});
    const auto matchDone = Clock::now();
    EXPECT_EQ(joiner->wait(10s), 0) << joiner->err();
    // The joiner hears the host's last word at once, whoever still watches.
    EXPECT_LT(Clock::now() - matchDone, 1500ms);
    EXPECT_EQ(host.wait(10s), 0) << host.err();
    // The host stays for its spectators a few seconds at most.
    EXPECT_LT(Clock::now() - matchDone, 5s);
    EXPECT_EQ(late.wait(15s), 1) << late.err() << host.err();
    EXPECT_NE(late.err().find("has ended; there is nothing to watch"), std::string::npos)
        << late.err();
    EXPECT_EQ(lines(late.err()), 1) << late.err();

    const std::string replay = readFile(host.file("r.pelea-replay"));
    EXPECT_EQ(number(host.err(), "frames confirmed"), 2000) << host.err();
    EXPECT_EQ(replay, readFile(joiner->file("r.pelea-replay")));
    EXPECT_GT(lines(replay), 2000);
    EXPECT_NE(host.err().find("a spectator was turned away: its data files differ"),
              std::string::npos)
        << host.err();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        Child& w = *watchers[i];
        if (c.killMs < 0) {
            EXPECT_EQ(w.wait(15s), c.exit) << c.name << ": " << w.err();
        }
        if (c.exit != 0) {
            if (c.says == nullptr) continue;
            EXPECT_NE(w.err().find(c.says), std::string::npos) << c.name << ": " << w.err();
            EXPECT_EQ(lines(w.err()), 1) << c.name << ": " << w.err();
            continue;
        }
        EXPECT_EQ(readFile(w.file("r.pelea-replay")), replay) << c.name;
        EXPECT_EQ(number(w.err(), "frames watched"), 2000) << c.name << ": " << w.err();
        const int64_t joined = following(w.err(), "joined at frame ");
        if (c.startMs >= 1000) {
            // It came in mid-match and ran what it missed blind.
            EXPECT_GT(joined, 0) << c.name << ": " << w.err();
            EXPECT_LT(joined, 2000) << c.name << ": " << w.err();
        }
    }
}

// A spectator that says hello and then never answers is sent the bound and no more, while the
// players go on to the end and the host leaves it behind.
TEST_F(Spectators, OneThatNeverAnswersIsSentNoMoreThanTheBound) {
    const int port = freshPort();
    const std::string at = "127.0.0.1:" + std::to_string(port);
    Child host(folder("host"), {"--headless", "--host", std::to_string(port), "--frames", "20000",
                                "--seed", "3", "--data", kData});
    const fs::path start = fs::current_path();
    fs::current_path(kData);  // the data files are hashed in the working folder
    const uint64_t data = dataSetHash();
    fs::current_path(start);
    Address to;
    to.host = "127.0.0.1";
    to.port = port;
    std::unique_ptr<EnetLink> link;
    std::string error;
    std::unique_ptr<EnetHost> socket = EnetHost::connect(to, 10000, link, error);
    ASSERT_TRUE(socket) << error;
    link->send(Channel::Control, encode(Watch{replay::gameVersion(), data}));
    Child joiner(folder("join"),
                 {"--headless", "--join", at, "--frames", "20000", "--data", kData});
    bool welcomed = false;
    int64_t frames = 0, live = 0;
    const auto end = Clock::now() + 30s;
    std::vector<uint8_t> bytes;
    while (!link->lost() && Clock::now() < end) {
        socket->service(10);
        while (link->receive(bytes)) {
            Message m;
            if (!decode(bytes, m)) continue;
            welcomed = welcomed || std::holds_alternative<Welcome>(m);
            if (const auto* f = std::get_if<Feed>(&m)) {
                frames += static_cast<int64_t>(f->count());
                live = std::max<int64_t>(live, f->live);
            }
        }
    }
    EXPECT_TRUE(link->lost());
    EXPECT_EQ(joiner.wait(10s), 0) << joiner.err();
    EXPECT_EQ(host.wait(10s), 0) << host.err();
    EXPECT_EQ(number(host.err(), "frames confirmed"), 20000) << host.err();
    EXPECT_TRUE(welcomed);
    EXPECT_EQ(frames, kFeedAhead);
    EXPECT_GT(live, kFeedAhead);
}

TEST_F(Spectators, ABadAddressExitsTwoWithOneLine) {
    for (const char* value : {"box:0", "", "[::1]:7340"}) {
        Child c(folder("c"), {"--headless", "--spectate", value});
        EXPECT_EQ(c.wait(5s), 2) << value << c.err();
        EXPECT_EQ(lines(c.err()), 1) << value << c.err();
        EXPECT_NE(c.err().find("--spectate"), std::string::npos) << value << c.err();
    }
}

}  // namespace
}  // namespace net
