// The window's side of a networked match, run here on a stand-in window with a real clock
// against a real headless program: what the other side hears of it.
#include "net/window_peer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "net/connection.h"
#include "net/rollback_audio.h"
#include "net_children.h"
#include "platform/headless/headless_platform.h"

namespace net {
namespace {

namespace fs = std::filesystem;
using namespace net::programs;

// A window that keeps time as the real one does and shows nothing; from a given frame on, this
// side's game is changed behind the other's back.
struct StandInWindow : platform::HeadlessPlatform {
    pelea::TForm1* form = nullptr;
    int presents = 0;
    int changeFrom = -1;
    std::vector<int> lefts;  // where each picture was shown
    uint64_t speed = 1;      // the window's clock runs this many times as fast as the real one
    const media::Surface* notice = nullptr;  // the waiting notice's picture, to count it
    int noticed = 0;         // pictures shown with it

    uint64_t nowMs() override { return steadyMs() * speed; }
    void sleepMs(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    void present(const media::Surface& picture, int offsetX) override {
        lefts.push_back(offsetX);
        if (notice != nullptr && showsNotice(picture)) ++noticed;
        if (changeFrom >= 0 && ++presents >= changeFrom) form->g.m.creditos = 9;
    }
    // The notice's band and first line, as drawn on a picture of its own.
    bool showsNotice(const media::Surface& picture) const {
        for (int y = kWaitingTop + 1; y < kWaitingTop + 20; ++y)
            for (int x = 0; x < media::Surface::kWidth; ++x)
                if (picture.at(x, y) != notice->at(x, y)) return false;
        return true;
    }
};

class WindowPeer : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / ("pelea_netwin-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        start_ = fs::current_path();
        // The data files are hashed in the working folder, as the window does once in its own.
        fs::current_path(kData);
    }
    void TearDown() override {
        fs::current_path(start_);
        fs::remove_all(dir_);
    }
    fs::path dir_, start_;
};

// The window finds its game out of step, says so for a few seconds and leaves: the other side
// hears of it meanwhile, stops at the same frame with exit code 3 and leaves its replay.
TEST_F(WindowPeer, ADesyncInTheWindowReachesTheOtherSide) {
    const int port = freshPort();
    {
        std::ofstream(dir_ / "h.txt") << kHostScript;
    }
    Child host(dir_ / "host", {"--headless", "--host", std::to_string(port), "--frames", "3000",
                               "--seed", "12", "--input", (dir_ / "h.txt").string(), "--data",
                               kData});
    NetOptions net;
    net.join.host = "127.0.0.1";
    net.join.port = port;
    Connection connection;
    ASSERT_EQ(connectPeer(net, 0, 1, connection), 0);
    StandInWindow window;
    RollbackPlatform rollback(window);
    pelea::TForm1 form(rollback, {true, connection.agreement.seed, false});
    window.form = &form;
    window.changeFrom = 40;
    form.FormCreate();
    const fs::path mine = dir_ / "window.pelea-replay";
    const auto start = std::chrono::steady_clock::now();
    platform::FramePipeline pipeline(form);
    EXPECT_EQ(runWindowPeer(form, window, rollback.rollbackAudio(), connection, net, mine.string(),
                            pipeline),
              3);
    EXPECT_EQ(host.wait(std::chrono::seconds(10)), 3) << host.err();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_NE(host.err().find("out of step with the other player's at frame"), std::string::npos)
        << host.err();
    bool left = false;
    for (const auto& e : fs::directory_iterator(dir_ / "host"))
        left = left || e.path().filename().string().rfind("desync-host-", 0) == 0;
    EXPECT_TRUE(left);
    EXPECT_TRUE(fs::exists(mine));
}

// Plays this side's part of a connected match in a stand-in window whose clock runs `speed`
// times as fast as the real one; the exit code, and in `noticed` the pictures that showed the
// waiting notice.
int playInWindow(Connection& connection, const NetOptions& net, const fs::path& replay,
                 uint64_t speed, int& noticed) {
    StandInWindow window;
    window.speed = speed;
    RollbackPlatform rollback(window);
    pelea::TForm1 form(rollback, {true, connection.agreement.seed, false});
    window.form = &form;
    form.FormCreate();
    platform::HeadlessPlatform plain;
    pelea::TForm1 notice(plain, {true, 1, false});
    notice.FormCreate();
    drawWaiting(notice, 9);
    window.notice = &notice.DXDraw1.Surface;
    platform::FramePipeline pipeline(form);
    const int code = runWindowPeer(form, window, rollback.rollbackAudio(), connection, net,
                                   replay.string(), pipeline);
    noticed = window.noticed;
    return code;
}

// The headless side sends nothing for 1.5 s: the window waits with the notice over its picture
// and plays on by itself; both record the same match.
TEST_F(WindowPeer, TheWindowWaitsOutAnOutageWithTheNotice) {
    const int port = freshPort();
    Child host(dir_ / "host", {"--headless", "--host", std::to_string(port), "--frames", "300",
                               "--seed", "12", "--outage", "1000,1500", "--record",
                               "r.pelea-replay", "--data", kData});
    NetOptions net;
    net.join.host = "127.0.0.1";
    net.join.port = port;
    Connection connection;
    ASSERT_EQ(connectPeer(net, 0, 1, connection), 0);
    const fs::path mine = dir_ / "window.pelea-replay";
    int noticed = 0;
    EXPECT_EQ(playInWindow(connection, net, mine, 3, noticed), 0);  // 300 frames in about 3 s
    EXPECT_EQ(host.wait(std::chrono::seconds(10)), 0) << host.err();
    // Shown for most of the outage, at least a picture a frame's time.
    EXPECT_GT(noticed, 20);
    EXPECT_EQ(pelea::testing::readFile(mine), pelea::testing::readFile(host.file("r.pelea-replay")));
}

// The joiner leaves with Esc at frame 200 of 600; the window host stands still with the notice
// until another joins (a second later), and they play the match out, recording it alike.
TEST_F(WindowPeer, TheWindowHostWaitsWithTheNoticeForAPlayerToJoinAgain) {
    const int port = freshPort();
    const std::string at = "127.0.0.1:" + std::to_string(port);
    {
        std::ofstream(dir_ / "leave.txt") << "0 kb\n150 joy right\n200 key esc\n";
    }
    Child first(dir_ / "first", {"--headless", "--join", at, "--frames", "600", "--input",
                                 (dir_ / "leave.txt").string(), "--data", kData});
    NetOptions net;
    net.host = true;
    net.port = port;
    Connection connection;
    ASSERT_EQ(connectPeer(net, 0, 1, connection), 0);
    std::unique_ptr<Child> again;
    std::thread comes([&] {
        first.wait(std::chrono::seconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        again = std::make_unique<Child>(dir_ / "again",
                                        std::vector<std::string>{"--headless", "--join", at,
                                                                 "--frames", "600", "--record",
                                                                 "r.pelea-replay", "--data",
                                                                 kData});
    });
    int noticed = 0;
    const fs::path mine = dir_ / "window.pelea-replay";
    EXPECT_EQ(playInWindow(connection, net, mine, 4, noticed), 0);
    comes.join();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->wait(std::chrono::seconds(10)), 0) << again->err();
    EXPECT_NEAR(number(again->err(), "frames confirmed"), 600, 0) << again->err();
    // A second of waiting at least, a picture a frame's time of it.
    EXPECT_GT(noticed, 20);
    EXPECT_EQ(pelea::testing::readFile(mine), pelea::testing::readFile(again->file("r.pelea-replay")));
}

// The window joins a match whose first joiner left at frame 200: it runs the match so far and
// plays it out from there, both sides recording the same.
TEST_F(WindowPeer, TheWindowJoinsAMatchAgainAndPlaysItOut) {
    const int port = freshPort();
    const std::string at = "127.0.0.1:" + std::to_string(port);
    {
        std::ofstream(dir_ / "h.txt") << kHostScript;
        std::ofstream(dir_ / "leave.txt") << "0 kb\n200 key 5\n250 key 2\n300 key esc\n";
    }
    Child host(dir_ / "host", {"--headless", "--host", std::to_string(port), "--frames", "900",
                               "--seed", "12", "--input", (dir_ / "h.txt").string(), "--record",
                               "r.pelea-replay", "--data", kData});
    Child first(dir_ / "first", {"--headless", "--join", at, "--frames", "900", "--input",
                                 (dir_ / "leave.txt").string(), "--data", kData});
    ASSERT_EQ(first.wait(std::chrono::seconds(20)), 0) << first.err();
    NetOptions net;
    net.join.host = "127.0.0.1";
    net.join.port = port;
    Connection connection;
    ASSERT_EQ(connectPeer(net, 0, 1, connection), 0);
    EXPECT_NEAR(connection.agreement.from, 300, 10);
    int noticed = 0;
    const fs::path mine = dir_ / "window.pelea-replay";
    EXPECT_EQ(playInWindow(connection, net, mine, 4, noticed), 0);
    EXPECT_EQ(host.wait(std::chrono::seconds(10)), 0) << host.err();
    EXPECT_EQ(number(host.err(), "frames confirmed"), 900) << host.err();
    EXPECT_EQ(pelea::testing::readFile(mine), pelea::testing::readFile(host.file("r.pelea-replay")));
}

}  // namespace
}  // namespace net
