// What replays cost: a snapshot of the state, its hash, and a drawn fight frame with the
// window's recording on and off; then the writing of a long session's replay.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/tform1.h"
#include "media/bmp_writer.h"
#include "platform/headless/headless_platform.h"
#include "replay/files.h"
#include "replay/recorder.h"
#include "replay/state_hash.h"
#include "replay/window_session.h"

// Writes the fighters' sprite sheets into a folder (fighter_bench.cpp).
namespace pelea_bench {
void writeFighterSheets(const std::string& dir);
}

namespace {

namespace fs = std::filesystem;

// A folder with the sprite sheets and a stage, so a fight draws its fighters on a picture.
const fs::path& fightFolder() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / "pelea-bench-replay";
        fs::create_directories(d);
        pelea_bench::writeFighterSheets(d.string());
        media::Picture stage(600, 320);
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 600; ++x)
                stage.setPixel(x, y, media::rgb(x % 256, y % 256, 90));
        }
        for (int s = 1; s <= 8; ++s)
            media::writeBmp((d / ("Cenario-0" + std::to_string(s) + ".bmp")).string(), stage);
        return d;
    }();
    return dir;
}

// A fight under way, started in the folder above (the working folder is given back after).
struct Fight {
    platform::HeadlessPlatform plat;
    std::unique_ptr<pelea::TForm1> form;
    pelea::GameState start;
    Fight() {
        const fs::path back = fs::current_path();
        fs::current_path(fightFolder());
        form = std::make_unique<pelea::TForm1>(plat, pelea::StartOptions{true, 1, false});
        form->FormCreate();
        form->g.m.modoTela = pelea::tela::Selecao;
        form->L(2).personagem = 2;
        form->iniciarLuta();
        form->g.m.inicioRound = 71;
        form->g.m.lutaParada = 0;
        constexpr int kIntoTheFight = 60;
        for (int i = 0; i < kIntoTheFight; ++i)
            form->DXTimer1Timer();
        start = form->g;
        fs::current_path(back);
    }
};

void BM_StateSnapshotCopy(benchmark::State& state) {
    Fight f;
    pelea::GameState copy;
    for (auto _ : state) {
        copy = f.form->g;
        benchmark::DoNotOptimize(&copy);
        benchmark::ClobberMemory();
    }
    state.counters["sizeof(GameState)"] = sizeof(pelea::GameState);
}
BENCHMARK(BM_StateSnapshotCopy);

void BM_StateHash(benchmark::State& state) {
    Fight f;
    for (auto _ : state)
        benchmark::DoNotOptimize(replay::stateHash(f.form->g));
    state.counters["hashed bytes"] = static_cast<double>(replay::hashedStateBytes());
}
BENCHMARK(BM_StateHash);

// A data file's hash: the bytes a second the window hashes its data set at start.
void BM_DataFileHash(benchmark::State& state) {
    const std::vector<unsigned char> bytes(size_t{1} << 20, 0x5a);
    for (auto _ : state)
        benchmark::DoNotOptimize(replay::bytesHash(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DataFileHash);

// The same fight frame again and again, drawn, with the window's recording on or off: the
// session's recorder and the match archive watch every frame.
void fightFrame(benchmark::State& state, bool recording) {
    Fight f;
    replay::Header session;
    replay::WindowRecording rec(session, "",
                                (fs::temp_directory_path() / "pelea-bench-replays").string());
    for (auto _ : state) {
        f.form->g = f.start;
        f.form->DXTimer1Timer();
        if (recording) rec.frameDone(*f.form);
    }
}

void BM_FightFrameDrawnRecordingOff(benchmark::State& state) {
    fightFrame(state, false);
}
BENCHMARK(BM_FightFrameDrawnRecordingOff)->Unit(benchmark::kMicrosecond);

void BM_FightFrameDrawnRecordingOn(benchmark::State& state) {
    fightFrame(state, true);
}
BENCHMARK(BM_FightFrameDrawnRecordingOn)->Unit(benchmark::kMicrosecond);

// What a match's end costs the window when the session has run an hour at the default speed:
// the replay's text made, then written and renamed into place.
void BM_HourLongReplayWritten(benchmark::State& state) {
    constexpr int kHourOfFrames = 3600 * 1000 / 28;
    replay::Recorder recorder;
    pelea::GameState g;
    for (int i = 0; i < kHourOfFrames; ++i) {
        if (i % 40 == 0) recorder.states(static_cast<uint32_t>(i / 40 % 16), 0);
        g.m.pisca = static_cast<uint8_t>(i);
        recorder.frameDone(g);
    }
    const std::string path = (fs::temp_directory_path() / "pelea-bench.pelea-replay").string();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = recorder.text(replay::Header{}, recorder.frames(), false);
        std::string problem;
        benchmark::DoNotOptimize(replay::writeFileAtomically(path, text, problem));
        bytes = text.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    fs::remove(path);
}
BENCHMARK(BM_HourLongReplayWritten)->Unit(benchmark::kMillisecond);

// Eight hours of frames recorded, with --record (all of it held) or without (only what a match
// under way needs): the slowest single frame, which a recording that moves what it holds as it
// grows would make a hitch of, and what is held at the end.
void eightHoursRecorded(benchmark::State& state, bool forgetting) {
    constexpr int kEightHours = 8 * 3600 * 1000 / 28;
    double worst = 0, held = 0;
    for (auto _ : state) {
        replay::Recorder recorder;
        pelea::GameState g;
        double slowest = 0;
        for (int i = 0; i < kEightHours; ++i) {
            g.m.pisca = static_cast<uint8_t>(i);
            const auto t0 = std::chrono::steady_clock::now();
            recorder.frameDone(g);
            if (forgetting) recorder.forgetBefore(recorder.frames());
            const std::chrono::duration<double, std::micro> took =
                std::chrono::steady_clock::now() - t0;
            slowest = std::max(slowest, took.count());
        }
        worst = slowest;
        held = static_cast<double>(recorder.heldEntries());
    }
    state.counters["worst frame us"] = worst;
    state.counters["entries held"] = held;
}

void BM_EightHoursRecordedWhole(benchmark::State& state) {
    eightHoursRecorded(state, false);
}
BENCHMARK(BM_EightHoursRecordedWhole)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_EightHoursRecordedMatchesOnly(benchmark::State& state) {
    eightHoursRecorded(state, true);
}
BENCHMARK(BM_EightHoursRecordedMatchesOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
