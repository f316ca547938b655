// The window's spectator, on a stand-in window with a real clock, watching two real headless
// programs play: it shows the match at the game's speed with its label on every picture, catches
// up blind when the players run ahead, and ends with their match holding the host's replay.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "media/color.h"
#include "net/connection.h"
#include "net/spectator.h"
#include "net_children.h"
#include "platform/headless/headless_platform.h"

namespace net {
namespace {

namespace fs = std::filesystem;
using namespace net::programs;
using namespace std::chrono_literals;

struct StandInWindow : platform::HeadlessPlatform {
    int presents = 0, labelled = 0;
    uint64_t nowMs() override { return steadyMs(); }
    // A key that changes nothing for a spectator, pressed all along: it only cuts the end
    // message short.
    void pollEvents(std::vector<int>& keys, bool& quit) override {
        keys.push_back('A');
        quit = false;
    }
    void sleepMs(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    // A picture counts as labelled when the status band holds lit text.
    void present(const media::Surface& s, int) override {
        ++presents;
        const uint16_t band = media::to565(media::rgb(16, 16, 24));
        int lit = 0;
        for (int x = 150; x < 250; ++x)
            lit += s.at(x, 271) != band ? 1 : 0;
        labelled += s.at(0, 266) == band && lit > 5 ? 1 : 0;
    }
};

TEST(SpectatorWindow, ShowsTheMatchLabelledAndCatchesUpBlind) {
    const fs::path dir =
        fs::path(testing::TempDir()) / ("pelea_spectate_win-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path start = fs::current_path();
    fs::current_path(kData);  // the data files are hashed in the working folder
    std::ofstream(dir / "h.txt") << kHostScript;
    std::ofstream(dir / "j.txt") << kJoinScript;
    const std::string port = std::to_string(freshPort());
    // Headless players run some ten times the game's speed: the window falls behind.
    Child host(dir / "host", {"--headless", "--host", port, "--frames", "900", "--seed", "21",
                              "--input", (dir / "h.txt").string(), "--record", "r.pelea-replay",
                              "--netsim", "20,0,0", "--data", kData});
    NetOptions net;
    net.join.host = "127.0.0.1";
    net.join.port = std::stoi(port);
    Connection connection;
    ASSERT_EQ(connectSpectator(net, connection), 0);
    Child joiner(dir / "join",
                 {"--headless", "--join", "127.0.0.1:" + port, "--frames", "900", "--input",
                  (dir / "j.txt").string(), "--netsim", "20,0,0", "--data", kData});
    StandInWindow window;
    {
        pelea::TForm1 form(window, {true, connection.agreement.seed, false});
        form.FormCreate();
        const fs::path mine = dir / "watched.pelea-replay";
        EXPECT_EQ(runWindowSpectator(form, window, connection, net, mine.string()), 0);
        EXPECT_EQ(host.wait(10s), 0) << host.err();
        EXPECT_EQ(joiner.wait(10s), 0) << joiner.err();
        EXPECT_EQ(readFile(mine), readFile(host.file("r.pelea-replay")));
    }
    // Every picture shown is labelled; far fewer than the frames, the rest ran blind.
    EXPECT_GT(window.presents, 20);
    EXPECT_LT(window.presents, 600);
    EXPECT_EQ(window.labelled, window.presents);
    fs::current_path(start);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace net
