// Cost of a match start: two sprite sheets loaded and cut into frames, plain and mirrored.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "animation/anchors.h"
#include "animation/sheets.h"
#include "game/tform1.h"
#include "media/bmp_writer.h"
#include "platform/headless/headless_platform.h"

namespace pelea_bench {

namespace sheets = pelea::sheets;

// A figure in every frame of a slot's strip, white around it: a head, a body and two legs
// about the frame's anchor, so each row has one to three opaque runs as painted fighters do.
media::Picture fighterSheet(int slot) {
    const sheets::SheetRow& row = sheets::sheet(slot);
    media::Picture p(sheets::sheetWidth(slot), row.h);
    for (int k = 1; k <= row.n; ++k) {
        const int left = sheets::frameLeft(slot, k), w = sheets::frameWidth(slot, k);
        const int a = left + pelea::anchors::meio(slot, k);
        for (int y = 0; y < row.h; ++y) {
            for (int x = left; x < left + w; ++x) {
                const int dx = x - a;
                const bool head = y < row.h / 5 && dx * dx < 100;
                const bool body = y >= row.h / 5 && y < row.h * 3 / 5 && dx * dx < 400;
                const bool legs = y >= row.h * 3 / 5 && (dx * dx - 100) * (dx * dx - 100) < 4096;
                if (head || body || legs) p.setPixel(x, y, media::rgb(x % 200, y % 200, 90 + k));
            }
        }
    }
    return p;
}

// Writes "C01.bmp" … "C12.bmp" into a folder.
void writeFighterSheets(const std::string& dir) {
    for (int slot = 1; slot <= sheets::kSlots; ++slot) {
        const std::string name = (slot < 10 ? "C0" : "C") + std::to_string(slot) + ".bmp";
        media::writeBmp((std::filesystem::path(dir) / name).string(), fighterSheet(slot));
    }
}

// Fighter 1 walks in and punches, kicks and jumps in a loop of 60 frames: a busy fight.
uint32_t fightMoves(int64_t i) {
    const int64_t k = i % 60;
    if (k < 12) return media::isRight;
    if (k == 14 || k == 22) return media::isButton1;
    if (k == 30) return media::isButton4;
    if (k == 40) return media::isUp | media::isRight;
    if (k == 48) return media::isButton3;
    return 0;
}

}  // namespace pelea_bench

namespace {

namespace fs = std::filesystem;

const std::string& sheetFolder() {
    static const std::string dir = [] {
        const fs::path d = fs::temp_directory_path() / "pelea-bench-sheets";
        fs::create_directories(d);
        pelea_bench::writeFighterSheets(d.string());
        return d.string();
    }();
    return dir;
}

// Both sheets loaded and cut into all their frames, each frame drawn once (a match draws each
// as it first comes up: that is when it is cut): the fighters swap characters every time, so
// every frame is cut anew.
void BM_MatchStartTwoSheets(benchmark::State& state) {
    const fs::path dir = sheetFolder();
    platform::HeadlessPlatform plat;
    pelea::StartOptions o;
    o.seeded = true;
    o.seed = 1;
    auto form = std::make_unique<pelea::TForm1>(plat, o);
    form->FormCreate();
    form->L(2).personagem = 2;
    const std::string c01 = (dir / "C01.bmp").string(), c02 = (dir / "C02.bmp").string();
    media::Surface surface;
    bool swapped = false;
    for (auto _ : state) {
        form->carregar(swapped ? c02 : c01, swapped ? 2 : 1, 1);
        form->carregar(swapped ? c01 : c02, swapped ? 1 : 2, 2);
        swapped = !swapped;
        for (media::ImageList* list :
             {&form->DXImageListLutador, &form->DXImageListLutadorInvert}) {
            for (int k = 0; k < list->Count(); ++k)
                list->Items(k).Draw(surface, 0, 0, 0);
        }
        benchmark::DoNotOptimize(surface.pixels());
    }
}
BENCHMARK(BM_MatchStartTwoSheets)->Unit(benchmark::kMillisecond);

}  // namespace
