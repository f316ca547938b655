// What a spectator who comes an hour into a match pays to catch up: the hour's confirmed frames
// cut into feed packets, encoded, decoded, taken into its log and run blind and mute on its game.
// And a player joining again an hour in: the same frames run in its session, each kept, logged
// and hashed as a confirmed frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/tform1.h"
#include "media/input.h"
#include "net/link.h"
#include "net/rejoin.h"
#include "net/session.h"
#include "net/spectate_feed.h"
#include "net/spectator.h"
#include "platform/headless/headless_platform.h"

namespace pelea_bench {
void writeFighterSheets(const std::string& dir);
uint32_t fightMoves(int64_t i);
}  // namespace pelea_bench

namespace {

namespace fs = std::filesystem;

constexpr int64_t kHour = 36 * 3600;  // frames at the default speed

void enterSpectatorData() {
    static const bool entered = [] {
        const fs::path d = fs::temp_directory_path() / "pelea-bench-spectator";
        fs::create_directories(d);
        pelea_bench::writeFighterSheets(d.string());
        return chdir(d.c_str()) == 0;
    }();
    (void)entered;
}

// Fighter 1 passes the title, picks and fights the computer, on and on.
net::SessionLog anHour() {
    net::SessionLog log;
    for (int64_t f = 0; f < kHour; ++f) {
        net::FrameInput one, two;
        one.states = f == 10 || f == 80 ? uint8_t{media::isButton1}
                                        : static_cast<uint8_t>(pelea_bench::fightMoves(f));
        log.add(one, two, true, nullptr);
    }
    return log;
}

// The hour cut into feed packets and sent as the host sends them; the packets sent.
int64_t feedTheHour(const net::SessionLog& log, net::Link& host) {
    int64_t packets = 0;
    for (int64_t f = 0; f < kHour; ++packets) {
        const net::Feed m = net::feedOf(log, f, kHour);
        host.send(net::Channel::Control, net::encode(m));
        f += static_cast<int64_t>(m.count());
    }
    return packets;
}

// A game that catches up: started, blind and mute.
struct BlindGame {
    platform::HeadlessPlatform plat;
    pelea::TForm1 form{plat, pelea::StartOptions{true, 5, false}};
    BlindGame() {
        form.FormCreate();
        form.setBlindMute(true);
    }
};

void BM_SpectatorCatchesUpAnHour(benchmark::State& state) {
    enterSpectatorData();
    const net::SessionLog log = anHour();
    int64_t packets = 0;
    double blindMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BlindGame game;
        pelea::TForm1& form = game.form;
        auto [host, spectator] = net::makeMemoryPair();
        net::Watcher watcher(form, *spectator);
        state.ResumeTiming();
        packets = feedTheHour(log, *host);
        watcher.receive();
        const auto t0 = std::chrono::steady_clock::now();
        while (watcher.shown() < watcher.held())
            watcher.run(false);
        blindMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                      .count();
        benchmark::DoNotOptimize(form.g);
    }
    state.counters["frames"] = static_cast<double>(kHour);
    state.counters["packets"] = static_cast<double>(packets);
    state.counters["blind_ms"] = blindMs;
    state.counters["us_per_blind_frame"] = blindMs * 1000.0 / static_cast<double>(kHour);
}
BENCHMARK(BM_SpectatorCatchesUpAnHour)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

void BM_RejoinerCatchesUpAnHour(benchmark::State& state) {
    enterSpectatorData();
    const net::SessionLog log = anHour();
    for (auto _ : state) {
        state.PauseTiming();
        BlindGame game;
        pelea::TForm1& form = game.form;
        auto [host, joiner] = net::makeMemoryPair();
        net::Session session(form, *joiner, 2, net::kDefaultDelay);
        state.ResumeTiming();
        feedTheHour(log, *host);
        std::string error;
        if (!net::catchUp(session, *joiner, kHour, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(form.g);
    }
    state.counters["frames"] = static_cast<double>(kHour);
}
BENCHMARK(BM_RejoinerCatchesUpAnHour)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
