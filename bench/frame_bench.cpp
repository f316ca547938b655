// Frame cost of the screens and the cost of start-up, on the headless platform.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "game/tform1.h"
#include "media/bmp_writer.h"
#include "platform/headless/headless_platform.h"

// Writes the first two fighters' sprite sheets into a folder (fighter_bench.cpp).
namespace pelea_bench {
void writeFighterSheets(const std::string& dir);
}

namespace {

using pelea::TForm1;
namespace fs = std::filesystem;

// A folder with 36 portraits, a stage and two sprite sheets, so start-up and the screens have
// real pictures and the fight draws two fighters.
const std::string& dataFolder() {
    static const std::string dir = [] {
        const fs::path d = fs::temp_directory_path() / "pelea-bench-data";
        fs::create_directories(d);
        for (int c = 1; c <= 12; ++c) {
            const std::string num = (c < 10 ? "0" : "") + std::to_string(c);
            media::Picture small(50, 60, media::rgb(20 * c, 90, 200 - 10 * c));
            media::Picture large(96, 104, media::rgb(200 - 10 * c, 60, 20 * c));
            for (int y = 0; y < 10; ++y) {
                for (int x = 0; x < 50; ++x)
                    small.setPixel(x, y, media::kWhite);  // keyed corner
            }
            media::writeBmp((d / ("R" + num + "-a.bmp")).string(), small);
            media::writeBmp((d / ("R" + num + "-b.bmp")).string(), large);
        }
        media::Picture stage(600, 320);
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 600; ++x)
                stage.setPixel(x, y, media::rgb(x % 256, y % 256, 90));
        }
        for (int s = 1; s <= 8; ++s) {
            media::writeBmp((d / ("Cenario-0" + std::to_string(s) + ".bmp")).string(), stage);
        }
        pelea_bench::writeFighterSheets(d.string());
        return d.string();
    }();
    return dir;
}

struct Session {
    platform::HeadlessPlatform plat;
    std::unique_ptr<TForm1> form;
    explicit Session(bool blind = false) {
        pelea::StartOptions o;
        o.seeded = true;
        o.seed = 1;
        form = std::make_unique<TForm1>(plat, o);
        form->FormCreate();
        form->setBlindMute(blind);
    }
    void toSelectChoosing() {
        form->g.m.modoTela = pelea::tela::Selecao;
        while (form->g.m.faseSelecao != 2)
            form->DXTimer1Timer();
        form->L(2).humano = 1;  // both sides choosing: names, portraits and cursors on screen
        form->L(2).escolhido = 0;
    }
    void toFight() {
        form->g.m.modoTela = pelea::tela::Selecao;
        form->L(2).personagem = 2;
        form->iniciarLuta();
        form->DXTimer1Timer();
    }
};

void enterData() {
    static const bool entered = [] { return chdir(dataFolder().c_str()) == 0; }();
    (void)entered;
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
    enterData();
    for (auto _ : state) {
        Session s;
        s.form->DXTimer1Timer();
        benchmark::DoNotOptimize(s.form->DXDraw1.Surface.pixels());
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_SelectScreenFrame(benchmark::State& state) {
    enterData();
    Session s;
    s.toSelectChoosing();
    for (auto _ : state) {
        s.form->g.m.tempo = 20;  // the countdown never runs out
        s.form->DXTimer1Timer();
    }
}
BENCHMARK(BM_SelectScreenFrame)->Unit(benchmark::kMicrosecond);

void fightFrame(benchmark::State& state, bool blind) {
    enterData();
    Session s(blind);
    s.toFight();
    for (auto _ : state)
        s.form->DXTimer1Timer();
}

void BM_EmptyFightFrameDrawn(benchmark::State& state) {
    fightFrame(state, false);
}
BENCHMARK(BM_EmptyFightFrameDrawn)->Unit(benchmark::kMicrosecond);

void BM_EmptyFightFrameBlind(benchmark::State& state) {
    fightFrame(state, true);
}
BENCHMARK(BM_EmptyFightFrameBlind)->Unit(benchmark::kMicrosecond);

// Both fighters in their supers at once, the screen full of effects: the bull's stampede sets
// the air on fire ahead of it while the skater's swarm of bats flies at it. The same busy frame
// is run again and again from a saved state.
void superFrame(benchmark::State& state, bool blind) {
    enterData();
    Session s(blind);
    s.form->g.m.modoTela = pelea::tela::Selecao;
    s.form->L(1).personagem = 4;
    s.form->L(2).personagem = 8;
    s.form->iniciarLuta();
    s.form->g.m.inicioRound = 71;
    s.form->g.m.lutaParada = 0;
    s.form->L(1).humano = s.form->L(2).humano = 1;
    s.form->L(1).x = 230;
    s.form->L(2).x = 370;
    for (int n = 1; n <= 2; ++n) {
        s.form->L(n).estoque = 1;
        s.form->acao(n, 24);
    }
    s.form->g.m.pausaEspecial = 0;
    constexpr int kIntoTheSupers = 10;
    for (int i = 0; i < kIntoTheSupers; ++i)
        s.form->DXTimer1Timer();
    const pelea::GameState busy = s.form->g;
    int live = 0;
    for (size_t i = 1; i <= pelea::kEffectSlots; ++i)
        live += busy.efeitos[i].tipo != 0;
    for (auto _ : state) {
        s.form->g = busy;
        s.form->DXTimer1Timer();
    }
    state.counters["effects"] = live;
}

void BM_FightFrameTwoSupersDrawn(benchmark::State& state) {
    superFrame(state, false);
}
BENCHMARK(BM_FightFrameTwoSupersDrawn)->Unit(benchmark::kMicrosecond);

void BM_FightFrameTwoSupersBlind(benchmark::State& state) {
    superFrame(state, true);
}
BENCHMARK(BM_FightFrameTwoSupersBlind)->Unit(benchmark::kMicrosecond);

}  // namespace
