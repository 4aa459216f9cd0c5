// The text-only engine against one bare Tesseract recognition of the same image with the
// same language data and page mode. "bare" reads the image as given; "bare_prepared" reads
// it at the size the engine enlarges it to, which isolates the engine's own overhead.
#include "VozudOzev/OCR/ImageLoader.hpp"
#include "VozudOzev/Platform/Leptonica.hpp"
#include "VozudOzev/Platform/TesseractRecognizer.hpp"
#include "VozudOzev/Extraction/TextGridTableEngine.hpp"

#include <benchmark/benchmark.h>
#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>

using namespace VozudOzev;

namespace {

const char* cases[] = {"case_007", "case_013", "case_018"};

Image corpusImage(int i)
{
    return ImageLoader::load(std::string(VANTREL_SOURCE_DIR) + "/../shared/corpus/" + cases[i] + ".png");
}

const std::vector<std::string> languages{"vi-VT", "en-US"};

tesseract::TessBaseAPI& bareEngine()
{
    static tesseract::TessBaseAPI api;
    static bool ready = [] {
        std::vector<std::string> names{"load_system_dawg", "load_freq_dawg", "debug_file"};
        std::vector<std::string> values{"0", "0", "/dev/null"};
        return api.Init(nullptr, TesseractRecognizer::languageString(languages).c_str(), tesseract::OEM_LSTM_ONLY,
                        nullptr, 0, &names, &values, false) == 0;
    }();
    if (!ready)
        std::abort();
    return api;
}

void bareRecognize(const Image& image)
{
    tesseract::TessBaseAPI& api = bareEngine();
    Leptonica::PixPtr pix = Leptonica::fromImage(image);
    api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
    api.SetImage(pix.get());
    api.SetSourceResolution(300);
    api.Recognize(nullptr);
    std::unique_ptr<char[]> text(api.GetUTF8Text());
    benchmark::DoNotOptimize(text.get());
    api.Clear();
}

void BM_Engine(benchmark::State& state)
{
    const Image image = corpusImage(static_cast<int>(state.range(0)));
    const TextGridTableEngine engine(TextOCR{.languages = languages});
    engine.extract(image, {}, "warm-up");
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.extract(image, {}, "capture"));
    state.SetLabel(cases[state.range(0)]);
}

void BM_Bare(benchmark::State& state)
{
    const Image image = corpusImage(static_cast<int>(state.range(0)));
    bareRecognize(image);
    for (auto _ : state)
        bareRecognize(image);
    state.SetLabel(cases[state.range(0)]);
}

// The same image enlarged as the engine enlarges it before recognition.
void BM_BarePrepared(benchmark::State& state)
{
    const Image image = corpusImage(static_cast<int>(state.range(0)));
    const double k = TesseractRecognizer::preparationScale(image, TesseractRecognizer::Tuning{});
    const Image big = k > 1 ? *image.resized(static_cast<int>(image.width * k), static_cast<int>(image.height * k)) : image;
    bareRecognize(big);
    for (auto _ : state)
        bareRecognize(big);
    state.SetLabel(std::string(cases[state.range(0)]) + " x" + std::to_string(k).substr(0, 4));
}

}  // namespace

BENCHMARK(BM_Engine)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bare)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BarePrepared)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
