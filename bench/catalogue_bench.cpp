// Start-up cost of the built-in catalogue: every picture painted and every sound synthesised,
// encoded and read back.
#include <benchmark/benchmark.h>

#include "media/catalogue.h"

namespace {

struct SilentOut : media::AudioOut {
    int upload(const media::SoundData&) override { return 0; }
    void play(int, bool) override {}
    void stop(int) override {}
    void reset() override {}
};

void BM_Catalogue(benchmark::State& state) {
    SilentOut out;
    media::DXSound sound(out);
    for (auto _ : state) {
        media::ImageList efectos, icone;
        media::WaveList snd("Snd", sound), vitoria("Vitoria", sound);
        media::criarCatalogo(efectos, icone, snd, vitoria);
        benchmark::DoNotOptimize(efectos.Items(0).picture().row(0));
    }
}
BENCHMARK(BM_Catalogue)->Unit(benchmark::kMillisecond);

}  // namespace
