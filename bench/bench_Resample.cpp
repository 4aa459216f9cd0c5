// The reference resizers on a 3840 x 2160 page, to the layout model's 640 x 640 and to a
// height of 1024, beside OpenCV's own resize of the same sizes. Everything runs on one
// thread (OpenCV's pool is switched off) so the columns compare like with like.
#include "VozudOzev/Structure/Resample.hpp"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdint>

using namespace VozudOzev;

namespace {

constexpr int pageWidth = 3840;
constexpr int pageHeight = 2160;

// Text-like content: dark strokes on white with some noise, so no resizer gets a flat page.
const RGBImage& page()
{
    static const RGBImage img = [] {
        RGBImage p;
        p.width = pageWidth;
        p.height = pageHeight;
        p.rgb.resize(static_cast<size_t>(pageWidth) * pageHeight * 3);
        std::uint32_t s = 1;
        for (int y = 0; y < pageHeight; ++y)
            for (int x = 0; x < pageWidth; ++x) {
                s = s * 1103515245u + 12345u;
                const bool ink = (y % 40 < 3) || (x % 97 < 2) || ((x / 7 + y / 11) % 13 == 0);
                const std::uint8_t v = ink ? static_cast<std::uint8_t>(30 + (s >> 28)) : static_cast<std::uint8_t>(240 + (s >> 28));
                std::uint8_t* px = p.pixel(x, y);
                px[0] = v;
                px[1] = v;
                px[2] = static_cast<std::uint8_t>(v - (ink ? 0 : 10));
            }
        return p;
    }();
    return img;
}

const std::vector<double>& pageDoubles()
{
    static const std::vector<double> v = [] {
        std::vector<double> d(page().rgb.size());
        for (size_t i = 0; i < d.size(); ++i)
            d[i] = (page().rgb[i] - 240.3) / 0.179;
        return d;
    }();
    return v;
}

// Target sizes: 0 = 640 x 640, 1 = height 1024 with the width scaled alike (1820).
int targetWidth(const benchmark::State& state) { return state.range(0) == 0 ? 640 : pageWidth * 1024 / pageHeight; }
int targetHeight(const benchmark::State& state) { return state.range(0) == 0 ? 640 : 1024; }

void label(benchmark::State& state)
{
    state.SetLabel(std::to_string(targetWidth(state)) + "x" + std::to_string(targetHeight(state)));
}

void BM_torchAA(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Resample::torchAA(page(), targetWidth(state), targetHeight(state)));
    label(state);
}

void BM_pilLanczos(benchmark::State& state)
{
    const Resample::Box box{0, 0, pageWidth, pageHeight};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Resample::pil(page(), targetWidth(state), targetHeight(state), box, Resample::Filter::lanczos));
    label(state);
}

void BM_pilBilinear(benchmark::State& state)
{
    const Resample::Box box{0, 0, pageWidth, pageHeight};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Resample::pil(page(), targetWidth(state), targetHeight(state), box, Resample::Filter::bilinear));
    label(state);
}

void BM_cvArea8U(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Resample::cvArea8U(page(), targetWidth(state), targetHeight(state)));
    label(state);
}

void BM_cvLinear64F(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Resample::cvLinear64F(pageDoubles(), pageWidth, pageHeight, targetWidth(state), targetHeight(state)));
    label(state);
}

void openCV(benchmark::State& state, int type, int interpolation)
{
    cv::Mat src;
    if (type == CV_8UC3)
        src = cv::Mat(pageHeight, pageWidth, CV_8UC3, const_cast<std::uint8_t*>(page().rgb.data()));
    else
        src = cv::Mat(pageHeight, pageWidth, CV_64FC3, const_cast<double*>(pageDoubles().data()));
    cv::Mat dst;
    for (auto _ : state) {
        cv::resize(src, dst, cv::Size(targetWidth(state), targetHeight(state)), 0, 0, interpolation);
        benchmark::DoNotOptimize(dst.data);
    }
    label(state);
}

void BM_openCV_linear8U(benchmark::State& state) { openCV(state, CV_8UC3, cv::INTER_LINEAR); }
void BM_openCV_area8U(benchmark::State& state) { openCV(state, CV_8UC3, cv::INTER_AREA); }
void BM_openCV_lanczos8U(benchmark::State& state) { openCV(state, CV_8UC3, cv::INTER_LANCZOS4); }
void BM_openCV_linear64F(benchmark::State& state) { openCV(state, CV_64FC3, cv::INTER_LINEAR); }

}  // namespace

BENCHMARK(BM_torchAA)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pilLanczos)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pilBilinear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cvArea8U)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cvLinear64F)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_openCV_linear8U)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_openCV_area8U)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_openCV_lanczos8U)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_openCV_linear64F)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    cv::setNumThreads(1);
    (void)page();  // built before timing starts
    (void)pageDoubles();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
