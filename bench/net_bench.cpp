// Cost of a rollback: the state of 8 frames ago restored and the 8 frames run again, blind, through
// the session and the rollback sound layer, when the other side's late input differs from the
// guess; over a long run of fights, so the worst case includes rollbacks across match starts.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assetgen/assetgen.h"
#include "game/tform1.h"
#include "net/link.h"
#include "net/rollback_audio.h"
#include "net/session.h"
#include "net/wire.h"
#include "platform/headless/headless_platform.h"

namespace pelea_bench {
void writeFighterSheets(const std::string& dir);
uint32_t fightMoves(int64_t i);
}  // namespace pelea_bench

namespace {

namespace fs = std::filesystem;

// This thread's processor time in µs: a busy machine's other programs do not count.
double threadCpuUs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

void enterNetData() {
    static const bool entered = [] {
        const fs::path d = fs::temp_directory_path() / "pelea-bench-net";
        fs::create_directories(d);
        pelea_bench::writeFighterSheets(d.string());
        // The stages and the tracks a match start loads too (made once; they take a while).
        if (!fs::exists(d / "Musica-03.wav")) {
            assetgen::writeStages(d.string());
            assetgen::writeMusic(d.string());
        }
        return chdir(d.c_str()) == 0;
    }();
    (void)entered;
}

// A mixer that keeps every sound it is given, as the window's does: it holds the samples (shared
// with the item they came from) until it is reset.
struct CopyingMixer : media::AudioOut {
    std::vector<media::Samples> sounds;
    int upload(const media::SoundData& data) override {
        sounds.push_back(data.samples);
        return static_cast<int>(sounds.size()) - 1;
    }
    void play(int, bool) override {}
    void stop(int) override {}
    void reset() override { sounds.clear(); }
};
struct MixerPlatform : platform::HeadlessPlatform {
    CopyingMixer mixer;
    media::AudioOut& audio() override { return mixer; }
};

// A person-against-person fight past its intro, as the host's window sees it (its sounds go
// through the rollback sound layer to a mixer); the joiner is played by hand through the other
// end of an in-memory link.
struct NetFight {
    MixerPlatform inner;
    net::RollbackPlatform plat{inner};
    std::unique_ptr<pelea::TForm1> form;
    std::unique_ptr<net::MemoryLink> mine, theirs;
    std::unique_ptr<net::Session> session;

    NetFight() {
        enterNetData();
        form = std::make_unique<pelea::TForm1>(plat, pelea::StartOptions{true, 1, false});
        form->FormCreate();
        form->setBlindMute(true);
        form->g.m.modoTela = pelea::tela::Selecao;
        form->L(2).personagem = 2;
        form->L(2).humano = 1;
        form->iniciarLuta();
        form->g.m.inicioRound = 71;
        form->g.m.lutaParada = 0;
        auto [a, b] = net::makeMemoryPair();
        mine = std::move(a);
        theirs = std::move(b);
        session = std::make_unique<net::Session>(*form, *mine, 1, 1);
        session->setAudio(&plat.rollbackAudio());
        for (int i = 0; i < 200; ++i) {
            giveTheirs(session->frame(), 1);
            session->tick(input(session->localFrame()));
        }
    }
    static net::FrameInput input(int64_t f) {
        net::FrameInput in;
        in.states = static_cast<uint8_t>(pelea_bench::fightMoves(f) & ~media::isButton2);
        return in;
    }
    // The joiner's inputs for frames first … first + count − 1, all arriving at once.
    void giveTheirs(int64_t first, int count) {
        net::Inputs m;
        m.first = static_cast<uint32_t>(first);
        for (int i = 0; i < count; ++i) {
            net::FrameInput in;
            in.states =
                static_cast<uint8_t>(pelea_bench::fightMoves(first + i + 25) & ~media::isButton2);
            m.inputs.push_back(in);
        }
        m.ack = static_cast<int32_t>(first);
        m.frame = static_cast<uint32_t>(first);
        theirs->send(net::Channel::Inputs, net::encode(m));
        std::vector<uint8_t> drained;
        while (theirs->receive(drained)) {
        }
    }
};

// Each round: 8 frames run on a guess (untimed), then the joiner's real inputs for them arrive,
// the first one different from the guess: the timed turn restores and runs the 8 again.
void BM_NetRollback8Frames(benchmark::State& state) {
    NetFight fight;
    int64_t rolled = 0;
    double worst = 0;  // the slowest single rollback, in µs
    // The same in processor time, over all rollbacks and over those that ran a match start again.
    double worstCpu = 0, worstCpuAtMatchStart = 0;
    int64_t matchStarts = 0;
    // Rollbacks over the 1 ms budget, and those of them that ran a match start again (the
    // select screen, or a round that has just begun), which cuts both sprite sheets anew.
    int64_t overBudget = 0, overAtMatchStart = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int64_t from = fight.session->frame();
        for (int i = 0; i < net::kWindow; ++i)
            fight.session->tick(NetFight::input(fight.session->localFrame()));
        net::Inputs m;
        m.first = static_cast<uint32_t>(from);
        for (int i = 0; i < net::kWindow; ++i) {
            net::FrameInput in;
            // The guess holds the last known set, which has button 2 up: the first frame has it
            // down, so all 8 are run again.
            in.states = static_cast<uint8_t>(pelea_bench::fightMoves(from + i + 25) |
                                             (i % 2 == 0 ? uint8_t{media::isButton2} : uint8_t{0}));
            m.inputs.push_back(in);
        }
        m.ack = static_cast<int32_t>(fight.session->localFrame() - 1);
        m.frame = static_cast<uint32_t>(from + net::kWindow);
        fight.theirs->send(net::Channel::Inputs, net::encode(m));
        const int64_t before = fight.session->stats().rolledFrames;
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        const double c0 = threadCpuUs();
        fight.session->idle();
        const double cpu = threadCpuUs() - c0;
        const auto t1 = std::chrono::steady_clock::now();
        state.PauseTiming();
        const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
        worst = std::max(worst, us);
        worstCpu = std::max(worstCpu, cpu);
        // The frames run again reached back to the select screen or the round's first frames.
        const bool matchStart = fight.form->g.m.modoTela != pelea::tela::Luta ||
                                fight.form->g.m.inicioRound <= net::kWindow + 1;
        if (matchStart) {
            ++matchStarts;
            worstCpuAtMatchStart = std::max(worstCpuAtMatchStart, cpu);
        }
        if (us > 1000) {
            ++overBudget;
            if (matchStart) ++overAtMatchStart;
        }
        rolled = fight.session->stats().rolledFrames - before;
        std::vector<uint8_t> drained;
        while (fight.theirs->receive(drained)) {
        }
        state.ResumeTiming();
    }
    state.counters["frames_rolled_back"] = static_cast<double>(rolled);
    state.counters["worst_us"] = worst;
    state.counters["worst_cpu_us"] = worstCpu;
    state.counters["worst_cpu_us_match_start"] = worstCpuAtMatchStart;
    state.counters["match_start_rollbacks"] = static_cast<double>(matchStarts);
    state.counters["over_1ms"] = static_cast<double>(overBudget);
    state.counters["over_1ms_match_start"] = static_cast<double>(overAtMatchStart);
    state.counters["fight"] = fight.form->g.m.modoTela == pelea::tela::Luta ? 1 : 0;
}
BENCHMARK(BM_NetRollback8Frames)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });

}  // namespace
