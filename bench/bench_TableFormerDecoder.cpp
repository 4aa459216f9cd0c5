// Decoder speed at full size: one decoding step against streaming the same weight bytes
// through a plain sum (the step is memory-bound, so that is its floor), and a whole
// 300-tag table. The weights are the test's pseudo-random full-size set, rebuilt once per
// process, with longer positions appended and "<end>" never chosen.
#include "VozudOzev/Structure/TableFormer.hpp"

#include "tests/Support/DecoderFixtures.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace fs = std::filesystem;
using namespace VozudOzev;
namespace Fixtures = TestSupport::DecoderFixtures;

namespace {

struct Setup {
    fs::path root;
    std::unique_ptr<TableFormer> oneStep;
    std::unique_ptr<TableFormer> table300;
    TableFormer::Encoded encoded;
    size_t streamFrom = 0;
    size_t streamCount = 0;

    Setup()
    {
        std::string pattern = (fs::temp_directory_path() / "vozudozev-bench.XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        const auto golden = Fixtures::readJSON(Fixtures::folder("random") / "golden.json");
        std::vector<float> data = Fixtures::randomWeights(golden);
        auto index = Fixtures::readJSON(Fixtures::folder("random") / "TableFormerDecoder.json");
        const size_t peRows = 1025;
        const size_t pe = data.size();
        data.resize(pe + peRows * TableFormer::D);
        Fixtures::fill(data, golden["seed"].get<std::uint64_t>(),
                       nlohmann::json::array({nlohmann::json::array({"pe", pe, peRows * TableFormer::D, 2.0, 0.0})}));
        index["tensors"]["pe"] = {{"offset", pe}, {"shape", {peRows, TableFormer::D}}};
        auto config = Fixtures::readJSON(Fixtures::folder("random") / "TableFormerConfig.json");
        const size_t fcB = index["tensors"]["fc.b"]["offset"].get<size_t>();
        data[fcB + config["word_map"]["<end>"].get<size_t>()] = -1000;

        for (int steps : {1, 300}) {
            const fs::path dir = root / std::to_string(steps);
            config["max_steps"] = steps;
            Fixtures::writeRandomModel(dir, data, config);
            std::ofstream(dir / "TableFormerDecoder.json") << index.dump();
            (steps == 1 ? oneStep : table300) = std::make_unique<TableFormer>(ModelLocation(dir), ComputeUnits::cpuOnly);
        }
        fs::remove_all(root);
        encoded = Fixtures::randomEncoded(golden);
        // What one step reads: the six layers and the output head, laid out one after another.
        streamFrom = index["tensors"]["dec0.sa.in.w"]["offset"].get<size_t>();
        streamCount = fcB + config["word_map"].size() - streamFrom;
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void BM_DecodeStep(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.oneStep->decode(s.encoded));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(s.streamCount * 4));
}
BENCHMARK(BM_DecodeStep)->Unit(benchmark::kMillisecond);

void BM_StreamSameBytes(benchmark::State& state)
{
    Setup& s = setup();
    const float* p = s.oneStep->weights().data.data() + s.streamFrom;
    const size_t n = s.streamCount;
    for (auto _ : state) {
        float acc[16] = {};
        size_t i = 0;
        for (; i + 16 <= n; i += 16)
            for (size_t j = 0; j < 16; ++j)
                acc[j] += p[i + j];
        for (; i < n; ++i)
            acc[0] += p[i];
        float sum = 0;
        for (float a : acc)
            sum += a;
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n * 4));
}
BENCHMARK(BM_StreamSameBytes)->Unit(benchmark::kMillisecond);

void BM_Table300Tags(benchmark::State& state)
{
    Setup& s = setup();
    size_t tags = 0, boxes = 0;
    for (auto _ : state) {
        const auto p = s.table300->decode(s.encoded);
        tags = p.sequence.size() - 1;
        boxes = p.boxes.size();
    }
    state.counters["tags"] = static_cast<double>(tags);
    state.counters["boxes"] = static_cast<double>(boxes);
}
BENCHMARK(BM_Table300Tags)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the decoder test pays to rebuild the full-size random weights instead of reading
// them from a committed file.
void BM_RebuildRandomWeights(benchmark::State& state)
{
    const auto golden = Fixtures::readJSON(Fixtures::folder("random") / "golden.json");
    for (auto _ : state)
        benchmark::DoNotOptimize(Fixtures::randomWeights(golden));
}
BENCHMARK(BM_RebuildRandomWeights)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
