// Cost of training: the snapshot pushed every frame, rewinding ten seconds, and a drawn training
// frame with every overlay on.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "game/tform1.h"
#include "media/bmp_writer.h"
#include "platform/headless/headless_platform.h"
#include "training/keys.h"
#include "training/trainer.h"

namespace pelea_bench {
void writeFighterSheets(const std::string& dir);
uint32_t fightMoves(int64_t i);
}  // namespace pelea_bench

namespace {

namespace fs = std::filesystem;
using training::Trainer;

// Sprite sheets and a stage, so the fighters and the background are really drawn.
void enterTrainingData() {
    static const bool entered = [] {
        const fs::path d = fs::temp_directory_path() / "pelea-bench-training";
        fs::create_directories(d);
        pelea_bench::writeFighterSheets(d.string());
        media::Picture stage(600, 320);
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 600; ++x)
                stage.setPixel(x, y, media::rgb(x % 256, y % 256, 90));
        }
        for (int s = 1; s <= 8; ++s)
            media::writeBmp((d / ("Cenario-0" + std::to_string(s) + ".bmp")).string(), stage);
        return chdir(d.c_str()) == 0;
    }();
    (void)entered;
}

// A training fight past its intro, character 1 against the computer's character 2.
struct TrainingFight {
    platform::HeadlessPlatform plat;
    std::unique_ptr<pelea::TForm1> form;
    std::unique_ptr<Trainer> trainer;
    int64_t frame = 0;

    explicit TrainingFight(bool overlays, bool armed = true) {
        enterTrainingData();
        pelea::StartOptions o;
        o.seeded = true;
        o.seed = 1;
        form = std::make_unique<pelea::TForm1>(plat, o);
        form->FormCreate();
        form->g.m.modoTela = pelea::tela::Selecao;
        form->L(2).personagem = 2;
        form->iniciarLuta();
        form->g.m.inicioRound = 71;
        form->g.m.lutaParada = 0;
        trainer = std::make_unique<Trainer>(*form, armed);
        trainer->keyDown(training::keys::DummyMode);  // the dummy crouches: hits and whiffs
        if (!overlays) return;
        for (const int key :
             {training::keys::Areas, training::keys::Inputs, training::keys::FrameData})
            trainer->keyDown(key);
    }
    void tick() {
        plat.setStates(pelea_bench::fightMoves(frame++), 0);
        trainer->tick();
    }
};

void BM_TrainingSnapshotPush(benchmark::State& state) {
    TrainingFight fight(false);
    for (int i = 0; i < 100; ++i)
        fight.tick();
    training::Ring<training::Snapshot> ring(Trainer::kRewindFrames);
    const training::Snapshot snapshot{fight.form->g, fight.trainer->observed(), {}};
    for (auto _ : state) {
        ring.push() = snapshot;
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = sizeof(training::Snapshot);
}
BENCHMARK(BM_TrainingSnapshotPush);

// Ten seconds of fight into the ring, untimed.
void fillRing(benchmark::State& state, TrainingFight& fight) {
    state.PauseTiming();
    for (size_t i = 0; i < Trainer::kRewindFrames; ++i)
        fight.tick();
    state.ResumeTiming();
}

// Holding the rewind key: one frame back per tick, each drawn again from its snapshot.
void BM_TrainingRewind300Held(benchmark::State& state) {
    TrainingFight fight(true);
    for (auto _ : state) {
        fillRing(state, fight);
        for (size_t i = 0; i < Trainer::kRewindFrames; ++i) {
            fight.trainer->keyDown(training::keys::Rewind);
            fight.trainer->tick();
        }
    }
}
BENCHMARK(BM_TrainingRewind300Held)->Unit(benchmark::kMillisecond)->Iterations(20);

// All 300 frames back at once: the state restored 300 times, one picture drawn.
void BM_TrainingRewind300AtOnce(benchmark::State& state) {
    TrainingFight fight(true);
    for (auto _ : state) {
        fillRing(state, fight);
        for (size_t i = 0; i < Trainer::kRewindFrames; ++i)
            fight.trainer->keyDown(training::keys::Rewind);
        fight.trainer->tick();
    }
}
BENCHMARK(BM_TrainingRewind300AtOnce)->Unit(benchmark::kMicrosecond)->Iterations(20);

void trainingFrame(benchmark::State& state, bool overlays, bool armed = true) {
    TrainingFight fight(overlays, armed);
    for (auto _ : state)
        fight.tick();
}

// A drawn training frame: the frame foreseen twice blind, the snapshot, the frame itself and,
// here, the boxes, both input columns, the frame data, the status and the key help.
void BM_TrainingFightFrameAllOverlays(benchmark::State& state) {
    trainingFrame(state, true);
}
BENCHMARK(BM_TrainingFightFrameAllOverlays)->Unit(benchmark::kMicrosecond);

void BM_TrainingFightFrameNoOverlays(benchmark::State& state) {
    trainingFrame(state, false);
}
BENCHMARK(BM_TrainingFightFrameNoOverlays)->Unit(benchmark::kMicrosecond);

// The same fight and script as an ordinary fight: what training adds is the difference.
void BM_TrainingOffFightFrame(benchmark::State& state) {
    trainingFrame(state, false, false);
}
BENCHMARK(BM_TrainingOffFightFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
