// The 35-byte GIF claiming 40000 x 40000 pixels, refused on the file road and the memory
// road. "peak_MB" is the process's peak resident size: run one benchmark per process
// (--benchmark_filter) to read it. Both roads should stay far below a second and 100 MB.
#include "VozudOzev/Platform/Leptonica.hpp"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sys/resource.h>

using namespace VozudOzev;

namespace {

const std::string path = VANTREL_SOURCE_DIR "/tests/fixtures/hostile/gif_40000x40000.gif";

void setPeak(benchmark::State& state, bool refused)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!refused)
        state.SkipWithError("the picture was decoded");
}

void fileRoad(benchmark::State& state)
{
    bool refused = true;
    for (auto _ : state)
        refused = refused && !Leptonica::readFile(path);
    setPeak(state, refused);
}

void memoryRoad(benchmark::State& state)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    bool refused = !data.empty();
    for (auto _ : state)
        refused = refused && !Leptonica::readMemory(data);
    setPeak(state, refused);
}

}  // namespace

BENCHMARK(fileRoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(memoryRoad)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
