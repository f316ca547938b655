// Cost of the drawing operations a fight frame leans on.
#include <benchmark/benchmark.h>

#include "media/canvas.h"
#include "media/image_list.h"
#include "media/text.h"

namespace {

using media::ImageItem;
using media::Picture;
using media::rgb;
using media::Surface;

ImageItem makeItem(int w, int h, bool keyed) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // A keyed sprite: an ellipse-ish body with white around it.
            const int dx = 2 * x - w, dy = 2 * y - h;
            const bool body = !keyed || dx * dx * h * h + dy * dy * w * w < w * w * h * h;
            p.setPixel(x, y, body ? rgb(x * 3, y * 2, 90) : media::kWhite);
        }
    }
    ImageItem item;
    item.setPicture(std::move(p));
    item.Transparent = keyed;
    item.Restore();
    return item;
}

void BM_DrawStage600x320(benchmark::State& state) {
    const ImageItem stage = makeItem(600, 320, false);
    Surface s;
    for (auto _ : state) {
        stage.Draw(s, -100, -10, 0);
        benchmark::DoNotOptimize(s.pixels());
    }
}
BENCHMARK(BM_DrawStage600x320);

void BM_DrawKeyedSprite70x100(benchmark::State& state) {
    const ImageItem sprite = makeItem(70, 100, true);
    Surface s;
    for (auto _ : state) {
        sprite.Draw(s, 150, 150, 0);
        benchmark::DoNotOptimize(s.pixels());
    }
}
BENCHMARK(BM_DrawKeyedSprite70x100);

void BM_DrawBlendedShadow70x14(benchmark::State& state) {
    const ImageItem shadow = makeItem(70, 14, true);
    Surface s;
    s.fill(rgb(120, 160, 40));
    for (auto _ : state) {
        shadow.DrawBlended(s, media::Rect{150, 280, 220, 294}, 0, 60);
        benchmark::DoNotOptimize(s.pixels());
    }
}
BENCHMARK(BM_DrawBlendedShadow70x14);

void BM_CachedText12(benchmark::State& state) {
    media::TextRenderer text;
    Surface s;
    text.draw(s, 100, 100, "Configuracion", 12, media::kWhite);
    for (auto _ : state) {
        text.draw(s, 100, 100, "Configuracion", 12, media::kWhite);
        benchmark::DoNotOptimize(s.pixels());
    }
}
BENCHMARK(BM_CachedText12);

void BM_FillRect400x300(benchmark::State& state) {
    media::TextRenderer text;
    Surface s;
    media::Canvas canvas(s, text);
    canvas.setBrushColor(rgb(0, 0, 0));
    for (auto _ : state) {
        canvas.FillRect(media::Rect{0, 0, 400, 300});
        benchmark::DoNotOptimize(s.pixels());
    }
}
BENCHMARK(BM_FillRect400x300);

}  // namespace

BENCHMARK_MAIN();
