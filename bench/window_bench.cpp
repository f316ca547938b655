// Cost of turning a finished frame into the window's pixels: the RGB565 surface converted
// through the lookup table into 32-bit pixels, scaled by a whole factor (1: the renderer scales;
// 3: full screen on 1920×1080 done by us), and the check that skips a frame like the last.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "media/surface.h"
#include "platform/sdl/window_picture.h"

namespace {

constexpr platform::ChannelMasks kXrgb{0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};

// A frame with as many different colours as a fight frame has, spread over the table.
media::Surface aBusyFrame() {
    media::Surface s;
    for (int y = 0; y < media::Surface::kHeight; ++y)
        for (int x = 0; x < media::Surface::kWidth; ++x)
            s.pixels()[y * media::Surface::kWidth + x] = static_cast<uint16_t>(x * 97 + y * 2011);
    return s;
}

void BM_ConvertScaled(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const platform::PixelTable table(kXrgb);
    const media::Surface s = aBusyFrame();
    const int width = media::Surface::kWidth * scale;
    std::vector<uint32_t> out(static_cast<size_t>(width) * media::Surface::kHeight * scale);
    for (auto _ : state) {
        platform::convertScaled(s.pixels(), table, scale, out.data(),
                                width * static_cast<int>(sizeof(uint32_t)));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ConvertScaled)->Arg(1)->Arg(2)->Arg(3)->Arg(4);

void BM_SameFrameCheck(benchmark::State& state) {
    const media::Surface s = aBusyFrame();
    platform::ShownFrame shown;
    shown.update(s, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(shown.update(s, 0));
}
BENCHMARK(BM_SameFrameCheck);

void BM_BuildPixelTable(benchmark::State& state) {
    for (auto _ : state) {
        const platform::PixelTable table(kXrgb);
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_BuildPixelTable);

}  // namespace
