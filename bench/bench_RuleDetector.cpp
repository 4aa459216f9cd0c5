// Ruling-line detection on a screen-sized ruled table, and the aligned-text builder on
// a few hundred synthetic words.

#include "VozudOzev/TextGrid/AlignedTextTable.hpp"
#include "VozudOzev/TextGrid/RuleDetector.hpp"

#include <benchmark/benchmark.h>

using namespace VozudOzev;

namespace {

Image ruledPage(int W, int H)
{
    Image image(W, H);
    auto line = [&](int x, int y, int w, int h) {
        for (int yy = y; yy < y + h && yy < H; ++yy)
            for (int xx = x; xx < x + w && xx < W; ++xx) {
                std::uint8_t* p = image.pixel(xx, yy);
                p[0] = p[1] = p[2] = 60;
            }
    };
    for (int y = 20; y < H; y += 40)
        line(10, y, W - 20, 1);
    for (int x = 10; x < W; x += 160)
        line(x, 20, 1, H - 40);
    return image;
}

void detect(benchmark::State& state)
{
    const int W = static_cast<int>(state.range(0));
    const int H = static_cast<int>(state.range(1));
    const Image image = ruledPage(W, H);
    const BBox extent{20, 30, W - 40.0, H - 60.0};
    for (auto _ : state)
        benchmark::DoNotOptimize(RuleDetector().detect(image, extent, 0.6));
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(detect)->Args({1200, 800})->Args({2880, 1800})->Unit(benchmark::kMillisecond);

void alignedText(benchmark::State& state)
{
    std::vector<OCRLine> lines;
    for (int r = 0; r < state.range(0); ++r)
        for (int c = 0; c < 6; ++c) {
            const double x = 10 + 120.0 * c, y = 10 + 18.0 * r;
            lines.push_back({"cell", {x, y, 40, 12}, 0.9, {{"cell", {x, y, 40, 12}, 0.9}}});
        }
    for (auto _ : state)
        benchmark::DoNotOptimize(AlignedTextTable().build(lines));
}
BENCHMARK(alignedText)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
