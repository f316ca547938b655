// Two real programs playing each other over the loopback: they stay in step whatever the
// network does, record the same session, catch a desync at its frame, refuse a different data
// set, notice a vanished peer, and shrug off garbage. Every child is killed if it overstays.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "net/door.h"
#include "net/enet_link.h"
#include "net/session.h"
#include "net_children.h"
#include "support/files.h"

namespace net {
namespace {

namespace fs = std::filesystem;
using namespace net::programs;
using Clock = std::chrono::steady_clock;
using pelea::testing::readFile;

class Netplay : public ProgramsTest {
protected:
    Netplay() : ProgramsTest("pelea_net") {}
};
// The tests that wait out the drop time: ctest gives them a label of their own.
class NetplaySlow : public Netplay {};

TEST_F(Netplay, TwoProgramsStayInStepThroughLatencyAndLoss) {
    struct Case {
        const char* name;
        const char* netsim;
    };
    const Case cases[] = {{"60 ms, jitter 20, loss 5%", "60,20,5"},
                          {"60 ms, jitter 20, loss 30%", "60,20,30"}};
    const std::string host = script("host.txt", kHostScript),
                      join = script("join.txt", kJoinScript);
    // Both cases at once: they wait on the network far more than they work.
    std::vector<std::unique_ptr<Child>> hosts, joiners;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string port = std::to_string(freshPort());
        const std::string n = std::to_string(i);
        hosts.push_back(std::make_unique<Child>(
            folder("host" + n),
            std::vector<std::string>{"--headless", "--host", port, "--frames", "3000", "--seed",
                                     "77", "--input", host, "--record", "r.pelea-replay",
                                     "--netsim", cases[i].netsim, "--data", kData}));
        joiners.push_back(std::make_unique<Child>(
            folder("join" + n),
            std::vector<std::string>{"--headless", "--join", "127.0.0.1:" + port, "--frames",
                                     "3000", "--input", join, "--record", "r.pelea-replay",
                                     "--netsim", cases[i].netsim, "--data", kData}));
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        const char* name = cases[i].name;
        EXPECT_EQ(hosts[i]->wait(std::chrono::seconds(40)), 0) << name << hosts[i]->err();
        EXPECT_EQ(joiners[i]->wait(std::chrono::seconds(10)), 0) << name << joiners[i]->err();
        const std::string a = readFile(hosts[i]->file("r.pelea-replay"));
        const std::string b = readFile(joiners[i]->file("r.pelea-replay"));
        EXPECT_EQ(std::count(a.begin(), a.end(), '\n') > 3000, true) << name;
        EXPECT_EQ(number(a, "sum") >= 0, true) << name;
        EXPECT_EQ(a, b) << name;
        // Each side's keys and devices are in it, its two devices combined on its own
        // fighter's set.
        EXPECT_NE(a.find("250 key 2"), std::string::npos) << name;
        EXPECT_NE(a.find("700 joy left right b2"), std::string::npos) << name;  // kb and joy
        EXPECT_NE(a.find("420 kb left b2"), std::string::npos) << name;
        // The session's summary: every frame confirmed, the side ahead waited.
        EXPECT_EQ(number(hosts[i]->err(), "frames confirmed"), 3000) << hosts[i]->err();
        EXPECT_GT(number(hosts[i]->err(), "waits") + number(joiners[i]->err(), "waits"), 0) << name;
        EXPECT_GT(number(hosts[i]->err(), "input packets dropped"), 0) << name;
        // Played alone, the recording checks every sum.
        Child replay(
            folder("replay" + std::to_string(i)),
            {"--headless", "--replay", hosts[i]->file("r.pelea-replay").string(), "--data", kData});
        EXPECT_EQ(replay.wait(std::chrono::seconds(20)), 0) << name << replay.err();
    }
}

// Nine packets in ten lost each way: each side runs ahead on guesses for as long as it may, and
// whichever packet gets through carries all the other still needs. Both finish, in step.
TEST_F(Netplay, HeavyLossNeverFreezesEitherSide) {
    const char* sims[] = {"0,0,90", "30,10,88"};
    const std::string host = script("host.txt", kHostScript),
                      join = script("join.txt", kJoinScript);
    std::vector<std::unique_ptr<Child>> hosts, joiners;
    for (size_t i = 0; i < std::size(sims); ++i) {
        const std::string port = std::to_string(freshPort());
        const std::string n = std::to_string(i);
        hosts.push_back(std::make_unique<Child>(
            folder("host" + n),
            std::vector<std::string>{"--headless", "--host", port, "--frames", "300", "--seed",
                                     "31", "--input", host, "--record", "r.pelea-replay",
                                     "--netsim", sims[i], "--data", kData}));
        joiners.push_back(std::make_unique<Child>(
            folder("join" + n),
            std::vector<std::string>{"--headless", "--join", "127.0.0.1:" + port, "--frames",
                                     "300", "--input", join, "--record", "r.pelea-replay",
                                     "--netsim", sims[i], "--data", kData}));
    }
    for (size_t i = 0; i < std::size(sims); ++i) {
        EXPECT_EQ(hosts[i]->wait(std::chrono::seconds(60)), 0) << sims[i] << hosts[i]->err();
        EXPECT_EQ(joiners[i]->wait(std::chrono::seconds(10)), 0) << sims[i] << joiners[i]->err();
        EXPECT_EQ(number(hosts[i]->err(), "frames confirmed"), 300) << hosts[i]->err();
        EXPECT_EQ(number(joiners[i]->err(), "frames confirmed"), 300) << joiners[i]->err();
        const std::string a = readFile(hosts[i]->file("r.pelea-replay"));
        EXPECT_NE(a.find("# end 300"), std::string::npos) << sims[i];
        EXPECT_EQ(a, readFile(joiners[i]->file("r.pelea-replay"))) << sims[i];
    }
}

TEST_F(Netplay, ADesyncStopsBothSidesAtItsFrame) {
    struct Case {
        const char* name;
        bool onHost;
        int frame;
    };
    const Case cases[] = {{"the host's state", true, 400}, {"the joiner's state", false, 1200}};
    for (const Case& c : cases) {
        const std::string port = std::to_string(freshPort());
        const std::string set = std::to_string(c.frame) + " set creditos 9\n";
        // The set line goes in frame order into the side's own script.
        const std::string odd = c.onHost ? std::string(kHostScript) : std::string(kJoinScript);
        std::string changed;
        std::istringstream lines(odd);
        bool placed = false;
        for (std::string line; std::getline(lines, line);) {
            if (!placed && std::stoi(line) > c.frame) {
                changed += set;
                placed = true;
            }
            changed += line + "\n";
        }
        const std::string host = script("h.txt", c.onHost ? changed : kHostScript);
        const std::string join = script("j.txt", c.onHost ? kJoinScript : changed);
        Child h(folder(std::string("h") + c.name),
                {"--headless", "--host", port, "--frames", "3000", "--seed", "5", "--input", host,
                 "--data", kData});
        Child j(folder(std::string("j") + c.name),
                {"--headless", "--join", "127.0.0.1:" + port, "--frames", "3000", "--input", join,
                 "--data", kData});
        EXPECT_EQ(h.wait(std::chrono::seconds(20)), 3) << c.name << h.err();
        EXPECT_EQ(j.wait(std::chrono::seconds(5)), 3) << c.name << j.err();
        const std::string at =
            "out of step with the other player's at frame " + std::to_string(c.frame) + "\n";
        EXPECT_NE(h.err().find(at), std::string::npos) << h.err();
        EXPECT_NE(j.err().find(at), std::string::npos) << j.err();
        // Each side leaves its session behind, and the odd one's plays back on its own.
        const fs::path file = (c.onHost ? h : j)
                                  .file(std::string("desync-") + (c.onHost ? "host-" : "join-") +
                                        std::to_string(c.frame) + ".pelea-replay");
        ASSERT_TRUE(fs::exists(file)) << c.name;
        Child replay(folder(std::string("r") + c.name),
                     {"--headless", "--replay", file.string(), "--data", kData});
        EXPECT_EQ(replay.wait(std::chrono::seconds(10)), 0) << replay.err();
    }
}

// A joiner with other data files is told so and leaves; the host says so and goes on waiting,
// then plays the right joiner; one more who comes during the match is told it is taken.
TEST_F(Netplay, AMismatchedJoinerIsTurnedAwayAndTheHostGoesOnWaiting) {
    const std::string port = std::to_string(freshPort());
    fs::create_directories(folder("empty"));
    Child h(folder("h"), {"--headless", "--host", port, "--frames", "3000", "--seed", "4",
                          "--input", script("h.txt", kHostScript), "--record", "r.pelea-replay",
                          "--data", kData});
    Child wrong(folder("wrong"), {"--headless", "--join", "127.0.0.1:" + port, "--frames", "100",
                                  "--data", folder("empty").string()});
    EXPECT_EQ(wrong.wait(std::chrono::seconds(15)), 2) << wrong.err();
    const std::string e = wrong.err();
    EXPECT_NE(e.find("data files differ"), std::string::npos) << e;
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    Child j(folder("j"), {"--headless", "--join", "127.0.0.1:" + port, "--frames", "3000",
                          "--input", script("j.txt", kJoinScript), "--record", "r.pelea-replay",
                          "--netsim", "40,10,5", "--data", kData});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Child third(folder("third"),
                {"--headless", "--join", "127.0.0.1:" + port, "--frames", "100", "--data", kData});
    EXPECT_EQ(third.wait(std::chrono::seconds(15)), 2) << third.err();
    EXPECT_NE(third.err().find("already playing with someone else"), std::string::npos)
        << third.err();
    EXPECT_EQ(h.wait(std::chrono::seconds(40)), 0) << h.err();
    EXPECT_EQ(j.wait(std::chrono::seconds(10)), 0) << j.err();
    EXPECT_NE(h.err().find("a player was turned away: the other player's data files differ"),
              std::string::npos)
        << h.err();
    EXPECT_EQ(number(h.err(), "frames confirmed"), 3000) << h.err();
    EXPECT_EQ(readFile(h.file("r.pelea-replay")), readFile(j.file("r.pelea-replay")));
}

// A joiner who presses nothing plays fighter 2 from its first frames: its recording holds the
// credit and the join key it gave on its own, and played alone fighter 2 is a player from the
// select screen on.
TEST_F(Netplay, TheJoinerIsFighterTwoAtOnce) {
    const std::string port = std::to_string(freshPort());
    Child h(folder("h"), {"--headless", "--host", port, "--frames", "120", "--seed", "5",
                          "--input", script("h.txt", "10 kb b1\n12 kb\n"), "--data", kData});
    Child j(folder("j"), {"--headless", "--join", "127.0.0.1:" + port, "--frames", "120",
                          "--record", "r.pelea-replay", "--data", kData});
    EXPECT_EQ(h.wait(std::chrono::seconds(20)), 0) << h.err();
    ASSERT_EQ(j.wait(std::chrono::seconds(10)), 0) << j.err();
    const std::string recorded = readFile(j.file("r.pelea-replay"));
    EXPECT_NE(recorded.find("\n1 key 5\n"), std::string::npos) << recorded.substr(0, 3000);
    EXPECT_NE(recorded.find(" key 2\n"), std::string::npos);
    Child replay(folder("replay"), {"--headless", "--replay", j.file("r.pelea-replay").string(),
                                    "--trace", "t.jsonl", "--data", kData});
    ASSERT_EQ(replay.wait(std::chrono::seconds(20)), 0) << replay.err();
    std::istringstream trace(readFile(replay.file("t.jsonl")));
    std::string line;
    for (int f = 0; std::getline(trace, line); ++f) {
        // Fighter 1's record, then fighter 2's.
        const size_t two = line.find("\"humano\":", line.find("\"humano\":") + 1);
        ASSERT_NE(two, std::string::npos) << f;
        const bool select = line.rfind("{\"modoTela\":3,", 0) == 0;
        if (f >= 20) {
            EXPECT_TRUE(select) << f;
            EXPECT_EQ(line.substr(two, 10), "\"humano\":1") << "frame " << f;
        }
    }
}

// Someone who connects first and never says hello holds no slot: the real joiner, coming after,
// plays at once.
TEST_F(Netplay, ASilentNewcomerDoesNotBlockTheHost) {
    const int port = freshPort();
    Child h(folder("h"), {"--headless", "--host", std::to_string(port), "--frames", "600",
                          "--seed", "8", "--data", kData});
    // The link goes before the host it lives in.
    std::unique_ptr<EnetHost> socket;
    std::unique_ptr<EnetLink> silent;
    std::string error;
    Address to;
    to.host = "127.0.0.1";
    to.port = port;
    socket = EnetHost::connect(to, 10000, silent, error);
    ASSERT_TRUE(socket) << error;
    std::atomic<bool> done{false};
    // The silent one keeps its connection up, and says nothing.
    std::thread keepUp([&] {
        while (!done)
            socket->service(10);
    });
    const auto start = Clock::now();
    Child j(folder("j"),
            {"--headless", "--join", "127.0.0.1:" + std::to_string(port), "--frames", "600",
             "--data", kData});
    EXPECT_EQ(j.wait(std::chrono::seconds(30)), 0) << j.err();
    EXPECT_EQ(h.wait(std::chrono::seconds(10)), 0) << h.err();
    // Well before the silent one would be shown out.
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kHelloMs));
    done = true;
    keepUp.join();
}

// Everything one side sends is dropped for 1.5 s (--outage), ENet's own datagrams among them,
// with --netsim pacing the match: both sides wait, say so, and play on when it ends.
TEST_F(Netplay, AnOutageShorterThanTheDropTimeIsWaitedOut) {
    const bool onHost[] = {true, false};
    std::vector<std::unique_ptr<Child>> hosts, joiners;
    for (const bool host : onHost) {
        const std::string port = std::to_string(freshPort());
        const std::string n = host ? "0" : "1";
        std::vector<std::string> h{"--headless", "--host", port, "--frames", "1000",
                                   "--seed", "21", "--input", script("h" + n, kHostScript),
                                   "--record", "r.pelea-replay", "--netsim", "20,0,0", "--data",
                                   kData};
        std::vector<std::string> j{"--headless", "--join", "127.0.0.1:" + port, "--frames",
                                   "1000", "--input", script("j" + n, kJoinScript), "--record",
                                   "r.pelea-replay", "--netsim", "20,0,0", "--data", kData};
        for (const char* a : {"--outage", "1500,1500"})
            (host ? h : j).push_back(a);
        hosts.push_back(std::make_unique<Child>(folder("host" + n), h));
        joiners.push_back(std::make_unique<Child>(folder("join" + n), j));
    }
    for (size_t i = 0; i < std::size(onHost); ++i) {
        Child* both[] = {hosts[i].get(), joiners[i].get()};
        for (Child* c : both) {
            EXPECT_EQ(c->wait(std::chrono::seconds(30)), 0) << c->err();
            const std::string e = c->err();
            EXPECT_EQ(number(e, "frames confirmed"), 1000) << e;
            EXPECT_NE(e.find("waiting for the other player at frame"), std::string::npos) << e;
            // The longest wait lasts about as long as the outage (a slow build may also wait
            // shorter whiles of its own).
            const int64_t waited = largestNumber(e, "ms of waiting");
            EXPECT_GT(waited, 1000) << e;
            EXPECT_LT(waited, 2500) << e;
        }
        Child& dark = onHost[i] ? *hosts[i] : *joiners[i];
        EXPECT_GT(number(dark.err(), "datagrams dropped by --outage"), 0) << dark.err();
        EXPECT_EQ(readFile(hosts[i]->file("r.pelea-replay")),
                  readFile(joiners[i]->file("r.pelea-replay")));
    }
}

// The program itself refuses a bad --outage with exit code 2 and one line saying what.
TEST_F(Netplay, ABadOutageIsRefused) {
    const char* values[] = {"1500", "a,5", "5,0", "5,99999999"};
    for (const char* v : values) {
        Child c(folder(std::string("c") + v),
                {"--headless", "--host", "1", "--frames", "9", "--outage", v});
        EXPECT_EQ(c.wait(std::chrono::seconds(10)), 2) << v;
        const std::string e = c.err();
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
        EXPECT_NE(e.find("--outage"), std::string::npos) << e;
    }
}

// The lines a program wrote on stderr that hold the words.
int linesWith(const std::string& text, const std::string& words) {
    int n = 0;
    for (size_t at = text.find(words); at != std::string::npos; at = text.find(words, at + 1))
        ++n;
    return n;
}

// A silence past the drop time, whichever way: a killed joiner, a killed host, a host whose
// datagrams are all dropped from 1 s on. Each side still there ends with one line, exit code 1,
// once the drop time has passed and not long after.
TEST_F(NetplaySlow, ASilencePastTheDropTimeEndsBothSides) {
    enum class Silence { KillJoiner, KillHost, HostOutage };
    const Silence cases[] = {Silence::KillJoiner, Silence::KillHost, Silence::HostOutage};
    std::vector<std::unique_ptr<Child>> hosts, joiners;
    for (const Silence c : cases) {
        const std::string port = std::to_string(freshPort());
        const std::string n = std::to_string(static_cast<int>(c));
        // The host gives up as the joiner does, without waiting for one to join again.
        std::vector<std::string> h{"--headless", "--host",      port, "--frames", "1000000",
                                   "--netsim",   "20,0,0",      "--data", kData,
                                   "--rejoin-wait", "0"};
        if (c == Silence::HostOutage) {
            h.push_back("--outage");
            h.push_back("1000,30000");
        }
        hosts.push_back(std::make_unique<Child>(folder("h" + n), h));
        joiners.push_back(std::make_unique<Child>(
            folder("j" + n), std::vector<std::string>{"--headless", "--join", "127.0.0.1:" + port,
                                                      "--frames", "1000000", "--netsim",
                                                      "20,0,0", "--data", kData}));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    const auto silent = Clock::now();
    hosts[1]->kill();
    joiners[0]->kill();
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::vector<Child*> left;
        if (cases[i] != Silence::KillHost) left.push_back(hosts[i].get());
        if (cases[i] != Silence::KillJoiner) left.push_back(joiners[i].get());
        for (Child* c : left) {
            EXPECT_EQ(c->wait(std::chrono::seconds(20)), 1) << c->err();
            const auto after = Clock::now() - silent;
            EXPECT_GT(after, std::chrono::milliseconds(kDropMs - 500)) << i;
            EXPECT_LT(after, std::chrono::milliseconds(kDropMs + 3000)) << i;
            EXPECT_EQ(linesWith(c->err(), "the other player was lost at frame"), 1) << c->err();
        }
    }
}

// Datagrams that are not the game's, before the peer joins and during the match.
TEST_F(Netplay, GarbageDatagramsToThePortAreIgnored) {
    const int port = freshPort();
    Child h(folder("h"), {"--headless", "--host", std::to_string(port), "--frames", "3000",
                          "--seed", "9", "--input", script("h.txt", kHostScript), "--record",
                          "r.pelea-replay", "--data", kData});
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto spray = [&](int count) {
        uint32_t x = 12345;
        for (int i = 0; i < count; ++i) {
            std::vector<uint8_t> junk(1 + (i * 37) % 600);
            for (uint8_t& b : junk) {
                x = x * 1664525 + 1013904223;
                b = static_cast<uint8_t>(x >> 24);
            }
            if (i % 5 == 0 && junk.size() > 4) {
                junk[0] = 'P';  // this game's header on a damaged body
                junk[1] = 'N';
                junk[2] = 1;
            }
            ::sendto(s, junk.data(), junk.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        }
    };
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    spray(200);
    Child j(folder("j"), {"--headless", "--join", "127.0.0.1:" + std::to_string(port), "--frames",
                          "3000", "--input", script("j.txt", kJoinScript), "--record",
                          "r.pelea-replay", "--netsim", "30,10,10", "--data", kData});
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    spray(200);
    ::close(s);
    EXPECT_EQ(h.wait(std::chrono::seconds(30)), 0) << h.err();
    EXPECT_EQ(j.wait(std::chrono::seconds(5)), 0) << j.err();
    EXPECT_EQ(readFile(h.file("r.pelea-replay")), readFile(j.file("r.pelea-replay")));
    EXPECT_EQ(number(h.err(), "frames confirmed"), 3000) << h.err();
}

}  // namespace
}  // namespace net
